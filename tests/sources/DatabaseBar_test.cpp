// The record-number box of the database bar, the boxes' keys and the menu bar of the main frame.
#include "DatabaseBar.h"

#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "VYMenuBar.h"
#include "resource.h"

namespace {

class BarsTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    ASSERT_NE(nullptr, OpenFrame());
    box_ = CDatabaseBar::FindRecNumEdit();
    ASSERT_NE(nullptr, box_);
    edit_ = box_->GetEditBox();
    ASSERT_NE(nullptr, edit_);
  }
  CString Text() const {
    CString text;
    edit_->GetWindowText(text);
    return text;
  }
  CMFCToolBarEditBoxButton* box_ = nullptr;
  CEdit* edit_ = nullptr;
};

TEST_F(BarsTest, TheRecordBoxIsAReadOnlyEditOfItsCommand) {
  EXPECT_TRUE(box_->IsKindOf(RUNTIME_CLASS(CRecNumEdit)));
  EXPECT_EQ(static_cast<int>(ID_DB_RECORD_NUMBER), edit_->GetDlgCtrlID());
  EXPECT_TRUE(edit_->GetStyle() & ES_READONLY);
  EXPECT_EQ(static_cast<int>(CRecNumEdit::kWidth), box_->GetWidth());
}

TEST_F(BarsTest, TheRecordBoxShowsANumberWhileVisible) {
  CDatabaseBar::EnableRecNumEdit(TRUE);
  CDatabaseBar::SetRecNum(12);
  EXPECT_STREQ(L"12", Text());
  edit_->ShowWindow(SW_HIDE);
  CDatabaseBar::SetRecNum(13);
  EXPECT_STREQ(L"12", Text()) << "a hidden box keeps its number";
  edit_->ShowWindow(SW_SHOW);
  CDatabaseBar::EnableRecNumEdit(FALSE);
  EXPECT_STREQ(L"", Text());
  EXPECT_FALSE(edit_->IsWindowEnabled());
  CDatabaseBar::EnableRecNumEdit(TRUE);
  EXPECT_STREQ(L"", Text()) << "empty until the next number";
}

TEST_F(BarsTest, TabAndEscapeInTheBoxesGiveTheKeyboardBack) {
  for (WPARAM key : {VK_TAB, VK_ESCAPE}) {
    edit_->SetFocus();
    ASSERT_EQ(edit_->m_hWnd, ::GetFocus());
    MSG msg = {edit_->m_hWnd, WM_KEYDOWN, key, 0};
    EXPECT_TRUE(edit_->PreTranslateMessage(&msg));
    // The frame hands the focus on to its own window or a document's, never back to the box.
    const HWND focus = ::GetFocus();
    EXPECT_NE(edit_->m_hWnd, focus);
    EXPECT_TRUE(focus == frame->m_hWnd || ::IsChild(frame->m_hWnd, focus));
  }
  MSG other = {edit_->m_hWnd, WM_KEYDOWN, 'A', 0};
  EXPECT_FALSE(edit_->PreTranslateMessage(&other));
}

// A pop-up whose items are all separators is not shown as a menu of its own.
TEST_F(BarsTest, TheMenuBarLeavesOutPopupsWithoutCommands) {
  HMENU menu = ::CreateMenu();
  HMENU file = ::CreatePopupMenu();
  ::AppendMenuW(file, MF_STRING, ID_FILE_OPEN, L"&Open");
  HMENU empty = ::CreatePopupMenu();
  ::AppendMenuW(empty, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(empty, MF_SEPARATOR, 0, nullptr);
  HMENU help = ::CreatePopupMenu();
  ::AppendMenuW(help, MF_STRING, ID_APP_ABOUT, L"&About");
  ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(empty), L"&Empty");
  ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
  CVYMenuBar& bar = frame->GetMenuBar();
  bar.CreateFromMenu(menu, FALSE, TRUE);
  ASSERT_EQ(2, bar.GetCount());
  EXPECT_STREQ(L"&File", bar.GetButton(0)->m_strText);
  EXPECT_STREQ(L"&Help", bar.GetButton(1)->m_strText);
  bar.CreateFromMenu(bar.GetDefaultMenu(), TRUE, TRUE);
  EXPECT_EQ(4, bar.GetCount());
  ::DestroyMenu(menu);
}

}  // namespace

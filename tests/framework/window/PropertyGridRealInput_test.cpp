// The grid and the colour button under the real mouse and keyboard: input sent through the system,
// so that capture, activation and the cursor's window decide where it goes. These cases run alone.
#include <gtest/gtest.h>

#include "PropertyGridTestIds.h"
#include "PropertyGridTestSupport.h"

namespace {

using grid_test::PumpUntilIdle;
using grid_test::RealClick;
using grid_test::RealDrag;
using grid_test::RealKey;
using grid_test::RealType;

class PropertyGridRealInput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner.Make(L"Real input", CRect(0, 0, 460, 400)));
    ASSERT_TRUE(grid.Create(WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 400, 300), &owner, 2));
    name = new CMFCPropertyGridProperty(L"Object name", COleVariant(L"Field1"), nullptr, 23);
    grid.AddProperty(name);
    alignment = new CMFCPropertyGridProperty(L"Alignment", COleVariant(L"Left"), nullptr, 11);
    for (const wchar_t* a : {L"Left", L"Center", L"Right"}) alignment->AddOption(a);
    alignment->AllowEdit(FALSE);
    grid.AddProperty(alignment);
    owner.SetForegroundWindow();
    PumpUntilIdle();
  }
  void TearDown() override {
    if (owner.m_hWnd) owner.DestroyWindow();
  }
  CPoint OnValue(CMFCPropertyGridProperty* row) const {
    return CPoint(grid.GetLeftColumnWidth() + 30, row->GetRect().CenterPoint().y);
  }

  grid_test::GridOwner owner;
  CMFCPropertyGridCtrl grid;
  CMFCPropertyGridProperty* name = nullptr;
  CMFCPropertyGridProperty* alignment = nullptr;
};

TEST_F(PropertyGridRealInput, AClickTypingAndEnterEditAValue) {
  RealClick(grid, OnValue(name));
  ASSERT_TRUE(name->IsInPlaceEditing());
  RealType(L"Real name");
  RealKey(VK_RETURN);
  EXPECT_FALSE(name->IsInPlaceEditing());
  ASSERT_EQ(owner.changes.size(), 1u);
  EXPECT_EQ(owner.changes[0].row, name);
  EXPECT_EQ(owner.changes[0].value, L"Real name");
}

TEST_F(PropertyGridRealInput, AnOptionIsChosenInTheDroppedListWithTheMouse) {
  const CRect row = alignment->GetRect();
  RealClick(grid, CPoint(row.right - row.Height() / 2, row.CenterPoint().y));
  HWND combo = ::GetFocus();
  ASSERT_EQ(grid_test::ClassOf(combo), L"ComboBox");
  ASSERT_TRUE(::SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(::GetComboBoxInfo(combo, &info));
  RECT item = {};
  ASSERT_NE(::SendMessageW(info.hwndList, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item)), LB_ERR);
  RealClick(info.hwndList, CRect(item).CenterPoint());
  EXPECT_FALSE(alignment->IsInPlaceEditing());
  EXPECT_EQ(AfxVariantToText(alignment->GetValue()), CString(L"Center"));
  ASSERT_EQ(owner.changes.size(), 1u);
  EXPECT_EQ(owner.changes[0].value, L"Center");
}

TEST_F(PropertyGridRealInput, TheSplitterIsDraggedWithTheMouse) {
  const int before = grid.GetLeftColumnWidth();
  const int y = name->GetRect().CenterPoint().y;
  RealDrag(grid, CPoint(before, y), CPoint(before - 50, y + 30));
  EXPECT_EQ(grid.GetLeftColumnWidth(), before - 50);
  EXPECT_EQ(::GetCapture(), nullptr) << "the drag let the mouse go";
}

TEST_F(PropertyGridRealInput, TheColourButtonsPaletteIsUsedWithTheMouse) {
  grid_test::ColorDialog dialog;
  ASSERT_TRUE(dialog.Create(IDD_COLOR_TEST, &owner));
  dialog.ShowWindow(SW_SHOW);
  dialog.SetForegroundWindow();
  PumpUntilIdle();
  CRect face;
  dialog.button.GetClientRect(&face);
  // The press opens the pop-up; its release, which the pop-up receives, chooses nothing.
  RealClick(dialog.button, face.CenterPoint());
  CMFCColorPopup* popup = dialog.button.GetPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(dialog.clicks, 0);
  const COLORREF chosen = popup->GetColor(12);
  RealClick(popup->m_hWnd, popup->GetItemRect(12).CenterPoint());
  EXPECT_EQ(dialog.button.GetPopup(), nullptr);
  EXPECT_EQ(dialog.clicks, 1);
  EXPECT_EQ(dialog.button.GetColor(), chosen);
  // A click elsewhere in the dialog closes the pop-up without a choice.
  RealClick(dialog.button, face.CenterPoint());
  ASSERT_NE(dialog.button.GetPopup(), nullptr);
  CWnd* edit = dialog.GetDlgItem(IDC_COLOR_NAME);
  CRect editRect;
  edit->GetClientRect(&editRect);
  RealClick(edit->m_hWnd, editRect.CenterPoint());
  EXPECT_EQ(dialog.button.GetPopup(), nullptr);
  EXPECT_EQ(dialog.clicks, 1);
  EXPECT_EQ(dialog.button.GetColor(), chosen);
  dialog.DestroyWindow();
}

}  // namespace

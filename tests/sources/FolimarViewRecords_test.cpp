// A found text shown in the running frame: its page comes up through the pages pane, the match is
// selected in its field and the view scrolls until the field is in the window.
#include <gtest/gtest.h>

#include "ChildFrm.h"
#include "FrameTestSupport.h"
#include "MyProcs.h"
#include "TranspText.h"

namespace {

BOOL NoInfoBox(LPCTSTR) { return FALSE; }

class FoundTextTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    previousInfo_ = SetInfoBoxPresenter(NoInfoBox);
    ASSERT_NE(nullptr, OpenFrame());
  }
  void TearDown() override {
    SetInfoBoxPresenter(previousInfo_);
    FrameTest::TearDown();
  }
  // The field's rectangle in client pixels now.
  static CRect ClientRectOf(CFolimarView* view, CTranspText* field) {
    CRect r;
    field->GetAlignRect(&r);
    view->UnitToPage(&r);
    view->PageToClient(&r);
    r.NormalizeRect();
    return r;
  }
  // Lets the view paint and its timer look again.
  static void Settle() {
    for (int i = 0; i < 30; ++i) {
      Pump();
      ::Sleep(10);
    }
  }
  InfoBoxPresenter previousInfo_ = nullptr;
};

TEST_F(FoundTextTest, AMatchFarDownAnotherPageIsSelectedAndScrolledIntoTheWindow) {
  CFolimarDoc* doc = NewDocument(2);
  CFolimarView* view = ViewOf(doc);
  ASSERT_NE(nullptr, view);
  CRect client;
  view->GetClientRect(&client);
  view->SetActivePage(1);
  // Near the foot of the letter page: below the window at the top scroll position.
  CTranspText* field = dynamic_cast<CTranspText*>(view->CreateTextBox(L"Amount due", CPoint(60, 950), 0));
  ASSERT_NE(nullptr, field);
  ASSERT_GT(ClientRectOf(view, field).top, client.bottom) << "the page is taller than the window";
  view->SetActivePage(0);
  view->ScrollToPosition(CPoint(0, 0));

  view->ViewFoundedText(1, 0, 7, 3);
  Settle();
  EXPECT_EQ(1, view->GetActivePage());
  CChildFrame* child = dynamic_cast<CChildFrame*>(view->GetParentFrame());
  ASSERT_NE(nullptr, child);
  ASSERT_NE(nullptr, child->GetPagesPane().GetTabControl());
  EXPECT_EQ(1, child->GetPagesPane().GetTabControl()->GetActiveTab()) << "the page's tab follows";
  EXPECT_EQ(field, view->GetActiveObject());
  EXPECT_EQ(L"due", std::wstring(field->GetSelectedText()));
  const CRect shown = ClientRectOf(view, field);
  EXPECT_GE(shown.top, client.top);
  EXPECT_LE(shown.top, client.bottom) << "scrolled to the match";

  // A match already in the window scrolls nothing.
  const CPoint before = view->GetDeviceScrollPosition();
  view->ViewFoundedText(1, 0, 0, 6);
  Settle();
  EXPECT_EQ(before, view->GetDeviceScrollPosition());
  EXPECT_EQ(L"Amount", std::wstring(field->GetSelectedText()));
}

}  // namespace

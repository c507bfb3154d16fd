// A document window's page tabs: one per page while the document has two pages or more, labelled
// "Page n", a click on one showing that page, and the view placed right below the strip.
#include "ChildFrm.h"

#include <gtest/gtest.h>

#include "FrameTestSupport.h"

namespace {

class ChildFrameTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    ASSERT_NE(nullptr, OpenFrame());
  }
  static CChildFrame* ChildOf(CDocument* doc) { return dynamic_cast<CChildFrame*>(ViewOf(doc)->GetParentFrame()); }
  static std::vector<CString> Labels(CPagesPane& pane) {
    std::vector<CString> labels;
    CMFCBaseTabCtrl* tabs = pane.GetTabControl();
    for (int i = 0; tabs != nullptr && i < tabs->GetTabsNum(); ++i) {
      CString label;
      tabs->GetTabLabel(i, label);
      labels.push_back(label);
    }
    return labels;
  }
  // The view's top edge in the child frame's client coordinates.
  static int ViewTop(CFolimarView* view) {
    CRect rect;
    view->GetWindowRect(&rect);
    view->GetParent()->ScreenToClient(&rect);
    return rect.top;
  }
};

TEST_F(ChildFrameTest, ADocumentOfOnePageShowsNoTabs) {
  CFolimarDoc* doc = NewDocument(1);
  ASSERT_NE(nullptr, doc);
  CChildFrame* child = ChildOf(doc);
  ASSERT_NE(nullptr, child);
  EXPECT_FALSE(child->GetPagesPane().IsVisible());
  EXPECT_EQ(0, child->GetPagesPane().GetTabsHeight());
  EXPECT_EQ(0, ViewTop(ViewOf(doc)));
}

TEST_F(ChildFrameTest, TheTabsFollowThePageCount) {
  CFolimarDoc* doc = NewDocument(1);
  ASSERT_NE(nullptr, doc);
  CChildFrame* child = ChildOf(doc);
  CPagesPane& pane = child->GetPagesPane();
  doc->AppendNewPage();
  doc->AppendNewPage();
  child->UpdatePagesBar(doc->GetPageCount());
  EXPECT_EQ((std::vector<CString>{L"Page 1", L"Page 2", L"Page 3"}), Labels(pane));
  EXPECT_TRUE(pane.IsVisible());
  const int height = pane.GetTabsHeight();
  EXPECT_GT(height, 0);
  CRect strip;
  pane.GetWindowRect(&strip);
  EXPECT_EQ(height, strip.Height());
  EXPECT_EQ(height, ViewTop(ViewOf(doc))) << "the view starts below the tabs";

  doc->DeletePage(2);
  child->UpdatePagesBar(doc->GetPageCount());
  EXPECT_EQ((std::vector<CString>{L"Page 1", L"Page 2"}), Labels(pane));
  doc->DeletePage(1);
  child->UpdatePagesBar(doc->GetPageCount());
  EXPECT_FALSE(pane.IsVisible());
  EXPECT_EQ(0, ViewTop(ViewOf(doc)));
}

TEST_F(ChildFrameTest, ADocumentOpenedWithSeveralPagesShowsItsTabs) {
  CFolimarDoc* doc = NewDocument(3);
  ASSERT_NE(nullptr, doc);
  EXPECT_EQ(3u, Labels(ChildOf(doc)->GetPagesPane()).size());
  EXPECT_TRUE(ChildOf(doc)->GetPagesPane().IsVisible());
}

TEST_F(ChildFrameTest, ChoosingATabShowsItsPage) {
  CFolimarDoc* doc = NewDocument(3);
  ASSERT_NE(nullptr, doc);
  CFolimarView* view = ViewOf(doc);
  CPagesPane& pane = ChildOf(doc)->GetPagesPane();
  pane.GetTabControl()->SetActiveTab(1);
  EXPECT_EQ(1, view->GetActivePage());
  pane.ActivatePage(2);
  EXPECT_EQ(2, view->GetActivePage());
  EXPECT_EQ(2, pane.GetTabControl()->GetActiveTab());
  EXPECT_EQ(&doc->GetPage(2)->m_objects, view->GetActiveObjectList());
}

TEST_F(ChildFrameTest, ADocumentWindowIsATabOfTheMainFrameWhileVisible) {
  CChildFrame* child = ChildOf(NewDocument(1));
  ASSERT_NE(nullptr, child);
  EXPECT_TRUE(child->CanShowOnMDITabs());
  child->ShowWindow(SW_HIDE);
  EXPECT_FALSE(child->CanShowOnMDITabs());
}

}  // namespace

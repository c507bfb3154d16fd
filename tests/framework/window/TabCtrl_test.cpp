// The tab control and tab groups: clicks, the active-tab message and the handler of a tab group
// built like the program's pages pane, the strip's buttons, and the active tab's colours.
#include <gtest/gtest.h>

#include "DockingFixture.h"
#include "TestSupport.h"

using namespace docking_test;

namespace {

class TabGroups : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new DockFrame;
    ASSERT_TRUE(frame->Build(true));
    frame->ShowWindow(SW_SHOW);
    // Built as the program builds its pages pane at the top of a document's frame.
    ASSERT_TRUE(pages.CreateIn(frame));
    frame->DockPane(&pages);
    ASSERT_NE(pages.tabs, nullptr);
    Pump();
  }
  void TearDown() override {
    if (frame) frame->DestroyWindow();
    Pump();
  }
  // What the program's child frame does after a page count change: the pane as high as the strip.
  void Layout() {
    CRect client;
    frame->GetClientRect(&client);
    pages.SetWindowPos(nullptr, client.left, client.top, client.Width(), pages.tabs->GetTabsHeight(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    pages.ShowPane(TRUE, FALSE, TRUE);
  }
  CPoint TabCentre(int tab) {
    CRect rect;
    EXPECT_TRUE(pages.tabs->GetTabRect(tab, rect));
    return rect.CenterPoint();
  }
  void Click(CWnd* w, CPoint client) {
    w->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    w->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
  }
  DockFrame* frame = nullptr;
  PagesPane pages;
};

TEST_F(TabGroups, APagesPaneShowsOnlyItsStripAcrossTheTopOfItsFrame) {
  pages.SetPageCount(3);
  Layout();
  EXPECT_FALSE(pages.HasCaption());
  EXPECT_EQ(pages.GetTabsNum(), 3);
  const int strip = pages.tabs->GetTabsHeight();
  ASSERT_GT(strip, 12);
  EXPECT_EQ(frame->RectOf(&pages), CRect(0, 0, frame->ClientArea().right, strip));
  EXPECT_EQ(frame->RectOf(pages.tabs), frame->RectOf(&pages)) << "no caption, no borders";
  EXPECT_EQ(frame->RectOf(frame->view).top, strip) << "the view starts below the strip";
  CRect top, bottom;
  pages.tabs->GetTabArea(top, bottom);
  EXPECT_EQ(top, CRect(0, 0, frame->ClientArea().right, strip));
  EXPECT_TRUE(bottom.IsRectEmpty());
  CString label;
  pages.tabs->GetTabLabel(2, label);
  EXPECT_STREQ(label, L"Page 3");
  // Fewer pages: the last tabs go (and their windows with them).
  CWnd* third = pages.tabs->GetTabWnd(2);
  const HWND thirdWindow = third->m_hWnd;
  pages.SetPageCount(2);
  EXPECT_EQ(pages.GetTabsNum(), 2);
  EXPECT_FALSE(::IsWindow(thirdWindow));
  pages.ShowPane(FALSE, FALSE, FALSE);
  EXPECT_EQ(frame->RectOf(frame->view).top, 0) << "hidden, the strip leaves the view its room";
}

TEST_F(TabGroups, AClickOnATabActivatesItAndThePaneHearsOfIt) {
  pages.SetPageCount(3);
  Layout();
  pages.changes.clear();
  Click(pages.tabs, TabCentre(1));
  EXPECT_EQ(pages.tabs->GetActiveTab(), 1);
  ASSERT_EQ(pages.changes.size(), 1u);
  EXPECT_EQ(pages.changes[0].first, 1u);
  EXPECT_EQ(pages.changes[0].second, reinterpret_cast<LPARAM>(pages.tabs));
  Click(pages.tabs, TabCentre(1));
  EXPECT_EQ(pages.changes.size(), 1u) << "the active tab again: no change";
  Click(pages.tabs, TabCentre(2));
  ASSERT_EQ(pages.changes.size(), 2u);
  EXPECT_EQ(pages.changes[1].first, 2u);
  // Setting it by program tells the pane too.
  pages.tabs->SetActiveTab(0);
  ASSERT_EQ(pages.changes.size(), 3u);
  EXPECT_EQ(pages.changes[2].first, 0u);
}

TEST_F(TabGroups, TabsThatDoNotFitScrollWithTheStripsButtons) {
  pages.SetPageCount(30);
  Layout();
  ASSERT_TRUE(pages.tabs->IsScrolled());
  const CRect left = pages.tabs->GetButtonRect(CMFCTabCtrl::ButtonScrollLeft);
  const CRect right = pages.tabs->GetButtonRect(CMFCTabCtrl::ButtonScrollRight);
  ASSERT_FALSE(left.IsRectEmpty());
  ASSERT_FALSE(right.IsRectEmpty());
  EXPECT_LT(left.right, right.left + 1);
  CRect last;
  EXPECT_FALSE(pages.tabs->GetTabRect(29, last)) << "the last tab is out of view";
  EXPECT_EQ(pages.tabs->GetFirstVisibleTab(), 0);
  Click(pages.tabs, right.CenterPoint());
  EXPECT_EQ(pages.tabs->GetFirstVisibleTab(), 1);
  Click(pages.tabs, left.CenterPoint());
  EXPECT_EQ(pages.tabs->GetFirstVisibleTab(), 0);
  // Activating a tab out of view scrolls to it.
  pages.tabs->SetActiveTab(29);
  EXPECT_TRUE(pages.tabs->GetTabRect(29, last));
  EXPECT_LE(last.right, right.left);
  pages.SetPageCount(2);
  EXPECT_FALSE(pages.tabs->IsScrolled());
  EXPECT_TRUE(pages.tabs->GetButtonRect(CMFCTabCtrl::ButtonScrollLeft).IsRectEmpty());
}

TEST_F(TabGroups, TheDocumentMenuListsTheTabsAndActivatesTheOneChosen) {
  pages.SetPageCount(4);
  pages.tabs->EnableTabDocumentsMenu(TRUE);
  Layout();
  const CRect button = pages.tabs->GetButtonRect(CMFCTabCtrl::ButtonMenu);
  ASSERT_FALSE(button.IsRectEmpty());
  CRect strip, unused;
  pages.tabs->GetTabArea(strip, unused);
  EXPECT_GE(button.right, strip.right - 4) << "at the strip's right end";
  const std::vector<std::wstring> seen = DriveMenu([&] { Click(pages.tabs, button.CenterPoint()); }, L"Page 3");
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"Page 1[x]", L"Page 2", L"Page 3", L"Page 4"}));
  EXPECT_EQ(pages.tabs->GetActiveTab(), 2);
}

TEST_F(TabGroups, TheActiveTabsCloseButtonClosesItsWindow) {
  pages.SetPageCount(3);
  pages.tabs->EnableActiveTabCloseButton(TRUE);
  Layout();
  pages.tabs->SetActiveTab(1);
  const CRect close = pages.tabs->GetButtonRect(CMFCTabCtrl::ButtonActiveClose);
  CRect tab;
  ASSERT_TRUE(pages.tabs->GetTabRect(1, tab));
  ASSERT_FALSE(close.IsRectEmpty());
  EXPECT_TRUE(tab.PtInRect(close.CenterPoint())) << "on the active tab";
  const HWND second = pages.tabs->GetTabWnd(1)->m_hWnd;
  Click(pages.tabs, close.CenterPoint());
  // A plain window is asked to close; a static one then goes, and its tab with it.
  EXPECT_FALSE(::IsWindow(second));
  EXPECT_EQ(pages.tabs->GetTabsNum(), 2);
  CString label;
  pages.tabs->GetTabLabel(1, label);
  EXPECT_STREQ(label, L"Page 3");
}

TEST_F(TabGroups, TabSwapMovesADraggedTabAlongTheStrip) {
  pages.SetPageCount(3);
  Layout();
  for (BOOL swap : {FALSE, TRUE}) {
    SCOPED_TRACE(swap ? "swap on" : "swap off");
    pages.tabs->EnableTabSwap(swap);
    CWnd* first = pages.tabs->GetTabWnd(0);
    const CPoint from = TabCentre(0), to = TabCentre(2);
    pages.tabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    SendToCapture(WM_MOUSEMOVE, [&] { CPoint p = to; pages.tabs->ClientToScreen(&p); return p; }());
    pages.tabs->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    EXPECT_EQ(pages.tabs->GetTabWnd(swap ? 2 : 0), first);
    EXPECT_EQ(pages.tabs->GetActiveWnd(), first) << "the dragged tab stays active";
    if (swap) pages.tabs->MoveTab(2, 0);
  }
}

TEST_F(TabGroups, TheActiveTabIsDrawnInTheLooksColoursAndOneNoteTabsInTheirOwn) {
  pages.SetPageCount(3);
  Layout();
  pages.tabs->SetActiveTab(1);
  Pump();
  const FwLookPalette& palette = CMFCVisualManager::GetInstance()->Palette();
  ASSERT_NE(palette.tabActive, palette.tabInactive);
  CRect active, inactive;
  ASSERT_TRUE(pages.tabs->GetTabRect(1, active));
  ASSERT_TRUE(pages.tabs->GetTabRect(0, inactive));
  // Just inside each tab's lower right corner: fill, no text.
  const CPoint inActive(active.right - 3, active.bottom - 2), inInactive(inactive.right - 3, inactive.bottom - 3);
  CRect window;
  pages.tabs->GetWindowRect(&window);
  EXPECT_EQ(WindowPixel(pages.tabs, inActive), palette.tabActive);
  EXPECT_EQ(WindowPixel(pages.tabs, inInactive), palette.tabInactive);
  // One-note tabs take a colour each; the active one shows its colour unmixed.
  pages.tabs->ModifyTabStyle(CMFCTabCtrl::STYLE_3D_ONENOTE);
  ASSERT_TRUE(pages.tabs->IsAutoColor());
  ASSERT_TRUE(pages.tabs->GetTabRect(1, active));
  const COLORREF own = pages.tabs->GetTabBkColor(1);
  EXPECT_NE(own, pages.tabs->GetTabBkColor(0));
  EXPECT_EQ(WindowPixel(pages.tabs, CPoint(active.right - 3, active.bottom - 2)), own);
}

TEST_F(TabGroups, ATabDraggedOffAGroupFloatsItsPane) {
  ListPane a, b;
  const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_LEFT;
  ASSERT_TRUE(a.Create(L"First", frame, CRect(0, 0, 180, 300), TRUE, 0xE9A0, style));
  ASSERT_TRUE(b.Create(L"Second", frame, CRect(0, 0, 180, 300), TRUE, 0xE9A1, style));
  a.EnableDocking(CBRS_ALIGN_ANY);
  b.EnableDocking(CBRS_ALIGN_ANY);
  frame->DockPane(&a);
  CDockablePane* group = nullptr;
  ASSERT_NE(b.AttachToTabWnd(&a, DM_MOUSE, TRUE, &group), nullptr);
  CMFCBaseTabCtrl* tabs = static_cast<CBaseTabbedPane*>(group)->GetUnderlyingWindow();
  CRect tab;
  ASSERT_TRUE(tabs->GetTabRect(1, tab));
  tabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab.CenterPoint().x, tab.CenterPoint().y));
  CPoint away = tab.CenterPoint();
  tabs->ClientToScreen(&away);
  away.Offset(150, -200);
  SendToCapture(WM_MOUSEMOVE, away);
  // The pane floats and its frame now follows the mouse; releasing away from the frame's edges
  // leaves it floating.
  ASSERT_TRUE(b.IsFloating());
  CPaneFrameWnd* mini = b.GetParentMiniFrame();
  ASSERT_EQ(::GetCapture(), mini->m_hWnd);
  SendToCapture(WM_MOUSEMOVE, away + CSize(10, 0));
  SendToCapture(WM_LBUTTONUP, away + CSize(10, 0));
  EXPECT_TRUE(b.IsFloating());
  EXPECT_TRUE(ScreenRect(mini).PtInRect(away + CSize(10, 0))) << "the frame moved with the mouse";
  // The group of one gave its place back to the first pane and went.
  EXPECT_FALSE(a.IsTabbed());
  EXPECT_EQ(frame->GetDockingManager()->FindRow(&a)->side, static_cast<DWORD>(CBRS_ALIGN_LEFT));
  EXPECT_EQ(frame->RectOf(&a).left, 0);
  EXPECT_TRUE(a.HasCaption());
}

}  // namespace

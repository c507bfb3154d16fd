// Dragging panes by their captions (by messages): smart-docking markers and dropping on them, the
// drag outline without them, auto-hide strips, and the pane menu.
#include <gtest/gtest.h>

#include "DockingFixture.h"
#include "TestSupport.h"

using namespace docking_test;

namespace {

class DockingDrag : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new DockFrame;
    ASSERT_TRUE(frame->Build());
    frame->ShowWindow(SW_SHOW);
    Pump();
  }
  void TearDown() override {
    CDockingManager::SetDockingMode(DT_STANDARD);
    if (frame) frame->DestroyWindow();
    Pump();
  }
  CDockingManager* Manager() { return frame->GetDockingManager(); }
  // Presses the pane's caption and moves the mouse until the pane floats and its frame holds the
  // mouse; returns that frame.
  CPaneFrameWnd* StartDrag(CDockablePane* pane, CPoint to) {
    const CPoint grip = ScreenRect(pane).TopLeft() + pane->GetCaptionRect().TopLeft() + CSize(30, 6);
    SendNcButtonDown(pane, HTCAPTION, grip);
    EXPECT_EQ(::GetCapture(), pane->m_hWnd);
    SendToCapture(WM_MOUSEMOVE, to);
    EXPECT_TRUE(pane->IsFloating());
    CPaneFrameWnd* mini = pane->GetParentMiniFrame();
    EXPECT_NE(mini, nullptr);
    if (mini) {
      EXPECT_EQ(::GetCapture(), mini->m_hWnd);
    }
    return mini;
  }
  CPoint ClientPoint(CPoint client) {
    frame->ClientToScreen(&client);
    return client;
  }
  DockFrame* frame = nullptr;
};

TEST_F(DockingDrag, SmartMarkersAppearDuringADragAndADropOnAnEdgeMarkerDocksThere) {
  CDockingManager::SetDockingMode(DT_SMART);
  const CPoint middle = ClientPoint(CPoint(200, 250));
  CPaneFrameWnd* mini = StartDrag(&frame->forms, middle);
  ASSERT_NE(mini, nullptr);
  CSmartDockingManager* smart = Manager()->GetSmartDockingManager();
  ASSERT_NE(smart, nullptr);
  EXPECT_TRUE(smart->IsShown());
  // The four edge markers in the middle of the docking area's edges.
  const CRect area = [&] { CRect r = Manager()->GetDockingArea(); frame->ClientToScreen(&r); return r; }();
  const struct {
    CSmartDockingManager::Marker marker;
    CPoint edgePoint;
  } edges[] = {{CSmartDockingManager::EdgeLeft, CPoint(area.left, area.CenterPoint().y)},
               {CSmartDockingManager::EdgeTop, CPoint(area.CenterPoint().x, area.top)},
               {CSmartDockingManager::EdgeRight, CPoint(area.right, area.CenterPoint().y)},
               {CSmartDockingManager::EdgeBottom, CPoint(area.CenterPoint().x, area.bottom)}};
  for (const auto& edge : edges) {
    const CRect marker = smart->GetMarkerRect(edge.marker);
    ASSERT_FALSE(marker.IsRectEmpty()) << edge.marker;
    EXPECT_TRUE(area.PtInRect(marker.CenterPoint()));
    const int distance = std::abs(static_cast<int>(marker.CenterPoint().x - edge.edgePoint.x)) +
                         std::abs(static_cast<int>(marker.CenterPoint().y - edge.edgePoint.y));
    EXPECT_LT(distance, CSmartDockingManager::kMarkerSize * 2) << edge.marker;
  }
  // Over the left marker: highlighted, the outline shows the left strip; dropping docks left.
  const CPoint left = smart->GetMarkerRect(CSmartDockingManager::EdgeLeft).CenterPoint();
  SendToCapture(WM_MOUSEMOVE, left);
  EXPECT_EQ(smart->GetHighlighted(), CSmartDockingManager::EdgeLeft);
  const CRect preview = Manager()->GetDockingOutline()->GetRect();
  EXPECT_EQ(preview.left, area.left);
  EXPECT_EQ(preview.top, area.top);
  EXPECT_EQ(preview.bottom, area.bottom);
  SendToCapture(WM_LBUTTONUP, left);
  EXPECT_FALSE(smart->IsShown());
  EXPECT_FALSE(Manager()->GetDockingOutline()->IsShown());
  EXPECT_FALSE(frame->forms.IsFloating());
  CDockingManager::Row* row = Manager()->FindRow(&frame->forms);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->side, static_cast<DWORD>(CBRS_ALIGN_LEFT));
  EXPECT_EQ(frame->RectOf(&frame->forms).left, 0);
  EXPECT_EQ(frame->RectOf(frame->view).left, frame->RectOf(&frame->forms).right + CDockingManager::kDividerSize);
}

TEST_F(DockingDrag, ALookMadeForSmartDockingShowsTheMarkersWhateverTheMode) {
  CDockingManager::SetDockingMode(DT_STANDARD);
  CMFCVisualManager::SetDefaultManager(RUNTIME_CLASS(CMFCVisualManagerVS2005));
  EXPECT_TRUE(CDockingManager::IsSmartDocking());
  CPaneFrameWnd* mini = StartDrag(&frame->forms, ClientPoint(CPoint(200, 250)));
  ASSERT_NE(mini, nullptr);
  ASSERT_NE(Manager()->GetSmartDockingManager(), nullptr);
  EXPECT_TRUE(Manager()->GetSmartDockingManager()->IsShown());
  SendToCapture(WM_LBUTTONUP, ClientPoint(CPoint(200, 250)));
  CMFCVisualManager::DestroyInstance();
  EXPECT_FALSE(CDockingManager::IsSmartDocking()) << "the basic look with the standard mode";
}

TEST_F(DockingDrag, TheFiveWayMarkerOverAPaneDocksBesideItOrAsATab) {
  CDockingManager::SetDockingMode(DT_SMART);
  struct Case {
    const char* name;
    CSmartDockingManager::Marker marker;
  } cases[] = {{"as a tab", CSmartDockingManager::CentreTab}, {"below", CSmartDockingManager::CentreBottom}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DockFrame* fresh = new DockFrame;
    ASSERT_TRUE(fresh->Build());
    fresh->ShowWindow(SW_SHOW);
    frame->DestroyWindow();
    frame = fresh;
    // The shelf group over the forms pane: drag the forms pane over the middle of the group.
    const CPoint over = ScreenRect(frame->group).CenterPoint();
    CPaneFrameWnd* mini = StartDrag(&frame->forms, over);
    ASSERT_NE(mini, nullptr);
    CSmartDockingManager* smart = Manager()->GetSmartDockingManager();
    EXPECT_EQ(smart->GetCentreTarget(), frame->group);
    for (int m = CSmartDockingManager::CentreLeft; m <= CSmartDockingManager::CentreTab; ++m)
      EXPECT_TRUE(smart->IsMarkerShown(static_cast<CSmartDockingManager::Marker>(m))) << m;
    EXPECT_TRUE(ScreenRect(frame->group).PtInRect(smart->GetMarkerRect(CSmartDockingManager::CentreTab).CenterPoint()));
    const CPoint target = smart->GetMarkerRect(c.marker).CenterPoint();
    SendToCapture(WM_MOUSEMOVE, target);
    EXPECT_EQ(smart->GetHighlighted(), c.marker);
    SendToCapture(WM_LBUTTONUP, target);
    EXPECT_FALSE(frame->forms.IsFloating());
    if (c.marker == CSmartDockingManager::CentreTab) {
      EXPECT_EQ(frame->forms.GetParentTabbedPane(), frame->group);
      EXPECT_EQ(static_cast<CBaseTabbedPane*>(frame->group)->GetTabsNum(), 3);
      EXPECT_EQ(static_cast<CBaseTabbedPane*>(frame->group)->GetActivePane(), &frame->forms);
      EXPECT_EQ(frame->RectOf(frame->group).bottom, frame->ClientArea().bottom) << "alone in its column now";
    } else {
      EXPECT_EQ(Manager()->FindRow(&frame->forms), Manager()->FindRow(frame->group));
      EXPECT_EQ(frame->RectOf(&frame->forms).top, frame->RectOf(frame->group).bottom + CDockingManager::kDividerSize);
    }
  }
}

TEST_F(DockingDrag, WithoutSmartDockingAnOutlineShowsWhereThePaneWouldDock) {
  CDockingManager::SetDockingMode(DT_STANDARD);
  const CRect area = [&] { CRect r = Manager()->GetDockingArea(); frame->ClientToScreen(&r); return r; }();
  CPaneFrameWnd* mini = StartDrag(&frame->forms, area.CenterPoint() - CSize(100, 0));
  ASSERT_NE(mini, nullptr);
  EXPECT_TRUE(Manager()->GetSmartDockingManager() == nullptr || !Manager()->GetSmartDockingManager()->IsShown());
  EXPECT_FALSE(Manager()->GetDockingOutline()->IsShown()) << "in the middle of the view: nowhere to dock";
  // Near the top edge of the docking area.
  const CPoint nearTop(area.CenterPoint().x - 100, area.top + 5);
  SendToCapture(WM_MOUSEMOVE, nearTop);
  ASSERT_TRUE(Manager()->GetDockingOutline()->IsShown());
  const CRect outline = Manager()->GetDockingOutline()->GetRect();
  EXPECT_EQ(outline.top, area.top);
  EXPECT_EQ(outline.left, area.left);
  EXPECT_EQ(outline.right, area.right);
  SendToCapture(WM_LBUTTONUP, nearTop);
  EXPECT_FALSE(frame->forms.IsFloating());
  ASSERT_NE(Manager()->FindRow(&frame->forms), nullptr);
  EXPECT_EQ(Manager()->FindRow(&frame->forms)->side, static_cast<DWORD>(CBRS_ALIGN_TOP));
  EXPECT_EQ(frame->RectOf(&frame->forms).top, 0);
  EXPECT_FALSE(Manager()->GetDockingOutline()->IsShown());
}

TEST_F(DockingDrag, ReleasingAwayFromAnyPlaceLeavesThePaneFloatingWhereItIs) {
  for (AFX_DOCK_TYPE mode : {DT_STANDARD, DT_SMART}) {
    SCOPED_TRACE(mode == DT_SMART ? "smart" : "standard");
    CDockingManager::SetDockingMode(mode);
    frame->forms.DockToRecentPos();
    const CPoint middle = ClientPoint(CPoint(250, 300));
    CPaneFrameWnd* mini = StartDrag(&frame->forms, middle);
    ASSERT_NE(mini, nullptr);
    SendToCapture(WM_MOUSEMOVE, middle + CSize(7, 3));
    SendToCapture(WM_LBUTTONUP, middle + CSize(7, 3));
    EXPECT_TRUE(frame->forms.IsFloating());
    EXPECT_TRUE(ScreenRect(mini).PtInRect(middle + CSize(7, 3)));
    EXPECT_EQ(::GetCapture(), nullptr);
  }
}

TEST_F(DockingDrag, AnAutoHiddenPaneShowsAsAButtonAlongItsEdgeAndSlidesOut) {
  const CRect before = frame->RectOf(&frame->forms);
  CMFCAutoHideBar* strip = frame->forms.SetAutoHideMode(TRUE, CBRS_ALIGN_RIGHT);
  ASSERT_NE(strip, nullptr);
  EXPECT_TRUE(frame->forms.IsAutoHideMode());
  EXPECT_EQ(frame->forms.GetAutoHideToolBar(), strip);
  EXPECT_FALSE(frame->forms.IsWindowVisible());
  EXPECT_TRUE(frame->forms.IsVisible()) << "its button shows";
  const CRect client = frame->ClientArea();
  const CRect stripRect = frame->RectOf(strip);
  EXPECT_EQ(stripRect, CRect(client.right - strip->GetThickness(), 0, client.right, client.bottom));
  CRect button = strip->GetButtonRect(&frame->forms);
  ASSERT_FALSE(button.IsRectEmpty());
  EXPECT_GT(button.Height(), button.Width()) << "standing along the right edge";
  EXPECT_EQ(frame->RectOf(frame->group).right, stripRect.left) << "the group moves in beside the strip";
  EXPECT_EQ(frame->RectOf(frame->group).bottom, client.bottom);

  // The mouse over the button: the pane slides out beside the strip, over the documents.
  strip->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(button.CenterPoint().x, button.CenterPoint().y));
  EXPECT_TRUE(frame->forms.IsSlidOut());
  EXPECT_TRUE(frame->forms.IsWindowVisible());
  const CRect out = frame->RectOf(&frame->forms);
  EXPECT_EQ(out.right, stripRect.left);
  EXPECT_EQ(out.Width(), before.Width());
  EXPECT_EQ(out.top, 0);
  EXPECT_EQ(out.bottom, client.bottom);
  EXPECT_EQ(::GetWindow(frame->m_hWnd, GW_CHILD), frame->forms.m_hWnd) << "on top of its siblings";
  strip->SlideIn(&frame->forms);
  EXPECT_FALSE(frame->forms.IsWindowVisible());

  // A click slides it out with the focus; the pin docks it again where it was.
  strip->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button.CenterPoint().x, button.CenterPoint().y));
  EXPECT_TRUE(frame->forms.IsSlidOut());
  EXPECT_TRUE(frame->forms.IsActive());
  const CPoint pin = ScreenRect(&frame->forms).TopLeft() +
                     frame->forms.GetCaptionButtonRect(CDockablePane::HTPANEPIN).CenterPoint();
  SendNcButtonDown(&frame->forms, CDockablePane::HTPANEPIN, pin);
  SendToCapture(WM_LBUTTONUP, pin);
  EXPECT_FALSE(frame->forms.IsAutoHideMode());
  EXPECT_EQ(frame->RectOf(&frame->forms), before);
  EXPECT_FALSE(strip->IsWindowVisible()) << "an empty strip takes no room";
}

TEST_F(DockingDrag, ThePinButtonHidesADockedPaneAlongItsEdge) {
  const CPoint pin = ScreenRect(&frame->forms).TopLeft() +
                     frame->forms.GetCaptionButtonRect(CDockablePane::HTPANEPIN).CenterPoint();
  SendNcButtonDown(&frame->forms, CDockablePane::HTPANEPIN, pin);
  SendToCapture(WM_LBUTTONUP, pin);
  ASSERT_TRUE(frame->forms.IsAutoHideMode());
  EXPECT_EQ(frame->forms.GetAutoHideAlignment(), static_cast<DWORD>(CBRS_ALIGN_RIGHT));
}

TEST_F(DockingDrag, ThePaneMenuListsBarsAndPanesAndShowsOrHidesTheOneChosen) {
  frame->EnablePaneMenu(TRUE, kCustomizeCmd, L"Customize...", 0);
  const CPoint caption = ScreenRect(&frame->forms).TopLeft() + CSize(30, 6);
  auto rightClick = [&] { frame->forms.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(frame->forms.m_hWnd),
                                                   MAKELPARAM(caption.x, caption.y)); };
  std::vector<std::wstring> seen = DriveMenu(rightClick, L"Shelf");
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"Shelf[x]", L"Properties[x]", L"Forms[x]", L"Customize..."}));
  EXPECT_EQ(frame->toolbarMenus, 1) << "the frame heard of it first";
  EXPECT_FALSE(frame->shelf.IsVisible());
  EXPECT_TRUE(frame->properties.IsVisible());
  seen = DriveMenu(rightClick, L"Customize...");
  EXPECT_EQ(seen[0], L"Shelf");
  EXPECT_EQ(frame->commands, (std::vector<UINT>{kCustomizeCmd}));
  DriveMenu(rightClick, L"Shelf");
  EXPECT_TRUE(frame->shelf.IsVisible());
  // A frame showing its own menu keeps the pane menu away; so does a right click in a pane's list.
  frame->ownToolbarMenu = TRUE;
  seen = DriveMenu(rightClick, L"");
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(frame->toolbarMenus, 4);
  frame->ownToolbarMenu = FALSE;
  CPoint inList = ScreenRect(&frame->forms.m_list).CenterPoint();
  seen = DriveMenu([&] { frame->forms.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(frame->forms.m_list.m_hWnd),
                                                  MAKELPARAM(inList.x, inList.y)); }, L"");
  EXPECT_TRUE(seen.empty());
}

TEST_F(DockingDrag, TheViewMenusEntryGivesItsPlaceToTheListOfPanes) {
  const UINT kViewToolbars = 0xE830;
  frame->EnablePaneMenu(TRUE, kCustomizeCmd, L"Customize...", kViewToolbars);
  CMenu popup;
  ASSERT_TRUE(popup.CreatePopupMenu());
  popup.AppendMenu(MF_STRING, 0xE831, L"Status Bar");
  popup.AppendMenu(MF_STRING, kViewToolbars, L"Toolbars");
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), 0);
  ASSERT_EQ(popup.GetMenuItemCount(), 4);
  CString text;
  popup.GetMenuString(1, text, MF_BYPOSITION);
  EXPECT_STREQ(text, L"Shelf");
  const UINT formsId = popup.GetMenuItemID(3);
  EXPECT_TRUE(popup.GetMenuState(formsId, MF_BYCOMMAND) & MF_CHECKED);
  frame->SendMessage(WM_COMMAND, formsId, 0);
  EXPECT_FALSE(frame->forms.IsVisible());
  // Opened again: the list is made anew, with the new state.
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), 0);
  EXPECT_EQ(popup.GetMenuItemCount(), 4);
  EXPECT_FALSE(popup.GetMenuState(popup.GetMenuItemID(3), MF_BYCOMMAND) & MF_CHECKED);
}

}  // namespace

// The same gestures with the real mouse: these cases move the one cursor of the Wine server and run
// alone (see the ALONE filter in CMakeLists.txt).
#include <gtest/gtest.h>

#include "DockingFixture.h"

using namespace docking_test;

namespace {

class DockingMouse : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new DockFrame;
    ASSERT_TRUE(frame->Build());
    frame->ShowWindow(SW_SHOW);
    frame->SetForegroundWindow();
    Pump(100);
  }
  void TearDown() override {
    CDockingManager::SetDockingMode(DT_STANDARD);
    RealMouseMove(CPoint(2, 2));
    if (frame) frame->DestroyWindow();
    Pump();
  }
  CPoint Grip(CDockablePane* pane) {
    return ScreenRect(pane).TopLeft() + pane->GetCaptionRect().TopLeft() + CSize(30, 6);
  }
  CDockingManager* Manager() { return frame->GetDockingManager(); }
  // Hides the forms pane along the right edge; its button, on the screen.
  CRect AutoHideFormsPane() {
    CMFCAutoHideBar* strip = frame->forms.SetAutoHideMode(TRUE, CBRS_ALIGN_RIGHT);
    EXPECT_NE(strip, nullptr);
    if (!strip) return CRect();
    Pump();
    CRect button = strip->GetButtonRect(&frame->forms);
    strip->ClientToScreen(&button);
    return button;
  }
  DockFrame* frame = nullptr;
};

TEST_F(DockingMouse, DraggingTheCaptionFloatsThePaneAndAMarkerDocksItBack) {
  CDockingManager::SetDockingMode(DT_SMART);
  const CPoint grip = Grip(&frame->forms);
  const CPoint middle = ScreenRect(frame->view).CenterPoint();
  RealMouseMove(grip);
  RealMouseDown(grip);
  for (int i = 1; i <= 6; ++i) RealMouseMove(grip + CSize((middle.x - grip.x) * i / 6, (middle.y - grip.y) * i / 6));
  ASSERT_TRUE(frame->forms.IsFloating());
  CPaneFrameWnd* mini = frame->forms.GetParentMiniFrame();
  EXPECT_TRUE(ScreenRect(mini).PtInRect(middle)) << "the floating frame follows the mouse";
  CSmartDockingManager* smart = Manager()->GetSmartDockingManager();
  ASSERT_NE(smart, nullptr);
  ASSERT_TRUE(smart->IsShown());
  const CPoint bottom = smart->GetMarkerRect(CSmartDockingManager::EdgeBottom).CenterPoint();
  RealMouseMove(bottom);
  EXPECT_EQ(smart->GetHighlighted(), CSmartDockingManager::EdgeBottom);
  RealMouseUp(bottom);
  EXPECT_FALSE(frame->forms.IsFloating());
  ASSERT_NE(Manager()->FindRow(&frame->forms), nullptr);
  EXPECT_EQ(Manager()->FindRow(&frame->forms)->side, static_cast<DWORD>(CBRS_ALIGN_BOTTOM));
  EXPECT_EQ(frame->RectOf(&frame->forms).bottom, frame->ClientArea().bottom);
  EXPECT_FALSE(smart->IsShown());
}

TEST_F(DockingMouse, DraggingAFloatingFrameToAnEdgeDocksItThroughTheOutline) {
  CDockingManager::SetDockingMode(DT_STANDARD);
  ASSERT_TRUE(frame->forms.FloatPane(CRect(300, 200, 520, 460)));
  Pump();
  CPaneFrameWnd* mini = frame->forms.GetParentMiniFrame();
  const CPoint grip = ScreenRect(mini).TopLeft() + CSize(40, CPaneFrameWnd::kBorderSize + 6);
  CRect area = Manager()->GetDockingArea();
  frame->ClientToScreen(&area);
  const CPoint nearLeft(area.left + 6, area.CenterPoint().y);
  RealMouseMove(grip);
  RealMouseDown(grip);
  for (int i = 1; i <= 6; ++i) RealMouseMove(grip + CSize((nearLeft.x - grip.x) * i / 6, (nearLeft.y - grip.y) * i / 6));
  EXPECT_TRUE(Manager()->GetDockingOutline()->IsShown());
  EXPECT_EQ(Manager()->GetDockingOutline()->GetRect().left, area.left);
  RealMouseUp(nearLeft);
  EXPECT_FALSE(frame->forms.IsFloating());
  EXPECT_EQ(Manager()->FindRow(&frame->forms)->side, static_cast<DWORD>(CBRS_ALIGN_LEFT));
  EXPECT_EQ(frame->RectOf(&frame->forms).left, 0);
}

TEST_F(DockingMouse, HoveringAnAutoHideButtonSlidesThePaneOutAndLeavingSlidesItBack) {
  const CRect button = AutoHideFormsPane();
  ASSERT_FALSE(button.IsRectEmpty());
  RealMouseMove(button.CenterPoint());
  EXPECT_TRUE(frame->forms.IsSlidOut());
  EXPECT_TRUE(frame->forms.IsWindowVisible());
  // Onto the pane: it stays; away over the documents: it slides back after a moment.
  RealMouseMove(ScreenRect(&frame->forms).CenterPoint());
  Pump(CMFCAutoHideBar::s_nSlideInDelay + 300);
  EXPECT_TRUE(frame->forms.IsSlidOut());
  frame->view->SetFocus();
  RealMouseMove(ScreenRect(frame->view).TopLeft() + CSize(20, 20));
  Pump(CMFCAutoHideBar::s_nSlideInDelay + 400);
  EXPECT_FALSE(frame->forms.IsSlidOut());
  EXPECT_FALSE(frame->forms.IsWindowVisible());
}

TEST_F(DockingMouse, AClickOnTheButtonKeepsThePaneOutWhileItHasTheFocus) {
  const CRect button = AutoHideFormsPane();
  ASSERT_FALSE(button.IsRectEmpty());
  RealMouseMove(button.CenterPoint());
  RealMouseDown(button.CenterPoint());
  RealMouseUp(button.CenterPoint());
  EXPECT_TRUE(frame->forms.IsActive());
  RealMouseMove(ScreenRect(frame->view).TopLeft() + CSize(20, 20));
  Pump(CMFCAutoHideBar::s_nSlideInDelay + 300);
  EXPECT_TRUE(frame->forms.IsSlidOut()) << "the focus is still inside";
  frame->view->SetFocus();
  Pump(CMFCAutoHideBar::s_nSlideInDelay + 300);
  EXPECT_FALSE(frame->forms.IsSlidOut());
}

TEST_F(DockingMouse, DraggingADividerWithTheMouseResizesTheRow) {
  CDockingManager::Row* row = Manager()->FindRow(&frame->forms);
  CPaneDivider* divider = Manager()->FindDivider(row, -1);
  ASSERT_NE(divider, nullptr);
  const CPoint from = ScreenRect(divider).CenterPoint();
  const int before = frame->RectOf(&frame->forms).Width();
  RealMouseDrag(from, from - CSize(70, 0));
  EXPECT_EQ(frame->RectOf(&frame->forms).Width(), before + 70);
}

TEST_F(DockingMouse, ARightClickOnACaptionShowsThePaneMenu) {
  frame->EnablePaneMenu(TRUE, kCustomizeCmd, L"Customize...", 0);
  const CPoint caption = Grip(&frame->forms);
  const std::vector<std::wstring> seen = DriveMenu([&] { RealRightClick(caption); }, L"Forms");
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"Shelf[x]", L"Properties[x]", L"Forms[x]", L"Customize..."}));
  EXPECT_FALSE(frame->forms.IsVisible());
  // The same on a floating frame's caption.
  frame->forms.ShowPane(TRUE, FALSE, FALSE);
  ASSERT_TRUE(frame->forms.FloatPane(CRect(300, 200, 520, 460)));
  Pump();
  const CPoint floating = ScreenRect(frame->forms.GetParentMiniFrame()).TopLeft() + CSize(40, 10);
  const std::vector<std::wstring> again = DriveMenu([&] { RealRightClick(floating); }, L"Customize...");
  EXPECT_EQ(again.size(), 4u);
  EXPECT_EQ(frame->commands, (std::vector<UINT>{kCustomizeCmd}));
}

TEST_F(DockingMouse, DoubleClickingACaptionFloatsThePaneAndDoubleClickingItsFrameDocksIt) {
  const CRect docked = frame->RectOf(&frame->forms);
  RealDoubleClick(Grip(&frame->forms));
  ASSERT_TRUE(frame->forms.IsFloating());
  RealDoubleClick(ScreenRect(frame->forms.GetParentMiniFrame()).TopLeft() + CSize(40, 10));
  EXPECT_FALSE(frame->forms.IsFloating());
  EXPECT_EQ(frame->RectOf(&frame->forms), docked);
}

TEST_F(DockingMouse, AFloatingFramesBorderResizesItAndThePaneInside) {
  ASSERT_TRUE(frame->forms.FloatPane(CRect(300, 200, 520, 460)));
  Pump();
  CPaneFrameWnd* mini = frame->forms.GetParentMiniFrame();
  const CRect before = ScreenRect(mini);
  const CPoint edge(before.right - 2, before.CenterPoint().y);
  ASSERT_EQ(mini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y)), HTRIGHT);
  // The system's sizing loop runs while the button is down: the whole drag goes in at once.
  RealMouseDragAtOnce(edge, edge + CSize(60, 0));
  const CRect after = ScreenRect(mini);
  EXPECT_EQ(after.Width(), before.Width() + 60);
  CRect client;
  mini->GetClientRect(&client);
  mini->ClientToScreen(&client);
  EXPECT_EQ(ScreenRect(&frame->forms), client) << "the pane fills the frame";
}

TEST_F(DockingMouse, AClickOnATabActivatesIt) {
  CMFCBaseTabCtrl* tabs = static_cast<CBaseTabbedPane*>(frame->group)->GetUnderlyingWindow();
  CRect tab;
  ASSERT_TRUE(tabs->GetTabRect(0, tab));
  tabs->ClientToScreen(&tab);
  RealMouseMove(tab.CenterPoint());
  RealMouseDown(tab.CenterPoint());
  RealMouseUp(tab.CenterPoint());
  EXPECT_EQ(tabs->GetActiveWnd(), &frame->shelf);
  EXPECT_TRUE(frame->shelf.IsWindowVisible());
  EXPECT_FALSE(frame->properties.IsWindowVisible());
}

}  // namespace

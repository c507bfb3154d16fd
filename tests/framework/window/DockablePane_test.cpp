// Dockable panes in a real frame: the caption in the non-client area, the program's layout of its
// right-hand panes, closing, floating and docking back, dividers and the caption's colours.
#include <gtest/gtest.h>

#include "DockingFixture.h"

using namespace docking_test;

namespace {

class DockablePane : public ::testing::Test {
 protected:
  void SetUp() override {
    CDockingManager::SetDockingMode(DT_STANDARD);
    frame = new DockFrame;
    ASSERT_TRUE(frame->Build());
    frame->ShowWindow(SW_SHOW);
    Pump();
  }
  void TearDown() override {
    if (frame) frame->DestroyWindow();
    Pump();
  }
  CDockingManager* Manager() { return frame->GetDockingManager(); }
  DockFrame* frame = nullptr;
};

TEST_F(DockablePane, TheCaptionIsAboveTheClientAreaAndTheChildFillsIt) {
  ListPane& forms = frame->forms;
  const CRect window = ScreenRect(&forms);
  CRect client;
  forms.GetClientRect(&client);
  forms.ClientToScreen(&client);
  const CRect borders = forms.GetBorders();
  const int caption = forms.GetCaptionHeight();
  ASSERT_GT(caption, 10);
  EXPECT_EQ(client.top, window.top + borders.top + caption);
  EXPECT_EQ(client.left, window.left + borders.left);
  EXPECT_EQ(client.right, window.right - borders.right);
  EXPECT_EQ(client.bottom, window.bottom - borders.bottom);
  EXPECT_EQ(ScreenRect(&forms.m_list), client) << "the pane's OnSize lays its list over the client area";
  // The caption's hit-test codes: title, close button, pin.
  const CRect captionRect = forms.GetCaptionRect();
  const CPoint title(window.left + captionRect.left + 8, window.top + captionRect.CenterPoint().y);
  EXPECT_EQ(forms.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(title.x, title.y)), HTCAPTION);
  const CRect close = forms.GetCaptionButtonRect(CDockablePane::HTPANECLOSE);
  const CRect pin = forms.GetCaptionButtonRect(CDockablePane::HTPANEPIN);
  ASSERT_FALSE(close.IsRectEmpty());
  ASSERT_FALSE(pin.IsRectEmpty());
  EXPECT_LT(pin.right, close.left + 1) << "the pin sits left of the close button";
  const CPoint closePoint = window.TopLeft() + close.CenterPoint();
  EXPECT_EQ(forms.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(closePoint.x, closePoint.y)), HTCLOSE);
}

TEST_F(DockablePane, APaneWithoutGripperOrStyleHasNoCaptionAndNoBorders) {
  ListPane bare;
  ASSERT_TRUE(bare.Create(L"", frame, CRect(0, 0, 200, 30), FALSE, 0xE990, WS_CHILD | WS_VISIBLE | CBRS_TOP));
  bare.SetBorders(0, 0, 0, 0);
  bare.SetControlBarStyle(0);
  bare.EnableDocking(CBRS_ALIGN_ANY);
  frame->DockPane(&bare);
  EXPECT_FALSE(bare.HasCaption());
  EXPECT_FALSE(bare.IsResizable());
  CRect client;
  bare.GetClientRect(&client);
  bare.ClientToScreen(&client);
  EXPECT_EQ(client, ScreenRect(&bare)) << "no caption, no borders: the client area is the window";
  // A pane that may not be resized is as thick as its window and as wide as the frame, on top.
  const CRect rect = frame->RectOf(&bare);
  EXPECT_EQ(rect, CRect(0, 0, frame->ClientArea().right, 30));
  EXPECT_EQ(frame->RectOf(frame->view).top, 30) << "no divider below a pane that may not be resized";
}

// The program docks the forms pane on the right, the shelf to its top edge and the properties
// pane as the active tab of the shelf.
TEST_F(DockablePane, TheProgramsLayoutPutsTheShelfGroupAboveTheFormsPane) {
  ASSERT_NE(frame->group, nullptr);
  ASSERT_TRUE(frame->group->IsKindOf(RUNTIME_CLASS(CTabbedPane)));
  CTabbedPane* group = static_cast<CTabbedPane*>(frame->group);
  EXPECT_EQ(group->GetTabsNum(), 2);
  EXPECT_EQ(frame->shelf.GetParentTabbedPane(), group);
  EXPECT_EQ(frame->properties.GetParentTabbedPane(), group);
  CMFCBaseTabCtrl* tabs = group->GetUnderlyingWindow();
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->GetTabWnd(0), &frame->shelf) << "the group keeps the shelf first";
  EXPECT_EQ(tabs->GetActiveWnd(), &frame->properties);
  CString label;
  tabs->GetTabLabel(1, label);
  EXPECT_STREQ(label, L"Properties");
  EXPECT_STREQ(group->GetCaptionText(), L"Properties") << "the group's caption shows the active tab";

  const CRect client = frame->ClientArea();
  const CRect top = frame->RectOf(group), bottom = frame->RectOf(&frame->forms);
  const int divider = CDockingManager::kDividerSize;
  EXPECT_EQ(top.right, client.right);
  EXPECT_EQ(bottom.right, client.right);
  EXPECT_EQ(top.left, bottom.left) << "one column";
  EXPECT_EQ(top.Width(), 200);
  EXPECT_EQ(top.top, 0);
  EXPECT_EQ(bottom.top, top.bottom + divider);
  EXPECT_EQ(bottom.bottom, client.bottom);
  EXPECT_EQ(frame->RectOf(frame->view), CRect(0, 0, top.left - divider, client.bottom));
  // The active tab's pane fills the group's window area, the other is hidden but still counts as shown.
  CRect area;
  tabs->GetWndArea(area);
  tabs->ClientToScreen(&area);
  EXPECT_EQ(ScreenRect(&frame->properties), area);
  EXPECT_TRUE(frame->properties.IsWindowVisible());
  EXPECT_FALSE(frame->shelf.IsWindowVisible());
  EXPECT_TRUE(frame->shelf.IsVisible());
  EXPECT_FALSE(frame->shelf.HasCaption()) << "a tabbed pane leaves the caption to its group";
  CRect shelfClient;
  frame->properties.GetClientRect(&shelfClient);
  EXPECT_EQ(shelfClient.Size(), area.Size() - CSize(2, 2)) << "inside its one-pixel borders only";
}

TEST_F(DockablePane, SwitchingTabsTakesTheFocusAlongToThePaneShown) {
  CMFCBaseTabCtrl* tabs = static_cast<CBaseTabbedPane*>(frame->group)->GetUnderlyingWindow();
  frame->properties.m_list.SetFocus();
  ASSERT_TRUE(frame->properties.IsActive());
  tabs->SetActiveTab(0);
  EXPECT_TRUE(frame->shelf.IsActive());
  // A tab switch elsewhere leaves the focus where it is.
  frame->view->SetFocus();
  tabs->SetActiveTab(1);
  EXPECT_EQ(::GetFocus(), frame->view->m_hWnd);
}

struct CloseCase {
  const char* name;
  BOOL keep;
  BOOL visibleAfter;
};

TEST_F(DockablePane, TheCloseButtonAsksTheFrameThenHidesThePane) {
  const CloseCase cases[] = {{"frame lets it close", FALSE, FALSE}, {"frame keeps it", TRUE, TRUE}};
  for (const CloseCase& c : cases) {
    SCOPED_TRACE(c.name);
    frame->forms.ShowPane(TRUE, FALSE, FALSE);
    frame->closeRequests.clear();
    frame->keepOnClose = c.keep;
    const CPoint close = ScreenRect(&frame->forms).TopLeft() +
                         frame->forms.GetCaptionButtonRect(CDockablePane::HTPANECLOSE).CenterPoint();
    SendNcButtonDown(&frame->forms, HTCLOSE, close);
    ASSERT_EQ(::GetCapture(), frame->forms.m_hWnd);
    SendToCapture(WM_LBUTTONUP, close);
    ASSERT_EQ(frame->closeRequests.size(), 1u);
    EXPECT_EQ(frame->closeRequests[0], &frame->forms);
    EXPECT_EQ(frame->forms.IsVisible(), c.visibleAfter);
    // A hidden pane gives its room to its neighbour in the row.
    EXPECT_EQ(frame->RectOf(frame->group).bottom == frame->ClientArea().bottom, !c.visibleAfter);
  }
}

TEST_F(DockablePane, ReleasingTheCloseButtonElsewhereClosesNothing) {
  const CRect window = ScreenRect(&frame->forms);
  const CPoint close = window.TopLeft() + frame->forms.GetCaptionButtonRect(CDockablePane::HTPANECLOSE).CenterPoint();
  SendNcButtonDown(&frame->forms, HTCLOSE, close);
  SendToCapture(WM_LBUTTONUP, CPoint(window.left + 10, window.bottom - 10));
  EXPECT_TRUE(frame->closeRequests.empty());
  EXPECT_TRUE(frame->forms.IsVisible());
}

TEST_F(DockablePane, FloatingMovesThePaneIntoItsOwnFrameAndDockingBringsItBack) {
  const CRect docked = frame->RectOf(&frame->forms);
  const CRect viewBefore = frame->RectOf(frame->view);
  const CRect floatRect(100, 120, 360, 420);
  ASSERT_TRUE(frame->forms.FloatPane(floatRect));
  ASSERT_TRUE(frame->forms.IsFloating());
  CPaneFrameWnd* mini = frame->forms.GetParentMiniFrame();
  ASSERT_NE(mini, nullptr);
  EXPECT_EQ(ScreenRect(mini), floatRect);
  EXPECT_EQ(::GetParent(frame->forms.m_hWnd), mini->m_hWnd);
  EXPECT_EQ(::GetWindow(mini->m_hWnd, GW_OWNER), frame->m_hWnd) << "a tool window owned by the frame";
  EXPECT_TRUE(mini->GetExStyle() & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(mini->IsWindowVisible());
  CRect miniClient;
  mini->GetClientRect(&miniClient);
  mini->ClientToScreen(&miniClient);
  EXPECT_EQ(ScreenRect(&frame->forms), miniClient);
  EXPECT_FALSE(frame->forms.HasCaption()) << "the floating frame shows the caption";
  CString title;
  mini->GetWindowText(title);
  EXPECT_STREQ(title, L"Forms");
  // The group above takes the whole column.
  EXPECT_EQ(frame->RectOf(frame->group).bottom, frame->ClientArea().bottom);

  ASSERT_TRUE(frame->forms.DockToRecentPos());
  EXPECT_FALSE(frame->forms.IsFloating());
  EXPECT_EQ(frame->forms.GetParentMiniFrame(), nullptr);
  EXPECT_EQ(frame->RectOf(&frame->forms), docked);
  EXPECT_EQ(frame->RectOf(frame->view), viewBefore);
  EXPECT_TRUE(frame->forms.HasCaption());
  // Floating again goes to where it floated last.
  ASSERT_TRUE(frame->forms.FloatPane(CRect()));
  EXPECT_EQ(ScreenRect(frame->forms.GetParentMiniFrame()), floatRect);
}

TEST_F(DockablePane, DoubleClickingTheCaptionFloatsAndDocksThePane) {
  const CRect docked = frame->RectOf(&frame->forms);
  const CPoint title = ScreenRect(&frame->forms).TopLeft() + CSize(20, 5);
  frame->forms.SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(title.x, title.y));
  ASSERT_TRUE(frame->forms.IsFloating());
  CPaneFrameWnd* mini = frame->forms.GetParentMiniFrame();
  const CPoint miniTitle = ScreenRect(mini).TopLeft() + CSize(20, 8);
  ASSERT_EQ(mini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(miniTitle.x, miniTitle.y)), HTCAPTION);
  mini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(miniTitle.x, miniTitle.y));
  Pump();
  EXPECT_FALSE(frame->forms.IsFloating());
  EXPECT_EQ(frame->RectOf(&frame->forms), docked);
}

TEST_F(DockablePane, TheFloatingFramesCloseButtonHidesPaneAndFrame) {
  ASSERT_TRUE(frame->forms.FloatPane(CRect(100, 100, 300, 300)));
  CPaneFrameWnd* mini = frame->forms.GetParentMiniFrame();
  const CPoint close = ScreenRect(mini).TopLeft() + mini->GetCloseButtonRect().CenterPoint();
  ASSERT_EQ(mini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(close.x, close.y)), HTCLOSE);
  SendNcButtonDown(mini, HTCLOSE, close);
  SendToCapture(WM_LBUTTONUP, close);
  ASSERT_EQ(frame->closeRequests.size(), 1u);
  EXPECT_FALSE(frame->forms.IsVisible());
  EXPECT_FALSE(mini->IsWindowVisible());
  frame->forms.ShowPane(TRUE, FALSE, FALSE);
  EXPECT_TRUE(mini->IsWindowVisible());
}

TEST_F(DockablePane, DockToWindowAcrossTheRowMakesARowBesideIt) {
  // Left of the forms pane on the right side: a row of its own, nearer the centre.
  ListPane extra;
  ASSERT_TRUE(extra.Create(L"Extra", frame, CRect(0, 0, 150, 300), TRUE, 0xE991,
                           WS_CHILD | WS_VISIBLE | CBRS_RIGHT));
  extra.EnableDocking(CBRS_ALIGN_ANY);
  ASSERT_TRUE(extra.DockToWindow(&frame->forms, CBRS_ALIGN_LEFT));
  const CRect forms = frame->RectOf(&frame->forms), added = frame->RectOf(&extra);
  EXPECT_EQ(added.right + CDockingManager::kDividerSize, forms.left);
  EXPECT_EQ(added.Width(), 150);
  EXPECT_EQ(added.top, 0);
  EXPECT_EQ(added.bottom, frame->ClientArea().bottom);
  EXPECT_EQ(frame->RectOf(frame->view).right + CDockingManager::kDividerSize, added.left);
}

struct DividerCase {
  const char* name;
  int drag;           // pixels to the right
  int expectedWidth;  // of the right column afterwards; -1: as wide as the centre allows
};

TEST_F(DockablePane, DraggingARowsDividerResizesItWithinLimits) {
  CDockingManager::Row* row = Manager()->FindRow(&frame->forms);
  ASSERT_NE(row, nullptr);
  const CRect client = frame->ClientArea();
  const DividerCase cases[] = {
      {"wider", -50, 250},
      {"narrower", 80, 170},
      {"never thinner than the smallest pane", 1000, CDockingManager::kMinPaneSize},
      {"the documents keep a strip", -5000, -1},
  };
  for (const DividerCase& c : cases) {
    SCOPED_TRACE(c.name);
    CPaneDivider* divider = Manager()->FindDivider(row, -1);
    ASSERT_NE(divider, nullptr);
    EXPECT_TRUE(divider->IsVertical());
    const CRect rect = ScreenRect(divider);
    EXPECT_EQ(frame->RectOf(divider).right, frame->RectOf(&frame->forms).left);
    const CPoint grab = rect.CenterPoint();
    divider->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.Width() / 2, rect.Height() / 2));
    SendToCapture(WM_MOUSEMOVE, grab + CSize(c.drag, 0));
    SendToCapture(WM_LBUTTONUP, grab + CSize(c.drag, 0));
    const int width = frame->RectOf(&frame->forms).Width();
    if (c.expectedWidth >= 0) {
      EXPECT_EQ(width, c.expectedWidth);
    } else {
      EXPECT_EQ(frame->RectOf(frame->view).Width(), CDockingManager::kMinCentreSize);
      EXPECT_LT(width, client.Width());
    }
    EXPECT_EQ(frame->RectOf(frame->group).Width(), width) << "the whole row follows";
  }
}

TEST_F(DockablePane, DraggingTheDividerBetweenTwoPanesMovesTheirCommonEdge) {
  CDockingManager::Row* row = Manager()->FindRow(&frame->forms);
  ASSERT_NE(row, nullptr);
  CPaneDivider* divider = Manager()->FindDivider(row, 0);
  ASSERT_NE(divider, nullptr);
  EXPECT_FALSE(divider->IsVertical());
  const CRect groupBefore = frame->RectOf(frame->group), formsBefore = frame->RectOf(&frame->forms);
  EXPECT_EQ(frame->RectOf(divider), CRect(groupBefore.left, groupBefore.bottom, groupBefore.right, formsBefore.top));
  const CRect rect = ScreenRect(divider);
  divider->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.Width() / 2, rect.Height() / 2));
  SendToCapture(WM_MOUSEMOVE, rect.CenterPoint() + CSize(0, 60));
  SendToCapture(WM_LBUTTONUP, rect.CenterPoint() + CSize(0, 60));
  EXPECT_EQ(frame->RectOf(frame->group).bottom, groupBefore.bottom + 60);
  EXPECT_EQ(frame->RectOf(&frame->forms).top, formsBefore.top + 60);
  EXPECT_EQ(frame->RectOf(&frame->forms).bottom, formsBefore.bottom);
  // Far down: the forms pane keeps its smallest height.
  divider = Manager()->FindDivider(row, 0);
  const CRect moved = ScreenRect(divider);
  divider->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(moved.Width() / 2, moved.Height() / 2));
  SendToCapture(WM_MOUSEMOVE, moved.CenterPoint() + CSize(0, 2000));
  SendToCapture(WM_LBUTTONUP, moved.CenterPoint() + CSize(0, 2000));
  EXPECT_EQ(frame->RectOf(&frame->forms).Height(), CDockingManager::kMinPaneSize);
}

TEST_F(DockablePane, TheCaptionIsDrawnActiveWhileTheFocusIsInsideThePane) {
  const FwLookPalette& palette = CMFCVisualManager::GetInstance()->Palette();
  ASSERT_NE(palette.captionActive, palette.captionInactive);
  frame->view->SetFocus();
  Pump();
  const CRect caption = frame->forms.GetCaptionRect();
  // Left of the title text, where only the caption's fill is.
  const CPoint probe(caption.left + 1, caption.top + 1);
  EXPECT_FALSE(frame->forms.IsActive());
  EXPECT_EQ(WindowPixel(&frame->forms, probe), palette.captionInactive);
  frame->forms.m_list.SetFocus();
  Pump();
  EXPECT_TRUE(frame->forms.IsActive());
  EXPECT_EQ(WindowPixel(&frame->forms, probe), palette.captionActive);
  // The group's caption follows the focus in its tabs.
  const CRect groupCaption = frame->group->GetCaptionRect();
  EXPECT_EQ(WindowPixel(frame->group, CPoint(groupCaption.left + 1, groupCaption.top + 1)), palette.captionInactive);
  frame->properties.m_list.SetFocus();
  Pump();
  EXPECT_EQ(WindowPixel(frame->group, CPoint(groupCaption.left + 1, groupCaption.top + 1)), palette.captionActive);
  EXPECT_EQ(WindowPixel(&frame->forms, probe), palette.captionInactive);
}

TEST_F(DockablePane, ALookChangeRedrawsTheCaptionInItsColours) {
  CMFCVisualManager::SetDefaultManager(RUNTIME_CLASS(CMFCVisualManagerOffice2003));
  frame->forms.m_list.SetFocus();
  Pump();
  const CRect caption = frame->forms.GetCaptionRect();
  // The Office 2003 caption is a gradient: its left end is the look's active colour.
  EXPECT_EQ(WindowPixel(&frame->forms, CPoint(caption.left, caption.top + 2)),
            CMFCVisualManager::GetInstance()->Palette().captionActive);
  CMFCVisualManager::DestroyInstance();
}

}  // namespace

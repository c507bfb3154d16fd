// The status bar in a real frame: where its panes go, their texts and styles, the key indicators by
// key state (or by the frame's handler), and a progress pane, read back through the bar and its
// pixels.
#include <gtest/gtest.h>

#include "BarsTestFrame.h"
#include "TestSupport.h"

using namespace bars_test;

namespace {


class StatusBar : public BarsFrameTest {
 protected:
  CRect Pane(int i) {
    CRect r;
    frame->statusBar.GetItemRect(i, &r);
    return r;
  }
};

TEST_F(StatusBar, LiesAlongTheBottomWithTheMessagePaneTakingWhatIsLeft) {
  CMFCStatusBar& bar = frame->statusBar;
  CRect client;
  frame->GetClientRect(&client);
  const CRect rect = frame->RectOf(&bar);
  EXPECT_EQ(rect.bottom, client.bottom);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.Width(), client.Width());
  EXPECT_GE(rect.Height(), 20);
  ASSERT_EQ(bar.GetCount(), 4);
  EXPECT_EQ(bar.CommandToIndex(ID_INDICATOR_NUM), 2);
  EXPECT_EQ(bar.CommandToIndex(ID_T_OPEN), -1);
  EXPECT_EQ(bar.GetItemID(3), static_cast<UINT>(ID_INDICATOR_SCRL));
  for (int i = 1; i < 4; ++i) EXPECT_LE(Pane(i - 1).right, Pane(i).left) << i;
  EXPECT_GT(Pane(0).Width(), 3 * Pane(1).Width());
  // The size grip closes the row at the right end, while the frame can be sized.
  const CRect grip = bar.GetSizeGripRect();
  ASSERT_FALSE(grip.IsRectEmpty());
  EXPECT_EQ(grip.right, rect.Width());
  EXPECT_LE(Pane(3).right, grip.left);
  frame->ShowWindow(SW_MAXIMIZE);
  Pump();
  EXPECT_TRUE(bar.GetSizeGripRect().IsRectEmpty());
}

TEST_F(StatusBar, PaneTextsWidthsAndStyles) {
  CMFCStatusBar& bar = frame->statusBar;
  EXPECT_TRUE(bar.SetPaneText(0, L"Press ESC to Abort"));
  EXPECT_EQ(bar.GetPaneText(0), CString(L"Press ESC to Abort"));
  CString window;
  bar.GetWindowText(window);
  EXPECT_EQ(window, CString(L"Press ESC to Abort"));
  EXPECT_FALSE(bar.SetPaneText(4, L"nowhere"));
  EXPECT_EQ(bar.GetPaneText(4), CString());
  EXPECT_EQ(bar.GetPaneText(1), FrameworkString(ID_INDICATOR_CAPS));
  const int before = Pane(1).Width();
  bar.SetPaneWidth(1, bar.GetPaneWidth(1) + 30);
  EXPECT_EQ(Pane(1).Width(), before + 30);
  EXPECT_EQ(bar.GetPaneStyle(0), static_cast<UINT>(SBPS_NOBORDERS | SBPS_STRETCH));
  bar.SetPaneStyle(0, SBPS_STRETCH);
  EXPECT_EQ(bar.GetPaneStyle(0), static_cast<UINT>(SBPS_STRETCH));
  // The bar's own style is still the pane's.
  EXPECT_EQ(bar.GetPaneStyle() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_BOTTOM));
  EXPECT_FALSE(bar.HideInPrintPreviewMode());
  // Texts are measured for the bar in the font it draws them in.
  ASSERT_NE(bar.GetFont(), nullptr);
  EXPECT_EQ(bar.GetFont()->m_hObject, GetStockObject(DEFAULT_GUI_FONT));
}

TEST_F(StatusBar, KeyIndicatorsShowTheirTextWhileTheKeyIsOn) {
  CMFCStatusBar& bar = frame->statusBar;
  struct Case {
    int vk;
    int pane;
    bool on;
    bool shown;  // the frame's handler keeps NUM on whatever the key
  } cases[] = {{VK_CAPITAL, 1, true, true},  {VK_CAPITAL, 1, false, false}, {VK_SCROLL, 3, true, true},
               {VK_SCROLL, 3, false, false}, {VK_NUMLOCK, 2, false, true},  {VK_NUMLOCK, 2, true, true}};
  for (const Case& c : cases) {
    SetKeyState(c.vk, false, c.on);
    IdleUpdate(frame);
    EXPECT_EQ((bar.GetPaneStyle(c.pane) & SBPS_DISABLED) == 0, c.shown) << c.vk << " " << c.on;
    Capture shot(bar.m_hWnd);
    CRect inside = Pane(c.pane);
    inside.DeflateRect(2, 2);
    EXPECT_EQ(CountDarkPixels(shot, inside) > 0, c.shown) << c.vk << " " << c.on;
  }
  EXPECT_EQ(bar.GetPaneText(3), FrameworkString(ID_INDICATOR_SCRL));
}

TEST_F(StatusBar, AProgressPaneShowsItsPosition) {
  CMFCStatusBar& bar = frame->statusBar;
  bar.SetPaneWidth(1, 200);
  bar.EnablePaneProgressBar(1, 200);
  EXPECT_EQ(bar.GetPaneProgress(1), 0);
  EXPECT_EQ(bar.GetPaneProgress(0), -1);
  const COLORREF fill = CMFCVisualManager::GetInstance()->Palette().progress;
  for (long position : {50L, 150L}) {
    bar.SetPaneProgress(1, position);
    EXPECT_EQ(bar.GetPaneProgress(1), position);
    Capture shot(bar.m_hWnd);
    const CRect pane = Pane(1);
    const int y = pane.CenterPoint().y;
    int filled = 0;
    for (int x = pane.left; x < pane.right; ++x) filled += shot.At(x, y) == fill;
    // The bar inside the pane's two borders: its share of the inner width, within a pixel.
    const int inner = pane.Width() - 4;
    EXPECT_NEAR(filled, inner * position / 200, 1) << position;
  }
  bar.SetPaneProgress(1, 500);
  EXPECT_EQ(bar.GetPaneProgress(1), 200);
  bar.EnablePaneProgressBar(1, -1);
  EXPECT_EQ(bar.GetPaneProgress(1), -1);
  EXPECT_EQ(bar.GetPaneProgressTotal(1), -1);
}

}  // namespace

// The feature-pack frame's docking manager with real windows: where docked bars and panes go, what
// is left for the view, and the layout kept in the registry across a "restart" of the frame.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "Framework.h"
#include "TestSupport.h"

// Rectangles in failure messages as their four edges.
void PrintTo(const CRect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

class TestAppEx : public CWinAppEx {
 public:
  TestAppEx() { SetRegistryKey(L"VantryTests"); }
};

TestAppEx theApp;

// A bar of a fixed size along any side, or a pane that keeps the size it is given.
class SizedPane : public CPane {
 public:
  SizedPane(CSize size, BOOL resizable) : size_(size), resizable_(resizable) {}
  BOOL IsResizable() const override { return resizable_; }
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? size_ : CSize(size_.cy, size_.cx); }

 private:
  CSize size_;
  BOOL resizable_;
};

enum : UINT { kTopBar = 0xE810, kSecondBar, kLeftBar, kStatus, kRightPane, kRightPane2 };

class TestFrame : public CFrameWndEx {
 public:
  TestFrame()
      : top(CSize(100, 24), FALSE), second(CSize(80, 24), FALSE), left(CSize(30, 20), FALSE),
        status(CSize(0, 18), FALSE), right(CSize(150, 300), TRUE), right2(CSize(150, 300), TRUE) {}
  BOOL Build() {
    if (!Create(nullptr, L"Docking", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480))) return FALSE;
    view = new CWnd;
    if (!view->Create(L"STATIC", nullptr, WS_CHILD | WS_VISIBLE, CRect(), this, AFX_IDW_PANE_FIRST)) return FALSE;
    EnableDocking(CBRS_ALIGN_ANY);
    const CRect none(0, 0, 150, 300);
    for (auto [pane, id, style] : {std::tuple<SizedPane*, UINT, DWORD>{&top, kTopBar, CBRS_TOP},
                                    {&second, kSecondBar, CBRS_TOP},
                                    {&left, kLeftBar, CBRS_LEFT},
                                    {&status, kStatus, CBRS_BOTTOM},
                                    {&right, kRightPane, CBRS_RIGHT},
                                    {&right2, kRightPane2, CBRS_RIGHT}}) {
      if (!pane->Create(nullptr, WS_VISIBLE | style, none, this, id)) return FALSE;
    }
    top.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
    second.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
    left.EnableDocking(CBRS_ALIGN_LEFT);
    right.EnableDocking(CBRS_ALIGN_ANY);
    right2.EnableDocking(CBRS_ALIGN_ANY);
    DockPane(&top);
    DockPaneLeftOf(&second, &top);
    DockPane(&left);
    DockPane(&right, AFX_IDW_DOCKBAR_RIGHT);
    m_dockManager.DockPaneBeside(&right2, &right, CBRS_ALIGN_BOTTOM);
    RecalcLayout();
    return TRUE;
  }
  CRect RectOf(CWnd* w) {
    CRect r;
    w->GetWindowRect(&r);
    ScreenToClient(&r);
    return r;
  }
  SizedPane top, second, left, status, right, right2;
  CWnd* view = nullptr;
};

class FrameEx : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, L"Software\\VantryTests");
    frame = new TestFrame;
    ASSERT_TRUE(frame->Build());
    frame->GetClientRect(&client);
  }
  void TearDown() override {
    if (frame) frame->DestroyWindow();
    testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, L"Software\\VantryTests");
  }
  TestFrame* frame = nullptr;
  CRect client;
};

TEST_F(FrameEx, BarsGoOutsidePanesAndTheViewTakesTheRest) {
  // The status bar along the bottom, outermost; the top row holds two bars, the second first.
  EXPECT_EQ(frame->RectOf(&frame->status), CRect(0, client.bottom - 18, client.right, client.bottom));
  EXPECT_EQ(frame->RectOf(&frame->second), CRect(0, 0, 80, 24));
  EXPECT_EQ(frame->RectOf(&frame->top), CRect(80, 0, 180, 24));
  // The left bar below the top row, as long as it wants to be.
  EXPECT_EQ(frame->RectOf(&frame->left), CRect(0, 24, 20, 54));
  // The right panes share their row's height, with a divider between them and one inside.
  const int divider = CDockingManager::kDividerSize;
  const CRect r1 = frame->RectOf(&frame->right), r2 = frame->RectOf(&frame->right2);
  EXPECT_EQ(r1.left, client.right - 150);
  EXPECT_EQ(r1.right, client.right);
  EXPECT_EQ(r1.top, 24);
  EXPECT_EQ(r2.top, r1.bottom + divider);
  EXPECT_EQ(r2.bottom, client.bottom - 18);
  EXPECT_LE(std::abs(r1.Height() - r2.Height()), 1);
  EXPECT_EQ(frame->RectOf(frame->view), CRect(20, 24, client.right - 150 - divider, client.bottom - 18));
}

TEST_F(FrameEx, AHiddenPaneGivesItsRoomToTheView) {
  frame->ShowPane(&frame->left, FALSE, FALSE, FALSE);
  frame->ShowPane(&frame->right, FALSE, FALSE, FALSE);
  EXPECT_EQ(frame->RectOf(frame->view).left, 0);
  // The second pane of the right row now has the row to itself.
  EXPECT_EQ(frame->RectOf(&frame->right2).top, 24);
}

TEST_F(FrameEx, TheLayoutComesBackFromTheRegistryAndADamagedValueChangesNothing) {
  frame->ShowPane(&frame->left, FALSE, FALSE, FALSE);
  frame->DockPane(&frame->second, AFX_IDW_DOCKBAR_BOTTOM);
  ASSERT_TRUE(frame->GetDockingManager()->SaveState(L"Workspace\\BarState"));
  frame->DestroyWindow();

  frame = new TestFrame;
  ASSERT_TRUE(frame->Build());
  ASSERT_TRUE(frame->GetDockingManager()->LoadState(L"Workspace\\BarState"));
  EXPECT_FALSE(frame->left.IsVisible());
  EXPECT_EQ(frame->second.GetCurrentAlignment(), static_cast<DWORD>(CBRS_ALIGN_BOTTOM));
  EXPECT_EQ(frame->RectOf(&frame->second).bottom, client.bottom - 18);

  // Cut the stored value short: the frame keeps the layout it was built with.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\VantryTests\\FrameworkFrameEx_test\\Workspace\\BarState", 0,
                          KEY_ALL_ACCESS, &key),
            ERROR_SUCCESS);
  BYTE data[4096];
  DWORD size = sizeof(data), type = 0;
  ASSERT_EQ(RegQueryValueExW(key, L"Layout", nullptr, &type, data, &size), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(key, L"Layout", 0, REG_BINARY, data, size - 3), ERROR_SUCCESS);
  RegCloseKey(key);
  frame->DestroyWindow();
  frame = new TestFrame;
  ASSERT_TRUE(frame->Build());
  EXPECT_FALSE(frame->GetDockingManager()->LoadState(L"Workspace\\BarState"));
  EXPECT_TRUE(frame->left.IsVisible());
  EXPECT_EQ(frame->second.GetCurrentAlignment(), static_cast<DWORD>(CBRS_ALIGN_TOP));
}

}  // namespace

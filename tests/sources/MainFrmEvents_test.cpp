// The main frame's window events in a real frame: the progress display in the status bar with Esc to
// cancel, and hand-off messages that carry no hand-off.
#include <gtest/gtest.h>

#include <vector>

#include "FrameTestSupport.h"
#include "HandOff.h"
#include "resource.h"

namespace {

class FrameEventsTest : public FrameTest {
 protected:
  // The key-down messages still queued for `window`, in order.
  static std::vector<WPARAM> QueuedKeys(HWND window) {
    std::vector<WPARAM> keys;
    MSG msg;
    while (::PeekMessageW(&msg, window, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) keys.push_back(msg.wParam);
    return keys;
  }
  CString StatusText() { return frame->GetStatusBar().GetPaneText(0); }
};

TEST_F(FrameEventsTest, ProgressShowsInTheStatusBarAndHidesAtTheEnd) {
  OpenFrame();
  CProgressCtrl& progress = frame->GetProgressCtrl();
  EXPECT_EQ(0, frame->DoProgress(40, TRUE));
  EXPECT_TRUE(progress.IsWindowVisible());
  EXPECT_EQ(40, progress.GetPos());
  EXPECT_STREQ(L"Press ESC to Abort", StatusText());
  EXPECT_EQ(0, frame->DoProgress(100, FALSE));
  EXPECT_FALSE(progress.IsWindowVisible());
  EXPECT_EQ(0, frame->DoProgress(10, FALSE));
  EXPECT_STREQ(L"   ", StatusText());
  frame->HideProgress();
}

// Esc cancels; the user's other keys, typed while the operation ran, are still there afterwards and in
// their order.
TEST_F(FrameEventsTest, EscCancelsAndTheOtherKeysStayQueued) {
  OpenFrame();
  const HWND target = frame->m_hWnd;
  for (WPARAM key : {WPARAM('A'), WPARAM('B')}) ::PostMessageW(target, WM_KEYDOWN, key, 0);
  EXPECT_EQ(0, frame->DoProgress(20, TRUE));
  EXPECT_TRUE(frame->GetProgressCtrl().IsWindowVisible());
  for (WPARAM key : {WPARAM('C'), WPARAM(VK_ESCAPE), WPARAM('D')}) ::PostMessageW(target, WM_KEYDOWN, key, 0);
  EXPECT_EQ(0, frame->DoProgress(30, FALSE)) << "a display that cannot be cancelled leaves the keys alone";
  EXPECT_EQ(1, frame->DoProgress(40, TRUE));
  EXPECT_FALSE(frame->GetProgressCtrl().IsWindowVisible());
  EXPECT_EQ((std::vector<WPARAM>{'A', 'B', 'C', 'D'}), QueuedKeys(target));
}

TEST_F(FrameEventsTest, ACopyDataThatIsNoHandOffIsAnsweredWithoutADocument) {
  OpenFrame();
  wchar_t path[] = L"Z:\\no\\such\\job.ini";
  const struct {
    ULONG_PTR kind;
    DWORD bytes;
  } cases[] = {{1026, sizeof(path)}, {kHandOffCopyData, sizeof(path) - sizeof(wchar_t)}, {kHandOffCopyData, 0}};
  for (const auto& c : cases) {
    COPYDATASTRUCT data = {c.kind, c.bytes, path};
    EXPECT_EQ(TRUE, ::SendMessageW(frame->m_hWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data))) << c.kind;
    EXPECT_EQ(nullptr, frame->MDIGetActive());
  }
}

}  // namespace

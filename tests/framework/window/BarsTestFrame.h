// The frame the bar tests work on, built as a program's main frame builds its bars: a menu bar, a
// main tool bar whose placeholders its AFX_WM_RESETTOOLBAR handler replaces with a combo box, a
// menu button and an edit box (and, on request, appends a pick-only combo box), a second tool bar,
// and a status bar. It records the commands, resets and notifications it gets.
#pragma once
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BarsTestIds.h"
#include "Framework.h"

// Texts and rectangles in failure messages as what they hold.
void PrintTo(const CString& s, std::ostream* os);
void PrintTo(const CRect& r, std::ostream* os);

namespace bars_test {

// What the product's derived buttons do: made through the class registry, with their own control
// classes; the codes their NotifyCommand sees are logged (a button is copied, so the log is shared).
std::vector<std::pair<UINT, int>>& NotifyLog();

class TestComboBox : public CComboBox {};
class TestSubEdit : public CEdit {};

class TestComboButton : public CMFCToolBarComboBoxButton {
  DECLARE_SERIAL(TestComboButton)
 public:
  TestComboButton() = default;
  TestComboButton(UINT id, DWORD style, int width);
  CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect) override;
  BOOL NotifyCommand(int iNotifyCode) override;
};

class TestEditButton : public CMFCToolBarEditBoxButton {
  DECLARE_SERIAL(TestEditButton)
 public:
  TestEditButton() = default;
  TestEditButton(UINT id, int width);
  CEdit* CreateEdit(CWnd* pWndParent, const CRect& rect) override;
  BOOL NotifyCommand(int iNotifyCode) override;
};

// A menu bar as the product derives it: pop-ups with nothing but separators are dropped.
class TidyMenuBar : public CMFCMenuBar {
 public:
  void CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu = FALSE, BOOL bForceUpdate = FALSE) override;
};

// The pane ids of the frame's bars.
enum : UINT { kMainBarId = AFX_IDW_TOOLBAR, kToolsBarId = AFX_IDW_CONTROLBAR_FIRST + 0x30 };
// The zoom box's items.
extern const wchar_t* const kZoomItems[4];

class BarsFrame : public CFrameWndEx {
 public:
  // A shown frame with its bars, or null when it cannot be made.
  static BarsFrame* Make(BOOL tidyMenuBar = FALSE);

  CMFCMenuBar* menuBar = nullptr;
  CMFCToolBar mainBar;
  CMFCToolBar toolsBar;
  CMFCStatusBar statusBar;

  // What arrived.
  std::map<UINT, int> commands;
  std::map<UINT, int> resets;
  std::vector<BOOL> customizeMessages;
  int dropDowns = 0;
  int updateSaveCalls = 0;
  // What the handlers answer.
  BOOL eraseShown = FALSE;
  BOOL saveEnabled = TRUE;
  int snapCheck = 0;
  LRESULT dropDownAnswer = 0;

  // The rectangle of a pane in this frame's client coordinates.
  CRect RectOf(CWnd* pWnd) const;

 protected:
  explicit BarsFrame(BOOL tidy);
  ~BarsFrame() override;
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnCommandRange(UINT nID);
  afx_msg void OnUpdateSave(CCmdUI* pCmdUI);
  afx_msg void OnUpdateSnap(CCmdUI* pCmdUI);
  afx_msg void OnUpdateNumIndicator(CCmdUI* pCmdUI);
  afx_msg LRESULT OnToolbarReset(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnCustomizeToolbar(WPARAM wParam, LPARAM lParam);
  afx_msg void OnSpellDropDown(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

 private:
  BOOL m_tidy;
};

// Runs the thread's queue empty, through the application's pre-translation as its loop would.
void Pump();
// What the application's idle time does: every pane asks the frame for its commands' states.
void IdleUpdate(CFrameWnd* frame);
// A mouse click at the centre of `rect` of `wnd` (client coordinates).
void ClickAt(CWnd* wnd, const CRect& rect);
// What a user does while a menu tracks, one step per tick of a thread timer: a key, or the mouse
// moved to a point of the screen.
struct TrackingStep {
  UINT key;
  POINT mouse;
};
void FeedWhileTracking(HWND target, const std::vector<TrackingStep>& steps);
void FeedKeysWhileTracking(HWND target, const std::vector<UINT>& keys);
// Sets a key's state for this thread as the keyboard would (down, or toggled on).
void SetKeyState(int vk, bool down, bool toggled);

// The pixels of a window as drawn on screen, client coordinates, 0x00RRGGBB.
class Capture {
 public:
  explicit Capture(HWND hwnd);
  COLORREF At(int x, int y) const;
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  std::vector<DWORD> pixels_;
  int width_ = 0, height_ = 0;
};

// Pixels of `rect` darker than any face colour of the bars: text, edges, a grip.
int CountDarkPixels(const Capture& shot, const CRect& rect);
// A top-down 32-bit DIB section; `bits` receives its pixels.
HBITMAP NewDibSection(int width, int height, void** bits);

// The registry profile the tests' application writes under.
extern const wchar_t kProfileKey[];

// A string of the framework's own table (its default texts), in the default language.
CString FrameworkString(UINT id);

// Every case starts with an empty profile and a new frame, and leaves neither behind. Key states a
// case set are cleared.
class BarsFrameTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A frame whose menu bar drops the pop-ups of separators.
  virtual BOOL Tidy() const { return FALSE; }
  BarsFrame* frame = nullptr;
};

}  // namespace bars_test

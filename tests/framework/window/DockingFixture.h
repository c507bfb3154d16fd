// The docking tests' frame: a feature-pack frame with the three panes the main program docks on its
// right side (forms, shelf and properties, each a pane whose list fills its client area), built the
// way the program builds them, plus helpers that drive the mouse by messages or for real.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "Framework.h"

void PrintTo(const CRect& r, std::ostream* os);
void PrintTo(const CPoint& p, std::ostream* os);

namespace docking_test {

// Ids the program gives its panes.
enum : UINT { kShelfId = 33179, kPropertiesId = 33176, kFormsId = 33184, kCustomizeCmd = 33141 };

// A pane like the program's: one list over its whole client area, which takes the focus.
class ListPane : public CDockablePane {
 public:
  CWnd m_list;
  int m_sizes = 0;  // WM_SIZE messages seen

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  DECLARE_MESSAGE_MAP()
};

// A tab group like the program's pages pane: no caption, no borders, tabs on top wrapping empty
// "Static" windows that go with their tabs; it records the active-tab messages its tabs send.
class PagesPane : public CTabbedPane {
 public:
  PagesPane() : CTabbedPane(FALSE) {}
  // Created and styled as the program's document frames do, docked by the caller.
  BOOL CreateIn(CFrameWnd* pFrame);
  void SetPageCount(int count);
  // The strip's height with two pages or more, else 0.
  int GetTabsHeight() const;
  CMFCTabCtrl* tabs = nullptr;
  std::vector<std::pair<WPARAM, LPARAM>> changes;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg LRESULT OnChangeActiveTab(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

class DockFrame : public CFrameWndEx {
 public:
  // Makes the frame (not shown) with a view and, unless `bare`, the three panes docked as the
  // program docks them: forms on the right, the shelf above it, properties a tab of the shelf.
  BOOL Build(bool bare = false);
  CRect RectOf(CWnd* w) const;  // in this frame's client coordinates
  CRect ClientArea() const;

  ListPane forms, shelf, properties;
  CWnd* view = nullptr;
  CDockablePane* group = nullptr;  // the shelf's tab group

  // What the frame heard.
  std::vector<CWnd*> closeRequests;
  BOOL keepOnClose = FALSE;
  std::vector<UINT> commands;
  int toolbarMenus = 0;
  BOOL ownToolbarMenu = FALSE;

 protected:
  afx_msg LRESULT OnPressClose(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnToolbarMenu(WPARAM wParam, LPARAM lParam);
  afx_msg void OnCustomize();
  DECLARE_MESSAGE_MAP()
};

// Handles whatever is waiting (and what it causes) for `ms` milliseconds.
void Pump(DWORD ms = 30);
CRect ScreenRect(const CWnd* w);

// The mouse by messages: a button press on the non-client area, moves and release as the window
// holding the capture gets them.
void SendNcButtonDown(CWnd* w, UINT hit, CPoint screen);
void SendToCapture(UINT message, CPoint screen);

// The real mouse (tests registered to run alone): moves the cursor and presses or releases the
// left button at screen points, pumping messages after each step.
void RealMouseMove(CPoint screen);
void RealMouseDown(CPoint screen);
void RealMouseUp(CPoint screen);
void RealMouseDrag(CPoint from, CPoint to, int steps = 8);
void RealRightClick(CPoint screen);
void RealDoubleClick(CPoint screen);
// A whole drag put in at once, for drags a modal loop of the system follows.
void RealMouseDragAtOnce(CPoint from, CPoint to);

// Runs `show` (which opens a popup menu) and, while the menu is open, reads its item texts and
// states and picks the item whose text is `pick` (none when empty). Returns the texts seen, each
// with "[x]" appended when checked and "[-]" when greyed.
std::vector<std::wstring> DriveMenu(const std::function<void()>& show, const std::wstring& pick);

// The colour of a pixel of `w`'s window (non-client area included) as drawn now.
COLORREF WindowPixel(CWnd* w, CPoint windowPoint);

}  // namespace docking_test

// What the bar classes share inside the framework DLL.
#pragma once
#include "fw/Dc.h"
#include "fw/ToolBar.h"

namespace fw_bars {

// Posts command `id` to the frame of `bar` as a menu item would (WM_COMMAND, no control).
void PostCommand(CWnd* bar, UINT id);
// Makes Enter in `control` (an edit box, or the edit field of a combo box) send its bar
// WM_COMMAND with `code` from `notifier` (the control the button knows: the edit box or the combo).
void WatchReturnKey(HWND control, HWND notifier, UINT code);
// The number of pop-up menu windows the thread shows (a sub-menu open adds one).
int OpenPopupMenus();

// One item of a menu as the bars read it.
struct MenuItem {
  UINT id = 0;
  CString text;
  HMENU popup = nullptr;
  BOOL separator = FALSE;
  UINT state = 0;  // MFS_*
};
// Item `index` of `hMenu`; FALSE when the menu has no such item.
BOOL ReadMenuItem(HMENU hMenu, int index, MenuItem& item);

}  // namespace fw_bars

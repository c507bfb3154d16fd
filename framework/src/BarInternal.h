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

// Paints `wnd`'s client area off screen with `draw` (a CDC* in client coordinates), then shows it
// at once: bars draw their background first and every button over it.
template <class Draw>
void PaintOffScreen(CWnd* wnd, Draw draw) {
  CPaintDC paint(wnd);
  CRect client;
  wnd->GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  CDC memory;
  memory.CreateCompatibleDC(&paint);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&paint, client.Width(), client.Height());
  CBitmap* old = memory.SelectObject(&bitmap);
  draw(&memory);
  paint.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
  memory.SelectObject(old);
}

}  // namespace fw_bars

// Painting into a bitmap first and copying it to the window at once: controls that draw a
// background and then every part over it do not flicker.
#pragma once
#include "fw/Dc.h"
#include "fw/Gdi.h"
#include "fw/Wnd.h"

namespace fw_internal {

// Paints `wnd`'s client area with `draw` (a CDC* in client coordinates) into a bitmap, then
// copies it to the window.
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

}  // namespace fw_internal

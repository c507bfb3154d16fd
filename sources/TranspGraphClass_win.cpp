// The window side of the graphic base: cursors per handle, device coordinates and state frames.
#include "TranspGraphClass.h"

#include "ErrorLog.h"

namespace {

// The program's own move cursor.
constexpr int kMoveCursorResource = 192;

struct CURSOR_ROW {
  int capture;
  LPCWSTR systemCursor;  // null: the program's move cursor
};
const CURSOR_ROW kHandleCursors[] = {
    {CAPTURE_BODY, nullptr},          {CAPTURE_LEFT_BAND, nullptr},        {CAPTURE_TOP_BAND, nullptr},
    {CAPTURE_RIGHT_BAND, nullptr},    {CAPTURE_BOTTOM_BAND, nullptr},      {CAPTURE_TOP_LEFT, IDC_SIZENWSE},
    {CAPTURE_BOTTOM_RIGHT, IDC_SIZENWSE}, {CAPTURE_TOP_RIGHT, IDC_SIZENESW}, {CAPTURE_BOTTOM_LEFT, IDC_SIZENESW},
    {CAPTURE_MID_LEFT, IDC_SIZEWE},   {CAPTURE_MID_RIGHT, IDC_SIZEWE},     {CAPTURE_MID_TOP, IDC_SIZENS},
    {CAPTURE_MID_BOTTOM, IDC_SIZENS},
};

}  // namespace

HCURSOR GetMoveCursor() {
  HCURSOR cursor = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(kMoveCursorResource));
  return cursor != nullptr ? cursor : ::LoadCursorW(nullptr, IDC_SIZEALL);
}

HCURSOR GetHandleCursor(int capture) {
  for (const CURSOR_ROW& row : kHandleCursors) {
    if (row.capture != capture) continue;
    return row.systemCursor != nullptr ? ::LoadCursorW(nullptr, row.systemCursor) : GetMoveCursor();
  }
  return nullptr;
}

void CTranspGraphClass::ClearViewClassCursor() {
  HWND window = m_pView != nullptr ? m_pView->GetSafeHwnd() : nullptr;
  if (window != nullptr) ::SetClassLongPtrW(window, GCLP_HCURSOR, 0);
}

void CTranspGraphClass::SetObjectCursor(POINT point) {
  DEF_TRY
  ClearViewClassCursor();
  HCURSOR cursor = GetHandleCursor(GetCapture(point));
  if (cursor != nullptr) ::SetCursor(cursor);
  DEF_CATCH("CTranspGraphClass::SetObjectCursor")
}

POINT CTranspGraphClass::DevicePoint(int x, int y, int print, CDC* dc, const POINT* dpi) {
  POINT p = {x, y};
  if (!print) {
    UnitToPage(&p);
    PageToView(&p);
    return p;
  }
  const int resX = dpi != nullptr ? dpi->x : dc->GetDeviceCaps(LOGPIXELSX);
  const int resY = dpi != nullptr ? dpi->y : dc->GetDeviceCaps(LOGPIXELSY);
  return {UnitToDevice(x, resX), UnitToDevice(y, resY)};
}

RECT CTranspGraphClass::DeviceRect(const RECT& units, int print, CDC* dc, const POINT* dpi) {
  const POINT a = DevicePoint(units.left, units.top, print, dc, dpi);
  const POINT b = DevicePoint(units.right, units.bottom, print, dc, dpi);
  return {a.x, a.y, b.x, b.y};
}

void CTranspGraphClass::DrawFocusHandles(CDC* dc, const RECT& box) {
  DrawFocusFrame(dc, box.left, box.top, box.right, box.bottom, 1);
}

void CTranspGraphClass::DrawStateFrame(CDC* dc, const RECT& box) {
  if (m_selected) {
    DrawSelectFrame(dc, box.left, box.top, box.right, box.bottom, 1);
  } else if (m_frozen) {
    HideViewCaret();
    DrawFreezeFrame(dc, box.left, box.top, box.right, box.bottom);
  } else if (m_focused) {
    HideViewCaret();
    DrawFocusHandles(dc, box);
  }
}

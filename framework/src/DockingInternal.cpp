#include "DockingInternal.h"

#include <algorithm>

#include "fw/DockablePane.h"
#include "fw/PaneStyles.h"
#include "fw/FrameEx.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace fw_docking {

HMODULE FrameworkModule() { return reinterpret_cast<HMODULE>(&__ImageBase); }

HFONT UiFont() { return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }

int UiTextHeight() {
  static const int height = [] {
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, UiFont());
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return std::max(static_cast<int>(tm.tmHeight), 10);
  }();
  return height;
}

int CaptionHeight() { return UiTextHeight() + 6; }
int CaptionButtonSize() { return CaptionHeight() - 4; }

CDockingManager* ManagerOf(CWnd* frame) {
  if (!frame) return nullptr;
  if (frame->IsKindOf(RUNTIME_CLASS(CMDIFrameWndEx))) return static_cast<CMDIFrameWndEx*>(frame)->GetDockingManager();
  if (frame->IsKindOf(RUNTIME_CLASS(CFrameWndEx))) return static_cast<CFrameWndEx*>(frame)->GetDockingManager();
  if (frame->IsKindOf(RUNTIME_CLASS(CMDIChildWndEx))) return static_cast<CMDIChildWndEx*>(frame)->GetDockingManager();
  return nullptr;
}

CDockablePane* DockablePaneOf(HWND hWnd) {
  for (HWND h = hWnd; h; h = ::GetAncestor(h, GA_PARENT)) {
    CWnd* w = CWnd::FromHandlePermanent(h);
    if (w && w->IsKindOf(RUNTIME_CLASS(CDockablePane))) return static_cast<CDockablePane*>(w);
    if (!(::GetWindowLongW(h, GWL_STYLE) & WS_CHILD)) break;
  }
  return nullptr;
}

CRect RectIn(const CWnd* wnd, const CWnd* parent) {
  CRect r;
  ::GetWindowRect(wnd->m_hWnd, &r);
  ::MapWindowPoints(nullptr, parent->m_hWnd, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

CRect StripAt(const CRect& rect, DWORD side, int thickness) {
  CRect strip = rect;
  switch (side) {
    case CBRS_ALIGN_TOP: strip.bottom = strip.top + thickness; break;
    case CBRS_ALIGN_BOTTOM: strip.top = strip.bottom - thickness; break;
    case CBRS_ALIGN_LEFT: strip.right = strip.left + thickness; break;
    default: strip.left = strip.right - thickness; break;
  }
  return strip;
}

void PlaceWindow(HWND hWnd, const CRect& rect) {
  ::SetWindowPos(hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void DrawLabel(HDC dc, const wchar_t* text, const CRect& rect, COLORREF color, bool vertical, UINT format) {
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = ::SetTextColor(dc, color);
  if (!vertical) {
    HGDIOBJ old = ::SelectObject(dc, UiFont());
    RECT r = rect;
    ::DrawTextW(dc, text, -1, &r, format | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dc, old);
  } else {
    // A font turned a quarter clockwise; its text starts at the top and reads downwards.
    LOGFONTW lf = {};
    ::GetObjectW(UiFont(), sizeof(lf), &lf);
    lf.lfEscapement = lf.lfOrientation = 2700;
    HFONT turned = ::CreateFontIndirectW(&lf);
    HGDIOBJ old = ::SelectObject(dc, turned);
    const int length = lstrlenW(text);
    SIZE extent = {};
    ::GetTextExtentPoint32W(dc, text, length, &extent);
    const int x = rect.left + (rect.Width() + extent.cy) / 2;
    const int y = rect.top + std::max(0, static_cast<int>((rect.Height() - extent.cx) / 2));
    RECT clip = rect;
    ::ExtTextOutW(dc, x, y, ETO_CLIPPED, &clip, text, static_cast<UINT>(length), nullptr);
    ::SelectObject(dc, old);
    ::DeleteObject(turned);
  }
  ::SetTextColor(dc, oldColor);
  ::SetBkMode(dc, oldMode);
}

}  // namespace fw_docking

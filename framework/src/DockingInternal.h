// Helpers shared by the docking classes (panes, tabs, floating frames, auto-hide, markers); not part
// of the framework's interface.
#pragma once
#include <windows.h>

#include "fw/Geometry.h"

class CWnd;
class CFrameWnd;
class CDockingManager;
class CDockablePane;
class CBasePane;

namespace fw_docking {

// The framework DLL's own module, which holds the docking classes' resources.
HMODULE FrameworkModule();

// The font of pane captions, tabs and auto-hide buttons (the stock GUI font), and its line height.
HFONT UiFont();
int UiTextHeight();
// The height of a pane caption and the side of its square buttons.
int CaptionHeight();
int CaptionButtonSize();

// The docking manager of a feature-pack frame, or null for any other window.
CDockingManager* ManagerOf(CWnd* frame);

// The dockable pane holding `hWnd` (itself included), innermost first; null when none.
CDockablePane* DockablePaneOf(HWND hWnd);

// The window rectangle of `wnd` in the client coordinates of `parent`.
CRect RectIn(const CWnd* wnd, const CWnd* parent);

// The strip `thickness` thick along `side` (a CBRS_ALIGN_ bit) of `rect`, inside it.
CRect StripAt(const CRect& rect, DWORD side, int thickness);

// Moves a window without changing its z-order or activation.
void PlaceWindow(HWND hWnd, const CRect& rect);

// A point in a mouse message's LPARAM.
inline CPoint PointOf(LPARAM lParam) {
  return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

// Draws `text` rotated for a vertical auto-hide button (reading downwards) or straight.
void DrawLabel(HDC dc, const wchar_t* text, const CRect& rect, COLORREF color, bool vertical, UINT format);

}  // namespace fw_docking

// The window side of the object base: repainting in the view, the clipboard, the mouse's drag-out
// test and the painters of the selection, focus and freeze frames.
#include "TranspBaseClass.h"

#include <algorithm>

#include "ErrorLog.h"
#include "MyProcs.h"

namespace {

HWND ViewWindow(CWnd* view) {
  return view != nullptr ? view->GetSafeHwnd() : nullptr;
}

}  // namespace

void CTranspBaseClass::Repaint(const RECT* extra) {
  DEF_TRY
  HWND window = ViewWindow(m_pView);
  if (window == nullptr) return;
  RECT r;
  GetRepaintRect(&r);
  if (extra != nullptr) ::UnionRect(&r, &r, extra);
  ::InvalidateRect(window, &r, FALSE);
  DEF_CATCH("CTranspBaseClass::Repaint")
}

void CTranspBaseClass::HideViewCaret() {
  HWND window = ViewWindow(m_pView);
  if (window != nullptr && ::GetFocus() == window) ::HideCaret(window);
}

int CTranspBaseClass::OnMouseMove(UINT flags, int x, int y) {
  (void)flags;
  DEF_TRY
  HWND window = ViewWindow(m_pView);
  if (!m_tracking || window == nullptr) return 1;
  RECT client;
  ::GetClientRect(window, &client);
  POINT p = {x, y};
  if (::PtInRect(&client, p) || IsFormMode()) return 1;
  // Leaving the window in design mode turns the move into a copy by drag and drop.
  RestorePosition();
  BeginDrag();
  m_tracking = 0;
  return 0;
  DEF_CATCH("CTranspBaseClass::OnMouseMove")
  return 0;
}

void CTranspBaseClass::CopyToClipboard() {
  DEF_TRY
  if (!CanCopyToClipboard() || s_clipboardFormat == 0) return;
  HGLOBAL data = GetObData();
  if (data == nullptr) return;
  if (!::OpenClipboard(ViewWindow(m_pView))) {
    ::GlobalFree(data);
    return;
  }
  ::EmptyClipboard();
  // The clipboard owns the block once it has taken it.
  if (::SetClipboardData(s_clipboardFormat, data) == nullptr) ::GlobalFree(data);
  ::CloseClipboard();
  DEF_CATCH("CTranspBaseClass::CopyToClipboard")
}

void CTranspBaseClass::BeginDrag() {
  DEF_TRY
  if (s_clipboardFormat == 0) return;
  HGLOBAL data = GetObData();
  if (data == nullptr) return;
  // The source owns the block from here and frees it when the drag is over.
  COleDataSource source;
  source.CacheGlobalData(static_cast<CLIPFORMAT>(s_clipboardFormat), data);
  source.DoDragDrop(DROPEFFECT_COPY);
  DEF_CATCH("CTranspBaseClass::BeginDrag")
}

COLORREF CTranspBaseClass::GetDrawColor() {
  if (IsTabOrderMode()) return m_focused ? m_tabOrderFocusColor : m_tabOrderColor;
  return m_style.color;
}

int CTranspBaseClass::UnitToDevice(int units, int resolution) {
  return RoundToInt(UnitToInch(units) * resolution);
}

BOOL CTranspBaseClass::CreateShapePen(CPen& pen, CDC* dc, int print, const POINT* dpi) {
  DEF_TRY
  int width = 0;
  if (!print) {
    width = GetPixelLineWidth();
  } else {
    const int resolution = dpi != nullptr ? dpi->x : (dc != nullptr ? dc->GetDeviceCaps(LOGPIXELSX) : 0);
    width = UnitToDevice(m_style.lineWidth, resolution);
  }
  if (width == 0) width = 1;
  LOGBRUSH brush = {BS_SOLID, GetDrawColor(), 0};
  return pen.CreatePen(PS_GEOMETRIC | PS_ENDCAP_SQUARE | (m_style.penStyle & PS_STYLE_MASK), width, &brush);
  DEF_CATCH("CTranspBaseClass::CreateShapePen")
  return FALSE;
}

// ---- Painters ----

void CTranspBaseClass::DrawSelectFrame(CDC* dc, int left, int top, int right, int bottom, int middles) {
  DEF_TRY
  if (dc == nullptr) return;
  HideViewCaret();
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  DrawSelectSquare(dc, left, top);
  DrawSelectSquare(dc, right - 1, top);
  DrawSelectSquare(dc, right - 1, bottom - 1);
  DrawSelectSquare(dc, left, bottom - 1);
  if (middles) {
    DrawSelectSquare(dc, (left + right) / 2, top);
    DrawSelectSquare(dc, right - 1, (top + bottom) / 2);
    DrawSelectSquare(dc, (left + right) / 2, bottom - 1);
    DrawSelectSquare(dc, left, (top + bottom) / 2);
  }
  DEF_CATCH("CTranspBaseClass::DrawSelectFrame")
}

// Inverting with the pattern: a second drawing restores the picture under it.
void CTranspBaseClass::DrawSelectSquare(CDC* dc, int x, int y) {
  DEF_TRY
  CBrush brush;
  brush.CreateSolidBrush(0x808080);
  CBrush* old = dc->SelectObject(&brush);
  dc->PatBlt(x - 3, y - 3, 7, 7, PATINVERT);
  dc->SelectObject(old);
  DEF_CATCH("CTranspBaseClass::DrawSelectSquare")
}

namespace {

// The focus handles: a one-pixel red pen, a pink fill.
void DrawFocusHandle(CDC* dc, int left, int top, int right, int bottom, bool round) {
  CPen pen;
  pen.CreatePen(PS_SOLID, 1, 0xFF0000);
  CBrush brush;
  brush.CreateSolidBrush(0xFF9BFF);
  CPen* oldPen = dc->SelectObject(&pen);
  CBrush* oldBrush = dc->SelectObject(&brush);
  if (round) {
    dc->Ellipse(left, top, right, bottom);
  } else {
    dc->Rectangle(left, top, right, bottom);
  }
  dc->SelectObject(oldBrush);
  dc->SelectObject(oldPen);
}

}  // namespace

void CTranspBaseClass::DrawFocusSquare(CDC* dc, int x, int y) {
  DEF_TRY
  DrawFocusHandle(dc, x - 3, y - 3, x + 3, y + 3, false);
  DEF_CATCH("CTranspBaseClass::DrawFocusSquare")
}

void CTranspBaseClass::DrawFocusCircle(CDC* dc, int x, int y) {
  DEF_TRY
  DrawFocusHandle(dc, x - 4, y - 4, x + 3, y + 3, true);
  DEF_CATCH("CTranspBaseClass::DrawFocusCircle")
}

void CTranspBaseClass::DrawFocusFrame(CDC* dc, int left, int top, int right, int bottom, int middles) {
  DEF_TRY
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  DrawFocusSquare(dc, left, top);
  DrawFocusSquare(dc, right, top);
  DrawFocusSquare(dc, right, bottom);
  DrawFocusSquare(dc, left, bottom);
  if (middles) {
    DrawFocusSquare(dc, (left + right) / 2, top);
    DrawFocusSquare(dc, right, (top + bottom) / 2);
    DrawFocusSquare(dc, (left + right) / 2, bottom);
    DrawFocusSquare(dc, left, (top + bottom) / 2);
  }
  DEF_CATCH("CTranspBaseClass::DrawFocusFrame")
}

void CTranspBaseClass::DrawFreezeMark(CDC* dc, int x, int y) {
  DEF_TRY
  CPen pen;
  pen.CreatePen(PS_SOLID, 2, 0x808080);
  CPen* old = dc->SelectObject(&pen);
  dc->MoveTo(x - 3, y - 3);
  dc->LineTo(x + 3, y + 3);
  dc->MoveTo(x - 3, y + 3);
  dc->LineTo(x + 3, y - 3);
  dc->SelectObject(old);
  DEF_CATCH("CTranspBaseClass::DrawFreezeMark")
}

void CTranspBaseClass::DrawFreezeFrame(CDC* dc, int left, int top, int right, int bottom) {
  DEF_TRY
  const int l = std::min(left, right), r = std::max(left, right) - 1;
  const int t = std::min(top, bottom), b = std::max(top, bottom) - 1;
  const POINT corners[4] = {{l, t}, {r, t}, {r, b}, {l, b}};
  for (const POINT& c : corners) DrawFreezeMark(dc, c.x, c.y);
  DEF_CATCH("CTranspBaseClass::DrawFreezeFrame")
}

void CTranspBaseClass::DrawTabOrderIndex(CDC* dc) {
  DEF_TRY
  if (dc == nullptr || !IsTabOrderMode()) return;
  double scale = 1.0;
  if (s_conversions != nullptr && s_conversions->GetFontScaleFactor != nullptr) {
    scale = s_conversions->GetFontScaleFactor(m_pView);
  }
  LOGFONTW lf = {};
  lf.lfHeight = RoundToInt(-80 * scale);
  lf.lfWeight = 700;
  lf.lfPitchAndFamily = 34;
  ::lstrcpynW(lf.lfFaceName, L"MS Sans Serif", LF_FACESIZE);
  CFont font;
  font.CreatePointFontIndirect(&lf, dc);
  RECT bounds;
  GetBoundsRect(&bounds, 0);
  POINT at = {bounds.left + 5, bounds.top + 3};
  ClientToPage(&at);
  PageToView(&at);
  CFont* oldFont = dc->SelectObject(&font);
  const COLORREF oldColor = dc->SetTextColor(0x00A000);
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  CString text;
  text.Format(L"%d", m_tabOrderIndex);
  dc->TextOut(at.x, at.y, text);
  dc->SetBkMode(oldMode);
  dc->SetTextColor(oldColor);
  dc->SelectObject(oldFont);
  DEF_CATCH("CTranspBaseClass::DrawTabOrderIndex")
}

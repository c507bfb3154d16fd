#include "TranspGraphClass.h"

#include <algorithm>
#include <cstring>

#include "ErrorLog.h"

// ---- Handle geometry ----

namespace {

constexpr int kHalfHandle = GRAPH_HANDLE_SIZE / 2;

BOOL Inside(const RECT& r, POINT p) { return ::PtInRect(&r, p); }

RECT LeftBand(const RECT& b) { return {b.left, b.top, b.left + GRAPH_HANDLE_SIZE, b.bottom}; }
RECT TopBand(const RECT& b) { return {b.left, b.top, b.right, b.top + GRAPH_HANDLE_SIZE}; }
RECT RightBand(const RECT& b) { return {b.right - GRAPH_HANDLE_SIZE, b.top, b.right, b.bottom}; }
RECT BottomBand(const RECT& b) { return {b.left, b.bottom - GRAPH_HANDLE_SIZE, b.right, b.bottom}; }

// A middle handle: a square of side 2h centred on an edge midpoint.
RECT HandleSquare(int x, int y) {
  return {x - GRAPH_HANDLE_SIZE, y - GRAPH_HANDLE_SIZE, x + GRAPH_HANDLE_SIZE, y + GRAPH_HANDLE_SIZE};
}

}  // namespace

RECT NormalizedRect(const RECT& r) {
  return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
          std::max(r.top, r.bottom)};
}

int MiddleHandleAt(const RECT& b, POINT p) {
  const int midX = (b.left + b.right) / 2, midY = (b.top + b.bottom) / 2;
  const struct {
    int code;
    RECT square;
  } handles[] = {{CAPTURE_MID_RIGHT, HandleSquare(b.right, midY)},
                 {CAPTURE_MID_BOTTOM, HandleSquare(midX, b.bottom)},
                 {CAPTURE_MID_TOP, HandleSquare(midX, b.top)},
                 {CAPTURE_MID_LEFT, HandleSquare(b.left, midY)}};
  for (const auto& h : handles)
    if (Inside(h.square, p)) return h.code;
  return CAPTURE_NONE;
}

int CornerHandleAt(const RECT& b, POINT p) {
  const BOOL left = Inside(LeftBand(b), p), top = Inside(TopBand(b), p);
  const BOOL right = Inside(RightBand(b), p), bottom = Inside(BottomBand(b), p);
  if (left && top) return CAPTURE_TOP_LEFT;
  if (top && right) return CAPTURE_TOP_RIGHT;
  if (right && bottom) return CAPTURE_BOTTOM_RIGHT;
  if (bottom && left) return CAPTURE_BOTTOM_LEFT;
  return CAPTURE_NONE;
}

int EdgeBandAt(const RECT& b, POINT p) {
  if (Inside(LeftBand(b), p)) return CAPTURE_LEFT_BAND;
  if (Inside(TopBand(b), p)) return CAPTURE_TOP_BAND;
  if (Inside(RightBand(b), p)) return CAPTURE_RIGHT_BAND;
  if (Inside(BottomBand(b), p)) return CAPTURE_BOTTOM_BAND;
  return CAPTURE_NONE;
}

BOOL IsInnerRectEmpty(const RECT& b) {
  const RECT inner = {b.left + GRAPH_HANDLE_SIZE, b.top + GRAPH_HANDLE_SIZE, b.right - GRAPH_HANDLE_SIZE,
                      b.bottom - GRAPH_HANDLE_SIZE};
  return ::IsRectEmpty(&inner);
}

int GraphCaptureAt(const RECT& b, POINT p) {
  if (IsInnerRectEmpty(b)) return CAPTURE_NONE;
  if (int code = MiddleHandleAt(b, p)) return code;
  if (int code = CornerHandleAt(b, p)) return code;
  if (int code = EdgeBandAt(b, p)) return code;
  const RECT inner = {b.left + GRAPH_HANDLE_SIZE, b.top + GRAPH_HANDLE_SIZE, b.right - GRAPH_HANDLE_SIZE,
                      b.bottom - GRAPH_HANDLE_SIZE};
  return Inside(inner, p) ? CAPTURE_BODY : CAPTURE_NONE;
}

// ---- Construction ----

CTranspGraphClass::CTranspGraphClass(CWnd* view, int pageIndex)
    : CTranspBaseClass(view, pageIndex), m_aspectRatio(0.0), m_keepAspect(0), m_capture(CAPTURE_NONE) {
  m_style.color = 0;
  m_style.lineWidth = 0;
  m_style.penStyle = 0;
  m_graphReserved1 = 0;
  m_graphReserved2 = 0;
}

CTranspGraphClass::~CTranspGraphClass() = default;

// ---- Rectangles ----

RECT* CTranspGraphClass::GetAlignRect(RECT* out) {
  if (out != nullptr) *out = m_rect;
  return out;
}

void CTranspGraphClass::UnitsToBounds(const RECT& units, RECT* out) {
  RECT r = NormalizedRect(units);
  UnitToPage(&r);
  PageToClient(&r);
  ::InflateRect(&r, kHalfHandle, kHalfHandle);
  *out = r;
}

void CTranspGraphClass::GetBoundsRect(RECT* out, int arg) {
  (void)arg;
  DEF_TRY
  if (out == nullptr) return;
  UnitsToBounds(m_rect, out);
  DEF_CATCH("CTranspGraphClass::GetBoundsRect")
}

void CTranspGraphClass::GraphRepaintRect(RECT* out) {
  GetBoundsRect(out, 0);
  const int halfPen = GetPixelLineWidth() / 2;
  const int d = kHalfHandle < halfPen ? halfPen - kHalfHandle : 4;
  ::InflateRect(out, d, d);
}

void CTranspGraphClass::GetRepaintRect(RECT* out) {
  DEF_TRY
  if (out == nullptr) return;
  GraphRepaintRect(out);
  DEF_CATCH("CTranspGraphClass::GetRepaintRect")
}

// ---- Geometry changes ----

void CTranspGraphClass::AfterGeometryChange(const RECT& repaintBefore, int dx, int dy) {
  Repaint(&repaintBefore);
  if (dx != 0 || dy != 0) SetModified();
}

void CTranspGraphClass::Resize(int dx, int dy) {
  DEF_TRY
  RECT before;
  GetRepaintRect(&before);
  switch (m_capture) {
    case CAPTURE_BODY:
    case CAPTURE_LEFT_BAND:
    case CAPTURE_TOP_BAND:
    case CAPTURE_RIGHT_BAND:
    case CAPTURE_BOTTOM_BAND: ::OffsetRect(&m_rect, dx, dy); break;
    case CAPTURE_TOP_LEFT: m_rect.left += dx; m_rect.top += dy; break;
    case CAPTURE_TOP_RIGHT: m_rect.right += dx; m_rect.top += dy; break;
    case CAPTURE_BOTTOM_RIGHT: m_rect.right += dx; m_rect.bottom += dy; break;
    case CAPTURE_BOTTOM_LEFT: m_rect.left += dx; m_rect.bottom += dy; break;
    case CAPTURE_MID_LEFT: m_rect.left += dx; break;
    case CAPTURE_MID_TOP: m_rect.top += dy; break;
    case CAPTURE_MID_RIGHT: m_rect.right += dx; break;
    case CAPTURE_MID_BOTTOM: m_rect.bottom += dy; break;
    default: break;
  }
  AfterGeometryChange(before, dx, dy);
  DEF_CATCH("CTranspGraphClass::Resize")
}

void CTranspGraphClass::MoveBy(int dx, int dy) {
  DEF_TRY
  RECT before;
  GetRepaintRect(&before);
  ::OffsetRect(&m_rect, dx, dy);
  AfterGeometryChange(before, dx, dy);
  DEF_CATCH("CTranspGraphClass::MoveBy")
}

void CTranspGraphClass::SavePosition() {
  DEF_TRY
  SaveOwnGeometry();
  m_savedRect = m_rect;
  GetRepaintRect(&m_savedRepaintRect);
  m_positionSaved = 1;
  DEF_CATCH("CTranspGraphClass::SavePosition")
}

// Both places are repainted: where the drag left the object and where it goes back to.
void CTranspGraphClass::RestorePosition() {
  DEF_TRY
  if (!m_positionSaved) return;
  m_positionSaved = 0;
  RECT current;
  GetRepaintRect(&current);
  m_rect = m_savedRect;
  RestoreOwnGeometry();
  ::UnionRect(&current, &current, &m_savedRepaintRect);
  Repaint(&current);
  DEF_CATCH("CTranspGraphClass::RestorePosition")
}

void CTranspGraphClass::SaveOwnGeometry() {}
void CTranspGraphClass::RestoreOwnGeometry() {}

// ---- Mouse ----

int CTranspGraphClass::OnLButtonDown(UINT flags, int x, int y) {
  DEF_TRY
  SavePosition();
  if (flags & MK_CONTROL) {
    // A box without width has no ratio to keep (and would divide by zero).
    const int width = m_rect.right - m_rect.left;
    if (width != 0) {
      m_keepAspect = 1;
      m_aspectRatio = static_cast<double>(m_rect.bottom - m_rect.top) / width;
    }
  }
  m_tracking = 1;
  m_capture = GetCapture(POINT{x, y});
  m_lastMousePoint = {x, y};
  return 1;
  DEF_CATCH("CTranspGraphClass::OnLButtonDown")
  return 0;
}

int CTranspGraphClass::OnMouseMove(UINT flags, int x, int y) {
  DEF_TRY
  if (m_capture == CAPTURE_BODY && !CTranspBaseClass::OnMouseMove(flags, x, y)) return 0;
  if (m_tracking) {
    POINT now = {x, y}, last = m_lastMousePoint;
    ClientToPage(&now);
    PageToUnit(&now);
    ClientToPage(&last);
    PageToUnit(&last);
    m_lastMousePoint = {x, y};
    Resize(now.x - last.x, now.y - last.y);
    return 1;
  }
  if (!IsFormMode()) {
    SetObjectCursor(POINT{x, y});
    return 1;
  }
  return 0;
  DEF_CATCH("CTranspGraphClass::OnMouseMove")
  return 0;
}

void CTranspGraphClass::OnLButtonUp(UINT flags, int x, int y) {
  (void)flags;
  (void)x;
  (void)y;
  DEF_TRY
  m_rect = NormalizedRect(m_rect);
  m_tracking = 0;
  m_keepAspect = 0;
  m_capture = CAPTURE_NONE;
  DEF_CATCH("CTranspGraphClass::OnLButtonUp")
}

int CTranspGraphClass::GetCapture(POINT point) {
  DEF_TRY
  RECT bounds;
  GetBoundsRect(&bounds, 0);
  return GraphCaptureAt(bounds, point);
  DEF_CATCH("CTranspGraphClass::GetCapture")
  return CAPTURE_NONE;
}

// ---- Style and snapshots ----

void CTranspGraphClass::SetObjectStyle(const _PROPERTIES* properties, const _OBJECT_STYLE* style,
                                       const int* fieldId, int repaint) {
  DEF_TRY
  RECT before = {0, 0, 0, 0};
  if (repaint) GetRepaintRect(&before);
  const int id = fieldId != nullptr ? *fieldId : 0;
  if (id == 23) {
    if (properties != nullptr) SetName(properties->name);
  } else if (style != nullptr) {
    switch (id) {
      case 13: m_style.color = style->color; break;
      case 14: m_style.lineWidth = style->lineWidth; break;
      case 17: m_style.penStyle = style->penStyle; break;
      case 18: m_style.checkMarkKind = style->checkMarkKind; break;
      case 19: m_style.flag147 = style->flag147; break;
      case 20: m_style.textColor = style->textColor; break;
      case 30: m_style.printable = style->printable; break;
      default: std::memcpy(&m_style, style, sizeof(m_style)); break;
    }
  }
  if (repaint) Repaint(&before);
  SetModified();
  DEF_CATCH("CTranspGraphClass::SetObjectStyle")
}

CUndoState CTranspGraphClass::GetUndoState() {
  CUndoState state;
  DEF_TRY
  state.m_rect = m_rect;
  state.m_style = m_style;
  state.m_frozen = m_frozen;
  state.m_name = m_name;
  DEF_CATCH("CTranspGraphClass::GetUndoState")
  return state;
}

void CTranspGraphClass::SetUndoState(const CUndoState& state) {
  DEF_TRY
  m_rect = state.m_rect;
  m_style = state.m_style;
  m_frozen = state.m_frozen;
  m_name = state.m_name;
  DEF_CATCH("CTranspGraphClass::SetUndoState")
}

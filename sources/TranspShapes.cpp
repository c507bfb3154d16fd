// The shapes' state: construction, records and object data, hit tests, handles, resizing, moving
// and undo snapshots.
#include "TranspShapes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "ErrorLog.h"
#include "MyProcs.h"

// ---- Hit-test rules ----

BOOL PointInEllipse(const RECT& r, POINT p) {
  const int halfW = (r.right - r.left) / 2, halfH = (r.bottom - r.top) / 2;
  // No extent, no inside: the quotients below would divide by zero.
  if (halfW <= 0 || halfH <= 0) return FALSE;
  const double dx = p.x - (r.left + r.right) / 2, dy = p.y - (r.top + r.bottom) / 2;
  return dy * dy / (static_cast<double>(halfH) * halfH) + dx * dx / (static_cast<double>(halfW) * halfW) <= 1.0;
}

BOOL PointOnRectOutline(const RECT& box, POINT p) {
  RECT outer = box, inner = box;
  ::InflateRect(&outer, SHAPE_HIT_REACH, SHAPE_HIT_REACH);
  ::InflateRect(&inner, -SHAPE_HIT_REACH, -SHAPE_HIT_REACH);
  return ::PtInRect(&outer, p) && !::PtInRect(&inner, p);
}

// A shape smaller than the band has no inner ellipse: all of it is outline.
BOOL PointOnEllipseOutline(const RECT& box, POINT p) {
  RECT outer = box, inner = box;
  ::InflateRect(&outer, SHAPE_HIT_REACH, SHAPE_HIT_REACH);
  ::InflateRect(&inner, -SHAPE_HIT_REACH, -SHAPE_HIT_REACH);
  return PointInEllipse(outer, p) && !PointInEllipse(inner, p);
}

BOOL PointAtEnd(POINT end, POINT p) {
  return std::abs(p.x - end.x) <= SHAPE_HIT_REACH && std::abs(p.y - end.y) <= SHAPE_HIT_REACH;
}

BOOL PointOnSegment(POINT a, POINT b, POINT p) {
  if (p.x < std::min(a.x, b.x) - SHAPE_HIT_REACH || p.x > std::max(a.x, b.x) + SHAPE_HIT_REACH ||
      p.y < std::min(a.y, b.y) - SHAPE_HIT_REACH || p.y > std::max(a.y, b.y) + SHAPE_HIT_REACH) {
    return FALSE;
  }
  const int dx = b.x - a.x, dy = b.y - a.y;
  if (dx == 0) return std::abs(p.x - a.x) < SHAPE_HIT_REACH;
  if (dy == 0) return std::abs(p.y - a.y) < SHAPE_HIT_REACH;
  const double q = std::fabs(static_cast<double>(p.x - a.x) / dx - static_cast<double>(p.y - a.y) / dy);
  return std::abs(dx) < 15 || std::abs(dy) < 15 ? q < 3.0 : q < 0.1;
}

// ---- Shared by the four ----

CTranspShape::CTranspShape(CWnd* view, const _OBJECT_STYLE* style, int pageIndex) : CTranspGraphClass(view, pageIndex) {
  if (style != nullptr) std::memcpy(&m_style, style, sizeof(m_style));
  m_style.printable = 0;
}

double CTranspShape::PdfCoordinate(int units, double resolution) {
  return RoundToInt(UnitToInch(units) * resolution);
}

void CTranspShape::TakePen(uint32_t color, int32_t lineWidth, int32_t penStyle) {
  m_style.color = color == 0xFFFFFFFFu ? 0 : color;
  m_style.lineWidth = lineWidth;
  m_style.penStyle = penStyle;
}

void CTranspShape::StoreBoxRecord(CArchive& ar, const int32_t c[4], uint32_t version) {
  BOX_SHAPE_RECORD record = {};
  std::memcpy(record.c, c, sizeof(record.c));
  record.color = m_style.color;
  record.lineWidth = m_style.lineWidth;
  record.pageIndex = m_pageIndex;
  record.penStyle = static_cast<uint8_t>(m_style.penStyle & 0xFF);
  record.printable = m_style.printable;
  StoreRecordStructure(ar, SHAPE_RECORD_LENGTH, &record, sizeof(record), version);
}

void CTranspShape::LoadBoxRecord(CArchive& ar, int32_t c[4], uint32_t printableVersion) {
  BOX_SHAPE_RECORD record;
  LoadRecordStructure(ar, &record, sizeof(record));
  std::memcpy(c, record.c, sizeof(record.c));
  TakePen(record.color, record.lineWidth, record.penStyle);
  m_pageIndex = record.pageIndex;
  m_style.printable = record.head.version >= printableVersion ? record.printable : 0;
}

HGLOBAL CTranspShape::BoxObData(int32_t type, const int32_t c[4]) {
  BOX_SHAPE_DATA data = {};
  std::memcpy(data.c, c, sizeof(data.c));
  data.lineWidth = m_style.lineWidth;
  data.color = m_style.color;
  data.penStyle = m_style.penStyle;
  return NewObData(type, SHAPE_DATA_VERSION, &data, sizeof(data));
}

namespace {

// The class data of a block of `type`, at least `size` bytes of it; FALSE (logged) otherwise.
BOOL ReadShapeData(const CTranspDataReader& reader, int32_t type, void* structure, UINT size) {
  if (!reader.IsValid() || reader.GetHead().type != type || reader.GetClassSize() < size) {
    AppendErrorLog(L"TranspGraphClass: object data of another kind or too short for a shape was refused");
    return FALSE;
  }
  reader.ReadClassData(structure, size);
  return TRUE;
}

}  // namespace

BOOL CTranspShape::ReadBoxObData(HGLOBAL block, int32_t type, int32_t c[4]) {
  CTranspDataReader reader(block);
  BOX_SHAPE_DATA data;
  if (!ReadShapeData(reader, type, &data, sizeof(data))) return FALSE;
  if (!IsBoxPlausible(data.c)) {
    AppendErrorLog(L"TranspGraphClass: object data of a shape beyond any page was refused");
    return FALSE;
  }
  std::memcpy(c, data.c, sizeof(data.c));
  TakePen(data.color, data.lineWidth, data.penStyle);
  return TRUE;
}

void CTranspShape::PlaceTopLeft(int32_t c[4], int x, int y) {
  const int dx = x - std::min(c[0], c[2]), dy = y - std::min(c[1], c[3]);
  c[0] += dx;
  c[2] += dx;
  c[1] += dy;
  c[3] += dy;
}

namespace {

void ToCoords(const RECT& r, int32_t c[4]) {
  c[0] = r.left;
  c[1] = r.top;
  c[2] = r.right;
  c[3] = r.bottom;
}
RECT FromCoords(const int32_t c[4]) { return {c[0], c[1], c[2], c[3]}; }

}  // namespace

void CTranspShape::SerializeRect(CArchive& ar, uint32_t version) {
  int32_t c[4];
  if (ar.IsStoring()) {
    ToCoords(m_rect, c);
    StoreBoxRecord(ar, c, version);
    return;
  }
  LoadBoxRecord(ar, c, version);
  m_rect = FromCoords(c);
}

HGLOBAL CTranspShape::RectObData(int32_t type) {
  int32_t c[4];
  ToCoords(m_rect, c);
  return BoxObData(type, c);
}

void CTranspShape::TakeRectObData(HGLOBAL data, int32_t type, int x, int y) {
  int32_t c[4];
  if (!ReadBoxObData(data, type, c)) {
    m_dataRefused = TRUE;
    return;
  }
  PlaceTopLeft(c, x, y);
  m_rect = FromCoords(c);
}

RECT CTranspShape::ClientRect() {
  RECT box = NormalizedRect(m_rect);
  UnitToPage(&box);
  PageToClient(&box);
  return box;
}

// ---- Rectangle ----

CTranspRectangle::CTranspRectangle(CWnd* view, int pageIndex) : CTranspShape(view, pageIndex) {}

CTranspRectangle::CTranspRectangle(CWnd* view, const RECT& rect, const _OBJECT_STYLE* style, int pageIndex)
    : CTranspShape(view, style, pageIndex) {
  m_rect = rect;
}

CTranspRectangle::CTranspRectangle(CWnd* view, HGLOBAL data, int x, int y, int pageIndex)
    : CTranspShape(view, pageIndex) {
  DEF_TRY
  TakeRectObData(data, DATA_TYPE_RECTANGLE, x, y);
  DEF_CATCH("CTranspRectangle::CTranspRectangle")
}

void CTranspRectangle::Serialize(CArchive& ar) {
  DEF_TRY
  SerializeRect(ar, RECTANGLE_RECORD_VERSION);
  DEF_CATCH_PASS_ARCHIVE("CTranspRectangle::Serialize")
}

int CTranspRectangle::PtInBox(POINT* client, int arg) {
  (void)arg;
  DEF_TRY
  if (client == nullptr) return 0;
  return PointOnRectOutline(ClientRect(), *client);
  DEF_CATCH("CTranspRectangle::PtInBox")
  return 0;
}

HGLOBAL CTranspRectangle::GetObData() {
  DEF_TRY
  return RectObData(DATA_TYPE_RECTANGLE);
  DEF_CATCH("CTranspRectangle::GetObData")
  return nullptr;
}

int CTranspRectangle::GetObjectKind() { return KIND_CLOSED_SHAPE; }

// The graphic base's handles, but only the outline band moves the rectangle: its inside is free for
// the objects beneath.
int CTranspRectangle::GetCapture(POINT point) {
  DEF_TRY
  RECT bounds;
  GetBoundsRect(&bounds, 0);
  if (IsInnerRectEmpty(bounds)) return CAPTURE_NONE;
  if (int code = MiddleHandleAt(bounds, point)) return code;
  if (int code = CornerHandleAt(bounds, point)) return code;
  return PtInBox(&point, 0) ? CAPTURE_BODY : CAPTURE_NONE;
  DEF_CATCH("CTranspRectangle::GetCapture")
  return CAPTURE_NONE;
}

// ---- Ellipse ----

CTranspEllipse::CTranspEllipse(CWnd* view, int pageIndex) : CTranspShape(view, pageIndex) {}

CTranspEllipse::CTranspEllipse(CWnd* view, const RECT& rect, const _OBJECT_STYLE* style, int pageIndex)
    : CTranspShape(view, style, pageIndex) {
  m_rect = rect;
}

CTranspEllipse::CTranspEllipse(CWnd* view, HGLOBAL data, int x, int y, int pageIndex) : CTranspShape(view, pageIndex) {
  DEF_TRY
  TakeRectObData(data, DATA_TYPE_ELLIPSE, x, y);
  DEF_CATCH("CTranspEllipse::CTranspEllipse")
}

void CTranspEllipse::Serialize(CArchive& ar) {
  DEF_TRY
  SerializeRect(ar, ELLIPSE_RECORD_VERSION);
  DEF_CATCH_PASS_ARCHIVE("CTranspEllipse::Serialize")
}

// The outline band of the ellipse in the box; the inside is free for the objects beneath.
int CTranspEllipse::PtInBox(POINT* client, int arg) {
  (void)arg;
  DEF_TRY
  if (client == nullptr) return 0;
  return PointOnEllipseOutline(ClientRect(), *client);
  DEF_CATCH("CTranspEllipse::PtInBox")
  return 0;
}

HGLOBAL CTranspEllipse::GetObData() {
  DEF_TRY
  return RectObData(DATA_TYPE_ELLIPSE);
  DEF_CATCH("CTranspEllipse::GetObData")
  return nullptr;
}

int CTranspEllipse::GetObjectKind() { return KIND_CLOSED_SHAPE; }

void CTranspEllipse::Resize(int dx, int dy) {
  DEF_TRY
  RECT before;
  GetRepaintRect(&before);
  switch (m_capture) {
    case CAPTURE_BODY: ::OffsetRect(&m_rect, dx, dy); break;
    case CAPTURE_MID_LEFT: m_rect.left += dx; break;
    case CAPTURE_MID_TOP: m_rect.top += dy; break;
    case CAPTURE_MID_RIGHT: m_rect.right += dx; break;
    case CAPTURE_MID_BOTTOM: m_rect.bottom += dy; break;
    default: break;
  }
  AfterGeometryChange(before, dx, dy);
  DEF_CATCH("CTranspEllipse::Resize")
}

// Only the four middle handles size it, then the outline moves it.
int CTranspEllipse::GetCapture(POINT point) {
  DEF_TRY
  RECT bounds;
  GetBoundsRect(&bounds, 0);
  if (::IsRectEmpty(&bounds)) return CAPTURE_NONE;
  if (int code = MiddleHandleAt(bounds, point)) return code;
  return PtInBox(&point, 0) ? CAPTURE_BODY : CAPTURE_NONE;
  DEF_CATCH("CTranspEllipse::GetCapture")
  return CAPTURE_NONE;
}

// ---- Circle ----

CTranspCircle::CTranspCircle(CWnd* view, int pageIndex) : CTranspEllipse(view, pageIndex) {}

CTranspCircle::CTranspCircle(CWnd* view, int cx, int cy, int r, const _OBJECT_STYLE* style, int pageIndex)
    : CTranspEllipse(view, RECT{0, 0, 0, 0}, style, pageIndex), m_cx(cx), m_cy(cy), m_radius(r) {
  UpdateBox();
}

CTranspCircle::CTranspCircle(CWnd* view, HGLOBAL block, int x, int y, int pageIndex)
    : CTranspEllipse(view, pageIndex) {
  DEF_TRY
  CTranspDataReader reader(block);
  CIRCLE_DATA data;
  if (!ReadShapeData(reader, DATA_TYPE_CIRCLE, &data, sizeof(data)) || data.radius < 0 ||
      data.radius > MAX_OBJECT_EXTENT / 2) {
    AppendErrorLog(L"TranspGraphClass: object data of a circle was refused");
    m_dataRefused = TRUE;
    return;
  }
  TakePen(data.color, data.lineWidth, data.penStyle);
  m_radius = data.radius;
  m_cx = x;
  m_cy = y;
  UpdateBox();
  DEF_CATCH("CTranspCircle::CTranspCircle")
}

void CTranspCircle::UpdateBox() { m_rect = {m_cx - m_radius, m_cy - m_radius, m_cx + m_radius, m_cy + m_radius}; }

void CTranspCircle::Serialize(CArchive& ar) {
  DEF_TRY
  CIRCLE_RECORD record = {};
  if (ar.IsStoring()) {
    record.centreX = m_cx;
    record.centreY = m_cy;
    record.radius = m_radius;
    record.color = m_style.color;
    record.lineWidth = m_style.lineWidth;
    record.pageIndex = m_pageIndex;
    record.penStyle = static_cast<uint8_t>(m_style.penStyle & 0xFF);
    record.printable = m_style.printable;
    StoreRecordStructure(ar, SHAPE_RECORD_LENGTH, &record, sizeof(record), CIRCLE_RECORD_VERSION);
    return;
  }
  LoadRecordStructure(ar, &record, sizeof(record));
  m_cx = record.centreX;
  m_cy = record.centreY;
  m_radius = record.radius;
  TakePen(record.color, record.lineWidth, record.penStyle);
  m_pageIndex = record.pageIndex;
  m_style.printable = record.head.version >= CIRCLE_RECORD_VERSION ? record.printable : 0;
  UpdateBox();
  DEF_CATCH_PASS_ARCHIVE("CTranspCircle::Serialize")
}

HGLOBAL CTranspCircle::GetObData() {
  DEF_TRY
  const CIRCLE_DATA data = {m_radius, m_style.lineWidth, m_style.color, m_style.penStyle};
  return NewObData(DATA_TYPE_CIRCLE, SHAPE_DATA_VERSION, &data, sizeof(data));
  DEF_CATCH("CTranspCircle::GetObData")
  return nullptr;
}

void CTranspCircle::MoveBy(int dx, int dy) {
  DEF_TRY
  RECT before;
  GetRepaintRect(&before);
  m_cx += dx;
  m_cy += dy;
  UpdateBox();
  AfterGeometryChange(before, dx, dy);
  DEF_CATCH("CTranspCircle::MoveBy")
}

void CTranspCircle::SaveOwnGeometry() {
  m_savedCx = m_cx;
  m_savedCy = m_cy;
}

void CTranspCircle::RestoreOwnGeometry() {
  m_cx = m_savedCx;
  m_cy = m_savedCy;
  UpdateBox();
}

CUndoState CTranspCircle::GetUndoState() {
  CUndoState state = CTranspGraphClass::GetUndoState();
  state.m_state2[0] = m_cx;
  state.m_state2[1] = m_cy;
  state.m_state2[2] = m_radius;
  return state;
}

// The box follows from centre and radius; the snapshot's rectangle is only for repainting.
void CTranspCircle::SetUndoState(const CUndoState& state) {
  DEF_TRY
  m_style = state.m_style;
  m_cx = state.m_state2[0];
  m_cy = state.m_state2[1];
  m_radius = state.m_state2[2];
  m_frozen = state.m_frozen;
  m_name = state.m_name;
  UpdateBox();
  DEF_CATCH("CTranspCircle::SetUndoState")
}

// Dragging a handle past the centre leaves the radius at the size reached; the rest of that drag
// goes to a band code on which the circle does not change.
void CTranspCircle::Resize(int dx, int dy) {
  DEF_TRY
  RECT before;
  GetRepaintRect(&before);
  switch (m_capture) {
    case CAPTURE_BODY:
      m_cx += dx;
      m_cy += dy;
      break;
    case CAPTURE_MID_LEFT: m_radius -= dx; break;
    case CAPTURE_MID_TOP: m_radius -= dy; break;
    case CAPTURE_MID_RIGHT: m_radius += dx; break;
    case CAPTURE_MID_BOTTOM: m_radius += dy; break;
    default: break;
  }
  if (m_radius < 0) {
    switch (m_capture) {
      case CAPTURE_MID_LEFT: m_capture = CAPTURE_RIGHT_BAND; break;
      case CAPTURE_MID_TOP: m_capture = CAPTURE_BOTTOM_BAND; break;
      case CAPTURE_MID_RIGHT: m_capture = CAPTURE_LEFT_BAND; break;
      case CAPTURE_MID_BOTTOM: m_capture = CAPTURE_TOP_BAND; break;
      default: break;
    }
    m_radius = -m_radius;
  }
  UpdateBox();
  AfterGeometryChange(before, dx, dy);
  DEF_CATCH("CTranspCircle::Resize")
}


// ---- Line ----

CTranspLine::CTranspLine(CWnd* view, int pageIndex) : CTranspShape(view, pageIndex) {}

CTranspLine::CTranspLine(CWnd* view, int x1, int y1, int x2, int y2, const _OBJECT_STYLE* style, int pageIndex)
    : CTranspShape(view, style, pageIndex), m_x1(x1), m_y1(y1), m_x2(x2), m_y2(y2) {
  UpdateBox();
}

CTranspLine::CTranspLine(CWnd* view, HGLOBAL data, int x, int y, int pageIndex) : CTranspShape(view, pageIndex) {
  DEF_TRY
  int32_t c[4];
  if (!ReadBoxObData(data, DATA_TYPE_LINE, c)) {
    m_dataRefused = TRUE;
    return;
  }
  PlaceTopLeft(c, x, y);
  m_x1 = c[0];
  m_y1 = c[1];
  m_x2 = c[2];
  m_y2 = c[3];
  UpdateBox();
  DEF_CATCH("CTranspLine::CTranspLine")
}

void CTranspLine::UpdateBox() { m_rect = NormalizedRect(RECT{m_x1, m_y1, m_x2, m_y2}); }

void CTranspLine::Serialize(CArchive& ar) {
  DEF_TRY
  int32_t c[4] = {m_x1, m_y1, m_x2, m_y2};
  if (ar.IsStoring()) {
    StoreBoxRecord(ar, c, LINE_RECORD_VERSION);
    return;
  }
  LoadBoxRecord(ar, c, LINE_RECORD_VERSION);
  m_x1 = c[0];
  m_y1 = c[1];
  m_x2 = c[2];
  m_y2 = c[3];
  UpdateBox();
  DEF_CATCH_PASS_ARCHIVE("CTranspLine::Serialize")
}

// The pen's square caps reach past the end points.
void CTranspLine::GetRepaintRect(RECT* out) {
  DEF_TRY
  if (out == nullptr) return;
  GraphRepaintRect(out);
  ::InflateRect(out, 2, 2);
  DEF_CATCH("CTranspLine::GetRepaintRect")
}

void CTranspLine::ClientEnds(POINT* a, POINT* b) {
  *a = {m_x1, m_y1};
  *b = {m_x2, m_y2};
  UnitToPage(a);
  PageToClient(a);
  UnitToPage(b);
  PageToClient(b);
}

int CTranspLine::PtInBox(POINT* client, int arg) {
  (void)arg;
  DEF_TRY
  if (client == nullptr) return 0;
  POINT a, b;
  ClientEnds(&a, &b);
  return PointAtEnd(a, *client) || PointAtEnd(b, *client) || PointOnSegment(a, b, *client);
  DEF_CATCH("CTranspLine::PtInBox")
  return 0;
}

HGLOBAL CTranspLine::GetObData() {
  DEF_TRY
  const int32_t c[4] = {m_x1, m_y1, m_x2, m_y2};
  return BoxObData(DATA_TYPE_LINE, c);
  DEF_CATCH("CTranspLine::GetObData")
  return nullptr;
}

int CTranspLine::GetObjectKind() { return KIND_OPEN_LINE; }

// The item starts at the first end point; the second call gives the direction.
void CTranspLine::StoringVIZ(CVizConverter* converter) {
  DEF_TRY
  if (converter == nullptr) return;
  const double scale = 0.000958;
  converter->AddObjectItem(m_x1 * scale, m_y1 * scale, (m_rect.right - m_rect.left) * scale,
                           (m_rect.bottom - m_rect.top) * scale, static_cast<int>(m_style.color),
                           m_style.penStyle + 1, m_style.lineWidth * scale, 0.0, m_name, m_style.printable != 0);
  converter->AddLineVector((m_x2 - m_x1) * scale, (m_y2 - m_y1) * scale);
  DEF_CATCH("CTranspLine::StoringVIZ")
}

void CTranspLine::MoveBy(int dx, int dy) {
  DEF_TRY
  RECT before;
  GetRepaintRect(&before);
  m_x1 += dx;
  m_x2 += dx;
  m_y1 += dy;
  m_y2 += dy;
  UpdateBox();
  AfterGeometryChange(before, dx, dy);
  DEF_CATCH("CTranspLine::MoveBy")
}

void CTranspLine::SaveOwnGeometry() {
  m_savedX1 = m_x1;
  m_savedY1 = m_y1;
  m_savedX2 = m_x2;
  m_savedY2 = m_y2;
}

void CTranspLine::RestoreOwnGeometry() {
  m_x1 = m_savedX1;
  m_y1 = m_savedY1;
  m_x2 = m_savedX2;
  m_y2 = m_savedY2;
  UpdateBox();
}

CUndoState CTranspLine::GetUndoState() {
  CUndoState state = CTranspGraphClass::GetUndoState();
  state.m_state2[0] = m_x1;
  state.m_state2[1] = m_y1;
  state.m_state2[2] = m_x2;
  state.m_state2[3] = m_y2;
  return state;
}

void CTranspLine::SetUndoState(const CUndoState& state) {
  DEF_TRY
  m_style = state.m_style;
  m_x1 = state.m_state2[0];
  m_y1 = state.m_state2[1];
  m_x2 = state.m_state2[2];
  m_y2 = state.m_state2[3];
  m_frozen = state.m_frozen;
  m_name = state.m_name;
  UpdateBox();
  DEF_CATCH("CTranspLine::SetUndoState")
}

void CTranspLine::Resize(int dx, int dy) {
  DEF_TRY
  RECT before;
  GetRepaintRect(&before);
  if (m_capture == CAPTURE_BODY || m_capture == CAPTURE_TOP_LEFT) {
    m_x1 += dx;
    m_y1 += dy;
  }
  if (m_capture == CAPTURE_BODY || m_capture == CAPTURE_BOTTOM_RIGHT) {
    m_x2 += dx;
    m_y2 += dy;
  }
  UpdateBox();
  AfterGeometryChange(before, dx, dy);
  DEF_CATCH("CTranspLine::Resize")
}

// 6 grabs the first end point and 8 the second, whatever the line's direction.
int CTranspLine::GetCapture(POINT point) {
  DEF_TRY
  POINT a, b;
  ClientEnds(&a, &b);
  if (PointAtEnd(a, point)) return CAPTURE_TOP_LEFT;
  if (PointAtEnd(b, point)) return CAPTURE_BOTTOM_RIGHT;
  return PointOnSegment(a, b, point) ? CAPTURE_BODY : CAPTURE_NONE;
  DEF_CATCH("CTranspLine::GetCapture")
  return CAPTURE_NONE;
}

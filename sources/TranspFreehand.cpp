// The freehand object's state: construction, the record and object data with their point lists,
// the box, moving, position save and restore, and the undo snapshot.
#include "TranspFreehand.h"

#include <algorithm>
#include <cstring>

#include "ErrorLog.h"
#include "MyProcs.h"

static_assert(sizeof(POINT) == 8, "a stored point is two int32");

RECT FreehandBox(const std::vector<POINT>& points) {
  // A list that starts with a separator must not put (-9999, -9999) into the box: the box places
  // pastes, hit tests and undo, and would reach far off the page.
  auto first = std::find_if(points.begin(), points.end(), [](const POINT& p) { return !IsStrokeSeparator(p); });
  if (first == points.end()) return RECT{0, 0, 0, 0};
  RECT box = {first->x, first->y, first->x, first->y};
  for (auto p = first; p != points.end(); ++p) {
    if (IsStrokeSeparator(*p)) continue;
    box.left = std::min(box.left, p->x);
    box.top = std::min(box.top, p->y);
    box.right = std::max(box.right, p->x);
    box.bottom = std::max(box.bottom, p->y);
  }
  ++box.right;
  ++box.bottom;
  return box;
}

namespace {

// Points read in pieces: what is held never runs ahead of what the stream really delivered, even
// where the stream's length cannot be asked.
constexpr uint32_t kPointsPerRead = 4096;

void ReadPoints(CArchive& ar, uint32_t count, std::vector<POINT>& points) {
  CheckArchiveCount(ar, count, sizeof(POINT));
  points.clear();
  points.reserve(std::min(count, kPointsPerRead));
  int32_t buffer[2 * kPointsPerRead];
  for (uint32_t left = count; left > 0;) {
    const uint32_t n = std::min(left, kPointsPerRead);
    ReadArchiveExact(ar, buffer, n * sizeof(POINT));
    for (uint32_t i = 0; i < n; ++i) points.push_back(POINT{buffer[2 * i], buffer[2 * i + 1]});
    left -= n;
  }
}

}  // namespace

// ---- Construction ----

CTranspFreehand::CTranspFreehand(CWnd* view, int pageIndex) : CTranspShape(view, pageIndex) {}

CTranspFreehand::CTranspFreehand(CWnd* view, const POINT* points, int count, const _OBJECT_STYLE* style,
                                 int pageIndex)
    : CTranspShape(view, style, pageIndex) {
  DEF_TRY
  if (points != nullptr && count > 0) m_points.assign(points, points + count);
  UpdateBox();
  m_style.printable = 1;
  DEF_CATCH("CTranspFreehand::CTranspFreehand")
}

CTranspFreehand::CTranspFreehand(CWnd* view, HGLOBAL block, int x, int y, int pageIndex)
    : CTranspShape(view, pageIndex) {
  DEF_TRY
  CTranspDataReader reader(block);
  FREEHAND_DATA data = {};
  const UINT size = reader.IsValid() ? reader.GetClassSize() : 0;
  if (!reader.IsValid() || reader.GetHead().type != DATA_TYPE_FREEHAND || size < sizeof(data)) {
    AppendErrorLog(L"TranspFreehand: object data of another kind or too short for a freehand object was refused");
    m_dataRefused = TRUE;
    return;
  }
  reader.ReadClassData(&data, sizeof(data));
  // The count may ask for no more points than the block holds after its fixed part.
  if (data.count < 0 || static_cast<UINT>(data.count) > (size - sizeof(data)) / sizeof(POINT)) {
    AppendErrorLog(L"TranspFreehand: object data states more points than it holds and was refused");
    m_dataRefused = TRUE;
    return;
  }
  const BYTE* stored = reader.GetClassData() + sizeof(data);
  std::vector<POINT> points(static_cast<size_t>(data.count));
  if (data.count > 0) std::memcpy(points.data(), stored, points.size() * sizeof(POINT));
  // The separators are no places: they stay where they are when the stroke moves.
  std::vector<POINT> places;
  for (const POINT& p : points)
    if (!IsStrokeSeparator(p)) places.push_back(p);
  if (!ArePointsPlausible(places.data(), places.size())) {
    AppendErrorLog(L"TranspFreehand: object data of a stroke beyond any page was refused");
    m_dataRefused = TRUE;
    return;
  }
  m_points.swap(points);
  TakePen(data.color, data.lineWidth, data.penStyle);
  m_style.printable = 1;
  UpdateBox();
  OffsetPoints(x - m_rect.left, y - m_rect.top);
  DEF_CATCH("CTranspFreehand::CTranspFreehand")
}

// ---- Record and object data ----

void CTranspFreehand::Serialize(CArchive& ar) {
  DEF_TRY
  FREEHAND_RECORD record = {};
  if (ar.IsStoring()) {
    const uint32_t count = static_cast<uint32_t>(m_points.size());
    record.color = m_style.color;
    record.lineWidth = m_style.lineWidth;
    record.count = static_cast<int32_t>(count);
    record.pageIndex = m_pageIndex;
    record.penStyle = static_cast<uint8_t>(m_style.penStyle & 0xFF);
    record.printable = m_style.printable;
    StoreRecordStructure(ar, sizeof(DWORD) + sizeof(record) + count * sizeof(POINT), &record, sizeof(record),
                         FREEHAND_RECORD_VERSION);
    if (count > 0) ar.Write(m_points.data(), count * sizeof(POINT));
    return;
  }
  LoadRecordStructure(ar, &record, sizeof(record));
  // A count the file cannot hold means the points are not there: going on would read the records
  // after this one as points and every record after them at a wrong place, so the load ends here.
  if (record.count < 0) {
    AppendErrorLog(L"TranspFreehand: a freehand record states a negative point count");
    AfxThrowArchiveException(CArchiveException::badIndex);
  }
  std::vector<POINT> points;
  ReadPoints(ar, static_cast<uint32_t>(record.count), points);
  m_points.swap(points);
  TakePen(record.color, record.lineWidth, record.penStyle);
  m_pageIndex = record.pageIndex;
  m_style.printable = record.head.version >= FREEHAND_RECORD_VERSION ? record.printable : 0;
  UpdateBox();
  DEF_CATCH_PASS_ARCHIVE("CTranspFreehand::Serialize")
}

HGLOBAL CTranspFreehand::GetObData() {
  DEF_TRY
  const size_t pointBytes = m_points.size() * sizeof(POINT);
  std::vector<BYTE> classData(sizeof(FREEHAND_DATA) + pointBytes + FREEHAND_DATA_TRAILER, 0);
  FREEHAND_DATA data = {m_style.lineWidth, m_style.color, m_style.penStyle, static_cast<int32_t>(m_points.size())};
  std::memcpy(classData.data(), &data, sizeof(data));
  if (pointBytes > 0) std::memcpy(classData.data() + sizeof(data), m_points.data(), pointBytes);
  if (classData.size() > 0x7FFFFFFF) return nullptr;
  return NewObData(DATA_TYPE_FREEHAND, FREEHAND_DATA_VERSION, classData.data(),
                   static_cast<uint32_t>(classData.size()));
  DEF_CATCH("CTranspFreehand::GetObData")
  return nullptr;
}

int CTranspFreehand::GetObjectKind() { return m_closed ? KIND_CLOSED_SHAPE : KIND_OPEN_LINE; }

// ---- Geometry ----

void CTranspFreehand::OffsetPoints(int dx, int dy) {
  for (POINT& p : m_points) {
    if (IsStrokeSeparator(p)) continue;
    p.x += dx;
    p.y += dy;
  }
  UpdateBox();
}

// The pen's square caps reach one pixel past the graphic base's allowance at a stroke's ends.
void CTranspFreehand::GetRepaintRect(RECT* out) {
  DEF_TRY
  if (out == nullptr) return;
  GraphRepaintRect(out);
  ::InflateRect(out, 1, 1);
  DEF_CATCH("CTranspFreehand::GetRepaintRect")
}

void CTranspFreehand::MoveBy(int dx, int dy) {
  DEF_TRY
  RECT before;
  GetRepaintRect(&before);
  OffsetPoints(dx, dy);
  AfterGeometryChange(before, dx, dy);
  DEF_CATCH("CTranspFreehand::MoveBy")
}

// Every handle takes the body: the strokes are moved, never sized.
int CTranspFreehand::GetCapture(POINT point) {
  (void)point;
  return CAPTURE_BODY;
}

void CTranspFreehand::Resize(int dx, int dy) {
  DEF_TRY
  if (m_capture == CAPTURE_BODY) MoveBy(dx, dy);
  DEF_CATCH("CTranspFreehand::Resize")
}

void CTranspFreehand::SaveOwnGeometry() { m_savedPoints = m_points; }

void CTranspFreehand::RestoreOwnGeometry() {
  m_points.swap(m_savedPoints);
  std::vector<POINT>().swap(m_savedPoints);
  UpdateBox();
}

// The snapshot holds the box, not the points: it puts the strokes back where they were, in the
// shape they have now.
void CTranspFreehand::SetUndoState(const CUndoState& state) {
  DEF_TRY
  OffsetPoints(state.m_rect.left - m_rect.left, state.m_rect.top - m_rect.top);
  CTranspGraphClass::SetUndoState(state);
  DEF_CATCH("CTranspFreehand::SetUndoState")
}

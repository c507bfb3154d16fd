#include "MarkerTools.h"

#include <memory>

#include "DrawTools.h"
#include "ErrorLog.h"
#include "FolimarView.h"

namespace {

// Inverted drawing with the null brush for the life of the object; the DC's raster operation and
// brush come back afterwards, so a paint DC the view lends is left as it was.
class CInvertScope {
 public:
  explicit CInvertScope(CDC* dc) : m_dc(dc), m_rop(dc->SetROP2(R2_NOT)) {
    m_brush = dc->SelectStockObject(NULL_BRUSH);
  }
  ~CInvertScope() {
    if (m_brush != nullptr) m_dc->SelectObject(m_brush);
    m_dc->SetROP2(m_rop);
  }

 private:
  CDC* m_dc;
  int m_rop;
  CGdiObject* m_brush = nullptr;
};

}  // namespace

// ---- CRefPointTool ----

CRefPointTool::CRefPointTool(CFolimarView* view, POINT point) : m_pView(view), m_point(point) {}

CRefPointTool::~CRefPointTool() { delete m_pDC; }

CRect CRefPointTool::GetRect(POINT p) { return CRect(p.x - 7, p.y - 7, p.x + 8, p.y + 8); }

void CRefPointTool::Draw(CDC* dc, POINT p) {
  DEF_TRY
  if (dc == nullptr) return;
  CInvertScope invert(dc);
  dc->MoveTo(p.x - 5, p.y);
  dc->LineTo(p.x + 6, p.y);
  dc->MoveTo(p.x, p.y - 5);
  dc->LineTo(p.x, p.y + 6);
  dc->Ellipse(GetRect(p));
  DEF_CATCH("CRefPointTool::Draw")
}

int CRefPointTool::MarkerOffset() const {
  const double zoom = m_pView != nullptr ? m_pView->GetViewScale() : 1.0;
  return zoom > 1 ? static_cast<int>(zoom) / 2 : 0;
}

CPoint CRefPointTool::GetClientMarker() const {
  CPoint p = m_point;
  DEF_TRY
  if (m_pView == nullptr) return p;
  m_pView->PageToClient(&p);
  const int offset = MarkerOffset();
  p.Offset(offset, offset);
  DEF_CATCH("CRefPointTool::GetClientMarker")
  return p;
}

void CRefPointTool::StartMove(CPoint mouse) {
  DEF_TRY
  delete m_pDC;
  m_pDC = NewToolDC(m_pView);
  if (m_pDC == nullptr) return;
  m_pView->SetCapture();
  m_marker = m_startMarker = GetClientMarker();
  m_lastMouse = mouse;
  DEF_CATCH("CRefPointTool::StartMove")
}

void CRefPointTool::Move(CPoint mouse) {
  DEF_TRY
  if (m_pDC == nullptr) return;
  Draw(m_pDC, m_marker);
  m_marker += mouse - m_lastMouse;
  Draw(m_pDC, m_marker);
  m_lastMouse = mouse;
  DEF_CATCH("CRefPointTool::Move")
}

void CRefPointTool::StopMove() {
  DEF_TRY
  if (m_pDC == nullptr) return;
  Draw(m_pDC, m_marker);
  ::ReleaseCapture();
  // A click without a move keeps the point: at a reducing zoom an odd page point has no client
  // pixel of its own and would come back one page pixel off.
  if (m_marker != m_startMarker) {
    // The marker stands in the middle of its enlarged page pixel: take that offset off again, or
    // the point would land one page pixel right and down of the marker at zoom 2, 4 or 8.
    CPoint p = m_marker;
    const int offset = MarkerOffset();
    p.Offset(-offset, -offset);
    m_pView->ClientToPage(&p);
    m_point = p;
  }
  delete m_pDC;
  m_pDC = nullptr;
  DEF_CATCH("CRefPointTool::StopMove")
}

// ---- CCropTool ----

CCropTool::~CCropTool() { delete m_pDC; }

void CCropTool::Draw(CDC* dc, RECT rect) const {
  DEF_TRY
  CRect r(rect);
  r.NormalizeRect();
  if (dc == nullptr || r.IsRectEmpty()) return;
  CInvertScope invert(dc);
  CPen* oldPen = nullptr;
  int oldBkMode = 0;
  if (m_pFramePen != nullptr) {
    oldPen = dc->SelectObject(m_pFramePen);
    // Opaque gaps would be inverted as well and the dots would make a solid line.
    oldBkMode = dc->SetBkMode(TRANSPARENT);
  }
  dc->Rectangle(r);
  if (m_pFramePen != nullptr) {
    dc->SetBkMode(oldBkMode);
    if (oldPen != nullptr) dc->SelectObject(oldPen);
  }
  DEF_CATCH("CCropTool::Draw")
}

CRect CCropTool::GetClientArea() const {
  CRect r = m_area;
  DEF_TRY
  if (m_pView != nullptr) m_pView->PageToClient(&r);
  r.NormalizeRect();
  DEF_CATCH("CCropTool::GetClientArea")
  return r;
}

void CCropTool::Kill() {
  DEF_TRY
  if (!IsEmpty()) {
    std::unique_ptr<CDC> dc(NewToolDC(m_pView));
    Draw(dc.get(), GetClientArea());
  }
  m_area.SetRectEmpty();
  DEF_CATCH("CCropTool::Kill")
}

int CCropTool::GetCapture(CPoint point) const {
  DEF_TRY
  if (IsEmpty()) return kNoArea;
  const CRect a = GetClientArea();
  const int z = kGripZone;
  const BOOL left = CRect(a.left - z, a.top - z, a.left + z, a.bottom + z).PtInRect(point);
  const BOOL top = CRect(a.left - z, a.top - z, a.right + z, a.top + z).PtInRect(point);
  const BOOL right = CRect(a.right - z, a.top - z, a.right + z, a.bottom + z).PtInRect(point);
  const BOOL bottom = CRect(a.left - z, a.bottom - z, a.right + z, a.bottom + z).PtInRect(point);
  // Corners first, so that a point near two edges takes the corner.
  if (left && top) return kTopLeft;
  if (top && right) return kTopRight;
  if (right && bottom) return kBottomRight;
  if (bottom && left) return kBottomLeft;
  if (left) return kLeft;
  if (top) return kTop;
  if (right) return kRight;
  if (bottom) return kBottom;
  if (CRect(a.left + z, a.top + z, a.right - z, a.bottom - z).PtInRect(point)) return kInside;
  DEF_CATCH("CCropTool::GetCapture")
  return kNoArea;
}

void CCropTool::MouseDown(CPoint point) {
  DEF_TRY
  m_grip = GetCapture(point);
  if (m_grip != kNoArea) {
    m_drag = GetClientArea();
  } else {
    Kill();
    m_drag.SetRect(point.x, point.y, point.x, point.y);
  }
  delete m_pDC;
  m_pDC = NewToolDC(m_pView);
  if (m_pDC == nullptr) return;
  m_pView->SetCapture();
  m_last = point;
  m_drawing = 1;
  DEF_CATCH("CCropTool::MouseDown")
}

void CCropTool::MouseMove(CPoint point) {
  DEF_TRY
  if (!m_drawing) return;
  Draw(m_pDC, m_drag);
  const int dx = point.x - m_last.x, dy = point.y - m_last.y;
  CRect& r = m_drag;
  switch (m_grip) {
    case kNoArea:
      r.right = point.x + 1;
      r.bottom = point.y + 1;
      break;
    case kInside:
      r.OffsetRect(dx, dy);
      break;
    default: {
      // Each grip moves the edges it names.
      const bool movesLeft = m_grip == kLeft || m_grip == kTopLeft || m_grip == kBottomLeft;
      const bool movesTop = m_grip == kTop || m_grip == kTopLeft || m_grip == kTopRight;
      const bool movesRight = m_grip == kRight || m_grip == kTopRight || m_grip == kBottomRight;
      const bool movesBottom = m_grip == kBottom || m_grip == kBottomRight || m_grip == kBottomLeft;
      if (movesLeft) r.left += dx;
      if (movesTop) r.top += dy;
      if (movesRight) r.right += dx;
      if (movesBottom) r.bottom += dy;
      break;
    }
  }
  Draw(m_pDC, m_drag);
  m_last = point;
  DEF_CATCH("CCropTool::MouseMove")
}

void CCropTool::MouseUp() {
  DEF_TRY
  if (!m_drawing) return;
  m_drawing = 0;
  m_drag.NormalizeRect();
  CRect page = m_drag;
  m_pView->ClientToPage(&page);
  page.NormalizeRect();
  // What stands on the screen must be what a later Kill erases: at zooms other than 1 the area
  // converted back to client pixels can differ from the dragged rectangle by a pixel.
  Draw(m_pDC, m_drag);
  if (page.Width() < 2 && page.Height() < 2) {
    m_area.SetRectEmpty();
  } else {
    m_area = page;
    Draw(m_pDC, GetClientArea());
  }
  delete m_pDC;
  m_pDC = nullptr;
  DEF_CATCH("CCropTool::MouseUp")
}

// ---- CCutTool ----

CCutTool::CCutTool() {
  m_pDotPen = new CPen(PS_DOT, 0, RGB(0, 0, 0));
  m_pFramePen = m_pDotPen;
}

CCutTool::~CCutTool() {
  m_pFramePen = nullptr;
  delete m_pDotPen;
}

// ---- CCrossLineTool ----

void CCrossLineTool::Draw(CPoint p) {
  DEF_TRY
  std::unique_ptr<CDC> dc(NewToolDC(m_pView));
  if (dc == nullptr) return;
  CRect client;
  m_pView->GetClientRect(&client);
  dc->SetROP2(R2_NOT);
  dc->MoveTo(client.left, p.y);
  dc->LineTo(client.right, p.y);
  dc->MoveTo(p.x, client.top);
  dc->LineTo(p.x, client.bottom);
  DEF_CATCH("CCrossLineTool::Draw")
}

void CCrossLineTool::MoveTo(CPoint p) {
  DEF_TRY
  if (!IsEmpty()) Draw(m_point);
  Draw(p);
  m_point = p;
  DEF_CATCH("CCrossLineTool::MoveTo")
}

void CCrossLineTool::Kill() {
  DEF_TRY
  if (!IsEmpty()) Draw(m_point);
  m_point = CPoint(-1, -1);
  DEF_CATCH("CCrossLineTool::Kill")
}

// ---- CConstRectTool ----

CRect CConstRectTool::CalcRect(POINT p) const {
  const int left = p.x - m_width / 2, top = p.y - m_height / 2;
  return CRect(left, top, left + m_width, top + m_height);
}

void CConstRectTool::Draw(CPoint p) {
  DEF_TRY
  // Nothing was ever drawn at the "no centre yet" point, so nothing may be erased there either.
  if (!m_shown || p == CPoint(-1, -1)) return;
  std::unique_ptr<CDC> dc(NewToolDC(m_pView));
  if (dc == nullptr) return;
  CInvertScope invert(dc.get());
  const CRect r = CalcRect(p);
  dc->Rectangle(r.left - 1, r.top - 1, r.right + 1, r.bottom + 1);
  DEF_CATCH("CConstRectTool::Draw")
}

void CConstRectTool::Show() {
  DEF_TRY
  if (m_shown) return;
  m_shown = 1;
  Draw(m_centre);
  DEF_CATCH("CConstRectTool::Show")
}

void CConstRectTool::Hide() {
  DEF_TRY
  if (!m_shown) return;
  Draw(m_centre);
  m_shown = 0;
  DEF_CATCH("CConstRectTool::Hide")
}

void CConstRectTool::SetSize(int width, int height) {
  DEF_TRY
  Draw(m_centre);
  m_width = width;
  m_height = height;
  Draw(m_centre);
  DEF_CATCH("CConstRectTool::SetSize")
}

void CConstRectTool::MoveTo(CPoint p) {
  DEF_TRY
  Draw(m_centre);
  Draw(p);
  m_centre = p;
  DEF_CATCH("CConstRectTool::MoveTo")
}

#include "DrawTools.h"

#include <cmath>
#include <memory>

#include "ErrorLog.h"

namespace {

void Line(CDC* dc, POINT a, POINT b) {
  dc->MoveTo(a);
  dc->LineTo(b);
}

}  // namespace

CDC* NewToolDC(CWnd* window) {
  if (window == nullptr || window->m_hWnd == nullptr) return nullptr;
  std::unique_ptr<CClientDC> dc(new CClientDC(window));
  return dc->m_hDC != nullptr ? dc.release() : nullptr;
}

int CalcRadius(POINT a, POINT b) {
  const double dx = a.x - b.x, dy = a.y - b.y;
  return static_cast<int>(std::floor(std::sqrt(dx * dx + dy * dy)));
}

CRect CalcRect(POINT centre, POINT p) {
  const int r = CalcRadius(centre, p);
  return CRect(centre.x - r, centre.y - r, centre.x + r, centre.y + r);
}

// ---- Point list ----

void CToolPointList::AddPoint(POINT p) {
  std::unique_ptr<POINT> copy(new POINT(p));
  AddTail(copy.get());
  copy.release();
}

void CToolPointList::RemovePoints() {
  while (!IsEmpty()) delete RemoveHead();
}

// ---- CDrawTool ----

CDrawTool::~CDrawTool() { ReleaseDC(); }

void CDrawTool::ReleaseDC() {
  if (m_pDC != nullptr && m_pPen != nullptr) m_pDC->SelectStockObject(BLACK_PEN);
  delete m_pPen;
  m_pPen = nullptr;
  delete m_pDC;
  m_pDC = nullptr;
}

void CDrawTool::PrepareDC(CWnd* window) {
  ReleaseDC();
  // The pen first: a DC without the inverting set-up would draw figures that no second drawing
  // takes away.
  m_pPen = new CPen(PS_SOLID, m_penWidth, RGB(0, 0, 0));
  m_pDC = NewToolDC(window);
  if (m_pDC == nullptr) return;
  m_pDC->SelectObject(m_pPen);
  m_pDC->SetROP2(R2_NOT);
  m_pDC->SelectStockObject(NULL_BRUSH);
  window->SetCapture();
}

void CDrawTool::MouseDown(CWnd* window, CPoint point) {
  DEF_TRY
  // A signature that was ended (EndWorkingSignature) but whose points were not yet taken has given
  // its DC back although the started flag is still set: make a new one rather than draw on none.
  if (!m_started || m_pDC == nullptr) PrepareDC(window);
  m_start = m_end = point;
  DrawBegin(point);
  m_drawing = 1;
  m_started = 1;
  DEF_CATCH("CDrawTool::MouseDown")
}

void CDrawTool::MouseMove(CPoint point) {
  DEF_TRY
  if (!m_drawing) return;
  DrawTo(point);
  m_end = point;
  DEF_CATCH("CDrawTool::MouseMove")
}

void CDrawTool::MouseUp(RECT* rect) {
  DEF_TRY
  // A second MouseUp must not draw the last figure back onto the screen.
  if (m_drawing) DrawEnd();
  if (rect != nullptr) ::SetRect(rect, m_start.x, m_start.y, m_end.x, m_end.y);
  m_drawing = 0;
  DEF_CATCH("CDrawTool::MouseUp")
}

void CDrawTool::EndWorkingSignature() {
  DEF_TRY
  ::ReleaseCapture();
  ReleaseDC();
  DEF_CATCH("CDrawTool::EndWorkingSignature")
}

// ---- Figures spanned by start and current point ----

void CRubberBandTool::DrawBegin(CPoint) {}

void CRubberBandTool::Figure(CPoint a, CPoint b) {
  // MouseDown draws nothing, so the figure of a gesture that has not moved is not on the screen and
  // must not be drawn as an erase either, whatever GDI makes of a degenerate figure.
  if (m_pDC != nullptr && a != b) DrawFigure(a, b);
}

void CRubberBandTool::DrawTo(CPoint point) {
  Figure(m_start, m_end);
  Figure(m_start, point);
}

void CRubberBandTool::DrawEnd() { Figure(m_start, m_end); }

void CDrawRect::DrawFigure(CPoint a, CPoint b) { m_pDC->Rectangle(a.x, a.y, b.x, b.y); }

void CDrawEllipse::DrawFigure(CPoint a, CPoint b) { m_pDC->Ellipse(a.x, a.y, b.x, b.y); }

void CDrawCircle::DrawFigure(CPoint a, CPoint b) { m_pDC->Ellipse(CalcRect(a, b)); }

void CDrawLine::DrawFigure(CPoint a, CPoint b) { Line(m_pDC, a, b); }

void CDrawCanvasRect::DrawBegin(CPoint) { m_start = m_end = CPoint(0, 0); }

void CDrawCanvasRect::DrawFigure(CPoint a, CPoint b) {
  switch (m_mode) {
    case kModeFree:
      m_pDC->Rectangle(a.x, a.y, b.x, b.y);
      break;
    case kModeRightEdge:
      m_pDC->Rectangle(a.x, a.y, b.x, m_fixedBottom);
      break;
    case kModeBottomEdge:
      m_pDC->Rectangle(a.x, a.y, m_fixedRight, b.y);
      break;
    default:
      break;
  }
}

// ---- Freehand ----

void CDrawFreehand::RemovePoints() {
  DEF_TRY
  m_points.RemovePoints();
  m_started = 0;
  DEF_CATCH("CDrawFreehand::RemovePoints")
}

void CDrawFreehand::DrawBegin(CPoint point) {
  AddPoint(point);
  if (m_pDC != nullptr) m_pDC->MoveTo(point);
}

void CDrawFreehand::DrawTo(CPoint point) {
  AddPoint(point);
  if (m_pDC != nullptr) m_pDC->LineTo(point);
}

void CDrawFreehand::DrawEnd() { AddPoint(kStrokeSeparator); }

// ---- Polygon ----

CDrawPolygon::~CDrawPolygon() {
  delete m_pRubberPen;
  delete m_pDC;
}

void CDrawPolygon::DrawSegment(POINT a, POINT b) {
  if (m_pDC != nullptr) Line(m_pDC, a, b);
}

void CDrawPolygon::Start(CWnd* window, CPoint p) {
  DEF_TRY
  Stop();
  m_pWnd = window;
  m_segStart = m_segEnd = p;
  m_pRubberPen = new CPen(PS_SOLID, 0, RGB(0, 0, 0));
  m_pDC = NewToolDC(window);
  if (m_pDC != nullptr) {
    m_pDC->SelectObject(m_pRubberPen);
    m_pDC->SetROP2(R2_NOT);
    window->SetCapture();
  }
  m_drawing = 1;
  DEF_CATCH("CDrawPolygon::Start")
}

void CDrawPolygon::MouseDown(CWnd* window, CPoint p) {
  DEF_TRY
  if (!m_drawing) {
    // The first vertex, or a click after the polygon was closed: a new run of edges begins here.
    Start(window, p);
  } else if (!m_points.IsEmpty() && m_pDC != nullptr) {
    DrawSegment(m_segStart, m_segEnd);
    // The fixed edge ends at the vertex itself, which is what the point list holds, even when no
    // move reached the click point first.
    CPen pen(PS_SOLID, m_penWidth, m_penColour);
    m_pDC->SelectObject(&pen);
    m_pDC->SetROP2(R2_COPYPEN);
    DrawSegment(m_segStart, p);
    m_pDC->SetROP2(R2_NOT);
    m_pDC->SelectObject(m_pRubberPen);
  }
  m_segStart = m_segEnd = p;
  AddPoint(p);
  DEF_CATCH("CDrawPolygon::MouseDown")
}

void CDrawPolygon::MouseMove(CPoint p) {
  DEF_TRY
  if (!m_drawing) return;
  DrawSegment(m_segStart, m_segEnd);
  DrawSegment(m_segStart, p);
  m_segEnd = p;
  DEF_CATCH("CDrawPolygon::MouseMove")
}

void CDrawPolygon::MouseDblClick() {
  DEF_TRY
  if (!m_drawing) return;
  // The rubber edge would otherwise stay inverted on the screen until the next repaint.
  DrawSegment(m_segStart, m_segEnd);
  Stop();
  if (!m_points.IsEmpty()) AddPoint(*m_points.GetHead());
  DEF_CATCH("CDrawPolygon::MouseDblClick")
}

void CDrawPolygon::Stop() {
  DEF_TRY
  if (m_drawing) ::ReleaseCapture();
  if (m_pDC != nullptr) m_pDC->SelectStockObject(BLACK_PEN);
  delete m_pDC;
  m_pDC = nullptr;
  delete m_pRubberPen;
  m_pRubberPen = nullptr;
  m_drawing = 0;
  DEF_CATCH("CDrawPolygon::Stop")
}

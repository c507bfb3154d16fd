// The shapes on devices: the outline on the screen, printers and bitmaps with the state frames, on
// PDF pages through the PDF creator, and the line's cursors.
#include "TranspShapes.h"

#include <cstdlib>

#include <pdfwriter/PdfComponent.h>

#include "ErrorLog.h"
#include "MyProcs.h"

// ---- Screen, printer and bitmap ----

void CTranspShape::Draw(CDC* dc, int print, POINT* dpi) {
  DEF_TRY
  if (m_deleted || dc == nullptr) return;
  CPen pen;
  const int saved = dc->SaveDC();
  if (CreateShapePen(pen, dc, print, dpi)) {
    dc->SelectObject(&pen);
    dc->SelectStockObject(NULL_BRUSH);
    PaintShape(dc, print, dpi);
  }
  dc->RestoreDC(saved);
  if (!print) DrawFrames(dc);
  DEF_CATCH("CTranspShape::Draw")
}

void CTranspShape::DrawFrames(CDC* dc) { DrawStateFrame(dc, DeviceRect(m_rect, 0, dc, nullptr)); }

void CTranspRectangle::PaintShape(CDC* dc, int print, const POINT* dpi) {
  const RECT r = DeviceRect(m_rect, print, dc, dpi);
  dc->Rectangle(&r);
}

// The circle draws as the ellipse of its square.
void CTranspEllipse::PaintShape(CDC* dc, int print, const POINT* dpi) {
  const RECT r = DeviceRect(m_rect, print, dc, dpi);
  dc->Ellipse(&r);
}

void CTranspLine::PaintShape(CDC* dc, int print, const POINT* dpi) {
  const POINT a = DevicePoint(m_x1, m_y1, print, dc, dpi);
  const POINT b = DevicePoint(m_x2, m_y2, print, dc, dpi);
  dc->MoveTo(a);
  dc->LineTo(b);
}

namespace {

// The edge midpoints of a normalized box, as the round shapes place their handles: the right and
// bottom ones on the last pixel inside for select squares (inside = 1), on the edge for focus squares.
void EdgeMidpoints(RECT box, int inside, POINT out[4]) {
  box = NormalizedRect(box);
  const int midX = (box.left + box.right) / 2, midY = (box.top + box.bottom) / 2;
  out[0] = {midX, box.top};
  out[1] = {box.right - inside, midY};
  out[2] = {midX, box.bottom - inside};
  out[3] = {box.left, midY};
}

}  // namespace

// The round shapes have no corners to grab: their select squares sit on the edge midpoints only.
void CTranspEllipse::DrawSelectFrame(CDC* dc, int left, int top, int right, int bottom, int middles) {
  (void)middles;
  DEF_TRY
  if (dc == nullptr) return;
  HideViewCaret();
  POINT points[4];
  EdgeMidpoints(RECT{left, top, right, bottom}, 1, points);
  for (const POINT& p : points) DrawSelectSquare(dc, p.x, p.y);
  DEF_CATCH("CTranspEllipse::DrawSelectFrame")
}

void CTranspEllipse::DrawFocusHandles(CDC* dc, const RECT& box) {
  POINT points[4];
  EdgeMidpoints(box, 0, points);
  for (const POINT& p : points) DrawFocusSquare(dc, p.x, p.y);
}

// A short line on the screen gets a third square at its middle so that it can still be told from a
// point.
void CTranspLine::DrawSelectFrame(CDC* dc, int x1, int y1, int x2, int y2, int middles) {
  (void)middles;
  DEF_TRY
  if (dc == nullptr) return;
  HideViewCaret();
  DrawSelectSquare(dc, x1, y1);
  DrawSelectSquare(dc, x2, y2);
  if (std::abs(x2 - x1) <= 7 || std::abs(y2 - y1) <= 7) DrawSelectSquare(dc, (x1 + x2) / 2, (y1 + y2) / 2);
  DEF_CATCH("CTranspLine::DrawSelectFrame")
}

void CTranspLine::DrawFrames(CDC* dc) {
  const POINT a = DevicePoint(m_x1, m_y1, 0, dc, nullptr);
  const POINT b = DevicePoint(m_x2, m_y2, 0, dc, nullptr);
  if (m_selected) {
    DrawSelectFrame(dc, a.x, a.y, b.x, b.y, 0);
    return;
  }
  if (!m_frozen && !m_focused) return;
  HideViewCaret();
  for (const POINT& p : {a, b}) {
    if (m_frozen)
      DrawFreezeMark(dc, p.x, p.y);
    else
      DrawFocusSquare(dc, p.x, p.y);
  }
}

// ---- Cursors ----

// Off the line the view gets its standard cursor back; on it the move or sizing cursor.
void CTranspLine::SetObjectCursor(POINT point) {
  DEF_TRY
  const int capture = GetCapture(point);
  HWND window = m_pView != nullptr ? m_pView->GetSafeHwnd() : nullptr;
  if (capture == CAPTURE_NONE) {
    if (window != nullptr)
      ::SetClassLongPtrW(window, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(::LoadCursorW(nullptr, IDC_ARROW)));
    return;
  }
  ClearViewClassCursor();
  ::SetCursor(capture == CAPTURE_BODY ? GetMoveCursor() : ::LoadCursorW(nullptr, IDC_SIZENWSE));
  DEF_CATCH("CTranspLine::SetObjectCursor")
}

// ---- PDF ----

// A failed call of the PDF creator raises its error, which ends this object's drawing.
void CTranspShape::DrawOnPDFPage(CDC* dc, IPdfDocument* pdf, int arg) {
  (void)dc;
  (void)arg;
  DEF_TRY
  if (m_deleted || pdf == nullptr) return;
  const double r = pdf->GetResolution();
  const COLORREF c = m_style.color;
  pdf->SetStrokeColor(GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
  const double width = UnitToInch(m_style.lineWidth) * r;
  pdf->SetLineWidth(width);
  pdf->SetDash(_bstr_t(static_cast<LPCWSTR>(GetPdfDashPattern(m_style.penStyle, width))));
  AddPdfPath(pdf, r);
  pdf->Stroke();
  pdf->EndPath();
  DEF_CATCH("CTranspShape::DrawOnPDFPage")
}

void CTranspRectangle::AddPdfPath(IPdfDocument* pdf, double r) {
  pdf->Rectangle(PdfCoordinate(m_rect.left, r), PdfCoordinate(m_rect.top, r), PdfCoordinate(m_rect.right, r),
                 PdfCoordinate(m_rect.bottom, r));
}

void CTranspEllipse::AddPdfPath(IPdfDocument* pdf, double r) {
  pdf->Ellipse(PdfCoordinate(m_rect.left, r), PdfCoordinate(m_rect.top, r), PdfCoordinate(m_rect.right, r),
               PdfCoordinate(m_rect.bottom, r));
}

void CTranspLine::AddPdfPath(IPdfDocument* pdf, double r) {
  pdf->MoveTo(PdfCoordinate(m_x1, r), PdfCoordinate(m_y1, r));
  pdf->LineTo(PdfCoordinate(m_x2, r), PdfCoordinate(m_y2, r));
}

// The freehand object on devices: its strokes on the screen, printers and bitmaps, its focus
// circles, and its path on PDF pages.
#include "TranspFreehand.h"

#include <pdfwriter/PdfComponent.h>

#include "MyProcs.h"

namespace {

constexpr int kSeparatorValue = -9999;

}  // namespace

// Separators stay (-9999, -9999) in device space; a point next to one is moved to, not drawn to,
// so each stroke is its own polyline. A single point draws nothing.
void CTranspFreehand::PaintShape(CDC* dc, int print, const POINT* dpi) {
  if (m_points.size() < 2) return;
  POINT previous = {};
  for (size_t i = 0; i < m_points.size(); ++i) {
    const POINT& stored = m_points[i];
    const POINT p = IsStrokeSeparator(stored) ? POINT{kSeparatorValue, kSeparatorValue}
                                              : DevicePoint(stored.x, stored.y, print, dc, dpi);
    if (i == 0 || IsStrokeSeparator(p) || IsStrokeSeparator(previous))
      dc->MoveTo(p);
    else
      dc->LineTo(p);
    previous = p;
  }
}

// Focus circles sit on the four corners of the box.
void CTranspFreehand::DrawFocusHandles(CDC* dc, const RECT& box) {
  const RECT r = NormalizedRect(box);
  const POINT corners[] = {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
  for (const POINT& p : corners) DrawFocusCircle(dc, p.x, p.y);
}

// On a PDF page a point breaks the path when either of its coordinates or of its predecessor's is
// a separator value; separator values are not converted.
void CTranspFreehand::AddPdfPath(IPdfDocument* pdf, double r) {
  if (m_points.size() < 2) return;
  auto convert = [r](int v) {
    return v == kSeparatorValue ? static_cast<double>(kSeparatorValue) : PdfCoordinate(v, r);
  };
  auto parts = [](const POINT& p) { return p.x == kSeparatorValue || p.y == kSeparatorValue; };
  for (size_t i = 0; i < m_points.size(); ++i) {
    const POINT& p = m_points[i];
    if (i == 0 || parts(p) || parts(m_points[i - 1]))
      pdf->MoveTo(convert(p.x), convert(p.y));
    else
      pdf->LineTo(convert(p.x), convert(p.y));
  }
}

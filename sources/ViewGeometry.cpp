#include "ViewGeometry.h"

#include <cmath>

#include "MyProcs.h"

// The 75 % row keeps the value documents have always stored for it, not -4/3 itself.
const ZOOM_ROW g_zoomTable[10] = {{800, 8.0},  {400, 4.0},         {200, 2.0}, {150, 1.5},  {125, 1.25},
                                  {100, 1.0},  {75, -1.33333331},  {50, -2.0}, {25, -4.0},  {10, -10.0}};

namespace {

// Magnifications that differ less than this are the same step: -4/3 stored in single precision and
// fitted divisors such as -0.8 must not count as a step of their own.
const double kSameMagnification = 1e-6;

double ScaleToView(double page, double zoom) { return zoom > 0 ? page * zoom : page / std::fabs(zoom); }
double ScaleToPage(double view, double zoom) { return zoom > 0 ? view / zoom : view * std::fabs(zoom); }

template <typename F>
void BothCorners(RECT& rc, F convert) {
  POINT a = {rc.left, rc.top}, b = {rc.right, rc.bottom};
  convert(a);
  convert(b);
  rc = {a.x, a.y, b.x, b.y};
}

}  // namespace

double ZoomMagnification(double zoom) {
  if (zoom == 0) return 1.0;
  return zoom > 0 ? zoom : 1.0 / std::fabs(zoom);
}

double NormalizeZoom(double zoom) {
  if (zoom == 0 || zoom == -1 || std::isnan(zoom)) return 1.0;
  if (zoom > ZOOM_MAX) return ZOOM_MAX;
  if (zoom < ZOOM_MIN) return ZOOM_MIN;
  if (ZoomMagnification(zoom) > ZoomMagnification(ZOOM_MAX)) return ZOOM_MAX;
  return zoom;
}

double NextZoomIn(double zoom) {
  const double current = ZoomMagnification(zoom) * (1 + kSameMagnification);
  double result = ZOOM_MAX;
  for (int row = 0; row < ZOOM_TABLE_ROWS; ++row)
    if (ZoomMagnification(g_zoomTable[row].zoom) > current) result = g_zoomTable[row].zoom;
  return result;
}

double NextZoomOut(double zoom) {
  const double current = ZoomMagnification(zoom) * (1 - kSameMagnification);
  double result = ZOOM_MIN;
  for (int row = ZOOM_TABLE_ROWS - 1; row >= 0; --row)
    if (ZoomMagnification(g_zoomTable[row].zoom) < current) result = g_zoomTable[row].zoom;
  return result;
}

int ZoomToPercent(double zoom) { return static_cast<int>(ZoomMagnification(zoom) * 100); }

double PercentToZoom(int percent) {
  for (const ZOOM_ROW& row : g_zoomTable)
    if (row.percent == percent) return row.zoom;
  if (percent <= 0) return ZOOM_MIN;
  return percent < 100 ? -100.0 / percent : percent / 100.0;
}

int FitPageExtent(int screenDpi, double inches) { return static_cast<int>(screenDpi * inches) + 3; }

BOOL FitToWindowZoom(int pageWidth, int pageHeight, int clientWidth, int clientHeight, double& zoom) {
  if (clientWidth <= 0 || clientHeight <= 0 || pageWidth <= 0 || pageHeight <= 0) return FALSE;
  const double across = static_cast<double>(pageWidth) / clientWidth;
  const double down = static_cast<double>(pageHeight) / clientHeight;
  zoom = NormalizeZoom(-(across > down ? across : down));
  return TRUE;
}

BOOL FitToWidthZoom(int pageWidth, int clientWidth, double& zoom) {
  if (clientWidth <= 0 || pageWidth <= 0) return FALSE;
  zoom = NormalizeZoom(clientWidth >= pageWidth ? static_cast<double>(clientWidth) / pageWidth
                                                : -(static_cast<double>(pageWidth) / clientWidth));
  return TRUE;
}

PRINTER_PAGE ConvertPrinterMetrics(const PRINTER_METRICS& printer, int screenDpiX, int screenDpiY) {
  PRINTER_PAGE page = {};
  if (printer.dpiX > 0)
    page.printable.cx = RoundToInt(static_cast<double>(screenDpiX) / printer.dpiX * printer.physicalWidth);
  if (printer.dpiY > 0)
    page.printable.cy = RoundToInt(static_cast<double>(screenDpiY) / printer.dpiY * printer.physicalHeight);
  page.offset = {RoundToInt(printer.offsetX), RoundToInt(printer.offsetY)};
  page.paper = {RoundToInt(printer.paperWidthMm * screenDpiX / 25.4),
                RoundToInt(printer.paperHeightMm * screenDpiY / 25.4)};
  return page;
}

void CViewGeometry::ClientToPage(POINT& pt) const {
  pt.x = RoundToInt(ScaleToPage(static_cast<double>(pt.x) + m_scroll.x, m_zoom));
  pt.y = RoundToInt(ScaleToPage(static_cast<double>(pt.y) + m_scroll.y, m_zoom));
}
void CViewGeometry::ClientToPage(RECT& rc) const {
  BothCorners(rc, [this](POINT& p) { ClientToPage(p); });
}

void CViewGeometry::PageToClient(POINT& pt) const {
  pt.x = RoundToInt(ScaleToView(pt.x, m_zoom) - m_scroll.x);
  pt.y = RoundToInt(ScaleToView(pt.y, m_zoom) - m_scroll.y);
}
void CViewGeometry::PageToClient(RECT& rc) const {
  BothCorners(rc, [this](POINT& p) { PageToClient(p); });
}

void CViewGeometry::PageToView(POINT& pt) const {
  pt.x = RoundToInt(ScaleToView(pt.x, m_zoom));
  pt.y = RoundToInt(ScaleToView(pt.y, m_zoom));
}
void CViewGeometry::PageToView(RECT& rc) const {
  BothCorners(rc, [this](POINT& p) { PageToView(p); });
}

void CViewGeometry::ViewToPage(POINT& pt) const {
  pt.x = RoundToInt(ScaleToPage(pt.x, m_zoom));
  pt.y = RoundToInt(ScaleToPage(pt.y, m_zoom));
}
void CViewGeometry::ViewToPage(RECT& rc) const {
  BothCorners(rc, [this](POINT& p) { ViewToPage(p); });
}

void CViewGeometry::ViewToClient(POINT& pt) const {
  pt.x -= m_scroll.x;
  pt.y -= m_scroll.y;
}
void CViewGeometry::ViewToClient(RECT& rc) const {
  BothCorners(rc, [this](POINT& p) { ViewToClient(p); });
}

void CViewGeometry::UnitToPage(POINT& pt) const {
  pt.x = RoundToInt(UnitToPageF(pt.x, FALSE));
  pt.y = RoundToInt(UnitToPageF(pt.y, TRUE));
}
void CViewGeometry::UnitToPage(RECT& rc) const {
  BothCorners(rc, [this](POINT& p) { UnitToPage(p); });
}

void CViewGeometry::PageToUnit(POINT& pt) const {
  // A view without resolution or unit size leaves the point alone rather than dividing by zero.
  if (m_dpiX <= 0 || m_dpiY <= 0 || m_inchesPerUnit <= 0) return;
  pt.x = RoundToInt(static_cast<double>(pt.x) / m_dpiX / m_inchesPerUnit);
  pt.y = RoundToInt(static_cast<double>(pt.y) / m_dpiY / m_inchesPerUnit);
}
void CViewGeometry::PageToUnit(RECT& rc) const {
  BothCorners(rc, [this](POINT& p) { PageToUnit(p); });
}

double CViewGeometry::UnitToPageF(double units, BOOL vertical) const {
  return units * m_inchesPerUnit * (vertical ? m_dpiY : m_dpiX);
}

double CViewGeometry::PageToViewF(double page) const { return ScaleToView(page, m_zoom); }

int CViewGeometry::ViewLengthToPage(int length, double factor) const {
  if (factor == 0) return 0;
  return static_cast<int>(ScaleToPage(length, m_zoom) / factor);
}

double CViewGeometry::GetFontScaleFactor(int liveDpiY) const {
  if (m_dpiY <= 0) return 0;
  return ScaleToView(static_cast<double>(liveDpiY) / m_dpiY, m_zoom);
}

int CViewGeometry::PageToViewTruncated(int page) const { return static_cast<int>(ScaleToView(page, m_zoom)); }

SIZE CViewGeometry::GetViewExtent() const {
  RECT rc = {0, 0, m_pageExtent.cx, m_pageExtent.cy};
  PageToView(rc);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

POINT CViewGeometry::UpperLeftScrollFor(POINT pt, SIZE client) const {
  const SIZE view = GetViewExtent();
  return {view.cx < client.cx ? 0 : PageToViewTruncated(pt.x), view.cy < client.cy ? 0 : PageToViewTruncated(pt.y)};
}

POINT CViewGeometry::ScrollForPagePointAt(POINT pagePt, POINT clientPt) const {
  const int x = PageToViewTruncated(pagePt.x) - clientPt.x;
  const int y = PageToViewTruncated(pagePt.y) - clientPt.y;
  return {x < 0 ? 0 : x, y < 0 ? 0 : y};
}

SIZE CViewGeometry::PageExtentFor(double widthInches, double heightInches, int liveDpiX, int liveDpiY) const {
  if (liveDpiX <= 0 || liveDpiY <= 0) return {0, 0};
  const int w = static_cast<int>(liveDpiX * widthInches);
  const int h = static_cast<int>(liveDpiY * heightInches);
  return {RoundToInt(w * static_cast<double>(m_dpiX) / liveDpiX), RoundToInt(h * static_cast<double>(m_dpiY) / liveDpiY)};
}

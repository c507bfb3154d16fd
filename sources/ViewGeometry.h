// The form view's coordinate spaces and zoom rules, kept apart from the window so that every rule can
// be checked without one. `CFolimarView` holds one CViewGeometry and forwards its conversion members
// and the free conversion functions that objects call to it.
//
// Spaces: document units (inches-per-unit inches each), page pixels (inches x screen dpi), view pixels
// (page pixels x zoom) and client pixels (view less the scroll position). A positive zoom multiplies,
// a negative one divides; 0 and -1 both mean 1. Every integer conversion rounds half up.
#pragma once
#include <windows.h>

// One row of the scale box: the percent shown and the zoom value stored.
struct ZOOM_ROW {
  int percent;
  double zoom;
};
// Rows 0..9 of the scale box in its order; rows 10 (fit to width) and 11 (fit to window) follow.
extern const ZOOM_ROW g_zoomTable[10];
const int ZOOM_TABLE_ROWS = 10;
const int ZOOM_ROW_FIT_TO_WIDTH = 10;
const int ZOOM_ROW_FIT_TO_WINDOW = 11;
const double ZOOM_MIN = -10.0;
const double ZOOM_MAX = 8.0;

// The factor page pixels are multiplied by: z for z > 0, 1 / |z| for z < 0.
double ZoomMagnification(double zoom);
// What SetViewScale stores: 0 and -1 become 1, the rest is clamped to -10 .. 8, and a fractional
// divisor that would magnify beyond 8 (between -0.125 and 0) becomes 8.
double NormalizeZoom(double zoom);
// Zoom in / out: the table value with the next larger / smaller magnification than the current one
// (8 / -10 when there is none). Magnifications, not raw values, are compared: a fitted zoom of -0.8
// shows 125 %, so zoom in gives 150 % and zoom out 100 %.
double NextZoomIn(double zoom);
double NextZoomOut(double zoom);
// The percent the main bar's scale box shows (truncated).
int ZoomToPercent(double zoom);
// The zoom of a percent typed into the scale box: a table percent gives that row's stored value, so
// typing 75 equals choosing 75 %; else p / 100 from 100 up and -100 / p below; 0 or less gives -10.
double PercentToZoom(int percent);
// Fit to window: the zoom that shows a page of w x h screen pixels (page size + 3 each) inside a
// client area; FALSE (zoom left alone) when the client area or the page is empty.
BOOL FitToWindowZoom(int pageWidth, int pageHeight, int clientWidth, int clientHeight, double& zoom);
// Fit to width: c / w when the client is at least as wide, else -(w / c); FALSE when either is 0.
BOOL FitToWidthZoom(int pageWidth, int clientWidth, double& zoom);
// The page's size in screen pixels as the fit operations take it: (int)(dpi x inches) + 3.
int FitPageExtent(int screenDpi, double inches);

// Printer metrics of the application converted to page pixels.
struct PRINTER_METRICS {
  int dpiX, dpiY;                    // printer resolution
  int physicalWidth, physicalHeight; // printable area in printer pixels
  int offsetX, offsetY;              // physical offset
  double paperWidthMm, paperHeightMm;
};
struct PRINTER_PAGE {
  SIZE printable;  // page pixels
  POINT offset;
  SIZE paper;      // page pixels
};
// A printer resolution of 0 (no printer) gives an empty printable size instead of a division by zero.
PRINTER_PAGE ConvertPrinterMetrics(const PRINTER_METRICS& printer, int screenDpiX, int screenDpiY);

class CViewGeometry {
 public:
  double m_zoom = 1.0;
  int m_dpiX = 96, m_dpiY = 96;    // screen resolution stored by the view at its initial update
  POINT m_scroll = {0, 0};         // scroll position in view pixels
  SIZE m_pageExtent = {0, 0};      // active page in page pixels
  double m_inchesPerUnit = 0.00001;

  // Point and rectangle forms convert in place (a rectangle: both corners).
  void ClientToPage(POINT& pt) const;
  void ClientToPage(RECT& rc) const;
  void PageToClient(POINT& pt) const;
  void PageToClient(RECT& rc) const;
  void PageToView(POINT& pt) const;
  void PageToView(RECT& rc) const;
  void ViewToPage(POINT& pt) const;
  void ViewToPage(RECT& rc) const;
  void ViewToClient(POINT& pt) const;
  void ViewToClient(RECT& rc) const;
  void UnitToPage(POINT& pt) const;
  void UnitToPage(RECT& rc) const;
  void PageToUnit(POINT& pt) const;
  void PageToUnit(RECT& rc) const;
  double UnitToPageF(double units, BOOL vertical) const;
  double PageToViewF(double page) const;
  // View length to page length divided by factor, truncated; 0 for a factor of 0.
  int ViewLengthToPage(int length, double factor) const;
  // Font scale: liveDpiY / stored dpi y, times the magnification; 0 when the stored dpi is 0.
  double GetFontScaleFactor(int liveDpiY) const;

  // Page pixels scaled to view pixels and truncated (the scroll positions).
  int PageToViewTruncated(int page) const;
  // The view extent: {0, 0, page extent} in view pixels (the scroll size).
  SIZE GetViewExtent() const;
  // Scroll position that puts page point pt at the window's top-left corner; 0 on an axis where the
  // view is narrower than the client area.
  POINT UpperLeftScrollFor(POINT pt, SIZE client) const;
  // Scroll position that puts page point pagePt under client point clientPt, clamped at 0.
  POINT ScrollForPagePointAt(POINT pagePt, POINT clientPt) const;
  // Page extent from the page size in inches: (int)(live dpi x inches), scaled by stored / live dpi.
  SIZE PageExtentFor(double widthInches, double heightInches, int liveDpiX, int liveDpiY) const;
};

#include "ViewGeometry.h"

#include <gtest/gtest.h>

namespace {

CViewGeometry At(double zoom, POINT scroll = {0, 0}) {
  CViewGeometry g;
  g.m_zoom = zoom;
  g.m_scroll = scroll;
  return g;
}

TEST(ViewGeometry, ZoomTableInScaleBoxOrder) {
  const int percents[] = {800, 400, 200, 150, 125, 100, 75, 50, 25, 10};
  for (int row = 0; row < ZOOM_TABLE_ROWS; ++row) {
    EXPECT_EQ(percents[row], g_zoomTable[row].percent) << row;
    EXPECT_EQ(percents[row], ZoomToPercent(g_zoomTable[row].zoom)) << row;
  }
  EXPECT_EQ(-1.33333331, g_zoomTable[6].zoom);
}

TEST(ViewGeometry, StoredZoomIsNormalized) {
  const struct {
    double in, out;
  } cases[] = {{0, 1}, {-1, 1}, {9, 8}, {-12, -10}, {1.5, 1.5}, {-0.8, -0.8},
               // A divisor below 1/8 would magnify beyond 800 %: capped at 8.
               {-0.01, 8}, {-0.125, -0.125}};
  for (const auto& c : cases) EXPECT_EQ(c.out, NormalizeZoom(c.in)) << c.in;
}

TEST(ViewGeometry, ZoomStepsCompareMagnification) {
  const struct {
    double from, in, out;
  } cases[] = {
      {8, 8, 4},          // stays at 800 %
      {-10, -4, -10},     // stays at 10 %
      {1, 1.25, -1.33333331},
      {-0.8, 1.5, 1},     // a fitted 125 %: raw values would give 1 and -1.33
      {1.25, 1.5, 1},
      {-1.33333331, 1, -2},
      {-1.3333333333333333, 1, -2},  // typed 75 % without the table value is the same step
      {-3, -2, -4},       // 33 %, between rows
      {-0.5, 4, 1.5},     // 200 % held as a divisor
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.in, NextZoomIn(c.from)) << c.from;
    EXPECT_EQ(c.out, NextZoomOut(c.from)) << c.from;
  }
}

TEST(ViewGeometry, TypedPercent) {
  const struct {
    int percent;
    double zoom;
    int shown;
  } cases[] = {{75, -1.33333331, 75}, {150, 1.5, 150}, {0, -10, 10}, {-20, -10, 10},
               {40, -2.5, 40}, {300, 3, 300},  {2000, 8, 800}};
  for (const auto& c : cases) {
    const double zoom = NormalizeZoom(PercentToZoom(c.percent));
    EXPECT_EQ(c.zoom, zoom) << c.percent;
    EXPECT_EQ(c.shown, ZoomToPercent(zoom)) << c.percent;
  }
}

TEST(ViewGeometry, PointConversionsRoundHalfUp) {
  const struct {
    double zoom;
    int in, toView, toPage;
  } cases[] = {{-2, 3, 2, 6}, {2, 3, 6, 2}, {1.5, 3, 5, 2}, {-4, 5, 1, 20}, {1.25, -3, -4, -2}, {-1.33333331, 4, 3, 5}};
  for (const auto& c : cases) {
    const CViewGeometry g = At(c.zoom);
    POINT v = {c.in, c.in};
    g.PageToView(v);
    EXPECT_EQ(c.toView, v.x) << c.zoom;
    EXPECT_EQ(c.toView, v.y) << c.zoom;
    POINT p = {c.in, c.in};
    g.ViewToPage(p);
    EXPECT_EQ(c.toPage, p.x) << c.zoom;
  }
}

TEST(ViewGeometry, ClientConversionsUseTheScrollPosition) {
  const struct {
    double zoom;
    POINT scroll, client, page, backToClient;
  } cases[] = {
      {2, {10, 20}, {5, 7}, {8, 14}, {6, 8}},     // (15 / 2 = 7.5 -> 8, 27 / 2 = 13.5 -> 14)
      {-2, {10, 20}, {5, 7}, {30, 54}, {5, 7}},
      {1, {0, 0}, {-3, 4}, {-3, 4}, {-3, 4}},
  };
  for (const auto& c : cases) {
    const CViewGeometry g = At(c.zoom, c.scroll);
    POINT p = c.client;
    g.ClientToPage(p);
    EXPECT_EQ(c.page.x, p.x) << c.zoom;
    EXPECT_EQ(c.page.y, p.y) << c.zoom;
    g.PageToClient(p);
    EXPECT_EQ(c.backToClient.x, p.x) << c.zoom;
    EXPECT_EQ(c.backToClient.y, p.y) << c.zoom;
    POINT v = {100, 200};
    g.ViewToClient(v);
    EXPECT_EQ(100 - c.scroll.x, v.x);
    EXPECT_EQ(200 - c.scroll.y, v.y);
  }
}

TEST(ViewGeometry, RectangleFormsConvertBothCorners) {
  const CViewGeometry g = At(-2, {4, 6});
  RECT rc = {3, 5, 11, 13};
  g.PageToView(rc);
  EXPECT_EQ(2, rc.left);
  EXPECT_EQ(3, rc.top);
  EXPECT_EQ(6, rc.right);
  EXPECT_EQ(7, rc.bottom);
  g.ViewToClient(rc);
  EXPECT_EQ(-2, rc.left);
  EXPECT_EQ(-3, rc.top);
  RECT client = {0, 0, 10, 10};
  g.ClientToPage(client);
  EXPECT_EQ(8, client.left);
  EXPECT_EQ(12, client.top);
  EXPECT_EQ(28, client.right);
  EXPECT_EQ(32, client.bottom);
  RECT page = {8, 12, 28, 32};
  g.PageToClient(page);
  EXPECT_EQ(0, page.left);
  EXPECT_EQ(0, page.top);
  EXPECT_EQ(10, page.right);
  EXPECT_EQ(10, page.bottom);
  RECT view = {2, 3, 6, 7};
  g.ViewToPage(view);
  EXPECT_EQ(4, view.left);
  EXPECT_EQ(14, view.bottom);
}

TEST(ViewGeometry, UnitsToPagePixelsPerAxis) {
  CViewGeometry g;
  g.m_dpiX = 96;
  g.m_dpiY = 120;
  POINT pt = {100000, 100000};  // one inch
  g.UnitToPage(pt);
  EXPECT_EQ(96, pt.x);
  EXPECT_EQ(120, pt.y);
  g.PageToUnit(pt);
  EXPECT_EQ(100000, pt.x);
  EXPECT_EQ(100000, pt.y);
  RECT rc = {520, 0, 100000, 50000};  // 0.4992 page pixels rounds down, 0.5 up
  g.UnitToPage(rc);
  EXPECT_EQ(0, rc.left);
  EXPECT_EQ(96, rc.right);
  EXPECT_EQ(60, rc.bottom);
  RECT half = {521, 0, 0, 0};
  g.UnitToPage(half);
  EXPECT_EQ(1, half.left);
  EXPECT_NEAR(48.0, g.UnitToPageF(50000, FALSE), 1e-9);
  EXPECT_NEAR(60.0, g.UnitToPageF(50000, TRUE), 1e-9);
  g.m_inchesPerUnit = 0.001;
  POINT milli = {1000, 500};
  g.UnitToPage(milli);
  EXPECT_EQ(96, milli.x);
  EXPECT_EQ(60, milli.y);
}

TEST(ViewGeometry, UnconvertiblePageToUnitLeavesThePoint) {
  CViewGeometry g;
  g.m_dpiX = 0;
  POINT pt = {7, 9};
  g.PageToUnit(pt);
  EXPECT_EQ(7, pt.x);
  EXPECT_EQ(9, pt.y);
}

TEST(ViewGeometry, UnroundedAndLengthConversions) {
  EXPECT_DOUBLE_EQ(7.5, At(2.5).PageToViewF(3));
  EXPECT_DOUBLE_EQ(0.75, At(-4).PageToViewF(3));
  EXPECT_EQ(3, At(2).ViewLengthToPage(13, 2));    // 13 / 2 / 2 = 3.25
  EXPECT_EQ(6, At(-2).ViewLengthToPage(13, 4));   // 26 / 4 = 6.5, truncated
  EXPECT_EQ(0, At(1).ViewLengthToPage(13, 0));
}

TEST(ViewGeometry, FontScaleFactor) {
  CViewGeometry g = At(2);
  EXPECT_DOUBLE_EQ(2.0, g.GetFontScaleFactor(96));
  EXPECT_DOUBLE_EQ(2.5, g.GetFontScaleFactor(120));
  g.m_zoom = -4;
  EXPECT_DOUBLE_EQ(0.25, g.GetFontScaleFactor(96));
  g.m_dpiY = 0;
  EXPECT_EQ(0.0, g.GetFontScaleFactor(96));
}

TEST(ViewGeometry, FitToWindow) {
  const struct {
    int w, h, cw, ch;
    BOOL fits;
    double zoom;
  } cases[] = {
      {819, 1059, 400, 500, TRUE, -1059.0 / 500},  // taller than wide: the height decides
      {400, 200, 800, 800, TRUE, -0.5},            // smaller than the window: magnified to 200 %
      {20, 20, 800, 800, TRUE, 8},                 // tiny page: never past 800 %
      {819, 1059, 0, 0, FALSE, 0.5},               // minimised window: zoom left alone
      {0, 1059, 400, 500, FALSE, 0.5},
  };
  for (const auto& c : cases) {
    double zoom = 0.5;
    EXPECT_EQ(c.fits, FitToWindowZoom(c.w, c.h, c.cw, c.ch, zoom)) << c.w;
    EXPECT_DOUBLE_EQ(c.zoom, zoom) << c.w;
  }
  EXPECT_EQ(819, FitPageExtent(96, 8.5));
  EXPECT_EQ(3, FitPageExtent(96, 0));
}

TEST(ViewGeometry, FitToWidth) {
  const struct {
    int w, c;
    BOOL fits;
    double zoom;
  } cases[] = {{400, 800, TRUE, 2}, {800, 400, TRUE, -2}, {400, 400, TRUE, 1}, {10, 800, TRUE, 8},
               {800, 0, FALSE, 8}, {0, 400, FALSE, 8}};
  for (const auto& c : cases) {
    double zoom = 8;
    EXPECT_EQ(c.fits, FitToWidthZoom(c.w, c.c, zoom)) << c.w << " " << c.c;
    EXPECT_DOUBLE_EQ(c.zoom, zoom) << c.w << " " << c.c;
  }
}

TEST(ViewGeometry, ScrollPositions) {
  CViewGeometry g = At(1.5);
  g.m_pageExtent = {800, 1000};  // view 1200 x 1500
  POINT up = g.UpperLeftScrollFor({101, 201}, {600, 2000});
  EXPECT_EQ(151, up.x);  // 151.5 truncated
  EXPECT_EQ(0, up.y);    // the view is shorter than the client area
  POINT keep = g.ScrollForPagePointAt({101, 10}, {50, 40});
  EXPECT_EQ(101, keep.x);
  EXPECT_EQ(0, keep.y);  // 15 - 40 clamped
  SIZE extent = g.GetViewExtent();
  EXPECT_EQ(1200, extent.cx);
  EXPECT_EQ(1500, extent.cy);
  // Ctrl + wheel keeps the page point under the cursor: converting back gives the same client point.
  g.m_scroll = {0, 0};
  POINT cursor = {333, 222};
  POINT page = cursor;
  g.ClientToPage(page);
  g.m_zoom = NextZoomIn(g.m_zoom);
  g.m_scroll = g.ScrollForPagePointAt(page, cursor);
  g.PageToClient(page);
  EXPECT_NEAR(cursor.x, page.x, 1);
  EXPECT_NEAR(cursor.y, page.y, 1);
}

TEST(ViewGeometry, PageExtentAndPrinterMetrics) {
  CViewGeometry g;
  g.m_dpiX = 96;
  g.m_dpiY = 96;
  SIZE extent = g.PageExtentFor(8.5, 11, 120, 120);  // 1020 x 1320 live, scaled by 96 / 120
  EXPECT_EQ(816, extent.cx);
  EXPECT_EQ(1056, extent.cy);
  EXPECT_EQ(0, g.PageExtentFor(8.5, 11, 0, 96).cx);

  PRINTER_METRICS printer = {600, 300, 4800, 3000, 25, 13, 215.9, 279.4};
  PRINTER_PAGE page = ConvertPrinterMetrics(printer, 96, 96);
  EXPECT_EQ(768, page.printable.cx);
  EXPECT_EQ(960, page.printable.cy);
  EXPECT_EQ(25, page.offset.x);
  EXPECT_EQ(13, page.offset.y);
  EXPECT_EQ(816, page.paper.cx);
  EXPECT_EQ(1056, page.paper.cy);
  PRINTER_METRICS none = {};
  PRINTER_PAGE empty = ConvertPrinterMetrics(none, 96, 96);
  EXPECT_EQ(0, empty.printable.cx);
  EXPECT_EQ(0, empty.printable.cy);
}

}  // namespace

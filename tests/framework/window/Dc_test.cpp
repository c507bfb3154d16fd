// Device contexts and GDI objects drawing into a 32-bit DIB section, checked pixel by pixel.
#include <gtest/gtest.h>

#include "Framework.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);

// A memory DC over a top-down 32-bit DIB of `width` x `height`, cleared to white.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<const DWORD*>(bits);
    dc.CreateCompatibleDC(nullptr);
    old_ = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, width, height, kWhite);
  }
  ~Canvas() { dc.SelectObject(old_); }
  // Reads the bits directly, so the check does not go through the DC under test.
  COLORREF At(int x, int y) const {
    ::GdiFlush();
    const DWORD v = bits_[y * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  CDC dc;
  CBitmap bitmap;

 private:
  int width_;
  const DWORD* bits_ = nullptr;
  CBitmap* old_ = nullptr;
};

TEST(Dc, PenAndBrushDrawOutlineAndFill) {
  Canvas c(40, 40);
  CPen pen(PS_SOLID, 1, kRed);
  CBrush brush(kBlue);
  CPen* oldPen = c.dc.SelectObject(&pen);
  CBrush* oldBrush = c.dc.SelectObject(&brush);
  ASSERT_NE(oldPen, nullptr);
  ASSERT_NE(oldBrush, nullptr);
  EXPECT_EQ(c.dc.GetCurrentPen(), &pen) << "an owned object is found from its handle";
  c.dc.Rectangle(5, 5, 25, 25);
  EXPECT_EQ(c.At(5, 5), kRed);
  EXPECT_EQ(c.At(24, 15), kRed);
  EXPECT_EQ(c.At(15, 15), kBlue);
  EXPECT_EQ(c.At(25, 25), kWhite) << "right and bottom edges are exclusive";
  c.dc.SelectObject(oldPen);
  c.dc.SelectObject(oldBrush);
  EXPECT_NE(c.dc.GetCurrentPen()->m_hObject, pen.m_hObject);
}

TEST(Dc, SaveAndRestoreBringBackObjectsAndOrigin) {
  Canvas c(40, 40);
  CBrush green(kGreen);
  const int saved = c.dc.SaveDC();
  ASSERT_NE(saved, 0);
  c.dc.SelectObject(&green);
  c.dc.SelectStockObject(NULL_PEN);
  c.dc.SetViewportOrg(10, 10);
  c.dc.RestoreDC(saved);
  EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(0, 0));
  EXPECT_NE(c.dc.GetCurrentBrush()->m_hObject, green.m_hObject);
}

TEST(Dc, ViewportOriginShiftsDrawingAndConversions) {
  Canvas c(40, 40);
  c.dc.SetViewportOrg(-10, 5);
  c.dc.SetPixel(15, 0, kBlack);
  EXPECT_EQ(c.At(5, 5), kBlack);
  CPoint p(15, 0);
  c.dc.LPtoDP(&p);
  EXPECT_EQ(p, CPoint(5, 5));
  CSize s(7, 3);
  c.dc.DPtoLP(&s);
  EXPECT_EQ(s, CSize(7, 3)) << "sizes do not move with the origin";
}

TEST(Dc, ClipRegionLimitsFills) {
  Canvas c(40, 40);
  CRgn clip;
  ASSERT_TRUE(clip.CreateRectRgn(10, 10, 20, 20));
  c.dc.SelectClipRgn(&clip);
  c.dc.FillSolidRect(0, 0, 40, 40, kRed);
  EXPECT_EQ(c.At(15, 15), kRed);
  EXPECT_EQ(c.At(5, 5), kWhite);
  CRect box;
  EXPECT_EQ(c.dc.GetClipBox(&box), SIMPLEREGION);
  EXPECT_EQ(box, CRect(10, 10, 20, 20));
  c.dc.SelectClipRgn(nullptr);
  c.dc.FillSolidRect(0, 0, 5, 5, kRed);
  EXPECT_EQ(c.At(2, 2), kRed);
}

TEST(Dc, RegionsCombineAndFill) {
  Canvas c(40, 40);
  CRgn a, b, both;
  a.CreateRectRgn(0, 0, 20, 20);
  b.CreateRectRgn(10, 10, 30, 30);
  both.CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(both.CombineRgn(&a, &b, RGN_XOR), COMPLEXREGION);
  EXPECT_TRUE(both.PtInRegion(5, 5));
  EXPECT_FALSE(both.PtInRegion(15, 15));
  CBrush blue(kBlue);
  EXPECT_TRUE(c.dc.FillRgn(&both, &blue));
  EXPECT_EQ(c.At(5, 5), kBlue);
  EXPECT_EQ(c.At(15, 15), kWhite);
  EXPECT_EQ(c.At(25, 25), kBlue);
  CRgn none;
  EXPECT_EQ(none.CombineRgn(&a, &b, RGN_OR), ERROR) << "combining into a region never created fails";
}

TEST(Dc, Rop2NotDrawsRubberBandsThatUndoThemselves) {
  Canvas c(40, 40);
  c.dc.FillSolidRect(0, 0, 40, 40, kRed);
  CPen pen(PS_SOLID, 0, kBlack);
  c.dc.SelectObject(&pen);
  c.dc.SetROP2(R2_NOT);
  c.dc.MoveTo(0, 10);
  c.dc.LineTo(40, 10);
  EXPECT_EQ(c.At(20, 10), RGB(0, 255, 255));
  c.dc.MoveTo(0, 10);
  c.dc.LineTo(40, 10);
  EXPECT_EQ(c.At(20, 10), kRed);
  c.dc.SelectStockObject(BLACK_PEN);
}

TEST(Dc, BlitsCopyAndStretch) {
  Canvas source(4, 4);
  source.dc.FillSolidRect(0, 0, 2, 2, kBlue);
  Canvas target(16, 16);
  EXPECT_TRUE(target.dc.BitBlt(1, 1, 4, 4, &source.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(target.At(1, 1), kBlue);
  EXPECT_EQ(target.At(3, 3), kWhite);
  target.dc.SetStretchBltMode(COLORONCOLOR);
  EXPECT_TRUE(target.dc.StretchBlt(8, 8, 8, 8, &source.dc, 0, 0, 4, 4, SRCCOPY));
  EXPECT_EQ(target.At(11, 11), kBlue);
  EXPECT_EQ(target.At(12, 12), kWhite);
  EXPECT_TRUE(target.dc.PatBlt(0, 0, 1, 1, BLACKNESS));
  EXPECT_EQ(target.At(0, 0), kBlack);
}

TEST(Dc, PolygonAndEllipseFillTheirInsides) {
  Canvas c(40, 40);
  CBrush green(kGreen);
  c.dc.SelectObject(&green);
  c.dc.SelectStockObject(NULL_PEN);
  const POINT triangle[] = {{0, 0}, {30, 0}, {0, 30}};
  c.dc.Polygon(triangle, 3);
  EXPECT_EQ(c.At(5, 5), kGreen);
  EXPECT_EQ(c.At(25, 25), kWhite);
  c.dc.Ellipse(20, 20, 40, 40);
  EXPECT_EQ(c.At(30, 30), kGreen);
  EXPECT_EQ(c.At(21, 21), kWhite) << "the corner of the bounding box is outside the ellipse";
  c.dc.SelectStockObject(WHITE_BRUSH);
}

TEST(Dc, TextOutUsesTextColourAndMetricsAreConsistent) {
  Canvas c(120, 40);
  CFont font;
  LOGFONTW lf = {};
  lf.lfHeight = 200;  // 20 points
  lstrcpyW(lf.lfFaceName, L"Tahoma");
  ASSERT_TRUE(font.CreatePointFontIndirect(&lf, &c.dc));
  c.dc.SelectObject(&font);
  c.dc.SetTextColor(kRed);
  c.dc.SetBkMode(TRANSPARENT);
  const CString text(L"HIH");
  const CSize extent = c.dc.GetTextExtent(text);
  EXPECT_GT(extent.cx, 10);
  TEXTMETRICW tm;
  ASSERT_TRUE(c.dc.GetTextMetrics(&tm));
  EXPECT_EQ(extent.cy, tm.tmHeight);
  c.dc.TextOut(2, 2, text);
  int red = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x) red += c.At(x, y) == kRed;
  EXPECT_GT(red, 20) << "the letters are drawn in the text colour";
  c.dc.SelectStockObject(SYSTEM_FONT);
}

TEST(Font, PointFontHeightFollowsTheDevicesResolution) {
  Canvas c(4, 4);
  CFont font;
  LOGFONTW lf = {};
  lf.lfHeight = 120;
  lstrcpyW(lf.lfFaceName, L"Tahoma");
  ASSERT_TRUE(font.CreatePointFontIndirect(&lf, &c.dc));
  LOGFONTW created = {};
  ASSERT_TRUE(font.GetLogFont(&created));
  EXPECT_EQ(created.lfHeight, -::MulDiv(c.dc.GetDeviceCaps(LOGPIXELSY), 120, 720));
  // In a metric mapping mode the height is in logical units: 12 pt = 1/6 inch = 42.3 in 0.1 mm.
  c.dc.SetMapMode(MM_LOMETRIC);
  CFont metric;
  ASSERT_TRUE(metric.CreatePointFontIndirect(&lf, &c.dc));
  metric.GetLogFont(&created);
  EXPECT_NEAR(created.lfHeight, -42, 1);
}

TEST(GdiObject, TemporaryWrappersLeaveForeignHandlesAlive) {
  HBRUSH foreign = ::CreateSolidBrush(kRed);
  CBrush* temp = CBrush::FromHandle(foreign);
  ASSERT_NE(temp, nullptr);
  EXPECT_TRUE(temp->IsKindOf(RUNTIME_CLASS(CBrush)));
  AfxDeleteTempMaps();
  LOGBRUSH lb = {};
  EXPECT_EQ(::GetObjectW(foreign, sizeof(lb), &lb), static_cast<int>(sizeof(lb)));
  EXPECT_EQ(lb.lbColor, kRed);
  ::DeleteObject(foreign);
}

TEST(GdiObject, GeometricPenKeepsItsEndCap) {
  LOGBRUSH lb = {BS_SOLID, kBlue, 0};
  CPen pen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 6, &lb);
  ASSERT_NE(pen.m_hObject, nullptr);
  EXTLOGPEN info = {};
  ASSERT_GT(::GetObjectW(pen, sizeof(info), &info), 0);
  EXPECT_EQ(info.elpPenStyle & PS_ENDCAP_MASK, static_cast<DWORD>(PS_ENDCAP_FLAT));
  EXPECT_EQ(info.elpWidth, 6u);
  Canvas c(20, 20);
  c.dc.SelectObject(&pen);
  c.dc.MoveTo(5, 10);
  c.dc.LineTo(15, 10);
  EXPECT_EQ(c.At(10, 8), kBlue);
  EXPECT_EQ(c.At(3, 10), kWhite) << "a flat cap does not reach past the end point";
  c.dc.SelectStockObject(BLACK_PEN);
}

}  // namespace

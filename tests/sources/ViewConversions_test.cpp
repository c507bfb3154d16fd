#include "ViewConversions.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "MyProcs.h"
#include "DrawnPixels.h"
#include "TranspText.h"

namespace {

CWnd g_view;  // stands for the form view: no window, a geometry of its own
CViewGeometry g_geometry;

const CViewGeometry* Lookup(CWnd* view) { return view == &g_view ? &g_geometry : nullptr; }

class ViewConversions : public testing::Test {
 protected:
  void SetUp() override {
    g_geometry = CViewGeometry();
    g_geometry.m_zoom = 2;
    g_geometry.m_scroll = {10, 20};
    SetViewGeometryLookup(Lookup);
    CTranspBaseClass::SetViewConversions(GetViewConversionTable());
  }
  void TearDown() override {
    CTranspBaseClass::SetViewConversions(nullptr);
    SetViewGeometryLookup(nullptr);
  }
};

// Every entry of the table in the base's order, on the point (100000, 3) and the rectangle
// {3, 5, 100000, 7}, against the geometry's own members.
TEST_F(ViewConversions, TableEntriesForwardInOrder) {
  const VIEW_CONVERSIONS* t = GetViewConversionTable();
  const VIEW_POINT_CONVERSION points[] = {t->UnitToPagePt,   t->PageToUnitPt,   t->PageToViewPt, t->PageToClientPt,
                                          t->ClientToPagePt, t->ViewToClientPt, t->ViewToPagePt};
  const VIEW_RECT_CONVERSION rects[] = {t->UnitToPageRc,   t->PageToUnitRc,   t->PageToViewRc, t->PageToClientRc,
                                        t->ClientToPageRc, t->ViewToClientRc, t->ViewToPageRc};
  typedef void (CViewGeometry::*PointMember)(POINT&) const;
  typedef void (CViewGeometry::*RectMember)(RECT&) const;
  const PointMember pointMembers[] = {&CViewGeometry::UnitToPage,   &CViewGeometry::PageToUnit,
                                      &CViewGeometry::PageToView,   &CViewGeometry::PageToClient,
                                      &CViewGeometry::ClientToPage, &CViewGeometry::ViewToClient,
                                      &CViewGeometry::ViewToPage};
  const RectMember rectMembers[] = {&CViewGeometry::UnitToPage,   &CViewGeometry::PageToUnit,
                                    &CViewGeometry::PageToView,   &CViewGeometry::PageToClient,
                                    &CViewGeometry::ClientToPage, &CViewGeometry::ViewToClient,
                                    &CViewGeometry::ViewToPage};
  for (int i = 0; i < 7; ++i) {
    POINT p = {100000, 3}, expected = p;
    points[i](&g_view, &p);
    (g_geometry.*pointMembers[i])(expected);
    EXPECT_EQ(expected.x, p.x) << i;
    EXPECT_EQ(expected.y, p.y) << i;
    RECT r = {3, 5, 100000, 7}, expectedRect = r;
    rects[i](&g_view, &r);
    (g_geometry.*rectMembers[i])(expectedRect);
    EXPECT_TRUE(EqualRect(&expectedRect, &r)) << i;
  }
  POINT unit = {100000, 100000};
  t->UnitToPagePt(&g_view, &unit);
  EXPECT_EQ(96, unit.x);
  HDC screen = GetDC(nullptr);
  const int liveDpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  EXPECT_DOUBLE_EQ(2.0 * liveDpiY / 96, t->GetFontScaleFactor(&g_view));
}

TEST_F(ViewConversions, AnotherWindowIsLeftAlone) {
  CWnd other;
  POINT p = {7, 9};
  ClientToPagePt(&other, &p);
  PageToViewPt(nullptr, &p);
  EXPECT_EQ(7, p.x);
  EXPECT_EQ(9, p.y);
  EXPECT_EQ(0.0, GetFontScaleFactor(&other));
}

// A text field bound to the view follows its zoom and scroll position.
TEST_F(ViewConversions, TextFieldBoundsFollowZoomAndScroll) {
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  CTranspText field(&g_view, 100000, 100000, &style, nullptr, L"Zoom", 0);
  RECT atTwo;
  field.GetBoundsRect(&atTwo, 1);
  g_geometry.m_zoom = 1;
  g_geometry.m_scroll = {0, 0};
  RECT atOne;
  field.GetBoundsRect(&atOne, 1);
  // The anchor (96, 96) page pixels: 192 view pixels at 200 %, less the scroll position.
  EXPECT_EQ(96 - 3, atOne.left);
  EXPECT_EQ(192 - 10 - 3, atTwo.left);
  const int widthOne = atOne.right - atOne.left - 6, widthTwo = atTwo.right - atTwo.left - 6;
  EXPECT_NEAR(2 * widthOne, widthTwo, 4);
  RECT align;
  field.GetAlignRect(&align);
  EXPECT_EQ(100000, align.left);
}

}  // namespace

namespace {

int TabOrderMode(CWnd*) { return PROGRAM_MODE_TAB_ORDER; }

// Pixels of exactly `rgb` after the screen drawing of the object into a 400 x 300 bitmap.
int DrawnPixels(CTranspText& object, uint32_t rgb) { return CountDrawnPixels(object, 400, 300, rgb); }

TEST_F(ViewConversions, TabOrderModeDrawsTheTextInTheFrameColour) {
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  style.textColor = 0x0000FF;
  style.font.lfHeight = -240;
  CTranspText field(&g_view, 50000, 100000, &style, nullptr, L"MMMM", 0);
  const uint32_t red = 0xFF0000, grey = 0x808080;  // as DIB pixels
  EXPECT_GT(DrawnPixels(field, red), 20);
  const TRANSP_VIEW_LINK link = {TabOrderMode, nullptr};
  CTranspBaseClass::SetViewLink(&link);
  EXPECT_EQ(0, DrawnPixels(field, red));
  EXPECT_GT(DrawnPixels(field, grey), 20);
  CTranspBaseClass::SetViewLink(nullptr);
}

}  // namespace

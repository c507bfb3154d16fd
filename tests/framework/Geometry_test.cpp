// CPoint, CSize and CRect arithmetic with the Win32 rules for empty and intersecting rectangles.
#include <gtest/gtest.h>

#include "Framework.h"

namespace {

TEST(GeometryTest, PointAndSizeArithmetic) {
  CPoint p(10, 20);
  p += CSize(1, 2);
  EXPECT_EQ(p, CPoint(11, 22));
  EXPECT_EQ(p - CPoint(1, 2), CSize(10, 20));
  EXPECT_EQ(p - CSize(1, 2), CPoint(10, 20));
  EXPECT_EQ(-p, CPoint(-11, -22));
  EXPECT_EQ(CPoint(MAKELPARAM(-5, 7)), CPoint(-5, 7));
  EXPECT_EQ(CSize(3, 4) + CSize(1, 1), CSize(4, 5));
}

TEST(GeometryTest, RectangleOperations) {
  CRect r(10, 10, 50, 30);
  EXPECT_EQ(r.Width(), 40);
  EXPECT_EQ(r.Height(), 20);
  EXPECT_EQ(r.CenterPoint(), CPoint(30, 20));
  EXPECT_TRUE(r.PtInRect(CPoint(10, 10)));
  EXPECT_FALSE(r.PtInRect(CPoint(50, 20)));  // right edge is outside
  r.InflateRect(2, 3);
  EXPECT_EQ(r, CRect(8, 7, 52, 33));
  r.DeflateRect(2, 3, 2, 3);
  r.OffsetRect(CPoint(5, -5));
  EXPECT_EQ(r, CRect(15, 5, 55, 25));
  EXPECT_EQ(r.TopLeft(), CPoint(15, 5));
  r.BottomRight() = CPoint(60, 30);
  EXPECT_EQ(r, CRect(15, 5, 60, 30));
  r.MoveToXY(0, 0);
  EXPECT_EQ(r, CRect(0, 0, 45, 25));

  CRect flipped(50, 40, 10, 20);
  EXPECT_TRUE(flipped.IsRectEmpty());
  flipped.NormalizeRect();
  EXPECT_EQ(flipped, CRect(10, 20, 50, 40));

  EXPECT_EQ(CRect(0, 0, 10, 10) & CRect(5, 5, 20, 20), CRect(5, 5, 10, 10));
  EXPECT_EQ(CRect(0, 0, 10, 10) | CRect(5, 5, 20, 20), CRect(0, 0, 20, 20));
  CRect none;
  EXPECT_FALSE(none.IntersectRect(CRect(0, 0, 1, 1), CRect(5, 5, 6, 6)));
  EXPECT_TRUE(none.IsRectNull());
  EXPECT_EQ(CRect(CPoint(1, 2), CSize(3, 4)), CRect(1, 2, 4, 6));
}

}  // namespace

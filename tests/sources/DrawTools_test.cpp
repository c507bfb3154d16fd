// The rubber-band tools driven on a real form view: what they draw is read back from the window and
// compared with the figure drawn by plain GDI calls on a copy of the window's picture.
#include "DrawTools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "FolimarView.h"
#include "ToolTestSupport.h"

namespace {

typedef std::function<void(HDC, POINT, POINT)> Figure;

// The circle of centre a through b, computed here on its own.
void GdiCircle(HDC dc, POINT a, POINT b) {
  const int r = static_cast<int>(std::floor(std::hypot(a.x - b.x, a.y - b.y)));
  ::Ellipse(dc, a.x - r, a.y - r, a.x + r, a.y + r);
}

std::vector<POINT> Points(const CToolPointList& list) {
  std::vector<POINT> points;
  for (POSITION pos = list.GetHeadPosition(); pos;) points.push_back(*list.GetNext(pos));
  return points;
}

bool SamePoints(const std::vector<POINT>& a, const std::vector<POINT>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].x != b[i].x || a[i].y != b[i].y) return false;
  return true;
}

class DrawToolsTest : public ToolWindowTest {};

}  // namespace

TEST(CalcRadius, IsTheWholeDistanceRoundedDown) {
  const struct {
    POINT a, b;
    int radius;
  } cases[] = {
      {{0, 0}, {3, 4}, 5},  {{10, 10}, {10, 10}, 0}, {{0, 0}, {1, 1}, 1},   {{5, 5}, {2, 1}, 5},
      {{0, 0}, {-7, 0}, 7}, {{100, 50}, {90, 45}, 11}, {{0, 0}, {2, 2}, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.radius, CalcRadius(c.a, c.b)) << c.b.x << "," << c.b.y;
    EXPECT_EQ(c.radius, CalcRadius(c.b, c.a)) << "symmetric";
  }
  EXPECT_TRUE(SameRect(CRect(45, 45, 55, 55), CalcRect({50, 50}, {53, 54})));
  EXPECT_TRUE(SameRect(CRect(45, 45, 55, 55), CalcRect({50, 50}, {47, 46}))) << "any direction";
  EXPECT_TRUE(SameRect(CRect(50, 50, 50, 50), CalcRect({50, 50}, {50, 50})));
}

// Without a window there is nothing to draw on (a null window's DC would be the whole screen): the
// tool still follows the gesture and gives its rectangle.
TEST(DrawTool, WithoutAWindowFollowsTheGestureWithoutDrawing) {
  CDrawRect tool;
  tool.MouseDown(nullptr, CPoint(10, 20));
  tool.MouseMove(CPoint(40, 50));
  RECT rect = {};
  tool.MouseUp(&rect);
  EXPECT_TRUE(SameRect(CRect(10, 20, 40, 50), rect));
  EXPECT_EQ(nullptr, ::GetCapture());
  CDrawPolygon polygon;
  polygon.MouseDown(nullptr, CPoint(1, 2));
  polygon.MouseDown(nullptr, CPoint(5, 2));
  polygon.MouseDblClick();
  EXPECT_EQ(3, polygon.GetPoints().GetCount());
}

// Each shape tool: the rubber band shows only the figure to the current point, also after being
// dragged back past the start point; MouseUp erases it and gives the rectangle as dragged; the DC
// kept from the first gesture serves the next one; a second MouseUp draws nothing back.
TEST_F(DrawToolsTest, ShapeToolsDrawOnlyTheCurrentFigureAndEraseItAtTheEnd) {
  const struct {
    const char* name;
    std::function<CDrawTool*()> make;
    Figure figure;
  } tools[] = {
      {"rectangle", [] { return new CDrawRect; }, [](HDC dc, POINT a, POINT b) { ::Rectangle(dc, a.x, a.y, b.x, b.y); }},
      {"ellipse", [] { return new CDrawEllipse; }, [](HDC dc, POINT a, POINT b) { ::Ellipse(dc, a.x, a.y, b.x, b.y); }},
      {"circle", [] { return new CDrawCircle; }, GdiCircle},
      {"line", [] { return new CDrawLine; }, GdiLine},
  };
  const ClientPicture base = Picture();
  for (const auto& t : tools) {
    SCOPED_TRACE(t.name);
    std::unique_ptr<CDrawTool> tool(t.make());
    const CPoint start(200, 150);
    tool->MouseDown(view, start);
    EXPECT_EQ(view->m_hWnd, ::GetCapture()) << "the first gesture captures the mouse";
    EXPECT_TRUE(tool->IsDrawing());
    // Out, back exactly over the start point, and past it up and left.
    const CPoint path[] = {CPoint(260, 190), CPoint(300, 230), start, CPoint(150, 120), CPoint(130, 95)};
    for (const CPoint& p : path) {
      tool->MouseMove(p);
      const ClientPicture expected = Inverted(base, [&](HDC dc) { t.figure(dc, start, p); });
      ASSERT_EQ("same", DescribeDifferences(Picture(), expected)) << "at " << p.x << "," << p.y;
    }
    RECT rect = {};
    tool->MouseUp(&rect);
    EXPECT_TRUE(SameRect(CRect(200, 150, 130, 95), rect)) << "not normalised";
    EXPECT_FALSE(tool->IsDrawing());
    EXPECT_EQ("same", DescribeDifferences(Picture(), base)) << "drawing the figure twice erased it";
    ::ReleaseCapture();  // the view's part at button up

    const CPoint start2(50, 60), end2(120, 80);
    tool->MouseDown(view, start2);
    tool->MouseMove(end2);
    EXPECT_EQ("same", DescribeDifferences(Picture(), Inverted(base, [&](HDC dc) { t.figure(dc, start2, end2); })));
    tool->MouseUp(&rect);
    EXPECT_TRUE(SameRect(CRect(50, 60, 120, 80), rect));
    tool->MouseUp(&rect);
    EXPECT_TRUE(SameRect(CRect(50, 60, 120, 80), rect));
    EXPECT_EQ("same", DescribeDifferences(Picture(), base)) << "a second MouseUp leaves the screen alone";
  }
}

// Whatever the direction of the drag, the circle's bounding square follows the distance from the
// centre, and the radius is what the view reads.
TEST_F(DrawToolsTest, ACircleIsAlwaysRound) {
  const ClientPicture base = Picture();
  const CPoint centre(250, 180);
  const struct {
    int dx, dy, radius;
  } drags[] = {{30, 40, 50}, {-40, 30, 50}, {-30, -40, 50}, {40, -30, 50}, {70, 0, 70}, {0, -9, 9}, {12, 13, 17}};
  CDrawCircle circle;
  for (const auto& d : drags) {
    SCOPED_TRACE(testing::Message() << d.dx << "," << d.dy);
    circle.MouseDown(view, centre);
    circle.MouseMove(centre + CPoint(d.dx, d.dy));
    const RECT bounds = Picture().ChangedBounds(base);
    EXPECT_TRUE(SameRect(CRect(centre.x - d.radius, centre.y - d.radius, centre.x + d.radius, centre.y + d.radius), bounds))
        << bounds.left << "," << bounds.top << "," << bounds.right << "," << bounds.bottom;
    circle.MouseUp(nullptr);
    EXPECT_EQ(d.radius, circle.GetRadius());
    EXPECT_EQ("same", DescribeDifferences(Picture(), base));
  }
}

// The canvas rectangle is anchored at the client origin; in modes 4 and 5 one edge stays at its
// fixed place; other modes draw nothing.
TEST_F(DrawToolsTest, CanvasRectangleFollowsTheEdgesOfItsMode) {
  const ClientPicture base = Picture();
  const int fixedRight = 300, fixedBottom = 200;
  const struct {
    int mode;
    std::function<void(HDC, POINT)> figure;
  } modes[] = {
      {CDrawCanvasRect::kModeFree, [](HDC dc, POINT p) { ::Rectangle(dc, 0, 0, p.x, p.y); }},
      {CDrawCanvasRect::kModeRightEdge, [&](HDC dc, POINT p) { ::Rectangle(dc, 0, 0, p.x, fixedBottom); }},
      {CDrawCanvasRect::kModeBottomEdge, [&](HDC dc, POINT p) { ::Rectangle(dc, 0, 0, fixedRight, p.y); }},
      {3, [](HDC, POINT) {}},
  };
  for (const auto& m : modes) {
    SCOPED_TRACE(m.mode);
    CDrawCanvasRect tool;
    tool.SetMode(m.mode);
    tool.SetFixedEdges(fixedRight, fixedBottom);
    tool.MouseDown(view, CPoint(120, 90));
    EXPECT_EQ(CPoint(0, 0), tool.GetStartPoint()) << "anchored at the client origin";
    for (const CPoint& p : {CPoint(250, 160), CPoint(180, 240), CPoint(140, 130)}) {
      tool.MouseMove(p);
      ASSERT_EQ("same", DescribeDifferences(Picture(), Inverted(base, [&](HDC dc) { m.figure(dc, p); })))
          << "at " << p.x << "," << p.y;
    }
    RECT rect = {};
    tool.MouseUp(&rect);
    EXPECT_TRUE(SameRect(CRect(0, 0, 140, 130), rect));
    EXPECT_EQ("same", DescribeDifferences(Picture(), base));
    ::ReleaseCapture();
  }
}

// A signature of two strokes: each stroke stays drawn and ends with the separator, the last one too;
// ending the signature gives back capture and DC, and the next press begins a new signature.
TEST_F(DrawToolsTest, FreehandStrokesEndWithTheSeparatorAndStayDrawn) {
  const ClientPicture base = Picture();
  CDrawFreehand pen;
  const std::vector<std::vector<POINT>> strokes = {{{50, 50}, {60, 55}, {80, 70}, {90, 100}},
                                                   {{200, 40}, {230, 60}, {220, 90}}};
  std::vector<POINT> expected;
  for (const auto& stroke : strokes) {
    pen.MouseDown(view, stroke[0]);
    for (size_t i = 1; i < stroke.size(); ++i) pen.MouseMove(stroke[i]);
    pen.MouseUp(nullptr);
    expected.insert(expected.end(), stroke.begin(), stroke.end());
    expected.push_back({-9999, -9999});
  }
  EXPECT_TRUE(SamePoints(expected, Points(pen.GetPoints())));
  EXPECT_TRUE(pen.IsStarted());
  const ClientPicture drawn = Inverted(base, [&](HDC dc) {
    for (const auto& stroke : strokes) ::Polyline(dc, stroke.data(), static_cast<int>(stroke.size()));
  });
  EXPECT_EQ("same", DescribeDifferences(Picture(), drawn)) << "strokes stay drawn";

  pen.EndWorkingSignature();
  EXPECT_EQ(nullptr, ::GetCapture());
  pen.RemovePoints();
  EXPECT_TRUE(pen.GetPoints().IsEmpty());
  EXPECT_FALSE(pen.IsStarted());

  pen.MouseDown(view, CPoint(300, 300));
  EXPECT_EQ(view->m_hWnd, ::GetCapture()) << "a new signature prepares a new DC";
  pen.MouseMove(CPoint(340, 310));
  pen.MouseUp(nullptr);
  const POINT second[] = {{300, 300}, {340, 310}};
  EXPECT_EQ("same", DescribeDifferences(Picture(), Inverted(drawn, [&](HDC dc) { ::Polyline(dc, second, 2); })));
  EXPECT_TRUE(SamePoints({{300, 300}, {340, 310}, {-9999, -9999}}, Points(pen.GetPoints())));
}

// A press after the signature was ended but before its points were taken still draws (the tool had
// already given its DC back).
TEST_F(DrawToolsTest, FreehandPressAfterTheEndOfASignatureStillDraws) {
  const ClientPicture base = Picture();
  CDrawFreehand pen;
  pen.MouseDown(view, CPoint(40, 40));
  pen.MouseMove(CPoint(80, 40));
  pen.MouseUp(nullptr);
  pen.EndWorkingSignature();
  pen.MouseDown(view, CPoint(40, 80));
  pen.MouseMove(CPoint(80, 80));
  pen.MouseUp(nullptr);
  const ClientPicture expected = Inverted(base, [](HDC dc) {
    GdiLine(dc, {40, 40}, {80, 40});
    GdiLine(dc, {40, 80}, {80, 80});
  });
  EXPECT_EQ("same", DescribeDifferences(Picture(), expected));
  EXPECT_TRUE(SamePoints({{40, 40}, {80, 40}, {-9999, -9999}, {40, 80}, {80, 80}, {-9999, -9999}},
                         Points(pen.GetPoints())));
}

// Vertices by clicks: each fixed edge is drawn for good in the tool's pen up to the clicked vertex
// (also when no move reached it), the edge to the cursor is a rubber band, and the double-click
// removes the rubber edge and closes the point list with the first point.
TEST_F(DrawToolsTest, PolygonDoubleClickClosesItWithTheFirstPoint) {
  const ClientPicture base = Picture();
  const COLORREF red = RGB(255, 0, 0);
  const CPoint a(60, 60), b(160, 70), c(150, 180), d(70, 200);
  CDrawPolygon polygon;
  polygon.SetPen(1, red);
  polygon.MouseDown(view, a);
  EXPECT_TRUE(polygon.IsDrawing());
  EXPECT_EQ(view->m_hWnd, ::GetCapture());
  polygon.MouseMove(CPoint(120, 100));
  polygon.MouseMove(b);
  EXPECT_EQ("same", DescribeDifferences(Picture(), Inverted(base, [&](HDC dc) { GdiLine(dc, a, b); })))
      << "the rubber edge follows the cursor";

  polygon.MouseDown(view, b);
  polygon.MouseDown(view, c);  // no move reached c first
  const ClientPicture fixed = base.DrawnWith([&](HDC dc) {
    HPEN pen = ::CreatePen(PS_SOLID, 1, red);
    HGDIOBJ old = ::SelectObject(dc, pen);
    GdiLine(dc, a, b);
    GdiLine(dc, b, c);
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
  });
  EXPECT_EQ("same", DescribeDifferences(Picture(), fixed));

  polygon.MouseMove(d);
  EXPECT_EQ("same", DescribeDifferences(Picture(), Inverted(fixed, [&](HDC dc) { GdiLine(dc, c, d); })));
  polygon.MouseDblClick();
  EXPECT_FALSE(polygon.IsDrawing());
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_EQ("same", DescribeDifferences(Picture(), fixed)) << "no rubber edge is left behind";
  EXPECT_TRUE(SamePoints({a, b, c, a}, Points(polygon.GetPoints())));

  polygon.MouseDblClick();
  EXPECT_EQ(4u, Points(polygon.GetPoints()).size()) << "a closed polygon is closed once";
  polygon.RemovePoints();
  EXPECT_TRUE(polygon.GetPoints().IsEmpty());
}

// The marker tools on a real form view: reference-point markers, crop and copy-region areas, the
// base-point cross and the eraser square, checked by the pixels read back from the window.
#include "MarkerTools.h"

#include <gtest/gtest.h>

#include <functional>

#include "FolimarView.h"
#include "ToolTestSupport.h"

namespace {

// The reference-point marker at p as the design has it: two 11-pixel lines and the inscribed circle
// of the 15 x 15 box.
void GdiMarker(HDC dc, POINT p) {
  GdiLine(dc, {p.x - 5, p.y}, {p.x + 6, p.y});
  GdiLine(dc, {p.x, p.y - 5}, {p.x, p.y + 6});
  ::Ellipse(dc, p.x - 7, p.y - 7, p.x + 8, p.y + 8);
}

ClientPicture WithFrame(const ClientPicture& base, const RECT& r) {
  return Inverted(base, [&](HDC dc) { ::Rectangle(dc, r.left, r.top, r.right, r.bottom); });
}

std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

class MarkerToolsTest : public ToolWindowTest {
 protected:
  // A crop area dragged out from `from` to `to` (client pixels).
  void DragArea(CCropTool& tool, CPoint from, CPoint to) {
    tool.MouseDown(from);
    tool.MouseMove(to);
    tool.MouseUp();
    ::ReleaseCapture();
  }
};

}  // namespace

// ---- Reference points ----

TEST_F(MarkerToolsTest, ReferencePointMarkerIsACrossInACircle) {
  EXPECT_TRUE(SameRect(CRect(93, 43, 108, 58), CRefPointTool::GetRect({100, 50})));
  const ClientPicture base = Picture();
  CClientDC dc(view);
  dc.SetROP2(R2_COPYPEN);
  CRefPointTool::Draw(&dc, {100, 50});
  EXPECT_EQ(R2_COPYPEN, dc.GetROP2()) << "the DC's raster operation comes back";
  EXPECT_EQ("same", DescribeDifferences(Picture(), Inverted(base, [](HDC h) { GdiMarker(h, {100, 50}); })));
  CRefPointTool::Draw(&dc, {100, 50});
  EXPECT_EQ("same", DescribeDifferences(Picture(), base));
}

// The marker sits in the middle of an enlarged page pixel: (int)zoom / 2 to the right and down.
TEST_F(MarkerToolsTest, MarkerIsCentredInTheEnlargedPagePixel) {
  const struct {
    double zoom;
    POINT client;
  } cases[] = {{1.0, {20, 10}}, {1.5, {30, 15}}, {2.0, {41, 21}}, {3.0, {61, 31}},
               {4.0, {82, 42}}, {8.0, {164, 84}}, {-2.0, {10, 5}}};
  CRefPointTool point(view, {20, 10});
  for (const auto& c : cases) {
    view->SetViewScale(c.zoom);
    ASSERT_EQ(CPoint(0, 0), view->GetDeviceScrollPosition());
    EXPECT_EQ(CPoint(c.client), point.GetClientMarker()) << c.zoom;
  }
}

// At zoom 3 the user drags the marker: while moving only the marker at its new place is shown, and
// at the end it is erased and its centre, less the centring pixel, is the new page point.
TEST_F(MarkerToolsTest, MovingAMarkerAtZoom3) {
  view->SetViewScale(3.0);
  Settle();
  const ClientPicture base = Picture();
  CRefPointTool point(view, {20, 10});
  const CPoint marker = point.GetClientMarker();
  ASSERT_EQ(CPoint(61, 31), marker);
  {
    CClientDC dc(view);
    CRefPointTool::Draw(&dc, marker);  // what the view's painting shows
  }
  point.StartMove(CPoint(62, 30));
  EXPECT_TRUE(point.IsMoving());
  EXPECT_EQ(view->m_hWnd, ::GetCapture());
  point.Move(CPoint(66, 32));
  point.Move(CPoint(69, 34));
  EXPECT_EQ("same", DescribeDifferences(Picture(), Inverted(base, [](HDC h) { GdiMarker(h, {68, 35}); })));
  point.StopMove();
  EXPECT_FALSE(point.IsMoving());
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_EQ("same", DescribeDifferences(Picture(), base)) << "the view repaints the marker at its new place";
  EXPECT_EQ(CPoint(22, 11), point.GetPoint()) << "client (67, 34) at zoom 3";
}

// A press and release on a marker without moving leaves the point where it was, at every zoom.
TEST_F(MarkerToolsTest, AClickOnAMarkerDoesNotMoveThePoint) {
  for (double zoom : {1.0, 1.5, 2.0, 3.0, 4.0, 8.0, -2.0}) {
    view->SetViewScale(zoom);
    CRefPointTool point(view, {37, 23});
    point.StartMove(CPoint(5, 5));
    point.StopMove();
    EXPECT_EQ(CPoint(37, 23), point.GetPoint()) << zoom;
  }
}

// A moved marker gives the page pixel under its centre, whichever way it went.
TEST_F(MarkerToolsTest, AMovedMarkerGivesThePagePixelUnderItsCentre) {
  const struct {
    double zoom;
    int dx, dy;
    POINT page;
  } cases[] = {
      {2.0, 2, 2, {21, 11}}, {2.0, -2, -2, {19, 9}}, {4.0, 2, 2, {21, 11}}, {4.0, -3, -3, {19, 9}},
      {8.0, 4, 4, {21, 11}}, {8.0, -5, -5, {19, 9}}, {3.0, 2, -1, {21, 10}}, {1.0, 1, -1, {21, 9}},
  };
  for (const auto& c : cases) {
    view->SetViewScale(c.zoom);
    CRefPointTool point(view, {20, 10});
    point.StartMove(CPoint(300, 300));
    point.Move(CPoint(300 + c.dx, 300 + c.dy));
    point.StopMove();
    EXPECT_EQ(CPoint(c.page), point.GetPoint()) << c.zoom << " by " << c.dx << "," << c.dy;
  }
}

// ---- Crop and copy-region areas ----

// An area is kept unless it is less than 2 page pixels wide and less than 2 high; what stays on the
// screen is the kept area's frame.
TEST_F(MarkerToolsTest, CropDragKeepsAnAreaUnlessItIsTinyBothWays) {
  const ClientPicture base = Picture();
  const struct {
    CPoint from, to;
    bool kept;
    RECT area;
  } cases[] = {
      {{100, 100}, {100, 100}, false, {}},
      {{100, 100}, {99, 99}, false, {}},
      {{100, 100}, {101, 100}, true, {100, 100, 102, 101}},
      {{100, 100}, {149, 100}, true, {100, 100, 150, 101}},  // 1 high, 50 wide
      {{100, 100}, {100, 149}, true, {100, 100, 101, 150}},
      // Up and left: the edge follows one pixel right of and below the cursor, as going down-right.
      {{200, 150}, {120, 90}, true, {121, 91, 200, 150}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from.x << "," << c.from.y << " to " << c.to.x << "," << c.to.y);
    CCropTool crop;
    crop.SetView(view);
    DragArea(crop, c.from, c.to);
    EXPECT_EQ(!c.kept, crop.IsEmpty());
    if (c.kept) {
      EXPECT_TRUE(SameRect(c.area, crop.GetArea())) << Text(crop.GetArea());
    }
    EXPECT_EQ("same", DescribeDifferences(Picture(), c.kept ? WithFrame(base, c.area) : base));
    crop.Kill();
    EXPECT_TRUE(crop.IsEmpty());
    EXPECT_EQ("same", DescribeDifferences(Picture(), base));
  }
}

// At zoom 2 a dragged rectangle on odd client pixels becomes a page area whose client frame lies a
// pixel off: the screen shows the kept area, so that Kill takes it away completely.
TEST_F(MarkerToolsTest, CropAreaOnTheScreenIsTheKeptAreaAtZoom2) {
  view->SetViewScale(2.0);
  Settle();
  const ClientPicture base = Picture();
  CCropTool crop;
  crop.SetView(view);
  DragArea(crop, CPoint(11, 11), CPoint(40, 30));
  EXPECT_TRUE(SameRect(CRect(6, 6, 21, 16), crop.GetArea())) << Text(crop.GetArea());
  EXPECT_TRUE(SameRect(CRect(12, 12, 42, 32), crop.GetClientArea()));
  EXPECT_EQ("same", DescribeDifferences(Picture(), WithFrame(base, CRect(12, 12, 42, 32))));
  crop.Kill();
  EXPECT_EQ("same", DescribeDifferences(Picture(), base));

  DragArea(crop, CPoint(11, 11), CPoint(11, 11));
  EXPECT_TRUE(crop.IsEmpty());
  EXPECT_EQ("same", DescribeDifferences(Picture(), base)) << "a killed tiny drag leaves nothing";
}

// Grip codes of the area (100, 100, 200, 160): zones 3 pixels to each side of an edge, corners first.
TEST_F(MarkerToolsTest, CropGripUnderAPoint) {
  CCropTool crop;
  crop.SetView(view);
  EXPECT_EQ(CCropTool::kNoArea, crop.GetCapture(CPoint(150, 130))) << "no area yet";
  DragArea(crop, CPoint(100, 100), CPoint(199, 159));
  ASSERT_TRUE(SameRect(CRect(100, 100, 200, 160), crop.GetArea()));
  const struct {
    POINT p;
    int grip;
  } cases[] = {
      {{100, 100}, 6}, {{200, 100}, 7}, {{200, 160}, 8}, {{100, 160}, 9},  // on the corners
      {{97, 97}, 6},   {{102, 102}, 6}, {{202, 98}, 7},  {{198, 162}, 8}, {{97, 162}, 9},
      {{100, 130}, 2}, {{150, 100}, 3}, {{200, 130}, 4}, {{150, 160}, 5},
      {{97, 130}, 2},  {{102, 130}, 2}, {{150, 97}, 3},  {{197, 130}, 4}, {{150, 162}, 5},
      {{103, 103}, 1}, {{150, 130}, 1}, {{196, 156}, 1},
      {{96, 130}, 0},  {{150, 163}, 0}, {{300, 300}, 0}, {{203, 130}, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(c.grip, crop.GetCapture(c.p)) << c.p.x << "," << c.p.y;
}

// A drag from each grip of the area (100, 100, 200, 160) by (+10, +5) moves the edges the grip
// names; a drag outside starts a new area. The screen shows the new area only.
TEST_F(MarkerToolsTest, EachGripMovesItsEdges) {
  const ClientPicture base = Picture();
  const struct {
    POINT down;
    int grip;
    RECT area;
  } cases[] = {
      {{300, 300}, 0, {300, 300, 311, 306}}, {{150, 130}, 1, {110, 105, 210, 165}},
      {{100, 130}, 2, {110, 100, 200, 160}}, {{150, 100}, 3, {100, 105, 200, 160}},
      {{200, 130}, 4, {100, 100, 210, 160}}, {{150, 160}, 5, {100, 100, 200, 165}},
      {{100, 100}, 6, {110, 105, 200, 160}}, {{200, 100}, 7, {100, 105, 210, 160}},
      {{200, 160}, 8, {100, 100, 210, 165}}, {{100, 160}, 9, {110, 100, 200, 165}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.grip);
    CCropTool crop;
    crop.SetView(view);
    DragArea(crop, CPoint(100, 100), CPoint(199, 159));
    ASSERT_EQ(c.grip, crop.GetCapture(c.down));
    crop.MouseDown(c.down);
    EXPECT_TRUE(crop.IsDrawing());
    crop.MouseMove(CPoint(c.down) + CPoint(4, 2));
    crop.MouseMove(CPoint(c.down) + CPoint(10, 5));
    EXPECT_EQ("same", DescribeDifferences(Picture(), WithFrame(base, c.area))) << "while dragging";
    crop.MouseUp();
    ::ReleaseCapture();
    EXPECT_TRUE(SameRect(c.area, crop.GetArea())) << Text(crop.GetArea());
    EXPECT_EQ("same", DescribeDifferences(Picture(), WithFrame(base, c.area)));
    crop.Kill();
    EXPECT_EQ("same", DescribeDifferences(Picture(), base));
  }
}

// Dragging an edge past the opposite one turns the area over; it is kept normalised.
TEST_F(MarkerToolsTest, AnEdgeDraggedPastTheOtherGivesANormalisedArea) {
  const ClientPicture base = Picture();
  CCropTool crop;
  crop.SetView(view);
  DragArea(crop, CPoint(100, 100), CPoint(199, 159));
  crop.MouseDown(CPoint(100, 130));
  crop.MouseMove(CPoint(260, 130));
  crop.MouseUp();
  EXPECT_TRUE(SameRect(CRect(200, 100, 260, 160), crop.GetArea())) << Text(crop.GetArea());
  EXPECT_EQ("same", DescribeDifferences(Picture(), WithFrame(base, CRect(200, 100, 260, 160))));
}

// The copy-region tool frames its area with a dotted pen over a transparent background, and erases
// it again exactly.
TEST_F(MarkerToolsTest, CopyRegionFrameIsDotted) {
  const ClientPicture base = Picture();
  CCutTool cut;
  cut.SetView(view);
  DragArea(cut, CPoint(100, 100), CPoint(199, 159));
  ASSERT_TRUE(SameRect(CRect(100, 100, 200, 160), cut.GetArea()));
  const ClientPicture dotted = Inverted(base, [](HDC dc) {
    HPEN pen = ::CreatePen(PS_DOT, 0, RGB(0, 0, 0));
    HGDIOBJ old = ::SelectObject(dc, pen);
    ::SetBkMode(dc, TRANSPARENT);
    ::Rectangle(dc, 100, 100, 200, 160);
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
  });
  const ClientPicture shown = Picture();
  EXPECT_EQ("same", DescribeDifferences(shown, dotted));
  int inverted = 0;
  for (int x = 100; x < 200; ++x) inverted += shown.At(x, 100) != base.At(x, 100);
  EXPECT_GT(inverted, 10);
  EXPECT_LT(inverted, 90) << "gaps between the dots stay as they were";
  // Moved by its inside, then removed.
  cut.MouseDown(CPoint(150, 130));
  cut.MouseMove(CPoint(170, 140));
  cut.MouseUp();
  EXPECT_TRUE(SameRect(CRect(120, 110, 220, 170), cut.GetArea()));
  cut.Kill();
  EXPECT_EQ("same", DescribeDifferences(Picture(), base));
}

TEST_F(MarkerToolsTest, CropToolWithoutAViewDoesNothing) {
  CCropTool crop;
  crop.MouseDown(CPoint(10, 10));
  crop.MouseMove(CPoint(50, 50));
  crop.MouseUp();
  EXPECT_FALSE(crop.IsDrawing());
  EXPECT_TRUE(crop.IsEmpty());
  EXPECT_EQ(CCropTool::kNoArea, crop.GetCapture(CPoint(20, 20)));
  crop.Kill();
  EXPECT_EQ(nullptr, ::GetCapture());
}

// ---- Base-point cross ----

TEST_F(MarkerToolsTest, CrossLinesSpanTheClientAreaAndFollowThePoint) {
  const ClientPicture base = Picture();
  CRect client;
  view->GetClientRect(&client);
  auto cross = [&](POINT p) {
    return Inverted(base, [&](HDC dc) {
      GdiLine(dc, {0, p.y}, {client.right, p.y});
      GdiLine(dc, {p.x, 0}, {p.x, client.bottom});
    });
  };
  CCrossLineTool tool;
  tool.SetView(view);
  EXPECT_TRUE(tool.IsEmpty());
  tool.MoveTo(CPoint(100, 80));
  EXPECT_FALSE(tool.IsEmpty());
  EXPECT_EQ("same", DescribeDifferences(Picture(), cross({100, 80})));
  tool.MoveTo(CPoint(300, 200));
  EXPECT_EQ("same", DescribeDifferences(Picture(), cross({300, 200}))) << "the old cross is gone";
  tool.Kill();
  EXPECT_TRUE(tool.IsEmpty());
  EXPECT_EQ(CPoint(-1, -1), tool.GetPoint());
  EXPECT_EQ("same", DescribeDifferences(Picture(), base));
  tool.Kill();
  EXPECT_EQ("same", DescribeDifferences(Picture(), base)) << "killing no cross draws nothing";
}

// ---- Eraser square ----

TEST(ConstRectTool, CalcRectCentresTheSizeOnThePoint) {
  const struct {
    int width, height;
    POINT p;
    RECT r;
  } cases[] = {
      {10, 6, {50, 50}, {45, 47, 55, 53}},
      {7, 5, {50, 50}, {47, 48, 54, 53}},  // odd sizes: the extra pixel goes right and down
      {1, 1, {0, 0}, {0, 0, 1, 1}},
      {0, 0, {20, 30}, {20, 30, 20, 30}},
  };
  for (const auto& c : cases) {
    CConstRectTool tool;
    tool.SetSize(c.width, c.height);
    EXPECT_TRUE(SameRect(c.r, tool.CalcRect(c.p))) << c.width << "x" << c.height;
  }
  CConstRectTool tool;
  tool.SetSize(10, 6);
  tool.MoveTo(CPoint(50, 50));
  EXPECT_TRUE(SameRect(CRect(45, 47, 55, 53), tool.GetCurRect()));
}

// The square is framed one pixel outside its area; every change erases the old frame first, and
// nothing is drawn (or erased) before the square has a place.
TEST_F(MarkerToolsTest, EraserSquareShowHideSizeAndMove) {
  const ClientPicture base = Picture();
  auto frameAt = [&](POINT p, int w, int h) {
    const int l = p.x - w / 2, t = p.y - h / 2;
    return WithFrame(base, CRect(l - 1, t - 1, l + w + 1, t + h + 1));
  };
  CConstRectTool eraser;
  eraser.SetView(view);
  EXPECT_TRUE(eraser.IsShown());
  eraser.SetSize(20, 10);
  EXPECT_EQ("same", DescribeDifferences(Picture(), base)) << "no square before the first move";
  eraser.MoveTo(CPoint(100, 100));
  EXPECT_EQ("same", DescribeDifferences(Picture(), frameAt({100, 100}, 20, 10)));
  eraser.MoveTo(CPoint(150, 120));
  EXPECT_EQ("same", DescribeDifferences(Picture(), frameAt({150, 120}, 20, 10)));

  const struct {
    const char* step;
    std::function<void()> act;
    bool shown;
    POINT centre;
    int w, h;
  } steps[] = {
      {"hide", [&] { eraser.Hide(); }, false, {150, 120}, 20, 10},
      {"hide again", [&] { eraser.Hide(); }, false, {150, 120}, 20, 10},
      {"move while hidden", [&] { eraser.MoveTo(CPoint(200, 200)); }, false, {200, 200}, 20, 10},
      {"resize while hidden", [&] { eraser.SetSize(8, 8); }, false, {200, 200}, 8, 8},
      {"show", [&] { eraser.Show(); }, true, {200, 200}, 8, 8},
      {"show again", [&] { eraser.Show(); }, true, {200, 200}, 8, 8},
      {"resize while shown", [&] { eraser.SetSize(30, 16); }, true, {200, 200}, 30, 16},
      {"move while shown", [&] { eraser.MoveTo(CPoint(60, 70)); }, true, {60, 70}, 30, 16},
  };
  for (const auto& s : steps) {
    s.act();
    EXPECT_EQ(s.shown, eraser.IsShown() != FALSE) << s.step;
    EXPECT_EQ(CPoint(s.centre), eraser.GetCentre()) << s.step;
    EXPECT_EQ("same", DescribeDifferences(Picture(), s.shown ? frameAt(s.centre, s.w, s.h) : base)) << s.step;
  }
}

// The graphic base and the shapes under a real window standing for the view: handles by point,
// resizing and moving through the mouse slots, normalising at button-up, cursors per handle, and
// the shapes' drawing checked by pixels in a memory device context.
#include "TranspGraphClass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "TranspShapes.h"
#include "ViewConversions.h"
#include "Canvas.h"
#include "ObjectViewWindow.h"

namespace {

// The view's geometry: 100 dpi, 0.0001 inch per unit and zoom 2, so one client pixel is 50 units
// and the box (1000, 2000)-(5000, 4000) lies at (20, 40)-(100, 80) in client pixels.
CWnd g_view;
CViewGeometry& g_geometry = ObjectViewGeometry();
int g_mode = 0;
int g_modified = 0;

int ProgramMode(CWnd*) { return g_mode; }
void MarkModified(CWnd*) { ++g_modified; }
const TRANSP_VIEW_LINK kLink = {ProgramMode, MarkModified};

// A box object of the graphic base alone.
class CBox : public CTranspGraphClass {
 public:
  CBox() : CTranspGraphClass(&g_view, 0) {}
  HGLOBAL GetObData() override { return nullptr; }
};

const RECT kBox = {1000, 2000, 5000, 4000};

class GraphicObjects : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OpenObjectView(g_view, &kLink));
    g_mode = 0;
    g_modified = 0;
  }
  void TearDown() override {
    CloseObjectView(g_view);
  }
};

std::unique_ptr<CTranspGraphClass> MakeBox() {
  std::unique_ptr<CTranspGraphClass> box(new CBox);
  box->SetRect(kBox);
  return box;
}
std::unique_ptr<CTranspGraphClass> MakeRectangle() {
  return std::unique_ptr<CTranspGraphClass>(new CTranspRectangle(&g_view, kBox, nullptr, 0));
}
std::unique_ptr<CTranspGraphClass> MakeEllipse() {
  return std::unique_ptr<CTranspGraphClass>(new CTranspEllipse(&g_view, kBox, nullptr, 0));
}

// Bounds (17, 37)-(103, 83): the box inflated by half a handle.
TEST_F(GraphicObjects, HandleUnderAPoint) {
  auto box = MakeBox();
  auto rectangle = MakeRectangle();
  auto ellipse = MakeEllipse();
  RECT bounds;
  box->GetBoundsRect(&bounds, 0);
  const RECT expected = {17, 37, 103, 83};
  EXPECT_TRUE(EqualRect(&expected, &bounds));
  const struct {
    POINT p;
    int box, rectangle, ellipse;
  } cases[] = {
      {{103, 60}, 13, 13, 13}, {{60, 83}, 14, 14, 14}, {{60, 37}, 12, 12, 12}, {{17, 60}, 11, 11, 11},
      {{18, 38}, 6, 6, 0},     {{101, 38}, 7, 7, 0},   {{101, 81}, 8, 8, 0},   {{18, 81}, 9, 9, 0},
      {{19, 48}, 2, 1, 0},     {{70, 39}, 3, 1, 1},    {{100, 70}, 4, 1, 0},   {{70, 81}, 5, 1, 1},
      {{60, 60}, 1, 0, 0},     {{10, 10}, 0, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.box, box->GetCapture(c.p)) << c.p.x << "," << c.p.y;
    EXPECT_EQ(c.rectangle, rectangle->GetCapture(c.p)) << c.p.x << "," << c.p.y;
    EXPECT_EQ(c.ellipse, ellipse->GetCapture(c.p)) << c.p.x << "," << c.p.y;
  }
}

// Below about 12 pixels on screen the box has no inner rectangle and nothing can be grabbed; the
// round shapes still offer their middle handles.
TEST_F(GraphicObjects, SmallObjectsOfferNoHandle) {
  CBox box;
  box.SetRect(RECT{1000, 2000, 1200, 2200});  // (20, 40)-(24, 44)
  CTranspRectangle rectangle(&g_view, RECT{1000, 2000, 1200, 2200}, nullptr, 0);
  CTranspEllipse ellipse(&g_view, RECT{1000, 2000, 1200, 2200}, nullptr, 0);
  for (POINT p : {POINT{22, 42}, POINT{18, 38}, POINT{27, 42}}) {
    EXPECT_EQ(0, box.GetCapture(p));
    EXPECT_EQ(0, rectangle.GetCapture(p));
  }
  EXPECT_EQ(CAPTURE_MID_RIGHT, ellipse.GetCapture(POINT{27, 42}));
}

// The repaint rectangle reaches past the bounds by the pen's half width less half a handle, or by
// 4 pixels for a thin pen; a line's by 2 pixels more for its square caps.
TEST_F(GraphicObjects, RepaintRectanglesCoverThePen) {
  const struct {
    int lineWidth;  // units; 1000 is 20 view pixels
    RECT box, line;
  } cases[] = {{0, {13, 33, 107, 87}, {11, 31, 109, 89}}, {1000, {10, 30, 110, 90}, {8, 28, 112, 92}}};
  for (const auto& c : cases) {
    _OBJECT_STYLE style = {};
    style.lineWidth = c.lineWidth;
    CTranspRectangle rectangle(&g_view, kBox, &style, 0);
    CTranspLine line(&g_view, 1000, 2000, 5000, 4000, &style, 0);
    RECT r;
    rectangle.GetRepaintRect(&r);
    EXPECT_TRUE(EqualRect(&c.box, &r)) << c.lineWidth << ": " << r.left << "," << r.top;
    line.GetRepaintRect(&r);
    EXPECT_TRUE(EqualRect(&c.line, &r)) << c.lineWidth << ": " << r.left << "," << r.top;
  }
}

// Press on a handle, move by (10, 10) client pixels (500 units), release.
TEST_F(GraphicObjects, ResizeByEachHandle) {
  const struct {
    POINT p;
    RECT after;
  } cases[] = {
      {{60, 60}, {1500, 2500, 5500, 4500}}, {{19, 48}, {1500, 2500, 5500, 4500}},
      {{18, 38}, {1500, 2500, 5000, 4000}}, {{101, 38}, {1000, 2500, 5500, 4000}},
      {{101, 81}, {1000, 2000, 5500, 4500}}, {{18, 81}, {1500, 2000, 5000, 4500}},
      {{17, 60}, {1500, 2000, 5000, 4000}}, {{60, 37}, {1000, 2500, 5000, 4000}},
      {{103, 60}, {1000, 2000, 5500, 4000}}, {{60, 83}, {1000, 2000, 5000, 4500}},
  };
  for (const auto& c : cases) {
    auto box = MakeBox();
    g_modified = 0;
    EXPECT_EQ(1, box->OnLButtonDown(MK_LBUTTON, c.p.x, c.p.y));
    EXPECT_EQ(1, box->OnMouseMove(MK_LBUTTON, c.p.x + 10, c.p.y + 10));
    box->OnLButtonUp(0, c.p.x + 10, c.p.y + 10);
    EXPECT_TRUE(EqualRect(&c.after, &box->GetRect())) << c.p.x << "," << c.p.y;
    EXPECT_EQ(1, g_modified);
    EXPECT_EQ(0, box->IsTracking());
    EXPECT_EQ(CAPTURE_NONE, box->GetCaptureCode());
  }
}

// A handle dragged past the opposite edge inverts the rectangle until button-up normalises it.
TEST_F(GraphicObjects, DragPastTheOppositeEdgeNormalisesAtButtonUp) {
  auto box = MakeBox();
  box->OnLButtonDown(MK_LBUTTON, 17, 60);
  box->OnMouseMove(MK_LBUTTON, 57, 60);
  box->OnMouseMove(MK_LBUTTON, 117, 60);
  const RECT inverted = {6000, 2000, 5000, 4000};
  EXPECT_TRUE(EqualRect(&inverted, &box->GetRect()));
  box->OnLButtonUp(0, 117, 60);
  const RECT normal = {5000, 2000, 6000, 4000};
  EXPECT_TRUE(EqualRect(&normal, &box->GetRect()));
}

// Dragging the body out of the client area in design mode puts it back and ends the tracking; in
// form mode the object stays in the window's hands.
TEST_F(GraphicObjects, DraggingTheBodyOutOfTheWindow) {
  auto box = MakeBox();
  box->OnLButtonDown(MK_LBUTTON, 60, 60);
  EXPECT_EQ(1, box->OnMouseMove(MK_LBUTTON, 80, 60));
  EXPECT_EQ(2000, box->GetRect().left);
  EXPECT_EQ(0, box->OnMouseMove(MK_LBUTTON, -20, 60));
  EXPECT_TRUE(EqualRect(&kBox, &box->GetRect()));
  EXPECT_EQ(0, box->IsTracking());

  g_mode = PROGRAM_MODE_FORM;
  auto kept = MakeBox();
  kept->OnLButtonDown(MK_LBUTTON, 60, 60);
  EXPECT_EQ(1, kept->OnMouseMove(MK_LBUTTON, -20, 60));
  EXPECT_EQ(1000 - 4000, kept->GetRect().left);
  EXPECT_EQ(1, kept->IsTracking());
}

// Putting a dragged object back repaints where the drag left it as well as where it returns to.
TEST_F(GraphicObjects, PuttingBackRepaintsBothPlaces) {
  HWND window = g_view.GetSafeHwnd();
  ShowWindow(window, SW_SHOWNOACTIVATE);  // only a shown window collects an update region
  auto box = MakeBox();
  box->OnLButtonDown(MK_LBUTTON, 60, 60);
  box->OnMouseMove(MK_LBUTTON, 260, 60);  // 100 page pixels: the box now lies at (220, 40)-(300, 80)
  ValidateRect(window, nullptr);
  EXPECT_EQ(0, box->OnMouseMove(MK_LBUTTON, -20, 60));
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(ERROR, GetUpdateRgn(window, region, FALSE));
  EXPECT_TRUE(PtInRegion(region, 20, 40));
  EXPECT_TRUE(PtInRegion(region, 299, 79));
  DeleteObject(region);
  EXPECT_TRUE(EqualRect(&kBox, &box->GetRect()));
}

TEST_F(GraphicObjects, CtrlKeepsTheAspectRatioOfABoxWithWidth) {
  auto box = MakeBox();
  box->OnLButtonDown(MK_LBUTTON | MK_CONTROL, 103, 60);
  EXPECT_EQ(1, box->IsKeepAspect());
  EXPECT_DOUBLE_EQ(0.5, box->GetAspectRatio());
  box->OnLButtonUp(0, 103, 60);
  EXPECT_EQ(0, box->IsKeepAspect());
  // A box without width has no ratio: height / 0 is not taken.
  CBox flat;
  flat.SetRect(RECT{1000, 2000, 1000, 4000});
  flat.OnLButtonDown(MK_LBUTTON | MK_CONTROL, 20, 60);
  EXPECT_EQ(0, flat.IsKeepAspect());
  EXPECT_EQ(0.0, flat.GetAspectRatio());
}

TEST_F(GraphicObjects, ModifiedOnlyWhenTheGeometryMoves) {
  auto box = MakeBox();
  box->MoveBy(0, 0);
  EXPECT_EQ(0, g_modified);
  box->MoveBy(100, 0);
  EXPECT_EQ(1, g_modified);
  _OBJECT_STYLE style = {};
  style.color = 0x123456;
  const int colourField = 13;
  box->SetObjectStyle(nullptr, &style, &colourField, 0);
  EXPECT_EQ(2, g_modified);
  _OBJECT_STYLE taken;
  box->GetObjectStyle(&taken);
  EXPECT_EQ(0x123456u, taken.color);
  // RestorePosition without a saved position changes nothing.
  box->RestorePosition();
  EXPECT_EQ(1100, box->GetRect().left);
}

// The style field ids apply one field; any other id copies the whole block; 23 is the name.
TEST_F(GraphicObjects, StyleFieldsByTheirIds) {
  _OBJECT_STYLE style = {};
  style.color = 1;
  style.lineWidth = 2;
  style.penStyle = 3;
  style.printable = 4;
  style.textColor = 5;
  const struct {
    int id;
    uint32_t color;
    int lineWidth, penStyle, printable;
  } cases[] = {{13, 1, 0, 0, 0}, {14, 0, 2, 0, 0}, {17, 0, 0, 3, 0}, {30, 0, 0, 0, 4}, {99, 1, 2, 3, 4}};
  for (const auto& c : cases) {
    CBox box;
    box.SetObjectStyle(nullptr, &style, &c.id, 1);
    _OBJECT_STYLE taken;
    box.GetObjectStyle(&taken);
    EXPECT_EQ(c.color, taken.color) << c.id;
    EXPECT_EQ(c.lineWidth, taken.lineWidth) << c.id;
    EXPECT_EQ(c.penStyle, taken.penStyle) << c.id;
    EXPECT_EQ(c.printable, taken.printable) << c.id;
  }
  CBox named;
  _PROPERTIES properties;
  properties.name = L"Frame";
  const int nameField = 23;
  named.SetObjectStyle(&properties, &style, &nameField, 0);
  EXPECT_EQ(L"Frame", std::wstring(named.GetName()));
  _OBJECT_STYLE untouched;
  named.GetObjectStyle(&untouched);
  EXPECT_EQ(0u, untouched.color);
}

// ---- Cursors ----

TEST_F(GraphicObjects, CursorPerHandle) {
  auto box = MakeBox();
  HWND window = g_view.GetSafeHwnd();
  const struct {
    POINT p;
    HCURSOR cursor;
  } cases[] = {
      {{60, 60}, GetMoveCursor()},
      {{19, 48}, GetMoveCursor()},
      {{18, 38}, LoadCursorW(nullptr, IDC_SIZENWSE)},
      {{101, 81}, LoadCursorW(nullptr, IDC_SIZENWSE)},
      {{101, 38}, LoadCursorW(nullptr, IDC_SIZENESW)},
      {{18, 81}, LoadCursorW(nullptr, IDC_SIZENESW)},
      {{17, 60}, LoadCursorW(nullptr, IDC_SIZEWE)},
      {{103, 60}, LoadCursorW(nullptr, IDC_SIZEWE)},
      {{60, 37}, LoadCursorW(nullptr, IDC_SIZENS)},
      {{60, 83}, LoadCursorW(nullptr, IDC_SIZENS)},
  };
  for (const auto& c : cases) {
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    EXPECT_EQ(1, box->OnMouseMove(0, c.p.x, c.p.y));
    EXPECT_EQ(c.cursor, GetCursor()) << c.p.x << "," << c.p.y;
  }
  EXPECT_EQ(0, GetClassLongPtrW(window, GCLP_HCURSOR));
  // Nowhere on the object: the cursor is left as it was.
  SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  box->OnMouseMove(0, 300, 200);
  EXPECT_EQ(LoadCursorW(nullptr, IDC_WAIT), GetCursor());
  // In form mode the object sets no cursor.
  g_mode = PROGRAM_MODE_FORM;
  EXPECT_EQ(0, box->OnMouseMove(0, 103, 60));
  EXPECT_EQ(LoadCursorW(nullptr, IDC_WAIT), GetCursor());
}

// Off a line the view's class cursor becomes the standard arrow again; its ends size whatever the
// line's direction.
TEST_F(GraphicObjects, LineCursors) {
  // From (100, 40) to (20, 80) in client pixels.
  CTranspLine line(&g_view, 5000, 2000, 1000, 4000, nullptr, 0);
  HWND window = g_view.GetSafeHwnd();
  line.OnMouseMove(0, 100, 40);
  EXPECT_EQ(LoadCursorW(nullptr, IDC_SIZENWSE), GetCursor());
  EXPECT_EQ(0, GetClassLongPtrW(window, GCLP_HCURSOR));
  line.OnMouseMove(0, 60, 60);
  EXPECT_EQ(GetMoveCursor(), GetCursor());
  line.OnMouseMove(0, 300, 200);
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(LoadCursorW(nullptr, IDC_ARROW)), GetClassLongPtrW(window, GCLP_HCURSOR));
}

// ---- The shapes' own handles ----

TEST_F(GraphicObjects, LineEndsAndBody) {
  CTranspLine line(&g_view, 5000, 2000, 1000, 4000, nullptr, 0);
  EXPECT_EQ(CAPTURE_TOP_LEFT, line.GetCapture(POINT{102, 42}));
  EXPECT_EQ(CAPTURE_BOTTOM_RIGHT, line.GetCapture(POINT{18, 78}));
  EXPECT_EQ(CAPTURE_BODY, line.GetCapture(POINT{60, 60}));
  EXPECT_EQ(CAPTURE_NONE, line.GetCapture(POINT{60, 45}));
  // The second end dragged by (10, 10) pixels; the body then moves both.
  line.OnLButtonDown(MK_LBUTTON, 20, 80);
  line.OnMouseMove(MK_LBUTTON, 30, 90);
  line.OnLButtonUp(0, 30, 90);
  EXPECT_EQ(1500, line.GetEnd().x);
  EXPECT_EQ(4500, line.GetEnd().y);
  EXPECT_EQ(5000, line.GetStart().x);
  const RECT box = {1500, 2000, 5000, 4500};
  EXPECT_TRUE(EqualRect(&box, &line.GetRect()));
  line.OnLButtonDown(MK_LBUTTON, 65, 65);
  line.OnMouseMove(MK_LBUTTON, 75, 65);
  line.OnLButtonUp(0, 75, 65);
  EXPECT_EQ(5500, line.GetStart().x);
  EXPECT_EQ(2000, line.GetEnd().x);
}

// A circle resized by any of its handles stays round; its left handle grows it leftwards.
TEST_F(GraphicObjects, CircleStaysRound) {
  // Centre (3000, 3000), radius 1000: client (40, 40)-(80, 80), bounds (37, 37)-(83, 83).
  CTranspCircle circle(&g_view, 3000, 3000, 1000, nullptr, 0);
  EXPECT_EQ(CAPTURE_MID_RIGHT, circle.GetCapture(POINT{83, 60}));
  circle.OnLButtonDown(MK_LBUTTON, 83, 60);
  circle.OnMouseMove(MK_LBUTTON, 93, 75);
  circle.OnLButtonUp(0, 93, 75);
  EXPECT_EQ(1500, circle.GetRadius());
  EXPECT_EQ(3000, circle.GetCentreX());
  const RECT& r = circle.GetRect();
  EXPECT_EQ(r.right - r.left, r.bottom - r.top);
  circle.OnLButtonDown(MK_LBUTTON, 30, 60);  // the left handle of the grown circle
  circle.OnMouseMove(MK_LBUTTON, 20, 60);
  EXPECT_EQ(2000, circle.GetRadius());
  circle.OnLButtonUp(0, 20, 60);
}

// ---- Drawing ----

const uint32_t kRed = 0xFF0000, kWhite = 0xFFFFFF, kInverted = 0x7F7F7F;  // as DIB pixels

_OBJECT_STYLE RedPen(int lineWidth) {
  _OBJECT_STYLE style = {};
  style.color = 0x0000FF;
  style.lineWidth = lineWidth;
  return style;
}

// A 100-unit pen is 1 page pixel, 2 view pixels at zoom 2; the box is (20, 40)-(100, 80) in view
// pixels (no scroll).
TEST_F(GraphicObjects, RectangleBorderAtItsPlaceWidthAndColour) {
  const _OBJECT_STYLE style = RedPen(100);
  CTranspRectangle rectangle(&g_view, kBox, &style, 0);
  Canvas canvas;
  rectangle.Draw(canvas.dc(), 0, nullptr);
  EXPECT_EQ(4, canvas.CountInRow(60, kRed));  // the left and right sides, 2 pixels each
  EXPECT_EQ(kRed, canvas.At(20, 60));
  EXPECT_EQ(kRed, canvas.At(99, 60));
  EXPECT_EQ(kRed, canvas.At(60, 40));
  EXPECT_EQ(kRed, canvas.At(60, 79));
  EXPECT_EQ(kWhite, canvas.At(60, 60));
  EXPECT_EQ(kWhite, canvas.At(60, 36));
  EXPECT_EQ(kWhite, canvas.At(104, 60));
}

// In print the coordinates are inches times the given resolution: 0.1 inch at 300 dpi is 30 dots,
// the 100-unit pen 3 dots; no frames are drawn.
TEST_F(GraphicObjects, PrintedAtTheDeviceResolution) {
  const _OBJECT_STYLE style = RedPen(100);
  CTranspRectangle rectangle(&g_view, kBox, &style, 0);
  rectangle.SetSelected(1);
  Canvas canvas(400, 300);
  POINT dpi = {300, 300};
  rectangle.Draw(canvas.dc(), 1, &dpi);
  EXPECT_EQ(6, canvas.CountInRow(90, kRed));
  EXPECT_EQ(kRed, canvas.At(30, 90));
  EXPECT_EQ(kRed, canvas.At(90, 60));
  EXPECT_EQ(0, canvas.Count(kInverted));
}

TEST_F(GraphicObjects, DrawnCircleIsRound) {
  const _OBJECT_STYLE style = RedPen(0);
  CTranspCircle circle(&g_view, 3000, 3000, 1000, &style, 0);
  circle.OnLButtonDown(MK_LBUTTON, 83, 60);
  circle.OnMouseMove(MK_LBUTTON, 103, 60);
  circle.OnLButtonUp(0, 103, 60);
  Canvas canvas;
  circle.Draw(canvas.dc(), 0, nullptr);
  // Radius 2000 units: 40 view pixels around (60, 60).
  int left = 400, right = -1, top = 300, bottom = -1;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x)
      if (canvas.At(x, y) == kRed) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  EXPECT_EQ(right - left, bottom - top);
  EXPECT_NEAR(80, right - left, 1);
  EXPECT_NEAR(60, (left + right) / 2, 1);
}

// Select squares invert a 7 x 7 square: the rectangle gets them at corners and midpoints, the
// round shapes at the midpoints only, a line at its ends (and its middle when it is short).
TEST_F(GraphicObjects, SelectFramesPerShape) {
  const _OBJECT_STYLE style = RedPen(0);
  CTranspRectangle rectangle(&g_view, kBox, &style, 0);
  CTranspEllipse ellipse(&g_view, kBox, &style, 0);
  const struct {
    CTranspShape* shape;
    uint32_t corner, middle;
  } cases[] = {{&rectangle, kInverted, kInverted}, {&ellipse, kWhite, kInverted}};
  for (const auto& c : cases) {
    c.shape->SetSelected(1);
    Canvas canvas;
    c.shape->Draw(canvas.dc(), 0, nullptr);
    EXPECT_EQ(c.corner, canvas.At(17, 37));
    EXPECT_EQ(c.middle, canvas.At(57, 37));
  }
  CTranspLine longLine(&g_view, 1000, 2000, 5000, 5000, &style, 0);   // (20, 40)-(100, 100)
  CTranspLine shortLine(&g_view, 1000, 2000, 1200, 5000, &style, 0);  // (20, 40)-(24, 100)
  const struct {
    CTranspLine* line;
    POINT probe;  // a corner of the middle square, off the line
    uint32_t middle;
  } lines[] = {{&longLine, {63, 73}, kWhite}, {&shortLine, {19, 67}, kInverted}};
  for (const auto& c : lines) {
    c.line->SetSelected(1);
    Canvas canvas;
    c.line->Draw(canvas.dc(), 0, nullptr);
    EXPECT_EQ(kInverted, canvas.At(17, 37));
    EXPECT_EQ(c.middle, canvas.At(c.probe.x, c.probe.y));
  }
}

// Frozen shapes show grey X marks, focused ones red-edged focus squares: at the corners and
// midpoints of a rectangle, the midpoints of an ellipse, the ends of a line.
TEST_F(GraphicObjects, FrozenAndFocusFramesPerShape) {
  const _OBJECT_STYLE style = RedPen(0);
  const uint32_t grey = 0x808080, focusEdge = 0x0000FF;  // DIB pixels of 0x808080 and 0xFF0000
  CTranspRectangle rectangle(&g_view, kBox, &style, 0);
  CTranspEllipse ellipse(&g_view, kBox, &style, 0);
  CTranspLine line(&g_view, 1000, 2000, 5000, 5000, &style, 0);  // (20, 40)-(100, 100)
  const struct {
    CTranspShape* shape;
    POINT frozenAt;   // the centre of one X mark
    POINT focusEdge;  // a pixel on the edge of one focus square
    POINT noFocus;    // where a focus square of another shape would be
  } cases[] = {{&rectangle, {20, 40}, {17, 37}, {200, 200}},
               {&ellipse, {20, 40}, {57, 37}, {17, 37}},
               {&line, {100, 100}, {97, 97}, {57, 67}}};
  for (const auto& c : cases) {
    c.shape->SetFrozen(1);
    Canvas frozen;
    c.shape->Draw(frozen.dc(), 0, nullptr);
    EXPECT_EQ(grey, frozen.At(c.frozenAt.x, c.frozenAt.y));
    EXPECT_EQ(grey, frozen.At(c.frozenAt.x - 2, c.frozenAt.y + 2));
    c.shape->SetFrozen(0);
    c.shape->SetFocused(1);
    Canvas focused;
    c.shape->Draw(focused.dc(), 0, nullptr);
    EXPECT_EQ(focusEdge, focused.At(c.focusEdge.x, c.focusEdge.y));
    EXPECT_NE(focusEdge, focused.At(c.noFocus.x, c.noFocus.y));
  }
}

TEST_F(GraphicObjects, DeletedShapesDrawNothing) {
  const _OBJECT_STYLE style = RedPen(100);
  CTranspRectangle rectangle(&g_view, kBox, &style, 0);
  rectangle.SetDeleted(1);
  Canvas canvas;
  rectangle.Draw(canvas.dc(), 0, nullptr);
  POINT dpi = {300, 300};
  rectangle.Draw(canvas.dc(), 1, &dpi);
  EXPECT_EQ(0, canvas.Count(kRed));
}

}  // namespace

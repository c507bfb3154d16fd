// The check mark under a real window standing for the view: the size of new check marks, clicks
// that toggle and drags that do not, squaring after a resize, its handles, and its drawing on the
// screen and in print read back by pixels.
#include "TranspCheckMark.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "ViewConversions.h"
#include "Canvas.h"
#include "ObjectViewWindow.h"

namespace {

// 100 dpi, 0.0001 inch per unit and zoom 2: a page pixel is 100 units, a client pixel 50. The box
// (1000, 2000)-(3000, 4000) lies at (20, 40)-(60, 80) in client pixels, its bounds at (17, 37)-(63, 83).
CWnd g_view;
CViewGeometry& g_geometry = ObjectViewGeometry();
int g_mode = 0;
BOOL g_highlight = FALSE;

int ProgramMode(CWnd*) { return g_mode; }
BOOL IsHighlightFields(CWnd*) { return g_highlight; }
COLORREF HighlightColor(CWnd*) { return 0x00FFFF; }  // yellow
const TRANSP_VIEW_LINK kLink = {ProgramMode, nullptr, IsHighlightFields, HighlightColor, nullptr, nullptr, nullptr};

const RECT kBox = {1000, 2000, 3000, 4000};

class CheckMarkWindow : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OpenObjectView(g_view, &kLink));
    CTranspCheckMark::SetDefaultSize(0.1, 0.1);
    g_mode = 0;
    g_highlight = FALSE;
  }
  void TearDown() override {
    CTranspCheckMark::SetDefaultSize(0.1, 0.1);
    CloseObjectView(g_view);
  }
};

_OBJECT_STYLE Ink(COLORREF color, int kind) {
  _OBJECT_STYLE style = {};
  style.color = color;
  style.checkMarkKind = kind;
  return style;
}

// A mark of kBox, checked, as the tool makes it and then sized.
struct Mark : CTranspCheckMark {
  explicit Mark(int kind = 0, COLORREF color = 0x0000FF) : Mark(Ink(color, kind)) {}
  explicit Mark(const _OBJECT_STYLE& style) : CTranspCheckMark(&g_view, 0, 0, &style, 0) { SetRect(kBox); }
};

// ---- New check marks ----

// The last focused check mark's width is the next one's side, but never under 20 page pixels.
TEST_F(CheckMarkWindow, NewCheckMarkTakesTheLastFocusedSize) {
  const _OBJECT_STYLE style = Ink(0, 1);
  CTranspCheckMark small(&g_view, 500, 600, &style, 0);  // 0.1 inch is 10 page pixels
  const RECT twenty = {500, 600, 2500, 2600};
  EXPECT_TRUE(EqualRect(&twenty, &small.GetRect()));

  // Drawing a focused 0.3-inch check mark makes it the model of the next.
  CTranspCheckMark model(&g_view, 0, 0, &style, 0);
  model.SetRect(RECT{0, 0, 3000, 3000});
  model.SetFocused(1);
  Canvas screen(200, 150);
  model.Draw(screen.dc(), 0, nullptr);
  double width = 0, height = 0;
  CTranspCheckMark::GetDefaultSize(width, height);
  EXPECT_DOUBLE_EQ(0.3, width);
  EXPECT_DOUBLE_EQ(0.3, height);
  CTranspCheckMark next(&g_view, 100, 100, &style, 0);
  const RECT thirty = {100, 100, 3100, 3100};
  EXPECT_TRUE(EqualRect(&thirty, &next.GetRect()));
}

// ---- Mouse ----

TEST_F(CheckMarkWindow, ClickTogglesAndDragMovesWithoutToggling) {
  Mark mark;
  mark.OnLButtonDown(MK_LBUTTON, 40, 60);
  mark.OnMouseMove(MK_LBUTTON, 40, 60);  // a repeated move at the press point is still a click
  mark.OnLButtonUp(0, 40, 60);
  EXPECT_EQ(0, mark.GetState());
  EXPECT_TRUE(EqualRect(&kBox, &mark.GetRect()));
  // A button-up that no press on a check mark began (the press went elsewhere) does nothing.
  mark.OnLButtonUp(0, 40, 60);
  EXPECT_EQ(0, mark.GetState());

  mark.OnLButtonDown(MK_LBUTTON, 40, 60);
  EXPECT_EQ(1, mark.OnMouseMove(MK_LBUTTON, 50, 64));
  mark.OnLButtonUp(0, 50, 64);
  EXPECT_EQ(0, mark.GetState());
  const RECT moved = {1500, 2200, 3500, 4200};
  EXPECT_TRUE(EqualRect(&moved, &mark.GetRect()));
}

// In tab-order mode a click only picks the field; in form mode it toggles but never moves it.
TEST_F(CheckMarkWindow, ModesDecideWhatAClickDoes) {
  Mark mark;
  g_mode = PROGRAM_MODE_TAB_ORDER;
  mark.OnLButtonDown(MK_LBUTTON, 40, 60);
  mark.OnLButtonUp(0, 40, 60);
  EXPECT_EQ(1, mark.GetState());

  g_mode = PROGRAM_MODE_FORM;
  mark.OnLButtonDown(MK_LBUTTON, 40, 60);
  EXPECT_EQ(0, mark.OnMouseMove(MK_LBUTTON, 70, 90));
  mark.OnLButtonUp(0, 70, 90);
  EXPECT_TRUE(EqualRect(&kBox, &mark.GetRect()));
  EXPECT_EQ(1, mark.GetState());  // the move made it a drag
  mark.OnLButtonDown(MK_LBUTTON, 40, 60);
  mark.OnLButtonUp(0, 40, 60);
  EXPECT_EQ(0, mark.GetState());
}

// Edge bands move the box like its body; the corners size it, the middles do nothing.
TEST_F(CheckMarkWindow, HandlesOfASquareBox) {
  Mark mark;
  const struct {
    POINT p;
    int capture;
  } cases[] = {{{19, 50}, CAPTURE_BODY},       {{28, 39}, CAPTURE_BODY},       {{40, 60}, CAPTURE_BODY},
               {{18, 38}, CAPTURE_TOP_LEFT},   {{62, 82}, CAPTURE_BOTTOM_RIGHT}, {{63, 60}, CAPTURE_MID_RIGHT},
               {{40, 83}, CAPTURE_MID_BOTTOM}, {{200, 200}, CAPTURE_NONE}};
  for (const auto& c : cases) EXPECT_EQ(c.capture, mark.GetCapture(c.p)) << c.p.x << "," << c.p.y;

  mark.OnLButtonDown(MK_LBUTTON, 63, 60);
  mark.OnMouseMove(MK_LBUTTON, 83, 60);
  mark.OnLButtonUp(0, 83, 60);
  EXPECT_TRUE(EqualRect(&kBox, &mark.GetRect()));
  EXPECT_EQ(1, mark.GetState());
}

// After a corner drag the box is square at its top-left corner, at least 10 page pixels a side.
TEST_F(CheckMarkWindow, ResizedBoxIsSquare) {
  const struct {
    POINT from, to;
    RECT after;
  } cases[] = {
      {{62, 82}, {82, 86}, {1000, 2000, 3200, 4200}},  // 3000 x 2200 units: the smaller side
      {{18, 38}, {56, 76}, {2900, 3900, 3900, 4900}},  // 100 x 100 units: up to 10 page pixels
      {{62, 82}, {2, 22}, {0, 1000, 1000, 2000}},      // dragged past the opposite corner
  };
  for (const auto& c : cases) {
    Mark mark;
    mark.OnLButtonDown(MK_LBUTTON, c.from.x, c.from.y);
    mark.OnMouseMove(MK_LBUTTON, c.to.x, c.to.y);
    mark.OnLButtonUp(0, c.to.x, c.to.y);
    const RECT& r = mark.GetRect();
    EXPECT_TRUE(EqualRect(&c.after, &r)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    EXPECT_EQ(1, mark.GetState());
  }
}

TEST_F(CheckMarkWindow, CursorsOfBodyAndCorners) {
  Mark mark;
  const struct {
    POINT p;
    HCURSOR cursor;
  } cases[] = {{{40, 60}, GetMoveCursor()},
               {{19, 50}, GetMoveCursor()},
               {{18, 38}, LoadCursorW(nullptr, IDC_SIZENWSE)},
               {{62, 38}, LoadCursorW(nullptr, IDC_SIZENESW)},
               {{63, 60}, LoadCursorW(nullptr, IDC_WAIT)}};  // a middle handle: left as it was
  for (const auto& c : cases) {
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    mark.OnMouseMove(0, c.p.x, c.p.y);
    EXPECT_EQ(c.cursor, GetCursor()) << c.p.x << "," << c.p.y;
  }
}

// ---- Drawing ----

// DIB pixels are 0xRRGGBB: the marks are drawn in red (COLORREF 0x0000FF), the form-mode outline is
// the blue of COLORREF 0xFF0000.
const uint32_t kMarkInk = 0xFF0000, kFormOutline = 0x0000FF, kWhite = 0xFFFFFF, kGrey = 0x808080,
               kYellow = 0xFFFF00, kMirrorGreen = 0x78FF78;

// The box is (20, 40)-(60, 80) in view pixels; the mark sits in the square (23, 43)-(57, 77).
TEST_F(CheckMarkWindow, CrossTickAndUncheckedOnTheScreen) {
  Mark cross(0);
  Canvas crossed(200, 150);
  cross.Draw(crossed.dc(), 0, nullptr);
  EXPECT_EQ(kMarkInk, crossed.At(40, 60));  // where the two lines cross
  EXPECT_EQ(kMarkInk, crossed.At(30, 50));
  EXPECT_EQ(kMarkInk, crossed.At(50, 50));
  EXPECT_EQ(kWhite, crossed.At(40, 50));
  EXPECT_EQ(0, crossed.CountIn(RECT{0, 0, 23, 150}, kMarkInk)) << "the mark keeps 3 pixels inside the box";
  EXPECT_GT(crossed.CountIn(RECT{20, 40, 60, 41}, kGrey), 5) << "the dotted design outline in the tab-order colour";

  // The tick: short stroke down to (34, 77), long stroke up to (56, 55).
  Mark tick(1);
  Canvas ticked(200, 150);
  tick.Draw(ticked.dc(), 0, nullptr);
  EXPECT_GT(ticked.CountIn(RECT{44, 64, 47, 68}, kMarkInk), 0) << "the long stroke";
  EXPECT_GT(ticked.CountIn(RECT{27, 64, 34, 78}, kMarkInk), 3) << "the short stroke";
  EXPECT_EQ(kWhite, ticked.At(40, 60));
  EXPECT_EQ(kWhite, ticked.At(26, 46));

  Mark empty(0);
  empty.SetState(0);
  Canvas unchecked(200, 150);
  empty.Draw(unchecked.dc(), 0, nullptr);
  EXPECT_EQ(0, unchecked.Count(kMarkInk));
  EXPECT_GT(unchecked.Count(kGrey), 20);
}

// In print only the mark appears: at 100 dpi the box is (10, 20)-(30, 40), the mark in (13, 23)-(27, 37).
TEST_F(CheckMarkWindow, PrintShowsOnlyTheMark) {
  Mark mark(0);
  g_mode = PROGRAM_MODE_FORM;
  g_highlight = TRUE;
  mark.SetFocused(1);
  Canvas paper(200, 150);
  POINT dpi = {100, 100};
  mark.Draw(paper.dc(), 1, &dpi);
  EXPECT_EQ(kMarkInk, paper.At(20, 30));
  EXPECT_EQ(paper.Count(kMarkInk), paper.CountIn(RECT{13, 23, 28, 38}, kMarkInk));
  EXPECT_EQ(0, paper.Count(kFormOutline));
  EXPECT_EQ(0, paper.Count(kYellow));
  EXPECT_EQ(paper.Count(kMarkInk) + paper.Count(kWhite), 200 * 150);
}

// Form mode: a solid red outline and, with the highlight on, a checkerboard of the highlight colour
// inside; a mirrored field without its PDF name gets the mirror green.
TEST_F(CheckMarkWindow, FormModeOutlineAndHighlight) {
  g_mode = PROGRAM_MODE_FORM;
  Mark mark(0);
  mark.SetState(0);
  Canvas plain(200, 150);
  mark.Draw(plain.dc(), 0, nullptr);
  EXPECT_EQ(kFormOutline, plain.At(40, 40));
  EXPECT_EQ(kFormOutline, plain.At(20, 60));
  EXPECT_EQ(0, plain.Count(kYellow));

  g_highlight = TRUE;
  Canvas lit(200, 150);
  mark.Draw(lit.dc(), 0, nullptr);
  // Row 41 starts at the left edge, row 42 one pixel further: every other pixel, shifted.
  EXPECT_EQ(kYellow, lit.At(30, 41));
  EXPECT_EQ(kWhite, lit.At(31, 41));
  EXPECT_EQ(kYellow, lit.At(31, 42));
  EXPECT_EQ(kWhite, lit.At(30, 42));
  EXPECT_EQ(kWhite, lit.At(40, 78)) << "the last two rows stay clear";
  EXPECT_EQ(kWhite, lit.At(59 - 1, 51)) << "the hatch ends two pixels before the right edge";

  mark.SetMirrored(1);
  Canvas mirrored(200, 150);
  mark.Draw(mirrored.dc(), 0, nullptr);
  EXPECT_GT(mirrored.Count(kMirrorGreen), 100);
  EXPECT_EQ(0, mirrored.Count(kYellow));
}

// Too small for the inset: no mark turned inside out around the box.
TEST_F(CheckMarkWindow, TinyBoxShowsNoMark) {
  Mark mark(0);
  mark.SetRect(RECT{1000, 2000, 1250, 2250});  // 5 x 5 view pixels at (20, 40)
  Canvas canvas(200, 150);
  mark.Draw(canvas.dc(), 0, nullptr);
  EXPECT_EQ(0, canvas.Count(kMarkInk));
}

TEST_F(CheckMarkWindow, DeletedDrawsNothing) {
  Mark mark(0);
  mark.SetDeleted(1);
  Canvas canvas(200, 150);
  mark.Draw(canvas.dc(), 0, nullptr);
  POINT dpi = {100, 100};
  mark.Draw(canvas.dc(), 1, &dpi);
  EXPECT_EQ(200 * 150, canvas.Count(kWhite));
}

}  // namespace

// The freehand object: its record and object data against fixtures written from the file layout,
// point lists with stroke separators, damaged counts, the box, moving and undo, PDF output, and
// under a real window standing for the view its hit test, handles, mouse drags and drawing by pixels.
#include "TranspFreehand.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <pdfwriter/PdfComponent.h>

#include "ArchiveFixtures.h"
#include "ObjectFixtures.h"
#include "TestSupport.h"
#include "ViewConversions.h"
#include "Canvas.h"
#include "ObjectViewWindow.h"

namespace {

using fixtures::Load;
using fixtures::LoadFailureCause;
using fixtures::ReadHexFixture;
using fixtures::Store;
using fixtures::ToHex;
using fixtures::Fixture;
using fixtures::GlobalBytes;
using fixtures::LoadFrom;
using fixtures::Stored;
using fixtures::ToGlobal;

const POINT kSep = {-9999, -9999};
// The strokes of the fixtures: two, each ended by a separator.
const std::vector<POINT> kTwoStrokes = {{100000, 200000}, {150000, 250000}, kSep,
                                        {120000, 300000}, {180000, 300000}, kSep};

_OBJECT_STYLE Pen(COLORREF color, int lineWidth, int penStyle) {
  _OBJECT_STYLE style = {};
  style.color = color;
  style.lineWidth = lineWidth;
  style.penStyle = penStyle;
  return style;
}

CTranspFreehand* NewFreehand(CWnd* view, const std::vector<POINT>& points, const _OBJECT_STYLE& style) {
  return new CTranspFreehand(view, points.data(), static_cast<int>(points.size()), &style, 0);
}

bool SamePoints(const std::vector<POINT>& a, const std::vector<POINT>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].x != b[i].x || a[i].y != b[i].y) return false;
  return true;
}

std::vector<POINT> Shifted(const std::vector<POINT>& points, int dx, int dy) {
  std::vector<POINT> out = points;
  for (POINT& p : out)
    if (p.x != -9999) p = {p.x + dx, p.y + dy};
  return out;
}

class TranspFreehand : public testing::Test {
 protected:
  void SetUp() override { CTranspBaseClass::SetInchesPerUnit(0.00001); }
  void TearDown() override { CTranspBaseClass::SetInchesPerUnit(0.00001); }
};

// ---- Records ----

TEST_F(TranspFreehand, CurrentRecordRoundTripsByteForByte) {
  const std::string record = Fixture(L"freehand_record_v3.hex");
  CTranspFreehand freehand(nullptr, 0);
  CTranspBaseClass::SetInchesPerUnit(0.5);
  LoadFrom(freehand, record);
  EXPECT_EQ(0.00001, CTranspBaseClass::GetInchesPerUnit());
  EXPECT_TRUE(SamePoints(kTwoStrokes, freehand.GetPoints()));
  const RECT box = {100000, 200000, 180001, 300001};
  EXPECT_TRUE(EqualRect(&box, &freehand.GetRect()));
  _OBJECT_STYLE style;
  freehand.GetObjectStyle(&style);
  EXPECT_EQ(0x0000FFu, style.color);
  EXPECT_EQ(2000, style.lineWidth);
  EXPECT_EQ(PS_DOT, style.penStyle);
  EXPECT_EQ(1, style.printable);
  EXPECT_EQ(1, freehand.GetPageIndex());
  EXPECT_EQ(KIND_OPEN_LINE, freehand.GetObjectKind());
  EXPECT_EQ(ToHex(record), ToHex(Stored(freehand)));
}

// The one older version branch: no printable flag, colour 0xFFFFFFFF reads as black, the pen style
// is its stored byte alone; saved again it is a current record.
TEST_F(TranspFreehand, OlderRecordLoadsWithoutThePrintableFlag) {
  CTranspFreehand freehand(nullptr, 0);
  LoadFrom(freehand, Fixture(L"freehand_record_v2.hex"));
  EXPECT_EQ(0, freehand.IsPrintable());
  _OBJECT_STYLE style;
  freehand.GetObjectStyle(&style);
  EXPECT_EQ(0u, style.color);
  EXPECT_EQ(PS_DASH, style.penStyle);
  EXPECT_EQ(0.5, CTranspBaseClass::GetInchesPerUnit());
  EXPECT_TRUE(SamePoints({{10, 20}, {30, 40}}, freehand.GetPoints()));
  const std::string stored = Stored(freehand);
  uint32_t version = 0, length = 0;
  memcpy(&length, stored.data(), 4);
  memcpy(&version, stored.data() + 12, 4);
  EXPECT_EQ(3u, version);
  EXPECT_EQ(68u, length);
  EXPECT_EQ(0, stored[8 + 33]);  // the bytes beside the pen byte are written as zero
}

// A count the record cannot hold ends the load with the archive exception before anything is
// allocated for it, and leaves the object without points; the records after it are not read as
// points.
TEST_F(TranspFreehand, DamagedCountsEndTheLoad) {
  const std::string record = Fixture(L"freehand_record_v3.hex").substr(4);
  const struct {
    int32_t count;
    int cause;
  } cases[] = {
      {7, CArchiveException::endOfFile},            // one point more than there is
      {0x10000000, CArchiveException::endOfFile},   // 2^28 points: 2 GB the file cannot hold
      {0x20000000, CArchiveException::endOfFile},   // 2^29: 8 x count overflows 32 bits
      {-1, CArchiveException::badIndex},
  };
  for (const auto& c : cases) {
    std::string damaged = record;
    memcpy(&damaged[4 + 24], &c.count, 4);
    CTranspFreehand freehand(nullptr, 0);
    EXPECT_EQ(c.cause, LoadFailureCause(damaged, [&freehand](CArchive& ar) { freehand.Serialize(ar); })) << c.count;
    EXPECT_EQ(0, freehand.GetCount()) << c.count;
  }
}

// ---- Object data ----

TEST_F(TranspFreehand, ObjectDataMatchesTheLayout) {
  const _OBJECT_STYLE style = Pen(0x0000FF, 2000, PS_DOT);
  std::unique_ptr<CTranspFreehand> freehand(NewFreehand(nullptr, kTwoStrokes, style));
  HGLOBAL data = freehand->GetObData();
  ASSERT_NE(nullptr, data);
  EXPECT_EQ(ToHex(Fixture(L"freehand_obdata.hex")), ToHex(GlobalBytes(data)));
  GlobalFree(data);
}

// A pasted freehand object's box has its top-left corner at the paste point, it is printable, and
// the separators stay where they are.
TEST_F(TranspFreehand, PasteFromDataPlacesTheStrokes) {
  CTranspBaseClass::SetInchesPerUnit(0.25);
  HGLOBAL data = ToGlobal(Fixture(L"freehand_obdata.hex"));
  CTranspFreehand pasted(nullptr, data, 7000, 9000, 3);
  GlobalFree(data);
  EXPECT_EQ(0.00001, CTranspBaseClass::GetInchesPerUnit());
  EXPECT_TRUE(SamePoints(Shifted(kTwoStrokes, 7000 - 100000, 9000 - 200000), pasted.GetPoints()));
  const RECT box = {7000, 9000, 87001, 109001};
  EXPECT_TRUE(EqualRect(&box, &pasted.GetRect()));
  EXPECT_EQ(1, pasted.IsPrintable());
  EXPECT_EQ(3, pasted.GetPageIndex());
  _OBJECT_STYLE style;
  pasted.GetObjectStyle(&style);
  EXPECT_EQ(0x0000FFu, style.color);
  EXPECT_EQ(2000, style.lineWidth);
  EXPECT_EQ(PS_DOT, style.penStyle);
}

// Data of another kind, shorter than its fixed part, or stating more points than it holds builds
// an object without points.
TEST_F(TranspFreehand, UnsuitableDataBuildsNothing) {
  const std::string good = Fixture(L"freehand_obdata.hex");
  std::string tooMany = good;
  const int32_t many = 0x10000000;
  memcpy(&tooMany[36], &many, 4);
  std::string oneTooMany = good;
  const int32_t eight = 8;  // the 8 trailing zero bytes are not a point
  memcpy(&oneTooMany[36], &eight, 4);
  std::string negative = good;
  const int32_t minusOne = -1;
  memcpy(&negative[36], &minusOne, 4);
  std::string otherKind = good;
  otherKind[4] = DATA_TYPE_LINE;
  std::string shortBlock = good.substr(0, 36);
  shortBlock[0] = 36;
  for (const std::string& bytes : {tooMany, oneTooMany, negative, otherKind, shortBlock}) {
    HGLOBAL data = ToGlobal(bytes);
    CTranspFreehand freehand(nullptr, data, 5, 5, 0);
    EXPECT_EQ(0, freehand.GetCount());
    EXPECT_EQ(0, freehand.IsPrintable());
    GlobalFree(data);
  }
  // Seven points are in the block when the trailer is counted as one: accepted only up to what is there.
  std::string seven = good;
  const int32_t sevenPoints = 7;
  memcpy(&seven[36], &sevenPoints, 4);
  HGLOBAL data = ToGlobal(seven);
  CTranspFreehand freehand(nullptr, data, 0, 0, 0);
  EXPECT_EQ(7, freehand.GetCount());
  GlobalFree(data);
  // A stroke reaching farther than any object is refused; its separators are no places and do not
  // count, so a stroke as tall as an object may be, far from the separators' corner, is taken.
  const struct {
    int32_t y;
    BOOL refused;
  } reaches[] = {{200000 + MAX_OBJECT_EXTENT, FALSE}, {200000 + MAX_OBJECT_EXTENT + 1, TRUE}};
  for (const auto& r : reaches) {
    std::string bytes = good;
    memcpy(&bytes[44 + 8], &r.y, 4);  // the second point's y; the first lies at y 200000
    HGLOBAL block = ToGlobal(bytes);
    CTranspFreehand stroke(nullptr, block, 0, 0, 0);
    EXPECT_EQ(r.refused, stroke.WasDataRefused()) << r.y;
    GlobalFree(block);
  }
}

// ---- The box, kinds and geometry ----

TEST(FreehandBoxRule, SeparatorsNeverEnterTheBox) {
  const struct {
    std::vector<POINT> points;
    RECT box;
  } cases[] = {
      {{{5, 6}}, {5, 6, 6, 7}},
      {{{5, 6}, kSep, {1, 9}, kSep}, {1, 6, 6, 10}},
      // A list that begins with a separator: the box is still the strokes'.
      {{kSep, {50, 60}, {70, 40}}, {50, 40, 71, 61}},
      {{kSep, kSep}, {0, 0, 0, 0}},
      {{}, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const RECT box = FreehandBox(c.points);
    EXPECT_TRUE(EqualRect(&c.box, &box)) << box.left << "," << box.top << "," << box.right << "," << box.bottom;
  }
}

// A polygon is a freehand object marked closed; neither the record nor the data keeps the mark.
TEST_F(TranspFreehand, PolygonLosesItsMarkWhenSavedOrCopied) {
  const std::vector<POINT> triangle = {{0, 0}, {1000, 0}, {500, 800}, {0, 0}};
  const _OBJECT_STYLE style = Pen(0, 100, PS_SOLID);
  std::unique_ptr<CTranspFreehand> polygon(NewFreehand(nullptr, triangle, style));
  EXPECT_EQ(KIND_OPEN_LINE, polygon->GetObjectKind());
  EXPECT_EQ(0, polygon->IsPolygon());
  polygon->SetClosed();
  EXPECT_EQ(KIND_CLOSED_SHAPE, polygon->GetObjectKind());
  EXPECT_EQ(1, polygon->IsPolygon());

  CTranspFreehand loaded(nullptr, 0);
  LoadFrom(loaded, Stored(*polygon));
  EXPECT_EQ(KIND_OPEN_LINE, loaded.GetObjectKind());
  EXPECT_EQ(0, loaded.IsPolygon());
  EXPECT_TRUE(SamePoints(triangle, loaded.GetPoints()));

  HGLOBAL data = polygon->GetObData();
  CTranspFreehand pasted(nullptr, data, 0, 0, 0);
  GlobalFree(data);
  EXPECT_EQ(0, pasted.IsPolygon());
  EXPECT_TRUE(SamePoints(triangle, pasted.GetPoints()));
}

TEST_F(TranspFreehand, MovingLeavesTheSeparatorsInPlace) {
  std::unique_ptr<CTranspFreehand> freehand(NewFreehand(nullptr, kTwoStrokes, Pen(0, 0, PS_SOLID)));
  freehand->MoveBy(-500, 700);
  EXPECT_TRUE(SamePoints(Shifted(kTwoStrokes, -500, 700), freehand->GetPoints()));
  const RECT box = {99500, 200700, 179501, 300701};
  EXPECT_TRUE(EqualRect(&box, &freehand->GetRect()));
}

// The snapshot keeps the box: undo puts the strokes back where they were, in the shape they have.
TEST_F(TranspFreehand, UndoSnapshotRestoresThePosition) {
  std::unique_ptr<CTranspFreehand> freehand(NewFreehand(nullptr, kTwoStrokes, Pen(0x00FF00, 300, PS_DOT)));
  freehand->SetName(L"Signature");
  const CUndoState before = freehand->GetUndoState();
  freehand->MoveBy(1000, -2000);
  freehand->SetName(L"Other");
  freehand->SetFrozen(1);
  _OBJECT_STYLE red = Pen(0x0000FF, 1, PS_SOLID);
  freehand->SetObjectStyle(nullptr, &red, nullptr, 0);
  freehand->SetUndoState(before);
  EXPECT_TRUE(SamePoints(kTwoStrokes, freehand->GetPoints()));
  EXPECT_TRUE(EqualRect(&before.m_rect, &freehand->GetRect()));
  EXPECT_EQ(L"Signature", std::wstring(freehand->GetName()));
  EXPECT_EQ(0, freehand->IsFrozen());
  _OBJECT_STYLE style;
  freehand->GetObjectStyle(&style);
  EXPECT_EQ(0x00FF00u, style.color);
}

// A tool's new object takes the style block whole and is printable.
TEST_F(TranspFreehand, NewFromAToolIsPrintable) {
  _OBJECT_STYLE style = Pen(0xABCDEF, 42, PS_DASH);
  style.reserved168[3] = 7;
  std::unique_ptr<CTranspFreehand> freehand(NewFreehand(nullptr, kTwoStrokes, style));
  _OBJECT_STYLE taken;
  freehand->GetObjectStyle(&taken);
  EXPECT_EQ(1, taken.printable);
  EXPECT_EQ(7, taken.reserved168[3]);
  EXPECT_EQ(6, freehand->GetCount());
}

// ---- PDF ----

std::string PdfOf(const std::vector<CTranspFreehand*>& objects) {
  testing_support::TempFolder folder;
  const std::wstring path = folder.File(L"freehand.pdf");
  IPdfDocument* raw = nullptr;
  EXPECT_EQ(S_OK, CreatePdfDocument(&raw));
  IPdfDocumentPtr pdf(raw, false);
  pdf->SetFileName(path.c_str());
  pdf->SetCompression(0);
  pdf->SetTopDown(1);
  pdf->SetResolution(72);
  pdf->BeginDocument();
  pdf->NewPage();
  for (CTranspFreehand* object : objects) object->DrawOnPDFPage(nullptr, pdf, 0);
  pdf->EndDocument();
  pdf = nullptr;
  return testing_support::ReadFileBytes(path);
}

// Two strokes are two subpaths: the second begins with a move, never a line from the first.
// 100000 units are one inch, 72 points.
TEST_F(TranspFreehand, PdfStrokesEachStrokeOnItsOwn) {
  std::unique_ptr<CTranspFreehand> freehand(NewFreehand(nullptr, kTwoStrokes, Pen(0x0000FF, 2778, PS_DASH)));
  std::unique_ptr<CTranspFreehand> single(NewFreehand(nullptr, {{300000, 300000}}, Pen(0, 0, PS_SOLID)));
  const std::string bytes = PdfOf({freehand.get(), single.get()});
  EXPECT_NE(std::string::npos, bytes.find("[6 2] 0 d")) << bytes;
  EXPECT_NE(std::string::npos, bytes.find("72 144 m\n108 180 l\n")) << bytes;
  EXPECT_NE(std::string::npos, bytes.find("86 216 m\n130 216 l\n")) << bytes;
  EXPECT_EQ(std::string::npos, bytes.find("86 216 l")) << "the strokes were joined";
  EXPECT_EQ(std::string::npos, bytes.find("216 216 m")) << "a single point made a path";
}

// ---- Under a view window ----

// The view: 100 dpi, 0.0001 inch per unit and zoom 2, so one client pixel is 50 units.
CWnd g_view;
CViewGeometry& g_geometry = ObjectViewGeometry();
int g_mode = 0;
int g_modified = 0;

int ProgramMode(CWnd*) { return g_mode; }
void MarkModified(CWnd*) { ++g_modified; }
const TRANSP_VIEW_LINK kLink = {ProgramMode, MarkModified};

// In client and view pixels: a stroke from (20, 40) to (100, 40), a separator, a stroke from
// (20, 80) to (100, 80) and on to (100, 100). Box (1000, 2000)-(5001, 5001); bounds (17, 37)-(103, 103).
const std::vector<POINT> kViewStrokes = {{1000, 2000}, {5000, 2000}, kSep, {1000, 4000}, {5000, 4000}, {5000, 5000}};

class FreehandInView : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OpenObjectView(g_view, &kLink));
    g_mode = 0;
    g_modified = 0;
  }
  void TearDown() override {
    CloseObjectView(g_view);
  }
  std::unique_ptr<CTranspFreehand> Make(int lineWidth = 0) {
    return std::unique_ptr<CTranspFreehand>(NewFreehand(&g_view, kViewStrokes, Pen(0x0000FF, lineWidth, PS_SOLID)));
  }
};

const uint32_t kRed = 0xFF0000, kWhite = 0xFFFFFF, kInverted = 0x7F7F7F;  // as DIB pixels

// Two strokes drawn as two polylines: their pixels are red, the line that would join the end of
// the first to the start of the second is not drawn.
TEST_F(FreehandInView, StrokesDrawApartOnTheScreen) {
  auto freehand = Make();
  Canvas canvas;
  freehand->Draw(canvas.dc(), 0, nullptr);
  EXPECT_EQ(kRed, canvas.At(60, 40));
  EXPECT_EQ(kRed, canvas.At(60, 80));
  EXPECT_EQ(kRed, canvas.At(100, 90));
  EXPECT_EQ(kWhite, canvas.At(60, 60));  // on the joining line from (100, 40) to (20, 80)
  EXPECT_EQ(kWhite, canvas.At(80, 50));
  // Every red pixel lies on one of the three segments (within the pen's square cap).
  const int onStrokes = canvas.CountIn(RECT{19, 39, 102, 42}, kRed) + canvas.CountIn(RECT{19, 79, 99, 82}, kRed) +
                        canvas.CountIn(RECT{99, 79, 102, 102}, kRed);
  EXPECT_LT(0, onStrokes);
  EXPECT_EQ(canvas.Count(kRed), onStrokes);
}

TEST_F(FreehandInView, OnePointOrADeletedObjectDrawsNothing) {
  std::unique_ptr<CTranspFreehand> single(NewFreehand(&g_view, {{3000, 3000}}, Pen(0x0000FF, 400, PS_SOLID)));
  Canvas canvas;
  single->Draw(canvas.dc(), 0, nullptr);
  POINT dpi = {300, 300};
  single->Draw(canvas.dc(), 1, &dpi);
  auto deleted = Make(100);
  deleted->SetDeleted(1);
  deleted->Draw(canvas.dc(), 0, nullptr);
  EXPECT_EQ(0, canvas.Count(kRed));
}

// In print each coordinate is inches times the resolution: at 50 dpi 1000 units (0.1 inch) are 5
// dots; no frames are drawn.
TEST_F(FreehandInView, PrintedAtTheDeviceResolution) {
  auto freehand = Make();
  freehand->SetSelected(1);
  Canvas canvas;
  POINT dpi = {50, 50};
  freehand->Draw(canvas.dc(), 1, &dpi);
  EXPECT_EQ(kRed, canvas.At(15, 10));
  EXPECT_EQ(kRed, canvas.At(15, 20));
  EXPECT_EQ(kWhite, canvas.At(15, 15));
  EXPECT_EQ(0, canvas.Count(kInverted));
}

// Selected: select squares at the corners and midpoints of the box; focused: focus circles at its
// corners; frozen: grey X marks at its corners.
TEST_F(FreehandInView, StateFrames) {
  auto freehand = Make();  // box (20, 40)-(100, 100) in view pixels (the +1 unit rounds away)
  freehand->SetSelected(1);
  Canvas selected;
  freehand->Draw(selected.dc(), 0, nullptr);
  EXPECT_EQ(kInverted, selected.At(17, 37));
  EXPECT_EQ(kInverted, selected.At(57, 37));
  freehand->SetSelected(0);
  freehand->SetFocused(1);
  Canvas focused;
  freehand->Draw(focused.dc(), 0, nullptr);
  const uint32_t focusEdge = 0x0000FF, grey = 0x808080;
  for (POINT corner : {POINT{20, 40}, POINT{100, 40}, POINT{100, 100}, POINT{20, 100}})
    EXPECT_LT(8, focused.CountIn(RECT{corner.x - 4, corner.y - 4, corner.x + 4, corner.y + 4}, focusEdge)) << corner.x;
  EXPECT_EQ(0, focused.CountIn(RECT{56, 36, 64, 44}, focusEdge));  // no midpoint handles
  freehand->SetFocused(0);
  freehand->SetFrozen(1);
  Canvas frozen;
  freehand->Draw(frozen.dc(), 0, nullptr);
  EXPECT_EQ(grey, frozen.At(20, 40));
  EXPECT_EQ(grey, frozen.At(18, 42));
}

// The hit test is the bounds: a point between the strokes hits, one outside the bounds does not.
TEST_F(FreehandInView, HitTestIsTheBounds) {
  auto freehand = Make();
  const struct {
    POINT p;
    int hit;
  } cases[] = {{{60, 60}, 1}, {{17, 37}, 1}, {{102, 102}, 1}, {{16, 60}, 0}, {{60, 103}, 0}, {{200, 200}, 0}};
  for (const auto& c : cases) {
    POINT p = c.p;
    EXPECT_EQ(c.hit, freehand->PtInBox(&p, 0)) << p.x << "," << p.y;
  }
}

// The repaint rectangle reaches one pixel past the graphic base's: the bounds and 4, then 1.
TEST_F(FreehandInView, RepaintRectangle) {
  auto freehand = Make();
  RECT r;
  freehand->GetRepaintRect(&r);
  const RECT expected = {12, 32, 108, 108};
  EXPECT_TRUE(EqualRect(&expected, &r)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}

// Pressing on a corner or a middle handle of a selected freehand object moves it, never sizes it:
// its shape is kept and the cursor is the move cursor.
TEST_F(FreehandInView, HandlesMoveInsteadOfSizing) {
  for (POINT p : {POINT{18, 38}, POINT{101, 70}, POINT{60, 60}}) {
    auto freehand = Make();
    freehand->SetSelected(1);
    EXPECT_EQ(CAPTURE_BODY, freehand->GetCapture(p));
    g_modified = 0;
    EXPECT_EQ(1, freehand->OnLButtonDown(MK_LBUTTON, p.x, p.y));
    EXPECT_EQ(1, freehand->OnMouseMove(MK_LBUTTON, p.x + 10, p.y + 4));
    freehand->OnLButtonUp(0, p.x + 10, p.y + 4);
    EXPECT_TRUE(SamePoints(Shifted(kViewStrokes, 500, 200), freehand->GetPoints())) << p.x << "," << p.y;
    EXPECT_EQ(1, g_modified);
  }
  auto freehand = Make();
  SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  EXPECT_EQ(1, freehand->OnMouseMove(0, 18, 38));
  EXPECT_EQ(GetMoveCursor(), GetCursor());
}

// Dragged out of the client area in design mode, the object goes back where it was, points and
// box, and the saved copy is let go.
TEST_F(FreehandInView, DraggingOutPutsThePointsBack) {
  auto freehand = Make();
  freehand->OnLButtonDown(MK_LBUTTON, 60, 60);
  freehand->OnMouseMove(MK_LBUTTON, 80, 70);
  EXPECT_EQ(2000, freehand->GetPoints()[0].x);
  EXPECT_EQ(0, freehand->OnMouseMove(MK_LBUTTON, -20, 60));
  EXPECT_TRUE(SamePoints(kViewStrokes, freehand->GetPoints()));
  const RECT box = {1000, 2000, 5001, 5001};
  EXPECT_TRUE(EqualRect(&box, &freehand->GetRect()));
  // A second restore has nothing saved and changes nothing.
  freehand->MoveBy(100, 100);
  freehand->RestorePosition();
  EXPECT_EQ(1100, freehand->GetPoints()[0].x);
}

}  // namespace

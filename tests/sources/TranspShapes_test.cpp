// The four outline shapes without a window: records and object data against fixtures written from
// the file layout, hit-test rules, the circle's resize, undo snapshots, PDF output and data exchange.
#include "TranspShapes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include <pdfwriter/PdfComponent.h>

#include "ArchiveFixtures.h"
#include "ObjectFixtures.h"
#include "ErrorLog.h"
#include "MyProcs.h"
#include "TestSupport.h"

namespace {

using fixtures::Load;
using fixtures::ReadHexFixture;
using fixtures::Store;
using fixtures::ToHex;
using fixtures::Fixture;
using fixtures::GlobalBytes;
using fixtures::LoadFrom;
using fixtures::Stored;
using fixtures::ToGlobal;

_OBJECT_STYLE ShapeStyle(COLORREF color, int lineWidth, int penStyle) {
  _OBJECT_STYLE style = {};
  style.color = color;
  style.lineWidth = lineWidth;
  style.penStyle = penStyle;
  style.printable = 1;
  return style;
}

class TranspShapes : public testing::Test {
 protected:
  void SetUp() override { CTranspBaseClass::SetInchesPerUnit(0.00001); }
  void TearDown() override { CTranspBaseClass::SetInchesPerUnit(0.00001); }
};

// ---- Records ----

struct RecordCase {
  const wchar_t* fixture;
  std::unique_ptr<CTranspBaseClass> (*make)();
};

template <typename T>
std::unique_ptr<CTranspBaseClass> MakeEmpty() {
  return std::unique_ptr<CTranspBaseClass>(new T(nullptr, 0));
}

TEST_F(TranspShapes, CurrentRecordsRoundTripByteForByte) {
  const RecordCase cases[] = {{L"rectangle_record_v2.hex", MakeEmpty<CTranspRectangle>},
                              {L"ellipse_record_v3.hex", MakeEmpty<CTranspEllipse>},
                              {L"circle_record_v3.hex", MakeEmpty<CTranspCircle>},
                              {L"line_record_v2.hex", MakeEmpty<CTranspLine>}};
  for (const RecordCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "fixture " << static_cast<const void*>(c.fixture));
    const std::string record = Fixture(c.fixture);
    std::unique_ptr<CTranspBaseClass> shape = c.make();
    CTranspBaseClass::SetInchesPerUnit(0.5);
    LoadFrom(*shape, record);
    EXPECT_EQ(0.00001, CTranspBaseClass::GetInchesPerUnit());
    EXPECT_EQ(1, shape->IsPrintable());
    EXPECT_EQ(ToHex(record), ToHex(Stored(*shape)));
  }
}

TEST_F(TranspShapes, RecordFieldsLandInTheirPlaces) {
  CTranspRectangle rectangle(nullptr, 0);
  LoadFrom(rectangle, Fixture(L"rectangle_record_v2.hex"));
  const RECT box = {100000, 200000, 300000, 250000};
  EXPECT_TRUE(EqualRect(&box, &rectangle.GetRect()));
  _OBJECT_STYLE style;
  rectangle.GetObjectStyle(&style);
  EXPECT_EQ(0x0000FFu, style.color);
  EXPECT_EQ(2000, style.lineWidth);
  EXPECT_EQ(PS_DASH, style.penStyle);
  EXPECT_EQ(1, rectangle.GetPageIndex());

  CTranspCircle circle(nullptr, 0);
  LoadFrom(circle, Fixture(L"circle_record_v3.hex"));
  EXPECT_EQ(150000, circle.GetCentreX());
  EXPECT_EQ(120000, circle.GetCentreY());
  EXPECT_EQ(50000, circle.GetRadius());
  const RECT square = {100000, 70000, 200000, 170000};
  EXPECT_TRUE(EqualRect(&square, &circle.GetRect()));
  EXPECT_EQ(2, circle.GetPageIndex());

  // The line keeps its drawing order; its box is the normalized one.
  CTranspLine line(nullptr, 0);
  LoadFrom(line, Fixture(L"line_record_v2.hex"));
  EXPECT_EQ(300000, line.GetStart().x);
  EXPECT_EQ(100000, line.GetEnd().x);
  const RECT lineBox = {100000, 100000, 300000, 250000};
  EXPECT_TRUE(EqualRect(&lineBox, &line.GetRect()));
  EXPECT_EQ(KIND_OPEN_LINE, line.GetObjectKind());
  EXPECT_EQ(KIND_CLOSED_SHAPE, circle.GetObjectKind());
}

// One record per older version branch: the printable flag is not taken from them, colour
// 0xFFFFFFFF reads as black and the pen style is its stored byte alone.
TEST_F(TranspShapes, OlderRecordsLoadWithoutThePrintableFlag) {
  const RecordCase cases[] = {{L"rectangle_record_v1.hex", MakeEmpty<CTranspRectangle>},
                              {L"ellipse_record_v2.hex", MakeEmpty<CTranspEllipse>},
                              {L"circle_record_v2.hex", MakeEmpty<CTranspCircle>},
                              {L"line_record_v1.hex", MakeEmpty<CTranspLine>}};
  for (const RecordCase& c : cases) {
    std::unique_ptr<CTranspBaseClass> shape = c.make();
    LoadFrom(*shape, Fixture(c.fixture));
    EXPECT_EQ(0, shape->IsPrintable());
    _OBJECT_STYLE style;
    shape->GetObjectStyle(&style);
    EXPECT_EQ(0u, style.color);
  }
  CTranspRectangle rectangle(nullptr, 0);
  LoadFrom(rectangle, Fixture(L"rectangle_record_v1.hex"));
  _OBJECT_STYLE style;
  rectangle.GetObjectStyle(&style);
  EXPECT_EQ(PS_DOT, style.penStyle);
  EXPECT_EQ(0.5, CTranspBaseClass::GetInchesPerUnit());
  // Saved again, it is a current record: version 2, the flag now written (0).
  const std::string stored = Stored(rectangle);
  uint32_t version = 0;
  memcpy(&version, stored.data() + 12, 4);
  EXPECT_EQ(2u, version);
  EXPECT_EQ(0, stored[44 + 8 + 1]);  // the bytes beside the pen byte are written as zero
}

// ---- Object data ----

TEST_F(TranspShapes, ObjectDataMatchesTheLayout) {
  const _OBJECT_STYLE red = ShapeStyle(0x0000FF, 2000, PS_DASH);
  CTranspRectangle rectangle(nullptr, RECT{100000, 200000, 300000, 250000}, &red, 0);
  CTranspEllipse ellipse(nullptr, RECT{100000, 200000, 300000, 250000}, &red, 0);
  const _OBJECT_STYLE lineStyle = ShapeStyle(0x123456, 5000, PS_DASHDOTDOT);
  CTranspLine line(nullptr, 300000, 100000, 100000, 250000, &lineStyle, 0);
  const _OBJECT_STYLE circleStyle = ShapeStyle(0xFF0000, 1000, PS_DASHDOT);
  CTranspCircle circle(nullptr, 150000, 120000, 50000, &circleStyle, 0);
  const struct {
    CTranspBaseClass* shape;
    const wchar_t* fixture;
  } cases[] = {{&rectangle, L"rectangle_obdata.hex"},
               {&ellipse, L"ellipse_obdata.hex"},
               {&line, L"line_obdata.hex"},
               {&circle, L"circle_obdata.hex"}};
  for (const auto& c : cases) {
    HGLOBAL data = c.shape->GetObData();
    ASSERT_NE(nullptr, data);
    EXPECT_EQ(ToHex(Fixture(c.fixture)), ToHex(GlobalBytes(data)));
    GlobalFree(data);
  }
}

// A pasted rectangle, ellipse or line has the top-left corner of its box at the paste point (the
// line keeps its direction); a pasted circle is centred on it. The printable flag stays 0.
TEST_F(TranspShapes, PasteFromDataPlacesTheShape) {
  CTranspBaseClass::SetInchesPerUnit(0.25);
  HGLOBAL rectData = ToGlobal(Fixture(L"rectangle_obdata.hex"));
  CTranspRectangle rectangle(nullptr, rectData, 7000, 9000, 3);
  EXPECT_EQ(0.00001, CTranspBaseClass::GetInchesPerUnit());
  const RECT placed = {7000, 9000, 207000, 59000};
  EXPECT_TRUE(EqualRect(&placed, &rectangle.GetRect()));
  EXPECT_EQ(3, rectangle.GetPageIndex());
  EXPECT_EQ(0, rectangle.IsPrintable());
  _OBJECT_STYLE style;
  rectangle.GetObjectStyle(&style);
  EXPECT_EQ(0x0000FFu, style.color);
  EXPECT_EQ(2000, style.lineWidth);
  EXPECT_EQ(PS_DASH, style.penStyle);
  GlobalFree(rectData);

  HGLOBAL lineData = ToGlobal(Fixture(L"line_obdata.hex"));
  CTranspLine line(nullptr, lineData, 1000, 2000, 0);
  EXPECT_EQ(201000, line.GetStart().x);
  EXPECT_EQ(2000, line.GetStart().y);
  EXPECT_EQ(1000, line.GetEnd().x);
  EXPECT_EQ(152000, line.GetEnd().y);
  GlobalFree(lineData);

  HGLOBAL circleData = ToGlobal(Fixture(L"circle_obdata.hex"));
  CTranspCircle circle(nullptr, circleData, 60000, 70000, 0);
  EXPECT_EQ(60000, circle.GetCentreX());
  EXPECT_EQ(70000, circle.GetCentreY());
  EXPECT_EQ(50000, circle.GetRadius());
  GlobalFree(circleData);
}

// Data that is broken, of another kind, shorter than the shape's data or reaching farther than any
// object builds an empty shape that says its data was refused. A box past the bounds once came out
// of the paste with overflowed corners, elsewhere each time it was copied again.
TEST_F(TranspShapes, UnsuitableDataBuildsNothing) {
  const std::string good = Fixture(L"rectangle_obdata.hex");
  std::string shortData = good.substr(0, 40);
  shortData[0] = 40;
  std::string oversized = good;
  oversized[0] = 120;  // states more than the block holds
  auto withCorner = [&good](size_t at, int32_t value) {
    std::string bytes = good;
    memcpy(&bytes[at], &value, 4);
    return bytes;
  };
  const size_t kLeft = 24, kRight = 32;
  const struct {
    const char* name;
    std::string bytes;
    BOOL refused;
  } cases[] = {
      {"short", shortData, TRUE},
      {"a circle's data", Fixture(L"circle_obdata.hex"), TRUE},
      {"states more than it holds", oversized, TRUE},
      {"corner past the coordinates", withCorner(kLeft, -MAX_OBJECT_COORDINATE - 1), TRUE},
      {"wider than any object", withCorner(kRight, 100000 + MAX_OBJECT_EXTENT + 1), TRUE},
      {"as wide as an object may be", withCorner(kRight, 100000 + MAX_OBJECT_EXTENT), FALSE},
  };
  for (const auto& c : cases) {
    HGLOBAL data = ToGlobal(c.bytes);
    CTranspRectangle rectangle(nullptr, data, 5, 5, 0);
    EXPECT_EQ(c.refused, rectangle.WasDataRefused()) << c.name;
    const RECT empty = {0, 0, 0, 0};
    EXPECT_EQ(c.refused, EqualRect(&empty, &rectangle.GetRect())) << c.name;
    GlobalFree(data);
  }
  HGLOBAL rectData = ToGlobal(good);
  CTranspCircle circle(nullptr, rectData, 5, 5, 0);
  EXPECT_EQ(0, circle.GetRadius());
  EXPECT_TRUE(circle.WasDataRefused());
  GlobalFree(rectData);
  std::string hugeCircle = Fixture(L"circle_obdata.hex");
  const int32_t radius = MAX_OBJECT_EXTENT / 2 + 1;
  memcpy(&hugeCircle[24], &radius, 4);
  HGLOBAL circleData = ToGlobal(hugeCircle);
  CTranspCircle tooLarge(nullptr, circleData, 5, 5, 0);
  EXPECT_TRUE(tooLarge.WasDataRefused());
  GlobalFree(circleData);
}

// ---- Hit-test rules (client pixels) ----

TEST(ShapeHitRules, OnlyTheOutlineBandHits) {
  const RECT box = {100, 100, 200, 160};
  const struct {
    POINT p;
    BOOL rect, ellipse;
  } cases[] = {
      {{150, 130}, FALSE, FALSE},  // the middle
      {{150, 98}, TRUE, TRUE},     // top edge, 2 outside
      {{150, 103}, FALSE, FALSE},  // 3 inside the top edge: the band ends before it
      {{150, 102}, TRUE, TRUE},
      {{96, 130}, FALSE, FALSE},   // 4 left of the box
      {{97, 130}, TRUE, TRUE},
      {{101, 101}, TRUE, FALSE},   // the corner: on the rectangle, outside the ellipse
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.rect, PointOnRectOutline(box, c.p)) << c.p.x << "," << c.p.y;
    EXPECT_EQ(c.ellipse, PointOnEllipseOutline(box, c.p)) << c.p.x << "," << c.p.y;
  }
}

// An ellipse smaller than the band has no inner ellipse: all of it is outline, and an ellipse
// without extent divides by nothing.
TEST(ShapeHitRules, TinyEllipsesAreAllOutline) {
  EXPECT_TRUE(PointOnEllipseOutline(RECT{100, 100, 104, 104}, POINT{102, 102}));
  EXPECT_TRUE(PointOnEllipseOutline(RECT{100, 100, 106, 106}, POINT{103, 103}));
  EXPECT_TRUE(PointOnEllipseOutline(RECT{100, 100, 100, 100}, POINT{100, 100}));
  EXPECT_FALSE(PointInEllipse(RECT{100, 100, 100, 140}, POINT{100, 120}));
}

TEST(ShapeHitRules, LineSegmentTest) {
  const struct {
    POINT a, b, p;
    BOOL hit;
  } cases[] = {
      {{10, 10}, {10, 100}, {12, 50}, TRUE},     // vertical: |x - x1| < 3
      {{10, 10}, {10, 100}, {13, 50}, FALSE},
      {{10, 10}, {100, 10}, {50, 8}, TRUE},      // horizontal
      {{10, 10}, {100, 10}, {50, 7}, FALSE},
      {{10, 10}, {100, 100}, {55, 55}, TRUE},    // long diagonal: q < 0.1
      {{10, 10}, {100, 100}, {60, 50}, FALSE},   // q = 0.11
      {{10, 10}, {20, 100}, {13, 40}, TRUE},     // short in x: q < 3
      {{10, 10}, {100, 100}, {104, 104}, FALSE}, // past the inflated box
  };
  for (const auto& c : cases) EXPECT_EQ(c.hit, PointOnSegment(c.a, c.b, c.p)) << c.p.x << "," << c.p.y;
  EXPECT_TRUE(PointAtEnd(POINT{10, 10}, POINT{13, 7}));
  EXPECT_FALSE(PointAtEnd(POINT{10, 10}, POINT{14, 10}));
}

// ---- Geometry rules that need no view ----

// Dragging the left handle past the centre leaves the radius at the absolute value reached; the
// rest of that drag changes nothing.
TEST_F(TranspShapes, CircleLeftHandlePastTheCentre) {
  struct Circle : CTranspCircle {
    using CTranspCircle::CTranspCircle;
    void Grab(int capture) { m_capture = capture; }
  } circle(nullptr, 1000, 1000, 100, nullptr, 0);
  circle.Grab(CAPTURE_MID_LEFT);
  circle.Resize(50, 0);
  EXPECT_EQ(50, circle.GetRadius());
  circle.Resize(130, 0);
  EXPECT_EQ(80, circle.GetRadius());
  EXPECT_EQ(CAPTURE_RIGHT_BAND, circle.GetCaptureCode());
  circle.Resize(500, 300);
  EXPECT_EQ(80, circle.GetRadius());
  EXPECT_EQ(1000, circle.GetCentreX());
  const RECT box = {920, 920, 1080, 1080};
  EXPECT_TRUE(EqualRect(&box, &circle.GetRect()));
}

TEST_F(TranspShapes, UndoSnapshotsCarryTheShapesGeometry) {
  const _OBJECT_STYLE style = ShapeStyle(0x00FF00, 300, PS_DOT);
  CTranspCircle circle(nullptr, 500, 600, 70, &style, 0);
  circle.SetName(L"Ring");
  circle.SetFrozen(1);
  const CUndoState before = circle.GetUndoState();
  circle.MoveBy(10, 20);
  circle.SetName(L"Other");
  circle.SetFrozen(0);
  circle.SetUndoState(before);
  EXPECT_EQ(500, circle.GetCentreX());
  EXPECT_EQ(600, circle.GetCentreY());
  EXPECT_EQ(70, circle.GetRadius());
  EXPECT_EQ(L"Ring", std::wstring(circle.GetName()));
  EXPECT_EQ(1, circle.IsFrozen());
  const RECT box = {430, 530, 570, 670};
  EXPECT_TRUE(EqualRect(&box, &circle.GetRect()));

  CTranspLine line(nullptr, 300, 100, 100, 250, &style, 0);
  const CUndoState lineBefore = line.GetUndoState();
  line.MoveBy(-5, 5);
  line.SetUndoState(lineBefore);
  EXPECT_EQ(300, line.GetStart().x);
  EXPECT_EQ(250, line.GetEnd().y);

  CTranspRectangle rectangle(nullptr, RECT{1, 2, 3, 4}, &style, 0);
  const CUndoState rectBefore = rectangle.GetUndoState();
  rectangle.MoveBy(100, 100);
  rectangle.SetUndoState(rectBefore);
  EXPECT_EQ(1, rectangle.GetRect().left);
  _OBJECT_STYLE back;
  rectangle.GetObjectStyle(&back);
  EXPECT_EQ(0x00FF00u, back.color);
}

// A tool's new shape takes the style block whole but is not printable.
TEST_F(TranspShapes, NewShapesFromATool) {
  _OBJECT_STYLE style = ShapeStyle(0xABCDEF, 42, PS_DASH);
  style.reserved168[5] = 9;
  CTranspEllipse ellipse(nullptr, RECT{0, 0, 10, 10}, &style, 0);
  _OBJECT_STYLE taken;
  ellipse.GetObjectStyle(&taken);
  EXPECT_EQ(0, taken.printable);
  EXPECT_EQ(9, taken.reserved168[5]);
  EXPECT_EQ(42, taken.lineWidth);
  // The graphic base starts with no colour, width or pen style.
  CTranspRectangle empty(nullptr, 0);
  empty.GetObjectStyle(&taken);
  EXPECT_EQ(0, taken.lineWidth);
  EXPECT_EQ(L"Untitled", std::wstring(empty.GetName()));
}

// ---- Data exchange ----

struct VizRecorder : CVizConverter {
  void AddObjectItem(double l, double t, double w, double h, int color, int penStyle, double lineWidth, double,
                     LPCWSTR name, bool printable) override {
    items.push_back({l, t, w, h, lineWidth});
    this->color = color;
    this->penStyle = penStyle;
    this->name = name;
    this->printable = printable;
  }
  void AddLineVector(double dx, double dy) override { vector = {dx, dy}; }
  std::vector<std::vector<double>> items;
  std::vector<double> vector;
  int color = 0, penStyle = 0;
  std::wstring name;
  bool printable = false;
};

TEST_F(TranspShapes, LinePassesItsFirstPointAndItsVector) {
  const _OBJECT_STYLE style = ShapeStyle(0x123456, 1000, PS_DOT);
  CTranspLine line(nullptr, 3000, 1000, 1000, 2500, &style, 0);
  line.SetName(L"Rule");
  VizRecorder viz;
  line.StoringVIZ(&viz);
  ASSERT_EQ(1u, viz.items.size());
  const double s = 0.000958;
  EXPECT_DOUBLE_EQ(3000 * s, viz.items[0][0]);
  EXPECT_DOUBLE_EQ(1000 * s, viz.items[0][1]);
  EXPECT_DOUBLE_EQ(2000 * s, viz.items[0][2]);
  EXPECT_DOUBLE_EQ(1500 * s, viz.items[0][3]);
  EXPECT_DOUBLE_EQ(1000 * s, viz.items[0][4]);
  ASSERT_EQ(2u, viz.vector.size());
  EXPECT_DOUBLE_EQ(-2000 * s, viz.vector[0]);
  EXPECT_DOUBLE_EQ(1500 * s, viz.vector[1]);
  EXPECT_EQ(PS_DOT + 1, viz.penStyle);
  EXPECT_EQ(L"Rule", viz.name);

  VizRecorder rectViz;
  CTranspRectangle rectangle(nullptr, RECT{3000, 1000, 5000, 2500}, &style, 0);
  rectangle.StoringVIZ(&rectViz);
  ASSERT_EQ(1u, rectViz.items.size());
  EXPECT_DOUBLE_EQ(3000 * s, rectViz.items[0][0]);
  EXPECT_TRUE(rectViz.vector.empty());
}

// ---- PDF ----

IPdfDocumentPtr NewPdf(const std::wstring& path) {
  IPdfDocument* raw = nullptr;
  EXPECT_EQ(S_OK, CreatePdfDocument(&raw));
  IPdfDocumentPtr pdf(raw, false);
  pdf->SetFileName(path.c_str());
  pdf->SetCompression(0);
  pdf->SetTopDown(1);
  pdf->SetResolution(72);
  return pdf;
}

// The page's content: every shape strokes its path in its colour, width and dash pattern.
TEST_F(TranspShapes, PdfOutputStrokesTheOutline) {
  testing_support::TempFolder folder;
  const std::wstring path = folder.File(L"shapes.pdf");
  IPdfDocumentPtr pdf = NewPdf(path);
  pdf->BeginDocument();
  pdf->NewPage();
  // 2778 units are 0.02778 inch: 2.0 points, a dash of 6 and 2.
  const _OBJECT_STYLE dashed = ShapeStyle(0x0000FF, 2778, PS_DASH);
  CTranspRectangle rectangle(nullptr, RECT{100000, 200000, 300000, 250000}, &dashed, 0);
  rectangle.DrawOnPDFPage(nullptr, pdf, 0);
  // A width of 0 still dashes with 1.
  const _OBJECT_STYLE thin = ShapeStyle(0x00FF00, 0, PS_DASHDOT);
  CTranspLine line(nullptr, 100000, 100000, 200000, 100000, &thin, 0);
  line.DrawOnPDFPage(nullptr, pdf, 0);
  CTranspCircle deleted(nullptr, 100000, 100000, 50000, &thin, 0);
  deleted.SetDeleted(1);
  deleted.DrawOnPDFPage(nullptr, pdf, 0);
  pdf->EndDocument();
  pdf = nullptr;
  const std::string bytes = testing_support::ReadFileBytes(path);
  EXPECT_NE(std::string::npos, bytes.find("[6 2] 0 d")) << bytes;
  EXPECT_NE(std::string::npos, bytes.find("[3 1 1 1] 0 d"));
  EXPECT_NE(std::string::npos, bytes.find("72 144 144 36 re"));
  EXPECT_NE(std::string::npos, bytes.find("72 72 m"));
  EXPECT_NE(std::string::npos, bytes.find("144 72 l"));
  EXPECT_EQ(std::string::npos, bytes.find(" c\n")) << "the deleted circle drew";
}

// A failing call of the PDF creator ends that object's drawing without escaping it.
TEST_F(TranspShapes, PdfFailureIsLoggedAndContained) {
  fixtures::PrivateUserProfile profile;
  ASSERT_TRUE(profile.Ready());
  InitErrorLog();
  testing_support::TempFolder folder;
  IPdfDocumentPtr pdf = NewPdf(folder.File(L"never.pdf"));
  CTranspEllipse ellipse(nullptr, RECT{0, 0, 1000, 1000}, nullptr, 0);
  ellipse.DrawOnPDFPage(nullptr, pdf, 0);  // no document begun: the first drawing call fails
  const std::string bytes = testing_support::ReadFileBytes(static_cast<LPCTSTR>(GetErrorLogPathName()));
  const std::wstring log(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
  EXPECT_NE(std::wstring::npos, log.find(L"CTranspShape::DrawOnPDFPage")) << log;
}

}  // namespace

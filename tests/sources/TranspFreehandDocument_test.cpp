// Freehand objects and polygons in a real document file, registered as the program registers its
// object kinds: saved, loaded and saved again to the same bytes, and carried over by a page copy.
#include "DocumentTestSupport.h"
#include "TranspFreehand.h"

using namespace doctest;

namespace {

class TranspFreehandDocumentTest : public ProgramKindsDocumentTest {};

const POINT kSep = {-9999, -9999};
const std::vector<POINT> kSignature = {{100000, 200000}, {150000, 250000}, kSep,
                                       {120000, 300000}, {180000, 300000}, kSep};
const std::vector<POINT> kTriangle = {{10000, 10000}, {50000, 10000}, {30000, 40000}, {10000, 10000}};

CTranspFreehand* NewFreehand(const std::vector<POINT>& points, COLORREF color) {
  _OBJECT_STYLE style = {};
  style.color = color;
  style.lineWidth = 1500;
  style.penStyle = PS_DASH;
  return new CTranspFreehand(nullptr, points.data(), static_cast<int>(points.size()), &style, 0);
}

bool SamePoints(const std::vector<POINT>& a, const std::vector<POINT>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].x != b[i].x || a[i].y != b[i].y) return false;
  return true;
}

// A signature of two strokes and a polygon: the file reads back as two freehand objects with their
// points, separators included; the polygon comes back open; saving again gives the same bytes.
TEST_F(TranspFreehandDocumentTest, FreehandAndPolygonRoundTripByteForByte) {
  CFolimarDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  CTranspFreehand* signature = NewFreehand(kSignature, 0x0000FF);
  signature->SetName(L"Signature");
  CTranspFreehand* polygon = NewFreehand(kTriangle, 0x00FF00);
  polygon->SetClosed();
  polygon->SetName(L"Triangle");
  doc.AddObjectToList(signature);
  doc.AddObjectToList(polygon);

  const std::string first = Save(doc, L"freehand.qlm");
  CFolimarDoc loaded;
  ASSERT_EQ(kLoaded, LoadFile(loaded, Path(L"freehand.qlm")));
  const std::vector<CTranspBaseClass*> objects = PageObjects(loaded.GetPage(0));
  ASSERT_EQ(2u, objects.size());
  CTranspFreehand* strokes = dynamic_cast<CTranspFreehand*>(objects[0]);
  CTranspFreehand* triangle = dynamic_cast<CTranspFreehand*>(objects[1]);
  ASSERT_NE(nullptr, strokes);
  ASSERT_NE(nullptr, triangle);
  EXPECT_TRUE(SamePoints(kSignature, strokes->GetPoints()));
  EXPECT_TRUE(SamePoints(kTriangle, triangle->GetPoints()));
  EXPECT_EQ(1, strokes->IsPrintable());
  EXPECT_EQ(L"Triangle", std::wstring(triangle->GetName()));
  EXPECT_EQ(0, triangle->IsPolygon());
  EXPECT_EQ(KIND_OPEN_LINE, triangle->GetObjectKind());
  const std::string second = Save(loaded, L"again.qlm");
  EXPECT_EQ(fixtures::ToHex(first), fixtures::ToHex(second));
}

// A freehand record whose count asks for more points than the file holds ends the load: the
// objects after it are not read from the middle of its points.
TEST_F(TranspFreehandDocumentTest, ARecordClaimingTooManyPointsEndsTheLoad) {
  CFolimarDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  doc.AddObjectToList(NewFreehand(kSignature, 0x0000FF));
  std::string bytes = Save(doc, L"good.qlm");
  // S, S again and version 3 open the record's structure; the count is 28 bytes after S.
  const std::string head("\x30\0\0\0\x30\0\0\0\x03\0\0\0", 12);
  const size_t at = bytes.find(head);
  ASSERT_NE(std::string::npos, at);
  int32_t count = 0;
  memcpy(&count, &bytes[at + 28], 4);
  ASSERT_EQ(6, count);
  const int32_t huge = 0x08000000;
  memcpy(&bytes[at + 28], &huge, 4);
  CFolimarDoc damaged;
  EXPECT_NE(kLoaded, LoadBytes(damaged, Path(L"damaged.qlm"), bytes));
}

// A page copy rebuilds the object from its data, which places it at the origin: the copy still
// lies where its source lies, separators untouched.
TEST_F(TranspFreehandDocumentTest, CopiedPagesKeepTheStrokesInPlace) {
  CFolimarDoc source;
  source.AddObjectToList(NewFreehand(kSignature, 0x0000FF));
  CFolimarDoc target;
  CTypedPtrList<CPtrList, CPageInfo*> list;
  list.AddTail(source.GetPage(0));
  ASSERT_TRUE(target.AppendPagesFromPagesList(list));
  const std::vector<CTranspBaseClass*> copies = PageObjects(target.GetPage(1));
  ASSERT_EQ(1u, copies.size());
  CTranspFreehand* copy = dynamic_cast<CTranspFreehand*>(copies[0]);
  ASSERT_NE(nullptr, copy);
  EXPECT_TRUE(SamePoints(kSignature, copy->GetPoints()));
  EXPECT_EQ(1, copy->GetPageIndex());
  EXPECT_EQ(L"Generated", std::wstring(copy->GetName()));
}

}  // namespace

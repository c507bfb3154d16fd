// The shapes in a real document file, registered as the program registers its object kinds: saved,
// loaded and saved again to the same bytes, and carried over by a page copy to the same place.
#include "DocumentTestSupport.h"
#include "TranspLabel.h"
#include "TranspShapes.h"

using namespace doctest;

namespace {

class TranspShapesDocumentTest : public ProgramKindsDocumentTest {};

_OBJECT_STYLE Pen(COLORREF color, int width, int penStyle, int printable) {
  _OBJECT_STYLE style = {};
  style.color = color;
  style.lineWidth = width;
  style.penStyle = penStyle;
  style.printable = printable;
  return style;
}

TEST_F(TranspShapesDocumentTest, EveryShapeRoundTripsByteForByte) {
  CFolimarDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  const _OBJECT_STYLE red = Pen(0x0000FF, 2000, PS_DASH, 0);
  CTranspRectangle* rectangle = new CTranspRectangle(nullptr, RECT{100000, 200000, 300000, 250000}, &red, 0);
  rectangle->SetName(L"Box");
  CTranspEllipse* ellipse = new CTranspEllipse(nullptr, RECT{10000, 20000, 30000, 40000}, &red, 0);
  ellipse->SetName(L"Oval");
  CTranspCircle* circle = new CTranspCircle(nullptr, 150000, 120000, 50000, &red, 0);
  circle->SetName(L"Ring");
  CTranspLine* line = new CTranspLine(nullptr, 300000, 100000, 100000, 250000, &red, 0);
  line->SetName(L"Rule");
  // A printable one: the tools make shapes that are not, a property change makes them so.
  const _OBJECT_STYLE printable = Pen(0x0000FF, 2000, PS_DASH, 1);
  const int printableField = 30;
  line->SetObjectStyle(nullptr, &printable, &printableField, 0);
  _OBJECT_STYLE text;
  SetDefaultTextStyle(&text);
  CTranspLabel* label = new CTranspLabel(nullptr, 300000, 120000, &text, nullptr, L"Caption", 0);
  label->SetName(L"Label1");
  for (CTranspBaseClass* object : std::vector<CTranspBaseClass*>{rectangle, ellipse, circle, line, label})
    doc.AddObjectToList(object);

  const std::string first = Save(doc, L"shapes.qlm");
  CFolimarDoc loaded;
  ASSERT_EQ(kLoaded, LoadFile(loaded, Path(L"shapes.qlm")));
  const std::vector<CTranspBaseClass*> objects = PageObjects(loaded.GetPage(0));
  ASSERT_EQ(5u, objects.size());
  ASSERT_NE(nullptr, dynamic_cast<CTranspRectangle*>(objects[0]));
  // The ellipse is not a circle; the circle is read as a circle, not as its base.
  EXPECT_EQ(nullptr, dynamic_cast<CTranspCircle*>(objects[1]));
  ASSERT_NE(nullptr, dynamic_cast<CTranspEllipse*>(objects[1]));
  CTranspCircle* ring = dynamic_cast<CTranspCircle*>(objects[2]);
  ASSERT_NE(nullptr, ring);
  EXPECT_EQ(50000, ring->GetRadius());
  CTranspLine* rule = dynamic_cast<CTranspLine*>(objects[3]);
  ASSERT_NE(nullptr, rule);
  EXPECT_EQ(1, rule->IsPrintable());
  EXPECT_EQ(300000, rule->GetStart().x);
  EXPECT_EQ(KIND_LABEL, objects[4]->GetObjectKind());
  EXPECT_EQ(L"Oval", std::wstring(objects[1]->GetName()));
  const std::string second = Save(loaded, L"again.qlm");
  EXPECT_EQ(fixtures::ToHex(first), fixtures::ToHex(second));
}

// A page copy rebuilds each shape from its object data; the circle's data has no centre, yet the
// copy lies where its source lies.
TEST_F(TranspShapesDocumentTest, CopiedPagesKeepTheShapesInPlace) {
  CFolimarDoc source;
  const _OBJECT_STYLE pen = Pen(0x00FF00, 500, PS_SOLID, 0);
  source.AddObjectToList(new CTranspCircle(nullptr, 150000, 120000, 50000, &pen, 0));
  source.AddObjectToList(new CTranspLine(nullptr, 300000, 100000, 100000, 250000, &pen, 0));
  source.AddObjectToList(new CTranspRectangle(nullptr, RECT{7000, 8000, 9000, 10000}, &pen, 0));
  CFolimarDoc target;
  CTypedPtrList<CPtrList, CPageInfo*> list;
  list.AddTail(source.GetPage(0));
  ASSERT_TRUE(target.AppendPagesFromPagesList(list));
  const std::vector<CTranspBaseClass*> copies = PageObjects(target.GetPage(1));
  ASSERT_EQ(3u, copies.size());
  CTranspCircle* circle = dynamic_cast<CTranspCircle*>(copies[0]);
  ASSERT_NE(nullptr, circle);
  EXPECT_EQ(150000, circle->GetCentreX());
  EXPECT_EQ(120000, circle->GetCentreY());
  EXPECT_EQ(50000, circle->GetRadius());
  EXPECT_EQ(1, circle->GetPageIndex());
  CTranspLine* line = dynamic_cast<CTranspLine*>(copies[1]);
  ASSERT_NE(nullptr, line);
  EXPECT_EQ(300000, line->GetStart().x);
  EXPECT_EQ(250000, line->GetEnd().y);
  const RECT box = {7000, 8000, 9000, 10000};
  EXPECT_TRUE(EqualRect(&box, &copies[2]->GetRect()));
  EXPECT_EQ(L"Generated", std::wstring(copies[2]->GetName()));
}

}  // namespace

// The document file with real overlay objects: the object classes' own table makes, names and writes
// them; the test shape stands in for the rectangle kind.
#include "DocumentTestSupport.h"
#include "TestShape.h"

using namespace doctest;

namespace {

int g_aliveShapes = 0;
CTranspBaseClass* MakeShape() { return new CTestShape(nullptr, 0, &g_aliveShapes); }
BOOL IsShape(CTranspBaseClass* object) { return dynamic_cast<CTestShape*>(object) != nullptr; }
CTranspBaseClass* ShapeFromData(HGLOBAL data, CFolimarDoc*, int pageIndex) {
  CTranspDataReader reader(data);
  if (!reader.IsValid()) return nullptr;
  TEST_SHAPE_DATA shape = {};
  reader.ReadClassData(&shape, sizeof(shape));
  CTestShape* copy = new CTestShape(nullptr, pageIndex, &g_aliveShapes);
  copy->SetRect(shape.rect.left, shape.rect.top, shape.rect.right, shape.rect.bottom);
  copy->SetColor(shape.color);
  return copy;
}
CString NumberedName(CFolimarDoc*, CTranspBaseClass*) { return L"Shape2"; }

class FolimarDocObjectsTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    SetDocObjectServices(nullptr);  // the object classes' own table
    RegisterTranspRecordKind(RECORD_TAG_RECTANGLE, MakeShape, IsShape, ShapeFromData);
    SetTranspObjectNamer(NumberedName);
  }
  void TearDown() override {
    RegisterTranspRecordKind(RECORD_TAG_RECTANGLE, nullptr, nullptr, nullptr);
    SetTranspObjectNamer(nullptr);
    DocumentTest::TearDown();
  }
};

}  // namespace

TEST_F(FolimarDocObjectsTest, ShapesAreWrittenUnderTheirTagAndReadBack) {
  {
    CFolimarDoc doc;
    CTestShape* shape = new CTestShape(nullptr, 0, &g_aliveShapes);
    shape->SetRect(100, 200, 300, 400);
    shape->SetColor(RGB(1, 2, 3));
    shape->SetName(L"Shape1");
    doc.GetPage(0)->m_objects.AddTail(shape);
    ASSERT_TRUE(doc.OnSaveDocument(Path(L"shape.qlm").c_str()));
  }
  EXPECT_EQ(0, g_aliveShapes);
  const std::string bytes = testing_support::ReadFileBytes(Path(L"shape.qlm"));
  // After the fixed part: tag 3, then the shape's record: L = 40, S = 36, the record head.
  const size_t at = 48 + 8 + 5304 + 6 + 6 + 4 + 96;
  EXPECT_EQ(Int32(3) + Int32(40) + Int32(36) + Int32(36) + Int32(2), bytes.substr(at, 20));

  CFolimarDoc loaded;
  ASSERT_EQ(kLoaded, LoadFile(loaded, Path(L"shape.qlm")));
  ASSERT_EQ(1, loaded.GetPage(0)->m_objects.GetCount());
  CTestShape* shape = dynamic_cast<CTestShape*>(loaded.GetPage(0)->m_objects.GetHead());
  ASSERT_NE(nullptr, shape);
  RECT rect;
  shape->GetAlignRect(&rect);
  EXPECT_EQ(300, rect.right);
  EXPECT_EQ(RGB(1, 2, 3), shape->GetColor());
  EXPECT_EQ(CString(L"Shape1"), shape->GetName());
  ASSERT_TRUE(loaded.OnSaveDocument(Path(L"shape2.qlm").c_str()));
  EXPECT_EQ(fixtures::ToHex(bytes), fixtures::ToHex(testing_support::ReadFileBytes(Path(L"shape2.qlm"))));
}

TEST_F(FolimarDocObjectsTest, DeletedShapesAreNotWrittenAndAKindNothingMakesEndsTheLoad) {
  CFolimarDoc doc;
  CTestShape* gone = new CTestShape(nullptr, 0, &g_aliveShapes);
  gone->SetDeleted(1);
  doc.GetPage(0)->m_objects.AddTail(gone);
  ASSERT_TRUE(doc.OnSaveDocument(Path(L"empty.qlm").c_str()));
  EXPECT_EQ(0, g_aliveShapes);
  EXPECT_TRUE(doc.GetPage(0)->m_objects.IsEmpty());

  // An ellipse record where no ellipse class is registered.
  std::string bytes = Fixture(L"v28_fixed_part.hex") + Int32(4) + Int32(40) + Int32(36) + std::string(36, '\0') + Int32(0);
  CFolimarDoc other;
  EXPECT_EQ(CFolimarDoc::kSilentFailure, LoadBytes(other, Path(L"ellipse.qlm"), bytes));
}

TEST_F(FolimarDocObjectsTest, CopiedPagesBringTheirShapesUnderNewNames) {
  CFolimarDoc source;
  CTestShape* shape = new CTestShape(nullptr, 0, &g_aliveShapes);
  shape->SetRect(1, 2, 30, 40);
  shape->SetName(L"Shape1");
  source.GetPage(0)->m_objects.AddTail(shape);
  CFolimarDoc target;
  CTypedPtrList<CPtrList, CPageInfo*> list;
  list.AddTail(source.GetPage(0));
  ASSERT_TRUE(target.AppendPagesFromPagesList(list));
  ASSERT_EQ(1, target.GetPage(1)->m_objects.GetCount());
  CTestShape* copy = dynamic_cast<CTestShape*>(target.GetPage(1)->m_objects.GetHead());
  ASSERT_NE(nullptr, copy);
  EXPECT_NE(shape, copy);
  EXPECT_EQ(1, copy->GetPageIndex());
  EXPECT_EQ(CString(L"Shape2"), copy->GetName());
  RECT rect;
  copy->GetAlignRect(&rect);
  EXPECT_EQ(40, rect.bottom);
  EXPECT_EQ(2, g_aliveShapes);
}

// Check marks in a real document file, registered as the program registers its object kinds: saved,
// loaded and saved again to the same bytes with their states, kinds and groups, and carried over by
// a page copy to the same place.
#include "DocumentTestSupport.h"
#include "TranspCheckMark.h"

using namespace doctest;

namespace {

class TranspCheckMarkDocumentTest : public ProgramKindsDocumentTest {};

std::vector<CTranspCheckMark*> Marks(CPageInfo* page) {
  std::vector<CTranspCheckMark*> out;
  for (POSITION pos = page->m_objects.GetHeadPosition(); pos != nullptr;)
    out.push_back(dynamic_cast<CTranspCheckMark*>(page->m_objects.GetNext(pos)));
  return out;
}

CTranspCheckMark* NewMark(const RECT& box, int kind, int group, int state, LPCWSTR name) {
  _OBJECT_STYLE style = {};
  style.color = 0x00AA00;
  style.lineWidth = 700;
  style.checkMarkKind = kind;
  CTranspCheckMark* mark = new CTranspCheckMark(nullptr, box.left, box.top, &style, 0);
  mark->SetRect(box);
  style.checkMarkGroup = group;
  const int groupField = 31;
  mark->SetObjectStyle(nullptr, &style, &groupField, 0);
  mark->SetState(state);
  mark->SetName(name);
  return mark;
}

TEST_F(TranspCheckMarkDocumentTest, CheckMarksRoundTripByteForByte) {
  CFolimarDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  doc.AddObjectToList(NewMark(RECT{10000, 20000, 30000, 40000}, 0, 0, 1, L"Agree"));
  doc.AddObjectToList(NewMark(RECT{50000, 20000, 70000, 40000}, 1, 3, 0, L"Red"));
  doc.AddObjectToList(NewMark(RECT{90000, 20000, 110000, 40000}, 1, 3, 1, L"Blue"));
  // Each check mark is a field with its column, as the view places it.
  for (CTranspCheckMark* mark : Marks(doc.GetPage(0))) doc.AddDBField(mark, 0);

  const std::string first = Save(doc, L"marks.qlm");
  CFolimarDoc loaded;
  ASSERT_EQ(kLoaded, LoadFile(loaded, Path(L"marks.qlm")));
  const std::vector<CTranspCheckMark*> marks = Marks(loaded.GetPage(0));
  ASSERT_EQ(3u, marks.size());
  for (CTranspCheckMark* mark : marks) ASSERT_NE(nullptr, mark);
  EXPECT_EQ(L"Agree", std::wstring(marks[0]->GetName()));
  EXPECT_EQ(1, marks[0]->GetState());
  EXPECT_EQ(0, marks[0]->GetKind());
  EXPECT_EQ(0, marks[0]->GetGroup());
  EXPECT_EQ(0, marks[1]->GetState());
  EXPECT_EQ(3, marks[1]->GetGroup());
  EXPECT_EQ(1, marks[2]->GetState());
  EXPECT_EQ(1, marks[2]->GetKind());
  const RECT box = {90000, 20000, 110000, 40000};
  EXPECT_TRUE(EqualRect(&box, &marks[2]->GetRect()));
  EXPECT_EQ(1, marks[2]->IsPrintable());
  const std::string second = Save(loaded, L"again.qlm");
  EXPECT_EQ(fixtures::ToHex(first), fixtures::ToHex(second));
}

// A page copy rebuilds each check mark from its object data at its source's place, state and group.
TEST_F(TranspCheckMarkDocumentTest, CopiedPagesKeepTheCheckMarks) {
  CFolimarDoc source;
  source.AddObjectToList(NewMark(RECT{7000, 8000, 9000, 10000}, 1, 2, 0, L"Left"));
  source.AddObjectToList(NewMark(RECT{17000, 8000, 19000, 10000}, 0, 2, 1, L"Right"));
  CFolimarDoc target;
  CTypedPtrList<CPtrList, CPageInfo*> list;
  list.AddTail(source.GetPage(0));
  ASSERT_TRUE(target.AppendPagesFromPagesList(list));
  const std::vector<CTranspCheckMark*> copies = Marks(target.GetPage(1));
  ASSERT_EQ(2u, copies.size());
  ASSERT_NE(nullptr, copies[0]);
  ASSERT_NE(nullptr, copies[1]);
  const RECT left = {7000, 8000, 9000, 10000}, right = {17000, 8000, 19000, 10000};
  EXPECT_TRUE(EqualRect(&left, &copies[0]->GetRect()));
  EXPECT_TRUE(EqualRect(&right, &copies[1]->GetRect()));
  EXPECT_EQ(0, copies[0]->GetState());
  EXPECT_EQ(1, copies[1]->GetState());
  EXPECT_EQ(2, copies[1]->GetGroup());
  EXPECT_EQ(1, copies[0]->GetKind());
  EXPECT_EQ(1, copies[0]->GetPageIndex());
}

}  // namespace

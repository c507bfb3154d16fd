// Object names handed out by the document, groups of mirrored fields, filling from a name-to-value
// map, and the accessors by page index.
#include "DocumentFieldsSupport.h"
#include "TranspShapes.h"

using namespace doctest;

namespace {

class NamesTest : public FieldsDocumentTest {
 protected:
  void SetUp() override {
    FieldsDocumentTest::SetUp();
    SetTranspObjectNamer(nullptr);  // the document's own rule
  }
};

TEST_F(NamesTest, EachKindCountsItsOwnNames) {
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  CTranspText text(nullptr, 0, 0, &style, nullptr, nullptr, 0);
  CTranspLabel label(nullptr, 0, 0, &style, nullptr, L"x", 0);
  CTranspCheckMark mark(nullptr, 0);
  CTranspRectangle rectangle(nullptr, 0);
  CTranspCircle circle(nullptr, 0);
  EXPECT_EQ(L"Text0", std::wstring(doc_.GetUniqueObjectName(&text, 1)));
  EXPECT_EQ(L"Text1", std::wstring(doc_.GetUniqueObjectName(&text, 1)));
  EXPECT_EQ(L"Text2", std::wstring(doc_.GetUniqueObjectName(&text, 1)));
  EXPECT_EQ(L"FormText0", std::wstring(doc_.GetUniqueObjectName(&label, 1)));
  EXPECT_EQ(L"CheckMark0", std::wstring(doc_.GetUniqueObjectName(&mark, 1)));
  EXPECT_EQ(L"Rectangle0", std::wstring(doc_.GetUniqueObjectName(&rectangle, 1)));
  EXPECT_EQ(L"Circle0", std::wstring(doc_.GetUniqueObjectName(&circle, 1)));
}

TEST_F(NamesTest, NamesTheUserGaveAreSkippedOnlyWhenChecked) {
  AddText(L"Text1", TEXT_TYPE_TEXT);
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  CTranspText text(nullptr, 0, 0, &style, nullptr, nullptr, 0);
  EXPECT_EQ(L"Text0", std::wstring(doc_.GetUniqueObjectName(&text, 1)));
  EXPECT_EQ(L"Text2", std::wstring(doc_.GetUniqueObjectName(&text, 1)));
  EXPECT_EQ(L"Text3", std::wstring(doc_.GetUniqueObjectName(&text, 0)));
  CFolimarDoc other;
  ASSERT_TRUE(other.OnNewDocument());
  EXPECT_EQ(L"Text0", std::wstring(other.GetUniqueObjectName(&text, 0)));  // counters are the document's
}

TEST_F(NamesTest, MirroredGroupsAreRebuiltFromTheirFirstMember) {
  EnsurePages(3);
  CTranspText* first = AddText(L"Total", TEXT_TYPE_NUMERIC, nullptr, 0);
  CTranspText* third = AddText(L"Total", TEXT_TYPE_NUMERIC, nullptr, 2);
  CTranspText* second = AddText(L"Total", TEXT_TYPE_NUMERIC, nullptr, 1);
  CTranspText* single = AddText(L"Alone", TEXT_TYPE_TEXT, nullptr, 0);
  CTranspCheckMark* mark = AddCheckMark(L"Total", 0);
  doc_.SetMirroredFields();
  EXPECT_EQ(L"Total", std::wstring(first->GetObjectNameForPDF()));
  EXPECT_EQ(L"Total_mirrored_0", std::wstring(second->GetObjectNameForPDF()));
  EXPECT_EQ(L"Total_mirrored_1", std::wstring(third->GetObjectNameForPDF()));
  EXPECT_TRUE(first->IsMirrored() && second->IsMirrored() && third->IsMirrored());
  EXPECT_EQ(1, first->IsLeadField());
  EXPECT_EQ(0, second->IsLeadField());
  EXPECT_FALSE(single->IsMirrored());
  EXPECT_EQ(L"Alone", std::wstring(single->GetObjectNameForPDF()));
  EXPECT_FALSE(mark->IsMirrored());  // a check mark is no member of a text group

  // Renaming the first member out of the group makes the next one lead.
  first->SetName(L"Other");
  doc_.SetMirroredFields();
  EXPECT_FALSE(first->IsMirrored());
  EXPECT_EQ(L"Total", std::wstring(second->GetObjectNameForPDF()));
  EXPECT_EQ(L"Total_mirrored_0", std::wstring(third->GetObjectNameForPDF()));
  EXPECT_EQ(1, second->IsLeadField());
}

TEST_F(NamesTest, FillingMatchesNamesExactly) {
  CTranspText* name = AddText(L"Name", TEXT_TYPE_TEXT);
  CTranspText* amount = AddText(L"Amount", TEXT_TYPE_NUMERIC);
  CTranspText* untouched = AddText(L"Other", TEXT_TYPE_TEXT);
  untouched->SetText(L"keep");
  CTranspCheckMark* mark = AddCheckMark(L"Agree");
  const int state = mark->GetState();
  CMap<CString, LPCWSTR, COleVariant, COleVariant> values;
  values.SetAt(L"Name", COleVariant(CString(L"Ann")));
  values.SetAt(L"amount", COleVariant(CString(L"5")));  // differs in case: fills nothing
  values.SetAt(L"Agree", COleVariant(CString(state ? L"0" : L"1")));  // check marks are not filled
  doc_.FillForm(values);
  EXPECT_EQ(L"Ann", std::wstring(name->GetText()));
  EXPECT_EQ(L"", std::wstring(amount->GetText()));
  EXPECT_EQ(L"keep", std::wstring(untouched->GetText()));
  EXPECT_EQ(state, mark->GetState());
}

TEST_F(NamesTest, AccessorsAnswerNullOutsideThePages) {
  EXPECT_EQ(&doc_.GetPage(0)->m_objects, doc_.GetObjectsList(0));
  for (int index : {-1, doc_.GetPageCount()}) {
    EXPECT_EQ(nullptr, doc_.GetObjectsList(index));
    EXPECT_EQ(nullptr, doc_.GetPageInfo(index));
    EXPECT_EQ(nullptr, doc_.GetErasedList(index));
    EXPECT_EQ(nullptr, doc_.GetUndoManager(index));
    EXPECT_EQ(nullptr, doc_.GetBitmapPage(index));
  }
  EXPECT_EQ(nullptr, doc_.GetCurrentBitmap(0));  // a new page has no image
  EXPECT_EQ(1, doc_.IsEmpty());
  AddLabel(L"L", L"x");
  EXPECT_EQ(1, doc_.HasObjects());
  EXPECT_EQ(0, doc_.IsEmpty());
}

}  // namespace

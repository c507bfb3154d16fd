// Text fields and labels in a real document file: saved, loaded and saved again to the same bytes.
#include "DocumentTestSupport.h"
#include "TranspLabel.h"

using namespace doctest;

namespace {

class TranspTextDocumentTest : public ProgramKindsDocumentTest {
 protected:
  // Loads the bytes, saves them, loads that and saves again: the two saves must be the same bytes.
  // The document of the first load is left in `doc`.
  void StableRoundTrip(CFolimarDoc& doc, const std::string& bytes, const std::wstring& name) {
    ASSERT_EQ(kLoaded, LoadBytes(doc, Path(name + L".qlm"), bytes));
    const std::string first = Save(doc, name + L"-1.qlm");
    CFolimarDoc again;
    ASSERT_EQ(kLoaded, LoadFile(again, Path(name + L"-1.qlm")));
    EXPECT_EQ(fixtures::ToHex(first), fixtures::ToHex(Save(again, name + L"-2.qlm")));
  }
};

std::vector<CTranspText*> Objects(CFolimarDoc& doc) {
  std::vector<CTranspText*> out;
  CPageInfo* page = doc.GetPage(0);
  for (POSITION pos = page->m_objects.GetHeadPosition(); pos != nullptr;)
    out.push_back(static_cast<CTranspText*>(page->m_objects.GetNext(pos)));
  return out;
}

TEST_F(TranspTextDocumentTest, FieldsAndLabelsRoundTripByteForByte) {
  CFolimarDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  _PROPERTIES numeric;
  numeric.formatCategory = TEXT_TYPE_NUMERIC;
  CTranspText* field = new CTranspText(nullptr, 100000, 120000, &style, nullptr, L"Name\r\nSecond line", 0);
  field->SetName(L"Field1");
  CTranspText* number = new CTranspText(nullptr, 100000, 220000, &style, &numeric, nullptr, 0);
  number->SetName(L"Amount");
  number->SetFormula(L"=Field1");
  CTranspLabel* label = new CTranspLabel(nullptr, 300000, 120000, &style, nullptr, L"Caption", 0);
  label->SetName(L"Label1");
  // Placed as the view places them: fields with their columns, then the formulas calculated.
  for (CTranspText* object : {field, number, static_cast<CTranspText*>(label)}) doc.AddObjectToList(object);
  doc.AddDBField(field, 0);
  doc.AddDBField(number, 0);
  doc.Calculate();

  const std::string first = Save(doc, L"text.qlm");
  CFolimarDoc loaded;
  ASSERT_EQ(kLoaded, LoadFile(loaded, Path(L"text.qlm")));
  const std::vector<CTranspText*> objects = Objects(loaded);
  ASSERT_EQ(3u, objects.size());
  EXPECT_EQ(L"Name\r\nSecond line", std::wstring(objects[0]->GetText()));
  EXPECT_EQ(L"Field1", std::wstring(objects[0]->GetName()));
  EXPECT_EQ(L"=Field1", std::wstring(objects[1]->GetFormula()));
  EXPECT_TRUE(objects[1]->HasFormula());
  EXPECT_EQ(KIND_LABEL, objects[2]->GetObjectKind());
  EXPECT_EQ(0, objects[2]->IsPrintable());
  EXPECT_EQ(L"Caption", std::wstring(objects[2]->GetText()));
  const std::string second = Save(loaded, L"again.qlm");
  EXPECT_EQ(fixtures::ToHex(first), fixtures::ToHex(second));
}

CVariant& Cell(CFolimarDoc& doc, int column) { return doc.GetPage(0)->m_table[0][column]; }

// A value whose fixed-point text the system cannot format (322 characters for -1.99e304; under Wine
// it overran the stack) loads and shows its scientific form, and the value itself stays.
TEST_F(TranspTextDocumentTest, AHugeNumberLoadsAndShowsItsScientificForm) {
  CFolimarDoc doc;
  StableRoundTrip(doc, Fixture(L"v28_huge_number.hex"), L"huge");
  const std::vector<CTranspText*> objects = Objects(doc);
  ASSERT_EQ(1u, objects.size());
  EXPECT_EQ(L"-1.99E+304", std::wstring(objects[0]->GetText()));
  EXPECT_EQ(-1.99e304, Cell(doc, 0).GetDoubleValue());
}

// A number field whose column the stored table lacks gets one holding the number it shows; it once
// handed over no value while showing one, so the next load showed 0.00.
TEST_F(TranspTextDocumentTest, AColumnAddedOnLoadHoldsWhatTheNumberFieldShows) {
  CFolimarDoc doc;
  StableRoundTrip(doc, Fixture(L"v28_missing_column.hex"), L"column");
  const std::vector<CTranspText*> objects = Objects(doc);
  ASSERT_EQ(3u, objects.size());
  EXPECT_EQ(L"7.25", std::wstring(objects[1]->GetText()));
  EXPECT_EQ(L"1,234.50", std::wstring(objects[2]->GetText()));
  ASSERT_EQ(3, doc.GetPage(0)->m_table.GetFieldCount());
  EXPECT_EQ(L"Ada", std::wstring(Cell(doc, 0).GetString()));
  EXPECT_EQ(7.25, Cell(doc, 1).GetDoubleValue());
  EXPECT_EQ(1234.5, Cell(doc, 2).GetDoubleValue());
}

// With the names registered from the file, each field gets a column and a label none: a column for the
// label was written and dropped again by the next load, so every save changed the file.
TEST_F(TranspTextDocumentTest, RegisteredNamesGiveAColumnToEachFieldOnly) {
  CFolimarDoc doc;
  StableRoundTrip(doc, Fixture(L"v28_registered_names.hex"), L"registered");
  const CDynTable& table = doc.GetPage(0)->m_table;
  ASSERT_EQ(2, table.GetFieldCount());
  EXPECT_EQ(L"Name", std::wstring(table.GetFieldName(0)));
  EXPECT_EQ(L"Price", std::wstring(table.GetFieldName(1)));
  EXPECT_EQ(L"Ada", std::wstring(Cell(doc, 0).GetString()));
  EXPECT_EQ(7.25, Cell(doc, 1).GetDoubleValue());
}

// A data type the program does not know makes a text field: as one it handed the table no value and
// took 0 back on the next load.
TEST_F(TranspTextDocumentTest, AnUnknownDataTypeIsReadAsText) {
  std::string bytes = Fixture(L"v28_missing_column.hex");
  // The data type is byte 159 of the record structure, which ends where the text "7.25" begins.
  const std::string text = std::string("\x0a\0\0\0" "7\0.\0" "2\0" "5\0\0\0", 14);
  const size_t at = bytes.find(text);
  ASSERT_NE(std::string::npos, at);
  ASSERT_EQ(1, bytes[at - 216 + 159]);
  bytes[at - 216 + 159] = static_cast<char>(0x80);
  CFolimarDoc doc;
  StableRoundTrip(doc, bytes, L"unknown");
  const std::vector<CTranspText*> objects = Objects(doc);
  ASSERT_EQ(3u, objects.size());
  EXPECT_EQ(TEXT_TYPE_TEXT, objects[1]->GetDataType());
  EXPECT_EQ(L"7.25", std::wstring(objects[1]->GetText()));
  EXPECT_EQ(L"7.25", std::wstring(Cell(doc, 1).GetString()));
}

}  // namespace

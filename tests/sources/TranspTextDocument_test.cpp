// Text fields and labels in a real document file: saved, loaded and saved again to the same bytes.
#include "DocumentTestSupport.h"
#include "TranspLabel.h"

using namespace doctest;

namespace {

class TranspTextDocumentTest : public ProgramKindsDocumentTest {};

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

}  // namespace

// Helpers of the tests of a document's fields, records and formulas: text fields, labels and check
// marks placed on a new document's pages as the view places them (object list and page column).
#pragma once
#include "DocumentTestSupport.h"
#include "TranspCheckMark.h"
#include "TranspLabel.h"
#include "TranspText.h"

namespace doctest {

class FieldsDocumentTest : public ProgramKindsDocumentTest {
 protected:
  void SetUp() override {
    ProgramKindsDocumentTest::SetUp();
    ASSERT_TRUE(doc_.OnNewDocument());
  }
  // A text field of a data type (TEXT_TYPE_*) on a page, with a formula when one is given.
  CTranspText* AddText(LPCWSTR name, int type, LPCWSTR formula = nullptr, int page = 0) {
    _OBJECT_STYLE style;
    SetDefaultTextStyle(&style);
    _PROPERTIES properties;
    properties.formatCategory = type;
    properties.decimals = 2;
    CTranspText* text = new CTranspText(nullptr, 10000, 10000 + 30000 * count_++, &style, &properties, nullptr, page);
    return Place(text, name, formula);
  }
  CTranspText* AddLabel(LPCWSTR name, LPCWSTR text, int page = 0) {
    _OBJECT_STYLE style;
    SetDefaultTextStyle(&style);
    CTranspLabel* label = new CTranspLabel(nullptr, 200000, 10000 + 30000 * count_++, &style, nullptr, text, page);
    label->SetName(name);
    doc_.AddObjectToList(label);
    return label;
  }
  CTranspCheckMark* AddCheckMark(LPCWSTR name, int page = 0) {
    _OBJECT_STYLE style = {};
    style.lineWidth = 700;
    CTranspCheckMark* mark = new CTranspCheckMark(nullptr, 300000, 10000 + 30000 * count_++, &style, page);
    mark->SetName(name);
    doc_.AddObjectToList(mark);
    doc_.AddDBField(mark, page);
    return mark;
  }
  // Adds pages until the document has `count`, each with as many records as the first.
  void EnsurePages(int count) {
    while (doc_.GetPageCount() < count) doc_.InitPageDBTable(doc_.AppendNewPage());
  }
  CString Cell(int page, int record, int column) { return doc_.GetPage(page)->m_table[record][column].GetString(); }

  CFolimarDoc doc_;

 private:
  CTranspText* Place(CTranspText* text, LPCWSTR name, LPCWSTR formula) {
    text->SetName(name);
    if (formula != nullptr) text->SetFormula(formula);
    doc_.AddObjectToList(text);
    doc_.AddDBField(text, text->GetPageIndex());
    return text;
  }
  int count_ = 0;
};

}  // namespace doctest

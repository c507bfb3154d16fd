// Formula fields: the calculator's grammar, names replaced by values, the recalculation of a document
// with its error texts and cycle check, renaming inside formulas, value conversions, and the scripts
// that copy a mirrored field's value in PDF output.
#include <cmath>

#include "Calculator.h"
#include "DocumentFieldsSupport.h"
#include "undo.h"

using namespace doctest;

namespace {

TEST(Calculator, EvaluatesWholeExpressionsOnly) {
  const struct {
    const char* text;
    int result;
    double value;
  } cases[] = {
      {"2+3*4", 0, 14},   {"(2+3)*4", 0, 20}, {"-2*-3", 0, 6},    {"1e3/4", 0, 250}, {"2.5*2", 0, 5},
      {".5+5.", 0, 5.5},  {"8/2/2", 0, 2},    {"8-2-2", 0, 4},    {"+-+2", 0, -2},   {"1E-2*100", 0, 1},
      {"", -1, 0},        {"2+", -1, 0},      {"(1", -1, 0},      {"2e", -1, 0},     {"1.5+Err3", -1, 0},
      {"inf", -1, 0},     {"2 3", -1, 0},     {"2*(3", -1, 0},    {"1..2", -1, 0},
  };
  for (const auto& c : cases) {
    double value = 99;
    EXPECT_EQ(c.result, Calculate(value, c.text)) << c.text;
    EXPECT_DOUBLE_EQ(c.value, value) << c.text;
  }
  double value = 0;
  EXPECT_EQ(0, Calculate(value, "1/0"));
  EXPECT_TRUE(std::isinf(value));
}

class FormulaTest : public FieldsDocumentTest {};

TEST_F(FormulaTest, FormulasOfLiteralsAndFieldsGiveTheirValues) {
  const struct {
    const wchar_t* formula;
    double value;
  } cases[] = {
      {L"=2+3*4", 14}, {L"=(2+3)*4", 20}, {L"=-2*-3", 6}, {L"=1e3/4", 250}, {L"=2,5*2", 5},
      // Names and literals are replaced first and the spaces removed after: the numbers run together.
      {L"=2 3", 23},
      {L"=Price*Quantity", 7.5},
      // A field named like a number stands for its value, not for the number.
      {L"=10*2", 8},
  };
  CTranspText* price = AddText(L"Price", TEXT_TYPE_CURRENCY);
  price->SetValue(CVariant(2.5));
  CTranspText* quantity = AddText(L"Quantity", TEXT_TYPE_NUMERIC);
  quantity->SetValue(CVariant(3.0));
  CTranspText* ten = AddText(L"10", TEXT_TYPE_NUMERIC);
  ten->SetValue(CVariant(4.0));
  CTranspText* result = AddText(L"Result", TEXT_TYPE_NUMERIC);
  for (const auto& c : cases) {
    result->SetFormula(c.formula);
    EXPECT_EQ(1, doc_.Calculate()) << c.formula;
    EXPECT_DOUBLE_EQ(c.value, result->GetValue().GetDoubleValue()) << c.formula;
  }
}

TEST_F(FormulaTest, ReferencedFormulasAreCalculatedBeforeTheirUsers) {
  CTranspText* total = AddText(L"Total", TEXT_TYPE_NUMERIC, L"=Sub*2");
  CTranspText* sub = AddText(L"Sub", TEXT_TYPE_NUMERIC, L"=3+4", 0);
  EXPECT_EQ(1, doc_.Calculate());
  EXPECT_DOUBLE_EQ(14, total->GetValue().GetDoubleValue());
  EXPECT_DOUBLE_EQ(7, sub->GetValue().GetDoubleValue());
  EXPECT_EQ(TEXT_CALC_DONE, total->GetCalcState());
}

TEST_F(FormulaTest, FailuresShowTheirErrorTexts) {
  CTranspText* a = AddText(L"A", TEXT_TYPE_NUMERIC);
  a->SetValue(CVariant(1.5));
  AddText(L"B", TEXT_TYPE_TEXT)->SetText(L"words");
  CTranspText* plain = AddText(L"UsesText", TEXT_TYPE_NUMERIC, L"=A+B");
  CTranspText* broken = AddText(L"Broken", TEXT_TYPE_NUMERIC, L"=2*/3");
  // One user after the failing field and one before it: both see the failure.
  CTranspText* after = AddText(L"After", TEXT_TYPE_NUMERIC, L"=Broken+1");
  CTranspText* before = AddText(L"Before", TEXT_TYPE_NUMERIC, L"=Broken2+1");
  CTranspText* broken2 = AddText(L"Broken2", TEXT_TYPE_NUMERIC, L"=(");
  EXPECT_EQ(1, doc_.Calculate());
  EXPECT_EQ(L"Err1", std::wstring(plain->GetText()));
  EXPECT_EQ(L"Err1", std::wstring(broken->GetText()));
  EXPECT_EQ(L"Err1", std::wstring(after->GetText()));
  EXPECT_EQ(L"Err1", std::wstring(before->GetText()));
  EXPECT_EQ(L"Err1", std::wstring(broken2->GetText()));
  EXPECT_EQ(TEXT_CALC_FAILED, broken->GetCalcState());
}

TEST_F(FormulaTest, DivisionByZeroFailsWhereItIsReferred) {
  CTranspText* infinite = AddText(L"Inf", TEXT_TYPE_NUMERIC, L"=1/0");
  CTranspText* user = AddText(L"User", TEXT_TYPE_NUMERIC, L"=Inf+1");
  EXPECT_EQ(1, doc_.Calculate());
  EXPECT_TRUE(std::isinf(infinite->GetValue().GetDoubleValue()));
  EXPECT_EQ(L"Err1", std::wstring(user->GetText()));
}

TEST_F(FormulaTest, ACycleStopsTheRecalculationAtItsFirstField) {
  CTranspText* x = AddText(L"X", TEXT_TYPE_NUMERIC, L"=Y");
  CTranspText* y = AddText(L"Y", TEXT_TYPE_NUMERIC, L"=X");
  y->SetValue(CVariant(5.0));
  EXPECT_EQ(0, doc_.Calculate());
  EXPECT_EQ(L"Err0", std::wstring(x->GetText()));
  EXPECT_EQ(TEXT_CALC_FAILED, x->GetCalcState());
  EXPECT_DOUBLE_EQ(5.0, y->GetValue().GetDoubleValue());
}

TEST_F(FormulaTest, ACycleBetweenOtherFieldsEndsTheCheck) {
  // P refers into a loop of Y and Z that never passes through P.
  CTranspText* p = AddText(L"P", TEXT_TYPE_NUMERIC, L"=Y+1");
  AddText(L"Y", TEXT_TYPE_NUMERIC, L"=Z");
  AddText(L"Z", TEXT_TYPE_NUMERIC, L"=Y");
  EXPECT_EQ(0, doc_.CheckCicles(p, L"P"));
  EXPECT_EQ(0, doc_.Calculate());
  EXPECT_EQ(L"Err0", std::wstring(p->GetText()));
}

TEST_F(FormulaTest, SharedReferencesAreNoCycle) {
  CTranspText* top = AddText(L"Top", TEXT_TYPE_NUMERIC, L"=L+R");
  AddText(L"L", TEXT_TYPE_NUMERIC, L"=D*2");
  AddText(L"R", TEXT_TYPE_NUMERIC, L"=D*3");
  AddText(L"D", TEXT_TYPE_NUMERIC, L"=1");
  EXPECT_EQ(1, doc_.CheckCicles(top, L"Top"));
  EXPECT_EQ(1, doc_.Calculate());
  EXPECT_DOUBLE_EQ(5, top->GetValue().GetDoubleValue());
}

TEST_F(FormulaTest, DeletedFieldsAreNotReferred) {
  CTranspText* gone = AddText(L"Gone", TEXT_TYPE_NUMERIC);
  gone->SetValue(CVariant(7.0));
  gone->SetDeleted(1);
  CTranspText* user = AddText(L"User", TEXT_TYPE_NUMERIC, L"=Gone+1");
  EXPECT_EQ(1, doc_.Calculate());
  EXPECT_EQ(L"Err1", std::wstring(user->GetText()));  // "Gone" stays a literal that does not parse
}

TEST_F(FormulaTest, ReplaceNameChangesWholeTokensOnly) {
  EXPECT_EQ(L"=Count*Price+Count", std::wstring(doc_.ReplaceName(L"=Qty*Price+Qty", L"Qty", L"Count")));
  EXPECT_EQ(L"=Qty2*3", std::wstring(doc_.ReplaceName(L"=Qty2*3", L"Qty", L"Count")));
  EXPECT_EQ(L"= ( Count )/2", std::wstring(doc_.ReplaceName(L"= ( Qty )/2", L"Qty", L"Count")));
}

TEST_F(FormulaTest, RenamingInAllFormulasIsOneUndoStepPerField) {
  CTranspText* a = AddText(L"A", TEXT_TYPE_NUMERIC, L"=Qty*Price+Qty");
  CTranspText* b = AddText(L"B", TEXT_TYPE_NUMERIC, L"=Qty2*3");
  doc_.RenameInAllFormulas(L"Qty", L"Count");
  EXPECT_EQ(L"=Count*Price+Count", std::wstring(a->GetFormula()));
  EXPECT_EQ(L"=Qty2*3", std::wstring(b->GetFormula()));
  CommandManagerT* undo = doc_.GetPage(0)->m_pUndoManager;
  ASSERT_EQ(1u, undo->GetUndoCount());
  undo->Undo();
  EXPECT_EQ(L"=Qty*Price+Qty", std::wstring(a->GetFormula()));
  EXPECT_EQ(0u, undo->GetUndoCount());
}

TEST_F(FormulaTest, DataTypeChangesConvertEveryRecord) {
  CTranspText* field = AddText(L"Amount", TEXT_TYPE_NUMERIC);
  doc_.AddRecord();
  doc_.AddRecord();
  CDynTable& table = doc_.GetPage(0)->m_table;
  table[0][0] = L"1,5";
  table[1][0] = L"2.25";
  table[2][0] = 3.0;  // not a text: stays
  doc_.ConvertFormatForField(field, 1);
  EXPECT_EQ(CVariant::typeDouble, table[0][0].GetType());
  EXPECT_DOUBLE_EQ(1.5, table[0][0].GetDoubleValue());
  EXPECT_DOUBLE_EQ(2.25, table[1][0].GetDoubleValue());
  EXPECT_DOUBLE_EQ(1.5, field->GetValue().GetDoubleValue());  // the current record's value

  table[1][0] = 0.0;
  doc_.ConvertFormatForField(field, 0);
  EXPECT_EQ(CVariant::typeUnicodeString, table[0][0].GetType());
  EXPECT_EQ(L"1.5", std::wstring(table[0][0].GetString()));
  EXPECT_EQ(L"0", std::wstring(table[1][0].GetString()));
  EXPECT_EQ(L"3", std::wstring(table[2][0].GetString()));
}

TEST_F(FormulaTest, MirroredCopiesGetNumberedPdfNamesAndOneScript) {
  EnsurePages(3);
  CTranspText* total = AddText(L"Total", TEXT_TYPE_NUMERIC, L"=1+1", 0);
  total->SetObjectNameForPDF(L"Total");
  CTranspText* copy1 = AddText(L"Total", TEXT_TYPE_NUMERIC, nullptr, 1);
  CTranspText* copy2 = AddText(L"Total", TEXT_TYPE_NUMERIC, nullptr, 2);
  CTranspText* label = AddLabel(L"Total", L"caption", 2);
  doc_.SetObjectNameForPDFForOtherFields(0, total);
  EXPECT_EQ(L"Total_mirrored_0", std::wstring(copy1->GetObjectNameForPDF()));
  EXPECT_EQ(L"Total_mirrored_1", std::wstring(copy2->GetObjectNameForPDF()));
  EXPECT_TRUE(total->IsMirrored() && copy1->IsMirrored() && copy2->IsMirrored());
  EXPECT_FALSE(label->IsMirrored());
  EXPECT_EQ(1, total->IsLeadField());
  EXPECT_EQ(L"=1+1", std::wstring(copy2->GetFormula()));  // numeric copies share the formula
  EXPECT_EQ(
      L"this.getField('Total_mirrored_0').value = this.getField('Total_mirrored_1').value = "
      L"this.getField('Total').value;",
      std::wstring(doc_.GetScript(total)));
}

TEST_F(FormulaTest, CheckMarksOfOneNameAreMirrored) {
  CTranspCheckMark* first = AddCheckMark(L"Agree");
  CTranspCheckMark* second = AddCheckMark(L"Agree");
  CTranspCheckMark* other = AddCheckMark(L"Other");
  doc_.SetObjectNameForPDFForOtherFields(0, first);
  EXPECT_TRUE(first->IsMirrored() && second->IsMirrored());
  EXPECT_FALSE(other->IsMirrored());
  EXPECT_EQ(1, first->IsLeadField());
}

TEST_F(FormulaTest, OldNumericTextsBecomeNumbers) {
  CTranspText* amount = AddText(L"Amount", TEXT_TYPE_NUMERIC);
  CTranspText* name = AddText(L"Name", TEXT_TYPE_TEXT);
  doc_.AddRecord();
  CDynTable& table = doc_.GetPage(0)->m_table;
  table[0][0] = L"12.5";
  table[1][0] = L"3";
  table[0][1] = L"7";
  doc_.ConvertFormatsAndFormulasForPreviousVersion();
  EXPECT_EQ(CVariant::typeDouble, table[0][0].GetType());
  EXPECT_DOUBLE_EQ(3, table[1][0].GetDoubleValue());
  EXPECT_DOUBLE_EQ(12.5, amount->GetValue().GetDoubleValue());
  EXPECT_EQ(CVariant::typeUnicodeString, table[0][1].GetType());  // text fields keep their texts
  (void)name;
}

}  // namespace

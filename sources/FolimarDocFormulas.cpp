// Formula fields: names of other fields replaced by their values, the expression calculated, the
// recalculation of a whole document with its cycle check, renaming inside formulas, conversions of
// stored values when a field's data type changes or an old document is read, and the scripts that
// carry a mirrored field's value to its copies in PDF output.
#include <algorithm>
#include <set>

#include "Calculator.h"
#include "ErrorLog.h"
#include "FieldProperties.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "SharedProcs.h"
#include "TranspText.h"
#include "UndoCommands.h"

namespace {

// The separators that cut an expression into names and number literals.
const wchar_t kSeparators[] = L" ()+-*/";

struct TOKEN {
  int start;
  int length;
};

// The maximal runs of characters that are not separators, in order.
std::vector<TOKEN> Tokens(const CString& text) {
  std::vector<TOKEN> tokens;
  const int length = text.GetLength();
  int i = 0;
  while (i < length) {
    while (i < length && wcschr(kSeparators, text[i]) != nullptr) ++i;
    const int start = i;
    while (i < length && wcschr(kSeparators, text[i]) == nullptr) ++i;
    if (i > start) tokens.push_back({start, i - start});
  }
  return tokens;
}

// The expression with every token mapped; the separators between them stay as they were.
template <typename Map>
CString MapTokens(const CString& expression, Map map) {
  CString result;
  int p = 0;
  for (const TOKEN& token : Tokens(expression)) {
    result += expression.Mid(p, token.start - p);
    result += map(expression.Mid(token.start, token.length));
    p = token.start + token.length;
  }
  result += expression.Mid(p);
  return result;
}

// The names a formula refers to (its leading "=" dropped).
std::vector<CString> FormulaNames(const CString& formula) {
  const CString expression = formula.Mid(1);
  std::vector<CString> names;
  for (const TOKEN& token : Tokens(expression)) names.push_back(expression.Mid(token.start, token.length));
  return names;
}

CStringA ToThreadAnsi(const CString& text) {
  const int size = WideCharToMultiByte(CP_THREAD_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return CStringA();
  CStringA narrow;
  WideCharToMultiByte(CP_THREAD_ACP, 0, text, -1, narrow.GetBuffer(size), size, nullptr, nullptr);
  narrow.ReleaseBuffer();
  return narrow;
}

CString NumberText(double value) {
  CString text;
  text.Format(L"%f", value);
  text.Replace(L',', L'.');
  return text;
}

}  // namespace

CTranspText* CFolimarDoc::GetTextObjectByName(const CString& name) {
  CTranspText* found = nullptr;
  DEF_TRY
  ForEachTextObject([&](CTranspText* text) {
    if (text->GetName() != name) return true;
    found = text;
    return false;
  });
  DEF_CATCH("CFolimarDoc::GetTextObjectByName")
  return found;
}

void CFolimarDoc::ForEachTextObject(const std::function<bool(CTranspText*)>& visit) {
  for (POSITION pagePos = m_pages.GetHeadPosition(); pagePos;) {
    CTranspObjectList& objects = m_pages.GetNext(pagePos)->m_objects;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
      CTranspText* text = TextOf(objects.GetNext(pos));
      if (text != nullptr && !visit(text)) return;
    }
  }
}

CString CFolimarDoc::GetValue(const CString& token) {
  DEF_TRY
  CTranspText* found = nullptr;
  ForEachTextObject([&](CTranspText* text) {
    if (text->IsDeleted() || text->GetName() != token) return true;
    found = text;
    return false;
  });
  if (found == nullptr) {
    CString literal = token;
    literal.Replace(L',', L'.');
    return literal;
  }
  if (found->HasFormula()) {
    if (found->GetCalcState() == TEXT_CALC_PENDING) {
      found->SetCalcState(TEXT_CALC_RUNNING);
      double value = 0.0;
      if (!CalculateFormula(found, value)) {
        // It shows its failure as it would had it been calculated in its own turn.
        found->SetCalcState(TEXT_CALC_FAILED);
        found->SetText(L"Err1");
        return L"Err2";
      }
      found->SetCalcState(TEXT_CALC_DONE);
      found->SetValue(CVariant(value));
    } else if (found->GetCalcState() != TEXT_CALC_DONE) {
      // A failed formula's stale value would pass for a result; a running one is a way back into a
      // chain of references.
      return L"Err2";
    }
  }
  if (found->IsNumeric()) return NumberText(found->GetValue().GetDoubleValue());
  return L"Err3";
  DEF_CATCH("CFolimarDoc::GetValue")
  return token;
}

int CFolimarDoc::CalculateFormula(CTranspText* field, double& value) {
  value = 0.0;
  DEF_TRY
  if (field == nullptr) return 0;
  CString expression = MapTokens(field->GetFormula().Mid(1), [this](const CString& token) { return GetValue(token); });
  expression.Remove(L' ');
  return ::Calculate(value, ToThreadAnsi(expression)) == 0 ? 1 : 0;
  DEF_CATCH("CFolimarDoc::CalculateFormula")
  return 0;
}

int CFolimarDoc::CheckCicles(CTranspText* field, const CString& name) {
  DEF_TRY
  std::set<CTranspText*> onPath;
  std::set<CTranspText*> cleared;
  // A chain that comes back to a field already on it is a cycle even when it never reaches `name`;
  // a field whose references were all followed without one is not walked again.
  std::function<int(CTranspText*)> check = [&](CTranspText* at) {
    if (!onPath.insert(at).second) return 0;
    for (const CString& token : FormulaNames(at->GetFormula())) {
      CTranspText* referred = GetTextObjectByName(token);
      if (referred == nullptr) continue;
      if (referred->GetName() == name) return 0;
      if (referred->HasFormula() && cleared.count(referred) == 0 && !check(referred)) return 0;
    }
    onPath.erase(at);
    cleared.insert(at);
    return 1;
  };
  return check(field);
  DEF_CATCH("CFolimarDoc::CheckCicles")
  return 0;
}

int CFolimarDoc::Calculate() {
  DEF_TRY
  int result = 1;
  ForEachTextObject([&](CTranspText* text) {
    if (text->IsDeleted() || !text->HasFormula()) return true;
    text->SetCalcState(TEXT_CALC_PENDING);
    if (CheckCicles(text, text->GetName())) return true;
    text->SetCalcState(TEXT_CALC_FAILED);
    text->SetText(L"Err0");
    result = 0;
    return false;
  });
  if (result == 0) return 0;
  ForEachTextObject([&](CTranspText* text) {
    if (text->IsDeleted() || !text->HasFormula() || text->GetCalcState() != TEXT_CALC_PENDING) return true;
    text->SetCalcState(TEXT_CALC_RUNNING);
    double value = 0.0;
    if (CalculateFormula(text, value)) {
      text->SetCalcState(TEXT_CALC_DONE);
      text->SetValue(CVariant(value));
    } else {
      text->SetCalcState(TEXT_CALC_FAILED);
      text->SetText(L"Err1");
    }
    return true;
  });
  DEF_CATCH("CFolimarDoc::Calculate")
  return 1;
}

CString CFolimarDoc::ReplaceName(const CString& formula, const CString& oldName, const CString& newName) {
  DEF_TRY
  return L"=" + MapTokens(formula.Mid(1), [&](const CString& token) { return token == oldName ? newName : token; });
  DEF_CATCH("CFolimarDoc::ReplaceName")
  return CString();
}

void CFolimarDoc::RenameInAllFormulas(const CString& oldName, const CString& newName) {
  DEF_TRY
  CFolimarView* view = GetFirstFolimarView();
  int pageIndex = 0;
  for (POSITION pagePos = m_pages.GetHeadPosition(); pagePos; ++pageIndex) {
    CPageInfo* page = m_pages.GetNext(pagePos);
    for (POSITION pos = page->m_objects.GetHeadPosition(); pos;) {
      CTranspText* text = TextOf(page->m_objects.GetNext(pos));
      if (text == nullptr || !text->HasFormula()) continue;
      const CString formula = ReplaceName(text->GetFormula(), oldName, newName);
      if (formula == text->GetFormula()) continue;
      const CUndoState before = text->GetUndoState();
      text->SetFormula(formula);
      page->m_pUndoManager->DoCommand(new CModifyCommand(before, text, view));
    }
  }
  DEF_CATCH("CFolimarDoc::RenameInAllFormulas")
}

void CFolimarDoc::ConvertFormatForField(CTranspText* field, int toNumeric) {
  DEF_TRY
  if (field == nullptr || field->IsLabel()) return;
  int pageIndex = 0;
  const int column = FindFieldColumn(field, pageIndex);
  CPageInfo* page = GetPage(pageIndex);
  if (column < 0 || page == nullptr) return;
  _PROPERTIES properties;
  field->GetProperties(&properties);
  const CString separator = properties.decimalSeparator;
  for (int r = 0; r < page->m_table.GetRecordCount(); ++r) {
    CVariant& cell = page->m_table[r].ElementAt(column);
    if (toNumeric && cell.GetType() == CVariant::typeUnicodeString) {
      CString text = cell.GetUnicodeText();
      if (separator == L"." && text.Find(L',') >= 0)
        text.Replace(L',', L'.');
      else if (separator == L"," && text.Find(L'.') >= 0)
        text.Replace(L'.', L',');
      cell = StrToDouble(text);
      if (r == m_currentRecord) field->SetValue(cell);
    } else if (!toNumeric && cell.GetType() == CVariant::typeDouble) {
      const double number = cell.GetDoubleValue();
      properties.value = number;
      // The field's decimals, not only those last typed: 1.5 must not become "2".
      properties.fullNumberDecimals = std::max(properties.decimals, properties.fullNumberDecimals);
      const CString text = GetFullNumber(properties);
      cell = static_cast<LPCTSTR>(text);
      if (r == m_currentRecord) field->SetValue(CVariant(number == 0 ? CString() : text));
    }
  }
  DEF_CATCH("CFolimarDoc::ConvertFormatForField")
}

void CFolimarDoc::CorrectFormatsOfTextsContainedInFormula(CTranspText* field) {
  DEF_TRY
  for (const CString& token : FormulaNames(field->GetFormula())) {
    CTranspText* referred = GetTextObjectByName(token);
    if (referred != nullptr && !referred->HasFormula()) referred->ConvertFormatForPreviousVersion();
  }
  DEF_CATCH("CFolimarDoc::CorrectFormatsOfTextsContainedInFormula")
}

void CFolimarDoc::ConvertFormatsAndFormulasForPreviousVersion() {
  DEF_TRY
  ForEachTextObject([this](CTranspText* text) {
    if (text->HasFormula()) CorrectFormatsOfTextsContainedInFormula(text);
    return true;
  });
  for (int r = 0; r < GetRecordCount(); ++r) {
    for (POSITION pagePos = m_pages.GetHeadPosition(); pagePos;) {
      CPageInfo* page = m_pages.GetNext(pagePos);
      ForEachField(page, [&](CTranspBaseClass* object, int column) {
        CTranspText* text = TextOf(object);
        if (text == nullptr || text->GetDataType() != TEXT_TYPE_NUMERIC) return;
        CVariant& cell = page->m_table[r].ElementAt(column);
        if (cell.GetType() != CVariant::typeUnicodeString) return;
        cell = StrToDouble(CString(cell.GetUnicodeText()));
        if (r == m_currentRecord) text->SetValue(cell);
      });
    }
  }
  DEF_CATCH("CFolimarDoc::ConvertFormatsAndFormulasForPreviousVersion")
}

void CFolimarDoc::SetObjectNameForPDFForOtherFields(int pageIndex, CTranspBaseClass* field) {
  DEF_TRY
  CPageInfo* page = GetPage(pageIndex);
  if (page == nullptr || field == nullptr) return;
  CTranspText* fieldText = TextOf(field);
  const BOOL fieldIsCheckMark = IsCheckMarkObject(field);
  const CString name = field->GetName();
  int copies = 0;
  POSITION pagePos = m_pages.Find(page);
  POSITION pos = page->m_objects.Find(field);
  while (pagePos) {
    CPageInfo* at = m_pages.GetNext(pagePos);
    if (at != page) pos = at->m_objects.GetHeadPosition();
    while (pos) {
      CTranspBaseClass* other = OverlayOf(at->m_objects.GetNext(pos));
      if (other == nullptr || other == field || other->GetName() != name) continue;
      CTranspText* otherText = TextOf(other);
      if (fieldText != nullptr && otherText != nullptr && !otherText->IsLabel()) {
        field->SetMirrored(1);
        other->SetMirrored(1);
        fieldText->SetLeadField(1);
        CString pdfName;
        pdfName.Format(L"%s_mirrored_%d", static_cast<LPCTSTR>(name), copies++);
        otherText->SetObjectNameForPDF(pdfName);
        if (fieldText->IsNumeric() && otherText->IsNumeric() && fieldText->HasFormula())
          otherText->SetFormula(fieldText->GetFormula());
      } else if (fieldIsCheckMark && IsCheckMarkObject(other)) {
        field->SetMirrored(1);
        other->SetMirrored(1);
        field->SetLeadField(1);
      }
    }
  }
  DEF_CATCH("CFolimarDoc::SetObjectNameForPDFForOtherFields")
}

CString CFolimarDoc::GetScript(CTranspText* field) {
  DEF_TRY
  const CString name = field->GetName();
  const CString pdfName = field->GetObjectNameForPDF();
  CString script;
  CString part;
  ForEachTextObject([&](CTranspText* text) {
    // A label of the same name is no copy: it has no PDF field to assign to.
    if (!text->IsLabel() && text->GetName() == name && text->GetObjectNameForPDF() != pdfName) {
      part.Format(L"this.getField('%s').value", static_cast<LPCTSTR>(text->GetObjectNameForPDF()));
      script += part + L" = ";
    }
    return true;
  });
  part.Format(L"this.getField('%s').value", static_cast<LPCTSTR>(pdfName));
  return script + part + L";";
  DEF_CATCH("CFolimarDoc::GetScript")
  return CString();
}

// The text object's state: construction, stored forms, value, properties and style changes.
#include "TranspText.h"

#include <cstring>

#include "ErrorLog.h"
#include "FieldProperties.h"
#include "MyProcs.h"

const CTranspText::TEXT_VIEW_LINK* CTranspText::s_textViewLink = nullptr;

void CTranspText::init() {
  m_caretColumn = m_caretLine = 0;
  m_selStartColumn = m_selStartLine = m_selEndColumn = m_selEndLine = 0;
  m_ownDrag = m_refreshing = 0;
  std::memset(&m_style, 0, sizeof(m_style));
  m_style.printable = 1;
  m_formula.Empty();
  m_numberFormat = _T("%.2f");
  m_formulaFlag = 0;
  m_dataType = m_decimals = m_typedDecimals = m_label = 0;
  m_highlightBrush = {BS_SOLID, 0xFFCCFF, 0};
  CNumberFormatStruct locale;
  locale.Init(GetUserDefaultLCID());
  m_decimalSeparator = locale.m_decimalSeparator;
  m_thousandSeparator = locale.m_thousandSeparator;
  m_numberBase = 1.0;
  m_foundRect = {0, 0, 0, 0};
}

CTranspText::CTranspText(CWnd* view, int pageIndex) : CTranspBaseClass(view, pageIndex) {
  DEF_TRY
  init();
  m_captureCode = 0;
  DEF_CATCH("CTranspText::CTranspText")
}

CTranspText::CTranspText(CWnd* view, int x, int y, const _OBJECT_STYLE* style, const _PROPERTIES* properties,
                         LPCWSTR text, int pageIndex)
    : CTranspBaseClass(view, pageIndex) {
  DEF_TRY
  init();
  m_x = x;
  m_y = y;
  if (style != nullptr) m_style = *style;
  m_style.font.lfWidth = 0;
  m_style.printable = 1;
  if (properties != nullptr) {
    m_dataType = properties->formatCategory;
    m_tabOrderIndex = properties->tabIndex;
    if (m_dataType == TEXT_TYPE_NUMERIC || m_dataType == TEXT_TYPE_CURRENCY) {
      m_decimals = properties->decimals;
      m_grouping = properties->grouping;
      m_valueBlank = 1;
      m_value = 0.0;
    } else if (m_dataType == TEXT_TYPE_INDEX) {
      m_decimals = m_grouping = m_valueBlank = 0;
      m_value = 1.0;
    }
  }
  m_style.boxHeight = GetLineHeight();
  if (text != nullptr)
    SetText(text);
  else
    m_lines.assign(1, CString());
  DEF_CATCH("CTranspText::CTranspText")
}

CTranspText::CTranspText(CWnd* view, HGLOBAL data, int x, int y, int pageIndex)
    : CTranspText(view, data, x, y, pageIndex, 0) {}

CTranspText::CTranspText(CWnd* view, HGLOBAL data, int x, int y, int pageIndex, int label)
    : CTranspBaseClass(view, pageIndex) {
  DEF_TRY
  init();
  // The label flag decides the printable flag of old object data, so it comes first.
  m_label = label;
  m_dataRefused = !SetObData(data);
  m_x = x;
  m_y = y;
  m_captureCode = 0;
  DEF_CATCH("CTranspText::CTranspText")
}

CTranspText::~CTranspText() = default;

// ---- Stored forms ----

namespace {

// The number a text shows in the given separators: thousands separators, a currency symbol and
// spaces are passed over, a minus or an opening bracket before the digits makes it negative, and a
// scientific exponent is kept. 0 when the text shows no number.
double NumberShownBy(const CString& text, const CString& decimalSeparator, const CString& thousandSeparator) {
  CString s = text;
  if (!thousandSeparator.IsEmpty() && thousandSeparator != decimalSeparator) s.Replace(thousandSeparator, _T(""));
  if (!decimalSeparator.IsEmpty()) s.Replace(decimalSeparator, _T("."));
  CString number;
  bool negative = false;
  for (int i = 0; i < s.GetLength(); ++i) {
    const wchar_t c = s[i];
    const wchar_t next = i + 1 < s.GetLength() ? s[i + 1] : 0;
    if ((c >= _T('0') && c <= _T('9')) || c == _T('.')) {
      number += c;
    } else if ((c == _T('E') || c == _T('e')) && !number.IsEmpty() &&
               ((next >= _T('0') && next <= _T('9')) || next == _T('+') || next == _T('-'))) {
      number += _T('E');
      if (next == _T('+') || next == _T('-')) number += s[++i];
    } else if ((c == _T('-') || c == _T('(')) && number.IsEmpty()) {
      negative = true;
    }
  }
  const double value = wcstod(number, nullptr);
  return negative ? -value : value;
}

}  // namespace

TEXT_FIELD_DATA CTranspText::ToData() const {
  TEXT_FIELD_DATA d;
  d.x = m_x;
  d.y = m_y;
  d.pageIndex = m_pageIndex;
  d.style = m_style;
  d.text = GetText();
  d.formula = m_formula;
  d.numberFormat = m_numberFormat;
  d.formulaFlag = m_formulaFlag;
  d.dataType = m_dataType;
  d.decimals = m_decimals;
  d.typedDecimals = m_typedDecimals;
  d.label = m_label;
  d.grouping = m_grouping;
  d.valueBlank = m_valueBlank;
  d.value = m_value.GetType() == CVariant::typeDouble ? m_value.GetDoubleValue() : 0.0;
  return d;
}

void CTranspText::FromData(const TEXT_FIELD_DATA& d) {
  m_x = d.x;
  m_y = d.y;
  m_pageIndex = d.pageIndex;
  m_style = d.style;
  m_formula = d.formula;
  m_numberFormat = d.numberFormat;
  m_formulaFlag = d.formulaFlag;
  // A kind the program does not know is shown as text: as it was, the field handed the table no value
  // and took a number back, so a saved file changed when it was opened and saved again.
  m_dataType = d.dataType >= TEXT_TYPE_TEXT && d.dataType <= TEXT_TYPE_INDEX ? d.dataType : TEXT_TYPE_TEXT;
  m_decimals = d.decimals;
  m_typedDecimals = d.typedDecimals;
  m_label = d.label;
  m_grouping = d.grouping;
  m_valueBlank = d.valueBlank;
  if (d.valueSet) m_value = d.value;
  m_lines.assign(1, CString());
  SetText(d.text);
  // A field's record keeps what the field shows but not its value, which lives in the page's table.
  // A number field read without one takes the number its text shows and shows it as its format does;
  // one with a formula takes 0, as an empty cell gives it, until its formula is calculated. Handing
  // the table no value while showing one let the next load show 0 instead.
  if (!d.valueSet && !m_label && IsNumeric() && m_value.GetType() == CVariant::typeNull) {
    if (HasFormula()) {
      m_value = 0.0;
    } else {
      m_value = NumberShownBy(GetText(), m_decimalSeparator, m_thousandSeparator);
      SetNumberAsTextForView();
    }
  }
}

void CTranspText::Serialize(CArchive& ar) {
  DEF_TRY
  if (ar.IsStoring()) {
    StoreTextRecord(ar, ToData(), GetInchesPerUnit());
    return;
  }
  TEXT_FIELD_DATA d = ToData();
  double inchesPerUnit = GetInchesPerUnit();
  LoadTextRecord(ar, d, inchesPerUnit);
  SetInchesPerUnit(inchesPerUnit);
  FromData(d);
  DEF_CATCH_PASS_ARCHIVE("CTranspText::Serialize")
}

HGLOBAL CTranspText::GetObData() {
  DEF_TRY
  return BuildTextObData(ToData(), GetInchesPerUnit());
  DEF_CATCH("CTranspText::GetObData")
  return nullptr;
}

BOOL CTranspText::SetObData(HGLOBAL data) {
  DEF_TRY
  CTranspDataReader reader(data);
  if (!reader.IsValid()) return FALSE;
  const BYTE* block = reader.GetClassData() - sizeof(TRANSP_DATA_HEAD);
  TEXT_FIELD_DATA d = ToData();
  double inchesPerUnit = GetInchesPerUnit();
  if (!ReadTextObData(block, reader.GetHead().totalSize, m_label, d, inchesPerUnit)) {
    AppendErrorLog(L"TranspText: object data that does not hold what its version announces was refused");
    return FALSE;
  }
  // A box, a spacing or a font larger than any page lays the text out beyond the bound of every
  // object, and a copy of it came out elsewhere each time it was pasted. 100000 tenths of a point,
  // the font's largest height, are 139 inches.
  const auto within = [](int64_t value, int64_t bound) { return value >= -bound && value <= bound; };
  const _OBJECT_STYLE& s = d.style;
  if (!within(s.boxWidth, MAX_OBJECT_EXTENT) || !within(s.boxHeight, MAX_OBJECT_EXTENT) ||
      !within(TextLineSpacing(s), MAX_OBJECT_EXTENT) || !within(TextCombCell(s), MAX_OBJECT_EXTENT) ||
      !within(s.lineWidth, MAX_OBJECT_EXTENT) || !within(s.font.lfHeight, 100000) ||
      !within(s.fontSize, 10000)) {
    AppendErrorLog(L"TranspText: object data of a text larger than any page was refused");
    return FALSE;
  }
  SetInchesPerUnit(inchesPerUnit);
  FromData(d);
  return TRUE;
  DEF_CATCH("CTranspText::SetObData")
  return FALSE;
}

// ---- Text ----

CString CTranspText::GetText() const {
  CString text;
  for (const CString& line : m_lines) text += line;
  return text;
}

void CTranspText::SetFormula(LPCWSTR formula) {
  m_formula = formula != nullptr ? formula : L"";
  m_formulaFlag = !m_formula.IsEmpty();
}

int CTranspText::IsEmpty() {
  return m_lines.empty() || (m_lines.size() == 1 && m_lines[0].IsEmpty());
}

// ---- Simple accessors of the interface ----

int CTranspText::GetStyleFlag() { return m_style.textFlag146 == 1; }
int CTranspText::GetObjectKind() { return m_label ? KIND_LABEL : KIND_TEXTFIELD; }
int CTranspText::IsField() { return !m_label; }

void CTranspText::InvertRequired() {
  m_style.requiredForFilling = m_style.requiredForFilling ? 0 : 1;
  Repaint();
}

void CTranspText::ClearValue() {
  m_value = 0.0;
  m_valueBlank = 1;
}

void CTranspText::SaveNumberBase() { m_numberBase = m_value.GetDoubleValue(); }

void CTranspText::MoveBy(int dx, int dy) {
  m_x += dx;
  m_y += dy;
}

void CTranspText::SavePosition() {
  m_savedX = m_x;
  m_savedY = m_y;
  m_positionSaved = 1;
  GetRepaintRect(&m_savedRepaintRect);
}

void CTranspText::RestorePosition() {
  if (!m_positionSaved) return;
  m_x = m_savedX;
  m_y = m_savedY;
  m_positionSaved = 0;
  Repaint(&m_savedRepaintRect);
}

// ---- Value and properties ----

_PROPERTIES CTranspText::MakeProperties() const {
  _PROPERTIES p;
  p.name = m_name;
  p.tabIndex = m_tabOrderIndex;
  p.formatCategory = m_dataType;
  p.fullNumberDecimals = m_typedDecimals;
  p.decimalSeparator = m_decimalSeparator;
  p.decimals = m_decimals;
  p.grouping = m_grouping;
  p.value = m_value.GetDoubleValue();
  return p;
}

CVariant& CTranspText::GetValue() {
  // A label's value is the number stored with it, not its text: reading it must not lose it.
  if (m_dataType == TEXT_TYPE_TEXT && !m_label) m_value = static_cast<LPCTSTR>(GetText());
  return m_value;
}

void CTranspText::SetValue(CVariant value) {
  DEF_TRY
  if (value.GetType() != CVariant::typeNull)
    m_value = value;
  else if (m_dataType == TEXT_TYPE_TEXT)
    m_value = _T("");
  else
    m_value = 0.0;
  if (m_value.GetType() == CVariant::typeUnicodeString && m_dataType == TEXT_TYPE_TEXT) {
    SetText(m_value.GetUnicodeText());
  } else if (m_value.GetType() == CVariant::typeDouble && IsNumeric()) {
    if (m_focused)
      SetNumberAsTextForEdit();
    else
      SetNumberAsTextForView();
  }
  DEF_CATCH("CTranspText::SetValue")
}

void CTranspText::SetNumberAsTextForView() {
  DEF_TRY
  const double value = m_value.GetDoubleValue();
  if (m_valueBlank && value == 0) {
    SetText(L"");
    return;
  }
  _PROPERTIES p = MakeProperties();
  SetText(m_dataType == TEXT_TYPE_CURRENCY ? GetFormattedCurrency(p) : GetFormattedNumber(p));
  DEF_CATCH("CTranspText::SetNumberAsTextForView")
}

void CTranspText::SetNumberAsTextForEdit() {
  DEF_TRY
  if (HasFormula()) {
    SetText(m_formula);
    return;
  }
  if (m_valueBlank && m_value.GetDoubleValue() == 0) {
    SetText(L"");
    return;
  }
  _PROPERTIES p = MakeProperties();
  SetText(GetFullNumber(p));
  DEF_CATCH("CTranspText::SetNumberAsTextForEdit")
}

void CTranspText::GetProperties(_PROPERTIES* out) {
  DEF_TRY
  if (out == nullptr) return;
  *out = MakeProperties();
  if (m_dataType == TEXT_TYPE_TEXT) out->valueText = GetText();
  DEF_CATCH("CTranspText::GetProperties")
}

void CTranspText::SetProperties(_PROPERTIES p) {
  DEF_TRY
  SetName(p.name);
  m_tabOrderIndex = p.tabIndex;
  m_dataType = p.formatCategory;
  if (m_dataType == TEXT_TYPE_TEXT) {
    SetText(p.valueText);
  } else {
    m_value = p.value;
    m_decimals = p.decimals;
    m_grouping = p.grouping;
    m_typedDecimals = p.fullNumberDecimals;
  }
  DEF_CATCH("CTranspText::SetProperties")
}

void CTranspText::ConvertFormatForPreviousVersion() {
  DEF_TRY
  m_dataType = TEXT_TYPE_NUMERIC;
  m_grouping = 1;
  m_decimals = m_typedDecimals = 0;
  m_valueBlank = 0;
  const CString text = GetText();
  const int point = text.Find(_T('.'));
  if (point > 0) m_decimals = text.GetLength() - point - 1;
  if (m_label) m_value = ConvertTextToDouble(text);
  DEF_CATCH("CTranspText::ConvertFormatForPreviousVersion")
}

// ---- Style changes ----

namespace {

// Id 28 turning plain text into a number: the text brought to the field's decimal separator.
void TakeNumberFromText(const CString& text, const CString& separator, double& value, int& typedDecimals) {
  CString s = text;
  if (separator == _T(".")) s.Replace(_T(','), _T('.'));
  if (separator == _T(",")) s.Replace(_T('.'), _T(','));
  const int at = separator.IsEmpty() ? -1 : s.Find(separator);
  typedDecimals = at < 0 ? 0 : s.GetLength() - at - separator.GetLength();
  if (typedDecimals > 9) typedDecimals = 9;
  value = ConvertTextToDouble(s);
}

}  // namespace

void CTranspText::SetObjectStyle(const _PROPERTIES* properties, const _OBJECT_STYLE* style, const int* fieldId,
                                 int repaint) {
  DEF_TRY
  if (style == nullptr) return;
  RECT before = {};
  if (repaint) GetRepaintRect(&before);
  const int id = fieldId != nullptr ? *fieldId : 0;
  _OBJECT_STYLE& s = m_style;
  switch (id) {
    case 1: {
      const LONG oldHeight = s.font.lfHeight;
      s.font = style->font;
      s.font.lfWidth = 0;
      if (std::abs(s.font.lfHeight) < std::abs(oldHeight)) s.boxHeight = 0;
      break;
    }
    case 2: s.font.lfCharSet = style->font.lfCharSet; break;
    case 3:
      wcsncpy(s.font.lfFaceName, style->font.lfFaceName, LF_FACESIZE);
      s.font.lfFaceName[LF_FACESIZE - 1] = 0;
      s.font.lfCharSet = style->font.lfCharSet;
      break;
    case 4: s.font.lfWeight = style->font.lfWeight; break;
    case 5: s.font.lfItalic = style->font.lfItalic; break;
    case 6: s.font.lfUnderline = style->font.lfUnderline; break;
    case 7: s.font.lfStrikeOut = style->font.lfStrikeOut; break;
    case 8:
      s.fontSize = style->fontSize;
      s.font.lfHeight = style->fontSize * -10;
      s.font.lfWidth = 0;
      break;
    case 9: TextComb(s) = TextComb(*style); break;
    case 10: TextCombCell(s) = TextCombCell(*style); break;
    case 11: TextAlignment(s) = TextAlignment(*style); break;
    case 12: TextOrientation(s) = TextOrientation(*style); break;
    case 13: s.color = style->color; break;
    case 14: s.lineWidth = style->lineWidth; break;
    case 15: s.boxWidth = style->boxWidth; break;
    case 16: TextLineSpacing(s) = TextLineSpacing(*style); break;
    case 17: s.penStyle = style->penStyle; break;
    case 19: s.flag147 = style->flag147; break;
    case 20: s.textColor = style->textColor; break;
    case 21: TextWordWrap(s) = TextWordWrap(*style); break;
    case 22: TextSingleLine(s) = TextSingleLine(*style); break;
    case 23:
      if (properties != nullptr) SetName(properties->name);
      break;
    case 24: s.requiredForFilling = style->requiredForFilling; break;
    case 28:
      if (properties != nullptr) {
        const int oldType = m_dataType;
        m_dataType = properties->formatCategory;
        m_decimals = properties->decimals;
        m_grouping = properties->grouping;
        if (oldType == TEXT_TYPE_TEXT && IsNumeric()) {
          if (m_dataType == TEXT_TYPE_INDEX) {
            m_value = 1.0;
            m_decimals = m_grouping = m_valueBlank = 0;
          } else {
            double value = 0;
            TakeNumberFromText(GetText(), m_decimalSeparator, value, m_typedDecimals);
            m_value = value;
            m_valueBlank = value == 0;
          }
        }
        if (IsNumeric()) {
          SetNumberAsTextForView();
          TextSingleLine(s) = 1;
        }
      }
      break;
    case 30: s.printable = style->printable; break;
    default: {
      s = *style;
      s.font.lfWidth = 0;
      break;
    }
  }
  SetFontOrientation(s);
  if (id == 21)
    SetText(GetText());
  else
    Wrap();
  if (repaint) Repaint(&before);
  DEF_CATCH("CTranspText::SetObjectStyle")
}

// ---- Undo snapshots ----

CUndoState CTranspText::GetUndoState() {
  CUndoState state;
  DEF_TRY
  // A number being typed is the value it will be: the snapshot carries it (without recalculation).
  if (IsNumeric() && m_focused) TakeTypedNumber();
  for (const CString& line : m_lines) state.m_lines.AddTail(line);
  state.m_frozen = m_frozen;
  state.m_name = m_name;
  state.m_formula = m_formula;
  state.m_state1[0] = m_caretColumn;
  state.m_state1[1] = m_caretLine;
  state.m_state1[2] = m_x;
  state.m_state1[3] = m_y;
  state.m_style = m_style;
  GetProperties(&state.m_properties);
  GetAlignRect(&state.m_rect);
  state.m_state2[0] = m_valueBlank;
  state.m_state2[1] = m_formulaFlag;
  state.m_state3[5] = m_focused;
  state.m_state3[6] = m_selected;
  DEF_CATCH("CTranspText::GetUndoState")
  return state;
}

void CTranspText::SetUndoState(const CUndoState& state) {
  DEF_TRY
  RECT before = {};
  GetRepaintRect(&before);
  m_name = state.m_name;
  m_formula = state.m_formula;
  m_formulaFlag = state.m_state2[1];
  m_frozen = state.m_frozen;
  m_x = state.m_state1[2];
  m_y = state.m_state1[3];
  m_style = state.m_style;
  m_dataType = state.m_properties.formatCategory;
  m_tabOrderIndex = state.m_properties.tabIndex;
  m_focused = state.m_state3[5];
  m_selected = state.m_state3[6];
  std::vector<CString> lines;
  for (POSITION pos = state.m_lines.GetHeadPosition(); pos != nullptr;) lines.push_back(state.m_lines.GetNext(pos));
  if (IsNumeric()) {
    m_value = state.m_properties.value;
    m_decimals = state.m_properties.decimals;
    m_grouping = state.m_properties.grouping;
    m_typedDecimals = state.m_properties.fullNumberDecimals;
    m_valueBlank = state.m_state2[0];
  }
  // A focused number keeps the text as it was typed ("1." stays "1." while the next key merges into
  // the step); an unfocused one shows its value in display form.
  if (IsNumeric() && !m_focused) {
    SetNumberAsTextForView();
  } else {
    m_lines.swap(lines);
  }
  m_caretColumn = state.m_state1[0];
  m_caretLine = state.m_state1[1];
  Repaint(&before);
  DEF_CATCH("CTranspText::SetUndoState")
}

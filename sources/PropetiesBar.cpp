#include "PropetiesBar.h"

#include <cmath>
#include <type_traits>

#include "ErrorLog.h"
#include "FormatProperty.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "resource.h"

namespace {

// Property ids of the rows (what CMainFrame::SetDefaultProperty and the view take).
enum PropertyId {
  kIdCharset = 2,
  kIdFace = 3,
  kIdBold = 4,
  kIdItalic = 5,
  kIdUnderline = 6,
  kIdStrikeOut = 7,
  kIdSize = 8,
  kIdPitchOn = 9,
  kIdPitch = 10,
  kIdAlignment = 11,
  kIdOrientation = 12,
  kIdLineColor = 13,
  kIdLineWidth = 14,
  kIdLineSpacing = 16,
  kIdLineStyle = 17,
  kIdCheckMark = 18,
  kIdBorder = 19,
  kIdTextColor = 20,
  kIdWordWrap = 21,
  kIdMultiline = 22,
  kIdName = 23,
  kIdRequired = 24,
  kIdTransparent = 25,
  kIdTabIndex = 26,
  kIdBarcodeText = 27,
  kIdFormat = 28,
  kIdType = 29,
  kIdPrint = 30,
  kIdGroup = 31,
};

const int kFontSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

struct LINE_WIDTH {
  LPCWSTR text;
  int value;  // 0.00001 inch
};
const LINE_WIDTH kLineWidths[] = {{L"0.001''", 100},  {L"0.01''", 1000}, {L"0.02''", 2000},
                                  {L"0.03''", 3000},  {L"0.04''", 4000}, {L"0.05''", 5000},
                                  {L"0.06''", 6000},  {L"0.07''", 7000}, {L"0.08''", 8000}};

struct CHARSET_NAME {
  int charset;
  LPCWSTR name;
};
const CHARSET_NAME kCharsetNames[] = {
    {0, L"Western"},         {1, L"Other"},          {2, L"Symbol"},   {128, L"Japanese"},
    {129, L"Hangul"},        {134, L"CHINESE_GB2312"}, {136, L"CHINESE_BIG5"}, {255, L"Other"},
    {130, L"Hangul(Johab)"}, {177, L"Hebrew"},       {178, L"Arabic"}, {161, L"Greek"},
    {162, L"Turkish"},       {163, L"Vietnamese"},   {222, L"Thai"},   {238, L"Central European"},
    {204, L"Cyrillic"},      {186, L"Baltic"},
};
constexpr int kMacCharset = 77;

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

void LoadList(CStringArray& list, std::initializer_list<UINT> ids) {
  list.RemoveAll();
  for (UINT id : ids) list.Add(LoadText(id));
}

CString TextOf(const COleVariant& value) {
  if (value.vt == VT_BSTR) return CString(value.bstrVal);
  COleVariant copy(value);
  if (FAILED(::VariantChangeType(&copy, &copy, 0, VT_BSTR))) return CString();
  return CString(copy.bstrVal);
}

// A number row's value as an int; FALSE (logged) when it is not a number.
BOOL NumberOf(const COleVariant& value, int& number) {
  COleVariant copy(value);
  if (FAILED(::VariantChangeType(&copy, &copy, 0, VT_I4))) {
    AppendErrorLog(L"CPropetiesBar::OnPropertyChanged: the value is not a number");
    return FALSE;
  }
  number = static_cast<int>(copy.lVal);
  return TRUE;
}

int ClampedIndex(int value, int count) { return value >= 0 && value < count ? value : 0; }

}  // namespace

BEGIN_MESSAGE_MAP(CPropetiesBar, CDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, OnPropertyChanged)
END_MESSAGE_MAP()

CPropetiesBar::CPropetiesBar() {
  DEF_TRY
  LoadList(m_alignments, {IDS_ALIGN_LEFT, IDS_ALIGN_CENTER, IDS_ALIGN_RIGHT});
  LoadList(m_objectTypes, {IDS_TYPE_TEXT_FIELD, IDS_TYPE_TEXT});
  LoadList(m_orientations, {IDS_ORIENTATION_LEFT_TO_RIGHT, IDS_ORIENTATION_BOTTOM_UP, IDS_ORIENTATION_TOP_DOWN});
  LoadList(m_lineStyles, {IDS_LINE_SOLID, IDS_LINE_DASH, IDS_LINE_DOT, IDS_LINE_DASH_DOT, IDS_LINE_DASH_DOT_DOT});
  LoadList(m_yesNo, {IDS_NO, IDS_YES});
  LoadList(m_formats, {IDS_FORMAT_TEXT, IDS_FORMAT_NUMERIC, IDS_FORMAT_CURRENCY, IDS_FORMAT_INDEX_NUMBER});
  BuildFontList();
  DEF_CATCH("CPropetiesBar::CPropetiesBar")
}

// ---- Fonts ----

void CPropetiesBar::BuildFontList() {
  DEF_TRY
  m_pitchAndFamilyFilter = 0;
  LOGFONTW any = {};
  any.lfCharSet = DEFAULT_CHARSET;
  HDC screen = ::GetDC(nullptr);
  if (screen != nullptr) {
    ::EnumFontFamiliesExW(screen, &any, EnumFontsCallback, reinterpret_cast<LPARAM>(this), 0);
    ::ReleaseDC(nullptr, screen);
  }
  CWinApp* app = AfxGetApp();
  PRINTDLGW printer = {};
  printer.lStructSize = sizeof(printer);
  if (app == nullptr || !app->GetPrinterDeviceDefaults(&printer) || printer.hDevNames == nullptr) return;
  const DEVNAMES* names = static_cast<const DEVNAMES*>(::GlobalLock(printer.hDevNames));
  if (names == nullptr) return;
  const wchar_t* base = reinterpret_cast<const wchar_t*>(names);
  const DEVMODEW* mode = printer.hDevMode != nullptr ? static_cast<const DEVMODEW*>(::GlobalLock(printer.hDevMode)) : nullptr;
  HDC dc = ::CreateDCW(base + names->wDriverOffset, base + names->wDeviceOffset, nullptr, mode);
  if (mode != nullptr) ::GlobalUnlock(printer.hDevMode);
  ::GlobalUnlock(printer.hDevNames);
  if (dc == nullptr) return;
  ::EnumFontFamiliesExW(dc, &any, EnumFontsCallback, reinterpret_cast<LPARAM>(this), 0);
  ::DeleteDC(dc);
  DEF_CATCH("CPropetiesBar::BuildFontList")
}

int CALLBACK CPropetiesBar::EnumFontsCallback(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM self) {
  DEF_TRY
  if (font != nullptr) reinterpret_cast<CPropetiesBar*>(self)->AddFont(*font);
  DEF_CATCH("CPropetiesBar::EnumFontsCallback")
  return 1;
}

void CPropetiesBar::AddFont(const LOGFONTW& font) {
  DEF_TRY
  if (font.lfCharSet == kMacCharset) return;
  const BYTE pitch = m_pitchAndFamilyFilter & 0x0F, family = m_pitchAndFamilyFilter & 0xF0;
  if (pitch != 0 && (font.lfPitchAndFamily & 0x0F) != pitch) return;
  if (family != 0 && (font.lfPitchAndFamily & 0xF0) != family) return;
  WCHAR face[LF_FACESIZE] = {};
  wcsncpy(face, font.lfFaceName, LF_FACESIZE - 1);
  auto known = m_fontMap.find(face);
  // A charset reported by both the screen and the printer is listed twice.
  if (known != m_fontMap.end()) {
    known->second.push_back(font.lfCharSet);
    return;
  }
  if (::GetSystemMetrics(SM_DBCSENABLED) && face[0] == L'@') return;
  m_fontMap[face] = std::vector<int>(1, font.lfCharSet);
  DEF_CATCH("CPropetiesBar::AddFont")
}

CString CPropetiesBar::GetCharsetName(int charset) {
  for (const CHARSET_NAME& entry : kCharsetNames)
    if (entry.charset == charset) return entry.name;
  return L"Other";
}

void CPropetiesBar::CreateCharsetList(const CString& face) {
  DEF_TRY
  auto known = m_fontMap.find(static_cast<LPCWSTR>(face));
  if (known == m_fontMap.end()) return;
  m_faceCharsets = known->second;
  if (m_scriptRow == nullptr) return;
  m_scriptRow->RemoveAllOptions();
  for (int charset : m_faceCharsets) m_scriptRow->AddOption(GetCharsetName(charset), FALSE);
  DEF_CATCH("CPropetiesBar::CreateCharsetList")
}

// ---- Conversions ----

int CPropetiesBar::PitchToShown(int pitch) {
  return static_cast<int>(std::floor(static_cast<double>(pitch) / 100.0 * kPitchFactor + 0.5));
}

int CPropetiesBar::ShownToPitch(int shown) { return static_cast<int>(shown * 100 / kPitchFactor); }

int CPropetiesBar::LineWidthCount() { return static_cast<int>(_countof(kLineWidths)); }
CString CPropetiesBar::LineWidthText(int index) { return kLineWidths[ClampedIndex(index, LineWidthCount())].text; }
int CPropetiesBar::LineWidthValue(int index) { return kLineWidths[ClampedIndex(index, LineWidthCount())].value; }

int CPropetiesBar::IndexOf(const CStringArray& list, const CString& text) {
  for (int i = 0; i < list.GetSize(); ++i)
    if (list[i] == text) return i;
  return -1;
}

// ---- The pane ----

int CPropetiesBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  DEF_TRY
  if (CDockablePane::OnCreate(lpCreateStruct) == -1) return -1;
  if (!m_grid.Create(WS_VISIBLE | WS_CHILD, CRect(), this, kGridId)) return -1;
  InitPropList();
  AdjustLayout();
  return 0;
  DEF_CATCH("CPropetiesBar::OnCreate")
  return -1;
}

void CPropetiesBar::InitPropList() {
  DEF_TRY
  m_grid.EnableHeaderCtrl(FALSE, L"Property", L"Value");
  m_grid.SetVSDotNetLook(TRUE);
  m_grid.MarkModifiedProperties(TRUE, TRUE);
  DEF_CATCH("CPropetiesBar::InitPropList")
}

void CPropetiesBar::AdjustLayout() {
  DEF_TRY
  FitChildToClient(*this, m_grid);
  DEF_CATCH("CPropetiesBar::AdjustLayout")
}

void CPropetiesBar::OnSize(UINT nType, int cx, int cy) {
  CDockablePane::OnSize(nType, cx, cy);
  AdjustLayout();
}

void CPropetiesBar::OnSetFocus(CWnd* pOldWnd) {
  CDockablePane::OnSetFocus(pOldWnd);
  if (m_grid.m_hWnd != nullptr) m_grid.SetFocus();
}

// ---- Rows ----

CMFCPropertyGridProperty* CPropetiesBar::ListRow(UINT name, const CStringArray& list, int index, int id,
                                                 UINT description) {
  const CString title = LoadText(name);
  const CString text = list.GetSize() > 0 ? list[ClampedIndex(index, static_cast<int>(list.GetSize()))] : CString();
  CMFCPropertyGridProperty* row = new CMFCPropertyGridProperty(
      title, COleVariant(text), description != 0 ? LoadText(description) : title, static_cast<DWORD_PTR>(id));
  for (int i = 0; i < list.GetSize(); ++i) row->AddOption(list[i]);
  row->AllowEdit(FALSE);
  return row;
}

CMFCPropertyGridProperty* CPropetiesBar::YesNoRow(UINT name, BOOL yes, int id) {
  return ListRow(name, m_yesNo, yes ? 1 : 0, id);
}

void CPropetiesBar::SetPropertyList(const _PROPERTIES& properties, const _OBJECT_STYLE* style, const int* kindMask) {
  DEF_TRY
  m_properties = properties;
  if (style != nullptr) m_style = *style;
  m_printRow = nullptr;
  m_scriptRow = nullptr;
  m_pitchValueRow = nullptr;
  m_kindMask = kindMask != nullptr ? *kindMask : 0;
  if (m_grid.m_hWnd == nullptr) return;
  m_grid.RemoveAll();
  if (m_kindMask == 0) {
    CMFCPropertyGridProperty* blank = new CMFCPropertyGridProperty(L"", COleVariant(L""), L"");
    blank->AllowEdit(FALSE);
    blank->Enable(FALSE);
    m_grid.AddProperty(blank);
    return;
  }
  AddRows(properties, m_style);
  DEF_CATCH("CPropetiesBar::SetPropertyList")
}

// The rows, in order, with the kinds that show them. Texts (1), labels (2), check marks (4), shapes
// (8), lines (16), pictures (32), barcodes (64).
void CPropetiesBar::AddRows(const _PROPERTIES& properties, const _OBJECT_STYLE& style) {
  const int mask = m_kindMask;
  const BOOL text = (mask & (kKindTextField | kKindLabel)) != 0;
  auto add = [this](CMFCPropertyGridProperty* row) { m_grid.AddProperty(row, FALSE, FALSE); };

  m_objectName = properties.name;
  const CString nameTitle = LoadText(IDS_PROP_OBJECT_NAME);
  add(new CMFCPropertyGridProperty(nameTitle, COleVariant(m_objectName), nameTitle, kIdName));
  if (text) add(ListRow(IDS_PROP_TYPE, m_objectTypes, (mask & kKindLabel) ? 1 : 0, kIdType));
  if (mask & (kKindTextField | kKindCheckMark)) {
    const CString title = LoadText(IDS_PROP_TAB_INDEX);
    add(new CMFCPropertyGridProperty(title, COleVariant(static_cast<long>(properties.tabIndex)), title, kIdTabIndex));
  }
  m_printRow = YesNoRow(IDS_PROP_PRINT, style.printable != 0, kIdPrint);
  add(m_printRow);

  if (text) {
    CMFCPropertyGridProperty* font = new CMFCPropertyGridProperty(LoadText(IDS_PROP_FONT_GROUP));
    const CString faceTitle = LoadText(IDS_PROP_FONT);
    CMFCPropertyGridProperty* face =
        new CMFCPropertyGridProperty(faceTitle, COleVariant(CString(style.font.lfFaceName)), faceTitle, kIdFace);
    for (const auto& entry : m_fontMap) face->AddOption(entry.first.c_str());
    face->AllowEdit(FALSE);
    font->AddSubItem(face);
    const CString scriptTitle = LoadText(IDS_PROP_SCRIPT);
    m_scriptRow = new CMFCPropertyGridProperty(scriptTitle, COleVariant(GetCharsetName(style.font.lfCharSet)),
                                               scriptTitle, kIdCharset);
    m_scriptRow->AllowEdit(FALSE);
    font->AddSubItem(m_scriptRow);
    m_currentCharset = style.font.lfCharSet;
    m_faceCharsets.clear();
    CreateCharsetList(style.font.lfFaceName);
    const CString sizeTitle = LoadText(IDS_PROP_SIZE);
    CMFCPropertyGridProperty* size = new CMFCPropertyGridProperty(
        sizeTitle, COleVariant(static_cast<long>(style.font.lfHeight / -10)), sizeTitle, kIdSize);
    for (int points : kFontSizes) {
      CString option;
      option.Format(L"%d", points);
      size->AddOption(option);
    }
    font->AddSubItem(size);
    CMFCPropertyGridColorProperty* color = new CMFCPropertyGridColorProperty(
        LoadText(IDS_PROP_COLOR), style.textColor, nullptr, LoadText(IDS_PROP_COLOR_DESCRIPTION), kIdTextColor);
    color->EnableOtherButton(L"Other...");
    font->AddSubItem(color);
    font->AddSubItem(YesNoRow(IDS_PROP_BOLD, style.font.lfWeight == FW_BOLD, kIdBold));
    font->AddSubItem(YesNoRow(IDS_PROP_ITALIC, style.font.lfItalic == 1, kIdItalic));
    font->AddSubItem(YesNoRow(IDS_PROP_STRIKE_OUT, style.font.lfStrikeOut == 1, kIdStrikeOut));
    font->AddSubItem(YesNoRow(IDS_PROP_UNDERLINE, style.font.lfUnderline == 1, kIdUnderline));
    add(font);

    CMFCPropertyGridProperty* pitch = new CMFCPropertyGridProperty(LoadText(IDS_PROP_PITCH_GROUP));
    pitch->AddSubItem(YesNoRow(IDS_PROP_PITCH_ENABLE, style.textSetting9 == 1, kIdPitchOn));
    const CString valueTitle = LoadText(IDS_PROP_PITCH_VALUE);
    m_pitchValueRow = new CMFCPropertyGridProperty(
        valueTitle, COleVariant(static_cast<long>(PitchToShown(style.textSetting10))), valueTitle, kIdPitch);
    m_pitchValueRow->EnableSpinControl(TRUE, 0, 3600);
    m_pitchValueRow->Enable(style.textSetting9 == 1);
    pitch->AddSubItem(m_pitchValueRow);
    add(pitch);

    add(ListRow(IDS_PROP_ALIGNMENT, m_alignments, style.textSetting11, kIdAlignment, IDS_PROP_ALIGNMENT_DESCRIPTION));
    add(ListRow(IDS_PROP_ORIENTATION, m_orientations, style.textSetting12, kIdOrientation));
    const CString spacingTitle = LoadText(IDS_PROP_LINE_SPACING);
    add(new CMFCPropertyGridProperty(spacingTitle, COleVariant(static_cast<long>(style.textSetting16)), spacingTitle,
                                     kIdLineSpacing));
    add(YesNoRow(IDS_PROP_WORD_WRAP, style.textSetting21 == 1, kIdWordWrap));
    add(YesNoRow(IDS_PROP_MULTILINE, style.textSetting140 == 0, kIdMultiline));
    add(YesNoRow(IDS_PROP_REQUIRED, style.requiredForFilling == 1, kIdRequired));
  }
  if (mask & kKindTextField) add(YesNoRow(IDS_PROP_BORDER, style.flag147 == 1, kIdBorder));
  if (mask & kKindCheckMark) {
    add(YesNoRow(IDS_PROP_CHECK_MARK, style.checkMarkKind == 1, kIdCheckMark));
    add(YesNoRow(IDS_PROP_GROUP, style.checkMarkGroup > 0, kIdGroup));
  }
  if (mask & (kKindTextField | kKindCheckMark | kKindShape | kKindLine)) {
    CMFCPropertyGridColorProperty* color =
        new CMFCPropertyGridColorProperty(LoadText(IDS_PROP_LINE_COLOR), style.color, nullptr,
                                          LoadText(IDS_PROP_LINE_COLOR), kIdLineColor);
    color->EnableOtherButton(L"Other...");
    add(color);
  }
  if (mask & (kKindTextField | kKindCheckMark | kKindShape | kKindLine | kKindBarcode)) {
    CStringArray widths;
    int chosen = 0;
    for (int i = 0; i < LineWidthCount(); ++i) {
      widths.Add(LineWidthText(i));
      if (LineWidthValue(i) == style.lineWidth && chosen == 0) chosen = i;
    }
    add(ListRow(IDS_PROP_LINE_WIDTH, widths, chosen, kIdLineWidth));
  }
  if (mask & (kKindTextField | kKindShape | kKindLine))
    add(ListRow(IDS_PROP_LINE_STYLE, m_lineStyles, style.penStyle, kIdLineStyle, IDS_PROP_LINE_STYLE_DESCRIPTION));
  if (mask & kKindImage) add(YesNoRow(IDS_PROP_TRANSPARENT, style.transparent == 1, kIdTransparent));
  if (mask & kKindBarcode) {
    const CString title = LoadText(IDS_TYPE_TEXT);
    add(new CMFCPropertyGridProperty(title, COleVariant(properties.contentTemplate), title, kIdBarcodeText));
  }
  if (text)
    add(new CMFCFormatProperty(LoadText(IDS_PROP_FORMAT), properties, mask & kKindTextField, m_formats, kIdFormat));
  m_grid.AdjustLayout();
}

// ---- Changes ----

LRESULT CPropetiesBar::OnPropertyChanged(WPARAM, LPARAM lParam) {
  DEF_TRY
  ApplyChange(reinterpret_cast<CMFCPropertyGridProperty*>(lParam));
  DEF_CATCH("CPropetiesBar::OnPropertyChanged")
  return 0;
}

void CPropetiesBar::ApplyChange(CMFCPropertyGridProperty* row) {
  if (row == nullptr) return;
  CMainFrame* frame = GetMainFrame();
  _PROPERTIES working;
  _OBJECT_STYLE style = m_style;
  if (frame != nullptr) frame->GetTextStyleSettings(&style);
  const int id = static_cast<int>(row->GetData());
  const COleVariant& value = row->GetValue();
  const CString text = TextOf(value);
  const int yesNo = IndexOf(m_yesNo, text);
  int number = 0;
  auto send = [&](int sentId) {
    m_style = style;
    if (frame != nullptr) frame->SetDefaultProperty(&working, &style, &sentId);
  };
  // A yes/no row: `field` := 1 for "Yes", 0 for "No"; another text changes nothing.
  auto flag = [&](auto& field) {
    if (yesNo < 0) return;
    field = static_cast<std::remove_reference_t<decltype(field)>>(yesNo);
    send(id);
  };
  auto listIndex = [&](const CStringArray& list, int32_t& field) {
    const int index = IndexOf(list, text);
    if (index < 0) return;
    field = index;
    send(id);
  };

  switch (id) {
    case kIdName:
      working.firstText = m_objectName;
      working.name = text;
      send(id);
      // A second rename before the list is rebuilt starts from this name.
      m_objectName = text;
      break;
    case kIdType: {
      const int index = IndexOf(m_objectTypes, text);
      if (index < 0) break;
      if (frame != nullptr) frame->ConvertTextBox(index == 0);
      if (m_printRow != nullptr) m_printRow->SetValue(COleVariant(m_yesNo[index == 0 ? 1 : 0]));
      break;
    }
    case kIdTabIndex:
      if (NumberOf(value, number) && frame != nullptr) frame->SetTabOrder(&number);
      break;
    case kIdPrint: flag(style.printable); break;
    case kIdFace: {
      wcsncpy(style.font.lfFaceName, text, LF_FACESIZE - 1);
      style.font.lfFaceName[LF_FACESIZE - 1] = 0;
      auto known = m_fontMap.find(static_cast<LPCWSTR>(text));
      if (known != m_fontMap.end() && !known->second.empty()) {
        const std::vector<int>& charsets = known->second;
        BOOL keeps = FALSE;
        for (int charset : charsets) keeps = keeps || charset == m_currentCharset;
        if (keeps) {
          style.font.lfCharSet = m_currentCharset;
        } else {
          style.font.lfCharSet = static_cast<BYTE>(charsets.front());
          if (m_scriptRow != nullptr) m_scriptRow->SetValue(COleVariant(GetCharsetName(charsets.front())));
        }
        CreateCharsetList(text);
      }
      m_currentCharset = style.font.lfCharSet;
      send(id);
      break;
    }
    case kIdCharset:
      for (int charset : m_faceCharsets) {
        if (GetCharsetName(charset) != text) continue;
        style.font.lfCharSet = static_cast<BYTE>(charset);
        m_currentCharset = style.font.lfCharSet;
        send(id);
        break;
      }
      break;
    case kIdSize:
      if (!NumberOf(value, number)) break;
      style.fontSize = number;
      send(id);
      break;
    case kIdTextColor:
    case kIdLineColor: {
      COleVariant copy(value);
      if (FAILED(::VariantChangeType(&copy, &copy, 0, VT_UI4))) break;
      (id == kIdTextColor ? style.textColor : style.color) = static_cast<COLORREF>(copy.ulVal);
      send(id);
      break;
    }
    case kIdBold:
      if (yesNo < 0) break;
      style.font.lfWeight = yesNo == 1 ? FW_BOLD : FW_NORMAL;
      send(id);
      break;
    case kIdItalic: flag(style.font.lfItalic); break;
    case kIdStrikeOut: flag(style.font.lfStrikeOut); break;
    case kIdUnderline: flag(style.font.lfUnderline); break;
    case kIdPitchOn:
      if (yesNo < 0) break;
      style.textSetting9 = yesNo;
      send(id);
      if (m_pitchValueRow == nullptr) break;
      m_pitchValueRow->Enable(yesNo == 1);
      if (yesNo == 1 && NumberOf(m_pitchValueRow->GetValue(), number)) {
        style.textSetting10 = ShownToPitch(number);
        send(kIdPitch);
      }
      break;
    case kIdPitch:
      if (!NumberOf(value, number)) break;
      style.textSetting10 = ShownToPitch(number);
      send(id);
      break;
    case kIdAlignment: listIndex(m_alignments, style.textSetting11); break;
    case kIdOrientation: listIndex(m_orientations, style.textSetting12); break;
    case kIdLineStyle: listIndex(m_lineStyles, style.penStyle); break;
    case kIdLineSpacing:
      if (!NumberOf(value, number)) break;
      style.textSetting16 = number;
      send(id);
      break;
    case kIdWordWrap: flag(style.textSetting21); break;
    case kIdMultiline:
      if (yesNo < 0) break;
      style.textSetting140 = yesNo == 1 ? 0 : 1;
      send(id);
      break;
    case kIdRequired: flag(style.requiredForFilling); break;
    case kIdBorder: flag(style.flag147); break;
    case kIdCheckMark: flag(style.checkMarkKind); break;
    case kIdGroup:
      if (yesNo < 0) break;
      style.checkMarkGroup = yesNo == 1 && frame != nullptr ? frame->GetNextCheckMarkGroup() : 0;
      send(id);
      break;
    case kIdTransparent: flag(style.transparent); break;
    case kIdLineWidth:
      for (int i = 0; i < LineWidthCount(); ++i) {
        if (LineWidthText(i) != text) continue;
        style.lineWidth = LineWidthValue(i);
        send(id);
        break;
      }
      break;
    case kIdBarcodeText:
      working.contentTemplate = text;
      send(id);
      break;
    case kIdFormat:
      working.SetPropertiesFromString(text);
      send(id);
      break;
    default: break;
  }
}

#include "OptionsPropPageGeneral.h"

#include "ErrorLog.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "OptionsSheet.h"
#include "SharedProcs.h"
#include "Units.h"
#include "resource.h"

namespace {

constexpr int kGridTextLimit = 10;
constexpr int kColorColumns = 5;
const wchar_t kFormFolder[] = L"FormFolder";

CString UnitText(int stepInTextUnits, int unit) {
  return unitGetStrValue(unitConvertTextunitTo(stepInTextUnits, unit), unit);
}

}  // namespace

BEGIN_MESSAGE_MAP(COptionsPropPageGeneral, CPropertyPage)
ON_BN_CLICKED(IDC_OPT_MAXIMIZE, OnModified)
ON_BN_CLICKED(IDC_OPT_SNAP, OnModified)
ON_BN_CLICKED(IDC_OPT_EMPTY_DOC, OnModified)
ON_BN_CLICKED(IDC_OPT_EXPLANATORY_DOC, OnModified)
ON_BN_CLICKED(IDC_OPT_PARAGRAPH_MARKS, OnModified)
ON_BN_CLICKED(IDC_OPT_TEXT_FIELD_HEADERS, OnModified)
ON_BN_CLICKED(IDC_OPT_HIGHLIGHT_COLOR, OnModified)
ON_BN_CLICKED(IDC_OPT_PNG_TRANSPARENCY, OnChangeState)
ON_EN_CHANGE(IDC_OPT_TRANSPARENCY_COLOR, OnModified)
ON_EN_CHANGE(IDC_OPT_GRID_X, OnChangeOptionsEditGridX)
ON_EN_CHANGE(IDC_OPT_GRID_Y, OnChangeOptionsEditGridY)
ON_NOTIFY(UDN_DELTAPOS, IDC_OPT_SPIN_GRID_X, OnDeltaposOptionsSpinGridX)
ON_NOTIFY(UDN_DELTAPOS, IDC_OPT_SPIN_GRID_Y, OnDeltaposOptionsSpinGridY)
ON_CBN_SELCHANGE(IDC_OPT_UNITS, OnSelchangeOptionsComboUnits)
ON_BN_CLICKED(IDC_OPT_BROWSE_FORMS, OnBnClickedBrowse)
END_MESSAGE_MAP()

COptionsPropPageGeneral::COptionsPropPageGeneral(CMainFrame* frame)
    : CPropertyPage(IDD_OPTIONS_GENERAL, IDS_TAB_GENERAL), m_frame(frame) {}

COptionsPropPageGeneral::~COptionsPropPageGeneral() = default;

BOOL COptionsPropPageGeneral::ParseGridStep(const CString& text, int unit, int& step) {
  double value = 0;
  if (!StrToDouble(text, value)) return FALSE;
  const double units = unitConvert(value, unit, UNIT_TEXTUNIT);
  // Snapping divides positions by the step: it must be at least one text unit.
  if (!(units >= 1.0) || units > frame_settings::kMaxGridStep) return FALSE;
  step = static_cast<int>(units);
  return TRUE;
}

void COptionsPropPageGeneral::DoDataExchange(CDataExchange* pDX) {
  DEF_TRY
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_OPT_HIGHLIGHT_COLOR, m_colorButton);
  DDX_CBIndex(pDX, IDC_OPT_UNITS, m_unit);
  DDX_Text(pDX, IDC_OPT_GRID_X, m_gridX);
  DDX_Text(pDX, IDC_OPT_GRID_Y, m_gridY);
  DDX_Check(pDX, IDC_OPT_MAXIMIZE, m_maximize);
  DDX_Check(pDX, IDC_OPT_SNAP, m_snapToGrid);
  DDX_Check(pDX, IDC_OPT_EMPTY_DOC, m_emptyDoc);
  DDX_Check(pDX, IDC_OPT_EXPLANATORY_DOC, m_explanatoryDoc);
  DDX_Check(pDX, IDC_OPT_PNG_TRANSPARENCY, m_pngTransparency);
  DDX_Text(pDX, IDC_OPT_TRANSPARENCY_COLOR, m_transparency);
  DDX_Check(pDX, IDC_OPT_FORM_MODE, m_formMode);
  DDX_Check(pDX, IDC_OPT_PARAGRAPH_MARKS, m_paragraphMarks);
  DDX_Check(pDX, IDC_OPT_TEXT_FIELD_HEADERS, m_textFieldHeaders);
  DDX_Text(pDX, IDC_OPT_FORM_FOLDER, m_formFolder);
  DEF_CATCH("COptionsPropPageGeneral::DoDataExchange")
}

BOOL COptionsPropPageGeneral::OnInitDialog() {
  DEF_TRY
  if (m_frame == nullptr) return FALSE;
  const _FRAME_OPTIONS& options = m_frame->GetOptions();
  m_unit = options.unit >= 0 && options.unit <= 2 ? options.unit : 0;
  m_gridX = UnitText(options.gridX, m_unit);
  m_gridY = UnitText(options.gridY, m_unit);
  m_lastGridX = m_gridX;
  m_lastGridY = m_gridY;
  m_maximize = options.maximizeDocument;
  m_snapToGrid = options.snapToGrid;
  m_emptyDoc = options.emptyDocAtStartup;
  m_explanatoryDoc = options.explanatoryDocAtStartup;
  m_pngTransparency = options.pngTransparency;
  m_transparency.Format(L"%08lX", static_cast<unsigned long>(options.transparencyColor));
  m_formMode = options.formModeAtStartup;
  m_paragraphMarks = m_frame->GetParagraphMarksOff() == 0;
  m_textFieldHeaders = options.textFieldHeaders;
  m_formFolder = AfxGetApp()->GetProfileString(L"Settings", kFormFolder, GetInitialFormsPathName());
  m_updating = TRUE;
  if (!CPropertyPage::OnInitDialog()) return FALSE;
  CComboBox* units = static_cast<CComboBox*>(GetDlgItem(IDC_OPT_UNITS));
  FillComboFromString(units, IDS_OPTION_UNITS);
  if (units != nullptr) units->SetCurSel(m_unit);
  m_colorButton.EnableOtherButton(L"Other");
  m_colorButton.SetColumnsNumber(kColorColumns);
  m_colorButton.SetColor(options.highlightColor);
  for (int id : {IDC_OPT_GRID_X, IDC_OPT_GRID_Y})
    SendDlgItemMessage(id, EM_LIMITTEXT, kGridTextLimit, 0);
  GetDlgItem(IDC_OPT_TRANSPARENCY_COLOR)->EnableWindow(m_pngTransparency);
  GetDlgItem(IDC_OPT_TRANSPARENCY_LABEL)->EnableWindow(m_pngTransparency);
  m_updating = FALSE;
  return TRUE;
  DEF_CATCH("COptionsPropPageGeneral::OnInitDialog")
  return FALSE;
}

void COptionsPropPageGeneral::OnModified() {
  if (!m_updating) SetModified(TRUE);
}

void COptionsPropPageGeneral::OnChangeState() {
  DEF_TRY
  UpdateData(TRUE);
  GetDlgItem(IDC_OPT_TRANSPARENCY_COLOR)->EnableWindow(m_pngTransparency);
  GetDlgItem(IDC_OPT_TRANSPARENCY_LABEL)->EnableWindow(m_pngTransparency);
  SetModified(TRUE);
  DEF_CATCH("COptionsPropPageGeneral::OnChangeState")
}

void COptionsPropPageGeneral::KeepNumericText(int editId, CString& lastGood) {
  DEF_TRY
  if (m_updating) return;
  CString text;
  GetDlgItemText(editId, text);
  double value = 0;
  if (text.IsEmpty() || StrToDouble(text, value)) {
    lastGood = text;
    SetModified(TRUE);
    return;
  }
  m_updating = TRUE;
  SetDlgItemText(editId, lastGood);
  m_updating = FALSE;
  DEF_CATCH("COptionsPropPageGeneral::KeepNumericText")
}

void COptionsPropPageGeneral::OnChangeOptionsEditGridX() { KeepNumericText(IDC_OPT_GRID_X, m_lastGridX); }
void COptionsPropPageGeneral::OnChangeOptionsEditGridY() { KeepNumericText(IDC_OPT_GRID_Y, m_lastGridY); }

void COptionsPropPageGeneral::Spin(int editId, const NMHDR* header, LRESULT* result) {
  DEF_TRY
  *result = 0;
  CString text;
  GetDlgItemText(editId, text);
  const int unit = static_cast<int>(SendDlgItemMessage(IDC_OPT_UNITS, CB_GETCURSEL, 0, 0));
  int step = unitConvertToTextunit(StrToDouble(text), unit);
  // The control's upper arrow reports a negative change in its default range.
  const int delta = reinterpret_cast<const NMUPDOWN*>(header)->iDelta;
  step += delta > 0 ? -unitGetDelta(unit) : unitGetDelta(unit);
  SetDlgItemText(editId, unitGetStrValue(unitConvertTextunitTo(step, unit), unit));
  SetModified(TRUE);
  DEF_CATCH("COptionsPropPageGeneral::Spin")
}

void COptionsPropPageGeneral::OnDeltaposOptionsSpinGridX(NMHDR* header, LRESULT* result) {
  Spin(IDC_OPT_GRID_X, header, result);
}
void COptionsPropPageGeneral::OnDeltaposOptionsSpinGridY(NMHDR* header, LRESULT* result) {
  Spin(IDC_OPT_GRID_Y, header, result);
}

void COptionsPropPageGeneral::OnSelchangeOptionsComboUnits() {
  DEF_TRY
  const int oldUnit = m_unit;
  UpdateData(TRUE);
  m_gridX = unitGetStrValue(unitConvert(StrToDouble(m_gridX), oldUnit, m_unit), m_unit);
  m_gridY = unitGetStrValue(unitConvert(StrToDouble(m_gridY), oldUnit, m_unit), m_unit);
  m_updating = TRUE;
  UpdateData(FALSE);
  m_lastGridX = m_gridX;
  m_lastGridY = m_gridY;
  m_updating = FALSE;
  SetModified(TRUE);
  DEF_CATCH("COptionsPropPageGeneral::OnSelchangeOptionsComboUnits")
}

void COptionsPropPageGeneral::OnBnClickedBrowse() {
  DEF_TRY
  const CString stored = AfxGetApp()->GetProfileString(L"Settings", kFormFolder, GetInitialFormsPathName());
  WCHAR chosen[MAX_PATH] = {};
  CString title;
  title.LoadString(IDS_SELECT_FORM_FOLDER);
  if (!ChooseFolder(m_hWnd, title, stored, chosen)) return;
  SetDlgItemText(IDC_OPT_FORM_FOLDER, chosen);
  if (stored.CompareNoCase(chosen) != 0) {
    UpdateData(TRUE);
    SetModified(TRUE);
  }
  DEF_CATCH("COptionsPropPageGeneral::OnBnClickedBrowse")
}

BOOL COptionsPropPageGeneral::UpdateOptions() {
  DEF_TRY
  if (m_frame == nullptr || !UpdateData(TRUE)) return FALSE;
  int gridX = 0, gridY = 0;
  if (!ParseGridStep(m_gridX, m_unit, gridX) || !ParseGridStep(m_gridY, m_unit, gridY)) {
    CString message;
    message.Format(IDS_GRID_STEP_RANGE,
                   static_cast<LPCWSTR>(UnitText(frame_settings::kMaxGridStep, m_unit)));
    ErrorBox(message);
    return FALSE;
  }
  unsigned int color = 0;
  wchar_t rest = 0;
  if (m_transparency.GetLength() != 8 || swscanf(m_transparency, L"%8x%lc", &color, &rest) != 1) {
    ErrorBox(IDS_BAD_TRANSPARENCY_COLOR);
    return FALSE;
  }
  _FRAME_OPTIONS& options = m_frame->Options();
  options.unit = m_unit;
  options.highlightColor = m_colorButton.GetColor();
  options.maximizeDocument = m_maximize;
  options.emptyDocAtStartup = m_emptyDoc;
  options.explanatoryDocAtStartup = m_explanatoryDoc;
  m_frame->SetSnapToGrid(m_snapToGrid);
  options.gridX = gridX;
  options.gridY = gridY;
  options.pngTransparency = m_pngTransparency;
  options.transparencyColor = color;
  options.formModeAtStartup = m_formMode;
  m_frame->SetParagraphMarksOff(m_paragraphMarks ? 0 : 1);
  AfxGetApp()->WriteProfileString(L"Settings", kFormFolder, m_formFolder);
  options.textFieldHeaders = m_textFieldHeaders;
  SetModified(FALSE);
  return TRUE;
  DEF_CATCH("COptionsPropPageGeneral::UpdateOptions")
  return FALSE;
}

void COptionsPropPageGeneral::OnOK() {
  if (UpdateOptions()) CPropertyPage::OnOK();
}

// The sheet's OK and Apply both arrive here; a refused value keeps the sheet open on this page.
BOOL COptionsPropPageGeneral::OnApply() {
  DEF_TRY
  if (!UpdateOptions()) return FALSE;
  CPropertyPage::OnOK();
  return TRUE;
  DEF_CATCH("COptionsPropPageGeneral::OnApply")
  return FALSE;
}

#include "PageSetup.h"

#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MainFrm.h"
#include "PaperTable.h"
#include "SharedProcs.h"
#include "resource.h"

namespace {

int OrientationChoice(int orientation) {
  return orientation == DMORIENT_LANDSCAPE ? CPageSetup::kLandscape : CPageSetup::kPortrait;
}

CString Number(int value) {
  CString text;
  text.Format(L"%d", value);
  return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPageSetup, CDialogEx)
  ON_CBN_SELCHANGE(IDC_COMBO_PAGES, OnSelchangePageList)
  ON_CBN_DROPDOWN(IDC_COMBO_PAGES, OnDropdownPageList)
  ON_CBN_SELCHANGE(IDC_COMBO_FORMAT, OnSelchangeFormat)
  ON_BN_CLICKED(IDC_RADIO_PORTRAIT, OnOrientation)
  ON_BN_CLICKED(IDC_RADIO_LANDSCAPE, OnOrientation)
  ON_BN_CLICKED(IDC_BUTTON_LOAD_PRINTER, OnLoadPrinterPreferences)
  ON_BN_CLICKED(IDC_BUTTON_LOAD_PAGE, OnLoadPageSettings)
  ON_BN_CLICKED(IDC_CHECK_SAVE_PREFERENCES, OnSavePrinterPreferences)
  ON_BN_CLICKED(IDC_BUTTON_PAGE_HELP, OnHelp)
END_MESSAGE_MAP()

CPageSetup::CPageSetup(CWnd* parent) : CDialogEx(IDD_PAGE_SETUP, parent) { SetPrinterPreferencesAndPageSettings(); }

CPageSetup::~CPageSetup() {
  DEF_TRY
  for (_PAGE_SETTINGS* entry : m_pageSettings) delete entry;
  m_pageSettings.clear();
  DEF_CATCH("CTranspBaseClass::~CPageSetup")
}

void CPageSetup::SetPrinterPreferencesAndPageSettings() {
  DEF_TRY
  CMDIFrameWnd* frame = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
  CMDIChildWnd* child = frame != nullptr ? frame->MDIGetActive() : nullptr;
  CFolimarView* view = child != nullptr ? dynamic_cast<CFolimarView*>(child->GetActiveView()) : nullptr;
  m_doc = view != nullptr ? dynamic_cast<CFolimarDoc*>(view->GetDocument()) : nullptr;
  if (m_doc == nullptr) return;
  m_activePage = view->GetActivePage();

  _PRINTER_PREFERENCES preferences = {};
  m_doc->GetPrinterPreferences(preferences);
  m_savePreferences = preferences.savedPrintingPreferences;
  m_applyToPrinter = preferences.applyToPrinter;
  if (m_savePreferences) TakePrinterFields(preferences);
  for (int page = 0; page < m_doc->GetPageCount(); ++page) {
    _PAGE_SETTINGS* entry = new _PAGE_SETTINGS;
    memset(entry, 0, sizeof(*entry));
    m_doc->GetPageSettings(*entry, page);
    m_pageSettings.push_back(entry);
  }
  DEF_CATCH("CPageSetup::SetPrinterPreferencesAndPageSettings")
}

void CPageSetup::TakePrinterFields(const _PRINTER_PREFERENCES& preferences) {
  m_printerName = preferences.printerName;
  m_printerPort = preferences.portName;
  m_printQuality = preferences.printQuality;
  m_yResolution = preferences.yResolution;
  m_resolutionText.Format(L"%d x %d", m_printQuality, m_yResolution);
  m_scale = preferences.scale;
  m_copies = preferences.copies;
  m_defaultSource = preferences.defaultSource;
  m_scaleText = Number(m_scale);
  m_copiesText = Number(m_copies);
  m_sourceText = Number(m_defaultSource);
}

void CPageSetup::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Radio(pDX, IDC_RADIO_PORTRAIT, m_orientation);
  DDX_CBIndex(pDX, IDC_COMBO_FORMAT, m_paperIndex);
  DDX_Text(pDX, IDC_EDIT_PAPER_WIDTH, m_widthText);
  DDX_Text(pDX, IDC_EDIT_PAPER_HEIGHT, m_heightText);
  DDX_Text(pDX, IDC_EDIT_PRINTER_RESOLUTION, m_resolutionText);
  DDX_Text(pDX, IDC_EDIT_PRINTER_NAME, m_printerName);
  DDX_Text(pDX, IDC_EDIT_PRINTER_PORT, m_printerPort);
  DDX_Text(pDX, IDC_EDIT_COPIES, m_copiesText);
  DDX_Text(pDX, IDC_EDIT_SOURCE, m_sourceText);
  DDX_Text(pDX, IDC_EDIT_SCALE, m_scaleText);
  DDX_Check(pDX, IDC_CHECK_SAVE_PREFERENCES, m_savePreferences);
  DDX_Check(pDX, IDC_CHECK_APPLY_PRINTER, m_applyToPrinter);
}

BOOL CPageSetup::OnInitDialog() {
  DEF_TRY
  CComboBox* formats = static_cast<CComboBox*>(GetDlgItem(IDC_COMBO_FORMAT));
  for (const wchar_t* name : PaperTableNames) formats->AddString(name);
  CComboBox* pages = static_cast<CComboBox*>(GetDlgItem(IDC_COMBO_PAGES));
  for (size_t page = 1; page <= m_pageSettings.size(); ++page) {
    CString text;
    text.Format(L"Page %d", static_cast<int>(page));
    pages->AddString(text);
  }
  pages->SetCurSel(m_activePage);
  CDialogEx::OnInitDialog();
  GetDlgItem(IDC_CHECK_SAVE_PREFERENCES)->EnableWindow(m_savePreferences != 0);
  for (int id : {IDC_EDIT_PRINTER_RESOLUTION, IDC_EDIT_PRINTER_NAME, IDC_EDIT_PRINTER_PORT, IDC_EDIT_SOURCE,
                 IDC_EDIT_COPIES, IDC_EDIT_SCALE})
    SendDlgItemMessage(id, EM_SETREADONLY, TRUE, 0);
  SetCheckmarks();
  OnSelchangePageList();
  OnSelchangeFormat();
  m_initialised = TRUE;
  DEF_CATCH("CPageSetup::OnInitDialog")
  return TRUE;
}

void CPageSetup::SetPaperSize() {
  DEF_TRY
  double width = m_customWidth, height = m_customHeight;
  if (m_paperIndex >= kPaperLetter && m_paperIndex <= kPaperLastRow) {
    width = PaperTable[m_paperIndex].width;
    height = PaperTable[m_paperIndex].height;
    if (m_orientation == kLandscape) std::swap(width, height);
  }
  m_widthText.Format(L"%.2f", width);
  m_heightText.Format(L"%.2f", height);
  const BOOL readOnly = m_paperIndex != kPaperCustom;
  SendDlgItemMessage(IDC_EDIT_PAPER_WIDTH, EM_SETREADONLY, readOnly, 0);
  SendDlgItemMessage(IDC_EDIT_PAPER_HEIGHT, EM_SETREADONLY, readOnly, 0);
  DEF_CATCH("CPageSetup::SetPaperSize")
}

_PAGE_SETTINGS* CPageSetup::SelectedEntry() {
  const int page = static_cast<int>(SendDlgItemMessage(IDC_COMBO_PAGES, CB_GETCURSEL, 0, 0));
  if (page < 0 || page >= static_cast<int>(m_pageSettings.size())) {
    AppendErrorLog(L"CPageSetup: no settings for the selected page");
    return nullptr;
  }
  return m_pageSettings[page];
}

void CPageSetup::ShowPrinterForm(const wchar_t* formName) {
  CComboBox* formats = static_cast<CComboBox*>(GetDlgItem(IDC_COMBO_FORMAT));
  if (formats->GetCount() > kPaperPrinterForm) formats->DeleteString(kPaperPrinterForm);
  formats->AddString(formName);
  formats->SetCurSel(kPaperPrinterForm);
}

void CPageSetup::OnSelchangePageList() {
  DEF_TRY
  const _PAGE_SETTINGS* entry = SelectedEntry();
  if (entry == nullptr) return;
  m_orientation = OrientationChoice(entry->orientation);
  // A stored index outside the table and the printer's form is taken as a custom size.
  m_paperIndex = entry->paperIndex >= kPaperCustom && entry->paperIndex <= kPaperPrinterForm ? entry->paperIndex
                                                                                               : kPaperCustom;
  m_customWidth = entry->width;
  m_customHeight = entry->height;
  m_paperSize = entry->paperSize;
  lstrcpynW(m_formName, entry->formName, _countof(m_formName));
  if (m_paperIndex == kPaperPrinterForm) ShowPrinterForm(m_formName);
  SetPaperSize();
  UpdateData(FALSE);
  if (m_paperIndex != kPaperPrinterForm) m_paperSize = static_cast<short>(PaperTable[m_paperIndex].paperSize);
  DEF_CATCH("CPageSetup::OnSelchangePageList")
}

void CPageSetup::OnDropdownPageList() { CopyFromAttributesToPageSettings(); }

void CPageSetup::OnSelchangeFormat() {
  DEF_TRY
  UpdateData(TRUE);
  // The code follows the format chosen, so the printer is never sent the code of another paper.
  if (m_paperIndex >= kPaperCustom && m_paperIndex <= kPaperLastRow)
    m_paperSize = static_cast<short>(PaperTable[m_paperIndex].paperSize);
  SetPaperSize();
  UpdateData(FALSE);
  DEF_CATCH("CPageSetup::OnSelchangeFormat")
}

void CPageSetup::OnOrientation() {
  DEF_TRY
  const int before = m_orientation;
  if (m_paperIndex == kPaperCustom) GetCustomSize(m_customWidth, m_customHeight);
  UpdateData(TRUE);
  // Clicking the orientation already chosen turns nothing.
  if (m_orientation != before && (m_paperIndex == kPaperCustom || m_paperIndex == kPaperPrinterForm))
    std::swap(m_customWidth, m_customHeight);
  SetPaperSize();
  UpdateData(FALSE);
  DEF_CATCH("CPageSetup::OnOrientation")
}

void CPageSetup::GetCustomSize(double& width, double& height) {
  CString widthText, heightText;
  GetDlgItemText(IDC_EDIT_PAPER_WIDTH, widthText);
  GetDlgItemText(IDC_EDIT_PAPER_HEIGHT, heightText);
  width = StrToDouble(widthText);
  height = StrToDouble(heightText);
}

void CPageSetup::GetPageSize(double& width, double& height) {
  if (m_paperIndex >= kPaperLetter && m_paperIndex <= kPaperLastRow) {
    width = PaperTable[m_paperIndex].width;
    height = PaperTable[m_paperIndex].height;
    if (m_orientation == kLandscape) std::swap(width, height);
  } else {
    GetCustomSize(width, height);
  }
}

void CPageSetup::CopyFromAttributesToPageSettings() {
  DEF_TRY
  UpdateData(TRUE);
  _PAGE_SETTINGS* entry = SelectedEntry();
  if (entry == nullptr) return;
  entry->orientation = static_cast<int16_t>(m_orientation + 1);
  entry->paperIndex = m_paperIndex;
  entry->paperSize = m_paperSize;
  GetPageSize(entry->width, entry->height);
  lstrcpynW(entry->formName, m_formName, _countof(entry->formName));
  DEF_CATCH("CPageSetup::CopyFromAttributesToPageSettings")
}

void CPageSetup::BuildPrinterPreferences(_PRINTER_PREFERENCES& preferences) {
  preferences.savedPrintingPreferences = m_savePreferences;
  preferences.printerName = m_printerName;
  preferences.portName = m_printerPort;
  preferences.printQuality = m_printQuality;
  preferences.yResolution = m_yResolution;
  preferences.orientation = static_cast<short>(m_orientation + 1);
  preferences.paperIndex = static_cast<short>(m_paperIndex);
  preferences.paperSize = m_paperSize;
  preferences.scale = m_scale;
  preferences.copies = m_copies;
  preferences.defaultSource = m_defaultSource;
  lstrcpynW(preferences.formName, m_formName, _countof(preferences.formName));
  preferences.applyToPrinter = m_applyToPrinter;
  GetPageSize(preferences.paperWidth, preferences.paperLength);
}

void CPageSetup::OnOK() {
  DEF_TRY
  CopyFromAttributesToPageSettings();
  if (m_doc != nullptr) {
    _PRINTER_PREFERENCES preferences = {};
    BuildPrinterPreferences(preferences);
    m_doc->SetPrinterPreferences(preferences);
    for (size_t page = 0; page < m_pageSettings.size(); ++page)
      m_doc->SetPageSettings(*m_pageSettings[page], static_cast<int>(page));
  }
  EndDialog(IDOK);
  DEF_CATCH("CPageSetup::OnOK")
}

void CPageSetup::OnLoadPrinterPreferences() {
  DEF_TRY
  CFolimarApp* app = GetFolimarApp();
  if (app == nullptr) return;
  _PRINTER_PREFERENCES printer = {};
  app->GetCurrentPrinterPreferences(printer);
  m_savePreferences = 1;
  m_applyToPrinter = 1;
  TakePrinterFields(printer);
  m_paperSize = printer.paperSize;
  GetDlgItem(IDC_CHECK_SAVE_PREFERENCES)->EnableWindow(TRUE);
  SetCheckmarks();
  UpdateData(FALSE);
  DEF_CATCH("CPageSetup::OnLoadPrinterPreferences")
}

void CPageSetup::OnLoadPageSettings() {
  DEF_TRY
  CFolimarApp* app = GetFolimarApp();
  if (app == nullptr) return;
  _PRINTER_PREFERENCES printer = {};
  app->GetCurrentPrinterPreferences(printer);
  m_paperSize = printer.paperSize;
  lstrcpynW(m_formName, printer.formName, _countof(m_formName));
  m_paperIndex = kPaperCustom;
  for (int row = kPaperLastRow; row >= kPaperLetter; --row)
    if (PaperTable[row].paperSize == printer.paperSize) {
      m_paperIndex = row;
      break;
    }
  if (m_paperIndex != kPaperCustom) {
    m_customWidth = printer.paperWidth;
    m_customHeight = printer.paperLength;
  } else {
    ShowPrinterForm(m_formName);
    CPrintDialog defaults(FALSE);
    HDC dc = defaults.GetDefaults() ? defaults.m_pd.hDC : nullptr;
    if (dc != nullptr) {
      m_customWidth = static_cast<double>(GetDeviceCaps(dc, PHYSICALWIDTH)) / GetDeviceCaps(dc, LOGPIXELSX);
      m_customHeight = static_cast<double>(GetDeviceCaps(dc, PHYSICALHEIGHT)) / GetDeviceCaps(dc, LOGPIXELSY);
    } else {
      AppendErrorLog(L"CPageSetup::OnLoadPageSettings: hDC == NULL");
    }
    UpdateData(TRUE);
  }
  m_orientation = OrientationChoice(printer.orientation);
  SetPaperSize();
  m_applyToPrinter = 1;
  UpdateData(FALSE);
  DEF_CATCH("CPageSetup::OnLoadPageSettings")
}

void CPageSetup::SetCheckmarks() {
  DEF_TRY
  if (m_savePreferences) m_applyToPrinter = 1;
  GetDlgItem(IDC_CHECK_APPLY_PRINTER)->EnableWindow(!m_savePreferences);
  DEF_CATCH("CPageSetup::SetCheckmarks")
}

void CPageSetup::OnSavePrinterPreferences() {
  DEF_TRY
  if (!m_printerName.IsEmpty()) {
    UpdateData(TRUE);
    SetCheckmarks();
  }
  UpdateData(FALSE);
  DEF_CATCH("CPageSetup::OnSavePrinterPreferences")
}

void CPageSetup::OnHelp() {
  DEF_TRY
  if (CMainFrame* frame = GetMainFrame()) frame->ShowHelpTopic(L"3020.htm");
  DEF_CATCH("CPageSetup::OnHelp")
}

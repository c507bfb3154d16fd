#include "ViewDialogs.h"

#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "MyProcs.h"
#include "resource.h"

// ---- Group name ----

CBlockNameDlg::CBlockNameDlg(CWnd* parent) : CDialogEx(IDD_BLOCK_NAME, parent) {}

void CBlockNameDlg::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_BLOCK_NAME, m_name);
}

BOOL CBlockNameDlg::OnInitDialog() {
  DEF_TRY
  CDialogEx::OnInitDialog();
  GotoDlgCtrl(GetDlgItem(IDC_BLOCK_NAME));
  return FALSE;  // the focus is set
  DEF_CATCH("CBlockNameDlg::OnInitDialog")
  return TRUE;
}

// ---- Find ----

CFindDlg::CFindDlg(CWnd* parent) : CDialogEx(IDD_FIND, parent) {}

void CFindDlg::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_FIND_TEXT, m_text);
  // The radio group's first button is Up (0), the second Down (1).
  DDX_Radio(pDX, IDC_FIND_UP, m_direction);
  DDX_Check(pDX, IDC_FIND_MATCH_CASE, m_matchCase);
}

BOOL CFindDlg::OnInitDialog() {
  DEF_TRY
  CDialogEx::OnInitDialog();
  GotoDlgCtrl(GetDlgItem(IDC_FIND_TEXT));
  return FALSE;
  DEF_CATCH("CFindDlg::OnInitDialog")
  return TRUE;
}

// ---- Hint ----

CInfoBox::CInfoBox(CWnd* parent) : CDialogEx(IDD_INFO_BOX, parent) {}

void CInfoBox::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_INFO_MESSAGE, m_message);
  DDX_Check(pDX, IDC_INFO_DO_NOT_SHOW, m_doNotShow);
}

BOOL ShowInfoBoxDialog(LPCTSTR text) {
  DEF_TRY
  CInfoBox box(AfxGetMainWnd());
  box.m_message = text;
  box.DoModal();
  return box.m_doNotShow != 0;
  DEF_CATCH("ShowInfoBoxDialog")
  return FALSE;
}

// ---- Document or page ----

CSelectDocOrPage::CSelectDocOrPage(CWnd* parent) : CDialogEx(IDD_SELECT_DOC_OR_PAGE, parent) {}

void CSelectDocOrPage::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Radio(pDX, IDC_SELECT_DOCUMENT, m_choice);
}

BOOL CSelectDocOrPage::OnInitDialog() {
  DEF_TRY
  CDialogEx::OnInitDialog();
  SetWindowText(m_caption);
  DEF_CATCH("CSelectDocOrPage::OnInitDialog")
  return TRUE;
}

// ---- Mail format ----

namespace {

const struct {
  LPCWSTR name;
  bool document;
  bool severalPages;
} kMailFormats[] = {
    {L"PDF", false, true}, {L"Document", true, true}, {L"TIFF", false, true}, {L"Bitmap", false, false},
    {L"PCX", false, false}, {L"JPEG", false, false}, {L"PNG", false, false}, {L"GIF", false, false},
};
const int kMailFormatCount = sizeof(kMailFormats) / sizeof(kMailFormats[0]);

}  // namespace

CSendMailDialog::CSendMailDialog(int allowPdf, CWnd* parent) : CDialogEx(IDD_SEND_MAIL, parent), m_allowPdf(allowPdf) {}

BOOL CSendMailDialog::OnInitDialog() {
  DEF_TRY
  CDialogEx::OnInitDialog();
  CComboBox* combo = static_cast<CComboBox*>(GetDlgItem(IDC_MAIL_FORMAT));
  if (combo == nullptr) return TRUE;
  combo->ResetContent();
  for (int id = m_allowPdf ? 0 : 1; id < kMailFormatCount; ++id) {
    if ((m_excludeDocument && kMailFormats[id].document) || (m_multiPageOnly && !kMailFormats[id].severalPages))
      continue;
    combo->SetItemData(combo->AddString(kMailFormats[id].name), static_cast<DWORD_PTR>(id));
  }
  combo->SetCurSel(0);
  const int stored = ReadSettingInt(L"SendMailFormat", 0);
  for (int row = 0; row < combo->GetCount(); ++row)
    if (static_cast<int>(combo->GetItemData(row)) == stored) combo->SetCurSel(row);
  DEF_CATCH("CSendMailDialog::OnInitDialog")
  return TRUE;
}

void CSendMailDialog::OnOK() {
  DEF_TRY
  CComboBox* combo = static_cast<CComboBox*>(GetDlgItem(IDC_MAIL_FORMAT));
  m_selectedRow = combo != nullptr ? combo->GetCurSel() : -1;
  if (m_selectedRow >= 0) {
    m_format = static_cast<int>(combo->GetItemData(m_selectedRow));
    WriteSettingInt(L"SendMailFormat", m_format);
  }
  DEF_CATCH("CSendMailDialog::OnOK")
  CDialogEx::OnOK();
}

// ---- Fax printer ----

CSendFaxDialog::CSendFaxDialog(CWnd* parent) : CDialogEx(IDD_SEND_FAX, parent) {}

BOOL CSendFaxDialog::OnInitDialog() {
  DEF_TRY
  CDialogEx::OnInitDialog();
  CComboBox* combo = static_cast<CComboBox*>(GetDlgItem(IDC_FAX_DRIVER));
  if (combo == nullptr) return TRUE;
  DWORD needed = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 5, nullptr, 0, &needed, &m_printerCount);
  m_printerCount = 0;
  if (needed > 0) {
    m_printers.resize(needed);
    if (!EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 5, m_printers.data(), needed, &needed, &m_printerCount)) {
      m_printers.clear();
      m_printerCount = 0;
    }
  }
  const PRINTER_INFO_5W* info = reinterpret_cast<const PRINTER_INFO_5W*>(m_printers.data());
  const CString stored = ReadSettingString(L"FaxDriverName", L"");
  int selected = 0;
  for (DWORD i = 0; i < m_printerCount; ++i) {
    const int row = combo->AddString(info[i].pPrinterName);
    combo->SetItemData(row, i);
    if (stored == info[i].pPrinterName) selected = row;
  }
  combo->SetCurSel(m_printerCount > 0 ? selected : -1);
  DEF_CATCH("CSendFaxDialog::OnInitDialog")
  return TRUE;
}

void CSendFaxDialog::OnOK() {
  DEF_TRY
  CComboBox* combo = static_cast<CComboBox*>(GetDlgItem(IDC_FAX_DRIVER));
  const int row = combo != nullptr ? combo->GetCurSel() : -1;
  m_chosen = row >= 0 ? static_cast<int>(combo->GetItemData(row)) : -1;
  CString name, port;
  if (GetSelectedPrinter(name, port)) WriteSettingString(L"FaxDriverName", name);
  DEF_CATCH("CSendFaxDialog::OnOK")
  CDialogEx::OnOK();
}

int CSendFaxDialog::GetSelectedPrinter(CString& name, CString& port) const {
  if (m_printers.empty() || m_chosen < 0 || static_cast<DWORD>(m_chosen) >= m_printerCount) return 0;
  const PRINTER_INFO_5W& info = reinterpret_cast<const PRINTER_INFO_5W*>(m_printers.data())[m_chosen];
  name = info.pPrinterName;
  port = info.pPortName;
  return 1;
}

// ---- Form name ----

CFormNameDlg::CFormNameDlg(CWnd* parent) : CDialogEx(IDD_FORM_NAME, parent) {}

void CFormNameDlg::SetNames(LPCTSTR formName, LPCTSTR fileName) {
  m_formName = formName;
  m_fileName = fileName;
}

void CFormNameDlg::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_FORM_NAME, m_formName);
  DDX_Text(pDX, IDC_FORM_FILE_NAME, m_fileName);
}

BOOL CFormNameDlg::OnInitDialog() {
  DEF_TRY
  CDialogEx::OnInitDialog();
  CEdit* edit = static_cast<CEdit*>(GetDlgItem(IDC_FORM_NAME));
  if (edit == nullptr) return TRUE;
  GotoDlgCtrl(edit);
  edit->SetSel(0, -1);
  return FALSE;
  DEF_CATCH("CFormNameDlg::OnInitDialog")
  return TRUE;
}

BOOL AskFormName(CString& formName, CString& fileName) {
  DEF_TRY
  CFormNameDlg dialog(AfxGetMainWnd());
  dialog.SetNames(formName, fileName);
  if (dialog.DoModal() != IDOK) return FALSE;
  formName = dialog.m_formName;
  fileName = dialog.m_fileName;
  return TRUE;
  DEF_CATCH("AskFormName")
  return FALSE;
}

void RegisterViewDialogs() {
  SetInfoBoxPresenter(ShowInfoBoxDialog);
  CFolimarDoc::SetFormNamePrompt(AskFormName);
}

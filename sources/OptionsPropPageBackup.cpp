#include "OptionsPropPageBackup.h"

#include "ErrorLog.h"
#include "MyProcs.h"
#include "SharedProcs.h"
#include "resource.h"

namespace {
const wchar_t kSection[] = L"Settings";
const wchar_t kAutoBackup[] = L"AutoBackup";
const wchar_t kOnClose[] = L"OnClose";
const wchar_t kPath[] = L"AutoBackupFilePath";
}  // namespace

BEGIN_MESSAGE_MAP(COptionsPropPageBackup, CPropertyPage)
ON_BN_CLICKED(IDC_OPT_AUTO_BACKUP, OnBnClickedCheckAutoBackup)
ON_BN_CLICKED(IDC_OPT_BACKUP_BROWSE, OnBnClickedBrowse)
ON_BN_CLICKED(IDC_OPT_ON_CLOSE, OnModified)
ON_BN_CLICKED(IDC_OPT_EVERY_WEEK, OnModified)
END_MESSAGE_MAP()

COptionsPropPageBackup::COptionsPropPageBackup() : CPropertyPage(IDD_OPTIONS_BACKUP) {
  DEF_TRY
  CWinApp* app = AfxGetApp();
  m_autoBackup = app->GetProfileInt(kSection, kAutoBackup, 0) != 0 ? 1 : 0;
  m_onClose = app->GetProfileInt(kSection, kOnClose, 0) == 1 ? 1 : 0;
  DEF_CATCH("COptionsPropPageBackup::COptionsPropPageBackup")
}

COptionsPropPageBackup::~COptionsPropPageBackup() {
  DEF_TRY
  // The page has no apply step: what it last read from its controls is kept, also after Cancel.
  CWinApp* app = AfxGetApp();
  app->WriteProfileInt(kSection, kAutoBackup, m_autoBackup);
  app->WriteProfileInt(kSection, kOnClose, m_onClose);
  DEF_CATCH("COptionsPropPageBackup::~COptionsPropPageBackup")
}

void COptionsPropPageBackup::DoDataExchange(CDataExchange* pDX) {
  DEF_TRY
  CPropertyPage::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_OPT_AUTO_BACKUP, m_autoBackup);
  DDX_Radio(pDX, IDC_OPT_ON_CLOSE, m_onClose);
  DDX_Text(pDX, IDC_OPT_BACKUP_PATH, m_path);
  DEF_CATCH("COptionsPropPageBackup::DoDataExchange")
}

BOOL COptionsPropPageBackup::OnInitDialog() {
  DEF_TRY
  if (!CPropertyPage::OnInitDialog()) return FALSE;
  OnBnClickedCheckAutoBackup();
  m_path = AfxGetApp()->GetProfileString(kSection, kPath, GetInitialAutoBackupFilePath());
  SetDlgItemText(IDC_OPT_BACKUP_PATH, m_path);
  return TRUE;
  DEF_CATCH("COptionsPropPageBackup::OnInitDialog")
  return FALSE;
}

void COptionsPropPageBackup::OnModified() { SetModified(TRUE); }

void COptionsPropPageBackup::OnBnClickedCheckAutoBackup() {
  DEF_TRY
  UpdateData(TRUE);
  for (int id : {IDC_OPT_ON_CLOSE, IDC_OPT_EVERY_WEEK, IDC_OPT_BACKUP_BROWSE}) GetDlgItem(id)->EnableWindow(m_autoBackup);
  SetModified(TRUE);
  DEF_CATCH("COptionsPropPageBackup::OnBnClickedCheckAutoBackup")
}

void COptionsPropPageBackup::OnBnClickedBrowse() {
  DEF_TRY
  const CString stored = AfxGetApp()->GetProfileString(kSection, kPath, GetInitialAutoBackupFilePath());
  CFileDialog dialog(FALSE, L"7z", ExtractFileName(stored),
                     OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING, L"7z (*.7z)|*.7z|", this);
  const CString folder = ExtractFilePath(stored);
  dialog.m_ofn.lpstrInitialDir = folder;
  if (dialog.DoModal() != IDOK) return;
  m_path = dialog.GetPathName();
  AfxGetApp()->WriteProfileString(kSection, kPath, m_path);
  SetDlgItemText(IDC_OPT_BACKUP_PATH, m_path);
  SetModified(TRUE);
  DEF_CATCH("COptionsPropPageBackup::OnBnClickedBrowse")
}

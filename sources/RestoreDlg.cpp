#include "RestoreDlg.h"

#include <vector>

#include "Archiver.h"
#include "ErrorLog.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "SharedProcs.h"
#include "resource.h"

namespace {

// The archive's time keeps whole seconds, a file system may keep less than that.
const ULONGLONG kTimeSlack = 2ULL * 10000000ULL;

CString Text(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

BOOL NameExists(const CString& path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

ULONGLONG Ticks(const FILETIME& time) { return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

// An entry inside `folder` (relative, any case) is extracted into a folder that was moved away.
BOOL LiesIn(const CString& entryPath, const CString& folder) {
  CString path = entryPath;
  path.Replace(L'/', L'\\');
  return path.GetLength() > folder.GetLength() && path[folder.GetLength()] == L'\\' &&
         path.Left(folder.GetLength()).CompareNoCase(folder) == 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CRestoreDlg, CDialogEx)
  ON_BN_CLICKED(IDC_BACKUP_BROWSE, OnBnClickedBrowse)
  ON_BN_CLICKED(IDOK, OnBnClickedRestore)
  ON_BN_CLICKED(IDC_BACKUP_HELP, OnBnClickedRestoreHelp)
END_MESSAGE_MAP()

CRestoreDlg::CRestoreDlg(CWnd* parent) : CDialogEx(IDD_RESTORE, parent) {}

CRestoreDlg::~CRestoreDlg() {}

void CRestoreDlg::DoDataExchange(CDataExchange* pDX) {
  DEF_TRY
  CDialogEx::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_BACKUP_FILE, m_archivePath);
  DDX_Text(pDX, IDC_BACKUP_STATUS, m_status);
  DEF_CATCH("CRestoreDlg::DoDataExchange")
}

BOOL CRestoreDlg::OnInitDialog() {
  DEF_TRY
  CDialogEx::OnInitDialog();
  SetWindowText(Text(IDS_RESTORE_TITLE));
  SetDlgItemText(IDOK, Text(IDS_RESTORE_BUTTON));
  SetDlgItemText(IDCANCEL, Text(IDS_CANCEL_BUTTON));
  SetDlgItemText(IDC_BACKUP_HELP, Text(IDS_HELP_BUTTON));
  SetDlgItemText(IDC_BACKUP_BROWSE, Text(IDS_BACKUP_BROWSE));
  SetDlgItemText(IDC_BACKUP_FILE_LABEL, Text(IDS_BACKUP_FILE_LABEL));
  DEF_CATCH("CRestoreDlg::OnInitDialog")
  return TRUE;
}

void CRestoreDlg::OnBnClickedBrowse() {
  DEF_TRY
  CFileDialog dialog(TRUE, L"7z", nullptr, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING,
                     L"7z (*.7z)|*.7z|", this);
  const CString initialFolder = ReadSettingString(L"InitialBackupDir", GetInitialBackupFolder());
  dialog.m_ofn.lpstrInitialDir = initialFolder;
  if (dialog.DoModal() != IDOK) return;
  m_archivePath = dialog.GetPathName();
  WriteSettingString(L"InitialBackupDir", ExtractFilePath(m_archivePath));
  SetDlgItemText(IDC_BACKUP_FILE, m_archivePath);
  if (m_archivePath.IsEmpty()) return;
  if (FileExists(m_archivePath)) GetDlgItem(IDOK)->EnableWindow(TRUE);
  else ErrorBox(Text(IDS_RESTORE_NO_FILE));
  DEF_CATCH("CRestoreDlg::OnBnClickedBrowse")
}

void CRestoreDlg::OnBnClickedRestoreHelp() {
  DEF_TRY
  if (CMainFrame* frame = GetMainFrame()) frame->HelpRestore();
  DEF_CATCH("CRestoreDlg::OnBnClickedRestoreHelp")
}

void CRestoreDlg::OnBnClickedRestore() {
  DEF_TRY
  if (m_bDone) {
    EndDialog(IDOK);
    return;
  }
  CWaitCursor wait;
  UpdateData(TRUE);
  CCurrentFolderSwitch documents(GetMyDocumentsPathName());
  if (!documents.Entered()) return;
  // The archive is judged before anything moves, so a refused one leaves the documents as they were.
  const BOOL proceed = CheckArchive() && MoveFolder();
  if (proceed) Restore();
  if (!documents.Leave()) return;
  if (!proceed) return;
  // The forms pane and the shelf show the restored files.
  if (CMainFrame* frame = GetMainFrame()) {
    frame->LoadForms();
    frame->LoadShelfCollection();
  }
  m_status = Text(IDS_RESTORE_FINISHED);
  SetDlgItemText(IDC_BACKUP_STATUS, m_status);
  SetDlgItemText(IDOK, Text(IDS_BACKUP_DONE_BUTTON));
  m_bDone = 1;
  DEF_CATCH("CRestoreDlg::OnBnClickedRestore")
}

BOOL CRestoreDlg::CheckArchive() {
  DEF_TRY
  if (m_archivePath.IsEmpty()) return FALSE;
  std::vector<ArchiveEntry> entries;
  DWORD exitCode = 0;
  DWORD error = 0;
  CString message;
  if (!ListArchive(m_archivePath, entries, exitCode, error)) {
    message.Format(Text(IDS_BACKUP_FAILED), static_cast<int>(error != 0 ? error : exitCode));
    AppendErrorLog(message + L" " + m_archivePath);
    ErrorBox(message);
    return FALSE;
  }
  for (const ArchiveEntry& entry : entries) {
    if (!EscapesExtractionFolder(entry.path)) continue;
    message.Format(Text(IDS_RESTORE_UNSAFE_ARCHIVE), static_cast<LPCTSTR>(m_archivePath));
    AppendErrorLog(message + L" " + entry.path);
    ErrorBox(message);
    return FALSE;
  }
  // The documents folder is moved away before extracting; only files elsewhere can be replaced.
  int newer = 0;
  for (const ArchiveEntry& entry : entries) {
    if (entry.folder || !entry.hasTime || LiesIn(entry.path, kProductFolder)) continue;
    WIN32_FILE_ATTRIBUTE_DATA existing = {};
    if (!GetFileAttributesExW(entry.path, GetFileExInfoStandard, &existing)) continue;
    if (Ticks(existing.ftLastWriteTime) > Ticks(entry.modified) + kTimeSlack) ++newer;
  }
  if (newer == 0) return TRUE;
  message.Format(Text(IDS_RESTORE_NEWER_FILES), newer);
  return YesNoBox(message) == IDYES;
  DEF_CATCH("CRestoreDlg::CheckArchive")
  return FALSE;
}

BOOL CRestoreDlg::MoveFolder() {
  DEF_TRY
  m_documentsFolder = GetMyDocumentsPathName() + L"\\" + kProductFolder;
  if (!NameExists(m_documentsFolder)) return TRUE;
  const CString newFolder = GetNewFolder();
  if (!newFolder.IsEmpty() && MoveFileW(m_documentsFolder, newFolder)) return TRUE;
  CString message;
  message.Format(Text(IDS_RESTORE_MOVE_FAILED), static_cast<int>(GetLastError()));
  AppendErrorLog(message);
  ErrorBox(message);
  return FALSE;
  DEF_CATCH("CRestoreDlg::MoveFolder")
  return FALSE;
}

CString CRestoreDlg::GetNewFolder() {
  DEF_TRY
  return NextFreeName(L"%s Copy%d", m_documentsFolder, m_nextCopy);
  DEF_CATCH("CRestoreDlg::GetNewFolder")
  return CString();
}

BOOL CRestoreDlg::Restore() {
  DEF_TRY
  const CString prefix = ArchiverCommandPrefix(L"x -y");
  if (m_archivePath.IsEmpty()) return FALSE;
  GetDlgItem(IDCANCEL)->EnableWindow(FALSE);
  const CString command = prefix + L" \"" + m_archivePath + L"\"";
  AppendErrorLog(command);
  if (!RunArchiverOrReport(command, IDS_BACKUP_FAILED)) return FALSE;
  return TRUE;
  DEF_CATCH("CRestoreDlg::Restore")
  return FALSE;
}

#include "BackupDlg.h"

#include "Archiver.h"
#include "ErrorLog.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "SharedProcs.h"
#include "resource.h"

namespace {

// Posted to itself by the automatic backup once the dialog shows, so the backup runs without a click.
const UINT WM_START_AUTOMATIC_BACKUP = 1051;

CString Text(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

CString UtcDateSuffix() {
  SYSTEMTIME now = {};
  GetSystemTime(&now);
  CString text;
  text.Format(L" %.2d %.2d %.4d", now.wMonth, now.wDay, now.wYear);
  return text;
}

// A folder, not a file, of that path.
BOOL FolderExists(const CString& path) {
  const DWORD attributes = GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Creates the folders of a path one after the other; the archiver does not create its archive's folder.
void CreateFolders(const CString& folder) {
  for (int i = 3; i <= folder.GetLength(); ++i)
    if (i == folder.GetLength() || folder[i] == L'\\') CreateDirectoryW(folder.Left(i), nullptr);
}

// The entries of a search, the folder's own "." and ".." left out by name: the system does not
// promise to list them first.
template <typename Visit>
BOOL SearchFolder(const CString& folder, LPCWSTR function, Visit visit) {
  WIN32_FIND_DATAW found = {};
  HANDLE search = FindFirstFileW(folder + L"\\*", &found);
  if (search == INVALID_HANDLE_VALUE) {
    CString line;
    line.Format(L"%s Invalid file handle. Error is %u\n", function, GetLastError());
    AppendErrorLog(line);
    return FALSE;
  }
  do {
    if (wcscmp(found.cFileName, L".") != 0 && wcscmp(found.cFileName, L"..") != 0) visit(found);
  } while (FindNextFileW(search, &found));
  const DWORD error = GetLastError();
  FindClose(search);
  if (error == ERROR_NO_MORE_FILES) return TRUE;
  CString line;
  line.Format(L"%s FindNextFile error. Error is %u\n", function, error);
  AppendErrorLog(line);
  return FALSE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CBackupDlg, CDialogEx)
  ON_WM_SHOWWINDOW()
  ON_MESSAGE(WM_START_AUTOMATIC_BACKUP, OnStartAutomatic)
  ON_BN_CLICKED(IDC_BACKUP_BROWSE, OnBnClickedBrowse)
  ON_BN_CLICKED(IDOK, OnBnClickedBackup)
  ON_BN_CLICKED(IDC_BACKUP_HELP, OnBnClickedBackupHelp)
END_MESSAGE_MAP()

CBackupDlg::CBackupDlg(CWnd* parent) : CDialogEx(IDD_BACKUP, parent) {
  m_files.SetSize(0, 10);
  m_folders.SetSize(0, 10);
}

CBackupDlg::~CBackupDlg() {}

void CBackupDlg::DoDataExchange(CDataExchange* pDX) {
  DEF_TRY
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_BACKUP_PROGRESS, m_progress);
  DDX_Text(pDX, IDC_BACKUP_FILE, m_archivePath);
  DDX_Text(pDX, IDC_BACKUP_STATUS, m_status);
  DEF_CATCH("CBackupDlg::DoDataExchange")
}

BOOL CBackupDlg::OnInitDialog() {
  DEF_TRY
  if (m_bAutomatic) {
    CString path = ReadSettingString(L"AutoBackupFilePath", GetInitialAutoBackupFilePath());
    m_archivePath = GetTempBackupFileName(path) + UtcDateSuffix() + L".7z";
  }
  CDialogEx::OnInitDialog();
  SetWindowText(Text(m_bAutomatic ? IDS_AUTO_BACKUP_TITLE : IDS_BACKUP_TITLE));
  SetDlgItemText(IDOK, Text(IDS_BACKUP_BUTTON));
  SetDlgItemText(IDCANCEL, Text(IDS_CANCEL_BUTTON));
  SetDlgItemText(IDC_BACKUP_HELP, Text(IDS_HELP_BUTTON));
  SetDlgItemText(IDC_BACKUP_BROWSE, Text(IDS_BACKUP_BROWSE));
  SetDlgItemText(IDC_BACKUP_FILE_LABEL, Text(IDS_BACKUP_FILE_LABEL));
  if (m_bAutomatic) GetDlgItem(IDCANCEL)->EnableWindow(FALSE);
  DEF_CATCH("CBackupDlg::OnInitDialog")
  return TRUE;
}

void CBackupDlg::OnShowWindow(BOOL show, UINT status) {
  DEF_TRY
  CDialogEx::OnShowWindow(show, status);
  if (show && m_bAutomatic) PostMessage(WM_START_AUTOMATIC_BACKUP, 0, 0);
  DEF_CATCH("CBackupDlg::OnShowWindow")
}

LRESULT CBackupDlg::OnStartAutomatic(WPARAM, LPARAM) {
  OnBnClickedBackup();
  return 0;
}

void CBackupDlg::OnBnClickedBrowse() {
  DEF_TRY
  SYSTEMTIME now = {};
  GetSystemTime(&now);
  CString proposed;
  proposed.Format(L"Backup of Vantry documents %.2d %.2d %.4d", now.wMonth, now.wDay, now.wYear);
  CFileDialog dialog(FALSE, L"7z", proposed, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING,
                     L"7z (*.7z)|*.7z|", this);
  const CString initialFolder = ReadSettingString(L"InitialBackupDir", GetInitialBackupFolder());
  dialog.m_ofn.lpstrInitialDir = initialFolder;
  if (dialog.DoModal() != IDOK) return;
  m_archivePath = dialog.GetPathName();
  WriteSettingString(L"InitialBackupDir", ExtractFilePath(m_archivePath));
  SetDlgItemText(IDC_BACKUP_FILE, m_archivePath);
  GetDlgItem(IDOK)->EnableWindow(TRUE);
  DEF_CATCH("CBackupDlg::OnBnClickedBrowse")
}

void CBackupDlg::OnBnClickedBackupHelp() {
  DEF_TRY
  if (CMainFrame* frame = GetMainFrame()) frame->HelpBackup();
  DEF_CATCH("CBackupDlg::OnBnClickedBackupHelp")
}

void CBackupDlg::ShowStatus(const CString& text) {
  m_status = text;
  SetDlgItemText(IDC_BACKUP_STATUS, text);
}

void CBackupDlg::OnBnClickedBackup() {
  DEF_TRY
  const CString myDocuments = GetMyDocumentsPathName();
  const CString documentsFolder = myDocuments + L"\\" + kProductFolder;
  if (!FolderExists(documentsFolder)) {
    CString message;
    message.Format(Text(IDS_BACKUP_NO_FOLDER), static_cast<LPCTSTR>(documentsFolder));
    ErrorBox(message);
    EndDialog(IDCANCEL);
    return;
  }
  if (m_bDone) {
    EndDialog(IDOK);
    return;
  }
  CWaitCursor wait;
  UpdateData(TRUE);
  CCurrentFolderSwitch documents(myDocuments);
  if (!documents.Entered()) return;
  m_folders.RemoveAll();
  m_files.RemoveAll();
  m_folders.Add(kProductFolder);
  BOOL finished = FALSE;
  if (CreateFolderList(kProductFolder)) {
    for (INT_PTR i = 0; i < m_folders.GetSize(); ++i) CreateFilesList(m_folders[i]);
    // Nothing to archive is not a failure: the status says the backup finished.
    finished = Backup() || m_files.GetSize() == 0;
    if (finished) ShowStatus(Text(IDS_BACKUP_FINISHED));
  }
  // The program's folder is its own again on every path, whatever the backup did.
  if (!documents.Leave()) return;
  if (!finished) return;
  SetDlgItemText(IDOK, Text(IDS_BACKUP_DONE_BUTTON));
  m_bDone = 1;
  if (m_bAutomatic) EndDialog(IDOK);
  DEF_CATCH("CBackupDlg::OnBnClickedBackup")
}

BOOL CBackupDlg::CreateFolderList(const CString& folder) {
  DEF_TRY
  return SearchFolder(folder, L"CBackupDlg::CreateFolderList", [this, &folder](const WIN32_FIND_DATAW& found) {
    // A linked folder could lead back into the tree; the archiver is given real folders only.
    const DWORD attributes = found.dwFileAttributes;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return;
    const CString path = folder + L"\\" + found.cFileName;
    m_folders.Add(path);
    CreateFolderList(path);
  });
  DEF_CATCH("CBackupDlg::CreateFolderList")
  return FALSE;
}

BOOL CBackupDlg::CreateFilesList(const CString& folder) {
  DEF_TRY
  return SearchFolder(folder, L"CBackupDlg::CreateFilesList", [this, &folder](const WIN32_FIND_DATAW& found) {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
    if (wcscmp(found.cFileName, L"error.log") == 0) return;  // the program's own log, as spelt
    m_files.Add(folder + L"\\" + found.cFileName);
  });
  DEF_CATCH("CBackupDlg::CreateFilesList")
  return FALSE;
}

CString CBackupDlg::GetTempBackupFileName(const CString& path) {
  DEF_TRY
  const int dot = path.ReverseFind(L'.');
  return dot < 0 ? path : path.Left(dot);
  DEF_CATCH("CBackupDlg::GetTempBackupFileName")
  return CString();
}

CString CBackupDlg::CheckPathName(const CString& path) {
  DEF_TRY
  if (!FileExists(path)) return path;
  return NextFreeName(L"%s %d.7z", m_baseName, m_nextNumber);
  DEF_CATCH("CBackupDlg::CheckPathName")
  return CString();
}

void CBackupDlg::RemovePartialArchive() {
  // CheckPathName chose a name no file had, so this removes only what this backup wrote.
  if (!m_archivePath.IsEmpty()) DeleteFileW(m_archivePath);
}

BOOL CBackupDlg::Backup() {
  DEF_TRY
  const CString prefix = ArchiverCommandPrefix(L"a");
  if (m_archivePath.IsEmpty() || m_files.GetSize() == 0) return FALSE;
  m_baseName = GetTempBackupFileName(m_archivePath);
  m_archivePath = CheckPathName(m_archivePath);
  if (m_archivePath.IsEmpty()) return FALSE;
  SetDlgItemText(IDC_BACKUP_FILE, m_archivePath);
  CreateFolders(ExtractFilePath(m_archivePath));
  if (m_progress.m_hWnd) m_progress.SetRange32(0, static_cast<int>(m_files.GetSize() - 1));
  for (INT_PTR i = 0; i < m_files.GetSize(); ++i) {
    const CString command = prefix + L" \"" + m_archivePath + L"\" \"" + m_files[i] + L"\"";
    ShowStatus(m_files[i]);
    // A file the archiver could not take leaves an incomplete archive: it is removed, not kept as if
    // it were a whole backup.
    if (!RunArchiverOrReport(command, IDS_ARCHIVER_FAILED)) {
      RemovePartialArchive();
      return FALSE;
    }
    if (m_progress.m_hWnd) m_progress.SetPos(static_cast<int>(i));
  }
  return TRUE;
  DEF_CATCH("CBackupDlg::Backup")
  return FALSE;
}

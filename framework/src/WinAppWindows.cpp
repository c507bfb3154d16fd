// The window half of the application object: the message loop, idle-time updates, documents,
// the command line, the printer and message boxes.
#include <windows.h>
#include <shellapi.h>

#include "WndInternal.h"
#include "fw/CommandLineInfo.h"
#include "fw/DocTemplate.h"
#include "fw/Print.h"
#include "fw/WinApp.h"

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
ON_COMMAND_RANGE(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, OnOpenRecentFile)
ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

void CWinApp::ReleaseWindowState() {
  if (AfxGetDocManager() == m_pDocManager) AfxSetDocManager(nullptr);
  delete m_pDocManager;
  m_pDocManager = nullptr;
  delete m_pRecentFileList;
  m_pRecentFileList = nullptr;
}

int CWinApp::Run() {
  // Without a main window there is nothing to wait for.
  if (!m_pMainWnd) return ExitInstance();
  LONG idleCount = 0;
  bool idle = true;
  for (;;) {
    MSG peek;
    while (idle && !::PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(idleCount++)) idle = false;
    }
    do {
      if (!PumpMessage()) return ExitInstance();
      // Input and paint start a new round of idle work; timers and the idle update itself do not.
      const UINT m = m_msgCur.message;
      if (m != WM_TIMER && m != WM_PAINT && m != 0x0118 /* WM_SYSTIMER */ && m != WM_IDLEUPDATECMDUI &&
          m != WM_MOUSEMOVE && m != WM_NCMOUSEMOVE) {
        idle = true;
        idleCount = 0;
      }
    } while (::PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE));
  }
}

BOOL CWinApp::PumpMessage() {
  const BOOL got = ::GetMessageW(&m_msgCur, nullptr, 0, 0);
  if (got == 0 || got == -1) return FALSE;  // WM_QUIT, or a broken queue
  if (!PreTranslateMessage(&m_msgCur)) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessageW(&m_msgCur);
  }
  return TRUE;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) {
  HWND main = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
  if (CWnd::WalkPreTranslateTree(main, pMsg)) return TRUE;
  // Keys in windows outside the main window (a modeless dialog) still reach its accelerators.
  if (main && pMsg->hwnd != main && !::IsChild(main, pMsg->hwnd)) return m_pMainWnd->PreTranslateMessage(pMsg);
  return FALSE;
}

// First idle round: menus, bars and titles follow the state of the commands; later rounds drop the
// temporary objects.
BOOL CWinApp::OnIdle(LONG lCount) {
  if (lCount <= 0) {
    if (m_pMainWnd && m_pMainWnd->m_hWnd && m_pMainWnd->IsWindowVisible()) {
      m_pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE);
      m_pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    }
    return TRUE;
  }
  AfxDeleteTempMaps();
  return FALSE;
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) {
  HWND owner = ::GetActiveWindow();
  if (!owner && m_pMainWnd && m_pMainWnd->IsWindowVisible()) owner = m_pMainWnd->m_hWnd;
  if ((nType & MB_ICONMASK) == 0) {
    const UINT buttons = nType & MB_TYPEMASK;
    nType |= (buttons == MB_OK || buttons == MB_OKCANCEL) ? MB_ICONEXCLAMATION : MB_ICONQUESTION;
  }
  return ::MessageBoxW(owner, lpszPrompt, m_pszAppName ? m_pszAppName : L"", nType);
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
  if (!m_pDocManager) m_pDocManager = new CDocManager;
  AfxSetDocManager(m_pDocManager);
  m_pDocManager->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const {
  return m_pDocManager ? m_pDocManager->GetFirstDocTemplatePosition() : nullptr;
}
CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const { return m_pDocManager->GetNextDocTemplate(pos); }

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName) {
  return m_pDocManager ? m_pDocManager->OpenDocumentFile(lpszFileName) : nullptr;
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName) {
  if (!m_pRecentFileList) return;
  m_pRecentFileList->Add(lpszPathName);
  m_pRecentFileList->WriteList();
}

BOOL CWinApp::SaveAllModified() { return m_pDocManager ? m_pDocManager->SaveAllModified() : TRUE; }
void CWinApp::CloseAllDocuments(BOOL bEndSession) {
  if (m_pDocManager) m_pDocManager->CloseAllDocuments(bEndSession);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
  delete m_pRecentFileList;
  m_pRecentFileList = nullptr;
  if (nMaxMRU == 0) return;
  m_pRecentFileList = new CRecentFileList(0, L"Recent File List", L"File%d", static_cast<int>(nMaxMRU));
  m_pRecentFileList->ReadList();
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (!argv) return;
  for (int i = 1; i < argc; ++i) {
    const WCHAR* param = argv[i];
    const BOOL flag = param[0] == L'-' || param[0] == L'/';
    rCmdInfo.ParseParam(flag ? param + 1 : param, flag, i == argc - 1);
  }
  ::LocalFree(argv);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
  switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
      if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr)) OnFileNew();
      return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
      return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo: {
      m_nCmdShow = SW_HIDE;
      if (!OpenDocumentFile(rCmdInfo.m_strFileName) || !m_pMainWnd) return FALSE;
      m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
      m_pMainWnd->SendMessage(WM_CLOSE);
      return FALSE;
    }
    case CCommandLineInfo::AppRegister:
      RegisterShellFileTypes(TRUE);
      return FALSE;
    default:
      return TRUE;
  }
}

void CWinApp::RegisterShellFileTypes(BOOL bCompat) {
  if (m_pDocManager) m_pDocManager->RegisterShellFileTypes(bCompat);
}

// Files double-clicked in the shell start a new instance with the path (no DDE conversation).
void CWinApp::EnableShellOpen() {}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGW* pPrintDlg) {
  CPrintDialog dialog(FALSE);
  if (!dialog.GetDefaults()) return FALSE;
  HGLOBAL mode = nullptr, names = nullptr;
  AfxGetPrinterHandles(&mode, &names);
  pPrintDlg->hDevMode = mode;
  pPrintDlg->hDevNames = names;
  dialog.m_pd.hDevMode = dialog.m_pd.hDevNames = nullptr;  // the application keeps them
  return names != nullptr;
}

void CWinApp::SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld) {
  AfxSetPrinterHandles(static_cast<HGLOBAL>(hDevMode), static_cast<HGLOBAL>(hDevNames), bFreeOld);
}

void CWinApp::OnFileNew() {
  if (m_pDocManager) m_pDocManager->OnFileNew();
}
void CWinApp::OnFileOpen() {
  if (m_pDocManager) m_pDocManager->OnFileOpen();
}
void CWinApp::OnFilePrintSetup() {
  CPrintDialog dialog(TRUE);
  dialog.DoModal();
}
void CWinApp::OnAppExit() {
  if (m_pMainWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::OnOpenRecentFile(UINT nID) {
  if (!m_pRecentFileList) return;
  const int index = static_cast<int>(nID - ID_FILE_MRU_FIRST);
  if (index < 0 || index >= m_pRecentFileList->GetSize()) return;
  const CString path = (*m_pRecentFileList)[index];
  if (path.IsEmpty()) return;
  if (!OpenDocumentFile(path)) m_pRecentFileList->Remove(index);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
  if (m_pRecentFileList)
    m_pRecentFileList->UpdateMenu(pCmdUI);
  else
    pCmdUI->Enable(FALSE);
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow) {
  CWinApp* app = AfxGetApp();
  if (!app || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow)) return -1;
  return fw_internal::Guarded<int>(-1, [app] {
    if (!app->InitApplication() || !app->InitInstance()) {
      const int code = app->ExitInstance();
      return code ? code : -1;
    }
    return app->Run();
  });
}

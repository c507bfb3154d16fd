// The application-wide window state: the main window and message boxes.
#include "WndInternal.h"
#include "fw/Dialog.h"
#include "fw/WinApp.h"

CWnd* AfxGetMainWnd() {
  CWinThread* thread = AfxGetThread();
  return thread ? thread->m_pMainWnd : nullptr;
}

// The main window going away ends the message loop of its thread.
void FwMainWindowDestroyed(CWnd* pWnd) {
  CWinThread* thread = AfxGetThread();
  if (!thread || thread->m_pMainWnd != pWnd) return;
  thread->m_pMainWnd = nullptr;
  ::PostQuitMessage(0);
}

// Every message box of the framework goes through the application, so a program can log or redirect
// them all in one place.
int AFXAPI AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT nIDHelp) {
  if (CWinApp* app = AfxGetApp()) return app->DoMessageBox(lpszText, nType, nIDHelp);
  return ::MessageBoxW(::GetActiveWindow(), lpszText, L"", nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString text;
  text.LoadString(nIDPrompt);
  return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

// The application's command target, which ends the frames' command route.
CCmdTarget* FwApplicationTarget() { return AfxGetApp(); }

// The application's recent-file list takes the paths documents are opened and saved under.
void FwAddToRecentFileList(LPCTSTR lpszPathName) {
  if (CWinApp* app = AfxGetApp()) app->AddToRecentFileList(lpszPathName);
}

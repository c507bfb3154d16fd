// The application-wide window state: the main window and message boxes.
#include "WndInternal.h"
#include "fw/Dialog.h"

namespace {
CWnd* g_mainWnd = nullptr;
}

CWnd* AfxGetMainWnd() { return g_mainWnd; }
void AfxSetMainWnd(CWnd* pWnd) { g_mainWnd = pWnd; }

// The main window going away ends the message loop.
void FwMainWindowDestroyed(CWnd* pWnd) {
  if (pWnd != g_mainWnd) return;
  g_mainWnd = nullptr;
  ::PostQuitMessage(0);
}

int AFXAPI AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT) {
  CWnd* main = AfxGetMainWnd();
  return ::MessageBoxW(main ? main->m_hWnd : ::GetActiveWindow(), lpszText, L"", nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString text;
  text.LoadString(nIDPrompt);
  return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

// The application's command target, which ends the frames' command route.
namespace {
CCmdTarget* g_applicationTarget = nullptr;
}
CCmdTarget* FwApplicationTarget() { return g_applicationTarget; }
void FwSetApplicationTarget(CCmdTarget* target) { g_applicationTarget = target; }

// The application's recent-file list takes the paths documents are opened and saved under.
void FwAddToRecentFileList(LPCTSTR) {}

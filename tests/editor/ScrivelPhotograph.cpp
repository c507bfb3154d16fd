// The editor's frame on a real display for the screenshot test: the application starts as the
// program does (a new, empty document in a shown frame), then writes where each part of the frame
// is to the file given with /rects (one line per part: name and screen rectangle; the menu bar's
// menus as "menu <text> ..." with their own rectangles) and closes when the file given with /quit
// appears.
#include "Framework.h"

#include <cstdio>

#include "MainFrm.h"
#include "ScrivelApp.h"

namespace {

class CPhotographedApp : public CScrivelApp {
 public:
  BOOL InitInstance() override;
  CString m_rectsPath, m_quitPath;
};

CPhotographedApp theApp;

void WriteRect(FILE* out, const char* name, HWND window, LPCWSTR text = nullptr) {
  RECT r = {};
  ::GetWindowRect(window, &r);
  fprintf(out, "%s %ld %ld %ld %ld", name, r.left, r.top, r.right, r.bottom);
  if (text) fprintf(out, " %ls", text);
  fprintf(out, "\n");
}

void CALLBACK WatchForQuit(HWND, UINT, UINT_PTR, DWORD) {
  if (::GetFileAttributesW(theApp.m_quitPath) != INVALID_FILE_ATTRIBUTES && theApp.m_pMainWnd) {
    if (CDocument* doc = static_cast<CFrameWnd*>(theApp.m_pMainWnd)->GetActiveDocument()) doc->SetModifiedFlag(FALSE);
    theApp.m_pMainWnd->PostMessage(WM_CLOSE);
  }
}

BOOL CPhotographedApp::InitInstance() {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  for (int i = 1; i + 1 < argc; ++i) {
    if (_wcsicmp(argv[i], L"/rects") == 0) m_rectsPath = argv[++i];
    else if (_wcsicmp(argv[i], L"/quit") == 0) m_quitPath = argv[++i];
  }
  ::LocalFree(argv);
  if (!InitEditor()) return FALSE;
  m_pDocManager->OnFileNew();
  m_bStartupComplete = 1;
  CMainFrame* frame = dynamic_cast<CMainFrame*>(m_pMainWnd);
  if (!frame) return FALSE;
  frame->ShowWindow(SW_SHOW);
  frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  if (!m_rectsPath.IsEmpty()) {
    FILE* out = _wfopen(m_rectsPath, L"w");
    if (!out) return FALSE;
    WriteRect(out, "frame", frame->m_hWnd);
    WriteRect(out, "menubar", frame->m_wndMenuBar.m_hWnd);
    WriteRect(out, "toolbar", frame->m_wndToolBar.m_hWnd);
    WriteRect(out, "statusbar", frame->m_wndStatusBar.m_hWnd);
    if (CView* view = frame->GetActiveView()) WriteRect(out, "view", view->m_hWnd);
    for (int i = 0; i < frame->m_wndMenuBar.GetCount(); ++i) {
      CMFCToolBarButton* button = frame->m_wndMenuBar.GetButton(i);
      CRect r = button->Rect();
      frame->m_wndMenuBar.ClientToScreen(&r);
      fprintf(out, "menu %ld %ld %ld %ld %ls\n", r.left, r.top, r.right, r.bottom,
              static_cast<LPCWSTR>(button->m_strText));
    }
    fclose(out);
  }
  if (!m_quitPath.IsEmpty()) ::SetTimer(nullptr, 0, 200, WatchForQuit);
  return TRUE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand) {
  return AfxWinMain(instance, previous, commandLine, showCommand);
}

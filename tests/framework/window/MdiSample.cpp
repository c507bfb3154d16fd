// The document/view test classes as a program of their own, for looking at the windows on a real
// display: it opens the documents named on its command line, writes where its windows are to the
// file given with /rects, and closes when the file given with /quit appears.
#include <cstdio>

#include "TestDocView.h"

TestApp theApp;

namespace {

CString g_rectsPath, g_quitPath;

void WriteRect(FILE* out, const char* name, HWND h, bool client) {
  RECT r;
  if (client) {
    ::GetClientRect(h, &r);
    ::MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&r), 2);
  } else {
    ::GetWindowRect(h, &r);
  }
  fprintf(out, "%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right, r.bottom);
}

void CALLBACK WatchForQuit(HWND, UINT, UINT_PTR, DWORD) {
  if (::GetFileAttributesW(g_quitPath) != INVALID_FILE_ATTRIBUTES && theApp.m_pMainWnd)
    theApp.m_pMainWnd->PostMessage(WM_CLOSE);
}

}  // namespace

class SampleApp {
 public:
  static BOOL Start() {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (!theApp.StartUp()) return FALSE;
    CMDIFrameWnd* main = static_cast<CMDIFrameWnd*>(theApp.m_pMainWnd);
    main->MoveWindow(20, 20, 800, 600);
    main->ShowWindow(SW_SHOW);
    main->UpdateWindow();
    std::vector<CDocument*> docs;
    for (int i = 1; i < argc; ++i) {
      if (_wcsicmp(argv[i], L"/rects") == 0 && i + 1 < argc) {
        g_rectsPath = argv[++i];
      } else if (_wcsicmp(argv[i], L"/quit") == 0 && i + 1 < argc) {
        g_quitPath = argv[++i];
      } else if (CDocument* doc = theApp.OpenDocumentFile(argv[i])) {
        docs.push_back(doc);
      }
    }
    ::LocalFree(argv);
    main->MDITile(MDITILE_VERTICAL);
    main->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    if (!g_rectsPath.IsEmpty()) {
      FILE* out = _wfopen(g_rectsPath, L"w");
      if (!out) return FALSE;
      WriteRect(out, "frame", main->m_hWnd, false);
      WriteRect(out, "mdiclient", main->m_hWndMDIClient, true);
      for (size_t i = 0; i < docs.size(); ++i) {
        POSITION pos = docs[i]->GetFirstViewPosition();
        CView* view = docs[i]->GetNextView(pos);
        const COLORREF colour = static_cast<TestDoc*>(docs[i])->Colour();
        fprintf(out, "colour%u %u %u %u\n", static_cast<unsigned>(i), GetRValue(colour), GetGValue(colour),
                GetBValue(colour));
        char name[32];
        snprintf(name, sizeof(name), "child%u", static_cast<unsigned>(i));
        WriteRect(out, name, view->GetParentFrame()->m_hWnd, false);
        snprintf(name, sizeof(name), "view%u", static_cast<unsigned>(i));
        WriteRect(out, name, view->m_hWnd, true);
      }
      fclose(out);
    }
    if (!g_quitPath.IsEmpty()) ::SetTimer(nullptr, 0, 200, WatchForQuit);
    return TRUE;
  }
};

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int showCommand) {
  if (!AfxWinInit(instance, nullptr, commandLine, showCommand)) return -1;
  if (!SampleApp::Start()) return -1;
  return theApp.Run();
}

// A frame with docked, tabbed and floating panes as a program of its own, for looking at them on a
// real display: each pane fills its client area with a colour of its own (the shelf is the hidden
// tab of its group); the program writes where each shown pane's client area is and its colour to
// the file given with /rects, and closes when the file given with /quit appears.
#include <cstdio>

#include "Framework.h"

namespace {

// A window that fills its client area with one colour: the panes' contents and the view.
class ColourWnd : public CWnd {
 public:
  COLORREF colour = RGB(0, 0, 0);

 protected:
  afx_msg BOOL OnEraseBkgnd(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, colour);
    return TRUE;
  }
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, colour);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ColourWnd, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

class ColourPane : public CDockablePane {
 public:
  explicit ColourPane(COLORREF colour) { m_content.colour = colour; }
  COLORREF Colour() const { return m_content.colour; }
  CWnd* Content() { return &m_content; }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CDockablePane::OnCreate(lpCreateStruct) == -1) return -1;
    return m_content.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(), this, 1) ? 0 : -1;
  }
  afx_msg void OnSize(UINT nType, int cx, int cy) {
    CDockablePane::OnSize(nType, cx, cy);
    CRect client;
    GetClientRect(&client);
    if (m_content.m_hWnd) m_content.MoveWindow(&client);
  }
  ColourWnd m_content;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ColourPane, CDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

class SampleFrame : public CFrameWndEx {
 public:
  SampleFrame()
      : forms(RGB(40, 90, 200)), shelf(RGB(30, 160, 60)), properties(RGB(230, 130, 20)), floating(RGB(190, 40, 170)) {}
  BOOL Build() {
    if (!Create(nullptr, L"Docking sample", WS_OVERLAPPEDWINDOW, CRect(20, 20, 820, 620))) return FALSE;
    view.colour = RGB(200, 200, 120);
    if (!view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(), this, AFX_IDW_PANE_FIRST)) return FALSE;
    EnableDocking(CBRS_ALIGN_ANY);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_RIGHT;
    const CRect size(0, 0, 220, 400);
    const struct {
      ColourPane* pane;
      const wchar_t* title;
      UINT id;
    } panes[] = {{&forms, L"Forms", 33184}, {&shelf, L"Shelf", 33179}, {&properties, L"Properties", 33176},
                 {&floating, L"Floating", 33200}};
    for (const auto& p : panes) {
      if (!p.pane->Create(p.title, this, size, TRUE, p.id, style)) return FALSE;
      p.pane->EnableDocking(CBRS_ALIGN_ANY);
    }
    DockPane(&forms);
    shelf.DockToWindow(&forms, CBRS_ALIGN_TOP);
    properties.AttachToTabWnd(&shelf, DM_SHOW, TRUE);
    floating.FloatPane(CRect(830, 100, 1010, 400));
    RecalcLayout();
    return TRUE;
  }
  ColourPane forms, shelf, properties, floating;
  ColourWnd view;
};

class SampleApp : public CWinAppEx {
 public:
  CString rectsPath, quitPath;
};

SampleApp theApp;

void WriteClient(FILE* out, const char* name, CWnd* w, COLORREF colour) {
  RECT r;
  ::GetClientRect(w->m_hWnd, &r);
  ::MapWindowPoints(w->m_hWnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  fprintf(out, "%s %ld %ld %ld %ld %u %u %u\n", name, r.left, r.top, r.right, r.bottom, GetRValue(colour),
          GetGValue(colour), GetBValue(colour));
}

void CALLBACK WatchForQuit(HWND, UINT, UINT_PTR, DWORD) {
  if (::GetFileAttributesW(theApp.quitPath) != INVALID_FILE_ATTRIBUTES && theApp.m_pMainWnd)
    theApp.m_pMainWnd->PostMessage(WM_CLOSE);
}

BOOL Start() {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  for (int i = 1; i + 1 < argc; ++i) {
    if (_wcsicmp(argv[i], L"/rects") == 0) theApp.rectsPath = argv[++i];
    else if (_wcsicmp(argv[i], L"/quit") == 0) theApp.quitPath = argv[++i];
  }
  ::LocalFree(argv);
  theApp.m_bSaveState = FALSE;
  SampleFrame* frame = new SampleFrame;
  if (!frame->Build()) return FALSE;
  theApp.m_pMainWnd = frame;
  frame->ShowWindow(SW_SHOW);
  frame->floating.GetParentMiniFrame()->BringWindowToTop();
  frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  if (!theApp.rectsPath.IsEmpty()) {
    FILE* out = _wfopen(theApp.rectsPath, L"w");
    if (!out) return FALSE;
    WriteClient(out, "forms", frame->forms.Content(), frame->forms.Colour());
    WriteClient(out, "properties", frame->properties.Content(), frame->properties.Colour());
    WriteClient(out, "floating", frame->floating.Content(), frame->floating.Colour());
    WriteClient(out, "view", &frame->view, frame->view.colour);
    fclose(out);
  }
  if (!theApp.quitPath.IsEmpty()) ::SetTimer(nullptr, 0, 200, WatchForQuit);
  return TRUE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int showCommand) {
  if (!AfxWinInit(instance, nullptr, commandLine, showCommand)) return -1;
  if (!Start()) return -1;
  return theApp.Run();
}

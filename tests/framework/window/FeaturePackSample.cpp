// The feature-pack classes together, as a program of its own for looking at them on a real display:
// a multiple-document frame with tabbed documents, a menu bar, two tool bars (the main one with a
// combo box, an edit box and a menu button put in by its reset), a status bar with a progress pane,
// a docked pane, a tab group of two panes (one holding a property grid) and a floating pane. Each
// pane and document fills its client area with a colour of its own. The program writes where each
// part is to the file given with /rects and closes when the file given with /quit appears.
#include <cstdio>

#include "BarsTestIds.h"
#include "Framework.h"

namespace {

// A window that fills its client area with one colour: the panes' contents and the documents.
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

// A pane whose one child fills its client area: a colour, or a property grid.
class ContentPane : public CDockablePane {
 public:
  explicit ContentPane(COLORREF colour) { m_colour.colour = colour; }
  COLORREF Colour() const { return m_colour.colour; }
  CWnd* Content() { return m_grid.m_hWnd ? static_cast<CWnd*>(&m_grid) : &m_colour; }
  void HoldGrid() { m_holdsGrid = TRUE; }
  CMFCPropertyGridCtrl& Grid() { return m_grid; }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CDockablePane::OnCreate(lpCreateStruct) == -1) return -1;
    if (m_holdsGrid) return m_grid.Create(WS_CHILD | WS_VISIBLE, CRect(), this, 2) ? 0 : -1;
    return m_colour.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(), this, 1) ? 0 : -1;
  }
  afx_msg void OnSize(UINT nType, int cx, int cy) {
    CDockablePane::OnSize(nType, cx, cy);
    CRect client;
    GetClientRect(&client);
    Content()->MoveWindow(&client);
  }
  ColourWnd m_colour;
  CMFCPropertyGridCtrl m_grid;
  BOOL m_holdsGrid = FALSE;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ContentPane, CDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

// A document window: a coloured view in a child frame.
class DocumentFrame : public CMDIChildWndEx {
 public:
  ColourWnd view;
};

class SampleFrame : public CMDIFrameWndEx {
 public:
  SampleFrame()
      : forms(RGB(40, 90, 200)), shelf(RGB(30, 160, 60)), properties(RGB(230, 130, 20)), floating(RGB(190, 40, 170)) {
    properties.HoldGrid();
  }
  BOOL Build();
  CMFCMenuBar menuBar;
  CMFCToolBar mainBar, toolsBar;
  CMFCStatusBar status;
  ContentPane forms, shelf, properties, floating;
  DocumentFrame* documents[2] = {};

 protected:
  afx_msg LRESULT OnToolbarReset(WPARAM wParam, LPARAM);
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SampleFrame, CMDIFrameWndEx)
ON_REGISTERED_MESSAGE(AFX_WM_RESETTOOLBAR, OnToolbarReset)
END_MESSAGE_MAP()

// The main bar's placeholders become a zoom box, a record-number box and a spelling menu button.
LRESULT SampleFrame::OnToolbarReset(WPARAM wParam, LPARAM) {
  if (wParam != IDR_MAIN_BAR) return 0;
  CMFCToolBarComboBoxButton zoom(ID_T_ZOOM, -1, CBS_DROPDOWN, 75);
  for (const wchar_t* item : {L"200%", L"100%", L"50%"}) zoom.AddItem(item);
  zoom.SelectItem(1, FALSE);
  mainBar.ReplaceButton(ID_T_ZOOM, zoom);
  mainBar.ReplaceButton(ID_T_RECNUM, CMFCToolBarEditBoxButton(ID_T_RECNUM, -1, ES_AUTOHSCROLL, 45));
  CMenu spelling;
  if (spelling.LoadMenu(IDM_SPELL_MENU))
    mainBar.ReplaceButton(ID_T_SPELL, CMFCToolBarMenuButton(ID_T_SPELL, spelling.GetSubMenu(0)->m_hMenu, -1));
  return 0;
}

BOOL SampleFrame::Build() {
  if (!LoadFrame(IDR_BARS_MDI, WS_OVERLAPPEDWINDOW)) return FALSE;
  SetWindowPos(nullptr, 10, 10, 860, 640, SWP_NOZORDER);
  CMDITabInfo tabs;
  tabs.m_style = CMFCTabCtrl::STYLE_3D_ONENOTE;
  tabs.m_bActiveTabCloseButton = TRUE;
  tabs.m_bDocumentMenu = TRUE;
  EnableMDITabbedGroups(TRUE, tabs);
  EnableDocking(CBRS_ALIGN_ANY);
  const DWORD barStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY;
  if (!menuBar.Create(this)) return FALSE;
  if (!mainBar.CreateEx(this, TBSTYLE_FLAT, barStyle, CRect(1, 1, 1, 1), 0xE810) || !mainBar.LoadToolBar(IDR_MAIN_BAR))
    return FALSE;
  if (!toolsBar.CreateEx(this, TBSTYLE_FLAT, barStyle, CRect(1, 1, 1, 1), 0xE811) ||
      !toolsBar.LoadToolBar(IDR_TOOLS_BAR))
    return FALSE;
  const UINT indicators[] = {ID_SEPARATOR, ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
  if (!status.Create(this) || !status.SetIndicators(indicators, 4)) return FALSE;
  status.SetPaneWidth(1, 120);
  status.EnablePaneProgressBar(1, 100);
  status.SetPaneProgress(1, 60);
  status.SetPaneText(0, L"Ready");
  for (CBasePane* bar : {static_cast<CBasePane*>(&menuBar), static_cast<CBasePane*>(&mainBar),
                         static_cast<CBasePane*>(&toolsBar)}) {
    bar->EnableDocking(CBRS_ALIGN_ANY);
    DockPane(bar);
  }
  const DWORD paneStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_RIGHT;
  const struct {
    ContentPane* pane;
    const wchar_t* title;
    UINT id;
  } panes[] = {{&forms, L"Forms", 33184}, {&shelf, L"Shelf", 33179}, {&properties, L"Properties", 33176},
               {&floating, L"Floating", 33200}};
  for (const auto& p : panes) {
    if (!p.pane->Create(p.title, this, CRect(0, 0, 220, 400), TRUE, p.id, paneStyle)) return FALSE;
    p.pane->EnableDocking(CBRS_ALIGN_ANY);
  }
  DockPane(&forms);
  shelf.DockToWindow(&forms, CBRS_ALIGN_TOP);
  properties.AttachToTabWnd(&shelf, DM_SHOW, TRUE);
  floating.FloatPane(CRect(870, 100, 1010, 400));
  CMFCPropertyGridCtrl& grid = properties.Grid();
  grid.EnableHeaderCtrl(FALSE);
  grid.SetVSDotNetLook(TRUE);
  CMFCPropertyGridProperty* font = new CMFCPropertyGridProperty(L"Font");
  font->AddSubItem(new CMFCPropertyGridProperty(L"Size", COleVariant(12L), L"Size in points"));
  font->AddSubItem(new CMFCPropertyGridColorProperty(L"Color", RGB(200, 0, 0)));
  grid.AddProperty(font);
  grid.AddProperty(new CMFCPropertyGridProperty(L"Object name", COleVariant(L"Text0"), L"Name"));

  const COLORREF colours[] = {RGB(200, 200, 120), RGB(120, 200, 200)};
  const wchar_t* titles[] = {L"Alpha", L"Beta"};
  for (int i = 0; i < 2; ++i) {
    DocumentFrame* child = new DocumentFrame;
    child->view.colour = colours[i];
    if (!child->Create(nullptr, titles[i], WS_CHILD | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, this)) return FALSE;
    if (!child->view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(), child, AFX_IDW_PANE_FIRST)) return FALSE;
    child->RecalcLayout();
    child->ActivateFrame();
    documents[i] = child;
  }
  RecalcLayout();
  return TRUE;
}

class SampleApp : public CWinAppEx {
 public:
  CString rectsPath, quitPath;
};

SampleApp theApp;

// One line per part: name, screen rectangle, and the colour its middle shows (-1 when it has none).
void WriteRect(FILE* out, const char* name, CWnd* w, bool client, int colour = -1) {
  RECT r;
  if (client) {
    ::GetClientRect(w->m_hWnd, &r);
    ::MapWindowPoints(w->m_hWnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  } else {
    ::GetWindowRect(w->m_hWnd, &r);
  }
  fprintf(out, "%s %ld %ld %ld %ld %d %d %d\n", name, r.left, r.top, r.right, r.bottom,
          colour < 0 ? -1 : GetRValue(colour), colour < 0 ? -1 : GetGValue(colour), colour < 0 ? -1 : GetBValue(colour));
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
  CMFCVisualManager::SetDefaultManager(RUNTIME_CLASS(CMFCVisualManagerVS2008));
  SampleFrame* frame = new SampleFrame;
  theApp.m_pMainWnd = frame;
  if (!frame->Build()) return FALSE;
  frame->ShowWindow(SW_SHOW);
  frame->floating.GetParentMiniFrame()->BringWindowToTop();
  frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  if (!theApp.rectsPath.IsEmpty()) {
    FILE* out = _wfopen(theApp.rectsPath, L"w");
    if (!out) return FALSE;
    WriteRect(out, "frame", frame, false);
    WriteRect(out, "menubar", &frame->menuBar, false);
    WriteRect(out, "mainbar", &frame->mainBar, false);
    WriteRect(out, "toolsbar", &frame->toolsBar, false);
    WriteRect(out, "statusbar", &frame->status, false);
    WriteRect(out, "mdiclient", CWnd::FromHandle(frame->m_hWndMDIClient), false);
    WriteRect(out, "forms", frame->forms.Content(), true, frame->forms.Colour());
    WriteRect(out, "grid", frame->properties.Content(), true);
    WriteRect(out, "floating", frame->floating.Content(), true, frame->floating.Colour());
    CMDIChildWnd* active = frame->MDIGetActive();
    for (DocumentFrame* doc : frame->documents)
      if (doc == active) WriteRect(out, "document", &doc->view, true, doc->view.colour);
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

#include "fw/DocTemplate.h"
#include "fw/Frame.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
ON_COMMAND(ID_WINDOW_CASCADE, OnWindowCascade)
ON_COMMAND(ID_WINDOW_TILE_HORZ, OnWindowTileHorz)
ON_COMMAND(ID_WINDOW_TILE_VERT, OnWindowTileVert)
ON_COMMAND(ID_WINDOW_ARRANGE, OnWindowArrange)
ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() = default;

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*) {
  HMENU windowMenu = m_hMenuDefault ? GetWindowMenuPopup(m_hMenuDefault) : nullptr;
  return CreateClient(lpcs, windowMenu ? CMenu::FromHandle(windowMenu) : nullptr);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* pWindowMenu) {
  CLIENTCREATESTRUCT ccs = {pWindowMenu ? pWindowMenu->m_hMenu : nullptr, AFX_IDM_FIRST_MDICHILD};
  m_hWndMDIClient = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL |
                                          WS_VSCROLL | MDIS_ALLCHILDSTYLES,
                                      0, 0, 0, 0, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                      ::GetModuleHandleW(nullptr), &ccs);
  if (!m_hWndMDIClient) OutputDebugStringW(L"CMDIFrameWnd: the MDI client cannot be created\n");
  return m_hWndMDIClient != nullptr;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar) {
  if (!hMenuBar) return nullptr;
  for (int i = ::GetMenuItemCount(hMenuBar) - 1; i >= 0; --i) {
    HMENU popup = ::GetSubMenu(hMenuBar, i);
    if (!popup) continue;
    for (int j = 0; j < ::GetMenuItemCount(popup); ++j) {
      const UINT id = ::GetMenuItemID(popup, j);
      if (id >= ID_WINDOW_NEW && id <= ID_WINDOW_TILE_VERT) return popup;
    }
  }
  return nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefFrameProcW(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
  if (!m_hWndMDIClient) return nullptr;
  BOOL maximized = FALSE;
  HWND active = reinterpret_cast<HWND>(
      ::SendMessageW(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
  if (pbMaximized) *pbMaximized = maximized;
  CWnd* w = FromHandlePermanent(active);
  return w && w->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? static_cast<CMDIChildWnd*>(w) : nullptr;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWnd) {
  if (pWnd) ::SendMessageW(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}
void CMDIFrameWnd::MDICascade() { ::SendMessageW(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
void CMDIFrameWnd::MDITile(int nType) { ::SendMessageW(m_hWndMDIClient, WM_MDITILE, nType, 0); }
void CMDIFrameWnd::MDINext() { ::SendMessageW(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
void CMDIFrameWnd::MDIIconArrange() { ::SendMessageW(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }
void CMDIFrameWnd::OnWindowCascade() { MDICascade(); }
void CMDIFrameWnd::OnWindowTileHorz() { MDITile(MDITILE_HORIZONTAL); }
void CMDIFrameWnd::OnWindowTileVert() { MDITile(MDITILE_VERTICAL); }
void CMDIFrameWnd::OnWindowArrange() { MDIIconArrange(); }
void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != nullptr); }

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
  CMDIChildWnd* child = MDIGetActive();
  return child ? static_cast<CFrameWnd*>(child) : this;
}

// The active child (its view, its document, itself) comes before the main frame and the application.
BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CMDIChildWnd* child = MDIGetActive()) {
    if (child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  }
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
  if (m_hWndMDIClient && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg)) return TRUE;
  CMDIChildWnd* child = MDIGetActive();
  HACCEL accel = child && child->m_hAccelTable ? child->m_hAccelTable : m_hAccelTable;
  return accel && ::TranslateAcceleratorW(m_hWnd, accel, pMsg);
}

void CMDIFrameWnd::RecalcLayout(BOOL) {
  if (!m_hWndMDIClient) return;
  CRect client;
  GetClientRect(&client);
  ::MoveWindow(m_hWndMDIClient, client.left, client.top, client.Width(), client.Height(), TRUE);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (!(GetStyle() & FWS_ADDTOTITLE)) return;
  CMDIChildWnd* child = MDIGetActive();
  CDocument* doc = child ? child->GetActiveDocument() : nullptr;
  UpdateFrameTitleForDocument(bAddToTitle && doc ? static_cast<LPCTSTR>(doc->GetTitle()) : nullptr);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  HMENU menu = hMenuAlt ? hMenuAlt : m_hMenuDefault;
  if (!menu || !m_hWndMDIClient) return;
  ::SendMessageW(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu),
                 reinterpret_cast<LPARAM>(GetWindowMenuPopup(menu)));
  ::DrawMenuBar(m_hWnd);
}

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() = default;

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  if (pContext && pContext->m_pNewDocTemplate && pContext->m_pNewDocTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate))) {
    CMultiDocTemplate* templ = static_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate);
    m_hMenuShared = templ->m_hMenuShared;
    m_hAccelTable = templ->m_hAccelTable;
  }
  m_nIDHelp = nIDResource;
  CString strings;
  strings.LoadString(nIDResource);
  const int newline = strings.Find(L'\n');
  m_strTitle = newline >= 0 ? strings.Left(newline) : strings;
  return Create(nullptr, m_strTitle, dwDefaultStyle | WS_CHILD, rectDefault, pParentWnd, nullptr, 0, pContext);
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd, LPCTSTR, DWORD dwExStyle, CCreateContext* pContext) {
  CWnd* parent = pParentWnd ? pParentWnd : AfxGetMainWnd();
  if (!parent || !parent->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) {
    OutputDebugStringW(L"CMDIChildWnd::Create: no MDI frame to hold the child\n");
    PostNcDestroy();
    return FALSE;
  }
  CMDIFrameWnd* frame = static_cast<CMDIFrameWnd*>(parent);
  if (lpszWindowName) m_strTitle = lpszWindowName;
  // Shown only by ActivateFrame, after the view has its first update.
  const bool useDefault = rect.left == CW_USEDEFAULT;
  return CreateEx(dwExStyle | WS_EX_MDICHILD, lpszClassName, lpszWindowName, (dwStyle | WS_CHILD) & ~WS_VISIBLE,
                  rect.left, rect.top, useDefault ? CW_USEDEFAULT : rect.right - rect.left,
                  useDefault ? CW_USEDEFAULT : rect.bottom - rect.top, frame->m_hWndMDIClient, nullptr, pContext);
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCTW& cs) {
  cs.style |= WS_CHILD;
  return CFrameWnd::PreCreateWindow(cs);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
  HWND client = ::GetParent(m_hWnd);
  CWnd* frame = FromHandlePermanent(client ? ::GetParent(client) : nullptr);
  return frame && frame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(frame) : nullptr;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefMDIChildProcW(m_hWnd, message, wParam, lParam);
}

void CMDIChildWnd::MDIActivate() {
  if (CMDIFrameWnd* frame = GetMDIFrame()) frame->MDIActivate(this);
}
void CMDIChildWnd::MDIDestroy() {
  ::SendMessageW(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}
void CMDIChildWnd::MDIMaximize() { ::SendMessageW(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0); }
void CMDIChildWnd::MDIRestore() { ::SendMessageW(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0); }

// The MDI client must take part so its window list and menu stay right.
BOOL CMDIChildWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  MDIDestroy();
  return TRUE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow) {
  if (!IsWindowVisible()) ShowWindow(nCmdShow == -1 ? SW_SHOW : nCmdShow);
  MDIActivate();
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG*) { return FALSE; }

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  CDocument* doc = GetActiveDocument();
  CString text = bAddToTitle && doc ? doc->GetTitle() : m_strTitle;
  CString now;
  GetWindowText(now);
  if (now != text) SetWindowText(text);
  if (CMDIFrameWnd* frame = GetMDIFrame()) frame->OnUpdateFrameTitle(TRUE);
}

// The main frame shows the menu of the active child's document type, or its own when none is left.
void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*) {
  Default();
  CMDIFrameWnd* frame = GetMDIFrame();
  if (!frame) return;
  if (bActivate) {
    frame->OnUpdateFrameMenu(m_hMenuShared);
    if (m_pViewActive) m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
  } else if (!pActivateWnd) {
    frame->OnUpdateFrameMenu(nullptr);
  }
  frame->OnUpdateFrameTitle(TRUE);
}

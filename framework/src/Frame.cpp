#include "fw/Frame.h"

#include "WndInternal.h"
#include "BarStrings.h"
#include "fw/DocTemplate.h"
#include "fw/PaneStyles.h"

HMODULE FwFindResourceModule(LPCWSTR name, LPCWSTR type, HRSRC* found);
CCmdTarget* FwApplicationTarget();

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_INITMENUPOPUP()
ON_WM_DROPFILES()
ON_WM_ERASEBKGND()
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
ON_MESSAGE(WM_MENUSELECT, OnMenuSelectMessage)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd* CWnd::GetParentFrame() const {
  if (!m_hWnd) return nullptr;
  for (HWND h = ::GetParent(m_hWnd); h; h = ::GetParent(h)) {
    CWnd* w = FromHandlePermanent(h);
    if (w && w->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(w);
  }
  return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
  CFrameWnd* top = IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? const_cast<CFrameWnd*>(static_cast<const CFrameWnd*>(this))
                                                       : GetParentFrame();
  while (top) {
    CFrameWnd* up = top->GetParentFrame();
    if (!up) break;
    top = up;
  }
  return top;
}

CFrameWnd::CFrameWnd() = default;
CFrameWnd::~CFrameWnd() = default;

// Menus, accelerators and icons of a frame come from the resources with the frame's id; the title
// is the first part of its string.
BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  CString strings;
  strings.LoadString(nIDResource);
  const int newline = strings.Find(L'\n');
  m_strTitle = newline >= 0 ? strings.Left(newline) : strings;
  const LPCWSTR name = MAKEINTRESOURCEW(nIDResource);
  HRSRC found = nullptr;
  HICON icon = nullptr;
  if (HMODULE module = FwFindResourceModule(name, RT_GROUP_ICON, &found)) icon = ::LoadIconW(module, name);
  if (HMODULE module = FwFindResourceModule(name, RT_ACCELERATOR, &found)) m_hAccelTable = ::LoadAcceleratorsW(module, name);
  CMenu menu;
  if (!(dwDefaultStyle & WS_CHILD) && menu.LoadMenu(nIDResource)) m_hMenuDefault = menu.Detach();
  LPCWSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                    reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
  return Create(cls, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd, nullptr, 0, pContext);
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
  if (lpszMenuName) {
    CMenu menu;
    if (!menu.LoadMenu(lpszMenuName)) {
      OutputDebugStringW(L"CFrameWnd::Create: menu resource missing\n");
      PostNcDestroy();
      return FALSE;
    }
    m_hMenuDefault = menu.Detach();
  }
  if (lpszWindowName) m_strTitle = lpszWindowName;
  const bool useDefault = rect.left == CW_USEDEFAULT;
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  useDefault ? CW_USEDEFAULT : rect.right - rect.left, useDefault ? CW_USEDEFAULT : rect.bottom - rect.top,
                  pParentWnd ? pParentWnd->m_hWnd : nullptr, m_hMenuDefault, pContext);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTW& cs) {
  if (!cs.lpszClass)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  cs.style |= WS_CLIPCHILDREN;
  return cs.lpszClass != nullptr;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
  // An MDI child gets its creation parameter wrapped in an MDICREATESTRUCT.
  void* param = lpcs->lpCreateParams;
  if ((lpcs->dwExStyle & WS_EX_MDICHILD) && param) param = reinterpret_cast<void*>(static_cast<MDICREATESTRUCTW*>(param)->lParam);
  return OnCreateHelper(lpcs, static_cast<CCreateContext*>(param));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  if (!OnCreateClient(lpcs, pContext)) return -1;
  RecalcLayout();
  return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
  if (pContext && pContext->m_pNewViewClass) return CreateView(pContext) != nullptr;
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
  CObject* object = pContext->m_pNewViewClass->CreateObject();
  if (!object || !object->IsKindOf(RUNTIME_CLASS(CWnd))) {
    OutputDebugStringW(L"CFrameWnd::CreateView: the view class cannot be created\n");
    delete object;
    return nullptr;
  }
  CWnd* view = static_cast<CWnd*>(object);
  if (!view->CreateEx(WS_EX_CLIENTEDGE, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID,
                      pContext))
    return nullptr;  // the view deleted itself when its window went
  return view;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
  CView* view = GetActiveView();
  if (!view) {
    CWnd* pane = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
    if (pane && pane->IsKindOf(RUNTIME_CLASS(CView))) {
      view = static_cast<CView*>(pane);
      SetActiveView(view, FALSE);
    }
  }
  SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
  if (bMakeVisible) {
    ActivateFrame();
    if (view) view->OnActivateView(TRUE, view, view);
  }
  if (pDoc) pDoc->UpdateFrameCounts();
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
  if (nCmdShow == -1) nCmdShow = !IsWindowVisible() ? SW_SHOWNORMAL : (IsIconic() ? SW_RESTORE : SW_SHOW);
  ShowWindow(nCmdShow);
  if (IsWindowVisible()) BringWindowToTop();
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
  CView* old = m_pViewActive;
  if (old == pViewNew) return;
  m_pViewActive = pViewNew;
  if (!bNotify) return;
  if (old) old->OnActivateView(FALSE, pViewNew, old);
  if (pViewNew) pViewNew->OnActivateView(TRUE, pViewNew, old);
}

CFrameWnd* CFrameWnd::GetActiveFrame() { return this; }

CDocument* CFrameWnd::GetActiveDocument() {
  CFrameWnd* frame = GetActiveFrame();
  CView* view = frame ? frame->GetActiveView() : nullptr;
  return view ? view->GetDocument() : nullptr;
}

void CFrameWnd::RecalcLayout(BOOL) {
  HWND pane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
  if (!pane) return;
  CRect client;
  GetClientRect(&client);
  ::MoveWindow(pane, client.left, client.top, client.Width(), client.Height(), TRUE);
}

// Commands go to the active view (which passes them to its document), then to this frame, and from
// the outermost frame to the application.
BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CView* view = GetActiveView()) {
    if (view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  }
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (GetParentFrame() == nullptr) {
    CCmdTarget* app = FwApplicationTarget();
    if (app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  }
  return FALSE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable)
    return ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg);
  return FALSE;
}

void CFrameWnd::UpdateMenuItems(CMenu* pMenu) {
  if (!pMenu) return;
  CCmdUI state;
  state.m_pMenu = pMenu;
  state.m_nIndexMax = static_cast<UINT>(pMenu->GetMenuItemCount());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
    if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) continue;  // separators and sub-menus
    // The system's own ids (MDI window list, system commands) are never disabled for lack of a handler.
    state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
  }
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
  if (!bSysMenu) UpdateMenuItems(pPopupMenu);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  if (GetStyle() & FWS_ADDTOTITLE) OnUpdateFrameTitle(TRUE);
  return 0;
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (!(GetStyle() & FWS_ADDTOTITLE)) return;
  CDocument* doc = GetActiveDocument();
  UpdateFrameTitleForDocument(bAddToTitle && doc ? static_cast<LPCTSTR>(doc->GetTitle()) : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName) {
  CString text;
  if (!lpszDocName || !*lpszDocName) {
    text = m_strTitle;
  } else if (GetStyle() & FWS_PREFIXTITLE) {
    text = CString(lpszDocName) + L" - " + m_strTitle;
  } else {
    text = m_strTitle + L" - " + lpszDocName;
  }
  CString now;
  GetWindowText(now);
  if (now != text) SetWindowText(text);
}

// Closing the main frame asks about every document; closing a document's last frame closes the
// document.
void CFrameWnd::OnClose() {
  CDocManager* manager = AfxGetDocManager();
  if (AfxGetMainWnd() == this) {
    if (manager && !manager->SaveAllModified()) return;
    if (manager) manager->CloseAllDocuments(FALSE);
    // A single-document frame goes with its document: this object may be gone already.
    if (AfxGetMainWnd() != this) return;
    DestroyWindow();
    return;
  }
  CDocument* doc = GetActiveDocument();
  if (doc && !doc->CanCloseFrame(this)) return;
  if (doc && doc->m_bAutoDelete) {
    bool otherFrame = false;
    for (POSITION pos = doc->GetFirstViewPosition(); pos && !otherFrame;) {
      CView* view = doc->GetNextView(pos);
      otherFrame = view->GetParentFrame() != this;
    }
    if (!otherFrame) {
      doc->OnCloseDocument();
      return;
    }
    doc->PreCloseFrame(this);
  }
  DestroyWindow();
}

// The window takes its current menu with it; the frame's own menu must be the one it takes when a
// document type's shared menu is showing.
void CFrameWnd::OnDestroy() {
  if (m_hMenuDefault && ::GetMenu(m_hWnd) != m_hMenuDefault) ::SetMenu(m_hWnd, m_hMenuDefault);
  m_hMenuDefault = nullptr;
  CWnd::OnDestroy();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
  if (m_pViewActive && m_pViewActive->m_hWnd)
    m_pViewActive->SetFocus();
  else
    CWnd::OnSetFocus(pOldWnd);
}

// The view covers the client area; erasing under it would only flicker.
BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC) {
  if (m_pViewActive) return TRUE;
  return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo) {
  SetActiveWindow();
  CDocManager* manager = AfxGetDocManager();
  const UINT count = ::DragQueryFileW(hDropInfo, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count && manager; ++i) {
    WCHAR path[MAX_PATH];
    if (::DragQueryFileW(hDropInfo, i, path, MAX_PATH)) manager->OpenDocumentFile(path);
  }
  ::DragFinish(hDropInfo);
}

void CFrameWnd::PostNcDestroy() { delete this; }

// ---- Prompts in the status bar ----

CWnd* CFrameWnd::GetMessageBar() {
  if (!m_hWnd) return nullptr;
  if (HWND bar = ::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR)) return CWnd::FromHandle(bar);
  CFrameWnd* parent = GetParentFrame();
  return parent ? parent->GetMessageBar() : nullptr;
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText) {
  // The status bar's window text is its message pane.
  if (CWnd* bar = GetMessageBar()) ::SetWindowTextW(bar->m_hWnd, lpszText ? lpszText : L"");
}

void CFrameWnd::SetMessageText(UINT nID) { SetMessageText(fw_bars::CommandPrompt(nID)); }

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  if (lParam)
    SetMessageText(reinterpret_cast<LPCTSTR>(lParam));
  else
    SetMessageText(static_cast<UINT>(wParam));
  return 0;
}

LRESULT CFrameWnd::OnMenuSelectMessage(WPARAM wParam, LPARAM lParam) {
  const UINT item = LOWORD(wParam), flags = HIWORD(wParam);
  if (flags == 0xFFFF && lParam == 0)
    SetMessageText(static_cast<UINT>(AFX_IDS_IDLEMESSAGE));  // the menu closed
  else if (flags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU))
    SetMessageText(L"");
  else
    SetMessageText(item);
  return Default();
}

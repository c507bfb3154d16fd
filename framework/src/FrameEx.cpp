#include "fw/FrameEx.h"

#include "fw/BarResourceIds.h"

#include "fw/VisualManager.h"
#include "fw/WinAppEx.h"

IMPLEMENT_DYNCREATE(CFrameWndEx, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIFrameWndEx, CMDIFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWndEx, CMDIChildWnd)

namespace {

// Gives the child with id AFX_IDW_PANE_FIRST (the view or the MDI client) what the panes left.
void PlaceCentre(CWnd* frame, CDockingManager& manager) {
  if (!frame->m_hWnd) return;
  CRect client;
  frame->GetClientRect(&client);
  const CRect rest = manager.AdjustDockingLayout(client);
  if (HWND centre = ::GetDlgItem(frame->m_hWnd, AFX_IDW_PANE_FIRST))
    ::SetWindowPos(centre, nullptr, rest.left, rest.top, rest.Width(), rest.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

// The application keeps the main frame's layout: restored once the frame and its panes exist,
// saved when the user closes it.
CWinAppEx* StateKeeper(CFrameWnd* frame) {
  CWinApp* app = AfxGetApp();
  if (!app || !app->IsKindOf(RUNTIME_CLASS(CWinAppEx))) return nullptr;
  CWinAppEx* appEx = static_cast<CWinAppEx*>(app);
  if (!appEx->m_bSaveState || (app->m_pMainWnd && app->m_pMainWnd != frame)) return nullptr;
  return appEx;
}

// What the bars and panes leave of a frame's client area (the rest of a bar row, the gaps by the
// dividers) shows the look's bar face, not the window colour.
BOOL FillFrameGaps(CWnd* frame, CDC* pDC) {
  CRect client;
  frame->GetClientRect(&client);
  pDC->FillSolidRect(&client, CMFCVisualManager::GetInstance()->Palette().barFace);
  return TRUE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CFrameWndEx, CFrameWnd)
ON_WM_CREATE()
ON_WM_ERASEBKGND()
ON_WM_CLOSE()
ON_WM_INITMENUPOPUP()
ON_COMMAND_RANGE(CDockingManager::kPaneMenuFirstId, CDockingManager::kPaneMenuLastId, OnPaneMenuCommand)
ON_UPDATE_COMMAND_UI_RANGE(CDockingManager::kPaneMenuFirstId, CDockingManager::kPaneMenuLastId,
                           OnUpdatePaneMenuCommand)
// The last entry of a personalised pop-up has no handler; the menu bar takes it.
ON_UPDATE_COMMAND_UI(ID_FW_SHOW_FULL_MENU, OnUpdatePaneMenuCommand)
END_MESSAGE_MAP()

CFrameWndEx::CFrameWndEx() { m_dockManager.Create(this); }
CFrameWndEx::~CFrameWndEx() = default;

BOOL CFrameWndEx::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
  if (CWinAppEx* app = StateKeeper(this)) app->LoadState(this);
  RecalcLayout();
  return TRUE;
}

int CFrameWndEx::OnCreate(LPCREATESTRUCT lpcs) { return CFrameWnd::OnCreate(lpcs); }

void CFrameWndEx::OnClose() {
  if (CWinAppEx* app = StateKeeper(this)) app->SaveState(this);
  CFrameWnd::OnClose();
}

void CFrameWndEx::RecalcLayout(BOOL) { PlaceCentre(this, m_dockManager); }

void CFrameWndEx::OnUpdateFrameMenu(HMENU hMenuAlt) {
  HMENU menu = hMenuAlt ? hMenuAlt : m_hMenuDefault;
  if (m_dockManager.SetFrameMenu(menu, hMenuAlt == nullptr)) {
    ::SetMenu(m_hWnd, nullptr);
  } else if (menu && ::GetMenu(m_hWnd) != menu) {
    ::SetMenu(m_hWnd, menu);
  }
}


BEGIN_MESSAGE_MAP(CMDIFrameWndEx, CMDIFrameWnd)
ON_WM_CREATE()
ON_WM_ERASEBKGND()
ON_WM_CLOSE()
ON_WM_INITMENUPOPUP()
ON_COMMAND_RANGE(CDockingManager::kPaneMenuFirstId, CDockingManager::kPaneMenuLastId, OnPaneMenuCommand)
ON_UPDATE_COMMAND_UI_RANGE(CDockingManager::kPaneMenuFirstId, CDockingManager::kPaneMenuLastId,
                           OnUpdatePaneMenuCommand)
// The last entry of a personalised pop-up has no handler; the menu bar takes it.
ON_UPDATE_COMMAND_UI(ID_FW_SHOW_FULL_MENU, OnUpdatePaneMenuCommand)
END_MESSAGE_MAP()

CMDIFrameWndEx::CMDIFrameWndEx() { m_dockManager.Create(this); }
CMDIFrameWndEx::~CMDIFrameWndEx() = default;

BOOL CMDIFrameWndEx::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  if (!CMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
  if (CWinAppEx* app = StateKeeper(this)) app->LoadState(this);
  RecalcLayout();
  return TRUE;
}

int CMDIFrameWndEx::OnCreate(LPCREATESTRUCT lpcs) {
  if (CMDIFrameWnd::OnCreate(lpcs) == -1) return -1;
  m_wndClientArea.AttachToFrame(this);
  return 0;
}

void CMDIFrameWndEx::OnClose() {
  if (CWinAppEx* app = StateKeeper(this)) app->SaveState(this);
  CMDIFrameWnd::OnClose();
}

void CMDIFrameWndEx::RecalcLayout(BOOL) { PlaceCentre(this, m_dockManager); }

// With a menu bar the menus live there; the MDI client still keeps the Window menu's list of
// documents, in the same menu the bar shows.
void CMDIFrameWndEx::OnUpdateFrameMenu(HMENU hMenuAlt) {
  HMENU menu = hMenuAlt ? hMenuAlt : m_hMenuDefault;
  if (!m_dockManager.SetFrameMenu(menu, hMenuAlt == nullptr)) {
    CMDIFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    return;
  }
  if (::GetMenu(m_hWnd)) ::SetMenu(m_hWnd, nullptr);
  if (m_hWndMDIClient && menu)
    ::SendMessageW(m_hWndMDIClient, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(GetWindowMenuPopup(menu)));
}


BOOL CMDIFrameWndEx::EnableMDITabs(BOOL bEnable, BOOL bIcons, CMFCTabCtrl::Location tabLocation,
                                   BOOL bTabCloseButton, CMFCTabCtrl::Style style, BOOL bDocumentMenu,
                                   BOOL bEnableActiveTabCloseButton) {
  CMDITabInfo params;
  params.m_bTabIcons = bIcons;
  params.m_tabLocation = tabLocation;
  params.m_bTabCloseButton = bTabCloseButton;
  params.m_style = style;
  params.m_bDocumentMenu = bDocumentMenu;
  params.m_bActiveTabCloseButton = bEnableActiveTabCloseButton;
  m_wndClientArea.EnableMDITabs(bEnable, params, FALSE);
  return TRUE;
}

void CMDIFrameWndEx::EnableMDITabbedGroups(BOOL bEnable, const CMDITabInfo& params) {
  m_wndClientArea.EnableMDITabs(bEnable, params, TRUE);
}

void CMDIFrameWndEx::MDITabNewGroup(BOOL bVert) { m_wndClientArea.NewGroup(bVert); }
void CMDIFrameWndEx::MDITabMoveToNextGroup(BOOL bNext) { m_wndClientArea.MoveToNeighbourGroup(bNext); }

BOOL CMDIFrameWndEx::SaveMDIState(LPCTSTR lpszProfileName) { return m_wndClientArea.SaveState(lpszProfileName); }
BOOL CMDIFrameWndEx::LoadMDIState(LPCTSTR lpszProfileName) { return m_wndClientArea.LoadState(lpszProfileName); }

BEGIN_MESSAGE_MAP(CMDIChildWndEx, CMDIChildWnd)
ON_WM_CREATE()
ON_WM_ERASEBKGND()
ON_WM_DESTROY()
ON_WM_MDIACTIVATE()
ON_WM_WINDOWPOSCHANGED()
ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

CMDIChildWndEx::CMDIChildWndEx() { m_dockManager.Create(this); }
CMDIChildWndEx::~CMDIChildWndEx() = default;

int CMDIChildWndEx::OnCreate(LPCREATESTRUCT lpcs) { return CMDIChildWnd::OnCreate(lpcs); }

void CMDIChildWndEx::RecalcLayout(BOOL) { PlaceCentre(this, m_dockManager); }

CMDIFrameWndEx* CMDIChildWndEx::GetMDIFrameWndEx() const {
  CMDIFrameWnd* frame = GetMDIFrame();
  return frame && frame->IsKindOf(RUNTIME_CLASS(CMDIFrameWndEx)) ? static_cast<CMDIFrameWndEx*>(frame) : nullptr;
}

CMDIClientAreaWnd* CMDIChildWndEx::ClientArea() const {
  CMDIFrameWndEx* frame = GetMDIFrameWndEx();
  return frame && frame->AreMDITabs() ? &frame->GetMDIClientAreaWnd() : nullptr;
}

// The preview of a document hides the panes of its own frame and of the main frame.
void CMDIChildWndEx::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
  m_dockManager.SetPrintPreviewMode(bPreview, pState);
  if (CMDIFrameWndEx* frame = GetMDIFrameWndEx()) frame->GetDockingManager()->SetPrintPreviewMode(bPreview, pState);
  CMDIChildWnd::OnSetPreviewMode(bPreview, pState);
}

void CMDIChildWndEx::ActivateFrame(int nCmdShow) {
  if (ClientArea() && (nCmdShow == SW_SHOWMAXIMIZED || nCmdShow == SW_MAXIMIZE)) nCmdShow = SW_SHOW;
  CMDIChildWnd::ActivateFrame(nCmdShow);
}

void CMDIChildWndEx::OnDestroy() {
  if (CMDIClientAreaWnd* area = ClientArea()) area->OnChildDestroyed(this);
  CMDIChildWnd::OnDestroy();
}

void CMDIChildWndEx::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) {
  CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
  if (bActivate)
    if (CMDIClientAreaWnd* area = ClientArea()) area->OnChildActivated(this);
}

void CMDIChildWndEx::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
  CMDIChildWnd::OnWindowPosChanged(lpwndpos);
  CMDIClientAreaWnd* area = ClientArea();
  if (!area || !lpwndpos) return;
  if (lpwndpos->flags & SWP_SHOWWINDOW) area->OnChildShown(this);
  if (lpwndpos->flags & SWP_HIDEWINDOW) area->OnChildHidden(this);
}

LRESULT CMDIChildWndEx::OnSetText(WPARAM, LPARAM) {
  const LRESULT result = Default();
  if (CMDIClientAreaWnd* area = ClientArea()) area->OnChildTitleChanged(this);
  return result;
}

BOOL CFrameWndEx::OnEraseBkgnd(CDC* pDC) { return FillFrameGaps(this, pDC); }

BOOL CMDIFrameWndEx::OnEraseBkgnd(CDC* pDC) { return FillFrameGaps(this, pDC); }

BOOL CMDIChildWndEx::OnEraseBkgnd(CDC* pDC) { return FillFrameGaps(this, pDC); }

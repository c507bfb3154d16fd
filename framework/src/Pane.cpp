#include "fw/Pane.h"

#include "fw/Dc.h"
#include "fw/DockingManager.h"
#include "fw/FrameEx.h"
#include "fw/PaneFrameWnd.h"
#include "fw/VisualManager.h"

// Registered once when the framework DLL loads; the names are the messages' identity across
// processes and modules.
const UINT AFX_WM_RESETTOOLBAR = ::RegisterWindowMessageW(L"VantryFW.ResetToolbar");
const UINT AFX_WM_CHANGE_ACTIVE_TAB = ::RegisterWindowMessageW(L"VantryFW.ChangeActiveTab");
const UINT AFX_WM_CHANGING_ACTIVE_TAB = ::RegisterWindowMessageW(L"VantryFW.ChangingActiveTab");
const UINT AFX_WM_PROPERTY_CHANGED = ::RegisterWindowMessageW(L"VantryFW.PropertyChanged");
const UINT AFX_WM_TOOLBARMENU = ::RegisterWindowMessageW(L"VantryFW.ToolbarMenu");
const UINT AFX_WM_CUSTOMIZETOOLBAR = ::RegisterWindowMessageW(L"VantryFW.CustomizeToolbar");
const UINT AFX_WM_CREATETOOLBAR = ::RegisterWindowMessageW(L"VantryFW.CreateToolbar");
const UINT AFX_WM_DELETETOOLBAR = ::RegisterWindowMessageW(L"VantryFW.DeleteToolbar");
const UINT AFX_WM_CHANGEVISUALMANAGER = ::RegisterWindowMessageW(L"VantryFW.ChangeVisualManager");
const UINT AFX_WM_ON_PRESS_CLOSE_BUTTON = ::RegisterWindowMessageW(L"VantryFW.PressCloseButton");

IMPLEMENT_DYNAMIC(CBasePane, CWnd)
IMPLEMENT_DYNAMIC(CPane, CBasePane)

BEGIN_MESSAGE_MAP(CBasePane, CWnd)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_WM_ERASEBKGND()
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CBasePane::CBasePane() = default;

CBasePane::~CBasePane() {
  if (CDockingManager* manager = GetDockingManager()) manager->RemovePaneFromDockManager(this);
}

void CBasePane::SetCurrentAlignment(DWORD dwAlignment) {
  m_dwStyle = (m_dwStyle & ~CBRS_ALIGN_ANY) | (dwAlignment & CBRS_ALIGN_ANY);
}

CDockingManager* CBasePane::GetDockingManager() const {
  if (!m_pDockSite) return nullptr;
  if (m_pDockSite->IsKindOf(RUNTIME_CLASS(CMDIFrameWndEx)))
    return static_cast<CMDIFrameWndEx*>(m_pDockSite)->GetDockingManager();
  if (m_pDockSite->IsKindOf(RUNTIME_CLASS(CFrameWndEx)))
    return static_cast<CFrameWndEx*>(m_pDockSite)->GetDockingManager();
  if (m_pDockSite->IsKindOf(RUNTIME_CLASS(CMDIChildWndEx)))
    return static_cast<CMDIChildWndEx*>(m_pDockSite)->GetDockingManager();
  return nullptr;
}

BOOL CBasePane::IsVisible() const { return m_hWnd && (GetStyle() & WS_VISIBLE) != 0; }

void CBasePane::ShowPane(BOOL bShow, BOOL bDelay, BOOL bActivate) {
  if (!m_hWnd) return;
  ShowWindow(bShow ? (bActivate ? SW_SHOW : SW_SHOWNOACTIVATE) : SW_HIDE);
  // A floating pane takes its floating frame with it.
  if (IsKindOf(RUNTIME_CLASS(CPane)))
    if (CPaneFrameWnd* frame = static_cast<CPane*>(this)->GetParentMiniFrame())
      frame->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
  if (bShow && bActivate) SetFocus();
  if (!bDelay)
    if (CDockingManager* manager = GetDockingManager()) manager->RecalcLayout();
}

CSize CBasePane::CalcFixedLayout(BOOL, BOOL) {
  CRect rect;
  if (m_hWnd) GetWindowRect(&rect);
  return rect.Size();
}

void CBasePane::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

BOOL CBasePane::OnSetFrameMenu(HMENU, BOOL) { return FALSE; }

BOOL CBasePane::SaveState(LPCTSTR, int, UINT) { return TRUE; }
BOOL CBasePane::LoadState(LPCTSTR, int, UINT) { return TRUE; }

// Idle time: the pane's commands take their state from the frame that owns it (the top-level
// frame for a pane of a floating frame).
LRESULT CBasePane::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  if (!(GetStyle() & WS_VISIBLE)) return 0;
  CFrameWnd* target = m_pDockSite ? m_pDockSite : GetTopLevelFrame();
  if (target) OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
  return 0;
}

BOOL CBasePane::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  CMFCVisualManager::GetInstance()->OnFillBarBackground(pDC, this, client, client);
  return TRUE;
}

// Right clicks on a pane offer the frame's pane menu when its docking manager has one. A menu
// asked for by keyboard (no point) shows at the pane's corner.
void CBasePane::OnContextMenu(CWnd* pWnd, CPoint pos) {
  if (pos.x == -1 && pos.y == -1) {
    CRect rect;
    GetWindowRect(&rect);
    pos = rect.TopLeft();
  }
  if (CDockingManager* manager = GetDockingManager())
    if (manager->OnPaneContextMenu(this, pos)) return;
  CWnd::OnContextMenu(pWnd, pos);
}

CPane::CPane() = default;
CPane::~CPane() = default;

BOOL CPane::Create(LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                   DWORD dwControlBarStyle, CCreateContext* pContext) {
  return CreateEx(0, lpszClassName, dwStyle, rect, pParentWnd, nID, dwControlBarStyle, pContext);
}

BOOL CPane::CreateEx(DWORD dwStyleEx, LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                     UINT nID, DWORD dwControlBarStyle, CCreateContext* pContext) {
  if (!pParentWnd) return FALSE;
  m_dwStyle = dwStyle & CBRS_ALL;
  m_dwControlBarStyle = dwControlBarStyle;
  m_bHasGripper = (dwStyle & CBRS_GRIPPER) != 0;
  m_sizeDefault = CSize(rect.right - rect.left, rect.bottom - rect.top);
  // The frame that docks the pane: the parent itself, or the frame holding it.
  CWnd* site = pParentWnd;
  if (!site->IsKindOf(RUNTIME_CLASS(CFrameWnd))) site = site->GetParentFrame();
  m_pDockSite = static_cast<CFrameWnd*>(site);
  LPCWSTR cls = lpszClassName ? lpszClassName
                              : AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                                    reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  const DWORD windowStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (!CWnd::CreateEx(dwStyleEx, cls, nullptr, windowStyle, rect, pParentWnd, nID, pContext)) {
    m_pDockSite = nullptr;
    return FALSE;
  }
  if (CDockingManager* manager = GetDockingManager()) manager->AddPane(this);
  return TRUE;
}

CRect CPane::GetGripperRect() const {
  if (!m_bHasGripper || !m_hWnd) return CRect();
  CRect client;
  GetClientRect(&client);
  const int size = 6;
  if (IsHorizontal()) return CRect(client.left, client.top, client.left + size, client.bottom);
  return CRect(client.left, client.top, client.right, client.top + size);
}

BOOL CPane::FloatPane(CRect rectFloat, BOOL bShow) {
  CDockingManager* manager = GetDockingManager();
  if (!m_hWnd || !manager || !CanFloat()) return FALSE;
  return manager->FloatPane(this, rectFloat, bShow);
}

void CPane::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom) {
  m_rectBorders.SetRect(cxLeft, cyTop, cxRight, cyBottom);
  // The borders are part of the non-client area of the panes that draw one.
  if (m_hWnd)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPane::SetBorders(LPCRECT lpRect) {
  if (lpRect) SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

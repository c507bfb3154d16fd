#include "fw/TabbedPane.h"

#include <algorithm>

#include "DockingInternal.h"
#include "fw/AutoHideBar.h"
#include "fw/DockingManager.h"
#include "fw/PaneFrameWnd.h"

IMPLEMENT_DYNAMIC(CBaseTabbedPane, CDockablePane)
IMPLEMENT_DYNCREATE(CTabbedPane, CBaseTabbedPane)

CMFCTabCtrl::Style CTabbedPane::m_StyleTabWnd = CMFCTabCtrl::STYLE_3D;

namespace {
// The tab control is the group's only child; its id means nothing outside the group.
const UINT kTabWndId = 101;
}  // namespace

BEGIN_MESSAGE_MAP(CBaseTabbedPane, CDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CBaseTabbedPane::CBaseTabbedPane(BOOL bAutoDestroy) : m_bAutoDestroy(bAutoDestroy) {}

CBaseTabbedPane::~CBaseTabbedPane() { delete m_pTabWnd; }

int CBaseTabbedPane::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CDockablePane::OnCreate(lpCreateStruct) == -1) return -1;
  if (!CreateTabWnd()) {
    OutputDebugStringW(L"CBaseTabbedPane::OnCreate: the tab control cannot be created\n");
    return -1;
  }
  return 0;
}

void CBaseTabbedPane::PostNcDestroy() {
  if (m_bAutoDestroy) delete this;
}

void CBaseTabbedPane::OnSize(UINT nType, int cx, int cy) {
  CDockablePane::OnSize(nType, cx, cy);
  if (m_pTabWnd && m_pTabWnd->m_hWnd) {
    CRect client;
    GetClientRect(&client);
    fw_docking::PlaceWindow(m_pTabWnd->m_hWnd, client);
  }
}

void CBaseTabbedPane::OnSetFocus(CWnd* pOldWnd) {
  CDockablePane::OnSetFocus(pOldWnd);
  CWnd* active = GetActivePane();
  if (active && active->m_hWnd && ::IsWindowVisible(active->m_hWnd)) active->SetFocus();
}

// Right clicks on the tabs offer the pane menu, like the caption.
void CBaseTabbedPane::OnContextMenu(CWnd* pWnd, CPoint pos) {
  if (m_pTabWnd && pWnd && pWnd->m_hWnd == m_pTabWnd->m_hWnd) {
    CRect top, bottom;
    m_pTabWnd->GetTabArea(top, bottom);
    m_pTabWnd->ClientToScreen(&top);
    m_pTabWnd->ClientToScreen(&bottom);
    if (top.PtInRect(pos) || bottom.PtInRect(pos)) {
      CPane::OnContextMenu(pWnd, pos);
      return;
    }
  }
  CDockablePane::OnContextMenu(pWnd, pos);
}

BOOL CBaseTabbedPane::AddTab(CWnd* pNewBar, BOOL bVisible, BOOL bSetActive, BOOL bDetachable) {
  if (!m_pTabWnd || !m_pTabWnd->m_hWnd || !pNewBar || !pNewBar->m_hWnd || pNewBar == this) return FALSE;
  if (m_pTabWnd->GetTabFromHwnd(pNewBar->m_hWnd) >= 0) return TRUE;
  const BOOL pane = pNewBar->IsKindOf(RUNTIME_CLASS(CDockablePane));
  if (pane) {
    if (CDockingManager* manager = GetDockingManager()) manager->DetachPane(static_cast<CBasePane*>(pNewBar));
  }
  CString label;
  pNewBar->GetWindowText(label);
  m_pTabWnd->AddTab(pNewBar, label, static_cast<UINT>(-1), bDetachable);
  const int tab = m_pTabWnd->GetTabFromHwnd(pNewBar->m_hWnd);
  if (tab < 0) return FALSE;
  // Tabbed, the pane draws no caption: its frame is worked out again.
  if (pane)
    ::SetWindowPos(pNewBar->m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (!bVisible) m_pTabWnd->ShowTab(tab, FALSE);
  if (bVisible && bSetActive) m_pTabWnd->SetActiveTab(tab);
  m_pTabWnd->RecalcLayout();
  RedrawCaption();
  return TRUE;
}

BOOL CBaseTabbedPane::RemovePane(CWnd* pBar) {
  if (!m_pTabWnd || !pBar) return FALSE;
  const int tab = m_pTabWnd->GetTabFromHwnd(pBar->m_hWnd);
  if (tab < 0) return FALSE;
  m_pTabWnd->DetachTab(tab);
  if (pBar->m_hWnd) {
    pBar->ShowWindow(SW_HIDE);
    CWnd* site = GetDockSiteFrameWnd();
    if (site) pBar->SetParent(site);
    ::SetWindowPos(pBar->m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  m_pTabWnd->RecalcLayout();
  RedrawCaption();
  if (CDockingManager* manager = GetDockingManager()) manager->OnTabGroupChanged(this);
  return TRUE;
}

int CBaseTabbedPane::GetTabsNum() const { return m_pTabWnd ? m_pTabWnd->GetTabsNum() : 0; }
int CBaseTabbedPane::GetVisibleTabsNum() const { return m_pTabWnd ? m_pTabWnd->GetVisibleTabsNum() : 0; }

CWnd* CBaseTabbedPane::FindPaneByID(UINT nID) const {
  for (int i = 0; i < GetTabsNum(); ++i) {
    CWnd* wnd = m_pTabWnd->GetTabWnd(i);
    if (wnd && wnd->m_hWnd && static_cast<UINT>(wnd->GetDlgCtrlID()) == nID) return wnd;
  }
  return nullptr;
}

CWnd* CBaseTabbedPane::GetActivePane() const { return m_pTabWnd ? m_pTabWnd->GetActiveWnd() : nullptr; }

BOOL CBaseTabbedPane::IsTabShown(const CWnd* pBar) const {
  if (!m_pTabWnd || !pBar) return FALSE;
  return m_pTabWnd->IsTabVisible(m_pTabWnd->GetTabFromHwnd(pBar->m_hWnd));
}

void CBaseTabbedPane::ShowTab(CWnd* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate) {
  if (!m_pTabWnd || !pBar) return;
  const int tab = m_pTabWnd->GetTabFromHwnd(pBar->m_hWnd);
  if (tab < 0) return;
  if (bShow) {
    m_pTabWnd->ShowTab(tab, TRUE, TRUE, bActivate);
    if (!IsVisible()) CDockablePane::ShowPane(TRUE, bDelay, FALSE);
    if (bActivate) pBar->SetFocus();
  } else {
    m_pTabWnd->ShowTab(tab, FALSE, TRUE, FALSE);
    // The group goes when its last tab is hidden.
    if (m_pTabWnd->GetVisibleTabsNum() == 0) CDockablePane::ShowPane(FALSE, bDelay, FALSE);
  }
  RedrawCaption();
}

void CBaseTabbedPane::UpdateTabLabel(CWnd* pBar) {
  if (!m_pTabWnd || !pBar) return;
  CString label;
  pBar->GetWindowText(label);
  m_pTabWnd->SetTabLabel(m_pTabWnd->GetTabFromHwnd(pBar->m_hWnd), label);
  RedrawCaption();
}

CString CBaseTabbedPane::GetCaptionText() const {
  CString label;
  if (m_pTabWnd) m_pTabWnd->GetTabLabel(m_pTabWnd->GetActiveTab(), label);
  return label;
}

void CBaseTabbedPane::OnPressCloseButton() {
  CWnd* active = GetActivePane();
  if (active && active->IsKindOf(RUNTIME_CLASS(CDockablePane)))
    static_cast<CDockablePane*>(active)->OnPressCloseButton();
  else if (active)
    ShowTab(active, FALSE, FALSE, FALSE);
  else
    CDockablePane::OnPressCloseButton();
}

void CBaseTabbedPane::OnTabActivated(int) {
  RedrawCaption();
  if (m_pAutoHideBar) m_pAutoHideBar->Invalidate();
}

// A tab dragged off the strip floats its pane, which then follows the mouse.
void CBaseTabbedPane::OnDragTabOut(int iTab, CPoint ptScreen) {
  CWnd* wnd = m_pTabWnd ? m_pTabWnd->GetTabWnd(iTab) : nullptr;
  if (!wnd || !wnd->IsKindOf(RUNTIME_CLASS(CDockablePane))) return;
  CDockablePane* pane = static_cast<CDockablePane*>(wnd);
  CDockingManager* manager = GetDockingManager();
  if (!manager || !pane->CanFloat()) return;
  CRect window;
  GetWindowRect(&window);
  const int grabY = fw_docking::CaptionHeight() / 2 + CPaneFrameWnd::kBorderSize;
  const CRect rect(CPoint(ptScreen.x - window.Width() / 2, ptScreen.y - grabY), window.Size());
  if (!manager->FloatPane(pane, rect, TRUE)) return;  // may delete this group
  if (CPaneFrameWnd* frame = pane->GetParentMiniFrame()) frame->EnterDragMode(ptScreen, TRUE);
}

void CBaseTabbedPane::OnTabWindowGone() {
  RedrawCaption();
  if (CDockingManager* manager = GetDockingManager()) manager->OnTabGroupChanged(this);
}

CTabbedPane::CTabbedPane(BOOL bAutoDestroy) : CBaseTabbedPane(bAutoDestroy) {}
CTabbedPane::~CTabbedPane() = default;

BOOL CTabbedPane::CreateTabWnd() {
  CMFCTabCtrl* tabs = new CMFCTabCtrl;
  CRect client;
  GetClientRect(&client);
  if (!tabs->Create(m_StyleTabWnd, client, this, kTabWndId, CMFCTabCtrl::LOCATION_BOTTOM)) {
    delete tabs;
    return FALSE;
  }
  m_pTabWnd = tabs;
  return TRUE;
}

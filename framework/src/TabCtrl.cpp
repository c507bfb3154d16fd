// The tabs and their windows; the strip's look and mouse handling are in TabCtrlDraw.cpp.
#include "fw/TabCtrl.h"

#include <algorithm>

#include "DockingInternal.h"
#include "fw/DockablePane.h"
#include "fw/PaneStyles.h"
#include "fw/TabbedPane.h"

IMPLEMENT_DYNAMIC(CMFCBaseTabCtrl, CWnd)

BEGIN_MESSAGE_MAP(CMFCBaseTabCtrl, CWnd)
ON_WM_SIZE()
ON_WM_DESTROY()
ON_MESSAGE(WM_PARENTNOTIFY, OnParentNotify)
END_MESSAGE_MAP()

namespace {

// Background colours handed out to tabs in turn when the control colours its tabs itself.
const COLORREF kAutoColors[] = {RGB(148, 175, 230), RGB(255, 219, 117), RGB(189, 205, 159), RGB(240, 158, 159),
                                RGB(186, 166, 225), RGB(154, 191, 180), RGB(247, 182, 131), RGB(213, 164, 187)};

}  // namespace

CMFCBaseTabCtrl::CMFCBaseTabCtrl() = default;
CMFCBaseTabCtrl::~CMFCBaseTabCtrl() = default;

void CMFCBaseTabCtrl::AddTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, UINT uiImageId, BOOL bDetachable) {
  InsertTab(pTabWnd, lpszTabLabel, GetTabsNum(), uiImageId, bDetachable);
}

void CMFCBaseTabCtrl::AddTab(CWnd* pTabWnd, UINT uiResTabLabel, UINT uiImageId, BOOL bDetachable) {
  CString label;
  label.LoadString(uiResTabLabel);
  InsertTab(pTabWnd, label, GetTabsNum(), uiImageId, bDetachable);
}

void CMFCBaseTabCtrl::InsertTab(CWnd* pNewWnd, LPCTSTR lpszTabLabel, int nInsertAt, UINT uiImageId,
                                BOOL bDetachable) {
  if (!m_hWnd || !pNewWnd || !pNewWnd->m_hWnd) {
    OutputDebugStringW(L"CMFCBaseTabCtrl::InsertTab: the control or the tab's window does not exist\n");
    return;
  }
  if (GetTabFromHwnd(pNewWnd->m_hWnd) >= 0) return;
  if (nInsertAt < 0 || nInsertAt > GetTabsNum()) nInsertAt = GetTabsNum();
  TabInfo tab;
  tab.wnd = pNewWnd;
  tab.label = lpszTabLabel ? lpszTabLabel : L"";
  tab.image = uiImageId;
  tab.detachable = bDetachable;
  if (!m_bIsMDITab) {
    pNewWnd->ShowWindow(SW_HIDE);
    if (::GetParent(pNewWnd->m_hWnd) != m_hWnd) pNewWnd->SetParent(this);
  }
  m_tabs.InsertAt(nInsertAt, tab);
  if (m_iActiveTab >= nInsertAt) ++m_iActiveTab;
  if (m_iActiveTab < 0)
    SetActiveTab(nInsertAt);
  else
    RecalcLayout();
}

void CMFCBaseTabCtrl::DestroyTabWindow(CWnd* wnd) {
  if (!wnd) return;
  if (wnd->m_hWnd) wnd->DestroyWindow();
  delete wnd;
}

CWnd* CMFCBaseTabCtrl::DetachTab(int iTab) {
  if (iTab < 0 || iTab >= GetTabsNum()) return nullptr;
  CWnd* wnd = m_tabs[iTab].wnd;
  m_tabs.RemoveAt(iTab);
  if (iTab < m_iActiveTab) {
    --m_iActiveTab;
  } else if (iTab == m_iActiveTab) {
    // The next tab shown takes over: the one after it, else the one before.
    m_iActiveTab = -1;
    int next = -1;
    for (int i = iTab; i < GetTabsNum() && next < 0; ++i)
      if (m_tabs[i].visible) next = i;
    for (int i = iTab - 1; i >= 0 && next < 0; --i)
      if (m_tabs[i].visible) next = i;
    if (next >= 0) SetActiveTab(next);
  }
  return wnd;
}

BOOL CMFCBaseTabCtrl::RemoveTab(int iTab, BOOL bRecalcLayout) {
  if (iTab < 0 || iTab >= GetTabsNum()) return FALSE;
  m_bRemoving = TRUE;
  CWnd* wnd = DetachTab(iTab);
  if (m_bAutoDestroyWindow)
    DestroyTabWindow(wnd);
  else if (!m_bIsMDITab && wnd && wnd->m_hWnd)
    wnd->ShowWindow(SW_HIDE);
  m_bRemoving = FALSE;
  if (bRecalcLayout) RecalcLayout();
  return TRUE;
}

void CMFCBaseTabCtrl::RemoveAllTabs() {
  m_bRemoving = TRUE;
  while (GetTabsNum() > 0) {
    CWnd* wnd = m_tabs[GetTabsNum() - 1].wnd;
    m_tabs.RemoveAt(GetTabsNum() - 1);
    if (m_bAutoDestroyWindow)
      DestroyTabWindow(wnd);
    else if (!m_bIsMDITab && wnd && wnd->m_hWnd)
      wnd->ShowWindow(SW_HIDE);
  }
  m_iActiveTab = -1;
  m_bRemoving = FALSE;
  RecalcLayout();
}

BOOL CMFCBaseTabCtrl::SetActiveTab(int iTab) {
  if (iTab < 0 || iTab >= GetTabsNum() || !m_tabs[iTab].visible) return FALSE;
  if (iTab == m_iActiveTab) {
    ShowActiveWindow();
    return TRUE;
  }
  CWnd* parent = GetParent();
  if (parent && parent->SendMessage(AFX_WM_CHANGING_ACTIVE_TAB, static_cast<WPARAM>(iTab),
                                    reinterpret_cast<LPARAM>(this)) != 0)
    return FALSE;
  // The focus in the tab going out of sight moves to the one coming in.
  CWnd* previous = GetActiveWnd();
  const HWND focus = ::GetFocus();
  const BOOL hadFocus = !m_bIsMDITab && previous && previous->m_hWnd && focus &&
                        (focus == previous->m_hWnd || ::IsChild(previous->m_hWnd, focus));
  m_iActiveTab = iTab;
  RecalcLayout();
  CWnd* next = GetActiveWnd();
  if (hadFocus && next && next->m_hWnd) next->SetFocus();
  FireChangeActiveTab(iTab);
  return TRUE;
}

void CMFCBaseTabCtrl::FireChangeActiveTab(int iTab) {
  CWnd* parent = GetParent();
  if (!parent) return;
  if (parent->IsKindOf(RUNTIME_CLASS(CBaseTabbedPane))) static_cast<CBaseTabbedPane*>(parent)->OnTabActivated(iTab);
  parent->SendMessage(AFX_WM_CHANGE_ACTIVE_TAB, static_cast<WPARAM>(iTab), reinterpret_cast<LPARAM>(this));
}

CWnd* CMFCBaseTabCtrl::GetActiveWnd() const { return GetTabWnd(m_iActiveTab); }

int CMFCBaseTabCtrl::GetVisibleTabsNum() const {
  int count = 0;
  for (int i = 0; i < GetTabsNum(); ++i)
    if (m_tabs[i].visible) ++count;
  return count;
}

CWnd* CMFCBaseTabCtrl::GetTabWnd(int iTab) const {
  return iTab >= 0 && iTab < GetTabsNum() ? m_tabs[iTab].wnd : nullptr;
}

int CMFCBaseTabCtrl::GetTabFromHwnd(HWND hWnd) const {
  for (int i = 0; i < GetTabsNum(); ++i)
    if (m_tabs[i].wnd && m_tabs[i].wnd->m_hWnd == hWnd && hWnd) return i;
  return -1;
}

BOOL CMFCBaseTabCtrl::GetTabLabel(int iTab, CString& strLabel) const {
  if (iTab < 0 || iTab >= GetTabsNum()) return FALSE;
  strLabel = m_tabs[iTab].label;
  return TRUE;
}

BOOL CMFCBaseTabCtrl::SetTabLabel(int iTab, const CString& strLabel) {
  if (iTab < 0 || iTab >= GetTabsNum()) return FALSE;
  if (m_tabs[iTab].label == strLabel) return TRUE;
  m_tabs[iTab].label = strLabel;
  RecalcLayout();
  return TRUE;
}

UINT CMFCBaseTabCtrl::GetTabIcon(int iTab) const {
  return iTab >= 0 && iTab < GetTabsNum() ? m_tabs[iTab].image : static_cast<UINT>(-1);
}

BOOL CMFCBaseTabCtrl::IsTabDetachable(int iTab) const {
  return iTab >= 0 && iTab < GetTabsNum() && m_tabs[iTab].detachable;
}

BOOL CMFCBaseTabCtrl::ShowTab(int iTab, BOOL bShow, BOOL bRecalcLayout, BOOL bActivate) {
  if (iTab < 0 || iTab >= GetTabsNum()) return FALSE;
  m_tabs[iTab].visible = bShow;
  if (!bShow && iTab == m_iActiveTab) {
    m_iActiveTab = -1;
    for (int i = 0; i < GetTabsNum(); ++i) {
      if (m_tabs[i].visible) {
        SetActiveTab(i);
        break;
      }
    }
  }
  if (bShow && (bActivate || m_iActiveTab < 0)) SetActiveTab(iTab);
  if (bRecalcLayout) RecalcLayout();
  return TRUE;
}

BOOL CMFCBaseTabCtrl::IsTabVisible(int iTab) const { return iTab >= 0 && iTab < GetTabsNum() && m_tabs[iTab].visible; }

BOOL CMFCBaseTabCtrl::MoveTab(int nSource, int nDest) {
  if (nSource < 0 || nSource >= GetTabsNum() || nDest < 0 || nDest >= GetTabsNum()) return FALSE;
  if (nSource == nDest) return TRUE;
  const TabInfo moved = m_tabs[nSource];
  CWnd* active = GetActiveWnd();
  m_tabs.RemoveAt(nSource);
  m_tabs.InsertAt(nDest, moved);
  m_iActiveTab = active ? GetTabFromHwnd(active->m_hWnd) : -1;
  RecalcLayout();
  return TRUE;
}

COLORREF CMFCBaseTabCtrl::AutoColor(int index) const {
  const int count = static_cast<int>(sizeof(kAutoColors) / sizeof(kAutoColors[0]));
  return kAutoColors[((index % count) + count) % count];
}

BOOL CMFCBaseTabCtrl::SetTabBkColor(int iTab, COLORREF color) {
  if (iTab < 0 || iTab >= GetTabsNum()) return FALSE;
  m_tabs[iTab].color = color;
  Invalidate();
  return TRUE;
}

COLORREF CMFCBaseTabCtrl::GetTabBkColor(int iTab) const {
  if (iTab < 0 || iTab >= GetTabsNum()) return CLR_DEFAULT;
  if (m_tabs[iTab].color != CLR_DEFAULT) return m_tabs[iTab].color;
  return m_bAutoColor ? AutoColor(iTab) : CLR_DEFAULT;
}

void CMFCBaseTabCtrl::EnableAutoColor(BOOL bEnable) {
  m_bAutoColor = bEnable;
  if (m_hWnd) Invalidate();
}

int CMFCBaseTabCtrl::GetTabsHeight() const { return fw_docking::UiTextHeight() + 9; }

void CMFCBaseTabCtrl::GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const {
  rectTabAreaTop.SetRectEmpty();
  rectTabAreaBottom.SetRectEmpty();
  if (!m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  const int height = std::min(GetTabsHeight(), static_cast<int>(client.Height()));
  if (m_location == LOCATION_TOP)
    rectTabAreaTop.SetRect(client.left, client.top, client.right, client.top + height);
  else
    rectTabAreaBottom.SetRect(client.left, client.bottom - height, client.right, client.bottom);
}

void CMFCBaseTabCtrl::GetWndArea(CRect& rect) const {
  rect.SetRectEmpty();
  if (!m_hWnd) return;
  GetClientRect(&rect);
  const int height = std::min(GetTabsHeight(), static_cast<int>(rect.Height()));
  if (m_location == LOCATION_TOP)
    rect.top += height;
  else
    rect.bottom -= height;
}

BOOL CMFCBaseTabCtrl::GetTabRect(int iTab, CRect& rect) const {
  if (iTab < 0 || iTab >= GetTabsNum() || m_tabs[iTab].rect.IsRectEmpty()) return FALSE;
  rect = m_tabs[iTab].rect;
  return TRUE;
}

int CMFCBaseTabCtrl::GetTabFromPoint(CPoint& pt) const {
  for (int i = 0; i < GetTabsNum(); ++i)
    if (!m_tabs[i].rect.IsRectEmpty() && m_tabs[i].rect.PtInRect(pt)) return i;
  return -1;
}

void CMFCBaseTabCtrl::SetLocation(Location location) {
  m_location = location;
  RecalcLayout();
}

void CMFCBaseTabCtrl::EnableActiveTabCloseButton(BOOL bEnable) {
  m_bActiveTabCloseButton = bEnable;
  RecalcLayout();
}

void CMFCBaseTabCtrl::RecalcLayout() {
  if (!m_hWnd) return;
  LayoutTabs();
  ShowActiveWindow();
  Invalidate();
}

void CMFCBaseTabCtrl::ShowActiveWindow() {
  if (m_bIsMDITab || !m_hWnd) return;
  CRect area;
  GetWndArea(area);
  for (int i = 0; i < GetTabsNum(); ++i) {
    CWnd* wnd = m_tabs[i].wnd;
    if (!wnd || !wnd->m_hWnd || ::GetParent(wnd->m_hWnd) != m_hWnd) continue;
    if (i == m_iActiveTab) {
      ::SetWindowPos(wnd->m_hWnd, nullptr, area.left, area.top, area.Width(), area.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else if (wnd->GetStyle() & WS_VISIBLE) {
      wnd->ShowWindow(SW_HIDE);
    }
  }
}

// The active tab's close button: a pane in a tab group hides (its frame may keep it); any other
// window is asked to close (a document's frame may refuse).
void CMFCBaseTabCtrl::OnActiveTabCloseButton() {
  CWnd* wnd = GetActiveWnd();
  if (!wnd || !wnd->m_hWnd) return;
  if (wnd->IsKindOf(RUNTIME_CLASS(CDockablePane)))
    static_cast<CDockablePane*>(wnd)->OnPressCloseButton();
  else if (wnd->IsKindOf(RUNTIME_CLASS(CBasePane)))
    static_cast<CBasePane*>(wnd)->ShowPane(FALSE, FALSE, FALSE);
  else
    wnd->SendMessage(WM_CLOSE);
}

void CMFCBaseTabCtrl::OnDragTabOut(int iTab, CPoint ptScreen) {
  CWnd* parent = GetParent();
  if (parent && parent->IsKindOf(RUNTIME_CLASS(CBaseTabbedPane)))
    static_cast<CBaseTabbedPane*>(parent)->OnDragTabOut(iTab, ptScreen);
}

void CMFCBaseTabCtrl::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  RecalcLayout();
}

void CMFCBaseTabCtrl::OnDestroy() {
  if (m_bAutoDestroyWindow) {
    m_bRemoving = TRUE;
    while (GetTabsNum() > 0) {
      CWnd* wnd = m_tabs[GetTabsNum() - 1].wnd;
      m_tabs.RemoveAt(GetTabsNum() - 1);
      DestroyTabWindow(wnd);
    }
  }
  m_tabs.RemoveAll();
  m_iActiveTab = -1;
  CWnd::OnDestroy();
}

// A tab's window going away on its own takes its tab with it.
LRESULT CMFCBaseTabCtrl::OnParentNotify(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == WM_DESTROY && !m_bRemoving) {
    const int tab = GetTabFromHwnd(reinterpret_cast<HWND>(lParam));
    if (tab >= 0) {
      DetachTab(tab);
      RecalcLayout();
      CWnd* parent = GetParent();
      if (parent && parent->IsKindOf(RUNTIME_CLASS(CBaseTabbedPane)))
        static_cast<CBaseTabbedPane*>(parent)->OnTabWindowGone();
    }
  }
  return Default();
}

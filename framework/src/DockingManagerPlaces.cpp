// Moving panes between their places: rows, floating frames, tab groups and auto-hide strips.
#include <algorithm>

#include "DockingInternal.h"
#include "fw/AutoHideBar.h"
#include "fw/DockablePane.h"
#include "fw/DockingManager.h"
#include "fw/PaneFrameWnd.h"
#include "fw/TabbedPane.h"

namespace {

const DWORD kSideOrder[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};

int SideIndex(DWORD side) {
  for (int i = 0; i < 4; ++i)
    if (kSideOrder[i] == side) return i;
  return -1;
}

bool Horizontal(DWORD side) { return (side & CBRS_ORIENT_HORZ) != 0; }

CDockablePane* AsDockable(CBasePane* pane) {
  return pane && pane->IsKindOf(RUNTIME_CLASS(CDockablePane)) ? static_cast<CDockablePane*>(pane) : nullptr;
}

void FrameChanged(CWnd* wnd) {
  if (wnd && wnd->m_hWnd)
    ::SetWindowPos(wnd->m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

// Where a dockable pane leaving its row was, so it can come back there.
void CDockingManager::RememberDock(CBasePane* pBar) {
  CDockablePane* pane = AsDockable(pBar);
  Row* row = FindRow(pBar);
  if (!pane || !row || !row->resizable) return;
  CDockablePane::RecentDock recent;
  recent.side = row->side;
  recent.thickness = row->rect.IsRectEmpty() ? row->thickness
                                             : (Horizontal(row->side) ? row->rect.Height() : row->rect.Width());
  for (int j = 0; j < row->panes.GetSize(); ++j) {
    if (row->panes[j] != pBar) continue;
    recent.extent = row->extents[j];
    if (j > 0 && row->panes[j - 1]->m_hWnd) recent.prevId = static_cast<UINT>(row->panes[j - 1]->GetDlgCtrlID());
    if (j + 1 < row->panes.GetSize() && row->panes[j + 1]->m_hWnd)
      recent.nextId = static_cast<UINT>(row->panes[j + 1]->GetDlgCtrlID());
  }
  for (int i = 0; i < m_rows.GetSize() && m_rows[i] != row; ++i)
    if (m_rows[i]->side == row->side && m_rows[i]->resizable) ++recent.rowIndex;
  pane->SetRecentDock(recent);
}

BOOL CDockingManager::DetachPane(CBasePane* pBar) {
  if (!pBar) return FALSE;
  const BOOL shown = pBar->m_hWnd && pBar->IsVisible();
  CDockablePane* pane = AsDockable(pBar);
  if (pane && pane->IsAutoHideMode()) {
    if (CMFCAutoHideBar* bar = pane->GetAutoHideToolBar()) bar->RemovePane(pane);
    pane->SetAutoHideToolBar(nullptr);
  }
  if (pane) {
    if (CBaseTabbedPane* group = pane->GetParentTabbedPane()) group->RemovePane(pane);
  }
  if (pBar->IsKindOf(RUNTIME_CLASS(CPane))) {
    CPane* floating = static_cast<CPane*>(pBar);
    if (CPaneFrameWnd* frame = floating->GetParentMiniFrame()) {
      CRect rect;
      frame->GetWindowRect(&rect);
      if (pane) pane->SetRecentFloatingRect(rect);
      frame->RemovePane(pBar);
      frame->DestroyWindow();
    }
  }
  if (FindRow(pBar)) {
    RememberDock(pBar);
    UndockPane(pBar);
  }
  if (pBar->m_hWnd && (pBar->GetStyle() & WS_VISIBLE)) pBar->ShowWindow(SW_HIDE);
  return shown;
}

BOOL CDockingManager::FloatPane(CBasePane* pBar, CRect rectFloat, BOOL bShow) {
  if (!pBar || !pBar->m_hWnd || !pBar->IsKindOf(RUNTIME_CLASS(CPane)) || !m_pParentWnd) return FALSE;
  CPane* pane = static_cast<CPane*>(pBar);
  if (rectFloat.IsRectEmpty()) {
    pane->GetWindowRect(&rectFloat);
    const CSize size = CPaneFrameWnd::FrameSizeFor(rectFloat.Size());
    rectFloat.right = rectFloat.left + size.cx;
    rectFloat.bottom = rectFloat.top + size.cy;
  }
  if (CPaneFrameWnd* frame = pane->GetParentMiniFrame()) {
    frame->MoveWindow(&rectFloat);
    return TRUE;
  }
  AddPane(pBar);
  const BOOL shown = DetachPane(pBar);
  CPaneFrameWnd* frame = new CPaneFrameWnd;
  CString title;
  pane->GetWindowText(title);
  if (!frame->Create(title, 0, rectFloat, m_pParentWnd)) {
    OutputDebugStringW(L"CDockingManager::FloatPane: the floating frame cannot be created\n");
    return FALSE;  // the frame deleted itself
  }
  frame->SetDockingManager(this);
  m_miniFrames.Add(frame);
  frame->AddPane(pBar);
  if (CDockablePane* dockable = AsDockable(pBar)) dockable->SetRecentFloatingRect(rectFloat);
  if (bShow || shown) {
    pane->ShowWindow(SW_SHOWNOACTIVATE);
    frame->ShowWindow(SW_SHOWNOACTIVATE);
  }
  RecalcLayout();
  return TRUE;
}

void CDockingManager::OnMiniFrameDestroyed(CPaneFrameWnd* pFrame) {
  for (int i = 0; i < m_miniFrames.GetSize(); ++i) {
    if (m_miniFrames[i] == pFrame) {
      m_miniFrames.RemoveAt(i);
      break;
    }
  }
  CBasePane* pane = pFrame->GetPane();
  if (pane && pane->IsKindOf(RUNTIME_CLASS(CPane))) static_cast<CPane*>(pane)->SetParentMiniFrame(nullptr);
}

BOOL CDockingManager::DockPaneToRecentPos(CDockablePane* pBar) {
  if (!pBar || !pBar->m_hWnd) return FALSE;
  AddPane(pBar);
  CDockablePane::RecentDock recent = pBar->GetRecentDock();
  DWORD side = recent.side;
  if (!side || !CanDockTo(pBar, side)) {
    side = 0;
    const DWORD preferred = pBar->GetCurrentAlignment();
    for (DWORD candidate : kSideOrder)
      if (!side && (candidate & preferred) && CanDockTo(pBar, candidate)) side = candidate;
    for (DWORD candidate : kSideOrder)
      if (!side && CanDockTo(pBar, candidate)) side = candidate;
    if (!side) return FALSE;
    recent = CDockablePane::RecentDock();
  }
  const BOOL wasAutoHidden = pBar->IsAutoHideMode();
  const BOOL shown = DetachPane(pBar) || wasAutoHidden;
  if (!pBar->IsResizable()) return DockPaneToSide(pBar, side, FALSE);
  // Beside a neighbour it had, when that one is still docked on the side.
  BOOL placed = FALSE;
  for (int pass = 0; pass < 2 && !placed; ++pass) {
    const UINT id = pass == 0 ? recent.nextId : recent.prevId;
    CBasePane* neighbour = id ? FindPaneByID(id) : nullptr;
    Row* row = neighbour ? FindRow(neighbour) : nullptr;
    if (!row || row->side != side || !row->resizable) continue;
    int at = 0;
    while (row->panes[at] != neighbour) ++at;
    if (pass == 1) ++at;
    row->panes.InsertAt(at, pBar);
    row->extents.InsertAt(at, recent.extent > 0 ? recent.extent : std::max(1, row->extents[at == 0 ? 1 : at - 1]));
    placed = TRUE;
  }
  if (!placed) {
    // A row of its own at the place among the side's pane rows it had.
    Row* row = new Row;
    row->side = side;
    row->resizable = TRUE;
    const CSize size = pBar->GetDefaultSize();
    row->thickness = recent.thickness > 0 ? recent.thickness : (Horizontal(side) ? size.cy : size.cx);
    row->panes.Add(pBar);
    row->extents.Add(recent.extent > 0 ? recent.extent : std::max(1, static_cast<int>(Horizontal(side) ? size.cx : size.cy)));
    int at = 0, seen = 0;
    for (; at < m_rows.GetSize(); ++at) {
      if (m_rows[at]->side != side || !m_rows[at]->resizable) continue;
      if (seen++ == recent.rowIndex) break;
    }
    if (seen <= recent.rowIndex) at = static_cast<int>(m_rows.GetSize());
    m_rows.InsertAt(at, row);
  }
  pBar->SetCurrentAlignment(side);
  if (m_pParentWnd && ::GetParent(pBar->m_hWnd) != m_pParentWnd->m_hWnd) pBar->SetParent(m_pParentWnd);
  FrameChanged(pBar);
  if (shown) pBar->ShowWindow(SW_SHOWNOACTIVATE);
  RecalcLayout();
  return TRUE;
}

CBaseTabbedPane* CDockingManager::AttachToTabGroup(CDockablePane* pBar, CDockablePane* pTarget, BOOL bSetActive) {
  if (!pBar || !pTarget || !pBar->m_hWnd || !pTarget->m_hWnd || pBar == pTarget || !m_pParentWnd) return nullptr;
  CBaseTabbedPane* group = pTarget->IsKindOf(RUNTIME_CLASS(CBaseTabbedPane)) ? static_cast<CBaseTabbedPane*>(pTarget)
                                                                               : pTarget->GetParentTabbedPane();
  if (group == pBar || (group && pBar->GetParentTabbedPane() == group)) return group;
  // A group dropped on a pane brings all its tabs.
  if (pBar->IsKindOf(RUNTIME_CLASS(CBaseTabbedPane))) {
    CBaseTabbedPane* moving = static_cast<CBaseTabbedPane*>(pBar);
    CArray<CDockablePane*, CDockablePane*> members;
    CMFCBaseTabCtrl* tabs = moving->GetUnderlyingWindow();
    for (int i = 0; tabs && i < tabs->GetTabsNum(); ++i) {
      CWnd* wnd = tabs->GetTabWnd(i);
      if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CDockablePane))) members.Add(static_cast<CDockablePane*>(wnd));
    }
    CBaseTabbedPane* result = nullptr;
    for (int i = 0; i < members.GetSize(); ++i) result = AttachToTabGroup(members[i], group ? group : pTarget, bSetActive);
    return result;
  }
  if (!group) {
    // A new group in the target's place, holding the target first.
    CTabbedPane* made = new CTabbedPane(TRUE);
    const CRect rect = fw_docking::RectIn(pTarget, m_pParentWnd);
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (pTarget->GetPaneStyle() & CBRS_ALIGN_ANY);
    if (!made->Create(L"", m_pParentWnd, rect, TRUE, GetFreePaneId(), style, AFX_CBRS_REGULAR_TABS,
                      pTarget->GetControlBarStyle()))
      return nullptr;  // the group deleted itself
    made->EnableDocking(pTarget->GetEnabledAlignment());
    made->SetDefaultSize(pTarget->GetDefaultSize());
    made->SetRecentDock(pTarget->GetRecentDock());
    group = made;
    const BOOL targetShown = pTarget->IsVisible();
    CRect floatRect;
    CPaneFrameWnd* targetFrame = pTarget->GetParentMiniFrame();
    if (targetFrame) targetFrame->GetWindowRect(&floatRect);
    if (FindRow(pTarget)) {
      ReplacePane(pTarget, group);
    } else if (pTarget->IsAutoHideMode()) {
      RestoreAutoHidePane(pTarget);
      ReplacePane(pTarget, group);
    }
    group->AddTab(pTarget, TRUE, TRUE);
    if (targetFrame) FloatPane(group, floatRect, targetShown);
    if (targetShown && !group->IsFloating()) group->ShowWindow(SW_SHOWNOACTIVATE);
  }
  group->AddTab(pBar, TRUE, bSetActive);
  if (!group->IsVisible()) group->ShowPane(TRUE, TRUE, FALSE);
  RecalcLayout();
  return group;
}

// An automatic group of one pane gives its place to that pane; an empty group goes.
void CDockingManager::OnTabGroupChanged(CBaseTabbedPane* pGroup) {
  if (!pGroup || !pGroup->IsAutoDestroy() || pGroup->GetTabsNum() >= 2 || !pGroup->m_hWnd) return;
  CMFCBaseTabCtrl* tabs = pGroup->GetUnderlyingWindow();
  CWnd* lastWnd = tabs && tabs->GetTabsNum() == 1 ? tabs->GetTabWnd(0) : nullptr;
  CDockablePane* last = lastWnd && lastWnd->IsKindOf(RUNTIME_CLASS(CDockablePane)) ? static_cast<CDockablePane*>(lastWnd)
                                                                                  : nullptr;
  if (last) {
    const BOOL shown = pGroup->IsVisible() && tabs->IsTabVisible(0);
    tabs->DetachTab(0);
    last->ShowWindow(SW_HIDE);
    last->SetParent(m_pParentWnd);
    FrameChanged(last);
    if (pGroup->IsAutoHideMode()) RestoreAutoHidePane(pGroup);
    if (FindRow(pGroup)) {
      ReplacePane(pGroup, last);
      last->SetRecentDock(pGroup->GetRecentDock());
      if (shown) last->ShowWindow(SW_SHOWNOACTIVATE);
    } else if (CPaneFrameWnd* frame = pGroup->GetParentMiniFrame()) {
      CRect rect;
      frame->GetWindowRect(&rect);
      DetachPane(pGroup);
      last->SetRecentDock(pGroup->GetRecentDock());
      FloatPane(last, rect, shown);
    }
  } else if (tabs && tabs->GetTabsNum() == 1) {
    return;  // a window that is not a pane keeps its group
  }
  DetachPane(pGroup);
  RemovePaneFromDockManager(pGroup);
  pGroup->DestroyWindow();  // deletes the group
  RecalcLayout();
}

CMFCAutoHideBar* CDockingManager::GetAutoHideBar(DWORD side, BOOL bCreate) {
  const int index = SideIndex(side);
  if (index < 0) return nullptr;
  if (!m_autoHide[index] && bCreate && m_pParentWnd && m_pParentWnd->m_hWnd) {
    CMFCAutoHideBar* bar = new CMFCAutoHideBar;
    if (!bar->Create(m_pParentWnd, this, side)) {
      delete bar;
      return nullptr;
    }
    m_autoHide[index] = bar;
  }
  return m_autoHide[index];
}

CMFCAutoHideBar* CDockingManager::HidePaneAlongEdge(CDockablePane* pBar, DWORD side) {
  Row* row = pBar ? FindRow(pBar) : nullptr;
  if (!row || !row->resizable) return nullptr;
  CMFCAutoHideBar* bar = GetAutoHideBar(side, TRUE);
  if (!bar) return nullptr;
  RememberDock(pBar);
  UndockPane(pBar);
  pBar->ShowWindow(SW_HIDE);
  bar->AddPane(pBar);
  pBar->SetAutoHideToolBar(bar);
  pBar->SetAutoHideState(side, FALSE);
  FrameChanged(pBar);
  RecalcLayout();
  return bar;
}

BOOL CDockingManager::RestoreAutoHidePane(CDockablePane* pBar) {
  if (!pBar || !pBar->IsAutoHideMode()) return FALSE;
  return DockPaneToRecentPos(pBar);
}

// Beside the strip, over the documents and the panes docked there, as thick as the pane was docked.
CRect CDockingManager::GetSlideOutRect(CDockablePane* pBar) const {
  CRect area = m_rectDockArea;
  if (!pBar) return CRect();
  const DWORD side = pBar->GetAutoHideAlignment();
  const bool horz = Horizontal(side);
  int thickness = pBar->GetRecentDock().thickness;
  if (thickness <= 0) thickness = horz ? pBar->GetDefaultSize().cy : pBar->GetDefaultSize().cx;
  const int room = horz ? area.Height() : area.Width();
  thickness = std::max(std::min(thickness, room - static_cast<int>(kMinCentreSize)), std::min(room, static_cast<int>(kMinPaneSize)));
  return fw_docking::StripAt(area, side, thickness);
}

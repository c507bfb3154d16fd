#include "fw/DockingManager.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDockingManager, CObject)

namespace {

AFX_DOCK_TYPE g_dockingMode = DT_IMMEDIATE;

const DWORD kSideOrder[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};

DWORD SideOfDockBar(UINT id) {
  switch (id) {
    case AFX_IDW_DOCKBAR_TOP: return CBRS_ALIGN_TOP;
    case AFX_IDW_DOCKBAR_BOTTOM: return CBRS_ALIGN_BOTTOM;
    case AFX_IDW_DOCKBAR_LEFT: return CBRS_ALIGN_LEFT;
    case AFX_IDW_DOCKBAR_RIGHT: return CBRS_ALIGN_RIGHT;
    default: return 0;
  }
}

bool Horizontal(DWORD side) { return (side & CBRS_ORIENT_HORZ) != 0; }

// Takes `thickness` off `rect` at `side` and returns the strip.
CRect TakeStrip(CRect& rect, DWORD side, int thickness) {
  CRect strip = rect;
  switch (side) {
    case CBRS_ALIGN_TOP:
      strip.bottom = strip.top + thickness;
      rect.top = strip.bottom;
      break;
    case CBRS_ALIGN_BOTTOM:
      strip.top = strip.bottom - thickness;
      rect.bottom = strip.top;
      break;
    case CBRS_ALIGN_LEFT:
      strip.right = strip.left + thickness;
      rect.left = strip.right;
      break;
    default:
      strip.left = strip.right - thickness;
      rect.right = strip.left;
      break;
  }
  if (rect.right < rect.left) rect.right = rect.left;
  if (rect.bottom < rect.top) rect.bottom = rect.top;
  return strip;
}

void Place(CBasePane* pane, const CRect& rect) {
  ::SetWindowPos(pane->m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CDockingManager::CDockingManager() = default;

CDockingManager::~CDockingManager() {
  for (POSITION pos = m_panes.GetHeadPosition(); pos;) {
    CBasePane* pane = static_cast<CBasePane*>(m_panes.GetNext(pos));
    pane->SetDockSiteFrameWnd(nullptr);
  }
  for (int i = 0; i < m_rows.GetSize(); ++i) delete m_rows[i];
}

BOOL CDockingManager::Create(CFrameWnd* pParentWnd) {
  m_pParentWnd = pParentWnd;
  return pParentWnd != nullptr;
}

BOOL CDockingManager::EnableDocking(DWORD dwStyle) {
  m_dwEnabledDockingAlignment |= dwStyle & CBRS_ALIGN_ANY;
  return TRUE;
}

BOOL CDockingManager::EnableAutoHidePanes(DWORD dwStyle) {
  m_dwEnabledAutoHideAlignment |= dwStyle & CBRS_ALIGN_ANY;
  return TRUE;
}

void CDockingManager::SetDockingMode(AFX_DOCK_TYPE dockMode) { g_dockingMode = dockMode; }
AFX_DOCK_TYPE CDockingManager::GetDockingMode() { return g_dockingMode; }

BOOL CDockingManager::AddPane(CBasePane* pWnd, BOOL bTail) {
  if (!pWnd) return FALSE;
  if (m_panes.Find(pWnd)) return TRUE;
  if (bTail)
    m_panes.AddTail(pWnd);
  else
    m_panes.AddHead(pWnd);
  pWnd->SetDockSiteFrameWnd(m_pParentWnd);
  // A menu bar takes the frame's menu; the frame then shows no system menu bar.
  if (m_pParentWnd && m_pParentWnd->m_hMenuDefault && pWnd->OnSetFrameMenu(m_pParentWnd->m_hMenuDefault, TRUE))
    ::SetMenu(m_pParentWnd->m_hWnd, nullptr);
  return TRUE;
}

void CDockingManager::RemovePaneFromDockManager(CBasePane* pWnd) {
  UndockPane(pWnd);
  if (POSITION pos = m_panes.Find(pWnd)) m_panes.RemoveAt(pos);
}

CDockingManager::Row* CDockingManager::NewRow(DWORD side, BOOL resizable, BOOL outermost) {
  Row* row = new Row;
  row->side = side;
  row->resizable = resizable;
  if (!outermost) {
    m_rows.Add(row);
    return row;
  }
  // Outermost of its kind on its side: before the first row of that kind and side.
  int at = 0;
  while (at < m_rows.GetSize() && !(m_rows[at]->side == side && m_rows[at]->resizable == resizable)) ++at;
  m_rows.InsertAt(at, row);
  return row;
}

void CDockingManager::DeleteRow(Row* row) {
  for (int i = 0; i < m_rows.GetSize(); ++i) {
    if (m_rows[i] == row) {
      m_rows.RemoveAt(i);
      break;
    }
  }
  delete row;
}

CDockingManager::Row* CDockingManager::FindRow(const CBasePane* pBar) const {
  for (int i = 0; i < m_rows.GetSize(); ++i) {
    const Row* row = m_rows[i];
    for (int j = 0; j < row->panes.GetSize(); ++j)
      if (row->panes[j] == pBar) return m_rows[i];
  }
  return nullptr;
}

void CDockingManager::UndockPane(CBasePane* pBar) {
  Row* row = FindRow(pBar);
  if (!row) return;
  for (int j = 0; j < row->panes.GetSize(); ++j) {
    if (row->panes[j] != pBar) continue;
    row->panes.RemoveAt(j);
    row->extents.RemoveAt(j);
    break;
  }
  if (row->panes.GetSize() == 0) DeleteRow(row);
}

void CDockingManager::DockPane(CBasePane* pBar, UINT nDockBarID, LPCRECT) {
  if (!pBar) return;
  AddPane(pBar);
  DWORD side = SideOfDockBar(nDockBarID);
  const DWORD allowed = pBar->GetEnabledAlignment() & m_dwEnabledDockingAlignment;
  if (!side || !(side & allowed)) {
    side = 0;
    for (DWORD candidate : kSideOrder) {
      if (candidate & allowed) {
        side = candidate;
        break;
      }
    }
  }
  if (!side) {
    OutputDebugStringW(L"CDockingManager::DockPane: the pane may dock to no side of this frame\n");
    return;
  }
  UndockPane(pBar);
  const BOOL resizable = pBar->IsResizable();
  Row* row = NewRow(side, resizable, FALSE);
  row->panes.Add(pBar);
  if (resizable) {
    const CSize size = pBar->IsKindOf(RUNTIME_CLASS(CPane)) ? static_cast<CPane*>(pBar)->GetDefaultSize() : CSize();
    row->thickness = Horizontal(side) ? size.cy : size.cx;
    row->extents.Add(Horizontal(side) ? size.cx : size.cy);
  } else {
    row->extents.Add(-1);
  }
  pBar->SetCurrentAlignment(side);
  RecalcLayout();
}

BOOL CDockingManager::DockPaneLeftOf(CBasePane* pBar, CBasePane* pTarget) {
  return DockPaneBeside(pBar, pTarget, CBRS_ALIGN_LEFT);
}

BOOL CDockingManager::DockPaneBeside(CBasePane* pBar, CBasePane* pTarget, DWORD dwAlignment) {
  Row* row = FindRow(pTarget);
  if (!pBar || !row || pBar == pTarget) return FALSE;
  AddPane(pBar);
  UndockPane(pBar);
  row = FindRow(pTarget);  // the target's row outlives the undock: it still holds the target
  int at = 0;
  while (row->panes[at] != pTarget) ++at;
  if (dwAlignment & (CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM)) ++at;
  row->panes.InsertAt(at, pBar);
  row->extents.InsertAt(at, row->resizable ? row->extents[at == 0 ? 1 : at - 1] : -1);
  pBar->SetCurrentAlignment(row->side);
  RecalcLayout();
  return TRUE;
}

BOOL CDockingManager::SetFrameMenu(HMENU hMenu, BOOL bDefault) {
  for (POSITION pos = m_panes.GetHeadPosition(); pos;) {
    CBasePane* pane = static_cast<CBasePane*>(m_panes.GetNext(pos));
    if (pane->OnSetFrameMenu(hMenu, bDefault)) return TRUE;
  }
  return FALSE;
}

void CDockingManager::RecalcLayout() {
  if (m_pParentWnd && m_pParentWnd->m_hWnd) m_pParentWnd->RecalcLayout();
}

CBasePane* CDockingManager::FindPaneByID(UINT uBarID) const {
  for (POSITION pos = m_panes.GetHeadPosition(); pos;) {
    CBasePane* pane = static_cast<CBasePane*>(m_panes.GetNext(pos));
    if (pane->m_hWnd && static_cast<UINT>(pane->GetDlgCtrlID()) == uBarID) return pane;
  }
  return nullptr;
}

void CDockingManager::GetPaneList(CObList& lstBars) const {
  for (POSITION pos = m_panes.GetHeadPosition(); pos;) lstBars.AddTail(m_panes.GetNext(pos));
}

CRect CDockingManager::AdjustDockingLayout(CRect rect) {
  // Placed but not docked: the status bar and its kind along the bottom, outermost.
  for (POSITION pos = m_panes.GetHeadPosition(); pos;) {
    CBasePane* pane = static_cast<CBasePane*>(m_panes.GetNext(pos));
    if (!pane->m_hWnd || !pane->IsVisible() || pane->IsFloating() || FindRow(pane)) continue;
    const DWORD side = pane->GetCurrentAlignment();
    if (!side || pane->IsResizable()) continue;
    const CSize size = pane->CalcFixedLayout(TRUE, Horizontal(side));
    Place(pane, TakeStrip(rect, side, Horizontal(side) ? size.cy : size.cx));
  }
  // Bar rows, side by side; horizontal sides first so they span the frame's width.
  for (DWORD side : kSideOrder) {
    for (int i = 0; i < m_rows.GetSize(); ++i) {
      Row* row = m_rows[i];
      if (row->side != side || row->resizable) continue;
      const bool horz = Horizontal(side);
      int thickness = 0;
      for (int j = 0; j < row->panes.GetSize(); ++j) {
        CBasePane* pane = row->panes[j];
        if (!pane->IsVisible()) continue;
        const CSize size = pane->CalcFixedLayout(FALSE, horz);
        thickness = std::max(thickness, static_cast<int>(horz ? size.cy : size.cx));
      }
      row->thickness = thickness;
      if (thickness == 0) {
        row->rect.SetRectEmpty();
        continue;
      }
      row->rect = TakeStrip(rect, side, thickness);
      int along = horz ? row->rect.left : row->rect.top;
      for (int j = 0; j < row->panes.GetSize(); ++j) {
        CBasePane* pane = row->panes[j];
        if (!pane->IsVisible()) continue;
        const CSize size = pane->CalcFixedLayout(FALSE, horz);
        const int start = horz ? row->rect.left : row->rect.top;
        if (row->extents[j] >= 0) along = std::max(along, start + row->extents[j]);
        CRect place = row->rect;
        if (horz) {
          place.left = along;
          place.right = along + size.cx;
        } else {
          place.top = along;
          place.bottom = along + size.cy;
        }
        Place(pane, place);
        along = horz ? place.right : place.bottom;
      }
    }
  }
  // Pane rows in docking order, each with a divider on its inner edge; the panes of a row share
  // its length in proportion to their extents, with a divider between two.
  for (int i = 0; i < m_rows.GetSize(); ++i) {
    Row* row = m_rows[i];
    if (!row->resizable) continue;
    const bool horz = Horizontal(row->side);
    int visible = 0, total = 0;
    for (int j = 0; j < row->panes.GetSize(); ++j) {
      if (!row->panes[j]->IsVisible()) continue;
      ++visible;
      total += std::max(1, row->extents[j]);
    }
    if (visible == 0) {
      row->rect.SetRectEmpty();
      continue;
    }
    const int room = horz ? rect.Height() : rect.Width();
    const int thickness = std::min(std::max(row->thickness, 1), std::max(room - static_cast<int>(kDividerSize), 0));
    row->rect = TakeStrip(rect, row->side, thickness);
    TakeStrip(rect, row->side, kDividerSize);
    const int length = (horz ? row->rect.Width() : row->rect.Height()) - (visible - 1) * kDividerSize;
    int along = horz ? row->rect.left : row->rect.top;
    int used = 0, seen = 0;
    for (int j = 0; j < row->panes.GetSize(); ++j) {
      CBasePane* pane = row->panes[j];
      if (!pane->IsVisible()) continue;
      ++seen;
      used += std::max(1, row->extents[j]);
      const int end = (horz ? row->rect.left : row->rect.top) + MulDiv(length, used, total) + (seen - 1) * kDividerSize;
      CRect place = row->rect;
      if (horz) {
        place.left = along;
        place.right = seen == visible ? row->rect.right : end;
      } else {
        place.top = along;
        place.bottom = seen == visible ? row->rect.bottom : end;
      }
      Place(pane, place);
      along = (horz ? place.right : place.bottom) + kDividerSize;
    }
  }
  m_rectClientArea = rect;
  return rect;
}

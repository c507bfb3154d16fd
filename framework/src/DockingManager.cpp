// The docking manager's rows and layout. Moving panes between places (floating, tab groups,
// auto-hide) is in DockingManagerPlaces.cpp, dragging in DockingManagerDrag.cpp, the pane menu
// and print preview in PaneMenu.cpp, persistence in DockingManagerState.cpp.
#include "fw/DockingManager.h"

#include <algorithm>

#include "DockingInternal.h"
#include "fw/AutoHideBar.h"
#include "fw/DockablePane.h"
#include "fw/PaneDivider.h"
#include "fw/PaneFrameWnd.h"
#include "fw/SmartDocking.h"
#include "fw/VisualManager.h"

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

void Place(CBasePane* pane, const CRect& rect) { fw_docking::PlaceWindow(pane->m_hWnd, rect); }

int SideIndex(DWORD side) {
  for (int i = 0; i < 4; ++i)
    if (kSideOrder[i] == side) return i;
  return -1;
}

}  // namespace

CDockingManager::CDockingManager() = default;

CDockingManager::~CDockingManager() {
  for (POSITION pos = m_panes.GetHeadPosition(); pos;) {
    CBasePane* pane = static_cast<CBasePane*>(m_panes.GetNext(pos));
    pane->SetDockSiteFrameWnd(nullptr);
  }
  for (int i = 0; i < m_miniFrames.GetSize(); ++i) m_miniFrames[i]->SetDockingManager(nullptr);
  for (int i = 0; i < m_rows.GetSize(); ++i) delete m_rows[i];
  for (int i = 0; i < m_dividers.GetSize(); ++i) delete m_dividers[i];
  for (CMFCAutoHideBar*& bar : m_autoHide) {
    delete bar;
    bar = nullptr;
  }
  delete m_pSmartDocking;
  delete m_pOutline;
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

BOOL CDockingManager::IsSmartDocking() {
  return (g_dockingMode & DT_SMART) != 0 || CMFCVisualManager::GetInstance()->IsSmartDockingLook();
}

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
  for (CMFCAutoHideBar* bar : m_autoHide)
    if (bar && pWnd->IsKindOf(RUNTIME_CLASS(CDockablePane))) bar->RemovePane(static_cast<CDockablePane*>(pWnd));
  if (POSITION pos = m_panes.Find(pWnd)) m_panes.RemoveAt(pos);
  for (CArray<CBasePane*, CBasePane*>* list : {&m_hiddenInPreview, &m_viewMenuPanes}) {
    for (int i = static_cast<int>(list->GetSize()) - 1; i >= 0; --i)
      if ((*list)[i] == pWnd) list->RemoveAt(i);
  }
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

CDockingManager::Row* CDockingManager::NewRowBeside(Row* next, BOOL bInside) {
  Row* row = new Row;
  row->side = next->side;
  row->resizable = next->resizable;
  int at = 0;
  while (at < m_rows.GetSize() && m_rows[at] != next) ++at;
  // Rows later in the docking order are nearer the centre.
  m_rows.InsertAt(bInside ? at + 1 : at, row);
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

BOOL CDockingManager::IsRow(const Row* row) const {
  for (int i = 0; i < m_rows.GetSize(); ++i)
    if (m_rows[i] == row) return TRUE;
  return FALSE;
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

BOOL CDockingManager::CanDockTo(const CBasePane* pBar, DWORD side) const {
  return (side & pBar->GetEnabledAlignment() & m_dwEnabledDockingAlignment & CBRS_ALIGN_ANY) != 0;
}

void CDockingManager::DockPane(CBasePane* pBar, UINT nDockBarID, LPCRECT) {
  if (!pBar) return;
  AddPane(pBar);
  const DWORD allowed = pBar->GetEnabledAlignment() & m_dwEnabledDockingAlignment;
  DWORD side = SideOfDockBar(nDockBarID);
  // No side asked for: the side of the pane's bar style when it may go there.
  if (!side) side = pBar->GetCurrentAlignment() & allowed;
  for (DWORD candidate : kSideOrder) {
    if (side & candidate & allowed) {
      side = candidate;
      break;
    }
  }
  if (!(side & allowed)) {
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
  DockPaneToSide(pBar, side, FALSE);
}

BOOL CDockingManager::DockPaneToSide(CBasePane* pBar, DWORD side, BOOL bOutermost, int thickness) {
  if (!pBar || SideIndex(side) < 0 || !CanDockTo(pBar, side)) return FALSE;
  AddPane(pBar);
  const BOOL shown = DetachPane(pBar);
  const BOOL resizable = pBar->IsResizable();
  Row* row = NewRow(side, resizable, bOutermost);
  row->panes.Add(pBar);
  if (resizable) {
    CSize size = pBar->IsKindOf(RUNTIME_CLASS(CPane)) ? static_cast<CPane*>(pBar)->GetDefaultSize() : CSize();
    if (pBar->IsKindOf(RUNTIME_CLASS(CDockablePane))) {
      const CDockablePane::RecentDock& recent = static_cast<CDockablePane*>(pBar)->GetRecentDock();
      if (recent.side == side && recent.thickness > 0) (Horizontal(side) ? size.cy : size.cx) = recent.thickness;
    }
    row->thickness = thickness > 0 ? thickness : (Horizontal(side) ? size.cy : size.cx);
    row->extents.Add(std::max(1, static_cast<int>(Horizontal(side) ? size.cx : size.cy)));
  } else {
    row->extents.Add(-1);
  }
  pBar->SetCurrentAlignment(side);
  if (m_pParentWnd && ::GetParent(pBar->m_hWnd) != m_pParentWnd->m_hWnd) pBar->SetParent(m_pParentWnd);
  if (shown) pBar->ShowWindow(SW_SHOWNOACTIVATE);
  RecalcLayout();
  return TRUE;
}

BOOL CDockingManager::DockPaneLeftOf(CBasePane* pBar, CBasePane* pTarget) {
  return DockPaneBeside(pBar, pTarget, CBRS_ALIGN_LEFT);
}

BOOL CDockingManager::DockPaneBeside(CBasePane* pBar, CBasePane* pTarget, DWORD dwAlignment) {
  Row* row = FindRow(pTarget);
  if (!pBar || !row || pBar == pTarget) return FALSE;
  if (!CanDockTo(pBar, row->side)) {
    OutputDebugStringW(L"CDockingManager::DockPaneBeside: the pane may not dock to the target's side\n");
    return FALSE;
  }
  AddPane(pBar);
  const BOOL along = Horizontal(row->side) ? (dwAlignment & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0
                                           : (dwAlignment & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
  if (!along && (dwAlignment & CBRS_ALIGN_ANY) == 0) return FALSE;
  if (row->resizable != pBar->IsResizable()) return DockPaneToSide(pBar, row->side, FALSE);
  const BOOL shown = DetachPane(pBar);
  row = FindRow(pTarget);  // the target's row outlives the detach: it still holds the target
  if (along) {
    int at = 0;
    while (row->panes[at] != pTarget) ++at;
    const int targetAt = at;
    if (dwAlignment & (CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM)) ++at;
    int extent = -1;
    if (row->resizable) {
      // The two share what the target had.
      const int had = std::max(2, row->extents[targetAt]);
      extent = had / 2;
      row->extents[targetAt] = had - extent;
    }
    row->panes.InsertAt(at, pBar);
    row->extents.InsertAt(at, extent);
  } else {
    // Across the row: a row of its own next to the target's, nearer the centre when the pane goes
    // to the target's inner side.
    const DWORD inner = row->side == CBRS_ALIGN_LEFT    ? CBRS_ALIGN_RIGHT
                        : row->side == CBRS_ALIGN_RIGHT ? CBRS_ALIGN_LEFT
                        : row->side == CBRS_ALIGN_TOP   ? CBRS_ALIGN_BOTTOM
                                                        : CBRS_ALIGN_TOP;
    Row* added = NewRowBeside(row, (dwAlignment & inner) != 0);
    added->panes.Add(pBar);
    const CSize size = pBar->IsKindOf(RUNTIME_CLASS(CPane)) ? static_cast<CPane*>(pBar)->GetDefaultSize() : CSize();
    added->thickness = Horizontal(added->side) ? size.cy : size.cx;
    added->extents.Add(added->resizable ? std::max(1, static_cast<int>(Horizontal(added->side) ? size.cx : size.cy)) : -1);
  }
  pBar->SetCurrentAlignment(row->side);
  if (m_pParentWnd && ::GetParent(pBar->m_hWnd) != m_pParentWnd->m_hWnd) pBar->SetParent(m_pParentWnd);
  if (shown) pBar->ShowWindow(SW_SHOWNOACTIVATE);
  RecalcLayout();
  return TRUE;
}

BOOL CDockingManager::ReplacePane(CBasePane* pOld, CBasePane* pNew) {
  Row* row = FindRow(pOld);
  if (!row || !pNew || FindRow(pNew)) return FALSE;
  for (int j = 0; j < row->panes.GetSize(); ++j)
    if (row->panes[j] == pOld) row->panes[j] = pNew;
  pNew->SetCurrentAlignment(row->side);
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

void CDockingManager::GetMiniFrames(CArray<CPaneFrameWnd*, CPaneFrameWnd*>& frames) const {
  frames.RemoveAll();
  frames.Append(m_miniFrames);
}

UINT CDockingManager::GetFreePaneId() const {
  // Above the frame's own bars (0xE800-0xE8FF) and below the system command ids.
  for (UINT id = 0xE900; id < 0xEFFF; ++id)
    if (!FindPaneByID(id)) return id;
  return 0;
}

CRect CDockingManager::ClientToScreenRect(CRect rect) const {
  if (m_pParentWnd && m_pParentWnd->m_hWnd) m_pParentWnd->ClientToScreen(&rect);
  return rect;
}

CRect CDockingManager::AdjustDockingLayout(CRect rect) {
  // Placed but not docked: the status bar and its kind along the bottom, outermost. Dockable
  // panes outside rows float, hide in tab groups or along an edge, or wait to be docked.
  for (POSITION pos = m_panes.GetHeadPosition(); pos;) {
    CBasePane* pane = static_cast<CBasePane*>(m_panes.GetNext(pos));
    if (!pane->m_hWnd || !pane->IsVisible() || pane->IsFloating() || FindRow(pane)) continue;
    if (pane->IsKindOf(RUNTIME_CLASS(CDockablePane))) continue;
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
      const int end = horz ? row->rect.right : row->rect.bottom;
      for (int j = 0; j < row->panes.GetSize(); ++j) {
        CBasePane* pane = row->panes[j];
        if (!pane->IsVisible()) continue;
        const CSize size = pane->CalcFixedLayout(FALSE, horz);
        const int start = horz ? row->rect.left : row->rect.top;
        if (row->extents[j] >= 0) along = std::max(along, start + row->extents[j]);
        // A bar longer than the row ends with the row.
        const int stop = std::max(along, std::min(end, along + static_cast<int>(horz ? size.cx : size.cy)));
        CRect place = row->rect;
        if (horz) {
          place.left = along;
          place.right = stop;
        } else {
          place.top = along;
          place.bottom = stop;
        }
        Place(pane, place);
        along = stop;
      }
    }
  }
  LayoutAutoHide(rect);
  m_rectDockArea = rect;
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
  LayoutDividers();
  // An auto-hidden pane shown over the view stays on top of everything beside it.
  for (CMFCAutoHideBar* bar : m_autoHide) {
    CDockablePane* out = bar ? bar->GetSlidOutPane() : nullptr;
    if (!out) continue;
    const CRect slide = GetSlideOutRect(out);
    ::SetWindowPos(out->m_hWnd, HWND_TOP, slide.left, slide.top, slide.Width(), slide.Height(), SWP_NOACTIVATE);
  }
  return rect;
}

void CDockingManager::LayoutAutoHide(CRect& rect) {
  for (DWORD side : kSideOrder) {
    CMFCAutoHideBar* bar = m_autoHide[SideIndex(side)];
    if (!bar || !bar->m_hWnd) continue;
    if (!bar->HasVisibleButtons()) {
      if (bar->GetStyle() & WS_VISIBLE) bar->ShowWindow(SW_HIDE);
      continue;
    }
    const CRect strip = TakeStrip(rect, side, bar->GetThickness());
    ::SetWindowPos(bar->m_hWnd, nullptr, strip.left, strip.top, strip.Width(), strip.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
}

// One divider window per gap: at the inner edge of each shown pane row and between two shown panes
// of a row; windows left over from a larger layout are hidden.
void CDockingManager::LayoutDividers() {
  if (!m_pParentWnd || !m_pParentWnd->m_hWnd) return;
  int used = 0;
  const auto place = [&](Row* row, int nPane, const CRect& rect, BOOL vertical) {
    if (rect.IsRectEmpty()) return;
    if (used == m_dividers.GetSize()) {
      CPaneDivider* divider = new CPaneDivider(this);
      if (!divider->Create(m_pParentWnd)) {
        delete divider;
        return;
      }
      m_dividers.Add(divider);
    }
    CPaneDivider* divider = m_dividers[used++];
    divider->SetPlace(row, nPane, vertical);
    ::SetWindowPos(divider->m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  };
  for (int i = 0; i < m_rows.GetSize(); ++i) {
    Row* row = m_rows[i];
    if (!row->resizable || row->rect.IsRectEmpty()) continue;
    const bool horz = Horizontal(row->side);
    CRect inner = row->rect;
    switch (row->side) {
      case CBRS_ALIGN_TOP: inner.SetRect(inner.left, inner.bottom, inner.right, inner.bottom + kDividerSize); break;
      case CBRS_ALIGN_BOTTOM: inner.SetRect(inner.left, inner.top - kDividerSize, inner.right, inner.top); break;
      case CBRS_ALIGN_LEFT: inner.SetRect(inner.right, inner.top, inner.right + kDividerSize, inner.bottom); break;
      default: inner.SetRect(inner.left - kDividerSize, inner.top, inner.left, inner.bottom); break;
    }
    // A row divider runs along the row: vertical for the left and right sides.
    place(row, -1, inner, !horz);
    int previous = -1;
    for (int j = 0; j < row->panes.GetSize(); ++j) {
      if (!row->panes[j]->IsVisible()) continue;
      if (previous >= 0) {
        const CRect a = fw_docking::RectIn(row->panes[previous], m_pParentWnd);
        const CRect b = fw_docking::RectIn(row->panes[j], m_pParentWnd);
        const CRect gap = horz ? CRect(a.right, row->rect.top, b.left, row->rect.bottom)
                               : CRect(row->rect.left, a.bottom, row->rect.right, b.top);
        place(row, previous, gap, horz);
      }
      previous = j;
    }
  }
  for (int i = used; i < m_dividers.GetSize(); ++i) {
    m_dividers[i]->SetPlace(nullptr, -1, FALSE);
    if (m_dividers[i]->m_hWnd && (m_dividers[i]->GetStyle() & WS_VISIBLE)) m_dividers[i]->ShowWindow(SW_HIDE);
  }
}

CPaneDivider* CDockingManager::FindDivider(const Row* row, int nPane) const {
  for (int i = 0; i < m_dividers.GetSize(); ++i)
    if (m_dividers[i]->GetRow() == row && m_dividers[i]->GetPaneIndex() == nPane) return m_dividers[i];
  return nullptr;
}

// A row's inner divider changes its thickness: never below the smallest pane, never so far that
// the documents lose their last strip. A divider between two panes moves their common edge: both
// keep at least the smallest length.
BOOL CDockingManager::MoveDivider(Row* row, int nPane, int delta) {
  if (!IsRow(row) || !row->resizable || delta == 0 || !m_pParentWnd) return FALSE;
  const bool horz = Horizontal(row->side);
  if (nPane < 0) {
    const int grow = (row->side == CBRS_ALIGN_LEFT || row->side == CBRS_ALIGN_TOP) ? delta : -delta;
    const int current = horz ? row->rect.Height() : row->rect.Width();
    const int centre = horz ? m_rectClientArea.Height() : m_rectClientArea.Width();
    const int largest = current + std::max(0, centre - static_cast<int>(kMinCentreSize));
    const int wanted = std::min(std::max(current + grow, static_cast<int>(kMinPaneSize)), std::max(largest, current));
    if (wanted == current) return FALSE;
    row->thickness = wanted;
    RecalcLayout();
    return TRUE;
  }
  // The two shown panes beside the divider; the others keep their lengths in pixels.
  int next = -1;
  for (int j = nPane + 1; j < row->panes.GetSize() && next < 0; ++j)
    if (row->panes[j]->IsVisible()) next = j;
  if (nPane >= row->panes.GetSize() || next < 0) return FALSE;
  for (int j = 0; j < row->panes.GetSize(); ++j) {
    if (!row->panes[j]->IsVisible()) continue;
    const CRect r = fw_docking::RectIn(row->panes[j], m_pParentWnd);
    row->extents[j] = std::max(1, static_cast<int>(horz ? r.Width() : r.Height()));
  }
  const int both = row->extents[nPane] + row->extents[next];
  const int first = std::min(std::max(row->extents[nPane] + delta, static_cast<int>(kMinPaneSize)),
                             std::max(both - static_cast<int>(kMinPaneSize), static_cast<int>(kMinPaneSize)));
  if (first == row->extents[nPane]) return FALSE;
  row->extents[nPane] = first;
  row->extents[next] = std::max(1, both - first);
  RecalcLayout();
  return TRUE;
}

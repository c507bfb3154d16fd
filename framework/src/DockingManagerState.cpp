// The docking layout in the registry. Value "Layout" (REG_BINARY, little-endian 32-bit fields):
//   "FWDL", version 2;
//   tab groups: count; per group its id, its tab count, per tab its pane id and visibility, the
//     active tab;
//   rows: count; per row: side, resizable, thickness, pane count, then per pane its id, extent and
//     visibility;
//   panes outside rows (the status bar): count; per pane its id and visibility;
//   floating panes: count; per pane its id, visibility, the floating frame's left, top, right and
//     bottom (signed), then where it was docked last (see Recent below);
//   auto-hidden panes: count; per pane its id, the strip's side, whether its button shows, then
//     where it was docked last.
//   Recent: side, thickness, extent, the ids of the panes before and after it, the row's place.
// Version 1 values (rows and panes outside rows only) are still read.
// A pane the frame no longer has is skipped; a pane the value does not name stays where the frame
// docked it. Nothing is changed until the whole value has been read and checked, and a floating
// frame is moved onto the screen's work area if it would lie outside it.
#include <string.h>

#include <algorithm>
#include <vector>

#include "fw/AutoHideBar.h"
#include "fw/DockablePane.h"
#include "fw/DockingManager.h"
#include "fw/PaneFrameWnd.h"
#include "fw/TabbedPane.h"
#include "fw/WinApp.h"
#include "ProfileBlob.h"

namespace {

using fw_internal::BlobReader;
using fw_internal::PutWord;

const char kMagic[4] = {'F', 'W', 'D', 'L'};
const UINT32 kVersion = 2;
// More rows or panes than any frame holds: the value is damaged.
const UINT32 kMaxCount = 256;
const INT32 kMaxCoordinate = 32767;
const UINT32 kMaxSize = 4096;


struct SavedPane {
  UINT32 id = 0, extent = 0, visible = 0;
};
struct SavedRow {
  UINT32 side = 0, resizable = 0, thickness = 0;
  std::vector<SavedPane> panes;
};
struct SavedGroup {
  UINT32 id = 0, active = 0;
  std::vector<UINT32> tabs, visible;
};
struct SavedRecent {
  UINT32 side = 0, thickness = 0, extent = 0, prevId = 0, nextId = 0, rowIndex = 0;
};
struct SavedFloat {
  UINT32 id = 0, visible = 0;
  INT32 left = 0, top = 0, right = 0, bottom = 0;
  SavedRecent recent;
};
struct SavedAutoHide {
  UINT32 id = 0, side = 0, visible = 0;
  SavedRecent recent;
};
struct SavedLayout {
  std::vector<SavedGroup> groups;
  std::vector<SavedRow> rows;
  std::vector<SavedPane> loose;
  std::vector<SavedFloat> floating;
  std::vector<SavedAutoHide> autoHidden;
};

bool OneSide(UINT32 side) {
  return side == CBRS_ALIGN_LEFT || side == CBRS_ALIGN_TOP || side == CBRS_ALIGN_RIGHT || side == CBRS_ALIGN_BOTTOM;
}

bool ReadRecent(BlobReader& in, SavedRecent& recent) {
  if (!in.Get(recent.side) || !in.Get(recent.thickness) || !in.Get(recent.extent) || !in.Get(recent.prevId) ||
      !in.Get(recent.nextId) || !in.Get(recent.rowIndex))
    return false;
  return (recent.side == 0 || OneSide(recent.side)) && recent.thickness <= kMaxSize && recent.extent <= kMaxSize &&
         recent.rowIndex <= kMaxCount;
}

bool ReadCount(BlobReader& in, UINT32& count) { return in.Get(count) && count <= kMaxCount; }

bool Parse(const BYTE* data, UINT size, SavedLayout& layout) {
  if (!data || size < 12 || memcmp(data, kMagic, 4) != 0) return false;
  BlobReader in(data + 4, size - 4);
  UINT32 version = 0, count = 0;
  if (!in.Get(version) || (version != 1 && version != kVersion)) return false;
  if (version >= 2) {
    if (!ReadCount(in, count)) return false;
    for (UINT32 g = 0; g < count; ++g) {
      SavedGroup group;
      UINT32 tabs = 0;
      if (!in.Get(group.id) || !ReadCount(in, tabs) || tabs == 0) return false;
      for (UINT32 t = 0; t < tabs; ++t) {
        UINT32 id = 0, visible = 0;
        if (!in.Get(id) || !in.Get(visible) || visible > 1) return false;
        group.tabs.push_back(id);
        group.visible.push_back(visible);
      }
      if (!in.Get(group.active) || group.active >= tabs) return false;
      layout.groups.push_back(group);
    }
  }
  if (!ReadCount(in, count)) return false;
  for (UINT32 r = 0; r < count; ++r) {
    SavedRow row;
    UINT32 paneCount = 0;
    if (!in.Get(row.side) || !in.Get(row.resizable) || !in.Get(row.thickness) || !ReadCount(in, paneCount)) return false;
    if (!OneSide(row.side) || row.resizable > 1 || paneCount == 0 || row.thickness > kMaxSize) return false;
    for (UINT32 p = 0; p < paneCount; ++p) {
      SavedPane pane;
      if (!in.Get(pane.id) || !in.Get(pane.extent) || !in.Get(pane.visible) || pane.visible > 1) return false;
      if (pane.extent > kMaxSize && pane.extent != 0xFFFFFFFFu) return false;
      row.panes.push_back(pane);
    }
    layout.rows.push_back(row);
  }
  if (!ReadCount(in, count)) return false;
  for (UINT32 p = 0; p < count; ++p) {
    SavedPane pane;
    if (!in.Get(pane.id) || !in.Get(pane.visible) || pane.visible > 1) return false;
    layout.loose.push_back(pane);
  }
  if (version >= 2) {
    if (!ReadCount(in, count)) return false;
    for (UINT32 f = 0; f < count; ++f) {
      SavedFloat saved;
      if (!in.Get(saved.id) || !in.Get(saved.visible) || saved.visible > 1 || !in.GetInt(saved.left) ||
          !in.GetInt(saved.top) || !in.GetInt(saved.right) || !in.GetInt(saved.bottom) || !ReadRecent(in, saved.recent))
        return false;
      if (saved.right <= saved.left || saved.bottom <= saved.top || saved.left < -kMaxCoordinate ||
          saved.top < -kMaxCoordinate || saved.right > kMaxCoordinate || saved.bottom > kMaxCoordinate)
        return false;
      layout.floating.push_back(saved);
    }
    if (!ReadCount(in, count)) return false;
    for (UINT32 a = 0; a < count; ++a) {
      SavedAutoHide saved;
      if (!in.Get(saved.id) || !in.Get(saved.side) || !OneSide(saved.side) || !in.Get(saved.visible) ||
          saved.visible > 1 || !ReadRecent(in, saved.recent))
        return false;
      layout.autoHidden.push_back(saved);
    }
  }
  return in.Done();
}

void PutRecent(std::vector<BYTE>& out, const CDockablePane* pane) {
  const CDockablePane::RecentDock recent = pane ? pane->GetRecentDock() : CDockablePane::RecentDock();
  PutWord(out, recent.side);
  PutWord(out, static_cast<UINT32>(std::min(std::max(recent.thickness, 0), static_cast<int>(kMaxSize))));
  PutWord(out, static_cast<UINT32>(std::min(std::max(recent.extent, 0), static_cast<int>(kMaxSize))));
  PutWord(out, recent.prevId);
  PutWord(out, recent.nextId);
  PutWord(out, static_cast<UINT32>(std::min(std::max(recent.rowIndex, 0), static_cast<int>(kMaxCount))));
}

CDockablePane::RecentDock RecentFrom(const SavedRecent& saved) {
  CDockablePane::RecentDock recent;
  recent.side = saved.side;
  recent.thickness = static_cast<int>(saved.thickness);
  recent.extent = static_cast<int>(saved.extent);
  recent.prevId = saved.prevId;
  recent.nextId = saved.nextId;
  recent.rowIndex = static_cast<int>(saved.rowIndex);
  return recent;
}

UINT32 IdOf(const CWnd* wnd) { return wnd && wnd->m_hWnd ? static_cast<UINT32>(wnd->GetDlgCtrlID()) : 0; }

CDockablePane* AsDockable(CBasePane* pane) {
  return pane && pane->IsKindOf(RUNTIME_CLASS(CDockablePane)) ? static_cast<CDockablePane*>(pane) : nullptr;
}

void SetShown(CBasePane* pane, UINT32 visible) {
  if (pane->m_hWnd && (pane->IsVisible() != 0) != (visible != 0)) pane->ShowPane(visible != 0, TRUE, FALSE);
}

// A floating frame lies on the work area of the screen nearest to it, as far as it fits.
CRect OntoWorkArea(CRect rect) {
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  RECT work = {0, 0, 0, 0};
  HMONITOR monitor = ::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
  if (monitor && ::GetMonitorInfoW(monitor, &info))
    work = info.rcWork;
  else
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const CRect area(work);
  if (area.IsRectEmpty()) return rect;
  const int width = std::min(rect.Width(), area.Width()), height = std::min(rect.Height(), area.Height());
  const int left = std::max(static_cast<int>(area.left), std::min(static_cast<int>(rect.left), static_cast<int>(area.right) - width));
  const int top = std::max(static_cast<int>(area.top), std::min(static_cast<int>(rect.top), static_cast<int>(area.bottom) - height));
  return CRect(left, top, left + width, top + height);
}


// A stored tab group: its panes in their order, shown or not, the active one. The group is the
// frame's own when it has the stored id, else an automatic one made here (returned, to be placed
// later); null when it has no such panes.
CBaseTabbedPane* RestoreGroup(CDockingManager& manager, const SavedGroup& saved) {
  std::vector<CDockablePane*> members;
  std::vector<UINT32> shown;
  for (size_t t = 0; t < saved.tabs.size(); ++t) {
    CDockablePane* pane = AsDockable(manager.FindPaneByID(saved.tabs[t]));
    if (pane && !pane->IsKindOf(RUNTIME_CLASS(CBaseTabbedPane)) &&
        std::find(members.begin(), members.end(), pane) == members.end()) {
      members.push_back(pane);
      shown.push_back(saved.visible[t]);
    }
  }
  CBasePane* existing = manager.FindPaneByID(saved.id);
  CBaseTabbedPane* group = existing && existing->IsKindOf(RUNTIME_CLASS(CBaseTabbedPane))
                               ? static_cast<CBaseTabbedPane*>(existing)
                               : nullptr;
  if ((existing && !group) || members.empty()) return nullptr;  // the id belongs to another pane now
  CBaseTabbedPane* made = nullptr;
  if (!group) {
    if (members.size() < 2) return nullptr;
    CTabbedPane* tabbed = new CTabbedPane(TRUE);
    const CDockablePane* first = members[0];
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (first->GetPaneStyle() & CBRS_ALIGN_ANY);
    if (!tabbed->Create(L"", manager.GetDockSiteFrameWnd(), CRect(CPoint(0, 0), first->GetDefaultSize()), TRUE,
                        saved.id, style, AFX_CBRS_REGULAR_TABS, first->GetControlBarStyle()))
      return nullptr;  // the group deleted itself
    tabbed->EnableDocking(first->GetEnabledAlignment());
    tabbed->SetDefaultSize(first->GetDefaultSize());
    group = made = tabbed;
  }
  for (CDockablePane* member : members) group->AddTab(member, TRUE, FALSE);
  CMFCBaseTabCtrl* tabs = group->GetUnderlyingWindow();
  if (!tabs) return made;
  for (size_t want = 0; want < members.size(); ++want) {
    const int now = tabs->GetTabFromHwnd(members[want]->m_hWnd);
    if (now >= 0) tabs->MoveTab(now, static_cast<int>(want));
  }
  if (saved.active < members.size()) tabs->SetActiveTab(tabs->GetTabFromHwnd(members[saved.active]->m_hWnd));
  for (size_t i = 0; i < members.size(); ++i)
    if (!shown[i]) tabs->ShowTab(tabs->GetTabFromHwnd(members[i]->m_hWnd), FALSE);
  return made;
}

void RestoreFloating(CDockingManager& manager, CBasePane* pane, const SavedFloat& saved) {
  const CRect rect = OntoWorkArea(CRect(saved.left, saved.top, saved.right, saved.bottom));
  if (!manager.FloatPane(pane, rect, saved.visible != 0)) return;
  if (!saved.visible) pane->ShowPane(FALSE, TRUE, FALSE);
  // Leaving the row the frame docked it in made it remember that row: the stored place wins.
  if (CDockablePane* dockable = AsDockable(pane)) dockable->SetRecentDock(RecentFrom(saved.recent));
}

// Docked where it was, then hidden along its edge: unpinning brings it back there.
void RestoreAutoHidden(CDockingManager& manager, CDockablePane* pane, const SavedAutoHide& saved) {
  pane->SetRecentDock(RecentFrom(saved.recent));
  if (!manager.DockPaneToRecentPos(pane)) return;
  if (manager.HidePaneAlongEdge(pane, saved.side) && !saved.visible) pane->ShowPane(FALSE, TRUE, FALSE);
}

// A group made from the stored value but placed nowhere docks where its first pane was.
void PlaceUnplacedGroup(CDockingManager& manager, CBaseTabbedPane* group) {
  if (!group->m_hWnd || manager.FindRow(group) || group->IsFloating() || group->IsAutoHideMode()) return;
  CMFCBaseTabCtrl* tabs = group->GetUnderlyingWindow();
  CWnd* first = tabs && tabs->GetTabsNum() > 0 ? tabs->GetTabWnd(0) : nullptr;
  if (first && first->IsKindOf(RUNTIME_CLASS(CDockablePane)))
    group->SetRecentDock(static_cast<CDockablePane*>(first)->GetRecentDock());
  if (!manager.DockPaneToRecentPos(group)) manager.DockPane(group);
  group->ShowWindow(SW_SHOWNOACTIVATE);
}

}  // namespace

BOOL CDockingManager::SaveState(LPCTSTR lpszSection) {
  CWinApp* app = AfxGetApp();
  if (!app || !lpszSection) return FALSE;
  std::vector<BYTE> out(kMagic, kMagic + 4);
  PutWord(out, kVersion);
  // Tab groups whose tabs are all panes with ids.
  std::vector<CBaseTabbedPane*> groups;
  for (POSITION pos = m_panes.GetHeadPosition(); pos;) {
    CBasePane* pane = static_cast<CBasePane*>(m_panes.GetNext(pos));
    if (!pane->m_hWnd || !pane->IsKindOf(RUNTIME_CLASS(CBaseTabbedPane))) continue;
    CBaseTabbedPane* group = static_cast<CBaseTabbedPane*>(pane);
    CMFCBaseTabCtrl* tabs = group->GetUnderlyingWindow();
    bool panes = tabs && tabs->GetTabsNum() > 0 && IdOf(group) != 0;
    for (int t = 0; panes && t < tabs->GetTabsNum(); ++t) {
      CWnd* wnd = tabs->GetTabWnd(t);
      panes = wnd && wnd->IsKindOf(RUNTIME_CLASS(CDockablePane)) && IdOf(wnd) != 0;
    }
    if (panes) groups.push_back(group);
  }
  PutWord(out, static_cast<UINT32>(groups.size()));
  for (CBaseTabbedPane* group : groups) {
    CMFCBaseTabCtrl* tabs = group->GetUnderlyingWindow();
    PutWord(out, IdOf(group));
    PutWord(out, static_cast<UINT32>(tabs->GetTabsNum()));
    for (int t = 0; t < tabs->GetTabsNum(); ++t) {
      PutWord(out, IdOf(tabs->GetTabWnd(t)));
      PutWord(out, tabs->IsTabVisible(t) ? 1 : 0);
    }
    PutWord(out, static_cast<UINT32>(std::max(tabs->GetActiveTab(), 0)));
  }
  PutWord(out, static_cast<UINT32>(m_rows.GetSize()));
  for (int i = 0; i < m_rows.GetSize(); ++i) {
    const Row* row = m_rows[i];
    PutWord(out, row->side);
    PutWord(out, row->resizable ? 1 : 0);
    PutWord(out, static_cast<UINT32>(std::min(std::max(row->thickness, 0), static_cast<int>(kMaxSize))));
    PutWord(out, static_cast<UINT32>(row->panes.GetSize()));
    for (int j = 0; j < row->panes.GetSize(); ++j) {
      PutWord(out, IdOf(row->panes[j]));
      const int extent = row->extents[j];
      PutWord(out, extent < 0 ? 0xFFFFFFFFu : static_cast<UINT32>(std::min(extent, static_cast<int>(kMaxSize))));
      PutWord(out, row->panes[j]->IsVisible() ? 1 : 0);
    }
  }
  std::vector<CBasePane*> loose, floating, autoHidden;
  for (POSITION pos = m_panes.GetHeadPosition(); pos;) {
    CBasePane* pane = static_cast<CBasePane*>(m_panes.GetNext(pos));
    if (!pane->m_hWnd || FindRow(pane) || pane->IsTabbed()) continue;
    CDockablePane* dockable = AsDockable(pane);
    if (pane->IsFloating())
      floating.push_back(pane);
    else if (dockable && dockable->IsAutoHideMode())
      autoHidden.push_back(pane);
    else if (!dockable)
      loose.push_back(pane);
  }
  PutWord(out, static_cast<UINT32>(loose.size()));
  for (CBasePane* pane : loose) {
    PutWord(out, IdOf(pane));
    PutWord(out, pane->IsVisible() ? 1 : 0);
  }
  PutWord(out, static_cast<UINT32>(floating.size()));
  for (CBasePane* pane : floating) {
    CRect rect;
    static_cast<CPane*>(pane)->GetParentMiniFrame()->GetWindowRect(&rect);
    PutWord(out, IdOf(pane));
    PutWord(out, pane->IsVisible() ? 1 : 0);
    for (LONG edge : {rect.left, rect.top, rect.right, rect.bottom}) PutWord(out, static_cast<UINT32>(edge));
    PutRecent(out, AsDockable(pane));
  }
  PutWord(out, static_cast<UINT32>(autoHidden.size()));
  for (CBasePane* pane : autoHidden) {
    CDockablePane* dockable = AsDockable(pane);
    PutWord(out, IdOf(pane));
    PutWord(out, dockable->GetAutoHideAlignment());
    PutWord(out, dockable->IsVisible() ? 1 : 0);
    PutRecent(out, dockable);
  }
  BOOL saved = app->WriteProfileBinary(lpszSection, L"Layout", out.data(), static_cast<UINT>(out.size()));
  for (POSITION pos = m_panes.GetHeadPosition(); pos;) {
    CBasePane* pane = static_cast<CBasePane*>(m_panes.GetNext(pos));
    if (pane->m_hWnd && !pane->SaveState(lpszSection, -1, IdOf(pane))) saved = FALSE;
  }
  return saved;
}

BOOL CDockingManager::LoadState(LPCTSTR lpszSection) {
  CWinApp* app = AfxGetApp();
  if (!app || !lpszSection || !m_pParentWnd) return FALSE;
  for (POSITION pos = m_panes.GetHeadPosition(); pos;) {
    CBasePane* pane = static_cast<CBasePane*>(m_panes.GetNext(pos));
    if (pane->m_hWnd) pane->LoadState(lpszSection, -1, IdOf(pane));
  }
  LPBYTE data = nullptr;
  UINT size = 0;
  if (!app->GetProfileBinary(lpszSection, L"Layout", &data, &size)) return FALSE;
  SavedLayout layout;
  const bool valid = Parse(data, size, layout);
  delete[] data;
  if (!valid) {
    OutputDebugStringW(L"CDockingManager::LoadState: the stored layout is damaged and was ignored\n");
    return FALSE;
  }
  // Tab groups first: the rows and floating frames below name them by their ids.
  std::vector<CBaseTabbedPane*> madeGroups;
  for (const SavedGroup& saved : layout.groups)
    if (CBaseTabbedPane* made = RestoreGroup(*this, saved)) madeGroups.push_back(made);
  // Rebuild the rows that name panes of this frame; each pane takes its first place only.
  std::vector<CBasePane*> placed;
  std::vector<Row*> restoredRows;
  for (const SavedRow& saved : layout.rows) {
    Row* row = nullptr;
    for (const SavedPane& savedPane : saved.panes) {
      CBasePane* pane = FindPaneByID(savedPane.id);
      if (!pane || pane->IsTabbed() || (pane->IsResizable() != 0) != (saved.resizable != 0)) continue;
      if (std::find(placed.begin(), placed.end(), pane) != placed.end()) continue;
      if (!(pane->GetEnabledAlignment() & saved.side)) continue;
      placed.push_back(pane);
      DetachPane(pane);
      if (!row) {
        row = NewRow(saved.side, saved.resizable, FALSE);
        row->thickness = static_cast<int>(saved.thickness);
        restoredRows.push_back(row);
      }
      row->panes.Add(pane);
      row->extents.Add(savedPane.extent == 0xFFFFFFFFu ? -1 : static_cast<int>(savedPane.extent));
      pane->SetCurrentAlignment(saved.side);
      if (::GetParent(pane->m_hWnd) != m_pParentWnd->m_hWnd) pane->SetParent(m_pParentWnd);
      ::SetWindowPos(pane->m_hWnd, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      if (savedPane.visible) pane->ShowWindow(SW_SHOWNOACTIVATE);
    }
  }
  // Rows rebuilt above come before the frame's own rows, in saved order.
  if (!restoredRows.empty()) {
    CArray<Row*, Row*> ordered;
    for (Row* row : restoredRows)
      if (IsRow(row)) ordered.Add(row);
    for (int i = 0; i < m_rows.GetSize(); ++i)
      if (std::find(restoredRows.begin(), restoredRows.end(), m_rows[i]) == restoredRows.end()) ordered.Add(m_rows[i]);
    m_rows.RemoveAll();
    m_rows.Append(ordered);
  }
  for (const SavedPane& savedPane : layout.loose) {
    CBasePane* pane = FindPaneByID(savedPane.id);
    if (pane && !FindRow(pane) && !pane->IsKindOf(RUNTIME_CLASS(CDockablePane))) SetShown(pane, savedPane.visible);
  }
  const auto unplaced = [&placed](CBasePane* pane) {
    if (!pane || pane->IsTabbed() || std::find(placed.begin(), placed.end(), pane) != placed.end()) return false;
    placed.push_back(pane);
    return true;
  };
  for (const SavedFloat& saved : layout.floating) {
    CBasePane* pane = FindPaneByID(saved.id);
    if (pane && pane->CanFloat() && unplaced(pane)) RestoreFloating(*this, pane, saved);
  }
  for (const SavedAutoHide& saved : layout.autoHidden) {
    CDockablePane* pane = AsDockable(FindPaneByID(saved.id));
    if (pane && pane->CanAutoHide() && (m_dwEnabledAutoHideAlignment & saved.side) && unplaced(pane))
      RestoreAutoHidden(*this, pane, saved);
  }
  for (CBaseTabbedPane* group : madeGroups) PlaceUnplacedGroup(*this, group);
  RecalcLayout();
  return TRUE;
}

// Dragging a floating frame over its dock site: where the pane would dock (smart markers, or the
// outline near an edge or over a docked pane), and docking it there on release.
#include <algorithm>

#include "DockingInternal.h"
#include "fw/DockablePane.h"
#include "fw/DockingManager.h"
#include "fw/PaneFrameWnd.h"
#include "fw/SmartDocking.h"
#include "fw/TabbedPane.h"

namespace {

// How near the docking area's edge the mouse must be for the outline to offer that side.
const int kEdgeZone = 24;

bool Horizontal(DWORD side) { return (side & CBRS_ORIENT_HORZ) != 0; }

DWORD SideFromMarker(CSmartDockingManager::Marker marker) { return CSmartDockingManager::SideOf(marker); }

}  // namespace

CDockablePane* CDockingManager::PaneFromPoint(CPoint ptScreen, const CBasePane* pExclude) const {
  for (int i = 0; i < m_rows.GetSize(); ++i) {
    const Row* row = m_rows[i];
    for (int j = 0; j < row->panes.GetSize(); ++j) {
      CBasePane* pane = row->panes[j];
      if (pane == pExclude || !pane->m_hWnd || !pane->IsVisible() || !pane->IsKindOf(RUNTIME_CLASS(CDockablePane)))
        continue;
      CRect rect;
      pane->GetWindowRect(&rect);
      if (rect.PtInRect(ptScreen)) return static_cast<CDockablePane*>(pane);
    }
  }
  return nullptr;
}

CRect CDockingManager::PreviewFor(const DropTarget& target, CBasePane* pBar) const {
  if (target.kind == DropTarget::None) return CRect();
  if (target.kind == DropTarget::FrameEdge) {
    CRect area = ClientToScreenRect(m_rectDockArea);
    int thickness = 0;
    if (pBar->IsKindOf(RUNTIME_CLASS(CDockablePane))) {
      const CDockablePane::RecentDock& recent = static_cast<CDockablePane*>(pBar)->GetRecentDock();
      if (recent.side == target.side) thickness = recent.thickness;
    }
    if (thickness <= 0 && pBar->IsKindOf(RUNTIME_CLASS(CPane))) {
      const CSize size = static_cast<CPane*>(pBar)->GetDefaultSize();
      thickness = Horizontal(target.side) ? size.cy : size.cx;
    }
    const int room = Horizontal(target.side) ? area.Height() : area.Width();
    thickness = std::max(std::min(thickness, room / 2), std::min(room, static_cast<int>(kMinPaneSize)));
    return fw_docking::StripAt(area, target.side, thickness);
  }
  CRect rect;
  target.target->GetWindowRect(&rect);
  if (target.kind == DropTarget::PaneTab) return rect;
  // Beside a pane: the half of it on that side.
  return fw_docking::StripAt(rect, target.side, Horizontal(target.side) ? rect.Height() / 2 : rect.Width() / 2);
}

CDockingManager::DropTarget CDockingManager::FindDropTarget(CPaneFrameWnd* pFrame, CPoint ptScreen) {
  DropTarget found;
  CBasePane* moving = pFrame ? pFrame->GetPane() : nullptr;
  if (!moving || !m_pParentWnd || !m_pParentWnd->m_hWnd) return found;
  const DWORD sides = moving->GetEnabledAlignment() & m_dwEnabledDockingAlignment & CBRS_ALIGN_ANY;
  const BOOL dockable = moving->IsKindOf(RUNTIME_CLASS(CDockablePane));
  CDockablePane* under = dockable ? PaneFromPoint(ptScreen, moving) : nullptr;
  // Bars dock by the outline only; the markers are for panes.
  if (IsSmartDocking() && dockable) {
    if (!m_pSmartDocking) m_pSmartDocking = new CSmartDockingManager;
    CSmartDockingManager* smart = m_pSmartDocking;
    if (!smart->IsShown()) smart->Show(m_pParentWnd, ClientToScreenRect(m_rectDockArea), sides);
    // The five-way marker stays over its pane while the mouse is on one of its markers.
    const CSmartDockingManager::Marker over = smart->MarkerFromPoint(ptScreen);
    if (over < CSmartDockingManager::CentreLeft || !smart->GetCentreTarget()) {
      if (under && under != smart->GetCentreTarget()) {
        CRect rect;
        under->GetWindowRect(&rect);
        const Row* row = FindRow(under);
        // Beside the target the pane shares its row or takes one next to it: on the target's side.
        const DWORD targetSides = row && CanDockTo(moving, row->side) ? CBRS_ALIGN_ANY : 0;
        smart->ShowCentre(under, rect, targetSides, TRUE);
      } else if (!under) {
        smart->HideCentre();
      }
    }
    const CSmartDockingManager::Marker marker = smart->MarkerFromPoint(ptScreen);
    smart->Highlight(marker);
    if (marker >= CSmartDockingManager::EdgeLeft && marker <= CSmartDockingManager::EdgeBottom) {
      found.kind = DropTarget::FrameEdge;
      found.side = SideFromMarker(marker);
    } else if (marker == CSmartDockingManager::CentreTab && smart->GetCentreTarget()) {
      found.kind = DropTarget::PaneTab;
      found.target = smart->GetCentreTarget();
    } else if (marker != CSmartDockingManager::MarkerNone && smart->GetCentreTarget()) {
      found.kind = DropTarget::PaneSide;
      found.side = SideFromMarker(marker);
      found.target = smart->GetCentreTarget();
    }
  } else if (under) {
    // Over a docked pane: its caption takes the pane as a tab, its outer quarters beside it.
    CRect rect;
    under->GetWindowRect(&rect);
    CRect caption = under->GetCaptionRect();
    caption.OffsetRect(rect.TopLeft());
    const Row* row = FindRow(under);
    if (!caption.IsRectEmpty() && caption.PtInRect(ptScreen)) {
      found.kind = DropTarget::PaneTab;
      found.target = under;
    } else if (row && CanDockTo(moving, row->side)) {
      const int dl = ptScreen.x - rect.left, dr = rect.right - ptScreen.x;
      const int dt = ptScreen.y - rect.top, db = rect.bottom - ptScreen.y;
      const int nearest = std::min(std::min(dl, dr), std::min(dt, db));
      DWORD side = 0;
      if (nearest == dl && dl < rect.Width() / 4) side = CBRS_ALIGN_LEFT;
      else if (nearest == dr && dr < rect.Width() / 4) side = CBRS_ALIGN_RIGHT;
      else if (nearest == dt && dt < rect.Height() / 4) side = CBRS_ALIGN_TOP;
      else if (nearest == db && db < rect.Height() / 4) side = CBRS_ALIGN_BOTTOM;
      if (side) {
        found.kind = DropTarget::PaneSide;
        found.side = side;
        found.target = under;
      }
    }
  } else {
    // Near an edge of the docking area, inside it.
    const CRect area = ClientToScreenRect(m_rectDockArea);
    if (area.PtInRect(ptScreen)) {
      const struct {
        DWORD side;
        int distance;
      } edges[] = {{CBRS_ALIGN_LEFT, static_cast<int>(ptScreen.x - area.left)},
                   {CBRS_ALIGN_RIGHT, static_cast<int>(area.right - ptScreen.x)},
                   {CBRS_ALIGN_TOP, static_cast<int>(ptScreen.y - area.top)},
                   {CBRS_ALIGN_BOTTOM, static_cast<int>(area.bottom - ptScreen.y)}};
      int best = kEdgeZone;
      for (const auto& edge : edges) {
        if ((sides & edge.side) && edge.distance < best) {
          best = edge.distance;
          found.kind = DropTarget::FrameEdge;
          found.side = edge.side;
        }
      }
    }
  }
  if (found.kind == DropTarget::PaneTab && !dockable) found = DropTarget();
  if (found.kind == DropTarget::FrameEdge && !(sides & found.side)) found = DropTarget();
  found.preview = PreviewFor(found, moving);
  return found;
}

CDockingManager::DropTarget CDockingManager::UpdateDrag(CPaneFrameWnd* pFrame, CPoint ptScreen) {
  const DropTarget target = FindDropTarget(pFrame, ptScreen);
  if (!m_pOutline) m_pOutline = new CDockingOutline;
  if (target.kind == DropTarget::None)
    m_pOutline->Hide();
  else
    m_pOutline->Show(m_pParentWnd, target.preview);
  return target;
}

BOOL CDockingManager::Drop(CPaneFrameWnd* pFrame, CPoint ptScreen) {
  const DropTarget target = FindDropTarget(pFrame, ptScreen);
  CBasePane* moving = pFrame ? pFrame->GetPane() : nullptr;
  if (!moving || target.kind == DropTarget::None) return FALSE;
  CDockablePane* dockable =
      moving->IsKindOf(RUNTIME_CLASS(CDockablePane)) ? static_cast<CDockablePane*>(moving) : nullptr;
  switch (target.kind) {
    case DropTarget::FrameEdge: return DockPaneToSide(moving, target.side, TRUE);
    case DropTarget::PaneSide:
      return dockable ? dockable->DockToWindow(target.target, target.side) : DockPaneBeside(moving, target.target, target.side);
    case DropTarget::PaneTab: return dockable && AttachToTabGroup(dockable, target.target, TRUE) != nullptr;
    case DropTarget::None: break;
  }
  return FALSE;
}

void CDockingManager::EndDrag() {
  if (m_pSmartDocking) m_pSmartDocking->Hide();
  if (m_pOutline) m_pOutline->Hide();
}

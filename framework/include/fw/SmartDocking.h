// What a dragged pane shows while it looks for a place: the smart-docking markers (four edge
// markers at the middle of the frame's docking area, and a five-way marker over the docked pane
// under the mouse: its four sides and, in the middle, "as a tab"), and the drag outline that frames
// the rectangle the pane would take. Markers and outline are small top-most windows that never
// take the focus or the mouse; the docking manager moves them and asks which marker is under the
// mouse.
#pragma once
#include "fw/Wnd.h"

class CDockablePane;
class CSmartDockingMarker;

class FW_API CSmartDockingManager {
 public:
  enum Marker {
    MarkerNone = -1,
    EdgeLeft = 0,
    EdgeTop,
    EdgeRight,
    EdgeBottom,
    CentreLeft,
    CentreTop,
    CentreRight,
    CentreBottom,
    CentreTab,
    MarkerCount
  };
  enum { kMarkerSize = 32 };

  CSmartDockingManager();
  ~CSmartDockingManager();
  CSmartDockingManager(const CSmartDockingManager&) = delete;
  CSmartDockingManager& operator=(const CSmartDockingManager&) = delete;

  // Shows the edge markers inside `rectDockArea` (screen) for the sides in `dwSides` (CBRS_ALIGN_).
  void Show(CWnd* pOwner, const CRect& rectDockArea, DWORD dwSides);
  // Shows the five-way marker over `pTarget` (its screen rectangle `rectTarget`): the sides in
  // `dwSides`, and the middle one when `bTab`.
  void ShowCentre(CDockablePane* pTarget, const CRect& rectTarget, DWORD dwSides, BOOL bTab);
  void HideCentre();
  void Hide();
  BOOL IsShown() const { return m_bShown; }

  // The marker under `ptScreen`, or MarkerNone.
  Marker MarkerFromPoint(CPoint ptScreen) const;
  void Highlight(Marker marker);
  Marker GetHighlighted() const { return m_highlighted; }
  // Where a marker is on the screen; empty while it is not shown.
  CRect GetMarkerRect(Marker marker) const;
  BOOL IsMarkerShown(Marker marker) const;
  CDockablePane* GetCentreTarget() const { return m_pCentreTarget; }
  // The side of the frame or of the target a marker stands for.
  static DWORD SideOf(Marker marker);

 protected:
  void ShowMarker(Marker marker, const CRect& rect, BOOL bShow);

  CWnd* m_pOwner = nullptr;
  CSmartDockingMarker* m_markers[MarkerCount] = {};
  BOOL m_bShown = FALSE;
  Marker m_highlighted = MarkerNone;
  CDockablePane* m_pCentreTarget = nullptr;
};

// The frame of the rectangle a dropped pane would take, drawn as a thick translucent-looking ring.
class FW_API CDockingOutline {
 public:
  CDockingOutline();
  ~CDockingOutline();
  CDockingOutline(const CDockingOutline&) = delete;
  CDockingOutline& operator=(const CDockingOutline&) = delete;

  void Show(CWnd* pOwner, const CRect& rectScreen);
  void Hide();
  BOOL IsShown() const;
  // Where it is shown; empty when hidden.
  CRect GetRect() const;

 protected:
  CWnd* m_pWnd = nullptr;
  CRect m_rect;
};

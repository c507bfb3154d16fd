// The docking manager of a feature-pack frame: it knows the frame's panes and places the docked
// ones along the frame's edges, leaving the rest of the client area to the documents.
//
// Layout, from the outside in: panes placed but not docked (the status bar along the bottom); the
// rows of bars (tool bars, menu bar, panes that may not be resized) on the top, bottom, left and
// right; the auto-hide strips; then the rows of resizable panes in the order they were docked, each
// taking a strip of its side from what is left, with a divider at its inner edge. A bar row holds
// bars side by side; a pane row holds panes one after another along the side, sharing its length,
// with a divider between two. Dividers are windows of their own (CPaneDivider) the user drags.
//
// A pane leaves one place for another through the manager only: a row, a floating frame
// (CPaneFrameWnd), a tab group (CBaseTabbedPane) or an auto-hide strip (CMFCAutoHideBar).
#pragma once
#include "fw/Array.h"
#include "fw/List.h"
#include "fw/Pane.h"

class CDockablePane;
class CBaseTabbedPane;
class CMFCAutoHideBar;
class CPaneDivider;
class CPaneFrameWnd;
class CSmartDockingManager;
class CDockingOutline;
struct CPrintPreviewState;

class FW_API CDockingManager : public CObject {
  DECLARE_DYNAMIC(CDockingManager)
 public:
  enum { kDividerSize = 4 };
  // The smallest thickness of a pane row and length of a pane in a row the user can drag to, and
  // what the documents keep at least when a divider is dragged towards them.
  enum { kMinPaneSize = 24, kMinCentreSize = 16 };

  // One row of docked panes along a side.
  struct Row {
    DWORD side = 0;        // one CBRS_ALIGN_ bit
    BOOL resizable = FALSE;
    int thickness = 0;     // across the row: the user's size for pane rows, computed for bar rows
    CArray<CBasePane*, CBasePane*> panes;  // along the row, in order
    // Per pane: for bars the offset from the row's start the user dragged it to (-1 packs it after
    // the one before); for resizable panes its share of the row's length.
    CArray<int, int> extents;
    CRect rect;            // where the last layout put the row, in the frame's client coordinates
  };

  // Where a dragged pane would dock if dropped now.
  struct DropTarget {
    enum Kind { None, FrameEdge, PaneSide, PaneTab };
    Kind kind = None;
    DWORD side = 0;                    // FrameEdge: the frame side; PaneSide: the side of the target
    CDockablePane* target = nullptr;   // PaneSide and PaneTab
    CRect preview;                     // screen rectangle the pane would take
  };

  CDockingManager();
  ~CDockingManager() override;

  BOOL Create(CFrameWnd* pParentWnd);
  CFrameWnd* GetDockSiteFrameWnd() const { return m_pParentWnd; }

  // The sides panes may dock to, and the sides where panes may hide along the edge.
  BOOL EnableDocking(DWORD dwStyle);
  DWORD GetEnabledDockingAlignment() const { return m_dwEnabledDockingAlignment; }
  BOOL EnableAutoHidePanes(DWORD dwStyle);
  DWORD GetEnabledAutoHideAlignment() const { return m_dwEnabledAutoHideAlignment; }
  // How a dragged pane docks: through an outline where it would go, or through the smart markers.
  // The markers are also used when the look asks for them (CMFCVisualManager::IsSmartDockingLook).
  static void SetDockingMode(AFX_DOCK_TYPE dockMode);
  static AFX_DOCK_TYPE GetDockingMode();
  static BOOL IsSmartDocking();

  // Registers a pane without docking it: placed by the manager when it has an alignment and is
  // not in a row (the status bar), or about to be docked or floated.
  BOOL AddPane(CBasePane* pWnd, BOOL bTail = TRUE);
  // Forgets the pane (it is being destroyed or leaves the frame).
  void RemovePaneFromDockManager(CBasePane* pWnd);
  // Docks the pane to a side (AFX_IDW_DOCKBAR_TOP/LEFT/RIGHT/BOTTOM; 0: the side of its bar style
  // when allowed, else the first side both the pane and the manager allow) on a new innermost row
  // of its kind there. A floating, tabbed or auto-hidden pane leaves that place first.
  void DockPane(CBasePane* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
  // Docks the pane on a new row at `side` (a CBRS_ALIGN_ bit): outermost of its kind there or
  // innermost, with `thickness` (0: the pane's default size).
  BOOL DockPaneToSide(CBasePane* pBar, DWORD side, BOOL bOutermost, int thickness = 0);
  // Docks `pBar` into `pTarget`'s row just before it.
  BOOL DockPaneLeftOf(CBasePane* pBar, CBasePane* pTarget);
  // Docks `pBar` beside `pTarget`: along the target's row (before it for CBRS_ALIGN_LEFT or
  // CBRS_ALIGN_TOP, after it for CBRS_ALIGN_RIGHT or CBRS_ALIGN_BOTTOM) it shares the row; across
  // it (LEFT/RIGHT of a pane on a vertical side, TOP/BOTTOM on a horizontal one) it gets a new row
  // next to the target's, on that side of it.
  BOOL DockPaneBeside(CBasePane* pBar, CBasePane* pTarget, DWORD dwAlignment);
  // Puts `pNew` in `pOld`'s place in its row (a tab group taking the place of its first pane).
  BOOL ReplacePane(CBasePane* pOld, CBasePane* pNew);
  // Takes the pane out of its row (the row goes when it is empty).
  void UndockPane(CBasePane* pBar);
  // Takes a pane out of wherever it lives (row, floating frame, tab group, auto-hide strip),
  // remembering where it was docked; it is left hidden with the frame as parent. Returns whether
  // it was shown, for the place it goes to next.
  BOOL DetachPane(CBasePane* pBar);
  // Floats the pane in a floating frame at `rectFloat` (screen); FALSE when it may not float.
  BOOL FloatPane(CBasePane* pBar, CRect rectFloat, BOOL bShow = TRUE);
  // Docks a floating or auto-hidden dockable pane where it was docked last.
  BOOL DockPaneToRecentPos(CDockablePane* pBar);
  // Makes `pBar` a tab of `pTarget`'s group, making the group when `pTarget` is alone.
  CBaseTabbedPane* AttachToTabGroup(CDockablePane* pBar, CDockablePane* pTarget, BOOL bSetActive);
  // A tab group lost a tab: an automatic group of one pane gives its place to that pane, an
  // empty one goes.
  void OnTabGroupChanged(CBaseTabbedPane* pGroup);

  // Auto-hide: the strip along `side` (made on first use), putting a pane there and taking it back.
  CMFCAutoHideBar* GetAutoHideBar(DWORD side, BOOL bCreate);
  CMFCAutoHideBar* HidePaneAlongEdge(CDockablePane* pBar, DWORD side);
  BOOL RestoreAutoHidePane(CDockablePane* pBar);
  // Where an auto-hidden pane shows over the view when it slides out (frame client coordinates).
  CRect GetSlideOutRect(CDockablePane* pBar) const;

  // Places the panes inside `rectClient` (the frame's client area) and returns what is left.
  CRect AdjustDockingLayout(CRect rectClient);
  // What the last layout left for the documents, and the area where pane rows and documents are
  // (inside the bar rows and auto-hide strips), in frame client coordinates.
  CRect GetClientAreaBounds() const { return m_rectClientArea; }
  CRect GetDockingArea() const { return m_rectDockArea; }
  // Asks the frame for a new layout.
  void RecalcLayout();

  // Dividers: the one at a row's inner edge (nPane -1) or after pane nPane of the row. Dragging
  // one changes the row's thickness or the shares of the two panes beside it; `delta` in pixels
  // along the divider's free direction (positive: right or down).
  CPaneDivider* FindDivider(const Row* row, int nPane) const;
  BOOL MoveDivider(Row* row, int nPane, int delta);
  BOOL IsRow(const Row* row) const;

  // Dragging a floating frame: the drop target under `ptScreen` (markers or outline shown), and
  // docking the frame's pane there when the mouse is released. EndDrag hides all feedback.
  DropTarget UpdateDrag(CPaneFrameWnd* pFrame, CPoint ptScreen);
  BOOL Drop(CPaneFrameWnd* pFrame, CPoint ptScreen);
  void EndDrag();
  CSmartDockingManager* GetSmartDockingManager() const { return m_pSmartDocking; }
  CDockingOutline* GetDockingOutline() const { return m_pOutline; }
  // The docked dockable pane (tab groups count as one) under `ptScreen`, other than `pExclude`.
  CDockablePane* PaneFromPoint(CPoint ptScreen, const CBasePane* pExclude) const;

  // Offers the frame's menu to its panes; TRUE when one (the menu bar) shows it.
  BOOL SetFrameMenu(HMENU hMenu, BOOL bDefault);

  // The pane context menu: right-clicking a bar or a pane's caption lists the frame's bars and
  // panes with check marks (choosing one shows or hides it), then `uiCustomizeCmd` labelled
  // `strCustomizeLabel` (sent to the frame as a command). The frame first gets AFX_WM_TOOLBARMENU
  // (wParam: the pane's window, lParam: the screen point) and shows its own menu by answering
  // non-zero. The menu with item `uiViewToolbarsMenuEntryID` gets the same list in its place.
  void EnablePaneContextMenu(BOOL bEnable, UINT uiCustomizeCmd, const CString& strCustomizeLabel,
                             BOOL bToolbarsOnly = FALSE);
  void SetViewMenuEntry(UINT uiViewToolbarsMenuEntryID, BOOL bToolbarsOnly);
  BOOL IsPaneContextMenuEnabled() const { return m_bPaneContextMenu; }
  // Shows the menu at `ptScreen` for `pPane` (may be null); TRUE when it (or the frame's own) was shown.
  BOOL OnPaneContextMenu(CBasePane* pPane, CPoint ptScreen);
  // The panes the menu lists, in its order.
  void GetPaneMenuList(CArray<CBasePane*, CBasePane*>& panes, BOOL bToolbarsOnly) const;
  // Fills `hMenu` (a View menu) in place of the item `m_uiViewToolbarsMenuEntryID`.
  void OnInitViewMenu(HMENU hMenu);
  // A command of the view menu's pane list (ids from kPaneMenuFirstId): shows or hides that pane.
  BOOL OnPaneMenuCommand(UINT nID);
  enum : UINT { kPaneMenuFirstId = 0xE880, kPaneMenuLastId = 0xE8BF };

  // Print preview: every shown pane that hides in preview (HideInPrintPreviewMode) is hidden, and
  // exactly those are shown again afterwards.
  void SetPrintPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
  BOOL IsPrintPreviewValid() const { return m_bPrintPreview; }

  // The layout as the binary value "Layout" of the profile section `lpszSection` (rows with
  // their sizes and divider positions, floating panes with their rectangles, tab groups with their
  // order and active tab, auto-hidden panes), and each pane's own state beside it. Loading checks
  // the whole value first: a missing, short or damaged one changes nothing and answers FALSE.
  BOOL SaveState(LPCTSTR lpszSection);
  BOOL LoadState(LPCTSTR lpszSection);

  CBasePane* FindPaneByID(UINT uBarID) const;
  void GetPaneList(CObList& lstBars) const;
  // The floating frames of this manager's panes.
  void GetMiniFrames(CArray<CPaneFrameWnd*, CPaneFrameWnd*>& frames) const;
  // The row holding the pane, or null when it is not docked in one.
  Row* FindRow(const CBasePane* pBar) const;
  const CArray<Row*, Row*>& GetRows() const { return m_rows; }
  // An id no pane of this frame uses, for tab groups made on the fly.
  UINT GetFreePaneId() const;

  // Called by CPaneFrameWnd when it goes.
  void OnMiniFrameDestroyed(CPaneFrameWnd* pFrame);

 protected:
  Row* NewRow(DWORD side, BOOL resizable, BOOL outermost);
  // A new row placed just inside (`bInside`) or just outside `next` in the docking order.
  Row* NewRowBeside(Row* next, BOOL bInside);
  void DeleteRow(Row* row);
  void RememberDock(CBasePane* pBar);
  void LayoutDividers();
  void LayoutAutoHide(CRect& rect);
  // Whether `pBar` may dock to `side` of this frame.
  BOOL CanDockTo(const CBasePane* pBar, DWORD side) const;
  DropTarget FindDropTarget(CPaneFrameWnd* pFrame, CPoint ptScreen);
  CRect PreviewFor(const DropTarget& target, CBasePane* pBar) const;
  CRect ClientToScreenRect(CRect rect) const;

  CFrameWnd* m_pParentWnd = nullptr;
  DWORD m_dwEnabledDockingAlignment = 0;
  DWORD m_dwEnabledAutoHideAlignment = 0;
  CObList m_panes;                 // every pane the manager knows
  CArray<Row*, Row*> m_rows;       // every row; bar rows and pane rows, in docking order
  CArray<CPaneDivider*, CPaneDivider*> m_dividers;
  CArray<CPaneFrameWnd*, CPaneFrameWnd*> m_miniFrames;
  CMFCAutoHideBar* m_autoHide[4] = {};  // top, bottom, left, right
  CSmartDockingManager* m_pSmartDocking = nullptr;
  CDockingOutline* m_pOutline = nullptr;
  CRect m_rectClientArea;
  CRect m_rectDockArea;
  BOOL m_bLayoutBusy = FALSE;

  BOOL m_bPaneContextMenu = FALSE;
  BOOL m_bContextMenuToolbarsOnly = FALSE;
  UINT m_uiCustomizeCmd = 0;
  CString m_strCustomizeLabel;
  UINT m_uiViewToolbarsMenuEntryID = 0;
  BOOL m_bViewMenuToolbarsOnly = FALSE;
  CArray<CBasePane*, CBasePane*> m_viewMenuPanes;  // what the view menu's ids stand for

  BOOL m_bPrintPreview = FALSE;
  CArray<CBasePane*, CBasePane*> m_hiddenInPreview;
};

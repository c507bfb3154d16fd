// The docking manager of a feature-pack frame: it knows the frame's panes and places the docked
// ones along the frame's edges, leaving the rest of the client area to the documents.
//
// Layout, from the outside in: panes placed but not docked (the status bar along the bottom); the
// rows of bars (tool bars, menu bar) on the top, bottom, left and right; the auto-hide strips; then
// the rows of resizable panes in the order they were docked, each taking a strip of its side from
// what is left, with a divider at its inner edge. A bar row holds bars side by side; a pane row
// holds panes one after another along the side, sharing its length.
#pragma once
#include "fw/Array.h"
#include "fw/List.h"
#include "fw/Pane.h"

class FW_API CDockingManager : public CObject {
  DECLARE_DYNAMIC(CDockingManager)
 public:
  enum { kDividerSize = 4 };

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

  CDockingManager();
  ~CDockingManager() override;

  BOOL Create(CFrameWnd* pParentWnd);
  CFrameWnd* GetDockSiteFrameWnd() const { return m_pParentWnd; }

  // The sides panes may dock to, and the sides where panes may hide along the edge.
  BOOL EnableDocking(DWORD dwStyle);
  DWORD GetEnabledDockingAlignment() const { return m_dwEnabledDockingAlignment; }
  BOOL EnableAutoHidePanes(DWORD dwStyle);
  DWORD GetEnabledAutoHideAlignment() const { return m_dwEnabledAutoHideAlignment; }
  // How a dragged pane docks: immediately, through an outline, or through the smart markers.
  static void SetDockingMode(AFX_DOCK_TYPE dockMode);
  static AFX_DOCK_TYPE GetDockingMode();

  // Registers a pane without docking it: placed by the manager when it has an alignment and is
  // not in a row (the status bar), or about to be docked or floated.
  BOOL AddPane(CBasePane* pWnd, BOOL bTail = TRUE);
  // Forgets the pane (it is being destroyed or leaves the frame).
  void RemovePaneFromDockManager(CBasePane* pWnd);
  // Docks the pane to a side (AFX_IDW_DOCKBAR_TOP/LEFT/RIGHT/BOTTOM; 0: the first side both the
  // pane and the manager allow) on a new innermost row of its kind there.
  void DockPane(CBasePane* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
  // Docks `pBar` into `pTarget`'s row just before it.
  BOOL DockPaneLeftOf(CBasePane* pBar, CBasePane* pTarget);
  // Docks `pBar` beside `pTarget` in its row: before it for CBRS_ALIGN_LEFT or CBRS_ALIGN_TOP,
  // after it for CBRS_ALIGN_RIGHT or CBRS_ALIGN_BOTTOM. A pane along a vertical side stacks on
  // top of or below its target.
  BOOL DockPaneBeside(CBasePane* pBar, CBasePane* pTarget, DWORD dwAlignment);
  // Takes the pane out of its row (the row goes when it is empty).
  void UndockPane(CBasePane* pBar);

  // Places the panes inside `rectClient` (the frame's client area) and returns what is left.
  CRect AdjustDockingLayout(CRect rectClient);
  // What the last layout left for the documents.
  CRect GetClientAreaBounds() const { return m_rectClientArea; }
  // Asks the frame for a new layout.
  void RecalcLayout();

  // Offers the frame's menu to its panes; TRUE when one (the menu bar) shows it.
  BOOL SetFrameMenu(HMENU hMenu, BOOL bDefault);

  // The layout (rows, their panes, sizes and visibility) as the binary value "Layout" of the
  // profile section `lpszSection`, and each pane's own state beside it. Loading checks the whole
  // value first: a missing, short or damaged one changes nothing and answers FALSE.
  BOOL SaveState(LPCTSTR lpszSection);
  BOOL LoadState(LPCTSTR lpszSection);

  CBasePane* FindPaneByID(UINT uBarID) const;
  void GetPaneList(CObList& lstBars) const;
  // The row holding the pane, or null when it is not docked in one.
  Row* FindRow(const CBasePane* pBar) const;
  const CArray<Row*, Row*>& GetRows() const { return m_rows; }

 protected:
  Row* NewRow(DWORD side, BOOL resizable, BOOL outermost);
  void DeleteRow(Row* row);
  CFrameWnd* m_pParentWnd = nullptr;
  DWORD m_dwEnabledDockingAlignment = 0;
  DWORD m_dwEnabledAutoHideAlignment = 0;
  CObList m_panes;                 // every pane the manager knows
  CArray<Row*, Row*> m_rows;       // every row; bar rows and pane rows, in docking order
  CRect m_rectClientArea;
};

// Dockable panes: the resizable panes of a feature-pack frame (the forms, shelf and properties panes).
// A dockable pane carries its caption in the NON-client area: the title, the pin button (auto-hide)
// and the close button sit above the client rectangle, so a derived pane lays its children out over
// the whole of GetClientRect. The caption is drawn active (visual manager colours) while the
// keyboard focus is inside the pane.
//
// Where a pane lives: docked in a row of its frame (see DockingManager.h), floating in a small frame
// of its own (CPaneFrameWnd), as one tab of a tab group (CTabbedPane), or hidden along a frame edge
// behind a button of an auto-hide strip (CMFCAutoHideBar). The frame's docking manager moves it
// between these places; the pane remembers where it was docked last so double-clicking the caption
// and unpinning bring it back there.
#pragma once
#include "fw/Pane.h"

class CBaseTabbedPane;
class CMFCAutoHideBar;

// How a pane came to its place (passed on by the product's calls; the framework docks alike).
enum AFX_DOCK_METHOD { DM_UNKNOWN, DM_MOUSE, DM_DBL_CLICK, DM_SHOW, DM_RECT, DM_STANDARD };

class FW_API CDockablePane : public CPane {
  DECLARE_DYNAMIC(CDockablePane)
 public:
  // Caption buttons as WM_NCHITTEST reports them.
  enum { HTPANEPIN = HTMAXBUTTON, HTPANECLOSE = HTCLOSE };

  CDockablePane();
  ~CDockablePane() override;

  // Creates the pane as a child of `pParentWnd` (the frame that docks it) with `lpszCaption` as its
  // title. `bHasGripper` gives it a caption; `dwStyle` mixes window styles with the bar styles
  // (CBRS_RIGHT: the side it docks to first); `dwControlBarStyle` says what the user may do
  // (AFX_CBRS_*: float, auto-hide, resize, close). A pane with neither a gripper nor a control-bar
  // style shows no caption at all.
  virtual BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper, UINT nID,
                      DWORD dwStyle, DWORD dwTabbedStyle = AFX_CBRS_REGULAR_TABS,
                      DWORD dwControlBarStyle = AFX_DEFAULT_DOCKING_PANE_STYLE, CCreateContext* pContext = nullptr);
  virtual BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper, UINT nID,
                      DWORD dwStyle, DWORD dwTabbedStyle = AFX_CBRS_REGULAR_TABS,
                      DWORD dwControlBarStyle = AFX_DEFAULT_DOCKING_PANE_STYLE, CCreateContext* pContext = nullptr);
  virtual BOOL CreateEx(DWORD dwStyleEx, LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper,
                        UINT nID, DWORD dwStyle, DWORD dwTabbedStyle = AFX_CBRS_REGULAR_TABS,
                        DWORD dwControlBarStyle = AFX_DEFAULT_DOCKING_PANE_STYLE, CCreateContext* pContext = nullptr);

  DWORD GetTabbedStyle() const { return m_dwTabbedStyle; }

  // A pane the user may resize keeps the thickness the user gives it and gets a divider; one that
  // may not (control-bar style without AFX_CBRS_RESIZE) is as thick as its window and stretches
  // along its side, like a bar.
  BOOL IsResizable() const override { return (m_dwControlBarStyle & AFX_CBRS_RESIZE) != 0; }
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void SetControlBarStyle(DWORD dwNewStyle) override;

  // Where the pane lives.
  BOOL IsTabbed() const override;
  BOOL IsAutoHideMode() const override { return m_pAutoHideBar != nullptr; }
  // The tab group holding the pane, or null.
  CBaseTabbedPane* GetParentTabbedPane() const;
  CMFCAutoHideBar* GetAutoHideToolBar() const { return m_pAutoHideBar; }
  void SetAutoHideToolBar(CMFCAutoHideBar* pBar) { m_pAutoHideBar = pBar; }
  // A pane behind another tab of its group still counts as shown; an auto-hidden pane counts as
  // shown while its button is on the strip.
  BOOL IsVisible() const override;
  void ShowPane(BOOL bShow, BOOL bDelay, BOOL bActivate) override;

  // Docks the pane beside `pTargetWindow` (a docked pane): CBRS_ALIGN_TOP above it, CBRS_ALIGN_BOTTOM
  // below it, CBRS_ALIGN_LEFT / CBRS_ALIGN_RIGHT to its left or right. Along the target's row it
  // shares the row; across it the pane gets a row of its own next to the target's.
  virtual BOOL DockToWindow(CDockablePane* pTargetWindow, DWORD dwAlignment, LPCRECT lpRect = nullptr);
  // Makes the pane a tab of `pTabControlBarAttachTo`'s tab group, making that group first when the
  // target is a single pane: the group (a CTabbedPane) takes the target's place. Returns the group
  // and also stores it in *ppTabbedControlBar; null on failure.
  virtual CDockablePane* AttachToTabWnd(CDockablePane* pTabControlBarAttachTo, AFX_DOCK_METHOD dockMethod,
                                        BOOL bSetActive = TRUE, CDockablePane** ppTabbedControlBar = nullptr);
  // Docks the pane to a side of its frame on a new row of its own: the outermost pane row there
  // when `bOuterEdge`, else the innermost.
  virtual BOOL DockToFrameWindow(DWORD dwAlignment, LPCRECT lpRect = nullptr, BOOL bOuterEdge = FALSE);
  // Docks a floating or auto-hidden pane where it was docked last (or on its first allowed side).
  virtual BOOL DockToRecentPos();
  // Floats the pane at `rectFloat` (screen coordinates of the floating frame), or where it floated
  // last when the rectangle is empty.
  BOOL FloatPane(CRect rectFloat, BOOL bShow = TRUE) override;
  // Double-click on the caption: a docked pane floats, a floating one docks where it was.
  virtual void ToggleDocking();

  // Auto-hide: the pane leaves its row and shows as a button on the strip along `dwAlignment` of its
  // frame (a CBRS_ALIGN_ side; 0 keeps the side it is docked to). Hovering or clicking the button
  // slides the pane out over the view; it slides back when the mouse has left it and the focus is
  // elsewhere. FALSE docks it again where it was. Returns the strip, null when the pane leaves it.
  virtual CMFCAutoHideBar* SetAutoHideMode(BOOL bMode, DWORD dwAlignment, CMFCAutoHideBar* pCurrAutoHideBar = nullptr,
                                           BOOL bUseTimer = TRUE);
  // The pin button: switches auto-hide.
  virtual void ToggleAutoHide();
  // The side an auto-hidden pane hides along (its strip's side).
  DWORD GetAutoHideAlignment() const { return m_dwAutoHideSide; }
  // Whether an auto-hidden pane is shown over the view now.
  BOOL IsSlidOut() const { return m_bSlidOut; }

  // The caption: present or not, its height, its rectangle in window coordinates, and whether it
  // shows as active (the focus is inside the pane).
  virtual BOOL HasCaption() const;
  int GetCaptionHeight() const;
  CRect GetCaptionRect() const;
  // The button of `nHit` (HTPANECLOSE, HTPANEPIN) in window coordinates; empty when absent.
  CRect GetCaptionButtonRect(UINT nHit) const;
  BOOL IsActive() const;
  // The text the caption shows: the window text (a tab group shows its active tab's).
  virtual CString GetCaptionText() const;

  // The close button was pressed: the frame hears of it (AFX_WM_ON_PRESS_CLOSE_BUTTON, lParam: the
  // pane) and keeps the pane by answering non-zero; otherwise the pane hides.
  virtual void OnPressCloseButton();

  // Where the pane was docked last (kept when it leaves a row), used to dock it back.
  struct RecentDock {
    DWORD side = 0;          // 0: never docked
    int thickness = 0;       // the row's thickness
    int extent = 0;          // the pane's share of the row
    UINT prevId = 0;         // the docked pane before it in its row (0: none)
    UINT nextId = 0;         // and after it
    int rowIndex = 0;        // the row's place among the resizable rows of its side, outermost first
  };
  const RecentDock& GetRecentDock() const { return m_recentDock; }
  void SetRecentDock(const RecentDock& recent) { m_recentDock = recent; }
  CRect GetRecentFloatingRect() const { return m_rectRecentFloat; }
  void SetRecentFloatingRect(const CRect& rect) { m_rectRecentFloat = rect; }

  // The auto-hide strip sets these while the pane is hidden along an edge.
  void SetAutoHideState(DWORD side, BOOL bSlidOut) {
    m_dwAutoHideSide = side;
    m_bSlidOut = bSlidOut;
  }

  // Private message: the focus moved into or out of the pane; the caption is redrawn.
  static const UINT s_msgFocusMoved;

  // Redraws the caption (and the floating frame's or tab group's that shows it).
  void RedrawCaption();

 protected:
  BOOL CreateHelper(DWORD dwStyleEx, LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper,
                    UINT nID, DWORD dwStyle, DWORD dwTabbedStyle, DWORD dwControlBarStyle, CCreateContext* pContext);
  // Paints borders and caption into `pDC` (window coordinates).
  virtual void DrawNonClient(CDC* pDC);
  // The caption button under `point` (window coordinates), or HTNOWHERE.
  UINT CaptionButtonAt(CPoint point) const;
  // Starts dragging the pane by its caption: it floats once the mouse has moved far enough.
  virtual void BeginCaptionDrag(CPoint ptScreen);

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnDestroy();
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcPaint(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcLButtonDown(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcLButtonDblClk(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcRButtonDown(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcRButtonUp(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcMouseMove(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcMouseLeave(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnFocusMoved(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);

  DWORD m_dwTabbedStyle = AFX_CBRS_REGULAR_TABS;
  CMFCAutoHideBar* m_pAutoHideBar = nullptr;
  DWORD m_dwAutoHideSide = 0;
  BOOL m_bSlidOut = FALSE;
  RecentDock m_recentDock;
  CRect m_rectRecentFloat;
  BOOL m_bActiveShown = FALSE;   // the caption was last drawn active
  UINT m_nHotButton = HTNOWHERE;
  UINT m_nPressedButton = HTNOWHERE;
  // Caption drag: pressed at m_ptDragStart (screen), waiting for the mouse to move far enough.
  BOOL m_bCaptionDragPending = FALSE;
  CPoint m_ptDragStart;
  DECLARE_MESSAGE_MAP()
};

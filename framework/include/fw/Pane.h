// Panes: the windows a feature-pack frame lays out along its edges. CBasePane is what every bar and
// pane shares (its bar style, the side it is docked to, what the user may do with it, its command
// updates and its persistence hooks); CPane adds creation, the gripper and floating. Tool bars, the
// menu bar and the status bar derive from them, and so do the dockable panes.
//
// A docked pane is a child window of its frame; the frame's docking manager places it (see
// DockingManager.h). A floating pane is a child of a small floating frame of its own.
#pragma once
#include "fw/Frame.h"
#include "fw/PaneStyles.h"

class CDockingManager;
class CPaneFrameWnd;

class FW_API CBasePane : public CWnd {
  DECLARE_DYNAMIC(CBasePane)
 public:
  CBasePane();
  ~CBasePane() override;

  // Bar style bits (CBRS_*): the aligned side, borders, tool tips, fly-by prompts.
  DWORD GetPaneStyle() const { return m_dwStyle; }
  virtual void SetPaneStyle(DWORD dwNewStyle) { m_dwStyle = dwNewStyle; }
  // What the user may do with the pane (AFX_CBRS_*).
  DWORD GetControlBarStyle() const { return m_dwControlBarStyle; }
  virtual void SetControlBarStyle(DWORD dwNewStyle) { m_dwControlBarStyle = dwNewStyle; }

  // The side the pane is docked to (one CBRS_ALIGN_ bit); 0 when floating.
  virtual DWORD GetCurrentAlignment() const { return m_dwStyle & CBRS_ALIGN_ANY; }
  virtual void SetCurrentAlignment(DWORD dwAlignment);
  BOOL IsHorizontal() const { return (GetCurrentAlignment() & CBRS_ORIENT_VERT) == 0; }
  // The sides the user may dock the pane to (CBRS_ALIGN_ bits).
  DWORD GetEnabledAlignment() const { return m_dwEnabledAlignment; }
  virtual void EnableDocking(DWORD dwAlignment) { m_dwEnabledAlignment = dwAlignment & CBRS_ALIGN_ANY; }

  virtual BOOL CanFloat() const { return (m_dwControlBarStyle & AFX_CBRS_FLOAT) != 0; }
  virtual BOOL CanBeClosed() const { return (m_dwControlBarStyle & AFX_CBRS_CLOSE) != 0; }
  virtual BOOL CanAutoHide() const { return (m_dwControlBarStyle & AFX_CBRS_AUTOHIDE) != 0; }
  // Resizable panes (dockable panes) keep the size the user gives them; bars size themselves.
  virtual BOOL IsResizable() const { return FALSE; }
  virtual BOOL IsFloating() const { return FALSE; }
  virtual BOOL IsAutoHideMode() const { return FALSE; }
  // A pane in a tab group or a floating frame lives inside another pane or window.
  virtual BOOL IsTabbed() const { return FALSE; }
  BOOL IsDocked() const { return !IsFloating() && GetCurrentAlignment() != 0; }

  // Shown by the user or the program: a pane behind another tab of its group is still visible.
  virtual BOOL IsVisible() const;
  // Shows or hides the pane; `bDelay` leaves the frame's layout for later, `bActivate` gives it
  // the focus when shown.
  virtual void ShowPane(BOOL bShow, BOOL bDelay, BOOL bActivate);

  // The size the pane wants on a side: horizontal (`bHorz`) its length along the side and its
  // thickness as cy; vertical its thickness as cx. `bStretch` asks for the full length.
  virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
  // Lays out the pane's own children after a size change.
  virtual void AdjustLayout() {}

  // The frame whose docking manager places the pane, and that manager.
  CFrameWnd* GetDockSiteFrameWnd() const { return m_pDockSite; }
  void SetDockSiteFrameWnd(CFrameWnd* pFrame) { m_pDockSite = pFrame; }
  CDockingManager* GetDockingManager() const;

  // Updates the state of the pane's commands through `pTarget`'s command route (idle time).
  virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
  // Print preview hides the pane (the status bar stays).
  virtual BOOL HideInPrintPreviewMode() const { return TRUE; }
  // A frame's menu: the menu bar takes it and shows it (TRUE); other panes leave it (FALSE).
  virtual BOOL OnSetFrameMenu(HMENU hMenu, BOOL bDefault);

  // Persistence of the pane's own state (a tool bar's buttons); the docking manager keeps the
  // layout. Both under `lpszProfileName` (a registry section) and the pane's id.
  virtual BOOL SaveState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = static_cast<UINT>(-1));
  virtual BOOL LoadState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = static_cast<UINT>(-1));

 protected:
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);

  DWORD m_dwStyle = 0;
  DWORD m_dwControlBarStyle = 0;
  DWORD m_dwEnabledAlignment = 0;
  CFrameWnd* m_pDockSite = nullptr;
  DECLARE_MESSAGE_MAP()
};

class FW_API CPane : public CBasePane {
  DECLARE_DYNAMIC(CPane)
 public:
  CPane();
  ~CPane() override;

  // Creates the pane as a child of `pParentWnd` (a frame, whose docking manager then knows it).
  // `dwStyle` mixes window styles with bar styles (CBRS_*); the bar styles are kept, the rest
  // made into the window.
  virtual BOOL Create(LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                      DWORD dwControlBarStyle = AFX_DEFAULT_PANE_STYLE, CCreateContext* pContext = nullptr);
  virtual BOOL CreateEx(DWORD dwStyleEx, LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                        UINT nID, DWORD dwControlBarStyle = AFX_DEFAULT_PANE_STYLE,
                        CCreateContext* pContext = nullptr);

  // The gripper drawn at the pane's leading edge (tool bars) or its caption (dockable panes).
  void SetGripper(BOOL bHasGripper) { m_bHasGripper = bHasGripper; }
  BOOL HasGripper() const { return m_bHasGripper; }
  // The gripper's rectangle in client coordinates (empty without one).
  virtual CRect GetGripperRect() const;

  // Floating: the pane moves into a floating frame at `rectFloat` (screen coordinates of the
  // frame's window); docking it again (through the frame's DockPane) ends that frame. FALSE when the
  // pane may not float (no AFX_CBRS_FLOAT) or has no frame to dock to.
  BOOL IsFloating() const override { return m_pMiniFrame != nullptr; }
  virtual BOOL FloatPane(CRect rectFloat, BOOL bShow = TRUE);
  CPaneFrameWnd* GetParentMiniFrame() const { return m_pMiniFrame; }
  void SetParentMiniFrame(CPaneFrameWnd* pFrame) { m_pMiniFrame = pFrame; }

  // The pane's borders inside its window, around the client area (and a dockable pane's caption).
  void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
  void SetBorders(LPCRECT lpRect);
  CRect GetBorders() const { return m_rectBorders; }

  // The size the pane was created with; dockable panes start docked at it.
  CSize GetDefaultSize() const { return m_sizeDefault; }
  void SetDefaultSize(CSize size) { m_sizeDefault = size; }

 protected:
  CSize m_sizeDefault;
  BOOL m_bHasGripper = FALSE;
  CPaneFrameWnd* m_pMiniFrame = nullptr;
  CRect m_rectBorders;  // left, top, right, bottom widths
};

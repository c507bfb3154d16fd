// The feature-pack frames: CFrameWndEx (single document), CMDIFrameWndEx (multiple documents) and
// CMDIChildWndEx. Each owns a docking manager that places its bars and panes along its edges; the
// rest of the client area goes to the view or the MDI client. A frame with a menu bar pane shows its
// menus there instead of in a system menu bar.
#pragma once
#include "fw/DockingManager.h"
#include "fw/Frame.h"
#include "fw/MDIClientArea.h"

// The user's tool bars and the menu bar's keys.
#include "fw/FrameToolBars.h"

// The docking services every feature-pack frame offers, forwarded to its docking manager.
template <class TFrame>
class CDockingFrameT : public TFrame {
 public:
  CDockingManager* GetDockingManager() { return &m_dockManager; }
  BOOL EnableDocking(DWORD dwDockStyle) { return m_dockManager.EnableDocking(dwDockStyle); }
  BOOL EnableAutoHidePanes(DWORD dwDockStyle) { return m_dockManager.EnableAutoHidePanes(dwDockStyle); }
  BOOL AddPane(CBasePane* pControlBar, BOOL bTail = TRUE) { return m_dockManager.AddPane(pControlBar, bTail); }
  void RemovePaneFromDockManager(CBasePane* pControlBar) { m_dockManager.RemovePaneFromDockManager(pControlBar); }
  void DockPane(CBasePane* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr) {
    m_dockManager.DockPane(pBar, nDockBarID, lpRect);
  }
  BOOL DockPaneLeftOf(CBasePane* pBar, CBasePane* pLeftOf) { return m_dockManager.DockPaneLeftOf(pBar, pLeftOf); }
  CBasePane* GetPane(UINT nID) { return m_dockManager.FindPaneByID(nID); }
  void ShowPane(CBasePane* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate) {
    if (pBar) pBar->ShowPane(bShow, bDelay, bActivate);
  }

  // The pane menu on right clicks of bars and pane captions (see CDockingManager::OnPaneContextMenu),
  // ending with `uiCustomizeCmd` labelled `strCustomizeLabel`; the view menu's item
  // `uiViewToolbarsMenuEntryID` is replaced by the same list.
  void EnablePaneMenu(BOOL bEnable, UINT uiCustomizeCmd, const CString& strCustomizeLabel,
                      UINT uiViewToolbarsMenuEntryID, BOOL bContextMenuShowsToolbarsOnly = FALSE,
                      BOOL bViewMenuShowsToolbarsOnly = FALSE) {
    m_dockManager.EnablePaneContextMenu(bEnable, uiCustomizeCmd, strCustomizeLabel, bContextMenuShowsToolbarsOnly);
    m_dockManager.SetViewMenuEntry(bEnable ? uiViewToolbarsMenuEntryID : 0, bViewMenuShowsToolbarsOnly);
  }
  BOOL FloatPane(CBasePane* pBar, CRect rectFloat, BOOL bShow = TRUE) {
    return m_dockManager.FloatPane(pBar, rectFloat, bShow);
  }
  // Print preview hides the docked bars and panes and shows exactly those again afterwards.
  void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override {
    m_dockManager.SetPrintPreviewMode(bPreview, pState);
    TFrame::OnSetPreviewMode(bPreview, pState);
  }

 protected:
  // Handlers the frames' message maps bind: the view menu's list of panes and its commands.
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
    TFrame::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu && pPopupMenu) m_dockManager.OnInitViewMenu(pPopupMenu->m_hMenu);
  }
  afx_msg void OnPaneMenuCommand(UINT nID) { m_dockManager.OnPaneMenuCommand(nID); }
  afx_msg void OnUpdatePaneMenuCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

  CDockingManager m_dockManager;
};

class FW_API CFrameWndEx : public CDockingFrameT<CFrameWnd> {
  DECLARE_DYNCREATE(CFrameWndEx)
 public:
  CFrameWndEx();
  ~CFrameWndEx() override;

  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  // Panes along the edges, the view in the rest.
  void RecalcLayout(BOOL bNotify = TRUE) override;
  // A frame with a menu bar gives it the menu and shows no system menu bar.
  void OnUpdateFrameMenu(HMENU hMenuAlt);

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  // The main frame's layout is saved when the user closes it.
  afx_msg void OnClose();
  // The user's tool bars and the menu bar's keys (FrameToolBars.h).
  FW_FRAME_TOOLBAR_MEMBERS()
  DECLARE_MESSAGE_MAP()
};

class FW_API CMDIFrameWndEx : public CDockingFrameT<CMDIFrameWnd> {
  DECLARE_DYNCREATE(CMDIFrameWndEx)
 public:
  CMDIFrameWndEx();
  ~CMDIFrameWndEx() override;

  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  // Panes along the edges, the MDI client in the rest.
  void RecalcLayout(BOOL bNotify = TRUE) override;
  void OnUpdateFrameMenu(HMENU hMenuAlt) override;

  // MDI tabs: each document's child frame as a tab above the documents (see MDIClientArea.h).
  BOOL EnableMDITabs(BOOL bEnable = TRUE, BOOL bIcons = TRUE,
                     CMFCTabCtrl::Location tabLocation = CMFCTabCtrl::LOCATION_TOP, BOOL bTabCloseButton = FALSE,
                     CMFCTabCtrl::Style style = CMFCTabCtrl::STYLE_3D_SCROLLED, BOOL bDocumentMenu = FALSE,
                     BOOL bEnableActiveTabCloseButton = FALSE);
  // The same with groups of tabs the user can split the documents into.
  void EnableMDITabbedGroups(BOOL bEnable, const CMDITabInfo& params);
  BOOL AreMDITabs() const { return m_wndClientArea.AreMDITabs(); }
  BOOL IsMDITabbedGroup() const { return m_wndClientArea.IsMDITabbedGroups(); }
  CMDIClientAreaWnd& GetMDIClientAreaWnd() { return m_wndClientArea; }
  // The active document goes to a new group after its own, or to the next or previous group.
  void MDITabNewGroup(BOOL bVert = TRUE);
  void MDITabMoveToNextGroup(BOOL bNext = TRUE);
  // The tab strip's context menu at `point` (screen) offering the AFX_MDI_* items in
  // `dwAllowedItems`; TRUE when a menu was shown. The framework's menu carries the group commands.
  virtual BOOL OnShowMDITabContextMenu(CPoint point, DWORD dwAllowedItems, BOOL bTabDrop);
  // The tab groups' layout below the profile section `lpszProfileName`.
  virtual BOOL SaveMDIState(LPCTSTR lpszProfileName);
  virtual BOOL LoadMDIState(LPCTSTR lpszProfileName);

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  // The main frame's layout is saved when the user closes it.
  afx_msg void OnClose();
  CMDIClientAreaWnd m_wndClientArea;

  // The user's tool bars and the menu bar's keys (FrameToolBars.h).
  FW_FRAME_TOOLBAR_MEMBERS()
  DECLARE_MESSAGE_MAP()
};

class FW_API CMDIChildWndEx : public CDockingFrameT<CMDIChildWnd> {
  DECLARE_DYNCREATE(CMDIChildWndEx)
 public:
  CMDIChildWndEx();
  ~CMDIChildWndEx() override;

  // Panes along the child's edges, the view in the rest.
  void RecalcLayout(BOOL bNotify = TRUE) override;
  // Whether the child appears as a tab of the main frame's MDI tabs; asked whenever the child is
  // shown or hidden.
  virtual BOOL CanShowOnMDITabs() { return TRUE; }
  // The main frame when it is a feature-pack MDI frame.
  CMDIFrameWndEx* GetMDIFrameWndEx() const;
  // Print preview hides the child's own panes and the main frame's bars and panes.
  void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
  // With MDI tabs a child never maximizes: it fills its group's area anyway.
  void ActivateFrame(int nCmdShow = -1) override;

 protected:
  CMDIClientAreaWnd* ClientArea() const;
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnDestroy();
  afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

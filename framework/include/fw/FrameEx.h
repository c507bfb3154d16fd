// The feature-pack frames: CFrameWndEx (single document), CMDIFrameWndEx (multiple documents) and
// CMDIChildWndEx. Each owns a docking manager that places its bars and panes along its edges; the
// rest of the client area goes to the view or the MDI client. A frame with a menu bar pane shows its
// menus there instead of in a system menu bar.
#pragma once
#include "fw/DockingManager.h"
#include "fw/Frame.h"
// ---- tool bars ----
#include "fw/FrameToolBars.h"
// ---- end tool bars ----

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

 protected:
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
  // The main frame's layout is saved when the user closes it.
  afx_msg void OnClose();
  // ---- tool bars: the user's tool bars and the menu bar's keys (FrameToolBars.h) ----
  FW_FRAME_TOOLBAR_MEMBERS()
  // ---- end tool bars ----
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

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  // The main frame's layout is saved when the user closes it.
  afx_msg void OnClose();
  // ---- tool bars: the user's tool bars and the menu bar's keys (FrameToolBars.h) ----
  FW_FRAME_TOOLBAR_MEMBERS()
  // ---- end tool bars ----
  DECLARE_MESSAGE_MAP()
};

class FW_API CMDIChildWndEx : public CDockingFrameT<CMDIChildWnd> {
  DECLARE_DYNCREATE(CMDIChildWndEx)
 public:
  CMDIChildWndEx();
  ~CMDIChildWndEx() override;

  // Panes along the child's edges, the view in the rest.
  void RecalcLayout(BOOL bNotify = TRUE) override;
  // Whether the child appears as a tab of the main frame's MDI tabs.
  virtual BOOL CanShowOnMDITabs() { return TRUE; }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  DECLARE_MESSAGE_MAP()
};

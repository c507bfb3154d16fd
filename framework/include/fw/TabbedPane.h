// Tab groups: a dockable pane whose client area is a tab control, one tab per pane (or any window).
// The group docks, floats and hides like any dockable pane; its caption shows the active tab's text.
// A group made on the fly (AttachToTabWnd, dropping a pane on another as a tab) is automatic: it
// deletes itself when its window goes, and gives its place back to its last pane when only one is
// left.
#pragma once
#include "fw/DockablePane.h"
#include "fw/TabCtrl.h"

class FW_API CBaseTabbedPane : public CDockablePane {
  DECLARE_DYNAMIC(CBaseTabbedPane)
 public:
  explicit CBaseTabbedPane(BOOL bAutoDestroy = FALSE);
  ~CBaseTabbedPane() override;

  // Adds `pNewBar` as a tab labelled with its window text. A dockable pane first leaves where it
  // was (its row, floating frame or other group); it shows no caption of its own while tabbed.
  virtual BOOL AddTab(CWnd* pNewBar, BOOL bVisible = TRUE, BOOL bSetActive = TRUE, BOOL bDetachable = TRUE);
  // Takes `pBar`'s tab out; the pane is left hidden with the frame as its parent.
  virtual BOOL RemovePane(CWnd* pBar);
  virtual int GetTabsNum() const;
  virtual int GetVisibleTabsNum() const;
  // The tab control (a CMFCTabCtrl for CTabbedPane).
  virtual CMFCBaseTabCtrl* GetUnderlyingWindow() const { return m_pTabWnd; }
  // The pane of a tab with id `nID`, or null.
  CWnd* FindPaneByID(UINT nID) const;
  // The window of the active tab.
  CWnd* GetActivePane() const;

  BOOL IsAutoDestroy() const { return m_bAutoDestroy; }
  void SetAutoDestroy(BOOL bAutoDestroy) { m_bAutoDestroy = bAutoDestroy; }

  // The tabs of member panes, shown or hidden through the panes' ShowPane.
  BOOL IsTabShown(const CWnd* pBar) const;
  void ShowTab(CWnd* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate);
  void UpdateTabLabel(CWnd* pBar);

  CString GetCaptionText() const override;
  // The caption's close button closes the active tab's pane.
  void OnPressCloseButton() override;

  // Told by the tab control.
  virtual void OnTabActivated(int iTab);
  virtual void OnDragTabOut(int iTab, CPoint ptScreen);
  virtual void OnTabWindowGone();

 protected:
  // Makes the tab control; the group's class decides which.
  virtual BOOL CreateTabWnd() { return FALSE; }
  void PostNcDestroy() override;

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);

  CMFCBaseTabCtrl* m_pTabWnd = nullptr;
  BOOL m_bAutoDestroy;
  DECLARE_MESSAGE_MAP()
};

class FW_API CTabbedPane : public CBaseTabbedPane {
  DECLARE_DYNCREATE(CTabbedPane)
 public:
  explicit CTabbedPane(BOOL bAutoDestroy = FALSE);
  ~CTabbedPane() override;

  // The style new groups' tab controls are made with.
  static CMFCTabCtrl::Style m_StyleTabWnd;

 protected:
  BOOL CreateTabWnd() override;
};

// What a feature-pack frame does for its tool bars: the tool bars the user makes (kept with the
// frame's bar state and made again when the frame starts), and the keys of its menu bar. The frames
// hold one of these and forward to it (see FrameEx.h).
#pragma once
#include "fw/List.h"
#include "fw/MenuBar.h"

class CDockingManager;

class FW_API CFrameToolBarSupport {
 public:
  CFrameToolBarSupport(CFrameWnd* pFrame, CDockingManager* pManager);
  ~CFrameToolBarSupport();
  CFrameToolBarSupport(const CFrameToolBarSupport&) = delete;
  CFrameToolBarSupport& operator=(const CFrameToolBarSupport&) = delete;

  // Lets the user make tool bars with ids `uiUserToolbarFirst` to `uiUserToolbarLast`, kept in the
  // registry section `lpszRegEntry` (the application's bar state when null). Tool bars stored there
  // by an earlier run are made again at once, so the frame's state can place them. FALSE for a bad
  // range.
  BOOL InitUserToolbars(LPCTSTR lpszRegEntry, UINT uiUserToolbarFirst, UINT uiUserToolbarLast);
  BOOL IsUserToolbarsEnabled() const { return m_uiFirst != 0; }
  int GetUserToolBarCount() const { return static_cast<int>(m_userToolBars.GetCount()); }
  // The `iIndex`-th user tool bar (in the order of their ids), or null.
  CMFCToolBar* GetUserToolBarByIndex(int iIndex) const;
  // A new, empty tool bar docked at the top, titled `lpszName`, with the first free id; null when
  // user tool bars are not enabled or every id is taken. The frame gets AFX_WM_CREATETOOLBAR
  // (lParam: the bar) once it exists.
  CMFCToolBar* CreateNewToolBar(LPCTSTR lpszName);
  // Removes a user tool bar and what the registry holds of it; FALSE for any other bar. The frame
  // gets AFX_WM_DELETETOOLBAR (lParam: the bar) before it goes.
  BOOL DeleteToolBar(CMFCToolBar* pToolBar);
  BOOL IsUserToolBar(const CMFCToolBar* pToolBar) const;
  CString GetRegSection() const { return m_strRegSection; }

  // The frame's menu bar, or null.
  CMFCMenuBar* GetMenuBar() const;
  // The menu bar's keys; the frame calls it after its accelerators.
  BOOL PreTranslateMessage(MSG* pMsg);

 private:
  CMFCToolBar* MakeToolBar(UINT uiID, LPCTSTR lpszName);

  CFrameWnd* m_pFrame;
  CDockingManager* m_pManager;
  CString m_strRegSection;
  UINT m_uiFirst = 0;
  UINT m_uiLast = 0;
  CObList m_userToolBars;  // CMFCToolBar*, owned, in id order
};

// The support object of a feature-pack frame (CFrameWndEx or CMDIFrameWndEx), or null.
FW_API CFrameToolBarSupport* AFXAPI FwGetFrameToolBarSupport(CWnd* pFrame);

// What CFrameWndEx and CMDIFrameWndEx declare for their tool bars: forwarders to the support object
// they hold, and the PreTranslateMessage that gives the menu bar its keys after the accelerators.
#define FW_FRAME_TOOLBAR_MEMBERS()                                                                          \
 public:                                                                                                   \
  BOOL InitUserToolbars(LPCTSTR lpszRegEntry, UINT uiUserToolbarFirst, UINT uiUserToolbarLast) {           \
    return m_barSupport.InitUserToolbars(lpszRegEntry, uiUserToolbarFirst, uiUserToolbarLast);             \
  }                                                                                                        \
  CMFCToolBar* GetUserToolBarByIndex(int iIndex) const { return m_barSupport.GetUserToolBarByIndex(iIndex); } \
  CMFCToolBar* CreateNewToolBar(LPCTSTR lpszName) { return m_barSupport.CreateNewToolBar(lpszName); }      \
  BOOL DeleteToolBar(CMFCToolBar* pToolBar) { return m_barSupport.DeleteToolBar(pToolBar); }              \
  CFrameToolBarSupport* GetToolBarSupport() { return &m_barSupport; }                                      \
  BOOL PreTranslateMessage(MSG* pMsg) override;                                                            \
                                                                                                           \
 protected:                                                                                                \
  CFrameToolBarSupport m_barSupport{this, &m_dockManager};

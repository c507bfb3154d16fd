// The editor's main window: the feature-pack single-document frame around the view, with the menu
// bar, the main tool bar, the user's tool bars, the status bar, the application looks and the list
// of basic commands of the personalised menus.
#pragma once
#include "Framework.h"

class CMainFrame : public CFrameWndEx {
  DECLARE_DYNCREATE(CMainFrame)
 public:
  CMainFrame();
  // Shows the frame only while the application lets it (a batch run keeps it hidden).
  void ActivateFrame(int nCmdShow = -1) override;
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;

  // Makes look `id` (205 to 219) the frame's: the matching visual manager, the frame redrawn, the
  // choice stored as "ApplicationLook". Any other id is the Office 2007 look.
  void ApplyLook(UINT id);

  CMFCMenuBar m_wndMenuBar;
  CMFCToolBar m_wndToolBar;
  CMFCStatusBar m_wndStatusBar;
  CMFCToolBarImages m_UserImages;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  // View
  afx_msg void OnViewCustomize();
  afx_msg void OnViewStatusBar();
  afx_msg void OnUpdateViewStatusBar(CCmdUI* pCmdUI);
  afx_msg void OnApplicationLook(UINT id);
  afx_msg void OnUpdateApplicationLook(CCmdUI* pCmdUI);
  afx_msg LRESULT OnToolbarCreateNew(WPARAM wp, LPARAM lp);
  DECLARE_MESSAGE_MAP()
};

// The window of one open document: the form view with the strip of page tabs above it. When it goes
// it tells the main frame (message WM_USER + 28), which shows the default properties once no
// document window is left.
#pragma once
#include "Framework.h"

#include "PagesPane.h"

// Posted to the main window by a document window that is being destroyed.
constexpr UINT WM_CHILD_FRAME_DESTROYED = WM_USER + 28;

class CChildFrame : public CMDIChildWndEx {
  DECLARE_DYNCREATE(CChildFrame)
 public:
  CChildFrame() = default;
  ~CChildFrame() override;

  // Shows page `pageIndex` (from 0) in the frame's view.
  void SetActivePage(int pageIndex);
  // The tabs follow the page count: shown with two pages or more, hidden otherwise.
  void UpdatePagesBar(int pageCount);
  // The tab strip across the top of the client area, as high as its tabs.
  void Layout();
  CPagesPane& GetPagesPane() { return m_pagesPane; }
  // Non-zero while the frame shows the print preview.
  int IsPreviewShown() const { return m_previewMode; }

  void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
  BOOL CanShowOnMDITabs() override;
  void RecalcLayout(BOOL bNotify = TRUE) override;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()

  CPagesPane m_pagesPane;
  int m_previewMode = 0;
  BOOL m_inLayout = FALSE;
};

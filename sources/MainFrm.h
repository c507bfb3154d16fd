// The main frame of Orvello: the multiple-document frame with the main bar along its top. For now it
// carries what the view asks of it for the zoom: the percent in the main bar's scale box.
#pragma once
#include "Framework.h"

#include "MainBar.h"

class CMainFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)
 public:
  CMainFrame();

  // The zoom percent typed or chosen in the scale box (100 without one).
  int GetScalePercent();
  // Shows the percent in the scale box as "%d%%".
  void SetScalePercent(int percent);
  // The row chosen in the scale box: 0 to 9 the zoom table, 10 fit to width, 11 fit to window, 1 for
  // a typed value; 0 without a scale box.
  int GetViewScaleSelIndex();

  // TRUE while the active document window shows its print preview.
  BOOL IsPrintPreviewMode();

  CMainBar* GetMainBar() { return m_mainBar.m_hWnd != nullptr ? &m_mainBar : nullptr; }
  // The bar along the top, the documents' area below it.
  void RecalcLayout(BOOL bNotify = TRUE) override;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);

  CMainBar m_mainBar;
  DECLARE_MESSAGE_MAP()
};

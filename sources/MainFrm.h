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

  // The program mode (1 to 26; 12 selects, 22 is tab order). Entering or leaving tab-order mode
  // rebuilds the active view's scaled page copies, which are drawn lighter in that mode. The rest of
  // a mode change (cursors, tool bars, the documents' notification) joins with the program modes.
  int GetProgramMode() const { return m_programMode; }
  void SetProgramMode(int mode, int apply);
  // The snap-to-grid switch and the grid steps in document units; the view draws the grid's dots.
  BOOL IsSnapToGrid() const { return m_snapToGrid; }
  void SetSnapToGrid(int on);
  int GetGridStepX() const { return m_gridStepX; }
  int GetGridStepY() const { return m_gridStepY; }
  void SetGridSteps(int x, int y);

  CMainBar* GetMainBar() { return m_mainBar.m_hWnd != nullptr ? &m_mainBar : nullptr; }
  // The bar along the top, the documents' area below it.
  void RecalcLayout(BOOL bNotify = TRUE) override;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);

  CMainBar m_mainBar;
  int m_programMode = 12;
  int m_previousProgramMode = 12;
  BOOL m_snapToGrid = FALSE;
  // 14 points at the default 0.00001 inch per unit.
  int m_gridStepX = 19444;
  int m_gridStepY = 19444;
  DECLARE_MESSAGE_MAP()
};

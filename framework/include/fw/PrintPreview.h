// Print preview in place of a frame's view.
#pragma once
#include "fw/Print.h"
#include "fw/View.h"

class CFrameWnd;

// Print preview in place of a frame's view: each page is recorded by the view's printing steps into
// an enhanced metafile made for the printer, then shown scaled on a white sheet. Page Down/Page Up
// turn pages; Escape, the preview command again, or ClosePrintPreview end it.
class FW_API CPreviewView : public CView {
  DECLARE_DYNCREATE(CPreviewView)
 public:
  CPreviewView();
  ~CPreviewView() override;
  // Takes `pInfo` (prepared, with a printer DC) and shows page `pInfo->m_nCurPage` for `pView`.
  BOOL SetPrintView(CView* pView, CPrintInfo* pInfo);
  void ShowPage(UINT nPage);
  UINT GetCurrentPage() const;
  // Ends the preview: the original view returns, OnEndPrintPreview runs, this window goes.
  void Close();
  void OnDraw(CDC* pDC) override;
  // Where the sheet of paper is drawn in client coordinates.
  CRect GetPageRect() const;
  // What the frame keeps about itself from the start of the preview to its end.
  CPrintPreviewState m_previewState;

 protected:
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  HENHMETAFILE RecordPage();
  CView* m_pPrintView = nullptr;
  CPrintInfo* m_pPreviewInfo = nullptr;
  CDC m_printerDC;
  HENHMETAFILE m_page = nullptr;
  DECLARE_MESSAGE_MAP()
};

// Views: windows that show a document; CScrollView adds scrolling over a logical page.
#pragma once
#include "fw/Document.h"
#include "fw/Dc.h"
#include "fw/Wnd.h"

class CPrintInfo;
class CFrameWnd;
class CDocTemplate;

// What a frame needs to make its view and bind it to a document.
struct CCreateContext {
  CRuntimeClass* m_pNewViewClass = nullptr;
  CDocument* m_pCurrentDoc = nullptr;
  CDocTemplate* m_pNewDocTemplate = nullptr;
  CView* m_pLastView = nullptr;
  CFrameWnd* m_pCurrentFrame = nullptr;
};

class FW_API CView : public CWnd {
  DECLARE_DYNAMIC(CView)
 public:
  CView();
  ~CView() override;
  CDocument* GetDocument() const { return m_pDocument; }

  virtual void OnDraw(CDC* pDC) = 0;
  virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
  virtual void OnInitialUpdate();
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
  virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
  virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

  // Printing, called by the print loop in this order.
  virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
  BOOL DoPreparePrinting(CPrintInfo* pInfo);
  virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, class CPreviewView* pView);

  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  void PostNcDestroy() override;

  CDocument* m_pDocument = nullptr;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
  afx_msg LRESULT OnMouseActivateMessage(WPARAM wParam, LPARAM lParam);
  afx_msg void OnFilePrint();
  afx_msg void OnFilePrintDirect();
  // The print loop: prepare, begin, one StartPage/OnPrepareDC/OnPrint/EndPage per page, end.
  void RunPrintJob(BOOL bDirect);
  afx_msg void OnFilePrintPreview();
  DECLARE_MESSAGE_MAP()
};

class FW_API CScrollView : public CView {
  DECLARE_DYNAMIC(CScrollView)
 public:
  CScrollView();
  static const SIZE sizeDefault;

  // `sizeTotal` is in the logical units of `nMapMode`; page and line default to a tenth and a
  // hundredth of it.
  void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                      const SIZE& sizeLine = sizeDefault);
  CPoint GetScrollPosition() const;        // logical units
  CPoint GetDeviceScrollPosition() const;  // pixels
  void ScrollToPosition(POINT pt);         // logical units
  CSize GetTotalSize() const { return m_totalLog; }
  void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
  void FillOutsideRect(CDC* pDC, CBrush* pBrush);

  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
  virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
  virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

 protected:
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  void UpdateBars();

  int m_nMapMode = MM_TEXT;
  CSize m_totalLog;
  CSize m_totalDev, m_pageDev, m_lineDev;
  DECLARE_MESSAGE_MAP()
};

// The status bar: a row of panes along the bottom of the frame. The frame's docking manager places
// it outermost (it is in no row). Pane 0 (the ID_SEPARATOR pane) is the message pane: the frame
// puts prompts and the idle text there through the bar's window text (WM_SETTEXT).
//
// Indicators (ID_INDICATOR_CAPS, _NUM, _SCRL) show their string ("CAP", "NUM", "SCRL", the
// program's own strings of those ids first) while the key is on: the frame's update handlers decide
// when it has any, the key state otherwise. A pane can show a progress bar instead of text.
#pragma once
#include "fw/Pane.h"

// Pane styles.
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS 0x0100
#define SBPS_POPOUT 0x0200
#define SBPS_OWNERDRAW 0x1000
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000

struct FwStatusPane;

class FW_API CMFCStatusBar : public CPane {
  DECLARE_DYNAMIC(CMFCStatusBar)
 public:
  CMFCStatusBar();
  ~CMFCStatusBar() override;

  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                      UINT nID = AFX_IDW_STATUS_BAR);
  virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);

  // One pane per id: ID_SEPARATOR is a stretching message pane, any other id an indicator as wide
  // as its string. FALSE for a bad array.
  BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
  int GetCount() const { return m_nCount; }
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  void GetItemRect(int nIndex, LPRECT lpRect) const;

  BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
  CString GetPaneText(int nIndex) const;
  void GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }
  // Width of a pane's content in pixels (a stretching pane takes what is left, at least this).
  void SetPaneWidth(int nIndex, int cx);
  int GetPaneWidth(int nIndex) const;
  // The pane styles (SBPS_*). The bar's own style stays reachable as CBasePane's.
  using CBasePane::GetPaneStyle;
  using CBasePane::SetPaneStyle;
  void SetPaneStyle(int nIndex, UINT nStyle);
  UINT GetPaneStyle(int nIndex) const;
  void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
  void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);

  // Pane `nIndex` shows a progress bar of `nTotal` steps (-1 turns it back into a text pane), with
  // the percentage written over it when `bDisplayText`.
  void EnablePaneProgressBar(int nIndex, long nTotal = 100, BOOL bDisplayText = FALSE);
  void SetPaneProgress(int nIndex, long nCurr, BOOL bUpdate = TRUE);
  long GetPaneProgress(int nIndex) const;
  long GetPaneProgressTotal(int nIndex) const;

  // The size grip at the right end (drawn while the frame can be resized and is not maximized).
  CRect GetSizeGripRect() const;

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  BOOL HideInPrintPreviewMode() const override { return FALSE; }
  // Places the panes in the client area.
  void AdjustLayout() override;

 protected:
  FwStatusPane* PaneAt(int nIndex) const;
  void InvalidatePane(int nIndex);
  BOOL HasSizeGrip() const;
  void DrawBar(CDC* pDC);

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  FwStatusPane* m_pPanes = nullptr;  // m_nCount panes, allocated by the bar
  int m_nCount = 0;
  int m_cyBar = 0;
};

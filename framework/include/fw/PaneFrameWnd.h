// The floating frame: a small tool window owned by the main frame, holding one pane (a dockable
// pane, a tab group or a bar). Its caption shows the pane's title and a close button; dragging the
// caption moves it, and dropping it over its frame (on a smart-docking marker, or where the drag
// outline shows) docks the pane there. Double-clicking the caption docks the pane where it was.
#pragma once
#include "fw/Pane.h"

class CDockingManager;

class FW_API CPaneFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CPaneFrameWnd)
 public:
  enum { kBorderSize = 4 };
  enum { HTFRAMECLOSE = HTCLOSE };

  CPaneFrameWnd();
  ~CPaneFrameWnd() override;

  // Makes the frame at `rect` (screen), owned by `pParentWnd`'s top-level window.
  virtual BOOL Create(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd);

  // The pane the frame holds; it fills the frame's client area.
  virtual void AddPane(CBasePane* pWnd);
  virtual void RemovePane(CBasePane* pWnd);
  CBasePane* GetPane() const { return m_pPane; }

  CDockingManager* GetDockingManager() const { return m_pManager; }
  void SetDockingManager(CDockingManager* pManager) { m_pManager = pManager; }

  // The window size that gives a client area of `client`.
  static CSize FrameSizeFor(CSize client);
  // In window coordinates.
  CRect GetCaptionRect() const;
  CRect GetCloseButtonRect() const;
  void RedrawCaption();

  // Dragging: the frame follows the mouse from `ptScreen` until the button is released, showing
  // where the pane would dock; Escape or losing the mouse leaves it floating where it is.
  // `bMoved`: the pane was just dragged out of its place, so where it would dock shows at once.
  void EnterDragMode(CPoint ptScreen, BOOL bMoved = FALSE);
  BOOL IsDragging() const { return m_bDragging; }

 protected:
  void PostNcDestroy() override;
  void EndDrag(BOOL bDrop, CPoint ptScreen);
  void OnPressClose();

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnClose();
  afx_msg void OnDestroy();
  afx_msg LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcPaint(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcActivate(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcLButtonDown(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcLButtonDblClk(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcRButtonDown(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnNcRButtonUp(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);

  CBasePane* m_pPane = nullptr;
  CDockingManager* m_pManager = nullptr;
  BOOL m_bDragging = FALSE;
  BOOL m_bMoved = FALSE;
  CPoint m_ptGrab;          // the mouse's offset from the window's corner while dragging
  BOOL m_bClosePressed = FALSE;
  DECLARE_MESSAGE_MAP()
};

// The divider between docked panes: a thin window at the inner edge of a pane row and between two
// panes of a row. Dragging it resizes the row or moves the edge between the two panes (through the
// docking manager, which keeps the sizes within bounds); the frame's layout follows the mouse.
// The MDI tab groups' dividers are dividers too, moving the space between two groups.
#pragma once
#include "fw/DockingManager.h"

class FW_API CPaneDivider : public CWnd {
  DECLARE_DYNAMIC(CPaneDivider)
 public:
  explicit CPaneDivider(CDockingManager* pManager);
  ~CPaneDivider() override;

  BOOL Create(CWnd* pParentWnd);
  // The row and the gap it stands for (nPane -1: the row's inner edge, else after pane nPane);
  // `bVertical`: a vertical line, dragged left and right.
  void SetPlace(CDockingManager::Row* row, int nPane, BOOL bVertical);
  CDockingManager::Row* GetRow() const { return m_pRow; }
  int GetPaneIndex() const { return m_nPane; }
  BOOL IsVertical() const { return m_bVertical; }
  // Moves the gap `delta` pixels (right or down); the docking manager's row by default.
  virtual BOOL MoveBy(int delta);

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);

  CDockingManager* m_pManager;
  CDockingManager::Row* m_pRow = nullptr;
  int m_nPane = -1;
  BOOL m_bVertical = FALSE;
  BOOL m_bDragging = FALSE;
  int m_grab = 0;  // where in the divider the mouse holds it, across its length
  DECLARE_MESSAGE_MAP()
};

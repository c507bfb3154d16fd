// The auto-hide strip along one edge of a frame: one button per pane hidden there, labelled with the
// pane's caption (turned for the left and right edges). Hovering a button slides its pane out over
// the view beside the strip (growing out of the strip in a few quick steps); clicking it also gives
// the pane the focus. A pane shown that way slides
// back once the mouse has been off both the pane and its button for a moment and the focus is
// elsewhere. The docking manager makes the strips and lays them out inside the bar rows.
#pragma once
#include "fw/Array.h"
#include "fw/Pane.h"

class CDockablePane;
class CDockingManager;

class FW_API CMFCAutoHideBar : public CBasePane {
  DECLARE_DYNAMIC(CMFCAutoHideBar)
 public:
  CMFCAutoHideBar();
  ~CMFCAutoHideBar() override;

  // A strip along `side` (one CBRS_ALIGN_ bit) of `pDockSite`.
  BOOL Create(CFrameWnd* pDockSite, CDockingManager* pManager, DWORD side);
  DWORD GetSide() const { return m_dwSide; }
  // Across the strip, in pixels.
  int GetThickness() const;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  BOOL HideInPrintPreviewMode() const override { return TRUE; }

  void AddPane(CDockablePane* pPane);
  // Takes the pane's button away (sliding it back first).
  void RemovePane(CDockablePane* pPane);
  BOOL HasPane(const CDockablePane* pPane) const { return Find(pPane) >= 0; }
  int GetPaneCount() const { return static_cast<int>(m_buttons.GetSize()); }
  CDockablePane* GetPane(int i) const { return i >= 0 && i < GetPaneCount() ? m_buttons[i].pane : nullptr; }
  BOOL HasVisibleButtons() const;
  // A pane hidden by the program keeps its place on the strip but shows no button.
  void ShowPaneButton(CDockablePane* pPane, BOOL bShow);
  BOOL IsPaneButtonVisible(const CDockablePane* pPane) const;
  // The pane's button in client coordinates; empty when it has none.
  CRect GetButtonRect(const CDockablePane* pPane) const;

  // Shows the pane over the view (`bActivate`: with the focus), or hides it again.
  void SlideOut(CDockablePane* pPane, BOOL bActivate);
  void SlideIn(CDockablePane* pPane);
  CDockablePane* GetSlidOutPane() const { return m_pSlidOut; }

  // How long the mouse must be away (and the focus elsewhere) before a pane slides back.
  static UINT s_nSlideInDelay;

 protected:
  struct Button {
    CDockablePane* pane = nullptr;
    BOOL visible = TRUE;
    CRect rect;
  };
  int Find(const CDockablePane* pPane) const;
  CRect PartOf(const CRect& rect, int step) const;
  void LayoutButtons();
  int ButtonAt(CPoint point) const;

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnDestroy();

  CDockingManager* m_pManager = nullptr;
  DWORD m_dwSide = 0;
  CArray<Button, const Button&> m_buttons;
  CDockablePane* m_pSlidOut = nullptr;
  UINT m_nAwayMs = 0;   // how long the mouse has been away from the pane shown
  DECLARE_MESSAGE_MAP()
};

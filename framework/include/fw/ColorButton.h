// A button that holds a colour, for dialogs: bind it to a dialog's button with SubclassDlgItem or
// DDX_Control (or make one with Create). It is drawn as a push button with a colour swatch and a
// drop-down arrow. A click, Space, Enter, Down or F4 drops the colour palette pop-up
// (CMFCColorPopup); a colour chosen there is stored, drawn, and announced to the parent with
// BN_CLICKED. The button draws and handles its input itself: the system button underneath only
// keeps the window's text and state.
#pragma once
#include "fw/ColorPopup.h"
#include "fw/Controls.h"
#include "fw/Dialog.h"

class FW_API CMFCColorButton : public CButton, public CMFCColorPopupClient {
  DECLARE_DYNAMIC(CMFCColorButton)

 public:
  CMFCColorButton();
  ~CMFCColorButton() override;

  COLORREF GetColor() const { return m_color; }
  void SetColor(COLORREF color);
  // The automatic colour is the one chosen.
  BOOL IsAutomatic() const { return m_bAutomatic; }
  COLORREF GetAutomaticColor() const { return m_choices.automaticColor; }

  // The pop-up's "Other..." button opens the system colour dialog: with its custom-colour part
  // open (`bAltColorDlg`) and offering the desktop's colours as custom colours (`bIncludeSysColors`).
  // A null label takes the framework's own ("Other...").
  void EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg = TRUE, BOOL bIncludeSysColors = TRUE);
  // The pop-up's "Automatic" button chooses `colorAutomatic`.
  void EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable = TRUE);
  void SetColumnsNumber(int nColumns);
  // The pop-up's colours; the standard colours for null. The entries are copied.
  void SetPalette(CPalette* pPalette);

  // Drops the pop-up (FALSE when it cannot open); the open pop-up, or null.
  BOOL ShowColorPopup();
  CMFCColorPopup* GetPopup() const { return m_pPopup; }

  void OnColorPopupChoice(COLORREF color, BOOL bAutomatic) override;
  void OnColorPopupClosed() override;

 protected:
  // A colour was chosen: stores it, redraws and sends BN_CLICKED to the parent.
  virtual void UpdateColor(COLORREF color);
  // The system button would paint itself on state, style and focus-cue changes: those only
  // redraw here.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  COLORREF m_color = RGB(0, 0, 0);
  BOOL m_bAutomatic = FALSE;
  FwColorChoices m_choices;
  CMFCColorPopup* m_pPopup = nullptr;
};

// Moves the colour between a colour button of the dialog and `value`.
FW_API void AFXAPI DDX_ColorButton(CDataExchange* pDX, int nIDC, COLORREF& value);

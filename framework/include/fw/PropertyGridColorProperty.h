// A property grid row holding a colour. The value shows a swatch and the colour as "#RRGGBB" (or
// the automatic button's label while the automatic colour is chosen); its drop-down button opens
// the colour palette pop-up (CMFCColorPopup), and a colour chosen there becomes the value and is
// reported to the grid's owner like any edit. The hexadecimal text can also be typed.
//
// GetValue() is the COLORREF as an unsigned 32-bit variant (VT_UI4).
#pragma once
#include "fw/ColorPopup.h"
#include "fw/PropertyGridProperty.h"

class FW_API CMFCPropertyGridColorProperty : public CMFCPropertyGridProperty, public CMFCColorPopupClient {
  DECLARE_DYNAMIC(CMFCPropertyGridColorProperty)

 public:
  // `pPalette` gives the pop-up's colours (the standard colours when null); its entries are copied.
  CMFCPropertyGridColorProperty(const CString& strName, const COLORREF& color, CPalette* pPalette = nullptr,
                                LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);
  ~CMFCPropertyGridColorProperty() override;

  // The pop-up's "Other..." button opens the system colour dialog: with its custom-colour part
  // open (`bAltColorDlg`) and offering the desktop's colours as custom colours (`bIncludeSysColors`).
  void EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg = TRUE, BOOL bIncludeSysColors = TRUE);
  // The pop-up's "Automatic" button chooses `colorAutomatic`.
  void EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable = TRUE);
  COLORREF GetColor() const { return static_cast<COLORREF>(m_varValue.ulVal); }
  void SetColor(COLORREF color);
  // The automatic colour is the one chosen.
  BOOL IsAutomatic() const { return m_bAutomatic; }
  void SetColumnsNumber(int nColumnsNumber);
  // The open pop-up, or null.
  CMFCColorPopup* GetPopup() const { return m_pPopup; }

  void SetValue(const COleVariant& varValue) override;
  void OnDrawValue(CDC* pDC, CRect rect) override;
  CString FormatProperty() override;
  // Opens the pop-up under the value.
  void OnClickButton(CPoint point) override;
  BOOL OnDblClk(CPoint point) override;
  // Takes "#RRGGBB" or "RRGGBB".
  BOOL TextToVar(const CString& strText) override;
  BOOL OnEdit(LPPOINT lptClick) override;

  void OnColorPopupChoice(COLORREF color, BOOL bAutomatic) override;
  void OnColorPopupClosed() override;

 protected:
  void AdjustInPlaceEditRect(CRect& rectEdit, CRect& rectSpin) override;
  // The swatch's place at the left of the value.
  CRect GetSwatchRect(CRect rectValue) const;

  FwColorChoices m_choices;
  BOOL m_bAutomatic = FALSE;
  CMFCColorPopup* m_pPopup = nullptr;
};

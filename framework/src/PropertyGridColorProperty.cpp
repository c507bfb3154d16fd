// The property grid's colour row.
#include "fw/PropertyGridColorProperty.h"

#include "PropertyGridInternal.h"
#include "PropertyGridStrings.h"
#include "fw/Dc.h"
#include "fw/PropertyGrid.h"
#include "fw/VisualManager.h"

IMPLEMENT_DYNAMIC(CMFCPropertyGridColorProperty, CMFCPropertyGridProperty)

namespace {

COleVariant ColorVariant(COLORREF color) {
  COleVariant value;
  value.vt = VT_UI4;
  value.ulVal = color;
  return value;
}

CString LabelOr(LPCTSTR label, UINT fallback) {
  CString text(label);
  if (text.IsEmpty()) text.LoadString(fallback);
  return text;
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

}  // namespace

CMFCPropertyGridColorProperty::CMFCPropertyGridColorProperty(const CString& strName, const COLORREF& color,
                                                             CPalette* pPalette, LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, ColorVariant(color), lpszDescr, dwData) {
  m_dwFlags |= AFX_PROP_HAS_LIST;
  m_choices.SetPalette(pPalette);
}

CMFCPropertyGridColorProperty::~CMFCPropertyGridColorProperty() {
  if (CMFCColorPopup* popup = m_pPopup) {
    m_pPopup = nullptr;
    popup->DetachClient();
    popup->Close();
  }
}

void CMFCPropertyGridColorProperty::EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg, BOOL bIncludeSysColors) {
  m_choices.other = TRUE;
  m_choices.otherLabel = LabelOr(lpszLabel, FW_IDS_COLOR_OTHER);
  m_choices.otherFullDialog = bAltColorDlg;
  m_choices.otherSystemColors = bIncludeSysColors;
}

void CMFCPropertyGridColorProperty::EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable) {
  m_choices.automatic = bEnable;
  m_choices.automaticLabel = LabelOr(lpszLabel, FW_IDS_COLOR_AUTOMATIC);
  m_choices.automaticColor = colorAutomatic;
  if (!bEnable) m_bAutomatic = FALSE;
  Redraw();
}

void CMFCPropertyGridColorProperty::SetColor(COLORREF color) { SetValue(ColorVariant(color)); }

void CMFCPropertyGridColorProperty::SetValue(const COleVariant& varValue) {
  m_bAutomatic = FALSE;
  CMFCPropertyGridProperty::SetValue(varValue);
}

void CMFCPropertyGridColorProperty::SetColumnsNumber(int nColumnsNumber) {
  if (nColumnsNumber < 1) {
    OutputDebugStringW(L"CMFCPropertyGridColorProperty::SetColumnsNumber: at least one column\n");
    return;
  }
  m_choices.columns = nColumnsNumber;
}

CString CMFCPropertyGridColorProperty::FormatProperty() {
  if (m_bAutomatic && m_choices.automatic) return m_choices.automaticLabel;
  const COLORREF color = GetColor();
  CString text;
  text.Format(L"#%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
  return text;
}

CRect CMFCPropertyGridColorProperty::GetSwatchRect(CRect rectValue) const {
  const int height = rectValue.Height();
  return CRect(rectValue.left + 1, rectValue.top, rectValue.left + 1 + height + 6, rectValue.bottom);
}

void CMFCPropertyGridColorProperty::OnDrawValue(CDC* pDC, CRect rect) {
  const CRect swatch = GetSwatchRect(rect);
  CMFCVisualManager::GetInstance()->OnDrawColorCell(pDC, swatch, GetColor(), FALSE, FALSE);
  CRect text = rect;
  text.left = swatch.right;
  CMFCPropertyGridProperty::OnDrawValue(pDC, text);
}

void CMFCPropertyGridColorProperty::AdjustInPlaceEditRect(CRect& rectEdit, CRect& rectSpin) {
  rectEdit = m_Rect;
  rectEdit.left += m_pWndList->GetLeftColumnWidth() + 1;
  rectEdit.bottom -= 1;
  rectEdit.left = GetSwatchRect(rectEdit).right + 3;
  if (!m_rectButton.IsRectEmpty()) rectEdit.right = m_rectButton.left;
  rectSpin.SetRectEmpty();
}

BOOL CMFCPropertyGridColorProperty::OnEdit(LPPOINT) {
  // The hexadecimal text in a plain edit; the list is the pop-up behind the button.
  if (!m_pWndList || !m_pWndList->m_hWnd || !CanEdit() || !m_bAllowEdit || m_bInPlaceEdit) return FALSE;
  CRect rectEdit, rectSpin;
  AdjustInPlaceEditRect(rectEdit, rectSpin);
  BOOL bDefaultFormat = TRUE;
  m_pWndInPlace = CreateInPlaceEdit(rectEdit, bDefaultFormat);
  if (!m_pWndInPlace) return FALSE;
  m_pWndInPlace->SetFont(m_pWndList->GetFont(), FALSE);
  if (bDefaultFormat) m_pWndInPlace->SetWindowText(FormatProperty());
  m_bInPlaceEdit = TRUE;
  return TRUE;
}

BOOL CMFCPropertyGridColorProperty::TextToVar(const CString& strText) {
  CString text(strText);
  text.Trim();
  if (m_choices.automatic && text.CompareNoCase(m_choices.automaticLabel) == 0) {
    m_varValue = ColorVariant(m_choices.automaticColor);
    m_bAutomatic = TRUE;
    SetModifiedFlag();
    return TRUE;
  }
  if (!text.IsEmpty() && text[0] == L'#') text = text.Mid(1);
  if (text.GetLength() != 6) return FALSE;
  int parts[3];
  for (int i = 0; i < 3; ++i) {
    const int high = HexDigit(text[2 * i]), low = HexDigit(text[2 * i + 1]);
    if (high < 0 || low < 0) return FALSE;
    parts[i] = high * 16 + low;
  }
  m_varValue = ColorVariant(RGB(parts[0], parts[1], parts[2]));
  m_bAutomatic = FALSE;
  SetModifiedFlag();
  return TRUE;
}

void CMFCPropertyGridColorProperty::OnClickButton(CPoint) {
  if (!m_pWndList || !m_pWndList->m_hWnd) return;
  if (m_pPopup) {
    m_pPopup->Close();
    return;
  }
  if (m_bInPlaceEdit) m_pWndList->EndEditItem(TRUE);
  CRect anchor = m_Rect;
  anchor.left += m_pWndList->GetLeftColumnWidth();
  m_pWndList->ClientToScreen(&anchor);
  m_pPopup = CMFCColorPopup::Show(this, m_pWndList, anchor, m_choices, GetColor(), m_bAutomatic);
}

BOOL CMFCPropertyGridColorProperty::OnDblClk(CPoint point) {
  OnClickButton(point);
  return FALSE;
}

void CMFCPropertyGridColorProperty::OnColorPopupChoice(COLORREF color, BOOL bAutomatic) {
  const COleVariant before(m_varValue);
  const BOOL wasAutomatic = m_bAutomatic;
  m_varValue = ColorVariant(color);
  m_bAutomatic = bAutomatic;
  SetModifiedFlag();
  Redraw();
  if (m_pWndList && (!FwSameVariant(m_varValue, before) || wasAutomatic != bAutomatic)) m_pWndList->OnPropertyChanged(this);
}

void CMFCPropertyGridColorProperty::OnColorPopupClosed() {
  m_pPopup = nullptr;
  if (m_pWndList && m_pWndList->m_hWnd) m_pWndList->SetFocus();
}

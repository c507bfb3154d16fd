#include "FormatProperty.h"

#include "ErrorLog.h"
#include "FormatDialog.h"

namespace {
INT_PTR RunModally(CDialog& dialog) { return dialog.DoModal(); }
CMFCFormatProperty::DialogRunner g_runner = RunModally;
}  // namespace

CMFCFormatProperty::DialogRunner CMFCFormatProperty::SetDialogRunner(DialogRunner runner) {
  DialogRunner previous = g_runner;
  g_runner = runner != nullptr ? runner : RunModally;
  return previous;
}

CMFCFormatProperty::CMFCFormatProperty(const CString& name, const _PROPERTIES& properties, int textField,
                                       const CStringArray& categories, DWORD_PTR id)
    : CMFCPropertyGridProperty(name, COleVariant(L""), nullptr, id), m_properties(properties), m_textField(textField) {
  m_categories.Copy(categories);
  m_dwFlags |= AFX_PROP_HAS_BUTTON;
  AllowEdit(FALSE);
}

CString CMFCFormatProperty::FormatProperty() {
  const int category = m_properties.formatCategory;
  return category >= 0 && category < m_categories.GetSize() ? m_categories[category] : CString();
}

void CMFCFormatProperty::OnDrawValue(CDC* pDC, CRect rect) {
  DEF_TRY
  // The grid's normal font, even when the row is marked modified (bold).
  HFONT normal = m_pWndList != nullptr ? reinterpret_cast<HFONT>(m_pWndList->SendMessage(WM_GETFONT)) : nullptr;
  if (normal == nullptr) normal = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  HGDIOBJ old = ::SelectObject(pDC->GetSafeHdc(), normal);
  pDC->DrawText(FormatProperty(), rect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  ::SelectObject(pDC->GetSafeHdc(), old);
  DEF_CATCH("CMFCFormatProperty::OnDrawValue")
}

void CMFCFormatProperty::OnClickButton(CPoint) {
  DEF_TRY
  m_bButtonIsDown = TRUE;
  Redraw();
  CFormatDialog dialog(m_properties, m_textField);
  if (g_runner(dialog) == IDOK) {
    m_properties = dialog.GetNumberFormat();
    SetValue(COleVariant(m_properties.GetFormatPropertiesAsString()));
    if (m_pWndList != nullptr) m_pWndList->OnPropertyChanged(this);
  }
  m_bButtonIsDown = FALSE;
  Redraw();
  if (m_pWndInPlace != nullptr && ::IsWindow(m_pWndInPlace->m_hWnd))
    m_pWndInPlace->SetFocus();
  else if (m_pWndList != nullptr && m_pWndList->m_hWnd != nullptr)
    m_pWndList->SetFocus();
  DEF_CATCH("CMFCFormatProperty::OnClickButton")
}

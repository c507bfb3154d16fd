// A property grid row: its tree, options, value conversions, drawing and in-place editors.
#include "fw/PropertyGrid.h"

#include "PropertyGridInternal.h"
#include "PropertyGridStrings.h"
#include "fw/Dc.h"
#include "fw/VisualManager.h"

IMPLEMENT_DYNAMIC(CMFCPropertyGridProperty, CObject)

namespace {

// Room between a cell's edge and its text.
constexpr int kTextMargin = 4;

bool IsIntegerType(VARTYPE vt) {
  switch (vt) {
    case VT_I1: case VT_I2: case VT_I4: case VT_INT: case VT_UI1: case VT_UI2: case VT_UI4: case VT_UINT:
      return true;
    default:
      return false;
  }
}

bool IsNumberType(VARTYPE vt) { return IsIntegerType(vt) || vt == VT_R4 || vt == VT_R8; }

// Converts between variant types without throwing (the framework's COleVariant throws).
BOOL ChangeType(const VARIANT& from, VARTYPE vt, COleVariant& to) {
  VARIANT converted;
  VariantInit(&converted);
  if (FAILED(VariantChangeTypeEx(&converted, const_cast<VARIANT*>(&from), LOCALE_USER_DEFAULT, 0, vt))) return FALSE;
  to = converted;
  VariantClear(&converted);
  return TRUE;
}

CString LoadFrameworkString(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

BOOL MaskAccepts(wchar_t mask, wchar_t ch) {
  switch (mask) {
    case L'D': return iswdigit(ch) != 0;
    case L'd': return iswdigit(ch) || ch == L' ';
    case L'C': return iswalpha(ch) != 0;
    case L'c': return iswalpha(ch) || ch == L' ';
    case L'A': return iswalnum(ch) != 0;
    case L'a': return iswalnum(ch) || ch == L' ';
    case L'*': return iswprint(ch) != 0;
    default: return FALSE;
  }
}

}  // namespace

bool FwSameVariant(const VARIANT& a, const VARIANT& b) {
  if (a.vt != b.vt) return false;
  switch (a.vt) {
    case VT_EMPTY: case VT_NULL: return true;
    case VT_BSTR: {
      const UINT n = SysStringLen(a.bstrVal);
      return n == SysStringLen(b.bstrVal) && (n == 0 || wmemcmp(a.bstrVal, b.bstrVal, n) == 0);
    }
    case VT_BOOL: return (a.boolVal != 0) == (b.boolVal != 0);
    case VT_I1: case VT_UI1: return a.bVal == b.bVal;
    case VT_I2: case VT_UI2: return a.uiVal == b.uiVal;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_ERROR: return a.ulVal == b.ulVal;
    case VT_R4: return a.fltVal == b.fltVal;
    case VT_R8: case VT_DATE: return a.dblVal == b.dblVal;
    default: return VarCmp(const_cast<VARIANT*>(&a), const_cast<VARIANT*>(&b), LOCALE_USER_DEFAULT, 0) == VARCMP_EQ;
  }
}

CMFCPropertyGridProperty::CMFCPropertyGridProperty(const CString& strGroupName, DWORD_PTR dwData, BOOL bIsValueList)
    : m_strName(strGroupName), m_dwData(dwData), m_bGroup(TRUE), m_bIsValueList(bIsValueList) {}

CMFCPropertyGridProperty::CMFCPropertyGridProperty(const CString& strName, const COleVariant& varValue,
                                                   LPCTSTR lpszDescr, DWORD_PTR dwData, LPCTSTR lpszEditMask,
                                                   LPCTSTR lpszEditTemplate, LPCTSTR lpszValidChars)
    : m_strName(strName),
      m_strDescr(lpszDescr),
      m_strEditMask(lpszEditMask),
      m_strEditTempl(lpszEditTemplate),
      m_strValidChars(lpszValidChars),
      m_varValue(varValue),
      m_varValueOrig(varValue),
      m_dwData(dwData) {
  // Truth values are chosen, never typed; their two texts come with the grid (SetOwnerList).
  if (m_varValue.vt == VT_BOOL) {
    m_dwFlags |= AFX_PROP_HAS_LIST;
    m_bAllowEdit = FALSE;
  }
}

CMFCPropertyGridProperty::~CMFCPropertyGridProperty() {
  if (m_bInPlaceEdit) OnEndEdit();
  while (!m_lstSubItems.IsEmpty()) delete m_lstSubItems.RemoveHead();
}

// --- the tree ---

BOOL CMFCPropertyGridProperty::AddSubItem(CMFCPropertyGridProperty* pProp) {
  if (!pProp || pProp == this || pProp->m_pParent || pProp->m_pWndList) {
    OutputDebugStringW(L"CMFCPropertyGridProperty::AddSubItem: null, itself, or already placed\n");
    return FALSE;
  }
  pProp->m_pParent = this;
  m_lstSubItems.AddTail(pProp);
  pProp->SetOwnerList(m_pWndList);
  if (m_pWndList && m_pWndList->m_hWnd) m_pWndList->AdjustLayout();
  return TRUE;
}

BOOL CMFCPropertyGridProperty::RemoveSubItem(CMFCPropertyGridProperty*& pProp, BOOL bDelete) {
  if (!pProp) return FALSE;
  for (POSITION pos = m_lstSubItems.GetHeadPosition(); pos;) {
    const POSITION at = pos;
    CMFCPropertyGridProperty* item = m_lstSubItems.GetNext(pos);
    if (item == pProp) {
      if (m_pWndList) m_pWndList->OnRowLeaving(item);
      m_lstSubItems.RemoveAt(at);
      item->m_pParent = nullptr;
      item->SetOwnerList(nullptr);
      if (bDelete) {
        delete item;
        pProp = nullptr;
      }
      if (m_pWndList && m_pWndList->m_hWnd) m_pWndList->AdjustLayout();
      return TRUE;
    }
    if (item->RemoveSubItem(pProp, bDelete)) return TRUE;
  }
  return FALSE;
}

CMFCPropertyGridProperty* CMFCPropertyGridProperty::GetSubItem(int nIndex) const {
  const POSITION pos = m_lstSubItems.FindIndex(nIndex);
  return pos ? m_lstSubItems.GetAt(pos) : nullptr;
}

CMFCPropertyGridProperty* CMFCPropertyGridProperty::FindSubItemByData(DWORD_PTR dwData) const {
  if (m_dwData == dwData) return const_cast<CMFCPropertyGridProperty*>(this);
  for (POSITION pos = m_lstSubItems.GetHeadPosition(); pos;) {
    if (CMFCPropertyGridProperty* found = m_lstSubItems.GetNext(pos)->FindSubItemByData(dwData)) return found;
  }
  return nullptr;
}

void CMFCPropertyGridProperty::Expand(BOOL bExpand) {
  if (m_bExpanded == bExpand) return;
  m_bExpanded = bExpand;
  if (m_pWndList && m_pWndList->m_hWnd) m_pWndList->AdjustLayout();
}

BOOL CMFCPropertyGridProperty::IsParentExpanded() const {
  for (const CMFCPropertyGridProperty* p = m_pParent; p; p = p->m_pParent) {
    if (!p->m_bExpanded) return FALSE;
  }
  return TRUE;
}

int CMFCPropertyGridProperty::GetHierarchyLevel() const {
  int level = 0;
  for (const CMFCPropertyGridProperty* p = m_pParent; p; p = p->m_pParent) ++level;
  return level;
}

void CMFCPropertyGridProperty::SetOwnerList(CMFCPropertyGridCtrl* pWndList) {
  m_pWndList = pWndList;
  if (pWndList && m_varValue.vt == VT_BOOL && m_lstOptions.IsEmpty()) {
    AddOption(pWndList->GetBoolTrueLabel());
    AddOption(pWndList->GetBoolFalseLabel());
  }
  for (POSITION pos = m_lstSubItems.GetHeadPosition(); pos;) m_lstSubItems.GetNext(pos)->SetOwnerList(pWndList);
}

// --- options, spin, edit rules ---

BOOL CMFCPropertyGridProperty::AddOption(LPCTSTR lpszOption, BOOL bInsertUnique) {
  const CString option(lpszOption);
  if (bInsertUnique && m_lstOptions.Find(option)) return FALSE;
  m_lstOptions.AddTail(option);
  m_dwFlags |= AFX_PROP_HAS_LIST;
  return TRUE;
}

void CMFCPropertyGridProperty::RemoveAllOptions() {
  m_lstOptions.RemoveAll();
  m_dwFlags &= ~AFX_PROP_HAS_LIST;
}

LPCTSTR CMFCPropertyGridProperty::GetOption(int nIndex) const {
  const POSITION pos = m_lstOptions.FindIndex(nIndex);
  return pos ? m_lstOptions.GetAt(pos).GetString() : nullptr;
}

void CMFCPropertyGridProperty::AllowEdit(BOOL bAllow) { m_bAllowEdit = bAllow; }

void CMFCPropertyGridProperty::EnableSpinControl(BOOL bEnable, int nMin, int nMax) {
  if (bEnable && nMin > nMax) {
    OutputDebugStringW(L"CMFCPropertyGridProperty::EnableSpinControl: the range is reversed\n");
    const int swap = nMin;
    nMin = nMax;
    nMax = swap;
  }
  m_nMinValue = bEnable ? nMin : 0;
  m_nMaxValue = bEnable ? nMax : 0;
  if (bEnable) m_dwFlags |= AFX_PROP_HAS_SPIN;
  else m_dwFlags &= ~AFX_PROP_HAS_SPIN;
}

BOOL CMFCPropertyGridProperty::CanEdit() const {
  return !m_bGroup && m_bEnabled && m_varValue.vt != VT_EMPTY && m_varValue.vt != VT_NULL;
}

BOOL CMFCPropertyGridProperty::MatchesEditMask(const CString& strText) const {
  if (m_strEditMask.IsEmpty()) return TRUE;
  const int n = m_strEditMask.GetLength();
  // With a template the text fills it exactly; without one it may stop early.
  if (!m_strEditTempl.IsEmpty() ? strText.GetLength() != n : strText.GetLength() > n) return FALSE;
  for (int i = 0; i < strText.GetLength(); ++i) {
    const wchar_t mask = m_strEditMask[i];
    if (mask == L' ') {
      if (i >= m_strEditTempl.GetLength() || strText[i] != m_strEditTempl[i]) return FALSE;
    } else if (!MaskAccepts(mask, strText[i])) {
      return FALSE;
    }
  }
  return TRUE;
}

// --- values ---

void CMFCPropertyGridProperty::SetValue(const COleVariant& varValue) {
  if (m_bGroup) {
    OutputDebugStringW(L"CMFCPropertyGridProperty::SetValue: a group has no value\n");
    return;
  }
  if (m_varValue.vt == VT_EMPTY || varValue.vt == m_varValue.vt) {
    m_varValue = varValue;
  } else {
    COleVariant converted;
    if (!ChangeType(varValue, m_varValue.vt, converted)) {
      OutputDebugStringW(L"CMFCPropertyGridProperty::SetValue: the value does not convert to the row's type\n");
      return;
    }
    m_varValue = converted;
  }
  SetModifiedFlag();
  Redraw();
}

void CMFCPropertyGridProperty::SetOriginalValue(const COleVariant& varValue) {
  m_varValueOrig = varValue;
  SetModifiedFlag();
}

void CMFCPropertyGridProperty::ResetOriginalValue() {
  m_varValueOrig = m_varValue;
  m_bIsModified = FALSE;
  for (POSITION pos = m_lstSubItems.GetHeadPosition(); pos;) m_lstSubItems.GetNext(pos)->ResetOriginalValue();
}

BOOL CMFCPropertyGridProperty::IsValueChanged() const { return !m_bGroup && !FwSameVariant(m_varValue, m_varValueOrig); }

void CMFCPropertyGridProperty::SetModifiedFlag() { m_bIsModified = IsValueChanged(); }

CString CMFCPropertyGridProperty::FormatValue(const VARIANT& value) const {
  switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL:
      return CString();
    case VT_BSTR:
      return CString(value.bstrVal, static_cast<int>(SysStringLen(value.bstrVal)));
    case VT_BOOL:
      if (m_pWndList) return value.boolVal ? m_pWndList->GetBoolTrueLabel() : m_pWndList->GetBoolFalseLabel();
      return LoadFrameworkString(value.boolVal ? FW_IDS_PROPGRID_TRUE : FW_IDS_PROPGRID_FALSE);
    default: {
      COleVariant text;
      return ChangeType(value, VT_BSTR, text) ? FormatValue(text) : CString();
    }
  }
}

CString CMFCPropertyGridProperty::FormatProperty() {
  if (m_bGroup && !m_bIsValueList) return CString();
  if (m_bIsValueList) {
    CString joined;
    for (POSITION pos = m_lstSubItems.GetHeadPosition(); pos;) {
      CMFCPropertyGridProperty* item = m_lstSubItems.GetNext(pos);
      if (!item->IsVisible()) continue;
      if (!joined.IsEmpty()) joined += L", ";
      joined += item->FormatProperty();
    }
    return joined;
  }
  return FormatValue(m_varValue);
}

BOOL CMFCPropertyGridProperty::TextToVar(const CString& strText) {
  if (m_bGroup) return FALSE;
  if (!MatchesEditMask(strText)) return FALSE;
  const VARTYPE vt = m_varValue.vt;
  // A row that only offers a choice takes one of its options and nothing else (truth values are
  // matched to their two texts below, in any case).
  if ((m_dwFlags & AFX_PROP_HAS_LIST) && !m_bAllowEdit && vt != VT_BOOL && !m_lstOptions.Find(strText)) return FALSE;
  if (vt == VT_BOOL) {
    const CString yes = m_pWndList ? CString(m_pWndList->GetBoolTrueLabel()) : LoadFrameworkString(FW_IDS_PROPGRID_TRUE);
    const CString no = m_pWndList ? CString(m_pWndList->GetBoolFalseLabel()) : LoadFrameworkString(FW_IDS_PROPGRID_FALSE);
    if (strText.CompareNoCase(yes) == 0) m_varValue = COleVariant(1L, VT_BOOL);
    else if (strText.CompareNoCase(no) == 0) m_varValue = COleVariant(0L, VT_BOOL);
    else return FALSE;
  } else if (IsNumberType(vt)) {
    CString trimmed(strText);
    trimmed.Trim();
    if (trimmed.IsEmpty()) return FALSE;
    COleVariant converted;
    if (!ChangeType(COleVariant(trimmed), vt, converted)) return FALSE;
    if (m_dwFlags & AFX_PROP_HAS_SPIN) {
      // Spin rows keep to their range: a number beyond it goes to the nearer end.
      COleVariant wide;
      if (!ChangeType(converted, VT_R8, wide)) return FALSE;
      const double clamped = wide.dblVal < m_nMinValue ? m_nMinValue : (wide.dblVal > m_nMaxValue ? m_nMaxValue : wide.dblVal);
      if (clamped != wide.dblVal && !ChangeType(COleVariant(clamped), vt, converted)) return FALSE;
    }
    m_varValue = converted;
  } else if (vt == VT_BSTR) {
    m_varValue = COleVariant(strText);
  } else {
    COleVariant converted;
    if (!ChangeType(COleVariant(strText), vt, converted)) return FALSE;
    m_varValue = converted;
  }
  SetModifiedFlag();
  return TRUE;
}

// --- the rest of the row's state ---

void CMFCPropertyGridProperty::SetName(LPCTSTR lpszName, BOOL bRedraw) {
  m_strName = lpszName;
  if (bRedraw) Redraw();
}

void CMFCPropertyGridProperty::SetDescription(const CString& strDescr) {
  m_strDescr = strDescr;
  if (IsSelected() && m_pWndList->m_hWnd && !m_pWndList->m_rectDescr.IsRectEmpty())
    m_pWndList->InvalidateRect(&m_pWndList->m_rectDescr, FALSE);
}

void CMFCPropertyGridProperty::Enable(BOOL bEnable) {
  if (!bEnable && m_bInPlaceEdit && m_pWndList) m_pWndList->EndEditItem(FALSE);
  m_bEnabled = bEnable;
  Redraw();
}

void CMFCPropertyGridProperty::Show(BOOL bShow, BOOL bAdjustLayout) {
  if (m_bVisible == bShow) return;
  if (!bShow && m_bInPlaceEdit && m_pWndList) m_pWndList->EndEditItem(FALSE);
  m_bVisible = bShow;
  if (bAdjustLayout && m_pWndList && m_pWndList->m_hWnd) m_pWndList->AdjustLayout();
}

BOOL CMFCPropertyGridProperty::IsSelected() const { return m_pWndList && m_pWndList->GetCurSel() == this; }

void CMFCPropertyGridProperty::Redraw() {
  if (!m_pWndList || !m_pWndList->m_hWnd || m_Rect.IsRectEmpty()) return;
  m_pWndList->RedrawWindow(&m_Rect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  // A value-list row shows its sub items' values.
  if (m_pParent && m_pParent->m_bIsValueList) m_pParent->Redraw();
}

// --- drawing ---

void CMFCPropertyGridProperty::OnDrawName(CDC* pDC, CRect rect) {
  rect.DeflateRect(kTextMargin, 0);
  pDC->DrawText(m_strName, &rect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CMFCPropertyGridProperty::OnDrawValue(CDC* pDC, CRect rect) {
  rect.DeflateRect(kTextMargin, 0);
  pDC->DrawText(FormatProperty(), &rect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CMFCPropertyGridProperty::OnDrawExpandBox(CDC* pDC, CRect rectExpand) {
  CMFCVisualManager* manager = CMFCVisualManager::GetInstance();
  const COLORREF box = m_pWndList && m_pWndList->IsVSDotNetLook() ? manager->GetGridGroupTextColor()
                                                                   : ::GetSysColor(COLOR_BTNSHADOW);
  CRect square = rectExpand;
  square.DeflateRect(rectExpand.Width() / 4, rectExpand.Height() / 4);
  manager->OnDrawExpandingBox(pDC, square, m_bExpanded, box);
}

void CMFCPropertyGridProperty::OnDrawButton(CDC* pDC, CRect rectButton) {
  CMFCVisualManager* manager = CMFCVisualManager::GetInstance();
  const COLORREF ink = manager->OnDrawControlButton(pDC, rectButton, m_bButtonIsDown, FALSE, !m_bEnabled);
  if (m_bButtonIsDown) rectButton.OffsetRect(1, 1);
  if ((m_dwFlags & AFX_PROP_HAS_LIST) && !(m_dwFlags & AFX_PROP_HAS_BUTTON)) {
    manager->OnDrawMenuArrow(pDC, rectButton, !m_bEnabled);
    return;
  }
  // Three dots at the bottom third, as the ellipsis of a "..." button.
  const CPoint c = rectButton.CenterPoint();
  for (int i = -1; i <= 1; ++i) pDC->FillSolidRect(c.x + i * 3 - 1, c.y + 1, 2, 2, ink);
}

void CMFCPropertyGridProperty::OnDrawDescription(CDC* pDC, CRect rect) {
  CFont* old = m_pWndList ? pDC->SelectObject(m_pWndList->GetBoldFont()) : nullptr;
  TEXTMETRICW tm = {};
  pDC->GetTextMetrics(&tm);
  CRect nameRect(rect.left, rect.top, rect.right, rect.top + tm.tmHeight);
  pDC->DrawText(m_strName, &nameRect, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (old) pDC->SelectObject(old);
  CRect textRect(rect.left, nameRect.bottom + 2, rect.right, rect.bottom);
  pDC->DrawText(m_strDescr, &textRect, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
}

CString CMFCPropertyGridProperty::GetValueTooltip() {
  if (!m_pWndList || !m_pWndList->m_hWnd || m_Rect.IsRectEmpty()) return CString();
  const CString text = FormatProperty();
  CClientDC dc(m_pWndList);
  CFont* old = dc.SelectObject(m_pWndList->GetFont());
  const int width = dc.GetTextExtent(text).cx;
  dc.SelectObject(old);
  const int room = m_Rect.right - (m_Rect.left + m_pWndList->m_nLeftColumnWidth) - 2 * kTextMargin - m_rectButton.Width();
  return width > room ? text : CString();
}

CString CMFCPropertyGridProperty::GetNameTooltip() {
  if (!m_pWndList || !m_pWndList->m_hWnd || m_Rect.IsRectEmpty()) return CString();
  CClientDC dc(m_pWndList);
  CFont* old = dc.SelectObject(m_pWndList->GetFont());
  const int width = dc.GetTextExtent(m_strName).cx;
  dc.SelectObject(old);
  const int room = m_pWndList->m_nLeftColumnWidth - m_pWndList->GetNameIndent(this) - 2 * kTextMargin;
  return width > room ? m_strName : CString();
}

// --- in-place editing ---

void CMFCPropertyGridProperty::AdjustButtonRect() {
  if (!(m_dwFlags & (AFX_PROP_HAS_BUTTON | AFX_PROP_HAS_LIST)) || m_bGroup || m_Rect.IsRectEmpty()) {
    m_rectButton.SetRectEmpty();
    return;
  }
  const int side = m_Rect.Height() - 1;
  m_rectButton = CRect(m_Rect.right - side, m_Rect.top, m_Rect.right, m_Rect.top + side);
}

void CMFCPropertyGridProperty::AdjustInPlaceEditRect(CRect& rectEdit, CRect& rectSpin) {
  rectEdit = m_Rect;
  rectEdit.left += m_pWndList->m_nLeftColumnWidth + 1;
  rectEdit.bottom -= 1;  // the grid line under the row stays visible
  rectSpin.SetRectEmpty();
  if (!m_rectButton.IsRectEmpty() && !(m_dwFlags & AFX_PROP_HAS_LIST)) rectEdit.right = m_rectButton.left;
  if (m_dwFlags & AFX_PROP_HAS_SPIN) {
    rectSpin = rectEdit;
    rectSpin.left = rectSpin.right - (rectEdit.Height() * 3) / 4 - 2;
    rectEdit.right = rectSpin.left;
  }
  // The editor's text starts where the drawn value's does.
  if (!(m_dwFlags & AFX_PROP_HAS_LIST)) rectEdit.left += kTextMargin - 1;
}

CWnd* CMFCPropertyGridProperty::CreateInPlaceEdit(CRect rectEdit, BOOL& bDefaultFormat) {
  auto* edit = new FwGridInPlaceEdit(m_pWndList, m_strValidChars, !(m_dwFlags & AFX_PROP_HAS_SPIN));
  DWORD style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
  if (!m_bAllowEdit) style |= ES_READONLY;
  if (!edit->Create(style, rectEdit, m_pWndList, kFwGridEditorId)) {
    delete edit;
    return nullptr;
  }
  edit->m_bAutoDelete = TRUE;
  bDefaultFormat = TRUE;
  return edit;
}

CSpinButtonCtrl* CMFCPropertyGridProperty::CreateSpinControl(CRect rectSpin) {
  auto* spin = new FwGridInPlaceSpin;
  const DWORD style = WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS;
  if (!spin->Create(style, rectSpin, m_pWndList, kFwGridEditorId + 1)) {
    delete spin;
    return nullptr;
  }
  spin->m_bAutoDelete = TRUE;
  spin->SetRange32(m_nMinValue, m_nMaxValue);
  if (m_pWndInPlace) spin->SetBuddy(m_pWndInPlace);
  COleVariant number;
  if (ChangeType(m_varValue, VT_I4, number)) spin->SetPos32(number.lVal);
  // The buddy shows the row's own text, not the spin's rendering of it.
  if (m_pWndInPlace) m_pWndInPlace->SetWindowText(FormatProperty());
  return spin;
}

CComboBox* CMFCPropertyGridProperty::CreateCombo(CWnd* pWndParent, CRect rect) {
  auto* combo = new FwGridInPlaceCombo(m_pWndList, m_bAllowEdit);
  // The height given to a combo box is that of its dropped list as well.
  const int shown = GetOptionCount() < 1 ? 1 : (GetOptionCount() > 10 ? 10 : GetOptionCount());
  rect.bottom = rect.top + m_Rect.Height() * (shown + 1) + 4;
  DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL;
  style |= m_bAllowEdit ? (CBS_DROPDOWN | CBS_AUTOHSCROLL) : CBS_DROPDOWNLIST;
  if (!combo->Create(style, rect, pWndParent, kFwGridEditorId)) {
    delete combo;
    return nullptr;
  }
  combo->m_bAutoDelete = TRUE;
  if (m_bAllowEdit) {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    if (::GetComboBoxInfo(combo->m_hWnd, &info) && info.hwndItem) {
      auto* edit = new FwGridInPlaceEdit(m_pWndList, m_strValidChars, FALSE);
      if (edit->SubclassWindow(info.hwndItem)) edit->m_bAutoDelete = TRUE;
      else delete edit;
    }
  }
  return combo;
}

BOOL CMFCPropertyGridProperty::OnEdit(LPPOINT) {
  if (!m_pWndList || !m_pWndList->m_hWnd || !CanEdit() || m_bInPlaceEdit) return FALSE;
  const BOOL list = (m_dwFlags & AFX_PROP_HAS_LIST) != 0;
  if (!m_bAllowEdit && !list) return FALSE;  // nothing to type and nothing to choose
  CRect rectEdit, rectSpin;
  AdjustInPlaceEditRect(rectEdit, rectSpin);
  CFont* font = m_pWndList->GetFont();
  const CString text = FormatProperty();
  if (list) {
    m_pWndCombo = CreateCombo(m_pWndList, rectEdit);
    if (!m_pWndCombo) return FALSE;
    m_pWndCombo->SetFont(font, FALSE);
    for (POSITION pos = m_lstOptions.GetHeadPosition(); pos;) m_pWndCombo->AddString(m_lstOptions.GetNext(pos));
    const int current = m_pWndCombo->FindStringExact(-1, text);
    m_pWndCombo->SetCurSel(current);
    if (m_bAllowEdit) m_pWndCombo->SetWindowText(text);
    m_pWndInPlace = m_pWndCombo;
  } else {
    BOOL bDefaultFormat = TRUE;
    m_pWndInPlace = CreateInPlaceEdit(rectEdit, bDefaultFormat);
    if (!m_pWndInPlace) return FALSE;
    m_pWndInPlace->SetFont(font, FALSE);
    if (bDefaultFormat) m_pWndInPlace->SetWindowText(text);
    if (m_dwFlags & AFX_PROP_HAS_SPIN) m_pWndSpin = CreateSpinControl(rectSpin);
  }
  m_bInPlaceEdit = TRUE;
  return TRUE;
}

CString CMFCPropertyGridProperty::GetInPlaceText() const {
  CString text;
  if (!m_pWndInPlace) return text;
  // A list without typing: the chosen item, which the closed list's own text may not show yet.
  if (m_pWndCombo && m_pWndInPlace == m_pWndCombo && !m_bAllowEdit) {
    const int chosen = m_pWndCombo->GetCurSel();
    if (chosen >= 0) m_pWndCombo->GetLBText(chosen, text);
    return text;
  }
  m_pWndInPlace->GetWindowText(text);
  return text;
}

BOOL CMFCPropertyGridProperty::OnUpdateValue() {
  if (!m_pWndInPlace) return FALSE;
  return TextToVar(GetInPlaceText());
}

BOOL CMFCPropertyGridProperty::OnEndEdit() {
  m_bInPlaceEdit = FALSE;
  // Destroying the editors deletes them (they delete themselves).
  if (m_pWndSpin) {
    m_pWndSpin->DestroyWindow();
    m_pWndSpin = nullptr;
  }
  if (m_pWndInPlace) {
    CWnd* editor = m_pWndInPlace;
    m_pWndInPlace = nullptr;
    m_pWndCombo = nullptr;
    editor->DestroyWindow();
  }
  return TRUE;
}

void CMFCPropertyGridProperty::OnSelectCombo() {
  if (!m_pWndCombo || !m_bAllowEdit) return;
  const int chosen = m_pWndCombo->GetCurSel();
  if (chosen < 0) return;
  CString text;
  m_pWndCombo->GetLBText(chosen, text);
  m_pWndCombo->SetWindowText(text);
}

void CMFCPropertyGridProperty::OnClickButton(CPoint) {
  if (!(m_dwFlags & AFX_PROP_HAS_LIST) || !m_pWndList) return;
  if (!m_bInPlaceEdit && !m_pWndList->EditItem(this)) return;
  if (m_pWndCombo) {
    m_pWndCombo->SetFocus();
    m_pWndCombo->ShowDropDown(TRUE);
  }
}

BOOL CMFCPropertyGridProperty::OnDblClk(CPoint) {
  if (!(m_dwFlags & AFX_PROP_HAS_LIST) || m_bAllowEdit || !CanEdit() || m_lstOptions.IsEmpty()) return FALSE;
  // The option after the current one, round to the first.
  POSITION pos = m_lstOptions.Find(FormatProperty());
  if (pos) m_lstOptions.GetNext(pos);
  if (!pos) pos = m_lstOptions.GetHeadPosition();
  if (!TextToVar(m_lstOptions.GetAt(pos))) return FALSE;
  Redraw();
  return TRUE;
}

BOOL CMFCPropertyGridProperty::PushChar(UINT nChar) {
  if (!CanEdit() || !m_bAllowEdit || !m_pWndList) return FALSE;
  if (!m_bInPlaceEdit && !m_pWndList->EditItem(this)) return FALSE;
  HWND target = m_pWndInPlace ? m_pWndInPlace->m_hWnd : nullptr;
  if (m_pWndCombo) {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    if (::GetComboBoxInfo(m_pWndCombo->m_hWnd, &info)) target = info.hwndItem;
  }
  if (!target) return FALSE;
  // The typed character replaces the whole value.
  ::SetWindowTextW(target, L"");
  ::SetFocus(target);
  ::SendMessageW(target, WM_CHAR, nChar, 1);
  return TRUE;
}

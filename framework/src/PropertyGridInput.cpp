// The property grid's mouse and keyboard, and the in-place editors' keys and focus.
#include "PropertyGridInternal.h"
#include "fw/Dc.h"

// --- mouse ---

void CMFCPropertyGridCtrl::OnLButtonDown(UINT, CPoint point) {
  HideToolTip();
  if (IsOnSplitter(point)) {
    EndEditItem(TRUE);
    SetFocus();
    m_bTracking = TRUE;
    SetCapture();
    return;
  }
  CMFCPropertyGridProperty::ClickArea area = CMFCPropertyGridProperty::ClickName;
  CMFCPropertyGridProperty* pProp = HitTest(point, &area, TRUE);
  if (m_pEdited && m_pEdited != pProp) {
    EndEditItem(TRUE);
    pProp = HitTest(point, &area, TRUE);  // the owner's handler of the edit may have changed the rows
  }
  const HWND focus = ::GetFocus();
  if (focus != m_hWnd && !::IsChild(m_hWnd, focus)) SetFocus();
  if (!pProp) return;
  Select(pProp, TRUE);
  switch (area) {
    case CMFCPropertyGridProperty::ClickExpandBox:
      Toggle(pProp);
      break;
    case CMFCPropertyGridProperty::ClickValue:
      if (!pProp->m_rectButton.IsRectEmpty() && pProp->m_rectButton.PtInRect(point)) {
        if (pProp->IsEnabled()) ClickButton(pProp, point);
      } else if (!pProp->m_bInPlaceEdit) {
        EditItem(pProp, &point);
      }
      break;
    default:
      break;
  }
}

void CMFCPropertyGridCtrl::OnLButtonUp(UINT, CPoint) {
  if (m_bTracking) ::ReleaseCapture();
}

void CMFCPropertyGridCtrl::OnLButtonDblClk(UINT, CPoint point) {
  CMFCPropertyGridProperty::ClickArea area = CMFCPropertyGridProperty::ClickName;
  CMFCPropertyGridProperty* pProp = HitTest(point, &area, TRUE);
  if (!pProp) return;
  if (area == CMFCPropertyGridProperty::ClickName) {
    Toggle(pProp);
    return;
  }
  if (area != CMFCPropertyGridProperty::ClickValue) return;
  // A row that only offers a choice steps to its next option.
  if (pProp->m_bInPlaceEdit && pProp->m_pWndCombo && !pProp->IsAllowEdit()) EndEditItem(FALSE);
  if (pProp->m_bInPlaceEdit) return;
  const COleVariant before(pProp->GetValue());
  if (pProp->OnDblClk(point) && Contains(pProp) && !FwSameVariant(pProp->GetValue(), before)) OnPropertyChanged(pProp);
}

void CMFCPropertyGridCtrl::OnRButtonDown(UINT nFlags, CPoint point) {
  // A right click selects the row under it, as a left click does, without editing.
  if (CMFCPropertyGridProperty* pProp = HitTest(point, nullptr, TRUE)) {
    SetFocus();
    Select(pProp, TRUE);
  }
  CWnd::OnRButtonDown(nFlags, point);
}

void CMFCPropertyGridCtrl::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_bTracking) {
    SetLeftColumnWidth(point.x - m_rectList.left);
    UpdateWindow();
    return;
  }
  UpdateToolTip(point);
  CWnd::OnMouseMove(nFlags, point);
}

void CMFCPropertyGridCtrl::OnMouseLeave() {
  m_bTrackingLeave = FALSE;
  HideToolTip();
}

void CMFCPropertyGridCtrl::UpdateToolTip(CPoint point) {
  if (!m_wndTip.m_hWnd) return;
  CMFCPropertyGridProperty::ClickArea area = CMFCPropertyGridProperty::ClickName;
  CMFCPropertyGridProperty* pProp = HitTest(point, &area, TRUE);
  const BOOL onValue = area == CMFCPropertyGridProperty::ClickValue;
  // The row under edit shows its whole text in its editor.
  if (!pProp || pProp->m_bInPlaceEdit || area == CMFCPropertyGridProperty::ClickExpandBox) {
    HideToolTip();
    return;
  }
  if (pProp == m_pTipRow && onValue == m_bTipOnValue) return;
  const CString text = onValue ? pProp->GetValueTooltip() : pProp->GetNameTooltip();
  if (text.IsEmpty()) {
    HideToolTip();
    return;
  }
  TTTOOLINFOW tool = {};
  tool.cbSize = sizeof(tool);
  tool.hwnd = m_hWnd;
  tool.uId = 1;
  tool.lpszText = const_cast<LPWSTR>(text.GetString());
  m_wndTip.SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  // Over the cell, so that the whole text reads where the cut one was.
  CPoint at(onValue ? pProp->m_Rect.left + m_nLeftColumnWidth : pProp->m_Rect.left + GetNameIndent(pProp),
            pProp->m_Rect.top);
  ClientToScreen(&at);
  m_wndTip.SendMessage(TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
  m_wndTip.SendMessage(TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  m_pTipRow = pProp;
  m_bTipOnValue = onValue;
  if (!m_bTrackingLeave) {
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
    m_bTrackingLeave = ::TrackMouseEvent(&track);
  }
}

void CMFCPropertyGridCtrl::HideToolTip() {
  if (!m_pTipRow) return;
  m_pTipRow = nullptr;
  if (!m_wndTip.m_hWnd) return;
  TTTOOLINFOW tool = {};
  tool.cbSize = sizeof(tool);
  tool.hwnd = m_hWnd;
  tool.uId = 1;
  m_wndTip.SendMessage(TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

LRESULT CMFCPropertyGridCtrl::OnCaptureChanged(WPARAM, LPARAM) {
  m_bTracking = FALSE;
  return 0;
}

BOOL CMFCPropertyGridCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT) {
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    if (m_bTracking || IsOnSplitter(point)) {
      ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
      return TRUE;
    }
  }
  return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

BOOL CMFCPropertyGridCtrl::OnMouseWheel(UINT, short zDelta, CPoint) {
  const int notches = zDelta / WHEEL_DELTA;
  if (notches != 0) ScrollToRow(m_nFirstRow - notches * 3);
  return TRUE;
}

void CMFCPropertyGridCtrl::OnVScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar) {
  // Spin buttons report their moves to their parent the same way: only the grid's own bar scrolls.
  if (pScrollBar) return;
  const int page = m_nRowsPerPage > 1 ? m_nRowsPerPage - 1 : 1;
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = SIF_TRACKPOS;
  GetScrollInfo(SB_VERT, &si, SIF_TRACKPOS);
  switch (nSBCode) {
    case SB_LINEUP: ScrollToRow(m_nFirstRow - 1); break;
    case SB_LINEDOWN: ScrollToRow(m_nFirstRow + 1); break;
    case SB_PAGEUP: ScrollToRow(m_nFirstRow - page); break;
    case SB_PAGEDOWN: ScrollToRow(m_nFirstRow + page); break;
    case SB_TOP: ScrollToRow(0); break;
    case SB_BOTTOM: ScrollToRow(static_cast<int>(m_rows.GetSize())); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollToRow(si.nTrackPos); break;
    default: break;
  }
}

// --- keyboard ---

LRESULT CMFCPropertyGridCtrl::OnGetDlgCode(WPARAM, LPARAM lParam) {
  LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  // In a dialog, Enter opens or edits the selected row rather than pressing the default button.
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && m_pSel) code |= DLGC_WANTMESSAGE;
  return code;
}

void CMFCPropertyGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  HideToolTip();
  CMFCPropertyGridProperty* target = nullptr;
  const int page = m_nRowsPerPage > 1 ? m_nRowsPerPage - 1 : 1;
  switch (nChar) {
    case VK_UP:
    case VK_DOWN:
      target = m_pSel ? GetNeighbour(m_pSel, nChar == VK_UP ? -1 : 1, FALSE) : (m_rows.GetSize() ? m_rows[0] : nullptr);
      break;
    case VK_PRIOR:
    case VK_NEXT: {
      INT_PTR at = 0;
      for (INT_PTR i = 0; i < m_rows.GetSize(); ++i) {
        if (m_rows[i] == m_pSel) at = i;
      }
      at += nChar == VK_PRIOR ? -page : page;
      if (at < 0) at = 0;
      if (at >= m_rows.GetSize()) at = m_rows.GetSize() - 1;
      if (at >= 0) target = m_rows[at];
      break;
    }
    case VK_HOME:
      if (m_rows.GetSize()) target = m_rows[0];
      break;
    case VK_END:
      if (m_rows.GetSize()) target = m_rows[m_rows.GetSize() - 1];
      break;
    case VK_LEFT:
      if (!m_pSel) return;
      if (m_pSel->GetSubItemsCount() > 0 && m_pSel->IsExpanded()) Toggle(m_pSel);
      else if (m_pSel->GetParent() && !m_bAlphabeticMode) target = m_pSel->GetParent();
      break;
    case VK_RIGHT:
      if (m_pSel && m_pSel->GetSubItemsCount() > 0 && !m_pSel->IsExpanded()) Toggle(m_pSel);
      return;
    case VK_ADD:
    case VK_SUBTRACT:
      if (m_pSel && m_pSel->GetSubItemsCount() > 0 && m_pSel->IsExpanded() != (nChar == VK_ADD)) Toggle(m_pSel);
      return;
    case VK_RETURN:
      if (!m_pSel) return;
      if (FwIsBand(m_pSel)) Toggle(m_pSel);
      else EditItem(m_pSel);
      return;
    case VK_F2:
      if (m_pSel) EditItem(m_pSel);
      return;
    case VK_F4:
      if (m_pSel && (m_pSel->m_dwFlags & AFX_PROP_HAS_LIST) && m_pSel->IsEnabled()) ClickButton(m_pSel, m_pSel->m_rectButton.CenterPoint());
      return;
    default:
      CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
      return;
  }
  if (target) {
    Select(target, TRUE);
    EnsureVisible(target);
  }
}

void CMFCPropertyGridCtrl::OnChar(UINT nChar, UINT, UINT) {
  if (!m_pSel || nChar < 32) return;
  // Over a row with sub items + and - open and close it; everywhere else they are typed.
  if (m_pSel->GetSubItemsCount() > 0 && (nChar == L'+' || nChar == L'-')) {
    if (m_pSel->IsExpanded() != (nChar == L'+')) Toggle(m_pSel);
    return;
  }
  if (!m_pSel->IsInPlaceEditing()) m_pSel->PushChar(nChar);
}

void CMFCPropertyGridCtrl::OnSetFocus(CWnd* pOldWnd) {
  CWnd::OnSetFocus(pOldWnd);
  InvalidateRow(m_pSel);
}

void CMFCPropertyGridCtrl::OnKillFocus(CWnd* pNewWnd) {
  CWnd::OnKillFocus(pNewWnd);
  InvalidateRow(m_pSel);
}

// --- the in-place editors ---

BEGIN_MESSAGE_MAP(FwGridInPlaceEdit, CEdit)
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_KILLFOCUS()
ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
END_MESSAGE_MAP()

void FwGridInPlaceEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  CMFCPropertyGridCtrl* grid = m_pGrid;
  // In an editable combo box an open list takes Enter and Esc itself: the list closes first.
  CWnd* combo = GetParent();
  const bool inCombo = combo && combo->m_hWnd != grid->m_hWnd;
  if (inCombo && (nChar == VK_RETURN || nChar == VK_ESCAPE) && combo->SendMessage(CB_GETDROPPEDSTATE)) {
    combo->SendMessage(CB_SHOWDROPDOWN, FALSE);
    if (nChar == VK_ESCAPE) return;
  }
  const bool ends = nChar == VK_RETURN || nChar == VK_ESCAPE || nChar == VK_TAB;
  const bool moves = m_bArrowsMoveRows && (nChar == VK_UP || nChar == VK_DOWN);
  // This object may be gone once the grid has taken the key: touch nothing after it.
  if ((ends || moves) && PassKey(nChar)) return;
  CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void FwGridInPlaceEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == L'\r' || nChar == L'\t' || nChar == 0x1B) return;  // their keys were handled
  if (nChar >= 32 && !m_strValidChars.IsEmpty() && m_strValidChars.Find(static_cast<wchar_t>(nChar)) < 0) {
    ::MessageBeep(MB_OK);
    return;
  }
  CEdit::OnChar(nChar, nRepCnt, nFlags);
}

BEGIN_MESSAGE_MAP(FwGridInPlaceCombo, CComboBox)
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_KILLFOCUS()
ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
END_MESSAGE_MAP()

void FwGridInPlaceCombo::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  const bool dropped = SendMessage(CB_GETDROPPEDSTATE) != 0;
  if (!dropped && (nChar == VK_RETURN || nChar == VK_ESCAPE || nChar == VK_TAB) && PassKey(nChar)) return;
  CComboBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

void FwGridInPlaceCombo::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  // A list that offers only a choice takes no typing, not even to find an item by its first letter.
  if (!m_bTyping) return;
  CComboBox::OnChar(nChar, nRepCnt, nFlags);
}


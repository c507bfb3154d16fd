// The combo-box and edit-box buttons: a control made on the bar, kept in step with the values the
// button holds, and its notifications turned into the button's command.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "BarInternal.h"
#include "fw/Dc.h"
#include "fw/VisualManager.h"

IMPLEMENT_SERIAL(CMFCToolBarComboBoxButton, CMFCToolBarButton, 1)
IMPLEMENT_SERIAL(CMFCToolBarEditBoxButton, CMFCToolBarButton, 1)

namespace {

const int kDefaultComboWidth = 150;
const int kDefaultEditWidth = 150;
// The drop-down list of a combo box is part of its window's height.
const int kDropDownHeight = 200;
const UINT_PTR kReturnSubclassId = 0x46574252;  // "FWBR"

BOOL g_flatEditBoxes = FALSE;

struct ReturnTarget {
  HWND notifier;
  UINT code;
};

// Enter in a tool-bar control: the bar hears of it as a notification of the control; the
// character itself would only beep.
LRESULT CALLBACK ReturnKeyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  ReturnTarget* target = reinterpret_cast<ReturnTarget*>(data);
  if (message == WM_KEYDOWN && wParam == VK_RETURN && target) {
    const HWND notifier = target->notifier;
    const HWND bar = ::GetParent(notifier);
    const int id = ::GetDlgCtrlID(notifier);
    if (bar) ::SendMessageW(bar, WM_COMMAND, MAKEWPARAM(id, target->code), reinterpret_cast<LPARAM>(notifier));
    return 0;
  }
  if (message == WM_CHAR && wParam == VK_RETURN) return 0;
  if (message == WM_GETDLGCODE) return ::DefSubclassProc(hwnd, message, wParam, lParam) | DLGC_WANTALLKEYS;
  if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(hwnd, ReturnKeyProc, kReturnSubclassId);
    delete target;
  }
  return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

// The embedded control of a button: made on its bar, moved, shown, enabled and destroyed with it.
template <class Control>
void DestroyControl(Control*& control) {
  if (!control) return;
  if (control->m_hWnd) control->DestroyWindow();
  delete control;
  control = nullptr;
}

bool LivesOn(CWnd* control, CWnd* parent) {
  return control && parent && control->m_hWnd && ::GetParent(control->m_hWnd) == parent->m_hWnd;
}

void ShowControl(CWnd* control, BOOL show) {
  if (control && control->m_hWnd) control->ShowWindow(show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void EnableControl(CWnd* control, BOOL enable) {
  if (control && control->m_hWnd && (control->IsWindowEnabled() != 0) != (enable != 0)) control->EnableWindow(enable);
}

// A combo's window includes its list; the bar's row holds the closed box, centred.
void PlaceCombo(CComboBox* combo, const CRect& rect, BOOL show) {
  if (!combo || !combo->m_hWnd) return;
  const int item = static_cast<int>(combo->SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  const int height = item > 0 ? item + 6 : rect.Height() - 2;
  const int y = rect.top + std::max(0, (rect.Height() - height) / 2);
  combo->SetWindowPos(nullptr, rect.left, y, rect.Width(), height + kDropDownHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowControl(combo, show);
}

}  // namespace

namespace fw_bars {

void PostCommand(CWnd* bar, UINT id) {
  if (!bar || !bar->IsKindOf(RUNTIME_CLASS(CMFCToolBar))) return;
  CFrameWnd* target = static_cast<CMFCToolBar*>(bar)->GetCommandTarget();
  if (target && target->m_hWnd) target->PostMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void WatchReturnKey(HWND control, HWND notifier, UINT code) {
  if (!control) return;
  ::SetWindowSubclass(control, ReturnKeyProc, kReturnSubclassId,
                      reinterpret_cast<DWORD_PTR>(new ReturnTarget{notifier, code}));
}

}  // namespace fw_bars

// ---- Combo box ----

CMFCToolBarComboBoxButton::CMFCToolBarComboBoxButton() : CMFCToolBarComboBoxButton(0, -1) {}

CMFCToolBarComboBoxButton::CMFCToolBarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CMFCToolBarButton(uiID, iImage),
      m_dwStyle(dwStyle | WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP),
      m_iWidth(iWidth > 0 ? iWidth : kDefaultComboWidth) {
  m_nStyle = TBBS_BUTTON;
}

CMFCToolBarComboBoxButton::~CMFCToolBarComboBoxButton() { DestroyCombo(); }

void CMFCToolBarComboBoxButton::DestroyCombo() { DestroyControl(m_pWndCombo); }

INT_PTR CMFCToolBarComboBoxButton::AddItem(LPCTSTR lpszItem, DWORD_PTR dwData) {
  if (!lpszItem) return -1;
  m_lstItems.AddTail(lpszItem);
  m_lstItemData.AddTail(dwData);
  const INT_PTR index = m_lstItems.GetCount() - 1;
  if (m_pWndCombo && m_pWndCombo->m_hWnd) {
    const int at = m_pWndCombo->AddString(lpszItem);
    m_pWndCombo->SetItemData(at, dwData);
  }
  return index;
}

LPCTSTR CMFCToolBarComboBoxButton::GetItem(int iIndex) const {
  if (iIndex == -1) iIndex = m_iSelIndex;
  POSITION pos = m_lstItems.FindIndex(iIndex);
  return pos ? static_cast<LPCTSTR>(m_lstItems.GetAt(pos)) : nullptr;
}

DWORD_PTR CMFCToolBarComboBoxButton::GetItemData(int iIndex) const {
  if (iIndex == -1) iIndex = m_iSelIndex;
  POSITION pos = m_lstItemData.FindIndex(iIndex);
  return pos ? m_lstItemData.GetAt(pos) : 0;
}

BOOL CMFCToolBarComboBoxButton::DeleteItem(int iIndex) {
  POSITION pos = m_lstItems.FindIndex(iIndex);
  if (!pos) return FALSE;
  m_lstItems.RemoveAt(pos);
  m_lstItemData.RemoveAt(m_lstItemData.FindIndex(iIndex));
  if (m_pWndCombo && m_pWndCombo->m_hWnd) m_pWndCombo->DeleteString(static_cast<UINT>(iIndex));
  if (m_iSelIndex == iIndex)
    m_iSelIndex = -1;
  else if (m_iSelIndex > iIndex)
    --m_iSelIndex;
  return TRUE;
}

void CMFCToolBarComboBoxButton::RemoveAllItems() {
  m_lstItems.RemoveAll();
  m_lstItemData.RemoveAll();
  m_iSelIndex = -1;
  m_strEdit.Empty();
  if (m_pWndCombo && m_pWndCombo->m_hWnd) m_pWndCombo->ResetContent();
}

BOOL CMFCToolBarComboBoxButton::SelectItem(int iIndex, BOOL bNotify) {
  if (iIndex < 0 || iIndex >= GetCount()) return FALSE;
  m_iSelIndex = iIndex;
  m_strEdit = GetItem(iIndex);
  if (m_pWndCombo && m_pWndCombo->m_hWnd) m_pWndCombo->SetCurSel(iIndex);
  if (bNotify && NotifyCommand(CBN_SELENDOK)) fw_bars::PostCommand(m_pWndParent, m_nID);
  return TRUE;
}

BOOL CMFCToolBarComboBoxButton::SelectItem(LPCTSTR lpszText) {
  if (!lpszText) return FALSE;
  int index = 0;
  for (POSITION pos = m_lstItems.GetHeadPosition(); pos; ++index) {
    if (m_lstItems.GetNext(pos) == lpszText) return SelectItem(index, FALSE);
  }
  return FALSE;
}

BOOL CMFCToolBarComboBoxButton::SelectItemByData(DWORD_PTR dwData) {
  int index = 0;
  for (POSITION pos = m_lstItemData.GetHeadPosition(); pos; ++index) {
    if (m_lstItemData.GetNext(pos) == dwData) return SelectItem(index, FALSE);
  }
  return FALSE;
}

LPCTSTR CMFCToolBarComboBoxButton::GetText() const {
  // The control's text is the truth while it exists: the user may be typing.
  if (m_pWndCombo && m_pWndCombo->m_hWnd) m_pWndCombo->GetWindowText(m_strEdit);
  return m_strEdit;
}

void CMFCToolBarComboBoxButton::SetText(LPCTSTR lpszText) {
  m_strEdit = lpszText ? lpszText : L"";
  m_iSelIndex = -1;
  int index = 0;
  for (POSITION pos = m_lstItems.GetHeadPosition(); pos; ++index) {
    if (m_lstItems.GetNext(pos) == m_strEdit) {
      m_iSelIndex = index;
      break;
    }
  }
  if (!m_pWndCombo || !m_pWndCombo->m_hWnd) return;
  m_pWndCombo->SetCurSel(m_iSelIndex);
  // A pick-only box shows no text of its own; an editable one shows what it is given.
  if ((m_dwStyle & 0x3) == CBS_DROPDOWN) m_pWndCombo->SetWindowText(m_strEdit);
}

void CMFCToolBarComboBoxButton::SetWidth(int iWidth) {
  m_iWidth = iWidth > 0 ? iWidth : kDefaultComboWidth;
}

CComboBox* CMFCToolBarComboBoxButton::CreateCombo(CWnd* pWndParent, const CRect& rect) {
  CComboBox* combo = new CComboBox;
  if (!combo->Create(m_dwStyle, rect, pWndParent, m_nID)) {
    delete combo;
    return nullptr;
  }
  return combo;
}

void CMFCToolBarComboBoxButton::SyncControl() {
  CComboBox* combo = m_pWndCombo;
  combo->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  combo->ResetContent();
  POSITION data = m_lstItemData.GetHeadPosition();
  for (POSITION pos = m_lstItems.GetHeadPosition(); pos;) {
    const int at = combo->AddString(m_lstItems.GetNext(pos));
    combo->SetItemData(at, data ? m_lstItemData.GetNext(data) : 0);
  }
  combo->SetCurSel(m_iSelIndex);
  if (m_iSelIndex < 0 && !m_strEdit.IsEmpty()) combo->SetWindowText(m_strEdit);
  combo->EnableWindow(!(m_nStyle & TBBS_DISABLED));
  // The edit field of an editable combo: Enter is a pick of what was typed.
  COMBOBOXINFO info = {sizeof(info)};
  if (::GetComboBoxInfo(combo->m_hWnd, &info) && info.hwndItem && info.hwndItem != combo->m_hWnd)
    fw_bars::WatchReturnKey(info.hwndItem, combo->m_hWnd, CBN_SELENDOK);
}

void CMFCToolBarComboBoxButton::OnChangeParentWnd(CWnd* pWndParent) {
  CMFCToolBarButton::OnChangeParentWnd(pWndParent);
  if (LivesOn(m_pWndCombo, pWndParent)) return;
  DestroyCombo();
  if (!pWndParent || !pWndParent->m_hWnd) return;
  CRect rect = m_rect;
  if (rect.IsRectEmpty()) rect.SetRect(0, 0, m_iWidth, 22);
  rect.right = rect.left + m_iWidth;
  rect.bottom = rect.top + kDropDownHeight;
  m_pWndCombo = CreateCombo(pWndParent, rect);
  if (!m_pWndCombo) return;
  SyncControl();
}

void CMFCToolBarComboBoxButton::CopyFrom(const CMFCToolBarButton& src) {
  CMFCToolBarButton::CopyFrom(src);
  if (!src.IsKindOf(RUNTIME_CLASS(CMFCToolBarComboBoxButton))) return;
  const CMFCToolBarComboBoxButton& combo = static_cast<const CMFCToolBarComboBoxButton&>(src);
  m_dwStyle = combo.m_dwStyle;
  m_iWidth = combo.m_iWidth;
  m_lstItems.RemoveAll();
  m_lstItems.AddTail(&combo.m_lstItems);
  m_lstItemData.RemoveAll();
  m_lstItemData.AddTail(&combo.m_lstItemData);
  m_iSelIndex = combo.m_iSelIndex;
  m_strEdit = combo.GetText();
}

void CMFCToolBarComboBoxButton::Serialize(CArchive& ar) {
  CMFCToolBarButton::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_dwStyle << m_iWidth << static_cast<UINT>(m_lstItems.GetCount());
    POSITION data = m_lstItemData.GetHeadPosition();
    for (POSITION pos = m_lstItems.GetHeadPosition(); pos;) {
      FwWriteArchiveString(ar, m_lstItems.GetNext(pos));
      ar << static_cast<ULONGLONG>(m_lstItemData.GetNext(data));
    }
    ar << m_iSelIndex;
    FwWriteArchiveString(ar, GetText());
    return;
  }
  UINT count = 0;
  ar >> m_dwStyle >> m_iWidth >> count;
  if (count > 4096 || m_iWidth <= 0 || m_iWidth > 4096) AfxThrowArchiveException(CArchiveException::badIndex);
  RemoveAllItems();
  for (UINT i = 0; i < count; ++i) {
    const CString item = FwReadArchiveString(ar);
    ULONGLONG data = 0;
    ar >> data;
    AddItem(item, static_cast<DWORD_PTR>(data));
  }
  ar >> m_iSelIndex;
  if (m_iSelIndex < -1 || m_iSelIndex >= static_cast<int>(count)) m_iSelIndex = -1;
  m_strEdit = FwReadArchiveString(ar);
}

SIZE CMFCToolBarComboBoxButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
  m_bHorz = bHorz;
  if (!bHorz) {
    // Along a vertical side only the image stays; without one the button takes no room.
    if (m_iImage >= 0) return CMFCToolBarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    return CSize(0, 0);
  }
  int height = sizeDefault.cy;
  if (m_pWndCombo && m_pWndCombo->m_hWnd) {
    const int item = static_cast<int>(m_pWndCombo->SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    height = std::max(height, item + 8);
  }
  return CSize(m_iWidth, height);
}

void CMFCToolBarComboBoxButton::OnDraw(CDC* pDC, const CRect& rect, CMFCToolBarImages* pImages, BOOL bHorz,
                                       BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                       BOOL bGrayDisabledButtons) {
  // Horizontal: the control draws itself. Vertical: the button's image.
  if (!bHorz) CMFCToolBarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                        bGrayDisabledButtons);
}

BOOL CMFCToolBarComboBoxButton::OnClick(CWnd*, BOOL) {
  // The control takes its own clicks; a click on the vertical stand-in drops nothing.
  return m_bHorz;
}

BOOL CMFCToolBarComboBoxButton::NotifyCommand(int iNotifyCode) {
  CComboBox* combo = m_pWndCombo && m_pWndCombo->m_hWnd ? m_pWndCombo : nullptr;
  switch (iNotifyCode) {
    case CBN_SELCHANGE:
    case CBN_SELENDOK: {
      if (!combo) return iNotifyCode == CBN_SELENDOK;
      int sel = combo->GetCurSel();
      CString text;
      combo->GetWindowText(text);
      const BOOL editable = (m_dwStyle & 0x3) == CBS_DROPDOWN;
      if (editable && iNotifyCode == CBN_SELENDOK) {
        // What the edit field shows is what the user chose: an item, or a value of their own.
        CString item;
        if (sel >= 0) combo->GetLBText(sel, item);
        if (sel < 0 || item != text) sel = combo->FindStringExact(-1, text);
      }
      m_iSelIndex = sel;
      if (sel >= 0) {
        combo->GetLBText(sel, m_strEdit);
      } else {
        m_strEdit = text;
      }
      if (iNotifyCode != CBN_SELENDOK) return FALSE;
      // Other boxes of the same command follow the choice.
      CObList same;
      CMFCToolBar::GetCommandButtons(m_nID, same);
      for (POSITION pos = same.GetHeadPosition(); pos;) {
        CObject* other = same.GetNext(pos);
        if (other == this || !other->IsKindOf(RUNTIME_CLASS(CMFCToolBarComboBoxButton))) continue;
        CMFCToolBarComboBoxButton* twin = static_cast<CMFCToolBarComboBoxButton*>(other);
        if (m_iSelIndex >= 0)
          twin->SelectItem(m_iSelIndex, FALSE);
        else
          twin->SetText(m_strEdit);
      }
      return TRUE;
    }
    case CBN_EDITCHANGE:
      if (combo) combo->GetWindowText(m_strEdit);
      m_iSelIndex = -1;
      return FALSE;
    default:
      return FALSE;
  }
}

void CMFCToolBarComboBoxButton::OnMove() {
  PlaceCombo(m_pWndCombo, m_rect, m_bVisible && m_bHorz && !m_rect.IsRectEmpty());
}

void CMFCToolBarComboBoxButton::OnSize(int iSize) {
  m_iWidth = iSize > 0 ? iSize : m_iWidth;
  OnMove();
}

void CMFCToolBarComboBoxButton::OnShow(BOOL bShow) { ShowControl(m_pWndCombo, bShow && m_bHorz); }

void CMFCToolBarComboBoxButton::EnableWindow(BOOL bEnable) {
  CMFCToolBarButton::EnableWindow(bEnable);
  EnableControl(m_pWndCombo, bEnable);
}

// ---- Edit box ----

CMFCToolBarEditBoxButton::CMFCToolBarEditBoxButton() : CMFCToolBarEditBoxButton(0, -1) {}

CMFCToolBarEditBoxButton::CMFCToolBarEditBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CMFCToolBarButton(uiID, iImage),
      m_dwStyle(dwStyle | WS_CHILD | WS_VISIBLE | WS_TABSTOP),
      m_iWidth(iWidth > 0 ? iWidth : kDefaultEditWidth) {
  m_nStyle = TBBS_BUTTON;
}

CMFCToolBarEditBoxButton::~CMFCToolBarEditBoxButton() { DestroyEdit(); }

void CMFCToolBarEditBoxButton::DestroyEdit() { DestroyControl(m_pWndEdit); }

void CMFCToolBarEditBoxButton::SetFlatMode(BOOL bFlat) { g_flatEditBoxes = bFlat; }
BOOL CMFCToolBarEditBoxButton::IsFlatMode() { return g_flatEditBoxes; }

CEdit* CMFCToolBarEditBoxButton::CreateEdit(CWnd* pWndParent, const CRect& rect) {
  CEdit* edit = new CEdit;
  if (!edit->Create(m_dwStyle, rect, pWndParent, m_nID)) {
    delete edit;
    return nullptr;
  }
  return edit;
}

void CMFCToolBarEditBoxButton::SetContents(const CString& sContents) {
  m_strContents = sContents;
  if (m_pWndEdit && m_pWndEdit->m_hWnd) m_pWndEdit->SetWindowText(sContents);
}

const CString& CMFCToolBarEditBoxButton::GetContents() const {
  if (m_pWndEdit && m_pWndEdit->m_hWnd) m_pWndEdit->GetWindowText(m_strContents);
  return m_strContents;
}

void CMFCToolBarEditBoxButton::OnChangeParentWnd(CWnd* pWndParent) {
  CMFCToolBarButton::OnChangeParentWnd(pWndParent);
  if (LivesOn(m_pWndEdit, pWndParent)) return;
  DestroyEdit();
  if (!pWndParent || !pWndParent->m_hWnd) return;
  CRect rect = m_rect;
  if (rect.IsRectEmpty()) rect.SetRect(0, 0, m_iWidth, 20);
  rect.right = rect.left + m_iWidth;
  m_pWndEdit = CreateEdit(pWndParent, rect);
  if (!m_pWndEdit) return;
  // Flat boxes get the bar's thin frame instead of the sunken edge.
  if (g_flatEditBoxes)
    m_pWndEdit->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
  else
    m_pWndEdit->ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
  m_pWndEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  m_pWndEdit->SetWindowText(m_strContents);
  m_pWndEdit->EnableWindow(!(m_nStyle & TBBS_DISABLED));
  fw_bars::WatchReturnKey(m_pWndEdit->m_hWnd, m_pWndEdit->m_hWnd, AFX_EN_RETURN);
}

void CMFCToolBarEditBoxButton::CopyFrom(const CMFCToolBarButton& src) {
  CMFCToolBarButton::CopyFrom(src);
  if (!src.IsKindOf(RUNTIME_CLASS(CMFCToolBarEditBoxButton))) return;
  const CMFCToolBarEditBoxButton& edit = static_cast<const CMFCToolBarEditBoxButton&>(src);
  m_dwStyle = edit.m_dwStyle;
  m_iWidth = edit.m_iWidth;
  m_strContents = edit.GetContents();
}

void CMFCToolBarEditBoxButton::Serialize(CArchive& ar) {
  CMFCToolBarButton::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_dwStyle << m_iWidth;
    FwWriteArchiveString(ar, GetContents());
    return;
  }
  ar >> m_dwStyle >> m_iWidth;
  if (m_iWidth <= 0 || m_iWidth > 4096) AfxThrowArchiveException(CArchiveException::badIndex);
  m_strContents = FwReadArchiveString(ar);
}

SIZE CMFCToolBarEditBoxButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
  m_bHorz = bHorz;
  if (!bHorz) {
    if (m_iImage >= 0) return CMFCToolBarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    return CSize(0, 0);
  }
  return CSize(m_iWidth, sizeDefault.cy);
}

void CMFCToolBarEditBoxButton::OnDraw(CDC* pDC, const CRect& rect, CMFCToolBarImages* pImages, BOOL bHorz,
                                      BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                      BOOL bGrayDisabledButtons) {
  if (!bHorz) {
    CMFCToolBarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                              bGrayDisabledButtons);
    return;
  }
  if (!g_flatEditBoxes || !m_pWndEdit || !m_pWndEdit->m_hWnd) return;
  // The flat frame around the edit control.
  CRect frame;
  m_pWndEdit->GetWindowRect(&frame);
  m_pWndEdit->GetParent()->ScreenToClient(&frame);
  frame.InflateRect(1, 1);
  pDC->Draw3dRect(&frame, CMFCVisualManager::GetInstance()->Palette().barBorder,
                  CMFCVisualManager::GetInstance()->Palette().barBorder);
}

BOOL CMFCToolBarEditBoxButton::OnClick(CWnd*, BOOL) { return m_bHorz; }

BOOL CMFCToolBarEditBoxButton::NotifyCommand(int iNotifyCode) {
  switch (iNotifyCode) {
    case EN_CHANGE:
    case EN_UPDATE:
      GetContents();
      return FALSE;
    case AFX_EN_RETURN:
      GetContents();
      return TRUE;
    default:
      return FALSE;
  }
}

void CMFCToolBarEditBoxButton::OnMove() {
  if (!m_pWndEdit || !m_pWndEdit->m_hWnd) return;
  const BOOL show = m_bVisible && m_bHorz && !m_rect.IsRectEmpty();
  CRect place = m_rect;
  place.DeflateRect(1, 2);
  m_pWndEdit->SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE);
  ShowControl(m_pWndEdit, show);
}

void CMFCToolBarEditBoxButton::OnSize(int iSize) {
  m_iWidth = iSize > 0 ? iSize : m_iWidth;
  OnMove();
}

void CMFCToolBarEditBoxButton::OnShow(BOOL bShow) { ShowControl(m_pWndEdit, bShow && m_bHorz); }

void CMFCToolBarEditBoxButton::EnableWindow(BOOL bEnable) {
  CMFCToolBarButton::EnableWindow(bEnable);
  EnableControl(m_pWndEdit, bEnable);
}

#include "fw/MenuBar.h"

#include <wctype.h>

#include <algorithm>

#include "BarInternal.h"
#include "BarStrings.h"
#include "fw/BarResourceIds.h"

IMPLEMENT_SERIAL(CMFCMenuBar, CMFCToolBar, 1)

BEGIN_MESSAGE_MAP(CMFCMenuBar, CMFCToolBar)
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace {

CMFCMenuBar::AnimationType g_animation = CMFCMenuBar::SYSTEM_DEFAULT_ANIMATION;
BOOL g_menuShadows = TRUE;
BOOL g_forceMenuFocus = TRUE;

// The bar whose pop-up the thread is tracking, and the filter that watches the menu loop for it.
thread_local CMFCMenuBar* t_trackingBar = nullptr;
thread_local HHOOK t_menuHook = nullptr;

LRESULT CALLBACK MenuLoopFilter(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_MENU && t_trackingBar && lParam) {
    if (t_trackingBar->FilterMenuMessage(reinterpret_cast<MSG*>(lParam))) return TRUE;
  }
  return ::CallNextHookEx(t_menuHook, code, wParam, lParam);
}

// The & letter of a menu text ("&&" is a plain ampersand), 0 for none.
WCHAR MnemonicOf(const CString& text) {
  for (int i = 0; i + 1 < text.GetLength(); ++i) {
    if (text[i] != L'&') continue;
    if (text[i + 1] == L'&') {
      ++i;
      continue;
    }
    return text[i + 1];
  }
  return 0;
}

}  // namespace

CMFCMenuBar::CMFCMenuBar() = default;
CMFCMenuBar::~CMFCMenuBar() = default;

BOOL CMFCMenuBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), nID);
}

BOOL CMFCMenuBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
  // The frame hands over its menu while the bar joins its docking manager.
  return CMFCToolBar::CreateEx(pParentWnd, dwCtrlStyle, dwStyle, rcBorders, nID);
}

void CMFCMenuBar::SetMenuAnimation(AnimationType type) { g_animation = type; }
CMFCMenuBar::AnimationType CMFCMenuBar::GetMenuAnimation() { return g_animation; }
void CMFCMenuBar::EnableMenuShadows(BOOL bEnable) { g_menuShadows = bEnable; }
BOOL CMFCMenuBar::IsMenuShadows() { return g_menuShadows; }
void CMFCMenuBar::SetForceMenuFocus(BOOL bValue) { g_forceMenuFocus = bValue; }
BOOL CMFCMenuBar::GetForceMenuFocus() { return g_forceMenuFocus; }

UINT CMFCMenuBar::GetTrackFlags() {
  switch (g_animation) {
    case NO_ANIMATION: return TPM_NOANIMATION;
    case UNFOLD: return TPM_HORPOSANIMATION | TPM_VERPOSANIMATION;
    case SLIDE: return TPM_VERPOSANIMATION;
    default: return 0;  // fading and the system's choice are the system's own
  }
}

void CMFCMenuBar::CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu, BOOL bForceUpdate) {
  if (bDefaultMenu) m_hDefaultMenu = hMenu;
  if (hMenu == m_hMenu && !bForceUpdate && GetCount() > 0) return;
  m_hMenu = hMenu;
  RemoveAllButtons();
  const int count = hMenu && ::IsMenu(hMenu) ? ::GetMenuItemCount(hMenu) : 0;
  for (int i = 0; i < count; ++i) {
    fw_bars::MenuItem entry;
    if (!fw_bars::ReadMenuItem(hMenu, i, entry) || entry.separator) continue;
    CMFCToolBarButton* button = nullptr;
    if (entry.popup) {
      CMFCToolBarMenuButton* item = new CMFCToolBarMenuButton(0, entry.popup, -1, entry.text);
      item->SetPopupSource(entry.popup);
      item->m_bDrawDownArrow = FALSE;
      button = item;
    } else {
      button = new CMFCToolBarButton(entry.id, -1, entry.text);
    }
    button->m_bText = TRUE;
    button->m_bImage = FALSE;
    m_Buttons.AddTail(button);
    AttachButton(button);
  }
  OnButtonsChanged();
}

BOOL CMFCMenuBar::OnSetFrameMenu(HMENU hMenu, BOOL bDefault) {
  CreateFromMenu(hMenu, bDefault, FALSE);
  return TRUE;
}

BOOL CMFCMenuBar::SaveState(LPCTSTR, int, UINT) { return TRUE; }
BOOL CMFCMenuBar::LoadState(LPCTSTR, int, UINT) { return TRUE; }

BOOL CMFCMenuBar::RestoreOriginalState() {
  CreateFromMenu(m_hMenu, FALSE, TRUE);
  return TRUE;
}

CSize CMFCMenuBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size = CMFCToolBar::CalcFixedLayout(bStretch, bHorz);
  if (bHorz && m_pDockSite && m_pDockSite->m_hWnd) {
    CRect client;
    m_pDockSite->GetClientRect(&client);
    size.cx = std::max<int>(size.cx, client.Width());
  }
  return size;
}

int CMFCMenuBar::FindMnemonic(WCHAR ch) const {
  const WCHAR wanted = static_cast<WCHAR>(towupper(ch));
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos; ++i) {
    const CMFCToolBarButton* button = static_cast<const CMFCToolBarButton*>(m_Buttons.GetNext(pos));
    if (!button->IsVisible() || button->IsSeparator()) continue;
    const WCHAR letter = MnemonicOf(button->m_strText);
    if (!letter) continue;
    if (static_cast<WCHAR>(towupper(letter)) == wanted) return i;
  }
  return -1;
}

int CMFCMenuBar::NeighbourItem(int iFrom, int iStep) const {
  const int count = GetCount();
  for (int n = 1; n <= count; ++n) {
    const int i = ((iFrom + iStep * n) % count + count) % count;
    const CMFCToolBarButton* button = GetButton(i);
    if (button && button->IsVisible() && !button->IsSeparator() && !button->Rect().IsRectEmpty()) return i;
  }
  return -1;
}

void CMFCMenuBar::EnterKeyboardMode(int iIndex) {
  if (GetCount() == 0) return;
  const CMFCToolBarButton* first = GetButton(iIndex);
  if (!first || !first->IsVisible() || first->IsSeparator()) iIndex = NeighbourItem(iIndex, 1);
  if (iIndex < 0) return;
  if (!m_bKeyboardMode) {
    const HWND focus = ::GetFocus();
    m_hwndFocusBefore = focus != m_hWnd ? focus : nullptr;
  }
  m_bKeyboardMode = TRUE;
  SetFocus();
  SetHighlighted(iIndex);
}

void CMFCMenuBar::ExitKeyboardMode(BOOL bRestoreFocus) {
  if (!m_bKeyboardMode) return;
  m_bKeyboardMode = FALSE;
  SetHighlighted(-1);
  if (!bRestoreFocus || ::GetFocus() != m_hWnd) return;
  if (m_hwndFocusBefore && ::IsWindow(m_hwndFocusBefore))
    ::SetFocus(m_hwndFocusBefore);
  else if (CFrameWnd* frame = GetCommandTarget())
    frame->SetFocus();
}

void CMFCMenuBar::ToggleKeyboardMode() {
  if (m_bKeyboardMode)
    ExitKeyboardMode(TRUE);
  else
    EnterKeyboardMode(0);
}

BOOL CMFCMenuBar::OpenItem(int iIndex, BOOL bKeyboard) {
  CMFCToolBarButton* button = GetButton(iIndex);
  if (!button || (button->m_nStyle & TBBS_DISABLED)) return FALSE;
  if (!button->IsKindOf(RUNTIME_CLASS(CMFCToolBarMenuButton))) {
    // A command on the bar itself: it runs like a button.
    ExitKeyboardMode(TRUE);
    fw_bars::PostCommand(this, button->m_nID);
    return TRUE;
  }
  m_bNextByKeyboard = bKeyboard;
  return DropDownMenu(static_cast<CMFCToolBarMenuButton*>(button));
}

BOOL CMFCMenuBar::DropDownMenu(CMFCToolBarMenuButton* pButton) {
  int index = IndexOf(pButton);
  CFrameWnd* target = GetCommandTarget();
  if (index < 0 || m_iOpen >= 0 || !target || !target->m_hWnd) return FALSE;
  BOOL keyboard = m_bNextByKeyboard;
  BOOL full = FALSE;
  int lastOpened = index;
  m_bEscaped = FALSE;
  while (index >= 0) {
    CMFCToolBarButton* button = GetButton(index);
    if (!button || !button->IsKindOf(RUNTIME_CLASS(CMFCToolBarMenuButton))) break;
    CMFCToolBarMenuButton* item = static_cast<CMFCToolBarMenuButton*>(button);
    HMENU popup = item->GetPopupSource();
    const bool owned = !popup || !::IsMenu(popup);
    if (owned) popup = item->CreateMenu();
    if (!popup) break;
    // With personalised menus a trimmed copy shows until the user asks for the whole menu; the bar
    // then takes the choice itself, to note the command's use.
    HMENU personal = full ? nullptr : CreatePersonalMenu(popup);
    HMENU shown = personal ? personal : popup;
    const BOOL personalised = !CMFCToolBar::GetBasicCommands().IsEmpty();
    m_iOpen = lastOpened = index;
    m_iNext = -1;
    m_bNextFull = FALSE;
    m_hOpenPopup = shown;
    m_bEscaped = FALSE;
    item->SetDroppedDown(TRUE);
    SetHighlighted(-1);
    InvalidateButton(index);
    UpdateWindow();
    CRect rect = item->Rect();
    ClientToScreen(&rect);
    // Opened from the keyboard, the pop-up starts with its first entry selected, as a menu does.
    if (keyboard) target->PostMessage(WM_KEYDOWN, VK_DOWN, 0);
    TPMPARAMS params = {sizeof(params), rect};
    CMFCMenuBar* outer = t_trackingBar;
    HHOOK outerHook = t_menuHook;
    t_trackingBar = this;
    t_menuHook = ::SetWindowsHookExW(WH_MSGFILTER, MenuLoopFilter, nullptr, ::GetCurrentThreadId());
    const UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_VERTICAL | GetTrackFlags() |
                       (personalised ? TPM_RETURNCMD : 0);
    const UINT chosen = static_cast<UINT>(::TrackPopupMenuEx(shown, flags, rect.left, rect.bottom, target->m_hWnd, &params));
    if (t_menuHook) ::UnhookWindowsHookEx(t_menuHook);
    t_menuHook = outerHook;
    t_trackingBar = outer;
    m_hOpenPopup = nullptr;
    if (personal) ::DestroyMenu(personal);
    if (owned) ::DestroyMenu(popup);
    // A command may have rebuilt the bar meanwhile.
    const int still = IndexOf(item);
    if (still >= 0) {
      item->SetDroppedDown(FALSE);
      InvalidateButton(still);
    }
    if (personalised && chosen == ID_FW_SHOW_FULL_MENU && still >= 0) {
      m_iNext = still;
      m_bNextFull = TRUE;
      m_bNextByKeyboard = keyboard;
    } else if (personalised && chosen != 0) {
      CMFCToolBar::AddCommandUsage(chosen);
      target->PostMessage(WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    }
    index = m_iNext;
    keyboard = m_bNextByKeyboard;
    full = m_bNextFull;
  }
  m_iOpen = -1;
  m_bNextByKeyboard = FALSE;
  m_bNextFull = FALSE;
  // Esc leaves the keyboard on the bar's item; anything else ends the menu session.
  if (m_bEscaped && m_bKeyboardMode)
    SetHighlighted(lastOpened);
  else
    ExitKeyboardMode(TRUE);
  return TRUE;
}

BOOL CMFCMenuBar::FilterMenuMessage(MSG* pMsg) {
  switch (pMsg->message) {
    case WM_KEYDOWN: {
      const bool topLevel = fw_bars::OpenPopupMenus() <= 1;
      if (pMsg->wParam == VK_ESCAPE && topLevel) {
        m_bEscaped = TRUE;
        return FALSE;
      }
      if ((pMsg->wParam != VK_LEFT && pMsg->wParam != VK_RIGHT) || !topLevel) return FALSE;
      if (pMsg->wParam == VK_RIGHT && m_hOpenPopup) {
        // Right on an entry with a sub-menu opens that sub-menu, as usual.
        const int count = ::GetMenuItemCount(m_hOpenPopup);
        for (int i = 0; i < count; ++i) {
          if ((::GetMenuState(m_hOpenPopup, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) &&
              ::GetSubMenu(m_hOpenPopup, i))
            return FALSE;
        }
      }
      const int next = NeighbourItem(m_iOpen, pMsg->wParam == VK_LEFT ? -1 : 1);
      if (next < 0 || next == m_iOpen) return FALSE;
      m_iNext = next;
      m_bNextByKeyboard = TRUE;
      ::EndMenu();
      return TRUE;
    }
    case WM_MOUSEMOVE: {
      CPoint point = pMsg->pt;
      ScreenToClient(&point);
      const int hit = HitTest(point);
      if (hit < 0 || hit == m_iOpen) return FALSE;
      const CMFCToolBarButton* button = GetButton(hit);
      if (!button || !button->IsKindOf(RUNTIME_CLASS(CMFCToolBarMenuButton))) return FALSE;
      m_iNext = hit;
      m_bNextByKeyboard = FALSE;
      ::EndMenu();
      return TRUE;
    }
    case WM_LBUTTONDOWN: {
      // A click on the open item closes its pop-up.
      CPoint point = pMsg->pt;
      ScreenToClient(&point);
      if (HitTest(point) != m_iOpen) return FALSE;
      m_iNext = -1;
      ::EndMenu();
      return TRUE;
    }
    default:
      return FALSE;
  }
}

BOOL CMFCMenuBar::TranslateFrameMessage(MSG* pMsg) {
  switch (pMsg->message) {
    case WM_SYSKEYDOWN:
      if (pMsg->wParam == VK_MENU) {
        // A key held down repeats; only the first press starts a lone Alt.
        if (!(pMsg->lParam & (1 << 30))) m_bAltAlone = TRUE;
        return FALSE;
      }
      m_bAltAlone = FALSE;
      if (pMsg->wParam == VK_F10 && !(::GetKeyState(VK_SHIFT) & 0x8000)) {
        ToggleKeyboardMode();
        return TRUE;
      }
      return FALSE;
    case WM_SYSKEYUP:
      if (pMsg->wParam == VK_MENU && m_bAltAlone) {
        m_bAltAlone = FALSE;
        ToggleKeyboardMode();
        return TRUE;
      }
      // Windows would start its own menu mode on these; the bar is the menu.
      return pMsg->wParam == VK_F10 || pMsg->wParam == VK_MENU;
    case WM_SYSCHAR: {
      m_bAltAlone = FALSE;
      const int item = FindMnemonic(static_cast<WCHAR>(pMsg->wParam));
      if (item < 0) return FALSE;
      if (!m_bKeyboardMode) {
        const HWND focus = ::GetFocus();
        m_hwndFocusBefore = focus != m_hWnd ? focus : nullptr;
      }
      OpenItem(item, TRUE);
      return TRUE;
    }
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      m_bAltAlone = FALSE;
      return FALSE;
    default:
      return FALSE;
  }
}

void CMFCMenuBar::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (!m_bKeyboardMode) {
    CMFCToolBar::OnKeyDown(nChar, nRepCnt, nFlags);
    return;
  }
  switch (nChar) {
    case VK_LEFT:
    case VK_RIGHT: {
      const int next = NeighbourItem(m_iHighlighted, nChar == VK_LEFT ? -1 : 1);
      if (next >= 0) SetHighlighted(next);
      break;
    }
    case VK_DOWN:
    case VK_UP:
    case VK_RETURN:
      if (m_iHighlighted >= 0) OpenItem(m_iHighlighted, TRUE);
      break;
    case VK_ESCAPE:
      ExitKeyboardMode(TRUE);
      break;
    default:
      break;
  }
}

void CMFCMenuBar::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (!m_bKeyboardMode) {
    CMFCToolBar::OnChar(nChar, nRepCnt, nFlags);
    return;
  }
  const int item = FindMnemonic(static_cast<WCHAR>(nChar));
  if (item >= 0) OpenItem(item, TRUE);
}

void CMFCMenuBar::OnKillFocus(CWnd* pNewWnd) {
  CMFCToolBar::OnKillFocus(pNewWnd);
  if (m_iOpen < 0) ExitKeyboardMode(FALSE);
}

// The tool bar and the mouse: hot buttons and their prompts, clicks, drop-down menus, the
// customize chevron, tool tips, and drags of buttons (customize mode, Alt) and of the bar itself.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "BarInternal.h"
#include "BarStrings.h"
#include "fw/BarResourceIds.h"
#include "fw/DockingManager.h"
#include "fw/MFCToolTipCtrl.h"
#include "fw/MenuBar.h"
#include "fw/TooltipManager.h"

namespace {

// The chevron's place in hit tests and in m_iHighlighted.
const int kCustomizeHit = -2;
// A button moves once the mouse has gone this far with it.
const int kDragThreshold = 4;
// A dragged bar joins a side when the mouse comes this close to the documents' area edge.
const int kEdgeSnap = 12;
const UINT kFirstQuickItem = 1;
// Tool-tip tools are named by button index + 1; the chevron's has a name no button takes.
const UINT_PTR kChevronTool = static_cast<UINT_PTR>(-1);

bool AltDown() { return (::GetKeyState(VK_MENU) & 0x8000) != 0; }

// The bars' tool tips. One function makes the window, so the program's tool-tip manager can
// take its place in one spot.
BOOL CALLBACK CountMenuWindow(HWND hwnd, LPARAM param) {
  WCHAR name[16] = {};
  ::GetClassNameW(hwnd, name, 16);
  if (lstrcmpW(name, L"#32768") == 0 && ::IsWindowVisible(hwnd)) ++*reinterpret_cast<int*>(param);
  return TRUE;
}

}  // namespace

namespace fw_bars {

int OpenPopupMenus() {
  int count = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), CountMenuWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

}  // namespace fw_bars

int CMFCToolBar::HitTest(CPoint point) const {
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos; ++i) {
    const CMFCToolBarButton* button = static_cast<const CMFCToolBarButton*>(m_Buttons.GetNext(pos));
    if (button->IsVisible() && button->Rect().PtInRect(point)) return button->IsSeparator() ? -1 : i;
  }
  return -1;
}

void CMFCToolBar::SetHighlighted(int iIndex) {
  if (iIndex == m_iHighlighted) return;
  const int old = m_iHighlighted;
  m_iHighlighted = iIndex;
  InvalidateButton(old);
  InvalidateButton(iIndex);
  // Fly-by: the frame's status bar shows the hot command's prompt, and the idle text after it.
  if (!(m_dwStyle & CBRS_FLYBY) || !m_hWnd) return;
  CFrameWnd* target = GetCommandTarget();
  if (!target || !target->m_hWnd) return;
  const CMFCToolBarButton* button = iIndex >= 0 ? GetButton(iIndex) : nullptr;
  const UINT id = button && button->m_nID ? button->m_nID : (iIndex == kCustomizeHit ? m_iCustomizeCmd : 0);
  target->SendMessage(WM_SETMESSAGESTRING, id ? id : AFX_IDS_IDLEMESSAGE, 0);
}

void CMFCToolBar::OnMouseMove(UINT, CPoint point) {
  if (m_drag == DragBar) {
    CPoint screen = point;
    ClientToScreen(&screen);
    DragBarTo(screen);
    return;
  }
  if (m_drag == DragButton) {
    if (std::abs(point.x - m_ptDragStart.x) > kDragThreshold || std::abs(point.y - m_ptDragStart.y) > kDragThreshold)
      m_bDragMoved = TRUE;
    return;
  }
  if (m_iPressed >= 0) {
    // A held button shows pressed only while the mouse is over it.
    CMFCToolBarButton* button = GetButton(m_iPressed);
    if (!button) return;
    const UINT before = button->m_nStyle;
    if (button->Rect().PtInRect(point))
      button->m_nStyle |= TBBS_PRESSED;
    else
      button->m_nStyle &= ~TBBS_PRESSED;
    if (before != button->m_nStyle) InvalidateButton(m_iPressed);
    return;
  }
  if (!m_bTracking) {
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
    m_bTracking = ::TrackMouseEvent(&track);
  }
  const int hit = m_rectCustomize.PtInRect(point) ? kCustomizeHit : HitTest(point);
  SetHighlighted(IsCustomizeMode() ? -1 : hit);
}

void CMFCToolBar::OnMouseLeave() {
  m_bTracking = FALSE;
  if (m_iPressed < 0 && m_drag == DragNone) SetHighlighted(-1);
}

void CMFCToolBar::OnLButtonDown(UINT, CPoint point) {
  if (m_bHasGripper && !IsFloating() && IsDocked()) {
    CRect client;
    GetClientRect(&client);
    const CRect gripper = IsHorizontal() ? CRect(client.left, client.top, client.left + 8, client.bottom)
                                         : CRect(client.left, client.top, client.right, client.top + 8);
    if (gripper.PtInRect(point)) {
      m_drag = DragBar;
      m_ptDragStart = point;
      SetCapture();
      return;
    }
  }
  if (m_rectCustomize.PtInRect(point)) {
    OnCustomizeButtonClick();
    return;
  }
  const int hit = HitTest(point);
  CMFCToolBarButton* button = GetButton(hit);
  if (!button) return;
  if (IsCustomizeMode() || (IsQuickCustomizationEnabled() && AltDown())) {
    if (IsCustomizeMode()) {
      m_iSelected = hit;
      Invalidate();
    }
    if (m_bLocked || button->IsLocked()) return;
    m_drag = DragButton;
    m_iDragButton = hit;
    m_bDragMoved = FALSE;
    m_ptDragStart = point;
    SetCapture();
    return;
  }
  if (button->m_nStyle & TBBS_DISABLED) return;
  // Menus drop as the button goes down; controls take their own clicks.
  if (button->IsKindOf(RUNTIME_CLASS(CMFCToolBarMenuButton))) {
    OnButtonClick(hit);
    return;
  }
  if (button->GetHwnd()) return;
  m_iPressed = hit;
  button->m_nStyle |= TBBS_PRESSED;
  InvalidateButton(hit);
  SetCapture();
}

void CMFCToolBar::OnLButtonDblClk(UINT nFlags, CPoint point) { OnLButtonDown(nFlags, point); }

void CMFCToolBar::OnLButtonUp(UINT, CPoint point) {
  if (m_drag == DragBar) {
    m_drag = DragNone;
    ::ReleaseCapture();
    return;
  }
  if (m_drag == DragButton) {
    m_drag = DragNone;
    ::ReleaseCapture();
    const int dragged = m_iDragButton;
    m_iDragButton = -1;
    if (!m_bDragMoved) return;
    CPoint screen = point;
    ClientToScreen(&screen);
    // The bar under the mouse takes the button; off every bar it goes.
    CMFCToolBar* target = nullptr;
    const CObList& bars = GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos && !target;) {
      CMFCToolBar* bar = static_cast<CMFCToolBar*>(bars.GetNext(pos));
      if (!bar->m_hWnd || !bar->IsWindowVisible() || bar->IsKindOf(RUNTIME_CLASS(CMFCMenuBar))) continue;
      CRect window;
      bar->GetWindowRect(&window);
      if (window.PtInRect(screen)) target = bar;
    }
    int at = -1;
    if (target) {
      CPoint local = screen;
      target->ScreenToClient(&local);
      at = target->FindDropIndex(local);
    }
    MoveButton(dragged, target, at, FALSE);
    return;
  }
  if (m_iPressed < 0) return;
  const int pressed = m_iPressed;
  m_iPressed = -1;
  CMFCToolBarButton* button = GetButton(pressed);
  if (button) button->m_nStyle &= ~TBBS_PRESSED;
  InvalidateButton(pressed);
  ::ReleaseCapture();
  if (button && button->Rect().PtInRect(point)) OnButtonClick(pressed);
}

LRESULT CMFCToolBar::OnCaptureChanged(WPARAM, LPARAM lParam) {
  if (reinterpret_cast<HWND>(lParam) == m_hWnd) return 0;
  // Someone else took the mouse: whatever was held is let go without a click.
  m_drag = DragNone;
  if (CMFCToolBarButton* button = GetButton(m_iPressed)) {
    button->m_nStyle &= ~TBBS_PRESSED;
    InvalidateButton(m_iPressed);
  }
  m_iPressed = -1;
  return 0;
}

LRESULT CMFCToolBar::OnCancelMode(WPARAM, LPARAM) {
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  return Default();
}

void CMFCToolBar::OnButtonClick(int iIndex) {
  CMFCToolBarButton* button = GetButton(iIndex);
  if (!button || (button->m_nStyle & TBBS_DISABLED)) return;
  if (button->OnClick(this, FALSE)) return;
  if (button->m_nStyle & TBBS_CHECKBOX) {
    button->m_nStyle ^= TBBS_CHECKED;
    InvalidateButton(iIndex);
  }
  fw_bars::PostCommand(this, button->m_nID);
}

BOOL CMFCToolBar::OnCommand(WPARAM wParam, LPARAM lParam) {
  // A notification from a button's control: the button decides whether its command goes out.
  const HWND control = reinterpret_cast<HWND>(lParam);
  if (control) {
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos;) {
      CMFCToolBarButton* button = static_cast<CMFCToolBarButton*>(m_Buttons.GetNext(pos));
      if (!button->IsOwnerOf(control)) continue;
      const UINT id = button->m_nID;
      if (button->NotifyCommand(HIWORD(wParam))) fw_bars::PostCommand(this, id);
      return TRUE;
    }
  }
  return CPane::OnCommand(wParam, lParam);
}

BOOL CMFCToolBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
  if (header->code == TTN_GETDISPINFOW && m_pToolTip && header->hwndFrom == m_pToolTip->m_hWnd) {
    static CString text;  // the tip must outlive the notification
    NMTTDISPINFOW* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    const bool chevron = info->hdr.idFrom == kChevronTool;
    CString description;
    text = chevron ? m_strCustomizeText : GetButtonToolTip(static_cast<int>(info->hdr.idFrom) - 1, &description);
    // The framework's own tip shows the command's prompt under its label.
    if (m_pToolTip->IsKindOf(RUNTIME_CLASS(CMFCToolTipCtrl)))
      static_cast<CMFCToolTipCtrl*>(m_pToolTip)->SetDescription(description);
    info->lpszText = const_cast<LPWSTR>(text.GetString());
    info->hinst = nullptr;
    *pResult = 0;
    return TRUE;
  }
  return CPane::OnNotify(wParam, lParam, pResult);
}

CString CMFCToolBar::GetButtonToolTip(int iIndex, CString* pDescription) const {
  const CMFCToolBarButton* button = GetButton(iIndex);
  if (!button || button->IsSeparator()) return CString();
  CString tip, description;
  if (button->m_nID)
    CTooltipManager::GetCommandTipTexts(button->m_nID, tip, description, m_pDockSite ? m_pDockSite : GetTopLevelFrame());
  if (tip.IsEmpty()) tip = fw_bars::PlainMenuText(button->m_strText);
  if (pDescription) *pDescription = description;
  return tip;
}

void CMFCToolBar::UpdateToolTips() {
  if (!m_hWnd) return;
  const BOOL wanted = (m_dwStyle & CBRS_TOOLTIPS) && GetShowTooltips();
  if (!wanted) {
    CTooltipManager::DeleteToolTip(m_pToolTip);
    m_nToolTips = 0;
    return;
  }
  if (!m_pToolTip) CTooltipManager::CreateToolTip(m_pToolTip, this, AFX_TOOLTIP_TYPE_TOOLBAR);
  if (!m_pToolTip) return;
  TTTOOLINFOW tool = {};
  tool.cbSize = sizeof(tool);
  tool.hwnd = m_hWnd;
  while (m_nToolTips > 0) {
    tool.uId = static_cast<UINT_PTR>(m_nToolTips--);
    ::SendMessageW(m_pToolTip->m_hWnd, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  tool.uId = kChevronTool;
  ::SendMessageW(m_pToolTip->m_hWnd, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  // One tool per button, named by its index + 1; the text comes when the tip shows.
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos; ++i) {
    const CMFCToolBarButton* button = static_cast<const CMFCToolBarButton*>(m_Buttons.GetNext(pos));
    m_nToolTips = i + 1;
    if (button->IsSeparator() || button->Rect().IsRectEmpty()) continue;
    tool.uFlags = TTF_SUBCLASS;
    tool.uId = static_cast<UINT_PTR>(i + 1);
    tool.rect = button->Rect();
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(m_pToolTip->m_hWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  if (!m_rectCustomize.IsRectEmpty()) {
    tool.uFlags = TTF_SUBCLASS;
    tool.uId = kChevronTool;
    tool.rect = m_rectCustomize;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(m_pToolTip->m_hWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

// ---- Menus ----

BOOL CMFCToolBar::DropDownMenu(CMFCToolBarMenuButton* pButton) {
  const int index = IndexOf(pButton);
  CFrameWnd* target = GetCommandTarget();
  if (index < 0 || !target || !target->m_hWnd) return FALSE;
  NMTOOLBARW notify = {};
  notify.hdr.hwndFrom = m_hWnd;
  notify.hdr.idFrom = pButton->m_nID;
  notify.hdr.code = TBN_DROPDOWN;
  notify.iItem = static_cast<int>(pButton->m_nID);
  notify.rcButton = pButton->Rect();
  if (target->SendMessage(WM_NOTIFY, pButton->m_nID, reinterpret_cast<LPARAM>(&notify))) return TRUE;
  // The frame may have changed the bar while it answered.
  if (IndexOf(pButton) < 0) return FALSE;
  HMENU menu = pButton->CreateMenu();
  if (!menu) return FALSE;
  CRect rect = pButton->Rect();
  ClientToScreen(&rect);
  pButton->SetDroppedDown(TRUE);
  SetHighlighted(-1);
  InvalidateButton(index);
  UpdateWindow();
  TPMPARAMS params = {sizeof(params), rect};
  ::TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_VERTICAL | CMFCMenuBar::GetTrackFlags(),
                     rect.left, rect.bottom, target->m_hWnd, &params);
  ::DestroyMenu(menu);
  if (IndexOf(pButton) >= 0) {
    pButton->SetDroppedDown(FALSE);
    InvalidateButton(IndexOf(pButton));
  }
  return TRUE;
}

void CMFCToolBar::OnCustomizeButtonClick() {
  if (!m_bQuickCustomize) {
    if (m_iCustomizeCmd > 0) fw_bars::PostCommand(this, static_cast<UINT>(m_iCustomizeCmd));
    return;
  }
  // A menu: a sub-menu that shows or hides each button, then the customize command.
  HMENU menu = ::CreatePopupMenu();
  HMENU buttons = ::CreatePopupMenu();
  UINT item = kFirstQuickItem;
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos; ++i, ++item) {
    const CMFCToolBarButton* button = static_cast<const CMFCToolBarButton*>(m_Buttons.GetNext(pos));
    if (button->IsSeparator()) continue;
    CString text = fw_bars::PlainMenuText(button->m_strText);
    if (text.IsEmpty() && button->m_nID) text = fw_bars::CommandTip(button->m_nID);
    if (text.IsEmpty() && button->m_nID) text = fw_bars::CommandPrompt(button->m_nID);
    ::AppendMenuW(buttons, MF_STRING | (button->IsVisible() ? MF_CHECKED : 0), item, text);
  }
  const UINT customizeItem = item;
  ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(buttons), fw_bars::OwnString(IDS_FW_ADD_REMOVE_BUTTONS));
  if (m_iCustomizeCmd > 0) {
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, customizeItem, m_strCustomizeText);
  }
  CRect rect = m_rectCustomize;
  ClientToScreen(&rect);
  SetHighlighted(-1);
  const UINT chosen = static_cast<UINT>(::TrackPopupMenuEx(
      menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | CMFCMenuBar::GetTrackFlags(), rect.left, rect.bottom,
      m_hWnd, nullptr));
  ::DestroyMenu(menu);
  if (chosen == customizeItem && m_iCustomizeCmd > 0) {
    fw_bars::PostCommand(this, static_cast<UINT>(m_iCustomizeCmd));
  } else if (chosen >= kFirstQuickItem && chosen < customizeItem) {
    if (CMFCToolBarButton* button = GetButton(static_cast<int>(chosen - kFirstQuickItem))) {
      button->SetVisible(!button->IsVisible());
      OnButtonsChanged();
    }
  }
}

// ---- Drags ----

int CMFCToolBar::FindDropIndex(CPoint point) const {
  const BOOL horz = IsHorizontal();
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos; ++i) {
    const CMFCToolBarButton* button = static_cast<const CMFCToolBarButton*>(m_Buttons.GetNext(pos));
    const CRect rect = button->Rect();
    if (rect.IsRectEmpty()) continue;
    if (horz ? point.x < rect.CenterPoint().x : point.y < rect.CenterPoint().y) return i;
  }
  return GetCount();
}

BOOL CMFCToolBar::MoveButton(int iButton, CMFCToolBar* pTarget, int iInsertAt, BOOL bCopy) {
  CMFCToolBarButton* button = GetButton(iButton);
  if (!button) return FALSE;
  if (!pTarget) {
    if (bCopy) return FALSE;
    return RemoveButton(iButton);
  }
  if (pTarget == this && !bCopy) {
    if (iInsertAt < 0 || iInsertAt > GetCount()) iInsertAt = GetCount();
    if (iInsertAt == iButton || iInsertAt == iButton + 1) return TRUE;
    m_Buttons.RemoveAt(m_Buttons.FindIndex(iButton));
    if (iInsertAt > iButton) --iInsertAt;
    POSITION before = m_Buttons.FindIndex(iInsertAt);
    if (before)
      m_Buttons.InsertBefore(before, button);
    else
      m_Buttons.AddTail(button);
    m_iHighlighted = m_iSelected = -1;
    OnButtonsChanged();
    return TRUE;
  }
  if (pTarget->InsertButton(*button, iInsertAt) < 0) return FALSE;
  if (!bCopy) RemoveButton(iButton);
  return TRUE;
}

void CMFCToolBar::DragBarTo(CPoint ptScreen) {
  CDockingManager* manager = GetDockingManager();
  CFrameWnd* frame = GetDockSiteFrameWnd();
  if (!manager || !frame) return;
  CPoint pt = ptScreen;
  frame->ScreenToClient(&pt);
  const DWORD allowed = GetEnabledAlignment() & manager->GetEnabledDockingAlignment();
  // Over a row of bars on a side the bar may take: a place in that row.
  const CArray<CDockingManager::Row*, CDockingManager::Row*>& rows = manager->GetRows();
  for (int r = 0; r < rows.GetSize(); ++r) {
    CDockingManager::Row* row = rows[r];
    if (row->resizable || row->rect.IsRectEmpty() || !(allowed & row->side) || !row->rect.PtInRect(pt)) continue;
    const bool horz = (row->side & CBRS_ORIENT_HORZ) != 0;
    const int offset = std::max(0, static_cast<int>(horz ? pt.x - row->rect.left - m_ptDragStart.x
                                                         : pt.y - row->rect.top - m_ptDragStart.y));
    if (manager->FindRow(this) != row) {
      // Beside the last bar of the row that starts before the mouse (before the first otherwise).
      CBasePane* anchor = row->panes[0];
      DWORD where = CBRS_ALIGN_LEFT;
      for (int j = 0; j < row->panes.GetSize(); ++j) {
        CRect window;
        row->panes[j]->GetWindowRect(&window);
        frame->ScreenToClient(&window);
        if ((horz ? window.left : window.top) <= (horz ? pt.x : pt.y)) {
          anchor = row->panes[j];
          where = CBRS_ALIGN_RIGHT;
        }
      }
      if (!manager->DockPaneBeside(this, anchor, horz ? where : (where == CBRS_ALIGN_LEFT ? CBRS_ALIGN_TOP : CBRS_ALIGN_BOTTOM)))
        return;
      row = manager->FindRow(this);
      if (!row) return;
    }
    for (int j = 0; j < row->panes.GetSize(); ++j)
      if (row->panes[j] == this) row->extents[j] = offset;
    manager->RecalcLayout();
    return;
  }
  // Near an edge of the documents' area (or outside it): a new row on that side.
  const CRect area = manager->GetClientAreaBounds();
  struct Edge {
    DWORD side;
    UINT dockBar;
    bool close;
  } edges[] = {{CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP, pt.y < area.top + kEdgeSnap},
               {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM, pt.y > area.bottom - kEdgeSnap},
               {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT, pt.x < area.left + kEdgeSnap},
               {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT, pt.x > area.right - kEdgeSnap}};
  for (const Edge& edge : edges) {
    if (!edge.close || !(allowed & edge.side)) continue;
    CDockingManager::Row* own = manager->FindRow(this);
    // Alone in a row of that side already: nothing to do.
    if (own && own->side == edge.side && own->panes.GetSize() == 1) return;
    manager->DockPane(this, edge.dockBar);
    AdjustLayout();
    return;
  }
}

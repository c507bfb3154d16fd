#include "fw/DockablePane.h"

#include <stdlib.h>

#include <algorithm>

#include "DockingInternal.h"
#include "fw/AutoHideBar.h"
#include "fw/Dc.h"
#include "fw/DockingManager.h"
#include "fw/PaneFrameWnd.h"
#include "fw/TabbedPane.h"
#include "fw/VisualManager.h"

using fw_docking::PointOf;

IMPLEMENT_DYNAMIC(CDockablePane, CPane)

const UINT CDockablePane::s_msgFocusMoved = ::RegisterWindowMessageW(L"VantryFW.PaneFocusMoved");

namespace {

// The caption follows the keyboard focus into and out of a pane. Windows tells nobody when the
// focus moves between two windows inside a pane, so a hook of the thread sees every move and
// tells the panes around the old and the new focus to look again once it has moved.
struct FocusWatch {
  HHOOK hook = nullptr;
  int panes = 0;
};
thread_local FocusWatch t_focusWatch;

void TellPanesAround(HWND hWnd) {
  for (HWND h = hWnd; h; h = ::GetAncestor(h, GA_PARENT)) {
    CWnd* w = CWnd::FromHandlePermanent(h);
    if (w && w->IsKindOf(RUNTIME_CLASS(CDockablePane))) ::PostMessageW(h, CDockablePane::s_msgFocusMoved, 0, 0);
    if (!(::GetWindowLongW(h, GWL_STYLE) & WS_CHILD)) break;
  }
}

LRESULT CALLBACK FocusHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_SETFOCUS) {
    TellPanesAround(reinterpret_cast<HWND>(wParam));
    TellPanesAround(reinterpret_cast<HWND>(lParam));
  }
  return ::CallNextHookEx(t_focusWatch.hook, code, wParam, lParam);
}

void WatchFocus() {
  if (t_focusWatch.panes++ == 0)
    t_focusWatch.hook = ::SetWindowsHookExW(WH_CBT, FocusHook, nullptr, ::GetCurrentThreadId());
}

void UnwatchFocus() {
  if (t_focusWatch.panes > 0 && --t_focusWatch.panes == 0 && t_focusWatch.hook) {
    ::UnhookWindowsHookEx(t_focusWatch.hook);
    t_focusWatch.hook = nullptr;
  }
}

}  // namespace

BEGIN_MESSAGE_MAP(CDockablePane, CPane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_DESTROY()
ON_WM_CONTEXTMENU()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_MESSAGE(WM_NCCALCSIZE, OnNcCalcSize)
ON_MESSAGE(WM_NCPAINT, OnNcPaint)
ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
ON_MESSAGE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
ON_MESSAGE(WM_NCRBUTTONDOWN, OnNcRButtonDown)
ON_MESSAGE(WM_NCRBUTTONUP, OnNcRButtonUp)
ON_MESSAGE(WM_NCMOUSEMOVE, OnNcMouseMove)
ON_MESSAGE(WM_NCMOUSELEAVE, OnNcMouseLeave)
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
ON_REGISTERED_MESSAGE(CDockablePane::s_msgFocusMoved, OnFocusMoved)
END_MESSAGE_MAP()

CDockablePane::CDockablePane() { m_rectBorders.SetRect(1, 1, 1, 1); }

CDockablePane::~CDockablePane() = default;

BOOL CDockablePane::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper, UINT nID,
                           DWORD dwStyle, DWORD dwTabbedStyle, DWORD dwControlBarStyle, CCreateContext* pContext) {
  return CreateHelper(0, lpszCaption, pParentWnd, rect, bHasGripper, nID, dwStyle, dwTabbedStyle, dwControlBarStyle,
                      pContext);
}

BOOL CDockablePane::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper, UINT nID,
                           DWORD dwStyle, DWORD dwTabbedStyle, DWORD dwControlBarStyle, CCreateContext* pContext) {
  const CRect rect(0, 0, sizeDefault.cx, sizeDefault.cy);
  return CreateHelper(0, lpszCaption, pParentWnd, rect, bHasGripper, nID, dwStyle, dwTabbedStyle, dwControlBarStyle,
                      pContext);
}

BOOL CDockablePane::CreateEx(DWORD dwStyleEx, LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect,
                             BOOL bHasGripper, UINT nID, DWORD dwStyle, DWORD dwTabbedStyle, DWORD dwControlBarStyle,
                             CCreateContext* pContext) {
  return CreateHelper(dwStyleEx, lpszCaption, pParentWnd, rect, bHasGripper, nID, dwStyle, dwTabbedStyle,
                      dwControlBarStyle, pContext);
}

BOOL CDockablePane::CreateHelper(DWORD dwStyleEx, LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect,
                                 BOOL bHasGripper, UINT nID, DWORD dwStyle, DWORD dwTabbedStyle,
                                 DWORD dwControlBarStyle, CCreateContext* pContext) {
  m_dwTabbedStyle = dwTabbedStyle;
  if (!CPane::CreateEx(dwStyleEx, nullptr, dwStyle & ~CBRS_GRIPPER, rect, pParentWnd, nID, dwControlBarStyle,
                       pContext))
    return FALSE;
  // A dockable pane's "gripper" is its caption; with it the non-client area is worked out again.
  m_bHasGripper = bHasGripper;
  if (lpszCaption) SetWindowText(lpszCaption);
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

int CDockablePane::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CPane::OnCreate(lpCreateStruct) == -1) return -1;
  WatchFocus();
  return 0;
}

void CDockablePane::OnDestroy() {
  UnwatchFocus();
  if (m_pAutoHideBar) m_pAutoHideBar->RemovePane(this);
  CPane::OnDestroy();
}

void CDockablePane::OnSize(UINT nType, int cx, int cy) {
  CPane::OnSize(nType, cx, cy);
  AdjustLayout();
}

void CDockablePane::OnSetFocus(CWnd* pOldWnd) {
  CPane::OnSetFocus(pOldWnd);
  RedrawCaption();
}

void CDockablePane::SetControlBarStyle(DWORD dwNewStyle) {
  const BOOL wasResizable = IsResizable();
  CPane::SetControlBarStyle(dwNewStyle);
  if (!m_hWnd) return;
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A docked pane that changes kind moves to a row of its new kind on the same side.
  CDockingManager* manager = GetDockingManager();
  if (manager && wasResizable != IsResizable() && manager->FindRow(this))
    manager->DockPaneToSide(this, GetCurrentAlignment(), FALSE);
}

CSize CDockablePane::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  if (IsResizable()) return CPane::CalcFixedLayout(bStretch, bHorz);
  // As thick as the window, as long as the row.
  CRect rect;
  if (m_hWnd) GetWindowRect(&rect);
  const int longest = 32767;
  return bHorz ? CSize(longest, rect.Height()) : CSize(rect.Width(), longest);
}

CBaseTabbedPane* CDockablePane::GetParentTabbedPane() const {
  if (!m_hWnd) return nullptr;
  CWnd* tabs = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
  if (!tabs || !tabs->IsKindOf(RUNTIME_CLASS(CMFCBaseTabCtrl))) return nullptr;
  CWnd* group = CWnd::FromHandlePermanent(::GetParent(tabs->m_hWnd));
  return group && group->IsKindOf(RUNTIME_CLASS(CBaseTabbedPane)) ? static_cast<CBaseTabbedPane*>(group) : nullptr;
}

BOOL CDockablePane::IsTabbed() const { return GetParentTabbedPane() != nullptr; }

BOOL CDockablePane::IsVisible() const {
  if (!m_hWnd) return FALSE;
  if (m_pAutoHideBar) return m_pAutoHideBar->IsPaneButtonVisible(this);
  if (CBaseTabbedPane* group = GetParentTabbedPane()) return group->IsTabShown(this) && group->IsVisible();
  if (m_pMiniFrame) return (GetStyle() & WS_VISIBLE) && ::IsWindowVisible(m_pMiniFrame->m_hWnd);
  return (GetStyle() & WS_VISIBLE) != 0;
}

void CDockablePane::ShowPane(BOOL bShow, BOOL bDelay, BOOL bActivate) {
  if (!m_hWnd) return;
  if (CBaseTabbedPane* group = GetParentTabbedPane()) {
    group->ShowTab(this, bShow, bDelay, bActivate);
    return;
  }
  if (m_pAutoHideBar) {
    if (!bShow && m_bSlidOut) m_pAutoHideBar->SlideIn(this);
    m_pAutoHideBar->ShowPaneButton(this, bShow);
    if (!bDelay)
      if (CDockingManager* manager = GetDockingManager()) manager->RecalcLayout();
    return;
  }
  if (m_pMiniFrame) {
    ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    m_pMiniFrame->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (bShow && bActivate) SetFocus();
    return;
  }
  CPane::ShowPane(bShow, bDelay, bActivate);
}

BOOL CDockablePane::DockToWindow(CDockablePane* pTargetWindow, DWORD dwAlignment, LPCRECT) {
  CDockingManager* manager = GetDockingManager();
  if (!manager || !pTargetWindow || pTargetWindow == this) return FALSE;
  CDockablePane* target = pTargetWindow;
  if (CBaseTabbedPane* group = target->GetParentTabbedPane()) target = group;
  if (!manager->FindRow(target)) {
    OutputDebugStringW(L"CDockablePane::DockToWindow: the target is not docked\n");
    return FALSE;
  }
  return manager->DockPaneBeside(this, target, dwAlignment & CBRS_ALIGN_ANY);
}

CDockablePane* CDockablePane::AttachToTabWnd(CDockablePane* pTabControlBarAttachTo, AFX_DOCK_METHOD,
                                             BOOL bSetActive, CDockablePane** ppTabbedControlBar) {
  if (ppTabbedControlBar) *ppTabbedControlBar = nullptr;
  CDockingManager* manager = GetDockingManager();
  if (!manager || !pTabControlBarAttachTo || pTabControlBarAttachTo == this) return nullptr;
  CBaseTabbedPane* group = manager->AttachToTabGroup(this, pTabControlBarAttachTo, bSetActive);
  if (ppTabbedControlBar) *ppTabbedControlBar = group;
  return group;
}

BOOL CDockablePane::DockToFrameWindow(DWORD dwAlignment, LPCRECT, BOOL bOuterEdge) {
  CDockingManager* manager = GetDockingManager();
  return manager && manager->DockPaneToSide(this, dwAlignment & CBRS_ALIGN_ANY, bOuterEdge);
}

BOOL CDockablePane::DockToRecentPos() {
  CDockingManager* manager = GetDockingManager();
  return manager && manager->DockPaneToRecentPos(this);
}

BOOL CDockablePane::FloatPane(CRect rectFloat, BOOL bShow) {
  if (rectFloat.IsRectEmpty()) rectFloat = m_rectRecentFloat;
  if (rectFloat.IsRectEmpty() && m_hWnd) {
    // First time afloat: where the pane is now, a little offset so it is seen to leave.
    GetWindowRect(&rectFloat);
    rectFloat.OffsetRect(20, 20);
    rectFloat.bottom = rectFloat.top + std::max(static_cast<int>(rectFloat.Height()), 2 * fw_docking::CaptionHeight());
  }
  return CPane::FloatPane(rectFloat, bShow);
}

void CDockablePane::ToggleDocking() {
  if (IsFloating())
    DockToRecentPos();
  else if (!IsAutoHideMode() && !IsTabbed() && CanFloat())
    FloatPane(CRect());
}

CMFCAutoHideBar* CDockablePane::SetAutoHideMode(BOOL bMode, DWORD dwAlignment, CMFCAutoHideBar*, BOOL) {
  CDockingManager* manager = GetDockingManager();
  if (!manager) return nullptr;
  if (!bMode) {
    if (m_pAutoHideBar) manager->RestoreAutoHidePane(this);
    return nullptr;
  }
  if (m_pAutoHideBar) return m_pAutoHideBar;
  if (!CanAutoHide() || IsTabbed()) return nullptr;
  DWORD side = dwAlignment & CBRS_ALIGN_ANY;
  if (!side) side = GetCurrentAlignment();
  // One side only: the first bit in the order the frame lays them out.
  for (DWORD candidate : {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT}) {
    if (side & candidate) {
      side = candidate;
      break;
    }
  }
  if (!(manager->GetEnabledAutoHideAlignment() & side)) return nullptr;
  return manager->HidePaneAlongEdge(this, side);
}

void CDockablePane::ToggleAutoHide() { SetAutoHideMode(!IsAutoHideMode(), GetCurrentAlignment()); }

BOOL CDockablePane::HasCaption() const {
  return m_bHasGripper && m_dwControlBarStyle != 0 && !IsTabbed() && !m_pMiniFrame;
}

int CDockablePane::GetCaptionHeight() const { return HasCaption() ? fw_docking::CaptionHeight() : 0; }

CRect CDockablePane::GetCaptionRect() const {
  if (!m_hWnd || !HasCaption()) return CRect();
  CRect window;
  GetWindowRect(&window);
  return CRect(m_rectBorders.left, m_rectBorders.top, window.Width() - m_rectBorders.right,
               m_rectBorders.top + fw_docking::CaptionHeight());
}

CRect CDockablePane::GetCaptionButtonRect(UINT nHit) const {
  const CRect caption = GetCaptionRect();
  if (caption.IsRectEmpty()) return CRect();
  const int size = fw_docking::CaptionButtonSize();
  const int top = caption.top + (caption.Height() - size) / 2;
  int right = caption.right - 2;
  // From the right: the close button, then the pin.
  if (CanBeClosed()) {
    if (nHit == HTPANECLOSE) return CRect(right - size, top, right, top + size);
    right -= size + 1;
  }
  CDockingManager* manager = GetDockingManager();
  const BOOL pin = CanAutoHide() && manager && manager->GetEnabledAutoHideAlignment() != 0 &&
                   (IsAutoHideMode() || (manager->GetEnabledAutoHideAlignment() & GetCurrentAlignment()));
  if (pin && nHit == HTPANEPIN) return CRect(right - size, top, right, top + size);
  return CRect();
}

UINT CDockablePane::CaptionButtonAt(CPoint point) const {
  for (UINT hit : {static_cast<UINT>(HTPANECLOSE), static_cast<UINT>(HTPANEPIN)}) {
    const CRect rect = GetCaptionButtonRect(hit);
    if (!rect.IsRectEmpty() && rect.PtInRect(point)) return hit;
  }
  return HTNOWHERE;
}

BOOL CDockablePane::IsActive() const {
  const HWND focus = ::GetFocus();
  return focus && m_hWnd && (focus == m_hWnd || ::IsChild(m_hWnd, focus));
}

CString CDockablePane::GetCaptionText() const {
  CString text;
  if (m_hWnd) GetWindowText(text);
  return text;
}

void CDockablePane::RedrawCaption() {
  if (!m_hWnd) return;
  if (HasCaption()) ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
  if (m_pMiniFrame) m_pMiniFrame->RedrawCaption();
  if (CBaseTabbedPane* group = GetParentTabbedPane()) group->RedrawCaption();
}

void CDockablePane::OnPressCloseButton() {
  CWnd* frame = GetDockSiteFrameWnd();
  if (frame && frame->m_hWnd &&
      frame->SendMessage(AFX_WM_ON_PRESS_CLOSE_BUTTON, 0, reinterpret_cast<LPARAM>(this)) != 0)
    return;
  ShowPane(FALSE, FALSE, FALSE);
}

// Borders in the look's bar colour with a line around them, then the caption with its buttons.
void CDockablePane::DrawNonClient(CDC* pDC) {
  CMFCVisualManager* look = CMFCVisualManager::GetInstance();
  CRect window;
  GetWindowRect(&window);
  window.OffsetRect(-window.left, -window.top);
  CRect inside = window;
  inside.DeflateRect(m_rectBorders.left, m_rectBorders.top, m_rectBorders.right, m_rectBorders.bottom);
  const COLORREF face = look->Palette().barFace;
  pDC->FillSolidRect(window.left, window.top, window.Width(), m_rectBorders.top, face);
  pDC->FillSolidRect(window.left, inside.bottom, window.Width(), m_rectBorders.bottom, face);
  pDC->FillSolidRect(window.left, window.top, m_rectBorders.left, window.Height(), face);
  pDC->FillSolidRect(inside.right, window.top, m_rectBorders.right, window.Height(), face);
  if (m_rectBorders.left + m_rectBorders.top + m_rectBorders.right + m_rectBorders.bottom > 0) {
    CRect line = window;
    look->OnDrawPaneBorder(pDC, this, line);
  }
  m_bActiveShown = IsActive();
  const CRect caption = GetCaptionRect();
  if (caption.IsRectEmpty()) return;
  const COLORREF text = look->OnFillCaption(pDC, caption, m_bActiveShown);
  CRect textRect = caption;
  textRect.left += 4;
  for (UINT hit : {static_cast<UINT>(HTPANECLOSE), static_cast<UINT>(HTPANEPIN)}) {
    const CRect button = GetCaptionButtonRect(hit);
    if (button.IsRectEmpty()) continue;
    textRect.right = std::min(textRect.right, static_cast<LONG>(button.left - 2));
    look->OnDrawCaptionButton(pDC, button,
                              hit == HTPANECLOSE ? CMFCVisualManager::CaptionClose : CMFCVisualManager::CaptionPin,
                              m_bActiveShown, m_nHotButton == hit, m_nPressedButton == hit && m_nHotButton == hit,
                              !IsAutoHideMode());
  }
  fw_docking::DrawLabel(pDC->m_hDC, GetCaptionText(), textRect, text, false,
                        DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS);
}

LRESULT CDockablePane::OnNcCalcSize(WPARAM wParam, LPARAM lParam) {
  RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
  r->left += m_rectBorders.left;
  r->top += m_rectBorders.top + GetCaptionHeight();
  r->right -= m_rectBorders.right;
  r->bottom -= m_rectBorders.bottom;
  if (r->right < r->left) r->right = r->left;
  if (r->bottom < r->top) r->bottom = r->top;
  return 0;
}

LRESULT CDockablePane::OnNcPaint(WPARAM, LPARAM) {
  CWindowDC dc(this);
  DrawNonClient(&dc);
  return 0;
}

LRESULT CDockablePane::OnNcHitTest(WPARAM, LPARAM lParam) {
  CRect window;
  GetWindowRect(&window);
  const CPoint point(PointOf(lParam) - window.TopLeft());
  if (GetCaptionRect().PtInRect(point)) {
    const UINT button = CaptionButtonAt(point);
    return button != HTNOWHERE ? button : HTCAPTION;
  }
  CRect client;
  GetClientRect(&client);
  ClientToScreen(&client);
  return client.PtInRect(PointOf(lParam)) ? HTCLIENT : HTBORDER;
}

LRESULT CDockablePane::OnNcLButtonDown(WPARAM wParam, LPARAM lParam) {
  const CPoint screen = PointOf(lParam);
  if (wParam == HTPANECLOSE || wParam == HTPANEPIN) {
    m_nPressedButton = m_nHotButton = static_cast<UINT>(wParam);
    SetCapture();
    RedrawCaption();
    return 0;
  }
  if (wParam == HTCAPTION) {
    // A click on the caption activates the pane; pressing and moving drags it out.
    if (!IsActive()) SetFocus();
    if (CanFloat() && !IsAutoHideMode()) {
      m_bCaptionDragPending = TRUE;
      m_ptDragStart = screen;
      SetCapture();
    }
    return 0;
  }
  return Default();
}

void CDockablePane::OnMouseMove(UINT nFlags, CPoint point) {
  CPoint screen = point;
  ClientToScreen(&screen);
  if (m_bCaptionDragPending) {
    if (std::abs(static_cast<int>(screen.x - m_ptDragStart.x)) > ::GetSystemMetrics(SM_CXDRAG) ||
        std::abs(static_cast<int>(screen.y - m_ptDragStart.y)) > ::GetSystemMetrics(SM_CYDRAG)) {
      m_bCaptionDragPending = FALSE;
      BeginCaptionDrag(screen);
    }
    return;
  }
  if (m_nPressedButton != HTNOWHERE) {
    CRect window;
    GetWindowRect(&window);
    const UINT hot = CaptionButtonAt(CPoint(screen - window.TopLeft())) == m_nPressedButton ? m_nPressedButton : HTNOWHERE;
    if (hot != m_nHotButton) {
      m_nHotButton = hot;
      RedrawCaption();
    }
    return;
  }
  CPane::OnMouseMove(nFlags, point);
}

void CDockablePane::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_bCaptionDragPending) {
    m_bCaptionDragPending = FALSE;
    ReleaseCapture();
    return;
  }
  if (m_nPressedButton != HTNOWHERE) {
    CPoint screen = point;
    ClientToScreen(&screen);
    CRect window;
    GetWindowRect(&window);
    const UINT pressed = m_nPressedButton;
    const BOOL over = CaptionButtonAt(CPoint(screen - window.TopLeft())) == pressed;
    m_nPressedButton = m_nHotButton = HTNOWHERE;
    ReleaseCapture();
    RedrawCaption();
    if (!over) return;
    if (pressed == HTPANECLOSE)
      OnPressCloseButton();
    else
      ToggleAutoHide();
    return;
  }
  CPane::OnLButtonUp(nFlags, point);
}

LRESULT CDockablePane::OnCaptureChanged(WPARAM, LPARAM) {
  m_bCaptionDragPending = FALSE;
  if (m_nPressedButton != HTNOWHERE) {
    m_nPressedButton = m_nHotButton = HTNOWHERE;
    RedrawCaption();
  }
  return 0;
}

LRESULT CDockablePane::OnNcLButtonDblClk(WPARAM wParam, LPARAM) {
  if (wParam == HTCAPTION && CanFloat()) {
    ToggleDocking();
    return 0;
  }
  return Default();
}

// The system's own handling of a right click on a caption knows only captions it draws itself: the
// pane asks for its context menu on the release.
LRESULT CDockablePane::OnNcRButtonDown(WPARAM wParam, LPARAM) { return wParam == HTCAPTION ? 0 : Default(); }

LRESULT CDockablePane::OnNcRButtonUp(WPARAM wParam, LPARAM lParam) {
  if (wParam != HTCAPTION) return Default();
  SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), lParam);
  return 0;
}

LRESULT CDockablePane::OnNcMouseMove(WPARAM wParam, LPARAM) {
  const UINT hot = (wParam == HTPANECLOSE || wParam == HTPANEPIN) ? static_cast<UINT>(wParam) : HTNOWHERE;
  if (hot != m_nHotButton && m_nPressedButton == HTNOWHERE) {
    m_nHotButton = hot;
    RedrawCaption();
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE | TME_NONCLIENT, m_hWnd, 0};
    ::TrackMouseEvent(&track);
  }
  return 0;
}

LRESULT CDockablePane::OnNcMouseLeave(WPARAM, LPARAM) {
  if (m_nHotButton != HTNOWHERE && m_nPressedButton == HTNOWHERE) {
    m_nHotButton = HTNOWHERE;
    RedrawCaption();
  }
  return 0;
}

LRESULT CDockablePane::OnSetText(WPARAM, LPARAM) {
  const LRESULT result = Default();
  RedrawCaption();
  if (CBaseTabbedPane* group = GetParentTabbedPane()) group->UpdateTabLabel(this);
  if (m_pAutoHideBar) m_pAutoHideBar->Invalidate();
  return result;
}

LRESULT CDockablePane::OnFocusMoved(WPARAM, LPARAM) {
  if (IsActive() != m_bActiveShown) RedrawCaption();
  if (m_pMiniFrame) m_pMiniFrame->RedrawCaption();
  return 0;
}

// Right clicks on the caption show the frame's pane menu; in the pane's own area they go on to
// whatever the pane does with them.
void CDockablePane::OnContextMenu(CWnd* pWnd, CPoint pos) {
  CRect caption = GetCaptionRect();
  CRect window;
  GetWindowRect(&window);
  caption.OffsetRect(window.TopLeft());
  if (caption.PtInRect(pos)) {
    CPane::OnContextMenu(pWnd, pos);
    return;
  }
  CWnd::OnContextMenu(pWnd, pos);
}

// The pane floats where the mouse holds it and the floating frame follows the mouse from there.
void CDockablePane::BeginCaptionDrag(CPoint ptScreen) {
  CDockablePane* mover = this;
  if (CBaseTabbedPane* group = GetParentTabbedPane()) mover = group;
  CRect window;
  mover->GetWindowRect(&window);
  CSize size = mover->m_rectRecentFloat.IsRectEmpty() ? window.Size() : mover->m_rectRecentFloat.Size();
  size.cy = std::max(size.cy, static_cast<LONG>(2 * fw_docking::CaptionHeight()));
  // Keep the grip on the caption: the same distance from the left edge (within the new width),
  // half a caption below the top.
  const int grabX = std::min(static_cast<int>(m_ptDragStart.x - window.left), static_cast<int>(size.cx) - 8);
  const int grabY = fw_docking::CaptionHeight() / 2 + CPaneFrameWnd::kBorderSize;
  CRect rect(CPoint(ptScreen.x - std::max(grabX, 8), ptScreen.y - grabY), size);
  ReleaseCapture();
  if (!mover->CPane::FloatPane(rect, TRUE)) return;
  if (CPaneFrameWnd* frame = mover->GetParentMiniFrame()) frame->EnterDragMode(ptScreen, TRUE);
}

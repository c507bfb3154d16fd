#include "fw/PaneFrameWnd.h"

#include <algorithm>

#include "DockingInternal.h"
#include "fw/Dc.h"
#include "fw/DockablePane.h"
#include "fw/DockingManager.h"
#include "fw/VisualManager.h"

using fw_docking::PointOf;

IMPLEMENT_DYNCREATE(CPaneFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CPaneFrameWnd, CWnd)
ON_WM_SIZE()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_KEYDOWN()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_MESSAGE(WM_NCCALCSIZE, OnNcCalcSize)
ON_MESSAGE(WM_NCPAINT, OnNcPaint)
ON_MESSAGE(WM_NCACTIVATE, OnNcActivate)
ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
ON_MESSAGE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
ON_MESSAGE(WM_NCRBUTTONDOWN, OnNcRButtonDown)
ON_MESSAGE(WM_NCRBUTTONUP, OnNcRButtonUp)
ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
END_MESSAGE_MAP()

namespace {

CString TitleOf(CBasePane* pane) {
  if (!pane || !pane->m_hWnd) return CString();
  if (pane->IsKindOf(RUNTIME_CLASS(CDockablePane))) return static_cast<CDockablePane*>(pane)->GetCaptionText();
  CString text;
  pane->GetWindowText(text);
  return text;
}

}  // namespace

CPaneFrameWnd::CPaneFrameWnd() = default;
CPaneFrameWnd::~CPaneFrameWnd() = default;

BOOL CPaneFrameWnd::Create(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd) {
  LPCWSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                    reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  CWnd* owner = pParentWnd ? pParentWnd->GetTopLevelParent() : nullptr;
  return CWnd::CreateEx(WS_EX_TOOLWINDOW, cls, lpszWindowName,
                        (dwStyle & ~WS_CHILD) | WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, owner ? owner->m_hWnd : nullptr, nullptr);
}

CSize CPaneFrameWnd::FrameSizeFor(CSize client) {
  return CSize(client.cx + 2 * kBorderSize, client.cy + 2 * kBorderSize + fw_docking::CaptionHeight());
}

void CPaneFrameWnd::AddPane(CBasePane* pWnd) {
  if (!pWnd || !pWnd->m_hWnd || !m_hWnd) return;
  m_pPane = pWnd;
  if (pWnd->IsKindOf(RUNTIME_CLASS(CPane))) static_cast<CPane*>(pWnd)->SetParentMiniFrame(this);
  pWnd->SetParent(this);
  // Afloat, a dockable pane leaves its caption to this frame.
  ::SetWindowPos(pWnd->m_hWnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  CRect client;
  GetClientRect(&client);
  fw_docking::PlaceWindow(pWnd->m_hWnd, client);
  SetWindowText(TitleOf(pWnd));
}

void CPaneFrameWnd::RemovePane(CBasePane* pWnd) {
  if (!pWnd || pWnd != m_pPane) return;
  m_pPane = nullptr;
  if (pWnd->IsKindOf(RUNTIME_CLASS(CPane))) static_cast<CPane*>(pWnd)->SetParentMiniFrame(nullptr);
  if (!pWnd->m_hWnd) return;
  pWnd->ShowWindow(SW_HIDE);
  if (CFrameWnd* site = pWnd->GetDockSiteFrameWnd()) pWnd->SetParent(site);
  ::SetWindowPos(pWnd->m_hWnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CRect CPaneFrameWnd::GetCaptionRect() const {
  if (!m_hWnd) return CRect();
  CRect window;
  GetWindowRect(&window);
  return CRect(kBorderSize, kBorderSize, window.Width() - kBorderSize, kBorderSize + fw_docking::CaptionHeight());
}

CRect CPaneFrameWnd::GetCloseButtonRect() const {
  if (!m_pPane || !m_pPane->CanBeClosed()) return CRect();
  const CRect caption = GetCaptionRect();
  const int size = fw_docking::CaptionButtonSize();
  const int top = caption.top + (caption.Height() - size) / 2;
  return CRect(caption.right - 2 - size, top, caption.right - 2, top + size);
}

void CPaneFrameWnd::RedrawCaption() {
  if (!m_hWnd) return;
  const CString title = TitleOf(m_pPane);
  CString now;
  GetWindowText(now);
  if (now != title) SetWindowText(title);
  ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void CPaneFrameWnd::PostNcDestroy() { delete this; }

void CPaneFrameWnd::OnDestroy() {
  if (m_pManager) {
    m_pManager->OnMiniFrameDestroyed(this);
  } else if (m_pPane && m_pPane->IsKindOf(RUNTIME_CLASS(CPane))) {
    static_cast<CPane*>(m_pPane)->SetParentMiniFrame(nullptr);
  }
  m_pPane = nullptr;
  CWnd::OnDestroy();
}

void CPaneFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (m_pPane && m_pPane->m_hWnd) {
    CRect client;
    GetClientRect(&client);
    fw_docking::PlaceWindow(m_pPane->m_hWnd, client);
  }
  if (m_pPane && m_pPane->IsKindOf(RUNTIME_CLASS(CDockablePane)) && !IsIconic()) {
    CRect window;
    GetWindowRect(&window);
    static_cast<CDockablePane*>(m_pPane)->SetRecentFloatingRect(window);
  }
}

LRESULT CPaneFrameWnd::OnNcCalcSize(WPARAM wParam, LPARAM lParam) {
  RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
  r->left += kBorderSize;
  r->right -= kBorderSize;
  r->top += kBorderSize + fw_docking::CaptionHeight();
  r->bottom -= kBorderSize;
  if (r->right < r->left) r->right = r->left;
  if (r->bottom < r->top) r->bottom = r->top;
  return 0;
}

LRESULT CPaneFrameWnd::OnNcPaint(WPARAM, LPARAM) {
  CWindowDC dc(this);
  CMFCVisualManager* look = CMFCVisualManager::GetInstance();
  CRect window;
  GetWindowRect(&window);
  window.OffsetRect(-window.left, -window.top);
  CRect client = window;
  client.DeflateRect(kBorderSize, kBorderSize + fw_docking::CaptionHeight(), kBorderSize, kBorderSize);
  dc.ExcludeClipRect(&client);
  dc.FillSolidRect(&window, look->Palette().barFace);
  CRect line = window;
  look->OnDrawPaneBorder(&dc, nullptr, line);
  const BOOL active = (m_pPane && m_pPane->IsKindOf(RUNTIME_CLASS(CDockablePane)) &&
                       static_cast<CDockablePane*>(m_pPane)->IsActive()) ||
                      ::GetActiveWindow() == m_hWnd;
  const CRect caption = GetCaptionRect();
  const COLORREF ink = look->OnFillCaption(&dc, caption, active);
  CRect text = caption;
  text.left += 4;
  const CRect close = GetCloseButtonRect();
  if (!close.IsRectEmpty()) {
    text.right = close.left - 2;
    look->OnDrawCaptionButton(&dc, close, CMFCVisualManager::CaptionClose, active, FALSE, m_bClosePressed);
  }
  fw_docking::DrawLabel(dc.m_hDC, TitleOf(m_pPane), text, ink, false, DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS);
  return 0;
}

LRESULT CPaneFrameWnd::OnNcActivate(WPARAM, LPARAM) {
  RedrawCaption();
  return TRUE;
}

LRESULT CPaneFrameWnd::OnNcHitTest(WPARAM, LPARAM lParam) {
  CRect window;
  GetWindowRect(&window);
  const CPoint point(PointOf(lParam) - window.TopLeft());
  const CRect caption = GetCaptionRect();
  if (caption.PtInRect(point)) return GetCloseButtonRect().PtInRect(point) ? HTFRAMECLOSE : HTCAPTION;
  CRect client = window;
  client.OffsetRect(-window.left, -window.top);
  client.DeflateRect(kBorderSize, kBorderSize + fw_docking::CaptionHeight(), kBorderSize, kBorderSize);
  if (client.PtInRect(point)) return HTCLIENT;
  // The borders size a frame whose pane may be resized; a corner takes two sides at once.
  if (!m_pPane || !m_pPane->IsResizable()) return HTBORDER;
  const int corner = 2 * kBorderSize + 4;
  const bool left = point.x < kBorderSize, right = point.x >= window.Width() - kBorderSize;
  const bool top = point.y < kBorderSize, bottom = point.y >= window.Height() - kBorderSize;
  const bool nearLeft = point.x < corner, nearRight = point.x >= window.Width() - corner;
  const bool nearTop = point.y < corner, nearBottom = point.y >= window.Height() - corner;
  if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
  if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
  if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
  if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
  if (left) return HTLEFT;
  if (right) return HTRIGHT;
  if (top) return HTTOP;
  return HTBOTTOM;
}

LRESULT CPaneFrameWnd::OnNcLButtonDown(WPARAM wParam, LPARAM lParam) {
  if (wParam == HTFRAMECLOSE) {
    m_bClosePressed = TRUE;
    SetCapture();
    RedrawCaption();
    return 0;
  }
  if (wParam == HTCAPTION) {
    if (m_pPane && m_pPane->m_hWnd && !::IsChild(m_pPane->m_hWnd, ::GetFocus())) m_pPane->SetFocus();
    EnterDragMode(PointOf(lParam));
    return 0;
  }
  return Default();
}

LRESULT CPaneFrameWnd::OnNcLButtonDblClk(WPARAM wParam, LPARAM) {
  if (wParam != HTCAPTION || !m_pPane) return Default();
  // Docking the pane ends this frame.
  if (m_pPane->IsKindOf(RUNTIME_CLASS(CDockablePane)))
    static_cast<CDockablePane*>(m_pPane)->DockToRecentPos();
  else if (m_pManager)
    m_pManager->DockPane(m_pPane);
  return 0;
}

// A right click on the caption shows the frame's pane menu, as on a docked pane's caption.
LRESULT CPaneFrameWnd::OnNcRButtonDown(WPARAM wParam, LPARAM) { return wParam == HTCAPTION ? 0 : Default(); }

LRESULT CPaneFrameWnd::OnNcRButtonUp(WPARAM wParam, LPARAM lParam) {
  if (wParam != HTCAPTION) return Default();
  if (m_pManager && m_pPane) m_pManager->OnPaneContextMenu(m_pPane, PointOf(lParam));
  return 0;
}

void CPaneFrameWnd::EnterDragMode(CPoint ptScreen, BOOL bMoved) {
  if (!m_hWnd) return;
  CRect window;
  GetWindowRect(&window);
  m_ptGrab = CPoint(ptScreen - window.TopLeft());
  m_bDragging = TRUE;
  m_bMoved = bMoved;
  SetCapture();
  if (bMoved && m_pManager) m_pManager->UpdateDrag(this, ptScreen);
}

void CPaneFrameWnd::OnMouseMove(UINT nFlags, CPoint point) {
  if (!m_bDragging) {
    CWnd::OnMouseMove(nFlags, point);
    return;
  }
  CPoint screen = point;
  ClientToScreen(&screen);
  const CPoint corner(screen - m_ptGrab);
  ::SetWindowPos(m_hWnd, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  m_bMoved = TRUE;
  if (m_pManager) m_pManager->UpdateDrag(this, screen);
}

void CPaneFrameWnd::OnLButtonUp(UINT nFlags, CPoint point) {
  CPoint screen = point;
  ClientToScreen(&screen);
  if (m_bClosePressed) {
    m_bClosePressed = FALSE;
    ReleaseCapture();
    CRect window;
    GetWindowRect(&window);
    RedrawCaption();
    if (GetCloseButtonRect().PtInRect(CPoint(screen - window.TopLeft()))) OnPressClose();
    return;
  }
  if (m_bDragging) {
    EndDrag(m_bMoved, screen);
    return;
  }
  CWnd::OnLButtonUp(nFlags, point);
}

void CPaneFrameWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (m_bDragging && nChar == VK_ESCAPE) {
    EndDrag(FALSE, CPoint());
    return;
  }
  CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

LRESULT CPaneFrameWnd::OnCaptureChanged(WPARAM, LPARAM) {
  if (m_bDragging) EndDrag(FALSE, CPoint());
  if (m_bClosePressed) {
    m_bClosePressed = FALSE;
    RedrawCaption();
  }
  return 0;
}

// Dropping may dock the pane, which ends this frame: nothing of it is used afterwards.
void CPaneFrameWnd::EndDrag(BOOL bDrop, CPoint ptScreen) {
  m_bDragging = FALSE;
  CDockingManager* manager = m_pManager;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  if (!manager) return;
  if (bDrop) manager->Drop(this, ptScreen);
  manager->EndDrag();
}

void CPaneFrameWnd::OnClose() { OnPressClose(); }

void CPaneFrameWnd::OnPressClose() {
  if (!m_pPane) {
    DestroyWindow();
    return;
  }
  if (m_pPane->IsKindOf(RUNTIME_CLASS(CDockablePane)))
    static_cast<CDockablePane*>(m_pPane)->OnPressCloseButton();
  else
    m_pPane->ShowPane(FALSE, FALSE, FALSE);
}

#include "fw/AutoHideBar.h"

#include <algorithm>

#include "DockingInternal.h"
#include "fw/Dc.h"
#include "fw/DockablePane.h"
#include "fw/DockingManager.h"
#include "fw/VisualManager.h"

IMPLEMENT_DYNAMIC(CMFCAutoHideBar, CBasePane)

UINT CMFCAutoHideBar::s_nSlideInDelay = 300;

namespace {
const UINT_PTR kAwayTimer = 1;
const UINT kAwayTick = 100;
const int kButtonGap = 2;
const int kSlideSteps = 4;
const DWORD kSlideStepMs = 12;
}  // namespace

// The part of `rect` (the pane slid out fully) shown at `step` of the slide, next to the strip.
CRect CMFCAutoHideBar::PartOf(const CRect& rect, int step) const {
  const bool horz = (m_dwSide & CBRS_ORIENT_HORZ) != 0;
  return fw_docking::StripAt(rect, m_dwSide, MulDiv(horz ? rect.Height() : rect.Width(), step, kSlideSteps));
}

BEGIN_MESSAGE_MAP(CMFCAutoHideBar, CBasePane)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CMFCAutoHideBar::CMFCAutoHideBar() = default;
CMFCAutoHideBar::~CMFCAutoHideBar() = default;

BOOL CMFCAutoHideBar::Create(CFrameWnd* pDockSite, CDockingManager* pManager, DWORD side) {
  m_pManager = pManager;
  m_dwSide = side;
  SetCurrentAlignment(side);
  LPCWSTR cls = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr);
  return CWnd::CreateEx(0, cls, nullptr, WS_CHILD | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0), pDockSite, 0);
}

int CMFCAutoHideBar::GetThickness() const { return fw_docking::UiTextHeight() + 10; }

CSize CMFCAutoHideBar::CalcFixedLayout(BOOL, BOOL bHorz) {
  return bHorz ? CSize(32767, GetThickness()) : CSize(GetThickness(), 32767);
}

int CMFCAutoHideBar::Find(const CDockablePane* pPane) const {
  for (int i = 0; i < GetPaneCount(); ++i)
    if (m_buttons[i].pane == pPane) return i;
  return -1;
}

void CMFCAutoHideBar::AddPane(CDockablePane* pPane) {
  if (!pPane || Find(pPane) >= 0) return;
  Button button;
  button.pane = pPane;
  m_buttons.Add(button);
  LayoutButtons();
  if (m_hWnd) Invalidate();
}

void CMFCAutoHideBar::RemovePane(CDockablePane* pPane) {
  const int at = Find(pPane);
  if (at < 0) return;
  if (m_pSlidOut == pPane) SlideIn(pPane);
  m_buttons.RemoveAt(at);
  pPane->SetAutoHideToolBar(nullptr);
  pPane->SetAutoHideState(0, FALSE);
  LayoutButtons();
  if (m_hWnd) Invalidate();
}

BOOL CMFCAutoHideBar::HasVisibleButtons() const {
  for (int i = 0; i < GetPaneCount(); ++i)
    if (m_buttons[i].visible) return TRUE;
  return FALSE;
}

void CMFCAutoHideBar::ShowPaneButton(CDockablePane* pPane, BOOL bShow) {
  const int at = Find(pPane);
  if (at < 0) return;
  if (!bShow && m_pSlidOut == pPane) SlideIn(pPane);
  m_buttons[at].visible = bShow;
  LayoutButtons();
  if (m_hWnd) Invalidate();
}

BOOL CMFCAutoHideBar::IsPaneButtonVisible(const CDockablePane* pPane) const {
  const int at = Find(pPane);
  return at >= 0 && m_buttons[at].visible;
}

CRect CMFCAutoHideBar::GetButtonRect(const CDockablePane* pPane) const {
  const int at = Find(pPane);
  return at >= 0 ? m_buttons[at].rect : CRect();
}

// Buttons one after another from the strip's start, each as long as its label, leaving a gap on
// the strip's outer edge.
void CMFCAutoHideBar::LayoutButtons() {
  const bool horz = (m_dwSide & CBRS_ORIENT_HORZ) != 0;
  const int thickness = GetThickness();
  HDC dc = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, fw_docking::UiFont());
  int along = kButtonGap;
  for (int i = 0; i < GetPaneCount(); ++i) {
    Button& button = m_buttons[i];
    if (!button.visible || !button.pane->m_hWnd) {
      button.rect.SetRectEmpty();
      continue;
    }
    const CString label = button.pane->GetCaptionText();
    SIZE extent = {};
    ::GetTextExtentPoint32W(dc, label, label.GetLength(), &extent);
    const int length = extent.cx + 16;
    // The gap is on the side away from the frame's edge.
    const int from = (m_dwSide == CBRS_ALIGN_TOP || m_dwSide == CBRS_ALIGN_LEFT) ? 0 : kButtonGap;
    if (horz)
      button.rect.SetRect(along, from, along + length, from + thickness - kButtonGap);
    else
      button.rect.SetRect(from, along, from + thickness - kButtonGap, along + length);
    along += length + kButtonGap;
  }
  ::SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
}

int CMFCAutoHideBar::ButtonAt(CPoint point) const {
  for (int i = 0; i < GetPaneCount(); ++i)
    if (m_buttons[i].visible && m_buttons[i].rect.PtInRect(point)) return i;
  return -1;
}

BOOL CMFCAutoHideBar::OnEraseBkgnd(CDC*) { return TRUE; }

void CMFCAutoHideBar::OnPaint() {
  CPaintDC dc(this);
  CMFCVisualManager* look = CMFCVisualManager::GetInstance();
  CRect client;
  GetClientRect(&client);
  look->OnFillBarBackground(&dc, this, client, client);
  const bool vertical = (m_dwSide & CBRS_ORIENT_VERT) != 0;
  for (int i = 0; i < GetPaneCount(); ++i) {
    const Button& button = m_buttons[i];
    if (!button.visible || button.rect.IsRectEmpty()) continue;
    look->OnDrawAutoHideButton(&dc, button.rect, button.pane == m_pSlidOut);
    fw_docking::DrawLabel(dc.m_hDC, button.pane->GetCaptionText(), button.rect, look->Palette().text, vertical,
                          DT_CENTER | DT_VCENTER);
  }
}

void CMFCAutoHideBar::OnSize(UINT nType, int cx, int cy) {
  CBasePane::OnSize(nType, cx, cy);
  LayoutButtons();
}

void CMFCAutoHideBar::OnMouseMove(UINT, CPoint point) {
  const int at = ButtonAt(point);
  if (at >= 0 && m_buttons[at].pane != m_pSlidOut) SlideOut(m_buttons[at].pane, FALSE);
}

void CMFCAutoHideBar::OnLButtonDown(UINT, CPoint point) {
  const int at = ButtonAt(point);
  if (at >= 0) SlideOut(m_buttons[at].pane, TRUE);
}

void CMFCAutoHideBar::SlideOut(CDockablePane* pPane, BOOL bActivate) {
  if (!pPane || Find(pPane) < 0 || !m_pManager || !pPane->m_hWnd) return;
  if (m_pSlidOut && m_pSlidOut != pPane) SlideIn(m_pSlidOut);
  m_pSlidOut = pPane;
  pPane->SetAutoHideState(m_dwSide, TRUE);
  const CRect rect = m_pManager->GetSlideOutRect(pPane);
  // The pane grows out of the strip in a few steps, then stands at its full size.
  for (int step = 1; step <= kSlideSteps; ++step) {
    const CRect part = PartOf(rect, step);
    ::SetWindowPos(pPane->m_hWnd, HWND_TOP, part.left, part.top, part.Width(), part.Height(),
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::UpdateWindow(pPane->m_hWnd);
    if (step < kSlideSteps) ::Sleep(kSlideStepMs);
  }
  if (bActivate) pPane->SetFocus();
  m_nAwayMs = 0;
  SetTimer(kAwayTimer, kAwayTick);
  Invalidate();
}

void CMFCAutoHideBar::SlideIn(CDockablePane* pPane) {
  if (!pPane || pPane != m_pSlidOut) return;
  m_pSlidOut = nullptr;
  if (m_hWnd) KillTimer(kAwayTimer);
  const BOOL hadFocus = pPane->IsActive();
  pPane->SetAutoHideState(m_dwSide, FALSE);
  if (pPane->m_hWnd) {
    CRect rect;
    pPane->GetWindowRect(&rect);
    if (CWnd* frame = GetParent()) frame->ScreenToClient(&rect);
    // Back into the strip the way it came.
    for (int step = kSlideSteps - 1; step > 0; --step) {
      const CRect part = PartOf(rect, step);
      ::SetWindowPos(pPane->m_hWnd, nullptr, part.left, part.top, part.Width(), part.Height(),
                     SWP_NOACTIVATE | SWP_NOZORDER);
      ::UpdateWindow(pPane->m_hWnd);
      ::Sleep(kSlideStepMs);
    }
    pPane->ShowWindow(SW_HIDE);
  }
  // The focus goes back to the documents rather than staying in a hidden pane.
  if (hadFocus)
    if (CWnd* frame = GetParent()) frame->SetFocus();
  if (m_hWnd) Invalidate();
}

void CMFCAutoHideBar::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kAwayTimer) {
    CBasePane::OnTimer(nIDEvent);
    return;
  }
  if (!m_pSlidOut) {
    KillTimer(kAwayTimer);
    return;
  }
  CPoint cursor;
  ::GetCursorPos(&cursor);
  CRect pane, button = GetButtonRect(m_pSlidOut);
  m_pSlidOut->GetWindowRect(&pane);
  ClientToScreen(&button);
  if (pane.PtInRect(cursor) || button.PtInRect(cursor) || m_pSlidOut->IsActive()) {
    m_nAwayMs = 0;
    return;
  }
  m_nAwayMs += kAwayTick;
  if (m_nAwayMs >= s_nSlideInDelay) SlideIn(m_pSlidOut);
}

void CMFCAutoHideBar::OnDestroy() {
  KillTimer(kAwayTimer);
  for (int i = 0; i < GetPaneCount(); ++i) {
    m_buttons[i].pane->SetAutoHideToolBar(nullptr);
    m_buttons[i].pane->SetAutoHideState(0, FALSE);
  }
  m_buttons.RemoveAll();
  m_pSlidOut = nullptr;
  CBasePane::OnDestroy();
}

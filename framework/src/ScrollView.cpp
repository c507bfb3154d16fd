#include <algorithm>

#include "fw/View.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
ON_WM_SIZE()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

CScrollView::CScrollView() = default;

namespace {

// Logical size to device pixels on the screen in `mapMode` (y grows downwards in the result).
CSize ToDevice(int mapMode, SIZE logical) {
  HDC screen = ::GetDC(nullptr);
  ::SetMapMode(screen, mapMode);
  POINT p[2] = {{0, 0}, {logical.cx, logical.cy}};
  ::LPtoDP(screen, p, 2);
  ::ReleaseDC(nullptr, screen);
  return CSize(abs(p[1].x - p[0].x), abs(p[1].y - p[0].y));
}

}  // namespace

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine) {
  m_nMapMode = nMapMode;
  m_totalLog = sizeTotal;
  m_totalDev = ToDevice(nMapMode, sizeTotal);
  m_pageDev = ToDevice(nMapMode, sizePage);
  m_lineDev = ToDevice(nMapMode, sizeLine);
  if (m_pageDev.cx == 0) m_pageDev.cx = m_totalDev.cx / 10;
  if (m_pageDev.cy == 0) m_pageDev.cy = m_totalDev.cy / 10;
  if (m_lineDev.cx == 0) m_lineDev.cx = std::max<LONG>(1, m_pageDev.cx / 10);
  if (m_lineDev.cy == 0) m_lineDev.cy = std::max<LONG>(1, m_pageDev.cy / 10);
  if (m_hWnd) {
    UpdateBars();
    Invalidate(TRUE);
  }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const {
  nMapMode = m_nMapMode;
  sizeTotal = m_totalDev;
  sizePage = m_pageDev;
  sizeLine = m_lineDev;
}

CPoint CScrollView::GetDeviceScrollPosition() const {
  return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const {
  CPoint pt = GetDeviceScrollPosition();
  if (m_nMapMode != MM_TEXT) {
    HDC screen = ::GetDC(nullptr);
    ::SetMapMode(screen, m_nMapMode);
    ::DPtoLP(screen, &pt, 1);
    ::ReleaseDC(nullptr, screen);
  }
  return pt;
}

void CScrollView::ScrollToPosition(POINT pt) {
  if (m_nMapMode != MM_TEXT) {
    HDC screen = ::GetDC(nullptr);
    ::SetMapMode(screen, m_nMapMode);
    ::LPtoDP(screen, &pt, 1);
    ::ReleaseDC(nullptr, screen);
    pt.y = abs(pt.y);
  }
  const CPoint now = GetDeviceScrollPosition();
  OnScrollBy(CSize(pt.x - now.x, pt.y - now.y), TRUE);
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  pDC->SetMapMode(m_nMapMode);
  if (!pInfo && !pDC->IsPrinting()) {
    const CPoint pos = GetDeviceScrollPosition();
    pDC->SetViewportOrg(-pos.x, -pos.y);
  }
  CView::OnPrepareDC(pDC, pInfo);
}

// Showing one bar shrinks the client area the other bar's page depends on, so the bars are set
// until the client size stops changing.
void CScrollView::UpdateBars() {
  CRect client, before;
  for (int pass = 0; pass < 3; ++pass) {
    GetClientRect(&client);
    if (pass > 0 && client == before) break;
    before = client;
    const struct {
      int bar;
      LONG total, page;
    } bars[] = {{SB_HORZ, m_totalDev.cx, client.Width()}, {SB_VERT, m_totalDev.cy, client.Height()}};
    for (const auto& b : bars) {
      SCROLLINFO info = {sizeof(info)};
      info.fMask = SIF_PAGE | SIF_RANGE;
      info.nMin = 0;
      info.nMax = b.total > b.page ? b.total - 1 : 0;
      info.nPage = b.total > b.page ? static_cast<UINT>(b.page) : 0;
      SetScrollInfo(b.bar, &info, TRUE);
    }
  }
}

void CScrollView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  UpdateBars();
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll) {
  const UINT horzCode = LOBYTE(nScrollCode), vertCode = HIBYTE(nScrollCode);
  CSize delta(0, 0);
  struct Axis {
    UINT code;
    int bar;
    LONG page, line;
    LONG* out;
  } axes[] = {{horzCode, SB_HORZ, m_pageDev.cx, m_lineDev.cx, &delta.cx},
              {vertCode, SB_VERT, m_pageDev.cy, m_lineDev.cy, &delta.cy}};
  for (const Axis& a : axes) {
    const int now = GetScrollPos(a.bar);
    int target = now;
    switch (a.code) {
      case SB_TOP: target = 0; break;
      case SB_BOTTOM: target = INT_MAX; break;
      case SB_LINEUP: target = now - a.line; break;
      case SB_LINEDOWN: target = now + a.line; break;
      case SB_PAGEUP: target = now - a.page; break;
      case SB_PAGEDOWN: target = now + a.page; break;
      case SB_THUMBTRACK: target = static_cast<int>(nPos); break;
      default: break;
    }
    *a.out = target - now;
  }
  return OnScrollBy(delta, bDoScroll);
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll) {
  const struct {
    int bar;
    LONG* delta;
  } axes[] = {{SB_HORZ, &sizeScroll.cx}, {SB_VERT, &sizeScroll.cy}};
  for (const auto& a : axes) {
    SCROLLINFO info;
    GetScrollInfo(a.bar, &info, SIF_ALL);
    const int maxPos = std::max(0, info.nMax - std::max(0, static_cast<int>(info.nPage) - 1));
    const int now = info.nPos;
    const int target = std::min(std::max(now + static_cast<int>(*a.delta), 0), maxPos);
    *a.delta = target - now;
  }
  if (sizeScroll.cx == 0 && sizeScroll.cy == 0) return FALSE;
  if (bDoScroll) {
    const CPoint now = GetDeviceScrollPosition();
    SetScrollPos(SB_HORZ, now.x + sizeScroll.cx);
    SetScrollPos(SB_VERT, now.y + sizeScroll.cy);
    ScrollWindow(-sizeScroll.cx, -sizeScroll.cy);
  }
  return TRUE;
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*) { OnScroll(MAKEWORD(nSBCode, 0xFF), nPos); }
void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) { OnScroll(MAKEWORD(0xFF, nSBCode), nPos); }

// One wheel notch scrolls the system's wheel lines vertically (a page when it says so).
BOOL CScrollView::OnMouseWheel(UINT, short zDelta, CPoint) {
  UINT lines = 3;
  ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const LONG step = lines == WHEEL_PAGESCROLL ? m_pageDev.cy : m_lineDev.cy * static_cast<LONG>(lines);
  return OnScrollBy(CSize(0, -MulDiv(zDelta, step, WHEEL_DELTA)), TRUE);
}

void CScrollView::FillOutsideRect(CDC* pDC, CBrush* pBrush) {
  CRect client;
  GetClientRect(&client);
  const CPoint pos = GetDeviceScrollPosition();
  const int rightEdge = m_totalDev.cx - pos.x, bottomEdge = m_totalDev.cy - pos.y;
  const int saved = pDC->SaveDC();
  pDC->SetMapMode(MM_TEXT);
  pDC->SetViewportOrg(0, 0);
  if (rightEdge < client.right) {
    CRect r(rightEdge, 0, client.right, client.bottom);
    pDC->FillRect(&r, pBrush);
  }
  if (bottomEdge < client.bottom) {
    CRect r(0, bottomEdge, client.right, client.bottom);
    pDC->FillRect(&r, pBrush);
  }
  pDC->RestoreDC(saved);
}

#include "fw/SmartDocking.h"

#include "fw/Dc.h"
#include "fw/PaneStyles.h"
#include "fw/VisualManager.h"

namespace {

const DWORD kFeedbackExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT;
const int kEdgeInset = 8;
const int kOutlineWidth = 4;

LPCWSTR FeedbackClass() { return AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr); }

}  // namespace

// One marker: a square with an arrow pointing where the pane would go, or a small tab shape for
// "as a tab"; drawn in the look's colours, in its hot colours while the mouse is over it.
class CSmartDockingMarker : public CWnd {
 public:
  explicit CSmartDockingMarker(CSmartDockingManager::Marker marker) : m_marker(marker) {}
  BOOL Make(CWnd* pOwner) {
    return CreateEx(kFeedbackExStyle, FeedbackClass(), nullptr, WS_POPUP, 0, 0, 0, 0,
                    pOwner ? pOwner->m_hWnd : nullptr, nullptr);
  }
  void SetHighlight(BOOL bHighlight) {
    if (m_bHighlight == bHighlight) return;
    m_bHighlight = bHighlight;
    if (m_hWnd) RedrawWindow();
  }
  void PostNcDestroy() override {}

 protected:
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    CMFCVisualManager* look = CMFCVisualManager::GetInstance();
    const FwLookPalette& palette = look->Palette();
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_bHighlight ? palette.buttonHot : palette.barFaceLight);
    dc.Draw3dRect(&client, m_bHighlight ? palette.buttonHotBorder : palette.barBorder,
                  m_bHighlight ? palette.buttonHotBorder : palette.barBorder);
    const COLORREF ink = palette.captionActive;
    const CPoint c = client.CenterPoint();
    const DWORD side = CSmartDockingManager::SideOf(m_marker);
    if (side == 0) {
      // A page with a tab on top of it.
      dc.FillSolidRect(c.x - 8, c.y - 5, 16, 12, ink);
      dc.FillSolidRect(c.x - 8, c.y - 9, 7, 4, ink);
      return;
    }
    // A triangle pointing towards the side, widening away from it.
    for (int d = 0; d < 8; ++d) {
      switch (side) {
        case CBRS_ALIGN_LEFT: dc.FillSolidRect(c.x - 4 + d, c.y - d, 1, 2 * d + 1, ink); break;
        case CBRS_ALIGN_RIGHT: dc.FillSolidRect(c.x + 4 - d, c.y - d, 1, 2 * d + 1, ink); break;
        case CBRS_ALIGN_TOP: dc.FillSolidRect(c.x - d, c.y - 4 + d, 2 * d + 1, 1, ink); break;
        default: dc.FillSolidRect(c.x - d, c.y + 4 - d, 2 * d + 1, 1, ink); break;
      }
    }
  }
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }

  CSmartDockingManager::Marker m_marker;
  BOOL m_bHighlight = FALSE;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSmartDockingMarker, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CSmartDockingManager::CSmartDockingManager() = default;

CSmartDockingManager::~CSmartDockingManager() {
  for (CSmartDockingMarker*& marker : m_markers) {
    if (marker && marker->m_hWnd) marker->DestroyWindow();
    delete marker;
    marker = nullptr;
  }
}

DWORD CSmartDockingManager::SideOf(Marker marker) {
  switch (marker) {
    case EdgeLeft:
    case CentreLeft: return CBRS_ALIGN_LEFT;
    case EdgeTop:
    case CentreTop: return CBRS_ALIGN_TOP;
    case EdgeRight:
    case CentreRight: return CBRS_ALIGN_RIGHT;
    case EdgeBottom:
    case CentreBottom: return CBRS_ALIGN_BOTTOM;
    default: return 0;
  }
}

void CSmartDockingManager::ShowMarker(Marker marker, const CRect& rect, BOOL bShow) {
  CSmartDockingMarker*& wnd = m_markers[marker];
  if (!bShow) {
    if (wnd && wnd->m_hWnd && (wnd->GetStyle() & WS_VISIBLE)) wnd->ShowWindow(SW_HIDE);
    return;
  }
  if (!wnd) wnd = new CSmartDockingMarker(marker);
  if (!wnd->m_hWnd && !wnd->Make(m_pOwner)) return;
  wnd->SetHighlight(marker == m_highlighted);
  ::SetWindowPos(wnd->m_hWnd, HWND_TOPMOST, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CSmartDockingManager::Show(CWnd* pOwner, const CRect& rectDockArea, DWORD dwSides) {
  if (m_pOwner != pOwner) {
    Hide();
    for (CSmartDockingMarker*& marker : m_markers) {
      if (marker && marker->m_hWnd) marker->DestroyWindow();
      delete marker;
      marker = nullptr;
    }
    m_pOwner = pOwner;
  }
  m_bShown = TRUE;
  const CPoint c = rectDockArea.CenterPoint();
  const int s = kMarkerSize, half = kMarkerSize / 2;
  const CRect rects[4] = {
      CRect(rectDockArea.left + kEdgeInset, c.y - half, rectDockArea.left + kEdgeInset + s, c.y + half),
      CRect(c.x - half, rectDockArea.top + kEdgeInset, c.x + half, rectDockArea.top + kEdgeInset + s),
      CRect(rectDockArea.right - kEdgeInset - s, c.y - half, rectDockArea.right - kEdgeInset, c.y + half),
      CRect(c.x - half, rectDockArea.bottom - kEdgeInset - s, c.x + half, rectDockArea.bottom - kEdgeInset)};
  for (int m = EdgeLeft; m <= EdgeBottom; ++m)
    ShowMarker(static_cast<Marker>(m), rects[m], (dwSides & SideOf(static_cast<Marker>(m))) != 0);
}

void CSmartDockingManager::ShowCentre(CDockablePane* pTarget, const CRect& rectTarget, DWORD dwSides, BOOL bTab) {
  m_pCentreTarget = pTarget;
  const CPoint c = rectTarget.CenterPoint();
  const int s = kMarkerSize, half = kMarkerSize / 2, step = kMarkerSize + 2;
  const CRect tab(c.x - half, c.y - half, c.x - half + s, c.y - half + s);
  CRect moved = tab;
  ShowMarker(CentreTab, tab, bTab);
  moved = tab;
  moved.OffsetRect(-step, 0);
  ShowMarker(CentreLeft, moved, (dwSides & CBRS_ALIGN_LEFT) != 0);
  moved = tab;
  moved.OffsetRect(step, 0);
  ShowMarker(CentreRight, moved, (dwSides & CBRS_ALIGN_RIGHT) != 0);
  moved = tab;
  moved.OffsetRect(0, -step);
  ShowMarker(CentreTop, moved, (dwSides & CBRS_ALIGN_TOP) != 0);
  moved = tab;
  moved.OffsetRect(0, step);
  ShowMarker(CentreBottom, moved, (dwSides & CBRS_ALIGN_BOTTOM) != 0);
}

void CSmartDockingManager::HideCentre() {
  m_pCentreTarget = nullptr;
  for (int m = CentreLeft; m <= CentreTab; ++m) ShowMarker(static_cast<Marker>(m), CRect(), FALSE);
  if (m_highlighted >= CentreLeft) Highlight(MarkerNone);
}

void CSmartDockingManager::Hide() {
  Highlight(MarkerNone);
  m_pCentreTarget = nullptr;
  m_bShown = FALSE;
  for (int m = 0; m < MarkerCount; ++m) ShowMarker(static_cast<Marker>(m), CRect(), FALSE);
}

BOOL CSmartDockingManager::IsMarkerShown(Marker marker) const {
  if (marker <= MarkerNone || marker >= MarkerCount) return FALSE;
  const CSmartDockingMarker* wnd = m_markers[marker];
  return wnd && wnd->m_hWnd && (wnd->GetStyle() & WS_VISIBLE);
}

CRect CSmartDockingManager::GetMarkerRect(Marker marker) const {
  if (!IsMarkerShown(marker)) return CRect();
  CRect rect;
  m_markers[marker]->GetWindowRect(&rect);
  return rect;
}

CSmartDockingManager::Marker CSmartDockingManager::MarkerFromPoint(CPoint ptScreen) const {
  for (int m = 0; m < MarkerCount; ++m) {
    const CRect rect = GetMarkerRect(static_cast<Marker>(m));
    if (!rect.IsRectEmpty() && rect.PtInRect(ptScreen)) return static_cast<Marker>(m);
  }
  return MarkerNone;
}

void CSmartDockingManager::Highlight(Marker marker) {
  if (marker == m_highlighted) return;
  if (m_highlighted != MarkerNone && m_markers[m_highlighted]) m_markers[m_highlighted]->SetHighlight(FALSE);
  m_highlighted = marker;
  if (marker != MarkerNone && m_markers[marker]) m_markers[marker]->SetHighlight(TRUE);
}

// The outline: a window shaped as a ring around the rectangle, so what lies inside stays visible.
class CDockingOutlineWnd : public CWnd {
 public:
  void PostNcDestroy() override {}

 protected:
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, CMFCVisualManager::GetInstance()->Palette().captionActive);
  }
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDockingOutlineWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CDockingOutline::CDockingOutline() = default;

CDockingOutline::~CDockingOutline() {
  if (m_pWnd && m_pWnd->m_hWnd) m_pWnd->DestroyWindow();
  delete m_pWnd;
}

void CDockingOutline::Show(CWnd* pOwner, const CRect& rectScreen) {
  if (rectScreen.IsRectEmpty()) {
    Hide();
    return;
  }
  if (!m_pWnd) m_pWnd = new CDockingOutlineWnd;
  if (!m_pWnd->m_hWnd &&
      !m_pWnd->CreateEx(kFeedbackExStyle, FeedbackClass(), nullptr, WS_POPUP, 0, 0, 0, 0,
                        pOwner ? pOwner->m_hWnd : nullptr, nullptr))
    return;
  if (rectScreen == m_rect && (m_pWnd->GetStyle() & WS_VISIBLE)) return;
  m_rect = rectScreen;
  HRGN ring = ::CreateRectRgn(0, 0, rectScreen.Width(), rectScreen.Height());
  HRGN hole = ::CreateRectRgn(kOutlineWidth, kOutlineWidth, rectScreen.Width() - kOutlineWidth,
                              rectScreen.Height() - kOutlineWidth);
  ::CombineRgn(ring, ring, hole, RGN_DIFF);
  ::DeleteObject(hole);
  ::SetWindowPos(m_pWnd->m_hWnd, HWND_TOPMOST, rectScreen.left, rectScreen.top, rectScreen.Width(),
                 rectScreen.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::SetWindowRgn(m_pWnd->m_hWnd, ring, TRUE);  // the window owns the region from here on
}

void CDockingOutline::Hide() {
  m_rect.SetRectEmpty();
  if (m_pWnd && m_pWnd->m_hWnd && (m_pWnd->GetStyle() & WS_VISIBLE)) m_pWnd->ShowWindow(SW_HIDE);
}

BOOL CDockingOutline::IsShown() const { return m_pWnd && m_pWnd->m_hWnd && (m_pWnd->GetStyle() & WS_VISIBLE); }

CRect CDockingOutline::GetRect() const { return IsShown() ? m_rect : CRect(); }

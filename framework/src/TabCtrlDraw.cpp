// CMFCTabCtrl: where the tabs and the strip's buttons go, how they are drawn through the visual
// manager, and what the mouse does with them.
#include <stdlib.h>

#include <algorithm>

#include "DockingInternal.h"
#include "PaintOffScreen.h"
#include "fw/Dc.h"
#include "fw/Menu.h"
#include "fw/PaneStyles.h"
#include "fw/TabCtrl.h"
#include "fw/VisualManager.h"

IMPLEMENT_DYNCREATE(CMFCTabCtrl, CMFCBaseTabCtrl)

BEGIN_MESSAGE_MAP(CMFCTabCtrl, CMFCBaseTabCtrl)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
END_MESSAGE_MAP()

namespace {

const int kTabPadding = 8;     // left and right of a label
const int kFirstTabIndent = 2;

int ButtonSide(const CRect& strip) { return std::max(static_cast<int>(strip.Height()) - 6, 8); }

}  // namespace

CMFCTabCtrl::CMFCTabCtrl() = default;
CMFCTabCtrl::~CMFCTabCtrl() = default;

BOOL CMFCTabCtrl::Create(Style style, const RECT& rect, CWnd* pParentWnd, UINT nID, Location location,
                         BOOL bCloseBtn) {
  m_style = style;
  m_location = location;
  m_bCloseButton = bCloseBtn;
  // One-note tabs come in colours of their own.
  if (style == STYLE_3D_ONENOTE) m_bAutoColor = TRUE;
  LPCWSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), nullptr);
  return CWnd::CreateEx(0, cls, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect,
                        pParentWnd, nID);
}

void CMFCTabCtrl::ModifyTabStyle(Style style) {
  m_style = style;
  if (style == STYLE_3D_ONENOTE) m_bAutoColor = TRUE;
  RecalcLayout();
}

void CMFCTabCtrl::SetFlatFrame(BOOL bFlat, BOOL bRepaint) {
  m_bFlatFrame = bFlat;
  if (bRepaint) RecalcLayout();
}

void CMFCTabCtrl::EnableTabDocumentsMenu(BOOL bEnable) {
  m_bTabDocumentsMenu = bEnable;
  RecalcLayout();
}

void CMFCTabCtrl::EnableCloseButton(BOOL bEnable) {
  m_bCloseButton = bEnable;
  RecalcLayout();
}

CRect CMFCTabCtrl::GetButtonRect(Button button) const {
  return button > ButtonNone && button <= ButtonActiveClose ? m_rectButtons[button] : CRect();
}

// The room for the slanted side of one-note and rounded tabs.
int CMFCTabCtrl::Slant(const CRect& strip) const {
  const BOOL rounded = CMFCVisualManager::GetInstance()->Palette().roundedTabs;
  return (IsOneNoteStyle() || rounded || m_style == STYLE_3D_VS2005 || m_style == STYLE_3D_ROUNDED ||
          m_style == STYLE_3D_ROUNDED_SCROLL)
             ? strip.Height() / 2
             : 0;
}

int CMFCTabCtrl::TabWidth(int iTab, CDC* pDC) const {
  const CRect strip = StripRect();
  int width = pDC->GetTextExtent(m_tabs[iTab].label).cx + 2 * kTabPadding + Slant(strip);
  if (iTab == m_iActiveTab && m_bActiveTabCloseButton) width += ButtonSide(strip) + 2;
  return width;
}

CRect CMFCTabCtrl::StripRect() const {
  CRect top, bottom;
  GetTabArea(top, bottom);
  return m_location == LOCATION_TOP ? top : bottom;
}

void CMFCTabCtrl::RecalcLayout() {
  if (!m_hWnd) return;
  LayoutTabs();
  EnsureVisible(m_iActiveTab);
  ShowActiveWindow();
  Invalidate();
}

void CMFCTabCtrl::LayoutTabs() {
  for (CRect& r : m_rectButtons) r.SetRectEmpty();
  for (int i = 0; i < GetTabsNum(); ++i) m_tabs[i].rect.SetRectEmpty();
  m_iLastShown = -1;
  const CRect strip = StripRect();
  if (strip.IsRectEmpty()) {
    m_rectTabStrip.SetRectEmpty();
    return;
  }
  CClientDC dc(this);
  HGDIOBJ oldFont = ::SelectObject(dc.m_hDC, fw_docking::UiFont());
  const int side = ButtonSide(strip);
  const int buttonTop = strip.top + (strip.Height() - side) / 2;
  int right = strip.right - 2;
  // Right end, from the outside in: close, the tabs' menu, then the scroll buttons when needed.
  const auto takeButton = [&](Button button) {
    m_rectButtons[button].SetRect(right - side, buttonTop, right, buttonTop + side);
    right -= side + 1;
  };
  if (m_bCloseButton) takeButton(ButtonClose);
  if (m_bTabDocumentsMenu) takeButton(ButtonMenu);
  int total = 0;
  for (int i = 0; i < GetTabsNum(); ++i)
    if (m_tabs[i].visible) total += TabWidth(i, &dc);
  const int left = strip.left + kFirstTabIndent;
  m_bScroll = total > right - left;
  if (m_bScroll) {
    takeButton(ButtonScrollRight);
    takeButton(ButtonScrollLeft);
  } else {
    m_iFirstVisible = 0;
  }
  m_rectTabStrip.SetRect(left, strip.top, std::max(left, right - 1), strip.bottom);
  if (m_iFirstVisible >= GetTabsNum()) m_iFirstVisible = std::max(0, GetTabsNum() - 1);
  // Tabs on top stand on the window area; tabs at the bottom hang from it.
  const int tabTop = m_location == LOCATION_TOP ? strip.top + 2 : strip.top;
  const int tabBottom = m_location == LOCATION_TOP ? strip.bottom : strip.bottom - 2;
  int x = left;
  for (int i = m_iFirstVisible; i < GetTabsNum(); ++i) {
    if (!m_tabs[i].visible) continue;
    const int width = TabWidth(i, &dc);
    // The first tab shown always gets its place, cut to the strip when it is wider.
    if (x + width > m_rectTabStrip.right && m_iLastShown >= 0) break;
    m_tabs[i].rect.SetRect(x, tabTop, std::min(x + width, static_cast<int>(m_rectTabStrip.right)), tabBottom);
    m_iLastShown = i;
    x += width;
  }
  if (m_iActiveTab >= 0 && m_bActiveTabCloseButton && !m_tabs[m_iActiveTab].rect.IsRectEmpty()) {
    const CRect& tab = m_tabs[m_iActiveTab].rect;
    const int closeTop = tab.top + (tab.Height() - side) / 2;
    m_rectButtons[ButtonActiveClose].SetRect(tab.right - side - 3, closeTop, tab.right - 3, closeTop + side);
  }
  ::SelectObject(dc.m_hDC, oldFont);
}

void CMFCTabCtrl::EnsureVisible(int iTab) {
  if (iTab < 0 || iTab >= GetTabsNum() || !m_bScroll) return;
  if (iTab < m_iFirstVisible) {
    m_iFirstVisible = iTab;
    LayoutTabs();
  }
  while (m_tabs[iTab].rect.IsRectEmpty() && m_iFirstVisible < iTab) {
    ++m_iFirstVisible;
    LayoutTabs();
  }
}

HMENU CMFCTabCtrl::BuildTabsMenu() const {
  HMENU menu = ::CreatePopupMenu();
  for (int i = 0; i < GetTabsNum(); ++i) {
    if (!m_tabs[i].visible) continue;
    const UINT flags = MF_STRING | (i == m_iActiveTab ? MF_CHECKED : MF_UNCHECKED);
    ::AppendMenuW(menu, flags, static_cast<UINT_PTR>(i + 1), m_tabs[i].label);
  }
  return menu;
}

void CMFCTabCtrl::ShowTabsMenu() {
  HMENU menu = BuildTabsMenu();
  CRect button = m_rectButtons[ButtonMenu];
  ClientToScreen(&button);
  const UINT align = m_location == LOCATION_TOP ? TPM_TOPALIGN : TPM_BOTTOMALIGN;
  const int y = m_location == LOCATION_TOP ? button.bottom : button.top;
  const int chosen = static_cast<int>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTALIGN | align | TPM_NONOTIFY,
                                                       button.right, y, 0, m_hWnd, nullptr));
  ::DestroyMenu(menu);
  if (chosen > 0 && SetActiveTab(chosen - 1)) EnsureVisible(chosen - 1);
}

void CMFCTabCtrl::OnButton(Button button) {
  switch (button) {
    case ButtonScrollLeft:
      if (m_iFirstVisible > 0) --m_iFirstVisible;
      LayoutTabs();
      Invalidate();
      break;
    case ButtonScrollRight:
      if (m_iLastShown >= 0 && m_iLastShown < GetTabsNum() - 1) ++m_iFirstVisible;
      LayoutTabs();
      Invalidate();
      break;
    case ButtonMenu:
      ShowTabsMenu();
      break;
    case ButtonClose:
    case ButtonActiveClose:
      OnActiveTabCloseButton();
      break;
    case ButtonNone:
      break;
  }
}

CMFCTabCtrl::Button CMFCTabCtrl::ButtonAt(CPoint point) const {
  for (int b = ButtonScrollLeft; b <= ButtonActiveClose; ++b)
    if (!m_rectButtons[b].IsRectEmpty() && m_rectButtons[b].PtInRect(point)) return static_cast<Button>(b);
  return ButtonNone;
}

BOOL CMFCTabCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

// Drawn off screen and copied at once, so switching tabs does not flicker.
void CMFCTabCtrl::OnPaint() {
  fw_internal::PaintOffScreen(this, [this](CDC* dc) { Draw(dc); });
}

void CMFCTabCtrl::Draw(CDC* pDC) {
  CMFCVisualManager* look = CMFCVisualManager::GetInstance();
  const FwLookPalette& palette = look->Palette();
  CRect client, area;
  GetClientRect(&client);
  GetWndArea(area);
  pDC->FillSolidRect(&area, palette.barFace);
  const CRect strip = StripRect();
  if (strip.IsRectEmpty()) return;
  look->OnEraseTabsArea(pDC, strip);
  // The line between the strip and the window area, which the active tab opens.
  const int edge = m_location == LOCATION_TOP ? strip.bottom - 1 : strip.top;
  pDC->FillSolidRect(strip.left, edge, strip.Width(), 1, palette.tabBorder);
  if (!m_bFlatFrame && !area.IsRectEmpty()) pDC->Draw3dRect(&area, palette.tabBorder, palette.tabBorder);
  const BOOL bottom = m_location == LOCATION_BOTTOM;
  const int slant = Slant(strip);
  HGDIOBJ oldFont = ::SelectObject(pDC->m_hDC, fw_docking::UiFont());
  // Inactive tabs first, the active one last on top of its neighbours.
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < GetTabsNum(); ++i) {
      const CRect& rect = m_tabs[i].rect;
      if (rect.IsRectEmpty() || (i == m_iActiveTab) != (pass == 1)) continue;
      const COLORREF ink =
          look->OnDrawTab(pDC, rect, i == m_iActiveTab, bottom, IsOneNoteStyle(), GetTabBkColor(i));
      CRect label = rect;
      label.left += slant + kTabPadding;
      label.right -= kTabPadding;
      if (i == m_iActiveTab && !m_rectButtons[ButtonActiveClose].IsRectEmpty())
        label.right = m_rectButtons[ButtonActiveClose].left - 2;
      fw_docking::DrawLabel(pDC->m_hDC, m_tabs[i].label, label, ink, false,
                            DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS);
    }
  }
  ::SelectObject(pDC->m_hDC, oldFont);
  for (int b = ButtonScrollLeft; b <= ButtonActiveClose; ++b)
    if (!m_rectButtons[b].IsRectEmpty()) DrawButton(pDC, static_cast<Button>(b), m_rectButtons[b]);
}

void CMFCTabCtrl::DrawButton(CDC* pDC, Button button, const CRect& rect) {
  CMFCVisualManager* look = CMFCVisualManager::GetInstance();
  const BOOL hot = m_hotButton == button;
  const BOOL pressed = m_pressedButton == button && hot;
  switch (button) {
    case ButtonClose:
    case ButtonActiveClose:
      look->OnDrawCaptionButton(pDC, rect, CMFCVisualManager::CaptionClose, FALSE, hot, pressed);
      return;
    case ButtonMenu:
      look->OnDrawCaptionButton(pDC, rect, CMFCVisualManager::CaptionMenu, FALSE, hot, pressed);
      return;
    case ButtonScrollLeft:
    case ButtonScrollRight: {
      if (hot || pressed) {
        look->OnFillButtonInterior(pDC, rect, pressed ? CMFCVisualManager::ButtonsIsPressed
                                                      : CMFCVisualManager::ButtonsIsHighlighted, FALSE);
        look->OnDrawButtonBorder(pDC, rect, pressed ? CMFCVisualManager::ButtonsIsPressed
                                                    : CMFCVisualManager::ButtonsIsHighlighted, FALSE);
      }
      // A small triangle pointing the way the tabs scroll; grey when there is nothing more that way.
      const BOOL more = button == ButtonScrollLeft ? m_iFirstVisible > 0
                                                   : (m_iLastShown >= 0 && m_iLastShown < GetTabsNum() - 1);
      const COLORREF ink = look->GetButtonTextColor(CMFCVisualManager::ButtonsIsRegular, !more);
      const CPoint c = rect.CenterPoint();
      for (int d = 0; d < 4; ++d) {
        const int x = button == ButtonScrollLeft ? c.x - 2 + d : c.x + 1 - d;
        pDC->FillSolidRect(x, c.y - d, 1, 2 * d + 1, ink);
      }
      return;
    }
    case ButtonNone:
      return;
  }
}

void CMFCTabCtrl::OnLButtonDown(UINT, CPoint point) {
  const Button button = ButtonAt(point);
  if (button != ButtonNone) {
    m_pressedButton = m_hotButton = button;
    SetCapture();
    Invalidate();
    return;
  }
  const int tab = GetTabFromPoint(point);
  if (tab < 0) return;
  SetActiveTab(tab);
  if (!m_hWnd || GetTabFromPoint(point) != tab) return;  // the activation may have changed the strip
  m_iPressedTab = tab;
  m_ptPressed = point;
  SetCapture();
}

void CMFCTabCtrl::OnMouseMove(UINT, CPoint point) {
  if (m_pressedButton != ButtonNone) {
    const Button hot = ButtonAt(point) == m_pressedButton ? m_pressedButton : ButtonNone;
    if (hot != m_hotButton) {
      m_hotButton = hot;
      Invalidate();
    }
    return;
  }
  if (m_iPressedTab >= 0 && ::GetCapture() == m_hWnd) {
    const CRect strip = StripRect();
    // Far enough off the strip: a detachable tab of a tab group leaves it.
    if (!m_bIsMDITab && IsTabDetachable(m_iPressedTab) &&
        (point.y < strip.top - strip.Height() || point.y > strip.bottom + strip.Height())) {
      const int tab = m_iPressedTab;
      m_iPressedTab = -1;
      ReleaseCapture();
      CPoint screen = point;
      ClientToScreen(&screen);
      OnDragTabOut(tab, screen);
      return;
    }
    if (m_bEnableTabSwap) {
      CPoint probe(point.x, m_tabs[m_iPressedTab].rect.CenterPoint().y);
      const int over = GetTabFromPoint(probe);
      if (over >= 0 && over != m_iPressedTab && MoveTab(m_iPressedTab, over)) m_iPressedTab = over;
    }
    return;
  }
  const Button hot = ButtonAt(point);
  if (hot != m_hotButton) {
    m_hotButton = hot;
    Invalidate();
  }
  if (!m_bTracking) {
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
    m_bTracking = ::TrackMouseEvent(&track);
  }
}

void CMFCTabCtrl::OnMouseLeave() {
  m_bTracking = FALSE;
  if (m_hotButton != ButtonNone && m_pressedButton == ButtonNone) {
    m_hotButton = ButtonNone;
    Invalidate();
  }
}

void CMFCTabCtrl::OnLButtonUp(UINT, CPoint point) {
  if (m_pressedButton != ButtonNone) {
    const Button pressed = m_pressedButton;
    m_pressedButton = ButtonNone;
    m_hotButton = ButtonNone;
    ReleaseCapture();
    Invalidate();
    if (ButtonAt(point) == pressed) OnButton(pressed);
    return;
  }
  if (m_iPressedTab >= 0) {
    m_iPressedTab = -1;
    ReleaseCapture();
  }
}

LRESULT CMFCTabCtrl::OnCaptureChanged(WPARAM, LPARAM) {
  m_iPressedTab = -1;
  if (m_pressedButton != ButtonNone) {
    m_pressedButton = ButtonNone;
    Invalidate();
  }
  return 0;
}

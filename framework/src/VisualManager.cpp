// The drawing of every element from the current look's palette and shape choices, and the switch
// between looks. The palettes themselves are in VisualManagerLooks.cpp.
#include "fw/VisualManager.h"

#include "fw/CommandIds.h"
#include "fw/Dc.h"
#include "fw/MFCToolTipCtrl.h"
#include "fw/Pane.h"
#include "fw/PaneStyles.h"
#include "fw/Wnd.h"

IMPLEMENT_DYNCREATE(CMFCVisualManager, CObject)

namespace {

CMFCVisualManager* g_manager = nullptr;

// The manager outlives every window; it goes when the framework DLL unloads.
struct ManagerReaper {
  ~ManagerReaper() {
    delete g_manager;
    g_manager = nullptr;
  }
} g_reaper;

BOOL CALLBACK NotifyTopLevel(HWND hwnd, LPARAM) {
  if (CWnd::FromHandlePermanent(hwnd)) ::SendMessageW(hwnd, AFX_WM_CHANGEVISUALMANAGER, 0, 0);
  return TRUE;
}

BOOL CALLBACK RedrawTopLevel(HWND hwnd, LPARAM) {
  ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  return TRUE;
}

// Selects a pen and a brush for the life of the object.
class PenAndBrush {
 public:
  PenAndBrush(CDC* dc, COLORREF pen, COLORREF brush, BOOL hollow = FALSE)
      : dc_(dc), pen_(PS_SOLID, 1, pen), brush_(brush) {
    oldPen_ = dc_->SelectObject(&pen_);
    oldBrush_ = hollow ? static_cast<HBRUSH>(dc_->SelectObject(::GetStockObject(HOLLOW_BRUSH)))
                       : static_cast<HBRUSH>(dc_->SelectObject(static_cast<HGDIOBJ>(brush_.m_hObject)));
  }
  ~PenAndBrush() {
    dc_->SelectObject(oldPen_);
    dc_->SelectObject(static_cast<HGDIOBJ>(oldBrush_));
  }
  PenAndBrush(const PenAndBrush&) = delete;
  PenAndBrush& operator=(const PenAndBrush&) = delete;

 private:
  CDC* dc_;
  CPen pen_;
  CBrush brush_;
  CPen* oldPen_;
  HBRUSH oldBrush_;
};

// Fills the inside of a closed outline with a gradient: the outline becomes the clip path, so
// slanted and rounded shapes keep their corners clear.
void FillOutline(CDC* dc, const POINT* points, int count, CRect bounds, COLORREF from, COLORREF to, BOOL vertical) {
  const int saved = dc->SaveDC();
  ::BeginPath(dc->m_hDC);
  ::Polygon(dc->m_hDC, points, count);
  ::EndPath(dc->m_hDC);
  ::SelectClipPath(dc->m_hDC, RGN_AND);
  CMFCVisualManager::FillGradient(dc, bounds, from, to, vertical);
  dc->RestoreDC(saved);
}

void Line(CDC* dc, int x1, int y1, int x2, int y2, COLORREF color) {
  CPen pen(PS_SOLID, 1, color);
  CPen* old = dc->SelectObject(&pen);
  dc->MoveTo(x1, y1);
  dc->LineTo(x2, y2);
  dc->SelectObject(old);
}

// The outline of a tab: `slant` pixels of slope on its leading side, `cut` pixels off both corners
// of its outer edge. The first and last points lie on the open (inner) side.
int TabOutline(CRect r, BOOL bottom, int slant, int cut, POINT* pts) {
  const int outer = bottom ? r.bottom - 1 : r.top;
  const int inner = bottom ? r.top : r.bottom - 1;
  const int toward = bottom ? -1 : 1;  // from the outer edge toward the pages
  int n = 0;
  pts[n++] = {r.left, inner};
  if (cut > 0) {
    pts[n++] = {r.left + slant, outer + toward * cut};
    pts[n++] = {r.left + slant + cut, outer};
    pts[n++] = {r.right - 1 - cut, outer};
    pts[n++] = {r.right - 1, outer + toward * cut};
  } else {
    pts[n++] = {r.left + slant, outer};
    pts[n++] = {r.right - 1, outer};
  }
  pts[n++] = {r.right - 1, inner};
  return n;
}

}  // namespace

CMFCVisualManager::~CMFCVisualManager() = default;

void CMFCVisualManager::SetDefaultManager(CRuntimeClass* pRTI) {
  if (!pRTI || !pRTI->IsDerivedFrom(RUNTIME_CLASS(CMFCVisualManager))) {
    OutputDebugStringW(L"CMFCVisualManager::SetDefaultManager: not a visual manager class\n");
    return;
  }
  CObject* made = pRTI->CreateObject();
  if (!made) return;
  delete g_manager;
  g_manager = static_cast<CMFCVisualManager*>(made);
  // Frames first, so they can adjust what depends on the look before anything is drawn.
  ::EnumThreadWindows(::GetCurrentThreadId(), NotifyTopLevel, 0);
  RedrawAll();
}

CMFCVisualManager* CMFCVisualManager::GetInstance() {
  if (!g_manager) g_manager = new CMFCVisualManager;
  return g_manager;
}

void CMFCVisualManager::DestroyInstance() {
  delete g_manager;
  g_manager = nullptr;
}

void CMFCVisualManager::RedrawAll() { ::EnumThreadWindows(::GetCurrentThreadId(), RedrawTopLevel, 0); }

COLORREF CMFCVisualManager::MixColors(COLORREF a, COLORREF b, int percentOfA) {
  const auto part = [&](int shift) {
    const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    return static_cast<COLORREF>((ca * percentOfA + cb * (100 - percentOfA)) / 100) << shift;
  };
  return part(0) | part(8) | part(16);
}

void CMFCVisualManager::FillSolid(CDC* pDC, CRect rect, COLORREF color) { pDC->FillSolidRect(&rect, color); }

void CMFCVisualManager::FrameSolid(CDC* pDC, CRect rect, COLORREF color) { pDC->Draw3dRect(&rect, color, color); }

void CMFCVisualManager::FillGradient(CDC* pDC, CRect rect, COLORREF from, COLORREF to, BOOL vertical) {
  if (rect.IsRectEmpty()) return;
  if (from == to) {
    FillSolid(pDC, rect, from);
    return;
  }
  TRIVERTEX v[2] = {};
  v[0].x = rect.left;
  v[0].y = rect.top;
  v[0].Red = static_cast<COLOR16>(GetRValue(from) << 8);
  v[0].Green = static_cast<COLOR16>(GetGValue(from) << 8);
  v[0].Blue = static_cast<COLOR16>(GetBValue(from) << 8);
  v[1].x = rect.right;
  v[1].y = rect.bottom;
  v[1].Red = static_cast<COLOR16>(GetRValue(to) << 8);
  v[1].Green = static_cast<COLOR16>(GetGValue(to) << 8);
  v[1].Blue = static_cast<COLOR16>(GetBValue(to) << 8);
  GRADIENT_RECT r = {0, 1};
  if (!::GradientFill(pDC->m_hDC, v, 2, &r, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H))
    FillSolid(pDC, rect, to);
}

void CMFCVisualManager::FillRoundedBox(CDC* pDC, CRect rect, int radius, COLORREF top, COLORREF bottom,
                                       COLORREF border) {
  if (rect.IsRectEmpty()) return;
  const int saved = pDC->SaveDC();
  ::BeginPath(pDC->m_hDC);
  pDC->RoundRect(rect.left, rect.top, rect.right, rect.bottom, radius * 2, radius * 2);
  ::EndPath(pDC->m_hDC);
  ::SelectClipPath(pDC->m_hDC, RGN_AND);
  FillGradient(pDC, rect, top, bottom, TRUE);
  pDC->RestoreDC(saved);
  PenAndBrush tools(pDC, border, border, TRUE);
  pDC->RoundRect(rect.left, rect.top, rect.right, rect.bottom, radius * 2, radius * 2);
}

// ---- Bars and panes -------------------------------------------------------------------------

void CMFCVisualManager::OnFillBarBackground(CDC* pDC, CBasePane* pBar, CRect rectClient, CRect, BOOL) {
  if (pBar && pBar->m_hWnd && pBar->GetDlgCtrlID() == AFX_IDW_STATUS_BAR) {
    FillGradient(pDC, rectClient, m_palette.statusBarLight, m_palette.statusBar, TRUE);
    return;
  }
  if (pBar && pBar->IsResizable()) {
    FillSolid(pDC, rectClient, m_palette.paneFace);
    return;
  }
  const BOOL horizontal = !pBar || pBar->IsHorizontal();
  if (m_palette.gradientBars)
    FillGradient(pDC, rectClient, m_palette.barFaceLight, m_palette.barFace, horizontal);
  else
    FillSolid(pDC, rectClient, m_palette.barFace);
}

void CMFCVisualManager::OnDrawPaneBorder(CDC* pDC, CBasePane*, CRect& rect) {
  if (m_palette.flatButtons)
    FrameSolid(pDC, rect, m_palette.barBorder);
  else
    pDC->Draw3dRect(&rect, m_palette.separatorLight, m_palette.barBorder);
  rect.DeflateRect(1, 1);
}

void CMFCVisualManager::OnDrawBarGripper(CDC* pDC, CRect rect, BOOL bHorz, CBasePane*) {
  const CPoint c = rect.CenterPoint();
  if (m_palette.gripperStyle == FwGripperLines) {
    // Two raised lines along the bar's thickness.
    for (int k = 0; k < 2; ++k) {
      CRect line = bHorz ? CRect(c.x - 3 + k * 4, rect.top + 2, c.x - 3 + k * 4 + 3, rect.bottom - 2)
                         : CRect(rect.left + 2, c.y - 3 + k * 4, rect.right - 2, c.y - 3 + k * 4 + 3);
      pDC->Draw3dRect(&line, m_palette.gripperLight, m_palette.gripper);
    }
    return;
  }
  // A row of dots, each with its light shadow one pixel below and right.
  if (bHorz) {
    const int x = c.x - 1;
    for (int y = rect.top + 2; y + 3 <= rect.bottom - 2; y += 4) {
      FillSolid(pDC, CRect(x + 1, y + 1, x + 3, y + 3), m_palette.gripperLight);
      FillSolid(pDC, CRect(x, y, x + 2, y + 2), m_palette.gripper);
    }
  } else {
    const int y = c.y - 1;
    for (int x = rect.left + 2; x + 3 <= rect.right - 2; x += 4) {
      FillSolid(pDC, CRect(x + 1, y + 1, x + 3, y + 3), m_palette.gripperLight);
      FillSolid(pDC, CRect(x, y, x + 2, y + 2), m_palette.gripper);
    }
  }
}

void CMFCVisualManager::OnDrawSeparator(CDC* pDC, CBasePane*, CRect rect, BOOL bIsHoriz) {
  // A horizontal bar's separator is a vertical line, and the reverse; the light line follows it.
  if (bIsHoriz) {
    const int x = rect.CenterPoint().x;
    FillSolid(pDC, CRect(x, rect.top + 2, x + 1, rect.bottom - 2), m_palette.separator);
    if (m_palette.separatorLight != m_palette.separator)
      FillSolid(pDC, CRect(x + 1, rect.top + 2, x + 2, rect.bottom - 2), m_palette.separatorLight);
  } else {
    const int y = rect.CenterPoint().y;
    FillSolid(pDC, CRect(rect.left + 2, y, rect.right - 2, y + 1), m_palette.separator);
    if (m_palette.separatorLight != m_palette.separator)
      FillSolid(pDC, CRect(rect.left + 2, y + 1, rect.right - 2, y + 2), m_palette.separatorLight);
  }
}

void CMFCVisualManager::OnFillButtonInterior(CDC* pDC, CRect rect, AFX_BUTTON_STATE state, BOOL checked) {
  if (state == ButtonsIsRegular && !checked) return;
  const bool pressed = state == ButtonsIsPressed || (checked && state == ButtonsIsHighlighted);
  switch (m_palette.buttonShape) {
    case FwButtonGlossy:
      if (pressed)
        FillRoundedBox(pDC, rect, 2, m_palette.buttonPressedLight, m_palette.buttonPressed, m_palette.buttonHotBorder);
      else if (checked)
        FillRoundedBox(pDC, rect, 2, m_palette.buttonChecked, m_palette.buttonPressedLight, m_palette.buttonHotBorder);
      else
        FillRoundedBox(pDC, rect, 2, m_palette.buttonHotLight, m_palette.buttonHot, m_palette.buttonHotBorder);
      break;
    case FwButtonFlatBox:
      FillSolid(pDC, rect, pressed ? m_palette.buttonPressed : (checked ? m_palette.buttonChecked : m_palette.buttonHot));
      break;
    case FwButtonRaised3D:
      // Raised hot buttons keep the bar's face; a checked one shows the lighter checked face.
      if (checked && state == ButtonsIsRegular) FillSolid(pDC, rect, m_palette.buttonChecked);
      else if (pressed) FillSolid(pDC, rect, m_palette.buttonPressed);
      break;
  }
}

void CMFCVisualManager::OnDrawButtonBorder(CDC* pDC, CRect rect, AFX_BUTTON_STATE state, BOOL checked) {
  if (state == ButtonsIsRegular && !checked) return;
  switch (m_palette.buttonShape) {
    case FwButtonGlossy: {
      PenAndBrush tools(pDC, m_palette.buttonHotBorder, m_palette.buttonHotBorder, TRUE);
      pDC->RoundRect(rect.left, rect.top, rect.right, rect.bottom, 4, 4);
      break;
    }
    case FwButtonFlatBox:
      FrameSolid(pDC, rect, m_palette.buttonHotBorder);
      break;
    case FwButtonRaised3D: {
      const bool sunken = state == ButtonsIsPressed || checked;
      pDC->Draw3dRect(&rect, sunken ? m_palette.barBorder : m_palette.separatorLight,
                      sunken ? m_palette.separatorLight : m_palette.barBorder);
      break;
    }
  }
}

COLORREF CMFCVisualManager::GetButtonTextColor(AFX_BUTTON_STATE state, BOOL disabled) {
  if (disabled) return m_palette.textDisabled;
  return state == ButtonsIsRegular ? m_palette.text : m_palette.textHot;
}

void CMFCVisualManager::OnDrawMenuArrow(CDC* pDC, CRect rect, BOOL disabled) {
  const CPoint c = rect.CenterPoint();
  const COLORREF color = disabled ? m_palette.textDisabled : m_palette.text;
  for (int row = 0; row < 3; ++row) FillSolid(pDC, CRect(c.x - 2 + row, c.y - 1 + row, c.x + 3 - row, c.y + row), color);
}

// ---- Menus ----------------------------------------------------------------------------------

COLORREF CMFCVisualManager::OnFillMenuBarButton(CDC* pDC, CRect rect, AFX_BUTTON_STATE state, BOOL bMenuOpen) {
  if (!bMenuOpen && state == ButtonsIsRegular) return m_palette.text;
  switch (m_palette.buttonShape) {
    case FwButtonRaised3D:
      // The classic menu bar: a raised edge under the mouse, a sunken one while the menu is open.
      if (bMenuOpen) FillSolid(pDC, rect, m_palette.menuBarOpen);
      pDC->Draw3dRect(&rect, bMenuOpen ? m_palette.barBorder : m_palette.separatorLight,
                      bMenuOpen ? m_palette.separatorLight : m_palette.barBorder);
      break;
    case FwButtonFlatBox:
      if (bMenuOpen) {
        // The open item joins its menu: no line along its bottom.
        FillGradient(pDC, rect, m_palette.menuBarOpenLight, m_palette.menuBarOpen, TRUE);
        FillSolid(pDC, CRect(rect.left, rect.top, rect.right, rect.top + 1), m_palette.menuBorder);
        FillSolid(pDC, CRect(rect.left, rect.top, rect.left + 1, rect.bottom), m_palette.menuBorder);
        FillSolid(pDC, CRect(rect.right - 1, rect.top, rect.right, rect.bottom), m_palette.menuBorder);
      } else {
        FillGradient(pDC, rect, m_palette.menuBarHotLight, m_palette.menuBarHot, TRUE);
        if (m_palette.menuBarHotBorder != m_palette.menuBarHot) FrameSolid(pDC, rect, m_palette.menuBarHotBorder);
      }
      break;
    case FwButtonGlossy:
      if (bMenuOpen)
        FillRoundedBox(pDC, rect, 2, m_palette.menuBarOpenLight, m_palette.menuBarOpen, m_palette.menuBarHotBorder);
      else
        FillRoundedBox(pDC, rect, 2, m_palette.menuBarHotLight, m_palette.menuBarHot, m_palette.menuBarHotBorder);
      break;
  }
  return m_palette.menuBarTextHot;
}

void CMFCVisualManager::OnFillPopupMenuBackground(CDC* pDC, CRect rect, int nImageWidth) {
  FillSolid(pDC, rect, m_palette.menuFace);
  if (nImageWidth > 0 && m_palette.menuGutter != m_palette.menuFace) {
    CRect gutter = rect;
    gutter.right = gutter.left + nImageWidth;
    FillGradient(pDC, gutter, m_palette.menuGutterLight, m_palette.menuGutter, FALSE);
  }
}

void CMFCVisualManager::OnDrawPopupMenuBorder(CDC* pDC, CRect rect) {
  if (m_palette.buttonShape == FwButtonRaised3D) {
    pDC->Draw3dRect(&rect, m_palette.separatorLight, m_palette.barBorder);
    return;
  }
  FrameSolid(pDC, rect, m_palette.menuBorder);
}

void CMFCVisualManager::OnDrawMenuSeparator(CDC* pDC, CRect rect, int nImageWidth) {
  const int y = rect.CenterPoint().y;
  if (m_palette.buttonShape == FwButtonRaised3D) {
    // An etched line across the whole menu.
    FillSolid(pDC, CRect(rect.left + 1, y - 1, rect.right - 1, y), m_palette.separator);
    FillSolid(pDC, CRect(rect.left + 1, y, rect.right - 1, y + 1), m_palette.separatorLight);
    return;
  }
  // Beside the image strip, where the text starts.
  FillSolid(pDC, CRect(rect.left + nImageWidth + 4, y, rect.right - 1, y + 1), m_palette.menuSeparator);
}

COLORREF CMFCVisualManager::OnHighlightMenuItem(CDC* pDC, CRect rect, BOOL bDisabled) {
  if (m_palette.buttonShape == FwButtonGlossy) {
    FillRoundedBox(pDC, rect, 2, m_palette.menuHighlightLight, m_palette.menuHighlight, m_palette.menuHighlightBorder);
  } else {
    FillGradient(pDC, rect, m_palette.menuHighlightLight, m_palette.menuHighlight, TRUE);
    if (m_palette.menuHighlightBorder != m_palette.menuHighlight) FrameSolid(pDC, rect, m_palette.menuHighlightBorder);
  }
  return GetMenuItemTextColor(TRUE, bDisabled);
}

COLORREF CMFCVisualManager::GetMenuItemTextColor(BOOL bHighlighted, BOOL bDisabled) {
  if (bDisabled) return m_palette.menuTextDisabled;
  return bHighlighted ? m_palette.menuTextHighlight : m_palette.menuText;
}

void CMFCVisualManager::OnDrawMenuCheck(CDC* pDC, CRect rect, BOOL bRadio, BOOL bHighlighted, BOOL bDisabled) {
  CRect box = rect;
  box.DeflateRect(1, 1);
  if (m_palette.buttonShape != FwButtonRaised3D) {
    FillSolid(pDC, box, m_palette.menuCheck);
    FrameSolid(pDC, box, m_palette.menuHighlightBorder);
  }
  const COLORREF ink = GetMenuItemTextColor(bHighlighted && m_palette.buttonShape == FwButtonRaised3D, bDisabled);
  const CPoint c = box.CenterPoint();
  if (bRadio) {
    PenAndBrush tools(pDC, ink, ink);
    pDC->Ellipse(c.x - 3, c.y - 3, c.x + 3, c.y + 3);
    return;
  }
  // A tick three pixels thick: down to the bottom point, then up to the right.
  for (int d = 0; d < 3; ++d) {
    Line(pDC, c.x - 3, c.y - 1 + d, c.x - 1, c.y + 1 + d, ink);
    Line(pDC, c.x - 1, c.y + 1 + d, c.x + 4, c.y - 4 + d, ink);
  }
}

// ---- Captions -------------------------------------------------------------------------------

COLORREF CMFCVisualManager::OnFillCaption(CDC* pDC, CRect rect, BOOL bActive) {
  const COLORREF from = bActive ? m_palette.captionActive : m_palette.captionInactive;
  const COLORREF to = bActive ? m_palette.captionActiveLight : m_palette.captionInactiveLight;
  FillGradient(pDC, rect, from, to, m_palette.verticalCaptions);
  if (m_palette.captionBorder != CLR_NONE) FrameSolid(pDC, rect, m_palette.captionBorder);
  return bActive ? m_palette.captionText : m_palette.captionTextInactive;
}

void CMFCVisualManager::OnDrawCaptionButton(CDC* pDC, CRect rect, AFX_CAPTION_BUTTON kind, BOOL bActive, BOOL bHot,
                                            BOOL bPressed, BOOL bPinned) {
  if (bHot || bPressed) {
    if (m_palette.buttonShape == FwButtonGlossy) {
      FillRoundedBox(pDC, rect, 2, bPressed ? m_palette.buttonPressedLight : m_palette.buttonHotLight,
                     bPressed ? m_palette.buttonPressed : m_palette.buttonHot, m_palette.buttonHotBorder);
    } else if (m_palette.buttonShape == FwButtonFlatBox) {
      FillSolid(pDC, rect, bPressed ? m_palette.buttonPressed : m_palette.buttonHot);
      FrameSolid(pDC, rect, m_palette.buttonHotBorder);
    } else {
      pDC->Draw3dRect(&rect, bPressed ? m_palette.barBorder : m_palette.separatorLight,
                      bPressed ? m_palette.separatorLight : m_palette.barBorder);
    }
  }
  const COLORREF ink = (bHot || bPressed) && m_palette.buttonShape != FwButtonRaised3D
                           ? m_palette.textHot
                           : (bActive ? m_palette.captionText : m_palette.captionTextInactive);
  CPen pen(PS_SOLID, 1, ink);
  CPen* old = pDC->SelectObject(&pen);
  const CPoint c = rect.CenterPoint();
  switch (kind) {
    case CaptionClose:
      for (int d = 0; d < 2; ++d) {
        pDC->MoveTo(c.x - 3 + d, c.y - 3);
        pDC->LineTo(c.x + 4 + d, c.y + 4);
        pDC->MoveTo(c.x + 3 + d, c.y - 3);
        pDC->LineTo(c.x - 4 + d, c.y + 4);
      }
      break;
    case CaptionPin:
      if (bPinned) {  // the pin seen from the side: the pane is docked
        pDC->Rectangle(c.x - 2, c.y - 4, c.x + 3, c.y + 2);
        pDC->MoveTo(c.x - 4, c.y + 2);
        pDC->LineTo(c.x + 5, c.y + 2);
        pDC->MoveTo(c.x, c.y + 2);
        pDC->LineTo(c.x, c.y + 6);
      } else {  // the pin lying down: the pane hides itself
        pDC->Rectangle(c.x - 2, c.y - 2, c.x + 4, c.y + 3);
        pDC->MoveTo(c.x - 2, c.y - 4);
        pDC->LineTo(c.x - 2, c.y + 5);
        pDC->MoveTo(c.x - 6, c.y);
        pDC->LineTo(c.x - 2, c.y);
      }
      break;
    case CaptionMenu:
      for (int row = 0; row < 3; ++row) FillSolid(pDC, CRect(c.x - 2 + row, c.y - 1 + row, c.x + 3 - row, c.y + row), ink);
      break;
  }
  pDC->SelectObject(old);
}

// ---- Tabs -----------------------------------------------------------------------------------

void CMFCVisualManager::OnEraseTabsArea(CDC* pDC, CRect rect) { FillSolid(pDC, rect, m_palette.tabArea); }

COLORREF CMFCVisualManager::OnDrawTab(CDC* pDC, CRect rect, BOOL bIsActive, BOOL bBottom, BOOL bOneNote,
                                      COLORREF tabColor) {
  const FwLookPalette& p = m_palette;
  COLORREF fill = bIsActive ? p.tabActive : p.tabInactive;
  COLORREF light = bIsActive ? p.tabActiveLight : p.tabInactiveLight;
  if (tabColor != CLR_DEFAULT && tabColor != CLR_NONE) {
    fill = bIsActive ? tabColor : MixColors(tabColor, fill, 60);
    light = MixColors(fill, RGB(255, 255, 255), 60);
  }
  const COLORREF text = bIsActive ? p.tabText : p.tabTextInactive;
  // Inactive tabs stand back from the outer edge, except flat ones.
  FwTabShape shape = GetTabShape();
  CRect r = rect;
  if (!bIsActive && shape != FwTabFlat) {
    if (bBottom) r.bottom -= 2;
    else r.top += 2;
  }
  const int outer = bBottom ? r.bottom - 1 : r.top;
  const int inner = bBottom ? r.top : r.bottom - 1;

  if (bOneNote && shape != FwTabRaised3D && shape != FwTabFlat) shape = FwTabSlanted;
  switch (shape) {
    case FwTabRaised3D: {
      FillSolid(pDC, r, fill);
      // Light on the leading side and the outer edge, dark on the trailing side.
      Line(pDC, r.left, inner, r.left, outer, p.separatorLight);
      Line(pDC, r.left, outer, r.right - 1, outer, bBottom ? p.barBorder : p.separatorLight);
      Line(pDC, r.right - 1, outer, r.right - 1, inner, p.barBorder);
      if (!bIsActive) Line(pDC, r.left, inner, r.right, inner, p.separatorLight);
      break;
    }
    case FwTabFlat: {
      if (bIsActive) {
        FillSolid(pDC, r, fill);
        Line(pDC, r.left, inner, r.left, outer, p.tabBorder);
        Line(pDC, r.left, outer, r.right - 1, outer, p.tabBorder);
        Line(pDC, r.right - 1, outer, r.right - 1, inner, p.tabBorder);
      } else {
        // Only a short line between inactive tabs.
        Line(pDC, r.right - 1, r.top + 3, r.right - 1, r.bottom - 3, p.tabBorder);
        Line(pDC, r.left, inner, r.right, inner, p.tabBorder);
      }
      break;
    }
    case FwTabThemed:
    case FwTabSlanted:
    case FwTabRounded: {
      const int slant = shape == FwTabSlanted ? r.Height() / 2 : 0;
      const int cut = shape == FwTabThemed ? 2 : (shape == FwTabRounded ? 3 : 0);
      POINT pts[8];
      const int n = TabOutline(r, bBottom, slant, cut, pts);
      // The gradient runs from the outer edge (light) to the pages.
      FillOutline(pDC, pts, n, r, bBottom ? fill : light, bBottom ? light : fill, TRUE);
      CPen pen(PS_SOLID, 1, p.tabBorder);
      CPen* old = pDC->SelectObject(&pen);
      pDC->Polyline(pts, n);
      if (!bIsActive) {  // an inactive tab is closed toward the pages
        pDC->MoveTo(r.left, inner);
        pDC->LineTo(r.right, inner);
      }
      pDC->SelectObject(old);
      if (shape == FwTabThemed && bIsActive) {
        const int edge = bBottom ? r.bottom - 3 : r.top;
        FillSolid(pDC, CRect(r.left + 1 + cut, edge, r.right - 1 - cut, edge + 3), p.tabHotLine);
      }
      break;
    }
  }
  return text;
}

// ---- The frame's other parts ----------------------------------------------------------------

void CMFCVisualManager::OnDrawDivider(CDC* pDC, CRect rect, BOOL) {
  FillSolid(pDC, rect, m_palette.divider);
  if (m_palette.dividerEdge == FwEdge3D)
    pDC->Draw3dRect(&rect, m_palette.dividerLight, m_palette.barBorder);
  else if (m_palette.dividerEdge == FwEdgeFlat)
    FrameSolid(pDC, rect, m_palette.barBorder);
}

void CMFCVisualManager::OnDrawAutoHideButton(CDC* pDC, CRect rect, BOOL bHot) {
  if (bHot)
    FillGradient(pDC, rect, m_palette.buttonHotLight, m_palette.buttonHot, TRUE);
  else
    FillGradient(pDC, rect, m_palette.tabInactiveLight, m_palette.autoHideButton, TRUE);
  FrameSolid(pDC, rect, bHot ? m_palette.buttonHotBorder : m_palette.tabBorder);
}

void CMFCVisualManager::OnDrawStatusBarPaneBorder(CDC* pDC, CRect rect) {
  switch (m_palette.statusPaneEdge) {
    case FwEdge3D:
      pDC->Draw3dRect(&rect, m_palette.statusPaneBorder, m_palette.separatorLight);
      break;
    case FwEdgeFlat:
      FrameSolid(pDC, rect, m_palette.statusPaneBorder);
      break;
    case FwEdgeNone:
      // Panes are told apart by a separator on their trailing side.
      FillSolid(pDC, CRect(rect.right - 1, rect.top + 2, rect.right, rect.bottom - 2), m_palette.statusPaneBorder);
      break;
  }
}

COLORREF CMFCVisualManager::GetStatusBarPaneTextColor(BOOL bDisabled) {
  return bDisabled ? m_palette.textDisabled : m_palette.statusBarText;
}

void CMFCVisualManager::OnDrawStatusBarProgress(CDC* pDC, CRect rect, int nTotal, int nCurrent) {
  FillSolid(pDC, rect, m_palette.menuFace);
  FrameSolid(pDC, rect, m_palette.statusPaneBorder);
  if (nTotal <= 0) return;
  CRect done = rect;
  done.DeflateRect(1, 1);
  const int clamped = nCurrent < 0 ? 0 : (nCurrent > nTotal ? nTotal : nCurrent);
  done.right = done.left + MulDiv(done.Width(), clamped, nTotal);
  FillGradient(pDC, done, m_palette.progressLight, m_palette.progress, TRUE);
}

void CMFCVisualManager::OnDrawStatusBarSizeBox(CDC* pDC, CRect rect) {
  if (m_palette.gripperStyle == FwGripperLines) {
    // Three pairs of diagonal lines toward the bottom-right corner.
    for (int k = 0; k < 3; ++k) {
      const int d = 3 + k * 4;
      Line(pDC, rect.right - d, rect.bottom - 1, rect.right, rect.bottom - 1 - d, m_palette.sizeGripLight);
      Line(pDC, rect.right - d + 1, rect.bottom - 1, rect.right, rect.bottom - d, m_palette.sizeGrip);
      Line(pDC, rect.right - d + 2, rect.bottom - 1, rect.right, rect.bottom - d + 1, m_palette.sizeGrip);
    }
    return;
  }
  // Six dots in a triangle.
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col <= row; ++col) {
      const int x = rect.right - 4 - col * 4, y = rect.bottom - 4 - (2 - row) * 4;
      FillSolid(pDC, CRect(x + 1, y + 1, x + 3, y + 3), m_palette.sizeGripLight);
      FillSolid(pDC, CRect(x, y, x + 2, y + 2), m_palette.sizeGrip);
    }
  }
}

void CMFCVisualManager::OnFillWorkspace(CDC* pDC, CRect rect) { FillSolid(pDC, rect, m_palette.workspace); }

// ---- Tool tips ------------------------------------------------------------------------------

BOOL CMFCVisualManager::GetToolTipInfo(CMFCToolTipInfo& params, UINT) {
  params.m_clrFill = m_palette.toolTipFill;
  params.m_clrFillGradient =
      m_palette.toolTipFillGradient == m_palette.toolTipFill ? static_cast<COLORREF>(-1) : m_palette.toolTipFillGradient;
  params.m_nGradientAngle = 90;
  params.m_clrText = m_palette.toolTipText;
  params.m_clrBorder = m_palette.toolTipBorder;
  return TRUE;
}

void CMFCVisualManager::OnFillToolTip(CDC* pDC, CMFCToolTipCtrl*, CRect rect, COLORREF& clrText, COLORREF& clrLine) {
  FillGradient(pDC, rect, m_palette.toolTipFill, m_palette.toolTipFillGradient, TRUE);
  clrText = m_palette.toolTipText;
  clrLine = m_palette.toolTipBorder;
}

#include "fw/VisualManager.h"

#include "fw/Dc.h"
#include "fw/PaneStyles.h"
#include "fw/Wnd.h"

IMPLEMENT_DYNCREATE(CMFCVisualManager, CObject)
IMPLEMENT_DYNCREATE(CMFCVisualManagerOfficeXP, CMFCVisualManager)
IMPLEMENT_DYNCREATE(CMFCVisualManagerWindows, CMFCVisualManager)
IMPLEMENT_DYNCREATE(CMFCVisualManagerOffice2003, CMFCVisualManager)
IMPLEMENT_DYNCREATE(CMFCVisualManagerVS2005, CMFCVisualManager)
IMPLEMENT_DYNCREATE(CMFCVisualManagerVS2008, CMFCVisualManager)
IMPLEMENT_DYNCREATE(CMFCVisualManagerOffice2007, CMFCVisualManager)
IMPLEMENT_DYNCREATE(CMFCVisualManagerWindows7, CMFCVisualManager)

namespace {

CMFCVisualManager* g_manager = nullptr;

COLORREF Sys(int index) { return ::GetSysColor(index); }

COLORREF Mix(COLORREF a, COLORREF b, int percentOfA) {
  const auto part = [&](int shift) {
    const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    return static_cast<COLORREF>((ca * percentOfA + cb * (100 - percentOfA)) / 100) << shift;
  };
  return part(0) | part(8) | part(16);
}

// The basic look: the system's 3-D colours, raised buttons, no gradients.
FwLookPalette BasicPalette() {
  FwLookPalette p = {};
  p.barFace = p.barFaceLight = Sys(COLOR_BTNFACE);
  p.barBorder = Sys(COLOR_BTNSHADOW);
  p.gripper = Sys(COLOR_BTNSHADOW);
  p.separator = Sys(COLOR_BTNSHADOW);
  p.buttonHot = Sys(COLOR_BTNFACE);
  p.buttonHotBorder = Sys(COLOR_BTNSHADOW);
  p.buttonPressed = Sys(COLOR_BTNFACE);
  p.buttonChecked = Mix(Sys(COLOR_BTNFACE), Sys(COLOR_BTNHIGHLIGHT), 50);
  p.text = Sys(COLOR_BTNTEXT);
  p.textDisabled = Sys(COLOR_GRAYTEXT);
  p.textHot = Sys(COLOR_BTNTEXT);
  p.captionActive = p.captionActiveLight = Sys(COLOR_ACTIVECAPTION);
  p.captionInactive = Sys(COLOR_INACTIVECAPTION);
  p.captionText = Sys(COLOR_CAPTIONTEXT);
  p.captionTextInactive = Sys(COLOR_INACTIVECAPTIONTEXT);
  p.tabArea = Sys(COLOR_BTNFACE);
  p.tabActive = Sys(COLOR_WINDOW);
  p.tabInactive = Sys(COLOR_BTNFACE);
  p.tabText = Sys(COLOR_BTNTEXT);
  p.tabBorder = Sys(COLOR_BTNSHADOW);
  p.workspace = Sys(COLOR_APPWORKSPACE);
  p.divider = Sys(COLOR_BTNFACE);
  p.gridGroup = Sys(COLOR_BTNFACE);
  p.gridGroupText = Sys(COLOR_BTNTEXT);
  p.gridLine = Sys(COLOR_BTNFACE);
  p.progress = Sys(COLOR_HIGHLIGHT);
  return p;
}

// The fixed palettes of the named looks. Colours are the looks' own, not the system's, so a look
// change shows whatever the desktop colours are.
void SetFlatLook(FwLookPalette& p, COLORREF face, COLORREF light, COLORREF hot, COLORREF hotBorder, COLORREF pressed,
                 COLORREF caption, COLORREF captionLight, COLORREF workspace) {
  p.barFace = face;
  p.barFaceLight = light;
  p.barBorder = Mix(face, RGB(0, 0, 0), 70);
  p.gripper = Mix(face, RGB(0, 0, 0), 55);
  p.separator = Mix(face, RGB(0, 0, 0), 75);
  p.buttonHot = hot;
  p.buttonHotBorder = hotBorder;
  p.buttonPressed = pressed;
  p.buttonChecked = Mix(hot, pressed, 50);
  p.captionActive = caption;
  p.captionActiveLight = captionLight;
  p.captionInactive = Mix(face, RGB(0, 0, 0), 85);
  p.tabArea = face;
  p.tabActive = light;
  p.tabInactive = Mix(face, RGB(255, 255, 255), 80);
  p.tabBorder = p.barBorder;
  p.workspace = workspace;
  p.divider = face;
  p.gridGroup = Mix(face, RGB(255, 255, 255), 85);
  p.gridLine = Mix(face, RGB(255, 255, 255), 70);
  p.flatButtons = TRUE;
}

}  // namespace

CMFCVisualManager::CMFCVisualManager() : m_palette(BasicPalette()) {}
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
}

CMFCVisualManager* CMFCVisualManager::GetInstance() {
  if (!g_manager) g_manager = new CMFCVisualManager;
  return g_manager;
}

void CMFCVisualManager::DestroyInstance() {
  delete g_manager;
  g_manager = nullptr;
}

void CMFCVisualManager::FillSolid(CDC* pDC, CRect rect, COLORREF color) { pDC->FillSolidRect(&rect, color); }

void CMFCVisualManager::FrameSolid(CDC* pDC, CRect rect, COLORREF color) {
  pDC->Draw3dRect(&rect, color, color);
}

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

void CMFCVisualManager::OnFillBarBackground(CDC* pDC, CBasePane*, CRect rectClient, CRect, BOOL) {
  if (m_palette.gradientBars)
    FillGradient(pDC, rectClient, m_palette.barFaceLight, m_palette.barFace, TRUE);
  else
    FillSolid(pDC, rectClient, m_palette.barFace);
}

void CMFCVisualManager::OnDrawPaneBorder(CDC* pDC, CBasePane*, CRect& rect) {
  FrameSolid(pDC, rect, m_palette.barBorder);
  rect.DeflateRect(1, 1);
}

void CMFCVisualManager::OnDrawBarGripper(CDC* pDC, CRect rect, BOOL bHorz, CBasePane*) {
  // A column (horizontal bar) or row (vertical bar) of dots.
  if (bHorz) {
    const int x = rect.CenterPoint().x - 1;
    for (int y = rect.top + 2; y + 2 <= rect.bottom - 2; y += 4) FillSolid(pDC, CRect(x, y, x + 2, y + 2), m_palette.gripper);
  } else {
    const int y = rect.CenterPoint().y - 1;
    for (int x = rect.left + 2; x + 2 <= rect.right - 2; x += 4) FillSolid(pDC, CRect(x, y, x + 2, y + 2), m_palette.gripper);
  }
}

void CMFCVisualManager::OnDrawSeparator(CDC* pDC, CBasePane*, CRect rect, BOOL bIsHoriz) {
  // A horizontal bar's separator is a vertical line, and the reverse.
  if (bIsHoriz) {
    const int x = rect.CenterPoint().x;
    FillSolid(pDC, CRect(x, rect.top + 2, x + 1, rect.bottom - 2), m_palette.separator);
  } else {
    const int y = rect.CenterPoint().y;
    FillSolid(pDC, CRect(rect.left + 2, y, rect.right - 2, y + 1), m_palette.separator);
  }
}

void CMFCVisualManager::OnFillButtonInterior(CDC* pDC, CRect rect, AFX_BUTTON_STATE state, BOOL checked) {
  if (state == ButtonsIsRegular && !checked) return;
  COLORREF fill = m_palette.buttonHot;
  if (state == ButtonsIsPressed) fill = m_palette.buttonPressed;
  else if (checked && state == ButtonsIsRegular) fill = m_palette.buttonChecked;
  else if (checked) fill = m_palette.buttonPressed;
  FillSolid(pDC, rect, fill);
}

void CMFCVisualManager::OnDrawButtonBorder(CDC* pDC, CRect rect, AFX_BUTTON_STATE state, BOOL checked) {
  if (state == ButtonsIsRegular && !checked) return;
  if (m_palette.flatButtons) {
    FrameSolid(pDC, rect, m_palette.buttonHotBorder);
    return;
  }
  const bool sunken = state == ButtonsIsPressed || checked;
  pDC->Draw3dRect(&rect, sunken ? Sys(COLOR_BTNSHADOW) : Sys(COLOR_BTNHIGHLIGHT),
                  sunken ? Sys(COLOR_BTNHIGHLIGHT) : Sys(COLOR_BTNSHADOW));
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

COLORREF CMFCVisualManager::OnFillCaption(CDC* pDC, CRect rect, BOOL bActive) {
  if (bActive)
    FillGradient(pDC, rect, m_palette.captionActive, m_palette.captionActiveLight, FALSE);
  else
    FillSolid(pDC, rect, m_palette.captionInactive);
  return bActive ? m_palette.captionText : m_palette.captionTextInactive;
}

void CMFCVisualManager::OnDrawCaptionButton(CDC* pDC, CRect rect, AFX_CAPTION_BUTTON kind, BOOL bActive, BOOL bHot,
                                            BOOL bPressed, BOOL bPinned) {
  if (bHot || bPressed) {
    FillSolid(pDC, rect, bPressed ? m_palette.buttonPressed : m_palette.buttonHot);
    FrameSolid(pDC, rect, m_palette.buttonHotBorder);
  }
  const COLORREF ink = bActive && !(bHot || bPressed) ? m_palette.captionText : m_palette.text;
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
      OnDrawMenuArrow(pDC, rect, FALSE);
      break;
  }
  pDC->SelectObject(old);
}

void CMFCVisualManager::OnEraseTabsArea(CDC* pDC, CRect rect) { FillSolid(pDC, rect, m_palette.tabArea); }

COLORREF CMFCVisualManager::OnDrawTab(CDC* pDC, CRect rect, BOOL bIsActive, BOOL bBottom, BOOL bOneNote,
                                      COLORREF tabColor) {
  COLORREF fill = bIsActive ? m_palette.tabActive : m_palette.tabInactive;
  if (tabColor != CLR_DEFAULT && tabColor != CLR_NONE) fill = bIsActive ? tabColor : Mix(tabColor, fill, 60);
  const int slant = (m_palette.roundedTabs || bOneNote) ? rect.Height() / 2 : 0;
  CBrush brush(fill);
  CPen pen(PS_SOLID, 1, m_palette.tabBorder);
  CBrush* oldBrush = pDC->SelectObject(&brush);
  CPen* oldPen = pDC->SelectObject(&pen);
  // The tab's open side faces its pages: the bottom edge for tabs on top, the top edge below.
  const int outer = bBottom ? rect.bottom - 1 : rect.top;
  const int inner = bBottom ? rect.top : rect.bottom - 1;
  POINT shape[4] = {{rect.left, inner}, {rect.left + slant, outer}, {rect.right - 1, outer}, {rect.right - 1, inner}};
  pDC->Polygon(shape, 4);
  if (bIsActive) {  // the active tab joins its pages: no line on its open side
    CPen open(PS_SOLID, 1, fill);
    pDC->SelectObject(&open);
    pDC->MoveTo(rect.left + 1, inner);
    pDC->LineTo(rect.right - 1, inner);
    pDC->SelectObject(&pen);
  }
  pDC->SelectObject(oldPen);
  pDC->SelectObject(oldBrush);
  return m_palette.tabText;
}

void CMFCVisualManager::OnDrawDivider(CDC* pDC, CRect rect, BOOL) { FillSolid(pDC, rect, m_palette.divider); }

void CMFCVisualManager::OnDrawAutoHideButton(CDC* pDC, CRect rect, BOOL bHot) {
  FillSolid(pDC, rect, bHot ? m_palette.buttonHot : m_palette.tabInactive);
  FrameSolid(pDC, rect, bHot ? m_palette.buttonHotBorder : m_palette.tabBorder);
}

void CMFCVisualManager::OnDrawStatusBarPaneBorder(CDC* pDC, CRect rect) {
  if (m_palette.flatButtons)
    FrameSolid(pDC, rect, m_palette.barBorder);
  else
    pDC->Draw3dRect(&rect, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
}

void CMFCVisualManager::OnDrawStatusBarProgress(CDC* pDC, CRect rect, int nTotal, int nCurrent) {
  FillSolid(pDC, rect, Sys(COLOR_WINDOW));
  FrameSolid(pDC, rect, m_palette.barBorder);
  if (nTotal <= 0) return;
  CRect done = rect;
  done.DeflateRect(1, 1);
  const int clamped = nCurrent < 0 ? 0 : (nCurrent > nTotal ? nTotal : nCurrent);
  done.right = done.left + MulDiv(done.Width(), clamped, nTotal);
  FillSolid(pDC, done, m_palette.progress);
}

void CMFCVisualManager::OnFillWorkspace(CDC* pDC, CRect rect) { FillSolid(pDC, rect, m_palette.workspace); }

CMFCVisualManagerOfficeXP::CMFCVisualManagerOfficeXP() {
  SetFlatLook(m_palette, RGB(219, 216, 209), RGB(249, 248, 247), RGB(182, 189, 210), RGB(10, 36, 106),
              RGB(133, 146, 181), RGB(10, 36, 106), RGB(10, 36, 106), RGB(128, 128, 128));
  m_palette.textHot = RGB(0, 0, 0);
}

BOOL CMFCVisualManagerWindows::m_b3DTabsXPTheme = FALSE;

CMFCVisualManagerWindows::CMFCVisualManagerWindows() {
  SetFlatLook(m_palette, RGB(236, 233, 216), RGB(252, 252, 249), RGB(193, 210, 238), RGB(49, 106, 197),
              RGB(152, 181, 226), RGB(0, 84, 227), RGB(61, 149, 255), RGB(128, 128, 128));
  m_palette.gradientBars = TRUE;
  m_palette.roundedTabs = m_b3DTabsXPTheme;
}

CMFCVisualManagerOffice2003::CMFCVisualManagerOffice2003() {
  SetFlatLook(m_palette, RGB(158, 190, 245), RGB(227, 239, 255), RGB(255, 238, 194), RGB(0, 0, 128),
              RGB(254, 128, 62), RGB(89, 135, 214), RGB(195, 218, 249), RGB(144, 153, 174));
  m_palette.gradientBars = TRUE;
  m_palette.captionText = RGB(255, 255, 255);
}

CMFCVisualManagerVS2005::CMFCVisualManagerVS2005() {
  SetFlatLook(m_palette, RGB(229, 229, 215), RGB(250, 250, 247), RGB(193, 210, 238), RGB(49, 106, 197),
              RGB(152, 181, 226), RGB(59, 128, 237), RGB(49, 106, 197), RGB(128, 128, 128));
  m_palette.gradientBars = TRUE;
  m_palette.roundedTabs = TRUE;
  m_palette.captionText = RGB(255, 255, 255);
}

CMFCVisualManagerVS2008::CMFCVisualManagerVS2008() {
  SetFlatLook(m_palette, RGB(188, 199, 216), RGB(233, 236, 250), RGB(255, 231, 162), RGB(229, 195, 101),
              RGB(255, 198, 115), RGB(153, 180, 209), RGB(215, 228, 242), RGB(171, 171, 171));
  m_palette.gradientBars = TRUE;
  m_palette.roundedTabs = TRUE;
  m_palette.captionText = RGB(0, 0, 0);
}

CMFCVisualManagerOffice2007::Style CMFCVisualManagerOffice2007::s_style = CMFCVisualManagerOffice2007::Office2007_LunaBlue;

void CMFCVisualManagerOffice2007::SetStyle(Style style) { s_style = style; }
CMFCVisualManagerOffice2007::Style CMFCVisualManagerOffice2007::GetStyle() { return s_style; }

CMFCVisualManagerOffice2007::CMFCVisualManagerOffice2007() {
  switch (s_style) {
    case Office2007_ObsidianBlack:
      SetFlatLook(m_palette, RGB(83, 83, 83), RGB(160, 160, 160), RGB(255, 231, 162), RGB(255, 189, 105),
                  RGB(251, 140, 60), RGB(65, 65, 65), RGB(120, 120, 120), RGB(47, 47, 47));
      m_palette.text = RGB(255, 255, 255);
      m_palette.textHot = RGB(0, 0, 0);
      m_palette.captionText = RGB(255, 255, 255);
      break;
    case Office2007_Aqua:
      SetFlatLook(m_palette, RGB(180, 196, 218), RGB(232, 239, 247), RGB(255, 231, 162), RGB(255, 189, 105),
                  RGB(251, 140, 60), RGB(140, 163, 196), RGB(205, 218, 235), RGB(159, 180, 210));
      break;
    case Office2007_Silver:
      SetFlatLook(m_palette, RGB(208, 212, 221), RGB(243, 244, 247), RGB(255, 231, 162), RGB(255, 189, 105),
                  RGB(251, 140, 60), RGB(170, 176, 190), RGB(223, 226, 232), RGB(190, 194, 203));
      break;
    case Office2007_LunaBlue:
    default:
      SetFlatLook(m_palette, RGB(191, 219, 255), RGB(227, 239, 255), RGB(255, 231, 162), RGB(255, 189, 105),
                  RGB(251, 140, 60), RGB(101, 147, 207), RGB(200, 221, 247), RGB(171, 198, 235));
      break;
  }
  m_palette.gradientBars = TRUE;
  m_palette.roundedTabs = TRUE;
}

CMFCVisualManagerWindows7::CMFCVisualManagerWindows7() {
  SetFlatLook(m_palette, RGB(233, 238, 245), RGB(252, 253, 254), RGB(222, 236, 252), RGB(125, 162, 206),
              RGB(196, 221, 248), RGB(185, 209, 234), RGB(241, 246, 251), RGB(204, 217, 234));
  m_palette.gradientBars = TRUE;
  m_palette.captionText = RGB(30, 57, 91);
}

// The visual manager's shapes for the property grid and the colour controls. Kept apart from the
// looks themselves: a look changes colours through its palette, these draw with them.
#include "fw/Dc.h"
#include "fw/VisualManager.h"

void CMFCVisualManager::OnDrawExpandingBox(CDC* pDC, CRect rect, BOOL bIsOpened, COLORREF colorBox) {
  // A square of odd size so that the plus is centred on a pixel.
  const int size = (rect.Width() < rect.Height() ? rect.Width() : rect.Height()) & ~1;
  if (size < 5) return;
  const int side = size - 1;
  const CPoint c = rect.CenterPoint();
  CRect box(c.x - side / 2, c.y - side / 2, c.x - side / 2 + side, c.y - side / 2 + side);
  FillSolid(pDC, box, ::GetSysColor(COLOR_WINDOW));
  FrameSolid(pDC, box, colorBox);
  const int arm = side / 2 - 2;
  const CPoint m(box.left + side / 2, box.top + side / 2);
  FillSolid(pDC, CRect(m.x - arm, m.y, m.x + arm + 1, m.y + 1), colorBox);
  if (!bIsOpened) FillSolid(pDC, CRect(m.x, m.y - arm, m.x + 1, m.y + arm + 1), colorBox);
}

void CMFCVisualManager::OnDrawGridHeaderItem(CDC* pDC, CRect rect) {
  FillSolid(pDC, rect, m_palette.barFace);
  // A line under the strip and one at the cell's right edge, as a header control separates items.
  FillSolid(pDC, CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), m_palette.barBorder);
  FillSolid(pDC, CRect(rect.right - 1, rect.top + 2, rect.right, rect.bottom - 2), m_palette.barBorder);
}

COLORREF CMFCVisualManager::OnDrawControlButton(CDC* pDC, CRect rect, BOOL bPressed, BOOL bHot, BOOL bDisabled) {
  if (m_palette.flatButtons) {
    FillSolid(pDC, rect, bPressed ? m_palette.buttonPressed : (bHot ? m_palette.buttonHot : m_palette.barFace));
    FrameSolid(pDC, rect, bPressed || bHot ? m_palette.buttonHotBorder : m_palette.barBorder);
  } else {
    FillSolid(pDC, rect, ::GetSysColor(COLOR_BTNFACE));
    CRect edge = rect;
    pDC->DrawEdge(&edge, bPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  }
  return bDisabled ? m_palette.textDisabled : m_palette.text;
}

void CMFCVisualManager::OnDrawColorCell(CDC* pDC, CRect rect, COLORREF color, BOOL bSelected, BOOL bHot) {
  // The selection and hot frames sit outside a one-pixel grey frame around the colour itself.
  if (bSelected || bHot) {
    FillSolid(pDC, rect, bSelected ? m_palette.buttonPressed : m_palette.buttonHot);
    FrameSolid(pDC, rect, m_palette.buttonHotBorder);
  }
  CRect sample = rect;
  sample.DeflateRect(2, 2);
  if (sample.IsRectEmpty()) return;
  FrameSolid(pDC, sample, ::GetSysColor(COLOR_BTNSHADOW));
  sample.DeflateRect(1, 1);
  FillSolid(pDC, sample, color);
}

void CMFCVisualManager::OnFillColorPopup(CDC* pDC, CRect rect) {
  FillSolid(pDC, rect, m_palette.barFaceLight);
  FrameSolid(pDC, rect, m_palette.barBorder);
}

// Painting of the property grid, through the visual manager, into an off-screen bitmap.
#include "PropertyGridInternal.h"
#include "PropertyGridStrings.h"
#include "fw/Dc.h"
#include "fw/PropertyGrid.h"
#include "fw/VisualManager.h"

namespace {

// The selection shows in the highlight colour while the grid or its editor has the focus.
bool HasFocusWithin(HWND grid) {
  const HWND focus = ::GetFocus();
  return focus && (focus == grid || ::IsChild(grid, focus));
}

}  // namespace

BOOL CMFCPropertyGridCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CMFCPropertyGridCtrl::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  CDC memory;
  CBitmap bitmap;
  const BOOL buffered = memory.CreateCompatibleDC(&dc) && bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
  CDC* target = buffered ? &memory : &dc;
  CBitmap* oldBitmap = buffered ? memory.SelectObject(&bitmap) : nullptr;
  CFont* oldFont = target->SelectObject(GetFont());
  target->SetBkMode(TRANSPARENT);

  OnFillBackground(target, client);
  OnDrawList(target);
  if (!m_rectHeader.IsRectEmpty()) OnDrawHeader(target, m_rectHeader);
  if (!m_rectDescr.IsRectEmpty()) OnDrawDescription(target, m_rectDescr);

  target->SelectObject(oldFont);
  if (buffered) {
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(oldBitmap);
  }
}

void CMFCPropertyGridCtrl::OnFillBackground(CDC* pDC, CRect rectClient) {
  pDC->FillSolidRect(&rectClient, ::GetSysColor(COLOR_WINDOW));
}

void CMFCPropertyGridCtrl::OnDrawList(CDC* pDC) {
  CMFCVisualManager* manager = CMFCVisualManager::GetInstance();
  // The VS.NET look's left margin runs the whole height of the list, shown rows or not.
  if (m_bVSDotNetLook && !m_bAlphabeticMode) {
    pDC->FillSolidRect(m_rectList.left, m_rectList.top, m_nRowHeight, m_rectList.Height(), manager->GetGridGroupColor());
  }
  for (INT_PTR i = m_nFirstRow; i < m_rows.GetSize(); ++i) {
    CMFCPropertyGridProperty* p = m_rows[i];
    if (p->m_Rect.IsRectEmpty()) break;
    OnDrawProperty(pDC, p);
  }
}

void CMFCPropertyGridCtrl::OnDrawProperty(CDC* pDC, CMFCPropertyGridProperty* pProp) {
  CMFCVisualManager* manager = CMFCVisualManager::GetInstance();
  const CRect row = pProp->m_Rect;
  const int saved = pDC->SaveDC();
  pDC->IntersectClipRect(&row);
  const bool active = HasFocusWithin(m_hWnd);
  const bool selected = pProp == m_pSel;
  const COLORREF line = manager->GetGridLineColor();
  const int nameLeft = row.left + GetNameIndent(pProp);
  const int split = row.left + m_nLeftColumnWidth;
  const int lineLeft = m_bVSDotNetLook && !m_bAlphabeticMode ? row.left + m_nRowHeight : row.left;
  CFont* normal = GetFont();

  if (FwIsBand(pProp)) {
    if (m_bVSDotNetLook) pDC->FillSolidRect(&row, manager->GetGridGroupColor());
    CRect name(nameLeft, row.top, row.right, row.bottom - 1);
    COLORREF ink = m_bVSDotNetLook ? manager->GetGridGroupTextColor() : ::GetSysColor(COLOR_WINDOWTEXT);
    if (selected) {
      pDC->FillSolidRect(&name, ::GetSysColor(active ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
      if (active) ink = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    if (!pProp->IsEnabled()) ink = ::GetSysColor(COLOR_GRAYTEXT);
    const CRect box = GetExpandBoxRect(pProp);
    if (!box.IsRectEmpty()) pProp->OnDrawExpandBox(pDC, box);
    pDC->SelectObject(&m_fontBold);
    pDC->SetTextColor(ink);
    pProp->OnDrawName(pDC, name);
    pDC->SelectObject(normal);
    pDC->FillSolidRect(lineLeft, row.bottom - 1, row.right - lineLeft, 1, line);
    pDC->RestoreDC(saved);
    return;
  }

  // The name cell.
  CRect name(nameLeft, row.top, split, row.bottom - 1);
  COLORREF nameInk = ::GetSysColor(COLOR_WINDOWTEXT);
  if (selected) {
    pDC->FillSolidRect(&name, ::GetSysColor(active ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    if (active) nameInk = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
  }
  if (!pProp->IsEnabled()) nameInk = ::GetSysColor(COLOR_GRAYTEXT);
  const CRect box = GetExpandBoxRect(pProp);
  if (!box.IsRectEmpty()) pProp->OnDrawExpandBox(pDC, box);
  {
    const int nameClip = pDC->SaveDC();
    pDC->IntersectClipRect(&name);
    pDC->SetTextColor(nameInk);
    pProp->OnDrawName(pDC, name);
    pDC->RestoreDC(nameClip);
  }

  // The value cell; modified values in bold when they are marked.
  CRect value(split + 1, row.top, row.right, row.bottom - 1);
  const bool showButton = (selected || pProp->m_bInPlaceEdit) && !pProp->m_rectButton.IsRectEmpty() &&
                          !(pProp->m_bInPlaceEdit && pProp->m_pWndCombo);
  CRect text = value;
  if (showButton) text.right = pProp->m_rectButton.left;
  {
    const int valueClip = pDC->SaveDC();
    pDC->IntersectClipRect(&text);
    pDC->SetTextColor(::GetSysColor(pProp->IsEnabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    pDC->SelectObject(m_bMarkModifiedProperties && pProp->IsModified() ? &m_fontBold : normal);
    pProp->OnDrawValue(pDC, text);
    pDC->RestoreDC(valueClip);
  }
  if (showButton) {
    pDC->SelectObject(normal);
    pProp->OnDrawButton(pDC, pProp->m_rectButton);
  }

  pDC->FillSolidRect(split, row.top, 1, row.Height(), line);
  pDC->FillSolidRect(lineLeft, row.bottom - 1, row.right - lineLeft, 1, line);
  pDC->RestoreDC(saved);
}

void CMFCPropertyGridCtrl::OnDrawHeader(CDC* pDC, CRect rect) {
  CMFCVisualManager* manager = CMFCVisualManager::GetInstance();
  const int split = rect.left + m_nLeftColumnWidth;
  const CRect cells[2] = {CRect(rect.left, rect.top, split + 1, rect.bottom), CRect(split + 1, rect.top, rect.right, rect.bottom)};
  CString texts[2] = {m_strHeaderLeft, m_strHeaderRight};
  if (texts[0].IsEmpty()) texts[0].LoadString(FW_IDS_PROPGRID_PROPERTY);
  if (texts[1].IsEmpty()) texts[1].LoadString(FW_IDS_PROPGRID_VALUE);
  pDC->SetTextColor(manager->Palette().text);
  for (int i = 0; i < 2; ++i) {
    manager->OnDrawGridHeaderItem(pDC, cells[i]);
    CRect text = cells[i];
    text.DeflateRect(4, 0);
    pDC->DrawText(texts[i], &text, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
}

void CMFCPropertyGridCtrl::OnDrawDescription(CDC* pDC, CRect rect) {
  CMFCVisualManager* manager = CMFCVisualManager::GetInstance();
  const FwLookPalette& palette = manager->Palette();
  pDC->FillSolidRect(&rect, palette.barFace);
  // A band between the list and the description, the area's own frame inside it.
  CRect frame = rect;
  frame.top += 3;
  pDC->Draw3dRect(&frame, palette.barBorder, palette.barBorder);
  if (!m_pSel) return;
  CRect inner = frame;
  inner.DeflateRect(4, 3);
  pDC->SetTextColor(palette.text);
  const int saved = pDC->SaveDC();
  pDC->IntersectClipRect(&inner);
  m_pSel->OnDrawDescription(pDC, inner);
  pDC->RestoreDC(saved);
}

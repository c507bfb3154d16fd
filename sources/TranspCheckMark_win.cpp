// The check mark on devices: the mark, the box and the form-mode highlight on the screen, the mark
// alone on printers and bitmaps, a check-box form field on PDF pages, and its cursors.
#include "TranspCheckMark.h"

#include <algorithm>

#include <pdfwriter/PdfComponent.h>

#include "ErrorLog.h"
#include "MyProcs.h"

namespace {

// The highlight of a mirrored field that does not carry the group's PDF name.
constexpr COLORREF kMirroredHighlight = 0x78FF78;
constexpr COLORREF kFormOutline = 0xFF0000;
// The mark keeps this far inside the box.
constexpr int kMarkInset = 3;

}  // namespace

void PaintCheckMark(CDC* dc, const RECT& square, int width, COLORREF color, int kind) {
  const int w = square.right - square.left, h = square.bottom - square.top;
  const int c = std::min(w, h);
  if (dc == nullptr || c <= 0) return;
  CPen pen;
  CBrush brush;
  if (!pen.CreatePen(PS_SOLID, std::max(width, 1), color) || !brush.CreateSolidBrush(color)) return;
  CPen* oldPen = dc->SelectObject(&pen);
  CBrush* oldBrush = dc->SelectObject(&brush);
  if (kind != 0) {
    const int f = square.bottom - (h - c) / 2, g = c / 3;
    const int x0 = square.left + (w - c) / 2 + g, k = 3 * g / 5, l = 2 * c / 3;
    const POINT shortStroke[4] = {{x0, f}, {x0, f - 1}, {x0 - k, f - g - 1}, {x0 - k, f - g}};
    const POINT longStroke[4] = {{x0, f}, {x0, f - 1}, {x0 + l, f - 1 - l}, {x0 + l, f - l}};
    dc->Polygon(shortStroke, 4);
    dc->Polygon(longStroke, 4);
  } else {
    const int x = square.left + (w - c) / 2, y = square.top + (h - c) / 2;
    dc->MoveTo(x + c, y + c);
    dc->LineTo(x, y);
    dc->MoveTo(x, y + c);
    dc->LineTo(x + c, y);
  }
  dc->SelectObject(oldBrush);
  dc->SelectObject(oldPen);
}

void CTranspCheckMark::DrawCheckMark(CDC* dc, const RECT& square, int width, COLORREF color) {
  DEF_TRY
  if (m_deleted) return;
  PaintCheckMark(dc, square, width, color, m_style.checkMarkKind);
  DEF_CATCH("CTranspCheckMark::DrawCheckMark")
}

int CTranspCheckMark::MarkPenWidth(int print, CDC* dc, const POINT* dpi) {
  if (!print) return GetPixelLineWidth();
  const int resolution = dpi != nullptr ? dpi->x : dc->GetDeviceCaps(LOGPIXELSX);
  return std::max(UnitToDevice(m_style.lineWidth, resolution), 1);
}

// Rows of every other pixel, shifted by one on alternate rows: a checkerboard that leaves the page
// image readable under the field.
void CTranspCheckMark::DrawHighlight(CDC* dc, const RECT& box) {
  const TRANSP_VIEW_LINK* link = GetViewLink();
  COLORREF color = link != nullptr && link->GetHighlightColor != nullptr ? link->GetHighlightColor(m_pView) : 0;
  if (IsMirrored() && !m_pdfNameSet) color = kMirroredHighlight;
  m_highlightBrush = {BS_SOLID, color, 0};
  HPEN pen = ::ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &m_highlightBrush, 0, nullptr);
  if (pen == nullptr) return;
  HDC hdc = dc->GetSafeHdc();
  HGDIOBJ old = ::SelectObject(hdc, pen);
  for (int y = box.top + 1; y <= box.bottom - 3; ++y) {
    ::MoveToEx(hdc, box.left + ((y - box.top - 1) & 1), y, nullptr);
    ::LineTo(hdc, box.right - 2, y);
  }
  ::SelectObject(hdc, old);
  ::DeleteObject(pen);
}

void CTranspCheckMark::DrawOutline(CDC* dc, const RECT& box, BOOL formMode) {
  CPen pen;
  if (formMode) {
    pen.CreatePen(PS_SOLID, m_focused ? 2 : 1, kFormOutline);
  } else {
    pen.CreatePen(PS_DOT, 1, m_focused || m_selected ? m_tabOrderFocusColor : m_tabOrderColor);
  }
  CPen* oldPen = dc->SelectObject(&pen);
  CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
  dc->Rectangle(&box);
  dc->SelectObject(oldBrush);
  dc->SelectObject(oldPen);
}

void CTranspCheckMark::Draw(CDC* dc, int print, POINT* dpi) {
  DEF_TRY
  if (m_deleted || dc == nullptr) return;
  const RECT box = NormalizedRect(DeviceRect(m_rect, print, dc, dpi));
  const BOOL formMode = !print && IsFormMode();
  const TRANSP_VIEW_LINK* link = GetViewLink();
  if (formMode && link != nullptr && link->IsHighlightFields != nullptr && link->IsHighlightFields(m_pView))
    DrawHighlight(dc, box);
  if (m_state && box.right - box.left > kMarkInset && box.bottom - box.top > kMarkInset) {
    RECT inner = box;
    ::InflateRect(&inner, -kMarkInset, -kMarkInset);
    // A box of 4 to 6 pixels leaves nothing inside the inset: no mark rather than one turned inside out.
    const int side = std::min(inner.right - inner.left, inner.bottom - inner.top);
    if (side > 0) {
      const RECT square = {inner.left, inner.top, inner.left + side, inner.top + side};
      DrawCheckMark(dc, square, MarkPenWidth(print, dc, dpi), GetDrawColor());
    }
  }
  if (print) return;
  DrawOutline(dc, box, formMode);
  if (m_selected) {
    if (!formMode) DrawSelectFrame(dc, box.left, box.top, box.right, box.bottom, 0);
  } else if (m_frozen) {
    HideViewCaret();
    DrawFreezeFrame(dc, box.left, box.top, box.right, box.bottom);
  } else if (m_focused) {
    if (!formMode) {
      HideViewCaret();
      DrawFocusFrame(dc, box.left, box.top, box.right, box.bottom, 0);
    }
    const RECT units = NormalizedRect(m_rect);
    SetDefaultSize(UnitToInch(units.right - units.left), UnitToInch(units.bottom - units.top));
  }
  DrawTabOrderIndex(dc);
  DEF_CATCH("CTranspCheckMark::Draw")
}

// Only the body and the corners have a cursor: the middles do nothing on a square box.
void CTranspCheckMark::SetObjectCursor(POINT point) {
  DEF_TRY
  ClearViewClassCursor();
  const int capture = GetCapture(point);
  if (capture != CAPTURE_BODY && (capture < CAPTURE_TOP_LEFT || capture > CAPTURE_BOTTOM_LEFT)) return;
  HCURSOR cursor = GetHandleCursor(capture);
  if (cursor != nullptr) ::SetCursor(cursor);
  DEF_CATCH("CTranspCheckMark::SetObjectCursor")
}

// A failed call of the PDF creator raises its error, which ends this object's field.
void CTranspCheckMark::DrawOnPDFPage(CDC* dc, IPdfDocument* pdf, int arg) {
  (void)dc;
  (void)arg;
  DEF_TRY
  if (m_deleted || pdf == nullptr) return;
  const long r = pdf->GetResolution();
  const long field = pdf->CreateCheckBox(static_cast<LPCWSTR>(m_name), UnitToDevice(m_rect.left, r),
                                         UnitToDevice(m_rect.top, r), UnitToDevice(m_rect.right, r),
                                         UnitToDevice(m_rect.bottom, r));
  // The creator's style flag asks for a cross; the field shows the same mark as the page.
  pdf->SetCheckBoxStyle(field, m_style.checkMarkKind == 0 ? 1 : 0);
  pdf->SetCheckBoxState(field, m_state != 0 ? 1 : 0);
  DEF_CATCH("CTranspCheckMark::DrawOnPDFPage")
}

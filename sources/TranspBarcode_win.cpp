// The barcode on devices: its modules as filled squares on the screen, printers and bitmaps with the
// state frames, and on PDF pages through the PDF creator.
#include "TranspBarcode.h"

#include <pdfwriter/PdfComponent.h>

#include "ErrorLog.h"
#include "MyProcs.h"

void CTranspBarcode::Draw(CDC* dc, int print, POINT* dpi) {
  DEF_TRY
  if (m_deleted || dc == nullptr) return;
  const int saved = dc->SaveDC();
  RECT box;
  int module;
  if (print) {
    const int resX = dpi != nullptr ? dpi->x : dc->GetDeviceCaps(LOGPIXELSX);
    const int resY = dpi != nullptr ? dpi->y : dc->GetDeviceCaps(LOGPIXELSY);
    box = {RoundToInt(UnitToInch(m_rect.left) * resX), RoundToInt(UnitToInch(m_rect.top) * resY),
           RoundToInt(UnitToInch(m_rect.right) * resX), RoundToInt(UnitToInch(m_rect.bottom) * resY)};
    module = RoundToInt(UnitToInch(m_style.lineWidth) * resX);
  } else {
    box = DeviceRect(m_rect, 0, dc, nullptr);
    module = ModuleViewPixels();
  }
  if (module <= 0) module = 1;
  box = NormalizedRect(box);
  // Each module is filled whole, whatever the style's pen: a dashed or dotted outline would leave
  // gaps of the background colour in the dark modules and make the symbol unreadable.
  CBrush brush;
  brush.CreateSolidBrush(RGB(0, 0, 0));
  for (int r = 0; r < m_matrix.rows(); ++r) {
    for (int c = 0; c < m_matrix.columns(); ++c) {
      if (m_matrix(c, r) != 1) continue;
      const RECT square = {box.left + module * c, box.top + module * r, box.left + module * (c + 1),
                           box.top + module * (r + 1)};
      dc->FillRect(&square, &brush);
    }
  }
  dc->RestoreDC(saved);
  if (!print) DrawStateFrame(dc, box);
  DEF_CATCH("CTranspBarcode::Draw")
}

// A failed call of the PDF creator raises its error, which ends this object's drawing.
void CTranspBarcode::DrawOnPDFPage(CDC* dc, IPdfDocument* pdf, int arg) {
  (void)dc;
  (void)arg;
  DEF_TRY
  if (m_deleted || pdf == nullptr) return;
  const double r = pdf->GetResolution();
  const double module = UnitToInch(m_style.lineWidth) * r;
  const double left = UnitToInch(m_rect.left) * r, top = UnitToInch(m_rect.top) * r;
  pdf->SetLineWidth(0.001);
  pdf->SetFillColor(0, 0, 0);
  for (int row = 0; row < m_matrix.rows(); ++row) {
    for (int c = 0; c < m_matrix.columns(); ++c) {
      if (m_matrix(c, row) != 1) continue;
      pdf->FillRectangle(c * module + left, row * module + top, (c + 1) * module + left, (row + 1) * module + top);
    }
  }
  pdf->EndPath();
  DEF_CATCH("CTranspBarcode::DrawOnPDFPage")
}

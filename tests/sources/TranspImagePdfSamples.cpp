// Writes pictures.pdf: a green band across the page with two pictures over it, each half black and
// half white: an opaque one, whose white covers the band, and a transparent one, through whose white
// the band shows; both drawn by the picture's own PDF output through the real PDF writer.
// check_image_pdf.py renders the page with poppler and reads the colours back; the places it expects
// are the ones below (inches from the top-left corner).
// Usage: TranspImagePdfSamples <output folder>
#include <pdfwriter/PdfComponent.h>

#include "support/LetterPdf.h"

#include <cstdio>
#include <string>

#include "TranspImage.h"

namespace {

const int kUnitsPerInch = 100000;

int Units(double inches) { return static_cast<int>(inches * kUnitsPerInch + 0.5); }

// 40 x 20 pixels: the left half black, the right half white.
void MakeHalfBlack(CTranspImage& image) {
  LMyBitmap picture;
  picture.Create(40, 20, 24);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) picture.PutPixelColor(x, y, x < 20 ? RGB(0, 0, 0) : RGB(255, 255, 255));
  CUndoState state = image.GetUndoState();
  state.m_bitmap = picture;
  image.SetUndoState(state);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: TranspImagePdfSamples <output folder>\n");
    return 2;
  }
  CreateDirectoryW(argv[1], nullptr);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  CTranspBaseClass::SetInchesPerUnit(1.0 / kUnitsPerInch);
  // Opaque at 1 inch, transparent at 4 inches from the left, both 1 inch from the top, 2 x 1 inches.
  CTranspImage opaque(nullptr, 0), transparent(nullptr, 0);
  for (CTranspImage* image : {&opaque, &transparent}) {
    MakeHalfBlack(*image);
    const double left = image == &opaque ? 1.0 : 4.0;
    image->SetRect(RECT{Units(left), Units(1.0), Units(left + 2.0), Units(2.0)});
  }
  transparent.SetTransparent(1);

  int result = 0;
  IPdfDocument* raw = nullptr;
  if (FAILED(CreatePdfDocument(&raw))) return 1;
  IPdfDocumentPtr pdf(raw, false);
  try {
    pdf->SetCompression(0);
    BeginLetterPdf(pdf, std::wstring(argv[1]) + L"\\pictures.pdf");
    // The band from 0.5 to 2.5 inches down, across the page.
    pdf->SetFillColor(0, 0.5, 0);
    pdf->FillRectangle(0, 36, 612, 180);
    pdf->EndPath();
    opaque.DrawOnPDFPage(nullptr, pdf, 0);
    transparent.DrawOnPDFPage(nullptr, pdf, 0);
    pdf->EndDocument();
  } catch (const _com_error& e) {
    std::fwprintf(stderr, L"PDF writer: %ls\n", static_cast<const wchar_t*>(e.Description()));
    result = 1;
  }
  return result;
}

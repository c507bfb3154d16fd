// The PDF document of the tests' samples: its file named, top-down coordinates in points, begun with
// a letter page.
#pragma once
#include <pdfwriter/PdfComponent.h>

#include <string>

inline void BeginLetterPdf(IPdfDocument* pdf, const std::wstring& path) {
  pdf->SetFileName(_bstr_t(path.c_str()));
  pdf->SetTopDown(1);
  pdf->SetResolution(72);
  pdf->BeginDocument();
  pdf->SetPageResolution(72);
  pdf->SetPageWidth(612);
  pdf->SetPageHeight(792);
}

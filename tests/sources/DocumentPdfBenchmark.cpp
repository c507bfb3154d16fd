// Benchmark (not a test): exports a document of scanned-form pages (200 dpi page images) with 30
// filled text fields each to PDF through the document's own export, and prints the time, pages per
// second and the file size. It also writes the page image as page.png, which run_pdf_benchmark.sh
// gives img2pdf once per page in the same run.
// Usage: DocumentPdfBenchmark <output folder> [pages]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "DocObjects.h"
#include "FolimarDoc.h"
#include "LMyBitmap.h"
#include "MyProcs.h"
#include "ObjectKinds.h"
#include "TranspText.h"

namespace {

const int kDpi = 200, kWidth = 1700, kHeight = 2200;  // 8.5 x 11 inches
const int kUnitsPerInch = 100000;

// A scanned form: ruled boxes and captions on paper that is not quite white, with scanner noise.
void DrawScannedForm(LMyBitmap& bitmap) {
  bitmap.Create(kWidth, kHeight, 24);
  bitmap.SetXResolution(kDpi);
  bitmap.SetYResolution(kDpi);
  bitmap.Fill(RGB(250, 249, 245));
  HDC dc = bitmap.CreateLeadDC();
  HFONT font = ::CreateFontW(-28, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  HGDIOBJ oldFont = ::SelectObject(dc, font);
  ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
  for (int i = 0; i < 30; ++i) {
    const int x = 100 + (i % 2) * 780, y = 120 + (i / 2) * 130;
    ::Rectangle(dc, x, y + 35, x + 700, y + 100);
    wchar_t caption[32];
    swprintf_s(caption, L"Field %d", i + 1);
    ::TextOutW(dc, x, y, caption, lstrlenW(caption));
  }
  unsigned seed = 12345;
  for (int i = 0; i < 40000; ++i) {
    seed = seed * 1103515245u + 12345u;
    const int x = static_cast<int>((seed >> 8) % kWidth), y = static_cast<int>((seed >> 4) % kHeight);
    ::SetPixel(dc, x, y, RGB(180, 180, 180));
  }
  ::SelectObject(dc, oldFont);
  ::DeleteObject(font);
  LBitmapBase::DeleteLeadDC(dc);
}

BOOL NoShell(LPCTSTR, LPCTSTR, LPCTSTR) { return TRUE; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: DocumentPdfBenchmark <output folder> [pages]\n");
    return 2;
  }
  const std::wstring folder = std::wstring(argv[1]) + L"\\";
  const int pages = argc > 2 ? _wtoi(argv[2]) : 100;
  SetShellOpener(NoShell);
  SetDocObjectServices(GetTranspObjectServices());
  RegisterOverlayObjectKinds();
  CTranspBaseClass::SetInchesPerUnit(1.0 / kUnitsPerInch);
  LMyBitmap scan;
  DrawScannedForm(scan);
  if (scan.Save((folder + L"page.png").c_str(), FILE_PNG, 24) != SUCCESS) return 1;
  int result = 0;
  {
    CFolimarDoc doc;
    while (doc.GetPageCount() < pages) doc.InitPageDBTable(doc.AppendNewPage());
    _OBJECT_STYLE style;
    SetDefaultTextStyle(&style);
    style.boxWidth = static_cast<int>(3.4 * kUnitsPerInch);
    for (int p = 0; p < pages; ++p) {
      CPageInfo* page = doc.GetPage(p);
      CFolimarDoc::DefaultPageSettings(page->m_settings, 1033);  // Letter
      // Every page shows the one scan (100 copies of it would take a gigabyte); taken back below.
      page->m_pBitmap = &scan;
      for (int i = 0; i < 30; ++i) {
        const int x = (100 + (i % 2) * 780 + 10) * kUnitsPerInch / kDpi;
        const int y = (120 + (i / 2) * 130 + 45) * kUnitsPerInch / kDpi;
        wchar_t value[48];
        swprintf_s(value, L"Page %d value %d", p + 1, i + 1);
        CTranspText* field = new CTranspText(nullptr, x, y, &style, nullptr, value, p);
        wchar_t name[16];
        swprintf_s(name, L"F%d_%d", p + 1, i + 1);
        field->SetName(name);
        doc.AddObjectToList(field);
      }
    }
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    const int written = doc.SaveAsPDF((folder + L"document.pdf").c_str(), -1, -1, 0);
    ::QueryPerformanceCounter(&end);
    const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ::GetFileAttributesExW((folder + L"document.pdf").c_str(), GetFileExInfoStandard, &data);
    std::printf("export:    %d pages in %.3f s, %.1f pages/s, %lu bytes (page images and %d fields)\n", pages, seconds,
                pages / seconds, data.nFileSizeLow, pages * 30);
    result = written == 1 ? 0 : 1;
    for (int p = 0; p < pages; ++p) doc.GetPage(p)->m_pBitmap = nullptr;
  }
  UnregisterOverlayObjectKinds();
  return result;
}

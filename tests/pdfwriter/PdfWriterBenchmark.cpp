// Benchmark (not a test): writes a 100-page PDF, each page a 300-dpi page image with 30 text fields,
// and prints the time and the file size. run_benchmark.sh runs it beside a host tool doing the same.
// Usage: PdfWriterBenchmark <output folder> [pages]
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Ppm.h"
#include "pdfwriter/PdfComponent.h"

namespace {

const int kWidth = 2550, kHeight = 3300;  // 8.5 x 11 inches at 300 dpi

// A form-like page: white paper, ruled boxes and printed captions, as a scanned form looks.
bool WritePageImage(const std::wstring& bmpPath, const std::wstring& ppmPath) {
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 24, BI_RGB};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return false;
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all = {0, 0, kWidth, kHeight};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HFONT font = CreateFontW(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  SelectObject(dc, font);
  HPEN pen = CreatePen(PS_SOLID, 3, RGB(40, 40, 40));
  SelectObject(dc, pen);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  for (int i = 0; i < 30; ++i) {
    int x = 150 + (i % 2) * 1150, y = 200 + (i / 2) * 200;
    Rectangle(dc, x, y + 50, x + 1050, y + 150);
    wchar_t caption[32];
    wsprintfW(caption, L"Field %d", i + 1);
    TextOutW(dc, x, y, caption, lstrlenW(caption));
  }
  GdiFlush();
  int stride = (kWidth * 3 + 3) & ~3;
  BITMAPFILEHEADER fh = {0x4D42, DWORD(54 + stride * kHeight), 0, 0, 54};
  BITMAPINFOHEADER ih = info.bmiHeader;
  ih.biHeight = kHeight;  // bottom-up in the file
  const unsigned char* rows = static_cast<const unsigned char*>(bits);
  FILE* f = _wfopen(bmpPath.c_str(), L"wb");
  bool ok = f != nullptr;
  if (f) {
    std::fwrite(&fh, 14, 1, f);
    std::fwrite(&ih, 40, 1, f);
    for (int y = kHeight - 1; y >= 0; --y) std::fwrite(rows + stride * y, 1, stride, f);
    std::fclose(f);
  }
  ok = WritePpm(ppmPath, kWidth, kHeight, rows, stride) && ok;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteObject(font);
  DeleteObject(pen);
  DeleteDC(dc);
  return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: PdfWriterBenchmark <output folder> [pages]\n");
    return 2;
  }
  std::wstring folder = argv[1];
  int pages = argc > 2 ? _wtoi(argv[2]) : 100;
  std::wstring bmp = folder + L"\\page.bmp", ppm = folder + L"\\page.ppm", pdfPath = folder + L"\\benchmark.pdf";
  if (!WritePageImage(bmp, ppm)) {
    std::fprintf(stderr, "cannot write the page image\n");
    return 1;
  }
  CoInitialize(nullptr);
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  int status = 0;
  try {
    IPdfDocument* raw = nullptr;
    if (FAILED(CreatePdfDocument(&raw))) _com_issue_error(E_OUTOFMEMORY);
    IPdfDocumentPtr pdf(raw, false);
    pdf->SetFileName(pdfPath.c_str());
    pdf->SetTitle(L"Benchmark");
    pdf->BeginDocument();
    for (int page = 0; page < pages; ++page) {
      if (page) pdf->NewPage();
      pdf->SetPageResolution(72);
      pdf->SetPageWidth(612);
      pdf->SetPageHeight(792);
      long image = pdf->LoadImageFile(bmp.c_str(), 0);
      pdf->DrawImage(image, 0, 0, 612, 792);
      for (int i = 0; i < 30; ++i) {
        double x = 36 + (i % 2) * 276, y = 48 + (i / 2) * 48 + 12;
        wchar_t name[32], value[64];
        wsprintfW(name, L"P%dF%d", page + 1, i + 1);
        wsprintfW(value, L"Value %d on page %d", i + 1, page + 1);
        long field = pdf->CreateTextField(name, x, y, x + 252, y + 24);
        pdf->SetFieldValue(field, value);
        pdf->SetFieldFontSize(field, 12);
        pdf->SetFieldFontName(field, L"Arial");
      }
    }
    pdf->EndDocument();
  } catch (const _com_error& e) {
    std::fprintf(stderr, "failed: 0x%08lX\n", static_cast<unsigned long>(e.Error()));
    status = 1;
  }
  QueryPerformanceCounter(&end);
  CoUninitialize();
  if (status) return status;
  WIN32_FILE_ATTRIBUTE_DATA attributes;
  GetFileAttributesExW(pdfPath.c_str(), GetFileExInfoStandard, &attributes);
  double seconds = double(end.QuadPart - start.QuadPart) / frequency.QuadPart;
  std::printf("pdfwriter: %d pages in %.3f s, %llu bytes\n", pages, seconds,
              (static_cast<unsigned long long>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow);
  return 0;
}

// Prints a barcode into a bitmap as a printer would and writes it as a grey PGM image beside the
// bytes the barcode encoded, for an independent reader on the host.
#include <cstdio>
#include <string>
#include <vector>

#include "TranspBarcode.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: TranspBarcodeSamples <output folder>\n");
    return 2;
  }
  CreateDirectoryW(argv[1], nullptr);
  CTranspBaseClass::SetInchesPerUnit(0.00001);
  // Cyrillic text goes through code page 1251; the module is 0.03 inch, 3 pixels at 100 dpi, with
  // a light margin of 0.1 inch.
  _OBJECT_STYLE style = {};
  CTranspBarcode barcode(nullptr, POINT{10000, 10000}, &style, 0);
  _PROPERTIES properties;
  properties.contentTemplate = L"<par fld_code=\"FLD8\">\x0418\x0432\x0430\x043D \x041F\x0435\x0442\x0440\x043E\x0432</par>";
  const int templateField = BARCODE_FIELD_TEMPLATE;
  barcode.SetObjectStyle(&properties, nullptr, &templateField, 0);
  style.lineWidth = 3000;
  const int moduleField = BARCODE_FIELD_MODULE_SIZE;
  barcode.SetObjectStyle(nullptr, &style, &moduleField, 0);
  const int width = 20 + 3 * barcode.GetMatrix().columns(), height = 20 + 3 * barcode.GetMatrix().rows();

  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  uint32_t* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  PatBlt(dc, 0, 0, width, height, WHITENESS);
  CDC cdc;
  cdc.Attach(dc);
  POINT dpi = {100, 100};
  barcode.Draw(&cdc, 1, &dpi);
  cdc.Detach();
  GdiFlush();

  const std::wstring folder = argv[1];
  FILE* image = _wfopen((folder + L"\\barcode.pgm").c_str(), L"wb");
  if (image == nullptr) return 1;
  std::fprintf(image, "P5\n%d %d\n255\n", width, height);
  for (int i = 0; i < width * height; ++i) std::fputc(static_cast<int>(bits[i] & 0xFF), image);
  std::fclose(image);
  FILE* expected = _wfopen((folder + L"\\expected.bin").c_str(), L"wb");
  if (expected == nullptr) return 1;
  std::fwrite(barcode.GetData().data(), 1, barcode.GetData().size(), expected);
  std::fclose(expected);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return 0;
}

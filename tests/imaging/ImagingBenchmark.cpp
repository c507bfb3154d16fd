// Benchmark (not a test): load and save times per format and resampling times for a 300-dpi A4
// page at 24 bits. run_benchmark.py makes the input files with ImageMagick, runs this program
// under Wine and ImageMagick on the same work, and prints both with their ratios.
// usage: ImagingBenchmark FOLDER   (FOLDER holds page.<ext> files; outputs go to FOLDER\out)
#include <LBitmapBase.h>

#include <cstdio>
#include <string>

namespace {

double Now() {
  LARGE_INTEGER t, f;
  QueryPerformanceCounter(&t);
  QueryPerformanceFrequency(&f);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

// The best of three runs, in milliseconds; -1 when the operation fails.
template <class Operation>
double Best(Operation op) {
  double best = 1e30;
  for (int i = 0; i < 3; ++i) {
    const double start = Now();
    if (op() != SUCCESS) return -1;
    best = std::min(best, Now() - start);
  }
  return best;
}

struct Format {
  const wchar_t* input;
  const char* name;
  int format;
  int bpp;
  int quality;
};

const Format kFormats[] = {
    {L"page.png", "png", FILE_PNG, 24, 2},          {L"page.bmp", "bmp", FILE_BMP, 24, 2},
    {L"page.jpg", "jpeg", FILE_JPEG, 24, 51},       {L"page.gif", "gif", FILE_GIF, 8, 2},
    {L"page.pcx", "pcx", FILE_PCX, 24, 2},          {L"page_none.tif", "tif-none", FILE_TIF, 24, 2},
    {L"page_packbits.tif", "tif-packbits", FILE_TIF_PACKBITS, 24, 2},
    {L"page_lzw.tif", "tif-lzw", FILE_TIF_LZW, 24, 2}, {L"page_g4.tif", "tif-g4", FILE_TIF_CCITT_G4, 1, 2},
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: ImagingBenchmark FOLDER\n");
    return 2;
  }
  const std::wstring folder = argv[1];
  CreateDirectoryW((folder + L"\\out").c_str(), nullptr);
  int failures = 0;
  for (const Format& f : kFormats) {
    LBitmapBase page;
    const std::wstring in = folder + L"\\" + f.input;
    const double load = Best([&] { return page.Load(in.c_str()); });
    const std::wstring out = folder + L"\\out\\" + f.input;
    const double save = Best([&] { return page.Save(out.c_str(), f.format, f.bpp, f.quality); });
    std::printf("load %s %.1f\nsave %s %.1f\n", f.name, load, f.name, save);
    failures += load < 0 || save < 0;
  }
  LBitmapBase page;
  if (page.Load((folder + L"\\page.png").c_str()) != SUCCESS) return 1;
  for (int percent : {25, 50, 150}) {
    LBitmapBase copy;
    const double ms = Best([&] {
      const int r = copy.Copy(page);
      return r == SUCCESS ? copy.SizeInterpolate(page.GetWidth() * percent / 100, page.GetHeight() * percent / 100, 17) : r;
    });
    std::printf("resize %d %.1f\n", percent, ms);
    failures += ms < 0;
  }
  return failures ? 1 : 0;
}

// Writes a top-down 24-bit BGR bitmap as a binary PPM, the format the host's image tools compare
// against the rendered PDF.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

inline bool WritePpm(const std::wstring& path, int width, int height, const unsigned char* bgr, int stride) {
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return false;
  std::fprintf(f, "P6\n%d %d\n255\n", width, height);
  std::vector<unsigned char> row(width * 3);
  for (int y = 0; y < height; ++y) {
    const unsigned char* p = bgr + stride * y;
    for (int x = 0; x < width; ++x) {
      row[3 * x] = p[3 * x + 2];
      row[3 * x + 1] = p[3 * x + 1];
      row[3 * x + 2] = p[3 * x];
    }
    std::fwrite(row.data(), 1, row.size(), f);
  }
  return std::fclose(f) == 0;
}

// Small helpers of the imaging tests: bitmaps with known pixels and hex byte blocks.
#pragma once
#include <LBitmapBase.h>

#include <cstdint>
#include <string>
#include <vector>

namespace imaging_test {

// A bitmap of the given depth and perspective, 24-bit colours painted through PutPixelColor from
// rows of characters: '.' white, 'X' black, 'R' red, 'G' green, 'B' blue.
inline int MakeFromRows(LBitmapBase& b, const std::vector<std::string>& rows, int bpp = 24, int perspective = TOP_LEFT) {
  const int h = static_cast<int>(rows.size()), w = static_cast<int>(rows[0].size());
  RGBQUAD colors[16] = {{255, 255, 255, 0}, {0, 0, 0, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}};
  int r = b.Create(w, h, bpp, ORDER_BGR, bpp <= 8 ? colors : nullptr, bpp == 1 ? 2 : 5, perspective);
  if (r != SUCCESS) return r;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      COLORREF c = RGB(255, 255, 255);
      switch (rows[y][x]) {
        case 'X': c = RGB(0, 0, 0); break;
        case 'R': c = RGB(255, 0, 0); break;
        case 'G': c = RGB(0, 255, 0); break;
        case 'B': c = RGB(0, 0, 255); break;
      }
      b.PutPixelColor(x, y, c);
    }
  return SUCCESS;
}

// The bitmap back as rows of characters (colours as in MakeFromRows, '?' for anything else).
inline std::vector<std::string> Rows(const LBitmapBase& b) {
  std::vector<std::string> out;
  for (int y = 0; y < b.GetHeight(); ++y) {
    std::string row;
    for (int x = 0; x < b.GetWidth(); ++x) {
      switch (b.GetPixelColor(x, y)) {
        case RGB(255, 255, 255): row += '.'; break;
        case RGB(0, 0, 0): row += 'X'; break;
        case RGB(255, 0, 0): row += 'R'; break;
        case RGB(0, 255, 0): row += 'G'; break;
        case RGB(0, 0, 255): row += 'B'; break;
        default: row += '?';
      }
    }
    out.push_back(row);
  }
  return out;
}

// Bytes from hex text; spaces, line breaks and "offset:" labels are skipped.
inline std::vector<uint8_t> Hex(const std::string& text) {
  std::vector<uint8_t> out;
  std::string digits;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ':') {
      digits.clear();  // the offset label before the colon
      continue;
    }
    if (isxdigit(static_cast<unsigned char>(c))) {
      digits += c;
    } else {
      for (size_t k = 0; k + 1 < digits.size(); k += 2) out.push_back(static_cast<uint8_t>(std::stoi(digits.substr(k, 2), nullptr, 16)));
      digits.clear();
    }
  }
  for (size_t k = 0; k + 1 < digits.size(); k += 2) out.push_back(static_cast<uint8_t>(std::stoi(digits.substr(k, 2), nullptr, 16)));
  return out;
}

}  // namespace imaging_test

// The correction: the mean colour of the white reference area is stretched to the block's white and
// the mean of the black reference area to its black, channel by channel, by one straight line per
// channel; the factor blends between the pixels as they were (0) and fully corrected (1).
#include "Tintwell.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

struct Layout {
  int width, rows, stride, bitsPerPixel;
  bool bottomUp;
};

// Bits per pixel from the row length: the block names the pixel kind only. An RGB row of four bytes
// a pixel is 32 bits (a 24-bit row is that long only for images under four pixels wide).
int BitsPerPixelOf(const TINTWELL_BLOCK& b) {
  const long long bits = static_cast<long long>(b.stride) * 8;
  if (b.pixelKind == TINTWELL_PIXELS_RGB) return bits >= 32LL * b.width ? 32 : 24;
  for (int bpp : {8, 4, 1})
    if (bits >= static_cast<long long>(bpp) * b.width) return bpp;
  return 0;
}

// Mean of each channel (blue, green, red) over the area, clipped to the image; false when nothing of
// it lies inside.
bool MeanOf(const TINTWELL_BLOCK& b, const Layout& l, const TINTWELL_AREA& a, double mean[3]) {
  const int left = std::max(0, std::min(a.left, a.right)), right = std::min(l.width, std::max(a.left, a.right));
  const int top = std::max(0, std::min(a.top, a.bottom)), bottom = std::min(l.rows, std::max(a.top, a.bottom));
  if (left >= right || top >= bottom) return false;
  const int bytes = l.bitsPerPixel / 8;
  double sum[3] = {0, 0, 0};
  for (int y = top; y < bottom; ++y) {
    const uint8_t* row = b.source + static_cast<size_t>(l.bottomUp ? l.rows - 1 - y : y) * l.stride;
    for (int x = left; x < right; ++x)
      for (int c = 0; c < 3; ++c) sum[c] += row[static_cast<size_t>(x) * bytes + (bytes == 1 ? 0 : c)];
  }
  const double count = static_cast<double>(right - left) * (bottom - top);
  for (int c = 0; c < 3; ++c) mean[c] = sum[c] / count;
  return true;
}

}  // namespace

extern "C" int __cdecl TintwellCorrect(int mode, TINTWELL_BLOCK* block, int value) {
  (void)value;
  if (mode != 0 || block == nullptr || block->size != sizeof(TINTWELL_BLOCK)) return TINTWELL_BAD_BLOCK;
  const TINTWELL_BLOCK& b = *block;
  if (b.source == nullptr || b.output == nullptr || b.width <= 0 || b.height == 0 || b.stride <= 0 ||
      (b.areaCount > 0 && b.areas == nullptr) || b.areaCount < 0)
    return TINTWELL_BAD_BLOCK;
  const Layout l = {b.width, std::abs(b.height), b.stride, BitsPerPixelOf(b), b.height > 0};
  if (l.bitsPerPixel == 0) return TINTWELL_BAD_BLOCK;
  if (l.bitsPerPixel < 8) return TINTWELL_NOT_SUPPORTED;

  // Per channel: the reference means, else the ends of the scale (no stretch on that side).
  double white[3] = {255, 255, 255}, black[3] = {0, 0, 0};
  bool any = false;
  for (int i = 0; i < b.areaCount; ++i) {
    const TINTWELL_AREA& a = b.areas[i];
    if (a.kind == TINTWELL_AREA_WHITE && b.hasWhite)
      any |= MeanOf(b, l, a, white);
    else if (a.kind == TINTWELL_AREA_BLACK && b.hasBlack)
      any |= MeanOf(b, l, a, black);
  }
  if (!any) return TINTWELL_NO_REFERENCE;

  // One table per channel: reference black to the target black, reference white to the target white.
  uint8_t table[3][256];
  for (int c = 0; c < 3; ++c) {
    const double span = white[c] - black[c];
    const double toBlack = b.black[c], toWhite = b.white[c];
    for (int v = 0; v < 256; ++v) {
      double corrected = span >= 1 ? toBlack + (v - black[c]) * (toWhite - toBlack) / span : v;
      corrected = v + (corrected - v) * b.factor;
      table[c][v] = static_cast<uint8_t>(std::lround(std::min(255.0, std::max(0.0, corrected))));
    }
  }
  const int bytes = l.bitsPerPixel / 8;
  for (int y = 0; y < l.rows; ++y) {
    const uint8_t* in = b.source + static_cast<size_t>(y) * l.stride;
    uint8_t* out = b.output + static_cast<size_t>(y) * l.stride;
    std::memcpy(out, in, static_cast<size_t>(l.stride));
    for (int x = 0; x < l.width; ++x) {
      const size_t at = static_cast<size_t>(x) * bytes;
      // Indexed pixels of 8 bits are taken as grey levels (a grey ramp), through the green table.
      if (bytes == 1)
        out[at] = table[1][in[at]];
      else
        for (int c = 0; c < 3; ++c) out[at + c] = table[c][in[at + c]];
    }
  }
  return TINTWELL_OK;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

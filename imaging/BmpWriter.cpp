// The BMP writer.
#include "ImagingInternal.h"

#include <cmath>
#include <cstring>

using namespace imaging_internal;

namespace imaging_internal {

int EncodeBmp(const LBitmapBase& bitmap, std::vector<uint8_t>& out) {
  const int bpp = bitmap.GetBitsPerPixel(), w = bitmap.GetWidth(), h = bitmap.GetHeight();
  const int colors = bpp <= 8 ? (1 << bpp) : 0;
  const uint32_t stride = static_cast<uint32_t>(bitmap.GetBytesPerLine());
  const uint32_t offset = 14 + 40 + 4u * static_cast<uint32_t>(colors);
  out.clear();
  out.reserve(offset + stride * static_cast<size_t>(h));
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + stride * static_cast<uint32_t>(h));
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(w));
  Put32(out, static_cast<uint32_t>(h));  // bottom-up, as every reader expects
  Put16(out, 1);
  Put16(out, static_cast<uint32_t>(bpp));
  Put32(out, 0);
  Put32(out, stride * static_cast<uint32_t>(h));
  Put32(out, static_cast<uint32_t>(std::lround(bitmap.GetXResolution() / 0.0254)));
  Put32(out, static_cast<uint32_t>(std::lround(bitmap.GetYResolution() / 0.0254)));
  Put32(out, static_cast<uint32_t>(colors));
  Put32(out, 0);
  for (int i = 0; i < colors; ++i) {
    const RGBQUAD& c = bitmap.GetHandle()->Palette[i];
    out.insert(out.end(), {c.rgbBlue, c.rgbGreen, c.rgbRed, 0});
  }
  for (int y = h - 1; y >= 0; --y) out.insert(out.end(), bitmap.Row(y), bitmap.Row(y) + stride);
  return SUCCESS;
}

}  // namespace imaging_internal

// The BMP writer and the JPEG writer (stb_image_write, which honours the quality asked for).
#include "ImagingInternal.h"

#include <cmath>
#include <cstring>

#define STBIW_ASSERT(x) ((void)0)
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

using namespace imaging_internal;

namespace {

void Collect(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

}  // namespace

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

int EncodeJpeg(const LBitmapBase& bitmap, int qualityFactor, std::vector<uint8_t>& out) {
  const int bpp = bitmap.GetBitsPerPixel(), w = bitmap.GetWidth(), h = bitmap.GetHeight();
  if (bpp != 8 && bpp != 24) return Fail(ERROR_BPP_NOT_SUPPORTED, "JPEG depth");
  // Quality factor 2 is the best picture, 255 the smallest file; the encoder counts 100 down to 1.
  const int quality = std::max(1, std::min(100, 100 - (qualityFactor - 2) * 99 / 253));
  const int channels = bpp / 8;
  std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * channels);
  for (int y = 0; y < h; ++y) {
    const BYTE* row = bitmap.Row(y);
    uint8_t* dst = &pixels[static_cast<size_t>(y) * w * channels];
    if (channels == 1) {
      for (int x = 0; x < w; ++x) dst[x] = bitmap.GetHandle()->Palette[row[x]].rgbRed;
    } else {
      for (int x = 0; x < w; ++x) {
        dst[x * 3] = row[x * 3 + 2];
        dst[x * 3 + 1] = row[x * 3 + 1];
        dst[x * 3 + 2] = row[x * 3];
      }
    }
  }
  out.clear();
  if (!stbi_write_jpg_to_func(Collect, &out, w, h, channels, pixels.data(), quality) || out.size() < 20)
    return Fail(ERROR_CODEC, "JPEG encoder");
  // The encoder writes a JFIF header without a density; put the resolution in (dots per inch).
  if (out[2] == 0xFF && out[3] == 0xE0 && std::memcmp(&out[6], "JFIF", 5) == 0) {
    out[13] = 1;
    out[14] = static_cast<uint8_t>(bitmap.GetXResolution() >> 8);
    out[15] = static_cast<uint8_t>(bitmap.GetXResolution());
    out[16] = static_cast<uint8_t>(bitmap.GetYResolution() >> 8);
    out[17] = static_cast<uint8_t>(bitmap.GetYResolution());
  }
  return SUCCESS;
}

}  // namespace imaging_internal

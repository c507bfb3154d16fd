// The BMP writer and the JPEG writer (stb_image_write, which honours the quality asked for), and
// the check of declared image sizes before any platform decoder sees a file.
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

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

uint32_t Be16(const uint8_t* p) { return static_cast<uint32_t>(p[0] << 8 | p[1]); }
uint32_t Be32(const uint8_t* p) { return Be16(p) << 16 | Be16(p + 2); }
uint32_t Le16(const uint8_t* p) { return static_cast<uint32_t>(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t* p) { return Le16(p) | Le16(p + 2) << 16; }

void Collect(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

bool Fits(uint64_t width, uint64_t height, int bpp) {
  return width <= static_cast<uint64_t>(kMaxDimension) && height <= static_cast<uint64_t>(kMaxDimension) &&
         SizeAllowed(static_cast<int>(std::max<uint64_t>(width, 1)), static_cast<int>(std::max<uint64_t>(height, 1)),
                     std::max(bpp, 1));
}

// The TIFF pages' declared sizes: every IFD of the chain, with a bound on the chain's length.
int CheckTiff(const uint8_t* data, size_t size) {
  const bool le = data[0] == 'I';
  auto u16 = [&](size_t at) { return le ? Le16(data + at) : Be16(data + at); };
  auto u32 = [&](size_t at) { return le ? Le32(data + at) : Be32(data + at); };
  uint32_t ifd = u32(4);
  for (int pages = 0; ifd && pages < 10000; ++pages) {
    if (ifd > size - 2 || ifd < 8) return Fail(ERROR_FILE_DAMAGED, "TIFF directory offset");
    const uint32_t entries = u16(ifd);
    if (static_cast<uint64_t>(ifd) + 2 + entries * 12ull + 4 > size) return Fail(ERROR_FILE_DAMAGED, "TIFF directory size");
    uint64_t width = 0, height = 0, bits = 1, samples = 1;
    for (uint32_t i = 0; i < entries; ++i) {
      const size_t e = ifd + 2 + i * 12;
      const uint32_t tag = u16(e), type = u16(e + 2);
      const uint32_t value = type == 3 ? u16(e + 8) : u32(e + 8);
      if (tag == 256) width = value;
      if (tag == 257) height = value;
      if (tag == 258 && u32(e + 4) == 1) bits = value;
      if (tag == 277) samples = value;
    }
    if (!Fits(width, height, static_cast<int>(std::min<uint64_t>(bits * samples, 64)))) return Fail(ERROR_IMAGE_TOO_LARGE, "TIFF size");
    ifd = u32(ifd + 2 + entries * 12);
  }
  return SUCCESS;
}

int CheckJpeg(const uint8_t* data, size_t size) {
  size_t at = 2;
  while (at + 9 < size) {
    if (data[at] != 0xFF) return SUCCESS;  // the decoder reports the damage
    const uint8_t marker = data[at + 1];
    if (marker == 0xFF) {
      ++at;
      continue;
    }
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
      return Fits(Be16(data + at + 7), Be16(data + at + 5), 24) ? SUCCESS : Fail(ERROR_IMAGE_TOO_LARGE, "JPEG size");
    if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
      at += 2;
      continue;
    }
    at += 2 + Be16(data + at + 2);
  }
  return SUCCESS;
}

}  // namespace

namespace imaging_internal {

int CheckDeclaredSize(const uint8_t* data, size_t size) {
  if (size >= 24 && std::memcmp(data, "\x89PNG\r\n\x1a\n", 8) == 0)
    return Fits(Be32(data + 16), Be32(data + 20), 32) ? SUCCESS : Fail(ERROR_IMAGE_TOO_LARGE, "PNG size");
  if (size >= 10 && std::memcmp(data, "GIF8", 4) == 0)
    return Fits(Le16(data + 6), Le16(data + 8), 32) ? SUCCESS : Fail(ERROR_IMAGE_TOO_LARGE, "GIF size");
  if (size >= 30 && data[0] == 'B' && data[1] == 'M') {
    const int32_t w = static_cast<int32_t>(Le32(data + 18)), h = static_cast<int32_t>(Le32(data + 22));
    const uint64_t height = h < 0 ? 0ull - static_cast<int64_t>(h) : static_cast<uint64_t>(h);
    return (w > 0 && Fits(static_cast<uint64_t>(w), height, 32)) ? SUCCESS : Fail(ERROR_IMAGE_TOO_LARGE, "BMP size");
  }
  if (size >= 4 && data[0] == 0xFF && data[1] == 0xD8) return CheckJpeg(data, size);
  if (size >= 8 && ((data[0] == 'I' && data[1] == 'I' && data[2] == 42 && data[3] == 0) ||
                    (data[0] == 'M' && data[1] == 'M' && data[2] == 0 && data[3] == 42)))
    return CheckTiff(data, size);
  return SUCCESS;
}

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

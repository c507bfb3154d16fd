// Image sizes as file headers declare them, checked before any platform decoder sees a file: a
// small hostile file must not make a decoder reserve gigabytes.
#include "ImagingInternal.h"

#include <algorithm>
#include <cstring>

using namespace imaging_internal;

namespace {

uint32_t Be16(const uint8_t* p) { return static_cast<uint32_t>(p[0] << 8 | p[1]); }
uint32_t Be32(const uint8_t* p) { return Be16(p) << 16 | Be16(p + 2); }
uint32_t Le16(const uint8_t* p) { return static_cast<uint32_t>(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t* p) { return Le16(p) | Le16(p + 2) << 16; }

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

// The logical screen and every image descriptor: a decoder allocates each frame at its own size.
int CheckGif(const uint8_t* data, size_t size) {
  if (!Fits(Le16(data + 6), Le16(data + 8), 32)) return Fail(ERROR_IMAGE_TOO_LARGE, "GIF size");
  size_t at = 13;
  if (data[10] & 0x80) at += 3u << ((data[10] & 7) + 1);
  auto skipBlocks = [&] {
    while (at < size && data[at] != 0) at += 1 + data[at];
    ++at;
  };
  while (at < size) {
    if (data[at] == 0x21) {
      at += 2;
      skipBlocks();
    } else if (data[at] == 0x2C) {
      if (at + 10 > size) return SUCCESS;  // the decoder reports the damage
      if (!Fits(Le16(data + at + 5), Le16(data + at + 7), 32)) return Fail(ERROR_IMAGE_TOO_LARGE, "GIF frame size");
      const uint8_t flags = data[at + 9];
      at += 10;
      if (flags & 0x80) at += 3u << ((flags & 7) + 1);
      at += 1;  // minimum code size
      skipBlocks();
    } else {
      return SUCCESS;
    }
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
  if (size >= 13 && std::memcmp(data, "GIF8", 4) == 0) return CheckGif(data, size);
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

}  // namespace imaging_internal

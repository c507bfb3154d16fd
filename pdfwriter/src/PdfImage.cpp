#include "pdfwriter/PdfImage.h"

#include <algorithm>
#include <vector>

#include "pdfwriter/PdfObjects.h"

namespace pdf {
namespace {

// 200 million pixels: a page of 36 by 48 inches at 300 dpi, 600 MB of samples.
const std::uint64_t kMaxPixels = 200000000;

std::uint32_t Le16(const unsigned char* p) { return p[0] | (p[1] << 8); }
std::uint32_t Le32(const unsigned char* p) { return Le16(p) | (Le16(p + 2) << 16); }

int MaskShift(std::uint32_t mask) {
  int shift = 0;
  while (mask && !(mask & 1)) { mask >>= 1; ++shift; }
  return shift;
}
// A channel taken out through a bit mask, scaled to 0-255.
unsigned char Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (!mask) return 0;
  int shift = MaskShift(mask);
  std::uint32_t max = mask >> shift;
  return static_cast<unsigned char>(((pixel & mask) >> shift) * 255 / max);
}

}  // namespace

bool ImageFromJpeg(const std::string& file, PdfImage* image, std::string* error) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(file.data());
  size_t size = file.size(), at = 2;
  if (size < 4 || p[0] != 0xFF || p[1] != 0xD8) { *error = "not a JPEG file"; return false; }
  bool adobe = false;
  while (at + 4 <= size) {
    if (p[at] != 0xFF) { *error = "broken JPEG marker"; return false; }
    unsigned char marker = p[at + 1];
    if (marker == 0xFF) { ++at; continue; }
    if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) { at += 2; continue; }
    size_t length = (p[at + 2] << 8) | p[at + 3];
    if (length < 2 || at + 2 + length > size) { *error = "truncated JPEG segment"; return false; }
    if (marker == 0xEE && length >= 12) adobe = true;
    // Start of frame: every SOFn except the huffman-table, arithmetic-conditioning and restart markers.
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      if (length < 8) { *error = "short JPEG frame header"; return false; }
      image->bitsPerComponent = p[at + 4];
      image->height = (p[at + 5] << 8) | p[at + 6];
      image->width = (p[at + 7] << 8) | p[at + 8];
      image->components = p[at + 9];
      if (image->width <= 0 || image->height <= 0 || image->bitsPerComponent != 8) {
        *error = "unsupported JPEG frame";
        return false;
      }
      switch (image->components) {
        case 1: image->colorSpace = "/DeviceGray"; break;
        case 3: image->colorSpace = "/DeviceRGB"; break;
        case 4: image->colorSpace = "/DeviceCMYK"; image->adobeInvertedCmyk = adobe; break;
        default: *error = "unsupported JPEG component count"; return false;
      }
      image->jpeg = true;
      image->data = file;
      image->colorKeyMask.clear();
      return true;
    }
    at += 2 + length;
  }
  *error = "JPEG file without a frame header";
  return false;
}

bool ImageFromBmpFile(const std::string& file, PdfImage* image, std::string* error) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(file.data());
  if (file.size() < 14 + 12 || p[0] != 'B' || p[1] != 'M') { *error = "not a BMP file"; return false; }
  std::uint32_t bitsAt = Le32(p + 10);
  if (bitsAt < 14 + 12 || bitsAt > file.size()) { *error = "BMP pixel offset outside the file"; return false; }
  return ImageFromDib(p + 14, bitsAt - 14, p + bitsAt, file.size() - bitsAt, image, error);
}

bool ImageFromDib(const unsigned char* info, size_t infoSize, const unsigned char* bits, size_t bitsSize,
                  PdfImage* image, std::string* error) {
  if (infoSize < 12) { *error = "bitmap header too short"; return false; }
  std::uint32_t headerSize = Le32(info);
  std::int64_t width, height;
  int bitCount, compression = 0;
  std::uint32_t colorsUsed = 0, masks[3] = {0, 0, 0};
  int paletteEntrySize = 4;
  if (headerSize == 12) {  // the old core header
    width = Le16(info + 4);
    height = static_cast<std::int16_t>(Le16(info + 6));
    bitCount = Le16(info + 10);
    paletteEntrySize = 3;
  } else if (headerSize >= 40 && headerSize <= infoSize) {
    width = static_cast<std::int32_t>(Le32(info + 4));
    height = static_cast<std::int32_t>(Le32(info + 8));
    bitCount = Le16(info + 14);
    compression = static_cast<int>(Le32(info + 16));
    colorsUsed = Le32(info + 32);
  } else {
    *error = "unknown bitmap header";
    return false;
  }
  bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width > 65535 || height > 65535) { *error = "bitmap size out of range"; return false; }
  const unsigned char* palette = info + headerSize;
  if (compression == 3 /* bit fields */) {
    if (headerSize >= 52) {
      for (int i = 0; i < 3; ++i) masks[i] = Le32(info + 40 + 4 * i);
    } else if (infoSize >= headerSize + 12) {
      for (int i = 0; i < 3; ++i) masks[i] = Le32(palette + 4 * i);
      palette += 12;
    } else {
      *error = "bit-field masks missing";
      return false;
    }
  } else if (compression != 0) {
    *error = "compressed bitmaps are not supported";
    return false;
  }
  if (bitCount == 16 && compression == 0) { masks[0] = 0x7C00; masks[1] = 0x03E0; masks[2] = 0x001F; }
  if (bitCount == 32 && compression == 0) { masks[0] = 0xFF0000; masks[1] = 0xFF00; masks[2] = 0xFF; }
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32) {
    *error = "unsupported bit depth";
    return false;
  }
  size_t stride = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
  if (static_cast<std::uint64_t>(stride) * height > bitsSize) { *error = "bitmap pixels truncated"; return false; }
  // The decoded samples must fit in memory on the 32-bit program too (3 bytes a pixel at most).
  if (static_cast<std::uint64_t>(width) * height > kMaxPixels) { *error = "bitmap too large"; return false; }

  image->width = static_cast<int>(width);
  image->height = static_cast<int>(height);
  image->jpeg = false;
  image->colorKeyMask.clear();
  image->alpha.clear();
  image->data.clear();
  if (bitCount <= 8) {
    size_t entries = colorsUsed ? colorsUsed : (1u << bitCount);
    if (entries > (1u << bitCount)) entries = 1u << bitCount;
    const unsigned char* end = info + infoSize;
    if (palette + entries * paletteEntrySize > end) { *error = "colour table truncated"; return false; }
    std::string lookup;
    for (size_t i = 0; i < entries; ++i) {
      const unsigned char* e = palette + i * paletteEntrySize;
      lookup += static_cast<char>(e[2]);
      lookup += static_cast<char>(e[1]);
      lookup += static_cast<char>(e[0]);
    }
    image->bitsPerComponent = bitCount;
    image->components = 1;
    image->colorSpace = "[/Indexed /DeviceRGB " + std::to_string(entries - 1) + " " + HexString(lookup) + "]";
    size_t rowBytes = (static_cast<size_t>(width) * bitCount + 7) / 8;
    image->data.reserve(rowBytes * height);
    for (std::int64_t y = 0; y < height; ++y) {
      const unsigned char* row = bits + stride * (topDown ? y : height - 1 - y);
      image->data.append(reinterpret_cast<const char*>(row), rowBytes);
    }
    return true;
  }
  image->bitsPerComponent = 8;
  image->components = 3;
  image->colorSpace = "/DeviceRGB";
  image->data.resize(static_cast<size_t>(width) * height * 3);
  char* out = &image->data[0];
  for (std::int64_t y = 0; y < height; ++y) {
    const unsigned char* row = bits + stride * (topDown ? y : height - 1 - y);
    if (bitCount == 24) {
      for (std::int64_t x = 0; x < width; ++x, row += 3) {
        *out++ = static_cast<char>(row[2]);
        *out++ = static_cast<char>(row[1]);
        *out++ = static_cast<char>(row[0]);
      }
    } else {
      int bytes = bitCount / 8;
      for (std::int64_t x = 0; x < width; ++x, row += bytes) {
        std::uint32_t pixel = bytes == 2 ? Le16(row) : Le32(row);
        *out++ = static_cast<char>(Channel(pixel, masks[0]));
        *out++ = static_cast<char>(Channel(pixel, masks[1]));
        *out++ = static_cast<char>(Channel(pixel, masks[2]));
      }
    }
  }
  return true;
}

bool TakeAlpha(const unsigned char* info, size_t infoSize, const unsigned char* bits, size_t bitsSize,
               int constantOpacity, PdfImage* image) {
  if (infoSize < 40 || Le32(info) < 40 || Le16(info + 14) != 32 || image->jpeg || image->components != 3) return false;
  std::int64_t width = static_cast<std::int32_t>(Le32(info + 4)), height = static_cast<std::int32_t>(Le32(info + 8));
  bool topDown = height < 0;
  if (topDown) height = -height;
  if (width != image->width || height != image->height ||
      static_cast<std::uint64_t>(width) * 4 * height > bitsSize)
    return false;
  image->alpha.resize(static_cast<size_t>(width) * height);
  unsigned char* rgb = reinterpret_cast<unsigned char*>(&image->data[0]);
  for (std::int64_t y = 0; y < height; ++y) {
    const unsigned char* row = bits + static_cast<size_t>(width) * 4 * (topDown ? y : height - 1 - y);
    for (std::int64_t x = 0; x < width; ++x) {
      size_t at = static_cast<size_t>(y * width + x);
      unsigned a = row[4 * x + 3];
      // Undo the premultiplication, so the soft mask does not darken the colours a second time.
      for (int c = 0; c < 3 && a; ++c) rgb[3 * at + c] = static_cast<unsigned char>(std::min(255u, rgb[3 * at + c] * 255u / a));
      image->alpha[at] = static_cast<char>(a * static_cast<unsigned>(constantOpacity) / 255);
    }
  }
  return true;
}

bool ImageFromFile(const std::string& file, PdfImage* image, std::string* error) {
  if (file.size() >= 2 && static_cast<unsigned char>(file[0]) == 0xFF && static_cast<unsigned char>(file[1]) == 0xD8)
    return ImageFromJpeg(file, image, error);
  if (file.size() >= 2 && file[0] == 'B' && file[1] == 'M') return ImageFromBmpFile(file, image, error);
  *error = "only JPEG and BMP files are read";
  return false;
}

void MakeWhiteTransparent(PdfImage* image) { MakeColorTransparent(image, 0xFF, 0xFF, 0xFF); }

void MakeColorTransparent(PdfImage* image, unsigned char r, unsigned char g, unsigned char b) {
  const char key[3] = {static_cast<char>(r), static_cast<char>(g), static_cast<char>(b)};
  if (image->colorSpace.rfind("[/Indexed", 0) == 0) {
    // A colour-key mask on an indexed image names a range of indices: the colour must be one
    // contiguous range of the table, so a table with it in several places is expanded to RGB first.
    size_t open = image->colorSpace.find('<'), close = image->colorSpace.find('>');
    std::string table;
    for (size_t i = open + 1; i + 1 < close; i += 2)
      table += static_cast<char>(std::stoi(image->colorSpace.substr(i, 2), nullptr, 16));
    std::vector<int> found;
    for (size_t i = 0; i + 2 < table.size(); i += 3)
      if (table.compare(i, 3, key, 3) == 0) found.push_back(static_cast<int>(i / 3));
    if (found.empty()) return;
    if (found.back() - found.front() + 1 == static_cast<int>(found.size())) {
      image->colorKeyMask = "[" + std::to_string(found.front()) + " " + std::to_string(found.back()) + "]";
      return;
    }
    int bpc = image->bitsPerComponent;
    size_t rowBytes = (static_cast<size_t>(image->width) * bpc + 7) / 8;
    std::string rgb;
    rgb.reserve(static_cast<size_t>(image->width) * image->height * 3);
    for (int y = 0; y < image->height; ++y) {
      const unsigned char* row = reinterpret_cast<const unsigned char*>(image->data.data()) + rowBytes * y;
      for (int x = 0; x < image->width; ++x) {
        int bit = x * bpc;
        int index = (row[bit / 8] >> (8 - bpc - bit % 8)) & ((1 << bpc) - 1);
        size_t at = 3 * static_cast<size_t>(index);
        rgb.append(at + 3 <= table.size() ? table.substr(at, 3) : std::string(3, '\0'));
      }
    }
    image->data = rgb;
    image->colorSpace = "/DeviceRGB";
    image->bitsPerComponent = 8;
    image->components = 3;
  }
  if (image->colorSpace == "/DeviceRGB") {
    image->colorKeyMask = "[" + std::to_string(r) + " " + std::to_string(r) + " " + std::to_string(g) + " " +
                          std::to_string(g) + " " + std::to_string(b) + " " + std::to_string(b) + "]";
  } else if (image->colorSpace == "/DeviceGray" && r == g && g == b) {
    image->colorKeyMask = "[" + std::to_string(r) + " " + std::to_string(r) + "]";
  }
  // CMYK has no single value for an RGB colour: such an image stays opaque.
}

}  // namespace pdf

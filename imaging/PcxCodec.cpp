// PCX files, read and written by this layer (the platform has no PCX codec): 1-bit, 16-colour
// (four 1-bit planes or one 4-bit plane), 256-colour and 24-bit (three 8-bit planes) images,
// run-length coded.
#include "ImagingInternal.h"

#include <algorithm>
#include <cstring>

using namespace imaging_internal;

namespace {

#pragma pack(push, 1)
struct PcxHeader {
  uint8_t manufacturer;  // 10
  uint8_t version;       // 5 for files with a 256-colour table
  uint8_t encoding;      // 1: run-length
  uint8_t bitsPerPlane;
  uint16_t xMin, yMin, xMax, yMax;
  uint16_t hDpi, vDpi;
  uint8_t egaPalette[48];
  uint8_t reserved;
  uint8_t planes;
  uint16_t bytesPerLine;  // per plane, even
  uint16_t paletteInfo;   // 1 colour, 2 grey
  uint16_t hScreen, vScreen;
  uint8_t filler[54];
};
#pragma pack(pop)
static_assert(sizeof(PcxHeader) == 128, "PCX header is 128 bytes");

constexpr size_t kTrailerSize = 769;  // 12 then 256 RGB triples

}  // namespace

namespace imaging_internal {

bool IsPcx(const uint8_t* data, size_t size) {
  return size >= sizeof(PcxHeader) && data[0] == 10 && data[1] <= 5 && data[2] == 1 &&
         (data[3] == 1 || data[3] == 2 || data[3] == 4 || data[3] == 8);
}

int DecodePcx(const uint8_t* data, size_t size, LBitmapBase& bitmap, LBase& progress) {
  PcxHeader hd;
  std::memcpy(&hd, data, sizeof hd);
  if (hd.xMax < hd.xMin || hd.yMax < hd.yMin) return Fail(ERROR_FILE_DAMAGED, "PCX bounds");
  const int width = hd.xMax - hd.xMin + 1, height = hd.yMax - hd.yMin + 1;
  const int planes = hd.planes, bits = hd.bitsPerPlane;
  int bpp;
  if (planes == 1 && (bits == 1 || bits == 4 || bits == 8))
    bpp = bits;
  else if (planes == 4 && bits == 1)
    bpp = 4;
  else if (planes == 3 && bits == 8)
    bpp = 24;
  else
    return Fail(ERROR_FILE_FORMAT, "PCX planes");
  if (!SizeAllowed(width, height, bpp)) return Fail(ERROR_IMAGE_TOO_LARGE, "PCX size");
  if (hd.bytesPerLine < (width * bits + 7) / 8) return Fail(ERROR_FILE_DAMAGED, "PCX line length");
  // Every scan line needs at least one byte per 63 bytes of it: a small file cannot declare a
  // huge image.
  const size_t lineBytes = static_cast<size_t>(hd.bytesPerLine) * planes;
  if (static_cast<uint64_t>(size - sizeof hd) * 63 < static_cast<uint64_t>(lineBytes) * static_cast<uint64_t>(height))
    return Fail(ERROR_FILE_DAMAGED, "PCX too short");
  RGBQUAD colors[256] = {};
  int colorCount = 0;
  if (bpp == 8) {
    colorCount = 256;
    if (size >= sizeof hd + kTrailerSize && data[size - kTrailerSize] == 12) {
      const uint8_t* t = data + size - kTrailerSize + 1;
      for (int i = 0; i < 256; ++i) colors[i] = RGBQUAD{t[i * 3 + 2], t[i * 3 + 1], t[i * 3], 0};
    } else if (hd.version >= 5) {
      return Fail(ERROR_FILE_DAMAGED, "PCX colour table missing");
    } else {
      GreyPalette(colors, 256);  // files older than the 256-colour table are grey
    }
  } else if (bpp == 1) {
    colorCount = 2;
    GreyPalette(colors, 2);
  } else if (bpp == 4) {
    colorCount = 16;
    for (int i = 0; i < 16; ++i)
      colors[i] = RGBQUAD{hd.egaPalette[i * 3 + 2], hd.egaPalette[i * 3 + 1], hd.egaPalette[i * 3], 0};
  }
  LBitmapBase image;
  int result = image.Create(width, height, bpp, ORDER_BGR, colorCount ? colors : nullptr, colorCount, TOP_LEFT);
  if (result != SUCCESS) return result;
  std::vector<uint8_t> line(lineBytes);
  const uint8_t* p = data + sizeof hd;
  const uint8_t* end = data + size;
  // Runs may carry over from one line into the next; a run that ends the data early is damage.
  int pending = 0;
  uint8_t pendingValue = 0;
  for (int y = 0; y < height; ++y) {
    if (y % 128 == 0) {
      const int progressResult = progress.ReportProgress(y * 100 / height);
      if (progressResult != SUCCESS) return progressResult;
    }
    size_t filled = 0;
    while (filled < lineBytes) {
      if (pending == 0) {
        if (p >= end) return Fail(ERROR_FILE_DAMAGED, "PCX data ends early");
        const uint8_t c = *p++;
        if ((c & 0xC0) == 0xC0) {
          if (p >= end) return Fail(ERROR_FILE_DAMAGED, "PCX data ends early");
          pending = c & 0x3F;
          pendingValue = *p++;
          continue;
        }
        pending = 1;
        pendingValue = c;
      }
      const size_t n = std::min<size_t>(static_cast<size_t>(pending), lineBytes - filled);
      std::memset(&line[filled], pendingValue, n);
      filled += n;
      pending -= static_cast<int>(n);
    }
    BYTE* out = image.Row(y);
    if (bpp == 24) {
      for (int x = 0; x < width; ++x)
        for (int c = 0; c < 3; ++c) out[x * 3 + c] = line[static_cast<size_t>(2 - c) * hd.bytesPerLine + x];
    } else if (planes == 4) {
      for (int x = 0; x < width; ++x) {
        int index = 0;
        for (int plane = 0; plane < 4; ++plane)
          index |= GetIndex(&line[static_cast<size_t>(plane) * hd.bytesPerLine], x, 1) << plane;
        SetIndex(out, x, 4, index);
      }
    } else {
      std::memcpy(out, line.data(), static_cast<size_t>((width * bits + 7) / 8));
    }
  }
  image.SetXResolution(hd.hDpi ? hd.hDpi : 96);
  image.SetYResolution(hd.vDpi ? hd.vDpi : 96);
  bitmap.SetHandle(image.GetHandle(), TRUE);
  return SUCCESS;
}

int EncodePcx(const LBitmapBase& bitmap, std::vector<uint8_t>& out) {
  const int bpp = bitmap.GetBitsPerPixel(), w = bitmap.GetWidth(), h = bitmap.GetHeight();
  if (w > 65535 || h > 65535) return Fail(ERROR_IMAGE_TOO_LARGE, "PCX size");
  PcxHeader hd = {};
  hd.manufacturer = 10;
  hd.version = 5;
  hd.encoding = 1;
  hd.xMax = static_cast<uint16_t>(w - 1);
  hd.yMax = static_cast<uint16_t>(h - 1);
  hd.hDpi = static_cast<uint16_t>(std::min(bitmap.GetXResolution(), 65535));
  hd.vDpi = static_cast<uint16_t>(std::min(bitmap.GetYResolution(), 65535));
  hd.paletteInfo = 1;
  const RGBQUAD* palette = bitmap.GetHandle()->Palette;
  // 1-bit files carry no colour table that readers agree on: bit set is white.
  std::vector<int> map(256);
  for (int i = 0; i < 256; ++i) map[static_cast<size_t>(i)] = i;
  switch (bpp) {
    case 1:
      hd.planes = 1;
      hd.bitsPerPlane = 1;
      for (int i = 0; i < 2; ++i) map[static_cast<size_t>(i)] = Luminance(palette[i].rgbRed, palette[i].rgbGreen, palette[i].rgbBlue) >= 128;
      hd.egaPalette[3] = hd.egaPalette[4] = hd.egaPalette[5] = 255;
      break;
    case 4:
      hd.planes = 4;
      hd.bitsPerPlane = 1;
      for (int i = 0; i < 16; ++i) {
        hd.egaPalette[i * 3] = palette[i].rgbRed;
        hd.egaPalette[i * 3 + 1] = palette[i].rgbGreen;
        hd.egaPalette[i * 3 + 2] = palette[i].rgbBlue;
      }
      break;
    case 8:
      hd.planes = 1;
      hd.bitsPerPlane = 8;
      break;
    case 24:
      hd.planes = 3;
      hd.bitsPerPlane = 8;
      break;
    default:
      return Fail(ERROR_BPP_NOT_SUPPORTED, "PCX depth");
  }
  hd.bytesPerLine = static_cast<uint16_t>(((w * hd.bitsPerPlane + 7) / 8 + 1) & ~1);
  out.assign(reinterpret_cast<const uint8_t*>(&hd), reinterpret_cast<const uint8_t*>(&hd) + sizeof hd);
  std::vector<uint8_t> line(static_cast<size_t>(hd.bytesPerLine) * hd.planes);
  for (int y = 0; y < h; ++y) {
    std::fill(line.begin(), line.end(), 0);
    const BYTE* row = bitmap.Row(y);
    for (int x = 0; x < w; ++x) {
      if (bpp == 24) {
        for (int c = 0; c < 3; ++c) line[static_cast<size_t>(c) * hd.bytesPerLine + x] = row[x * 3 + 2 - c];
      } else if (bpp == 4) {
        const int index = GetIndex(row, x, 4);
        for (int plane = 0; plane < 4; ++plane) SetIndex(&line[static_cast<size_t>(plane) * hd.bytesPerLine], x, 1, (index >> plane) & 1);
      } else {
        SetIndex(line.data(), x, bpp, map[static_cast<size_t>(GetIndex(row, x, bpp))]);
      }
    }
    // Runs stop at each plane's end so every reader agrees.
    for (int plane = 0; plane < hd.planes; ++plane) {
      const uint8_t* p = &line[static_cast<size_t>(plane) * hd.bytesPerLine];
      for (int i = 0; i < hd.bytesPerLine;) {
        int run = 1;
        while (i + run < hd.bytesPerLine && run < 63 && p[i + run] == p[i]) ++run;
        if (run > 1 || (p[i] & 0xC0) == 0xC0) out.push_back(static_cast<uint8_t>(0xC0 | run));
        out.push_back(p[i]);
        i += run;
      }
    }
  }
  if (bpp == 8) {
    out.push_back(12);
    for (int i = 0; i < 256; ++i) {
      out.push_back(palette[i].rgbRed);
      out.push_back(palette[i].rgbGreen);
      out.push_back(palette[i].rgbBlue);
    }
  }
  return SUCCESS;
}

}  // namespace imaging_internal

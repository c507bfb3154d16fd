// PNG writer over zlib: the platform's encoder needs tens of seconds for a scanned A4 page, and
// PNG is how documents keep their page images.
#include "ImagingInternal.h"

#include <zlib.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

using namespace imaging_internal;

namespace {

void PutBe32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void Chunk(std::vector<uint8_t>& out, const char* type, const uint8_t* data, size_t size) {
  PutBe32(out, static_cast<uint32_t>(size));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  if (size) out.insert(out.end(), data, data + size);
  PutBe32(out, static_cast<uint32_t>(crc32(0, &out[start], static_cast<uInt>(size + 4))));
}

inline int Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
}

// Chooses the filter with the smallest sum of absolute filtered bytes (the usual heuristic) and
// writes the filter byte and the filtered row.
void FilterRow(const uint8_t* row, const uint8_t* prior, size_t n, int bytesPerPixel, uint8_t* out) {
  static thread_local std::vector<uint8_t> candidates;
  candidates.resize(n * 5);
  long best = -1;
  int bestFilter = 0;
  for (int filter = 0; filter < 5; ++filter) {
    uint8_t* c = &candidates[n * static_cast<size_t>(filter)];
    long sum = 0;
    for (size_t i = 0; i < n; ++i) {
      const int a = i >= static_cast<size_t>(bytesPerPixel) ? row[i - bytesPerPixel] : 0;
      const int b = prior[i];
      const int cc = i >= static_cast<size_t>(bytesPerPixel) ? prior[i - bytesPerPixel] : 0;
      int v = row[i];
      switch (filter) {
        case 1: v -= a; break;
        case 2: v -= b; break;
        case 3: v -= (a + b) / 2; break;
        case 4: v -= Paeth(a, b, cc); break;
      }
      c[i] = static_cast<uint8_t>(v);
      sum += c[i] < 128 ? c[i] : 256 - c[i];
    }
    if (best < 0 || sum < best) {
      best = sum;
      bestFilter = filter;
    }
  }
  out[0] = static_cast<uint8_t>(bestFilter);
  std::memcpy(out + 1, &candidates[n * static_cast<size_t>(bestFilter)], n);
}

}  // namespace

namespace imaging_internal {

int EncodePng(const LBitmapBase& bitmap, std::vector<uint8_t>& out, LBase& progress) {
  const int bpp = bitmap.GetBitsPerPixel(), w = bitmap.GetWidth(), h = bitmap.GetHeight();
  const RGBQUAD* palette = bitmap.GetHandle()->Palette;
  const int colors = bitmap.GetColorCount();
  const bool alpha = bitmap.IsTransparent();
  // Colour type: 0 grey (a full grey ramp), 2 RGB, 3 indexed, 6 RGB with alpha.
  const bool ramp = IsGreyRamp(palette, colors, bpp);
  const int colourType = alpha ? 6 : bpp > 8 ? 2 : ramp ? 0 : 3;
  const int depth = colourType >= 2 && colourType != 3 ? 8 : bpp;
  const int bytesPerPixel = colourType == 6 ? 4 : colourType == 2 ? 3 : 1;
  const size_t rowBytes = colourType == 6 || colourType == 2 ? static_cast<size_t>(w) * bytesPerPixel
                                                             : static_cast<size_t>((w * bpp + 7) / 8);
  out.assign({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
  uint8_t header[13];
  const uint32_t dims[2] = {static_cast<uint32_t>(w), static_cast<uint32_t>(h)};
  for (int i = 0; i < 8; ++i) header[i] = static_cast<uint8_t>(dims[i / 4] >> (24 - 8 * (i % 4)));
  header[8] = static_cast<uint8_t>(depth);
  header[9] = static_cast<uint8_t>(colourType);
  header[10] = header[11] = header[12] = 0;
  Chunk(out, "IHDR", header, sizeof header);
  uint8_t physical[9];
  const uint32_t ppm[2] = {static_cast<uint32_t>(std::lround(bitmap.GetXResolution() / 0.0254)),
                           static_cast<uint32_t>(std::lround(bitmap.GetYResolution() / 0.0254))};
  for (int i = 0; i < 8; ++i) physical[i] = static_cast<uint8_t>(ppm[i / 4] >> (24 - 8 * (i % 4)));
  physical[8] = 1;  // metres
  Chunk(out, "pHYs", physical, sizeof physical);
  if (colourType == 3) {
    std::vector<uint8_t> table;
    for (int i = 0; i < colors; ++i) table.insert(table.end(), {palette[i].rgbRed, palette[i].rgbGreen, palette[i].rgbBlue});
    Chunk(out, "PLTE", table.data(), table.size());
  }
  z_stream z = {};
  if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK) return Fail(ERROR_NO_MEMORY, "PNG deflate");
  std::vector<uint8_t> raw(rowBytes), prior(rowBytes, 0), filtered(rowBytes + 1), compressed(1 << 16), bgr;
  if (colourType == 6) bgr.resize(static_cast<size_t>(w) * 3);
  const COLORREF key = bitmap.GetTransparentColor();
  int status = Z_OK;
  for (int y = 0; y <= h && status != Z_STREAM_END; ++y) {
    const bool last = y == h;
    if (!last && y % 128 == 0) {
      const int progressResult = progress.ReportProgress(y * 100 / h);
      if (progressResult != SUCCESS) {
        deflateEnd(&z);
        return progressResult;
      }
    }
    if (!last) {
      const BYTE* row = bitmap.Row(y);
      if (colourType == 6) {
        ReadRowBGR(bitmap, y, bgr.data());
        for (int x = 0; x < w; ++x) {
          const uint8_t b = bgr[x * 3], g = bgr[x * 3 + 1], r = bgr[x * 3 + 2];
          raw[x * 4] = r;
          raw[x * 4 + 1] = g;
          raw[x * 4 + 2] = b;
          raw[x * 4 + 3] = RGB(r, g, b) == key ? 0 : 255;
        }
      } else if (colourType == 2) {
        const int step = bpp / 8;
        for (int x = 0; x < w; ++x) {
          raw[x * 3] = row[x * step + 2];
          raw[x * 3 + 1] = row[x * step + 1];
          raw[x * 3 + 2] = row[x * step];
        }
      } else {
        std::memcpy(raw.data(), row, rowBytes);
        // The bits past the last pixel of a packed row are whatever the source left there: written
        // as they are, the same picture gave other bytes each time it was read and saved again.
        const int usedBits = (w * bpp) % 8;
        if (usedBits != 0) raw[rowBytes - 1] &= static_cast<uint8_t>(0xFF << (8 - usedBits));
      }
      // Filters help continuous tones; indexed rows go unfiltered, as the format advises.
      if (colourType == 3 || depth < 8) {
        filtered[0] = 0;
        std::memcpy(&filtered[1], raw.data(), rowBytes);
      } else {
        FilterRow(raw.data(), prior.data(), rowBytes, bytesPerPixel, filtered.data());
      }
      raw.swap(prior);
      z.next_in = filtered.data();
      z.avail_in = static_cast<uInt>(filtered.size());
    }
    do {
      z.next_out = compressed.data();
      z.avail_out = static_cast<uInt>(compressed.size());
      status = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
      if (status == Z_STREAM_ERROR) break;
      const size_t produced = compressed.size() - z.avail_out;
      if (produced) Chunk(out, "IDAT", compressed.data(), produced);
    } while (z.avail_out == 0 || (last && status != Z_STREAM_END));
  }
  deflateEnd(&z);
  if (status != Z_STREAM_END) return Fail(ERROR_CODEC, "PNG deflate");
  Chunk(out, "IEND", nullptr, 0);
  return SUCCESS;
}

}  // namespace imaging_internal

// PNG through libpng over zlib: level 6, adaptive filters for continuous tones.
#include "ImagingInternal.h"

#include <png.h>

#include <cmath>
#include <csetjmp>
#include <cstring>

using namespace imaging_internal;

namespace {

void Append(png_structp png, png_bytep data, size_t size) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

void NoFlush(png_structp) {}

// The library's fatal errors jump back to the call that started the work (png_jmpbuf).
void LogError(png_structp png, png_const_charp message) {
  Fail(ERROR_CODEC, message);
  png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

}  // namespace

namespace imaging_internal {

int EncodePng(const LBitmapBase& bitmap, std::vector<uint8_t>& out, LBase& progress) {
  const int bpp = bitmap.GetBitsPerPixel(), w = bitmap.GetWidth(), h = bitmap.GetHeight();
  const RGBQUAD* palette = bitmap.GetHandle()->Palette;
  const int colors = bitmap.GetColorCount();
  const bool alpha = bitmap.IsTransparent();
  // Colour type: grey (a full grey ramp), RGB, indexed, or RGB with alpha from the transparent colour.
  const bool ramp = IsGreyRamp(palette, colors, bpp);
  const int colourType = alpha ? PNG_COLOR_TYPE_RGB_ALPHA
                         : bpp > 8 ? PNG_COLOR_TYPE_RGB
                         : ramp    ? PNG_COLOR_TYPE_GRAY
                                   : PNG_COLOR_TYPE_PALETTE;
  const int depth = colourType == PNG_COLOR_TYPE_RGB || colourType == PNG_COLOR_TYPE_RGB_ALPHA ? 8 : bpp;
  const size_t packedBytes = static_cast<size_t>((static_cast<int64_t>(w) * bpp + 7) / 8);
  // Everything the error jump passes over is made before the jump point.
  std::vector<uint8_t> row(alpha ? static_cast<size_t>(w) * 4 : bpp <= 8 ? packedBytes : 0), bgr;
  if (alpha) bgr.resize(static_cast<size_t>(w) * 3);
  std::vector<png_color> table;
  for (int i = 0; colourType == PNG_COLOR_TYPE_PALETTE && i < colors; ++i)
    table.push_back({palette[i].rgbRed, palette[i].rgbGreen, palette[i].rgbBlue});
  const COLORREF key = bitmap.GetTransparentColor();
  out.clear();
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, LogError, IgnoreWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return Fail(ERROR_NO_MEMORY, "PNG writer");
  }
  int result = SUCCESS;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return ERROR_CODEC;
  }
  png_set_write_fn(png, &out, Append, NoFlush);
  png_set_compression_level(png, 6);
  // Indexed and packed rows go unfiltered, as the format advises.
  png_set_filter(png, PNG_FILTER_TYPE_BASE,
                 colourType == PNG_COLOR_TYPE_PALETTE || depth < 8 ? PNG_FILTER_NONE : PNG_ALL_FILTERS);
  png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), depth, colourType,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
  png_set_pHYs(png, info, static_cast<png_uint_32>(std::lround(bitmap.GetXResolution() / 0.0254)),
               static_cast<png_uint_32>(std::lround(bitmap.GetYResolution() / 0.0254)), PNG_RESOLUTION_METER);
  if (!table.empty()) png_set_PLTE(png, info, table.data(), static_cast<int>(table.size()));
  png_write_info(png, info);
  if (colourType == PNG_COLOR_TYPE_RGB) {
    // Colour rows go out as the bitmap holds them: blue first, a fourth byte dropped from 32 bits.
    png_set_bgr(png);
    if (bpp == 32) png_set_filler(png, 0, PNG_FILLER_AFTER);
  }
  for (int y = 0; y < h; ++y) {
    if (y % 128 == 0) {
      result = progress.ReportProgress(y * 100 / h);
      if (result != SUCCESS) break;
    }
    const BYTE* source = bitmap.Row(y);
    if (alpha) {
      ReadRowBGR(bitmap, y, bgr.data());
      for (int x = 0; x < w; ++x) {
        const uint8_t b = bgr[x * 3], g = bgr[x * 3 + 1], r = bgr[x * 3 + 2];
        row[x * 4] = r;
        row[x * 4 + 1] = g;
        row[x * 4 + 2] = b;
        row[x * 4 + 3] = RGB(r, g, b) == key ? 0 : 255;
      }
      source = row.data();
    } else if (bpp <= 8) {
      std::memcpy(row.data(), source, packedBytes);
      // The bits past the last pixel of a packed row are whatever the source left there: written
      // as they are, the same picture gave other bytes each time it was read and saved again.
      const int usedBits = (w * bpp) % 8;
      if (usedBits != 0) row[packedBytes - 1] &= static_cast<uint8_t>(0xFF << (8 - usedBits));
      source = row.data();
    }
    png_write_row(png, const_cast<png_bytep>(source));
  }
  if (result == SUCCESS) png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return result;
}

}  // namespace imaging_internal

namespace {

// Reads from the file in memory; running past its end is damage.
struct MemorySource {
  const uint8_t* data;
  size_t size;
  size_t at;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t count) {
  auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
  if (count > source->size - source->at) png_error(png, "file cut short");
  std::memcpy(out, source->data + source->at, count);
  source->at += count;
}

// Rows decoded between two progress reports, at which a cancel ends the load.
constexpr int kBandRows = 128;

int WholeDpi(png_uint_32 perMetre) {
  const long dpi = std::lround(perMetre * 0.0254);
  return dpi >= 1 && dpi <= 100000 ? static_cast<int>(dpi) : 96;
}

}  // namespace

namespace imaging_internal {

bool IsPng(const uint8_t* data, size_t size) { return size >= 8 && png_sig_cmp(data, 0, 8) == 0; }

int DecodePng(const uint8_t* data, size_t size, LBitmapBase& bitmap, LBase& progress, bool& handled) {
  handled = false;
  // Everything the error jump passes over is made before the jump point.
  MemorySource source = {data, size, 0};
  LBitmapBase image;
  std::vector<uint8_t> rgba;
  RGBQUAD colors[256] = {};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, LogError, IgnoreWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return Fail(ERROR_NO_MEMORY, "PNG reader");
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    handled = true;
    return ERROR_FILE_DAMAGED;
  }
  png_set_read_fn(png, &source, ReadFromMemory);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
  const int depth = png_get_bit_depth(png, info), type = png_get_color_type(png, info);
  // Interlaced pages go to the platform's decoder, which reads them whole.
  if (png_get_interlace_type(png, info) != PNG_INTERLACE_NONE) {
    png_destroy_read_struct(&png, &info, nullptr);
    return SUCCESS;
  }
  handled = true;
  if (!SizeAllowed(static_cast<int>(std::min<png_uint_32>(width, 0x7FFFFFFF)),
                   static_cast<int>(std::min<png_uint_32>(height, 0x7FFFFFFF)), 32)) {
    png_destroy_read_struct(&png, &info, nullptr);
    return Fail(ERROR_IMAGE_TOO_LARGE, "PNG size");
  }
  // Indexed and grey pixels of 1, 4 or 8 bits and 8-bit colour are kept as they are; everything else
  // (alpha, transparency, 16 bits per channel, 2-bit) becomes 24-bit colour, alpha laid over white,
  // as the picture shows on a page.
  const bool packed = depth == 1 || depth == 4 || depth == 8;
  const bool transparent = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  int bpp = 24, colorCount = 0;
  bool blend = true;
  if (type == PNG_COLOR_TYPE_PALETTE && packed) {
    png_colorp table = nullptr;
    int entries = 0;
    png_get_PLTE(png, info, &table, &entries);
    bpp = depth;
    colorCount = std::min(entries, 1 << depth);
    for (int i = 0; i < colorCount; ++i) colors[i] = RGBQUAD{table[i].blue, table[i].green, table[i].red, 0};
    blend = false;
  } else if (type == PNG_COLOR_TYPE_GRAY && packed && !transparent) {
    bpp = depth;
    colorCount = 1 << depth;
    GreyPalette(colors, colorCount);
    blend = false;
  } else if (type == PNG_COLOR_TYPE_RGB && depth == 8 && !transparent) {
    png_set_bgr(png);
    blend = false;
  }
  if (blend) {
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    rgba.resize(static_cast<size_t>(width) * 4);
  }
  png_read_update_info(png, info);
  int result = image.Create(static_cast<int>(width), static_cast<int>(height), bpp, ORDER_BGR,
                            colorCount ? colors : nullptr, colorCount, TOP_LEFT);
  for (png_uint_32 y = 0; result == SUCCESS && y < height; ++y) {
    if (y % kBandRows == 0) {
      result = progress.ReportProgress(static_cast<int>(static_cast<uint64_t>(y) * 100 / height));
      if (result != SUCCESS) break;
    }
    BYTE* out = image.Row(static_cast<int>(y));
    if (!blend) {
      png_read_row(png, out, nullptr);
      continue;
    }
    png_read_row(png, rgba.data(), nullptr);
    for (png_uint_32 x = 0; x < width; ++x) {
      const uint8_t* in = &rgba[x * 4];
      const int a = in[3];
      for (int c = 0; c < 3; ++c) out[x * 3 + c] = static_cast<BYTE>((in[c] * a + 255 * (255 - a) + 127) / 255);
    }
  }
  png_uint_32 perMetreX = 0, perMetreY = 0;
  int unit = PNG_RESOLUTION_UNKNOWN;
  png_get_pHYs(png, info, &perMetreX, &perMetreY, &unit);
  png_destroy_read_struct(&png, &info, nullptr);
  if (result != SUCCESS) return result;
  image.SetXResolution(unit == PNG_RESOLUTION_METER ? WholeDpi(perMetreX) : 96);
  image.SetYResolution(unit == PNG_RESOLUTION_METER ? WholeDpi(perMetreY) : 96);
  bitmap.SetHandle(image.GetHandle(), TRUE);
  return SUCCESS;
}

}  // namespace imaging_internal

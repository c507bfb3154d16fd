// JPEG through libjpeg-turbo (its SIMD code): baseline, 4:2:0, standard Huffman tables.
#include "ImagingInternal.h"

#include <algorithm>
#include <csetjmp>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <jerror.h>

using namespace imaging_internal;

namespace {

// The library reports a fatal error by calling error_exit, which must not return: it jumps back to
// the call that started the work, which then fails with the layer's code.
struct JumpingErrors {
  jpeg_error_mgr pub;
  jmp_buf jump;
  bool cutBeforeFirstRow;
};

void ExitByJump(j_common_ptr info) {
  char text[JMSG_LENGTH_MAX];
  info->err->format_message(info, text);
  Fail(ERROR_CODEC, text);
  std::longjmp(reinterpret_cast<JumpingErrors*>(info->err)->jump, 1);
}

void SilentMessage(j_common_ptr) {}

// The library goes on past the end of a cut file with grey; a file that ends before its first row
// of pixels holds no picture at all.
void NoteCut(j_common_ptr info, int level) {
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF && info->is_decompressor &&
      reinterpret_cast<j_decompress_ptr>(info)->output_scanline == 0)
    reinterpret_cast<JumpingErrors*>(info->err)->cutBeforeFirstRow = true;
}

void UseJumpingErrors(j_common_ptr info, JumpingErrors& errors) {
  info->err = jpeg_std_error(&errors.pub);
  errors.pub.error_exit = ExitByJump;
  errors.pub.output_message = SilentMessage;
  errors.pub.emit_message = NoteCut;
}

// Rows decoded between two progress reports, at which a cancel ends the load.
constexpr int kBandRows = 128;

}  // namespace

namespace imaging_internal {

int EncodeJpeg(const LBitmapBase& bitmap, int qualityFactor, std::vector<uint8_t>& out) {
  const int bpp = bitmap.GetBitsPerPixel(), w = bitmap.GetWidth(), h = bitmap.GetHeight();
  if (bpp != 8 && bpp != 24) return Fail(ERROR_BPP_NOT_SUPPORTED, "JPEG depth");
  // Quality factor 2 is the best picture, 255 the smallest file; the library counts 100 down to 1.
  const int quality = std::max(1, std::min(100, 100 - (qualityFactor - 2) * 99 / 253));
  // Everything the error jump passes over is made before the jump point.
  std::vector<uint8_t> grey(bpp == 8 ? static_cast<size_t>(w) : 0);
  const RGBQUAD* palette = bitmap.GetHandle()->Palette;
  jpeg_compress_struct info = {};
  JumpingErrors errors = {};
  UseJumpingErrors(reinterpret_cast<j_common_ptr>(&info), errors);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return ERROR_CODEC;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(w);
  info.image_height = static_cast<JDIMENSION>(h);
  // Colour rows go in as the bitmap holds them, blue first.
  info.input_components = bpp == 8 ? 1 : 3;
  info.in_color_space = bpp == 8 ? JCS_GRAYSCALE : JCS_EXT_BGR;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  info.density_unit = 1;  // dots per inch
  info.X_density = static_cast<UINT16>(std::clamp(bitmap.GetXResolution(), 1, 65535));
  info.Y_density = static_cast<UINT16>(std::clamp(bitmap.GetYResolution(), 1, 65535));
  jpeg_start_compress(&info, TRUE);
  for (int y = 0; y < h; ++y) {
    JSAMPROW row = const_cast<JSAMPROW>(bitmap.Row(y));
    if (bpp == 8) {
      // An 8-bit source is grey by now: the intensity is the entry's red.
      for (int x = 0; x < w; ++x) grey[static_cast<size_t>(x)] = palette[row[x]].rgbRed;
      row = grey.data();
    }
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  out.assign(buffer, buffer + size);
  std::free(buffer);
  return SUCCESS;
}

bool IsJpeg(const uint8_t* data, size_t size) { return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF; }

int DecodeJpeg(const uint8_t* data, size_t size, LBitmapBase& bitmap, LBase& progress, bool& handled) {
  handled = false;
  if (size > 0xFFFFFFFFu) return Fail(ERROR_IMAGE_TOO_LARGE, "JPEG size");
  // Everything the error jump passes over is made before the jump point.
  LBitmapBase image;
  RGBQUAD grey[256];
  GreyPalette(grey, 256);
  jpeg_decompress_struct info = {};
  JumpingErrors errors = {};
  UseJumpingErrors(reinterpret_cast<j_common_ptr>(&info), errors);
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    handled = true;
    return ERROR_FILE_DAMAGED;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  // Four-channel (printers') files keep going to the platform's decoder.
  if (info.num_components != 1 && info.num_components != 3) {
    jpeg_destroy_decompress(&info);
    return SUCCESS;
  }
  handled = true;
  const bool colour = info.num_components == 3;
  if (!SizeAllowed(static_cast<int>(std::min<JDIMENSION>(info.image_width, 0x7FFFFFFF)),
                   static_cast<int>(std::min<JDIMENSION>(info.image_height, 0x7FFFFFFF)), 24)) {
    jpeg_destroy_decompress(&info);
    return Fail(ERROR_IMAGE_TOO_LARGE, "JPEG size");
  }
  // Colour rows come out blue first, as the bitmap holds them.
  info.out_color_space = colour ? JCS_EXT_BGR : JCS_GRAYSCALE;
  int result = image.Create(static_cast<int>(info.image_width), static_cast<int>(info.image_height), colour ? 24 : 8,
                        ORDER_BGR, colour ? nullptr : grey, colour ? 0 : 256, TOP_LEFT);
  if (result != SUCCESS) {
    jpeg_destroy_decompress(&info);
    return result;
  }
  jpeg_start_decompress(&info);
  while (info.output_scanline < info.output_height) {
    if (info.output_scanline % kBandRows == 0) {
      result = progress.ReportProgress(static_cast<int>(static_cast<uint64_t>(info.output_scanline) * 100 / info.output_height));
      if (result != SUCCESS) {
        jpeg_destroy_decompress(&info);
        return result;
      }
    }
    JSAMPROW row = image.Row(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  // A file cut short decodes to its end and comes in with the rest grey, as other readers show it.
  jpeg_finish_decompress(&info);
  if (errors.cutBeforeFirstRow) {
    jpeg_destroy_decompress(&info);
    return Fail(ERROR_FILE_DAMAGED, "JPEG cut before its first row");
  }
  const double perInch = info.density_unit == 1 ? 1 : info.density_unit == 2 ? 2.54 : 0;
  image.SetXResolution(perInch > 0 && info.X_density ? static_cast<int>(std::lround(info.X_density * perInch)) : 96);
  image.SetYResolution(perInch > 0 && info.Y_density ? static_cast<int>(std::lround(info.Y_density * perInch)) : 96);
  jpeg_destroy_decompress(&info);
  bitmap.SetHandle(image.GetHandle(), TRUE);
  return SUCCESS;
}

}  // namespace imaging_internal

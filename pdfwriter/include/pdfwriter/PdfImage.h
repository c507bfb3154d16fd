// Images as PDF image objects: JPEG files passed through unchanged, device-independent bitmaps
// (files or memory) decoded and kept as Flate data, and white as a colour-key mask.
#pragma once
#include <cstdint>
#include <string>

namespace pdf {

struct PdfImage {
  int width = 0, height = 0, bitsPerComponent = 8, components = 3;
  std::string colorSpace;  // "/DeviceRGB", "/DeviceGray", "/DeviceCMYK" or an indexed space
  bool jpeg = false;       // data is a JPEG file (DCTDecode); otherwise raw samples, compressed at writing
  bool adobeInvertedCmyk = false;
  std::string data;
  std::string colorKeyMask;  // the /Mask array, empty when the image is opaque
  std::string alpha;         // one opacity byte a pixel (a soft mask), empty when the image is opaque
};

// Reads the frame header of a JPEG file; the data stays as it is. False with a reason otherwise.
bool ImageFromJpeg(const std::string& file, PdfImage* image, std::string* error);
// A .bmp file: the 14-byte file header and then a device-independent bitmap.
bool ImageFromBmpFile(const std::string& file, PdfImage* image, std::string* error);
// A device-independent bitmap in memory: the info header with its colour table, and the pixel rows.
bool ImageFromDib(const unsigned char* info, size_t infoSize, const unsigned char* bits, size_t bitsSize,
                  PdfImage* image, std::string* error);
// The opacity of a 32-bit bitmap whose colours are premultiplied by it (as alpha blending takes
// them): the colours are divided back and the fourth bytes become the image's soft mask, scaled by
// the constant opacity (0-255). False when the bitmap has no alpha bytes.
bool TakeAlpha(const unsigned char* info, size_t infoSize, const unsigned char* bits, size_t bitsSize,
               int constantOpacity, PdfImage* image);
// Any of the above, told apart by their first bytes.
bool ImageFromFile(const std::string& file, PdfImage* image, std::string* error);
// Makes pure white (0xFFFFFF) show what lies underneath.
void MakeWhiteTransparent(PdfImage* image);
void MakeColorTransparent(PdfImage* image, unsigned char r, unsigned char g, unsigned char b);

}  // namespace pdf

// Colour correction of a page image through the colour-correction library (Tintwell.dll beside the
// program): the caller's parameter record becomes the library's block and area list, and the
// corrected pixels become the target bitmap.
#pragma once
#include "Framework.h"

#include <cstdint>

#include "Imaging.h"
#include "Tintwell.h"

class LMyBitmap;

#pragma pack(push, 4)
// The caller's parameters (little-endian, 4176 bytes).
struct ColourCorrectionParams {
  int32_t mode;  // 0 in every call of the program
  int32_t reserved0;
  int32_t reservedValue;
  RECT white;  // reference rectangles in page image pixels; all 0 when unused
  RECT black;
  RECT areas[256];
  int32_t areaCount;
  int32_t reserved[4];
  double factor;
  uint8_t colour[4];  // c0, c1, c2 and a fourth byte; the 32-bit value -1 is no colour
  uint8_t flag;
  uint8_t padding[3];
};
#pragma pack(pop)
static_assert(sizeof(ColourCorrectionParams) == 4176, "the parameter record is 4176 bytes");
static_assert(offsetof(ColourCorrectionParams, areaCount) == 4140 && offsetof(ColourCorrectionParams, factor) == 4160 &&
                  offsetof(ColourCorrectionParams, colour) == 4168 && offsetof(ColourCorrectionParams, flag) == 4172,
              "the parameter record keeps its fixed offsets");

class CColCorrection {
 public:
  virtual ~CColCorrection() = default;

  // The target gets the corrected image (whatever the library returned, once it ran); true when the
  // library reported success. `value` goes to the library unchanged.
  bool DoCorrection(LBitmapBase& source, LMyBitmap& target, const ColourCorrectionParams& params, int value);
  // (top - bottom) x (left - right) is 0.
  static bool IsAreaEmpty(const RECT& rect);
  // The row length of a DIB: bits rounded up to whole 32-bit words.
  static int Stride(int width, int bitsPerPixel);
  // The area list the library gets: black, white, then (with a colour) the further areas.
  static int BuildAreaList(const ColourCorrectionParams& params, TINTWELL_AREA* areas);

  // The library's function; a test may put its own in place (null brings the library back). Returns
  // the one it replaces.
  static TINTWELL_CORRECT SetCorrectFunction(TINTWELL_CORRECT function);

 private:
  static TINTWELL_CORRECT LibraryFunction();
};

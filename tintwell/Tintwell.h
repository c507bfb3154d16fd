// The colour-correction library the page-image corrections call: one function, exported by ordinal 1
// with the C calling convention, that corrects a block of DIB pixels against white and black
// reference areas. The caller (CColCorrection) fills the block and the area list below.
#pragma once
#include <cstddef>
#include <cstdint>

extern "C" {

// One reference or further area, in image pixels with the top row 0.
struct TINTWELL_AREA {
  int32_t left, top, right, bottom;
  int32_t zero;
  int32_t kind;  // TINTWELL_AREA_BLACK, _WHITE or _FURTHER
  int32_t reserved;
};
static_assert(sizeof(TINTWELL_AREA) == 28, "an area entry is 28 bytes");

enum : int32_t { TINTWELL_AREA_WHITE = 0, TINTWELL_AREA_BLACK = 1, TINTWELL_AREA_FURTHER = 3 };
enum : int32_t { TINTWELL_PIXELS_INDEXED = 1, TINTWELL_PIXELS_RGB = 3 };

// The block of mode 0. The three addresses are the process's pointers: 4 bytes in the 32-bit program,
// where the block is the 96 bytes of the fixed layout; the 64-bit build of the same code widens them.
struct TINTWELL_BLOCK {
  uint32_t size;          // sizeof(TINTWELL_BLOCK)
  int32_t width;
  int32_t height;         // as the DIB stores it: positive for bottom-up rows
  int32_t stride;
  int32_t zero16;
  int32_t pixelKind;      // TINTWELL_PIXELS_INDEXED (a colour table) or TINTWELL_PIXELS_RGB
  const uint8_t* source;
  uint8_t* output;        // stride x |height| bytes at least, same layout as the source
  int32_t flag;
  const TINTWELL_AREA* areas;
  int32_t areaCount;
  int32_t four44;
  int32_t four48;
  uint8_t white[3];       // the colour a white reference area becomes
  uint8_t pad55;
  uint8_t black[3];       // the colour a black reference area becomes
  uint8_t pad59;
  int32_t hasWhite;
  int32_t hasBlack;
  uint8_t colour[3];
  uint8_t pad71;
  int32_t zero72;
  int32_t areaRecords;
  int32_t zero80;
  int32_t zero84;
  double factor;          // 1.0 corrects fully, 0 leaves the pixels as they are
};
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(TINTWELL_BLOCK) == 96, "the 32-bit block is 96 bytes");
static_assert(offsetof(TINTWELL_BLOCK, source) == 24 && offsetof(TINTWELL_BLOCK, areas) == 36 &&
                  offsetof(TINTWELL_BLOCK, white) == 52 && offsetof(TINTWELL_BLOCK, hasWhite) == 60 &&
                  offsetof(TINTWELL_BLOCK, colour) == 68 && offsetof(TINTWELL_BLOCK, factor) == 88,
              "the 32-bit block keeps its fixed offsets");
#endif

// Results of the correction function.
enum : int {
  TINTWELL_OK = 0,
  TINTWELL_BAD_BLOCK = 1,      // null, wrong size, unknown mode or pixels that cannot be read
  TINTWELL_NO_REFERENCE = 2,   // no usable reference area
  TINTWELL_NOT_SUPPORTED = 3,  // pixels of 1 or 4 bits: their colour table is not in the block
};

// mode 0 with the block above; `value` is reserved (0). The corrected pixels go to the output buffer.
typedef int(__cdecl* TINTWELL_CORRECT)(int mode, TINTWELL_BLOCK* block, int value);
}

// Helpers shared by the imaging layer's own files; not part of its interface.
#pragma once
#include "LBitmapBase.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace imaging_internal {

// The largest image this layer allocates: a hostile header must not make it reserve memory it
// cannot have (a 32-bit process has 2 GB of address space in all).
constexpr int kMaxDimension = 65500;
#if defined(_WIN64)
constexpr uint64_t kMaxImageBytes = 1ull << 31;
#else
constexpr uint64_t kMaxImageBytes = 1ull << 29;
#endif

// Little-endian numbers, as BMP, GIF and TIFF files store them.
inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// The string table of the LZW encoders (GIF, TIFF): prefix code and next byte to code, in an open
// hash whose entries a new generation drops at once, so a clear code costs nothing.
class LzwTable {
 public:
  LzwTable() : keys_(kHashSize), codes_(kHashSize), stamps_(kHashSize, 0) {}
  void Clear() { ++generation_; }
  // The code of the string `prefix` + `byte`, or -1 when it is not in the table yet; Add then enters
  // that string.
  int Find(int prefix, uint8_t byte) {
    key_ = static_cast<uint32_t>(prefix) << 8 | byte;
    size_t h = (key_ * 2654435761u) % kHashSize;
    while (stamps_[h] == generation_ && keys_[h] != key_) h = (h + 1) % kHashSize;
    slot_ = h;
    return stamps_[h] == generation_ ? codes_[h] : -1;
  }
  void Add(int code) {
    stamps_[slot_] = generation_;
    keys_[slot_] = key_;
    codes_[slot_] = static_cast<uint16_t>(code);
  }

 private:
  static constexpr size_t kHashSize = 9001;  // prime, over twice the 4096 codes
  std::vector<uint32_t> keys_;
  std::vector<uint16_t> codes_;
  std::vector<uint32_t> stamps_;
  uint32_t generation_ = 1;
  uint32_t key_ = 0;
  size_t slot_ = 0;
};

inline int StrideOf(int width, int bitsPerPixel) {
  return static_cast<int>(((static_cast<int64_t>(width) * bitsPerPixel + 31) / 32) * 4);
}

// True when an image of this size and depth may be allocated.
inline bool SizeAllowed(int width, int height, int bitsPerPixel) {
  if (width <= 0 || height <= 0 || width > kMaxDimension || height > kMaxDimension) return false;
  return static_cast<uint64_t>(StrideOf(width, bitsPerPixel)) * static_cast<uint64_t>(height) <= kMaxImageBytes;
}

inline bool IsIndexedDepth(int bitsPerPixel) { return bitsPerPixel <= 8; }
inline bool IsSupportedDepth(int bitsPerPixel) {
  return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 24 || bitsPerPixel == 32;
}

inline int GetIndex(const BYTE* row, int x, int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    default: return row[x];
  }
}

inline void SetIndex(BYTE* row, int x, int bitsPerPixel, int index) {
  switch (bitsPerPixel) {
    case 1: {
      const BYTE mask = static_cast<BYTE>(0x80 >> (x & 7));
      row[x >> 3] = static_cast<BYTE>(index ? (row[x >> 3] | mask) : (row[x >> 3] & ~mask));
      break;
    }
    case 4:
      row[x >> 1] = static_cast<BYTE>((x & 1) ? ((row[x >> 1] & 0xF0) | (index & 0x0F))
                                              : ((row[x >> 1] & 0x0F) | ((index & 0x0F) << 4)));
      break;
    default: row[x] = static_cast<BYTE>(index);
  }
}

inline int Luminance(int r, int g, int b) { return (r * 299 + g * 587 + b * 114 + 500) / 1000; }

// Grey ramp of 2, 16 or 256 entries, black first.
void GreyPalette(RGBQUAD* colors, int count);
// True when every colour-table entry is a grey (r = g = b).
bool IsGreyPalette(const RGBQUAD* colors, int count);
// True when the table is the full ramp of its depth, black to white in order: then an index is
// its own intensity, as grey file formats store it.
bool IsGreyRamp(const RGBQUAD* colors, int count, int bitsPerPixel);
// Index of the nearest colour-table entry.
int NearestIndex(const RGBQUAD* colors, int count, int r, int g, int b);

// Visual row y as 3 bytes per pixel, blue first.
void ReadRowBGR(const LBitmapBase& bitmap, int y, BYTE* bgr);
// Writes 3 bytes per pixel into visual row y of a 24 or 32 bit bitmap.
void WriteRowBGR(LBitmapBase& bitmap, int y, const BYTE* bgr);

// Bytes of a whole file; false with an error code when it cannot be read.
int ReadWholeFile(LPCWSTR path, std::vector<uint8_t>& bytes);
int WriteWholeFile(LPCWSTR path, const std::vector<uint8_t>& bytes);

// Codecs. Decoders fill the bitmap with page `page` (0-based) and report progress through
// `progress` (which may end the decoding with its result); encoders write the whole file.
int CountPages(const uint8_t* data, size_t size, int& pages);
int DecodeImage(const uint8_t* data, size_t size, int page, LBitmapBase& bitmap, LBase& progress);
int EncodeImage(const LBitmapBase* const* pages, int count, int format, int qualityFactor,
                std::vector<uint8_t>& out, LBase& progress);

// Format-specific halves, chosen by the two functions above.
bool IsPcx(const uint8_t* data, size_t size);
int DecodePcx(const uint8_t* data, size_t size, LBitmapBase& bitmap, LBase& progress);
int EncodePcx(const LBitmapBase& bitmap, std::vector<uint8_t>& out, LBase& progress);
int EncodeBmp(const LBitmapBase& bitmap, std::vector<uint8_t>& out);
int EncodePng(const LBitmapBase& bitmap, std::vector<uint8_t>& out, LBase& progress);
int EncodeGif(const LBitmapBase& bitmap, std::vector<uint8_t>& out);
int EncodeJpeg(const LBitmapBase& bitmap, int qualityFactor, std::vector<uint8_t>& out);
// JPEG and PNG decoders over their libraries; `handled` false leaves a file they pass over (CMYK
// JPEG, interlaced PNG) to the platform's decoder.
bool IsJpeg(const uint8_t* data, size_t size);
bool IsPng(const uint8_t* data, size_t size);
int DecodeJpeg(const uint8_t* data, size_t size, LBitmapBase& bitmap, LBase& progress, bool& handled);
int DecodePng(const uint8_t* data, size_t size, LBitmapBase& bitmap, LBase& progress, bool& handled);
// compression: the TIFF tag values 1 (none), 5 (LZW), 4 (CCITT G4), 32773 (PackBits).
int EncodeTiff(const LBitmapBase* const* pages, int count, int compression, std::vector<uint8_t>& out,
               LBase& progress);
// Refuses files whose headers declare images larger than this layer allocates, before any
// platform decoder sees them.
int CheckDeclaredSize(const uint8_t* data, size_t size);
int WicCountPages(const uint8_t* data, size_t size, int& pages);
int WicDecode(const uint8_t* data, size_t size, int page, LBitmapBase& bitmap, LBase& progress);

// CCITT group 4 coding of 1-bit rows (bit set = black), MSB first.
std::vector<uint8_t> EncodeG4(const std::vector<std::vector<uint8_t>>& rows, int width);

// The colour operations of LBitmap, for any bitmap (the dialogs process the bitmap they are given).
int ChangeIntensityOf(LBitmapBase& bitmap, int change);
int ChangeContrastOf(LBitmapBase& bitmap, int change);

// Logs a failure with its code to the debugger output; returns the code.
int Fail(int code, const char* where);

}  // namespace imaging_internal

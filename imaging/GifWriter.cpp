// GIF writer (GIF89a, one image, global colour table): the platform's encoder writes broken files
// from colour images and needs seconds per page for indexed ones.
#include "ImagingInternal.h"

#include <cstring>

using namespace imaging_internal;

namespace {

// GIF's LZW: codes least significant bit first, growing from the minimum code size + 1 to 12
// bits, a clear code first and whenever the table is full, the end code last.
class GifLzw {
 public:
  GifLzw(std::vector<uint8_t>& out, int minCodeSize)
      : out_(out), min_(minCodeSize), clear_(1 << minCodeSize) {}

  void Encode(const std::vector<uint8_t>& indices) {
    Reset();
    Emit(clear_);
    int prefix = indices.empty() ? 0 : indices[0];
    for (size_t i = 1; i < indices.size(); ++i) {
      const int code = table_.Find(prefix, indices[i]);
      if (code >= 0) {
        prefix = code;
        continue;
      }
      Emit(prefix);
      prefix = indices[i];
      if (next_ >= 4095) {
        Emit(clear_);
        Reset();
      } else {
        table_.Add(next_++);
      }
    }
    Emit(prefix);
    Emit(clear_ + 1);
    if (count_) Byte(static_cast<uint8_t>(acc_));
    if (!block_.empty()) FlushBlock();
    out_.push_back(0);  // block terminator
  }

 private:
  void Reset() {
    table_.Clear();
    next_ = clear_ + 2;
    bits_ = min_ + 1;
  }
  // Widens after writing once the next free code no longer fits, as decoders expect.
  void Emit(int code) {
    acc_ |= static_cast<uint32_t>(code) << count_;
    count_ += bits_;
    while (count_ >= 8) {
      Byte(static_cast<uint8_t>(acc_));
      acc_ >>= 8;
      count_ -= 8;
    }
    if (next_ >= (1 << bits_) && bits_ < 12) ++bits_;
  }
  void Byte(uint8_t b) {
    block_.push_back(b);
    if (block_.size() == 255) FlushBlock();
  }
  void FlushBlock() {
    out_.push_back(static_cast<uint8_t>(block_.size()));
    out_.insert(out_.end(), block_.begin(), block_.end());
    block_.clear();
  }

  std::vector<uint8_t>& out_;
  const int min_, clear_;
  LzwTable table_;
  std::vector<uint8_t> block_;
  int next_ = 0, bits_ = 0;
  uint32_t acc_ = 0;
  int count_ = 0;
};

}  // namespace

namespace imaging_internal {

int EncodeGif(const LBitmapBase& bitmap, std::vector<uint8_t>& out) {
  const int bpp = bitmap.GetBitsPerPixel(), w = bitmap.GetWidth(), h = bitmap.GetHeight();
  if (bpp > 8) return Fail(ERROR_BPP_NOT_SUPPORTED, "GIF depth");
  if (w > 65535 || h > 65535) return Fail(ERROR_IMAGE_TOO_LARGE, "GIF size");
  const int tableBits = bpp == 1 ? 1 : bpp;  // the colour table holds 2^tableBits entries
  out.assign({'G', 'I', 'F', '8', '9', 'a'});
  Put16(out, w);
  Put16(out, h);
  out.push_back(static_cast<uint8_t>(0x80 | 0x70 | (tableBits - 1)));
  out.push_back(0);
  out.push_back(0);
  for (int i = 0; i < (1 << tableBits); ++i) {
    const RGBQUAD c = i < bitmap.GetColorCount() ? bitmap.GetHandle()->Palette[i] : RGBQUAD{0, 0, 0, 0};
    out.insert(out.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue});
  }
  out.push_back(0x2C);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, w);
  Put16(out, h);
  out.push_back(0);
  const int minCodeSize = bpp < 2 ? 2 : bpp;
  out.push_back(static_cast<uint8_t>(minCodeSize));
  std::vector<uint8_t> indices(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    const BYTE* row = bitmap.Row(y);
    for (int x = 0; x < w; ++x) indices[static_cast<size_t>(y) * w + x] = static_cast<uint8_t>(GetIndex(row, x, bpp));
  }
  GifLzw(out, minCodeSize).Encode(indices);
  out.push_back(0x3B);
  return SUCCESS;
}

}  // namespace imaging_internal

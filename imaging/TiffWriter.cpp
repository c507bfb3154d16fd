// TIFF writer: one or many pages, uncompressed, PackBits, LZW or CCITT group 4, little-endian.
// Our own because the platform's encoder always writes uncompressed files.
#include "ImagingInternal.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace imaging_internal;

namespace {

enum : uint16_t { kShort = 3, kLong = 4, kRational = 5 };
enum : int { kNone = 1, kG4 = 4, kLzw = 5, kPackBits = 32773 };

// Strips of about this many bytes keep memory low for readers; group 4 pages are one strip.
constexpr size_t kStripBytes = 64 * 1024;

void Set32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

void PackBits(const uint8_t* p, size_t n, std::vector<uint8_t>& out) {
  size_t i = 0;
  while (i < n) {
    size_t run = 1;
    while (i + run < n && run < 128 && p[i + run] == p[i]) ++run;
    if (run >= 2) {
      out.push_back(static_cast<uint8_t>(257 - run));  // -(run - 1)
      out.push_back(p[i]);
      i += run;
      continue;
    }
    size_t literal = 1;
    while (i + literal < n && literal < 128 && !(i + literal + 1 < n && p[i + literal] == p[i + literal + 1])) ++literal;
    out.push_back(static_cast<uint8_t>(literal - 1));
    out.insert(out.end(), p + i, p + i + literal);
    i += literal;
  }
}

// TIFF's LZW: codes from 9 to 12 bits, most significant bit first, the code width growing one
// code early, a clear code first and before the table overflows, end-of-information last.
class LzwEncoder {
 public:
  explicit LzwEncoder(std::vector<uint8_t>& out) : out_(out) {}

  void Encode(const uint8_t* p, size_t n) {
    Reset();
    Put(kClear);
    if (n == 0) {
      Put(kEoi);
      Flush();
      return;
    }
    int prefix = p[0];
    for (size_t i = 1; i < n; ++i) {
      const int code = table_.Find(prefix, p[i]);
      if (code >= 0) {
        prefix = code;
        continue;
      }
      Put(prefix);
      table_.Add(next_);
      Grow();
      prefix = p[i];
    }
    Put(prefix);
    Grow();
    Put(kEoi);
    Flush();
  }

 private:
  static constexpr int kClear = 256, kEoi = 257, kFirst = 258, kMaxCode = 4095;
  void Reset() {
    table_.Clear();
    next_ = kFirst;
    bits_ = 9;
  }
  // After each new table entry: widen when the next code would not fit, clear before overflow.
  void Grow() {
    ++next_;
    if (next_ == kMaxCode - 1) {
      Put(kClear);
      Reset();
    } else if (next_ > (1 << bits_) - 1) {
      ++bits_;
    }
  }
  void Put(int code) {
    acc_ = acc_ << bits_ | static_cast<uint32_t>(code);
    count_ += bits_;
    while (count_ >= 8) {
      out_.push_back(static_cast<uint8_t>(acc_ >> (count_ - 8)));
      count_ -= 8;
    }
    acc_ &= (1u << count_) - 1;
  }
  void Flush() {
    if (count_) out_.push_back(static_cast<uint8_t>(acc_ << (8 - count_)));
    acc_ = 0;
    count_ = 0;
  }

  std::vector<uint8_t>& out_;
  LzwTable table_;
  int next_ = kFirst, bits_ = 9;
  uint32_t acc_ = 0;
  int count_ = 0;
};

struct Entry {
  uint16_t tag;
  uint16_t type;
  uint32_t count;
  uint32_t value;  // the value itself when it fits in 4 bytes, else its offset
};

// A page's rows as the file stores them: RGB order, 1-bit with the set bit white (black for
// group 4, where white is zero), indices otherwise.
std::vector<uint8_t> RowBytes(const LBitmapBase& b, int y, bool whiteIsZero) {
  const int bpp = b.GetBitsPerPixel(), w = b.GetWidth();
  const size_t n = static_cast<size_t>((w * bpp + 7) / 8);
  std::vector<uint8_t> row(b.Row(y), b.Row(y) + n);
  if (bpp == 24) {
    for (int x = 0; x < w; ++x) std::swap(row[static_cast<size_t>(x) * 3], row[static_cast<size_t>(x) * 3 + 2]);
  } else if (bpp == 1) {
    const RGBQUAD* p = b.GetHandle()->Palette;
    const bool white1 = Luminance(p[1].rgbRed, p[1].rgbGreen, p[1].rgbBlue) >= Luminance(p[0].rgbRed, p[0].rgbGreen, p[0].rgbBlue);
    if (white1 == whiteIsZero)
      for (uint8_t& v : row) v = static_cast<uint8_t>(~v);
    if (w % 8) row.back() &= static_cast<uint8_t>(0xFF << (8 - w % 8));
  }
  return row;
}

}  // namespace

namespace imaging_internal {

int EncodeTiff(const LBitmapBase* const* pages, int count, int compression, std::vector<uint8_t>& out,
               LBase& progress) {
  out.assign({'I', 'I', 42, 0, 0, 0, 0, 0});
  size_t linkAt = 4;  // where the offset of the next directory goes
  for (int page = 0; page < count; ++page) {
    const LBitmapBase& b = *pages[page];
    const int bpp = b.GetBitsPerPixel(), w = b.GetWidth(), h = b.GetHeight();
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24) return Fail(ERROR_BPP_NOT_SUPPORTED, "TIFF depth");
    if (compression == kG4 && bpp != 1) return Fail(ERROR_BPP_NOT_SUPPORTED, "TIFF group 4 depth");
    const bool grey = IsGreyRamp(b.GetHandle()->Palette, b.GetColorCount(), bpp);
    // Photometric: 0 white is zero (group 4), 1 black is zero, 2 RGB, 3 colour table.
    const uint32_t photometric = compression == kG4 ? 0 : bpp == 1 ? 1 : bpp == 24 ? 2 : grey ? 1 : 3;
    const size_t rowBytes = static_cast<size_t>((w * bpp + 7) / 8);
    const int rowsPerStrip = compression == kG4 ? h : static_cast<int>(std::max<size_t>(1, kStripBytes / rowBytes));
    std::vector<uint32_t> stripOffsets, stripCounts;
    if (out.size() & 1) out.push_back(0);
    for (int first = 0; first < h; first += rowsPerStrip) {
      const int progressResult = progress.ReportProgress(static_cast<int>((page * 100LL + first * 100LL / h) / count));
      if (progressResult != SUCCESS) return progressResult;
      const int rows = std::min(rowsPerStrip, h - first);
      std::vector<uint8_t> raw;
      std::vector<std::vector<uint8_t>> lines;
      for (int y = first; y < first + rows; ++y) {
        std::vector<uint8_t> row = RowBytes(b, y, compression == kG4);
        if (compression == kG4)
          lines.push_back(std::move(row));
        else if (compression == kPackBits)
          PackBits(row.data(), row.size(), raw);  // each row on its own, as readers require
        else
          raw.insert(raw.end(), row.begin(), row.end());
      }
      std::vector<uint8_t> coded;
      if (compression == kG4)
        coded = EncodeG4(lines, w);
      else if (compression == kLzw)
        LzwEncoder(coded).Encode(raw.data(), raw.size());
      else
        coded.swap(raw);
      if (out.size() + coded.size() > 0xFFFFFFF0u) return Fail(ERROR_IMAGE_TOO_LARGE, "TIFF size");
      stripOffsets.push_back(static_cast<uint32_t>(out.size()));
      stripCounts.push_back(static_cast<uint32_t>(coded.size()));
      out.insert(out.end(), coded.begin(), coded.end());
    }
    // Values that do not fit into their entry go before the directory.
    auto place = [&](const std::vector<uint32_t>& values, uint16_t type) -> uint32_t {
      if (values.size() == 1 || (type == kShort && values.size() == 2)) {
        return type == kShort && values.size() == 2 ? (values[0] | values[1] << 16) : values[0];
      }
      if (out.size() & 1) out.push_back(0);
      const uint32_t at = static_cast<uint32_t>(out.size());
      for (uint32_t v : values) (type == kShort ? Put16 : Put32)(out, v);
      return at;
    };
    std::vector<Entry> entries;
    auto add = [&](uint16_t tag, uint16_t type, const std::vector<uint32_t>& values) {
      entries.push_back(Entry{tag, type, static_cast<uint32_t>(values.size()), place(values, type)});
    };
    const uint32_t samples = bpp == 24 ? 3 : 1;
    if (count > 1) add(254, kLong, {2});  // a page of a multi-page file
    add(256, kLong, {static_cast<uint32_t>(w)});
    add(257, kLong, {static_cast<uint32_t>(h)});
    add(258, kShort, std::vector<uint32_t>(samples, bpp == 24 ? 8u : static_cast<uint32_t>(bpp)));
    add(259, kShort, {static_cast<uint32_t>(compression)});
    add(262, kShort, {photometric});
    add(273, kLong, stripOffsets);
    add(277, kShort, {samples});
    add(278, kLong, {static_cast<uint32_t>(rowsPerStrip)});
    add(279, kLong, stripCounts);
    for (uint16_t tag : {uint16_t{282}, uint16_t{283}}) {
      if (out.size() & 1) out.push_back(0);
      const uint32_t at = static_cast<uint32_t>(out.size());
      Put32(out, static_cast<uint32_t>(tag == 282 ? b.GetXResolution() : b.GetYResolution()));
      Put32(out, 1);
      entries.push_back(Entry{tag, kRational, 1, at});
    }
    add(284, kShort, {1});
    if (compression == kG4) add(293, kLong, {0});
    add(296, kShort, {2});  // inches
    if (count > 1) add(297, kShort, {static_cast<uint32_t>(page), static_cast<uint32_t>(count)});
    if (photometric == 3) {
      const int n = 1 << bpp;
      std::vector<uint32_t> map(static_cast<size_t>(3 * n));
      for (int i = 0; i < n; ++i) {
        const RGBQUAD c = i < b.GetColorCount() ? b.GetHandle()->Palette[i] : RGBQUAD{0, 0, 0, 0};
        map[static_cast<size_t>(i)] = c.rgbRed * 257u;
        map[static_cast<size_t>(n + i)] = c.rgbGreen * 257u;
        map[static_cast<size_t>(2 * n + i)] = c.rgbBlue * 257u;
      }
      add(320, kShort, map);
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& c) { return a.tag < c.tag; });
    if (out.size() & 1) out.push_back(0);
    Set32(out, linkAt, static_cast<uint32_t>(out.size()));
    Put16(out, static_cast<uint32_t>(entries.size()));
    for (const Entry& e : entries) {
      Put16(out, e.tag);
      Put16(out, e.type);
      Put32(out, e.count);
      Put32(out, e.value);
    }
    linkAt = out.size();
    Put32(out, 0);
  }
  return SUCCESS;
}

}  // namespace imaging_internal

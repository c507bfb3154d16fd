// CCITT group 4 (T.6) coding of bilevel rows: each row coded against the one above it (the first
// against an imaginary white row), with pass, vertical and horizontal modes and the run-length
// codes of T.4, closed by the end-of-facsimile-block.
#include "ImagingInternal.h"

namespace {

struct Code {
  uint16_t bits;
  uint8_t length;
};

// Codes written as their bit strings, as the recommendation's tables print them.
constexpr Code C(const char* s) {
  uint16_t v = 0;
  uint8_t n = 0;
  for (; s[n]; ++n) v = static_cast<uint16_t>(v << 1 | (s[n] == '1'));
  return Code{v, n};
}

const Code kWhiteTerminating[64] = {
    C("00110101"), C("000111"),   C("0111"),     C("1000"),     C("1011"),     C("1100"),     C("1110"),
    C("1111"),     C("10011"),    C("10100"),    C("00111"),    C("01000"),    C("001000"),   C("000011"),
    C("110100"),   C("110101"),   C("101010"),   C("101011"),   C("0100111"),  C("0001100"),  C("0001000"),
    C("0010111"),  C("0000011"),  C("0000100"),  C("0101000"),  C("0101011"),  C("0010011"),  C("0100100"),
    C("0011000"),  C("00000010"), C("00000011"), C("00011010"), C("00011011"), C("00010010"), C("00010011"),
    C("00010100"), C("00010101"), C("00010110"), C("00010111"), C("00101000"), C("00101001"), C("00101010"),
    C("00101011"), C("00101100"), C("00101101"), C("00000100"), C("00000101"), C("00001010"), C("00001011"),
    C("01010010"), C("01010011"), C("01010100"), C("01010101"), C("00100100"), C("00100101"), C("01011000"),
    C("01011001"), C("01011010"), C("01011011"), C("01001010"), C("01001011"), C("00110010"), C("00110011"),
    C("00110100")};

const Code kBlackTerminating[64] = {
    C("0000110111"),   C("010"),          C("11"),           C("10"),           C("011"),
    C("0011"),         C("0010"),         C("00011"),        C("000101"),       C("000100"),
    C("0000100"),      C("0000101"),      C("0000111"),      C("00000100"),     C("00000111"),
    C("000011000"),    C("0000010111"),   C("0000011000"),   C("0000001000"),   C("00001100111"),
    C("00001101000"),  C("00001101100"),  C("00000110111"),  C("00000101000"),  C("00000010111"),
    C("00000011000"),  C("000011001010"), C("000011001011"), C("000011001100"), C("000011001101"),
    C("000001101000"), C("000001101001"), C("000001101010"), C("000001101011"), C("000011010010"),
    C("000011010011"), C("000011010100"), C("000011010101"), C("000011010110"), C("000011010111"),
    C("000001101100"), C("000001101101"), C("000011011010"), C("000011011011"), C("000001010100"),
    C("000001010101"), C("000001010110"), C("000001010111"), C("000001100100"), C("000001100101"),
    C("000001010010"), C("000001010011"), C("000000100100"), C("000000110111"), C("000000111000"),
    C("000000100111"), C("000000101000"), C("000001011000"), C("000001011001"), C("000000101011"),
    C("000000101100"), C("000001011010"), C("000001100110"), C("000001100111")};

// Make-up codes for 64, 128, ... 1728.
const Code kWhiteMakeup[27] = {
    C("11011"),     C("10010"),     C("010111"),    C("0110111"),   C("00110110"),  C("00110111"),  C("01100100"),
    C("01100101"),  C("01101000"),  C("01100111"),  C("011001100"), C("011001101"), C("011010010"), C("011010011"),
    C("011010100"), C("011010101"), C("011010110"), C("011010111"), C("011011000"), C("011011001"), C("011011010"),
    C("011011011"), C("010011000"), C("010011001"), C("010011010"), C("011000"),    C("010011011")};

const Code kBlackMakeup[27] = {
    C("0000001111"),    C("000011001000"),  C("000011001001"),  C("000001011011"),  C("000000110011"),
    C("000000110100"),  C("000000110101"),  C("0000001101100"), C("0000001101101"), C("0000001001010"),
    C("0000001001011"), C("0000001001100"), C("0000001001101"), C("0000001110010"), C("0000001110011"),
    C("0000001110100"), C("0000001110101"), C("0000001110110"), C("0000001110111"), C("0000001010010"),
    C("0000001010011"), C("0000001010100"), C("0000001010101"), C("0000001011010"), C("0000001011011"),
    C("0000001100100"), C("0000001100101")};

// Make-up codes for 1792 .. 2560, shared by both colours.
const Code kExtendedMakeup[13] = {C("00000001000"),  C("00000001100"),  C("00000001101"),  C("000000010010"),
                                  C("000000010011"), C("000000010100"), C("000000010101"), C("000000010110"),
                                  C("000000010111"), C("000000011100"), C("000000011101"), C("000000011110"),
                                  C("000000011111")};

const Code kPass = C("0001");
const Code kHorizontal = C("001");
// Vertical modes for a1 - b1 = -3 .. 3.
const Code kVertical[7] = {C("0000010"), C("000010"), C("010"), C("1"), C("011"), C("000011"), C("0000011")};
const Code kEol = C("000000000001");

class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
  void Put(Code c) {
    for (int i = c.length - 1; i >= 0; --i) {
      acc_ = static_cast<uint8_t>(acc_ << 1 | ((c.bits >> i) & 1));
      if (++count_ == 8) {
        out_.push_back(acc_);
        acc_ = 0;
        count_ = 0;
      }
    }
  }
  void Flush() {
    if (count_) out_.push_back(static_cast<uint8_t>(acc_ << (8 - count_)));
    acc_ = 0;
    count_ = 0;
  }

 private:
  std::vector<uint8_t>& out_;
  uint8_t acc_ = 0;
  int count_ = 0;
};

void PutRun(BitWriter& w, int run, bool black) {
  while (run >= 2560) {
    w.Put(kExtendedMakeup[12]);
    run -= 2560;
  }
  if (run >= 1792) {
    w.Put(kExtendedMakeup[(run - 1792) / 64]);
    run %= 64;
  } else if (run >= 64) {
    w.Put((black ? kBlackMakeup : kWhiteMakeup)[run / 64 - 1]);
    run %= 64;
  }
  w.Put((black ? kBlackTerminating : kWhiteTerminating)[run]);
}

inline int Pixel(const std::vector<uint8_t>& row, int x) { return (row[static_cast<size_t>(x >> 3)] >> (7 - (x & 7))) & 1; }

// The first changing element at or after `from`: a pixel whose colour differs from the one
// before it (the pixel before the row counts as white); `width` when there is none.
int NextChange(const std::vector<uint8_t>& row, int from, int width) {
  for (int x = from; x < width; ++x)
    if (Pixel(row, x) != (x == 0 ? 0 : Pixel(row, x - 1))) return x;
  return width;
}

int ColourAt(const std::vector<uint8_t>& row, int x) { return x < 0 ? 0 : Pixel(row, x); }

}  // namespace

namespace imaging_internal {

std::vector<uint8_t> EncodeG4(const std::vector<std::vector<uint8_t>>& rows, int width) {
  std::vector<uint8_t> out;
  BitWriter w(out);
  std::vector<uint8_t> reference(static_cast<size_t>((width + 7) / 8), 0);
  for (const std::vector<uint8_t>& line : rows) {
    int a0 = -1;
    int colour = 0;  // white
    while (a0 < width) {
      const int a1 = NextChange(line, a0 + 1, width);
      int b1 = NextChange(reference, a0 + 1, width);
      // b1 must start a run of the colour opposite to a0's.
      while (b1 < width && ColourAt(reference, b1) == colour) b1 = NextChange(reference, b1 + 1, width);
      const int b2 = NextChange(reference, b1 + 1, width);
      if (b2 < a1) {
        w.Put(kPass);
        a0 = b2;
      } else if (a1 - b1 >= -3 && a1 - b1 <= 3) {
        w.Put(kVertical[a1 - b1 + 3]);
        a0 = a1;
        colour ^= 1;
      } else {
        const int a2 = NextChange(line, a1 + 1, width);
        w.Put(kHorizontal);
        PutRun(w, a1 - (a0 < 0 ? 0 : a0), colour != 0);
        PutRun(w, a2 - a1, colour == 0);
        a0 = a2;
      }
    }
    reference = line;
  }
  w.Put(kEol);
  w.Put(kEol);
  w.Flush();
  return out;
}

}  // namespace imaging_internal

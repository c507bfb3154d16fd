// Symbol geometry, bit stuffing, the mode message and the drawn layout. The expected symbols were
// drawn by a second, independent encoder (Debian's zint, told the same symbol size) for the same text.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "AztecTestRows.h"
#include "HighLevel.h"
#include "Symbol.h"

using aztec::detail::kDigit;
using aztec::detail::kLower;
using aztec::detail::kMixed;
using aztec::detail::kPunct;
using aztec::detail::kUpper;
using aztec::detail::Shape;

namespace {

// "Code 2D!" in a compact symbol of one layer (10 data words, 7 check words).
const std::vector<std::string> kCode2DCompact1 = {
    "...XX...XX.....",
    "......XX.....X.",
    "X.XX....X...X.X",
    ".XXXXXXXXXXXX..",
    "XXXX.......XX.X",
    "...X.XXXXX.XX..",
    "X..X.X...X.XXXX",
    "..XX.X.X.X.X..X",
    "..XX.X...X.X.X.",
    ".X.X.XXXXX.X..X",
    "X..X.......X.XX",
    "X..XXXXXXXXXX.X",
    ".X...XX...X..X.",
    ".XX....XX.XX.X.",
    "XXX..XX.XX.....",
};

// The same text in a full-range symbol of one layer: the 13-module bull's-eye, the 40-bit mode
// message and the reference grid's centre lines.
const std::vector<std::string> kCode2DFull1 = {
    ".....XX.X..X.X..XXX",
    "...XX....X..X......",
    "X.XX............XX.",
    ".XXXXXXXXXXXXXXXXX.",
    "XX.X...........X..X",
    "..XX.XXXXXXXXX.X..X",
    "X.XX.X.......X.XX..",
    "...X.X.XXXXX.X.X.X.",
    "..XX.X.X...X.X.X.XX",
    ".X.X.X.X.X.X.X.X.X.",
    ".X.X.X.X...X.X.XX..",
    "X.XX.X.XXXXX.X.XXX.",
    "X..X.X.......X.X.XX",
    ".X.X.XXXXXXXXX.XX..",
    "X.XX...........X..X",
    "XX.XXXXXXXXXXXXXX..",
    "XX..X.....XX.XX....",
    "....XX.XXX..XX.X...",
    "..XX.XX.......XXXXX",
};

aztec::matrix<unsigned char> DrawText(Shape shape, const char* text) {
  using namespace aztec::detail;
  Mode end = kUpper;
  const BitStream bits = EncodeHighLevel(reinterpret_cast<const unsigned char*>(text), std::strlen(text), &end);
  aztec::matrix<unsigned char> symbol;
  DrawSymbol(shape, StuffWords(bits, WordSize(shape), end), symbol);
  return symbol;
}

aztec::detail::BitStream Bits(const char* ones_and_zeros) {
  aztec::detail::BitStream bits;
  for (const char* p = ones_and_zeros; *p != 0; ++p)
    if (*p != ' ') bits.Append(*p == '1' ? 1 : 0, 1);
  return bits;
}

std::string BitString(const aztec::detail::BitStream& bits) {
  std::string text;
  for (int i = 0; i < bits.Size(); ++i) text += bits.Bit(i) ? '1' : '0';
  return text;
}

}  // namespace

TEST(AztecSymbol, ShapesHaveThePublishedSizesAndCodewords) {
  struct Case {
    Shape shape;
    int size, wordSize, totalWords;
  };
  const Case cases[] = {
      {{true, 1}, 15, 6, 17},     {{true, 2}, 19, 6, 40},     {{true, 3}, 23, 8, 51},
      {{true, 4}, 27, 8, 76},     {{false, 1}, 19, 6, 21},    {{false, 2}, 23, 6, 48},
      {{false, 3}, 27, 8, 60},    {{false, 4}, 31, 8, 88},    {{false, 5}, 37, 8, 120},
      {{false, 9}, 53, 10, 230},  {{false, 12}, 67, 10, 364}, {{false, 22}, 109, 10, 1020},
      {{false, 23}, 113, 12, 920}, {{false, 32}, 151, 12, 1664},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE((c.shape.compact ? "compact " : "full ") + std::to_string(c.shape.layers));
    EXPECT_EQ(c.size, aztec::detail::SymbolSize(c.shape));
    EXPECT_EQ(c.wordSize, aztec::detail::WordSize(c.shape));
    EXPECT_EQ(c.totalWords, aztec::detail::TotalWords(c.shape));
  }
}

TEST(AztecSymbol, DataWordsLeaveTheAskedErrorCorrection) {
  // 23 % of the words rounded up, plus 3; compact symbols count at most 64 data words.
  EXPECT_EQ(10, aztec::detail::MaxDataWords({true, 1}, 23));
  EXPECT_EQ(55, aztec::detail::MaxDataWords({true, 4}, 23));
  EXPECT_EQ(64, aztec::detail::MaxDataWords({true, 4}, 0));
  EXPECT_EQ(1278, aztec::detail::MaxDataWords({false, 32}, 23));
  EXPECT_EQ(1661, aztec::detail::MaxDataWords({false, 32}, 0));
}

TEST(AztecSymbol, StuffingBreaksRunsOfEqualBitsAndPadsTheLastWord) {
  struct Case {
    const char* bits;
    int wordSize;
    aztec::detail::Mode endMode;
    std::vector<int> words;
  };
  const Case cases[] = {
      {"010101", 6, kPunct, {0b010101}},
      // Five equal bits take the opposite bit; the sixth bit starts the next word.
      {"000000", 6, kPunct, {0b000001, 0b011111}},
      {"111111", 6, kPunct, {0b111110, 0b111110}},
      {"00000 00000", 6, kPunct, {0b000001, 0b000001}},
      {"101", 6, kPunct, {0b101111}},
      // A fill of ones that would make the whole word ones ends in 0.
      {"11", 6, kPunct, {0b111110}},
      // After Punct or Digit eleven ones; after Upper, Lower or Mixed the fill starts with the
      // latch 11110 (D/L, or P/L in Mixed).
      {"0", 12, kPunct, {0b011111111111}},
      {"0", 12, kDigit, {0b011111111111}},
      {"0", 12, kUpper, {0b011110111111}},
      {"0", 12, kLower, {0b011110111111}},
      {"0", 12, kMixed, {0b011110111111}},
      {"1010", 8, kUpper, {0b10101111}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits);
    EXPECT_EQ(c.words, aztec::detail::StuffWords(Bits(c.bits), c.wordSize, c.endMode));
  }
}

TEST(AztecSymbol, ModeMessageMatchesTheOneDrawnAroundTheCore) {
  // Layers - 1 = 0 and data words - 1 = 9, then five check nibbles, read clockwise off kCode2DCompact1.
  EXPECT_EQ("0000100111000010001100011001", BitString(aztec::detail::ModeMessage({true, 1}, 10)));
  // Full range: 5 bits of layers - 1, 11 of data words - 1, six check nibbles (off kCode2DFull1,
  // clockwise, skipping the reference grid's centre lines).
  EXPECT_EQ("0000000000001001101011011000011001010110", BitString(aztec::detail::ModeMessage({false, 1}, 10)));
  EXPECT_EQ("11111" "10011111101", BitString(aztec::detail::ModeMessage({false, 32}, 1278)).substr(0, 16));
}

TEST(AztecSymbol, CompactSymbolIsDrawnModuleForModule) {
  EXPECT_EQ(kCode2DCompact1, aztec_test::Rows(DrawText({true, 1}, "Code 2D!")));
}

TEST(AztecSymbol, FullRangeSymbolIsDrawnModuleForModule) {
  EXPECT_EQ(kCode2DFull1, aztec_test::Rows(DrawText({false, 1}, "Code 2D!")));
}

TEST(AztecSymbol, FullRangeSymbolWithReferenceGridLinesAwayFromTheCentre) {
  // Five layers, 37 modules: grid lines 16 modules above, below and beside the centre.
  EXPECT_EQ(aztec_test::FixtureRows(L"code2d_full5.txt"), aztec_test::Rows(DrawText({false, 5}, "Code 2D!")));
}

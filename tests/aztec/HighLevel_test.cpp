// The bit stream of the character modes: the expected codes are read off the mode tables
// (Upper, Lower, Mixed, Punct 5 bits; Digit 4 bits; binary shift 5 + 5 or 5 + 5 + 11 bits).
#include <gtest/gtest.h>

#include <string>

#include "HighLevel.h"

using namespace aztec::detail;

namespace {

std::string Encode(const std::string& text) {
  const BitStream bits = EncodeHighLevel(reinterpret_cast<const unsigned char*>(text.data()), text.size());
  std::string out;
  for (int i = 0; i < bits.Size(); ++i) out += bits.Bit(i) ? '1' : '0';
  return out;
}

std::string Strip(std::string codes) {
  std::string out;
  for (char c : codes)
    if (c != ' ') out += c;
  return out;
}

std::string Repeat(const std::string& part, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += part;
  return out;
}

}  // namespace

TEST(AztecHighLevel, CharactersSitInTheirModes) {
  EXPECT_EQ(2, CharCode(kUpper, 'A'));
  EXPECT_EQ(27, CharCode(kLower, 'z'));
  EXPECT_EQ(-1, CharCode(kUpper, 'a'));
  EXPECT_EQ(1, CharCode(kDigit, ' '));
  EXPECT_EQ(13, CharCode(kDigit, '.'));
  EXPECT_EQ(14, CharCode(kMixed, '\r'));
  EXPECT_EQ(19, CharCode(kMixed, 0x1F));
  EXPECT_EQ(27, CharCode(kMixed, 0x7F));
  EXPECT_EQ(1, CharCode(kPunct, '\r'));
  EXPECT_EQ(30, CharCode(kPunct, '}'));
  EXPECT_EQ(-1, CharCode(kPunct, ' '));
  for (Mode mode : {kUpper, kLower, kMixed, kPunct, kDigit}) {
    EXPECT_EQ(-1, CharCode(mode, 0x00));
    EXPECT_EQ(-1, CharCode(mode, 0xC0));
  }
}

TEST(AztecHighLevel, ChoosesTheShortestMixOfLatchesShiftsAndBinary) {
  struct Case {
    std::string text, codes;
  };
  const Case cases[] = {
      {"A", "00010"},
      {"a", "11100 00010"},                       // L/L a
      {"12", "11110 0011 0100"},                  // D/L 1 2
      {"\r\n", "00000 00010"},                    // P/S CR-LF
      {". ", "00000 00011"},                      // P/S ". "
      {"@", "11101 10100"},                       // M/L @
      {std::string(1, '\0'), "11111 00001 00000000"},  // B/S length 1, the byte
      // U/S from Lower is cheaper than latching back for one capital.
      {"AbC", "00010 11100 00011 11100 00100"},
      // D/L, then U/L and L/L back to Lower: cheaper than two bytes of binary.
      {"a12a", "11100 00010 11110 0011 0100 1110 11100 00010"},
      // U/S from Digit for one capital, then on in Digit.
      {"1A2", "11110 0011 1111 00010 0100"},
      // C L/L o d e D/L SP 2 U/S D P/S !
      {"Code 2D!", "00100 11100 10000 00101 00110 11110 0001 0100 1111 00101 0000 00110"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Strip(c.codes), Encode(c.text));
  }
}

TEST(AztecHighLevel, BinaryRunsTakeTheCheaperOfShortAndLongLengths) {
  const std::string byte = "10000000";
  EXPECT_EQ("11111" "11111" + Repeat(byte, 31), Encode(std::string(31, '\x80')));
  // Two short runs (10 + 10 bits of header) still beat one long one (21) up to 62 bytes.
  EXPECT_EQ(Repeat("11111" "11111" + Repeat(byte, 31), 2), Encode(std::string(62, '\x80')));
  // From 63 bytes one run: five zero bits, then the length less 31 in 11 bits.
  EXPECT_EQ("11111" "00000" "00000100000" + Repeat(byte, 63), Encode(std::string(63, '\x80')));
  EXPECT_EQ("11111" "00000" "11111111111" + Repeat(byte, 2078), Encode(std::string(2078, '\x80')));
  // Past 2078 bytes a second run starts: one short and one long header.
  EXPECT_EQ(10u + 21u + 8u * 2079u, Encode(std::string(2079, '\x80')).size());
}

TEST(AztecHighLevel, BinaryShiftReturnsToTheModeItLeft) {
  // L/L a B/S 1 byte, then b still in Lower.
  EXPECT_EQ(Strip("11100 00010 11111 00001 11000000 00011"), Encode("a\xC0" "b"));
}

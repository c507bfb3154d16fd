// Geometry of Aztec symbols and the drawing of one symbol from its codewords.
#pragma once

#include <vector>

#include "Aztec.h"
#include "BitStream.h"
#include "HighLevel.h"

namespace aztec::detail {

struct Shape {
  bool compact;
  int layers;  // 1..4 compact, 1..32 full range
};

constexpr int kMaxCompactLayers = 4;
constexpr int kMaxFullLayers = 32;

// Modules per side, reference grid included.
int SymbolSize(Shape shape);
// Codeword size in bits: 6, 8, 10 or 12 by layer count.
int WordSize(Shape shape);
// Codewords that fit the data layers (a few bits may be left over; they precede the first word).
int TotalWords(Shape shape);
// The most data codewords the shape takes with at least `minEccPercent` % of its words plus 3 as
// check words, also within what its mode message can count (64 compact, 2048 full range).
int MaxDataWords(Shape shape, int minEccPercent);

// Cuts the bit stream into codewords of `wordSize` bits: a word whose first wordSize - 1 bits are
// equal gets the opposite bit appended and the stream resumes after them. The last word is filled
// with ones (its final bit 0 when that made it all ones), except that after a stream ending in
// Upper, Lower or Mixed (`endMode`) the fill starts with 11110, a latch to Digit or Punct: there
// ten or more ones read as a binary shift of 31 bytes, and some readers then take bytes from beyond
// the data.
std::vector<int> StuffWords(const BitStream& bits, int wordSize, Mode endMode);

// The 28 (compact) or 40 (full range) bits of the mode message: layers - 1 and data words - 1,
// then Reed-Solomon check nibbles over GF(16).
BitStream ModeMessage(Shape shape, int dataWords);

// Draws the symbol holding `dataWords` with every remaining codeword as check words.
// The caller keeps dataWords.size() between 1 and MaxDataWords(shape, 0).
void DrawSymbol(Shape shape, const std::vector<int>& dataWords, matrix<unsigned char>& out);

}  // namespace aztec::detail

#include "Symbol.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

#include "ReedSolomon.h"

namespace aztec::detail {
namespace {

// Side of the symbol without reference grid lines: the core (11 compact, 14 full range once its
// centre line is taken out) and two rings per layer.
int BaseSize(Shape shape) { return (shape.compact ? 11 : 14) + 4 * shape.layers; }

int TotalBits(Shape shape) { return ((shape.compact ? 88 : 112) + 16 * shape.layers) * shape.layers; }

// Chebyshev radius of the bull's-eye: its rings alternate dark and light out from a dark centre.
int BullseyeRadius(Shape shape) { return shape.compact ? 4 : 6; }

// Physical row or column of each logical one of the grid-free layout. Full-range symbols have a
// reference line through the centre and every 16th module from it; logical positions skip them.
std::vector<int> LogicalToPhysical(Shape shape) {
  const int base = BaseSize(shape);
  std::vector<int> map(static_cast<std::size_t>(base));
  if (shape.compact) {
    for (int i = 0; i < base; ++i) map[i] = i;
    return map;
  }
  const int half = base / 2;
  const int centre = SymbolSize(shape) / 2;
  for (int k = 0; k < half; ++k) {
    const int offset = k + 1 + k / 15;
    map[half + k] = centre + offset;
    map[half - 1 - k] = centre - offset;
  }
  return map;
}

// Lines through the centre and every 16th module from it, dark at an even distance from the centre.
void DrawReferenceGrid(int size, matrix<unsigned char>& out) {
  const int centre = size / 2;
  for (int line = centre % 16; line < size; line += 16)
    for (int p = 0; p < size; ++p) {
      const unsigned char dark = ((p - centre) % 2 == 0) ? 1 : 0;
      out(p, line) = dark;
      out(line, p) = dark;
    }
}

void DrawCore(Shape shape, const BitStream& modeMessage, matrix<unsigned char>& out) {
  const int centre = SymbolSize(shape) / 2;
  const int bullseye = BullseyeRadius(shape);
  const int ring = bullseye + 1;
  for (int y = -ring; y <= ring; ++y)
    for (int x = -ring; x <= ring; ++x) {
      const int distance = std::max(std::abs(x), std::abs(y));
      out(centre + x, centre + y) = (distance <= bullseye && distance % 2 == 0) ? 1 : 0;
    }

  // Orientation marks on the mode-message ring: three dark modules at the top-left corner, two at
  // the top-right, one at the bottom-right and none at the bottom-left.
  const int lo = centre - ring, hi = centre + ring;
  out(lo, lo) = out(lo + 1, lo) = out(lo, lo + 1) = 1;
  out(hi, lo) = out(hi, lo + 1) = 1;
  out(hi, hi - 1) = 1;

  // The mode message runs clockwise from the top-left: 7 bits per side in compact symbols, 10 in
  // full-range ones around the centre line of the reference grid.
  const int perSide = shape.compact ? 7 : 10;
  const int first = shape.compact ? -3 : -5;
  for (int side = 0; side < 4; ++side)
    for (int k = 0; k < perSide; ++k) {
      int along = first + k;
      if (!shape.compact && along >= 0) ++along;
      int x = 0, y = 0;
      switch (side) {
        case 0: x = centre + along; y = lo; break;
        case 1: x = hi; y = centre + along; break;
        case 2: x = centre - along; y = hi; break;
        default: x = lo; y = centre - along; break;
      }
      out(x, y) = modeMessage.Bit(side * perSide + k) ? 1 : 0;
    }
}

// Places the codeword bits in the layers: from the outermost layer inwards, each layer a ring two
// modules wide read counter-clockwise from its top-left corner, one pair of modules (outer, inner)
// at a time.
void DrawLayers(Shape shape, const BitStream& bits, matrix<unsigned char>& out) {
  const std::vector<int> map = LogicalToPhysical(shape);
  const int base = BaseSize(shape);
  int index = 0;
  for (int layer = 0; layer < shape.layers; ++layer) {
    const int lo = 2 * layer, hi = base - 1 - 2 * layer;
    const int pairsPerSide = (shape.layers - layer) * 4 + (shape.compact ? 9 : 12);
    for (int side = 0; side < 4; ++side)
      for (int j = 0; j < pairsPerSide; ++j)
        for (int k = 0; k < 2; ++k) {
          int x = 0, y = 0;
          switch (side) {
            case 0: x = lo + k; y = lo + j; break;  // left side, downwards
            case 1: x = lo + j; y = hi - k; break;  // bottom, rightwards
            case 2: x = hi - k; y = hi - j; break;  // right side, upwards
            default: x = hi - j; y = lo + k; break;  // top, leftwards
          }
          out(map[x], map[y]) = bits.Bit(index++) ? 1 : 0;
        }
  }
  assert(index == bits.Size());
}

}  // namespace

int SymbolSize(Shape shape) {
  const int base = BaseSize(shape);
  return shape.compact ? base : base + 1 + 2 * ((base / 2 - 1) / 15);
}

int WordSize(Shape shape) {
  if (shape.layers <= 2) return 6;
  if (shape.layers <= 8) return 8;
  if (shape.layers <= 22) return 10;
  return 12;
}

int TotalWords(Shape shape) { return TotalBits(shape) / WordSize(shape); }

int MaxDataWords(Shape shape, int minEccPercent) {
  const int total = TotalWords(shape);
  const int check = (total * minEccPercent + 99) / 100 + 3;
  const int counted = shape.compact ? 64 : 2048;
  const int data = total - check;
  return data < counted ? data : counted;
}

std::vector<int> StuffWords(const BitStream& bits, int wordSize, Mode endMode) {
  const bool latchFirst = endMode == kUpper || endMode == kLower || endMode == kMixed;
  std::vector<int> words;
  words.reserve(static_cast<std::size_t>(bits.Size() / (wordSize - 1) + 1));
  const unsigned ones = (1u << (wordSize - 1)) - 1;  // first wordSize - 1 bits all set
  const int size = bits.Size();
  int i = 0;
  auto next = [&]() -> unsigned {
    const int at = i++;
    if (at < size) return bits.Bit(at) ? 1u : 0u;
    return (latchFirst && at - size == 4) ? 0u : 1u;
  };
  while (i < size) {
    unsigned word = 0;
    for (int k = 0; k < wordSize - 1; ++k) word = (word << 1) | next();
    if (word == 0) word = 1;
    else if (word == ones) word <<= 1;
    else word = (word << 1) | next();
    words.push_back(static_cast<int>(word));
  }
  return words;
}

BitStream ModeMessage(Shape shape, int dataWords) {
  BitStream header;
  if (shape.compact) {
    header.Append(static_cast<unsigned>(shape.layers - 1), 2);
    header.Append(static_cast<unsigned>(dataWords - 1), 6);
  } else {
    header.Append(static_cast<unsigned>(shape.layers - 1), 5);
    header.Append(static_cast<unsigned>(dataWords - 1), 11);
  }
  std::vector<int> nibbles;
  for (int i = 0; i < header.Size(); i += 4) nibbles.push_back(static_cast<int>(header.Read(i, 4)));
  const std::vector<int> check = CheckWords(*FieldForWordSize(4), nibbles, shape.compact ? 5 : 6);
  BitStream message;
  for (int nibble : nibbles) message.Append(static_cast<unsigned>(nibble), 4);
  for (int nibble : check) message.Append(static_cast<unsigned>(nibble), 4);
  return message;
}

void DrawSymbol(Shape shape, const std::vector<int>& dataWords, matrix<unsigned char>& out) {
  const int wordSize = WordSize(shape);
  const int total = TotalWords(shape);
  const std::vector<int> check =
      CheckWords(*FieldForWordSize(wordSize), dataWords, total - static_cast<int>(dataWords.size()));

  BitStream bits;
  bits.Reserve(static_cast<std::size_t>(TotalBits(shape)));
  bits.Append(0, TotalBits(shape) - total * wordSize);
  for (int word : dataWords) bits.Append(static_cast<unsigned>(word), wordSize);
  for (int word : check) bits.Append(static_cast<unsigned>(word), wordSize);

  const int size = SymbolSize(shape);
  matrix<unsigned char> symbol(size, size);
  if (!shape.compact) DrawReferenceGrid(size, symbol);
  DrawCore(shape, ModeMessage(shape, static_cast<int>(dataWords.size())), symbol);
  DrawLayers(shape, bits, symbol);
  out.swap(symbol);
}

}  // namespace aztec::detail

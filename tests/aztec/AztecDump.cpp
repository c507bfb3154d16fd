// Reads one input a line, "<shape> <hex bytes>", and writes each symbol for the host-side reader:
// a line "<status> <size>", then, unless the shape is "size", the rows as 'X' and '.'.
// Shapes: "auto" (generate_aztec at 23 %), "size" (the same, size only), "C1".."C4" and
// "F1".."F32" (that symbol, whatever generate_aztec would choose).
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Aztec.h"
#include "HighLevel.h"
#include "Symbol.h"

namespace {

std::vector<unsigned char> FromHex(const std::string& hex) {
  std::vector<unsigned char> bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(static_cast<unsigned char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

int DrawShape(const std::string& name, const std::vector<unsigned char>& data, aztec::matrix<unsigned char>& symbol) {
  using namespace aztec::detail;
  const Shape shape{name[0] == 'C', std::atoi(name.c_str() + 1)};
  if (shape.layers < 1 || shape.layers > (shape.compact ? kMaxCompactLayers : kMaxFullLayers) || data.empty())
    return aztec::kInvalidArgument;
  Mode end = kUpper;
  const BitStream bits = EncodeHighLevel(data.data(), data.size(), &end);
  const std::vector<int> words = StuffWords(bits, WordSize(shape), end == kUpper || end == kLower || end == kMixed);
  if (static_cast<int>(words.size()) > MaxDataWords(shape, 0)) return aztec::kDataTooLarge;
  DrawSymbol(shape, words, symbol);
  return aztec::kOk;
}

}  // namespace

int main() {
  _setmode(_fileno(stdout), _O_BINARY);
  std::string line;
  for (int c; (c = std::getchar()) != EOF;) {
    if (c != '\n') {
      if (c != '\r') line += static_cast<char>(c);
      continue;
    }
    const std::size_t space = line.find(' ');
    const std::string shape = line.substr(0, space);
    const std::vector<unsigned char> data = FromHex(space == std::string::npos ? "" : line.substr(space + 1));
    line.clear();
    aztec::matrix<unsigned char> symbol;
    int status;
    if (shape == "auto" || shape == "size") {
      const unsigned char* first = data.data();
      status = aztec::generate_aztec(symbol, first, first + data.size(), 23, aztec::kFormatPlainData, false);
    } else {
      status = DrawShape(shape, data, symbol);
    }
    std::printf("%d %d\n", status, symbol.columns());
    if (shape == "size") continue;
    std::string row;
    for (int r = 0; r < symbol.rows(); ++r) {
      row.clear();
      for (int col = 0; col < symbol.columns(); ++col) row += symbol(col, r) ? 'X' : '.';
      std::printf("%s\n", row.c_str());
    }
  }
  return 0;
}

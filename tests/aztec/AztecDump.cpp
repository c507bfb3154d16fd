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

int HexDigit(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }

std::vector<unsigned char> FromHex(const std::string& hex) {
  std::vector<unsigned char> bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<unsigned char>(HexDigit(hex[i]) * 16 + HexDigit(hex[i + 1])));
  return bytes;
}

int DrawShape(const std::string& name, const std::vector<unsigned char>& data, aztec::matrix<unsigned char>& symbol) {
  using namespace aztec::detail;
  const Shape shape{name[0] == 'C', std::atoi(name.c_str() + 1)};
  if (shape.layers < 1 || shape.layers > (shape.compact ? kMaxCompactLayers : kMaxFullLayers) || data.empty())
    return aztec::kInvalidArgument;
  Mode end = kUpper;
  const BitStream bits = EncodeHighLevel(data.data(), data.size(), &end);
  const std::vector<int> words = StuffWords(bits, WordSize(shape), end);
  if (static_cast<int>(words.size()) > MaxDataWords(shape, 0)) return aztec::kDataTooLarge;
  DrawSymbol(shape, words, symbol);
  return aztec::kOk;
}

}  // namespace

int main() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  // Whole input first: character-wise reads are slow under Wine.
  std::string input;
  char block[1 << 16];
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, stdin)) > 0;) input.append(block, got);

  std::string out;
  std::size_t at = 0;
  while (at < input.size()) {
    std::size_t end = input.find('\n', at);
    if (end == std::string::npos) end = input.size();
    std::string line = input.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t space = line.find(' ');
    const std::string shape = line.substr(0, space);
    const std::vector<unsigned char> data = FromHex(space == std::string::npos ? "" : line.substr(space + 1));
    aztec::matrix<unsigned char> symbol;
    int status;
    if (shape == "auto" || shape == "size") {
      const unsigned char* first = data.data();
      status = aztec::generate_aztec(symbol, first, first + data.size(), 23, aztec::kFormatPlainData, false);
    } else {
      status = DrawShape(shape, data, symbol);
    }
    out += std::to_string(status) + " " + std::to_string(symbol.columns()) + "\n";
    if (shape == "size") continue;
    for (int r = 0; r < symbol.rows(); ++r) {
      for (int col = 0; col < symbol.columns(); ++col) out += symbol(col, r) ? 'X' : '.';
      out += '\n';
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

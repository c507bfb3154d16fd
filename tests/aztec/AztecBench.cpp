// Encode time of generate_aztec for payloads of a few sizes: "<bytes> <symbol size> <microseconds per symbol>".
// bench_vs_zint.py runs it beside zint making the same symbols.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Aztec.h"

namespace {

// Printable text with digits and punctuation, the kind of data the barcode object encodes.
std::string Payload(int size) {
  static const char kText[] = "Invoice 2024-117: 3 x Paper A4, 1 250,00; Ivanova M.P., Nevsky 28. ";
  std::string data;
  while (static_cast<int>(data.size()) < size) data += kText;
  data.resize(static_cast<std::size_t>(size));
  return data;
}

double Seconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    const std::string data = Payload(size);
    aztec::matrix<unsigned char> symbol;
    int runs = 0;
    const double start = Seconds();
    double elapsed = 0;
    do {
      if (aztec::generate_aztec(symbol, data.data(), data.data() + data.size(), 23, aztec::kFormatPlainData, false) != aztec::kOk) {
        std::fprintf(stderr, "encoding %d bytes failed\n", size);
        return 1;
      }
      ++runs;
      elapsed = Seconds() - start;
    } while (elapsed < 1.0 || runs < 10);
    std::printf("%d %d %.1f\n", size, symbol.columns(), elapsed * 1e6 / runs);
  }
  return 0;
}

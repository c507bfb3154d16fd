// Encode time of generate_aztec. Reads one payload a line from standard input and prints
// "<bytes> <symbol side> <microseconds per symbol> <runs>" for each; bench_vs_zint.py feeds it
// and times zint making the same symbols.
#include <windows.h>

#include <cstdio>
#include <string>

#include "Aztec.h"

namespace {

double Seconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main() {
  std::string data;
  for (int c; (c = std::getchar()) != EOF;) {
    if (c == '\r') continue;
    if (c != '\n') {
      data += static_cast<char>(c);
      continue;
    }
    aztec::matrix<unsigned char> symbol;
    int runs = 0;
    const double start = Seconds();
    double elapsed = 0;
    do {
      if (aztec::generate_aztec(symbol, data.data(), data.data() + data.size(), 23, aztec::kFormatPlainData, false) != aztec::kOk) {
        std::fprintf(stderr, "encoding %u bytes failed\n", static_cast<unsigned>(data.size()));
        return 1;
      }
      ++runs;
      elapsed = Seconds() - start;
    } while (elapsed < 1.0 || runs < 10);
    std::printf("%u %d %.1f %d\n", static_cast<unsigned>(data.size()), symbol.columns(), elapsed * 1e6 / runs, runs);
    std::fflush(stdout);
    data.clear();
  }
  return 0;
}

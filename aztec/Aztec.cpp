#include "Aztec.h"

#include <cstdio>
#include <new>

#include "HighLevel.h"
#include "Symbol.h"

namespace aztec {
namespace {

LogSink g_logSink = nullptr;

int Fail(int status, const char* detail) {
  if (g_logSink != nullptr) {
    char message[200];
    std::snprintf(message, sizeof message, "generate_aztec: %s (%s)", StatusText(status), detail);
    g_logSink(message);
  }
  return status;
}

// Bounds the search's work: the largest symbol has 19968 bits, under 5000 digits at 4 bits each.
constexpr std::size_t kMaxInputBytes = 5000;

int Encode(matrix<unsigned char>& symbol, const unsigned char* first, std::size_t size, int minEccPercent) {
  using namespace detail;
  if (size > kMaxInputBytes) return Fail(kDataTooLarge, "more bytes than any symbol holds");
  Mode endMode = kUpper;
  const BitStream bits = EncodeHighLevel(first, size, &endMode);

  // Smallest first: compact symbols hold more than full-range ones of the same side, so trying
  // all compact sizes before the full-range ones keeps the order by size.
  std::vector<int> words;
  int stuffedFor = 0;
  for (int i = 0; i < kMaxCompactLayers + kMaxFullLayers; ++i) {
    const Shape shape = i < kMaxCompactLayers ? Shape{true, i + 1} : Shape{false, i - kMaxCompactLayers + 1};
    const int wordSize = WordSize(shape);
    if (wordSize != stuffedFor) {
      words = StuffWords(bits, wordSize, endMode);
      stuffedFor = wordSize;
    }
    if (static_cast<int>(words.size()) <= MaxDataWords(shape, minEccPercent)) {
      DrawSymbol(shape, words, symbol);
      return kOk;
    }
  }
  return Fail(kDataTooLarge, "the largest symbol is too small");
}

}  // namespace

const char* StatusText(int status) {
  switch (status) {
    case kOk: return "success";
    case kInvalidArgument: return "invalid argument";
    case kDataTooLarge: return "data too large for an Aztec symbol";
    case kOutOfMemory: return "out of memory";
    default: return "unknown status";
  }
}

void SetLogSink(LogSink sink) { g_logSink = sink; }

int generate_aztec(matrix<unsigned char>& symbol, const unsigned char* first, const unsigned char* last,
                   int minEccPercent, int format, bool readerInit) {
  if (first == nullptr || last == nullptr || last <= first) return Fail(kInvalidArgument, "no data");
  if (format != kFormatPlainData) return Fail(kInvalidArgument, "unsupported format");
  if (readerInit) return Fail(kInvalidArgument, "reader initialisation is not supported");
  if (minEccPercent < 0 || minEccPercent > 90) return Fail(kInvalidArgument, "error correction outside 0..90 %");
  try {
    // Built aside and swapped in, so a failure leaves the caller's matrix untouched.
    matrix<unsigned char> built;
    const int status = Encode(built, first, static_cast<std::size_t>(last - first), minEccPercent);
    if (status == kOk) symbol.swap(built);
    return status;
  } catch (const std::bad_alloc&) {
    return Fail(kOutOfMemory, "while encoding");
  }
}

}  // namespace aztec

#include "Mutator.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

namespace fuzz {

uint64_t Random::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

const char* MutationName(int kind) {
  static const char* const kNames[kMutationKinds] = {"bit",  "byte",      "int32",  "nudge", "double",
                                                     "truncate", "duplicate", "remove", "splice"};
  return kind >= 0 && kind < kMutationKinds ? kNames[kind] : "?";
}

namespace {

// Values that readers take for counts, sizes, versions and indices: the edges of int32, counts that
// cost nothing or everything, and the sizes of the structures the formats carry.
const int32_t kInt32Values[] = {0,       1,          -1,         2,          3,          4,         7,
                                8,       12,         13,         16,         28,         40,        48,
                                96,      255,        256,        1000,       4096,       5304,      0x7FFF,
                                0x8000,  0xFFFF,     0x10000,    10000,      100000,     1 << 20,   (1 << 20) + 1,
                                1 << 24, 0x3FFFFFFF, 0x7FFFFFF0, 0x7FFFFFFF, INT32_MIN,  -2,        -16,
                                -4096,   0x40000000, 0x01000005, 29,         -0x7FFFFFFF};

const double kDoubleValues[] = {std::numeric_limits<double>::quiet_NaN(),
                                std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::max(),
                                -std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::denorm_min(),
                                -std::numeric_limits<double>::denorm_min(),
                                1e100,
                                -1.99e304,
                                1e260,
                                1e16,
                                -0.0,
                                0.0,
                                1e-300};

std::string Describe(const char* name, size_t at, const std::string& what = std::string()) {
  char text[96];
  std::snprintf(text, sizeof(text), "%s@%zu%s%s", name, at, what.empty() ? "" : "=", what.c_str());
  return text;
}

// Where a field of `width` bytes may start: aligned to 4 most of the time, as the formats lay out
// their integers, anywhere now and then.
size_t FieldOffset(Random& random, size_t size, size_t width) {
  const size_t last = size - width;
  size_t at = static_cast<size_t>(random.Below(last + 1));
  if (!random.OneIn(4)) at &= ~size_t(3);
  return std::min(at, last);
}

void Apply(int kind, std::string& bytes, const std::vector<std::string>& fixtures, Random& random,
           std::string& description) {
  if (!description.empty()) description += "; ";
  const size_t size = bytes.size();
  switch (kind) {
    case kBitFlip: {
      if (size == 0) break;
      const size_t at = static_cast<size_t>(random.Below(size));
      const int bit = static_cast<int>(random.Below(8));
      bytes[at] = static_cast<char>(bytes[at] ^ (1 << bit));
      description += Describe("bit", at, std::to_string(bit));
      return;
    }
    case kByteSet: {
      if (size == 0) break;
      static const unsigned char kBytes[] = {0x00, 0xFF, 0x7F, 0x80, 0x01, 0x20, 0x0D, 0x0A};
      const size_t at = static_cast<size_t>(random.Below(size));
      const unsigned char value = random.OneIn(2) ? kBytes[random.Below(sizeof(kBytes))]
                                                  : static_cast<unsigned char>(random.Below(256));
      bytes[at] = static_cast<char>(value);
      description += Describe("byte", at, std::to_string(value));
      return;
    }
    case kInt32Set: {
      if (size < 4) break;
      const size_t at = FieldOffset(random, size, 4);
      const int32_t value = random.OneIn(8) ? static_cast<int32_t>(random.Next())
                                            : kInt32Values[random.Below(sizeof(kInt32Values) / sizeof(kInt32Values[0]))];
      std::memcpy(&bytes[at], &value, 4);
      description += Describe("int32", at, std::to_string(value));
      return;
    }
    case kInt32Nudge: {
      if (size < 4) break;
      const size_t at = FieldOffset(random, size, 4);
      int32_t value = 0;
      std::memcpy(&value, &bytes[at], 4);
      const int32_t delta = static_cast<int32_t>(random.Below(33)) - 16;
      value = static_cast<int32_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(delta == 0 ? 1 : delta));
      std::memcpy(&bytes[at], &value, 4);
      description += Describe("nudge", at, std::to_string(delta == 0 ? 1 : delta));
      return;
    }
    case kDoubleSet: {
      if (size < 8) break;
      const size_t at = FieldOffset(random, size, 8);
      const size_t which = static_cast<size_t>(random.Below(sizeof(kDoubleValues) / sizeof(kDoubleValues[0])));
      std::memcpy(&bytes[at], &kDoubleValues[which], 8);
      char value[32];
      std::snprintf(value, sizeof(value), "%g", kDoubleValues[which]);
      description += Describe("double", at, value);
      return;
    }
    case kTruncate: {
      const size_t length = static_cast<size_t>(random.Below(size + 1));
      bytes.resize(length);
      description += Describe("truncate", length);
      return;
    }
    case kDuplicateRange: {
      if (size == 0) break;
      const size_t from = static_cast<size_t>(random.Below(size));
      const size_t length = 1 + static_cast<size_t>(random.Below(std::min<size_t>(size - from, 512)));
      const size_t to = static_cast<size_t>(random.Below(size + 1));
      bytes.insert(to, bytes.substr(from, length));
      description += Describe("duplicate", from, std::to_string(length) + ">" + std::to_string(to));
      return;
    }
    case kRemoveRange: {
      if (size == 0) break;
      const size_t from = static_cast<size_t>(random.Below(size));
      const size_t length = 1 + static_cast<size_t>(random.Below(std::min<size_t>(size - from, 512)));
      bytes.erase(from, length);
      description += Describe("remove", from, std::to_string(length));
      return;
    }
    case kSplice: {
      const size_t other = static_cast<size_t>(random.Below(fixtures.size()));
      const std::string& source = fixtures[other];
      if (source.empty()) break;
      const size_t from = static_cast<size_t>(random.Below(source.size()));
      const size_t length = 1 + static_cast<size_t>(random.Below(std::min<size_t>(source.size() - from, 1024)));
      const size_t to = static_cast<size_t>(random.Below(size + 1));
      // Either the piece replaces what lies there or it is put in between.
      const bool overwrite = random.OneIn(2);
      if (overwrite)
        bytes.replace(to, std::min(length, size - to), source, from, length);
      else
        bytes.insert(to, source, from, length);
      description += Describe(overwrite ? "splice-over" : "splice-in", to,
                              std::to_string(other) + ":" + std::to_string(from) + "+" + std::to_string(length));
      return;
    }
    default:
      break;
  }
  description += "none";
}

}  // namespace

Mutant MakeMutant(const std::vector<std::string>& fixtures, uint64_t seed, uint64_t index) {
  Mutant mutant;
  if (fixtures.empty()) return mutant;
  // The mutant's own stream: seed and index mixed, so neighbouring mutants share nothing.
  Random random(seed * 0xD1B54A32D192ED03ull ^ (index + 1) * 0x9E3779B97F4A7C15ull);
  random.Next();
  mutant.fixture = static_cast<size_t>(random.Below(fixtures.size()));
  mutant.bytes = fixtures[mutant.fixture];
  // Mostly one or two changes: a reader must be beaten by small faults, not only by noise.
  static const int kChangeCounts[] = {1, 1, 1, 2, 2, 3, 4};
  const int changes = kChangeCounts[random.Below(sizeof(kChangeCounts) / sizeof(kChangeCounts[0]))];
  for (int c = 0; c < changes; ++c) {
    // Truncation and removal shorten the input for the changes that follow: they come less often.
    static const int kWeights[kMutationKinds] = {3, 3, 6, 3, 2, 1, 1, 1, 1};
    int pick = static_cast<int>(random.Below(21));
    int kind = 0;
    while (pick >= kWeights[kind]) pick -= kWeights[kind++];
    Apply(kind, mutant.bytes, fixtures, random, mutant.description);
  }
  return mutant;
}

}  // namespace fuzz

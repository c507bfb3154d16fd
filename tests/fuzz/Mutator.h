// Seeded mutations of valid inputs for the readers' mutation driver. Plain C++: no Windows header.
// Mutant n of seed s is a function of (s, n) and the fixtures alone, so any single finding can be
// made again without running the mutants before it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

// splitmix64: small, fast and good enough to pick offsets and values; the same on every platform.
class Random {
 public:
  explicit Random(uint64_t state) : state_(state) {}
  uint64_t Next();
  // A number in [0, bound); 0 for a bound of 0.
  uint64_t Below(uint64_t bound) { return bound == 0 ? 0 : Next() % bound; }
  bool OneIn(uint64_t n) { return Below(n) == 0; }

 private:
  uint64_t state_;
};

struct Mutant {
  size_t fixture = 0;        // index of the fixture it was made from
  std::string bytes;
  std::string description;   // the operations, for the report ("int32 @120=-1; truncate 900")
};

// Kinds of change; each mutant applies one to four of them.
enum MutationKind {
  kBitFlip,
  kByteSet,
  kInt32Set,      // 0, -1, the extremes, large and small counts, sizes of nearby structures
  kInt32Nudge,    // a stored count or size off by a little
  kDoubleSet,     // NaN, infinities, huge, tiny and negative numbers where a double may lie
  kTruncate,
  kDuplicateRange,
  kRemoveRange,
  kSplice,        // a piece of another fixture of the same reader
  kMutationKinds
};
const char* MutationName(int kind);

// Makes mutant `index` of `seed` from `fixtures` (at least one, none empty).
Mutant MakeMutant(const std::vector<std::string>& fixtures, uint64_t seed, uint64_t index);

}  // namespace fuzz

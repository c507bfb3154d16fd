#include "HighLevel.h"

#include <array>
#include <climits>
#include <cstdint>
#include <vector>

namespace aztec::detail {
namespace {

// Shift codes (the latches are in kLatches below).
constexpr int kPunctShift = 0;         // P/S in Upper, Lower, Mixed and Digit
constexpr int kBinaryShift = 31;       // B/S in Upper, Lower and Mixed
constexpr int kUpperShiftInLower = 28;  // U/S
constexpr int kUpperShiftInDigit = 15;  // U/S

// Binary-shift runs: a 5-bit length for 1..31 bytes, else 5 zero bits and 11 bits of length - 31.
constexpr int kShortRunMax = 31;
constexpr int kLongRunMax = 2047 + 31;
constexpr int kShortRunHeader = 5 + 5;
constexpr int kLongRunHeader = 5 + 5 + 11;

// The two-character codes of Punct mode: CR LF, ". ", ", ", ": ".
int PairCode(unsigned char first, unsigned char second) {
  if (first == '\r' && second == '\n') return 2;
  if (second != ' ') return -1;
  switch (first) {
    case '.': return 3;
    case ',': return 4;
    case ':': return 5;
    default: return -1;
  }
}

struct CharTables {
  std::array<std::array<std::int16_t, 256>, kModeCount> code;

  CharTables() {
    for (auto& row : code) row.fill(-1);
    for (int mode : {kUpper, kLower, kMixed, kDigit}) code[mode][' '] = 1;
    for (int i = 0; i < 26; ++i) {
      code[kUpper]['A' + i] = static_cast<std::int16_t>(2 + i);
      code[kLower]['a' + i] = static_cast<std::int16_t>(2 + i);
    }
    // Mixed: the control characters 1..13 and 27..31, a few symbols and DEL.
    for (int i = 1; i <= 13; ++i) code[kMixed][i] = static_cast<std::int16_t>(1 + i);
    for (int i = 27; i <= 31; ++i) code[kMixed][i] = static_cast<std::int16_t>(i - 12);
    const char* mixedSymbols = "@\\^_`|~";
    for (int i = 0; mixedSymbols[i] != 0; ++i) code[kMixed][static_cast<unsigned char>(mixedSymbols[i])] = static_cast<std::int16_t>(20 + i);
    code[kMixed][127] = 27;
    // Punct: CR, then codes 2..5 are the pairs, then the single symbols from code 6.
    code[kPunct]['\r'] = 1;
    const char* punctSymbols = "!\"#$%&'()*+,-./:;<=>?[]{}";
    for (int i = 0; punctSymbols[i] != 0; ++i) code[kPunct][static_cast<unsigned char>(punctSymbols[i])] = static_cast<std::int16_t>(6 + i);
    for (int i = 0; i < 10; ++i) code[kDigit]['0' + i] = static_cast<std::int16_t>(2 + i);
    code[kDigit][','] = 12;
    code[kDigit]['.'] = 13;
  }
};

const CharTables& Tables() {
  static const CharTables tables;
  return tables;
}

// The latches a mode offers directly; every other change goes through these.
struct Latch {
  Mode from, to;
  int code;
};
constexpr Latch kLatches[] = {
    {kUpper, kLower, 28}, {kUpper, kMixed, 29}, {kUpper, kDigit, 30},
    {kLower, kMixed, 29}, {kLower, kDigit, 30},
    {kMixed, kLower, 28}, {kMixed, kUpper, 29}, {kMixed, kPunct, 30},
    {kPunct, kUpper, 31},
    {kDigit, kUpper, 14},
};

// The cheapest chain of latches between every pair of modes (at most three steps).
struct LatchRoutes {
  int cost[kModeCount][kModeCount];
  Mode next[kModeCount][kModeCount];  // first mode entered on the way

  LatchRoutes() {
    for (int a = 0; a < kModeCount; ++a)
      for (int b = 0; b < kModeCount; ++b) {
        cost[a][b] = a == b ? 0 : INT_MAX / 4;
        next[a][b] = static_cast<Mode>(b);
      }
    for (const Latch& latch : kLatches) cost[latch.from][latch.to] = CodeBits(latch.from);
    for (int via = 0; via < kModeCount; ++via)
      for (int a = 0; a < kModeCount; ++a)
        for (int b = 0; b < kModeCount; ++b)
          if (cost[a][via] + cost[via][b] < cost[a][b]) {
            cost[a][b] = cost[a][via] + cost[via][b];
            next[a][b] = next[a][via];
          }
  }
};

const LatchRoutes& Routes() {
  static const LatchRoutes routes;
  return routes;
}

int LatchCode(Mode from, Mode to) {
  for (const Latch& latch : kLatches)
    if (latch.from == from && latch.to == to) return latch.code;
  return -1;
}

void AppendLatches(BitStream& out, Mode from, Mode to) {
  while (from != to) {
    const Mode step = Routes().next[from][to];
    out.Append(static_cast<unsigned>(LatchCode(from, step)), CodeBits(from));
    from = step;
  }
}

// The single-character shift a mode offers into `target`, or -1.
int ShiftCode(Mode from, Mode target) {
  if (target == kPunct) return from == kPunct ? -1 : kPunctShift;
  if (target == kUpper) return from == kLower ? kUpperShiftInLower : from == kDigit ? kUpperShiftInDigit : -1;
  return -1;
}

bool OffersBinaryShift(Mode mode) { return mode == kUpper || mode == kLower || mode == kMixed; }

constexpr int kUnreached = INT_MAX / 2;

// How the encoder reached a position in a mode from an earlier position in the same mode.
enum class Step : std::uint8_t { kNone, kChar, kPair, kShiftChar, kShiftPair, kBinary };

struct Arrival {
  int cost = kUnreached;
  int from = 0;      // position the step starts at
  Step step = Step::kNone;
  Mode shiftTo = kUpper;  // for the shift steps
};

struct Settled {
  int cost = kUnreached;
  Mode latchedFrom = kUpper;  // mode arrived in before the latches to this one
};

// The cheapest start of a binary-shift run ending at a given position, over a sliding range of
// starts: a run from s to e costs settled(s) + header + 8 (e - s), so the best start is the one of
// least settled(s) - 8 s. Starts enter in increasing order and leave from the front (a monotonic
// queue), which keeps the search linear in the data length.
class RunStarts {
 public:
  void Add(int start, int key) {
    while (keys_.size() > head_ && keys_.back() >= key) {
      keys_.pop_back();
      starts_.pop_back();
    }
    starts_.push_back(start);
    keys_.push_back(key);
  }
  // The best start not before `earliest`, or -1.
  int Best(int earliest) {
    while (head_ < starts_.size() && starts_[head_] < earliest) ++head_;
    return head_ < starts_.size() ? starts_[head_] : -1;
  }

 private:
  std::vector<int> starts_, keys_;
  std::size_t head_ = 0;
};

void Offer(Arrival& target, int cost, int from, Step step, Mode shiftTo = kUpper) {
  if (cost < target.cost) target = Arrival{cost, from, step, shiftTo};
}

}  // namespace

int CodeBits(Mode mode) { return mode == kDigit ? 4 : 5; }

int CharCode(Mode mode, unsigned char byte) { return Tables().code[mode][byte]; }

BitStream EncodeHighLevel(const unsigned char* data, std::size_t size, Mode* endMode) {
  const int n = static_cast<int>(size);
  const CharTables& tables = Tables();
  const LatchRoutes& routes = Routes();

  // Shortest-path search over (position, mode): arrivals are the costs before latching at a
  // position, settled costs after the cheapest latches.
  // Kept from call to call: allocating and touching these afresh costs more than the search.
  thread_local std::vector<std::array<Arrival, kModeCount>> arrivals;
  thread_local std::vector<std::array<Settled, kModeCount>> settled;
  arrivals.assign(size + 1, {});
  settled.assign(size + 1, {});
  // Per mode that offers B/S: starts of runs of 1..31 bytes (short length) and of 32..2078 (long).
  std::array<RunStarts, kModeCount> shortRuns, longRuns;
  arrivals[0][kUpper].cost = 0;
  auto runKey = [&](int start, int m) { return settled[start][m].cost - 8 * start; };

  for (int i = 0; i <= n; ++i) {
    // Binary-shift runs ending here, from the best start each kind of length allows.
    for (int m = 0; m < kModeCount; ++m) {
      if (!OffersBinaryShift(static_cast<Mode>(m))) continue;
      const int newestLongStart = i - (kShortRunMax + 1);
      if (newestLongStart >= 0 && settled[newestLongStart][m].cost < kUnreached)
        longRuns[m].Add(newestLongStart, runKey(newestLongStart, m));
      auto offerRun = [&](RunStarts& starts, int longest, int header) {
        const int start = starts.Best(i - longest);
        if (start >= 0) Offer(arrivals[i][m], settled[start][m].cost + header + 8 * (i - start), start, Step::kBinary);
      };
      offerRun(shortRuns[m], kShortRunMax, kShortRunHeader);
      offerRun(longRuns[m], kLongRunMax, kLongRunHeader);
    }

    for (int to = 0; to < kModeCount; ++to)
      for (int from = 0; from < kModeCount; ++from) {
        const int cost = arrivals[i][from].cost + routes.cost[from][to];
        if (cost < settled[i][to].cost) settled[i][to] = Settled{cost, static_cast<Mode>(from)};
      }

    for (int m = 0; m < kModeCount; ++m) {
      const Mode mode = static_cast<Mode>(m);
      const int base = settled[i][m].cost;
      if (base >= kUnreached) continue;
      if (i < n) {
        const unsigned char c = data[i];
        if (tables.code[m][c] >= 0) Offer(arrivals[i + 1][m], base + CodeBits(mode), i, Step::kChar);
        for (Mode target : {kPunct, kUpper}) {
          if (ShiftCode(mode, target) >= 0 && tables.code[target][c] >= 0)
            Offer(arrivals[i + 1][m], base + CodeBits(mode) + CodeBits(target), i, Step::kShiftChar, target);
        }
        if (i + 1 < n && PairCode(c, data[i + 1]) >= 0) {
          if (mode == kPunct) Offer(arrivals[i + 2][m], base + 5, i, Step::kPair);
          else if (ShiftCode(mode, kPunct) >= 0)
            Offer(arrivals[i + 2][m], base + CodeBits(mode) + 5, i, Step::kShiftPair, kPunct);
        }
        if (OffersBinaryShift(mode)) shortRuns[m].Add(i, runKey(i, m));
      }
    }
  }

  // Walk back from the cheapest end, collecting the steps; then write them in order.
  int last = kUpper;
  for (int m = 0; m < kModeCount; ++m)
    if (arrivals[n][m].cost < arrivals[n][last].cost) last = m;
  if (endMode != nullptr) *endMode = static_cast<Mode>(last);

  struct Walk {
    int to;
    Mode mode;
  };
  std::vector<Walk> walk;
  for (int at = n, m = last; at > 0;) {
    walk.push_back(Walk{at, static_cast<Mode>(m)});
    const int from = arrivals[at][m].from;
    m = settled[from][m].latchedFrom;
    at = from;
  }

  BitStream out;
  out.Reserve(static_cast<std::size_t>(arrivals[n][last].cost));
  Mode current = kUpper;
  for (auto it = walk.rbegin(); it != walk.rend(); ++it) {
    const Arrival& arrival = arrivals[it->to][it->mode];
    AppendLatches(out, current, it->mode);
    current = it->mode;
    const int at = arrival.from;
    const int bits = CodeBits(current);
    switch (arrival.step) {
      case Step::kChar:
        out.Append(static_cast<unsigned>(tables.code[current][data[at]]), bits);
        break;
      case Step::kPair:
        out.Append(static_cast<unsigned>(PairCode(data[at], data[at + 1])), 5);
        break;
      case Step::kShiftChar:
        out.Append(static_cast<unsigned>(ShiftCode(current, arrival.shiftTo)), bits);
        out.Append(static_cast<unsigned>(tables.code[arrival.shiftTo][data[at]]), CodeBits(arrival.shiftTo));
        break;
      case Step::kShiftPair:
        out.Append(kPunctShift, bits);
        out.Append(static_cast<unsigned>(PairCode(data[at], data[at + 1])), 5);
        break;
      case Step::kBinary: {
        const int length = it->to - at;
        out.Append(kBinaryShift, 5);
        if (length <= kShortRunMax) {
          out.Append(static_cast<unsigned>(length), 5);
        } else {
          out.Append(0, 5);
          out.Append(static_cast<unsigned>(length - kShortRunMax), 11);
        }
        for (int k = at; k < it->to; ++k) out.Append(data[k], 8);
        break;
      }
      case Step::kNone:
        break;
    }
  }
  return out;
}

}  // namespace aztec::detail

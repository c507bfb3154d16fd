// A growing string of bits, most significant bit of each appended value first.
#pragma once

#include <cstdint>
#include <vector>

namespace aztec::detail {

class BitStream {
 public:
  void Append(unsigned value, int count) {
    for (int i = count - 1; i >= 0; --i) bits_.push_back(static_cast<std::uint8_t>((value >> i) & 1u));
  }
  void Reserve(std::size_t bits) { bits_.reserve(bits); }
  int Size() const { return static_cast<int>(bits_.size()); }
  bool Bit(int index) const { return bits_[static_cast<std::size_t>(index)] != 0; }
  // `count` bits from `index` as one value (count <= 16).
  unsigned Read(int index, int count) const {
    unsigned value = 0;
    for (int i = 0; i < count; ++i) value = (value << 1) | bits_[static_cast<std::size_t>(index + i)];
    return value;
  }

 private:
  std::vector<std::uint8_t> bits_;
};

}  // namespace aztec::detail

// The binary values the framework keeps in the profile (docking layout, MDI tab groups, tool-bar
// buttons): little-endian words and UTF-16 text, written into a byte vector and read back with every
// size checked.
#pragma once
#include <windows.h>

#include <vector>

#include "fw/String.h"

namespace fw_internal {

inline void PutWord(std::vector<BYTE>& out, UINT32 value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<BYTE>(value >> (8 * i)));
}

// Reads words and text from a value; each call fails (and leaves its output alone) when the value
// has too few bytes left.
class BlobReader {
 public:
  BlobReader(const BYTE* data, UINT size) : data_(data), size_(size) {}
  bool Get(UINT32& value) {
    if (size_ - at_ < 4) return false;
    value = data_[at_] | (data_[at_ + 1] << 8) | (data_[at_ + 2] << 16) | (static_cast<UINT32>(data_[at_ + 3]) << 24);
    at_ += 4;
    return true;
  }
  bool Get16(UINT32& value) {
    if (size_ - at_ < 2) return false;
    value = data_[at_] | (data_[at_ + 1] << 8);
    at_ += 2;
    return true;
  }
  // The next `count` bytes, or null when the value has fewer left.
  const BYTE* Take(UINT count) {
    if (size_ - at_ < count) return nullptr;
    const BYTE* p = data_ + at_;
    at_ += count;
    return p;
  }
  bool GetInt(INT32& value) {
    UINT32 raw = 0;
    if (!Get(raw)) return false;
    value = static_cast<INT32>(raw);
    return true;
  }
  // `length` UTF-16 characters.
  bool GetText(UINT32 length, CString& text) {
    if ((size_ - at_) / 2 < length) return false;
    std::vector<wchar_t> chars(length);
    for (UINT32 i = 0; i < length; ++i) chars[i] = static_cast<wchar_t>(data_[at_ + 2 * i] | (data_[at_ + 2 * i + 1] << 8));
    text = CString(chars.data(), static_cast<int>(length));
    at_ += 2 * length;
    return true;
  }
  bool Done() const { return at_ == size_; }

 private:
  const BYTE* data_;
  UINT size_;
  UINT at_ = 0;
};

}  // namespace fw_internal

#include "ShelfFile.h"

#include <cstring>

namespace shelf_file {

namespace {

const char kMagic[6] = {'R', 'O', 'D', 'I', 'D', 0};
constexpr size_t kHeaderBytes = 12;
// The smallest object data: its size and its type code.
constexpr uint32_t kMinRecordBytes = 8;

bool ReadU32(const std::string& bytes, size_t& at, uint32_t& value) {
  if (bytes.size() < at || bytes.size() - at < 4) return false;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data()) + at;
  value = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
          static_cast<uint32_t>(p[3]) << 24;
  at += 4;
  return true;
}

void PutU32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

int32_t Int32At(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  ReadU32(bytes, at, value);
  return static_cast<int32_t>(value);
}

}  // namespace

bool IsShelfType(int32_t type) {
  switch (type) {
    case 1: case 2: case 3: case 4: case 6: case 7: case 8: case 9: case 15: case 16: case 17: return true;
    default: return false;
  }
}

bool Parse(const std::string& bytes, std::vector<SHELF_ITEM>& items,
           std::wstring (*ansiToWide)(const std::string& ansi)) {
  items.clear();
  if (bytes.size() < kHeaderBytes || bytes.size() > kMaxFileBytes || memcmp(bytes.data(), kMagic, 6) != 0) return false;
  const int32_t version = Int32At(bytes, 8);
  if (version != 1 && version != 2) return false;
  std::vector<SHELF_ITEM> read;
  size_t at = kHeaderBytes;
  for (;;) {
    uint32_t size = 0;
    if (!ReadU32(bytes, at, size)) return false;
    if (size == 0) break;
    // The record must lie inside the file and describe itself with the same size.
    if (size < kMinRecordBytes || size > bytes.size() - at) return false;
    if (static_cast<uint32_t>(Int32At(bytes, at)) != size || !IsShelfType(Int32At(bytes, at + 4))) return false;
    SHELF_ITEM item;
    item.data.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
    at += size;
    uint32_t nameBytes = 0;
    if (!ReadU32(bytes, at, nameBytes) || nameBytes == 0 || nameBytes > bytes.size() - at) return false;
    const char* name = bytes.data() + at;
    if (version == 2) {
      if (nameBytes % 2 != 0 || name[nameBytes - 1] != 0 || name[nameBytes - 2] != 0) return false;
      item.name.resize(nameBytes / 2 - 1);
      for (size_t i = 0; i < item.name.size(); ++i)
        item.name[i] = static_cast<wchar_t>(static_cast<unsigned char>(name[2 * i]) |
                                            static_cast<unsigned char>(name[2 * i + 1]) << 8);
    } else {
      if (name[nameBytes - 1] != 0 || ansiToWide == nullptr) return false;
      item.name = ansiToWide(std::string(name, nameBytes - 1));
    }
    // A name ends at its first NUL.
    const size_t end = item.name.find(L'\0');
    if (end != std::wstring::npos) item.name.resize(end);
    at += nameBytes;
    read.push_back(std::move(item));
  }
  items.swap(read);
  return true;
}

std::string Compose(const std::vector<SHELF_ITEM>& items) {
  std::string out(kMagic, sizeof(kMagic));
  out.append(2, '\0');
  PutU32(out, 2);
  for (const SHELF_ITEM& item : items) {
    PutU32(out, static_cast<uint32_t>(item.data.size()));
    out.append(reinterpret_cast<const char*>(item.data.data()), item.data.size());
    PutU32(out, static_cast<uint32_t>(item.name.size() * 2 + 2));
    for (wchar_t c : item.name) {
      out.push_back(static_cast<char>(c & 0xFF));
      out.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
    out.append(2, '\0');
  }
  PutU32(out, 0);
  return out;
}

}  // namespace shelf_file

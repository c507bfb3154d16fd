// The shelf file ("vyshelf.dat"): the objects kept on the shelf with their names, in list order.
//
//   0   6  "RODID" and its NUL
//   6   2  zero (ignored)
//   8   4  version: 2 when written; 1 (ANSI names) and 2 (UTF-16 names) are read
//  12      items: S (4), the object data (S bytes, its first int repeats S), N (4), the name
//          (N bytes with its terminator)
//  end  4  0
//
// All integers are 32-bit little-endian. A file is taken whole or not at all: every size and count is
// checked against the bytes that are there before anything is kept, so a damaged file gives no items.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct SHELF_ITEM {
  std::vector<uint8_t> data;  // the object-data record
  std::wstring name;
};

namespace shelf_file {
// The kinds of object data the shelf keeps, by the record's type code (its second int).
bool IsShelfType(int32_t type);
// The items of a whole file; false (and no items) when the file is damaged or of another format.
// `ansiToWide` converts the names of a version 1 file.
bool Parse(const std::string& bytes, std::vector<SHELF_ITEM>& items,
           std::wstring (*ansiToWide)(const std::string& ansi));
// The bytes of a version 2 file.
std::string Compose(const std::vector<SHELF_ITEM>& items);
// The largest file read (a shelf never holds this much; larger files are refused unread).
constexpr uint32_t kMaxFileBytes = 256u * 1024u * 1024u;
}  // namespace shelf_file

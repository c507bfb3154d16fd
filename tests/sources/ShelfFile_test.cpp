// The shelf file's bytes: what is written, the old version with ANSI names, and every way a damaged
// file is refused whole.
#include "ShelfFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string U32(uint32_t v) {
  std::string out;
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  return out;
}

// Object data of `type` with `extra` payload bytes.
std::vector<uint8_t> Record(int32_t type, size_t extra) {
  const std::string head = U32(static_cast<uint32_t>(8 + extra)) + U32(static_cast<uint32_t>(type));
  std::vector<uint8_t> data(head.begin(), head.end());
  for (size_t i = 0; i < extra; ++i) data.push_back(static_cast<uint8_t>(0xA0 + i));
  return data;
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i != 0) out += (i % 16 == 0) ? '\n' : ' ';
    out += digits[static_cast<unsigned char>(bytes[i]) >> 4];
    out += digits[static_cast<unsigned char>(bytes[i]) & 15];
  }
  return out;
}

std::wstring Widen(const std::string& ansi) { return std::wstring(ansi.begin(), ansi.end()); }

std::string Header(uint32_t version) { return std::string("RODID\0\0\0", 8) + U32(version); }

TEST(ShelfFile, OneItemIsWrittenAsVersionTwoWithItsUtf16Name) {
  SHELF_ITEM item;
  item.data = Record(1, 2);
  item.name = L"Ab";
  EXPECT_EQ(
      "52 4f 44 49 44 00 00 00 02 00 00 00 0a 00 00 00\n"  // magic, version 2, S = 10
      "0a 00 00 00 01 00 00 00 a0 a1 06 00 00 00 41 00\n"  // the record, N = 6, "A"
      "62 00 00 00 00 00 00 00",                           // "b", NUL, the end
      Hex(shelf_file::Compose({item})));
}

TEST(ShelfFile, ItemsComeBackAsTheyWereAndVersionOneNamesAreAnsi) {
  std::vector<SHELF_ITEM> items(3);
  const int32_t types[] = {6, 15, 17};
  for (size_t i = 0; i < items.size(); ++i) {
    items[i].data = Record(types[i], 20 * i);
    items[i].name = L"Name " + std::to_wstring(i);
  }
  std::vector<SHELF_ITEM> read;
  ASSERT_TRUE(shelf_file::Parse(shelf_file::Compose(items), read, Widen));
  ASSERT_EQ(3u, read.size());
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].data, read[i].data);
    EXPECT_EQ(items[i].name, read[i].name);
  }
  const std::vector<uint8_t> data = Record(9, 4);
  const std::string v1 = Header(1) + U32(12) + std::string(data.begin(), data.end()) + U32(4) + std::string("Old\0", 4) + U32(0);
  ASSERT_TRUE(shelf_file::Parse(v1, read, Widen));
  ASSERT_EQ(1u, read.size());
  EXPECT_EQ(L"Old", read[0].name);
  EXPECT_EQ(data, read[0].data);
}

TEST(ShelfFile, ADamagedFileGivesNoItems) {
  const std::vector<uint8_t> good = Record(1, 4);
  const std::string record(good.begin(), good.end());
  const std::string name = U32(4) + std::string("A\0\0\0", 4);
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"short header", Header(2).substr(0, 10)},
      {"wrong magic", "RODIX\0\0\0" + U32(2) + U32(0)},
      {"version 3", Header(3) + U32(0)},
      {"no end mark", Header(2) + U32(12) + record + name},
      {"size beyond the file", Header(2) + U32(0x7FFFFFF0) + record + name + U32(0)},
      {"size below a record", Header(2) + U32(4) + record.substr(0, 4) + name + U32(0)},
      {"size unlike the record's", Header(2) + U32(12) + U32(16) + record.substr(4) + name + U32(0)},
      {"no shelf kind", Header(2) + U32(12) + U32(12) + U32(5) + record.substr(8) + name + U32(0)},
      {"name beyond the file", Header(2) + U32(12) + record + U32(4000) + "A" + U32(0)},
      {"odd name size", Header(2) + U32(12) + record + U32(3) + std::string("A\0\0", 3) + U32(0)},
      {"name without NUL", Header(2) + U32(12) + record + U32(2) + "AB" + U32(0)},
      {"empty name", Header(2) + U32(12) + record + U32(0) + U32(0)},
  };
  for (const auto& c : cases) {
    std::vector<SHELF_ITEM> items(1);
    EXPECT_FALSE(shelf_file::Parse(c.bytes, items, Widen)) << c.what;
    EXPECT_TRUE(items.empty()) << c.what;
  }
  std::vector<SHELF_ITEM> items;
  EXPECT_TRUE(shelf_file::Parse(Header(2) + U32(12) + record + name + U32(0), items, Widen)) << "the sound one";
  EXPECT_EQ(1u, items.size());
}

}  // namespace

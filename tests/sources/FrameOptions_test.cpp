// The main frame's settings records as bytes: the defaults of a fresh profile row by row, which stored
// records are taken, and the field format record.
#include "FrameOptions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ArchiveFixtures.h"

namespace {

// Hex rows "offset: bytes" as in the fixtures; the offsets are checked by the reader.
std::string Rows(const char* text) {
  std::string bytes;
  int expectedOffset = 0;
  const char* p = text;
  while (*p) {
    const char* end = strchr(p, '\n');
    std::string line(p, end ? end - p : strlen(p));
    p = end ? end + 1 : p + strlen(p);
    const size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    EXPECT_EQ(expectedOffset, std::stoi(line.substr(0, colon), nullptr, 16)) << line;
    for (size_t i = colon + 1; i + 1 < line.size();) {
      while (i < line.size() && line[i] == ' ') ++i;
      if (i + 1 >= line.size()) break;
      bytes.push_back(static_cast<char>(std::stoi(line.substr(i, 2), nullptr, 16)));
      i += 2;
    }
    expectedOffset = static_cast<int>(bytes.size());
  }
  return bytes;
}

template <class T>
std::string Bytes(const T& record) {
  return std::string(reinterpret_cast<const char*>(&record), sizeof(record));
}

TEST(FrameOptions, FreshProfileOptionsAreTheseBytes) {
  const std::string expected = Rows(
      "0000: 01 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00\n"  // maximize, unit, TIFF, reserved
      "0010: 07 00 00 00  02 00 00 00  00 00 00 00  f4 4b 00 00\n"  // JPEG 7, filter 2, reserved, grid x
      "0020: f4 4b 00 00  00 00 00 00  00 00 00 00  01 00 00 00\n"  // grid y, snap, empty doc, explanatory
      "0030: 00 00 00 00  00 ff ff ff  00 00 00 00  01 00 00 00\n"  // PNG transparency and colour, form mode, no marks
      "0040: 01 00 00 00  de eb f9 00  06 00 00 00  00 00 00 00\n"  // highlight and colour, erase 32x32, reserved
      "0050: 01 00 00 00\n");                                         // headers
  EXPECT_EQ(fixtures::ToHex(expected), fixtures::ToHex(Bytes(DefaultFrameOptions())));
}

TEST(FrameOptions, FreshProfilePdfOptionsAreTheseBytes) {
  const std::string pdf = Rows(
      "0000: 00 00 00 00  00 00 00 00  00 00 00 00  01 00 00 00\n"  // no compression, 1.3, JPEG images
      "0010: 01 00 00 00  01 00 00 00  01 00 00 00  00 00 00 00\n"  // URLs, viewer, reserved 1, single page
      "0020: 00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00\n"
      "0030: 00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00\n");
  EXPECT_EQ(fixtures::ToHex(pdf), fixtures::ToHex(Bytes(DefaultPdfOptions())));
  const std::string pdf2 = Rows(
      "0000: 01 00 00 00  02 00 00 00  00 00 00 00  00 00 00 00\n"  // reserved 1, only used glyphs embedded
      "0010: 00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00\n"
      "0020: 00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00\n");
  EXPECT_EQ(fixtures::ToHex(pdf2), fixtures::ToHex(Bytes(DefaultPdfOptions2())));
}

TEST(FrameOptions, DefaultFieldFormatRecordIsTheseBytes) {
  const std::string expected = Rows(
      "0000: 01 00 00 00  00 00 00 00  02 00 00 00  02 00 00 00\n"  // tab 1, Text, 2 decimals, 2 digits
      "0010: 00 00 00 00  00 00 00 00  01 00 00 00  00 00 00 00\n"); // 0.0, grouping, reserved
  EXPECT_EQ(fixtures::ToHex(expected), fixtures::ToHex(Bytes(ToPropertiesRecord(_PROPERTIES()))));

  _PROPERTIES_RECORD stored = ToPropertiesRecord(_PROPERTIES());
  stored.formatCategory = 2;
  stored.decimals = 4;
  stored.value = 12.5;
  stored.grouping = 0;
  _PROPERTIES shown;
  shown.name = L"kept";
  FromPropertiesRecord(stored, shown);
  EXPECT_EQ(2, shown.formatCategory);
  EXPECT_EQ(4, shown.decimals);
  EXPECT_EQ(12.5, shown.value);
  EXPECT_EQ(0, shown.grouping);
  EXPECT_STREQ(L"kept", shown.name) << "the strings are not in the record";
}

// A record with one field out of its range is not taken.
TEST(FrameOptions, DamagedOptionsAreRefused) {
  EXPECT_TRUE(IsValidFrameOptions(DefaultFrameOptions()));
  const struct {
    const char* what;
    void (*damage)(_FRAME_OPTIONS&);
  } cases[] = {
      {"unit 3", [](_FRAME_OPTIONS& o) { o.unit = 3; }},
      {"negative unit", [](_FRAME_OPTIONS& o) { o.unit = -1; }},
      {"grid x 0", [](_FRAME_OPTIONS& o) { o.gridX = 0; }},
      {"negative grid y", [](_FRAME_OPTIONS& o) { o.gridY = -19444; }},
      {"huge grid", [](_FRAME_OPTIONS& o) { o.gridX = 0x7fffffff; }},
      {"erase size 10", [](_FRAME_OPTIONS& o) { o.eraseSizeIndex = 10; }},
      {"erase size -1", [](_FRAME_OPTIONS& o) { o.eraseSizeIndex = -1; }},
      {"JPEG quality 9", [](_FRAME_OPTIONS& o) { o.jpegQuality = 9; }},
      {"TIFF compression 4", [](_FRAME_OPTIONS& o) { o.tiffCompression = 4; }},
      {"snap 2", [](_FRAME_OPTIONS& o) { o.snapToGrid = 2; }},
      {"highlight colour with a high byte", [](_FRAME_OPTIONS& o) { o.highlightColor = 0x01000000; }},
  };
  for (const auto& c : cases) {
    _FRAME_OPTIONS options = DefaultFrameOptions();
    c.damage(options);
    EXPECT_FALSE(IsValidFrameOptions(options)) << c.what;
  }
  _FRAME_OPTIONS other = DefaultFrameOptions();
  other.unit = 2;
  other.gridX = 500;
  other.transparencyColor = 0x12345678;  // a colour with its alpha byte is a valid choice
  EXPECT_TRUE(IsValidFrameOptions(other));
}

TEST(FrameOptions, DamagedPdfAndFormatRecordsAreRefused) {
  EXPECT_TRUE(IsValidPdfOptions(DefaultPdfOptions()));
  EXPECT_TRUE(IsValidPdfOptions2(DefaultPdfOptions2()));
  _PDF_OPTIONS pdf = DefaultPdfOptions();
  pdf.imageCompression = 5;
  EXPECT_FALSE(IsValidPdfOptions(pdf));
  _PDF_OPTIONS2 pdf2 = DefaultPdfOptions2();
  pdf2.fontEmbedding = 4;
  EXPECT_FALSE(IsValidPdfOptions2(pdf2));

  EXPECT_TRUE(IsValidPropertiesRecord(ToPropertiesRecord(_PROPERTIES())));
  _PROPERTIES_RECORD record = ToPropertiesRecord(_PROPERTIES());
  record.formatCategory = 4;
  EXPECT_FALSE(IsValidPropertiesRecord(record));
  record = ToPropertiesRecord(_PROPERTIES());
  record.decimals = 10;
  EXPECT_FALSE(IsValidPropertiesRecord(record));
  record = ToPropertiesRecord(_PROPERTIES());
  const uint64_t notANumber = 0x7ff8000000000000ull;
  memcpy(&record.value, &notANumber, sizeof(notANumber));
  EXPECT_FALSE(IsValidPropertiesRecord(record));
}

TEST(FrameOptions, AStyleWithoutTheEndOfItsFaceNameIsRefused) {
  _OBJECT_STYLE style = {};
  wcscpy(style.font.lfFaceName, L"Arial");
  style.font.lfHeight = -120;
  EXPECT_TRUE(IsUsableTextStyle(style));
  for (WCHAR& c : style.font.lfFaceName) c = L'A';
  EXPECT_FALSE(IsUsableTextStyle(style));
  wcscpy(style.font.lfFaceName, L"Arial");
  style.font.lfHeight = -2000000;
  EXPECT_FALSE(IsUsableTextStyle(style));
}

TEST(FrameOptions, APlacementIsUsedOnlyWhenItShowsOnTheWorkArea) {
  const RECT area = {0, 0, 1280, 1000};
  WINDOWPLACEMENT p = {sizeof(p)};
  p.showCmd = SW_SHOWMAXIMIZED;
  p.rcNormalPosition = {100, 50, 900, 650};
  EXPECT_TRUE(IsUsablePlacement(p, area));
  const struct {
    const char* what;
    void (*damage)(WINDOWPLACEMENT&);
  } cases[] = {
      {"wrong length", [](WINDOWPLACEMENT& w) { w.length = 12; }},
      {"unknown show command", [](WINDOWPLACEMENT& w) { w.showCmd = 77; }},
      {"hidden", [](WINDOWPLACEMENT& w) { w.showCmd = SW_HIDE; }},
      {"empty rectangle", [](WINDOWPLACEMENT& w) { w.rcNormalPosition.right = w.rcNormalPosition.left; }},
      {"off screen", [](WINDOWPLACEMENT& w) { w.rcNormalPosition = {5000, 5000, 5800, 5600}; }},
      {"far left", [](WINDOWPLACEMENT& w) { w.rcNormalPosition = {-3000, 10, -2000, 600}; }},
  };
  for (const auto& c : cases) {
    WINDOWPLACEMENT damaged = p;
    c.damage(damaged);
    EXPECT_FALSE(IsUsablePlacement(damaged, area)) << c.what;
  }
}

TEST(FrameOptions, TheFrameStartsCentredAt940By700) {
  const RECT big = DefaultFrameRect({0, 0, 1280, 1000});
  EXPECT_EQ(170, big.left);
  EXPECT_EQ(150, big.top);
  EXPECT_EQ(940, big.right - big.left);
  EXPECT_EQ(700, big.bottom - big.top);
  const RECT small = DefaultFrameRect({0, 0, 800, 600});
  EXPECT_EQ(0, small.left) << "narrower than the window: at the left edge";
  EXPECT_EQ(0, small.top);
}

}  // namespace

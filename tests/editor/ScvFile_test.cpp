// The scv header against fixtures written from the file layout, and the names derived from paths.
#include <gtest/gtest.h>

#include "../framework/HexFixture.h"
#include "ScvFile.h"

namespace {

TEST(ScvFile, HeaderOfDefaultMarginsMatchesFixture) {
  const RECT margins = {1800, 1440, 1800, 1440};
  const _SCV_HEADER header = MakeScvHeader(margins);
  const std::string bytes(reinterpret_cast<const char*>(&header), sizeof(header));
  EXPECT_EQ(bytes, ReadHexFixture(L"ScvHeaderDefault.hex"));
}

struct HeaderCase {
  const wchar_t* fixture;
  BOOL accepted;
  RECT margins;
};

class ScvHeaderRead : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(ScvHeaderRead, ChecksMagicAndTakesMargins) {
  const std::string bytes = ReadHexFixture(GetParam().fixture);
  RECT margins = {-1, -1, -1, -1};
  EXPECT_EQ(ReadScvHeader(bytes.data(), bytes.size(), margins), GetParam().accepted);
  if (GetParam().accepted) {
    EXPECT_EQ(margins.left, GetParam().margins.left);
    EXPECT_EQ(margins.top, GetParam().margins.top);
    EXPECT_EQ(margins.right, GetParam().margins.right);
    EXPECT_EQ(margins.bottom, GetParam().margins.bottom);
  } else {
    EXPECT_EQ(margins.left, -1) << "a refused header leaves the margins alone";
  }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ScvHeaderRead,
                         ::testing::Values(HeaderCase{L"ScvHeaderDefault.hex", TRUE, {1800, 1440, 1800, 1440}},
                                           HeaderCase{L"ScvHeaderNegative.hex", TRUE, {720, -360, 0, 2160}},
                                           HeaderCase{L"ScvHeaderBadMagic.hex", FALSE, {}},
                                           HeaderCase{L"Letter.scv.hex", TRUE, {720, 1080, 1440, 2880}}));

TEST(ScvFile, ShortHeaderIsRefused) {
  const std::string bytes = ReadHexFixture(L"ScvHeaderDefault.hex");
  RECT margins = {};
  EXPECT_FALSE(ReadScvHeader(bytes.data(), 23, margins));
  EXPECT_FALSE(ReadScvHeader(nullptr, 24, margins));
}

TEST(ScvFile, ExtensionAndTitleFromPath) {
  struct {
    const wchar_t* path;
    BOOL scv;
    const wchar_t* title;
  } const cases[] = {
      {L"C:\\docs\\Letter.scv", TRUE, L"Letter"},
      {L"C:\\docs\\Letter.SCV", TRUE, L"Letter"},
      {L"C:\\docs\\Letter.final.scv", TRUE, L"Letter"},
      {L"C:\\docs\\Letter.rtf", FALSE, L"Letter"},
      {L"C:\\my.folder\\Letter", FALSE, L"Letter"},
      {L"C:\\docs\\Letter.scv.bak", FALSE, L"Letter"},
      {L"Letter.scvx", FALSE, L"Letter"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsScvPath(c.path), c.scv) << c.path;
    EXPECT_STREQ(TitleFromPath(c.path), c.title) << c.path;
  }
}

// Wine's rich-text control crashed writing a document read with a tab stop that had no position or a
// negative one: such stops are taken out before the control sees them, everything else stays.
TEST(ScvFile, TabStopsWithoutAPlaceAreDropped) {
  const struct {
    const char* rtf;
    const char* given;
  } cases[] = {
      {"\\pard\\tx\\tab x", "\\pard\\tab x"},
      {"\\pard\\tx \\tab x", "\\pard \\tab x"},
      {"\\pard\\tx-5\\tab x", "\\pard\\tab x"},
      {"\\pard\\tx-5 x", "\\pard x"},
      {"\\pard\\tx\x01" "440 x", "\\pard\x01" "440 x"},
      {"\\pard\\tx0\\tx1440 \\tab x", "\\pard\\tx0\\tx1440 \\tab x"},
      {"\\tx2147483647\\tab", "\\tx2147483647\\tab"},
      {"\\tx2147483648\\tab", "\\tab"},
      {"\\tx100900000310000000000000 x", " x"},
      {"\\txe\\tqr\\tb\\tx720", "\\txe\\tqr\\tb\\tx720"},
      {"text \\\\tx and \\{\\tx\\}", "text \\\\tx and \\{\\}"},
      {"{\\pict\\bin6 \\tx-1}\\tx", "{\\pict\\bin6 \\tx-1}"},
      {"\\tx", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.given, DropUnplacedTabStops(c.rtf)) << c.rtf;
}

}  // namespace

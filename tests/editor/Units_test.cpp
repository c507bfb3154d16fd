// Measurements typed and shown in the user's unit, with the abbreviations of the program's own
// string table (linked into this test program).
#include <gtest/gtest.h>

#include "Units.h"

namespace {

enum { kInches = 0, kCentimetres = 1, kPoints = 2, kPicas = 3 };

class UnitsTest : public ::testing::Test {
 protected:
  void SetUp() override { CUnits::LoadAbbreviations(GetModuleHandleW(nullptr)); }
};

TEST_F(UnitsTest, AbbreviationsComeFromTheStringTable) {
  const wchar_t* expected[] = {L"\"", L"cm", L"pt", L"pi", L"in", L"inch", L"inches"};
  for (int row = 0; row < CUnits::kRows; ++row) EXPECT_STREQ(CUnits::m_units[row].m_strAbbrev, expected[row]);
}

TEST_F(UnitsTest, ParsesTypedMeasurements) {
  struct {
    const wchar_t* text;
    int unit;
    CUnits::ParseResult result;
    int twips;
  } const cases[] = {
      {L"2 cm", kInches, CUnits::parsed, 1136},
      {L"2cm", kInches, CUnits::parsed, 1136},
      {L"2", kInches, CUnits::parsed, 2880},
      {L"2", kCentimetres, CUnits::parsed, 1136},
      {L"1 inch", kPoints, CUnits::parsed, 1440},
      {L"1in", kCentimetres, CUnits::parsed, 1440},
      {L"1\"", kPicas, CUnits::parsed, 1440},
      {L"1 INCHES", kPoints, CUnits::parsed, 1440},
      {L"72 pt", kInches, CUnits::parsed, 1440},
      {L"1.5 pi", kInches, CUnits::parsed, 360},
      {L"-0.5", kInches, CUnits::parsed, -720},
      {L".25", kInches, CUnits::parsed, 360},
      {L"0.001", kInches, CUnits::parsed, 1},        // 1.44 twips
      {L"-0.00035", kInches, CUnits::parsed, -1},    // -0.504: half away from zero
      {L"", kInches, CUnits::notSet, 0},
      {L"1 foot", kInches, CUnits::invalid, 0},
      {L"cm", kInches, CUnits::invalid, 0},
      {L"1 cm cm", kInches, CUnits::invalid, 0},
      {L"99999999999", kInches, CUnits::invalid, 0},
  };
  for (const auto& c : cases) {
    int twips = 0;
    EXPECT_EQ(CUnits::ParseMeasurement(c.text, c.unit, twips), c.result) << c.text;
    if (c.result == CUnits::parsed) {
      EXPECT_EQ(twips, c.twips) << c.text;
    }
  }
}

TEST_F(UnitsTest, FormatsInTheCurrentUnit) {
  struct {
    int twips;
    int unit;
    const wchar_t* text;
  } const cases[] = {
      {1800, kInches, L"1.25\""},
      {1800, kCentimetres, L"3.17 cm"},
      {1440, kPoints, L"72 pt"},
      {1440, kInches, L"1\""},
      {2160, kInches, L"1.5\""},
      {-1800, kInches, L"-1.25\""},
      {0, kCentimetres, L"0 cm"},
      {240, kPicas, L"1 pi"},
      {31680, kInches, L"22\""},
      {-31680, kCentimetres, L"-55.77 cm"},
      {1, kInches, L"0\""},        // 0.0007 inch shows no decimals
      {7, kInches, L"0\""},        // 0.0049: the second decimal rounds to 0
      {-7, kInches, L"0\""},       // and a length that shows as zero has no sign
      {8, kInches, L"0.01\""},     // 0.0056 rounds up
      {1439, kInches, L"1\""},     // 0.9993: the carry reaches the whole part
  };
  for (const auto& c : cases) EXPECT_STREQ(CUnits::FormatMeasurement(c.twips, c.unit), c.text) << c.twips;
}

TEST_F(UnitsTest, FormattedTextReadsBackToTheSameShownValue) {
  for (int unit = 0; unit < CUnits::kChoosable; ++unit) {
    for (int twips = -3000; twips <= 3000; twips += 37) {
      const CString shown = CUnits::FormatMeasurement(twips, unit);
      int back = 0;
      ASSERT_EQ(CUnits::ParseMeasurement(shown, unit, back), CUnits::parsed) << static_cast<LPCWSTR>(shown);
      EXPECT_STREQ(CUnits::FormatMeasurement(back, unit), shown);
    }
  }
}

}  // namespace

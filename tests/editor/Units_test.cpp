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

// The system's page-setup dialog gets the margins in hundredths of millimetres or thousandths of
// inches, rounded to tens with a last digit of 5 rounding up: 1800 twips are exactly 3175
// hundredths of a millimetre and show as 3180.
TEST(PageSetupUnits, MarginsAreRoundedToTensWithFivesUp) {
  struct {
    int twips;
    BOOL metric;
    int shown;
  } const cases[] = {
      {1800, TRUE, 3180},   // 3175
      {1440, TRUE, 2540},
      {1000, TRUE, 1760},   // 1763.8: the remainder dropped, then 1763 rounds down
      {1800, FALSE, 1250},
      {1440, FALSE, 1000},
      {1450, FALSE, 1010},  // 1006.9: 1006 rounds up
      {0, TRUE, 0},
      {-1800, TRUE, -3180},
  };
  for (const auto& c : cases) EXPECT_EQ(TwipsToPageSetupUnits(c.twips, c.metric), c.shown) << c.twips << " " << c.metric;
}

TEST(PageSetupUnits, DialogValuesComeBackAsTheNearestTwips) {
  struct {
    int value;
    BOOL metric;
    int twips;
  } const cases[] = {
      {3180, TRUE, 1803},   // 1802.8
      {2540, TRUE, 1440},
      {2545, TRUE, 1446},   // rounded to 2550 first
      {1250, FALSE, 1800},
      {1000, FALSE, 1440},
      {1004, FALSE, 1440},  // rounded to 1000 first
  };
  for (const auto& c : cases) EXPECT_EQ(PageSetupUnitsToTwips(c.value, c.metric), c.twips) << c.value;
  // What the dialog shows for a margin reads back within half a step of tens (7.2 twips at most).
  for (int twips = 0; twips <= 4000; twips += 50)
    for (BOOL metric : {FALSE, TRUE})
      EXPECT_NEAR(PageSetupUnitsToTwips(TwipsToPageSetupUnits(twips, metric), metric), twips, 8) << twips;
}

}  // namespace

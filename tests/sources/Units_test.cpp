#include "Units.h"

#include <gtest/gtest.h>

namespace {

std::wstring W(const CString& s) { return std::wstring(static_cast<LPCTSTR>(s)); }

TEST(Units, OneInchInEveryUnitIsOneHundredThousandTextUnits) {
  const struct {
    double value;
    int unit;
  } cases[] = {{1.0, UNIT_INCH}, {25.4, UNIT_MILLIMETRE}, {72.0, UNIT_POINT}, {100000.0, UNIT_TEXTUNIT}};
  for (const auto& c : cases) EXPECT_EQ(100000, unitConvertToTextunit(c.value, c.unit)) << c.unit;
  // Unrounded, 0.00001 is not exact in binary: the rounding is what makes it whole.
  EXPECT_NE(100000.0, unitConvert(1.0, UNIT_INCH, UNIT_TEXTUNIT));
}

TEST(Units, FromTextUnits) {
  EXPECT_NEAR(25.4, unitConvertTextunitTo(100000, UNIT_MILLIMETRE), 1e-12);
  EXPECT_NEAR(72.0, unitConvertTextunitTo(100000, UNIT_POINT), 1e-12);
  EXPECT_NEAR(1.0, unitConvertTextunitTo(100000, UNIT_INCH), 1e-12);
  EXPECT_NEAR(2.0, unitConvert(144.0, UNIT_POINT, UNIT_INCH), 1e-12);
}

TEST(Units, UnknownCodesGiveZero) {
  EXPECT_EQ(0.0, unitConvert(5.0, 3, UNIT_INCH));
  EXPECT_EQ(0.0, unitConvert(5.0, UNIT_INCH, 3));
  EXPECT_EQ(0, unitConvertToTextunit(5.0, -2));
}

TEST(Units, SpinSteps) {
  const struct {
    int unit, delta;
  } cases[] = {{UNIT_INCH, 499}, {UNIT_MILLIMETRE, 1968}, {UNIT_POINT, 1388}, {UNIT_TEXTUNIT, 0}, {7, 0}};
  for (const auto& c : cases) EXPECT_EQ(c.delta, unitGetDelta(c.unit)) << c.unit;
}

TEST(Units, TextWithTheUnitsDecimals) {
  const struct {
    double value;
    int unit;
    const wchar_t* text;
  } cases[] = {{1.23456, UNIT_INCH, L"1.235"}, {1.23456, UNIT_MILLIMETRE, L"1.23"},
               {1.23456, UNIT_POINT, L"1.23"}, {1.5, 7, L"2"}, {-0.5, UNIT_INCH, L"-0.500"}};
  for (const auto& c : cases) EXPECT_EQ(c.text, W(unitGetStrValue(c.value, c.unit))) << c.value << " " << c.unit;
}

}  // namespace

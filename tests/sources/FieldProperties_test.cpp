#include "FieldProperties.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::wstring W(const CString& s) { return std::wstring(static_cast<LPCTSTR>(s)); }

const LCID kEnglishUS = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
const LCID kGerman = MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT);

TEST(Properties, NewRecord) {
  _PROPERTIES p;
  EXPECT_EQ(1, p.tabIndex);
  EXPECT_EQ(2, p.decimals);
  EXPECT_EQ(2, p.fullNumberDecimals);
  EXPECT_EQ(0.0, p.value);
  EXPECT_EQ(L"0;2;1", W(p.GetFormatPropertiesAsString()));
}

TEST(Properties, CopiesEveryMember) {
  _PROPERTIES p;
  p.formatCategory = 2, p.value = 3.5, p.name = L"Total", p.decimalSeparator = L",";
  _PROPERTIES q(p);
  _PROPERTIES r;
  r = p;
  for (const _PROPERTIES* copy : {&q, &r}) {
    EXPECT_EQ(2, copy->formatCategory);
    EXPECT_EQ(3.5, copy->value);
    EXPECT_EQ(L"Total", W(copy->name));
    EXPECT_EQ(L",", W(copy->decimalSeparator));
  }
}

TEST(Properties, SetFromText) {
  const struct {
    const wchar_t* text;
    int category, decimals, grouping;
  } cases[] = {{L"2;x;0", 2, 5, 0},     {L"1;3;0", 1, 3, 0}, {L";;3;;4;", 3, 4, 9},
               {L"3", 3, 5, 9},         {L"", 7, 5, 9},      {L"1;2;0;8", 1, 2, 0}};
  for (const auto& c : cases) {
    _PROPERTIES p;
    p.formatCategory = 7, p.decimals = 5, p.grouping = 9;
    p.SetPropertiesFromString(c.text);
    EXPECT_EQ(c.category, p.formatCategory) << c.text;
    EXPECT_EQ(c.decimals, p.decimals) << c.text;
    EXPECT_EQ(c.grouping, p.grouping) << c.text;
  }
}

TEST(NumberFormats, FormattedNumberByLocale) {
  const struct {
    LCID locale;
    double value;
    int decimals, grouping;
    const wchar_t* text;
    int decimalsAfter;
  } cases[] = {
      {kEnglishUS, 1234.5, 2, 0, L"1234.50", 2},
      {kEnglishUS, 1234.5, 2, 1, L"1,234.50", 2},
      {kEnglishUS, 1.0, 12, 0, L"1.000000000", 9},  // clamped to 9 and written back
      {kEnglishUS, 1234.5, -1, 1, L"1,235", 0},
      {kEnglishUS, -2.25, 1, 1, L"-2.3", 1},
      {kGerman, 1234.5, 2, 1, L"1.234,50", 2},
  };
  for (const auto& c : cases) {
    _PROPERTIES p;
    p.value = c.value, p.decimals = c.decimals, p.grouping = c.grouping;
    EXPECT_EQ(c.text, W(GetFormattedNumber(p, c.locale))) << c.value;
    EXPECT_EQ(c.decimalsAfter, p.decimals);
  }
}

TEST(NumberFormats, Currency) {
  _PROPERTIES p;
  p.value = 1234.5;
  EXPECT_EQ(L"$1,234.50", W(GetFormattedCurrency(p, kEnglishUS)));
  p.grouping = 0;
  EXPECT_EQ(L"$1234.50", W(GetFormattedCurrency(p, kEnglishUS)));
}

std::wstring LocaleText(LCID locale, LCTYPE type) {
  wchar_t text[32] = {};
  GetLocaleInfoW(locale, type, text, 32);
  return text;
}

// From 1e100 on, the fixed-point text of a value is longer than the system's formatter takes (under
// Wine about 260 digits overran its stack): such values show in scientific form through the
// formatter, NaN and the infinities as the locale names them. Below the bound nothing changes.
TEST(NumberFormats, ValuesPastTheFixedPointRangeHaveTheirOwnForm) {
  const double kNaN = std::numeric_limits<double>::quiet_NaN();
  const double kInfinity = std::numeric_limits<double>::infinity();
  const std::wstring nan = LocaleText(kEnglishUS, LOCALE_SNAN), infinity = LocaleText(kEnglishUS, LOCALE_SPOSINFINITY),
                     negativeInfinity = LocaleText(kEnglishUS, LOCALE_SNEGINFINITY);
  ASSERT_FALSE(nan.empty() || infinity.empty() || negativeInfinity.empty());
  const struct {
    double value;
    std::wstring number, currency, full;
  } cases[] = {
      {1e100, L"1.00E+100", L"1.00E+100", L"1E+100"},
      {-1e100, L"-1.00E+100", L"-1.00E+100", L"-1E+100"},
      {-1.99e304, L"-1.99E+304", L"-1.99E+304", L"-1.99E+304"},
      {std::numeric_limits<double>::max(), L"1.80E+308", L"1.80E+308", L"1.8E+308"},
      {kNaN, nan, nan, nan},
      {kInfinity, infinity, infinity, infinity},
      {-kInfinity, negativeInfinity, negativeInfinity, negativeInfinity},
      {std::numeric_limits<double>::denorm_min(), L"0.00", L"$0.00", L"0"},
  };
  for (const auto& c : cases) {
    _PROPERTIES p;
    p.value = c.value;
    p.decimalSeparator = L".";
    EXPECT_EQ(c.number, W(GetFormattedNumber(p, kEnglishUS))) << c.value;
    EXPECT_EQ(c.currency, W(GetFormattedCurrency(p, kEnglishUS))) << c.value;
    EXPECT_EQ(c.full, W(GetFullNumber(p, kEnglishUS))) << c.value;
  }
  // Just below the bound the value keeps its hundred digits, grouped: 100 + 33 separators + ".00".
  _PROPERTIES below;
  below.value = std::nextafter(1e100, 0.0);
  const std::wstring text = W(GetFormattedNumber(below, kEnglishUS));
  EXPECT_EQ(136u, text.size()) << text;
  EXPECT_EQ(0u, text.find(L"9,999,999,999,999,99")) << text;
  EXPECT_EQ(std::wstring::npos, text.find(L'E')) << text;
  below.value = -below.value;
  EXPECT_EQ(L'-', W(GetFormattedNumber(below, kEnglishUS))[0]);
}

TEST(NumberFormats, FullNumberDropsTrailingZeros) {
  const struct {
    double value;
    int fullDecimals;
    const wchar_t* text;
  } cases[] = {{2.5, 2, L"2.5"}, {3.0, 2, L"3"}, {1234.125, 9, L"1234.125"}, {0.1, 0, L"0"}, {100.0, 2, L"100"}};
  for (const auto& c : cases) {
    _PROPERTIES p;
    p.value = c.value, p.fullNumberDecimals = c.fullDecimals, p.decimalSeparator = L".";
    EXPECT_EQ(c.text, W(GetFullNumber(p, kEnglishUS))) << c.value;
  }
  _PROPERTIES clamped;
  clamped.fullNumberDecimals = 15, clamped.decimals = 10, clamped.decimalSeparator = L".";
  GetFullNumber(clamped, kEnglishUS);
  EXPECT_EQ(9, clamped.fullNumberDecimals);
  EXPECT_EQ(9, clamped.decimals);
}

// The zeros are stripped by the separator the number was formatted with, also where it is not ".".
TEST(NumberFormats, FullNumberWithTheLocalesComma) {
  const struct {
    const wchar_t* separator;
    double value;
    const wchar_t* text;
  } cases[] = {{L",", 2.5, L"2,5"}, {L",", 3.0, L"3"}, {L"", 1234.25, L"1234,25"}, {L"", 7.0, L"7"}};
  for (const auto& c : cases) {
    _PROPERTIES p;
    p.value = c.value, p.decimalSeparator = c.separator;
    EXPECT_EQ(c.text, W(GetFullNumber(p, kGerman))) << c.value;
  }
}

// A new record has no decimal separator: the full number uses the locale's instead of failing.
TEST(NumberFormats, FullNumberOfANewRecordUsesTheLocaleSeparator) {
  _PROPERTIES p;
  p.value = 2.5;
  ASSERT_TRUE(p.decimalSeparator.IsEmpty());
  EXPECT_EQ(L"2.5", W(GetFullNumber(p, kEnglishUS)));
  EXPECT_NE(L"Error", W(GetFullNumber(p)));
}

}  // namespace

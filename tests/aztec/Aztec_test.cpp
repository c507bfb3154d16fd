// generate_aztec as the barcode object calls it: sizes chosen, failures reported and harmless.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Aztec.h"
#include "AztecTestRows.h"

namespace {

constexpr int kEcc = 23;

int Generate(aztec::matrix<unsigned char>& symbol, const std::string& data) {
  return aztec::generate_aztec(symbol, data.data(), data.data() + data.size(), kEcc, aztec::kFormatPlainData, false);
}

std::vector<std::string> g_logged;
void Remember(const char* message) { g_logged.emplace_back(message); }

}  // namespace

TEST(AztecGenerate, DrawsTheSmallestSymbolThatHoldsTheData) {
  // The published capacities at 23 % + 3 words: 15 x 15 holds 13 digits or 12 capitals; the largest
  // symbol, 151 x 151, 3832 digits, 3067 capitals or 1914 bytes. One more does not fit.
  struct Case {
    char fill;
    int count;
    int size;  // 0: too large
  };
  const Case cases[] = {
      {'7', 13, 15},    {'7', 14, 19},   {'Q', 12, 15},    {'Q', 13, 19},
      {'7', 3832, 151}, {'7', 3833, 0},  {'Q', 3067, 151}, {'Q', 3068, 0},
      {'\x80', 1914, 151}, {'\x80', 1915, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.count) + " x " + std::to_string(static_cast<unsigned char>(c.fill)));
    aztec::matrix<unsigned char> symbol;
    const int status = Generate(symbol, std::string(static_cast<std::size_t>(c.count), c.fill));
    if (c.size == 0) {
      EXPECT_EQ(aztec::kDataTooLarge, status);
      EXPECT_TRUE(symbol.empty());
    } else {
      ASSERT_EQ(aztec::kOk, status);
      EXPECT_EQ(c.size, symbol.columns());
      EXPECT_EQ(c.size, symbol.rows());
    }
  }
}

TEST(AztecGenerate, TakesTheBarcodeObjectsCharStringWithItsZero) {
  const char text[] = "Code";
  aztec::matrix<unsigned char> symbol;
  ASSERT_EQ(aztec::kOk, aztec::generate_aztec(symbol, text, text + sizeof text, 23, 1, false));
  EXPECT_EQ(15, symbol.columns());
  for (int r = 0; r < symbol.rows(); ++r)
    for (int c = 0; c < symbol.columns(); ++c) EXPECT_LE(symbol(c, r), 1);
}

TEST(AztecGenerate, FailureLeavesTheMatrixAsItWasAndIsLogged) {
  aztec::matrix<unsigned char> symbol;
  ASSERT_EQ(aztec::kOk, Generate(symbol, "Kept"));
  const std::vector<std::string> before = aztec_test::Rows(symbol);

  const std::string data = "payload";
  const unsigned char* first = reinterpret_cast<const unsigned char*>(data.data());
  const unsigned char* last = first + data.size();
  const std::string tooLarge(5000, '\xFF');
  const std::string farTooLarge(100000, 'a');
  struct Case {
    const char* name;
    const unsigned char *first, *last;
    int ecc, format;
    bool readerInit;
    int status;
  };
  const Case cases[] = {
      {"null range", nullptr, nullptr, kEcc, 1, false, aztec::kInvalidArgument},
      {"empty", first, first, kEcc, 1, false, aztec::kInvalidArgument},
      {"reversed", last, first, kEcc, 1, false, aztec::kInvalidArgument},
      {"other format", first, last, kEcc, 2, false, aztec::kInvalidArgument},
      {"reader initialisation", first, last, kEcc, 1, true, aztec::kInvalidArgument},
      {"negative correction", first, last, -1, 1, false, aztec::kInvalidArgument},
      {"correction above 90 %", first, last, 91, 1, false, aztec::kInvalidArgument},
      {"too large", reinterpret_cast<const unsigned char*>(tooLarge.data()),
       reinterpret_cast<const unsigned char*>(tooLarge.data()) + tooLarge.size(), kEcc, 1, false, aztec::kDataTooLarge},
      {"far too large", reinterpret_cast<const unsigned char*>(farTooLarge.data()),
       reinterpret_cast<const unsigned char*>(farTooLarge.data()) + farTooLarge.size(), kEcc, 1, false,
       aztec::kDataTooLarge},
  };
  aztec::SetLogSink(Remember);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_logged.clear();
    EXPECT_EQ(c.status, aztec::generate_aztec(symbol, c.first, c.last, c.ecc, c.format, c.readerInit));
    EXPECT_EQ(before, aztec_test::Rows(symbol));
    ASSERT_EQ(1u, g_logged.size());
    EXPECT_NE(std::string::npos, g_logged[0].find(aztec::StatusText(c.status)));
  }
  g_logged.clear();
  EXPECT_EQ(aztec::kOk, Generate(symbol, "fits"));
  EXPECT_TRUE(g_logged.empty());
  aztec::SetLogSink(nullptr);
}

TEST(AztecGenerate, MoreErrorCorrectionNeedsALargerSymbol) {
  const std::string data(40, 'x');
  aztec::matrix<unsigned char> low, high;
  ASSERT_EQ(aztec::kOk, aztec::generate_aztec(low, data.data(), data.data() + data.size(), 10, 1, false));
  ASSERT_EQ(aztec::kOk, aztec::generate_aztec(high, data.data(), data.data() + data.size(), 60, 1, false));
  EXPECT_LT(low.columns(), high.columns());
}

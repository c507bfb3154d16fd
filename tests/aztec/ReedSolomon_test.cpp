// Galois fields and Reed-Solomon check words of the symbology.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "ReedSolomon.h"

using aztec::detail::FieldForWordSize;
using aztec::detail::GaloisField;

namespace {

// The code word (data then check words, highest power first) evaluated at x.
int Evaluate(const GaloisField& field, const std::vector<int>& word, int x) {
  int value = 0;
  for (int coefficient : word) value = field.Multiply(value, x) ^ coefficient;
  return value;
}

}  // namespace

TEST(AztecReedSolomon, EveryPrimitivePolynomialGeneratesItsWholeField) {
  for (int bits : {4, 6, 8, 10, 12}) {
    SCOPED_TRACE(bits);
    const GaloisField* field = FieldForWordSize(bits);
    ASSERT_NE(nullptr, field);
    std::set<int> powers;
    for (int i = 0; i < field->Size() - 1; ++i) powers.insert(field->Exp(i));
    EXPECT_EQ(static_cast<std::size_t>(field->Size() - 1), powers.size());
    EXPECT_EQ(0, powers.count(0));
  }
  EXPECT_EQ(nullptr, FieldForWordSize(7));
}

TEST(AztecReedSolomon, ModeMessageGeneratorHasThePublishedCoefficients) {
  // Compact mode message: x^5 + 11x^4 + 4x^3 + 6x^2 + 2x + 1 over GF(16).
  EXPECT_EQ((std::vector<int>{1, 11, 4, 6, 2, 1}), aztec::detail::GeneratorPolynomial(*FieldForWordSize(4), 5));
}

TEST(AztecReedSolomon, ModeMessageCheckNibblesMatchASecondEncodersSymbols) {
  // Read off the mode messages a second encoder drew for one layer and 10 data words
  // (kCode2DCompact1 and kCode2DFull1 in Symbol_test.cpp).
  const GaloisField& gf16 = *FieldForWordSize(4);
  EXPECT_EQ((std::vector<int>{12, 2, 3, 1, 9}), aztec::detail::CheckWords(gf16, {0, 9}, 5));
  EXPECT_EQ((std::vector<int>{10, 13, 8, 6, 5, 6}), aztec::detail::CheckWords(gf16, {0, 0, 0, 9}, 6));
}

TEST(AztecReedSolomon, CheckWordsMakeEveryRootOfTheGeneratorAZero) {
  struct Case {
    int bits, dataWords, checkWords;
  };
  const Case cases[] = {{4, 2, 5}, {4, 4, 6}, {6, 10, 7}, {8, 55, 21}, {10, 700, 320}, {12, 1278, 386}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits);
    const GaloisField& field = *FieldForWordSize(c.bits);
    std::vector<int> word;
    unsigned seed = 12345;
    for (int i = 0; i < c.dataWords; ++i) {
      seed = seed * 1103515245u + 12345u;
      word.push_back(static_cast<int>((seed >> 8) % static_cast<unsigned>(field.Size())));
    }
    const std::vector<int> check = aztec::detail::CheckWords(field, word, c.checkWords);
    ASSERT_EQ(static_cast<std::size_t>(c.checkWords), check.size());
    word.insert(word.end(), check.begin(), check.end());
    for (int root = 1; root <= c.checkWords; ++root) EXPECT_EQ(0, Evaluate(field, word, field.Exp(root))) << root;

    // One wrong word shows in the first syndrome.
    word[word.size() / 2] ^= 1;
    EXPECT_NE(0, Evaluate(field, word, field.Exp(1)));
  }
}

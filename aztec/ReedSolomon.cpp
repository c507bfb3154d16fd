#include "ReedSolomon.h"

namespace aztec::detail {

GaloisField::GaloisField(int bits, int primitive)
    : bits_(bits), size_(1 << bits), exp_(2 * (size_ - 1)), log_(size_) {
  int value = 1;
  for (int power = 0; power < size_ - 1; ++power) {
    exp_[power] = value;
    exp_[power + size_ - 1] = value;
    log_[value] = power;
    value <<= 1;
    if (value & size_) value ^= primitive;
  }
}

const GaloisField* FieldForWordSize(int bits) {
  // Primitive polynomials of the symbology: x^4+x+1, x^6+x+1, x^8+x^5+x^3+x^2+1, x^10+x^3+1,
  // x^12+x^6+x^5+x^3+1. Built on first use; static locals are initialised thread-safely.
  static const GaloisField gf16(4, 0x13), gf64(6, 0x43), gf256(8, 0x12D), gf1024(10, 0x409),
      gf4096(12, 0x1069);
  switch (bits) {
    case 4: return &gf16;
    case 6: return &gf64;
    case 8: return &gf256;
    case 10: return &gf1024;
    case 12: return &gf4096;
    default: return nullptr;
  }
}

std::vector<int> GeneratorPolynomial(const GaloisField& field, int count) {
  std::vector<int> poly{1};
  for (int i = 1; i <= count; ++i) {
    // Multiply by (x + alpha^i); subtraction is addition in characteristic 2.
    const int root = field.Exp(i);
    poly.push_back(0);
    for (std::size_t k = poly.size() - 1; k > 0; --k) poly[k] ^= field.Multiply(poly[k - 1], root);
  }
  return poly;
}

std::vector<int> CheckWords(const GaloisField& field, const std::vector<int>& data, int count) {
  if (count <= 0) return {};
  const std::vector<int> generator = GeneratorPolynomial(field, count);
  // The generator's coefficients as logarithms (-1 for a zero one), so that each step of the
  // division takes one table look-up per coefficient.
  std::vector<int> logGenerator(generator.size());
  for (std::size_t k = 0; k < generator.size(); ++k) logGenerator[k] = generator[k] == 0 ? -1 : field.Log(generator[k]);

  // Remainder of data(x) * x^count divided by the generator, by long division in a shift register.
  std::vector<int> remainder(count, 0);
  for (int word : data) {
    const int feedback = word ^ remainder[0];
    if (feedback == 0) {
      remainder.erase(remainder.begin());
      remainder.push_back(0);
      continue;
    }
    const int logFeedback = field.Log(feedback);
    for (int k = 0; k < count; ++k) {
      const int next = k + 1 < count ? remainder[k + 1] : 0;
      const int logCoefficient = logGenerator[k + 1];
      remainder[k] = logCoefficient < 0 ? next : next ^ field.ExpSmall(logFeedback + logCoefficient);
    }
  }
  return remainder;
}

}  // namespace aztec::detail

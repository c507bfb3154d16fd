// Reed-Solomon check words over the Galois fields GF(2^m) that Aztec symbols use.
#pragma once

#include <vector>

namespace aztec::detail {

class GaloisField {
 public:
  // `primitive` is the field's primitive polynomial with its x^bits term (e.g. 0x13 = x^4 + x + 1).
  GaloisField(int bits, int primitive);

  int Bits() const { return bits_; }
  int Size() const { return size_; }
  // alpha^power for any power >= 0.
  int Exp(int power) const { return exp_[power % (size_ - 1)]; }
  // log_alpha(value) for a non-zero value.
  int Log(int value) const { return log_[value]; }
  // alpha^power for 0 <= power < 2 (size - 1), without the modulo.
  int ExpSmall(int power) const { return exp_[power]; }
  int Multiply(int a, int b) const {
    return (a == 0 || b == 0) ? 0 : exp_[log_[a] + log_[b]];
  }

 private:
  int bits_;
  int size_;
  std::vector<int> exp_;  // twice the group order, so Multiply needs no modulo
  std::vector<int> log_;
};

// The field for a codeword size of 4 (mode message), 6, 8, 10 or 12 bits; null for any other size.
const GaloisField* FieldForWordSize(int bits);

// Coefficients of prod_{i=1..count} (x - alpha^i), highest power first (the leading 1 included).
std::vector<int> GeneratorPolynomial(const GaloisField& field, int count);

// The `count` check words that follow `data` (highest power first) in a systematic code word.
std::vector<int> CheckWords(const GaloisField& field, const std::vector<int>& data, int count);

}  // namespace aztec::detail

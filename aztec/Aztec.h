// Aztec symbol encoder: builds the module matrix of an Aztec symbol from a byte string.
// Plain C++ with no platform header, so the barcode object and the tests share it as is.
#pragma once

#include <cassert>
#include <cstddef>
#include <utility>
#include <vector>

namespace aztec {

// A rectangle of cells stored row by row; the barcode object keeps one of unsigned bytes,
// one byte per module, 1 = dark.
template <typename T>
class matrix {
 public:
  matrix() = default;
  matrix(int columns, int rows) : columns_(columns), rows_(rows), cells_(static_cast<std::size_t>(columns) * rows) {}

  int columns() const { return columns_; }
  int rows() const { return rows_; }
  bool empty() const { return cells_.empty(); }
  T& operator()(int column, int row) { return cells_[Index(column, row)]; }
  const T& operator()(int column, int row) const { return cells_[Index(column, row)]; }
  const T* data() const { return cells_.data(); }
  void swap(matrix& other) {
    std::swap(columns_, other.columns_);
    std::swap(rows_, other.rows_);
    cells_.swap(other.cells_);
  }

 private:
  std::size_t Index(int column, int row) const {
    assert(column >= 0 && column < columns_ && row >= 0 && row < rows_);
    return static_cast<std::size_t>(row) * columns_ + column;
  }

  int columns_ = 0;
  int rows_ = 0;
  std::vector<T> cells_;
};

// Results of generate_aztec; anything but kOk leaves the caller's matrix as it was.
enum Status {
  kOk = 0,
  kInvalidArgument = 1,  // null or reversed range, empty data, unsupported format or option
  kDataTooLarge = 2,     // the data does not fit the largest symbol at the asked error correction
  kOutOfMemory = 3,
};

// A short English text for a status, for the caller's error log.
const char* StatusText(int status);

// Where the encoder reports a failure before returning it; none by default. The program installs
// its error log here.
using LogSink = void (*)(const char* message);
void SetLogSink(LogSink sink);

// The only format: the bytes are encoded as they are (no reader initialisation, no structured append).
constexpr int kFormatPlainData = 1;

// Fills `symbol` with the smallest Aztec symbol (compact 1-4 layers, full range 1-32 layers) that
// holds [first, last) with at least `minEccPercent` % of its codewords plus 3 for error correction.
// `format` must be kFormatPlainData and `readerInit` false. Returns a Status; never throws.
int generate_aztec(matrix<unsigned char>& symbol, const unsigned char* first, const unsigned char* last,
                   int minEccPercent, int format, bool readerInit);
inline int generate_aztec(matrix<unsigned char>& symbol, const char* first, const char* last,
                          int minEccPercent, int format, bool readerInit) {
  return generate_aztec(symbol, reinterpret_cast<const unsigned char*>(first),
                        reinterpret_cast<const unsigned char*>(last), minEccPercent, format, readerInit);
}

}  // namespace aztec

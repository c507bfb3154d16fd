#include "AztecTestRows.h"

#include <sstream>

#include "TestSupport.h"

namespace aztec_test {

std::vector<std::string> Rows(const aztec::matrix<unsigned char>& symbol) {
  std::vector<std::string> rows;
  for (int r = 0; r < symbol.rows(); ++r) {
    std::string row;
    for (int c = 0; c < symbol.columns(); ++c) row += symbol(c, r) ? 'X' : '.';
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::string> FixtureRows(const wchar_t* name) {
  std::istringstream text(testing_support::ReadFileBytes(std::wstring(VANTRY_TEST_DATA_DIR) + L"/" + name));
  std::vector<std::string> rows;
  for (std::string line; std::getline(text, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) rows.push_back(line);
  }
  return rows;
}

}  // namespace aztec_test

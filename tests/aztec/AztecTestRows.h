// Symbols as rows of 'X' (dark) and '.' (light), the form the tests compare.
#pragma once

#include <string>
#include <vector>

#include "Aztec.h"

namespace aztec_test {

std::vector<std::string> Rows(const aztec::matrix<unsigned char>& symbol);
// The non-empty lines of a fixture file in the tests' data folder.
std::vector<std::string> FixtureRows(const wchar_t* name);

}  // namespace aztec_test

// Fixtures written as hex rows ("0010: 01 02 ..."), with '#' comment lines. Each row's offset must
// follow on from the previous row, so a row can't silently go missing.
#pragma once
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "TestSupport.h"

inline std::string ReadHexFixture(const std::wstring& name) {
  std::istringstream text(testing_support::ReadFileBytes(std::wstring(VANTRY_TEST_DATA_DIR) + L"/" + name));
  std::string bytes, line;
  while (std::getline(text, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream row(line);
    std::string offset;
    row >> offset;
    EXPECT_EQ(std::stoul(offset, nullptr, 16), bytes.size()) << "row " << line;
    unsigned int value;
    while (row >> std::hex >> value) bytes.push_back(static_cast<char>(value));
  }
  EXPECT_FALSE(bytes.empty()) << "fixture " << std::string(name.begin(), name.end());
  return bytes;
}

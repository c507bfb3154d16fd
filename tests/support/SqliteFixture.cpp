#include "SqliteFixture.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "TestSupport.h"

namespace testing_support {

std::string Utf8(const std::wstring& text) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(length > 0 ? length - 1 : 0), '\0');
  if (length > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &result[0], length, nullptr, nullptr);
  return result;
}

SqliteFile::SqliteFile(const std::wstring& path) { EXPECT_EQ(SQLITE_OK, sqlite3_open16(path.c_str(), &db_)); }

SqliteFile::~SqliteFile() { sqlite3_close(db_); }

bool SqliteFile::Exec(const std::string& sql) {
  char* error = nullptr;
  const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error);
  EXPECT_EQ(SQLITE_OK, rc) << (error ? error : "");
  sqlite3_free(error);
  return rc == SQLITE_OK;
}

std::vector<std::vector<std::string>> SqliteFile::Query(const std::string& sql) {
  std::vector<std::vector<std::string>> rows;
  sqlite3_stmt* statement = nullptr;
  EXPECT_EQ(SQLITE_OK, sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr)) << sqlite3_errmsg(db_);
  while (statement != nullptr && sqlite3_step(statement) == SQLITE_ROW) {
    std::vector<std::string> row;
    for (int i = 0; i < sqlite3_column_count(statement); ++i) {
      const unsigned char* text = sqlite3_column_text(statement, i);
      row.push_back(text ? reinterpret_cast<const char*>(text) : "NULL");
    }
    rows.push_back(row);
  }
  sqlite3_finalize(statement);
  return rows;
}

std::wstring SqliteConnectString(const std::wstring& path) {
  return L"ODBC;Driver={SQLite3};Database=" + UnixPath(path);
}

}  // namespace testing_support

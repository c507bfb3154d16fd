// SQLite files for the database tests, made and read back with SQLite's own library so that what
// went through ODBC is checked by an independent reader.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct sqlite3;

namespace testing_support {

std::string Utf8(const std::wstring& text);

class SqliteFile {
 public:
  explicit SqliteFile(const std::wstring& path);
  ~SqliteFile();
  SqliteFile(const SqliteFile&) = delete;
  SqliteFile& operator=(const SqliteFile&) = delete;

  // Runs statements; false (with a test failure) when SQLite refuses them.
  bool Exec(const std::string& sql);
  // Rows of a query, each cell as UTF-8 text ("NULL" for NULL).
  std::vector<std::vector<std::string>> Query(const std::string& sql);

 private:
  sqlite3* db_ = nullptr;
};

// "ODBC;Driver={SQLite3};Database=<the host path>" for a file of the test.
std::wstring SqliteConnectString(const std::wstring& path);

}  // namespace testing_support

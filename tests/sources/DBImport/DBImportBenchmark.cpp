// Speed of the database import and export (a benchmark, not a test): a form of ten fields imports a
// table of many rows through the wizard and exports its records into an empty table, both through
// the ODBC driver into the default data source's SQLite file. Prints one "name value" line per
// figure; run_benchmark.py runs it and sets the SQLite shell's dump and load of the same table
// beside it. VANTRY_BENCH_ROWS sets the row count (100,000 when unset); VANTRY_BENCH_DATABASE names
// the host path of the default data source's file when the runner set up a data source of its own.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "DocumentFieldsSupport.h"
#include "SqliteFixture.h"
#include "WizardDriver.h"
#include "resource.h"

namespace {

using namespace wizard_driver;

int Rows() {
  const char* text = getenv("VANTRY_BENCH_ROWS");
  const int rows = text != nullptr ? atoi(text) : 0;
  return rows > 0 ? rows : 100000;
}

// The default data source's file as Windows sees it, and as the host sees it.
std::wstring Database() {
  const char* host = getenv("VANTRY_BENCH_DATABASE");
  if (host == nullptr || *host == 0) return DefaultDatabase();
  std::wstring path = L"Z:" + std::wstring(host, host + strlen(host));
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

std::string HostDatabase() {
  const char* host = getenv("VANTRY_BENCH_DATABASE");
  return host != nullptr && *host != 0 ? host : VANTRY_ODBC_DEFAULT_DATABASE;
}

double Seconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

class DatabaseBenchmark : public doctest::FieldsDocumentTest {};

TEST_F(DatabaseBenchmark, ImportAndExport) {
  const int rows = Rows();
  DeleteFileW(Database().c_str());
  const std::string columns = "c0 TEXT, c1 TEXT, c2 TEXT, c3 TEXT, c4 TEXT, c5 TEXT, c6 TEXT, c7 TEXT, paid BIT, sent BIT";
  {
    testing_support::SqliteFile file(Database());
    ASSERT_TRUE(file.Exec("CREATE TABLE bench (" + columns + "); CREATE TABLE bench_out (" + columns + ");"
                          "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                          std::to_string(rows - 1) +
                          ") INSERT INTO bench SELECT 'name ' || i, 'street ' || i, 'city ' || i, 'zip ' || i, "
                          "'phone ' || i, 'mail ' || i || '@example.org', 'note ' || i, 'code ' || i, i % 2, i % 3 = 0 "
                          "FROM n;"));
  }
  Links links;
  for (int i = 0; i < 8; ++i) {
    AddText((L"Text" + std::to_wstring(i)).c_str(), 0);
    links.push_back({L"Text" + std::to_wstring(i), L"c" + std::to_wstring(i)});
  }
  AddCheckMark(L"Paid");
  AddCheckMark(L"Sent");
  links.push_back({L"Paid", L"paid"});
  links.push_back({L"Sent", L"sent"});

  // Each figure includes working the wizard's pages, a fraction of a second.
  const double importStart = Seconds();
  RunCommand(doc_, ID_DB_IMPORT, [&](HWND sheet) { DriveWizard(sheet, L"bench", links); });
  const double importSeconds = Seconds() - importStart;
  ASSERT_EQ(rows + 1, doc_.GetRecordCount());

  const double exportStart = Seconds();
  RunCommand(doc_, ID_DB_EXPORT, [&](HWND sheet) { DriveWizard(sheet, L"bench_out", links); });
  const double exportSeconds = Seconds() - exportStart;
  const int exported = doc_.GetRecordCount();

  printf("rows %d\n", rows);
  printf("import_seconds %.3f\n", importSeconds);
  printf("import_rows_per_second %.0f\n", rows / importSeconds);
  printf("exported_rows %d\n", exported);
  printf("export_seconds %.3f\n", exportSeconds);
  printf("export_rows_per_second %.0f\n", exported / exportSeconds);
  printf("database %s\n", HostDatabase().c_str());
  fflush(stdout);
}

}  // namespace

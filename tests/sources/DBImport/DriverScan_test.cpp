// The scan of installed ODBC drivers for file kinds: over attribute lists given directly, and through
// the driver manager over the tests' own driver list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DriverScan.h"

namespace {

// "a=b|c=d" into the driver manager's form: zero-ended strings and an empty one at the end.
std::wstring Attributes(const std::wstring& list) {
  std::wstring result;
  for (wchar_t c : list) result += c == L'|' ? L'\0' : c;
  result += L'\0';
  result += L'\0';
  return result;
}

enum { kAccess, kExcel, kFoxPro, kDBase, kParadox, kText };

struct Driver {
  const wchar_t* description;
  const wchar_t* attributes;
};

struct ScanCase {
  const char* what;
  std::vector<Driver> drivers;
  // Per kind: the chosen description, or "" when the kind is not found.
  std::vector<std::wstring> chosen;
};

const wchar_t kAccessDriver[] = L"Microsoft Access Driver (*.mdb)";

class DriverScanCases : public ::testing::TestWithParam<ScanCase> {};

TEST_P(DriverScanCases, ChoosesTheDriverOfEachKind) {
  CDriverScan scan;
  for (const Driver& driver : GetParam().drivers) scan.AddDriver(driver.description, Attributes(driver.attributes).c_str());
  for (int kind = 0; kind < CDriverScan::kKinds; ++kind) {
    const CDriverScan::Result& result = scan.GetResult(kind);
    EXPECT_EQ(!GetParam().chosen[kind].empty(), result.found != FALSE) << "kind " << kind;
    EXPECT_EQ(GetParam().chosen[kind], std::wstring(result.description.GetString())) << "kind " << kind;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DriverScanCases,
    ::testing::Values(
        ScanCase{"each kind by its own driver's name",
                 {{kAccessDriver, L"FileUsage=2|FileExtns=*.mdb"},
                  {L"Microsoft Excel Driver (*.xls)", L"FileUsage=1|FileExtns=*.xls"},
                  {L"Microsoft Visual FoxPro Driver", L"FileUsage=1|FileExtns=*.dbf,*.cdx"},
                  {L"Microsoft dBase Driver (*.dbf)", L"FileUsage=1|FileExtns=*.dbf,*.ndx,*.mdx"},
                  {L"Microsoft Paradox Driver (*.db )", L"FileUsage=1|FileExtns=*.db"},
                  {L"Microsoft Text Driver (*.txt; *.csv)", L"FileUsage=1|FileExtns=*.,*.asc,*.csv,*.tab,*.txt"}},
                 {kAccessDriver, L"Microsoft Excel Driver (*.xls)", L"Microsoft Visual FoxPro Driver",
                  L"Microsoft dBase Driver (*.dbf)", L"Microsoft Paradox Driver (*.db )",
                  L"Microsoft Text Driver (*.txt; *.csv)"}},
        // A name match in any letter case wins over the extensions, and a later driver cannot replace it.
        ScanCase{"the excel name in another case with strange extensions",
                 {{L"my MICROSOFT EXCEL DRIVER copy", L"FileUsage=1|FileExtns=*.foo"},
                  {L"Other Sheets", L"FileUsage=1|FileExtns=*.xls"}},
                 {L"", L"my MICROSOFT EXCEL DRIVER copy", L"", L"", L"", L""}},
        // Only "*.dbf" belongs to both FoxPro's and dBase's own lists: a candidate for neither.
        ScanCase{"a driver of only dbf files", {{L"Some DBF Driver", L"FileUsage=1|FileExtns=*.dbf"}},
                 {L"", L"", L"", L"", L"", L""}},
        ScanCase{"candidates by extensions, the better score kept",
                 {{L"Loose dBase", L"FileUsage=1|FileExtns=*.dbf,*.ndx"},
                  {L"Better dBase", L"FileUsage=1|FileExtns=*.dbf,*.ndx,*.mdx"},
                  {L"Worse dBase", L"FileUsage=1|FileExtns=*.ndx,*.zzz"},
                  {L"Flat Files", L"FileUsage=2|FileExtns= *.csv, *.txt"}},
                 {L"", L"", L"", L"Better dBase", L"", L"Flat Files"}},
        // An extension of another kind's own list disqualifies the driver for this kind.
        ScanCase{"a foreign extension", {{L"Mixed", L"FileUsage=1|FileExtns=*.mdb,*.db"}},
                 {L"", L"", L"", L"", L"", L""}},
        // Without file usage, with usage 0, an unreadable usage or no extensions a driver is no candidate.
        ScanCase{"drivers that use no files",
                 {{kAccessDriver, L"FileUsage=0|FileExtns=*.mdb"},
                  {kAccessDriver, L"FileExtns=*.mdb"},
                  {kAccessDriver, L"FileUsage=x|FileExtns=*.mdb"},
                  {kAccessDriver, L"FileUsage=1|FileExtns=mdb"},
                  {kAccessDriver, L"=1|FileUsage=|FileUsage=1|FileExtns="}},
                 {L"", L"", L"", L"", L"", L""}}),
    [](const ::testing::TestParamInfo<ScanCase>& info) { return "case" + std::to_string(info.index); });

TEST(DriverScan, ParsesTheExtensionListOfADriver) {
  EXPECT_EQ((std::vector<CString>{L"*.*", L"*.asc", L"*.csv"}),
            CDriverScan::ParseExtensions(L"*.,x*.asc, *.csv,*.csv,nodot"));
}

TEST(DriverScan, StopsOnceEveryKindWasFoundByName) {
  CDriverScan scan;
  const wchar_t* names[] = {kAccessDriver, L"Microsoft Excel Driver", L"Microsoft Visual FoxPro Driver",
                            L"Microsoft dBase Driver", L"Microsoft Paradox Driver", L"Microsoft Text Driver"};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(i == 5, scan.AddDriver(names[i], Attributes(L"FileUsage=1|FileExtns=*.q").c_str()) != FALSE);
  EXPECT_TRUE(scan.AllFoundByName());
}

TEST(DriverScan, TheFilterNamesTheFoundKindsAndTheConnectStringsFollowTheKind) {
  CDriverScan scan;
  scan.AddDriver(L"Microsoft Paradox Driver", Attributes(L"FileUsage=1|FileExtns=*.db").c_str());
  scan.AddDriver(kAccessDriver, Attributes(L"FileUsage=2|FileExtns=*.mdb,*.accdb").c_str());
  std::vector<int> kinds;
  EXPECT_EQ(CString(L"Access files (*.mdb;*.accdb)|*.mdb;*.accdb|Paradox files (*.db)|*.db||"),
            scan.BuildFilter(kinds));
  EXPECT_EQ((std::vector<int>{kAccess, kParadox}), kinds);
  EXPECT_EQ(CString(L"ODBC;Driver={Microsoft Access Driver (*.mdb)};DBQ=C:\\data\\a.mdb"),
            scan.BuildConnectString(kAccess, L"C:\\data\\a.mdb"));
  EXPECT_EQ(CString(L"ODBC;Driver={Microsoft Paradox Driver};DefaultDir=C:\\data;DBQ=C:\\data"),
            scan.BuildConnectString(kParadox, L"C:\\data\\t.db"));
  CDriverScan none;
  EXPECT_EQ(CString(L"|"), none.BuildFilter(kinds));
  EXPECT_TRUE(kinds.empty());
}

TEST(DriverScan, TheFoxProTailNamesTheExtensionAndTheFile) {
  CDriverScan scan;
  scan.AddDriver(L"Microsoft Visual FoxPro Driver", Attributes(L"FileUsage=1|FileExtns=*.dbc").c_str());
  EXPECT_EQ(CString(L"ODBC;Driver={Microsoft Visual FoxPro Driver};SourceType=dbc;SourceDb=C:\\f\\x.dbc"),
            scan.BuildConnectString(kFoxPro, L"C:\\f\\x.dbc"));
}

// The tests' driver list: the SQLite driver (no file kind) and entries with file kinds.
TEST(DriverScan, ReadsTheInstalledDriversThroughTheDriverManager) {
  CDriverScan scan;
  ASSERT_TRUE(ScanInstalledDrivers(scan));
  EXPECT_EQ(CString(L"Microsoft Access Driver (*.mdb)"), scan.GetResult(kAccess).description);
  EXPECT_EQ(CString(L"Driver do Microsoft dBase (*.dbf)"), scan.GetResult(kDBase).description);
  EXPECT_EQ(CString(L"*.dbf;*.ndx;*.mdx"), scan.GetResult(kDBase).extensions);
  EXPECT_EQ(CString(L"Plain Text Files"), scan.GetResult(kText).description);
  EXPECT_EQ(CString(L"*.*;*.asc;*.csv;*.tab;*.txt"), scan.GetResult(kText).extensions);
  EXPECT_FALSE(scan.GetResult(kExcel).found);
  EXPECT_FALSE(scan.GetResult(kFoxPro).found);
  EXPECT_FALSE(scan.GetResult(kParadox).found);
}

}  // namespace

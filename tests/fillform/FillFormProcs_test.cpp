// The helpers under the fill-form library: the error log as Quillet writes it, its catch-all report,
// number reading and file-name pieces.
#include "FillFormProcs.h"

#include <gtest/gtest.h>

#include <regex>
#include <stdexcept>

#include "ProfilesFixture.h"

using fillform_test::IsolatedUser;

// Outside the unnamed namespace, so the log names it as a hosted class would be named.
struct LogProbe {
  static const int kCatchLine = __LINE__ + 4;  // the line of DEF_CATCH below
  int Fail() {
    DEF_TRY
    throw std::runtime_error("unexpected");
    DEF_CATCH(-1)
  }
};

namespace {

TEST(FillFormErrorLog, EntriesAreDatedAndAppendedInUtf16) {
  IsolatedUser user;
  EXPECT_EQ(std::wstring(GetFilesPathName()), user.Path() + L"\\Vantry");
  AppendErrorLog(L"Can't open database: x");
  AppendErrorLog(L"Город 'é'");
  // day.month.year  hour:minute:second.millisecond, without leading zeros
  const std::wstring date = L"\\d{1,2}\\.\\d{1,2}\\.\\d{4}  \\d{1,2}:\\d{1,2}:\\d{1,2}\\.\\d{1,3}\r\n";
  const std::wregex twoEntries(date + L"Can't open database: x\r\n\r\n" + date +
                               L"Город 'é'\r\n\r\n");
  const std::wstring log = user.ErrorLog();
  EXPECT_TRUE(std::regex_match(log, twoEntries)) << fillform_test::Utf8(log);
}

TEST(FillFormErrorLog, MissingProductFolderWritesNothingAndCreatesNothing) {
  IsolatedUser user;
  ASSERT_TRUE(RemoveDirectoryW(user.VantryFolder().c_str()));
  AppendErrorLog(L"lost");
  EXPECT_EQ(GetFileAttributesW(user.VantryFolder().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(FillFormErrorLog, CaughtExceptionIsReportedWithFileLineAndMethod) {
  IsolatedUser user;
  const int line = LogProbe::kCatchLine;
  EXPECT_EQ(LogProbe().Fail(), -1);
  const std::wstring log = user.ErrorLog();
  EXPECT_NE(log.find(L"\r\nException (DEF_TRY - DEF_CATCH)\r\nFile "), std::wstring::npos)
      << fillform_test::Utf8(log);
  EXPECT_NE(log.find(L"FillFormProcs_test.cpp\r\nLine " + std::to_wstring(line) +
                     L"\r\nFunction LogProbe::Fail\r\n\r\n"),
            std::wstring::npos)
      << fillform_test::Utf8(log);
}

struct NumberCase {
  const wchar_t* text;
  double value;
  bool whole;
};

TEST(FillFormNumbers, StrToDoubleTakesTheLeadingNumber) {
  const NumberCase cases[] = {
      {L"3.25", 3.25, true}, {L"12,5", 12.0, false}, {L"abc", 0.0, false}, {L"-", 0.0, true},
      {L"+", 0.0, true},     {L"", 0.0, true},       {L"-7.5e1x", -75.0, false},
  };
  for (const NumberCase& c : cases) {
    double value = 99;
    EXPECT_EQ(StrToDouble(c.text, value), c.whole ? TRUE : FALSE) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
}

struct PathCase {
  const wchar_t* path;
  const wchar_t* folder;
  const wchar_t* name;
};

TEST(FillFormPaths, FolderAndNameSplitAtTheLastBackslashElseColon) {
  const PathCase cases[] = {
      {L"C:\\Users\\a\\general.db", L"C:\\Users\\a\\", L"general.db"},
      {L"C:general.db", L"C:", L"general.db"},
      {L"general.db", L"", L"general.db"},
      {L"C:\\dir\\", L"C:\\dir\\", L""},
  };
  for (const PathCase& c : cases) {
    EXPECT_EQ(std::wstring(ExtractFilePath(c.path)), c.folder) << c.path;
    EXPECT_EQ(std::wstring(ExtractFileName(c.path)), c.name) << c.path;
  }
}

}  // namespace

// The editor's command line, parsed from argument lists over real files and folders.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <algorithm>

#include "EditorInstances.h"
#include "TestSupport.h"
#include "VYCommandLineInfo.h"

#include <shellapi.h>

namespace {

using testing_support::TempFolder;
using testing_support::WriteFileBytes;

class CommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryW(In().c_str(), nullptr);
    CreateDirectoryW(Out().c_str(), nullptr);
    CreateDirectoryW(Empty().c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(In() + L"\\a.scv", "SCV"));
    ASSERT_TRUE(WriteFileBytes(In() + L"\\B.SCV", "SCV"));
    ASSERT_TRUE(WriteFileBytes(In() + L"\\c.rtf", "{\\rtf1}"));
    CreateDirectoryW((In() + L"\\sub.scv").c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(In() + L"\\sub.scv\\d.scv", "SCV"));
    ASSERT_TRUE(WriteFileBytes(Doc(), "SCV"));
  }
  std::wstring In() const { return folder.File(L"in"); }
  std::wstring Out() const { return folder.File(L"out"); }
  std::wstring Empty() const { return folder.File(L"empty"); }
  std::wstring Doc() const { return folder.File(L"letter.scv"); }

  // Hands the arguments over as the framework does: a leading "/" or "-" is a switch, removed.
  static void Parse(VYCommandLineInfo& info, const std::vector<std::wstring>& args) {
    for (size_t i = 0; i < args.size(); ++i) {
      const std::wstring& a = args[i];
      const BOOL flag = !a.empty() && (a[0] == L'/' || a[0] == L'-');
      info.ParseParam(flag ? a.c_str() + 1 : a.c_str(), flag, i + 1 == args.size());
    }
  }

  TempFolder folder;
};

TEST_F(CommandLine, FileWithIniDataAndPrinting) {
  VYCommandLineInfo info;
  Parse(info, {L"/f", Doc(), L"/d", folder.File(L"data.INI"), L"/p"});
  EXPECT_EQ(info.m_nErrorCode, 0);
  EXPECT_TRUE(info.m_bCommandLine);
  EXPECT_TRUE(info.m_bFileGiven);
  EXPECT_STREQ(info.m_strFileName, Doc().c_str());
  ASSERT_EQ(info.m_files.GetCount(), 1);
  EXPECT_STREQ(info.m_files.GetHead(), Doc().c_str());
  EXPECT_TRUE(info.m_bDataGiven);
  EXPECT_TRUE(info.m_bIniData);
  EXPECT_FALSE(info.m_bProfileData);
  EXPECT_STREQ(info.m_iniPath, folder.File(L"data.INI").c_str());
  EXPECT_TRUE(info.m_bPrint);
  EXPECT_TRUE(info.PrintsInBatch());
  EXPECT_FALSE(info.m_bSaveToOutput);
  EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen) << "the framework's parsing saw the bare file";
}

TEST_F(CommandLine, ProfileGroupFolderAndOutput) {
  VYCommandLineInfo info;
  Parse(info, {L"-in", In(), L"/out", Out(), L"/g", L"My group", L"/d", L"Big profile.v2", L"/o"});
  EXPECT_EQ(info.m_nErrorCode, 0);
  EXPECT_TRUE(info.m_bFolderGiven);
  EXPECT_TRUE(info.m_bOutGiven);
  EXPECT_TRUE(info.m_bSaveToOutput);
  EXPECT_TRUE(info.m_bProfileData);
  EXPECT_FALSE(info.m_bIniData);
  EXPECT_STREQ(info.m_profileName, L"Big profile.v2");
  EXPECT_STREQ(info.m_dataValue, L"Big profile.v2");
  EXPECT_STREQ(info.m_groupName, L"My group");
  EXPECT_TRUE(info.m_bOpen);
  EXPECT_TRUE(info.m_bOpenEach);
  EXPECT_FALSE(info.m_bKeepOpen);
  EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileNew);
  // Only the scv files of the folder itself, whatever the case of their extension.
  ASSERT_EQ(info.m_files.GetCount(), 2);
  std::vector<std::wstring> files;
  for (POSITION pos = info.m_files.GetHeadPosition(); pos;) files.push_back(static_cast<LPCWSTR>(info.m_files.GetNext(pos)));
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files[0], In() + L"\\B.SCV");
  EXPECT_EQ(files[1], In() + L"\\a.scv");
}

TEST_F(CommandLine, KeepOpenTurnsPrintingOff) {
  VYCommandLineInfo info;
  Parse(info, {L"/f", Doc(), L"/p", L"/o2"});
  EXPECT_TRUE(info.m_bPrint);
  EXPECT_TRUE(info.m_bKeepOpen);
  EXPECT_FALSE(info.PrintsInBatch());
}

TEST_F(CommandLine, SwitchesWithoutEffectOrWithFlagsOnly) {
  VYCommandLineInfo info;
  Parse(info, {L"/r", L"/pd", L"/?"});
  EXPECT_TRUE(info.m_bDataOnly);
  EXPECT_TRUE(info.m_bPrintDialog);
  EXPECT_TRUE(info.m_bUsage);
  EXPECT_TRUE(info.m_bCommandLine);
  EXPECT_EQ(info.m_nErrorCode, 0);
  EXPECT_FALSE(info.m_bFileGiven);
}

TEST_F(CommandLine, BareFileIsNoCommandLineMode) {
  VYCommandLineInfo info;
  Parse(info, {Doc()});
  EXPECT_FALSE(info.m_bCommandLine);
  EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);
  EXPECT_STREQ(info.m_strFileName, Doc().c_str());
}

TEST_F(CommandLine, ErrorCodes) {
  struct {
    const char* name;
    std::vector<std::wstring> args;
    int code;
  } const cases[] = {
      {"missing file", {L"/f", folder.File(L"none.scv")}, SCRIVEL_ERROR_FILE},
      {"missing printer", {L"/f", Doc(), L"/pt", L"No Such Printer"}, SCRIVEL_ERROR_PRINTER},
      {"missing in folder", {L"/in", folder.File(L"none")}, SCRIVEL_ERROR_NO_IN_FOLDER},
      {"in folder without documents", {L"/in", Empty()}, SCRIVEL_ERROR_NO_DOCUMENTS},
      {"missing out folder", {L"/f", Doc(), L"/out", folder.File(L"none")}, SCRIVEL_ERROR_NO_OUT_FOLDER},
      {"same folder", {L"/in", In(), L"/out", In()}, SCRIVEL_ERROR_SAME_FOLDER},
      {"same folder spelt differently", {L"/in", In(), L"/out", In() + L"\\..\\IN\\"}, SCRIVEL_ERROR_SAME_FOLDER},
      {"a later error replaces an earlier one", {L"/f", folder.File(L"none.scv"), L"/in", Empty()},
       SCRIVEL_ERROR_NO_DOCUMENTS},
      {"the folder check comes last", {L"/in", In(), L"/out", In(), L"/pt", L"No Such Printer"},
       SCRIVEL_ERROR_SAME_FOLDER},
  };
  for (const auto& c : cases) {
    VYCommandLineInfo info;
    Parse(info, c.args);
    EXPECT_EQ(info.m_nErrorCode, c.code) << c.name;
  }
}

TEST_F(CommandLine, MissingFileLeavesNoShellCommand) {
  VYCommandLineInfo info;
  Parse(info, {L"/f", folder.File(L"none.scv")});
  EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileNothing);
}

TEST_F(CommandLine, FileLockedForReadingCannotBeFilled) {
  HANDLE locked = CreateFileW(Doc().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  VYCommandLineInfo info;
  Parse(info, {L"/f", Doc()});
  CloseHandle(locked);
  EXPECT_EQ(info.m_nErrorCode, SCRIVEL_ERROR_FILE);
}

TEST(InstanceParameters, CarryEveryValueWholeInQuotes) {
  struct {
    const wchar_t *data, *group, *out, *expected;
  } const cases[] = {
      {L"", L"", L"", L"/f \"C:\\in dir\\a.scv\" /o2"},
      {L"My profile", L"", L"", L"/f \"C:\\in dir\\a.scv\" /o2 /d \"My profile\""},
      {L"My profile", L"Group one", L"D:\\out", L"/f \"C:\\in dir\\a.scv\" /o2 /d \"My profile\" /g \"Group one\" /out \"D:\\out\""},
      {L"", L"", L"D:\\out", L"/f \"C:\\in dir\\a.scv\" /o2 /out \"D:\\out\""},
      // A drive root keeps its backslash without escaping the closing quote.
      {L"", L"G", L"D:\\", L"/f \"C:\\in dir\\a.scv\" /o2 /g \"G\" /out \"D:\\\\\""},
  };
  for (const auto& c : cases) {
    const CString parameters = BuildInstanceParameters(L"C:\\in dir\\a.scv", c.data, c.group, c.out);
    EXPECT_STREQ(parameters, c.expected);
    // The program's own parsing gets every value back whole.
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW((L"Scrivel.exe " + std::wstring(parameters)).c_str(), &argc);
    ASSERT_NE(argv, nullptr);
    VYCommandLineInfo info;
    for (int i = 1; i < argc; ++i) {
      const BOOL flag = argv[i][0] == L'/';
      info.ParseParam(flag ? argv[i] + 1 : argv[i], flag, i == argc - 1);
    }
    LocalFree(argv);
    EXPECT_STREQ(info.m_strFileName, L"C:\\in dir\\a.scv");
    EXPECT_TRUE(info.m_bKeepOpen);
    EXPECT_STREQ(info.m_profileName, c.data);
    EXPECT_STREQ(info.m_groupName, c.group);
    EXPECT_STREQ(info.m_outFolder, c.out);
  }
}

// Values with quotes and backslashes anywhere: each arrives as exactly one parameter with its own
// text, so nothing in a name can end it early and add switches of its own.
TEST(InstanceParameters, QuotesAndBackslashesInsideValuesCannotInjectSwitches) {
  struct {
    const char* name;
    const wchar_t *file, *data, *group, *out;
  } const cases[] = {
      {"quote in the profile", L"C:\\a.scv", L"Bob \" /p /d \"x", L"", L""},
      {"quote and trailing backslash", L"C:\\a.scv", L"", L"G\\\"", L"D:\\out\\"},
      {"backslashes before a quote", L"C:\\a.scv", L"a\\\\\"b", L"c\\", L""},
      {"quote in the path", L"C:\\we\"ird\\d.scv", L"", L"", L"E:\\"},
      {"only a backslash", L"C:\\a.scv", L"\\", L"\\\\", L""},
      {"spaces and tabs", L"C:\\in dir\\t\tab.scv", L" lead", L"tail ", L""},
  };
  for (const auto& c : cases) {
    const CString parameters = BuildInstanceParameters(c.file, c.data, c.group, c.out);
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW((L"Scrivel.exe " + std::wstring(parameters)).c_str(), &argc);
    ASSERT_NE(argv, nullptr) << c.name;
    std::vector<std::wstring> expected = {L"Scrivel.exe", L"/f", c.file, L"/o2"};
    if (*c.data) expected.insert(expected.end(), {L"/d", c.data});
    if (*c.group) expected.insert(expected.end(), {L"/g", c.group});
    if (*c.out) expected.insert(expected.end(), {L"/out", c.out});
    EXPECT_EQ(std::vector<std::wstring>(argv, argv + argc), expected) << c.name << ": " << static_cast<LPCWSTR>(parameters);
    LocalFree(argv);
  }
}

}  // namespace

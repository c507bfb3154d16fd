// Orvello's command line, parsed from argument lists over real files and folders: the switches, the
// values they take, the error codes and the shell command the framework is left with.
#include "VYCommandLineInfo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

using testing_support::TempFolder;
using testing_support::WriteFileBytes;

class OrvelloCommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CreateDirectoryW(In().c_str(), nullptr);
    ::CreateDirectoryW(Out().c_str(), nullptr);
    ::CreateDirectoryW(NoForms().c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(In() + L"\\a.rud", "KTD"));
    ASSERT_TRUE(WriteFileBytes(In() + L"\\B.QLM", "KTD"));
    ASSERT_TRUE(WriteFileBytes(In() + L"\\letter.scv", "SCV"));
    ASSERT_TRUE(WriteFileBytes(In() + L"\\notes.txt", "x"));
    ::CreateDirectoryW((In() + L"\\sub.rud").c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(NoForms() + L"\\notes.txt", "x"));
    ASSERT_TRUE(WriteFileBytes(Form(), "KTD"));
  }
  std::wstring In() const { return folder.File(L"in"); }
  std::wstring Out() const { return folder.File(L"out"); }
  std::wstring NoForms() const { return folder.File(L"noforms"); }
  std::wstring Form() const { return folder.File(L"order.qlm"); }

  // Hands the arguments over as the framework does: a leading "/" or "-" is a switch, removed.
  static void Parse(VYCommandLineInfo& info, const std::vector<std::wstring>& args) {
    for (size_t i = 0; i < args.size(); ++i) {
      const std::wstring& a = args[i];
      const BOOL flag = !a.empty() && (a[0] == L'/' || a[0] == L'-');
      info.ParseParam(flag ? a.c_str() + 1 : a.c_str(), flag, i + 1 == args.size());
    }
  }
  static int Error(const VYCommandLineInfo& info) {
    int code = 0;
    return info.GetErrorCode(code) ? code : 0;
  }

  TempFolder folder;
};

TEST_F(OrvelloCommandLine, AFormWithAnIniFileAndPrinting) {
  VYCommandLineInfo info;
  Parse(info, {L"/f", Form(), L"/d", folder.File(L"data.INI"), L"/p"});
  EXPECT_EQ(0, Error(info));
  EXPECT_EQ(1, info.m_commandLine);
  EXPECT_EQ(1, info.m_formGiven);
  EXPECT_EQ(1, info.m_print);
  EXPECT_EQ(1, info.m_iniData);
  EXPECT_EQ(folder.File(L"data.INI"), std::wstring(info.GetDataFileName()));
  ASSERT_EQ(1, info.m_templates.GetCount());
  EXPECT_EQ(Form(), std::wstring(info.m_templates.GetHead()));
  // The shell opens the form as usual; /p is not the framework's print.
  EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
  EXPECT_EQ(Form(), std::wstring(info.m_strFileName));
}

TEST_F(OrvelloCommandLine, ErrorCodesOfTheSwitches) {
  const struct {
    std::vector<std::wstring> args;
    int code;
  } cases[] = {
      {{L"/f", L"Z:\\no\\such\\form.qlm"}, CMDLINE_ERROR_FORM},
      {{L"/f", Form(), L"/pt", L"No Such Printer 77"}, CMDLINE_ERROR_PRINTER},
      {{L"/in", L"Z:\\no\\such\\folder"}, CMDLINE_ERROR_NO_IN_FOLDER},
      {{L"/in", NoForms()}, CMDLINE_ERROR_NO_TEMPLATE},
      {{L"/f", Form(), L"/out", L"Z:\\no\\such\\folder"}, CMDLINE_ERROR_NO_OUT_FOLDER},
      {{L"/f", Form(), L"/viz", L"Z:\\no\\such\\folder"}, CMDLINE_ERROR_NO_OUT_FOLDER},
      {{L"/in", In(), L"/out", In()}, CMDLINE_ERROR_SAME_FOLDER},
      {{L"/in", In(), L"/out", In() + L"\\"}, CMDLINE_ERROR_SAME_FOLDER},
      {{L"/in", In() + L"\\", L"/viz", folder.File(L"IN")}, 0},
      {{L"/out", folder.File(L"in\\..\\in"), L"/in", In()}, CMDLINE_ERROR_SAME_FOLDER},
      {{L"/in", In(), L"/out", Out()}, 0},
  };
  for (const auto& c : cases) {
    VYCommandLineInfo info;
    Parse(info, c.args);
    EXPECT_EQ(c.code, Error(info)) << std::wstring(c.args.back()).c_str();
  }
}

TEST_F(OrvelloCommandLine, AFolderListsItsTemplatesAndEditorDocuments) {
  VYCommandLineInfo info;
  Parse(info, {L"/in", In(), L"/out", Out()});
  EXPECT_EQ(0, Error(info));
  EXPECT_EQ(1, info.m_saveToOutput);
  EXPECT_EQ(CCommandLineInfo::FileNothing, info.m_nShellCommand) << "the batch opens the templates itself";
  std::vector<std::wstring> templates;
  for (POSITION pos = info.m_templates.GetHeadPosition(); pos;) templates.push_back(std::wstring(info.m_templates.GetNext(pos)));
  std::sort(templates.begin(), templates.end());
  EXPECT_EQ((std::vector<std::wstring>{In() + L"\\B.QLM", In() + L"\\a.rud"}), templates);
  ASSERT_EQ(1, info.m_editorDocuments.GetCount());
  EXPECT_EQ(In() + L"\\letter.scv", std::wstring(info.m_editorDocuments.GetHead()));
}

TEST_F(OrvelloCommandLine, KeepOpenClearsAnEarlierPrint) {
  VYCommandLineInfo before, after;
  Parse(before, {L"/f", Form(), L"/p", L"/o"});
  EXPECT_EQ(0, before.m_print);
  EXPECT_EQ(1, before.m_keepOpen);
  Parse(after, {L"/f", Form(), L"/o", L"/p"});
  EXPECT_EQ(1, after.m_print);
  EXPECT_EQ(1, after.m_keepOpen);
}

TEST_F(OrvelloCommandLine, AProfileWithItsGroupAndTheOtherSwitches) {
  VYCommandLineInfo info;
  Parse(info, {L"/g", L"Clients", L"/d", L"Smith", L"/f", Form(), L"/r", L"/pd", L"/?"});
  EXPECT_EQ(1, info.m_profileData);
  EXPECT_EQ(0, info.m_iniData);
  EXPECT_STREQ(L"Smith", info.m_profileName);
  EXPECT_STREQ(L"Clients", info.m_groupName);
  EXPECT_EQ(1, info.m_dataOnly);
  EXPECT_EQ(1, info.m_pdGiven);
  EXPECT_EQ(1, info.m_help);
}

// Started by the virtual printer: no start-up document, and still an ordinary interactive run.
TEST_F(OrvelloCommandLine, TheVirtualPrintersSwitchIsNoCommandLineRun) {
  VYCommandLineInfo info;
  Parse(info, {L"/vp"});
  EXPECT_EQ(1, info.m_vpGiven);
  EXPECT_EQ(0, info.m_commandLine);
  EXPECT_EQ(CCommandLineInfo::FileNothing, info.m_nShellCommand);
}

TEST_F(OrvelloCommandLine, APlainFileIsOpenedWithoutACommandLineRun) {
  VYCommandLineInfo info;
  Parse(info, {Form()});
  EXPECT_EQ(0, info.m_commandLine);
  EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
  EXPECT_EQ(Form(), std::wstring(info.m_strFileName));
}

// Only the form is the shell's file, whichever switch's value came first: an INI file or a group
// name opened as a document would end the start-up before the batch.
TEST_F(OrvelloCommandLine, TheShellOpensOnlyTheForm) {
  const struct {
    std::vector<std::wstring> args;
    int command;
    std::wstring file;
  } cases[] = {
      {{L"/d", folder.File(L"data.ini"), L"/f", Form()}, CCommandLineInfo::FileOpen, Form()},
      {{L"/g", L"Clients", L"/d", L"Smith", L"/f", Form(), L"/p"}, CCommandLineInfo::FileOpen, Form()},
      {{L"/d", folder.File(L"data.ini"), L"/p"}, CCommandLineInfo::FileNew, L""},
      {{L"/in", In(), L"/out", Out()}, CCommandLineInfo::FileNothing, L""},
  };
  for (const auto& c : cases) {
    VYCommandLineInfo info;
    Parse(info, c.args);
    EXPECT_EQ(c.command, info.m_nShellCommand) << c.args.front();
    EXPECT_EQ(c.file, std::wstring(info.m_strFileName)) << c.args.front();
  }
}

TEST_F(OrvelloCommandLine, SwitchNamesAreCaseSensitive) {
  VYCommandLineInfo info;
  Parse(info, {L"/F", Form()});
  EXPECT_EQ(0, info.m_commandLine);
  EXPECT_EQ(0, info.m_formGiven);
}

}  // namespace

// The frame's help commands (recorded, never started), the default browser lookup and the spell
// checker's language choice without a spell checker.
#include "MainFrm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameTestSupport.h"
#include "MyProcs.h"
#include "resource.h"

namespace {

struct HELP_CALL {
  std::wstring browser;
  std::wstring location;
};
std::vector<HELP_CALL> g_help;
void RecordHelp(LPCTSTR browser, LPCTSTR location) {
  g_help.push_back({browser != nullptr ? browser : L"", location != nullptr ? location : L""});
}

std::vector<std::wstring> g_boxes;
int RecordBox(LPCTSTR text, UINT) {
  g_boxes.push_back(text != nullptr ? text : L"");
  return IDOK;
}

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

class FrameToolsTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    g_help.clear();
    g_boxes.clear();
    previousHelp_ = CMainFrame::SetHelpLauncher(RecordHelp);
    previousBox_ = SetMessageBoxPresenter(RecordBox);
  }
  void TearDown() override {
    CMainFrame::SetHelpLauncher(previousHelp_);
    SetMessageBoxPresenter(previousBox_);
    theApp.m_languageId = CFolimarApp::kLanguageEnglish;
    FrameTest::TearDown();
  }
  void Command(UINT id) { frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  CMainFrame::HelpLauncher previousHelp_ = nullptr;
  MessageBoxPresenter previousBox_ = nullptr;
};

TEST_F(FrameToolsTest, HelpCommandsOpenTheirPagesOfTheHelpFile) {
  ASSERT_NE(nullptr, OpenFrame());
  const struct {
    UINT command;
    const wchar_t* page;
  } cases[] = {{ID_HELP_FIRST_STEP, L"2000.htm"}, {ID_HELP_CONTENTS, L"1000.htm"}, {ID_HELP_FORM_FILLING, L"5000.htm"},
               {ID_HELP_SUPPORT, L"4000.htm"},    {ID_HELP_ORDERING, L"6000.htm"}, {ID_HELP_FAQ, L"7000.htm"},
               {ID_HELP_HOWTO, L"3000.htm"}};
  for (const auto& c : cases) {
    g_help.clear();
    Command(c.command);
    ASSERT_EQ(1u, g_help.size()) << c.page;
    EXPECT_EQ(L"", g_help[0].browser);
    EXPECT_EQ(ProgramFolder() + L"Orvello.chm::\\" + c.page, g_help[0].location);
  }
  g_help.clear();
  frame->HelpBackup();
  ASSERT_EQ(1u, g_help.size());
  EXPECT_EQ(ProgramFolder() + L"Orvello.chm::\\creationofbackupcopy.htm", g_help[0].location);
}

TEST_F(FrameToolsTest, TheRussianInterfaceOpensTheHelpPagesInTheDefaultBrowser) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Clients\\StartMenuInternet", 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
  const wchar_t browser[] = L"testbrowser.exe";
  ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(browser), sizeof(browser));
  ASSERT_NE(nullptr, OpenFrame());
  theApp.m_languageId = 25;
  Command(ID_HELP_CONTENTS);
  frame->HelpRestore();
  ASSERT_EQ(2u, g_help.size());
  EXPECT_EQ(L"testbrowser.exe", g_help[0].browser);
  EXPECT_EQ(L"\"file:///" + ProgramFolder() + L"help/index.html\"", g_help[0].location);
  EXPECT_EQ(L"\"file:///" + ProgramFolder() + L"help/index.html#reserve\"", g_help[1].location);

  // A key without a name: the system's own browser.
  ::RegDeleteValueW(key, nullptr);
  ::RegCloseKey(key);
  CMainFrame fresh;
  EXPECT_STREQ(L"iexplore.exe", fresh.GetDefaultBrowser());
  ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Clients\\StartMenuInternet");
  CMainFrame without;
  EXPECT_STREQ(L"", without.GetDefaultBrowser()) << "no key, no browser";
}

TEST_F(FrameToolsTest, ChoosingTheSpellingLanguageWithoutASpellCheckerSaysSo) {
  ASSERT_NE(nullptr, OpenFrame());
  Command(ID_SPELLING_SELECT_LANGUAGE);
  CString expected;
  expected.LoadString(IDS_NO_SPELL_CHECKER);
  ASSERT_EQ(1u, g_boxes.size());
  EXPECT_EQ(std::wstring(expected), g_boxes[0]);
}

}  // namespace

// The frame's help commands (recorded, never started), the default browser lookup and the spell
// checker's language choice.
#include "MainFrm.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "FrameTestSupport.h"
#include "DialogDriver.h"
#include "RestoreDlg.h"
#include "BackupDlg.h"
#include "BitDepthDialog.h"
#include "MyProcs.h"
#include "SpellCheckResource.h"
#include "PageSetup.h"
#include "PrintOptions.h"
#include "resource.h"

namespace {

struct HELP_CALL {
  std::wstring browser;
  std::wstring location;
  UINT command;
  DWORD_PTR data;
};
std::vector<HELP_CALL> g_help;
void RecordHelp(LPCTSTR browser, LPCTSTR location, UINT command, DWORD_PTR data) {
  g_help.push_back({browser != nullptr ? browser : L"", location != nullptr ? location : L"", command, data});
}
// The help viewer's commands.
const UINT kDisplayToc = 0x0001, kHelpContext = 0x000F;

// Runs a dialog and presses its Help button.
template <typename Dialog>
void PressHelp(Dialog& dialog, int button) {
  testing_support::RunDialog(dialog, [button](HWND window) { testing_support::Click(window, button); });
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

// The Help buttons of the backup and restore dialogs open their pages.
TEST_F(FrameToolsTest, TheBackupAndRestoreDialogsHelpButtonsOpenTheirPages) {
  ASSERT_NE(nullptr, OpenFrame());
  CBackupDlg backup;
  PressHelp(backup, IDC_BACKUP_HELP);
  CRestoreDlg restore;
  PressHelp(restore, IDC_BACKUP_HELP);
  ASSERT_EQ(2u, g_help.size());
  EXPECT_EQ(ProgramFolder() + L"Orvello.chm::\\creationofbackupcopy.htm", g_help[0].location);
  EXPECT_EQ(ProgramFolder() + L"Orvello.chm::\\restorationfrombackupcopy.htm", g_help[1].location);
}

// The Help buttons of the bit depth, page setup and print options dialogs: a topic by its context
// number, the page setup's own page, the print options' page.
TEST_F(FrameToolsTest, TheImagePageAndPrintDialogsHelpButtonsOpenTheirTopics) {
  ASSERT_NE(nullptr, OpenFrame());
  CBitDepthDialog depth;
  PressHelp(depth, IDHELP);
  CPageSetup setup;
  PressHelp(setup, IDC_BUTTON_PAGE_HELP);
  CPrintOptions options;
  PressHelp(options, IDHELP);
  ASSERT_EQ(3u, g_help.size());
  EXPECT_EQ(L"", g_help[0].browser);
  EXPECT_EQ(ProgramFolder() + L"Orvello.chm", g_help[0].location);
  EXPECT_EQ(kHelpContext, g_help[0].command);
  EXPECT_EQ(8u, g_help[0].data);
  EXPECT_EQ(ProgramFolder() + L"Orvello.chm::\\3020.htm", g_help[1].location);
  EXPECT_EQ(kDisplayToc, g_help[1].command);
  EXPECT_EQ(ProgramFolder() + L"Orvello.chm::\\8000.htm", g_help[2].location);
  EXPECT_EQ(kDisplayToc, g_help[2].command);

  // In the Russian interface the print options' page is the browser's, the others stay in the file.
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Clients\\StartMenuInternet", 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
  const wchar_t browser[] = L"testbrowser.exe";
  ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(browser), sizeof(browser));
  ::RegCloseKey(key);
  theApp.m_languageId = 25;
  g_help.clear();
  CPrintOptions russian;
  PressHelp(russian, IDHELP);
  CPageSetup russianSetup;
  PressHelp(russianSetup, IDC_BUTTON_PAGE_HELP);
  ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Clients\\StartMenuInternet");
  ASSERT_EQ(2u, g_help.size());
  EXPECT_EQ(L"testbrowser.exe", g_help[0].browser);
  EXPECT_EQ(L"\"file:///" + ProgramFolder() + L"help/index.html#print\"", g_help[0].location);
  EXPECT_EQ(L"", g_help[1].browser);
  EXPECT_EQ(ProgramFolder() + L"Orvello.chm::\\3020.htm", g_help[1].location);
}

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

// The language choice is the spell checker's own dialog; cancelled here, so the user's stored choice
// (which the spelling tests rely on) stays.
TEST_F(FrameToolsTest, ConfigureSpellcheckerShowsTheCheckersLanguageChoice) {
  ASSERT_NE(nullptr, OpenFrame());
  int languages = 0;
  testing_support::RunDialog(
      [this] {
        Command(ID_SPELLING_SELECT_LANGUAGE);
        return static_cast<INT_PTR>(0);
      },
      [&languages](HWND dialog) {
        languages = static_cast<int>(::SendDlgItemMessageW(dialog, IDC_SPELL_LANGUAGES, LB_GETCOUNT, 0, 0));
        testing_support::Click(dialog, IDCANCEL);
      });
  EXPECT_EQ(3, languages) << "English, German and Russian";
  EXPECT_TRUE(g_boxes.empty()) << "the checker is installed";
}

// The pixel at (x, y) of a window as it is on the screen now.
COLORREF ScreenPixel(CWnd& window, int x, int y) {
  HDC source = ::GetWindowDC(window.m_hWnd);
  HDC memory = ::CreateCompatibleDC(source);
  HBITMAP bitmap = ::CreateCompatibleBitmap(source, 1, 1);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, 1, 1, source, x, y, SRCCOPY);
  const COLORREF color = ::GetPixel(memory, 0, 0);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(window.m_hWnd, source);
  return color;
}

// What the current look paints as the background of `bar` at (x, y).
COLORREF LookBackground(CBasePane& bar, int x, int y) {
  CRect client;
  bar.GetClientRect(&client);
  CDC screen;
  screen.Attach(::GetDC(nullptr));
  CDC memory;
  memory.CreateCompatibleDC(&screen);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&screen, client.Width(), client.Height());
  CBitmap* old = memory.SelectObject(&bitmap);
  CMFCVisualManager::GetInstance()->OnFillBarBackground(&memory, &bar, client, client);
  const COLORREF color = memory.GetPixel(x, y);
  memory.SelectObject(old);
  ::ReleaseDC(nullptr, screen.Detach());
  return color;
}

TEST_F(FrameToolsTest, ALookIsAppliedRedrawnCheckedAndStored) {
  ASSERT_NE(nullptr, OpenFrame());
  const struct {
    UINT command;
    CRuntimeClass* look;
  } cases[] = {{ID_VIEW_LOOK_WIN2000, RUNTIME_CLASS(CMFCVisualManager)},
               {ID_VIEW_LOOK_OFFICE_XP, RUNTIME_CLASS(CMFCVisualManagerOfficeXP)},
               {ID_VIEW_LOOK_WIN_XP, RUNTIME_CLASS(CMFCVisualManagerWindows)},
               {ID_VIEW_LOOK_OFFICE_2003, RUNTIME_CLASS(CMFCVisualManagerOffice2003)},
               {ID_VIEW_LOOK_VS_2005, RUNTIME_CLASS(CMFCVisualManagerVS2005)},
               {ID_VIEW_LOOK_VS_2008, RUNTIME_CLASS(CMFCVisualManagerVS2008)},
               {ID_VIEW_LOOK_OFFICE_2007_BLACK, RUNTIME_CLASS(CMFCVisualManagerOffice2007)},
               {ID_VIEW_LOOK_WIN7, RUNTIME_CLASS(CMFCVisualManagerWindows7)}};
  CMFCToolBar* bar = frame->GetMainBar();
  ASSERT_NE(nullptr, bar);
  CRect client;
  bar->GetClientRect(&client);
  // A point of the bar's face right of its buttons.
  const int x = client.right - 3, y = client.Height() / 2;
  std::set<COLORREF> faces;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    Command(c.command);
    EXPECT_EQ(c.look, CMFCVisualManager::GetInstance()->GetRuntimeClass());
    EXPECT_EQ(c.command, ReadInt(L"ApplicationLook"));
    EXPECT_EQ(1, QueryCommand(frame, c.command).checked);
    EXPECT_EQ(0, QueryCommand(frame, c.command == ID_VIEW_LOOK_WIN7 ? ID_VIEW_LOOK_WIN2000 : ID_VIEW_LOOK_WIN7).checked);
    CRect window;
    bar->GetWindowRect(&window);
    CPoint onWindow(x, y);
    bar->ClientToScreen(&onWindow);
    const COLORREF face = LookBackground(*bar, x, y);
    faces.insert(face);
    EXPECT_EQ(face, ScreenPixel(*bar, onWindow.x - window.left, onWindow.y - window.top));
  }
  EXPECT_GE(faces.size(), 4u) << "the looks paint the bar differently, so a bar left unpainted shows";
  CloseFrame();
  ASSERT_NE(nullptr, OpenFrame());
  EXPECT_EQ(RUNTIME_CLASS(CMFCVisualManagerWindows7), CMFCVisualManager::GetInstance()->GetRuntimeClass())
      << "the stored look comes back";
}

// Answers the message boxes a thread shows, one answer each in turn, as a user would click them.
struct BOX_ANSWERS {
  DWORD thread;
  std::vector<int> answers;
  std::vector<std::wstring> texts;
};

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  ::GetClassNameW(window, name, 16);
  if (lstrcmpW(name, L"#32770") != 0 || !::IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

DWORD WINAPI AnswerBoxes(LPVOID param) {
  BOX_ANSWERS* work = static_cast<BOX_ANSWERS*>(param);
  for (int answer : work->answers) {
    HWND box = nullptr;
    for (int i = 0; i < 1000 && box == nullptr; ++i) {
      ::EnumThreadWindows(work->thread, FindBox, reinterpret_cast<LPARAM>(&box));
      if (box == nullptr) ::Sleep(10);
    }
    if (box == nullptr) return 1;
    wchar_t text[256] = {};
    ::GetDlgItemTextW(box, 0xFFFF, text, 256);
    work->texts.push_back(text);
    ::PostMessageW(box, WM_COMMAND, answer, 0);
    for (int i = 0; i < 1000 && ::IsWindow(box); ++i) ::Sleep(10);
  }
  return 0;
}

TEST_F(FrameToolsTest, CloseAllAsksAboutEachModifiedDocumentAndKeepsTheRefusedOne) {
  ASSERT_NE(nullptr, OpenFrame());
  CFolimarDoc* first = NewDocument(1);
  CFolimarDoc* second = NewDocument(1);
  ASSERT_NE(nullptr, first);
  ASSERT_NE(nullptr, second);
  first->SetModifiedFlag(TRUE);
  second->SetModifiedFlag(TRUE);
  EXPECT_TRUE(QueryCommand(frame, ID_WINDOW_CLOSE_ALL).enabled);
  BOX_ANSWERS work = {::GetCurrentThreadId(), {IDCANCEL, IDNO}, {}};
  HANDLE thread = ::CreateThread(nullptr, 0, AnswerBoxes, &work, 0, nullptr);
  Command(ID_WINDOW_CLOSE_ALL);
  ::WaitForSingleObject(thread, 30000);
  ::CloseHandle(thread);
  Pump();
  EXPECT_EQ(2u, work.texts.size()) << "one question for each document";
  std::vector<CDocument*> open;
  for (POSITION pos = s_template->GetFirstDocPosition(); pos;) open.push_back(s_template->GetNextDoc(pos));
  ASSERT_EQ(1u, open.size());
  EXPECT_EQ(static_cast<CDocument*>(first), open[0]) << "the one refused stays";
  frame->CloseAllDocumentsWS();
  Pump();
  EXPECT_EQ(nullptr, s_template->GetFirstDocPosition()) << "closing without asking";
  EXPECT_FALSE(QueryCommand(frame, ID_WINDOW_CLOSE_ALL).enabled);
}

}  // namespace

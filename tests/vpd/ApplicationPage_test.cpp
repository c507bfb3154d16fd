// The Application page and its two sub-dialogs in a real sheet, read back from the registry.
#include "PageTest.h"

namespace {

using namespace vpd_test;

const std::wstring kPost = kTree + L"\\Application\\Postconverter";

class ApplicationPageTest : public PageTest {};

struct Fields {
  const wchar_t* title;
  const wchar_t* windowClass;
  const wchar_t* messageId;
  const wchar_t* timeout;
};

void pressConfigure(void* data) {
  auto* args = static_cast<std::pair<HWND, int>*>(data);
  click(args->first, args->second);
}

void fillCopyDataAndOk(HWND dialog, void* data) {
  const Fields* fields = static_cast<const Fields*>(data);
  typeText(dialog, IDC_COPYDATA_WINDOW_TITLE, fields->title);
  typeText(dialog, IDC_COPYDATA_WINDOW_CLASS, fields->windowClass);
  typeText(dialog, IDC_COPYDATA_MESSAGE_ID, fields->messageId);
  typeText(dialog, IDC_COPYDATA_TIMEOUT, fields->timeout);
  click(dialog, IDOK);
}

void fillPipeAndOk(HWND dialog, void*) {
  typeText(dialog, IDC_PIPE_NAME, L"\\\\.\\pipe\\receiver");
  typeText(dialog, IDC_PIPE_MESSAGE_SIZE, L"4096");
  typeText(dialog, IDC_PIPE_TIMEOUT, L"abc");  // no leading digits: 0
  click(dialog, IDC_PIPE_LAUNCH);
  click(dialog, IDOK);
}

void typeAndCancel(HWND dialog, void*) {
  typeText(dialog, IDC_PIPE_NAME, L"never stored");
  click(dialog, IDCANCEL);
}

TEST_F(ApplicationPageTest, TheEnabledStatesFollowEnabledAndTheTransferMode) {
  setDword(HKEY_CURRENT_USER, kPost, L"Enabled", 1);
  setDword(HKEY_CURRENT_USER, kPost, L"Transfer Mode", 2);  // a mode the page does not offer
  HWND page = openPage(L"Application");
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(checked(page, IDC_APP_ENABLE));
  for (int id : {IDC_APP_VIA_COMMAND_LINE, IDC_APP_VIA_COPYDATA, IDC_APP_VIA_PIPE}) EXPECT_FALSE(checked(page, id));
  EXPECT_FALSE(enabled(page, IDC_APP_CONFIGURE_COPYDATA));
  EXPECT_FALSE(enabled(page, IDC_APP_CONFIGURE_PIPE));
  EXPECT_TRUE(enabled(page, IDC_APP_EXECUTABLE));

  struct Case {
    int radio;
    bool copyData;
    bool pipe;
  };
  for (const Case& c : {Case{IDC_APP_VIA_PIPE, false, true}, Case{IDC_APP_VIA_COPYDATA, true, false},
                        Case{IDC_APP_VIA_COMMAND_LINE, false, false}}) {
    click(page, c.radio);
    EXPECT_TRUE(checked(page, c.radio));
    EXPECT_EQ(enabled(page, IDC_APP_CONFIGURE_COPYDATA), c.copyData) << c.radio;
    EXPECT_EQ(enabled(page, IDC_APP_CONFIGURE_PIPE), c.pipe) << c.radio;
  }

  click(page, IDC_APP_ENABLE);  // off: everything but the check box itself
  for (int id : {IDC_APP_EXECUTABLE, IDC_APP_BROWSE, IDC_APP_VIA_COMMAND_LINE, IDC_APP_VIA_COPYDATA,
                 IDC_APP_VIA_PIPE, IDC_APP_CONFIGURE_COPYDATA, IDC_APP_CONFIGURE_PIPE})
    EXPECT_FALSE(enabled(page, id)) << id;
}

TEST_F(ApplicationPageTest, EditsReachTheCurrentUsersPostconverterKeyOnApply) {
  setDword(HKEY_LOCAL_MACHINE, kPost, L"Early Access", 5);  // kept and written back
  HWND page = openPage(L"Application");
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(enabled(page, IDC_APP_EXECUTABLE));
  click(page, IDC_APP_ENABLE);
  typeText(page, IDC_APP_EXECUTABLE, L"%ProgramFiles%\\Vantry\\Orvello.exe");
  click(page, IDC_APP_VIA_COPYDATA);
  Fields fields = {L"Orvello", L"OrvelloFrame", L"1027", L"30000"};
  std::pair<HWND, int> configure(page, IDC_APP_CONFIGURE_COPYDATA);
  whileDialogOpen(L"WM_COPYDATA", pressConfigure, &configure, fillCopyDataAndOk, &fields);
  EXPECT_FALSE(valueExists(HKEY_CURRENT_USER, kPost, L"Enabled")) << "nothing is written before Apply";
  sheet->apply();

  DWORD number = 0;
  std::wstring text;
  struct Expected {
    const wchar_t* name;
    DWORD value;
  };
  for (const Expected& e : {Expected{L"Enabled", 1}, Expected{L"Transfer Mode", 1}, Expected{L"Message Id", 1027},
                            Expected{L"Timeout", 30000}, Expected{L"Early Access", 5}}) {
    ASSERT_TRUE(getDword(HKEY_CURRENT_USER, kPost, e.name, number)) << "missing value";
    EXPECT_EQ(number, e.value);
  }
  ASSERT_TRUE(getString(HKEY_CURRENT_USER, kPost, L"Executable File", text));
  EXPECT_EQ(text, L"%ProgramFiles%\\Vantry\\Orvello.exe");
  ASSERT_TRUE(getString(HKEY_CURRENT_USER, kPost, L"Window Title", text));
  EXPECT_EQ(text, L"Orvello");
  ASSERT_TRUE(getString(HKEY_CURRENT_USER, kPost, L"Window Class", text));
  EXPECT_EQ(text, L"OrvelloFrame");
  EXPECT_FALSE(valueExists(HKEY_LOCAL_MACHINE, kPost, L"Enabled"));  // the pages write the user's key only

  // Opened again, the page shows what was stored.
  page = openPage(L"Application");
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(checked(page, IDC_APP_VIA_COPYDATA));
  EXPECT_EQ(controlText(page, IDC_APP_EXECUTABLE), L"%ProgramFiles%\\Vantry\\Orvello.exe");
}

TEST_F(ApplicationPageTest, ACancelledSubDialogChangesNothingButLightsApply) {
  setDword(HKEY_CURRENT_USER, kPost, L"Enabled", 1);
  setDword(HKEY_CURRENT_USER, kPost, L"Transfer Mode", 3);
  setString(HKEY_CURRENT_USER, kPost, L"Pipe Name", L"old");
  HWND page = openPage(L"Application");
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(sheet->applyEnabled());
  std::pair<HWND, int> configure(page, IDC_APP_CONFIGURE_PIPE);
  whileDialogOpen(L"Pipe", pressConfigure, &configure, typeAndCancel, nullptr);
  EXPECT_TRUE(sheet->applyEnabled());
  sheet->apply();
  std::wstring text;
  ASSERT_TRUE(getString(HKEY_CURRENT_USER, kPost, L"Pipe Name", text));
  EXPECT_EQ(text, L"old");
  EXPECT_FALSE(valueExists(HKEY_CURRENT_USER, kPost, L"Pipe Message Size")) << "an unchanged page writes nothing";

  whileDialogOpen(L"Pipe", pressConfigure, &configure, fillPipeAndOk, nullptr);
  sheet->apply();
  DWORD number = 0;
  ASSERT_TRUE(getString(HKEY_CURRENT_USER, kPost, L"Pipe Name", text));
  EXPECT_EQ(text, L"\\\\.\\pipe\\receiver");
  ASSERT_TRUE(getDword(HKEY_CURRENT_USER, kPost, L"Pipe Message Size", number));
  EXPECT_EQ(number, 4096u);
  ASSERT_TRUE(getDword(HKEY_CURRENT_USER, kPost, L"Timeout", number));
  EXPECT_EQ(number, 0u);
  ASSERT_TRUE(getDword(HKEY_CURRENT_USER, kPost, L"Pipe Launch Application", number));
  EXPECT_EQ(number, 1u);
}

void pressBrowse(void* page) { click(static_cast<HWND>(page), IDC_APP_BROWSE); }

// The file dialog's name box and its Open button, by their common-dialog ids.
void chooseNotepad(HWND dialog, void*) {
  const int fileNameEdit = 0x480;
  const int fileNameCombo = 0x47C;
  HWND name = GetDlgItem(dialog, fileNameCombo);
  if (!name) name = GetDlgItem(dialog, fileNameEdit);
  SetWindowTextW(name, L"C:\\windows\\notepad.exe");
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

void cancelFileDialog(HWND dialog, void*) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

TEST_F(ApplicationPageTest, BrowsePutsTheChosenProgramIntoTheEdit) {
  setDword(HKEY_CURRENT_USER, kPost, L"Enabled", 1);
  setString(HKEY_CURRENT_USER, kPost, L"Executable File", L"C:\\old.exe");
  HWND page = openPage(L"Application");
  ASSERT_NE(page, nullptr);
  whileDialogOpen(L"Open", pressBrowse, page, cancelFileDialog, nullptr);
  EXPECT_EQ(controlText(page, IDC_APP_EXECUTABLE), L"C:\\old.exe");
  whileDialogOpen(L"Open", pressBrowse, page, chooseNotepad, nullptr);
  EXPECT_EQ(controlText(page, IDC_APP_EXECUTABLE), L"C:\\windows\\notepad.exe");
  sheet->apply();
  std::wstring text;
  ASSERT_TRUE(getString(HKEY_CURRENT_USER, kPost, L"Executable File", text));
  EXPECT_EQ(text, L"C:\\windows\\notepad.exe");
}

}  // namespace

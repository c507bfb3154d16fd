// Orvello.exe started as a user starts it, watched from outside: a document named on the command line
// in its window with one tab per page, the exit codes read in full (0 after WM_CLOSE, -5 for a second
// instance), the program mode kept from one run to the next and the settings records of a run.
#include <gtest/gtest.h>

#include <string>

#include "ArchiveFixtures.h"
#include "DialogDriver.h"
#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "LMyBitmap.h"
#include "FrameOptions.h"
#include "MyProcs.h"
#include "ProgramTestSupport.h"
#include "TestSupport.h"
#include "resource.h"

CFolimarApp theApp;

namespace {

using testing_support::ChildProcess;

const wchar_t kSettings[] = L"SOFTWARE\\Quennick\\Vantry\\Settings";
const DWORD kWait = 60000;

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(program_test::DeleteProfile()); }
  void TearDown() override { program_test::DeleteProfile(); }

  static std::wstring CommandLine(const std::wstring& document = std::wstring()) {
    std::wstring line = L"\"" + testing_support::ProgramFolder() + L"\\Orvello.exe\"";
    if (!document.empty()) line += L" \"" + document + L"\"";
    return line;
  }
  // Runs the program on `document` and ends it as the user does; its exit code.
  static DWORD RunAndClose(const std::wstring& document, UINT command = 0) {
    ChildProcess program(CommandLine(document));
    HWND frame = program.WaitForMainWindow(kWait);
    if (frame == nullptr || program_test::WaitForDocumentView(program, frame, kWait) == nullptr) return STILL_ACTIVE;
    if (command != 0) ::SendMessageW(frame, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    return program.WaitForExit(kWait);
  }
  static DWORD ReadInt(const wchar_t* name) {
    DWORD value = 0, size = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, kSettings, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
      return 0xFFFFFFFF;
    return value;
  }
  static std::string ReadBinary(const wchar_t* name) {
    BYTE data[1024];
    DWORD size = sizeof(data);
    if (::RegGetValueW(HKEY_CURRENT_USER, kSettings, name, RRF_RT_REG_BINARY, nullptr, data, &size) != ERROR_SUCCESS)
      return std::string();
    return std::string(reinterpret_cast<const char*>(data), size);
  }
  static void WriteBinary(const wchar_t* name, const std::string& bytes) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kSettings, name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
  }
  template <class T>
  static std::string BytesOf(const T& record) {
    return std::string(reinterpret_cast<const char*>(&record), sizeof(record));
  }

  testing_support::TempFolder folder_;
};

TEST_F(ProgramTest, ADocumentOnTheCommandLineOpensInItsWindowWithATabPerPage) {
  const std::wstring path = folder_.File(L"three pages.qlm");
  ASSERT_TRUE(program_test::MakeQuadrantDocument(path, 3, 1.0));
  ChildProcess program(CommandLine(path));
  HWND frame = program.WaitForMainWindow(kWait);
  ASSERT_NE(nullptr, frame);
  HWND view = program_test::WaitForDocumentView(program, frame, kWait);
  ASSERT_NE(nullptr, view);
  wchar_t caption[256] = L"";
  ::GetWindowTextW(frame, caption, 256);
  EXPECT_EQ(0u, std::wstring(caption).find(L"Vantry 2.78.3")) << caption;
  EXPECT_NE(std::wstring::npos, std::wstring(caption).find(L"three pages")) << caption;
  EXPECT_EQ(3, program_test::CountPageTabs(view));
  RECT client;
  ::GetClientRect(view, &client);
  EXPECT_GT(client.right, 100);
  EXPECT_GT(client.bottom, 100);
  ASSERT_TRUE(::PostMessageW(frame, WM_CLOSE, 0, 0));
  EXPECT_EQ(0u, program.WaitForExit(kWait));
}

// The running instance goes on, and its log keeps its lines: the second only adds its own.
TEST_F(ProgramTest, ASecondInstanceEndsWithMinusFiveWhileTheFirstGoesOn) {
  ChildProcess first(CommandLine());
  HWND frame = first.WaitForMainWindow(kWait);
  ASSERT_NE(nullptr, frame);
  ChildProcess second(CommandLine());
  EXPECT_EQ(static_cast<DWORD>(-5), second.WaitForExit(kWait));
  EXPECT_EQ(STILL_ACTIVE, first.WaitForExit(0));
  EXPECT_TRUE(::IsWindowVisible(frame));
  // The frame shows before the first run writes its last start-up line: wait for the line.
  auto logText = [] {
    const std::string log = testing_support::ReadFileBytes(std::wstring(GetErrorLogPathName()));
    return std::wstring(reinterpret_cast<const wchar_t*>(log.data()), log.size() / sizeof(wchar_t));
  };
  std::wstring text = logText();
  for (DWORD waited = 0; text.find(L"CFolimarApp::InitInstance end") == std::wstring::npos && waited < kWait; waited += 50) {
    ::Sleep(50);
    text = logText();
  }
  EXPECT_NE(std::wstring::npos, text.find(L"CFolimarApp::InitInstance end")) << "the first run's lines";
  EXPECT_NE(std::wstring::npos, text.find(L"VantryMutex already exists.")) << "the second run's line";
  ::PostMessageW(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, first.WaitForExit(kWait));
}

// A mode chosen by its command is stored when the program ends and is the mode of the next run, which
// stores it again.
TEST_F(ProgramTest, AModeChosenByItsCommandIsBackAfterARestart) {
  const std::wstring path = folder_.File(L"form.qlm");
  ASSERT_TRUE(program_test::MakeQuadrantDocument(path, 1, 1.0));
  const struct {
    UINT command;
    DWORD mode;
  } cases[] = {{ID_TOOL_RECTANGLE, 6}, {ID_TOOL_LINE, 10}, {ID_TOOL_SELECT, 12}};
  for (const auto& c : cases) {
    ASSERT_EQ(0u, RunAndClose(path, c.command));
    EXPECT_EQ(c.mode, ReadInt(L"ProgramMode")) << c.command;
    ASSERT_EQ(0u, RunAndClose(path));
    EXPECT_EQ(c.mode, ReadInt(L"ProgramMode")) << c.command << ": after a run without a command";
  }
}

// A fresh profile: the records hold the defaults, but for the explanatory form, switched off because
// the forms folder has none.
TEST_F(ProgramTest, ARunOnAFreshProfileStoresTheDefaultRecords) {
  const std::wstring path = folder_.File(L"form.qlm");
  ASSERT_TRUE(program_test::MakeQuadrantDocument(path, 1, 1.0));
  ASSERT_EQ(0u, RunAndClose(path));
  _FRAME_OPTIONS options = DefaultFrameOptions();
  options.explanatoryDocAtStartup = 0;
  EXPECT_EQ(fixtures::ToHex(BytesOf(options)), fixtures::ToHex(ReadBinary(L"Options")));
  EXPECT_EQ(fixtures::ToHex(BytesOf(DefaultPdfOptions())), fixtures::ToHex(ReadBinary(L"PDFOptions")));
  EXPECT_EQ(fixtures::ToHex(BytesOf(DefaultPdfOptions2())), fixtures::ToHex(ReadBinary(L"PDFOptions2")));
  EXPECT_EQ(fixtures::ToHex(BytesOf(ToPropertiesRecord(_PROPERTIES()))), fixtures::ToHex(ReadBinary(L"PROPERTIES")));
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  EXPECT_EQ(fixtures::ToHex(BytesOf(style)), fixtures::ToHex(ReadBinary(L"TEXTSTYLEBARSETTINGS")));
  EXPECT_EQ(sizeof(WINDOWPLACEMENT), ReadBinary(L"WINDOWPLACEMENT").size());
  EXPECT_EQ(23u, ReadInt(L"ProgramMode"));

  // Damaged and short records are ignored: the next run stores the defaults again.
  WriteBinary(L"Options", BytesOf(options).substr(0, 40));
  WriteBinary(L"PDFOptions", std::string(sizeof(_PDF_OPTIONS), '\xff'));
  WriteBinary(L"TEXTSTYLEBARSETTINGS", std::string(12, 'x'));
  WriteBinary(L"WINDOWPLACEMENT", std::string(sizeof(WINDOWPLACEMENT), '\x7f'));
  ASSERT_EQ(0u, RunAndClose(path));
  EXPECT_EQ(fixtures::ToHex(BytesOf(options)), fixtures::ToHex(ReadBinary(L"Options")));
  EXPECT_EQ(fixtures::ToHex(BytesOf(DefaultPdfOptions())), fixtures::ToHex(ReadBinary(L"PDFOptions")));
  EXPECT_EQ(fixtures::ToHex(BytesOf(style)), fixtures::ToHex(ReadBinary(L"TEXTSTYLEBARSETTINGS")));
}

struct DialogSearch {
  int id;
  HWND found;
};

BOOL CALLBACK FindDialogWith(HWND window, LPARAM param) {
  DialogSearch* search = reinterpret_cast<DialogSearch*>(param);
  if (::IsWindowVisible(window) && ::GetDlgItem(window, search->id) != nullptr) search->found = window;
  return search->found == nullptr;
}

// A dialog of the program's thread that has the control `id`, once one shows; null otherwise.
HWND WaitForDialogWith(HWND frame, int id) {
  DialogSearch search = {id, nullptr};
  for (int i = 0; i < 3000 && search.found == nullptr; ++i) {
    ::EnumThreadWindows(::GetWindowThreadProcessId(frame, nullptr), FindDialogWith, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) ::Sleep(10);
  }
  return search.found;
}

// The active document window's page tabs once they number `count`; the last count seen otherwise.
int WaitForPageTabs(HWND frame, int count) {
  int seen = -1;
  for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < kWait && seen != count; ::Sleep(50)) {
    HWND view = program_test::FindDocumentView(frame);
    seen = view != nullptr ? program_test::CountPageTabs(view) : -1;
  }
  return seen;
}

std::wstring WindowsPath(std::wstring path) {
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

// File > New from an image and File > Open of an image, answered in the program's own dialogs: the
// three pages of a TIFF file each get their tab.
TEST_F(ProgramTest, FileNewAndOpenMakeADocumentOfEveryPageOfAnImage) {
  const std::wstring tiff = WindowsPath(std::wstring(VANTRY_TEST_DATA_DIR) + L"/images/pages_zip.tif");
  const std::wstring gif = WindowsPath(std::wstring(VANTRY_TEST_DATA_DIR) + L"/images/letter.gif");
  ChildProcess program(CommandLine());
  HWND frame = program.WaitForMainWindow(kWait);
  ASSERT_NE(nullptr, frame);

  ASSERT_TRUE(::PostMessageW(frame, WM_COMMAND, MAKEWPARAM(ID_FILE_NEW, 0), 0));
  HWND choice = WaitForDialogWith(frame, IDC_RADIO_NEW_FROM_IMAGE);
  ASSERT_NE(nullptr, choice);
  testing_support::Click(choice, IDC_RADIO_NEW_FROM_IMAGE);
  testing_support::Click(choice, IDOK);
  ASSERT_TRUE(testing_support::ChooseFileInOpenDialog(frame, tiff.c_str()));
  EXPECT_EQ(3, WaitForPageTabs(frame, 3));

  ASSERT_TRUE(::PostMessageW(frame, WM_COMMAND, MAKEWPARAM(ID_FILE_OPEN, 0), 0));
  ASSERT_TRUE(testing_support::ChooseFileInOpenDialog(frame, gif.c_str()));
  EXPECT_EQ(0, WaitForPageTabs(frame, 0));  // one page shows no tabs
  HWND view = program_test::FindDocumentView(frame);
  ASSERT_NE(nullptr, view);
  ::PostMessageW(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, program.WaitForExit(kWait));
}

}  // namespace

// The Image menu of the document window in the running program: its page commands change the page
// image, and the saved document holds the changed image.
TEST_F(ProgramTest, ImageMenuCommandsEditThePageImageOfTheRunningProgram) {
  const std::wstring path = folder_.File(L"scan.rud");
  ASSERT_TRUE(program_test::MakeQuadrantDocument(path, 1, 1.0));
  const UINT commands[] = {ID_IMAGE_FLIP, ID_IMAGE_ROTATE_90, ID_IMAGE_INVERT, ID_IMAGE_INVERT};
  HMODULE exe = ::LoadLibraryExW((testing_support::ProgramFolder() + L"\\Orvello.exe").c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, exe);
  HMENU menu = ::LoadMenuW(exe, MAKEINTRESOURCEW(IDR_FOLIMARTYPE));
  ASSERT_NE(nullptr, menu);
  for (UINT id : commands) EXPECT_NE(static_cast<UINT>(-1), ::GetMenuState(menu, id, MF_BYCOMMAND)) << id;
  ::DestroyMenu(menu);
  ::FreeLibrary(exe);

  ChildProcess program(CommandLine(path));
  HWND frame = program.WaitForMainWindow(kWait);
  ASSERT_NE(nullptr, frame);
  ASSERT_NE(nullptr, program_test::WaitForDocumentView(program, frame, kWait));
  for (UINT id : commands) ::SendMessageW(frame, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  ::SendMessageW(frame, WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE, 0), 0);
  ::PostMessageW(frame, WM_CLOSE, 0, 0);
  ASSERT_EQ(0u, program.WaitForExit(kWait));

  CFolimarDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(path.c_str(), TRUE));
  const LMyBitmap* image = doc.GetCurrentBitmap(0);
  ASSERT_NE(nullptr, image);
  // Flipped (blue and grey on top), then turned a quarter clockwise; inverted twice is as it was.
  ASSERT_EQ(program_test::kImageHeight, image->GetWidth());
  ASSERT_EQ(program_test::kImageWidth, image->GetHeight());
  const int w = image->GetWidth(), h = image->GetHeight();
  EXPECT_EQ(program_test::kQuadrants[0], image->GetPixelColor(5, 5));
  EXPECT_EQ(program_test::kQuadrants[2], image->GetPixelColor(w - 5, 5));
  EXPECT_EQ(program_test::kQuadrants[1], image->GetPixelColor(5, h - 5));
  EXPECT_EQ(program_test::kQuadrants[3], image->GetPixelColor(w - 5, h - 5));
}

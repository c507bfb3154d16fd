// The real Scrivel.exe run from a command line over real files: filled documents, exit codes, the
// error log, printing onto a test printer, and further instances.
#include <gtest/gtest.h>

#include <richedit.h>
#include <richole.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "../framework/HexFixture.h"
#include "InstalledPrinter.h"
#include "sqlite3.h"
#include "TestSupport.h"
#include "VYCommandLineInfo.h"

namespace {

using testing_support::ChildProcess;
using testing_support::ProgramFolder;
using testing_support::ReadFileBytes;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

const DWORD kTimeout = 60000;

std::wstring DocumentsFolder() {
  wchar_t path[MAX_PATH] = L"";
  DWORD size = sizeof(path);
  RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
               L"Personal", RRF_RT_REG_SZ, nullptr, path, &size);
  return path;
}

// The text of a Rich Text Format stream as the rich-edit control reads it.
std::wstring RichText(const std::string& rtf) {
  HMODULE library = LoadLibraryW(L"MSFTEDIT.DLL");
  HWND edit = CreateWindowExW(0, MSFTEDIT_CLASS, L"", WS_POPUP | ES_MULTILINE, 0, 0, 400, 300, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  SETTEXTEX set = {ST_DEFAULT, CP_ACP};
  SendMessageW(edit, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set), reinterpret_cast<LPARAM>(rtf.c_str()));
  wchar_t text[2048] = L"";
  GetWindowTextW(edit, text, 2048);
  DestroyWindow(edit);
  FreeLibrary(library);
  return text;
}

// The embedded objects a Rich Text Format stream holds once the rich-edit control has read it.
int ObjectCount(const std::string& rtf) {
  HMODULE library = LoadLibraryW(L"MSFTEDIT.DLL");
  HWND edit = CreateWindowExW(0, MSFTEDIT_CLASS, L"", WS_POPUP | ES_MULTILINE, 0, 0, 400, 300, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  SETTEXTEX set = {ST_DEFAULT, CP_ACP};
  SendMessageW(edit, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set), reinterpret_cast<LPARAM>(rtf.c_str()));
  IRichEditOle* ole = nullptr;
  SendMessageW(edit, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole));
  const int count = ole ? static_cast<int>(ole->GetObjectCount()) : -1;
  if (ole) ole->Release();
  DestroyWindow(edit);
  FreeLibrary(library);
  return count;
}

// A picture (an enhanced metafile: a black bar) as the Rich Text Format group of an embedded object.
std::string PictureGroup() {
  const RECT bounds = {0, 0, 3000, 1500};  // 0.01 mm
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &bounds, nullptr);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Rectangle(dc, 0, 0, 110, 55);
  HENHMETAFILE picture = CloseEnhMetaFile(dc);
  std::vector<BYTE> bits(GetEnhMetaFileBits(picture, 0, nullptr));
  GetEnhMetaFileBits(picture, static_cast<UINT>(bits.size()), bits.data());
  DeleteEnhMetaFile(picture);
  std::string group = "{\\pict\\emfblip\\picw3000\\pich1500\\picwgoal1701\\pichgoal850 ";
  const char digits[] = "0123456789abcdef";
  for (BYTE b : bits) {
    group += digits[b >> 4];
    group += digits[b & 15];
  }
  return group + "}";
}

// A visible top-level window whose title holds the text.
BOOL CALLBACK MatchTitle(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<std::pair<const wchar_t*, HWND>*>(context);
  wchar_t title[256] = L"";
  GetWindowTextW(window, title, 256);
  if (IsWindowVisible(window) && wcsstr(title, search->first) && wcsstr(title, L"Scrivel")) {
    search->second = window;
    return FALSE;
  }
  return TRUE;
}
HWND FindTitledWindow(const wchar_t* text) {
  std::pair<const wchar_t*, HWND> search(text, nullptr);
  EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

class ScrivelBatch : public ::testing::Test {
 protected:
  void SetUp() override {
    letter = ReadHexFixture(L"Letter.scv.hex");
    CreateDirectoryW(In().c_str(), nullptr);
    CreateDirectoryW(Out().c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(Letter(), letter));
    ASSERT_TRUE(WriteFileBytes(Ini(), "[Data]\r\nName=Alice Smith\r\nItem=book\r\nPrice=12.50\r\n\r\n[Other]\r\nMissing=no\r\n"));
    logFolder = DocumentsFolder() + L"\\Scrivel";
    CreateDirectoryW(logFolder.c_str(), nullptr);
    DeleteFileW(LogPath().c_str());
  }
  std::wstring In() const { return folder.File(L"in"); }
  std::wstring Out() const { return folder.File(L"out"); }
  std::wstring Letter() const { return In() + L"\\Letter.scv"; }
  std::wstring Ini() const { return folder.File(L"data.ini"); }
  std::wstring LogPath() const { return logFolder + L"\\error.log"; }

  // Runs the program with the parameters and returns its exit code.
  static DWORD Run(const std::wstring& parameters) {
    ChildProcess program(L"\"" + ProgramFolder() + L"\\Scrivel.exe\" " + parameters);
    EXPECT_TRUE(program.Started());
    return program.WaitForExit(kTimeout);
  }
  static std::wstring Q(const std::wstring& text) { return L"\"" + text + L"\""; }
  std::wstring Log() const {
    const std::string bytes = ReadFileBytes(LogPath());
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
  }

  TempFolder folder;
  std::string letter;
  std::wstring logFolder;
};

TEST_F(ScrivelBatch, FillsFromIniDataAndSavesIntoOutputFolder) {
  EXPECT_EQ(Run(L"/f " + Q(Letter()) + L" /d " + Q(Ini()) + L" /out " + Q(Out())), 0u);
  const std::string saved = ReadFileBytes(Out() + L"\\Letter.scv");
  ASSERT_GT(saved.size(), 24u);
  // The header carries the margins the document was loaded with.
  EXPECT_EQ(saved.substr(0, 24), letter.substr(0, 24));
  EXPECT_EQ(RichText(saved.substr(24)),
            L"Dear Alice Smith, your book costs 12.50.\r\nRegards, [name] and [Missing].\r\nAlice Smith");
  EXPECT_EQ(ReadFileBytes(Letter()), letter) << "the template stays as it was";
}

TEST_F(ScrivelBatch, FolderOfDocumentsIsFilledIntoOutputFolder) {
  ASSERT_TRUE(WriteFileBytes(In() + L"\\Second.scv", letter));
  ASSERT_TRUE(WriteFileBytes(In() + L"\\Notes.txt", "not a document"));
  EXPECT_EQ(Run(L"/in " + Q(In()) + L" /d " + Q(Ini()) + L" /out " + Q(Out())), 0u);
  for (const wchar_t* name : {L"\\Letter.scv", L"\\Second.scv"}) {
    const std::string saved = ReadFileBytes(Out() + name);
    ASSERT_GT(saved.size(), 24u) << name;
    EXPECT_EQ(RichText(saved.substr(24)).substr(0, 17), L"Dear Alice Smith,") << name;
  }
  EXPECT_EQ(GetFileAttributesW((Out() + L"\\Notes.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ScrivelBatch, AnEmbeddedPictureStaysInTheFilledDocument) {
  const std::string rtf = "{\\rtf1\\ansi Dear [Name], see " + PictureGroup() + " here.\\par}";
  ASSERT_EQ(ObjectCount(rtf), 1) << "the rich-edit control reads the picture as an object";
  ASSERT_TRUE(WriteFileBytes(Letter(), letter.substr(0, 24) + rtf));
  EXPECT_EQ(Run(L"/f " + Q(Letter()) + L" /d " + Q(Ini()) + L" /out " + Q(Out())), 0u);
  const std::string saved = ReadFileBytes(Out() + L"\\Letter.scv");
  ASSERT_GT(saved.size(), 24u);
  const std::wstring text = RichText(saved.substr(24));
  EXPECT_EQ(text.substr(0, 22), L"Dear Alice Smith, see ");
  EXPECT_EQ(text.substr(text.size() - 6), L" here.");
  EXPECT_NE(saved.find("\\pict", 24), std::string::npos);
  EXPECT_EQ(ObjectCount(saved.substr(24)), 1);
}

TEST_F(ScrivelBatch, DocumentAloneFillsAndSavesNothing) {
  EXPECT_EQ(Run(L"/f " + Q(Letter())), 0u);
  EXPECT_EQ(ReadFileBytes(Letter()), letter);
}

TEST_F(ScrivelBatch, ExitCodes) {
  CreateDirectoryW(folder.File(L"empty").c_str(), nullptr);
  struct {
    const char* name;
    std::wstring parameters;
    int code;
  } const cases[] = {
      {"missing document", L"/f " + Q(folder.File(L"none.scv")), SCRIVEL_ERROR_FILE},
      {"missing data file", L"/f " + Q(Letter()) + L" /d " + Q(folder.File(L"none.ini")), SCRIVEL_ERROR_DATA},
      {"missing printer", L"/f " + Q(Letter()) + L" /pt \"No Such Printer\"", SCRIVEL_ERROR_PRINTER},
      {"missing folder", L"/in " + Q(folder.File(L"none")), SCRIVEL_ERROR_NO_IN_FOLDER},
      {"folder without documents", L"/in " + Q(folder.File(L"empty")), SCRIVEL_ERROR_NO_DOCUMENTS},
      {"missing output folder", L"/f " + Q(Letter()) + L" /out " + Q(folder.File(L"none")), SCRIVEL_ERROR_NO_OUT_FOLDER},
      {"nothing to fill", L"/p", SCRIVEL_ERROR_NOTHING_TO_DO},
      {"same folders", L"/in " + Q(In()) + L" /d " + Q(Ini()) + L" /out " + Q(In()), SCRIVEL_ERROR_SAME_FOLDER},
      {"usage", L"/?", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(Run(c.parameters), static_cast<DWORD>(c.code)) << c.name;
  EXPECT_EQ(ReadFileBytes(Letter()), letter) << "no document was touched";
}

TEST_F(ScrivelBatch, BatchErrorsGoToTheEditorsLog) {
  EXPECT_EQ(Run(L"/p"), static_cast<DWORD>(SCRIVEL_ERROR_NOTHING_TO_DO));
  EXPECT_EQ(Run(L"/f " + Q(Letter()) + L" /d " + Q(folder.File(L"none.ini"))), static_cast<DWORD>(SCRIVEL_ERROR_DATA));
  const std::wstring log = Log();
  const size_t first = log.find(L"\r\nm_nErrorCode = -13;\r\n\r\n");
  const size_t second = log.find(L"\r\nm_nErrorCode = -2;\r\n\r\n");
  ASSERT_NE(first, std::wstring::npos) << std::string(log.begin(), log.end());
  ASSERT_NE(second, std::wstring::npos);
  EXPECT_LT(first, second) << "appended in order";
  EXPECT_NE(log[0], 0xFEFF) << "no byte-order mark";
}

TEST_F(ScrivelBatch, DocumentThatIsNotScrivelFailsTheBatchWithoutHanging) {
  std::string bad = letter;
  bad[2] = 'W';
  ASSERT_TRUE(WriteFileBytes(Letter(), bad));
  EXPECT_EQ(Run(L"/f " + Q(Letter()) + L" /d " + Q(Ini()) + L" /out " + Q(Out())),
            static_cast<DWORD>(SCRIVEL_ERROR_FILE));
  EXPECT_EQ(GetFileAttributesW((Out() + L"\\Letter.scv").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(Log().find(L"File is not a Scrivel document"), std::wstring::npos);
}

// The editor's settings, where Quillet finds its database too.
const wchar_t kSettingsKey[] = L"Software\\Quennick\\Scrivel\\Settings";

TEST_F(ScrivelBatch, LoadedMarginsAreKeptAsTheEditorsSetting) {
  EXPECT_EQ(Run(L"/f " + Q(Letter())), 0u);
  INT32 margins[4] = {};
  DWORD size = sizeof(margins);
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"PageMargin", RRF_RT_REG_BINARY, nullptr, margins, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(size, 16u);
  EXPECT_EQ(margins[0], 720);
  EXPECT_EQ(margins[1], 1080);
  EXPECT_EQ(margins[2], 1440);
  EXPECT_EQ(margins[3], 2880);
}

TEST_F(ScrivelBatch, RichTextDocumentIsSavedWithoutHeader) {
  const std::string rtf = letter.substr(24);
  ASSERT_TRUE(WriteFileBytes(In() + L"\\Plain.rtf", rtf));
  EXPECT_EQ(Run(L"/f " + Q(In() + L"\\Plain.rtf") + L" /d " + Q(Ini()) + L" /out " + Q(Out())), 0u);
  const std::string saved = ReadFileBytes(Out() + L"\\Plain.rtf");
  EXPECT_EQ(saved.compare(0, 6, "{\\rtf1"), 0) << saved.substr(0, 30);
  EXPECT_EQ(RichText(saved).substr(0, 17), L"Dear Alice Smith,");
}

// Profiles come from a database of the test's own, named in the editor's settings.
class ScrivelProfiles : public ScrivelBatch {
 protected:
  void SetUp() override {
    ScrivelBatch::SetUp();
    const std::wstring db = folder.File(L"profiles.db");
    const std::string script = ReadFileBytes(std::wstring(VANTRY_TEST_DATA_DIR) + L"/profiles.sql");
    ASSERT_FALSE(script.empty());
    char path[MAX_PATH * 3] = "";
    WideCharToMultiByte(CP_UTF8, 0, db.c_str(), -1, path, sizeof(path), nullptr, nullptr);
    sqlite3* handle = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path, &handle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr), SQLITE_OK);
    const int result = sqlite3_exec(handle, script.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(handle);
    ASSERT_EQ(result, SQLITE_OK);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"GeneralDBFilePath", REG_SZ, db.c_str(),
                              static_cast<DWORD>((db.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }
  void TearDown() override { RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"GeneralDBFilePath"); }
};

TEST_F(ScrivelProfiles, GroupAndProfileFillTheDocument) {
  EXPECT_EQ(Run(L"/f " + Q(Letter()) + L" /g \"Book club\" /d \"Alice at home\" /out " + Q(Out())), 0u);
  const std::string saved = ReadFileBytes(Out() + L"\\Letter.scv");
  ASSERT_GT(saved.size(), 24u);
  EXPECT_EQ(RichText(saved.substr(24)).substr(0, 42), L"Dear Alice Brown, your novel costs 9.99.\r\n");
}

TEST_F(ScrivelProfiles, UnknownGroupEndsWithTheFillFormCode) {
  EXPECT_EQ(Run(L"/f " + Q(Letter()) + L" /g \"No such group\" /d \"Alice at home\" /out " + Q(Out())),
            static_cast<DWORD>(-11));
  EXPECT_EQ(GetFileAttributesW((Out() + L"\\Letter.scv").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ScrivelProfiles, OpenEachStartsOneInstanceThatFillsByProfileAndStaysOpen) {
  EXPECT_EQ(Run(L"/f " + Q(Letter()) + L" /g \"Book club\" /d \"Alice at home\" /out " + Q(Out()) + L" /o"), 0u);
  // The new instance was given the names with their spaces whole: it fills and saves, then stays.
  const std::wstring saved = Out() + L"\\Letter.scv";
  for (int i = 0; i < 300 && GetFileAttributesW(saved.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
  Sleep(500);
  const std::string bytes = ReadFileBytes(saved);
  ASSERT_GT(bytes.size(), 24u);
  EXPECT_EQ(RichText(bytes.substr(24)).substr(0, 17), L"Dear Alice Brown,");
  HWND window = nullptr;
  for (int i = 0; i < 100 && !window; ++i) {
    window = FindTitledWindow(L"Letter");
    if (!window) Sleep(100);
  }
  ASSERT_NE(window, nullptr) << "the new instance stays open";
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  HANDLE handle = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, process);
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (handle) {
    EXPECT_EQ(WaitForSingleObject(handle, kTimeout), WAIT_OBJECT_0);
    CloseHandle(handle);
  }
}

// The printer writes every job into a file of this test's folder.
class ScrivelPrint : public ScrivelBatch {
 protected:
  void SetUp() override {
    ScrivelBatch::SetUp();
    typedef char*(CDECL * UnixName)(const wchar_t*);
    auto unixName = reinterpret_cast<UnixName>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
    ASSERT_NE(unixName, nullptr);
    char* path = unixName(folder.File(L"job.ps").c_str());
    ASSERT_NE(path, nullptr);
    std::wstring port = L"Z:";
    for (const char* p = path; *p; ++p) port += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    HeapFree(GetProcessHeap(), 0, path);
    printer = std::make_unique<testing_support::InstalledPrinter>(
        L"Scrivel Test Printer", std::wstring(VANTRY_SOURCE_DIR) + L"/tests/vpd/data/VantrySimplex.ppd", port);
    ASSERT_TRUE(printer->installed());
  }
  std::string Job() const { return ReadFileBytes(folder.File(L"job.ps")); }
  std::unique_ptr<testing_support::InstalledPrinter> printer;
};

TEST_F(ScrivelPrint, PrintsTheFilledDocumentOnTheNamedPrinter) {
  EXPECT_EQ(Run(L"/f " + Q(Letter()) + L" /d " + Q(Ini()) + L" /pt \"Scrivel Test Printer\""), 0u);
  const std::string job = Job();
  EXPECT_EQ(job.compare(0, 4, "%!PS"), 0) << job.substr(0, 40);
  EXPECT_NE(job.find("%%Pages: 1"), std::string::npos);
}

TEST_F(ScrivelPrint, PrintsOnTheDefaultPrinterWithoutDialog) {
  ASSERT_TRUE(SetDefaultPrinterW(L"Scrivel Test Printer"));
  EXPECT_EQ(Run(L"/f " + Q(Letter()) + L" /d " + Q(Ini()) + L" /p"), 0u);
  EXPECT_EQ(Job().compare(0, 4, "%!PS"), 0);
}

TEST_F(ScrivelPrint, KeepingTheWindowOpenDoesNotPrint) {
  ChildProcess program(L"\"" + ProgramFolder() + L"\\Scrivel.exe\" /f " + Q(Letter()) + L" /d " + Q(Ini()) +
                       L" /pt \"Scrivel Test Printer\" /o2");
  HWND window = program.WaitForMainWindow(kTimeout);
  ASSERT_NE(window, nullptr) << "the window stays open";
  // The window shows before the batch opens the document in it.
  wchar_t title[128] = L"";
  for (int i = 0; i < 200 && !wcsstr(title, L"Letter"); ++i) {
    Sleep(50);
    GetWindowTextW(window, title, 128);
  }
  EXPECT_TRUE(wcsstr(title, L"Letter")) << title;
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(kTimeout), 0u);
  EXPECT_TRUE(Job().empty());
}

}  // namespace

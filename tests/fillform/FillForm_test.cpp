// CFillForm as the hosts use it through Quillet.dll: reading by name into the caller's field map,
// the error codes, the host's settings and the start of the outside editor.
#include "FillForm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FillFormDriver.h"
#include "ProfilesFixture.h"

using fillform_test::CreateDatabase;
using fillform_test::IsolatedUser;
using fillform_test::SetHostSetting;

namespace {

typedef CMap<CString, LPCWSTR, COleVariant, COleVariant> FieldMap;

class FillFormTest : public ::testing::Test {
 protected:
  std::wstring DbPath() const { return user_.Path() + L"\\Профили 'q'.db"; }
  void UseDatabase(const std::wstring& path) { SetHostSetting(L"GeneralDBFilePath", path); }

  IsolatedUser user_;
};

struct GetDataCase {
  const wchar_t* group;
  const wchar_t* profile;
  int error;                          // 0: success
  std::vector<std::wstring> entries;  // the map afterwards (sorted)
};

const std::vector<std::wstring> kUntouched = {L"Keep=S:me"};

TEST_F(FillFormTest, GetDataFillsTheMapByNameOrLeavesItUntouched) {
  ASSERT_EQ(CreateDatabase(DbPath(), L"profiles.sql"), "");
  UseDatabase(DbPath());
  const GetDataCase cases[] = {
      // No group named: the profile's values only; a later row of one name wins; "-" reads as 0.
      {L"", L"Alice", 0, {L"Amount=R:0", L"Company=S:Alice Ltd", L"Name=S:Alice", L"Note=S:second"}},
      // Group values first (the first "Clients" in table order; type "3" skipped, "12,5" is 12),
      // then the profile's, which win.
      {L"Clients", L"Alice", 0,
       {L"Amount=R:0", L"City=S:Paris", L"Company=S:Alice Ltd", L"Name=S:Alice", L"Note=S:second",
        L"Rate=R:12"}},
      // A profile that is no member of the group still succeeds; a NULL value is empty text.
      {L"Clients", L"Loner", 0,
       {L"City=S:Paris", L"Company=S:ACME", L"Rate=R:12", L"Remark=S:"}},
      // Quotes in names and ids; "abc" reads as 0.
      {L"O'Brien & Co", L"Bob \"the builder\"", 0,
       {L"Company=S:O'Brien's", L"Name=S:Bob \"the builder\"", L"Rate=R:0"}},
      {L"", L"x' OR '1'='1", 0, {L"Name=S:Injected"}},
      {L"Контрагенты", L"Ünïcødé 名前", 0, {L"Total=R:3.25", L"Город=S:Москва", L"Имя=S:Ünï '名前'"}},
      // Exact names only.
      {L"clients", L"Alice", FILLFORM_ERROR_NO_GROUP, kUntouched},
      {L"", L"alice", FILLFORM_ERROR_NO_PROFILE, kUntouched},
      {L"Clients", L"", FILLFORM_ERROR_NO_PROFILE, kUntouched},
      {L"Clients' OR '1'='1", L"Alice", FILLFORM_ERROR_NO_GROUP, kUntouched},
  };
  for (const GetDataCase& c : cases) {
    const std::string what = fillform_test::Utf8(std::wstring(c.group) + L" / " + c.profile);
    FieldMap fields;
    fields[L"Keep"] = COleVariant(L"me");
    CFillForm fillForm(fields, nullptr);
    fillForm.GetData(c.group, c.profile);
    int error = 1;
    EXPECT_EQ(fillForm.CheckError(error), c.error != 0) << what;
    EXPECT_EQ(error, c.error != 0 ? c.error : 1) << what;
    EXPECT_EQ(fillform_test::FieldMapEntries(fields), c.entries) << what;
  }
  EXPECT_EQ(user_.ErrorLog(), L"");
}

struct BadDatabaseCase {
  const char* what;
  const char* bytes;  // null: the file does not exist
  const wchar_t* folder;
  int error;
  const wchar_t* logged;
};

TEST_F(FillFormTest, MissingOrBrokenDatabaseGivesItsCodeAndALogEntry) {
  const BadDatabaseCase cases[] = {
      {"folder missing", nullptr, L"\\absent", FILLFORM_ERROR_OPEN_DB,
       L"Can't open database: unable to open database file"},
      {"file missing", nullptr, L"", FILLFORM_ERROR_SQL, L"SQL error: no such table: profiles"},
      {"not a database", "no database here, only text of some length\n", L"", FILLFORM_ERROR_SQL,
       L"SQL error: file is not a database"},
  };
  for (const BadDatabaseCase& c : cases) {
    const std::wstring path = user_.Path() + c.folder + L"\\general.db";
    DeleteFileW(path.c_str());
    if (c.bytes) {
      ASSERT_TRUE(testing_support::WriteFileBytes(path, c.bytes));
    }
    UseDatabase(path);
    FieldMap fields;
    fields[L"Keep"] = COleVariant(L"me");
    CFillForm fillForm(fields, nullptr);
    fillForm.GetData(L"", L"Alice");
    int error = 0;
    EXPECT_TRUE(fillForm.CheckError(error)) << c.what;
    EXPECT_EQ(error, c.error) << c.what;
    EXPECT_EQ(fillform_test::FieldMapEntries(fields), kUntouched) << c.what;
    EXPECT_NE(user_.ErrorLog().find(c.logged), std::wstring::npos) << c.what;
  }
}

TEST_F(FillFormTest, LaterSuccessfulGetDataClearsTheEarlierError) {
  ASSERT_EQ(CreateDatabase(DbPath(), L"profiles.sql"), "");
  UseDatabase(DbPath());
  FieldMap fields;
  CFillForm fillForm(fields, nullptr);
  fillForm.GetData(L"", L"Nobody");
  int error = 0;
  EXPECT_TRUE(fillForm.CheckError(error));
  fillForm.GetData(L"", L"Alice");
  EXPECT_FALSE(fillForm.CheckError(error));
  EXPECT_EQ(fields.GetCount(), 4);
}

class FillFormProbe : public CFillForm {
 public:
  using CFillForm::CFillForm;
  const CString& DbPath() const { return m_dbPath; }
};

TEST_F(FillFormTest, ChoicesComeFromTheHostSettingsWithDocumentsFolderDefaults) {
  FieldMap fields;
  {
    FillFormProbe defaults(fields, nullptr);
    EXPECT_EQ(std::wstring(defaults.DbPath()), user_.Path() + L"\\Vantry\\general.db");
    EXPECT_EQ(std::wstring(CFillForm::GetInitialDBFileName()), user_.Path() + L"\\Vantry\\general.db");
    EXPECT_EQ(defaults.m_radioIndex, 0);
    EXPECT_EQ(defaults.m_checkOutFolder, 0);
    EXPECT_EQ(std::wstring(defaults.m_inFolder), user_.Path() + L"\\Vantry\\Forms");
    EXPECT_NE(GetFileAttributesW(defaults.m_inFolder) & FILE_ATTRIBUTE_DIRECTORY, 0u)
        << "the forms folder is created";
    EXPECT_EQ(std::wstring(defaults.m_outFolder), user_.Path());
    EXPECT_EQ(defaults.m_groupSelected, 0);
    EXPECT_EQ(defaults.m_profileSelected, 0);
  }
  SetHostSetting(L"GeneralDBFilePath", L"D:\\data\\профили.db");
  SetHostSetting(L"FillFormRadioIndex", 1);
  SetHostSetting(L"FillFormCheckOutFolder", 1);
  SetHostSetting(L"FillFormInFolder", L"D:\\in");
  SetHostSetting(L"FillFormOutFolder", L"D:\\out");
  FillFormProbe stored(fields, nullptr);
  EXPECT_EQ(std::wstring(stored.DbPath()), L"D:\\data\\профили.db");
  EXPECT_EQ(stored.m_radioIndex, 1);
  EXPECT_EQ(stored.m_checkOutFolder, 1);
  EXPECT_EQ(std::wstring(stored.m_inFolder), L"D:\\in");
  EXPECT_EQ(std::wstring(stored.m_outFolder), L"D:\\out");
}

// Closes the message box that the calling thread is about to show, keeping its text.
class MessageBoxCloser {
 public:
  MessageBoxCloser() : thread_(CreateThread(nullptr, 0, Watch, this, 0, nullptr)) {}
  ~MessageBoxCloser() {
    WaitForSingleObject(thread_, 20000);
    CloseHandle(thread_);
  }
  const std::wstring& Text() const { return text_; }

 private:
  static BOOL CALLBACK FindBox(HWND window, LPARAM param) {
    wchar_t name[16] = {};
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    GetClassNameW(window, name, 16);
    // Found once shown: before that its text may not be there yet.
    if (process != GetCurrentProcessId() || lstrcmpW(name, L"#32770") != 0 ||
        !IsWindowVisible(window))
      return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }
  static DWORD WINAPI Watch(LPVOID param) {
    MessageBoxCloser* self = static_cast<MessageBoxCloser*>(param);
    for (int i = 0; i < 1000; ++i) {
      HWND box = nullptr;
      EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
      if (box) {
        wchar_t text[256] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 256);
        self->text_ = text;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return 0;
      }
      Sleep(10);
    }
    return 1;
  }

  std::wstring text_;
  HANDLE thread_;
};

TEST_F(FillFormTest, LaunchEditorStartsTheEditorOnTheStoredDatabaseInTheHostFolder) {
  UseDatabase(L"C:\\Profiles folder\\my general.db");
  const std::wstring record = user_.Path() + L"\\editor-record.txt";
  const std::wstring editorFolder = testing_support::ProgramFolder() + L"\\fake-editor";
  wchar_t path[32768] = {};
  GetEnvironmentVariableW(L"PATH", path, 32768);
  SetEnvironmentVariableW(L"PATH", (editorFolder + L";" + path).c_str());
  SetEnvironmentVariableW(L"QUILLET_TEST_EDITOR_RECORD", record.c_str());
  CFillForm::LaunchEditor();
  std::string bytes;
  for (int i = 0; i < 1000 && bytes.empty(); ++i, Sleep(10))
    bytes = testing_support::ReadFileBytes(record);
  SetEnvironmentVariableW(L"PATH", path);
  SetEnvironmentVariableW(L"QUILLET_TEST_EDITOR_RECORD", nullptr);
  const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
  EXPECT_EQ(text, L"zoriVurada.exe \"C:\\Profiles folder\\my general.db\"\n" +
                      testing_support::ProgramFolder());
  EXPECT_EQ(user_.ErrorLog(), L"");
}

TEST_F(FillFormTest, LaunchEditorWithoutTheEditorShowsAndLogsTheFailure) {
  std::wstring expected;
  {
    MessageBoxCloser closer;
    CFillForm::LaunchEditor();
    expected = closer.Text();
  }
  EXPECT_EQ(expected, L"Launch of the database editor failed (2).");
  EXPECT_NE(user_.ErrorLog().find(L"\r\nLaunch of the database editor failed (2).\r\n"),
            std::wstring::npos);
}

}  // namespace

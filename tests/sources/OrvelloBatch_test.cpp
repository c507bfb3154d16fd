// Orvello.exe run from a console as a batch tool: each row of the exit-code table and the edge cases
// through OrvelloRunner, which prints the signed exit code and what reached the console; the filled
// documents saved into the output folder are read back field by field. Data comes from INI files
// and from a profiles database named in the program's settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "DocumentTestSupport.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "LMyBitmap.h"
#include "MyProcs.h"
#include "ObjectKinds.h"
#include "PageInfo.h"
#include "ProgramTestSupport.h"
#include "SqliteFixture.h"
#include "TestSupport.h"
#include "TranspText.h"

CFolimarApp theApp;

namespace {

using testing_support::ChildProcess;
using testing_support::ProgramFolder;
using testing_support::ReadFileBytes;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

using program_test::Exists;
using program_test::Q;

const wchar_t kSettings[] = L"SOFTWARE\\Quennick\\Vantry\\Settings";
const DWORD kWait = 120000;
const int kBatchForms = 50;

typedef std::map<std::wstring, std::wstring> Fields;

std::wstring Utf16(const std::string& utf8) {
  std::wstring text(utf8.size(), L'\0');
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &text[0],
                                      static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

// A one-page form with a white page image and a text field for each name, empty.
bool MakeForm(const std::wstring& path, const std::vector<std::wstring>& names) {
  CFolimarDoc doc;
  if (!doc.OnNewDocument()) return false;
  doc.GetPage(0)->m_settings.width = 8.5;
  doc.GetPage(0)->m_settings.height = 11.0;
  LMyBitmap* image = new LMyBitmap;
  if (image->Create(80, 60, 24) != SUCCESS) {
    delete image;
    return false;
  }
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 80; ++x) image->PutPixelColor(x, y, RGB(255, 255, 255));
  doc.GetPage(0)->SetBitmap(image);
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  int row = 0;
  for (const std::wstring& name : names) {
    CTranspText* text = new CTranspText(nullptr, 10000, 10000 + 30000 * row++, &style, nullptr, nullptr, 0);
    text->SetName(name.c_str());
    doc.AddObjectToList(text);
    doc.AddDBField(text, 0);
  }
  return doc.OnSaveDocument(path.c_str()) != FALSE;
}

// The text of every field of a saved document by name; empty when it cannot be read.
Fields ReadFields(const std::wstring& path) {
  Fields fields;
  CFolimarDoc doc;
  if (doctest::LoadFile(doc, path) != doctest::kLoaded) return fields;
  for (int page = 0; page < doc.GetPageCount(); ++page)
    for (POSITION pos = doc.GetPage(page)->m_objects.GetHeadPosition(); pos;) {
      CTranspText* text = dynamic_cast<CTranspText*>(doc.GetPage(page)->m_objects.GetNext(pos));
      if (text != nullptr) fields[std::wstring(text->GetName())] = std::wstring(text->GetText());
    }
  return fields;
}

struct Outcome {
  long code = 0x7fffffff;  // none: the runner printed nothing
  int enters = -1;
  std::wstring console;
};

class OrvelloBatch : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterOverlayObjectKinds(); }

  void SetUp() override {
    ASSERT_TRUE(program_test::DeleteProfile());
    for (const std::wstring& f : {In(), Out(), Viz(), NoForms(), Mixed()}) ::CreateDirectoryW(f.c_str(), nullptr);
    ASSERT_TRUE(MakeForm(In() + L"\\order.qlm", {L"Name", L"City", L"Note"}));
    ASSERT_TRUE(MakeForm(In() + L"\\invoice.rud", {L"Name", L"Amount"}));
    ASSERT_TRUE(WriteFileBytes(NoForms() + L"\\readme.txt", "no forms here"));
    ASSERT_TRUE(MakeForm(Form(), {L"Name", L"City"}));
    ASSERT_TRUE(WriteFileBytes(Ini(), "[Data]\r\nName=Ann Lee\r\nCity=Oslo\r\nAmount=12.50\r\n[Other]\r\nNote=not data\r\n"));
    ASSERT_TRUE(WriteFileBytes(EmptyIni(), ""));
    ASSERT_TRUE(WriteFileBytes(NoDataIni(), "[Other]\r\nName=elsewhere\r\n"));
  }
  void TearDown() override { program_test::DeleteProfile(); }

  std::wstring In() const { return folder_.File(L"In"); }
  std::wstring Out() const { return folder_.File(L"out"); }
  std::wstring Viz() const { return folder_.File(L"viz"); }
  std::wstring NoForms() const { return folder_.File(L"noforms"); }
  std::wstring Mixed() const { return folder_.File(L"mixed"); }
  std::wstring Form() const { return folder_.File(L"form.qlm"); }
  std::wstring Ini() const { return folder_.File(L"data.INI"); }
  std::wstring EmptyIni() const { return folder_.File(L"empty.ini"); }
  std::wstring NoDataIni() const { return folder_.File(L"nodata.ini"); }
  static std::wstring Missing() { return L"Z:\\no\\such\\place"; }

  // Orvello.exe with the parameters, started by the runner in a console of its own.
  Outcome Run(const std::wstring& parameters) {
    // A report of its own per run: the console host of the last run may still hold the last one.
    wchar_t name[32];
    swprintf(name, 32, L"runner%d.txt", ++runs_);
    const std::wstring report = folder_.File(name);
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE output = ::CreateFileW(report.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                                  CREATE_NEW, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, output);
    std::wstring line = Q(ProgramFolder() + L"\\OrvelloRunner.exe") + L" " + Q(ProgramFolder() + L"\\Orvello.exe") + L" " +
                        parameters;
    STARTUPINFOW startup = {sizeof(startup)};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process = {};
    const BOOL started = ::CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NEW_CONSOLE, nullptr, nullptr,
                                          &startup, &process);
    ::CloseHandle(output);
    EXPECT_TRUE(started) << ::GetLastError();
    Outcome outcome;
    if (!started) return outcome;
    if (::WaitForSingleObject(process.hProcess, kWait) != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    std::wstring text = Utf16(ReadFileBytes(report));
    text.erase(std::remove(text.begin(), text.end(), L'\r'), text.end());
    long code = 0;
    int enters = 0;
    if (swscanf(text.c_str(), L"exit %ld\nenter %d", &code, &enters) == 2) {
      outcome.code = code;
      outcome.enters = enters;
    }
    const size_t console = text.find(L"console\n");
    if (console != std::wstring::npos) outcome.console = text.substr(console + 8);
    return outcome;
  }

  void UseProfilesDatabase(const std::wstring& path) {
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueW(HKEY_CURRENT_USER, kSettings, L"GeneralDBFilePath", REG_SZ, path.c_str(),
                                               static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t))));
  }
  // A profiles database: group "Customers" holding City and Note, profile "Ann" in it holding Name
  // and a City of its own, which wins over the group's.
  std::wstring MakeProfiles(const std::string& extraRows = std::string()) {
    const std::wstring path = folder_.File(L"profiles.db");
    testing_support::SqliteFile db(path);
    EXPECT_TRUE(db.Exec(
        "CREATE TABLE groups (group_id INTEGER, name TEXT);"
        "CREATE TABLE profiles (profile_id INTEGER, name TEXT, note TEXT);"
        "CREATE TABLE profiles_groups (profile_id INTEGER, group_id INTEGER);"
        "CREATE TABLE fields (name TEXT, value TEXT, field_type TEXT, group_id INTEGER, profile_id INTEGER);"
        "CREATE TABLE Last_Used_Groups_Profiles (group_id TEXT, profile_id TEXT);"
        "INSERT INTO groups VALUES (1, 'Customers');"
        "INSERT INTO profiles VALUES (10, 'Ann', NULL);"
        "INSERT INTO profiles_groups VALUES (10, 1);"
        "INSERT INTO fields VALUES ('City', 'Bergen', '0', 1, NULL);"
        "INSERT INTO fields VALUES ('Note', 'regular', '0', 1, NULL);"
        "INSERT INTO fields VALUES ('Name', 'Ann Lee', '0', NULL, 10);"
        "INSERT INTO fields VALUES ('City', 'Tromso', '0', NULL, 10);" +
        extraRows));
    return path;
  }

  TempFolder folder_;
  int runs_ = 0;
};

// Each code of the table, and the edge cases around it; saved files are named per row.
TEST_F(OrvelloBatch, ExitCodesAndSavedFilesOfEachCommandLine) {
  const struct {
    const char* what;
    std::wstring parameters;
    long code;
    std::vector<std::wstring> saved;  // files expected in the output folder afterwards
  } rows[] = {
      {"a form filled from an INI file", L"/f " + Q(Form()) + L" /d " + Q(Ini()), 0, {}},
      {"/out without /in saves nothing", L"/f " + Q(Form()) + L" /d " + Q(Ini()) + L" /out " + Q(Out()), 0, {}},
      {"/d before /f: the form is the shell's file", L"/d " + Q(Ini()) + L" /f " + Q(Form()), 0, {}},
      {"form missing", L"/f " + Q(Missing() + L"\\form.qlm"), -1, {}},
      {"INI file missing", L"/f " + Q(Form()) + L" /d " + Q(folder_.File(L"gone.ini")), -2, {}},
      {"printer unknown", L"/f " + Q(Form()) + L" /pt \"No Such Printer 77\"", -3, {}},
      {"template folder missing", L"/in " + Q(Missing()), -6, {}},
      {"template folder without templates", L"/in " + Q(NoForms()), -7, {}},
      {"output folder missing", L"/in " + Q(In()) + L" /out " + Q(Missing()), -8, {}},
      {"exchange folder missing", L"/f " + Q(Form()) + L" /viz " + Q(Missing()), -8, {}},
      {"neither form nor folder", L"/d " + Q(Ini()) + L" /p", -13, {}},
      // A final backslash is doubled before the closing quote, as a console user types it.
      {"same folders, spelled differently", L"/in " + Q(In()) + L" /out " + Q(folder_.File(L"IN\\\\")), -14, {}},
      {"a folder filled and saved", L"/in " + Q(In()) + L" /out " + Q(Out()) + L" /d " + Q(Ini()), 0,
       {L"invoice.rud", L"order.qlm"}},
      {"an empty INI file fills nothing and saves", L"/in " + Q(In()) + L" /out " + Q(Out()) + L" /d " + Q(EmptyIni()), 0,
       {L"invoice.rud", L"order.qlm"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    testing_support::RemoveTestFolder(Out());
    ::CreateDirectoryW(Out().c_str(), nullptr);
    const Outcome outcome = Run(row.parameters);
    EXPECT_EQ(row.code, outcome.code);
    std::vector<std::wstring> saved;
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((Out() + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) saved.push_back(found.cFileName);
      } while (::FindNextFileW(search, &found));
      ::FindClose(search);
    }
    std::sort(saved.begin(), saved.end());
    EXPECT_EQ(row.saved, saved);
  }
  // No row ever wrote into the templates: they are still empty forms.
  EXPECT_EQ((Fields{{L"Name", L""}, {L"City", L""}, {L"Note", L""}}), ReadFields(In() + L"\\order.qlm"));
}

TEST_F(OrvelloBatch, FilledCopiesHoldTheDataSectionsValuesOnly) {
  ASSERT_EQ(0, Run(L"/in " + Q(In()) + L" /out " + Q(Out()) + L" /d " + Q(Ini())).code);
  EXPECT_EQ((Fields{{L"Name", L"Ann Lee"}, {L"City", L"Oslo"}, {L"Note", L""}}), ReadFields(Out() + L"\\order.qlm"));
  EXPECT_EQ((Fields{{L"Name", L"Ann Lee"}, {L"Amount", L"12.50"}}), ReadFields(Out() + L"\\invoice.rud"));
  ASSERT_EQ(0, Run(L"/in " + Q(In()) + L" /out " + Q(Out()) + L" /d " + Q(NoDataIni())).code);
  EXPECT_EQ((Fields{{L"Name", L""}, {L"City", L""}, {L"Note", L""}}), ReadFields(Out() + L"\\order.qlm"));
}

// A template that cannot be read is reported and skipped; the next one is filled and saved under its
// own name, and nothing is saved under the broken one's.
TEST_F(OrvelloBatch, ABrokenTemplateIsSkippedAndTheOthersAreSaved) {
  ASSERT_TRUE(MakeForm(Mixed() + L"\\a.qlm", {L"Name"}));
  ASSERT_TRUE(WriteFileBytes(Mixed() + L"\\b.qlm", "KTD this is no document"));
  ASSERT_TRUE(MakeForm(Mixed() + L"\\c.qlm", {L"City"}));
  EXPECT_EQ(0, Run(L"/in " + Q(Mixed()) + L" /out " + Q(Out()) + L" /d " + Q(Ini())).code);
  EXPECT_EQ((Fields{{L"Name", L"Ann Lee"}}), ReadFields(Out() + L"\\a.qlm"));
  EXPECT_FALSE(Exists(Out() + L"\\b.qlm"));
  EXPECT_EQ((Fields{{L"City", L"Oslo"}}), ReadFields(Out() + L"\\c.qlm"));
}

// /viz after /out names the folder of both the filled documents and their data-exchange files.
TEST_F(OrvelloBatch, TheLaterVizFolderTakesDocumentsAndExchangeFiles) {
  ASSERT_EQ(0, Run(L"/in " + Q(In()) + L" /out " + Q(Out()) + L" /viz " + Q(Viz()) + L" /d " + Q(Ini())).code);
  EXPECT_FALSE(Exists(Out() + L"\\order.qlm"));
  EXPECT_EQ((Fields{{L"Name", L"Ann Lee"}, {L"City", L"Oslo"}, {L"Note", L""}}), ReadFields(Viz() + L"\\order.qlm"));
  for (const wchar_t* name : {L"order.viz", L"invoice.viz"}) {
    const std::string viz = ReadFileBytes(Viz() + L"\\" + name);
    EXPECT_EQ(0u, viz.find("VIZ\t1\n")) << name;
    EXPECT_NE(std::string::npos, viz.find("\tName\t")) << name << ": the fields are items of the file";
  }
}

TEST_F(OrvelloBatch, UsageGoesToTheParentsConsoleWithAnEnterForThePrompt) {
  const Outcome outcome = Run(L"/?");
  EXPECT_EQ(0, outcome.code);
  EXPECT_EQ(1, outcome.enters);
  EXPECT_NE(std::wstring::npos, outcome.console.find(L"Command line for filling in and printing documents.")) << outcome.console;
  EXPECT_NE(std::wstring::npos, outcome.console.find(L"/viz OutFolder   Folder where converted documents are recorded."))
      << outcome.console;
}

TEST_F(OrvelloBatch, ASecondInstanceEndsWithMinusFive) {
  ChildProcess first(Q(ProgramFolder() + L"\\Orvello.exe"));
  HWND frame = first.WaitForMainWindow(kWait);
  ASSERT_NE(nullptr, frame);
  EXPECT_EQ(-5, Run(L"/f " + Q(Form()) + L" /d " + Q(Ini())).code);
  ::PostMessageW(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, first.WaitForExit(kWait));
}

TEST_F(OrvelloBatch, ProfileErrorsEndWithTheFillFormCodes) {
  UseProfilesDatabase(MakeProfiles());
  const struct {
    const char* what;
    std::wstring parameters;
    long code;
  } rows[] = {
      {"group unknown", L"/f " + Q(Form()) + L" /g Suppliers /d Ann", -11},
      {"profile unknown", L"/f " + Q(Form()) + L" /g Customers /d Bob", -12},
      {"profile without a group", L"/f " + Q(Form()) + L" /d Ann", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(row.code, Run(row.parameters).code);
  }
  UseProfilesDatabase(Missing() + L"\\profiles.db");
  EXPECT_EQ(-9, Run(L"/f " + Q(Form()) + L" /d Ann").code) << "a database that cannot be opened";
  const std::wstring garbage = folder_.File(L"garbage.db");
  ASSERT_TRUE(WriteFileBytes(garbage, std::string(4096, 'x')));
  UseProfilesDatabase(garbage);
  EXPECT_EQ(-10, Run(L"/f " + Q(Form()) + L" /d Ann").code) << "a file that is no database";
}

// Fifty templates, each with a reference field of its own, filled in one run from an INI file and in
// another from a profile; every saved copy is read back.
TEST_F(OrvelloBatch, FiftyFormsFromAnIniFileAndFromAProfile) {
  const std::wstring many = folder_.File(L"many");
  ::CreateDirectoryW(many.c_str(), nullptr);
  std::string ini = "[Data]\r\nName=Ann Lee\r\nCity=Oslo\r\n";
  std::string profileRows;
  for (int i = 1; i <= kBatchForms; ++i) {
    wchar_t ref[16], name[32];
    swprintf(ref, 16, L"Ref%02d", i);
    swprintf(name, 32, L"form%02d.qlm", i);
    ASSERT_TRUE(MakeForm(many + L"\\" + name, {L"Name", L"City", ref}));
    char line[128];
    snprintf(line, sizeof(line), "Ref%02d=ini value %d\r\n", i, i);
    ini += line;
    snprintf(line, sizeof(line), "INSERT INTO fields VALUES ('Ref%02d', 'profile value %d', '0', NULL, 10);", i, i);
    profileRows += line;
  }
  ASSERT_TRUE(WriteFileBytes(Ini(), ini));
  UseProfilesDatabase(MakeProfiles(profileRows));
  const struct {
    const char* what;
    std::wstring data;
    std::wstring city;
    std::wstring refFormat;
  } runs[] = {
      {"INI file", L"/d " + Q(Ini()), L"Oslo", L"ini value %d"},
      {"profile", L"/g Customers /d Ann", L"Tromso", L"profile value %d"},
  };
  for (const auto& run : runs) {
    SCOPED_TRACE(run.what);
    testing_support::RemoveTestFolder(Out());
    ::CreateDirectoryW(Out().c_str(), nullptr);
    ASSERT_EQ(0, Run(L"/in " + Q(many) + L" /out " + Q(Out()) + L" " + run.data).code);
    for (int i = 1; i <= kBatchForms; ++i) {
      wchar_t ref[16], name[32], value[32];
      swprintf(ref, 16, L"Ref%02d", i);
      swprintf(name, 32, L"form%02d.qlm", i);
      swprintf(value, 32, run.refFormat.c_str(), i);
      EXPECT_EQ((Fields{{L"Name", L"Ann Lee"}, {L"City", run.city}, {ref, value}}), ReadFields(Out() + L"\\" + name)) << name;
    }
  }
}

}  // namespace

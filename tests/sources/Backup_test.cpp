// Backup and restore of the documents folder through the real console archiver beside the test
// program, in a private documents folder: what is archived and under which paths, numbered archive
// names, the automatic mode, restore byte for byte, the kept copy of the old folder, and the archives
// a restore refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "Archiver.h"
#include "ArchiveFixtures.h"
#include "BackupDlg.h"
#include "DialogDriver.h"
#include "MyProcs.h"
#include "RecordedMessageBoxes.h"
#include "RestoreDlg.h"
#include "resource.h"

namespace {

using testing_support::Click;
using testing_support::ClickLater;
using testing_support::ChooseFileInOpenDialog;
using testing_support::ControlText;
using testing_support::Enabled;
using testing_support::RunDialog;

class ProfileApp : public CWinApp {
 public:
  ProfileApp() : CWinApp(L"Vantry") { SetRegistryKey(L"Quennick"); }
};
ProfileApp theApp;

using Tree = std::map<std::wstring, std::string>;  // relative path -> bytes

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot write the fixture file";
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ReadBytes(const std::wstring& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

// Every file below `folder`, by its path relative to `base`.
void Collect(const std::wstring& base, const std::wstring& relative, Tree& tree) {
  WIN32_FIND_DATAW found = {};
  HANDLE search = FindFirstFileW((base + L"\\" + relative + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = relative + L"\\" + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Collect(base, path, tree);
    else tree[path] = ReadBytes(base + L"\\" + path);
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

std::vector<std::wstring> Listed(const std::wstring& archive) {
  std::vector<ArchiveEntry> entries;
  DWORD exitCode = 0, error = 0;
  EXPECT_TRUE(ListArchive(archive.c_str(), entries, exitCode, error)) << "exit " << exitCode << " error " << error;
  std::vector<std::wstring> paths;
  for (const ArchiveEntry& entry : entries)
    if (!entry.folder) paths.push_back(static_cast<LPCTSTR>(entry.path));
  std::sort(paths.begin(), paths.end());
  return paths;
}

// The dialog's Browse handler goes on after the file dialog closes; wait for it to enable OK.
bool BecomesEnabled(HWND dialog, int id) {
  for (int i = 0; i < 500; ++i) {
    if (Enabled(dialog, id)) return true;
    Sleep(20);
  }
  return false;
}

BOOL CALLBACK FindYesNoBox(HWND window, LPARAM result) {
  if (IsWindowVisible(window) && GetDlgItem(window, IDYES)) {
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
  }
  return TRUE;
}

// Answers Yes to the save dialog's question whether to replace an existing file.
DWORD WINAPI ConfirmReplace(void*) {
  for (int i = 0; i < 500; ++i) {
    Sleep(20);
    HWND found = nullptr;
    EnumWindows(FindYesNoBox, reinterpret_cast<LPARAM>(&found));
    if (found) {
      PostMessageW(found, WM_COMMAND, IDYES, 0);
      return 1;
    }
  }
  return 0;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class BackupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(profile_.Ready());
    docs_ = profile_.Documents();
    vantry_ = docs_ + L"\\Vantry";
    backups_ = docs_ + L"\\Backups";
    CreateDirectoryW(backups_.c_str(), nullptr);
    ASSERT_TRUE(Exists(ArchiverCommandPrefix(L"").Trim().GetString())) << "7zr.exe is not beside the test program";
  }
  void TearDown() override { fixtures::RemoveFolderTree(docs_); }

  // Nested folders, names beyond ASCII, the program's own log left out by its exact name.
  void MakeDocuments() {
    for (const wchar_t* folder : {L"\\Forms", L"\\Forms\\Старые формы", L"\\Empty"})
      CreateDirectoryW((vantry_ + folder).c_str(), nullptr);
    const std::pair<const wchar_t*, std::string> files[] = {
        {L"\\a.txt", "alpha"},
        {L"\\Shelf.dat", std::string("\0\1\2\3binary", 10)},
        {L"\\error.log", "the program's log"},
        {L"\\Forms\\Übersicht.rud", "form one"},
        {L"\\Forms\\Error.log", "a document that only looks like the log"},
        {L"\\Forms\\Старые формы\\анкета.rud", "form two"},
    };
    for (const auto& file : files) WriteBytes(vantry_ + file.first, file.second);
  }

  // Runs a backup by command into `archive`, chosen through Browse; returns the dialog's texts.
  struct Shown {
    std::wstring status, okText, archive;
    int progress = -1;
  };
  Shown BackUpByCommand(const std::wstring& archive) {
    Shown shown;
    CBackupDlg dialog;
    EXPECT_EQ(IDOK, RunDialog(dialog, [&](HWND window) {
                EXPECT_FALSE(Enabled(window, IDOK));
                ClickLater(window, IDC_BACKUP_BROWSE);
                EXPECT_TRUE(ChooseFileInOpenDialog(window, archive.c_str()));
                EXPECT_TRUE(BecomesEnabled(window, IDOK));
                Click(window, IDOK);
                shown.status = ControlText(window, IDC_BACKUP_STATUS);
                shown.okText = ControlText(window, IDOK);
                shown.archive = ControlText(window, IDC_BACKUP_FILE);
                shown.progress = static_cast<int>(SendDlgItemMessageW(window, IDC_BACKUP_PROGRESS, PBM_GETPOS, 0, 0));
                Click(window, IDOK);  // the second press closes
              }));
    return shown;
  }

  void Restore(const std::wstring& archive) {
    CRestoreDlg dialog;
    EXPECT_EQ(IDOK, RunDialog(dialog, [&](HWND window) {
                ClickLater(window, IDC_BACKUP_BROWSE);
                EXPECT_TRUE(ChooseFileInOpenDialog(window, archive.c_str()));
                ASSERT_TRUE(BecomesEnabled(window, IDOK));
                Click(window, IDOK);
                restoreStatus_ = ControlText(window, IDC_BACKUP_STATUS);
                Click(window, IDOK);
              }));
  }

  // Chooses the archive and presses Restore once, leaving the dialog to be cancelled.
  static void PressRestore(const std::wstring& archive) {
    CRestoreDlg dialog;
    RunDialog(dialog, [&](HWND window) {
      ClickLater(window, IDC_BACKUP_BROWSE);
      EXPECT_TRUE(ChooseFileInOpenDialog(window, archive.c_str()));
      EXPECT_TRUE(BecomesEnabled(window, IDOK));
      Click(window, IDOK);
    });
  }

  fixtures::PrivateUserProfile profile_;
  fixtures::RecordedMessageBoxes boxes_{IDYES};
  std::wstring docs_, vantry_, backups_;
  std::wstring restoreStatus_;
};

TEST_F(BackupTest, ArchivesEveryFileUnderItsRelativePathAndRestoresThemByteForByte) {
  MakeDocuments();
  Tree original;
  Collect(docs_, L"Vantry", original);
  const std::wstring archive = backups_ + L"\\Weekly.7z";
  const Shown shown = BackUpByCommand(archive);
  EXPECT_EQ(shown.status, L"Backup process has finished.");
  EXPECT_EQ(shown.okText, L"Ok");
  EXPECT_EQ(shown.progress, 4);  // five files, one archiver run each
  EXPECT_TRUE(boxes_.Texts().empty());

  const std::vector<std::wstring> expected = {
      L"Vantry\\Forms\\Error.log", L"Vantry\\Forms\\Übersicht.rud", L"Vantry\\Forms\\Старые формы\\анкета.rud",
      L"Vantry\\Shelf.dat", L"Vantry\\a.txt"};
  std::vector<std::wstring> sortedExpected = expected;
  std::sort(sortedExpected.begin(), sortedExpected.end());
  EXPECT_EQ(Listed(archive), sortedExpected);
  original.erase(L"Vantry\\error.log");

  // Changed after the backup, then restored: the archive's files come back, the changed folder is kept.
  WriteBytes(vantry_ + L"\\a.txt", "changed");
  DeleteFileW((vantry_ + L"\\Forms\\Übersicht.rud").c_str());
  Restore(archive);
  EXPECT_EQ(restoreStatus_, L"Restore process has finished.");
  Tree restored;
  Collect(docs_, L"Vantry", restored);
  EXPECT_EQ(restored, original);
  EXPECT_EQ(ReadBytes(docs_ + L"\\Vantry Copy1\\a.txt"), "changed");
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(BackupTest, AnExistingArchiveIsNeverAddedToTheNextFreeNumberedNameIsUsed) {
  WriteBytes(vantry_ + L"\\a.txt", "alpha");
  const std::wstring archive = backups_ + L"\\Backup.7z";
  WriteBytes(archive, "an older archive");
  WriteBytes(backups_ + L"\\Backup 1.7z", "another older archive");
  CBackupDlg dialog;
  std::wstring shownArchive;
  RunDialog(dialog, [&](HWND window) {
    ClickLater(window, IDC_BACKUP_BROWSE);
    // The save dialog asks before it names an existing file.
    HANDLE answer = CreateThread(nullptr, 0, ConfirmReplace, nullptr, 0, nullptr);
    EXPECT_TRUE(ChooseFileInOpenDialog(window, archive.c_str()));
    WaitForSingleObject(answer, 15000);
    DWORD confirmed = 0;
    GetExitCodeThread(answer, &confirmed);
    CloseHandle(answer);
    EXPECT_EQ(confirmed, 1u) << "no question before replacing the file";
    EXPECT_TRUE(BecomesEnabled(window, IDOK));
    Click(window, IDOK);
    shownArchive = ControlText(window, IDC_BACKUP_FILE);
  });
  EXPECT_EQ(shownArchive, backups_ + L"\\Backup 2.7z");
  EXPECT_EQ(ReadBytes(archive), "an older archive");
  EXPECT_EQ(ReadBytes(backups_ + L"\\Backup 1.7z"), "another older archive");
  EXPECT_EQ(Listed(backups_ + L"\\Backup 2.7z"), std::vector<std::wstring>{L"Vantry\\a.txt"});
}

// What the automatic dialog shows once it is set up, before the backup it starts runs and closes it.
class ObservedBackupDlg : public CBackupDlg {
 public:
  std::wstring title;
  BOOL cancelEnabled = TRUE;

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = CBackupDlg::OnInitDialog();
    CString text;
    GetWindowText(text);
    title = static_cast<LPCTSTR>(text);
    cancelEnabled = GetDlgItem(IDCANCEL)->IsWindowEnabled();
    return result;
  }
};

TEST_F(BackupTest, AutomaticBackupStartsByItselfNamedByTheDateAndClosesWithoutCancel) {
  WriteBytes(vantry_ + L"\\a.txt", "alpha");
  WriteSettingString(L"AutoBackupFilePath", (backups_ + L"\\Nested\\Auto.7z").c_str());
  ObservedBackupDlg dialog;
  dialog.m_bAutomatic = 1;
  const INT_PTR result = RunDialog(dialog, [&](HWND window) {
    for (int i = 0; i < 1500 && IsWindow(window); ++i) Sleep(20);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dialog.title, L"Auto Backup");
  EXPECT_FALSE(dialog.cancelEnabled);
  SYSTEMTIME now = {};
  GetSystemTime(&now);
  wchar_t name[64];
  swprintf(name, _countof(name), L"\\Nested\\Auto %.2d %.2d %.4d.7z", now.wMonth, now.wDay, now.wYear);
  EXPECT_EQ(Listed(backups_ + name), std::vector<std::wstring>{L"Vantry\\a.txt"});
}

TEST_F(BackupTest, AFileTheArchiverCannotReadEndsTheBackupReportedAndLeavesNoArchive) {
  WriteBytes(vantry_ + L"\\a.txt", "alpha");
  WriteBytes(vantry_ + L"\\b.txt", "locked");
  HANDLE locked = CreateFileW((vantry_ + L"\\b.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  const std::wstring archive = backups_ + L"\\Locked.7z";
  CBackupDlg dialog;
  std::wstring okText;
  RunDialog(dialog, [&](HWND window) {
    ClickLater(window, IDC_BACKUP_BROWSE);
    EXPECT_TRUE(ChooseFileInOpenDialog(window, archive.c_str()));
    EXPECT_TRUE(BecomesEnabled(window, IDOK));
    Click(window, IDOK);
    okText = ControlText(window, IDOK);
  });
  CloseHandle(locked);
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_EQ(boxes_.Texts()[0].rfind(L"The archiver ended with code ", 0), 0u);
  EXPECT_FALSE(Exists(archive));
  EXPECT_NE(okText, L"Ok");  // not done: the user may try again
}

TEST_F(BackupTest, AMissingDocumentsFolderIsReportedAndNothingIsArchived) {
  fixtures::RemoveFolderTree(vantry_);
  CBackupDlg dialog;
  const INT_PTR result = RunDialog(dialog, [&](HWND window) {
    ClickLater(window, IDC_BACKUP_BROWSE);
    EXPECT_TRUE(ChooseFileInOpenDialog(window, (backups_ + L"\\None.7z").c_str()));
    EXPECT_TRUE(BecomesEnabled(window, IDOK));
    Click(window, IDOK);
  });
  EXPECT_EQ(result, IDCANCEL);
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_EQ(boxes_.Texts()[0], vantry_ + L" folder doesn't exist. The backup process was not completed");
  EXPECT_FALSE(Exists(backups_ + L"\\None.7z"));
}

TEST_F(BackupTest, RestoreKeepsTheOldFolderUnderTheNextFreeCopyName) {
  WriteBytes(vantry_ + L"\\a.txt", "alpha");
  const std::wstring archive = backups_ + L"\\Copies.7z";
  BackUpByCommand(archive);
  CreateDirectoryW((docs_ + L"\\Vantry Copy1").c_str(), nullptr);
  WriteBytes(vantry_ + L"\\a.txt", "second state");
  Restore(archive);
  EXPECT_EQ(ReadBytes(docs_ + L"\\Vantry Copy2\\a.txt"), "second state");
  EXPECT_EQ(ReadBytes(vantry_ + L"\\a.txt"), "alpha");
}

// An archive whose entry would land outside the documents folder is refused before anything moves.
TEST_F(BackupTest, AnArchiveWithAnEntryOutsideTheDocumentsFolderIsRefusedAndNothingChanges) {
  WriteBytes(vantry_ + L"\\a.txt", "current");
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring outside = std::wstring(temp) + L"VantryOutside" + std::to_wstring(GetCurrentProcessId()) + L".txt";
  WriteBytes(outside, "outside");
  const std::wstring archive = backups_ + L"\\Escaping.7z";
  DWORD exitCode = 0, error = 0;
  ASSERT_TRUE(RunArchiver(ArchiverCommandPrefix(L"a -spf") + L" \"" + archive.c_str() + L"\" \"" + outside.c_str() + L"\"",
                          exitCode, error));
  ASSERT_EQ(exitCode, 0u);
  DeleteFileW(outside.c_str());
  PressRestore(archive);
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_NE(boxes_.Texts()[0].find(L"outside the documents folder"), std::wstring::npos);
  EXPECT_FALSE(Exists(outside));
  EXPECT_FALSE(Exists(docs_ + L"\\Vantry Copy1"));
  EXPECT_EQ(ReadBytes(vantry_ + L"\\a.txt"), "current");
}

// Files outside the moved folder that are newer than the archive's copies are replaced only on Yes.
TEST_F(BackupTest, NewerFilesAreReplacedOnlyWhenTheUserAgrees) {
  const std::wstring other = docs_ + L"\\Other";
  CreateDirectoryW(other.c_str(), nullptr);
  WriteBytes(other + L"\\note.txt", "archived");
  const std::wstring archive = backups_ + L"\\Mixed.7z";
  SetCurrentDirectoryW(docs_.c_str());
  DWORD exitCode = 0, error = 0;
  ASSERT_TRUE(RunArchiver(ArchiverCommandPrefix(L"a") + L" \"" + archive.c_str() + L"\" \"Other\\note.txt\"", exitCode, error));
  ASSERT_EQ(exitCode, 0u);
  WriteBytes(other + L"\\note.txt", "newer");
  FILETIME later = {};
  GetSystemTimeAsFileTime(&later);
  ULARGE_INTEGER ticks = {{later.dwLowDateTime, later.dwHighDateTime}};
  ticks.QuadPart += 3600ULL * 10000000ULL;
  later = {ticks.LowPart, ticks.HighPart};
  HANDLE file = CreateFileW((other + L"\\note.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  SetFileTime(file, nullptr, nullptr, &later);
  CloseHandle(file);

  for (int answer : {IDNO, IDYES}) {
    fixtures::RecordedMessageBoxes boxes(answer);
    PressRestore(archive);
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_EQ(boxes.Texts()[0], L"Restoring would replace 1 files that are newer than their copies in the archive. Replace them?");
    EXPECT_EQ(ReadBytes(other + L"\\note.txt"), answer == IDYES ? "archived" : "newer");
    EXPECT_EQ(Exists(docs_ + L"\\Vantry Copy1"), answer == IDYES);
  }
}

}  // namespace

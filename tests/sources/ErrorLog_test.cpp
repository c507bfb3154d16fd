#include "ErrorLog.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "ArchiveFixtures.h"
#include "MyProcs.h"
#include "TestSupport.h"

namespace {

using fixtures::PrivateUserProfile;
using fixtures::ReadHexFixture;
using fixtures::ToHex;

std::wstring LogPath() { return std::wstring(static_cast<LPCTSTR>(GetErrorLogPathName())); }

std::string LogBytes() { return testing_support::ReadFileBytes(LogPath()); }

std::wstring LogText() {
  const std::string bytes = LogBytes();
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
}

class ErrorLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(profile_.Ready());
    DeleteFileW(LogPath().c_str());
  }
  PrivateUserProfile profile_;
};

TEST_F(ErrorLogTest, LivesInTheProductFolderUnderTheDocuments) {
  EXPECT_EQ(profile_.Documents() + L"\\Vantry\\error.log", LogPath());
}

TEST_F(ErrorLogTest, EntryBytesAsWrittenToTheFile) {
  SYSTEMTIME t = {};
  t.wYear = 2026, t.wMonth = 3, t.wDay = 5, t.wHour = 9, t.wMinute = 7, t.wSecond = 3, t.wMilliseconds = 45;
  InitErrorLog();
  AppendErrorLogAt(t, L"X");
  EXPECT_EQ(ToHex(ReadHexFixture(VANTRY_TEST_DATA_DIR L"/error_log_entry.hex")), ToHex(LogBytes()));
}

TEST_F(ErrorLogTest, AppendStampsTheCurrentUtcTime) {
  InitErrorLog();
  SYSTEMTIME before;
  GetSystemTime(&before);
  AppendErrorLog(L"Start application");
  const std::wstring text = LogText();
  ASSERT_GE(text.size(), 1u);
  EXPECT_EQ(L'\xFEFF', text[0]);
  std::wsmatch match;
  const std::wstring entries = text.substr(1);
  ASSERT_TRUE(std::regex_match(entries, match,
                               std::wregex(L"(\\d+)\\.(\\d+)\\.(\\d+)  \\d+:\\d+:\\d+\\.\\d+\r\nStart application\r\n\r\n")))
      << std::string(entries.begin(), entries.end());
  // Near midnight the day may have moved on between the two readings.
  EXPECT_EQ(before.wYear, std::stoi(match[3].str()));
}

TEST_F(ErrorLogTest, InitOnAnExistingLogAppendsASecondMark) {
  InitErrorLog();
  InitErrorLog();
  EXPECT_EQ("FF FE FF FE ", ToHex(LogBytes()));
}

TEST_F(ErrorLogTest, MissingFoldersMakeLoggingSilent) {
  const struct {
    const wchar_t* documents;
  } cases[] = {{L"C:\\no such folder\\at all"}, {L""}};
  for (const auto& c : cases) {
    profile_.SetDocumentsValue(c.documents);
    InitErrorLog();
    AppendErrorLog(L"lost");
    ReportCaughtException(L"ErrorLog_test.cpp", 1, L"Nowhere");
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((std::wstring(c.documents) + L"\\Vantry\\error.log").c_str()));
  }
}

// A function under the catch-all convention whose body throws what it is given.
int FailingOperation(int what, int* catchLine) {
  *catchLine = __LINE__ + 6;
  DEF_TRY
  if (what == 0) AfxThrowArchiveException(CArchiveException::endOfFile);
  if (what == 1) throw std::runtime_error("plain C++ exception");
  if (what == 2) AfxThrowMemoryException();
  return 1;
  DEF_CATCH("CSample::FailingOperation")
  return -1;
}

TEST_F(ErrorLogTest, CaughtExceptionsAreLoggedWithFileLineAndQualifiedName) {
  for (int what = 0; what < 3; ++what) {
    DeleteFileW(LogPath().c_str());
    InitErrorLog();
    int line = 0;
    EXPECT_EQ(-1, FailingOperation(what, &line));
    const std::wstring expected = L"\r\nException (DEF_TRY - DEF_CATCH)\r\nFile ErrorLog_test.cpp\r\nLine " +
                                  std::to_wstring(line) + L"\r\nFunction CSample::FailingOperation\r\n\r\n";
    const std::wstring text = LogText();
    ASSERT_GE(text.size(), expected.size());
    EXPECT_EQ(expected, text.substr(text.size() - expected.size())) << "exception kind " << what;
  }
}

TEST_F(ErrorLogTest, NothingIsLoggedWhenNothingFails) {
  InitErrorLog();
  int line = 0;
  EXPECT_EQ(1, FailingOperation(3, &line));
  EXPECT_EQ("FF FE ", ToHex(LogBytes()));
}

const int kThreads = 8;
const int kEntriesPerThread = 40;

DWORD WINAPI AppendFromThread(LPVOID parameter) {
  const int thread = static_cast<int>(reinterpret_cast<INT_PTR>(parameter));
  for (int i = 0; i < kEntriesPerThread; ++i)
    AppendErrorLog((L"thread " + std::to_wstring(thread) + L" entry " + std::to_wstring(i)).c_str());
  return 0;
}

TEST_F(ErrorLogTest, EntriesFromSeveralThreadsAreAllKeptWhole) {
  InitErrorLog();
  HANDLE threads[kThreads];
  for (int t = 0; t < kThreads; ++t)
    threads[t] = CreateThread(nullptr, 0, AppendFromThread, reinterpret_cast<LPVOID>(static_cast<INT_PTR>(t)), 0, nullptr);
  WaitForMultipleObjects(kThreads, threads, TRUE, INFINITE);
  for (HANDLE thread : threads) CloseHandle(thread);

  const std::wstring text = LogText().substr(1);
  const std::wregex entry(L"\\d+\\.\\d+\\.\\d+  \\d+:\\d+:\\d+\\.\\d+\r\nthread (\\d) entry (\\d+)\r\n\r\n");
  int seen[kThreads] = {};
  size_t consumed = 0;
  for (std::wsregex_iterator it(text.begin(), text.end(), entry), end; it != end; ++it) {
    EXPECT_EQ(consumed, static_cast<size_t>(it->position())) << "an entry was cut or mixed";
    consumed = it->position() + it->length();
    ++seen[std::stoi((*it)[1].str())];
  }
  EXPECT_EQ(text.size(), consumed);
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(kEntriesPerThread, seen[t]) << "thread " << t;
}

}  // namespace

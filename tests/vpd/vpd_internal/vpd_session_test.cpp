// Session lookup and the failure log, on the real token API and the real "c:/tmp/log".
#include "vpd_session.h"

#include <gtest/gtest.h>

#include <regex>

#include "VpdTestSupport.h"
#include "vpd_log.h"

using namespace vpd_internal;

namespace {

class SessionAndLog : public ::testing::Test {
 protected:
  vpd_test::VantryState state;
};

TEST_F(SessionAndLog, AnotherSessionResolvesThroughItsUserToken) {
  // Wine hands every session the token of the calling process's user, so under Wine a session's
  // SID is this process's SID and its environment is this process's environment.
  std::wstring sid;
  ASSERT_TRUE(getSecurityId(1, sid));
  EXPECT_EQ(sid, vpd_test::ownSid());
  SetEnvironmentVariableW(L"VPD_TEST_SESSION", L"seen");
  EXPECT_EQ(expandForSession(L"[%VPD_TEST_SESSION%]", 1), L"[seen]");
  SetEnvironmentVariableW(L"VPD_TEST_SESSION", nullptr);
  EXPECT_EQ(state.log(), "");  // nothing failed, nothing logged
}

// The date parts of an entry for a given local time, as the log spells them.
std::string datePattern(const SYSTEMTIME& t) {
  static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char text[32];
  snprintf(text, sizeof(text), "%s %s %02u", days[t.wDayOfWeek], months[t.wMonth - 1], t.wDay);
  return text;
}

TEST_F(SessionAndLog, EntriesAreAppendedInTheirThreePieces) {
  SYSTEMTIME before;
  GetLocalTime(&before);
  SetLastError(1234);
  const unsigned line = __LINE__ + 1;
  VPD_LOG_FAILURE("first failure");
  EXPECT_EQ(GetLastError(), 1234u);  // the log leaves the error as it found it
  SetLastError(ERROR_ACCESS_DENIED);
  VPD_LOG_FAILURE("second failure");
  SYSTEMTIME after;
  GetLocalTime(&after);

  const std::string log = state.log();
  // Text mode: every "\n" of an entry is written as CR LF.
  const std::regex entry(
      "\r\nERROR: file: ([^;]+); line: ([0-9]+); time: ([A-Z][a-z]{2} [A-Z][a-z]{2} [0-9]{2}) "
      "[0-9]{2}:[0-9]{2}:[0-9]{2} ([0-9]{4});\r\nmessage: ([^\r]*)\r\nerrcode: (-?[0-9]+)\r\n\r\n");
  std::smatch m;
  ASSERT_TRUE(std::regex_search(log, m, entry)) << log;
  EXPECT_EQ(m.position(0), 0);
  EXPECT_EQ(m[1].str(), __FILE__);
  EXPECT_EQ(m[2].str(), std::to_string(line));
  EXPECT_TRUE(m[3].str() == datePattern(before) || m[3].str() == datePattern(after)) << m[3].str();
  EXPECT_TRUE(m[4].str() == std::to_string(before.wYear) || m[4].str() == std::to_string(after.wYear));
  EXPECT_EQ(m[5].str(), "first failure");
  EXPECT_EQ(m[6].str(), "1234");

  const std::string rest = m.suffix().str();
  ASSERT_TRUE(std::regex_match(rest, m, entry)) << rest;
  EXPECT_EQ(m[5].str(), "second failure");
  EXPECT_EQ(m[6].str(), std::to_string(ERROR_ACCESS_DENIED));
}

TEST_F(SessionAndLog, AMissingLogFolderSkipsTheEntryQuietly) {
  state.removeLogFolder();
  SetLastError(ERROR_INVALID_DATA);
  VPD_LOG_FAILURE("nobody reads this");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
  EXPECT_EQ(GetFileAttributesW(L"c:\\tmp\\log"), INVALID_FILE_ATTRIBUTES);
  // The store's own operations go on regardless.
  std::wstring sid;
  EXPECT_TRUE(getSecurityId(ownSession, sid));
}

}  // namespace

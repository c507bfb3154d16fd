// CTime and CTimeSpan: seconds since 1970 UTC, parts in local time, and formatting.
#include <gtest/gtest.h>

#include <time.h>

#include "Framework.h"

namespace {

TEST(TimeTest, PartsRoundTripThroughLocalTime) {
  const CTime t(2024, 3, 15, 13, 45, 30);
  EXPECT_EQ(t.GetYear(), 2024);
  EXPECT_EQ(t.GetMonth(), 3);
  EXPECT_EQ(t.GetDay(), 15);
  EXPECT_EQ(t.GetHour(), 13);
  EXPECT_EQ(t.GetMinute(), 45);
  EXPECT_EQ(t.GetSecond(), 30);
  EXPECT_EQ(t.GetDayOfWeek(), 6);  // a Friday
  EXPECT_STREQ(t.Format(L"%Y-%m-%d %H:%M:%S"), L"2024-03-15 13:45:30");
  const CTime later(2024, 3, 16, 14, 46, 31);
  const CTimeSpan span = later - t;
  EXPECT_EQ(span.GetTotalSeconds(), 90061);
  EXPECT_EQ(span.GetDays(), 1);
  EXPECT_EQ(span.GetHours(), 1);
  EXPECT_EQ(span.GetMinutes(), 1);
  EXPECT_EQ(span.GetSeconds(), 1);
  EXPECT_TRUE(t + span == later);
  EXPECT_EQ(CTimeSpan(7, 0, 0, 0).GetTotalSeconds(), 604800);
}

TEST(TimeTest, UtcAnchors) {
  // 2000-01-01 00:00:00 UTC as a FILETIME.
  FILETIME ft;
  ft.dwLowDateTime = 0x256D4000;
  ft.dwHighDateTime = 0x01BF53EB;
  EXPECT_EQ(CTime(ft).GetTime(), 946684800);
  EXPECT_STREQ(CTime(946684800).FormatGmt(L"%Y-%m-%d %H:%M:%S"), L"2000-01-01 00:00:00");
  const LONGLONG now = CTime::GetCurrentTime().GetTime();
  EXPECT_LE(llabs(now - static_cast<LONGLONG>(_time64(nullptr))), 2);
}

TEST(TimeTest, ImpossibleDateThrows) {
  bool invalid = false;
  try {
    CTime(2024, 2, 30, 0, 0, 0);
  } catch (CInvalidArgException* e) {
    invalid = true;
    e->Delete();
  }
  EXPECT_TRUE(invalid);
}

}  // namespace

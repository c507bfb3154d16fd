// COleDateTime: OLE dates (days since 1899-12-30), validity, parts, spans and the OLE text forms.
#include <gtest/gtest.h>

#include "Framework.h"

namespace {

TEST(OleDateTimeTest, DatesAreDaysSince1899) {
  COleDateTime noon(2024, 3, 15, 12, 0, 0);
  ASSERT_EQ(noon.GetStatus(), COleDateTime::valid);
  EXPECT_DOUBLE_EQ(noon.m_dt, 45366.5);
  EXPECT_EQ(noon.GetYear(), 2024);
  EXPECT_EQ(noon.GetMonth(), 3);
  EXPECT_EQ(noon.GetDay(), 15);
  EXPECT_EQ(noon.GetHour(), 12);
  EXPECT_EQ(noon.GetDayOfWeek(), 6);
  EXPECT_DOUBLE_EQ(COleDateTime(1899, 12, 30, 0, 0, 0).m_dt, 0.0);
  SYSTEMTIME st;
  ASSERT_TRUE(noon.GetAsSystemTime(st));
  EXPECT_EQ(st.wYear, 2024);
}

TEST(OleDateTimeTest, SetDateTimeRejectsImpossibleValues) {
  struct Case {
    int year, month, day, hour, minute, second;
    int result;
  } cases[] = {
      {2024, 2, 29, 0, 0, 0, 0}, {2023, 2, 29, 0, 0, 0, 1}, {2024, 4, 31, 0, 0, 0, 1},
      {2024, 13, 1, 0, 0, 0, 1}, {2024, 1, 1, 24, 0, 0, 1}, {2024, 1, 1, 23, 59, 59, 0},
  };
  for (const Case& c : cases) {
    COleDateTime value;
    EXPECT_EQ(value.SetDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second), c.result)
        << c.year << "-" << c.month << "-" << c.day << " " << c.hour;
    EXPECT_EQ(value.GetStatus(), c.result ? COleDateTime::invalid : COleDateTime::valid);
  }
  COleDateTime invalid;
  invalid.SetDate(2023, 2, 29);
  EXPECT_EQ(invalid.GetYear(), -1);
}

TEST(OleDateTimeTest, SpansAndText) {
  const COleDateTime start(2024, 3, 15, 8, 0, 0);
  const COleDateTime end = start + COleDateTimeSpan(1, 2, 30, 15);
  EXPECT_EQ(end.GetDay(), 16);
  EXPECT_EQ(end.GetHour(), 10);
  EXPECT_EQ(end.GetMinute(), 30);
  EXPECT_EQ(end.GetSecond(), 15);
  const COleDateTimeSpan span = end - start;
  EXPECT_EQ(span.GetDays(), 1);
  EXPECT_EQ(span.GetHours(), 2);
  EXPECT_EQ(span.GetMinutes(), 30);
  EXPECT_EQ(span.GetSeconds(), 15);
  EXPECT_TRUE(start < end);

  EXPECT_STREQ(start.Format(L"%d.%m.%Y %H:%M"), L"15.03.2024 08:00");
  EXPECT_STREQ(start.Format(VAR_DATEVALUEONLY), L"3/15/2024");
  COleDateTime parsed;
  EXPECT_TRUE(parsed.ParseDateTime(L"3/15/2024 8:00:00 AM"));
  EXPECT_TRUE(parsed == start);
  EXPECT_FALSE(parsed.ParseDateTime(L"not a date"));
  EXPECT_EQ(parsed.GetStatus(), COleDateTime::invalid);
}

}  // namespace

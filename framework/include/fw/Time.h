// CTime: a moment as seconds since 1970-01-01 UTC (64-bit, also in the 32-bit programs), whose parts
// are read in local time; CTimeSpan: a signed number of seconds.
#pragma once
#include "fw/String.h"

class FW_API CTimeSpan {
 public:
  CTimeSpan() : m_timeSpan(0) {}
  CTimeSpan(LONGLONG seconds) : m_timeSpan(seconds) {}
  CTimeSpan(LONG days, int hours, int minutes, int seconds)
      : m_timeSpan(((static_cast<LONGLONG>(days) * 24 + hours) * 60 + minutes) * 60 + seconds) {}

  LONGLONG GetDays() const { return m_timeSpan / 86400; }
  LONGLONG GetTotalHours() const { return m_timeSpan / 3600; }
  LONG GetHours() const { return static_cast<LONG>(GetTotalHours() - GetDays() * 24); }
  LONGLONG GetTotalMinutes() const { return m_timeSpan / 60; }
  LONG GetMinutes() const { return static_cast<LONG>(GetTotalMinutes() - GetTotalHours() * 60); }
  LONGLONG GetTotalSeconds() const { return m_timeSpan; }
  LONG GetSeconds() const { return static_cast<LONG>(GetTotalSeconds() - GetTotalMinutes() * 60); }
  LONGLONG GetTimeSpan() const { return m_timeSpan; }

  CTimeSpan operator+(CTimeSpan other) const { return m_timeSpan + other.m_timeSpan; }
  CTimeSpan operator-(CTimeSpan other) const { return m_timeSpan - other.m_timeSpan; }
  bool operator==(CTimeSpan other) const { return m_timeSpan == other.m_timeSpan; }
  bool operator!=(CTimeSpan other) const { return m_timeSpan != other.m_timeSpan; }
  bool operator<(CTimeSpan other) const { return m_timeSpan < other.m_timeSpan; }
  bool operator>(CTimeSpan other) const { return m_timeSpan > other.m_timeSpan; }

 private:
  LONGLONG m_timeSpan;
};

class FW_API CTime {
 public:
  CTime() : m_time(0) {}
  CTime(LONGLONG time) : m_time(time) {}
  // Local date and time; an impossible date throws CInvalidArgException.
  CTime(int year, int month, int day, int hour, int minute, int second, int dst = -1);
  CTime(const SYSTEMTIME& localTime, int dst = -1);
  CTime(const FILETIME& utcTime, int dst = -1);

  static CTime GetCurrentTime();

  LONGLONG GetTime() const { return m_time; }
  int GetYear() const { return Local().wYear; }
  int GetMonth() const { return Local().wMonth; }
  int GetDay() const { return Local().wDay; }
  int GetHour() const { return Local().wHour; }
  int GetMinute() const { return Local().wMinute; }
  int GetSecond() const { return Local().wSecond; }
  // 1 = Sunday ... 7 = Saturday.
  int GetDayOfWeek() const { return Local().wDayOfWeek + 1; }
  BOOL GetAsSystemTime(SYSTEMTIME& localTime) const;
  // strftime codes (%Y, %m, %d, %H, %M, %S ...) applied to the local time.
  CString Format(LPCTSTR format) const;
  CString FormatGmt(LPCTSTR format) const;

  CTimeSpan operator-(CTime other) const { return m_time - other.m_time; }
  CTime operator-(CTimeSpan span) const { return m_time - span.GetTimeSpan(); }
  CTime operator+(CTimeSpan span) const { return m_time + span.GetTimeSpan(); }
  CTime& operator+=(CTimeSpan span) {
    m_time += span.GetTimeSpan();
    return *this;
  }
  CTime& operator-=(CTimeSpan span) {
    m_time -= span.GetTimeSpan();
    return *this;
  }
  bool operator==(CTime other) const { return m_time == other.m_time; }
  bool operator!=(CTime other) const { return m_time != other.m_time; }
  bool operator<(CTime other) const { return m_time < other.m_time; }
  bool operator>(CTime other) const { return m_time > other.m_time; }
  bool operator<=(CTime other) const { return m_time <= other.m_time; }
  bool operator>=(CTime other) const { return m_time >= other.m_time; }

 private:
  SYSTEMTIME Local() const;
  LONGLONG m_time;
};

// COleDateTime: an OLE automation date (days since 1899-12-30, the fraction the time of day) with a
// validity status; COleDateTimeSpan: a difference in days. Text goes through the OLE conversions.
#pragma once
#include "fw/String.h"

#include <oleauto.h>

class FW_API COleDateTimeSpan {
 public:
  enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

  COleDateTimeSpan() : m_span(0), m_status(valid) {}
  COleDateTimeSpan(double days) : m_span(days), m_status(valid) {}
  COleDateTimeSpan(LONG days, int hours, int minutes, int seconds)
      : m_span(days + hours / 24.0 + minutes / 1440.0 + seconds / 86400.0), m_status(valid) {}

  double GetTotalDays() const { return m_span; }
  double GetTotalHours() const { return m_span * 24; }
  double GetTotalMinutes() const { return m_span * 1440; }
  double GetTotalSeconds() const { return m_span * 86400; }
  // Whole parts, rounded to the nearest second first.
  LONG GetDays() const { return static_cast<LONG>(RoundedSeconds() / 86400); }
  LONG GetHours() const { return static_cast<LONG>(RoundedSeconds() / 3600 % 24); }
  LONG GetMinutes() const { return static_cast<LONG>(RoundedSeconds() / 60 % 60); }
  LONG GetSeconds() const { return static_cast<LONG>(RoundedSeconds() % 60); }
  DateTimeSpanStatus GetStatus() const { return m_status; }

  COleDateTimeSpan operator+(const COleDateTimeSpan& other) const { return m_span + other.m_span; }
  COleDateTimeSpan operator-(const COleDateTimeSpan& other) const { return m_span - other.m_span; }
  bool operator==(const COleDateTimeSpan& other) const { return m_span == other.m_span; }
  bool operator<(const COleDateTimeSpan& other) const { return m_span < other.m_span; }
  bool operator>(const COleDateTimeSpan& other) const { return m_span > other.m_span; }

  double m_span;
  DateTimeSpanStatus m_status;

 private:
  LONGLONG RoundedSeconds() const {
    const double seconds = m_span * 86400;
    return static_cast<LONGLONG>(seconds < 0 ? seconds - 0.5 : seconds + 0.5);
  }
};

class FW_API COleDateTime {
 public:
  enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

  COleDateTime() : m_dt(0), m_status(valid) {}
  COleDateTime(DATE date) : m_dt(date), m_status(valid) {}
  COleDateTime(const SYSTEMTIME& time);
  COleDateTime(const FILETIME& localTime);
  COleDateTime(int year, int month, int day, int hour, int minute, int second);

  // The local date and time now.
  static COleDateTime GetCurrentTime();

  DateTimeStatus GetStatus() const { return m_status; }
  void SetStatus(DateTimeStatus status) { m_status = status; }
  operator DATE() const { return m_dt; }

  int GetYear() const { return Part(&SYSTEMTIME::wYear); }
  int GetMonth() const { return Part(&SYSTEMTIME::wMonth); }
  int GetDay() const { return Part(&SYSTEMTIME::wDay); }
  int GetHour() const { return Part(&SYSTEMTIME::wHour); }
  int GetMinute() const { return Part(&SYSTEMTIME::wMinute); }
  int GetSecond() const { return Part(&SYSTEMTIME::wSecond); }
  // 1 = Sunday ... 7 = Saturday; -1 when the value is not valid.
  int GetDayOfWeek() const;
  BOOL GetAsSystemTime(SYSTEMTIME& time) const;

  // Each returns 0 and makes the value valid, or 1 and makes it invalid.
  int SetDateTime(int year, int month, int day, int hour, int minute, int second);
  int SetDate(int year, int month, int day) { return SetDateTime(year, month, day, 0, 0, 0); }
  int SetTime(int hour, int minute, int second) { return SetDateTime(1899, 12, 30, hour, minute, second); }

  // The OLE text of the value in the user's locale (flags as for VarBstrFromDate, e.g. VAR_DATEVALUEONLY).
  CString Format(DWORD flags = 0, LCID locale = LANG_USER_DEFAULT) const;
  // strftime codes applied to the value.
  CString Format(LPCTSTR format) const;
  // Reads text by the OLE rules; on failure the value becomes invalid and the result is FALSE.
  bool ParseDateTime(LPCTSTR text, DWORD flags = 0, LCID locale = LANG_USER_DEFAULT);

  COleDateTimeSpan operator-(const COleDateTime& other) const { return m_dt - other.m_dt; }
  COleDateTime operator+(const COleDateTimeSpan& span) const { return m_dt + span.m_span; }
  COleDateTime operator-(const COleDateTimeSpan& span) const { return m_dt - span.m_span; }
  bool operator==(const COleDateTime& other) const { return m_dt == other.m_dt && m_status == other.m_status; }
  bool operator!=(const COleDateTime& other) const { return !(*this == other); }
  bool operator<(const COleDateTime& other) const { return m_dt < other.m_dt; }
  bool operator>(const COleDateTime& other) const { return m_dt > other.m_dt; }
  bool operator<=(const COleDateTime& other) const { return m_dt <= other.m_dt; }
  bool operator>=(const COleDateTime& other) const { return m_dt >= other.m_dt; }

  DATE m_dt;
  DateTimeStatus m_status;

 private:
  int Part(WORD SYSTEMTIME::*field) const;
};

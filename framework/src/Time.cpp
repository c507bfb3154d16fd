#include "fw/Time.h"

#include <time.h>

#include "fw/Exceptions.h"
#include "TimeParts.h"

namespace {

// FILETIME counts 100 ns from 1601-01-01; time_t counts seconds from 1970-01-01.
const LONGLONG kEpochDifference = 11644473600LL;
const LONGLONG kTicksPerSecond = 10000000LL;

LONGLONG FromFileTime(const FILETIME& ft) {
  ULARGE_INTEGER value;
  value.LowPart = ft.dwLowDateTime;
  value.HighPart = ft.dwHighDateTime;
  return static_cast<LONGLONG>(value.QuadPart / kTicksPerSecond) - kEpochDifference;
}

FILETIME ToFileTime(LONGLONG time) {
  ULARGE_INTEGER value;
  value.QuadPart = static_cast<ULONGLONG>((time + kEpochDifference) * kTicksPerSecond);
  FILETIME ft;
  ft.dwLowDateTime = value.LowPart;
  ft.dwHighDateTime = value.HighPart;
  return ft;
}

SYSTEMTIME Utc(LONGLONG time) {
  const FILETIME ft = ToFileTime(time);
  SYSTEMTIME st = {};
  FileTimeToSystemTime(&ft, &st);
  return st;
}

// Local wall-clock time to UTC seconds, with the daylight rules of that date.
LONGLONG FromLocal(const SYSTEMTIME& local) {
  SYSTEMTIME utc;
  FILETIME ft;
  if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !SystemTimeToFileTime(&utc, &ft)) {
    AfxThrowInvalidArgException();
  }
  return FromFileTime(ft);
}

}  // namespace

CString FormatSystemTime(const SYSTEMTIME& st, LPCTSTR format) {
  if (!format || !*format) return CString();
  tm parts = {};
  parts.tm_year = st.wYear - 1900;
  parts.tm_mon = st.wMonth - 1;
  parts.tm_mday = st.wDay;
  parts.tm_hour = st.wHour;
  parts.tm_min = st.wMinute;
  parts.tm_sec = st.wSecond;
  parts.tm_wday = st.wDayOfWeek;
  parts.tm_isdst = -1;
  SYSTEMTIME jan1 = st;
  jan1.wMonth = 1;
  jan1.wDay = 1;
  FILETIME a, b;
  if (SystemTimeToFileTime(&st, &a) && SystemTimeToFileTime(&jan1, &b)) {
    ULARGE_INTEGER x = {{a.dwLowDateTime, a.dwHighDateTime}}, y = {{b.dwLowDateTime, b.dwHighDateTime}};
    parts.tm_yday = static_cast<int>((x.QuadPart - y.QuadPart) / (kTicksPerSecond * 86400));
  }
  WCHAR buffer[512];
  const size_t length = wcsftime(buffer, _countof(buffer), format, &parts);
  return CString(buffer, static_cast<int>(length));
}

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int) {
  SYSTEMTIME local = SystemTimeOf(year, month, day, hour, minute, second);
  if (year < 1970 || year > 30827 || !IsPossibleDateTime(year, month, day, hour, minute, second)) {
    AfxThrowInvalidArgException();
  }
  m_time = FromLocal(local);
}

CTime::CTime(const SYSTEMTIME& localTime, int dst)
    : CTime(localTime.wYear, localTime.wMonth, localTime.wDay, localTime.wHour, localTime.wMinute,
            localTime.wSecond, dst) {}

CTime::CTime(const FILETIME& utcTime, int) : m_time(FromFileTime(utcTime)) {}

CTime CTime::GetCurrentTime() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return CTime(FromFileTime(now));
}

SYSTEMTIME CTime::Local() const {
  const SYSTEMTIME utc = Utc(m_time);
  SYSTEMTIME local = utc;
  SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
  return local;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& localTime) const {
  localTime = Local();
  localTime.wMilliseconds = 0;
  return TRUE;
}

CString CTime::Format(LPCTSTR format) const {
  return FormatSystemTime(Local(), format);
}

CString CTime::FormatGmt(LPCTSTR format) const {
  return FormatSystemTime(Utc(m_time), format);
}

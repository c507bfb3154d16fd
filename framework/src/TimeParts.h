// Shared by the time classes of the layer (not exported).
#pragma once
#include "fw/String.h"

// Applies strftime codes to a date and time given by its parts.
CString FormatSystemTime(const SYSTEMTIME& time, LPCTSTR format);

// The parts as the system's time record (the weekday and milliseconds left 0); values outside a WORD
// wrap, so callers check IsPossibleDateTime as well.
inline SYSTEMTIME SystemTimeOf(int year, int month, int day, int hour, int minute, int second) {
  SYSTEMTIME time = {};
  time.wYear = static_cast<WORD>(year);
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  time.wHour = static_cast<WORD>(hour);
  time.wMinute = static_cast<WORD>(minute);
  time.wSecond = static_cast<WORD>(second);
  return time;
}

// A real calendar date and time of day (Gregorian leap years), whatever the system calls accept.
inline bool IsPossibleDateTime(int year, int month, int day, int hour, int minute, int second) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
      second > 59) {
    return false;
  }
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

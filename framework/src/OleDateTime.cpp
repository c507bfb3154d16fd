#include "fw/OleDateTime.h"

#include "TimeParts.h"

COleDateTime::COleDateTime(const SYSTEMTIME& time) : m_dt(0), m_status(valid) {
  if (!SystemTimeToVariantTime(const_cast<SYSTEMTIME*>(&time), &m_dt)) m_status = invalid;
}

COleDateTime::COleDateTime(const FILETIME& localTime) : m_dt(0), m_status(valid) {
  SYSTEMTIME st;
  if (!FileTimeToSystemTime(&localTime, &st) || !SystemTimeToVariantTime(&st, &m_dt)) m_status = invalid;
}

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second) : COleDateTime() {
  SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime COleDateTime::GetCurrentTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  now.wMilliseconds = 0;
  return COleDateTime(now);
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
  SYSTEMTIME st = SystemTimeOf(year, month, day, hour, minute, second);
  const bool possible = year >= 100 && year <= 9999 && IsPossibleDateTime(year, month, day, hour, minute, second);
  if (!possible || !SystemTimeToVariantTime(&st, &m_dt)) {
    m_dt = 0;
    m_status = invalid;
    return 1;
  }
  m_status = valid;
  return 0;
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& time) const {
  return m_status == valid && VariantTimeToSystemTime(m_dt, &time);
}

int COleDateTime::Part(WORD SYSTEMTIME::*field) const {
  SYSTEMTIME st;
  return GetAsSystemTime(st) ? st.*field : -1;
}

int COleDateTime::GetDayOfWeek() const {
  SYSTEMTIME st;
  return GetAsSystemTime(st) ? st.wDayOfWeek + 1 : -1;
}

CString COleDateTime::Format(DWORD flags, LCID locale) const {
  if (m_status == null) return CString();
  if (m_status != valid) return CString(L"Invalid DateTime");
  BSTR text = nullptr;
  if (FAILED(VarBstrFromDate(m_dt, locale, flags, &text))) return CString();
  CString result(text, static_cast<int>(SysStringLen(text)));
  SysFreeString(text);
  return result;
}

CString COleDateTime::Format(LPCTSTR format) const {
  SYSTEMTIME st;
  if (!format || !GetAsSystemTime(st)) return CString();
  return FormatSystemTime(st, format);
}

bool COleDateTime::ParseDateTime(LPCTSTR text, DWORD flags, LCID locale) {
  DATE parsed = 0;
  if (!text || FAILED(VarDateFromStr(const_cast<LPOLESTR>(text), locale, flags, &parsed))) {
    m_dt = 0;
    m_status = invalid;
    return false;
  }
  m_dt = parsed;
  m_status = valid;
  return true;
}

#include "Units.h"

#include <math.h>
#include <stdio.h>

#include "resource.h"

CUnit CUnits::m_units[CUnits::kRows] = {
    {1440, IDS_INCH1, FALSE, CString()}, {568, IDS_CM, TRUE, CString()},    {20, IDS_POINT, TRUE, CString()},
    {240, IDS_PICA, TRUE, CString()},    {1440, IDS_INCH2, FALSE, CString()}, {1440, IDS_INCH3, FALSE, CString()},
    {1440, IDS_INCH4, FALSE, CString()},
};

void CUnits::LoadAbbreviations(HINSTANCE module) {
  for (CUnit& unit : m_units) {
    wchar_t text[32] = L"";
    ::LoadStringW(module, unit.m_nAbbrevID, text, _countof(text));
    unit.m_strAbbrev = text;
  }
}

namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The leading decimal number: an optional sign, digits and an optional fraction after ".".
// Returns the characters read, 0 when there is no number.
int ReadNumber(LPCWSTR text, double& value) {
  int i = 0;
  double sign = 1.0;
  if (text[i] == L'-' || text[i] == L'+') sign = text[i++] == L'-' ? -1.0 : 1.0;
  double number = 0.0;
  bool digits = false;
  for (; IsDigit(text[i]); ++i, digits = true) number = number * 10.0 + (text[i] - L'0');
  if (text[i] == L'.') {
    double scale = 0.1;
    for (++i; IsDigit(text[i]); ++i, scale /= 10.0, digits = true) number += (text[i] - L'0') * scale;
  }
  if (!digits) return 0;
  value = sign * number;
  return i;
}

}  // namespace

CUnits::ParseResult CUnits::ParseMeasurement(LPCWSTR text, int unitIndex, int& twips) {
  if (!text || !*text) return notSet;
  if (unitIndex < 0 || unitIndex >= kChoosable) return invalid;
  double number = 0.0;
  const int read = ReadNumber(text, number);
  if (read == 0) return invalid;
  LPCWSTR rest = text + read;
  while (IsSpace(*rest)) ++rest;
  int perUnit = m_units[unitIndex].m_nTPU;
  if (*rest) {
    int row = 0;
    while (row < kRows && (m_units[row].m_strAbbrev.IsEmpty() || _wcsicmp(rest, m_units[row].m_strAbbrev) != 0))
      ++row;
    if (row == kRows) return invalid;
    perUnit = m_units[row].m_nTPU;
  }
  const double value = number * perUnit;
  // A number too large for an int is no measurement.
  if (value >= static_cast<double>(INT_MAX) || value <= static_cast<double>(INT_MIN)) return invalid;
  twips = static_cast<int>(value < 0 ? -floor(-value + 0.5) : floor(value + 0.5));
  return parsed;
}

CString CUnits::FormatMeasurement(int twips, int unitIndex) {
  if (unitIndex < 0 || unitIndex >= kChoosable) unitIndex = 0;
  const CUnit& unit = m_units[unitIndex];
  const long long t = unit.m_nTPU;
  const long long m = twips < 0 ? -static_cast<long long>(twips) : twips;
  // Two decimals by long division, the second rounded half up, a carry passed on to the first and
  // to the whole part.
  long long whole = m / t;
  long long remainder = m % t;
  int first = static_cast<int>(remainder * 10 / t);
  remainder = remainder * 10 % t;
  int second = static_cast<int>(remainder * 10 / t);
  remainder = remainder * 10 % t;
  if (remainder * 2 >= t) ++second;
  if (second == 10) {
    second = 0;
    ++first;
  }
  if (first == 10) {
    first = 0;
    ++whole;
  }
  const int decimals = second != 0 ? 2 : (first != 0 ? 1 : 0);
  // The shown digits decide the sign: a length that shows as zero has none.
  const double shown = static_cast<double>(whole) + first / 10.0 + second / 100.0;
  const double value = (twips < 0 && shown != 0.0) ? -shown : shown;
  wchar_t number[64] = L"";
  _snwprintf(number, 63, L"%.*f", decimals, value);
  CString text(number);
  if (unit.m_bSpaceAbbrev) text += L" ";
  text += unit.m_strAbbrev;
  return text.Left(63);
}

int RoundToTen(int value) {
  const long long v = value;
  const long long rounded = v >= 0 ? (v + 5) / 10 * 10 : -((-v + 5) / 10 * 10);
  return static_cast<int>(rounded);
}

namespace {
long long PageSetupUnitsPerInch(BOOL metric) { return metric ? 2540 : 1000; }
}  // namespace

int TwipsToPageSetupUnits(int twips, BOOL metric) {
  const long long exact = static_cast<long long>(twips) * PageSetupUnitsPerInch(metric) / 1440;
  return RoundToTen(static_cast<int>(exact));
}

int PageSetupUnitsToTwips(int value, BOOL metric) {
  const long long rounded = RoundToTen(value);
  const long long perInch = PageSetupUnitsPerInch(metric);
  const long long scaled = rounded * 1440;
  // To the nearest twip, halves away from zero.
  const long long twips = scaled >= 0 ? (scaled + perInch / 2) / perInch : -((-scaled + perInch / 2) / perInch);
  return static_cast<int>(twips);
}

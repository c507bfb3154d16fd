#include "FieldProperties.h"

#include <cmath>
#include <cwchar>

#include "ErrorLog.h"
#include "MyProcs.h"

CString _PROPERTIES::GetFormatPropertiesAsString() const {
  DEF_TRY
  CString text;
  text.Format(_T("%d;%d;%d"), formatCategory, decimals, grouping);
  return text;
  DEF_CATCH("_PROPERTIES::GetFormatPropertiesAsString")
  return CString();
}

void _PROPERTIES::SetPropertiesFromString(const CString& text) {
  DEF_TRY
  int* const targets[] = {&formatCategory, &decimals, &grouping};
  int piece = 0;
  int start = 0;
  while (piece < 3 && start <= text.GetLength()) {
    int end = text.Find(_T(';'), start);
    if (end < 0) end = text.GetLength();
    const CString part = text.Mid(start, end - start);
    start = end + 1;
    if (part.IsEmpty()) continue;  // empty pieces do not count
    int value = 0;
    if (StrToInt(part, value)) *targets[piece] = value;
    ++piece;
  }
  DEF_CATCH("_PROPERTIES::SetPropertiesFromString")
}

namespace {

CString LocaleText(LCID locale, LCTYPE type) {
  WCHAR text[16] = {};
  GetLocaleInfoW(locale, type, text, _countof(text));
  return CString(text);
}

UINT LocaleNumber(LCID locale, LCTYPE type) {
  return static_cast<UINT>(_wtoi(LocaleText(locale, type)));
}

// "3;0" is groups of three (3), "3;2;0" three then twos (32), "3" three then no more (30).
UINT LocaleGrouping(LCID locale, LCTYPE type) {
  const CString text = LocaleText(locale, type);
  UINT grouping = 0;
  for (int i = 0; i < text.GetLength(); ++i)
    if (text[i] >= _T('0') && text[i] <= _T('9')) grouping = grouping * 10 + (text[i] - _T('0'));
  if (text.GetLength() >= 2 && text.Right(2) == _T(";0")) grouping /= 10;
  return grouping;
}

void CopyCut(WCHAR (&target)[10], LPCTSTR source) {
  wcsncpy(target, source != nullptr ? source : L"", 9);
  target[9] = 0;
}

void CopyLocaleText(WCHAR (&target)[10], LCID locale, LCTYPE type) {
  CopyCut(target, LocaleText(locale, type));
}

// The value as the neutral text GetNumberFormatW and GetCurrencyFormatW take: the run-time library
// may print a "," as its decimal point.
CString NeutralNumber(LPCTSTR format, double value) {
  CString text;
  text.Format(format, value);
  text.Replace(_T(','), _T('.'));
  return text;
}

template <typename Format, typename Formatter>
CString FormatWith(LCID locale, const CString& number, const Format& format, Formatter formatter) {
  const int length = formatter(locale, 0, number, &format, nullptr, 0);
  if (length <= 0) return CString(_T("Error"));
  CString result;
  const int written = formatter(locale, 0, number, &format, result.GetBuffer(length), length);
  result.ReleaseBuffer();
  return written > 0 ? result : CString(_T("Error"));
}

int ClampDecimals(int decimals) { return decimals < 0 ? 0 : (decimals > 9 ? 9 : decimals); }

}  // namespace

CNumberFormatStruct::CNumberFormatStruct() : m_format(), m_decimalSeparator(), m_thousandSeparator() {
  m_format.lpDecimalSep = m_decimalSeparator;
  m_format.lpThousandSep = m_thousandSeparator;
}

void CNumberFormatStruct::Init(LCID locale) {
  m_format.NumDigits = LocaleNumber(locale, LOCALE_IDIGITS);
  m_format.LeadingZero = LocaleNumber(locale, LOCALE_ILZERO);
  m_format.Grouping = LocaleGrouping(locale, LOCALE_SGROUPING);
  m_format.NegativeOrder = LocaleNumber(locale, LOCALE_INEGNUMBER);
  CopyLocaleText(m_decimalSeparator, locale, LOCALE_SDECIMAL);
  CopyLocaleText(m_thousandSeparator, locale, LOCALE_STHOUSAND);
}

void CNumberFormatStruct::SetDecimalSeparator(LPCTSTR separator) { CopyCut(m_decimalSeparator, separator); }
void CNumberFormatStruct::SetThousandSeparator(LPCTSTR separator) { CopyCut(m_thousandSeparator, separator); }

CCurrencyFormatStruct::CCurrencyFormatStruct()
    : m_format(), m_decimalSeparator(), m_thousandSeparator(), m_currencySymbol() {
  m_format.lpDecimalSep = m_decimalSeparator;
  m_format.lpThousandSep = m_thousandSeparator;
  m_format.lpCurrencySymbol = m_currencySymbol;
}

void CCurrencyFormatStruct::Init(LCID locale) {
  m_format.NumDigits = LocaleNumber(locale, LOCALE_ICURRDIGITS);
  m_format.LeadingZero = LocaleNumber(locale, LOCALE_ILZERO);
  m_format.Grouping = LocaleGrouping(locale, LOCALE_SMONGROUPING);
  m_format.NegativeOrder = LocaleNumber(locale, LOCALE_INEGCURR);
  m_format.PositiveOrder = LocaleNumber(locale, LOCALE_ICURRENCY);
  CopyLocaleText(m_decimalSeparator, locale, LOCALE_SMONDECIMALSEP);
  CopyLocaleText(m_thousandSeparator, locale, LOCALE_SMONTHOUSANDSEP);
  CopyLocaleText(m_currencySymbol, locale, LOCALE_SCURRENCY);
}

void CCurrencyFormatStruct::SetThousandSeparator(LPCTSTR separator) { CopyCut(m_thousandSeparator, separator); }

namespace {

// Past this magnitude the fixed-point text of a value (every integer digit, then the decimals) grows
// beyond what the system's formatter takes: from about two hundred digits on it fails, and under Wine
// a few hundred overrun its stack. Such values, which only damaged or foreign input carries, are
// shown in scientific form instead; everything below keeps the fixed-point form.
const double kLargestFixedPointMagnitude = 1e100;

bool IsFixedPointValue(double value) { return std::isfinite(value) && std::fabs(value) < kLargestFixedPointMagnitude; }

// The locale's own text for NaN and the infinities, or a fixed one where the locale has none.
CString NonFiniteText(LCID locale, double value) {
  const LCTYPE type = std::isnan(value) ? LOCALE_SNAN : value > 0 ? LOCALE_SPOSINFINITY : LOCALE_SNEGINFINITY;
  CString text = LocaleText(locale, type);
  if (text.IsEmpty()) text = std::isnan(value) ? _T("NaN") : value > 0 ? _T("Infinity") : _T("-Infinity");
  return text;
}

// Trailing zeros of the fraction go, then a separator left last.
void StripTrailingZeros(CString& text, const CString& separator) {
  const int at = separator.IsEmpty() ? -1 : text.Find(separator);
  if (at <= 0) return;
  const int fractionStart = at + separator.GetLength();
  while (text.GetLength() > fractionStart && text[text.GetLength() - 1] == _T('0')) text.Delete(text.GetLength() - 1, 1);
  if (text.GetLength() == fractionStart) text.Delete(at, separator.GetLength());
}

// A value past the fixed-point range: its mantissa with `decimals` places through the number
// formatter (the locale's separator and negative form), then the exponent, as in -1.99E+304. NaN and
// the infinities show the locale's words.
CString OutOfRangeText(LCID locale, double value, int decimals, NUMBERFMTW format, bool stripZeros) {
  if (!std::isfinite(value)) return NonFiniteText(locale, value);
  format.NumDigits = static_cast<UINT>(decimals);
  CString scientific;
  scientific.Format(_T("%.*E"), decimals, value);
  scientific.Replace(_T(','), _T('.'));
  const int exponent = scientific.Find(_T('E'));
  if (exponent < 0) return CString(_T("Error"));
  CString mantissa = FormatWith(locale, scientific.Left(exponent), format, GetNumberFormatW);
  if (mantissa == _T("Error")) return mantissa;
  if (stripZeros) StripTrailingZeros(mantissa, CString(format.lpDecimalSep));
  return mantissa + scientific.Mid(exponent);
}

// A number or an amount: the record's decimals (clamped into it), the locale's separators, grouped
// only when the record asks for it.
template <typename FormatStruct, typename Formatter>
CString FormatValue(_PROPERTIES& p, LCID locale, Formatter formatter) {
  p.decimals = ClampDecimals(p.decimals);
  if (!IsFixedPointValue(p.value)) {
    // Amounts this large carry no currency: both forms show the plain number.
    CNumberFormatStruct number;
    number.Init(locale);
    return OutOfRangeText(locale, p.value, p.decimals, number.m_format, false);
  }
  FormatStruct format;
  format.Init(locale);
  format.m_format.NumDigits = static_cast<UINT>(p.decimals);
  if (p.grouping == 0) format.SetThousandSeparator(_T(""));
  return FormatWith(locale, NeutralNumber(_T("%.15f"), p.value), format.m_format, formatter);
}
}  // namespace

CString GetFormattedNumber(_PROPERTIES& p, LCID locale) {
  DEF_TRY
  return FormatValue<CNumberFormatStruct>(p, locale, GetNumberFormatW);
  DEF_CATCH("GetFormattedNumber")
  return CString(_T("Error"));
}

CString GetFormattedCurrency(_PROPERTIES& p, LCID locale) {
  DEF_TRY
  return FormatValue<CCurrencyFormatStruct>(p, locale, GetCurrencyFormatW);
  DEF_CATCH("GetFormattedCurrency")
  return CString(_T("Error"));
}

CString GetFullNumber(_PROPERTIES& p, LCID locale) {
  DEF_TRY
  p.decimals = ClampDecimals(p.decimals);
  // A negative count would make a broken format below: it counts as 0.
  p.fullNumberDecimals = ClampDecimals(p.fullNumberDecimals);
  CNumberFormatStruct format;
  format.Init(locale);
  format.m_format.NumDigits = static_cast<UINT>(p.fullNumberDecimals);
  // A record made without a separator (a new one has none) formats with the locale's own:
  // the system rejects an empty decimal separator.
  if (!p.decimalSeparator.IsEmpty()) format.SetDecimalSeparator(p.decimalSeparator);
  format.SetThousandSeparator(_T(""));
  if (!IsFixedPointValue(p.value)) return OutOfRangeText(locale, p.value, p.fullNumberDecimals, format.m_format, true);
  CString printFormat;
  printFormat.Format(_T("%%.%df"), p.fullNumberDecimals);
  CString result = FormatWith(locale, NeutralNumber(printFormat, p.value), format.m_format, GetNumberFormatW);
  if (result == _T("Error")) return result;
  // Trailing zeros and then a trailing separator go. The separator is the one the text was formatted
  // with: looking for the run-time library's "." instead left "2,50" whole in a locale with ",".
  StripTrailingZeros(result, CString(format.m_decimalSeparator));
  return result;
  DEF_CATCH("GetFullNumber")
  return CString(_T("Error"));
}

CString GetFormattedNumber(_PROPERTIES& p) { return GetFormattedNumber(p, GetUserDefaultLCID()); }
CString GetFormattedCurrency(_PROPERTIES& p) { return GetFormattedCurrency(p, GetUserDefaultLCID()); }
CString GetFullNumber(_PROPERTIES& p) { return GetFullNumber(p, GetUserDefaultLCID()); }

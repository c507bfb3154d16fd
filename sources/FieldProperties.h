// The property record of an overlay object (tab index, number format, value, names) and the number
// and currency formatting of a field's value by the user's locale.
#pragma once
#include "Framework.h"

struct _PROPERTIES {
  int tabIndex = 1;
  int formatCategory = 0;  // 0 Text, 1 Numeric, 2 Currency, 3 Index number
  int decimals = 2;        // 0..9
  int fullNumberDecimals = 2;  // the decimals of the full number form, at most 9
  double value = 0.0;
  int grouping = 1;  // non-zero: thousands separators
  CString firstText;
  CString name;
  CString contentTemplate;  // a barcode's content text
  CString valueText;        // a text field's text when the category is Text
  CString decimalSeparator;  // of the full number form; empty: the locale's

  // "%d;%d;%d" of category, decimals and grouping.
  CString GetFormatPropertiesAsString() const;
  // Sets category, decimals and grouping from the pieces of such a text; a piece that is not a
  // valid integer, or a missing one, leaves its member as it is.
  void SetPropertiesFromString(const CString& text);
};

// The system's number-format record with the buffers its separators point to, filled from a locale.
class CNumberFormatStruct {
 public:
  CNumberFormatStruct();
  CNumberFormatStruct(const CNumberFormatStruct&) = delete;
  CNumberFormatStruct& operator=(const CNumberFormatStruct&) = delete;
  virtual ~CNumberFormatStruct() = default;

  void Init(LCID locale);
  // Separators longer than the buffers are cut.
  void SetDecimalSeparator(LPCTSTR separator);
  void SetThousandSeparator(LPCTSTR separator);

  NUMBERFMTW m_format;
  WCHAR m_decimalSeparator[10];
  WCHAR m_thousandSeparator[10];
};

class CCurrencyFormatStruct {
 public:
  CCurrencyFormatStruct();
  CCurrencyFormatStruct(const CCurrencyFormatStruct&) = delete;
  CCurrencyFormatStruct& operator=(const CCurrencyFormatStruct&) = delete;
  virtual ~CCurrencyFormatStruct() = default;

  void Init(LCID locale);
  void SetThousandSeparator(LPCTSTR separator);

  CURRENCYFMTW m_format;
  WCHAR m_decimalSeparator[10];
  WCHAR m_thousandSeparator[10];
  WCHAR m_currencySymbol[10];
};

// The value with the record's decimals by the user's default locale; "Error" when it cannot be
// formatted. Each clamps the record's decimals into range and writes them back.
CString GetFormattedNumber(_PROPERTIES& p);
CString GetFormattedCurrency(_PROPERTIES& p);
// The value with as many decimals as it needs (up to the full-number decimals), for editing.
CString GetFullNumber(_PROPERTIES& p);

// The same in a given locale.
CString GetFormattedNumber(_PROPERTIES& p, LCID locale);
CString GetFormattedCurrency(_PROPERTIES& p, LCID locale);
CString GetFullNumber(_PROPERTIES& p, LCID locale);

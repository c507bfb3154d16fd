// Measurement units of the editor: lengths are kept in twips (1/1440 inch) and shown and typed in the
// user's unit. Rows 0 to 3 are the units the user can choose; rows 4 to 6 are further spellings of
// the inch accepted when a measurement is typed.
#pragma once
#include <limits.h>

#include "Framework.h"

class CUnit {
 public:
  int m_nTPU;            // twips per unit
  UINT m_nAbbrevID;      // string id of the abbreviation
  BOOL m_bSpaceAbbrev;   // a space between the number and the abbreviation
  CString m_strAbbrev;   // loaded from the string table
};

class CUnits {
 public:
  enum { kChoosable = 4, kRows = 7 };
  // A measurement that is not set (an empty edit), not 0.
  static const int kNotSet = INT_MAX;
  // The limits a measurement edit accepts: 22 inches either way.
  static const int kMinTwips = -31680;
  static const int kMaxTwips = 31680;
  enum ParseResult { parsed, notSet, invalid };

  static CUnit m_units[kRows];
  // Loads the abbreviations of every row from the module's string table.
  static void LoadAbbreviations(HINSTANCE module);
  // Reads a typed measurement: the leading number ("." as decimal point), optionally followed by
  // white space and one of the abbreviations (any case); a bare number is in `unitIndex`'s unit.
  // Rounded half away from zero to whole twips.
  static ParseResult ParseMeasurement(LPCWSTR text, int unitIndex, int& twips);
  // The measurement in the unit of `unitIndex`, with at most two decimals (trailing zeros dropped)
  // and the unit's abbreviation; at most 63 characters.
  static CString FormatMeasurement(int twips, int unitIndex);
};

// The system's page-setup dialog takes margins in hundredths of millimetres (when the user's unit
// is centimetres) or in thousandths of inches: a length in twips is multiplied by 2540 or 1000 and
// divided by 1440 (the remainder dropped), then rounded to a multiple of 10, a last digit of 5 or
// more rounding up. So 1800 twips show as 3180 hundredths of a millimetre (3175 rounded).
int TwipsToPageSetupUnits(int twips, BOOL metric);
// And back: the dialog's value rounded to a multiple of 10 the same way, then to the nearest twip.
int PageSetupUnitsToTwips(int value, BOOL metric);
// Rounds to a multiple of 10, halves away from zero.
int RoundToTen(int value);

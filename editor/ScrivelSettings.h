// Scrivel's outside inputs that need no window: its records in the registry (units, application look
// and page margins) and the INI data file of a batch run.
#pragma once
#include "Framework.h"

#include "PlaceholderFill.h"

struct SCRIVEL_SETTINGS {
  int units = 0;          // index into the choosable units
  int appLook = 210;
  RECT pageMargin = {1800, 1440, 1800, 1440};  // twips: left, top, right, bottom
};

// Reads the records through the application's profile. Missing units follow the locale (metric or
// U.S.) and units outside the choosable ones become the first; a margin record shorter than four
// int32 is ignored and the given margins stay.
void LoadScrivelSettings(CWinApp& app, SCRIVEL_SETTINGS& settings);
// Writes the units and the margins (the look is not the program's to change).
void SaveScrivelSettings(CWinApp& app, const SCRIVEL_SETTINGS& settings);

// Fills `data` from the section "Data" of the INI file; FALSE when the file cannot be opened or is
// larger than any data file (64 MB).
BOOL ReadIniData(const CString& path, CFieldMap& data);

// Scrivel's outside inputs that need no window: its records in the registry (units, application look
// and page margins); the INI data file of a batch run is read by ReadIniData (BatchData.h).
#pragma once
#include "Framework.h"

#include "BatchData.h"
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

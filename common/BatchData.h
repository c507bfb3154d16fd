// What the batch runs of Orvello and Scrivel share: the INI data file that fills the fields, the
// comparison of the template folder with the output folder, which must never be the same, and the
// usage written to the console of the program that started them.
#pragma once
#include "Framework.h"

// Field name (exact case) to value.
typedef CMap<CString, LPCWSTR, COleVariant, COleVariant> CFieldMap;

// Fills `data` from the section "Data" of the INI file, each value as text; FALSE when the file cannot
// be opened or is larger than any data file (64 MB). An empty file gives no values.
BOOL ReadIniData(const CString& path, CFieldMap& data);

// TRUE when both name the same folder: full paths compared without regard to case or a final "\".
BOOL IsSameFolder(const CString& first, const CString& second);

// Writes `text` to the console of the program that started this one, then the key events into that
// console's input (an Enter brings a waiting prompt back). FALSE when there is no such console.
BOOL WriteToParentConsole(const CString& text, const INPUT_RECORD* keys, DWORD keyCount);

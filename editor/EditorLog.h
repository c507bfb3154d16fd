// The editor's own error log: "error.log" in the folder "\Scrivel" under the user's documents folder,
// in the suite's entry format, appended to (never reset, no byte-order mark). Only batch errors go here.
#pragma once
#include "Framework.h"

// The documents folder + "\Scrivel\error.log"; empty when the documents folder is unknown.
CString GetEditorLogPathName();
// Appends one entry stamped with the current UTC time; the folder is not created, and a log that
// cannot be opened is skipped silently.
void AppendEditorLog(LPCTSTR text);

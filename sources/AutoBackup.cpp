#include "AutoBackup.h"

#include "ErrorLog.h"

// The backup dialog and its archiver are not part of the program yet: the frame's call is logged and
// nothing is archived.
BOOL RunAutomaticBackup(CWnd* parent) {
  (void)parent;
  AppendErrorLog(L"RunAutomaticBackup: the backup is not available");
  return FALSE;
}

// The backup that closing the main frame runs when it is due: the backup dialog in its automatic mode
// over the documents folder. One function, so the frame does not need to know the dialog.
#pragma once
#include "Framework.h"

// Runs the automatic backup modally over `parent`; FALSE when no backup was made.
BOOL RunAutomaticBackup(CWnd* parent);

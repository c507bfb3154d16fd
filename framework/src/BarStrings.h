// Texts the bars show: the program's command strings ("prompt\ntip") and the framework's own
// strings. A command string is looked up in the program's resources first (a program may give
// its own prompt for a framework command), then in the framework's.
#pragma once
#include "fw/FwBase.h"

namespace fw_bars {

// The whole string of command `id`, empty when nobody has one.
CString CommandString(UINT id);
// Its first line: the prompt the status bar shows.
CString CommandPrompt(UINT id);
// Its second line: the tool tip; empty when the string has none.
CString CommandTip(UINT id);
// A text of the framework itself (dialog texts), in the resource language.
CString OwnString(UINT id);
// A menu item's text without the & marks and the accelerator after a tab.
CString PlainMenuText(const CString& text);

}  // namespace fw_bars

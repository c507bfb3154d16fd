// Drives the database wizard the way a user works it: its pages worked by messages from a script
// thread while a document command runs its modal loops. Shared by the wizard's tests and the
// import and export benchmark.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "FolimarDoc.h"

namespace wizard_driver {

// The tests' default data source's file as Windows sees it.
std::wstring DefaultDatabase();
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 20000);
HWND CurrentPage(HWND sheet);
// Presses a wizard button (PSBTN_*) once it is enabled, as a user can only press an enabled one.
void Press(HWND sheet, int button);
int FindItem(HWND list, const std::wstring& text);
void Choose(HWND list, int item);
void ChooseByText(HWND page, int listId, const std::wstring& text);
std::wstring ItemText(HWND list, int item, int column);

typedef std::vector<std::pair<std::wstring, std::wstring>> Links;  // field name, column name

// Works the six pages: the data source by "Open DSN", the table, the links, Finish.
void DriveWizard(HWND sheet, const std::wstring& table, const Links& links);
// Runs a document command; `script` works the wizard it shows (and nothing else: the progress
// dialog closes itself).
void RunCommand(CFolimarDoc& doc, UINT command, const std::function<void(HWND)>& script);

}  // namespace wizard_driver

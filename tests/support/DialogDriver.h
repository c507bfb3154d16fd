// Drives a modal dialog headless: its modal loop runs on the test's thread while a script thread
// finds the dialog and works it by messages, as a user's clicks would.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// Runs `doModal` (a dialog's modal loop); `script` gets the dialog window once it is shown. When the
// script leaves the dialog open, it is cancelled. Returns what `doModal` returns.
INT_PTR RunDialog(const std::function<INT_PTR()>& doModal, const std::function<void(HWND)>& script);
// The same for a framework dialog object.
template <typename Dialog>
INT_PTR RunDialog(Dialog& dialog, const std::function<void(HWND)>& script) {
  return RunDialog([&dialog] { return dialog.DoModal(); }, script);
}

// What the dialog shows.
std::vector<std::wstring> ComboItems(HWND dialog, int id);
std::wstring ComboSelection(HWND dialog, int id);
// Each row's cells joined by "|".
std::vector<std::wstring> ListRows(HWND dialog, int id);
std::vector<int> ColumnWidths(HWND dialog, int id);
RECT ControlRect(HWND dialog, int id);  // client coordinates
bool Enabled(HWND dialog, int id);
// A control's whole text, however long.
std::wstring ControlText(HWND dialog, int id);
bool Checked(HWND dialog, int id);

// What the user does.
void SelectComboItem(HWND dialog, int id, int index);
void Click(HWND dialog, int id);
void TypeText(HWND dialog, int id, const wchar_t* text);
// Presses button `id` without waiting for its handler, which shows a dialog of its own.
void ClickLater(HWND dialog, int id);
// The next dialog the thread of `previous` shows besides `previous` (a dialog that follows one just
// confirmed); null when none shows in 10 seconds.
HWND WaitForNextDialog(HWND previous);
// Waits for the open-file dialog that `owner` shows, types `path` as the file name and presses
// its OK button. False when no such dialog appears.
bool ChooseFileInOpenDialog(HWND owner, const wchar_t* path);
// Waits for the folder picker that `owner` shows, selects `folder` in it and presses OK.
bool ChooseFolderInPicker(HWND owner, const wchar_t* folder);

}  // namespace testing_support

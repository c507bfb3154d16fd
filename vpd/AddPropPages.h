// The page builder of the printing preferences and what its pages share: the module-wide page
// state, the common page protocol and the small dialogs every page may call.
#pragma once
#include <windows.h>

#include "vpd_oem.h"

namespace vpd {

// The product word: printer name, registry root and message-box captions all derive from it.
extern const wchar_t* const productWord;

// Hide-flag values under Software\Vantry (local machine), in the order the module keeps them.
enum HideFlag {
  hideLanguage, hideEmf, hideBmp, hidePng, hideJpeg, hideTiff, hidePdf, hideTxt, hideFtp,
  hideRedirect, hideApplication, hideConverter, hideAbout, hideGeneral, hidePaper,
  hideAuthentication, hideFlagCount
};

// Module-wide page state; pages run on the sheet's one thread and share it without locks.
struct PageFlags {
  wchar_t versionText[256];
  int currentPage;
  BYTE hidden[hideFlagCount];
  wchar_t caption[128];
  HBITMAP portrait;
  HBITMAP landscape;
};
extern PageFlags pageFlags;

// The slots a sheet may hold, 0 to 15.
struct PageList {
  const int* slots;
  size_t count;
};
PageList allPageSlots();

// The page of one slot as the sheet gets it; null for a slot without a page or a refused page.
HPROPSHEETPAGE createPage(int slot);

// Creates the pages of the listed slots that are not hidden and hands them to the sheet; returns 1.
LONG addPropPages(PPROPSHEETUI_INFO info, PageList pages);

// Shows "<text>\nError # <code>: <system text>" unless the code (or, for 0, the last error) is 0;
// returns the code shown.
DWORD showErrorBox(const wchar_t* text, DWORD code, HWND owner);
// Folder picker; true when the user chose a file-system folder, whose path is then in the buffer.
bool browseForFolder(const wchar_t* title, wchar_t* path /* 1024 units */, HWND owner);
// File picker for a program; true when the user chose one.
bool chooseExecutable(wchar_t* path, DWORD chars);

// The common page protocol.
void markChanged(HWND page, bool& changed);
void storeCurrentPage(HWND page);
// PSN_SETACTIVE: remembers the page as the current one and lets the sheet show it.
INT_PTR onSetActive(HWND page);
// Saves through `save` when the page changed, reports a failed save, and accepts the apply.
INT_PTR finishApply(HWND page, bool& changed, bool (*save)());
// WM_NOTIFY of a page over the printer itself: PSN_SETACTIVE rereads the printer through `refill`,
// PSN_APPLY follows the protocol above with `apply`; FALSE for other notifications.
INT_PTR printerPageNotify(HWND page, LPARAM lParam, void (*refill)(HWND page), bool& changed, bool (*apply)());
// What a settings page gives the common page procedure.
struct SettingsPage {
  bool* changed;
  void (*load)();
  void (*fill)(HWND page);
  bool (*command)(HWND page, int id, int code);  // true when the page handled it
  void (*takeEdits)(HWND page);                  // before the save on Apply; null for none
  bool (*save)();
};
// The body of a settings page's dialog procedure: WM_INITDIALOG loads and fills (the page starts
// unchanged), WM_COMMAND goes to the page, PSN_SETACTIVE and PSN_APPLY follow the protocol above.
INT_PTR settingsPageProcedure(const SettingsPage& settings, HWND page, UINT message, WPARAM wParam,
                              LPARAM lParam);
// WM_COMMAND of a small sub-dialog: OK takes its fields through `take` and ends it with IDOK, Cancel
// ends it with IDCANCEL; FALSE for any other command.
INT_PTR endSubDialog(HWND dialog, WPARAM wParam, void (*take)(HWND dialog));
// A number typed into an edit, read to at most maxChars characters; 0 for text without digits.
DWORD readEditNumber(HWND dialog, int id, int maxChars);
void setEditNumber(HWND dialog, int id, DWORD value, bool isSigned);
// Reads an edit's text into a record field of `width` units.
void readEditText(HWND dialog, int id, wchar_t* field, int width);
// Selects the combo-box entry whose item data is `value`; false when there is none.
bool selectByItemData(HWND combo, LRESULT value);
void setChecked(HWND dialog, int id, bool checked);
bool isChecked(HWND dialog, int id);
void enable(HWND dialog, int id, bool enabled);

// Page and sub-dialog procedures.
INT_PTR CALLBACK ApplicationPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CopyDataDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PipeDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ConverterPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EmfPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PngPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK GeneralPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PaperProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Refills the Paper size page from the printer: its forms, the current one selected with its size.
void FillPapers(HWND page);
// Runs the New Paper Form dialog owned by `owner`: 1 for OK, 2 for Cancel. After OK the new form's
// name, width and length (thousandths of a millimetre) are those newPaperForm gives.
INT_PTR NewPaperFormDialog(HWND owner);
void newPaperForm(wchar_t (&name)[32], double& width, double& length);

}  // namespace vpd

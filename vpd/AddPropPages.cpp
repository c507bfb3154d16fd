// Building the printing-preferences pages and the helpers the pages share.
#include "AddPropPages.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <cwchar>

#include "Module.h"
#include "resource.h"
#include "vpd_log.h"
#include "vpd_settings.h"

namespace vpd {

const wchar_t* const productWord = L"Vantry";
PageFlags pageFlags = {};

namespace {

const wchar_t* const defaultVersion = L"11.3.0";

const wchar_t* const hideFlagNames[hideFlagCount] = {
    L"LANGUAGE: Hide page", L"EMF: Hide page",         L"BMP: Hide page",         L"PNG: Hide page",
    L"JPEG: Hide page",     L"TIFF: Hide page",        L"PDF: Hide page",         L"TXT: Hide page",
    L"FTP: Hide page",      L"REDIRECT: Hide page",    L"Application: Hide page", L"Converter: Hide page",
    L"About: Hide page",    L"General: Hide page",     L"Paper: Hide page",       L"Authentication: Hide page"};

// The slots that hold a page. Slots 0 (General) and 1 (Paper size) edit the printer's device mode
// and forms; addPropPages always hides them.
struct PageEntry {
  int slot;
  WORD dialogId;
  const wchar_t* title;
  DLGPROC procedure;
  HideFlag flag;
};
const PageEntry pageTable[] = {
    {0, IDD_GENERAL, L"General", GeneralPage, hideGeneral},
    {1, IDD_PAPER, L"Paper Size", PaperProc, hidePaper},
    {2, IDD_APPLICATION, L"Application", ApplicationPage, hideApplication},
    {3, IDD_EMF, L"EMF", EmfPage, hideEmf},
    {5, IDD_PNG, L"PNG", PngPage, hidePng},
    {12, IDD_CONVERTER, L"Converter", ConverterPage, hideConverter},
    {15, IDD_ABOUT, L"About", AboutPage, hideAbout},
};

const int everySlot[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

void readPageSettings() {
  using namespace vpd_internal;
  RegistrySetting version = makeStringSetting(rootKeyPath, L"Version", L"");
  const bool haveVersion = readSetting(version, HKEY_LOCAL_MACHINE, L"");
  swprintf(pageFlags.versionText, _countof(pageFlags.versionText), L"%ls",
           haveVersion ? version.stringValue.c_str() : defaultVersion);

  RegistrySetting lastPage = makeDwordSetting(rootKeyPath, L"Last Viewed Page", 0);
  if (readSetting(lastPage, HKEY_CURRENT_USER, L"")) pageFlags.currentPage = static_cast<int>(lastPage.dwordValue);

  for (int i = 0; i < hideFlagCount; ++i) {
    RegistrySetting flag = makeDwordSetting(rootKeyPath, hideFlagNames[i], 0);
    pageFlags.hidden[i] = readSetting(flag, HKEY_LOCAL_MACHINE, L"") && flag.dwordValue != 0;
  }
}

void loadOrientationBitmaps() {
  // Loaded once per module: the sheet may be opened many times in one process.
  if (!pageFlags.portrait) pageFlags.portrait = LoadBitmapW(moduleInstance(), MAKEINTRESOURCEW(IDB_PORTRAIT));
  if (!pageFlags.landscape)
    pageFlags.landscape = LoadBitmapW(moduleInstance(), MAKEINTRESOURCEW(IDB_LANDSCAPE));
  if (!pageFlags.portrait || !pageFlags.landscape) VPD_LOG_FAILURE("addPropPage(): failed to LoadBitmap().");
}

const PageEntry* entryForSlot(int slot) {
  for (const PageEntry& entry : pageTable)
    if (entry.slot == slot) return &entry;
  return nullptr;
}

}  // namespace

HPROPSHEETPAGE createPage(int slot) {
  const PageEntry* entry = entryForSlot(slot);
  if (!entry) return nullptr;
  PROPSHEETPAGEW page = {};
  page.dwSize = sizeof(page);
  page.dwFlags = PSP_USETITLE;
  page.hInstance = moduleInstance();
  page.pszTemplate = MAKEINTRESOURCEW(entry->dialogId);
  page.pszTitle = entry->title;
  page.pfnDlgProc = entry->procedure;
  HPROPSHEETPAGE handle = CreatePropertySheetPageW(&page);
  if (!handle) VPD_LOG_FAILURE("addPropPages(): failed to CreatePropertySheetPage()");
  return handle;
}

PageList allPageSlots() { return PageList{everySlot, _countof(everySlot)}; }

LONG addPropPages(PPROPSHEETUI_INFO info, PageList pages) {
  try {
    swprintf(pageFlags.caption, _countof(pageFlags.caption), L"%ls properties", productWord);
    loadOrientationBitmaps();
    readPageSettings();
    pageFlags.hidden[hideGeneral] = 1;
    pageFlags.hidden[hidePaper] = 1;

    const PageEntry* chosen[_countof(pageTable)];
    size_t chosenCount = 0;
    for (size_t i = 0; i < pages.count; ++i) {
      const PageEntry* entry = entryForSlot(pages.slots[i]);
      if (entry && !pageFlags.hidden[entry->flag] && chosenCount < _countof(chosen)) chosen[chosenCount++] = entry;
    }

    for (size_t i = 0; i < chosenCount; ++i) {
      HPROPSHEETPAGE handle = createPage(chosen[i]->slot);
      if (!handle) continue;
      if (!info || !info->pfnComPropSheet ||
          info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_HPROPSHEETPAGE,
                                reinterpret_cast<LPARAM>(handle), 0) == 0) {
        VPD_LOG_FAILURE("addPropPages(): failed to CPSFUNC_ADD_PROPSHEETPAGES");
        DestroyPropertySheetPage(handle);  // the sheet did not take it over
      }
    }
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    VPD_LOG_FAILURE("addPropPages(): failed");
  }
  return 1;
}

DWORD showErrorBox(const wchar_t* text, DWORD code, HWND) {
  if (code == 0) code = GetLastError();
  if (code == 0) return 0;
  wchar_t systemText[512] = L"";
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                 MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), systemText, _countof(systemText), nullptr);
  wchar_t message[2048];
  swprintf(message, _countof(message), L"%ls\nError # %d: %ls", text ? text : L"", static_cast<int>(code), systemText);
  MessageBoxW(nullptr, message, pageFlags.caption, MB_OK);
  return code;
}

namespace {

int CALLBACK browseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM data) {
  if (message == BFFM_INITIALIZED) {
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
  } else if (message == BFFM_SELCHANGED) {
    wchar_t path[MAX_PATH] = L"";
    if (SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path))
      SendMessageW(dialog, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
  }
  return 0;
}

}  // namespace

bool browseForFolder(const wchar_t* title, wchar_t* path, HWND owner) {
  BROWSEINFOW browse = {};
  browse.hwndOwner = owner;
  browse.lpszTitle = title;
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_NEWDIALOGSTYLE;
  browse.lpfn = browseCallback;
  browse.lParam = reinterpret_cast<LPARAM>(path);
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
  if (!chosen) return false;
  // The shell writes at most MAX_PATH units, well inside the 1024-unit buffer.
  const bool ok = SHGetPathFromIDListW(chosen, path) != FALSE;
  CoTaskMemFree(chosen);
  return ok;
}

bool chooseExecutable(wchar_t* path, DWORD chars) {
  OPENFILENAMEW open = {};
  open.lStructSize = sizeof(open);
  open.hwndOwner = GetActiveWindow();
  open.lpstrFilter = L"PE files (*.exe)\0*.exe\0";
  open.lpstrFile = path;
  open.nMaxFile = chars;
  open.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_LONGNAMES;
  return GetOpenFileNameW(&open) != FALSE;
}

void markChanged(HWND page, bool& changed) {
  changed = true;
  SendMessageW(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
}

void storeCurrentPage(HWND page) {
  pageFlags.currentPage =
      static_cast<int>(SendMessageW(GetParent(page), PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0));
}

INT_PTR onSetActive(HWND page) {
  storeCurrentPage(page);
  SetWindowLongPtrW(page, DWLP_MSGRESULT, 0);
  return TRUE;
}

INT_PTR finishApply(HWND page, bool& changed, bool (*save)()) {
  if (changed) {
    if (!save()) {
      wchar_t text[256];
      swprintf(text, _countof(text), L"Failed to create/open registry key\nHKCU\\Software\\%ls", productWord);
      showErrorBox(text, 0, page);
    }
    changed = false;
  }
  // A failed save is reported but does not keep the sheet open.
  SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
  SendMessageW(GetParent(page), PSM_UNCHANGED, reinterpret_cast<WPARAM>(page), 0);
  return TRUE;
}

INT_PTR printerPageNotify(HWND page, LPARAM lParam, void (*refill)(HWND page), bool& changed, bool (*apply)()) {
  const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->code == PSN_SETACTIVE) {
    const INT_PTR result = onSetActive(page);
    refill(page);
    return result;
  }
  if (header->code == PSN_APPLY) return finishApply(page, changed, apply);
  return FALSE;
}

INT_PTR settingsPageProcedure(const SettingsPage& settings, HWND page, UINT message, WPARAM wParam,
                              LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      settings.load();
      *settings.changed = false;
      settings.fill(page);
      return TRUE;
    case WM_COMMAND:
      return settings.command(page, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code == PSN_SETACTIVE) return onSetActive(page);
      if (header->code == PSN_APPLY) {
        if (settings.takeEdits) settings.takeEdits(page);
        return finishApply(page, *settings.changed, settings.save);
      }
      break;
    }
  }
  return FALSE;
}

INT_PTR endSubDialog(HWND dialog, WPARAM wParam, void (*take)(HWND dialog)) {
  switch (LOWORD(wParam)) {
    case IDOK:
      take(dialog);
      EndDialog(dialog, IDOK);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
  }
  return FALSE;
}

DWORD readEditNumber(HWND dialog, int id, int maxChars) {
  wchar_t text[16] = L"";
  if (maxChars > 15) maxChars = 15;
  GetDlgItemTextW(dialog, id, text, maxChars + 1);
  return static_cast<DWORD>(_wtoi(text));
}

void setEditNumber(HWND dialog, int id, DWORD value, bool isSigned) {
  wchar_t text[16];
  if (isSigned) swprintf(text, _countof(text), L"%i", static_cast<int>(value));
  else swprintf(text, _countof(text), L"%u", static_cast<unsigned>(value));
  SetDlgItemTextW(dialog, id, text);
}

void readEditText(HWND dialog, int id, wchar_t* field, int width) {
  field[0] = L'\0';
  GetDlgItemTextW(dialog, id, field, width);
}

bool selectByItemData(HWND combo, LRESULT value) {
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (SendMessageW(combo, CB_GETITEMDATA, i, 0) == value) {
      SendMessageW(combo, CB_SETCURSEL, i, 0);
      return true;
    }
  }
  return false;
}

void setChecked(HWND dialog, int id, bool checked) {
  CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool isChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void enable(HWND dialog, int id, bool enabled) { EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE); }

}  // namespace vpd

// Converter page: output folder, threads, progress, clean-up, borders and pages per sheet.
#include <windows.h>
#include <commctrl.h>

#include <cwchar>

#include "AddPropPages.h"
#include "resource.h"
#include "vpd_settings.h"

namespace vpd {

namespace {

vpd_internal::ConverterSettings converter;
bool changed = false;
bool filling = false;

constexpr int threadsChars = 3;
const DWORD pagesPerSheetChoices[] = {1, 2, 4, 6, 9, 16};

struct CheckBinding {
  int id;
  DWORD vpd_internal::ConverterSettings::*field;
};
const CheckBinding checkBindings[] = {
    {IDC_CONVERTER_CLEANUP, &vpd_internal::ConverterSettings::cleanupOutput},
    {IDC_CONVERTER_SHOW_PROGRESS, &vpd_internal::ConverterSettings::showProgress},
    {IDC_CONVERTER_DRAW_BORDERS, &vpd_internal::ConverterSettings::drawBorders},
};

void load() {
  vpd_internal::loadConverterSettings(converter, vpd_internal::currentUser | vpd_internal::localMachine,
                                      vpd_internal::rootKeyPath, vpd_internal::ownSession, L"");
}

bool saveConverter() {
  return vpd_internal::saveConverterSettings(converter, vpd_internal::currentUser, vpd_internal::rootKeyPath);
}

void fillPage(HWND page) {
  filling = true;
  SendDlgItemMessageW(page, IDC_CONVERTER_OUTPUT_DIRECTORY, EM_LIMITTEXT, vpd_internal::pathChars - 1, 0);
  SendDlgItemMessageW(page, IDC_CONVERTER_THREADS, EM_LIMITTEXT, threadsChars, 0);
  SetDlgItemTextW(page, IDC_CONVERTER_OUTPUT_DIRECTORY, converter.outputDirectory);
  setEditNumber(page, IDC_CONVERTER_THREADS, converter.threads, true);
  for (const CheckBinding& binding : checkBindings) setChecked(page, binding.id, converter.*binding.field != 0);

  HWND list = GetDlgItem(page, IDC_CONVERTER_PAGES_PER_SHEET);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (DWORD pages : pagesPerSheetChoices) {
    wchar_t text[8];
    swprintf(text, _countof(text), L"%i", static_cast<int>(pages));
    const LRESULT index = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageW(list, CB_SETITEMDATA, index, pages);
  }
  // A value the list does not offer leaves it without a selection and is kept as it is.
  if (!selectByItemData(list, converter.pagesPerSheet)) SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  filling = false;
}

bool onCommand(HWND page, int id, int code) {
  if (filling) return false;
  if (id == IDC_CONVERTER_OUTPUT_DIRECTORY || id == IDC_CONVERTER_THREADS) {
    if (code != EN_CHANGE) return false;
    markChanged(page, changed);
    return true;
  }
  if (id == IDC_CONVERTER_PAGES_PER_SHEET) {
    if (code != CBN_SELCHANGE) return false;
    HWND list = GetDlgItem(page, id);
    const LRESULT selected = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) return false;
    converter.pagesPerSheet = static_cast<DWORD>(SendMessageW(list, CB_GETITEMDATA, selected, 0));
    markChanged(page, changed);
    return true;
  }
  if (code != BN_CLICKED) return false;
  if (id == IDC_CONVERTER_BROWSE) {
    wchar_t path[vpd_internal::pathChars] = L"";
    GetDlgItemTextW(page, IDC_CONVERTER_OUTPUT_DIRECTORY, path, _countof(path));
    if (browseForFolder(L"", path, page)) SetDlgItemTextW(page, IDC_CONVERTER_OUTPUT_DIRECTORY, path);
    SendMessageW(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
    return true;
  }
  for (const CheckBinding& binding : checkBindings) {
    if (id == binding.id) {
      converter.*binding.field = isChecked(page, id) ? 1 : 0;
      markChanged(page, changed);
      return true;
    }
  }
  return false;
}

// Both edits are taken on every apply; the group is written only when something changed.
void takeEdits(HWND page) {
  readEditText(page, IDC_CONVERTER_OUTPUT_DIRECTORY, converter.outputDirectory, vpd_internal::pathChars);
  converter.threads = readEditNumber(page, IDC_CONVERTER_THREADS, threadsChars);
}

const SettingsPage settings = {&changed, load, fillPage, onCommand, takeEdits, saveConverter};

}  // namespace

INT_PTR CALLBACK ConverterPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return settingsPageProcedure(settings, page, message, wParam, lParam);
}

}  // namespace vpd

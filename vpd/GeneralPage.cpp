// General page: orientation, print resolution and print mode of the virtual printer's per-user
// device mode. The page rereads the printer whenever it becomes active and stores only on Apply.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "AddPropPages.h"
#include "resource.h"
#include "vpd_devmode.h"

namespace vpd {

namespace {

std::vector<Resolution> resolutions;
int resolutionCount = 0;
int chosenResolution = 0;
int orientation = orientationPortrait;
int duplex = duplexOneSide;
bool changed = false;

struct PrintMode {
  const wchar_t* text;
  int value;
};
const PrintMode printModes[] = {{L"One side", duplexOneSide},
                                {L"Flip pages on long edge", duplexLongEdge},
                                {L"Flip pages on short edge", duplexShortEdge}};

void fillResolutions(HWND page) {
  HWND list = GetDlgItem(page, IDC_GENERAL_RESOLUTION);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  resolutions.clear();
  resolutionCount = 0;
  if (!enumResolutions(productWord, resolutions, resolutionCount)) resolutions.clear();
  Resolution current = {};
  const bool haveCurrent = getResolution(productWord, current, false);
  for (size_t i = 0; i < resolutions.size(); ++i) {
    const Resolution& pair = resolutions[i];
    wchar_t text[96];
    int length = swprintf(text, _countof(text), L"%d x %d DPI", static_cast<int>(pair.x), static_cast<int>(pair.y));
    if (pair.x == 204 && pair.y == 98) swprintf(text + length, _countof(text) - length, L" - Standard FAX mode");
    if (pair.x == 204 && pair.y == 196) swprintf(text + length, _countof(text) - length, L" - Fine FAX mode");
    const LRESULT index = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageW(list, CB_SETITEMDATA, index, static_cast<LPARAM>(i));
    if (haveCurrent && pair.x == current.x && pair.y == current.y) {
      SendMessageW(list, CB_SETCURSEL, index, 0);
      chosenResolution = static_cast<int>(i);
    }
  }
}

void fillPrintModes(HWND page) {
  HWND list = GetDlgItem(page, IDC_GENERAL_PRINT_MODE);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  if (!getDuplex(productWord, duplex, false)) duplex = duplexOneSide;
  for (const PrintMode& mode : printModes) {
    const LRESULT index = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mode.text));
    SendMessageW(list, CB_SETITEMDATA, index, mode.value);
  }
  selectByItemData(list, duplex);
}

void showOrientation(HWND page) {
  setChecked(page, IDC_GENERAL_PORTRAIT, orientation == orientationPortrait);
  setChecked(page, IDC_GENERAL_LANDSCAPE, orientation == orientationLandscape);
  InvalidateRect(GetDlgItem(page, IDC_GENERAL_PICTURE), nullptr, TRUE);
}

void fillPage(HWND page) {
  fillResolutions(page);
  fillPrintModes(page);
  int stored = orientation;
  if (getOrientation(productWord, stored, false)) orientation = stored;  // else the previous value stays
  showOrientation(page);
}

void drawOrientation(const DRAWITEMSTRUCT& item) {
  if (!pageFlags.portrait || !pageFlags.landscape) return;
  HBITMAP picture = orientation == orientationLandscape ? pageFlags.landscape : pageFlags.portrait;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  BITMAP size = {};
  GetObjectW(picture, sizeof(size), &size);
  HDC source = CreateCompatibleDC(item.hDC);
  HGDIOBJ previous = SelectObject(source, picture);
  const int left = item.rcItem.left + (item.rcItem.right - item.rcItem.left - size.bmWidth) / 2;
  const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - size.bmHeight) / 2;
  BitBlt(item.hDC, left, top, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
}

bool onCommand(HWND page, int id, int code) {
  if (code == CBN_SELCHANGE && (id == IDC_GENERAL_RESOLUTION || id == IDC_GENERAL_PRINT_MODE)) {
    HWND list = GetDlgItem(page, id);
    const LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return true;
    const int value = static_cast<int>(SendMessageW(list, CB_GETITEMDATA, index, 0));
    if (id == IDC_GENERAL_RESOLUTION) chosenResolution = value;
    else duplex = value;
    markChanged(page, changed);
    return true;
  }
  if (code == BN_CLICKED && (id == IDC_GENERAL_PORTRAIT || id == IDC_GENERAL_LANDSCAPE)) {
    orientation = id == IDC_GENERAL_LANDSCAPE ? orientationLandscape : orientationPortrait;
    showOrientation(page);
    markChanged(page, changed);
    return true;
  }
  return false;
}

// The setters' failures are not reported: a printer without a field simply keeps it.
bool storeOnPrinter() {
  if (chosenResolution >= 0 && static_cast<size_t>(chosenResolution) < resolutions.size())
    setResolution(productWord, resolutions[chosenResolution], nullptr, false);
  setOrientation(productWord, orientation, nullptr, false);
  setDuplex(productWord, duplex, nullptr, false);
  return true;
}

}  // namespace

INT_PTR CALLBACK GeneralPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      changed = false;
      fillPage(page);
      return TRUE;
    case WM_DRAWITEM:
      if (wParam != IDC_GENERAL_PICTURE) return FALSE;
      drawOrientation(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_COMMAND:
      return onCommand(page, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_NOTIFY:
      return printerPageNotify(page, lParam, fillPage, changed, storeOnPrinter);
  }
  return FALSE;
}

}  // namespace vpd

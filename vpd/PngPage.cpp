// PNG page: saving to PNG, colour depth, grayscale and the dithering of 1-bit output.
#include <windows.h>
#include <commctrl.h>

#include "AddPropPages.h"
#include "resource.h"
#include "vpd_settings.h"

namespace vpd {

namespace {

vpd_internal::PngSettings png;
bool changed = false;
bool filling = false;

struct Choice {
  const wchar_t* text;
  DWORD value;
};
const Choice bitsChoices[] = {{L"1 bit - black and white", 1},
                              {L"4 bits - 16 colors", 4},
                              {L"8 bits - 256 colors", 8},
                              {L"24 bits - true color", 24}};
const Choice ditheringChoices[] = {{L"Floyd-Steinberg [Default]", 0},
                                   {L"Ordered-Dithering (4x4) [Fastest]", 1},
                                   {L"Burkes", 2},
                                   {L"Stucki", 3},
                                   {L"Jarvis-Judice-Ninke", 4},
                                   {L"Sierra", 5},
                                   {L"Stevenson-Arce", 6},
                                   {L"Bayer (4x4 ordered dithering)", 7}};
constexpr DWORD grayscaleBits = 8;
constexpr DWORD ditheredBits = 1;

void load() {
  vpd_internal::loadPngSettings(png, vpd_internal::currentUser | vpd_internal::localMachine,
                                vpd_internal::rootKeyPath, L"");
}

bool savePng() { return vpd_internal::savePngSettings(png, vpd_internal::currentUser, vpd_internal::rootKeyPath); }

template <size_t N>
void fillList(HWND page, int id, const Choice (&choices)[N], DWORD current) {
  HWND list = GetDlgItem(page, id);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (const Choice& choice : choices) {
    const LRESULT index = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.text));
    SendMessageW(list, CB_SETITEMDATA, index, choice.value);
  }
  SendMessageW(list, CB_SETCURSEL, 0, 0);
  selectByItemData(list, current);
}

void updateStates(HWND page) {
  const bool on = png.enabled != 0;
  enable(page, IDC_PNG_BITS_PER_PIXEL, on && !png.grayscale);
  for (int id : {IDC_PNG_GRAYSCALE, IDC_PNG_BITS_LABEL, IDC_PNG_DITHERING_LABEL}) enable(page, id, on);
  enable(page, IDC_PNG_DITHERING, on && png.bitsPerPixel == ditheredBits);
}

void fillPage(HWND page) {
  filling = true;
  setChecked(page, IDC_PNG_ENABLE, png.enabled != 0);
  setChecked(page, IDC_PNG_GRAYSCALE, png.grayscale != 0);
  fillList(page, IDC_PNG_BITS_PER_PIXEL, bitsChoices, png.bitsPerPixel);
  fillList(page, IDC_PNG_DITHERING, ditheringChoices, png.dithering);
  updateStates(page);
  filling = false;
}

// The item data of the list's selection, or false when nothing is selected.
bool selectedValue(HWND page, int id, DWORD& value) {
  HWND list = GetDlgItem(page, id);
  const LRESULT selected = SendMessageW(list, CB_GETCURSEL, 0, 0);
  if (selected == CB_ERR) return false;
  value = static_cast<DWORD>(SendMessageW(list, CB_GETITEMDATA, selected, 0));
  return true;
}

bool onCommand(HWND page, int id, int code) {
  if (filling) return false;
  switch (id) {
    case IDC_PNG_BITS_PER_PIXEL:
      if (code != CBN_SELCHANGE || !selectedValue(page, id, png.bitsPerPixel)) return false;
      break;
    case IDC_PNG_DITHERING:
      if (code != CBN_SELCHANGE || !selectedValue(page, id, png.dithering)) return false;
      break;
    case IDC_PNG_ENABLE:
      if (code != BN_CLICKED) return false;
      png.enabled = isChecked(page, id) ? 1 : 0;
      break;
    case IDC_PNG_GRAYSCALE:
      if (code != BN_CLICKED) return false;
      png.grayscale = isChecked(page, id) ? 1 : 0;
      // Grayscale output is always 8 bits per pixel.
      if (png.grayscale) {
        png.bitsPerPixel = grayscaleBits;
        selectByItemData(GetDlgItem(page, IDC_PNG_BITS_PER_PIXEL), grayscaleBits);
      }
      break;
    default:
      return false;
  }
  updateStates(page);
  markChanged(page, changed);
  return true;
}

const SettingsPage settings = {&changed, load, fillPage, onCommand, nullptr, savePng};

}  // namespace

INT_PTR CALLBACK PngPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return settingsPageProcedure(settings, page, message, wParam, lParam);
}

}  // namespace vpd

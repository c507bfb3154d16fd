#include "ScrivelSettings.h"

#include <cwchar>

#include "Units.h"

namespace {
const wchar_t kSettings[] = L"Settings";
const wchar_t kSettingUnits[] = L"Units";
const wchar_t kSettingPageMargin[] = L"PageMargin";
const wchar_t kSettingApplicationLook[] = L"ApplicationLook";
}  // namespace

void LoadScrivelSettings(CWinApp& app, SCRIVEL_SETTINGS& settings) {
  WCHAR measure[4] = L"0";
  ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, measure, _countof(measure));
  // LOCALE_IMEASURE: "0" metric, "1" U.S.
  settings.units = static_cast<int>(app.GetProfileInt(kSettings, kSettingUnits, measure[0] == L'0' ? 1 : 0));
  if (settings.units < 0 || settings.units >= CUnits::kChoosable) settings.units = 0;
  settings.appLook = static_cast<int>(app.GetProfileInt(kSettings, kSettingApplicationLook, 210));
  BYTE* data = nullptr;
  UINT bytes = 0;
  if (app.GetProfileBinary(kSettings, kSettingPageMargin, &data, &bytes) && data && bytes >= 16) {
    INT32 margins[4];
    memcpy(margins, data, sizeof(margins));
    settings.pageMargin = RECT{margins[0], margins[1], margins[2], margins[3]};
  }
  delete[] data;
}

void SaveScrivelSettings(CWinApp& app, const SCRIVEL_SETTINGS& settings) {
  app.WriteProfileInt(kSettings, kSettingUnits, settings.units);
  const INT32 margins[4] = {settings.pageMargin.left, settings.pageMargin.top, settings.pageMargin.right,
                            settings.pageMargin.bottom};
  app.WriteProfileBinary(kSettings, kSettingPageMargin, reinterpret_cast<LPBYTE>(const_cast<INT32*>(margins)),
                         sizeof(margins));
}

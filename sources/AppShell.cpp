#include "AppShell.h"

#include "fw/PlainMainWindow.h"
#include "fw/ResourceLanguage.h"
#include "resource.h"

namespace {
const wchar_t kVersionText[] = L"2.78.3";
}

int ReadLanguageSetting() {
  // The value is read raw and its type and size checked here: asked for a DWORD, the system's own
  // reader expanded an empty REG_EXPAND_SZ value into the caller's four bytes and wrote past them.
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\Quennick\\Vantry\\Settings", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return LANG_ENGLISH;
  DWORD value = 0, type = 0, size = sizeof(value);
  const LONG result = RegQueryValueExW(key, L"Language", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value)) return LANG_ENGLISH;
  return static_cast<int>(value);
}

int RunApplication(HINSTANCE instance, int showCommand) {
  AfxSetResourceLanguage(AfxLanguageFromPrimary(ReadLanguageSetting()));
  // The application name shown in the caption is the profile name, a blank and the version.
  wchar_t profile[64] = L"";
  AfxLoadStringInLanguage(instance, IDR_MAINFRAME, profile, _countof(profile));
  wchar_t title[96];
  wsprintfW(title, L"%s %s", profile, kVersionText);
  return AfxRunPlainMainWindow(instance, L"VantryMainFrame", title, showCommand);
}

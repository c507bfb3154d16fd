#include "AppShell.h"

#include "fw/PlainMainWindow.h"
#include "fw/ResourceLanguage.h"
#include "resource.h"

namespace {
const wchar_t kVersionText[] = L"2.78.3";
}

int ReadLanguageSetting() {
  DWORD value = 0, size = sizeof(value);
  if (RegGetValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Quennick\\Vantry\\Settings", L"Language",
                   RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
    return LANG_ENGLISH;
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

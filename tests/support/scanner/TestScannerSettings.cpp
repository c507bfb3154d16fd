#include "TestScannerSettings.h"

#include <algorithm>
#include <iterator>

namespace test_scanner {

Settings ReadSettings() {
  Settings settings;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return settings;
  wchar_t text[8192] = {};
  DWORD size = sizeof text - sizeof(wchar_t) * 2;
  if (RegQueryValueExW(key, L"Flatbed", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS)
    settings.flatbed = text;
  std::fill(std::begin(text), std::end(text), L'\0');
  size = sizeof text - sizeof(wchar_t) * 2;
  if (RegQueryValueExW(key, L"Feeder", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS) {
    for (const wchar_t* p = text; *p; p += wcslen(p) + 1) settings.feeder.emplace_back(p);
  }
  DWORD value = 0;
  size = sizeof value;
  if (RegQueryValueExW(key, L"FailAtPage", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS)
    settings.failAtPage = value;
  size = sizeof value;
  if (RegQueryValueExW(key, L"CancelAtPage", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS)
    settings.cancelAtPage = value;
  RegCloseKey(key);
  return settings;
}

bool WriteSettings(const Settings& settings) {
  RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsKey);
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  bool ok = true;
  if (!settings.flatbed.empty())
    ok &= RegSetValueExW(key, L"Flatbed", 0, REG_SZ, reinterpret_cast<const BYTE*>(settings.flatbed.c_str()),
                         static_cast<DWORD>((settings.flatbed.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  std::wstring list;
  for (const std::wstring& page : settings.feeder) list += page + L'\0';
  list += L'\0';
  ok &= RegSetValueExW(key, L"Feeder", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(list.data()),
                       static_cast<DWORD>(list.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
  ok &= RegSetValueExW(key, L"FailAtPage", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&settings.failAtPage),
                       sizeof(DWORD)) == ERROR_SUCCESS;
  ok &= RegSetValueExW(key, L"CancelAtPage", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&settings.cancelAtPage),
                       sizeof(DWORD)) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

}  // namespace test_scanner

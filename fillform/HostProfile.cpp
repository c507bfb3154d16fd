#include "HostProfile.h"

namespace quillet {

namespace {

// The framework's application object, which names the host's own registry key, has not landed
// yet: until it does, these go to Orvello's key, with the value types the framework's profile uses
// (REG_DWORD numbers, REG_SZ texts).
const wchar_t kSettingsKey[] = L"SOFTWARE\\Quennick\\Vantry\\Settings";

HKEY OpenSettings(REGSAM access) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, access, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

}  // namespace

CString GetHostProfileString(LPCWSTR entry, LPCWSTR defaultValue) {
  HKEY key = OpenSettings(KEY_READ);
  CString value(defaultValue);
  DWORD type = 0;
  DWORD bytes = 0;
  if (key && RegQueryValueExW(key, entry, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
      type == REG_SZ) {
    CString stored;
    wchar_t* buffer = stored.GetBuffer(bytes / sizeof(wchar_t) + 1);
    const LONG result =
        RegQueryValueExW(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
    buffer[bytes / sizeof(wchar_t)] = L'\0';
    stored.ReleaseBuffer();
    if (result == ERROR_SUCCESS) value = stored;
  }
  if (key) RegCloseKey(key);
  return value;
}

int GetHostProfileInt(LPCWSTR entry, int defaultValue) {
  HKEY key = OpenSettings(KEY_READ);
  DWORD value = 0;
  DWORD type = 0;
  DWORD bytes = sizeof(value);
  const bool read = key && RegQueryValueExW(key, entry, nullptr, &type,
                                            reinterpret_cast<BYTE*>(&value), &bytes) == ERROR_SUCCESS &&
                    type == REG_DWORD;
  if (key) RegCloseKey(key);
  return read ? static_cast<int>(value) : defaultValue;
}

BOOL WriteHostProfileString(LPCWSTR entry, LPCWSTR value) {
  HKEY key = OpenSettings(KEY_WRITE);
  if (!key) return FALSE;
  const LONG result =
      RegSetValueExW(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                     static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

BOOL WriteHostProfileInt(LPCWSTR entry, int value) {
  HKEY key = OpenSettings(KEY_WRITE);
  if (!key) return FALSE;
  const DWORD number = static_cast<DWORD>(value);
  const LONG result =
      RegSetValueExW(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

}  // namespace quillet

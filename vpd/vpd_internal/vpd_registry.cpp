// Reading and writing single settings, the layered read over the registry roots and the INI override.
#include <vector>

#include "vpd_log.h"
#include "vpd_settings.h"

namespace vpd_internal {

namespace {

// Closes a registry key on every path out of the caller.
class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() {
    if (key_) RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// A setting that a root simply does not hold. Such a root is passed over and, when no root holds
// the setting, it keeps its default: a fresh install has no keys at all, and a record of zeros in
// place of the defaults would be written back over the user's settings by the next Apply.
bool isMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_DATATYPE_MISMATCH;
}

LSTATUS readValue(HKEY key, RegistrySetting& setting) {
  DWORD type = 0;
  DWORD size = 0;
  LSTATUS rc = RegQueryValueExW(key, setting.valueName.c_str(), nullptr, &type, nullptr, &size);
  if (rc != ERROR_SUCCESS) return rc;
  if (type != setting.kind) return ERROR_DATATYPE_MISMATCH;
  switch (setting.kind) {
    case REG_SZ: {
      // Zeroed and one unit longer than the data (rounded up): stored text need not end with a NUL
      // and may even have an odd byte count.
      std::vector<wchar_t> text((size + 1) / sizeof(wchar_t) + 1, L'\0');
      DWORD got = size;
      rc = RegQueryValueExW(key, setting.valueName.c_str(), nullptr, &type,
                            reinterpret_cast<BYTE*>(text.data()), &got);
      if (rc == ERROR_SUCCESS) setting.stringValue.assign(text.data());
      return rc;
    }
    case REG_BINARY: {
      std::vector<BYTE> bytes(size);
      DWORD got = size;
      if (size != 0)
        rc = RegQueryValueExW(key, setting.valueName.c_str(), nullptr, &type, bytes.data(), &got);
      if (rc == ERROR_SUCCESS) setting.binaryValue.swap(bytes);
      return rc;
    }
    case REG_DWORD: {
      if (size != sizeof(DWORD)) return ERROR_DATATYPE_MISMATCH;
      DWORD value = 0;
      DWORD got = sizeof(value);
      rc = RegQueryValueExW(key, setting.valueName.c_str(), nullptr, &type,
                            reinterpret_cast<BYTE*>(&value), &got);
      if (rc == ERROR_SUCCESS) setting.dwordValue = value;
      return rc;
    }
    default:
      return ERROR_INVALID_PARAMETER;
  }
}

}  // namespace

RegistrySetting makeDwordSetting(const std::wstring& keyPath, const std::wstring& name, DWORD value) {
  RegistrySetting setting;
  setting.keyPath = keyPath;
  setting.valueName = name;
  setting.kind = REG_DWORD;
  setting.dwordValue = value;
  return setting;
}

RegistrySetting makeStringSetting(const std::wstring& keyPath, const std::wstring& name,
                                  const std::wstring& value) {
  RegistrySetting setting;
  setting.keyPath = keyPath;
  setting.valueName = name;
  setting.kind = REG_SZ;
  setting.stringValue = value;
  return setting;
}

bool readSetting(RegistrySetting& setting, HKEY root, const std::wstring& sid) {
  try {
    SetLastError(ERROR_SUCCESS);
    const std::wstring path = root == HKEY_USERS ? sid + L"\\" + setting.keyPath : setting.keyPath;
    RegistryKey key;
    LSTATUS rc = RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.out());
    if (rc != ERROR_SUCCESS) {
      // A missing key reads as "path not found"; other errors (access) keep their own code.
      SetLastError(rc == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : rc);
      return false;
    }
    rc = readValue(key.get(), setting);
    SetLastError(rc);
    return rc == ERROR_SUCCESS;
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
}

bool writeSetting(const RegistrySetting& setting, HKEY root) {
  try {
    RegistryKey key;
    LSTATUS rc = RegCreateKeyExW(root, setting.keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_READ | KEY_WRITE, nullptr, key.out(), nullptr);
    if (rc == ERROR_SUCCESS) {
      const wchar_t* name = setting.valueName.c_str();
      switch (setting.kind) {
        case REG_SZ:
          rc = RegSetValueExW(key.get(), name, 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(setting.stringValue.c_str()),
                              static_cast<DWORD>((setting.stringValue.size() + 1) * sizeof(wchar_t)));
          break;
        case REG_DWORD:
          rc = RegSetValueExW(key.get(), name, 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&setting.dwordValue), sizeof(DWORD));
          break;
        case REG_BINARY:
          rc = RegSetValueExW(key.get(), name, 0, REG_BINARY, setting.binaryValue.data(),
                              static_cast<DWORD>(setting.binaryValue.size()));
          break;
        default:
          rc = ERROR_INVALID_PARAMETER;
      }
    }
    SetLastError(rc);
    return rc == ERROR_SUCCESS;
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
}

bool readSettingsLayered(std::vector<RegistrySetting>& settings, DWORD roots, DWORD sessionId) {
  try {
    // Looked up once whatever the roots; a failure is logged and leaves the session root unused.
    std::wstring sid;
    if (!getSecurityId(sessionId, sid)) sid.clear();

    for (RegistrySetting& setting : settings) {
      DWORD realError = ERROR_SUCCESS;
      auto tryRoot = [&](HKEY root) {
        if (readSetting(setting, root, sid)) return true;
        const DWORD error = GetLastError();
        if (!isMissing(error)) realError = error;
        return false;
      };
      bool resolved = (roots & currentUser) && tryRoot(HKEY_CURRENT_USER);
      if (!resolved && (roots & sessionUser) && !sid.empty()) resolved = tryRoot(HKEY_USERS);
      if (!resolved && (roots & localMachine)) resolved = tryRoot(HKEY_LOCAL_MACHINE);
      if (!resolved && realError != ERROR_SUCCESS) {
        SetLastError(realError);
        return false;
      }
    }
    return true;
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
}

void overrideSettingsFromIni(const std::wstring& section, std::vector<RegistrySetting>& settings,
                             const std::wstring& iniPath) {
  if (iniPath.empty()) return;
  try {
    // As wide as the widest text field, so no override is cut before the field's own width.
    std::vector<wchar_t> text(pathChars, L'\0');
    for (RegistrySetting& setting : settings) {
      if (setting.kind == REG_SZ) {
        const DWORD length =
            GetPrivateProfileStringW(section.c_str(), setting.valueName.c_str(), L"", text.data(),
                                     static_cast<DWORD>(text.size()), iniPath.c_str());
        if (length != 0) setting.stringValue.assign(text.data(), length);
      } else if (setting.kind == REG_DWORD) {
        const UINT value = GetPrivateProfileIntW(section.c_str(), setting.valueName.c_str(), -1,
                                                 iniPath.c_str());
        if (value != static_cast<UINT>(-1)) setting.dwordValue = value;
      }
    }
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  }
}

}  // namespace vpd_internal

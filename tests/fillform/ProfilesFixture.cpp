#include "ProfilesFixture.h"

#include <sqlite3.h>

namespace fillform_test {

namespace {
const wchar_t kShellFolders[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

int CollectRow(void* argument, int count, char** values, char**) {
  std::string& rows = *static_cast<std::string*>(argument);
  if (!rows.empty()) rows += "\n";
  for (int i = 0; i < count; ++i) {
    if (i) rows += "|";
    rows += values[i] ? values[i] : "";
  }
  return 0;
}
}  // namespace

const wchar_t kTestHostKey[] = L"Quillet Test Host";
const wchar_t kTestHostProfile[] = L"Filler";
const wchar_t kHostSettings[] = L"Software\\Quillet Test Host\\Filler\\Settings";

void SetHostSetting(const wchar_t* name, const std::wstring& value) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kHostSettings, name, REG_SZ, value.c_str(),
                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void SetHostSetting(const wchar_t* name, DWORD value) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kHostSettings, name, REG_DWORD, &value, sizeof(value));
}

std::wstring HostSettingText(const wchar_t* name) {
  wchar_t text[1024] = {};
  DWORD size = sizeof(text);
  if (RegGetValueW(HKEY_CURRENT_USER, kHostSettings, name, RRF_RT_ANY, nullptr, text, &size) !=
      ERROR_SUCCESS)
    return L"(none)";
  return text;
}

DWORD HostSettingNumber(const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (RegGetValueW(HKEY_CURRENT_USER, kHostSettings, name, RRF_RT_REG_DWORD, nullptr, &value,
                   &size) != ERROR_SUCCESS)
    return 0xFFFFFFFF;
  return value;
}

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string result(size > 0 ? size - 1 : 0, '\0');
  if (size > 1)
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &result[0], size, nullptr, nullptr);
  return result;
}

std::string CreateDatabase(const std::wstring& path, const wchar_t* scriptName,
                           const char* extraSql) {
  const std::string script =
      testing_support::ReadFileBytes(std::wstring(VANTRY_TEST_DATA_DIR) + L"\\" + scriptName);
  if (script.empty()) return "fixture script missing";
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(Utf8(path).c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                      nullptr) != SQLITE_OK) {
    std::string message = sqlite3_errmsg(db);
    sqlite3_close(db);
    return message;
  }
  std::string message;
  for (const std::string& sql : {script, std::string(extraSql)}) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
      message = error ? error : "error";
      sqlite3_free(error);
      break;
    }
  }
  sqlite3_close(db);
  return message;
}

std::string QueryDatabase(const std::wstring& path, const char* sql) {
  sqlite3* db = nullptr;
  std::string rows;
  if (sqlite3_open_v2(Utf8(path).c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, CollectRow, &rows, &error) != SQLITE_OK)
      rows = std::string("error: ") + (error ? error : "");
    sqlite3_free(error);
  }
  sqlite3_close(db);
  return rows;
}

IsolatedUser::IsolatedUser() {
  static LONG counter = 0;
  wchar_t name[96];
  wsprintfW(name, L"Software\\VantryTests\\%lu-%ld", GetCurrentProcessId(),
            InterlockedIncrement(&counter));
  keyName_ = name;
  testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, keyName_);
  RegCreateKeyExW(HKEY_CURRENT_USER, keyName_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                  nullptr);
  RegOverridePredefKey(HKEY_CURRENT_USER, key_);
  HKEY shellFolders = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_WRITE, nullptr, &shellFolders,
                  nullptr);
  const std::wstring& path = folder_.Path();
  RegSetValueExW(shellFolders, L"Personal", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                 static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(shellFolders);
  CreateDirectoryW(VantryFolder().c_str(), nullptr);
}

IsolatedUser::~IsolatedUser() {
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegCloseKey(key_);
  testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, keyName_);
}

std::wstring IsolatedUser::ErrorLog() const {
  const std::string bytes = testing_support::ReadFileBytes(VantryFolder() + L"\\error.log");
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

}  // namespace fillform_test

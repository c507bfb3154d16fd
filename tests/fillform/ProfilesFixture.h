// Profiles databases for the tests, made with SQLite itself from SQL scripts in data/, and a
// documents folder of the test's own so that the error log can be read back.
#pragma once
#include <windows.h>

#include <string>

#include "TestSupport.h"

namespace fillform_test {

// Runs the SQL script `data/<scriptName>` (and then `extraSql`) into a new database file `path`.
// Returns the empty string on success, else SQLite's message.
std::string CreateDatabase(const std::wstring& path, const wchar_t* scriptName,
                           const char* extraSql = "");

// Runs one SQL statement on an existing database; each row's columns joined by "|", rows by "\n".
std::string QueryDatabase(const std::wstring& path, const char* sql);

// While it lives, HKEY_CURRENT_USER of this process is a fresh empty key of its own (so tests running
// side by side in one Wine prefix never see each other's settings), and the user's documents folder
// ("Personal" of the shell folders) is a fresh temporary folder with a "Vantry" folder in it.
class IsolatedUser {
 public:
  IsolatedUser();
  ~IsolatedUser();
  IsolatedUser(const IsolatedUser&) = delete;
  IsolatedUser& operator=(const IsolatedUser&) = delete;

  const std::wstring& Path() const { return folder_.Path(); }
  std::wstring VantryFolder() const { return folder_.File(L"Vantry"); }
  // The error log's text as written (UTF-16), empty when there is none.
  std::wstring ErrorLog() const;

 private:
  testing_support::TempFolder folder_;
  std::wstring keyName_;
  HKEY key_ = nullptr;
};

std::string Utf8(const std::wstring& text);

// The test program plays a host of its own, not Orvello: its application object keeps its profile
// under HKEY_CURRENT_USER\Software\<kTestHostKey>\<kTestHostProfile>.
extern const wchar_t kTestHostKey[];
extern const wchar_t kTestHostProfile[];

// Values of the host's settings, section "Settings", written and read with the registry API.
void SetHostSetting(const wchar_t* name, const std::wstring& value);
void SetHostSetting(const wchar_t* name, DWORD value);
std::wstring HostSettingText(const wchar_t* name);  // "(none)" when absent (of any type)
DWORD HostSettingNumber(const wchar_t* name);       // 0xFFFFFFFF when absent

}  // namespace fillform_test

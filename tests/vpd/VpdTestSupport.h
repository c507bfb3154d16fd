// Shared state of the plug-in's tests: the real registry tree "Software\Vantry" (current user, local
// machine and the session user's hive) and the real failure log "c:/tmp/log". Test programs run in
// parallel, so every test holds a machine-wide lock while it owns that state, starts from an empty
// tree and log, and leaves neither behind.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace vpd_test {

// SID text of this process's user, as the registry's HKEY_USERS names that user's hive.
std::wstring ownSid();

class VantryState {
 public:
  VantryState();
  ~VantryState();
  VantryState(const VantryState&) = delete;
  VantryState& operator=(const VantryState&) = delete;

  // The failure log's text so far (empty when there is none).
  std::string log() const;
  // Removes c:\tmp for a test of the missing log folder; the destructor restores the prior state.
  void removeLogFolder();
  // Creates the key and gives it the access rights of an SDDL text, e.g. read-only or none at all;
  // the registry then refuses what the rights do not allow. Full rights return before clean-up.
  bool restrictKey(HKEY root, const std::wstring& key, const wchar_t* sddl);

 private:
  void clear();
  HANDLE lock_ = nullptr;
  bool createdFolder_ = false;
  std::vector<std::pair<HKEY, std::wstring>> restricted_;
};

// Registry helpers over the real API, for arranging and checking what the store reads and writes.
void setDword(HKEY root, const std::wstring& key, const wchar_t* name, DWORD value);
void setString(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value);
void setRaw(HKEY root, const std::wstring& key, const wchar_t* name, DWORD type, const void* data, DWORD size);
bool getDword(HKEY root, const std::wstring& key, const wchar_t* name, DWORD& value);
bool getString(HKEY root, const std::wstring& key, const wchar_t* name, std::wstring& value);
bool valueExists(HKEY root, const std::wstring& key, const wchar_t* name);

}  // namespace vpd_test

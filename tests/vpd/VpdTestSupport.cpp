#include "VpdTestSupport.h"

#include <sddl.h>

#include <vector>

#include "TestSupport.h"

namespace vpd_test {

namespace {
const wchar_t* const kTree = L"Software\\Vantry";
const wchar_t* const kLogFolder = L"c:\\tmp";
const wchar_t* const kLogFile = L"c:\\tmp\\log";
}  // namespace

std::wstring ownSid() {
  HANDLE token = nullptr;
  std::wstring result;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return result;
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  wchar_t* text = nullptr;
  if (size && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
      ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
    result = text;
    LocalFree(text);
  }
  CloseHandle(token);
  return result;
}

namespace {

bool setKeyRights(HKEY handle, const wchar_t* sddl) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  bool ok = ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr) &&
            RegSetKeySecurity(handle, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
  if (descriptor) LocalFree(descriptor);
  return ok;
}

}  // namespace

bool VantryState::restrictKey(HKEY root, const std::wstring& key, const wchar_t* sddl) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
    return false;
  restricted_.emplace_back(root, key);
  const bool ok = setKeyRights(handle, sddl);
  RegCloseKey(handle);
  return ok;
}

VantryState::VantryState() {
  lock_ = CreateMutexW(nullptr, FALSE, L"Global\\VantryDrovemarkTestState");
  if (lock_) WaitForSingleObject(lock_, INFINITE);
  if (GetFileAttributesW(kLogFolder) == INVALID_FILE_ATTRIBUTES)
    createdFolder_ = CreateDirectoryW(kLogFolder, nullptr) != FALSE;
  clear();
}

VantryState::~VantryState() {
  clear();
  if (createdFolder_) RemoveDirectoryW(kLogFolder);
  else CreateDirectoryW(kLogFolder, nullptr);  // put back a folder a test removed
  if (lock_) {
    ReleaseMutex(lock_);
    CloseHandle(lock_);
  }
}

void VantryState::clear() {
  for (const auto& [root, key] : restricted_) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, WRITE_DAC, &handle) == ERROR_SUCCESS) {
      setKeyRights(handle, L"D:P(A;;KA;;;WD)");
      RegCloseKey(handle);
    }
  }
  restricted_.clear();
  testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, kTree);
  testing_support::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kTree);
  const std::wstring sid = ownSid();
  if (!sid.empty()) testing_support::DeleteRegistryTree(HKEY_USERS, sid + L"\\" + kTree);
  DeleteFileW(kLogFile);
}

std::string VantryState::log() const { return testing_support::ReadFileBytes(kLogFile); }

void VantryState::removeLogFolder() {
  DeleteFileW(kLogFile);
  RemoveDirectoryW(kLogFolder);
}

void setRaw(HKEY root, const std::wstring& key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) == ERROR_SUCCESS) {
    RegSetValueExW(handle, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(handle);
  }
}

void setDword(HKEY root, const std::wstring& key, const wchar_t* name, DWORD value) {
  setRaw(root, key, name, REG_DWORD, &value, sizeof(value));
}

void setString(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  setRaw(root, key, name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

bool getDword(HKEY root, const std::wstring& key, const wchar_t* name, DWORD& value) {
  DWORD size = sizeof(value);
  return RegGetValueW(root, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS;
}

bool getString(HKEY root, const std::wstring& key, const wchar_t* name, std::wstring& value) {
  DWORD size = 0;
  if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS)
    return false;
  std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
  if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text.data(), &size) != ERROR_SUCCESS)
    return false;
  value = text.data();
  return true;
}

bool valueExists(HKEY root, const std::wstring& key, const wchar_t* name) {
  return RegGetValueW(root, key.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}


}  // namespace vpd_test

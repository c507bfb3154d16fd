#include "RegistryBlob_win.h"

#include <algorithm>

namespace fuzz {

namespace {
const size_t kEntryHead = 4;
// Larger values are cut: the program's records are a few dozen bytes, its texts a path.
const size_t kLargestValue = 0xFFFF;
}  // namespace

std::string RegistryEntry(size_t nameIndex, DWORD type, const std::string& data) {
  const size_t size = std::min(data.size(), kLargestValue);
  std::string entry(kEntryHead, '\0');
  entry[0] = static_cast<char>(nameIndex & 0xFF);
  entry[1] = static_cast<char>(type & 0xFF);
  entry[2] = static_cast<char>(size & 0xFF);
  entry[3] = static_cast<char>(size >> 8);
  return entry + data.substr(0, size);
}

std::string RegistryDword(size_t nameIndex, DWORD value) {
  return RegistryEntry(nameIndex, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof(value)));
}

std::string RegistryText(size_t nameIndex, const std::wstring& text) {
  return RegistryEntry(nameIndex, REG_SZ, std::string(reinterpret_cast<const char*>(text.c_str()), 2 * (text.size() + 1)));
}

bool WriteRegistryBlob(const std::vector<RegistryValueName>& names, const std::string& blob) {
  for (const RegistryValueName& value : names) RegDeleteKeyValueW(HKEY_CURRENT_USER, value.subKey, value.name);
  if (names.empty()) return true;
  for (size_t at = 0; at + kEntryHead <= blob.size();) {
    const RegistryValueName& value = names[static_cast<unsigned char>(blob[at]) % names.size()];
    const DWORD type = static_cast<unsigned char>(blob[at + 1]);
    const size_t size = std::min<size_t>(static_cast<unsigned char>(blob[at + 2]) |
                                             static_cast<size_t>(static_cast<unsigned char>(blob[at + 3])) << 8,
                                         blob.size() - at - kEntryHead);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, value.subKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
      return false;
    const LONG written = RegSetValueExW(key, value.name, 0, type, reinterpret_cast<const BYTE*>(blob.data() + at + kEntryHead),
                                        static_cast<DWORD>(size));
    RegCloseKey(key);
    if (written != ERROR_SUCCESS) return false;
    at += kEntryHead + size;
  }
  return true;
}

std::string ReadRegistryBlob(const std::vector<RegistryValueName>& names) {
  std::string blob;
  for (size_t i = 0; i < names.size(); ++i) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, names[i].subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
    DWORD type = 0, size = 0;
    std::string data;
    LONG result = RegQueryValueExW(key, names[i].name, nullptr, &type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
      data.resize(size);
      result = RegQueryValueExW(key, names[i].name, nullptr, &type, size ? reinterpret_cast<BYTE*>(&data[0]) : nullptr, &size);
      data.resize(size);
    }
    RegCloseKey(key);
    if (result == ERROR_SUCCESS) blob += RegistryEntry(i, type, data);
  }
  return blob;
}

ReadResult ReadRegistryRecords(const std::vector<RegistryValueName>& names, const std::string& blob,
                               const std::function<std::function<void()>()>& read) {
  ReadResult result;
  if (!WriteRegistryBlob(names, blob)) return result;
  const std::function<void()> write = read();
  result.loaded = true;
  WriteRegistryBlob(names, std::string());
  write();
  result.savedBytes = ReadRegistryBlob(names);
  result.saved = true;
  return result;
}

}  // namespace fuzz

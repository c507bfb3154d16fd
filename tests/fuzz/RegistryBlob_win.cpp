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

namespace {

// The keys of a table's values, each opened once for one pass over the table: a registry call goes
// through the server, and a mutant's read makes thousands of them.
class KeyCache {
 public:
  KeyCache(REGSAM access, bool create) : access_(access), create_(create) {}
  ~KeyCache() {
    for (const Entry& entry : entries_)
      if (entry.key != nullptr) RegCloseKey(entry.key);
  }
  KeyCache(const KeyCache&) = delete;
  KeyCache& operator=(const KeyCache&) = delete;

  // The open key, or nullptr when it is not there (or cannot be made).
  HKEY Get(const wchar_t* subKey) {
    for (const Entry& entry : entries_)
      if (lstrcmpiW(entry.subKey, subKey) == 0) return entry.key;
    HKEY key = nullptr;
    const LONG result = create_ ? RegCreateKeyExW(HKEY_CURRENT_USER, subKey, 0, nullptr, 0, access_, nullptr, &key, nullptr)
                                : RegOpenKeyExW(HKEY_CURRENT_USER, subKey, 0, access_, &key);
    if (result != ERROR_SUCCESS) key = nullptr;
    entries_.push_back({subKey, key});
    return key;
  }

 private:
  struct Entry {
    const wchar_t* subKey;
    HKEY key;
  };
  REGSAM access_;
  bool create_;
  std::vector<Entry> entries_;
};

}  // namespace

bool WriteRegistryBlob(const std::vector<RegistryValueName>& names, const std::string& blob) {
  {
    KeyCache existing(KEY_SET_VALUE, false);
    for (const RegistryValueName& value : names)
      if (HKEY key = existing.Get(value.subKey)) RegDeleteValueW(key, value.name);
  }
  if (names.empty()) return true;
  KeyCache keys(KEY_WRITE, true);
  for (size_t at = 0; at + kEntryHead <= blob.size();) {
    const RegistryValueName& value = names[static_cast<unsigned char>(blob[at]) % names.size()];
    const DWORD type = static_cast<unsigned char>(blob[at + 1]);
    const size_t size = std::min<size_t>(static_cast<unsigned char>(blob[at + 2]) |
                                             static_cast<size_t>(static_cast<unsigned char>(blob[at + 3])) << 8,
                                         blob.size() - at - kEntryHead);
    HKEY key = keys.Get(value.subKey);
    if (key == nullptr) return false;
    if (RegSetValueExW(key, value.name, 0, type, reinterpret_cast<const BYTE*>(blob.data() + at + kEntryHead),
                       static_cast<DWORD>(size)) != ERROR_SUCCESS)
      return false;
    at += kEntryHead + size;
  }
  return true;
}

std::string ReadRegistryBlob(const std::vector<RegistryValueName>& names) {
  std::string blob;
  KeyCache keys(KEY_READ, false);
  std::string data(4096, '\0');
  for (size_t i = 0; i < names.size(); ++i) {
    HKEY key = keys.Get(names[i].subKey);
    if (key == nullptr) continue;
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size());
    LONG result = RegQueryValueExW(key, names[i].name, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
    if (result == ERROR_MORE_DATA) {
      data.resize(size);
      result = RegQueryValueExW(key, names[i].name, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
    }
    if (result == ERROR_SUCCESS) blob += RegistryEntry(i, type, data.substr(0, size));
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

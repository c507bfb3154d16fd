#include "ArchiveFixtures.h"

#include <shellapi.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "ErrorLogFile.h"
#include "TestSupport.h"

namespace fixtures {

namespace {
std::string Narrow(const std::wstring& text) {
  std::string result;
  for (wchar_t c : text) result += static_cast<char>(c < 128 ? c : '?');
  return result;
}
}  // namespace

// Z:\... names a Linux path: open it through the Win32 file functions like any other file.
static bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0) bytes.append(chunk, read);
  CloseHandle(file);
  return true;
}

std::string ReadHexFixture(const std::wstring& path) {
  std::string text;
  if (!ReadWholeFile(path, text)) throw std::runtime_error("missing fixture " + Narrow(path));

  std::string bytes;
  std::istringstream lines(text);
  std::string line;
  int lineNumber = 0;
  while (std::getline(lines, line)) {
    ++lineNumber;
    const size_t comment = line.find('#');
    if (comment != std::string::npos) line.erase(comment);
    const size_t colon = line.find(':');
    if (colon == std::string::npos) {
      if (line.find_first_not_of(" \t\r") != std::string::npos)
        throw std::runtime_error("fixture row without offset at line " + std::to_string(lineNumber));
      continue;
    }
    const unsigned long offset = std::stoul(line.substr(0, colon), nullptr, 16);
    if (offset != bytes.size())
      throw std::runtime_error("fixture offset does not follow on at line " + std::to_string(lineNumber));
    std::istringstream hex(line.substr(colon + 1));
    std::string pair;
    while (hex >> pair) {
      if (pair.size() != 2) throw std::runtime_error("bad byte '" + pair + "' at line " + std::to_string(lineNumber));
      bytes += static_cast<char>(std::stoul(pair, nullptr, 16));
    }
  }
  return bytes;
}

std::string ToHex(const std::string& bytes) {
  std::string text;
  char part[4];
  for (unsigned char b : bytes) {
    snprintf(part, sizeof(part), "%02X ", b);
    text += part;
  }
  return text;
}

std::string Store(const std::function<void(CArchive&)>& write) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
  }
  std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
  file.SeekToBegin();
  if (!bytes.empty()) file.Read(&bytes[0], static_cast<UINT>(bytes.size()));
  return bytes;
}

size_t Load(const std::string& bytes, const std::function<void(CArchive&)>& read) {
  CMemFile file;
  if (!bytes.empty()) file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  read(ar);
  ar.Flush();  // gives back what the archive buffered but did not hand out
  const size_t left = static_cast<size_t>(file.GetLength() - file.GetPosition());
  ar.Close();
  return left;
}

int LoadFailureCause(const std::string& bytes, const std::function<void(CArchive&)>& read) {
  try {
    Load(bytes, read);
  } catch (CArchiveException* e) {
    const int cause = e->m_cause;
    e->Delete();
    return cause;
  }
  return -1;
}

void RemoveFolderTree(const std::wstring& folder) { testing_support::RemoveTestFolder(folder); }

namespace {
const wchar_t kShellFolders[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
}  // namespace

PrivateUserProfile::PrivateUserProfile() {
  keyPath_ = L"Software\\VantryTests\\Profile" + std::to_wstring(GetCurrentProcessId()) + L"_" +
             std::to_wstring(GetTickCount());
  if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                      nullptr) != ERROR_SUCCESS)
    return;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  documents_ = std::wstring(temp) + L"VantryDocs" + std::to_wstring(GetCurrentProcessId()) + L"_" +
               std::to_wstring(GetTickCount());
  CreateDirectoryW(documents_.c_str(), nullptr);
  CreateDirectoryW((documents_ + L"\\Vantry").c_str(), nullptr);
  if (RegOverridePredefKey(HKEY_CURRENT_USER, key_) != ERROR_SUCCESS) return;
  ready_ = true;
  SetDocumentsValue(documents_);
}

void PrivateUserProfile::SetDocumentsValue(const std::wstring& folder) {
  HKEY shell = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &shell,
                      nullptr) != ERROR_SUCCESS)
    return;
  if (folder.empty()) {
    RegDeleteValueW(shell, L"Personal");
  } else {
    RegSetValueExW(shell, L"Personal", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
  }
  RegCloseKey(shell);
}

PrivateUserProfile::~PrivateUserProfile() {
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  if (key_ != nullptr) RegCloseKey(key_);
  RegDeleteTreeW(HKEY_CURRENT_USER, keyPath_.c_str());
  if (!documents_.empty()) RemoveFolderTree(documents_);
}

std::wstring ErrorLogText() {
  std::string bytes;
  ReadWholeFile(static_cast<LPCTSTR>(GetErrorLogPathName()), bytes);
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
}

}  // namespace fixtures

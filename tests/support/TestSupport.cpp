#include "TestSupport.h"

#include <shellapi.h>

#include <vector>

namespace testing_support {

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L"\\/"));
}

TempFolder::TempFolder() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  static LONG counter = 0;
  for (;;) {
    wchar_t name[64];
    wsprintfW(name, L"vantry-test-%lu-%ld", GetCurrentProcessId(), InterlockedIncrement(&counter));
    path_ = std::wstring(base) + name;
    if (CreateDirectoryW(path_.c_str(), nullptr)) break;
  }
}

namespace {
std::wstring Variable(const wchar_t* name) {
  wchar_t value[MAX_PATH] = L"";
  const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(value) : std::wstring();
}
}  // namespace

PrivateTempPath::PrivateTempPath() : tmp_(Variable(L"TMP")), temp_(Variable(L"TEMP")) {
  SetEnvironmentVariableW(L"TMP", folder_.Path().c_str());
  SetEnvironmentVariableW(L"TEMP", folder_.Path().c_str());
}

PrivateTempPath::~PrivateTempPath() {
  SetEnvironmentVariableW(L"TMP", tmp_.empty() ? nullptr : tmp_.c_str());
  SetEnvironmentVariableW(L"TEMP", temp_.empty() ? nullptr : temp_.c_str());
}

TempFolder::~TempFolder() { RemoveTestFolder(path_); }

namespace {
std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}
// Whether `inner` is `outer` or lies below it (both full paths).
bool Within(const std::wstring& inner, const std::wstring& outer) {
  std::wstring a = Lower(inner), b = Lower(outer);
  while (!b.empty() && (b.back() == L'\\' || b.back() == L'/')) b.pop_back();
  return a.compare(0, b.size(), b) == 0 && (a.size() == b.size() || a[b.size()] == L'\\' || a[b.size()] == L'/');
}
}  // namespace

namespace {
bool RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found = {};
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  return RemoveDirectoryW(folder.c_str()) != FALSE;
}
}  // namespace

bool RemoveTestFolder(const std::wstring& folder) {
  wchar_t full[MAX_PATH * 4] = L"";
  const bool absolute = folder.size() >= 4 && folder[1] == L':' && (folder[2] == L'\\' || folder[2] == L'/');
  if (!absolute || GetFullPathNameW(folder.c_str(), _countof(full), full, nullptr) == 0) return false;
  wchar_t current[MAX_PATH * 4] = L"", program[MAX_PATH * 4] = L"";
  GetCurrentDirectoryW(_countof(current), current);
  GetModuleFileNameW(nullptr, program, _countof(program));
  if (Within(current, full) || Within(program, full)) {
    OutputDebugStringW((L"RemoveTestFolder: refused " + folder + L"\n").c_str());
    return false;
  }
  // Walked by hand with long-path names: the shell's delete misreads paths past MAX_PATH and then
  // deletes relative to the current folder.
  return RemoveTree(L"\\\\?\\" + std::wstring(full));
}

ChildProcess::ChildProcess(const std::wstring& commandLine) {
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  STARTUPINFOW startup = {sizeof(startup)};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info_))
    info_ = {};
}

ChildProcess::~ChildProcess() {
  if (!info_.hProcess) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

namespace {
struct WindowSearch {
  DWORD processId;
  HWND found;
  const wchar_t* className;  // null: an unowned window of any class
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = L"";
  if (search->className != nullptr) GetClassNameW(window, name, 64);
  const bool kind = search->className != nullptr ? wcscmp(name, search->className) == 0 : !GetWindow(window, GW_OWNER);
  if (owner == search->processId && IsWindowVisible(window) && kind) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND ChildProcess::WaitForMainWindow(DWORD timeoutMs) const {
  const DWORD start = GetTickCount();
  do {
    WindowSearch search = {info_.dwProcessId, nullptr, nullptr};
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (WaitForSingleObject(info_.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

HWND ChildProcess::FindDialog() const {
  WindowSearch search = {info_.dwProcessId, nullptr, L"#32770"};
  EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

DWORD ChildProcess::WaitForExit(DWORD timeoutMs) const {
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool DeleteRegistryTree(HKEY root, const std::wstring& subKey) {
  LSTATUS status = RegDeleteTreeW(root, subKey.c_str());
  if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
    RegDeleteKeyW(root, subKey.c_str());
    HKEY key;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
      RegCloseKey(key);
      return false;
    }
    return true;
  }
  return false;
}

std::wstring UnixPath(const std::wstring& windowsPath) {
  typedef char*(__cdecl * ToUnix)(LPCWSTR);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  ToUnix toUnix = kernel != nullptr ? reinterpret_cast<ToUnix>(GetProcAddress(kernel, "wine_get_unix_file_name")) : nullptr;
  if (toUnix == nullptr) return std::wstring();
  char* unixPath = toUnix(windowsPath.c_str());
  if (unixPath == nullptr) return std::wstring();
  const int length = MultiByteToWideChar(CP_UTF8, 0, unixPath, -1, nullptr, 0);
  std::wstring result(static_cast<size_t>(length > 0 ? length - 1 : 0), L'\0');
  if (length > 1) MultiByteToWideChar(CP_UTF8, 0, unixPath, -1, &result[0], length);
  HeapFree(GetProcessHeap(), 0, unixPath);
  return result;
}

}  // namespace testing_support

#include "FillFormProcs.h"

#include <shlobj.h>

#include <cstdarg>
#include <cwchar>
#include <vector>

namespace quillet {

std::wstring GetMyDocumentsPathName() {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER,
                      L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      nullptr, 0, KEY_READ, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return std::wstring();
  wchar_t path[MAX_PATH + 1] = {};
  DWORD type = 0;
  DWORD bytes = MAX_PATH * sizeof(wchar_t);
  const LONG result =
      RegQueryValueExW(key, L"Personal", nullptr, &type, reinterpret_cast<BYTE*>(path), &bytes);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::wstring();
  std::wstring folder(path, wcsnlen(path, MAX_PATH));
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder;
}

std::wstring GetFilesPathName() { return GetMyDocumentsPathName() + L"\\Vantry"; }

std::wstring GetInitialFormsPathName() {
  const std::wstring product = GetFilesPathName();
  const std::wstring forms = product + L"\\Forms";
  if (GetFileAttributesW(product.c_str()) == INVALID_FILE_ATTRIBUTES)
    CreateDirectoryW(product.c_str(), nullptr);
  if (GetFileAttributesW(forms.c_str()) == INVALID_FILE_ATTRIBUTES)
    CreateDirectoryW(forms.c_str(), nullptr);
  return forms;
}

std::wstring GetErrorLogPathName() { return GetFilesPathName() + L"\\error.log"; }

std::wstring FormatText(const wchar_t* format, ...) {
  std::vector<wchar_t> buffer(256);
  for (;;) {
    va_list args;
    va_start(args, format);
    const int written = _vsnwprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    if (written >= 0 && static_cast<size_t>(written) < buffer.size())
      return std::wstring(buffer.data(), written);
    buffer.resize(buffer.size() * 2);
  }
}

void AppendErrorLog(const std::wstring& text) {
  HANDLE file = CreateFileW(GetErrorLogPathName().c_str(), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  SYSTEMTIME now;
  GetSystemTime(&now);
  const std::wstring entry =
      FormatText(L"%u.%u.%u  %u:%u:%u.%u\r\n%ls\r\n\r\n", now.wDay, now.wMonth, now.wYear, now.wHour,
                 now.wMinute, now.wSecond, now.wMilliseconds, text.c_str());
  DWORD written = 0;
  WriteFile(file, entry.data(), static_cast<DWORD>(entry.size() * sizeof(wchar_t)), &written,
            nullptr);
  CloseHandle(file);
}

namespace {
// The compiler's full signature ("void CFillForm::GetData(CString, CString)") reduced to the
// qualified name that the log shows ("CFillForm::GetData").
std::wstring QualifiedName(const char* signature) {
  std::string name(signature ? signature : "");
  const size_t open = name.find('(');
  if (open != std::string::npos) name.erase(open);
  const size_t space = name.rfind(' ');
  if (space != std::string::npos) name.erase(0, space + 1);
  while (!name.empty() && (name[0] == '*' || name[0] == '&')) name.erase(0, 1);
  return std::wstring(name.begin(), name.end());
}
}  // namespace

void ReportCaughtException(const char* file, int line, const char* function) {
  const std::string fileName(file ? file : "");
  AppendErrorLog(FormatText(L"Exception (DEF_TRY - DEF_CATCH)\r\nFile %ls\r\nLine %d\r\nFunction %ls",
                            std::wstring(fileName.begin(), fileName.end()).c_str(), line,
                            QualifiedName(function).c_str()));
}

bool StrToDouble(const std::wstring& text, double& value) {
  const wchar_t* start = (text == L"+" || text == L"-") ? L"0" : text.c_str();
  wchar_t* end = nullptr;
  value = wcstod(start, &end);
  if (end == start) value = 0;
  return *end == L'\0';
}

namespace {
int CALLBACK PreselectFolder(HWND window, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data)
    SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}
}  // namespace

bool ChooseFolder(HWND owner, const std::wstring& title, const std::wstring& initial,
                  std::wstring& chosen) {
  chosen.clear();
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  BROWSEINFOW browse = {};
  browse.hwndOwner = owner;
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  browse.lpfn = PreselectFolder;
  browse.lParam = reinterpret_cast<LPARAM>(initial.c_str());
  if (PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&browse)) {
    wchar_t path[MAX_PATH] = {};
    if (SHGetPathFromIDListW(list, path)) chosen = path;
    CoTaskMemFree(list);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return !chosen.empty();
}

namespace {
size_t LastSeparator(const std::wstring& path) {
  const size_t backslash = path.rfind(L'\\');
  return backslash != std::wstring::npos ? backslash : path.rfind(L':');
}
}  // namespace

std::wstring ExtractFilePath(const std::wstring& path) {
  const size_t separator = LastSeparator(path);
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

std::wstring ExtractFileName(const std::wstring& path) {
  const size_t separator = LastSeparator(path);
  return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

}  // namespace quillet

#include "BatchData.h"

#include <cwchar>

namespace {

// The full path without a final backslash (kept for a drive root), or empty when it cannot be made.
CString FullFolderPath(const CString& folder) {
  WCHAR full[MAX_PATH * 2] = L"";
  const DWORD length = ::GetFullPathNameW(folder, _countof(full), full, nullptr);
  if (length == 0 || length >= _countof(full)) return CString();
  CString path(full);
  while (path.GetLength() > 3 && path.Right(1) == L"\\") path = path.Left(path.GetLength() - 1);
  return path;
}

}  // namespace

BOOL ReadIniData(const CString& path, CFieldMap& data) {
  HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FALSE;
  LARGE_INTEGER size = {};
  const BOOL sized = ::GetFileSizeEx(file, &size);
  ::CloseHandle(file);
  if (!sized || size.QuadPart > 64 * 1024 * 1024) return FALSE;
  // No key or value is longer than the file; two more characters hold the list's end marks, so an
  // empty file still reads into a buffer it cannot overrun.
  const DWORD chars = static_cast<DWORD>(size.QuadPart) + 2;
  CArray<WCHAR, WCHAR> keys, value;
  keys.SetSize(chars);
  value.SetSize(chars);
  ::GetPrivateProfileStringW(L"Data", nullptr, L"", keys.GetData(), chars, path);
  for (LPCWSTR key = keys.GetData(); *key; key += wcslen(key) + 1) {
    ::GetPrivateProfileStringW(L"Data", key, L"", value.GetData(), chars, path);
    data.SetAt(key, COleVariant(value.GetData()));
  }
  return TRUE;
}

BOOL IsSameFolder(const CString& first, const CString& second) {
  const CString a = FullFolderPath(first), b = FullFolderPath(second);
  return !a.IsEmpty() && a.CompareNoCase(b) == 0;
}

BOOL WriteToParentConsole(const CString& text, const INPUT_RECORD* keys, DWORD keyCount) {
  const BOOL attached = ::AttachConsole(ATTACH_PARENT_PROCESS);
  // A program started from a console may hold that console already (ERROR_ACCESS_DENIED): it is the
  // parent's console all the same.
  if (!attached && ::GetLastError() != ERROR_ACCESS_DENIED) return FALSE;
  HANDLE output = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
  const BOOL written = output != INVALID_HANDLE_VALUE;
  if (written) {
    DWORD count = 0;
    ::WriteConsoleW(output, text, static_cast<DWORD>(text.GetLength()), &count, nullptr);
    ::CloseHandle(output);
  }
  HANDLE input = ::CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  if (input != INVALID_HANDLE_VALUE) {
    DWORD count = 0;
    ::WriteConsoleInputW(input, keys, keyCount, &count);
    ::CloseHandle(input);
  }
  if (attached) ::FreeConsole();
  return written;
}

#include "SharedProcs.h"

#include <shlobj.h>

#include <cwchar>

#include "ErrorLog.h"

const wchar_t kProductFolder[] = L"Vantry";

CString GetMyDocumentsPathName() {
  DEF_TRY
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER,
                      L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      nullptr, 0, KEY_READ, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return CString();
  // One more character than is read keeps the text terminated whatever was stored.
  WCHAR path[MAX_PATH + 1] = {};
  DWORD size = MAX_PATH * sizeof(WCHAR), type = 0;
  const LONG result =
      RegQueryValueExW(key, L"Personal", nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return CString();
  CString folder(path);
  folder.TrimRight(_T('\\'));
  return folder;
  DEF_CATCH("GetMyDocumentsPathName")
  return CString();
}

CString GetFilesPathName() {
  DEF_TRY
  // Without a documents folder "\Vantry" would name a folder at the root of the current drive.
  const CString documents = GetMyDocumentsPathName();
  if (documents.IsEmpty()) return CString();
  return documents + _T("\\") + kProductFolder;
  DEF_CATCH("GetFilesPathName")
  return CString();
}

CString GetInitialFormsPathName() {
  DEF_TRY
  const CString files = GetFilesPathName();
  if (files.IsEmpty()) return CString();
  const CString forms = files + _T("\\Forms");
  if (GetFileAttributesW(files) == INVALID_FILE_ATTRIBUTES) CreateDirectoryW(files, nullptr);
  if (GetFileAttributesW(forms) == INVALID_FILE_ATTRIBUTES) CreateDirectoryW(forms, nullptr);
  return forms;
  DEF_CATCH("GetInitialFormsPathName")
  return CString();
}

namespace {
// The last "\", or the last ":" of a path without "\" (C:file.txt).
int LastSeparator(const CString& path) {
  const int slash = path.ReverseFind(_T('\\'));
  return slash >= 0 ? slash : path.ReverseFind(_T(':'));
}
}  // namespace

CString ExtractFileName(const CString& path) {
  DEF_TRY
  const int separator = LastSeparator(path);
  return separator < 0 ? path : path.Mid(separator + 1);
  DEF_CATCH("ExtractFileName")
  return CString();
}

CString ExtractFilePath(const CString& path) {
  DEF_TRY
  const int separator = LastSeparator(path);
  return separator < 0 ? CString() : path.Left(separator + 1);
  DEF_CATCH("ExtractFilePath")
  return CString();
}

BOOL StrToDouble(const CString& text, double& out) {
  DEF_TRY
  // A lone sign is what a user has typed so far into a number box: it counts as 0.
  const CString number = (text == _T("+") || text == _T("-")) ? CString(_T("0")) : text;
  LPCTSTR start = number;
  LPTSTR end = nullptr;
  out = wcstod(start, &end);
  return end != nullptr && *end == 0;
  DEF_CATCH("StrToDouble")
  return FALSE;
}

double StrToDouble(const CString& text) {
  double value = 0.0;
  StrToDouble(text, value);
  return value;
}

namespace {
int CALLBACK ChooseFolderCallback(HWND window, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data != 0) SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}
}  // namespace

BOOL ChooseFolder(HWND owner, LPCTSTR title, LPCTSTR initialFolder, LPTSTR outPath) {
  DEF_TRY
  if (outPath == nullptr) return FALSE;
  outPath[0] = 0;
  const HRESULT com = CoInitialize(nullptr);
  BROWSEINFOW info = {};
  info.hwndOwner = owner;
  info.lpszTitle = title;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = ChooseFolderCallback;
  info.lParam = reinterpret_cast<LPARAM>(initialFolder);
  BOOL chosen = FALSE;
  if (LPITEMIDLIST item = SHBrowseForFolderW(&info)) {
    chosen = SHGetPathFromIDListW(item, outPath);
    CoTaskMemFree(item);
  }
  if (!chosen) outPath[0] = 0;
  if (SUCCEEDED(com)) CoUninitialize();
  return chosen;
  DEF_CATCH("ChooseFolder")
  if (outPath != nullptr) outPath[0] = 0;
  return FALSE;
}

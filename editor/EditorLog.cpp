#include "EditorLog.h"

#include "ErrorLogFile.h"
#include "SharedProcs.h"

CString GetEditorLogPathName() {
  const CString documents = GetMyDocumentsPathName();
  if (documents.IsEmpty()) return CString();
  return documents + L"\\Scrivel\\error.log";
}

void AppendEditorLog(LPCTSTR text) {
  const CString path = GetEditorLogPathName();
  if (path.IsEmpty()) return;
  SYSTEMTIME now;
  ::GetSystemTime(&now);
  const CString entry = FormatErrorLogEntry(now, text);
  HANDLE file = ::CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  ::SetFilePointer(file, 0, nullptr, FILE_END);
  DWORD written = 0;
  ::WriteFile(file, static_cast<LPCTSTR>(entry), static_cast<DWORD>(entry.GetLength() * sizeof(WCHAR)), &written,
              nullptr);
  ::CloseHandle(file);
}

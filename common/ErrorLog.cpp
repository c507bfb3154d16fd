#include "ErrorLog.h"

#include "SharedProcs.h"

namespace {

// Entries come from the user-interface thread and from the bitmap and database workers. Each append
// opens the file without sharing it for writing, so two threads appending at once would make one of
// the opens fail and lose its entry: appends take this lock (the start-up mark as well).
class LogLock {
 public:
  LogLock() { InitializeCriticalSection(&section_); }
  ~LogLock() { DeleteCriticalSection(&section_); }
  CRITICAL_SECTION section_;
};

CRITICAL_SECTION& LogSection() {
  static LogLock lock;
  return lock.section_;
}

class Locked {
 public:
  Locked() { EnterCriticalSection(&LogSection()); }
  ~Locked() { LeaveCriticalSection(&LogSection()); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
};

// Opens the log for writing at its end (created when missing, content kept); INVALID_HANDLE_VALUE
// when the folder is missing or the file cannot be opened. Another program of the suite may hold the
// file for a moment: a few short retries on a sharing violation.
HANDLE OpenLogAtEnd() {
  const CString path = GetErrorLogPathName();
  if (path.IsEmpty()) return INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 20; ++attempt) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      SetFilePointer(file, 0, nullptr, FILE_END);
      return file;
    }
    if (GetLastError() != ERROR_SHARING_VIOLATION) break;
    Sleep(5);
  }
  return INVALID_HANDLE_VALUE;
}

void WriteToLog(const void* bytes, DWORD size) {
  Locked lock;
  HANDLE file = OpenLogAtEnd();
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes, size, &written, nullptr);
  CloseHandle(file);
}

CString FromAnsi(const char* text) {
  CString result;
  if (text == nullptr) return result;
  const int length = MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, nullptr, 0);
  if (length <= 1) return result;
  LPWSTR buffer = result.GetBuffer(length);
  MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, buffer, length);
  result.ReleaseBuffer();
  return result;
}

// The unit's own name without the build machine's folders.
const char* BaseName(const char* path) {
  const char* name = path;
  for (const char* p = path; p != nullptr && *p != '\0'; ++p)
    if (*p == '\\' || *p == '/') name = p + 1;
  return name;
}

}  // namespace

CString GetErrorLogPathName() {
  const CString folder = GetFilesPathName();
  if (folder.IsEmpty()) return CString();
  return folder + _T("\\error.log");
}

void InitErrorLog() {
  static const BYTE kByteOrderMark[2] = {0xFF, 0xFE};
  WriteToLog(kByteOrderMark, sizeof(kByteOrderMark));
}

CString FormatErrorLogEntry(const SYSTEMTIME& t, LPCTSTR text) {
  CString entry;
  entry.Format(_T("%u.%u.%u  %u:%u:%u.%u\r\n%s\r\n\r\n"), t.wDay, t.wMonth, t.wYear, t.wHour,
               t.wMinute, t.wSecond, t.wMilliseconds, text != nullptr ? text : _T(""));
  return entry;
}

void AppendErrorLogAt(const SYSTEMTIME& utcTime, LPCTSTR text) {
  // Formatting may fail for want of memory; the log must never throw at its caller.
  try {
    const CString entry = FormatErrorLogEntry(utcTime, text);
    WriteToLog(static_cast<LPCTSTR>(entry), static_cast<DWORD>(entry.GetLength() * sizeof(WCHAR)));
  } catch (...) {
    HandleCaughtException(__FILE__, __LINE__, nullptr);
  }
}

void AppendErrorLog(LPCTSTR text) {
  SYSTEMTIME now;
  GetSystemTime(&now);
  AppendErrorLogAt(now, text);
}

void ReportCaughtException(LPCTSTR sourceFile, int line, LPCTSTR functionName) {
  try {
    CString text;
    text.Format(_T("Exception (DEF_TRY - DEF_CATCH)\r\nFile %s\r\nLine %d\r\nFunction %s"),
                sourceFile != nullptr ? sourceFile : _T(""), line,
                functionName != nullptr ? functionName : _T(""));
    AppendErrorLog(text);
  } catch (...) {
    HandleCaughtException(__FILE__, __LINE__, nullptr);
  }
}

void ReportPassedException(const char* sourceFile, int line, const char* functionName) noexcept {
  // A null name marks a failure inside the log itself: nothing more can be written then.
  if (functionName == nullptr) return;
  try {
    ReportCaughtException(FromAnsi(BaseName(sourceFile)), line, FromAnsi(functionName));
  } catch (...) {
  }
}

void HandleCaughtException(const char* sourceFile, int line, const char* functionName) noexcept {
  try {
    throw;
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  ReportPassedException(sourceFile, line, functionName);
}

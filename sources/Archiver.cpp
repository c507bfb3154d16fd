#include "Archiver.h"

#include "ErrorLog.h"
#include "MyProcs.h"
#include "SharedProcs.h"
#include "resource.h"

namespace {

CString ProgramFolder() {
  WCHAR path[MAX_PATH * 4] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, _countof(path));
  if (length == 0 || length >= _countof(path)) return CString();
  return ExtractFilePath(CString(path));
}

// Drains the pipe while the archiver writes, so a long listing cannot fill it and stall both sides.
void ReadAll(HANDLE pipe, std::string& bytes) {
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(pipe, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
}

CString FromUtf8(const std::string& bytes) {
  if (bytes.empty()) return CString();
  const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], length);
  return CString(text.c_str());
}

// "2026-12-11 08:30:12" (local time, maybe with a fraction) as UTC.
BOOL ParseListedTime(const CString& text, FILETIME& utc) {
  SYSTEMTIME local = {};
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (swscanf(text, L"%d-%d-%d %d:%d:%d", &year, &month, &day, &hour, &minute, &second) != 6) return FALSE;
  local.wYear = static_cast<WORD>(year);
  local.wMonth = static_cast<WORD>(month);
  local.wDay = static_cast<WORD>(day);
  local.wHour = static_cast<WORD>(hour);
  local.wMinute = static_cast<WORD>(minute);
  local.wSecond = static_cast<WORD>(second);
  FILETIME localTime = {};
  return SystemTimeToFileTime(&local, &localTime) && LocalFileTimeToFileTime(&localTime, &utc);
}

}  // namespace

CString ArchiverCommandPrefix(LPCTSTR verb) {
  DEF_TRY
  return ProgramFolder() + L"7zr.exe " + verb;
  DEF_CATCH("ArchiverCommandPrefix")
  return CString();
}

BOOL RunArchiver(const CString& commandLine, DWORD& exitCode, DWORD& error, CString* output) {
  DEF_TRY
  exitCode = 0;
  error = 0;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (output) {
    SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) {
      error = GetLastError();
      return FALSE;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    startup.dwFlags |= STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  }
  std::wstring line(static_cast<LPCTSTR>(commandLine));  // CreateProcessW may write into it
  PROCESS_INFORMATION process = {};
  const BOOL started = CreateProcessW(nullptr, &line[0], nullptr, nullptr, output != nullptr, 0, nullptr, nullptr,
                                      &startup, &process);
  if (!started) error = GetLastError();
  if (writeEnd) CloseHandle(writeEnd);  // the child holds its own copy; EOF comes when it ends
  if (started) {
    if (output) {
      std::string bytes;
      ReadAll(readEnd, bytes);
      *output = FromUtf8(bytes);
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  if (readEnd) CloseHandle(readEnd);
  return started;
  DEF_CATCH("RunArchiver")
  return FALSE;
}

BOOL RunArchiverOrReport(const CString& commandLine, UINT failedText) {
  DEF_TRY
  DWORD exitCode = 0;
  DWORD error = 0;
  const BOOL started = RunArchiver(commandLine, exitCode, error);
  if (started && exitCode == 0) return TRUE;
  CString text;
  text.LoadString(started ? failedText : IDS_BACKUP_FAILED);
  CString message;
  message.Format(text, static_cast<int>(started ? exitCode : error));
  AppendErrorLog(message + L" " + commandLine);
  ErrorBox(message);
  DEF_CATCH("RunArchiverOrReport")
  return FALSE;
}

BOOL ListArchive(const CString& archive, std::vector<ArchiveEntry>& entries, DWORD& exitCode, DWORD& error) {
  DEF_TRY
  entries.clear();
  CString listing;
  const CString command = ArchiverCommandPrefix(L"l -slt -sccUTF-8") + L" \"" + archive + L"\"";
  if (!RunArchiver(command, exitCode, error, &listing) || exitCode != 0) return FALSE;
  // The archive's own block comes first; the entries follow the dashed line, one block each.
  BOOL inEntries = FALSE;
  int start = 0;
  while (start <= listing.GetLength()) {
    int end = listing.Find(L'\n', start);
    if (end < 0) end = listing.GetLength();
    CString row = listing.Mid(start, end - start);
    row.TrimRight(L"\r");
    start = end + 1;
    if (!inEntries) {
      inEntries = row.Left(10) == L"----------";
      continue;
    }
    if (row.Left(7) == L"Path = ") {
      entries.push_back(ArchiveEntry());
      entries.back().path = row.Mid(7);
    } else if (!entries.empty() && row.Left(9) == L"Folder = ") {
      entries.back().folder = row.Mid(9) == L"+";
    } else if (!entries.empty() && row.Left(11) == L"Modified = ") {
      entries.back().hasTime = ParseListedTime(row.Mid(11), entries.back().modified);
    }
  }
  return inEntries;
  DEF_CATCH("ListArchive")
  return FALSE;
}

BOOL EscapesExtractionFolder(const CString& entryPath) {
  DEF_TRY
  if (entryPath.IsEmpty()) return FALSE;
  if (entryPath[0] == L'\\' || entryPath[0] == L'/' || entryPath.Find(L':') >= 0) return TRUE;
  CString path = entryPath;
  path.Replace(L'/', L'\\');
  int start = 0;
  while (start <= path.GetLength()) {
    int end = path.Find(L'\\', start);
    if (end < 0) end = path.GetLength();
    if (path.Mid(start, end - start) == L"..") return TRUE;
    start = end + 1;
  }
  return FALSE;
  DEF_CATCH("EscapesExtractionFolder")
  return TRUE;
}

CString NextFreeName(LPCTSTR format, const CString& base, int& next) {
  DEF_TRY
  for (;;) {
    CString candidate;
    candidate.Format(format, static_cast<LPCTSTR>(base), next++);
    if (GetFileAttributesW(candidate) == INVALID_FILE_ATTRIBUTES) return candidate;
  }
  DEF_CATCH("NextFreeName")
  return CString();
}

CCurrentFolderSwitch::CCurrentFolderSwitch(const CString& folder) {
  DEF_TRY
  const DWORD length = GetCurrentDirectoryW(_countof(m_previous), m_previous);
  CString line;
  if (length == 0) {
    line.Format(L"GetCurrentDirectory failed (%d)", static_cast<int>(GetLastError()));
    AppendErrorLog(line);
    return;
  }
  if (length > _countof(m_previous)) {
    line.Format(L"GetCurrentDirectory failed (buffer too small; need %d chars)", static_cast<int>(length));
    AppendErrorLog(line);
    return;
  }
  if (!SetCurrentDirectoryW(folder)) {
    line.Format(L"SetCurrentDirectory failed (%d)", static_cast<int>(GetLastError()));
    AppendErrorLog(line);
    return;
  }
  m_entered = TRUE;
  DEF_CATCH("CCurrentFolderSwitch::CCurrentFolderSwitch")
}

CCurrentFolderSwitch::~CCurrentFolderSwitch() {
  if (m_entered) Leave();
}

BOOL CCurrentFolderSwitch::Leave() {
  DEF_TRY
  if (!m_entered) return FALSE;
  m_entered = FALSE;
  if (SetCurrentDirectoryW(m_previous)) return TRUE;
  CString line;
  line.Format(L"SetCurrentDirectory failed (%d)", static_cast<int>(GetLastError()));
  AppendErrorLog(line);
  DEF_CATCH("CCurrentFolderSwitch::Leave")
  return FALSE;
}

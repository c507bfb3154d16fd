// The 7-Zip console archiver that backup and restore run: 7zr.exe in the program's own folder,
// started hidden in the current folder and waited for without a time limit.
#pragma once
#include <vector>

#include "Framework.h"

// "<program folder>\7zr.exe <verb>", the start of every archiver command line.
CString ArchiverCommandPrefix(LPCTSTR verb);

// Runs one command line. FALSE when the process could not be started (`error` then holds the system
// error); otherwise TRUE with the archiver's exit code. With `output` its standard output is kept.
BOOL RunArchiver(const CString& commandLine, DWORD& exitCode, DWORD& error, CString* output = nullptr);

// RunArchiver for backup and restore: a process that does not start is reported as IDS_BACKUP_FAILED
// with the system error, an exit code other than 0 through `failedText` (one %d); both are logged
// with the command and shown. TRUE when the archiver ran and succeeded.
BOOL RunArchiverOrReport(const CString& commandLine, UINT failedText);

struct ArchiveEntry {
  CString path;        // relative, as stored
  BOOL folder = FALSE;
  BOOL hasTime = FALSE;
  FILETIME modified = {};  // UTC
};

// The entries of an archive as the archiver lists them. FALSE when it could not be listed; `exitCode`
// and `error` as for RunArchiver.
BOOL ListArchive(const CString& archive, std::vector<ArchiveEntry>& entries, DWORD& exitCode, DWORD& error);

// An entry path that would land outside the folder it is extracted into: absolute, with a drive or a
// stream, or climbing with "..".
BOOL EscapesExtractionFolder(const CString& entryPath);

// The first name `format` (one %s for `base`, one %d) makes from `next` on that names no file or
// folder; `next` is left past it.
CString NextFreeName(LPCTSTR format, const CString& base, int& next);

// The archiver works relative to the user's documents folder: this makes a folder the current one
// and the previous one current again, logging what fails. Entered() is FALSE when the switch failed.
class CCurrentFolderSwitch {
 public:
  explicit CCurrentFolderSwitch(const CString& folder);
  ~CCurrentFolderSwitch();
  BOOL Entered() const { return m_entered; }
  // Makes the previous folder current again; FALSE (logged) when that failed.
  BOOL Leave();

 private:
  CCurrentFolderSwitch(const CCurrentFolderSwitch&) = delete;
  CCurrentFolderSwitch& operator=(const CCurrentFolderSwitch&) = delete;
  WCHAR m_previous[512] = {};
  BOOL m_entered = FALSE;
};

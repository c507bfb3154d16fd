// The suite's log of unexpected failures, "error.log" in the product's documents folder. Orvello and
// Quillet (whichever program hosts it) write the same file in the same format, each module through
// its own copy of this library.
#pragma once
#include "Framework.h"

// GetFilesPathName() + "\error.log".
CString GetErrorLogPathName();

// Opens (creating when missing, keeping the content) the log and writes the byte-order mark FF FE at
// its end. Called once at start-up after the old log was deleted.
void InitErrorLog();

// Appends one entry "d.m.yyyy  h:m:s.ms\r\n<text>\r\n\r\n" stamped with the current UTC time. Each call
// opens and closes the file, so an entry survives a crash that follows. Silent when the log cannot be
// opened.
void AppendErrorLog(LPCTSTR text);

// AppendErrorLog with a given time stamp (the one place that writes entries).
void AppendErrorLogAt(const SYSTEMTIME& utcTime, LPCTSTR text);

// The text of one entry (time stamp line, text, blank line) as it is written.
CString FormatErrorLogEntry(const SYSTEMTIME& utcTime, LPCTSTR text);

// Writes the entry "Exception (DEF_TRY - DEF_CATCH)\r\nFile ...\r\nLine ...\r\nFunction ...".
void ReportCaughtException(LPCTSTR sourceFile, int line, LPCTSTR functionName);

// The handler body of the program's DEF_CATCH: frees a framework exception object when one is in
// flight, converts the 8-bit source and function names with the thread's ANSI code page and reports.
// Call only from a catch.
void HandleCaughtException(const char* sourceFile, int line, const char* functionName) noexcept;

// Reports like HandleCaughtException but leaves the exception object alone (it is thrown on).
void ReportPassedException(const char* sourceFile, int line, const char* functionName) noexcept;

// The program's log of unexpected failures, "error.log" in the product's documents folder, and the
// catch-all convention every operation runs inside: a failure is written to the log and the
// operation returns its failure value, nothing reaches the user or the caller.
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

// The handler body of DEF_CATCH: frees a framework exception object when one is in flight, converts the
// 8-bit source and function names with the thread's ANSI code page and reports. Call only from a catch.
void HandleCaughtException(const char* sourceFile, int line, const char* functionName) noexcept;

// DEF_TRY { body } DEF_CATCH("Class::Method") then return the failure value. The function name is
// given explicitly because the compiler's own name carries no class.
#define DEF_TRY try {
#define DEF_CATCH(functionName)                                 \
  }                                                             \
  catch (...) {                                                 \
    ::HandleCaughtException(__FILE__, __LINE__, functionName);  \
  }

// As DEF_CATCH, but an archive or file exception is reported and then passed on: a reader that met a
// bad count or the end of its stream must end the whole load, not let the next reader go on at a
// wrong position. Used by the readers and writers of archive formats.
#define DEF_CATCH_PASS_ARCHIVE(functionName)                    \
  }                                                             \
  catch (CArchiveException*) {                                  \
    ::ReportPassedException(__FILE__, __LINE__, functionName);  \
    throw;                                                      \
  }                                                             \
  catch (CFileException*) {                                     \
    ::ReportPassedException(__FILE__, __LINE__, functionName);  \
    throw;                                                      \
  }                                                             \
  catch (...) {                                                 \
    ::HandleCaughtException(__FILE__, __LINE__, functionName);  \
  }

// Reports like HandleCaughtException but leaves the exception object alone (it is thrown on).
void ReportPassedException(const char* sourceFile, int line, const char* functionName) noexcept;

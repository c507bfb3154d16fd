// The catch-all convention of the program code: every operation runs inside it, a failure is written
// to the error log (ErrorLogFile.h) and the operation returns its failure value; nothing reaches the
// user or the caller.
#pragma once
#include "ErrorLogFile.h"

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

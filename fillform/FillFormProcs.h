// Quillet's own parts of the common services: its catch-all convention and wide-text formatting. The
// error log, the documents folders, file-name pieces and number reading are the ones Orvello uses
// (ErrorLogFile.h, SharedProcs.h), linked into Quillet as a copy of its own.
#pragma once
#include "ErrorLogFile.h"
#include "SharedProcs.h"

#include <string>

namespace quillet {

// The catch-all report from the compiler's view of the place: the source file as compiled, the line
// and the full signature, reduced to the qualified method name ("CFillForm::GetData").
void ReportCaughtException(const char* file, int line, const char* function);

// `printf`-style formatting into a wide string.
std::wstring FormatText(const wchar_t* format, ...);

}  // namespace quillet

// Every method guards its whole body: an unexpected exception is logged with where it happened and
// the method returns its failure value (nothing for a void method: DEF_CATCH()).
#define DEF_TRY try {
#define DEF_CATCH(...)                                                        \
  }                                                                           \
  catch (...) {                                                               \
    ::quillet::ReportCaughtException(__FILE__, __LINE__, __PRETTY_FUNCTION__); \
    return __VA_ARGS__;                                                       \
  }

// The few shared helpers Quillet needs of the common services: the error log, the documents folders and
// the number reading of field values. Quillet is a library of its own and does not link Orvello's
// code, so it keeps these here; they behave as Orvello's helpers of the same names.
#pragma once
#include <windows.h>

#include <string>

namespace quillet {

// The user's documents folder from the shell-folders value "Personal", without a trailing
// backslash; empty when the key or the value cannot be read.
std::wstring GetMyDocumentsPathName();

// The documents folder followed by "\Vantry"; not created. Quillet logs here whichever program
// hosts it.
std::wstring GetFilesPathName();

// The documents folder followed by "\Vantry\Forms", creating "\Vantry" and "\Forms" when missing.
std::wstring GetInitialFormsPathName();

// "error.log" in GetFilesPathName's folder.
std::wstring GetErrorLogPathName();

// Appends one dated UTF-16 entry to the error log; does nothing when the file cannot be opened.
void AppendErrorLog(const std::wstring& text);

// The catch-all report: the source file, the line and the function (class and method).
void ReportCaughtException(const char* file, int line, const char* function);

// The leading decimal number of `text` ("." as decimal point), 0 when there is none; a text that is
// exactly "+" or "-" counts as "0". Returns true only when the whole text was consumed.
bool StrToDouble(const std::wstring& text, double& value);

// The text up to and including the last "\" (else the last ":"); empty when neither occurs.
std::wstring ExtractFilePath(const std::wstring& path);
// The text after the last "\" (else after the last ":"); the whole text when neither occurs.
std::wstring ExtractFileName(const std::wstring& path);

// The shell's folder picker titled `title`, file-system folders only, `initial` preselected. True
// with the folder in `chosen`; false (and `chosen` empty) when the user cancels.
bool ChooseFolder(HWND owner, const std::wstring& title, const std::wstring& initial,
                  std::wstring& chosen);

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

#include "vpd_log.h"

#include <windows.h>

#include <cstdio>

namespace vpd_internal {

const wchar_t* const failureLogPath = L"c:/tmp/log";

namespace {
// English names whatever the user's locale, so that entries read the same on every machine.
const char* const weekdayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const monthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
}  // namespace

void writeFailureLog(const char* sourceFile, unsigned line, const char* message) {
  const DWORD error = GetLastError();
  FILE* file = _wfopen(failureLogPath, L"a");
  SYSTEMTIME now;
  GetLocalTime(&now);
  if (file) {
    std::fprintf(file, "\nERROR: file: %s; line: %u; ", sourceFile ? sourceFile : "", line);
    std::fprintf(file, "time: %s %s %02u %02u:%02u:%02u %u;\n", weekdayNames[now.wDayOfWeek % 7],
                 monthNames[(now.wMonth + 11) % 12], now.wDay, now.wHour, now.wMinute, now.wSecond,
                 now.wYear);
    std::fprintf(file, "message: %s\nerrcode: %i\n\n", message ? message : "", static_cast<int>(error));
    std::fclose(file);
  }
  SetLastError(error);
}

}  // namespace vpd_internal

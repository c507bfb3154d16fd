// The plug-in's failure log: a plain text file that every failure appends an entry to. The print
// system hosts the plug-in in its own process, so this file is the only trace a failure leaves.
#pragma once

namespace vpd_internal {

// Fixed location shared with the virtual printer's converter; a missing folder disables the log.
extern const wchar_t* const failureLogPath;

// Appends one entry (source unit, line, local time, message, the thread's last error). The last
// error is the same afterwards; a log that cannot be opened is skipped silently.
void writeFailureLog(const char* sourceFile, unsigned line, const char* message);

}  // namespace vpd_internal

#define VPD_LOG_FAILURE(message) ::vpd_internal::writeFailureLog(__FILE__, __LINE__, message)

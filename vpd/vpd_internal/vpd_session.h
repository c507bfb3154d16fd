// Who the settings belong to: the user of a terminal-services session (or of this process) and that
// user's environment.
#pragma once
#include <windows.h>

#include <string>

namespace vpd_internal {

// Session id meaning "the user of the plug-in's own process".
constexpr DWORD ownSession = 0xFFFFFFFFu;

// String form of the session user's security identifier; false with the failing step's Win32
// error as the last error (each failure also goes to the failure log).
bool getSecurityId(DWORD sessionId, std::wstring& sid);

// The text with environment variables expanded in the session user's environment (ownSession:
// this process's); an empty string on any failure, including a result longer than 2047 characters.
std::wstring expandForSession(const std::wstring& text, DWORD sessionId);

}  // namespace vpd_internal

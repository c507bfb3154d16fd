#include "vpd_session.h"

#include <sddl.h>
#include <userenv.h>
#include <wtsapi32.h>

#include <new>
#include <vector>

#include "vpd_log.h"

namespace vpd_internal {

namespace {

constexpr DWORD expandBufferChars = 2048;

// Closes a token handle on every path out of the caller.
class TokenHandle {
 public:
  TokenHandle() = default;
  ~TokenHandle() {
    if (handle_) CloseHandle(handle_);
  }
  TokenHandle(const TokenHandle&) = delete;
  TokenHandle& operator=(const TokenHandle&) = delete;
  HANDLE* out() { return &handle_; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

// Logs, then leaves the failing step's code as the last error (the log must not disturb it).
bool failStep(const char* message, DWORD error) {
  SetLastError(error);
  VPD_LOG_FAILURE(message);
  SetLastError(error);
  return false;
}

}  // namespace

bool getSecurityId(DWORD sessionId, std::wstring& sid) {
  try {
    TokenHandle token;
    if (sessionId == ownSession) {
      if (!OpenProcessToken(GetCurrentProcess(), TOKEN_DUPLICATE, token.out()))
        return failStep("vpd_internal::getSecurityId(): failed to OpenProcessToken().", GetLastError());
    } else if (!WTSQueryUserToken(sessionId, token.out())) {
      return failStep("vpd_internal::getSecurityId(): failed to WTSQueryUserToken().", GetLastError());
    }

    TokenHandle primary;
    if (!DuplicateTokenEx(token.get(), TOKEN_QUERY | TOKEN_QUERY_SOURCE, nullptr,
                          SecurityImpersonation, TokenPrimary, primary.out()))
      return failStep("vpd_internal::getSecurityId(): failed to DuplicateTokenEx().", GetLastError());

    DWORD size = 0;
    if (!GetTokenInformation(primary.get(), TokenUser, nullptr, 0, &size) &&
        GetLastError() != ERROR_INSUFFICIENT_BUFFER)
      return failStep("vpd_internal::getSecurityId(): failed to GetTokenInformation().", GetLastError());

    std::vector<BYTE> buffer;
    try {
      buffer.resize(size);
    } catch (const std::bad_alloc&) {
      return failStep("vpd_internal::getSecurityId(): failed to std::vector::resize().",
                      ERROR_NOT_ENOUGH_MEMORY);
    }
    if (buffer.empty() || !GetTokenInformation(primary.get(), TokenUser, buffer.data(), size, &size))
      return failStep("vpd_internal::getSecurityId(): failed to GetTokenInformation().",
                      buffer.empty() ? ERROR_INVALID_DATA : GetLastError());

    const TOKEN_USER* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
    wchar_t* text = nullptr;
    if (!ConvertSidToStringSidW(user->User.Sid, &text))
      return failStep("vpd_internal::getSecurityId(): failed to ConvertSidToStringSid().", GetLastError());
    bool assigned = true;
    try {
      sid.assign(text);
    } catch (const std::bad_alloc&) {
      assigned = false;
    }
    LocalFree(text);
    if (!assigned)
      return failStep("vpd_internal::getSecurityId(): failed to std::wstring::assign().",
                      ERROR_NOT_ENOUGH_MEMORY);
    return true;
  } catch (...) {
    return failStep("vpd_internal::getSecurityId(): failed to std::wstring::assign().",
                    ERROR_NOT_ENOUGH_MEMORY);
  }
}

std::wstring expandForSession(const std::wstring& text, DWORD sessionId) {
  try {
    std::vector<wchar_t> buffer(expandBufferChars, L'\0');
    if (sessionId == ownSession) {
      const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), buffer.data(), expandBufferChars);
      // A result that does not fit leaves the buffer undefined: treat it as a failure.
      if (needed == 0 || needed > expandBufferChars) return std::wstring();
      return std::wstring(buffer.data());
    }
    TokenHandle token;
    if (!WTSQueryUserToken(sessionId, token.out())) return std::wstring();
    TokenHandle primary;
    if (!DuplicateTokenEx(token.get(), MAXIMUM_ALLOWED, nullptr, SecurityIdentification,
                          TokenPrimary, primary.out()))
      return std::wstring();
    if (!ExpandEnvironmentStringsForUserW(primary.get(), text.c_str(), buffer.data(), expandBufferChars))
      return std::wstring();
    buffer.back() = L'\0';
    return std::wstring(buffer.data());
  } catch (...) {
    return std::wstring();
  }
}

}  // namespace vpd_internal

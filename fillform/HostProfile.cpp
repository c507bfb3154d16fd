#include "HostProfile.h"

namespace quillet {

namespace {
// Quillet runs inside its host's application state: the host's application object names the key.
const wchar_t kSection[] = L"Settings";
}  // namespace

CString GetHostProfileString(LPCWSTR entry, LPCWSTR defaultValue) {
  CWinApp* app = AfxGetApp();
  return app ? app->GetProfileString(kSection, entry, defaultValue) : CString(defaultValue);
}

int GetHostProfileInt(LPCWSTR entry, int defaultValue) {
  CWinApp* app = AfxGetApp();
  return app ? static_cast<int>(app->GetProfileInt(kSection, entry, defaultValue)) : defaultValue;
}

BOOL WriteHostProfileString(LPCWSTR entry, LPCWSTR value) {
  CWinApp* app = AfxGetApp();
  return app && app->WriteProfileString(kSection, entry, value);
}

BOOL WriteHostProfileInt(LPCWSTR entry, int value) {
  CWinApp* app = AfxGetApp();
  return app && app->WriteProfileInt(kSection, entry, value);
}

}  // namespace quillet

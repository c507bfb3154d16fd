#include "fw/WinApp.h"

#include <stdlib.h>
#include <string.h>

#include <vector>

#include "fw/ModuleState.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CWinApp* g_app = nullptr;

void Replace(LPCTSTR& member, LPCWSTR value) {
  free(const_cast<LPTSTR>(member));
  member = value ? _wcsdup(value) : nullptr;
}

// Closes a registry key when it leaves scope.
class KeyHolder {
 public:
  explicit KeyHolder(HKEY key) : key_(key) {}
  ~KeyHolder() {
    if (key_) RegCloseKey(key_);
  }
  KeyHolder(const KeyHolder&) = delete;
  KeyHolder& operator=(const KeyHolder&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_;
};

// Reads a value of the expected type into `data`; FALSE when it is missing or of another type.
BOOL QueryValue(HKEY key, LPCTSTR entry, DWORD expectedType, std::vector<BYTE>& data) {
  DWORD type = 0, size = 0;
  if (!key || RegQueryValueExW(key, entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return FALSE;
  if (type != expectedType) return FALSE;
  data.resize(size);
  if (RegQueryValueExW(key, entry, nullptr, &type, size ? &data[0] : nullptr, &size) != ERROR_SUCCESS) return FALSE;
  data.resize(size);
  return TRUE;
}

BOOL SetValue(HKEY key, LPCTSTR entry, DWORD type, const void* data, DWORD bytes) {
  return key && RegSetValueExW(key, entry, 0, type, static_cast<const BYTE*>(data), bytes) == ERROR_SUCCESS;
}

}  // namespace

CWinApp::CWinApp(LPCTSTR appName)
    : m_pszAppName(nullptr), m_pszRegistryKey(nullptr), m_pszProfileName(nullptr), m_pszExeName(nullptr),
      m_pszHelpFilePath(nullptr), m_hInstance(GetModuleHandleW(nullptr)), m_lpCmdLine(nullptr),
      m_nCmdShow(SW_SHOWNORMAL) {
  ASSERT(g_app == nullptr);
  g_app = this;
  m_bAutoDelete = FALSE;
  m_nThreadID = GetCurrentThreadId();
  if (appName) Replace(m_pszAppName, appName);
  SetCurrentHandles();
}

CWinApp::~CWinApp() {
  ReleaseWindowState();
  if (g_app == this) g_app = nullptr;
  for (LPCTSTR* name : {&m_pszAppName, &m_pszRegistryKey, &m_pszProfileName, &m_pszExeName, &m_pszHelpFilePath}) {
    Replace(*name, nullptr);
  }
}

void CWinApp::SetCurrentHandles() {
  WCHAR path[MAX_PATH * 2] = {};
  GetModuleFileNameW(m_hInstance, path, _countof(path));
  CString exe(path);
  exe = exe.Mid(exe.ReverseFind(L'\\') + 1);
  if (exe.ReverseFind(L'.') > 0) exe = exe.Left(exe.ReverseFind(L'.'));
  if (!m_pszExeName) Replace(m_pszExeName, exe);
  if (!m_pszAppName) {
    CString title;
    Replace(m_pszAppName, title.LoadString(m_hInstance, AFX_IDS_APP_TITLE) ? title.GetString() : m_pszExeName);
  }
  if (!m_pszProfileName) Replace(m_pszProfileName, CString(m_pszExeName) + L".INI");
}

void CWinApp::SetRegistryKey(LPCTSTR key) {
  Replace(m_pszRegistryKey, key);
  Replace(m_pszProfileName, m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT keyStringId) {
  CString key;
  key.LoadString(m_hInstance, keyStringId);
  SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey() {
  if (!m_pszRegistryKey || !m_pszProfileName) return nullptr;
  const CString path = CString(L"Software\\") + m_pszRegistryKey + L"\\" + m_pszProfileName;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  return key;
}

HKEY CWinApp::GetSectionKey(LPCTSTR section) {
  KeyHolder app(GetAppRegistryKey());
  HKEY key = nullptr;
  if (!app.get() || !section ||
      RegCreateKeyExW(app.get(), section, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  return key;
}

UINT CWinApp::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) {
  KeyHolder key(GetSectionKey(section));
  std::vector<BYTE> data;
  if (!QueryValue(key.get(), entry, REG_DWORD, data) || data.size() != sizeof(DWORD)) {
    return static_cast<UINT>(defaultValue);
  }
  DWORD value = 0;
  memcpy(&value, data.data(), sizeof(value));
  return value;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value) {
  KeyHolder key(GetSectionKey(section));
  const DWORD data = static_cast<DWORD>(value);
  return SetValue(key.get(), entry, REG_DWORD, &data, sizeof(data));
}

CString CWinApp::GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue) {
  KeyHolder key(GetSectionKey(section));
  std::vector<BYTE> data;
  if (!QueryValue(key.get(), entry, REG_SZ, data)) return CString(defaultValue);
  // The stored text may or may not carry its terminator.
  CString text(reinterpret_cast<const wchar_t*>(data.data()), static_cast<int>(data.size() / sizeof(wchar_t)));
  const int nul = text.Find(L'\0');
  return nul >= 0 ? text.Left(nul) : text;
}

BOOL CWinApp::WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value) {
  if (!entry) {
    KeyHolder app(GetAppRegistryKey());
    return app.get() && section && RegDeleteTreeW(app.get(), section) == ERROR_SUCCESS;
  }
  KeyHolder key(GetSectionKey(section));
  if (!key.get()) return FALSE;
  if (!value) {
    const LONG result = RegDeleteValueW(key.get(), entry);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
  }
  return SetValue(key.get(), entry, REG_SZ, value, static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
}

BOOL CWinApp::GetProfileBinary(LPCTSTR section, LPCTSTR entry, LPBYTE* data, UINT* bytes) {
  if (!data || !bytes) return FALSE;
  *data = nullptr;
  *bytes = 0;
  KeyHolder key(GetSectionKey(section));
  std::vector<BYTE> value;
  if (!QueryValue(key.get(), entry, REG_BINARY, value)) return FALSE;
  *data = new BYTE[value.size() ? value.size() : 1];
  memcpy(*data, value.data(), value.size());
  *bytes = static_cast<UINT>(value.size());
  return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR section, LPCTSTR entry, LPBYTE data, UINT bytes) {
  KeyHolder key(GetSectionKey(section));
  return SetValue(key.get(), entry, REG_BINARY, data, bytes);
}

BOOL CWinApp::InitApplication() {
  return TRUE;
}

BOOL CWinApp::InitInstance() {
  return TRUE;
}

int CWinApp::ExitInstance() {
  return 0;
}

CWinApp* AFXAPI AfxGetApp() {
  return g_app;
}

LPCTSTR AFXAPI AfxGetAppName() {
  return g_app ? g_app->m_pszAppName : nullptr;
}

BOOL AFXAPI AfxWinInit(HINSTANCE instance, HINSTANCE, LPTSTR commandLine, int showCommand) {
  AfxSetInstanceHandle(instance);
  CWinApp* app = AfxGetApp();
  if (!app) return TRUE;
  app->m_hInstance = instance;
  app->m_lpCmdLine = commandLine;
  app->m_nCmdShow = showCommand;
  app->SetCurrentHandles();
  return TRUE;
}

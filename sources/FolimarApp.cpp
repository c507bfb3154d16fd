#include "FolimarApp.h"

#include "ErrorLog.h"
#include "FolimarDoc.h"

CFolimarApp::CFolimarApp() : CWinAppEx(TRUE), m_versionText(L"2.78.3") {
  // The profile is "Vantry" from the start: tools and tests that only set the registry key find the
  // program's values. Start-up adds the version to the name shown in captions.
  free(const_cast<LPTSTR>(m_pszAppName));
  m_pszAppName = _wcsdup(L"Vantry");
}

CFolimarApp::~CFolimarApp() = default;

namespace {

// SOFTWARE\<registry key>\<profile name>\<section>, created when missing; null without a registry key.
HKEY OpenRecordKey(HKEY hive, LPCTSTR registryKey, LPCTSTR profileName, LPCTSTR section, REGSAM access) {
  if (registryKey == nullptr || profileName == nullptr || section == nullptr) return nullptr;
  CString path;
  path.Format(L"SOFTWARE\\%s\\%s\\%s", registryKey, profileName, section);
  HKEY key = nullptr;
  if (RegCreateKeyExW(hive, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

}  // namespace

BOOL CFolimarApp::GetProfileData(LPCTSTR section, LPCTSTR valueName, void* buffer, DWORD bufferSize, HKEY hive,
                                 DWORD* bytesRead) {
  DEF_TRY
  HKEY key = OpenRecordKey(hive, m_pszRegistryKey, m_pszProfileName, section, KEY_READ);
  if (key == nullptr) return FALSE;
  // Read into a copy first: a value of another size must leave the caller's defaults whole.
  DWORD type = 0, size = 0;
  LONG result = RegQueryValueExW(key, valueName, nullptr, &type, nullptr, &size);
  BOOL read = FALSE;
  if (result == ERROR_SUCCESS && size <= bufferSize) {
    CByteArray data;
    data.SetSize(size);
    result = RegQueryValueExW(key, valueName, nullptr, &type, data.GetData(), &size);
    if (result == ERROR_SUCCESS) {
      memcpy(buffer, data.GetData(), size);
      if (bytesRead != nullptr) *bytesRead = size;
      read = TRUE;
    }
  }
  RegCloseKey(key);
  return read;
  DEF_CATCH("CFolimarApp::GetProfileData")
  return FALSE;
}

BOOL CFolimarApp::WriteProfileData(LPCTSTR section, LPCTSTR valueName, const void* data, DWORD size, HKEY hive) {
  DEF_TRY
  HKEY key = OpenRecordKey(hive, m_pszRegistryKey, m_pszProfileName, section, KEY_WRITE);
  if (key == nullptr) return FALSE;
  const LONG result = RegSetValueExW(key, valueName, 0, REG_BINARY, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
  DEF_CATCH("CFolimarApp::WriteProfileData")
  return FALSE;
}

_PRINTER_PREFERENCES& CFolimarApp::GetCurrentPrinterPreferences(_PRINTER_PREFERENCES& preferences) {
  DEF_TRY
  PRINTDLGW defaults = {};
  defaults.lStructSize = sizeof(defaults);
  const DEVMODEW* mode = nullptr;
  if (GetPrinterDeviceDefaults(&defaults) && defaults.hDevMode != nullptr)
    mode = static_cast<const DEVMODEW*>(GlobalLock(defaults.hDevMode));
  if (mode != nullptr) {
    m_printerName = mode->dmDeviceName;
    preferences.orientation = mode->dmOrientation;
    preferences.paperSize = mode->dmPaperSize;
    preferences.paperLength = mode->dmPaperLength / 254.0;
    preferences.paperWidth = mode->dmPaperWidth / 254.0;
    preferences.scale = mode->dmScale;
    preferences.copies = mode->dmCopies;
    preferences.defaultSource = mode->dmDefaultSource;
    preferences.printQuality = mode->dmPrintQuality;
    preferences.yResolution = mode->dmYResolution;
    lstrcpynW(preferences.formName, mode->dmFormName, 32);
    GlobalUnlock(defaults.hDevMode);
  } else {
    AppendErrorLog(L"CFolimarApp::GetCurrentPrinterPreferences: bRet == 0");
  }
  // A printer added while the program runs is not in the list read at start-up.
  int index = m_printers.FindPrinter(m_printerName);
  if (index >= m_printers.GetCount()) {
    m_printers.ReadLocalPrinters();
    index = m_printers.FindPrinter(m_printerName);
  }
  m_printerPort = m_printers.GetPrinterPortName(index);
  DEF_CATCH("CFolimarApp::GetCurrentPrinterPreferences")
  preferences.printerName = m_printerName;
  preferences.portName = m_printerPort;
  return preferences;
}

BYTE CFolimarApp::RestorePrinterSelection() {
  DEF_TRY
  CFrameWnd* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd);
  CFolimarDoc* doc = frame != nullptr ? dynamic_cast<CFolimarDoc*>(frame->GetActiveDocument()) : nullptr;
  if (doc == nullptr) return 0;
  _PRINTER_PREFERENCES preferences = {};
  doc->GetPrinterPreferences(preferences);
  HGLOBAL devMode = nullptr, devNames = nullptr;
  AfxGetPrinterHandles(&devMode, &devNames);
  m_printers.ReadLocalPrinters();
  const BOOL restored = m_printers.RestorePrinterSelection(devMode, devNames, preferences);
  // The switch freed the old handles when it replaced them.
  if (restored) AfxSetPrinterHandles(devMode, devNames, FALSE);
  return static_cast<BYTE>(restored);
  DEF_CATCH("CFolimarApp::RestorePrinterSelection")
  return 0;
}

CFolimarApp* GetFolimarApp() { return dynamic_cast<CFolimarApp*>(AfxGetApp()); }

int GetAppLanguageId() {
  const CFolimarApp* app = GetFolimarApp();
  return app != nullptr ? app->m_languageId : CFolimarApp::kLanguageEnglish;
}

CString GetAppVersionString() {
  DEF_TRY
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_VERSION);
  if (found == nullptr) return CString();
  const DWORD size = SizeofResource(module, found);
  HGLOBAL loaded = LoadResource(module, found);
  const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  if (data == nullptr) return CString();
  // VS_FIXEDFILEINFO begins with its signature, somewhere after the block's key "VS_VERSION_INFO".
  for (DWORD at = 0; at + sizeof(VS_FIXEDFILEINFO) <= size; at += 4) {
    const VS_FIXEDFILEINFO* info = reinterpret_cast<const VS_FIXEDFILEINFO*>(data + at);
    if (info->dwSignature != 0xFEEF04BD) continue;
    CString text;
    text.Format(L"%u.%u.%u", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                HIWORD(info->dwFileVersionLS));
    return text;
  }
  DEF_CATCH("GetAppVersionString")
  return CString();
}

CString GetCreatorText() {
  CString text;
  text.Format(L"%s %s", L"Vantry", static_cast<LPCWSTR>(GetAppVersionString()));
  return text;
}

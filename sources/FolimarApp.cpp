#include "FolimarApp.h"

#include "ErrorLog.h"

CFolimarApp::CFolimarApp() : CWinApp(L"Vantry") {}

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

// An extension library for the framework's tests: it registers itself when it attaches, as the
// fill-form library does, and answers the host through the functions of TestExtension.h.
#include "Framework.h"
#include "TestExtension.h"

namespace {

AFX_EXTENSION_MODULE g_module = {};

BOOL CopyOut(const CString& value, wchar_t* text, int chars) {
  if (!text || chars <= 0) return FALSE;
  lstrcpynW(text, value, chars);
  return TRUE;
}

}  // namespace

extern "C" __declspec(dllexport) BOOL __cdecl ReadHostProfile(wchar_t* text, int chars) {
  CWinApp* app = AfxGetApp();
  if (!app) return FALSE;
  return CopyOut(app->GetProfileString(L"Settings", L"Shared", L"<missing>"), text, chars);
}

extern "C" __declspec(dllexport) BOOL __cdecl LoadLibraryString(UINT id, wchar_t* text, int chars) {
  CString value;
  return value.LoadString(id) && CopyOut(value, text, chars);
}

extern "C" __declspec(dllexport) void __cdecl LibraryModules(HINSTANCE* resources, HINSTANCE* own) {
  *resources = AfxGetResourceHandle();
  *own = AfxGetCallingModule();
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    if (!AfxInitExtensionModule(g_module, instance)) return FALSE;
    new CDynLinkLibrary(g_module);
  } else if (reason == DLL_PROCESS_DETACH) {
    AfxTermExtensionModule(g_module);
  }
  return TRUE;
}

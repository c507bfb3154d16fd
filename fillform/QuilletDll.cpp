// Entry point of Quillet.dll: an extension library of the framework, so the dialog, strings and icon
// it asks for are found in its own module even where the host has resources of the same ids.
#include "Framework.h"

namespace {
AFX_EXTENSION_MODULE g_quilletModule = {};
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    if (!AfxInitExtensionModule(g_quilletModule, instance)) return FALSE;
    new CDynLinkLibrary(g_quilletModule);
  } else if (reason == DLL_PROCESS_DETACH) {
    AfxTermExtensionModule(g_quilletModule);
  }
  return TRUE;
}

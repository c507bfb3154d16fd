// COM entry points of the plug-in. The print system asks for the class factory of the plug-in's
// class and polls whether the DLL can be unloaded.
#include <windows.h>
#include <objbase.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID, REFIID, LPVOID* object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() { return S_OK; }

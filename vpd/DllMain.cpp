// COM entry points of the plug-in. The print system asks for the class factory of the plug-in's
// class and polls whether the DLL can be unloaded.
#include <windows.h>
#include <objbase.h>

#include <initializer_list>
#include <new>

#include "AddPropPages.h"
#include "Module.h"
#include "OemUI.h"

namespace vpd {

namespace {
HINSTANCE instance = nullptr;
volatile LONG serverLocks = 0;
volatile LONG liveObjects = 0;
}  // namespace

HINSTANCE moduleInstance() { return instance; }
void objectCreated() { InterlockedIncrement(&liveObjects); }
void objectDestroyed() { InterlockedDecrement(&liveObjects); }
void lockServer(bool lock) {
  if (lock) InterlockedIncrement(&serverLocks);
  else InterlockedDecrement(&serverLocks);
}
bool serverInUse() {
  return InterlockedCompareExchange(&serverLocks, 0, 0) != 0 ||
         InterlockedCompareExchange(&liveObjects, 0, 0) != 0;
}

}  // namespace vpd

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    vpd::instance = instance;
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH) {
    // The orientation pictures are loaded once and kept for the module's life.
    for (HBITMAP* bitmap : {&vpd::pageFlags.portrait, &vpd::pageFlags.landscape}) {
      if (*bitmap) DeleteObject(*bitmap);
      *bitmap = nullptr;
    }
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID interfaceId, LPVOID* object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(classId, vpd::CLSID_OemUI)) return CLASS_E_CLASSNOTAVAILABLE;
  vpd::COemCF* factory = new (std::nothrow) vpd::COemCF();
  if (!factory) return E_OUTOFMEMORY;
  // The factory lives on only through the reference the query hands out.
  const HRESULT result = factory->QueryInterface(interfaceId, object);
  factory->Release();
  return result;
}

STDAPI DllCanUnloadNow() { return vpd::serverInUse() ? S_FALSE : S_OK; }

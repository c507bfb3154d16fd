// COemCF: the class factory of the plug-in object.
#include <new>

#include "Module.h"
#include "OemUI.h"

namespace vpd {

HRESULT STDMETHODCALLTYPE COemCF::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IPrintOemUI2)) return E_NOINTERFACE;
  COemUI2* plugin = new (std::nothrow) COemUI2();
  if (!plugin) return E_OUTOFMEMORY;
  const HRESULT result = plugin->QueryInterface(iid, object);
  plugin->Release();
  return result;
}

HRESULT STDMETHODCALLTYPE COemCF::LockServer(BOOL lock) {
  lockServer(lock != FALSE);
  return S_OK;
}

}  // namespace vpd

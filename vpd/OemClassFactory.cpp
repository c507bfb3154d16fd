// COemCF: the class factory of the plug-in object.
#include <new>

#include "Module.h"
#include "OemUI.h"

namespace vpd {

COemCF::COemCF() { objectCreated(); }
COemCF::~COemCF() { objectDestroyed(); }

HRESULT STDMETHODCALLTYPE COemCF::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE COemCF::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG STDMETHODCALLTYPE COemCF::Release() {
  const LONG count = InterlockedDecrement(&references_);
  if (count == 0) delete this;
  return static_cast<ULONG>(count);
}

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

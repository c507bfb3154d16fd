// What the framework's small COM objects share inside the DLL.
#pragma once
#include <windows.h>
#include <unknwn.h>

// IUnknown of an object that offers one interface: it counts its references and deletes itself at
// zero. The derived class names the interface's id.
template <class Interface>
class SingleInterface : public Interface {
 public:
  explicit SingleInterface(REFIID iid) : iid_(iid) {}
  virtual ~SingleInterface() = default;
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == iid_) {
      *ppv = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
  }

 private:
  const IID iid_;
  LONG refs_ = 1;
};

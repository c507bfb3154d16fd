// The plug-in object that the print system's driver loads (IPrintOemUI2) and its class factory.
#pragma once
#include "Module.h"
#include "vpd_oem.h"

namespace vpd {

// Private device-mode part: nothing but its header, signed "PRIU".
constexpr DWORD oemSignature = 0x55495250;
constexpr DWORD oemVersion = 1;

// Handles IPrintOemCommon::DevMode for the private part.
HRESULT oemDevMode(DWORD mode, POEMDMPARAM param);
// Handles IPrintOemUI::DocumentPropertySheets for every reason of the sheet's life.
HRESULT documentPropertySheets(PPROPSHEETUI_INFO info, LPARAM param);

// IUnknown of a server object that offers one interface besides IUnknown, with the module's count of
// live objects (DllCanUnloadNow) kept from construction to destruction.
template <class Interface>
class ServerObject : public Interface {
 public:
  explicit ServerObject(REFIID iid) : iid_(iid) { objectCreated(); }
  virtual ~ServerObject() { objectDestroyed(); }
  ServerObject(const ServerObject&) = delete;
  ServerObject& operator=(const ServerObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, iid_)) {
      *object = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG count = InterlockedDecrement(&references_);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
  }

 private:
  const IID iid_;
  volatile LONG references_ = 1;
};

class COemUI2 : public ServerObject<IPrintOemUI2> {
 public:
  COemUI2() : ServerObject(IID_IPrintOemUI2) {}
  ~COemUI2() override;

  // IPrintOemCommon
  HRESULT STDMETHODCALLTYPE GetInfo(DWORD mode, PVOID buffer, DWORD size, PDWORD needed) override;
  HRESULT STDMETHODCALLTYPE DevMode(DWORD mode, POEMDMPARAM param) override;
  // IPrintOemUI
  HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* driver) override;
  HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD mode, POEMCUIPPARAM param) override;
  HRESULT STDMETHODCALLTYPE DocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM param) override;
  HRESULT STDMETHODCALLTYPE DevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM param) override;
  HRESULT STDMETHODCALLTYPE DevQueryPrintEx(POEMUIOBJ, PDEVQUERYPRINT_INFO, PDEVMODEW, PVOID) override;
  HRESULT STDMETHODCALLTYPE DeviceCapabilities(POEMUIOBJ, HANDLE, PWSTR, WORD, PVOID, PDEVMODEW, PVOID,
                                               DWORD, DWORD*) override;
  HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD, PBYTE) override;
  HRESULT STDMETHODCALLTYPE PrinterEvent(PWSTR, INT, DWORD, LPARAM) override;
  HRESULT STDMETHODCALLTYPE DriverEvent(DWORD, DWORD, LPBYTE, LPARAM) override;
  HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE, POEMUIOBJ, PDEVMODEW, PVOID, ULONG, VOID*, ULONG*,
                                              ULONG*) override;
  HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) override;
  HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE, HANDLE, PWSTR) override;
  // IPrintOemUI2
  HRESULT STDMETHODCALLTYPE QueryJobAttributes(HANDLE, PDEVMODEW, DWORD, LPBYTE) override;
  HRESULT STDMETHODCALLTYPE HideStandardUI(DWORD mode) override;
  HRESULT STDMETHODCALLTYPE DocumentEvent(HANDLE, HDC, INT, ULONG, PVOID, ULONG, PVOID, PINT) override;

 private:
  IPrintOemDriverUI* driver_ = nullptr;
};

class COemCF : public ServerObject<IClassFactory> {
 public:
  COemCF() : ServerObject(IID_IClassFactory) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;
};

}  // namespace vpd

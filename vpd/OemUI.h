// The plug-in object that the print system's driver loads (IPrintOemUI2) and its class factory.
#pragma once
#include "vpd_oem.h"

namespace vpd {

// Private device-mode part: nothing but its header, signed "PRIU".
constexpr DWORD oemSignature = 0x55495250;
constexpr DWORD oemVersion = 1;

// Handles IPrintOemCommon::DevMode for the private part.
HRESULT oemDevMode(DWORD mode, POEMDMPARAM param);
// Handles IPrintOemUI::DocumentPropertySheets for every reason of the sheet's life.
HRESULT documentPropertySheets(PPROPSHEETUI_INFO info, LPARAM param);

class COemUI2 : public IPrintOemUI2 {
 public:
  COemUI2();
  virtual ~COemUI2();
  COemUI2(const COemUI2&) = delete;
  COemUI2& operator=(const COemUI2&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
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
  volatile LONG references_ = 1;
  IPrintOemDriverUI* driver_ = nullptr;
};

class COemCF : public IClassFactory {
 public:
  COemCF();
  virtual ~COemCF();
  COemCF(const COemCF&) = delete;
  COemCF& operator=(const COemCF&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  volatile LONG references_ = 1;
};

}  // namespace vpd

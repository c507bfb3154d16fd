// COemUI2: the plug-in object. It answers the driver's queries, keeps the private device-mode
// part, and replaces the driver's standard pages by the plug-in's own document pages.
#include "OemUI.h"

#include "AddPropPages.h"
#include "Module.h"

namespace vpd {

namespace {
constexpr DWORD infoAnswerSize = sizeof(DWORD);
const wchar_t* const sheetTitle = L"Drovemark Page";
}  // namespace

COemUI2::~COemUI2() {
  if (driver_) driver_->Release();
}

HRESULT STDMETHODCALLTYPE COemUI2::GetInfo(DWORD mode, PVOID buffer, DWORD size, PDWORD needed) {
  if (!needed || (mode != OEMGI_GETSIGNATURE && mode != OEMGI_GETVERSION &&
                  mode != OEMGI_GETREQUESTEDHELPERINTERFACES)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return E_FAIL;
  }
  *needed = infoAnswerSize;
  if (!buffer || size < infoAnswerSize) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return E_FAIL;
  }
  DWORD answer = oemVersion;
  if (mode == OEMGI_GETSIGNATURE) answer = oemSignature;
  else if (mode == OEMGI_GETREQUESTEDHELPERINTERFACES) answer = OEMPUBLISH_IPRINTCOREHELPER;
  CopyMemory(buffer, &answer, sizeof(answer));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE COemUI2::DevMode(DWORD mode, POEMDMPARAM param) { return oemDevMode(mode, param); }

HRESULT STDMETHODCALLTYPE COemUI2::PublishDriverInterface(IUnknown* driver) {
  if (driver_) return S_OK;  // the first driver interface stays
  if (!driver) return E_FAIL;
  IPrintOemDriverUI* published = nullptr;
  const HRESULT result = driver->QueryInterface(IID_IPrintOemDriverUI, reinterpret_cast<void**>(&published));
  if (FAILED(result) || !published) return E_FAIL;
  driver_ = published;
  return result;
}

HRESULT STDMETHODCALLTYPE COemUI2::CommonUIProp(DWORD, POEMCUIPPARAM) { return S_OK; }

HRESULT STDMETHODCALLTYPE COemUI2::DocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM param) {
  return documentPropertySheets(info, param);
}

// The plug-in has no device pages.
HRESULT STDMETHODCALLTYPE COemUI2::DevicePropertySheets(PPROPSHEETUI_INFO, LPARAM) { return S_OK; }

HRESULT STDMETHODCALLTYPE COemUI2::DevQueryPrintEx(POEMUIOBJ, PDEVQUERYPRINT_INFO, PDEVMODEW, PVOID) {
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE COemUI2::DeviceCapabilities(POEMUIOBJ, HANDLE, PWSTR, WORD, PVOID, PDEVMODEW,
                                                      PVOID, DWORD, DWORD*) {
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE COemUI2::UpgradePrinter(DWORD, PBYTE) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE COemUI2::PrinterEvent(PWSTR, INT, DWORD, LPARAM) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE COemUI2::DriverEvent(DWORD, DWORD, LPBYTE, LPARAM) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE COemUI2::QueryColorProfile(HANDLE, POEMUIOBJ, PDEVMODEW, PVOID, ULONG, VOID*,
                                                     ULONG*, ULONG*) {
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE COemUI2::FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE COemUI2::UpdateExternalFonts(HANDLE, HANDLE, PWSTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE COemUI2::QueryJobAttributes(HANDLE, PDEVMODEW, DWORD, LPBYTE) { return E_NOTIMPL; }

// Hiding the driver's standard pages leaves the sheet to the plug-in's own pages.
HRESULT STDMETHODCALLTYPE COemUI2::HideStandardUI(DWORD mode) {
  return mode == OEMCUIP_DOCPROP || mode == OEMCUIP_PRNPROP ? S_OK : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COemUI2::DocumentEvent(HANDLE, HDC, INT, ULONG, PVOID, ULONG, PVOID, PINT) {
  return E_NOTIMPL;
}

HRESULT documentPropertySheets(PPROPSHEETUI_INFO info, LPARAM param) {
  if (!info || info->Version != PROPSHEETUI_INFO_VERSION) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return E_FAIL;
  }
  switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT:
      info->Result = static_cast<ULONG_PTR>(addPropPages(info, allPageSlots()));
      break;
    case PROPSHEETUI_REASON_GET_INFO_HEADER: {
      // The title is the plug-in's own constant text; the sheet only reads it.
      PPROPSHEETUI_INFO_HEADER header = reinterpret_cast<PPROPSHEETUI_INFO_HEADER>(param);
      if (header) header->pTitle = const_cast<LPWSTR>(sheetTitle);
      info->Result = 1;
      break;
    }
    case PROPSHEETUI_REASON_SET_RESULT: {
      const SETRESULT_INFO* result = reinterpret_cast<const SETRESULT_INFO*>(param);
      info->Result = result ? static_cast<ULONG_PTR>(result->Result) : 0;
      break;
    }
    case PROPSHEETUI_REASON_ERROR:
      info->Result = 0;
      break;
    default:
      info->Result = 1;
  }
  return S_OK;
}

}  // namespace vpd

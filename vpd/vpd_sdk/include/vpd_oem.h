// The print system's printer-driver user-interface plug-in model, as far as this plug-in meets it,
// declared here because mingw-w64 ships no header for it. The common property-sheet pieces that
// mingw-w64 does declare come from its <compstui.h>. Vtable slot orders are the print system's
// and must not change: the driver calls the slots by position.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <compstui.h>

// --- Identifiers -------------------------------------------------------------------------------

inline constexpr IID IID_IPrintOemUI2 = {
    0x292515F9, 0xB54B, 0x489B, {0x92, 0x75, 0xBA, 0xB5, 0x68, 0x21, 0x39, 0x5E}};
// The base interface; the plug-in serves only IPrintOemUI2.
inline constexpr IID IID_IPrintOemUI = {
    0xC6A7A9D0, 0x774C, 0x11D1, {0x94, 0x7F, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};
inline constexpr IID IID_IPrintOemDriverUI = {
    0xA89EC53E, 0x3905, 0x49C6, {0x9C, 0x1A, 0xC0, 0xA8, 0x81, 0x17, 0xFD, 0xB6}};

// --- GetInfo modes and answers -----------------------------------------------------------------

#define OEMGI_GETSIGNATURE 1
#define OEMGI_GETINTERFACEVERSION 2
#define OEMGI_GETVERSION 3
#define OEMGI_GETPUBLISHERINFO 4
#define OEMGI_GETREQUESTEDHELPERINTERFACES 5

#define OEMPUBLISH_IPRINTCOREHELPER 0x00000001

// --- DevMode modes and the plug-in's private device-mode part ----------------------------------

#define OEMDM_SIZE 1
#define OEMDM_DEFAULT 2
#define OEMDM_CONVERT 3
#define OEMDM_MERGE 4

// Parameters of IPrintOemCommon::DevMode; the driver owns every buffer it points to.
typedef struct _OEMDMPARAM {
  DWORD cbSize;
  PVOID pdriverobj;
  HANDLE hPrinter;
  HANDLE hModule;
  PDEVMODEW pPublicDMIn;
  PDEVMODEW pPublicDMOut;
  PVOID pOEMDMIn;
  PVOID pOEMDMOut;
  DWORD cbBufSize;
} OEMDMPARAM, *POEMDMPARAM;

// Header that opens every plug-in's private part of the driver's DEVMODE.
typedef struct _OEM_DMEXTRAHEADER {
  DWORD dwSize;
  DWORD dwSignature;
  DWORD dwVersion;
} OEM_DMEXTRAHEADER, *POEM_DMEXTRAHEADER;
static_assert(sizeof(OEM_DMEXTRAHEADER) == 12, "the private part is 12 bytes on every machine");

// --- CommonUIProp and HideStandardUI modes ------------------------------------------------------

#define OEMCUIP_DOCPROP 1
#define OEMCUIP_PRNPROP 2

// Reason the sheet passes when it reports an error (the common property-sheet header of mingw-w64
// names this value only as its icon request).
#ifndef PROPSHEETUI_REASON_ERROR
#define PROPSHEETUI_REASON_ERROR 4
#endif

// Structures that the plug-in only passes through; their members are never read here.
typedef struct _OEMCUIPPARAM* POEMCUIPPARAM;
typedef struct _OEMUIOBJ* POEMUIOBJ;
typedef struct _DEVQUERYPRINT_INFO* PDEVQUERYPRINT_INFO;

// --- Interfaces ----------------------------------------------------------------------------------

// Published by the driver; the plug-in keeps it but makes no call on it.
struct IPrintOemDriverUI : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID pci, PCSTR Feature, PVOID pOutput,
                                                        DWORD cbSize, PDWORD pcbNeeded,
                                                        PDWORD pdwOptionsReturned) = 0;
  virtual HRESULT STDMETHODCALLTYPE DrvUpgradeRegistrySetting(HANDLE hPrinter, PCSTR pFeature,
                                                              PCSTR pOption) = 0;
  virtual HRESULT STDMETHODCALLTYPE DrvUpdateUISetting(PVOID pci, PVOID pOptItem, DWORD dwPreviousSelection,
                                                       DWORD dwMode) = 0;
};

// Slots 3 and 4.
struct IPrintOemCommon : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetInfo(DWORD dwMode, PVOID pBuffer, DWORD cbSize, PDWORD pcbNeeded) = 0;
  virtual HRESULT STDMETHODCALLTYPE DevMode(DWORD dwMode, POEMDMPARAM pOemDMParam) = 0;
};

// Slots 5 to 16.
struct IPrintOemUI : public IPrintOemCommon {
  virtual HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* pIUnknown) = 0;
  virtual HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD dwMode, POEMCUIPPARAM pOemCUIPParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE DocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE DevicePropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE DevQueryPrintEx(POEMUIOBJ poemuiobj, PDEVQUERYPRINT_INFO pDQPInfo,
                                                    PDEVMODEW pPublicDM, PVOID pOEMDM) = 0;
  virtual HRESULT STDMETHODCALLTYPE DeviceCapabilities(POEMUIOBJ poemuiobj, HANDLE hPrinter,
                                                       PWSTR pDeviceName, WORD wCapability,
                                                       PVOID pOutput, PDEVMODEW pPublicDM, PVOID pOEMDM,
                                                       DWORD dwOld, DWORD* dwResult) = 0;
  virtual HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD dwLevel, PBYTE pDriverUpgradeInfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE PrinterEvent(PWSTR pPrinterName, INT iDriverEvent, DWORD dwFlags,
                                                 LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE DriverEvent(DWORD dwDriverEvent, DWORD dwLevel, LPBYTE pDriverInfo,
                                                LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE hPrinter, POEMUIOBJ poemuiobj,
                                                      PDEVMODEW pPublicDM, PVOID pOEMDM, ULONG ulQueryMode,
                                                      VOID* pvProfileData, ULONG* pcbProfileData,
                                                      ULONG* pflProfileData) = 0;
  virtual HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND hWnd, UINT usMsg, WPARAM wParam,
                                                         LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE hPrinter, HANDLE hHeap,
                                                        PWSTR pwstrCartridges) = 0;
};

// Slots 17 to 19.
struct IPrintOemUI2 : public IPrintOemUI {
  virtual HRESULT STDMETHODCALLTYPE QueryJobAttributes(HANDLE hPrinter, PDEVMODEW pDevmode, DWORD dwLevel,
                                                       LPBYTE lpAttributeInfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE HideStandardUI(DWORD dwMode) = 0;
  virtual HRESULT STDMETHODCALLTYPE DocumentEvent(HANDLE hPrinter, HDC hdc, INT iEsc, ULONG cbIn,
                                                  PVOID pvIn, ULONG cbOut, PVOID pvOut, PINT piResult) = 0;
};

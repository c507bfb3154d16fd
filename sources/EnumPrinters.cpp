#include "EnumPrinters.h"

#include <winspool.h>

#include "ErrorLog.h"
#include "MyProcs.h"
#include "resource.h"

const wchar_t kSpoolerDriverName[] = L"winspooler";

namespace {

const HGLOBAL kNoHandle = reinterpret_cast<HGLOBAL>(static_cast<INT_PTR>(-1));

void ReleaseHandle(HGLOBAL& handle) {
  if (handle == nullptr || handle == kNoHandle) return;
  while (GlobalFlags(handle) & GMEM_LOCKCOUNT) GlobalUnlock(handle);
  GlobalFree(handle);
  handle = kNoHandle;
}

// DEVNAMES followed by driver, device and port, each zero-terminated; offsets count UTF-16 units.
HGLOBAL BuildDevNames(const CString& driver, const CString& device, const CString& port) {
  const int driverLength = driver.GetLength(), deviceLength = device.GetLength(), portLength = port.GetLength();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 2 * (driverLength + deviceLength + portLength + 11));
  if (block == nullptr) return nullptr;
  DEVNAMES* names = static_cast<DEVNAMES*>(GlobalLock(block));
  wchar_t* units = reinterpret_cast<wchar_t*>(names);
  names->wDriverOffset = 8;
  names->wDeviceOffset = static_cast<WORD>(driverLength + 9);
  names->wOutputOffset = static_cast<WORD>(driverLength + deviceLength + 10);
  names->wDefault = 0;
  wmemcpy(units + names->wDriverOffset, driver, driverLength);
  wmemcpy(units + names->wDeviceOffset, device, deviceLength);
  wmemcpy(units + names->wOutputOffset, port, portLength);
  GlobalUnlock(block);
  return block;
}

// The printer's current device mode in a movable block; nullptr when the driver does not give it.
HGLOBAL ReadCurrentDevMode(HANDLE printer, LPCTSTR printerName) {
  LPWSTR name = const_cast<LPWSTR>(printerName);
  const LONG size = DocumentPropertiesW(nullptr, printer, name, nullptr, nullptr, 0);
  if (size <= 0) return nullptr;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (block == nullptr) return nullptr;
  DEVMODEW* mode = static_cast<DEVMODEW*>(GlobalLock(block));
  const LONG result = DocumentPropertiesW(nullptr, printer, name, mode, nullptr, DM_OUT_BUFFER);
  GlobalUnlock(block);
  if (result != IDOK) {
    GlobalFree(block);
    return nullptr;
  }
  return block;
}

void ReportPrinterNotAvailable(const CString& printerName) {
  CString message;
  message.Format(IDS_PRINTER_NOT_AVAILABLE, static_cast<LPCTSTR>(printerName));
  OkBox(message);
}

}  // namespace

CEnumPrinters::CEnumPrinters() {
  DEF_TRY
  ReadLocalPrinters();
  DEF_CATCH("CEnumPrinters::CEnumPrinters")
}

void CEnumPrinters::ReadLocalPrinters() {
  DEF_TRY
  m_names.RemoveAll();
  m_locations.RemoveAll();
  m_shareNames.RemoveAll();
  m_portNames.RemoveAll();
  for (CStringArray* list : {&m_names, &m_locations, &m_shareNames, &m_portNames}) list->SetSize(0, 10);
  m_count = 0;
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0, returned = 0;
  EnumPrintersW(flags, const_cast<LPWSTR>(L""), 2, nullptr, 0, &needed, &returned);
  if (needed == 0) return;
  // Four spare bytes, zeroed, as the spooler of some systems writes a terminator past its count.
  CByteArray buffer;
  buffer.SetSize(needed + 4);
  memset(buffer.GetData(), 0, needed + 4);
  if (!EnumPrintersW(flags, const_cast<LPWSTR>(L""), 2, buffer.GetData(), needed, &needed, &returned)) {
    AppendErrorLog(L"CEnumPrinters::ReadLocalPrinters: EnumPrinters failed");
    return;
  }
  const PRINTER_INFO_2W* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.GetData());
  auto text = [](LPCWSTR s) { return CString(s != nullptr ? s : L""); };
  for (DWORD i = 0; i < returned; ++i) {
    m_names.Add(text(info[i].pPrinterName));
    m_locations.Add(text(info[i].pLocation));
    m_shareNames.Add(text(info[i].pShareName));
    m_portNames.Add(text(info[i].pPortName));
    ++m_count;
  }
  DEF_CATCH("CEnumPrinters::ReadLocalPrinters")
}

CString CEnumPrinters::GetPrinterName(int index) {
  DEF_TRY
  if (index < 0 || index >= m_count) return L"Error";
  return m_names[index];
  DEF_CATCH("CEnumPrinters::GetPrinterName")
  return CString();
}

CString CEnumPrinters::GetPrinterPortName(int index) {
  DEF_TRY
  if (index < 0 || index >= m_count) return L"Error";
  return m_portNames[index];
  DEF_CATCH("CEnumPrinters::GetPrinterPortName")
  return CString();
}

int CEnumPrinters::FindPrinter(LPCTSTR text) {
  for (int i = 0; i < m_count; ++i)
    if (m_names[i].Find(text) >= 0) return i;
  return m_count;
}

BOOL CEnumPrinters::SetNewPrinter(HGLOBAL& devMode, HGLOBAL& devNames, LPCTSTR printerName, LPCTSTR driverName,
                                  LPCTSTR portName) {
  DEF_TRY
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(printerName), &printer, nullptr)) return FALSE;
  HGLOBAL newMode = ReadCurrentDevMode(printer, printerName);
  ClosePrinter(printer);
  if (newMode == nullptr) return FALSE;
  HGLOBAL newNames = BuildDevNames(driverName, printerName, portName);
  if (newNames == nullptr) {
    GlobalFree(newMode);
    return FALSE;
  }
  ReleaseHandle(devMode);
  ReleaseHandle(devNames);
  devMode = newMode;
  devNames = newNames;
  return TRUE;
  DEF_CATCH("CEnumPrinters::SetNewPrinter")
  return FALSE;
}

BOOL CEnumPrinters::ApplyPrinterPreferences(HGLOBAL devMode, const _PRINTER_PREFERENCES& preferences) {
  if (devMode == kNoHandle || devMode == nullptr) return FALSE;
  DEVMODEW* mode = static_cast<DEVMODEW*>(GlobalLock(devMode));
  if (mode == nullptr) return FALSE;
  mode->dmOrientation = preferences.orientation;
  mode->dmPrintQuality = preferences.printQuality;
  mode->dmYResolution = preferences.yResolution;
  mode->dmCopies = preferences.copies;
  mode->dmDefaultSource = preferences.defaultSource;
  mode->dmScale = preferences.scale;
  mode->dmPaperSize = preferences.paperSize;
  if (preferences.paperSize == DMPAPER_USER) {
    mode->dmPaperWidth = static_cast<short>(preferences.paperWidth * 254.0);
    mode->dmPaperLength = static_cast<short>(preferences.paperLength * 254.0);
  }
  GlobalUnlock(devMode);
  return TRUE;
}

BOOL CEnumPrinters::RestorePrinterSelection(HGLOBAL& devMode, HGLOBAL& devNames,
                                            const _PRINTER_PREFERENCES& preferences) {
  DEF_TRY
  AppendErrorLog(L"CEnumPrinters::RestorePrinterSelection");
  AppendErrorLog(L"CEnumPrinters::RestorePrinterSelection 1");
  AppendErrorLog(L"CEnumPrinters::RestorePrinterSelection 2");
  CString printerName = preferences.printerName != nullptr ? preferences.printerName : L"";
  const CString portName = preferences.portName != nullptr ? preferences.portName : L"";
  if (printerName.IsEmpty() || portName.IsEmpty()) return FALSE;
  AppendErrorLog(L"CEnumPrinters::RestorePrinterSelection 3");
  const int index = FindPrinter(printerName);
  const BOOL found = index < m_count;
  if (found) printerName = m_names[index];
  AppendErrorLog(L"CEnumPrinters::RestorePrinterSelection 4");
  if (!found) {
    ReportPrinterNotAvailable(printerName);
    AppendErrorLog(L"CEnumPrinters::RestorePrinterSelection 4.5");
    return FALSE;
  }
  AppendErrorLog(L"CEnumPrinters::RestorePrinterSelection 5");
  // A listed printer that cannot be opened is as good as a missing one: its preferences must not land
  // in the other printer's device mode, and the caller must not take it as selected.
  if (!SetNewPrinter(devMode, devNames, printerName, kSpoolerDriverName, portName)) {
    AppendErrorLog(L"CEnumPrinters::RestorePrinterSelection: the printer cannot be opened");
    ReportPrinterNotAvailable(printerName);
    return FALSE;
  }
  ApplyPrinterPreferences(devMode, preferences);
  AppendErrorLog(L"CEnumPrinters::RestorePrinterSelection End");
  return TRUE;
  DEF_CATCH("CEnumPrinters::RestorePrinterSelection")
  return FALSE;
}

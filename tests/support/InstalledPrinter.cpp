#include "InstalledPrinter.h"

#include <winspool.h>

namespace testing_support {

InstalledPrinter::InstalledPrinter(const std::wstring& printerName, const std::wstring& ppdPath, const std::wstring& port)
    : name_(printerName) {
  const std::wstring ppdFile = ppdPath.substr(ppdPath.find_last_of(L"/\\") + 1);
  wchar_t dir[MAX_PATH];
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof(dir), &needed)) return;
  if (!CopyFileW(ppdPath.c_str(),
                 (std::wstring(dir) + L"\\" + ppdFile).c_str(), FALSE))
    return;
  // One driver per PPD: the driver name is the PPD's file name.
  const std::wstring driverName = L"Vantry test " + ppdFile;
  DRIVER_INFO_3W driver = {};
  driver.cVersion = 3;
  driver.pName = const_cast<wchar_t*>(driverName.c_str());
  driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
  driver.pDataFile = const_cast<wchar_t*>(ppdFile.c_str());
  driver.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
  if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES)) return;
  // A printer left by an interrupted run would keep its old device mode.
  HANDLE stale = nullptr;
  PRINTER_DEFAULTSW all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (OpenPrinterW(const_cast<wchar_t*>(name_.c_str()), &stale, &all)) {
    DeletePrinter(stale);
    ClosePrinter(stale);
  }
  PRINTER_INFO_2W printer = {};
  printer.pPrinterName = const_cast<wchar_t*>(name_.c_str());
  printer.pPortName = const_cast<wchar_t*>(port.c_str());
  printer.pDriverName = driver.pName;
  printer.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
  printer.pDatatype = const_cast<wchar_t*>(L"RAW");
  HANDLE handle = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
  if (!handle) return;
  ClosePrinter(handle);
  installed_ = true;
}

InstalledPrinter::~InstalledPrinter() {
  if (!installed_) return;
  HANDLE handle = nullptr;
  PRINTER_DEFAULTSW all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (!OpenPrinterW(const_cast<wchar_t*>(name_.c_str()), &handle, &all)) return;
  DeletePrinter(handle);
  ClosePrinter(handle);
}

}  // namespace testing_support

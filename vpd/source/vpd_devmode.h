// The virtual printer's device mode through the print spooler: the per-user copy (PRINTER_INFO_9),
// the printer-wide copy (PRINTER_INFO_8), and the orientation, resolution and duplex fields in it.
// Every function opens and closes its own printer handle; failures return false with the thread's
// last error set.
#pragma once
#include <windows.h>
#include <winspool.h>

#include <cstdint>
#include <vector>

namespace vpd {

// A device-mode copy owned by the caller: dmSize plus dmDriverExtra bytes; empty means none.
using Devmode = std::vector<BYTE>;
inline DEVMODEW* devmodeOf(Devmode& copy) {
  return copy.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(copy.data());
}

struct Resolution {
  int32_t x;
  int32_t y;
};

// Duplex values as the pages offer them (0 one side, 1 long edge, 2 short edge) and orientation
// values (0 portrait, 1 landscape); the device mode keeps each one higher.
enum { orientationPortrait = 0, orientationLandscape = 1 };
enum { duplexOneSide = 0, duplexLongEdge = 1, duplexShortEdge = 2 };

// Closes the printer on every path out of a function.
class PrinterHandle {
 public:
  PrinterHandle(const wchar_t* name, ACCESS_MASK access) {
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, access};
    if (!OpenPrinterW(const_cast<wchar_t*>(name), &handle_, &defaults)) handle_ = nullptr;
  }
  ~PrinterHandle() {
    if (!handle_) return;
    const DWORD error = GetLastError();
    ClosePrinter(handle_);
    SetLastError(error);
  }
  PrinterHandle(const PrinterHandle&) = delete;
  PrinterHandle& operator=(const PrinterHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

// GetPrinterW at one level (8 or 9) into a buffer of its own; empty after a logged failure.
std::vector<BYTE> getPrinterInfo(HANDLE printer, DWORD level);

Devmode getUserDevmode(const wchar_t* printerName);
Devmode getPrinterDevmode(const wchar_t* printerName);
// The per-user copy when there is one, else the global one; with printerWide the global one only.
Devmode fetchDevmode(const wchar_t* printerName, bool printerWide);

// Validates the device mode with the driver and stores it at level 9 (per user) or 8 (printer-wide).
bool setDevmode(const wchar_t* printerName, const DEVMODEW* devmode, DWORD level);

bool getOrientation(const wchar_t* printerName, int& value, bool printerWide);
bool setOrientation(const wchar_t* printerName, int value, DEVMODEW* devmode, bool printerWide);

bool enumResolutions(const wchar_t* printerName, std::vector<Resolution>& pairs, int& count);
bool getResolution(const wchar_t* printerName, Resolution& pair, bool printerWide);
bool setResolution(const wchar_t* printerName, const Resolution& pair, DEVMODEW* devmode, bool printerWide);

bool getDuplex(const wchar_t* printerName, int& value, bool printerWide);
bool setDuplex(const wchar_t* printerName, int value, DEVMODEW* devmode, bool printerWide);

}  // namespace vpd

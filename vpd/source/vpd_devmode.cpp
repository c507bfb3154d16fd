#include "vpd_devmode.h"

#include <winspool.h>

#include "vpd_log.h"

namespace vpd {

namespace {

DEVMODEW* devmodeInInfo(std::vector<BYTE>& info, DWORD level) {
  if (info.empty()) return nullptr;
  return level == 8 ? reinterpret_cast<PRINTER_INFO_8W*>(info.data())->pDevMode
                    : reinterpret_cast<PRINTER_INFO_9W*>(info.data())->pDevMode;
}

Devmode getDevmodeAtLevel(const wchar_t* printerName, DWORD level) {
  PrinterHandle printer(printerName, PRINTER_ACCESS_USE);
  if (!printer.get()) return {};
  std::vector<BYTE> info = getPrinterInfo(printer.get(), level);
  const DEVMODEW* devmode = devmodeInInfo(info, level);
  if (!devmode) {
    if (!info.empty()) SetLastError(ERROR_INVALID_DATA);
    return {};
  }
  const BYTE* bytes = reinterpret_cast<const BYTE*>(devmode);
  return Devmode(bytes, bytes + devmode->dmSize + devmode->dmDriverExtra);
}

// The device mode a field function works on: the caller's, or a fresh copy kept in `fetched`.
DEVMODEW* workingDevmode(const wchar_t* printerName, DEVMODEW* given, bool printerWide, Devmode& fetched) {
  if (given) return given;
  fetched = fetchDevmode(printerName, printerWide);
  return devmodeOf(fetched);
}

bool storeDevmode(const wchar_t* printerName, const DEVMODEW* devmode, bool printerWide) {
  return setDevmode(printerName, devmode, printerWide ? 8 : 9);
}

bool failWith(DWORD error) {
  SetLastError(error);
  return false;
}

}  // namespace

std::vector<BYTE> getPrinterInfo(HANDLE printer, DWORD level) {
  DWORD needed = 0;
  const BOOL sized = GetPrinterW(printer, level, nullptr, 0, &needed);
  if (!((sized || GetLastError() == ERROR_INSUFFICIENT_BUFFER) && needed != 0)) {
    VPD_LOG_FAILURE("vpd::getPrinterInfo(): failed to GetPrinterW()");
    return {};
  }
  std::vector<BYTE> info(needed);
  if (!GetPrinterW(printer, level, info.data(), needed, &needed)) {
    VPD_LOG_FAILURE("vpd::getPrinterInfo(): failed to GetPrinterW()");
    return {};
  }
  return info;
}

Devmode getUserDevmode(const wchar_t* printerName) { return getDevmodeAtLevel(printerName, 9); }

Devmode getPrinterDevmode(const wchar_t* printerName) { return getDevmodeAtLevel(printerName, 8); }

Devmode fetchDevmode(const wchar_t* printerName, bool printerWide) {
  if (printerWide) return getPrinterDevmode(printerName);
  Devmode copy = getUserDevmode(printerName);
  return copy.empty() ? getPrinterDevmode(printerName) : copy;
}

bool setDevmode(const wchar_t* printerName, const DEVMODEW* devmode, DWORD level) {
  if (!devmode || (level != 8 && level != 9)) return failWith(ERROR_INVALID_PARAMETER);
  PrinterHandle printer(printerName, PRINTER_ALL_ACCESS);
  if (!printer.get()) {
    VPD_LOG_FAILURE("vpd::setDevmode(): failed to OpenPrinter()");
    return false;
  }
  // The driver writes its full device mode, which may be larger than the one given (a caller's
  // copy made by another driver version): it gets an output buffer of the size it asks for.
  const LONG outputSize =
      DocumentPropertiesW(nullptr, printer.get(), const_cast<wchar_t*>(printerName), nullptr, nullptr, 0);
  if (outputSize <= 0) {
    VPD_LOG_FAILURE("vpd::setDevmode(): failed to DocumentPropertiesW()");
    return false;
  }
  Devmode input(reinterpret_cast<const BYTE*>(devmode),
                reinterpret_cast<const BYTE*>(devmode) + devmode->dmSize + devmode->dmDriverExtra);
  Devmode output(static_cast<size_t>(outputSize) > input.size() ? outputSize : input.size());
  if (DocumentPropertiesW(nullptr, printer.get(), const_cast<wchar_t*>(printerName),
                          reinterpret_cast<DEVMODEW*>(output.data()), reinterpret_cast<DEVMODEW*>(input.data()),
                          DM_IN_BUFFER | DM_OUT_BUFFER) != IDOK) {
    VPD_LOG_FAILURE("vpd::setDevmode(): failed to DocumentPropertiesW()");
    return false;
  }
  std::vector<BYTE> info = getPrinterInfo(printer.get(), level);
  if (info.empty()) return false;
  if (level == 8)
    reinterpret_cast<PRINTER_INFO_8W*>(info.data())->pDevMode = reinterpret_cast<DEVMODEW*>(output.data());
  else
    reinterpret_cast<PRINTER_INFO_9W*>(info.data())->pDevMode = reinterpret_cast<DEVMODEW*>(output.data());
  if (!SetPrinterW(printer.get(), level, info.data(), 0)) {
    VPD_LOG_FAILURE("vpd::setDevmode(): failed to SetPrinter()");
    return false;
  }
  return true;
}

bool getOrientation(const wchar_t* printerName, int& value, bool printerWide) {
  Devmode fetched = fetchDevmode(printerName, printerWide);
  const DEVMODEW* devmode = devmodeOf(fetched);
  if (!devmode) return false;
  if (!(devmode->dmFields & DM_ORIENTATION) ||
      (devmode->dmOrientation != DMORIENT_PORTRAIT && devmode->dmOrientation != DMORIENT_LANDSCAPE))
    return failWith(ERROR_INVALID_DATA);
  value = devmode->dmOrientation - DMORIENT_PORTRAIT;
  return true;
}

bool setOrientation(const wchar_t* printerName, int value, DEVMODEW* given, bool printerWide) {
  Devmode fetched;
  DEVMODEW* devmode = workingDevmode(printerName, given, printerWide, fetched);
  if (!devmode) return false;
  if (!(devmode->dmFields & DM_ORIENTATION) || value < orientationPortrait || value > orientationLandscape)
    return failWith(ERROR_INVALID_DATA);
  devmode->dmOrientation = static_cast<short>(value + DMORIENT_PORTRAIT);
  devmode->dmFields = DM_ORIENTATION;
  return storeDevmode(printerName, devmode, printerWide);
}

bool enumResolutions(const wchar_t* printerName, std::vector<Resolution>& pairs, int& count) {
  static_assert(sizeof(Resolution) == 2 * sizeof(LONG), "DC_ENUMRESOLUTIONS fills pairs of LONG");
  const int found = DeviceCapabilitiesW(printerName, nullptr, DC_ENUMRESOLUTIONS, nullptr, nullptr);
  if (found <= 0) return failWith(found == 0 ? ERROR_NOT_SUPPORTED : GetLastError());
  std::vector<Resolution> filled(found, Resolution{0, 0});
  const int written = DeviceCapabilitiesW(printerName, nullptr, DC_ENUMRESOLUTIONS,
                                          reinterpret_cast<wchar_t*>(filled.data()), nullptr);
  if (written <= 0) return failWith(written == 0 ? ERROR_NOT_SUPPORTED : GetLastError());
  // A driver that reports more the second time must not be taken at its word beyond the buffer.
  filled.resize(written < found ? written : found);
  pairs.swap(filled);
  count = static_cast<int>(pairs.size());
  return true;
}

bool getResolution(const wchar_t* printerName, Resolution& pair, bool printerWide) {
  Devmode fetched = fetchDevmode(printerName, printerWide);
  const DEVMODEW* devmode = devmodeOf(fetched);
  if (!devmode) return false;
  if (!(devmode->dmFields & (DM_PRINTQUALITY | DM_YRESOLUTION))) return failWith(ERROR_INVALID_DATA);
  pair = Resolution{devmode->dmPrintQuality, devmode->dmYResolution};
  return true;
}

bool setResolution(const wchar_t* printerName, const Resolution& pair, DEVMODEW* given, bool printerWide) {
  Devmode fetched;
  DEVMODEW* devmode = workingDevmode(printerName, given, printerWide, fetched);
  if (!devmode) return false;
  if (!(devmode->dmFields & (DM_PRINTQUALITY | DM_YRESOLUTION))) return failWith(ERROR_INVALID_DATA);
  devmode->dmPrintQuality = static_cast<short>(pair.x);
  devmode->dmYResolution = static_cast<short>(pair.y);
  devmode->dmFields = DM_PRINTQUALITY | DM_YRESOLUTION;
  return storeDevmode(printerName, devmode, printerWide);
}

bool getDuplex(const wchar_t* printerName, int& value, bool printerWide) {
  Devmode fetched = fetchDevmode(printerName, printerWide);
  const DEVMODEW* devmode = devmodeOf(fetched);
  if (!devmode) return false;
  if (!(devmode->dmFields & DM_DUPLEX) || devmode->dmDuplex < DMDUP_SIMPLEX || devmode->dmDuplex > DMDUP_HORIZONTAL)
    return failWith(ERROR_INVALID_DATA);
  value = devmode->dmDuplex - DMDUP_SIMPLEX;
  return true;
}

bool setDuplex(const wchar_t* printerName, int value, DEVMODEW* given, bool printerWide) {
  Devmode fetched;
  DEVMODEW* devmode = workingDevmode(printerName, given, printerWide, fetched);
  if (!devmode) return false;
  if (!(devmode->dmFields & DM_DUPLEX) || value < duplexOneSide || value > duplexShortEdge)
    return failWith(ERROR_INVALID_DATA);
  devmode->dmDuplex = static_cast<short>(value + DMDUP_SIMPLEX);
  devmode->dmFields = DM_DUPLEX;
  return storeDevmode(printerName, devmode, printerWide);
}

}  // namespace vpd

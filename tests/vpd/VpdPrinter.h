// A real printer entry of Wine's PostScript driver for the device-mode and paper tests, installed from
// a small PPD of our own and removed again. The plug-in addresses the virtual printer by name.
#pragma once
#include <windows.h>

#include <string>

namespace vpd_test {

class InstalledPrinter {
 public:
  // ppdFile is a file of the tests' data folder; the port is a file so that nothing reaches a device.
  InstalledPrinter(const std::wstring& printerName, const std::wstring& ppdFile);
  ~InstalledPrinter();
  InstalledPrinter(const InstalledPrinter&) = delete;
  InstalledPrinter& operator=(const InstalledPrinter&) = delete;
  bool installed() const { return installed_; }
  const wchar_t* name() const { return name_.c_str(); }

 private:
  std::wstring name_;
  bool installed_ = false;
};

}  // namespace vpd_test

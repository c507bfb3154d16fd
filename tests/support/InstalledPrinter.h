// A real printer entry of Wine's PostScript driver, installed from a small PPD of our own and removed
// again, for tests of device modes, paper forms and printer selection.
#pragma once
#include <windows.h>

#include <string>

namespace testing_support {

class InstalledPrinter {
 public:
  // ppdPath is a PPD file of the tests' sources; the port is a file so that nothing reaches a device:
  // "FILE:" (the program names the file when it starts a document) or a "Z:\" path that every job
  // is written to.
  InstalledPrinter(const std::wstring& printerName, const std::wstring& ppdPath, const std::wstring& port = L"FILE:");
  ~InstalledPrinter();
  InstalledPrinter(const InstalledPrinter&) = delete;
  InstalledPrinter& operator=(const InstalledPrinter&) = delete;
  bool installed() const { return installed_; }
  const wchar_t* name() const { return name_.c_str(); }

 private:
  std::wstring name_;
  bool installed_ = false;
};

}  // namespace testing_support

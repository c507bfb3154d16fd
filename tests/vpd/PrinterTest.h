// Fixture of the device-mode and paper tests: the virtual printer "Vantry" (duplex, four resolutions,
// three papers and one with an over-long name) and a printer without duplex, both fresh per test,
// with the failure log owned by the test.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "InstalledPrinter.h"
#include "VpdTestSupport.h"
#include "vpd_devmode.h"

namespace vpd_test {

class PrinterTest : public testing::Test {
 protected:
  static constexpr const wchar_t* printerName = L"Vantry";
  static constexpr const wchar_t* simplexName = L"Vantry Simplex";

  void SetUp() override {
    state_ = std::make_unique<VantryState>();
    printer_ = std::make_unique<testing_support::InstalledPrinter>(printerName, ppd(L"VantryDuplex.ppd"));
    simplex_ = std::make_unique<testing_support::InstalledPrinter>(simplexName, ppd(L"VantrySimplex.ppd"));
    ASSERT_TRUE(printer_->installed() && simplex_->installed()) << "Wine's spooler refused the test printers";
  }
  void TearDown() override {
    simplex_.reset();
    printer_.reset();
    state_.reset();
  }

  // The device mode as the spooler stores it for the user now.
  vpd::Devmode stored(const wchar_t* name = printerName) { return vpd::getUserDevmode(name); }
  std::string log() const { return state_->log(); }
  static std::wstring ppd(const wchar_t* file) { return std::wstring(VANTRY_TEST_DATA_DIR) + L"/" + file; }

 private:
  std::unique_ptr<VantryState> state_;
  std::unique_ptr<testing_support::InstalledPrinter> printer_;
  std::unique_ptr<testing_support::InstalledPrinter> simplex_;
};

}  // namespace vpd_test

// Fixture of the General and Paper size pages: the virtual printer "Vantry" installed from a PPD of
// the tests, and the page of one slot on a real sheet of its own, since the plug-in's sheet never
// offers these two pages. The pages' templates come from this program's copy of the resources.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AddPropPages.h"
#include "InstalledPrinter.h"
#include "PluginHost.h"
#include "VpdTestSupport.h"
#include "resource.h"
#include "vpd_devmode.h"

namespace vpd_test {

class PrinterPageTest : public testing::Test {
 protected:
  void install(const wchar_t* ppd) {
    printer_ = std::make_unique<testing_support::InstalledPrinter>(
        L"Vantry", std::wstring(VANTRY_TEST_DATA_DIR) + L"/" + ppd);
    ASSERT_TRUE(printer_->installed()) << "Wine's spooler refused the test printer";
    swprintf(vpd::pageFlags.caption, _countof(vpd::pageFlags.caption), L"Vantry properties");
  }
  HWND openPage(int slot, const wchar_t* title) {
    sheet_.reset();
    HPROPSHEETPAGE page = vpd::createPage(slot);
    EXPECT_NE(page, nullptr);
    sheet_ = std::make_unique<Sheet>(std::vector<HPROPSHEETPAGE>{page});
    return sheet_->page(title);
  }
  Sheet& sheet() { return *sheet_; }
  vpd::Devmode stored() { return vpd::getUserDevmode(L"Vantry"); }
  // The fields the pages change, as the spooler keeps them now; the rest of a fresh copy (the text
  // past a name's end) is not the driver's to keep equal.
  struct Fields {
    DWORD fields;
    short orientation, paperSize, printQuality, yResolution, duplex;
    std::wstring formName;
    bool operator==(const Fields& o) const {
      return fields == o.fields && orientation == o.orientation && paperSize == o.paperSize &&
             printQuality == o.printQuality && yResolution == o.yResolution && duplex == o.duplex &&
             formName == o.formName;
    }
  };
  Fields storedFields() {
    vpd::Devmode copy = stored();
    const DEVMODEW* mode = vpd::devmodeOf(copy);
    if (!mode) return Fields{};
    return Fields{mode->dmFields, mode->dmOrientation, mode->dmPaperSize, mode->dmPrintQuality,
                  mode->dmYResolution, mode->dmDuplex, std::wstring(mode->dmFormName, wcsnlen(mode->dmFormName, CCHFORMNAME))};
  }
  std::string log() const { return state_.log(); }

 private:
  VantryState state_;  // first: it holds the lock while the printer comes and goes
  std::unique_ptr<testing_support::InstalledPrinter> printer_;
  std::unique_ptr<Sheet> sheet_;
};

// Answers the modal windows an action opens, in whatever order they come: each entry handles the
// first visible window of its caption once. Every text a window showed is kept in `seen`.
class ModalScript {
 public:
  struct Step {
    std::wstring caption;
    std::function<void(HWND)> handle;
  };
  explicit ModalScript(std::vector<Step> steps);
  ~ModalScript();
  void run(const std::function<void()>& action);
  bool allHandled() const;

 private:
  static void CALLBACK poll(HWND, UINT, UINT_PTR, DWORD);
  std::vector<Step> steps_;
  std::vector<bool> done_;
  UINT_PTR timer_ = 0;
};

// The text of a message box (its static text control).
std::wstring messageText(HWND box);
void pressOk(HWND dialog);

}  // namespace vpd_test

// The printer list and the switch to a document's stored printer, against printers installed in Wine's
// spooler for the test; the document's printer fields as the switch reads them.
#include "EnumPrinters.h"

#include <winspool.h>

#include <memory>

#include "DocumentTestSupport.h"
#include "InstalledPrinter.h"

using namespace doctest;
using fixtures::ErrorLogText;
using testing_support::InstalledPrinter;

namespace {

const HGLOBAL kNoHandle = reinterpret_cast<HGLOBAL>(static_cast<INT_PTR>(-1));

std::wstring Ppd() { return std::wstring(VANTRY_SOURCE_DIR) + L"/tests/vpd/data/VantrySimplex.ppd"; }

// The three strings of a DEVNAMES block and its offsets.
struct DevNamesView {
  WORD driverOffset, deviceOffset, outputOffset, isDefault;
  std::wstring driver, device, port;
  SIZE_T bytes;
};
DevNamesView ReadDevNames(HGLOBAL block) {
  const DEVNAMES* names = static_cast<const DEVNAMES*>(GlobalLock(block));
  const wchar_t* units = reinterpret_cast<const wchar_t*>(names);
  DevNamesView view{names->wDriverOffset, names->wDeviceOffset, names->wOutputOffset, names->wDefault,
                    units + names->wDriverOffset, units + names->wDeviceOffset, units + names->wOutputOffset,
                    GlobalSize(block)};
  GlobalUnlock(block);
  return view;
}

std::wstring DeviceNameOf(HGLOBAL devMode) {
  const DEVMODEW* mode = static_cast<const DEVMODEW*>(GlobalLock(devMode));
  std::wstring name(mode->dmDeviceName);
  GlobalUnlock(devMode);
  return name;
}

HGLOBAL BlankDevMode() {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEW));
  DEVMODEW* mode = static_cast<DEVMODEW*>(GlobalLock(block));
  mode->dmSize = sizeof(DEVMODEW);
  mode->dmPaperSize = DMPAPER_A4;
  mode->dmPaperWidth = 1111;
  mode->dmPaperLength = 2222;
  GlobalUnlock(block);
  return block;
}

_PRINTER_PREFERENCES Preferences(const wchar_t* name, const wchar_t* port) {
  _PRINTER_PREFERENCES p = {};
  p.printerName = name;
  p.portName = port;
  p.orientation = 2;
  p.paperSize = DMPAPER_USER;
  p.paperWidth = 8.5;
  p.paperLength = 11.0;
  p.scale = 90;
  p.copies = 3;
  p.defaultSource = DMBIN_MANUAL;
  p.printQuality = 300;
  p.yResolution = 300;
  return p;
}

class EnumPrintersTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    office_ = std::make_unique<InstalledPrinter>(L"Office Laser 2", Ppd());
    single_ = std::make_unique<InstalledPrinter>(L"Q", Ppd());
    ASSERT_TRUE(office_->installed() && single_->installed()) << "Wine's spooler refused the test printers";
  }
  void TearDown() override {
    single_.reset();
    office_.reset();
    DocumentTest::TearDown();
  }
  std::unique_ptr<InstalledPrinter> office_, single_;
};

TEST_F(EnumPrintersTest, ListsPrintersWithTheirPortsAndFindsThemByPartOfTheName) {
  CEnumPrinters printers;
  const int count = printers.GetCount();
  ASSERT_GE(count, 2);
  const int office = printers.FindPrinter(L"Office");
  ASSERT_LT(office, count);
  EXPECT_EQ(CString(L"Office Laser 2"), printers.GetPrinterName(office));
  EXPECT_EQ(CString(L"FILE:"), printers.GetPrinterPortName(office));
  // Case counts, and a name that is nowhere gives the count, whose port is "Error".
  EXPECT_EQ(count, printers.FindPrinter(L"office laser"));
  EXPECT_EQ(count, printers.FindPrinter(L"Nowhere Printer"));
  EXPECT_EQ(CString(L"Error"), printers.GetPrinterPortName(printers.FindPrinter(L"Nowhere Printer")));
  EXPECT_EQ(CString(L"Error"), printers.GetPrinterName(count));

  // A printer removed after the list was read stays listed until it is read again.
  single_.reset();
  EXPECT_LT(printers.FindPrinter(L"Q"), printers.GetCount());
  printers.ReadLocalPrinters();
  EXPECT_EQ(count - 1, printers.GetCount());
}

TEST_F(EnumPrintersTest, NewPrinterGetsItsDeviceModeAndADeviceNamesBlock) {
  CEnumPrinters printers;
  HGLOBAL devMode = BlankDevMode();
  HGLOBAL devNames = kNoHandle;
  ASSERT_TRUE(printers.SetNewPrinter(devMode, devNames, L"Q", L"winspooler", L"FILE:"));
  ASSERT_NE(kNoHandle, devNames);
  EXPECT_EQ(L"Q", DeviceNameOf(devMode));
  // winspooler (10 units), Q (1), FILE: (5): offsets 8, 19 and 21 units in 2 x (10 + 1 + 5 + 11) bytes.
  const DevNamesView names = ReadDevNames(devNames);
  EXPECT_EQ(8, names.driverOffset);
  EXPECT_EQ(19, names.deviceOffset);
  EXPECT_EQ(21, names.outputOffset);
  EXPECT_EQ(0, names.isDefault);
  EXPECT_EQ(54u, names.bytes);
  EXPECT_EQ(L"winspooler", names.driver);
  EXPECT_EQ(L"Q", names.device);
  EXPECT_EQ(L"FILE:", names.port);
  GlobalFree(devMode);
  GlobalFree(devNames);
}

TEST_F(EnumPrintersTest, APrinterThatCannotBeOpenedKeepsTheOldHandles) {
  CEnumPrinters printers;
  HGLOBAL devMode = BlankDevMode(), devNames = kNoHandle;
  const HGLOBAL oldMode = devMode;
  EXPECT_FALSE(printers.SetNewPrinter(devMode, devNames, L"Nowhere Printer", L"winspooler", L"FILE:"));
  EXPECT_EQ(oldMode, devMode);
  EXPECT_EQ(kNoHandle, devNames);
  GlobalFree(devMode);
}

TEST_F(EnumPrintersTest, PreferencesGoIntoTheDeviceModeWithCustomPaperInTenthsOfAMillimetre) {
  struct Case {
    short paperSize;
    double width, length;
    short expectedWidth, expectedLength;
  } cases[] = {
      {DMPAPER_USER, 8.5, 11.0, 2159, 2794},
      {DMPAPER_USER, 3.33, 4.0, 845, 1016},  // 845.82 is cut, not rounded
      {DMPAPER_LETTER, 8.5, 11.0, 1111, 2222},  // a named paper leaves the custom size alone
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    HGLOBAL devMode = BlankDevMode();
    _PRINTER_PREFERENCES p = Preferences(L"Q", L"FILE:");
    p.paperSize = c.paperSize;
    p.paperWidth = c.width;
    p.paperLength = c.length;
    ASSERT_TRUE(CEnumPrinters::ApplyPrinterPreferences(devMode, p));
    const DEVMODEW* mode = static_cast<const DEVMODEW*>(GlobalLock(devMode));
    EXPECT_EQ(c.paperSize, mode->dmPaperSize);
    EXPECT_EQ(c.expectedWidth, mode->dmPaperWidth);
    EXPECT_EQ(c.expectedLength, mode->dmPaperLength);
    EXPECT_EQ(2, mode->dmOrientation);
    EXPECT_EQ(90, mode->dmScale);
    EXPECT_EQ(3, mode->dmCopies);
    EXPECT_EQ(DMBIN_MANUAL, mode->dmDefaultSource);
    EXPECT_EQ(300, mode->dmPrintQuality);
    EXPECT_EQ(300, mode->dmYResolution);
    EXPECT_EQ(0u, mode->dmFields);  // left as the driver set it
    GlobalUnlock(devMode);
    GlobalFree(devMode);
  }
  EXPECT_FALSE(CEnumPrinters::ApplyPrinterPreferences(kNoHandle, Preferences(L"Q", L"FILE:")));
}

TEST_F(EnumPrintersTest, RestoreSelectsTheListedPrinterThatContainsTheStoredName) {
  CEnumPrinters printers;
  HGLOBAL devMode = BlankDevMode(), devNames = kNoHandle;
  ASSERT_TRUE(printers.RestorePrinterSelection(devMode, devNames, Preferences(L"Office", L"FILE:")));
  EXPECT_EQ(L"Office Laser 2", DeviceNameOf(devMode));
  const DevNamesView names = ReadDevNames(devNames);
  EXPECT_EQ(L"Office Laser 2", names.device);
  EXPECT_EQ(L"winspooler", names.driver);
  EXPECT_EQ(L"FILE:", names.port);
  const DEVMODEW* mode = static_cast<const DEVMODEW*>(GlobalLock(devMode));
  EXPECT_EQ(2, mode->dmOrientation);
  EXPECT_EQ(2159, mode->dmPaperWidth);
  EXPECT_EQ(3, mode->dmCopies);
  GlobalUnlock(devMode);
  EXPECT_TRUE(ShownMessages().empty());
  const std::wstring log = ErrorLogText();
  size_t at = 0;
  for (const wchar_t* step : {L"RestorePrinterSelection\r\n", L"RestorePrinterSelection 1", L"RestorePrinterSelection 2",
                              L"RestorePrinterSelection 3", L"RestorePrinterSelection 4", L"RestorePrinterSelection 5",
                              L"RestorePrinterSelection End"}) {
    at = log.find(std::wstring(L"CEnumPrinters::") + step, at);
    ASSERT_NE(std::wstring::npos, at) << "missing in order: " << std::string(step, step + wcslen(step));
  }
  GlobalFree(devMode);
  GlobalFree(devNames);
}

TEST_F(EnumPrintersTest, RestoreWithoutAUsablePrinterKeepsTheCurrentOne) {
  struct Case {
    const wchar_t* name;
    const wchar_t* port;
    bool removeAfterListing;  // listed, but gone from the spooler when it is opened
    const wchar_t* message;
  } cases[] = {
      {L"Office", L"", false, nullptr},
      {L"", L"FILE:", false, nullptr},
      {L"Nowhere", L"FILE:", false, L"The Nowhere printer is not available. The default printer will be used."},
      {L"Q", L"FILE:", true, L"The Q printer is not available. The default printer will be used."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "printer '" << std::string(c.name, c.name + wcslen(c.name)) << "'");
    ShownMessages().clear();
    CEnumPrinters printers;
    if (c.removeAfterListing) single_.reset();
    HGLOBAL devMode = BlankDevMode(), devNames = kNoHandle;
    const HGLOBAL oldMode = devMode;
    EXPECT_FALSE(printers.RestorePrinterSelection(devMode, devNames, Preferences(c.name, c.port)));
    EXPECT_EQ(oldMode, devMode);
    EXPECT_EQ(kNoHandle, devNames);
    // The preferences stay out of the device mode the application keeps using.
    const DEVMODEW* mode = static_cast<const DEVMODEW*>(GlobalLock(devMode));
    EXPECT_EQ(0, mode->dmCopies);
    EXPECT_EQ(DMPAPER_A4, mode->dmPaperSize);
    GlobalUnlock(devMode);
    if (c.message == nullptr) {
      EXPECT_TRUE(ShownMessages().empty());
    } else {
      ASSERT_EQ(1u, ShownMessages().size());
      EXPECT_EQ(c.message, ShownMessages()[0]);
    }
    GlobalFree(devMode);
  }
  EXPECT_NE(std::wstring::npos, ErrorLogText().find(L"CEnumPrinters::RestorePrinterSelection 4.5"));
}

// The document's printer fields as the printer switch and page setup exchange them.
TEST_F(EnumPrintersTest, DocumentPrinterPreferencesRoundTripThroughTheOptionsBlock) {
  CFolimarDoc doc;
  _PRINTER_PREFERENCES in = Preferences(L"Office Laser 2", L"FILE:");
  in.savedPrintingPreferences = 1;
  in.applyToPrinter = 1;
  in.paperIndex = 11;
  // 40 characters: the record and the block keep the first 31.
  const wchar_t* longForm = L"A form name of exactly forty characters.";
  ASSERT_EQ(40u, wcslen(longForm));
  wcsncpy(in.formName, longForm, 31);
  doc.SetPrinterPreferences(in);

  const _DOC_OPTIONS& o = doc.GetOptions();
  const BYTE* raw = reinterpret_cast<const BYTE*>(&o);
  EXPECT_STREQ(L"Office Laser 2", reinterpret_cast<const wchar_t*>(raw + 3858));
  EXPECT_STREQ(L"FILE:", reinterpret_cast<const wchar_t*>(raw + 4368));
  EXPECT_EQ(std::wstring(longForm, 31), reinterpret_cast<const wchar_t*>(raw + 4942));
  struct Field {
    size_t offset;
    int16_t value;
  } shorts[] = {{5204, 11}, {5206, 3}, {5208, 300}, {5210, 300}, {5212, DMBIN_MANUAL}, {5214, DMPAPER_USER},
                {5216, 90}};
  for (const Field& f : shorts) EXPECT_EQ(f.value, *reinterpret_cast<const int16_t*>(raw + f.offset)) << f.offset;
  EXPECT_EQ(1, *reinterpret_cast<const int32_t*>(raw + 5224));  // landscape
  EXPECT_EQ(1, *reinterpret_cast<const int32_t*>(raw + 5228));
  EXPECT_EQ(1, *reinterpret_cast<const int32_t*>(raw + 5232));
  EXPECT_DOUBLE_EQ(8.5, *reinterpret_cast<const double*>(raw + 5264));
  EXPECT_DOUBLE_EQ(11.0, *reinterpret_cast<const double*>(raw + 5272));

  _PRINTER_PREFERENCES out = {};
  doc.GetPrinterPreferences(out);
  EXPECT_EQ(reinterpret_cast<const wchar_t*>(raw + 3858), out.printerName);  // points into the block
  EXPECT_EQ(2, out.orientation);
  EXPECT_EQ(11, out.paperIndex);
  EXPECT_EQ(3, out.copies);
  EXPECT_EQ(90, out.scale);
  EXPECT_EQ(std::wstring(longForm, 31), out.formName);
  EXPECT_EQ(1, out.applyToPrinter);

  // Portrait clears the landscape flag; handing the block's own strings back keeps them.
  out.orientation = 1;
  doc.SetPrinterPreferences(out);
  EXPECT_EQ(0, *reinterpret_cast<const int32_t*>(raw + 5224));
  EXPECT_STREQ(L"Office Laser 2", reinterpret_cast<const wchar_t*>(raw + 3858));
}

}  // namespace

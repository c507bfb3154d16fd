// The application's binary profile records in the real registry, and its printer: the preferences
// read from it and the switch to the printer the active document stores, with printers installed in
// Wine's spooler.
#include "FolimarApp.h"

#include <gtest/gtest.h>
#include <winspool.h>

#include <memory>
#include <string>
#include <vector>

#include "ArchiveFixtures.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "InstalledPrinter.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "TestSupport.h"
#include "resource.h"

CFolimarApp theApp;

namespace {

using testing_support::InstalledPrinter;

std::vector<std::wstring> g_messages;
int RecordBox(LPCTSTR text, UINT) {
  g_messages.push_back(text);
  return IDOK;
}

std::wstring DeviceOfNames(HGLOBAL names) {
  const DEVNAMES* block = static_cast<const DEVNAMES*>(GlobalLock(names));
  std::wstring device = reinterpret_cast<const wchar_t*>(block) + block->wDeviceOffset;
  GlobalUnlock(names);
  return device;
}

// The application's printer switched to `name` with these preferences, as the print setup would.
void SelectApplicationPrinter(const wchar_t* name, const _PRINTER_PREFERENCES& preferences) {
  HGLOBAL mode = nullptr, names = nullptr;
  CEnumPrinters printers;
  ASSERT_TRUE(printers.SetNewPrinter(mode, names, name, kSpoolerDriverName, L"FILE:"));
  ASSERT_TRUE(CEnumPrinters::ApplyPrinterPreferences(mode, preferences));
  AfxSetPrinterHandles(mode, names);
}

class FolimarAppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(profile_.Ready());
    theApp.SetRegistryKey(L"Quennick");
    previousBox_ = SetMessageBoxPresenter(RecordBox);
    g_messages.clear();
    const std::wstring ppd = std::wstring(VANTRY_SOURCE_DIR) + L"/tests/vpd/data/VantrySimplex.ppd";
    office_ = std::make_unique<InstalledPrinter>(L"Office Laser 2", ppd);
    single_ = std::make_unique<InstalledPrinter>(L"Q", ppd);
    ASSERT_TRUE(office_->installed() && single_->installed()) << "Wine's spooler refused the test printers";
  }
  void TearDown() override {
    if (frame_ != nullptr) {
      for (POSITION pos = template_->GetFirstDocPosition(); pos;) template_->GetNextDoc(pos)->SetModifiedFlag(FALSE);
      theApp.CloseAllDocuments(FALSE);
      frame_->DestroyWindow();
      theApp.m_pMainWnd = nullptr;
    }
    AfxSetPrinterHandles(nullptr, nullptr);
    single_.reset();
    office_.reset();
    SetMessageBoxPresenter(previousBox_);
    testing_support::DeleteRegistryTree(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quennick\\Vantry\\Test section");
  }

  // A main frame with one open document; the document is the frame's active one.
  CFolimarDoc* OpenDocument() {
    if (template_ == nullptr) {
      template_ = new CMultiDocTemplate(IDR_FOLIMARTYPE, RUNTIME_CLASS(CFolimarDoc), RUNTIME_CLASS(CMDIChildWnd),
                                        RUNTIME_CLASS(CFolimarView));
      theApp.AddDocTemplate(template_);
    }
    frame_ = new CMainFrame;
    if (!frame_->LoadFrame(IDR_MAINFRAME)) return nullptr;
    theApp.m_pMainWnd = frame_;
    return dynamic_cast<CFolimarDoc*>(template_->OpenDocumentFile(nullptr));
  }

  fixtures::PrivateUserProfile profile_;
  testing_support::PrivateTempPath temp_;
  MessageBoxPresenter previousBox_ = nullptr;
  std::unique_ptr<InstalledPrinter> office_, single_;
  CMainFrame* frame_ = nullptr;
  static CMultiDocTemplate* template_;
};
CMultiDocTemplate* FolimarAppTest::template_ = nullptr;

struct Record {
  int32_t a;
  double b;
};

TEST_F(FolimarAppTest, RecordsAreBinaryValuesUnderTheProductKeyOfTheChosenHive) {
  const Record written = {7, 2.5};
  ASSERT_TRUE(theApp.WriteProfileData(L"Test section", L"Record", &written, sizeof(written), HKEY_CURRENT_USER));

  // Where and how it is stored: the record's bytes, unchanged, as REG_BINARY.
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS,
            RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\Quennick\\Vantry\\Test section", 0, KEY_READ, &key));
  BYTE stored[64];
  DWORD type = 0, size = sizeof(stored);
  ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, L"Record", nullptr, &type, stored, &size));
  RegCloseKey(key);
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
  ASSERT_EQ(sizeof(written), size);
  EXPECT_EQ(0, memcmp(stored, &written, sizeof(written)));

  Record read = {};
  ASSERT_TRUE(theApp.GetProfileData(L"Test section", L"Record", &read, sizeof(read), HKEY_CURRENT_USER));
  EXPECT_EQ(7, read.a);
  EXPECT_DOUBLE_EQ(2.5, read.b);

  // A stored record larger than the caller's buffer, a value in the other hive and a missing value
  // all fail and leave the caller's defaults.
  int32_t small = 99;
  EXPECT_FALSE(theApp.GetProfileData(L"Test section", L"Record", &small, sizeof(small), HKEY_CURRENT_USER));
  EXPECT_EQ(99, small);
  Record other = {1, 1.0};
  EXPECT_FALSE(theApp.GetProfileData(L"Test section", L"Record", &other, sizeof(other), HKEY_LOCAL_MACHINE));
  EXPECT_FALSE(theApp.GetProfileData(L"Test section", L"Missing", &other, sizeof(other), HKEY_CURRENT_USER));
  EXPECT_EQ(1, other.a);

  const Record machine = {3, 4.0};
  ASSERT_TRUE(theApp.WriteProfileData(L"Test section", L"Record", &machine, sizeof(machine), HKEY_LOCAL_MACHINE));
  ASSERT_TRUE(theApp.GetProfileData(L"Test section", L"Record", &other, sizeof(other), HKEY_LOCAL_MACHINE));
  EXPECT_EQ(3, other.a);
  ASSERT_TRUE(theApp.GetProfileData(L"Test section", L"Record", &other, sizeof(other), HKEY_CURRENT_USER));
  EXPECT_EQ(7, other.a);
}

TEST_F(FolimarAppTest, CurrentPrinterPreferencesComeFromTheApplicationsPrinter) {
  _PRINTER_PREFERENCES chosen = {};
  chosen.orientation = 2;
  chosen.paperSize = DMPAPER_USER;
  chosen.paperWidth = 8.5;
  chosen.paperLength = 11.0;
  chosen.copies = 3;
  chosen.scale = 100;
  chosen.printQuality = 300;
  chosen.yResolution = 300;
  SelectApplicationPrinter(L"Q", chosen);

  _PRINTER_PREFERENCES p = {};
  p.savedPrintingPreferences = 5;  // the document's own fields stay
  p.applyToPrinter = 6;
  theApp.GetCurrentPrinterPreferences(p);
  ASSERT_NE(nullptr, p.printerName);
  // The printers were installed after the application listed them at its start: the port is found.
  EXPECT_STREQ(L"Q", p.printerName);
  EXPECT_STREQ(L"FILE:", p.portName);
  EXPECT_EQ(2, p.orientation);
  EXPECT_EQ(DMPAPER_USER, p.paperSize);
  EXPECT_NEAR(8.5, p.paperWidth, 1e-9);
  EXPECT_NEAR(11.0, p.paperLength, 1e-9);
  EXPECT_EQ(3, p.copies);
  EXPECT_EQ(300, p.printQuality);
  EXPECT_EQ(5, p.savedPrintingPreferences);
  EXPECT_EQ(6, p.applyToPrinter);
}

TEST_F(FolimarAppTest, RestoreSwitchesToThePrinterTheActiveDocumentStores) {
  EXPECT_EQ(0, theApp.RestorePrinterSelection());  // no main frame, no document

  CFolimarDoc* doc = OpenDocument();
  ASSERT_NE(nullptr, doc);
  SelectApplicationPrinter(L"Q", _PRINTER_PREFERENCES{});
  _PRINTER_PREFERENCES stored = {};
  stored.printerName = L"Office";
  stored.portName = L"FILE:";
  stored.orientation = 2;
  stored.paperSize = DMPAPER_LETTER;
  stored.copies = 2;
  doc->SetPrinterPreferences(stored);

  ASSERT_EQ(1, theApp.RestorePrinterSelection());
  HGLOBAL mode = nullptr, names = nullptr;
  AfxGetPrinterHandles(&mode, &names);
  EXPECT_EQ(L"Office Laser 2", DeviceOfNames(names));
  const DEVMODEW* devMode = static_cast<const DEVMODEW*>(GlobalLock(mode));
  EXPECT_STREQ(L"Office Laser 2", devMode->dmDeviceName);
  EXPECT_EQ(2, devMode->dmCopies);
  EXPECT_EQ(DMPAPER_LETTER, devMode->dmPaperSize);
  GlobalUnlock(mode);
  EXPECT_TRUE(g_messages.empty());

  // A printer that is gone keeps the current one and says so.
  stored.printerName = L"Gone Printer";
  doc->SetPrinterPreferences(stored);
  EXPECT_EQ(0, theApp.RestorePrinterSelection());
  HGLOBAL modeAfter = nullptr, namesAfter = nullptr;
  AfxGetPrinterHandles(&modeAfter, &namesAfter);
  EXPECT_EQ(mode, modeAfter);
  EXPECT_EQ(names, namesAfter);
  ASSERT_EQ(1u, g_messages.size());
  EXPECT_EQ(L"The Gone Printer printer is not available. The default printer will be used.", g_messages[0]);
}

}  // namespace

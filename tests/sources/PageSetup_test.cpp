// Page setup run modally on a real document in a real main frame: sizes by format and orientation,
// the printer's form, copies that reach the document only at OK, and the printer preferences.
#include "PageSetup.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <memory>
#include <string>

#include "ArchiveFixtures.h"
#include "DialogDriver.h"
#include "EnumPrinters.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "InstalledPrinter.h"
#include "MainFrm.h"
#include "PaperTable.h"
#include "resource.h"

extern CFolimarApp theApp;

namespace {

using testing_support::ControlText;
using testing_support::Checked;
using testing_support::Click;
using testing_support::Enabled;
using testing_support::RunDialog;
using testing_support::SelectComboItem;
using testing_support::TypeText;

bool ReadOnly(HWND dialog, int id) { return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & ES_READONLY) != 0; }
int FormatCount(HWND dialog) { return static_cast<int>(SendDlgItemMessageW(dialog, IDC_COMBO_FORMAT, CB_GETCOUNT, 0, 0)); }
std::wstring FormatShown(HWND dialog) {
  const LRESULT index = SendDlgItemMessageW(dialog, IDC_COMBO_FORMAT, CB_GETCURSEL, 0, 0);
  wchar_t text[64] = {};
  if (index >= 0) SendDlgItemMessageW(dialog, IDC_COMBO_FORMAT, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}
// Another page chosen the way the user does: the list opens (the page shown is kept), then a pick.
void ChoosePage(HWND dialog, int index) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_COMBO_PAGES, CBN_DROPDOWN),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_COMBO_PAGES)));
  SelectComboItem(dialog, IDC_COMBO_PAGES, index);
}

_PAGE_SETTINGS Settings(int index, int orientation, double width, double height, const wchar_t* form = L"") {
  _PAGE_SETTINGS s = {};
  s.paperIndex = index;
  s.orientation = static_cast<int16_t>(orientation);
  s.width = width;
  s.height = height;
  s.paperSize = static_cast<int16_t>(index <= kPaperLastRow ? PaperTable[index].paperSize : 119);
  lstrcpynW(s.formName, form, 32);
  return s;
}

class PageSetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(profile_.Ready());
    if (template_ == nullptr) {
      template_ = new CMultiDocTemplate(IDR_FOLIMARTYPE, RUNTIME_CLASS(CFolimarDoc), RUNTIME_CLASS(CMDIChildWnd),
                                        RUNTIME_CLASS(CFolimarView));
      theApp.AddDocTemplate(template_);
    }
    frame_ = new CMainFrame;
    ASSERT_TRUE(frame_->LoadFrame(IDR_MAINFRAME));
    theApp.m_pMainWnd = frame_;
    doc_ = dynamic_cast<CFolimarDoc*>(template_->OpenDocumentFile(nullptr));
    ASSERT_NE(nullptr, doc_);
    doc_->AppendNewPage();
    doc_->AppendNewPage();
    doc_->SetPageSettings(Settings(kPaperA4, DMORIENT_LANDSCAPE, 11.69, 8.27), 0);
    doc_->SetPageSettings(Settings(kPaperCustom, DMORIENT_PORTRAIT, 5, 7), 1);
    doc_->SetPageSettings(Settings(kPaperPrinterForm, DMORIENT_PORTRAIT, 4, 6, L"Vantry Card"), 2);
  }
  void TearDown() override {
    doc_->SetModifiedFlag(FALSE);
    theApp.CloseAllDocuments(FALSE);
    frame_->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    AfxSetPrinterHandles(nullptr, nullptr);
  }
  CFolimarView* View() {
    POSITION pos = doc_->GetFirstViewPosition();
    return static_cast<CFolimarView*>(doc_->GetNextView(pos));
  }
  _PAGE_SETTINGS Page(int index) {
    _PAGE_SETTINGS s = {};
    doc_->GetPageSettings(s, index);
    return s;
  }

  fixtures::PrivateUserProfile profile_;
  testing_support::PrivateTempPath temp_;
  CMainFrame* frame_ = nullptr;
  CFolimarDoc* doc_ = nullptr;
  static CMultiDocTemplate* template_;
};
CMultiDocTemplate* PageSetupTest::template_ = nullptr;

TEST_F(PageSetupTest, TurningAPageSwapsItsSizeAndOkStoresIt) {
  CPageSetup setup;
  EXPECT_EQ(IDOK, RunDialog(setup, [](HWND dialog) {
              EXPECT_EQ(L"A4", FormatShown(dialog));
              EXPECT_TRUE(Checked(dialog, IDC_RADIO_LANDSCAPE));
              EXPECT_EQ(L"11.69", ControlText(dialog, IDC_EDIT_PAPER_WIDTH));
              EXPECT_EQ(L"8.27", ControlText(dialog, IDC_EDIT_PAPER_HEIGHT));
              EXPECT_TRUE(ReadOnly(dialog, IDC_EDIT_PAPER_WIDTH));
              Click(dialog, IDC_RADIO_PORTRAIT);
              EXPECT_EQ(L"8.27", ControlText(dialog, IDC_EDIT_PAPER_WIDTH));
              EXPECT_EQ(L"11.69", ControlText(dialog, IDC_EDIT_PAPER_HEIGHT));
              EXPECT_EQ(L"A4", FormatShown(dialog));
              Click(dialog, IDOK);
            }));
  const _PAGE_SETTINGS first = Page(0);
  EXPECT_EQ(DMORIENT_PORTRAIT, first.orientation);
  EXPECT_EQ(kPaperA4, first.paperIndex);
  EXPECT_EQ(DMPAPER_A4, first.paperSize);
  EXPECT_DOUBLE_EQ(8.27, first.width);
  EXPECT_DOUBLE_EQ(11.69, first.height);
  EXPECT_DOUBLE_EQ(5, Page(1).width);  // the other pages as they were
}

TEST_F(PageSetupTest, CustomSizeTurnsAndStaysEditable) {
  View()->SetActivePage(1);
  CPageSetup setup;
  EXPECT_EQ(IDOK, RunDialog(setup, [](HWND dialog) {
              EXPECT_EQ(L"Custom", FormatShown(dialog));
              EXPECT_EQ(L"5.00", ControlText(dialog, IDC_EDIT_PAPER_WIDTH));
              EXPECT_FALSE(ReadOnly(dialog, IDC_EDIT_PAPER_WIDTH));
              Click(dialog, IDC_RADIO_LANDSCAPE);
              EXPECT_EQ(L"7.00", ControlText(dialog, IDC_EDIT_PAPER_WIDTH));
              EXPECT_EQ(L"5.00", ControlText(dialog, IDC_EDIT_PAPER_HEIGHT));
              Click(dialog, IDC_RADIO_LANDSCAPE);  // the orientation it has turns nothing
              EXPECT_EQ(L"7.00", ControlText(dialog, IDC_EDIT_PAPER_WIDTH));
              EXPECT_FALSE(ReadOnly(dialog, IDC_EDIT_PAPER_HEIGHT));
              TypeText(dialog, IDC_EDIT_PAPER_HEIGHT, L"4.5");
              Click(dialog, IDOK);
            }));
  const _PAGE_SETTINGS page = Page(1);
  EXPECT_EQ(DMORIENT_LANDSCAPE, page.orientation);
  EXPECT_EQ(DMPAPER_USER, page.paperSize);
  EXPECT_DOUBLE_EQ(7, page.width);
  EXPECT_DOUBLE_EQ(4.5, page.height);
}

TEST_F(PageSetupTest, ThePrintersFormIsTheTwelfthFormat) {
  View()->SetActivePage(2);
  CPageSetup setup;
  RunDialog(setup, [](HWND dialog) {
    EXPECT_EQ(12, FormatCount(dialog));
    EXPECT_EQ(L"Vantry Card", FormatShown(dialog));
    EXPECT_EQ(L"4.00", ControlText(dialog, IDC_EDIT_PAPER_WIDTH));
    EXPECT_TRUE(ReadOnly(dialog, IDC_EDIT_PAPER_WIDTH));
    // Another page with its own form replaces the entry instead of adding one.
    ChoosePage(dialog, 0);
    ChoosePage(dialog, 2);
    EXPECT_EQ(12, FormatCount(dialog));
  });
  EXPECT_EQ(119, Page(2).paperSize);
}

TEST_F(PageSetupTest, EditsOfSeveralPagesReachTheDocumentOnlyAtOk) {
  for (int answer : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(answer);
    CPageSetup setup;
    RunDialog(setup, [answer](HWND dialog) {
      SelectComboItem(dialog, IDC_COMBO_FORMAT, 2);  // Legal
      EXPECT_EQ(L"14.00", ControlText(dialog, IDC_EDIT_PAPER_WIDTH));  // still landscape
      ChoosePage(dialog, 1);
      EXPECT_EQ(L"Custom", FormatShown(dialog));
      SelectComboItem(dialog, IDC_COMBO_FORMAT, 8);  // A5
      ChoosePage(dialog, 0);
      EXPECT_EQ(L"Legal", FormatShown(dialog));  // the page shown was kept when the list opened
      Click(dialog, answer);
    });
    if (answer == IDCANCEL) {
      EXPECT_EQ(kPaperA4, Page(0).paperIndex);
      EXPECT_EQ(kPaperCustom, Page(1).paperIndex);
    } else {
      // The code follows the format chosen.
      EXPECT_EQ(2, Page(0).paperIndex);
      EXPECT_EQ(DMPAPER_LEGAL, Page(0).paperSize);
      EXPECT_DOUBLE_EQ(14, Page(0).width);
      EXPECT_EQ(8, Page(1).paperIndex);
      EXPECT_EQ(DMPAPER_A5, Page(1).paperSize);
      EXPECT_DOUBLE_EQ(5.83, Page(1).width);
    }
  }
}

class PageSetupPrinterTest : public PageSetupTest {
 protected:
  void SetUp() override {
    PageSetupTest::SetUp();
    printer_ = std::make_unique<testing_support::InstalledPrinter>(
        L"Vantry Setup", std::wstring(VANTRY_SOURCE_DIR) + L"/tests/vpd/data/VantrySimplex.ppd");
    ASSERT_TRUE(printer_->installed());
  }
  void TearDown() override {
    PageSetupTest::TearDown();
    printer_.reset();
  }
  // The application's printer is the test printer with this paper.
  void SelectPrinter(short paperSize, const wchar_t* formName) {
    HGLOBAL mode = nullptr, names = nullptr;
    CEnumPrinters printers;
    ASSERT_TRUE(printers.SetNewPrinter(mode, names, L"Vantry Setup", kSpoolerDriverName, L"FILE:"));
    DEVMODEW* devMode = static_cast<DEVMODEW*>(GlobalLock(mode));
    devMode->dmPaperSize = paperSize;
    devMode->dmOrientation = DMORIENT_PORTRAIT;
    devMode->dmCopies = 2;
    lstrcpynW(devMode->dmFormName, formName, CCHFORMNAME);
    GlobalUnlock(mode);
    AfxSetPrinterHandles(mode, names);
  }
  std::unique_ptr<testing_support::InstalledPrinter> printer_;
};

TEST_F(PageSetupPrinterTest, PrinterPreferencesAreLoadedAndSavedWithTheDocument) {
  SelectPrinter(DMPAPER_A4, L"A4");
  CPageSetup setup;
  EXPECT_EQ(IDOK, RunDialog(setup, [](HWND dialog) {
              // Nothing loaded yet: the save box cannot be set.
              EXPECT_FALSE(Enabled(dialog, IDC_CHECK_SAVE_PREFERENCES));
              EXPECT_TRUE(Enabled(dialog, IDC_CHECK_APPLY_PRINTER));
              Click(dialog, IDC_BUTTON_LOAD_PRINTER);
              EXPECT_EQ(L"Vantry Setup", ControlText(dialog, IDC_EDIT_PRINTER_NAME));
              EXPECT_EQ(L"FILE:", ControlText(dialog, IDC_EDIT_PRINTER_PORT));
              EXPECT_EQ(L"2", ControlText(dialog, IDC_EDIT_COPIES));
              EXPECT_TRUE(ReadOnly(dialog, IDC_EDIT_PRINTER_NAME));
              EXPECT_TRUE(Checked(dialog, IDC_CHECK_SAVE_PREFERENCES));
              EXPECT_TRUE(Checked(dialog, IDC_CHECK_APPLY_PRINTER));
              EXPECT_FALSE(Enabled(dialog, IDC_CHECK_APPLY_PRINTER));  // greyed while saving
              Click(dialog, IDOK);
            }));
  _PRINTER_PREFERENCES stored = {};
  doc_->GetPrinterPreferences(stored);
  EXPECT_EQ(1, stored.savedPrintingPreferences);
  EXPECT_EQ(1, stored.applyToPrinter);
  EXPECT_STREQ(L"Vantry Setup", stored.printerName);
  EXPECT_STREQ(L"FILE:", stored.portName);
  EXPECT_EQ(2, stored.copies);
}

TEST_F(PageSetupPrinterTest, PageSettingsFromThePrintersPaper) {
  SelectPrinter(DMPAPER_A4, L"A4");
  View()->SetActivePage(2);  // shows the printer form entry
  CPageSetup setup;
  RunDialog(setup, [](HWND dialog) {
    Click(dialog, IDC_BUTTON_LOAD_PAGE);
    EXPECT_EQ(L"A4", FormatShown(dialog));
    EXPECT_EQ(12, FormatCount(dialog));  // a standard paper removes nothing
    EXPECT_EQ(L"8.27", ControlText(dialog, IDC_EDIT_PAPER_WIDTH));
    EXPECT_TRUE(Checked(dialog, IDC_CHECK_APPLY_PRINTER));
  });

  // A paper of no row: the printer's form with the printer's physical page size.
  SelectPrinter(DMPAPER_ENV_10, L"Envelope Ten");
  CPrintDialog defaults(FALSE);
  ASSERT_TRUE(defaults.GetDefaults());
  ASSERT_NE(nullptr, defaults.m_pd.hDC);
  CString width;
  width.Format(L"%.2f", static_cast<double>(GetDeviceCaps(defaults.m_pd.hDC, PHYSICALWIDTH)) /
                            GetDeviceCaps(defaults.m_pd.hDC, LOGPIXELSX));
  View()->SetActivePage(0);
  CPageSetup second;
  EXPECT_EQ(IDOK, RunDialog(second, [&width](HWND dialog) {
              Click(dialog, IDC_BUTTON_LOAD_PAGE);
              EXPECT_EQ(12, FormatCount(dialog));
              EXPECT_EQ(L"Envelope Ten", FormatShown(dialog));
              EXPECT_EQ(std::wstring(width), ControlText(dialog, IDC_EDIT_PAPER_WIDTH));
              Click(dialog, IDOK);
            }));
  EXPECT_EQ(kPaperPrinterForm, Page(0).paperIndex);
  EXPECT_EQ(DMPAPER_ENV_10, Page(0).paperSize);
  EXPECT_STREQ(L"Envelope Ten", Page(0).formName);
}

}  // namespace

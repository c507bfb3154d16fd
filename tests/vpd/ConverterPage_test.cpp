// The Converter page in a real sheet, read back from the registry.
#include "PageTest.h"

namespace {

using namespace vpd_test;

const std::wstring kConverter = kTree + L"\\Converter";

class ConverterPageTest : public PageTest {};

TEST_F(ConverterPageTest, AFreshInstallShowsTheDefaults) {
  HWND page = openPage(L"Converter");
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(controlText(page, IDC_CONVERTER_THREADS), L"1");
  EXPECT_EQ(controlText(page, IDC_CONVERTER_OUTPUT_DIRECTORY), L"");
  EXPECT_TRUE(checked(page, IDC_CONVERTER_SHOW_PROGRESS));
  EXPECT_FALSE(checked(page, IDC_CONVERTER_CLEANUP));
  EXPECT_FALSE(checked(page, IDC_CONVERTER_DRAW_BORDERS));
  EXPECT_EQ(comboSelection(page, IDC_CONVERTER_PAGES_PER_SHEET), L"1");
  // Applying without a change writes nothing.
  sheet->apply();
  EXPECT_FALSE(valueExists(HKEY_CURRENT_USER, kConverter, L"Threads"));
}

TEST_F(ConverterPageTest, AnUnofferedPagesPerSheetIsKeptUnlessTheUserPicksOne) {
  setDword(HKEY_CURRENT_USER, kConverter, L"Pages Per Sheet", 3);
  HWND page = openPage(L"Converter");
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(comboSelection(page, IDC_CONVERTER_PAGES_PER_SHEET), L"");
  typeText(page, IDC_CONVERTER_THREADS, L"12");
  sheet->apply();
  DWORD number = 0;
  ASSERT_TRUE(getDword(HKEY_CURRENT_USER, kConverter, L"Threads", number));
  EXPECT_EQ(number, 12u);
  ASSERT_TRUE(getDword(HKEY_CURRENT_USER, kConverter, L"Pages Per Sheet", number));
  EXPECT_EQ(number, 3u);

  chooseComboEntry(page, IDC_CONVERTER_PAGES_PER_SHEET, L"9");
  click(page, IDC_CONVERTER_DRAW_BORDERS);
  click(page, IDC_CONVERTER_SHOW_PROGRESS);
  typeText(page, IDC_CONVERTER_OUTPUT_DIRECTORY, L"%USERPROFILE%\\Vantry output");
  sheet->apply();
  struct Expected {
    const wchar_t* name;
    DWORD value;
  };
  for (const Expected& e : {Expected{L"Pages Per Sheet", 9}, Expected{L"Draw Borders", 1},
                            Expected{L"Show Progress", 0}, Expected{L"Cleanup Output", 0}, Expected{L"Enabled", 1}}) {
    ASSERT_TRUE(getDword(HKEY_CURRENT_USER, kConverter, e.name, number)) << "missing value";
    EXPECT_EQ(number, e.value);
  }
  std::wstring text;
  ASSERT_TRUE(getString(HKEY_CURRENT_USER, kConverter, L"Output Directory", text));
  EXPECT_EQ(text, L"%USERPROFILE%\\Vantry output");  // stored unexpanded
}

void pressBrowse(void* page) { click(static_cast<HWND>(page), IDC_CONVERTER_BROWSE); }

void acceptFolder(HWND dialog, void*) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

void cancelFolder(HWND dialog, void*) { SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

TEST_F(ConverterPageTest, BrowseStartsAtTheTypedFolderAndTakesTheChosenOne) {
  HWND page = openPage(L"Converter");
  ASSERT_NE(page, nullptr);
  typeText(page, IDC_CONVERTER_OUTPUT_DIRECTORY, L"C:\\windows\\system32");
  whileDialogOpen(L"Browse for Folder", pressBrowse, page, cancelFolder, nullptr);
  EXPECT_EQ(controlText(page, IDC_CONVERTER_OUTPUT_DIRECTORY), L"C:\\windows\\system32");
  // Accepted at once, the dialog returns the folder it started at.
  whileDialogOpen(L"Browse for Folder", pressBrowse, page, acceptFolder, nullptr);
  EXPECT_EQ(controlText(page, IDC_CONVERTER_OUTPUT_DIRECTORY), L"C:\\windows\\system32");
}

}  // namespace

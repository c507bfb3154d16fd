// The PNG page in a real sheet, read back from the registry.
#include "PageTest.h"

namespace {

using namespace vpd_test;

const std::wstring kPng = kTree + L"\\Converter\\PNG";

class PngPageTest : public PageTest {};

TEST_F(PngPageTest, GrayscaleForcesEightBitsAndDitheringIsForOneBitOnly) {
  setDword(HKEY_CURRENT_USER, kPng, L"Enabled", 1);
  HWND page = openPage(L"PNG");
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(comboSelection(page, IDC_PNG_BITS_PER_PIXEL), L"24 bits - true color");
  EXPECT_EQ(comboSelection(page, IDC_PNG_DITHERING), L"Floyd-Steinberg [Default]");
  EXPECT_FALSE(enabled(page, IDC_PNG_DITHERING));

  click(page, IDC_PNG_GRAYSCALE);
  EXPECT_EQ(comboSelection(page, IDC_PNG_BITS_PER_PIXEL), L"8 bits - 256 colors");
  EXPECT_FALSE(enabled(page, IDC_PNG_BITS_PER_PIXEL));
  click(page, IDC_PNG_GRAYSCALE);
  EXPECT_TRUE(enabled(page, IDC_PNG_BITS_PER_PIXEL));
  EXPECT_EQ(comboSelection(page, IDC_PNG_BITS_PER_PIXEL), L"8 bits - 256 colors");

  struct Case {
    const wchar_t* bits;
    bool dithering;
  };
  for (const Case& c : {Case{L"1 bit - black and white", true}, Case{L"4 bits - 16 colors", false},
                        Case{L"24 bits - true color", false}, Case{L"1 bit - black and white", true}}) {
    chooseComboEntry(page, IDC_PNG_BITS_PER_PIXEL, c.bits);
    EXPECT_EQ(enabled(page, IDC_PNG_DITHERING), c.dithering) << testing::PrintToString(std::wstring(c.bits));
  }
  chooseComboEntry(page, IDC_PNG_DITHERING, L"Stucki");
  sheet->apply();
  DWORD number = 0;
  struct Expected {
    const wchar_t* name;
    DWORD value;
  };
  for (const Expected& e : {Expected{L"Enabled", 1}, Expected{L"Bits per pixel", 1}, Expected{L"Grayscale", 0},
                            Expected{L"Dithering", 3}, Expected{L"Cleanup", 0}}) {
    ASSERT_TRUE(getDword(HKEY_CURRENT_USER, kPng, e.name, number)) << "missing value";
    EXPECT_EQ(number, e.value);
  }

  // Switching the output off disables everything below it.
  click(page, IDC_PNG_ENABLE);
  for (int id : {IDC_PNG_BITS_PER_PIXEL, IDC_PNG_GRAYSCALE, IDC_PNG_DITHERING, IDC_PNG_BITS_LABEL,
                 IDC_PNG_DITHERING_LABEL})
    EXPECT_FALSE(enabled(page, id)) << id;
}

void pressApply(void* sheet) { static_cast<Sheet*>(sheet)->apply(); }

void readMessageAndClose(HWND box, void* text) {
  const int messageText = 0xFFFF;  // the message box's static text
  *static_cast<std::wstring*>(text) = controlText(box, messageText);
  SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST_F(PngPageTest, AFailedSaveIsReportedAndTheApplyStillAccepted) {
  ASSERT_TRUE(state.restrictKey(HKEY_CURRENT_USER, kPng, L"D:P(A;;KR;;;WD)"));  // readable, not writable
  HWND page = openPage(L"PNG");
  ASSERT_NE(page, nullptr);
  click(page, IDC_PNG_ENABLE);
  EXPECT_TRUE(sheet->applyEnabled());
  std::wstring message;
  whileDialogOpen(L"Vantry properties", pressApply, sheet.get(), readMessageAndClose, &message);
  EXPECT_EQ(message.rfind(L"Failed to create/open registry key\nHKCU\\Software\\Vantry\nError # 5: ", 0), 0u)
      << testing::PrintToString(message);
  EXPECT_FALSE(sheet->applyEnabled());
  EXPECT_FALSE(valueExists(HKEY_CURRENT_USER, kPng, L"Enabled"));
}

}  // namespace

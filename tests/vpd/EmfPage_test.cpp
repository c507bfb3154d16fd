// The EMF page in a real sheet, read back from the registry.
#include "PageTest.h"

namespace {

using namespace vpd_test;

const std::wstring kEmf = kTree + L"\\Converter\\EMF";

class EmfPageTest : public PageTest {};

TEST_F(EmfPageTest, WidthsAreEditableOnlyWithNormalizationAndKeepThreeDigits) {
  setDword(HKEY_LOCAL_MACHINE, kEmf, L"Store system fonts", 1);  // kept and written back
  HWND page = openPage(L"EMF");
  ASSERT_NE(page, nullptr);
  const int widths[] = {IDC_EMF_THIN_LABEL, IDC_EMF_THICK_LABEL, IDC_EMF_THIN_WIDTH, IDC_EMF_THICK_WIDTH};
  EXPECT_FALSE(enabled(page, IDC_EMF_NORMALIZE));
  click(page, IDC_EMF_ENABLE);
  EXPECT_TRUE(enabled(page, IDC_EMF_NORMALIZE));
  for (int id : widths) EXPECT_FALSE(enabled(page, id)) << id;
  click(page, IDC_EMF_NORMALIZE);
  for (int id : widths) EXPECT_TRUE(enabled(page, id)) << id;

  typeText(page, IDC_EMF_THIN_WIDTH, L"12345");
  typeText(page, IDC_EMF_THICK_WIDTH, L"7");
  sheet->apply();
  struct Expected {
    const wchar_t* name;
    DWORD value;
  };
  DWORD number = 0;
  for (const Expected& e : {Expected{L"Enabled", 1}, Expected{L"Normalize lines", 1}, Expected{L"Thin line width", 123},
                            Expected{L"Thick line width", 7}, Expected{L"Store system fonts", 1}}) {
    ASSERT_TRUE(getDword(HKEY_CURRENT_USER, kEmf, e.name, number)) << "missing value";
    EXPECT_EQ(number, e.value);
  }
  page = openPage(L"EMF");
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(controlText(page, IDC_EMF_THIN_WIDTH), L"123");
}

}  // namespace

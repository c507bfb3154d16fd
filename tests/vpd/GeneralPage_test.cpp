// The General page over the test printers: what it shows of the device mode, what Apply stores, and
// the orientation picture.
#include "PrinterPageTest.h"

namespace {

using namespace vpd_test;

const wchar_t* const vantry = L"Vantry";

class GeneralPageTest : public PrinterPageTest {};

std::vector<std::wstring> comboEntries(HWND dialog, int id) {
  std::vector<std::wstring> entries;
  HWND combo = GetDlgItem(dialog, id);
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t text[128] = L"";
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    entries.push_back(text);
  }
  return entries;
}

TEST_F(GeneralPageTest, ShowsThePrintersResolutionsPrintModeAndOrientation) {
  install(L"VantryDuplex.ppd");
  ASSERT_TRUE(vpd::setResolution(vantry, vpd::Resolution{204, 196}, nullptr, false));
  ASSERT_TRUE(vpd::setDuplex(vantry, vpd::duplexLongEdge, nullptr, false));
  ASSERT_TRUE(vpd::setOrientation(vantry, vpd::orientationLandscape, nullptr, false));
  HWND page = openPage(0, L"General");
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(comboEntries(page, IDC_GENERAL_RESOLUTION),
            (std::vector<std::wstring>{L"150 x 150 DPI", L"300 x 300 DPI", L"600 x 600 DPI",
                                       L"204 x 196 DPI - Fine FAX mode"}));
  EXPECT_EQ(comboSelection(page, IDC_GENERAL_RESOLUTION), L"204 x 196 DPI - Fine FAX mode");
  EXPECT_EQ(comboEntries(page, IDC_GENERAL_PRINT_MODE),
            (std::vector<std::wstring>{L"One side", L"Flip pages on long edge", L"Flip pages on short edge"}));
  EXPECT_EQ(comboSelection(page, IDC_GENERAL_PRINT_MODE), L"Flip pages on long edge");
  EXPECT_TRUE(checked(page, IDC_GENERAL_LANDSCAPE));
  EXPECT_FALSE(checked(page, IDC_GENERAL_PORTRAIT));
  EXPECT_FALSE(sheet().applyEnabled());
}

TEST_F(GeneralPageTest, ChangesReachThePrinterOnlyOnApply) {
  install(L"VantryDuplex.ppd");
  HWND page = openPage(0, L"General");
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(checked(page, IDC_GENERAL_PORTRAIT));
  const Fields before = storedFields();
  chooseComboEntry(page, IDC_GENERAL_RESOLUTION, L"600 x 600 DPI");
  chooseComboEntry(page, IDC_GENERAL_PRINT_MODE, L"Flip pages on short edge");
  click(page, IDC_GENERAL_LANDSCAPE);
  EXPECT_TRUE(checked(page, IDC_GENERAL_LANDSCAPE));
  EXPECT_FALSE(checked(page, IDC_GENERAL_PORTRAIT));
  EXPECT_TRUE(sheet().applyEnabled());
  EXPECT_TRUE(storedFields() == before);

  sheet().apply();
  vpd::Devmode after = stored();
  ASSERT_FALSE(after.empty());
  const DEVMODEW* mode = vpd::devmodeOf(after);
  EXPECT_EQ(mode->dmPrintQuality, 600);
  EXPECT_EQ(mode->dmYResolution, 600);
  EXPECT_EQ(mode->dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(mode->dmDuplex, DMDUP_HORIZONTAL);
  EXPECT_FALSE(sheet().applyEnabled());
}

// Without duplex in the device mode the page offers one side, and Apply stores the rest only.
TEST_F(GeneralPageTest, APrinterWithoutDuplexShowsOneSideAndKeepsItsDevmodeWithoutDuplex) {
  install(L"VantrySimplex.ppd");
  HWND page = openPage(0, L"General");
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(comboSelection(page, IDC_GENERAL_PRINT_MODE), L"One side");
  chooseComboEntry(page, IDC_GENERAL_PRINT_MODE, L"Flip pages on long edge");
  click(page, IDC_GENERAL_LANDSCAPE);
  sheet().apply();
  vpd::Devmode after = stored();
  ASSERT_FALSE(after.empty());
  EXPECT_EQ(vpd::devmodeOf(after)->dmFields & DM_DUPLEX, 0u);
  EXPECT_EQ(vpd::devmodeOf(after)->dmOrientation, DMORIENT_LANDSCAPE);
  // The page's failed store is not reported: no message box stayed behind.
  EXPECT_FALSE(sheet().applyEnabled());
}

using Pixels = std::vector<COLORREF>;

Pixels pixelsOf(HDC dc, int left, int top, int width, int height) {
  Pixels pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, left + x, top + y));
  return pixels;
}

Pixels pixelsOfBitmap(HBITMAP bitmap, SIZE& size) {
  BITMAP info = {};
  GetObjectW(bitmap, sizeof(info), &info);
  size = {info.bmWidth, info.bmHeight};
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  Pixels pixels = pixelsOf(memory, 0, 0, info.bmWidth, info.bmHeight);
  SelectObject(memory, previous);
  DeleteDC(memory);
  return pixels;
}

struct Drawn {
  COLORREF corner;
  Pixels middle;  // the block of `size` centred in the item
};

// Sends the page WM_DRAWITEM for the picture over a canvas painted `background`.
Drawn drawPicture(HWND page, COLORREF background, SIZE size) {
  const RECT area = {0, 0, 120, 96};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, area.right, area.bottom);
  ReleaseDC(nullptr, screen);
  HGDIOBJ previous = SelectObject(memory, canvas);
  HBRUSH fill = CreateSolidBrush(background);
  FillRect(memory, &area, fill);
  DeleteObject(fill);
  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_STATIC;
  item.CtlID = IDC_GENERAL_PICTURE;
  item.hwndItem = GetDlgItem(page, IDC_GENERAL_PICTURE);
  item.hDC = memory;
  item.rcItem = area;
  SendMessageW(page, WM_DRAWITEM, IDC_GENERAL_PICTURE, reinterpret_cast<LPARAM>(&item));
  Drawn drawn = {GetPixel(memory, 0, 0),
                 pixelsOf(memory, (area.right - size.cx) / 2, (area.bottom - size.cy) / 2, size.cx, size.cy)};
  SelectObject(memory, previous);
  DeleteObject(canvas);
  DeleteDC(memory);
  return drawn;
}

// The picture is the orientation's bitmap centred on the button face; without bitmaps nothing is drawn.
TEST_F(GeneralPageTest, ThePictureFollowsTheOrientation) {
  install(L"VantryDuplex.ppd");
  HWND page = openPage(0, L"General");
  ASSERT_NE(page, nullptr);
  const COLORREF sentinel = RGB(1, 2, 3);
  vpd::pageFlags.portrait = nullptr;
  vpd::pageFlags.landscape = nullptr;
  EXPECT_EQ(drawPicture(page, sentinel, SIZE{32, 32}).corner, sentinel) << "drawn without bitmaps";

  HBITMAP portrait = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_PORTRAIT));
  HBITMAP landscape = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_LANDSCAPE));
  ASSERT_TRUE(portrait && landscape);
  SIZE size = {};
  const Pixels portraitPixels = pixelsOfBitmap(portrait, size);
  const Pixels landscapePixels = pixelsOfBitmap(landscape, size);
  ASSERT_NE(portraitPixels, landscapePixels) << "the pictures must differ";
  vpd::pageFlags.portrait = portrait;
  vpd::pageFlags.landscape = landscape;

  Drawn drawn = drawPicture(page, sentinel, size);
  EXPECT_EQ(drawn.corner, GetSysColor(COLOR_BTNFACE));
  EXPECT_TRUE(drawn.middle == portraitPixels);
  click(page, IDC_GENERAL_LANDSCAPE);
  drawn = drawPicture(page, sentinel, size);
  EXPECT_TRUE(drawn.middle == landscapePixels);
  vpd::pageFlags.portrait = nullptr;
  vpd::pageFlags.landscape = nullptr;
  DeleteObject(portrait);
  DeleteObject(landscape);
}

}  // namespace

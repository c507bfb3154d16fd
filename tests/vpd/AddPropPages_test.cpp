// Which pages the sheet gets, in which order, what is logged when the sheet refuses one, and the
// About page's texts.
#include "PageTest.h"

#include <regex>

#include "TestSupport.h"

namespace {

using namespace vpd_test;

class PageBuilder : public PageTest {};

const std::vector<std::wstring> kAllPages = {L"Application", L"EMF", L"PNG", L"Converter", L"About"};

TEST_F(PageBuilder, WithNoFlagsTheSheetShowsTheFivePagesInOrder) {
  // The General and Paper size pages stay out even when their flags say show.
  setDword(HKEY_LOCAL_MACHINE, kTree, L"General: Hide page", 0);
  setDword(HKEY_LOCAL_MACHINE, kTree, L"Paper: Hide page", 0);
  const std::vector<HPROPSHEETPAGE> pages = host.collectPages(plugin);
  EXPECT_EQ(host.lastResult(), 1u);
  EXPECT_EQ(pages.size(), 5u);
  Sheet sheet(pages);
  ASSERT_NE(sheet.window(), nullptr);
  EXPECT_EQ(sheet.tabTitles(), kAllPages);
}

TEST_F(PageBuilder, EachHideFlagRemovesOnlyItsOwnPage) {
  struct Case {
    const wchar_t* flag;
    const wchar_t* removed;  // null: the flag has no page behind it
  };
  const Case cases[] = {
      {L"Application: Hide page", L"Application"}, {L"EMF: Hide page", L"EMF"},
      {L"PNG: Hide page", L"PNG"},                 {L"Converter: Hide page", L"Converter"},
      {L"About: Hide page", L"About"},             {L"BMP: Hide page", nullptr},
      {L"LANGUAGE: Hide page", nullptr},           {L"Authentication: Hide page", nullptr},
  };
  for (const Case& c : cases) {
    testing_support::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kTree);
    setDword(HKEY_LOCAL_MACHINE, kTree, c.flag, 1);
    std::vector<std::wstring> expected;
    for (const std::wstring& title : kAllPages)
      if (!c.removed || title != c.removed) expected.push_back(title);
    Sheet& sheet = openSheet();
    EXPECT_EQ(sheet.tabTitles(), expected) << "flag " << testing::PrintToString(std::wstring(c.flag));
  }
  // A flag set in the current user's hive is not the machine's: it hides nothing.
  testing_support::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kTree);
  setDword(HKEY_CURRENT_USER, kTree, L"About: Hide page", 1);
  EXPECT_EQ(openSheet().tabTitles(), kAllPages);
}

TEST_F(PageBuilder, APageTheSheetRefusesIsLoggedAndSkipped) {
  setDword(HKEY_LOCAL_MACHINE, kTree, L"Application: Hide page", 1);
  setDword(HKEY_LOCAL_MACHINE, kTree, L"EMF: Hide page", 1);
  setDword(HKEY_LOCAL_MACHINE, kTree, L"PNG: Hide page", 1);
  const std::vector<HPROPSHEETPAGE> pages = host.collectPages(plugin, /*refuse=*/true);
  EXPECT_TRUE(pages.empty());
  EXPECT_EQ(host.lastResult(), 1u);  // initialisation still succeeds

  // One entry per refused page (Converter and About), in the log's three pieces.
  const std::string log = state.log();
  const std::regex entry(
      "\r\nERROR: file: [^;]*AddPropPages\\.cpp; line: [0-9]+; time: [A-Z][a-z]{2} [A-Z][a-z]{2} [0-9]{2} "
      "[0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4};\r\nmessage: addPropPages\\(\\): failed to "
      "CPSFUNC_ADD_PROPSHEETPAGES\r\nerrcode: -?[0-9]+\r\n\r\n");
  size_t covered = 0;
  int entries = 0;
  for (auto it = std::sregex_iterator(log.begin(), log.end(), entry); it != std::sregex_iterator(); ++it) {
    EXPECT_EQ(static_cast<size_t>(it->position(0)), covered) << "entries follow each other directly";
    covered += it->length(0);
    ++entries;
  }
  EXPECT_EQ(entries, 2) << log;
  EXPECT_EQ(covered, log.size()) << log;
}

TEST_F(PageBuilder, AboutShowsTheVersionTheNoticeAndTheMakersAddress) {
  HWND page = openPage(L"About");
  ASSERT_NE(page, nullptr);
  const std::wstring text = controlText(page, IDC_ABOUT_TEXT);
  EXPECT_EQ(text.rfind(L"Version 11.3.0\n\n", 0), 0u) << "without a Version value the default is shown: " << testing::PrintToString(text);
  EXPECT_NE(text.find(L"Quennick"), std::wstring::npos);
  EXPECT_EQ(controlText(page, IDC_ABOUT_CAPTION), L"Vantry");
  EXPECT_NE(controlText(page, IDC_ABOUT_WEB).find(L"quennick"), std::wstring::npos);

  // The machine's version, with an ampersand that must show as itself.
  setString(HKEY_LOCAL_MACHINE, kTree, L"Version", L"12.0 R&D");
  page = openPage(L"About");
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(controlText(page, IDC_ABOUT_TEXT).rfind(L"Version 12.0 R&&D\n\n", 0), 0u);
}

TEST_F(PageBuilder, TheCaptionBandIsPaintedGreyWithWhiteText) {
  HWND page = openPage(L"About");
  ASSERT_NE(page, nullptr);
  HWND band = GetDlgItem(page, IDC_ABOUT_CAPTION);
  ShowWindow(sheet->window(), SW_SHOW);
  RedrawWindow(band, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  RECT area;
  GetClientRect(band, &area);
  HDC source = GetDC(band);
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateCompatibleBitmap(source, area.right, area.bottom);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, area.right, area.bottom, source, 0, 0, SRCCOPY);
  // The corner is the grey band; somewhere right of the 8-pixel indent the text is white.
  EXPECT_EQ(GetPixel(memory, area.right - 2, 1), RGB(128, 128, 128));
  bool white = false;
  for (int x = 8; x < area.right && !white; ++x)
    for (int y = 0; y < area.bottom && !white; ++y) white = GetPixel(memory, x, y) == RGB(255, 255, 255);
  EXPECT_TRUE(white);
  bool whiteInIndent = false;
  for (int x = 0; x < 7; ++x)
    for (int y = 0; y < area.bottom; ++y) whiteInIndent |= GetPixel(memory, x, y) == RGB(255, 255, 255);
  EXPECT_FALSE(whiteInIndent);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(band, source);
}

}  // namespace

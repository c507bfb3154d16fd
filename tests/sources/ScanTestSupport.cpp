#include "ScanTestSupport.h"

#include "PageInfo.h"
#include "TestScannerSettings.h"

namespace {

bool WritePage(const std::wstring& path, int index) {
  LBitmapBase page;
  if (page.Create(120 + index * 8, 90, 24) != SUCCESS || page.Fill(RGB(255, 255, 255)) != SUCCESS) return false;
  const COLORREF band = RGB(40 * index, 200 - 30 * index, 60 + 50 * index);
  for (int y = 10 * index; y < 10 * index + 20; ++y)
    for (int x = 0; x < page.GetWidth(); ++x) page.PutPixelColor(x, y, band);
  page.SetXResolution(200);
  page.SetYResolution(200);
  return page.Save(path.c_str(), FILE_BMP) == SUCCESS;
}

}  // namespace

::testing::AssertionResult SamePixels(CFolimarDoc* doc, int index, const std::wstring& file) {
  if (doc == nullptr) return ::testing::AssertionFailure() << "no document";
  CPageInfo* page = doc->GetPage(index);
  if (page == nullptr || !page->HasBitmap()) return ::testing::AssertionFailure() << "page " << index << " has no image";
  LBitmapBase expected;
  if (expected.Load(file.c_str()) != SUCCESS) return ::testing::AssertionFailure() << "fixture unreadable";
  const LBitmapBase& actual = *page->m_pBitmap;
  if (actual.GetWidth() != expected.GetWidth() || actual.GetHeight() != expected.GetHeight())
    return ::testing::AssertionFailure() << "size " << actual.GetWidth() << "x" << actual.GetHeight() << " instead of "
                                         << expected.GetWidth() << "x" << expected.GetHeight();
  for (int y = 0; y < expected.GetHeight(); ++y)
    for (int x = 0; x < expected.GetWidth(); ++x)
      if (actual.GetPixelColor(x, y) != expected.GetPixelColor(x, y))
        return ::testing::AssertionFailure() << "pixel " << x << "," << y << " differs";
  return ::testing::AssertionSuccess();
}

void ScanTest::SetUp() {
  FrameTest::SetUp();
  for (int i = 1; i <= 3; ++i) {
    pages_.push_back(folder_.File(L"page" + std::to_wstring(i) + L".bmp"));
    ASSERT_TRUE(WritePage(pages_.back(), i));
  }
  ASSERT_NE(nullptr, OpenFrame());
}

void ScanTest::TearDown() {
  theApp.EndScanningSessions();
  RegDeleteKeyW(HKEY_CURRENT_USER, test_scanner::kSettingsKey);
  FrameTest::TearDown();
}

void ScanTest::Scanner(const std::wstring& flatbed, std::vector<std::wstring> feeder, DWORD failAt, DWORD cancelAt) {
  test_scanner::Settings settings;
  settings.flatbed = flatbed;
  settings.feeder = std::move(feeder);
  settings.failAtPage = failAt;
  settings.cancelAtPage = cancelAt;
  ASSERT_TRUE(test_scanner::WriteSettings(settings));
}

std::vector<CFolimarDoc*> ScanTest::Documents() {
  std::vector<CFolimarDoc*> docs;
  for (POSITION pos = s_template->GetFirstDocPosition(); pos;)
    docs.push_back(dynamic_cast<CFolimarDoc*>(s_template->GetNextDoc(pos)));
  return docs;
}

// The WIA side of scanning without a device: the format table against the identifiers the
// toolchain's WIA headers publish, the lookups of the configured format, the transfer dialog as the
// WIA host drives it, and the feeder or flatbed choice.
#include <gtest/gtest.h>
#include <wia.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "FrameTestSupport.h"
#include "LUserWia.h"
#include "PageInfo.h"
#include "ScanDialogs.h"
#include "WiaFormats.h"
#include "resource.h"

namespace {

// The rows as the spec's table gives them, with the toolchain's identifier where it has the name.
struct ExpectedRow {
  const wchar_t* name;
  const wchar_t* description;
  const wchar_t* extension;
  const GUID* published;  // null: not in the toolchain's headers
};
const ExpectedRow kExpected[] = {
    {L"WiaImgFmt_UNDEFINED", L"", L"", &WiaImgFmt_UNDEFINED},
    {L"WiaImgFmt_MEMORYBMP", L"", L"", &WiaImgFmt_MEMORYBMP},
    {L"WiaImgFmt_BMP", L"BMP Files", L"bmp", &WiaImgFmt_BMP},
    {L"WiaImgFmt_JPEG", L"JPEG Files", L"jpg", &WiaImgFmt_JPEG},
    {L"WiaImgFmt_TIFF", L"TIFF Files", L"tif", &WiaImgFmt_TIFF},
    {L"WiaImgFmt_GIF", L"GIF Files", L"gif", &WiaImgFmt_GIF},
    {L"WiaImgFmt_PNG", L"PNG Files", L"png", &WiaImgFmt_PNG},
    {L"WiaAudFmt_AIFF", L"AIFF Files", L"iff", &WiaAudFmt_AIFF},
    {L"WiaAudFmt_MP3", L"MP3 Files", L"mp3", &WiaAudFmt_MP3},
    {L"WiaAudFmt_WAV", L"WAV Files", L"wav", &WiaAudFmt_WAV},
    {L"WiaAudFmt_WMA", L"WMA Files", L"wma", &WiaAudFmt_WMA},
    {L"WiaImgFmt_ASF", L"ASF Files", L"asf", &WiaImgFmt_ASF},
    {L"WiaImgFmt_AVI", L"AVI Files", L"avi", &WiaImgFmt_AVI},
    {L"WiaImgFmt_CIFF", L"CIFF Files", L"iff", &WiaImgFmt_CIFF},
    {L"WiaImgFmt_DPOF", L"DPOF Files", L"dpf", &WiaImgFmt_DPOF},
    {L"WiaImgFmt_EMF", L"EMF Files", L"emf", &WiaImgFmt_EMF},
    {L"WiaImgFmt_EXEC", L"EXEC Files", L"exe", &WiaImgFmt_EXEC},
    {L"WiaImgFmt_EXIF", L"EXIF Files", L"tif", &WiaImgFmt_EXIF},
    {L"WiaImgFmt_FLASHPIX", L"FLASHPIX Files", L"fpx", &WiaImgFmt_FLASHPIX},
    {L"WiaImgFmt_ICO", L"ICO Files", L"ico", &WiaImgFmt_ICO},
    {L"WiaImgFmt_JPEG2KX", L"JPEG2KX Files", L"j2k", &WiaImgFmt_JPEG2KX},
    {L"WiaImgFmt_MPG", L"MPG Files", L"mpg", &WiaImgFmt_MPG},
    {L"WiaImgFmt_PHOTOCD", L"PHOTOCD Files", L"pcd", &WiaImgFmt_PHOTOCD},
    {L"WiaImgFmt_PICT", L"PICT Files", L"pct", &WiaImgFmt_PICT},
    {L"WiaImgFmt_JPEG2K", L"JPEG2K Files", L"j2k", &WiaImgFmt_JPEG2K},
    {L"WiaImgFmt_RAWRGB", L"RAWRGB Files", L"raw", &WiaImgFmt_RAWRGB},
    {L"WiaImgFmt_WMF", L"WMF Files", L"wmf", &WiaImgFmt_WMF},
    {L"WiaImgFmt_HTML", L"HTML Files", L"htm", &WiaImgFmt_HTML},
    {L"WiaImgFmt_TXT", L"TXT Files", L"txt", &WiaImgFmt_TXT},
    {L"WiaImgFmt_XML", L"XML Files", L"xml", &WiaImgFmt_XML},
    {L"WiaImgFmt_RTF", L"RTF Files", L"rtf", &WiaImgFmt_RTF},
    {L"WiaImgFmt_SCRIPT", L"SCRIPT Files", L"ps", &WiaImgFmt_SCRIPT},
    {L"WiaImgFmt_JBIG", L"JBIG Files", L"jbg", nullptr},
    {L"WiaImgFmt_RAW", L"RAW Files", L"raw", nullptr},
    {L"WiaImgFmt_PDFA", L"PDFA Files", L"pdf", nullptr},
    {L"WiaImgFmt_XPS", L"XPS Files", L"xps", nullptr},
};

// The four the toolchain lacks, from the WIA headers' definitions.
const GUID kJbig = {0x41e8dd92, 0x2f0a, 0x43d4, {0x86, 0x36, 0xf1, 0x61, 0x4b, 0xa1, 0x1e, 0x46}};
const GUID kRaw = {0x6f120719, 0xf1a8, 0x4e07, {0x9a, 0xde, 0x9b, 0x64, 0xc6, 0x3a, 0x3d, 0xcc}};

class WiaFormatsTest : public ::testing::Test {
 protected:
  void TearDown() override { theApp.m_pWiaOptions = nullptr; }
  GUID format_ = {};
  LWIAOPTIONS options_ = {&format_, LWIA_TRANSFER_FILE};
};

TEST_F(WiaFormatsTest, TheTableHoldsTheRowsInOrderWithThePublishedIdentifiers) {
  int count = 0;
  const WIA_FORMAT_ROW* rows = GetWiaFormatTable(&count);
  ASSERT_EQ(36, count);
  for (int i = 0; i < count; ++i) {
    SCOPED_TRACE(i);
    EXPECT_STREQ(kExpected[i].name, rows[i].name);
    EXPECT_STREQ(kExpected[i].description, rows[i].description);
    EXPECT_STREQ(kExpected[i].extension, rows[i].extension);
    if (kExpected[i].published != nullptr) EXPECT_TRUE(IsEqualGUID(*kExpected[i].published, rows[i].id));
  }
  EXPECT_TRUE(IsEqualGUID(kJbig, rows[32].id));
  EXPECT_TRUE(IsEqualGUID(kRaw, rows[33].id));
}

TEST_F(WiaFormatsTest, EachFormatOfTheSettingsYieldsItsDescriptionAndExtension) {
  int count = 0;
  const WIA_FORMAT_ROW* rows = GetWiaFormatTable(&count);
  theApp.m_pWiaOptions = &options_;
  for (int i = 0; i < count; ++i) {
    SCOPED_TRACE(kExpected[i].name);
    format_ = rows[i].id;
    WCHAR description[MAX_PATH] = L"x", extension[MAX_PATH] = L"x", name[MAX_PATH] = L"x";
    ASSERT_EQ(1, GetWiaImageFormat(description, extension));
    EXPECT_STREQ(kExpected[i].description, description);
    EXPECT_STREQ(kExpected[i].extension, extension);
    ASSERT_EQ(1, FormatNameFromGuid(format_, name));
    EXPECT_STREQ(kExpected[i].name, name);
  }
}

TEST_F(WiaFormatsTest, WithoutSettingsItIsBmpAndAnUnknownFormatLeavesTheBuffersAlone) {
  WCHAR description[MAX_PATH] = L"left", extension[MAX_PATH] = L"left";
  EXPECT_EQ(1, GetWiaImageFormat(description, extension));
  EXPECT_STREQ(L"BMP Files", description);
  EXPECT_STREQ(L"bmp", extension);

  options_.pFormat = nullptr;
  theApp.m_pWiaOptions = &options_;
  EXPECT_EQ(1, GetWiaImageFormat(nullptr, extension));
  EXPECT_STREQ(L"bmp", extension);

  options_.pFormat = &format_;
  format_ = GUID{0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  wcscpy(description, L"left");
  wcscpy(extension, L"left");
  EXPECT_EQ(0, GetWiaImageFormat(description, extension));
  EXPECT_STREQ(L"left", description);
  EXPECT_STREQ(L"left", extension);
  WCHAR name[MAX_PATH] = L"left";
  EXPECT_EQ(0, FormatNameFromGuid(format_, name));
  EXPECT_STREQ(L"left", name);
}

class TransferDialogTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    ASSERT_NE(nullptr, OpenFrame());
    theApp.m_transferCancel = 0;
    theApp.m_transferMode = LWIA_TRANSFER_FILE;
  }
  void TearDown() override {
    if (wia_.m_progress.GetSafeHwnd() != nullptr) wia_.m_progress.DestroyWindow();
    theApp.m_transferMode = 0;
    FrameTest::TearDown();
  }
  // Shows the dialog as the WIA command does.
  HWND Show() {
    EXPECT_TRUE(wia_.m_progress.Create());
    wia_.m_progress.ShowWindow(SW_SHOW);
    wia_.m_progress.m_progress.SetRange(0, 100);
    wia_.m_progress.m_progress.SetStep(1);
    return wia_.m_progress.GetSafeHwnd();
  }
  int Position() { return static_cast<int>(wia_.m_progress.m_progress.SendMessage(PBM_GETPOS)); }
  LUserWia wia_;
};

TEST_F(TransferDialogTest, TheHostWritesTheFileAndMovesTheBar) {
  HWND dialog = Show();
  ASSERT_NE(nullptr, dialog);
  wchar_t caption[64] = {};
  ::GetWindowTextW(dialog, caption, 64);
  EXPECT_STREQ(L"Transferring...", caption);
  EXPECT_EQ(nullptr, ::GetParent(dialog));

  EXPECT_EQ(SUCCESS, wia_.AcquireCallBack(nullptr, L"C:\\scan\\Wia.bmp", 40, LWIA_CB_NEW_ITEM));
  EXPECT_EQ(L"Transferring to file:\n\nC:\\scan\\Wia.bmp", testing_support::ControlText(dialog, IDC_TRANSFER_TEXT));
  EXPECT_EQ(0, Position());  // a new file starts at 0
  EXPECT_EQ(SUCCESS, wia_.AcquireCallBack(nullptr, L"C:\\scan\\Wia.bmp", 40, LWIA_CB_PROGRESS));
  EXPECT_EQ(40, Position());
  EXPECT_EQ(SUCCESS, wia_.AcquireCallBack(nullptr, L"C:\\scan\\Wia_1.bmp", 70, LWIA_CB_NEW_ITEM | LWIA_CB_PROGRESS));
  EXPECT_EQ(70, Position());
  EXPECT_EQ(L"Transferring to file:\n\nC:\\scan\\Wia_1.bmp", testing_support::ControlText(dialog, IDC_TRANSFER_TEXT));

  // In memory transfers the line stays as it is.
  theApp.m_transferMode = LWIA_TRANSFER_MEMORY;
  EXPECT_EQ(SUCCESS, wia_.AcquireCallBack(nullptr, L"other", 90, LWIA_CB_NEW_ITEM | LWIA_CB_PROGRESS));
  EXPECT_EQ(L"Transferring to file:\n\nC:\\scan\\Wia_1.bmp", testing_support::ControlText(dialog, IDC_TRANSFER_TEXT));
}

TEST_F(TransferDialogTest, CancelSetsTheFlagAndTheNextReportStopsBeforeItsPage) {
  HWND dialog = Show();
  ::PostMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
  LBitmapBase page;
  ASSERT_EQ(SUCCESS, page.Create(40, 30, 24));
  theApp.m_transferMode = LWIA_TRANSFER_MEMORY;
  EXPECT_EQ(ERROR_WIA_USER_ABORT, wia_.AcquireCallBack(page.GetHandle(), nullptr, 100, LWIA_CB_PROGRESS));
  EXPECT_EQ(1, theApp.m_transferCancel);
  EXPECT_FALSE(::IsWindowVisible(dialog));
  for (POSITION pos = s_template->GetFirstDocPosition(); pos;) ADD_FAILURE() << "a document was made";
}

TEST_F(TransferDialogTest, APageInMemoryBecomesADocumentOfItsOwnAndOneWithoutImageIsSkipped) {
  theApp.m_transferMode = LWIA_TRANSFER_MEMORY;
  LBitmapBase page;
  ASSERT_EQ(SUCCESS, page.Create(40, 30, 24));
  page.Fill(RGB(10, 120, 200));
  LBitmapBase empty;
  EXPECT_EQ(SUCCESS, wia_.AcquireCallBack(empty.GetHandle(), nullptr, 100, LWIA_CB_PROGRESS));
  EXPECT_EQ(SUCCESS, wia_.AcquireCallBack(page.GetHandle(), nullptr, 100, LWIA_CB_PROGRESS));
  std::vector<CFolimarDoc*> docs;
  for (POSITION pos = s_template->GetFirstDocPosition(); pos;)
    docs.push_back(dynamic_cast<CFolimarDoc*>(s_template->GetNextDoc(pos)));
  ASSERT_EQ(1u, docs.size());
  ASSERT_TRUE(docs[0]->GetPage(0)->HasBitmap());
  EXPECT_EQ(RGB(10, 120, 200), docs[0]->GetPage(0)->m_pBitmap->GetPixelColor(5, 5));
  // In file transfers the pages come as files: a handle is not a page then.
  theApp.m_transferMode = LWIA_TRANSFER_FILE;
  LBitmapBase again;
  ASSERT_EQ(SUCCESS, again.Create(40, 30, 24));
  EXPECT_EQ(SUCCESS, wia_.AcquireCallBack(again.GetHandle(), nullptr, 100, LWIA_CB_PROGRESS));
  int count = 0;
  for (POSITION pos = s_template->GetFirstDocPosition(); pos; s_template->GetNextDoc(pos)) ++count;
  EXPECT_EQ(1, count);
}

class AcquireSourceTest : public FrameTest {};

TEST_F(AcquireSourceTest, OkAndDoubleClickStoreTheChoiceAndCancelLeavesIt) {
  struct Case {
    const wchar_t* what;
    int select;       // list index chosen
    bool doubleClick;
    int button;
    int before, after;
  };
  const Case cases[] = {
      {L"Flatbed and OK", 1, false, IDOK, 1, 0},
      {L"Feeder and OK", 0, false, IDOK, 0, 1},
      {L"Flatbed and Cancel", 1, false, IDCANCEL, 1, 1},
      {L"double click on Flatbed, then Cancel", 1, true, IDCANCEL, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    theApp.m_feederChosen = c.before;
    CAcquireSourceDlg dialog;
    std::vector<std::wstring> items;
    bool openAfterDoubleClick = false;
    testing_support::RunDialog(dialog, [&](HWND window) {
      HWND list = ::GetDlgItem(window, IDC_ACQUIRE_SOURCE_LIST);
      for (int i = 0; i < 2; ++i) {
        wchar_t text[64] = {};
        ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
      }
      ::SendMessageW(list, LB_SETCURSEL, c.select, 0);
      if (c.doubleClick) {
        ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_ACQUIRE_SOURCE_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
        openAfterDoubleClick = ::IsWindow(window) && ::IsWindowVisible(window);
      }
      testing_support::Click(window, c.button);
    });
    EXPECT_EQ((std::vector<std::wstring>{L"Feeder", L"Flatbed"}), items);
    EXPECT_EQ(c.after, theApp.m_feederChosen);
    if (c.doubleClick) EXPECT_TRUE(openAfterDoubleClick);
  }
  theApp.m_feederChosen = 1;
}

}  // namespace

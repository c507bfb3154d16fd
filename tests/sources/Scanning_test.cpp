// Scanning through Wine's TWAIN data source manager and the tests' own data source (sane.ds, built
// beside this program and copied into the prefix's system folder): the File menu's commands in a
// real main frame, the pages as documents, the feeder set-up, cancels and failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "FrameTestSupport.h"
#include "LUserTwain.h"
#include "PageInfo.h"
#include "RecordedMessageBoxes.h"
#include "TestScannerSettings.h"
#include "resource.h"

namespace {

using testing_support::RunDialog;

// Puts the tests' data source where Wine's data source manager loads it from: its "sane.ds" in the
// TWAIN folder of this process's width under the Windows folder (Wine's placeholder is replaced).
bool InstallTwainTestSource() {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  const std::wstring folder = std::wstring(windows) + (sizeof(void*) == 8 ? L"\\twain_64" : L"\\twain_32");
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring built = testing_support::ProgramFolder() + L"\\sane.ds";
  const std::wstring target = folder + L"\\sane.ds";
  // Once loaded, the module stays in this process and its file cannot be replaced.
  const std::string bytes = testing_support::ReadFileBytes(built);
  if (!bytes.empty() && bytes == testing_support::ReadFileBytes(target)) return true;
  return CopyFileW(built.c_str(), target.c_str(), FALSE) != FALSE;
}

// A page whose pixels tell it apart: a colour band of its own across a white page, in 24 bits.
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

// Whether the page image of `doc`'s page `index` has the pixels of the image file.
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

BOOL CALLBACK FindListBox(HWND window, LPARAM param) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (lstrcmpiW(name, L"ListBox") != 0) return TRUE;
  *reinterpret_cast<HWND*>(param) = window;
  return FALSE;
}

std::vector<std::wstring> ListBoxItems(HWND list) {
  std::vector<std::wstring> items;
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

class TwainScanTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    ASSERT_TRUE(InstallTwainTestSource());
    for (int i = 1; i <= 3; ++i) {
      pages_.push_back(folder_.File(L"page" + std::to_wstring(i) + L".bmp"));
      ASSERT_TRUE(WritePage(pages_.back(), i));
    }
    ASSERT_NE(nullptr, OpenFrame());
    theApp.m_feederWanted = 0;
    theApp.m_feederRequested = 1;
    theApp.StartScanningSessions();
    ASSERT_TRUE(theApp.m_twainAvailable);
  }
  void TearDown() override {
    theApp.EndScanningSessions();
    RegDeleteKeyW(HKEY_CURRENT_USER, test_scanner::kSettingsKey);
    FrameTest::TearDown();
  }

  void Scanner(const std::wstring& flatbed, std::vector<std::wstring> feeder, DWORD failAt = 0, DWORD cancelAt = 0) {
    test_scanner::Settings settings;
    settings.flatbed = flatbed;
    settings.feeder = std::move(feeder);
    settings.failAtPage = failAt;
    settings.cancelAtPage = cancelAt;
    ASSERT_TRUE(test_scanner::WriteSettings(settings));
  }

  void Command(UINT id) {
    frame->SendMessage(WM_COMMAND, id);
    Pump();
  }

  std::vector<CFolimarDoc*> Documents() {
    std::vector<CFolimarDoc*> docs;
    for (POSITION pos = s_template->GetFirstDocPosition(); pos;)
      docs.push_back(dynamic_cast<CFolimarDoc*>(s_template->GetNextDoc(pos)));
    return docs;
  }

  // Runs TWAIN Setup and answers it with the mode's radio button and OK.
  void ChooseFeederMode(int controlId) {
    RunDialog(
        [this] {
          frame->SendMessage(WM_COMMAND, ID_FILE_TWAIN_SETUP);
          return 0;
        },
        [controlId](HWND dialog) {
          testing_support::Click(dialog, controlId);
          testing_support::Click(dialog, IDOK);
        });
    Pump();
  }

  testing_support::TempFolder folder_;
  std::vector<std::wstring> pages_;
};

TEST_F(TwainScanTest, TheManagersDialogListsOurSourceAndCancellingItShowsNothing) {
  fixtures::RecordedMessageBoxes boxes;
  std::vector<std::wstring> listed;
  RunDialog(
      [this] {
        frame->SendMessage(WM_COMMAND, ID_FILE_TWAIN_SELECT_SOURCE);
        return 0;
      },
      [&listed](HWND dialog) {
        HWND list = nullptr;
        EnumChildWindows(dialog, FindListBox, reinterpret_cast<LPARAM>(&list));
        listed = ListBoxItems(list);
        testing_support::Click(dialog, IDCANCEL);
      });
  // Wine's own camera source may be listed beside ours.
  EXPECT_NE(listed.end(), std::find(listed.begin(), listed.end(), std::wstring(L"Vantry Test Scanner")));
  EXPECT_TRUE(boxes.Texts().empty());

  RunDialog(
      [this] {
        frame->SendMessage(WM_COMMAND, ID_FILE_TWAIN_SELECT_SOURCE);
        return 0;
      },
      [](HWND dialog) {
        HWND list = nullptr;
        EnumChildWindows(dialog, FindListBox, reinterpret_cast<LPARAM>(&list));
        const LRESULT index = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(L"Vantry Test Scanner"));
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        testing_support::Click(dialog, IDOK);
      });
  EXPECT_STREQ("Vantry Test Scanner", theApp.m_pTwainHost->Twain()->GetSourceName());
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(TwainScanTest, AFlatbedPageBecomesANewDocumentWithTheSourcesPixels) {
  Scanner(pages_[1], {});
  Command(ID_FILE_TWAIN_ACQUIRE);
  const std::vector<CFolimarDoc*> docs = Documents();
  ASSERT_EQ(1u, docs.size());
  EXPECT_EQ(1, docs[0]->GetPageCount());
  EXPECT_TRUE(SamePixels(docs[0], 0, pages_[1]));
  EXPECT_EQ(0, theApp.m_twainAcquiring);
}

TEST_F(TwainScanTest, WithTheManualFeederEverySheetBecomesADocumentOfItsOwn) {
  Scanner(L"", pages_);
  Command(ID_FILE_TWAIN_ACQUIRE);
  const std::vector<CFolimarDoc*> docs = Documents();
  ASSERT_EQ(3u, docs.size());
  for (size_t i = 0; i < docs.size(); ++i) {
    EXPECT_EQ(1, docs[i]->GetPageCount());
    EXPECT_TRUE(SamePixels(docs[i], 0, pages_[i])) << "document " << i;
  }
}

TEST_F(TwainScanTest, WithAutofeedTheSheetsBecomeThePagesOfOneDocumentEachTime) {
  fixtures::RecordedMessageBoxes boxes;
  Scanner(pages_[0], pages_);
  ChooseFeederMode(IDC_AUTOFEED);
  EXPECT_TRUE(boxes.Texts().empty());
  ASSERT_EQ(1, theApp.m_feederWanted);
  Command(ID_FILE_TWAIN_ACQUIRE);
  std::vector<CFolimarDoc*> docs = Documents();
  ASSERT_EQ(1u, docs.size());
  ASSERT_EQ(3, docs[0]->GetPageCount());
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(SamePixels(docs[0], i, pages_[static_cast<size_t>(i)])) << "page " << i;

  // The next acquisition starts a document again; its later pages go to every open document.
  Scanner(pages_[0], {pages_[2], pages_[1]});
  Command(ID_FILE_TWAIN_ACQUIRE);
  docs = Documents();
  ASSERT_EQ(2u, docs.size());
  EXPECT_EQ(4, docs[0]->GetPageCount());
  EXPECT_TRUE(SamePixels(docs[0], 3, pages_[1]));
  ASSERT_EQ(2, docs[1]->GetPageCount());
  EXPECT_TRUE(SamePixels(docs[1], 0, pages_[2]));
  EXPECT_TRUE(SamePixels(docs[1], 1, pages_[1]));

  // Back to the manual feeder: the glass again, one document per page.
  ChooseFeederMode(IDC_MANUAL_FEEDER);
  EXPECT_EQ(0, theApp.m_feederWanted);
  Command(ID_FILE_TWAIN_ACQUIRE);
  docs = Documents();
  ASSERT_EQ(3u, docs.size());
  EXPECT_TRUE(SamePixels(docs[2], 0, pages_[0]));
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(TwainScanTest, FeederSetUpTheSourceRefusesIsReported) {
  struct Case {
    const wchar_t* what;
    bool flatbed;
    bool sheets;
    int mode;
    UINT message;  // 0: none
    int feederWanted;
  };
  const Case cases[] = {
      {L"autofeed, sheets loaded", true, true, IDC_AUTOFEED, 0, 1},
      {L"autofeed, feeder empty", true, false, IDC_AUTOFEED, IDS_TWAIN_FEEDER_EMPTY, 1},
      {L"manual feeder, glass there", true, true, IDC_MANUAL_FEEDER, 0, 0},
      {L"manual feeder, feeder-only device", false, true, IDC_MANUAL_FEEDER, IDS_TWAIN_AUTOFEED_FAILED, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    theApp.EndScanningSessions();  // a fresh source reads the device anew
    Scanner(c.flatbed ? pages_[0] : L"", c.sheets ? pages_ : std::vector<std::wstring>{});
    theApp.StartScanningSessions();
    fixtures::RecordedMessageBoxes boxes;
    ChooseFeederMode(c.mode);
    std::vector<std::wstring> expected;
    if (c.message != 0) {
      CString text;
      text.LoadString(c.message);
      expected.push_back(static_cast<LPCWSTR>(text));
    }
    EXPECT_EQ(expected, boxes.Texts());
    EXPECT_EQ(c.feederWanted, theApp.m_feederWanted);
  }
}

TEST_F(TwainScanTest, ACancelledOrFailingTransferLeavesNoHalfDocument) {
  struct Case {
    const wchar_t* what;
    bool autofeed;
    DWORD failAt, cancelAt;
    bool reported;
  };
  const Case cases[] = {
      {L"flatbed cancelled", false, 0, 1, false},
      {L"flatbed failing", false, 1, 0, true},
      {L"autofeed cancelled at the second sheet", true, 0, 2, false},
      {L"autofeed failing at the third sheet", true, 3, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scanner(pages_[0], pages_, c.failAt, c.cancelAt);
    ChooseFeederMode(c.autofeed ? IDC_AUTOFEED : IDC_MANUAL_FEEDER);
    fixtures::RecordedMessageBoxes boxes;
    Command(ID_FILE_TWAIN_ACQUIRE);
    EXPECT_TRUE(Documents().empty());
    std::vector<std::wstring> expected;
    if (c.reported) expected.push_back(L"The image acquisition process failed!");
    EXPECT_EQ(expected, boxes.Texts());
    EXPECT_EQ(0, theApp.m_twainAcquiring);
  }
}

TEST_F(TwainScanTest, TheCommandsAreEnabledByTheSessionAndTheRunningAcquisition) {
  EXPECT_TRUE(QueryCommand(&theApp, ID_FILE_TWAIN_SELECT_SOURCE).enabled);
  EXPECT_TRUE(QueryCommand(&theApp, ID_FILE_TWAIN_SETUP).enabled);
  EXPECT_TRUE(QueryCommand(&theApp, ID_FILE_TWAIN_ACQUIRE).enabled);
  EXPECT_TRUE(QueryCommand(&theApp, ID_APP_EXIT).enabled);
  theApp.m_twainAcquiring = 1;
  EXPECT_FALSE(QueryCommand(&theApp, ID_FILE_TWAIN_ACQUIRE).enabled);
  EXPECT_FALSE(QueryCommand(&theApp, ID_APP_EXIT).enabled);
  EXPECT_TRUE(QueryCommand(&theApp, ID_FILE_TWAIN_SETUP).enabled);
  theApp.m_twainAcquiring = 0;
  theApp.EndScanningSessions();
  EXPECT_FALSE(QueryCommand(&theApp, ID_FILE_TWAIN_SELECT_SOURCE).enabled);
  EXPECT_FALSE(QueryCommand(&theApp, ID_FILE_TWAIN_ACQUIRE).enabled);
}

}  // namespace

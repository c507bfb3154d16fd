// File > WIA Select Source and WIA Acquire in the running frame, through the WIA device manager's
// interfaces and the tests' own device (VantryTestWia.dll, registered under the manager's class id
// in the test prefix): pages in memory and as files, the feeder or flatbed choice, the transfer
// dialog on success, cancel and failure.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "DialogDriver.h"
#include "LUserWia.h"
#include "RecordedMessageBoxes.h"
#include "ScanTestSupport.h"
#include "resource.h"

namespace {

bool RegisterWiaTestDevice() {
  const std::wstring key = L"CLSID\\{A1F4E726-8CF1-11D1-BF92-0060081ED811}\\InprocServer32";
  const std::wstring dll = testing_support::ProgramFolder() + L"\\VantryTestWia.dll";
  HKEY handle = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
    return false;
  const wchar_t model[] = L"Apartment";
  bool ok = RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(dll.c_str()),
                           static_cast<DWORD>((dll.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  ok &= RegSetValueExW(handle, L"ThreadingModel", 0, REG_SZ, reinterpret_cast<const BYTE*>(model), sizeof model) ==
        ERROR_SUCCESS;
  RegCloseKey(handle);
  return ok;
}

BOOL CALLBACK FindTransferWindow(HWND window, LPARAM param) {
  wchar_t caption[64] = {};
  GetWindowTextW(window, caption, 64);
  if (wcscmp(caption, L"Transferring...") == 0) *reinterpret_cast<HWND*>(param) = window;
  return TRUE;
}

HWND TransferWindow() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindTransferWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

class WiaScanTest : public ScanTest {
 protected:
  void SetUp() override {
    ScanTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(RegisterWiaTestDevice());
    Scanner(pages_[0], pages_);
    StartSessions();
    ASSERT_TRUE(theApp.m_wiaAvailable);
    theApp.m_wiaVersion = 1;
    theApp.m_deviceDialog = 0;
    theApp.m_feederChosen = 1;
  }
  void TearDown() override {
    theApp.m_pWiaOptions = nullptr;
    theApp.m_deviceDialog = 1;
    ScanTest::TearDown();
  }
  void SelectDevice() {
    frame->SendMessage(WM_COMMAND, ID_FILE_WIA_SELECT_SOURCE);
    ASSERT_EQ(1, theApp.m_deviceSelected);
  }
  // WIA Acquire, answering the feeder or flatbed choice with the list entry.
  void Acquire(int sourceIndex) {
    testing_support::RunDialog(
        [this] {
          frame->SendMessage(WM_COMMAND, ID_FILE_WIA_ACQUIRE);
          return 0;
        },
        [sourceIndex](HWND dialog) {
          ::SendDlgItemMessageW(dialog, IDC_ACQUIRE_SOURCE_LIST, LB_SETCURSEL, sourceIndex, 0);
          testing_support::Click(dialog, IDOK);
        });
    Pump();
  }
  void ExpectNoTransferWindow() {
    EXPECT_EQ(nullptr, theApp.m_pWia->m_progress.GetSafeHwnd());
    EXPECT_EQ(nullptr, TransferWindow());
    EXPECT_EQ(0, theApp.m_wiaAcquiring);
  }

};

TEST_F(WiaScanTest, SelectingTheDeviceEnablesAcquireAndNoDeviceIsReported) {
  EXPECT_FALSE(QueryCommand(&theApp, ID_FILE_WIA_ACQUIRE).enabled);
  EXPECT_TRUE(QueryCommand(&theApp, ID_FILE_WIA_SELECT_SOURCE).enabled);
  SelectDevice();
  EXPECT_TRUE(QueryCommand(&theApp, ID_FILE_WIA_ACQUIRE).enabled);

  Scanner(L"", {});
  fixtures::RecordedMessageBoxes boxes;
  frame->SendMessage(WM_COMMAND, ID_FILE_WIA_SELECT_SOURCE);
  EXPECT_EQ(std::vector<std::wstring>{L"No WIA Devices Available."}, boxes.Texts());
  EXPECT_EQ(0, theApp.m_deviceSelected);
  EXPECT_FALSE(QueryCommand(&theApp, ID_FILE_WIA_ACQUIRE).enabled);
}

TEST_F(WiaScanTest, AFlatbedPageInMemoryBecomesADocumentWithTheSourcesPixels) {
  SelectDevice();
  fixtures::RecordedMessageBoxes boxes;
  Acquire(1);
  const std::vector<CFolimarDoc*> docs = Documents();
  ASSERT_EQ(1u, docs.size());
  EXPECT_EQ(1, docs[0]->GetPageCount());
  EXPECT_TRUE(SamePixels(docs[0], 0, pages_[0]));
  EXPECT_EQ(0, theApp.m_feederChosen);
  EXPECT_TRUE(boxes.Texts().empty());
  ExpectNoTransferWindow();
}

TEST_F(WiaScanTest, ThreeSheetsFromTheFeederAsFilesMakeThreeDocuments) {
  GUID bmp = {0xb96b3cab, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
  LWIAOPTIONS options = {&bmp, LWIA_TRANSFER_FILE};
  theApp.m_pWiaOptions = &options;
  theApp.m_wiaTransferPath = folder_.File(L"Wia.bmp").c_str();
  SelectDevice();
  Acquire(0);
  const std::vector<CFolimarDoc*> docs = Documents();
  ASSERT_EQ(3u, docs.size());
  for (size_t i = 0; i < 3; ++i) EXPECT_TRUE(SamePixels(docs[i], 0, pages_[i])) << "document " << i;
  ExpectNoTransferWindow();
}

TEST_F(WiaScanTest, WithVersionTwoAndOneItemNoSourceDialogIsShown) {
  theApp.m_wiaVersion = 2;
  SelectDevice();
  frame->SendMessage(WM_COMMAND, ID_FILE_WIA_ACQUIRE);  // a dialog would wait here for a user
  Pump();
  EXPECT_EQ(1u, Documents().size());
  ExpectNoTransferWindow();
}

TEST_F(WiaScanTest, CancellingTheTransferDialogStopsQuietlyAndLeavesNoWindow) {
  SelectDevice();
  fixtures::RecordedMessageBoxes boxes;
  // Cancel as soon as the transfer shows its window; the device is still scanning its first sheet.
  const DWORD thread = GetCurrentThreadId();
  std::thread user([thread] {
    for (int i = 0; i < 500; ++i) {
      HWND found = nullptr;
      EnumThreadWindows(thread, FindTransferWindow, reinterpret_cast<LPARAM>(&found));
      if (found != nullptr && IsWindowVisible(found)) {
        PostMessageW(GetDlgItem(found, IDCANCEL), BM_CLICK, 0, 0);
        return;
      }
      Sleep(5);
    }
  });
  Acquire(0);
  user.join();
  EXPECT_EQ(1, theApp.m_transferCancel);
  // Every sheet is a document of its own: the transfer stopped before the last one.
  EXPECT_LT(Documents().size(), 3u);
  EXPECT_TRUE(boxes.Texts().empty());
  ExpectNoTransferWindow();
}

TEST_F(WiaScanTest, AFailingDeviceGivesTheMessageAndLeavesNoWindow) {
  Scanner(pages_[0], pages_, 2, 0);
  SelectDevice();
  fixtures::RecordedMessageBoxes boxes;
  Acquire(0);
  EXPECT_EQ(1u, Documents().size());  // the first sheet came over before the failure
  ASSERT_EQ(1u, boxes.Texts().size());
  EXPECT_EQ(0u, boxes.Texts()[0].find(L"An error occurred while acquiring from WIA device..., Error code: "));
  ExpectNoTransferWindow();
}

}  // namespace

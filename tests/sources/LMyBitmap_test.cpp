#include "LMyBitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "ArchiveFixtures.h"
#include "ErrorLog.h"
#include "ImagingTestUtil.h"
#include "TestSupport.h"

namespace {

using fixtures::ErrorLogText;
using imaging_test::MakeFromRows;
using imaging_test::Rows;

// A movable global block holding the bytes, as the clipboard and colour correction hand DIBs over.
HGLOBAL GlobalBlock(const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!block) return nullptr;
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

std::string Fixture(const wchar_t* name) {
  return fixtures::ReadHexFixture(std::wstring(VANTRY_TEST_DATA_DIR L"/") + name);
}

// Loads the bytes through CopyFromHDib; the block stays the caller's and must come back unlocked.
int CopyFromBytes(LMyBitmap& bitmap, const std::string& bytes) {
  HGLOBAL block = GlobalBlock(bytes);
  EXPECT_NE(nullptr, block);
  const int result = bitmap.CopyFromHDib(block);
  EXPECT_EQ(0u, GlobalFlags(block) & GMEM_LOCKCOUNT);
  EXPECT_EQ(nullptr, GlobalFree(block));
  return result;
}

TEST(LMyBitmapFromDib, LoadsEachKindOfPackedDib) {
  const struct {
    const wchar_t* fixture;
    std::vector<std::string> rows;
    int bitsPerPixel;
    int dpi;  // 0: the layer's default, not checked
  } cases[] = {
      {L"dib_8bit_palette.hex", {"RB.", "BX."}, 8, 0},
      {L"dib_24bit_bottom_up.hex", {"RG", "BX"}, 24, 300},
      {L"dib_32bit_bitfields.hex", {"RG", "BX"}, 32, 0},
      {L"dib_24bit_top_down.hex", {"RG", "BX"}, 24, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.fixture, c.fixture + wcslen(c.fixture)));
    const std::string bytes = Fixture(c.fixture);
    ASSERT_FALSE(bytes.empty());
    LMyBitmap bitmap;
    ASSERT_EQ(SUCCESS, CopyFromBytes(bitmap, bytes));
    EXPECT_EQ(c.rows, Rows(bitmap));
    EXPECT_EQ(c.bitsPerPixel, bitmap.GetBitsPerPixel());
    if (c.dpi) {
      EXPECT_EQ(c.dpi, bitmap.GetXResolution());
      EXPECT_EQ(c.dpi, bitmap.GetYResolution());
    }
  }
}

// The colour table holds biClrUsed entries; with 0 up to 8 bits per pixel, 2 to the power of the
// depth. Every entry is black except the last, which is red, and the single pixel names the last:
// bits looked for at any other place read black.
TEST(LMyBitmapFromDib, ColourTableSizeDecidesWhereTheBitsStart) {
  const struct {
    WORD bitCount;
    DWORD clrUsed;
    int tableEntries;
    std::string pixelRow;  // one pixel, padded to 4 bytes
  } cases[] = {
      {1, 0, 2, std::string("\x80\0\0\0", 4)},
      {4, 0, 16, std::string("\xF0\0\0\0", 4)},
      {8, 0, 256, std::string("\xFF\0\0\0", 4)},
      {8, 7, 7, std::string("\x06\0\0\0", 4)},
      {24, 0, 0, std::string("\0\0\xFF\0", 4)},
      {24, 2, 2, std::string("\0\0\xFF\0", 4)},  // an optional table for palette devices, skipped
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.bitCount) + " bits, biClrUsed " + std::to_string(c.clrUsed));
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = 1;
    header.biHeight = 1;
    header.biPlanes = 1;
    header.biBitCount = c.bitCount;
    header.biCompression = BI_RGB;
    header.biClrUsed = c.clrUsed;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    for (int i = 0; i < c.tableEntries; ++i)
      bytes += i + 1 == c.tableEntries && c.bitCount <= 8 ? std::string("\0\0\xFF\0", 4) : std::string(4, '\0');
    bytes += c.pixelRow;
    LMyBitmap bitmap;
    ASSERT_EQ(SUCCESS, CopyFromBytes(bitmap, bytes));
    EXPECT_EQ(std::vector<std::string>{"R"}, Rows(bitmap));
  }
}

TEST(LMyBitmapFromDib, FailuresLeaveTheImageUnchanged) {
  std::string truncated = Fixture(L"dib_24bit_bottom_up.hex");
  truncated.resize(truncated.size() - 1);
  std::string tooManyColours = Fixture(L"dib_8bit_palette.hex");
  tooManyColours[0x21] = 0x01;  // biClrUsed 260 for an 8-bit image
  std::string badDepth = Fixture(L"dib_24bit_bottom_up.hex");
  badDepth[0x0E] = 0x07;
  const struct {
    const char* what;
    std::string bytes;
    int result;
  } cases[] = {
      {"truncated bits", truncated, ERROR_FILE_DAMAGED},
      {"colour table larger than the depth allows", tooManyColours, ERROR_FILE_DAMAGED},
      {"7 bits per pixel", badDepth, ERROR_BPP_NOT_SUPPORTED},
      {"block shorter than a header", std::string(20, '\0'), ERROR_FILE_DAMAGED},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LMyBitmap bitmap;
    ASSERT_EQ(SUCCESS, MakeFromRows(bitmap, {"GR"}));
    EXPECT_EQ(c.result, CopyFromBytes(bitmap, c.bytes));
    EXPECT_EQ(std::vector<std::string>{"GR"}, Rows(bitmap));
  }
}

TEST(LMyBitmapFromDib, NullHandleGivesNoBitmapAndKeepsTheImage) {
  LMyBitmap bitmap;
  ASSERT_EQ(SUCCESS, MakeFromRows(bitmap, {"GR"}));
  EXPECT_EQ(ERROR_NO_BITMAP, bitmap.CopyFromHDib(nullptr));
  EXPECT_EQ(std::vector<std::string>{"GR"}, Rows(bitmap));
}

TEST(LMyBitmapCopies, AssignmentCopiesPixelsAndAttributes) {
  LMyBitmap source;
  ASSERT_EQ(SUCCESS, MakeFromRows(source, {"RG", "BX"}));
  source.SetXResolution(200);
  source.SetYResolution(150);
  LMyBitmap target;
  ASSERT_EQ(SUCCESS, MakeFromRows(target, {"...."}));
  target = source;
  EXPECT_EQ(Rows(source), Rows(target));
  EXPECT_EQ(200, target.GetXResolution());
  EXPECT_EQ(150, target.GetYResolution());
  // A copy, not a share: changing one leaves the other.
  target.PutPixelColor(0, 0, RGB(0, 0, 0));
  EXPECT_EQ((std::vector<std::string>{"RG", "BX"}), Rows(source));
  EXPECT_EQ((std::vector<std::string>{"XG", "BX"}), Rows(target));
}

TEST(LMyBitmapCopies, SelfAssignmentKeepsTheImage) {
  LMyBitmap bitmap;
  ASSERT_EQ(SUCCESS, MakeFromRows(bitmap, {"RG"}));
  const BYTE* pixels = bitmap.GetHandle()->pBits;
  LMyBitmap& same = bitmap;
  bitmap = same;
  EXPECT_EQ(pixels, bitmap.GetHandle()->pBits);
  EXPECT_EQ(std::vector<std::string>{"RG"}, Rows(bitmap));
}

TEST(LMyBitmapCopies, AssigningAnEmptyBitmapEmpties) {
  LMyBitmap bitmap;
  ASSERT_EQ(SUCCESS, MakeFromRows(bitmap, {"RG"}));
  const LMyBitmap empty;
  bitmap = empty;
  EXPECT_FALSE(bitmap.IsAllocated());
}

TEST(LMyBitmapCopies, CopyConstructionCopiesThePicture) {
  LMyBitmap source;
  ASSERT_EQ(SUCCESS, MakeFromRows(source, {"RG", "BX"}));
  const LMyBitmap copy(source);
  EXPECT_EQ(Rows(source), Rows(copy));
  EXPECT_NE(source.GetHandle()->pBits, copy.GetHandle()->pBits);
  const LMyBitmap emptyCopy{LMyBitmap()};
  EXPECT_FALSE(emptyCopy.IsAllocated());
}

TEST(LMyBitmapListInsert, AppendsCopiesInOrder) {
  LMyBitmapList list;
  LMyBitmap page;
  for (const char* row : {"R", "GG", "BBB"}) {
    ASSERT_EQ(SUCCESS, MakeFromRows(page, {row}));
    ASSERT_EQ(SUCCESS, list.InsertItem(&page));
  }
  page.PutPixelColor(0, 0, RGB(0, 0, 0));  // the list holds its own copy
  ASSERT_EQ(3, list.GetItemsCount());
  EXPECT_EQ(std::vector<std::string>{"R"}, Rows(*list.Item(0)));
  EXPECT_EQ(std::vector<std::string>{"GG"}, Rows(*list.Item(1)));
  EXPECT_EQ(std::vector<std::string>{"BBB"}, Rows(*list.Item(2)));
}

// The main frame's display as the callbacks see it: records every call and its thread, and answers
// with a cancel when told to (or throws, as a broken display might).
class RecordingSink : public IImageProgressSink {
 public:
  enum Answer { kGoOn, kCancel, kThrow };
  explicit RecordingSink(Answer answer) : answer_(answer) {}
  int DoProgress(int nPercent, BOOL bCancelAllowed) override {
    percents.push_back(nPercent);
    threads.push_back(GetCurrentThreadId());
    cancelAllowed = cancelAllowed && bCancelAllowed;
    if (answer_ == kThrow) throw std::runtime_error("display failed");
    return answer_ == kCancel ? 1 : 0;
  }
  std::vector<int> percents;
  std::vector<DWORD> threads;
  bool cancelAllowed = true;

 private:
  Answer answer_;
};

// Installs a sink for one test on the test's thread and removes it afterwards.
class InstalledSink {
 public:
  explicit InstalledSink(IImageProgressSink* sink) { SetImageProgressSink(sink); }
  ~InstalledSink() { SetImageProgressSink(nullptr); }
};

// A long enough operation that reports progress every 64 rows.
int Enlarge(LMyBitmap& bitmap) {
  int result = bitmap.Create(64, 64, 24, ORDER_BGR, nullptr, 0, TOP_LEFT);
  if (result != SUCCESS) return result;
  bitmap.EnableStatusCallBack(TRUE);
  return bitmap.SizeInterpolate(256, 256);
}

TEST(LMyBitmapProgress, ReachesTheSinkOnItsOwnThread) {
  RecordingSink sink(RecordingSink::kGoOn);
  InstalledSink installed(&sink);
  LMyBitmap bitmap;
  ASSERT_EQ(SUCCESS, Enlarge(bitmap));
  EXPECT_EQ(256, bitmap.GetWidth());
  EXPECT_EQ((std::vector<int>{0, 25, 50, 75, 100}), sink.percents);
  for (DWORD thread : sink.threads) EXPECT_EQ(GetCurrentThreadId(), thread);
  EXPECT_TRUE(sink.cancelAllowed);
}

TEST(LMyBitmapProgress, CancelInTheSinkEndsTheOperationWithUserAbort) {
  RecordingSink sink(RecordingSink::kCancel);
  InstalledSink installed(&sink);
  LMyBitmap bitmap;
  EXPECT_EQ(ERROR_USER_ABORT, Enlarge(bitmap));
  EXPECT_EQ(64, bitmap.GetWidth());
  EXPECT_EQ(std::vector<int>{0}, sink.percents);
  EXPECT_EQ(ERROR_USER_ABORT, bitmap.StatusCallBack(40));
  // A load ends the same way and keeps the image it had.
  testing_support::TempFolder folder;
  const std::wstring file = folder.File(L"page.png");
  bitmap.EnableStatusCallBack(FALSE);
  ASSERT_EQ(SUCCESS, bitmap.Save(file.c_str(), FILE_PNG));
  LMyBitmap loaded;
  ASSERT_EQ(SUCCESS, MakeFromRows(loaded, {"GR"}));
  loaded.EnableStatusCallBack(TRUE);
  EXPECT_EQ(ERROR_USER_ABORT, loaded.Load(file.c_str()));
  EXPECT_EQ(std::vector<std::string>{"GR"}, Rows(loaded));
}

TEST(LMyBitmapProgress, WithoutASinkOperationsGoOn) {
  LMyBitmap bitmap;
  EXPECT_EQ(SUCCESS, Enlarge(bitmap));
  EXPECT_EQ(SUCCESS, bitmap.StatusCallBack(10));
  RecordingSink sink(RecordingSink::kCancel);
  { InstalledSink installed(&sink); }
  EXPECT_EQ(SUCCESS, bitmap.StatusCallBack(10));
  EXPECT_TRUE(sink.percents.empty());
}

struct WorkerJob {
  int enlargeResult = 0;
  int directResult = 0;
  int listResult = 0;
};

// A scaling worker of a view: its bitmap reports progress, which must not reach the frame.
DWORD WINAPI ScalingWorker(void* parameter) {
  WorkerJob& job = *static_cast<WorkerJob*>(parameter);
  LMyBitmap bitmap;
  job.enlargeResult = Enlarge(bitmap);
  job.directResult = bitmap.StatusCallBack(50);
  LMyBitmapList list;
  job.listResult = list.StatusCallBack(50);
  return 0;
}

TEST(LMyBitmapProgress, WorkerThreadsNeverReachTheSink) {
  RecordingSink sink(RecordingSink::kCancel);
  InstalledSink installed(&sink);
  WorkerJob job;
  HANDLE worker = CreateThread(nullptr, 0, ScalingWorker, &job, 0, nullptr);
  ASSERT_NE(nullptr, worker);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(worker, 60000));
  CloseHandle(worker);
  EXPECT_EQ(SUCCESS, job.enlargeResult);
  EXPECT_EQ(SUCCESS, job.directResult);
  EXPECT_EQ(SUCCESS, job.listResult);
  EXPECT_TRUE(sink.percents.empty());
  // The owning thread still reaches it.
  LMyBitmap bitmap;
  EXPECT_EQ(ERROR_USER_ABORT, bitmap.StatusCallBack(50));
  EXPECT_EQ(std::vector<int>{50}, sink.percents);
}

DWORD WINAPI InstallOnThisThread(void* sink) {
  SetImageProgressSink(static_cast<IImageProgressSink*>(sink));
  return 0;
}

TEST(LMyBitmapProgress, TheInstallingThreadOwnsTheSink) {
  RecordingSink sink(RecordingSink::kCancel);
  HANDLE other = CreateThread(nullptr, 0, InstallOnThisThread, &sink, 0, nullptr);
  ASSERT_NE(nullptr, other);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(other, 60000));
  CloseHandle(other);
  LMyBitmap bitmap;
  EXPECT_EQ(SUCCESS, bitmap.StatusCallBack(50));
  EXPECT_TRUE(sink.percents.empty());
  SetImageProgressSink(nullptr);
}

TEST(LMyBitmapProgress, ListSaveCancelledInTheSinkWritesNothing) {
  RecordingSink sink(RecordingSink::kCancel);
  InstalledSink installed(&sink);
  testing_support::TempFolder folder;
  LMyBitmap page;
  ASSERT_EQ(SUCCESS, MakeFromRows(page, {"RG", "BX"}));
  LMyBitmapList list;
  ASSERT_EQ(SUCCESS, list.InsertItem(&page));
  ASSERT_EQ(SUCCESS, list.InsertItem(&page));
  list.EnableStatusCallBack(TRUE);
  const std::wstring file = folder.File(L"pages.tif");
  EXPECT_EQ(ERROR_USER_ABORT, list.Save(file.c_str(), FILE_TIF));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(file.c_str()));
  EXPECT_FALSE(sink.percents.empty());
}

// A display that throws is caught inside the callback: the entry goes to the error log and the
// callback answers 0, which ends the running operation as a failure.
TEST(LMyBitmapProgress, ExceptionsInTheDisplayAreLoggedAndEndTheOperation) {
  fixtures::PrivateUserProfile profile;
  ASSERT_TRUE(profile.Ready());
  InitErrorLog();
  RecordingSink sink(RecordingSink::kThrow);
  InstalledSink installed(&sink);
  LMyBitmap bitmap;
  LMyBitmapList list;
  const struct {
    LBase* object;
    const wchar_t* function;
  } cases[] = {{&bitmap, L"Function LMyBitmap::StatusCallBack \r\n"}, {&list, L"Function LMyBitmapList::StatusCallBack \r\n"}};
  for (const auto& c : cases) {
    EXPECT_EQ(0, c.object->StatusCallBack(30));
    const std::wstring log = ErrorLogText();
    EXPECT_NE(std::wstring::npos, log.find(L"Exception (DEF_TRY - DEF_CATCH)\r\nFile LMyBitmap.cpp\r\n"));
    EXPECT_NE(std::wstring::npos, log.find(c.function)) << std::string(log.begin(), log.end());
  }
  EXPECT_EQ(0, Enlarge(bitmap));
  EXPECT_EQ(64, bitmap.GetWidth());
}

}  // namespace

// The background scaling jobs and their zoom cache on real threads: the copy stored under its zoom
// at the target's size, lighter for tab-order mode, one job per zoom, a clear that keeps a running
// job's copy out, the window repainted by the worker, and an owner that goes while a job runs.
#include "ScaledBitmapJob.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <memory>

namespace {

// Threads of this process that the system still lists.
int ThreadsOfThisProcess() {
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  int count = 0;
  for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry))
    count += entry.th32OwnerProcessID == ::GetCurrentProcessId();
  ::CloseHandle(snapshot);
  return count;
}

// Left half red, right half blue.
void MakeHalves(LBitmapBase& bitmap, int width, int height) {
  ASSERT_EQ(SUCCESS, bitmap.Create(width, height, 24));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.PutPixelColor(x, y, x < width / 2 ? RGB(255, 0, 0) : RGB(0, 0, 255));
}

TEST(ScaledBitmapJob, StoresACopyOfTheTargetSizeUnderItsZoom) {
  LMyBitmap source;
  MakeHalves(source, 40, 20);
  CScaledBitmapCache cache;
  EXPECT_EQ(SCALED_ABSENT, cache.Lookup(2.0, nullptr));
  ASSERT_TRUE(cache.StartJob(2.0, &source, RECT{10, 10, 90, 50}, nullptr, 0));
  cache.WaitForJobs();
  LMyBitmap* copy = nullptr;
  ASSERT_EQ(SCALED_READY, cache.Lookup(2.0, &copy));
  ASSERT_NE(nullptr, copy);
  EXPECT_EQ(80, copy->GetWidth());
  EXPECT_EQ(40, copy->GetHeight());
  EXPECT_EQ(RGB(255, 0, 0), copy->GetPixelColor(5, 20));
  EXPECT_EQ(RGB(0, 0, 255), copy->GetPixelColor(75, 20));
  EXPECT_EQ(100, copy->GetPaintGamma());
  EXPECT_EQ(SCALED_ABSENT, cache.Lookup(1.0, nullptr)) << "other zooms stay absent";
  EXPECT_EQ(40, source.GetWidth()) << "the source is not touched";
}

TEST(ScaledBitmapJob, ATabOrderJobPaintsItsCopyLighter) {
  LMyBitmap source;
  MakeHalves(source, 8, 8);
  CScaledBitmapCache cache;
  ASSERT_TRUE(cache.StartJob(1.0, &source, RECT{0, 0, 8, 8}, nullptr, 1));
  cache.WaitForJobs();
  LMyBitmap* copy = nullptr;
  ASSERT_EQ(SCALED_READY, cache.Lookup(1.0, &copy));
  EXPECT_EQ(250, copy->GetPaintGamma());
  EXPECT_EQ(100, source.GetPaintGamma());
}

TEST(ScaledBitmapJob, AZoomGetsOneJobWhileItRunsAndAfter) {
  LMyBitmap source;
  MakeHalves(source, 16, 16);
  CScaledBitmapCache cache;
  ASSERT_TRUE(cache.StartJob(1.5, &source, RECT{0, 0, 24, 24}, nullptr, 0));
  EXPECT_NE(SCALED_ABSENT, cache.Lookup(1.5, nullptr)) << "marked at once";
  EXPECT_FALSE(cache.StartJob(1.5, &source, RECT{0, 0, 24, 24}, nullptr, 0));
  cache.WaitForJobs();
  EXPECT_FALSE(cache.StartJob(1.5, &source, RECT{0, 0, 24, 24}, nullptr, 0));
  EXPECT_EQ(1, cache.GetCount());
  EXPECT_EQ(0, cache.GetJobCount()) << "waited jobs are freed";
}

TEST(ScaledBitmapJob, ClearingEmptiesTheMapAndKeepsRunningJobsOut) {
  LMyBitmap source;
  MakeHalves(source, 2000, 1500);
  CScaledBitmapCache cache;
  for (double zoom : {0.5, 2.0, 3.0}) ASSERT_TRUE(cache.StartJob(zoom, &source, RECT{0, 0, 900, 700}, nullptr, 0));
  cache.Clear();
  EXPECT_EQ(0, cache.GetCount());
  cache.WaitForJobs();
  EXPECT_EQ(0, cache.GetCount()) << "a copy made before the clear must not come back";
  // Cleared zooms are absent again: the next paint starts anew.
  EXPECT_TRUE(cache.StartJob(2.0, &source, RECT{0, 0, 20, 20}, nullptr, 0));
  cache.WaitForJobs();
  EXPECT_EQ(SCALED_READY, cache.Lookup(2.0, nullptr));
}

TEST(ScaledBitmapJob, TheWorkerInvalidatesItsWindowWhenTheCopyIsStored) {
  CWnd window;
  ASSERT_TRUE(window.CreateEx(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
  ::ValidateRect(window.m_hWnd, nullptr);
  RECT pending;
  ASSERT_FALSE(::GetUpdateRect(window.m_hWnd, &pending, FALSE));
  LMyBitmap source;
  MakeHalves(source, 10, 10);
  CScaledBitmapCache cache;
  ASSERT_TRUE(cache.StartJob(1.0, &source, RECT{0, 0, 20, 20}, &window, 0));
  cache.WaitForJobs();
  EXPECT_TRUE(::GetUpdateRect(window.m_hWnd, &pending, FALSE));
  EXPECT_EQ(100, pending.right - pending.left) << "the whole client area";
  window.DestroyWindow();
}

TEST(ScaledBitmapJob, AnOwnerThatGoesWaitsForItsJobs) {
  auto source = std::make_unique<LMyBitmap>();
  MakeHalves(*source, 2500, 2000);
  const int before = ThreadsOfThisProcess();
  ASSERT_GT(before, 0);
  auto cache = std::make_unique<CScaledBitmapCache>();
  ASSERT_TRUE(cache->StartJob(1.25, source.get(), RECT{0, 0, 3000, 2400}, nullptr, 0));
  ASSERT_TRUE(cache->StartJob(0.5, source.get(), RECT{0, 0, 1250, 1000}, nullptr, 0));
  cache.reset();
  // Both workers have ended: freeing the source now cannot pull it from under one of them.
  EXPECT_EQ(before, ThreadsOfThisProcess());
  source.reset();
}

TEST(ScaledBitmapJob, NothingStartsForAMissingSource) {
  CScaledBitmapCache cache;
  LMyBitmap empty;
  EXPECT_FALSE(cache.StartJob(1.0, nullptr, RECT{0, 0, 10, 10}, nullptr, 0));
  EXPECT_FALSE(cache.StartJob(1.0, &empty, RECT{0, 0, 10, 10}, nullptr, 0));
  EXPECT_EQ(SCALED_ABSENT, cache.Lookup(1.0, nullptr));
}

}  // namespace

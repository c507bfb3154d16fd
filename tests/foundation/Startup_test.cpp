// The two programs start, show their main window and end with exit code 0 when it is closed.
#include <gtest/gtest.h>

#include "TestSupport.h"

using testing_support::ChildProcess;
using testing_support::ProgramFolder;

namespace {

class ProgramStartup : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(ProgramStartup, ShowsMainWindowAndEndsWithZeroOnClose) {
  ChildProcess program(L"\"" + ProgramFolder() + L"\\" + GetParam() + L"\"");
  ASSERT_TRUE(program.Started());
  HWND window = program.WaitForMainWindow(30000);
  ASSERT_NE(window, nullptr) << "no main window";
  EXPECT_TRUE(IsWindowVisible(window));
  ASSERT_TRUE(PostMessageW(window, WM_CLOSE, 0, 0));
  EXPECT_EQ(program.WaitForExit(30000), 0u);
}

INSTANTIATE_TEST_SUITE_P(Deliverables, ProgramStartup,
                         ::testing::Values(L"Orvello.exe", L"Scrivel.exe"));

TEST(OrvelloStartup, CaptionIsProfileNameAndVersion) {
  ChildProcess program(L"\"" + ProgramFolder() + L"\\Orvello.exe\"");
  HWND window = program.WaitForMainWindow(30000);
  ASSERT_NE(window, nullptr);
  wchar_t caption[128] = L"";
  GetWindowTextW(window, caption, 128);
  EXPECT_STREQ(caption, L"Vantry 2.78.3");
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(30000), 0u);
}

}  // namespace

// Orvello.exe started as a user starts it, printing and previewing from its File menu: the print options
// and the print dialog answered as a user answers them, the job on a PostScript printer of Wine's
// spooler (the system's default for the run), and the preview in place of the document's view with the
// frame's bars hidden until it closes.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "DialogDriver.h"
#include "FolimarApp.h"
#include "InstalledPrinter.h"
#include "ProgramTestSupport.h"
#include "TestSupport.h"
#include "resource.h"

CFolimarApp theApp;

namespace {

using testing_support::ChildProcess;

const DWORD kWait = 60000;
const wchar_t kPrinterName[] = L"Orvello Program Printer";

BOOL CALLBACK AddVisibleChild(HWND window, LPARAM param) {
  if (IsWindowVisible(window)) reinterpret_cast<std::set<HWND>*>(param)->insert(window);
  return TRUE;
}

// The frame's visible windows, its bars and panes among them.
std::set<HWND> VisibleDescendants(HWND frame) {
  std::set<HWND> windows;
  EnumChildWindows(frame, AddVisibleChild, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

template <typename Condition>
bool WaitFor(Condition condition) {
  for (int i = 0; i < 500; ++i) {
    if (condition()) return true;
    Sleep(20);
  }
  return condition();
}

class ProgramPrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program_test::DeleteProfile());
    const std::wstring unixFolder = testing_support::UnixPath(folder_.Path());
    ASSERT_FALSE(unixFolder.empty());
    printer_ = std::make_unique<testing_support::InstalledPrinter>(
        kPrinterName, std::wstring(VANTRY_SOURCE_DIR) + L"/tests/vpd/data/VantrySimplex.ppd",
        L"|cat > " + unixFolder + L"/job-$$.ps");
    ASSERT_TRUE(printer_->installed());
    DWORD size = MAX_PATH;
    if (!GetDefaultPrinterW(previousDefault_, &size)) previousDefault_[0] = 0;
    ASSERT_TRUE(SetDefaultPrinterW(kPrinterName));
  }
  void TearDown() override {
    if (previousDefault_[0] != 0) SetDefaultPrinterW(previousDefault_);
    printer_.reset();
    program_test::DeleteProfile();
  }
  std::string Job() {
    std::string job;
    WaitFor([&] {
      WIN32_FIND_DATAW data;
      HANDLE find = FindFirstFileW(folder_.File(L"job-*.ps").c_str(), &data);
      if (find == INVALID_HANDLE_VALUE) return false;
      FindClose(find);
      job = testing_support::ReadFileBytes(folder_.File(data.cFileName));
      return job.find("%%EOF") != std::string::npos;
    });
    return job;
  }

  testing_support::TempFolder folder_;
  std::unique_ptr<testing_support::InstalledPrinter> printer_;
  wchar_t previousDefault_[MAX_PATH] = L"";
};

TEST_F(ProgramPrintTest, PrintAndPrintPreviewFromTheFileMenu) {
  const std::wstring path = folder_.File(L"two pages.qlm");
  ASSERT_TRUE(program_test::MakeQuadrantDocument(path, 2, 1.0));
  ChildProcess program(L"\"" + testing_support::ProgramFolder() + L"\\Orvello.exe\" \"" + path + L"\"");
  HWND frame = program.WaitForMainWindow(kWait);
  ASSERT_NE(nullptr, frame);
  HWND view = program_test::WaitForDocumentView(program, frame, kWait);
  ASSERT_NE(nullptr, view);

  // File > Print: blank paper, then the print dialog with the default printer.
  ASSERT_TRUE(PostMessageW(frame, WM_COMMAND, MAKEWPARAM(ID_FILE_PRINT, 0), 0));
  HWND options = testing_support::WaitForNextDialog(frame);
  ASSERT_NE(nullptr, options) << "the print options";
  testing_support::Click(options, IDC_RADIO_TEXT_IMAGE);
  testing_support::Click(options, IDOK);
  HWND print = testing_support::WaitForNextDialog(options);
  ASSERT_NE(nullptr, print) << "the print dialog";
  testing_support::Click(print, IDOK);
  const std::string job = Job();
  EXPECT_EQ(0u, job.find("%!PS")) << job.substr(0, 40);
  EXPECT_NE(std::string::npos, job.find("%%Pages: 2"));

  // File > Print Preview: the options, then the preview where the view was, without the bars.
  const std::set<HWND> before = VisibleDescendants(frame);
  ASSERT_TRUE(PostMessageW(frame, WM_COMMAND, MAKEWPARAM(ID_FILE_PRINT_PREVIEW, 0), 0));
  options = testing_support::WaitForNextDialog(frame);
  ASSERT_NE(nullptr, options) << "the preview's options";
  testing_support::Click(options, IDOK);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(view); })) << "the preview takes the view's place";
  const std::set<HWND> during = VisibleDescendants(frame);
  size_t hidden = 0;
  for (HWND window : before) hidden += during.count(window) == 0 && IsWindow(window) && window != view;
  EXPECT_GT(hidden, 0u) << "the frame's bars are hidden";
  // The same command ends the preview; everything comes back.
  ASSERT_TRUE(PostMessageW(frame, WM_COMMAND, MAKEWPARAM(ID_FILE_PRINT_PREVIEW, 0), 0));
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(view) != FALSE; })) << "the view is back";
  std::set<HWND> after;
  WaitFor([&] {
    after = VisibleDescendants(frame);
    return after.size() >= before.size();
  });
  for (HWND window : before) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    EXPECT_EQ(1u, after.count(window)) << "shown again: " << std::string(name, name + wcslen(name)) << " " << IsWindow(window);
  }

  // Printing moved the document to its record, which counts as a change: the close asks to save it.
  ASSERT_TRUE(PostMessageW(frame, WM_CLOSE, 0, 0));
  HWND question = testing_support::WaitForNextDialog(frame);
  ASSERT_NE(nullptr, question);
  testing_support::Click(question, IDNO);
  EXPECT_EQ(0u, program.WaitForExit(kWait));
}

}  // namespace

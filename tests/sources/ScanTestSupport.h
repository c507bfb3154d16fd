// What the scanning tests share: the main frame with three distinct page images on disk, the tests'
// scanner settings (cleared afterwards), the scanning sessions, and the documents the scans make.
#pragma once
#include <string>
#include <vector>

#include "FrameTestSupport.h"

// Whether page `index` of `doc` has exactly the pixels of the image file.
::testing::AssertionResult SamePixels(CFolimarDoc* doc, int index, const std::wstring& file);

class ScanTest : public FrameTest {
 protected:
  // Writes the pages, opens the frame; the derived test installs its device before StartSessions.
  void SetUp() override;
  void TearDown() override;
  void StartSessions() { theApp.StartScanningSessions(); }
  // What the tests' scanner holds: the glass's image (none: a feeder-only device), the feeder's
  // sheets, the page that fails and the page the user cancels at the device.
  void Scanner(const std::wstring& flatbed, std::vector<std::wstring> feeder, DWORD failAt = 0, DWORD cancelAt = 0);
  std::vector<CFolimarDoc*> Documents();

  testing_support::TempFolder folder_;
  std::vector<std::wstring> pages_;  // three images, each with a band of its own colour and size
};

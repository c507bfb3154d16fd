// The image resize dialog run modally and worked by messages: sizes in inches and millimetres, the
// fitting modes, and the resolution it hands back.
#include "ResizeDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "RecordedMessageBoxes.h"
#include "MyProcs.h"
#include "resource.h"

namespace {

using testing_support::ControlText;
using testing_support::Click;
using testing_support::Enabled;
using testing_support::RunDialog;
using testing_support::TypeText;



class ResizeDlgTest : public ::testing::Test {
 protected:
  fixtures::RecordedMessageBoxes boxes_;
};

TEST_F(ResizeDlgTest, ImagesWithoutSizeOrResolutionAreRefused) {
  const int cases[][4] = {{0, 2200, 200, 200}, {1700, 0, 200, 200}, {1700, 2200, 0, 200}, {1700, 2200, 200, 0}};
  for (const auto& c : cases) {
    CResizeDlg dialog;
    EXPECT_EQ(0, dialog.Init(c[0], c[1], c[2], c[3], 1700, 2200, 1600, 2100));
  }
}

TEST_F(ResizeDlgTest, TypedWidthKeepsTheAspectAndGivesTheResolution) {
  struct Case {
    int resolutionX, resolutionY, imageHeight;
    const wchar_t* shownHeight;
    const wchar_t* typedWidth;
    const wchar_t* heightAfter;
    LONG newX, newY;
  } cases[] = {
      {200, 200, 2200, L"11.000", L"4.25", L"5.500", 400, 400},
      // Both axes take the width's scale, so their ratio stays.
      {200, 100, 1100, L"11.000", L"4.25", L"2.750", 400, 200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.resolutionY);
    CResizeDlg dialog;
    ASSERT_EQ(1, dialog.Init(1700, c.imageHeight, c.resolutionX, c.resolutionY, 1700, 2200, 1600, 2100));
    EXPECT_EQ(IDOK, RunDialog(dialog, [&c](HWND window) {
                EXPECT_EQ(L"8.500", ControlText(window, IDC_RESIZE_EDIT_WIDTH));
                EXPECT_EQ(c.shownHeight, ControlText(window, IDC_RESIZE_EDIT_HEIGHT));
                TypeText(window, IDC_RESIZE_EDIT_WIDTH, c.typedWidth);
                EXPECT_EQ(c.typedWidth, ControlText(window, IDC_RESIZE_EDIT_WIDTH));  // typing is not rewritten
                EXPECT_EQ(c.heightAfter, ControlText(window, IDC_RESIZE_EDIT_HEIGHT));
                Click(window, IDOK);
              }));
    SIZE resolution = {};
    BOOL fit = TRUE;
    dialog.GetNewResolution(resolution, fit);
    EXPECT_EQ(c.newX, resolution.cx);
    EXPECT_EQ(c.newY, resolution.cy);
    EXPECT_FALSE(fit);
  }
}

TEST_F(ResizeDlgTest, FittingShowsTheFittedSizeAndLocksTheEdits) {
  CResizeDlg dialog;
  ASSERT_EQ(1, dialog.Init(3400, 2200, 200, 200, 1700, 2200, 1000, 2000));
  EXPECT_EQ(IDOK, RunDialog(dialog, [](HWND window) {
              Click(window, IDC_RESIZE_FIT_TO_PAGE);  // scale 0.5: 1700 x 1100 pixels
              EXPECT_EQ(L"8.500", ControlText(window, IDC_RESIZE_EDIT_WIDTH));
              EXPECT_EQ(L"5.500", ControlText(window, IDC_RESIZE_EDIT_HEIGHT));
              EXPECT_FALSE(Enabled(window, IDC_RESIZE_EDIT_WIDTH));
              Click(window, IDC_RESIZE_FIT_TO_PRINTABLE);  // 1000 x 647 pixels
              EXPECT_EQ(L"5.000", ControlText(window, IDC_RESIZE_EDIT_WIDTH));
              EXPECT_EQ(L"3.235", ControlText(window, IDC_RESIZE_EDIT_HEIGHT));
              Click(window, IDC_RESIZE_USER_DEFINED);
              EXPECT_TRUE(Enabled(window, IDC_RESIZE_EDIT_WIDTH));
              Click(window, IDC_RESIZE_FIT_TO_PRINTABLE);
              Click(window, IDOK);
            }));
  SIZE resolution = {};
  BOOL fit = FALSE;
  dialog.GetNewResolution(resolution, fit);
  EXPECT_EQ(680, resolution.cx);  // 3400 pixels over 5 inches
  EXPECT_EQ(680, resolution.cy);
  EXPECT_TRUE(fit);
}

TEST_F(ResizeDlgTest, UnitsConvertOnceEachWay) {
  CResizeDlg dialog;
  ASSERT_EQ(1, dialog.Init(1700, 2200, 200, 200, 1700, 2200, 1600, 2100));
  RunDialog(dialog, [](HWND window) {
    Click(window, IDC_RESIZE_MM);
    EXPECT_EQ(L"215.900", ControlText(window, IDC_RESIZE_EDIT_WIDTH));
    EXPECT_EQ(L"279.400", ControlText(window, IDC_RESIZE_EDIT_HEIGHT));
    Click(window, IDC_RESIZE_MM);  // already millimetres
    EXPECT_EQ(L"215.900", ControlText(window, IDC_RESIZE_EDIT_WIDTH));
    Click(window, IDC_RESIZE_INCHES);
    EXPECT_EQ(L"8.500", ControlText(window, IDC_RESIZE_EDIT_WIDTH));
  });
}

TEST_F(ResizeDlgTest, SizesThatAreNoLengthAreRefusedAtOk) {
  for (const wchar_t* typed : {L"4x", L"0"}) {
    boxes_.Texts().clear();
    CResizeDlg dialog;
    ASSERT_EQ(1, dialog.Init(1700, 2200, 200, 200, 1700, 2200, 1600, 2100));
    bool open = false;
    const INT_PTR result = RunDialog(dialog, [&](HWND window) {
      TypeText(window, IDC_RESIZE_EDIT_WIDTH, typed);
      if (typed[1] == L'x') {
        EXPECT_EQ(L"11.000", ControlText(window, IDC_RESIZE_EDIT_HEIGHT));  // a letter changes nothing
      }
      Click(window, IDOK);
      open = IsWindowVisible(window) != FALSE;
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(IDCANCEL, result);
    ASSERT_EQ(1u, boxes_.Texts().size());
    EXPECT_EQ(L"Incorrect float point values.", boxes_.Texts()[0]);
    SIZE resolution = {};
    BOOL fit = TRUE;
    dialog.GetNewResolution(resolution, fit);  // the unusable size keeps the resolution
    EXPECT_EQ(200, resolution.cx);
    EXPECT_EQ(200, resolution.cy);
  }
}

}  // namespace

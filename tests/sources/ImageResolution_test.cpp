// The image resolution dialog, run modally and worked by messages: what typing keeps and what OK
// accepts.
#include "ImageResolution.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "RecordedMessageBoxes.h"
#include "MyProcs.h"
#include "resource.h"

namespace {

using testing_support::Click;
using testing_support::ComboItems;
using testing_support::RunDialog;


std::wstring Text(HWND dialog) {
  wchar_t text[32] = {};
  GetDlgItemTextW(dialog, IDC_COMBO_IMAGE_RESOLUTION, text, 32);
  return text;
}

// Typing over the whole text of the box's edit (as a paste over a selection): the box tells the dialog.
void Type(HWND dialog, const wchar_t* text) {
  HWND edit = GetWindow(GetDlgItem(dialog, IDC_COMBO_IMAGE_RESOLUTION), GW_CHILD);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

class ImageResolutionTest : public ::testing::Test {
 protected:
  fixtures::RecordedMessageBoxes boxes_;
};

TEST_F(ImageResolutionTest, OffersTheUsualResolutionsAndShowsThePreset) {
  for (int preset : {300, 72, 1}) {
    CImageResolution dialog;
    dialog.SetResolution(preset);
    EXPECT_EQ(IDOK, RunDialog(dialog, [preset](HWND window) {
                EXPECT_EQ((std::vector<std::wstring>{L"100", L"150", L"200", L"300", L"400", L"600"}),
                          ComboItems(window, IDC_COMBO_IMAGE_RESOLUTION));
                EXPECT_EQ(std::to_wstring(preset), Text(window));
                Click(window, IDOK);
              }));
    EXPECT_EQ(preset, dialog.GetResolution());
  }
}

TEST_F(ImageResolutionTest, TypingKeepsOnlyUnsignedOrPlusNumbers) {
  struct Case {
    const wchar_t* typed;
    const wchar_t* kept;
  } cases[] = {{L"-5", L"200"}, {L"2a", L"200"}, {L"1.5", L"200"}, {L"450", L"450"}, {L"+96", L"+96"},
               {L"", L""}, {L"0", L"0"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(&c - cases));
    CImageResolution dialog;
    dialog.SetResolution(200);
    RunDialog(dialog, [&c](HWND window) {
      Type(window, c.typed);
      EXPECT_EQ(c.kept, Text(window));
    });
  }
}

TEST_F(ImageResolutionTest, OkTakesOnlyANonZeroResolution) {
  struct Case {
    const wchar_t* typed;
    bool accepted;
    int resolution;
  } cases[] = {{L"0", false, 0}, {L"", false, 0}, {L"+", false, 0}, {L"+450", true, 450}, {L"600", true, 600}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(&c - cases));
    boxes_.Texts().clear();
    CImageResolution dialog;
    dialog.SetResolution(300);
    bool open = false;
    const INT_PTR result = RunDialog(dialog, [&](HWND window) {
      Type(window, c.typed);
      Click(window, IDOK);
      open = IsWindow(window) && IsWindowVisible(window);
    });
    EXPECT_EQ(c.accepted ? IDOK : IDCANCEL, result);
    EXPECT_EQ(!c.accepted, open);
    if (c.accepted) {
      EXPECT_TRUE(boxes_.Texts().empty());
      EXPECT_EQ(c.resolution, dialog.GetResolution());
    } else {
      ASSERT_EQ(1u, boxes_.Texts().size());
      EXPECT_EQ(L"Please enter non-zero resolution.", boxes_.Texts()[0]);
    }
  }
}

}  // namespace

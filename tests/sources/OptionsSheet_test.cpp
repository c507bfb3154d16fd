// The options sheet over the running frame, worked by messages: what its pages show on a fresh
// profile, unit changes of the grid texts, the values OK refuses, and the records and profile values
// it stores, read back after a restart of the frame.
#include "OptionsSheet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "FrameTestSupport.h"
#include "MyProcs.h"
#include "resource.h"

namespace {

using testing_support::Checked;
using testing_support::Click;
using testing_support::ControlText;
using testing_support::Enabled;
using testing_support::RunDialog;

std::vector<std::wstring> g_boxes;
int RecordBox(LPCTSTR text, UINT) {
  g_boxes.push_back(text != nullptr ? text : L"");
  return IDOK;
}

HWND Page(HWND sheet) { return reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
HWND ShowPage(HWND sheet, int index) {
  ::SendMessageW(sheet, PSM_SETCURSEL, index, 0);
  return Page(sheet);
}
void Type(HWND page, int id, const wchar_t* text) { ::SetDlgItemTextW(page, id, text); }
void SelectCombo(HWND page, int id, int index) {
  ::SendDlgItemMessageW(page, id, CB_SETCURSEL, index, 0);
  ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(::GetDlgItem(page, id)));
}
void PressOk(HWND sheet) { ::SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0); }

class OptionsSheetTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    g_boxes.clear();
    previousBox_ = SetMessageBoxPresenter(RecordBox);
  }
  void TearDown() override {
    SetMessageBoxPresenter(previousBox_);
    FrameTest::TearDown();
  }
  // Runs the sheet; TRUE when it ended with OK.
  BOOL Run(const std::function<void(HWND)>& script) {
    return RunDialog([this] { return static_cast<INT_PTR>(frame->RunOptions()); }, script) != 0;
  }
  MessageBoxPresenter previousBox_ = nullptr;
};

TEST_F(OptionsSheetTest, AFreshProfileShowsTheDefaultsInInches) {
  ASSERT_NE(nullptr, OpenFrame());
  std::vector<std::wstring> captions;
  EXPECT_FALSE(Run([&](HWND sheet) {
    HWND page = Page(sheet);
    EXPECT_EQ(L"0.194", ControlText(page, IDC_OPT_GRID_X));
    EXPECT_EQ(L"0.194", ControlText(page, IDC_OPT_GRID_Y));
    EXPECT_EQ(0, ::SendDlgItemMessageW(page, IDC_OPT_UNITS, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(3, ::SendDlgItemMessageW(page, IDC_OPT_UNITS, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(L"FFFFFF00", ControlText(page, IDC_OPT_TRANSPARENCY_COLOR));
    EXPECT_FALSE(Enabled(page, IDC_OPT_TRANSPARENCY_COLOR)) << "PNG transparency is off";
    EXPECT_FALSE(Checked(page, IDC_OPT_PARAGRAPH_MARKS)) << "marks are off on a fresh profile";
    EXPECT_EQ(std::wstring(GetFormsPathName()), ControlText(page, IDC_OPT_FORM_FOLDER));
    HWND tabs = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    const int count = static_cast<int>(::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t text[64] = {};
      TCITEMW item = {};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      item.cchTextMax = 64;
      ::SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
      captions.push_back(text);
    }
  }));
  EXPECT_EQ((std::vector<std::wstring>{L"General", L"PDF", L"Virtual Printer", L"Auto backup"}), captions);
}

TEST_F(OptionsSheetTest, AUnitChangeConvertsTheShownGridAndTheSpinStepsByTheUnit) {
  ASSERT_NE(nullptr, OpenFrame());
  Run([](HWND sheet) {
    HWND page = Page(sheet);
    SelectCombo(page, IDC_OPT_UNITS, 1);
    EXPECT_EQ(L"4.93", ControlText(page, IDC_OPT_GRID_X));
    SelectCombo(page, IDC_OPT_UNITS, 0);
    EXPECT_EQ(L"0.194", ControlText(page, IDC_OPT_GRID_X));
    NMUPDOWN up = {};
    up.hdr.hwndFrom = ::GetDlgItem(page, IDC_OPT_SPIN_GRID_X);
    up.hdr.idFrom = IDC_OPT_SPIN_GRID_X;
    up.hdr.code = UDN_DELTAPOS;
    up.iDelta = -1;
    ::SendMessageW(page, WM_NOTIFY, IDC_OPT_SPIN_GRID_X, reinterpret_cast<LPARAM>(&up));
    EXPECT_EQ(L"0.199", ControlText(page, IDC_OPT_GRID_X));
    Type(page, IDC_OPT_GRID_Y, L"abc");
    EXPECT_EQ(L"0.194", ControlText(page, IDC_OPT_GRID_Y)) << "no number, the text before comes back";
  });
}

TEST_F(OptionsSheetTest, OkRefusesGridStepsThatAreNotPositiveOrTooLargeAndBadColours) {
  ASSERT_NE(nullptr, OpenFrame());
  const int before = frame->GetGridStepX();
  const struct {
    const wchar_t* grid;
    const wchar_t* transparency;
  } refused[] = {{L"0", L"FFFFFF00"},  {L"-1", L"FFFFFF00"}, {L"+", L"FFFFFF00"},     {L"10.5", L"FFFFFF00"},
                 {L"0.5", L"1234567"}, {L"0.5", L"123456789"}, {L"0.5", L"12345G78"}};
  for (const auto& c : refused) {
    g_boxes.clear();
    BOOL stillOpen = FALSE;
    EXPECT_FALSE(Run([&](HWND sheet) {
      HWND page = Page(sheet);
      Type(page, IDC_OPT_GRID_X, c.grid);
      Type(page, IDC_OPT_TRANSPARENCY_COLOR, c.transparency);
      PressOk(sheet);
      stillOpen = ::IsWindow(sheet) && Page(sheet) != nullptr;
    })) << c.grid << " " << c.transparency;
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(1u, g_boxes.size()) << c.grid << " " << c.transparency;
    EXPECT_EQ(before, frame->GetGridStepX());
  }
  EXPECT_TRUE(Run([](HWND sheet) {
    HWND page = Page(sheet);
    Type(page, IDC_OPT_GRID_X, L"0.5");
    Type(page, IDC_OPT_TRANSPARENCY_COLOR, L"00ff00ff");
    PressOk(sheet);
  }));
  EXPECT_EQ(49999, frame->GetGridStepX()) << "half an inch, truncated as the page stores steps";
  EXPECT_EQ(0x00FF00FFu, frame->GetOptions().transparencyColor);
}

TEST_F(OptionsSheetTest, TheStoredOptionsAreReadBackAfterARestart) {
  ASSERT_NE(nullptr, OpenFrame());
  EXPECT_TRUE(Run([](HWND sheet) {
    HWND page = Page(sheet);
    SelectCombo(page, IDC_OPT_UNITS, 2);
    Type(page, IDC_OPT_GRID_X, L"7");
    Click(page, IDC_OPT_SNAP);
    Click(page, IDC_OPT_PARAGRAPH_MARKS);
    page = ShowPage(sheet, 1);
    SelectCombo(page, IDC_OPT_PDF_FONTS, 3);
    SelectCombo(page, IDC_OPT_PDF_LAYOUT, 2);
    page = ShowPage(sheet, 2);
    Click(page, IDC_OPT_VP_EMF);
    PressOk(sheet);
  }));
  EXPECT_TRUE(frame->IsSnapToGrid());
  EXPECT_EQ(0, frame->GetParagraphMarksOff());
  CloseFrame();
  EXPECT_EQ(0u, ReadInt(L"VPFormat"));

  ASSERT_NE(nullptr, OpenFrame());
  EXPECT_EQ(2, frame->GetOptions().unit);
  EXPECT_EQ(9722, frame->GetGridStepX()) << "7 points";
  EXPECT_TRUE(frame->IsSnapToGrid());
  EXPECT_EQ(3, frame->GetPdfOptions2().fontEmbedding);
  EXPECT_EQ(2, frame->GetPdfOptions().pageLayout);
}

TEST_F(OptionsSheetTest, ThePdfTabsShowTheirGroupsOnly) {
  ASSERT_NE(nullptr, OpenFrame());
  Run([](HWND sheet) {
    HWND page = ShowPage(sheet, 1);
    int outputCount = 0, viewerCount = 0;
    const int* output = COptionsPropPagePDF::GroupControls(0, outputCount);
    const int* viewer = COptionsPropPagePDF::GroupControls(1, viewerCount);
    EXPECT_EQ(6, viewerCount);
    for (int i = 0; i < outputCount; ++i) EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(page, output[i]))) << output[i];
    for (int i = 0; i < viewerCount; ++i) EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page, viewer[i]))) << viewer[i];
    HWND tabs = ::GetDlgItem(page, IDC_OPT_PDF_TAB);
    ::SendMessageW(tabs, TCM_SETCURSEL, 1, 0);
    NMHDR header = {tabs, IDC_OPT_PDF_TAB, static_cast<UINT>(TCN_SELCHANGE)};
    ::SendMessageW(page, WM_NOTIFY, IDC_OPT_PDF_TAB, reinterpret_cast<LPARAM>(&header));
    for (int i = 0; i < outputCount; ++i) EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page, output[i]))) << output[i];
    for (int i = 0; i < viewerCount; ++i) EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(page, viewer[i]))) << viewer[i];
  });
}

TEST_F(OptionsSheetTest, TheAutoBackupSwitchIsStoredEvenWhenTheSheetIsCancelled) {
  ASSERT_NE(nullptr, OpenFrame());
  EXPECT_FALSE(Run([](HWND sheet) {
    HWND page = ShowPage(sheet, 3);
    EXPECT_FALSE(Enabled(page, IDC_OPT_ON_CLOSE));
    EXPECT_TRUE(Enabled(page, IDC_OPT_BACKUP_PATH));
    Click(page, IDC_OPT_AUTO_BACKUP);
    EXPECT_TRUE(Enabled(page, IDC_OPT_ON_CLOSE));
    EXPECT_TRUE(Enabled(page, IDC_OPT_EVERY_WEEK));
    EXPECT_TRUE(Enabled(page, IDC_OPT_BACKUP_BROWSE));
    EXPECT_FALSE(ControlText(page, IDC_OPT_BACKUP_PATH).empty());
  }));
  EXPECT_EQ(1u, ReadInt(L"AutoBackup"));
  EXPECT_EQ(0u, ReadInt(L"OnClose"));
}

}  // namespace

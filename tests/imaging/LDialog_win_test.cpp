// The image dialogs driven as a user would: the value typed or slid, the preview looked at, OK or
// Cancel pressed; real dialogs from the layer's resources under Wine.
#include <LDialog.h>
#include <LDialogsRes.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

#include "ImagingTestRes.h"

namespace {

// What to do once the dialog is up; run from a thread timer inside the dialog's modal loop.
std::function<void(HWND)> g_script;

void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dlg = GetActiveWindow();
  // The dialog is shown once its modal loop first idles; act only on what a user could see.
  if (!dlg || !GetDlgItem(dlg, IDC_L_PREVIEW) || !IsWindowVisible(dlg)) return;
  KillTimer(nullptr, timer);
  auto script = std::move(g_script);
  script(dlg);
}

void WhenShown(std::function<void(HWND)> script) {
  g_script = std::move(script);
  SetTimer(nullptr, 0, 20, RunScript);
}

// The preview's centre pixel as painted: redrawn, then copied from the window's own DC.
COLORREF PreviewCentre(HWND dlg) {
  HWND preview = GetDlgItem(dlg, IDC_L_PREVIEW);
  RedrawWindow(preview, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT r;
  GetWindowRect(preview, &r);
  LBitmapBase capture;
  if (capture.Create(r.right - r.left, r.bottom - r.top, 24) != SUCCESS) return CLR_INVALID;
  HDC target = capture.CreateLeadDC();
  HDC source = GetWindowDC(preview);
  BitBlt(target, 0, 0, capture.GetWidth(), capture.GetHeight(), source, 0, 0, SRCCOPY);
  ReleaseDC(preview, source);
  LBitmapBase::DeleteLeadDC(target);
  return capture.GetPixelColor(capture.GetWidth() / 2, capture.GetHeight() / 2);
}

void Press(HWND dlg, int id) { PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id))); }

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SUCCESS, LDialogBase::Initialize(1));
    ASSERT_EQ(SUCCESS, picture.Create(40, 30, 24));
    picture.Fill(RGB(100, 100, 100));
  }
  LBitmapBase picture;
};

TEST_F(DialogTest, BrightnessTypedValueShowsInPreviewAndOkProcessesTheBitmap) {
  LDialogColor dialog;
  dialog.SetBitmap(&picture);
  BRIGHTNESSDLGPARAMS params = {sizeof params, 0, 0, {}};
  ASSERT_EQ(SUCCESS, dialog.SetBrightnessParams(&params));
  dialog.EnableCallBack(FALSE);
  dialog.EnablePreview(TRUE);
  dialog.EnableAutoProcess(TRUE);
  dialog.EnableToolbar(TRUE);
  COLORREF before = 0, after = 0;
  LRESULT slider = 0;
  WhenShown([&](HWND dlg) {
    before = PreviewCentre(dlg);
    SetDlgItemInt(dlg, IDC_L_VALUE, 20, TRUE);
    slider = SendDlgItemMessageW(dlg, IDC_L_SLIDER, TBM_GETPOS, 0, 0);
    after = PreviewCentre(dlg);
    Press(dlg, IDOK);
  });
  ASSERT_EQ(SUCCESS, dialog.DoModalBrightness(nullptr));
  EXPECT_EQ(RGB(100, 100, 100), before);
  EXPECT_EQ(20, slider);
  EXPECT_EQ(RGB(151, 151, 151), after);  // 20 % of 255 brighter
  ASSERT_EQ(SUCCESS, dialog.GetBrightnessParams(&params));
  EXPECT_EQ(200, params.nChange);
  EXPECT_EQ(RGB(151, 151, 151), picture.GetPixelColor(5, 5));
  EXPECT_EQ(SUCCESS, LDialogBase::Free());
}

TEST_F(DialogTest, ContrastCancelKeepsParametersAndBitmap) {
  LDialogColor dialog;
  dialog.SetBitmap(&picture);
  CONTRASTDLGPARAMS params = {sizeof params, 300, 0, {}};
  ASSERT_EQ(SUCCESS, dialog.SetContrastParams(&params));
  dialog.EnableAutoProcess(TRUE);
  LRESULT slider = 0;
  WhenShown([&](HWND dlg) {
    slider = SendDlgItemMessageW(dlg, IDC_L_SLIDER, TBM_GETPOS, 0, 0);
    SetDlgItemInt(dlg, IDC_L_VALUE, 90, TRUE);
    Press(dlg, IDCANCEL);
  });
  EXPECT_EQ(ERROR_DLG_CANCELED, dialog.DoModalContrast(nullptr));
  EXPECT_EQ(30, slider);
  ASSERT_EQ(SUCCESS, dialog.GetContrastParams(&params));
  EXPECT_EQ(300, params.nChange);
  EXPECT_EQ(RGB(100, 100, 100), picture.GetPixelColor(5, 5));
}

TEST_F(DialogTest, RotateBySliderTurnsThePreviewAndTheBitmap) {
  LDialogImage dialog;
  dialog.SetBitmap(&picture);
  ROTATEDLGPARAMS params = {sizeof params, 0, 1, 0xFFFFFF, 0, {}};
  ASSERT_EQ(SUCCESS, dialog.SetRotateParams(&params));
  dialog.EnableAutoProcess(TRUE);
  dialog.EnableToolbar(FALSE);
  BOOL resetVisible = TRUE;
  WhenShown([&](HWND dlg) {
    resetVisible = IsWindowVisible(GetDlgItem(dlg, IDC_L_RESET));
    HWND slider = GetDlgItem(dlg, IDC_L_SLIDER);
    SendMessageW(slider, TBM_SETPOS, TRUE, 90);
    SendMessageW(dlg, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 90), reinterpret_cast<LPARAM>(slider));
    Press(dlg, IDOK);
  });
  ASSERT_EQ(SUCCESS, dialog.DoModalRotate(nullptr));
  EXPECT_FALSE(resetVisible);
  ASSERT_EQ(SUCCESS, dialog.GetRotateParams(&params));
  EXPECT_EQ(9000, params.nAngle);
  EXPECT_EQ(30, picture.GetWidth());
  EXPECT_EQ(40, picture.GetHeight());
}

TEST_F(DialogTest, ResetReturnsToTheOpeningValueAndPreviewCanBeOff) {
  LDialogColor dialog;
  dialog.SetBitmap(&picture);
  BRIGHTNESSDLGPARAMS params = {sizeof params, -100, 0, {}};
  dialog.SetBrightnessParams(&params);
  dialog.EnablePreview(FALSE);
  dialog.EnableToolbar(TRUE);
  BOOL previewVisible = TRUE;
  WhenShown([&](HWND dlg) {
    previewVisible = IsWindowVisible(GetDlgItem(dlg, IDC_L_PREVIEW));
    SetDlgItemInt(dlg, IDC_L_VALUE, 50, TRUE);
    Press(dlg, IDC_L_RESET);
    Press(dlg, IDOK);
  });
  ASSERT_EQ(SUCCESS, dialog.DoModalBrightness(nullptr));
  EXPECT_FALSE(previewVisible);
  dialog.GetBrightnessParams(&params);
  EXPECT_EQ(-100, params.nChange);
  // Without auto-processing the bitmap stays as it was.
  EXPECT_EQ(RGB(100, 100, 100), picture.GetPixelColor(5, 5));
}

TEST_F(DialogTest, ParameterRecordsMustCarryTheirSize) {
  LDialogColor color;
  BRIGHTNESSDLGPARAMS wrong = {16, 10, 0, {}};
  EXPECT_EQ(ERROR_INV_PARAMETER, color.SetBrightnessParams(&wrong));
  EXPECT_EQ(ERROR_INV_PARAMETER, color.SetContrastParams(nullptr));
  LDialogImage image;
  ROTATEDLGPARAMS rotate = {32, 0, 0, 0, 0, {}};
  EXPECT_EQ(ERROR_INV_PARAMETER, image.SetRotateParams(&rotate));
}

// The layer's dialogs live beside the module's own resources.
TEST(DialogResources, LayerAndModuleResourcesMeetInOneModule) {
  wchar_t text[64] = {};
  EXPECT_GT(LoadStringW(GetModuleHandleW(nullptr), IDS_IMAGING_TEST, text, 64), 0);
  EXPECT_STREQ(L"Module resource", text);
  EXPECT_NE(nullptr, FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_L_ROTATE), MAKEINTRESOURCEW(5)));
}

}  // namespace

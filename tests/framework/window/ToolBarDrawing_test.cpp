// What the bars look like on screen: painted through the visual manager, read back as pixels. A hot
// or checked button differs from a plain one, a disabled button's image is grey, and the bar's
// background is the look's colour.
#include <gtest/gtest.h>

#include "BarsTestFrame.h"
#include "TestSupport.h"

using namespace bars_test;

namespace {

bool IsGrey(COLORREF c) { return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c); }

class ToolBarDrawing : public BarsFrameTest {
 protected:
  void SetUp() override {
    BarsFrameTest::SetUp();
    IdleUpdate(frame);
  }
  CRect ButtonRect(UINT id) {
    CRect r;
    frame->mainBar.GetItemRect(frame->mainBar.CommandToIndex(id), &r);
    return r;
  }
  // The pixels of a button's rectangle, as a list.
  std::vector<COLORREF> ButtonPixels(UINT id) {
    Capture shot(frame->mainBar.m_hWnd);
    const CRect r = ButtonRect(id);
    std::vector<COLORREF> pixels;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) pixels.push_back(shot.At(x, y));
    return pixels;
  }
  // Where image pixel (x, y) of a button lands: the image is centred in the button.
  CPoint ImagePixel(UINT id, int x, int y) {
    const CRect r = ButtonRect(id);
    const CSize image = CMFCToolBar::GetImages()->GetImageSize();
    return CPoint(r.left + (r.Width() - image.cx) / 2 + x, r.top + (r.Height() - image.cy) / 2 + y);
  }
};

TEST_F(ToolBarDrawing, TheBarIsFilledWithTheLooksColour) {
  struct Look {
    CRuntimeClass* cls;
    const char* name;
  } looks[] = {{RUNTIME_CLASS(CMFCVisualManagerOfficeXP), "Office XP"},
               {RUNTIME_CLASS(CMFCVisualManager), "basic"}};
  for (const Look& look : looks) {
    CMFCVisualManager::SetDefaultManager(look.cls);
    const FwLookPalette& palette = CMFCVisualManager::GetInstance()->Palette();
    ASSERT_FALSE(palette.gradientBars) << look.name;
    Capture shot(frame->mainBar.m_hWnd);
    // Beside a separator's line, and in the bar's last column.
    CRect separator;
    frame->mainBar.GetItemRect(2, &separator);
    EXPECT_EQ(shot.At(separator.left, separator.top + 1), palette.barFace) << look.name;
    EXPECT_EQ(shot.At(shot.Width() - 1, shot.Height() / 2), palette.barFace) << look.name;
    Capture status(frame->statusBar.m_hWnd);
    EXPECT_EQ(status.At(1, 1), palette.barFace) << look.name;
  }
}

TEST_F(ToolBarDrawing, HotAndCheckedButtonsDifferFromPlainOnes) {
  CMFCToolBar& bar = frame->mainBar;
  const std::vector<COLORREF> plain = ButtonPixels(ID_T_CUT);
  const CPoint centre = ButtonRect(ID_T_CUT).CenterPoint();
  bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
  ASSERT_EQ(bar.GetHighlightedButton(), bar.CommandToIndex(ID_T_CUT));
  const std::vector<COLORREF> hot = ButtonPixels(ID_T_CUT);
  EXPECT_NE(hot, plain);
  bar.SendMessage(WM_MOUSELEAVE);
  EXPECT_EQ(ButtonPixels(ID_T_CUT), plain);
  bar.SetButtonStyle(bar.CommandToIndex(ID_T_CUT), TBBS_CHECKBOX | TBBS_CHECKED);
  const std::vector<COLORREF> checked = ButtonPixels(ID_T_CUT);
  EXPECT_NE(checked, plain);
  EXPECT_NE(checked, hot);
  // The image is the same in all three: only the button's face and edge change.
  const CPoint inside = ImagePixel(ID_T_CUT, 7, 7);
  EXPECT_EQ(Capture(bar.m_hWnd).At(inside.x, inside.y), CMFCToolBar::GetImages()->GetPixel(2, 7, 7));
}

TEST_F(ToolBarDrawing, ADisabledButtonsImageIsGrey) {
  // Nobody handles ID_T_NOHANDLER: the idle update disabled it.
  ASSERT_NE(frame->mainBar.GetButtonStyle(frame->mainBar.CommandToIndex(ID_T_NOHANDLER)) & TBBS_DISABLED, 0u);
  Capture shot(frame->mainBar.m_hWnd);
  CMFCToolBarImages* images = CMFCToolBar::GetImages();
  const int disabledImage = GetCmdMgr()->GetCmdImage(ID_T_NOHANDLER);
  int greyed = 0;
  for (int y = 3; y < 13; ++y) {
    for (int x = 3; x < 14; ++x) {
      const CPoint p = ImagePixel(ID_T_NOHANDLER, x, y);
      const COLORREF c = shot.At(p.x, p.y);
      EXPECT_TRUE(IsGrey(c)) << x << "," << y;
      if (!IsGrey(images->GetPixel(disabledImage, x, y))) ++greyed;
    }
  }
  // Every coloured pixel of the image (its square's inside, 9 by 8) came out grey.
  EXPECT_EQ(greyed, 9 * 8);
  // An enabled button shows its image's own colours.
  const CPoint open = ImagePixel(ID_T_OPEN, 7, 7);
  EXPECT_EQ(shot.At(open.x, open.y), images->GetPixel(GetCmdMgr()->GetCmdImage(ID_T_OPEN), 7, 7));
  EXPECT_FALSE(IsGrey(shot.At(open.x, open.y)));
}

TEST_F(ToolBarDrawing, TextLabelsMakeTheBarTallerAndArePainted) {
  CMFCToolBar& bar = frame->toolsBar;
  const CRect before = frame->RectOf(&bar);
  bar.EnableTextLabels(TRUE);
  const CRect after = frame->RectOf(&bar);
  EXPECT_GT(after.Height(), before.Height());
  EXPECT_GT(after.Width(), before.Width());
  // The label under the first image: dark text pixels below the image.
  Capture shot(bar.m_hWnd);
  CRect first;
  bar.GetItemRect(0, &first);
  EXPECT_GT(CountDarkPixels(shot, CRect(first.left, first.top + 20, first.right, first.bottom)), 5);
}

}  // namespace

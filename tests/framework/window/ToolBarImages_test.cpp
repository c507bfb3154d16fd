// Image strips of tool bars: cut from bitmap resources and files, written back, appended to, drawn
// with their transparent grey left out, and greyed when disabled; the command-to-image map.
#include <gtest/gtest.h>

#include <string>

#include "BarsTestFrame.h"
#include "TestSupport.h"

using namespace bars_test;

namespace {

const COLORREF kTransparent = AFX_TOOLBAR_TRANSPARENT_COLOR;

// The bitmaps' images are a black-edged square of one colour on the transparent grey: (3,3) is the
// edge, (7,7) inside, (0,0) outside.
const COLORREF kMainColours[] = {RGB(220, 30, 30), RGB(30, 160, 30), RGB(30, 60, 220)};

bool IsGrey(COLORREF c) { return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c); }

// A 32-bit memory surface filled with one colour.
class Surface {
 public:
  Surface(int width, int height, COLORREF fill) {
    void* bits = nullptr;
    bitmap_ = NewDibSection(width, height, &bits);
    dc.CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc.m_hDC, bitmap_);
    dc.FillSolidRect(0, 0, width, height, fill);
  }
  ~Surface() {
    SelectObject(dc.m_hDC, old_);
    DeleteObject(bitmap_);
  }
  COLORREF At(int x, int y) { return dc.GetPixel(x, y); }
  CDC dc;

 private:
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

CMFCToolBarImages* MainImages() {
  static CMFCToolBarImages images;
  if (!images.IsValid()) {
    images.SetImageSize(CSize(17, 16));
    images.Load(IDR_MAIN_BAR);
  }
  return &images;
}

TEST(ToolBarImages, AResourceIsCutIntoImagesOfTheSetSize) {
  CMFCToolBarImages images;
  EXPECT_EQ(images.GetImageSize(), CSize(16, 15));
  images.SetImageSize(CSize(17, 16));
  ASSERT_TRUE(images.Load(IDR_MAIN_BAR));
  EXPECT_TRUE(images.IsValid());
  EXPECT_EQ(images.GetCount(), 10);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(images.GetPixel(i, 7, 7), kMainColours[i]) << i;
    EXPECT_EQ(images.GetPixel(i, 3, 3), RGB(0, 0, 0)) << i;
    EXPECT_EQ(images.GetPixel(i, 0, 0), kTransparent) << i;
  }
  // Appending a second resource keeps the first one's images in front.
  ASSERT_TRUE(images.Load(IDR_TOOLS_BAR, nullptr, TRUE));
  EXPECT_EQ(images.GetCount(), 13);
  EXPECT_EQ(images.GetPixel(10, 7, 7), RGB(200, 0, 0));
  // Twice the width: every two images are one now.
  images.SetImageSize(CSize(34, 16));
  EXPECT_EQ(images.GetCount(), 6);
  EXPECT_EQ(images.GetPixel(0, 17 + 7, 7), kMainColours[1]);
  EXPECT_FALSE(images.Load(IDR_MISSING_BAR));
  EXPECT_EQ(images.GetCount(), 6);
}

TEST(ToolBarImages, AStripSurvivesAFileAndDamagedFilesAreRefused) {
  testing_support::TempFolder folder;
  const std::wstring path = folder.File(L"UserImages.bmp");
  ASSERT_TRUE(MainImages()->Save(path.c_str()));
  // A 24-bit .bmp of the whole strip.
  const std::string bytes = testing_support::ReadFileBytes(path);
  ASSERT_GE(bytes.size(), 54u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(*reinterpret_cast<const INT32*>(&bytes[18]), 170);
  EXPECT_EQ(*reinterpret_cast<const INT32*>(&bytes[22]), 16);
  EXPECT_EQ(*reinterpret_cast<const WORD*>(&bytes[28]), 24);
  CMFCToolBarImages loaded;
  loaded.SetImageSize(CSize(17, 16));
  ASSERT_TRUE(loaded.Load(path.c_str()));
  ASSERT_EQ(loaded.GetCount(), 10);
  for (int i = 0; i < 10; ++i)
    for (const POINT p : {POINT{0, 0}, POINT{3, 3}, POINT{7, 7}, POINT{16, 15}})
      EXPECT_EQ(loaded.GetPixel(i, p.x, p.y), MainImages()->GetPixel(i, p.x, p.y)) << i;
  struct Damage {
    const char* name;
    std::string content;
  } damages[] = {{"empty", ""}, {"not a bitmap", "PK\x03\x04 not an image at all"}, {"cut short", bytes.substr(0, 60)}};
  for (const Damage& d : damages) {
    ASSERT_TRUE(testing_support::WriteFileBytes(path, d.content));
    EXPECT_FALSE(loaded.Load(path.c_str(), TRUE)) << d.name;
    EXPECT_EQ(loaded.GetCount(), 10) << d.name;
  }
  EXPECT_FALSE(loaded.Load(folder.File(L"missing.bmp").c_str()));
}

TEST(ToolBarImages, AddImageAppendsEveryWholeImageOfABitmap) {
  CMFCToolBarImages images;
  images.SetImageSize(CSize(17, 16));
  ASSERT_TRUE(images.Load(IDR_TOOLS_BAR));
  // Two images and a stray column that is no whole image.
  Surface source(35, 16, RGB(10, 20, 30));
  HBITMAP copy = CreateCompatibleBitmap(source.dc.m_hDC, 35, 16);
  {
    CDC target;
    target.CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(target.m_hDC, copy);
    BitBlt(target.m_hDC, 0, 0, 35, 16, source.dc.m_hDC, 0, 0, SRCCOPY);
    SelectObject(target.m_hDC, old);
  }
  EXPECT_EQ(images.AddImage(copy), 3);
  EXPECT_EQ(images.GetCount(), 5);
  EXPECT_EQ(images.GetPixel(4, 16, 15), RGB(10, 20, 30));
  DeleteObject(copy);
  EXPECT_EQ(images.AddImage(nullptr), -1);
  EXPECT_EQ(images.GetCount(), 5);
}

TEST(ToolBarImages, DrawingLeavesTheTransparentGreyAndGreysADisabledImage) {
  CMFCToolBarImages* images = MainImages();
  Surface normal(20, 20, RGB(0, 255, 0));
  ASSERT_TRUE(images->Draw(&normal.dc, 1, 1, 0));
  EXPECT_EQ(normal.At(1, 1), RGB(0, 255, 0));
  EXPECT_EQ(normal.At(8, 8), kMainColours[0]);
  EXPECT_EQ(normal.At(4, 4), RGB(0, 0, 0));
  // Hot images are the images themselves.
  Surface hot(20, 20, RGB(0, 255, 0));
  ASSERT_TRUE(images->Draw(&hot.dc, 1, 1, 0, CMFCToolBarImages::ImageHot));
  EXPECT_EQ(hot.At(8, 8), kMainColours[0]);
  // Disabled: every pixel of the image is a grey, lighter than the colour it replaces, none the
  // transparent grey; around the image the surface shows.
  for (int image = 0; image < 3; ++image) {
    Surface disabled(20, 20, RGB(0, 255, 0));
    ASSERT_TRUE(images->Draw(&disabled.dc, 1, 1, image, CMFCToolBarImages::ImageDisabled));
    EXPECT_EQ(disabled.At(1, 1), RGB(0, 255, 0));
    for (const POINT p : {POINT{4, 4}, POINT{8, 8}, POINT{12, 10}}) {
      const COLORREF c = disabled.At(p.x, p.y);
      EXPECT_TRUE(IsGrey(c)) << image << " at " << p.x << "," << p.y;
      EXPECT_NE(c, kTransparent);
      EXPECT_GE(GetRValue(c), 128);
    }
  }
  Surface out(20, 20, RGB(0, 255, 0));
  EXPECT_FALSE(images->Draw(&out.dc, 0, 0, images->GetCount()));
  EXPECT_FALSE(images->Draw(&out.dc, 0, 0, -1));
}

TEST(ToolBarImages, TheCommandManagerKeepsOneImagePerCommandAndKind) {
  CCommandManager* commands = GetCmdMgr();
  const UINT command = 0x7FF0;
  EXPECT_EQ(commands->GetCmdImage(command), -1);
  commands->SetCmdImage(command, 4);
  commands->SetCmdImage(command, 2, TRUE);
  EXPECT_EQ(commands->GetCmdImage(command), 4);
  EXPECT_EQ(commands->GetCmdImage(command, TRUE), 2);
  EXPECT_EQ(commands->GetCmdByImage(2, TRUE), command);
  commands->SetCmdImage(command, -1);
  EXPECT_EQ(commands->GetCmdImage(command), -1);
  EXPECT_EQ(commands->GetCmdImage(command, TRUE), 2);
  commands->ClearCmdImage(command);
  EXPECT_EQ(commands->GetCmdImage(command, TRUE), -1);
}

TEST(ToolBarImages, UserImagesAreTakenOnlyWhenTheyHoldImages) {
  CMFCToolBarImages empty;
  EXPECT_FALSE(CMFCToolBar::SetUserImages(&empty));
  EXPECT_EQ(CMFCToolBar::GetUserImages(), nullptr);
  EXPECT_TRUE(CMFCToolBar::SetUserImages(MainImages()));
  EXPECT_EQ(CMFCToolBar::GetUserImages(), MainImages());
  EXPECT_TRUE(CMFCToolBar::SetUserImages(nullptr));
}

}  // namespace

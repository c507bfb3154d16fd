// Editing a document's page image: every edit is one step of the page's history that undo and redo
// take back and bring again pixel for pixel; the edits' own rules (crop in image pixels, rotation in
// hundredths of a degree, contrast as contrast, the corrections' reference areas, the loads).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "LMyBitmap.h"
#include "MyProcs.h"
#include "PageInfo.h"
#include "RecordedMessageBoxes.h"
#include "TestSupport.h"
#include "undo.h"

CFolimarApp theApp;

namespace {

const double kPi = 3.14159265358979323846;

// Every pixel, the size and the resolution: what "the same page image" means here.
struct Snapshot {
  int width = 0, height = 0, dpiX = 0, dpiY = 0;
  std::vector<COLORREF> pixels;
  bool operator==(const Snapshot& o) const {
    return width == o.width && height == o.height && dpiX == o.dpiX && dpiY == o.dpiY && pixels == o.pixels;
  }
};

Snapshot Take(const CPageInfo* page) {
  Snapshot s;
  if (page->m_pBitmap == nullptr || !page->m_pBitmap->IsAllocated()) return s;
  const LMyBitmap& b = *page->m_pBitmap;
  s = {b.GetWidth(), b.GetHeight(), b.GetXResolution(), b.GetYResolution(), {}};
  for (int y = 0; y < b.GetHeight(); ++y)
    for (int x = 0; x < b.GetWidth(); ++x) s.pixels.push_back(b.GetPixelColor(x, y));
  return s;
}

// A page of 60 x 40 pixels at 300 dpi, no two rows or columns alike, so every turn and cut shows.
LMyBitmap* MakePicture() {
  LMyBitmap* b = new LMyBitmap;
  b->Create(60, 40, 24);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) b->PutPixelColor(x, y, RGB(x * 4, y * 6, (x * 7 + y * 3) % 256));
  b->SetXResolution(300);
  b->SetYResolution(300);
  return b;
}

class PageImageEdit : public ::testing::Test {
 protected:
  // A new document has its first page already.
  void SetUp() override {
    page_ = doc_.GetPage(0);
    ASSERT_NE(nullptr, page_);
    page_->SetBitmap(MakePicture());
  }
  CommandManagerT& History() { return *page_->m_pUndoManager; }

  fixtures::RecordedMessageBoxes boxes_;
  CFolimarDoc doc_;
  CPageInfo* page_ = nullptr;
};

struct EDIT {
  const char* name;
  std::function<BOOL(CFolimarDoc&)> apply;
};

HENHMETAFILE SmallMetafile() {
  HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  ::Rectangle(dc, 0, 0, 30, 20);
  return ::CloseEnhMetaFile(dc);
}

}  // namespace

TEST_F(PageImageEdit, EveryEditUndoesAndRedoesPixelForPixel) {
  testing_support::TempFolder folder;
  const std::wstring emf = folder.File(L"background.emf");
  ::DeleteEnhMetaFile(::CopyEnhMetaFileW(SmallMetafile(), emf.c_str()));
  const EDIT edits[] = {
      {"resolution", [](CFolimarDoc& d) { return d.SetPageResolution(0, 150, 200); }},
      {"crop", [](CFolimarDoc& d) { return d.DoCropPage(0, RECT{3, 2, 12, 9}); }},
      {"rotate 90", [](CFolimarDoc& d) { return d.RotatePage(0, 90); }},
      {"rotate 270", [](CFolimarDoc& d) { return d.RotatePage(0, 270); }},
      {"rotate radians", [](CFolimarDoc& d) { return d.RotatePage(0, 0.2); }},
      {"flip", [](CFolimarDoc& d) { return d.FlipImage(0); }},
      {"mirror", [](CFolimarDoc& d) { return d.ReverseImage(0); }},
      {"brightness", [](CFolimarDoc& d) { return d.SetImageBrightness(0, 250); }},
      {"contrast", [](CFolimarDoc& d) { return d.SetImageContrast(0, 400); }},
      {"invert", [](CFolimarDoc& d) { return d.InvertImage(0); }},
      {"white correction", [](CFolimarDoc& d) { return d.DoColCorrectionWhitePage(0, RECT{10, 10, 30, 20}); }},
      {"black correction", [](CFolimarDoc& d) { return d.DoColCorrectionBlackPage(0, RECT{0, 0, 8, 8}); }},
      {"load image", [](CFolimarDoc& d) {
         LMyBitmap* other = new LMyBitmap;
         other->Create(7, 9, 24);
         other->Fill(RGB(1, 2, 3));
         return d.LoadMainImage(other, 0);
       }},
      {"load metafile", [&emf](CFolimarDoc& d) { return d.LoadEMF(emf.c_str(), 0); }},
      {"delete image", [](CFolimarDoc& d) {
         d.OnFileDeleteImage();
         return TRUE;
       }},
  };
  for (const EDIT& edit : edits) {
    const Snapshot before = Take(page_);
    const size_t steps = History().GetUndoCount();
    ASSERT_TRUE(edit.apply(doc_)) << edit.name;
    EXPECT_EQ(steps + 1, History().GetUndoCount()) << edit.name << ": one step";
    const Snapshot after = Take(page_);
    EXPECT_FALSE(before == after && page_->m_hMetafile == nullptr) << edit.name << ": the image changed";
    EXPECT_TRUE(doc_.IsModified()) << edit.name;
    History().Undo();
    EXPECT_TRUE(Take(page_) == before) << edit.name << ": undone";
    EXPECT_EQ(nullptr, page_->m_hMetafile) << edit.name;
    History().Redo();
    EXPECT_TRUE(Take(page_) == after) << edit.name << ": redone";
    History().Undo();
    // Every edit starts from the same page.
    ASSERT_TRUE(Take(page_) == before) << edit.name;
    doc_.SetModifiedFlag(FALSE);
  }
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(PageImageEdit, APageWithoutABitmapOrOutsideTheDocumentIsLeftAlone) {
  CPageInfo* empty = doc_.AppendNewPage();
  const std::function<BOOL(int)> edits[] = {
      [this](int p) { return doc_.FlipImage(p); },
      [this](int p) { return doc_.RotatePage(p, 90); },
      [this](int p) { return doc_.SetImageContrast(p, 100); },
      [this](int p) { return doc_.SetPageResolution(p, 100, 100); },
      [this](int p) { return doc_.DoCropPage(p, RECT{0, 0, 5, 5}); },
      [this](int p) { return doc_.DoColCorrectionWhitePage(p, RECT{0, 0, 5, 5}); },
  };
  for (const auto& edit : edits) {
    EXPECT_FALSE(edit(1));
    EXPECT_FALSE(edit(7));
    EXPECT_FALSE(edit(-1));
  }
  EXPECT_EQ(0u, empty->m_pUndoManager->GetUndoCount());
  EXPECT_EQ(0u, History().GetUndoCount());
  EXPECT_FALSE(doc_.IsModified());
}

TEST_F(PageImageEdit, ContrastChangesContrastNotBrightness) {
  LBitmap expected, brighter;
  ASSERT_EQ(SUCCESS, expected.Copy(*page_->m_pBitmap));
  ASSERT_EQ(SUCCESS, brighter.Copy(*page_->m_pBitmap));
  ASSERT_EQ(SUCCESS, expected.ChangeContrast(500));
  ASSERT_EQ(SUCCESS, brighter.ChangeIntensity(500));
  ASSERT_TRUE(doc_.SetImageContrast(0, 500));
  for (int y = 0; y < 40; y += 7)
    for (int x = 0; x < 60; x += 5) ASSERT_EQ(expected.GetPixelColor(x, y), page_->m_pBitmap->GetPixelColor(x, y));
  EXPECT_NE(brighter.GetPixelColor(10, 10), page_->m_pBitmap->GetPixelColor(10, 10));
}

// Straightening hands angles well under a degree: they turn the page by hundredths, never by a floor.
TEST_F(PageImageEdit, RadiansTurnByHundredthsOfADegree) {
  const struct {
    double degrees;
    int hundredths;
  } cases[] = {{0.3, 30}, {-0.4, -40}, {2.57, 257}, {90, 9000}};
  for (const auto& c : cases) {
    LMyBitmap expected;
    ASSERT_EQ(SUCCESS, expected.Copy(*page_->m_pBitmap));
    ASSERT_EQ(SUCCESS, expected.Rotate(c.hundredths, TRUE, 0));
    ASSERT_TRUE(doc_.RotatePage(0, c.degrees / 180.0 * kPi)) << c.degrees;
    const LMyBitmap& turned = *page_->m_pBitmap;
    ASSERT_EQ(expected.GetWidth(), turned.GetWidth()) << c.degrees;
    ASSERT_EQ(expected.GetHeight(), turned.GetHeight()) << c.degrees;
    EXPECT_EQ(expected.GetPixelColor(turned.GetWidth() / 2, 3), turned.GetPixelColor(turned.GetWidth() / 2, 3))
        << c.degrees;
    History().Undo();
  }
}

// The crop rectangle comes in screen pixels and goes to the image's: x image dpi / screen dpi.
TEST_F(PageImageEdit, CropConvertsScreenPixelsToImagePixels) {
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  ASSERT_EQ(96, dpi) << "the cases below are worked out for a 96-dpi screen";
  const struct {
    int imageDpi;
    RECT screenRect;
    RECT imageRect;  // left, top, right, bottom in the image before the crop
  } cases[] = {
      {300, {3, 2, 12, 9}, {9, 6, 38, 28}},        // 3 x 300 / 96 = 9.4, 12 x 300 / 96 = 37.5
      {96, {5, 5, 20, 15}, {5, 5, 20, 15}},
      {0, {5, 5, 20, 15}, {5, 5, 20, 15}},         // no resolution: one image pixel per screen pixel
      {300, {10, 10, 40, 40}, {31, 31, 60, 40}},   // clipped to the image
  };
  for (const auto& c : cases) {
    LMyBitmap* source = MakePicture();
    // As an image file that states no resolution leaves it (the setter refuses 0).
    source->GetHandle()->XResolution = c.imageDpi;
    source->GetHandle()->YResolution = c.imageDpi;
    LMyBitmap original;
    original.Copy(*source);
    page_->SetBitmap(source);
    ASSERT_TRUE(doc_.DoCropPage(0, c.screenRect)) << c.imageDpi;
    const LMyBitmap& cut = *page_->m_pBitmap;
    EXPECT_EQ(c.imageRect.right - c.imageRect.left, cut.GetWidth()) << c.imageDpi;
    EXPECT_EQ(c.imageRect.bottom - c.imageRect.top, cut.GetHeight()) << c.imageDpi;
    EXPECT_EQ(original.GetPixelColor(c.imageRect.left, c.imageRect.top), cut.GetPixelColor(0, 0)) << c.imageDpi;
  }
}

TEST_F(PageImageEdit, ACropBesideTheImageSaysOutOfMemoryAndRecordsNothing) {
  EXPECT_FALSE(doc_.DoCropPage(0, RECT{500, 500, 600, 600}));
  EXPECT_FALSE(doc_.DoCropPage(0, RECT{5, 5, 5, 40}));
  EXPECT_EQ(0u, History().GetUndoCount());
  ASSERT_EQ(1u, boxes_.Texts().size()) << "only the trim that ran";
  EXPECT_EQ(L"Out of memory.", boxes_.Texts()[0]);
  EXPECT_EQ(60, page_->m_pBitmap->GetWidth());
}

TEST_F(PageImageEdit, ColourCorrectionNeedsAnArea) {
  EXPECT_FALSE(doc_.DoColCorrectionWhitePage(0, RECT{4, 4, 4, 20}));
  EXPECT_FALSE(doc_.DoColCorrectionBlackPage(0, RECT{}));
  EXPECT_EQ(0u, History().GetUndoCount());
}

TEST_F(PageImageEdit, WhiteCorrectionMakesTheReferenceWhite) {
  LMyBitmap* grey = new LMyBitmap;
  grey->Create(30, 20, 24);
  grey->Fill(RGB(180, 150, 120));
  page_->SetBitmap(grey);
  ASSERT_TRUE(doc_.DoColCorrectionWhitePage(0, RECT{0, 0, 30, 10}));
  EXPECT_EQ(RGB(255, 255, 255), page_->m_pBitmap->GetPixelColor(15, 15));
  EXPECT_EQ(1, page_->m_imageChanged);
}

// Image bytes kept as read belong to the image they were read with: an edit or a new image drops them.
TEST_F(PageImageEdit, KeptFileBytesGoWithTheImageTheyBelongTo) {
  const BYTE jpeg[] = {0xFF, 0xD8, 0xFF, 0xD9};
  page_->SetImageFileBytes(jpeg, sizeof(jpeg));
  ASSERT_TRUE(doc_.FlipImage(0));
  EXPECT_EQ(nullptr, page_->m_pImageFileBytes);
  page_->SetImageFileBytes(jpeg, sizeof(jpeg));
  LMyBitmap* other = new LMyBitmap;
  other->Create(5, 5, 24);
  ASSERT_TRUE(doc_.LoadMainImage(other, 0));
  EXPECT_EQ(nullptr, page_->m_pImageFileBytes);
}

TEST_F(PageImageEdit, LoadingAMetafileThatCannotBeReadChangesNothing) {
  testing_support::TempFolder folder;
  const std::wstring bogus = folder.File(L"not a metafile.emf");
  FILE* f = _wfopen(bogus.c_str(), L"wb");
  ASSERT_NE(nullptr, f);
  fputs("plain text", f);
  fclose(f);
  EXPECT_FALSE(doc_.LoadEMF(bogus.c_str(), 0));
  EXPECT_FALSE(doc_.LoadEMF(folder.File(L"missing.emf").c_str(), 0));
  EXPECT_EQ(0u, History().GetUndoCount());
  EXPECT_TRUE(doc_.m_imagePath.IsEmpty());
  EXPECT_EQ(60, page_->m_pBitmap->GetWidth());
}

TEST_F(PageImageEdit, LoadBackgroundTakesImagesAndMetafilesAndTellsAboutOtherFiles) {
  testing_support::TempFolder folder;
  const std::wstring png = folder.File(L"scan.png");
  LMyBitmap picture;
  picture.Create(12, 8, 24);
  picture.Fill(RGB(9, 8, 7));
  ASSERT_EQ(SUCCESS, picture.Save(png.c_str(), FILE_PNG));
  ASSERT_TRUE(doc_.LoadBackgroundFile(png.c_str()));
  EXPECT_EQ(12, page_->m_pBitmap->GetWidth());
  EXPECT_EQ(0, page_->m_imageChanged);

  const std::wstring emf = folder.File(L"form.emf");
  ::DeleteEnhMetaFile(::CopyEnhMetaFileW(SmallMetafile(), emf.c_str()));
  ASSERT_TRUE(doc_.LoadBackgroundFile(emf.c_str()));
  EXPECT_NE(nullptr, page_->m_hMetafile);
  EXPECT_EQ(CString(emf.c_str()), doc_.m_imagePath);

  EXPECT_FALSE(doc_.LoadBackgroundFile(folder.File(L"letter.doc").c_str()));
  ASSERT_FALSE(boxes_.Texts().empty());
  EXPECT_NE(std::wstring::npos, boxes_.Texts().back().find(L"select the Vantry printer"));
  EXPECT_EQ(2u, History().GetUndoCount());
}

// Quarter turns and a crop give exactly ImageMagick's result on the same page (data/page_edits,
// made by its make.sh).
TEST_F(PageImageEdit, RotationsAndCropMatchImageMagick) {
  const std::wstring folder = std::wstring(VANTRY_TEST_DATA_DIR) + L"/page_edits/";
  const struct {
    const char* name;
    std::function<BOOL(CFolimarDoc&)> apply;
    const wchar_t* expected;
  } cases[] = {
      {"rotate 90", [](CFolimarDoc& d) { return d.RotatePage(0, 90); }, L"page_rotate90.png"},
      {"rotate 180", [](CFolimarDoc& d) { return d.RotatePage(0, 180); }, L"page_rotate180.png"},
      {"rotate 270", [](CFolimarDoc& d) { return d.RotatePage(0, 270); }, L"page_rotate270.png"},
      {"crop", [](CFolimarDoc& d) { return d.DoCropPage(0, RECT{9, 6, 29, 21}); }, L"page_crop_20x15+9+6.png"},
  };
  for (const auto& c : cases) {
    LMyBitmap* page = new LMyBitmap;
    ASSERT_EQ(SUCCESS, page->Load((folder + L"page.png").c_str())) << c.name;
    page_->SetBitmap(page);
    LMyBitmap expected;
    ASSERT_EQ(SUCCESS, expected.Load((folder + c.expected).c_str())) << c.name;
    ASSERT_TRUE(c.apply(doc_)) << c.name;
    const LMyBitmap& result = *page_->m_pBitmap;
    ASSERT_EQ(expected.GetWidth(), result.GetWidth()) << c.name;
    ASSERT_EQ(expected.GetHeight(), result.GetHeight()) << c.name;
    int different = 0;
    for (int y = 0; y < result.GetHeight(); ++y)
      for (int x = 0; x < result.GetWidth(); ++x) different += expected.GetPixelColor(x, y) != result.GetPixelColor(x, y);
    EXPECT_EQ(0, different) << c.name;
  }
}

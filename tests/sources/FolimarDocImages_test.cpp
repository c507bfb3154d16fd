// Documents made from image files of every format the imaging layer reads, compared page by page with
// ImageMagick's reading of the same files (data/images, made by make_images.sh); the paper table's
// best fit; documents from bitmaps, bitmap lists and metafiles; the 30 MB warning; merging another
// document in.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "DocumentTestSupport.h"
#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "PaperTable.h"
#include "resource.h"

namespace {

using doctest::DocumentTest;
using doctest::ShownMessages;

std::wstring ImagePath(const std::wstring& name) { return std::wstring(VANTRY_TEST_DATA_DIR) + L"/images/" + name; }

// ImageMagick's reading of one page: its size, its resolution and its pixels as RGB rows.
struct MagickPage {
  int width = 0, height = 0;
  double dpiX = 0, dpiY = 0;
  std::string rgb;
};

std::vector<MagickPage> MagickPages(const std::wstring& name) {
  std::vector<MagickPage> pages;
  std::istringstream lines(testing_support::ReadFileBytes(ImagePath(name + L".txt")));
  MagickPage page;
  while (lines >> page.width >> page.height >> page.dpiX >> page.dpiY) {
    page.rgb = testing_support::ReadFileBytes(ImagePath(name + L"." + std::to_wstring(pages.size()) + L".rgb"));
    pages.push_back(page);
  }
  return pages;
}

// The largest difference of one colour channel between the page image and ImageMagick's pixels.
int LargestDifference(const LBitmapBase& bitmap, const MagickPage& expected) {
  int largest = 0;
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      const COLORREF got = bitmap.GetPixelColor(x, y);
      const size_t at = (static_cast<size_t>(y) * expected.width + x) * 3;
      const int want[3] = {static_cast<BYTE>(expected.rgb[at]), static_cast<BYTE>(expected.rgb[at + 1]),
                           static_cast<BYTE>(expected.rgb[at + 2])};
      const int have[3] = {GetRValue(got), GetGValue(got), GetBValue(got)};
      for (int c = 0; c < 3; ++c) largest = std::max(largest, std::abs(want[c] - have[c]));
    }
  }
  return largest;
}

class DocImagesTest : public DocumentTest {};

// Paper expected for the fixtures' two page shapes at their stored 4 dpi, and for a page read at the
// screen's 96 dpi (0.35 x 0.46 inches: the smallest paper in both directions is Statement).
struct Paper {
  int index;
  int orientation;
  int sizeCode;
};
const Paper kLetter = {kPaperLetter, DMORIENT_PORTRAIT, DMPAPER_LETTER};
const Paper kA4Wide = {kPaperA4, DMORIENT_LANDSCAPE, DMPAPER_A4};
const Paper kStatement = {3, DMORIENT_PORTRAIT, DMPAPER_STATEMENT};

TEST_F(DocImagesTest, ImageFilesBecomePagesAsImageMagickReadsThem) {
  struct Case {
    const wchar_t* file;
    bool storesDpi;    // a file without a resolution is read at the screen's
    int tolerance;     // two JPEG decoders may round differently
    std::vector<Paper> papers;
  } cases[] = {
      {L"letter.png", true, 0, {kLetter}},
      {L"letter_nodpi.png", false, 0, {kStatement}},
      {L"letter.jpg", true, 6, {kLetter}},
      {L"letter.bmp", true, 0, {kLetter}},
      {L"letter.gif", false, 0, {kStatement}},
      {L"letter.pcx", true, 0, {kLetter}},
      {L"letter_none.tif", true, 0, {kLetter}},
      {L"letter_rle.tif", true, 0, {kLetter}},
      {L"letter_lzw.tif", true, 0, {kLetter}},
      {L"letter_zip.tif", true, 0, {kLetter}},
      {L"pages_none.tif", true, 0, {kLetter, kA4Wide, kLetter}},
      {L"pages_rle.tif", true, 0, {kLetter, kA4Wide, kLetter}},
      {L"pages_lzw.tif", true, 0, {kLetter, kA4Wide, kLetter}},
      {L"pages_zip.tif", true, 0, {kLetter, kA4Wide, kLetter}},
      {L"pages_fax.tif", true, 0, {kLetter, kA4Wide}},
      {L"pages_group4.tif", true, 0, {kLetter, kA4Wide}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.file)));
    const std::vector<MagickPage> expected = MagickPages(c.file);
    ASSERT_EQ(c.papers.size(), expected.size());
    CFolimarDoc doc;
    doc.m_pages.GetHead()->m_table.InsertRecord(-1);  // two records, which every added page gets too
    ASSERT_EQ(1, doc.OpenImage(ImagePath(c.file).c_str()));
    ASSERT_EQ(static_cast<int>(expected.size()), doc.GetPageCount());
    EXPECT_EQ(doc.m_pages.GetCount(), doc.GetPageCount());
    EXPECT_EQ(CString(ImagePath(c.file).c_str()), doc.m_imagePath);
    doc.CheckImageSizeAndOrientation(0);
    for (int p = 0; p < doc.GetPageCount(); ++p) {
      SCOPED_TRACE(p);
      const MagickPage& want = expected[p];
      CPageInfo* page = doc.GetPage(p);
      ASSERT_TRUE(page->HasBitmap());
      const SIZE size = doc.GetPageImageSize(p);
      ASSERT_EQ(want.width, size.cx);
      ASSERT_EQ(want.height, size.cy);
      const SIZE dpi = doc.GetPageResolution(p);
      EXPECT_EQ(c.storesDpi ? static_cast<int>(std::lround(want.dpiX)) : doc.m_screenDpiX, dpi.cx);
      EXPECT_EQ(c.storesDpi ? static_cast<int>(std::lround(want.dpiY)) : doc.m_screenDpiY, dpi.cy);
      EXPECT_LE(LargestDifference(*page->m_pBitmap, want), c.tolerance);
      EXPECT_EQ(2, page->m_table.GetRecordCount());
      EXPECT_EQ(c.papers[p].index, page->m_settings.paperIndex);
      EXPECT_EQ(c.papers[p].orientation, page->m_settings.orientation);
      EXPECT_EQ(c.papers[p].sizeCode, page->m_settings.paperSize);
    }
  }
}

TEST_F(DocImagesTest, AJpegFileIsKeptAsReadAndStoredUnchanged) {
  const std::string file = testing_support::ReadFileBytes(ImagePath(L"letter.jpg"));
  ASSERT_FALSE(file.empty());
  CFolimarDoc doc;
  ASSERT_EQ(1, doc.OpenImage(ImagePath(L"letter.jpg").c_str()));
  CPageInfo* page = doc.GetPage(0);
  ASSERT_NE(nullptr, page->m_pImageFileBytes);
  EXPECT_EQ(file, std::string(reinterpret_cast<const char*>(page->m_pImageFileBytes), page->m_imageFileSize));
  EXPECT_FALSE(doc.IsImageAvailableNotJPG(0));
  EXPECT_EQ(0, page->m_imageChanged);

  const std::wstring path = Path(L"jpeg.qlm");
  ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
  EXPECT_NE(std::string::npos, testing_support::ReadFileBytes(path).find(file));
  CFolimarDoc again;
  ASSERT_EQ(doctest::kLoaded, doctest::LoadFile(again, path));
  ASSERT_NE(nullptr, again.GetPage(0)->m_pImageFileBytes);
  EXPECT_EQ(file, std::string(reinterpret_cast<const char*>(again.GetPage(0)->m_pImageFileBytes),
                              again.GetPage(0)->m_imageFileSize));

  // Other formats keep no bytes: they are encoded anew.
  CFolimarDoc png;
  ASSERT_EQ(1, png.OpenImage(ImagePath(L"letter.png").c_str()));
  EXPECT_TRUE(png.IsImageAvailableNotJPG(0));
}

TEST_F(DocImagesTest, UnsupportedOrUnreadableFilesMakeNoPages) {
  ASSERT_TRUE(testing_support::WriteFileBytes(Path(L"scan.jp2"), std::string(64, 'x')));
  ASSERT_TRUE(testing_support::WriteFileBytes(Path(L"broken.png"), std::string(64, 'x')));
  CFolimarDoc doc;
  EXPECT_EQ(0, doc.OpenImage(Path(L"scan.jp2").c_str()));
  ASSERT_EQ(1u, ShownMessages().size());
  EXPECT_NE(std::wstring::npos, ShownMessages()[0].find(L"File \"scan.jp2\": unknown image file format."));
  EXPECT_EQ(0u, ShownMessages()[0].find(L"Please open the document in its own program"));
  EXPECT_EQ(0, doc.OpenImage(Path(L"broken.png").c_str()));
  EXPECT_EQ(2u, ShownMessages().size());
  EXPECT_EQ(1, doc.GetPageCount());
  EXPECT_FALSE(doc.IsImageAvailable());
  EXPECT_TRUE(doc.m_imagePath.IsEmpty());

  EXPECT_EQ(1, CFolimarDoc::IsImageFormatSupported(L"C:\\scans\\PAGE.JPEG"));
  EXPECT_EQ(0, CFolimarDoc::IsImageFormatSupported(L"C:\\scans\\page.jp2"));
}

TEST_F(DocImagesTest, ThePaperIsTheSmallestThatHoldsThePageWithinATenth) {
  struct Case {
    double width, height;
    int index, orientation;
    double paperWidth, paperHeight;
  } cases[] = {
      {2550.0 / 300, 3300.0 / 300, kPaperLetter, DMORIENT_PORTRAIT, 8.5, 11},
      {3508.0 / 300, 2480.0 / 300, kPaperA4, DMORIENT_LANDSCAPE, 11.69, 8.27},
      {8.6, 11.2, 2, DMORIENT_PORTRAIT, 8.5, 14},    // Legal: Letter is short by more than a tenth
      {8.5, 11.1, kPaperLetter, DMORIENT_PORTRAIT, 8.5, 11},
      {5.0, 8.0, 3, DMORIENT_PORTRAIT, 5.5, 8.5},    // Statement
      {16.0, 11.0, 6, DMORIENT_LANDSCAPE, 16.54, 11.69},  // A3 turned
      {30, 40, kPaperLetter, DMORIENT_PORTRAIT, 8.5, 11},  // nothing holds it: the English default
      {40, 30, kPaperLetter, DMORIENT_PORTRAIT, 8.5, 11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    _PAGE_SETTINGS settings;
    memset(&settings, 0x5A, sizeof(settings));
    const double size[2] = {c.width, c.height};
    CFolimarDoc::GetFormatSettings(size, settings);
    EXPECT_EQ(c.index, settings.paperIndex);
    EXPECT_EQ(c.orientation, settings.orientation);
    EXPECT_DOUBLE_EQ(c.paperWidth, settings.width);
    EXPECT_DOUBLE_EQ(c.paperHeight, settings.height);
    EXPECT_EQ(0x5A5A, static_cast<uint16_t>(settings.paperSize));  // the caller's to set
  }
}

TEST_F(DocImagesTest, ALoadedDocumentKeepsItsPaperUnlessForced) {
  CFolimarDoc doc;
  ASSERT_EQ(1, doc.OpenImage(ImagePath(L"pages_lzw.tif").c_str()));
  _PAGE_SETTINGS legal = {};
  legal.paperIndex = 2;
  for (int p = 0; p < 3; ++p) doc.SetPageSettings(legal, p);
  doc.m_loadedFromFile = 1;
  doc.CheckImageSizeAndOrientation(0);
  EXPECT_EQ(2, doc.GetPage(1)->m_settings.paperIndex);
  doc.CheckImageSizeAndOrientation(1);
  EXPECT_EQ(kPaperA4, doc.GetPage(1)->m_settings.paperIndex);
  EXPECT_EQ(kPaperLetter, doc.GetPage(2)->m_settings.paperIndex);
  // A page without an image gets the default paper.
  doc.AppendNewPage();
  doc.CheckImageSizeAndOrientation(1);
  EXPECT_EQ(kPaperLetter, doc.GetPage(3)->m_settings.paperIndex);
  EXPECT_EQ(DMPAPER_LETTER, doc.GetPage(3)->m_settings.paperSize);
}

LMyBitmap* SolidBitmap(int width, int height, COLORREF colour) {
  LMyBitmap* bitmap = new LMyBitmap;
  EXPECT_EQ(SUCCESS, bitmap->Create(width, height, 24));
  EXPECT_EQ(SUCCESS, bitmap->Fill(colour));
  bitmap->SetXResolution(4);
  bitmap->SetYResolution(4);
  return bitmap;
}

TEST_F(DocImagesTest, ABitmapListNeverGivesMoreBitmapsThanItHolds) {
  // More pages than bitmaps: the pages past the list keep their own.
  CFolimarDoc doc;
  doc.AppendNewPage();
  doc.AppendNewPage();
  doc.GetPage(2)->SetBitmap(SolidBitmap(5, 5, RGB(1, 2, 3)));
  LMyBitmapList list;
  for (COLORREF colour : {RGB(255, 0, 0), RGB(0, 0, 255)}) {
    std::unique_ptr<LMyBitmap> bitmap(SolidBitmap(34, 44, colour));
    ASSERT_EQ(SUCCESS, list.InsertItem(bitmap.get()));
  }
  ASSERT_EQ(1, doc.CreateFromBitmapList(list));
  EXPECT_EQ(0, list.GetItemsCount());
  ASSERT_EQ(3, doc.GetPageCount());
  EXPECT_EQ(3, doc.m_pages.GetCount());
  EXPECT_EQ(RGB(255, 0, 0), doc.GetPage(0)->m_pBitmap->GetPixelColor(0, 0));
  EXPECT_EQ(RGB(0, 0, 255), doc.GetPage(1)->m_pBitmap->GetPixelColor(0, 0));
  EXPECT_EQ(RGB(1, 2, 3), doc.GetPage(2)->m_pBitmap->GetPixelColor(0, 0));
  EXPECT_EQ(1, doc.GetPage(0)->m_imageChanged);
  EXPECT_TRUE(doc.IsModified());

  // More bitmaps than pages: pages are added, with the document's records.
  CFolimarDoc grown;
  grown.GetPage(0)->m_table.InsertRecord(-1);
  for (int i = 0; i < 3; ++i) {
    std::unique_ptr<LMyBitmap> bitmap(SolidBitmap(47, 33, RGB(0, 40 * i, 0)));
    ASSERT_EQ(SUCCESS, list.InsertItem(bitmap.get()));
  }
  ASSERT_EQ(1, grown.CreateFromBitmapList(list));
  ASSERT_EQ(3, grown.GetPageCount());
  EXPECT_EQ(3, grown.m_pages.GetCount());
  EXPECT_EQ(RGB(0, 80, 0), grown.GetPage(2)->m_pBitmap->GetPixelColor(0, 0));
  EXPECT_EQ(2, grown.GetPage(2)->m_table.GetRecordCount());
  grown.CheckImageSizeAndOrientation(0);
  EXPECT_EQ(kPaperA4, grown.GetPage(1)->m_settings.paperIndex);
  EXPECT_EQ(DMORIENT_LANDSCAPE, grown.GetPage(1)->m_settings.orientation);
}

TEST_F(DocImagesTest, APageAppendedToAnImagelessDocumentGivesTheFirstPageAWhiteBackground) {
  CFolimarDoc doc;
  std::unique_ptr<LMyBitmap> scan(SolidBitmap(34, 44, RGB(0, 0, 0)));
  ASSERT_EQ(1, doc.AppendPageFromBitmap(*scan));
  ASSERT_EQ(2, doc.GetPageCount());
  EXPECT_EQ(2, doc.m_pages.GetCount());
  ASSERT_TRUE(doc.GetPage(0)->HasBitmap());
  EXPECT_EQ(34, doc.GetPage(0)->m_pBitmap->GetWidth());
  EXPECT_EQ(RGB(255, 255, 255), doc.GetPage(0)->m_pBitmap->GetPixelColor(10, 10));
  EXPECT_EQ(RGB(0, 0, 0), doc.GetPage(1)->m_pBitmap->GetPixelColor(10, 10));
  EXPECT_EQ(1, doc.GetPage(1)->m_table.GetRecordCount());

  // A first page with an image keeps it.
  std::unique_ptr<LMyBitmap> red(SolidBitmap(10, 10, RGB(255, 0, 0)));
  ASSERT_EQ(1, doc.AppendPageFromBitmap(*red));
  EXPECT_EQ(3, doc.GetPageCount());
  EXPECT_EQ(RGB(255, 255, 255), doc.GetPage(0)->m_pBitmap->GetPixelColor(0, 0));
  EXPECT_EQ(RGB(255, 0, 0), doc.GetPage(2)->m_pBitmap->GetPixelColor(0, 0));
}

TEST_F(DocImagesTest, ABitmapBecomesTheFirstPageAtItsPosition) {
  CFolimarDoc doc;
  std::unique_ptr<LMyBitmap> scan(SolidBitmap(34, 44, RGB(9, 8, 7)));
  ASSERT_EQ(1, doc.CreateFromBitmap(*scan, 120, -40));
  EXPECT_EQ(1, doc.GetPageCount());
  EXPECT_EQ(RGB(9, 8, 7), doc.GetPage(0)->m_pBitmap->GetPixelColor(33, 43));
  EXPECT_EQ(120, doc.GetPageImagePos(0).x);
  EXPECT_EQ(-40, doc.GetPageImagePos(0).y);
  doc.SetPageImagePos(0, POINT{5, 6});
  EXPECT_EQ(5, doc.GetPageImagePos(0).x);
  doc.SetPageImagePos(7, 1, 1);  // no such page: nothing happens
  EXPECT_EQ(0, doc.GetPageImagePos(7).x);
  EXPECT_TRUE(doc.IsModified());
}

// An enhanced metafile of the screen's reference device drawing a frame of `width` x `height` pixels.
std::wstring MakeMetafile(const std::wstring& path, int width, int height) {
  HDC dc = ::CreateEnhMetaFileW(nullptr, path.c_str(), nullptr, nullptr);
  if (dc == nullptr) return std::wstring();
  ::Rectangle(dc, 0, 0, width, height);
  HENHMETAFILE done = ::CloseEnhMetaFile(dc);
  ::DeleteEnhMetaFile(done);
  return path;
}

TEST_F(DocImagesTest, MetafilesBecomePageBackgroundsAndAFileThatIsNoneFails) {
  CFolimarDoc probe;
  const int dpiX = probe.m_screenDpiX, dpiY = probe.m_screenDpiY;
  CStringList paths;
  paths.AddTail(MakeMetafile(Path(L"p1.emf"), dpiX * 17 / 2, dpiY * 11).c_str());  // a Letter page
  paths.AddTail(MakeMetafile(Path(L"p2.emf"), dpiX * 8, dpiY * 5).c_str());
  CFolimarDoc doc;
  ASSERT_EQ(1, doc.CreateFromEMFList(paths));
  ASSERT_EQ(2, doc.GetPageCount());
  EXPECT_EQ(2, doc.m_pages.GetCount());
  for (int p = 0; p < 2; ++p) EXPECT_TRUE(doc.IsMetafileAvailable(p));
  EXPECT_EQ(1, doc.GetPage(1)->m_table.GetRecordCount());
  const SIZE dpi = doc.GetPageResolution(0);
  EXPECT_NEAR(dpiX, dpi.cx, 1);
  EXPECT_NEAR(dpiY, dpi.cy, 1);
  doc.CheckImageSizeAndOrientation(0);
  EXPECT_EQ(kPaperLetter, doc.GetPage(0)->m_settings.paperIndex);
  EXPECT_EQ(DMORIENT_LANDSCAPE, doc.GetPage(1)->m_settings.orientation);

  ASSERT_TRUE(testing_support::WriteFileBytes(Path(L"bad.emf"), std::string(200, 'e')));
  paths.AddTail(Path(L"bad.emf").c_str());
  CFolimarDoc failed;
  EXPECT_EQ(0, failed.CreateFromEMFList(paths));
  EXPECT_EQ(failed.m_pages.GetCount(), failed.GetPageCount());
}

TEST_F(DocImagesTest, OnlyAPageImageOverThirtyMegabytesIsWarnedAboutOnce) {
  struct Case {
    int width, height;
    size_t messages;
  } cases[] = {{3000, 3000, 0}, {3700, 3000, 1}};  // 27 MB and 33.3 MB at 24 bits
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    ShownMessages().clear();
    CFolimarDoc doc;
    doc.GetPage(0)->SetBitmap(SolidBitmap(c.width, c.height, RGB(255, 255, 255)));
    doc.AppendNewPage()->SetBitmap(SolidBitmap(c.width, c.height, RGB(255, 255, 255)));
    doc.BigImageMessage();
    ASSERT_EQ(c.messages, ShownMessages().size());
    if (c.messages == 1) {
      CString text;
      text.LoadString(IDS_BIG_IMAGE);
      EXPECT_EQ(std::wstring(text), ShownMessages()[0]);
    }
  }
}

TEST_F(DocImagesTest, MergingAnotherDocumentAddsItsObjectsAndAFailureEndsTheMerge) {
  const std::wstring path = Path(L"form.qlm");
  {
    CFolimarDoc form;
    ASSERT_TRUE(form.AddObjectToList(doctest::NewTestObject(3, 0, 42, L"Shape1")));
    ASSERT_TRUE(form.OnSaveDocument(path.c_str()));
  }
  CFolimarDoc doc;
  ASSERT_TRUE(doc.AddObjectToList(doctest::NewTestObject(3, 0, 7, L"Mine")));
  doc.MergeToDoc(path.c_str());
  EXPECT_EQ(0, doc.m_merge);
  EXPECT_EQ(1, doc.GetPageCount());
  const std::vector<CTranspBaseClass*> objects = doctest::PageObjects(doc.GetPage(0));
  ASSERT_EQ(2u, objects.size());
  EXPECT_EQ(7, doctest::AsTest(objects[0])->value);
  EXPECT_EQ(42, doctest::AsTest(objects[1])->value);
  EXPECT_TRUE(doc.IsModified());

  ASSERT_TRUE(testing_support::WriteFileBytes(Path(L"bad.qlm"), std::string(100, 'z')));
  doc.SetModifiedFlag(FALSE);
  doc.MergeToDoc(Path(L"bad.qlm").c_str());
  EXPECT_EQ(0, doc.m_merge);
  EXPECT_EQ(2u, doctest::PageObjects(doc.GetPage(0)).size());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_FALSE(ShownMessages().empty());
}

TEST_F(DocImagesTest, EveryImageRequestOfTheApplicationMakesItsDocument) {
  CFolimarApp app;
  ASSERT_EQ(&app, GetFolimarApp());
  NEW_DOCUMENT_REQUEST& request = app.m_newDocument;
  const CString tiff = ImagePath(L"pages_rle.tif").c_str();
  const CString emf = MakeMetafile(Path(L"page.emf"), 200, 100).c_str();
  std::unique_ptr<LMyBitmap> scan(SolidBitmap(34, 44, RGB(0, 0, 0)));
  LMyBitmapList list;
  ASSERT_EQ(SUCCESS, list.InsertItem(scan.get()));
  ASSERT_EQ(SUCCESS, list.InsertItem(scan.get()));
  request.imagePath = tiff;
  request.bitmap = scan.get();
  request.bitmapList = &list;
  request.metafiles.AddTail(emf);
  struct Case {
    int kind;
    int pages;
    bool image, metafile, imageOrigin, imageChanged;
  } cases[] = {
      {NEW_DOCUMENT_REQUEST::kOpenImage, 3, true, false, false, false},
      {NEW_DOCUMENT_REQUEST::kImageAsDocument, 3, true, false, true, true},
      {NEW_DOCUMENT_REQUEST::kFromBitmap, 1, true, false, false, false},
      {NEW_DOCUMENT_REQUEST::kFromBitmapList, 2, true, false, false, true},
      {NEW_DOCUMENT_REQUEST::kLoadEmf, 1, false, true, false, false},
      {NEW_DOCUMENT_REQUEST::kFromEmfList, 1, false, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    request.kind = c.kind;
    request.imagePath = c.metafile ? emf : tiff;
    CFolimarDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(c.pages, doc.GetPageCount());
    EXPECT_EQ(c.pages, doc.m_pages.GetCount());
    EXPECT_EQ(c.image, !!doc.IsImageAvailable(c.pages - 1));
    EXPECT_EQ(c.metafile, !!doc.IsMetafileAvailable(0));
    EXPECT_EQ(c.imageOrigin ? 1 : 0, doc.m_imageOrigin);
    EXPECT_EQ(c.imageChanged ? 1 : 0, doc.GetPage(0)->m_imageChanged);
    if (c.kind == NEW_DOCUMENT_REQUEST::kImageAsDocument) EXPECT_TRUE(doc.m_imagePath.IsEmpty());
    if (c.kind == NEW_DOCUMENT_REQUEST::kOpenImage) EXPECT_EQ(tiff, doc.m_imagePath);
    if (c.kind == NEW_DOCUMENT_REQUEST::kLoadEmf) EXPECT_EQ(emf, doc.m_imagePath);
    // The paper comes from the page image: 34 x 44 pixels at 4 dpi is a Letter page.
    if (c.image) EXPECT_EQ(kPaperLetter, doc.GetPage(0)->m_settings.paperIndex);
  }
  EXPECT_EQ(0, list.GetItemsCount());

  // A file that is no image or metafile makes no document.
  request.imagePath = Path(L"missing.png").c_str();
  for (int kind : {NEW_DOCUMENT_REQUEST::kOpenImage, NEW_DOCUMENT_REQUEST::kImageAsDocument,
                   NEW_DOCUMENT_REQUEST::kLoadEmf}) {
    request.kind = kind;
    CFolimarDoc doc;
    EXPECT_FALSE(doc.OnNewDocument()) << kind;
  }
  request.kind = NEW_DOCUMENT_REQUEST::kEmpty;
  request.bitmap = nullptr;
  request.bitmapList = nullptr;
  request.metafiles.RemoveAll();
}

}  // namespace

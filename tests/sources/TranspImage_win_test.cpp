// The picture on devices: transparent and opaque drawing read back by pixels from a memory bitmap,
// in print at a given resolution and on the screen of a stand-in view through its zoom cache; its
// images on a PDF page; the clipboard.
#include "TranspImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include <pdfwriter/PdfComponent.h>

#include "Canvas.h"
#include "MyProcs.h"
#include "ObjectFixtures.h"
#include "ObjectViewWindow.h"
#include "TestSupport.h"

namespace {

const uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kGreen = 0x008000;

// A 4 x 2 picture: the left half black, the right half white.
void MakeHalfBlack(CTranspImage& image) {
  LMyBitmap picture;
  ASSERT_EQ(SUCCESS, picture.Create(4, 2, 24));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) picture.PutPixelColor(x, y, x < 2 ? RGB(0, 0, 0) : RGB(255, 255, 255));
  CUndoState state = image.GetUndoState();
  state.m_bitmap = picture;
  image.SetUndoState(state);
}

// A canvas whose background is green, so that white drawn over it can be told from white let through.
void PaintGreen(Canvas& canvas) {
  CBrush green;
  green.CreateSolidBrush(RGB(0, 128, 0));
  RECT all = {0, 0, canvas.Width(), canvas.Height()};
  canvas.dc()->FillRect(&all, &green);
}

class TranspImageDevices : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OpenObjectView(view_, nullptr));
    // 0.0001-inch units at 100 dpi and zoom 2: 10 to 50 and 10 to 30 page pixels, twice that in view.
    image_.SetRect(RECT{1000, 1000, 5000, 3000});
    MakeHalfBlack(image_);
  }
  void TearDown() override { CloseObjectView(view_); }

  CWnd view_;
  CTranspImage image_{&view_, 0};
};

TEST_F(TranspImageDevices, PrintedOpaqueCoversAndTransparentLetsWhiteThrough) {
  POINT dpi = {100, 100};
  for (int transparent : {0, 1}) {
    Canvas canvas(100, 60);
    PaintGreen(canvas);
    image_.SetTransparent(transparent);
    image_.Draw(canvas.dc(), 1, &dpi);
    EXPECT_EQ(20 * 20, canvas.CountIn(RECT{10, 10, 30, 30}, kBlack)) << transparent;
    EXPECT_EQ(transparent ? 0 : 20 * 20, canvas.CountIn(RECT{30, 10, 50, 30}, kWhite)) << transparent;
    EXPECT_EQ(transparent ? 20 * 20 : 0, canvas.CountIn(RECT{30, 10, 50, 30}, kGreen)) << transparent;
    EXPECT_EQ(100 * 60 - 40 * 20 + (transparent ? 20 * 20 : 0), canvas.Count(kGreen)) << "nothing outside the box";
  }
}

TEST_F(TranspImageDevices, DeletedPictureDrawsNothing) {
  Canvas canvas(100, 60);
  POINT dpi = {100, 100};
  image_.SetDeleted(1);
  image_.Draw(canvas.dc(), 1, &dpi);
  image_.Draw(canvas.dc(), 0, nullptr);
  EXPECT_EQ(100 * 60, canvas.Count(kWhite));
}

// The first screen drawing at a zoom stretches the picture itself and starts a job; once the job
// has stored its copy of the view size, the same drawing comes from the copy.
TEST_F(TranspImageDevices, ScreenDrawingGoesThroughTheZoomCache) {
  CScaledBitmapCache& cache = image_.GetZoomCache();
  EXPECT_EQ(SCALED_ABSENT, cache.Lookup(2.0, nullptr));
  for (int pass = 0; pass < 2; ++pass) {
    Canvas canvas(140, 80);
    PaintGreen(canvas);
    image_.SetTransparent(1);
    image_.Draw(canvas.dc(), 0, nullptr);
    EXPECT_EQ(40 * 40, canvas.CountIn(RECT{20, 20, 60, 60}, kBlack)) << "pass " << pass;
    EXPECT_EQ(40 * 40, canvas.CountIn(RECT{60, 20, 100, 60}, kGreen)) << "pass " << pass;
    EXPECT_EQ(140 * 80 - 40 * 40, canvas.Count(kGreen)) << "pass " << pass;
    cache.WaitForJobs();
    LMyBitmap* copy = nullptr;
    ASSERT_EQ(SCALED_READY, cache.Lookup(2.0, &copy)) << "pass " << pass;
    EXPECT_EQ(80, copy->GetWidth());
    EXPECT_EQ(40, copy->GetHeight());
  }
  EXPECT_EQ(1, cache.GetCount());
}

// A resized picture is not shown from a copy of its old size: a new copy is made.
TEST_F(TranspImageDevices, AResizedPictureGetsANewCopy) {
  Canvas canvas(200, 100);
  image_.Draw(canvas.dc(), 0, nullptr);
  image_.GetZoomCache().WaitForJobs();
  image_.SetRect(RECT{1000, 1000, 9000, 3000});
  image_.Draw(canvas.dc(), 0, nullptr);
  image_.GetZoomCache().WaitForJobs();
  LMyBitmap* copy = nullptr;
  ASSERT_EQ(SCALED_READY, image_.GetZoomCache().Lookup(2.0, &copy));
  EXPECT_EQ(160, copy->GetWidth());
}

IPdfDocumentPtr NewPdf(const std::wstring& path) {
  IPdfDocument* raw = nullptr;
  EXPECT_EQ(S_OK, CreatePdfDocument(&raw));
  IPdfDocumentPtr pdf(raw, false);
  pdf->SetFileName(path.c_str());
  pdf->SetCompression(0);
  pdf->SetTopDown(1);
  pdf->SetResolution(100);
  return pdf;
}

size_t Occurrences(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// An opaque and a transparent picture: two images placed at the rectangle, white keyed out of the
// transparent one only, and no temporary file left behind.
TEST_F(TranspImageDevices, PdfPlacesBothKindsAndKeysWhiteOutOfTheTransparentOne) {
  testing_support::TempFolder folder;
  const std::wstring path = folder.File(L"pictures.pdf");
  IPdfDocumentPtr pdf = NewPdf(path);
  pdf->BeginDocument();
  pdf->NewPage();
  image_.SetTransparent(0);
  image_.DrawOnPDFPage(nullptr, pdf, 0);
  image_.SetTransparent(1);
  image_.DrawOnPDFPage(nullptr, pdf, 0);
  pdf->EndDocument();
  pdf = nullptr;
  const std::string bytes = testing_support::ReadFileBytes(path);
  EXPECT_EQ(2u, Occurrences(bytes, "/Subtype /Image /Width 4 /Height 2")) << bytes.substr(0, 1500);
  EXPECT_EQ(1u, Occurrences(bytes, "/Mask [")) << "white keyed out once";
  EXPECT_EQ(2u, Occurrences(bytes, " Do Q")) << "both placed on the page";
  const CString leftover = GetTempDirPath() + L"picture.bmp";
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(leftover));
}

// 400 x 100 page pixels are 40000 x 10000 units in the stand-in view: fitted into 20000 x 20000.
TEST_F(TranspImageDevices, ADibOrTheClipboardsBitmapIsFittedIntoTheMaximum) {
  LMyBitmap wide;
  ASSERT_EQ(SUCCESS, wide.Create(400, 100, 24));
  wide.Fill(RGB(0, 0, 255));
  HGLOBAL dib = wide.ConvertToDIB();
  ASSERT_NE(nullptr, dib);
  CTranspImage fromDib(&view_, 0);
  ASSERT_EQ(1, fromDib.CreateDib(dib, 10, 20, SIZE{20000, 20000}));
  ::GlobalFree(dib);
  const RECT fitted = {10, 20, 20010, 5020};
  EXPECT_TRUE(::EqualRect(&fitted, &fromDib.GetRect()));
  EXPECT_EQ(RGB(0, 0, 255), fromDib.GetPicture().GetPixelColor(399, 99));

  ASSERT_EQ(SUCCESS, wide.CopyToClipboard(view_.m_hWnd));
  CTranspImage fromClipboard(&view_, 0);
  ASSERT_EQ(1, fromClipboard.CreateBitmap(10, 20, SIZE{20000, 20000}));
  EXPECT_TRUE(::EqualRect(&fitted, &fromClipboard.GetRect()));
  CTranspImage unfitted(&view_, 0);
  ASSERT_EQ(1, unfitted.CreateBitmap(0, 0, SIZE{50000, 50000}));
  const RECT whole = {0, 0, 40000, 10000};
  EXPECT_TRUE(::EqualRect(&whole, &unfitted.GetRect())) << "a picture that fits keeps its size";
}

// A file's picture takes the size it has on the screen: its pixels times screen over image dpi.
TEST_F(TranspImageDevices, AFilesPictureTakesItsSizeOnTheScreen) {
  testing_support::TempFolder folder;
  const std::wstring path = folder.File(L"stamp.bmp");
  LMyBitmap stamp;
  ASSERT_EQ(SUCCESS, stamp.Create(40, 20, 24));
  stamp.SetXResolution(200);
  stamp.SetYResolution(400);
  ASSERT_EQ(SUCCESS, stamp.Save(path.c_str(), FILE_BMP));
  HDC screen = ::GetDC(view_.m_hWnd);
  const int dpiX = ::GetDeviceCaps(screen, LOGPIXELSX), dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(view_.m_hWnd, screen);
  CTranspImage image(&view_, 0);
  ASSERT_EQ(1, image.Create(path.c_str(), 500, 700));
  // Page pixels to 0.0001-inch units at the stand-in's 100 dpi: times 100.
  const int width = static_cast<int>(40 * (static_cast<double>(dpiX) / 200)) * 100;
  const int height = static_cast<int>(20 * (static_cast<double>(dpiY) / 400)) * 100;
  const RECT expected = {500, 700, 500 + width, 700 + height};
  EXPECT_TRUE(::EqualRect(&expected, &image.GetRect())) << image.GetRect().right << "," << image.GetRect().bottom;
  EXPECT_TRUE(image.GetFileBytes().empty());
}

// The export hands the converter the path of a PNG file of the picture after the common values.
TEST_F(TranspImageDevices, TheVizExportPassesAPngOfThePicture) {
  struct Recorder : CVizConverter {
    void AddObjectItem(double, double, double, double, int, int, double, double, LPCWSTR, bool) override { ++items; }
    void AddLineVector(double, double) override {}
    void AddObjectImage(LPCWSTR path) override {
      if (items >= 1) png = testing_support::ReadFileBytes(path);
      paths.push_back(path);
    }
    int items = 0;
    std::string png;
    std::vector<std::wstring> paths;
  } recorder;
  image_.StoringVIZ(&recorder);
  EXPECT_EQ(1, recorder.items);
  ASSERT_GT(recorder.png.size(), 8u);
  EXPECT_EQ(std::string("\x89PNG", 4), recorder.png.substr(0, 4));
  // Each export writes a file of its own and removes it once the converter has it.
  image_.StoringVIZ(&recorder);
  ASSERT_EQ(2u, recorder.paths.size());
  EXPECT_NE(recorder.paths[0], recorder.paths[1]);
  for (const std::wstring& path : recorder.paths)
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str())) << std::string(path.begin(), path.end());
}

// Takes the object data and the DIB dropped on its window.
class PictureDropTarget : public COleDropTarget {
 public:
  DROPEFFECT OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_COPY; }
  DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_COPY; }
  BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT, CPoint) override {
    HGLOBAL block = data->GetGlobalData(static_cast<CLIPFORMAT>(CTranspBaseClass::GetClipboardFormat()));
    if (block != nullptr) {
      objectData = fixtures::GlobalBytes(block);
      ::GlobalFree(block);
    }
    HGLOBAL dib = data->GetGlobalData(CF_DIB);
    if (dib != nullptr) {
      const BITMAPINFOHEADER* header = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(dib));
      dibSize = {header->biWidth, header->biHeight};
      ::GlobalUnlock(dib);
      ::GlobalFree(dib);
    }
    return TRUE;
  }
  std::string objectData;
  SIZE dibSize = {0, 0};
};

// With the button already up the drag drops at once where the cursor is.
TEST_F(TranspImageDevices, DragOffersTheObjectDataAndTheDib) {
  ASSERT_TRUE(AfxOleInit());
  POINT cursor = {};
  ::GetCursorPos(&cursor);
  CWnd window;
  ASSERT_TRUE(window.CreateEx(0, nullptr, L"Drop", WS_POPUP | WS_VISIBLE, cursor.x - 50, cursor.y - 50, 100, 100,
                              nullptr, nullptr));
  PictureDropTarget target;
  ASSERT_TRUE(target.Register(&window));
  CTranspBaseClass::SetClipboardFormat(::RegisterClipboardFormatW(L"Brannow Applications Transparent Objects"));
  image_.BeginDrag();
  CTranspBaseClass::SetClipboardFormat(0);
  target.Revoke();
  window.DestroyWindow();
  HGLOBAL expected = image_.GetObData();
  ASSERT_NE(nullptr, expected);
  EXPECT_EQ(fixtures::ToHex(fixtures::GlobalBytes(expected)), fixtures::ToHex(target.objectData));
  ::GlobalFree(expected);
  EXPECT_EQ(4, target.dibSize.cx);
  EXPECT_EQ(2, target.dibSize.cy);
}

TEST_F(TranspImageDevices, CopyPutsTheObjectDataAndADibOnTheClipboard) {
  const UINT format = ::RegisterClipboardFormatW(L"Vantry picture test format");
  CTranspBaseClass::SetClipboardFormat(format);
  image_.CopyToClipboard();
  CTranspBaseClass::SetClipboardFormat(0);
  ASSERT_TRUE(::OpenClipboard(nullptr));
  HANDLE data = ::GetClipboardData(format);
  HANDLE dib = ::GetClipboardData(CF_DIB);
  std::string bytes;
  if (data != nullptr) bytes = fixtures::GlobalBytes(data);
  if (dib != nullptr) {
    const BITMAPINFOHEADER* header = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(dib));
    EXPECT_EQ(4, header->biWidth);
    EXPECT_EQ(2, header->biHeight);
    ::GlobalUnlock(dib);
  }
  ::CloseClipboard();
  ASSERT_NE(nullptr, data);
  EXPECT_NE(nullptr, dib);
  ASSERT_GE(bytes.size(), 44u);
  EXPECT_EQ(8, bytes[4]) << "picture data";
}

}  // namespace

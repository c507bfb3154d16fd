// The barcode on devices: its modules read back by pixels from a bitmap against generate_aztec's
// matrix, and its filled squares on a PDF page.
#include "TranspBarcode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include <pdfwriter/PdfComponent.h>

#include "TestSupport.h"

namespace {

class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    PatBlt(dc_, 0, 0, width, height, WHITENESS);
    cdc_.Attach(dc_);
  }
  ~Canvas() {
    cdc_.Detach();
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  CDC* dc() { return &cdc_; }
  uint32_t At(int x, int y) {
    GdiFlush();
    return bits_[y * width_ + x] & 0xFFFFFF;
  }
  int CountDark() {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += At(x, y) == 0;
    return n;
  }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  uint32_t* bits_ = nullptr;
  CDC cdc_;
};

int DarkModules(const aztec::matrix<unsigned char>& m) {
  int n = 0;
  for (int r = 0; r < m.rows(); ++r)
    for (int c = 0; c < m.columns(); ++c) n += m(c, r) == 1;
  return n;
}

class TranspBarcodeDevices : public testing::Test {
 protected:
  void SetUp() override {
    CTranspBaseClass::SetInchesPerUnit(0.00001);
    _PROPERTIES properties;
    properties.contentTemplate = L"Hello, barcode";
    const int templateField = BARCODE_FIELD_TEMPLATE;
    barcode_.SetObjectStyle(&properties, nullptr, &templateField, 0);
  }
  void ExpectModulesByPixels();
  // 0.02-inch modules at (0.1, 0.2) inch.
  CTranspBarcode barcode_{nullptr, POINT{10000, 20000}, nullptr, 0};
};

// At 100 dpi every module is a 2-pixel square from (10, 20); each pixel is dark exactly where the
// encoder's matrix is, also when the style's pen is dotted or dashed.
TEST_F(TranspBarcodeDevices, PrintedModulesMatchTheMatrix) {
  for (int penStyle : {PS_SOLID, PS_DOT, PS_DASH}) {
    SCOPED_TRACE(penStyle);
    _OBJECT_STYLE style = {};
    style.penStyle = penStyle;
    style.lineWidth = barcode_.GetModuleSize();
    style.printable = 1;
    barcode_.SetObjectStyle(nullptr, &style, nullptr, 0);
    ExpectModulesByPixels();
  }
}

void TranspBarcodeDevices::ExpectModulesByPixels() {
  const aztec::matrix<unsigned char>& m = barcode_.GetMatrix();
  ASSERT_FALSE(m.empty());
  Canvas canvas(20 + 2 * m.columns() + 10, 30 + 2 * m.rows() + 10);
  POINT dpi = {100, 100};
  barcode_.Draw(canvas.dc(), 1, &dpi);
  for (int r = 0; r < m.rows(); ++r) {
    for (int c = 0; c < m.columns(); ++c) {
      const uint32_t expected = m(c, r) == 1 ? 0x000000 : 0xFFFFFF;
      for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx)
          ASSERT_EQ(expected, canvas.At(10 + 2 * c + dx, 20 + 2 * r + dy)) << "module " << c << "," << r;
    }
  }
  EXPECT_EQ(4 * DarkModules(m), canvas.CountDark()) << "dark pixels outside the symbol";
}

TEST_F(TranspBarcodeDevices, DeletedBarcodeDrawsNothing) {
  Canvas canvas(200, 200);
  POINT dpi = {100, 100};
  barcode_.SetDeleted(1);
  barcode_.Draw(canvas.dc(), 1, &dpi);
  EXPECT_EQ(0, canvas.CountDark());
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

// One filled square per dark module, the first one at its place; a deleted barcode adds none.
TEST_F(TranspBarcodeDevices, PdfFillsOneSquarePerDarkModule) {
  testing_support::TempFolder folder;
  const std::wstring path = folder.File(L"barcode.pdf");
  IPdfDocumentPtr pdf = NewPdf(path);
  pdf->BeginDocument();
  pdf->NewPage();
  barcode_.DrawOnPDFPage(nullptr, pdf, 0);
  CTranspBarcode deleted(nullptr, POINT{0, 0}, nullptr, 0);
  deleted.SetDeleted(1);
  deleted.DrawOnPDFPage(nullptr, pdf, 0);
  pdf->EndDocument();
  pdf = nullptr;
  const std::string bytes = testing_support::ReadFileBytes(path);
  const aztec::matrix<unsigned char>& m = barcode_.GetMatrix();
  EXPECT_EQ(static_cast<size_t>(DarkModules(m)), Occurrences(bytes, " re f"));
  // The top-left module of an Aztec symbol is light; the first dark one of row 0 at 100 dpi.
  int first = 0;
  while (m(first, 0) != 1) ++first;
  char expected[64];
  snprintf(expected, sizeof(expected), "%d 20 2 2 re f", 10 + 2 * first);
  EXPECT_NE(std::string::npos, bytes.find(expected)) << bytes.substr(0, 2000);
}

// A view at 1000 units a page pixel and twice the page on screen, truncating as integer
// conversions do.
void UnitToPagePt(CWnd*, POINT* p) { p->x /= 1000, p->y /= 1000; }
void UnitToPageRc(CWnd*, RECT* r) { r->left /= 1000, r->top /= 1000, r->right /= 1000, r->bottom /= 1000; }
void PageToUnitPt(CWnd*, POINT* p) { p->x *= 1000, p->y *= 1000; }
void PageToUnitRc(CWnd*, RECT* r) { r->left *= 1000, r->top *= 1000, r->right *= 1000, r->bottom *= 1000; }
void PageToViewPt(CWnd*, POINT* p) { p->x *= 2, p->y *= 2; }
void PageToViewRc(CWnd*, RECT* r) { r->left *= 2, r->top *= 2, r->right *= 2, r->bottom *= 2; }
void ViewToPagePt(CWnd*, POINT* p) { p->x /= 2, p->y /= 2; }
void ViewToPageRc(CWnd*, RECT* r) { r->left /= 2, r->top /= 2, r->right /= 2, r->bottom /= 2; }
void SamePt(CWnd*, POINT*) {}
void SameRc(CWnd*, RECT*) {}
double NoScale(CWnd*) { return 1.0; }
const VIEW_CONVERSIONS kDoubleView = {UnitToPagePt, UnitToPageRc, PageToUnitPt, PageToUnitRc, PageToViewPt,
                                      PageToViewRc, SamePt,       SameRc,       SamePt,       SameRc,
                                      SamePt,       SameRc,       ViewToPagePt, ViewToPageRc, NoScale};

// On a view the module is a whole number of view pixels: 2500 units are 2 page pixels, 4 on screen,
// and the rectangle is what the screen shows, taken back to units. The screen drawing puts the
// same squares at the view position of the rectangle.
TEST(TranspBarcodeView, ModulesAreWholeViewPixels) {
  CTranspBaseClass::SetInchesPerUnit(0.00001);
  CTranspBaseClass::SetViewConversions(&kDoubleView);
  CWnd view;
  {
    _OBJECT_STYLE style = {};
    CTranspBarcode barcode(&view, POINT{10000, 6000}, &style, 0);
    style.lineWidth = 2500;
    const int moduleField = BARCODE_FIELD_MODULE_SIZE;
    barcode.SetObjectStyle(nullptr, &style, &moduleField, 0);
    const aztec::matrix<unsigned char>& m = barcode.GetMatrix();
    const RECT expected = {10000, 6000, 10000 + 2000 * m.columns(), 6000 + 2000 * m.rows()};
    EXPECT_TRUE(EqualRect(&expected, &barcode.GetRect()));

    Canvas canvas(20 + 4 * m.columns() + 10, 12 + 4 * m.rows() + 10);
    barcode.Draw(canvas.dc(), 0, nullptr);
    for (int r = 0; r < m.rows(); ++r)
      for (int c = 0; c < m.columns(); ++c)
        ASSERT_EQ(m(c, r) == 1 ? 0x000000u : 0xFFFFFFu, canvas.At(20 + 4 * c + 1, 12 + 4 * r + 1))
            << "module " << c << "," << r;
    EXPECT_EQ(16 * DarkModules(m), canvas.CountDark());
  }
  CTranspBaseClass::SetViewConversions(nullptr);
}

}  // namespace

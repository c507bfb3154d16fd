// The view's screen drawing in a real view window of a multiple-document frame, read back by pixels:
// a page image at two zooms, first stretched and then from the scaled copies of the cache, tab-order
// mode, erased areas, the show-page-image switch, the grid and objects over the page.
#include "FolimarView.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include "FolimarDoc.h"
#include "MainFrm.h"
#include "MarkerTools.h"
#include "MyProcs.h"
#include "TestShape.h"
#include "ToolTestSupport.h"
#include "TranspText.h"
#include "TranspImage.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kGrey = RGB(64, 64, 64);
const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

int ThreadsOfThisProcess() {
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  int count = 0;
  for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry))
    count += entry.th32OwnerProcessID == ::GetCurrentProcessId();
  ::CloseHandle(snapshot);
  return count;
}

// A filled rectangle that is a field or not.
class CFieldShape : public CTestShape {
 public:
  CFieldShape(CWnd* view, int field, COLORREF color, RECT rect) : CTestShape(view), field_(field) {
    SetColor(color);
    SetRect(rect.left, rect.top, rect.right, rect.bottom);
  }
  int IsField() override { return field_; }

 private:
  int field_;
};

class ViewDrawTest : public ToolWindowTest {
 protected:
  void SetUp() override {
    ToolWindowTest::SetUp();
    ASSERT_NE(view, nullptr);
    dpi_ = view->GetGeometry().m_dpiX;
  }
  CPageInfo* Page() { return view->GetDocument()->GetPage(0); }
  CScaledBitmapCache& Cache() { return view->GetScaledPageCache(); }
  // A 200 x 100 page image at the screen's resolution (one image pixel a page pixel) in four
  // quadrants: red, green above; blue, grey below.
  void SetQuadrantImage(int width = 200, int height = 100) {
    LMyBitmap* bitmap = new LMyBitmap;
    ASSERT_EQ(SUCCESS, bitmap->Create(width, height, 24));
    bitmap->SetXResolution(dpi_);
    bitmap->SetYResolution(dpi_);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        bitmap->PutPixelColor(x, y, y < height / 2 ? (x < width / 2 ? kRed : kGreen) : (x < width / 2 ? kBlue : kGrey));
    Page()->SetBitmap(bitmap);
    view->ClearScaledPageCache();
  }
  // The quadrants' centres and the image's last pixels at magnification m, and white past them.
  void ExpectQuadrants(int m, const char* when) {
    const ClientPicture picture = Picture();
    EXPECT_EQ(kRed, picture.At(50 * m, 25 * m)) << when;
    EXPECT_EQ(kGreen, picture.At(150 * m, 25 * m)) << when;
    EXPECT_EQ(kBlue, picture.At(50 * m, 75 * m)) << when;
    EXPECT_EQ(kGrey, picture.At(150 * m, 75 * m)) << when;
    EXPECT_EQ(kGrey, picture.At(200 * m - 1, 100 * m - 1)) << when << ": the last row and column are shown";
    EXPECT_EQ(kWhite, picture.At(200 * m, 50 * m)) << when;
    EXPECT_EQ(kWhite, picture.At(100 * m, 100 * m)) << when;
  }
  static BOOL HasPendingPaint(CWnd* window) {
    RECT pending;
    return ::GetUpdateRect(window->m_hWnd, &pending, FALSE);
  }
  int dpi_ = 96;
};

// The first paint at a zoom stretches the full-size image and starts one job; repaints before it
// ends start none; the stored copy repaints the view by itself, and later paints come from it. A
// zoom seen before is painted from its copy at once.
TEST_F(ViewDrawTest, APageImageAtTwoZoomsComesFromItsScaledCopies) {
  SetQuadrantImage();
  for (double zoom : {1.0, 2.0}) {
    view->SetViewScale(zoom);
    const int m = static_cast<int>(zoom);
    Settle();
    EXPECT_EQ(1, Cache().GetJobCount()) << zoom;
    EXPECT_NE(SCALED_ABSENT, Cache().Lookup(zoom, nullptr));
    ExpectQuadrants(m, "stretched");
    Settle();
    EXPECT_EQ(1, Cache().GetJobCount()) << "no second job for the same zoom";
    Cache().WaitForJobs();
    LMyBitmap* copy = nullptr;
    ASSERT_EQ(SCALED_READY, Cache().Lookup(zoom, &copy));
    EXPECT_EQ(200 * m, copy->GetWidth());
    EXPECT_EQ(100 * m, copy->GetHeight());
    Settle();
    ExpectQuadrants(m, "from the cache");
  }
  view->SetViewScale(1.0);
  Settle();
  EXPECT_EQ(0, Cache().GetJobCount()) << "zoom 1 was seen before: no job";
  EXPECT_EQ(2, Cache().GetCount());
  ExpectQuadrants(1, "back at zoom 1");
}

// A new page image drops the copies of the old one, whoever replaces it; so does turning to a page.
TEST_F(ViewDrawTest, ChangingThePageImageRebuildsTheCopies) {
  SetQuadrantImage();
  Settle();
  Cache().WaitForJobs();
  ASSERT_EQ(1, Cache().GetCount());
  LMyBitmap* plain = new LMyBitmap;
  ASSERT_EQ(SUCCESS, plain->Create(200, 100, 24));
  plain->SetXResolution(dpi_);
  plain->SetYResolution(dpi_);
  plain->Fill(kBlue);
  Page()->SetBitmap(plain);
  EXPECT_EQ(0, Cache().GetCount()) << "the page asked its view to drop them";
  Settle();
  Cache().WaitForJobs();
  Settle();
  EXPECT_EQ(kBlue, Picture().At(50, 25));
  ASSERT_EQ(1, Cache().GetCount());
  view->SetActivePage(0);
  EXPECT_EQ(0, Cache().GetCount());
}

// Nothing else asks for a paint here: the pending one is the worker's.
TEST_F(ViewDrawTest, AStoredCopyRepaintsTheViewByItself) {
  SetQuadrantImage();
  view->ValidateRect(nullptr);
  ASSERT_FALSE(HasPendingPaint(view));
  CClientDC dc(view);
  view->OnPrepareDC(&dc);
  view->DrawScreen(&dc);
  ASSERT_EQ(1, Cache().GetJobCount());
  Cache().WaitForJobs();
  EXPECT_TRUE(HasPendingPaint(view));
  EXPECT_EQ(SCALED_READY, Cache().Lookup(1.0, nullptr));
}

// A repaint of a band of the window joins the rest without a seam.
TEST_F(ViewDrawTest, BandsPaintedApartJoinTheWholePicture) {
  SetQuadrantImage(150, 75);
  view->SetViewScale(1.5);
  Settle();
  Cache().WaitForJobs();
  Settle();
  const ClientPicture whole = Picture();
  const RECT bands[] = {{0, 40, 300, 73}, {100, 55, 180, 58}, {0, 0, 600, 1}};
  for (const RECT& band : bands) {
    view->InvalidateRect(&band, FALSE);
    view->UpdateWindow();
    EXPECT_EQ("same", DescribeDifferences(Picture(), whole)) << band.top << ".." << band.bottom;
  }
}

TEST_F(ViewDrawTest, SwitchingThePageImageOffDrawsTheObjectsOnWhite) {
  SetQuadrantImage();
  CTranspImage* picture = new CTranspImage(view, 0);
  LMyBitmap black;
  ASSERT_EQ(SUCCESS, black.Create(4, 4, 24));
  black.Fill(kBlack);
  CUndoState state = picture->GetUndoState();
  state.m_bitmap = black;
  picture->SetUndoState(state);
  // From a quarter to half an inch.
  const int quarter = static_cast<int>(0.25 / view->GetDocument()->m_unit);
  picture->SetRect(RECT{quarter, quarter, 2 * quarter, 2 * quarter});
  Page()->m_objects.AddTail(picture);
  view->SetShowPageImage(FALSE);
  Settle();
  const ClientPicture shown = Picture();
  const int a = dpi_ / 4, b = dpi_ / 2;
  EXPECT_EQ(kBlack, shown.At(a + 1, a + 1));
  EXPECT_EQ(kBlack, shown.At(b - 1, b - 1));
  EXPECT_EQ(kWhite, shown.At(a - 3, a + 5)) << "no page image under the object";
  EXPECT_EQ(kWhite, shown.At(150, 25));
  EXPECT_EQ(0, Cache().GetJobCount()) << "nothing to scale";
  view->SetShowPageImage(TRUE);
  Settle();
  EXPECT_EQ(kRed, Picture().At(a - 3, a + 5));
  EXPECT_EQ(kBlack, Picture().At(a + 1, a + 1)) << "objects over the image";
  Cache().WaitForJobs();
}

// Tab-order mode paints the image lighter; entering the mode by its command and leaving it for
// another mode rebuilds the copies.
TEST_F(ViewDrawTest, TabOrderModeShowsTheImageLighter) {
  SetQuadrantImage();
  Settle();
  Cache().WaitForJobs();
  Settle();
  ASSERT_EQ(kGrey, Picture().At(150, 75));
  frame->StylebarTabOrder(FALSE);
  ASSERT_EQ(PROGRAM_MODE_TAB_ORDER, frame->GetProgramMode());
  EXPECT_EQ(0, Cache().GetCount()) << "entering the mode drops the copies";
  Settle();
  Cache().WaitForJobs();
  Settle();
  LMyBitmap* copy = nullptr;
  ASSERT_EQ(SCALED_READY, Cache().Lookup(1.0, &copy));
  EXPECT_EQ(250, copy->GetPaintGamma());
  const COLORREF lighter = Picture().At(150, 75);
  EXPECT_GT(GetRValue(lighter), 64 + 40) << "lighter than the grey it shows normally";
  frame->SetProgramMode(12, 1);
  EXPECT_EQ(0, Cache().GetCount()) << "leaving the mode drops them again";
  Settle();
  Cache().WaitForJobs();
  Settle();
  EXPECT_EQ(kGrey, Picture().At(150, 75));
}

TEST_F(ViewDrawTest, ErasedAreasAreWhiteAndRestoredOnesShowTheImage) {
  SetQuadrantImage();
  ASSERT_TRUE(Page()->m_eraseList.AddErased(RECT{20, 10, 180, 40}));
  ASSERT_TRUE(Page()->m_eraseList.AddUnerased(RECT{40, 15, 60, 30}));
  Settle();
  const ClientPicture shown = Picture();
  EXPECT_EQ(kWhite, shown.At(30, 20)) << "erased";
  EXPECT_EQ(kWhite, shown.At(170, 20)) << "erased";
  EXPECT_EQ(kRed, shown.At(50, 20)) << "restored inside the erased area";
  EXPECT_EQ(kRed, shown.At(10, 20)) << "outside";
  EXPECT_EQ(kGreen, shown.At(170, 45)) << "below";
  Cache().WaitForJobs();
}

// Grid dots every quarter inch over the whole visible page and nothing beyond it.
TEST_F(ViewDrawTest, TheGridCoversThePageAndNothingOutsideIt) {
  ASSERT_EQ(96, dpi_) << "the counts below are for a 96-dpi screen";
  view->SetViewScale(-4.0);  // a letter page of 816 x 1056 page pixels shows as 204 x 264
  const int quarterInch = static_cast<int>(0.25 / view->GetDocument()->m_unit + 0.5);
  frame->SetGridSteps(quarterInch, quarterInch);
  frame->SetSnapToGrid(1);
  Settle();
  const ClientPicture shown = Picture();
  int inside = 0, outside = 0;
  for (int y = 0; y < shown.Height(); ++y)
    for (int x = 0; x < shown.Width(); ++x) {
      if (shown.At(x, y) != kBlack) continue;
      if (x < 204 && y < 264)
        ++inside;
      else
        ++outside;
    }
  EXPECT_EQ(34 * 44, inside) << "one dot every 6 view pixels";
  EXPECT_EQ(0, outside);
  EXPECT_EQ(kBlack, shown.At(198, 258));
  EXPECT_EQ(kWhite, shown.At(3, 3));
  frame->SetSnapToGrid(0);
  Settle();
  EXPECT_EQ(kWhite, Picture().At(6, 6));
}

// A page whose background is a metafile shows it played into the image's place, without a job.
TEST_F(ViewDrawTest, AMetafilePageIsPlayedOverWhite) {
  HDC screen = ::GetDC(nullptr);
  HDC recorder = ::CreateEnhMetaFileW(screen, nullptr, nullptr, nullptr);
  ::ReleaseDC(nullptr, screen);
  ASSERT_NE(nullptr, recorder);
  const RECT band = {0, 0, 160, 80};
  HBRUSH blue = ::CreateSolidBrush(kBlue);
  ::FillRect(recorder, &band, blue);
  ::DeleteObject(blue);
  HENHMETAFILE metafile = ::CloseEnhMetaFile(recorder);
  ASSERT_NE(nullptr, metafile);
  Page()->SetMetafile(metafile);
  Settle();
  const ClientPicture shown = Picture();
  EXPECT_EQ(kBlue, shown.At(20, 10));
  EXPECT_EQ(kBlue, shown.At(140, 70));
  EXPECT_EQ(kWhite, shown.At(300, 200));
  EXPECT_EQ(0, Cache().GetCount()) << "metafiles are not scaled in the background";
}

// Listed first, the field is still drawn over the shape; an object outside the repainted area is left
// alone.
TEST_F(ViewDrawTest, ObjectsThatAreNotFieldsLieBeneathFields) {
  const int inch = static_cast<int>(1.0 / view->GetDocument()->m_unit + 0.5);
  Page()->m_objects.AddTail(new CFieldShape(view, 1, kBlue, RECT{0, 0, inch, inch}));
  Page()->m_objects.AddTail(new CFieldShape(view, 0, kRed, RECT{inch / 2, inch / 2, 2 * inch, 2 * inch}));
  Settle();
  const ClientPicture shown = Picture();
  EXPECT_EQ(kBlue, shown.At(dpi_ * 3 / 4, dpi_ * 3 / 4)) << "the overlap is the field's";
  EXPECT_EQ(kRed, shown.At(dpi_ * 3 / 2, dpi_ * 3 / 2));
  EXPECT_EQ(kBlue, shown.At(dpi_ / 4, dpi_ / 4));
}

// The focused calculated field shows its result over every other object, fields listed after it too;
// its style becomes the view's focused style.
TEST_F(ViewDrawTest, AFocusedCalculatedFieldIsDrawnOnTop) {
  const int inch = static_cast<int>(1.0 / view->GetDocument()->m_unit + 0.5);
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  _PROPERTIES numeric;
  numeric.formatCategory = 1;
  CTranspText* total = new CTranspText(view, inch / 4, inch / 4, &style, &numeric, L"888", 0);
  total->SetFormula(L"A+B");
  ASSERT_TRUE(total->HasFormula());
  Page()->m_objects.AddTail(total);
  Page()->m_objects.AddTail(new CFieldShape(view, 1, kRed, RECT{0, 0, 2 * inch, 2 * inch}));
  const RECT cover = {0, 0, 2 * dpi_, 2 * dpi_};
  Settle();
  const int hidden = static_cast<int>(cover.right * cover.bottom);
  int red = 0;
  ClientPicture shown = Picture();
  for (int y = 0; y < cover.bottom; ++y)
    for (int x = 0; x < cover.right; ++x) red += shown.At(x, y) == kRed;
  EXPECT_EQ(hidden, red) << "unfocused, the field listed later covers it";
  total->SetFocused(1);
  Settle();
  shown = Picture();
  red = 0;
  for (int y = 0; y < cover.bottom; ++y)
    for (int x = 0; x < cover.right; ++x) red += shown.At(x, y) == kRed;
  EXPECT_LT(red, hidden) << "focused, its text shows over the red field";
  EXPECT_NE(0, view->GetFocusedObjectStyle().font.lfHeight);
}

// Reference points show their markers where they lie on the image, inverted; the crop area its
// frame.
TEST_F(ViewDrawTest, ReferencePointsAndTheCropAreaAreDrawnOverThePage) {
  SetQuadrantImage();
  view->GetRefPointTools().AddTail(new CRefPointTool(view, POINT{50, 25}));
  view->GetRefPointTools().AddTail(new CRefPointTool(view, POINT{400, 300}));
  Settle();
  ClientPicture shown = Picture();
  EXPECT_EQ(RGB(0, 255, 255), shown.At(47, 25)) << "red inverted on the cross";
  EXPECT_EQ(RGB(0, 255, 255), shown.At(50, 22));
  EXPECT_EQ(kRed, shown.At(50 + 3, 25 + 3)) << "inside the circle, off the cross";
  EXPECT_EQ(kWhite, shown.At(400, 300)) << "a marker off the image is not drawn";
  Cache().WaitForJobs();

  CCropTool& crop = view->GetCropTool();
  crop.MouseDown(CPoint(120, 30));
  crop.MouseMove(CPoint(180, 90));
  crop.MouseUp();
  ASSERT_FALSE(crop.IsEmpty());
  Settle();
  shown = Picture();
  EXPECT_EQ(RGB(255, 0, 255), shown.At(150, 30)) << "the frame's top edge over green, inverted";
  EXPECT_EQ(RGB(255, 255, 255) - kGrey, shown.At(120, 80)) << "the left edge over grey";
  EXPECT_EQ(kGrey, shown.At(150, 80)) << "inside the frame";
}

// Closing the document while a job still scales a large page waits for the job.
TEST_F(ViewDrawTest, ClosingTheViewWhileAJobRunsWaitsForIt) {
  SetQuadrantImage(3000, 2400);
  view->SetViewScale(2.0);
  const int before = ThreadsOfThisProcess();
  Settle();
  ASSERT_EQ(1, Cache().GetJobCount());
  view->GetDocument()->SetModifiedFlag(FALSE);
  AfxGetApp()->CloseAllDocuments(FALSE);
  EXPECT_EQ(before, ThreadsOfThisProcess()) << "the worker has ended with the view";
}

}  // namespace

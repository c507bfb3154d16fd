// The page-image commands of a real view in the main frame, reached as the user reaches them: the
// Image menu's commands sent to the frame, the imaging dialogs and the resolution dialog worked by a
// script, reference points and crop areas placed by mouse messages, then "Do transformation".
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "LDialogsRes.h"
#include "LMyBitmap.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "PageInfo.h"
#include "TestSupport.h"
#include "ViewFrameFixture.h"
#include "resource.h"
#include "undo.h"

namespace {

using testing_support::Click;
using testing_support::RunDialog;

enum { kCrop = 3, kRotation = 4, kWhite = 19 };

class StateProbe : public CCmdUI {
 public:
  BOOL enabled = FALSE;
  void Enable(BOOL on) override { enabled = on; }
};

std::vector<COLORREF> Pixels(const LBitmapBase& b) {
  std::vector<COLORREF> out;
  for (int y = 0; y < b.GetHeight(); ++y)
    for (int x = 0; x < b.GetWidth(); ++x) out.push_back(b.GetPixelColor(x, y));
  return out;
}

// A 96-dpi page image (one image pixel per page pixel at 100 %), its pixels all different.
LMyBitmap* PagePicture(int width, int height) {
  LMyBitmap* b = new LMyBitmap;
  b->Create(width, height, 24);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b->PutPixelColor(x, y, RGB(x % 256, y % 256, (x + 2 * y) % 256));
  b->SetXResolution(96);
  b->SetYResolution(96);
  return b;
}

// The row of the dark line's middle in column x (the centroid of its darkness within 100 rows of the
// image's middle, clear of the dark corners a turn leaves); -1 when none.
double LineCentre(const LBitmapBase& b, int x) {
  double weight = 0, sum = 0;
  for (int y = b.GetHeight() / 2 - 100; y < b.GetHeight() / 2 + 100; ++y) {
    const double dark = 255 - GetGValue(b.GetPixelColor(x, y));
    if (dark < 40) continue;
    weight += dark;
    sum += dark * y;
  }
  return weight > 0 ? sum / weight : -1;
}

class PageImageView : public ::testing::Test {
 protected:
  // Resize asks first: every box is answered Yes.
  void SetUp() override {
    ASSERT_TRUE(view_frame_.Start(IDYES));
    frame = view_frame_.frame;
  }
  void TearDown() override { view_frame_.Stop(); }

  // A document of one page holding `bitmap` (taken over), in its view: a letter page, or one the
  // image fits on.
  CFolimarView* Open(LMyBitmap* bitmap) {
    CPageInfo* page = new CPageInfo(nullptr);
    page->m_settings.width = std::max(8.5, (bitmap->GetWidth() + 20) / 96.0);
    page->m_settings.height = std::max(11.0, (bitmap->GetHeight() + 20) / 96.0);
    page->SetBitmap(bitmap);
    return view_frame_.OpenFromPage(page);
  }
  static CPageInfo* Page(CFolimarView* view) { return view->GetDocument()->GetPage(0); }
  static LMyBitmap& Bitmap(CFolimarView* view) { return *Page(view)->m_pBitmap; }
  // A menu command as the menu sends it: to the main window, which routes it to the active view.
  void Command(UINT id) { frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  static BOOL Enabled(CCmdTarget* target, UINT id) {
    StateProbe probe;
    probe.m_nID = id;
    probe.DoUpdate(target, FALSE);
    return probe.enabled;
  }
  static void Mouse(CWnd* view, UINT message, UINT keys, POINT p) {
    view->SendMessage(message, keys, MAKELPARAM(p.x, p.y));
  }
  static void Drag(CWnd* view, POINT a, POINT b) {
    Mouse(view, WM_LBUTTONDOWN, MK_LBUTTON, a);
    for (int i = 1; i <= 4; ++i)
      Mouse(view, WM_MOUSEMOVE, MK_LBUTTON, POINT{a.x + (b.x - a.x) * i / 4, a.y + (b.y - a.y) * i / 4});
    Mouse(view, WM_LBUTTONUP, 0, b);
  }
  // Clicks page point p in the view (scrolled so that it shows).
  static void ClickPage(CFolimarView* view, POINT p) {
    view->SetUpperLeftPageCornerTo(std::max(0L, p.x - 200), std::max(0L, p.y - 200));
    POINT client = p;
    view->PageToClient(&client);
    Mouse(view, WM_LBUTTONDOWN, MK_LBUTTON, client);
    Mouse(view, WM_LBUTTONUP, 0, client);
  }

  fixtures::ViewFrame view_frame_;
  CMainFrame* frame = nullptr;
};

}  // namespace

TEST_F(PageImageView, ImageMenuCommandsChangeThePageAndEditUndoTakesThemBack) {
  CFolimarView* view = Open(PagePicture(50, 30));
  ASSERT_NE(nullptr, view);
  const struct {
    UINT id;
    int width, height;
    POINT from, to;  // a pixel of the image before and where it is afterwards
  } cases[] = {
      {ID_IMAGE_FLIP, 50, 30, {3, 4}, {3, 25}},
      {ID_IMAGE_REVERSE, 50, 30, {3, 4}, {46, 4}},
      {ID_IMAGE_ROTATE_90, 30, 50, {3, 4}, {25, 3}},
      {ID_IMAGE_ROTATE_180, 50, 30, {3, 4}, {46, 25}},
      {ID_IMAGE_ROTATE_270, 30, 50, {3, 4}, {4, 46}},
  };
  for (const auto& c : cases) {
    const std::vector<COLORREF> before = Pixels(Bitmap(view));
    const COLORREF moved = Bitmap(view).GetPixelColor(c.from.x, c.from.y);
    Command(c.id);
    ASSERT_EQ(c.width, Bitmap(view).GetWidth()) << c.id;
    ASSERT_EQ(c.height, Bitmap(view).GetHeight()) << c.id;
    EXPECT_EQ(moved, Bitmap(view).GetPixelColor(c.to.x, c.to.y)) << c.id;
    EXPECT_TRUE(view->GetDocument()->IsModified()) << c.id;
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(before, Pixels(Bitmap(view))) << c.id << ": undone";
  }
  const COLORREF first = Bitmap(view).GetPixelColor(0, 0);
  Command(ID_IMAGE_INVERT);
  EXPECT_EQ(RGB(255 - GetRValue(first), 255 - GetGValue(first), 255 - GetBValue(first)),
            Bitmap(view).GetPixelColor(0, 0));
  Command(ID_EDIT_UNDO);
  Command(ID_EDIT_REDO);
  EXPECT_EQ(RGB(255 - GetRValue(first), 255 - GetGValue(first), 255 - GetBValue(first)),
            Bitmap(view).GetPixelColor(0, 0));
}

TEST_F(PageImageView, ImageCommandsNeedAnImageThatIsNoKeptJpeg) {
  CFolimarView* view = Open(PagePicture(20, 20));
  ASSERT_NE(nullptr, view);
  const UINT ids[] = {ID_IMAGE_RESOLUTION, ID_IMAGE_RESIZE,   ID_IMAGE_ROTATE_90, ID_IMAGE_ROTATE_180,
                      ID_IMAGE_ROTATE_270, ID_IMAGE_ROTATE_ANGLE, ID_IMAGE_FLIP,  ID_IMAGE_REVERSE,
                      ID_IMAGE_INVERT,     ID_IMAGE_BRIGHTNESS,   ID_IMAGE_CONTRAST, ID_EDIT_ROTATE_PICTURE};
  for (UINT id : ids) EXPECT_TRUE(Enabled(view, id)) << id;
  const BYTE jpeg[] = {0xFF, 0xD8, 0xFF, 0xD9};
  Page(view)->SetImageFileBytes(jpeg, sizeof(jpeg));
  for (UINT id : ids) EXPECT_FALSE(Enabled(view, id)) << id << ": JPEG kept as read";
  Page(view)->FreeImageFileBytes();
  Command(ID_IMAGE_DELETE_BACKGROUND);
  EXPECT_EQ(nullptr, Page(view)->m_pBitmap);
  for (UINT id : ids) EXPECT_FALSE(Enabled(view, id)) << id << ": no image";
  // Rotating a page without an image does nothing.
  const size_t steps = view->GetActiveUndoManager()->GetUndoCount();
  Command(ID_IMAGE_ROTATE_90);
  EXPECT_EQ(steps, view->GetActiveUndoManager()->GetUndoCount());
}

TEST_F(PageImageView, BrightnessAndContrastComeFromTheImagingDialog) {
  CFolimarView* view = Open(PagePicture(40, 30));
  ASSERT_NE(nullptr, view);
  const struct {
    UINT id;
    int typed;
    bool contrast;
  } cases[] = {{ID_IMAGE_BRIGHTNESS, 20, false}, {ID_IMAGE_CONTRAST, 35, true}};
  for (const auto& c : cases) {
    LBitmap expected;
    ASSERT_EQ(SUCCESS, expected.Copy(Bitmap(view)));
    ASSERT_EQ(SUCCESS, c.contrast ? expected.ChangeContrast(c.typed * 10) : expected.ChangeIntensity(c.typed * 10));
    RunDialog([&] { Command(c.id); return IDOK; }, [&](HWND dialog) {
      SetDlgItemInt(dialog, IDC_L_VALUE, c.typed, TRUE);
      Click(dialog, IDOK);
    });
    EXPECT_EQ(Pixels(expected), Pixels(Bitmap(view))) << c.id;
    // Cancel leaves the page and its history as they are.
    const std::vector<COLORREF> kept = Pixels(Bitmap(view));
    const size_t steps = view->GetActiveUndoManager()->GetUndoCount();
    RunDialog([&] { Command(c.id); return IDCANCEL; }, [&](HWND dialog) {
      SetDlgItemInt(dialog, IDC_L_VALUE, 50, TRUE);
      Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(kept, Pixels(Bitmap(view))) << c.id;
    EXPECT_EQ(steps, view->GetActiveUndoManager()->GetUndoCount()) << c.id;
  }
}

TEST_F(PageImageView, RotateByAngleTurnsByTheDialogsAngle) {
  CFolimarView* view = Open(PagePicture(40, 30));
  ASSERT_NE(nullptr, view);
  LMyBitmap expected;
  ASSERT_EQ(SUCCESS, expected.Copy(Bitmap(view)));
  ASSERT_EQ(SUCCESS, expected.Rotate(3000, TRUE, 0));
  RunDialog([&] { Command(ID_IMAGE_ROTATE_ANGLE); return IDOK; }, [&](HWND dialog) {
    SetDlgItemInt(dialog, IDC_L_VALUE, 30, TRUE);
    Click(dialog, IDOK);
  });
  EXPECT_EQ(Pixels(expected), Pixels(Bitmap(view)));
}

TEST_F(PageImageView, ResolutionDialogSetsBothResolutionsAsOneStep) {
  CFolimarView* view = Open(PagePicture(40, 30));
  ASSERT_NE(nullptr, view);
  RunDialog([&] { Command(ID_IMAGE_RESOLUTION); return IDOK; }, [&](HWND dialog) {
    HWND edit = GetWindow(GetDlgItem(dialog, IDC_COMBO_IMAGE_RESOLUTION), GW_CHILD);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"200"));
    Click(dialog, IDOK);
  });
  EXPECT_EQ(200, Bitmap(view).GetXResolution());
  EXPECT_EQ(200, Bitmap(view).GetYResolution());
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(96, Bitmap(view).GetXResolution());
}

// A page scanned askew (made by turning a level page 2.5 degrees): two points placed on its line and
// "Do transformation" in the rotation mode bring the line level.
TEST_F(PageImageView, TwoReferencePointsOnALineStraightenThePage) {
  LMyBitmap level;
  ASSERT_EQ(SUCCESS, level.Create(1400, 500, 24));
  level.Fill(RGB(255, 255, 255));
  for (int y = 248; y < 253; ++y)
    for (int x = 50; x < 1350; ++x) level.PutPixelColor(x, y, RGB(0, 0, 0));
  LMyBitmap* skewed = new LMyBitmap;
  ASSERT_EQ(SUCCESS, skewed->Copy(level));
  ASSERT_EQ(SUCCESS, skewed->Rotate(250, TRUE, RGB(255, 255, 255)));
  skewed->SetXResolution(96);
  skewed->SetYResolution(96);
  CFolimarView* view = Open(skewed);
  ASSERT_NE(nullptr, view);
  frame->SetProgramMode(kRotation, 1);
  // The user's points land on whole page pixels: the columns where the line's middle is nearest one.
  auto place = [&](int from, int to) {
    int best = from;
    double bestOff = 1;
    for (int x = from; x < to; ++x) {
      const double c = LineCentre(Bitmap(view), x);
      const double off = std::fabs(c - std::round(c));
      if (c >= 0 && off < bestOff) {
        bestOff = off;
        best = x;
      }
    }
    return POINT{best, static_cast<LONG>(std::lround(LineCentre(Bitmap(view), best)))};
  };
  const POINT right = place(1150, 1250), left = place(150, 250);
  ClickPage(view, right);
  ClickPage(view, left);
  ASSERT_EQ(2, view->GetRefPointTools().GetCount());
  EXPECT_NEAR(-2.5, view->GetRefPointsAngle() * 180 / 3.14159265358979, 0.05) << "lower on the right: negative";
  EXPECT_TRUE(Enabled(view, ID_TOOL_DO_TRANSFORMATION));
  Command(ID_TOOL_DO_TRANSFORMATION);
  EXPECT_EQ(0, view->GetRefPointTools().GetCount());
  EXPECT_EQ(1, frame->GetProgramMode());
  // The line's slope over its length, by a straight-line fit of its middles.
  double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
  const LMyBitmap& result = Bitmap(view);
  for (int x = 200; x < result.GetWidth() - 200; x += 10) {
    const double c = LineCentre(result, x);
    if (c < 0) continue;
    n += 1;
    sx += x;
    sy += c;
    sxx += static_cast<double>(x) * x;
    sxy += x * c;
  }
  ASSERT_GT(n, 50);
  const double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
  EXPECT_LT(std::fabs(std::atan(slope) * 180 / 3.14159265358979), 0.05);
}

TEST_F(PageImageView, ReferencePointsAreGrabbedMovedAndATwoPointClickTakesThemAway) {
  CFolimarView* view = Open(PagePicture(400, 300));
  ASSERT_NE(nullptr, view);
  frame->SetProgramMode(kRotation, 1);
  EXPECT_FALSE(Enabled(view, ID_TOOL_DO_TRANSFORMATION));
  ClickPage(view, POINT{50, 60});
  ClickPage(view, POINT{300, 50});
  ASSERT_EQ(2, view->GetRefPointTools().GetCount());
  // Dragging the first one by its marker moves it.
  POINT grab = {50, 60};
  view->SetUpperLeftPageCornerTo(0, 0);
  view->PageToClient(&grab);
  Drag(view, grab, POINT{grab.x + 10, grab.y + 20});
  EXPECT_EQ(CPoint(60, 80), view->GetRefPointTools().GetHead()->GetPoint());
  EXPECT_EQ(2, view->GetRefPointTools().GetCount());
  // Two points at one height: no turn.
  view->GetRefPointTools().GetHead()->SetPoint(POINT{60, 50});
  EXPECT_EQ(0.0, view->GetRefPointsAngle());
  const size_t steps = view->GetActiveUndoManager()->GetUndoCount();
  view->DoImageStraighten();
  EXPECT_EQ(steps, view->GetActiveUndoManager()->GetUndoCount());
  // A click beside both takes them away and places none.
  ClickPage(view, POINT{200, 200});
  EXPECT_EQ(0, view->GetRefPointTools().GetCount());
}

// Two points almost one above the other make the line vertical: a small turn, not one of almost 90.
TEST_F(PageImageView, NearlyVerticalPointsTurnThePageByTheSmallAngle) {
  CFolimarView* view = Open(PagePicture(200, 150));
  ASSERT_NE(nullptr, view);
  view->AddRefPoint(POINT{100, 10});
  view->AddRefPoint(POINT{102, 140});
  view->DoImageStraighten();
  // Turned by about -0.9 degrees: the size grows by a few pixels only.
  EXPECT_LT(Bitmap(view).GetWidth(), 205);
  EXPECT_GT(Bitmap(view).GetWidth(), 200);
}

TEST_F(PageImageView, CropByADraggedAreaKeepsTheImageInPlaceAsOneStep) {
  CFolimarView* view = Open(PagePicture(300, 200));
  ASSERT_NE(nullptr, view);
  frame->SetProgramMode(kCrop, 1);
  view->SetUpperLeftPageCornerTo(0, 0);
  POINT a = {40, 30}, b = {140, 90};
  view->PageToClient(&a);
  view->PageToClient(&b);
  Drag(view, a, b);
  ASSERT_FALSE(view->GetCropTool().IsEmpty());
  const CRect area = view->GetCropTool().GetArea();
  const COLORREF corner = Bitmap(view).GetPixelColor(area.left, area.top);
  Command(ID_TOOL_DO_TRANSFORMATION);
  EXPECT_EQ(area.Width(), Bitmap(view).GetWidth());
  EXPECT_EQ(area.Height(), Bitmap(view).GetHeight());
  EXPECT_EQ(corner, Bitmap(view).GetPixelColor(0, 0));
  // The cut-out stays where it was on the page.
  POINT at = view->GetPageBitmapPos();
  view->UnitToPage(&at);
  EXPECT_NEAR(area.left, at.x, 1);
  EXPECT_NEAR(area.top, at.y, 1);
  EXPECT_TRUE(view->GetCropTool().IsEmpty());
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(300, Bitmap(view).GetWidth());
  EXPECT_EQ(0, view->GetPageBitmapPos().x);
}

TEST_F(PageImageView, WhiteCorrectionTakesTheCropAreaAsItsReference) {
  LMyBitmap* grey = new LMyBitmap;
  grey->Create(300, 200, 24);
  grey->Fill(RGB(200, 190, 180));
  grey->SetXResolution(192);  // two image pixels to a page pixel
  grey->SetYResolution(192);
  CFolimarView* view = Open(grey);
  ASSERT_NE(nullptr, view);
  frame->SetProgramMode(kWhite, 1);
  view->SetUpperLeftPageCornerTo(0, 0);
  POINT a = {10, 10}, b = {60, 40};
  view->PageToClient(&a);
  view->PageToClient(&b);
  Drag(view, a, b);
  Command(ID_TOOL_DO_TRANSFORMATION);
  EXPECT_EQ(RGB(255, 255, 255), Bitmap(view).GetPixelColor(150, 150));
  EXPECT_EQ(1, frame->GetProgramMode());
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(RGB(200, 190, 180), Bitmap(view).GetPixelColor(150, 150));
}

TEST_F(PageImageView, LoadBackgroundFromTheImageMenuPutsTheFileOnThePage) {
  CFolimarView* view = Open(PagePicture(40, 30));
  ASSERT_NE(nullptr, view);
  testing_support::TempFolder folder;
  const std::wstring png = folder.File(L"letterhead.png");
  LMyBitmap picture;
  picture.Create(64, 48, 24);
  picture.Fill(RGB(10, 20, 30));
  ASSERT_EQ(SUCCESS, picture.Save(png.c_str(), FILE_PNG));
  RunDialog([&] { Command(ID_IMAGE_LOAD_BACKGROUND); return IDOK; },
            [&](HWND) { EXPECT_TRUE(testing_support::ChooseFileInOpenDialog(frame->m_hWnd, png.c_str())); });
  ASSERT_NE(nullptr, Page(view)->m_pBitmap);
  EXPECT_EQ(64, Bitmap(view).GetWidth());
  EXPECT_EQ(RGB(10, 20, 30), Bitmap(view).GetPixelColor(5, 5));
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(40, Bitmap(view).GetWidth());
}

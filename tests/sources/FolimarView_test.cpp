// The form view in a real multiple-document program: the main frame with its main bar, a document
// template of document, child frame and view, and documents opened through it. Zoom, scrolling and
// the scale box are driven with the messages the user's actions send.
#include "FolimarView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "MainBar.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "TranspCheckMark.h"
#include "TestShape.h"
#include "TranspText.h"
#include "TranspTextLayout.h"
#include "UndoCommands.h"
#include "TestSupport.h"
#include "ViewConversions.h"
#include "resource.h"

CFolimarApp theApp;

namespace {

// Page sizes in inches.
struct PAGE_SIZE {
  double width, height;
};
const PAGE_SIZE kLetter = {8.5, 11.0};
const PAGE_SIZE kLandscapeA5 = {8.27, 5.83};
const PAGE_SIZE kCard = {2.0, 1.0};

int ScreenDpi(int index) {
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, index);
  ::ReleaseDC(nullptr, screen);
  return dpi;
}

class FolimarViewTest : public ::testing::Test {
 protected:
  testing_support::PrivateTempPath temp_;
  void SetUp() override {
    if (s_template == nullptr) {
      s_template = new CMultiDocTemplate(IDR_FOLIMARTYPE, RUNTIME_CLASS(CFolimarDoc), RUNTIME_CLASS(CMDIChildWnd),
                                         RUNTIME_CLASS(CFolimarView));
      theApp.AddDocTemplate(s_template);
    }
    frame = new CMainFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME));
    theApp.m_pMainWnd = frame;
    frame->MoveWindow(0, 0, 1000, 760);
    frame->ShowWindow(SW_SHOW);
    bar = frame->GetMainBar();
    ASSERT_NE(bar, nullptr);
    box = bar->GetScaleComboBox();
    ASSERT_NE(box, nullptr);
  }
  void TearDown() override {
    theApp.m_pMainWnd = nullptr;  // no quit message for the next test
    // New documents from pages are modified; closing them must not ask.
    for (POSITION pos = s_template->GetFirstDocPosition(); pos;) s_template->GetNextDoc(pos)->SetModifiedFlag(FALSE);
    theApp.CloseAllDocuments(FALSE);
    if (frame != nullptr) frame->DestroyWindow();
  }

  // A new document of these pages (through the application's new-document request), its child frame
  // sized so that the view's client area is about 600 x 400.
  CFolimarView* OpenDocument(const std::vector<PAGE_SIZE>& sizes) {
    NEW_DOCUMENT_REQUEST& request = theApp.m_newDocument;
    std::vector<CPageInfo*> sources;
    for (const PAGE_SIZE& size : sizes) {
      CPageInfo* page = new CPageInfo(nullptr);
      page->m_settings.width = size.width;
      page->m_settings.height = size.height;
      request.pages.AddTail(page);
      sources.push_back(page);
    }
    request.kind = NEW_DOCUMENT_REQUEST::kFromPagesList;
    CDocument* doc = s_template->OpenDocumentFile(nullptr);
    request.kind = NEW_DOCUMENT_REQUEST::kEmpty;
    request.pages.RemoveAll();
    for (CPageInfo* page : sources) delete page;
    return ViewOf(doc);
  }
  static CFolimarView* ViewOf(CDocument* doc) {
    if (doc == nullptr) return nullptr;
    POSITION pos = doc->GetFirstViewPosition();
    CView* view = pos != nullptr ? doc->GetNextView(pos) : nullptr;
    if (view == nullptr || !view->IsKindOf(RUNTIME_CLASS(CFolimarView))) return nullptr;
    view->GetParentFrame()->MoveWindow(0, 0, 640, 460);
    return static_cast<CFolimarView*>(view);
  }

  void Command(UINT id) { frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  // What the scale box sends its bar when the user picks a row from its list.
  void ChooseRow(int row) {
    box->SetCurSel(row);
    bar->SendMessage(WM_COMMAND, MAKEWPARAM(ID_COMBO_SCALE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box->m_hWnd));
    bar->SendMessage(WM_COMMAND, MAKEWPARAM(ID_COMBO_SCALE, CBN_SELENDOK), reinterpret_cast<LPARAM>(box->m_hWnd));
  }
  HWND BoxEdit() const { return ::FindWindowExW(box->m_hWnd, nullptr, L"Edit", nullptr); }
  // Types the text over the box's text, as keystrokes into its edit field.
  void TypeIntoBox(const wchar_t* text) {
    HWND edit = BoxEdit();
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    for (const wchar_t* c = text; *c; ++c) ::SendMessageW(edit, WM_CHAR, *c, 1);
  }
  // Enter in the box's edit field, through the application's message loop.
  void PressEnterInBox() {
    ::PostMessageW(BoxEdit(), WM_KEYDOWN, VK_RETURN, 1);
    Pump();
  }
  static void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!theApp.PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
      }
    }
  }
  CString BoxText() const {
    CString text;
    box->GetWindowText(text);
    return text;
  }
  static CPoint Scroll(CFolimarView* view) { return view->GetDeviceScrollPosition(); }
  static CRect Client(CFolimarView* view) {
    CRect rc;
    view->GetClientRect(&rc);
    return rc;
  }
  // The active page in view pixels.
  static CSize ViewExtent(CFolimarView* view) {
    const SIZE page = view->GetGeometry().m_pageExtent;
    CRect rc(0, 0, page.cx, page.cy);
    view->PageToView(&rc);
    return rc.Size();
  }
  static void ScrollTo(CFolimarView* view, int x, int y) { view->ScrollToPosition(CPoint(x, y)); }
  static void Wheel(CFolimarView* view, UINT keys, short delta, POINT screen) {
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(keys, delta), MAKELPARAM(screen.x, screen.y));
  }

  static CMultiDocTemplate* s_template;
  CMainFrame* frame = nullptr;
  CMainBar* bar = nullptr;
  CComboBox* box = nullptr;
};
CMultiDocTemplate* FolimarViewTest::s_template = nullptr;

TEST_F(FolimarViewTest, NewDocumentShowsItsFirstPageAtTheStoredScale) {
  CFolimarView* view = OpenDocument({kLetter});
  ASSERT_NE(view, nullptr);
  const int dpiX = ScreenDpi(LOGPIXELSX), dpiY = ScreenDpi(LOGPIXELSY);
  EXPECT_EQ(dpiX, view->GetGeometry().m_dpiX);
  EXPECT_EQ(static_cast<int>(dpiX * 8.5), view->GetGeometry().m_pageExtent.cx);
  EXPECT_EQ(static_cast<int>(dpiY * 11.0), view->GetGeometry().m_pageExtent.cy);
  EXPECT_EQ(1.0, view->GetViewScale());
  EXPECT_EQ(view->GetTotalSize(), ViewExtent(view));
  EXPECT_EQ(view->GetDocument()->GetPage(0)->m_pUndoManager, view->GetActiveUndoManager());
  EXPECT_EQ(&view->GetDocument()->GetPage(0)->m_objects, view->GetActiveObjectList());
}

TEST_F(FolimarViewTest, AnOpenedDocumentIsShownAtItsStoredScale) {
  CFolimarView* view = OpenDocument({kLetter});
  ASSERT_NE(view, nullptr);
  testing_support::TempFolder folder;
  const std::wstring path = folder.File(L"Scaled.qlm");
  view->GetDocument()->SetScale(1.5);
  ASSERT_TRUE(view->GetDocument()->OnSaveDocument(path.c_str()));
  view->GetDocument()->SetModifiedFlag(FALSE);
  theApp.CloseAllDocuments(FALSE);

  CFolimarView* opened = ViewOf(theApp.OpenDocumentFile(path.c_str()));
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(1.5, opened->GetViewScale());
  EXPECT_EQ(opened->GetTotalSize(), ViewExtent(opened));
  EXPECT_EQ(static_cast<int>(ScreenDpi(LOGPIXELSX) * 8.5 * 1.5), opened->GetTotalSize().cx);
}

TEST_F(FolimarViewTest, TheMainBarLiesAlongTheTopAboveTheDocuments) {
  CRect barRect, clientRect;
  bar->GetWindowRect(&barRect);
  ::GetWindowRect(frame->m_hWndMDIClient, &clientRect);
  EXPECT_GT(barRect.Height(), 0);
  EXPECT_EQ(barRect.bottom, clientRect.top);
  CRect boxRect;
  box->GetWindowRect(&boxRect);
  EXPECT_EQ(CMainBar::kScaleBoxWidth, boxRect.Width());
  EXPECT_LE(boxRect.Height(), barRect.Height());
}

// The zoom in and out commands from the table values, the ends of the table and a fitted zoom that
// lies between two rows; the box then shows the new percent.
TEST_F(FolimarViewTest, ZoomCommandsStepToTheNextTableValue) {
  CFolimarView* view = OpenDocument({kLetter});
  ASSERT_NE(view, nullptr);
  const struct {
    double from;
    UINT command;
    double to;
    const wchar_t* shown;
  } cases[] = {
      {1.0, ID_ZOOM_IN, 1.25, L"125%"},  {1.0, ID_ZOOM_OUT, -1.33333331, L"75%"}, {8.0, ID_ZOOM_IN, 8.0, L"800%"},
      {-10.0, ID_ZOOM_OUT, -10.0, L"10%"}, {-0.8, ID_ZOOM_IN, 1.5, L"150%"},     {-0.8, ID_ZOOM_OUT, 1.0, L"100%"},
  };
  for (const auto& c : cases) {
    view->SetViewScale(c.from);
    Command(c.command);
    EXPECT_EQ(c.to, view->GetViewScale()) << c.from << " " << c.command;
    EXPECT_STREQ(c.shown, BoxText()) << c.from << " " << c.command;
    EXPECT_EQ(view->GetTotalSize(), ViewExtent(view)) << "the scroll size follows the zoom";
  }
}

TEST_F(FolimarViewTest, ZoomingKeepsThePagePointAtTheTopLeftCorner) {
  CFolimarView* view = OpenDocument({kLetter});
  ASSERT_NE(view, nullptr);
  ScrollTo(view, 200, 300);
  ASSERT_EQ(CPoint(200, 300), Scroll(view));
  Command(ID_ZOOM_IN);
  EXPECT_EQ(CPoint(250, 375), Scroll(view));
  POINT corner = {0, 0};
  view->ClientToPage(&corner);
  EXPECT_EQ(200, corner.x);
  EXPECT_EQ(300, corner.y);
  Command(ID_ZOOM_OUT);
  EXPECT_EQ(CPoint(200, 300), Scroll(view));
}

TEST_F(FolimarViewTest, TypingAPercentAndEnterEqualsChoosingItsRow) {
  CFolimarView* view = OpenDocument({kLetter});
  ASSERT_NE(view, nullptr);
  TypeIntoBox(L"75");
  PressEnterInBox();
  const double typed = view->GetViewScale();
  EXPECT_EQ(g_zoomTable[6].zoom, typed);
  EXPECT_STREQ(L"75%", BoxText());

  view->SetViewScale(1.0);
  ChooseRow(6);
  EXPECT_EQ(typed, view->GetViewScale());

  TypeIntoBox(L"150");
  PressEnterInBox();
  EXPECT_EQ(1.5, view->GetViewScale());
  EXPECT_STREQ(L"150%", BoxText());
  // A number past the table's largest zoom is held at 800 %, and the box says so.
  TypeIntoBox(L"1000");
  PressEnterInBox();
  EXPECT_EQ(8.0, view->GetViewScale());
  EXPECT_STREQ(L"800%", BoxText());
}

TEST_F(FolimarViewTest, TheFitRowsFitThePageToTheWindow) {
  CFolimarView* view = OpenDocument({kLetter});
  ASSERT_NE(view, nullptr);
  ChooseRow(ZOOM_ROW_FIT_TO_WIDTH);
  CSize extent = ViewExtent(view);
  CRect client = Client(view);
  EXPECT_LE(extent.cx, client.Width());
  EXPECT_GE(extent.cx, client.Width() - 6) << "the page fills the width";
  EXPECT_GT(extent.cy, client.Height()) << "a Letter page is taller than it is wide";
  CString shown;
  shown.Format(L"%d%%", ZoomToPercent(view->GetViewScale()));
  EXPECT_STREQ(shown, BoxText());

  ChooseRow(ZOOM_ROW_FIT_TO_WINDOW);
  extent = ViewExtent(view);
  client = Client(view);
  EXPECT_LE(extent.cx, client.Width());
  EXPECT_LE(extent.cy, client.Height());
  EXPECT_GE(extent.cy, client.Height() - 6) << "the height is what limits a Letter page";
  shown.Format(L"%d%%", ZoomToPercent(view->GetViewScale()));
  EXPECT_STREQ(shown, BoxText());
}

TEST_F(FolimarViewTest, FitToWindowMagnifiesASmallPage) {
  CFolimarView* view = OpenDocument({kCard});
  ASSERT_NE(view, nullptr);
  Command(ID_TOOLBAR_FIT_TO_WINDOW);
  const double zoom = view->GetViewScale();
  EXPECT_LT(zoom, 0.0);
  EXPECT_GT(zoom, -1.0) << "a divisor below 1 magnifies";
  const CSize extent = ViewExtent(view);
  const CRect client = Client(view);
  EXPECT_GT(extent.cx, ScreenDpi(LOGPIXELSX) * 2);
  EXPECT_LE(extent.cx, client.Width());
  EXPECT_GE(extent.cx, client.Width() * 0.95) << "the width is what limits a 2 x 1 inch card";
}

// An empty client area (a minimised or squeezed window) leaves the fits at their starting zoom, and
// the box shows that zoom rather than the row chosen.
TEST_F(FolimarViewTest, FitsWithoutAClientAreaKeepTheirStartingZoom) {
  CFolimarView* view = OpenDocument({kLetter});
  ASSERT_NE(view, nullptr);
  view->MoveWindow(0, 0, 0, 0);
  ASSERT_TRUE(Client(view).IsRectEmpty());
  const struct {
    int row;
    double zoom;
    const wchar_t* shown;
  } cases[] = {{ZOOM_ROW_FIT_TO_WINDOW, 0.5, L"50%"}, {ZOOM_ROW_FIT_TO_WIDTH, 8.0, L"800%"}};
  for (const auto& c : cases) {
    view->SetViewScale(1.0);
    ChooseRow(c.row);
    EXPECT_EQ(c.zoom, view->GetViewScale()) << c.row;
    EXPECT_STREQ(c.shown, BoxText()) << c.row;
  }
}

// Ctrl + wheel zooms in (up) or out (down) around the cursor: the page point under it stays there.
TEST_F(FolimarViewTest, CtrlWheelKeepsThePagePointUnderTheCursor) {
  CFolimarView* view = OpenDocument({kLetter});
  ASSERT_NE(view, nullptr);
  view->SetViewScale(2.0);
  ScrollTo(view, 400, 300);
  const POINT cursor = {150, 100};
  POINT screen = cursor;
  view->ClientToScreen(&screen);
  const struct {
    short delta;
    double zoom;
  } steps[] = {{WHEEL_DELTA, 4.0}, {-WHEEL_DELTA, 2.0}, {-WHEEL_DELTA, 1.5}};
  for (const auto& step : steps) {
    POINT before = cursor;
    view->ClientToPage(&before);
    Wheel(view, MK_CONTROL, step.delta, screen);
    EXPECT_EQ(step.zoom, view->GetViewScale()) << step.delta;
    POINT after = cursor;
    view->ClientToPage(&after);
    EXPECT_EQ(before.x, after.x) << step.zoom;
    EXPECT_EQ(before.y, after.y) << step.zoom;
  }
}

TEST_F(FolimarViewTest, CtrlWheelOutsideTheWindowKeepsTheCentre) {
  CFolimarView* view = OpenDocument({kLetter});
  ASSERT_NE(view, nullptr);
  view->SetViewScale(2.0);
  ScrollTo(view, 400, 300);
  const CRect client = Client(view);
  POINT outside = {client.right + 200, client.bottom + 200};
  view->ClientToScreen(&outside);
  POINT before = client.CenterPoint();
  view->ClientToPage(&before);
  Wheel(view, MK_CONTROL, WHEEL_DELTA, outside);
  EXPECT_EQ(4.0, view->GetViewScale());
  POINT after = client.CenterPoint();
  view->ClientToPage(&after);
  EXPECT_EQ(before.x, after.x);
  EXPECT_EQ(before.y, after.y);
}

TEST_F(FolimarViewTest, PlainWheelScrollsWithoutZooming) {
  CFolimarView* view = OpenDocument({kLetter});
  ASSERT_NE(view, nullptr);
  POINT screen = {10, 10};
  view->ClientToScreen(&screen);
  Wheel(view, 0, -WHEEL_DELTA, screen);
  EXPECT_EQ(1.0, view->GetViewScale());
  EXPECT_GT(Scroll(view).y, 0);
}

// Every conversion gives the same through the view's member, the free function objects call with an
// untyped view, and an object's own conversion through the base's table.
TEST_F(FolimarViewTest, FreeFunctionsAndObjectsConvertAsTheView) {
  CFolimarView* view = OpenDocument({kLetter});
  ASSERT_NE(view, nullptr);
  view->SetViewScale(2.0);
  ScrollTo(view, 37, 51);
  ASSERT_EQ(CPoint(37, 51), Scroll(view));
  CTestShape shape(view);
  typedef void (CFolimarView::*ViewPoint)(POINT*) const;
  typedef void (CFolimarView::*ViewRect)(RECT*) const;
  typedef void (CTranspBaseClass::*ObjectPoint)(POINT*);
  typedef void (CTranspBaseClass::*ObjectRect)(RECT*);
  const struct {
    const char* name;
    ViewPoint viewPoint;
    ViewRect viewRect;
    void (*freePoint)(CWnd*, POINT*);
    void (*freeRect)(CWnd*, RECT*);
    ObjectPoint objectPoint;
    ObjectRect objectRect;
  } conversions[] = {
      {"ClientToPage", &CFolimarView::ClientToPage, &CFolimarView::ClientToPage, ClientToPagePt, ClientToPageRc,
       &CTranspBaseClass::ClientToPage, &CTranspBaseClass::ClientToPage},
      {"PageToClient", &CFolimarView::PageToClient, &CFolimarView::PageToClient, PageToClientPt, PageToClientRc,
       &CTranspBaseClass::PageToClient, &CTranspBaseClass::PageToClient},
      {"PageToView", &CFolimarView::PageToView, &CFolimarView::PageToView, PageToViewPt, PageToViewRc,
       &CTranspBaseClass::PageToView, &CTranspBaseClass::PageToView},
      {"ViewToPage", &CFolimarView::ViewToPage, &CFolimarView::ViewToPage, ViewToPagePt, ViewToPageRc,
       &CTranspBaseClass::ViewToPage, &CTranspBaseClass::ViewToPage},
      {"ViewToClient", &CFolimarView::ViewToClient, &CFolimarView::ViewToClient, ViewToClientPt, ViewToClientRc,
       &CTranspBaseClass::ViewToClient, &CTranspBaseClass::ViewToClient},
      {"UnitToPage", &CFolimarView::UnitToPage, &CFolimarView::UnitToPage, UnitToPagePt, UnitToPageRc,
       &CTranspBaseClass::UnitToPage, &CTranspBaseClass::UnitToPage},
      {"PageToUnit", &CFolimarView::PageToUnit, &CFolimarView::PageToUnit, PageToUnitPt, PageToUnitRc,
       &CTranspBaseClass::PageToUnit, &CTranspBaseClass::PageToUnit},
  };
  const POINT points[] = {{0, 0}, {3, 7}, {-15, 250}, {123457, 99999}};
  for (const auto& c : conversions) {
    for (const POINT& p : points) {
      POINT byView = p, byFunction = p, byObject = p;
      (view->*c.viewPoint)(&byView);
      c.freePoint(view, &byFunction);
      (shape.*c.objectPoint)(&byObject);
      EXPECT_EQ(byView.x, byFunction.x) << c.name;
      EXPECT_EQ(byView.y, byFunction.y) << c.name;
      EXPECT_EQ(byView.x, byObject.x) << c.name;
      EXPECT_EQ(byView.y, byObject.y) << c.name;
    }
    RECT byView = {3, 7, 123457, 99999}, byFunction = byView, byObject = byView;
    (view->*c.viewRect)(&byView);
    c.freeRect(view, &byFunction);
    (shape.*c.objectRect)(&byObject);
    EXPECT_TRUE(::EqualRect(&byView, &byFunction)) << c.name;
    EXPECT_TRUE(::EqualRect(&byView, &byObject)) << c.name;
  }
  // The scroll position is part of the client conversions: page 100 at zoom 2 is client 200 - 37.
  POINT page = {100, 100};
  view->PageToClient(&page);
  EXPECT_EQ(163, page.x);
  EXPECT_EQ(149, page.y);
  EXPECT_DOUBLE_EQ(2.0, view->GetFontScaleFactor());
  EXPECT_DOUBLE_EQ(view->GetFontScaleFactor(), GetFontScaleFactor(view));
  EXPECT_DOUBLE_EQ(view->GetFontScaleFactor(), CTranspBaseClass::GetViewConversions()->GetFontScaleFactor(view));
}

TEST_F(FolimarViewTest, ImageRectIsThePageImageInClientPixels) {
  CFolimarView* view = OpenDocument({kLetter});
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->GetImageRect().IsRectEmpty()) << "no page image";
  LMyBitmap* bitmap = new LMyBitmap;
  ASSERT_EQ(SUCCESS, bitmap->Create(300, 200, 24));
  view->GetDocument()->GetPage(0)->SetBitmap(bitmap);
  view->SetViewScale(2.0);
  ScrollTo(view, 40, 30);
  EXPECT_EQ(CRect(-40, -30, 560, 370), view->GetImageRect());
}

TEST_F(FolimarViewTest, SetActivePageTakesThePagesExtentAndLists) {
  CFolimarView* view = OpenDocument({kLetter, kLandscapeA5});
  ASSERT_NE(view, nullptr);
  CFolimarDoc* doc = view->GetDocument();
  ASSERT_EQ(2, doc->GetPageCount());
  CTestShape first(nullptr, 0), second(nullptr, 1);
  doc->GetPage(0)->m_objects.AddTail(&first);
  doc->GetPage(1)->m_objects.AddTail(&second);
  view->SetViewScale(2.0);

  view->SetActivePage(1);
  EXPECT_EQ(1, view->GetActivePage());
  const int dpiX = ScreenDpi(LOGPIXELSX), dpiY = ScreenDpi(LOGPIXELSY);
  EXPECT_EQ(CSize(static_cast<int>(dpiX * 8.27) * 2, static_cast<int>(dpiY * 5.83) * 2), view->GetTotalSize());
  EXPECT_EQ(&doc->GetPage(1)->m_objects, view->GetActiveObjectList());
  EXPECT_EQ(doc->GetPage(1)->m_pUndoManager, view->GetActiveUndoManager());
  EXPECT_EQ(view, first.GetView()) << "every object of every page gets the view";
  EXPECT_EQ(view, second.GetView());
  EXPECT_EQ(view->m_hWnd, ::GetFocus());

  for (int outOfRange : {2, -1}) {
    view->SetActivePage(outOfRange);
    EXPECT_EQ(1, view->GetActivePage()) << outOfRange;
    EXPECT_EQ(&doc->GetPage(1)->m_objects, view->GetActiveObjectList()) << outOfRange;
  }
  doc->GetPage(0)->m_objects.RemoveAll();
  doc->GetPage(1)->m_objects.RemoveAll();
}

// Printer metrics of the application in page pixels: a 600 dpi printer's area at the screen's dpi,
// the paper from millimetres; without a printer nothing is printable.
TEST_F(FolimarViewTest, PrinterMetricsComeInPagePixels) {
  CFolimarView* view = OpenDocument({kLetter});
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(0, view->GetPrinterPage().printable.cx);
  theApp.m_printerMetrics = {600, 600, 4800, 6360, 100, 120, 215.9, 279.4};
  view->UpdatePrinterSettings();
  theApp.m_printerMetrics = {};
  const int dpiX = ScreenDpi(LOGPIXELSX), dpiY = ScreenDpi(LOGPIXELSY);
  EXPECT_EQ(600, view->GetPrinterDpiX());
  EXPECT_EQ(std::lround(4800.0 * dpiX / 600), view->GetPrinterPage().printable.cx);
  EXPECT_EQ(std::lround(6360.0 * dpiY / 600), view->GetPrinterPage().printable.cy);
  EXPECT_EQ(std::lround(8.5 * dpiX), view->GetPrinterPage().paper.cx);
  EXPECT_EQ(std::lround(11.0 * dpiY), view->GetPrinterPage().paper.cy);
}

// The document passes a printer change on to its views.
TEST_F(FolimarViewTest, TheDocumentTellsItsViewsOfANewPrinter) {
  CFolimarView* view = OpenDocument({kLetter});
  ASSERT_NE(view, nullptr);
  theApp.m_printerMetrics = {300, 300, 2400, 3180, 50, 60, 215.9, 279.4};
  view->GetDocument()->UpdatePrinterSettings();
  theApp.m_printerMetrics = {};
  EXPECT_EQ(300, view->GetPrinterDpiX());
  EXPECT_EQ(std::lround(2400.0 * ScreenDpi(LOGPIXELSX) / 300), view->GetPrinterPage().printable.cx);
}

TEST_F(FolimarViewTest, ZoomWorksWithoutAMainFrame) {
  CFolimarView* view = OpenDocument({kLetter});
  ASSERT_NE(view, nullptr);
  Command(ID_ZOOM_IN);
  const CString shown = BoxText();
  theApp.m_pMainWnd = nullptr;
  view->SendMessage(WM_COMMAND, MAKEWPARAM(ID_ZOOM_IN, 0), 0);
  EXPECT_EQ(1.5, view->GetViewScale());
  view->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TOOLBAR_FIT_TO_WINDOW, 0), 0);
  EXPECT_LT(ZoomMagnification(view->GetViewScale()), 0.5) << "a Letter page fits a 400-pixel window below 50 %";
  theApp.m_pMainWnd = frame;
  EXPECT_STREQ(shown, BoxText()) << "nothing reached the box";
}

// ---- The main bar's scale box ----

TEST_F(FolimarViewTest, ScaleBoxListsTheZoomTableAndTheTwoFits) {
  ASSERT_EQ(CMainBar::kScaleBoxRows, box->GetCount());
  for (int row = 0; row < ZOOM_TABLE_ROWS; ++row) {
    CString text, expected;
    box->GetLBText(row, text);
    expected.Format(L"%d%%", g_zoomTable[row].percent);
    EXPECT_STREQ(expected, text) << row;
  }
  CString text;
  box->GetLBText(ZOOM_ROW_FIT_TO_WIDTH, text);
  EXPECT_STREQ(L"Fit to width", text);
  box->GetLBText(ZOOM_ROW_FIT_TO_WINDOW, text);
  EXPECT_STREQ(L"Fit to window", text);
  EXPECT_TRUE(box->GetStyle() & CBS_DROPDOWN);
  EXPECT_FALSE((box->GetStyle() & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST) << "the box takes typed values";
  EXPECT_EQ(ID_COMBO_SCALE, box->GetDlgCtrlID());
}

TEST_F(FolimarViewTest, ScaleBoxReadsTypedAndChosenValues) {
  box->SetCurSel(3);
  TypeIntoBox(L"130");
  EXPECT_EQ(130, frame->GetScalePercent());
  EXPECT_EQ(1, frame->GetViewScaleSelIndex()) << "a typed value selects no row";

  box->SetCurSel(ZOOM_ROW_FIT_TO_WINDOW);
  EXPECT_EQ(100, frame->GetScalePercent());
  EXPECT_EQ(ZOOM_ROW_FIT_TO_WINDOW, frame->GetViewScaleSelIndex());

  box->SetCurSel(6);
  EXPECT_EQ(75, frame->GetScalePercent());
  EXPECT_EQ(6, frame->GetViewScaleSelIndex());

  const struct {
    const wchar_t* text;
    int percent;
  } typed[] = {{L"", 100}, {L"wide", 100}, {L"62%", 62}, {L"  45 %", 45}};
  for (const auto& t : typed) {
    box->SetCurSel(-1);
    bar->SetScalePercent(t.text);
    EXPECT_EQ(t.percent, bar->GetScalePercent()) << std::wstring(t.text).c_str();
  }
  frame->SetScalePercent(62);
  EXPECT_STREQ(L"62%", BoxText());
}

TEST_F(FolimarViewTest, ABarWithoutAScaleBoxGivesTheNeutralValues) {
  CMainBar empty;
  EXPECT_EQ(nullptr, empty.GetScaleComboBox());
  EXPECT_EQ(0, empty.GetScaleSelIndex());
  EXPECT_EQ(100, empty.GetScalePercent());
  empty.SetScalePercent(L"50%");
}

}  // namespace

// Objects and undo commands reach the view through their links: a changed object marks the view's
// document modified, an edit command finds the view's window, and a text field cut back to the page
// learns the page's size.
TEST_F(FolimarViewTest, ObjectsAndCommandsReachTheViewThroughTheirLinks) {
  CFolimarView::InstallViewLinks();
  CFolimarView* view = OpenDocument({{8.5, 11.0}});
  ASSERT_NE(view, nullptr);
  CFolimarDoc* doc = view->GetDocument();
  doc->SetModifiedFlag(FALSE);

  CTranspText field(view, 0);
  field.SetModified();
  EXPECT_TRUE(doc->IsModified());

  const UNDO_VIEW_LINK* undo = GetUndoViewLink();
  ASSERT_NE(undo, nullptr);
  ASSERT_NE(undo->GetWindow, nullptr);
  EXPECT_EQ(static_cast<CWnd*>(view), undo->GetWindow(view));

  // A word-wrapped box reaching past the page's right edge ends 5 page pixels before it.
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  TextWordWrap(style) = 1;
  style.boxWidth = 400000;
  const int x = 700000;
  CTranspText wide(view, x, 100000, &style, nullptr, L"one two three", 0);
  wide.DecreaseWidth();
  POINT edge = {view->GetGeometry().m_pageExtent.cx, 0}, five = {5, 0}, origin = {0, 0};
  view->PageToUnit(&edge);
  view->PageToUnit(&five);
  view->PageToUnit(&origin);
  _OBJECT_STYLE now;
  wide.CopyObjectStyle(&now);
  EXPECT_EQ(edge.x - x - (five.x - origin.x) - TEXT_BOX_MARGIN_UNITS, now.boxWidth);

  // A radio button checked on the view's active page unchecks its group there, as one step of that
  // page's undo history.
  CTranspObjectList* page = view->GetActiveObjectList();
  CommandManagerT* history = view->GetActiveUndoManager();
  ASSERT_NE(page, nullptr);
  ASSERT_NE(history, nullptr);
  const size_t stepsBefore = history->GetUndoCount();
  _OBJECT_STYLE markStyle = {};
  markStyle.checkMarkKind = 1;
  markStyle.checkMarkGroup = 2;
  const int groupField = 31;
  CTranspCheckMark* first = new CTranspCheckMark(view, 1000, 1000, &markStyle, 0);
  CTranspCheckMark* second = new CTranspCheckMark(view, 5000, 1000, &markStyle, 0);
  for (CTranspCheckMark* mark : {first, second}) mark->SetObjectStyle(nullptr, &markStyle, &groupField, 0);
  // Radio buttons of one group have names of their own: namesakes would be mirrored copies.
  first->SetName(L"Yes");
  second->SetName(L"No");
  first->SetState(1);
  page->AddTail(first);
  page->AddTail(second);
  second->InvertState();
  EXPECT_EQ(0, first->GetState());
  EXPECT_EQ(1, second->GetState());
  EXPECT_EQ(stepsBefore + 1, history->GetUndoCount());

  CTranspBaseClass::SetViewLink(nullptr);
  CTranspText::SetTextViewLink(nullptr);
  SetUndoViewLink(nullptr);
}

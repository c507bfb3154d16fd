// Designing and filling a form in a real view: the main frame, a document template and documents
// opened through it, driven by the mouse and keyboard messages a user's actions send the view window.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <typeinfo>
#include <vector>

#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "EraseList.h"
#include "FolimarView.h"
#include "PageInfo.h"
#include "LMyBitmap.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "TestSupport.h"
#include "ViewFrameFixture.h"
#include "TranspBarcode.h"
#include "TranspCheckMark.h"
#include "TranspImage.h"
#include "TranspLabel.h"
#include "TranspShapes.h"
#include "TranspText.h"
#include "undo.h"
#include "resource.h"

CFolimarApp theApp;

namespace {

enum {
  kTextField = 1, kCheckMark = 2, kRectangle = 6, kCircle = 7, kEllipse = 8, kLine = 10, kSelect = 12,
  kTabOrder = 22, kForm = 23, kLabel = 24, kBarcode = 26
};

int NoMessageBox(LPCTSTR, UINT) { return IDOK; }

// The exact class of an object, by name.
const char* KindName(CTranspBaseClass* object) {
  struct KIND {
    const std::type_info& type;
    const char* name;
  };
  static const KIND kKinds[] = {
      {typeid(CTranspRectangle), "CTranspRectangle"}, {typeid(CTranspEllipse), "CTranspEllipse"},
      {typeid(CTranspCircle), "CTranspCircle"},       {typeid(CTranspLine), "CTranspLine"},
      {typeid(CTranspText), "CTranspText"},           {typeid(CTranspLabel), "CTranspLabel"},
      {typeid(CTranspCheckMark), "CTranspCheckMark"}, {typeid(CTranspBarcode), "CTranspBarcode"},
      {typeid(CTranspImage), "CTranspImage"},
  };
  for (const KIND& kind : kKinds)
    if (typeid(*object) == kind.type) return kind.name;
  return "unknown";
}

class ViewEditingTest : public ::testing::Test {
 protected:
  testing_support::PrivateTempPath temp_;
  void SetUp() override {
    ASSERT_TRUE(view_frame_.Start());
    frame = view_frame_.frame;
  }
  void TearDown() override { view_frame_.Stop(); }

  // A new document of one Letter page, its view's client area about 600 x 400 at 100 %.
  CFolimarView* OpenDocument() {
    CPageInfo* page = new CPageInfo(nullptr);
    page->m_settings.width = 8.5;
    page->m_settings.height = 11.0;
    return OpenFromPage(page);
  }
  CFolimarView* OpenFromPage(CPageInfo* page) { return view_frame_.OpenFromPage(page); }
  static CFolimarView* ViewOf(CDocument* doc) { return fixtures::ViewFrame::ViewOf(doc); }

  // A document whose one page holds the picture of an image file, sized by its resolution (as a
  // scanned page comes in).
  CFolimarView* OpenImageDocument(const std::wstring& path) {
    LMyBitmap* bitmap = new LMyBitmap;
    bitmap->Load(path.c_str());
    if (!bitmap->IsAllocated()) {
      delete bitmap;
      return nullptr;
    }
    const int dpiX = bitmap->GetXResolution() > 0 ? bitmap->GetXResolution() : 96;
    const int dpiY = bitmap->GetYResolution() > 0 ? bitmap->GetYResolution() : 96;
    CPageInfo* page = new CPageInfo(nullptr);
    page->m_settings.width = static_cast<double>(bitmap->GetWidth()) / dpiX;
    page->m_settings.height = static_cast<double>(bitmap->GetHeight()) / dpiY;
    page->SetBitmap(bitmap);
    return OpenFromPage(page);
  }

  void Mode(int mode) { frame->SetProgramMode(mode, 1); }
  static void Press(CWnd* view, UINT message, UINT keys, POINT p) {
    view->SendMessage(message, keys, MAKELPARAM(p.x, p.y));
  }
  // A left-button drag from a to b in steps, as the mouse sends it.
  static void Drag(CWnd* view, POINT a, POINT b, UINT keys = 0) {
    Press(view, WM_LBUTTONDOWN, MK_LBUTTON | keys, a);
    for (int i = 1; i <= 4; ++i) {
      POINT p = {a.x + (b.x - a.x) * i / 4, a.y + (b.y - a.y) * i / 4};
      Press(view, WM_MOUSEMOVE, MK_LBUTTON | keys, p);
    }
    Press(view, WM_LBUTTONUP, keys, b);
  }
  static void Click(CWnd* view, POINT p, UINT keys = 0) { Drag(view, p, p, keys); }
  static void Key(CWnd* view, UINT key) {
    view->SendMessage(WM_KEYDOWN, key, 1);
    view->SendMessage(WM_KEYUP, key, 0xC0000001);
  }
  static void Type(CWnd* view, const wchar_t* text) {
    for (const wchar_t* c = text; *c; ++c) view->SendMessage(WM_CHAR, *c, 1);
  }
  // Shift held as the keyboard state the view reads.
  static void SetShift(bool down) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
  }
  static std::vector<CTranspBaseClass*> Live(CFolimarView* view) {
    std::vector<CTranspBaseClass*> out;
    CTranspObjectList* list = view->GetActiveObjectList();
    for (POSITION pos = list->GetHeadPosition(); pos;) {
      CTranspBaseClass* object = list->GetNext(pos);
      if (!object->IsDeleted()) out.push_back(object);
    }
    return out;
  }
  // An object's align rectangle in the view's client pixels.
  static CRect OnScreen(CFolimarView* view, CTranspBaseClass* object) {
    RECT r;
    object->GetAlignRect(&r);
    view->UnitToPage(&r);
    view->PageToClient(&r);
    CRect rc(r);
    rc.NormalizeRect();
    return rc;
  }
  static void ExpectNear(const CRect& expected, const CRect& actual, int tolerance) {
    EXPECT_NEAR(expected.left, actual.left, tolerance) << "left";
    EXPECT_NEAR(expected.top, actual.top, tolerance) << "top";
    EXPECT_NEAR(expected.right, actual.right, tolerance) << "right";
    EXPECT_NEAR(expected.bottom, actual.bottom, tolerance) << "bottom";
  }
  static size_t UndoCount(CFolimarView* view) { return view->GetActiveUndoManager()->GetUndoCount(); }
  static void Command(CWnd* view, UINT id) { view->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  fixtures::ViewFrame view_frame_;
  CMainFrame* frame = nullptr;
};

// ---- Drawing modes ----

struct DRAW_CASE {
  int mode;
  const char* className;
  POINT from, to;
};

class DrawingModeTest : public ViewEditingTest, public ::testing::WithParamInterface<DRAW_CASE> {};

// Each shape tool makes its kind spanning the dragged rectangle, and the file keeps it there.
TEST_P(DrawingModeTest, DraggingCreatesTheKindAtTheRectangle) {
  const DRAW_CASE& c = GetParam();
  CFolimarView* view = OpenDocument();
  ASSERT_NE(view, nullptr);
  Mode(c.mode);
  Drag(view, c.from, c.to);
  std::vector<CTranspBaseClass*> objects = Live(view);
  ASSERT_EQ(1u, objects.size());
  EXPECT_STREQ(c.className, KindName(objects[0]));
  CRect expected(c.from, c.to);
  expected.NormalizeRect();
  if (c.mode == kCircle) {
    const int r = static_cast<int>(std::sqrt(double((c.to.x - c.from.x) * (c.to.x - c.from.x) +
                                                    (c.to.y - c.from.y) * (c.to.y - c.from.y))));
    expected = CRect(c.from.x - r, c.from.y - r, c.from.x + r, c.from.y + r);
  }
  const CRect made = OnScreen(view, objects[0]);
  ExpectNear(expected, made, 2);
  EXPECT_EQ(1u, UndoCount(view));
  EXPECT_TRUE(view->GetDocument()->IsModified());

  // Saved and opened again: the same kind over the same rectangle.
  testing_support::TempFolder folder;
  const std::wstring path = folder.File(L"Drawn.rud");
  ASSERT_TRUE(view->GetDocument()->OnSaveDocument(path.c_str()));
  view->GetDocument()->SetModifiedFlag(FALSE);
  theApp.CloseAllDocuments(FALSE);
  CFolimarView* opened = ViewOf(theApp.OpenDocumentFile(path.c_str()));
  ASSERT_NE(opened, nullptr);
  objects = Live(opened);
  ASSERT_EQ(1u, objects.size());
  EXPECT_STREQ(c.className, KindName(objects[0]));
  ExpectNear(made, OnScreen(opened, objects[0]), 1);
}

INSTANTIATE_TEST_SUITE_P(Shapes, DrawingModeTest,
                         ::testing::Values(DRAW_CASE{kRectangle, "CTranspRectangle", {60, 50}, {180, 130}},
                                           DRAW_CASE{kEllipse, "CTranspEllipse", {200, 40}, {90, 120}},
                                           DRAW_CASE{kCircle, "CTranspCircle", {150, 150}, {180, 190}},
                                           DRAW_CASE{kLine, "CTranspLine", {40, 200}, {240, 260}}));

// The click tools put their kind with its top-left corner at the clicked point.
struct CLICK_CASE {
  int mode;
  const char* className;
  BOOL field;
};

class ClickModeTest : public ViewEditingTest, public ::testing::WithParamInterface<CLICK_CASE> {};

TEST_P(ClickModeTest, AClickOnEmptyPageCreatesTheKindThere) {
  const CLICK_CASE& c = GetParam();
  CFolimarView* view = OpenDocument();
  ASSERT_NE(view, nullptr);
  Mode(c.mode);
  const POINT at = {120, 90};
  Click(view, at);
  std::vector<CTranspBaseClass*> objects = Live(view);
  ASSERT_EQ(1u, objects.size());
  EXPECT_STREQ(c.className, KindName(objects[0]));
  const CRect made = OnScreen(view, objects[0]);
  EXPECT_NEAR(at.x, made.left, 3);
  EXPECT_FALSE(made.IsRectEmpty());
  EXPECT_FALSE(objects[0]->GetName().IsEmpty());
  EXPECT_TRUE(objects[0]->IsFocused());
  CPageInfo* page = view->GetDocument()->GetPage(0);
  EXPECT_EQ(c.field ? 1 : 0, page->m_table.GetFieldCount());
  if (c.field) {
    EXPECT_EQ(1, objects[0]->GetTabOrderIndex());
  }
}

INSTANTIATE_TEST_SUITE_P(Clicks, ClickModeTest,
                         ::testing::Values(CLICK_CASE{kTextField, "CTranspText", TRUE},
                                           CLICK_CASE{kCheckMark, "CTranspCheckMark", TRUE},
                                           CLICK_CASE{kLabel, "CTranspLabel", FALSE},
                                           CLICK_CASE{kBarcode, "CTranspBarcode", FALSE}));

// Degenerate drags create nothing.
TEST_F(ViewEditingTest, EmptyRectanglesCirclesAndLinesCreateNothing) {
  CFolimarView* view = OpenDocument();
  ASSERT_NE(view, nullptr);
  const struct {
    int mode;
    POINT from, to;
  } cases[] = {{kRectangle, {50, 50}, {50, 120}}, {kEllipse, {50, 50}, {140, 50}}, {kCircle, {80, 80}, {80, 80}},
               {kLine, {90, 90}, {90, 90}}};
  for (const auto& c : cases) {
    Mode(c.mode);
    Drag(view, c.from, c.to);
    EXPECT_TRUE(Live(view).empty()) << "mode " << c.mode;
  }
  EXPECT_EQ(0u, UndoCount(view));
}

// A click outside the page does nothing: no object, no capture.
TEST_F(ViewEditingTest, AClickOutsideThePageDoesNothing) {
  CFolimarView* view = OpenDocument();
  ASSERT_NE(view, nullptr);
  view->SetViewScale(-4);  // the page is now smaller than the window
  const CRect page = view->GetPageRect();
  Mode(kTextField);
  Click(view, CPoint(page.right + 10, page.top + 5));
  EXPECT_TRUE(Live(view).empty());
  EXPECT_NE(view->m_hWnd, ::GetCapture());
}

// ---- Select mode ----

// Moving one selected object is one undo step, undone and redone as one.
TEST_F(ViewEditingTest, MovingASelectedObjectIsOneUndoStep) {
  CFolimarView* view = OpenDocument();
  ASSERT_NE(view, nullptr);
  Mode(kRectangle);
  Drag(view, {60, 60}, {160, 120});
  CTranspBaseClass* rect = Live(view).at(0);
  const CRect before = OnScreen(view, rect);
  Mode(kSelect);
  Click(view, {100, 60});
  ASSERT_TRUE(rect->IsSelected());
  const size_t steps = UndoCount(view);
  Drag(view, {100, 60}, {140, 90});
  const CRect after = OnScreen(view, rect);
  ExpectNear(CRect(before.left + 40, before.top + 30, before.right + 40, before.bottom + 30), after, 1);
  EXPECT_EQ(steps + 1, UndoCount(view));
  Command(view, ID_EDIT_UNDO);
  ExpectNear(before, OnScreen(view, rect), 1);
  Command(view, ID_EDIT_REDO);
  ExpectNear(after, OnScreen(view, rect), 1);
}

// A rubber band selects what it meets; a group move of both is one step; releasing where it started
// records nothing.
TEST_F(ViewEditingTest, RubberBandSelectsAndAGroupMovesAsOneStep) {
  CFolimarView* view = OpenDocument();
  ASSERT_NE(view, nullptr);
  Mode(kRectangle);
  Drag(view, {40, 40}, {100, 80});
  Mode(kEllipse);
  Drag(view, {140, 60}, {220, 120});
  Mode(kRectangle);
  Drag(view, {300, 250}, {340, 290});
  std::vector<CTranspBaseClass*> objects = Live(view);
  ASSERT_EQ(3u, objects.size());
  Mode(kSelect);
  Drag(view, {30, 30}, {230, 130});
  EXPECT_TRUE(objects[0]->IsSelected());
  EXPECT_TRUE(objects[1]->IsSelected());
  EXPECT_FALSE(objects[2]->IsSelected());
  EXPECT_EQ(2, view->GetSelectedObjectsCount());

  const CRect a = OnScreen(view, objects[0]), b = OnScreen(view, objects[1]);
  const size_t steps = UndoCount(view);
  Drag(view, {70, 40}, {70, 40});
  EXPECT_EQ(steps, UndoCount(view));
  Drag(view, {70, 40}, {95, 60});
  EXPECT_EQ(steps + 1, UndoCount(view));
  ExpectNear(CRect(a.left + 25, a.top + 20, a.right + 25, a.bottom + 20), OnScreen(view, objects[0]), 1);
  ExpectNear(CRect(b.left + 25, b.top + 20, b.right + 25, b.bottom + 20), OnScreen(view, objects[1]), 1);
  Command(view, ID_EDIT_UNDO);
  ExpectNear(a, OnScreen(view, objects[0]), 1);
  ExpectNear(b, OnScreen(view, objects[1]), 1);
  Command(view, ID_EDIT_REDO);
  ExpectNear(CRect(a.left + 25, a.top + 20, a.right + 25, a.bottom + 20), OnScreen(view, objects[0]), 1);
}

TEST_F(ViewEditingTest, CtrlClickTogglesOneObjectsSelection) {
  CFolimarView* view = OpenDocument();
  ASSERT_NE(view, nullptr);
  Mode(kRectangle);
  Drag(view, {40, 40}, {100, 80});
  Drag(view, {140, 40}, {200, 80});
  std::vector<CTranspBaseClass*> objects = Live(view);
  Mode(kSelect);
  Click(view, {70, 40});
  Click(view, {170, 40}, MK_CONTROL);
  EXPECT_TRUE(objects[0]->IsSelected());
  EXPECT_TRUE(objects[1]->IsSelected());
  Click(view, {70, 40}, MK_CONTROL);
  EXPECT_FALSE(objects[0]->IsSelected());
  EXPECT_TRUE(objects[1]->IsSelected());
}

// Where two objects overlap the one drawn last is hit; drawing modes skip fields.
TEST_F(ViewEditingTest, TheHitTestTakesTheTopmostObjectTheModeReaches) {
  CFolimarView* view = OpenDocument();
  ASSERT_NE(view, nullptr);
  Mode(kRectangle);
  Drag(view, {40, 40}, {200, 160});
  Drag(view, {80, 80}, {240, 200});
  Mode(kTextField);
  Click(view, {300, 300});
  std::vector<CTranspBaseClass*> objects = Live(view);
  ASSERT_EQ(3u, objects.size());
  Mode(kSelect);
  EXPECT_EQ(objects[1], view->PtInObject(CPoint(120, 80)));
  const CRect field = OnScreen(view, objects[2]);
  EXPECT_EQ(objects[2], view->PtInObject(field.CenterPoint()));
  Mode(kRectangle);
  EXPECT_EQ(nullptr, view->PtInObject(field.CenterPoint()));
  Mode(kTextField);
  EXPECT_EQ(objects[2], view->PtInObject(field.CenterPoint()));
}

// Arrow keys nudge the selection by one page pixel without an undo step; Delete removes it as one.
TEST_F(ViewEditingTest, ArrowKeysNudgeAndDeleteRemovesTheSelection) {
  CFolimarView* view = OpenDocument();
  ASSERT_NE(view, nullptr);
  Mode(kRectangle);
  Drag(view, {40, 40}, {100, 80});
  Drag(view, {140, 40}, {200, 80});
  std::vector<CTranspBaseClass*> objects = Live(view);
  Mode(kSelect);
  Command(view, ID_EDIT_SELECT_ALL);
  ASSERT_EQ(2, view->GetSelectedObjectsCount());
  RECT before, after;
  objects[1]->GetAlignRect(&before);
  // One page pixel in units.
  POINT origin = {0, 0}, step = {1, 1};
  view->PageToUnit(&origin);
  view->PageToUnit(&step);
  const size_t steps = UndoCount(view);
  Key(view, VK_RIGHT);
  Key(view, VK_DOWN);
  objects[1]->GetAlignRect(&after);
  EXPECT_EQ(step.x - origin.x, after.left - before.left);
  EXPECT_EQ(step.y - origin.y, after.top - before.top);
  EXPECT_GT(step.x - origin.x, 0);
  EXPECT_EQ(steps, UndoCount(view));
  Key(view, VK_DELETE);
  EXPECT_TRUE(Live(view).empty());
  EXPECT_EQ(steps + 1, UndoCount(view));
  Command(view, ID_EDIT_UNDO);
  EXPECT_EQ(2u, Live(view).size());
}

// Align Left moves every selected object's left edge to the group's and is one undo step.
TEST_F(ViewEditingTest, AlignLeftLinesUpTheSelectionAsOneStep) {
  CFolimarView* view = OpenDocument();
  ASSERT_NE(view, nullptr);
  Mode(kRectangle);
  Drag(view, {40, 40}, {100, 80});
  Drag(view, {70, 120}, {150, 160});
  Drag(view, {110, 200}, {130, 240});
  std::vector<CTranspBaseClass*> objects = Live(view);
  Mode(kSelect);
  Command(view, ID_EDIT_SELECT_ALL);
  const size_t steps = UndoCount(view);
  Command(view, ID_EDIT_ALIGN_LEFT);
  for (CTranspBaseClass* object : objects) EXPECT_NEAR(40, OnScreen(view, object).left, 1);
  EXPECT_EQ(steps + 1, UndoCount(view));
  Command(view, ID_EDIT_UNDO);
  EXPECT_NEAR(110, OnScreen(view, objects[2]).left, 1);
}

// Layer changes reorder the page list, empty its history and mark the document modified (a close
// without the prompt would lose them otherwise).
TEST_F(ViewEditingTest, SendToBackReordersAndMarksTheDocumentModified) {
  CFolimarView* view = OpenDocument();
  ASSERT_NE(view, nullptr);
  Mode(kRectangle);
  Drag(view, {40, 40}, {100, 80});
  Drag(view, {140, 40}, {200, 80});
  std::vector<CTranspBaseClass*> objects = Live(view);
  ASSERT_TRUE(objects[1]->IsFocused());
  view->GetDocument()->SetModifiedFlag(FALSE);
  Command(view, ID_LAYER_SEND_TO_BACK);
  EXPECT_EQ(objects[1], view->GetActiveObjectList()->GetHead());
  EXPECT_EQ(0u, UndoCount(view));
  EXPECT_TRUE(view->GetDocument()->IsModified());
}

// A double-click on a selected object switches to the tool of its kind and gives it the focus.
TEST_F(ViewEditingTest, DoubleClickInSelectModeSwitchesToTheKindsTool) {
  CFolimarView* view = OpenDocument();
  ASSERT_NE(view, nullptr);
  const struct {
    int mode;
    POINT from, to, grip;
  } cases[] = {{kCircle, {300, 200}, {330, 200}, {300, 170}}, {kEllipse, {60, 60}, {160, 120}, {110, 60}},
               {kLine, {60, 250}, {200, 250}, {130, 250}}};
  for (const auto& c : cases) {
    Mode(c.mode);
    Drag(view, c.from, c.to);
    Mode(kSelect);
    Click(view, c.grip);
    view->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(c.grip.x, c.grip.y));
    EXPECT_EQ(c.mode, frame->GetProgramMode()) << "mode " << c.mode;
    EXPECT_NE(nullptr, view->GetActiveObject());
  }
}

// With snap to grid the press point goes to the grid line at or left of it and to the next one
// below.
TEST_F(ViewEditingTest, SnapToGridPlacesANewObjectOnTheGrid) {
  CFolimarView* view = OpenDocument();
  ASSERT_NE(view, nullptr);
  frame->SetSnapToGrid(1);
  Mode(kRectangle);
  Drag(view, {63, 47}, {180, 130});
  frame->SetSnapToGrid(0);
  CTranspBaseClass* rect = Live(view).at(0);
  RECT units;
  rect->GetAlignRect(&units);
  const int stepX = frame->GetGridStepX(), stepY = frame->GetGridStepY();
  ASSERT_GT(stepX, 0);
  POINT pressed = {63, 47};
  view->ClientToPage(&pressed);
  view->PageToUnit(&pressed);
  // The snapped point goes back through client pixels: a unit of rounding either way.
  EXPECT_NEAR(stepX * (pressed.x / stepX), units.left, 2);
  EXPECT_NEAR(stepY * (pressed.y / stepY + 1), units.top, 2);
  EXPECT_GT(units.top - pressed.y, 2);
}

// ---- Tab order and form filling ----

TEST_F(ViewEditingTest, TabOrderModeNumbersTheFieldsInTheOrderClicked) {
  CFolimarView* view = OpenDocument();
  ASSERT_NE(view, nullptr);
  Mode(kTextField);
  Click(view, {60, 40});
  Click(view, {60, 120});
  Click(view, {60, 200});
  std::vector<CTranspBaseClass*> fields = Live(view);
  ASSERT_EQ(3u, fields.size());
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TOOL_TAB_ORDER, 0), 0);
  ASSERT_EQ(kTabOrder, frame->GetProgramMode());
  Click(view, OnScreen(view, fields[2]).CenterPoint());
  Click(view, OnScreen(view, fields[1]).CenterPoint());
  Click(view, OnScreen(view, fields[0]).CenterPoint());
  EXPECT_EQ(1, fields[2]->GetTabOrderIndex());
  EXPECT_EQ(2, fields[1]->GetTabOrderIndex());
  EXPECT_EQ(3, fields[0]->GetTabOrderIndex());
  CTranspObjectList* list = view->GetActiveObjectList();
  EXPECT_EQ(fields[2], list->GetHead());
  EXPECT_EQ(fields[0], list->GetTail());
}

// In form filling mode Tab and Shift+Tab walk the fields in tab order, and typed values land in the
// current record and in a formula that uses them.
TEST_F(ViewEditingTest, FormFillingTabsThroughTheFieldsAndTypedValuesReachRecordAndFormula) {
  CFolimarView* view = OpenDocument();
  ASSERT_NE(view, nullptr);
  Mode(kTextField);
  Click(view, {60, 40});
  Click(view, {60, 120});
  Click(view, {60, 200});
  std::vector<CTranspBaseClass*> fields = Live(view);
  ASSERT_EQ(3u, fields.size());
  // The first two hold numbers, the third sums them (set up as the properties pane would, with no
  // field in the middle of an edit).
  view->DeactivateActiveObject();
  for (CTranspBaseClass* field : fields) {
    _PROPERTIES properties;
    field->GetProperties(&properties);
    properties.formatCategory = TEXT_TYPE_NUMERIC;
    properties.decimals = 0;
    field->SetProperties(properties);
    static_cast<CTranspText*>(field)->ClearValue();
  }
  CTranspText* total = static_cast<CTranspText*>(fields[2]);
  total->SetFormula(L"=" + fields[0]->GetName() + L"+" + fields[1]->GetName());
  Mode(kForm);
  Click(view, OnScreen(view, fields[0]).CenterPoint());
  ASSERT_TRUE(fields[0]->IsFocused());
  Type(view, L"12");
  view->SendMessage(WM_CHAR, VK_TAB, 1);
  EXPECT_TRUE(fields[1]->IsFocused());
  EXPECT_FALSE(fields[0]->IsFocused());
  Type(view, L"30");
  // The calculated field cannot be entered: Tab wraps round to the first.
  view->SendMessage(WM_CHAR, VK_TAB, 1);
  EXPECT_TRUE(fields[0]->IsFocused());
  SetShift(true);
  view->SendMessage(WM_CHAR, VK_TAB, 1);
  SetShift(false);
  EXPECT_TRUE(fields[1]->IsFocused());
  EXPECT_EQ(42.0, total->GetValue().GetDoubleValue());
  // The focus leaving the view puts the values into the current record.
  ::SetFocus(frame->m_hWnd);
  CPageInfo* page = view->GetDocument()->GetPage(0);
  ASSERT_EQ(1, page->m_table.GetRecordCount());
  ASSERT_EQ(3, page->m_table.GetFieldCount());
  EXPECT_EQ(12.0, page->m_table[0][0].GetDoubleValue());
  EXPECT_EQ(30.0, page->m_table[0][1].GetDoubleValue());
}

// ---- Clipboard ----

// Copy in one document, paste in another: the object format carries the object over.
TEST_F(ViewEditingTest, CopyAndPasteCarryAnObjectIntoAnotherDocument) {
  CFolimarView* first = OpenDocument();
  ASSERT_NE(first, nullptr);
  Mode(kEllipse);
  Drag(first, {60, 60}, {160, 120});
  const CRect made = OnScreen(first, Live(first).at(0));
  Command(first, ID_EDIT_COPY);
  ASSERT_TRUE(::IsClipboardFormatAvailable(CTranspBaseClass::GetClipboardFormat()));
  CFolimarView* second = OpenDocument();
  ASSERT_NE(second, nullptr);
  Command(second, ID_EDIT_PASTE);
  std::vector<CTranspBaseClass*> pasted = Live(second);
  ASSERT_EQ(1u, pasted.size());
  EXPECT_STREQ("CTranspEllipse", KindName(pasted[0]));
  EXPECT_EQ(made.Size(), OnScreen(second, pasted[0]).Size());
  EXPECT_EQ(1u, UndoCount(second));
  EXPECT_EQ(1u, Live(first).size());
}

// A group copied in select mode pastes as one undo step, its members selected.
TEST_F(ViewEditingTest, AGroupPastesAsOneStepWithItsMembersSelected) {
  CFolimarView* first = OpenDocument();
  ASSERT_NE(first, nullptr);
  Mode(kRectangle);
  Drag(first, {40, 40}, {100, 80});
  Drag(first, {140, 100}, {200, 160});
  Mode(kSelect);
  Command(first, ID_EDIT_SELECT_ALL);
  Command(first, ID_EDIT_COPY);
  CFolimarView* second = OpenDocument();
  ASSERT_NE(second, nullptr);
  Command(second, ID_EDIT_PASTE);
  std::vector<CTranspBaseClass*> pasted = Live(second);
  ASSERT_EQ(2u, pasted.size());
  EXPECT_TRUE(pasted[0]->IsSelected());
  EXPECT_TRUE(pasted[1]->IsSelected());
  const CRect a = OnScreen(second, pasted[0]), b = OnScreen(second, pasted[1]);
  EXPECT_EQ(CSize(100, 60), CSize(b.left - a.left, b.top - a.top));
  EXPECT_EQ(1u, UndoCount(second));
  Command(second, ID_EDIT_UNDO);
  EXPECT_TRUE(Live(second).empty());
}

// A bitmap on the clipboard, as a DIB or as a device bitmap, becomes a picture.
TEST_F(ViewEditingTest, APictureOnTheClipboardPastesAsAnImage) {
  for (UINT format : {static_cast<UINT>(CF_DIB), static_cast<UINT>(CF_BITMAP)}) {
    CFolimarView* view = OpenDocument();
    ASSERT_NE(view, nullptr);
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 40, 30);
    ::ReleaseDC(nullptr, screen);
    ASSERT_TRUE(::OpenClipboard(view->m_hWnd));
    ::EmptyClipboard();
    if (format == CF_BITMAP) {
      ::SetClipboardData(CF_BITMAP, bitmap);
    } else {
      BITMAPINFOHEADER header = {sizeof(header), 40, 30, 1, 24, BI_RGB};
      const DWORD bits = ((40 * 3 + 3) & ~3) * 30;
      HGLOBAL dib = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(header) + bits);
      memcpy(::GlobalLock(dib), &header, sizeof(header));
      ::GlobalUnlock(dib);
      ::SetClipboardData(CF_DIB, dib);
      ::DeleteObject(bitmap);
    }
    ::CloseClipboard();
    Mode(kRectangle);
    Command(view, ID_EDIT_PASTE);
    std::vector<CTranspBaseClass*> pasted = Live(view);
    ASSERT_EQ(1u, pasted.size()) << "format " << format;
    EXPECT_STREQ("CTranspImage", KindName(pasted[0]));
  }
}

// Text on the clipboard goes into the active text field as one undo step.
TEST_F(ViewEditingTest, ClipboardTextGoesIntoTheActiveField) {
  CFolimarView* view = OpenDocument();
  ASSERT_NE(view, nullptr);
  Mode(kTextField);
  Click(view, {60, 60});
  CTranspText* field = static_cast<CTranspText*>(Live(view).at(0));
  const size_t steps = UndoCount(view);
  ASSERT_TRUE(::OpenClipboard(view->m_hWnd));
  ::EmptyClipboard();
  const wchar_t text[] = L"Pasted";
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(text));
  memcpy(::GlobalLock(block), text, sizeof(text));
  ::GlobalUnlock(block);
  ::SetClipboardData(CF_UNICODETEXT, block);
  ::CloseClipboard();
  Command(view, ID_EDIT_PASTE);
  EXPECT_EQ(CString(L"Pasted"), field->GetText());
  EXPECT_EQ(1u, Live(view).size());
  EXPECT_EQ(steps + 1, UndoCount(view));
}

// Object data whose stated size is larger than its block, or that is too short for a head, is
// refused with nothing changed: any program can put data under the format.
TEST_F(ViewEditingTest, ADamagedObjectBlockOnTheClipboardIsRefused) {
  CFolimarView* view = OpenDocument();
  ASSERT_NE(view, nullptr);
  struct BLOCK {
    int32_t words[6];
    SIZE_T size;
  } cases[] = {
      {{4000, 1, 0, 0, 0, 0}, 24},        // a rectangle claiming 4000 bytes in 24
      {{12, 15, 3, 0, 0, 0}, 12},         // a group of three members with no room for one
      {{100, 15, 1, 2000, 0, 0}, 24},     // a group whose member claims more than the group
      {{6, 1, 0, 0, 0, 0}, 4},            // shorter than the two leading words
  };
  Mode(kSelect);
  for (const BLOCK& c : cases) {
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, c.size);
    memcpy(::GlobalLock(block), c.words, c.size);
    ::GlobalUnlock(block);
    ASSERT_TRUE(::OpenClipboard(view->m_hWnd));
    ::EmptyClipboard();
    ::SetClipboardData(CTranspBaseClass::GetClipboardFormat(), block);
    ::CloseClipboard();
    Command(view, ID_EDIT_PASTE);
    EXPECT_TRUE(Live(view).empty()) << "stated " << c.words[0];
    EXPECT_EQ(0u, UndoCount(view));
  }
}

// ---- Drag and drop ----

// A dropped file list as the shell makes it: wide paths after a DROPFILES head, a double zero at the
// end, the drop point in client pixels.
HGLOBAL FileDrop(const std::vector<std::wstring>& paths, POINT point) {
  size_t chars = 1;
  for (const std::wstring& path : paths) chars += path.size() + 1;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  DROPFILES* head = static_cast<DROPFILES*>(::GlobalLock(block));
  head->pFiles = sizeof(DROPFILES);
  head->pt = point;
  head->fWide = TRUE;
  wchar_t* text = reinterpret_cast<wchar_t*>(head + 1);
  for (const std::wstring& path : paths) {
    memcpy(text, path.c_str(), path.size() * sizeof(wchar_t));
    text += path.size() + 1;
  }
  ::GlobalUnlock(block);
  return block;
}

void WriteBmp(const std::wstring& path, int width, int height, int dpi = 0);

// A dropped picture file becomes a picture at the drop point in picture mode; a text file is refused
// with its name in the message; a long path with non-ANSI letters is read whole.
TEST_F(ViewEditingTest, ADroppedPictureFileBecomesAPicture) {
  CFolimarView* view = OpenDocument();
  ASSERT_NE(view, nullptr);
  testing_support::TempFolder folder;
  std::wstring deep = folder.File(L"\x0436\x0443\x0440\x043d\x0430\x043b");
  ::CreateDirectoryW(deep.c_str(), nullptr);
  while (deep.size() < 300) {
    deep += L"\\Ordner mit einem recht langen Namen";
    ::CreateDirectoryW(deep.c_str(), nullptr);
  }
  const std::wstring picture = deep + L"\\Bild.bmp";
  WriteBmp(picture, 60, 40);
  const std::wstring note = folder.File(L"Notiz.txt");
  ::CloseHandle(::CreateFileW(note.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  static std::vector<std::wstring> shown;
  shown.clear();
  SetMessageBoxPresenter([](LPCTSTR text, UINT) -> int {
    shown.push_back(text);
    return IDOK;
  });
  view->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(FileDrop({picture, note}, {90, 70})), 0);
  SetMessageBoxPresenter(NoMessageBox);
  std::vector<CTranspBaseClass*> objects = Live(view);
  ASSERT_EQ(1u, objects.size());
  EXPECT_STREQ("CTranspImage", KindName(objects[0]));
  EXPECT_NEAR(90, OnScreen(view, objects[0]).left, 2);
  EXPECT_EQ(25, frame->GetProgramMode());
  ASSERT_EQ(1u, shown.size());
  EXPECT_NE(std::wstring::npos, shown[0].find(L"Notiz.txt"));
}

// Dragging a selected object out of one view and dropping it on another copies it there; the source
// keeps its object where it was.
TEST_F(ViewEditingTest, DraggingAnObjectOntoAnotherViewCopiesIt) {
  ASSERT_TRUE(AfxOleInit());
  CFolimarView* source = OpenDocument();
  ASSERT_NE(source, nullptr);
  Mode(kRectangle);
  Drag(source, {60, 60}, {160, 120});
  CTranspBaseClass* rect = Live(source).at(0);
  const CRect before = OnScreen(source, rect);
  CFolimarView* target = OpenDocument();
  ASSERT_NE(target, nullptr);
  target->GetParentFrame()->MoveWindow(300, 0, 640, 460);
  // The drop lands where the cursor is: over the target's page, clear of the source's window.
  CRect targetClient;
  target->GetClientRect(&targetClient);
  POINT drop = {200, 150};
  POINT screen = drop;
  target->ClientToScreen(&screen);
  ::SetCursorPos(screen.x, screen.y);
  Mode(kSelect);
  Click(source, {100, 60});
  ASSERT_TRUE(rect->IsSelected());
  // Button down on the selection, then a move out of the source's window: the move becomes a drag
  // that drops at once (the button is no longer down).
  Press(source, WM_LBUTTONDOWN, MK_LBUTTON, {100, 60});
  Press(source, WM_MOUSEMOVE, MK_LBUTTON, {110, 70});
  Press(source, WM_MOUSEMOVE, MK_LBUTTON, {-40, 70});
  Press(source, WM_LBUTTONUP, 0, {-40, 70});
  ExpectNear(before, OnScreen(source, rect), 1);
  std::vector<CTranspBaseClass*> dropped = Live(target);
  ASSERT_EQ(1u, dropped.size());
  EXPECT_STREQ("CTranspRectangle", KindName(dropped[0]));
  EXPECT_EQ(before.Size(), OnScreen(target, dropped[0]).Size());
  EXPECT_NEAR(drop.x, OnScreen(target, dropped[0]).left, 2);
}

// ---- Eraser ----

// The eraser works in image dots: on a 300 dpi page image a square at client (60, 45) at 100 % is
// recorded about 300 / 96 times further out, not at 0 (an integer ratio of the two resolutions).
TEST_F(ViewEditingTest, TheEraserRecordsImageDotsAtTheImageResolution) {
  testing_support::TempFolder folder;
  const std::wstring image = folder.File(L"Fine.bmp");
  WriteBmp(image, 600, 600, 300);
  CFolimarView* view = OpenImageDocument(image);
  ASSERT_NE(view, nullptr);
  ASSERT_NE(nullptr, view->GetActivePageBitmap());
  ASSERT_EQ(300, view->GetActivePageBitmap()->GetXResolution());
  view->SetViewScale(1.0);
  view->ScrollToPosition(CPoint(0, 0));
  Mode(14);
  Press(view, WM_MOUSEMOVE, 0, {60, 45});
  Press(view, WM_LBUTTONDOWN, MK_LBUTTON, {60, 45});
  Press(view, WM_LBUTTONUP, 0, {60, 45});
  CEraseList* list = view->GetDocument()->GetErasedList(0);
  ASSERT_EQ(1, list->GetCount());
  const CRect erased(list->GetHead()->rect);
  EXPECT_GT(erased.Width(), 0);
  const int dpi = view->GetGeometry().m_dpiX;
  EXPECT_NEAR(60.0 * 300 / dpi, erased.CenterPoint().x, 4.0);
  EXPECT_NEAR(45.0 * 300 / view->GetGeometry().m_dpiY, erased.CenterPoint().y, 4.0);
  EXPECT_TRUE(view->GetDocument()->IsModified());
}

// ---- A user's session ----

// A 24-bit BMP file of the given size, light grey, stating `dpi` (none with 0).
void WriteBmp(const std::wstring& path, int width, int height, int dpi) {
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {sizeof(info), width, height, 1, 24, BI_RGB};
  info.biXPelsPerMeter = info.biYPelsPerMeter = static_cast<LONG>(dpi / 0.0254 + 0.5);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + stride * height;
  std::vector<BYTE> pixels(static_cast<size_t>(stride) * height, 0xC0);
  HANDLE out = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  ::WriteFile(out, &file, sizeof(file), &written, nullptr);
  ::WriteFile(out, &info, sizeof(info), &written, nullptr);
  ::WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
  ::CloseHandle(out);
}

// Open a page image, place a text field, a check mark and a barcode, fill the form, save, close and
// open again: the objects and the values are back.
TEST_F(ViewEditingTest, AUserSessionFromPageImageToSavedFilledForm) {
  testing_support::TempFolder folder;
  const std::wstring image = folder.File(L"Scan.bmp");
  WriteBmp(image, 400, 300);
  CFolimarView* view = OpenImageDocument(image);
  ASSERT_NE(view, nullptr);
  ASSERT_NE(nullptr, view->GetActivePageBitmap());
  Mode(kTextField);
  Click(view, {40, 40});
  Mode(kCheckMark);
  Click(view, {40, 120});
  Mode(kBarcode);
  Click(view, {200, 60});
  std::vector<CTranspBaseClass*> objects = Live(view);
  ASSERT_EQ(3u, objects.size());
  CTranspText* name = dynamic_cast<CTranspText*>(objects[0]);
  CTranspCheckMark* mark = dynamic_cast<CTranspCheckMark*>(objects[1]);
  ASSERT_NE(name, nullptr);
  ASSERT_NE(mark, nullptr);
  ASSERT_NE(dynamic_cast<CTranspBarcode*>(objects[2]), nullptr);

  frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TOOL_FORM_MODE, 0), 0);
  ASSERT_EQ(kForm, frame->GetProgramMode());
  Click(view, OnScreen(view, name).CenterPoint());
  Type(view, L"Ann Smith");
  view->SendMessage(WM_CHAR, VK_TAB, 1);
  ASSERT_TRUE(mark->IsFocused());
  // Space flips the check mark.
  const int state = mark->GetState();
  view->SendMessage(WM_CHAR, L' ', 1);
  EXPECT_EQ(state ? 0 : 1, mark->GetState());

  ::SetFocus(frame->m_hWnd);
  const std::wstring path = folder.File(L"Filled.rud");
  ASSERT_TRUE(view->GetDocument()->OnSaveDocument(path.c_str()));
  view->GetDocument()->SetModifiedFlag(FALSE);
  theApp.CloseAllDocuments(FALSE);

  CFolimarView* opened = ViewOf(theApp.OpenDocumentFile(path.c_str()));
  ASSERT_NE(opened, nullptr);
  objects = Live(opened);
  ASSERT_EQ(3u, objects.size());
  CTranspText* nameBack = dynamic_cast<CTranspText*>(objects[0]);
  CTranspCheckMark* markBack = dynamic_cast<CTranspCheckMark*>(objects[1]);
  ASSERT_NE(nameBack, nullptr);
  ASSERT_NE(markBack, nullptr);
  EXPECT_NE(dynamic_cast<CTranspBarcode*>(objects[2]), nullptr);
  EXPECT_EQ(CString(L"Ann Smith"), nameBack->GetText());
  EXPECT_EQ(state ? 0 : 1, markBack->GetState());
  EXPECT_NE(nullptr, opened->GetActivePageBitmap());
  CPageInfo* page = opened->GetDocument()->GetPage(0);
  ASSERT_EQ(2, page->m_table.GetFieldCount());
  EXPECT_EQ(CString(L"Ann Smith"), page->m_table[0][0].GetString());
}

}  // namespace

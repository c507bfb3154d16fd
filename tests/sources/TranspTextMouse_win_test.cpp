// A text field under the mouse in a real form view window: clicks, double-clicks, the hit codes of
// the box and resizing by its handles, moving by an edge, text drag and drop and the box commands.
// Expected points come from the view's own conversions and the comb cells, not from the field.
#include "TranspText.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "FolimarView.h"
#include "MyProcs.h"

namespace {

std::wstring W(const CString& s) { return std::wstring(static_cast<LPCTSTR>(s), s.GetLength()); }

const int kX = 100000, kY = 100000;  // the anchor: one inch in and down
const int kCell = 20000;             // comb cell, 0.2 inch

SIZE g_pageExtent = {0, 0};
BOOL PageExtent(CWnd*, SIZE* extent) {
  *extent = g_pageExtent;
  return TRUE;
}
const CTranspText::TEXT_VIEW_LINK kTextLink = {nullptr, nullptr, nullptr, nullptr, &PageExtent};
BOOL HeadersOn() { return TRUE; }
const CTranspText::TEXT_VIEW_LINK kHeadersLink = {nullptr, &HeadersOn, nullptr, nullptr, &PageExtent};
int g_mode = 0;
int ProgramMode(CWnd*) { return g_mode; }
const TRANSP_VIEW_LINK kViewLink = {&ProgramMode, nullptr};

// Hands what is dragged over the view to the field, as the view's drop target will.
class FieldDropTarget : public COleDropTarget {
 public:
  CTranspText* field = nullptr;
  DROPEFFECT OnDragEnter(CWnd*, COleDataObject* data, DWORD keys, CPoint point) override {
    return field->OnDragOver(data, keys, point);
  }
  DROPEFFECT OnDragOver(CWnd*, COleDataObject* data, DWORD keys, CPoint point) override {
    return field->OnDragOver(data, keys, point);
  }
  BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, CPoint point) override {
    return field->OnDrop(data, effect, point);
  }
};

class TextMouse : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(AfxOleInit());
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, L"Form", WS_POPUP | WS_VISIBLE, 0, 0, 700, 500, nullptr, nullptr));
    view_ = new CFolimarView;
    ASSERT_TRUE(view_->Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 700, 500), &parent_,
                              AFX_IDW_PANE_FIRST, nullptr));
    view_->OnInitialUpdate();
    CTranspText::SetTextViewLink(&kTextLink);
  }
  void TearDown() override {
    CTranspText::SetTextViewLink(nullptr);
    field_.reset();
    parent_.DestroyWindow();  // the view goes with it
  }

  CTranspText& MakeField(const wchar_t* text, int orientation = TEXT_LEFT_TO_RIGHT, BOOL comb = FALSE) {
    _OBJECT_STYLE style;
    SetDefaultTextStyle(&style);
    TextOrientation(style) = orientation;
    SetFontOrientation(style);
    TextComb(style) = comb;
    TextCombCell(style) = kCell;
    field_.reset(new CTranspText(view_, kX, kY, &style, nullptr, text, 0));
    return *field_;
  }
  // Units to client pixels through the view.
  POINT Client(double x, double y) const {
    POINT p = {RoundToInt(x), RoundToInt(y)};
    view_->UnitToPage(&p);
    view_->PageToClient(&p);
    return p;
  }
  POINT Units(POINT client) const {
    view_->ClientToPage(&client);
    view_->PageToUnit(&client);
    return client;
  }
  // A point on line 0 of a left-to-right comb text, `cells` cells along: 8 pixels above the anchor,
  // clear of the edge strips of a one-line box (4 pixels deep across the writing).
  POINT OnFirstLine(double cells) const {
    POINT p = Client(kX + cells * kCell, kY);
    p.y -= 8;
    return p;
  }
  void Click(POINT p, UINT flags = MK_LBUTTON) {
    field_->OnLButtonDown(flags, p.x, p.y);
    field_->OnLButtonUp(0, p.x, p.y);
  }

  CWnd parent_;
  CFolimarView* view_ = nullptr;
  std::unique_ptr<CTranspText> field_;
};

TEST_F(TextMouse, ClickPutsTheCaretAtTheNearestBoundary) {
  for (double zoom : {1.0, 2.0}) {
    view_->SetViewScale(zoom);
    CTranspText& field = MakeField(L"abcdef", TEXT_LEFT_TO_RIGHT, TRUE);
    const struct {
      double cells;
      int column;
    } cases[] = {{0.25, 0}, {0.75, 1}, {1.25, 1}, {1.75, 2}, {5.7, 6}, {-0.5, 0}};
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << "zoom " << zoom << " at " << c.cells << " cells");
      Click(OnFirstLine(c.cells));
      EXPECT_EQ(c.column, field.GetCaret().column);
      EXPECT_EQ(0, field.GetCaret().line);
      EXPECT_FALSE(field.HasSelection());
      EXPECT_EQ(1, field.IsFocused());
    }
  }
}

TEST_F(TextMouse, TheCaretIsDrawnWhereTheClickFoundIt) {
  CTranspText& field = MakeField(L"abcdef", TEXT_LEFT_TO_RIGHT, TRUE);
  view_->SetFocus();
  if (::GetFocus() != view_->m_hWnd) GTEST_SKIP() << "the view window did not get the keyboard focus";
  Click(OnFirstLine(1.75));
  field.RefreshView();
  POINT caret = {};
  ASSERT_TRUE(::GetCaretPos(&caret));
  EXPECT_NEAR(OnFirstLine(2).x, caret.x, 1);
}

TEST_F(TextMouse, ClickBelowTheLastLineGoesToItsEnd) {
  CTranspText& field = MakeField(L"ab\r\ncd");
  _OBJECT_STYLE style;
  field.CopyObjectStyle(&style);
  style.boxHeight = 200000;
  const int id = 0;
  field.SetObjectStyle(nullptr, &style, &id, 0);
  Click(Client(kX + 5000, kY + 150000));
  EXPECT_EQ(2, field.GetCaret().column);
  EXPECT_EQ(1, field.GetCaret().line);
}

TEST_F(TextMouse, DragSelectsAndDoubleClickSelectsAWord) {
  CTranspText& field = MakeField(L"ab cd", TEXT_LEFT_TO_RIGHT, TRUE);
  POINT from = OnFirstLine(0.9), to = OnFirstLine(4.2);
  field.OnLButtonDown(MK_LBUTTON, from.x, from.y);
  field.OnMouseMove(MK_LBUTTON, to.x, to.y);
  field.OnLButtonUp(0, to.x, to.y);
  EXPECT_EQ(L"b c", W(field.GetSelectedText()));
  // Dragged backwards: the selection's start comes first after the button is up.
  field.OnLButtonDown(MK_LBUTTON, to.x, to.y);
  field.OnMouseMove(MK_LBUTTON, from.x, from.y);
  field.OnLButtonUp(0, from.x, from.y);
  EXPECT_TRUE(field.GetSelectionStart() < field.GetSelectionEnd());
  EXPECT_EQ(L"b c", W(field.GetSelectedText()));

  const struct {
    double cells;
    const wchar_t* word;
  } cases[] = {{0.5, L"ab"}, {3.5, L"cd"}, {4.9, L"cd"}};
  for (const auto& c : cases) {
    const POINT p = OnFirstLine(c.cells);
    field.OnLButtonDblClk(MK_LBUTTON, p.x, p.y);
    EXPECT_EQ(c.word, W(field.GetSelectedText()));
    EXPECT_TRUE(field.GetCaret() == field.GetSelectionEnd());
  }
}

TEST_F(TextMouse, HandlesResizeTheBoxByOrientation) {
  // The handle point of each resizing code on the text rectangle and the way it is pulled (pixels).
  const struct {
    int orientation, code;
    BOOL width, height;
    int dx, dy;
  } cases[] = {
      {TEXT_LEFT_TO_RIGHT, TEXT_HIT_RIGHT_MIDDLE, TRUE, FALSE, 40, 0},
      {TEXT_LEFT_TO_RIGHT, TEXT_HIT_BOTTOM_MIDDLE, FALSE, TRUE, 0, 30},
      {TEXT_LEFT_TO_RIGHT, TEXT_HIT_BOTTOM_RIGHT, TRUE, TRUE, 40, 30},
      {TEXT_BOTTOM_UP, TEXT_HIT_TOP_MIDDLE, TRUE, FALSE, 0, -40},
      {TEXT_BOTTOM_UP, TEXT_HIT_RIGHT_MIDDLE, FALSE, TRUE, 30, 0},
      {TEXT_BOTTOM_UP, TEXT_HIT_TOP_RIGHT, TRUE, TRUE, 30, -40},
      {TEXT_TOP_DOWN, TEXT_HIT_BOTTOM_MIDDLE, TRUE, FALSE, 0, 40},
      {TEXT_TOP_DOWN, TEXT_HIT_LEFT_MIDDLE, FALSE, TRUE, -30, 0},
      {TEXT_TOP_DOWN, TEXT_HIT_BOTTOM_LEFT, TRUE, TRUE, -30, 40},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "orientation " << c.orientation << " handle " << c.code);
    CTranspText& field = MakeField(L"Text", c.orientation);
    RECT r;
    field.GetTextRect(&r, TRUE);
    const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
    POINT handle = {};
    switch (c.code) {
      case TEXT_HIT_RIGHT_MIDDLE: handle = {r.right, midY}; break;
      case TEXT_HIT_BOTTOM_MIDDLE: handle = {midX, r.bottom}; break;
      case TEXT_HIT_BOTTOM_RIGHT: handle = {r.right, r.bottom}; break;
      case TEXT_HIT_TOP_MIDDLE: handle = {midX, r.top}; break;
      case TEXT_HIT_TOP_RIGHT: handle = {r.right, r.top}; break;
      case TEXT_HIT_LEFT_MIDDLE: handle = {r.left, midY}; break;
      case TEXT_HIT_BOTTOM_LEFT: handle = {r.left, r.bottom}; break;
    }
    RECT box;
    field.GetAlignRect(&box);
    _OBJECT_STYLE before;
    field.CopyObjectStyle(&before);
    field.OnLButtonDown(MK_LBUTTON, handle.x, handle.y);
    EXPECT_EQ(c.code, field.GetCaptureCode());
    const POINT pulled = {handle.x + c.dx, handle.y + c.dy};
    field.OnMouseMove(MK_LBUTTON, pulled.x, pulled.y);
    const POINT p = Units(pulled);
    // Along the writing from the anchor's end, across it from the first line's side.
    const int along = c.orientation == TEXT_BOTTOM_UP ? box.bottom - p.y
                      : c.orientation == TEXT_TOP_DOWN ? p.y - box.top
                                                       : p.x - box.left;
    const int across = c.orientation == TEXT_BOTTOM_UP ? p.x - box.left
                       : c.orientation == TEXT_TOP_DOWN ? box.right - p.x
                                                        : p.y - box.top;
    _OBJECT_STYLE after;
    field.CopyObjectStyle(&after);
    EXPECT_EQ(c.width ? along : before.boxWidth, after.boxWidth);
    EXPECT_EQ(c.height ? across : before.boxHeight, after.boxHeight);
    // Pulled back to the box's fixed corner: smaller than the minimal width, ignored.
    const POINT anchor = c.orientation == TEXT_BOTTOM_UP  ? POINT{r.left, r.bottom}
                         : c.orientation == TEXT_TOP_DOWN ? POINT{r.right, r.top}
                                                          : POINT{r.left, r.top};
    field.OnMouseMove(MK_LBUTTON, anchor.x, anchor.y);
    _OBJECT_STYLE kept;
    field.CopyObjectStyle(&kept);
    EXPECT_EQ(after.boxWidth, kept.boxWidth);
    EXPECT_EQ(after.boxHeight, kept.boxHeight);
    field.OnLButtonUp(0, anchor.x, anchor.y);
    EXPECT_EQ(0, field.GetCaptureCode());
    EXPECT_GE(after.boxWidth, field.GetMinimalWidth());
  }
}

TEST_F(TextMouse, EdgesMoveTheBoxAndFixedCornersDoNothing) {
  CTranspText& field = MakeField(L"Text");
  RECT r;
  field.GetTextRect(&r, TRUE);
  const POINT top = {(r.left + r.right) / 2, r.top - 2};
  field.OnLButtonDown(MK_LBUTTON, top.x, top.y);
  EXPECT_EQ(TEXT_HIT_TOP, field.GetCaptureCode());
  field.OnMouseMove(MK_LBUTTON, top.x + 30, top.y + 20);
  field.OnLButtonUp(0, top.x + 30, top.y + 20);
  const POINT moved = Units({top.x + 30, top.y + 20}), start = Units(top);
  EXPECT_EQ(kX + moved.x - start.x, field.GetPosition().x);
  EXPECT_EQ(kY + moved.y - start.y, field.GetPosition().y);

  _OBJECT_STYLE before;
  field.CopyObjectStyle(&before);
  field.GetTextRect(&r, TRUE);
  field.OnLButtonDown(MK_LBUTTON, r.left, r.top);
  EXPECT_EQ(TEXT_HIT_TOP_LEFT, field.GetCaptureCode());
  field.OnMouseMove(MK_LBUTTON, r.left - 40, r.top - 40);
  field.OnLButtonUp(0, r.left - 40, r.top - 40);
  _OBJECT_STYLE after;
  field.CopyObjectStyle(&after);
  EXPECT_EQ(before.boxWidth, after.boxWidth);
  EXPECT_EQ(before.boxHeight, after.boxHeight);
}

TEST_F(TextMouse, TheHeaderCarriesTheBoxOutsideFormFilling) {
  CTranspText::SetTextViewLink(&kHeadersLink);
  CTranspBaseClass::SetViewLink(&kViewLink);
  for (int mode : {1, PROGRAM_MODE_FORM}) {
    SCOPED_TRACE(mode);
    g_mode = mode;
    CTranspText& field = MakeField(L"Text");
    RECT header;
    field.GetHeaderRect(&header);
    ASSERT_FALSE(::IsRectEmpty(&header));
    const POINT in = {(header.left + header.right) / 2, (header.top + header.bottom) / 2};
    field.OnLButtonDown(MK_LBUTTON, in.x, in.y);
    field.OnMouseMove(MK_LBUTTON, in.x + 30, in.y);
    field.OnLButtonUp(0, in.x + 30, in.y);
    const POINT moved = Units({in.x + 30, in.y}), start = Units(in);
    const int expected = mode == PROGRAM_MODE_FORM ? kX : kX + moved.x - start.x;
    EXPECT_EQ(expected, field.GetPosition().x);
    EXPECT_EQ(mode == PROGRAM_MODE_FORM ? 0 : 1, field.IsFocused());
  }
  g_mode = 0;
  CTranspBaseClass::SetViewLink(nullptr);
}

TEST_F(TextMouse, DroppingTheOwnSelectionFurtherOnMovesIt) {
  CTranspText& field = MakeField(L"abcdef", TEXT_LEFT_TO_RIGHT, TRUE);
  // The drag drops at once where the cursor is: put the boundary between e and f under it.
  POINT cursor = {};
  ::GetCursorPos(&cursor);
  const POINT drop = OnFirstLine(5);
  parent_.MoveWindow(cursor.x - drop.x, cursor.y - drop.y, 700, 500);
  FieldDropTarget target;
  target.field = &field;
  ASSERT_TRUE(target.Register(view_));
  field.FindAndSelect(L"ab", 0, 2);
  const POINT grab = OnFirstLine(0.5);
  field.OnLButtonDown(MK_LBUTTON, grab.x, grab.y);
  EXPECT_EQ(L"cdeabf", W(field.GetText()));
  EXPECT_FALSE(field.HasSelection());
  target.Revoke();
}

TEST_F(TextMouse, DropsOfOtherText) {
  CTranspText& field = MakeField(L"abcdef", TEXT_LEFT_TO_RIGHT, TRUE);
  COleDataSource source;
  source.CacheGlobalData(CF_UNICODETEXT, CopyStringToGlobal(L"XY"));
  COleDataObject data;
  data.Attach(source.GetDataObject(), FALSE);
  const POINT at = OnFirstLine(2);
  EXPECT_EQ(DROPEFFECT_MOVE, static_cast<DWORD>(field.OnDragOver(&data, MK_LBUTTON, at)));
  EXPECT_EQ(DROPEFFECT_COPY, static_cast<DWORD>(field.OnDragOver(&data, MK_LBUTTON | MK_CONTROL, at)));
  EXPECT_EQ(DROPEFFECT_NONE, static_cast<DWORD>(field.OnDragOver(&data, MK_CONTROL | MK_SHIFT, at)));
  const POINT outside = Client(kX - 50000, kY + 50000);
  EXPECT_EQ(DROPEFFECT_NONE, static_cast<DWORD>(field.OnDragOver(&data, MK_LBUTTON, outside)));
  EXPECT_EQ(0, field.OnDrop(&data, DROPEFFECT_LINK, at));
  EXPECT_EQ(1, field.OnDrop(&data, DROPEFFECT_COPY, at));
  EXPECT_EQ(L"abXYcdef", W(field.GetText()));
  EXPECT_EQ(4, field.GetCaret().column);

  COleDataSource other;
  other.CacheGlobalData(CF_TEXT, ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 4));
  COleDataObject noText;
  noText.Attach(other.GetDataObject(), FALSE);
  EXPECT_EQ(DROPEFFECT_NONE, static_cast<DWORD>(field.OnDragOver(&noText, MK_LBUTTON, at)));
}

TEST_F(TextMouse, BoxCommands) {
  const int dpi = view_->GetGeometry().m_dpiX;
  g_pageExtent = {static_cast<LONG>(8.5 * dpi), static_cast<LONG>(11 * dpi)};
  POINT pageEdge = {g_pageExtent.cx, 0}, fivePixels = {5, 0}, origin = {0, 0};
  view_->PageToUnit(&pageEdge);
  view_->PageToUnit(&fivePixels);
  view_->PageToUnit(&origin);
  const int five = fivePixels.x - origin.x;

  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  TextWordWrap(style) = 1;
  style.boxWidth = 200000;
  CTranspText wide(view_, 750000, kY, &style, nullptr, L"one two three four five six", 0);
  const size_t linesBefore = wide.GetLines().size();
  wide.DecreaseWidth();
  _OBJECT_STYLE now;
  wide.CopyObjectStyle(&now);
  EXPECT_EQ(pageEdge.x - 750000 - five - TEXT_BOX_MARGIN_UNITS, now.boxWidth);
  EXPECT_GT(wide.GetLines().size(), linesBefore);

  CTranspText atEdge(view_, pageEdge.x - 5000, kY, &style, nullptr, L"x", 0);
  atEdge.DecreaseWidth();
  atEdge.CopyObjectStyle(&now);
  EXPECT_EQ(atEdge.GetMinimalWidth(), now.boxWidth);

  style.boxWidth = 200000;
  TextWordWrap(style) = 0;
  CTranspText plain(view_, kX, kY, &style, nullptr, L"x", 0);
  plain.DecreaseWidth();
  plain.CopyObjectStyle(&now);
  POINT fifty = {50, 0};
  view_->PageToUnit(&fifty);
  EXPECT_EQ(fifty.x - origin.x, now.boxWidth);
  plain.DecreaseHeight();
  plain.CopyObjectStyle(&now);
  EXPECT_EQ(0, now.boxHeight);
}

}  // namespace

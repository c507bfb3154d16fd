// The property grid in a real window: rows read back, edits through clicks and keys, what reaches
// the owner, the editors of option lists, spin rows and button rows, groups, disabled rows, and the
// pixels of its looks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PropertyGridTestSupport.h"

namespace {

using grid_test::Change;
using grid_test::Click;
using grid_test::DoubleClick;
using grid_test::Key;
using grid_test::Pixels;
using grid_test::Pump;
using grid_test::Type;

constexpr UINT kGridId = 2;

// Data of the rows, as the properties pane numbers its rows.
enum : DWORD_PTR {
  kFontGroup = 100,
  kFace = 3,
  kSize = 8,
  kBold = 4,
  kColor = 20,
  kPitchGroup = 101,
  kPitchOn = 9,
  kPitch = 10,
  kName = 23,
  kTabIndex = 26,
  kScale = 40,
  kLocked = 50,
  kFormat = 28,
  kAlignment = 11,
};

// The value of a row as text, whatever its type.
std::wstring Text(const VARIANT& value) { return AfxVariantToText(value).GetString(); }

// A row like the properties pane's number-format row: not typed into, a "..." button that edits
// the value elsewhere, its own drawing and display text.
class FormatRow : public CMFCPropertyGridProperty {
 public:
  FormatRow() : CMFCPropertyGridProperty(L"Format", COleVariant(L"0;2;1"), nullptr, kFormat) {
    m_dwFlags |= AFX_PROP_HAS_BUTTON;
    AllowEdit(FALSE);
  }
  int clicks = 0;
  BOOL buttonDrawnDown = FALSE;  // the button was drawn pressed while the click ran
  CRect valueDrawnIn;
  CRect ButtonRect() const { return m_rectButton; }

  CString FormatProperty() override {
    const CString value = AfxVariantToText(GetValue());
    return value.Left(1) == L"1" ? L"Numeric" : L"Text";
  }
  void OnDrawValue(CDC* pDC, CRect rect) override {
    valueDrawnIn = rect;
    pDC->DrawText(FormatProperty(), &rect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  void OnDrawButton(CDC* pDC, CRect rect) override {
    if (clicks > 0 && m_bButtonIsDown) buttonDrawnDown = TRUE;
    CMFCPropertyGridProperty::OnDrawButton(pDC, rect);
  }
  // Stands in for the number-format dialog: it "chooses" the numeric format.
  void OnClickButton(CPoint) override {
    ++clicks;
    Redraw();
    SetValue(COleVariant(L"1;2;1"));
    m_pWndList->OnPropertyChanged(this);
  }
};

class PropertyGrid : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner.Make(L"Properties", CRect(0, 0, 460, 620)));
    ASSERT_TRUE(grid.Create(WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 400, 540), &owner, kGridId));
    ASSERT_TRUE(elsewhere.Create(WS_VISIBLE | WS_TABSTOP | WS_BORDER, CRect(0, 550, 200, 570), &owner, 9));

    auto* font = new CMFCPropertyGridProperty(L"Font", kFontGroup);
    face = new CMFCPropertyGridProperty(L"Face", COleVariant(L"Tahoma"), L"The typeface", kFace);
    for (const wchar_t* name : {L"Arial", L"Tahoma", L"Courier New"}) face->AddOption(name);
    face->AllowEdit(FALSE);
    font->AddSubItem(face);
    size = new CMFCPropertyGridProperty(L"Size", COleVariant(12L), L"Height in points", kSize);
    for (const wchar_t* s : {L"8", L"10", L"12", L"14"}) size->AddOption(s);
    font->AddSubItem(size);
    bold = new CMFCPropertyGridProperty(L"Bold", COleVariant(0L, VT_BOOL), nullptr, kBold);
    font->AddSubItem(bold);
    color = new CMFCPropertyGridColorProperty(L"Color", RGB(0, 0, 255), nullptr, L"Set font color", kColor);
    color->EnableOtherButton(L"Other...");
    font->AddSubItem(color);
    grid.AddProperty(font);

    auto* pitchGroup = new CMFCPropertyGridProperty(L"Character pitch", kPitchGroup);
    pitchOn = new CMFCPropertyGridProperty(L"Enable", COleVariant(1L, VT_BOOL), nullptr, kPitchOn);
    pitchGroup->AddSubItem(pitchOn);
    pitch = new CMFCPropertyGridProperty(L"Value", COleVariant(31L), nullptr, kPitch);
    pitch->EnableSpinControl(TRUE, 0, 3600);
    pitchGroup->AddSubItem(pitch);
    grid.AddProperty(pitchGroup);

    name = new CMFCPropertyGridProperty(L"Object name", COleVariant(L"Field1"), L"Object name", kName);
    grid.AddProperty(name);
    tabIndex = new CMFCPropertyGridProperty(L"Tab index", COleVariant(1L), nullptr, kTabIndex);
    grid.AddProperty(tabIndex);
    scale = new CMFCPropertyGridProperty(L"Scale", COleVariant(1.5), nullptr, kScale);
    grid.AddProperty(scale);
    locked = new CMFCPropertyGridProperty(L"Locked", COleVariant(L"fixed"), nullptr, kLocked);
    locked->Enable(FALSE);
    grid.AddProperty(locked);
    alignment = new CMFCPropertyGridProperty(L"Alignment", COleVariant(L"Left"), L"Set alignment", kAlignment);
    for (const wchar_t* a : {L"Left", L"Center", L"Right"}) alignment->AddOption(a);
    alignment->AllowEdit(FALSE);
    grid.AddProperty(alignment);
    format = new FormatRow;
    grid.AddProperty(format);
    Pump();
  }
  void TearDown() override {
    if (owner.m_hWnd) owner.DestroyWindow();
  }

  // A point on the value of a row, clear of its button; and the middle of its button.
  CPoint OnValue(CMFCPropertyGridProperty* row) const {
    const CRect r = row->GetRect();
    return CPoint(r.left + grid.GetLeftColumnWidth() + 30, r.CenterPoint().y);
  }
  CPoint OnButton(CMFCPropertyGridProperty* row) const {
    const CRect r = row->GetRect();
    return CPoint(r.right - r.Height() / 2, r.CenterPoint().y);
  }
  CPoint OnName(CMFCPropertyGridProperty* row) const {
    const CRect r = row->GetRect();
    return CPoint(r.left + grid.GetRowHeight() + 20, r.CenterPoint().y);
  }
  // The open editor that takes typing (see EditorOf).
  HWND Editor() const { return grid_test::EditorOf(grid); }

  grid_test::GridOwner owner;
  CMFCPropertyGridCtrl grid;
  CEdit elsewhere;
  CMFCPropertyGridProperty *face = nullptr, *size = nullptr, *bold = nullptr, *pitchOn = nullptr, *pitch = nullptr;
  CMFCPropertyGridProperty *name = nullptr, *tabIndex = nullptr, *scale = nullptr, *locked = nullptr, *alignment = nullptr;
  CMFCPropertyGridColorProperty* color = nullptr;
  FormatRow* format = nullptr;
};

// The cases that type and click. Keys go straight to the window the focus would be in: the focus
// is the foreground program's, which another program under the Wine server may take meanwhile.
// Where the focus goes is checked by the PropertyGridFocus cases, which run alone.
class PropertyGridInput : public PropertyGrid {};
class PropertyGridFocus : public PropertyGrid {};
// A dropped list closes when its program leaves the foreground: these run alone as well.
class PropertyGridDropDown : public PropertyGrid {};

// --- rows ---

TEST_F(PropertyGrid, RowsReadBackByIndexAndByData) {
  ASSERT_EQ(grid.GetPropertyCount(), 8);
  const wchar_t* topNames[] = {L"Font", L"Character pitch", L"Object name", L"Tab index",
                               L"Scale", L"Locked", L"Alignment", L"Format"};
  for (int i = 0; i < 8; ++i) EXPECT_STREQ(grid.GetProperty(i)->GetName(), topNames[i]) << i;
  EXPECT_EQ(grid.GetProperty(8), nullptr);

  CMFCPropertyGridProperty* font = grid.GetProperty(0);
  EXPECT_TRUE(font->IsGroup());
  EXPECT_FALSE(name->IsGroup());
  ASSERT_EQ(font->GetSubItemsCount(), 4);
  EXPECT_EQ(font->GetSubItem(2), bold);
  EXPECT_EQ(font->GetSubItem(4), nullptr);
  EXPECT_EQ(bold->GetParent(), font);
  EXPECT_EQ(name->GetParent(), nullptr);

  // Top-level rows, and with the search below them the sub items.
  EXPECT_EQ(grid.FindItemByData(kName), name);
  EXPECT_EQ(grid.FindItemByData(kPitch), pitch);
  EXPECT_EQ(grid.FindItemByData(kPitch, FALSE), nullptr);
  EXPECT_EQ(grid.FindItemByData(kPitchGroup, FALSE), grid.GetProperty(1));
  EXPECT_EQ(grid.FindItemByData(999), nullptr);

  EXPECT_STREQ(name->GetDescription(), L"Object name");
  EXPECT_EQ(name->GetValue().vt, VT_BSTR);
  EXPECT_EQ(tabIndex->GetValue().vt, VT_I4);
  EXPECT_EQ(color->GetValue().vt, VT_UI4);
  EXPECT_EQ(color->GetValue().ulVal, static_cast<ULONG>(RGB(0, 0, 255)));
}

TEST_F(PropertyGrid, OptionsAreKeptInOrderAndOnce) {
  ASSERT_EQ(face->GetOptionCount(), 3);
  EXPECT_STREQ(face->GetOption(2), L"Courier New");
  EXPECT_EQ(face->GetOption(3), nullptr);
  EXPECT_FALSE(face->AddOption(L"Arial")) << "a text already offered";
  EXPECT_TRUE(face->AddOption(L"Arial", FALSE));
  EXPECT_EQ(face->GetOptionCount(), 4);
  EXPECT_TRUE(face->m_dwFlags & AFX_PROP_HAS_LIST);
  face->RemoveAllOptions();
  EXPECT_EQ(face->GetOptionCount(), 0);
  EXPECT_FALSE(face->m_dwFlags & AFX_PROP_HAS_LIST);

  // A truth value offers the grid's two texts and takes nothing else.
  ASSERT_EQ(bold->GetOptionCount(), 2);
  EXPECT_STREQ(bold->GetOption(0), grid.GetBoolTrueLabel());
  EXPECT_STREQ(bold->GetOption(1), grid.GetBoolFalseLabel());
  EXPECT_STREQ(bold->FormatProperty(), L"False");
  EXPECT_FALSE(bold->IsAllowEdit());
}

// Typed text into each kind of value: what is kept and what is refused (the old value stays).
TEST_F(PropertyGrid, TypedTextBecomesAValueOfTheRowsType) {
  struct Case {
    COleVariant start;
    const wchar_t* typed;
    BOOL accepted;
    VARTYPE type;
    const wchar_t* shown;
  };
  const Case cases[] = {
      {COleVariant(L"old"), L"new text", TRUE, VT_BSTR, L"new text"},
      {COleVariant(L"old"), L"", TRUE, VT_BSTR, L""},
      {COleVariant(5L), L" 42 ", TRUE, VT_I4, L"42"},
      {COleVariant(5L), L"-7", TRUE, VT_I4, L"-7"},
      {COleVariant(5L), L"12abc", FALSE, VT_I4, L"5"},
      {COleVariant(5L), L"", FALSE, VT_I4, L"5"},
      {COleVariant(5L), L"99999999999", FALSE, VT_I4, L"5"},
      {COleVariant(static_cast<short>(3)), L"300", TRUE, VT_I2, L"300"},
      {COleVariant(static_cast<short>(3)), L"70000", FALSE, VT_I2, L"3"},
      {COleVariant(2.5), L"0.25", TRUE, VT_R8, L"0.25"},
      {COleVariant(2.5), L"x", FALSE, VT_R8, L"2.5"},
      {COleVariant(1.5f), L"3.75", TRUE, VT_R4, L"3.75"},
      {COleVariant(0L, VT_BOOL), L"True", TRUE, VT_BOOL, L"True"},
      {COleVariant(1L, VT_BOOL), L"false", TRUE, VT_BOOL, L"False"},
      {COleVariant(1L, VT_BOOL), L"maybe", FALSE, VT_BOOL, L"True"},
  };
  for (const Case& c : cases) {
    auto* row = new CMFCPropertyGridProperty(L"Row", c.start);
    grid.AddProperty(row);
    EXPECT_EQ(row->TextToVar(c.typed), c.accepted) << c.typed;
    EXPECT_EQ(row->GetValue().vt, c.type) << c.typed;
    EXPECT_STREQ(row->FormatProperty(), c.shown) << c.typed;
    EXPECT_EQ(row->IsModified(), c.accepted && row->GetValue() != c.start) << c.typed;
  }
  // An unsigned row and one in the integer variant type.
  COleVariant unsignedStart;
  unsignedStart.vt = VT_UI4;
  unsignedStart.ulVal = 7;
  auto* unsignedRow = new CMFCPropertyGridProperty(L"Unsigned", unsignedStart);
  grid.AddProperty(unsignedRow);
  EXPECT_TRUE(unsignedRow->TextToVar(L"4000000000"));
  EXPECT_EQ(unsignedRow->GetValue().ulVal, 4000000000u);
  EXPECT_FALSE(unsignedRow->TextToVar(L"-1"));
  COleVariant intStart;
  intStart.vt = VT_INT;
  intStart.intVal = 1;
  auto* intRow = new CMFCPropertyGridProperty(L"Int", intStart);
  grid.AddProperty(intRow);
  EXPECT_TRUE(intRow->TextToVar(L"65"));
  EXPECT_EQ(intRow->GetValue().vt, VT_INT);
  EXPECT_EQ(intRow->GetValue().intVal, 65);
}

TEST_F(PropertyGrid, SetValueKeepsTheRowsTypeAndMarksItModified) {
  tabIndex->SetValue(COleVariant(L"17"));
  EXPECT_EQ(tabIndex->GetValue().vt, VT_I4);
  EXPECT_EQ(tabIndex->GetValue().lVal, 17);
  EXPECT_TRUE(tabIndex->IsModified());
  EXPECT_EQ(tabIndex->GetOriginalValue().lVal, 1);
  tabIndex->SetValue(COleVariant(L"not a number"));
  EXPECT_EQ(tabIndex->GetValue().lVal, 17) << "a value that does not convert is ignored";
  tabIndex->ResetOriginalValue();
  EXPECT_FALSE(tabIndex->IsModified());
  EXPECT_EQ(tabIndex->GetOriginalValue().lVal, 17);
  EXPECT_TRUE(owner.changes.empty()) << "only the user's edits are reported";
}

TEST_F(PropertyGrid, DeletingRowsTakesThemAndTheirSubItemsAway) {
  grid.SetCurSel(size);
  CMFCPropertyGridProperty* font = grid.GetProperty(0);
  EXPECT_TRUE(grid.DeleteProperty(font));
  EXPECT_EQ(font, nullptr);
  EXPECT_EQ(grid.GetPropertyCount(), 7);
  EXPECT_EQ(grid.FindItemByData(kSize), nullptr);
  EXPECT_EQ(grid.GetCurSel(), nullptr) << "the selection went with its group";
  EXPECT_TRUE(grid.DeleteProperty(pitch)) << "a sub item";
  EXPECT_EQ(grid.FindItemByData(kPitch), nullptr);
  CMFCPropertyGridProperty* stranger = new CMFCPropertyGridProperty(L"Other", COleVariant(1L));
  CMFCPropertyGridProperty* kept = stranger;
  EXPECT_FALSE(grid.DeleteProperty(stranger)) << "not a row of this grid";
  delete kept;
  grid.RemoveAll();
  EXPECT_EQ(grid.GetPropertyCount(), 0);
  EXPECT_EQ(grid.HitTest(CPoint(100, 5)), nullptr);
}

// --- editing through clicks and keys ---

TEST_F(PropertyGridInput, AnEditThroughClickTypingAndEnterReachesTheOwner) {
  Click(grid, OnValue(name));
  ASSERT_TRUE(name->IsInPlaceEditing());
  EXPECT_EQ(grid.GetCurSel(), name);
  ASSERT_EQ(grid_test::ClassOf(Editor()), L"Edit");
  Type(Editor(), L"Surname");  // the editor starts with its text selected: typing replaces it
  Key(Editor(), VK_RETURN);
  EXPECT_FALSE(name->IsInPlaceEditing());
  ASSERT_EQ(owner.changes.size(), 1u);
  const Change& change = owner.changes[0];
  EXPECT_EQ(change.id, kGridId);
  EXPECT_EQ(change.row, name);
  EXPECT_EQ(change.data, static_cast<DWORD_PTR>(kName));
  EXPECT_EQ(change.type, VT_BSTR);
  EXPECT_EQ(change.value, L"Surname");
  EXPECT_TRUE(name->IsModified());
  EXPECT_EQ(Editor(), nullptr) << "the editor is gone";
}

TEST_F(PropertyGridInput, EscapeRestoresTheOldValueAndSendsNothing) {
  Click(grid, OnValue(name));
  Type(Editor(), L"Scratch");
  Key(Editor(), VK_ESCAPE);
  EXPECT_FALSE(name->IsInPlaceEditing());
  EXPECT_EQ(Text(name->GetValue()), L"Field1");
  EXPECT_TRUE(owner.changes.empty());
  EXPECT_FALSE(name->IsModified());
}

TEST_F(PropertyGridInput, EnterWithoutAChangeSendsNothing) {
  Click(grid, OnValue(tabIndex));
  Key(Editor(), VK_RETURN);
  EXPECT_TRUE(owner.changes.empty());
}

TEST_F(PropertyGridInput, ANumberThatDoesNotConvertIsRefused) {
  Click(grid, OnValue(tabIndex));
  Type(Editor(), L"12abc");
  Key(Editor(), VK_RETURN);
  EXPECT_EQ(tabIndex->GetValue().lVal, 1);
  EXPECT_TRUE(owner.changes.empty());
  // F2 edits the selected row again.
  Key(grid, VK_F2);
  ASSERT_TRUE(tabIndex->IsInPlaceEditing());
  Type(Editor(), L"7");
  Key(Editor(), VK_RETURN);
  ASSERT_EQ(owner.changes.size(), 1u);
  EXPECT_EQ(owner.changes[0].type, VT_I4);
  EXPECT_EQ(owner.changes[0].value, L"7");
}

TEST_F(PropertyGridInput, TypingOnASelectedRowStartsItsEdit) {
  Click(grid, OnName(scale));
  EXPECT_EQ(grid.GetCurSel(), scale);
  EXPECT_FALSE(scale->IsInPlaceEditing()) << "a click on the name only selects";
  Type(grid, L"2");  // the first character opens the editor and goes into it
  ASSERT_TRUE(scale->IsInPlaceEditing());
  Type(Editor(), L".25");
  Key(Editor(), VK_RETURN);
  EXPECT_EQ(scale->GetValue().vt, VT_R8);
  EXPECT_DOUBLE_EQ(scale->GetValue().dblVal, 2.25);
  ASSERT_EQ(owner.changes.size(), 1u);
}

TEST_F(PropertyGridInput, ClickingAnotherRowKeepsTheEditAndSelectsIt) {
  Click(grid, OnValue(name));
  Type(Editor(), L"Kept");
  Click(grid, OnName(scale));
  EXPECT_EQ(Text(name->GetValue()), L"Kept");
  EXPECT_EQ(grid.GetCurSel(), scale);
  ASSERT_EQ(owner.changes.size(), 1u);
  EXPECT_EQ(owner.changes[0].row, name);
}

TEST_F(PropertyGridInput, TabMovesTheEditorToTheNextRowAndShiftTabBack) {
  Click(grid, OnValue(name));
  Type(Editor(), L"First");
  Key(Editor(), VK_TAB);
  EXPECT_EQ(Text(name->GetValue()), L"First") << "Tab keeps the edit";
  EXPECT_EQ(grid.GetCurSel(), tabIndex);
  EXPECT_TRUE(tabIndex->IsInPlaceEditing());
  Key(Editor(), VK_TAB, true);
  EXPECT_EQ(grid.GetCurSel(), name);
  EXPECT_TRUE(name->IsInPlaceEditing());
  // Tab passes over group headings to the first row of the group.
  Click(grid, OnValue(color));
  Key(Editor(), VK_TAB);
  EXPECT_EQ(grid.GetCurSel(), pitchOn);
}

TEST_F(PropertyGridInput, UpAndDownInAnEditorMoveToTheNeighbouringRow) {
  Click(grid, OnValue(tabIndex));
  Type(Editor(), L"3");
  Key(Editor(), VK_DOWN);
  EXPECT_EQ(tabIndex->GetValue().lVal, 3);
  EXPECT_EQ(grid.GetCurSel(), scale);
  EXPECT_FALSE(scale->IsInPlaceEditing());
}

// --- where the focus goes (alone) ---

TEST_F(PropertyGridFocus, TheEditorTakesTheKeyboardAndGivesItBackToTheGrid) {
  Click(grid, OnValue(name));
  ASSERT_TRUE(name->IsInPlaceEditing());
  EXPECT_EQ(::GetFocus(), Editor());
  Type(L"Surname");
  Key(VK_RETURN);
  EXPECT_EQ(Text(name->GetValue()), L"Surname");
  EXPECT_EQ(::GetFocus(), grid.m_hWnd) << "the focus stays in the grid";
  // Typing on the selected row: the first character opens the editor, the rest follow it there.
  Click(grid, OnName(scale));
  EXPECT_EQ(::GetFocus(), grid.m_hWnd);
  Type(L"2.25");
  Key(VK_RETURN);
  EXPECT_DOUBLE_EQ(scale->GetValue().dblVal, 2.25);
  // Tab takes the keyboard along to the next row's editor.
  Click(grid, OnValue(name));
  Key(VK_TAB);
  EXPECT_TRUE(tabIndex->IsInPlaceEditing());
  EXPECT_EQ(::GetFocus(), Editor());
  // A list that offers only a choice keeps the keyboard in its combo box.
  Click(grid, OnValue(alignment));
  EXPECT_EQ(grid_test::ClassOf(::GetFocus()), L"ComboBox");
}

TEST_F(PropertyGridFocus, MovingTheFocusToAnotherControlKeepsTheEdit) {
  Click(grid, OnValue(name));
  Type(L"Moved away");
  elsewhere.SetFocus();
  Pump();
  EXPECT_FALSE(name->IsInPlaceEditing());
  EXPECT_EQ(Text(name->GetValue()), L"Moved away");
  ASSERT_EQ(owner.changes.size(), 1u);
  EXPECT_EQ(::GetFocus(), elsewhere.m_hWnd) << "the grid does not take the focus back";
}

// --- option lists, spin buttons and button rows ---

TEST_F(PropertyGridDropDown, ChoosingAnOptionFromTheDropDownListChangesTheValue) {
  Click(grid, OnValue(alignment));
  ASSERT_TRUE(alignment->IsInPlaceEditing());
  HWND combo = Editor();
  ASSERT_EQ(grid_test::ClassOf(combo), L"ComboBox");
  ::SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  ASSERT_TRUE(::SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  Key(combo, VK_DOWN);
  Key(combo, VK_DOWN);
  Key(combo, VK_RETURN);
  EXPECT_FALSE(alignment->IsInPlaceEditing());
  EXPECT_EQ(Text(alignment->GetValue()), L"Right");
  ASSERT_EQ(owner.changes.size(), 1u);
  EXPECT_EQ(owner.changes[0].data, static_cast<DWORD_PTR>(kAlignment));
  EXPECT_EQ(owner.changes[0].value, L"Right");
}

TEST_F(PropertyGridDropDown, TheListButtonDropsTheList) {
  grid.SetCurSel(face);
  Pump();
  Click(grid, OnButton(face));
  ASSERT_TRUE(face->IsInPlaceEditing());
  HWND combo = Editor();
  ASSERT_EQ(grid_test::ClassOf(combo), L"ComboBox");
  EXPECT_TRUE(::SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), 1) << "the current value is selected";
  Key(combo, VK_UP);
  Key(combo, VK_RETURN);
  EXPECT_EQ(Text(face->GetValue()), L"Arial");
  ASSERT_EQ(owner.changes.size(), 1u);
}

TEST_F(PropertyGridInput, ARowThatOnlyOffersAChoiceRefusesTyping) {
  grid.SetCurSel(alignment);
  Type(grid, L"Center");
  EXPECT_FALSE(alignment->IsInPlaceEditing()) << "typing on the grid does not open it";
  Click(grid, OnValue(alignment));
  ASSERT_TRUE(alignment->IsInPlaceEditing());
  Type(Editor(), L"Right");
  Key(Editor(), VK_RETURN);
  EXPECT_EQ(Text(alignment->GetValue()), L"Left");
  EXPECT_TRUE(owner.changes.empty());
  // A row with options that allows editing takes typed text.
  Click(grid, OnValue(size));
  HWND edit = Editor();
  ASSERT_EQ(grid_test::ClassOf(edit), L"Edit");
  EXPECT_EQ(grid_test::ClassOf(::GetParent(edit)), L"ComboBox");
  Type(edit, L"15");
  Key(edit, VK_RETURN);
  EXPECT_EQ(size->GetValue().vt, VT_I4);
  EXPECT_EQ(size->GetValue().lVal, 15);
  ASSERT_EQ(owner.changes.size(), 1u);
}

TEST_F(PropertyGridInput, ADoubleClickStepsAChoiceRowToItsNextOption) {
  DoubleClick(grid, OnValue(bold));
  EXPECT_EQ(bold->GetValue().vt, VT_BOOL);
  EXPECT_EQ(bold->GetValue().boolVal, VARIANT_TRUE);
  ASSERT_EQ(owner.changes.size(), 1u);
  EXPECT_EQ(owner.changes[0].type, VT_BOOL);
  EXPECT_EQ(owner.changes[0].shown, L"True");
  DoubleClick(grid, OnValue(bold));
  EXPECT_EQ(bold->GetValue().boolVal, VARIANT_FALSE) << "and round to the first";
  EXPECT_EQ(owner.changes.size(), 2u);
}

TEST_F(PropertyGridInput, TheSpinRowStaysInItsRange) {
  Click(grid, OnValue(pitch));
  ASSERT_TRUE(pitch->IsInPlaceEditing());
  HWND spin = grid_test::ChildOfClass(grid, UPDOWN_CLASSW);
  ASSERT_NE(spin, nullptr);
  int low = -1, high = -1;
  ::SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 3600);
  EXPECT_EQ(::SendMessageW(spin, UDM_GETPOS32, 0, 0), 31);
  Type(Editor(), L"5000");
  Key(Editor(), VK_RETURN);
  EXPECT_EQ(pitch->GetValue().lVal, 3600) << "a typed number beyond the range goes to its end";
  EXPECT_EQ(grid_test::ChildOfClass(grid, UPDOWN_CLASSW), nullptr) << "the spin buttons went with the edit";

  // The up arrow at the top of the range does nothing; the down arrow steps down.
  Click(grid, OnValue(pitch));
  spin = grid_test::ChildOfClass(grid, UPDOWN_CLASSW);
  ASSERT_NE(spin, nullptr);
  RECT r = {};
  ::GetClientRect(spin, &r);
  Click(spin, CPoint(r.right / 2, r.bottom / 4));
  Key(Editor(), VK_RETURN);
  EXPECT_EQ(pitch->GetValue().lVal, 3600);
  Click(grid, OnValue(pitch));
  spin = grid_test::ChildOfClass(grid, UPDOWN_CLASSW);
  ASSERT_NE(spin, nullptr);
  Click(spin, CPoint(r.right / 2, r.bottom * 3 / 4));
  Key(Editor(), VK_RETURN);
  EXPECT_EQ(pitch->GetValue().lVal, 3599);
}

TEST_F(PropertyGridInput, AClickOnTheButtonRunsTheRowsOwnClick) {
  Click(grid, OnValue(format));
  EXPECT_EQ(format->clicks, 0) << "the value itself is no button";
  EXPECT_FALSE(format->IsInPlaceEditing()) << "the row is not typed into";
  ASSERT_FALSE(format->ButtonRect().IsRectEmpty());
  Click(grid, format->ButtonRect().CenterPoint());
  EXPECT_EQ(format->clicks, 1);
  EXPECT_TRUE(format->buttonDrawnDown) << "drawn pressed while it runs";
  ASSERT_EQ(owner.changes.size(), 1u);
  EXPECT_EQ(owner.changes[0].data, static_cast<DWORD_PTR>(kFormat));
  EXPECT_EQ(owner.changes[0].value, L"1;2;1");
  EXPECT_STREQ(format->FormatProperty(), L"Numeric");
  // The row draws its own value, in the value's cell left of the button.
  Pixels shown(grid);
  EXPECT_EQ(format->valueDrawnIn.left, format->GetRect().left + grid.GetLeftColumnWidth() + 1);
  EXPECT_EQ(format->valueDrawnIn.right, format->ButtonRect().left);
}

// --- groups, selection, disabled rows ---

TEST_F(PropertyGridInput, CollapsingAGroupHidesItsRows) {
  CMFCPropertyGridProperty* font = grid.GetProperty(0);
  const int nameTop = name->GetRect().top;
  ASSERT_FALSE(size->GetRect().IsRectEmpty());
  grid.SetCurSel(size);
  font->Expand(FALSE);
  EXPECT_TRUE(size->GetRect().IsRectEmpty());
  EXPECT_EQ(name->GetRect().top, nameTop - 4 * grid.GetRowHeight()) << "the rows below move up";
  EXPECT_EQ(grid.GetCurSel(), font) << "the selection moves to the closed group";
  EXPECT_EQ(grid.HitTest(OnName(name)), name);

  // The +/- box in the left margin opens it again.
  const CRect row = font->GetRect();
  Click(grid, CPoint(row.left + grid.GetRowHeight() / 2, row.CenterPoint().y));
  EXPECT_TRUE(font->IsExpanded());
  EXPECT_EQ(name->GetRect().top, nameTop);

  // Left and - close, Right and + open, a double click on the name toggles.
  const struct {
    UINT key;
    bool typed;
    BOOL expanded;
  } steps[] = {{VK_LEFT, false, FALSE}, {VK_RIGHT, false, TRUE}, {L'-', true, FALSE}, {L'+', true, TRUE}};
  for (const auto& step : steps) {
    if (step.typed) {
      const wchar_t text[2] = {static_cast<wchar_t>(step.key), 0};
      Type(grid, text);
    } else {
      Key(grid, step.key);
    }
    EXPECT_EQ(font->IsExpanded(), step.expanded) << step.key;
    EXPECT_EQ(size->GetRect().IsRectEmpty(), !step.expanded) << step.key;
  }
  DoubleClick(grid, OnName(font));
  EXPECT_FALSE(font->IsExpanded());
  grid.ExpandAll(FALSE);
  EXPECT_FALSE(grid.GetProperty(1)->IsExpanded());
  EXPECT_TRUE(pitch->GetRect().IsRectEmpty());
  grid.ExpandAll(TRUE);
  EXPECT_FALSE(pitch->GetRect().IsRectEmpty());
}

TEST_F(PropertyGridInput, ArrowsAndPagesMoveTheSelectionAndKeepItInView) {
  // A grid with room for five of its fourteen rows: the selection scrolls into view.
  grid.MoveWindow(0, 0, 300, grid.GetRowHeight() * 5);
  Pump();
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  ASSERT_TRUE(grid.GetScrollInfo(SB_VERT, &si));
  EXPECT_EQ(si.nMax, 13);
  EXPECT_EQ(si.nPage, 5u);
  const struct {
    UINT key;
    CMFCPropertyGridProperty* selected;
  } steps[] = {{VK_HOME, grid.GetProperty(0)}, {VK_DOWN, face}, {VK_END, format},
               {VK_PRIOR, tabIndex}, {VK_UP, name}, {VK_NEXT, alignment}};
  for (const auto& step : steps) {
    Key(grid, step.key);
    ASSERT_EQ(grid.GetCurSel(), step.selected) << step.key;
    EXPECT_FALSE(step.selected->GetRect().IsRectEmpty()) << "scrolled into view: " << step.key;
  }
  EXPECT_TRUE(face->GetRect().IsRectEmpty()) << "scrolled out of view";
  // The wheel scrolls three rows a notch.
  ASSERT_TRUE(grid.GetScrollInfo(SB_VERT, &si));
  const int top = si.nPos;
  ::SendMessageW(grid, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(10, 10));
  ASSERT_TRUE(grid.GetScrollInfo(SB_VERT, &si));
  EXPECT_EQ(si.nPos, top - 3);
}

TEST_F(PropertyGridInput, ADisabledRowIsNotEdited) {
  Click(grid, OnValue(locked));
  EXPECT_EQ(grid.GetCurSel(), locked) << "it can still be selected";
  EXPECT_FALSE(locked->IsInPlaceEditing());
  Key(grid, VK_F2);
  Type(grid, L"x");
  EXPECT_FALSE(locked->IsInPlaceEditing());
  EXPECT_EQ(Text(locked->GetValue()), L"fixed");
  EXPECT_TRUE(owner.changes.empty());
  // Disabling a row under edit ends the edit without keeping it.
  Click(grid, OnValue(name));
  Type(Editor(), L"Dropped");
  name->Enable(FALSE);
  EXPECT_FALSE(name->IsInPlaceEditing());
  EXPECT_EQ(Text(name->GetValue()), L"Field1");
  EXPECT_TRUE(owner.changes.empty());
}

TEST_F(PropertyGrid, TheSplitterFollowsTheMouse) {
  const int before = grid.GetLeftColumnWidth();
  const int y = name->GetRect().CenterPoint().y;
  ::PostMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(before, y));
  ::PostMessageW(grid, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(before + 40, y));
  ::PostMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(before + 40, y));
  Pump();
  EXPECT_EQ(grid.GetLeftColumnWidth(), before + 40);
  EXPECT_EQ(grid.GetCurSel(), nullptr) << "dragging the splitter selects nothing";
}

TEST_F(PropertyGrid, TheAlphabeticModeListsTheValueRowsByName) {
  grid.SetAlphabeticMode(TRUE);
  std::vector<std::wstring> shown;
  for (int y = grid.GetListRect().top + 2; y < grid.GetListRect().bottom; y += grid.GetRowHeight()) {
    if (CMFCPropertyGridProperty* row = grid.HitTest(CPoint(50, y))) shown.push_back(row->GetName());
  }
  const std::vector<std::wstring> expected = {L"Alignment", L"Bold", L"Color", L"Enable", L"Face", L"Format",
                                              L"Locked", L"Object name", L"Scale", L"Size", L"Tab index", L"Value"};
  EXPECT_EQ(shown, expected);
}

TEST_F(PropertyGrid, HeaderAndDescriptionTakeTheirPlaceFromTheList) {
  const CRect plain = grid.GetListRect();
  grid.EnableHeaderCtrl(TRUE);
  grid.EnableDescriptionArea(TRUE);
  const CRect framed = grid.GetListRect();
  EXPECT_GT(framed.top, plain.top);
  EXPECT_LT(framed.bottom, plain.bottom);
  // The description area shows the selected row's name and description: ink there only with a
  // selection.
  const CRect area(framed.left + 8, framed.bottom + 8, framed.right - 8, plain.bottom - 6);
  const COLORREF face = CMFCVisualManager::GetInstance()->Palette().barFace;
  EXPECT_EQ(Pixels(grid).CountOtherThan(area, face), 0);
  grid.SetCurSel(name);
  EXPECT_GT(Pixels(grid).CountOtherThan(area, face), 20);
  CMFCPropertyGridProperty::ClickArea part = CMFCPropertyGridProperty::ClickName;
  EXPECT_EQ(grid.HitTest(area.CenterPoint(), &part), name);
  EXPECT_EQ(part, CMFCPropertyGridProperty::ClickDescription);
}

TEST_F(PropertyGridInput, ValidCharactersAndTheEditMaskLimitWhatIsTaken) {
  auto* code = new CMFCPropertyGridProperty(L"Code", COleVariant(L"12-34"), nullptr, 60, L"DD DD", L"__-__",
                                            L"0123456789-");
  grid.AddProperty(code);
  Click(grid, OnValue(code));
  HWND edit = Editor();
  Type(edit, L"9a8-7b6");  // the letters are not valid characters: never typed
  wchar_t typed[32] = {};
  ::GetWindowTextW(edit, typed, 32);
  EXPECT_STREQ(typed, L"98-76");
  Key(edit, VK_RETURN);
  EXPECT_EQ(Text(code->GetValue()), L"98-76");
  ASSERT_EQ(owner.changes.size(), 1u);
  // Valid characters that do not fill the mask's places are refused as a whole.
  Click(grid, OnValue(code));
  Type(Editor(), L"987-6");
  Key(Editor(), VK_RETURN);
  EXPECT_EQ(Text(code->GetValue()), L"98-76");
  EXPECT_EQ(owner.changes.size(), 1u);
}

TEST_F(PropertyGridInput, AValueListShowsTheValuesOfItsRows) {
  auto* position = new CMFCPropertyGridProperty(L"Position", 70, TRUE);
  auto* x = new CMFCPropertyGridProperty(L"X", COleVariant(10L), nullptr, 71);
  position->AddSubItem(x);
  position->AddSubItem(new CMFCPropertyGridProperty(L"Y", COleVariant(20L), nullptr, 72));
  grid.AddProperty(position);
  EXPECT_TRUE(position->IsValueList());
  EXPECT_STREQ(position->FormatProperty(), L"10, 20");
  Click(grid, OnValue(position));
  EXPECT_FALSE(position->IsInPlaceEditing()) << "its value is made of its rows'";
  Click(grid, OnValue(x));
  Type(Editor(), L"15");
  Key(Editor(), VK_RETURN);
  ASSERT_EQ(owner.changes.size(), 1u);
  EXPECT_EQ(owner.changes[0].data, 71u);
  EXPECT_STREQ(position->FormatProperty(), L"15, 20");
  // Its rows are indented under it: the +/- box of the list is where their names would start.
  const CRect row = position->GetRect();
  CMFCPropertyGridProperty::ClickArea part = CMFCPropertyGridProperty::ClickName;
  EXPECT_EQ(grid.HitTest(CPoint(row.left + grid.GetRowHeight() / 2, row.CenterPoint().y), &part), position);
  EXPECT_EQ(part, CMFCPropertyGridProperty::ClickExpandBox);
  EXPECT_EQ(grid.HitTest(CPoint(row.left + grid.GetRowHeight() / 2, x->GetRect().CenterPoint().y), &part), x);
  EXPECT_EQ(part, CMFCPropertyGridProperty::ClickName);
}

TEST_F(PropertyGrid, ATextTooLongForItsCellShowsWholeInATip) {
  const wchar_t* whole = L"A value far too long to be shown whole in the value column of this grid";
  auto* wide = new CMFCPropertyGridProperty(L"Wide", COleVariant(whole));
  grid.AddProperty(wide);
  CWnd* tip = grid.GetToolTip();
  ASSERT_NE(tip->m_hWnd, nullptr);
  const auto moveTo = [&](CPoint p) {
    ::PostMessageW(grid, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    Pump();
  };
  const auto tipText = [&]() {
    wchar_t text[256] = {};
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = grid.m_hWnd;
    tool.uId = 1;
    tool.lpszText = text;
    tip->SendMessage(TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    return std::wstring(text);
  };
  moveTo(OnValue(name));
  EXPECT_FALSE(tip->IsWindowVisible()) << "a value that fits needs no tip";
  moveTo(OnValue(wide));
  EXPECT_TRUE(tip->IsWindowVisible());
  EXPECT_EQ(tipText(), whole);
  moveTo(OnName(wide));
  EXPECT_FALSE(tip->IsWindowVisible()) << "the name fits";
  moveTo(OnValue(wide));
  EXPECT_TRUE(tip->IsWindowVisible());
  ::PostMessageW(grid, WM_MOUSELEAVE, 0, 0);
  Pump();
  EXPECT_FALSE(tip->IsWindowVisible());
}

TEST(PropertyGridTexts, TheGridsOwnTextsFollowTheResourceLanguage) {
  const struct {
    int language;
    const wchar_t* yes;
    const wchar_t* no;
  } languages[] = {{7, L"Wahr", L"Falsch"}, {25, L"\x0418\x0441\x0442\x0438\x043D\x0430", L"\x041B\x043E\x0436\x044C"}, {9, L"True", L"False"}};
  for (const auto& l : languages) {
    AfxSetResourceLanguage(AfxLanguageFromPrimary(l.language));
    CMFCPropertyGridCtrl grid;
    EXPECT_STREQ(grid.GetBoolTrueLabel(), l.yes) << l.language;
    EXPECT_STREQ(grid.GetBoolFalseLabel(), l.no) << l.language;
  }
  AfxSetResourceLanguage(0);
  // A program's own texts replace them, in the rows that show truth values too.
  CMFCPropertyGridCtrl grid;
  auto* row = new CMFCPropertyGridProperty(L"Visible", COleVariant(1L, VT_BOOL));
  grid.AddProperty(row);
  grid.SetBoolLabels(L"Yes", L"No");
  EXPECT_STREQ(row->FormatProperty(), L"Yes");
  EXPECT_STREQ(row->GetOption(1), L"No");
  EXPECT_TRUE(row->TextToVar(L"No"));
  EXPECT_EQ(row->GetValue().boolVal, VARIANT_FALSE);
}

// --- drawing ---

TEST_F(PropertyGrid, ModifiedValuesAreDrawnBoldWhenMarked) {
  // Two rows with the same text: one was made with it, the other changed to it.
  auto* same = new CMFCPropertyGridProperty(L"Same", COleVariant(L"Wide text"));
  auto* changed = new CMFCPropertyGridProperty(L"Changed", COleVariant(L"Before"));
  grid.AddProperty(same);
  grid.AddProperty(changed);
  changed->SetValue(COleVariant(L"Wide text"));
  ASSERT_TRUE(changed->IsModified());
  ASSERT_FALSE(same->IsModified());
  const COLORREF paper = ::GetSysColor(COLOR_WINDOW);
  const auto ink = [&](CMFCPropertyGridProperty* row) {
    CRect value = row->GetRect();
    value.left += grid.GetLeftColumnWidth() + 1;
    value.bottom -= 1;
    return Pixels(grid).CountOtherThan(value, paper);
  };
  for (BOOL mark : {FALSE, TRUE}) {
    grid.MarkModifiedProperties(mark);
    if (mark) {
      EXPECT_GT(ink(changed), ink(same) + 5) << "bold";
    } else {
      EXPECT_EQ(ink(changed), ink(same));
    }
  }
}

TEST_F(PropertyGrid, GroupsAreDrawnInTheLooksGroupColour) {
  struct Look {
    CRuntimeClass* manager;
    BOOL vsDotNet;
  };
  const Look looks[] = {{RUNTIME_CLASS(CMFCVisualManager), TRUE},
                        {RUNTIME_CLASS(CMFCVisualManagerOffice2003), TRUE},
                        {RUNTIME_CLASS(CMFCVisualManagerVS2008), TRUE},
                        {RUNTIME_CLASS(CMFCVisualManagerOffice2003), FALSE}};
  CMFCPropertyGridProperty* font = grid.GetProperty(0);
  for (const Look& look : looks) {
    CMFCVisualManager::SetDefaultManager(look.manager);
    grid.SetVSDotNetLook(look.vsDotNet);
    const COLORREF group = CMFCVisualManager::GetInstance()->GetGridGroupColor();
    ASSERT_NE(group, ::GetSysColor(COLOR_WINDOW));
    Pixels shown(grid);
    // The band's right end (no text there) and the left margin beside a value row.
    const CRect band = font->GetRect();
    const COLORREF expected = look.vsDotNet ? group : ::GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(shown.At(band.right - 5, band.top + 3), expected) << look.manager->m_lpszClassName;
    EXPECT_EQ(shown.At(3, name->GetRect().top + 3), expected) << look.manager->m_lpszClassName;
    // A value row's name cell keeps the window's colour in both looks.
    EXPECT_EQ(shown.At(grid.GetLeftColumnWidth() - 3, name->GetRect().top + 3), ::GetSysColor(COLOR_WINDOW));
  }
  CMFCVisualManager::SetDefaultManager(RUNTIME_CLASS(CMFCVisualManager));
}

TEST_F(PropertyGrid, ADisabledRowIsDrawnGrey) {
  // The darkest pixel of a cell: black text for an enabled row, nothing darker than the grey
  // text colour for a disabled one.
  const auto darkest = [&](const Pixels& shown, CRect cell) {
    int low = 255 * 3;
    for (int y = cell.top; y < cell.bottom - 1; ++y) {
      for (int x = cell.left; x < cell.right; ++x) {
        const COLORREF c = shown.At(x, y);
        const int sum = GetRValue(c) + GetGValue(c) + GetBValue(c);
        if (sum < low) low = sum;
      }
    }
    return low;
  };
  const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT);
  const int greySum = GetRValue(grey) + GetGValue(grey) + GetBValue(grey);
  const auto valueCell = [&](CMFCPropertyGridProperty* row) {
    CRect cell = row->GetRect();
    cell.left += grid.GetLeftColumnWidth() + 1;
    return cell;
  };
  const auto nameCell = [&](CMFCPropertyGridProperty* row) {
    CRect cell = row->GetRect();
    cell.left += grid.GetRowHeight();
    cell.right = grid.GetLeftColumnWidth();
    return cell;
  };
  Pixels shown(grid);
  EXPECT_GE(darkest(shown, valueCell(locked)), greySum - 6);
  EXPECT_GE(darkest(shown, nameCell(locked)), greySum - 6);
  EXPECT_LT(darkest(shown, valueCell(name)), greySum / 2);
  EXPECT_LT(darkest(shown, nameCell(name)), greySum / 2);
}

TEST_F(PropertyGrid, AnEmptyRowDrawsBlankAndIsNotEdited) {
  grid.RemoveAll();
  auto* blank = new CMFCPropertyGridProperty(L"", COleVariant(L""), L"");
  blank->AllowEdit(FALSE);
  grid.AddProperty(blank);
  grid.SetVSDotNetLook(FALSE);
  Click(grid, OnValue(blank));
  EXPECT_FALSE(blank->IsInPlaceEditing());
  grid.SetCurSel(nullptr);
  Pixels shown(grid);
  CRect cells = blank->GetRect();
  cells.bottom -= 1;  // the grid line under the row
  const COLORREF line = CMFCVisualManager::GetInstance()->GetGridLineColor();
  int ink = 0;
  for (int y = cells.top; y < cells.bottom; ++y) {
    for (int x = cells.left; x < cells.right; ++x) {
      const COLORREF c = shown.At(x, y);
      ink += c != ::GetSysColor(COLOR_WINDOW) && c != line;
    }
  }
  EXPECT_EQ(ink, 0);
}

}  // namespace

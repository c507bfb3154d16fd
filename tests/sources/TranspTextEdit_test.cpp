// Typing into a text field: keys and characters through OnChar, the clipboard, the commit of a typed
// number when the field loses the focus, the undo snapshot and the merging of keystrokes into undo
// steps.
#include "TranspText.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "MyProcs.h"
#include "TranspLabel.h"
#include "UndoCommands.h"
#include "undo.h"

namespace {

std::wstring W(const CString& s) { return std::wstring(static_cast<LPCTSTR>(s), s.GetLength()); }

// Keys held down for the thread while it lives (GetKeyState reads the thread's state).
class HeldKeys {
 public:
  explicit HeldKeys(std::initializer_list<int> keys) {
    ::GetKeyboardState(saved_);
    BYTE state[256];
    memcpy(state, saved_, sizeof(state));
    for (int key : keys) state[key] = 0x80;
    ::SetKeyboardState(state);
  }
  ~HeldKeys() { ::SetKeyboardState(saved_); }

 private:
  BYTE saved_[256];
};

struct FieldOptions {
  int dataType = TEXT_TYPE_TEXT;
  BOOL wordWrap = FALSE;
  BOOL singleLine = FALSE;
  int boxWidth = 0;  // 0: the default style's
  int grouping = 0;
};

std::unique_ptr<CTranspText> Field(const wchar_t* text, const FieldOptions& o = FieldOptions(), CWnd* view = nullptr) {
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  TextWordWrap(style) = o.wordWrap;
  TextSingleLine(style) = o.singleLine;
  if (o.boxWidth != 0) style.boxWidth = o.boxWidth;
  _PROPERTIES properties;
  properties.formatCategory = o.dataType;
  properties.decimals = 2;
  properties.grouping = o.grouping;
  return std::unique_ptr<CTranspText>(new CTranspText(view, 20000, 50000, &style, &properties, text, 0));
}

void Key(CTranspText& field, UINT key, UINT repeat = 1) { field.OnChar(key, repeat, 1); }
void Type(CTranspText& field, const wchar_t* text) {
  for (const wchar_t* c = text; *c; ++c) field.OnChar(*c, 1, 0);
}

std::wstring LinesOf(const CTranspText& field) {
  std::wstring out;
  for (const CString& line : field.GetLines()) out += L"[" + W(line) + L"]";
  return out;
}

#define EXPECT_CARET(object, expectedColumn, expectedLine)  \
  do {                                                      \
    EXPECT_EQ(expectedColumn, (object).GetCaret().column);  \
    EXPECT_EQ(expectedLine, (object).GetCaret().line);      \
  } while (0)

TEST(TranspTextEdit, KeysMoveTheCaret) {
  const struct {
    TEXT_CARET from;
    UINT key;
    BOOL ctrl;
    TEXT_CARET to;
  } cases[] = {
      {{1, 0}, VK_END, FALSE, {5, 0}},      // before the "\r\n"
      {{3, 1}, VK_HOME, FALSE, {0, 1}},
      {{2, 0}, VK_LEFT, FALSE, {1, 0}},
      {{0, 1}, VK_LEFT, FALSE, {5, 0}},
      {{5, 0}, VK_RIGHT, FALSE, {0, 1}},
      {{1, 2}, VK_RIGHT, FALSE, {1, 2}},    // the end of the last line stays
      {{0, 0}, VK_RIGHT, TRUE, {3, 0}},
      {{5, 0}, VK_LEFT, TRUE, {3, 0}},
      {{5, 0}, VK_RIGHT, TRUE, {0, 1}},
      {{4, 0}, VK_DOWN, FALSE, {3, 1}},     // beyond the shorter line: its end
      {{0, 2}, VK_DOWN, FALSE, {0, 2}},
      {{0, 1}, VK_UP, FALSE, {0, 0}},
  };
  auto field = Field(L"ab cd\r\nefg\r\nh");
  ASSERT_EQ(L"[ab cd\r\n][efg\r\n][h]", LinesOf(*field));
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << c.key << " ctrl " << c.ctrl << " from " << c.from.column << ","
                                    << c.from.line);
    field->SetCaret(c.from);
    if (c.ctrl) {
      HeldKeys ctrl({VK_CONTROL});
      Key(*field, c.key);
    } else {
      Key(*field, c.key);
    }
    EXPECT_CARET(*field, c.to.column, c.to.line);
    EXPECT_FALSE(field->HasSelection());
  }
}

TEST(TranspTextEdit, UpAndDownKeepTheColumnOfTheFirstVerticalMove) {
  auto field = Field(L"abcdef\r\nab\r\nabcdefgh");
  field->SetCaret({4, 0});
  Key(*field, VK_DOWN);
  EXPECT_CARET(*field, 2, 1);
  Key(*field, VK_DOWN);
  EXPECT_CARET(*field, 4, 2);  // back under the first line's column, not the short line's end
  Key(*field, VK_UP, 2);
  EXPECT_CARET(*field, 4, 0);
  // Another key ends the run: the next vertical move starts from where the caret is.
  field->SetCaret({1, 2});
  Key(*field, VK_RIGHT);
  Key(*field, VK_UP, 2);
  EXPECT_CARET(*field, 2, 0);
}

// "aaa bbb ccc" in a box about one word wide: each line keeps its breaking space.
std::unique_ptr<CTranspText> WrappedField() {
  FieldOptions o;
  o.wordWrap = TRUE;
  o.boxWidth = 30000;
  return Field(L"aaa bbb ccc", o);
}

TEST(TranspTextEdit, WrappedLinesShareTheirEndWithTheNextLine) {
  auto field = WrappedField();
  ASSERT_EQ(L"[aaa ][bbb ][ccc]", LinesOf(*field));
  const struct {
    TEXT_CARET from;
    UINT key;
    TEXT_CARET to;
  } cases[] = {
      {{0, 1}, VK_LEFT, {3, 0}},   // before the trailing space
      {{3, 0}, VK_RIGHT, {0, 1}},  // after the trailing space is the next line
      {{2, 0}, VK_RIGHT, {3, 0}},
      {{1, 0}, VK_END, {4, 0}},
      {{3, 2}, VK_RIGHT, {3, 2}},
  };
  for (const auto& c : cases) {
    field->SetCaret(c.from);
    Key(*field, c.key);
    EXPECT_CARET(*field, c.to.column, c.to.line);
  }
  // Delete at the end of a wrapped line takes the next line's first character.
  field->SetCaret({4, 0});
  Key(*field, VK_DELETE);
  EXPECT_EQ(L"aaa bb ccc", W(field->GetText()));
}

TEST(TranspTextEdit, ShiftExtendsTheSelectionFromTheCaret) {
  auto field = Field(L"abc\r\ndef");
  field->SetCaret({1, 0});
  {
    HeldKeys shift({VK_SHIFT});
    Key(*field, VK_RIGHT, 2);
    EXPECT_EQ(L"bc", W(field->GetSelectedText()));
    Key(*field, VK_DOWN);
    EXPECT_EQ(L"bc\r\ndef", W(field->GetSelectedText()));
    EXPECT_CARET(*field, 3, 1);
    HGLOBAL global = field->GetSelectedTextGlobal();
    ASSERT_NE(nullptr, global);
    EXPECT_EQ(L"bc\r\ndef", std::wstring(static_cast<const wchar_t*>(::GlobalLock(global))));
    ::GlobalUnlock(global);
    ::GlobalFree(global);
  }
  Key(*field, VK_LEFT);
  EXPECT_FALSE(field->HasSelection());
  EXPECT_EQ(nullptr, field->GetSelectedTextGlobal());
}

TEST(TranspTextEdit, DeleteAndBackspace) {
  const UINT kBackspace = 8;
  const struct {
    const wchar_t* text;
    TEXT_CARET caret;
    UINT code;
    BOOL isKey;
    const wchar_t* after;
    TEXT_CARET caretAfter;
  } cases[] = {
      {L"ab\r\ncd", {2, 0}, VK_DELETE, 1, L"abcd", {2, 0}},       // both characters of the break go
      {L"ab\r\ncd", {0, 1}, kBackspace, 0, L"abcd", {2, 0}},      // the former end of the line before
      {L"abc", {1, 0}, VK_DELETE, 1, L"ac", {1, 0}},
      {L"abc", {1, 0}, kBackspace, 0, L"bc", {0, 0}},
      {L"abc", {0, 0}, kBackspace, 0, L"abc", {0, 0}},
      {L"abc", {3, 0}, VK_DELETE, 1, L"abc", {3, 0}},
      {L"a", {1, 0}, kBackspace, 0, L"", {0, 0}},
      {L"ab\r\n", {0, 1}, kBackspace, 0, L"ab", {2, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << W(c.text) << " code " << c.code);
    auto field = Field(c.text);
    field->SetCaret(c.caret);
    field->OnChar(c.code, 1, c.isKey);
    EXPECT_EQ(c.after, W(field->GetText()));
    EXPECT_CARET(*field, c.caretAfter.column, c.caretAfter.line);
    EXPECT_FALSE(field->GetLines().empty());
  }
  // With a selection both delete it.
  for (UINT code : {static_cast<UINT>(VK_DELETE), kBackspace}) {
    auto field = Field(L"hello world");
    field->FindAndSelect(L"hello ", 0, 6);
    field->OnChar(code, 1, code == VK_DELETE);
    EXPECT_EQ(L"world", W(field->GetText()));
    EXPECT_CARET(*field, 0, 0);
    EXPECT_FALSE(field->HasSelection());
  }
}

TEST(TranspTextEdit, EnterSplitsTheLineAndEndsTheUndoStep) {
  auto field = Field(L"abcd");
  field->SetCaret({2, 0});
  field->OnChar(13, 1, 0);
  EXPECT_EQ(L"[ab\r\n][cd]", LinesOf(*field));
  EXPECT_CARET(*field, 0, 1);
  EXPECT_TRUE(field->IsEnterPressed());
  Type(*field, L"x");
  EXPECT_FALSE(field->IsEnterPressed());
  EXPECT_EQ(L"ab\r\nxcd", W(field->GetText()));
  // At the end: an empty line follows for the caret.
  field->SetCaret({3, 1});
  field->OnChar(13, 1, 0);
  EXPECT_EQ(L"[ab\r\n][xcd\r\n][]", LinesOf(*field));
  EXPECT_CARET(*field, 0, 2);

  FieldOptions single;
  single.singleLine = TRUE;
  auto one = Field(L"abcd", single);
  one->SetCaret({2, 0});
  one->OnChar(13, 1, 0);
  EXPECT_EQ(L"[abcd]", LinesOf(*one));
  EXPECT_CARET(*one, 2, 0);
  EXPECT_TRUE(one->IsEnterPressed());
}

TEST(TranspTextEdit, CharactersReplaceTheSelectionAndControlCharactersAreNoText) {
  auto field = Field(L"ac");
  field->SetCaret({1, 0});
  Type(*field, L"b");
  EXPECT_EQ(L"abc", W(field->GetText()));
  EXPECT_CARET(*field, 2, 0);
  field->OnChar(3, 1, 0);   // Ctrl+C
  field->OnChar(9, 1, 0);   // Tab
  field->OnChar(27, 1, 0);  // Escape
  EXPECT_EQ(L"abc", W(field->GetText()));
  field->FindAndSelect(L"bc", 1, 3);
  Type(*field, L"Z");
  EXPECT_EQ(L"aZ", W(field->GetText()));
  field->OnChar(L'!', 3, 0);
  EXPECT_EQ(L"aZ!!!", W(field->GetText()));
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!::OpenClipboard(nullptr)) return L"<not open>";
  HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  if (data != nullptr) {
    text = static_cast<const wchar_t*>(::GlobalLock(data));
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}

void PutOnClipboard(const wchar_t* text) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::SetClipboardData(CF_UNICODETEXT, CopyStringToGlobal(text));
  ::CloseClipboard();
}

TEST(TranspTextEdit, ClipboardCarriesTheSelectedText) {
  PutOnClipboard(L"old");
  auto field = Field(L"hello world");
  field->FindAndSelect(L"world", 6, 11);
  {
    HeldKeys shift({VK_SHIFT});
    Key(*field, VK_DELETE);
  }
  EXPECT_EQ(L"hello ", W(field->GetText()));
  EXPECT_EQ(L"world", ClipboardText());
  field->SetCaret({0, 0});
  field->PasteFromClipboard();
  EXPECT_EQ(L"worldhello ", W(field->GetText()));
  EXPECT_CARET(*field, 5, 0);

  // Cut: only with a selection.
  PutOnClipboard(L"kept");
  EXPECT_EQ(0, field->CutToClipboard());
  EXPECT_EQ(L"kept", ClipboardText());
  field->FindAndSelect(L"hello", 5, 10);
  EXPECT_EQ(1, field->CutToClipboard());
  EXPECT_EQ(L"world ", W(field->GetText()));
  EXPECT_EQ(L"hello", ClipboardText());
  // Pasting over a selection replaces it; a multi-line paste breaks into lines.
  PutOnClipboard(L"one\r\ntwo");
  field->FindAndSelect(L"world", 0, 5);
  field->PasteFromClipboard();
  EXPECT_EQ(L"[one\r\n][two ]", LinesOf(*field));
  EXPECT_CARET(*field, 3, 1);
}

TEST(TranspTextEdit, SingleLineFieldRefusesAPasteThatNeedsASecondLine) {
  FieldOptions single;
  single.singleLine = TRUE;
  auto field = Field(L"ab", single);
  field->SetCaret({1, 0});
  EXPECT_FALSE(field->Paste(L"x\r\ny", FALSE));
  EXPECT_EQ(L"ab", W(field->GetText()));
  EXPECT_CARET(*field, 1, 0);
}

TEST(TranspTextEdit, LabelsAreEditedLikeFields) {
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  CTranspLabel label(nullptr, 20000, 50000, &style, nullptr, L"ab", 0);
  label.SetCaret({2, 0});
  Type(label, L"c\rd");
  EXPECT_EQ(L"[abc\r\n][d]", LinesOf(label));
  label.SetFullSelection();
  EXPECT_EQ(L"abc\r\nd", W(label.GetSelectedText()));
  Key(label, VK_DELETE);
  EXPECT_TRUE(label.IsEmpty());
}

// ---- The view's side: mirrors, form mode, recalculation ----

int g_mode = 0;
int g_recalculations = 0;
std::wstring g_mirrored;
int ProgramMode(CWnd*) { return g_mode; }
void CountRecalculation(CWnd*) { ++g_recalculations; }
void RecordMirrors(CWnd*, CTranspBaseClass* object, LPCWSTR name) {
  g_mirrored += std::wstring(name) + L"=" + W(static_cast<CTranspText*>(object)->GetText()) + L";";
}
const TRANSP_VIEW_LINK kViewLink = {&ProgramMode, nullptr};
const CTranspText::TEXT_VIEW_LINK kTextLink = {nullptr, nullptr, &CountRecalculation, &RecordMirrors, nullptr};

class NumericFieldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CTranspBaseClass::SetViewLink(&kViewLink);
    CTranspText::SetTextViewLink(&kTextLink);
    g_recalculations = 0;
    g_mirrored.clear();
  }
  void TearDown() override {
    CTranspBaseClass::SetViewLink(nullptr);
    CTranspText::SetTextViewLink(nullptr);
    g_mode = 0;
  }
  CWnd view_;  // a view without a window: enough for the mode and the link
};

TEST_F(NumericFieldTest, LeavingCommitsTheTypedText) {
  const struct {
    const wchar_t* typed;
    int mode;
    double value;
    const wchar_t* formula;
    int typedDecimals;
    BOOL blank;
  } cases[] = {
      {L"=A1+1", PROGRAM_MODE_FORM, 0.0, L"", 0, FALSE},   // no formulas while filling in
      {L"=A1+1", 1, 5.0, L"=A1+1", 0, FALSE},              // design: the formula, the value stays
      {L"1.12345678901", 1, 1.12345678901, L"", 9, FALSE},  // at most 9 typed decimals
      {L"2,5", 1, 2.5, L"", 1, FALSE},                     // either separator reads as the point
      {L"0", 1, 0.0, L"", 0, FALSE},                       // a typed 0 is a value
      {L"", 1, 0.0, L"", 0, TRUE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(W(c.typed));
    g_mode = c.mode;
    FieldOptions numeric;
    numeric.dataType = TEXT_TYPE_NUMERIC;
    auto field = Field(nullptr, numeric, &view_);
    field->SetValue(CVariant(5.0));
    field->SetFocused(1);
    EXPECT_EQ(L"5", W(field->GetText()));  // the edit form
    field->SetFullSelection();
    Type(*field, c.typed);
    if (*c.typed == 0) Key(*field, VK_DELETE);
    const int before = g_recalculations;
    field->SetFocused(0);
    EXPECT_EQ(before + 1, g_recalculations);
    EXPECT_DOUBLE_EQ(c.value, field->GetValue().GetDoubleValue());
    EXPECT_EQ(c.formula, W(field->GetFormula()));
    EXPECT_EQ(*c.formula != 0, field->HasFormula());
    _PROPERTIES p;
    field->GetProperties(&p);
    if (!field->HasFormula()) {
      EXPECT_EQ(c.typedDecimals, p.fullNumberDecimals);
    }
    if (c.blank) {
      EXPECT_EQ(L"", W(field->GetText()));
    } else if (c.typed[0] != L'=') {
      EXPECT_FALSE(field->GetText().IsEmpty());
    }
  }
}

// A mirrored plain-text field passes every edit on to the fields that share its name.
TEST_F(NumericFieldTest, MirroredTextFieldTellsItsCopies) {
  auto field = Field(L"a", FieldOptions(), &view_);
  field->SetName(L"Town");
  field->SetCaret({1, 0});
  Type(*field, L"b");
  EXPECT_EQ(L"", g_mirrored);  // not mirrored
  field->SetMirrored(1);
  Type(*field, L"c");
  field->OnChar(13, 1, 0);
  EXPECT_EQ(L"Town=abc;Town=abc\r\n;", g_mirrored);
}

TEST_F(NumericFieldTest, GainingTheFocusShowsTheEditForm) {
  FieldOptions numeric;
  numeric.dataType = TEXT_TYPE_NUMERIC;
  auto field = Field(nullptr, numeric, &view_);
  field->SetValue(CVariant(1234.0));
  const std::wstring shown = W(field->GetText());
  EXPECT_NE(L"1234", shown);  // with its two decimals
  field->SetCaret({static_cast<int>(shown.size()), 0});
  field->SetFocused(1);
  EXPECT_EQ(L"1234", W(field->GetText()));
  EXPECT_CARET(*field, 4, 0);  // inside the shorter text
}

// ---- Undo ----

TEST(TranspTextEdit, UndoSnapshotRoundTrip) {
  auto field = Field(L"first\r\nline");
  field->SetName(L"Name");
  field->SetCaret({2, 1});
  const CUndoState state = field->GetUndoState();
  EXPECT_EQ(2, state.m_lines.GetCount());
  Type(*field, L"xyz");
  field->SetName(L"Other");
  field->MoveBy(100, 200);
  _OBJECT_STYLE style;
  field->CopyObjectStyle(&style);
  style.textColor = 0x123456;
  field->SetObjectStyle(nullptr, &style, nullptr, 0);
  field->SetUndoState(state);
  EXPECT_EQ(L"[first\r\n][line]", LinesOf(*field));
  EXPECT_EQ(L"Name", W(field->GetName()));
  EXPECT_CARET(*field, 2, 1);
  EXPECT_EQ(20000, field->GetPosition().x);
  _OBJECT_STYLE now;
  field->CopyObjectStyle(&now);
  EXPECT_NE(0x123456u, now.textColor);
}

TEST(TranspTextEdit, UndoSnapshotOfANumberKeepsWhatIsBeingTyped) {
  FieldOptions numeric;
  numeric.dataType = TEXT_TYPE_NUMERIC;
  numeric.grouping = 1;
  auto field = Field(nullptr, numeric);
  field->SetValue(CVariant(1234.5));
  ASSERT_NE(std::wstring::npos, W(field->GetText()).find_first_of(L",. \x00A0", 1));  // grouped
  // The display form is not read back: the value stays what it is.
  const CUndoState shown = field->GetUndoState();
  EXPECT_DOUBLE_EQ(1234.5, shown.m_properties.value);
  field->SetFocused(1);
  field->SetFullSelection();
  Type(*field, L"7.");
  const CUndoState typing = field->GetUndoState();
  EXPECT_DOUBLE_EQ(7.0, typing.m_properties.value);
  // Restoring while focused keeps the typed text: a merged keystroke must not reformat it.
  field->SetUndoState(typing);
  EXPECT_EQ(L"7.", W(field->GetText()));
  // An unfocused snapshot comes back as the value in its display form.
  field->SetUndoState(shown);
  EXPECT_DOUBLE_EQ(1234.5, field->GetValue().GetDoubleValue());
  EXPECT_EQ(0, field->IsFocused());
  EXPECT_NE(std::wstring::npos, W(field->GetText()).find(L"234"));
}

// What the view does for every keystroke: a snapshot before, the key, a text command after.
void TypeRecorded(CommandManagerT& manager, CTranspText& field, UINT code) {
  const CUndoState before = field.GetUndoState();
  field.OnChar(code, 1, 0);
  manager.DoCommand(new CModifyTextCommand(before, &field, nullptr));
}

TEST(TranspTextEdit, TypingMergesIntoOneUndoStepUntilEnter) {
  UNDO_VIEW_LINK link = {};
  link.IsLineBreakTyped = &CTranspText::IsLineBreakTypedIn;
  link.ClearTextSelection = &CTranspText::ClearSelectionOf;
  SetUndoViewLink(&link);
  CommandManagerT manager;
  auto field = Field(L"");
  for (UINT c : {L'a', L'b', L'\r', L'c', L'd'}) TypeRecorded(manager, *field, c);
  EXPECT_EQ(L"ab\r\ncd", W(field->GetText()));
  EXPECT_EQ(2u, manager.GetUndoCount());
  manager.Undo();
  EXPECT_EQ(L"ab", W(field->GetText()));
  manager.Undo();
  EXPECT_EQ(L"", W(field->GetText()));
  manager.Redo();
  manager.Redo();
  EXPECT_EQ(L"ab\r\ncd", W(field->GetText()));
  SetUndoViewLink(nullptr);
}

}  // namespace

// The spelling command in the running frame: the text objects of the page are walked word by word
// through the real spell checker component, whose dialog is worked by messages as a user works it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "FrameTestSupport.h"
#include "RecordedMessageBoxes.h"
#include "SpellCheckResource.h"
#include "TranspLabel.h"
#include "TranspText.h"
#include "resource.h"

namespace {

const wchar_t kSettingsKey[] = L"Software\\Vantry\\Spell Checker";
enum { kModeSelect = 12, kModeForm = 23 };

BOOL NoInfoBox(LPCTSTR) { return FALSE; }

// What the user does in each spelling dialog, in order: a button, with a replacement typed first.
struct ANSWER {
  int button;
  const wchar_t* typed;  // null: the offered replacement
};

struct DIALOG_SCRIPT {
  DWORD thread;
  std::vector<ANSWER> answers;
  std::vector<std::wstring> words;  // the words the dialogs showed
};

BOOL CALLBACK FindSpellingDialog(HWND window, LPARAM param) {
  if (!::IsWindowVisible(window) || ::GetDlgItem(window, IDC_SPELL_WORD) == nullptr) return TRUE;
  *reinterpret_cast<HWND*>(param) = window;
  return FALSE;
}

DWORD WINAPI AnswerDialogs(LPVOID param) {
  DIALOG_SCRIPT* script = static_cast<DIALOG_SCRIPT*>(param);
  for (const ANSWER& answer : script->answers) {
    HWND dialog = nullptr;
    for (int i = 0; i < 1000 && dialog == nullptr; ++i) {
      ::EnumThreadWindows(script->thread, FindSpellingDialog, reinterpret_cast<LPARAM>(&dialog));
      if (dialog == nullptr) ::Sleep(10);
    }
    if (dialog == nullptr) return 1;
    script->words.push_back(testing_support::ControlText(dialog, IDC_SPELL_WORD));
    if (answer.typed != nullptr) testing_support::TypeText(dialog, IDC_SPELL_REPLACEMENT, answer.typed);
    testing_support::Click(dialog, answer.button);
    for (int i = 0; i < 1000 && ::IsWindow(dialog); ++i) ::Sleep(10);
  }
  return 0;
}

class ViewSpellingTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    previousInfo_ = SetInfoBoxPresenter(NoInfoBox);
    // The check runs in the user's chosen language.
    DWORD size = sizeof(language_);
    hadLanguage_ = ::RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"Language", RRF_RT_REG_DWORD, nullptr, &language_,
                                  &size) == ERROR_SUCCESS;
    const DWORD english = 1033;
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"Language", REG_DWORD, &english, sizeof(english));
    ASSERT_NE(nullptr, OpenFrame());
    doc_ = NewDocument();
    view_ = ViewOf(doc_);
    ASSERT_NE(nullptr, view_);
  }
  void TearDown() override {
    if (hadLanguage_)
      ::RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"Language", REG_DWORD, &language_, sizeof(language_));
    else
      ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"Language");
    SetInfoBoxPresenter(previousInfo_);
    FrameTest::TearDown();
  }
  CTranspText* Field(const wchar_t* text, int y) {
    return dynamic_cast<CTranspText*>(view_->CreateTextBox(text, CPoint(40, y), 0));
  }
  // Runs the Spelling command as the menu sends it, answering its dialogs; the words they showed.
  std::vector<std::wstring> CheckSpelling(const std::vector<ANSWER>& answers) {
    DIALOG_SCRIPT script = {::GetCurrentThreadId(), answers, {}};
    HANDLE thread = ::CreateThread(nullptr, 0, AnswerDialogs, &script, 0, nullptr);
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_SPELLING, 0), 0);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, 30000));
    DWORD code = 1;
    ::GetExitCodeThread(thread, &code);
    EXPECT_EQ(0u, code) << "a dialog the script waited for did not come";
    ::CloseHandle(thread);
    return script.words;
  }
  static std::wstring Text(CTranspText* text) { return std::wstring(text->GetText()); }
  static std::wstring Loaded(UINT id) {
    CString text;
    text.LoadString(id);
    return std::wstring(text);
  }

  CFolimarDoc* doc_ = nullptr;
  CFolimarView* view_ = nullptr;
  InfoBoxPresenter previousInfo_ = nullptr;
  DWORD language_ = 0;
  bool hadLanguage_ = false;
};

TEST_F(ViewSpellingTest, MisspelledWordsOfTheFieldsAreShownAndReplaced) {
  CTranspText* first = Field(L"Teh quick brown fox", 40);
  CTranspText* second = Field(L"jumps over\r\nthe lazzy dog.", 120);
  CTranspText* label = dynamic_cast<CTranspText*>(view_->CreateLabel(L"Totally rigth", CPoint(40, 200), 0));
  ASSERT_TRUE(first != nullptr && second != nullptr && label != nullptr);
  frame->SetProgramMode(kModeSelect);  // in form filling mode only fields are walked, labels not
  doc_->SetModifiedFlag(FALSE);
  fixtures::RecordedMessageBoxes boxes;
  const std::vector<std::wstring> shown =
      CheckSpelling({{IDC_SPELL_CHANGE, nullptr}, {IDC_SPELL_CHANGE, L"lazy"}, {IDC_SPELL_IGNORE, nullptr}});
  EXPECT_EQ((std::vector<std::wstring>{L"Teh", L"lazzy", L"rigth"}), shown) << "in list order, word by word";
  EXPECT_EQ(L"The quick brown fox", Text(first)) << "the offered replacement";
  EXPECT_EQ(L"jumps over\r\nthe lazy dog.", Text(second)) << "a typed replacement keeps the punctuation";
  EXPECT_EQ(L"Totally rigth", Text(label)) << "an ignored word stays";
  EXPECT_TRUE(doc_->IsModified()) << "the replacements must be saved";
  ASSERT_EQ(1u, boxes.Texts().size());
  EXPECT_EQ(Loaded(IDS_SPELLING_COMPLETE), boxes.Texts()[0]);
  EXPECT_FALSE(view_->GetActiveObjectList()->IsEmpty());
}

TEST_F(ViewSpellingTest, ACancelledCheckStopsWithoutTheCompletionMessage) {
  CTranspText* first = Field(L"Wrng wrods", 40);
  CTranspText* second = Field(L"Anothr", 120);
  ASSERT_TRUE(first != nullptr && second != nullptr);
  doc_->SetModifiedFlag(FALSE);
  fixtures::RecordedMessageBoxes boxes;
  EXPECT_EQ((std::vector<std::wstring>{L"Wrng"}), CheckSpelling({{IDCANCEL, nullptr}}));
  EXPECT_EQ(L"Wrng wrods", Text(first));
  EXPECT_EQ(L"Anothr", Text(second));
  EXPECT_FALSE(doc_->IsModified());
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(ViewSpellingTest, RightTextsNumbersAndOtherObjectsAskNothing) {
  ASSERT_NE(nullptr, Field(L"Everything here is right.", 40));
  // A number field is not checked, whatever its text.
  _PROPERTIES numeric;
  numeric.formatCategory = 1;
  _OBJECT_STYLE style = {};
  frame->GetTextStyleSettings(&style);
  const int formatProperty = 28;
  frame->SetDefaultProperty(&numeric, &style, &formatProperty);
  CTranspText* number = Field(L"", 120);
  ASSERT_NE(nullptr, number);
  ASSERT_TRUE(number->IsNumeric());
  number->SetText(L"Teh 12");
  ASSERT_NE(nullptr, view_->CreateCheckMark(CPoint(300, 40), 0));
  fixtures::RecordedMessageBoxes boxes;
  EXPECT_TRUE(CheckSpelling({}).empty());
  ASSERT_EQ(1u, boxes.Texts().size());
  EXPECT_EQ(Loaded(IDS_SPELLING_COMPLETE), boxes.Texts()[0]);
}

TEST_F(ViewSpellingTest, TheWalkVisitsEveryObjectOnceAndReportsTheWrapRound) {
  CTranspBaseClass* a = Field(L"a", 40);
  CTranspBaseClass* label = view_->CreateLabel(L"b", CPoint(40, 120), 0);
  CTranspBaseClass* c = Field(L"c", 200);
  ASSERT_TRUE(a != nullptr && label != nullptr && c != nullptr);
  const struct {
    int mode;
    BOOL forward;
    std::vector<CTranspBaseClass*> visits;
    std::vector<int> results;
  } cases[] = {
      {kModeSelect, TRUE, {a, label, c, a}, {0, 0, 0, 1}},
      {kModeSelect, FALSE, {a, c, label, a}, {0, 0, 0, 0}},
      {kModeForm, TRUE, {a, c, a}, {0, 0, 1}},  // labels are no fields
      {kModeForm, FALSE, {a, c, a}, {0, 1, 0}},
  };
  for (const auto& w : cases) {
    frame->SetProgramMode(w.mode);
    view_->DeactivateActiveObject();
    for (size_t i = 0; i < w.visits.size(); ++i) {
      EXPECT_EQ(w.results[i], view_->ProcessTabKeyForSpelling(w.forward)) << w.mode << " step " << i;
      EXPECT_EQ(w.visits[i], view_->GetActiveObject()) << w.mode << " step " << i;
    }
  }
}

TEST(ViewSpellingWords, WordsAreSplitAtSpacesAndLineBreaks) {
  const CString text(L"  ab\r\ncd");
  int position = 0, start = -1;
  EXPECT_EQ(L"ab", std::wstring(CFolimarView::EnumWords(text, position, start)));
  EXPECT_EQ(2, start);
  EXPECT_EQ(4, position);
  EXPECT_EQ(L"cd", std::wstring(CFolimarView::EnumWords(text, position, start)));
  EXPECT_EQ(6, start);
  EXPECT_EQ(-1, position);
  position = 0;
  EXPECT_EQ(L"", std::wstring(CFolimarView::EnumWords(CString(L" \r\n "), position, start)));
  EXPECT_EQ(-1, position) << "nothing but separators ends the walk";
}

}  // namespace

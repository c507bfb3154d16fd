// The spell checker component as the program meets it: created through CoCreateInstance by its class
// id (registered in the prefix by the setup), called through the slots of its interface, checking
// words against the English, German and Russian dictionaries beside it, with its dialogs worked by
// messages.
#include "SpellCheckerClient.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "RecordedMessageBoxes.h"
#include "SpellCheckResource.h"
#include "TestSupport.h"

namespace {

const wchar_t kSettingsKey[] = L"Software\\Vantry\\Spell Checker";
enum { kEnglish = 1033, kGerman = 1031, kRussian = 1049 };

std::string Utf8(const wchar_t* text) {
  char out[256] = {};
  ::WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof(out) - 1, nullptr, nullptr);
  return out;
}

// The user's stored language, put back after the test.
class StoredLanguage {
 public:
  StoredLanguage() {
    DWORD size = sizeof(value_);
    had_ = ::RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"Language", RRF_RT_REG_DWORD, nullptr, &value_, &size) ==
           ERROR_SUCCESS;
  }
  ~StoredLanguage() {
    if (had_)
      Set(value_);
    else
      ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"Language");
  }
  static void Set(DWORD lcid) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"Language", REG_DWORD, &lcid, sizeof(lcid));
  }
  static DWORD Get() {
    DWORD value = 0, size = sizeof(value);
    ::RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"Language", RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
  }

 private:
  DWORD value_ = 0;
  bool had_ = false;
};

class SpellCheckerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(checker_.Open()) << "the spell checker is not registered in this prefix (tools/setup)";
  }
  void Start(long language) {
    checker_.Prepare(language);
    checker_.BeginSession();
  }
  BOOL Right(const wchar_t* word) {
    checker_.PutWord(word);
    checker_.CheckWord();
    return checker_.GetAnswer();
  }
  HRESULT FailureOf(const std::function<void()>& call) {
    try {
      call();
    } catch (const _com_error& error) {
      return error.Error();
    }
    return S_OK;
  }
  fixtures::RecordedMessageBoxes boxes_;  // a failing Open tells, and nothing waits for a user
  StoredLanguage stored_;
  CSpellCheckerClient checker_;
};

TEST_F(SpellCheckerTest, WordsOfThreeLanguagesAreCheckedAgainstTheirDictionaries) {
  const struct {
    long language;
    const wchar_t* word;
    bool right;
  } cases[] = {
      {kEnglish, L"spelling", true},       {kEnglish, L"houses", true},
      {kEnglish, L"Unhappiness", true},    {kEnglish, L"well-known", true},
      {kEnglish, L"\"Hello,\"", true},     {kEnglish, L"2024", true},
      {kEnglish, L"recieve", false},       {kEnglish, L"Teh", false},
      {kEnglish, L"Rechtschreibung", false},
      {kGerman, L"Rechtschreibung", true}, {kGerman, L"H\u00E4user", true},
      {kGerman, L"geschrieben", true},     {kGerman, L"Stra\u00DFe.", true},
      {kGerman, L"Hauss", false},          {kGerman, L"schreibne", false},
      {kGerman, L"spelling", false},
      {kRussian, L"\u043E\u0440\u0444\u043E\u0433\u0440\u0430\u0444\u0438\u044F", true},   // орфография
      {kRussian, L"\u041F\u0440\u043E\u0432\u0435\u0440\u043A\u0430", true},               // Проверка
      {kRussian, L"\u0441\u043B\u043E\u0432\u0430\u043C\u0438!", true},                    // словами!
      {kRussian, L"\u043F\u0440\u0430\u0432\u0435\u0440\u043A\u0430", false},              // праверка
      {kRussian, L"spelling", false},
  };
  long current = 0;
  for (const auto& c : cases) {
    if (c.language != current) {
      Start(c.language);
      current = c.language;
    }
    EXPECT_EQ(c.right ? TRUE : FALSE, Right(c.word)) << c.language << " " << Utf8(c.word);
  }
}

TEST_F(SpellCheckerTest, TheDialogChangesIgnoresOrCancelsAWrongWord) {
  Start(kEnglish);
  const struct {
    const wchar_t* typed;  // null: the first suggestion
    int button;
    BOOL answer;
    const wchar_t* word;  // the string property afterwards
  } cases[] = {
      {nullptr, IDC_SPELL_CHANGE, TRUE, L"receive,"},
      {L"perceive", IDC_SPELL_CHANGE, TRUE, L"perceive,"},
      {nullptr, IDC_SPELL_IGNORE, TRUE, L"recieve,"},
      {nullptr, IDCANCEL, FALSE, L"recieve,"},
  };
  for (const auto& c : cases) {
    checker_.PutWord(L"recieve,");
    std::wstring shown, offered;
    testing_support::RunDialog(
        [this] {
          checker_.ShowDialog();
          return static_cast<INT_PTR>(0);
        },
        [&](HWND dialog) {
          shown = testing_support::ControlText(dialog, IDC_SPELL_WORD);
          offered = testing_support::ControlText(dialog, IDC_SPELL_REPLACEMENT);
          if (c.typed != nullptr) testing_support::TypeText(dialog, IDC_SPELL_REPLACEMENT, c.typed);
          testing_support::Click(dialog, c.button);
        });
    EXPECT_EQ(L"recieve", shown) << "the word without its punctuation";
    EXPECT_EQ(L"receive", offered);
    EXPECT_EQ(c.answer, checker_.GetAnswer()) << c.button;
    EXPECT_EQ(std::wstring(c.word), std::wstring(checker_.GetWord())) << c.button;
  }
}

TEST_F(SpellCheckerTest, TheLanguageChoiceIsStoredAndUsedByTheNextSession) {
  StoredLanguage::Set(kEnglish);
  std::vector<std::wstring> offered;
  testing_support::RunDialog(
      [this] {
        checker_.SelectLanguage();
        return static_cast<INT_PTR>(0);
      },
      [&](HWND dialog) {
        HWND list = ::GetDlgItem(dialog, IDC_SPELL_LANGUAGES);
        const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
          wchar_t text[64] = {};
          ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
          offered.push_back(text);
        }
        EXPECT_EQ(0, ::SendMessageW(list, LB_GETCURSEL, 0, 0)) << "the stored language is chosen";
        ::SendMessageW(list, LB_SETCURSEL, 1, 0);
        testing_support::Click(dialog, IDOK);
      });
  EXPECT_EQ((std::vector<std::wstring>{L"English", L"Deutsch", L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439"}), offered);
  EXPECT_TRUE(checker_.GetAnswer());
  EXPECT_EQ(static_cast<DWORD>(kGerman), StoredLanguage::Get());
  Start(0);
  EXPECT_TRUE(Right(L"H\u00E4user")) << "the stored language is the session's";

  // Cancel keeps the stored choice.
  testing_support::RunDialog(
      [this] {
        checker_.SelectLanguage();
        return static_cast<INT_PTR>(0);
      },
      [](HWND dialog) {
        ::SendDlgItemMessageW(dialog, IDC_SPELL_LANGUAGES, LB_SETCURSEL, 2, 0);
        testing_support::Click(dialog, IDCANCEL);
      });
  EXPECT_FALSE(checker_.GetAnswer());
  EXPECT_EQ(static_cast<DWORD>(kGerman), StoredLanguage::Get());
}

TEST_F(SpellCheckerTest, CallsOutOfOrderOrWithAnUnknownLanguageFail) {
  EXPECT_EQ(E_UNEXPECTED, FailureOf([this] { checker_.CheckWord(); })) << "no session yet";
  EXPECT_EQ(E_INVALIDARG, FailureOf([this] { checker_.Prepare(1036); })) << "no French dictionary";
  Start(kEnglish);
  checker_.EndSession();
  EXPECT_EQ(E_UNEXPECTED, FailureOf([this] { checker_.CheckWord(); })) << "after the session";
}

}  // namespace

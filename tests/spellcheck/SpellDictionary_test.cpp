// The dictionary reader and the word check on a small dictionary written in the hunspell format:
// stems, prefixes, suffixes with their conditions, cross products, the special flags and letter case.
#include "SpellDictionary.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace {

std::string Fixture(const wchar_t* name) {
  return testing_support::ReadFileBytes(std::wstring(VANTRY_TEST_DATA_DIR) + L"/" + name);
}

class SpellDictionaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string affixes = Fixture(L"mini.aff"), words = Fixture(L"mini.dic");
    ASSERT_FALSE(affixes.empty());
    ASSERT_FALSE(words.empty());
    ASSERT_TRUE(dictionary.Load(affixes, words));
  }
  CSpellDictionary dictionary;
};

TEST_F(SpellDictionaryTest, WordsAreCheckedByTheirStemsAndAffixes) {
  const struct {
    const char* word;  // UTF-8
    bool right;
    const char* why;
  } cases[] = {
      {"city", true, "a stem"},
      {"cities", true, "suffix y -> ies after a consonant"},
      {"citys", false, "the s suffix is only for stems not ending in y"},
      {"days", true, "s after a vowel and y"},
      {"daies", false, "ies only after a consonant"},
      {"unkind", true, "a prefix"},
      {"undos", true, "prefix and suffix of classes that combine"},
      {"unwalked", false, "walk takes no un"},
      {"kinded", false, "kind takes no ed"},
      {"walk", false, "a stem that needs an affix"},
      {"walked", true, "its suffixed form"},
      {"walks", true, "another suffix"},
      {"baked", true, "the d suffix after e"},
      {"bakeed", false, "ed is only after other letters"},
      {"kinder", false, "a suffix that only builds compounds"},
      {"xyz", false, "a forbidden word"},
      {"comp", false, "a word only inside compounds"},
      {"Berlin", true, "a name"},
      {"berlin", false, "a name keeps its capital"},
      {"BERLIN", true, "all upper case"},
      {"City", true, "a capitalised word at a sentence's start"},
      {"CITIES", true, "upper case of a suffixed word"},
      {"cItY", false, "mixed case"},
      {"NASA", true, "an upper-case stem"},
      {"Nasa", false, "not as a capitalised word"},
      {"\xC3\xBC" "ber", true, "a German letter"},
      {"\xC3\x9C" "ber", true, "capitalised with its umlaut"},
      {"\xD0\xB4\xD0\xBE\xD0\xBC\xD0\xB0", true, "a Cyrillic stem with its suffix"},
      {"\xD0\x94\xD0\xBE\xD0\xBC", true, "a capitalised Cyrillic word"},
      {"\xD0\xB4\xD0\xBE\xD0\xBC\xD1\x8B", false, "a suffix the stem does not take"},
      {"", false, "nothing"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.right, dictionary.Check(CSpellDictionary::FromUtf8(c.word))) << c.word << ": " << c.why;
}

TEST_F(SpellDictionaryTest, SuggestionsAreRightWordsOneSlipAway) {
  const struct {
    const wchar_t* typed;
    std::vector<std::wstring> expected;
  } cases[] = {
      {L"ctiy", {L"city"}},             // two letters swapped
      {L"citties", {L"cities"}},        // one too many
      {L"citees", {L"cities"}},         // one wrong
      {L"bakd", {L"bake", L"baked"}},   // one wrong, or one missing
      {L"berlin", {L"Berlin"}},         // a lost capital
      {L"qqqqqq", {}},                  // nothing near
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, dictionary.Suggest(c.typed, 5)) << c.typed;
  EXPECT_TRUE(dictionary.Suggest(L"dys", 0).empty()) << "a limit of none";
}

TEST(SpellDictionaryLoad, AnUnsoundDictionaryIsRefusedAndLeftEmpty) {
  const std::string affixes = "SET UTF-8\nSFX S Y 2\nSFX S 0 s .\n";  // a class cut short
  const std::string words = "2\ncity/S\nday/S\n";
  const struct {
    std::string affixes, words;
    const char* why;
  } cases[] = {
      {affixes, words, "an affix class with fewer entries than its header counts"},
      {"SET UTF-8\n", "city\nday\n", "a word list without its count line"},
      {"SET UTF-8\nSFX S Y\n", words, "a class header without its count"},
  };
  for (const auto& c : cases) {
    CSpellDictionary dictionary;
    EXPECT_FALSE(dictionary.Load(c.affixes, c.words)) << c.why;
    EXPECT_FALSE(dictionary.IsLoaded()) << c.why;
    EXPECT_FALSE(dictionary.Check(L"city")) << c.why;
  }
}

TEST(SpellDictionaryText, Utf8RoundTripsAndBadBytesBecomeReplacementCharacters) {
  const std::string text = "Stra\xC3\x9F" "e \xD0\xB4\xD0\xBE\xD0\xBC \xF0\x9F\x98\x80";
  const std::wstring wide = CSpellDictionary::FromUtf8(text);
  EXPECT_EQ(std::wstring(L"Stra\u00DFe \u0434\u043E\u043C \xD83D\xDE00"), wide);
  EXPECT_EQ(text, CSpellDictionary::ToUtf8(wide));
  EXPECT_EQ(std::wstring(L"a\uFFFDb\uFFFD"), CSpellDictionary::FromUtf8("a\x80" "b\xC3"));
}

}  // namespace

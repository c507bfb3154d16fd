// A word list with affix rules in the format of the hunspell dictionaries (an .aff file of prefix and
// suffix classes, a .dic file of stems with their class flags), checked without expanding it: a word is
// right when it is a stem, or a stem with one suffix, one prefix, or both where the classes allow it.
// Compounding is not done: a compound that is not listed is reported wrong.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

class CSpellDictionary {
 public:
  // Both texts in UTF-8, as the dictionary packages ship them. False, with the dictionary left
  // empty, when the word list's count line is missing or an affix class is cut short.
  bool Load(const std::string& affixText, const std::string& wordText);
  bool IsLoaded() const { return !m_words.empty(); }

  // The word as typed; a capitalised or upper-case word is also found in lower case.
  bool Check(const std::wstring& word) const;
  // Right words one edit away, at most `limit`, the likeliest slip first: a lost capital, two letters
  // swapped, one dropped, one of the affix file's TRY letters put in place of one, one missing.
  std::vector<std::wstring> Suggest(const std::wstring& word, size_t limit) const;

  static std::wstring FromUtf8(const std::string& text);
  static std::string ToUtf8(const std::wstring& text);
  // Case mapping of the Latin and Cyrillic letters the three dictionaries hold.
  static wchar_t Lower(wchar_t c);
  static wchar_t Upper(wchar_t c);

 private:
  // One position of an affix condition: any letter, or a set of letters (negated with ^).
  struct CONDITION_ITEM {
    bool any = false;
    bool negate = false;
    std::wstring letters;
    bool Matches(wchar_t c) const;
  };
  struct AFFIX {
    wchar_t flag = 0;
    bool cross = false;
    std::wstring strip;
    std::wstring add;
    std::vector<CONDITION_ITEM> condition;
  };

  bool ParseAffixes(const std::wstring& text);
  bool ParseWords(const std::wstring& text);
  bool CheckExact(const std::wstring& word) const;
  // The stem's entries (one per homonym line), null when it is not listed.
  const std::vector<std::wstring>* Find(const std::wstring& stem) const;
  bool StemStandsAlone(const std::wstring& stem) const;
  bool StemTakes(const std::wstring& stem, wchar_t flag, wchar_t other) const;
  bool CheckPrefixed(const std::wstring& word, wchar_t suffixFlag) const;
  static bool ConditionHolds(const std::vector<CONDITION_ITEM>& condition, const std::wstring& stem, bool atEnd);
  static std::vector<CONDITION_ITEM> ParseCondition(const std::wstring& text);

  std::unordered_map<std::wstring, std::vector<std::wstring>> m_words;
  std::vector<AFFIX> m_prefixes;
  std::vector<AFFIX> m_suffixes;
  // Affix entries by the text they add, so a word only meets the entries that can have made it.
  std::unordered_map<std::wstring, std::vector<size_t>> m_prefixByAdd;
  std::unordered_map<std::wstring, std::vector<size_t>> m_suffixByAdd;
  size_t m_longestPrefix = 0;
  size_t m_longestSuffix = 0;
  std::wstring m_tryLetters;
  wchar_t m_needAffix = 0;
  wchar_t m_forbidden = 0;
  wchar_t m_onlyInCompound = 0;
};

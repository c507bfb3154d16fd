#include "SpellDictionary.h"

#include <algorithm>
#include <sstream>
#include <unordered_set>

namespace {

std::vector<std::wstring> Fields(const std::wstring& line) {
  std::vector<std::wstring> fields;
  std::wistringstream in(line);
  std::wstring field;
  while (in >> field) fields.push_back(field);
  return fields;
}

std::wstring ZeroIsEmpty(const std::wstring& text) { return text == L"0" ? std::wstring() : text; }

bool Contains(const std::wstring& flags, wchar_t flag) { return flag != 0 && flags.find(flag) != std::wstring::npos; }

}  // namespace

wchar_t CSpellDictionary::Lower(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<wchar_t>(c + 32);
  if (c >= 0x410 && c <= 0x42F) return static_cast<wchar_t>(c + 32);
  if (c >= 0x400 && c <= 0x40F) return static_cast<wchar_t>(c + 80);
  return c;
}

wchar_t CSpellDictionary::Upper(wchar_t c) {
  if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<wchar_t>(c - 32);
  if (c >= 0x430 && c <= 0x44F) return static_cast<wchar_t>(c - 32);
  if (c >= 0x450 && c <= 0x45F) return static_cast<wchar_t>(c - 80);
  return c;
}

std::wstring CSpellDictionary::FromUtf8(const std::string& text) {
  std::wstring out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    unsigned long code = lead;
    size_t extra = 0;
    if (lead >= 0xF0) {
      code = lead & 0x07;
      extra = 3;
    } else if (lead >= 0xE0) {
      code = lead & 0x0F;
      extra = 2;
    } else if (lead >= 0xC0) {
      code = lead & 0x1F;
      extra = 1;
    } else if (lead >= 0x80) {
      code = 0xFFFD;  // a stray continuation byte
    }
    ++i;
    for (size_t k = 0; k < extra; ++k, ++i) {
      if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
        code = 0xFFFD;
        break;
      }
      code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    }
    if (code >= 0x10000 && code <= 0x10FFFF) {
      code -= 0x10000;
      out += static_cast<wchar_t>(0xD800 + (code >> 10));
      out += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
    } else {
      out += static_cast<wchar_t>(code > 0xFFFF ? 0xFFFD : code);
    }
  }
  return out;
}

std::string CSpellDictionary::ToUtf8(const std::wstring& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned long code = static_cast<unsigned short>(text[i]);
    if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size()) {
      code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<unsigned short>(text[++i]) - 0xDC00);
    }
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

bool CSpellDictionary::CONDITION_ITEM::Matches(wchar_t c) const {
  if (any) return true;
  const bool listed = letters.find(c) != std::wstring::npos;
  return negate ? !listed : listed;
}

std::vector<CSpellDictionary::CONDITION_ITEM> CSpellDictionary::ParseCondition(const std::wstring& text) {
  std::vector<CONDITION_ITEM> items;
  if (text == L".") return items;  // no condition at all
  for (size_t i = 0; i < text.size(); ++i) {
    CONDITION_ITEM item;
    if (text[i] == L'.') {
      item.any = true;
    } else if (text[i] == L'[') {
      size_t end = text.find(L']', i);
      if (end == std::wstring::npos) end = text.size();
      size_t first = i + 1;
      if (first < end && text[first] == L'^') {
        item.negate = true;
        ++first;
      }
      item.letters = text.substr(first, end - first);
      i = end;
    } else {
      item.letters = std::wstring(1, text[i]);
    }
    items.push_back(item);
  }
  return items;
}

bool CSpellDictionary::ConditionHolds(const std::vector<CONDITION_ITEM>& condition, const std::wstring& stem,
                                      bool atEnd) {
  if (condition.size() > stem.size()) return false;
  const size_t offset = atEnd ? stem.size() - condition.size() : 0;
  for (size_t i = 0; i < condition.size(); ++i)
    if (!condition[i].Matches(stem[offset + i])) return false;
  return true;
}

bool CSpellDictionary::ParseAffixes(const std::wstring& text) {
  std::wistringstream lines(text);
  std::wstring line;
  wchar_t circumfix = 0;
  std::vector<std::pair<AFFIX, std::wstring>> entries[2];  // prefixes, suffixes, with continuation flags
  bool cross = false;
  size_t pending = 0;
  std::wstring pendingKind;
  while (std::getline(lines, line)) {
    const std::vector<std::wstring> f = Fields(line);
    if (f.empty() || f[0][0] == L'#') continue;
    auto single = [&f](wchar_t& target) {
      if (f.size() > 1) target = f[1][0];
    };
    if (f[0] == L"TRY" && f.size() > 1) m_tryLetters = f[1];
    if (f[0] == L"NEEDAFFIX") single(m_needAffix);
    if (f[0] == L"FORBIDDENWORD") single(m_forbidden);
    if (f[0] == L"ONLYINCOMPOUND") single(m_onlyInCompound);
    if (f[0] == L"CIRCUMFIX") single(circumfix);
    if (f[0] != L"PFX" && f[0] != L"SFX") continue;
    if (pending == 0) {
      // A class header: flag, cross product Y or N, number of entries.
      if (f.size() < 4) return false;
      cross = f[2] == L"Y";
      pending = static_cast<size_t>(std::wcstoul(f[3].c_str(), nullptr, 10));
      pendingKind = f[0];
      continue;
    }
    if (f.size() < 5 || f[0] != pendingKind) return false;
    --pending;
    AFFIX affix;
    affix.flag = f[1][0];
    affix.cross = cross;
    affix.strip = ZeroIsEmpty(f[2]);
    std::wstring add = f[3], continuation;
    const size_t slash = add.find(L'/');
    if (slash != std::wstring::npos) {
      continuation = add.substr(slash + 1);
      add = add.substr(0, slash);
    }
    affix.add = ZeroIsEmpty(add);
    affix.condition = ParseCondition(f[4]);
    entries[f[0] == L"PFX" ? 0 : 1].push_back({affix, continuation});
  }
  if (pending != 0) return false;
  // Entries that only build compounds or need a further affix make no word on their own here.
  for (int kind = 0; kind < 2; ++kind) {
    for (const auto& entry : entries[kind]) {
      const std::wstring& c = entry.second;
      if (Contains(c, m_onlyInCompound) || Contains(c, m_needAffix) || Contains(c, circumfix)) continue;
      std::vector<AFFIX>& list = kind == 0 ? m_prefixes : m_suffixes;
      auto& index = kind == 0 ? m_prefixByAdd : m_suffixByAdd;
      size_t& longest = kind == 0 ? m_longestPrefix : m_longestSuffix;
      index[entry.first.add].push_back(list.size());
      longest = std::max(longest, entry.first.add.size());
      list.push_back(entry.first);
    }
  }
  return true;
}

bool CSpellDictionary::ParseWords(const std::wstring& text) {
  std::wistringstream lines(text);
  std::wstring line;
  if (!std::getline(lines, line) || std::wcstoul(line.c_str(), nullptr, 10) == 0) return false;
  while (std::getline(lines, line)) {
    // Lines that open with white space are comments (the German list has a block of them).
    if (line.empty() || line[0] == L' ' || line[0] == L'\t' || line[0] == L'#') continue;
    const size_t end = line.find_first_of(L" \t\r");
    if (end != std::wstring::npos) line.erase(end);
    std::wstring word, flags;
    size_t slash = std::wstring::npos;
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i] == L'\\' && i + 1 < line.size() && line[i + 1] == L'/') {
        word += L'/';
        ++i;
      } else if (line[i] == L'/') {
        slash = i;
        break;
      } else {
        word += line[i];
      }
    }
    if (slash != std::wstring::npos) flags = line.substr(slash + 1);
    if (!word.empty()) m_words[word].push_back(flags);
  }
  return !m_words.empty();
}

bool CSpellDictionary::Load(const std::string& affixText, const std::string& wordText) {
  *this = CSpellDictionary();
  if (!ParseAffixes(FromUtf8(affixText)) || !ParseWords(FromUtf8(wordText))) {
    *this = CSpellDictionary();
    return false;
  }
  return true;
}

const std::vector<std::wstring>* CSpellDictionary::Find(const std::wstring& stem) const {
  const auto found = m_words.find(stem);
  return found == m_words.end() ? nullptr : &found->second;
}

bool CSpellDictionary::StemStandsAlone(const std::wstring& stem) const {
  const std::vector<std::wstring>* entries = Find(stem);
  if (entries == nullptr) return false;
  for (const std::wstring& flags : *entries)
    if (!Contains(flags, m_needAffix) && !Contains(flags, m_onlyInCompound) && !Contains(flags, m_forbidden))
      return true;
  return false;
}

bool CSpellDictionary::StemTakes(const std::wstring& stem, wchar_t flag, wchar_t other) const {
  const std::vector<std::wstring>* entries = Find(stem);
  if (entries == nullptr) return false;
  for (const std::wstring& flags : *entries)
    if (Contains(flags, flag) && (other == 0 || Contains(flags, other)) && !Contains(flags, m_onlyInCompound) &&
        !Contains(flags, m_forbidden))
      return true;
  return false;
}

// The word less one prefix; with `suffixFlag` the stem must take that suffix too (a cross product).
bool CSpellDictionary::CheckPrefixed(const std::wstring& word, wchar_t suffixFlag) const {
  for (size_t length = 1; length <= m_longestPrefix && length < word.size(); ++length) {
    const auto found = m_prefixByAdd.find(word.substr(0, length));
    if (found == m_prefixByAdd.end()) continue;
    for (size_t index : found->second) {
      const AFFIX& prefix = m_prefixes[index];
      if (suffixFlag != 0 && !prefix.cross) continue;
      const std::wstring stem = prefix.strip + word.substr(length);
      if (ConditionHolds(prefix.condition, stem, false) && StemTakes(stem, prefix.flag, suffixFlag)) return true;
    }
  }
  return false;
}

bool CSpellDictionary::CheckExact(const std::wstring& word) const {
  if (word.empty()) return false;
  const std::vector<std::wstring>* entries = Find(word);
  if (entries != nullptr)
    for (const std::wstring& flags : *entries)
      if (Contains(flags, m_forbidden)) return false;
  if (StemStandsAlone(word)) return true;
  for (size_t length = 0; length <= m_longestSuffix && length < word.size(); ++length) {
    const auto found = m_suffixByAdd.find(word.substr(word.size() - length));
    if (found == m_suffixByAdd.end()) continue;
    const std::wstring base = word.substr(0, word.size() - length);
    for (size_t index : found->second) {
      const AFFIX& suffix = m_suffixes[index];
      const std::wstring stem = base + suffix.strip;
      if (!ConditionHolds(suffix.condition, stem, true)) continue;
      if (StemTakes(stem, suffix.flag, 0)) return true;
      if (suffix.cross && CheckPrefixed(stem, suffix.flag)) return true;
    }
  }
  return CheckPrefixed(word, 0);
}

bool CSpellDictionary::Check(const std::wstring& word) const {
  if (CheckExact(word)) return true;
  if (word.empty()) return false;
  std::wstring lower(word);
  std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
  const bool capitalised = word[0] == Upper(word[0]) && word[0] != lower[0] && word.substr(1) == lower.substr(1);
  std::wstring upper(word);
  std::transform(upper.begin(), upper.end(), upper.begin(), Upper);
  const bool allUpper = word == upper && word != lower;
  // At the start of a sentence a lower-case word is capitalised; in a heading it is all upper case.
  if ((capitalised || allUpper) && CheckExact(lower)) return true;
  if (allUpper && word.size() > 1) return CheckExact(std::wstring(1, word[0]) + lower.substr(1));
  return false;
}

std::vector<std::wstring> CSpellDictionary::Suggest(const std::wstring& word, size_t limit) const {
  std::vector<std::wstring> out;
  std::unordered_set<std::wstring> seen;
  auto offer = [&](const std::wstring& candidate) {
    if (out.size() >= limit || candidate.empty() || !seen.insert(candidate).second) return;
    if (Check(candidate)) out.push_back(candidate);
  };
  seen.insert(word);
  if (!word.empty()) offer(std::wstring(1, Upper(word[0])) + word.substr(1));  // a name typed in lower case
  for (size_t i = 0; i + 1 < word.size(); ++i) {
    std::wstring swapped(word);
    std::swap(swapped[i], swapped[i + 1]);
    offer(swapped);
  }
  for (size_t i = 0; i < word.size(); ++i) offer(word.substr(0, i) + word.substr(i + 1));
  for (size_t i = 0; i < word.size(); ++i)
    for (wchar_t letter : m_tryLetters) {
      std::wstring replaced(word);
      replaced[i] = letter;
      offer(replaced);
    }
  for (size_t i = 0; i <= word.size(); ++i)
    for (wchar_t letter : m_tryLetters) offer(word.substr(0, i) + letter + word.substr(i));
  return out;
}

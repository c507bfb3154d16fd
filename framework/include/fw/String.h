// CString (UTF-16) and CStringA (8-bit): one template over the character type, header-only so each
// module's LoadString finds the strings of the module that calls it.
#pragma once
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <wchar.h>

#include <algorithm>
#include <string>
#include <type_traits>
#include <utility>

#include "fw/AfxCore.h"
#include "fw/ModuleState.h"

#include <oleauto.h>

template <typename T>
class CStringT;

namespace fw_string {

// Character-type specific calls; the generic template below uses nothing else.
template <typename T>
struct Traits;

template <>
struct Traits<wchar_t> {
  static int Length(const wchar_t* s) { return static_cast<int>(wcslen(s)); }
  static int Compare(const wchar_t* a, const wchar_t* b) { return wcscmp(a, b); }
  static int CompareNoCase(const wchar_t* a, const wchar_t* b) { return _wcsicmp(a, b); }
  static int Collate(const wchar_t* a, const wchar_t* b) { return wcscoll(a, b); }
  static bool IsSpace(wchar_t c) { return iswspace(c) != 0; }
  static void Upper(wchar_t* s, int n) { if (n > 0) CharUpperBuffW(s, n); }
  static void Lower(wchar_t* s, int n) { if (n > 0) CharLowerBuffW(s, n); }
  // The C runtime's own printf, so %s means a wide string as the Windows headers document it.
  static int FormattedLength(const wchar_t* format, va_list args) { return _vscwprintf(format, args); }
  static int FormatInto(wchar_t* out, size_t chars, const wchar_t* format, va_list args) {
    return _vsnwprintf(out, chars, format, args);
  }
};

template <>
struct Traits<char> {
  static int Length(const char* s) { return static_cast<int>(strlen(s)); }
  static int Compare(const char* a, const char* b) { return strcmp(a, b); }
  static int CompareNoCase(const char* a, const char* b) { return _stricmp(a, b); }
  static int Collate(const char* a, const char* b) { return strcoll(a, b); }
  static bool IsSpace(char c) { return isspace(static_cast<unsigned char>(c)) != 0; }
  static void Upper(char* s, int n) { if (n > 0) CharUpperBuffA(s, n); }
  static void Lower(char* s, int n) { if (n > 0) CharLowerBuffA(s, n); }
  static int FormattedLength(const char* format, va_list args) { return _vscprintf(format, args); }
  static int FormatInto(char* out, size_t chars, const char* format, va_list args) {
    return _vsnprintf(out, chars, format, args);
  }
};

// Wide text to 8-bit text in code page `codePage` (and back); lengths in characters, -1 = terminated.
inline std::string Narrow(const wchar_t* s, int length, UINT codePage = CP_THREAD_ACP) {
  if (!s) return std::string();
  if (length < 0) length = static_cast<int>(wcslen(s));
  if (length == 0) return std::string();
  const int bytes = WideCharToMultiByte(codePage, 0, s, length, nullptr, 0, nullptr, nullptr);
  std::string out(bytes > 0 ? bytes : 0, '\0');
  if (bytes > 0) WideCharToMultiByte(codePage, 0, s, length, &out[0], bytes, nullptr, nullptr);
  return out;
}

inline std::wstring Widen(const char* s, int length, UINT codePage = CP_THREAD_ACP) {
  if (!s) return std::wstring();
  if (length < 0) length = static_cast<int>(strlen(s));
  if (length == 0) return std::wstring();
  const int chars = MultiByteToWideChar(codePage, 0, s, length, nullptr, 0);
  std::wstring out(chars > 0 ? chars : 0, L'\0');
  if (chars > 0) MultiByteToWideChar(codePage, 0, s, length, &out[0], chars);
  return out;
}

inline std::basic_string<wchar_t> Convert(const char* s, int n, wchar_t*) { return Widen(s, n); }
inline std::basic_string<char> Convert(const wchar_t* s, int n, char*) { return Narrow(s, n); }
inline std::basic_string<wchar_t> Convert(const wchar_t* s, int n, wchar_t*) {
  if (!s) return std::wstring();
  return n < 0 ? std::wstring(s) : std::wstring(s, n);
}

template <typename X>
struct IsCString : std::false_type {};
template <typename C>
struct IsCString<CStringT<C>> : std::true_type {};

// Format arguments: a string object passes its characters, everything else passes as it is.
template <typename A, typename = std::enable_if_t<!IsCString<std::decay_t<A>>::value>>
A FormatArg(A value) {
  return value;
}
template <typename C>
const C* FormatArg(const CStringT<C>& value) {
  return value.GetString();
}

}  // namespace fw_string

template <typename T>
class CStringT {
 public:
  typedef T XCHAR;
  typedef T* PXSTR;
  typedef const T* PCXSTR;
  using Other = std::conditional_t<std::is_same<T, wchar_t>::value, char, wchar_t>;
  using Traits = fw_string::Traits<T>;

  CStringT() = default;
  CStringT(const CStringT&) = default;
  CStringT(CStringT&&) noexcept = default;
  CStringT& operator=(const CStringT&) = default;
  CStringT& operator=(CStringT&&) noexcept = default;

  // A MAKEINTRESOURCE value loads that string of the calling module, as the framework always did.
  CStringT(const T* s) {
    if (s && IS_INTRESOURCE(s)) {
      LoadString(static_cast<UINT>(reinterpret_cast<UINT_PTR>(s)));
    } else if (s) {
      text_ = s;
    }
  }
  CStringT(const T* s, int length) {
    if (s && length > 0) text_.assign(s, length);
  }
  CStringT(const Other* s) : text_(fw_string::Convert(s, -1, static_cast<T*>(nullptr))) {}
  CStringT(const Other* s, int length) {
    if (s && length > 0) text_ = fw_string::Convert(s, length, static_cast<T*>(nullptr));
  }
  CStringT(const CStringT<Other>& s)
      : text_(fw_string::Convert(s.GetString(), s.GetLength(), static_cast<T*>(nullptr))) {}
  explicit CStringT(T ch, int repeat = 1) {
    if (repeat > 0) text_.assign(repeat, ch);
  }
  explicit CStringT(const std::basic_string<T>& s) : text_(s) {}

  CStringT& operator=(const T* s) {
    SetString(s);
    return *this;
  }
  CStringT& operator=(const Other* s) {
    text_ = fw_string::Convert(s, -1, static_cast<T*>(nullptr));
    return *this;
  }
  CStringT& operator=(const CStringT<Other>& s) {
    text_ = fw_string::Convert(s.GetString(), s.GetLength(), static_cast<T*>(nullptr));
    return *this;
  }
  CStringT& operator=(T ch) {
    text_.assign(1, ch);
    return *this;
  }

  // Length and access
  int GetLength() const { return static_cast<int>(text_.size()); }
  bool IsEmpty() const { return text_.empty(); }
  void Empty() { text_.clear(); }
  const T* GetString() const { return text_.c_str(); }
  operator const T*() const { return text_.c_str(); }
  T GetAt(int index) const {
    ASSERT(index >= 0 && index <= GetLength());
    return text_.c_str()[index];
  }
  T operator[](int index) const { return GetAt(index); }
  void SetAt(int index, T ch) {
    ASSERT(index >= 0 && index < GetLength());
    text_[index] = ch;
  }
  void SetString(const T* s) {
    if (s) text_ = s;
    else text_.clear();
  }
  void SetString(const T* s, int length) {
    if (s && length > 0) text_.assign(s, length);
    else text_.clear();
  }
  const std::basic_string<T>& Str() const { return text_; }

  // Direct buffer access: GetBuffer(n) makes room for n characters; ReleaseBuffer(-1) takes the text up
  // to the first NUL, ReleaseBuffer(n) keeps n characters.
  T* GetBuffer() { return &text_[0]; }
  T* GetBuffer(int minLength) {
    if (minLength > GetLength()) text_.resize(minLength);
    return &text_[0];
  }
  T* GetBufferSetLength(int length) {
    text_.resize(length > 0 ? length : 0);
    return &text_[0];
  }
  void ReleaseBuffer(int newLength = -1) {
    if (newLength < 0) newLength = Traits::Length(text_.c_str());
    if (newLength > GetLength()) newLength = GetLength();
    text_.resize(newLength);
  }
  void ReleaseBufferSetLength(int newLength) { ReleaseBuffer(newLength); }
  void Preallocate(int length) {
    if (length > 0) text_.reserve(length);
  }
  void Truncate(int length) {
    if (length >= 0 && length < GetLength()) text_.resize(length);
  }

  // Pieces
  CStringT Mid(int first) const { return Mid(first, GetLength()); }
  CStringT Mid(int first, int count) const {
    if (first < 0) first = 0;
    if (count < 0) count = 0;
    if (first > GetLength()) first = GetLength();
    if (count > GetLength() - first) count = GetLength() - first;
    return CStringT(text_.substr(first, count));
  }
  CStringT Left(int count) const { return Mid(0, count); }
  CStringT Right(int count) const {
    if (count < 0) count = 0;
    if (count > GetLength()) count = GetLength();
    return Mid(GetLength() - count, count);
  }
  CStringT SpanIncluding(const T* set) const { return Left(Span(0, set, true)); }
  CStringT SpanExcluding(const T* set) const { return Left(Span(0, set, false)); }

  // Next token after `start` separated by any of `tokens`; `start` moves past it, and becomes -1 with
  // an empty result when no token is left.
  CStringT Tokenize(const T* tokens, int& start) const {
    if (start < 0 || start >= GetLength()) {
      start = -1;
      return CStringT();
    }
    if (!tokens || !*tokens) {
      CStringT rest = Mid(start);
      start = GetLength();
      return rest;
    }
    const int from = start + Span(start, tokens, true);
    if (from >= GetLength()) {
      start = -1;
      return CStringT();
    }
    const int count = Span(from, tokens, false);
    start = from + count + 1;
    return Mid(from, count);
  }

  // Searching; every result is an index or -1.
  int Find(T ch, int start = 0) const {
    if (start < 0 || start >= GetLength()) return -1;
    const size_t at = text_.find(ch, start);
    return at == std::basic_string<T>::npos ? -1 : static_cast<int>(at);
  }
  int Find(const T* sub, int start = 0) const {
    if (!sub || start < 0 || start > GetLength()) return -1;
    const size_t at = text_.find(sub, start);
    return at == std::basic_string<T>::npos ? -1 : static_cast<int>(at);
  }
  int ReverseFind(T ch) const {
    const size_t at = text_.rfind(ch);
    return at == std::basic_string<T>::npos ? -1 : static_cast<int>(at);
  }
  int FindOneOf(const T* set) const {
    if (!set || !*set) return -1;
    const size_t at = text_.find_first_of(set);
    return at == std::basic_string<T>::npos ? -1 : static_cast<int>(at);
  }

  // Editing; each returns what the framework always returned (counts or the new length).
  int Replace(T oldCh, T newCh) {
    int count = 0;
    for (T& c : text_) {
      if (c == oldCh) {
        c = newCh;
        ++count;
      }
    }
    return count;
  }
  int Replace(const T* oldText, const T* newText) {
    if (!oldText || !*oldText) return 0;
    const std::basic_string<T> from(oldText), to(newText ? newText : EmptyText());
    int count = 0;
    for (size_t at = text_.find(from); at != std::basic_string<T>::npos; at = text_.find(from, at + to.size())) {
      text_.replace(at, from.size(), to);
      ++count;
    }
    return count;
  }
  int Remove(T ch) {
    const size_t before = text_.size();
    text_.erase(std::remove(text_.begin(), text_.end(), ch), text_.end());
    return static_cast<int>(before - text_.size());
  }
  int Insert(int index, T ch) { return Insert(index, CStringT(ch).GetString()); }
  int Insert(int index, const T* s) {
    if (index < 0) index = 0;
    if (index > GetLength()) index = GetLength();
    if (s) text_.insert(index, s);
    return GetLength();
  }
  int Delete(int index, int count = 1) {
    if (index < 0) index = 0;
    if (count > 0 && index < GetLength()) text_.erase(index, count);
    return GetLength();
  }
  CStringT& Append(const T* s) {
    if (s) text_ += s;
    return *this;
  }
  CStringT& Append(const T* s, int length) {
    if (s && length > 0) text_.append(s, length);
    return *this;
  }
  CStringT& AppendChar(T ch) {
    text_ += ch;
    return *this;
  }

  // Trimming white space (Trim()), one character or any of a set of characters.
  CStringT& Trim() { return TrimRight().TrimLeft(); }
  CStringT& Trim(T ch) { return TrimRight(ch).TrimLeft(ch); }
  CStringT& Trim(const T* set) { return TrimRight(set).TrimLeft(set); }
  CStringT& TrimLeft() { return TrimLeftWhere([](T c) { return Traits::IsSpace(c); }); }
  CStringT& TrimLeft(T ch) { return TrimLeftWhere([ch](T c) { return c == ch; }); }
  CStringT& TrimLeft(const T* set) { return TrimLeftWhere([set](T c) { return InSet(set, c); }); }
  CStringT& TrimRight() { return TrimRightWhere([](T c) { return Traits::IsSpace(c); }); }
  CStringT& TrimRight(T ch) { return TrimRightWhere([ch](T c) { return c == ch; }); }
  CStringT& TrimRight(const T* set) { return TrimRightWhere([set](T c) { return InSet(set, c); }); }

  // Case: the system's case tables, so Cyrillic and accented Latin letters change too.
  CStringT& MakeUpper() {
    Traits::Upper(&text_[0], GetLength());
    return *this;
  }
  CStringT& MakeLower() {
    Traits::Lower(&text_[0], GetLength());
    return *this;
  }
  CStringT& MakeReverse() {
    std::reverse(text_.begin(), text_.end());
    return *this;
  }

  int Compare(const T* s) const { return Traits::Compare(GetString(), s ? s : EmptyText()); }
  int CompareNoCase(const T* s) const { return Traits::CompareNoCase(GetString(), s ? s : EmptyText()); }
  int Collate(const T* s) const { return Traits::Collate(GetString(), s ? s : EmptyText()); }

  // printf-style formatting (the C runtime's rules); CString arguments may be passed as they are.
  template <typename... Args>
  void Format(const T* format, Args&&... args) {
    text_.clear();
    AppendFormatList(format, fw_string::FormatArg(args)...);
  }
  template <typename... Args>
  void Format(UINT formatId, Args&&... args) {
    CStringT format;
    format.LoadString(formatId);
    Format(format.GetString(), std::forward<Args>(args)...);
  }
  template <typename... Args>
  void AppendFormat(const T* format, Args&&... args) {
    AppendFormatList(format, fw_string::FormatArg(args)...);
  }
  void FormatV(const T* format, va_list args) {
    text_.clear();
    AppendFormatV(format, args);
  }
  void AppendFormatV(const T* format, va_list args) {
    if (!format) return;
    va_list counting;
    va_copy(counting, args);
    const int length = Traits::FormattedLength(format, counting);
    va_end(counting);
    if (length <= 0) return;
    const size_t old = text_.size();
    text_.resize(old + length + 1);
    Traits::FormatInto(&text_[old], length + 1, format, args);
    text_.resize(old + length);
  }

  // String `id` of the calling module's table in the chosen resource language, else of the host or a
  // registered extension library. FALSE leaves the string as it was.
  BOOL LoadString(UINT id) { return LoadStringFrom(AfxGetCallingModule(), id); }
  BOOL LoadString(HINSTANCE module, UINT id) { return LoadStringFrom(module, id); }

  BSTR AllocSysString() const {
    const std::wstring wide = fw_string::Convert(GetString(), GetLength(), static_cast<wchar_t*>(nullptr));
    return SysAllocStringLen(wide.c_str(), static_cast<UINT>(wide.size()));
  }

  CStringT& operator+=(const CStringT& s) {
    text_ += s.text_;
    return *this;
  }
  CStringT& operator+=(const T* s) { return Append(s); }
  CStringT& operator+=(T ch) { return AppendChar(ch); }
  CStringT& operator+=(const Other* s) { return *this += CStringT(s); }

  friend CStringT operator+(const CStringT& a, const CStringT& b) { return CStringT(a.text_ + b.text_); }
  friend CStringT operator+(const CStringT& a, const T* b) { return CStringT(a) += b; }
  friend CStringT operator+(const T* a, const CStringT& b) { return CStringT(a) += b; }
  friend CStringT operator+(const CStringT& a, T b) { return CStringT(a) += b; }
  friend CStringT operator+(T a, const CStringT& b) { return CStringT(a) += b; }

  friend bool operator==(const CStringT& a, const CStringT& b) { return a.text_ == b.text_; }
  friend bool operator==(const CStringT& a, const T* b) { return a.Compare(b) == 0; }
  friend bool operator==(const T* a, const CStringT& b) { return b.Compare(a) == 0; }
  friend bool operator!=(const CStringT& a, const CStringT& b) { return !(a == b); }
  friend bool operator!=(const CStringT& a, const T* b) { return !(a == b); }
  friend bool operator!=(const T* a, const CStringT& b) { return !(a == b); }
  friend bool operator<(const CStringT& a, const CStringT& b) { return a.Compare(b) < 0; }
  friend bool operator>(const CStringT& a, const CStringT& b) { return a.Compare(b) > 0; }
  friend bool operator<=(const CStringT& a, const CStringT& b) { return a.Compare(b) <= 0; }
  friend bool operator>=(const CStringT& a, const CStringT& b) { return a.Compare(b) >= 0; }

 private:
  static const T* EmptyText() {
    static const T empty[1] = {0};
    return empty;
  }
  static bool InSet(const T* set, T c) {
    for (; set && *set; ++set) {
      if (*set == c) return true;
    }
    return false;
  }
  // Length of the run from `from` whose characters are (or are not) in `set`.
  int Span(int from, const T* set, bool inSet) const {
    int i = from;
    while (i < GetLength() && InSet(set, text_[i]) == inSet) ++i;
    return i - from;
  }
  template <typename Pred>
  CStringT& TrimLeftWhere(Pred pred) {
    size_t i = 0;
    while (i < text_.size() && pred(text_[i])) ++i;
    text_.erase(0, i);
    return *this;
  }
  template <typename Pred>
  CStringT& TrimRightWhere(Pred pred) {
    size_t n = text_.size();
    while (n > 0 && pred(text_[n - 1])) --n;
    text_.resize(n);
    return *this;
  }
  void AppendFormatList(const T* format, ...) {
    va_list args;
    va_start(args, format);
    AppendFormatV(format, args);
    va_end(args);
  }
  BOOL LoadStringFrom(HMODULE module, UINT id) {
    LPCWSTR text = nullptr;
    const int length = AfxFindStringResource(module, id, &text);
    if (length < 0) return FALSE;
    text_ = fw_string::Convert(text, length, static_cast<T*>(nullptr));
    return TRUE;
  }

  std::basic_string<T> text_;
};

typedef CStringT<wchar_t> CStringW;
typedef CStringT<char> CStringA;
typedef CStringW CString;

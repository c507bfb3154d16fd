#include "ScvFile.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>

_SCV_HEADER MakeScvHeader(const RECT& margins) {
  _SCV_HEADER header = {{'S', 'C', 'V', 0}, SCV_VERSION, margins.left, margins.top, margins.right, margins.bottom};
  return header;
}

BOOL ReadScvHeader(const void* bytes, size_t size, RECT& margins) {
  if (!bytes || size < sizeof(_SCV_HEADER)) return FALSE;
  _SCV_HEADER header;
  memcpy(&header, bytes, sizeof(header));
  if (memcmp(header.magic, "SCV", 3) != 0) return FALSE;
  margins.left = header.left;
  margins.top = header.top;
  margins.right = header.right;
  margins.bottom = header.bottom;
  return TRUE;
}

namespace {
// The file-name part: after the last "\", "/" or ":".
LPCWSTR FileNamePart(LPCWSTR path) {
  LPCWSTR name = path;
  for (LPCWSTR p = path; *p; ++p)
    if (*p == L'\\' || *p == L'/' || *p == L':') name = p + 1;
  return name;
}
}  // namespace

BOOL IsScvPath(LPCWSTR path) {
  if (!path) return FALSE;
  LPCWSTR dot = wcsrchr(FileNamePart(path), L'.');
  return dot && _wcsicmp(dot + 1, L"scv") == 0;
}

CString TitleFromPath(LPCWSTR path) {
  if (!path) return CString();
  CString name(FileNamePart(path));
  const int dot = name.Find(L'.');
  return dot >= 0 ? name.Left(dot) : name;
}

namespace {
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::string DropUnplacedTabStops(const std::string& rtf) {
  std::string out;
  out.reserve(rtf.size());
  const size_t n = rtf.size();
  size_t i = 0;
  while (i < n) {
    if (rtf[i] != '\\' || i + 1 >= n || !IsLetter(rtf[i + 1])) {
      // Text, or a control symbol (\\, \{, \'hh, ...): its second character is copied with it, so an
      // escaped backslash never starts a control word.
      const size_t take = rtf[i] == '\\' && i + 1 < n ? 2 : 1;
      out.append(rtf, i, take);
      i += take;
      continue;
    }
    size_t j = i + 1;
    while (j < n && IsLetter(rtf[j])) ++j;
    const bool negative = j < n && rtf[j] == '-' && j + 1 < n && IsDigit(rtf[j + 1]);
    size_t k = negative ? j + 1 : j;
    const size_t digitsStart = k;
    while (k < n && IsDigit(rtf[k])) ++k;
    const bool hasNumber = k > digitsStart;
    size_t end = k;
    if (end < n && rtf[end] == ' ') ++end;  // the delimiter belongs to the control word
    const std::string word = rtf.substr(i + 1, j - i - 1);
    // A number past 32 bits wraps: 2147483648 is read as a negative position.
    unsigned long long value = 0;
    for (size_t d = digitsStart; d < k && value <= 0x7FFFFFFFull; ++d) value = value * 10 + static_cast<unsigned>(rtf[d] - '0');
    if (word == "tx" && (!hasNumber || negative || value > 0x7FFFFFFFull)) {
      // Its delimiter stays: a control word before it must not run into the text after it.
      if (end > k) out += ' ';
      i = end;
      continue;
    }
    out.append(rtf, i, end - i);
    i = end;
    if (word == "bin" && hasNumber && !negative) {
      // That many bytes of binary data follow and are no control words.
      const size_t count = std::min<size_t>(strtoull(rtf.substr(digitsStart, k - digitsStart).c_str(), nullptr, 10), n - i);
      out.append(rtf, i, count);
      i += count;
    }
  }
  return out;
}

#include "ScvFile.h"

#include <string.h>

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

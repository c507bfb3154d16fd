#include "fw/ResourceLanguage.h"

namespace {

const LANGID kDefaultLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
volatile LONG g_language = kDefaultLanguage;

// A string table block holds 16 counted strings; block n carries ids 16*(n-1) to 16*n-1.
const WCHAR* FindStringInBlock(HMODULE module, HRSRC block, UINT id, int* length) {
  HGLOBAL loaded = LoadResource(module, block);
  if (!loaded) return nullptr;
  const WCHAR* p = static_cast<const WCHAR*>(LockResource(loaded));
  const DWORD blockChars = SizeofResource(module, block) / sizeof(WCHAR);
  if (!p) return nullptr;
  const WCHAR* end = p + blockChars;
  for (UINT i = 0; i < (id & 15); ++i) {
    if (p >= end) return nullptr;
    p += 1 + *p;
  }
  if (p >= end || p + 1 + *p > end) return nullptr;
  *length = *p;
  return p + 1;
}

}  // namespace

void AfxSetResourceLanguage(LANGID language) {
  InterlockedExchange(&g_language, language ? language : kDefaultLanguage);
}

LANGID AfxGetResourceLanguage() {
  return static_cast<LANGID>(g_language);
}

LANGID AfxLanguageFromPrimary(int primaryLanguage) {
  switch (primaryLanguage) {
    case LANG_GERMAN: return MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
    case LANG_RUSSIAN: return MAKELANGID(LANG_RUSSIAN, SUBLANG_RUSSIAN_RUSSIA);
    default: return kDefaultLanguage;
  }
}

HRSRC AfxFindResourceInLanguage(HMODULE module, LPCWSTR name, LPCWSTR type) {
  const LANGID wanted = AfxGetResourceLanguage();
  HRSRC found = FindResourceExW(module, type, name, wanted);
  if (!found && wanted != kDefaultLanguage) found = FindResourceExW(module, type, name, kDefaultLanguage);
  if (!found) found = FindResourceW(module, name, type);
  return found;
}

int AfxGetStringInLanguage(HMODULE module, UINT id, LPCWSTR* text) {
  if (!text) return -1;
  *text = nullptr;
  HRSRC block = AfxFindResourceInLanguage(module, MAKEINTRESOURCEW((id >> 4) + 1), RT_STRING);
  if (!block) return -1;
  int length = 0;
  const WCHAR* found = FindStringInBlock(module, block, id, &length);
  // A block lists all 16 ids; an id the script never defined has length 0 there.
  if (!found || length == 0) return -1;
  *text = found;
  return length;
}

int AfxLoadStringInLanguage(HMODULE module, UINT id, LPWSTR buffer, int bufferChars) {
  if (!buffer || bufferChars <= 0) return 0;
  buffer[0] = L'\0';
  LPCWSTR text = nullptr;
  int length = AfxGetStringInLanguage(module, id, &text);
  if (length <= 0) return 0;
  if (length > bufferChars - 1) length = bufferChars - 1;
  CopyMemory(buffer, text, length * sizeof(WCHAR));
  buffer[length] = L'\0';
  return length;
}

#include "DocSecurity.h"

#include "ErrorLog.h"

const wchar_t kPasswordKey[] = L"Qm7#tLw2&Zp9!vKe4$Hx";

namespace {
wchar_t KeyUnit(LPCWSTR key, int keyLength, int index) {
  return keyLength > 0 ? key[index % keyLength] : 0;
}
}  // namespace

void GetDecodeString(CString& out, LPCWSTR key, const wchar_t* slot, int slotUnits) {
  out.Empty();
  DEF_TRY
  if (slot == nullptr || slotUnits < 2) return;
  const int length = slot[0];
  if (length <= 0 || length > kMaxPasswordLength || length + 2 > slotUnits) return;
  if (slot[length + 1] != slot[0]) return;
  const int keyLength = key ? lstrlenW(key) : 0;
  LPWSTR buffer = out.GetBuffer(length);
  for (int i = 0; i < length; ++i) buffer[i] = static_cast<wchar_t>(slot[i + 1] ^ KeyUnit(key, keyLength, i));
  out.ReleaseBuffer(length);
  DEF_CATCH("GetDecodeString")
}

BOOL GetEncodeString(const CString& text, LPCWSTR key, wchar_t* slot, int slotUnits) {
  DEF_TRY
  if (slot == nullptr || slotUnits < 2) return FALSE;
  const int length = text.GetLength();
  if (length > kMaxPasswordLength || length + 2 > slotUnits) return FALSE;
  const int keyLength = key ? lstrlenW(key) : 0;
  slot[0] = static_cast<wchar_t>(length);
  for (int i = 0; i < length; ++i) slot[i + 1] = static_cast<wchar_t>(text[i] ^ KeyUnit(key, keyLength, i));
  slot[length + 1] = static_cast<wchar_t>(length);
  return TRUE;
  DEF_CATCH("GetEncodeString")
  return FALSE;
}

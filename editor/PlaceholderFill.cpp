#include "PlaceholderFill.h"

#include <richedit.h>

CString FieldValueText(const VARIANT& value) {
  if (value.vt == VT_BSTR) return CString(value.bstrVal ? value.bstrVal : L"");
  VARIANT text;
  ::VariantInit(&text);
  if (FAILED(::VariantChangeTypeEx(&text, const_cast<VARIANT*>(&value), LOCALE_USER_DEFAULT, 0, VT_BSTR))) return CString();
  CString result(text.bstrVal ? text.bstrVal : L"");
  ::VariantClear(&text);
  return result;
}

void FillPlaceholders(HWND richEdit, const CFieldMap& data) {
  POSITION pos = data.GetStartPosition();
  while (pos) {
    CString key;
    COleVariant value;
    data.GetNextAssoc(pos, key, value);
    const CString text = FieldValueText(value);
    const CString pattern = L"[" + key + L"]";
    FINDTEXTEXW find = {};
    find.lpstrText = pattern;
    find.chrg.cpMin = 0;
    find.chrg.cpMax = -1;
    bool hidden = false;
    while (::SendMessageW(richEdit, EM_FINDTEXTEXW, FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD,
                          reinterpret_cast<LPARAM>(&find)) >= 0) {
      if (!hidden) {
        ::SendMessageW(richEdit, EM_HIDESELECTION, TRUE, 0);
        hidden = true;
      }
      ::SendMessageW(richEdit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&find.chrgText));
      ::SendMessageW(richEdit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(text)));
      // Go on after the inserted text, so a value holding its own placeholder is not replaced again.
      CHARRANGE after = {};
      ::SendMessageW(richEdit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&after));
      find.chrg.cpMin = after.cpMax;
      find.chrg.cpMax = -1;
    }
    if (hidden) ::SendMessageW(richEdit, EM_HIDESELECTION, FALSE, 0);
  }
  CHARRANGE start = {0, 0};
  ::SendMessageW(richEdit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
}

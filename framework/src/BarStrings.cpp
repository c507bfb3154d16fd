#include "BarStrings.h"

#include "BarInternal.h"

namespace fw_bars {

CString CommandString(UINT id) {
  LPCWSTR text = nullptr;
  // The program (resource handle, extension libraries) first, then the framework's own table.
  int length = AfxFindStringResource(nullptr, id, &text);
  if (length < 0) length = AfxGetStringInLanguage(AfxGetCallingModule(), id, &text);
  return length > 0 ? CString(text, length) : CString();
}

CString CommandPrompt(UINT id) {
  const CString whole = CommandString(id);
  const int newline = whole.Find(L'\n');
  return newline >= 0 ? whole.Left(newline) : whole;
}

CString CommandTip(UINT id) {
  const CString whole = CommandString(id);
  const int newline = whole.Find(L'\n');
  return newline >= 0 ? whole.Mid(newline + 1) : CString();
}

CString OwnString(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

CString PlainMenuText(const CString& text) {
  CString plain;
  const int tab = text.Find(L'\t');
  const CString shown = tab >= 0 ? text.Left(tab) : text;
  for (int i = 0; i < shown.GetLength(); ++i) {
    const wchar_t c = shown[i];
    if (c == L'&') {
      // "&&" is a literal ampersand.
      if (i + 1 < shown.GetLength() && shown[i + 1] == L'&') {
        plain += L'&';
        ++i;
      }
      continue;
    }
    plain += c;
  }
  return plain;
}

BOOL ReadMenuItem(HMENU hMenu, int index, MenuItem& item) {
  WCHAR text[256] = {};
  MENUITEMINFOW info = {sizeof(info)};
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU | MIIM_STATE;
  info.dwTypeData = text;
  info.cch = 255;
  if (!hMenu || !::GetMenuItemInfoW(hMenu, static_cast<UINT>(index), TRUE, &info)) return FALSE;
  item.separator = (info.fType & MFT_SEPARATOR) != 0;
  item.popup = info.hSubMenu;
  item.id = info.hSubMenu || item.separator ? 0 : info.wID;
  item.text = item.separator ? L"" : text;
  item.state = info.fState;
  return TRUE;
}

}  // namespace fw_bars

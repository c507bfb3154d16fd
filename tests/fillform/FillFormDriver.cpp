#include "FillFormDriver.h"

#include <algorithm>

namespace fillform_test {

std::vector<std::wstring> FieldMapEntries(const CMap<CString, LPCWSTR, COleVariant, COleVariant>& map) {
  std::vector<std::wstring> entries;
  for (POSITION position = map.GetStartPosition(); position;) {
    CString name;
    COleVariant value;
    map.GetNextAssoc(position, name, value);
    std::wstring entry = std::wstring(name.GetString()) + L"=";
    if (value.vt == VT_BSTR) {
      entry += L"S:" + std::wstring(value.bstrVal, SysStringLen(value.bstrVal));
    } else if (value.vt == VT_R8) {
      wchar_t number[64];
      swprintf(number, 64, L"R:%g", value.dblVal);
      entry += number;
    } else {
      entry += L"?" + std::to_wstring(value.vt);
    }
    entries.push_back(entry);
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

}  // namespace fillform_test

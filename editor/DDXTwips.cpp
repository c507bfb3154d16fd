#include "DDXTwips.h"

#include "ScrivelApp.h"
#include "Units.h"
#include "resource.h"

namespace {
int CurrentUnit() {
  CScrivelApp* app = GetScrivelApp();
  return app ? app->m_nUnits : 0;
}
}  // namespace

void DDX_Twips(CDataExchange* pDX, int nIDC, int& value) {
  if (pDX->Failed()) return;
  HWND edit = pDX->PrepareEditCtrl(nIDC);
  if (!edit) return;
  const int unit = CurrentUnit();
  if (!pDX->m_bSaveAndValidate) {
    if (value != CUnits::kNotSet) ::SetWindowTextW(edit, CUnits::FormatMeasurement(value, unit));
    return;
  }
  WCHAR text[64] = L"";
  ::GetWindowTextW(edit, text, 64);
  int twips = 0;
  switch (CUnits::ParseMeasurement(text, unit, twips)) {
    case CUnits::notSet:
      value = CUnits::kNotSet;
      return;
    case CUnits::invalid:
      AfxMessageBox(IDS_INVALID_MEASUREMENT, MB_OK | MB_ICONINFORMATION);
      pDX->Fail();
      return;
    case CUnits::parsed:
      break;
  }
  // What the user sees afterwards is what is kept.
  int shown = twips;
  if (CUnits::ParseMeasurement(CUnits::FormatMeasurement(twips, unit), unit, shown) != CUnits::parsed) shown = twips;
  value = shown;
}

void DDV_MinMaxTwips(CDataExchange* pDX, int value, int minVal, int maxVal) {
  if (!pDX->m_bSaveAndValidate || pDX->Failed() || value == CUnits::kNotSet) return;
  if (value >= minVal && value <= maxVal) return;
  const int unit = CurrentUnit();
  CString format;
  format.LoadString(IDS_MEASUREMENT_RANGE);
  const CString low = CUnits::FormatMeasurement(minVal, unit), high = CUnits::FormatMeasurement(maxVal, unit);
  DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>(static_cast<LPCWSTR>(low)),
                         reinterpret_cast<DWORD_PTR>(static_cast<LPCWSTR>(high))};
  LPWSTR message = nullptr;
  ::FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_ARGUMENT_ARRAY, format,
                   0, 0, reinterpret_cast<LPWSTR>(&message), 0, reinterpret_cast<va_list*>(inserts));
  AfxMessageBox(message ? message : static_cast<LPCWSTR>(format), MB_OK | MB_ICONEXCLAMATION);
  if (message) ::LocalFree(message);
  pDX->Fail();
}

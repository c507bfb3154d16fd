#include <cwchar>
#include <cwctype>

#include "WndInternal.h"
#include "fw/Dialog.h"

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  const BOOL ran = fw_internal::Guarded<BOOL>(FALSE, [&] {
    DoDataExchange(&dx);
    return TRUE;
  });
  return ran && !dx.Failed();
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND h = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
  if (!h) {
    OutputDebugStringW(L"CDataExchange: no control with this id\n");
    m_bFailed = TRUE;
  }
  m_hWndLastControl = h;
  m_bEditLastControl = FALSE;
  return h;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND h = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return h;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_hWndLastControl) {
    ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl) ::SendMessageW(m_hWndLastControl, EM_SETSEL, 0, -1);
  }
  m_bFailed = TRUE;
}

namespace {

CString ControlText(HWND h) {
  CString s;
  const int n = ::GetWindowTextLengthW(h);
  s.ReleaseBuffer(::GetWindowTextW(h, s.GetBuffer(n + 1), n + 1));
  return s;
}

bool OnlySpaceFrom(const wchar_t* p) {
  while (*p && iswspace(*p)) ++p;
  return *p == 0;
}

// Whole-text parses: surrounding blanks are fine, anything else after the number is not.
bool ParseLong(const CString& text, bool isSigned, long long* out) {
  const wchar_t* begin = text;
  while (*begin && iswspace(*begin)) ++begin;
  if (!*begin || (!isSigned && *begin == L'-')) return false;
  wchar_t* end = nullptr;
  errno = 0;
  const long long v = wcstoll(begin, &end, 10);
  if (end == begin || errno == ERANGE || !OnlySpaceFrom(end)) return false;
  *out = v;
  return true;
}

bool ParseDouble(const CString& text, double* out) {
  const wchar_t* begin = text;
  while (*begin && iswspace(*begin)) ++begin;
  if (!*begin) return false;
  wchar_t* end = nullptr;
  const double v = wcstod(begin, &end);
  if (end == begin || !OnlySpaceFrom(end)) return false;
  *out = v;
  return true;
}

void FailWith(CDataExchange* pDX, LPCWSTR message) {
  AfxMessageBox(message, MB_ICONEXCLAMATION);
  pDX->Fail();
}

template <class T>
void ExchangeInteger(CDataExchange* pDX, int nIDC, T& value, bool isSigned, long long lo, long long hi) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (!h || pDX->Failed()) return;
  if (pDX->m_bSaveAndValidate) {
    long long v = 0;
    if (!ParseLong(ControlText(h), isSigned, &v) || v < lo || v > hi) {
      FailWith(pDX, isSigned ? L"Please enter an integer." : L"Please enter a positive integer.");
      return;
    }
    value = static_cast<T>(v);
  } else {
    WCHAR text[32];
    if (isSigned)
      swprintf(text, 32, L"%lld", static_cast<long long>(value));
    else
      swprintf(text, 32, L"%llu", static_cast<unsigned long long>(value));
    ::SetWindowTextW(h, text);
  }
}

template <class T>
void ExchangeFloat(CDataExchange* pDX, int nIDC, T& value, int digits) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (!h || pDX->Failed()) return;
  if (pDX->m_bSaveAndValidate) {
    double v = 0;
    if (!ParseDouble(ControlText(h), &v)) {
      FailWith(pDX, L"Please enter a number.");
      return;
    }
    value = static_cast<T>(v);
  } else {
    WCHAR text[64];
    swprintf(text, 64, L"%.*g", digits, static_cast<double>(value));
    ::SetWindowTextW(h, text);
  }
}

}  // namespace

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (!h || pDX->Failed()) return;
  if (pDX->m_bSaveAndValidate)
    value = ControlText(h);
  else
    ::SetWindowTextW(h, value);
}
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& v) { ExchangeInteger(pDX, nIDC, v, true, INT_MIN, INT_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& v) { ExchangeInteger(pDX, nIDC, v, true, LONG_MIN, LONG_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& v) { ExchangeInteger(pDX, nIDC, v, false, 0, UINT_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& v) { ExchangeInteger(pDX, nIDC, v, false, 0, ULONG_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& v) { ExchangeFloat(pDX, nIDC, v, 15); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& v) { ExchangeFloat(pDX, nIDC, v, 6); }

namespace {
// A control state that one message reads and another sets from its wParam (check, selection index).
void ExchangeState(CDataExchange* pDX, int nIDC, int& value, UINT getMessage, UINT setMessage) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (!h || pDX->Failed()) return;
  if (pDX->m_bSaveAndValidate)
    value = static_cast<int>(::SendMessageW(h, getMessage, 0, 0));
  else
    ::SendMessageW(h, setMessage, value, 0);
}
}  // namespace

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  ExchangeState(pDX, nIDC, value, BM_GETCHECK, BM_SETCHECK);
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (!h || pDX->Failed()) return;
  if (pDX->m_bSaveAndValidate) value = -1;
  int index = 0;
  do {
    if (::SendMessageW(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
      if (pDX->m_bSaveAndValidate) {
        if (::SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
      } else {
        ::SendMessageW(h, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      ++index;
    }
    h = ::GetWindow(h, GW_HWNDNEXT);
  } while (h && !(::GetWindowLongW(h, GWL_STYLE) & WS_GROUP));
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  ExchangeState(pDX, nIDC, index, CB_GETCURSEL, CB_SETCURSEL);
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
  ExchangeState(pDX, nIDC, index, LB_GETCURSEL, LB_SETCURSEL);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (!h || pDX->Failed()) return;
  const bool hasEdit = (::GetWindowLongW(h, GWL_STYLE) & 3) != CBS_DROPDOWNLIST;
  if (pDX->m_bSaveAndValidate) {
    if (hasEdit) {
      value = ControlText(h);
      return;
    }
    const LRESULT sel = ::SendMessageW(h, CB_GETCURSEL, 0, 0);
    value.Empty();
    if (sel == CB_ERR) return;
    const LRESULT n = ::SendMessageW(h, CB_GETLBTEXTLEN, sel, 0);
    if (n == CB_ERR) return;
    value.ReleaseBuffer(static_cast<int>(
        ::SendMessageW(h, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(value.GetBuffer(static_cast<int>(n) + 1)))));
  } else {
    // Selects the first item that starts with the value; an edit shows the value itself.
    const LRESULT found = ::SendMessageW(h, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(value)));
    if (found == CB_ERR && hasEdit) ::SetWindowTextW(h, value);
  }
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd) return;
  HWND h = pDX->PrepareCtrl(nIDC);
  if (h && !rControl.SubclassWindow(h)) pDX->Fail();
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
  if (pDX->Failed()) return;
  if (pDX->m_bSaveAndValidate) {
    if (value.GetLength() > nChars) {
      WCHAR message[96];
      swprintf(message, 96, L"Please enter no more than %d characters.", nChars);
      FailWith(pDX, message);
    }
  } else if (pDX->m_hWndLastControl && pDX->m_bEditLastControl) {
    ::SendMessageW(pDX->m_hWndLastControl, EM_LIMITTEXT, nChars, 0);
  }
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
  if (pDX->Failed() || !pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  WCHAR message[128];
  swprintf(message, 128, L"Please enter an integer between %d and %d.", minVal, maxVal);
  FailWith(pDX, message);
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
  if (pDX->Failed() || !pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  WCHAR message[128];
  swprintf(message, 128, L"Please enter an integer between %u and %u.", minVal, maxVal);
  FailWith(pDX, message);
}

void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal) {
  if (pDX->Failed() || !pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  WCHAR message[128];
  swprintf(message, 128, L"Please enter a number between %g and %g.", minVal, maxVal);
  FailWith(pDX, message);
}

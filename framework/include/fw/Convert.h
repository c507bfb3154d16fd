// Short-lived conversions between wide and 8-bit text, for calls that want the other kind of string.
// The default code page is the thread's ANSI page; pass CP_UTF8 for UTF-8.
#pragma once
#include "fw/String.h"

class CW2A {
 public:
  explicit CW2A(LPCWSTR text, UINT codePage = CP_THREAD_ACP)
      : text_(fw_string::Narrow(text, -1, codePage)), null_(text == nullptr) {}
  operator LPSTR() { return null_ ? nullptr : &text_[0]; }
  operator LPCSTR() const { return null_ ? nullptr : text_.c_str(); }

 private:
  std::string text_;
  bool null_;
};

class CA2W {
 public:
  explicit CA2W(LPCSTR text, UINT codePage = CP_THREAD_ACP)
      : text_(fw_string::Widen(text, -1, codePage)), null_(text == nullptr) {}
  operator LPWSTR() { return null_ ? nullptr : &text_[0]; }
  operator LPCWSTR() const { return null_ ? nullptr : text_.c_str(); }

 private:
  std::wstring text_;
  bool null_;
};

// TCHAR is wide in every module of the suite.
typedef CW2A CT2A;
typedef CW2A CT2CA;
typedef CA2W CA2T;
typedef CA2W CA2CT;

// The host program's settings, section "Settings": Quillet runs inside Orvello or Scrivel and keeps
// its choices where its host keeps its own.
#pragma once
#include "Framework.h"

namespace quillet {

CString GetHostProfileString(LPCWSTR entry, LPCWSTR defaultValue);
int GetHostProfileInt(LPCWSTR entry, int defaultValue);
BOOL WriteHostProfileString(LPCWSTR entry, LPCWSTR value);
BOOL WriteHostProfileInt(LPCWSTR entry, int value);

}  // namespace quillet

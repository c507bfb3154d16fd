// The host program's settings, section "Settings": Quillet runs inside Orvello or Scrivel and keeps
// its choices where its host keeps its own.
#pragma once
#include "Framework.h"

namespace quillet {

// The values Quillet keeps in its host's settings.
const wchar_t kSettingDbPath[] = L"GeneralDBFilePath";
const wchar_t kSettingRadioIndex[] = L"FillFormRadioIndex";
const wchar_t kSettingCheckOutFolder[] = L"FillFormCheckOutFolder";
const wchar_t kSettingInFolder[] = L"FillFormInFolder";
const wchar_t kSettingOutFolder[] = L"FillFormOutFolder";
const wchar_t kSettingGroupId[] = L"GroupId";

CString GetHostProfileString(LPCWSTR entry, LPCWSTR defaultValue);
int GetHostProfileInt(LPCWSTR entry, int defaultValue);
BOOL WriteHostProfileString(LPCWSTR entry, LPCWSTR value);
BOOL WriteHostProfileInt(LPCWSTR entry, int value);

}  // namespace quillet

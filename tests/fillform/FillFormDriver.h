// The fill-form dialog driven headless through the shared dialog driver, and its field map as text.
#pragma once
#include "DialogDriver.h"
#include "FillForm.h"

namespace fillform_test {

using namespace testing_support;

// The field map as sorted "name=S:text" (VT_BSTR) and "name=R:number" (VT_R8) entries.
std::vector<std::wstring> FieldMapEntries(const CMap<CString, LPCWSTR, COleVariant, COleVariant>& map);

}  // namespace fillform_test

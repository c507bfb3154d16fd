// A host linked against Quillet.dll through its import library constructs the exported class.
#include <gtest/gtest.h>
#include <windows.h>

#include "FillForm.h"

TEST(QuilletExport, HostConstructsFillFormThroughImportLibrary) {
  CMap<CString, LPCWSTR, COleVariant, COleVariant> fields;
  CFillForm fillForm(fields, nullptr);
  int error = 1;
  EXPECT_FALSE(fillForm.CheckError(error));
  EXPECT_EQ(error, 1);
  EXPECT_NE(GetModuleHandleW(L"Quillet.dll"), nullptr);
}

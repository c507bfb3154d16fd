// A host linked against Quillet.dll through its import library constructs the exported class.
#include <gtest/gtest.h>
#include <windows.h>

#include "FillForm.h"

TEST(QuilletExport, HostConstructsFillFormThroughImportLibrary) {
  CFillForm fillForm;
  EXPECT_EQ(fillForm.CheckError(), 0);
  EXPECT_NE(GetModuleHandleW(L"Quillet.dll"), nullptr);
}

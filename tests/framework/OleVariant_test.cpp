// COleVariant: ownership of its contents, comparisons, and text by the OLE conversion rules.
#include <gtest/gtest.h>

#include "Framework.h"

namespace {

TEST(OleVariantTest, ConstructorsPickTheirTypes) {
  struct Case {
    COleVariant value;
    VARTYPE type;
  } cases[] = {
      {COleVariant(), VT_EMPTY},
      {COleVariant(L"text"), VT_BSTR},
      {COleVariant(CString(L"text")), VT_BSTR},
      {COleVariant(2.5), VT_R8},
      {COleVariant(7L), VT_I4},
      {COleVariant(7), VT_I4},
      {COleVariant(1L, VT_BOOL), VT_BOOL},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value.vt, c.type);
  EXPECT_EQ(COleVariant(5L, VT_BOOL).boolVal, VARIANT_TRUE);
}

TEST(OleVariantTest, CopiesOwnTheirStrings) {
  COleVariant a(L"first");
  COleVariant b(a);
  EXPECT_NE(a.bstrVal, b.bstrVal);
  a = L"changed";
  EXPECT_STREQ(b.bstrVal, L"first");
  EXPECT_TRUE(b == COleVariant(L"first"));
  EXPECT_FALSE(b == COleVariant(L"First"));
  EXPECT_FALSE(COleVariant(1.0) == COleVariant(1L));  // different types
  b = 3.0;
  EXPECT_EQ(b.vt, VT_R8);
  COleVariant moved(std::move(a));
  EXPECT_STREQ(moved.bstrVal, L"changed");
  EXPECT_EQ(a.vt, VT_EMPTY);
}

TEST(OleVariantTest, TextByTheOleRules) {
  SYSTEMTIME st = {2024, 3, 0, 15, 0, 0, 0, 0};
  DATE date = 0;
  ASSERT_TRUE(SystemTimeToVariantTime(&st, &date));
  COleVariant dateValue;
  dateValue.vt = VT_DATE;
  dateValue.date = date;
  struct Case {
    COleVariant value;
    const wchar_t* text;
  } cases[] = {
      {COleVariant(), L""},
      {COleVariant(L"as is"), L"as is"},
      {COleVariant(1234.5), L"1234.5"},
      {COleVariant(-17L), L"-17"},
      // Without VARIANT_ALPHABOOL the OLE rules spell booleans as numbers.
      {COleVariant(1L, VT_BOOL), L"-1"},
      {COleVariant(0L, VT_BOOL), L"0"},
      {dateValue, L"3/15/2024"},
  };
  for (const Case& c : cases) EXPECT_STREQ(AfxVariantToText(c.value), c.text) << c.value.vt;
}

TEST(OleVariantTest, ChangeTypeConvertsOrThrows) {
  COleVariant v(L"42");
  v.ChangeType(VT_I4);
  EXPECT_EQ(v.vt, VT_I4);
  EXPECT_EQ(v.lVal, 42);
  v.ChangeType(VT_BSTR);
  EXPECT_STREQ(v.bstrVal, L"42");
  COleVariant bad(L"not a number");
  SCODE sc = S_OK;
  try {
    bad.ChangeType(VT_R8);
  } catch (COleException* e) {
    sc = e->m_sc;
    e->Delete();
  }
  EXPECT_EQ(sc, DISP_E_TYPEMISMATCH);
}

}  // namespace

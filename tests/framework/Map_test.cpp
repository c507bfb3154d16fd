// CMap: the field map by name, many keys, and zoom factors as keys.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "Framework.h"

namespace {

TEST(MapTest, FieldMapByName) {
  CMap<CString, LPCWSTR, COleVariant, COleVariant> fields;
  fields.InitHashTable(17);
  fields.SetAt(L"Name", COleVariant(L"Smith"));
  fields.SetAt(L"Amount", COleVariant(12.5));
  fields[L"Amount"] = COleVariant(13.5);  // replaces
  EXPECT_EQ(fields.GetCount(), 2);
  COleVariant value;
  ASSERT_TRUE(fields.Lookup(L"Amount", value));
  EXPECT_EQ(value.vt, VT_R8);
  EXPECT_EQ(value.dblVal, 13.5);
  EXPECT_FALSE(fields.Lookup(L"name", value));  // names are case-sensitive
  ASSERT_TRUE(fields.Lookup(L"Name", value));
  EXPECT_STREQ(value.bstrVal, L"Smith");

  std::map<std::wstring, std::wstring> walked;
  CString key;
  for (POSITION pos = fields.GetStartPosition(); pos;) {
    fields.GetNextAssoc(pos, key, value);
    walked[key.GetString()] = AfxVariantToText(value).GetString();
  }
  EXPECT_EQ(walked.size(), 2u);
  EXPECT_EQ(walked[L"Name"], L"Smith");
  EXPECT_TRUE(fields.RemoveKey(L"Name"));
  EXPECT_FALSE(fields.RemoveKey(L"Name"));
  fields.RemoveAll();
  EXPECT_EQ(fields.GetStartPosition(), nullptr);
}

TEST(MapTest, ManyKeysAndDoubleKeys) {
  CMap<CString, LPCWSTR, CString, CString> groups;
  for (int i = 0; i < 500; ++i) {
    CString k;
    k.Format(L"group%d", i);
    groups[k] = k + L"!";
  }
  EXPECT_EQ(groups.GetCount(), 500);
  CString v;
  ASSERT_TRUE(groups.Lookup(L"group321", v));
  EXPECT_STREQ(v, L"group321!");
  INT_PTR walked = 0;
  CString k;
  for (POSITION pos = groups.GetStartPosition(); pos; ++walked) groups.GetNextAssoc(pos, k, v);
  EXPECT_EQ(walked, 500);

  // Zoom factors as keys; 0.0 and -0.0 are one key.
  int a = 1, b = 2, c = 3;
  CMap<double, double, int*, int*> zooms(10);
  zooms.SetAt(1.0, &a);
  zooms.SetAt(0.25, &b);
  zooms.SetAt(0.0, &c);
  int* found = nullptr;
  EXPECT_TRUE(zooms.Lookup(0.25, found) && found == &b);
  EXPECT_TRUE(zooms.Lookup(-0.0, found) && found == &c);
  EXPECT_FALSE(zooms.Lookup(0.5, found));
}

}  // namespace

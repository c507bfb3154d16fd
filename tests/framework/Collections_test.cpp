// CArray, CList and CMap with the framework's semantics, and their ready-made and typed forms.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "Framework.h"

namespace {

template <class LIST>
std::vector<std::wstring> Items(const LIST& list) {
  std::vector<std::wstring> items;
  for (POSITION pos = list.GetHeadPosition(); pos;) items.push_back(std::wstring(list.GetNext(pos)));
  return items;
}

TEST(ArrayTest, GrowInsertRemove) {
  CArray<int, int> a;
  a.SetSize(0, 10);
  EXPECT_TRUE(a.IsEmpty());
  for (int i = 0; i < 5; ++i) a.Add(i * 10);
  a.InsertAt(1, 5, 2);
  a.RemoveAt(4);
  EXPECT_EQ(std::vector<int>(a.GetData(), a.GetData() + a.GetSize()), (std::vector<int>{0, 5, 5, 10, 30, 40}));
  a.SetAtGrow(8, 80);
  EXPECT_EQ(a.GetSize(), 9);
  EXPECT_EQ(a[7], 0);  // grown elements are zero
  EXPECT_EQ(a.GetUpperBound(), 8);
  a.InsertAt(12, 1);  // past the end grows first
  EXPECT_EQ(a.GetSize(), 13);
  EXPECT_EQ(a[12], 1);
  CArray<int, int> b;
  b.Copy(a);
  EXPECT_EQ(b.Append(a), 13);
  EXPECT_EQ(b.GetSize(), 26);
  bool invalid = false;
  try {
    a.GetAt(13);
  } catch (CInvalidArgException* e) {
    invalid = true;
    e->Delete();
  }
  EXPECT_TRUE(invalid);
}

TEST(ArrayTest, StringsSurviveInsertsAndRemoves) {
  CStringArray a;
  a.Add(L"one");
  a.Add(CString(L"three"));
  a.InsertAt(1, L"two");
  a.InsertAt(0, a[2]);  // an element of the same array
  a.RemoveAt(3);
  ASSERT_EQ(a.GetSize(), 3);
  EXPECT_STREQ(a[0], L"three");
  EXPECT_STREQ(a[1], L"one");
  EXPECT_STREQ(a.GetAt(2), L"two");
  CByteArray bytes;
  bytes.SetSize(3);
  bytes[1] = 0xAB;
  EXPECT_EQ(bytes.GetData()[1], 0xAB);
  EXPECT_EQ(bytes[2], 0);
}

TEST(ArrayTest, TypedPointerArray) {
  CTypedPtrArray<CPtrArray, CString*> a;
  CString x(L"x"), y(L"y");
  a.Add(&x);
  a.InsertAt(0, &y);
  EXPECT_EQ(a[0], &y);
  EXPECT_STREQ(*a.GetAt(1), L"x");
  a.ElementAt(1) = &y;
  EXPECT_EQ(a[1], &y);
}

TEST(ListTest, PositionsWalkBothWays) {
  CStringList list;
  list.AddTail(L"b");
  list.AddHead(L"a");
  POSITION c = list.AddTail(L"c");
  // A null position inserts at the head (before) or the tail (after).
  list.InsertBefore(nullptr, L"first");
  list.InsertAfter(nullptr, L"last");
  list.InsertBefore(c, L"b2");
  list.InsertAfter(c, L"c2");
  EXPECT_EQ(Items(list), (std::vector<std::wstring>{L"first", L"a", L"b", L"b2", L"c", L"c2", L"last"}));
  std::vector<std::wstring> backwards;
  for (POSITION pos = list.GetTailPosition(); pos;) backwards.push_back(std::wstring(list.GetPrev(pos)));
  EXPECT_EQ(backwards, (std::vector<std::wstring>{L"last", L"c2", L"c", L"b2", L"b", L"a", L"first"}));

  EXPECT_EQ(list.Find(L"c"), c);
  EXPECT_EQ(list.Find(L"a", c), nullptr);
  EXPECT_STREQ(list.GetAt(list.FindIndex(1)), L"a");
  EXPECT_EQ(list.FindIndex(7), nullptr);
  list.RemoveAt(c);
  EXPECT_STREQ(list.RemoveHead(), L"first");
  EXPECT_STREQ(list.RemoveTail(), L"last");
  EXPECT_EQ(Items(list), (std::vector<std::wstring>{L"a", L"b", L"b2", L"c2"}));
  EXPECT_EQ(list.GetCount(), 4);
  list.RemoveAll();
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(list.GetHeadPosition(), nullptr);
}

TEST(ListTest, TypedPointerListOwnsNothing) {
  struct Rect {
    int id;
  } r1{1}, r2{2}, r3{3};
  CTypedPtrList<CPtrList, Rect*> list(10);
  list.AddTail(&r2);
  list.AddHead(&r1);
  list.AddTail(&r3);
  EXPECT_EQ(list.GetHead()->id, 1);
  EXPECT_EQ(list.GetTail()->id, 3);
  std::vector<int> ids;
  for (POSITION pos = list.GetHeadPosition(); pos;) ids.push_back(list.GetNext(pos)->id);
  EXPECT_EQ(ids, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(list.RemoveHead(), &r1);
  EXPECT_NE(list.Find(&r3), nullptr);
  CList<HWND> windows;
  windows.AddTail(reinterpret_cast<HWND>(1));
  EXPECT_EQ(windows.GetCount(), 1);
}

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

// CArray with the framework's semantics, and its ready-made and typed forms.
#include <gtest/gtest.h>

#include <vector>

#include "Framework.h"

namespace {

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
  a.SetAtGrow(40, a[0]);  // and one that moves while the array grows
  EXPECT_STREQ(a[40], L"three");
  a.SetSize(4);
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

}  // namespace

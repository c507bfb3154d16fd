// CList walked by POSITION, and its ready-made and typed forms.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Framework.h"

namespace {

template <class LIST>
std::vector<std::wstring> Items(const LIST& list) {
  std::vector<std::wstring> items;
  for (POSITION pos = list.GetHeadPosition(); pos;) items.push_back(std::wstring(list.GetNext(pos)));
  return items;
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

}  // namespace

#include "EraseList.h"

#include <gtest/gtest.h>

#include <vector>

#include "ArchiveFixtures.h"

namespace {

using namespace fixtures;

RECT R(int l, int t, int r, int b) { return RECT{l, t, r, b}; }

std::vector<int> Flags(CEraseList& list) {
  std::vector<int> flags;
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) flags.push_back(list.GetNext(pos)->flag);
  return flags;
}

bool RegionEmpty(const CEraseList& list) {
  RECT box;
  return GetRgnBox(list.GetRegion(), &box) == NULLREGION;
}

bool SameRegion(HRGN a, HRGN b) { return EqualRgn(a, b) != 0; }

TEST(EraseList, FirstRectangleIsAlwaysRecorded) {
  CEraseList list;
  EXPECT_TRUE(list.AddErased(R(5, 5, 5, 5)));  // even an empty one
  EXPECT_EQ(1, list.GetCount());
  EXPECT_TRUE(RegionEmpty(list));
}

TEST(EraseList, ErasingInsideTheErasedAreaRecordsNothing) {
  CEraseList list;
  EXPECT_TRUE(list.AddErased(R(0, 0, 100, 100)));
  EXPECT_FALSE(list.AddErased(R(0, 0, 100, 100)));
  EXPECT_FALSE(list.AddErased(R(10, 10, 20, 20)));
  EXPECT_TRUE(list.AddErased(R(90, 90, 110, 110)));  // reaches outside
  EXPECT_EQ(2, list.GetCount());
}

TEST(EraseList, RestoringWhereNothingIsErasedRecordsNothing) {
  CEraseList list;
  EXPECT_FALSE(list.AddUnerased(R(0, 0, 10, 10)));
  list.AddErased(R(0, 0, 10, 10));
  EXPECT_FALSE(list.AddUnerased(R(20, 20, 30, 30)));
  EXPECT_EQ(1, list.GetCount());
}

TEST(EraseList, RestoringEverythingEmptiesListAndRegion) {
  CEraseList list;
  list.AddErased(R(0, 0, 10, 10));
  list.AddErased(R(20, 0, 30, 10));
  EXPECT_TRUE(list.AddUnerased(R(0, 0, 15, 10)));
  EXPECT_EQ((std::vector<int>{0, 0, 1}), Flags(list));
  EXPECT_FALSE(RegionEmpty(list));
  EXPECT_TRUE(list.AddUnerased(R(18, 0, 40, 10)));
  EXPECT_EQ(0, list.GetCount());
  EXPECT_TRUE(RegionEmpty(list));
}

TEST(EraseList, TwoEntriesAsStored) {
  CEraseList list;
  list.AddErased(R(10, 20, 110, 70));
  list.AddUnerased(R(50, 40, 80, 60));
  const std::string bytes = Store([&](CArchive& ar) { list.Serialize(ar, 3); });
  EXPECT_EQ(52u, bytes.size());
  EXPECT_EQ(ToHex(Fixture(L"erase_list_two.hex")), ToHex(bytes));
}

TEST(EraseList, LoadingReplaysTheEntriesIntoTheRegion) {
  CEraseList stored;
  stored.AddErased(R(0, 0, 100, 100));
  stored.AddErased(R(200, 0, 300, 50));
  stored.AddUnerased(R(50, 0, 250, 100));
  CEraseList loaded;
  loaded.AddErased(R(500, 500, 600, 600));  // held before: discarded by the load
  EXPECT_EQ(0u, Load(Fixture(L"erase_list_load_three.hex"), [&](CArchive& ar) { loaded.Serialize(ar, 0); }));
  EXPECT_EQ((std::vector<int>{0, 0, 1}), Flags(loaded));
  EXPECT_TRUE(SameRegion(stored.GetRegion(), loaded.GetRegion()));
  // And what it stores again is what was read, behind size and page index.
  const std::string again = Store([&](CArchive& ar) { loaded.Serialize(ar, 9); });
  EXPECT_EQ(ToHex(Fixture(L"erase_list_load_three.hex")), ToHex(again.substr(8)));
}

TEST(EraseList, BadCountsEndTheLoad) {
  const wchar_t* fixtures[] = {L"erase_list_huge_count.hex", L"erase_list_negative_count.hex"};
  for (const wchar_t* name : fixtures) {
    CEraseList list;
    list.AddErased(R(1, 1, 2, 2));
    EXPECT_NE(-1, LoadFailureCause(Fixture(name), [&](CArchive& ar) { list.Serialize(ar, 0); }))
        << std::wstring(name).c_str();
    EXPECT_EQ(1, list.GetCount()) << "nothing was allocated or replaced for the bad count";
  }
}

}  // namespace

#include "DynTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AllocationFailure.h"
#include "ArchiveFixtures.h"

namespace {

using namespace fixtures;

std::wstring W(const CString& s) { return std::wstring(static_cast<LPCTSTR>(s)); }

std::vector<std::wstring> Names(const CDynTable& t) {
  std::vector<std::wstring> names;
  for (int f = 0; f < t.GetFieldCount(); ++f) names.push_back(W(t.GetFieldName(f)));
  return names;
}

// The text of one field in every record.
std::vector<std::wstring> Column(CDynTable& t, int field) {
  std::vector<std::wstring> values;
  for (int r = 0; r < t.GetRecordCount(); ++r) values.push_back(W(t[r][field].GetString()));
  return values;
}

// Fields A, B, C; records r0..r2 whose values are "A0", "B0", ... as UnicodeStrings.
void FillABC(CDynTable& t, int records = 3) {
  for (const wchar_t* name : {L"A", L"B", L"C"}) t.AddField(name);
  for (int r = 0; r < records; ++r) {
    t.InsertRecord(-1);
    for (int f = 0; f < 3; ++f) t[r][f] = (W(t.GetFieldName(f)) + std::to_wstring(r)).c_str();
  }
}

void ExpectConsistent(CDynTable& t) {
  for (int r = 0; r < t.GetRecordCount(); ++r) EXPECT_EQ(t.GetFieldCount(), t[r].GetSize()) << "record " << r;
}

TEST(DynTable, EmptyAndOneFieldTablesAsStored) {
  CDynTable empty;
  EXPECT_EQ(ToHex(Fixture(L"table_empty.hex")), ToHex(Store([&](CArchive& ar) { empty.Serialize(ar); })));
  CDynTable one;
  one.AddField(L"A");
  EXPECT_EQ(ToHex(Fixture(L"table_one_field.hex")), ToHex(Store([&](CArchive& ar) { one.Serialize(ar); })));
}

TEST(DynTable, TwoByTwoStoresAndLoads) {
  CDynTable t;
  t.AddField(L"A");
  t.AddField(L"Bc");
  t.InsertRecord(-1);
  t.InsertRecord(-1);
  t[0][0] = 5;
  t[0][1] = L"x";
  t[1][1] = 1.5;
  const std::string bytes = Store([&](CArchive& ar) { t.Serialize(ar); });
  EXPECT_EQ(ToHex(Fixture(L"table_two_by_two.hex")), ToHex(bytes));

  CDynTable loaded;
  FillABC(loaded);  // replaced by the load
  EXPECT_EQ(0u, Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
  EXPECT_EQ((std::vector<std::wstring>{L"A", L"Bc"}), Names(loaded));
  ASSERT_EQ(2, loaded.GetRecordCount());
  EXPECT_EQ(CVariant::typeInteger, loaded[0][0].GetType());
  EXPECT_EQ(CVariant::typeNull, loaded[1][0].GetType());
  EXPECT_EQ((std::vector<std::wstring>{L"x", L"1.500000"}), Column(loaded, 1));
}

TEST(DynTable, LoadingAcceptsAnyVersion) {
  CDynTable t;
  EXPECT_EQ(0u, Load(Fixture(L"table_version_7.hex"), [&](CArchive& ar) { t.Serialize(ar); }));
  EXPECT_EQ((std::vector<std::wstring>{L"A"}), Names(t));
  EXPECT_EQ((std::vector<std::wstring>{L"3"}), Column(t, 0));
}

TEST(DynTable, BadCountsEndTheLoadBeforeAnythingIsAllocated) {
  const struct {
    const wchar_t* fixture;
    int fields, records;  // what the table holds afterwards
  } cases[] = {{L"table_huge_field_count.hex", 0, 0},
               {L"table_huge_record_count.hex", 0, 0},
               {L"table_negative_record_count.hex", 0, 0},
               {L"table_truncated_records.hex", 1, 2}};  // the records read so far stay
  for (const auto& c : cases) {
    CDynTable t;
    EXPECT_NE(-1, LoadFailureCause(Fixture(c.fixture), [&](CArchive& ar) { t.Serialize(ar); }))
        << std::string(c.fixture, c.fixture + wcslen(c.fixture));
    EXPECT_EQ(c.fields, t.GetFieldCount());
    EXPECT_EQ(c.records, t.GetRecordCount());
    ExpectConsistent(t);
  }
}

TEST(DynTable, InsertingFields) {
  CDynTable t;
  FillABC(t, 2);
  EXPECT_EQ(3, t.InsertField(-1, L"D"));
  EXPECT_EQ(4, t.InsertField(4, L"E"));  // at the count: appends
  EXPECT_EQ(5, t.InsertField(99, L"F"));
  EXPECT_EQ(0, t.InsertField(0, L"Z"));
  EXPECT_EQ((std::vector<std::wstring>{L"Z", L"A", L"B", L"C", L"D", L"E", L"F"}), Names(t));
  EXPECT_EQ(CVariant::typeNull, t[1][0].GetType());
  EXPECT_EQ(L"A1", W(t[1][1].GetString()));
  ExpectConsistent(t);
}

// Out of memory part-way through the records used to leave the count one above the names.
TEST(DynTable, InsertFieldFailingPartWayLeavesTheTableAsItWas) {
  for (long failAt = 0;; ++failAt) {
    CDynTable t;
    FillABC(t, 4);
    FailAllocationsFrom(failAt);
    const int result = t.InsertField(1, L"New");
    StopFailingAllocations();
    ExpectConsistent(t);
    EXPECT_EQ(static_cast<INT_PTR>(t.GetFieldCount()), static_cast<INT_PTR>(Names(t).size()));
    if (result >= 0) {
      EXPECT_EQ((std::vector<std::wstring>{L"A", L"New", L"B", L"C"}), Names(t));
      EXPECT_GT(failAt, 2) << "the names and several records needed memory";
      break;
    }
    EXPECT_EQ(-1, result);
    EXPECT_EQ((std::vector<std::wstring>{L"A", L"B", L"C"}), Names(t)) << "fail at " << failAt;
    EXPECT_EQ((std::vector<std::wstring>{L"B0", L"B1", L"B2", L"B3"}), Column(t, 1));
    ASSERT_LT(failAt, 100);
  }
}

TEST(DynTable, RemovingFields) {
  CDynTable t;
  FillABC(t, 2);
  EXPECT_FALSE(t.RemoveField(3));
  EXPECT_FALSE(t.RemoveField(-1));
  EXPECT_EQ(3, t.GetFieldCount());
  EXPECT_TRUE(t.RemoveField(1));
  EXPECT_EQ((std::vector<std::wstring>{L"A", L"C"}), Names(t));
  EXPECT_EQ((std::vector<std::wstring>{L"C0", L"C1"}), Column(t, 1));
  t.RemoveAllFields();
  EXPECT_EQ(0, t.GetFieldCount());
  EXPECT_EQ(2, t.GetRecordCount());
  ExpectConsistent(t);
}

TEST(DynTable, MovingFields) {
  const struct {
    int from, to;
    std::vector<std::wstring> names;
  } cases[] = {{2, 0, {L"C", L"A", L"B"}}, {0, 2, {L"B", L"C", L"A"}}, {1, 1, {L"A", L"B", L"C"}}, {0, 1, {L"B", L"A", L"C"}}};
  for (const auto& c : cases) {
    CDynTable t;
    FillABC(t, 2);
    t.MoveField(c.from, c.to);
    EXPECT_EQ(c.names, Names(t)) << c.from << "->" << c.to;
    for (int f = 0; f < 3; ++f) EXPECT_EQ(c.names[f] + L"1", W(t[1][f].GetString()));  // values moved along
    ExpectConsistent(t);
  }
}

TEST(DynTable, Records) {
  CDynTable t;
  FillABC(t, 2);
  EXPECT_EQ(0, t.InsertRecord(0));
  EXPECT_EQ(3, t.InsertRecord(17));
  EXPECT_EQ(4, t.GetRecordCount());
  EXPECT_EQ(CVariant::typeNull, t[0][2].GetType());
  EXPECT_EQ((std::vector<std::wstring>{L"", L"A0", L"A1", L""}), Column(t, 0));
  EXPECT_FALSE(t.RemoveRecord(4));
  EXPECT_TRUE(t.RemoveRecord(0));
  EXPECT_EQ((std::vector<std::wstring>{L"A0", L"A1", L""}), Column(t, 0));
  t.RemoveAllRecords();
  EXPECT_EQ(0, t.GetRecordCount());
  EXPECT_EQ(3, t.GetFieldCount());
}

TEST(DynTable, BadIndicesThrowInvalidArgument) {
  CDynTable t;
  FillABC(t, 1);
  for (int index : {-1, 1}) {
    bool thrown = false;
    try {
      t[index];
    } catch (CInvalidArgException* e) {
      e->Delete();
      thrown = true;
    }
    EXPECT_TRUE(thrown) << index;
  }
  bool thrown = false;
  try {
    t.GetFieldName(3);
  } catch (CInvalidArgException* e) {
    e->Delete();
    thrown = true;
  }
  EXPECT_TRUE(thrown);
}

TEST(DynTable, FormNumberNumbersTheRecordsAfterTheGivenOne) {
  CDynTable t;
  FillABC(t, 4);
  t.FormNumber(0, 2, 10);
  EXPECT_EQ((std::vector<std::wstring>{L"C0", L"10.000000", L"11.000000", L"12.000000"}), Column(t, 2));
  EXPECT_EQ(CVariant::typeDouble, t[3][2].GetType());
}

TEST(DynTable, AppendAddsFieldsAndRecords) {
  CDynTable t, other;
  FillABC(t, 1);
  other.AddField(L"X");
  for (int r = 0; r < 3; ++r) {
    other.InsertRecord(-1);
    other[r][0] = r;
  }
  EXPECT_EQ(3, t.Append(other));
  EXPECT_EQ((std::vector<std::wstring>{L"A", L"B", L"C", L"X"}), Names(t));
  EXPECT_EQ((std::vector<std::wstring>{L"0", L"1", L"2"}), Column(t, 3));
  EXPECT_EQ((std::vector<std::wstring>{L"A0", L"", L""}), Column(t, 0));
  ExpectConsistent(t);

  CDynTable self;
  FillABC(self, 2);
  EXPECT_EQ(2, self.Append(self));
  EXPECT_EQ(6, self.GetFieldCount());
  EXPECT_EQ((std::vector<std::wstring>{L"A0", L"A1"}), Column(self, 3));
}

TEST(DynTable, SearchForward) {
  CDynTable t;
  t.AddField(L"F");
  t.AddField(L"G");
  for (const wchar_t* pair : {L"ab", L"xab", L"AB", L"b"}) {
    const int r = t.InsertRecord(-1);
    t[r][0] = pair;
    t[r][1] = L"-";
  }
  int record = 0, field = 0, position = 0;
  ASSERT_TRUE(t.SearchText(L"ab", record, field, position, TRUE, 1));
  EXPECT_EQ(0, record); EXPECT_EQ(0, field); EXPECT_EQ(0, position);
  position = 1;  // continue after the hit: into the next record at field 0, position 0
  ASSERT_TRUE(t.SearchText(L"ab", record, field, position, TRUE, 1));
  EXPECT_EQ(1, record); EXPECT_EQ(0, field); EXPECT_EQ(1, position);
  position = 2;
  EXPECT_FALSE(t.SearchText(L"ab", record, field, position, TRUE, 1));  // "AB" differs in case
  record = 1, field = 0, position = 2;
  ASSERT_TRUE(t.SearchText(L"ab", record, field, position, FALSE, 1));
  EXPECT_EQ(2, record); EXPECT_EQ(0, field); EXPECT_EQ(0, position);
}

TEST(DynTable, SearchBackwardFromTheEnd) {
  CDynTable t;
  t.AddField(L"F");
  t.AddField(L"G");
  for (int r = 0; r < 2; ++r) t.InsertRecord(-1);
  t[0][0] = L"abab";
  t[0][1] = L"none";
  t[1][0] = L"zzz";
  t[1][1] = L"ab ab";
  int record = 1, field = -1, position = -1;  // the end of the last field
  ASSERT_TRUE(t.SearchText(L"ab", record, field, position, TRUE, 0));
  EXPECT_EQ(1, record); EXPECT_EQ(1, field); EXPECT_EQ(3, position);
  ASSERT_TRUE(t.SearchText(L"ab", record, field, position, TRUE, 0));  // from the previous hit
  EXPECT_EQ(1, record); EXPECT_EQ(1, field); EXPECT_EQ(0, position);
  ASSERT_TRUE(t.SearchText(L"ab", record, field, position, TRUE, 0));
  EXPECT_EQ(0, record); EXPECT_EQ(0, field); EXPECT_EQ(2, position);
  ASSERT_TRUE(t.SearchText(L"ab", record, field, position, TRUE, 0));
  EXPECT_EQ(0, position);
  EXPECT_FALSE(t.SearchText(L"ab", record, field, position, TRUE, 0));
}

}  // namespace

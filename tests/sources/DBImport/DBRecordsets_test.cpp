// The wizard's record sets over real SQLite files: the type map, the catalog lists, the SELECT with
// quoted names and the exchange of every value type through the result set.
#include <gtest/gtest.h>

#include "DBRecordsets.h"
#include "SqliteFixture.h"
#include "TestSupport.h"

namespace {

using testing_support::SqliteFile;
using testing_support::Utf8;

TEST(SQLTypeToVariantType, MapsEveryOdbcTypeToItsValueTag) {
  const struct {
    int sql;
    int tag;
  } cases[] = {
      {SQL_NUMERIC, 6}, {SQL_DECIMAL, 6},        {SQL_FLOAT, 6},      {SQL_DOUBLE, 6},      {SQL_INTEGER, 7},
      {SQL_SMALLINT, 7}, {SQL_BIGINT, 7},        {SQL_REAL, 5},       {SQL_DATETIME, 9},    {SQL_TIME, 9},
      {SQL_TIMESTAMP, 9}, {SQL_TYPE_DATE, 9},    {SQL_TYPE_TIME, 9},  {SQL_TYPE_TIMESTAMP, 9},
      {SQL_WLONGVARCHAR, 12}, {SQL_WVARCHAR, 12}, {SQL_WCHAR, 12},    {SQL_BIT, 1},         {SQL_TINYINT, 3},
      {SQL_LONGVARBINARY, 10}, {SQL_VARBINARY, 10}, {SQL_BINARY, 10}, {SQL_CHAR, 8},        {SQL_VARCHAR, 8},
      {SQL_LONGVARCHAR, 8}, {SQL_GUID, 8},       {12345, 8},
  };
  for (const auto& c : cases) EXPECT_EQ(c.tag, SQLTypeToVariantType(c.sql)) << "SQL type " << c.sql;
}

class RecordsetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = folder_.File(L"records.db");
    SqliteFile(path_).Exec(
        "CREATE TABLE people (name NVARCHAR(40), zip VARCHAR(10), age INTEGER, score DOUBLE, ok BIT, level TINYINT, "
        "ratio REAL, born TIMESTAMP, photo BLOB);"
        "INSERT INTO people VALUES ('Ann', '12345', 31, 2.5, 1, 7, 0.25, '1990-05-06 07:08:09', x'0A0B');"
        "INSERT INTO people VALUES ('Bob', NULL, 40, -1, 0, 9, 1.5, '2000-01-02 03:04:05', NULL);"
        "CREATE TABLE \"odd [table] name\" (\"my col\" TEXT, \"select\" INTEGER, \"x]y\" TEXT);"
        "INSERT INTO \"odd [table] name\" VALUES ('a', 1, 'b');");
  }
  void Open(const wchar_t* options = L"") {
    try {
      ASSERT_TRUE(db_.OpenEx((testing_support::SqliteConnectString(path_) + options).c_str(), CDatabase::noOdbcDialog));
    } catch (CDBException* e) {
      ADD_FAILURE() << Utf8(e->m_strError.GetString());
      e->Delete();
    }
  }
  testing_support::TempFolder folder_;
  std::wstring path_;
  CDatabase db_;
};

TEST_F(RecordsetsTest, TablesListsEveryTableOfTheFile) {
  Open();
  CTables tables(&db_);
  ASSERT_TRUE(tables.Open(nullptr, nullptr, nullptr, L"TABLE"));
  std::vector<std::wstring> names;
  for (; !tables.IsEOF(); tables.MoveNext()) names.push_back(tables.m_strName.GetString());
  EXPECT_EQ((std::vector<std::wstring>{L"people", L"odd [table] name"}), names);
}

TEST_F(RecordsetsTest, ColumnsListsNamesAndTypesInCatalogOrder) {
  Open();
  CColumns columns(&db_);
  ASSERT_TRUE(columns.Open(nullptr, nullptr, L"people", nullptr));
  std::vector<std::wstring> names;
  std::vector<int> tags;
  for (; !columns.IsEOF(); columns.MoveNext()) {
    names.push_back(columns.m_strColumnName.GetString());
    tags.push_back(SQLTypeToVariantType(columns.m_nDataType));
    EXPECT_EQ(CString(L"people"), columns.m_strTableName);
  }
  EXPECT_EQ((std::vector<std::wstring>{L"name", L"zip", L"age", L"score", L"ok", L"level", L"ratio", L"born", L"photo"}),
            names);
  // This driver calls every text column 8-bit (SQL_VARCHAR), its REAL a DOUBLE.
  EXPECT_EQ((std::vector<int>{8, 8, 7, 6, 1, 3, 6, 9, 10}), tags);
}

TEST_F(RecordsetsTest, TextColumnsOfThisDriverAreEightBitStrings) {
  Open();
  CColumns columns(&db_);
  ASSERT_TRUE(columns.Open(nullptr, nullptr, L"people", L"zip"));
  ASSERT_FALSE(columns.IsEOF());
  EXPECT_EQ(SQL_VARCHAR, columns.m_nDataType);
  EXPECT_EQ(CVariant::typeString, SQLTypeToVariantType(columns.m_nDataType));
}

TEST_F(RecordsetsTest, ACatalogOfAClosedConnectionIsEmptyNotAnError) {
  CTables tables(&db_);
  EXPECT_FALSE(tables.Open(nullptr, nullptr, nullptr, L"TABLE"));
  EXPECT_TRUE(tables.IsEOF());
}

TEST_F(RecordsetsTest, TheSelectQuotesEveryNameTheDriversWay) {
  Open();
  CSQLRecordset set(L"odd [table] name", &db_);
  set.AddField(L"my col", CVariant::typeUnicodeString);
  set.AddField(L"select", CVariant::typeInteger);
  set.AddField(L"x]y", CVariant::typeUnicodeString);
  EXPECT_EQ(CString(L"SELECT \"my col\", \"select\", \"x]y\" FROM \"odd [table] name\""), set.BuildSelect());
  ASSERT_TRUE(set.Open(CRecordset::dynaset, CRecordset::none));
  ASSERT_FALSE(set.IsEOF());
  EXPECT_EQ(CString(L"a"), set.GetFieldItemValue(0).GetString());
  EXPECT_EQ(1, set.GetFieldItemValue(1).GetInteger());
  EXPECT_EQ(CString(L"b"), set.GetFieldItemValue(2).GetString());
}

TEST_F(RecordsetsTest, ReadsEveryValueTypeThroughItsBinding) {
  Open();
  CSQLRecordset set(L"people", &db_);
  const int types[] = {12, 8, 7, 6, 1, 3, 5, 9, 10};
  const wchar_t* names[] = {L"name", L"zip", L"age", L"score", L"ok", L"level", L"ratio", L"born", L"photo"};
  for (int i = 0; i < 9; ++i) set.AddField(names[i], types[i]);
  ASSERT_TRUE(set.Open(CRecordset::dynaset, CRecordset::none));
  ASSERT_FALSE(set.IsEOF());
  std::vector<std::wstring> texts;
  for (int i = 0; i < 9; ++i) texts.push_back(set.GetFieldItemValue(i).GetString().GetString());
  // A Boolean column comes back as Integer 0 or 1; binary data shows as its kind.
  EXPECT_EQ((std::vector<std::wstring>{L"Ann", L"12345", L"31", L"2.500000", L"1", L"7", L"0.250000", L"1990:5:6 7:8:9",
                                       L"Binary data"}),
            texts);
  EXPECT_EQ(CVariant::typeInteger, set.GetFieldItemValue(4).GetType());
  EXPECT_EQ(2, set.GetFieldItemValue(8).GetBinary()->GetSize());
  set.MoveNext();
  ASSERT_FALSE(set.IsEOF());
  EXPECT_EQ(CString(L"Bob"), set.GetFieldItemValue(0).GetString());
  EXPECT_TRUE(set.IsFieldNullAt(1));
  EXPECT_FALSE(set.IsFieldNullAt(2));
  set.MoveNext();
  EXPECT_TRUE(set.IsEOF());
}

TEST_F(RecordsetsTest, SetFieldItemValueTakesOnlyTheItemsType) {
  Open();
  CSQLRecordset set(L"people", &db_);
  set.AddField(L"score", CVariant::typeDouble);
  EXPECT_FALSE(set.SetFieldItemValue(0, CVariant(1)));
  EXPECT_FALSE(set.SetFieldItemValue(1, CVariant(1.0)));
  EXPECT_TRUE(set.SetFieldItemValue(0, CVariant(1.0)));
  bool raised = false;
  try {
    set.GetFieldItemValue(3);
  } catch (CInvalidArgException* e) {
    raised = true;
    e->Delete();
  }
  EXPECT_TRUE(raised);
}

TEST_F(RecordsetsTest, ADateWrittenLosesItsMillisecondsAndAnUnboundItemStaysEmpty) {
  Open();
  SqliteFile(path_).Exec("CREATE TABLE stamps (at TIMESTAMP, note TEXT)");
  CSQLRecordset set(L"stamps", &db_);
  set.AddField(L"at", CVariant::typeDateTime);
  set.AddField(L"note", CVariant::typeUnicodeChar);
  ASSERT_TRUE(set.Open(CRecordset::dynaset, CRecordset::none));
  set.AddNew();
  CVariant when;
  *when.GetDateTime() = SYSTEMTIME{2023, 7, 1, 14, 15, 16, 17, 999};
  ASSERT_TRUE(set.SetFieldItemValue(0, when));
  EXPECT_TRUE(set.Update());
  EXPECT_EQ((std::vector<std::vector<std::string>>{{"2023-07-14 15:16:17.000", "NULL"}}),
            SqliteFile(path_).Query("SELECT at, note FROM stamps"));
}

}  // namespace

// The framework's database classes against real SQLite files through the SQLite ODBC driver that
// the setup registers (Wine's odbc32 over the host's driver manager). The files are made and read
// back with SQLite's own library, so what the classes wrote is checked independently.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Framework.h"
#include "SqliteFixture.h"
#include "TestSupport.h"

namespace {

using testing_support::SqliteFile;
using testing_support::Utf8;

// A record set of one column of every kind the field exchange knows.
class EveryKind : public CRecordset {
 public:
  explicit EveryKind(CDatabase* db) : CRecordset(db) { m_nFields = 10; }
  CString GetDefaultSQL() override {
    return L"SELECT wide, narrow, whole, big, tiny, flag, single, real, stamp, blob FROM kinds";
  }
  void DoFieldExchange(CFieldExchange* pFX) override {
    RFX_Text(pFX, L"wide", wide, 0xFFFF);
    RFX_Text(pFX, L"narrow", narrow, 0xFFFF);
    RFX_Int(pFX, L"whole", whole);
    RFX_Long(pFX, L"big", big);
    RFX_Byte(pFX, L"tiny", tiny);
    RFX_Bool(pFX, L"flag", flag);
    RFX_Single(pFX, L"single", single);
    RFX_Double(pFX, L"real", real);
    RFX_Date(pFX, L"stamp", stamp);
    RFX_Binary(pFX, L"blob", blob, 1 << 20);
  }
  CString wide;
  CStringA narrow;
  int whole = 0;
  long big = 0;
  BYTE tiny = 0;
  BOOL flag = FALSE;
  float single = 0;
  double real = 0;
  TIMESTAMP_STRUCT stamp = {};
  CByteArray blob;
};

const char kKindsTable[] =
    "CREATE TABLE kinds (wide NVARCHAR(100), narrow VARCHAR(100), whole INTEGER, big INTEGER, tiny TINYINT, "
    "flag BIT, single REAL, real DOUBLE, stamp TIMESTAMP, blob BLOB)";

class DatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = folder_.File(L"test.db");
    SqliteFile(path_).Exec(kKindsTable);
  }
  CString Connect() const { return testing_support::SqliteConnectString(path_).c_str(); }
  void OpenDatabase() {
    try {
      ASSERT_TRUE(db_.OpenEx(Connect(), CDatabase::noOdbcDialog));
    } catch (CDBException* e) {
      ADD_FAILURE() << Utf8(e->m_strError.GetString());
      e->Delete();
    }
  }
  testing_support::TempFolder folder_;
  std::wstring path_;
  CDatabase db_;
};

TEST_F(DatabaseTest, OpensWithAConnectStringAndCloses) {
  OpenDatabase();
  EXPECT_TRUE(db_.IsOpen());
  EXPECT_EQ(0, db_.GetConnect().Find(L"ODBC;")) << Utf8(db_.GetConnect().GetString());
  EXPECT_GE(db_.GetConnect().Find(testing_support::UnixPath(path_).c_str()), 0);
  EXPECT_TRUE(db_.HasFunction(SQL_API_SQLTABLES));
  db_.Close();
  EXPECT_FALSE(db_.IsOpen());
}

TEST_F(DatabaseTest, AnUnknownDriverRaisesTheDriverManagersMessage) {
  bool raised = false;
  try {
    db_.OpenEx(L"Driver={No Such Driver};Database=x", CDatabase::noOdbcDialog);
  } catch (CDBException* e) {
    raised = true;
    EXPECT_FALSE(e->m_strError.IsEmpty());
    EXPECT_NE(0, e->m_nRetCode);
    e->Delete();
  }
  EXPECT_TRUE(raised);
  EXPECT_FALSE(db_.IsOpen());
}

TEST_F(DatabaseTest, TheOlderOpenTakesADataSourceLessConnectString) {
  EXPECT_TRUE(db_.Open(nullptr, FALSE, FALSE, Connect(), TRUE));
  EXPECT_TRUE(db_.IsOpen());
}

TEST_F(DatabaseTest, ReadsEveryKindInEveryOpenType) {
  SqliteFile(path_).Exec(
      "INSERT INTO kinds VALUES ('wide ü', 'narrow', -42, 123456789, 200, 1, 1.5, 2.25, '2024-02-29 13:14:15', "
      "x'00FF10'); INSERT INTO kinds (wide) VALUES ('second')");
  OpenDatabase();
  for (UINT type : {CRecordset::snapshot, CRecordset::dynaset, CRecordset::forwardOnly}) {
    EveryKind set(&db_);
    ASSERT_TRUE(set.Open(type));
    ASSERT_FALSE(set.IsEOF());
    EXPECT_FALSE(set.IsBOF());
    EXPECT_EQ(CString(L"wide \u00fc"), set.wide);
    EXPECT_EQ(CStringA("narrow"), set.narrow);
    EXPECT_EQ(-42, set.whole);
    EXPECT_EQ(123456789L, set.big);
    EXPECT_EQ(200, set.tiny);
    EXPECT_TRUE(set.flag);
    EXPECT_FLOAT_EQ(1.5f, set.single);
    EXPECT_DOUBLE_EQ(2.25, set.real);
    EXPECT_EQ(2024, set.stamp.year);
    EXPECT_EQ(2, set.stamp.month);
    EXPECT_EQ(29, set.stamp.day);
    EXPECT_EQ(13, set.stamp.hour);
    EXPECT_EQ(14, set.stamp.minute);
    EXPECT_EQ(15, set.stamp.second);
    ASSERT_EQ(3, set.blob.GetSize());
    EXPECT_EQ(0xFF, set.blob[1]);
    EXPECT_FALSE(set.IsFieldNull(&set.whole));
    set.MoveNext();
    ASSERT_FALSE(set.IsEOF());
    EXPECT_EQ(CString(L"second"), set.wide);
    EXPECT_TRUE(set.IsFieldNull(&set.whole));
    EXPECT_FALSE(set.IsFieldUnreadable(&set.whole));
    set.MoveNext();
    EXPECT_TRUE(set.IsEOF());
    set.MoveFirst();
    ASSERT_FALSE(set.IsEOF());
    EXPECT_EQ(-42, set.whole);
  }
}

TEST_F(DatabaseTest, AnEmptyResultIsAtItsStartAndEnd) {
  OpenDatabase();
  EveryKind set(&db_);
  ASSERT_TRUE(set.Open(CRecordset::snapshot));
  EXPECT_TRUE(set.IsEOF());
  EXPECT_TRUE(set.IsBOF());
}

TEST_F(DatabaseTest, AddNewAndUpdateInsertEveryKindWithParameters) {
  OpenDatabase();
  EveryKind set(&db_);
  ASSERT_TRUE(set.Open(CRecordset::dynaset));
  for (int i = 0; i < 2; ++i) {
    set.AddNew();
    set.wide = i == 0 ? L"it's \u043f\u0440\u0438\u0432\u0435\u0442" : L"second";
    set.narrow = "plain";
    set.whole = 7 + i;
    set.big = -100000;
    set.tiny = 9;
    set.flag = TRUE;
    set.single = 0.5f;
    set.real = 3.125;
    set.stamp = TIMESTAMP_STRUCT{2001, 2, 3, 4, 5, 6, 0};
    set.blob.RemoveAll();
    set.blob.Add(1);
    set.blob.Add(2);
    set.SetFieldNull(nullptr, FALSE);
    if (i == 1) set.SetFieldNull(&set.narrow);  // stays NULL in the table
    EXPECT_TRUE(set.Update());
  }
  SqliteFile file(path_);
  const auto rows =
      file.Query("SELECT wide, narrow, whole, big, tiny, flag, single, real, stamp, hex(blob) FROM kinds ORDER BY whole");
  ASSERT_EQ(2u, rows.size());
  EXPECT_EQ((std::vector<std::string>{"it's \xd0\xbf\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82", "plain", "7", "-100000",
                                       "9", "1", "0.5", "3.125", "2001-02-03 04:05:06.000", "0102"}),
            rows[0]);
  EXPECT_EQ("NULL", rows[1][1]);
  EXPECT_EQ("8", rows[1][2]);
}

// Rows added in a transaction are in the file only once it is committed; a rolled-back one leaves
// nothing, and automatic commit is back after either.
TEST_F(DatabaseTest, ATransactionCommitsOrRollsBackItsRows) {
  CDatabase closed;
  EXPECT_FALSE(closed.CanTransact());
  EXPECT_FALSE(closed.BeginTrans());
  OpenDatabase();
  ASSERT_TRUE(db_.CanTransact());
  const auto wholes = [&] { return SqliteFile(path_).Query("SELECT whole FROM kinds ORDER BY whole"); };
  ASSERT_TRUE(db_.BeginTrans());
  db_.ExecuteSQL(L"INSERT INTO kinds (whole) VALUES (1)");
  ASSERT_TRUE(db_.Rollback());
  EXPECT_TRUE(wholes().empty());
  ASSERT_TRUE(db_.BeginTrans());
  db_.ExecuteSQL(L"INSERT INTO kinds (whole) VALUES (2)");
  ASSERT_TRUE(db_.CommitTrans());
  db_.ExecuteSQL(L"INSERT INTO kinds (whole) VALUES (3)");
  EXPECT_EQ((std::vector<std::vector<std::string>>{{"2"}, {"3"}}), wholes());
}

// An insert the table refuses raises the driver's own message, and the next one works.
TEST_F(DatabaseTest, ARefusedInsertRaisesTheDriversMessage) {
  OpenDatabase();
  db_.ExecuteSQL(L"CREATE UNIQUE INDEX one_whole ON kinds (whole)");
  EveryKind set(&db_);
  ASSERT_TRUE(set.Open(CRecordset::dynaset));
  const auto add = [&](int whole) {
    set.AddNew();
    set.SetFieldNull(nullptr);
    set.whole = whole;
    set.SetFieldNull(&set.whole, FALSE);
    set.Update();
  };
  add(1);
  CString message;
  try {
    add(1);
  } catch (CDBException* e) {
    message = e->m_strError;
    e->Delete();
  }
  EXPECT_GE(message.Find(L"UNIQUE"), 0) << Utf8(message.GetString());
  add(2);
  EXPECT_EQ((std::vector<std::vector<std::string>>{{"1"}, {"2"}}),
            SqliteFile(path_).Query("SELECT whole FROM kinds ORDER BY whole"));
}

// A record set that binds a column its statement does not give: the driver refuses that one read.
class MissingColumn : public CRecordset {
 public:
  explicit MissingColumn(CDatabase* db) : CRecordset(db) { m_nFields = 3; }
  CString GetDefaultSQL() override { return L"SELECT wide, whole FROM kinds"; }
  void DoFieldExchange(CFieldExchange* pFX) override {
    RFX_Text(pFX, L"wide", wide);
    RFX_Int(pFX, L"whole", whole);
    RFX_Double(pFX, L"real", real);
  }
  CString wide;
  int whole = 0;
  double real = 7;
};

TEST_F(DatabaseTest, AFieldThatCannotBeReadIsMarkedAndTheRowGoesOn) {
  SqliteFile(path_).Exec("INSERT INTO kinds (wide, whole, real) VALUES ('w', 5, 1.0), ('v', 6, 2.0)");
  OpenDatabase();
  MissingColumn set(&db_);
  ASSERT_TRUE(set.Open(CRecordset::snapshot));
  for (int row = 0; row < 2; ++row, set.MoveNext()) {
    ASSERT_FALSE(set.IsEOF());
    CString error;
    EXPECT_TRUE(set.IsFieldUnreadable(&set.real, &error));
    EXPECT_FALSE(error.IsEmpty());
    EXPECT_TRUE(set.IsFieldNull(&set.real));
    EXPECT_EQ(0.0, set.real);
    EXPECT_EQ(5 + row, set.whole);
    EXPECT_FALSE(set.IsFieldUnreadable(&set.whole));
  }
  EXPECT_TRUE(set.IsEOF());
}

TEST_F(DatabaseTest, FieldValuesByNameAndIndexAsText) {
  SqliteFile(path_).Exec("INSERT INTO kinds (wide, whole) VALUES ('" + std::string(20000, 'x') + "', 12)");
  OpenDatabase();
  CRecordset set(&db_);
  ASSERT_TRUE(set.Open(CRecordset::forwardOnly, L"SELECT wide, whole FROM kinds"));
  ASSERT_EQ(2, set.GetODBCFieldCount());
  EXPECT_EQ(CString(L"whole"), set.GetColumnName(1));
  CString value;
  set.GetFieldValue(L"WIDE", value);
  EXPECT_EQ(20000, value.GetLength());  // longer than one piece of the read
  set.GetFieldValue(static_cast<short>(1), value);
  EXPECT_EQ(CString(L"12"), value);
  bool raised = false;
  try {
    set.GetFieldValue(L"missing", value);
  } catch (CDBException* e) {
    raised = true;
    e->Delete();
  }
  EXPECT_TRUE(raised);
}

TEST_F(DatabaseTest, ABadStatementRaisesTheDriversMessage) {
  OpenDatabase();
  CRecordset set(&db_);
  bool raised = false;
  try {
    set.Open(CRecordset::snapshot, L"SELECT missing FROM nowhere");
  } catch (CDBException* e) {
    raised = true;
    EXPECT_GE(e->m_strError.Find(L"nowhere"), 0) << Utf8(e->m_strError.GetString());
    e->Delete();
  }
  EXPECT_TRUE(raised);
  EXPECT_FALSE(set.IsOpen());
}

// Names with a space, brackets, a quote, a dash and a reserved word, quoted the driver's way.
TEST_F(DatabaseTest, QuotedNamesOfEveryAwkwardKindWork) {
  OpenDatabase();
  const CString table = db_.QuoteName(L"my \"odd\" [table]-select");
  const CString column = db_.QuoteName(L"order");
  const CString other = db_.QuoteName(L"zip code]");
  db_.ExecuteSQL(L"CREATE TABLE " + table + L" (" + column + L" INTEGER, " + other + L" TEXT)");
  db_.ExecuteSQL(L"INSERT INTO " + table + L" VALUES (3, 'x')");
  CRecordset set(&db_);
  ASSERT_TRUE(set.Open(CRecordset::snapshot, L"SELECT " + column + L", " + other + L" FROM " + table));
  ASSERT_FALSE(set.IsEOF());
  CString value;
  set.GetFieldValue(L"zip code]", value);
  EXPECT_EQ(CString(L"x"), value);
  EXPECT_EQ(1u, SqliteFile(path_).Query("SELECT * FROM \"my \"\"odd\"\" [table]-select\"").size());
}

}  // namespace

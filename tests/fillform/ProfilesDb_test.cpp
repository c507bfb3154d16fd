// The profiles database through its real SQLite files: reading every statement, ids and names with
// quotes and non-ASCII text, missing and broken files, and the rewrite of the last-used table.
#include "ProfilesDb.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProfilesFixture.h"

using fillform_test::CreateDatabase;
using fillform_test::IsolatedUser;
using fillform_test::QueryDatabase;
using quillet::ProfilesDb;
using quillet::ProfilesQuery;

namespace {

typedef std::vector<std::wstring> Rows;

// Each row as its columns joined by "|".
int CollectRow(void* argument, int count, char** values, char**) {
  std::wstring row;
  for (int i = 0; i < count; ++i) row += (i ? L"|" : L"") + quillet::FromUtf8(values[i]);
  static_cast<Rows*>(argument)->push_back(row);
  return 0;
}

int StopAfterFirstRow(void* argument, int count, char** values, char** names) {
  CollectRow(argument, count, values, names);
  return 1;
}

class ProfilesDbTest : public ::testing::Test {
 protected:
  // A quote and non-ASCII letters in the path as well: it reaches SQLite as UTF-8.
  std::wstring DbPath() const { return user_.Path() + L"\\pro'files Ü名.db"; }
  void CreateFixture(const char* extraSql = "") {
    ASSERT_EQ(CreateDatabase(DbPath(), L"profiles.sql", extraSql), "");
  }
  std::string LastUsedRows() const {
    return QueryDatabase(DbPath(), "SELECT * FROM Last_Used_Groups_Profiles;");
  }

  IsolatedUser user_;
  ProfilesDb db_;
};

struct ReadCase {
  const char* what;
  ProfilesQuery query;
  const wchar_t* id;
  Rows expected;
};

TEST_F(ProfilesDbTest, EveryStatementReadsItsRowsInTableOrder) {
  CreateFixture();
  ASSERT_TRUE(db_.Open(DbPath()));
  const ReadCase cases[] = {
      {"groups, duplicate names kept", ProfilesQuery::Groups, L"",
       {L"1|Clients", L"o'b|O'Brien & Co", L"3|Контрагенты", L"4|Clients", L"5|Empty"}},
      {"all profiles", ProfilesQuery::AllProfiles, L"",
       {L"10|Alice", L"11|Bob \"the builder\"", L"12|Ünïcødé 名前", L"13|Loner",
        L"14|x' OR '1'='1"}},
      {"profiles in no group, every column", ProfilesQuery::ProfilesOutOfGroups, L"",
       {L"13|Loner|in no group|"}},
      {"members of a group", ProfilesQuery::GroupProfiles, L"1",
       {L"10|Alice", L"11|Bob \"the builder\""}},
      {"a group id with a quote; a profile in two groups", ProfilesQuery::GroupProfiles, L"o'b",
       {L"11|Bob \"the builder\"", L"14|x' OR '1'='1"}},
      {"non-ASCII member", ProfilesQuery::GroupProfiles, L"3", {L"12|Ünïcødé 名前"}},
      {"a group without members", ProfilesQuery::GroupProfiles, L"5", {}},
      {"group fields, any type", ProfilesQuery::GroupFields, L"1",
       {L"Company|ACME|0", L"Rate|12,5|1", L"City|Paris|0", L"Secret|not a field|3"}},
      {"group fields by a quoted id", ProfilesQuery::GroupFields, L"o'b", {L"Company|O'Brien's|0"}},
      {"non-ASCII field", ProfilesQuery::GroupFields, L"3", {L"Город|Москва|0"}},
      {"a crafted id injects nothing", ProfilesQuery::GroupFields, L"1' OR '1'='1", {}},
      {"a crafted id injects nothing", ProfilesQuery::GroupProfiles, L"x' OR 1=1 --", {}},
      {"profile fields, duplicate names kept in order", ProfilesQuery::ProfileFields, L"10",
       {L"Name|Alice|0", L"Company|Alice Ltd|0", L"Amount|-|2", L"Note|first|0",
        L"Note|second|0"}},
      {"non-ASCII profile fields", ProfilesQuery::ProfileFields, L"12",
       {L"Имя|Ünï '名前'|0", L"Total|3.25|2"}},
      {"a NULL value reads as empty", ProfilesQuery::ProfileFields, L"13", {L"Remark||0"}},
      {"last used, duplicate keys kept in order", ProfilesQuery::LastUsed, L"",
       {L"-2|12", L"1|10", L"1|11"}},
  };
  for (const ReadCase& c : cases) {
    Rows rows;
    EXPECT_TRUE(db_.Read(c.query, c.id, CollectRow, &rows)) << c.what;
    EXPECT_EQ(rows, c.expected) << c.what;
  }
  EXPECT_EQ(user_.ErrorLog(), L"");
}

TEST_F(ProfilesDbTest, MissingFolderIsNotOpenedAndNothingRunsOnIt) {
  const std::wstring path = user_.Path() + L"\\no such folder\\general.db";
  EXPECT_FALSE(db_.Open(path));
  EXPECT_FALSE(db_.IsOpen());
  Rows rows;
  EXPECT_FALSE(db_.Read(ProfilesQuery::Groups, L"", CollectRow, &rows));
  EXPECT_FALSE(db_.WriteLastUsed({{L"-2", L"10"}}));
  EXPECT_TRUE(rows.empty());
  const std::wstring log = user_.ErrorLog();
  EXPECT_NE(log.find(L"\r\nCan't open database: unable to open database file\r\n"), std::wstring::npos)
      << log;
  EXPECT_NE(log.find(L"\r\nSQL error: no database is open\r\n"), std::wstring::npos) << log;
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ProfilesDbTest, FailedOpenClosesTheDatabaseOpenBefore) {
  CreateFixture();
  ASSERT_TRUE(db_.Open(DbPath()));
  EXPECT_FALSE(db_.Open(L""));
  EXPECT_FALSE(db_.IsOpen());
  Rows rows;
  EXPECT_FALSE(db_.Read(ProfilesQuery::Groups, L"", CollectRow, &rows));
  EXPECT_TRUE(rows.empty());
}

struct BadFileCase {
  const char* what;
  const char* bytes;  // null: no file at all
  const wchar_t* logged;
};

TEST_F(ProfilesDbTest, MissingOrBrokenFileOpensButEveryStatementFailsAndIsLogged) {
  const BadFileCase cases[] = {
      {"missing file: created empty by the open", nullptr, L"SQL error: no such table: groups"},
      {"not a database", "This is no SQLite file, just some text long enough to be read.\n",
       L"SQL error: file is not a database"},
  };
  for (const BadFileCase& c : cases) {
    const std::wstring path = user_.Path() + L"\\bad.db";
    DeleteFileW(path.c_str());
    if (c.bytes) {
      ASSERT_TRUE(testing_support::WriteFileBytes(path, c.bytes));
    }
    ASSERT_TRUE(db_.Open(path)) << c.what;
    Rows rows;
    EXPECT_FALSE(db_.Read(ProfilesQuery::Groups, L"", CollectRow, &rows)) << c.what;
    EXPECT_FALSE(db_.WriteLastUsed({{L"-2", L"10"}})) << c.what;
    db_.Close();
    EXPECT_TRUE(rows.empty()) << c.what;
    EXPECT_NE(user_.ErrorLog().find(c.logged), std::wstring::npos) << c.what;
    if (c.bytes) {
      EXPECT_EQ(testing_support::ReadFileBytes(path), c.bytes) << c.what;
    }
  }
}

TEST_F(ProfilesDbTest, RowCallbackStopsReadingAndTheRowsSoFarStay) {
  CreateFixture();
  ASSERT_TRUE(db_.Open(DbPath()));
  Rows rows;
  EXPECT_FALSE(db_.Read(ProfilesQuery::Groups, L"", StopAfterFirstRow, &rows));
  EXPECT_EQ(rows, Rows{L"1|Clients"});
  EXPECT_NE(user_.ErrorLog().find(L"SQL error: query aborted"), std::wstring::npos);
}

TEST_F(ProfilesDbTest, LastUsedRewriteReplacesEveryRow) {
  CreateFixture();
  ASSERT_TRUE(db_.Open(DbPath()));
  EXPECT_TRUE(db_.WriteLastUsed({{L"-3", L"13"}, {L"o'b", L"-2"}, {L"3", L"12"}, {L"é'\"", L"名"}}));
  db_.Close();
  EXPECT_EQ(LastUsedRows(), "-3|13\no'b|-2\n3|12\n" + fillform_test::Utf8(L"é'\"|名"));
  EXPECT_EQ(user_.ErrorLog(), L"");
}

struct FailingRewriteCase {
  const char* what;
  const char* extraSql;
  const char* previousRows;
  const wchar_t* logged;
};

TEST_F(ProfilesDbTest, FailingLastUsedRewriteLosesNothing) {
  const FailingRewriteCase cases[] = {
      {"the second insert is refused",
       "CREATE TRIGGER refuse BEFORE INSERT ON Last_Used_Groups_Profiles WHEN NEW.group_id = 'boom' "
       "BEGIN SELECT RAISE(ABORT, 'refused'); END;",
       "-2|12\n1|10\n1|11", L"SQL error: refused"},
      {"the table has another shape",
       "DROP TABLE Last_Used_Groups_Profiles;"
       "CREATE TABLE Last_Used_Groups_Profiles (group_id TEXT, profile_id TEXT, extra TEXT);"
       "INSERT INTO Last_Used_Groups_Profiles VALUES ('-2', '12', 'kept');",
       "-2|12|kept", L"SQL error: table Last_Used_Groups_Profiles has 3 columns but 2 values were supplied"},
  };
  for (const FailingRewriteCase& c : cases) {
    DeleteFileW(DbPath().c_str());
    CreateFixture(c.extraSql);
    ASSERT_TRUE(db_.Open(DbPath())) << c.what;
    EXPECT_FALSE(db_.WriteLastUsed({{L"1", L"11"}, {L"boom", L"10"}})) << c.what;
    db_.Close();
    EXPECT_EQ(LastUsedRows(), c.previousRows) << c.what;
    EXPECT_NE(user_.ErrorLog().find(c.logged), std::wstring::npos) << c.what;
  }
}

}  // namespace

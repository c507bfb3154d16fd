#include "ProfilesDb.h"

#include <windows.h>

#include <sqlite3.h>

#include "FillFormProcs.h"

namespace quillet {

namespace {

// In the order of ProfilesQuery. "?" is the id of the group or profile, bound as UTF-8 text: it
// compares with the stored ids exactly as a quoted literal would, without ever being parsed as SQL.
const char* const kQueries[] = {
    "SELECT group_id, profile_id FROM Last_Used_Groups_Profiles;",
    "SELECT group_id, name FROM groups;",
    "SELECT name, value, field_type FROM fields WHERE group_id = ?;",
    "SELECT profiles.profile_id, profiles.name FROM profiles;",
    "SELECT * FROM (SELECT * FROM profiles LEFT OUTER JOIN profiles_groups USING (profile_id)) "
    "WHERE group_id IS NULL;",
    "SELECT profiles.profile_id, profiles.name FROM profiles_groups, profiles WHERE group_id == ? "
    "and profiles_groups.profile_id == profiles.profile_id;",
    "SELECT name, value, field_type FROM fields WHERE profile_id = ?;",
};
static_assert(sizeof(kQueries) / sizeof(kQueries[0]) ==
                  static_cast<size_t>(ProfilesQuery::ProfileFields) + 1,
              "one statement per query");

const char kDeleteLastUsed[] = "DELETE FROM Last_Used_Groups_Profiles;";
const char kInsertLastUsed[] = "INSERT INTO Last_Used_Groups_Profiles VALUES (?, ?);";

// Finalizes the statement on every way out, also when a row callback throws.
class Statement {
 public:
  Statement() = default;
  ~Statement() { sqlite3_finalize(statement_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  sqlite3_stmt** Address() { return &statement_; }
  sqlite3_stmt* Get() const { return statement_; }

 private:
  sqlite3_stmt* statement_ = nullptr;
};

std::wstring MessageOrCode(const char* message, int code) {
  if (message && *message) return FromUtf8(message);
  const char* text = sqlite3_errstr(code);
  return text ? FromUtf8(text) : FormatText(L"error %d", code);
}

}  // namespace

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string result(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &result[0], size,
                      nullptr, nullptr);
  return result;
}

std::wstring FromUtf8(const char* text) {
  if (!text || !*text) return std::wstring();
  const int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  if (size <= 1) return std::wstring();
  std::wstring result(size, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, &result[0], size);
  result.resize(size - 1);
  return result;
}

ProfilesDb::~ProfilesDb() { Close(); }

bool ProfilesDb::Open(const std::wstring& path) {
  Close();
  sqlite3* db = nullptr;
  // An empty name would silently give a private temporary database instead of the user's file.
  const int result =
      path.empty() ? SQLITE_CANTOPEN
                   : sqlite3_open_v2(ToUtf8(path).c_str(), &db,
                                     SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (result != SQLITE_OK) {
    AppendErrorLog(FormatText(L"Can't open database: %ls",
                              MessageOrCode(db ? sqlite3_errmsg(db) : nullptr, result).c_str())
                       .c_str());
    sqlite3_close(db);
    return false;
  }
  db_ = db;
  return true;
}

void ProfilesDb::Close() {
  if (!db_) return;
  sqlite3_close(db_);
  db_ = nullptr;
}

void ProfilesDb::LogSqlError() {
  AppendErrorLog(FormatText(
      L"SQL error: %ls",
      db_ ? MessageOrCode(sqlite3_errmsg(db_), sqlite3_errcode(db_)).c_str() : L"no database is open")
                     .c_str());
}

bool ProfilesDb::Execute(const char* sql, const std::vector<std::string>& parameters,
                         ProfilesRowCallback callback, void* argument) {
  if (!db_) {
    LogSqlError();
    return false;
  }
  Statement statement;
  if (sqlite3_prepare_v2(db_, sql, -1, statement.Address(), nullptr) != SQLITE_OK) {
    LogSqlError();
    return false;
  }
  const int expected = sqlite3_bind_parameter_count(statement.Get());
  for (int i = 0; i < expected && i < static_cast<int>(parameters.size()); ++i)
    sqlite3_bind_text(statement.Get(), i + 1, parameters[i].data(),
                      static_cast<int>(parameters[i].size()), SQLITE_TRANSIENT);

  std::vector<char*> values;
  std::vector<char*> names;
  for (;;) {
    const int step = sqlite3_step(statement.Get());
    if (step == SQLITE_DONE) return true;
    if (step != SQLITE_ROW) {
      LogSqlError();
      return false;
    }
    if (!callback) continue;
    const int count = sqlite3_column_count(statement.Get());
    values.assign(count, nullptr);
    names.assign(count, nullptr);
    for (int column = 0; column < count; ++column) {
      values[column] = reinterpret_cast<char*>(
          const_cast<unsigned char*>(sqlite3_column_text(statement.Get(), column)));
      names[column] = const_cast<char*>(sqlite3_column_name(statement.Get(), column));
    }
    if (callback(argument, count, values.data(), names.data()) != 0) {
      AppendErrorLog(FormatText(L"SQL error: %ls", FromUtf8(sqlite3_errstr(SQLITE_ABORT)).c_str()).c_str());
      return false;
    }
  }
}

bool ProfilesDb::Read(ProfilesQuery query, const std::wstring& id, ProfilesRowCallback callback,
                      void* argument) {
  return Execute(kQueries[static_cast<int>(query)], {ToUtf8(id)}, callback, argument);
}

bool ProfilesDb::WriteLastUsed(const std::vector<std::pair<std::wstring, std::wstring>>& entries) {
  if (!Execute("BEGIN;", {}, nullptr, nullptr)) return false;
  bool written = Execute(kDeleteLastUsed, {}, nullptr, nullptr);
  for (size_t i = 0; written && i < entries.size(); ++i)
    written = Execute(kInsertLastUsed, {ToUtf8(entries[i].first), ToUtf8(entries[i].second)},
                      nullptr, nullptr);
  if (written && Execute("COMMIT;", {}, nullptr, nullptr)) return true;
  if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK;", nullptr, nullptr, nullptr);
  return false;
}

}  // namespace quillet

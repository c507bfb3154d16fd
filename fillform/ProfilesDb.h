// Access to the profiles database: one SQLite file with the tables groups, profiles, profiles_groups,
// fields (kept by the outside editor) and Last_Used_Groups_Profiles (kept by this library).
// Text is UTF-8 in the database and UTF-16 here. Every id and name reaches SQLite as a bound
// parameter, so a name holding a quote is just a name.
#pragma once
#include <string>
#include <utility>
#include <vector>

struct sqlite3;

namespace quillet {

// The reading statements, each with at most one bound id.
enum class ProfilesQuery {
  LastUsed,             // group key, profile id of Last_Used_Groups_Profiles
  Groups,               // group_id, name
  GroupFields,          // name, value, field_type of one group (id)
  AllProfiles,          // profile_id, name
  ProfilesOutOfGroups,  // every column of the profiles in no group; profile_id and name first
  GroupProfiles,        // profile_id, name of the members of one group (id)
  ProfileFields,        // name, value, field_type of one profile (id)
};

// Called once per row with the row's column values as UTF-8 (null for a NULL value), in the form of
// SQLite's exec callback; a non-zero result stops the reading and fails it.
typedef int (*ProfilesRowCallback)(void* argument, int count, char** values, char** names);

class ProfilesDb {
 public:
  ProfilesDb() = default;
  ~ProfilesDb();
  ProfilesDb(const ProfilesDb&) = delete;
  ProfilesDb& operator=(const ProfilesDb&) = delete;

  // Closes any open file first. Opens `path` read-write, creating a missing file. On failure logs
  // "Can't open database: %s" and leaves no database open.
  bool Open(const std::wstring& path);
  void Close();
  bool IsOpen() const { return db_ != nullptr; }

  // Runs one reading statement with its id (ignored by the statements without one), handing each row
  // to `callback`. A failure is logged as "SQL error: %s"; the rows handed over before it stay with
  // the caller. Fails without running anything when no database is open.
  bool Read(ProfilesQuery query, const std::wstring& id, ProfilesRowCallback callback,
            void* argument = nullptr);

  // Replaces the rows of Last_Used_Groups_Profiles by `entries` (group key, profile id) in one
  // transaction: after a failure the table keeps its previous rows.
  bool WriteLastUsed(const std::vector<std::pair<std::wstring, std::wstring>>& entries);

 private:
  bool Execute(const char* sql, const std::vector<std::string>& parameters,
               ProfilesRowCallback callback, void* argument);
  void LogSqlError();

  sqlite3* db_ = nullptr;
};

std::string ToUtf8(const std::wstring& text);
// A null pointer reads as the empty string.
std::wstring FromUtf8(const char* text);

}  // namespace quillet

// Rewrites the last-used table of a profiles database, for the check that reads it back with the
// host's own sqlite3 tool. Usage: LastUsedWriter DATABASE [GROUPKEY PROFILEID]...
// Exit code 0 when the rewrite succeeded, 1 when it failed, 2 for a wrong command line.
#include <windows.h>

#include "ProfilesDb.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 2 || argc % 2 != 0) return 2;
  std::vector<std::pair<std::wstring, std::wstring>> entries;
  for (int i = 2; i + 1 < argc; i += 2) entries.emplace_back(argv[i], argv[i + 1]);
  quillet::ProfilesDb db;
  return db.Open(argv[1]) && db.WriteLastUsed(entries) ? 0 : 1;
}

// Which installed ODBC drivers open which kinds of database file: the scan behind the wizard's
// "Open file" button. Each driver's attribute list says what files it uses (FileUsage) and their
// extensions (FileExtns); a driver named like a kind's own driver takes that kind at once, another is
// a candidate by its extensions. The scan itself needs no driver manager, so any list can be fed in.
#pragma once
#include "Framework.h"

#include <vector>

class CDriverScan {
 public:
  enum { kKinds = 6 };
  struct Kind {
    LPCTSTR shownName;
    LPCTSTR driverName;              // looked for in the driver's description, any letter case
    std::vector<CString> ownExtensions;
  };
  struct Result {
    BOOL found = FALSE;
    BOOL searchable = TRUE;
    int score = 0;
    CString description;            // the chosen driver's description
    CString extensions;             // its extensions joined by ";"
  };

  CDriverScan();
  static const Kind& GetKind(int kind);

  // One driver: its description and its attributes as "key=value" strings, each ended by a zero
  // and the list by an empty string. Returns TRUE once every kind was found by name.
  BOOL AddDriver(LPCTSTR description, LPCTSTR attributes);
  BOOL AllFoundByName() const { return m_foundByName == kKinds; }
  const Result& GetResult(int kind) const { return m_results[kind]; }

  // "%s files (%s)|%s|" per found kind, then "|"; `kindOfEntry` gets the kind of each entry.
  CString BuildFilter(std::vector<int>& kindOfEntry) const;
  // "ODBC;Driver={description};" and the kind's tail for the chosen file.
  CString BuildConnectString(int kind, const CString& path) const;

  // The extensions of a FileExtns value, each once, in order.
  static std::vector<CString> ParseExtensions(const CString& value);

 private:
  Result m_results[kKinds];
  int m_foundByName = 0;
};

// Feeds every driver that the driver manager lists (SQLDriversW) into the scan until it has found
// every kind by name; FALSE when no ODBC environment can be had.
BOOL ScanInstalledDrivers(CDriverScan& scan);

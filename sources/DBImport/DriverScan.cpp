#include "DriverScan.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "ErrorLog.h"

namespace {

const CDriverScan::Kind kKindTable[CDriverScan::kKinds] = {
    {_T("Access"), _T("Microsoft Access Driver"), {_T("*.mdb")}},
    {_T("Excel"), _T("Microsoft Excel Driver"), {_T("*.xls")}},
    {_T("FoxPro"), _T("Microsoft Visual FoxPro Driver"), {_T("*.dbf"), _T("*.dbc"), _T("*.cdx"), _T("*.idx"), _T("*.fpt")}},
    {_T("dBase"), _T("Microsoft dBase Driver"), {_T("*.dbf"), _T("*.ndx"), _T("*.mdx")}},
    {_T("Paradox"), _T("Microsoft Paradox Driver"), {_T("*.db")}},
    {_T("Text"), _T("Microsoft Text Driver"), {_T("*.*"), _T("*.asc"), _T("*.csv"), _T("*.tab"), _T("*.txt")}},
};

BOOL Contains(const std::vector<CString>& list, const CString& item) {
  for (const CString& entry : list)
    if (entry.CompareNoCase(item) == 0) return TRUE;
  return FALSE;
}

BOOL InOwnListOfOtherKind(int kind, const CString& extension) {
  for (int other = 0; other < CDriverScan::kKinds; ++other)
    if (other != kind && Contains(kKindTable[other].ownExtensions, extension)) return TRUE;
  return FALSE;
}

// Whether some other kind's own list holds every one of `matched`.
BOOL AllInOwnListOfOtherKind(int kind, const std::vector<CString>& matched) {
  for (int other = 0; other < CDriverScan::kKinds; ++other) {
    if (other == kind) continue;
    BOOL all = TRUE;
    for (const CString& extension : matched) all = all && Contains(kKindTable[other].ownExtensions, extension);
    if (all) return TRUE;
  }
  return FALSE;
}

CString Join(const std::vector<CString>& list) {
  CString text;
  for (size_t i = 0; i < list.size(); ++i) {
    if (i) text += _T(";");
    text += list[i];
  }
  return text;
}

}  // namespace

CDriverScan::CDriverScan() = default;

const CDriverScan::Kind& CDriverScan::GetKind(int kind) { return kKindTable[kind]; }

std::vector<CString> CDriverScan::ParseExtensions(const CString& value) {
  std::vector<CString> extensions;
  int start = 0;
  while (start <= value.GetLength()) {
    int end = value.Find(_T(','), start);
    if (end < 0) end = value.GetLength();
    const CString piece = value.Mid(start, end - start);
    const int dot = piece.Find(_T('.'), 1);
    if (dot >= 1) {
      CString extension = piece.Mid(dot - 1);
      if (dot == piece.GetLength() - 1) extension += _T("*");  // "*." means any extension
      if (!Contains(extensions, extension)) extensions.push_back(extension);
    }
    start = end + 1;
  }
  return extensions;
}

BOOL CDriverScan::AddDriver(LPCTSTR description, LPCTSTR attributes) {
  DEF_TRY
  if (description == nullptr || attributes == nullptr) return AllFoundByName();
  BOOL usageSeen = FALSE, extensionsSeen = FALSE;
  int usage = -1;
  std::vector<CString> extensions;
  for (LPCTSTR entry = attributes; *entry; entry += wcslen(entry) + 1) {
    const CString text = entry;
    const int equals = text.Find(_T('='));
    if (equals <= 0 || equals == text.GetLength() - 1) continue;
    const CString key = text.Left(equals);
    const CString value = text.Mid(equals + 1);
    if (key == _T("FileUsage")) {
      usageSeen = TRUE;
      if (swscanf(value, L"%d", &usage) != 1) usage = -1;
    } else if (key == _T("FileExtns")) {
      extensionsSeen = TRUE;
      for (const CString& extension : ParseExtensions(value))
        if (!Contains(extensions, extension)) extensions.push_back(extension);
    }
  }
  if (!usageSeen || !extensionsSeen || usage <= 0 || extensions.empty()) return AllFoundByName();

  CString lowered = description;
  lowered.MakeLower();
  const CString joined = Join(extensions);
  for (int kind = 0; kind < kKinds; ++kind) {
    Result& result = m_results[kind];
    if (!result.searchable) continue;
    CString driverName = kKindTable[kind].driverName;
    driverName.MakeLower();
    if (lowered.Find(driverName) >= 0) {
      result.found = TRUE;
      result.searchable = FALSE;
      result.description = description;
      result.extensions = joined;
      ++m_foundByName;
      break;  // a driver named for one kind is offered to no other
    }
    std::vector<CString> matched, unmatched;
    for (const CString& extension : extensions)
      (Contains(kKindTable[kind].ownExtensions, extension) ? matched : unmatched).push_back(extension);
    if (matched.empty() || AllInOwnListOfOtherKind(kind, matched)) continue;
    BOOL foreign = FALSE;
    for (const CString& extension : unmatched) foreign = foreign || InOwnListOfOtherKind(kind, extension);
    if (foreign) continue;
    const int score = static_cast<int>(matched.size()) - static_cast<int>(unmatched.size());
    if (!result.found || score > result.score) {
      result.found = TRUE;
      result.score = score;
      result.description = description;
      result.extensions = joined;
    }
  }
  return AllFoundByName();
  DEF_CATCH("CDriverScan::AddDriver")
  return FALSE;
}

CString CDriverScan::BuildFilter(std::vector<int>& kindOfEntry) const {
  CString filter;
  kindOfEntry.clear();
  for (int kind = 0; kind < kKinds; ++kind) {
    if (!m_results[kind].found) continue;
    CString entry;
    entry.Format(_T("%s files (%s)|%s|"), kKindTable[kind].shownName, m_results[kind].extensions.GetString(),
                 m_results[kind].extensions.GetString());
    filter += entry;
    kindOfEntry.push_back(kind);
  }
  return filter + _T("|");
}

CString CDriverScan::BuildConnectString(int kind, const CString& path) const {
  CString connect;
  if (kind < 0 || kind >= kKinds) return connect;
  connect.Format(_T("ODBC;Driver={%s};"), m_results[kind].description.GetString());
  const int slash = path.ReverseFind(_T('\\'));
  const CString folder = slash >= 0 ? path.Left(slash) : path;
  CString tail;
  switch (kind) {
    case 0:
    case 1: tail.Format(_T("DBQ=%s"), path.GetString()); break;
    case 2: {
      const int dot = path.ReverseFind(_T('.'));
      const CString extension = dot > slash ? path.Mid(dot + 1) : CString();
      tail.Format(_T("SourceType=%s;SourceDb=%s"), extension.GetString(), path.GetString());
      break;
    }
    default: tail.Format(_T("DefaultDir=%s;DBQ=%s"), folder.GetString(), folder.GetString()); break;
  }
  return connect + tail;
}

BOOL ScanInstalledDrivers(CDriverScan& scan) {
  SQLHENV env = SQL_NULL_HENV;
  if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) return FALSE;
  SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  SQLWCHAR description[2000];
  SQLWCHAR attributes[2000];
  SQLUSMALLINT direction = SQL_FETCH_FIRST;
  for (;;) {
    SQLSMALLINT descriptionLength = 0, attributesLength = 0;
    std::fill(std::begin(attributes), std::end(attributes), 0);
    const SQLRETURN rc = SQLDriversW(env, direction, description, 2000, &descriptionLength, attributes, 2000 - 1,
                                     &attributesLength);
    direction = SQL_FETCH_NEXT;
    if (rc == SQL_NO_DATA || !SQL_SUCCEEDED(rc)) break;
    if (scan.AddDriver(reinterpret_cast<LPCWSTR>(description), reinterpret_cast<LPCWSTR>(attributes))) break;
  }
  SQLFreeHandle(SQL_HANDLE_ENV, env);
  return TRUE;
}

#include "fw/Database.h"

#include "fw/WinApp.h"
#include "fw/Wnd.h"

IMPLEMENT_DYNAMIC(CDatabase, CObject)

namespace {

const wchar_t kOdbcPrefix[] = L"ODBC;";

// The connect string without the framework's "ODBC;" in front.
CString WithoutPrefix(LPCTSTR connect) {
  CString text = connect != nullptr ? connect : L"";
  if (text.Left(5).CompareNoCase(kOdbcPrefix) == 0) text = text.Mid(5);
  return text;
}

// Every diagnostic record of the handle, one per line.
CString Diagnostics(SQLSMALLINT type, SQLHANDLE handle, CString& states) {
  CString text;
  for (SQLSMALLINT record = 1;; ++record) {
    SQLWCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLWCHAR message[1024] = {};
    SQLSMALLINT length = 0;
    const SQLRETURN rc = SQLGetDiagRecW(type, handle, record, state, &native, message, 1024, &length);
    if (!SQL_SUCCEEDED(rc)) break;
    if (!text.IsEmpty()) text += L"\n";
    text += reinterpret_cast<LPCWSTR>(message);
    CString one;
    one.Format(L"State:%s,Native:%d", reinterpret_cast<LPCWSTR>(state), static_cast<int>(native));
    if (!states.IsEmpty()) states += L";";
    states += one;
  }
  return text;
}

// Under Wine the driver manager is the host's, which reads a non-null window handle as a pointer to
// its own prompt description: a Windows handle there makes it read stray memory and fail at random.
// It cannot show a window of ours anyway, so it gets none.
BOOL HostDriverManager() {
  static const BOOL host = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return host;
}

BOOL IsPlainWord(LPCTSTR name) {
  if (name == nullptr || *name == 0 || iswdigit(*name)) return FALSE;
  for (LPCTSTR p = name; *p; ++p)
    if (!iswalnum(*p) && *p != L'_') return FALSE;
  return TRUE;
}

}  // namespace

void AFXAPI AfxThrowDBException(SQLRETURN retCode, CDatabase* database, SQLHSTMT hstmt) {
  CDBException* e = new CDBException(retCode);
  CString states;
  if (hstmt != SQL_NULL_HSTMT) e->m_strError = Diagnostics(SQL_HANDLE_STMT, hstmt, states);
  if (e->m_strError.IsEmpty() && database != nullptr && database->m_hdbc != SQL_NULL_HDBC)
    e->m_strError = Diagnostics(SQL_HANDLE_DBC, database->m_hdbc, states);
  if (e->m_strError.IsEmpty() && database != nullptr && database->m_henv != SQL_NULL_HENV)
    e->m_strError = Diagnostics(SQL_HANDLE_ENV, database->m_henv, states);
  e->m_strStateNativeOrigin = states;
  throw e;
}

CDatabase::CDatabase() = default;

CDatabase::~CDatabase() {
  Close();
}

BOOL CDatabase::Open(LPCTSTR lpszDSN, BOOL bExclusive, BOOL bReadOnly, LPCTSTR lpszConnect, BOOL bUseCursorLib) {
  CString connect = WithoutPrefix(lpszConnect);
  if (lpszDSN != nullptr && *lpszDSN != 0) connect = CString(L"DSN=") + lpszDSN + L";" + connect;
  DWORD options = 0;
  if (bExclusive) options |= openExclusive;
  if (bReadOnly) options |= openReadOnly;
  if (bUseCursorLib) options |= useCursorLib;
  return OpenEx(connect, options);
}

BOOL CDatabase::OpenEx(LPCTSTR lpszConnectString, DWORD dwOptions) {
  Close();
  SQLRETURN rc = SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_henv);
  if (!SQL_SUCCEEDED(rc)) {
    m_henv = SQL_NULL_HENV;
    AfxThrowDBException(rc, L"The ODBC driver manager cannot be used.");
  }
  SQLSetEnvAttr(m_henv, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  rc = SQLAllocHandle(SQL_HANDLE_DBC, m_henv, &m_hdbc);
  if (!SQL_SUCCEEDED(rc)) {
    m_hdbc = SQL_NULL_HDBC;
    try {
      AfxThrowDBException(rc, this, SQL_NULL_HSTMT);
    } catch (CException*) {
      Close();
      throw;
    }
  }
  if (dwOptions & openReadOnly)
    SQLSetConnectAttrW(m_hdbc, SQL_ATTR_ACCESS_MODE, reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0);

  const CString connect = WithoutPrefix(lpszConnectString);
  SQLUSMALLINT completion = SQL_DRIVER_COMPLETE;
  if (dwOptions & noOdbcDialog) completion = SQL_DRIVER_NOPROMPT;
  if (dwOptions & forceOdbcDialog) completion = SQL_DRIVER_PROMPT;
  HWND owner = m_hWndPrompt;
  if (owner == nullptr && completion != SQL_DRIVER_NOPROMPT) owner = GetDesktopWindow();
  if (HostDriverManager()) owner = nullptr;
  std::vector<SQLWCHAR> completed(4096);
  SQLSMALLINT length = 0;
  rc = SQLDriverConnectW(m_hdbc, owner, reinterpret_cast<SQLWCHAR*>(const_cast<LPWSTR>(connect.GetString())),
                         SQL_NTS, completed.data(), static_cast<SQLSMALLINT>(completed.size() - 1), &length,
                         completion);
  if (rc == SQL_NO_DATA) {  // the user cancelled the prompt
    Close();
    return FALSE;
  }
  if (!SQL_SUCCEEDED(rc)) {
    try {
      AfxThrowDBException(rc, this, SQL_NULL_HSTMT);
    } catch (CException*) {
      SQLFreeHandle(SQL_HANDLE_DBC, m_hdbc);
      m_hdbc = SQL_NULL_HDBC;
      Close();
      throw;
    }
  }
  m_strConnect = kOdbcPrefix;
  m_strConnect += reinterpret_cast<LPCWSTR>(completed.data());
  return TRUE;
}

void CDatabase::Close() {
  if (m_hdbc != SQL_NULL_HDBC) {
    SQLDisconnect(m_hdbc);
    SQLFreeHandle(SQL_HANDLE_DBC, m_hdbc);
    m_hdbc = SQL_NULL_HDBC;
  }
  if (m_henv != SQL_NULL_HENV) {
    SQLFreeHandle(SQL_HANDLE_ENV, m_henv);
    m_henv = SQL_NULL_HENV;
  }
  m_quoteKnown = FALSE;
  m_quote.Empty();
}

CString CDatabase::GetDatabaseName() const {
  CString name;
  if (!IsOpen()) return name;
  SQLWCHAR buffer[1024] = {};
  SQLSMALLINT length = 0;
  if (SQL_SUCCEEDED(SQLGetInfoW(m_hdbc, SQL_DATABASE_NAME, buffer, sizeof(buffer) - sizeof(SQLWCHAR), &length)))
    name = reinterpret_cast<LPCWSTR>(buffer);
  return name;
}

CString CDatabase::QuoteName(LPCTSTR name) const {
  if (!m_quoteKnown && IsOpen()) {
    SQLWCHAR buffer[8] = {};
    SQLSMALLINT length = 0;
    if (SQL_SUCCEEDED(SQLGetInfoW(m_hdbc, SQL_IDENTIFIER_QUOTE_CHAR, buffer, sizeof(buffer) - sizeof(SQLWCHAR), &length)))
      m_quote = CString(reinterpret_cast<LPCWSTR>(buffer)).Trim();
    m_quoteKnown = TRUE;
  }
  const CString text = name != nullptr ? name : L"";
  if (m_quote.IsEmpty()) {
    if (IsPlainWord(text)) return text;
    CString inner = text;
    inner.Replace(L"]", L"]]");
    return L"[" + inner + L"]";
  }
  CString inner = text;
  inner.Replace(m_quote, m_quote + m_quote);
  return m_quote + inner + m_quote;
}

BOOL CDatabase::HasFunction(SQLUSMALLINT function) const {
  if (!IsOpen()) return FALSE;
  SQLUSMALLINT supported = SQL_FALSE;
  return SQL_SUCCEEDED(SQLGetFunctions(m_hdbc, function, &supported)) && supported == SQL_TRUE;
}

BOOL CDatabase::CanTransact() const {
  if (!IsOpen()) return FALSE;
  SQLUSMALLINT capable = SQL_TC_NONE;
  return SQL_SUCCEEDED(SQLGetInfoW(m_hdbc, SQL_TXN_CAPABLE, &capable, sizeof(capable), nullptr)) &&
         capable != SQL_TC_NONE;
}

BOOL CDatabase::BeginTrans() {
  if (!CanTransact()) return FALSE;
  return SQL_SUCCEEDED(SQLSetConnectAttrW(m_hdbc, SQL_ATTR_AUTOCOMMIT,
                                          reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_AUTOCOMMIT_OFF)), 0));
}

namespace {

BOOL EndTransaction(SQLHDBC hdbc, SQLSMALLINT completion) {
  const BOOL ended = SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, hdbc, completion));
  const BOOL automatic = SQL_SUCCEEDED(SQLSetConnectAttrW(
      hdbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_AUTOCOMMIT_ON)), 0));
  return ended && automatic;
}

}  // namespace

BOOL CDatabase::CommitTrans() { return IsOpen() && EndTransaction(m_hdbc, SQL_COMMIT); }

BOOL CDatabase::Rollback() { return IsOpen() && EndTransaction(m_hdbc, SQL_ROLLBACK); }

void CDatabase::ExecuteSQL(LPCTSTR lpszSQL) {
  if (!IsOpen()) AfxThrowDBException(SQL_ERROR, L"The database is not open.");
  SQLHSTMT hstmt = SQL_NULL_HSTMT;
  SQLRETURN rc = SQLAllocHandle(SQL_HANDLE_STMT, m_hdbc, &hstmt);
  if (!SQL_SUCCEEDED(rc)) AfxThrowDBException(rc, this, SQL_NULL_HSTMT);
  do {
    rc = SQLExecDirectW(hstmt, reinterpret_cast<SQLWCHAR*>(const_cast<LPWSTR>(lpszSQL)), SQL_NTS);
  } while (rc == SQL_STILL_EXECUTING);
  if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) {
    try {
      AfxThrowDBException(rc, this, hstmt);
    } catch (CException*) {
      SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
      throw;
    }
  }
  SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
}

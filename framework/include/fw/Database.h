// Database access over the ODBC driver manager: a connection (CDatabase), a record set over an SQL
// statement or a catalog function (CRecordset) and the field exchange that moves column values in and
// out of a record set's members (CFieldExchange and the RFX_ functions).
//
// Errors of the driver are raised as CDBException (thrown as a pointer, like every framework
// exception) carrying the driver's message; callers catch them around each database call. A value
// that a column cannot give in the member's type does not end the move: that field is marked as
// unreadable and null, and the record set goes on (IsFieldNull, IsFieldUnreadable). 8-bit text members
// hold the system code page's text; it travels to and from the driver as wide text, so a driver's own
// 8-bit encoding never reaches them.
#pragma once
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <string>
#include <vector>

#include "fw/Array.h"
#include "fw/Exceptions.h"
#include "fw/Object.h"
#include "fw/String.h"

#define AFX_DB_USE_DEFAULT_TYPE (0xFFFFFFFF)

class FW_API CDatabase : public CObject {
  DECLARE_DYNAMIC(CDatabase)
 public:
  enum DbOpenOptions {
    openExclusive = 0x0001,
    openReadOnly = 0x0002,
    useCursorLib = 0x0004,
    noOdbcDialog = 0x0008,    // never show the driver manager's prompt
    forceOdbcDialog = 0x0010  // always show it
  };

  CDatabase();
  ~CDatabase() override;
  CDatabase(const CDatabase&) = delete;
  CDatabase& operator=(const CDatabase&) = delete;

  // Opens a connection from an ODBC connect string ("ODBC;" in front is allowed). Without either
  // dialog option the driver manager prompts only for what the string lacks. FALSE when the user
  // cancelled the prompt; a driver error raises CDBException.
  BOOL OpenEx(LPCTSTR lpszConnectString, DWORD dwOptions = 0);
  // The older form: a data source name (or null) and a connect string; null name and "ODBC;" let
  // the driver manager ask the user for the data source.
  virtual BOOL Open(LPCTSTR lpszDSN, BOOL bExclusive = FALSE, BOOL bReadOnly = FALSE,
                    LPCTSTR lpszConnect = _T("ODBC;"), BOOL bUseCursorLib = TRUE);
  virtual void Close();
  BOOL IsOpen() const { return m_hdbc != SQL_NULL_HDBC; }

  // The connect string the driver completed, with "ODBC;" in front.
  const CString& GetConnect() const { return m_strConnect; }
  // The data source's own name for the database (the driver's answer; may be empty).
  CString GetDatabaseName() const;
  // `name` quoted with the driver's identifier quote, any quote inside it doubled; a driver that
  // quotes nothing gets "[" and "]" only when the name is not a plain word.
  CString QuoteName(LPCTSTR name) const;
  // Runs a statement that returns no rows (CREATE, INSERT, ...); a driver error raises CDBException.
  void ExecuteSQL(LPCTSTR lpszSQL);
  // Whether the driver implements an ODBC function (SQL_API_SQLTABLES, ...).
  BOOL HasFunction(SQLUSMALLINT function) const;

  // Transactions: CanTransact tells whether the driver has them. BeginTrans turns automatic commit
  // off until CommitTrans or Rollback ends the transaction and turns it on again. FALSE when the
  // connection is closed, the driver has none or it refused.
  BOOL CanTransact() const;
  BOOL BeginTrans();
  BOOL CommitTrans();
  BOOL Rollback();

  SQLHENV m_henv = SQL_NULL_HENV;
  SQLHDBC m_hdbc = SQL_NULL_HDBC;
  CString m_strConnect;
  // The window the driver manager's prompt is shown over (null: the desktop).
  HWND m_hWndPrompt = nullptr;

 private:
  mutable CString m_quote;  // the driver's identifier quote, asked once per connection
  mutable BOOL m_quoteKnown = FALSE;
};

// Raises CDBException with the diagnostics of the handle (statement, else connection, else
// environment) and the return code.
[[noreturn]] FW_API void AFXAPI AfxThrowDBException(SQLRETURN retCode, CDatabase* database, SQLHSTMT hstmt);

class CRecordset;

// One pass of a record set's DoFieldExchange over its fields. The RFX_ functions below call Field for
// their member; the operation decides whether the member is read from the current row, bound as a
// parameter of an insert, named, or looked up.
class FW_API CFieldExchange {
 public:
  enum RFX_Operation {
    Name,          // collect the names of the fields (the columns of an insert)
    Fixup,         // read the current row into the members
    Value,         // bind the members as the parameters of an insert
    MarkForAddNew, // mark every field null for a new record
    FindField      // find the field whose member is m_pvTarget
  };
  enum FieldKind {
    kTextW, kTextA, kInt, kLong, kByte, kBool, kSingle, kDouble, kTimestamp, kBinary
  };

  CFieldExchange(UINT nOperation, CRecordset* prs, void* pvTarget = nullptr);

  // One field: kind, column name, the member and the most characters or bytes kept.
  void Field(int kind, LPCTSTR szName, void* pv, long nMaxLength = 0);
  // A selected column that no member takes: the next field reads the column after it.
  void SkipColumn();

  UINT m_nOperation;
  CRecordset* m_prs;
  void* m_pvTarget;
  int m_nColumn = 0;     // fields (and skipped columns) seen so far in this pass
  int m_nParam = 0;      // insert parameters bound so far
  int m_nFound = -1;     // FindField: the index of the target field
 private:
  void Read(int kind, void* pv, long nMaxLength);
  void Bind(int kind, void* pv);
};

FW_API void AFXAPI RFX_Text(CFieldExchange* pFX, LPCTSTR szName, CString& value, int nMaxLength = 255,
                            int nColumnType = SQL_VARCHAR, short nScale = 0);
FW_API void AFXAPI RFX_Text(CFieldExchange* pFX, LPCTSTR szName, CStringA& value, int nMaxLength = 255,
                            int nColumnType = SQL_VARCHAR, short nScale = 0);
FW_API void AFXAPI RFX_Int(CFieldExchange* pFX, LPCTSTR szName, int& value);
FW_API void AFXAPI RFX_Long(CFieldExchange* pFX, LPCTSTR szName, long& value);
FW_API void AFXAPI RFX_Byte(CFieldExchange* pFX, LPCTSTR szName, BYTE& value);
// A BOOL-sized member holding 0 or 1.
FW_API void AFXAPI RFX_Bool(CFieldExchange* pFX, LPCTSTR szName, BOOL& value);
FW_API void AFXAPI RFX_Single(CFieldExchange* pFX, LPCTSTR szName, float& value);
FW_API void AFXAPI RFX_Double(CFieldExchange* pFX, LPCTSTR szName, double& value);
FW_API void AFXAPI RFX_Date(CFieldExchange* pFX, LPCTSTR szName, TIMESTAMP_STRUCT& value);
FW_API void AFXAPI RFX_Binary(CFieldExchange* pFX, LPCTSTR szName, CByteArray& value, int nMaxLength = 255);

// A record set: the rows of an SQL statement (or of a catalog function, through ExecuteQuery) with
// the current row's values in the members that DoFieldExchange names, and new rows added by AddNew
// and Update as an INSERT with parameters. Rows are read forwards; MoveFirst away from the first row
// runs the statement again, so every open type moves the same way on any driver.
class FW_API CRecordset : public CObject {
  DECLARE_DYNAMIC(CRecordset)
 public:
  enum OpenType { dynaset = 0, snapshot = 1, forwardOnly = 2, dynamic = 3 };
  enum OpenOptions {
    none = 0,
    readOnly = 0x0004,
    appendOnly = 0x0008,
    executeDirect = 0x2000
  };
  enum EditMode { noMode = 0, edit = 1, addnew = 2 };

  explicit CRecordset(CDatabase* pDatabase = nullptr);
  ~CRecordset() override;
  CRecordset(const CRecordset&) = delete;
  CRecordset& operator=(const CRecordset&) = delete;

  // Runs the statement (GetDefaultSQL when null) and moves to the first row. FALSE when there is no
  // open connection or statement; driver errors raise CDBException.
  virtual BOOL Open(UINT nOpenType = AFX_DB_USE_DEFAULT_TYPE, LPCTSTR lpszSQL = nullptr, DWORD dwOptions = none);
  virtual void Close();
  BOOL IsOpen() const { return m_hstmt != SQL_NULL_HSTMT; }
  BOOL IsEOF() const { return m_bEOF; }
  BOOL IsBOF() const { return m_bBOF; }
  BOOL CanUpdate() const { return IsOpen() && (m_dwOptions & readOnly) == 0; }
  BOOL CanAppend() const { return CanUpdate(); }

  void MoveFirst();
  void MoveNext();

  // New rows: AddNew marks every field null, the caller sets members (SetFieldNull(&member, FALSE)
  // or a member written through SetFieldValue... of a derived class), and Update inserts the row.
  virtual void AddNew();
  // Only new rows are written: Edit and Delete raise the not-supported exception.
  virtual void Edit();
  virtual void Delete();
  // TRUE when a row was written.
  virtual BOOL Update();
  virtual void CancelUpdate();

  // The current row's value of a column by its name or zero-based index, as text (empty for NULL);
  // an unknown column raises CDBException.
  void GetFieldValue(LPCTSTR lpszName, CString& strValue);
  void GetFieldValue(short nIndex, CString& strValue);
  short GetODBCFieldCount() const { return static_cast<short>(m_columnNames.size()); }
  CString GetColumnName(short nIndex) const;

  // The status of the field whose member is `pv` (null: every field).
  void SetFieldNull(void* pv, BOOL bNull = TRUE);
  BOOL IsFieldNull(void* pv);
  // TRUE when the current row's column could not be given in the member's type; `error` gets the
  // driver's message.
  BOOL IsFieldUnreadable(void* pv, CString* error = nullptr);
  // The same by the field's place in DoFieldExchange (skipped columns count), for members that are
  // reached through a temporary.
  void SetFieldNullAt(int nField, BOOL bNull = TRUE);
  BOOL IsFieldNullAt(int nField);
  BOOL IsFieldUnreadableAt(int nField, CString* error = nullptr);

  virtual CString GetDefaultSQL();
  virtual void DoFieldExchange(CFieldExchange* pFX);

  CDatabase* m_pDatabase;
  SQLHSTMT m_hstmt = SQL_NULL_HSTMT;
  UINT m_nFields = 0;       // fields that DoFieldExchange binds
  UINT m_nParams = 0;
  UINT m_nDefaultType = snapshot;
  CString m_strSQL;
  // The table of the statement ("FROM x" of a SELECT): where Update inserts.
  CString m_strTableName;

 protected:
  // Runs the query on the new statement handle; the catalog record sets call a catalog function here.
  virtual SQLRETURN ExecuteQuery(SQLHSTMT hstmt, LPCTSTR lpszSQL);
  void ThrowIfError(SQLRETURN rc, SQLHSTMT hstmt);

 private:
  friend class CFieldExchange;
  enum { kStatusNull = 1, kStatusUnreadable = 2 };
  struct Param {
    std::wstring text;
    std::vector<BYTE> bytes;
    union {
      SQLINTEGER integer;
      BYTE byte;
      float single;
      double real;
      TIMESTAMP_STRUCT timestamp;
    } scalar;
    SQLLEN indicator;
  };

  void Execute();
  void Fetch();
  int FieldIndex(void* pv);
  BYTE& Status(int index);
  CString InsertStatement();
  // The column's current value as text through SQLGetData.
  CString ReadColumnText(SQLUSMALLINT column);

  UINT m_nOpenType = snapshot;
  DWORD m_dwOptions = none;
  BOOL m_bEOF = TRUE;
  BOOL m_bBOF = TRUE;
  long m_nRow = -1;         // rows fetched since the statement ran, less one
  int m_nEditMode = noMode;
  std::vector<CString> m_columnNames;  // of the result, by position
  std::vector<BYTE> m_status;          // per field: kStatus bits
  std::vector<CString> m_fieldErrors;  // per field: why it could not be read
  std::vector<Param> m_params;
  SQLHSTMT m_hstmtInsert = SQL_NULL_HSTMT;  // prepared once, executed per Update
};

#include <cstring>

#include "fw/Database.h"

IMPLEMENT_DYNAMIC(CRecordset, CObject)

namespace {

// Text and binary columns are read in pieces of this many bytes.
const SQLLEN kChunk = 8192;

// "FROM x" of a SELECT up to a following WHERE, GROUP or ORDER: the table that Update writes to.
CString TableOfStatement(const CString& sql) {
  CString upper = sql;
  upper.MakeUpper();
  int from = upper.Find(L" FROM ");
  if (from < 0) return CString();
  from += 6;
  int end = sql.GetLength();
  for (LPCWSTR word : {L" WHERE ", L" GROUP ", L" ORDER "}) {
    const int at = upper.Find(word, from);
    if (at >= 0 && at < end) end = at;
  }
  return sql.Mid(from, end - from).Trim();
}

CStringA ToSystemCodePage(const CString& text) {
  CStringA narrow;
  const int length = WideCharToMultiByte(CP_ACP, 0, text.GetString(), text.GetLength(), nullptr, 0, nullptr, nullptr);
  if (length > 0) {
    WideCharToMultiByte(CP_ACP, 0, text.GetString(), text.GetLength(), narrow.GetBuffer(length), length, nullptr, nullptr);
    narrow.ReleaseBuffer(length);
  }
  return narrow;
}

}  // namespace

CRecordset::CRecordset(CDatabase* pDatabase) : m_pDatabase(pDatabase) {}

CRecordset::~CRecordset() {
  Close();
}

CString CRecordset::GetDefaultSQL() {
  return CString();
}

void CRecordset::DoFieldExchange(CFieldExchange*) {}

SQLRETURN CRecordset::ExecuteQuery(SQLHSTMT hstmt, LPCTSTR lpszSQL) {
  return SQLExecDirectW(hstmt, reinterpret_cast<SQLWCHAR*>(const_cast<LPWSTR>(lpszSQL)), SQL_NTS);
}

void CRecordset::ThrowIfError(SQLRETURN rc, SQLHSTMT hstmt) {
  if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) AfxThrowDBException(rc, m_pDatabase, hstmt);
}

BOOL CRecordset::Open(UINT nOpenType, LPCTSTR lpszSQL, DWORD dwOptions) {
  Close();
  if (m_pDatabase == nullptr || !m_pDatabase->IsOpen()) {
    OutputDebugStringW(L"CRecordset::Open: no open database\n");
    return FALSE;
  }
  m_nOpenType = nOpenType == AFX_DB_USE_DEFAULT_TYPE ? m_nDefaultType : nOpenType;
  m_dwOptions = dwOptions;
  m_strSQL = lpszSQL != nullptr ? CString(lpszSQL) : GetDefaultSQL();
  m_strTableName = TableOfStatement(m_strSQL);
  if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, m_pDatabase->m_hdbc, &m_hstmt))) {
    m_hstmt = SQL_NULL_HSTMT;
    return FALSE;
  }
  try {
    Execute();
  } catch (CException*) {
    Close();
    throw;
  }
  return TRUE;
}

// Runs the statement from the start and reads its first row.
void CRecordset::Execute() {
  SQLFreeStmt(m_hstmt, SQL_CLOSE);
  SQLRETURN rc;
  do {
    rc = ExecuteQuery(m_hstmt, m_strSQL);
  } while (rc == SQL_STILL_EXECUTING);
  ThrowIfError(rc, m_hstmt);

  SQLSMALLINT columns = 0;
  SQLNumResultCols(m_hstmt, &columns);
  m_columnNames.clear();
  for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(columns); ++i) {
    SQLWCHAR name[512] = {};
    SQLSMALLINT length = 0, type = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    SQLDescribeColW(m_hstmt, i, name, 511, &length, &type, &size, &digits, &nullable);
    m_columnNames.push_back(CString(reinterpret_cast<LPCWSTR>(name)));
  }
  m_nRow = -1;
  m_bBOF = FALSE;
  m_bEOF = FALSE;
  Fetch();
  m_bBOF = m_bEOF;
}

void CRecordset::Fetch() {
  const SQLRETURN rc = SQLFetch(m_hstmt);
  if (rc == SQL_NO_DATA) {
    m_bEOF = TRUE;
    return;
  }
  ThrowIfError(rc, m_hstmt);
  ++m_nRow;
  m_status.assign(m_nFields, 0);
  m_fieldErrors.assign(m_nFields, CString());
  CFieldExchange fx(CFieldExchange::Fixup, this);
  DoFieldExchange(&fx);
}

void CRecordset::Close() {
  if (m_hstmtInsert != SQL_NULL_HSTMT) {
    SQLFreeHandle(SQL_HANDLE_STMT, m_hstmtInsert);
    m_hstmtInsert = SQL_NULL_HSTMT;
  }
  if (m_hstmt != SQL_NULL_HSTMT) {
    SQLFreeHandle(SQL_HANDLE_STMT, m_hstmt);
    m_hstmt = SQL_NULL_HSTMT;
  }
  m_bEOF = m_bBOF = TRUE;
  m_nEditMode = noMode;
  m_columnNames.clear();
  m_params.clear();
}

void CRecordset::MoveFirst() {
  if (!IsOpen()) return;
  if (m_nRow != 0 || m_bEOF) Execute();
}

void CRecordset::MoveNext() {
  if (!IsOpen() || m_bEOF) return;
  Fetch();
}

void CRecordset::AddNew() {
  if (!CanAppend()) AfxThrowDBException(SQL_ERROR, L"The record set cannot add records.");
  m_nEditMode = addnew;
  m_status.assign(m_nFields, kStatusNull);
  m_fieldErrors.assign(m_nFields, CString());
}

void CRecordset::Edit() {
  AfxThrowNotSupportedException();
}

void CRecordset::Delete() {
  AfxThrowNotSupportedException();
}

void CRecordset::CancelUpdate() {
  m_nEditMode = noMode;
}

CString CRecordset::InsertStatement() {
  // The Name pass leaves each field's column name in its parameter slot.
  m_params.clear();
  CFieldExchange names(CFieldExchange::Name, this);
  DoFieldExchange(&names);
  CString sql = L"INSERT INTO " + m_strTableName + L" (";
  CString values;
  for (size_t i = 0; i < m_params.size(); ++i) {
    if (i) {
      sql += L", ";
      values += L", ";
    }
    sql += m_pDatabase->QuoteName(m_params[i].text.c_str());
    values += L"?";
  }
  return sql + L") VALUES (" + values + L")";
}

BOOL CRecordset::Update() {
  if (m_nEditMode != addnew) return FALSE;
  if (m_hstmtInsert == SQL_NULL_HSTMT) {
    const CString sql = InsertStatement();
    if (m_params.empty()) {
      m_nEditMode = noMode;
      return FALSE;
    }
    SQLRETURN rc = SQLAllocHandle(SQL_HANDLE_STMT, m_pDatabase->m_hdbc, &m_hstmtInsert);
    if (!SQL_SUCCEEDED(rc)) {
      m_hstmtInsert = SQL_NULL_HSTMT;
      AfxThrowDBException(rc, m_pDatabase, SQL_NULL_HSTMT);
    }
    rc = SQLPrepareW(m_hstmtInsert, reinterpret_cast<SQLWCHAR*>(const_cast<LPWSTR>(sql.GetString())), SQL_NTS);
    if (!SQL_SUCCEEDED(rc)) {
      try {
        AfxThrowDBException(rc, m_pDatabase, m_hstmtInsert);
      } catch (CException*) {
        SQLFreeHandle(SQL_HANDLE_STMT, m_hstmtInsert);
        m_hstmtInsert = SQL_NULL_HSTMT;
        throw;
      }
    }
  }
  CFieldExchange values(CFieldExchange::Value, this);
  DoFieldExchange(&values);
  SQLRETURN rc = SQLExecute(m_hstmtInsert);
  m_nEditMode = noMode;
  // The driver's message lives on the statement until it is closed: read it first.
  if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) {
    try {
      AfxThrowDBException(rc, m_pDatabase, m_hstmtInsert);
    } catch (CException*) {
      SQLFreeStmt(m_hstmtInsert, SQL_CLOSE);
      throw;
    }
  }
  SQLFreeStmt(m_hstmtInsert, SQL_CLOSE);
  return TRUE;
}

int CRecordset::FieldIndex(void* pv) {
  CFieldExchange find(CFieldExchange::FindField, this, pv);
  DoFieldExchange(&find);
  return find.m_nFound;
}

BYTE& CRecordset::Status(int index) {
  if (m_status.size() < m_nFields) {
    m_status.resize(m_nFields, 0);
    m_fieldErrors.resize(m_nFields);
  }
  return m_status[static_cast<size_t>(index)];
}

void CRecordset::SetFieldNull(void* pv, BOOL bNull) {
  if (pv == nullptr) {
    m_status.assign(m_nFields, bNull ? kStatusNull : 0);
    return;
  }
  const int index = FieldIndex(pv);
  if (index < 0) OutputDebugStringW(L"CRecordset::SetFieldNull: not a field of the record set\n");
  SetFieldNullAt(index, bNull);
}

BOOL CRecordset::IsFieldNull(void* pv) { return IsFieldNullAt(FieldIndex(pv)); }

BOOL CRecordset::IsFieldUnreadable(void* pv, CString* error) { return IsFieldUnreadableAt(FieldIndex(pv), error); }

void CRecordset::SetFieldNullAt(int nField, BOOL bNull) {
  if (nField < 0 || nField >= static_cast<int>(m_nFields)) return;
  BYTE& status = Status(nField);
  status = bNull ? (status | kStatusNull) : 0;
}

BOOL CRecordset::IsFieldNullAt(int nField) {
  if (nField < 0 || nField >= static_cast<int>(m_nFields)) return FALSE;
  return (Status(nField) & kStatusNull) != 0;
}

BOOL CRecordset::IsFieldUnreadableAt(int nField, CString* error) {
  if (nField < 0 || nField >= static_cast<int>(m_nFields)) return FALSE;
  const BOOL unreadable = (Status(nField) & kStatusUnreadable) != 0;
  if (unreadable && error != nullptr) *error = m_fieldErrors[static_cast<size_t>(nField)];
  return unreadable;
}

CString CRecordset::GetColumnName(short nIndex) const {
  if (nIndex < 0 || nIndex >= GetODBCFieldCount()) return CString();
  return m_columnNames[static_cast<size_t>(nIndex)];
}

CString CRecordset::ReadColumnText(SQLUSMALLINT column) {
  CString text;
  std::vector<SQLWCHAR> buffer(static_cast<size_t>(kChunk / sizeof(SQLWCHAR)));
  for (;;) {
    SQLLEN indicator = 0;
    const SQLRETURN rc = SQLGetData(m_hstmt, column, SQL_C_WCHAR, buffer.data(),
                                    static_cast<SQLLEN>(buffer.size() * sizeof(SQLWCHAR)), &indicator);
    if (rc == SQL_NO_DATA || indicator == SQL_NULL_DATA) break;
    ThrowIfError(rc, m_hstmt);
    text += reinterpret_cast<LPCWSTR>(buffer.data());
    if (rc == SQL_SUCCESS) break;  // SQL_SUCCESS_WITH_INFO: more of the value follows
  }
  return text;
}

void CRecordset::GetFieldValue(LPCTSTR lpszName, CString& strValue) {
  for (size_t i = 0; i < m_columnNames.size(); ++i) {
    if (m_columnNames[i].CompareNoCase(lpszName) == 0) {
      GetFieldValue(static_cast<short>(i), strValue);
      return;
    }
  }
  CString error;
  error.Format(L"The record set has no column named %s.", lpszName);
  AfxThrowDBException(SQL_ERROR, error);
}

void CRecordset::GetFieldValue(short nIndex, CString& strValue) {
  if (!IsOpen() || m_bEOF || nIndex < 0 || nIndex >= GetODBCFieldCount())
    AfxThrowDBException(SQL_ERROR, L"No current record or no such column.");
  strValue = ReadColumnText(static_cast<SQLUSMALLINT>(nIndex + 1));
}

// ---- Field exchange ----

CFieldExchange::CFieldExchange(UINT nOperation, CRecordset* prs, void* pvTarget)
    : m_nOperation(nOperation), m_prs(prs), m_pvTarget(pvTarget) {}

void CFieldExchange::SkipColumn() {
  ++m_nColumn;
}

void CFieldExchange::Field(int kind, LPCTSTR szName, void* pv, long nMaxLength) {
  const int index = m_nColumn++;
  switch (m_nOperation) {
    case Name: {
      CRecordset::Param param{};
      param.text = szName != nullptr ? szName : L"";
      m_prs->m_params.push_back(param);
      break;
    }
    case Fixup:
      if (index < static_cast<int>(m_prs->m_nFields)) Read(kind, pv, nMaxLength);
      break;
    case Value:
      Bind(kind, pv);
      break;
    case MarkForAddNew:
      if (index < static_cast<int>(m_prs->m_nFields)) m_prs->Status(index) = CRecordset::kStatusNull;
      break;
    case FindField:
      if (pv == m_pvTarget && m_nFound < 0) m_nFound = index;
      break;
    default:
      break;
  }
}

// Reads column m_nColumn (one-based: the field just counted) of the current row into the member.
void CFieldExchange::Read(int kind, void* pv, long nMaxLength) {
  const int index = m_nColumn - 1;
  const SQLUSMALLINT column = static_cast<SQLUSMALLINT>(m_nColumn);
  SQLHSTMT hstmt = m_prs->m_hstmt;
  SQLLEN indicator = 0;
  SQLRETURN rc = SQL_SUCCESS;
  BYTE& status = m_prs->Status(index);
  status = 0;
  switch (kind) {
    case kTextW: {
      CString& value = *static_cast<CString*>(pv);
      value.Empty();
      std::vector<SQLWCHAR> buffer(static_cast<size_t>(kChunk / sizeof(SQLWCHAR)));
      for (;;) {
        rc = SQLGetData(hstmt, column, SQL_C_WCHAR, buffer.data(), static_cast<SQLLEN>(buffer.size() * sizeof(SQLWCHAR)),
                        &indicator);
        if (rc == SQL_NO_DATA || !SQL_SUCCEEDED(rc) || indicator == SQL_NULL_DATA) break;
        value += reinterpret_cast<LPCWSTR>(buffer.data());
        if (rc == SQL_SUCCESS || (nMaxLength > 0 && value.GetLength() >= nMaxLength)) break;
      }
      if (nMaxLength > 0 && value.GetLength() > nMaxLength) value = value.Left(nMaxLength);
      break;
    }
    case kTextA: {
      // Read as wide text, so the driver's own 8-bit encoding does not matter.
      CString wide;
      Read(kTextW, &wide, nMaxLength);
      *static_cast<CStringA*>(pv) = ToSystemCodePage(wide);
      return;
    }
    case kBinary: {
      CByteArray& value = *static_cast<CByteArray*>(pv);
      value.RemoveAll();
      std::vector<BYTE> buffer(static_cast<size_t>(kChunk));
      for (;;) {
        rc = SQLGetData(hstmt, column, SQL_C_BINARY, buffer.data(), static_cast<SQLLEN>(buffer.size()), &indicator);
        if (rc == SQL_NO_DATA || !SQL_SUCCEEDED(rc) || indicator == SQL_NULL_DATA) break;
        SQLLEN got = (indicator == SQL_NO_TOTAL || indicator > kChunk) ? kChunk : indicator;
        for (SQLLEN i = 0; i < got && (nMaxLength <= 0 || value.GetSize() < nMaxLength); ++i) value.Add(buffer[i]);
        if (rc == SQL_SUCCESS || (nMaxLength > 0 && value.GetSize() >= nMaxLength)) break;
      }
      break;
    }
    case kInt:
    case kLong: {
      SQLINTEGER value = 0;
      rc = SQLGetData(hstmt, column, SQL_C_SLONG, &value, sizeof(value), &indicator);
      if (SQL_SUCCEEDED(rc) && indicator == SQL_NULL_DATA) value = 0;
      if (kind == kInt) *static_cast<int*>(pv) = SQL_SUCCEEDED(rc) ? value : 0;
      else *static_cast<long*>(pv) = SQL_SUCCEEDED(rc) ? value : 0;
      break;
    }
    case kBool: {
      unsigned char value = 0;
      rc = SQLGetData(hstmt, column, SQL_C_BIT, &value, sizeof(value), &indicator);
      *static_cast<BOOL*>(pv) = SQL_SUCCEEDED(rc) && indicator != SQL_NULL_DATA && value != 0;
      break;
    }
    case kByte: {
      unsigned char value = 0;
      rc = SQLGetData(hstmt, column, SQL_C_UTINYINT, &value, sizeof(value), &indicator);
      *static_cast<BYTE*>(pv) = SQL_SUCCEEDED(rc) && indicator != SQL_NULL_DATA ? value : 0;
      break;
    }
    case kSingle: {
      float value = 0;
      rc = SQLGetData(hstmt, column, SQL_C_FLOAT, &value, sizeof(value), &indicator);
      *static_cast<float*>(pv) = SQL_SUCCEEDED(rc) && indicator != SQL_NULL_DATA ? value : 0.0f;
      break;
    }
    case kDouble: {
      double value = 0;
      rc = SQLGetData(hstmt, column, SQL_C_DOUBLE, &value, sizeof(value), &indicator);
      *static_cast<double*>(pv) = SQL_SUCCEEDED(rc) && indicator != SQL_NULL_DATA ? value : 0.0;
      break;
    }
    case kTimestamp: {
      TIMESTAMP_STRUCT value = {};
      rc = SQLGetData(hstmt, column, SQL_C_TYPE_TIMESTAMP, &value, sizeof(value), &indicator);
      if (!SQL_SUCCEEDED(rc) || indicator == SQL_NULL_DATA) std::memset(&value, 0, sizeof(value));
      *static_cast<TIMESTAMP_STRUCT*>(pv) = value;
      break;
    }
    default:
      break;
  }
  if (rc != SQL_NO_DATA && !SQL_SUCCEEDED(rc)) {
    // The row goes on; the field tells why it has no value.
    status = CRecordset::kStatusUnreadable | CRecordset::kStatusNull;
    CString states;
    SQLWCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLWCHAR message[1024] = {};
    SQLSMALLINT length = 0;
    if (SQL_SUCCEEDED(SQLGetDiagRecW(SQL_HANDLE_STMT, hstmt, 1, state, &native, message, 1024, &length)))
      m_prs->m_fieldErrors[static_cast<size_t>(index)] = reinterpret_cast<LPCWSTR>(message);
    else
      m_prs->m_fieldErrors[static_cast<size_t>(index)] = L"The value cannot be read.";
  } else if (rc == SQL_NO_DATA || indicator == SQL_NULL_DATA) {
    status = CRecordset::kStatusNull;
  }
}

// Binds the member as the next parameter of the prepared insert; a null field binds NULL.
void CFieldExchange::Bind(int kind, void* pv) {
  const int index = m_nColumn - 1;
  const size_t number = static_cast<size_t>(m_nParam++);
  if (m_prs->m_params.size() <= number) m_prs->m_params.resize(number + 1);
  CRecordset::Param& param = m_prs->m_params[number];
  const BOOL isNull = index < static_cast<int>(m_prs->m_status.size()) &&
                      (m_prs->m_status[static_cast<size_t>(index)] & CRecordset::kStatusNull) != 0;
  SQLSMALLINT cType = SQL_C_DEFAULT, sqlType = SQL_VARCHAR;
  SQLULEN size = 0;
  SQLSMALLINT digits = 0;
  SQLPOINTER data = nullptr;
  SQLLEN bufferLength = 0;
  param.indicator = 0;
  switch (kind) {
    case kTextW:
      param.text = static_cast<CString*>(pv)->GetString();
      cType = SQL_C_WCHAR;
      sqlType = SQL_WVARCHAR;
      size = param.text.empty() ? 1 : param.text.size();
      data = const_cast<wchar_t*>(param.text.c_str());
      bufferLength = static_cast<SQLLEN>((param.text.size() + 1) * sizeof(wchar_t));
      param.indicator = static_cast<SQLLEN>(param.text.size() * sizeof(wchar_t));
      break;
    case kTextA: {
      // 8-bit text is the system code page's; the driver takes it as wide text.
      const CStringA& narrow = *static_cast<CStringA*>(pv);
      const int length = MultiByteToWideChar(CP_ACP, 0, narrow.GetString(), narrow.GetLength(), nullptr, 0);
      param.text.assign(static_cast<size_t>(length), L'\0');
      if (length > 0) MultiByteToWideChar(CP_ACP, 0, narrow.GetString(), narrow.GetLength(), &param.text[0], length);
      cType = SQL_C_WCHAR;
      sqlType = SQL_VARCHAR;
      size = param.text.empty() ? 1 : param.text.size();
      data = const_cast<wchar_t*>(param.text.c_str());
      bufferLength = static_cast<SQLLEN>((param.text.size() + 1) * sizeof(wchar_t));
      param.indicator = static_cast<SQLLEN>(param.text.size() * sizeof(wchar_t));
      break;
    }
    case kBinary: {
      const CByteArray& value = *static_cast<CByteArray*>(pv);
      param.bytes.assign(value.GetData(), value.GetData() + value.GetSize());
      if (param.bytes.empty()) param.bytes.push_back(0);
      cType = SQL_C_BINARY;
      sqlType = SQL_VARBINARY;
      size = param.bytes.size();
      data = param.bytes.data();
      bufferLength = static_cast<SQLLEN>(param.bytes.size());
      param.indicator = static_cast<SQLLEN>(value.GetSize());
      break;
    }
    case kInt:
      param.scalar.integer = *static_cast<int*>(pv);
      cType = SQL_C_SLONG;
      sqlType = SQL_INTEGER;
      data = &param.scalar.integer;
      break;
    case kLong:
      param.scalar.integer = *static_cast<long*>(pv);
      cType = SQL_C_SLONG;
      sqlType = SQL_INTEGER;
      data = &param.scalar.integer;
      break;
    case kBool:
      param.scalar.byte = *static_cast<BOOL*>(pv) != 0 ? 1 : 0;
      cType = SQL_C_BIT;
      sqlType = SQL_BIT;
      data = &param.scalar.byte;
      break;
    case kByte:
      param.scalar.byte = *static_cast<BYTE*>(pv);
      cType = SQL_C_UTINYINT;
      sqlType = SQL_TINYINT;
      data = &param.scalar.byte;
      break;
    case kSingle:
      param.scalar.single = *static_cast<float*>(pv);
      cType = SQL_C_FLOAT;
      sqlType = SQL_REAL;
      data = &param.scalar.single;
      break;
    case kDouble:
      param.scalar.real = *static_cast<double*>(pv);
      cType = SQL_C_DOUBLE;
      sqlType = SQL_DOUBLE;
      data = &param.scalar.real;
      break;
    case kTimestamp:
      param.scalar.timestamp = *static_cast<TIMESTAMP_STRUCT*>(pv);
      cType = SQL_C_TYPE_TIMESTAMP;
      sqlType = SQL_TYPE_TIMESTAMP;
      size = 19;
      data = &param.scalar.timestamp;
      bufferLength = sizeof(TIMESTAMP_STRUCT);
      break;
    default:
      return;
  }
  if (isNull) param.indicator = SQL_NULL_DATA;
  const SQLRETURN rc = SQLBindParameter(m_prs->m_hstmtInsert, static_cast<SQLUSMALLINT>(number + 1), SQL_PARAM_INPUT,
                                        cType, sqlType, size, digits, data, bufferLength, &param.indicator);
  m_prs->ThrowIfError(rc, m_prs->m_hstmtInsert);
}

void AFXAPI RFX_Text(CFieldExchange* pFX, LPCTSTR szName, CString& value, int nMaxLength, int, short) {
  pFX->Field(CFieldExchange::kTextW, szName, &value, nMaxLength);
}
void AFXAPI RFX_Text(CFieldExchange* pFX, LPCTSTR szName, CStringA& value, int nMaxLength, int, short) {
  pFX->Field(CFieldExchange::kTextA, szName, &value, nMaxLength);
}
void AFXAPI RFX_Int(CFieldExchange* pFX, LPCTSTR szName, int& value) {
  pFX->Field(CFieldExchange::kInt, szName, &value);
}
void AFXAPI RFX_Long(CFieldExchange* pFX, LPCTSTR szName, long& value) {
  pFX->Field(CFieldExchange::kLong, szName, &value);
}
void AFXAPI RFX_Byte(CFieldExchange* pFX, LPCTSTR szName, BYTE& value) {
  pFX->Field(CFieldExchange::kByte, szName, &value);
}
void AFXAPI RFX_Bool(CFieldExchange* pFX, LPCTSTR szName, BOOL& value) {
  pFX->Field(CFieldExchange::kBool, szName, &value);
}
void AFXAPI RFX_Single(CFieldExchange* pFX, LPCTSTR szName, float& value) {
  pFX->Field(CFieldExchange::kSingle, szName, &value);
}
void AFXAPI RFX_Double(CFieldExchange* pFX, LPCTSTR szName, double& value) {
  pFX->Field(CFieldExchange::kDouble, szName, &value);
}
void AFXAPI RFX_Date(CFieldExchange* pFX, LPCTSTR szName, TIMESTAMP_STRUCT& value) {
  pFX->Field(CFieldExchange::kTimestamp, szName, &value);
}
void AFXAPI RFX_Binary(CFieldExchange* pFX, LPCTSTR szName, CByteArray& value, int nMaxLength) {
  pFX->Field(CFieldExchange::kBinary, szName, &value, nMaxLength);
}

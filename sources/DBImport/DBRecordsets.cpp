#include "DBRecordsets.h"

#include "ErrorLog.h"

int SQLTypeToVariantType(int sqlType) {
  switch (sqlType) {
    case SQL_NUMERIC:
    case SQL_DECIMAL:
    case SQL_FLOAT:
    case SQL_DOUBLE: return CVariant::typeDouble;
    case SQL_INTEGER:
    case SQL_SMALLINT:
    case SQL_BIGINT: return CVariant::typeInteger;
    case SQL_REAL: return CVariant::typeFloat;
    case SQL_DATETIME:  // SQL_DATE of the older API has the same code
    case SQL_TIME:
    case SQL_TIMESTAMP:
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME:
    case SQL_TYPE_TIMESTAMP: return CVariant::typeDateTime;
    case SQL_WLONGVARCHAR:
    case SQL_WVARCHAR:
    case SQL_WCHAR: return CVariant::typeUnicodeString;
    case SQL_BIT: return CVariant::typeBoolean;
    case SQL_TINYINT: return CVariant::typeByte;
    case SQL_LONGVARBINARY:
    case SQL_VARBINARY:
    case SQL_BINARY: return CVariant::typeBinary;
    default: return CVariant::typeString;
  }
}

// ---- Catalog record sets ----

BOOL CCatalogRecordset::OpenCatalog(SQLUSMALLINT function, LPCTSTR a, LPCTSTR b, LPCTSTR c, LPCTSTR d,
                                    UINT nOpenType) {
  DEF_TRY
  m_function = function;
  LPCTSTR given[4] = {a, b, c, d};
  for (int i = 0; i < 4; ++i) {
    m_null[i] = given[i] == nullptr;
    m_args[i] = given[i] != nullptr ? given[i] : _T("");
  }
  // A driver without the function gives an empty list, not an error.
  if (m_pDatabase == nullptr || !m_pDatabase->HasFunction(function)) return FALSE;
  return CRecordset::Open(nOpenType, nullptr, readOnly);
  DEF_CATCH("CCatalogRecordset::OpenCatalog")
  return FALSE;
}

SQLWCHAR* CCatalogRecordset::Argument(int i) {
  return m_null[i] ? nullptr : reinterpret_cast<SQLWCHAR*>(const_cast<LPWSTR>(m_args[i].GetString()));
}

SQLRETURN CCatalogRecordset::ExecuteQuery(SQLHSTMT hstmt, LPCTSTR) {
  if (m_function == SQL_API_SQLTABLES)
    return SQLTablesW(hstmt, Argument(0), SQL_NTS, Argument(1), SQL_NTS, Argument(2), SQL_NTS, Argument(3), SQL_NTS);
  return SQLColumnsW(hstmt, Argument(0), SQL_NTS, Argument(1), SQL_NTS, Argument(2), SQL_NTS, Argument(3), SQL_NTS);
}

CTables::CTables(CDatabase* pDatabase) : CCatalogRecordset(pDatabase) {
  m_nFields = 5;
}

void CTables::DoFieldExchange(CFieldExchange* pFX) {
  RFX_Text(pFX, _T("TABLE_QUALIFIER"), m_strQualifier);
  RFX_Text(pFX, _T("TABLE_OWNER"), m_strOwner);
  RFX_Text(pFX, _T("TABLE_NAME"), m_strName);
  RFX_Text(pFX, _T("TABLE_TYPE"), m_strType);
  RFX_Text(pFX, _T("REMARKS"), m_strRemarks);
}

CColumns::CColumns(CDatabase* pDatabase) : CCatalogRecordset(pDatabase) {
  m_nFields = 12;
}

void CColumns::DoFieldExchange(CFieldExchange* pFX) {
  RFX_Text(pFX, _T("TABLE_QUALIFIER"), m_strQualifier);
  RFX_Text(pFX, _T("TABLE_OWNER"), m_strOwner);
  RFX_Text(pFX, _T("TABLE_NAME"), m_strTableName);
  RFX_Text(pFX, _T("COLUMN_NAME"), m_strColumnName);
  RFX_Int(pFX, _T("DATA_TYPE"), m_nDataType);
  RFX_Text(pFX, _T("TYPE_NAME"), m_strTypeName);
  RFX_Long(pFX, _T("PRECISION"), m_nPrecision);
  RFX_Long(pFX, _T("LENGTH"), m_nLength);
  RFX_Int(pFX, _T("SCALE"), m_nScale);
  RFX_Int(pFX, _T("RADIX"), m_nRadix);
  RFX_Int(pFX, _T("NULLABLE"), m_nNullable);
  RFX_Text(pFX, _T("REMARKS"), m_strRemarks);
}

// ---- CSQLRecordset ----

CSQLRecordset::CSQLRecordset(LPCTSTR tableName, CDatabase* pDatabase)
    : CRecordset(pDatabase), m_strTable(tableName != nullptr ? tableName : _T("")) {}

void CSQLRecordset::AddField(LPCTSTR name, int type) {
  _SQLRECFIELDITEM item;
  item.nType = type;
  item.strName = name;
  m_arrFields.Add(item);
  m_nFields = static_cast<UINT>(m_arrFields.GetSize());
}

CString CSQLRecordset::BuildSelect() const {
  CString sql = _T("SELECT ");
  for (INT_PTR i = 0; i < m_arrFields.GetSize(); ++i) {
    if (i > 0) sql += _T(", ");
    sql += m_pDatabase->QuoteName(m_arrFields[i].strName);
  }
  return sql + _T(" FROM ") + m_pDatabase->QuoteName(m_strTable);
}

BOOL CSQLRecordset::Open(UINT nOpenType, DWORD dwOptions) {
  DEF_TRY
  if (m_pDatabase == nullptr || m_arrFields.GetSize() == 0) return FALSE;
  return CRecordset::Open(nOpenType, BuildSelect(), dwOptions);
  DEF_CATCH("CSQLRecordset::Open")
  return FALSE;
}

CVariant CSQLRecordset::GetFieldItemValue(int i) {
  if (i < 0 || i >= m_arrFields.GetSize()) AfxThrowInvalidArgException();
  return m_arrFields[i].varValue;
}

BOOL CSQLRecordset::SetFieldItemValue(int i, const CVariant& v) {
  DEF_TRY
  if (i < 0 || i >= m_arrFields.GetSize()) return FALSE;
  _SQLRECFIELDITEM& item = m_arrFields.ElementAt(i);
  if (v.GetType() != item.nType) return FALSE;
  item.varValue = v;
  SetFieldNullAt(i, FALSE);
  return TRUE;
  DEF_CATCH("CSQLRecordset::SetFieldItemValue")
  return FALSE;
}

void CSQLRecordset::DoFieldExchange(CFieldExchange* pFX) {
  DEF_TRY
  for (int i = 0; i < static_cast<int>(m_nFields); ++i) {
    if (i >= m_arrFields.GetSize()) AfxThrowInvalidArgException();
    _SQLRECFIELDITEM& item = m_arrFields.ElementAt(i);
    CVariant& value = item.varValue;
    LPCTSTR name = item.strName;
    switch (item.nType) {
      // A Boolean column lands in the value's int storage: it reads back as Integer 0 or 1.
      case CVariant::typeBoolean: RFX_Bool(pFX, name, value.GetInteger()); break;
      case CVariant::typeByte: RFX_Byte(pFX, name, value.GetByte()); break;
      case CVariant::typeLong: RFX_Long(pFX, name, value.GetLong()); break;
      case CVariant::typeFloat: RFX_Single(pFX, name, value.GetFloat()); break;
      case CVariant::typeDouble: RFX_Double(pFX, name, value.GetDouble()); break;
      case CVariant::typeInteger: RFX_Int(pFX, name, value.GetInteger()); break;
      case CVariant::typeString: RFX_Text(pFX, name, *value.GetAnsiString(), 0xFFFF, SQL_VARCHAR, 0); break;
      case CVariant::typeUnicodeString: RFX_Text(pFX, name, *value.GetUnicodeString(), 0xFFFF, SQL_VARCHAR, 0); break;
      case CVariant::typeBinary: RFX_Binary(pFX, name, *value.GetBinary(), 5 * 1048576 - 1); break;
      case CVariant::typeDateTime: {
        // Milliseconds and the day of the week are not carried either way.
        SYSTEMTIME& t = *value.GetDateTime();
        TIMESTAMP_STRUCT stamp = {};
        stamp.year = static_cast<SQLSMALLINT>(t.wYear);
        stamp.month = t.wMonth;
        stamp.day = t.wDay;
        stamp.hour = t.wHour;
        stamp.minute = t.wMinute;
        stamp.second = t.wSecond;
        RFX_Date(pFX, name, stamp);
        t.wYear = static_cast<WORD>(stamp.year);
        t.wMonth = stamp.month;
        t.wDay = stamp.day;
        t.wHour = stamp.hour;
        t.wMinute = stamp.minute;
        t.wSecond = stamp.second;
        break;
      }
      default: pFX->SkipColumn(); break;  // NULL, Char and UnicodeChar take no value
    }
  }
  DEF_CATCH("CSQLRecordset::DoFieldExchange")
}

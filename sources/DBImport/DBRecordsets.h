// The record sets of the database wizard: the table list and the column list of a data source
// (catalog functions) and the result set over the linked columns of one table, through which records
// are read for an import and added for an export.
#pragma once
#include "Framework.h"

#include "Variant.h"

// The value type tag (CVariant::Type) that a column of this ODBC SQL type is read and written as.
int SQLTypeToVariantType(int sqlType);

// A record set over one catalog function (SQLTables or SQLColumns) with four name arguments.
class CCatalogRecordset : public CRecordset {
 public:
  explicit CCatalogRecordset(CDatabase* pDatabase) : CRecordset(pDatabase) {}

 protected:
  // Runs the function with the names (each may be null) and moves to the first row; FALSE when the
  // driver lacks the function or the catalog cannot be read (logged).
  BOOL OpenCatalog(SQLUSMALLINT function, LPCTSTR a, LPCTSTR b, LPCTSTR c, LPCTSTR d, UINT nOpenType);
  SQLRETURN ExecuteQuery(SQLHSTMT hstmt, LPCTSTR sql) override;

 private:
  using CRecordset::Open;
  SQLWCHAR* Argument(int i);
  SQLUSMALLINT m_function = 0;
  CString m_args[4];
  BOOL m_null[4] = {};
};

class CTables : public CCatalogRecordset {
 public:
  explicit CTables(CDatabase* pDatabase);
  BOOL Open(LPCTSTR qualifier, LPCTSTR owner, LPCTSTR tableName, LPCTSTR tableType, UINT nOpenType = snapshot) {
    return OpenCatalog(SQL_API_SQLTABLES, qualifier, owner, tableName, tableType, nOpenType);
  }
  void DoFieldExchange(CFieldExchange* pFX) override;

  CString m_strQualifier, m_strOwner, m_strName, m_strType, m_strRemarks;
};

class CColumns : public CCatalogRecordset {
 public:
  explicit CColumns(CDatabase* pDatabase);
  BOOL Open(LPCTSTR qualifier, LPCTSTR owner, LPCTSTR tableName, LPCTSTR columnName, UINT nOpenType = snapshot) {
    return OpenCatalog(SQL_API_SQLCOLUMNS, qualifier, owner, tableName, columnName, nOpenType);
  }
  void DoFieldExchange(CFieldExchange* pFX) override;

  CString m_strQualifier, m_strOwner, m_strTableName, m_strColumnName;
  int m_nDataType = 0;
  CString m_strTypeName;
  long m_nPrecision = 0;
  long m_nLength = 0;
  int m_nScale = 0;
  int m_nRadix = 0;
  int m_nNullable = 0;
  CString m_strRemarks;
};

// One bound column of the result set: its type tag, its name and the buffer of its value.
struct _SQLRECFIELDITEM {
  int nType = CVariant::typeNull;
  CString strName;
  CVariant varValue;
};

class CSQLRecordset : public CRecordset {
 public:
  CSQLRecordset(LPCTSTR tableName, CDatabase* pDatabase);

  void AddField(LPCTSTR name, int type);
  int GetFieldItemCount() const { return static_cast<int>(m_arrFields.GetSize()); }
  // The SELECT of the linked columns from the table, every name quoted for the driver.
  CString BuildSelect() const;
  // Runs BuildSelect; FALSE after a database error (logged).
  virtual BOOL Open(UINT nOpenType, DWORD dwOptions);
  // A copy of item i's value; the invalid-argument exception outside the items.
  CVariant GetFieldItemValue(int i);
  // FALSE when i is outside the items or v's type differs from the item's.
  BOOL SetFieldItemValue(int i, const CVariant& v);
  void DoFieldExchange(CFieldExchange* pFX) override;

  CArray<_SQLRECFIELDITEM, const _SQLRECFIELDITEM&> m_arrFields;
  CString m_strTable;

 private:
  using CRecordset::Open;
};

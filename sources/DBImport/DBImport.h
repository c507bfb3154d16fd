// The database import and export wizard: it links the document's fields to the columns of one table
// of an ODBC data source, then serves as the cursor over that table while the document's worker reads
// records from it (import) or adds records to it (export). Its pages (DBImportPages.h) read and write
// the sheet's members directly.
#pragma once
#include "Framework.h"

#include "DBRecordsets.h"
#include "FieldNumbersCollation.h"
#include "Variant.h"

// A column of the table or a field of the document: its value type tag and its name.
struct _FIELDNAMEANDTYPE {
  int nType = CVariant::typeNull;
  CString strName;
};
typedef CArray<_FIELDNAMEANDTYPE, const _FIELDNAMEANDTYPE&> CFieldNameTypeArray;

class CDBImportPage1;
class CDBImportPage_1_2;
class CDBImportPage2;
class CDBImportPage_2_3;
class CDBImportPage3;
class CDBImportPageEnd;
class CDBImportPageQuick;

class CDBImport : public CPropertySheet {
 public:
  enum { kModeImport = 0, kModeExport = 1, kModeQuickImport = 2 };

  explicit CDBImport(CWnd* parent = nullptr);
  ~CDBImport() override;

  // Builds the pages of the mode (the quick page alone for mode 2) and turns on wizard mode.
  void SetModeImport(int mode);
  int GetMode() const { return m_nMode; }
  // A negative index or one past the end appends; the index used, -1 on failure.
  int InsertField(int index, LPCTSTR name, int type);
  int AddField(LPCTSTR name, int type) { return InsertField(-1, name, type); }
  void AppendLinks(const CFieldLinkArray& links);
  CString GetConnectString() const { return m_strConnect; }
  CString GetTableName() const { return m_strTableName; }
  int GetImportedFieldsCount() const { return static_cast<int>(m_arrLinks.GetSize()); }
  // The document-field indexes of the first min(n, links) links; their count.
  int GetImportedFields(int* fields, int n);

  // Closes the connection and any result set, then runs the wizard: ID_WIZFINISH when finished.
  INT_PTR DoModal() override;

  // The result set over the linked columns of the chosen table, opened as a dynaset.
  BOOL CreateResultRecordset();
  void CloseResultSet();
  BOOL IsResultSetOpen();
  BOOL MoveFirst();
  BOOL MoveNext();
  BOOL IsEOF();
  // The current record's value of result column i. A NULL value when the column is null, or when it
  // could not be read (that is logged): the caller skips it rather than store a made-up value.
  CVariant GetVarFieldValue(int i);
  // Stores v for the next Update, converted to the column's text or Boolean type where the link
  // allows it; FALSE when i is outside the columns or v cannot be given in the column's type.
  BOOL SetFieldValue(int i, const CVariant& v);
  // Database errors pass through as CDBException.
  virtual void AddNew();
  virtual void Delete();
  virtual void Edit();
  virtual void Update();
  void Close();

  // The field and column name of each link, in link order.
  void GetLinkNames(CStringArray& fieldNames, CStringArray& columnNames) const;
  // Quick import: each stored link finds its field and its column again by the names in
  // m_linkFieldNames and m_linkColumnNames, so a form or table that changed since cannot fill the
  // wrong fields; a link whose field or column is gone is dropped (and logged). Without names the
  // links stay as stored. The number of links left.
  int RebindLinksByName();

  // Re-reads m_arrColumns from the catalog for m_strTableName (page 2 and the quick page).
  BOOL LoadColumns(CListCtrl* list = nullptr);

  CDatabase m_database;
  CSQLRecordset* m_pResultSet = nullptr;
  CString m_strTableName;
  BOOL m_bReloadLinks = TRUE;
  BOOL m_bReloadTables = TRUE;
  CFieldNameTypeArray m_arrColumns;
  CFieldNameTypeArray m_arrDocFields;
  CFieldLinkArray m_arrLinks;
  CDBImportPage1* m_pPage1 = nullptr;
  CDBImportPage_1_2* m_pPage_1_2 = nullptr;
  CDBImportPage2* m_pPage2 = nullptr;
  CDBImportPage_2_3* m_pPage_2_3 = nullptr;
  CDBImportPage3* m_pPage3 = nullptr;
  CDBImportPageEnd* m_pPageEnd = nullptr;
  CDBImportPageQuick* m_pPageQuick = nullptr;
  int m_nMode = kModeImport;
  CString m_strConnect;
  CStringArray m_linkFieldNames, m_linkColumnNames;

 private:
  void DeletePages();
};

// The name of a value type tag as the wizard's lists show it.
LPCTSTR VariantTypeName(int type);

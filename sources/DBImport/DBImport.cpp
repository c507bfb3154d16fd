#include "DBImport.h"

#include "DBImportPages.h"
#include "ErrorLog.h"
#include "ErrorLogFile.h"

LPCTSTR VariantTypeName(int type) {
  static const LPCTSTR kNames[] = {_T("NULL"),   _T("Boolean"), _T("Char"),      _T("Byte"),
                                   _T("Long"),   _T("Float"),   _T("Double"),    _T("Integer"),
                                   _T("String"), _T("Date/Time"), _T("Binary data"), _T("UnicodeChar"),
                                   _T("UnicodeString")};
  return type >= 0 && type < static_cast<int>(sizeof(kNames) / sizeof(kNames[0])) ? kNames[type] : _T("");
}

CDBImport::CDBImport(CWnd* parent) : CPropertySheet(_T("DB Import Wizard"), parent) {}

CDBImport::~CDBImport() {
  Close();
  DeletePages();
}

void CDBImport::DeletePages() {
  delete m_pPage1;
  delete m_pPage_1_2;
  delete m_pPage2;
  delete m_pPage_2_3;
  delete m_pPage3;
  delete m_pPageEnd;
  delete m_pPageQuick;
  m_pPage1 = nullptr;
  m_pPage_1_2 = nullptr;
  m_pPage2 = nullptr;
  m_pPage_2_3 = nullptr;
  m_pPage3 = nullptr;
  m_pPageEnd = nullptr;
  m_pPageQuick = nullptr;
}

void CDBImport::SetModeImport(int mode) {
  DEF_TRY
  m_nMode = mode;
  if (mode == kModeQuickImport) {
    m_pPageQuick = new CDBImportPageQuick();
    AddPage(m_pPageQuick);
  } else {
    m_pPage1 = new CDBImportPage1();
    m_pPage_1_2 = new CDBImportPage_1_2();
    m_pPage2 = new CDBImportPage2();
    m_pPage_2_3 = new CDBImportPage_2_3();
    m_pPage3 = new CDBImportPage3();
    m_pPageEnd = new CDBImportPageEnd();
    AddPage(m_pPage1);
    AddPage(m_pPage_1_2);
    AddPage(m_pPage2);
    AddPage(m_pPage_2_3);
    AddPage(m_pPage3);
    AddPage(m_pPageEnd);
  }
  SetWizardMode();
  m_psh.dwFlags &= ~PSH_HASHELP;
  DEF_CATCH("CDBImport::SetModeImport")
}

int CDBImport::InsertField(int index, LPCTSTR name, int type) {
  DEF_TRY
  _FIELDNAMEANDTYPE field;
  field.nType = type;
  field.strName = name;
  const int count = static_cast<int>(m_arrDocFields.GetSize());
  if (index < 0 || index > count) index = count;
  m_arrDocFields.InsertAt(index, field);
  return index;
  DEF_CATCH("CDBImport::InsertField")
  return -1;
}

void CDBImport::AppendLinks(const CFieldLinkArray& links) {
  DEF_TRY
  for (INT_PTR i = 0; i < links.GetSize(); ++i) m_arrLinks.Add(links[i]);
  DEF_CATCH("CDBImport::AppendLinks")
}

int CDBImport::GetImportedFields(int* fields, int n) {
  DEF_TRY
  const int count = std::min(n, GetImportedFieldsCount());
  for (int i = 0; i < count; ++i) fields[i] = m_arrLinks[i].fieldIndex;
  return count;
  DEF_CATCH("CDBImport::GetImportedFields")
  return 0;
}

INT_PTR CDBImport::DoModal() {
  DEF_TRY
  m_database.Close();
  delete m_pResultSet;
  m_pResultSet = nullptr;
  return CPropertySheet::DoModal();
  DEF_CATCH("CDBImport::DoModal")
  return IDCANCEL;
}

BOOL CDBImport::CreateResultRecordset() {
  DEF_TRY
  CloseResultSet();
  if (!m_database.IsOpen()) return FALSE;
  m_pResultSet = new CSQLRecordset(m_strTableName, &m_database);
  for (INT_PTR i = 0; i < m_arrLinks.GetSize(); ++i) {
    const int column = m_arrLinks[i].columnIndex;
    if (column < 0 || column >= m_arrColumns.GetSize()) return FALSE;
    m_pResultSet->AddField(m_arrColumns[column].strName, m_arrColumns[column].nType);
  }
  return m_pResultSet->Open(CRecordset::dynaset, CRecordset::none);
  DEF_CATCH("CDBImport::CreateResultRecordset")
  return FALSE;
}

void CDBImport::CloseResultSet() {
  DEF_TRY
  if (m_pResultSet != nullptr && m_pResultSet->IsOpen()) m_pResultSet->Close();
  delete m_pResultSet;
  m_pResultSet = nullptr;
  DEF_CATCH("CDBImport::CloseResultSet")
}

BOOL CDBImport::IsResultSetOpen() {
  DEF_TRY
  return m_pResultSet != nullptr && m_pResultSet->IsOpen();
  DEF_CATCH("CDBImport::IsResultSetOpen")
  return FALSE;
}

BOOL CDBImport::MoveFirst() {
  DEF_TRY
  if (!IsResultSetOpen()) return FALSE;
  m_pResultSet->MoveFirst();
  return TRUE;
  DEF_CATCH("CDBImport::MoveFirst")
  return FALSE;
}

BOOL CDBImport::MoveNext() {
  DEF_TRY
  if (!IsResultSetOpen() || m_pResultSet->IsEOF()) return FALSE;
  m_pResultSet->MoveNext();
  return TRUE;
  DEF_CATCH("CDBImport::MoveNext")
  return FALSE;
}

BOOL CDBImport::IsEOF() {
  DEF_TRY
  return m_pResultSet == nullptr || m_pResultSet->IsEOF();
  DEF_CATCH("CDBImport::IsEOF")
  return TRUE;
}

CVariant CDBImport::GetVarFieldValue(int i) {
  DEF_TRY
  if (m_pResultSet == nullptr || i < 0 || i >= m_pResultSet->GetFieldItemCount()) return CVariant();
  CString error;
  if (m_pResultSet->IsFieldUnreadableAt(i, &error)) {
    CString entry;
    entry.Format(_T("The value of column %s could not be read: %s"), m_pResultSet->m_arrFields[i].strName.GetString(),
                 error.GetString());
    AppendErrorLog(entry);
    return CVariant();
  }
  if (m_pResultSet->IsFieldNullAt(i)) return CVariant();
  return m_pResultSet->GetFieldItemValue(i);
  DEF_CATCH("CDBImport::GetVarFieldValue")
  return CVariant();
}

void CDBImport::GetLinkNames(CStringArray& fieldNames, CStringArray& columnNames) const {
  fieldNames.RemoveAll();
  columnNames.RemoveAll();
  for (INT_PTR i = 0; i < m_arrLinks.GetSize(); ++i) {
    const int field = m_arrLinks[i].fieldIndex, column = m_arrLinks[i].columnIndex;
    fieldNames.Add(field >= 0 && field < m_arrDocFields.GetSize() ? m_arrDocFields[field].strName : CString());
    columnNames.Add(column >= 0 && column < m_arrColumns.GetSize() ? m_arrColumns[column].strName : CString());
  }
}

namespace {

int FindByName(const CFieldNameTypeArray& list, const CString& name) {
  for (INT_PTR i = 0; i < list.GetSize(); ++i)
    if (list[i].strName.CompareNoCase(name) == 0) return static_cast<int>(i);
  return -1;
}

}  // namespace

int CDBImport::RebindLinksByName() {
  DEF_TRY
  if (m_linkFieldNames.GetSize() != m_arrLinks.GetSize() || m_linkColumnNames.GetSize() != m_arrLinks.GetSize())
    return static_cast<int>(m_arrLinks.GetSize());
  CFieldLinkArray links;
  for (INT_PTR i = 0; i < m_arrLinks.GetSize(); ++i) {
    const int field = FindByName(m_arrDocFields, m_linkFieldNames[i]);
    const int column = FindByName(m_arrColumns, m_linkColumnNames[i]);
    if (field < 0 || column < 0) {
      CString entry;
      entry.Format(_T("The stored link of field %s to column %s is dropped: %s is gone."),
                   m_linkFieldNames[i].GetString(), m_linkColumnNames[i].GetString(),
                   field < 0 ? _T("the field") : _T("the column"));
      AppendErrorLog(entry);
      continue;
    }
    links.Add(_FIELDNUMBERSCOLLATION{field, column});
  }
  m_arrLinks.RemoveAll();
  m_arrLinks.Append(links);
  return static_cast<int>(m_arrLinks.GetSize());
  DEF_CATCH("CDBImport::RebindLinksByName")
  return 0;
}

namespace {

// The value as the column's type where the link allows another type in: text into either text
// column (an 8-bit column takes the system code page's form), numbers and whole numbers written as
// text into a Boolean column.
BOOL ConvertForColumn(const CVariant& value, int columnType, CVariant& out) {
  if (value.GetType() == columnType) {
    out = value;
    return TRUE;
  }
  switch (columnType) {
    case CVariant::typeUnicodeString:
      out = CVariant(value.GetString());
      return TRUE;
    case CVariant::typeString: {
      const CString text = value.GetString();
      CStringA* narrow = out.GetAnsiString();
      const int length = WideCharToMultiByte(CP_ACP, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
      if (length > 0) {
        WideCharToMultiByte(CP_ACP, 0, text, text.GetLength(), narrow->GetBuffer(length), length, nullptr, nullptr);
        narrow->ReleaseBuffer(length);
      }
      return TRUE;
    }
    case CVariant::typeBoolean: {
      CVariant source = value;
      int state = 0;
      switch (source.GetType()) {
        case CVariant::typeInteger: state = source.GetInteger(); break;
        case CVariant::typeLong: state = static_cast<int>(source.GetLong()); break;
        case CVariant::typeByte: state = source.GetByte(); break;
        case CVariant::typeDouble: state = source.GetDouble() != 0.0; break;
        case CVariant::typeString:
        case CVariant::typeUnicodeString: {
          // The import stores a Boolean column's value as its text "0" or "1": it goes back as it came.
          const CString text = CString(source.GetString()).Trim();
          wchar_t* end = nullptr;
          const long number = text.IsEmpty() ? 0 : wcstol(text.GetString(), &end, 10);
          if (text.IsEmpty() || end == nullptr || *end != 0) return FALSE;
          state = number != 0;
          break;
        }
        default: return FALSE;
      }
      out.PreExchange(CVariant::typeBoolean);
      out.GetInteger() = state != 0 ? 1 : 0;
      return TRUE;
    }
    default: return FALSE;
  }
}

}  // namespace

BOOL CDBImport::SetFieldValue(int i, const CVariant& v) {
  DEF_TRY
  if (m_pResultSet == nullptr || i < 0 || i >= m_pResultSet->GetFieldItemCount()) return FALSE;
  CVariant converted;
  if (!ConvertForColumn(v, m_pResultSet->m_arrFields[i].nType, converted)) return FALSE;
  return m_pResultSet->SetFieldItemValue(i, converted);
  DEF_CATCH("CDBImport::SetFieldValue")
  return FALSE;
}

void CDBImport::AddNew() { m_pResultSet->AddNew(); }
void CDBImport::Delete() { m_pResultSet->Delete(); }
void CDBImport::Edit() { m_pResultSet->Edit(); }
void CDBImport::Update() { m_pResultSet->Update(); }

void CDBImport::Close() {
  DEF_TRY
  m_arrColumns.RemoveAll();
  m_arrDocFields.RemoveAll();
  m_arrLinks.RemoveAll();
  CloseResultSet();
  m_database.Close();
  DEF_CATCH("CDBImport::Close")
}

BOOL CDBImport::LoadColumns(CListCtrl* list) {
  DEF_TRY
  m_arrColumns.RemoveAll();
  if (list != nullptr) list->DeleteAllItems();
  CColumns columns(&m_database);
  if (!columns.Open(nullptr, nullptr, m_strTableName, nullptr, CRecordset::snapshot)) return FALSE;
  for (; !columns.IsEOF(); columns.MoveNext()) {
    _FIELDNAMEANDTYPE column;
    column.nType = SQLTypeToVariantType(columns.m_nDataType);
    column.strName = columns.m_strColumnName;
    m_arrColumns.Add(column);
    if (list != nullptr) {
      const int item = list->InsertItem(list->GetItemCount(), columns.m_strColumnName);
      list->SetItemText(item, 1, columns.m_strTypeName);
    }
  }
  return TRUE;
  DEF_CATCH("CDBImport::LoadColumns")
  return FALSE;
}

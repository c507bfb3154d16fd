// The document's database commands: import, quick import and export of records over ODBC through
// the wizard, the workers that move the records on the progress dialog's thread, and records taken
// from other document files.
#include <functional>
#include <vector>

#include "DBImport.h"
#include "DocObjects.h"
#include "ErrorLog.h"
#include "ErrorLogFile.h"
#include "FolimarDoc.h"
#include "ImpExpProgressDlg.h"
#include "MyProcs.h"
#include "resource.h"

namespace {

CString Text(UINT id) { return CString(MAKEINTRESOURCE(id)); }

void ShowDatabaseError(const CString& text) { CaptionBox(text, Text(IDS_DB_ERROR), MB_OK | MB_ICONERROR); }

// The table cell of field `field` in record `record`, or the invalid-argument error.
CVariant& FieldCell(const CFieldObjectInfoArray& fields, int field, int record) {
  if (field < 0 || field >= fields.GetSize()) AfxThrowInvalidArgException();
  const _FIELD_OBJECT_INFO& info = fields[field];
  CVariantRecord& row = info.page->m_table[record];
  if (info.index < 0 || info.index >= row.GetSize()) AfxThrowInvalidArgException();
  return row.ElementAt(info.index);
}

// The document-field index of every link.
std::vector<int> LinkedFields(CDBImport& wizard) {
  const int count = wizard.GetImportedFieldsCount();
  std::vector<int> fields(static_cast<size_t>(count));
  if (count > 0) fields.resize(static_cast<size_t>(wizard.GetImportedFields(fields.data(), count)));
  return fields;
}

CFolimarDoc::DataLoader g_dataLoader = nullptr;

}  // namespace

void CFolimarDoc::AddFieldsFromArrayToMaster(CFieldObjectInfoArray& fields, CDBImport& wizard) {
  DEF_TRY
  for (INT_PTR i = 0; i < fields.GetSize(); ++i) {
    CTranspBaseClass* object = fields[i].object;
    const int type = IsCheckMarkObject(object) ? CVariant::typeBoolean : CVariant::typeUnicodeString;
    wizard.AddField(GetDocObjectServices()->getName(object), type);
  }
  DEF_CATCH("CFolimarDoc::AddFieldsFromArrayToMaster")
}

namespace {

typedef std::function<void(CImpExpProgressDlg&, _DB_WORKER_PARAMS&, const std::vector<int>&)> WorkerBody;

// The frame of both workers: a database error becomes the dialog's error text (`emptyErrorId` when
// the driver said nothing), any other error is logged; either way the dialog is told the worker ended.
UINT RunWorker(LPVOID dialogPointer, const char* name, UINT emptyErrorId, const WorkerBody& body) {
  CImpExpProgressDlg* dialog = static_cast<CImpExpProgressDlg*>(dialogPointer);
  try {
    _DB_WORKER_PARAMS* params = static_cast<_DB_WORKER_PARAMS*>(dialog->m_pParam);
    body(*dialog, *params, LinkedFields(*params->wizard));
  } catch (CDBException* e) {
    dialog->m_strError = e->m_strError.IsEmpty() && emptyErrorId != 0 ? Text(emptyErrorId) : e->m_strError;
    e->Delete();
  } catch (...) {
    HandleCaughtException(__FILE__, __LINE__, name);
  }
  dialog->WorkerDone();
  return 0;
}

// With automatic commit every added record is a transaction of its own that waits for the disk, so
// the export adds its records in transactions of a batch each where the driver has them. Each batch
// is committed, also when the export stops or fails midway: the records added before stay in the
// table, as they would one by one.
class ExportBatches {
 public:
  explicit ExportBatches(CDatabase& database) : database_(database), open_(database.BeginTrans()) {}
  ~ExportBatches() {
    if (open_) database_.CommitTrans();
  }
  ExportBatches(const ExportBatches&) = delete;
  ExportBatches& operator=(const ExportBatches&) = delete;
  // Before each record: commits the batch that is full and begins the next.
  void Next() {
    if (!open_ || ++count_ <= kRecords) return;
    count_ = 1;
    open_ = database_.CommitTrans() && database_.BeginTrans();
  }

 private:
  enum { kRecords = 1000 };
  CDatabase& database_;
  BOOL open_;
  int count_ = 0;
};

}  // namespace

UINT __cdecl CFolimarDoc::Import(LPVOID dialogPointer) {
  return RunWorker(dialogPointer, "CFolimarDoc::Import", 0,
                   [](CImpExpProgressDlg& dialog, _DB_WORKER_PARAMS& params, const std::vector<int>& linked) {
    CDBImport& wizard = *params.wizard;
    if (!wizard.MoveFirst()) return;
    for (int k = 0; !wizard.IsEOF() && !dialog.m_bStop; ++k) {
      const int record = params.doc->InsertRecord(-1);
      for (size_t i = 0; i < linked.size(); ++i) {
        const CVariant value = wizard.GetVarFieldValue(static_cast<int>(i));
        CVariant& cell = FieldCell(*params.fields, linked[i], record);
        // A NULL or unreadable value leaves the cell empty rather than filling in a stand-in.
        if (value.GetType() != CVariant::typeNull) cell = CVariant(value.GetString());
      }
      CString text;
      text.Format(Text(IDS_DB_RECORD), k);
      dialog.SetText1(text);
      // A move that failed (logged by the wizard) ends the import instead of repeating the record.
      if (!wizard.MoveNext()) break;
    }
  });
}

UINT __cdecl CFolimarDoc::Export(LPVOID dialogPointer) {
  return RunWorker(dialogPointer, "CFolimarDoc::Export", IDS_DB_INTERNAL_ODBC_ERROR,
                   [](CImpExpProgressDlg& dialog, _DB_WORKER_PARAMS& params, const std::vector<int>& linked) {
    CDBImport& wizard = *params.wizard;
    ExportBatches batches(wizard.m_database);
    const int records = params.doc->GetRecordCount();
    for (int record = 0; record < records && !dialog.m_bStop; ++record) {
      batches.Next();
      wizard.AddNew();
      for (size_t j = 0; j < linked.size(); ++j) {
        if (wizard.SetFieldValue(static_cast<int>(j), FieldCell(*params.fields, linked[j], record))) continue;
        CString entry;
        entry.Format(_T("Record %d: the value of field %d does not fit its column and is left empty."), record,
                     linked[j]);
        AppendErrorLog(entry);
      }
      wizard.Update();
      CString text;
      text.Format(Text(IDS_DB_RECORD_FROM), record, records);
      dialog.SetText1(text);
    }
  });
}

void CFolimarDoc::RunDatabaseWorker(UINT titleId, AFX_THREADPROC worker, CDBImport& wizard,
                                    CFieldObjectInfoArray& fields) {
  _DB_WORKER_PARAMS params = {this, &wizard, &fields};
  CImpExpProgressDlg dialog;
  dialog.m_strTitle = Text(titleId);
  dialog.m_pfnThreadProc = worker;
  dialog.m_pParam = &params;
  dialog.DoModal();
  if (!dialog.m_strError.IsEmpty()) ShowDatabaseError(dialog.m_strError);
}

// Builds the wizard over the document's fields in `mode`, runs it and, when it finished with an
// open result set, runs the worker and keeps the link it used (an import) or leaves it (an export).
void CFolimarDoc::RunDatabaseWizard(int mode) {
  ClearUndoManager();
  CFieldObjectInfoArray fields;
  if (!GetInfoArray(fields)) return;
  const BOOL exporting = mode == CDBImport::kModeExport;
  // The fields hold the current record's newest values: the tables must have them before export.
  if (exporting) DoFieldsExchange(1);
  CDBImport wizard(nullptr);
  AddFieldsFromArrayToMaster(fields, wizard);
  wizard.SetModeImport(mode);
  if (mode == CDBImport::kModeQuickImport) {
    wizard.m_strConnect = m_connectString;
    wizard.m_strTableName = m_tableName;
    wizard.AppendLinks(m_fieldLinks);
    if (m_linkFieldNames.GetSize() == m_fieldLinks.GetSize() && m_linkColumnNames.GetSize() == m_fieldLinks.GetSize()) {
      wizard.m_linkFieldNames.Append(m_linkFieldNames);
      wizard.m_linkColumnNames.Append(m_linkColumnNames);
    }
  }
  if (wizard.DoModal() != ID_WIZFINISH) return;
  if (!wizard.IsResultSetOpen()) {
    if (!exporting) ShowDatabaseError(Text(IDS_DB_DATA_NOT_RECEIVED));
    return;
  }
  if (exporting) {
    RunDatabaseWorker(IDS_DB_EXPORT_DATA, Export, wizard, fields);
    return;
  }
  m_connectString = wizard.GetConnectString();
  m_tableName = wizard.GetTableName();
  RunDatabaseWorker(IDS_DB_IMPORT_DATA, Import, wizard, fields);
  // The links as they were found this time, with their names for the next quick import.
  m_fieldLinks.RemoveAll();
  m_fieldLinks.Append(wizard.m_arrLinks);
  wizard.GetLinkNames(m_linkFieldNames, m_linkColumnNames);
  SetModifiedFlag(TRUE);
}

void CFolimarDoc::OnDBImportData() {
  DEF_TRY
  RunDatabaseWizard(CDBImport::kModeImport);
  DEF_CATCH("CFolimarDoc::OnDBImportData")
}

void CFolimarDoc::OnDBQuickImportData() {
  DEF_TRY
  RunDatabaseWizard(CDBImport::kModeQuickImport);
  DEF_CATCH("CFolimarDoc::OnDBQuickImportData")
}

void CFolimarDoc::OnUpdateDBQuickImportData(CCmdUI* cmd) { cmd->Enable(m_fieldLinks.GetSize() > 0); }

void CFolimarDoc::OnDBExportData() {
  DEF_TRY
  RunDatabaseWizard(CDBImport::kModeExport);
  DEF_CATCH("CFolimarDoc::OnDBExportData")
}

CFolimarDoc::DataLoader CFolimarDoc::SetDataLoader(DataLoader loader) {
  DataLoader previous = g_dataLoader;
  g_dataLoader = loader;
  return previous;
}

BOOL CFolimarDoc::AppendRecordsFromFile(LPCTSTR path) {
  DEF_TRY
  CFolimarDoc other;
  if (!other.OnOpenDocument(path, FALSE)) return FALSE;
  other.DoFieldsExchange(1);
  DoFieldsExchange(1);
  BOOL fits = other.GetPageCount() == GetPageCount();
  for (int page = 0; fits && page < GetPageCount(); ++page) {
    CFieldObjectInfoArray mine, theirs;
    ForEachField(GetPage(page), [&](CTranspBaseClass* object, int column) { mine.Add({GetPage(page), object, column}); });
    ForEachField(other.GetPage(page),
                 [&](CTranspBaseClass* object, int column) { theirs.Add({other.GetPage(page), object, column}); });
    fits = mine.GetSize() == theirs.GetSize();
  }
  if (!fits) {
    ErrorBox(IDS_INCORRECT_DOCUMENT);
    return FALSE;
  }
  ClearUndoManager();
  for (int record = 0; record < other.GetRecordCount(); ++record) {
    const int added = AddRecord();
    for (int page = 0; page < GetPageCount(); ++page) {
      CVariantRecord& from = other.GetPage(page)->m_table[record];
      CVariantRecord& to = GetPage(page)->m_table[added];
      for (INT_PTR column = 0; column < from.GetSize() && column < to.GetSize(); ++column)
        to.ElementAt(column) = from[column];
    }
  }
  MoveToRecord(GetRecordCount() - 1, FALSE);
  return TRUE;
  DEF_CATCH("CFolimarDoc::AppendRecordsFromFile")
  return FALSE;
}

void CFolimarDoc::OnDBImportDataFromDocument() {
  DEF_TRY
  ClearUndoManager();
  CFieldObjectInfoArray fields;
  if (!GetInfoArray(fields)) return;
  CFileDialog dialog(TRUE, _T("qlm"), nullptr,
                     OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_EXPLORER,
                     Text(IDS_DB_FORMS_FILTER), AfxGetMainWnd());
  CWinApp* app = AfxGetApp();
  const CString folder = app != nullptr ? app->GetProfileString(_T("Settings"), _T("LoadDataInitialDir")) : CString();
  if (!folder.IsEmpty()) dialog.m_ofn.lpstrInitialDir = folder;
  if (dialog.DoModal() != IDOK) return;
  if (app != nullptr) {
    const CString first = dialog.GetPathName();
    const int slash = first.ReverseFind(_T('\\'));
    app->WriteProfileString(_T("Settings"), _T("LoadDataInitialDir"), slash >= 0 ? first.Left(slash) : first);
  }
  for (POSITION pos = dialog.GetStartPosition(); pos;) {
    const CString path = dialog.GetNextPathName(pos);
    if (g_dataLoader != nullptr) g_dataLoader(this, path);
    else AppendRecordsFromFile(path);
  }
  DEF_CATCH("CFolimarDoc::OnDBImportDataFromDocument")
}

// Fields and records: which objects are fields, their columns in the page data tables, the exchange
// of values between the field objects (the current record) and the tables (every record), the record
// commands, form numbering and the text search over all records.
#include "DocObjects.h"
#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "TranspCheckMark.h"
#include "TranspText.h"
#include "ViewDialogs.h"
#include "resource.h"

namespace {

// The cell of the table, or the invalid-argument error for a record or column it does not have.
CVariant& Cell(CDynTable& table, int record, int column) {
  CVariantRecord& row = table[record];
  if (column < 0 || column >= row.GetSize()) AfxThrowInvalidArgException();
  return row.ElementAt(column);
}

}  // namespace

CTranspBaseClass* CFolimarDoc::OverlayOf(CTranspBaseClass* object) {
  return object != nullptr ? GetDocObjectServices()->overlay(object) : nullptr;
}

CTranspText* CFolimarDoc::TextOf(CTranspBaseClass* object) { return dynamic_cast<CTranspText*>(OverlayOf(object)); }

BOOL CFolimarDoc::IsCheckMarkObject(CTranspBaseClass* object) {
  return dynamic_cast<CTranspCheckMark*>(OverlayOf(object)) != nullptr;
}

void CFolimarDoc::ForEachField(CPageInfo* page, const std::function<void(CTranspBaseClass*, int)>& visit) {
  int column = 0;
  for (POSITION pos = page->m_objects.GetHeadPosition(); pos;) {
    CTranspBaseClass* object = page->m_objects.GetNext(pos);
    if (GetDocObjectServices()->hasField(object)) visit(object, column++);
  }
}

int CFolimarDoc::FindFieldColumn(CTranspBaseClass* field, int& pageIndex) {
  pageIndex = 0;
  for (POSITION pagePos = m_pages.GetHeadPosition(); pagePos; ++pageIndex) {
    int found = -1;
    ForEachField(m_pages.GetNext(pagePos), [&](CTranspBaseClass* object, int column) {
      if (object == field) found = column;
    });
    if (found >= 0) return found;
  }
  return -1;
}

CFolimarView* CFolimarDoc::GetFirstFolimarView() const {
  POSITION pos = GetFirstViewPosition();
  while (pos) {
    CView* view = GetNextView(pos);
    if (view != nullptr && view->IsKindOf(RUNTIME_CLASS(CFolimarView))) return static_cast<CFolimarView*>(view);
  }
  return nullptr;
}

// ---- Field lists ----

void CFolimarDoc::GetFieldObjectsInfoArrayFromPage(CPageInfo* page, CFieldObjectInfoArray& fields) {
  DEF_TRY
  ForEachField(page, [&](CTranspBaseClass* object, int column) {
    if (!GetDocObjectServices()->isDeleted(object)) fields.Add(_FIELD_OBJECT_INFO{page, object, column});
  });
  DEF_CATCH("CFolimarDoc::GetFieldObjectsInfoArrayFromPage")
}

void CFolimarDoc::GetAllFieldObjectsInfoArray(CFieldObjectInfoArray& fields) {
  DEF_TRY
  for (POSITION pos = m_pages.GetHeadPosition(); pos;) GetFieldObjectsInfoArrayFromPage(m_pages.GetNext(pos), fields);
  DEF_CATCH("CFolimarDoc::GetAllFieldObjectsInfoArray")
}

int CFolimarDoc::GetInfoArray(CFieldObjectInfoArray& fields) {
  DEF_TRY
  GetAllFieldObjectsInfoArray(fields);
  if (fields.GetSize() > 0) return 1;
  CaptionBox(CString(MAKEINTRESOURCE(IDS_NO_FIELDS_IN_DOCUMENT)), CString(MAKEINTRESOURCE(IDS_CAPTION_ERROR)), MB_OK);
  DEF_CATCH("CFolimarDoc::GetInfoArray")
  return 0;
}

// ---- Exchange and columns ----

void CFolimarDoc::DoFieldsExchange(int store) {
  DEF_TRY
  for (POSITION pagePos = m_pages.GetHeadPosition(); pagePos;) {
    CPageInfo* page = m_pages.GetNext(pagePos);
    CDynTable& table = page->m_table;
    ForEachField(page, [&](CTranspBaseClass* object, int column) {
      CTranspBaseClass* overlay = OverlayOf(object);
      if (store) {
        CVariant& cell = Cell(table, m_currentRecord, column);
        if (overlay != nullptr) cell = overlay->GetValue();
        return;
      }
      // A row shorter than the page's fields grows by a named column instead of failing; the new
      // cell takes the value the object brought with it rather than wiping it.
      if (column >= table[m_currentRecord].GetSize()) {
        table.AddField(GetDocObjectServices()->getName(object));
        if (overlay != nullptr) Cell(table, m_currentRecord, column) = overlay->GetValue();
        return;
      }
      if (overlay != nullptr) overlay->SetValue(Cell(table, m_currentRecord, column));
    });
  }
  DEF_CATCH("CFolimarDoc::DoFieldsExchange")
}

int CFolimarDoc::CorrectFieldsCount() {
  int added = 0;
  DEF_TRY
  for (POSITION pagePos = m_pages.GetHeadPosition(); pagePos;) {
    CPageInfo* page = m_pages.GetNext(pagePos);
    // Only fields own columns. Counting labels too appended columns that no field fills and that the
    // next load drops again, so a file changed each time it was opened and saved.
    ForEachField(page, [&](CTranspBaseClass* object, int column) {
      if (column >= page->m_table.GetFieldCount() &&
          page->m_table.AddField(GetDocObjectServices()->getName(object)) >= 0)
        ++added;
    });
  }
  DEF_CATCH("CFolimarDoc::CorrectFieldsCount")
  return added;
}

void CFolimarDoc::CorrectBug() {
  DEF_TRY
  for (POSITION pagePos = m_pages.GetHeadPosition(); pagePos;) {
    CTranspObjectList& objects = m_pages.GetNext(pagePos)->m_objects;
    CArray<CTranspBaseClass*, CTranspBaseClass*> order;
    for (POSITION pos = objects.GetHeadPosition(); pos;) order.Add(objects.GetNext(pos));
    objects.RemoveAll();
    for (INT_PTR i = 0; i < order.GetSize(); ++i) objects.AddTail(order[i]);
  }
  DEF_CATCH("CFolimarDoc::CorrectBug")
}

void CFolimarDoc::InitPageDBTable(CPageInfo* page) {
  DEF_TRY
  page->m_table.RemoveAllRecords();
  const int records = m_pageCount > 0 ? GetRecordCount() : 1;
  for (int i = 0; i < std::max(records, 1); ++i) page->m_table.InsertRecord(-1);
  DEF_CATCH("CFolimarDoc::InitPageDBTable")
}

void CFolimarDoc::AddDBField(CTranspBaseClass* object, int pageIndex) {
  DEF_TRY
  CPageInfo* page = GetPage(pageIndex);
  if (page == nullptr || object == nullptr) return;
  // The column stands where the field stands among the page's fields (a field put in before others
  // must not take their values); a field not in the list yet gets the last column.
  int column = -1;
  ForEachField(page, [&](CTranspBaseClass* field, int index) {
    if (field == object) column = index;
  });
  page->m_table.InsertField(column, GetDocObjectServices()->getName(object));
  DEF_CATCH("CFolimarDoc::AddDBField")
}

void CFolimarDoc::DeleteDBField(POSITION position, int pageIndex) {
  DEF_TRY
  CPageInfo* page = GetPage(pageIndex);
  if (page == nullptr) return;
  int column = 0;
  for (POSITION pos = page->m_objects.GetHeadPosition(); pos && pos != position;) {
    if (GetDocObjectServices()->hasField(page->m_objects.GetNext(pos))) ++column;
  }
  page->m_table.RemoveField(column);
  DEF_CATCH("CFolimarDoc::DeleteDBField")
}

void CFolimarDoc::MoveField(int pageIndex, int from, int to) {
  DEF_TRY
  CPageInfo* page = GetPage(pageIndex);
  if (page != nullptr) page->m_table.MoveField(from, to);
  DEF_CATCH("CFolimarDoc::MoveField")
}

void CFolimarDoc::UpdateObjectsPageIndex() {
  DEF_TRY
  int pageIndex = 0;
  for (POSITION pagePos = m_pages.GetHeadPosition(); pagePos; ++pageIndex) {
    CTranspObjectList& objects = m_pages.GetNext(pagePos)->m_objects;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
      CTranspBaseClass* overlay = OverlayOf(objects.GetNext(pos));
      if (overlay != nullptr) overlay->SetPageIndex(pageIndex);
    }
  }
  DEF_CATCH("CFolimarDoc::UpdateObjectsPageIndex")
}

// ---- Records ----

int CFolimarDoc::GetRecordCount() const {
  CPageInfo* first = GetPage(0);
  return first != nullptr ? first->m_table.GetRecordCount() : 0;
}

int CFolimarDoc::InsertRecord(int at) {
  int index = -1;
  DEF_TRY
  const int count = GetRecordCount();
  for (POSITION pos = m_pages.GetHeadPosition(); pos;)
    index = m_pages.GetNext(pos)->m_table.InsertRecord(at < count ? at : -1);
  DEF_CATCH("CFolimarDoc::InsertRecord")
  return index;
}

void CFolimarDoc::MoveToRecord(int record, BOOL fromCommand) {
  DEF_TRY
  // Every later step would index past the tables.
  if (record < 0 || record >= GetRecordCount()) return;
  ClearUndoManager();
  if (fromCommand)
    PrepareViewsForRecordChange();
  else
    SaveViewRegions();
  DoFieldsExchange(1);
  m_currentRecord = record;
  DoFieldsExchange(0);
  RefreshAfterRecordChange();
  DEF_CATCH("CFolimarDoc::MoveToRecord")
}

void CFolimarDoc::OnDBMoveOnRecord(int record) { MoveToRecord(record, FALSE); }
void CFolimarDoc::OnDBMoveOnFirstRecord() { MoveToRecord(0, TRUE); }
void CFolimarDoc::OnDBMoveOnPrevRecord() { MoveToRecord(m_currentRecord - 1, TRUE); }
void CFolimarDoc::OnDBMoveOnNextRecord() { MoveToRecord(m_currentRecord + 1, TRUE); }
void CFolimarDoc::OnDBMoveOnLastRecord() { MoveToRecord(GetRecordCount() - 1, TRUE); }
void CFolimarDoc::DBMoveOnLastRecord() { OnDBMoveOnLastRecord(); }

void CFolimarDoc::RecordsCreateNew(int duplicate) {
  DEF_TRY
  BeginWaitCursor();
  ClearUndoManager();
  PrepareViewsForRecordChange();
  DoFieldsExchange(1);
  InitFormNumber();
  m_currentRecord = InsertRecord(m_currentRecord + 1);
  // A duplicate keeps what the fields show; the next store writes it into the new record.
  if (!duplicate) DoFieldsExchange(0);
  SetFormNumber();
  RefreshAfterRecordChange();
  EndWaitCursor();
  DEF_CATCH("CFolimarDoc::RecordsCreateNew")
}

void CFolimarDoc::OnDBInsertRecord() { RecordsCreateNew(0); }
void CFolimarDoc::OnDBInsertRecordDuplicate() { RecordsCreateNew(1); }

void CFolimarDoc::OnDBDeleteRecord() {
  DEF_TRY
  if (GetRecordCount() <= 1) return;  // the last record always stays
  PrepareViewsForRecordChange();
  ClearUndoManager();
  BeginWaitCursor();
  for (POSITION pos = m_pages.GetHeadPosition(); pos;) m_pages.GetNext(pos)->m_table.RemoveRecord(m_currentRecord);
  if (m_currentRecord >= GetRecordCount()) m_currentRecord = GetRecordCount() - 1;
  DoFieldsExchange(0);
  RefreshAfterRecordChange();
  EndWaitCursor();
  DEF_CATCH("CFolimarDoc::OnDBDeleteRecord")
}

void CFolimarDoc::DBDeleteRecord() { OnDBDeleteRecord(); }

void CFolimarDoc::OnDBDeleteAllRecords() {
  DEF_TRY
  ClearUndoManager();
  if (CaptionBox(CString(MAKEINTRESOURCE(IDS_DELETE_ALL_RECORDS)), CString(MAKEINTRESOURCE(IDS_CAPTION_WARNING)),
                 MB_YESNOCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
    return;
  BeginWaitCursor();
  PrepareViewsForRecordChange();
  // The fields show record 0 from here on; the next store writes it into the one record left.
  m_currentRecord = 0;
  DoFieldsExchange(0);
  for (POSITION pos = m_pages.GetHeadPosition(); pos;) {
    CDynTable& table = m_pages.GetNext(pos)->m_table;
    table.RemoveAllRecords();
    table.InsertRecord(-1);
  }
  RefreshAfterRecordChange();
  EndWaitCursor();
  DEF_CATCH("CFolimarDoc::OnDBDeleteAllRecords")
}

void CFolimarDoc::PrepareViewsForRecordChange() {
  CFolimarView* view = GetFirstFolimarView();
  if (view != nullptr) view->DeactivateActiveObject();
  SaveViewRegions();
}

void CFolimarDoc::SaveViewRegions() {
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CFolimarView* view = dynamic_cast<CFolimarView*>(GetNextView(pos));
    if (view != nullptr) view->SavePreviousRegions();
  }
}

void CFolimarDoc::RefreshAfterRecordChange() {
  UpdateAllViews(nullptr);
  SetModifiedFlag(TRUE);
  Calculate();
  // Objects change content and size together: each repaints where it was and where it is now.
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    CFolimarView* view = dynamic_cast<CFolimarView*>(GetNextView(pos));
    if (view != nullptr && view->m_hWnd != nullptr) view->RepaintObjectsWithSavedRegions();
  }
}

// ---- Enabling ----

int CFolimarDoc::IsPrintPreviewMode() {
  DEF_TRY
  CWnd* main = AfxGetMainWnd();
  if (main != nullptr && main->IsKindOf(RUNTIME_CLASS(CMainFrame)))
    return static_cast<CMainFrame*>(main)->IsPrintPreviewMode();
  DEF_CATCH("CFolimarDoc::IsPrintPreviewMode")
  return 0;
}

void CFolimarDoc::OnUpdateDBMoveBack(CCmdUI* cmd) { cmd->Enable(m_currentRecord >= 1 && !IsPrintPreviewMode()); }
void CFolimarDoc::OnUpdateDBMoveForward(CCmdUI* cmd) {
  cmd->Enable(m_currentRecord < GetRecordCount() - 1 && !IsPrintPreviewMode());
}
void CFolimarDoc::OnUpdateDBDelete(CCmdUI* cmd) { cmd->Enable(GetRecordCount() != 1 && !IsPrintPreviewMode()); }
void CFolimarDoc::OnUpdateDBNotInPreview(CCmdUI* cmd) { cmd->Enable(!IsPrintPreviewMode()); }

// ---- Form numbering ----

void CFolimarDoc::ForEachIndexNumberField(const std::function<void(CTranspText*)>& visit) {
  for (POSITION pagePos = m_pages.GetHeadPosition(); pagePos;) {
    CTranspObjectList& objects = m_pages.GetNext(pagePos)->m_objects;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
      CTranspText* text = TextOf(objects.GetNext(pos));
      if (text != nullptr && !text->IsLabel() && text->GetDataType() == TEXT_TYPE_INDEX) visit(text);
    }
  }
}

void CFolimarDoc::InitFormNumber() {
  DEF_TRY
  ForEachIndexNumberField([](CTranspText* text) { text->SaveNumberBase(); });
  DEF_CATCH("CFolimarDoc::InitFormNumber")
}

void CFolimarDoc::SetFormNumber() {
  DEF_TRY
  ForEachIndexNumberField([](CTranspText* text) { text->SetValue(CVariant(text->GetNumberBase() + 1)); });
  DEF_CATCH("CFolimarDoc::SetFormNumber")
}

int CFolimarDoc::OnEditFormNumber(int pageIndex, CTranspBaseClass* field) {
  DEF_TRY
  CPageInfo* page = GetPage(pageIndex);
  if (page == nullptr) return 0;
  DoFieldsExchange(1);
  int found = -1;
  ForEachField(page, [&](CTranspBaseClass* object, int column) {
    if (object == field) found = column;
  });
  if (found < 0) return -1;
  page->m_table.FormNumber(m_currentRecord, found, field->GetValue().GetDoubleValue() + 1);
  return 1;
  DEF_CATCH("CFolimarDoc::OnEditFormNumber")
  return 0;
}

// ---- Text search ----

void CFolimarDoc::OnDBFind() {
  DEF_TRY
  ClearUndoManager();
  DoFieldsExchange(1);
  CFindDlg dialog(AfxGetMainWnd());
  dialog.m_text = m_findText;
  dialog.m_direction = m_findDirection;
  dialog.m_matchCase = m_findMatchCase;
  if (dialog.DoModal() != IDOK) return;
  m_findText = dialog.m_text;
  m_findDirection = dialog.m_direction;
  m_findMatchCase = dialog.m_matchCase;
  SearchText();
  DEF_CATCH("CFolimarDoc::OnDBFind")
}

void CFolimarDoc::SearchText() {
  DEF_TRY
  if (m_findText.IsEmpty()) return;
  CFolimarView* view = GetFirstFolimarView();
  int pageIndex = view != nullptr ? view->GetActivePage() : 0;
  const BOOL down = m_findDirection == 1;
  int record = m_currentRecord;
  int field = down ? 0 : -1;
  int position = down ? 0 : -1;
  if (view != nullptr) view->GetCurrentCursorPosition(down, m_findText.GetLength(), field, position);
  for (CPageInfo* page = GetPage(pageIndex); page != nullptr; page = GetPage(pageIndex)) {
    if (page->m_table.SearchText(m_findText, record, field, position, m_findMatchCase, m_findDirection)) {
      OnDBMoveOnRecord(record);
      if (view != nullptr) view->ViewFoundedText(pageIndex, field, position, m_findText.GetLength());
      return;
    }
    pageIndex += down ? 1 : -1;
    CPageInfo* next = GetPage(pageIndex);
    record = down ? 0 : (next != nullptr ? next->m_table.GetRecordCount() - 1 : 0);
    field = down ? 0 : -1;
    position = down ? 0 : -1;
  }
  CString message;
  message.Format(CString(MAKEINTRESOURCE(IDS_CANNOT_FIND_STRING)), static_cast<LPCTSTR>(m_findText));
  OkBox(message);
  DEF_CATCH("CFolimarDoc::SearchText")
}

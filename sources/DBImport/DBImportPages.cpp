#include "DBImportPages.h"

#include "DriverScan.h"
#include "ErrorLog.h"
#include "MyProcs.h"
#include "ViewTableDlg.h"

namespace {

CString Text(UINT id) { return CString(MAKEINTRESOURCE(id)); }

void ShowError(UINT id) { CaptionBox(Text(id), Text(IDS_DB_ERROR), MB_OK | MB_ICONERROR); }

void SetListStyle(CListCtrl& list) {
  list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
}

int ClientWidth(const CListCtrl& list) {
  RECT rect = {};
  list.GetClientRect(&rect);
  return rect.right - rect.left;
}

// An item's new state is exactly "selected and focused": the user chose it.
BOOL IsChosen(NMHDR* header) {
  const NMLISTVIEW* change = reinterpret_cast<NMLISTVIEW*>(header);
  return (change->uChanged & LVIF_STATE) != 0 && change->uNewState == (LVIS_SELECTED | LVIS_FOCUSED);
}

}  // namespace

// ---- Shared ----

CDBImportPageBase::CDBImportPageBase(UINT templateId) : CPropertyPage(templateId) {
  m_psp.dwFlags &= ~PSP_HASHELP;
}

CDBImport* CDBImportPageBase::Sheet() const { return dynamic_cast<CDBImport*>(GetParent()); }

BOOL CDBImportPageBase::IsExport() const {
  CDBImport* sheet = Sheet();
  return sheet != nullptr && sheet->m_nMode != CDBImport::kModeImport;
}

CString CDBImportPageBase::ByMode(UINT importId, UINT exportId) const { return Text(IsExport() ? exportId : importId); }

void CDBImportPageBase::SetSheetCaption(UINT importId, UINT exportId) {
  if (CDBImport* sheet = Sheet()) sheet->SetTitle(ByMode(importId, exportId));
}

void CDBImportPageBase::SetButtons(DWORD flags) {
  if (CWnd* sheet = GetParent()) sheet->PostMessage(PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags));
}

void CDBImportPageBase::CreateTitleFont() {
  if (m_titleFont.m_hObject == nullptr)
    m_titleFont.CreateFont(25, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, FF_ROMAN, _T("Times New Roman"));
}

// ---- Page 1: the data source ----

BEGIN_MESSAGE_MAP(CDBImportPage1, CDBImportPageBase)
  ON_BN_CLICKED(IDC_DB_OPEN_FILE, OnButtonOpenFileDb)
  ON_BN_CLICKED(IDC_DB_OPEN_DSN, OnButtonOpenDb)
  ON_EN_SETFOCUS(IDC_DB_NAME, OnSetFocusName)
END_MESSAGE_MAP()

CDBImportPage1::CDBImportPage1() : CDBImportPageBase(IDD_DBIMPORT_PAGE1) { CreateTitleFont(); }

BOOL CDBImportPage1::OnInitDialog() {
  DEF_TRY
  CDBImportPageBase::OnInitDialog();
  GetDlgItem(IDC_DB_NAME_LABEL)->ShowWindow(SW_HIDE);
  GetDlgItem(IDC_DB_NAME)->ShowWindow(SW_HIDE);
  GetDlgItem(IDC_DB_TITLE)->SetFont(&m_titleFont);
  SetDlgItemText(IDC_DB_TITLE, Text(IDS_DB_OPEN_TITLE));
  SetDlgItemText(IDC_DB_INTRO, ByMode(IDS_DB_IMPORT_INTRO, IDS_DB_EXPORT_INTRO));
  SetDlgItemText(IDC_DB_OPEN_HINT, Text(IDS_DB_OPEN_HINT));
  SetDlgItemText(IDC_DB_OPEN_FILE, Text(IDS_DB_OPEN_FILE));
  SetDlgItemText(IDC_DB_OPEN_DSN, Text(IDS_DB_OPEN_DSN));
  SetDlgItemText(IDC_DB_NAME_LABEL, Text(IDS_DB_DATABASE_NAME));
  DEF_CATCH("CDBImportPage1::OnInitDialog")
  return TRUE;
}

BOOL CDBImportPage1::OnSetActive() {
  DEF_TRY
  SetSheetCaption(IDS_DB_IMPORT_STEP1, IDS_DB_EXPORT_STEP1);
  UpdateControls();
  return CDBImportPageBase::OnSetActive();
  DEF_CATCH("CDBImportPage1::OnSetActive")
  return FALSE;
}

void CDBImportPage1::UpdateControls() {
  DEF_TRY
  CDBImport* sheet = Sheet();
  const BOOL open = sheet != nullptr && sheet->m_database.IsOpen();
  SetButtons(open ? PSWIZB_NEXT : 0);
  SetDlgItemText(IDC_DB_NAME, open ? sheet->m_database.GetDatabaseName() : CString());
  GetDlgItem(IDC_DB_NAME_LABEL)->ShowWindow(open ? SW_SHOW : SW_HIDE);
  GetDlgItem(IDC_DB_NAME)->ShowWindow(open ? SW_SHOW : SW_HIDE);
  DEF_CATCH("CDBImportPage1::UpdateControls")
}

void CDBImportPage1::OnSetFocusName() {
  SetFocus();  // the name is shown, not edited
}

BOOL CDBImportPage1::OpenConnection(const CString& connect) {
  CDBImport* sheet = Sheet();
  BOOL opened = FALSE;
  DEF_TRY
  sheet->CloseResultSet();
  if (sheet->m_database.IsOpen()) sheet->m_database.Close();
  sheet->m_database.m_hWndPrompt = GetParent()->m_hWnd;
  opened = sheet->m_database.OpenEx(connect, CDatabase::useCursorLib);
  if (opened) {
    sheet->m_strConnect = sheet->m_database.GetConnect();
    sheet->m_bReloadTables = TRUE;
  }
  DEF_CATCH("CDBImportPage1::OpenConnection")
  UpdateControls();
  return opened;
}

void CDBImportPage1::OnButtonOpenDb() {
  DEF_TRY
  // No data source named: the driver manager asks the user for one.
  OpenConnection(_T("ODBC;"));
  DEF_CATCH("CDBImportPage1::OnButtonOpenDb")
}

void CDBImportPage1::OnButtonOpenFileDb() {
  DEF_TRY
  CDriverScan scan;
  if (!ScanInstalledDrivers(scan)) {
    ShowError(IDS_DB_CANNOT_OPEN_FILE);
    return;
  }
  std::vector<int> kindOfEntry;
  const CString filter = scan.BuildFilter(kindOfEntry);
  if (kindOfEntry.empty()) {
    ShowError(IDS_DB_NO_DRIVERS);
    return;
  }
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, nullptr);
  CWinApp* app = AfxGetApp();
  const int stored = app != nullptr ? static_cast<int>(app->GetProfileInt(_T("Settings"), _T("ImportDBFilterIndex"), 0)) : 0;
  dialog.m_ofn.nFilterIndex = static_cast<DWORD>(stored >= 0 ? stored : 0);
  dialog.m_ofn.hwndOwner = GetParent()->m_hWnd;
  if (dialog.DoModal() != IDOK) return;
  const int chosen = static_cast<int>(dialog.m_ofn.nFilterIndex);
  if (app != nullptr) app->WriteProfileInt(_T("Settings"), _T("ImportDBFilterIndex"), chosen);
  const size_t entry = static_cast<size_t>(std::max(chosen - 1, 0));
  if (entry >= kindOfEntry.size()) return;
  OpenConnection(scan.BuildConnectString(kindOfEntry[entry], dialog.GetPathName()));
  DEF_CATCH("CDBImportPage1::OnButtonOpenFileDb")
}

// ---- Hint pages ----

CDBImportPage_1_2::CDBImportPage_1_2() : CDBImportPageBase(IDD_DBIMPORT_PAGE_1_2) {}

BOOL CDBImportPage_1_2::OnInitDialog() {
  DEF_TRY
  CDBImportPageBase::OnInitDialog();
  SetDlgItemText(IDC_DB_HINT_1_2, ByMode(IDS_DB_IMPORT_HINT_1_2, IDS_DB_EXPORT_HINT_1_2));
  DEF_CATCH("CDBImportPage_1_2::OnInitDialog")
  return TRUE;
}

BOOL CDBImportPage_1_2::OnSetActive() {
  SetSheetCaption(IDS_DB_IMPORT_STEP2, IDS_DB_EXPORT_STEP2);
  SetButtons(PSWIZB_BACK | PSWIZB_NEXT);
  return CDBImportPageBase::OnSetActive();
}

CDBImportPage_2_3::CDBImportPage_2_3() : CDBImportPageBase(IDD_DBIMPORT_PAGE_2_3) {}

BOOL CDBImportPage_2_3::OnInitDialog() {
  DEF_TRY
  CDBImportPageBase::OnInitDialog();
  SetDlgItemText(IDC_DB_HINT_2_3, Text(IDS_DB_HINT_2_3));
  DEF_CATCH("CDBImportPage_2_3::OnInitDialog")
  return TRUE;
}

BOOL CDBImportPage_2_3::OnSetActive() {
  SetSheetCaption(IDS_DB_IMPORT_STEP3, IDS_DB_EXPORT_STEP3);
  SetButtons(PSWIZB_BACK | PSWIZB_NEXT);
  return CDBImportPageBase::OnSetActive();
}

// ---- Page 2: the table ----

BEGIN_MESSAGE_MAP(CDBImportPage2, CDBImportPageBase)
  ON_NOTIFY(LVN_ITEMCHANGED, IDC_DB_TABLES, OnItemchangedListTables)
  ON_BN_CLICKED(IDC_DB_VIEW_TABLE, OnButtonViewTable)
END_MESSAGE_MAP()

CDBImportPage2::CDBImportPage2() : CDBImportPageBase(IDD_DBIMPORT_PAGE2) {}

BOOL CDBImportPage2::OnInitDialog() {
  DEF_TRY
  CDBImportPageBase::OnInitDialog();
  m_listTables.SubclassDlgItem(IDC_DB_TABLES, this);
  m_listColumns.SubclassDlgItem(IDC_DB_COLUMNS, this);
  SetListStyle(m_listTables);
  SetListStyle(m_listColumns);
  m_listTables.InsertColumn(0, Text(IDS_DB_TABLE_NAME), LVCFMT_LEFT, ClientWidth(m_listTables));
  const int half = ClientWidth(m_listColumns) / 2;
  m_listColumns.InsertColumn(0, Text(IDS_DB_FIELD_NAME), LVCFMT_LEFT, half);
  m_listColumns.InsertColumn(1, Text(IDS_DB_FIELD_TYPE), LVCFMT_LEFT, half);
  SetDlgItemText(IDC_DB_VIEW_TABLE, Text(IDS_DB_VIEW));
  DEF_CATCH("CDBImportPage2::OnInitDialog")
  return TRUE;
}

BOOL CDBImportPage2::OnSetActive() {
  DEF_TRY
  SetSheetCaption(IDS_DB_IMPORT_STEP2, IDS_DB_EXPORT_STEP2);
  CDBImport* sheet = Sheet();
  if (sheet->m_bReloadTables) {
    sheet->m_bReloadTables = FALSE;
    m_listTables.DeleteAllItems();
    m_listColumns.DeleteAllItems();
    CTables tables(&sheet->m_database);
    if (tables.Open(nullptr, nullptr, nullptr, _T("TABLE"), CRecordset::snapshot))
      for (; !tables.IsEOF(); tables.MoveNext()) m_listTables.InsertItem(m_listTables.GetItemCount(), tables.m_strName);
  }
  UpdateControls();
  return CDBImportPageBase::OnSetActive();
  DEF_CATCH("CDBImportPage2::OnSetActive")
  return FALSE;
}

void CDBImportPage2::UpdateControls() {
  DEF_TRY
  CDBImport* sheet = Sheet();
  m_listColumns.DeleteAllItems();
  sheet->m_arrColumns.RemoveAll();
  const int selected = m_listTables.GetNextItem(-1, LVNI_SELECTED);
  if (selected >= 0) {
    sheet->m_strTableName = m_listTables.GetItemText(selected, 0);
    sheet->LoadColumns(&m_listColumns);
    SetDlgItemText(IDC_DB_SELECTED_TABLE, Text(IDS_DB_SELECTED_TABLE) + sheet->m_strTableName);
    SetButtons(PSWIZB_BACK | PSWIZB_NEXT);
  } else {
    SetDlgItemText(IDC_DB_SELECTED_TABLE, Text(IDS_DB_NO_TABLE_SELECTED));
    SetButtons(PSWIZB_BACK);
  }
  GetDlgItem(IDC_DB_VIEW_TABLE)->EnableWindow(selected >= 0);
  DEF_CATCH("CDBImportPage2::UpdateControls")
}

void CDBImportPage2::OnItemchangedListTables(NMHDR* pNMHDR, LRESULT* pResult) {
  DEF_TRY
  *pResult = 0;
  if (!IsChosen(pNMHDR)) return;
  Sheet()->m_bReloadLinks = TRUE;
  UpdateControls();
  DEF_CATCH("CDBImportPage2::OnItemchangedListTables")
}

void CDBImportPage2::OnButtonViewTable() {
  DEF_TRY
  CViewTableDlg dialog(Sheet(), GetParent());
  dialog.DoModal();
  DEF_CATCH("CDBImportPage2::OnButtonViewTable")
}

// ---- Page 3: the links ----

BEGIN_MESSAGE_MAP(CDBImportPage3, CDBImportPageBase)
  ON_NOTIFY(LVN_ITEMCHANGED, IDC_DB_LINK_FIELDS, OnItemchangedList)
  ON_NOTIFY(LVN_ITEMCHANGED, IDC_DB_LINK_COLUMNS, OnItemchangedList)
  ON_NOTIFY(LVN_ITEMCHANGED, IDC_DB_LINKS, OnItemchangedList)
  ON_BN_CLICKED(IDC_DB_LINK, OnButtonAdd)
  ON_BN_CLICKED(IDC_DB_UNLINK, OnButtonDelete)
END_MESSAGE_MAP()

CDBImportPage3::CDBImportPage3() : CDBImportPageBase(IDD_DBIMPORT_PAGE3) {}

CDBImportPage3::~CDBImportPage3() {
  if (m_listFields.m_hWnd != nullptr) DeleteItemData(m_listFields, FALSE);
  if (m_listColumns.m_hWnd != nullptr) DeleteItemData(m_listColumns, FALSE);
  if (m_listLinks.m_hWnd != nullptr) DeleteItemData(m_listLinks, TRUE);
}

void CDBImportPage3::DeleteItemData(CListCtrl& list, BOOL links) {
  for (int i = 0; i < list.GetItemCount(); ++i) {
    if (links) delete reinterpret_cast<LinkRecord*>(list.GetItemData(i));
    else delete reinterpret_cast<ItemRecord*>(list.GetItemData(i));
    list.SetItemData(i, 0);
  }
}

BOOL CDBImportPage3::OnInitDialog() {
  DEF_TRY
  CDBImportPageBase::OnInitDialog();
  m_listFields.SubclassDlgItem(IDC_DB_LINK_FIELDS, this);
  m_listColumns.SubclassDlgItem(IDC_DB_LINK_COLUMNS, this);
  m_listLinks.SubclassDlgItem(IDC_DB_LINKS, this);
  for (CListCtrl* list : {&m_listFields, &m_listColumns, &m_listLinks}) SetListStyle(*list);
  CString columnsOf;
  columnsOf.Format(Text(IDS_DB_FIELDS_OF), Sheet()->m_strTableName.GetString());
  m_listFields.InsertColumn(0, Text(IDS_DB_VANTRY_FIELDS));
  m_listFields.InsertColumn(1, Text(IDS_DB_TYPE));
  m_listColumns.InsertColumn(0, columnsOf);
  m_listColumns.InsertColumn(1, Text(IDS_DB_TYPE));
  m_listLinks.InsertColumn(0, Text(IDS_DB_VANTRY_FIELDS));
  m_listLinks.InsertColumn(1, columnsOf);
  SetDlgItemText(IDC_DB_LINK, Text(IDS_DB_LINK));
  SetDlgItemText(IDC_DB_UNLINK, Text(IDS_DB_UNLINK));
  DEF_CATCH("CDBImportPage3::OnInitDialog")
  return TRUE;
}

BOOL CDBImportPage3::OnSetActive() {
  DEF_TRY
  SetSheetCaption(IDS_DB_IMPORT_STEP3, IDS_DB_EXPORT_STEP3);
  CDBImport* sheet = Sheet();
  if (sheet->m_bReloadLinks) {
    sheet->m_bReloadLinks = FALSE;
    DeleteItemData(m_listFields, FALSE);
    DeleteItemData(m_listColumns, FALSE);
    DeleteItemData(m_listLinks, TRUE);
    m_listFields.DeleteAllItems();
    m_listColumns.DeleteAllItems();
    m_listLinks.DeleteAllItems();
    // The column list's header names the table chosen now.
    CString columnsOf;
    columnsOf.Format(Text(IDS_DB_FIELDS_OF), sheet->m_strTableName.GetString());
    LVCOLUMNW header = {};
    header.mask = LVCF_TEXT;
    header.pszText = const_cast<LPWSTR>(columnsOf.GetString());
    m_listColumns.SendMessage(LVM_SETCOLUMNW, 0, reinterpret_cast<LPARAM>(&header));
    m_listLinks.SendMessage(LVM_SETCOLUMNW, 1, reinterpret_cast<LPARAM>(&header));
    for (INT_PTR i = 0; i < sheet->m_arrDocFields.GetSize(); ++i)
      InsertListItemFromData(m_listFields, sheet->m_arrDocFields[i].strName,
                             ItemRecord{static_cast<int>(i), sheet->m_arrDocFields[i].nType});
    for (INT_PTR i = 0; i < sheet->m_arrColumns.GetSize(); ++i)
      InsertListItemFromData(m_listColumns, sheet->m_arrColumns[i].strName,
                             ItemRecord{static_cast<int>(i), sheet->m_arrColumns[i].nType});
  }
  for (CListCtrl* list : {&m_listFields, &m_listColumns}) {
    const int w = ClientWidth(*list);
    list->SetColumnWidth(0, 2 * (w / 3));
    list->SetColumnWidth(1, w / 3 + 1);
  }
  const int w = ClientWidth(m_listLinks);
  m_listLinks.SetColumnWidth(0, w / 2);
  m_listLinks.SetColumnWidth(1, w / 2);
  UpdateControls();
  return CDBImportPageBase::OnSetActive();
  DEF_CATCH("CDBImportPage3::OnSetActive")
  return FALSE;
}

int CDBImportPage3::Selected(const CListCtrl& list) { return list.GetNextItem(-1, LVNI_SELECTED); }

void CDBImportPage3::UpdateControls() {
  DEF_TRY
  SetButtons(m_listLinks.GetItemCount() > 0 ? (PSWIZB_BACK | PSWIZB_NEXT) : PSWIZB_BACK);
  GetDlgItem(IDC_DB_LINK)->EnableWindow(Selected(m_listFields) >= 0 && Selected(m_listColumns) >= 0);
  GetDlgItem(IDC_DB_UNLINK)->EnableWindow(Selected(m_listLinks) >= 0);
  DEF_CATCH("CDBImportPage3::UpdateControls")
}

void CDBImportPage3::OnItemchangedList(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  if (IsChosen(pNMHDR)) UpdateControls();
}

int CDBImportPage3::InsertListItemFromData(CListCtrl& list, const CString& name, const ItemRecord& record) {
  int at = list.GetItemCount();
  for (int i = 0; i < list.GetItemCount(); ++i) {
    const ItemRecord* other = reinterpret_cast<ItemRecord*>(list.GetItemData(i));
    if (other != nullptr && other->index > record.index) {
      at = i;
      break;
    }
  }
  const int item = list.InsertItem(at, name);
  list.SetItemText(item, 1, VariantTypeName(record.type));
  list.SetItemData(item, reinterpret_cast<DWORD_PTR>(new ItemRecord(record)));
  return item;
}

void CDBImportPage3::SelectLstCtlFromIndex(CListCtrl& list, int index) {
  const int count = list.GetItemCount();
  if (count == 0) return;
  if (index >= count) index = count - 1;
  list.SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CDBImportPage3::OnButtonAdd() {
  DEF_TRY
  const int fieldItem = Selected(m_listFields), columnItem = Selected(m_listColumns);
  if (fieldItem < 0 || columnItem < 0) return;
  ItemRecord* field = reinterpret_cast<ItemRecord*>(m_listFields.GetItemData(fieldItem));
  ItemRecord* column = reinterpret_cast<ItemRecord*>(m_listColumns.GetItemData(columnItem));
  const BOOL match = field->type == column->type ||
                     (field->type == CVariant::typeUnicodeString && column->type == CVariant::typeString);
  if (!match) {
    ShowError(IDS_DB_TYPE_MISMATCH);
    return;
  }
  const int link = m_listLinks.InsertItem(m_listLinks.GetItemCount(), m_listFields.GetItemText(fieldItem, 0));
  m_listLinks.SetItemText(link, 1, m_listColumns.GetItemText(columnItem, 0));
  m_listLinks.SetItemData(link, reinterpret_cast<DWORD_PTR>(new LinkRecord{field->index, column->index, field->type,
                                                                            column->type}));
  delete field;
  delete column;
  m_listFields.DeleteItem(fieldItem);
  m_listColumns.DeleteItem(columnItem);
  SelectLstCtlFromIndex(m_listFields, fieldItem);
  SelectLstCtlFromIndex(m_listColumns, columnItem);
  UpdateControls();
  DEF_CATCH("CDBImportPage3::OnButtonAdd")
}

void CDBImportPage3::OnButtonDelete() {
  DEF_TRY
  const int linkItem = Selected(m_listLinks);
  if (linkItem < 0) return;
  CDBImport* sheet = Sheet();
  LinkRecord* link = reinterpret_cast<LinkRecord*>(m_listLinks.GetItemData(linkItem));
  InsertListItemFromData(m_listFields, sheet->m_arrDocFields[link->field].strName, ItemRecord{link->field, link->fieldType});
  InsertListItemFromData(m_listColumns, sheet->m_arrColumns[link->column].strName, ItemRecord{link->column, link->columnType});
  delete link;
  m_listLinks.DeleteItem(linkItem);
  SelectLstCtlFromIndex(m_listLinks, linkItem);
  UpdateControls();
  DEF_CATCH("CDBImportPage3::OnButtonDelete")
}

LRESULT CDBImportPage3::OnWizardNext() {
  DEF_TRY
  CDBImport* sheet = Sheet();
  sheet->m_arrLinks.RemoveAll();
  for (int i = 0; i < m_listLinks.GetItemCount(); ++i) {
    const LinkRecord* link = reinterpret_cast<LinkRecord*>(m_listLinks.GetItemData(i));
    INT_PTR at = sheet->m_arrLinks.GetSize();
    for (INT_PTR j = 0; j < sheet->m_arrLinks.GetSize(); ++j) {
      if (sheet->m_arrLinks[j].fieldIndex > link->field) {
        at = j;
        break;
      }
    }
    sheet->m_arrLinks.InsertAt(at, _FIELDNUMBERSCOLLATION{link->field, link->column});
  }
  DEF_CATCH("CDBImportPage3::OnWizardNext")
  return CDBImportPageBase::OnWizardNext();
}

// ---- The end page ----

CDBImportPageEnd::CDBImportPageEnd() : CDBImportPageBase(IDD_DBIMPORT_PAGE_END) { CreateTitleFont(); }

BOOL CDBImportPageEnd::OnInitDialog() {
  DEF_TRY
  CDBImportPageBase::OnInitDialog();
  GetDlgItem(IDC_DB_END_TITLE)->SetFont(&m_titleFont);
  SetDlgItemText(IDC_DB_END_TITLE, Text(IDS_DB_FINISH_TITLE));
  SetDlgItemText(IDC_DB_END_TEXT, ByMode(IDS_DB_IMPORT_END, IDS_DB_EXPORT_END));
  DEF_CATCH("CDBImportPageEnd::OnInitDialog")
  return TRUE;
}

BOOL CDBImportPageEnd::OnSetActive() {
  SetSheetCaption(IDS_DB_FINISH_CAPTION, IDS_DB_FINISH_CAPTION);
  SetButtons(PSWIZB_BACK | PSWIZB_FINISH);
  return CDBImportPageBase::OnSetActive();
}

BOOL CDBImportPageEnd::OnWizardFinish() {
  DEF_TRY
  Sheet()->CreateResultRecordset();
  DEF_CATCH("CDBImportPageEnd::OnWizardFinish")
  return CDBImportPageBase::OnWizardFinish();
}

// ---- The quick import page ----

CDBImportPageQuick::CDBImportPageQuick() : CDBImportPageBase(IDD_DBIMPORT_PAGE_QUICK) {}

BOOL CDBImportPageQuick::OnSetActive() {
  DEF_TRY
  SetSheetCaption(IDS_DB_QUICK_IMPORT, IDS_DB_QUICK_IMPORT);
  SetButtons(PSWIZB_FINISH);
  CDBImport* sheet = Sheet();
  SetDlgItemText(IDC_DB_QUICK_CONNECT, sheet->m_strConnect);
  SetDlgItemText(IDC_DB_QUICK_TABLE, sheet->m_strTableName);
  return CDBImportPageBase::OnSetActive();
  DEF_CATCH("CDBImportPageQuick::OnSetActive")
  return FALSE;
}

BOOL CDBImportPageQuick::OnWizardFinish() {
  DEF_TRY
  CDBImport* sheet = Sheet();
  GetDlgItemText(IDC_DB_QUICK_CONNECT, sheet->m_strConnect);
  GetDlgItemText(IDC_DB_QUICK_TABLE, sheet->m_strTableName);
  sheet->CloseResultSet();
  if (sheet->m_database.IsOpen()) sheet->m_database.Close();
  sheet->m_database.m_hWndPrompt = GetParent()->m_hWnd;
  if (!sheet->m_database.OpenEx(sheet->m_strConnect, CDatabase::useCursorLib)) return FALSE;
  sheet->m_bReloadTables = TRUE;
  sheet->LoadColumns();
  sheet->RebindLinksByName();
  SetButtons(PSWIZB_BACK | PSWIZB_NEXT);
  sheet->CreateResultRecordset();
  return CDBImportPageBase::OnWizardFinish();
  DEF_CATCH("CDBImportPageQuick::OnWizardFinish")
  return FALSE;
}

#include "ViewTableDlg.h"

#include "DBImport.h"
#include "ErrorLog.h"
#include "ErrorLogFile.h"
#include "ImpExpProgressDlg.h"
#include "MyProcs.h"

namespace {
CString Text(UINT id) { return CString(MAKEINTRESOURCE(id)); }
}  // namespace

BEGIN_MESSAGE_MAP(CViewTableDlg, CDialogEx)
  ON_WM_TIMER()
  ON_WM_SIZE()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
  ON_NOTIFY(LVN_GETDISPINFOW, IDC_VIEW_TABLE_LIST, OnRequestInfoList)
END_MESSAGE_MAP()

CViewTableDlg::CViewTableDlg(CDBImport* sheet, CWnd* parent) : CDialogEx(IDD, parent), m_pSheet(sheet) {}

CViewTableDlg::~CViewTableDlg() {
  FinishThread();
  delete m_pRecordset;
}

CString CViewTableDlg::BuildSelect() const {
  CString columns;
  for (INT_PTR i = 0; i < m_pSheet->m_arrColumns.GetSize(); ++i) {
    if (m_pSheet->m_arrColumns[i].nType == CVariant::typeBinary) continue;
    if (!columns.IsEmpty()) columns += _T(", ");
    columns += m_pSheet->m_database.QuoteName(m_pSheet->m_arrColumns[i].strName);
  }
  if (columns.IsEmpty()) return CString();
  return _T("SELECT ") + columns + _T(" FROM ") + m_pSheet->m_database.QuoteName(m_pSheet->m_strTableName);
}

BOOL CViewTableDlg::OnInitDialog() {
  CDialogEx::OnInitDialog();
  DEF_TRY
  m_list.SubclassDlgItem(IDC_VIEW_TABLE_LIST, this);
  ResizeControls();
  if (m_pSheet->m_arrColumns.GetSize() > 0) {
    try {
      m_pRecordset = new CRecordset(&m_pSheet->m_database);
      const CString sql = BuildSelect();
      for (INT_PTR i = 0; i < m_pSheet->m_arrColumns.GetSize(); ++i)
        m_list.InsertColumn(static_cast<int>(i), m_pSheet->m_arrColumns[i].strName, LVCFMT_LEFT, 100);
      m_list.ModifyStyle(0, LVS_NOSORTHEADER);
      m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
      // A table of binary columns only has nothing to select: that is the same error as a failed open.
      if (sql.IsEmpty()) AfxThrowDBException(SQL_ERROR, _T("The table has no column that can be shown."));
      if (!m_pRecordset->Open(CRecordset::forwardOnly, sql, CRecordset::none))
        AfxThrowDBException(SQL_ERROR, _T("The table cannot be read."));
      m_nRecords = 0;
      m_bDone = FALSE;
      m_nTimer = SetTimer(1, 200);
      m_list.SendMessage(WM_SETREDRAW, FALSE);
      m_pThread = AfxBeginThread(LoadDB, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
      if (m_pThread != nullptr) {
        m_pThread->m_bAutoDelete = FALSE;
        m_pThread->ResumeThread();
      }
    } catch (CDBException* e) {
      CString text;
      text.Format(_T("%s\n%s:\n%s\n"), Text(IDS_DB_CANNOT_VIEW_TABLE).GetString(), Text(IDS_DB_ERROR).GetString(),
                  e->m_strError.GetString());
      e->Delete();
      CaptionBox(text, Text(IDS_DB_ERROR), MB_OK | MB_ICONERROR);
      EndDialog(0);
      return TRUE;
    }
  }
  SetWindowText(Text(IDS_DB_TABLE_CAPTION) + m_pSheet->m_strTableName);
  DEF_CATCH("CViewTableDlg::OnInitDialog")
  return TRUE;
}

UINT __cdecl CViewTableDlg::LoadDB(LPVOID param) {
  CViewTableDlg* dialog = static_cast<CViewTableDlg*>(param);
  DEF_TRY
  CRecordset* set = dialog->m_pRecordset;
  const CFieldNameTypeArray& columns = dialog->m_pSheet->m_arrColumns;
  const CString binary = Text(IDS_DB_BINARY_DATA);
  while (!set->IsEOF() && !dialog->m_bDone) {
    std::vector<CString> row(static_cast<size_t>(columns.GetSize()));
    for (INT_PTR i = 0; i < columns.GetSize(); ++i) {
      if (columns[i].nType == CVariant::typeBinary) {
        row[static_cast<size_t>(i)] = binary;
        continue;
      }
      try {
        set->GetFieldValue(columns[i].strName, row[static_cast<size_t>(i)]);
      } catch (CDBException* e) {
        row[static_cast<size_t>(i)] += e->m_strError;
        e->Delete();
      }
    }
    dialog->m_arrRows.push_back(std::move(row));
    set->MoveNext();
    InterlockedIncrement(&dialog->m_nRecords);
  }
  dialog->m_bDone = TRUE;
  return 0;
  DEF_CATCH("CViewTableDlg::LoadDB")
  // The reading stopped: show what was read rather than wait for Cancel.
  dialog->m_bDone = TRUE;
  return 1;
}

void CViewTableDlg::OnTimer(UINT_PTR nIDEvent) {
  DEF_TRY
  if (nIDEvent == m_nTimer && !m_bShowing) {
    CString text;
    text.Format(Text(IDS_DB_RECORD), static_cast<int>(m_nRecords));
    SetDlgItemText(IDC_VIEW_TABLE_RECORD, text);
    if (m_bDone) {
      FinishThread();
      EndLoadDB();
    }
  }
  DEF_CATCH("CViewTableDlg::OnTimer")
}

void CViewTableDlg::FinishThread() {
  if (m_pThread == nullptr) return;
  m_bDone = TRUE;
  WaitPumpingMessages(m_pThread->m_hThread);
  delete m_pThread;
  m_pThread = nullptr;
}

void CViewTableDlg::EndLoadDB() {
  DEF_TRY
  if (m_bShowing) return;
  m_bShowing = TRUE;
  if (m_nTimer != 0) KillTimer(m_nTimer);
  m_nTimer = 0;
  for (INT_PTR i = 0; i < m_pSheet->m_arrColumns.GetSize(); ++i) {
    m_list.SetColumnWidth(static_cast<int>(i), LVSCW_AUTOSIZE_USEHEADER);
  }
  GetDlgItem(IDC_VIEW_TABLE_RECORD)->ShowWindow(SW_HIDE);
  GetDlgItem(IDCANCEL)->ShowWindow(SW_HIDE);
  GetDlgItem(IDC_VIEW_TABLE_LOAD)->ShowWindow(SW_HIDE);
  m_list.ShowWindow(SW_SHOW);
  m_list.SendMessage(WM_SETREDRAW, TRUE);
  m_list.SetItemCountEx(static_cast<int>(m_arrRows.size()), LVSICF_NOINVALIDATEALL);
  if (m_pRecordset != nullptr) m_pRecordset->Close();
  ModifyStyle(0, WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  MoveWindow(0, 0, 614, 460);
  CenterWindow();
  ResizeControls();
  DEF_CATCH("CViewTableDlg::EndLoadDB")
}

void CViewTableDlg::OnCancel() {
  DEF_TRY
  if (m_bShowing || m_pThread == nullptr) {
    CDialogEx::OnCancel();
    return;
  }
  // Stop the reading and show what was read; a further Cancel closes the dialog.
  FinishThread();
  EndLoadDB();
  DEF_CATCH("CViewTableDlg::OnCancel")
}

LRESULT CViewTableDlg::OnNcHitTest(WPARAM, LPARAM) {
  const LRESULT hit = Default();
  if (m_bShowing) return hit;
  switch (hit) {
    case HTLEFT: case HTRIGHT: case HTTOP: case HTTOPLEFT: case HTTOPRIGHT:
    case HTBOTTOM: case HTBOTTOMLEFT: case HTBOTTOMRIGHT: case HTSIZE: return HTBORDER;
    default: return hit;
  }
}

void CViewTableDlg::OnSize(UINT nType, int cx, int cy) {
  CDialogEx::OnSize(nType, cx, cy);
  ResizeControls();
}

void CViewTableDlg::ResizeControls() {
  if (m_list.m_hWnd == nullptr) return;
  RECT client = {};
  GetClientRect(&client);
  m_list.MoveWindow(&client);
}

void CViewTableDlg::OnRequestInfoList(NMHDR* pNMHDR, LRESULT* pResult) {
  DEF_TRY
  *pResult = 0;
  NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(pNMHDR);
  LVITEMW& item = info->item;
  if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) return;
  if (item.iItem == -1) OutputDebugStringW(L"LVOWNER: Request for -1 item?\n");
  if (item.iItem < 0 || item.iItem >= static_cast<int>(m_arrRows.size())) {
    CString entry;
    entry.Format(_T("The table preview was asked for row %d of %d."), item.iItem, static_cast<int>(m_arrRows.size()));
    AppendErrorLog(entry);
    return;
  }
  const std::vector<CString>& row = m_arrRows[static_cast<size_t>(item.iItem)];
  if (item.iSubItem < 0 || item.iSubItem >= static_cast<int>(row.size())) return;
  // A text longer than the list's buffer is cut to fit, ending with its terminator.
  lstrcpynW(item.pszText, row[static_cast<size_t>(item.iSubItem)], item.cchTextMax);
  DEF_CATCH("CViewTableDlg::OnRequestInfoList")
}

void CViewTableDlg::OnDestroy() {
  FinishThread();
  if (m_nTimer != 0) KillTimer(m_nTimer);
  m_nTimer = 0;
  CDialogEx::OnDestroy();
}

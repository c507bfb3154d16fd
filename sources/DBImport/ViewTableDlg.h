// The rows of the wizard's chosen table before fields are linked: a worker thread reads the whole
// table as text while a count runs; then an owner-data list shows the rows. Cancel while reading
// stops the worker and shows what was read; Cancel afterwards closes the dialog.
#pragma once
#include "Framework.h"

#include <vector>

#include "resource.h"

class CDBImport;

class CViewTableDlg : public CDialogEx {
 public:
  enum { IDD = IDD_VIEW_TABLE };

  CViewTableDlg(CDBImport* sheet, CWnd* parent);
  ~CViewTableDlg() override;

  // The SELECT of the non-binary columns, or empty when every column is binary.
  CString BuildSelect() const;
  static UINT __cdecl LoadDB(LPVOID dialog);
  void EndLoadDB();
  void ResizeControls();
  int GetRecordCount() const { return m_nRecords; }
  BOOL IsDone() const { return m_bDone; }
  const std::vector<std::vector<CString>>& Rows() const { return m_arrRows; }

  CListCtrl m_list;

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
  afx_msg void OnRequestInfoList(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  // Waits for the worker (pumping messages) and frees its thread object; every path ends here.
  void FinishThread();

  CWinThread* m_pThread = nullptr;
  volatile BOOL m_bDone = FALSE;
  UINT_PTR m_nTimer = 0;
  volatile LONG m_nRecords = 0;
  CRecordset* m_pRecordset = nullptr;
  CDBImport* m_pSheet;
  std::vector<std::vector<CString>> m_arrRows;
  BOOL m_bShowing = FALSE;
};

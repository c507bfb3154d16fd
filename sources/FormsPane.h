// The forms pane ("Forms"): the forms of the forms folder, "rud" files first, then "qlm", each in the
// order the file system lists them. A click fills in a new document made from the form (form filling
// mode); the context menu opens the form itself for editing or deletes its file.
#pragma once
#include "Framework.h"

class CFormsPane : public CDockablePane {
 public:
  enum { kListId = 1, kColumnWidth = 200 };
  CFormsPane() = default;

  // Lists the forms folder again; TRUE.
  BOOL LoadForms();
  // Adds the folder's files with this extension at the end of the list.
  void LoadFormsByExt(LPCTSTR extension);
  // The full path of the first selected form; empty when nothing is selected.
  CString GetSelectedItemPathName();
  // Asks the user, then removes the form's file and lists the folder again; TRUE when it was removed.
  BOOL DeleteForm(const CString& path);
  CListCtrl& GetList() { return m_list; }
  // The file names behind the list's rows, in row order.
  const CStringList& GetFileNames() const { return m_fileNames; }
  // The list fills the pane's client area.
  void Layout();

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnLClkFormsList(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  DECLARE_MESSAGE_MAP()

  CListCtrl m_list;
  CStringList m_fileNames{10};
  int m_count = 0;
};

// Every page of every open document in one list, from which the user picks the pages of a new
// multi-page document or the pages added to the current one.
#pragma once
#include "Framework.h"

#include "FolimarDoc.h"

typedef CTypedPtrList<CPtrList, CFolimarDoc*> CFolimarDocList;

class CNewDocMultipageDlg : public CDialogEx {
 public:
  explicit CNewDocMultipageDlg(CWnd* parent = nullptr);
  ~CNewDocMultipageDlg() override;

  // After OK: the chosen pages in the order of the list (empty when none was chosen). The pages
  // stay their documents'.
  CPageList m_pages;
  // Set by the caller before DoModal: the window title and the documents to offer.
  CString m_title;
  CFolimarDocList* m_documents = nullptr;

 protected:
  DECLARE_MESSAGE_MAP()
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnItemchangedListPages(NMHDR* header, LRESULT* result);

 private:
  void FillPagesList();
  void UpdateSelectedDocCnt();

  CStatic m_selectedCount;
  CListCtrl m_list;
};

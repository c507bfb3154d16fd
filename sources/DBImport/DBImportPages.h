// The pages of the database wizard: open a data source, hints, choose the table, link fields to
// columns, finish; and the single page of the quick import over the stored connection. Every page
// works on its sheet's members.
#pragma once
#include "Framework.h"

#include <vector>

#include "DBImport.h"
#include "resource.h"

// What the pages share: the sheet, its caption by mode and the wizard buttons.
class CDBImportPageBase : public CPropertyPage {
 public:
  explicit CDBImportPageBase(UINT templateId);

 protected:
  CDBImport* Sheet() const;
  BOOL IsExport() const;
  // The import string or the export one by the sheet's mode.
  CString ByMode(UINT importId, UINT exportId) const;
  void SetSheetCaption(UINT importId, UINT exportId);
  // PSWIZB_BACK, PSWIZB_NEXT, PSWIZB_FINISH.
  void SetButtons(DWORD flags);
  // "Times New Roman", 25 high, bold: the titles of the first and last page.
  void CreateTitleFont();
  CFont m_titleFont;
};

class CDBImportPage1 : public CDBImportPageBase {
 public:
  CDBImportPage1();
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  void UpdateControls();
  afx_msg void OnButtonOpenFileDb();
  afx_msg void OnButtonOpenDb();
  afx_msg void OnSetFocusName();
  DECLARE_MESSAGE_MAP()

 private:
  // Opens the sheet's connection with the connect string; FALSE when that failed (logged).
  BOOL OpenConnection(const CString& connect);
};

class CDBImportPage_1_2 : public CDBImportPageBase {
 public:
  CDBImportPage_1_2();
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
};

class CDBImportPage2 : public CDBImportPageBase {
 public:
  CDBImportPage2();
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  void UpdateControls();
  afx_msg void OnItemchangedListTables(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnButtonViewTable();
  DECLARE_MESSAGE_MAP()

  CListCtrl m_listTables;
  CListCtrl m_listColumns;
};

class CDBImportPage_2_3 : public CDBImportPageBase {
 public:
  CDBImportPage_2_3();
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
};

class CDBImportPage3 : public CDBImportPageBase {
 public:
  CDBImportPage3();
  ~CDBImportPage3() override;
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  LRESULT OnWizardNext() override;
  void UpdateControls();
  afx_msg void OnItemchangedList(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnButtonAdd();
  afx_msg void OnButtonDelete();
  DECLARE_MESSAGE_MAP()

  // Item data of the field and column lists, and of the links.
  struct ItemRecord {
    int index;
    int type;
  };
  struct LinkRecord {
    int field;
    int column;
    int fieldType;
    int columnType;
  };

  CListCtrl m_listFields;
  CListCtrl m_listColumns;
  CListCtrl m_listLinks;

 private:
  // Inserts before the first item whose record index is greater, else at the end; the item's index.
  int InsertListItemFromData(CListCtrl& list, const CString& name, const ItemRecord& record);
  // Selects the item at `index`, the last one when the list got shorter, none when it is empty.
  void SelectLstCtlFromIndex(CListCtrl& list, int index);
  void DeleteItemData(CListCtrl& list, BOOL links);
  static int Selected(const CListCtrl& list);
};

class CDBImportPageEnd : public CDBImportPageBase {
 public:
  CDBImportPageEnd();
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnWizardFinish() override;
};

class CDBImportPageQuick : public CDBImportPageBase {
 public:
  CDBImportPageQuick();
  BOOL OnSetActive() override;
  BOOL OnWizardFinish() override;
};

// The editor's document: rich text with the page margins in front when it is an "scv" file, and
// its embedded objects; the commands "Save" (which remembers its folder) and "Options...".
#pragma once
#include "Framework.h"

class CScrivelDoc : public CRichEditDoc {
  DECLARE_DYNCREATE(CScrivelDoc)
 public:
  CScrivelDoc();

  void Serialize(CArchive& ar) override;
  BOOL OnNewDocument() override;
  BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
  BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
  // A document goes into the recent-file list only when the user chose its file in a file dialog
  // (Open, Save As); opened by path (recent-file list, shell, batch) it does not.
  void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE) override;
  // Items of the editor's own class for the objects of the text.
  CRichEditCntrItem* CreateClientItem(REOBJECT* preo = nullptr) const override;
  // The control's own modified mark counts as well: typing makes the document modified.
  BOOL IsModified() override;
  void SetModifiedFlag(BOOL bModified = TRUE) override;

  // 1 after the "Open" command, 0 when created or made from a template.
  int m_bOpenedByOpen = 0;

 protected:
  // "Save" and "Save As" start in the folder remembered as "OpenFilePath".
  afx_msg void OnFileSave();
  afx_msg void OnFileSaveAs();
  // "Options...": the measurement unit.
  afx_msg void OnViewOptions();
  DECLARE_MESSAGE_MAP()

 private:
  void SaveFromDialog(BOOL bSaveAs);
  BOOL m_bDropNextPath = FALSE;
  // The file being read or written is an "scv" file and carries the header.
  BOOL m_bScvLayout = FALSE;
};

// The editor's document: rich text with the page margins in front when it is an "scv" file.
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
  // Documents opened by path do not go into the recent-file list.
  void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE) override;
  // The control's own modified mark counts as well: typing makes the document modified.
  BOOL IsModified() override;
  void SetModifiedFlag(BOOL bModified = TRUE) override;

  // 1 after the "Open" command, 0 when created or made from a template.
  int m_bOpenedByOpen = 0;

 private:
  BOOL m_bDropNextPath = FALSE;
  // The file being read or written is an "scv" file and carries the header.
  BOOL m_bScvLayout = FALSE;
};

// File > Restore...: a backup archive extracted into the user's documents folder. The documents
// folder there is kept under a free "Vantry Copy<n>" name first, never deleted.
#pragma once
#include "Framework.h"

class CRestoreDlg : public CDialogEx {
 public:
  explicit CRestoreDlg(CWnd* parent = nullptr);
  ~CRestoreDlg() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnBnClickedBrowse();
  afx_msg void OnBnClickedRestore();
  afx_msg void OnBnClickedRestoreHelp();
  DECLARE_MESSAGE_MAP()

 public:
  // Renames an existing documents folder to GetNewFolder's name; FALSE when that failed.
  BOOL MoveFolder();
  // The first "<documents folder> Copy<n>" that names nothing, from the next number on.
  CString GetNewFolder();
  // Extracts the archive into the current folder; FALSE when the archiver could not run or failed.
  BOOL Restore();
  // TRUE when the archive may be extracted here: no entry lands outside the current folder, and the
  // user agreed to replace files newer than their copies in the archive.
  BOOL CheckArchive();

 private:
  CString m_documentsFolder;
  int m_bDone = 0;
  int m_nextCopy = 1;
  CString m_archivePath;
  CString m_status;
};

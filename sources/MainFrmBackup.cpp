// The frame's backup commands and the automatic backup when it closes: every document is closed
// first (modified ones offered for saving), then the dialog runs modally without a parent.
#include "AutoBackup.h"
#include "BackupDlg.h"
#include "ErrorLog.h"
#include "MainFrm.h"
#include "RestoreDlg.h"

void CMainFrame::OnFileBackup() {
  DEF_TRY
  CloseAllDocuments(FALSE);
  CBackupDlg dialog;
  dialog.DoModal();
  DEF_CATCH("CMainFrame::OnFileBackup")
}

void CMainFrame::OnFileRestore() {
  DEF_TRY
  CloseAllDocuments(FALSE);
  CRestoreDlg dialog;
  dialog.DoModal();
  DEF_CATCH("CMainFrame::OnFileRestore")
}

BOOL RunAutomaticBackup(CWnd*) {
  DEF_TRY
  CBackupDlg dialog;
  dialog.m_bAutomatic = 1;
  return dialog.DoModal() == IDOK;
  DEF_CATCH("RunAutomaticBackup")
  return FALSE;
}

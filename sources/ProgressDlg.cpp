#include "ProgressDlg.h"

#include "ErrorLog.h"
#include "FolimarApp.h"

CProgressDlg::CProgressDlg(CWnd* parent) : CDialog(IDD, parent) {}

BOOL CProgressDlg::Create() { return CDialog::Create(IDD, nullptr); }

void CProgressDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_TRANSFER_PROGRESS, m_progress);
}

void CProgressDlg::OnCancel() {
  DEF_TRY
  CFolimarApp* app = GetFolimarApp();
  if (app != nullptr) app->m_transferCancel = 1;
  // Only hides a modeless window: the command that made it destroys it.
  CDialog::OnCancel();
  DEF_CATCH("CProgressDlg::OnCancel")
}

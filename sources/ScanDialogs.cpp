#include "ScanDialogs.h"

#include "ErrorLog.h"
#include "FolimarApp.h"

CTwainSetupDlg::CTwainSetupDlg(CWnd* parent) : CDialogEx(IDD, parent) {}

void CTwainSetupDlg::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Radio(pDX, IDC_MANUAL_FEEDER, m_feederMode);
}

BEGIN_MESSAGE_MAP(CAcquireSourceDlg, CDialog)
  ON_LBN_DBLCLK(IDC_ACQUIRE_SOURCE_LIST, OnDblclkList)
END_MESSAGE_MAP()

CAcquireSourceDlg::CAcquireSourceDlg(CWnd* parent) : CDialog(IDD, parent) {}

BOOL CAcquireSourceDlg::OnInitDialog() {
  DEF_TRY
  CDialog::OnInitDialog();
  m_list.SubclassDlgItem(IDC_ACQUIRE_SOURCE_LIST, this);
  CString text;
  text.LoadString(IDS_SOURCE_FEEDER);
  m_list.AddString(text);
  text.LoadString(IDS_SOURCE_FLATBED);
  m_list.AddString(text);
  m_list.SetCurSel(0);
  return TRUE;
  DEF_CATCH("CAcquireSourceDlg::OnInitDialog")
  return TRUE;
}

void CAcquireSourceDlg::StoreChoice() {
  CFolimarApp* app = GetFolimarApp();
  if (app != nullptr) app->m_feederChosen = m_list.GetCurSel() == 0 ? 1 : 0;
}

void CAcquireSourceDlg::OnOK() {
  DEF_TRY
  StoreChoice();
  CDialog::OnOK();
  DEF_CATCH("CAcquireSourceDlg::OnOK")
}

void CAcquireSourceDlg::OnDblclkList() {
  DEF_TRY
  StoreChoice();
  DEF_CATCH("CAcquireSourceDlg::OnDblclkList")
}

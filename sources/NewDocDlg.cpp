#include "NewDocDlg.h"

#include "ErrorLog.h"
#include "resource.h"

namespace {
enum { kRadioEmpty = 0, kRadioImage = 1, kRadioForm = 2 };
}  // namespace

CNewDocDlg::CNewDocDlg(CWnd* parent) : CDialogEx(IDD_NEW_DOC, parent) {}

int CNewDocDlg::GetNewDocType() const {
  switch (m_choice) {
    case kRadioForm:
      return kFromForm;
    case kRadioImage:
      return kFromImage;
    default:
      return kEmpty;
  }
}

void CNewDocDlg::DoDataExchange(CDataExchange* pDX) {
  DEF_TRY
  CDialogEx::DoDataExchange(pDX);
  DDX_Radio(pDX, IDC_RADIO_NEW_EMPTY, m_choice);
  DEF_CATCH("CNewDocDlg::DoDataExchange")
}

void CNewDocDlg::OnOK() {
  DEF_TRY
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
  DEF_CATCH("CNewDocDlg::OnOK")
}

#include "ImageResolution.h"

#include <cstdlib>

#include "ErrorLog.h"
#include "MyProcs.h"
#include "resource.h"

namespace {
const int kMaxResolutionCharacters = 6;
}  // namespace

BEGIN_MESSAGE_MAP(CImageResolution, CDialogEx)
  ON_CBN_EDITCHANGE(IDC_COMBO_IMAGE_RESOLUTION, OnEditchangeComboImageResolution)
END_MESSAGE_MAP()

CImageResolution::CImageResolution(CWnd* parent) : CDialogEx(IDD_IMAGE_RESOLUTION, parent) {}

void CImageResolution::SetResolution(int resolution) {
  DEF_TRY
  m_resolutionText.Format(L"%d", resolution);
  DEF_CATCH("CImageResolution::SetResolution")
}

int CImageResolution::GetResolution() {
  DEF_TRY
  int resolution = 0;
  if (!StrToInt(m_resolutionText, resolution)) return 0;
  return std::abs(resolution);
  DEF_CATCH("CImageResolution::GetResolution")
  return 0;
}

void CImageResolution::DoDataExchange(CDataExchange* pDX) {
  DEF_TRY
  CDialogEx::DoDataExchange(pDX);
  DDX_CBString(pDX, IDC_COMBO_IMAGE_RESOLUTION, m_resolutionText);
  DDV_MaxChars(pDX, m_resolutionText, kMaxResolutionCharacters);
  DEF_CATCH("CImageResolution::DoDataExchange")
}

BOOL CImageResolution::OnInitDialog() {
  DEF_TRY
  for (const wchar_t* dpi : {L"100", L"150", L"200", L"300", L"400", L"600"})
    SendDlgItemMessage(IDC_COMBO_IMAGE_RESOLUTION, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(dpi));
  SendDlgItemMessage(IDC_COMBO_IMAGE_RESOLUTION, CB_LIMITTEXT, kMaxResolutionCharacters);
  CDialogEx::OnInitDialog();
  // Selecting by the text would take "1" for "100": the box shows the text itself.
  SetDlgItemText(IDC_COMBO_IMAGE_RESOLUTION, m_resolutionText);
  DEF_CATCH("CImageResolution::OnInitDialog")
  return TRUE;
}

void CImageResolution::OnEditchangeComboImageResolution() {
  DEF_TRY
  const CString previous = m_resolutionText;
  UpdateData(TRUE);
  if (IsValidInt(m_resolutionText) && !(m_resolutionText.GetLength() > 0 && m_resolutionText[0] == L'-')) return;
  m_resolutionText = previous;
  SetDlgItemText(IDC_COMBO_IMAGE_RESOLUTION, m_resolutionText);
  DEF_CATCH("CImageResolution::OnEditchangeComboImageResolution")
}

void CImageResolution::OnOK() {
  DEF_TRY
  if (!UpdateData(TRUE)) return;
  int resolution = 0;
  if (StrToInt(m_resolutionText, resolution) && resolution != 0) {
    EndDialog(IDOK);
    return;
  }
  WarningBox(IDS_NONZERO_RESOLUTION);
  DEF_CATCH("CImageResolution::OnOK")
}

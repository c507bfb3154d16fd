#include "JPEGOptions.h"

#include "ErrorLog.h"
#include "ImageOptions.h"
#include "resource.h"

CJPEGOptions::CJPEGOptions(CWnd* parent) : CDialogEx(IDD_JPEG_OPTIONS, parent), m_quality(GetStoredJpegQuality()) {}

void CJPEGOptions::DoDataExchange(CDataExchange* pDX) {
  DEF_TRY
  CDialogEx::DoDataExchange(pDX);
  DDX_CBIndex(pDX, IDC_COMBO_JPEG_QUALITY, m_quality);
  DEF_CATCH("CJPEGOptions::DoDataExchange")
}

BOOL CJPEGOptions::OnInitDialog() {
  DEF_TRY
  // The list is there before the data exchange selects in it.
  for (const wchar_t* percent : {L"10", L"20", L"30", L"40", L"50", L"60", L"70", L"80", L"90"})
    SendDlgItemMessage(IDC_COMBO_JPEG_QUALITY, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(percent));
  CDialogEx::OnInitDialog();
  DEF_CATCH("CJPEGOptions::OnInitDialog")
  return TRUE;
}

void CJPEGOptions::OnOK() {
  DEF_TRY
  if (!UpdateData(TRUE)) return;
  StoreJpegQuality(m_quality);
  EndDialog(IDOK);
  DEF_CATCH("CJPEGOptions::OnOK")
}

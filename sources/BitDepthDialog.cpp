#include "BitDepthDialog.h"

#include "ErrorLog.h"
#include "ImageOptions.h"
#include "resource.h"

CBitDepthDialog::CBitDepthDialog(CWnd* parent) : CDialogEx(IDD_BIT_DEPTH, parent) {}

void CBitDepthDialog::SetBitDepth(int bitsPerPixel) { m_depthIndex = BitsToDepthIndex(bitsPerPixel); }

int CBitDepthDialog::GetBitDepth() const { return DepthIndexToBits(m_depthIndex); }

void CBitDepthDialog::DoDataExchange(CDataExchange* pDX) {
  DEF_TRY
  CDialogEx::DoDataExchange(pDX);
  DDX_Radio(pDX, IDC_RADIO_1BIT, m_depthIndex);
  DEF_CATCH("CBitDepthDialog::DoDataExchange")
}

BOOL CBitDepthDialog::OnInitDialog() {
  DEF_TRY
  CDialogEx::OnInitDialog();
  DEF_CATCH("CBitDepthDialog::OnInitDialog")
  return TRUE;
}

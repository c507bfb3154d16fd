#include "BitDepthDialog.h"

#include "ErrorLog.h"
#include "ImageOptions.h"
#include "MainFrm.h"
#include "resource.h"

namespace {
// The help file's topic of this dialog.
const DWORD kHelpContext = 8;
}  // namespace

BEGIN_MESSAGE_MAP(CBitDepthDialog, CDialogEx)
  ON_BN_CLICKED(IDHELP, OnHelp)
END_MESSAGE_MAP()

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

void CBitDepthDialog::OnHelp() {
  DEF_TRY
  if (CMainFrame* frame = GetMainFrame()) frame->ShowHelpContext(kHelpContext);
  DEF_CATCH("CBitDepthDialog::OnHelp")
}

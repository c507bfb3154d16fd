#include "OptionsPropPageVirtualPrinter.h"

#include "ErrorLog.h"
#include "resource.h"

namespace {
const wchar_t kVirtualPrinterFormat[] = L"VPFormat";
}  // namespace

BEGIN_MESSAGE_MAP(COptionsPropPageVirtualPrinter, CPropertyPage)
ON_BN_CLICKED(IDC_OPT_VP_EMF, OnModified)
ON_BN_CLICKED(IDC_OPT_VP_PNG, OnModified)
END_MESSAGE_MAP()

COptionsPropPageVirtualPrinter::COptionsPropPageVirtualPrinter()
    : CPropertyPage(IDD_OPTIONS_VIRTUAL_PRINTER, IDS_TAB_VIRTUAL_PRINTER) {
  DEF_TRY
  const int stored = static_cast<int>(AfxGetApp()->GetProfileInt(L"Settings", kVirtualPrinterFormat, 1));
  m_format = stored == 0 ? 0 : 1;
  DEF_CATCH("COptionsPropPageVirtualPrinter::COptionsPropPageVirtualPrinter")
}

COptionsPropPageVirtualPrinter::~COptionsPropPageVirtualPrinter() = default;

void COptionsPropPageVirtualPrinter::DoDataExchange(CDataExchange* pDX) {
  DEF_TRY
  CPropertyPage::DoDataExchange(pDX);
  DDX_Radio(pDX, IDC_OPT_VP_EMF, m_format);
  DEF_CATCH("COptionsPropPageVirtualPrinter::DoDataExchange")
}

void COptionsPropPageVirtualPrinter::OnModified() { SetModified(TRUE); }

void COptionsPropPageVirtualPrinter::UpdateOptions() {
  DEF_TRY
  if (m_hWnd != nullptr) UpdateData(TRUE);
  AfxGetApp()->WriteProfileInt(L"Settings", kVirtualPrinterFormat, m_format == 0 ? 0 : 1);
  SetModified(FALSE);
  DEF_CATCH("COptionsPropPageVirtualPrinter::UpdateOptions")
}

void COptionsPropPageVirtualPrinter::OnOK() {
  UpdateOptions();
  CPropertyPage::OnOK();
}

BOOL COptionsPropPageVirtualPrinter::OnApply() {
  UpdateOptions();
  CPropertyPage::OnOK();
  return TRUE;
}

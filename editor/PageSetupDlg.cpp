#include "PageSetupDlg.h"

#include "DDXTwips.h"
#include "Units.h"
#include "resource.h"

namespace {
const DWORD kPageSetupHelpIds[] = {
    IDC_MARGIN_TOP,  0x10000 + IDC_MARGIN_TOP,  IDC_MARGIN_BOTTOM, 0x10000 + IDC_MARGIN_BOTTOM,
    IDC_MARGIN_LEFT, 0x10000 + IDC_MARGIN_LEFT, IDC_MARGIN_RIGHT,  0x10000 + IDC_MARGIN_RIGHT,
    0,               0,
};
}  // namespace

CPageSetupDlg::CPageSetupDlg(const CRect& margins, CWnd* pParent)
    : CCSDialog(IDD_PAGE_SETUP, pParent),
      m_nTopMargin(margins.top),
      m_nBottomMargin(margins.bottom),
      m_nLeftMargin(margins.left),
      m_nRightMargin(margins.right),
      m_original(margins) {}

const DWORD* CPageSetupDlg::GetHelpIDs() const { return kPageSetupHelpIds; }

void CPageSetupDlg::DoDataExchange(CDataExchange* pDX) {
  CCSDialog::DoDataExchange(pDX);
  const struct {
    int id;
    int* value;
  } margins[] = {{IDC_MARGIN_TOP, &m_nTopMargin},
                 {IDC_MARGIN_BOTTOM, &m_nBottomMargin},
                 {IDC_MARGIN_LEFT, &m_nLeftMargin},
                 {IDC_MARGIN_RIGHT, &m_nRightMargin}};
  for (const auto& margin : margins) {
    DDX_Twips(pDX, margin.id, *margin.value);
    DDV_MinMaxTwips(pDX, *margin.value, CUnits::kMinTwips, CUnits::kMaxTwips);
  }
}

CRect CPageSetupDlg::GetMargins() const {
  // An emptied edit gives no margin; the old one stays.
  auto pick = [](int value, LONG old) { return value == CUnits::kNotSet ? static_cast<int>(old) : value; };
  return CRect(pick(m_nLeftMargin, m_original.left), pick(m_nTopMargin, m_original.top),
               pick(m_nRightMargin, m_original.right), pick(m_nBottomMargin, m_original.bottom));
}

#include "OptionSheet.h"

#include "resource.h"

namespace {
const DWORD kUnitsHelpIds[] = {
    IDC_UNITS_INCH,     0x10000 + IDC_UNITS_INCH,  IDC_UNITS_CM,   0x10000 + IDC_UNITS_CM,
    IDC_UNITS_POINT,    0x10000 + IDC_UNITS_POINT, IDC_UNITS_PICA, 0x10000 + IDC_UNITS_PICA,
    IDC_WORD_SELECTION, 0x10000 + IDC_WORD_SELECTION, 0, 0,
};
}  // namespace

CUnitsPage::CUnitsPage(int nUnits) : CCSPropertyPage(IDD_OPTIONS_UNITS), m_nUnits(nUnits) {}

const DWORD* CUnitsPage::GetHelpIDs() const { return kUnitsHelpIds; }

void CUnitsPage::DoDataExchange(CDataExchange* pDX) {
  CCSPropertyPage::DoDataExchange(pDX);
  // No button checked is no change.
  int units = m_nUnits;
  DDX_Radio(pDX, IDC_UNITS_INCH, units);
  if (units >= 0) m_nUnits = units;
  DDX_Check(pDX, IDC_WORD_SELECTION, m_bWordSel);
}

COptionSheet::COptionSheet(UINT nIDCaption, int nUnits, CWnd* pParentWnd)
    : CCSPropertySheet(nIDCaption, pParentWnd), m_pageUnits(nUnits) {
  AddPage(&m_pageUnits);
}

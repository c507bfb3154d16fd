// The options sheet: one page, "General", where the user picks the measurement unit.
#pragma once
#include "CSDialog.h"

class CUnitsPage : public CCSPropertyPage {
 public:
  explicit CUnitsPage(int nUnits);
  const DWORD* GetHelpIDs() const override;

  int m_nUnits;             // 0 inches, 1 centimetres, 2 points, 3 picas
  int m_bWordSel = TRUE;    // always on in the view; the box shows it so

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};

class COptionSheet : public CCSPropertySheet {
 public:
  COptionSheet(UINT nIDCaption, int nUnits, CWnd* pParentWnd = nullptr);
  CUnitsPage m_pageUnits;
};

// The editor's own page-setup dialog for the margins, used when the system's page-setup dialog
// cannot run (for example without any printer). Margins are twips, typed in the user's unit.
#pragma once
#include "CSDialog.h"

class CPageSetupDlg : public CCSDialog {
 public:
  explicit CPageSetupDlg(const CRect& margins, CWnd* pParent = nullptr);
  const DWORD* GetHelpIDs() const override;
  // The margins as left, top, right and bottom (a margin left empty keeps its old value).
  CRect GetMargins() const;

  int m_nTopMargin;
  int m_nBottomMargin;
  int m_nLeftMargin;
  int m_nRightMargin;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  CRect m_original;
};

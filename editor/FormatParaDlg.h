// The paragraph dialog over the rich edit's paragraph format of the selection: indents in the
// user's unit, alignment, page break and the spacing before and after in points.
#pragma once
#include "CSDialog.h"

class CFormatParaDlg : public CCSDialog {
 public:
  // From the selection's format: only what its mask gives is shown; the rest stays empty.
  explicit CFormatParaDlg(const PARAFORMAT2& pf, CWnd* pParent = nullptr);
  const DWORD* GetHelpIDs() const override;
  // The combo box entry of an alignment (0 left, 1 right, 2 centre), -1 for any other alignment
  // (justified text), which the dialog then leaves as it is.
  static int AlignmentEntry(WORD wAlignment);

  // The format to apply, made on OK (see OnOK).
  PARAFORMAT2 m_pf;
  // Alignment only means something when the view wraps words.
  BOOL m_bWordWrap = TRUE;

  int m_nLeft;          // twips, or CUnits::kNotSet
  int m_nRight;
  int m_nFirst;
  int m_nAlignment;     // combo box entry, -1 for none
  int m_nPageBreak;     // the check box
  int m_nSpaceBefore;   // points
  int m_nSpaceAfter;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnSpacingChanged();
  DECLARE_MESSAGE_MAP()

 private:
  // Writes "n pt" into a spacing edit and moves its spin button there.
  void ShowSpacing(int editId, int spinId, int points);
};

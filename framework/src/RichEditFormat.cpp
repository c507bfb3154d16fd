// Character and paragraph formats of the rich-edit view's selection: the font dialog and bullets.
#include "fw/RichEdit.h"

PARAFORMAT2& CRichEditView::GetParaFormatSelection() {
  ZeroMemory(&m_paraSelection, sizeof(m_paraSelection));
  m_paraSelection.cbSize = sizeof(m_paraSelection);
  if (m_hWnd) SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&m_paraSelection));
  return m_paraSelection;
}

void CRichEditView::SetParaFormat(PARAFORMAT2& pf) {
  pf.cbSize = sizeof(pf);
  if (m_hWnd) SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
}

CHARFORMAT2W& CRichEditView::GetCharFormatSelection() {
  ZeroMemory(&m_charSelection, sizeof(m_charSelection));
  m_charSelection.cbSize = sizeof(m_charSelection);
  if (m_hWnd) SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&m_charSelection));
  return m_charSelection;
}

void CRichEditView::SetCharFormat(CHARFORMAT2W cf) {
  cf.cbSize = sizeof(cf);
  if (m_hWnd) SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

void CRichEditView::OnFormatFont() {
  CHARFORMAT2W& current = GetCharFormatSelection();
  CFontDialog dialog(current, CF_BOTH | CF_NOVECTORFONTS | CF_EFFECTS, m_hdcTarget, this);
  if (dialog.DoModal() != IDOK) return;
  CHARFORMAT2W chosen = {};
  chosen.cbSize = sizeof(chosen);
  dialog.GetCharFormat(chosen);
  SetCharFormat(chosen);
}

void CRichEditView::OnBullet() {
  PARAFORMAT2 pf = {};
  pf.cbSize = sizeof(pf);
  pf.dwMask = PFM_NUMBERING | PFM_OFFSET;
  // Paragraphs that are all bulleted lose their bullets; any others get them, hanging a quarter
  // inch.
  const PARAFORMAT2& current = GetParaFormatSelection();
  if ((current.dwMask & PFM_NUMBERING) && current.wNumbering == PFN_BULLET) {
    pf.wNumbering = 0;
    pf.dxOffset = 0;
  } else {
    pf.wNumbering = PFN_BULLET;
    pf.dxOffset = 360;
  }
  SetParaFormat(pf);
}

void CRichEditView::OnUpdateBullet(CCmdUI* pCmdUI) {
  const PARAFORMAT2& current = GetParaFormatSelection();
  if (!(current.dwMask & PFM_NUMBERING))
    pCmdUI->SetCheck(2);  // mixed
  else
    pCmdUI->SetCheck(current.wNumbering == PFN_BULLET ? 1 : 0);
}

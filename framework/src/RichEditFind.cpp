// Find and replace in the rich-edit view through the system's modeless Find and Replace dialogs.
#include "fw/RichEdit.h"

namespace {
// Text longer than this, or spanning lines, is no search string to offer.
const int kMaxOfferedFind = 127;
}  // namespace

void CRichEditView::OnEditFind() { OnEditFindReplace(TRUE); }
void CRichEditView::OnEditReplace() { OnEditFindReplace(FALSE); }

void CRichEditView::OnEditRepeat() {
  if (m_strFind.IsEmpty()) {
    OnEditFindReplace(TRUE);
    return;
  }
  OnFindNext(m_strFind, m_bNext, m_bCase, m_bWord);
}

void CRichEditView::OnUpdateEditFindReplace(CCmdUI* pCmdUI) { pCmdUI->Enable(TextLength() > 0); }

void CRichEditView::OnEditFindReplace(BOOL bFindOnly) {
  // The open dialog of the other kind makes way; one of the same kind comes to the front.
  if (m_pFindReplaceDlg) {
    if (m_pFindReplaceDlg->m_hWnd && m_bFindOnly == bFindOnly) {
      m_pFindReplaceDlg->SetActiveWindow();
      m_pFindReplaceDlg->ShowWindow(SW_SHOW);
      return;
    }
    m_pFindReplaceDlg->DestroyWindow();
    m_pFindReplaceDlg = nullptr;
  }
  // A short selection on one line is what the user most likely looks for.
  CHARRANGE sel = {};
  SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
  CString find = m_strFind;
  if (sel.cpMax > sel.cpMin && sel.cpMax - sel.cpMin <= kMaxOfferedFind) {
    WCHAR text[kMaxOfferedFind + 2] = L"";
    SendMessage(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text));
    if (!wcschr(text, L'\r') && !wcschr(text, L'\n')) find = text;
  }
  DWORD flags = 0;
  if (m_bNext) flags |= FR_DOWN;
  if (m_bCase) flags |= FR_MATCHCASE;
  if (m_bWord) flags |= FR_WHOLEWORD;
  CFindReplaceDialog* dialog = new CFindReplaceDialog;
  if (!dialog->Create(bFindOnly, find, m_strReplace, flags, this)) {
    delete dialog;
    return;
  }
  m_pFindReplaceDlg = dialog;
  m_bFindOnly = bFindOnly;
  m_lSearchStart = -1;
  dialog->ShowWindow(SW_SHOW);
}

LRESULT CRichEditView::OnFindReplaceCmd(WPARAM, LPARAM lParam) {
  CFindReplaceDialog* dialog = CFindReplaceDialog::GetNotifier(lParam);
  if (!dialog) return 0;
  if (dialog->IsTerminating()) {
    if (dialog == m_pFindReplaceDlg) m_pFindReplaceDlg = nullptr;
    return 0;
  }
  const CString find = dialog->GetFindString();
  // Another string, case rule, word rule or direction is a new search.
  if (find != m_strFind || dialog->MatchCase() != m_bCase || dialog->MatchWholeWord() != m_bWord ||
      dialog->SearchDown() != m_bNext)
    m_lSearchStart = -1;
  m_strFind = find;
  m_strReplace = dialog->GetReplaceString();
  m_bCase = dialog->MatchCase();
  m_bWord = dialog->MatchWholeWord();
  m_bNext = dialog->SearchDown();
  if (dialog->FindNext())
    OnFindNext(m_strFind, m_bNext, m_bCase, m_bWord);
  else if (dialog->ReplaceCurrent())
    OnReplaceSel(m_strFind, m_bNext, m_bCase, m_bWord, m_strReplace);
  else if (dialog->ReplaceAll())
    OnReplaceAll(m_strFind, m_strReplace, m_bCase, m_bWord);
  return 0;
}

BOOL CRichEditView::FindText(LPCTSTR lpszFind, BOOL bCase, BOOL bWord, BOOL bNext) {
  if (!lpszFind || !*lpszFind || !m_hWnd) return FALSE;
  CHARRANGE sel = {};
  SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
  if (m_lSearchStart < 0) {
    m_lSearchStart = bNext ? sel.cpMin : sel.cpMax;
    m_bSearchWrapped = FALSE;
  }
  const LONG length = TextLength();
  WPARAM flags = (bNext ? FR_DOWN : 0) | (bCase ? FR_MATCHCASE : 0) | (bWord ? FR_WHOLEWORD : 0);
  FINDTEXTEXW find = {};
  find.lpstrText = lpszFind;
  // Forward from the selection's end to the text's end, or back from its start to the text's
  // start; once wrapped, only up to where the search began.
  const LONG from = bNext ? sel.cpMax : sel.cpMin;
  find.chrg.cpMin = from;
  find.chrg.cpMax = m_bSearchWrapped ? m_lSearchStart : (bNext ? length : 0);
  LONG found = -1;
  if (bNext ? find.chrg.cpMin < find.chrg.cpMax : find.chrg.cpMin > find.chrg.cpMax)
    found = static_cast<LONG>(SendMessage(EM_FINDTEXTEXW, flags, reinterpret_cast<LPARAM>(&find)));
  if (found < 0 && !m_bSearchWrapped && (bNext ? m_lSearchStart > 0 : m_lSearchStart < length)) {
    m_bSearchWrapped = TRUE;
    find.chrg.cpMin = bNext ? 0 : length;
    find.chrg.cpMax = m_lSearchStart;
    found = static_cast<LONG>(SendMessage(EM_FINDTEXTEXW, flags, reinterpret_cast<LPARAM>(&find)));
  }
  // A match reaching past where the search began was seen in the first round.
  if (found >= 0 && m_bSearchWrapped && bNext && find.chrgText.cpMin >= m_lSearchStart) found = -1;
  if (found < 0) return FALSE;
  SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&find.chrgText));
  SendMessage(EM_SCROLLCARET, 0, 0);
  return TRUE;
}

void CRichEditView::TextNotFound(LPCTSTR lpszFind) {
  m_lSearchStart = -1;
  m_bSearchWrapped = FALSE;
  OnTextNotFound(lpszFind);
}

void CRichEditView::OnTextNotFound(LPCTSTR) { ::MessageBeep(MB_ICONHAND); }

void CRichEditView::OnFindNext(LPCTSTR lpszFind, BOOL bNext, BOOL bCase, BOOL bWord) {
  CWaitCursor wait;
  if (!FindText(lpszFind, bCase, bWord, bNext)) TextNotFound(lpszFind);
}

BOOL CRichEditView::SameAsSelected(LPCTSTR lpszFind, BOOL bCase) const {
  CHARRANGE sel = {};
  SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
  const int length = lstrlenW(lpszFind);
  if (sel.cpMax - sel.cpMin != length || length == 0) return FALSE;
  CString selected;
  LPWSTR buffer = selected.GetBuffer(length + 1);
  SendMessage(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buffer));
  selected.ReleaseBuffer();
  return bCase ? selected.Compare(lpszFind) == 0 : selected.CompareNoCase(lpszFind) == 0;
}

void CRichEditView::OnReplaceSel(LPCTSTR lpszFind, BOOL bNext, BOOL bCase, BOOL bWord, LPCTSTR lpszReplace) {
  CWaitCursor wait;
  if (SameAsSelected(lpszFind, bCase)) {
    CHARRANGE sel = {};
    SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
    SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(lpszReplace ? lpszReplace : L""));
    // Where the search began moves with the text in front of it.
    if (m_lSearchStart > sel.cpMin) m_lSearchStart += lstrlenW(lpszReplace ? lpszReplace : L"") - (sel.cpMax - sel.cpMin);
  }
  if (!FindText(lpszFind, bCase, bWord, bNext)) TextNotFound(lpszFind);
}

void CRichEditView::OnReplaceAll(LPCTSTR lpszFind, LPCTSTR lpszReplace, BOOL bCase, BOOL bWord) {
  CWaitCursor wait;
  // From the start to the end of the text; each search goes on after the inserted text, so a
  // replacement that holds the string is not replaced again.
  SendMessage(EM_HIDESELECTION, TRUE, 0);
  CHARRANGE start = {0, 0};
  SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
  m_lSearchStart = 0;
  m_bSearchWrapped = FALSE;
  while (FindText(lpszFind, bCase, bWord, TRUE))
    SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(lpszReplace ? lpszReplace : L""));
  SendMessage(EM_HIDESELECTION, FALSE, 0);
  TextNotFound(lpszFind);
}

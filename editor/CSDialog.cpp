#include "CSDialog.h"

DWORD CContextHelp::HelpIdOf(int controlId) const {
  for (const DWORD* entry = GetHelpIDs(); entry && entry[0]; entry += 2)
    if (static_cast<int>(entry[0]) == controlId) return entry[1];
  return 0;
}

BOOL CContextHelp::ShowContextHelp(HWND control, UINT command) {
  if (!control || HelpIdOf(::GetDlgCtrlID(control)) == 0) return FALSE;
  CWinApp* app = AfxGetApp();
  LPCWSTR file = app ? app->m_pszHelpFilePath : nullptr;
  if (!file || !*file) return FALSE;
  // WinHelp finds the control's topic in the table by the control's id.
  return ::WinHelpW(control, file, command, reinterpret_cast<ULONG_PTR>(const_cast<DWORD*>(GetHelpIDs())));
}

LRESULT CContextHelp::HelpRequested(LPARAM lParam) {
  const HELPINFO* info = reinterpret_cast<const HELPINFO*>(lParam);
  const HWND control = info && info->iContextType == HELPINFO_WINDOW ? static_cast<HWND>(info->hItemHandle) : nullptr;
  return ShowContextHelp(control, HELP_WM_HELP);
}

void CContextHelp::ContextMenuRequested(HWND self, CWnd* pWnd) {
  if (pWnd && pWnd->m_hWnd != self) ShowContextHelp(pWnd->m_hWnd, HELP_CONTEXTMENU);
}

BEGIN_MESSAGE_MAP(CCSDialog, CDialog)
ON_MESSAGE(WM_HELP, OnHelpMessage)
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

LRESULT CCSDialog::OnHelpMessage(WPARAM, LPARAM lParam) { return HelpRequested(lParam); }
void CCSDialog::OnContextMenu(CWnd* pWnd, CPoint) { ContextMenuRequested(m_hWnd, pWnd); }

BEGIN_MESSAGE_MAP(CCSPropertyPage, CPropertyPage)
ON_MESSAGE(WM_HELP, OnHelpMessage)
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

LRESULT CCSPropertyPage::OnHelpMessage(WPARAM, LPARAM lParam) { return HelpRequested(lParam); }
void CCSPropertyPage::OnContextMenu(CWnd* pWnd, CPoint) { ContextMenuRequested(m_hWnd, pWnd); }

BEGIN_MESSAGE_MAP(CCSPropertySheet, CPropertySheet)
ON_MESSAGE(WM_HELP, OnHelpMessage)
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

BOOL CCSPropertySheet::OnInitDialog() {
  ModifyStyleEx(0, WS_EX_CONTEXTHELP, SWP_FRAMECHANGED);
  return TRUE;
}

LRESULT CCSPropertySheet::OnHelpMessage(WPARAM wParam, LPARAM lParam) {
  CPropertyPage* page = GetActivePage();
  return page && page->m_hWnd ? page->SendMessage(WM_HELP, wParam, lParam) : FALSE;
}
void CCSPropertySheet::OnContextMenu(CWnd* pWnd, CPoint point) {
  CPropertyPage* page = GetActivePage();
  if (page && page->m_hWnd && pWnd)
    page->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(pWnd->m_hWnd), MAKELPARAM(point.x, point.y));
}

#include "fw/PropertySheet.h"

#include <commctrl.h>

#include "WndInternal.h"
#include "fw/CommandIds.h"

HMODULE FwFindResourceModule(LPCWSTR name, LPCWSTR type, HRSRC* found);

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

namespace {

// The page's window is made by the sheet when the page is first shown; it joins its object at
// WM_INITDIALOG, whose lParam is the page's PROPSHEETPAGE carrying the object.
INT_PTR CALLBACK PropertyPageProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  CPropertyPage* page = reinterpret_cast<CPropertyPage*>(reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam);
  if (!page || page->m_hWnd) return TRUE;
  page->SubclassWindow(hWnd);
  return fw_internal::Guarded<BOOL>(FALSE, [page] { return page->OnInitDialog(); });
}

// The sheet's own window joins its object as soon as it exists.
thread_local CPropertySheet* t_sheetInit = nullptr;

int CALLBACK PropertySheetProc(HWND hWnd, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED && t_sheetInit && !t_sheetInit->m_hWnd) {
    CPropertySheet* sheet = t_sheetInit;
    t_sheetInit = nullptr;
    sheet->SubclassWindow(hWnd);
    fw_internal::Guarded<BOOL>(FALSE, [sheet] { return sheet->OnInitDialog(); });
  }
  return 0;
}

}  // namespace

CPropertyPage::CPropertyPage() : CPropertyPage(0, 0) {}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate) {
  ZeroMemory(&m_psp, sizeof(m_psp));
  m_psp.dwSize = sizeof(m_psp);
  m_psp.pfnDlgProc = PropertyPageProc;
  m_psp.lParam = reinterpret_cast<LPARAM>(this);
  if (nIDCaption && m_strCaption.LoadString(nIDCaption)) {
    m_psp.dwFlags |= PSP_USETITLE;
    m_psp.pszTitle = m_strCaption;
  }
}

CPropertyPage::~CPropertyPage() = default;

void CPropertyPage::SetModified(BOOL bChanged) {
  HWND sheet = ::GetParent(m_hWnd);
  if (sheet) ::SendMessageW(sheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CPropertyPage::OnSetActive() {
  if (m_bFirstSetActive)
    m_bFirstSetActive = FALSE;
  else
    UpdateData(FALSE);
  return TRUE;
}
BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }
BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}
void CPropertyPage::OnReset() { OnCancel(); }
BOOL CPropertyPage::OnQueryCancel() { return TRUE; }
LRESULT CPropertyPage::OnWizardBack() { return 0; }
LRESULT CPropertyPage::OnWizardNext() { return 0; }
BOOL CPropertyPage::OnWizardFinish() { return TRUE; }
// A page's OK and Cancel are the sheet's: the page only keeps its data, it does not end anything.
void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
  LRESULT result = 0;
  switch (header->code) {
    case PSN_SETACTIVE: result = OnSetActive() ? 0 : -1; break;
    case PSN_KILLACTIVE: result = OnKillActive() ? FALSE : TRUE; break;  // TRUE keeps the page
    case PSN_APPLY: result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE; break;
    case PSN_RESET: OnReset(); break;
    case PSN_QUERYCANCEL: result = OnQueryCancel() ? FALSE : TRUE; break;
    case PSN_WIZBACK: result = OnWizardBack(); break;
    case PSN_WIZNEXT:
      // Leaving by Next must store the page's data like any other way of leaving it.
      result = UpdateData(TRUE) ? OnWizardNext() : -1;
      break;
    case PSN_WIZFINISH: result = (UpdateData(TRUE) && OnWizardFinish()) ? FALSE : TRUE; break;
    default: return CDialog::OnNotify(wParam, lParam, pResult);
  }
  ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
  *pResult = result;
  return TRUE;
}

CPropertySheet::CPropertySheet() : CPropertySheet(static_cast<LPCTSTR>(nullptr)) {}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(static_cast<LPCTSTR>(nullptr), pParentWnd, iSelectPage) {
  m_strCaption.LoadString(nIDCaption);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(pszCaption ? pszCaption : L""), m_pParentWnd(pParentWnd), m_nStartPage(iSelectPage) {
  ZeroMemory(&m_psh, sizeof(m_psh));
  m_psh.dwSize = sizeof(m_psh);
  m_psh.dwFlags = PSH_PROPSHEETPAGE;
}

CPropertySheet::~CPropertySheet() {
  if (m_hWnd) DestroyWindow();
}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
  if (!pPage) return;
  m_pages.push_back(pPage);
  if (m_hWnd) {
    HPROPSHEETPAGE h = nullptr;
    CPropertyPage* page = pPage;
    HRSRC found = nullptr;
    page->m_psp.hInstance = FwFindResourceModule(page->m_lpszTemplateName, RT_DIALOG, &found);
    page->m_psp.pszTemplate = page->m_lpszTemplateName;
    h = ::CreatePropertySheetPageW(&page->m_psp);
    if (h) SendMessage(PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(h));
  }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) { RemovePage(GetPageIndex(pPage)); }
void CPropertySheet::RemovePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount()) return;
  if (m_hWnd) SendMessage(PSM_REMOVEPAGE, nPage, 0);
  m_pages.erase(m_pages.begin() + nPage);
}
int CPropertySheet::GetPageCount() const { return static_cast<int>(m_pages.size()); }
CPropertyPage* CPropertySheet::GetPage(int nPage) const {
  return nPage >= 0 && nPage < GetPageCount() ? m_pages[nPage] : nullptr;
}
int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const {
  for (int i = 0; i < GetPageCount(); ++i)
    if (m_pages[i] == pPage) return i;
  return -1;
}
int CPropertySheet::GetActiveIndex() const {
  if (!m_hWnd) return static_cast<int>(m_nStartPage);
  HWND tab = reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL));
  return tab ? static_cast<int>(::SendMessageW(tab, TCM_GETCURSEL, 0, 0)) : 0;
}
CPropertyPage* CPropertySheet::GetActivePage() const {
  if (!m_hWnd) return GetPage(static_cast<int>(m_nStartPage));
  CWnd* page = FromHandlePermanent(reinterpret_cast<HWND>(SendMessage(PSM_GETCURRENTPAGEHWND)));
  return page && page->IsKindOf(RUNTIME_CLASS(CPropertyPage)) ? static_cast<CPropertyPage*>(page) : nullptr;
}
BOOL CPropertySheet::SetActivePage(int nPage) {
  if (!m_hWnd) {
    m_nStartPage = static_cast<UINT>(nPage);
    return TRUE;
  }
  return static_cast<BOOL>(SendMessage(PSM_SETCURSEL, nPage, 0));
}
BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }
void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle) {
  m_strCaption = lpszText;
  m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
  if (m_hWnd) SendMessage(PSM_SETTITLEW, nStyle, reinterpret_cast<LPARAM>(lpszText));
}
void CPropertySheet::SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
BOOL CPropertySheet::IsWizard() const { return (m_psh.dwFlags & PSH_WIZARD) != 0; }
void CPropertySheet::SetWizardButtons(DWORD dwFlags) { PostMessage(PSM_SETWIZBUTTONS, 0, dwFlags); }
void CPropertySheet::SetFinishText(LPCTSTR lpszText) {
  SendMessage(PSM_SETFINISHTEXTW, 0, reinterpret_cast<LPARAM>(lpszText));
}
BOOL CPropertySheet::PressButton(int nButton) { return PostMessage(PSM_PRESSBUTTON, nButton, 0); }
CWnd* CPropertySheet::GetTabControl() const { return FromHandle(reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL))); }
void CPropertySheet::EndDialog(int nEndID) {
  ::PostMessageW(m_hWnd, PSM_PRESSBUTTON, nEndID == IDOK ? PSBTN_OK : PSBTN_CANCEL, 0);
}

BOOL CPropertySheet::BuildHeader(CWnd* pParentWnd) {
  m_handles.clear();
  for (CPropertyPage* page : m_pages) {
    HRSRC found = nullptr;
    page->m_psp.hInstance = FwFindResourceModule(page->m_lpszTemplateName, RT_DIALOG, &found);
    page->m_psp.pszTemplate = page->m_lpszTemplateName;
    if (!page->m_psp.hInstance) {
      OutputDebugStringW(L"CPropertySheet: a page's dialog template is missing\n");
      return FALSE;
    }
    page->m_bFirstSetActive = TRUE;
    HPROPSHEETPAGE h = ::CreatePropertySheetPageW(&page->m_psp);
    if (!h) return FALSE;
    m_handles.push_back(h);
  }
  if (pParentWnd) m_pParentWnd = pParentWnd;
  HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  if (!parent) {
    CWnd* main = AfxGetMainWnd();
    parent = main ? main->m_hWnd : nullptr;
  }
  m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPSHEETPAGE) | PSH_USECALLBACK;
  m_psh.hwndParent = parent;
  m_psh.hInstance = ::GetModuleHandleW(nullptr);
  m_psh.pszCaption = m_strCaption;
  m_psh.nPages = static_cast<UINT>(m_handles.size());
  m_psh.nStartPage = m_nStartPage;
  m_psh.phpage = m_handles.empty() ? nullptr : m_handles.data();
  m_psh.pfnCallback = PropertySheetProc;
  return TRUE;
}

INT_PTR CPropertySheet::DoModal() {
  if (!BuildHeader(nullptr)) return -1;
  m_psh.dwFlags &= ~PSH_MODELESS;
  t_sheetInit = this;
  const INT_PTR result = ::PropertySheetW(&m_psh);
  t_sheetInit = nullptr;
  if (m_hWnd) Detach();
  for (CPropertyPage* page : m_pages)
    if (page->m_hWnd) page->Detach();
  if (result < 0) return -1;
  if (result == 0) return IDCANCEL;
  return IsWizard() ? ID_WIZFINISH : IDOK;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD, DWORD) {
  if (!BuildHeader(pParentWnd)) return FALSE;
  m_psh.dwFlags |= PSH_MODELESS;
  t_sheetInit = this;
  const INT_PTR result = ::PropertySheetW(&m_psh);
  t_sheetInit = nullptr;
  return result > 0 && m_hWnd != nullptr;
}

#include "fw/Dialog.h"

#include "WndInternal.h"
#include "fw/Dc.h"

HMODULE FwFindResourceModule(LPCWSTR name, LPCWSTR type, HRSRC* found);

IMPLEMENT_DYNAMIC(CDialog, CWnd)
IMPLEMENT_DYNAMIC(CDialogEx, CDialog)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (!pWnd || !pWnd->IsKindOf(RUNTIME_CLASS(CDialog))) return TRUE;
  return fw_internal::Guarded<BOOL>(FALSE, [pWnd] { return static_cast<CDialog*>(pWnd)->OnInitDialog(); });
}

CDialog::CDialog() = default;
CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_pParentWnd(pParentWnd) {}
CDialog::CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}
CDialog::~CDialog() {
  if (m_hWnd) DestroyWindow();
}

LPCDLGTEMPLATEW CDialog::LoadTemplate(HINSTANCE* module) const {
  *module = GetModuleHandleW(nullptr);
  if (m_lpDialogTemplate) return m_lpDialogTemplate;
  if (!m_lpszTemplateName) return nullptr;
  HRSRC found = nullptr;
  HMODULE holder = FwFindResourceModule(m_lpszTemplateName, RT_DIALOG, &found);
  if (!holder) {
    OutputDebugStringW(L"CDialog: dialog template not found\n");
    return nullptr;
  }
  *module = holder;
  HGLOBAL loaded = ::LoadResource(holder, found);
  return loaded ? static_cast<LPCDLGTEMPLATEW>(::LockResource(loaded)) : nullptr;
}

// The owner of a modal dialog: the given parent's top-level window, else the active window of the
// thread (the main frame).
HWND CDialog::PreModal() {
  HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  if (!parent) parent = ::GetActiveWindow();
  if (!parent) {
    CWnd* main = AfxGetMainWnd();
    parent = main ? main->m_hWnd : nullptr;
  }
  while (parent && (::GetWindowLongW(parent, GWL_STYLE) & WS_CHILD)) parent = ::GetParent(parent);
  return parent;
}

INT_PTR CDialog::DoModal() {
  HINSTANCE module = nullptr;
  LPCDLGTEMPLATEW templ = LoadTemplate(&module);
  if (!templ) return -1;
  HWND owner = PreModal();
  m_bModal = TRUE;
  HookWindowCreate();
  const INT_PTR result = ::DialogBoxIndirectParamW(module, templ, owner, AfxDlgProc, 0);
  UnhookWindowCreate();
  m_bModal = FALSE;
  if (m_hWnd) Detach();
  return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd) {
  m_lpszTemplateName = lpszTemplateName;
  if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
    m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
  if (pParentWnd) m_pParentWnd = pParentWnd;
  HINSTANCE module = nullptr;
  LPCDLGTEMPLATEW templ = LoadTemplate(&module);
  return templ && CreateIndirect(templ, pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd) {
  if (pParentWnd) m_pParentWnd = pParentWnd;
  HINSTANCE module = GetModuleHandleW(nullptr);
  if (!m_lpDialogTemplate && m_lpszTemplateName) LoadTemplate(&module);
  HookWindowCreate();
  HWND hWnd = ::CreateDialogIndirectParamW(module, lpDialogTemplate, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr,
                                           AfxDlgProc, 0);
  UnhookWindowCreate();
  return hWnd != nullptr;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd) {
  m_lpDialogTemplate = lpDialogTemplate;
  if (pParentWnd) m_pParentWnd = pParentWnd;
  return lpDialogTemplate != nullptr;
}

void CDialog::EndDialog(int nResult) {
  if (m_bModal)
    ::EndDialog(m_hWnd, nResult);
  else
    ::ShowWindow(m_hWnd, SW_HIDE);
}

void CDialog::NextDlgCtrl() const { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
void CDialog::GotoDlgCtrl(CWnd* c) {
  if (c) ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(c->m_hWnd), TRUE);
}
void CDialog::SetDefID(UINT nID) { ::SendMessageW(m_hWnd, DM_SETDEFID, nID, 0); }
DWORD CDialog::GetDefID() const { return static_cast<DWORD>(::SendMessageW(m_hWnd, DM_GETDEFID, 0, 0)); }
void CDialog::MapDialogRect(LPRECT r) const { ::MapDialogRect(m_hWnd, r); }

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }
void CDialog::OnSetFont(CFont*) {}

BEGIN_MESSAGE_MAP(CDialogEx, CDialog)
ON_WM_CTLCOLOR()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CDialogEx::~CDialogEx() {
  if (m_brBackground) ::DeleteObject(m_brBackground);
}

void CDialogEx::SetBackgroundColor(COLORREF color, BOOL bRepaint) {
  if (m_brBackground) ::DeleteObject(m_brBackground);
  m_brBackground = color == CLR_NONE ? nullptr : ::CreateSolidBrush(color);
  m_backgroundColor = color;
  if (bRepaint && m_hWnd) Invalidate();
}

HBRUSH CDialogEx::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (m_brBackground && (nCtlColor == CTLCOLOR_DLG || nCtlColor == CTLCOLOR_STATIC)) {
    if (nCtlColor == CTLCOLOR_STATIC) pDC->SetBkColor(m_backgroundColor);
    return m_brBackground;
  }
  return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

BOOL CDialogEx::OnEraseBkgnd(CDC* pDC) {
  if (!m_brBackground) return CDialog::OnEraseBkgnd(pDC);
  RECT r;
  GetClientRect(&r);
  ::FillRect(pDC->m_hDC, &r, m_brBackground);
  return TRUE;
}

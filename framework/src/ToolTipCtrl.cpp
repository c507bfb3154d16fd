#include "fw/ToolTipCtrl.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {

// V1 is the layout every version of the control accepts; the later fields are not used here.
const UINT kToolInfoSize = TTTOOLINFOW_V1_SIZE;

void RegisterToolTips() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_WIN95_CLASSES};
    return ::InitCommonControlsEx(&init) != FALSE;
  }();
  (void)done;
}

}  // namespace

CToolTipCtrl::CToolTipCtrl() = default;
CToolTipCtrl::~CToolTipCtrl() { DestroyWindow(); }

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) { return CreateEx(pParentWnd, dwStyle, 0); }

BOOL CToolTipCtrl::CreateEx(CWnd* pParentWnd, DWORD dwStyle, DWORD dwStyleEx) {
  RegisterToolTips();
  const DWORD style = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | (dwStyle & ~(WS_CHILD | WS_VISIBLE));
  if (!CWnd::CreateEx(dwStyleEx | WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, nullptr)) {
    return FALSE;
  }
  ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return TRUE;
}

void CToolTipCtrl::FillInToolInfo(TOOLINFOW& ti, CWnd* pWnd, UINT_PTR nIDTool) {
  ZeroMemory(&ti, sizeof(ti));
  ti.cbSize = kToolInfoSize;
  const HWND hwnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
  if (nIDTool == 0) {
    // The window is the tool; the control reports to its parent.
    ti.hwnd = ::GetParent(hwnd);
    ti.uFlags = TTF_IDISHWND;
    ti.uId = reinterpret_cast<UINT_PTR>(hwnd);
  } else {
    ti.hwnd = hwnd;
    ti.uId = nIDTool;
  }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  if (!m_hWnd || !pWnd || !pWnd->m_hWnd) {
    OutputDebugStringW(L"CToolTipCtrl::AddTool: the control or the tool's window does not exist\n");
    return FALSE;
  }
  TOOLINFOW ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  if (lpRectTool) ti.rect = *lpRectTool;
  ti.lpszText = const_cast<LPWSTR>(lpszText);
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  CString text;
  if (!text.LoadString(nIDText)) return FALSE;
  return AddTool(pWnd, text, lpRectTool, nIDTool);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFOW ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect) {
  if (!lpRect) return;
  TOOLINFOW ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ti.rect = *lpRect;
  SendMessage(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFOW ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ti.lpszText = const_cast<LPWSTR>(lpszText);
  SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool) {
  CString text;
  if (text.LoadString(nIDText)) UpdateTipText(text, pWnd, nIDTool);
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const {
  CToolInfo info;
  str.Empty();
  if (GetToolInfo(info, pWnd, nIDTool) && info.lpszText != LPSTR_TEXTCALLBACKW) str = info.szText;
}

BOOL CToolTipCtrl::GetToolInfo(CToolInfo& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const {
  FillInToolInfo(ToolInfo, pWnd, nIDTool);
  ToolInfo.szText[0] = L'\0';
  ToolInfo.lpszText = ToolInfo.szText;
  return m_hWnd && SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(static_cast<TOOLINFOW*>(&ToolInfo)));
}

void CToolTipCtrl::SetToolInfo(LPTOOLINFOW lpToolInfo) {
  SendMessage(TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(lpToolInfo));
}

int CToolTipCtrl::GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }

BOOL CToolTipCtrl::HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFOW lpToolInfo) const {
  if (!pWnd || !lpToolInfo) return FALSE;
  TTHITTESTINFOW hit = {};
  hit.hwnd = pWnd->m_hWnd;
  hit.pt = pt;
  hit.ti.cbSize = kToolInfoSize;
  if (!SendMessage(TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit))) return FALSE;
  *lpToolInfo = hit.ti;
  return TRUE;
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg) {
  if (m_hWnd && lpMsg) SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg));
}

void CToolTipCtrl::Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }

int CToolTipCtrl::SetMaxTipWidth(int iWidth) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth)); }
int CToolTipCtrl::GetMaxTipWidth() const { return static_cast<int>(SendMessage(TTM_GETMAXTIPWIDTH)); }

void CToolTipCtrl::SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay); }
void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime) {
  SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0));
}
int CToolTipCtrl::GetDelayTime(DWORD dwDuration) const {
  return static_cast<int>(SendMessage(TTM_GETDELAYTIME, dwDuration));
}

void CToolTipCtrl::SetTipBkColor(COLORREF clr) { SendMessage(TTM_SETTIPBKCOLOR, clr); }
COLORREF CToolTipCtrl::GetTipBkColor() const { return static_cast<COLORREF>(SendMessage(TTM_GETTIPBKCOLOR)); }
void CToolTipCtrl::SetTipTextColor(COLORREF clr) { SendMessage(TTM_SETTIPTEXTCOLOR, clr); }
COLORREF CToolTipCtrl::GetTipTextColor() const { return static_cast<COLORREF>(SendMessage(TTM_GETTIPTEXTCOLOR)); }
void CToolTipCtrl::SetMargin(LPRECT lprc) { SendMessage(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(lprc)); }
void CToolTipCtrl::GetMargin(LPRECT lprc) const { SendMessage(TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(lprc)); }

BOOL CToolTipCtrl::SetTitle(UINT uIcon, LPCTSTR lpstrTitle) {
  return static_cast<BOOL>(SendMessage(TTM_SETTITLEW, uIcon, reinterpret_cast<LPARAM>(lpstrTitle)));
}

void CToolTipCtrl::Pop() { SendMessage(TTM_POP); }
void CToolTipCtrl::Popup() { SendMessage(TTM_POPUP); }
void CToolTipCtrl::Update() { SendMessage(TTM_UPDATE); }

#include "WndInternal.h"

#include <set>
#include <string>

#include "fw/Dc.h"
#include "fw/Menu.h"

void FwDeleteGdiTempMap();
void FwDeleteDcTempMap();
void FwDeleteMenuTempMap();

namespace fw_internal {

HandleMap<HWND, CWnd, WndTraits>& WindowMap() {
  static HandleMap<HWND, CWnd, WndTraits> map;
  return map;
}

ThreadState& CurrentThreadState() {
  static thread_local ThreadState state;
  return state;
}

}  // namespace fw_internal

using fw_internal::CurrentThreadState;
using fw_internal::WindowMap;

void AfxDeleteTempMaps() {
  WindowMap().DeleteTemporaries();
  FwDeleteGdiTempMap();
  FwDeleteDcTempMap();
  FwDeleteMenuTempMap();
}

LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  static fw_internal::Lock lock;
  static std::set<std::wstring> names;
  WCHAR name[96];
  wsprintfW(name, L"Fw:%p:%x:%p:%p:%p", GetModuleHandleW(nullptr), nClassStyle, hCursor, hbrBackground, hIcon);
  fw_internal::Locked locked(lock);
  auto it = names.find(name);
  if (it != names.end()) return it->c_str();
  WNDCLASSW wc = {};
  if (!::GetClassInfoW(GetModuleHandleW(nullptr), name, &wc)) {
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = name;
    if (!::RegisterClassW(&wc)) {
      OutputDebugStringW(L"AfxRegisterWndClass: RegisterClass failed\n");
      return nullptr;
    }
  }
  return names.insert(name).first->c_str();
}

namespace {

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  auto& ts = CurrentThreadState();
  if (code == HCBT_CREATEWND && ts.wndInit) {
    CWnd* pWnd = ts.wndInit;
    ts.wndInit = nullptr;
    pWnd->SubclassWindow(reinterpret_cast<HWND>(wParam));
  }
  return ::CallNextHookEx(ts.cbtHook, code, wParam, lParam);
}

// Dispatch for window messages; the handler types match the ones the macros checked.
template <class F>
F As(AFX_PMSG pfn) {
  return reinterpret_cast<F>(pfn);
}

CPoint PointFrom(LPARAM lParam) {
  return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

}  // namespace

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* pWnd = WindowMap().LookupPermanent(hWnd);
  if (!pWnd) return ::DefWindowProcW(hWnd, message, wParam, lParam);
  auto& ts = CurrentThreadState();
  const MSG previous = ts.lastSentMessage;
  ts.lastSentMessage.hwnd = hWnd;
  ts.lastSentMessage.message = message;
  ts.lastSentMessage.wParam = wParam;
  ts.lastSentMessage.lParam = lParam;
  LRESULT result = 0;
  try {
    result = pWnd->WindowProc(message, wParam, lParam);
  } catch (...) {
    // A handler's exception must not unwind through Windows' dispatcher.
    OutputDebugStringW(L"AfxWndProc: exception in a message handler\n");
    result = 0;
  }
  ts.lastSentMessage = previous;
  return result;
}

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (m_hWnd && WindowMap().LookupPermanent(m_hWnd) == this) DestroyWindow();
}

CWnd* CWnd::FromHandle(HWND hWnd) { return WindowMap().FromHandle(hWnd); }
CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return hWnd ? WindowMap().LookupPermanent(hWnd) : nullptr; }

BOOL CWnd::Attach(HWND hWnd) {
  ASSERT(m_hWnd == nullptr);
  if (!WindowMap().Attach(hWnd, this)) return FALSE;
  m_hWnd = hWnd;
  return TRUE;
}

HWND CWnd::Detach() {
  const HWND h = WindowMap().Detach(m_hWnd);
  m_hWnd = nullptr;
  return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  WNDPROC old = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  if (old != &AfxWndProc) m_pfnSuper = old;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  HWND hCtl = pParent ? ::GetDlgItem(pParent->m_hWnd, nID) : nullptr;
  return hCtl && SubclassWindow(hCtl);
}

HWND CWnd::UnsubclassWindow() {
  if (m_pfnSuper) ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  return Detach();
}

void CWnd::HookWindowCreate() {
  auto& ts = CurrentThreadState();
  if (!ts.cbtHook) ts.cbtHook = ::SetWindowsHookExW(WH_CBT, CbtFilterHook, nullptr, ::GetCurrentThreadId());
  ts.wndInit = this;
}

BOOL CWnd::UnhookWindowCreate() {
  auto& ts = CurrentThreadState();
  const BOOL attached = ts.wndInit == nullptr;
  ts.wndInit = nullptr;
  return attached;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTW& cs) {
  if (!cs.lpszClass) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
  return cs.lpszClass != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x,
                    int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  ASSERT(m_hWnd == nullptr);
  CREATESTRUCTW cs = {};
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = dwStyle;
  cs.x = x;
  cs.y = y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.hwndParent = hWndParent;
  cs.hMenu = nIDorHMenu;
  cs.hInstance = GetModuleHandleW(nullptr);
  cs.lpCreateParams = lpParam;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  HookWindowCreate();
  HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  // When WM_CREATE refused, the window is gone and PostNcDestroy has run (it may have deleted us).
  if (!UnhookWindowCreate()) {
    OutputDebugStringW(L"CWnd::CreateEx: window creation was not hooked\n");
    if (hWnd) ::DestroyWindow(hWnd);
    return FALSE;
  }
  return hWnd != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, void* pContext) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  HWND h = m_hWnd;
  const bool ours = WindowMap().LookupPermanent(h) == this && m_pfnSuper != nullptr;
  const BOOL ok = ::DestroyWindow(h);
  // An attached window that was not subclassed never sees our WM_NCDESTROY handling.
  if (!ours && m_hWnd == h) Detach();
  return ok;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG& m = CurrentThreadState().lastSentMessage;
  return DefWindowProc(m.message, m.wParam, m.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    *pResult = 0;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    LRESULT result = 0;
    if (!header || !OnNotify(wParam, lParam, &result)) return FALSE;
    *pResult = result;
    return TRUE;
  }
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC && lParam) {
    CWnd* control = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
    LRESULT brush = 0;
    if (control && control != this &&
        control->OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, wParam, message - WM_CTLCOLORMSGBOX, &brush) && brush) {
      *pResult = brush;
      return TRUE;
    }
  }
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
      if (e->nSig >= AfxSig_cmd) continue;
      const bool match = e->pRegistered ? (*e->pRegistered != 0 && *e->pRegistered == message)
                                        : e->nMessage == message;
      if (match) return DispatchWindowMessage(e, message, wParam, lParam, pResult);
    }
  }
  return FALSE;
}

BOOL CWnd::DispatchWindowMessage(const AFX_MSGMAP_ENTRY* e, UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT* pResult) {
  const AFX_PMSG pfn = e->pfn;
  LRESULT r = 0;
  switch (e->nSig) {
    case AfxSig_v_v: (this->*As<void (CWnd::*)()>(pfn))(); break;
    case AfxSig_i_CREATE:
      r = (this->*As<int (CWnd::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
      break;
    case AfxSig_v_u_ii:
      (this->*As<void (CWnd::*)(UINT, int, int)>(pfn))(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_v_ii:
      (this->*As<void (CWnd::*)(int, int)>(pfn))(static_cast<short>(LOWORD(lParam)),
                                                  static_cast<short>(HIWORD(lParam)));
      break;
    case AfxSig_b_D:
      r = (this->*As<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
      break;
    case AfxSig_v_uptr: (this->*As<void (CWnd::*)(UINT_PTR)>(pfn))(static_cast<UINT_PTR>(wParam)); break;
    case AfxSig_v_u_p:
      (this->*As<void (CWnd::*)(UINT, CPoint)>(pfn))(static_cast<UINT>(wParam), PointFrom(lParam));
      break;
    case AfxSig_b_u_s_p:
      r = (this->*As<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(
          LOWORD(wParam), static_cast<short>(HIWORD(wParam)), PointFrom(lParam));
      break;
    case AfxSig_v_uuu:
      (this->*As<void (CWnd::*)(UINT, UINT, UINT)>(pfn))(static_cast<UINT>(wParam), LOWORD(lParam),
                                                         HIWORD(lParam));
      break;
    case AfxSig_v_W:
      (this->*As<void (CWnd::*)(CWnd*)>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)));
      break;
    case AfxSig_v_W_p:
      (this->*As<void (CWnd::*)(CWnd*, CPoint)>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)),
                                                       PointFrom(lParam));
      break;
    case AfxSig_v_drop: (this->*As<void (CWnd::*)(HDROP)>(pfn))(reinterpret_cast<HDROP>(wParam)); break;
    case AfxSig_b_W_copy:
      r = (this->*As<BOOL (CWnd::*)(CWnd*, COPYDATASTRUCT*)>(pfn))(
          FromHandle(reinterpret_cast<HWND>(wParam)), reinterpret_cast<COPYDATASTRUCT*>(lParam));
      break;
    case AfxSig_v_minmax:
      (this->*As<void (CWnd::*)(MINMAXINFO*)>(pfn))(reinterpret_cast<MINMAXINFO*>(lParam));
      break;
    case AfxSig_b_W_uu:
      r = (this->*As<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)),
                                                              LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_v_uu_SB:
      (this->*As<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
          LOWORD(wParam), HIWORD(wParam),
          reinterpret_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam))));
      break;
    case AfxSig_h_D_W_u:
      r = reinterpret_cast<LRESULT>((this->*As<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
          CDC::FromHandle(reinterpret_cast<HDC>(wParam)), FromHandle(reinterpret_cast<HWND>(lParam)),
          message - WM_CTLCOLORMSGBOX));
      break;
    case AfxSig_v_M_u_b:
      (this->*As<void (CWnd::*)(CMenu*, UINT, BOOL)>(pfn))(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)),
                                                           LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_v_u_W_b:
      (this->*As<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(LOWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)),
                                                          HIWORD(wParam));
      break;
    case AfxSig_v_b_u:
      (this->*As<void (CWnd::*)(BOOL, UINT)>(pfn))(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
      break;
    case AfxSig_v_b_W_W:
      (this->*As<void (CWnd::*)(BOOL, CWnd*, CWnd*)>(pfn))(reinterpret_cast<HWND>(lParam) == m_hWnd,
                                                           FromHandle(reinterpret_cast<HWND>(lParam)),
                                                           FromHandle(reinterpret_cast<HWND>(wParam)));
      break;
    case AfxSig_v_wndpos:
      (this->*As<void (CWnd::*)(WINDOWPOS*)>(pfn))(reinterpret_cast<WINDOWPOS*>(lParam));
      break;
    case AfxSig_h_D_u:
      r = reinterpret_cast<LRESULT>((this->*As<HBRUSH (CWnd::*)(CDC*, UINT)>(pfn))(
          CDC::FromHandle(reinterpret_cast<HDC>(wParam)), static_cast<UINT>(lParam)));
      break;
    case AfxSig_l_w_l: r = (this->*As<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam); break;
    default: return FALSE;
  }
  *pResult = r;
  return TRUE;
}

// A menu or accelerator command runs only while its update handler leaves it enabled.
namespace {
class CTestCmdUI : public CCmdUI {
 public:
  void Enable(BOOL bOn) override {
    m_bEnabled = bOn;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int) override {}
  void SetRadio(BOOL) override {}
  void SetText(LPCWSTR) override {}
  BOOL m_bEnabled = TRUE;
};
}  // namespace

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT nID = LOWORD(wParam);
  int nCode = HIWORD(wParam);
  if (lParam == 0) {
    CTestCmdUI state;
    state.m_nID = nID;
    OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr);
    if (!state.m_bEnabled) return TRUE;
    nCode = CN_COMMAND;
  }
  return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
  AFX_NOTIFY notify = {pResult, header};
  return OnCmdMsg(static_cast<UINT>(header->idFrom), FW_NOTIFY_CODE(header->code), &notify, nullptr);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
    CWnd* pWnd = FromHandlePermanent(h);
    if (pWnd && pWnd->PreTranslateMessage(pMsg)) return TRUE;
    if (h == hWndStop) break;
  }
  return FALSE;
}

void CWnd::PostNcDestroy() {}
void CWnd::PreSubclassWindow() {}
void CWnd::DoDataExchange(CDataExchange*) {}

void FwMainWindowDestroyed(CWnd* pWnd);

void CWnd::OnNcDestroy() {
  Default();
  FwMainWindowDestroyed(this);
  Detach();
  PostNcDestroy();
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageW(m_hWnd, message, wParam, lParam);
}
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::PostMessageW(m_hWnd, message, wParam, lParam);
}
void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep) const {
  for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
    ::SendMessageW(child, message, wParam, lParam);
    if (bDeep && ::GetTopWindow(child)) FromHandle(child)->SendMessageToDescendants(message, wParam, lParam, TRUE);
  }
}

// Handlers that only pass the message on.
int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
BOOL CWnd::OnCopyData(CWnd*, COPYDATASTRUCT*) { return static_cast<BOOL>(Default()); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnMDIActivate(BOOL, CWnd*, CWnd*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }

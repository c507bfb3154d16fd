// The thin Win32 wrappers of CWnd.
#include "WndInternal.h"
#include "fw/Dc.h"
#include "fw/Menu.h"

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)); }

namespace {
BOOL ModifyLong(HWND h, int index, DWORD remove, DWORD add, UINT flags) {
  const DWORD style = static_cast<DWORD>(::GetWindowLongW(h, index));
  const DWORD newStyle = (style & ~remove) | add;
  if (style == newStyle) return FALSE;
  ::SetWindowLongW(h, index, static_cast<LONG>(newStyle));
  if (flags)
    ::SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
  return TRUE;
}
}  // namespace

BOOL CWnd::ModifyStyle(DWORD r, DWORD a, UINT f) { return ModifyLong(m_hWnd, GWL_STYLE, r, a, f); }
BOOL CWnd::ModifyStyleEx(DWORD r, DWORD a, UINT f) { return ModifyLong(m_hWnd, GWL_EXSTYLE, r, a, f); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::SetParent(CWnd* p) { return FromHandle(::SetParent(m_hWnd, p ? p->m_hWnd : nullptr)); }
CWnd* CWnd::GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
CWnd* CWnd::GetTopLevelParent() const {
  HWND top = m_hWnd;
  for (HWND h = m_hWnd; h; h = (::GetWindowLongW(h, GWL_STYLE) & WS_CHILD) ? ::GetParent(h) : nullptr) top = h;
  return FromHandle(top);
}
CWnd* CWnd::GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const {
  for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
    if (::GetDlgCtrlID(child) == nID) {
      CWnd* w = bOnlyPerm ? FromHandlePermanent(child) : FromHandle(child);
      if (w) return w;
    }
    if (::GetTopWindow(child)) {
      if (CWnd* w = FromHandle(child)->GetDescendantWindow(nID, bOnlyPerm)) return w;
    }
  }
  return nullptr;
}
CWnd* CWnd::GetNextDlgGroupItem(CWnd* c, BOOL prev) const {
  return FromHandle(::GetNextDlgGroupItem(m_hWnd, c ? c->m_hWnd : nullptr, prev));
}
CWnd* CWnd::GetNextDlgTabItem(CWnd* c, BOOL prev) const {
  return FromHandle(::GetNextDlgTabItem(m_hWnd, c ? c->m_hWnd : nullptr, prev));
}
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int nID) { return static_cast<int>(::SetWindowLongPtrW(m_hWnd, GWLP_ID, nID)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
CWnd* CWnd::GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
CWnd* CWnd::GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
CWnd* CWnd::WindowFromPoint(POINT p) { return FromHandle(::WindowFromPoint(p)); }
CWnd* CWnd::ChildWindowFromPoint(POINT p, UINT f) const { return FromHandle(::ChildWindowFromPointEx(m_hWnd, p, f)); }

BOOL CWnd::ShowWindow(int n) { return ::ShowWindow(m_hWnd, n); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL b) { return ::EnableWindow(m_hWnd, b); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
BOOL CWnd::IsChild(const CWnd* w) const { return w && ::IsChild(m_hWnd, w->m_hWnd); }
void CWnd::MoveWindow(int x, int y, int w, int h, BOOL r) { ::MoveWindow(m_hWnd, x, y, w, h, r); }
void CWnd::MoveWindow(LPCRECT rc, BOOL r) {
  ::MoveWindow(m_hWnd, rc->left, rc->top, rc->right - rc->left, rc->bottom - rc->top, r);
}
BOOL CWnd::SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT f) {
  return ::SetWindowPos(m_hWnd, after ? after->m_hWnd : nullptr, x, y, cx, cy, f);
}
void CWnd::GetWindowRect(LPRECT r) const { ::GetWindowRect(m_hWnd, r); }
void CWnd::GetClientRect(LPRECT r) const { ::GetClientRect(m_hWnd, r); }
BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* p) const { return ::GetWindowPlacement(m_hWnd, p); }
BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* p) { return ::SetWindowPlacement(m_hWnd, p); }
void CWnd::CenterWindow(CWnd* pAlternateOwner) {
  RECT area;
  HWND center = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
  if (GetStyle() & WS_CHILD) center = ::GetParent(m_hWnd);
  if (center) {
    ::GetWindowRect(center, &area);
  } else {
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  RECT mine;
  ::GetWindowRect(m_hWnd, &mine);
  int x = (area.left + area.right - (mine.right - mine.left)) / 2;
  int y = (area.top + area.bottom - (mine.bottom - mine.top)) / 2;
  if (GetStyle() & WS_CHILD) {
    POINT p = {x, y};
    ::ScreenToClient(::GetParent(m_hWnd), &p);
    x = p.x;
    y = p.y;
  }
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }

void CWnd::ClientToScreen(LPPOINT p) const { ::ClientToScreen(m_hWnd, p); }
void CWnd::ClientToScreen(LPRECT r) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(r));
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(r) + 1);
}
void CWnd::ScreenToClient(LPPOINT p) const { ::ScreenToClient(m_hWnd, p); }
void CWnd::ScreenToClient(LPRECT r) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(r));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(r) + 1);
}
void CWnd::MapWindowPoints(CWnd* to, LPRECT r) const {
  ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, reinterpret_cast<LPPOINT>(r), 2);
}
void CWnd::MapWindowPoints(CWnd* to, LPPOINT p, UINT n) const {
  ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, p, n);
}

void CWnd::SetWindowText(LPCWSTR s) { ::SetWindowTextW(m_hWnd, s); }
int CWnd::GetWindowText(LPWSTR s, int n) const { return ::GetWindowTextW(m_hWnd, s, n); }
void CWnd::GetWindowText(CString& rString) const {
  const int n = ::GetWindowTextLengthW(m_hWnd);
  const int copied = ::GetWindowTextW(m_hWnd, rString.GetBuffer(n + 1), n + 1);
  rString.ReleaseBuffer(copied);
}
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
void CWnd::SetDlgItemText(int id, LPCWSTR s) { ::SetDlgItemTextW(m_hWnd, id, s); }
int CWnd::GetDlgItemText(int id, CString& rString) const {
  rString.Empty();
  HWND item = ::GetDlgItem(m_hWnd, id);
  if (item) FromHandle(item)->GetWindowText(rString);
  return rString.GetLength();
}
void CWnd::SetDlgItemInt(int id, UINT v, BOOL s) { ::SetDlgItemInt(m_hWnd, id, v, s); }
UINT CWnd::GetDlgItemInt(int id, BOOL* t, BOOL s) const { return ::GetDlgItemInt(m_hWnd, id, t, s); }
void CWnd::CheckDlgButton(int id, UINT c) { ::CheckDlgButton(m_hWnd, id, c); }
UINT CWnd::IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
void CWnd::CheckRadioButton(int first, int last, int check) { ::CheckRadioButton(m_hWnd, first, last, check); }
int CWnd::GetCheckedRadioButton(int first, int last) const {
  for (int id = first; id <= last; ++id)
    if (::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED) return id;
  return 0;
}
LRESULT CWnd::SendDlgItemMessage(int id, UINT m, WPARAM w, LPARAM l) const {
  return ::SendDlgItemMessageW(m_hWnd, id, m, w, l);
}
void CWnd::SetFont(CFont* f, BOOL redraw) {
  ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(f ? f->m_hObject : nullptr), redraw);
}
CFont* CWnd::GetFont() const {
  return CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)));
}
HICON CWnd::SetIcon(HICON h, BOOL big) {
  return reinterpret_cast<HICON>(
      ::SendMessageW(m_hWnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(h)));
}

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* dc) { return dc ? ::ReleaseDC(m_hWnd, dc->m_hDC) : 0; }
CDC* CWnd::BeginPaint(LPPAINTSTRUCT ps) { return CDC::FromHandle(::BeginPaint(m_hWnd, ps)); }
void CWnd::EndPaint(LPPAINTSTRUCT ps) { ::EndPaint(m_hWnd, ps); }
void CWnd::Invalidate(BOOL e) { ::InvalidateRect(m_hWnd, nullptr, e); }
void CWnd::InvalidateRect(LPCRECT r, BOOL e) { ::InvalidateRect(m_hWnd, r, e); }
void CWnd::InvalidateRgn(CRgn* rgn, BOOL e) { ::InvalidateRgn(m_hWnd, rgn ? static_cast<HRGN>(*rgn) : nullptr, e); }
void CWnd::ValidateRect(LPCRECT r) { ::ValidateRect(m_hWnd, r); }
BOOL CWnd::RedrawWindow(LPCRECT r, CRgn* rgn, UINT f) {
  return ::RedrawWindow(m_hWnd, r, rgn ? static_cast<HRGN>(*rgn) : nullptr, f);
}
void CWnd::ScrollWindow(int dx, int dy, LPCRECT r, LPCRECT clip) { ::ScrollWindow(m_hWnd, dx, dy, r, clip); }
BOOL CWnd::GetUpdateRect(LPRECT r, BOOL e) { return ::GetUpdateRect(m_hWnd, r, e); }

int CWnd::SetScrollPos(int bar, int pos, BOOL redraw) { return ::SetScrollPos(m_hWnd, bar, pos, redraw); }
int CWnd::GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }
void CWnd::SetScrollRange(int bar, int mn, int mx, BOOL redraw) { ::SetScrollRange(m_hWnd, bar, mn, mx, redraw); }
void CWnd::GetScrollRange(int bar, LPINT mn, LPINT mx) const { ::GetScrollRange(m_hWnd, bar, mn, mx); }
BOOL CWnd::SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw) {
  info->cbSize = sizeof(SCROLLINFO);
  ::SetScrollInfo(m_hWnd, bar, info, redraw);
  return TRUE;
}
BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask) const {
  info->cbSize = sizeof(SCROLLINFO);
  info->fMask = mask;
  return ::GetScrollInfo(m_hWnd, bar, info);
}
void CWnd::ShowScrollBar(UINT bar, BOOL show) { ::ShowScrollBar(m_hWnd, bar, show); }

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC fn) { return ::SetTimer(m_hWnd, id, elapse, fn); }
BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
void CWnd::CreateCaret(CBitmap* b) { ::CreateCaret(m_hWnd, b ? static_cast<HBITMAP>(*b) : nullptr, 0, 0); }
void CWnd::CreateSolidCaret(int w, int h) { ::CreateCaret(m_hWnd, nullptr, w, h); }
void CWnd::CreateGrayCaret(int w, int h) { ::CreateCaret(m_hWnd, reinterpret_cast<HBITMAP>(1), w, h); }
void CWnd::ShowCaret() { ::ShowCaret(m_hWnd); }
void CWnd::HideCaret() { ::HideCaret(m_hWnd); }
void CWnd::SetCaretPos(POINT p) { ::SetCaretPos(p.x, p.y); }
CPoint CWnd::GetCaretPos() {
  POINT p = {0, 0};
  ::GetCaretPos(&p);
  return CPoint(p);
}
CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* m) { return ::SetMenu(m_hWnd, m ? m->m_hMenu : nullptr); }
void CWnd::DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
CMenu* CWnd::GetSystemMenu(BOOL revert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, revert)); }
void CWnd::DragAcceptFiles(BOOL accept) { ::DragAcceptFiles(m_hWnd, accept); }
int CWnd::MessageBox(LPCWSTR text, LPCWSTR caption, UINT type) {
  return ::MessageBoxW(m_hWnd, text, caption ? caption : L"", type);
}
BOOL CWnd::FlashWindow(BOOL invert) { return ::FlashWindow(m_hWnd, invert); }

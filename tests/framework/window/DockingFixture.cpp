#include "DockingFixture.h"

#include <functional>

void PrintTo(const CRect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
void PrintTo(const CPoint& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }

namespace docking_test {

BEGIN_MESSAGE_MAP(ListPane, CDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

int ListPane::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CDockablePane::OnCreate(lpCreateStruct) == -1) return -1;
  if (!m_list.CreateEx(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP | LBS_NOINTEGRALHEIGHT, CRect(), this, 1))
    return -1;
  return 0;
}

void ListPane::OnSize(UINT nType, int cx, int cy) {
  CDockablePane::OnSize(nType, cx, cy);
  ++m_sizes;
  if (!m_list.m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  m_list.SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                      SWP_NOZORDER | SWP_NOACTIVATE);
}

void ListPane::OnSetFocus(CWnd* pOldWnd) {
  CDockablePane::OnSetFocus(pOldWnd);
  if (m_list.m_hWnd) m_list.SetFocus();
}

BEGIN_MESSAGE_MAP(PagesPane, CTabbedPane)
ON_WM_CREATE()
ON_REGISTERED_MESSAGE(AFX_WM_CHANGE_ACTIVE_TAB, OnChangeActiveTab)
END_MESSAGE_MAP()

int PagesPane::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CTabbedPane::OnCreate(lpCreateStruct) == -1) return -1;
  CMFCBaseTabCtrl* base = GetUnderlyingWindow();
  if (!base || !base->IsKindOf(RUNTIME_CLASS(CMFCTabCtrl))) return -1;
  tabs = static_cast<CMFCTabCtrl*>(base);
  tabs->SetFlatFrame(TRUE);
  tabs->SetLocation(CMFCTabCtrl::LOCATION_TOP);
  tabs->AutoDestroyWindow(TRUE);
  return 0;
}

LRESULT PagesPane::OnChangeActiveTab(WPARAM wParam, LPARAM lParam) {
  changes.emplace_back(wParam, lParam);
  return 0;
}

BOOL PagesPane::CreateIn(CFrameWnd* pFrame) {
  if (!Create(L"", pFrame, CRect(0, 0, 200, 10), FALSE, static_cast<UINT>(-1),
              WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_BORDER_BOTTOM, AFX_CBRS_REGULAR_TABS,
              AFX_DEFAULT_DOCKING_PANE_STYLE))
    return FALSE;
  SetBorders(0, 0, 0, 0);
  SetControlBarStyle(0);
  EnableDocking(CBRS_ALIGN_ANY);
  return TRUE;
}

void PagesPane::SetPageCount(int count) {
  while (tabs->GetTabsNum() > count) tabs->RemoveTab(tabs->GetTabsNum() - 1);
  while (tabs->GetTabsNum() < count) {
    CWnd* page = new CWnd;
    page->Create(L"Static", nullptr, WS_CHILD, CRect(0, 0, 10, 10), this, 0);
    CString label;
    label.Format(L"Page %d", tabs->GetTabsNum() + 1);
    tabs->AddTab(page, label, static_cast<UINT>(-1), FALSE);
  }
}

int PagesPane::GetTabsHeight() const {
  return tabs && tabs->m_hWnd && tabs->GetTabsNum() >= 2 ? tabs->GetTabsHeight() : 0;
}

BEGIN_MESSAGE_MAP(DockFrame, CFrameWndEx)
ON_REGISTERED_MESSAGE(AFX_WM_ON_PRESS_CLOSE_BUTTON, OnPressClose)
ON_REGISTERED_MESSAGE(AFX_WM_TOOLBARMENU, OnToolbarMenu)
ON_COMMAND(kCustomizeCmd, OnCustomize)
END_MESSAGE_MAP()

BOOL DockFrame::Build(bool bare) {
  if (!Create(nullptr, L"Docking", WS_OVERLAPPEDWINDOW, CRect(40, 40, 840, 640))) return FALSE;
  view = new CWnd;
  if (!view->Create(L"STATIC", nullptr, WS_CHILD | WS_VISIBLE, CRect(), this, AFX_IDW_PANE_FIRST)) return FALSE;
  EnableDocking(CBRS_ALIGN_ANY);
  EnableAutoHidePanes(CBRS_ALIGN_ANY);
  if (bare) return TRUE;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_FLOAT_MULTI;
  const CRect size(0, 0, 200, 400);
  if (!shelf.Create(L"Shelf", this, size, TRUE, kShelfId, style | CBRS_LEFT)) return FALSE;
  if (!properties.Create(L"Properties", this, size, TRUE, kPropertiesId, style | CBRS_RIGHT)) return FALSE;
  if (!forms.Create(L"Forms", this, size, TRUE, kFormsId, style | CBRS_RIGHT)) return FALSE;
  for (ListPane* pane : {&shelf, &properties, &forms}) pane->EnableDocking(CBRS_ALIGN_ANY);
  DockPane(&forms);
  if (!shelf.DockToWindow(&forms, CBRS_ALIGN_TOP)) return FALSE;
  if (!properties.AttachToTabWnd(&shelf, DM_SHOW, TRUE, &group)) return FALSE;
  RecalcLayout();
  return TRUE;
}

CRect DockFrame::RectOf(CWnd* w) const {
  CRect r;
  w->GetWindowRect(&r);
  ScreenToClient(&r);
  return r;
}

CRect DockFrame::ClientArea() const {
  CRect r;
  GetClientRect(&r);
  return r;
}

LRESULT DockFrame::OnPressClose(WPARAM, LPARAM lParam) {
  closeRequests.push_back(reinterpret_cast<CWnd*>(lParam));
  return keepOnClose;
}

LRESULT DockFrame::OnToolbarMenu(WPARAM, LPARAM) {
  ++toolbarMenus;
  return ownToolbarMenu;
}

void DockFrame::OnCustomize() { commands.push_back(kCustomizeCmd); }

void Pump(DWORD ms) {
  const DWORD start = ::GetTickCount();
  MSG msg;
  do {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(2);
  } while (::GetTickCount() - start < ms);
}

CRect ScreenRect(const CWnd* w) {
  CRect r;
  w->GetWindowRect(&r);
  return r;
}

void SendNcButtonDown(CWnd* w, UINT hit, CPoint screen) {
  w->SendMessage(WM_NCLBUTTONDOWN, hit, MAKELPARAM(screen.x, screen.y));
}

void SendToCapture(UINT message, CPoint screen) {
  HWND capture = ::GetCapture();
  ASSERT_NE(capture, nullptr) << "no window holds the mouse";
  POINT client = screen;
  ::ScreenToClient(capture, &client);
  ::SendMessageW(capture, message, message == WM_MOUSEMOVE ? MK_LBUTTON : 0, MAKELPARAM(client.x, client.y));
}

namespace {

INPUT MouseInput(DWORD buttons, CPoint at) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = buttons | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  input.mi.dx = MulDiv(at.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(at.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  return input;
}

// Mouse events, all put in at once: the system's handling of a right press on a caption waits for
// the release before it returns, a double click must come quickly, and the system's sizing loop
// follows a drag while the button is down.
void SendMouse(const std::vector<INPUT>& inputs, DWORD settleMs = 50) {
  ::SendInput(static_cast<UINT>(inputs.size()), const_cast<INPUT*>(inputs.data()), sizeof(INPUT));
  Pump(settleMs);
}

// Events at `screen`, one per entry of `buttons` (0: a move only).
void SendMouse(CPoint screen, std::initializer_list<DWORD> buttons) {
  std::vector<INPUT> inputs;
  for (DWORD button : buttons) inputs.push_back(MouseInput(button, screen));
  SendMouse(inputs);
}

struct MenuDrive {
  std::wstring pick;
  std::vector<std::wstring> seen;
  bool done = false;
};
MenuDrive* g_menuDrive = nullptr;

BOOL CALLBACK FindMenuWindow(HWND hWnd, LPARAM lParam) {
  wchar_t cls[16] = L"";
  ::GetClassNameW(hWnd, cls, 16);
  if (lstrcmpW(cls, L"#32768") == 0 && ::IsWindowVisible(hWnd)) {
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK MenuTimer(HWND, UINT, UINT_PTR id, DWORD) {
  MenuDrive* drive = g_menuDrive;
  if (!drive || drive->done) return;
  HWND menuWnd = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&menuWnd));
  if (!menuWnd) return;
  HMENU menu = reinterpret_cast<HMENU>(::SendMessageW(menuWnd, MN_GETHMENU, 0, 0));
  if (!menu) return;
  drive->done = true;
  ::KillTimer(nullptr, id);
  int presses = 0, target = -1;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    if (state & MF_SEPARATOR) continue;
    wchar_t text[256] = L"";
    ::GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
    std::wstring item = text;
    ++presses;
    if (target < 0 && item == drive->pick) target = presses;
    if (state & MF_CHECKED) item += L"[x]";
    if (state & MF_GRAYED) item += L"[-]";
    drive->seen.push_back(item);
  }
  if (target < 0) {
    ::EndMenu();
    return;
  }
  for (int i = 0; i < target; ++i) ::PostMessageW(menuWnd, WM_KEYDOWN, VK_DOWN, 0);
  ::PostMessageW(menuWnd, WM_KEYDOWN, VK_RETURN, 0);
}

}  // namespace

void RealMouseMove(CPoint screen) { SendMouse(screen, {0}); }
void RealMouseDown(CPoint screen) { SendMouse(screen, {MOUSEEVENTF_LEFTDOWN}); }
void RealMouseUp(CPoint screen) { SendMouse(screen, {MOUSEEVENTF_LEFTUP}); }
void RealRightClick(CPoint screen) { SendMouse(screen, {0, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP}); }
void RealDoubleClick(CPoint screen) {
  SendMouse(screen, {0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
}

void RealMouseDragAtOnce(CPoint from, CPoint to) {
  SendMouse(from, {0});
  std::vector<INPUT> inputs;
  for (int step = 0; step <= 4; ++step)
    inputs.push_back(MouseInput(step == 0 ? MOUSEEVENTF_LEFTDOWN : 0,
                                CPoint(from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4)));
  inputs.push_back(MouseInput(MOUSEEVENTF_LEFTUP, to));
  SendMouse(inputs, 150);
}

void RealMouseDrag(CPoint from, CPoint to, int steps) {
  RealMouseMove(from);
  RealMouseDown(from);
  for (int i = 1; i <= steps; ++i)
    RealMouseMove(CPoint(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps));
  RealMouseUp(to);
}

std::vector<std::wstring> DriveMenu(const std::function<void()>& show, const std::wstring& pick) {
  MenuDrive drive;
  drive.pick = pick;
  g_menuDrive = &drive;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, MenuTimer);
  show();
  ::KillTimer(nullptr, timer);
  g_menuDrive = nullptr;
  return drive.seen;
}

COLORREF WindowPixel(CWnd* w, CPoint windowPoint) {
  ::RedrawWindow(w->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  HDC window = ::GetWindowDC(w->m_hWnd);
  HDC memory = ::CreateCompatibleDC(window);
  HBITMAP bitmap = ::CreateCompatibleBitmap(window, 1, 1);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, 1, 1, window, windowPoint.x, windowPoint.y, SRCCOPY);
  const COLORREF color = ::GetPixel(memory, 0, 0);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(w->m_hWnd, window);
  return color;
}

}  // namespace docking_test

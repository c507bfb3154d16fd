#include "BarsTestFrame.h"

#include <deque>

#include "TestSupport.h"

void PrintTo(const CString& s, std::ostream* os) {
  *os << '"';
  for (int i = 0; i < s.GetLength(); ++i) {
    const wchar_t c = s[i];
    if (c < 0x80)
      *os << static_cast<char>(c);
    else
      *os << "\\u" << std::hex << static_cast<unsigned>(c) << std::dec;
  }
  *os << '"';
}

void PrintTo(const CRect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace bars_test {

namespace {

class BarsApp : public CWinAppEx {
 public:
  BarsApp() { SetRegistryKey(L"VantryTests"); }
};

BarsApp theApp;

}  // namespace

const wchar_t kProfileKey[] = L"Software\\VantryTests\\FrameworkBars_test";
const wchar_t* const kZoomItems[4] = {L"200%", L"100%", L"75%", L"50%"};

std::vector<std::pair<UINT, int>>& NotifyLog() {
  static std::vector<std::pair<UINT, int>> log;
  return log;
}

// ---- The product-style buttons ----

IMPLEMENT_SERIAL(TestComboButton, CMFCToolBarComboBoxButton, 1)
IMPLEMENT_SERIAL(TestEditButton, CMFCToolBarEditBoxButton, 1)

TestComboButton::TestComboButton(UINT id, DWORD style, int width)
    : CMFCToolBarComboBoxButton(id, GetCmdMgr()->GetCmdImage(id), style, width) {}

CComboBox* TestComboButton::CreateCombo(CWnd* pWndParent, const CRect& rect) {
  TestComboBox* combo = new TestComboBox;
  if (!combo->Create(m_dwStyle, rect, pWndParent, m_nID)) {
    delete combo;
    return nullptr;
  }
  return combo;
}

BOOL TestComboButton::NotifyCommand(int iNotifyCode) {
  NotifyLog().push_back({m_nID, iNotifyCode});
  return CMFCToolBarComboBoxButton::NotifyCommand(iNotifyCode);
}

TestEditButton::TestEditButton(UINT id, int width)
    : CMFCToolBarEditBoxButton(id, GetCmdMgr()->GetCmdImage(id), ES_AUTOHSCROLL, width) {}

CEdit* TestEditButton::CreateEdit(CWnd* pWndParent, const CRect& rect) {
  TestSubEdit* edit = new TestSubEdit;
  if (!edit->Create(m_dwStyle, rect, pWndParent, m_nID)) {
    delete edit;
    return nullptr;
  }
  return edit;
}

BOOL TestEditButton::NotifyCommand(int iNotifyCode) {
  NotifyLog().push_back({m_nID, iNotifyCode});
  return CMFCToolBarEditBoxButton::NotifyCommand(iNotifyCode);
}

void TidyMenuBar::CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu, BOOL bForceUpdate) {
  CMFCMenuBar::CreateFromMenu(hMenu, bDefaultMenu, bForceUpdate);
  bool removed = false;
  for (int i = GetCount() - 1; i >= 0; --i) {
    CMFCToolBarButton* button = GetButton(i);
    if (!button->IsKindOf(RUNTIME_CLASS(CMFCToolBarMenuButton))) continue;
    const CObList& items = static_cast<CMFCToolBarMenuButton*>(button)->GetCommands();
    bool onlySeparators = true;
    for (POSITION pos = items.GetHeadPosition(); pos && onlySeparators;)
      onlySeparators = static_cast<CMFCToolBarButton*>(items.GetNext(pos))->IsSeparator() != FALSE;
    if (onlySeparators) {
      RemoveButton(i);
      removed = true;
    }
  }
  if (removed) AdjustLayout();
}

// ---- The frame ----

BEGIN_MESSAGE_MAP(BarsFrame, CFrameWndEx)
ON_WM_CREATE()
ON_COMMAND_RANGE(ID_T_OPEN, ID_T_RECNUM, OnCommandRange)
ON_COMMAND_RANGE(ID_T_ERASE, ID_T_UNDO, OnCommandRange)
ON_UPDATE_COMMAND_UI(ID_T_SAVE, OnUpdateSave)
ON_UPDATE_COMMAND_UI(ID_T_SNAP, OnUpdateSnap)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateNumIndicator)
ON_REGISTERED_MESSAGE(AFX_WM_RESETTOOLBAR, OnToolbarReset)
ON_REGISTERED_MESSAGE(AFX_WM_CUSTOMIZETOOLBAR, OnCustomizeToolbar)
ON_NOTIFY(TBN_DROPDOWN, ID_T_SPELL, OnSpellDropDown)
END_MESSAGE_MAP()

BarsFrame::BarsFrame(BOOL tidy) : m_tidy(tidy) {}
BarsFrame::~BarsFrame() { delete menuBar; }

BarsFrame* BarsFrame::Make(BOOL tidyMenuBar) {
  BarsFrame* frame = new BarsFrame(tidyMenuBar);
  if (!frame->LoadFrame(IDR_BARS_FRAME, WS_OVERLAPPEDWINDOW)) return nullptr;  // deleted with its window
  frame->SetWindowPos(nullptr, 0, 0, 700, 400, SWP_NOZORDER | SWP_NOACTIVATE);
  frame->ShowWindow(SW_SHOW);
  frame->UpdateWindow();
  return frame;
}

int BarsFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (CFrameWndEx::OnCreate(lpcs) == -1) return -1;
  EnableDocking(CBRS_ALIGN_ANY);
  menuBar = m_tidy ? new TidyMenuBar : new CMFCMenuBar;
  const DWORD barStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
  if (!menuBar->Create(this)) return -1;
  menuBar->SetPaneStyle(menuBar->GetPaneStyle() | CBRS_SIZE_DYNAMIC | CBRS_TOOLTIPS | CBRS_FLYBY);
  if (!mainBar.CreateEx(this, TBSTYLE_FLAT, barStyle, CRect(1, 1, 1, 1), kMainBarId) || !mainBar.LoadToolBar(IDR_MAIN_BAR))
    return -1;
  mainBar.SetWindowText(L"Main");
  if (!toolsBar.CreateEx(this, TBSTYLE_FLAT, barStyle, CRect(1, 1, 1, 1), kToolsBarId) ||
      !toolsBar.LoadToolBar(IDR_TOOLS_BAR))
    return -1;
  toolsBar.SetWindowText(L"Tools");
  static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
  if (!statusBar.Create(this) || !statusBar.SetIndicators(indicators, 4)) return -1;
  menuBar->EnableDocking(CBRS_ALIGN_ANY);
  mainBar.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
  toolsBar.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT);
  DockPane(menuBar);
  DockPane(&mainBar);
  GetDockingManager()->DockPaneBeside(&toolsBar, &mainBar, CBRS_ALIGN_RIGHT);
  InitUserToolbars(nullptr, AFX_IDW_USER_TOOLBAR_FIRST, AFX_IDW_USER_TOOLBAR_LAST);
  return 0;
}

CRect BarsFrame::RectOf(CWnd* pWnd) const {
  CRect r;
  pWnd->GetWindowRect(&r);
  ScreenToClient(&r);
  return r;
}

void BarsFrame::OnCommandRange(UINT nID) { ++commands[nID]; }

void BarsFrame::OnUpdateSave(CCmdUI* pCmdUI) {
  ++updateSaveCalls;
  pCmdUI->Enable(saveEnabled);
}

void BarsFrame::OnUpdateSnap(CCmdUI* pCmdUI) { pCmdUI->SetCheck(snapCheck); }

void BarsFrame::OnUpdateNumIndicator(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

LRESULT BarsFrame::OnToolbarReset(WPARAM wParam, LPARAM) {
  const UINT id = static_cast<UINT>(wParam);
  ++resets[id];
  if (id != IDR_MAIN_BAR) return 0;
  TestComboButton zoom(ID_T_ZOOM, CBS_DROPDOWN, 75);
  for (const wchar_t* item : kZoomItems) zoom.AddItem(item);
  mainBar.ReplaceButton(ID_T_ZOOM, zoom);
  CMenu spelling;
  if (spelling.LoadMenu(IDM_SPELL_MENU)) {
    CMFCToolBarMenuButton spell(ID_T_SPELL, spelling.GetSubMenu(0)->m_hMenu, GetCmdMgr()->GetCmdImage(ID_T_SPELL));
    mainBar.ReplaceButton(ID_T_SPELL, spell);
  }
  CMFCToolBarEditBoxButton::SetFlatMode(TRUE);
  mainBar.ReplaceButton(ID_T_RECNUM, TestEditButton(ID_T_RECNUM, 45));
  const int erase = mainBar.CommandToIndex(ID_T_ERASE);
  if (eraseShown && erase < 0) {
    TestComboButton sizes(ID_T_ERASE, CBS_DROPDOWNLIST, 60);
    for (const wchar_t* item : {L"1x1", L"2x2", L"4x4", L"8x8"}) sizes.AddItem(item);
    sizes.SelectItem(2, FALSE);
    mainBar.InsertButton(sizes);
  } else if (!eraseShown && erase >= 0) {
    mainBar.RemoveButton(erase);
  }
  mainBar.AdjustLayout();
  return 0;
}

LRESULT BarsFrame::OnCustomizeToolbar(WPARAM wParam, LPARAM) {
  customizeMessages.push_back(static_cast<BOOL>(wParam));
  return 0;
}

void BarsFrame::OnSpellDropDown(NMHDR*, LRESULT* pResult) {
  ++dropDowns;
  *pResult = dropDownAnswer;
}

// ---- Helpers ----

CString FrameworkString(UINT id) {
  WCHAR text[256] = {};
  LoadStringW(GetModuleHandleW(L"VantryFW.dll"), id, text, 256);
  return text;
}

void BarsFrameTest::SetUp() {
  testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, kProfileKey);
  NotifyLog().clear();
  frame = BarsFrame::Make(Tidy());
  ASSERT_NE(frame, nullptr);
  Pump();
}

void BarsFrameTest::TearDown() {
  for (int vk : {VK_MENU, VK_CONTROL, VK_SHIFT, VK_CAPITAL, VK_NUMLOCK, VK_SCROLL}) SetKeyState(vk, false, false);
  CMFCVisualManager::SetDefaultManager(RUNTIME_CLASS(CMFCVisualManager));
  if (frame) frame->DestroyWindow();
  frame = nullptr;
  Pump();
  testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, kProfileKey);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!AfxGetApp()->PreTranslateMessage(&msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

void IdleUpdate(CFrameWnd* frame) {
  frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE);
  frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
}

void ClickAt(CWnd* wnd, const CRect& rect) {
  const CPoint c = rect.CenterPoint();
  wnd->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(c.x, c.y));
  wnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.x, c.y));
  wnd->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
}

namespace {

HWND g_stepTarget = nullptr;
std::deque<TrackingStep> g_steps;

void CALLBACK FeedNextStep(HWND, UINT, UINT_PTR id, DWORD) {
  if (g_steps.empty()) {
    KillTimer(nullptr, id);
    return;
  }
  const TrackingStep step = g_steps.front();
  g_steps.pop_front();
  if (step.key) {
    PostMessageW(g_stepTarget, WM_KEYDOWN, step.key, 1);
    PostMessageW(g_stepTarget, WM_KEYUP, step.key, 0xC0000001);
    return;
  }
  // A posted message carries the cursor's position as the menu loop reads it.
  SetCursorPos(step.mouse.x, step.mouse.y);
  POINT client = step.mouse;
  ScreenToClient(g_stepTarget, &client);
  PostMessageW(g_stepTarget, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
}

}  // namespace

void FeedWhileTracking(HWND target, const std::vector<TrackingStep>& steps) {
  g_stepTarget = target;
  g_steps.assign(steps.begin(), steps.end());
  SetTimer(nullptr, 0, 60, FeedNextStep);
}

void FeedKeysWhileTracking(HWND target, const std::vector<UINT>& keys) {
  std::vector<TrackingStep> steps;
  for (UINT key : keys) steps.push_back(TrackingStep{key, {0, 0}});
  FeedWhileTracking(target, steps);
}

void SetKeyState(int vk, bool down, bool toggled) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  state[vk] = static_cast<BYTE>((down ? 0x80 : 0) | (toggled ? 0x01 : 0));
  SetKeyboardState(state);
}

Capture::Capture(HWND hwnd) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT window = {}, client = {};
  GetWindowRect(hwnd, &window);
  GetClientRect(hwnd, &client);
  POINT origin = {0, 0};
  ClientToScreen(hwnd, &origin);
  width_ = client.right;
  height_ = client.bottom;
  pixels_.assign(static_cast<size_t>(width_) * height_, 0);
  HDC windowDc = GetWindowDC(hwnd);
  HDC memory = CreateCompatibleDC(windowDc);
  void* bits = nullptr;
  HBITMAP dib = NewDibSection(width_, height_, &bits);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, width_, height_, windowDc, origin.x - window.left, origin.y - window.top, SRCCOPY);
  GdiFlush();
  const DWORD* p = static_cast<const DWORD*>(bits);
  for (size_t i = 0; i < pixels_.size(); ++i) pixels_[i] = p[i] & 0x00FFFFFF;
  SelectObject(memory, old);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(hwnd, windowDc);
}

HBITMAP NewDibSection(int width, int height, void** bits) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

int CountDarkPixels(const Capture& shot, const CRect& rect) {
  int dark = 0;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) {
      const COLORREF c = shot.At(x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) ++dark;
    }
  return dark;
}

COLORREF Capture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  const DWORD p = pixels_[static_cast<size_t>(y) * width_ + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

}  // namespace bars_test

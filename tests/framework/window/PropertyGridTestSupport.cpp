#include "PropertyGridTestSupport.h"

#include "PropertyGridTestIds.h"

namespace grid_test {

BEGIN_MESSAGE_MAP(GridOwner, CWnd)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, OnPropertyChanged)
END_MESSAGE_MAP()

BOOL GridOwner::Make(LPCWSTR title, const CRect& rect) {
  LPCWSTR cls = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return CreateEx(0, cls, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect.left, rect.top, rect.Width(), rect.Height(),
                  nullptr, nullptr);
}

LRESULT GridOwner::OnPropertyChanged(WPARAM wParam, LPARAM lParam) {
  auto* row = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
  const VARIANT& value = row->GetValue();
  changes.push_back({wParam, row, row->GetData(), value.vt, AfxVariantToText(value).GetString(),
                     row->FormatProperty().GetString(), value.ulVal});
  return 0;
}

BEGIN_MESSAGE_MAP(ColorDialog, CDialog)
ON_BN_CLICKED(IDC_COLOR_BUTTON, OnColor)
END_MESSAGE_MAP()

ColorDialog::ColorDialog() : CDialog(IDD_COLOR_TEST) {}

void ColorDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_COLOR_BUTTON, button);
  DDX_ColorButton(pDX, IDC_COLOR_BUTTON, highlight);
}

BOOL ColorDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  button.EnableOtherButton(L"Other");
  button.SetColumnsNumber(5);
  return TRUE;
}

void ColorDialog::OnColor() {
  ++clicks;
  colorAtClick = button.GetColor();
}

void PumpUntilIdle() {
  // Real input reaches the queue through the Wine server a little later: wait for a quiet spell.
  const DWORD end = ::GetTickCount() + 2000;
  DWORD quietSince = ::GetTickCount();
  while (::GetTickCount() < end && ::GetTickCount() - quietSince < 60) {
    MSG msg;
    if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
      quietSince = ::GetTickCount();
    } else {
      ::Sleep(5);
    }
  }
}

namespace {
void SendMouse(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof(input));
}
void MoveTo(HWND window, CPoint client) {
  ::ClientToScreen(window, &client);
  ::SetCursorPos(client.x, client.y);
  PumpUntilIdle();
}
}  // namespace

void RealClick(HWND window, CPoint client) {
  MoveTo(window, client);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
  PumpUntilIdle();
}

void RealDrag(HWND window, CPoint from, CPoint to) {
  MoveTo(window, from);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  PumpUntilIdle();
  MoveTo(window, to);
  SendMouse(MOUSEEVENTF_LEFTUP);
  PumpUntilIdle();
}

void RealType(const wchar_t* text) {
  for (const wchar_t* c = text; *c; ++c) {
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
      key.type = INPUT_KEYBOARD;
      key.ki.wScan = *c;
      key.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof(INPUT));
  }
  PumpUntilIdle();
}

void RealKey(UINT vk) {
  INPUT keys[2] = {};
  for (INPUT& key : keys) {
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = static_cast<WORD>(vk);
  }
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, keys, sizeof(INPUT));
  PumpUntilIdle();
}

}  // namespace grid_test

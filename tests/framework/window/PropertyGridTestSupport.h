// Input and pixels for the property-grid and colour tests: messages posted the way the system posts
// a user's clicks and keys (they go through the queue, TranslateMessage and the window procedures),
// the pixels a window shows, and a grid owner that records what the grid tells it.
#pragma once
#include <string>
#include <vector>

#include "Framework.h"

namespace grid_test {

// One AFX_WM_PROPERTY_CHANGED, with the row's value as it was when it came.
struct Change {
  WPARAM id;
  CMFCPropertyGridProperty* row;
  DWORD_PTR data;
  VARTYPE type;
  std::wstring value;  // by the OLE text conversion
  std::wstring shown;  // as the grid shows it
  ULONG number;        // the value's 32 bits, for colours
};

// A visible top-level window that owns a grid and hears its changes.
class GridOwner : public CWnd {
 public:
  BOOL Make(LPCWSTR title, const CRect& rect);
  std::vector<Change> changes;

 protected:
  afx_msg LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

// Dispatches everything queued for this thread.
inline void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

// A left click at a client point of `window`.
inline void Click(HWND window, CPoint point) {
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
  Pump();
}

inline void DoubleClick(HWND window, CPoint point) {
  Click(window, point);
  ::PostMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
  Pump();
}

// A key pressed and released in `target`; with `shift` held down meanwhile.
inline void Key(HWND target, UINT vk, bool shift = false) {
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  ::SetKeyboardState(keys);
  const UINT scan = ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  ::PostMessageW(target, WM_KEYDOWN, vk, 1 | (scan << 16));
  ::PostMessageW(target, WM_KEYUP, vk, 1 | (scan << 16) | 0xC0000000u);
  Pump();
  keys[VK_SHIFT] = 0;
  ::SetKeyboardState(keys);
}

// Characters typed into `target`.
inline void Type(HWND target, const wchar_t* text) {
  for (const wchar_t* c = text; *c; ++c) {
    ::PostMessageW(target, WM_CHAR, *c, 1);
    Pump();
  }
}

// The same into the window that has the keyboard focus: for the cases that check where the focus
// goes (they run alone, since the focus belongs to the foreground program).
inline void Key(UINT vk, bool shift = false) { Key(::GetFocus(), vk, shift); }
inline void Type(const wchar_t* text) {
  for (const wchar_t* c = text; *c; ++c) Type(::GetFocus(), std::wstring(1, *c).c_str());
}

// A dialog with a colour button bound through data exchange, set up as an options page sets up
// its highlight colour: an "Other" button and five columns. It counts the button's BN_CLICKED.
class ColorDialog : public CDialog {
 public:
  ColorDialog();
  CMFCColorButton button;
  COLORREF highlight = RGB(0xDE, 0xEB, 0xF9);
  int clicks = 0;
  COLORREF colorAtClick = CLR_NONE;  // the button's colour when the dialog heard of the click

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnColor();
  DECLARE_MESSAGE_MAP()
};

// Real input, as the user's mouse and keyboard give it: through the system's input queue, to
// whatever window is under the cursor or has the focus. Tests using it run alone (the cursor is
// shared by every program under the Wine server).
void PumpUntilIdle();
void RealClick(HWND window, CPoint client);
void RealDrag(HWND window, CPoint from, CPoint to);
void RealType(const wchar_t* text);
void RealKey(UINT vk);

inline std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

// The first child of `parent` of window class `cls`, or null.
inline HWND ChildOfClass(HWND parent, const wchar_t* cls) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (lstrcmpiW(ClassOf(child).c_str(), cls) == 0) return child;
  }
  return nullptr;
}

// The grid's open in-place editor that takes typing: its edit control, the edit of its editable
// combo box, or its combo box that offers only a choice. Null without one.
inline HWND EditorOf(HWND grid) {
  if (HWND edit = ChildOfClass(grid, L"Edit")) return edit;
  HWND combo = ChildOfClass(grid, L"ComboBox");
  if (!combo) return nullptr;
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  return ::GetComboBoxInfo(combo, &info) && info.hwndItem ? info.hwndItem : combo;
}

// The client area of a window as it is shown, after a full repaint.
class Pixels {
 public:
  explicit Pixels(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT client = {};
    ::GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = ::GetDC(window);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width_, height_, screen, 0, 0, SRCCOPY);
    ::GdiFlush();
    const DWORD* p = static_cast<const DWORD*>(bits);
    pixels_.assign(p, p + width_ * height_);
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(window, screen);
  }
  // As a COLORREF (the DIB holds blue, green, red).
  COLORREF At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    const DWORD v = pixels_[y * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  // Pixels of `rect` that are not `background`.
  int CountOtherThan(const CRect& rect, COLORREF background) const {
    int n = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
      for (int x = rect.left; x < rect.right; ++x) n += At(x, y) != background;
    }
    return n;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<DWORD> pixels_;
};

}  // namespace grid_test

// Windows and their message maps: real windows under Wine, messages sent through Windows.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Framework.h"

namespace {

UINT g_registeredMessage = ::RegisterWindowMessageW(L"FrameworkWindowTest.Registered");

// Writes each handler's call with its arguments, so a test compares what arrived.
class RecordingWnd : public CWnd {
 public:
  std::vector<std::wstring> calls;
  void Record(const wchar_t* format, ...) {
    wchar_t text[256];
    va_list args;
    va_start(args, format);
    _vsnwprintf(text, 255, format, args);
    text[255] = 0;
    va_end(args);
    calls.push_back(text);
  }
  std::wstring Last() const { return calls.empty() ? L"" : calls.back(); }
  bool postNcDestroyRan = false;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT cs) {
    Record(L"create %ls", cs->lpszName);
    return CWnd::OnCreate(cs);
  }
  afx_msg void OnSize(UINT type, int cx, int cy) { Record(L"size %u %d %d", type, cx, cy); }
  afx_msg void OnLButtonDown(UINT flags, CPoint p) { Record(L"lbuttondown %u %d %d", flags, p.x, p.y); }
  afx_msg void OnLButtonDblClk(UINT flags, CPoint p) { Record(L"lbuttondblclk %u %d %d", flags, p.x, p.y); }
  afx_msg void OnMouseMove(UINT flags, CPoint p) { Record(L"mousemove %u %d %d", flags, p.x, p.y); }
  afx_msg void OnKeyDown(UINT c, UINT repeat, UINT flags) { Record(L"keydown %u %u %u", c, repeat, flags); }
  afx_msg void OnChar(UINT c, UINT repeat, UINT flags) { Record(L"char %u %u %u", c, repeat, flags); }
  afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint p) {
    Record(L"wheel %u %d %d %d", flags, delta, p.x, p.y);
    return TRUE;
  }
  afx_msg BOOL OnCopyData(CWnd*, COPYDATASTRUCT* data) {
    Record(L"copydata %lu %ls", static_cast<unsigned long>(data->dwData), static_cast<const wchar_t*>(data->lpData));
    return TRUE;
  }
  afx_msg void OnTimer(UINT_PTR id) { Record(L"timer %u", static_cast<unsigned>(id)); }
  afx_msg void OnMove(int x, int y) { Record(L"move %d %d", x, y); }
  afx_msg void OnContextMenu(CWnd* w, CPoint p) { Record(L"contextmenu %d %d %d", w == this, p.x, p.y); }
  afx_msg LRESULT OnAppMessage(WPARAM w, LPARAM l) {
    Record(L"app %d %d", static_cast<int>(w), static_cast<int>(l));
    return 42;
  }
  afx_msg LRESULT OnRegistered(WPARAM w, LPARAM) {
    Record(L"registered %d", static_cast<int>(w));
    return 7;
  }
  afx_msg void OnDestroy() {
    Record(L"destroy");
    CWnd::OnDestroy();
  }
  void PostNcDestroy() override { postNcDestroyRan = true; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingWnd, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_MOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_MOUSEWHEEL()
ON_WM_COPYDATA()
ON_WM_TIMER()
ON_WM_CONTEXTMENU()
ON_WM_DESTROY()
ON_MESSAGE(WM_APP + 1, OnAppMessage)
ON_REGISTERED_MESSAGE(g_registeredMessage, OnRegistered)
END_MESSAGE_MAP()

bool CreateTopLevel(CWnd& wnd, const wchar_t* title) {
  return wnd.CreateEx(0, nullptr, title, WS_POPUP, 10, 20, 200, 100, nullptr, nullptr) != FALSE;
}

void PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  MSG msg;
  while (!done() && ::GetTickCount() - start < timeoutMs) {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(5);
  }
}

TEST(WndMessages, CreateReachesTheMapBeforeCreateExReturns) {
  RecordingWnd wnd;
  ASSERT_TRUE(CreateTopLevel(wnd, L"Recorder"));
  ASSERT_NE(wnd.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
  ASSERT_FALSE(wnd.calls.empty());
  EXPECT_EQ(wnd.calls.front(), L"create Recorder");
}

struct MessageCase {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT result;
  const wchar_t* expected;
};

TEST(WndMessages, HandlersReceiveTheirArgumentsUnpacked) {
  RecordingWnd wnd;
  ASSERT_TRUE(CreateTopLevel(wnd, L"Recorder"));
  const MessageCase cases[] = {
      {WM_SIZE, SIZE_RESTORED, MAKELPARAM(150, 75), 0, L"size 0 150 75"},
      {WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(-5), 9), 0, L"move -5 9"},
      {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(12, 34), 0, L"lbuttondown 5 12 34"},
      {WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 4), 0, L"lbuttondblclk 1 3 4"},
      {WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(-2), static_cast<WORD>(-3)), 0, L"mousemove 0 -2 -3"},
      {WM_KEYDOWN, VK_DELETE, MAKELPARAM(1, 0x53), 0, L"keydown 46 1 83"},
      {WM_CHAR, L'x', MAKELPARAM(2, 0x2D), 0, L"char 120 2 45"},
      {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)), MAKELPARAM(300, 400), 1,
       L"wheel 8 -120 300 400"},
      {WM_APP + 1, 5, 6, 42, L"app 5 6"},
      {g_registeredMessage, 9, 0, 7, L"registered 9"},
  };
  for (const MessageCase& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(::SendMessageW(wnd.m_hWnd, c.message, c.wParam, c.lParam), c.result);
    EXPECT_EQ(wnd.Last(), c.expected);
  }
}

TEST(WndMessages, CopyDataFromAnotherWindowArrivesWithItsData) {
  RecordingWnd wnd;
  ASSERT_TRUE(CreateTopLevel(wnd, L"Receiver"));
  const wchar_t path[] = L"C:\\pages.ini";
  COPYDATASTRUCT data = {1027, sizeof(path), const_cast<wchar_t*>(path)};
  EXPECT_EQ(::SendMessageW(wnd.m_hWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), TRUE);
  EXPECT_EQ(wnd.Last(), L"copydata 1027 C:\\pages.ini");
}

TEST(WndMessages, ContextMenuNamesTheWindowAndScreenPoint) {
  RecordingWnd wnd;
  ASSERT_TRUE(CreateTopLevel(wnd, L"Menu"));
  ::SendMessageW(wnd.m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd.m_hWnd), MAKELPARAM(40, 50));
  EXPECT_EQ(wnd.Last(), L"contextmenu 1 40 50");
}

TEST(WndMessages, TimerFiresThroughTheMessageLoop) {
  RecordingWnd wnd;
  ASSERT_TRUE(CreateTopLevel(wnd, L"Timer"));
  ASSERT_NE(wnd.SetTimer(3, 10), 0u);
  PumpUntil([&] { return wnd.Last() == L"timer 3"; }, 3000);
  EXPECT_EQ(wnd.Last(), L"timer 3");
  EXPECT_TRUE(wnd.KillTimer(3));
}

TEST(WndMessages, DestroyDetachesAndCallsPostNcDestroy) {
  RecordingWnd wnd;
  ASSERT_TRUE(CreateTopLevel(wnd, L"Short-lived"));
  HWND h = wnd.m_hWnd;
  EXPECT_TRUE(wnd.DestroyWindow());
  EXPECT_EQ(wnd.Last(), L"destroy");
  EXPECT_TRUE(wnd.postNcDestroyRan);
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
  EXPECT_FALSE(::IsWindow(h));
}

// A derived class's entry wins; messages it does not map reach the base class's entries.
class BaseWnd : public CWnd {
 public:
  std::wstring handledBy;

 protected:
  afx_msg LRESULT OnFirst(WPARAM, LPARAM) {
    handledBy = L"base first";
    return 1;
  }
  afx_msg LRESULT OnSecond(WPARAM, LPARAM) {
    handledBy = L"base second";
    return 2;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
ON_MESSAGE(WM_APP + 10, OnFirst)
ON_MESSAGE(WM_APP + 11, OnSecond)
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd {
 protected:
  afx_msg LRESULT OnFirstAgain(WPARAM, LPARAM) {
    handledBy = L"derived first";
    return 3;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
ON_MESSAGE(WM_APP + 10, OnFirstAgain)
END_MESSAGE_MAP()

TEST(WndMessages, DerivedMapsOverrideAndInheritEntries) {
  DerivedWnd wnd;
  ASSERT_TRUE(CreateTopLevel(wnd, L"Derived"));
  EXPECT_EQ(wnd.SendMessage(WM_APP + 10), 3);
  EXPECT_EQ(wnd.handledBy, L"derived first");
  EXPECT_EQ(wnd.SendMessage(WM_APP + 11), 2);
  EXPECT_EQ(wnd.handledBy, L"base second");
  // Unmapped messages get the window's default handling.
  EXPECT_EQ(wnd.SendMessage(WM_APP + 12), 0);
}

// A control created from a system class is subclassed: our map sees its messages and Default()
// still gives the control's own behaviour.
class UpperCaseEdit : public CWnd {
 protected:
  afx_msg void OnChar(UINT c, UINT repeat, UINT flags) {
    DefWindowProc(WM_CHAR, towupper(static_cast<wint_t>(c)), MAKELPARAM(repeat, flags));
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(UpperCaseEdit, CWnd)
ON_WM_CHAR()
END_MESSAGE_MAP()

TEST(WndMessages, SubclassedSystemControlKeepsItsBehaviour) {
  RecordingWnd parent;
  ASSERT_TRUE(CreateTopLevel(parent, L"Parent"));
  UpperCaseEdit edit;
  ASSERT_TRUE(edit.CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &parent, 5));
  EXPECT_EQ(edit.GetDlgCtrlID(), 5);
  EXPECT_EQ(parent.GetDlgItem(5), &edit);
  for (wchar_t c : std::wstring(L"form")) edit.SendMessage(WM_CHAR, c, 1);
  CString text;
  edit.GetWindowText(text);
  EXPECT_STREQ(text, L"FORM");
}

TEST(WndMessages, ForeignWindowsGetTemporaryObjectsUntilIdle) {
  HWND foreign = ::CreateWindowExW(0, L"STATIC", L"foreign", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(foreign, nullptr);
  CWnd* temp = CWnd::FromHandle(foreign);
  ASSERT_NE(temp, nullptr);
  EXPECT_EQ(temp->m_hWnd, foreign);
  EXPECT_EQ(CWnd::FromHandle(foreign), temp);
  EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
  AfxDeleteTempMaps();
  EXPECT_TRUE(::IsWindow(foreign)) << "dropping a temporary object must not destroy its window";
  ::DestroyWindow(foreign);
}

TEST(WndMessages, ScreenAndClientCoordinatesConvert) {
  RecordingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"Coords", WS_POPUP, 100, 200, 50, 50, nullptr, nullptr));
  CPoint p(5, 6);
  wnd.ClientToScreen(&p);
  EXPECT_EQ(p, CPoint(105, 206));
  CRect r(0, 0, 10, 10);
  wnd.ClientToScreen(&r);
  EXPECT_EQ(r, CRect(100, 200, 110, 210));
  wnd.ScreenToClient(&r);
  EXPECT_EQ(r, CRect(0, 0, 10, 10));
}

}  // namespace

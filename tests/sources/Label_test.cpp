// The label control in a real parent window: its colours and font as drawn, and its link.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Label.h"
#include "MyProcs.h"

namespace {

std::vector<std::wstring> g_opened;

BOOL RecordOpen(LPCTSTR verb, LPCTSTR file, LPCTSTR parameters) {
  g_opened.push_back(std::wstring(verb ? verb : L"") + L"|" + file + L"|" + (parameters ? parameters : L""));
  return TRUE;
}

// The label's pixels as the screen shows them, as 0x00RRGGBB.
std::vector<COLORREF> Capture(CWnd& window, int width, int height) {
  window.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  HDC source = ::GetWindowDC(window.m_hWnd);
  HDC memory = ::CreateCompatibleDC(source);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
  ::GdiFlush();
  std::vector<COLORREF> pixels(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + width * height);
  for (COLORREF& p : pixels) p = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(window.m_hWnd, source);
  return pixels;
}

int Count(const std::vector<COLORREF>& pixels, COLORREF color) {
  int n = 0;
  for (COLORREF p : pixels) n += p == color;
  return n;
}

class LabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_opened.clear();
    previous = SetShellOpener(RecordOpen);
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"Label host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100,
                                nullptr, nullptr));
    ASSERT_TRUE(label.Create(L"WWWWWW", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(0, 0, kWidth, kHeight), &parent, 1197));
    label.SetFontSize(20);
  }
  void TearDown() override {
    parent.DestroyWindow();
    SetShellOpener(previous);
  }
  enum { kWidth = 160, kHeight = 40 };
  CWnd parent;
  CLabel label;
  ShellOpener previous = nullptr;
};

TEST_F(LabelTest, ANewLabelPaintsInTheButtonFaceAndWindowTextColours) {
  const std::vector<COLORREF> pixels = Capture(label, kWidth, kHeight);
  EXPECT_GT(Count(pixels, ::GetSysColor(COLOR_BTNFACE)), kWidth * kHeight / 2);
  EXPECT_GT(Count(pixels, ::GetSysColor(COLOR_WINDOWTEXT)), 20);
}

TEST_F(LabelTest, ChainedColourSettersRepaintTheLabelInThoseColours) {
  const COLORREF background = RGB(250, 200, 10), text = RGB(10, 40, 200);
  EXPECT_EQ(&label.SetBkColor(background).SetTextColor(text), &label);
  const std::vector<COLORREF> pixels = Capture(label, kWidth, kHeight);
  EXPECT_GT(Count(pixels, background), kWidth * kHeight / 2);
  EXPECT_GT(Count(pixels, text), 20);
  EXPECT_EQ(Count(pixels, ::GetSysColor(COLOR_BTNFACE)), 0);
}

TEST_F(LabelTest, FontSettersChangeTheFontTheControlDrawsWith) {
  label.SetFontSize(12).SetFontBold(TRUE).SetFontUnderline(TRUE);
  EXPECT_EQ(label.GetLogFont().lfHeight, -12);
  LOGFONTW used = {};
  ASSERT_TRUE(::GetObjectW(reinterpret_cast<HFONT>(label.SendMessage(WM_GETFONT)), sizeof(used), &used));
  EXPECT_EQ(used.lfHeight, -12);
  EXPECT_EQ(used.lfWeight, FW_BOLD);
  EXPECT_EQ(used.lfUnderline, 1);
  label.SetFontBold(FALSE);
  EXPECT_EQ(label.GetLogFont().lfWeight, FW_NORMAL);
  // A name longer than a font can hold keeps its first 31 characters.
  const std::wstring longName(40, L'A');
  label.SetFontName(longName.c_str());
  EXPECT_EQ(std::wstring(label.GetLogFont().lfFaceName), longName.substr(0, 31));
  label.SetFontName(L"Arial");
  EXPECT_STREQ(label.GetLogFont().lfFaceName, L"Arial");
}

TEST_F(LabelTest, ALinkShowsItsCursorAndAClickOpensItUntilTheLinkIsRemoved) {
  HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
  label.SetLink(L"https://support.example.com/vantry").SetLinkCursor(hand);
  EXPECT_TRUE(label.GetStyle() & SS_NOTIFY);
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  EXPECT_TRUE(label.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(label.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(::GetCursor(), hand);

  label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  label.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(g_opened.size(), 1u);
  EXPECT_EQ(g_opened[0], L"open|https://support.example.com/vantry|");

  label.SetLink(L"");
  EXPECT_FALSE(label.GetStyle() & SS_NOTIFY);
  EXPECT_FALSE(label.HasLink());
  label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(g_opened.size(), 1u);
}

}  // namespace

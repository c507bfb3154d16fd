// The about box: its caption, the version and the maker's links, 500 pixels wide at 96 dots per inch.
#include "AboutDlg.h"

#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "MyProcs.h"
#include "resource.h"

namespace {

std::vector<std::wstring> g_opened;
BOOL RecordOpen(LPCTSTR verb, LPCTSTR file, LPCTSTR) {
  g_opened.push_back(std::wstring(verb ? verb : L"") + L" " + file);
  return TRUE;
}

TEST_F(FrameTest, TheAboutBoxShowsTheVersionAndTheMakersLinks) {
  CAboutDlg about;
  ASSERT_TRUE(about.Create(IDD_ABOUTBOX, nullptr));
  CString caption;
  about.GetWindowText(caption);
  EXPECT_STREQ(CString(L"About ") + AfxGetAppName(), caption);
  CString version;
  about.GetVersionLabel().GetWindowText(version);
  EXPECT_STREQ(L"2.78.3", version);
  CString support, website;
  support.LoadString(IDS_SUPPORT_URL);
  website.LoadString(IDS_WEBSITE_URL);
  EXPECT_STREQ(support, about.GetSupportLabel().GetLink());
  EXPECT_STREQ(website, about.GetWebsiteLabel().GetLink());
  EXPECT_FALSE(about.GetVersionLabel().HasLink());

  about.ShowWindow(SW_SHOW);
  CRect window;
  about.GetWindowRect(&window);
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(500 * dpi / 96, window.Width());

  g_opened.clear();
  ShellOpener previous = SetShellOpener(RecordOpen);
  about.GetWebsiteLabel().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SetShellOpener(previous);
  ASSERT_EQ(1u, g_opened.size());
  EXPECT_EQ(L"open " + std::wstring(website), g_opened[0]);
  about.DestroyWindow();
}

}  // namespace

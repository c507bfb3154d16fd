#include "AboutDlg.h"

#include "ErrorLog.h"
#include "FolimarApp.h"
#include "resource.h"

namespace {

// The screen's horizontal dots per inch over the 96 the box is laid out for.
double ScreenScale(CWnd* window) {
  CClientDC dc(window);
  return dc.GetDeviceCaps(LOGPIXELSX) / 96.0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CAboutDlg, CDialogEx)
ON_WM_SHOWWINDOW()
ON_WM_PAINT()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CWnd* parent) : CDialogEx(IDD_ABOUTBOX, parent) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_ABOUT_VERSION, m_version);
  DDX_Control(pDX, IDC_ABOUT_SUPPORT, m_support);
  DDX_Control(pDX, IDC_ABOUT_WEBSITE, m_website);
}

BOOL CAboutDlg::OnInitDialog() {
  CDialogEx::OnInitDialog();
  DEF_TRY
  CString caption;
  caption.LoadString(IDS_ABOUT);
  SetWindowText(caption + L" " + AfxGetAppName());
  CFolimarApp* app = GetFolimarApp();
  m_version.SetText(app != nullptr ? app->m_versionText : GetAppVersionString());
  HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
  for (auto link : {std::make_pair(&m_support, IDS_SUPPORT_URL), std::make_pair(&m_website, IDS_WEBSITE_URL)}) {
    CString address;
    address.LoadString(link.second);
    link.first->SetText(address).SetLink(address).SetLinkCursor(hand).SetTextColor(RGB(0, 0, 255)).SetFontUnderline(TRUE);
  }
  DEF_CATCH("CAboutDlg::OnInitDialog")
  return TRUE;
}

void CAboutDlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialogEx::OnShowWindow(bShow, nStatus);
  DEF_TRY
  if (!bShow) return;
  CRect window;
  GetWindowRect(&window);
  const int width = static_cast<int>(kWidth * ScreenScale(this) + 0.5);
  SetWindowPos(nullptr, 0, 0, width, window.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  DEF_CATCH("CAboutDlg::OnShowWindow")
}

void CAboutDlg::OnPaint() {
  CPaintDC dc(this);
  DEF_TRY
  CBitmap banner;
  if (!banner.LoadBitmap(IDB_ABOUT_BANNER)) return;
  BITMAP info = {};
  banner.GetBitmap(&info);
  CDC memory;
  memory.CreateCompatibleDC(&dc);
  CBitmap* old = memory.SelectObject(&banner);
  const double scale = ScreenScale(this);
  dc.SetStretchBltMode(HALFTONE);
  dc.StretchBlt(0, 0, static_cast<int>(info.bmWidth * scale), static_cast<int>(info.bmHeight * scale), &memory, 0, 0,
                info.bmWidth, info.bmHeight, SRCCOPY);
  memory.SelectObject(old);
  DEF_CATCH("CAboutDlg::OnPaint")
}

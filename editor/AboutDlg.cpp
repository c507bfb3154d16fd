#include "AboutDlg.h"

#include "resource.h"

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialogEx(IDD_ABOUTBOX, pParent) {}

CString CAboutDlg::VersionLine() {
  CString line = L"Scrivel";
  HRSRC found = ::FindResourceW(AfxGetResourceHandle(), MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
  HGLOBAL loaded = found ? ::LoadResource(AfxGetResourceHandle(), found) : nullptr;
  const BYTE* block = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
  // The fixed part of the version block sits after its "VS_VERSION_INFO" key, 32-bit aligned.
  const DWORD size = found ? ::SizeofResource(AfxGetResourceHandle(), found) : 0;
  const DWORD offset = 40;
  if (block && size >= offset + sizeof(VS_FIXEDFILEINFO)) {
    VS_FIXEDFILEINFO info;
    memcpy(&info, block + offset, sizeof(info));
    if (info.dwSignature == 0xFEEF04BD) {
      CString version;
      version.Format(L", %u.%u.%u", HIWORD(info.dwFileVersionMS), LOWORD(info.dwFileVersionMS),
                     HIWORD(info.dwFileVersionLS));
      line += version;
    }
  }
  return line;
}

BOOL CAboutDlg::OnInitDialog() {
  CDialogEx::OnInitDialog();
  SetDlgItemText(IDC_ABOUT_VERSION, VersionLine());
  return TRUE;
}

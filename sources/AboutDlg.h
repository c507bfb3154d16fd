// The about box: the program's name and version over the banner picture, with the maker's support
// page and web site as links.
#pragma once
#include "Framework.h"

#include "Label.h"

class CAboutDlg : public CDialogEx {
 public:
  enum { kWidth = 500 };  // pixels at 96 dots per inch
  explicit CAboutDlg(CWnd* parent = nullptr);

  CLabel& GetVersionLabel() { return m_version; }
  CLabel& GetSupportLabel() { return m_support; }
  CLabel& GetWebsiteLabel() { return m_website; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

  CLabel m_version;
  CLabel m_support;
  CLabel m_website;
};

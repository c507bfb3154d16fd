// The about box: the program's icon, name and version.
#pragma once
#include "Framework.h"

class CAboutDlg : public CDialogEx {
 public:
  explicit CAboutDlg(CWnd* pParent = nullptr);
  // "Scrivel, version 2.78.3" from the program's version resource.
  static CString VersionLine();

 protected:
  BOOL OnInitDialog() override;
};

// The "Auto backup" page of the options: whether the documents folder is backed up automatically,
// when (on every close or once a week) and into which archive. The switch and the schedule are
// written when the page goes, whichever button closed the sheet; a path chosen with Browse at once.
#pragma once
#include "Framework.h"

class COptionsPropPageBackup : public CPropertyPage {
 public:
  COptionsPropPageBackup();
  ~COptionsPropPageBackup() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnBnClickedCheckAutoBackup();
  afx_msg void OnBnClickedBrowse();
  afx_msg void OnModified();
  DECLARE_MESSAGE_MAP()

 private:
  int m_autoBackup = 0;
  int m_onClose = 0;
  CString m_path;
};

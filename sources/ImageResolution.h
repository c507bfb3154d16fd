// Image > Resolution: the dots per inch of the page image.
#pragma once
#include "Framework.h"

class CImageResolution : public CDialogEx {
 public:
  explicit CImageResolution(CWnd* parent = nullptr);

  void SetResolution(int resolution);
  // After OK: the typed resolution, never negative; 0 when it cannot be read.
  int GetResolution();

 protected:
  DECLARE_MESSAGE_MAP()
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnEditchangeComboImageResolution();

 private:
  CString m_resolutionText;
};

// The "PDF" page of the options: the defaults of PDF export, on two tabs ("Output" and "Viewer
// preferences"), over the frame's two PDF option records.
#pragma once
#include "Framework.h"

#include "FrameOptions.h"

class CMainFrame;

class COptionsPropPagePDF : public CPropertyPage {
 public:
  explicit COptionsPropPagePDF(CMainFrame* frame);
  ~COptionsPropPagePDF() override;
  // The page's values into the frame's records.
  void UpdateOptions();
  // The controls of a tab (0 Output, 1 Viewer preferences).
  static const int* GroupControls(int group, int& count);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL OnApply() override;
  afx_msg void OnModified();
  afx_msg void OnSelchangeTab(NMHDR* header, LRESULT* result);
  DECLARE_MESSAGE_MAP()

 private:
  void ShowCtrlsGroup(int group, BOOL show);

  CMainFrame* m_frame;
  _PDF_OPTIONS m_options;
  _PDF_OPTIONS2 m_options2;
  int m_currentTab = 0;
};

// The "Virtual Printer" page of the options: the page format the virtual printer hands pages over
// in (0 EMF, 1 PNG), written to the profile at once on OK or Apply.
#pragma once
#include "Framework.h"

class COptionsPropPageVirtualPrinter : public CPropertyPage {
 public:
  COptionsPropPageVirtualPrinter();
  ~COptionsPropPageVirtualPrinter() override;
  void UpdateOptions();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
  BOOL OnApply() override;
  afx_msg void OnModified();
  DECLARE_MESSAGE_MAP()

 private:
  int m_format = 1;
};

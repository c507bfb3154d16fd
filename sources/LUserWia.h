// The application's WIA host: shows the transfer's progress in its dialog, lets the user cancel
// between pages and turns every page that arrives in memory into a document of its own.
#pragma once
#include "Imaging.h"
#include "ProgressDlg.h"

class LUserWia : public LWia {
 public:
  LUserWia();
  ~LUserWia() override;

  CProgressDlg m_progress;

  // Public for the tests, which drive a transfer's reports by hand.
  int AcquireCallBack(pBITMAPHANDLE pBitmap, LPCWSTR pszFile, int nPercent, UINT uFlags) override;
};

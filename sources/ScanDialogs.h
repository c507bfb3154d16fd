// The small dialogs of the scanning commands: the TWAIN feeder mode and the WIA feeder or flatbed
// choice.
#pragma once
#include "Framework.h"

#include "resource.h"

// "TWAIN Setup": 0 manual feeder, 1 autofeed.
class CTwainSetupDlg : public CDialogEx {
 public:
  enum { IDD = IDD_TWAIN_SETUP };
  explicit CTwainSetupDlg(CWnd* parent = nullptr);
  int GetFeederMode() const { return m_feederMode; }

  int m_feederMode = 0;  // preset by the caller, read after OK

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};

// "Acquire Source:" with "Feeder" and "Flatbed"; OK and a double click set the application's
// feeder-chosen flag (1 for the feeder).
class CAcquireSourceDlg : public CDialog {
 public:
  enum { IDD = IDD_ACQUIRE_SOURCE };
  explicit CAcquireSourceDlg(CWnd* parent = nullptr);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnDblclkList();
  DECLARE_MESSAGE_MAP()

 private:
  void StoreChoice();
  CListBox m_list;
};

// "Transferring...": the modeless window shown while a WIA device hands over its pages. The WIA
// host writes its line and moves its bar; Cancel sets the application's transfer-cancel flag.
#pragma once
#include "Framework.h"

#include "resource.h"

class CProgressDlg : public CDialog {
 public:
  enum { IDD = IDD_TRANSFER_PROGRESS };
  explicit CProgressDlg(CWnd* parent = nullptr);
  // Modeless, from its own template, without a parent window.
  BOOL Create();

  CProgressCtrl m_progress;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnCancel() override;
};

// The quality of a JPEG file being written, kept in the main frame's options.
#pragma once
#include "Framework.h"

class CJPEGOptions : public CDialogEx {
 public:
  explicit CJPEGOptions(CWnd* parent = nullptr);

  // The index of "10" ... "90" (0 to 8).
  int GetQuality() const { return m_quality; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  int m_quality;
};

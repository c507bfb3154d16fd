// The bits per pixel of an image file being written.
#pragma once
#include "Framework.h"

class CBitDepthDialog : public CDialogEx {
 public:
  explicit CBitDepthDialog(CWnd* parent = nullptr);

  void SetBitDepth(int bitsPerPixel);
  // After OK.
  int GetBitDepth() const;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnHelp();
  DECLARE_MESSAGE_MAP()

 private:
  int m_depthIndex = -1;  // no radio checked before a preset
};

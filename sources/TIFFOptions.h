// The compression and bits per pixel of a TIFF file being written. The compression is kept in the
// main frame's options, the bits in the setting "LastUsedBitsPerPixel".
#pragma once
#include "Framework.h"

class CTIFFOptions : public CDialogEx {
 public:
  explicit CTIFFOptions(CWnd* parent = nullptr);

  enum { kUncompressed = 0, kPackbits = 1, kLZW = 2, kFax = 3 };
  // After OK.
  int GetCompression() const { return m_compression; }
  int GetBitsPerPixel() const;

 protected:
  DECLARE_MESSAGE_MAP()
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnRadioUncompressed();
  afx_msg void OnRadioPackbits();
  afx_msg void OnRadioLZW();
  afx_msg void OnRadio1BitFaxFormat();

 private:
  // Fax pages are 1 bit: the other depths are locked while that compression is chosen.
  void OnCompressionTypeChange();

  int m_compression;
  int m_depthIndex;
};

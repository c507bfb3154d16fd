// Image > Resize: a new printed size for the page image, given as a new resolution for the same
// pixels. Width and height keep the image's aspect ratio.
#pragma once
#include "Framework.h"

class CResizeDlg : public CDialogEx {
 public:
  explicit CResizeDlg(CWnd* parent = nullptr);

  // 0, showing nothing, when a size or resolution of the image is 0. The page sizes are in pixels at
  // the image's resolution.
  int Init(int imageWidth, int imageHeight, int resolutionX, int resolutionY, int pageWidth, int pageHeight,
           int printableWidth, int printableHeight);
  // After OK: the resolution that gives the chosen size (the current one for an unusable size), and
  // whether the image goes to the printable area's origin.
  void GetNewResolution(SIZE& resolution, BOOL& fitToPrintable);

  enum { kInches = 0, kMillimetres = 1 };
  enum { kFitToPage = 0, kFitToPrintable = 1, kUserDefined = 2 };

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnChangeResizeEditHeight();
  afx_msg void OnChangeResizeEditWidth();
  afx_msg void OnResizeInches();
  afx_msg void OnResizeMm();
  afx_msg void OnResizeFitToPage();
  afx_msg void OnResizeFitToPrintable();
  afx_msg void OnResizeUserDefined();
  DECLARE_MESSAGE_MAP()

 private:
  void EnableWHEdits(BOOL enable);
  // The pixel size in the current unit, into the two texts.
  void ShowSize(double widthPixels, double heightPixels);
  void FitTo(int width, int height);
  // Both texts as sizes above zero.
  BOOL ReadSize(double& width, double& height) const;
  void ConvertTexts(double factor);
  double UnitsPerPixel(int resolution) const;

  int m_imageWidth = 0, m_imageHeight = 0;
  int m_resolutionX = 0, m_resolutionY = 0;
  double m_aspectRatio = 1;
  int m_pageWidth = 0, m_pageHeight = 0, m_printableWidth = 0, m_printableHeight = 0;
  CEdit m_widthEdit, m_heightEdit;
  int m_unit = kInches;
  CString m_heightText, m_widthText;
  int m_sizeMode = kUserDefined;
  // Set while the dialog writes one text from the other, so the two do not answer each other.
  BOOL m_updating = FALSE;
};

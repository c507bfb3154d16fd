// File > Page Setup: each page's paper format, size and orientation, and the document's printer
// preferences, edited on copies that reach the document only at OK.
#pragma once
#include "Framework.h"

#include <vector>

#include "DocOptions.h"

class CFolimarDoc;

class CPageSetup : public CDialogEx {
 public:
  explicit CPageSetup(CWnd* parent = nullptr);
  ~CPageSetup() override;

  // The printer preferences as the dialog holds them.
  void BuildPrinterPreferences(_PRINTER_PREFERENCES& preferences);

  enum { kPortrait = 0, kLandscape = 1 };

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnSelchangePageList();
  afx_msg void OnDropdownPageList();
  afx_msg void OnSelchangeFormat();
  afx_msg void OnOrientation();
  afx_msg void OnLoadPrinterPreferences();
  afx_msg void OnLoadPageSettings();
  afx_msg void OnSavePrinterPreferences();
  afx_msg void OnHelp();
  DECLARE_MESSAGE_MAP()

 private:
  void SetPrinterPreferencesAndPageSettings();
  // Name, port, resolution, scale, copies and source with their texts.
  void TakePrinterFields(const _PRINTER_PREFERENCES& preferences);
  void SetPaperSize();
  void SetCheckmarks();
  void CopyFromAttributesToPageSettings();
  // Width and height in inches of the page shown: the table row's (turned for landscape), or the
  // typed custom size.
  void GetPageSize(double& width, double& height);
  void GetCustomSize(double& width, double& height);
  // The printer's form as the twelfth format entry, replacing an earlier one.
  void ShowPrinterForm(const wchar_t* formName);
  _PAGE_SETTINGS* SelectedEntry();

  CFolimarDoc* m_doc = nullptr;
  int m_activePage = 0;
  std::vector<_PAGE_SETTINGS*> m_pageSettings;

  int m_orientation = kPortrait;
  int m_paperIndex = 0;
  CString m_widthText, m_heightText;
  double m_customWidth = 0, m_customHeight = 0;
  short m_paperSize = 0;
  wchar_t m_formName[32] = {};

  CString m_resolutionText, m_printerName, m_printerPort, m_copiesText, m_sourceText, m_scaleText;
  short m_printQuality = 0, m_yResolution = 0, m_scale = 0, m_copies = 0, m_defaultSource = 0;
  int m_savePreferences = 0;
  int m_applyToPrinter = 0;
  BOOL m_initialised = FALSE;
};

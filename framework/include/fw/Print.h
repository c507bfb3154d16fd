// Printing: the print dialog with its DEVMODE/DEVNAMES handles, the print information the view's
// printing protocol passes around, and the application's printer defaults.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include "fw/Dc.h"

class CWnd;

class FW_API CPrintDialog {
 public:
  explicit CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                                              PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                        CWnd* pParentWnd = nullptr);
  virtual ~CPrintDialog();
  virtual INT_PTR DoModal();
  // Fills m_pd with the application's printer (or the system default) without showing anything.
  BOOL GetDefaults();
  HDC CreatePrinterDC();
  HDC GetPrinterDC() const { return m_pd.hDC; }
  LPDEVMODEW GetDevMode() const;
  CString GetDriverName() const;
  CString GetDeviceName() const;
  CString GetPortName() const;
  int GetCopies() const;
  BOOL PrintAll() const { return (m_pd.Flags & (PD_PAGENUMS | PD_SELECTION)) == 0; }
  BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
  int GetFromPage() const { return m_pd.nFromPage; }
  int GetToPage() const { return m_pd.nToPage; }

  PRINTDLGW m_pd;

 private:
  CPrintDialog(const CPrintDialog&) = delete;
  CPrintDialog& operator=(const CPrintDialog&) = delete;
};

// What the view's printing steps share about one print job.
class FW_API CPrintInfo {
 public:
  CPrintInfo();
  ~CPrintInfo();
  void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = static_cast<WORD>(nMinPage); }
  void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(nMaxPage); }
  UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
  UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
  UINT GetFromPage() const { return m_pPD->m_pd.nFromPage; }
  UINT GetToPage() const { return m_pPD->m_pd.nToPage; }
  UINT GetOffsetPage() const { return m_nOffsetPage; }

  CPrintDialog* m_pPD;
  BOOL m_bDocObject = FALSE;
  BOOL m_bDirect = FALSE;      // print without showing the dialog
  BOOL m_bPreview = FALSE;
  BOOL m_bContinuePrinting = TRUE;
  UINT m_nCurPage = 1;
  UINT m_nNumPreviewPages = 1;
  UINT m_nOffsetPage = 0;
  LPVOID m_lpUserData = nullptr;
  CRect m_rectDraw;
  CString m_strPageDesc;

 private:
  CPrintInfo(const CPrintInfo&) = delete;
  CPrintInfo& operator=(const CPrintInfo&) = delete;
};

// The application's printer: DEVMODE and DEVNAMES global handles, owned by the framework. Setting
// new handles frees the old ones.
FW_API void AFXAPI AfxGetPrinterHandles(HGLOBAL* phDevMode, HGLOBAL* phDevNames);
// The handles replaced are freed unless `freeOld` is FALSE (their owner has freed or kept them).
FW_API void AFXAPI AfxSetPrinterHandles(HGLOBAL hDevMode, HGLOBAL hDevNames, BOOL freeOld = TRUE);


// Property sheets and their pages over the common-controls property sheet, in normal and wizard
// mode. Each page is a dialog from a dialog resource with data exchange: it loads its controls when
// first shown and stores them when the user leaves it or presses OK (Apply).
#pragma once
#include <windows.h>
#include <prsht.h>

#include <vector>

#include "fw/Dialog.h"

class FW_API CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)
 public:
  CPropertyPage();
  explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
  ~CPropertyPage() override;

  void SetModified(BOOL bChanged = TRUE);
  virtual BOOL OnSetActive();
  virtual BOOL OnKillActive();
  virtual BOOL OnApply();
  virtual void OnReset();
  virtual BOOL OnQueryCancel();
  virtual LRESULT OnWizardBack();
  virtual LRESULT OnWizardNext();
  virtual BOOL OnWizardFinish();
  void OnOK() override;
  void OnCancel() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  PROPSHEETPAGEW m_psp;
  CString m_strCaption;
  BOOL m_bFirstSetActive = TRUE;  // OnInitDialog loaded the controls already
};

class FW_API CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)
 public:
  CPropertySheet();
  explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  ~CPropertySheet() override;

  void AddPage(CPropertyPage* pPage);
  void RemovePage(CPropertyPage* pPage);
  void RemovePage(int nPage);
  int GetPageCount() const;
  CPropertyPage* GetPage(int nPage) const;
  int GetPageIndex(CPropertyPage* pPage) const;
  CPropertyPage* GetActivePage() const;
  int GetActiveIndex() const;
  BOOL SetActivePage(int nPage);
  BOOL SetActivePage(CPropertyPage* pPage);
  void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
  void SetWizardMode();
  BOOL IsWizard() const;
  void SetWizardButtons(DWORD dwFlags);
  void SetFinishText(LPCTSTR lpszText);
  BOOL PressButton(int nButton);
  CWnd* GetTabControl() const;
  void EndDialog(int nEndID);

  // Modal: IDOK or IDCANCEL (ID_WIZFINISH when a wizard finishes), -1 when it cannot be shown.
  virtual INT_PTR DoModal();
  // Modeless.
  virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);
  // Called once the sheet's window exists and belongs to this object, before it is shown: the place
  // for a derived sheet to adjust its window. The return value is ignored.
  virtual BOOL OnInitDialog() { return TRUE; }

  PROPSHEETHEADERW m_psh;
  CString m_strCaption;
  CWnd* m_pParentWnd = nullptr;

 protected:
  // Fills m_psh with one page handle per page (in m_handles); FALSE when a page cannot be made.
  BOOL BuildHeader(CWnd* pParentWnd);
  std::vector<CPropertyPage*> m_pages;
  std::vector<HPROPSHEETPAGE> m_handles;
  UINT m_nStartPage = 0;
};

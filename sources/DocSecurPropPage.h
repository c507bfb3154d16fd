// The "PDF Security" page of the document properties: the passwords (kept scrambled in the options
// block), the permissions and the key length used when the document is exported to PDF.
#pragma once
#include "Framework.h"

#include "DocOptions.h"

class CDocSecurPropPage : public CPropertyPage {
 public:
  CDocSecurPropPage();
  ~CDocSecurPropPage() override;

  void SetOptions(const _DOC_OPTIONS& options);
  BOOL GetOptions(_DOC_OPTIONS& options);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL OnApply() override;
  afx_msg void OnChangeState();
  afx_msg void OnModified();
  DECLARE_MESSAGE_MAP()

 private:
  // Enables each control by the three switches.
  void OnUpdateControls();
  // The passwords are entered and confirmed, or switched off by the user; asks or tells otherwise.
  BOOL DataIsCorrect();
  // One password's check: `entered` asks to switch it off when it is empty.
  BOOL PasswordIsCorrect(int& enabled, const CString& password, const CString& confirmation, UINT notEntered,
                         UINT notConfirmed);

  int m_securityOn = 0;
  int m_userPasswordOn = 0, m_ownerPasswordOn = 0;
  CString m_userPassword, m_userConfirmation, m_ownerPassword, m_ownerConfirmation;
  int m_allowCopy = 0, m_allowAnnotations = 0, m_allowModify = 0, m_allowPrinting = 0;
  int m_keyLengthIndex = 0;
};

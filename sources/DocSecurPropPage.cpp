#include "DocSecurPropPage.h"

#include "DocSecurity.h"
#include "ErrorLog.h"
#include "MyProcs.h"
#include "resource.h"

namespace {
const int kMaxPasswordCharacters = 20;
// Blocks before this format tag stored no key length.
const uint32_t kKeyLengthFormatTag = 0x01000002;
enum { kUserPasswordOn, kOwnerPasswordOn, kSecurityOn, kAllowCopy, kAllowAnnotations, kAllowModify, kAllowPrinting };

CString Decode(const wchar_t* slot) {
  CString text;
  GetDecodeString(text, kPasswordKey, slot, kPasswordSlotUnits);
  return text;
}
}  // namespace

BEGIN_MESSAGE_MAP(CDocSecurPropPage, CPropertyPage)
  ON_BN_CLICKED(IDC_CHECK_PDF_SECURITY, OnChangeState)
  ON_BN_CLICKED(IDC_CHECK_USER_PASSWORD, OnChangeState)
  ON_BN_CLICKED(IDC_CHECK_OWNER_PASSWORD, OnChangeState)
  ON_EN_CHANGE(IDC_EDIT_USER_PASSWORD, OnModified)
  ON_EN_CHANGE(IDC_EDIT_USER_CONFIRM, OnModified)
  ON_EN_CHANGE(IDC_EDIT_OWNER_PASSWORD, OnModified)
  ON_EN_CHANGE(IDC_EDIT_OWNER_CONFIRM, OnModified)
  ON_BN_CLICKED(IDC_CHECK_ALLOW_COPY, OnModified)
  ON_BN_CLICKED(IDC_CHECK_ALLOW_ANNOTATIONS, OnModified)
  ON_BN_CLICKED(IDC_CHECK_ALLOW_MODIFY, OnModified)
  ON_BN_CLICKED(IDC_CHECK_ALLOW_PRINTING, OnModified)
  ON_CBN_SELCHANGE(IDC_COMBO_KEY_LENGTH, OnModified)
END_MESSAGE_MAP()

CDocSecurPropPage::CDocSecurPropPage() : CPropertyPage(IDD_DOC_SECURITY, IDS_TAB_PDF_SECURITY) {}
CDocSecurPropPage::~CDocSecurPropPage() = default;

void CDocSecurPropPage::SetOptions(const _DOC_OPTIONS& options) {
  DEF_TRY
  m_securityOn = options.security[kSecurityOn];
  m_userPassword = Decode(options.userPassword);
  m_userConfirmation = Decode(options.userPasswordConfirm);
  m_ownerPassword = Decode(options.ownerPassword);
  m_ownerConfirmation = Decode(options.ownerPasswordConfirm);
  // A password that reads as empty shows as switched off.
  m_userPasswordOn = m_userPassword.IsEmpty() ? 0 : options.security[kUserPasswordOn];
  if (m_userPassword.IsEmpty()) m_userConfirmation.Empty();
  m_ownerPasswordOn = m_ownerPassword.IsEmpty() ? 0 : options.security[kOwnerPasswordOn];
  if (m_ownerPassword.IsEmpty()) m_ownerConfirmation.Empty();
  m_allowCopy = options.security[kAllowCopy];
  m_allowAnnotations = options.security[kAllowAnnotations];
  m_allowModify = options.security[kAllowModify];
  m_allowPrinting = options.security[kAllowPrinting];
  m_keyLengthIndex = options.formatTag >= kKeyLengthFormatTag ? options.keyLengthIndex : 0;
  if (m_hWnd != nullptr) UpdateData(FALSE);
  DEF_CATCH("CDocSecurPropPage::SetOptions")
}

BOOL CDocSecurPropPage::GetOptions(_DOC_OPTIONS& options) {
  DEF_TRY
  if (m_hWnd != nullptr && !UpdateData(TRUE)) return FALSE;
  GetEncodeString(m_userPassword, kPasswordKey, options.userPassword, kPasswordSlotUnits);
  GetEncodeString(m_userConfirmation, kPasswordKey, options.userPasswordConfirm, kPasswordSlotUnits);
  GetEncodeString(m_ownerPassword, kPasswordKey, options.ownerPassword, kPasswordSlotUnits);
  GetEncodeString(m_ownerConfirmation, kPasswordKey, options.ownerPasswordConfirm, kPasswordSlotUnits);
  options.security[kUserPasswordOn] = m_userPasswordOn;
  options.security[kOwnerPasswordOn] = m_ownerPasswordOn;
  options.security[kSecurityOn] = m_securityOn;
  options.security[kAllowCopy] = m_allowCopy;
  options.security[kAllowAnnotations] = m_allowAnnotations;
  options.security[kAllowModify] = m_allowModify;
  options.security[kAllowPrinting] = m_allowPrinting;
  options.keyLengthIndex = m_keyLengthIndex;
  return TRUE;
  DEF_CATCH("CDocSecurPropPage::GetOptions")
  return FALSE;
}

void CDocSecurPropPage::DoDataExchange(CDataExchange* pDX) {
  DEF_TRY
  CPropertyPage::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_CHECK_PDF_SECURITY, m_securityOn);
  DDX_Check(pDX, IDC_CHECK_USER_PASSWORD, m_userPasswordOn);
  DDX_Text(pDX, IDC_EDIT_USER_PASSWORD, m_userPassword);
  DDV_MaxChars(pDX, m_userPassword, kMaxPasswordCharacters);
  DDX_Text(pDX, IDC_EDIT_USER_CONFIRM, m_userConfirmation);
  DDV_MaxChars(pDX, m_userConfirmation, kMaxPasswordCharacters);
  DDX_Check(pDX, IDC_CHECK_OWNER_PASSWORD, m_ownerPasswordOn);
  DDX_Text(pDX, IDC_EDIT_OWNER_PASSWORD, m_ownerPassword);
  DDV_MaxChars(pDX, m_ownerPassword, kMaxPasswordCharacters);
  DDX_Text(pDX, IDC_EDIT_OWNER_CONFIRM, m_ownerConfirmation);
  DDV_MaxChars(pDX, m_ownerConfirmation, kMaxPasswordCharacters);
  DDX_Check(pDX, IDC_CHECK_ALLOW_COPY, m_allowCopy);
  DDX_Check(pDX, IDC_CHECK_ALLOW_ANNOTATIONS, m_allowAnnotations);
  DDX_Check(pDX, IDC_CHECK_ALLOW_MODIFY, m_allowModify);
  DDX_Check(pDX, IDC_CHECK_ALLOW_PRINTING, m_allowPrinting);
  DDX_CBIndex(pDX, IDC_COMBO_KEY_LENGTH, m_keyLengthIndex);
  DEF_CATCH("CDocSecurPropPage::DoDataExchange")
}

BOOL CDocSecurPropPage::OnInitDialog() {
  DEF_TRY
  CComboBox* keyLength = static_cast<CComboBox*>(GetDlgItem(IDC_COMBO_KEY_LENGTH));
  keyLength->AddString(L"40 bit");
  keyLength->AddString(L"128 bit");
  CPropertyPage::OnInitDialog();
  OnUpdateControls();
  DEF_CATCH("CDocSecurPropPage::OnInitDialog")
  return TRUE;
}

void CDocSecurPropPage::OnUpdateControls() {
  DEF_TRY
  UpdateData(TRUE);
  const BOOL on = m_securityOn != 0;
  for (int id : {IDC_CHECK_USER_PASSWORD, IDC_CHECK_OWNER_PASSWORD, IDC_GROUP_PDF_PROTECTION, IDC_CHECK_ALLOW_COPY,
                 IDC_CHECK_ALLOW_ANNOTATIONS, IDC_CHECK_ALLOW_MODIFY, IDC_CHECK_ALLOW_PRINTING, IDC_GROUP_ENCRYPTION,
                 IDC_STATIC_KEY_LENGTH, IDC_COMBO_KEY_LENGTH})
    GetDlgItem(id)->EnableWindow(on);
  for (int id : {IDC_EDIT_USER_PASSWORD, IDC_EDIT_USER_CONFIRM, IDC_STATIC_USER_CONFIRM})
    GetDlgItem(id)->EnableWindow(on && m_userPasswordOn);
  for (int id : {IDC_EDIT_OWNER_PASSWORD, IDC_EDIT_OWNER_CONFIRM, IDC_STATIC_OWNER_CONFIRM})
    GetDlgItem(id)->EnableWindow(on && m_ownerPasswordOn);
  DEF_CATCH("CDocSecurPropPage::OnUpdateControls")
}

void CDocSecurPropPage::OnChangeState() {
  OnUpdateControls();
  SetModified(TRUE);
}

void CDocSecurPropPage::OnModified() { SetModified(TRUE); }

BOOL CDocSecurPropPage::PasswordIsCorrect(int& enabled, const CString& password, const CString& confirmation,
                                          UINT notEntered, UINT notConfirmed) {
  if (enabled && password.IsEmpty()) {
    if (CaptionBox(CString(MAKEINTRESOURCE(notEntered)), CString(MAKEINTRESOURCE(IDS_CAPTION_WARNING)),
                   MB_YESNO | MB_ICONQUESTION) != IDYES)
      return FALSE;
    enabled = 0;
    UpdateData(FALSE);
    OnUpdateControls();
    SetModified(TRUE);
  }
  if (enabled && password != confirmation) {
    CaptionBox(CString(MAKEINTRESOURCE(notConfirmed)), CString(MAKEINTRESOURCE(IDS_CAPTION_ERROR)),
               MB_OK | MB_ICONERROR);
    return FALSE;
  }
  return TRUE;
}

BOOL CDocSecurPropPage::DataIsCorrect() {
  DEF_TRY
  if (!UpdateData(TRUE)) return FALSE;
  if (!m_securityOn) return TRUE;
  return PasswordIsCorrect(m_userPasswordOn, m_userPassword, m_userConfirmation, IDS_USER_PASSWORD_NOT_ENTERED,
                           IDS_USER_PASSWORD_NOT_CONFIRMED) &&
         PasswordIsCorrect(m_ownerPasswordOn, m_ownerPassword, m_ownerConfirmation, IDS_OWNER_PASSWORD_NOT_ENTERED,
                           IDS_OWNER_PASSWORD_NOT_CONFIRMED);
  DEF_CATCH("CDocSecurPropPage::DataIsCorrect")
  return FALSE;
}

void CDocSecurPropPage::OnOK() {
  DEF_TRY
  if (DataIsCorrect()) CPropertyPage::OnOK();
  DEF_CATCH("CDocSecurPropPage::OnOK")
}

BOOL CDocSecurPropPage::OnApply() {
  DEF_TRY
  if (!DataIsCorrect()) return FALSE;
  SetModified(FALSE);
  CPropertyPage::OnOK();
  return TRUE;
  DEF_CATCH("CDocSecurPropPage::OnApply")
  return FALSE;
}

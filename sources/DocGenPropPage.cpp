#include "DocGenPropPage.h"

#include "ErrorLog.h"
#include "resource.h"

namespace {
// The fields hold 255 units with their terminating zero.
const int kMaxTextCharacters = 254;

void CopyField(wchar_t (&field)[255], const CString& text) { lstrcpynW(field, text, _countof(field)); }
}  // namespace

BEGIN_MESSAGE_MAP(CDocGenPropPage, CPropertyPage)
  ON_EN_CHANGE(IDC_EDIT_FORM_NAME, OnChange)
  ON_EN_CHANGE(IDC_EDIT_AUTHOR, OnChange)
  ON_EN_CHANGE(IDC_EDIT_SUBJECT, OnChange)
  ON_EN_CHANGE(IDC_EDIT_KEYWORDS, OnChange)
END_MESSAGE_MAP()

CDocGenPropPage::CDocGenPropPage() : CPropertyPage(IDD_DOC_GENERAL, IDS_TAB_GENERAL) {}
CDocGenPropPage::~CDocGenPropPage() = default;

void CDocGenPropPage::SetOptions(const _DOC_OPTIONS& options) {
  DEF_TRY
  m_formName = options.formName;
  m_author = options.author;
  m_subject = options.subject;
  m_keywords = options.keywords;
  if (m_hWnd != nullptr) UpdateData(FALSE);
  DEF_CATCH("CDocGenPropPage::SetOptions")
}

BOOL CDocGenPropPage::GetOptions(_DOC_OPTIONS& options) {
  DEF_TRY
  if (m_hWnd != nullptr && !UpdateData(TRUE)) return FALSE;
  CopyField(options.formName, m_formName);
  CopyField(options.author, m_author);
  CopyField(options.subject, m_subject);
  CopyField(options.keywords, m_keywords);
  return TRUE;
  DEF_CATCH("CDocGenPropPage::GetOptions")
  return FALSE;
}

void CDocGenPropPage::DoDataExchange(CDataExchange* pDX) {
  DEF_TRY
  CPropertyPage::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_EDIT_FORM_NAME, m_formName);
  DDV_MaxChars(pDX, m_formName, kMaxTextCharacters);
  DDX_Text(pDX, IDC_EDIT_AUTHOR, m_author);
  DDV_MaxChars(pDX, m_author, kMaxTextCharacters);
  DDX_Text(pDX, IDC_EDIT_SUBJECT, m_subject);
  DDV_MaxChars(pDX, m_subject, kMaxTextCharacters);
  DDX_Text(pDX, IDC_EDIT_KEYWORDS, m_keywords);
  DDV_MaxChars(pDX, m_keywords, kMaxTextCharacters);
  DEF_CATCH("CDocGenPropPage::DoDataExchange")
}

BOOL CDocGenPropPage::OnInitDialog() {
  DEF_TRY
  return CPropertyPage::OnInitDialog();
  DEF_CATCH("CDocGenPropPage::OnInitDialog")
  return TRUE;
}

BOOL CDocGenPropPage::OnApply() {
  DEF_TRY
  SetModified(FALSE);
  return CPropertyPage::OnApply();
  DEF_CATCH("CDocGenPropPage::OnApply")
  return FALSE;
}

void CDocGenPropPage::OnChange() { SetModified(TRUE); }

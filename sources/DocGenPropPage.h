// The "General" page of the document properties: form name, author, subject and keywords.
#pragma once
#include "Framework.h"

#include "DocOptions.h"

class CDocGenPropPage : public CPropertyPage {
 public:
  CDocGenPropPage();
  ~CDocGenPropPage() override;

  // From the options block into the page (and its controls when it is shown).
  void SetOptions(const _DOC_OPTIONS& options);
  // Back into the options block; FALSE when the shown controls cannot be read.
  BOOL GetOptions(_DOC_OPTIONS& options);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  BOOL OnApply() override;
  afx_msg void OnChange();
  DECLARE_MESSAGE_MAP()

 private:
  CString m_formName, m_author, m_subject, m_keywords;
};

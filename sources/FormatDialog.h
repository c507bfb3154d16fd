// The number format of a text field: plain text, a number, a currency amount or an index number,
// with decimal places and digit grouping, and a live sample in the user's locale. It edits a copy of
// the field's property record, so Cancel leaves the caller's record as it was.
#pragma once
#include "Framework.h"

#include "FieldProperties.h"

class CFormatDialog : public CDialogEx {
 public:
  // `indexNumber` non-zero offers the category "Index number" as well.
  CFormatDialog(const _PROPERTIES& properties, int indexNumber, CWnd* parent = nullptr);
  ~CFormatDialog() override;

  // The edited record; read it after DoModal returned OK.
  _PROPERTIES GetNumberFormat() const { return m_properties; }

  enum { kText = 0, kNumeric = 1, kCurrency = 2, kIndexNumber = 3 };
  enum { kMaxDecimals = 9 };

 protected:
  DECLARE_MESSAGE_MAP()
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnLbnSelchangeListCategory();
  afx_msg void OnDeltaposSpinDecimal(NMHDR* header, LRESULT* result);
  afx_msg void OnEnChangeEditDecimal();
  afx_msg void OnBnClickedCheckGrouping();

 private:
  void MakeSampleString();
  void ShowNumericItems(BOOL show);
  void ShowCurrencyItems(BOOL show);
  void SetDecimals(int decimals);

  _PROPERTIES m_properties;
  int m_indexNumber;
  CSpinButtonCtrl m_spin;
  BOOL m_initialised = FALSE;
};

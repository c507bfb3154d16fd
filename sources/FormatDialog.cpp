#include "FormatDialog.h"

#include <algorithm>

#include "ErrorLog.h"
#include "MyProcs.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CFormatDialog, CDialogEx)
  ON_LBN_SELCHANGE(IDC_LIST_CATEGORY, OnLbnSelchangeListCategory)
  ON_NOTIFY(UDN_DELTAPOS, IDC_SPIN_DECIMAL, OnDeltaposSpinDecimal)
  ON_EN_CHANGE(IDC_EDIT_DECIMAL, OnEnChangeEditDecimal)
  ON_BN_CLICKED(IDC_CHECK_GROUPING, OnBnClickedCheckGrouping)
END_MESSAGE_MAP()

CFormatDialog::CFormatDialog(const _PROPERTIES& properties, int indexNumber, CWnd* parent)
    : CDialogEx(IDD_FORMAT, parent), m_properties(properties), m_indexNumber(indexNumber) {
  // The check box knows only on and off.
  if (m_properties.grouping != 0) m_properties.grouping = 1;
}

CFormatDialog::~CFormatDialog() = default;

void CFormatDialog::DoDataExchange(CDataExchange* pDX) {
  DEF_TRY
  CDialogEx::DoDataExchange(pDX);
  // A category the list does not offer (an index number where none is offered) shows no selection;
  // reading that back keeps the record's category rather than storing "none".
  int category = m_properties.formatCategory;
  DDX_LBIndex(pDX, IDC_LIST_CATEGORY, category);
  if (category >= 0) m_properties.formatCategory = category;
  DDX_Check(pDX, IDC_CHECK_GROUPING, m_properties.grouping);
  DEF_CATCH("CFormatDialog::DoDataExchange")
}

BOOL CFormatDialog::OnInitDialog() {
  DEF_TRY
  CDialogEx::OnInitDialog();
  m_spin.SubclassDlgItem(IDC_SPIN_DECIMAL, this);
  m_spin.SetRange(0, kMaxDecimals);
  m_spin.SetBuddy(GetDlgItem(IDC_EDIT_DECIMAL));
  m_spin.SetPos(m_properties.decimals);
  CListBox* list = static_cast<CListBox*>(GetDlgItem(IDC_LIST_CATEGORY));
  const UINT names[] = {IDS_FORMAT_TEXT, IDS_FORMAT_NUMERIC, IDS_FORMAT_CURRENCY, IDS_FORMAT_INDEX_NUMBER};
  const int offered = m_indexNumber != 0 ? 4 : 3;
  for (int i = 0; i < offered; ++i) {
    CString name;
    name.LoadString(names[i]);
    list->AddString(name);
  }
  list->SetCurSel(m_properties.formatCategory);
  m_initialised = TRUE;
  OnLbnSelchangeListCategory();
  DEF_CATCH("CFormatDialog::OnInitDialog")
  return TRUE;
}

void CFormatDialog::OnLbnSelchangeListCategory() {
  DEF_TRY
  UpdateData(TRUE);
  switch (m_properties.formatCategory) {
    case kText:
      ShowCurrencyItems(FALSE);
      break;
    case kNumeric:
      ShowNumericItems(TRUE);
      break;
    case kCurrency:
      ShowCurrencyItems(TRUE);
      break;
    case kIndexNumber:
      ShowNumericItems(FALSE);
      break;
  }
  MakeSampleString();
  DEF_CATCH("CFormatDialog::OnLbnSelchangeListCategory")
}

void CFormatDialog::ShowNumericItems(BOOL show) {
  DEF_TRY
  const int command = show ? SW_SHOW : SW_HIDE;
  for (int id : {IDC_EDIT_DECIMAL, IDC_SPIN_DECIMAL, IDC_CHECK_GROUPING, IDC_STATIC_DECIMAL, IDC_STATIC_SAMPLE_LABEL,
                 IDC_STATIC_SAMPLE})
    if (CWnd* control = GetDlgItem(id)) control->ShowWindow(command);
  if (CWnd* grouping = GetDlgItem(IDC_CHECK_GROUPING)) grouping->EnableWindow(TRUE);
  DEF_CATCH("CFormatDialog::ShowNumericItems")
}

void CFormatDialog::ShowCurrencyItems(BOOL show) {
  DEF_TRY
  ShowNumericItems(show);
  if (!show) return;
  // Currency amounts are always grouped.
  if (CWnd* grouping = GetDlgItem(IDC_CHECK_GROUPING)) grouping->EnableWindow(FALSE);
  m_properties.grouping = 1;
  UpdateData(FALSE);
  DEF_CATCH("CFormatDialog::ShowCurrencyItems")
}

void CFormatDialog::MakeSampleString() {
  DEF_TRY
  CString sample;
  if (m_properties.formatCategory == kNumeric) sample = GetFormattedNumber(m_properties);
  else if (m_properties.formatCategory == kCurrency) sample = GetFormattedCurrency(m_properties);
  SetDlgItemText(IDC_STATIC_SAMPLE, sample);
  DEF_CATCH("CFormatDialog::MakeSampleString")
}

void CFormatDialog::SetDecimals(int decimals) {
  m_properties.decimals = std::max(0, std::min(decimals, static_cast<int>(kMaxDecimals)));
  MakeSampleString();
}

void CFormatDialog::OnDeltaposSpinDecimal(NMHDR* header, LRESULT* result) {
  DEF_TRY
  const NMUPDOWN* updown = reinterpret_cast<const NMUPDOWN*>(header);
  SetDecimals(updown->iPos + updown->iDelta);
  DEF_CATCH("CFormatDialog::OnDeltaposSpinDecimal")
  *result = 0;
}

void CFormatDialog::OnEnChangeEditDecimal() {
  DEF_TRY
  // The spin control writes its buddy while the dialog is being set up; that is not typing.
  if (!m_initialised) return;
  CString text;
  GetDlgItemText(IDC_EDIT_DECIMAL, text);
  int decimals = 0;
  if (!StrToInt(text, decimals)) decimals = 0;
  SetDecimals(decimals);
  DEF_CATCH("CFormatDialog::OnEnChangeEditDecimal")
}

void CFormatDialog::OnBnClickedCheckGrouping() {
  DEF_TRY
  m_properties.grouping = IsDlgButtonChecked(IDC_CHECK_GROUPING) ? 1 : 0;
  MakeSampleString();
  DEF_CATCH("CFormatDialog::OnBnClickedCheckGrouping")
}

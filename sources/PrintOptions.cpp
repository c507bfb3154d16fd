#include "PrintOptions.h"

#include "ErrorLog.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "SharedProcs.h"
#include "resource.h"

namespace {
const wchar_t kPrintOptionSetting[] = L"PrintOptionIndex";
const wchar_t kPrintRecordsSetting[] = L"PrintRecordsIndex";
const int kMaxOffsetCharacters = 10;
}  // namespace

BEGIN_MESSAGE_MAP(CPrintOptions, CDialogEx)
  ON_BN_CLICKED(IDC_RADIO_TEXT_ONLY, OnRadioTextOnly)
  ON_BN_CLICKED(IDC_RADIO_TEXT_IMAGE, OnRadioTextImage)
  ON_EN_CHANGE(IDC_EDIT_XPOSITION, OnChangeEditXposition)
  ON_EN_CHANGE(IDC_EDIT_YPOSITION, OnChangeEditYposition)
  ON_BN_CLICKED(IDHELP, OnHelp)
END_MESSAGE_MAP()

CPrintOptions::CPrintOptions(CWnd* parent) : CDialogEx(IDD_PRINT_OPTIONS, parent) {
  DEF_TRY
  m_printUsing = ReadSettingInt(kPrintOptionSetting, kBlankPaper);
  m_records = ReadSettingInt(kPrintRecordsSetting, kCurrentRecord);
  DEF_CATCH("CPrintOptions::CPrintOptions")
}

int CPrintOptions::GetPrintOption() const { return m_printUsing == 1 || m_printUsing == 2 ? m_printUsing : 0; }

void CPrintOptions::DoDataExchange(CDataExchange* pDX) {
  DEF_TRY
  CDialogEx::DoDataExchange(pDX);
  DDX_Radio(pDX, IDC_RADIO_TEXT_ONLY, m_printUsing);
  DDX_Text(pDX, IDC_EDIT_XPOSITION, m_leftOffset);
  DDV_MaxChars(pDX, m_leftOffset, kMaxOffsetCharacters);
  DDX_Text(pDX, IDC_EDIT_YPOSITION, m_topOffset);
  DDV_MaxChars(pDX, m_topOffset, kMaxOffsetCharacters);
  DDX_Radio(pDX, IDC_RADIO_CURRENT_RECORD, m_records);
  DDX_Text(pDX, IDC_EDIT_RECORD_FROM, m_fromText);
  DDX_Text(pDX, IDC_EDIT_RECORD_TO, m_toText);
  if (pDX->m_bSaveAndValidate) EnableTextOffset();
  DEF_CATCH("CPrintOptions::DoDataExchange")
}

BOOL CPrintOptions::OnInitDialog() {
  DEF_TRY
  CDialogEx::OnInitDialog();
  EnableTextOffset();
  EnableDatabaseRecordsOptions();
  m_initialised = TRUE;
  DEF_CATCH("CPrintOptions::OnInitDialog")
  return TRUE;
}

void CPrintOptions::EnableTextOffset() {
  DEF_TRY
  const BOOL preprinted = m_printUsing == kPreprintedForm;
  for (int id : {IDC_EDIT_XPOSITION, IDC_EDIT_YPOSITION})
    if (CWnd* edit = GetDlgItem(id)) edit->EnableWindow(preprinted);
  DEF_CATCH("CPrintOptions::EnableTextOffset")
}

void CPrintOptions::EnableDatabaseRecordsOptions() {
  DEF_TRY
  const BOOL several = m_recordCount > 1;
  for (int id : {IDC_RADIO_ALL_RECORDS, IDC_RADIO_RECORDS_FROM, IDC_EDIT_RECORD_FROM, IDC_EDIT_RECORD_TO})
    if (CWnd* control = GetDlgItem(id)) control->EnableWindow(several);
  if (several) {
    m_fromText = L"1";
    m_toText.Format(L"%d", m_recordCount);
  } else {
    m_records = kCurrentRecord;
  }
  UpdateData(FALSE);
  DEF_CATCH("CPrintOptions::EnableDatabaseRecordsOptions")
}

void CPrintOptions::OnRadioTextOnly() {
  DEF_TRY
  m_printUsing = kPreprintedForm;
  EnableTextOffset();
  DEF_CATCH("CPrintOptions::OnRadioTextOnly")
}

void CPrintOptions::OnRadioTextImage() {
  DEF_TRY
  m_printUsing = kBlankPaper;
  EnableTextOffset();
  DEF_CATCH("CPrintOptions::OnRadioTextImage")
}

void CPrintOptions::ReadOffset(CString& offset, int controlId) {
  // Setting the texts while the dialog starts sends changes too; there is nothing to check yet.
  if (!m_initialised) return;
  const CString previous = offset;
  UpdateData(TRUE);
  double value = 0;
  if (StrToDouble(offset, value)) return;
  offset = previous;
  SetDlgItemText(controlId, previous);
}

void CPrintOptions::OnChangeEditXposition() {
  DEF_TRY
  ReadOffset(m_leftOffset, IDC_EDIT_XPOSITION);
  DEF_CATCH("CPrintOptions::OnChangeEditXposition")
}

void CPrintOptions::OnChangeEditYposition() {
  DEF_TRY
  ReadOffset(m_topOffset, IDC_EDIT_YPOSITION);
  DEF_CATCH("CPrintOptions::OnChangeEditYposition")
}

void CPrintOptions::OnHelp() {
  DEF_TRY
  if (CMainFrame* frame = GetMainFrame()) frame->HelpPrintOptions();
  DEF_CATCH("CPrintOptions::OnHelp")
}

BOOL CPrintOptions::CalculateRecords() {
  DEF_TRY
  switch (m_records) {
    case kCurrentRecord:
      m_firstRecord = m_currentRecord;
      m_endRecord = m_currentRecord + 1;
      return TRUE;
    case kAllRecords:
      m_firstRecord = 0;
      m_endRecord = m_recordCount;
      return TRUE;
    case kRecordRange: {
      int from = 0, to = 0;
      if (!StrToInt(m_fromText, from)) {
        ErrorBox(IDS_ERROR_FROM_FIELD);
        return FALSE;
      }
      if (!StrToInt(m_toText, to)) {
        ErrorBox(IDS_ERROR_TO_FIELD);
        return FALSE;
      }
      const int first = from - 1;
      if (first < 0 || first > m_recordCount) {
        ErrorBox(IDS_ERROR_FROM_FIELD);
        return FALSE;
      }
      if (first >= to || to > m_recordCount) {
        ErrorBox(IDS_ERROR_TO_FIELD);
        return FALSE;
      }
      m_firstRecord = first;
      m_endRecord = to;
      return TRUE;
    }
    default:
      return TRUE;
  }
  DEF_CATCH("CPrintOptions::CalculateRecords")
  return FALSE;
}

void CPrintOptions::OnOK() {
  DEF_TRY
  if (!UpdateData(TRUE)) return;
  WriteSettingInt(kPrintOptionSetting, m_printUsing);
  WriteSettingInt(kPrintRecordsSetting, m_records);
  if (CalculateRecords()) EndDialog(IDOK);
  DEF_CATCH("CPrintOptions::OnOK")
}

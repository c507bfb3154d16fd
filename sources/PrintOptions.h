// Asked before a document is printed: preprinted form (the data alone, shifted by the output offset)
// or blank paper (page image and data), the offset, and the range of records to print.
#pragma once
#include "Framework.h"

class CPrintOptions : public CDialogEx {
 public:
  explicit CPrintOptions(CWnd* parent = nullptr);

  // 0 prints the data alone, 1 the page image with the data.
  int GetPrintOption() const;
  // The records first to end - 1 from the records choice; an unusable range is reported to the
  // user and gives FALSE with the range unchanged.
  BOOL CalculateRecords();

  // Set by the caller before the dialog runs.
  CString m_leftOffset, m_topOffset;  // in the user's unit of measurement
  int m_currentRecord = 0;
  int m_recordCount = 1;
  // The results.
  int m_firstRecord = 0;
  int m_endRecord = 1;

  enum { kPreprintedForm = 0, kBlankPaper = 1 };
  enum { kCurrentRecord = 0, kAllRecords = 1, kRecordRange = 2 };
  int m_printUsing = kBlankPaper;
  int m_records = kCurrentRecord;
  CString m_fromText, m_toText;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnRadioTextOnly();
  afx_msg void OnRadioTextImage();
  afx_msg void OnChangeEditXposition();
  afx_msg void OnChangeEditYposition();
  afx_msg void OnHelp();
  DECLARE_MESSAGE_MAP()

 private:
  // The offsets can be typed only for a preprinted form.
  void EnableTextOffset();
  // One record leaves only "Current record"; more offer all of them with the range 1 to the count.
  void EnableDatabaseRecordsOptions();
  // Reads the controls; an offset that is no number gets its previous text back.
  void ReadOffset(CString& offset, int controlId);
  BOOL m_initialised = FALSE;
};

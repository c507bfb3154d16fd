// The "General" page of the options: the user's unit, the grid, start-up behaviour, PNG
// transparency, the highlight colour of fields, paragraph marks, text-field headers and the forms
// folder. It edits the frame's options record; OK and Apply refuse a grid step that is not a
// positive number within the largest step the program accepts, and a transparency colour that is
// not 8 hexadecimal digits.
#pragma once
#include "Framework.h"

#include "FrameOptions.h"

class CMainFrame;

class COptionsPropPageGeneral : public CPropertyPage {
 public:
  explicit COptionsPropPageGeneral(CMainFrame* frame);
  ~COptionsPropPageGeneral() override;

  // Stores what the controls show into the frame; FALSE (with a message) when a value is refused.
  BOOL UpdateOptions();
  // The grid step a text means in `unit`, in text units; FALSE when it is no number or out of range.
  static BOOL ParseGridStep(const CString& text, int unit, int& step);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL OnApply() override;
  afx_msg void OnModified();
  afx_msg void OnChangeState();
  afx_msg void OnChangeOptionsEditGridX();
  afx_msg void OnChangeOptionsEditGridY();
  afx_msg void OnDeltaposOptionsSpinGridX(NMHDR* header, LRESULT* result);
  afx_msg void OnDeltaposOptionsSpinGridY(NMHDR* header, LRESULT* result);
  afx_msg void OnSelchangeOptionsComboUnits();
  afx_msg void OnBnClickedBrowse();
  DECLARE_MESSAGE_MAP()

 private:
  // A grid edit keeps its last text that was a number.
  void KeepNumericText(int editId, CString& lastGood);
  void Spin(int editId, const NMHDR* header, LRESULT* result);

  CMainFrame* m_frame;
  CMFCColorButton m_colorButton;
  int m_unit = 0;
  int m_maximize = 0, m_snapToGrid = 0, m_emptyDoc = 0, m_explanatoryDoc = 0, m_pngTransparency = 0;
  int m_formMode = 0, m_paragraphMarks = 0, m_textFieldHeaders = 0;
  CString m_gridX, m_gridY, m_transparency, m_formFolder;
  CString m_lastGridX, m_lastGridY;
  BOOL m_updating = FALSE;
};

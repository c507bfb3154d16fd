// The editor's view: the rich-edit control with the editor's default formats, the placeholder
// filling and its "Fill Document..." command, page setup, the paragraph dialog, pictures, the
// context menu, the word at the end of a search, and printing for the batch run.
#pragma once
#include "Framework.h"

#include "PlaceholderFill.h"

class VYCommandLineInfo;

class CScrivelView : public CRichEditView {
  DECLARE_DYNCREATE(CScrivelView)
 public:
  CScrivelView();

  // Replaces the placeholders of the document by the map's values (see FillPlaceholders).
  void FillFromMap(const CFieldMap& data);
  // Prints the document as the command line asks: straight onto the /pt printer or the default one,
  // or through the print dialog with /pd.
  void PrintInBatch(const VYCommandLineInfo* info);
  // Puts the default character and paragraph formats on the control, the caret at the start, and
  // marks it unmodified with an empty undo buffer.
  void ResetToDefaults();
  // Puts the picture into the text at the selection as an embedded object; FALSE when it cannot.
  BOOL InsertPicture(HENHMETAFILE hemf);
  // New margins (twips) for this view and the application; every window of the notify list is
  // told that the printer or the margins changed.
  void ApplyMargins(const CRect& margins);

  void DeleteContents() override;
  void OnInitialUpdate() override;
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
  // The search is over: a beep and "Scrivel has finished searching the document.", then the
  // framework's own word.
  void OnTextNotFound(LPCTSTR lpszFind) override;

  CFieldMap m_fieldMap;
  CHARFORMAT2W m_defCharFormat;
  PARAFORMAT2 m_defParaFormat;
  // The command line while a batch print runs, else null.
  const VYCommandLineInfo* m_pCmdInfo = nullptr;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg LRESULT OnPrinterChangedMsg(WPARAM, LPARAM);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnFillDocument();
  afx_msg void OnInsertPicture();
  afx_msg void OnPageSetup();
  afx_msg void OnFormatParagraph();
  afx_msg void OnNothing();
  DECLARE_MESSAGE_MAP()

 private:
  BOOL m_bFirstUpdate = TRUE;
};

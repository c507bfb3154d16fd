#include "OptionsSheet.h"

#include "MainFrm.h"
#include "resource.h"

COptionsSheet::COptionsSheet(CMainFrame* frame)
    : CPropertySheet(IDS_OPTIONS_SHEET, frame), m_general(frame), m_pdf(frame) {
  AddPage(&m_general);
  AddPage(&m_pdf);
  AddPage(&m_virtualPrinter);
  AddPage(&m_backup);
}

void FillComboFromString(CComboBox* combo, UINT stringId) {
  if (combo == nullptr) return;
  CString items;
  items.LoadString(stringId);
  int start = 0;
  while (start >= 0 && !items.IsEmpty()) {
    const int end = items.Find(L'\n', start);
    combo->AddString(end < 0 ? items.Mid(start) : items.Mid(start, end - start));
    start = end < 0 ? -1 : end + 1;
  }
}

// The options sheet: the General, PDF, Virtual Printer and Auto backup pages over the frame's
// records and the profile's settings.
#pragma once
#include "Framework.h"

#include "OptionsPropPageBackup.h"
#include "OptionsPropPageGeneral.h"
#include "OptionsPropPagePDF.h"
#include "OptionsPropPageVirtualPrinter.h"

class CMainFrame;

class COptionsSheet : public CPropertySheet {
 public:
  explicit COptionsSheet(CMainFrame* frame);

  COptionsPropPageGeneral m_general;
  COptionsPropPagePDF m_pdf;
  COptionsPropPageVirtualPrinter m_virtualPrinter;
  COptionsPropPageBackup m_backup;
};

// Fills a combo box with the items of a string resource, one per line.
void FillComboFromString(CComboBox* combo, UINT stringId);

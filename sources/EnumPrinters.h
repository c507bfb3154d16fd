// The printers installed on this machine, listed when first asked for.
#pragma once
#include "Framework.h"

class CEnumPrinters {
 public:
  CEnumPrinters() = default;
  // Lists the local and connected printers again; FALSE when the spooler cannot be asked.
  BOOL Refresh();
  int GetCount();
  // Empty for an index out of range.
  CString GetPrinterName(int index);
  BOOL IsFilled() const { return m_filled; }

 private:
  void FillOnce() {
    if (!m_filled) Refresh();
  }
  CStringArray m_names;
  BOOL m_filled = FALSE;
};

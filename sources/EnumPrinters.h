// The printers of the Windows print system, and the switch of the application's printer to the one a
// document has stored.
#pragma once
#include "Framework.h"

#include "DocOptions.h"

class CEnumPrinters {
 public:
  CEnumPrinters();
  virtual ~CEnumPrinters() = default;

  // Lists the local and connected printers (again), in the spooler's order.
  void ReadLocalPrinters();
  int GetCount() const { return m_count; }
  // "Error" for an index past the end; empty after a failure.
  CString GetPrinterName(int index);
  CString GetPrinterPortName(int index);
  // The first printer whose name contains `text` (case-sensitive); the count when none does.
  int FindPrinter(LPCTSTR text);

  // Replaces the device-mode and device-names handles by ones for the named printer, its current
  // device mode and the given driver and port. The old handles are freed; FALSE keeps them.
  BOOL SetNewPrinter(HGLOBAL& devMode, HGLOBAL& devNames, LPCTSTR printerName, LPCTSTR driverName,
                     LPCTSTR portName);
  // Orientation, quality, resolution, copies, source, scale and paper from the stored preferences
  // into the device mode; FALSE for the "no handle" value -1.
  static BOOL ApplyPrinterPreferences(HGLOBAL devMode, const _PRINTER_PREFERENCES& preferences);
  // Selects the stored printer when one of the listed printers' names contains the stored name;
  // otherwise says the default printer is used and leaves both handles alone.
  BOOL RestorePrinterSelection(HGLOBAL& devMode, HGLOBAL& devNames, const _PRINTER_PREFERENCES& preferences);

 private:
  int m_count = 0;
  CStringArray m_names, m_locations, m_shareNames, m_portNames;
};

// The driver name the printer switch gives every printer.
extern const wchar_t kSpoolerDriverName[];

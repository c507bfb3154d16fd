#include "EnumPrinters.h"

#include <winspool.h>

#include <vector>

#include "ErrorLog.h"

BOOL CEnumPrinters::Refresh() {
  DEF_TRY
  m_names.RemoveAll();
  m_filled = TRUE;
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0, returned = 0;
  EnumPrintersW(flags, nullptr, 4, nullptr, 0, &needed, &returned);
  if (needed == 0) return GetLastError() == ERROR_SUCCESS || GetLastError() == ERROR_INSUFFICIENT_BUFFER;
  std::vector<BYTE> buffer(needed);
  if (!EnumPrintersW(flags, nullptr, 4, buffer.data(), needed, &needed, &returned)) return FALSE;
  const PRINTER_INFO_4W* info = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i) m_names.Add(info[i].pPrinterName ? info[i].pPrinterName : L"");
  return TRUE;
  DEF_CATCH("CEnumPrinters::Refresh")
  return FALSE;
}

int CEnumPrinters::GetCount() {
  FillOnce();
  return static_cast<int>(m_names.GetSize());
}

CString CEnumPrinters::GetPrinterName(int index) {
  FillOnce();
  if (index < 0 || index >= m_names.GetSize()) return CString();
  return m_names[index];
}

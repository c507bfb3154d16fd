#include "VYCommandLineInfo.h"

#include <winspool.h>

#include "BatchData.h"
#include "ScvFile.h"

VYCommandLineInfo::VYCommandLineInfo() = default;

namespace {

BOOL FolderExists(const CString& folder) {
  const DWORD attributes = ::GetFileAttributesW(folder);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

BOOL PrinterExists(LPCWSTR name) {
  if (!name || !*name) return FALSE;
  DWORD needed = 0, count = 0;
  ::EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 5, nullptr, 0, &needed, &count);
  if (needed == 0) return FALSE;
  CArray<BYTE, BYTE> buffer;
  buffer.SetSize(needed);
  if (!::EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 5, buffer.GetData(), needed, &needed,
                       &count))
    return FALSE;
  const PRINTER_INFO_5W* printers = reinterpret_cast<const PRINTER_INFO_5W*>(buffer.GetData());
  for (DWORD i = 0; i < count; ++i)
    if (printers[i].pPrinterName && wcscmp(printers[i].pPrinterName, name) == 0) return TRUE;
  return FALSE;
}

void ListScvDocuments(const CString& folder, CStringList& files) {
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW(folder + L"\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && IsScvPath(found.cFileName))
      files.AddTail(folder + L"\\" + found.cFileName);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

void VYCommandLineInfo::ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast) {
  // The framework's own print switches would turn the run into a shell print of a file.
  const BOOL printSwitch = bFlag && (wcscmp(pszParam, L"p") == 0 || wcscmp(pszParam, L"pt") == 0);
  if (!printSwitch)
    CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
  else
    ParseLast(bLast);
  if (bFlag)
    ParseSwitch(pszParam);
  else
    ParseValue(pszParam);
  if (bLast) {
    if ((m_bFolderGiven || m_bFileGiven) && m_bOutGiven) m_bSaveToOutput = TRUE;
    // Saving the filled documents over their templates would destroy them.
    if (m_bFolderGiven && m_bOutGiven && IsSameFolder(m_inFolder, m_outFolder)) m_nErrorCode = SCRIVEL_ERROR_SAME_FOLDER;
    // The folder's documents are opened by the batch, not as the framework's file.
    if (m_bFolderGiven) m_nShellCommand = FileNew;
  }
}

void VYCommandLineInfo::ParseSwitch(const TCHAR* word) {
  m_bCommandLine = TRUE;
  m_bPendingFile = m_bPendingData = m_bPendingGroup = m_bPendingPrinter = m_bPendingIn = m_bPendingOut = FALSE;
  const CString w(word);
  if (w == L"f") {
    m_bPendingFile = TRUE;
  } else if (w == L"d") {
    m_bPendingData = TRUE;
  } else if (w == L"g") {
    m_bPendingGroup = TRUE;
  } else if (w == L"p") {
    m_bPrint = TRUE;
  } else if (w == L"pt") {
    m_bPendingPrinter = TRUE;
  } else if (w == L"pd") {
    m_bPrintDialog = TRUE;
  } else if (w == L"r") {
    m_bDataOnly = TRUE;
  } else if (w == L"in") {
    m_bPendingIn = TRUE;
  } else if (w == L"out") {
    m_bPendingOut = TRUE;
  } else if (w == L"o") {
    m_bOpen = m_bOpenEach = TRUE;
  } else if (w == L"o2") {
    m_bOpen = m_bKeepOpen = TRUE;
  } else if (w == L"?") {
    m_bUsage = TRUE;
  }
}

void VYCommandLineInfo::ParseValue(const TCHAR* value) {
  const CString v(value);
  if (m_bPendingFile) {
    m_bPendingFile = FALSE;
    m_bFileGiven = TRUE;
    m_strFileName = v;
    m_files.AddTail(v);
    HANDLE file = ::CreateFileW(v, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      m_nErrorCode = SCRIVEL_ERROR_FILE;
      m_nShellCommand = FileNothing;
    } else {
      ::CloseHandle(file);
    }
  } else if (m_bPendingData) {
    m_bPendingData = FALSE;
    m_bDataGiven = TRUE;
    m_dataValue = v;
    const int dot = v.ReverseFind(L'.');
    if (dot >= 0 && v.Mid(dot + 1).CompareNoCase(L"ini") == 0) {
      m_bIniData = TRUE;
      WCHAR full[MAX_PATH * 2] = L"";
      const DWORD length = ::GetFullPathNameW(v, _countof(full), full, nullptr);
      if (length == 0 || length >= _countof(full))
        m_nErrorCode = SCRIVEL_ERROR_DATA;
      else
        m_iniPath = full;
    } else {
      m_bProfileData = TRUE;
      m_profileName = v;
    }
  } else if (m_bPendingGroup) {
    m_bPendingGroup = FALSE;
    m_groupName = v;
  } else if (m_bPendingPrinter) {
    m_bPendingPrinter = FALSE;
    m_strPrinterName = v;
    if (PrinterExists(v))
      m_bPrint = TRUE;
    else
      m_nErrorCode = SCRIVEL_ERROR_PRINTER;
  } else if (m_bPendingIn) {
    m_bPendingIn = FALSE;
    TakeInFolder(v);
  } else if (m_bPendingOut) {
    m_bPendingOut = FALSE;
    m_bOutGiven = TRUE;
    m_outFolder = v;
    if (!FolderExists(v)) m_nErrorCode = SCRIVEL_ERROR_NO_OUT_FOLDER;
  }
}

void VYCommandLineInfo::TakeInFolder(const CString& folder) {
  m_bFolderGiven = TRUE;
  m_inFolder = folder;
  m_nShellCommand = FileNew;
  if (!FolderExists(folder)) {
    m_nErrorCode = SCRIVEL_ERROR_NO_IN_FOLDER;
    return;
  }
  const INT_PTR before = m_files.GetCount();
  ListScvDocuments(folder, m_files);
  if (m_files.GetCount() == before) m_nErrorCode = SCRIVEL_ERROR_NO_DOCUMENTS;
}

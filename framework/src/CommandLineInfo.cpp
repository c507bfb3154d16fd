#include "fw/CommandLineInfo.h"

#include "fw/CmdTarget.h"
#include "fw/CommandIds.h"
#include "fw/Menu.h"
#include "fw/WinApp.h"

CCommandLineInfo::CCommandLineInfo() = default;
CCommandLineInfo::~CCommandLineInfo() = default;

void CCommandLineInfo::ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast) {
  if (bFlag)
    ParseParamFlag(pszParam);
  else
    ParseParamNotFlag(pszParam);
  ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const TCHAR* p) {
  if (_wcsicmp(p, L"pt") == 0) {
    m_nShellCommand = FilePrintTo;
  } else if (_wcsicmp(p, L"p") == 0) {
    m_nShellCommand = FilePrint;
  } else if (_wcsicmp(p, L"dde") == 0) {
    m_nShellCommand = FileDDE;
  } else if (_wcsicmp(p, L"embedding") == 0) {
    m_bShowSplash = FALSE;
    m_bRunEmbedded = TRUE;
  } else if (_wcsicmp(p, L"automation") == 0) {
    m_bShowSplash = FALSE;
    m_bRunAutomated = TRUE;
  } else if (_wcsicmp(p, L"register") == 0 || _wcsicmp(p, L"regserver") == 0) {
    m_nShellCommand = AppRegister;
  } else if (_wcsicmp(p, L"unregister") == 0 || _wcsicmp(p, L"unregserver") == 0) {
    m_nShellCommand = AppUnregister;
  }
}

// The first plain argument is the file; with /pt the next three are printer, driver and port.
void CCommandLineInfo::ParseParamNotFlag(const TCHAR* p) {
  if (m_strFileName.IsEmpty())
    m_strFileName = p;
  else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
    m_strPrinterName = p;
  else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
    m_strDriverName = p;
  else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
    m_strPortName = p;
}

void CCommandLineInfo::ParseLast(BOOL bLast) {
  if (bLast && m_nShellCommand == FileNew && !m_strFileName.IsEmpty()) m_nShellCommand = FileOpen;
}

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nSize(nSize > 0 ? nSize : 1), m_nStart(nStart), m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat), m_nMaxDisplayLength(nMaxDispLen), m_arrNames(new CString[m_nSize]) {}

CRecentFileList::~CRecentFileList() { delete[] m_arrNames; }

int CRecentFileList::GetCount() const {
  int n = 0;
  while (n < m_nSize && !m_arrNames[n].IsEmpty()) ++n;
  return n;
}

void CRecentFileList::Add(LPCTSTR lpszPathName) {
  if (!lpszPathName || !*lpszPathName) return;
  WCHAR full[MAX_PATH];
  const DWORD n = ::GetFullPathNameW(lpszPathName, MAX_PATH, full, nullptr);
  const CString path = n > 0 && n < MAX_PATH ? CString(full) : CString(lpszPathName);
  int at = 0;
  while (at < m_nSize - 1 && !m_arrNames[at].IsEmpty() && m_arrNames[at].CompareNoCase(path) != 0) ++at;
  for (int i = at; i > 0; --i) m_arrNames[i] = m_arrNames[i - 1];
  m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex) {
  if (nIndex < 0 || nIndex >= m_nSize) return;
  for (int i = nIndex; i < m_nSize - 1; ++i) m_arrNames[i] = m_arrNames[i + 1];
  m_arrNames[m_nSize - 1].Empty();
}

void CRecentFileList::ReadList() {
  CWinApp* app = AfxGetApp();
  if (!app) return;
  for (int i = 0; i < m_nSize; ++i) {
    CString entry;
    entry.Format(m_strEntryFormat, i + 1);
    m_arrNames[i] = app->GetProfileString(m_strSectionName, entry, L"");
  }
}

void CRecentFileList::WriteList() {
  CWinApp* app = AfxGetApp();
  if (!app) return;
  for (int i = 0; i < m_nSize; ++i) {
    CString entry;
    entry.Format(m_strEntryFormat, i + 1);
    app->WriteProfileString(m_strSectionName, entry, m_arrNames[i].IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_arrNames[i]));
  }
}

// The placeholder item becomes one item per file ("&1 path"), or stays as a disabled placeholder.
void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) {
  CMenu* menu = pCmdUI->m_pMenu;
  if (!menu) return;
  for (int i = 1; i < m_nSize; ++i) menu->DeleteMenu(pCmdUI->m_nID + i, MF_BYCOMMAND);
  const int count = GetCount();
  if (count == 0) {
    pCmdUI->Enable(FALSE);
    return;
  }
  menu->DeleteMenu(pCmdUI->m_nID, MF_BYCOMMAND);
  for (int i = 0; i < count; ++i) {
    CString shown = m_arrNames[i];
    if (shown.GetLength() > m_nMaxDisplayLength) {
      const int slash = shown.ReverseFind(L'\\');
      if (slash >= 0) shown = shown.Left(3) + L"...\\" + shown.Mid(slash + 1);
    }
    CString text;
    text.Format(L"&%d %s", i + 1, static_cast<LPCTSTR>(shown));
    menu->InsertMenu(pCmdUI->m_nIndex + i, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID + i, text);
  }
  pCmdUI->m_nIndex += count - 1;
  pCmdUI->m_nIndexMax = static_cast<UINT>(menu->GetMenuItemCount());
  pCmdUI->m_bEnableChanged = TRUE;
}

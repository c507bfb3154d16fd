#include "fw/FileDialog.h"

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog), m_fileBufferChars(64 * 1024) {
  m_fileBuffer = new WCHAR[m_fileBufferChars];
  m_fileBuffer[0] = 0;
  if (lpszFileName) lstrcpynW(m_fileBuffer, lpszFileName, MAX_PATH);
  ZeroMemory(&m_ofn, sizeof(m_ofn));
  m_ofn.lStructSize = sizeof(m_ofn);
  m_ofn.hwndOwner = pParentWnd ? pParentWnd->m_hWnd : nullptr;
  m_ofn.lpstrFile = m_fileBuffer;
  m_ofn.nMaxFile = m_fileBufferChars;
  m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
  if (lpszDefExt) {
    m_defExt = lpszDefExt;
    m_ofn.lpstrDefExt = m_defExt;
  }
  if (lpszFilter) {
    // The filter ends with "||": each '|' becomes the NUL that separates the pairs.
    m_filter = lpszFilter;
    m_filter += L"|";
    const int n = m_filter.GetLength();
    LPWSTR p = m_filter.GetBuffer(n);
    for (int i = 0; i < n; ++i)
      if (p[i] == L'|') p[i] = 0;
    m_filter.ReleaseBuffer(n);
    m_ofn.lpstrFilter = m_filter;
    m_ofn.nFilterIndex = 1;
  }
}

CFileDialog::~CFileDialog() { delete[] m_fileBuffer; }

INT_PTR CFileDialog::DoModal() {
  if (!m_ofn.hwndOwner) {
    CWnd* main = AfxGetMainWnd();
    m_ofn.hwndOwner = main ? main->m_hWnd : nullptr;
  }
  const BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
  return ok ? IDOK : IDCANCEL;
}

// A multi-selection comes back as the folder, then each file name, NUL-separated; a single choice
// is one full path.
POSITION CFileDialog::GetStartPosition() const {
  return m_fileBuffer[0] ? reinterpret_cast<POSITION>(m_fileBuffer) : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
  const WCHAR* p = reinterpret_cast<const WCHAR*>(pos);
  if (!p) return CString();
  const bool multi = (m_ofn.Flags & OFN_ALLOWMULTISELECT) && m_fileBuffer[lstrlenW(m_fileBuffer) + 1] != 0;
  if (!multi) {
    pos = nullptr;
    return CString(m_fileBuffer);
  }
  if (p == m_fileBuffer) p += lstrlenW(p) + 1;  // skip the folder
  CString path(m_fileBuffer);
  if (path.GetLength() && path[path.GetLength() - 1] != L'\\') path += L"\\";
  path += p;
  const WCHAR* next = p + lstrlenW(p) + 1;
  pos = *next ? reinterpret_cast<POSITION>(const_cast<WCHAR*>(next)) : nullptr;
  return path;
}

CString CFileDialog::GetPathName() const {
  POSITION pos = GetStartPosition();
  return GetNextPathName(pos);
}

CString CFileDialog::GetFileName() const {
  const CString path = GetPathName();
  const int slash = path.ReverseFind(L'\\');
  return slash >= 0 ? path.Mid(slash + 1) : path;
}

CString CFileDialog::GetFileExt() const {
  const CString name = GetFileName();
  const int dot = name.ReverseFind(L'.');
  return dot >= 0 ? name.Mid(dot + 1) : CString();
}

CString CFileDialog::GetFolderPath() const {
  const CString path = GetPathName();
  const int slash = path.ReverseFind(L'\\');
  return slash >= 0 ? path.Left(slash) : CString();
}

#include "fw/FileFind.h"

IMPLEMENT_DYNAMIC(CFileFind, CObject)

CFileFind::CFileFind()
    : m_hFind(INVALID_HANDLE_VALUE), m_found(), m_next(), m_bHaveNext(FALSE), m_bHaveCurrent(FALSE) {}

CFileFind::~CFileFind() {
  Close();
}

void CFileFind::Close() {
  if (m_hFind != INVALID_HANDLE_VALUE) FindClose(m_hFind);
  m_hFind = INVALID_HANDLE_VALUE;
  m_bHaveNext = m_bHaveCurrent = FALSE;
}

BOOL CFileFind::FindFile(LPCTSTR pattern, DWORD) {
  Close();
  CString wanted(pattern && *pattern ? pattern : L"*.*");
  m_hFind = FindFirstFileW(wanted, &m_next);
  if (m_hFind == INVALID_HANDLE_VALUE) return FALSE;
  // The root is the pattern's folder as a full path.
  WCHAR full[MAX_PATH * 4];
  LPWSTR namePart = nullptr;
  const DWORD length = GetFullPathNameW(wanted, _countof(full), full, &namePart);
  if (length && length < _countof(full)) {
    if (namePart) *namePart = L'\0';
    m_strRoot = full;
  } else {
    m_strRoot = wanted.Left(std::max(wanted.ReverseFind(L'\\'), wanted.ReverseFind(L'/')) + 1);
  }
  m_strRoot.TrimRight(L"\\/");
  m_bHaveNext = TRUE;
  return TRUE;
}

BOOL CFileFind::FindNextFile() {
  if (!m_bHaveNext) return FALSE;
  m_found = m_next;
  m_bHaveCurrent = TRUE;
  m_bHaveNext = ::FindNextFileW(m_hFind, &m_next);
  return m_bHaveNext;
}

CString CFileFind::GetFileName() const {
  return m_bHaveCurrent ? CString(m_found.cFileName) : CString();
}

CString CFileFind::GetFilePath() const {
  return m_strRoot + L"\\" + GetFileName();
}

CString CFileFind::GetFileTitle() const {
  CString name = GetFileName();
  const int dot = name.ReverseFind(L'.');
  return dot > 0 ? name.Left(dot) : name;
}

CString CFileFind::GetRoot() const {
  return m_strRoot;
}

ULONGLONG CFileFind::GetLength() const {
  return (static_cast<ULONGLONG>(m_found.nFileSizeHigh) << 32) | m_found.nFileSizeLow;
}

BOOL CFileFind::GetLastWriteTime(FILETIME* time) const {
  if (!time || !m_bHaveCurrent) return FALSE;
  *time = m_found.ftLastWriteTime;
  return TRUE;
}

BOOL CFileFind::IsDots() const {
  return m_bHaveCurrent && IsDirectory() &&
         (wcscmp(m_found.cFileName, L".") == 0 || wcscmp(m_found.cFileName, L"..") == 0);
}

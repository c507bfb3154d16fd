#include "fw/File.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

// Full path of `name`, so GetFilePath reports where the file really is.
CString FullPath(LPCTSTR name) {
  WCHAR buffer[MAX_PATH * 4];
  const DWORD length = GetFullPathNameW(name, _countof(buffer), buffer, nullptr);
  return length && length < _countof(buffer) ? CString(buffer) : CString(name);
}

}  // namespace

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE file) : m_hFile(file), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR fileName, UINT openFlags) : CFile() {
  CFileException error;
  if (!Open(fileName, openFlags, &error)) AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile() {
  if (m_hFile != hFileNull && m_bCloseOnDelete) Abort();
}

BOOL CFile::Open(LPCTSTR fileName, UINT openFlags, CFileException* error) {
  ASSERT(m_hFile == hFileNull);
  m_strFileName = FullPath(fileName);

  DWORD access = 0;
  switch (openFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
  }
  DWORD share = 0;
  switch (openFlags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;  // shareCompat and shareExclusive
  }
  DWORD creation = OPEN_EXISTING;
  if (openFlags & modeCreate) creation = (openFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
  DWORD attributes = FILE_ATTRIBUTE_NORMAL;
  if (openFlags & osNoBuffer) attributes |= FILE_FLAG_NO_BUFFERING;
  if (openFlags & osWriteThrough) attributes |= FILE_FLAG_WRITE_THROUGH;
  if (openFlags & osRandomAccess) attributes |= FILE_FLAG_RANDOM_ACCESS;
  if (openFlags & osSequentialScan) attributes |= FILE_FLAG_SEQUENTIAL_SCAN;
  SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, (openFlags & modeNoInherit) ? FALSE : TRUE};

  HANDLE file = CreateFileW(fileName, access, share, &security, creation, attributes, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    if (error) {
      error->m_lOsError = static_cast<LONG>(GetLastError());
      error->m_cause = CFileException::OsErrorToException(error->m_lOsError);
      error->m_strFileName = fileName;
    }
    return FALSE;
  }
  m_hFile = file;
  m_bCloseOnDelete = TRUE;
  return TRUE;
}

UINT CFile::Read(void* buffer, UINT count) {
  if (count == 0) return 0;
  DWORD read = 0;
  if (!ReadFile(m_hFile, buffer, count, &read, nullptr)) CFileException::ThrowOsError(GetLastError(), m_strFileName);
  return read;
}

void CFile::Write(const void* buffer, UINT count) {
  if (count == 0) return;
  DWORD written = 0;
  if (!WriteFile(m_hFile, buffer, count, &written, nullptr)) CFileException::ThrowOsError(GetLastError(), m_strFileName);
  if (written != count) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
  static const DWORD kMethods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  if (from > end) AfxThrowInvalidArgException();
  LARGE_INTEGER distance, position;
  distance.QuadPart = offset;
  if (!SetFilePointerEx(m_hFile, distance, &position, kMethods[from])) CFileException::ThrowOsError(GetLastError(), m_strFileName);
  return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetPosition() const {
  LARGE_INTEGER zero, position;
  zero.QuadPart = 0;
  if (!SetFilePointerEx(m_hFile, zero, &position, FILE_CURRENT)) CFileException::ThrowOsError(GetLastError(), m_strFileName);
  return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(m_hFile, &size)) CFileException::ThrowOsError(GetLastError(), m_strFileName);
  return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG newLength) {
  Seek(static_cast<LONGLONG>(newLength), begin);
  if (!SetEndOfFile(m_hFile)) CFileException::ThrowOsError(GetLastError(), m_strFileName);
}

void CFile::Flush() {
  if (m_hFile != hFileNull && !FlushFileBuffers(m_hFile)) CFileException::ThrowOsError(GetLastError(), m_strFileName);
}

void CFile::Close() {
  BOOL failed = FALSE;
  DWORD error = 0;
  if (m_hFile != hFileNull) {
    failed = !CloseHandle(m_hFile);
    error = GetLastError();
  }
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
  if (failed) CFileException::ThrowOsError(error, m_strFileName);
}

void CFile::Abort() {
  if (m_hFile != hFileNull) CloseHandle(m_hFile);
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
}

CString CFile::GetFilePath() const {
  return m_strFileName;
}

CString CFile::GetFileName() const {
  const int slash = std::max(m_strFileName.ReverseFind(L'\\'), m_strFileName.ReverseFind(L'/'));
  return m_strFileName.Mid(slash + 1);
}

CString CFile::GetFileTitle() const {
  CString name = GetFileName();
  const int dot = name.ReverseFind(L'.');
  return dot < 0 ? name : name.Left(dot);
}

void CFile::SetFilePath(LPCTSTR path) {
  m_strFileName = path;
}

void CFile::Rename(LPCTSTR oldName, LPCTSTR newName) {
  if (!MoveFileW(oldName, newName)) CFileException::ThrowOsError(GetLastError(), oldName);
}

void CFile::Remove(LPCTSTR fileName) {
  if (!DeleteFileW(fileName)) CFileException::ThrowOsError(GetLastError(), fileName);
}

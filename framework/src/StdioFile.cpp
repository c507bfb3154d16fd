#include "fw/StdioFile.h"

#include <fcntl.h>
#include <io.h>

#include <string>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

CStdioFile::CStdioFile() : m_pStream(nullptr) {}

CStdioFile::CStdioFile(LPCTSTR fileName, UINT openFlags) : CStdioFile() {
  CFileException error;
  if (!Open(fileName, openFlags, &error)) AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CStdioFile::~CStdioFile() {
  if (m_pStream) Abort();
}

BOOL CStdioFile::Open(LPCTSTR fileName, UINT openFlags, CFileException* error) {
  ASSERT(!m_pStream);
  // The handle comes from CFile::Open so sharing and creation work as for any file.
  if (!CFile::Open(fileName, openFlags & ~(typeText | typeBinary), error)) return FALSE;
  const bool text = !(openFlags & typeBinary);
  const bool append = (openFlags & modeNoTruncate) != 0;
  const wchar_t* mode = nullptr;
  int flags = text ? _O_TEXT : _O_BINARY;
  switch (openFlags & 3) {
    case modeRead:
      mode = text ? L"rt" : L"rb";
      flags |= _O_RDONLY;
      break;
    case modeWrite:
      mode = append ? (text ? L"at" : L"ab") : (text ? L"wt" : L"wb");
      flags |= append ? (_O_WRONLY | _O_APPEND) : _O_WRONLY;
      break;
    default:
      mode = text ? L"r+t" : L"r+b";
      flags |= _O_RDWR;
      break;
  }
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(m_hFile), flags);
  if (descriptor != -1) m_pStream = _wfdopen(descriptor, mode);
  if (!m_pStream) {
    if (descriptor != -1) _close(descriptor);
    else CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (error) {
      error->m_cause = CFileException::genericException;
      error->m_lOsError = -1;
      error->m_strFileName = fileName;
    }
    return FALSE;
  }
  return TRUE;
}

BOOL CStdioFile::ReadString(CString& line) {
  std::string bytes;
  char chunk[512];
  bool any = false;
  while (fgets(chunk, sizeof(chunk), m_pStream)) {
    any = true;
    bytes += chunk;
    if (!bytes.empty() && bytes.back() == '\n') break;
  }
  if (ferror(m_pStream)) AfxThrowFileException(CFileException::genericException, -1, m_strFileName);
  if (!any) {
    line.Empty();
    return FALSE;
  }
  if (!bytes.empty() && bytes.back() == '\n') bytes.pop_back();
  line = CString(bytes.c_str(), static_cast<int>(bytes.size()));
  return TRUE;
}

void CStdioFile::WriteString(LPCTSTR text) {
  if (!text) AfxThrowInvalidArgException();
  const std::string bytes = fw_string::Narrow(text, -1);
  if (!bytes.empty() && fwrite(bytes.data(), 1, bytes.size(), m_pStream) != bytes.size()) {
    AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
  }
}

UINT CStdioFile::Read(void* buffer, UINT count) {
  const size_t read = fread(buffer, 1, count, m_pStream);
  if (read < count && ferror(m_pStream)) AfxThrowFileException(CFileException::genericException, -1, m_strFileName);
  return static_cast<UINT>(read);
}

void CStdioFile::Write(const void* buffer, UINT count) {
  if (fwrite(buffer, 1, count, m_pStream) != count) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CStdioFile::Seek(LONGLONG offset, UINT from) {
  static const int kOrigins[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  if (from > end) AfxThrowInvalidArgException();
  if (_fseeki64(m_pStream, offset, kOrigins[from]) != 0) AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
  return GetPosition();
}

ULONGLONG CStdioFile::GetPosition() const {
  const long long position = _ftelli64(m_pStream);
  if (position < 0) AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
  return static_cast<ULONGLONG>(position);
}

ULONGLONG CStdioFile::GetLength() const {
  fflush(m_pStream);
  return CFile::GetLength();
}

void CStdioFile::Flush() {
  if (m_pStream && fflush(m_pStream) != 0) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

void CStdioFile::Close() {
  const bool failed = m_pStream && fclose(m_pStream) != 0;  // also closes the handle
  m_pStream = nullptr;
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
  if (failed) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

void CStdioFile::Abort() {
  if (m_pStream) fclose(m_pStream);
  m_pStream = nullptr;
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
}

#include "fw/MemFile.h"

#include <stdlib.h>
#include <string.h>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT growBytes)
    : m_nGrowBytes(growBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(nullptr),
      m_bAutoDelete(TRUE) {}

CMemFile::CMemFile(BYTE* buffer, UINT size, UINT growBytes) : CMemFile(growBytes) {
  Attach(buffer, size, growBytes);
}

CMemFile::~CMemFile() {
  Free();
}

void CMemFile::Attach(BYTE* buffer, UINT size, UINT growBytes) {
  Free();
  m_lpBuffer = buffer;
  m_nBufferSize = size;
  // A fixed block holds a file of its whole size; a growable one starts empty.
  m_nFileSize = growBytes == 0 ? size : 0;
  m_nGrowBytes = growBytes;
  m_nPosition = 0;
  m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach() {
  BYTE* buffer = m_lpBuffer;
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  m_bAutoDelete = TRUE;
  return buffer;
}

void CMemFile::Free() {
  if (m_bAutoDelete) free(m_lpBuffer);
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
}

void CMemFile::Grow(SIZE_T newSize) {
  if (newSize <= m_nBufferSize) return;
  if (m_nGrowBytes == 0 || !m_bAutoDelete) AfxThrowMemoryException();
  SIZE_T size = m_nBufferSize;
  while (size < newSize) size += m_nGrowBytes;
  BYTE* grown = static_cast<BYTE*>(realloc(m_lpBuffer, size));
  if (!grown) AfxThrowMemoryException();
  m_lpBuffer = grown;
  m_nBufferSize = size;
}

UINT CMemFile::Read(void* buffer, UINT count) {
  if (count == 0 || m_nPosition >= m_nFileSize) return 0;
  const SIZE_T available = m_nFileSize - m_nPosition;
  const UINT read = available < count ? static_cast<UINT>(available) : count;
  memcpy(buffer, m_lpBuffer + m_nPosition, read);
  m_nPosition += read;
  return read;
}

void CMemFile::Write(const void* buffer, UINT count) {
  if (count == 0) return;
  const SIZE_T end = m_nPosition + count;
  if (end < m_nPosition) AfxThrowFileException(CFileException::diskFull);
  Grow(end);
  // A write after a seek past the end fills the gap with zeros.
  if (m_nPosition > m_nFileSize) memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
  memcpy(m_lpBuffer + m_nPosition, buffer, count);
  m_nPosition = end;
  if (end > m_nFileSize) m_nFileSize = end;
}

ULONGLONG CMemFile::Seek(LONGLONG offset, UINT from) {
  LONGLONG base = 0;
  switch (from) {
    case begin: base = 0; break;
    case current: base = static_cast<LONGLONG>(m_nPosition); break;
    case end: base = static_cast<LONGLONG>(m_nFileSize); break;
    default: AfxThrowInvalidArgException();
  }
  const LONGLONG position = base + offset;
  if (position < 0) AfxThrowFileException(CFileException::badSeek);
  m_nPosition = static_cast<SIZE_T>(position);
  return static_cast<ULONGLONG>(position);
}

ULONGLONG CMemFile::GetPosition() const {
  return m_nPosition;
}

ULONGLONG CMemFile::GetLength() const {
  return m_nFileSize;
}

void CMemFile::SetLength(ULONGLONG newLength) {
  const SIZE_T length = static_cast<SIZE_T>(newLength);
  Grow(length);
  if (length > m_nFileSize) memset(m_lpBuffer + m_nFileSize, 0, length - m_nFileSize);
  m_nFileSize = length;
  if (m_nPosition > length) m_nPosition = length;
}

void CMemFile::Flush() {}

void CMemFile::Close() {
  Free();
}

void CMemFile::Abort() {
  Free();
}

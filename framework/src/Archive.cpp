#include "fw/Archive.h"

#include <string.h>

namespace {
const UINT kMinBufferSize = 128;
}

CArchive::CArchive(CFile* file, UINT mode, int bufferSize, void* buffer)
    : m_pDocument(nullptr), m_nObjectSchema(static_cast<UINT>(-1)), m_pFile(file), m_nMode(mode),
      m_bUserBuf(buffer != nullptr), m_nBufSize(0), m_pBufStart(nullptr), m_pBufCur(nullptr), m_pBufMax(nullptr),
      m_bEndOfFile(FALSE) {
  if (!file) AfxThrowInvalidArgException();
  m_strFileName = file->GetFilePath();
  m_nBufSize = bufferSize > static_cast<int>(kMinBufferSize) ? static_cast<UINT>(bufferSize) : kMinBufferSize;
  if (m_bUserBuf && bufferSize < static_cast<int>(kMinBufferSize)) AfxThrowInvalidArgException();
  m_pBufStart = m_bUserBuf ? static_cast<BYTE*>(buffer) : new BYTE[m_nBufSize];
  m_pBufCur = m_pBufStart;
  // Loading starts with an empty buffer; storing with a whole empty buffer to fill.
  m_pBufMax = IsLoading() ? m_pBufStart : m_pBufStart + m_nBufSize;
}

CArchive::~CArchive() {
  if (m_pFile && !(m_nMode & bNoFlushOnDelete)) {
    try {
      Close();
    } catch (CException* e) {
      e->Delete();
      Abort();
    }
  }
  if (!m_bUserBuf) delete[] m_pBufStart;
}

void CArchive::CheckMode(BOOL loading) const {
  if (!m_pFile) AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
  if (loading && !IsLoading()) AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
  if (!loading && IsLoading()) AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
}

void CArchive::FillBuffer() {
  const UINT kept = static_cast<UINT>(m_pBufMax - m_pBufCur);
  if (kept) memmove(m_pBufStart, m_pBufCur, kept);
  m_pBufCur = m_pBufStart;
  m_pBufMax = m_pBufStart + kept;
  if (m_bEndOfFile) return;
  const UINT wanted = m_nBufSize - kept;
  const UINT read = m_pFile->Read(m_pBufMax, wanted);
  if (read == 0) m_bEndOfFile = TRUE;
  m_pBufMax += read;
}

UINT CArchive::Read(void* buffer, UINT count) {
  CheckMode(TRUE);
  BYTE* out = static_cast<BYTE*>(buffer);
  UINT done = 0;
  while (done < count) {
    if (m_pBufCur == m_pBufMax) {
      FillBuffer();
      if (m_pBufCur == m_pBufMax) break;
    }
    UINT chunk = static_cast<UINT>(m_pBufMax - m_pBufCur);
    if (chunk > count - done) chunk = count - done;
    memcpy(out + done, m_pBufCur, chunk);
    m_pBufCur += chunk;
    done += chunk;
  }
  // What the file did not have never reaches the caller as stale memory.
  if (done < count) memset(out + done, 0, count - done);
  return done;
}

void CArchive::ReadExactly(void* buffer, UINT count) {
  if (Read(buffer, count) != count) AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

CArchive& CArchive::operator>>(bool& value) {
  BYTE byte = 0;
  ReadExactly(&byte, 1);
  value = byte != 0;
  return *this;
}

void CArchive::WriteBuffer() {
  const UINT pending = static_cast<UINT>(m_pBufCur - m_pBufStart);
  m_pBufCur = m_pBufStart;
  if (pending) m_pFile->Write(m_pBufStart, pending);
}

void CArchive::Write(const void* buffer, UINT count) {
  CheckMode(FALSE);
  const BYTE* in = static_cast<const BYTE*>(buffer);
  while (count) {
    if (m_pBufCur == m_pBufMax) WriteBuffer();
    UINT chunk = static_cast<UINT>(m_pBufMax - m_pBufCur);
    if (chunk > count) chunk = count;
    memcpy(m_pBufCur, in, chunk);
    m_pBufCur += chunk;
    in += chunk;
    count -= chunk;
  }
}

void CArchive::Flush() {
  if (!m_pFile) return;
  if (IsStoring()) {
    WriteBuffer();
    m_pFile->Flush();
    return;
  }
  const LONGLONG unread = m_pBufMax - m_pBufCur;
  if (unread) m_pFile->Seek(-unread, CFile::current);
  m_pBufCur = m_pBufMax = m_pBufStart;
  m_bEndOfFile = FALSE;
}

void CArchive::Close() {
  if (!m_pFile) return;
  if (IsStoring()) WriteBuffer();
  m_pFile = nullptr;
}

void CArchive::Abort() {
  m_pFile = nullptr;
}

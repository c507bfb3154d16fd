// Buffered binary stream over a CFile for loading or storing a document. Numbers are little-endian.
// An extraction (>>) that runs past the end of the file throws CArchiveException(endOfFile); Read
// returns the bytes it could read and zero-fills the rest of the caller's buffer.
#pragma once
#include "fw/File.h"

class FW_API CArchive {
 public:
  enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

  CArchive(CFile* file, UINT mode, int bufferSize = 4096, void* buffer = nullptr);
  ~CArchive();
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  BOOL IsLoading() const { return (m_nMode & load) != 0; }
  BOOL IsStoring() const { return (m_nMode & load) == 0; }
  BOOL IsByteSwapping() const { return FALSE; }
  // TRUE when a loading archive has no unread bytes in its buffer.
  BOOL IsBufferEmpty() const { return m_pBufCur == m_pBufMax; }
  CFile* GetFile() const { return m_pFile; }

  UINT Read(void* buffer, UINT count);
  void Write(const void* buffer, UINT count);
  // Storing: writes the buffer out. Loading: gives the unread buffered bytes back to the file, so the
  // file position is where the archive stands.
  void Flush();
  void Close();
  void Abort();

  CArchive& operator<<(BYTE value) { return Put(value); }
  CArchive& operator<<(WORD value) { return Put(value); }
  CArchive& operator<<(short value) { return Put(value); }
  CArchive& operator<<(int value) { return Put(value); }
  CArchive& operator<<(unsigned int value) { return Put(value); }
  CArchive& operator<<(LONG value) { return Put(value); }
  CArchive& operator<<(DWORD value) { return Put(value); }
  CArchive& operator<<(LONGLONG value) { return Put(value); }
  CArchive& operator<<(ULONGLONG value) { return Put(value); }
  CArchive& operator<<(float value) { return Put(value); }
  CArchive& operator<<(double value) { return Put(value); }
  CArchive& operator<<(char value) { return Put(value); }
  CArchive& operator<<(wchar_t value) { return Put(value); }
  CArchive& operator<<(bool value) { return Put(static_cast<BYTE>(value ? 1 : 0)); }

  CArchive& operator>>(BYTE& value) { return Get(value); }
  CArchive& operator>>(WORD& value) { return Get(value); }
  CArchive& operator>>(short& value) { return Get(value); }
  CArchive& operator>>(int& value) { return Get(value); }
  CArchive& operator>>(unsigned int& value) { return Get(value); }
  CArchive& operator>>(LONG& value) { return Get(value); }
  CArchive& operator>>(DWORD& value) { return Get(value); }
  CArchive& operator>>(LONGLONG& value) { return Get(value); }
  CArchive& operator>>(ULONGLONG& value) { return Get(value); }
  CArchive& operator>>(float& value) { return Get(value); }
  CArchive& operator>>(double& value) { return Get(value); }
  CArchive& operator>>(char& value) { return Get(value); }
  CArchive& operator>>(wchar_t& value) { return Get(value); }
  CArchive& operator>>(bool& value);

  // The document being loaded or stored; set by the document code.
  CDocument* m_pDocument;
  UINT m_nObjectSchema;
  CString m_strFileName;

 private:
  // Every target of the suite is little-endian, so a value's bytes are its file bytes.
  template <typename V>
  CArchive& Put(V value) {
    static_assert(sizeof(V) <= 8, "archive primitives are at most 8 bytes");
    Write(&value, sizeof(value));
    return *this;
  }
  template <typename V>
  CArchive& Get(V& value) {
    V read;
    ReadExactly(&read, sizeof(read));
    value = read;
    return *this;
  }
  void ReadExactly(void* buffer, UINT count);
  void FillBuffer();
  void WriteBuffer();
  void CheckMode(BOOL loading) const;

  CFile* m_pFile;
  UINT m_nMode;
  BOOL m_bUserBuf;
  UINT m_nBufSize;
  BYTE* m_pBufStart;
  BYTE* m_pBufCur;
  BYTE* m_pBufMax;
  BOOL m_bEndOfFile;
};

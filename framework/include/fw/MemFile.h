// A file held in memory. Its block comes from malloc, so Detach hands the caller memory to free().
#pragma once
#include "fw/File.h"

class FW_API CMemFile : public CFile {
  DECLARE_DYNAMIC(CMemFile)
 public:
  // An empty file that grows in steps of `growBytes`.
  explicit CMemFile(UINT growBytes = 1024);
  // A file over the caller's block; with growBytes 0 it cannot grow past `size`.
  CMemFile(BYTE* buffer, UINT size, UINT growBytes = 0);
  ~CMemFile() override;

  void Attach(BYTE* buffer, UINT size, UINT growBytes = 0);
  // Gives up the block (the caller frees it) and leaves the file empty.
  BYTE* Detach();

  UINT Read(void* buffer, UINT count) override;
  void Write(const void* buffer, UINT count) override;
  ULONGLONG Seek(LONGLONG offset, UINT from) override;
  ULONGLONG GetPosition() const override;
  ULONGLONG GetLength() const override;
  void SetLength(ULONGLONG newLength) override;
  void Flush() override;
  void Close() override;
  void Abort() override;

 private:
  void Grow(SIZE_T newSize);
  void Free();

  UINT m_nGrowBytes;
  SIZE_T m_nPosition;
  SIZE_T m_nBufferSize;
  SIZE_T m_nFileSize;
  BYTE* m_lpBuffer;
  BOOL m_bAutoDelete;  // the block is ours to free
};

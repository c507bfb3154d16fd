// A binary file on disk through a Win32 handle. Failures throw CFileException, except Open, which
// reports them through its result and the optional exception object.
#pragma once
#include "fw/Exceptions.h"

class FW_API CFile : public CObject {
  DECLARE_DYNAMIC(CFile)
 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
    osNoBuffer = 0x10000,
    osWriteThrough = 0x20000,
    osRandomAccess = 0x40000,
    osSequentialScan = 0x80000,
    typeUnicode = 0x100000,
  };
  enum SeekPosition { begin = 0, current = 1, end = 2 };

  static const HANDLE hFileNull;

  CFile();
  explicit CFile(HANDLE file);
  // Opens at once and throws CFileException when that fails.
  CFile(LPCTSTR fileName, UINT openFlags);
  ~CFile() override;

  virtual BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr);
  virtual UINT Read(void* buffer, UINT count);
  virtual void Write(const void* buffer, UINT count);
  virtual ULONGLONG Seek(LONGLONG offset, UINT from);
  void SeekToBegin() { Seek(0, begin); }
  ULONGLONG SeekToEnd() { return Seek(0, end); }
  virtual ULONGLONG GetPosition() const;
  virtual ULONGLONG GetLength() const;
  virtual void SetLength(ULONGLONG newLength);
  virtual void Flush();
  virtual void Close();
  // Closes without throwing; for clean-up after an error.
  virtual void Abort();

  virtual CString GetFilePath() const;
  virtual CString GetFileName() const;
  virtual CString GetFileTitle() const;
  virtual void SetFilePath(LPCTSTR path);

  operator HANDLE() const { return m_hFile; }

  static void Rename(LPCTSTR oldName, LPCTSTR newName);
  static void Remove(LPCTSTR fileName);

  HANDLE m_hFile;

 protected:
  BOOL m_bCloseOnDelete;
  CString m_strFileName;
};

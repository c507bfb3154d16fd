// A text file read and written by lines through the C runtime's stream. Text is 8-bit in the thread's
// ANSI code page on disk and wide in the program; in text mode "\r\n" on disk is "\n" in the program.
#pragma once
#include <stdio.h>

#include "fw/File.h"

class FW_API CStdioFile : public CFile {
  DECLARE_DYNAMIC(CStdioFile)
 public:
  CStdioFile();
  CStdioFile(LPCTSTR fileName, UINT openFlags);
  ~CStdioFile() override;

  // typeText (the default) or typeBinary decide the line-end translation.
  BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr) override;
  // The next line without its line end; FALSE at the end of the file.
  virtual BOOL ReadString(CString& line);
  virtual void WriteString(LPCTSTR text);

  UINT Read(void* buffer, UINT count) override;
  void Write(const void* buffer, UINT count) override;
  ULONGLONG Seek(LONGLONG offset, UINT from) override;
  ULONGLONG GetPosition() const override;
  ULONGLONG GetLength() const override;
  void Flush() override;
  void Close() override;
  void Abort() override;

  FILE* m_pStream;
};

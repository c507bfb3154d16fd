// Walks the files that match a pattern. FindFile finds the first; each FindNextFile makes the next
// match current and returns FALSE when that one is the last, so the loop body still runs for it.
#pragma once
#include "fw/Object.h"
#include "fw/String.h"

class FW_API CFileFind : public CObject {
  DECLARE_DYNAMIC(CFileFind)
 public:
  CFileFind();
  ~CFileFind() override;

  BOOL FindFile(LPCTSTR pattern = nullptr, DWORD unused = 0);
  BOOL FindNextFile();
  void Close();

  CString GetFileName() const;
  CString GetFilePath() const;
  CString GetFileTitle() const;
  // The folder of the pattern, ending without a separator.
  CString GetRoot() const;
  ULONGLONG GetLength() const;
  BOOL GetLastWriteTime(FILETIME* time) const;
  DWORD GetAttributes() const { return m_found.dwFileAttributes; }
  BOOL MatchesMask(DWORD mask) const { return (m_found.dwFileAttributes & mask) != 0; }
  BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
  BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
  BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
  BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
  BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }
  // "." or "..".
  BOOL IsDots() const;

 private:
  HANDLE m_hFind;
  WIN32_FIND_DATAW m_found;
  WIN32_FIND_DATAW m_next;
  BOOL m_bHaveNext;
  BOOL m_bHaveCurrent;
  CString m_strRoot;
};

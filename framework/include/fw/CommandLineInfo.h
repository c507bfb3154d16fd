// The program's command line as the framework reads it: shell commands (new, open, print, print to)
// and the file and printer they name. Programs derive to take switches of their own in ParseParam.
#pragma once
#include "fw/FwBase.h"

class FW_API CCommandLineInfo : public CObject {
 public:
  enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 };
  CCommandLineInfo();
  ~CCommandLineInfo() override;
  // One argument at a time; `bFlag` when it began with '/' or '-' (removed), `bLast` for the final one.
  virtual void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast);

  BOOL m_bShowSplash = TRUE;
  BOOL m_bRunEmbedded = FALSE;
  BOOL m_bRunAutomated = FALSE;
  int m_nShellCommand = FileNew;
  CString m_strFileName;
  CString m_strPrinterName;
  CString m_strDriverName;
  CString m_strPortName;

 protected:
  void ParseParamFlag(const TCHAR* pszParam);
  void ParseParamNotFlag(const TCHAR* pszParam);
  void ParseLast(BOOL bLast);
};

// The recently used files: newest first, at most `nSize`, kept in the profile section as
// "File1", "File2", ... and shown in the menu in place of the item ID_FILE_MRU_FILE1.
class FW_API CRecentFileList {
 public:
  CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize, int nMaxDispLen = 40);
  virtual ~CRecentFileList();
  int GetSize() const { return m_nSize; }
  int GetCount() const;
  const CString& operator[](int nIndex) const { return m_arrNames[nIndex]; }
  virtual void Add(LPCTSTR lpszPathName);
  virtual void Remove(int nIndex);
  virtual void ReadList();
  virtual void WriteList();
  virtual void UpdateMenu(class CCmdUI* pCmdUI);

 protected:
  int m_nSize;
  UINT m_nStart;
  CString m_strSectionName;
  CString m_strEntryFormat;
  int m_nMaxDisplayLength;
  CString* m_arrNames;
};

// The program's entry: initialises the application object, runs InitInstance, then the message
// loop, and returns the exit code.
FW_API int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);

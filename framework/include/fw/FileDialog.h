// The common open and save dialogs. Filters use the framework's form: "Name|*.ext;*.ex2|All|*.*||".
#pragma once
#include <windows.h>
#include <commdlg.h>

#include "fw/Wnd.h"

class FW_API CFileDialog {
 public:
  CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
              DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
              CWnd* pParentWnd = nullptr);
  virtual ~CFileDialog();
  virtual INT_PTR DoModal();

  CString GetPathName() const;    // the (first) chosen file
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFolderPath() const;
  // Walks the chosen files of a multi-selection (OFN_ALLOWMULTISELECT) as full paths.
  POSITION GetStartPosition() const;
  CString GetNextPathName(POSITION& pos) const;

  OPENFILENAMEW m_ofn;
  BOOL m_bOpenFileDialog;

 private:
  CFileDialog(const CFileDialog&) = delete;
  CFileDialog& operator=(const CFileDialog&) = delete;
  CString m_filter;       // '|' turned into NULs
  CString m_defExt;
  WCHAR* m_fileBuffer;    // large enough for a multi-selection
  DWORD m_fileBufferChars;
};

// The document manager of the editor: its file dialogs start in a folder remembered under a
// settings key ("OpenFilePath" for opening and saving documents, "InitialTemplatePath" for
// templates) and remember the folder of the file chosen.
#pragma once
#include "Framework.h"

class CSVDocManager : public CDocManager {
 public:
  // The key the next file dialog uses, and the folder it starts in when the key holds nothing.
  void SetKey(LPCTSTR lpszKeyName, LPCTSTR lpszDefaultFolder);
  const CString& GetKeyName() const { return m_strKeyName; }
  // The folder the next file dialog starts in.
  CString GetInitialFolder() const;

  // The framework's file dialog with the hide-read-only and overwrite-prompt options besides the
  // caller's; the filter lists each template's documents, then all files; the title is string
  // `nIDSTitle` (the program's, else the framework's).
  BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                        CDocTemplate* pTemplate) override;

 private:
  CString m_strKeyName;
  CString m_strDefaultFolder;
};

// The folder part of a path: everything up to its last backslash, that backslash included, so the
// folder part of a folder part is itself (empty without a backslash).
CString FolderOfPath(const CString& path);

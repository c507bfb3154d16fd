// The editor's command line: the document or folder of documents to fill, the data (an INI file or a
// stored profile), printing, the output folder and the instance switches. Errors do not stop the
// parsing: the last one found is kept as a negative code for the batch run to report.
#pragma once
#include "Framework.h"

// Exit codes of a batch run.
enum {
  SCRIVEL_ERROR_FILE = -1,            // the /f file cannot be opened for reading
  SCRIVEL_ERROR_DATA = -2,            // the INI data file cannot be opened (or named in full)
  SCRIVEL_ERROR_PRINTER = -3,         // the /pt printer does not exist
  SCRIVEL_ERROR_NO_IN_FOLDER = -6,    // the /in folder does not exist
  SCRIVEL_ERROR_NO_DOCUMENTS = -7,    // the /in folder holds no "scv" document
  SCRIVEL_ERROR_NO_OUT_FOLDER = -8,   // the /out folder does not exist
  SCRIVEL_ERROR_NOTHING_TO_DO = -13,  // command-line mode without /f and /in
  SCRIVEL_ERROR_SAME_FOLDER = -14,    // /in and /out are the same folder
};

class VYCommandLineInfo : public CCommandLineInfo {
 public:
  VYCommandLineInfo();
  void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast) override;

  BOOL m_bIniData = FALSE;        // /d names an INI file
  BOOL m_bProfileData = FALSE;    // /d names a profile
  BOOL m_bPrint = FALSE;          // /p, or /pt with an existing printer
  CStringList m_files;            // documents to fill, in order
  BOOL m_bUsage = FALSE;          // /?
  BOOL m_bCommandLine = FALSE;    // any switch seen
  BOOL m_bKeepOpen = FALSE;       // /o2
  CString m_inFolder;             // /in
  CString m_outFolder;            // /out
  BOOL m_bSaveToOutput = FALSE;   // (/in or /f) and /out
  CString m_groupName;            // /g
  CString m_profileName;          // /d that is no INI file
  BOOL m_bPendingGroup = FALSE;
  int m_nErrorCode = 0;           // 0 or one of the codes above
  BOOL m_bOpen = FALSE;           // /o or /o2
  BOOL m_bPrintDialog = FALSE;    // /pd
  BOOL m_bFileGiven = FALSE;      // /f
  BOOL m_bFolderGiven = FALSE;    // /in
  BOOL m_bOutGiven = FALSE;       // /out
  BOOL m_bOpenEach = FALSE;       // /o
  CString m_dataValue;            // /d as given
  BOOL m_bDataGiven = FALSE;      // /d
  BOOL m_bPendingFile = FALSE;
  BOOL m_bPendingData = FALSE;
  BOOL m_bDataOnly = FALSE;       // /r, accepted without effect
  CString m_iniPath;              // full path of the INI data file
  BOOL m_bPendingPrinter = FALSE;
  BOOL m_bPendingIn = FALSE;
  BOOL m_bPendingOut = FALSE;

  // Printing happens only in a batch that neither keeps this instance open nor starts others.
  BOOL PrintsInBatch() const { return m_bPrint && !m_bOpen; }

 private:
  void ParseSwitch(const TCHAR* word);
  void ParseValue(const TCHAR* value);
  void TakeInFolder(const CString& folder);
};

// TRUE when a printer of exactly this name is listed among the local and connected printers.
BOOL PrinterExists(LPCWSTR name);
// The "scv" documents directly in `folder` (not in sub-folders), each as the folder, "\" and its name.
void ListScvDocuments(const CString& folder, CStringList& files);

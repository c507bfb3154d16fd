// Orvello's command line: a form (/f) or a folder of templates (/in) to fill from an INI data file or a
// stored profile (/d, /g), printing (/p, /pt, /r, /pd), output folders (/out, /viz), keeping the
// documents open (/o), the usage (/?) and the virtual printer's start (/vp). Any switch but /vp makes
// the run a command-line run, whose main window stays hidden unless /o is given. Parsing never stops
// at an error: the error code keeps the last one found (an /in scan overwrites it with its result).
#pragma once
#include "Framework.h"

// Exit codes of a command-line run.
enum {
  CMDLINE_ERROR_FORM = -1,            // the /f form cannot be opened for reading
  CMDLINE_ERROR_DATA = -2,            // the /d INI file cannot be named in full, or read
  CMDLINE_ERROR_PRINTER = -3,         // the /pt printer is no local printer
  CMDLINE_ERROR_SECOND_INSTANCE = -5, // another instance is running
  CMDLINE_ERROR_NO_IN_FOLDER = -6,    // the /in folder does not exist
  CMDLINE_ERROR_NO_TEMPLATE = -7,     // the /in folder holds no template
  CMDLINE_ERROR_NO_OUT_FOLDER = -8,   // the /out or /viz folder does not exist
  CMDLINE_ERROR_NOTHING_TO_DO = -13,  // a command-line run without /f and /in
  CMDLINE_ERROR_SAME_FOLDER = -14,    // the /in folder is the output folder
};

// The templates ("rud", "qlm") and editor documents ("scv") directly in `folder`, as folder\name in
// the order the file system lists them: 0 with templates, -7 without, -6 when the folder is missing.
int CollectTemplateFiles(const CString& folder, CStringList& templates, CStringList& editorDocuments);

class VYCommandLineInfo : public CCommandLineInfo {
 public:
  VYCommandLineInfo();
  void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast) override;
  // TRUE and the code when an error was recorded.
  BOOL GetErrorCode(int& code) const;
  CString GetDataFileName() const { return m_iniPath; }
  // A local printer of exactly that name exists.
  static BOOL PrinterExists(LPCTSTR name);

  int m_iniData = 0;          // /d names an INI file
  int m_profileData = 0;      // /d names a profile
  int m_print = 0;            // /p, /pt; cleared by a later /o
  CStringList m_templates{10};
  CStringList m_editorDocuments{10};
  int m_help = 0;             // /?
  int m_commandLine = 0;      // any switch but /vp
  int m_keepOpen = 0;         // /o
  CString m_templateFolder;   // /in
  CString m_outputFolder;     // /out or /viz, the later
  int m_saveToOutput = 0;     // both /in and /out
  CString m_groupName;        // /g
  CString m_profileName;      // /d when no INI file
  int m_errorCode = 0;
  int m_pdGiven = 0;          // /pd
  int m_formGiven = 0;        // /f value
  int m_inGiven = 0;          // /in value
  int m_outGiven = 0;         // /out value
  int m_vizGiven = 0;         // /viz value
  int m_vpGiven = 0;          // /vp
  int m_dataOnly = 0;         // /r
  CString m_iniPath;          // full path of the /d INI file

 private:
  // The switch whose value the next plain parameter is, in the order they take values.
  enum Pending { kNone, kForm, kGroup, kData, kPrinter, kIn, kOut, kViz, kPendingCount };
  BOOL m_pending[kPendingCount] = {};
  void ParseSwitch(const CString& word);
  // The value of the first pending switch; FALSE when no switch waits for one (a plain parameter
  // that is the framework's).
  BOOL ParseValue(const CString& value);
};

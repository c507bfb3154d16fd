// The application object without its windows: its names, its registry profile and the process-wide
// AfxGetApp. The profile lives under HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section>.
// An extension library loaded into the host reaches the host's object through AfxGetApp. The window
// half adds the main window and the message loop.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include "fw/String.h"
#include "fw/Thread.h"

class CDocManager;
class CDocTemplate;
class CDocument;
class CCommandLineInfo;
class CRecentFileList;
class CCmdUI;

// String id of the application's title in the host's string table.
#define AFX_IDS_APP_TITLE 0xE000

class FW_API CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)
 public:
  // One per process. Without a name the title string or the program's file name is used.
  explicit CWinApp(LPCTSTR appName = nullptr);
  ~CWinApp() override;

  // Puts the profile in the registry under `key`, with the application name as the profile name.
  void SetRegistryKey(LPCTSTR key);
  void SetRegistryKey(UINT keyStringId);

  // The profile key (opened or created, the caller closes it), or null without a registry key.
  HKEY GetAppRegistryKey();
  HKEY GetSectionKey(LPCTSTR section);

  UINT GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue);
  BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value);
  CString GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue = nullptr);
  // A null entry removes the whole section; a null value removes the entry.
  BOOL WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value);
  // On success *data is a new[] block of *bytes bytes that the caller delete[]s.
  BOOL GetProfileBinary(LPCTSTR section, LPCTSTR entry, LPBYTE* data, UINT* bytes);
  BOOL WriteProfileBinary(LPCTSTR section, LPCTSTR entry, LPBYTE data, UINT bytes);

  virtual BOOL InitApplication();
  BOOL InitInstance() override;
  int ExitInstance() override;
  int Run() override;

  // The window half (WinAppWindows.cpp): message loop, documents, command line, printer, messages.
  virtual BOOL OnIdle(LONG lCount);
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  BOOL PumpMessage();
  virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
  void AddDocTemplate(CDocTemplate* pTemplate);
  POSITION GetFirstDocTemplatePosition() const;
  CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
  virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
  virtual void AddToRecentFileList(LPCTSTR lpszPathName);
  BOOL SaveAllModified();
  void CloseAllDocuments(BOOL bEndSession);
  // Reads the recent-file list (`nMaxMRU` entries) from the profile.
  void LoadStdProfileSettings(UINT nMaxMRU = 4);
  void ParseCommandLine(CCommandLineInfo& rCmdInfo);
  BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
  void RegisterShellFileTypes(BOOL bCompat = FALSE);
  void EnableShellOpen();
  // The application's printer: DEVMODE/DEVNAMES handles kept by the framework.
  BOOL GetPrinterDeviceDefaults(PRINTDLGW* pPrintDlg);
  void SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld = TRUE);
  afx_msg void OnFileNew();
  afx_msg void OnFileOpen();
  afx_msg void OnFilePrintSetup();
  afx_msg void OnAppExit();
  afx_msg void OnOpenRecentFile(UINT nID);
  afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
  CDocManager* m_pDocManager = nullptr;
  CRecentFileList* m_pRecentFileList = nullptr;
  MSG m_msgCur = {};

  // Allocated with malloc, as programs replace them with free and _wcsdup.
  LPCTSTR m_pszAppName;
  LPCTSTR m_pszRegistryKey;
  LPCTSTR m_pszProfileName;
  LPCTSTR m_pszExeName;
  LPCTSTR m_pszHelpFilePath;
  HINSTANCE m_hInstance;
  LPTSTR m_lpCmdLine;
  int m_nCmdShow;

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  friend FW_API BOOL AFXAPI AfxWinInit(HINSTANCE, HINSTANCE, LPTSTR, int);
  void SetCurrentHandles();
  void ReleaseWindowState();
};

FW_API CWinApp* AFXAPI AfxGetApp();
FW_API LPCTSTR AFXAPI AfxGetAppName();
// Sets the application's instance, command line and names; the program's entry point calls it first.
FW_API BOOL AFXAPI AfxWinInit(HINSTANCE instance, HINSTANCE previous, LPTSTR commandLine, int showCommand);

// The application object of Scrivel: start-up, its settings, the command line and the batch road
// (fill, print and save one document or a folder of documents), the exit code.
#pragma once
#include "Framework.h"

#include "PlaceholderFill.h"
#include "VYCommandLineInfo.h"

class CScrivelView;

class CScrivelApp : public CWinApp {
 public:
  CScrivelApp();

  BOOL InitInstance() override;
  int ExitInstance() override;
  // In a hidden batch run nobody could answer a message box: the text goes to the log instead and
  // the box's default answer is taken.
  int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

  // Sends the registered "ScrivelPrinterChanged" message to every window of the notify list.
  void NotifyPrinterChanged();
  // The view of the current document, or null.
  CScrivelView* GetCurrentView() const;

  CRect m_rectPageMargin;           // twips: left, top, right, bottom
  CList<HWND, HWND> m_listPrinterNotify;
  UINT m_nPrinterChangedMsg = 0;
  int m_nErrorCode = 0;             // the batch exit code
  int m_bShowFrame = 1;             // while 0 the main frame stays hidden
  int m_bStartupComplete = 0;
  int m_nAppLook = 210;
  int m_nUnits = 0;                 // index into the choosable units
  VYCommandLineInfo m_cmdInfo;
  // Set while the "Open" command runs: the document it opens may be a template.
  BOOL m_bOpeningByCommand = FALSE;

 protected:
  afx_msg void OnFileOpen();
  DECLARE_MESSAGE_MAP()

 private:
  void LoadSettings();
  void SaveSettings();
  void PrintUsage();
  void RunBatch();
  void StartInstances();
  // Opens, fills, prints and saves one document of the batch; FALSE when it cannot be opened.
  BOOL FillOneDocument(const CString& path, const CFieldMap& data);

  HMODULE m_hRichEdit = nullptr;
};

CScrivelApp* GetScrivelApp();

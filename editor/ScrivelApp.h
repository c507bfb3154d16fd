// The application object of Scrivel: start-up, its settings, the managers of the feature-pack
// frame, the command line and the batch road (fill, print and save one document or a folder of
// documents), the commands New, Open and About, and the exit code.
#pragma once
#include "Framework.h"

#include "PlaceholderFill.h"
#include "VYCommandLineInfo.h"

class CScrivelView;
class CSVDocManager;

class CScrivelApp : public CWinAppEx {
 public:
  CScrivelApp();

  BOOL InitInstance() override;
  // Start-up up to the command line: common controls, OLE, the rich-edit library, the settings,
  // the managers and the document template. FALSE (with a message) when OLE or the rich-edit
  // library is missing.
  BOOL InitEditor();
  int ExitInstance() override;
  // The context menu of the view, registered before the frame restores its layout.
  void PreLoadState() override;
  // In a hidden batch run nobody could answer a message box: the text goes to the log instead and
  // the box's default answer is taken.
  int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

  // Sends the registered "ScrivelPrinterChanged" message to every window of the notify list.
  void NotifyPrinterChanged();
  // The view of the current document, or null.
  CScrivelView* GetCurrentView() const;
  // The document manager's next file dialog starts in the documents' folder ("OpenFilePath").
  void UseDocumentsKey();
  CSVDocManager* GetSVDocManager() const;
  // Writes "Units" and "PageMargin" (ExitInstance does at the end).
  void SaveSettings();
  // Opens a template as a new untitled document: it keeps no path (saving asks for a name) and is
  // titled by its file name up to the first ".". Null when it cannot be opened.
  CDocument* OpenTemplate(const CString& path);

  CRect m_rectPageMargin;           // twips: left, top, right, bottom
  CList<HWND, HWND> m_listPrinterNotify;
  UINT m_nPrinterChangedMsg = 0;
  BOOL m_bHiColorIcons = TRUE;      // the tool bar's strip 129 instead of 128
  int m_nErrorCode = 0;             // the batch exit code
  int m_bShowFrame = 1;             // while 0 the main frame stays hidden
  int m_bStartupComplete = 0;
  int m_nAppLook = 210;
  int m_nUnits = 0;                 // index into the choosable units
  VYCommandLineInfo m_cmdInfo;
  // Set while the user picks a document in a file dialog (Open, Save, Save As): the document
  // goes into the recent-file list, and one opened so may be a template.
  BOOL m_bAddToRecent = FALSE;

 protected:
  afx_msg void OnFileNew();
  afx_msg void OnFileOpen();
  afx_msg void OnAppAbout();
  DECLARE_MESSAGE_MAP()

 private:
  void LoadSettings();
  void PrintUsage();
  void RunBatch();
  void StartInstances();
  // Opens, fills, prints and saves one document of the batch; FALSE when it cannot be opened.
  BOOL FillOneDocument(const CString& path, const CFieldMap& data);

  HMODULE m_hRichEdit = nullptr;
};

CScrivelApp* GetScrivelApp();

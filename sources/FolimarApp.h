// The application object of Orvello: start-up (single instance, profile, printer, document template,
// main frame, command line, clipboard formats), shut-down with the exit code, the profile records,
// the printer, the new-document request the document reads, and the application's commands.
//
// Parts of the class by concern: FolimarApp.cpp (profile records and printer preferences),
// FolimarAppStart.cpp (start-up, shut-down, printer metrics, about box, commands),
// FolimarAppDocs.cpp (making and opening documents), FolimarAppBatch.cpp (the command-line run and
// Records > Fill in Form Fields), FolimarAppHandOff.cpp (pages from the virtual printer).
#pragma once
#include "Framework.h"

#include "DocOptions.h"
#include "BatchData.h"
#include "EnumPrinters.h"
#include "LMyBitmap.h"
#include "VYCommandLineInfo.h"
#include "ViewGeometry.h"

class CPageInfo;
class CFolimarDoc;
class CChildFrame;
class LBitmapBase;
class LBitmapList;
class LBitmap;
class LUserBitmap;
class LUserWia;
struct LWIAOPTIONS;

// What the next new document is to be built from; the document reads it once in OnNewDocument.
struct NEW_DOCUMENT_REQUEST {
  enum Kind {
    kEmpty = 0, kOpenDocument = 1, kOpenImage = 2, kFromBitmap = 3, kImageAsDocument = 4,
    kFromBitmapList = 5, kFromPagesList = 6, kLoadEmf = 7, kFromEmfList = 8, kMergeDocument = 10
  };
  int kind = kEmpty;
  CString title;          // becomes the document's title when not empty
  CString documentPath;
  CString imagePath;
  const LBitmapBase* bitmap = nullptr;
  int bitmapX = 0, bitmapY = 0;  // where the bitmap stands on the page, in document units
  LBitmapList* bitmapList = nullptr;
  CTypedPtrList<CPtrList, CPageInfo*> pages;
  CStringList metafiles;  // the EMF pages, in order
  int autoCreated = 0;    // copied into an empty new document
};

class CFolimarApp : public CWinAppEx {
 public:
  enum { kLanguageEnglish = 9 };
  CFolimarApp();
  ~CFolimarApp() override;

  // ---- Start-up and shut-down (FolimarAppStart.cpp) ----
  BOOL InitInstance() override;
  // The process exit code: the negative error code of a command-line run or a second instance,
  // else the framework's.
  int ExitInstance() override;
  // Registers the view's context menu before the frame restores its layout.
  void PreLoadState() override;
  // The thread message WM_USER + 4 from an outside program: look for forms of earlier versions.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // Everything the program's parts need installed before a document or view exists: the object
  // kinds, the document's naming, the view's links and dialogs, the image option dialogs.
  static void RegisterProgramServices();
  // The clipboard formats of overlay objects, handed to the object base.
  static void RegisterClipboardFormats();
  // Reads the printer's resolution, printable area, offsets and paper size (letter-size defaults
  // without a printer) and tells every document.
  void UpdatePrinterSettings();
  // A run from the command line (any switch but /vp): no dialog may wait for a user.
  BOOL IsCommandLineMode() const { return m_cmdInfo.m_commandLine != 0; }
  int GetErrorCode() const { return m_errorCode; }
  CString GetHelpBaseName() const { return m_helpBaseName; }
  HGLOBAL GetDevModeHandle() const;
  // Closes the main frame's print preview; the file commands call it first.
  void ClosePreview();

  // ---- Documents (FolimarAppDocs.cpp) ----
  // The framework's open, with `copyMode` 1 reading a copy ("TempRUD.qlm" in the temporary folder)
  // so the file itself is never touched. Untouched documents the program made by itself are closed.
  CDocument* OpenDocumentFile(LPCTSTR path, BOOL copyMode);
  CDocument* OpenDocumentFile(LPCTSTR lpszFileName) override;
  // New documents through the request the document reads: empty (auto-created when the program makes
  // it by itself), from a form as template (untitled) or as itself, from an image or a metafile.
  CDocument* CreateEmptyDoc(int autoCreated);
  CDocument* CreateDocFromTemplate(LPCTSTR path);
  CDocument* OpenDocFromTemplate(LPCTSTR path);
  CDocument* CreateDocFromImage(LPCTSTR path);
  CDocument* CreateDocFromEMF(LPCTSTR path);
  CDocument* CreateDocFromPagesList(CTypedPtrList<CPtrList, CPageInfo*>& pages);
  // A one-page document holding a copy of the bitmap at (x, y) in document units.
  CDocument* CreateDocFromBitmap(const LBitmapBase* bitmap, int x = 0, int y = 0);
  // One page per bitmap of the list (emptied by this); `name` titles the document when not null.
  CDocument* CreateDocFromBitmapList(LBitmapList* list, LPCTSTR name);
  // One page per metafile of the request's EMF page list (m_newDocument.metafiles, emptied by this).
  CDocument* CreateDocFromEmfList(LPCTSTR name);
  // Every open document gets the bitmap as a new last page; the active window's pages pane follows.
  void AppendPageToDocuments(const LBitmapBase* bitmap);
  // The page images of another document file, page by page, into the active document.
  void LoadImageFromRUD(LPCTSTR path);
  // The records of another document file with the same pages and fields appended to the active one.
  void LoadData(LPCTSTR path);
  // The active document window and its document; null without one.
  CChildFrame* ActiveChild() const;
  CFolimarDoc* ActiveDocument() const;
  // Closes every document that is auto-created, empty and not modified.
  void DeleteAutoCreatedDocs();
  // Appends every open document.
  void GetDocumentsList(CTypedPtrList<CPtrList, CFolimarDoc*>& documents);

  // ---- Pages from the virtual printer (FolimarAppHandOff.cpp) ----
  // Builds at most one document from the page files the hand-off INI file lists: EMF pages when the
  // setting "VPFormat" is 0 and the first EMF file is smaller than the first PNG file, else the PNG
  // pages. The PNG files and the INI file are deleted only once a document holds the pages; a page
  // that fails to load keeps every file and is reported.
  void CreateDocFromIniFile(LPCTSTR iniPath);
  // The files "File0", "File1", ... of the section, up to its "Count" and the first missing or empty
  // key; 1 when one was added.
  int CreateFileList(LPCTSTR section, LPCTSTR iniPath, CStringList& files);
  // TRUE without PNG pages, or when the first EMF file is strictly smaller than the first PNG file.
  BOOL IsEMFLessThanPNG();

  // ---- Profile records and printer (FolimarApp.cpp) ----
  // Fixed-size records as binary values of SOFTWARE\<registry key>\<profile name>\<section> in the
  // given hive. Reading fails, leaving the buffer alone, when the stored value does not fit it; the
  // size read is given back through `bytesRead`.
  BOOL GetProfileData(LPCTSTR section, LPCTSTR valueName, void* buffer, DWORD bufferSize, HKEY hive,
                      DWORD* bytesRead = nullptr);
  BOOL WriteProfileData(LPCTSTR section, LPCTSTR valueName, const void* data, DWORD size, HKEY hive);

  // The application's printer as preferences; the name and port point to strings of the application
  // that stay valid until the next call.
  _PRINTER_PREFERENCES& GetCurrentPrinterPreferences(_PRINTER_PREFERENCES& preferences);
  // Switches the application's printer to the one the active document stores; 0 without a document.
  BYTE RestorePrinterSelection();

  // ---- Scanning (FolimarAppScan.cpp) ----
  // Opens the TWAIN session on the main window when a data source manager is there; closed again
  // at exit.
  void StartScanningSessions();
  void EndScanningSessions();
  LUserBitmap* m_pTwainHost = nullptr;
  int m_twainAvailable = 0;
  int m_twainAcquiring = 0;
  int m_feederWanted = 0;     // the user chose autofeed and the source took it
  int m_feederRequested = 1;  // the next page starts the acquisition's document
  int m_feederChosen = 1;     // the WIA source choice: 1 feeder, 0 flatbed
  // The document an autofeed acquisition started; it goes again when the scan fails or is cancelled.
  CDocument* m_scanDocument = nullptr;
  // WIA (FolimarAppWia.cpp).
  LUserWia* m_pWia = nullptr;
  int m_wiaVersion = 1;  // 2 from Windows 6 on
  int m_wiaAvailable = 0;
  int m_deviceSelected = 0;
  int m_wiaAcquiring = 0;
  int m_deviceDialog = 1;     // 0: the program chooses feeder or flatbed itself
  int m_transferCancel = 0;   // set by the transfer dialog's Cancel, polled between pages
  LWIAOPTIONS* m_pWiaOptions = nullptr;  // the user's WIA settings; null until there are any
  LONG m_transferMode = 0;
  void* m_pSourceItem = nullptr;  // the chosen source item (an item of the WIA device)
  HGLOBAL m_hWiaItems = nullptr;  // the item array and its count
  int m_wiaItemCount = 0;
  CString m_wiaTransferPath;
  // 1 to go on, 101 when the user cancels the feeder or flatbed choice.
  int ChooseWiaDocumentSource();
  void FreeWiaItems();
  void StartWiaSession();
  void EndWiaSession();

  NEW_DOCUMENT_REQUEST m_newDocument;
  int m_languageId = kLanguageEnglish;  // the "Language" setting
  // The current printer's resolution, printable area, offsets and paper size.
  PRINTER_METRICS m_printerMetrics = {};
  CEnumPrinters m_printers;
  VYCommandLineInfo m_cmdInfo;
  // The printer and data-only switch of a print that asks nothing (the command line, a fax); null
  // for the user's own prints. Not owned.
  const CCommandLineInfo* m_pPrintRequest = nullptr;
  CString m_versionText;
  // The page files of the last hand-off and the pages loaded from them.
  CStringList m_pngPages{10};
  CStringList m_emfPages{10};
  LMyBitmapList m_acquiredPages;

 protected:
  afx_msg void OnAppAbout();
  afx_msg void OnFileNew();
  afx_msg void OnFileOpen();
  afx_msg void OnFileNewMD();
  afx_msg void OnFilePrintSetup();
  afx_msg void OnFilePageSetup();
  afx_msg void OnUpdateFilePageSetup(CCmdUI* pCmdUI);
  afx_msg LRESULT OnCheckPreviousForms(WPARAM wParam, LPARAM lParam);
  // Scanning commands (FolimarAppScan.cpp).
  afx_msg void OnFileTwainSelectSource();
  afx_msg void OnTwainAcquire();
  afx_msg void OnFileTwainSetup();
  afx_msg void OnUpdateTwainCommand(CCmdUI* pCmdUI);
  afx_msg void OnUpdateTwainAcquire(CCmdUI* pCmdUI);
  afx_msg void OnUpdateAppExit(CCmdUI* pCmdUI);
  afx_msg void OnFileWiaSelectSource();
  afx_msg void OnFileWiaAcquire();
  afx_msg void OnUpdateFileWiaSelectSource(CCmdUI* pCmdUI);
  afx_msg void OnUpdateFileWiaAcquire(CCmdUI* pCmdUI);
  // Records > Fill in Form Fields: the active document, or a folder of templates, from a profile.
  afx_msg void OnFillFormFields();
  DECLARE_MESSAGE_MAP()

  // The printer stored at the last exit, else the system's default.
  void RestoreStoredPrinter();
  void StorePrinter();
  // The command-line run after the frame is up; FALSE when start-up ends here.
  BOOL RunCommandLine();
  // The batch's field values from the INI file or the profile; FALSE with the error code set.
  BOOL ReadBatchData(CFieldMap& data);
  // One template of the batch: a new document from it, filled, then printed, saved and exported as
  // the command line asks.
  void FillTemplateInBatch(const CString& path, CFieldMap& data);
  void PrintInBatch(CFolimarDoc* doc);
  // Loads m_pngPages into m_acquiredPages at the INI file's resolution; FALSE, reported, when a page
  // fails.
  BOOL LoadPrintedPages(LPCTSTR iniPath);
  // Writes the usage to the console of the program that started us.
  void PrintToConsole(UINT stringId);
  // Opens a copy of the document file (the file itself is never touched); the copy's document.
  CFolimarDoc* OpenCopyOf(LPCTSTR path);
  // Runs a new-document request through the document template.
  CDocument* CreateDocument(int kind);
  // A request of `kind` for the document or image at `path`.
  CDocument* CreateFromPath(int kind, LPCTSTR path);
  // What a file command does first: the print preview closes, a freehand stroke in the active view
  // ends.
  void PrepareFileCommand();

 private:
  CString m_printerName, m_printerPort;
  CString m_helpBaseName;
  HANDLE m_instanceMutex = nullptr;
  HANDLE m_canGetDataMutex = nullptr;
  int m_errorCode = 0;
  CMultiDocTemplate* m_docTemplate = nullptr;
  BOOL m_oleReady = FALSE;
};

// The running application object; null when there is none (tools and tests).
CFolimarApp* GetFolimarApp();
// The user-interface language, English when no application runs.
int GetAppLanguageId();
// "major.minor.patch" from the version resource of the program, empty when it has none.
CString GetAppVersionString();
// "Vantry <version>": the creator text kept in documents.
CString GetCreatorText();

// The main window of Orvello: the multiple-document frame with the menu bar, the main, drawing,
// image and database bars, the forms, shelf and properties panes and the status bar. It holds what
// the rest of the program reads from it: the program mode, the style and field format of new objects,
// the general and PDF options and the look, read from the registry when it is made and written back
// when it closes (FrameOptions.h has the records).
//
// Parts of the class by concern: MainFrm.cpp (making, closing, settings and accessors),
// MainFrmModes.cpp (program modes and the tool commands), MainFrmEvents.cpp (timer, tool-bar resets,
// document-window messages, print preview and the progress display).
#pragma once
#include "Framework.h"

#include "DatabaseBar.h"
#include "DrawingToolsBar.h"
#include "FormsPane.h"
#include "FrameOptions.h"
#include "ImagesToolBar.h"
#include "LMyBitmap.h"
#include "MainBar.h"
#include "ObjectStyle.h"
#include "PropetiesBar.h"
#include "ShelfBar.h"
#include "VYMenuBar.h"

class CFolimarView;
class CFolimarDoc;

class CMainFrame : public CMDIFrameWndEx, public IImageProgressSink {
  DECLARE_DYNCREATE(CMainFrame)
 public:
  CMainFrame();
  ~CMainFrame() override;

  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  // ---- Settings the other parts read ----
  const _FRAME_OPTIONS& GetOptions() const { return m_options; }
  _FRAME_OPTIONS& Options() { return m_options; }
  const _PDF_OPTIONS& GetPdfOptions() const { return m_pdfOptions; }
  const _PDF_OPTIONS2& GetPdfOptions2() const { return m_pdfOptions2; }
  // The style of new objects (220 bytes).
  void GetTextStyleSettings(_OBJECT_STYLE* style) const;
  const _OBJECT_STYLE& GetTextStyle() const { return m_textStyle; }
  // The field format of new text fields and labels.
  _PROPERTIES GetDefaultProperties() const { return m_defaultProperties; }
  // The selection's format, style and kind bits for the properties pane; the style becomes the
  // style of new objects.
  void SetPropertyList(const _PROPERTIES& properties, const _OBJECT_STYLE* style, int* kindMask);
  BOOL IsSnapToGrid() const { return m_options.snapToGrid != 0; }
  // Stores the switch and redraws the active view with its grid.
  void SetSnapToGrid(int on);
  int GetGridStepX() const { return m_options.gridX; }
  int GetGridStepY() const { return m_options.gridY; }
  void SetGridSteps(int x, int y);
  int GetParagraphMarksOff() const { return m_options.paragraphMarksOff; }
  void SetParagraphMarksOff(int off) { m_options.paragraphMarksOff = off; }
  BOOL IsHighlightFields() const { return m_options.highlightFields != 0; }
  COLORREF GetHighlightColor() const { return m_options.highlightColor; }
  BOOL AreTextFieldHeadersOn() const { return m_options.textFieldHeaders != 0; }
  // Lengths between the user's unit and document units.
  int CurrentToTextunit(double value) const;
  double TextunitToCurrent(int value) const;
  // The eraser's side in pixels from the main bar (1 without a choice, 0 after an error); the choice
  // is kept in the options.
  int GetEraseSize();
  int GetAppLook() const { return m_appLook; }

  // ---- The zoom in the main bar ----
  int GetScalePercent();
  void SetScalePercent(int percent);
  int GetViewScaleSelIndex();

  // ---- Program modes (MainFrmModes.cpp) ----
  // The mode (1 to 26): what the mouse does in every form view. Setting it ends the active view's
  // freehand stroke and editing, shows the erase-size box for the eraser modes, sets the mode's
  // cursor and tells every open document. `apply` is kept for the callers that pass it.
  int GetProgramMode() const { return m_programMode; }
  int GetPrevProgramMode() const { return m_prevProgramMode; }
  const int* GetProgramModePointer() const { return &m_programMode; }
  void SetProgramMode(int mode, int apply = 1);
  void SetSelectMode() { SetProgramMode(12, 1); }
  // Tab-order mode: entered, or left (to the mode before, or 1) when `leave` and it is on.
  void StylebarTabOrder(BOOL leave);
  // The cursor resource of a mode; 0 for the system arrow.
  static UINT CursorOfMode(int mode);
  // The mode a tool command sets; 0 for a command that is no tool.
  static int ModeOfCommand(UINT command);

  // ---- Frame events (MainFrmEvents.cpp) ----
  // The record-number box follows the active document.
  void UpdateTools();
  BOOL IsPrintPreviewMode();
  void ClosePrintPreview();
  // Print preview begins or ends: the bars and panes hide and come back.
  void SetPreviewMode(BOOL preview);
  // The status bar's progress of a long image operation; non-zero when Escape asked to stop.
  int DoProgress(int nPercent, BOOL bCancelAllowed) override;
  void HideProgress();
  // The form view of the active document window, or null.
  CFolimarView* GetActiveFormView() const;

  // ---- Default properties, help and the other frame commands (MainFrmTools.cpp) ----
  // One property of the properties pane changed (`propertyId` names it): the style of new objects
  // takes it, and the active view applies it to its active or selected objects as one undo step.
  // Only the format row (28) changes the default field format; the other ids leave it alone.
  void SetDefaultProperty(const _PROPERTIES* properties, const _OBJECT_STYLE* style, const int* propertyId);
  // The active object of the active view takes this tab index.
  void SetTabOrder(const int* index);
  // The selected labels become text fields (TRUE) or the selected text fields labels (FALSE).
  void ConvertTextBox(BOOL toTextFields);
  // Where a help page is: the quoted file URL of the help folder for the Russian interface, the page
  // inside the help file otherwise; empty on failure.
  CString Topic(LPCTSTR page);
  // Opens a page of the help file.
  void ShowHelpTopic(LPCTSTR page);
  // The default browser's program (looked up once); empty when the system names none.
  CString GetDefaultBrowser();
  // Opens the help file at the topic of a help context number (the help-context command).
  void ShowHelpContext(DWORD context);
  // How help is shown: a browser with a URL (`browser` non-empty) or the help viewer's `command`
  // (`data` its argument) on `location`. Tests replace it to record what would be opened; the
  // previous launcher is returned.
  typedef void (*HelpLauncher)(LPCTSTR browser, LPCTSTR location, UINT command, DWORD_PTR data);
  static HelpLauncher SetHelpLauncher(HelpLauncher launcher);
  void HelpPrintOptions();
  void HelpBackup();
  void HelpRestore();
  // Closes every document without asking.
  void CloseAllDocumentsWS();
  // The options sheet; TRUE when it was closed with OK (the main bar, the view and the forms pane
  // then follow the new options).
  BOOL RunOptions();
  void SetPdfOptions(const _PDF_OPTIONS& options, const _PDF_OPTIONS2& options2) {
    m_pdfOptions = options;
    m_pdfOptions2 = options2;
  }

  // ---- Other services ----
  // The object data goes onto the shelf (the shelf takes the handle); 0 for null.
  int AddObjectToCollection(HGLOBAL data);
  // The shelf reads its file again (after a restore from backup).
  void LoadShelfCollection();
  // Lists the forms folder again in the forms pane.
  void LoadForms();
  int GetNextCheckMarkGroup();
  void RepaintObjects();
  // Closes every document window; with `onlyMultipage` only documents of two pages or more.
  void CloseAllDocuments(BOOL onlyMultipage);
  // Applies a look (a command of View > Application Appearance) and stores it.
  void ApplyAppLook(UINT lookCommand);
  // The automatic backup on close: "OnClose" 0 every time, 1 once a week (IsTime), else never.
  BOOL CheckBackupTime();
  // TRUE, storing the current time, when more than a week passed since the stored "BackupTime".
  BOOL IsTime();

  CMainBar* GetMainBar() { return m_mainBar.m_hWnd != nullptr ? &m_mainBar : nullptr; }
  CVYMenuBar& GetMenuBar() { return m_menuBar; }
  CDrawingToolsBar& GetDrawingToolsBar() { return m_drawingToolsBar; }
  CImageToolBar& GetImageToolBar() { return m_imageToolBar; }
  CDatabaseBar& GetDatabaseBar() { return m_databaseBar; }
  CFormsPane& GetFormsPane() { return m_formsPane; }
  CShelfBar& GetShelfBar() { return m_shelfBar; }
  CPropetiesBar& GetPropertiesBar() { return m_propertiesBar; }
  CMFCStatusBar& GetStatusBar() { return m_statusBar; }
  CProgressCtrl& GetProgressCtrl() { return m_progress; }
  BOOL IsEraseComboShown() const { return m_eraseComboShown != 0; }

 protected:
  // Reads the records of the registry; each missing or damaged one gets its defaults.
  void LoadSettings();
  // Writes the records (on closing).
  void StoreSettings();
  BOOL CreateBars();
  BOOL CreatePanes();
  // The window placement, the records and the tab groups go to the registry.
  void SaveFrameState();
  // What closing and the end of the session do before the window goes: the automatic backup when it
  // is due (never in a run from the command line), then SaveFrameState.
  void RunClosingSteps();

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnClose();
  // Files dropped on the frame or passed on by a view: the document files among them are opened.
  afx_msg void OnDropFiles(HDROP drop);
  afx_msg LRESULT OnQueryEndSession(WPARAM wParam, LPARAM lParam);
  // Tool commands and their states (MainFrmModes.cpp).
  afx_msg void OnToolCommand(UINT id);
  afx_msg void OnDrawingToolsFreehand();
  afx_msg void OnGroupbarSelect();
  afx_msg void OnFormMode();
  afx_msg void OnStylebarTabOrder();
  afx_msg void OnGroupbarSnapToGrid();
  afx_msg void OnHighlightFields();
  afx_msg void OnUpdateDrawingTools(CCmdUI* pCmdUI);
  afx_msg void OnUpdateGroupbarSelect(CCmdUI* pCmdUI);
  afx_msg void OnUpdateTabOrderCtrls(CCmdUI* pCmdUI);
  afx_msg void OnUpdateToolbarTools(CCmdUI* pCmdUI);
  afx_msg void OnUpdateImageTools(CCmdUI* pCmdUI);
  afx_msg void OnUpdateGroupbarSnapToGrid(CCmdUI* pCmdUI);
  // File > Backup... and File > Restore... (MainFrmBackup.cpp).
  afx_msg void OnFileBackup();
  afx_msg void OnFileRestore();
  // View > Application Appearance, Window > Close All, the customize dialog.
  afx_msg void OnAppLook(UINT id);
  afx_msg void OnUpdateAppLook(CCmdUI* pCmdUI);
  afx_msg void OnCloseAllDocuments();
  afx_msg void OnUpdateCloseAllDocuments(CCmdUI* pCmdUI);
  afx_msg void OnViewCustomize();
  // Help menu, Options, the spell checker's language (MainFrmTools.cpp).
  afx_msg void OnHelpTopic(UINT id);
  afx_msg void OnOptions();
  afx_msg void OnSpellingSelectLanguage();
  // Page menu and Image > View (MainFrmPages.cpp).
  afx_msg void OnMultipageToolsAdd();
  afx_msg void OnMultipageToolsDel();
  afx_msg void OnMultipageToolsMoveleft();
  afx_msg void OnMultipageToolsMoveright();
  afx_msg void OnMultipageToolsPrevious();
  afx_msg void OnMultipageToolsNext();
  afx_msg void OnMultipageToolsConvertPageToDoc();
  afx_msg void OnImageText();
  afx_msg void OnImageView();
  afx_msg void OnUpdateMultipageToolsAdd(CCmdUI* pCmdUI);
  afx_msg void OnUpdateMultipageToolsDel(CCmdUI* pCmdUI);
  afx_msg void OnUpdateMultipageToolsMoveleft(CCmdUI* pCmdUI);
  afx_msg void OnUpdateMultipageToolsMoveright(CCmdUI* pCmdUI);
  afx_msg void OnUpdateNotInPreview(CCmdUI* pCmdUI);
  afx_msg void OnUpdateFileImage(CCmdUI* pCmdUI);
  // The active page of the active document window and the page count; -1 (count 0) when no window is
  // open or print preview is shown.
  int ActivePageState(int& pageCount);
  // Shows the page `step` pages away from the active one; with `move` the two change places first.
  // The undo history is cleared either way.
  void ChangeActivePage(int step, BOOL move);
  // Frame events (MainFrmEvents.cpp).
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  // The virtual printer's hand-off (dwData 1027): a new document from the printed pages.
  afx_msg BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct);
  afx_msg LRESULT OnToolbarReset(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnChangeActiveTab(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnChildFrameDestroyed(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  // The parts of a tool-bar reset.
  void ResetMainBar();
  void ResetDatabaseBar();

  CVYMenuBar m_menuBar;
  CMainBar m_mainBar;
  CFormsPane m_formsPane;
  CDatabaseBar m_databaseBar;
  CImageToolBar m_imageToolBar;
  CDrawingToolsBar m_drawingToolsBar;
  CShelfBar m_shelfBar;
  CPropetiesBar m_propertiesBar;
  CMFCToolBarImages m_userImages;
  CMFCStatusBar m_statusBar;
  CProgressCtrl m_progress;
  CFont m_controlFont;
  int m_programMode = frame_settings::kDefaultProgramMode;
  int m_prevProgramMode = frame_settings::kDefaultProgramMode;
  _OBJECT_STYLE m_textStyle;
  _PDF_OPTIONS m_pdfOptions;
  _PDF_OPTIONS2 m_pdfOptions2;
  int m_appLook = frame_settings::kDefaultLook;
  _FRAME_OPTIONS m_options;
  UINT_PTR m_timerId = 0;
  _PROPERTIES m_defaultProperties;
  int m_eraseComboShown = 0;
  CObList m_hiddenInPreview;
  HMENU m_spellingMenu = nullptr;
  // The default browser's program, once found.
  CString m_browserPath;
  // Set once the settings were read, so closing never writes what was not loaded.
  BOOL m_settingsLoaded = FALSE;
};

// The main frame when the application's main window is one (null in tools and tests without it).
CMainFrame* GetMainFrame();

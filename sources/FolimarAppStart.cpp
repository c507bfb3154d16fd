// Start-up and shut-down of Orvello, the printer it keeps between runs, the services its parts need
// installed, and the application's own commands (about box, print setup, page setup).
#include "FolimarApp.h"

#include <commctrl.h>

#include "AboutDlg.h"
#include "ChildFrm.h"
#include "DocObjects.h"
#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "ImageOptions.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "ObjectKinds.h"
#include "SharedProcs.h"
#include "PageSetup.h"
#include "TranspBaseClass.h"
#include "ViewDialogs.h"
#include "fw/ResourceLanguage.h"
#include "resource.h"

namespace {

const wchar_t kRegistryKey[] = L"Quennick";
const wchar_t kProfileName[] = L"Vantry";
const wchar_t kInstanceMutex[] = L"VantryMutex";
const wchar_t kCanGetDataMutex[] = L"VantryCanGetDataMutex";
const wchar_t kPrinterSection[] = L"Printer";
// Asked of the application's thread by an outside program: look for forms of earlier versions.
const UINT WM_CHECK_PREVIOUS_FORMS = WM_USER + 4;
// An OLE call waits this long for a busy server before the user is asked (24 minutes).
const DWORD kMessagePendingDelay = 1440000;
const int kRecentFiles = 7;

// Creates the named mutex, owned; null and the log line when it exists already or cannot be made.
HANDLE CreateOwnedMutex(LPCWSTR name) {
  HANDLE mutex = ::CreateMutexW(nullptr, TRUE, name);
  const DWORD error = ::GetLastError();
  if (mutex != nullptr && error == 0) return mutex;
  CString line;
  if (mutex != nullptr && error == ERROR_ALREADY_EXISTS)
    line.Format(L"%s already exists.", name);
  else
    line.Format(L"Failed to create %s by unknown reason", name);
  AppendErrorLog(line);
  if (mutex != nullptr) ::CloseHandle(mutex);
  return nullptr;
}

// A global block of `size` bytes read from the "Printer" section; null when it cannot be read whole.
HGLOBAL ReadPrinterBlock(CFolimarApp& app, LPCWSTR sizeName, LPCWSTR dataName) {
  const int size = static_cast<int>(app.GetProfileInt(kPrinterSection, sizeName, -1));
  if (size <= 0) return nullptr;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(size));
  if (block == nullptr) return nullptr;
  void* data = ::GlobalLock(block);
  DWORD read = 0;
  const BOOL ok = data != nullptr && app.GetProfileData(kPrinterSection, dataName, data, static_cast<DWORD>(size),
                                                        HKEY_CURRENT_USER, &read) && read == static_cast<DWORD>(size);
  ::GlobalUnlock(block);
  if (ok) return block;
  ::GlobalFree(block);
  return nullptr;
}

void WritePrinterBlock(CFolimarApp& app, HGLOBAL block, LPCWSTR sizeName, LPCWSTR dataName) {
  const SIZE_T size = ::GlobalSize(block);
  const void* data = ::GlobalLock(block);
  if (data != nullptr && size > 0) {
    app.WriteProfileInt(kPrinterSection, sizeName, static_cast<int>(size));
    app.WriteProfileData(kPrinterSection, dataName, data, static_cast<DWORD>(size), HKEY_CURRENT_USER);
  }
  ::GlobalUnlock(block);
}

// The device and driver a DEVNAMES block names; FALSE for a block that names none.
BOOL NamesOf(HGLOBAL names, CString& driver, CString& device, CString& port) {
  const DEVNAMES* block = names != nullptr ? static_cast<const DEVNAMES*>(::GlobalLock(names)) : nullptr;
  if (block == nullptr) return FALSE;
  const SIZE_T size = ::GlobalSize(names);
  const LPCWSTR text = reinterpret_cast<LPCWSTR>(block);
  const SIZE_T chars = size / sizeof(WCHAR);
  const BOOL inside = block->wDriverOffset < chars && block->wDeviceOffset < chars && block->wOutputOffset < chars;
  if (inside) {
    driver = CString(text + block->wDriverOffset, static_cast<int>(wcsnlen(text + block->wDriverOffset, chars - block->wDriverOffset)));
    device = CString(text + block->wDeviceOffset, static_cast<int>(wcsnlen(text + block->wDeviceOffset, chars - block->wDeviceOffset)));
    port = CString(text + block->wOutputOffset, static_cast<int>(wcsnlen(text + block->wOutputOffset, chars - block->wOutputOffset)));
  }
  ::GlobalUnlock(names);
  return inside && !device.IsEmpty();
}

int Rounded(double value) { return static_cast<int>(value + 0.5); }

BOOL IsFolder(const CString& path) {
  const DWORD attributes = ::GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CFolimarApp, CWinAppEx)
// File: new, open, multi-page, print setup and page setup.
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
ON_COMMAND(ID_FILE_NEW_MULTIPAGE, OnFileNewMD)
ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
ON_COMMAND(ID_FILE_PAGE_SETUP, OnFilePageSetup)
ON_UPDATE_COMMAND_UI(ID_FILE_PAGE_SETUP, OnUpdateFilePageSetup)
// Recent files and Exit are the framework's.
ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, OnOpenRecentFile)
ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
ON_UPDATE_COMMAND_UI(ID_APP_EXIT, OnUpdateAppExit)
// File: scanning
ON_COMMAND(ID_FILE_TWAIN_SELECT_SOURCE, OnFileTwainSelectSource)
ON_UPDATE_COMMAND_UI(ID_FILE_TWAIN_SELECT_SOURCE, OnUpdateTwainCommand)
ON_COMMAND(ID_FILE_TWAIN_ACQUIRE, OnTwainAcquire)
ON_UPDATE_COMMAND_UI(ID_FILE_TWAIN_ACQUIRE, OnUpdateTwainAcquire)
ON_COMMAND(ID_FILE_TWAIN_SETUP, OnFileTwainSetup)
ON_UPDATE_COMMAND_UI(ID_FILE_TWAIN_SETUP, OnUpdateTwainCommand)
ON_COMMAND(ID_FILE_WIA_SELECT_SOURCE, OnFileWiaSelectSource)
ON_UPDATE_COMMAND_UI(ID_FILE_WIA_SELECT_SOURCE, OnUpdateFileWiaSelectSource)
ON_COMMAND(ID_FILE_WIA_ACQUIRE, OnFileWiaAcquire)
ON_UPDATE_COMMAND_UI(ID_FILE_WIA_ACQUIRE, OnUpdateFileWiaAcquire)
// Records
ON_COMMAND(ID_DB_FILL_FORM_FIELDS, OnFillFormFields)
// Help
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

namespace {

// File > Import from Document reads each file through the application when the document is the active
// one (the file is opened as a copy beside it), else straight into the document.
BOOL LoadDataThroughApplication(CFolimarDoc* doc, LPCTSTR path) {
  CFolimarApp* app = GetFolimarApp();
  if (app == nullptr || app->ActiveDocument() != doc) return doc->AppendRecordsFromFile(path);
  app->LoadData(path);
  return TRUE;
}

}  // namespace

void CFolimarApp::RegisterProgramServices() {
  RegisterOverlayObjectKinds();
  CFolimarDoc::SetDataLoader(LoadDataThroughApplication);
  // Objects without a name in their file take the document's own naming.
  SetTranspObjectNamer(nullptr);
  CFolimarView::InstallViewLinks();
  RegisterViewDialogs();
  RegisterImageOptionDialogs();
}

void CFolimarApp::RegisterClipboardFormats() {
  CTranspBaseClass::SetClipboardFormat(::RegisterClipboardFormatW(L"Brannow Applications Transparent Objects"));
  CTranspBaseClass::SetClipboardFormat2(::RegisterClipboardFormatW(L"Brannow Applications Transparent Objects Fmt 2"));
}

BOOL CFolimarApp::InitInstance() {
  DEF_TRY
  // A second instance must leave the running one's log alone: the single-instance check comes first.
  m_instanceMutex = CreateOwnedMutex(kInstanceMutex);
  if (m_instanceMutex == nullptr) {
    m_errorCode = CMDLINE_ERROR_SECOND_INSTANCE;
    return FALSE;
  }
  ::DeleteFileW(GetErrorLogPathName());
  InitErrorLog();
  AppendErrorLog(L"Start application");

  m_helpBaseName = L"Orvello";
  CString line;
  line.Format(L"Version %s", static_cast<LPCWSTR>(m_versionText));
  AppendErrorLog(line);

  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  CWinAppEx::InitInstance();
  if (FAILED(::OleInitialize(nullptr))) return FALSE;
  m_oleReady = TRUE;

  SetRegistryKey(kRegistryKey);
  LoadStdProfileSettings(kRecentFiles);
  free(const_cast<LPTSTR>(m_pszProfileName));
  m_pszProfileName = _wcsdup(kProfileName);
  CString appName;
  appName.Format(L"%s %s", kProfileName, static_cast<LPCWSTR>(m_versionText));
  free(const_cast<LPTSTR>(m_pszAppName));
  m_pszAppName = _wcsdup(appName);

  SetRegistryBase(L"Settings");
  InitContextMenuManager();
  InitKeyboardManager();
  InitTooltipManager();
  CMFCToolTipInfo tips;
  tips.m_bVislManagerTheme = TRUE;
  tips.m_bBoldLabel = FALSE;
  tips.m_bRoundedCorners = FALSE;
  tips.m_nMaxDescrWidth = 200;
  GetTooltipManager()->SetTooltipParams(AFX_TOOLTIP_TYPE_ALL, RUNTIME_CLASS(CMFCToolTipCtrl), &tips);

  m_languageId = ReadLanguageSetting();
  AfxSetResourceLanguage(AfxLanguageFromPrimary(m_languageId));
  RestoreStoredPrinter();
  UpdatePrinterSettings();
  RegisterProgramServices();

  m_docTemplate = new CMultiDocTemplate(IDR_FOLIMARTYPE, RUNTIME_CLASS(CFolimarDoc), RUNTIME_CLASS(CChildFrame),
                                        RUNTIME_CLASS(CFolimarView));
  AddDocTemplate(m_docTemplate);
  ParseCommandLine(m_cmdInfo);

  CMainFrame* frame = new CMainFrame;
  m_pMainWnd = frame;
  if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
    m_pMainWnd = nullptr;
    if (frame->m_hWnd != nullptr) frame->DestroyWindow();
    return FALSE;
  }
  frame->DragAcceptFiles(TRUE);
  EnableShellOpen();
  RegisterShellFileTypes(TRUE);

  if (IsCommandLineMode() && !m_cmdInfo.m_keepOpen) m_nCmdShow = SW_HIDE;
  if (m_cmdInfo.m_nShellCommand == CCommandLineInfo::FileNew) {
    m_cmdInfo.m_nShellCommand = CCommandLineInfo::FileNothing;
    if (frame->GetOptions().emptyDocAtStartup) CreateEmptyDoc(1);
  } else if (m_cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen &&
             CFolimarDoc::IsImageFormatSupported(m_cmdInfo.m_strFileName)) {
    m_cmdInfo.m_nShellCommand = CCommandLineInfo::FileNothing;
    CreateDocFromImage(m_cmdInfo.m_strFileName);
  }
  if (m_cmdInfo.m_nShellCommand != CCommandLineInfo::FileNothing && !ProcessShellCommand(m_cmdInfo)) return FALSE;
  AppendErrorLog(L"ProcessShellCommand passed");

  if (IsCommandLineMode() && m_cmdInfo.m_help) {
    PrintToConsole(IDS_USAGE);
    return TRUE;
  }
  frame->ShowWindow(m_nCmdShow);
  frame->UpdateWindow();
  RegisterClipboardFormats();
  UpdatePrinterSettings();
  StartScanningSessions();
  if (IsCommandLineMode() && !RunCommandLine()) return TRUE;

  if (!m_cmdInfo.m_vpGiven && frame->GetOptions().explanatoryDocAtStartup && !IsCommandLineMode()) {
    const CString form = GetFormsPathName() + L"\\form1.qlm";
    if (FileExists(form))
      CreateDocFromTemplate(form);
    else
      frame->Options().explanatoryDocAtStartup = 0;
  }

  m_canGetDataMutex = CreateOwnedMutex(kCanGetDataMutex);
  if (m_canGetDataMutex == nullptr) return FALSE;
  AppendErrorLog(L"VantryCanGetDataMutex is created successfully.");
  AppendErrorLog(L"CFolimarApp::InitInstance end");
  return TRUE;
  DEF_CATCH("CFolimarApp::InitInstance")
  return FALSE;
}

int CFolimarApp::ExitInstance() {
  int result = 0;
  DEF_TRY
  EndScanningSessions();
  StorePrinter();
  if (m_oleReady) ::OleUninitialize();
  m_oleReady = FALSE;
  if (m_canGetDataMutex != nullptr) ::CloseHandle(m_canGetDataMutex);
  m_canGetDataMutex = nullptr;
  if (m_instanceMutex != nullptr) ::CloseHandle(m_instanceMutex);
  m_instanceMutex = nullptr;
  DEF_CATCH("CFolimarApp::ExitInstance")
  result = CWinAppEx::ExitInstance();
  return m_errorCode < 0 ? m_errorCode : result;
}

BOOL CFolimarApp::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->hwnd == nullptr && pMsg->message == WM_CHECK_PREVIOUS_FORMS) {
    OnCheckPreviousForms(pMsg->wParam, pMsg->lParam);
    return TRUE;
  }
  return CWinAppEx::PreTranslateMessage(pMsg);
}

void CFolimarApp::PreLoadState() {
  DEF_TRY
  CContextMenuManager* menus = GetContextMenuManager();
  if (menus != nullptr) menus->AddMenu(L"Test menu", IDR_CONTEXT_MENU);
  DEF_CATCH("CFolimarApp::PreLoadState")
}

// ---- Printer ----

void CFolimarApp::RestoreStoredPrinter() {
  DEF_TRY
  HGLOBAL mode = ReadPrinterBlock(*this, L"DEVMODESIZE", L"DEVMODE");
  HGLOBAL names = ReadPrinterBlock(*this, L"DEVNAMESSIZE", L"DEVNAMES");
  CString driver, device, port;
  if (mode != nullptr && names != nullptr && NamesOf(names, driver, device, port)) {
    // A printer removed since the last run gives no context: the system's default is used then.
    const DEVMODEW* devMode = static_cast<const DEVMODEW*>(::GlobalLock(mode));
    HDC trial = devMode != nullptr ? ::CreateDCW(driver, device, nullptr, devMode) : nullptr;
    ::GlobalUnlock(mode);
    if (trial != nullptr) {
      ::DeleteDC(trial);
      AfxSetPrinterHandles(mode, names, TRUE);
      return;
    }
  }
  if (mode != nullptr) ::GlobalFree(mode);
  if (names != nullptr) ::GlobalFree(names);
  AfxSetPrinterHandles(nullptr, nullptr, TRUE);
  DEF_CATCH("CFolimarApp::RestoreStoredPrinter")
}

void CFolimarApp::StorePrinter() {
  DEF_TRY
  HGLOBAL mode = nullptr, names = nullptr;
  AfxGetPrinterHandles(&mode, &names);
  if (mode == nullptr || names == nullptr) return;
  WritePrinterBlock(*this, mode, L"DEVMODESIZE", L"DEVMODE");
  WritePrinterBlock(*this, names, L"DEVNAMESSIZE", L"DEVNAMES");
  DEF_CATCH("CFolimarApp::StorePrinter")
}

HGLOBAL CFolimarApp::GetDevModeHandle() const {
  HGLOBAL mode = nullptr, names = nullptr;
  AfxGetPrinterHandles(&mode, &names);
  return mode;
}

void CFolimarApp::UpdatePrinterSettings() {
  DEF_TRY
  PRINTER_METRICS m = {};
  PRINTDLGW defaults = {};
  defaults.lStructSize = sizeof(defaults);
  defaults.Flags = PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIES;
  HDC dc = nullptr;
  CString driver, device, port;
  if (GetPrinterDeviceDefaults(&defaults) && NamesOf(defaults.hDevNames, driver, device, port)) {
    const DEVMODEW* devMode = defaults.hDevMode != nullptr ? static_cast<const DEVMODEW*>(::GlobalLock(defaults.hDevMode))
                                                           : nullptr;
    dc = ::CreateDCW(driver, device, nullptr, devMode);
    if (defaults.hDevMode != nullptr) ::GlobalUnlock(defaults.hDevMode);
  }
  if (dc != nullptr) {
    m.dpiX = ::GetDeviceCaps(dc, LOGPIXELSX);
    m.dpiY = ::GetDeviceCaps(dc, LOGPIXELSY);
    m.physicalWidth = ::GetDeviceCaps(dc, PHYSICALWIDTH);
    m.physicalHeight = ::GetDeviceCaps(dc, PHYSICALHEIGHT);
    m.offsetX = ::GetDeviceCaps(dc, PHYSICALOFFSETX);
    m.offsetY = ::GetDeviceCaps(dc, PHYSICALOFFSETY);
    m.paperWidthMm = ::GetDeviceCaps(dc, HORZSIZE);
    m.paperHeightMm = ::GetDeviceCaps(dc, VERTSIZE);
    ::DeleteDC(dc);
  } else {
    m.dpiX = 96;
    m.dpiY = 96;
    m.physicalWidth = Rounded(8.5 * m.dpiX);
    m.physicalHeight = Rounded(11.0 * m.dpiY);
    m.paperWidthMm = Rounded(215.9);
    m.paperHeightMm = Rounded(279.4);
  }
  if (m.dpiX == 0 || m.dpiY == 0) m.dpiX = m.dpiY = 96;
  if (m.physicalWidth == 0 || m.physicalHeight == 0) {
    m.physicalWidth = Rounded(8.5 * m.dpiX);
    m.physicalHeight = Rounded(11.0 * m.dpiY);
  }
  if (m.paperWidthMm == 0 || m.paperHeightMm == 0) {
    m.paperWidthMm = 216;
    m.paperHeightMm = 279;
  }
  m_printerMetrics = m;
  for (POSITION t = GetFirstDocTemplatePosition(); t;) {
    CDocTemplate* docTemplate = GetNextDocTemplate(t);
    for (POSITION d = docTemplate->GetFirstDocPosition(); d;) {
      CFolimarDoc* doc = dynamic_cast<CFolimarDoc*>(docTemplate->GetNextDoc(d));
      if (doc != nullptr) doc->UpdatePrinterSettings();
    }
  }
  DEF_CATCH("CFolimarApp::UpdatePrinterSettings")
}

// ---- Commands ----

void CFolimarApp::ClosePreview() {
  CMainFrame* frame = GetMainFrame();
  if (frame != nullptr) frame->ClosePrintPreview();
}

void CFolimarApp::OnAppAbout() {
  DEF_TRY
  CAboutDlg about(m_pMainWnd);
  about.DoModal();
  DEF_CATCH("CFolimarApp::OnAppAbout")
}

void CFolimarApp::PrepareFileCommand() {
  ClosePreview();
  CMainFrame* frame = GetMainFrame();
  CFolimarView* view = frame != nullptr ? frame->GetActiveFormView() : nullptr;
  if (view != nullptr) view->EndWorkingSignature();
}

void CFolimarApp::OnFilePrintSetup() {
  DEF_TRY
  PrepareFileCommand();
  CWinAppEx::OnFilePrintSetup();
  UpdatePrinterSettings();
  DEF_CATCH("CFolimarApp::OnFilePrintSetup")
}

void CFolimarApp::OnFilePageSetup() {
  DEF_TRY
  ClosePreview();
  CMainFrame* frame = GetMainFrame();
  CMDIChildWnd* child = frame != nullptr ? frame->MDIGetActive() : nullptr;
  CDocument* doc = child != nullptr ? child->GetActiveDocument() : nullptr;
  if (doc == nullptr) return;
  CPageSetup setup(m_pMainWnd);
  if (setup.DoModal() == IDOK) doc->SetModifiedFlag(TRUE);
  UpdatePrinterSettings();
  DEF_CATCH("CFolimarApp::OnFilePageSetup")
}

void CFolimarApp::OnUpdateFilePageSetup(CCmdUI* pCmdUI) {
  CMainFrame* frame = GetMainFrame();
  pCmdUI->Enable(frame != nullptr && frame->MDIGetActive() != nullptr);
}

LRESULT CFolimarApp::OnCheckPreviousForms(WPARAM, LPARAM) {
  DEF_TRY
  const CString documents = GetMyDocumentsPathName();
  if (documents.IsEmpty() || !IsFolder(documents + L"\\Vantry")) return 0;
  // Folders of earlier versions of the product, newest first.
  static const wchar_t* const kEarlierFolders[] = {L"Vantry 2", L"Vantry Forms", L"Vantry Documents"};
  for (const wchar_t* name : kEarlierFolders) {
    const CString folder = documents + L"\\" + name;
    if (!IsFolder(folder)) continue;
    CString format, text;
    format.LoadString(IDS_OLD_FORMS_FOUND);
    text.Format(format, static_cast<LPCWSTR>(folder));
    ShowInfoBoxOnce(L"ShowBoxFoundOldForms", text);
    break;
  }
  DEF_CATCH("CFolimarApp::OnCheckPreviousForms")
  return 0;
}

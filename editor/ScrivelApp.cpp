#include "ScrivelApp.h"

#include <commctrl.h>
#include <shellapi.h>

#include "AboutDlg.h"
#include "EditorInstances.h"
#include "EditorLog.h"
#include "FileNewDialog.h"
#include "FillForm.h"
#include "MainFrm.h"
#include "SVDocManager.h"
#include "ScrivelDoc.h"
#include "ScrivelSettings.h"
#include "ScrivelView.h"
#include "ScvFile.h"
#include "SharedProcs.h"
#include "Units.h"
#include "resource.h"

namespace {
const wchar_t kSettings[] = L"Settings";
const wchar_t kSettingOpenFilePath[] = L"OpenFilePath";
const wchar_t kSettingInitialTemplatePath[] = L"InitialTemplatePath";
}  // namespace

CScrivelApp* GetScrivelApp() { return static_cast<CScrivelApp*>(AfxGetApp()); }

BEGIN_MESSAGE_MAP(CScrivelApp, CWinAppEx)
// File
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
// Help
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

CScrivelApp::CScrivelApp() : CWinAppEx(), m_rectPageMargin(1800, 1440, 1800, 1440) {
  free(const_cast<LPTSTR>(m_pszAppName));
  m_pszAppName = _wcsdup(L"Scrivel");
  SetAppID(L"Scrivel.AppID.NoVersion");
}

CSVDocManager* CScrivelApp::GetSVDocManager() const { return static_cast<CSVDocManager*>(m_pDocManager); }

void CScrivelApp::UseDocumentsKey() {
  if (CSVDocManager* manager = GetSVDocManager()) manager->SetKey(kSettingOpenFilePath, GetMyDocumentsPathName());
}

void CScrivelApp::OnFileOpen() {
  UseDocumentsKey();
  m_bAddToRecent = TRUE;
  CWinAppEx::OnFileOpen();
  m_bAddToRecent = FALSE;
}

// Before start-up is complete a plain new document; afterwards the user chooses an empty one or a
// template.
void CScrivelApp::OnFileNew() {
  if (!m_bStartupComplete || !m_pMainWnd) {
    CWinAppEx::OnFileNew();
    return;
  }
  CFileNewDialog dialog(m_pMainWnd);
  if (dialog.DoModal() != IDOK) return;
  if (dialog.m_nChoice == CFileNewDialog::kEmpty) {
    CWinAppEx::OnFileNew();
    return;
  }
  CSVDocManager* manager = GetSVDocManager();
  if (!manager) return;
  manager->SetKey(kSettingInitialTemplatePath, GetMyDocumentsPathName() + L"\\Scrivel");
  CString name;
  if (!manager->DoPromptFileName(name, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr)) return;
  OpenTemplate(name);
}

CDocument* CScrivelApp::OpenTemplate(const CString& path) {
  if (!m_pDocManager) return nullptr;
  CDocument* doc = m_pDocManager->OpenDocumentFile(path, FALSE);
  if (!doc) return nullptr;
  // Saving must never write over the template.
  doc->ClearPathName();
  doc->SetTitle(TitleFromPath(path));
  if (CScrivelDoc* scrivel = dynamic_cast<CScrivelDoc*>(doc)) scrivel->m_bOpenedByOpen = 0;
  return doc;
}

void CScrivelApp::OnAppAbout() {
  CAboutDlg about(m_pMainWnd);
  about.DoModal();
}

void CScrivelApp::PreLoadState() {
  CString name;
  name.LoadString(IDS_EDIT_MENU);
  if (CContextMenuManager* menus = GetContextMenuManager()) menus->AddMenu(name, IDR_POPUP_EDIT);
}

BOOL CScrivelApp::InitEditor() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES |
                                                         ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES |
                                                         ICC_INTERNET_CLASSES | ICC_PAGESCROLLER_CLASS |
                                                         ICC_NATIVEFNTCTL_CLASS | ICC_LINK_CLASS};
  ::InitCommonControlsEx(&controls);
  CWinAppEx::InitInstance();
  if (FAILED(::OleInitialize(nullptr))) {
    AfxMessageBox(IDP_OLE_INIT_FAILED);
    return FALSE;
  }
  m_hRichEdit = ::LoadLibraryW(L"MSFTEDIT.DLL");
  if (!m_hRichEdit) {
    AfxMessageBox(L"RichEdit 4.1 library could not be loaded");
    return FALSE;
  }
  SetRegistryKey(L"Quennick");
  // The look and the frame's own state sit beside the editor's other settings.
  SetRegistryBase(kSettings);
  LoadSettings();
  LoadStdProfileSettings(4);
  CUnits::LoadAbbreviations(m_hInstance);
  m_nPrinterChangedMsg = ::RegisterWindowMessageW(L"ScrivelPrinterChanged");

  InitContextMenuManager();
  InitKeyboardManager();
  InitTooltipManager();
  CMFCToolTipInfo tips;
  tips.m_bVislManagerTheme = TRUE;
  GetTooltipManager()->SetTooltipParams(AFX_TOOLTIP_TYPE_ALL, RUNTIME_CLASS(CMFCToolTipCtrl), &tips);

  m_pDocManager = new CSVDocManager;
  UseDocumentsKey();
  AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CScrivelDoc), RUNTIME_CLASS(CMainFrame),
                                        RUNTIME_CLASS(CScrivelView)));
  return TRUE;
}

BOOL CScrivelApp::InitInstance() {
  if (!InitEditor()) return FALSE;
  ParseCommandLine(m_cmdInfo);
  EnableShellOpen();
  RegisterShellFileTypes(TRUE);

  // The batch road opens the documents itself, in a window nobody sees unless /o2 keeps it.
  if (m_cmdInfo.m_bCommandLine) {
    m_cmdInfo.m_nShellCommand = CCommandLineInfo::FileNew;
    if (!m_cmdInfo.m_bKeepOpen) {
      m_nCmdShow = SW_HIDE;
      m_bShowFrame = 0;
    }
  }
  if (!ProcessShellCommand(m_cmdInfo)) return FALSE;
  m_bStartupComplete = 1;
  if (!m_pMainWnd) return FALSE;
  if (m_cmdInfo.m_bCommandLine && m_cmdInfo.m_bUsage) {
    PrintUsage();
    return TRUE;
  }
  m_pMainWnd->ShowWindow(m_nCmdShow);
  m_pMainWnd->UpdateWindow();
  m_pMainWnd->DragAcceptFiles(TRUE);
  if (m_cmdInfo.m_bCommandLine) RunBatch();
  return TRUE;
}

int CScrivelApp::ExitInstance() {
  SaveSettings();
  if (m_hRichEdit) {
    // The control's windows are gone with the main window.
    ::FreeLibrary(m_hRichEdit);
    m_hRichEdit = nullptr;
  }
  ::OleUninitialize();
  const int result = CWinAppEx::ExitInstance();
  return m_nErrorCode < 0 ? m_nErrorCode : result;
}

int CScrivelApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) {
  if (m_cmdInfo.m_bCommandLine && !m_bShowFrame) {
    AppendEditorLog(lpszPrompt);
    switch (nType & MB_TYPEMASK) {
      case MB_YESNO:
      case MB_YESNOCANCEL:
        return IDNO;
      case MB_OKCANCEL:
      case MB_RETRYCANCEL:
        return IDCANCEL;
      default:
        return IDOK;
    }
  }
  return CWinAppEx::DoMessageBox(lpszPrompt, nType, nIDPrompt);
}

void CScrivelApp::LoadSettings() {
  SCRIVEL_SETTINGS settings;
  settings.pageMargin = m_rectPageMargin;
  LoadScrivelSettings(*this, settings);
  m_nUnits = settings.units;
  m_nAppLook = settings.appLook;
  m_rectPageMargin = settings.pageMargin;
}

void CScrivelApp::SaveSettings() {
  SCRIVEL_SETTINGS settings;
  settings.units = m_nUnits;
  settings.appLook = m_nAppLook;
  settings.pageMargin = m_rectPageMargin;
  SaveScrivelSettings(*this, settings);
}

void CScrivelApp::NotifyPrinterChanged() {
  for (POSITION pos = m_listPrinterNotify.GetHeadPosition(); pos;) {
    const HWND window = m_listPrinterNotify.GetNext(pos);
    if (::IsWindow(window)) ::SendMessageW(window, m_nPrinterChangedMsg, 0, 0);
  }
}

CScrivelView* CScrivelApp::GetCurrentView() const {
  CFrameWnd* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd);
  CView* view = frame ? frame->GetActiveView() : nullptr;
  return (view && view->IsKindOf(RUNTIME_CLASS(CScrivelView))) ? static_cast<CScrivelView*>(view) : nullptr;
}

// The usage goes to the console of the program that started us; a key press brings its prompt back.
void CScrivelApp::PrintUsage() {
  m_nErrorCode = 0;
  CString usage;
  usage.LoadString(IDS_USAGE);
  INPUT_RECORD enter[2] = {};
  for (int i = 0; i < 2; ++i) {
    enter[i].EventType = KEY_EVENT;
    enter[i].Event.KeyEvent.bKeyDown = i == 0;
    enter[i].Event.KeyEvent.wRepeatCount = 1;
    enter[i].Event.KeyEvent.wVirtualKeyCode = VK_RETURN;
    enter[i].Event.KeyEvent.uChar.UnicodeChar = L'\r';
  }
  WriteToParentConsole(usage, enter, 2);
  m_pMainWnd->PostMessage(WM_CLOSE);
}

void CScrivelApp::StartInstances() {
  const CString data = m_cmdInfo.m_bDataGiven ? m_cmdInfo.m_dataValue : CString();
  const CString out = m_cmdInfo.m_bOutGiven ? m_cmdInfo.m_outFolder : CString();
  StartEditorInstances(m_cmdInfo.m_files, data, m_cmdInfo.m_groupName, out);
}

BOOL CScrivelApp::FillOneDocument(const CString& path, const CFieldMap& data) {
  CDocManager* manager = m_pDocManager;
  if (!manager) return FALSE;
  // The previous document of the batch was filled on purpose and is not to be saved again.
  if (CScrivelView* view = GetCurrentView()) {
    if (view->GetDocument()) view->GetDocument()->SetModifiedFlag(FALSE);
  }
  manager->OnFileNew();
  CDocument* doc = OpenTemplate(path);
  if (!doc) return FALSE;
  CScrivelView* view = GetCurrentView();
  if (!view) return FALSE;
  view->FillFromMap(data);
  if (m_cmdInfo.PrintsInBatch()) view->PrintInBatch(&m_cmdInfo);
  if (m_cmdInfo.m_bSaveToOutput) {
    CString name = path;
    const int slash = name.ReverseFind(L'\\');
    if (slash >= 0) name = name.Mid(slash + 1);
    doc->OnSaveDocument(m_cmdInfo.m_outFolder + L"\\" + name);
  }
  doc->SetModifiedFlag(FALSE);
  return TRUE;
}

void CScrivelApp::RunBatch() {
  CFieldMap data;
  if (m_cmdInfo.m_nErrorCode != 0) {
    m_nErrorCode = m_cmdInfo.m_nErrorCode;
  } else if (!m_cmdInfo.m_bFileGiven && !m_cmdInfo.m_bFolderGiven) {
    AppendEditorLog(L"m_nErrorCode = -13;");
    m_nErrorCode = SCRIVEL_ERROR_NOTHING_TO_DO;
  } else if (m_cmdInfo.m_bDataGiven && m_cmdInfo.m_bIniData && !::ReadIniData(m_cmdInfo.m_iniPath, data)) {
    AppendEditorLog(L"m_nErrorCode = -2;");
    m_nErrorCode = SCRIVEL_ERROR_DATA;
  } else {
    int error = 0;
    if (m_cmdInfo.m_bDataGiven && m_cmdInfo.m_bProfileData) {
      CFillForm form(data, nullptr);
      form.GetData(m_cmdInfo.m_groupName, m_cmdInfo.m_profileName);
      if (!form.CheckError(error)) error = 0;
    }
    if (error != 0) {
      m_nErrorCode = error;
    } else if (m_cmdInfo.m_bOpenEach) {
      StartInstances();
    } else {
      for (POSITION pos = m_cmdInfo.m_files.GetHeadPosition(); pos;) {
        // A document that does not open is reported by the exit code instead of passing unnoticed.
        if (!FillOneDocument(m_cmdInfo.m_files.GetNext(pos), data)) m_nErrorCode = SCRIVEL_ERROR_FILE;
      }
    }
  }
  if (m_cmdInfo.m_bKeepOpen) return;
  CFrameWnd* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd);
  CDocument* doc = frame ? frame->GetActiveDocument() : nullptr;
  if (doc) {
    doc->SetModifiedFlag(FALSE);
    doc->OnCloseDocument();
  } else if (m_pMainWnd) {
    m_pMainWnd->DestroyWindow();
  }
}

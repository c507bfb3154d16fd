#include "MainFrm.h"

#include <ctime>

#include "AutoBackup.h"
#include "ChildFrm.h"
#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "ImageOptions.h"
#include "MyProcs.h"
#include "Units.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWndEx)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWndEx)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_DROPFILES()
ON_MESSAGE(WM_QUERYENDSESSION, OnQueryEndSession)
ON_WM_TIMER()
// Pages handed over by the virtual printer.
ON_WM_COPYDATA()
ON_REGISTERED_MESSAGE(AFX_WM_RESETTOOLBAR, OnToolbarReset)
ON_REGISTERED_MESSAGE(AFX_WM_CHANGE_ACTIVE_TAB, OnChangeActiveTab)
ON_MESSAGE(WM_CHILD_FRAME_DESTROYED, OnChildFrameDestroyed)
// Drawing-tools, image and main bars: the tools that set a program mode.
ON_COMMAND_RANGE(ID_TOOL_CHECK_MARK, ID_TOOL_CHECK_MARK, OnToolCommand)
ON_COMMAND_RANGE(ID_TOOL_ROTATION, ID_TOOL_ROTATION, OnToolCommand)
ON_COMMAND_RANGE(ID_TOOL_CROP, ID_TOOL_CROP, OnToolCommand)
ON_COMMAND_RANGE(ID_TOOL_ERASER, ID_TOOL_UNERASER, OnToolCommand)
ON_COMMAND_RANGE(ID_TOOL_COPY_REGION, ID_TOOL_COPY_REGION, OnToolCommand)
ON_COMMAND_RANGE(ID_TOOL_MOVE_IMAGE, ID_TOOL_MOVE_IMAGE, OnToolCommand)
ON_COMMAND_RANGE(ID_TOOL_BASE_POINT, ID_TOOL_BASE_POINT, OnToolCommand)
ON_COMMAND_RANGE(ID_TOOL_RECTANGLE, ID_TOOL_POLYGON, OnToolCommand)
ON_COMMAND_RANGE(ID_TOOL_LINE, ID_TOOL_LINE, OnToolCommand)
ON_COMMAND_RANGE(ID_TOOL_CIRCLE, ID_TOOL_TEXT_FIELD, OnToolCommand)
ON_COMMAND_RANGE(ID_TOOL_WHITE_CORRECTION, ID_TOOL_BLACK_CORRECTION, OnToolCommand)
ON_COMMAND_RANGE(ID_TOOL_LABEL, ID_TOOL_LABEL, OnToolCommand)
ON_COMMAND_RANGE(ID_TOOL_BARCODE, ID_TOOL_BARCODE, OnToolCommand)
ON_COMMAND(ID_TOOL_FREEHAND, OnDrawingToolsFreehand)
// Edit and View: select, tab order, form filling, highlight, snap to grid.
ON_COMMAND(ID_TOOL_SELECT, OnGroupbarSelect)
ON_COMMAND(ID_TOOL_FORM_MODE, OnFormMode)
ON_COMMAND(ID_TOOL_TAB_ORDER, OnStylebarTabOrder)
ON_COMMAND(ID_VIEW_SNAP_TO_GRID, OnGroupbarSnapToGrid)
ON_COMMAND(ID_VIEW_HIGHLIGHT_FIELDS, OnHighlightFields)
ON_UPDATE_COMMAND_UI_RANGE(ID_TOOL_RECTANGLE, ID_TOOL_TEXT_FIELD, OnUpdateDrawingTools)
ON_UPDATE_COMMAND_UI(ID_TOOL_LABEL, OnUpdateDrawingTools)
ON_UPDATE_COMMAND_UI(ID_TOOL_BARCODE, OnUpdateDrawingTools)
ON_UPDATE_COMMAND_UI(ID_INSERT_PICTURE, OnUpdateDrawingTools)
ON_UPDATE_COMMAND_UI(ID_TOOL_CHECK_MARK, OnUpdateDrawingTools)
ON_UPDATE_COMMAND_UI(ID_TOOL_BRACE, OnUpdateDrawingTools)
ON_UPDATE_COMMAND_UI(ID_TOOL_SELECT, OnUpdateGroupbarSelect)
ON_UPDATE_COMMAND_UI(ID_TOOL_TAB_ORDER, OnUpdateTabOrderCtrls)
ON_UPDATE_COMMAND_UI(ID_TOOL_FORM_MODE, OnUpdateToolbarTools)
ON_UPDATE_COMMAND_UI(ID_VIEW_HIGHLIGHT_FIELDS, OnUpdateToolbarTools)
ON_UPDATE_COMMAND_UI(ID_COMBO_SCALE, OnUpdateToolbarTools)
ON_UPDATE_COMMAND_UI(ID_TOOL_DO_TRANSFORMATION, OnUpdateToolbarTools)
ON_UPDATE_COMMAND_UI(ID_TOOL_WITH_BORDER, OnUpdateToolbarTools)
ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateToolbarTools)
ON_UPDATE_COMMAND_UI(ID_FILE_SEND_MAIL, OnUpdateToolbarTools)
ON_UPDATE_COMMAND_UI(ID_FILE_SEND_FAX, OnUpdateToolbarTools)
ON_COMMAND(ID_FILE_BACKUP, OnFileBackup)
ON_COMMAND(ID_FILE_RESTORE, OnFileRestore)
ON_UPDATE_COMMAND_UI(ID_VIEW_SNAP_TO_GRID, OnUpdateGroupbarSnapToGrid)
// Image tools, and the image commands whose state follows the page image.
ON_UPDATE_COMMAND_UI(ID_TOOL_ROTATION, OnUpdateImageTools)
ON_UPDATE_COMMAND_UI(ID_TOOL_CROP, OnUpdateImageTools)
ON_UPDATE_COMMAND_UI_RANGE(ID_TOOL_ERASER, ID_ERASE_SIZE, OnUpdateImageTools)
ON_UPDATE_COMMAND_UI(ID_TOOL_MOVE_IMAGE, OnUpdateImageTools)
ON_UPDATE_COMMAND_UI(ID_TOOL_COPY_REGION, OnUpdateImageTools)
ON_UPDATE_COMMAND_UI_RANGE(ID_TOOL_WHITE_CORRECTION, ID_TOOL_BLACK_CORRECTION, OnUpdateImageTools)
ON_UPDATE_COMMAND_UI(ID_IMAGE_VIEW, OnUpdateImageTools)
ON_UPDATE_COMMAND_UI_RANGE(ID_IMAGE_MOVE_LEFT, ID_IMAGE_MOVE_DOWN, OnUpdateImageTools)
ON_UPDATE_COMMAND_UI(ID_TOOL_BASE_POINT, OnUpdateImageTools)
// View > Application Appearance, Window > Close All, View > Customize.
ON_COMMAND_RANGE(ID_VIEW_LOOK_WIN2000, ID_VIEW_LOOK_WIN7, OnAppLook)
ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_LOOK_WIN2000, ID_VIEW_LOOK_WIN7, OnUpdateAppLook)
ON_COMMAND(ID_WINDOW_CLOSE_ALL, OnCloseAllDocuments)
ON_UPDATE_COMMAND_UI(ID_WINDOW_CLOSE_ALL, OnUpdateCloseAllDocuments)
ON_COMMAND(ID_VIEW_CUSTOMIZE, OnViewCustomize)
// Help menu, Tools > Options, Spelling > Configure spellchecker.
ON_COMMAND_RANGE(ID_HELP_FIRST_STEP, ID_HELP_FIRST_STEP, OnHelpTopic)
ON_COMMAND_RANGE(ID_HELP_CONTENTS, ID_HELP_CONTENTS, OnHelpTopic)
ON_COMMAND_RANGE(ID_HELP_FORM_FILLING, ID_HELP_FORM_FILLING, OnHelpTopic)
ON_COMMAND_RANGE(ID_HELP_SUPPORT, ID_HELP_SUPPORT, OnHelpTopic)
ON_COMMAND_RANGE(ID_HELP_ORDERING, ID_HELP_ORDERING, OnHelpTopic)
ON_COMMAND_RANGE(ID_HELP_FAQ, ID_HELP_FAQ, OnHelpTopic)
ON_COMMAND_RANGE(ID_HELP_HOWTO, ID_HELP_HOWTO, OnHelpTopic)
ON_COMMAND(ID_OPTIONS, OnOptions)
ON_COMMAND(ID_SPELLING_SELECT_LANGUAGE, OnSpellingSelectLanguage)
// Page menu and Image > View.
ON_COMMAND(ID_PAGE_ADD, OnMultipageToolsAdd)
ON_COMMAND(ID_PAGE_DELETE, OnMultipageToolsDel)
ON_COMMAND(ID_PAGE_MOVE_LEFT, OnMultipageToolsMoveleft)
ON_COMMAND(ID_PAGE_MOVE_RIGHT, OnMultipageToolsMoveright)
ON_COMMAND(ID_PAGE_PREVIOUS, OnMultipageToolsPrevious)
ON_COMMAND(ID_PAGE_NEXT, OnMultipageToolsNext)
ON_COMMAND(ID_PAGE_TO_DOCUMENT, OnMultipageToolsConvertPageToDoc)
ON_COMMAND(ID_IMAGE_VIEW, OnImageView)
ON_COMMAND(ID_IMAGE_CONVERT_DOCUMENT, OnImageText)
ON_UPDATE_COMMAND_UI(ID_PAGE_ADD, OnUpdateMultipageToolsAdd)
ON_UPDATE_COMMAND_UI(ID_PAGE_TO_DOCUMENT, OnUpdateMultipageToolsAdd)
ON_UPDATE_COMMAND_UI(ID_PAGE_DELETE, OnUpdateMultipageToolsDel)
ON_UPDATE_COMMAND_UI(ID_PAGE_MOVE_LEFT, OnUpdateMultipageToolsMoveleft)
ON_UPDATE_COMMAND_UI(ID_PAGE_PREVIOUS, OnUpdateMultipageToolsMoveleft)
ON_UPDATE_COMMAND_UI(ID_PAGE_MOVE_RIGHT, OnUpdateMultipageToolsMoveright)
ON_UPDATE_COMMAND_UI(ID_PAGE_NEXT, OnUpdateMultipageToolsMoveright)
ON_UPDATE_COMMAND_UI(ID_IMAGE_CONVERT_DOCUMENT, OnUpdateNotInPreview)
ON_UPDATE_COMMAND_UI(ID_IMAGE_SAVE_BACKGROUND, OnUpdateFileImage)
ON_UPDATE_COMMAND_UI(ID_IMAGE_DELETE_BACKGROUND, OnUpdateFileImage)
END_MESSAGE_MAP()

namespace {

using namespace frame_settings;

// The user's own button images, when the framework has none yet; larger files are not taken.
const wchar_t kUserImagesFile[] = L".\\UserImages.bmp";
const DWORD kMaxUserImagesBytes = 819200;
// The ids of the tool bars the user makes in the customize dialog.
const UINT kFirstUserToolBar = 59432;
const UINT kLastUserToolBar = 59441;
const UINT kTimerBarcodes = 1;
const UINT kTimerPeriod = 3000;
const int kPaneWidth = 200;
const int kPaneHeight = 400;

CFolimarApp* App() { return GetFolimarApp(); }

// A stored record of exactly `size` bytes, or FALSE.
BOOL ReadRecord(LPCTSTR name, void* record, DWORD size) {
  CFolimarApp* app = App();
  if (app == nullptr) return FALSE;
  DWORD read = 0;
  CByteArray bytes;
  bytes.SetSize(size);
  if (!app->GetProfileData(kSection, name, bytes.GetData(), size, HKEY_CURRENT_USER, &read) || read != size)
    return FALSE;
  memcpy(record, bytes.GetData(), size);
  return TRUE;
}

void WriteRecord(LPCTSTR name, const void* record, DWORD size) {
  CFolimarApp* app = App();
  if (app != nullptr) app->WriteProfileData(kSection, name, record, size, HKEY_CURRENT_USER);
}

int ReadSetting(LPCTSTR name, int defaultValue) {
  CWinApp* app = AfxGetApp();
  return app != nullptr ? static_cast<int>(app->GetProfileInt(kSection, name, defaultValue)) : defaultValue;
}

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

RECT WorkArea() {
  RECT area = {0, 0, 940, 700};
  if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) area = {0, 0, 940, 700};
  return area;
}

// The class of the main window: the framework's class under the product's name with its icon, so
// other programs find the window by the name.
LPCWSTR RegisterSimilarClass(LPCWSTR proposed) {
  static const wchar_t kName[] = L"VantryMainFrame";
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW info = {sizeof(info)};
  if (::GetClassInfoExW(instance, kName, &info)) return kName;
  if (proposed == nullptr || !::GetClassInfoExW(instance, proposed, &info)) return nullptr;
  info.cbSize = sizeof(info);
  info.lpszClassName = kName;
  info.hInstance = instance;
  info.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
  info.hIconSm = nullptr;
  return ::RegisterClassExW(&info) != 0 ? kName : nullptr;
}

}  // namespace

CMainFrame* GetMainFrame() {
  CWnd* main = AfxGetMainWnd();
  return main != nullptr && main->IsKindOf(RUNTIME_CLASS(CMainFrame)) ? static_cast<CMainFrame*>(main) : nullptr;
}

// ---- Making and closing ----

CMainFrame::CMainFrame()
    : m_pdfOptions(DefaultPdfOptions()), m_pdfOptions2(DefaultPdfOptions2()), m_options(DefaultFrameOptions()) {
  DEF_TRY
  m_appLook = ReadSetting(kApplicationLook, kDefaultLook);
  memset(&m_textStyle, 0, sizeof(m_textStyle));
  m_textStyle.lineWidth = 100;
  const CString temp = GetTempDirPath();
  if (!temp.IsEmpty()) ::CreateDirectoryW(temp, nullptr);
  DEF_CATCH("CMainFrame::CMainFrame")
}

CMainFrame::~CMainFrame() {
  DEF_TRY
  // Image operations that report progress after the frame is gone must not reach it.
  SetImageProgressSink(nullptr);
  CWinApp* app = AfxGetApp();
  if (app != nullptr && m_settingsLoaded) app->WriteProfileInt(kSection, kProgramMode, m_programMode);
  DeleteFiles(GetTempDirPath());
  if (m_spellingMenu != nullptr) ::DestroyMenu(m_spellingMenu);
  m_spellingMenu = nullptr;
  DEF_CATCH("CMainFrame::~CMainFrame")
}

BOOL CMainFrame::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  DEF_TRY
  if (!CMDIFrameWndEx::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
  // The caption is the application's name (profile name and version) before the document's.
  const LPCTSTR appName = AfxGetAppName();
  if (appName != nullptr && *appName != 0) {
    SetTitle(appName);
    OnUpdateFrameTitle(TRUE);
  }
  const CString customize = LoadText(IDS_TOOLBAR_CUSTOMIZE);
  for (int i = 0; i < static_cast<int>(kLastUserToolBar - kFirstUserToolBar + 1); ++i) {
    CMFCToolBar* bar = GetUserToolBarByIndex(i);
    if (bar != nullptr) bar->EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, customize);
  }
  return TRUE;
  DEF_CATCH("CMainFrame::LoadFrame")
  return FALSE;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTW& cs) {
  DEF_TRY
  if (!CMDIFrameWndEx::PreCreateWindow(cs)) return FALSE;
  const RECT area = WorkArea();
  WINDOWPLACEMENT placement = {};
  CWinApp* app = AfxGetApp();
  if (ReadRecord(kPlacement, &placement, sizeof(placement)) && IsUsablePlacement(placement, area)) {
    const RECT& r = placement.rcNormalPosition;
    cs.x = r.left;
    cs.y = r.top;
    cs.cx = r.right - r.left;
    cs.cy = r.bottom - r.top;
    if (app != nullptr) app->m_nCmdShow = static_cast<int>(placement.showCmd);
  } else {
    const RECT r = DefaultFrameRect(area);
    cs.x = r.left;
    cs.y = r.top;
    cs.cx = r.right - r.left;
    cs.cy = r.bottom - r.top;
  }
  cs.lpszClass = RegisterSimilarClass(cs.lpszClass);
  return cs.lpszClass != nullptr;
  DEF_CATCH("CMainFrame::PreCreateWindow")
  return FALSE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  DEF_TRY
  AppendErrorLog(L"CMainFrame::OnCreate begin");
  if (CMDIFrameWndEx::OnCreate(lpCreateStruct) == -1) return -1;
  m_timerId = SetTimer(kTimerBarcodes, kTimerPeriod, nullptr);
  ApplyAppLook(static_cast<UINT>(m_appLook));

  CMDITabInfo tabs;
  tabs.m_style = CMFCTabCtrl::STYLE_3D_ONENOTE;
  tabs.m_bActiveTabCloseButton = TRUE;
  tabs.m_bTabCloseButton = FALSE;
  tabs.m_bDocumentMenu = TRUE;
  tabs.m_bEnableTabSwap = FALSE;
  EnableMDITabbedGroups(TRUE, tabs);

  if (!m_menuBar.Create(this)) return -1;
  m_menuBar.SetPaneStyle(m_menuBar.GetPaneStyle() | CBRS_SIZE_DYNAMIC | CBRS_TOOLTIPS | CBRS_FLYBY);

  AppendErrorLog(L"CMainFrame::OnCreate 1");
  LoadSettings();
  LOGFONTW font = {};
  font.lfHeight = -::MulDiv(8, 96, 72);
  font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  wcscpy(font.lfFaceName, L"MS Sans Serif");
  m_controlFont.CreateFontIndirect(&font);
  SetImageOptionsRecord(&m_options.tiffCompression, &m_options.jpegQuality);

  AppendErrorLog(L"CMainFrame::OnCreate 2");
  if (!CreateBars()) return -1;

  AppendErrorLog(L"CMainFrame::OnCreate 3");
  EnableDocking(CBRS_ALIGN_ANY);
  DockPane(&m_menuBar);
  DockPane(&m_mainBar);
  DockPane(&m_imageToolBar);
  DockPaneLeftOf(&m_drawingToolsBar, &m_imageToolBar);
  DockPane(&m_databaseBar);
  m_imageToolBar.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
  m_drawingToolsBar.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
  m_databaseBar.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
  CDockingManager::SetDockingMode(DT_SMART);
  EnableAutoHidePanes(CBRS_ALIGN_ANY);

  AppendErrorLog(L"CMainFrame::OnCreate 4");
  if (!CreatePanes()) return -1;

  AppendErrorLog(L"CMainFrame::OnCreate 5");
  EnablePaneMenu(TRUE, ID_VIEW_CUSTOMIZE, LoadText(IDS_TOOLBAR_CUSTOMIZE), 0);
  CMFCToolBar::EnableQuickCustomization(TRUE);
  DragAcceptFiles(TRUE);

  AppendErrorLog(L"CMainFrame::OnCreate 6");
  int mode = m_options.formModeAtStartup ? kDefaultProgramMode : ReadSetting(kProgramMode, kDefaultProgramMode);
  // A stored mode from outside the table starts the program in form filling.
  if (mode < 1 || mode > 26) mode = kDefaultProgramMode;
  m_programMode = mode;
  m_prevProgramMode = mode;
  SetProgramMode(mode, 1);

  AppendErrorLog(L"CMainFrame::OnCreate 7");
  WIN32_FILE_ATTRIBUTE_DATA file = {};
  if (CMFCToolBar::GetUserImages() == nullptr &&
      ::GetFileAttributesExW(kUserImagesFile, GetFileExInfoStandard, &file) && file.nFileSizeHigh == 0 &&
      file.nFileSizeLow <= kMaxUserImagesBytes && m_userImages.Load(kUserImagesFile))
    CMFCToolBar::SetUserImages(&m_userImages);
  SetImageProgressSink(this);
  AppendErrorLog(L"CMainFrame::OnCreate end");
  return 0;
  DEF_CATCH("CMainFrame::OnCreate")
  return -1;
}

BOOL CMainFrame::CreateBars() {
  const DWORD topBar = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
  if (!m_mainBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_LIST, topBar, CRect(1, 1, 1, 1), AFX_IDW_TOOLBAR) ||
      !m_mainBar.LoadToolBar(IDR_MAINFRAME))
    return FALSE;
  m_mainBar.SetSnapToGrid(m_options.snapToGrid);
  if (!m_databaseBar.Create(this) || !m_imageToolBar.Create(this) || !m_drawingToolsBar.Create(this)) return FALSE;
  const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
  if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(indicators, _countof(indicators))) return FALSE;
  if (!m_progress.Create(WS_CHILD, CRect(0, 0, 0, 0), &m_statusBar, 1)) return FALSE;

  const struct {
    CMFCToolBar* bar;
    UINT title;
  } bars[] = {{&m_mainBar, IDS_MAIN_TOOLS},
              {&m_drawingToolsBar, IDS_DRAWING_TOOLS},
              {&m_imageToolBar, IDS_IMAGE_TOOLS},
              {&m_databaseBar, IDS_DATABASE_TOOLS}};
  const CString customize = LoadText(IDS_TOOLBAR_CUSTOMIZE);
  for (const auto& b : bars) {
    b.bar->SetWindowText(LoadText(b.title));
    b.bar->EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, customize);
  }
  InitUserToolbars(nullptr, kFirstUserToolBar, kLastUserToolBar);
  m_menuBar.EnableDocking(CBRS_ALIGN_ANY);
  m_mainBar.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
  m_imageToolBar.EnableDocking(CBRS_ALIGN_LEFT);
  m_drawingToolsBar.EnableDocking(CBRS_ALIGN_LEFT);
  m_databaseBar.EnableDocking(CBRS_ALIGN_BOTTOM);
  return TRUE;
}

BOOL CMainFrame::CreatePanes() {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_RIGHT;
  const CRect size(0, 0, kPaneWidth, kPaneHeight);
  if (!m_shelfBar.Create(LoadText(IDS_SHELF_PANE), this, size, TRUE, ID_PANE_SHELF, style)) return FALSE;
  if (!m_propertiesBar.Create(LoadText(IDS_PROPERTIES_PANE), this, size, TRUE, ID_PANE_PROPERTIES, style))
    return FALSE;
  _PROPERTIES_RECORD record = ToPropertiesRecord(_PROPERTIES());
  if (ReadRecord(kProperties, &record, sizeof(record)) && IsValidPropertiesRecord(record))
    FromPropertiesRecord(record, m_defaultProperties);
  int noKinds = 0;
  SetPropertyList(m_defaultProperties, &m_textStyle, &noKinds);
  m_shelfBar.EnableDocking(CBRS_ALIGN_ANY);
  m_propertiesBar.EnableDocking(CBRS_ALIGN_ANY);

  AppendErrorLog(L"CMainFrame::OnCreate 4.1");
  if (!m_formsPane.Create(LoadText(IDS_FORMS_PANE), this, size, TRUE, ID_PANE_FORMS, style)) return FALSE;
  m_formsPane.EnableDocking(CBRS_ALIGN_ANY);
  AppendErrorLog(L"CMainFrame::OnCreate 4.2");
  DockPane(&m_formsPane);
  m_shelfBar.DockToWindow(&m_formsPane, CBRS_ALIGN_TOP);
  m_propertiesBar.AttachToTabWnd(&m_shelfBar, DM_SHOW, TRUE);
  return TRUE;
}

void CMainFrame::LoadSettings() {
  DEF_TRY
  if (!ReadRecord(kOptions, &m_options, sizeof(m_options)) || !IsValidFrameOptions(m_options))
    m_options = DefaultFrameOptions();
  m_options.reserved76 = 0;
  if (!ReadRecord(kTextStyle, &m_textStyle, sizeof(m_textStyle)) || !IsUsableTextStyle(m_textStyle))
    SetDefaultTextStyle(&m_textStyle);
  if (!ReadRecord(kPdfOptions, &m_pdfOptions, sizeof(m_pdfOptions)) || !IsValidPdfOptions(m_pdfOptions))
    m_pdfOptions = DefaultPdfOptions();
  if (!ReadRecord(kPdfOptions2, &m_pdfOptions2, sizeof(m_pdfOptions2)) || !IsValidPdfOptions2(m_pdfOptions2))
    m_pdfOptions2 = DefaultPdfOptions2();
  m_settingsLoaded = TRUE;
  DEF_CATCH("CMainFrame::LoadSettings")
}

void CMainFrame::StoreSettings() {
  DEF_TRY
  if (!m_settingsLoaded) return;
  m_options.reserved76 = 0;
  WriteRecord(kOptions, &m_options, sizeof(m_options));
  WriteRecord(kPdfOptions, &m_pdfOptions, sizeof(m_pdfOptions));
  WriteRecord(kPdfOptions2, &m_pdfOptions2, sizeof(m_pdfOptions2));
  WriteRecord(kTextStyle, &m_textStyle, sizeof(m_textStyle));
  DEF_CATCH("CMainFrame::StoreSettings")
}

void CMainFrame::SaveFrameState() {
  DEF_TRY
  WINDOWPLACEMENT placement = {sizeof(placement)};
  if (GetWindowPlacement(&placement)) WriteRecord(kPlacement, &placement, sizeof(placement));
  StoreSettings();
  CWinAppEx* app = App();
  if (app != nullptr) SaveMDIState(app->GetRegSectionPath());
  if (m_settingsLoaded) {
    const _PROPERTIES_RECORD record = ToPropertiesRecord(m_defaultProperties);
    WriteRecord(kProperties, &record, sizeof(record));
  }
  DEF_CATCH("CMainFrame::SaveFrameState")
}

void CMainFrame::RunClosingSteps() {
  DEF_TRY
  // A run from the command line has nobody to answer the backup dialog.
  CFolimarApp* app = App();
  const BOOL interactive = app == nullptr || !app->IsCommandLineMode();
  if (interactive && ReadSetting(kAutoBackup, 0) != 0 && CheckBackupTime()) {
    CloseAllDocuments(FALSE);
    RunAutomaticBackup(this);
  }
  SaveFrameState();
  DEF_CATCH("CMainFrame::RunClosingSteps")
}

void CMainFrame::OnClose() {
  DEF_TRY
  if (IsPrintPreviewMode()) {
    ClosePrintPreview();
    return;
  }
  RunClosingSteps();
  DEF_CATCH("CMainFrame::OnClose")
  CMDIFrameWndEx::OnClose();
}

LRESULT CMainFrame::OnQueryEndSession(WPARAM, LPARAM) {
  DEF_TRY
  if (!Default()) return FALSE;
  RunClosingSteps();
  CWinAppEx* app = App();
  if (app != nullptr && app->m_bSaveState) app->SaveState(this);
  return TRUE;
  DEF_CATCH("CMainFrame::OnQueryEndSession")
  return TRUE;
}

BOOL CMainFrame::CheckBackupTime() {
  DEF_TRY
  switch (ReadSetting(kOnClose, 0)) {
    case 0: return TRUE;
    case 1: return IsTime();
    default: return FALSE;
  }
  DEF_CATCH("CMainFrame::CheckBackupTime")
  return FALSE;
}

BOOL CMainFrame::IsTime() {
  DEF_TRY
  int64_t stored = 0;
  if (!ReadRecord(kBackupTime, &stored, sizeof(stored))) stored = 0;
  const int64_t now = static_cast<int64_t>(::time(nullptr));
  const int64_t kWeek = 604800;
  if (now - stored <= kWeek) return FALSE;
  WriteRecord(kBackupTime, &now, sizeof(now));
  return TRUE;
  DEF_CATCH("CMainFrame::IsTime")
  return FALSE;
}

BOOL CMainFrame::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  DEF_TRY
  const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
  // The spelling button runs its command on a click; its menu opens from the arrow alone.
  if (header != nullptr && header->code == TBN_DROPDOWN &&
      reinterpret_cast<const NMTOOLBARW*>(lParam)->iItem == static_cast<int>(ID_SPELLING)) {
    *pResult = FALSE;
    return FALSE;
  }
  DEF_CATCH("CMainFrame::OnNotify")
  return CMDIFrameWndEx::OnNotify(wParam, lParam, pResult);
}

// ---- Settings and accessors ----

void CMainFrame::GetTextStyleSettings(_OBJECT_STYLE* style) const {
  if (style != nullptr) *style = m_textStyle;
}

void CMainFrame::SetPropertyList(const _PROPERTIES& properties, const _OBJECT_STYLE* style, int* kindMask) {
  DEF_TRY
  if (style != nullptr) m_textStyle = *style;
  m_propertiesBar.SetPropertyList(properties, &m_textStyle, kindMask);
  DEF_CATCH("CMainFrame::SetPropertyList")
}

void CMainFrame::SetSnapToGrid(int on) {
  DEF_TRY
  m_options.snapToGrid = on ? 1 : 0;
  CFolimarView* view = GetActiveFormView();
  if (view != nullptr) view->Invalidate(TRUE);
  DEF_CATCH("CMainFrame::SetSnapToGrid")
}

void CMainFrame::SetGridSteps(int x, int y) {
  m_options.gridX = x;
  m_options.gridY = y;
}

int CMainFrame::CurrentToTextunit(double value) const { return unitConvertToTextunit(value, m_options.unit); }

double CMainFrame::TextunitToCurrent(int value) const { return unitConvertTextunitTo(value, m_options.unit); }

int CMainFrame::GetEraseSize() {
  DEF_TRY
  int index = m_options.eraseSizeIndex, size = 1;
  CMainBar* bar = GetMainBar();
  const BOOL chosen = bar != nullptr && bar->GetEraseSize(index, size);
  if (index >= 0) m_options.eraseSizeIndex = index;
  return chosen ? size : 1;
  DEF_CATCH("CMainFrame::GetEraseSize")
  return 0;
}

int CMainFrame::GetScalePercent() {
  CMainBar* bar = GetMainBar();
  return bar != nullptr ? bar->GetScalePercent() : 100;
}

void CMainFrame::SetScalePercent(int percent) {
  DEF_TRY
  CMainBar* bar = GetMainBar();
  if (bar == nullptr) return;
  CString text;
  text.Format(L"%d%%", percent);
  bar->SetScalePercent(text);
  DEF_CATCH("CMainFrame::SetScalePercent")
}

int CMainFrame::GetViewScaleSelIndex() {
  CMainBar* bar = GetMainBar();
  return bar != nullptr ? bar->GetScaleSelIndex() : 0;
}

CFolimarView* CMainFrame::GetActiveFormView() const {
  CMDIChildWnd* child = MDIGetActive();
  CView* view = child != nullptr ? child->GetActiveView() : nullptr;
  return view != nullptr && view->IsKindOf(RUNTIME_CLASS(CFolimarView)) ? static_cast<CFolimarView*>(view) : nullptr;
}

int CMainFrame::AddObjectToCollection(HGLOBAL data) {
  DEF_TRY
  if (data == nullptr) return 0;
  if (m_shelfBar.m_hWnd == nullptr) {
    ::GlobalFree(data);
    return 0;
  }
  return m_shelfBar.AddItem(data, nullptr) ? 1 : 0;
  DEF_CATCH("CMainFrame::AddObjectToCollection")
  return 0;
}

void CMainFrame::LoadShelfCollection() {
  DEF_TRY
  if (m_shelfBar.m_hWnd != nullptr) m_shelfBar.LoadCollection();
  DEF_CATCH("CMainFrame::LoadShelfCollection")
}

void CMainFrame::LoadForms() {
  DEF_TRY
  if (m_formsPane.m_hWnd != nullptr) m_formsPane.LoadForms();
  DEF_CATCH("CMainFrame::LoadForms")
}

int CMainFrame::GetNextCheckMarkGroup() {
  DEF_TRY
  CFolimarView* view = GetActiveFormView();
  return view != nullptr ? view->GetNextCheckMarkGroup() : 0;
  DEF_CATCH("CMainFrame::GetNextCheckMarkGroup")
  return 0;
}

void CMainFrame::RepaintObjects() {
  DEF_TRY
  CFolimarView* view = GetActiveFormView();
  if (view != nullptr) view->RepaintObjects();
  DEF_CATCH("CMainFrame::RepaintObjects")
}

void CMainFrame::CloseAllDocuments(BOOL onlyMultipage) {
  DEF_TRY
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return;
  // Collected first: closing a document changes the lists being walked.
  CPtrList documents;
  for (POSITION t = app->GetFirstDocTemplatePosition(); t;) {
    CDocTemplate* docTemplate = app->GetNextDocTemplate(t);
    for (POSITION d = docTemplate->GetFirstDocPosition(); d;) documents.AddTail(docTemplate->GetNextDoc(d));
  }
  for (POSITION pos = documents.GetHeadPosition(); pos;) {
    CDocument* doc = static_cast<CDocument*>(documents.GetNext(pos));
    CFolimarDoc* folimar = dynamic_cast<CFolimarDoc*>(doc);
    if (onlyMultipage && (folimar == nullptr || folimar->GetPageCount() < 2)) continue;
    if (doc->SaveModified()) doc->OnCloseDocument();
  }
  DEF_CATCH("CMainFrame::CloseAllDocuments")
}

void CMainFrame::OnCloseAllDocuments() { CloseAllDocuments(FALSE); }

void CMainFrame::OnUpdateCloseAllDocuments(CCmdUI* pCmdUI) {
  pCmdUI->Enable(MDIGetActive() != nullptr && !IsPrintPreviewMode());
}

// ---- Looks ----

void CMainFrame::ApplyAppLook(UINT lookCommand) {
  DEF_TRY
  CWaitCursor wait;
  m_appLook = static_cast<int>(lookCommand);
  CRuntimeClass* look = RUNTIME_CLASS(CMFCVisualManagerOffice2007);
  BOOL smart = TRUE;
  switch (lookCommand) {
    case ID_VIEW_LOOK_WIN2000: look = RUNTIME_CLASS(CMFCVisualManager); smart = FALSE; break;
    case ID_VIEW_LOOK_OFFICE_XP: look = RUNTIME_CLASS(CMFCVisualManagerOfficeXP); smart = FALSE; break;
    case ID_VIEW_LOOK_WIN_XP:
      CMFCVisualManagerWindows::m_b3DTabsXPTheme = TRUE;
      look = RUNTIME_CLASS(CMFCVisualManagerWindows);
      smart = FALSE;
      break;
    case ID_VIEW_LOOK_OFFICE_2003: look = RUNTIME_CLASS(CMFCVisualManagerOffice2003); break;
    case ID_VIEW_LOOK_VS_2005: look = RUNTIME_CLASS(CMFCVisualManagerVS2005); break;
    case ID_VIEW_LOOK_VS_2008: look = RUNTIME_CLASS(CMFCVisualManagerVS2008); break;
    case ID_VIEW_LOOK_OFFICE_2007_BLUE: CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_LunaBlue); break;
    case ID_VIEW_LOOK_OFFICE_2007_BLACK: CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_ObsidianBlack); break;
    case ID_VIEW_LOOK_OFFICE_2007_SILVER: CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_Silver); break;
    case ID_VIEW_LOOK_OFFICE_2007_AQUA: CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_Aqua); break;
    case ID_VIEW_LOOK_WIN7: look = RUNTIME_CLASS(CMFCVisualManagerWindows7); break;
    default: break;
  }
  CMFCVisualManager::SetDefaultManager(look);
  if (smart) CDockingManager::SetDockingMode(DT_SMART);
  if (m_hWnd != nullptr)
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  DEF_CATCH("CMainFrame::ApplyAppLook")
}

void CMainFrame::OnAppLook(UINT id) {
  DEF_TRY
  ApplyAppLook(id);
  CWinApp* app = AfxGetApp();
  if (app != nullptr) app->WriteProfileInt(kSection, kApplicationLook, m_appLook);
  DEF_CATCH("CMainFrame::OnAppLook")
}

void CMainFrame::OnUpdateAppLook(CCmdUI* pCmdUI) { pCmdUI->SetRadio(static_cast<int>(pCmdUI->m_nID) == m_appLook); }

void CMainFrame::OnViewCustomize() {
  DEF_TRY
  CMFCToolBarsCustomizeDialog* dialog = new CMFCToolBarsCustomizeDialog(
      this, TRUE, AFX_CUSTOMIZE_MENU_SHADOWS | AFX_CUSTOMIZE_TEXT_LABELS | AFX_CUSTOMIZE_MENU_ANIMATIONS |
                      AFX_CUSTOMIZE_NOHELP);
  dialog->EnableUserDefinedToolbars();
  dialog->Create();
  DEF_CATCH("CMainFrame::OnViewCustomize")
}

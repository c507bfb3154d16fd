#include "MainFrm.h"

#include "ScrivelApp.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWndEx)

namespace {

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

// The commands the personalised menus always show.
const UINT kBasicCommands[] = {
    ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT, ID_APP_EXIT, ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_UNDO,
    ID_FILL_DOCUMENT, ID_APP_ABOUT, ID_VIEW_STATUS_BAR, ID_VIEW_TOOLBAR, ID_EDIT_SELECT_ALL, ID_EDIT_FIND,
    ID_EDIT_REPEAT, ID_EDIT_REPLACE, ID_VIEW_APPLOOK_OFF_2003, ID_VIEW_APPLOOK_VS_2005,
    ID_VIEW_APPLOOK_OFF_2007_BLUE, ID_VIEW_APPLOOK_OFF_2007_SILVER, ID_VIEW_APPLOOK_OFF_2007_BLACK,
    ID_VIEW_APPLOOK_OFF_2007_AQUA, ID_VIEW_APPLOOK_WINDOWS_7, ID_VIEW_OPTIONS, ID_FORMAT_FONT, ID_BULLET,
    ID_FORMAT_PARAGRAPH,
};

// The visual manager of each look.
struct Look {
  UINT id;
  CRuntimeClass* manager;
  CMFCVisualManagerOffice2007::Style style;  // for the Office 2007 looks
};

const Look kLooks[] = {
    {ID_VIEW_APPLOOK_WIN_2000, RUNTIME_CLASS(CMFCVisualManager), CMFCVisualManagerOffice2007::Office2007_LunaBlue},
    {ID_VIEW_APPLOOK_OFF_XP, RUNTIME_CLASS(CMFCVisualManagerOfficeXP), CMFCVisualManagerOffice2007::Office2007_LunaBlue},
    {ID_VIEW_APPLOOK_WIN_XP, RUNTIME_CLASS(CMFCVisualManagerWindows), CMFCVisualManagerOffice2007::Office2007_LunaBlue},
    {ID_VIEW_APPLOOK_OFF_2003, RUNTIME_CLASS(CMFCVisualManagerOffice2003),
     CMFCVisualManagerOffice2007::Office2007_LunaBlue},
    {ID_VIEW_APPLOOK_VS_2005, RUNTIME_CLASS(CMFCVisualManagerVS2005), CMFCVisualManagerOffice2007::Office2007_LunaBlue},
    {ID_VIEW_APPLOOK_VS_2008, RUNTIME_CLASS(CMFCVisualManagerVS2008), CMFCVisualManagerOffice2007::Office2007_LunaBlue},
    {ID_VIEW_APPLOOK_OFF_2007_BLUE, RUNTIME_CLASS(CMFCVisualManagerOffice2007),
     CMFCVisualManagerOffice2007::Office2007_LunaBlue},
    {ID_VIEW_APPLOOK_OFF_2007_BLACK, RUNTIME_CLASS(CMFCVisualManagerOffice2007),
     CMFCVisualManagerOffice2007::Office2007_ObsidianBlack},
    {ID_VIEW_APPLOOK_OFF_2007_SILVER, RUNTIME_CLASS(CMFCVisualManagerOffice2007),
     CMFCVisualManagerOffice2007::Office2007_Silver},
    {ID_VIEW_APPLOOK_OFF_2007_AQUA, RUNTIME_CLASS(CMFCVisualManagerOffice2007),
     CMFCVisualManagerOffice2007::Office2007_Aqua},
    {ID_VIEW_APPLOOK_WINDOWS_7, RUNTIME_CLASS(CMFCVisualManagerWindows7), CMFCVisualManagerOffice2007::Office2007_LunaBlue},
};

}  // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWndEx)
ON_WM_CREATE()
// View
ON_COMMAND(ID_VIEW_CUSTOMIZE, OnViewCustomize)
ON_COMMAND(ID_VIEW_STATUS_BAR, OnViewStatusBar)
ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateViewStatusBar)
ON_COMMAND_RANGE(ID_VIEW_APPLOOK_WIN_2000, ID_VIEW_APPLOOK_WINDOWS_7, OnApplicationLook)
ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_APPLOOK_WIN_2000, ID_VIEW_APPLOOK_WINDOWS_7, OnUpdateApplicationLook)
ON_REGISTERED_MESSAGE(AFX_WM_CREATETOOLBAR, OnToolbarCreateNew)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTW& cs) { return CFrameWndEx::PreCreateWindow(cs); }

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CFrameWndEx::OnCreate(lpCreateStruct) == -1) return -1;
  CScrivelApp* app = GetScrivelApp();
  ApplyLook(static_cast<UINT>(app->m_nAppLook));

  if (!m_wndMenuBar.Create(this)) return -1;
  m_wndMenuBar.SetPaneStyle(m_wndMenuBar.GetPaneStyle() | CBRS_SIZE_DYNAMIC | CBRS_TOOLTIPS | CBRS_FLYBY);
  // The menu bar's pop-ups leave the focus where it is.
  CMFCMenuBar::SetForceMenuFocus(FALSE);

  const UINT toolbar = app->m_bHiColorIcons ? IDR_MAINFRAME_256 : IDR_MAINFRAME;
  if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                             WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                 CBRS_SIZE_DYNAMIC) ||
      !m_wndToolBar.LoadToolBar(toolbar))
    return -1;
  CString name, customize;
  name.LoadString(IDS_TOOLBAR_STANDARD);
  customize.LoadString(IDS_TOOLBAR_CUSTOMIZE);
  m_wndToolBar.SetWindowText(name);
  m_wndToolBar.EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, customize);

  // The user's tool bars, and their images when the user drew some.
  InitUserToolbars(nullptr, ID_USER_TOOLBAR_FIRST, ID_USER_TOOLBAR_LAST);
  if (::GetFileAttributesW(L".\\UserImages.bmp") != INVALID_FILE_ATTRIBUTES && m_UserImages.Load(L".\\UserImages.bmp"))
    CMFCToolBar::SetUserImages(&m_UserImages);

  if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(kIndicators, _countof(kIndicators))) return -1;

  m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
  m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
  EnableDocking(CBRS_ALIGN_ANY);
  DockPane(&m_wndMenuBar);
  DockPane(&m_wndToolBar);
  EnableAutoHidePanes(CBRS_ALIGN_ANY);
  EnablePaneMenu(TRUE, ID_VIEW_CUSTOMIZE, customize, ID_VIEW_TOOLBAR);

  CList<UINT, UINT> basic;
  for (UINT id : kBasicCommands) basic.AddTail(id);
  CMFCToolBar::SetBasicCommands(basic);
  return 0;
}

void CMainFrame::ActivateFrame(int nCmdShow) {
  if (!GetScrivelApp()->m_bShowFrame) return;
  CFrameWndEx::ActivateFrame(nCmdShow);
}

void CMainFrame::ApplyLook(UINT id) {
  const Look* look = nullptr;
  for (const Look& candidate : kLooks)
    if (candidate.id == id) look = &candidate;
  CMFCVisualManagerWindows::m_b3DTabsXPTheme = id == ID_VIEW_APPLOOK_WIN_XP;
  if (look && look->manager == RUNTIME_CLASS(CMFCVisualManagerOffice2007)) CMFCVisualManagerOffice2007::SetStyle(look->style);
  if (!look) CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_LunaBlue);
  CMFCVisualManager::SetDefaultManager(look ? look->manager : RUNTIME_CLASS(CMFCVisualManagerOffice2007));
  if (m_hWnd) RedrawWindow(nullptr, nullptr, RDW_ALLCHILDREN | RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME | RDW_ERASE);
  CScrivelApp* app = GetScrivelApp();
  app->m_nAppLook = static_cast<int>(id);
  app->WriteInt(L"ApplicationLook", app->m_nAppLook);
}

void CMainFrame::OnApplicationLook(UINT id) {
  CWaitCursor wait;
  ApplyLook(id);
}

void CMainFrame::OnUpdateApplicationLook(CCmdUI* pCmdUI) {
  pCmdUI->SetRadio(GetScrivelApp()->m_nAppLook == static_cast<int>(pCmdUI->m_nID));
}

void CMainFrame::OnViewCustomize() {
  CMFCToolBarsCustomizeDialog* dialog = new CMFCToolBarsCustomizeDialog(this, TRUE);
  dialog->EnableUserDefinedToolbars();
  if (!dialog->Create()) delete dialog;
}

void CMainFrame::OnViewStatusBar() {
  m_wndStatusBar.ShowPane(!m_wndStatusBar.IsVisible(), FALSE, FALSE);
  RecalcLayout();
}

void CMainFrame::OnUpdateViewStatusBar(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndStatusBar.IsVisible()); }

// Every tool bar the user makes gets the customize button as the main one has.
LRESULT CMainFrame::OnToolbarCreateNew(WPARAM, LPARAM lp) {
  CMFCToolBar* bar = reinterpret_cast<CMFCToolBar*>(lp);
  if (!bar) return 0;
  CString customize;
  customize.LoadString(IDS_TOOLBAR_CUSTOMIZE);
  bar->EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, customize);
  return 0;
}

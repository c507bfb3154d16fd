#include "fw/FrameToolBars.h"

#include "fw/DockingManager.h"
#include "fw/FrameEx.h"
#include "fw/WinAppEx.h"

namespace {

// More user tool bars than this are not a program's choice: the range is a mistake.
const UINT kMaxUserToolBars = 100;

// The bar style user tool bars get: docked at the top with gripper, tips and prompts.
const DWORD kUserToolBarStyle =
    WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;

CString ToolBarSection(const CString& section, UINT id) {
  CString key;
  key.Format(L"%s\\ToolBar-%u", static_cast<LPCTSTR>(section), id);
  return key;
}

}  // namespace

CFrameToolBarSupport::CFrameToolBarSupport(CFrameWnd* pFrame, CDockingManager* pManager)
    : m_pFrame(pFrame), m_pManager(pManager) {}

CFrameToolBarSupport::~CFrameToolBarSupport() {
  while (!m_userToolBars.IsEmpty()) delete m_userToolBars.RemoveHead();
}

BOOL CFrameToolBarSupport::InitUserToolbars(LPCTSTR lpszRegEntry, UINT uiUserToolbarFirst, UINT uiUserToolbarLast) {
  if (uiUserToolbarFirst == 0 || uiUserToolbarLast < uiUserToolbarFirst ||
      uiUserToolbarLast - uiUserToolbarFirst >= kMaxUserToolBars) {
    OutputDebugStringW(L"CFrameToolBarSupport::InitUserToolbars: the id range is empty or too large\n");
    return FALSE;
  }
  m_uiFirst = uiUserToolbarFirst;
  m_uiLast = uiUserToolbarLast;
  CWinApp* app = AfxGetApp();
  if (lpszRegEntry && *lpszRegEntry)
    m_strRegSection = lpszRegEntry;
  else if (app && app->IsKindOf(RUNTIME_CLASS(CWinAppEx)))
    m_strRegSection = static_cast<CWinAppEx*>(app)->GetRegSectionPath(L"BarState");
  else
    m_strRegSection = L"Workspace\\BarState";
  // The bars an earlier run kept come back now, empty: the frame's state then fills and places them.
  if (!app || !m_pFrame || !m_pFrame->m_hWnd) return TRUE;
  for (UINT id = m_uiFirst; id <= m_uiLast; ++id) {
    const CString section = ToolBarSection(m_strRegSection, id);
    if (app->GetProfileInt(section, L"UserToolBar", 0) != 1) continue;
    if (m_pManager && m_pManager->FindPaneByID(id)) continue;
    const CString name = app->GetProfileString(section, L"Name", L"");
    MakeToolBar(id, name);
  }
  return TRUE;
}

CMFCToolBar* CFrameToolBarSupport::GetUserToolBarByIndex(int iIndex) const {
  POSITION pos = m_userToolBars.FindIndex(iIndex);
  return pos ? static_cast<CMFCToolBar*>(m_userToolBars.GetAt(pos)) : nullptr;
}

BOOL CFrameToolBarSupport::IsUserToolBar(const CMFCToolBar* pToolBar) const {
  return pToolBar && m_userToolBars.Find(const_cast<CMFCToolBar*>(pToolBar)) != nullptr;
}

CMFCToolBar* CFrameToolBarSupport::MakeToolBar(UINT uiID, LPCTSTR lpszName) {
  CMFCToolBar* bar = new CMFCToolBar;
  bar->SetUserDefined(TRUE);
  if (!bar->CreateEx(m_pFrame, TBSTYLE_FLAT, kUserToolBarStyle, CRect(1, 1, 1, 1), uiID)) {
    delete bar;
    return nullptr;
  }
  bar->SetWindowText(lpszName ? lpszName : L"");
  bar->EnableDocking(CBRS_ALIGN_ANY);
  // A new bar offers the same customize chevron as the frame's other bars.
  const CObList& bars = CMFCToolBar::GetAllToolbars();
  for (POSITION pos = bars.GetHeadPosition(); pos;) {
    CMFCToolBar* other = static_cast<CMFCToolBar*>(bars.GetNext(pos));
    if (other == bar || other->GetDockSiteFrameWnd() != m_pFrame || !other->IsExistCustomizeButton()) continue;
    bar->EnableCustomizeButton(TRUE, other->GetCustomizeCommand(), other->GetCustomizeText(), other->IsQuickCustomize());
    break;
  }
  // Kept in id order, so GetUserToolBarByIndex follows the ids.
  POSITION before = nullptr;
  for (POSITION pos = m_userToolBars.GetHeadPosition(); pos && !before;) {
    const POSITION at = pos;
    if (static_cast<UINT>(static_cast<CMFCToolBar*>(m_userToolBars.GetNext(pos))->GetDlgCtrlID()) > uiID) before = at;
  }
  if (before)
    m_userToolBars.InsertBefore(before, bar);
  else
    m_userToolBars.AddTail(bar);
  if (m_pManager) m_pManager->DockPane(bar, AFX_IDW_DOCKBAR_TOP);
  return bar;
}

CMFCToolBar* CFrameToolBarSupport::CreateNewToolBar(LPCTSTR lpszName) {
  if (!IsUserToolbarsEnabled() || !m_pFrame || !m_pFrame->m_hWnd) return nullptr;
  for (UINT id = m_uiFirst; id <= m_uiLast; ++id) {
    bool taken = m_pManager && m_pManager->FindPaneByID(id);
    for (POSITION pos = m_userToolBars.GetHeadPosition(); pos && !taken;)
      taken = static_cast<UINT>(static_cast<CMFCToolBar*>(m_userToolBars.GetNext(pos))->GetDlgCtrlID()) == id;
    if (taken) continue;
    CMFCToolBar* bar = MakeToolBar(id, lpszName);
    if (bar) m_pFrame->SendMessage(AFX_WM_CREATETOOLBAR, 0, reinterpret_cast<LPARAM>(bar));
    return bar;
  }
  return nullptr;
}

BOOL CFrameToolBarSupport::DeleteToolBar(CMFCToolBar* pToolBar) {
  POSITION pos = pToolBar ? m_userToolBars.Find(pToolBar) : nullptr;
  if (!pos) return FALSE;
  if (m_pFrame && m_pFrame->m_hWnd) m_pFrame->SendMessage(AFX_WM_DELETETOOLBAR, 0, reinterpret_cast<LPARAM>(pToolBar));
  m_userToolBars.RemoveAt(pos);
  pToolBar->RemoveStateFromRegistry(m_strRegSection);
  if (pToolBar->m_hWnd) pToolBar->DestroyWindow();
  delete pToolBar;
  if (m_pManager) m_pManager->RecalcLayout();
  return TRUE;
}

CMFCMenuBar* CFrameToolBarSupport::GetMenuBar() const {
  if (!m_pManager) return nullptr;
  CObList panes;
  m_pManager->GetPaneList(panes);
  for (POSITION pos = panes.GetHeadPosition(); pos;) {
    CObject* pane = panes.GetNext(pos);
    if (pane->IsKindOf(RUNTIME_CLASS(CMFCMenuBar))) return static_cast<CMFCMenuBar*>(pane);
  }
  return nullptr;
}

BOOL CFrameToolBarSupport::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) {
    if (pMsg->message != WM_LBUTTONDOWN && pMsg->message != WM_RBUTTONDOWN && pMsg->message != WM_MBUTTONDOWN)
      return FALSE;
  }
  CMFCMenuBar* bar = GetMenuBar();
  if (!bar || !bar->m_hWnd || !bar->IsWindowVisible()) return FALSE;
  return bar->TranslateFrameMessage(pMsg);
}

CFrameToolBarSupport* AFXAPI FwGetFrameToolBarSupport(CWnd* pFrame) {
  if (!pFrame) return nullptr;
  if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWndEx))) return static_cast<CMDIFrameWndEx*>(pFrame)->GetToolBarSupport();
  if (pFrame->IsKindOf(RUNTIME_CLASS(CFrameWndEx))) return static_cast<CFrameWndEx*>(pFrame)->GetToolBarSupport();
  return nullptr;
}

BOOL CFrameWndEx::PreTranslateMessage(MSG* pMsg) {
  if (CFrameWnd::PreTranslateMessage(pMsg)) return TRUE;
  return m_barSupport.PreTranslateMessage(pMsg);
}

BOOL CMDIFrameWndEx::PreTranslateMessage(MSG* pMsg) {
  if (CMDIFrameWnd::PreTranslateMessage(pMsg)) return TRUE;
  return m_barSupport.PreTranslateMessage(pMsg);
}

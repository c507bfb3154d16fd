#include "ChildFrm.h"

#include "ErrorLog.h"
#include "FolimarView.h"
#include "MainFrm.h"

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWndEx)

BEGIN_MESSAGE_MAP(CChildFrame, CMDIChildWndEx)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

CChildFrame::~CChildFrame() {
  DEF_TRY
  CWnd* main = AfxGetMainWnd();
  if (main != nullptr && main->m_hWnd != nullptr) main->PostMessage(WM_CHILD_FRAME_DESTROYED, 0, 0);
  DEF_CATCH("CChildFrame::~CChildFrame")
}

int CChildFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  DEF_TRY
  if (CMDIChildWndEx::OnCreate(lpCreateStruct) == -1) return -1;
  const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_BORDER_BOTTOM;
  if (!m_pagesPane.Create(L"", this, CSize(200, 10), FALSE, static_cast<UINT>(-1), style, AFX_CBRS_REGULAR_TABS,
                          AFX_DEFAULT_DOCKING_PANE_STYLE))
    return -1;
  m_pagesPane.SetBorders(0, 0, 0, 0);
  // The strip belongs to its window: it cannot float, hide along an edge, be resized or closed.
  m_pagesPane.SetControlBarStyle(0);
  EnableDocking(CBRS_ALIGN_ANY);
  m_pagesPane.EnableDocking(CBRS_ALIGN_ANY);
  DockPane(&m_pagesPane);
  return 0;
  DEF_CATCH("CChildFrame::OnCreate")
  return 0;
}

void CChildFrame::SetActivePage(int pageIndex) {
  DEF_TRY
  CView* view = GetActiveView();
  if (view == nullptr) view = dynamic_cast<CView*>(GetDlgItem(AFX_IDW_PANE_FIRST));
  CFolimarView* formView = dynamic_cast<CFolimarView*>(view);
  if (formView != nullptr) formView->SetActivePage(pageIndex);
  DEF_CATCH("CChildFrame::SetActivePage")
}

void CChildFrame::UpdatePagesBar(int pageCount) {
  DEF_TRY
  if (m_pagesPane.m_hWnd == nullptr) return;
  if (pageCount >= 2) {
    m_pagesPane.UpdatePageCount(pageCount);
    Layout();
    m_pagesPane.ShowPane(TRUE, FALSE, FALSE);
  } else {
    m_pagesPane.ShowPane(FALSE, FALSE, FALSE);
  }
  RecalcLayout();
  DEF_CATCH("CChildFrame::UpdatePagesBar")
}

void CChildFrame::Layout() {
  DEF_TRY
  if (m_hWnd == nullptr || m_pagesPane.m_hWnd == nullptr) return;
  CRect client;
  GetClientRect(&client);
  m_pagesPane.SetWindowPos(nullptr, client.left, client.top, client.Width(), m_pagesPane.GetTabsHeight(),
                           SWP_NOZORDER | SWP_NOACTIVATE);
  DEF_CATCH("CChildFrame::Layout")
}

// The docking layout takes the strip's height as it stands, so the view starts right below the tabs.
void CChildFrame::RecalcLayout(BOOL bNotify) {
  if (m_inLayout) return;
  m_inLayout = TRUE;
  Layout();
  CMDIChildWndEx::RecalcLayout(bNotify);
  m_inLayout = FALSE;
}

void CChildFrame::OnSize(UINT nType, int cx, int cy) {
  CMDIChildWndEx::OnSize(nType, cx, cy);
  Layout();
}

void CChildFrame::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
  DEF_TRY
  m_previewMode = bPreview ? 1 : 0;
  CWnd* main = AfxGetMainWnd();
  if (main != nullptr && main->IsKindOf(RUNTIME_CLASS(CMainFrame))) static_cast<CMainFrame*>(main)->SetPreviewMode(bPreview);
  DEF_CATCH("CChildFrame::OnSetPreviewMode")
  CMDIChildWndEx::OnSetPreviewMode(bPreview, pState);
}

BOOL CChildFrame::CanShowOnMDITabs() { return (GetStyle() & WS_VISIBLE) != 0; }

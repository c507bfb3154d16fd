#include "PagesPane.h"

#include "ChildFrm.h"
#include "ErrorLog.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CPagesPane, CTabbedPane)

BEGIN_MESSAGE_MAP(CPagesPane, CTabbedPane)
ON_WM_CREATE()
ON_REGISTERED_MESSAGE(AFX_WM_CHANGE_ACTIVE_TAB, OnMessagePagesTab)
END_MESSAGE_MAP()

int CPagesPane::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  DEF_TRY
  if (CTabbedPane::OnCreate(lpCreateStruct) == -1) return -1;
  m_pTabs = GetUnderlyingWindow();
  if (m_pTabs != nullptr && m_pTabs->IsKindOf(RUNTIME_CLASS(CMFCTabCtrl))) {
    CMFCTabCtrl* tabs = static_cast<CMFCTabCtrl*>(m_pTabs);
    tabs->SetFlatFrame(TRUE, FALSE);
    tabs->SetLocation(CMFCBaseTabCtrl::LOCATION_TOP);
    // The tabs' windows are the pane's: removing a tab destroys its window.
    tabs->AutoDestroyWindow(TRUE);
    tabs->EnableTabSwap(FALSE);
  }
  return 0;
  DEF_CATCH("CPagesPane::OnCreate")
  return 0;
}

int CPagesPane::GetTabsHeight() const {
  DEF_TRY
  if (m_pTabs == nullptr || m_pTabs->m_hWnd == nullptr || m_pTabs->GetTabsNum() < 2) return 0;
  return m_pTabs->GetTabsHeight();
  DEF_CATCH("CPagesPane::GetTabsHeight")
  return 0;
}

void CPagesPane::UpdatePageCount(int pageCount) {
  DEF_TRY
  if (m_pTabs == nullptr || m_pTabs->m_hWnd == nullptr) return;
  while (m_pTabs->GetTabsNum() > pageCount && m_pTabs->GetTabsNum() > 0)
    m_pTabs->RemoveTab(m_pTabs->GetTabsNum() - 1, TRUE);
  CString format;
  format.LoadString(IDS_PAGE_TAB);
  for (int i = m_pTabs->GetTabsNum(); i < pageCount; ++i) {
    // Each tab stands for a page, not a window: an empty one keeps the tab control's contract.
    CWnd* placeholder = new CWnd;
    if (!placeholder->Create(L"Static", nullptr, WS_CHILD, CRect(0, 0, 10, 10), this, 0)) {
      delete placeholder;
      return;
    }
    CString label;
    label.Format(format, i + 1);
    m_pTabs->AddTab(placeholder, label, static_cast<UINT>(-1), FALSE);
  }
  DEF_CATCH("CPagesPane::UpdatePageCount")
}

void CPagesPane::ActivatePage(int pageIndex) {
  DEF_TRY
  if (m_pTabs != nullptr && m_pTabs->m_hWnd != nullptr) m_pTabs->SetActiveTab(pageIndex);
  CChildFrame* frame = dynamic_cast<CChildFrame*>(GetParent());
  if (frame != nullptr) frame->SetActivePage(pageIndex);
  DEF_CATCH("CPagesPane::ActivatePage")
}

void CPagesPane::ActivateSelPage() {
  DEF_TRY
  if (m_pTabs == nullptr) return;
  CChildFrame* frame = dynamic_cast<CChildFrame*>(GetParent());
  if (frame != nullptr) frame->SetActivePage(m_pTabs->GetActiveTab());
  DEF_CATCH("CPagesPane::ActivateSelPage")
}

LRESULT CPagesPane::OnMessagePagesTab(WPARAM, LPARAM) {
  ActivateSelPage();
  return 0;
}

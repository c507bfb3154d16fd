// The strip of page tabs across the top of a document window: "Page 1", "Page 2", ... one per page
// of the document, shown while the document has two pages or more. A click on a tab shows that page
// in the window's view.
#pragma once
#include "Framework.h"

class CPagesPane : public CTabbedPane {
  DECLARE_DYNAMIC(CPagesPane)
 public:
  CPagesPane() : CTabbedPane(FALSE) {}

  // The height of the tab strip; 0 without a tab control or with fewer than two tabs.
  int GetTabsHeight() const;
  // Adds or removes tabs at the end until there is one per page.
  void UpdatePageCount(int pageCount);
  // Makes the page's tab the active one and shows that page in the document window.
  void ActivatePage(int pageIndex);
  // Shows the page of the active tab in the document window.
  void ActivateSelPage();
  CMFCBaseTabCtrl* GetTabControl() const { return m_pTabs; }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg LRESULT OnMessagePagesTab(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  CMFCBaseTabCtrl* m_pTabs = nullptr;
};

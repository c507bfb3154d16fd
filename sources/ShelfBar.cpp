#include "ShelfBar.h"

#include "ErrorLog.h"
#include "MyProcs.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CShelfBar, CDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

int CShelfBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  DEF_TRY
  if (CDockablePane::OnCreate(lpCreateStruct) == -1) return -1;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_LIST | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
  if (!m_list.Create(style, CRect(), this, kListId)) return -1;
  // The kinds' pictures: 16 x 16 each, white is the background.
  if (m_images.Create(IDB_SHELF_ITEMS, 16, 0, RGB(255, 255, 255))) m_list.SetImageList(&m_images, LVSIL_SMALL);
  AdjustLayout();
  return 0;
  DEF_CATCH("CShelfBar::OnCreate")
  return -1;
}

void CShelfBar::AdjustLayout() {
  DEF_TRY
  FitChildToClient(*this, m_list);
  DEF_CATCH("CShelfBar::AdjustLayout")
}

void CShelfBar::OnSize(UINT nType, int cx, int cy) {
  CDockablePane::OnSize(nType, cx, cy);
  AdjustLayout();
}

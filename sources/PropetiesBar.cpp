#include "PropetiesBar.h"

#include "ErrorLog.h"
#include "MyProcs.h"

BEGIN_MESSAGE_MAP(CPropetiesBar, CDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

int CPropetiesBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  DEF_TRY
  if (CDockablePane::OnCreate(lpCreateStruct) == -1) return -1;
  if (!m_grid.Create(WS_VISIBLE | WS_CHILD, CRect(), this, kGridId)) return -1;
  InitPropList();
  AdjustLayout();
  return 0;
  DEF_CATCH("CPropetiesBar::OnCreate")
  return -1;
}

void CPropetiesBar::InitPropList() {
  DEF_TRY
  m_grid.EnableHeaderCtrl(FALSE, L"Property", L"Value");
  m_grid.SetVSDotNetLook(TRUE);
  m_grid.MarkModifiedProperties(TRUE, TRUE);
  DEF_CATCH("CPropetiesBar::InitPropList")
}

void CPropetiesBar::AdjustLayout() {
  DEF_TRY
  FitChildToClient(*this, m_grid);
  DEF_CATCH("CPropetiesBar::AdjustLayout")
}

void CPropetiesBar::OnSize(UINT nType, int cx, int cy) {
  CDockablePane::OnSize(nType, cx, cy);
  AdjustLayout();
}

void CPropetiesBar::OnSetFocus(CWnd* pOldWnd) {
  CDockablePane::OnSetFocus(pOldWnd);
  if (m_grid.m_hWnd != nullptr) m_grid.SetFocus();
}

void CPropetiesBar::SetPropertyList(const _PROPERTIES& properties, const _OBJECT_STYLE* style, const int* kindMask) {
  DEF_TRY
  m_properties = properties;
  if (style != nullptr) m_style = *style;
  m_kindMask = kindMask != nullptr ? *kindMask : 0;
  DEF_CATCH("CPropetiesBar::SetPropertyList")
}

#include "MainFrm.h"

#include "ErrorLog.h"
#include "FolimarView.h"
#include "TranspBaseClass.h"

IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
  // Without the bar the program still runs; the zoom then shows nowhere.
  if (!m_mainBar.Create(this)) AppendErrorLog(L"CMainFrame::OnCreate: the main bar cannot be created");
  RecalcLayout();
  return 0;
}

void CMainFrame::RecalcLayout(BOOL bNotify) {
  if (m_hWndMDIClient == nullptr) return;
  CRect client;
  GetClientRect(&client);
  int barHeight = m_mainBar.GetBarHeight();
  if (barHeight > client.Height()) barHeight = client.Height();
  if (m_mainBar.m_hWnd != nullptr) m_mainBar.MoveWindow(0, 0, client.Width(), barHeight);
  ::MoveWindow(m_hWndMDIClient, 0, barHeight, client.Width(), client.Height() - barHeight, TRUE);
  (void)bNotify;
}

BOOL CMainFrame::IsPrintPreviewMode() {
  CMDIChildWnd* child = MDIGetActive();
  return child != nullptr && child->IsInPrintPreview();
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

namespace {

CFolimarView* ActiveFormView(CMainFrame* frame) {
  CMDIChildWnd* child = frame->MDIGetActive();
  CView* view = child != nullptr ? child->GetActiveView() : nullptr;
  return view != nullptr && view->IsKindOf(RUNTIME_CLASS(CFolimarView)) ? static_cast<CFolimarView*>(view) : nullptr;
}

}  // namespace

void CMainFrame::SetProgramMode(int mode, int apply) {
  (void)apply;
  DEF_TRY
  const BOOL tabOrderChanged = (m_programMode == PROGRAM_MODE_TAB_ORDER) != (mode == PROGRAM_MODE_TAB_ORDER);
  m_previousProgramMode = m_programMode;
  m_programMode = mode;
  CFolimarView* view = ActiveFormView(this);
  if (tabOrderChanged && view != nullptr) {
    view->ClearScaledPageCache();
    view->Invalidate(TRUE);
  }
  DEF_CATCH("CMainFrame::SetProgramMode")
}

void CMainFrame::SetSnapToGrid(int on) {
  DEF_TRY
  m_snapToGrid = on ? TRUE : FALSE;
  CFolimarView* view = ActiveFormView(this);
  if (view != nullptr) view->Invalidate(TRUE);
  DEF_CATCH("CMainFrame::SetSnapToGrid")
}

void CMainFrame::SetGridSteps(int x, int y) {
  m_gridStepX = x;
  m_gridStepY = y;
}

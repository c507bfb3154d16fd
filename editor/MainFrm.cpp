#include "MainFrm.h"

#include "ScrivelApp.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

CMainFrame::CMainFrame() = default;

void CMainFrame::ActivateFrame(int nCmdShow) {
  if (!GetScrivelApp()->m_bShowFrame) return;
  CFrameWnd::ActivateFrame(nCmdShow);
}

#include "DrawingToolsBar.h"

#include "ErrorLog.h"
#include "resource.h"

IMPLEMENT_SERIAL(CDrawingToolsBar, CMFCToolBar, 1)

BOOL CreateResourceToolBar(CMFCToolBar& bar, CWnd* parent, UINT resourceId, DWORD sideStyle) {
  const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC | sideStyle;
  return bar.CreateEx(parent, TBSTYLE_FLAT, style, CRect(1, 1, 1, 1), resourceId) && bar.LoadToolBar(resourceId);
}

BOOL GiveKeyboardToFrame(CWnd* control, const MSG* msg) {
  if (msg->message != WM_KEYDOWN || (msg->wParam != VK_TAB && msg->wParam != VK_ESCAPE)) return FALSE;
  CWnd* top = control->GetTopLevelFrame();
  if (top != nullptr) top->SetFocus();
  return TRUE;
}

BOOL CDrawingToolsBar::Create(CWnd* parent) {
  DEF_TRY
  return CreateResourceToolBar(*this, parent, IDR_DRAWING_TOOLS, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT);
  DEF_CATCH("CDrawingToolsBar::Create")
  return FALSE;
}

#include "fw/View.h"

#include "fw/CommandIds.h"
#include "fw/Frame.h"
#include "fw/Print.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
ON_MESSAGE(WM_MOUSEACTIVATE, OnMouseActivateMessage)
ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrintDirect)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

CView::CView() = default;

CView::~CView() {
  if (m_pDocument) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCTW& cs) {
  if (!cs.lpszClass)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  cs.style |= WS_CLIPSIBLINGS;
  return cs.lpszClass != nullptr;
}

int CView::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  CCreateContext* context = static_cast<CCreateContext*>(lpcs->lpCreateParams);
  if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
  return 0;
}

// The view leaves its document while its window still exists, so a document closing because its
// last view went away can still reach the frame.
void CView::OnDestroy() {
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame && pFrame->GetActiveView() == this) pFrame->SetActiveView(nullptr, FALSE);
  CWnd::OnDestroy();
}

void CView::PostNcDestroy() {
  if (m_pDocument) m_pDocument->RemoveView(this);
  delete this;
}

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  if (pInfo) pDC->m_bPrinting = TRUE;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }
void CView::OnUpdate(CView* pSender, LPARAM, CObject*) {
  if (pSender != this) Invalidate(TRUE);
}
void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*) {
  if (bActivate && pActivateView == this && m_hWnd && ::GetFocus() != m_hWnd && !::IsChild(m_hWnd, ::GetFocus()))
    SetFocus();
}
void CView::OnActivateFrame(UINT, CFrameWnd*) {}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

// A click makes the view the active one of its frame (and the frame the active child).
LRESULT CView::OnMouseActivateMessage(WPARAM, LPARAM) {
  const LRESULT result = Default();
  if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
  if (CFrameWnd* pFrame = GetParentFrame()) {
    if (pFrame->GetActiveView() != this) pFrame->SetActiveView(this);
  }
  return result;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }
void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CView::OnPrint(CDC* pDC, CPrintInfo*) { OnDraw(pDC); }
void CView::OnEndPrinting(CDC*, CPrintInfo*) {}
void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView*) { OnEndPrinting(pDC, pInfo); }

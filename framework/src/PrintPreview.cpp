#include "fw/Frame.h"
#include "fw/PrintPreview.h"

IMPLEMENT_DYNCREATE(CPreviewView, CView)

BEGIN_MESSAGE_MAP(CPreviewView, CView)
ON_WM_KEYDOWN()
ON_WM_ERASEBKGND()
ON_COMMAND(ID_FILE_PRINT_PREVIEW, Close)
END_MESSAGE_MAP()

// The original view steps aside under another id while the preview takes the pane.
static const UINT kHiddenViewId = AFX_IDW_PANE_FIRST + 255;

CPreviewView::CPreviewView() = default;

CPreviewView::~CPreviewView() {
  if (m_page) ::DeleteEnhMetaFile(m_page);
  delete m_pPreviewInfo;
}

BOOL CView::DoPrintPreview() {
  CFrameWnd* frame = GetParentFrame();
  if (!frame || frame->IsInPrintPreview()) return FALSE;
  CPrintInfo* info = new CPrintInfo;
  info->m_bPreview = TRUE;
  if (!OnPreparePrinting(info) || !info->m_pPD->m_pd.hDC) {
    delete info;
    return FALSE;
  }
  CPreviewView* preview = new CPreviewView;
  preview->m_previewState.hWndFocus = ::GetFocus();
  preview->m_previewState.nIDMainPane = AFX_IDW_PANE_FIRST;
  frame->OnSetPreviewMode(TRUE, &preview->m_previewState);
  CCreateContext context;
  context.m_pCurrentDoc = nullptr;
  SetDlgCtrlID(kHiddenViewId);
  ShowWindow(SW_HIDE);
  CPrintPreviewState failed = preview->m_previewState;
  if (!preview->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_PANE_FIRST,
                       &context)) {
    SetDlgCtrlID(AFX_IDW_PANE_FIRST);
    ShowWindow(SW_SHOW);
    frame->OnSetPreviewMode(FALSE, &failed);
    delete info;
    return FALSE;
  }
  preview->SetPrintView(this, info);
  frame->SetActiveView(preview);
  frame->RecalcLayout();
  return TRUE;
}

void CView::OnFilePrintPreview() { DoPrintPreview(); }

BOOL CPreviewView::SetPrintView(CView* pView, CPrintInfo* pInfo) {
  m_pPrintView = pView;
  m_pPreviewInfo = pInfo;
  m_printerDC.Attach(pInfo->m_pPD->m_pd.hDC);
  pInfo->m_pPD->m_pd.hDC = nullptr;  // owned by m_printerDC from here on
  m_printerDC.m_bPrinting = TRUE;
  pView->OnBeginPrinting(&m_printerDC, pInfo);
  const UINT first = pInfo->GetMinPage() > pInfo->m_nCurPage ? pInfo->GetMinPage() : pInfo->m_nCurPage;
  ShowPage(first);
  return TRUE;
}

UINT CPreviewView::GetCurrentPage() const { return m_pPreviewInfo ? m_pPreviewInfo->m_nCurPage : 0; }

void CPreviewView::ShowPage(UINT nPage) {
  if (!m_pPreviewInfo) return;
  if (nPage < m_pPreviewInfo->GetMinPage() || nPage > m_pPreviewInfo->GetMaxPage()) return;
  m_pPreviewInfo->m_nCurPage = nPage;
  if (m_page) ::DeleteEnhMetaFile(m_page);
  m_page = RecordPage();
  Invalidate(TRUE);
}

// The view prints into a metafile that takes its measures from the printer, so fonts, mapping
// modes and clipping behave as on paper; the picture is scaled when shown.
HENHMETAFILE CPreviewView::RecordPage() {
  HDC printer = m_printerDC.m_hDC;
  const int width = ::GetDeviceCaps(printer, HORZRES), height = ::GetDeviceCaps(printer, VERTRES);
  const int mmWidth = ::GetDeviceCaps(printer, HORZSIZE), mmHeight = ::GetDeviceCaps(printer, VERTSIZE);
  RECT frame = {0, 0, mmWidth * 100, mmHeight * 100};  // in 0.01 mm
  HDC recorder = ::CreateEnhMetaFileW(printer, nullptr, &frame, nullptr);
  if (!recorder) return nullptr;
  CDC dc;
  dc.Attach(recorder);
  dc.SetAttribDC(printer);
  dc.m_bPrinting = TRUE;
  m_pPreviewInfo->m_rectDraw.SetRect(0, 0, width, height);
  m_pPrintView->OnPrepareDC(&dc, m_pPreviewInfo);
  dc.DPtoLP(&m_pPreviewInfo->m_rectDraw);
  m_pPrintView->OnPrint(&dc, m_pPreviewInfo);
  dc.SetAttribDC(recorder);
  dc.Detach();
  return ::CloseEnhMetaFile(recorder);
}

CRect CPreviewView::GetPageRect() const {
  CRect client;
  GetClientRect(&client);
  client.DeflateRect(10, 10);
  if (!m_printerDC.m_hDC || client.IsRectEmpty()) return client;
  const int w = ::GetDeviceCaps(m_printerDC.m_hDC, HORZSIZE), h = ::GetDeviceCaps(m_printerDC.m_hDC, VERTSIZE);
  if (w <= 0 || h <= 0) return client;
  // The largest sheet of the paper's proportions that fits, centred.
  int pw = client.Width(), ph = MulDiv(pw, h, w);
  if (ph > client.Height()) {
    ph = client.Height();
    pw = MulDiv(ph, w, h);
  }
  const int x = client.left + (client.Width() - pw) / 2, y = client.top + (client.Height() - ph) / 2;
  return CRect(x, y, x + pw, y + ph);
}

BOOL CPreviewView::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, ::GetSysColor(COLOR_APPWORKSPACE));
  return TRUE;
}

void CPreviewView::OnDraw(CDC* pDC) {
  const CRect page = GetPageRect();
  pDC->FillSolidRect(&page, RGB(255, 255, 255));
  if (m_page) pDC->PlayMetaFile(m_page, &page);
}

void CPreviewView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  switch (nChar) {
    case VK_ESCAPE: Close(); return;
    case VK_NEXT: ShowPage(GetCurrentPage() + 1); return;
    case VK_PRIOR: ShowPage(GetCurrentPage() - 1); return;
    default: CView::OnKeyDown(nChar, nRepCnt, nFlags);
  }
}

void CPreviewView::Close() {
  CFrameWnd* frame = GetParentFrame();
  CView* original = m_pPrintView;
  if (original && original->m_hWnd) {
    original->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
    original->ShowWindow(SW_SHOW);
    original->OnEndPrintPreview(&m_printerDC, m_pPreviewInfo, CPoint(0, 0), this);
  }
  SetDlgCtrlID(0);
  if (frame) {
    frame->SetActiveView(original);
    frame->OnSetPreviewMode(FALSE, &m_previewState);
    frame->RecalcLayout();
  }
  if (m_previewState.hWndFocus && ::IsWindow(m_previewState.hWndFocus)) ::SetFocus(m_previewState.hWndFocus);
  m_pPrintView = nullptr;
  DestroyWindow();  // deletes this
}

// The plain frame has nothing to hide: the preview only takes the view's place.
void CFrameWnd::OnSetPreviewMode(BOOL, CPrintPreviewState*) {}

BOOL CFrameWnd::IsInPrintPreview() {
  CFrameWnd* frame = GetActiveFrame();
  CView* view = frame ? frame->GetActiveView() : nullptr;
  return view && view->IsKindOf(RUNTIME_CLASS(CPreviewView));
}

void CFrameWnd::ClosePrintPreview() {
  CFrameWnd* frame = GetActiveFrame();
  CView* view = frame ? frame->GetActiveView() : nullptr;
  if (view && view->IsKindOf(RUNTIME_CLASS(CPreviewView))) static_cast<CPreviewView*>(view)->Close();
}

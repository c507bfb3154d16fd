#include "fw/PaneDivider.h"

#include "DockingInternal.h"
#include "fw/Dc.h"
#include "fw/VisualManager.h"

IMPLEMENT_DYNAMIC(CPaneDivider, CWnd)

BEGIN_MESSAGE_MAP(CPaneDivider, CWnd)
ON_WM_PAINT()
ON_WM_SETCURSOR()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
END_MESSAGE_MAP()

CPaneDivider::CPaneDivider(CDockingManager* pManager) : m_pManager(pManager) {}
CPaneDivider::~CPaneDivider() = default;

BOOL CPaneDivider::Create(CWnd* pParentWnd) {
  LPCWSTR cls = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr);
  return CWnd::CreateEx(0, cls, nullptr, WS_CHILD | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0), pParentWnd, 0);
}

void CPaneDivider::SetPlace(CDockingManager::Row* row, int nPane, BOOL bVertical) {
  if (m_bDragging && (row != m_pRow || nPane != m_nPane)) ReleaseCapture();
  m_pRow = row;
  m_nPane = nPane;
  m_bVertical = bVertical;
}

void CPaneDivider::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  CMFCVisualManager::GetInstance()->OnDrawDivider(&dc, client, !m_bVertical);
}

BOOL CPaneDivider::OnSetCursor(CWnd*, UINT, UINT) {
  ::SetCursor(::LoadCursorW(nullptr, m_bVertical ? IDC_SIZEWE : IDC_SIZENS));
  return TRUE;
}

BOOL CPaneDivider::MoveBy(int delta) { return m_pManager && m_pManager->MoveDivider(m_pRow, m_nPane, delta); }

void CPaneDivider::OnLButtonDown(UINT, CPoint point) {
  if (!m_pRow && m_nPane < 0) return;  // a spare divider, placed nowhere
  m_bDragging = TRUE;
  m_grab = m_bVertical ? point.x : point.y;
  SetCapture();
}

// The divider follows the mouse as far as the manager lets the panes go.
void CPaneDivider::OnMouseMove(UINT, CPoint point) {
  if (!m_bDragging) return;
  const int delta = (m_bVertical ? point.x : point.y) - m_grab;
  if (delta != 0) MoveBy(delta);
}

void CPaneDivider::OnLButtonUp(UINT, CPoint) {
  if (m_bDragging) ReleaseCapture();
}

LRESULT CPaneDivider::OnCaptureChanged(WPARAM, LPARAM) {
  m_bDragging = FALSE;
  return 0;
}

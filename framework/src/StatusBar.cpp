#include "fw/StatusBar.h"

#include <algorithm>

#include "BarInternal.h"
#include "PaintOffScreen.h"
#include "BarStrings.h"
#include "fw/Dc.h"
#include "fw/DockingManager.h"
#include "fw/VisualManager.h"

IMPLEMENT_DYNAMIC(CMFCStatusBar, CPane)

BEGIN_MESSAGE_MAP(CMFCStatusBar, CPane)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_SETCURSOR()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_GETTEXT, OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

struct FwStatusPane {
  UINT id = 0;
  UINT style = SBPS_NORMAL;
  int cx = 0;             // content width
  CString text;
  long total = -1;        // progress steps; -1: a text pane
  long current = 0;
  BOOL displayText = FALSE;
  CRect rect;             // where the last layout put it
};

namespace {

const int kGap = 2;        // between panes
const int kMargin = 3;     // inside a pane's border, around its text
const int kGripSize = 14;

HFONT BarFont() { return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }

int TextWidth(const CString& text) {
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(screen, BarFont());
  SIZE size = {};
  ::GetTextExtentPoint32W(screen, text, text.GetLength(), &size);
  ::SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  return size.cx;
}

int VirtualKeyOf(UINT indicator) {
  switch (indicator) {
    case ID_INDICATOR_CAPS: return VK_CAPITAL;
    case ID_INDICATOR_NUM: return VK_NUMLOCK;
    case ID_INDICATOR_SCRL: return VK_SCROLL;
    default: return 0;
  }
}

// The state of one pane as the frame's update handlers set it.
class CStatusCmdUI : public CCmdUI {
 public:
  CMFCStatusBar* bar = nullptr;
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    const UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex));
    const UINT wanted = bOn ? (style & ~SBPS_DISABLED) : (style | SBPS_DISABLED);
    if (wanted != style) bar->SetPaneStyle(static_cast<int>(m_nIndex), wanted);
  }
  void SetCheck(int nCheck) override {
    const UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex));
    const UINT wanted = nCheck ? (style | SBPS_POPOUT) : (style & ~SBPS_POPOUT);
    if (wanted != style) bar->SetPaneStyle(static_cast<int>(m_nIndex), wanted);
  }
  void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
  void SetText(LPCWSTR lpszText) override {
    if (bar->GetPaneText(static_cast<int>(m_nIndex)) != (lpszText ? lpszText : L""))
      bar->SetPaneText(static_cast<int>(m_nIndex), lpszText);
  }
};

}  // namespace

CMFCStatusBar::CMFCStatusBar() = default;

CMFCStatusBar::~CMFCStatusBar() { delete[] m_pPanes; }

BOOL CMFCStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CMFCStatusBar::CreateEx(CWnd* pParentWnd, DWORD, DWORD dwStyle, UINT nID) {
  if (!pParentWnd || !pParentWnd->m_hWnd) {
    OutputDebugStringW(L"CMFCStatusBar::CreateEx: the bar needs a parent window\n");
    return FALSE;
  }
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(screen, BarFont());
  TEXTMETRICW metrics = {};
  ::GetTextMetricsW(screen, &metrics);
  ::SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  m_cyBar = std::max<int>(20, metrics.tmHeight + 2 * kMargin + 4);
  // Placed along the bottom, never in a row of bars, never floated or closed by the user.
  return CPane::CreateEx(0, nullptr, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID, 0);
}

FwStatusPane* CMFCStatusBar::PaneAt(int nIndex) const {
  return nIndex >= 0 && nIndex < m_nCount ? &m_pPanes[nIndex] : nullptr;
}

BOOL CMFCStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
  if (nIDCount < 0 || (nIDCount > 0 && !lpIDArray)) {
    OutputDebugStringW(L"CMFCStatusBar::SetIndicators: a count needs its ids\n");
    return FALSE;
  }
  delete[] m_pPanes;
  m_pPanes = nIDCount ? new FwStatusPane[nIDCount] : nullptr;
  m_nCount = nIDCount;
  for (int i = 0; i < nIDCount; ++i) {
    FwStatusPane& pane = m_pPanes[i];
    pane.id = lpIDArray[i];
    if (pane.id == ID_SEPARATOR) {
      pane.style = i == 0 ? (SBPS_NOBORDERS | SBPS_STRETCH) : SBPS_STRETCH;
      continue;
    }
    pane.text = fw_bars::CommandPrompt(pane.id);
    pane.cx = TextWidth(pane.text);
    // Key indicators start as the key is.
    if (const int key = VirtualKeyOf(pane.id))
      if (!(::GetKeyState(key) & 1)) pane.style |= SBPS_DISABLED;
  }
  AdjustLayout();
  Invalidate();
  return TRUE;
}

int CMFCStatusBar::CommandToIndex(UINT nIDFind) const {
  for (int i = 0; i < m_nCount; ++i)
    if (m_pPanes[i].id == nIDFind) return i;
  return -1;
}

UINT CMFCStatusBar::GetItemID(int nIndex) const {
  const FwStatusPane* pane = PaneAt(nIndex);
  return pane ? pane->id : 0;
}

void CMFCStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  if (!lpRect) return;
  const FwStatusPane* pane = PaneAt(nIndex);
  *lpRect = pane ? pane->rect : CRect();
}

BOOL CMFCStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate) {
  FwStatusPane* pane = PaneAt(nIndex);
  if (!pane) return FALSE;
  const CString text = lpszNewText ? lpszNewText : L"";
  if (pane->text == text) return TRUE;
  pane->text = text;
  InvalidatePane(nIndex);
  if (bUpdate && m_hWnd) UpdateWindow();
  return TRUE;
}

CString CMFCStatusBar::GetPaneText(int nIndex) const {
  const FwStatusPane* pane = PaneAt(nIndex);
  return pane ? pane->text : CString();
}

void CMFCStatusBar::SetPaneWidth(int nIndex, int cx) {
  FwStatusPane* pane = PaneAt(nIndex);
  if (!pane || cx < 0) return;
  pane->cx = cx;
  AdjustLayout();
  Invalidate();
}

int CMFCStatusBar::GetPaneWidth(int nIndex) const {
  const FwStatusPane* pane = PaneAt(nIndex);
  return pane ? pane->cx : 0;
}

void CMFCStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
  FwStatusPane* pane = PaneAt(nIndex);
  if (!pane || pane->style == nStyle) return;
  const BOOL relayout = (pane->style ^ nStyle) & (SBPS_STRETCH | SBPS_NOBORDERS);
  pane->style = nStyle;
  if (relayout) {
    AdjustLayout();
    Invalidate();
  } else {
    InvalidatePane(nIndex);
  }
}

UINT CMFCStatusBar::GetPaneStyle(int nIndex) const {
  const FwStatusPane* pane = PaneAt(nIndex);
  return pane ? pane->style : 0;
}

void CMFCStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
  const FwStatusPane* pane = PaneAt(nIndex);
  nID = pane ? pane->id : 0;
  nStyle = pane ? pane->style : 0;
  cxWidth = pane ? pane->cx : 0;
}

void CMFCStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
  FwStatusPane* pane = PaneAt(nIndex);
  if (!pane) return;
  pane->id = nID;
  pane->style = nStyle;
  pane->cx = std::max(0, cxWidth);
  AdjustLayout();
  Invalidate();
}

void CMFCStatusBar::EnablePaneProgressBar(int nIndex, long nTotal, BOOL bDisplayText) {
  FwStatusPane* pane = PaneAt(nIndex);
  if (!pane) return;
  pane->total = nTotal > 0 ? nTotal : -1;
  pane->current = 0;
  pane->displayText = bDisplayText;
  InvalidatePane(nIndex);
}

void CMFCStatusBar::SetPaneProgress(int nIndex, long nCurr, BOOL bUpdate) {
  FwStatusPane* pane = PaneAt(nIndex);
  if (!pane || pane->total <= 0) return;
  pane->current = std::min(std::max(nCurr, 0L), pane->total);
  InvalidatePane(nIndex);
  if (bUpdate && m_hWnd) UpdateWindow();
}

long CMFCStatusBar::GetPaneProgress(int nIndex) const {
  const FwStatusPane* pane = PaneAt(nIndex);
  return pane && pane->total > 0 ? pane->current : -1;
}

long CMFCStatusBar::GetPaneProgressTotal(int nIndex) const {
  const FwStatusPane* pane = PaneAt(nIndex);
  return pane ? pane->total : -1;
}

BOOL CMFCStatusBar::HasSizeGrip() const {
  if (!m_hWnd) return FALSE;
  CWnd* top = GetTopLevelParent();
  return top && (top->GetStyle() & WS_THICKFRAME) && !top->IsZoomed();
}

CRect CMFCStatusBar::GetSizeGripRect() const {
  if (!HasSizeGrip()) return CRect();
  CRect client;
  GetClientRect(&client);
  return CRect(client.right - kGripSize, client.bottom - kGripSize, client.right, client.bottom);
}

CSize CMFCStatusBar::CalcFixedLayout(BOOL, BOOL) {
  CRect client;
  if (m_pDockSite && m_pDockSite->m_hWnd) m_pDockSite->GetClientRect(&client);
  return CSize(client.Width(), m_cyBar);
}

void CMFCStatusBar::AdjustLayout() {
  if (!m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  const int right = client.right - (HasSizeGrip() ? kGripSize : 0);
  // Fixed panes first: what is left goes to the stretching ones, shared evenly.
  int fixed = 0, stretching = 0;
  for (int i = 0; i < m_nCount; ++i) {
    const FwStatusPane& pane = m_pPanes[i];
    if (pane.style & SBPS_STRETCH)
      ++stretching;
    else
      fixed += pane.cx + 2 * kMargin;
    fixed += kGap;
  }
  const int room = std::max(0, static_cast<int>(right - client.left - fixed));
  int x = client.left;
  for (int i = 0; i < m_nCount; ++i) {
    FwStatusPane& pane = m_pPanes[i];
    int width = pane.cx + 2 * kMargin;
    if (pane.style & SBPS_STRETCH) width = std::max(width, stretching ? room / stretching : 0);
    pane.rect = CRect(x, client.top + 2, std::min(x + width, right), client.bottom - 1);
    x += width + kGap;
  }
}

void CMFCStatusBar::OnSize(UINT nType, int cx, int cy) {
  CPane::OnSize(nType, cx, cy);
  AdjustLayout();
  Invalidate();
}

void CMFCStatusBar::InvalidatePane(int nIndex) {
  const FwStatusPane* pane = PaneAt(nIndex);
  if (m_hWnd && pane) InvalidateRect(&pane->rect, FALSE);
}

void CMFCStatusBar::DrawBar(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  CMFCVisualManager* look = CMFCVisualManager::GetInstance();
  look->OnFillBarBackground(pDC, this, client, client);
  HGDIOBJ oldFont = ::SelectObject(pDC->m_hDC, BarFont());
  pDC->SetBkMode(TRANSPARENT);
  for (int i = 0; i < m_nCount; ++i) {
    const FwStatusPane& pane = m_pPanes[i];
    CRect rect = pane.rect;
    if (rect.IsRectEmpty()) continue;
    if (!(pane.style & SBPS_NOBORDERS)) look->OnDrawStatusBarPaneBorder(pDC, rect);
    CRect inner = rect;
    inner.DeflateRect(1, 1);
    if (pane.total > 0) {
      look->OnDrawStatusBarProgress(pDC, inner, static_cast<int>(pane.total), static_cast<int>(pane.current));
      if (pane.displayText) {
        CString percent;
        percent.Format(L"%d%%", static_cast<int>(MulDiv(pane.current, 100, pane.total)));
        pDC->SetTextColor(look->Palette().text);
        pDC->DrawText(percent, &inner, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
      }
      continue;
    }
    // A disabled pane (an indicator whose key is off) shows no text.
    if (pane.style & SBPS_DISABLED) continue;
    inner.DeflateRect(kMargin - 1, 0);
    pDC->SetTextColor(look->Palette().text);
    pDC->DrawText(pane.text, &inner, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  ::SelectObject(pDC->m_hDC, oldFont);
  if (HasSizeGrip()) {
    CRect grip = GetSizeGripRect();
    ::DrawFrameControl(pDC->m_hDC, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  }
}

void CMFCStatusBar::OnPaint() {
  fw_internal::PaintOffScreen(this, [this](CDC* dc) { DrawBar(dc); });
}

BOOL CMFCStatusBar::OnEraseBkgnd(CDC*) { return TRUE; }

// Programs measure a pane's text (to place a control beside it) in the bar's font.
LRESULT CMFCStatusBar::OnGetFont(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(BarFont()); }

LRESULT CMFCStatusBar::OnPrintClient(WPARAM wParam, LPARAM) {
  if (HDC dc = reinterpret_cast<HDC>(wParam)) DrawBar(CDC::FromHandle(dc));
  return 0;
}

// The size grip sizes the frame, as the frame's own corner would.
void CMFCStatusBar::OnLButtonDown(UINT nFlags, CPoint point) {
  if (GetSizeGripRect().PtInRect(point)) {
    CWnd* top = GetTopLevelParent();
    CPoint screen = point;
    ClientToScreen(&screen);
    ::ReleaseCapture();
    top->SendMessage(WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(screen.x, screen.y));
    return;
  }
  CPane::OnLButtonDown(nFlags, point);
}

BOOL CMFCStatusBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  CPoint point;
  ::GetCursorPos(&point);
  ScreenToClient(&point);
  if (nHitTest == HTCLIENT && GetSizeGripRect().PtInRect(point)) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZENWSE));
    return TRUE;
  }
  return CPane::OnSetCursor(pWnd, nHitTest, message);
}

// The window text is the message pane's text: the frame shows prompts through it.
LRESULT CMFCStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  int index = CommandToIndex(ID_SEPARATOR);
  if (index < 0) index = 0;
  SetPaneText(index, reinterpret_cast<LPCTSTR>(lParam), TRUE);
  return TRUE;
}

LRESULT CMFCStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
  if (wParam == 0 || !lParam) return 0;
  int index = CommandToIndex(ID_SEPARATOR);
  const CString text = GetPaneText(index < 0 ? 0 : index);
  const int count = std::min(text.GetLength(), static_cast<int>(wParam) - 1);
  LPWSTR out = reinterpret_cast<LPWSTR>(lParam);
  CopyMemory(out, text.GetString(), count * sizeof(WCHAR));
  out[count] = L'\0';
  return count;
}

LRESULT CMFCStatusBar::OnGetTextLength(WPARAM, LPARAM) {
  int index = CommandToIndex(ID_SEPARATOR);
  return GetPaneText(index < 0 ? 0 : index).GetLength();
}

void CMFCStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) {
  CStatusCmdUI state;
  state.bar = this;
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(m_nCount);
  for (int i = 0; i < m_nCount; ++i) {
    const UINT id = m_pPanes[i].id;
    if (id == ID_SEPARATOR) continue;
    state.m_nIndex = static_cast<UINT>(i);
    state.m_nID = id;
    // Indicators nobody handles follow their key.
    if (!state.DoUpdate(pTarget, FALSE))
      if (const int key = VirtualKeyOf(id)) state.Enable((::GetKeyState(key) & 1) != 0);
  }
}

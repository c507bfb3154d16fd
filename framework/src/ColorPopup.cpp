// The colour palette pop-up and the system colour dialog behind its "Other..." button.
#include "fw/ColorPopup.h"

#include "fw/Dc.h"
#include "fw/VisualManager.h"

#include <commdlg.h>

IMPLEMENT_DYNAMIC(CMFCColorPopup, CWnd)

BEGIN_MESSAGE_MAP(CMFCColorPopup, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_DESTROY()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_KEYDOWN()
ON_WM_ACTIVATE()
ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
END_MESSAGE_MAP()

namespace {

// Five rows of eight: darks, strong colours, mid tones, bright colours and pastels.
const COLORREF kStandardColors[] = {
    RGB(0x00, 0x00, 0x00), RGB(0x99, 0x33, 0x00), RGB(0x33, 0x33, 0x00), RGB(0x00, 0x33, 0x00),
    RGB(0x00, 0x33, 0x66), RGB(0x00, 0x00, 0x80), RGB(0x33, 0x33, 0x99), RGB(0x33, 0x33, 0x33),
    RGB(0x80, 0x00, 0x00), RGB(0xFF, 0x66, 0x00), RGB(0x80, 0x80, 0x00), RGB(0x00, 0x80, 0x00),
    RGB(0x00, 0x80, 0x80), RGB(0x00, 0x00, 0xFF), RGB(0x66, 0x66, 0x99), RGB(0x80, 0x80, 0x80),
    RGB(0xFF, 0x00, 0x00), RGB(0xFF, 0x99, 0x00), RGB(0x99, 0xCC, 0x00), RGB(0x33, 0x99, 0x66),
    RGB(0x33, 0xCC, 0xCC), RGB(0x33, 0x66, 0xFF), RGB(0x80, 0x00, 0x80), RGB(0x96, 0x96, 0x96),
    RGB(0xFF, 0x00, 0xFF), RGB(0xFF, 0xCC, 0x00), RGB(0xFF, 0xFF, 0x00), RGB(0x00, 0xFF, 0x00),
    RGB(0x00, 0xFF, 0xFF), RGB(0x00, 0xCC, 0xFF), RGB(0x99, 0x33, 0x66), RGB(0xC0, 0xC0, 0xC0),
    RGB(0xFF, 0x99, 0xCC), RGB(0xFF, 0xCC, 0x99), RGB(0xFF, 0xFF, 0x99), RGB(0xCC, 0xFF, 0xCC),
    RGB(0xCC, 0xFF, 0xFF), RGB(0x99, 0xCC, 0xFF), RGB(0xCC, 0x99, 0xFF), RGB(0xFF, 0xFF, 0xFF),
};

constexpr int kMargin = 4;
constexpr int kCell = 18;

HFONT PopupFont() { return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }

}  // namespace

FwColorChoices::FwColorChoices() { SetPalette(nullptr); }

void FwColorChoices::SetPalette(CPalette* pPalette) {
  count = 0;
  if (pPalette && pPalette->GetSafeHandle()) {
    PALETTEENTRY entries[kMaxColors] = {};
    int n = pPalette->GetEntryCount();
    if (n > kMaxColors) n = kMaxColors;
    n = static_cast<int>(pPalette->GetPaletteEntries(0, static_cast<UINT>(n > 0 ? n : 0), entries));
    for (int i = 0; i < n; ++i) colors[count++] = RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue);
  }
  if (count > 0) return;
  for (COLORREF c : kStandardColors) colors[count++] = c;
}

BOOL FwRunColorDialog(HWND hWndOwner, COLORREF& color, BOOL bFullOpen, BOOL bSystemColors) {
  // The colours the user defines in the dialog stay for the next time, as long as the process runs.
  static COLORREF kept[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                              RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                              RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                              RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
  static const int kSystem[16] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNSHADOW,
                                  COLOR_BTNHIGHLIGHT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_ACTIVECAPTION,
                                  COLOR_INACTIVECAPTION, COLOR_CAPTIONTEXT, COLOR_MENU, COLOR_MENUTEXT,
                                  COLOR_GRAYTEXT, COLOR_APPWORKSPACE, COLOR_BACKGROUND, COLOR_INFOBK};
  COLORREF system[16];
  for (int i = 0; i < 16; ++i) system[i] = ::GetSysColor(kSystem[i]);
  CHOOSECOLORW cc = {};
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = hWndOwner;
  cc.rgbResult = color;
  cc.lpCustColors = bSystemColors ? system : kept;
  cc.Flags = CC_RGBINIT | CC_ANYCOLOR | (bFullOpen ? CC_FULLOPEN : 0);
  if (!::ChooseColorW(&cc)) return FALSE;
  color = cc.rgbResult;
  return TRUE;
}

CMFCColorPopup::CMFCColorPopup(CMFCColorPopupClient* pClient, const FwColorChoices& choices)
    : m_pClient(pClient), m_choices(choices) {
  m_columns = choices.columns < 1 ? 1 : choices.columns;
}

CMFCColorPopup* CMFCColorPopup::Show(CMFCColorPopupClient* pClient, CWnd* pOwner, const CRect& rectAnchor,
                                     const FwColorChoices& choices, COLORREF colorCurrent, BOOL bAutomaticCurrent) {
  if (!pClient || !pOwner || !pOwner->m_hWnd) return nullptr;
  CMFCColorPopup* popup = new CMFCColorPopup(pClient, choices);
  popup->m_colorCurrent = colorCurrent;
  CWnd* top = pOwner->GetTopLevelParent();
  popup->m_hWndOwner = top ? top->m_hWnd : pOwner->m_hWnd;
  const CSize size = popup->Layout();

  // The keyboard starts on what is chosen now.
  if (bAutomaticCurrent && choices.automatic) popup->m_nFocused = ItemAutomatic;
  for (int i = 0; i < choices.count && popup->m_nFocused == ItemNone && !bAutomaticCurrent; ++i) {
    if (choices.colors[i] == colorCurrent) popup->m_nFocused = i;
  }


  // Below the anchor, else above it, always inside the work area of its monitor.
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  CRect work(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  if (::GetMonitorInfoW(::MonitorFromRect(&rectAnchor, MONITOR_DEFAULTTONEAREST), &monitor)) work = monitor.rcWork;
  int x = rectAnchor.left, y = rectAnchor.bottom;
  if (y + size.cy > work.bottom) y = rectAnchor.top - size.cy;
  if (y < work.top) y = work.top;
  if (x + size.cx > work.right) x = work.right - size.cx;
  if (x < work.left) x = work.left;

  LPCWSTR cls = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursorW(nullptr, IDC_ARROW));
  if (!popup->CreateEx(WS_EX_TOOLWINDOW, cls, nullptr, WS_POPUP, x, y, size.cx, size.cy, popup->m_hWndOwner, nullptr)) {
    delete popup;
    return nullptr;
  }
  popup->m_bAutoDelete = TRUE;
  popup->ShowWindow(SW_SHOW);
  popup->SetFocus();
  popup->SetCapture();
  return popup;
}

CSize CMFCColorPopup::Layout() {
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(screen, PopupFont());
  TEXTMETRICW tm = {};
  ::GetTextMetricsW(screen, &tm);
  SIZE automaticText = {}, otherText = {};
  ::GetTextExtentPoint32W(screen, m_choices.automaticLabel, m_choices.automaticLabel.GetLength(), &automaticText);
  ::GetTextExtentPoint32W(screen, m_choices.otherLabel, m_choices.otherLabel.GetLength(), &otherText);
  ::SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);

  m_sizeCell = CSize(kCell, kCell);
  const int buttonHeight = tm.tmHeight + 8;
  int width = m_columns * m_sizeCell.cx;
  // The automatic button shows a sample before its label.
  if (m_choices.automatic && automaticText.cx + buttonHeight + 12 > width) width = automaticText.cx + buttonHeight + 12;
  if (m_choices.other && otherText.cx + 16 > width) width = otherText.cx + 16;
  int y = kMargin;
  m_rectAutomatic.SetRectEmpty();
  m_rectOther.SetRectEmpty();
  if (m_choices.automatic) {
    m_rectAutomatic = CRect(kMargin, y, kMargin + width, y + buttonHeight);
    y = m_rectAutomatic.bottom + kMargin;
  }
  m_rectCells = CRect(kMargin, y, kMargin + m_sizeCell.cx, y + m_sizeCell.cy);
  const int rows = (m_choices.count + m_columns - 1) / m_columns;
  y += rows * m_sizeCell.cy;
  if (m_choices.other) {
    y += kMargin;
    m_rectOther = CRect(kMargin, y, kMargin + width, y + buttonHeight);
    y = m_rectOther.bottom;
  }
  return CSize(width + 2 * kMargin, y + kMargin);
}

COLORREF CMFCColorPopup::GetColor(int nItem) const {
  if (nItem == ItemAutomatic) return m_choices.automaticColor;
  return nItem >= 0 && nItem < m_choices.count ? m_choices.colors[nItem] : CLR_NONE;
}

CRect CMFCColorPopup::GetItemRect(int nItem) const {
  if (nItem == ItemAutomatic) return m_rectAutomatic;
  if (nItem == ItemOther) return m_rectOther;
  if (nItem < 0 || nItem >= m_choices.count) return CRect();
  CRect cell = m_rectCells;
  cell.OffsetRect((nItem % m_columns) * m_sizeCell.cx, (nItem / m_columns) * m_sizeCell.cy);
  return cell;
}

int CMFCColorPopup::HitTest(CPoint point) const {
  if (m_rectAutomatic.PtInRect(point)) return ItemAutomatic;
  if (m_rectOther.PtInRect(point)) return ItemOther;
  for (int i = 0; i < m_choices.count; ++i) {
    if (GetItemRect(i).PtInRect(point)) return i;
  }
  return ItemNone;
}

int CMFCColorPopup::MoveFocus(UINT nKey) const {
  // The items in reading order: automatic, the cells by rows, other.
  int order[FwColorChoices::kMaxColors + 2];
  int n = 0;
  if (m_choices.automatic) order[n++] = ItemAutomatic;
  for (int i = 0; i < m_choices.count; ++i) order[n++] = i;
  if (m_choices.other) order[n++] = ItemOther;
  if (n == 0) return ItemNone;
  int at = -1;
  for (int i = 0; i < n; ++i) {
    if (order[i] == m_nFocused) at = i;
  }
  if (at < 0 || nKey == VK_HOME) return order[0];
  if (nKey == VK_END) return order[n - 1];
  if (nKey == VK_LEFT) return order[at > 0 ? at - 1 : 0];
  if (nKey == VK_RIGHT) return order[at + 1 < n ? at + 1 : n - 1];
  const int count = m_choices.count;
  const int lastRow = count > 0 ? (count - 1) / m_columns : 0;
  if (nKey == VK_UP) {
    if (m_nFocused == ItemOther) return count > 0 ? lastRow * m_columns : (m_choices.automatic ? ItemAutomatic : ItemOther);
    if (m_nFocused >= m_columns) return m_nFocused - m_columns;
    if (m_nFocused >= 0 && m_choices.automatic) return ItemAutomatic;
    return m_nFocused;
  }
  if (nKey == VK_DOWN) {
    if (m_nFocused == ItemAutomatic) return count > 0 ? 0 : (m_choices.other ? ItemOther : ItemAutomatic);
    if (m_nFocused >= 0) {
      if (m_nFocused + m_columns < count) return m_nFocused + m_columns;
      if (m_nFocused / m_columns < lastRow) return count - 1;  // under it the last row is shorter
      if (m_choices.other) return ItemOther;
    }
    return m_nFocused;
  }
  return m_nFocused;
}

void CMFCColorPopup::SetFocusedItem(int nItem) {
  if (nItem == m_nFocused) return;
  m_nFocused = nItem;
  Invalidate(FALSE);
}

void CMFCColorPopup::Close() {
  if (m_bClosing || !m_hWnd) return;
  m_bClosing = TRUE;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  DestroyWindow();
}

void CMFCColorPopup::Finish(COLORREF color, BOOL bAutomatic) {
  if (m_bClosing) return;
  m_bClosing = TRUE;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  ShowWindow(SW_HIDE);
  if (CMFCColorPopupClient* client = m_pClient) client->OnColorPopupChoice(color, bAutomatic);
  DestroyWindow();
}

void CMFCColorPopup::ChooseItem(int nItem) {
  if (m_bClosing) return;
  if (nItem == ItemAutomatic && m_choices.automatic) {
    Finish(m_choices.automaticColor, TRUE);
  } else if (nItem >= 0 && nItem < m_choices.count) {
    Finish(m_choices.colors[nItem], FALSE);
  } else if (nItem == ItemOther && m_choices.other) {
    // The pop-up steps aside while the dialog runs; it closes whichever way the dialog ends.
    m_bInDialog = TRUE;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    ShowWindow(SW_HIDE);
    COLORREF color = m_colorCurrent;
    const BOOL chosen = FwRunColorDialog(m_hWndOwner, color, m_choices.otherFullDialog, m_choices.otherSystemColors);
    m_bInDialog = FALSE;
    if (chosen) Finish(color, FALSE);
    else Close();
  }
}

void CMFCColorPopup::OnDestroy() {
  CWnd::OnDestroy();
  if (CMFCColorPopupClient* client = m_pClient) {
    m_pClient = nullptr;
    client->OnColorPopupClosed();
  }
}

BOOL CMFCColorPopup::OnEraseBkgnd(CDC*) { return TRUE; }

void CMFCColorPopup::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  CMFCVisualManager* manager = CMFCVisualManager::GetInstance();
  manager->OnFillColorPopup(&dc, client);
  HGDIOBJ oldFont = dc.SelectObject(PopupFont());
  dc.SetBkMode(TRANSPARENT);

  // The two buttons: pressed while the mouse holds them, hot under the mouse or the keyboard.
  const auto drawButton = [&](int item, const CRect& rect, const CString& label, BOOL sample) {
    const BOOL hot = m_nHot == item || m_nFocused == item;
    const COLORREF ink = manager->OnDrawControlButton(&dc, rect, m_nPressed == item, hot, FALSE);
    CRect text = rect;
    if (sample) {
      const CRect swatch(rect.left + 2, rect.top + 2, rect.left + rect.Height() - 2, rect.bottom - 2);
      manager->OnDrawColorCell(&dc, swatch, m_choices.automaticColor, FALSE, FALSE);
      text.left = swatch.right + 4;
    }
    dc.SetTextColor(ink);
    dc.DrawText(label, &text, (sample ? DT_LEFT : DT_CENTER) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  };
  if (m_choices.automatic) drawButton(ItemAutomatic, m_rectAutomatic, m_choices.automaticLabel, TRUE);
  for (int i = 0; i < m_choices.count; ++i) {
    manager->OnDrawColorCell(&dc, GetItemRect(i), m_choices.colors[i], m_choices.colors[i] == m_colorCurrent,
                             m_nHot == i || m_nFocused == i);
  }
  if (m_choices.other) drawButton(ItemOther, m_rectOther, m_choices.otherLabel, FALSE);
  dc.SelectObject(oldFont);
}

void CMFCColorPopup::OnMouseMove(UINT, CPoint point) {
  const int hot = HitTest(point);
  if (hot == m_nHot) return;
  m_nHot = hot;
  if (hot != ItemNone) m_nFocused = hot;
  Invalidate(FALSE);
}

void CMFCColorPopup::OnLButtonDown(UINT, CPoint point) {
  CRect client;
  GetClientRect(&client);
  // The pop-up holds the mouse: a press anywhere else closes it.
  if (!client.PtInRect(point)) {
    Close();
    return;
  }
  m_nPressed = HitTest(point);
  Invalidate(FALSE);
}

void CMFCColorPopup::OnLButtonUp(UINT, CPoint point) {
  const int pressed = m_nPressed;
  m_nPressed = ItemNone;
  const int item = HitTest(point);
  if (item != ItemNone && item == pressed) ChooseItem(item);
  else Invalidate(FALSE);
}

void CMFCColorPopup::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  switch (nChar) {
    case VK_ESCAPE:
      Close();
      return;
    case VK_RETURN:
    case VK_SPACE:
      if (m_nFocused != ItemNone) ChooseItem(m_nFocused);
      return;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END:
      SetFocusedItem(MoveFocus(nChar));
      return;
    default:
      CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
  }
}

// Another window of the program became active: the pop-up closes. When another program takes the
// foreground it stays, as the program's state does, for the user's return; so it does when its own
// window comes back to the front (activation may arrive late): it still holds the mouse, and the
// next click there closes it.
void CMFCColorPopup::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CWnd::OnActivate(nState, pWndOther, bMinimized);
  if (nState != WA_INACTIVE || m_bInDialog || !pWndOther || pWndOther->m_hWnd == m_hWndOwner) return;
  if (::GetWindowThreadProcessId(pWndOther->m_hWnd, nullptr) == ::GetCurrentThreadId()) Close();
}

LRESULT CMFCColorPopup::OnCaptureChanged(WPARAM, LPARAM lParam) {
  // Another window took the mouse (a drag, a menu): the pop-up gives way. The mouse let go because
  // another program came to the front is not a reason: it stays, as for a change of activation.
  const HWND taker = reinterpret_cast<HWND>(lParam);
  if (!m_bInDialog && taker && taker != m_hWnd) Close();
  return 0;
}

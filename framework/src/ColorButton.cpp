// The colour button of dialogs.
#include "fw/ColorButton.h"

#include "PropertyGridStrings.h"
#include "fw/Dc.h"
#include "fw/VisualManager.h"

IMPLEMENT_DYNAMIC(CMFCColorButton, CButton)

BEGIN_MESSAGE_MAP(CMFCColorButton, CButton)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_WM_CHAR()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
END_MESSAGE_MAP()

CMFCColorButton::CMFCColorButton() = default;

CMFCColorButton::~CMFCColorButton() {
  if (CMFCColorPopup* popup = m_pPopup) {
    m_pPopup = nullptr;
    popup->DetachClient();
    popup->Close();
  }
}

void CMFCColorButton::SetColor(COLORREF color) {
  m_color = color;
  m_bAutomatic = FALSE;
  if (m_hWnd) Invalidate(FALSE);
}

void CMFCColorButton::EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg, BOOL bIncludeSysColors) {
  m_choices.other = TRUE;
  m_choices.otherLabel = lpszLabel;
  if (m_choices.otherLabel.IsEmpty()) m_choices.otherLabel.LoadString(FW_IDS_COLOR_OTHER);
  m_choices.otherFullDialog = bAltColorDlg;
  m_choices.otherSystemColors = bIncludeSysColors;
}

void CMFCColorButton::EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable) {
  m_choices.automatic = bEnable;
  m_choices.automaticLabel = lpszLabel;
  if (m_choices.automaticLabel.IsEmpty()) m_choices.automaticLabel.LoadString(FW_IDS_COLOR_AUTOMATIC);
  m_choices.automaticColor = colorAutomatic;
  if (!bEnable) m_bAutomatic = FALSE;
}

void CMFCColorButton::SetColumnsNumber(int nColumns) {
  if (nColumns < 1) {
    OutputDebugStringW(L"CMFCColorButton::SetColumnsNumber: at least one column\n");
    return;
  }
  m_choices.columns = nColumns;
}

void CMFCColorButton::SetPalette(CPalette* pPalette) { m_choices.SetPalette(pPalette); }

BOOL CMFCColorButton::ShowColorPopup() {
  if (m_pPopup) return TRUE;
  if (!m_hWnd || !IsWindowEnabled()) return FALSE;
  CRect anchor;
  GetWindowRect(&anchor);
  m_pPopup = CMFCColorPopup::Show(this, this, anchor, m_choices, m_color, m_bAutomatic);
  Invalidate(FALSE);
  return m_pPopup != nullptr;
}

void CMFCColorButton::OnColorPopupChoice(COLORREF color, BOOL bAutomatic) {
  m_bAutomatic = bAutomatic;
  UpdateColor(color);
}

void CMFCColorButton::OnColorPopupClosed() {
  m_pPopup = nullptr;
  if (!m_hWnd || !::IsWindow(m_hWnd)) return;
  Invalidate(FALSE);
  if (IsWindowVisible()) SetFocus();
}

void CMFCColorButton::UpdateColor(COLORREF color) {
  m_color = color;
  if (!m_hWnd) return;
  Invalidate(FALSE);
  UpdateWindow();
  if (CWnd* parent = GetParent()) {
    parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
  }
}

LRESULT CMFCColorButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_SETCHECK:
    case WM_UPDATEUISTATE:
    case WM_ENABLE:
      if (m_hWnd) Invalidate(FALSE);
      return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    default:
      return CButton::WindowProc(message, wParam, lParam);
  }
}

BOOL CMFCColorButton::OnEraseBkgnd(CDC*) { return TRUE; }

void CMFCColorButton::OnPaint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  CDC memory;
  CBitmap bitmap;
  const BOOL buffered = memory.CreateCompatibleDC(&paint) && bitmap.CreateCompatibleBitmap(&paint, client.Width(), client.Height());
  CDC* dc = buffered ? &memory : &paint;
  CBitmap* oldBitmap = buffered ? memory.SelectObject(&bitmap) : nullptr;

  CMFCVisualManager* manager = CMFCVisualManager::GetInstance();
  const BOOL pressed = m_pPopup != nullptr;
  const BOOL disabled = !IsWindowEnabled();
  manager->OnDrawControlButton(dc, client, pressed, FALSE, disabled);
  CRect inner = client;
  inner.DeflateRect(3, 3);
  if (pressed) inner.OffsetRect(1, 1);
  const CRect arrow(inner.right - 12, inner.top, inner.right, inner.bottom);
  const CRect swatch(inner.left, inner.top, arrow.left - 3, inner.bottom);
  if (disabled) dc->Draw3dRect(&swatch, ::GetSysColor(COLOR_GRAYTEXT), ::GetSysColor(COLOR_GRAYTEXT));
  else manager->OnDrawColorCell(dc, swatch, m_color, FALSE, FALSE);
  dc->FillSolidRect(arrow.left - 2, inner.top + 2, 1, inner.Height() - 4, ::GetSysColor(COLOR_BTNSHADOW));
  manager->OnDrawMenuArrow(dc, arrow, disabled);
  if (::GetFocus() == m_hWnd) {
    CRect focus = client;
    focus.DeflateRect(2, 2);
    dc->DrawFocusRect(&focus);
  }

  if (buffered) {
    paint.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(oldBitmap);
  }
}

void CMFCColorButton::OnLButtonDown(UINT, CPoint) {
  SetFocus();
  // A second click on the button closes the pop-up it opened.
  if (m_pPopup) m_pPopup->Close();
  else ShowColorPopup();
}

void CMFCColorButton::OnLButtonDblClk(UINT nFlags, CPoint point) { OnLButtonDown(nFlags, point); }

void CMFCColorButton::OnLButtonUp(UINT, CPoint) {}

void CMFCColorButton::OnKeyDown(UINT nChar, UINT, UINT) {
  switch (nChar) {
    case VK_SPACE:
    case VK_RETURN:
    case VK_DOWN:
    case VK_F4:
      ShowColorPopup();
      break;
    default:
      break;
  }
}

void CMFCColorButton::OnKeyUp(UINT, UINT, UINT) {}
void CMFCColorButton::OnChar(UINT, UINT, UINT) {}

void CMFCColorButton::OnSetFocus(CWnd*) { Invalidate(FALSE); }
void CMFCColorButton::OnKillFocus(CWnd*) { Invalidate(FALSE); }

LRESULT CMFCColorButton::OnGetDlgCode(WPARAM, LPARAM lParam) {
  LRESULT code = DLGC_BUTTON | DLGC_WANTARROWS;
  // Enter opens the pop-up rather than pressing the dialog's default button.
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
  return code;
}

void AFXAPI DDX_ColorButton(CDataExchange* pDX, int nIDC, COLORREF& value) {
  if (pDX->Failed()) return;
  CWnd* control = CWnd::FromHandlePermanent(pDX->PrepareCtrl(nIDC));
  if (!control || !control->IsKindOf(RUNTIME_CLASS(CMFCColorButton))) {
    OutputDebugStringW(L"DDX_ColorButton: the control is not bound to a colour button\n");
    return;
  }
  CMFCColorButton* button = static_cast<CMFCColorButton*>(control);
  if (pDX->m_bSaveAndValidate) value = button->GetColor();
  else button->SetColor(value);
}

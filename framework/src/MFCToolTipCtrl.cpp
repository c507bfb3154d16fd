#include "fw/MFCToolTipCtrl.h"

#include <commctrl.h>

#include "fw/Dc.h"
#include "fw/VisualManager.h"

IMPLEMENT_DYNCREATE(CMFCToolTipCtrl, CToolTipCtrl)

namespace {

const int kMargin = 4;         // around the contents and between icon, label and description
const COLORREF kDefault = static_cast<COLORREF>(-1);

// The tip's font (the control's own), in bold when asked.
class TipFont {
 public:
  TipFont(HWND tip, BOOL bold) {
    HFONT base = reinterpret_cast<HFONT>(::SendMessageW(tip, WM_GETFONT, 0, 0));
    if (!base) base = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW lf = {};
    ::GetObjectW(base, sizeof(lf), &lf);
    if (bold) lf.lfWeight = FW_BOLD;
    font_ = ::CreateFontIndirectW(&lf);
  }
  ~TipFont() {
    if (font_) ::DeleteObject(font_);
  }
  TipFont(const TipFont&) = delete;
  TipFont& operator=(const TipFont&) = delete;
  HFONT get() const { return font_; }

 private:
  HFONT font_ = nullptr;
};

}  // namespace

CMFCToolTipInfo::CMFCToolTipInfo()
    : m_bBalloonTooltip(FALSE), m_bBoldLabel(TRUE), m_bDrawIcon(TRUE), m_bDrawDescription(TRUE),
      m_nMaxDescrWidth(200), m_bRoundedCorners(FALSE), m_bDrawSeparator(FALSE), m_bVislManagerTheme(FALSE),
      m_clrFill(kDefault), m_clrFillGradient(kDefault), m_nGradientAngle(-1), m_clrText(kDefault),
      m_clrBorder(kDefault) {}

struct CMFCToolTipCtrl::Layout {
  CSize total;
  CRect icon;         // empty without an icon
  CRect label;
  CRect separator;    // a one-pixel-high band; empty without a separator
  CRect description;  // empty without a description
};

CMFCToolTipCtrl::CMFCToolTipCtrl(CMFCToolTipInfo* pParams) { SetParams(pParams); }
CMFCToolTipCtrl::~CMFCToolTipCtrl() = default;

BOOL CMFCToolTipCtrl::CreateEx(CWnd* pParentWnd, DWORD dwStyle, DWORD dwStyleEx) {
  if (!CToolTipCtrl::CreateEx(pParentWnd, dwStyle | (m_Params.m_bBalloonTooltip ? TTS_BALLOON : 0), dwStyleEx))
    return FALSE;
  if (IsCustomDrawn()) ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED);
  return TRUE;
}

void CMFCToolTipCtrl::SetParams(CMFCToolTipInfo* pParams) {
  m_Params = pParams ? *pParams : CMFCToolTipInfo();
  if (m_hWnd) {
    ModifyStyle(m_Params.m_bBalloonTooltip ? 0 : TTS_BALLOON, m_Params.m_bBalloonTooltip ? TTS_BALLOON : 0);
    ModifyStyle(IsCustomDrawn() ? WS_BORDER : 0, IsCustomDrawn() ? 0 : WS_BORDER, SWP_FRAMECHANGED);
    Invalidate();
  }
}

void CMFCToolTipCtrl::SetDescription(const CString& strDescription) { m_strDescription = strDescription; }

void CMFCToolTipCtrl::SetIcon(HICON hIcon) {
  m_hIcon = hIcon;
  m_hImages = nullptr;
  m_nImage = -1;
}

void CMFCToolTipCtrl::SetImage(HIMAGELIST hImages, int nImage) {
  m_hImages = hImages;
  m_nImage = nImage;
  m_hIcon = nullptr;
}

CString CMFCToolTipCtrl::GetLabel() const {
  CString text;
  if (m_hWnd) GetWindowText(text);
  return text;
}

CSize CMFCToolTipCtrl::GetIconSize() {
  if (!m_Params.m_bDrawIcon) return CSize(0, 0);
  if (m_hImages && m_nImage >= 0) {
    int cx = 0, cy = 0;
    if (ImageList_GetIconSize(m_hImages, &cx, &cy)) return CSize(cx, cy);
  }
  if (m_hIcon) {
    ICONINFO info = {};
    if (::GetIconInfo(m_hIcon, &info)) {
      BITMAP bm = {};
      ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
      const int height = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;  // a mask-only icon stacks AND over XOR
      if (info.hbmColor) ::DeleteObject(info.hbmColor);
      if (info.hbmMask) ::DeleteObject(info.hbmMask);
      return CSize(bm.bmWidth, height);
    }
  }
  return CSize(0, 0);
}

CSize CMFCToolTipCtrl::OnDrawLabel(CDC* pDC, CRect rect, BOOL bCalcOnly) {
  const CString label = GetLabel();
  if (label.IsEmpty()) return CSize(0, 0);
  TipFont font(m_hWnd, m_Params.m_bBoldLabel);
  HGDIOBJ old = pDC->SelectObject(static_cast<HGDIOBJ>(font.get()));
  CRect calc(0, 0, 0x7FFF, 0);
  pDC->DrawText(label, &calc, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  if (!bCalcOnly) pDC->DrawText(label, &rect, DT_NOPREFIX | DT_EXPANDTABS);
  pDC->SelectObject(old);
  return calc.Size();
}

CSize CMFCToolTipCtrl::OnDrawDescription(CDC* pDC, CRect rect, BOOL bCalcOnly) {
  if (m_strDescription.IsEmpty()) return CSize(0, 0);
  TipFont font(m_hWnd, FALSE);
  HGDIOBJ old = pDC->SelectObject(static_cast<HGDIOBJ>(font.get()));
  const int width = m_Params.m_nMaxDescrWidth > 0 ? m_Params.m_nMaxDescrWidth : 0x7FFF;
  CRect calc(0, 0, width, 0);
  pDC->DrawText(m_strDescription, &calc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  if (!bCalcOnly) pDC->DrawText(m_strDescription, &rect, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  pDC->SelectObject(old);
  return calc.Size();
}

void CMFCToolTipCtrl::Measure(CDC* pDC, Layout& layout) {
  layout = Layout();
  const CSize icon = GetIconSize();
  const int left = kMargin + (icon.cx > 0 ? icon.cx + kMargin : 0);
  const CSize label = OnDrawLabel(pDC, CRect(), TRUE);
  layout.label = CRect(CPoint(left, kMargin), label);
  int bottom = layout.label.bottom;
  int right = layout.label.right;
  const CSize description = m_Params.m_bDrawDescription ? OnDrawDescription(pDC, CRect(), TRUE) : CSize(0, 0);
  if (description.cx > 0) {
    bottom += kMargin;
    if (m_Params.m_bDrawSeparator) {
      layout.separator = CRect(kMargin, bottom, 0, bottom + 1);
      bottom += 1 + kMargin;
    }
    layout.description = CRect(CPoint(left, bottom), description);
    bottom = layout.description.bottom;
    right = right > layout.description.right ? right : layout.description.right;
  }
  if (icon.cx > 0) {
    layout.icon = CRect(CPoint(kMargin, kMargin), icon);
    bottom = bottom > layout.icon.bottom ? bottom : layout.icon.bottom;
    right = right > layout.icon.right ? right : layout.icon.right;
  }
  layout.total = CSize(right + kMargin, bottom + kMargin);
  layout.separator.right = layout.total.cx - kMargin;
}

CSize CMFCToolTipCtrl::GetTipSize() {
  CClientDC dc(this);
  Layout layout;
  Measure(&dc, layout);
  return layout.total;
}

void CMFCToolTipCtrl::OnFillBackground(CDC* pDC, CRect rect, COLORREF& clrText, COLORREF& clrLine) {
  if (m_Params.m_bVislManagerTheme) {
    CMFCVisualManager::GetInstance()->OnFillToolTip(pDC, this, rect, clrText, clrLine);
    return;
  }
  const COLORREF fill = m_Params.m_clrFill != kDefault ? m_Params.m_clrFill : ::GetSysColor(COLOR_INFOBK);
  const COLORREF other = m_Params.m_clrFillGradient;
  if (other == kDefault || other == fill) {
    pDC->FillSolidRect(&rect, fill);
  } else {
    // The nearest of the four directions; the gradient starts at the fill colour.
    const int angle = ((m_Params.m_nGradientAngle < 0 ? 90 : m_Params.m_nGradientAngle) % 360 + 405) % 360 / 90;
    const BOOL vertical = angle == 1 || angle == 3;
    const BOOL reverse = angle == 2 || angle == 3;
    CMFCVisualManager::FillGradient(pDC, rect, reverse ? other : fill, reverse ? fill : other, vertical);
  }
  clrText = m_Params.m_clrText != kDefault ? m_Params.m_clrText : ::GetSysColor(COLOR_INFOTEXT);
  clrLine = m_Params.m_clrBorder != kDefault ? m_Params.m_clrBorder : ::GetSysColor(COLOR_INFOTEXT);
}

void CMFCToolTipCtrl::OnDrawBorder(CDC* pDC, CRect rect, COLORREF clrLine) {
  CPen pen(PS_SOLID, 1, clrLine);
  CPen* oldPen = pDC->SelectObject(&pen);
  HGDIOBJ oldBrush = pDC->SelectObject(::GetStockObject(HOLLOW_BRUSH));
  if (m_Params.m_bRoundedCorners)
    pDC->RoundRect(rect.left, rect.top, rect.right, rect.bottom, 6, 6);
  else
    pDC->Rectangle(&rect);
  pDC->SelectObject(oldBrush);
  pDC->SelectObject(oldPen);
}

BOOL CMFCToolTipCtrl::OnDrawIcon(CDC* pDC, CRect rectImage) {
  if (m_hImages && m_nImage >= 0)
    return ImageList_Draw(m_hImages, m_nImage, pDC->m_hDC, rectImage.left, rectImage.top, ILD_TRANSPARENT);
  if (m_hIcon)
    return ::DrawIconEx(pDC->m_hDC, rectImage.left, rectImage.top, m_hIcon, rectImage.Width(), rectImage.Height(), 0,
                        nullptr, DI_NORMAL);
  return FALSE;
}

void CMFCToolTipCtrl::OnDrawSeparator(CDC* pDC, int x1, int x2, int y) {
  CPen pen(PS_SOLID, 1, pDC->GetTextColor());
  CPen* old = pDC->SelectObject(&pen);
  pDC->MoveTo(x1, y);
  pDC->LineTo(x2, y);
  pDC->SelectObject(old);
}

void CMFCToolTipCtrl::DrawTip(CDC* pDC, CRect rect) {
  Layout layout;
  Measure(pDC, layout);
  COLORREF text = ::GetSysColor(COLOR_INFOTEXT), line = text;
  OnFillBackground(pDC, rect, text, line);
  OnDrawBorder(pDC, rect, line);
  const CPoint at = rect.TopLeft();
  if (!layout.icon.IsRectEmpty()) OnDrawIcon(pDC, layout.icon + at);
  const int oldMode = pDC->SetBkMode(TRANSPARENT);
  const COLORREF oldText = pDC->SetTextColor(text);
  OnDrawLabel(pDC, layout.label + at, FALSE);
  if (!layout.description.IsRectEmpty()) {
    if (!layout.separator.IsRectEmpty())
      OnDrawSeparator(pDC, layout.separator.left + at.x, layout.separator.right + at.x, layout.separator.top + at.y);
    OnDrawDescription(pDC, layout.description + at, FALSE);
  }
  pDC->SetTextColor(oldText);
  pDC->SetBkMode(oldMode);
}

// The common control keeps showing, hiding and placing the tip; this control draws it and gives it
// the size of what it draws whenever the common control sizes it.
LRESULT CMFCToolTipCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsCustomDrawn()) return CToolTipCtrl::WindowProc(message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      return TRUE;
    case WM_PAINT: {
      CPaintDC dc(this);
      CRect client;
      GetClientRect(&client);
      DrawTip(&dc, client);
      return 0;
    }
    case WM_PRINTCLIENT: {
      CRect client;
      GetClientRect(&client);
      DrawTip(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), client);
      return 0;
    }
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!(pos->flags & SWP_NOSIZE)) {
        // The window around a client area of the tip's size (the frame, should one be there).
        const CSize size = GetTipSize();
        CRect window(0, 0, size.cx, size.cy);
        ::AdjustWindowRectEx(&window, GetStyle(), FALSE, GetExStyle());
        pos->cx = window.Width();
        pos->cy = window.Height();
        // A wider tip than the common control planned must still fit on its monitor.
        if (!(pos->flags & SWP_NOMOVE)) {
          MONITORINFO monitor = {sizeof(monitor)};
          if (::GetMonitorInfoW(::MonitorFromPoint(CPoint(pos->x, pos->y), MONITOR_DEFAULTTONEAREST), &monitor)) {
            const RECT& work = monitor.rcWork;
            if (pos->x + pos->cx > work.right) pos->x = work.right - pos->cx;
            if (pos->y + pos->cy > work.bottom) pos->y = work.bottom - pos->cy;
            if (pos->x < work.left) pos->x = work.left;
            if (pos->y < work.top) pos->y = work.top;
          }
        }
      }
      return CToolTipCtrl::WindowProc(message, wParam, lParam);
    }
    case WM_WINDOWPOSCHANGED: {
      const LRESULT result = CToolTipCtrl::WindowProc(message, wParam, lParam);
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!(pos->flags & SWP_NOSIZE)) {
        // The window's shape follows the rounded border.
        HRGN shape = m_Params.m_bRoundedCorners ? ::CreateRoundRectRgn(0, 0, pos->cx + 1, pos->cy + 1, 6, 6) : nullptr;
        ::SetWindowRgn(m_hWnd, shape, FALSE);
      }
      return result;
    }
    default:
      return CToolTipCtrl::WindowProc(message, wParam, lParam);
  }
}

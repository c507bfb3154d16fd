#include "Label.h"

#include "ErrorLog.h"
#include "MyProcs.h"

IMPLEMENT_DYNAMIC(CLabel, CStatic)

BEGIN_MESSAGE_MAP(CLabel, CStatic)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_SETCURSOR()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CLabel::CLabel() : m_textColor(::GetSysColor(COLOR_WINDOWTEXT)) {
  DEF_TRY
  m_background = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(m_logFont), &m_logFont);
  m_font.CreateFontIndirect(&m_logFont);
  DEF_CATCH("CLabel::CLabel")
}

CLabel::~CLabel() {
  if (m_background != nullptr) ::DeleteObject(m_background);
}

void CLabel::RedrawNow() {
  if (m_hWnd != nullptr) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// The control also gets the font as its own, so it measures and draws with the same one whatever
// order it asks for its font and its colours in.
void CLabel::ReconstructFont() {
  DEF_TRY
  m_font.DeleteObject();
  m_font.CreateFontIndirect(&m_logFont);
  if (m_hWnd != nullptr) SetFont(&m_font, FALSE);
  DEF_CATCH("CLabel::ReconstructFont")
}

CLabel& CLabel::SetText(LPCTSTR text) {
  DEF_TRY
  SetWindowText(text);
  DEF_CATCH("CLabel::SetText")
  return *this;
}

CLabel& CLabel::SetTextColor(COLORREF color) {
  DEF_TRY
  m_textColor = color;
  RedrawNow();
  DEF_CATCH("CLabel::SetTextColor")
  return *this;
}

CLabel& CLabel::SetBkColor(COLORREF color) {
  DEF_TRY
  HBRUSH brush = ::CreateSolidBrush(color);
  if (brush == nullptr) return *this;
  if (m_background != nullptr) ::DeleteObject(m_background);
  m_background = brush;
  DEF_CATCH("CLabel::SetBkColor")
  return *this;
}

CLabel& CLabel::SetFontBold(BOOL bold) {
  DEF_TRY
  m_logFont.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  ReconstructFont();
  RedrawNow();
  DEF_CATCH("CLabel::SetFontBold")
  return *this;
}

CLabel& CLabel::SetFontUnderline(BOOL underline) {
  DEF_TRY
  m_logFont.lfUnderline = static_cast<BYTE>(underline);
  ReconstructFont();
  RedrawNow();
  DEF_CATCH("CLabel::SetFontUnderline")
  return *this;
}

CLabel& CLabel::SetFontSize(int size) {
  DEF_TRY
  m_logFont.lfHeight = -size;
  ReconstructFont();
  RedrawNow();
  DEF_CATCH("CLabel::SetFontSize")
  return *this;
}

CLabel& CLabel::SetFontName(LPCTSTR faceName) {
  DEF_TRY
  lstrcpynW(m_logFont.lfFaceName, faceName != nullptr ? faceName : L"", LF_FACESIZE);
  ReconstructFont();
  RedrawNow();
  DEF_CATCH("CLabel::SetFontName")
  return *this;
}

CLabel& CLabel::SetLink(LPCTSTR link) {
  DEF_TRY
  const BOOL hasLink = link != nullptr && *link != 0;
  m_link = hasLink ? link : L"";
  m_hasLink = hasLink;
  if (m_hWnd != nullptr) ModifyStyle(hasLink ? 0 : SS_NOTIFY, hasLink ? SS_NOTIFY : 0);
  DEF_CATCH("CLabel::SetLink")
  return *this;
}

CLabel& CLabel::SetLinkCursor(HCURSOR cursor) {
  m_linkCursor = cursor;
  return *this;
}

HBRUSH CLabel::CtlColor(CDC* pDC, UINT nCtlColor) {
  DEF_TRY
  if (nCtlColor == CTLCOLOR_STATIC) {
    pDC->SelectObject(&m_font);
    pDC->SetTextColor(m_textColor);
    pDC->SetBkMode(TRANSPARENT);
  }
  DEF_CATCH("CLabel::CtlColor")
  return m_background;
}

BOOL CLabel::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  DEF_TRY
  if (m_linkCursor != nullptr) {
    ::SetCursor(m_linkCursor);
    return TRUE;
  }
  DEF_CATCH("CLabel::OnSetCursor")
  return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CLabel::OnLButtonDown(UINT nFlags, CPoint point) {
  DEF_TRY
  if (m_hasLink) ShellOpen(L"open", m_link);
  DEF_CATCH("CLabel::OnLButtonDown")
  CStatic::OnLButtonDown(nFlags, point);
}

// A static text with its own colours and font, and an optional link that a click opens through the
// shell. The setters return the label so that calls can be chained on one line.
#pragma once
#include "Framework.h"

class CLabel : public CStatic {
  DECLARE_DYNAMIC(CLabel)
 public:
  CLabel();
  ~CLabel() override;

  CLabel& SetText(LPCTSTR text);
  // Redraws at once.
  CLabel& SetTextColor(COLORREF color);
  // Shows with the next repaint.
  CLabel& SetBkColor(COLORREF color);
  // The font setters change the label's font description, rebuild the font and redraw at once.
  CLabel& SetFontBold(BOOL bold);
  CLabel& SetFontUnderline(BOOL underline);
  CLabel& SetFontSize(int size);
  // Names of 32 characters or more are cut to the 31 a font name can hold.
  CLabel& SetFontName(LPCTSTR faceName);
  // An empty link makes the label plain text again (no click notifications).
  CLabel& SetLink(LPCTSTR link);
  CLabel& SetLinkCursor(HCURSOR cursor);

  const LOGFONTW& GetLogFont() const { return m_logFont; }
  COLORREF GetTextColor() const { return m_textColor; }
  BOOL HasLink() const { return m_hasLink; }
  CString GetLink() const { return m_link; }

 protected:
  void ReconstructFont();
  void RedrawNow();
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

  COLORREF m_textColor;
  HBRUSH m_background = nullptr;
  LOGFONTW m_logFont = {};
  CFont m_font;
  CString m_link;
  BOOL m_hasLink = FALSE;
  HCURSOR m_linkCursor = nullptr;
};

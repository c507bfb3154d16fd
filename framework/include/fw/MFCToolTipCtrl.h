// The framework's own tool tip: a tool-tip control that draws itself. A tip shows a label line (the
// tool's text, bold when asked), and below it, when there is one, a separator and a description
// wrapped at a maximal width, with an icon at the left when asked. Its colours are the visual
// manager's when the parameters ask for the look's theme, else the parameters' own, else the
// system's tool-tip colours. The control sizes itself to what it shows whenever the common control
// sizes the tip.
#pragma once
#include "fw/ToolTipCtrl.h"

// How a framework tool tip looks. Colours of (COLORREF)-1 mean the default (the look's or the
// system's); a gradient angle of -1 means the default direction (top to bottom). Made with a bold
// label, the icon and the description wrapped at 200 pixels, no separator, square corners and
// default colours.
class FW_API CMFCToolTipInfo {
 public:
  CMFCToolTipInfo();

  BOOL m_bBalloonTooltip;    // the common control's balloon shape (then nothing is custom drawn)
  BOOL m_bBoldLabel;         // the label line in bold
  BOOL m_bDrawIcon;          // the tool's icon at the left, when it has one
  BOOL m_bDrawDescription;   // the description under the label
  int m_nMaxDescrWidth;      // the description wraps at this many pixels (0: no limit)
  BOOL m_bRoundedCorners;    // the tip's window has rounded corners
  BOOL m_bDrawSeparator;     // a line between the label and the description
  BOOL m_bVislManagerTheme;  // colours and background from the visual manager
  COLORREF m_clrFill;
  COLORREF m_clrFillGradient;  // the other end of a gradient fill, or -1 for a flat fill
  int m_nGradientAngle;        // 0 left to right, 90 top to bottom, 180 and 270 the reverse
  COLORREF m_clrText;
  COLORREF m_clrBorder;
};

class FW_API CMFCToolTipCtrl : public CToolTipCtrl {
  DECLARE_DYNCREATE(CMFCToolTipCtrl)
 public:
  explicit CMFCToolTipCtrl(CMFCToolTipInfo* pParams = nullptr);
  ~CMFCToolTipCtrl() override;

  // Copies the parameters (null: the defaults).
  void SetParams(CMFCToolTipInfo* pParams);
  const CMFCToolTipInfo& GetParams() const { return m_Params; }

  // The description shown under the label of the next tip (a bar sets it when the control asks
  // for the tool's text).
  void SetDescription(const CString& strDescription);
  CString GetDescription() const { return m_strDescription; }
  // The icon shown at the left: an icon the caller keeps, or an image of an image list.
  void SetIcon(HICON hIcon);
  void SetImage(HIMAGELIST hImages, int nImage);

  // The label: the text the common control shows for the current tool (its window text).
  CString GetLabel() const;
  // The size the tip takes for the current label, description and icon.
  CSize GetTipSize();
  // Draws the whole tip (background, border, icon, label, separator, description) into `rect`.
  void DrawTip(CDC* pDC, CRect rect);

  // The tip draws its own border, so the common control's frame is taken off.
  BOOL CreateEx(CWnd* pParentWnd, DWORD dwStyle = 0, DWORD dwStyleEx = 0) override;

 protected:
  virtual CSize GetIconSize();
  virtual void OnFillBackground(CDC* pDC, CRect rect, COLORREF& clrText, COLORREF& clrLine);
  virtual void OnDrawBorder(CDC* pDC, CRect rect, COLORREF clrLine);
  virtual BOOL OnDrawIcon(CDC* pDC, CRect rectImage);
  // Each returns the size its text takes; with `bCalcOnly` nothing is drawn.
  virtual CSize OnDrawLabel(CDC* pDC, CRect rect, BOOL bCalcOnly);
  virtual CSize OnDrawDescription(CDC* pDC, CRect rect, BOOL bCalcOnly);
  virtual void OnDrawSeparator(CDC* pDC, int x1, int x2, int y);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  CMFCToolTipInfo m_Params;
  CString m_strDescription;
  HICON m_hIcon = nullptr;
  HIMAGELIST m_hImages = nullptr;
  int m_nImage = -1;

 private:
  // Where the parts go for the current content, measured with `pDC`.
  struct Layout;
  void Measure(CDC* pDC, Layout& layout);
  BOOL IsCustomDrawn() const { return !m_Params.m_bBalloonTooltip; }
};

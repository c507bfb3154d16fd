// One button of a tool bar or menu bar: a command with an image and a text, drawn by the bar through
// the visual manager. Derived buttons embed a control (combo box, edit box) or drop a menu.
//
// Buttons are values the bar copies: InsertButton and ReplaceButton make a new object of the
// given button's run-time class (so every button class must be creatable, DECLARE_SERIAL) and
// CopyFrom the given one. The bar owns its copies.
#pragma once
#include "fw/Archive.h"
#include "fw/ToolBarImages.h"
#include "fw/Wnd.h"

// A button's kind and state (CMFCToolBarButton::m_nStyle). The low byte is the kind, the next the
// state the bar and the command updates keep.
#define TBBS_BUTTON 0x0000
#define TBBS_SEPARATOR 0x0001
#define TBBS_CHECKBOX 0x0002      // a click toggles TBBS_CHECKED before the command goes out
#define TBBS_GROUP 0x0004
#define TBBS_CHECKGROUP (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_CHECKED 0x0100
#define TBBS_PRESSED 0x0200       // held down by the mouse
#define TBBS_DISABLED 0x0400
#define TBBS_INDETERMINATE 0x0800
#define TBBS_HIDDEN 0x1000
#define TBBS_WRAPPED 0x2000

class CMFCToolBar;

class FW_API CMFCToolBarButton : public CObject {
  DECLARE_SERIAL(CMFCToolBarButton)
 public:
  CMFCToolBarButton();
  CMFCToolBarButton(UINT uiID, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE,
                    BOOL bLocked = FALSE);
  ~CMFCToolBarButton() override;

  UINT m_nID = 0;               // the command; 0 for a separator
  UINT m_nStyle = TBBS_BUTTON;  // TBBS_*
  CString m_strText;            // the label; empty: the command's tool tip is used where a text is shown
  BOOL m_bText = FALSE;         // the label is drawn beside the image
  BOOL m_bImage = TRUE;         // the image is drawn
  BOOL m_bUserButton = FALSE;   // the image index is into the user images
  BOOL m_bLocked = FALSE;       // the button cannot be dragged off its bar

  // The image index (into the bar's images, or the user images), -1 for none.
  int GetImage() const { return m_iImage; }
  virtual void SetImage(int iImage) { m_iImage = iImage; }
  // Where the bar put the button, in the bar's client coordinates.
  const CRect& Rect() const { return m_rect; }
  virtual void SetRect(const CRect rect);
  BOOL IsVisible() const { return m_bVisible; }
  void SetVisible(BOOL bShow = TRUE) { m_bVisible = bShow; }
  BOOL IsSeparator() const { return (m_nStyle & TBBS_SEPARATOR) != 0; }
  BOOL IsLocked() const { return m_bLocked; }
  // The bar the button is on (null before it is placed).
  CWnd* GetParentWnd() const { return m_pWndParent; }

  // The button's text as the program sees it; a combo box answers its edit text.
  virtual LPCTSTR GetText() const { return m_strText; }
  // The text drawn as a label: the button's text, else the tip line of the command's string.
  CString GetDisplayText() const;

  virtual void CopyFrom(const CMFCToolBarButton& src);
  // Stores or loads the button (its kind is stored by the bar).
  void Serialize(CArchive& ar) override;

  virtual void OnDraw(CDC* pDC, const CRect& rect, CMFCToolBarImages* pImages, BOOL bHorz = TRUE,
                      BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                      BOOL bGrayDisabledButtons = TRUE);
  // The size the button takes on a bar whose plain buttons are `sizeDefault`.
  virtual SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz);
  // A click on the button; TRUE when the button dealt with it itself (no command goes out).
  virtual BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE);
  // A notification from the button's embedded control; TRUE: the bar sends the button's command
  // to the frame.
  virtual BOOL NotifyCommand(int iNotifyCode);
  // The button moved to bar `pWndParent` (or left its bar, null): embedded controls are made there.
  virtual void OnChangeParentWnd(CWnd* pWndParent);
  // The bar moved the button, or resized the bar (`iSize` its new length).
  virtual void OnMove();
  virtual void OnSize(int iSize);
  // The bar shows or hides the button (a vertical bar hides embedded controls).
  virtual void OnShow(BOOL bShow);
  // The embedded control's window, or null.
  virtual HWND GetHwnd() { return nullptr; }
  // Enables the button (and its control).
  virtual void EnableWindow(BOOL bEnable = TRUE);
  // The bar draws a hot border around it under the mouse.
  virtual BOOL HaveHotBorder() const { return TRUE; }
  // Hides the embedded control, if any, when the bar is vertical.
  virtual BOOL CanBeStretched() const { return FALSE; }
  virtual BOOL IsDroppedDown() const { return FALSE; }
  // TRUE when `hwnd` is the button's control or inside it.
  BOOL IsOwnerOf(HWND hwnd);

 protected:
  // The image (normal, hot or grey) and the label inside `rect`.
  void DrawImageAndText(CDC* pDC, const CRect& rect, CMFCToolBarImages* pImages, BOOL bHighlight,
                        BOOL bGrayDisabledButtons, BOOL bShowText);
  // The bar the button is on, when it is a tool bar.
  CMFCToolBar* GetToolBar() const;

  int m_iImage = -1;
  CRect m_rect;
  BOOL m_bVisible = TRUE;
  CWnd* m_pWndParent = nullptr;
};

// Strings in button state: a 32-bit length, then the UTF-16 units.
FW_API void AFXAPI FwWriteArchiveString(CArchive& ar, const CString& text);
FW_API CString AFXAPI FwReadArchiveString(CArchive& ar);

// The colour palette pop-up that the colour button (CMFCColorButton) and the property grid's colour
// rows (CMFCPropertyGridColorProperty) drop: a grid of colour cells, an optional "Automatic" button
// above it and an optional "Other..." button below it that opens the system colour dialog.
//
// The pop-up is modeless: Show returns at once and the choice arrives later through the client's
// OnColorPopupChoice; OnColorPopupClosed follows every time, chosen or not. Mouse: a click (press
// and release on the same item) chooses; a press outside closes it. Keyboard: the arrows, Home and
// End move between the items, Enter or Space chooses, Esc closes. It also closes when another
// window is activated. The pop-up deletes itself when it closes.
#pragma once
#include "fw/Gdi.h"
#include "fw/Wnd.h"

// What a pop-up offers.
struct FW_API FwColorChoices {
  enum { kMaxColors = 256 };
  FwColorChoices();
  // The entries of `pPalette` (at most kMaxColors), or the standard colours for null.
  void SetPalette(CPalette* pPalette);

  COLORREF colors[kMaxColors];
  int count = 0;
  int columns = 8;
  BOOL automatic = FALSE;       // the "Automatic" button
  CString automaticLabel;
  COLORREF automaticColor = 0;
  BOOL other = FALSE;           // the "Other..." button
  CString otherLabel;
  BOOL otherFullDialog = TRUE;  // the colour dialog opens with its custom-colour part
  BOOL otherSystemColors = TRUE;  // the dialog's custom colours are the desktop's colours
};

// Told what the user chose. The client outlives its pop-up or closes it first (DetachClient).
class CMFCColorPopupClient {
 public:
  virtual ~CMFCColorPopupClient() = default;
  // `bAutomatic`: the "Automatic" button was chosen (`color` is then the automatic colour).
  virtual void OnColorPopupChoice(COLORREF color, BOOL bAutomatic) = 0;
  // The pop-up is closing; it is gone once this returns.
  virtual void OnColorPopupClosed() = 0;
};

class FW_API CMFCColorPopup : public CWnd {
  DECLARE_DYNAMIC(CMFCColorPopup)

 public:
  // Items besides the colour cells (0 to count-1).
  enum { ItemNone = -1, ItemAutomatic = -2, ItemOther = -3 };

  // Opens a pop-up under `rectAnchor` (screen coordinates; above it when there is no room below),
  // owned by `pOwner`'s top-level window, with the keyboard on the item of `colorCurrent`.
  // Null when the window cannot be made.
  static CMFCColorPopup* Show(CMFCColorPopupClient* pClient, CWnd* pOwner, const CRect& rectAnchor,
                              const FwColorChoices& choices, COLORREF colorCurrent, BOOL bAutomaticCurrent);
  // Closes without a choice.
  void Close();
  // The client is going away: nothing more is reported to it.
  void DetachClient() { m_pClient = nullptr; }

  // The items, as laid out in the pop-up's client area.
  int GetColorCount() const { return m_choices.count; }
  COLORREF GetColor(int nItem) const;
  int GetColumns() const { return m_columns; }
  CRect GetItemRect(int nItem) const;
  int HitTest(CPoint point) const;
  int GetFocusedItem() const { return m_nFocused; }
  // Chooses an item as a click on it does (ItemOther runs the colour dialog).
  void ChooseItem(int nItem);

 protected:
  CMFCColorPopup(CMFCColorPopupClient* pClient, const FwColorChoices& choices);
  void PostNcDestroy() override {
    if (m_bAutoDelete) delete this;
  }
  // Places the items; returns the window's size.
  CSize Layout();
  // The item an arrow, Home or End key moves the keyboard to from the focused one.
  int MoveFocus(UINT nKey) const;
  void SetFocusedItem(int nItem);
  void Finish(COLORREF color, BOOL bAutomatic);

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnDestroy();
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  CMFCColorPopupClient* m_pClient;
  FwColorChoices m_choices;
  HWND m_hWndOwner = nullptr;  // the window the colour dialog belongs to
  COLORREF m_colorCurrent = 0;
  int m_columns = 8;
  int m_nFocused = ItemNone;
  int m_nHot = ItemNone;
  int m_nPressed = ItemNone;
  BOOL m_bAutoDelete = FALSE;  // set once the window exists; a failed creation leaves it to Show
  BOOL m_bClosing = FALSE;
  BOOL m_bInDialog = FALSE;  // the colour dialog is open: deactivation does not close
  CRect m_rectAutomatic;
  CRect m_rectCells;  // the first cell's rectangle; the others follow by columns
  CRect m_rectOther;
  CSize m_sizeCell;
};

// Runs the system colour dialog for `owner` on `color`; TRUE with the chosen colour, FALSE when the
// user cancelled. The user's custom colours are kept for the next call in the process.
FW_API BOOL FwRunColorDialog(HWND hWndOwner, COLORREF& color, BOOL bFullOpen, BOOL bSystemColors);

// The menu bar: a tool bar whose buttons are the top-level items of the frame's menu. The frame
// hands it its menu (CBasePane::OnSetFrameMenu) and then shows no system menu bar.
//
// A click on an item drops the real pop-up of that menu, tracked with the frame as its owner: the
// frame's WM_INITMENUPOPUP brings the items up to date through its command route, WM_MENUSELECT
// shows their prompts, and the chosen command reaches the frame as WM_COMMAND. While a pop-up is
// open, moving the mouse to another item, or Left and Right at the pop-up's edge, switch pop-ups.
// Keys (through the frame's PreTranslateMessage, TranslateFrameMessage below): F10 or a lone Alt
// selects the first item, Alt with an item's & letter opens it, Esc leaves.
#pragma once
#include "fw/ToolBar.h"

class FW_API CMFCMenuBar : public CMFCToolBar {
  DECLARE_SERIAL(CMFCMenuBar)
 public:
  CMFCMenuBar();
  ~CMFCMenuBar() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = AFX_DEFAULT_TOOLBAR_STYLE, UINT nID = AFX_IDW_MENUBAR) override;
  BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT, DWORD dwStyle = AFX_DEFAULT_TOOLBAR_STYLE,
                CRect rcBorders = CRect(1, 1, 1, 1), UINT nID = AFX_IDW_MENUBAR) override;

  // One button per top-level item of `hMenu` (the bar does not own the menu). The same menu again
  // changes nothing unless `bForceUpdate`. Derived bars may adjust the buttons afterwards.
  virtual void CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu = FALSE, BOOL bForceUpdate = FALSE);
  HMENU GetHMenu() const { return m_hMenu; }
  HMENU GetDefaultMenu() const { return m_hDefaultMenu; }
  // The frame's menu: the bar shows it and the frame keeps no system menu bar.
  BOOL OnSetFrameMenu(HMENU hMenu, BOOL bDefault) override;

  // Keys of the frame, before accelerators are left to Windows; TRUE when the bar used the message.
  BOOL TranslateFrameMessage(MSG* pMsg);
  // The bar has the keyboard: an item is highlighted and the arrows move it.
  BOOL IsKeyboardMode() const { return m_bKeyboardMode; }
  void EnterKeyboardMode(int iIndex = 0);
  void ExitKeyboardMode(BOOL bRestoreFocus = TRUE);
  // F10 and a lone Alt: into keyboard mode on the first item, or out of it.
  void ToggleKeyboardMode();
  // The item whose & letter is `ch`, or -1.
  int FindMnemonic(WCHAR ch) const;
  // Opens item `iIndex`'s pop-up (with its first entry selected when `bKeyboard`).
  BOOL OpenItem(int iIndex, BOOL bKeyboard);
  // The item whose pop-up is open, -1 for none.
  int GetOpenItem() const { return m_iOpen; }

  // How pop-ups appear (where Win32 lets a program choose).
  enum AnimationType { NO_ANIMATION, UNFOLD, SLIDE, FADE, SYSTEM_DEFAULT_ANIMATION };
  static void SetMenuAnimation(AnimationType type);
  static AnimationType GetMenuAnimation();
  // The choice of the customize dialog. Win32 draws pop-up shadows by the system's setting, so the
  // value is kept for the dialog and for programs that ask, not applied per pop-up.
  static void EnableMenuShadows(BOOL bEnable = TRUE);
  static BOOL IsMenuShadows();
  // Win32 pop-ups never take the focus from the window that shows them; kept for programs that ask.
  static void SetForceMenuFocus(BOOL bValue);
  static BOOL GetForceMenuFocus();
  // The TrackPopupMenuEx flags of the chosen animation.
  static UINT GetTrackFlags();
  // Pop-ups show every command even when the tool bars have basic commands (see
  // CMFCToolBar::SetBasicCommands).
  static void SetShowAllCommands(BOOL bShowAllCommands = TRUE);
  static BOOL IsShowAllCommands();
  // The pop-up of personalised menus for `hMenu`: a new menu (the caller destroys it) with the
  // basic and used commands, sub-menus trimmed alike (dropped when nothing of them is left), no
  // doubled or dangling separators, and as last entry the command that shows the whole menu.
  // Null when nothing would be hidden: then the whole menu is shown.
  static HMENU CreatePersonalMenu(HMENU hMenu);

  // The menu bar is built from its menu, not stored.
  BOOL SaveState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = static_cast<UINT>(-1)) override;
  BOOL LoadState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = static_cast<UINT>(-1)) override;
  BOOL RestoreOriginalState() override;
  // Horizontal: the whole width of the frame.
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  BOOL DropDownMenu(CMFCToolBarMenuButton* pButton) override;
  // What the message filter sees while a pop-up is open; TRUE swallows the message.
  BOOL FilterMenuMessage(MSG* pMsg);

 protected:
  // The next item with a pop-up from `iFrom` in direction `iStep` (wrapping), -1 for none.
  int NeighbourItem(int iFrom, int iStep) const;
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  DECLARE_MESSAGE_MAP()

  HMENU m_hMenu = nullptr;
  HMENU m_hDefaultMenu = nullptr;
  HMENU m_hOpenPopup = nullptr;
  int m_iOpen = -1;             // item whose pop-up is tracked
  int m_iNext = -1;             // item to open when the tracked pop-up ends
  BOOL m_bNextFull = FALSE;     // ... showing all its commands
  BOOL m_bNextByKeyboard = FALSE;
  BOOL m_bEscaped = FALSE;      // the pop-up was closed with Esc
  BOOL m_bKeyboardMode = FALSE;
  BOOL m_bAltAlone = FALSE;     // Alt is down and nothing else was pressed since
  HWND m_hwndFocusBefore = nullptr;
};

// The tool bar: a pane of buttons loaded from a TOOLBAR resource, docked by the frame's docking
// manager, drawn through the visual manager.
//
// Commands: a click posts the button's command to the frame (WM_COMMAND, as a menu item would);
// at idle time the bar asks the frame's command route for each button's state. Tool tips show the
// second line of the command's string ("prompt\ntip"); with CBRS_FLYBY the frame's status bar
// shows the first line while a button is hot.
//
// Resets: after LoadToolBar and after RestoreOriginalState (the customize dialog's Reset) the bar
// SENDS its frame AFX_WM_RESETTOOLBAR with the resource id, so the frame can put combo boxes, edit
// boxes and menu buttons in the place of the resource's placeholder buttons.
//
// State: SaveState/LoadState keep the buttons (their kinds by run-time class name) below the
// docking manager's section, as "ToolBar-<id>\Buttons". A stored value that is short, damaged or
// names an unknown class is ignored; the bar keeps the buttons it has.
//
// All tool bars share one image strip (GetImages) filled by the resources they load, and the
// user images the program sets (SetUserImages).
#pragma once
#include "fw/List.h"
#include "fw/Pane.h"
#include "fw/ToolBarButtons.h"
#include "fw/ToolTipCtrl.h"

#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif

// Flags of the customize dialog.
#define AFX_CUSTOMIZE_MENU_SHADOWS 0x0001
#define AFX_CUSTOMIZE_TEXT_LABELS 0x0002
#define AFX_CUSTOMIZE_MENU_ANIMATIONS 0x0004
#define AFX_CUSTOMIZE_NOHELP 0x0008
#define AFX_CUSTOMIZE_CONTEXT_HELP 0x0010
#define AFX_CUSTOMIZE_NOTOOLS 0x0020
#define AFX_CUSTOMIZE_MENUAMPERS 0x0040
#define AFX_CUSTOMIZE_NO_LARGE_ICONS 0x0080

class CMFCToolBarMenuButton;

class FW_API CMFCToolBar : public CPane {
  DECLARE_SERIAL(CMFCToolBar)
 public:
  CMFCToolBar();
  ~CMFCToolBar() override;

  // Creation. `dwCtrlStyle`: TBSTYLE_FLAT, TBSTYLE_LIST (labels beside the images rather than
  // under them). `dwStyle` mixes window styles with bar styles (CBRS_*). `rcBorders` is the margin
  // around the buttons.
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = AFX_DEFAULT_TOOLBAR_STYLE, UINT nID = AFX_IDW_TOOLBAR);
  virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT, DWORD dwStyle = AFX_DEFAULT_TOOLBAR_STYLE,
                        CRect rcBorders = CRect(1, 1, 1, 1), UINT nID = AFX_IDW_TOOLBAR);

  // Buttons from TOOLBAR resource `uiResID` (ids, 0 for a separator) with their images from the
  // bitmap resource of the same id; the commands' images are registered with GetCmdMgr(). A
  // locked bar's buttons cannot be moved or removed by the user. FALSE when the resource is missing
  // or damaged (the bar keeps its buttons).
  virtual BOOL LoadToolBar(UINT uiResID, BOOL bLocked = FALSE);
  // Buttons for these commands (ID_SEPARATOR for a separator), with their registered images.
  virtual BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
  UINT GetResID() const { return m_uiOriginalResID; }
  BOOL IsLocked() const { return m_bLocked; }
  // Made by the user in the customize dialog (or CreateNewToolBar).
  BOOL IsUserDefined() const { return m_bUserDefined; }
  void SetUserDefined(BOOL bUser) { m_bUserDefined = bUser; }
  // Back to the resource's buttons; the frame then gets AFX_WM_RESETTOOLBAR. A bar that never
  // loaded a resource loses its buttons.
  virtual BOOL RestoreOriginalState();

  // The buttons, in order (the customize chevron is not one of them).
  int GetCount() const { return static_cast<int>(m_Buttons.GetCount()); }
  CMFCToolBarButton* GetButton(int iIndex) const;
  const CObList& GetAllButtons() const { return m_Buttons; }
  // The index of the `iIndex`-th button (from 0) with command `nIDFind`, or -1.
  int CommandToIndex(UINT nIDFind, int iIndex = 0) const;
  UINT GetItemID(int nIndex) const;
  void GetItemRect(int nIndex, LPRECT lpRect) const;
  // The visible button at a point of the client area, or -1.
  int HitTest(CPoint point) const;
  UINT GetButtonStyle(int nIndex) const;
  void SetButtonStyle(int nIndex, UINT nStyle);
  CString GetButtonText(int nIndex) const;
  BOOL SetButtonText(int nIndex, LPCTSTR lpszText);

  // Every button with command `uiCmd` becomes a copy of `button` (the first only, unless `bAll`);
  // returns how many were replaced.
  int ReplaceButton(UINT uiCmd, const CMFCToolBarButton& button, BOOL bAll = FALSE);
  // A copy of `button` at `iInsertAt` (-1: at the end); returns its index, -1 on failure.
  int InsertButton(const CMFCToolBarButton& button, INT_PTR iInsertAt = -1);
  int InsertSeparator(INT_PTR iInsertAt = -1);
  BOOL RemoveButton(int iIndex);
  void RemoveAllButtons();

  // Every button with command `uiCmd` on every tool bar of the process; returns their number.
  static int GetCommandButtons(UINT uiCmd, CObList& listButtons);
  // Every tool bar (and menu bar) of the process that has a window.
  static const CObList& GetAllToolbars();

  // A chevron at the end of the bar. Its click shows a menu with `strCustomizeText`, which sends
  // `iCustomizeCmd` to the frame, and with `bQuickCustomize` a sub-menu that shows or hides each
  // of the bar's buttons.
  void EnableCustomizeButton(BOOL bEnable, int iCustomizeCmd, const CString& strCustomizeText,
                             BOOL bQuickCustomize = TRUE);
  BOOL IsExistCustomizeButton() const { return m_bCustomizeButton; }
  int GetCustomizeCommand() const { return m_iCustomizeCmd; }
  CString GetCustomizeText() const { return m_strCustomizeText; }
  BOOL IsQuickCustomize() const { return m_bQuickCustomize; }
  CRect GetCustomizeButtonRect() const { return m_rectCustomize; }

  // Labels under (or, with TBSTYLE_LIST, beside) every image.
  void EnableTextLabels(BOOL bEnable = TRUE);
  BOOL AreTextLabels() const { return m_bTextLabels; }
  DWORD GetCtrlStyle() const { return m_dwCtrlStyle; }

  // Images of all bars, and the user images (the program keeps the object).
  static CMFCToolBarImages* GetImages();
  static BOOL SetUserImages(CMFCToolBarImages* pUserImages);
  static CMFCToolBarImages* GetUserImages();
  // The size of a plain button: the images' size with a margin.
  CSize GetButtonSize() const;

  // Alt+drag moves a button within a bar or to another, or off any bar to remove it.
  static void EnableQuickCustomization(BOOL bEnable = TRUE);
  static BOOL IsQuickCustomizationEnabled();
  // While the customize dialog is open: clicks do not run commands, buttons can be dragged.
  static void SetCustomizeMode(BOOL bSet);
  static BOOL IsCustomizeMode();
  static void SetShowTooltips(BOOL bValue);
  static BOOL GetShowTooltips();

  // Personalised menus: the commands the menu bar's pop-ups always show. While the list is not
  // empty, a pop-up shows only these and the commands used since the program started; its last
  // entry shows the whole menu. An empty list (the default) shows every command.
  static void SetBasicCommands(CList<UINT, UINT>& lstCommands);
  static const CList<UINT, UINT>& GetBasicCommands();
  static void AddBasicCommand(UINT uiCmd);
  static BOOL IsBasicCommand(UINT uiCmd);
  // A command chosen from a menu: shown from then on.
  static void AddCommandUsage(UINT uiCommand);
  // Neither basic nor used (always FALSE without basic commands).
  static BOOL IsCommandRarelyUsed(UINT uiCmd);
  static void ResetAllUsageData();

  // The frame the bar's commands and notifications go to.
  CFrameWnd* GetCommandTarget() const;
  // The button under the mouse (or picked by the keyboard), -1 for none, -2 for the chevron.
  int GetHighlightedButton() const { return m_iHighlighted; }
  // The tip of button `iIndex`: the command's tip with its shortcut, or the button's text; with
  // `pDescription`, the command's prompt too.
  CString GetButtonToolTip(int iIndex, CString* pDescription = nullptr) const;
  HWND GetToolTipHwnd() const { return m_pToolTip ? m_pToolTip->m_hWnd : nullptr; }

  // Moves button `iButton` to bar `pTarget` before index `iInsertAt` (the same bar reorders); a
  // null target removes it. What a drag in customize mode or with Alt does.
  BOOL MoveButton(int iButton, CMFCToolBar* pTarget, int iInsertAt, BOOL bCopy = FALSE);
  // The index a button dropped at `point` (client coordinates) would take.
  int FindDropIndex(CPoint point) const;

  // Panes.
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void AdjustLayout() override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  BOOL SaveState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = static_cast<UINT>(-1)) override;
  BOOL LoadState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = static_cast<UINT>(-1)) override;
  // Removes what SaveState stored for the bar.
  BOOL RemoveStateFromRegistry(LPCTSTR lpszProfileName, UINT uiID = static_cast<UINT>(-1));

  // Shows the menu of a menu button under it. The frame first gets WM_NOTIFY TBN_DROPDOWN for
  // the button's command; a non-zero answer means it dealt with the click and no menu shows.
  virtual BOOL DropDownMenu(CMFCToolBarMenuButton* pButton);

 protected:
  friend class CMFCToolBarButton;
  // A button the bar owns: a new object of `button`'s class made as its copy; null when the class
  // cannot be created.
  static CMFCToolBarButton* CopyButton(const CMFCToolBarButton& button);
  int IndexOf(const CMFCToolBarButton* pButton) const;
  // Sends the frame AFX_WM_RESETTOOLBAR for the resource the bar was loaded from.
  void NotifyReset();
  // Called when a button arrives or goes (controls are made or destroyed).
  void AttachButton(CMFCToolBarButton* pButton);
  // The buttons changed: a new layout for the bar and for the frame that docks it.
  void OnButtonsChanged();
  // The resource's buttons again (m_OrigButtons with their images).
  void BuildOriginalButtons();
  // Lays the buttons out for `bHorz` from the top left of `rect`; returns the size used.
  CSize LayoutButtons(CRect rect, BOOL bHorz, BOOL bPlace);
  void InvalidateButton(int iIndex);
  void SetHighlighted(int iIndex);
  // What a release of the mouse on button `iIndex` does: its command, a check, a menu.
  virtual void OnButtonClick(int iIndex);
  // The customize chevron was clicked.
  virtual void OnCustomizeButtonClick();
  // Updates the tool tip's tools after a layout.
  void UpdateToolTips();
  // The bar's drag of its gripper: to another place of its row, another row or side.
  void DragBarTo(CPoint ptScreen);
  // Paints the whole bar into `pDC` (client coordinates).
  virtual void DrawBar(CDC* pDC);
  // Paints one button.
  virtual void DrawButton(CDC* pDC, CMFCToolBarButton* pButton, int iIndex, BOOL bHorz);
  // The font labels and controls use.
  static HFONT GetBarFont();

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnCancelMode(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  DECLARE_MESSAGE_MAP()

  CObList m_Buttons;                 // CMFCToolBarButton*, owned
  CList<UINT, UINT> m_OrigButtons;   // the resource's commands (0: separator), for a reset
  UINT m_uiOriginalResID = 0;
  int m_iFirstImage = -1;            // the resource's first image in GetImages(), -1 without
  BOOL m_bLocked = FALSE;
  BOOL m_bUserDefined = FALSE;
  DWORD m_dwCtrlStyle = TBSTYLE_FLAT;
  CRect m_rectBorders;
  BOOL m_bTextLabels = FALSE;

  BOOL m_bCustomizeButton = FALSE;
  int m_iCustomizeCmd = 0;
  CString m_strCustomizeText;
  BOOL m_bQuickCustomize = FALSE;
  CRect m_rectCustomize;

  int m_iHighlighted = -1;     // hot button
  int m_iPressed = -1;         // held down by the mouse
  BOOL m_bTracking = FALSE;    // WM_MOUSELEAVE requested
  CToolTipCtrl* m_pToolTip = nullptr;  // made by the tool-tip manager
  int m_nToolTips = 0;

  // Drags: of the bar by its gripper, and of a button (customize mode or Alt).
  enum DragKind { DragNone, DragBar, DragButton };
  DragKind m_drag = DragNone;
  CPoint m_ptDragStart;        // where the drag began, in client coordinates
  int m_iDragButton = -1;
  BOOL m_bDragMoved = FALSE;
  int m_iSelected = -1;        // the button picked in customize mode
};

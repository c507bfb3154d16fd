// Tab controls of the feature pack: a strip of tabs along the top or bottom of the control and the
// window of the active tab in the rest. CMFCBaseTabCtrl keeps the tabs and their windows and tells
// its parent when the active tab changes (AFX_WM_CHANGE_ACTIVE_TAB, wParam: the new index, lParam:
// the control); CMFCTabCtrl draws them through the visual manager in one of its styles, scrolls
// tabs that do not fit, and offers a close button on the active tab and a menu of all tabs.
//
// A tab's window becomes a child of the control, which shows the active one over the window area
// and hides the others. The MDI tab strips are the exception: their windows (the child frames)
// stay where they are and the strip only shows and activates them through its parent.
#pragma once
#include "fw/Array.h"
#include "fw/Wnd.h"

class FW_API CMFCBaseTabCtrl : public CWnd {
  DECLARE_DYNAMIC(CMFCBaseTabCtrl)
 public:
  enum Location { LOCATION_BOTTOM = 0, LOCATION_TOP = 1 };

  CMFCBaseTabCtrl();
  ~CMFCBaseTabCtrl() override;

  // Appends (or inserts at `nInsertAt`) a tab showing `pTabWnd`, labelled `lpszTabLabel` (or the
  // string resource `uiResTabLabel`). `bDetachable`: the user may drag the tab out of a tab group.
  // The first tab becomes the active one.
  virtual void AddTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, UINT uiImageId = static_cast<UINT>(-1),
                      BOOL bDetachable = TRUE);
  virtual void AddTab(CWnd* pTabWnd, UINT uiResTabLabel, UINT uiImageId = static_cast<UINT>(-1),
                      BOOL bDetachable = TRUE);
  virtual void InsertTab(CWnd* pNewWnd, LPCTSTR lpszTabLabel, int nInsertAt, UINT uiImageId = static_cast<UINT>(-1),
                         BOOL bDetachable = TRUE);
  // Removes a tab; its window is destroyed (and its object deleted) when the control destroys its
  // windows (AutoDestroyWindow), else it is hidden and left to its owner.
  virtual BOOL RemoveTab(int iTab, BOOL bRecalcLayout = TRUE);
  virtual void RemoveAllTabs();
  // Takes a tab out without touching its window (the window stays where it is).
  CWnd* DetachTab(int iTab);

  // The active tab; changing it tells the parent (AFX_WM_CHANGING_ACTIVE_TAB first: a non-zero
  // answer keeps the old one, then AFX_WM_CHANGE_ACTIVE_TAB).
  virtual BOOL SetActiveTab(int iTab);
  int GetActiveTab() const { return m_iActiveTab; }
  CWnd* GetActiveWnd() const;
  int GetTabsNum() const { return static_cast<int>(m_tabs.GetSize()); }
  int GetVisibleTabsNum() const;
  CWnd* GetTabWnd(int iTab) const;
  int GetTabFromHwnd(HWND hWnd) const;
  virtual BOOL GetTabLabel(int iTab, CString& strLabel) const;
  virtual BOOL SetTabLabel(int iTab, const CString& strLabel);
  UINT GetTabIcon(int iTab) const;
  BOOL IsTabDetachable(int iTab) const;
  // Hidden tabs keep their place but show no tab and cannot be active.
  virtual BOOL ShowTab(int iTab, BOOL bShow = TRUE, BOOL bRecalcLayout = TRUE, BOOL bActivate = FALSE);
  BOOL IsTabVisible(int iTab) const;
  // Moves a tab to another place in the strip.
  BOOL MoveTab(int nSource, int nDest);

  // Colours: one tab's background (CLR_DEFAULT: the look's), or a colour per tab picked in turn.
  BOOL SetTabBkColor(int iTab, COLORREF color = CLR_DEFAULT);
  COLORREF GetTabBkColor(int iTab) const;
  void EnableAutoColor(BOOL bEnable = TRUE);
  BOOL IsAutoColor() const { return m_bAutoColor; }

  // Geometry, in client coordinates: the height of the tab strip, the strip (in the rectangle of
  // its side; the other is empty), the window area, the rectangle of one tab (FALSE when hidden or
  // scrolled away), and the tab under a point (-1 for none).
  int GetTabsHeight() const;
  virtual void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const;
  virtual void GetWndArea(CRect& rect) const;
  BOOL GetTabRect(int iTab, CRect& rect) const;
  virtual int GetTabFromPoint(CPoint& pt) const;

  Location GetLocation() const { return m_location; }
  virtual void SetLocation(Location location);
  // Dragging a tab along the strip moves it there.
  void EnableTabSwap(BOOL bEnable) { m_bEnableTabSwap = bEnable; }
  BOOL IsTabSwapEnabled() const { return m_bEnableTabSwap; }
  // Removed tabs (and, at the end, all tabs) take their windows with them.
  void AutoDestroyWindow(BOOL bAutoDestroy = TRUE) { m_bAutoDestroyWindow = bAutoDestroy; }
  BOOL IsAutoDestroyWindow() const { return m_bAutoDestroyWindow; }
  // A close button on the active tab; pressing it hides a pane or closes the tab's window.
  virtual void EnableActiveTabCloseButton(BOOL bEnable = TRUE);
  BOOL IsActiveTabCloseButton() const { return m_bActiveTabCloseButton; }

  // The strip of an MDI tab group: its windows are the MDI child frames, left where they are.
  void SetMDITabs(BOOL bMDITabs) { m_bIsMDITab = bMDITabs; }
  BOOL IsMDITab() const { return m_bIsMDITab; }

  // Lays the tabs and the active window out again.
  virtual void RecalcLayout();

 protected:
  struct TabInfo {
    CWnd* wnd = nullptr;
    CString label;
    UINT image = static_cast<UINT>(-1);
    BOOL detachable = TRUE;
    BOOL visible = TRUE;
    COLORREF color = CLR_DEFAULT;
    CRect rect;      // where the last layout put the tab; empty when not shown
  };
  // Works out the tab rectangles (the drawing class knows their sizes).
  virtual void LayoutTabs() {}
  // The active tab's close button was pressed.
  virtual void OnActiveTabCloseButton();
  // Shows the active tab's window in the window area and hides the others.
  void ShowActiveWindow();
  // A tab was dragged out of the strip by the user (tab groups detach it).
  virtual void OnDragTabOut(int iTab, CPoint ptScreen);
  COLORREF AutoColor(int index) const;
  void FireChangeActiveTab(int iTab);
  void DestroyTabWindow(CWnd* wnd);

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnDestroy();
  afx_msg LRESULT OnParentNotify(WPARAM wParam, LPARAM lParam);

  CArray<TabInfo, const TabInfo&> m_tabs;
  int m_iActiveTab = -1;
  Location m_location = LOCATION_BOTTOM;
  BOOL m_bEnableTabSwap = TRUE;
  BOOL m_bAutoDestroyWindow = FALSE;
  BOOL m_bActiveTabCloseButton = FALSE;
  BOOL m_bAutoColor = FALSE;
  BOOL m_bIsMDITab = FALSE;
  BOOL m_bRemoving = FALSE;
  DECLARE_MESSAGE_MAP()
};

class FW_API CMFCTabCtrl : public CMFCBaseTabCtrl {
  DECLARE_DYNCREATE(CMFCTabCtrl)
 public:
  enum Style {
    STYLE_3D = 0,
    STYLE_FLAT = 1,
    STYLE_FLAT_SHARED_HORZ_SCROLL = 2,
    STYLE_3D_SCROLLED = 3,
    STYLE_3D_ONENOTE = 4,
    STYLE_3D_VS2005 = 5,
    STYLE_3D_ROUNDED = 6,
    STYLE_3D_ROUNDED_SCROLL = 7,
  };
  // The buttons at the strip's right end and on the active tab.
  enum Button { ButtonNone, ButtonScrollLeft, ButtonScrollRight, ButtonMenu, ButtonClose, ButtonActiveClose };

  CMFCTabCtrl();
  ~CMFCTabCtrl() override;

  // `bCloseBtn`: a close button at the strip's right end that closes the active tab.
  virtual BOOL Create(Style style, const RECT& rect, CWnd* pParentWnd, UINT nID, Location location = LOCATION_BOTTOM,
                      BOOL bCloseBtn = FALSE);
  Style GetStyle() const { return m_style; }
  void ModifyTabStyle(Style style);
  BOOL IsOneNoteStyle() const { return m_style == STYLE_3D_ONENOTE; }
  // A flat frame: no line around the window area.
  void SetFlatFrame(BOOL bFlat = TRUE, BOOL bRepaint = TRUE);
  BOOL IsFlatFrame() const { return m_bFlatFrame; }
  // A button at the strip's right end with a menu of all tabs; choosing one activates it.
  void EnableTabDocumentsMenu(BOOL bEnable = TRUE);
  BOOL IsTabDocumentsMenu() const { return m_bTabDocumentsMenu; }
  void EnableCloseButton(BOOL bEnable = TRUE);

  // Where a button is (client coordinates; empty when absent) and the first tab shown in the strip.
  CRect GetButtonRect(Button button) const;
  int GetFirstVisibleTab() const { return m_iFirstVisible; }
  BOOL IsScrolled() const { return m_bScroll; }
  // The tabs' menu, as the document-menu button shows it (ids from 1, the tab index + 1; the active
  // tab checked). The caller destroys it.
  HMENU BuildTabsMenu() const;
  // Makes sure the active tab is in view.
  void EnsureVisible(int iTab);

  void RecalcLayout() override;

 protected:
  void LayoutTabs() override;
  int TabWidth(int iTab, CDC* pDC) const;
  CRect StripRect() const;
  int Slant(const CRect& strip) const;
  void Draw(CDC* pDC);
  void DrawButton(CDC* pDC, Button button, const CRect& rect);
  Button ButtonAt(CPoint point) const;
  void OnButton(Button button);
  void ShowTabsMenu();

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);

  Style m_style = STYLE_3D;
  BOOL m_bFlatFrame = TRUE;
  BOOL m_bTabDocumentsMenu = FALSE;
  BOOL m_bCloseButton = FALSE;
  BOOL m_bScroll = FALSE;
  int m_iFirstVisible = 0;
  int m_iLastShown = -1;   // the last tab that fits after the first shown
  CRect m_rectTabStrip;    // where the tabs go (the strip less its buttons)
  CRect m_rectButtons[ButtonActiveClose + 1];
  // Mouse state: a tab pressed (for swapping and dragging out), a button pressed or under the mouse.
  int m_iPressedTab = -1;
  CPoint m_ptPressed;
  Button m_pressedButton = ButtonNone;
  Button m_hotButton = ButtonNone;
  BOOL m_bTracking = FALSE;
  DECLARE_MESSAGE_MAP()
};

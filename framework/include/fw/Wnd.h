// Windows: a CWnd owns or borrows one HWND, receives its messages through AfxWndProc and dispatches
// them through its message maps. Every window the framework creates (also dialogs and controls made
// by Windows from templates) is attached to its object while it is being created, so even WM_CREATE
// and WM_INITDIALOG reach the handlers.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "fw/CmdTarget.h"

class CDC;
class CFont;
class CMenu;
class CFrameWnd;
class CDataExchange;
class CScrollBar;
class CRgn;
class CBitmap;

FW_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Registers (once) a window class with these traits and returns its name, valid for the process.
FW_API LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                                   HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);

// Deletes the temporary objects that FromHandle made for handles no object owns. The run loop
// calls it when idle.
FW_API void AfxDeleteTempMaps();

class FW_API CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)
 public:
  CWnd();
  ~CWnd() override;

  HWND m_hWnd = nullptr;
  operator HWND() const { return m_hWnd; }
  HWND GetSafeHwnd() const { return m_hWnd; }
  bool operator==(const CWnd& other) const { return other.m_hWnd == m_hWnd; }
  bool operator!=(const CWnd& other) const { return other.m_hWnd != m_hWnd; }

  // The object of a handle: the attached one, else a temporary (see AfxDeleteTempMaps).
  static CWnd* FromHandle(HWND hWnd);
  static CWnd* FromHandlePermanent(HWND hWnd);
  BOOL Attach(HWND hWnd);
  HWND Detach();
  // Routes the messages of an existing window through this object (the old procedure stays the
  // default handler).
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  HWND UnsubclassWindow();

  // Creation.
  virtual BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID, void* pContext = nullptr);
  virtual BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                        int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                        LPVOID lpParam = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
  virtual BOOL DestroyWindow();
  virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);

  // Messages.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual void PostNcDestroy();
  virtual void PreSubclassWindow();
  LRESULT Default();  // the default handling of the message being dispatched
  // Lets each window from `hWndStop` down to the target of `pMsg` pre-translate it.
  static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE) const;

  // Data exchange with the controls of a dialog or form.
  virtual void DoDataExchange(CDataExchange* pDX);
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

  // Styles and relations.
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  CWnd* GetParent() const;
  CWnd* SetParent(CWnd* pWndNewParent);
  CWnd* GetOwner() const;
  CWnd* GetTopLevelParent() const;
  CWnd* GetWindow(UINT nCmd) const;
  CWnd* GetDlgItem(int nID) const;
  CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
  CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
  CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
  int GetDlgCtrlID() const;
  int SetDlgCtrlID(int nID);
  // The frame that holds this window (not the window itself), or null.
  CFrameWnd* GetParentFrame() const;
  // The frame at the top of this window's parents (the main frame), or null.
  CFrameWnd* GetTopLevelFrame() const;
  static CWnd* GetFocus();
  static CWnd* GetCapture();
  static CWnd* GetActiveWindow();
  static CWnd* GetForegroundWindow();
  static CWnd* GetDesktopWindow();
  static CWnd* WindowFromPoint(POINT point);
  CWnd* ChildWindowFromPoint(POINT point, UINT nFlags = CWP_ALL) const;

  // State and placement.
  BOOL ShowWindow(int nCmdShow);
  void UpdateWindow();
  BOOL IsWindowVisible() const;
  BOOL IsWindowEnabled() const;
  BOOL EnableWindow(BOOL bEnable = TRUE);
  BOOL IsIconic() const;
  BOOL IsZoomed() const;
  BOOL IsChild(const CWnd* pWnd) const;
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
  void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
  void GetWindowRect(LPRECT lpRect) const;
  void GetClientRect(LPRECT lpRect) const;
  BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
  BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
  void CenterWindow(CWnd* pAlternateOwner = nullptr);
  void BringWindowToTop();
  BOOL SetForegroundWindow();
  CWnd* SetActiveWindow();
  CWnd* SetFocus();
  CWnd* SetCapture();

  // Coordinates.
  void ClientToScreen(LPPOINT lpPoint) const;
  void ClientToScreen(LPRECT lpRect) const;
  void ScreenToClient(LPPOINT lpPoint) const;
  void ScreenToClient(LPRECT lpRect) const;
  void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
  void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;

  // Text and dialog items.
  void SetWindowText(LPCWSTR lpszString);
  int GetWindowText(LPWSTR lpszStringBuf, int nMaxCount) const;
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const;
  void SetDlgItemText(int nID, LPCWSTR lpszString);
  int GetDlgItemText(int nID, CString& rString) const;
  void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
  UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
  void CheckDlgButton(int nIDButton, UINT nCheck);
  UINT IsDlgButtonChecked(int nIDButton) const;
  void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
  int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
  CFont* GetFont() const;
  HICON SetIcon(HICON hIcon, BOOL bBigIcon);

  // Painting.
  CDC* GetDC();
  CDC* GetWindowDC();
  int ReleaseDC(CDC* pDC);
  CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
  void EndPaint(LPPAINTSTRUCT lpPaint);
  void Invalidate(BOOL bErase = TRUE);
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
  void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
  void ValidateRect(LPCRECT lpRect);
  BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr);
  BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);

  // Scroll bars.
  int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
  int GetScrollPos(int nBar) const;
  void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
  void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
  BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
  BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
  void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);

  // Timers, caret, menus, files.
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
  BOOL KillTimer(UINT_PTR nIDEvent);
  void CreateCaret(CBitmap* pBitmap);
  void CreateSolidCaret(int nWidth, int nHeight);
  void CreateGrayCaret(int nWidth, int nHeight);
  void ShowCaret();
  void HideCaret();
  static void SetCaretPos(POINT point);
  static CPoint GetCaretPos();
  CMenu* GetMenu() const;
  BOOL SetMenu(CMenu* pMenu);
  void DrawMenuBar();
  CMenu* GetSystemMenu(BOOL bRevert) const;
  void DragAcceptFiles(BOOL bAccept = TRUE);
  int MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption = nullptr, UINT nType = MB_OK);
  BOOL FlashWindow(BOOL bInvert);

  // Handlers the message-map macros bind; each does the window's default handling unless a class
  // overrides it.
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnNcDestroy();
  afx_msg void OnClose();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnMove(int x, int y);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  afx_msg void OnMouseLeave();
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
  afx_msg void OnDropFiles(HDROP hDropInfo);
  afx_msg BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct);
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);

  WNDPROC m_pfnSuper = nullptr;  // the procedure the window had before we subclassed it

 protected:
  // The attach-during-creation hook; returns false when creation cannot be hooked.
  void HookWindowCreate();
  static BOOL UnhookWindowCreate();
  BOOL DispatchWindowMessage(const AFX_MSGMAP_ENTRY* entry, UINT message, WPARAM wParam,
                             LPARAM lParam, LRESULT* pResult);

  DECLARE_MESSAGE_MAP()

 private:
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
};

// The one application window shown as the main window (AfxGetApp()->m_pMainWnd when an application
// object exists).
FW_API CWnd* AfxGetMainWnd();

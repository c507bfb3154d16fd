// Frame windows: the single-document frame, the multiple-document main frame with its MDI client,
// and the MDI child frame. A frame owns its view (the child with id AFX_IDW_PANE_FIRST) and routes
// commands: active view (and its document), the frame itself, then the application.
#pragma once
#include "fw/CommandIds.h"
#include "fw/Menu.h"
#include "fw/View.h"

// Frame style: the title shows the active document's name.
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L

// What a frame keeps about itself while print preview is shown (see OnSetPreviewMode).
struct CPrintPreviewState {
  HWND hWndFocus = nullptr;   // the focus before the preview, given back after it
  UINT nIDMainPane = 0;       // the id of the view the preview stands in for
};

class FW_API CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)
 public:
  CFrameWnd();
  ~CFrameWnd() override;
  static const CRect rectDefault;

  virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                      const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                      DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);

  CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
  virtual CDocument* GetActiveDocument();
  // The frame whose view has the user's attention: this one, or the active MDI child.
  virtual CFrameWnd* GetActiveFrame();
  virtual void ActivateFrame(int nCmdShow = -1);
  void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
  CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
  // Places the view (and, in a later layer, the bars) in the client area.
  virtual void RecalcLayout(BOOL bNotify = TRUE);
  virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
  void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
  CString GetTitle() const { return m_strTitle; }
  // Print preview of the active view (see CPreviewView).
  BOOL IsInPrintPreview();
  void ClosePrintPreview();
  // Print preview of this frame's view begins (TRUE) or ends (FALSE); `pState` is the same object
  // for both calls of one preview. The feature-pack frames hide their bars and panes here.
  virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
  // Refreshes the state of every item of `pMenu` through the command route.
  void UpdateMenuItems(CMenu* pMenu);

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  void PostNcDestroy() override;

  // The message pane of the frame's status bar (the child AFX_IDW_STATUS_BAR, or the parent
  // frame's when this frame has none): a text, or the first line of string `nID`.
  void SetMessageText(LPCTSTR lpszText);
  void SetMessageText(UINT nID);
  CWnd* GetMessageBar();

  BOOL m_bAutoMenuEnable = TRUE;
  UINT m_nIDHelp = 0;
  HMENU m_hMenuDefault = nullptr;
  HACCEL m_hAccelTable = nullptr;
  CString m_strTitle;

 protected:
  virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnClose();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnDropFiles(HDROP hDropInfo);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  // Prompts in the status bar: WM_SETMESSAGESTRING (wParam a string id, or lParam a text) and the
  // prompt of the menu item under the mouse, the idle text when the menu closes.
  afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMenuSelectMessage(WPARAM wParam, LPARAM lParam);
  CView* m_pViewActive = nullptr;
  DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd;

class FW_API CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIFrameWnd)
 public:
  CMDIFrameWnd();
  HWND m_hWndMDIClient = nullptr;

  virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
  // The Window menu of `hMenu`: the last pop-up whose items include the cascade command.
  virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);
  CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
  void MDIActivate(CWnd* pWndActivate);
  void MDICascade();
  void MDITile(int nType = MDITILE_HORIZONTAL);
  void MDINext();
  void MDIIconArrange();
  CFrameWnd* GetActiveFrame() override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void RecalcLayout(BOOL bNotify = TRUE) override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  // Puts `hMenuAlt` (a document type's menu, or the default menu when null) on the frame.
  virtual void OnUpdateFrameMenu(HMENU hMenuAlt);

 protected:
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  afx_msg void OnWindowCascade();
  afx_msg void OnWindowTileHorz();
  afx_msg void OnWindowTileVert();
  afx_msg void OnWindowArrange();
  afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};

class FW_API CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)
 public:
  CMDIChildWnd();
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
              DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
              CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
              CCreateContext* pContext = nullptr) override;
  CMDIFrameWnd* GetMDIFrame() const;
  void MDIActivate();
  void MDIDestroy();
  void MDIMaximize();
  void MDIRestore();
  BOOL DestroyWindow() override;
  void ActivateFrame(int nCmdShow = -1) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;

  HMENU m_hMenuShared = nullptr;  // the document type's menu, shown on the main frame while active

 protected:
  afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
  DECLARE_MESSAGE_MAP()
};

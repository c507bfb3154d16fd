// The tool-tip control: a CWnd over the common control TOOLTIPS_CLASS. A tool is either a whole
// window (nIDTool 0: the tip shows over that window) or a rectangle of a window with an id of its
// own. A tool's text may be LPSTR_TEXTCALLBACK: the control then asks the tool's window with
// TTN_GETDISPINFO each time the tip shows. The control sees the mouse only through RelayEvent
// (or when a tool subclasses its window with TTF_SUBCLASS).
#pragma once
#include "fw/Wnd.h"

// One tool as the control reports it, with room for its text.
class CToolInfo : public TOOLINFOW {
 public:
  WCHAR szText[256];
};

class FW_API CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)
 public:
  CToolTipCtrl();
  ~CToolTipCtrl() override;

  // A top-most pop-up owned by `pParentWnd`; TTS_ALWAYSTIP and TTS_NOPREFIX are always added, so
  // tips show over inactive windows and "&" stays visible.
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
  virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwStyle = 0, DWORD dwStyleEx = 0);

  // Adds a tool: the rectangle `lpRectTool` of `pWnd` with id `nIDTool`, or the whole of `pWnd`
  // when `nIDTool` is 0 (the rectangle is then not used). The text may be a string resource.
  BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACKW, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
  BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
  void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
  void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
  void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  // The tool's text (empty for a callback tool or an unknown one).
  void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
  BOOL GetToolInfo(CToolInfo& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
  void SetToolInfo(LPTOOLINFOW lpToolInfo);
  int GetToolCount() const;
  // The tool of `pWnd` under `pt` (client coordinates of `pWnd`), filling `lpToolInfo`.
  BOOL HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFOW lpToolInfo) const;

  // Mouse messages of the tools' windows, so the control knows when to show and hide the tip.
  void RelayEvent(LPMSG lpMsg);
  void Activate(BOOL bActivate);
  // The widest a tip may be before its text wraps (-1: no limit); returns the previous width.
  int SetMaxTipWidth(int iWidth);
  int GetMaxTipWidth() const;
  // All delays at once from the initial delay, or one of TTDT_INITIAL, TTDT_AUTOPOP, TTDT_RESHOW.
  void SetDelayTime(UINT nDelay);
  void SetDelayTime(DWORD dwDuration, int iTime);
  int GetDelayTime(DWORD dwDuration) const;
  void SetTipBkColor(COLORREF clr);
  COLORREF GetTipBkColor() const;
  void SetTipTextColor(COLORREF clr);
  COLORREF GetTipTextColor() const;
  void SetMargin(LPRECT lprc);
  void GetMargin(LPRECT lprc) const;
  BOOL SetTitle(UINT uIcon, LPCTSTR lpstrTitle);
  // Hides the tip; shows it at once for the tool under the mouse; redraws it.
  void Pop();
  void Popup();
  void Update();

 protected:
  // A TOOLINFO naming the tool (`nIDTool` 0: the window `pWnd` itself).
  static void FillInToolInfo(TOOLINFOW& ti, CWnd* pWnd, UINT_PTR nIDTool);
};

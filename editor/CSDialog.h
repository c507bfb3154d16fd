// Dialogs, property pages and a property sheet with context help: the caption's help button or F1
// over a control, and a right click on a control, open the help topic of that control through
// WinHelp with the application's help file. Each class lists its controls' help ids.
#pragma once
#include "Framework.h"

// What the three classes share: the table look-up and the call to WinHelp.
class CContextHelp {
 public:
  virtual ~CContextHelp() = default;
  // Pairs of control id and help id, ending with 0.
  virtual const DWORD* GetHelpIDs() const = 0;
  // The help id of a control, 0 when the table has none.
  DWORD HelpIdOf(int controlId) const;

 protected:
  // WM_HELP (HELP_WM_HELP, for the control under the help request) and WM_CONTEXTMENU
  // (HELP_CONTEXTMENU, for the control clicked). Returns FALSE when the control has no topic.
  virtual BOOL ShowContextHelp(HWND control, UINT command);
  // What a dialog or page does with the two messages: `self` is its window.
  LRESULT HelpRequested(LPARAM lParam);
  void ContextMenuRequested(HWND self, CWnd* pWnd);
};

class CCSDialog : public CDialog, public CContextHelp {
 public:
  explicit CCSDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : CDialog(nIDTemplate, pParentWnd) {}

 protected:
  afx_msg LRESULT OnHelpMessage(WPARAM wParam, LPARAM lParam);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  DECLARE_MESSAGE_MAP()
};

class CCSPropertyPage : public CPropertyPage, public CContextHelp {
 public:
  explicit CCSPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0) : CPropertyPage(nIDTemplate, nIDCaption) {}

 protected:
  afx_msg LRESULT OnHelpMessage(WPARAM wParam, LPARAM lParam);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  DECLARE_MESSAGE_MAP()
};

// The sheet hands both requests to its active page.
class CCSPropertySheet : public CPropertySheet {
 public:
  explicit CCSPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0)
      : CPropertySheet(nIDCaption, pParentWnd, iSelectPage) {}
  // The caption's help button: the common sheet asks for it by a template style that not every
  // system turns into the button.
  BOOL OnInitDialog() override;

 protected:
  afx_msg LRESULT OnHelpMessage(WPARAM wParam, LPARAM lParam);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  DECLARE_MESSAGE_MAP()
};

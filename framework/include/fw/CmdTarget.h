// Objects that receive commands: the base of windows, documents, templates and the application.
#pragma once
#include "fw/FwBase.h"
#include "fw/MsgMap.h"

// Filled by OnCmdMsg when a caller only asks whether a handler exists.
struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget;
  AFX_PMSG pmf;
};

class FW_API CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
 public:
  CCmdTarget() = default;
  ~CCmdTarget() override = default;

  // Looks for a handler of command `nID` with code `nCode` (CN_COMMAND, CN_UPDATE_COMMAND_UI, a
  // control notification, or FW_NOTIFY_CODE of a WM_NOTIFY code) in this object's message maps and
  // calls it. Overrides route on to further targets (view, document, frame, application).
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};

// The user-interface state of one command: a menu item, a tool-bar button or a dialog control.
// Update handlers call Enable, SetCheck, SetRadio and SetText; DoUpdate asks the route for one.
class FW_API CCmdUI {
 public:
  CCmdUI() = default;
  virtual ~CCmdUI() = default;

  virtual void Enable(BOOL bOn = TRUE);
  virtual void SetCheck(int nCheck = 1);
  virtual void SetRadio(BOOL bOn = TRUE);
  virtual void SetText(LPCWSTR lpszText);
  void ContinueRouting() { m_bContinueRouting = TRUE; }

  // Asks `pTarget` (and its route) for the state; a command nobody handles is disabled when
  // `bDisableIfNoHandler` is set.
  BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

  UINT m_nID = 0;
  UINT m_nIndex = 0;
  CMenu* m_pMenu = nullptr;       // the menu holding the item, or null
  CMenu* m_pSubMenu = nullptr;    // the item's popup when it opens one
  CWnd* m_pOther = nullptr;       // a control or bar standing for the command, or null
  UINT m_nIndexMax = 0;
  BOOL m_bEnableChanged = FALSE;
  BOOL m_bContinueRouting = FALSE;
};

// Shows the hourglass for the life of the object.
class FW_API CWaitCursor {
 public:
  CWaitCursor();
  ~CWaitCursor();
  void Restore();

 private:
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
};

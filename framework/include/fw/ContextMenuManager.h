// The context-menu manager: pop-up menus registered once under a name (loaded in the user-interface
// language when registered) and shown at a screen point for an owner window.
//
// While a menu shows, its items take their enabled, checked and text states from the owner's
// command route (the owner first, then, unless the owner keeps its messages, its top-level frame
// with the active view, document, frame and application): each time a pop-up opens, the update
// handlers (ON_UPDATE_COMMAND_UI) run for its items. Where no update handler exists, an item keeps
// the state the menu gives it, except that ShowPopupMenu disables a command nobody handles.
//
// ShowPopupMenu sends the chosen command on; TrackPopupMenu returns it to the caller instead. Both
// return when the menu has closed.
#pragma once
#include "fw/List.h"
#include "fw/Wnd.h"

class FW_API CContextMenuManager : public CObject {
  DECLARE_DYNAMIC(CContextMenuManager)
 public:
  CContextMenuManager();
  ~CContextMenuManager() override;

  // Loads menu `uiMenuResId` in the current resource language and keeps it under `lpszName`
  // (string `uiMenuNameResId` of the same language); a name registered before is replaced. FALSE
  // when the menu or the name's string does not exist.
  BOOL AddMenu(LPCTSTR lpszName, UINT uiMenuResId);
  BOOL AddMenu(UINT uiMenuNameResId, UINT uiMenuResId);
  // The menu registered under the name (its resource id in `puiOrigResID`), or null.
  HMENU GetMenuByName(LPCTSTR lpszName, UINT* puiOrigResID = nullptr) const;
  // The first menu registered from resource `nMenuResId`, or null.
  HMENU GetMenuById(UINT nMenuResId) const;
  // Adds the registered names to `listOfNames`, in the order of registration.
  void GetMenuNames(CStringList& listOfNames) const;

  // Shows a copy of the first pop-up of the menu registered from `uiMenuResId` at the screen point
  // (x, y) (the cursor's position for -1, -1), aligned by its right edge with `bRightAlign`. The
  // chosen command is posted to `pWndOwner` as WM_COMMAND when `bOwnMessage` is set or the owner
  // handles it; otherwise to the owner's top-level frame. FALSE when nothing could be shown.
  BOOL ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage = FALSE,
                     BOOL bRightAlign = FALSE);
  // The same for a pop-up the caller made; `bAutoDestroy` destroys it once it has closed.
  BOOL ShowPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage = FALSE,
                     BOOL bAutoDestroy = TRUE, BOOL bRightAlign = FALSE);
  // Shows the caller's pop-up and returns the chosen command, 0 when the menu was cancelled. The
  // command is not sent anywhere; the pop-up is not destroyed.
  UINT TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bRightAlign = FALSE);

 private:
  struct Entry;
  struct Menus;
  Menus* m_pMenus;
};

// The application's context-menu manager (null until the application object makes it).
extern FW_API CContextMenuManager* afxContextMenuManager;

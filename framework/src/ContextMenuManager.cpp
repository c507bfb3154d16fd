#include "fw/ContextMenuManager.h"

#include <vector>

#include "fw/Frame.h"
#include "fw/Menu.h"

IMPLEMENT_DYNAMIC(CContextMenuManager, CObject)

CContextMenuManager* afxContextMenuManager = nullptr;

struct CContextMenuManager::Entry {
  CString name;
  UINT resId;
  HMENU menu;
};

struct CContextMenuManager::Menus {
  std::vector<Entry> entries;
};

namespace {

// The command route a shown menu's items are updated through: the owner, then (unless the owner
// keeps its messages) its top-level frame, which passes on to the active view, document, frame and
// application.
class PopupRoute : public CCmdTarget {
 public:
  PopupRoute(CWnd* owner, BOOL ownMessage) : owner_(owner), frame_(nullptr) {
    if (!ownMessage && owner_) {
      frame_ = owner_->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? nullptr : owner_->GetTopLevelFrame();
    }
  }
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
    if (owner_ && owner_->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return frame_ && frame_->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
  }
  CFrameWnd* Frame() const { return frame_; }

 private:
  CWnd* owner_;
  CFrameWnd* frame_;
};

// The hidden window a menu is tracked for: it receives WM_INITMENUPOPUP for the menu and each of
// its sub-menus, and lets the route update their items.
class PopupHost : public CWnd {
 public:
  PopupHost(PopupRoute& route, BOOL disableUnhandled) : route_(route), disableUnhandled_(disableUnhandled) {}
  ~PopupHost() override { DestroyWindow(); }
  BOOL Make(CWnd* owner) {
    CWnd* top = owner ? owner->GetTopLevelParent() : nullptr;
    return CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 0, 0, top ? top->m_hWnd : nullptr,
                    nullptr);
  }

 protected:
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
    if (bSysMenu || !pPopupMenu) return;
    CCmdUI state;
    state.m_pMenu = pPopupMenu;
    state.m_nIndexMax = static_cast<UINT>(pPopupMenu->GetMenuItemCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
      state.m_nID = pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
      if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) continue;  // separators and sub-menus
      state.DoUpdate(&route_, disableUnhandled_ && state.m_nID < 0xF000);
    }
  }
  DECLARE_MESSAGE_MAP()

 private:
  PopupRoute& route_;
  BOOL disableUnhandled_;
};

BEGIN_MESSAGE_MAP(PopupHost, CWnd)
ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

// Tracks `popup` at (x, y) for `owner` and returns the chosen command (0 when cancelled).
UINT Track(HMENU popup, int x, int y, CWnd* owner, BOOL ownMessage, BOOL disableUnhandled, BOOL rightAlign) {
  if (!popup || !::IsMenu(popup)) {
    OutputDebugStringW(L"CContextMenuManager: no pop-up menu to show\n");
    return 0;
  }
  if (!owner) owner = AfxGetMainWnd();
  if (x == -1 && y == -1) {
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    x = cursor.x;
    y = cursor.y;
  }
  PopupRoute route(owner, ownMessage);
  PopupHost host(route, disableUnhandled);
  if (!host.Make(owner)) return 0;
  const UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_TOPALIGN | (rightAlign ? TPM_RIGHTALIGN : TPM_LEFTALIGN);
  return static_cast<UINT>(::TrackPopupMenu(popup, flags, x, y, 0, host.m_hWnd, nullptr));
}

// A copy of a pop-up with its items, states and sub-menus, so the registered menu keeps the states
// it was loaded with.
HMENU CopyPopup(HMENU source) {
  HMENU copy = ::CreatePopupMenu();
  const int count = ::GetMenuItemCount(source);
  for (int i = 0; copy && i < count; ++i) {
    MENUITEMINFOW info = {sizeof(info)};
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_DATA;
    if (!::GetMenuItemInfoW(source, static_cast<UINT>(i), TRUE, &info)) continue;
    std::vector<wchar_t> text(info.cch + 1, L'\0');
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    ::GetMenuItemInfoW(source, static_cast<UINT>(i), TRUE, &info);
    if (info.hSubMenu) info.hSubMenu = CopyPopup(info.hSubMenu);
    ::InsertMenuItemW(copy, static_cast<UINT>(i), TRUE, &info);
  }
  return copy;
}

}  // namespace

CContextMenuManager::CContextMenuManager() : m_pMenus(new Menus) {}

CContextMenuManager::~CContextMenuManager() {
  for (Entry& entry : m_pMenus->entries) ::DestroyMenu(entry.menu);
  delete m_pMenus;
  if (afxContextMenuManager == this) afxContextMenuManager = nullptr;
}

BOOL CContextMenuManager::AddMenu(LPCTSTR lpszName, UINT uiMenuResId) {
  if (!lpszName || !*lpszName) {
    OutputDebugStringW(L"CContextMenuManager::AddMenu: a menu needs a name\n");
    return FALSE;
  }
  CMenu loaded;
  if (!loaded.LoadMenu(uiMenuResId)) return FALSE;
  const HMENU menu = loaded.Detach();
  for (Entry& entry : m_pMenus->entries) {
    if (entry.name == lpszName) {
      ::DestroyMenu(entry.menu);
      entry.menu = menu;
      entry.resId = uiMenuResId;
      return TRUE;
    }
  }
  m_pMenus->entries.push_back(Entry{lpszName, uiMenuResId, menu});
  return TRUE;
}

BOOL CContextMenuManager::AddMenu(UINT uiMenuNameResId, UINT uiMenuResId) {
  CString name;
  if (!name.LoadString(uiMenuNameResId)) return FALSE;
  return AddMenu(name, uiMenuResId);
}

HMENU CContextMenuManager::GetMenuByName(LPCTSTR lpszName, UINT* puiOrigResID) const {
  for (const Entry& entry : m_pMenus->entries) {
    if (lpszName && entry.name == lpszName) {
      if (puiOrigResID) *puiOrigResID = entry.resId;
      return entry.menu;
    }
  }
  return nullptr;
}

HMENU CContextMenuManager::GetMenuById(UINT nMenuResId) const {
  for (const Entry& entry : m_pMenus->entries) {
    if (entry.resId == nMenuResId) return entry.menu;
  }
  return nullptr;
}

void CContextMenuManager::GetMenuNames(CStringList& listOfNames) const {
  for (const Entry& entry : m_pMenus->entries) listOfNames.AddTail(entry.name);
}

BOOL CContextMenuManager::ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage,
                                        BOOL bRightAlign) {
  const HMENU menu = GetMenuById(uiMenuResId);
  const HMENU popup = menu ? ::GetSubMenu(menu, 0) : nullptr;
  if (!popup) {
    OutputDebugStringW(L"CContextMenuManager::ShowPopupMenu: the menu is not registered or has no pop-up\n");
    return FALSE;
  }
  return ShowPopupMenu(CopyPopup(popup), x, y, pWndOwner, bOwnMessage, TRUE, bRightAlign);
}

BOOL CContextMenuManager::ShowPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage,
                                        BOOL bAutoDestroy, BOOL bRightAlign) {
  if (!hmenuPopup || !::IsMenu(hmenuPopup)) return FALSE;
  if (!pWndOwner) pWndOwner = AfxGetMainWnd();
  const UINT command = Track(hmenuPopup, x, y, pWndOwner, bOwnMessage, TRUE, bRightAlign);
  if (bAutoDestroy) ::DestroyMenu(hmenuPopup);
  if (command == 0 || !pWndOwner || !pWndOwner->m_hWnd) return TRUE;
  // The owner takes the command when it asked for its messages or handles it itself; else the
  // frame's route gets it.
  CWnd* target = pWndOwner;
  if (!bOwnMessage) {
    AFX_CMDHANDLERINFO info = {nullptr, nullptr};
    CFrameWnd* frame = pWndOwner->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? nullptr : pWndOwner->GetTopLevelFrame();
    if (frame && !pWndOwner->OnCmdMsg(command, CN_COMMAND, nullptr, &info)) target = frame;
  }
  target->PostMessage(WM_COMMAND, MAKEWPARAM(command, 0), 0);
  return TRUE;
}

UINT CContextMenuManager::TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bRightAlign) {
  return Track(hmenuPopup, x, y, pWndOwner, FALSE, FALSE, bRightAlign);
}

#include "fw/Menu.h"
#include "HandleMap.h"
#include "fw/ResourceLanguage.h"
#include "fw/Wnd.h"

namespace {

using MenuTraits = fw_internal::MemberTraits<HMENU, CMenu, &CMenu::m_hMenu>;

fw_internal::HandleMap<HMENU, CMenu, MenuTraits>& MenuMap() {
  static fw_internal::HandleMap<HMENU, CMenu, MenuTraits> map;
  return map;
}

}  // namespace

void FwDeleteMenuTempMap() { MenuMap().DeleteTemporaries(); }

// Finds a resource in the resource language wherever the program's resources are (the resource
// handle, then the extension libraries). Dialogs, menus and accelerators all come through here.
HMODULE FwFindResourceModule(LPCWSTR name, LPCWSTR type, HRSRC* found) {
  HMODULE module = AfxFindResourceHandle(name, type);
  *found = module ? AfxFindResourceInLanguage(module, name, type) : nullptr;
  return *found ? module : nullptr;
}

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu() { DestroyMenu(); }

CMenu* CMenu::FromHandle(HMENU hMenu) { return MenuMap().FromHandle(hMenu); }

BOOL CMenu::Attach(HMENU hMenu) {
  ASSERT(m_hMenu == nullptr);
  if (!MenuMap().Attach(hMenu, this)) return FALSE;
  m_hMenu = hMenu;
  return TRUE;
}

HMENU CMenu::Detach() {
  const HMENU h = MenuMap().Detach(m_hMenu);
  m_hMenu = nullptr;
  return h;
}

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
BOOL CMenu::LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCEW(nIDResource)); }
BOOL CMenu::LoadMenu(LPCWSTR name) {
  HRSRC found = nullptr;
  HMODULE module = FwFindResourceModule(name, RT_MENU, &found);
  if (!module) return FALSE;
  HGLOBAL loaded = LoadResource(module, found);
  const void* templ = loaded ? LockResource(loaded) : nullptr;
  return templ && Attach(::LoadMenuIndirectW(templ));
}
BOOL CMenu::DestroyMenu() {
  if (!m_hMenu) return FALSE;
  return ::DestroyMenu(Detach());
}

CMenu* CMenu::GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }
int CMenu::GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
UINT CMenu::GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
int CMenu::GetMenuString(UINT nIDItem, LPWSTR s, int n, UINT nFlags) const {
  return ::GetMenuStringW(m_hMenu, nIDItem, s, n, nFlags);
}
int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  const int n = ::GetMenuStringW(m_hMenu, nIDItem, nullptr, 0, nFlags);
  const int copied = ::GetMenuStringW(m_hMenu, nIDItem, rString.GetBuffer(n + 1), n + 1, nFlags);
  rString.ReleaseBuffer(copied);
  return copied;
}
BOOL CMenu::GetMenuItemInfo(UINT uItem, LPMENUITEMINFOW info, BOOL byPos) {
  return ::GetMenuItemInfoW(m_hMenu, uItem, byPos, info);
}
BOOL CMenu::SetMenuItemInfo(UINT uItem, LPMENUITEMINFOW info, BOOL byPos) {
  return ::SetMenuItemInfoW(m_hMenu, uItem, byPos, info);
}
BOOL CMenu::AppendMenu(UINT f, UINT_PTR id, LPCWSTR s) { return ::AppendMenuW(m_hMenu, f, id, s); }
BOOL CMenu::InsertMenu(UINT pos, UINT f, UINT_PTR id, LPCWSTR s) { return ::InsertMenuW(m_hMenu, pos, f, id, s); }
BOOL CMenu::ModifyMenu(UINT pos, UINT f, UINT_PTR id, LPCWSTR s) { return ::ModifyMenuW(m_hMenu, pos, f, id, s); }
BOOL CMenu::RemoveMenu(UINT pos, UINT f) { return ::RemoveMenu(m_hMenu, pos, f); }
BOOL CMenu::DeleteMenu(UINT pos, UINT f) { return ::DeleteMenu(m_hMenu, pos, f); }
UINT CMenu::EnableMenuItem(UINT id, UINT e) { return ::EnableMenuItem(m_hMenu, id, e); }
UINT CMenu::CheckMenuItem(UINT id, UINT c) { return ::CheckMenuItem(m_hMenu, id, c); }
BOOL CMenu::CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT f) {
  return ::CheckMenuRadioItem(m_hMenu, first, last, item, f);
}
BOOL CMenu::SetDefaultItem(UINT uItem, BOOL byPos) { return ::SetMenuDefaultItem(m_hMenu, uItem, byPos); }
BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
  return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->m_hWnd : nullptr, lpRect);
}

// Personalised menus: the basic commands of the tool bars, the commands used since the start, and
// the trimmed pop-ups the menu bar shows while there are basic commands.
#include "BarStrings.h"
#include "fw/BarResourceIds.h"
#include "fw/MenuBar.h"

namespace {

struct PersonalMenus {
  CList<UINT, UINT> basic;
  CList<UINT, UINT> used;
  BOOL showAll = FALSE;
};

PersonalMenus& Personal() {
  static PersonalMenus state;
  return state;
}

BOOL Contains(const CList<UINT, UINT>& list, UINT id) { return list.Find(id) != nullptr; }

// Copies the items of `source` that stay visible into `target`; TRUE when anything was left out.
BOOL CopyVisibleItems(HMENU source, HMENU target) {
  BOOL trimmed = FALSE;
  BOOL lastWasSeparator = TRUE;  // no separator at the top
  const int count = ::GetMenuItemCount(source);
  for (int i = 0; i < count; ++i) {
    WCHAR text[256] = {};
    MENUITEMINFOW info = {sizeof(info)};
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU | MIIM_STATE | MIIM_DATA;
    info.dwTypeData = text;
    info.cch = 255;
    if (!::GetMenuItemInfoW(source, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.fType & MFT_SEPARATOR) {
      if (!lastWasSeparator) {
        ::AppendMenuW(target, MF_SEPARATOR, 0, nullptr);
        lastWasSeparator = TRUE;
      }
      continue;
    }
    MENUITEMINFOW copy = info;
    copy.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_DATA;
    copy.dwTypeData = text;
    if (info.hSubMenu) {
      HMENU sub = ::CreatePopupMenu();
      if (CopyVisibleItems(info.hSubMenu, sub)) trimmed = TRUE;
      if (::GetMenuItemCount(sub) == 0) {
        ::DestroyMenu(sub);
        trimmed = TRUE;
        continue;
      }
      copy.fMask |= MIIM_SUBMENU;
      copy.hSubMenu = sub;
    } else if (CMFCToolBar::IsCommandRarelyUsed(info.wID)) {
      trimmed = TRUE;
      continue;
    }
    ::InsertMenuItemW(target, static_cast<UINT>(::GetMenuItemCount(target)), TRUE, &copy);
    lastWasSeparator = FALSE;
  }
  // No separator at the bottom either.
  const int last = ::GetMenuItemCount(target) - 1;
  if (last >= 0 && (::GetMenuState(target, static_cast<UINT>(last), MF_BYPOSITION) & MF_SEPARATOR))
    ::DeleteMenu(target, static_cast<UINT>(last), MF_BYPOSITION);
  return trimmed;
}

}  // namespace

void CMFCToolBar::SetBasicCommands(CList<UINT, UINT>& lstCommands) {
  Personal().basic.RemoveAll();
  for (POSITION pos = lstCommands.GetHeadPosition(); pos;) AddBasicCommand(lstCommands.GetNext(pos));
}

const CList<UINT, UINT>& CMFCToolBar::GetBasicCommands() { return Personal().basic; }

void CMFCToolBar::AddBasicCommand(UINT uiCmd) {
  if (!Contains(Personal().basic, uiCmd)) Personal().basic.AddTail(uiCmd);
}

BOOL CMFCToolBar::IsBasicCommand(UINT uiCmd) { return Contains(Personal().basic, uiCmd); }

void CMFCToolBar::AddCommandUsage(UINT uiCommand) {
  if (uiCommand != 0 && !Contains(Personal().used, uiCommand)) Personal().used.AddTail(uiCommand);
}

BOOL CMFCToolBar::IsCommandRarelyUsed(UINT uiCmd) {
  const PersonalMenus& state = Personal();
  if (state.basic.IsEmpty()) return FALSE;
  return !Contains(state.basic, uiCmd) && !Contains(state.used, uiCmd);
}

void CMFCToolBar::ResetAllUsageData() { Personal().used.RemoveAll(); }

void CMFCMenuBar::SetShowAllCommands(BOOL bShowAllCommands) { Personal().showAll = bShowAllCommands; }
BOOL CMFCMenuBar::IsShowAllCommands() { return Personal().showAll; }

HMENU CMFCMenuBar::CreatePersonalMenu(HMENU hMenu) {
  if (!hMenu || !::IsMenu(hMenu) || Personal().showAll || Personal().basic.IsEmpty()) return nullptr;
  HMENU personal = ::CreatePopupMenu();
  if (!personal) return nullptr;
  if (!CopyVisibleItems(hMenu, personal)) {
    ::DestroyMenu(personal);
    return nullptr;
  }
  const CString full = fw_bars::OwnString(IDS_FW_SHOW_FULL_MENU);
  if (::GetMenuItemCount(personal) > 0) ::AppendMenuW(personal, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(personal, MF_STRING, ID_FW_SHOW_FULL_MENU, full);
  return personal;
}

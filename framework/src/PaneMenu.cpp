// The docking manager's pane menu (context menu and the view menu's list of bars and panes) and
// the hiding of panes while print preview is shown.
#include "fw/DockablePane.h"
#include "fw/DockingManager.h"
#include "fw/TabbedPane.h"

namespace {

void ShowOrHide(CFrameWnd* frame, CBasePane* pane) {
  const BOOL show = !pane->IsVisible();
  pane->ShowPane(show, FALSE, show);
  if (frame && frame->m_hWnd) frame->RecalcLayout();
}

}  // namespace

void CDockingManager::EnablePaneContextMenu(BOOL bEnable, UINT uiCustomizeCmd, const CString& strCustomizeLabel,
                                            BOOL bToolbarsOnly) {
  m_bPaneContextMenu = bEnable;
  m_uiCustomizeCmd = uiCustomizeCmd;
  m_strCustomizeLabel = strCustomizeLabel;
  m_bContextMenuToolbarsOnly = bToolbarsOnly;
}

void CDockingManager::SetViewMenuEntry(UINT uiViewToolbarsMenuEntryID, BOOL bToolbarsOnly) {
  m_uiViewToolbarsMenuEntryID = uiViewToolbarsMenuEntryID;
  m_bViewMenuToolbarsOnly = bToolbarsOnly;
}

// Every bar and pane with a title, in the order the frame made them; automatic tab groups are
// represented by their panes.
void CDockingManager::GetPaneMenuList(CArray<CBasePane*, CBasePane*>& panes, BOOL bToolbarsOnly) const {
  panes.RemoveAll();
  for (POSITION pos = m_panes.GetHeadPosition(); pos;) {
    CBasePane* pane = static_cast<CBasePane*>(m_panes.GetNext(pos));
    if (!pane->m_hWnd || pane->GetWindowTextLength() == 0) continue;
    if (pane->IsKindOf(RUNTIME_CLASS(CBaseTabbedPane)) && static_cast<CBaseTabbedPane*>(pane)->IsAutoDestroy()) continue;
    if (bToolbarsOnly && pane->IsKindOf(RUNTIME_CLASS(CDockablePane))) continue;
    panes.Add(pane);
  }
}

BOOL CDockingManager::OnPaneContextMenu(CBasePane* pPane, CPoint ptScreen) {
  if (!m_bPaneContextMenu || !m_pParentWnd || !m_pParentWnd->m_hWnd) return FALSE;
  if (m_pParentWnd->SendMessage(AFX_WM_TOOLBARMENU, reinterpret_cast<WPARAM>(pPane ? pPane->m_hWnd : nullptr),
                                MAKELPARAM(ptScreen.x, ptScreen.y)) != 0)
    return TRUE;
  CArray<CBasePane*, CBasePane*> panes;
  GetPaneMenuList(panes, m_bContextMenuToolbarsOnly);
  HMENU menu = ::CreatePopupMenu();
  for (int i = 0; i < panes.GetSize() && kPaneMenuFirstId + i <= kPaneMenuLastId; ++i) {
    CString text;
    panes[i]->GetWindowText(text);
    ::AppendMenuW(menu, MF_STRING | (panes[i]->IsVisible() ? MF_CHECKED : MF_UNCHECKED), kPaneMenuFirstId + i, text);
  }
  if (m_uiCustomizeCmd) {
    if (::GetMenuItemCount(menu) > 0) ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, m_uiCustomizeCmd, m_strCustomizeLabel);
  }
  // The frame's command updates would disable items nobody handles: the menu keeps its own state.
  const UINT chosen = static_cast<UINT>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                         ptScreen.x, ptScreen.y, 0, m_pParentWnd->m_hWnd, nullptr));
  ::DestroyMenu(menu);
  if (chosen >= kPaneMenuFirstId && chosen < kPaneMenuFirstId + static_cast<UINT>(panes.GetSize())) {
    CBasePane* pane = panes[chosen - kPaneMenuFirstId];
    if (m_panes.Find(pane)) ShowOrHide(m_pParentWnd, pane);
  } else if (chosen != 0 && chosen == m_uiCustomizeCmd) {
    m_pParentWnd->SendMessage(WM_COMMAND, m_uiCustomizeCmd, 0);
  }
  return TRUE;
}

// The view menu's entry gives its place to the list; the list made last time is replaced.
void CDockingManager::OnInitViewMenu(HMENU hMenu) {
  if (!hMenu || !m_uiViewToolbarsMenuEntryID) return;
  int at = -1;
  for (int i = ::GetMenuItemCount(hMenu) - 1; i >= 0; --i) {
    const UINT id = ::GetMenuItemID(hMenu, i);
    if (id == m_uiViewToolbarsMenuEntryID || (id >= kPaneMenuFirstId && id <= kPaneMenuLastId)) {
      ::DeleteMenu(hMenu, static_cast<UINT>(i), MF_BYPOSITION);
      at = i;
    }
  }
  if (at < 0) return;
  GetPaneMenuList(m_viewMenuPanes, m_bViewMenuToolbarsOnly);
  for (int i = 0; i < m_viewMenuPanes.GetSize() && kPaneMenuFirstId + i <= kPaneMenuLastId; ++i) {
    CString text;
    m_viewMenuPanes[i]->GetWindowText(text);
    const UINT flags = MF_BYPOSITION | MF_STRING | (m_viewMenuPanes[i]->IsVisible() ? MF_CHECKED : MF_UNCHECKED);
    ::InsertMenuW(hMenu, static_cast<UINT>(at + i), flags, kPaneMenuFirstId + i, text);
  }
}

BOOL CDockingManager::OnPaneMenuCommand(UINT nID) {
  if (nID < kPaneMenuFirstId || nID >= kPaneMenuFirstId + static_cast<UINT>(m_viewMenuPanes.GetSize())) return FALSE;
  CBasePane* pane = m_viewMenuPanes[nID - kPaneMenuFirstId];
  if (!m_panes.Find(pane)) return FALSE;
  ShowOrHide(m_pParentWnd, pane);
  return TRUE;
}

void CDockingManager::SetPrintPreviewMode(BOOL bPreview, CPrintPreviewState*) {
  if (bPreview) {
    if (m_bPrintPreview) return;
    m_bPrintPreview = TRUE;
    m_hiddenInPreview.RemoveAll();
    for (POSITION pos = m_panes.GetHeadPosition(); pos;) {
      CBasePane* pane = static_cast<CBasePane*>(m_panes.GetNext(pos));
      // Tabbed panes go with their group.
      if (!pane->m_hWnd || pane->IsTabbed() || !pane->HideInPrintPreviewMode() || !pane->IsVisible()) continue;
      pane->ShowPane(FALSE, TRUE, FALSE);
      m_hiddenInPreview.Add(pane);
    }
  } else {
    if (!m_bPrintPreview) return;
    m_bPrintPreview = FALSE;
    for (int i = 0; i < m_hiddenInPreview.GetSize(); ++i) {
      CBasePane* pane = m_hiddenInPreview[i];
      if (m_panes.Find(pane) && pane->m_hWnd) pane->ShowPane(TRUE, TRUE, FALSE);
    }
    m_hiddenInPreview.RemoveAll();
  }
  RecalcLayout();
}

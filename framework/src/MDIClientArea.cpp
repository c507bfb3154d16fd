#include "fw/MDIClientArea.h"

#include <algorithm>

#include "DockingInternal.h"
#include "fw/Dc.h"
#include "fw/DockingResourceIds.h"
#include "fw/FrameEx.h"
#include "fw/PaneDivider.h"
#include "fw/PaneStyles.h"
#include "fw/ResourceLanguage.h"
#include "fw/VisualManager.h"

IMPLEMENT_DYNAMIC(CMDIClientAreaWnd, CWnd)

namespace {

// Empty groups are hidden at once and their windows destroyed a moment later: a group may go while
// one of its own handlers (its close button) is still running.
const UINT g_msgCleanGroups = ::RegisterWindowMessageW(L"VantryFW.CleanMDIGroups");
const wchar_t kStyleProp[] = L"VantryFW.MDIChildStyle";
const wchar_t kExStyleProp[] = L"VantryFW.MDIChildExStyle";
const int kDividerSize = 4;
const int kMinGroupSize = 40;
const DWORD kCaptionStyles = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
const DWORD kEdgeExStyles = WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME;

CMDIChildWndEx* AsChild(CWnd* wnd) {
  return wnd && wnd->IsKindOf(RUNTIME_CLASS(CMDIChildWndEx)) ? static_cast<CMDIChildWndEx*>(wnd) : nullptr;
}

}  // namespace

// The line between two groups; dragging it moves the space between them.
class CMDIGroupDivider : public CPaneDivider {
 public:
  explicit CMDIGroupDivider(CMDIClientAreaWnd* area) : CPaneDivider(nullptr), m_pArea(area) {}
  BOOL MoveBy(int delta) override { return m_pArea->MoveGroupDivider(GetPaneIndex(), delta); }

 private:
  CMDIClientAreaWnd* m_pArea;
};

CMDITabInfo::CMDITabInfo()
    : m_tabLocation(CMFCTabCtrl::LOCATION_TOP),
      m_style(CMFCTabCtrl::STYLE_3D_SCROLLED),
      m_bTabIcons(FALSE),
      m_bTabCloseButton(TRUE),
      m_bTabCustomTooltips(FALSE),
      m_bDocumentMenu(FALSE),
      m_bEnableTabSwap(TRUE),
      m_bFlatFrame(TRUE),
      m_bActiveTabCloseButton(FALSE),
      m_bAutoColor(FALSE),
      m_nTabBorderSize(0) {}

BEGIN_MESSAGE_MAP(CMDIClientAreaWnd, CWnd)
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_CONTEXTMENU()
ON_REGISTERED_MESSAGE(AFX_WM_CHANGE_ACTIVE_TAB, OnChangeActiveTab)
ON_REGISTERED_MESSAGE(g_msgCleanGroups, OnCleanGroups)
ON_MESSAGE(WM_MDIMAXIMIZE, OnMDIMaximize)
ON_MESSAGE(WM_MDITILE, OnMDIArrange)
ON_MESSAGE(WM_MDICASCADE, OnMDIArrange)
ON_MESSAGE(WM_MDIICONARRANGE, OnMDIArrange)
END_MESSAGE_MAP()

CMDIClientAreaWnd::CMDIClientAreaWnd() = default;

CMDIClientAreaWnd::~CMDIClientAreaWnd() {
  for (int i = 0; i < m_pending.GetSize(); ++i) delete m_pending[i];
  for (int i = 0; i < m_groups.GetSize(); ++i) delete m_groups[i];
  for (int i = 0; i < m_dividers.GetSize(); ++i) delete m_dividers[i];
  for (int i = 0; i < m_removed.GetSize(); ++i) delete m_removed[i];
}

BOOL CMDIClientAreaWnd::AttachToFrame(CMDIFrameWndEx* pFrame) {
  if (!pFrame || !pFrame->m_hWndMDIClient || m_hWnd) return FALSE;
  m_pFrame = pFrame;
  if (!SubclassWindow(pFrame->m_hWndMDIClient)) return FALSE;
  if (m_bTabs) {
    // Tabs were asked for before the client existed.
    m_bTabs = FALSE;
    EnableMDITabs(TRUE, m_info, m_bGroups);
  }
  return TRUE;
}

void CMDIClientAreaWnd::EnableMDITabs(BOOL bEnable, const CMDITabInfo& params, BOOL bTabbedGroups) {
  m_info = params;
  m_bGroups = bTabbedGroups;
  if (!m_hWnd) {
    m_bTabs = bEnable;
    return;
  }
  if (bEnable && m_bTabs) {
    for (int i = 0; i < GetGroupCount(); ++i) {
      CMFCTabCtrl* group = m_groups[i];
      group->ModifyTabStyle(m_info.m_style);
      group->SetLocation(m_info.m_tabLocation);
      group->EnableActiveTabCloseButton(m_info.m_bActiveTabCloseButton);
      group->EnableTabDocumentsMenu(m_info.m_bDocumentMenu);
      group->EnableCloseButton(m_info.m_bTabCloseButton);
      group->EnableTabSwap(m_info.m_bEnableTabSwap);
      group->SetFlatFrame(m_info.m_bFlatFrame);
      if (m_info.m_bAutoColor) group->EnableAutoColor(TRUE);
    }
    LayoutGroups();
    return;
  }
  if (!bEnable && !m_bTabs) return;
  m_bTabs = bEnable;
  if (bEnable) {
    // Tabbed children fill their group: none stays maximized.
    BOOL maximized = FALSE;
    if (CMDIChildWnd* active = m_pFrame ? m_pFrame->MDIGetActive(&maximized) : nullptr)
      if (maximized) active->MDIRestore();
    for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
      CMDIChildWndEx* child = AsChild(CWnd::FromHandlePermanent(h));
      if (child && (child->GetStyle() & WS_VISIBLE) && child->CanShowOnMDITabs()) {
        if (GetGroupCount() == 0) AddGroup(0);
        AddChildTab(child, m_groups[0]);
      }
    }
    if (CMDIChildWndEx* active = AsChild(m_pFrame ? m_pFrame->MDIGetActive() : nullptr)) OnChildActivated(active);
  } else {
    for (int i = 0; i < GetGroupCount(); ++i) {
      for (int t = 0; t < m_groups[i]->GetTabsNum(); ++t) SetTabbedLook(m_groups[i]->GetTabWnd(t), FALSE);
      m_groups[i]->RemoveAllTabs();
    }
    while (GetGroupCount() > 0) RemoveGroup(GetGroupCount() - 1);
  }
  LayoutGroups();
}

CMFCTabCtrl* CMDIClientAreaWnd::AddGroup(int at, int share) {
  CMFCTabCtrl* group = new CMFCTabCtrl;
  if (!group->Create(m_info.m_style, CRect(0, 0, 0, 0), this, 0, m_info.m_tabLocation, m_info.m_bTabCloseButton)) {
    delete group;
    return nullptr;
  }
  group->SetMDITabs(TRUE);
  group->EnableActiveTabCloseButton(m_info.m_bActiveTabCloseButton);
  group->EnableTabDocumentsMenu(m_info.m_bDocumentMenu);
  group->EnableTabSwap(m_info.m_bEnableTabSwap);
  group->SetFlatFrame(m_info.m_bFlatFrame);
  if (m_info.m_bAutoColor) group->EnableAutoColor(TRUE);
  at = std::max(0, std::min(at, GetGroupCount()));
  // A new group takes half of the space of the one before it, unless its share is given.
  if (share <= 0) {
    share = 1000;
    if (at > 0 && at - 1 < m_shares.GetSize()) {
      share = std::max(1, m_shares[at - 1] / 2);
      m_shares[at - 1] = std::max(1, m_shares[at - 1] - share);
    }
  }
  m_groups.InsertAt(at, group);
  m_shares.InsertAt(at, share);
  return group;
}

void CMDIClientAreaWnd::RemoveGroup(int at) {
  if (at < 0 || at >= GetGroupCount()) return;
  CMFCTabCtrl* group = m_groups[at];
  const int share = m_shares[at];
  m_groups.RemoveAt(at);
  m_shares.RemoveAt(at);
  if (GetGroupCount() > 0) m_shares[std::min(at, GetGroupCount() - 1)] += share;
  for (int i = 0; i < m_pending.GetSize(); ++i)
    if (m_pending[i]->group == group) m_pending[i]->group = nullptr;
  if (group->m_hWnd) group->ShowWindow(SW_HIDE);
  m_removed.Add(group);
  if (m_hWnd) PostMessage(g_msgCleanGroups);
}

LRESULT CMDIClientAreaWnd::OnCleanGroups(WPARAM, LPARAM) {
  for (int i = 0; i < m_removed.GetSize(); ++i) {
    if (m_removed[i]->m_hWnd) m_removed[i]->DestroyWindow();
    delete m_removed[i];
  }
  m_removed.RemoveAll();
  return 0;
}

void CMDIClientAreaWnd::RemoveEmptyGroups() {
  for (int i = GetGroupCount() - 1; i >= 0; --i)
    if (m_groups[i]->GetTabsNum() == 0 && GetGroupCount() > 1) RemoveGroup(i);
}

int CMDIClientAreaWnd::GetGroupIndex(const CMFCTabCtrl* pGroup) const {
  for (int i = 0; i < GetGroupCount(); ++i)
    if (m_groups[i] == pGroup) return i;
  return -1;
}

CMFCTabCtrl* CMDIClientAreaWnd::FindGroupOf(const CWnd* pChild, int* pTab) const {
  if (pTab) *pTab = -1;
  if (!pChild || !pChild->m_hWnd) return nullptr;
  for (int i = 0; i < GetGroupCount(); ++i) {
    const int tab = m_groups[i]->GetTabFromHwnd(pChild->m_hWnd);
    if (tab >= 0) {
      if (pTab) *pTab = tab;
      return m_groups[i];
    }
  }
  return nullptr;
}

// A tabbed child has no caption or frame of its own; the styles it had come back without tabs.
void CMDIClientAreaWnd::SetTabbedLook(CWnd* pChild, BOOL bTabbed) {
  if (!pChild || !pChild->m_hWnd) return;
  HWND h = pChild->m_hWnd;
  if (bTabbed) {
    if (!::GetPropW(h, kStyleProp)) {
      ::SetPropW(h, kStyleProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(pChild->GetStyle() | 0x1)));
      ::SetPropW(h, kExStyleProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(pChild->GetExStyle() | 0x1)));
    }
    pChild->ModifyStyle(kCaptionStyles, 0);
    pChild->ModifyStyleEx(kEdgeExStyles, 0);
  } else {
    // The stored values carry a set low bit so that a style of 0 can be told from "none stored".
    const UINT_PTR style = reinterpret_cast<UINT_PTR>(::RemovePropW(h, kStyleProp));
    const UINT_PTR exStyle = reinterpret_cast<UINT_PTR>(::RemovePropW(h, kExStyleProp));
    if (style) pChild->ModifyStyle(0, static_cast<DWORD>(style & ~static_cast<UINT_PTR>(1)) & kCaptionStyles);
    if (exStyle) pChild->ModifyStyleEx(0, static_cast<DWORD>(exStyle & ~static_cast<UINT_PTR>(1)) & kEdgeExStyles);
  }
  ::SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMDIClientAreaWnd::AddChildTab(CMDIChildWndEx* pChild, CMFCTabCtrl* pGroup) {
  if (!pChild || !pGroup) return;
  SetTabbedLook(pChild, TRUE);
  CString title;
  pChild->GetWindowText(title);
  m_bSyncing = TRUE;
  pGroup->AddTab(pChild, title, static_cast<UINT>(-1), FALSE);
  m_bSyncing = FALSE;
}

void CMDIClientAreaWnd::RemoveChildTab(CWnd* pChild) {
  int tab = -1;
  CMFCTabCtrl* group = FindGroupOf(pChild, &tab);
  if (!group) return;
  m_bSyncing = TRUE;
  group->RemoveTab(tab);
  m_bSyncing = FALSE;
  if (group->GetTabsNum() == 0) {
    // The last group stays for the documents to come.
    if (GetGroupCount() > 1)
      RemoveGroup(GetGroupIndex(group));
  } else {
    RaiseActive(group);
  }
}

void CMDIClientAreaWnd::RaiseActive(CMFCTabCtrl* pGroup) {
  CWnd* active = pGroup ? pGroup->GetActiveWnd() : nullptr;
  if (active && active->m_hWnd)
    ::SetWindowPos(active->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CMDIClientAreaWnd::OnChildShown(CMDIChildWndEx* pChild) {
  if (!m_bTabs || !m_hWnd || FindGroupOf(pChild) || !pChild->CanShowOnMDITabs()) return;
  CMFCTabCtrl* group = nullptr;
  // A document of a loaded layout goes back to its group; any other joins the active document's.
  CString title;
  pChild->GetWindowText(title);
  group = GroupForPending(title, pChild);
  if (!group) group = FindGroupOf(m_pFrame ? m_pFrame->MDIGetActive() : nullptr);
  if (!group && GetGroupCount() > 0) group = m_groups[0];
  if (!group) group = AddGroup(0);
  AddChildTab(pChild, group);
  LayoutGroups();
}

void CMDIClientAreaWnd::OnChildHidden(CMDIChildWndEx* pChild) {
  if (!m_bTabs || !FindGroupOf(pChild) || pChild->CanShowOnMDITabs()) return;
  RemoveChildTab(pChild);
  LayoutGroups();
}

void CMDIClientAreaWnd::OnChildActivated(CMDIChildWndEx* pChild) {
  int tab = -1;
  CMFCTabCtrl* group = FindGroupOf(pChild, &tab);
  if (!group) {
    // Shown before tabs were possible, or asked too early: now is the time.
    OnChildShown(pChild);
    group = FindGroupOf(pChild, &tab);
    if (!group) return;
  }
  m_bSyncing = TRUE;
  group->SetActiveTab(tab);
  m_bSyncing = FALSE;
  group->EnsureVisible(tab);
}

void CMDIClientAreaWnd::OnChildTitleChanged(CMDIChildWndEx* pChild) {
  int tab = -1;
  CMFCTabCtrl* group = FindGroupOf(pChild, &tab);
  if (!group) return;
  CString title;
  pChild->GetWindowText(title);
  group->SetTabLabel(tab, title);
  // The title may name the group a loaded layout had for it.
  CMFCTabCtrl* wanted = GroupForPending(title, pChild);
  if (wanted && wanted != group) {
    const BOOL active = m_pFrame && m_pFrame->MDIGetActive() == pChild;
    RemoveChildTab(pChild);
    AddChildTab(pChild, wanted);
    if (active) OnChildActivated(pChild);
    LayoutGroups();
  }
}

void CMDIClientAreaWnd::OnChildDestroyed(CMDIChildWndEx* pChild) {
  if (!FindGroupOf(pChild)) return;
  RemoveChildTab(pChild);
  LayoutGroups();
}

LRESULT CMDIClientAreaWnd::OnChangeActiveTab(WPARAM wParam, LPARAM lParam) {
  CMFCTabCtrl* group = reinterpret_cast<CMFCTabCtrl*>(lParam);
  if (GetGroupIndex(group) < 0) return 0;
  CWnd* child = group->GetTabWnd(static_cast<int>(wParam));
  if (!m_bSyncing && child && m_pFrame && m_pFrame->MDIGetActive() != child) m_pFrame->MDIActivate(child);
  RaiseActive(group);
  if (m_pFrame && m_pFrame->m_hWnd) m_pFrame->SendMessage(AFX_WM_CHANGE_ACTIVE_TAB, wParam, lParam);
  return 0;
}

LRESULT CMDIClientAreaWnd::OnMDIMaximize(WPARAM wParam, LPARAM lParam) {
  if (m_bTabs) return 0;
  return DefWindowProc(WM_MDIMAXIMIZE, wParam, lParam);
}

LRESULT CMDIClientAreaWnd::OnMDIArrange(WPARAM wParam, LPARAM lParam) {
  if (m_bTabs) return TRUE;
  return Default();
}

void CMDIClientAreaWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (m_bTabs) LayoutGroups();
}

BOOL CMDIClientAreaWnd::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  CMFCVisualManager::GetInstance()->OnFillWorkspace(pDC, client);
  return TRUE;
}

// The strips share the client's length in proportion to their shares; each strip sits at the top
// (or bottom) of its group and the group's children fill the rest.
void CMDIClientAreaWnd::LayoutGroups() {
  if (!m_hWnd) return;
  int used = 0;
  if (m_bTabs && GetGroupCount() > 0) {
    CRect client;
    GetClientRect(&client);
    const int count = GetGroupCount();
    const int length = std::max(0, static_cast<int>((m_bVertical ? client.Width() : client.Height())) - (count - 1) * kDividerSize);
    int total = 0;
    for (int i = 0; i < count; ++i) total += std::max(1, m_shares[i]);
    int along = m_bVertical ? client.left : client.top, sum = 0;
    m_areas.SetSize(count);
    for (int i = 0; i < count; ++i) {
      sum += std::max(1, m_shares[i]);
      const int end = (m_bVertical ? client.left : client.top) + MulDiv(length, sum, total) + i * kDividerSize;
      CRect area = client;
      if (m_bVertical) {
        area.left = along;
        area.right = i == count - 1 ? client.right : end;
      } else {
        area.top = along;
        area.bottom = i == count - 1 ? client.bottom : end;
      }
      along = (m_bVertical ? area.right : area.bottom) + kDividerSize;
      CMFCTabCtrl* group = m_groups[i];
      const int strip = std::min(group->GetTabsHeight(), static_cast<int>(area.Height()));
      CRect stripRect = area, documents = area;
      if (m_info.m_tabLocation == CMFCTabCtrl::LOCATION_TOP) {
        stripRect.bottom = area.top + strip;
        documents.top = stripRect.bottom;
      } else {
        stripRect.top = area.bottom - strip;
        documents.bottom = stripRect.top;
      }
      documents.DeflateRect(m_info.m_nTabBorderSize, m_info.m_nTabBorderSize);
      if (documents.right < documents.left) documents.right = documents.left;
      if (documents.bottom < documents.top) documents.bottom = documents.top;
      m_areas[i] = documents;
      ::SetWindowPos(group->m_hWnd, HWND_TOP, stripRect.left, stripRect.top, stripRect.Width(), stripRect.Height(),
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
      for (int t = 0; t < group->GetTabsNum(); ++t) {
        CWnd* child = group->GetTabWnd(t);
        if (child && child->m_hWnd) fw_docking::PlaceWindow(child->m_hWnd, documents);
      }
      RaiseActive(group);
      if (i + 1 < count) {
        if (used == m_dividers.GetSize()) {
          CMDIGroupDivider* divider = new CMDIGroupDivider(this);
          if (!divider->Create(this)) {
            delete divider;
            continue;
          }
          m_dividers.Add(divider);
        }
        CPaneDivider* divider = m_dividers[used++];
        divider->SetPlace(nullptr, i, m_bVertical);
        const CRect gap = m_bVertical ? CRect(area.right, client.top, area.right + kDividerSize, client.bottom)
                                      : CRect(client.left, area.bottom, client.right, area.bottom + kDividerSize);
        ::SetWindowPos(divider->m_hWnd, HWND_TOP, gap.left, gap.top, gap.Width(), gap.Height(),
                       SWP_NOACTIVATE | SWP_SHOWWINDOW);
      }
    }
  } else {
    m_areas.RemoveAll();
  }
  for (int i = used; i < m_dividers.GetSize(); ++i)
    if (m_dividers[i]->m_hWnd && (m_dividers[i]->GetStyle() & WS_VISIBLE)) m_dividers[i]->ShowWindow(SW_HIDE);
}

CRect CMDIClientAreaWnd::GetDocumentArea(int group) const {
  return group >= 0 && group < m_areas.GetSize() ? m_areas[group] : CRect();
}

BOOL CMDIClientAreaWnd::MoveGroupDivider(int group, int delta) {
  if (group < 0 || group + 1 >= GetGroupCount() || delta == 0) return FALSE;
  // Shares become pixel lengths, then the two beside the divider trade `delta`.
  for (int i = 0; i < GetGroupCount(); ++i) {
    CRect r;
    m_groups[i]->GetWindowRect(&r);
    const CRect documents = GetDocumentArea(i);
    m_shares[i] = std::max(1, static_cast<int>(m_bVertical ? documents.Width() : documents.Height() + r.Height()));
  }
  const int both = m_shares[group] + m_shares[group + 1];
  const int first = std::min(std::max(m_shares[group] + delta, kMinGroupSize), std::max(both - kMinGroupSize, kMinGroupSize));
  if (first == m_shares[group]) return FALSE;
  m_shares[group] = first;
  m_shares[group + 1] = std::max(1, both - first);
  LayoutGroups();
  return TRUE;
}

DWORD CMDIClientAreaWnd::GetAllowedMenuItems(const CMFCTabCtrl* pGroup) const {
  const int index = GetGroupIndex(pGroup);
  if (!m_bGroups || index < 0) return 0;
  DWORD allowed = 0;
  if (pGroup->GetTabsNum() >= 2) {
    if (GetGroupCount() == 1 || m_bVertical) allowed |= AFX_MDI_CREATE_VERT_GROUP;
    if (GetGroupCount() == 1 || !m_bVertical) allowed |= AFX_MDI_CREATE_HORZ_GROUP;
  }
  if (index > 0) allowed |= AFX_MDI_CAN_MOVE_PREV;
  if (index + 1 < GetGroupCount()) allowed |= AFX_MDI_CAN_MOVE_NEXT;
  return allowed;
}

BOOL CMDIClientAreaWnd::NewGroup(BOOL bVertical, CMFCTabCtrl* pGroup) {
  if (!m_pFrame) return FALSE;
  if (!pGroup) pGroup = FindGroupOf(m_pFrame->MDIGetActive());
  const DWORD needed = bVertical ? AFX_MDI_CREATE_VERT_GROUP : AFX_MDI_CREATE_HORZ_GROUP;
  if (!pGroup || !(GetAllowedMenuItems(pGroup) & needed)) return FALSE;
  CMDIChildWndEx* child = AsChild(pGroup->GetActiveWnd());
  if (!child) return FALSE;
  CMFCTabCtrl* made = AddGroup(GetGroupIndex(pGroup) + 1);
  if (!made) return FALSE;
  m_bVertical = bVertical;
  RemoveChildTab(child);
  AddChildTab(child, made);
  LayoutGroups();
  m_pFrame->MDIActivate(child);
  OnChildActivated(child);
  return TRUE;
}

BOOL CMDIClientAreaWnd::MoveToNeighbourGroup(BOOL bNext, CMFCTabCtrl* pGroup) {
  if (!m_pFrame) return FALSE;
  if (!pGroup) pGroup = FindGroupOf(m_pFrame->MDIGetActive());
  if (!pGroup || !(GetAllowedMenuItems(pGroup) & (bNext ? AFX_MDI_CAN_MOVE_NEXT : AFX_MDI_CAN_MOVE_PREV))) return FALSE;
  CMDIChildWndEx* child = AsChild(pGroup->GetActiveWnd());
  if (!child) return FALSE;
  CMFCTabCtrl* target = m_groups[GetGroupIndex(pGroup) + (bNext ? 1 : -1)];
  RemoveChildTab(child);
  AddChildTab(child, target);
  LayoutGroups();
  m_pFrame->MDIActivate(child);
  OnChildActivated(child);
  return TRUE;
}

void CMDIClientAreaWnd::OnContextMenu(CWnd* pWnd, CPoint pos) {
  CMFCTabCtrl* group = nullptr;
  for (int i = 0; i < GetGroupCount() && pWnd; ++i)
    if (m_groups[i]->m_hWnd == pWnd->m_hWnd) group = m_groups[i];
  if (!group || !m_pFrame) {
    Default();
    return;
  }
  // The tab under the mouse becomes the active document first: the commands act on it.
  CPoint client = pos;
  group->ScreenToClient(&client);
  const int tab = group->GetTabFromPoint(client);
  if (tab >= 0) group->SetActiveTab(tab);
  m_pFrame->OnShowMDITabContextMenu(pos, GetAllowedMenuItems(group), FALSE);
}

// The framework's own menu of the tab strip, in the resource language of the process.
BOOL CMDIFrameWndEx::OnShowMDITabContextMenu(CPoint point, DWORD dwAllowedItems, BOOL) {
  if (!m_wndClientArea.IsMDITabbedGroups()) return FALSE;
  const struct {
    UINT id;
    DWORD needs;
  } items[] = {{IDS_FW_MDI_NEW_HORZ_GROUP, AFX_MDI_CREATE_HORZ_GROUP},
               {IDS_FW_MDI_NEW_VERT_GROUP, AFX_MDI_CREATE_VERT_GROUP},
               {IDS_FW_MDI_MOVE_NEXT_GROUP, AFX_MDI_CAN_MOVE_NEXT},
               {IDS_FW_MDI_MOVE_PREV_GROUP, AFX_MDI_CAN_MOVE_PREV}};
  HMENU menu = ::CreatePopupMenu();
  for (const auto& item : items) {
    wchar_t text[128] = L"";
    AfxLoadStringInLanguage(fw_docking::FrameworkModule(), item.id, text, 128);
    ::AppendMenuW(menu, MF_STRING | ((dwAllowedItems & item.needs) ? MF_ENABLED : MF_GRAYED), item.id, text);
    if (item.id == IDS_FW_MDI_NEW_VERT_GROUP) ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  }
  const UINT chosen = static_cast<UINT>(
      ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, point.x, point.y, 0, m_hWnd, nullptr));
  ::DestroyMenu(menu);
  switch (chosen) {
    case IDS_FW_MDI_NEW_HORZ_GROUP: MDITabNewGroup(FALSE); break;
    case IDS_FW_MDI_NEW_VERT_GROUP: MDITabNewGroup(TRUE); break;
    case IDS_FW_MDI_MOVE_NEXT_GROUP: MDITabMoveToNextGroup(TRUE); break;
    case IDS_FW_MDI_MOVE_PREV_GROUP: MDITabMoveToNextGroup(FALSE); break;
    default: break;
  }
  return TRUE;
}

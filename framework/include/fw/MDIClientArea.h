// MDI tabs: the main frame's MDI client shows every document's child frame as a tab of a strip
// above (or below) the documents, the children filling the area under the strip without their own
// caption. With tabbed groups the area splits into groups side by side (vertical groups) or one
// above another (horizontal groups), each with its own strip; the strip's context menu makes new
// groups and moves documents between them.
//
// The client area tells the main frame when the active tab of a strip changes
// (AFX_WM_CHANGE_ACTIVE_TAB, wParam: the index, lParam: the strip). A click on a tab activates its
// child frame; the close button on the active tab asks that frame to close.
#pragma once
#include "fw/Array.h"
#include "fw/TabCtrl.h"

class CMDIFrameWndEx;
class CMDIChildWndEx;
class CPaneDivider;

// How the MDI tabs look and behave.
class FW_API CMDITabInfo {
 public:
  CMDITabInfo();
  CMFCTabCtrl::Location m_tabLocation;
  CMFCTabCtrl::Style m_style;
  BOOL m_bTabIcons;             // the documents' icons on the tabs
  BOOL m_bTabCloseButton;       // a close button at the strip's right end
  BOOL m_bTabCustomTooltips;
  BOOL m_bDocumentMenu;         // a menu of all documents at the strip's right end
  BOOL m_bEnableTabSwap;        // tabs may be dragged to another place in the strip
  BOOL m_bFlatFrame;
  BOOL m_bActiveTabCloseButton; // a close button on the active tab
  BOOL m_bAutoColor;            // each tab in a colour of its own
  int m_nTabBorderSize;         // the margin around the documents of a group
};

// The items the tab strip's context menu offers (OnShowMDITabContextMenu).
#define AFX_MDI_CREATE_VERT_GROUP 0x0001
#define AFX_MDI_CREATE_HORZ_GROUP 0x0002
#define AFX_MDI_CAN_MOVE_PREV 0x0004
#define AFX_MDI_CAN_MOVE_NEXT 0x0008
#define AFX_MDI_CAN_BE_DOCKED 0x0010

class FW_API CMDIClientAreaWnd : public CWnd {
  DECLARE_DYNAMIC(CMDIClientAreaWnd)
 public:
  CMDIClientAreaWnd();
  ~CMDIClientAreaWnd() override;

  // Takes over the messages of the frame's MDI client window.
  BOOL AttachToFrame(CMDIFrameWndEx* pFrame);
  // Tabs on or off (off: the children get their captions back and may be arranged as usual).
  void EnableMDITabs(BOOL bEnable, const CMDITabInfo& params, BOOL bTabbedGroups);
  BOOL AreMDITabs() const { return m_bTabs; }
  BOOL IsMDITabbedGroups() const { return m_bTabs && m_bGroups; }
  const CMDITabInfo& GetTabInfo() const { return m_info; }

  // The groups, in order (left to right or top to bottom), and their orientation.
  int GetGroupCount() const { return static_cast<int>(m_groups.GetSize()); }
  CMFCTabCtrl* GetGroup(int i) const { return i >= 0 && i < GetGroupCount() ? m_groups[i] : nullptr; }
  BOOL IsVerticalGroups() const { return m_bVertical; }
  // The group showing `pChild` and its tab there; null and -1 when it has no tab.
  CMFCTabCtrl* FindGroupOf(const CWnd* pChild, int* pTab = nullptr) const;
  int GetGroupIndex(const CMFCTabCtrl* pGroup) const;
  // Where a group's documents go (client coordinates).
  CRect GetDocumentArea(int group) const;
  // Each group's share of the client area's length.
  int GetGroupShare(int group) const { return group >= 0 && group < GetGroupCount() ? m_shares[group] : 0; }

  // What the child frames tell the client area.
  void OnChildShown(CMDIChildWndEx* pChild);
  void OnChildHidden(CMDIChildWndEx* pChild);
  void OnChildActivated(CMDIChildWndEx* pChild);
  void OnChildTitleChanged(CMDIChildWndEx* pChild);
  void OnChildDestroyed(CMDIChildWndEx* pChild);

  // Groups: the active document of `pGroup` (null: of the active child's group) moves to a new
  // group after it, or to the next or previous group; a group left empty goes.
  BOOL NewGroup(BOOL bVertical, CMFCTabCtrl* pGroup = nullptr);
  BOOL MoveToNeighbourGroup(BOOL bNext, CMFCTabCtrl* pGroup = nullptr);
  // The context-menu items that make sense for `pGroup` (AFX_MDI_* bits).
  DWORD GetAllowedMenuItems(const CMFCTabCtrl* pGroup) const;
  // Moves the edge after group `group` by `delta` pixels (the neighbours keep a minimum).
  BOOL MoveGroupDivider(int group, int delta);

  // The group layout (orientation, shares and which document titles each group shows) as the
  // binary value "MDITabGroups" of the profile section `lpszSection`. Loading checks the whole
  // value: a missing, short or damaged one changes nothing. Documents opened later join the
  // group their title was in.
  BOOL SaveState(LPCTSTR lpszSection);
  BOOL LoadState(LPCTSTR lpszSection);

  // Places the strips, dividers and children again.
  void LayoutGroups();

 protected:
  // A new group at `at`; with no `share` given it takes half of the one before it.
  CMFCTabCtrl* AddGroup(int at, int share = 0);
  void RemoveGroup(int at);
  void AddChildTab(CMDIChildWndEx* pChild, CMFCTabCtrl* pGroup);
  void RemoveChildTab(CWnd* pChild);
  void SetTabbedLook(CWnd* pChild, BOOL bTabbed);
  void RaiseActive(CMFCTabCtrl* pGroup);
  // The group a loaded layout had for the document `pChild` titled `title` (made when it no longer
  // exists); the title is used up. Null when the layout does not name it.
  CMFCTabCtrl* GroupForPending(const CString& title, CWnd* pChild);
  void RemoveEmptyGroups();

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
  afx_msg LRESULT OnChangeActiveTab(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMDIMaximize(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMDIArrange(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnCleanGroups(WPARAM wParam, LPARAM lParam);

  CMDIFrameWndEx* m_pFrame = nullptr;
  CMDITabInfo m_info;
  BOOL m_bTabs = FALSE;
  BOOL m_bGroups = FALSE;
  BOOL m_bVertical = FALSE;
  BOOL m_bSyncing = FALSE;   // the client area itself is changing tabs: no activation back
  CArray<CMFCTabCtrl*, CMFCTabCtrl*> m_groups;
  CArray<int, int> m_shares;
  CArray<CRect, const CRect&> m_areas;           // each group's documents, after the last layout
  CArray<CPaneDivider*, CPaneDivider*> m_dividers;
  CArray<CMFCTabCtrl*, CMFCTabCtrl*> m_removed;  // groups gone, their windows destroyed soon
  // A loaded layout waiting for its documents: per group, the titles it showed and the group made
  // for it.
  struct PendingGroup {
    int share = 1;
    CArray<CString, const CString&> titles;
    CMFCTabCtrl* group = nullptr;
  };
  CArray<PendingGroup*, PendingGroup*> m_pending;
  DECLARE_MESSAGE_MAP()
};

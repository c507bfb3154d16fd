// MDI tabs and tabbed groups in a multiple-document program built like the main program: a main
// frame with a bar and a pane, documents in child frames that carry a pages pane, the tab groups'
// menu in three languages, their layout in the registry, and print preview hiding the bars.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "DocViewTestIds.h"
#include "DockingFixture.h"
#include "TestSupport.h"

using namespace docking_test;

const wchar_t kProfileKey[] = L"Software\\VantryTests\\FrameworkMdiTabs_test";
const wchar_t kWorkspace[] = L"Workspace";

class TabDoc : public CDocument {
  DECLARE_DYNCREATE(TabDoc)
 public:
  BOOL refuseClose = FALSE;
  BOOL CanCloseFrame(CFrameWnd* pFrame) override { return !refuseClose && CDocument::CanCloseFrame(pFrame); }
  BOOL SaveModified() override { return !refuseClose; }
};
IMPLEMENT_DYNCREATE(TabDoc, CDocument)

class TabView : public CView {
  DECLARE_DYNCREATE(TabView)
 public:
  void OnDraw(CDC* pDC) override {
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, RGB(40, 160, 90));
  }
  // No printer on the test machines: the screen's DC stands in for the printer's.
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override {
    pInfo->SetMaxPage(1);
    pInfo->m_pPD->m_pd.hDC = ::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    return pInfo->m_pPD->m_pd.hDC != nullptr;
  }
};
IMPLEMENT_DYNCREATE(TabView, CView)

// The program's document frame: a pages pane docked at its top, laid out to the strip's height,
// shown with two pages or more; print preview is passed on to the main frame first.
class TabChildFrame : public CMDIChildWndEx {
  DECLARE_DYNCREATE(TabChildFrame)
 public:
  PagesPane pages;
  BOOL preview = FALSE;
  static BOOL s_bNoTab;  // the next frames answer that they want no tab

  void UpdatePagesBar(int pages);
  void Layout();
  BOOL CanShowOnMDITabs() override { return !m_bNoTab && (GetStyle() & WS_VISIBLE) != 0; }
  void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  BOOL m_bNoTab = s_bNoTab;
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TabChildFrame, CMDIChildWndEx)
BOOL TabChildFrame::s_bNoTab = FALSE;

// A bar of a fixed height along the top.
class StripBar : public CPane {
 public:
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? CSize(120, 22) : CSize(22, 120); }
};

// A bar that stays in print preview, like a status bar.
class KeptBar : public StripBar {
 public:
  BOOL HideInPrintPreviewMode() const override { return FALSE; }
};

class TabMainFrame : public CMDIFrameWndEx {
  DECLARE_DYNCREATE(TabMainFrame)
 public:
  StripBar bar;
  KeptBar status;
  ListPane forms;
  std::vector<std::pair<WPARAM, LPARAM>> tabChanges;
  // The program hides these itself in preview, and shows them again afterwards.
  std::vector<CBasePane*> hiddenInPreview;
  void SetPreviewMode(BOOL bPreview);

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TabMainFrame, CMDIFrameWndEx)

class TabApp : public CWinAppEx {
 public:
  TabApp() { SetRegistryKey(L"VantryTests"); }
  int DoMessageBox(LPCTSTR, UINT, UINT) override { return IDNO; }
  bool StartUp() {
    if (!m_pDocManager)
      AddDocTemplate(new CMultiDocTemplate(IDR_TESTDOC, RUNTIME_CLASS(TabDoc), RUNTIME_CLASS(TabChildFrame),
                                           RUNTIME_CLASS(TabView)));
    m_bSaveState = FALSE;
    TabMainFrame* frame = new TabMainFrame;
    if (!frame->LoadFrame(IDR_MAINFRAME)) return false;
    m_pMainWnd = frame;
    frame->ShowWindow(SW_SHOW);
    return true;
  }
};

TabApp theApp;

BEGIN_MESSAGE_MAP(TabChildFrame, CMDIChildWndEx)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

int TabChildFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (CMDIChildWndEx::OnCreate(lpcs) == -1) return -1;
  if (!pages.CreateIn(this)) return -1;
  EnableDocking(CBRS_ALIGN_ANY);
  DockPane(&pages);
  return 0;
}

void TabChildFrame::UpdatePagesBar(int count) {
  if (count >= 2) {
    pages.SetPageCount(count);
    Layout();
    pages.ShowPane(TRUE, FALSE, TRUE);
  } else {
    pages.ShowPane(FALSE, FALSE, FALSE);
  }
}

void TabChildFrame::Layout() {
  if (!pages.m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  pages.SetWindowPos(nullptr, client.left, client.top, client.Width(), pages.GetTabsHeight(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void TabChildFrame::OnSize(UINT nType, int cx, int cy) {
  CMDIChildWndEx::OnSize(nType, cx, cy);
  Layout();
}

void TabChildFrame::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
  preview = bPreview;
  static_cast<TabMainFrame*>(AfxGetMainWnd())->SetPreviewMode(bPreview);
  CMDIChildWndEx::OnSetPreviewMode(bPreview, pState);
}

BEGIN_MESSAGE_MAP(TabMainFrame, CMDIFrameWndEx)
ON_WM_CREATE()
END_MESSAGE_MAP()

int TabMainFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (CMDIFrameWndEx::OnCreate(lpcs) == -1) return -1;
  // The program's tab groups: one-note tabs, a close button on the active tab only, the documents'
  // menu at the right edge, no tab swapping.
  CMDITabInfo tabs;
  tabs.m_style = CMFCTabCtrl::STYLE_3D_ONENOTE;
  tabs.m_bActiveTabCloseButton = TRUE;
  tabs.m_bTabCloseButton = FALSE;
  tabs.m_bDocumentMenu = TRUE;
  tabs.m_bEnableTabSwap = FALSE;
  EnableMDITabbedGroups(TRUE, tabs);
  EnableDocking(CBRS_ALIGN_ANY);
  if (!bar.Create(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 120, 22), this, 0xE810)) return -1;
  if (!status.Create(nullptr, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, CRect(0, 0, 120, 22), this, 0xE811)) return -1;
  if (!forms.Create(L"Forms", this, CRect(0, 0, 180, 300), TRUE, kFormsId, WS_CHILD | WS_VISIBLE | CBRS_RIGHT))
    return -1;
  bar.EnableDocking(CBRS_ALIGN_TOP);
  forms.EnableDocking(CBRS_ALIGN_ANY);
  DockPane(&bar);
  DockPane(&forms);
  return 0;
}

LRESULT TabMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == AFX_WM_CHANGE_ACTIVE_TAB) tabChanges.emplace_back(wParam, lParam);
  return CMDIFrameWndEx::WindowProc(message, wParam, lParam);
}

void TabMainFrame::SetPreviewMode(BOOL bPreview) {
  if (bPreview) {
    for (CBasePane* pane : {static_cast<CBasePane*>(&bar), static_cast<CBasePane*>(&forms)}) {
      if (!pane->IsVisible()) continue;
      pane->ShowPane(FALSE, TRUE, FALSE);
      hiddenInPreview.push_back(pane);
    }
  } else {
    for (CBasePane* pane : hiddenInPreview) pane->ShowPane(TRUE, FALSE, TRUE);
    hiddenInPreview.clear();
  }
  RecalcLayout();
}

namespace {

class MdiTabs : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, kProfileKey);
    TabChildFrame::s_bNoTab = FALSE;
    ASSERT_TRUE(theApp.StartUp());
    main = static_cast<TabMainFrame*>(theApp.m_pMainWnd);
    area = &main->GetMDIClientAreaWnd();
  }
  void TearDown() override {
    AfxSetResourceLanguage(0);
    if (theApp.m_pMainWnd) {
      CWnd* frame = theApp.m_pMainWnd;
      theApp.m_pMainWnd = nullptr;  // no quit message for the next test
      theApp.CloseAllDocuments(FALSE);
      frame->DestroyWindow();
    }
    Pump();
    testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, kProfileKey);
  }
  TabChildFrame* NewDocument() {
    theApp.OnFileNew();
    Pump();
    CMDIChildWnd* child = main->MDIGetActive();
    return child && child->IsKindOf(RUNTIME_CLASS(TabChildFrame)) ? static_cast<TabChildFrame*>(child) : nullptr;
  }
  CString TabLabel(int group, int tab) {
    CString label;
    area->GetGroup(group)->GetTabLabel(tab, label);
    return label;
  }
  CRect InClient(CWnd* w) {
    CRect r;
    w->GetWindowRect(&r);
    area->ScreenToClient(&r);
    return r;
  }
  static bool IsAbove(CWnd* upper, CWnd* lower) {
    for (HWND h = ::GetWindow(upper->m_hWnd, GW_HWNDNEXT); h; h = ::GetWindow(h, GW_HWNDNEXT))
      if (h == lower->m_hWnd) return true;
    return false;
  }
  void ClickTab(CMFCTabCtrl* strip, int tab) {
    CRect rect;
    ASSERT_TRUE(strip->GetTabRect(tab, rect));
    strip->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y));
    strip->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y));
  }
  std::vector<std::wstring> StripMenu(CMFCTabCtrl* strip, const std::wstring& pick) {
    CRect rect;
    strip->GetTabRect(strip->GetActiveTab(), rect);
    CPoint point = rect.CenterPoint();
    strip->ClientToScreen(&point);
    return DriveMenu([&] { strip->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(strip->m_hWnd),
                                              MAKELPARAM(point.x, point.y)); }, pick);
  }
  TabMainFrame* main = nullptr;
  CMDIClientAreaWnd* area = nullptr;
};

TEST_F(MdiTabs, EachDocumentIsATabLabelledByItsTitleAndFillsTheAreaBelowTheStrip) {
  TabChildFrame* first = NewDocument();
  TabChildFrame* second = NewDocument();
  ASSERT_TRUE(first && second);
  ASSERT_TRUE(main->IsMDITabbedGroup());
  ASSERT_EQ(area->GetGroupCount(), 1);
  CMFCTabCtrl* strip = area->GetGroup(0);
  ASSERT_EQ(strip->GetTabsNum(), 2);
  EXPECT_EQ(strip->GetTabWnd(0), first);
  EXPECT_EQ(strip->GetTabWnd(1), second);
  EXPECT_EQ(strip->GetActiveTab(), 1);
  EXPECT_STREQ(TabLabel(0, 0), first->GetActiveDocument()->GetTitle());
  EXPECT_STREQ(TabLabel(0, 1), second->GetActiveDocument()->GetTitle());
  EXPECT_STRNE(TabLabel(0, 0), TabLabel(0, 1));
  EXPECT_EQ(strip->GetStyle(), CMFCTabCtrl::STYLE_3D_ONENOTE);
  EXPECT_TRUE(strip->IsActiveTabCloseButton());
  EXPECT_TRUE(strip->IsTabDocumentsMenu());
  EXPECT_FALSE(strip->IsTabSwapEnabled());
  // The strip across the top of the client area, each document below it without a caption.
  CRect client;
  area->GetClientRect(&client);
  EXPECT_EQ(InClient(strip), CRect(0, 0, client.right, strip->GetTabsHeight()));
  for (TabChildFrame* child : {first, second}) {
    EXPECT_FALSE(child->GetStyle() & WS_CAPTION);
    EXPECT_FALSE(child->IsZoomed());
    EXPECT_EQ(InClient(child), CRect(0, strip->GetTabsHeight(), client.right, client.bottom));
  }
  // A new title shows on its tab.
  first->GetActiveDocument()->SetTitle(L"Renamed");
  first->OnUpdateFrameTitle(TRUE);
  EXPECT_STREQ(TabLabel(0, 0), L"Renamed");
}

TEST_F(MdiTabs, AClickOnATabActivatesItsDocumentAndTheMainFrameHearsOfIt) {
  TabChildFrame* first = NewDocument();
  TabChildFrame* second = NewDocument();
  ASSERT_TRUE(first && second);
  ASSERT_EQ(main->MDIGetActive(), second);
  main->tabChanges.clear();
  CMFCTabCtrl* strip = area->GetGroup(0);
  ClickTab(strip, 0);
  EXPECT_EQ(main->MDIGetActive(), first);
  EXPECT_EQ(strip->GetActiveTab(), 0);
  ASSERT_EQ(main->tabChanges.size(), 1u);
  EXPECT_EQ(main->tabChanges[0].first, 0u);
  EXPECT_EQ(main->tabChanges[0].second, reinterpret_cast<LPARAM>(strip));
  EXPECT_TRUE(IsAbove(first, second)) << "the activated document shows on top of its group";
  // Activating a document some other way moves the strip along.
  main->MDIActivate(second);
  EXPECT_EQ(strip->GetActiveTab(), 1);
  EXPECT_EQ(main->tabChanges.back().first, 1u);
}

struct CloseCase {
  const char* name;
  BOOL refuse;
  int tabsAfter;
};

TEST_F(MdiTabs, TheActiveTabsCloseButtonClosesItsDocumentUnlessTheDocumentRefuses) {
  const CloseCase cases[] = {{"the document refuses", TRUE, 2}, {"the document closes", FALSE, 1}};
  TabChildFrame* first = NewDocument();
  TabChildFrame* second = NewDocument();
  ASSERT_TRUE(first && second);
  for (const CloseCase& c : cases) {
    SCOPED_TRACE(c.name);
    static_cast<TabDoc*>(second->GetActiveDocument())->refuseClose = c.refuse;
    CMFCTabCtrl* strip = area->GetGroup(0);
    ASSERT_EQ(strip->GetActiveWnd(), second);
    const CRect close = strip->GetButtonRect(CMFCTabCtrl::ButtonActiveClose);
    ASSERT_FALSE(close.IsRectEmpty());
    strip->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(close.CenterPoint().x, close.CenterPoint().y));
    strip->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(close.CenterPoint().x, close.CenterPoint().y));
    Pump();
    EXPECT_EQ(area->GetGroup(0)->GetTabsNum(), c.tabsAfter);
  }
  EXPECT_EQ(area->GetGroup(0)->GetTabWnd(0), first);
  EXPECT_EQ(main->MDIGetActive(), first);
}

TEST_F(MdiTabs, TabsTurnedOffGiveTheDocumentsTheirCaptionsBackAndOnAgainTakeThem) {
  TabChildFrame* first = NewDocument();
  TabChildFrame* second = NewDocument();
  ASSERT_TRUE(first && second);
  CMDITabInfo plain;
  main->EnableMDITabbedGroups(FALSE, plain);
  Pump();
  EXPECT_FALSE(main->AreMDITabs());
  EXPECT_EQ(area->GetGroupCount(), 0);
  for (TabChildFrame* child : {first, second}) EXPECT_EQ(child->GetStyle() & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
  // Plain tabs of one group, on the bottom this time.
  EXPECT_TRUE(main->EnableMDITabs(TRUE, FALSE, CMFCTabCtrl::LOCATION_BOTTOM));
  ASSERT_EQ(area->GetGroupCount(), 1);
  EXPECT_FALSE(main->IsMDITabbedGroup());
  CMFCTabCtrl* strip = area->GetGroup(0);
  EXPECT_EQ(strip->GetTabsNum(), 2);
  EXPECT_EQ(strip->GetActiveWnd(), main->MDIGetActive());
  CRect client;
  area->GetClientRect(&client);
  EXPECT_EQ(InClient(strip), CRect(0, client.bottom - strip->GetTabsHeight(), client.right, client.bottom));
  EXPECT_EQ(InClient(first), CRect(0, 0, client.right, client.bottom - strip->GetTabsHeight()));
  EXPECT_FALSE(first->GetStyle() & WS_CAPTION);
  EXPECT_EQ(main->OnShowMDITabContextMenu(CPoint(10, 10), 0, FALSE), FALSE) << "no group menu without groups";
}

TEST_F(MdiTabs, AFrameThatWantsNoTabGetsNone) {
  ASSERT_NE(NewDocument(), nullptr);
  TabChildFrame::s_bNoTab = TRUE;
  TabChildFrame* untabbed = NewDocument();
  ASSERT_NE(untabbed, nullptr);
  EXPECT_EQ(area->GetGroup(0)->GetTabsNum(), 1);
  EXPECT_EQ(area->FindGroupOf(untabbed), nullptr);
  EXPECT_TRUE(untabbed->GetStyle() & WS_CAPTION) << "it keeps its own caption";
}

TEST_F(MdiTabs, ANewVerticalGroupSplitsTheAreaAndTheMenuMovesDocumentsBetweenGroups) {
  TabChildFrame* first = NewDocument();
  TabChildFrame* second = NewDocument();
  TabChildFrame* third = NewDocument();
  ASSERT_TRUE(first && second && third);
  CMFCTabCtrl* strip = area->GetGroup(0);
  std::vector<std::wstring> seen = StripMenu(strip, L"New &Vertical Tab Group");
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"New &Horizontal Tab Group", L"New &Vertical Tab Group",
                                             L"Move to Ne&xt Tab Group[-]", L"Move to P&revious Tab Group[-]"}));
  ASSERT_EQ(area->GetGroupCount(), 2);
  EXPECT_TRUE(area->IsVerticalGroups());
  EXPECT_EQ(area->GetGroup(1)->GetTabWnd(0), third) << "the active document moved";
  EXPECT_EQ(area->GetGroup(0)->GetTabsNum(), 2);
  EXPECT_EQ(main->MDIGetActive(), third);
  CRect client;
  area->GetClientRect(&client);
  const CRect left = area->GetDocumentArea(0), right = area->GetDocumentArea(1);
  EXPECT_EQ(left.left, 0);
  EXPECT_EQ(right.right, client.right);
  EXPECT_LT(left.right, right.left) << "side by side with a divider between";
  EXPECT_EQ(left.bottom, client.bottom);
  EXPECT_EQ(right.bottom, client.bottom);
  EXPECT_LE(std::abs(static_cast<int>(left.Width() - right.Width())), CDockingManager::kDividerSize + 2);
  EXPECT_EQ(InClient(third), right);
  EXPECT_EQ(InClient(first), left);
  // In the second group with one document: only moving back makes sense.
  seen = StripMenu(area->GetGroup(1), L"Move to P&revious Tab Group");
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"New &Horizontal Tab Group[-]", L"New &Vertical Tab Group[-]",
                                             L"Move to Ne&xt Tab Group[-]", L"Move to P&revious Tab Group"}));
  Pump();
  EXPECT_EQ(area->GetGroupCount(), 1) << "the emptied group went";
  EXPECT_EQ(area->GetGroup(0)->GetTabsNum(), 3);
  EXPECT_EQ(InClient(third), InClient(first));
}

TEST_F(MdiTabs, DraggingTheDividerBetweenGroupsMovesTheirCommonEdge) {
  ASSERT_TRUE(NewDocument() && NewDocument());
  main->MDITabNewGroup(FALSE);
  ASSERT_EQ(area->GetGroupCount(), 2);
  EXPECT_FALSE(area->IsVerticalGroups());
  const CRect top = area->GetDocumentArea(0);
  EXPECT_LT(top.bottom, area->GetDocumentArea(1).top) << "one above the other";
  ASSERT_TRUE(area->MoveGroupDivider(0, 40));
  EXPECT_EQ(area->GetDocumentArea(0).bottom, top.bottom + 40);
}

struct LanguageCase {
  LANGID language;
  const wchar_t* newVertical;
  const wchar_t* movePrevious;
};

TEST_F(MdiTabs, TheGroupMenuSpeaksTheResourceLanguage) {
  ASSERT_TRUE(NewDocument() && NewDocument());
  const LanguageCase cases[] = {
      {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), L"New &Vertical Tab Group", L"Move to P&revious Tab Group"},
      {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), L"Neue &vertikale Registerkartengruppe",
       L"In v&orherige Registerkartengruppe verschieben"},
      {MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT), L"Новая &вертикальная группа вкладок",
       L"Переместить в &предыдущую группу вкладок"},
  };
  for (const LanguageCase& c : cases) {
    SCOPED_TRACE(c.language);
    AfxSetResourceLanguage(c.language);
    const std::vector<std::wstring> seen = StripMenu(area->GetGroup(0), L"");
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[1], c.newVertical);
    EXPECT_EQ(seen[3], std::wstring(c.movePrevious) + L"[-]");
  }
}

TEST_F(MdiTabs, TheGroupLayoutComesBackFromTheRegistryForTheDocumentsItNames) {
  TabChildFrame* first = NewDocument();
  TabChildFrame* second = NewDocument();
  ASSERT_TRUE(first && second);
  const CString firstTitle = first->GetActiveDocument()->GetTitle();
  const CString secondTitle = second->GetActiveDocument()->GetTitle();
  main->MDITabNewGroup(TRUE);
  ASSERT_EQ(area->GetGroupCount(), 2);
  ASSERT_TRUE(area->MoveGroupDivider(0, -60));
  const int leftWidth = area->GetDocumentArea(0).Width();
  ASSERT_TRUE(main->SaveMDIState(kWorkspace));
  theApp.CloseAllDocuments(FALSE);
  Pump();
  EXPECT_EQ(area->GetGroupCount(), 1);

  ASSERT_TRUE(main->LoadMDIState(kWorkspace));
  // The same documents again (the titles the layout names): each returns to its group.
  first = NewDocument();
  first->GetActiveDocument()->SetTitle(firstTitle);
  first->OnUpdateFrameTitle(TRUE);
  second = NewDocument();
  second->GetActiveDocument()->SetTitle(secondTitle);
  second->OnUpdateFrameTitle(TRUE);
  Pump();
  ASSERT_EQ(area->GetGroupCount(), 2);
  EXPECT_TRUE(area->IsVerticalGroups());
  EXPECT_EQ(area->FindGroupOf(first), area->GetGroup(0));
  EXPECT_EQ(area->FindGroupOf(second), area->GetGroup(1));
  EXPECT_LE(std::abs(area->GetDocumentArea(0).Width() - leftWidth), 2);
}

TEST_F(MdiTabs, ADamagedGroupLayoutChangesNothing) {
  ASSERT_TRUE(NewDocument() && NewDocument());
  main->MDITabNewGroup(TRUE);
  ASSERT_TRUE(main->SaveMDIState(kWorkspace));
  main->MDITabMoveToNextGroup(FALSE);
  Pump();
  ASSERT_EQ(area->GetGroupCount(), 1);
  const std::wstring key = std::wstring(kProfileKey) + L"\\" + kWorkspace;
  HKEY handle = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_ALL_ACCESS, &handle), ERROR_SUCCESS);
  BYTE data[1024];
  DWORD size = sizeof(data), type = 0;
  ASSERT_EQ(RegQueryValueExW(handle, L"MDITabGroups", nullptr, &type, data, &size), ERROR_SUCCESS);
  // Cut short, then a group count of none: neither loads, the one group stays.
  for (int damage = 0; damage < 2; ++damage) {
    BYTE copy[1024];
    memcpy(copy, data, size);
    DWORD length = size;
    if (damage == 0) length -= 2;
    else copy[12] = copy[13] = copy[14] = copy[15] = 0;
    ASSERT_EQ(RegSetValueExW(handle, L"MDITabGroups", 0, REG_BINARY, copy, length), ERROR_SUCCESS);
    EXPECT_FALSE(main->LoadMDIState(kWorkspace)) << damage;
    EXPECT_EQ(area->GetGroupCount(), 1);
  }
  RegCloseKey(handle);
}

TEST_F(MdiTabs, TheApplicationKeepsTheGroupsBesideTheBarState) {
  ASSERT_TRUE(NewDocument() && NewDocument());
  main->MDITabNewGroup(FALSE);
  main->forms.ShowPane(FALSE, FALSE, FALSE);
  ASSERT_TRUE(theApp.SaveState(main));
  const std::wstring workspace = std::wstring(kProfileKey) + L"\\Workspace";
  for (const auto& [key, value] : {std::pair<std::wstring, const wchar_t*>{workspace + L"\\BarState", L"Layout"},
                                   {workspace, L"MDITabGroups"}}) {
    HKEY handle = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle), ERROR_SUCCESS) << value;
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExW(handle, value, nullptr, &type, nullptr, &size), ERROR_SUCCESS) << value;
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    RegCloseKey(handle);
  }
  main->forms.ShowPane(TRUE, FALSE, FALSE);
  main->MDITabMoveToNextGroup(FALSE);
  Pump();
  ASSERT_EQ(area->GetGroupCount(), 1);
  ASSERT_TRUE(theApp.LoadState(main));
  EXPECT_FALSE(main->forms.IsVisible());
  EXPECT_FALSE(area->IsVerticalGroups());
  EXPECT_EQ(area->GetGroupCount(), 2) << "the open documents went back to their groups";
}

TEST_F(MdiTabs, TheDocumentFramesPagesPaneIsAStripAboveTheView) {
  TabChildFrame* child = NewDocument();
  ASSERT_NE(child, nullptr);
  CView* view = child->GetActiveView();
  ASSERT_NE(view, nullptr);
  child->UpdatePagesBar(1);
  CRect viewRect;
  view->GetWindowRect(&viewRect);
  child->ScreenToClient(&viewRect);
  EXPECT_EQ(viewRect.top, 0);
  child->UpdatePagesBar(3);
  const int strip = child->pages.GetTabsHeight();
  ASSERT_GT(strip, 0);
  CRect client, pagesRect;
  child->GetClientRect(&client);
  child->pages.GetWindowRect(&pagesRect);
  child->ScreenToClient(&pagesRect);
  EXPECT_EQ(pagesRect, CRect(0, 0, client.right, strip));
  view->GetWindowRect(&viewRect);
  child->ScreenToClient(&viewRect);
  EXPECT_EQ(viewRect.top, strip);
  child->pages.changes.clear();
  CRect tab;
  ASSERT_TRUE(child->pages.tabs->GetTabRect(1, tab));
  child->pages.tabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab.CenterPoint().x, tab.CenterPoint().y));
  child->pages.tabs->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(tab.CenterPoint().x, tab.CenterPoint().y));
  ASSERT_EQ(child->pages.changes.size(), 1u);
  EXPECT_EQ(child->pages.changes[0].first, 1u);
  child->UpdatePagesBar(1);
  view->GetWindowRect(&viewRect);
  child->ScreenToClient(&viewRect);
  EXPECT_EQ(viewRect.top, 0) << "one page: no strip";
}

TEST_F(MdiTabs, PrintPreviewHidesTheBarsAndPanesAndShowsExactlyThoseAgain) {
  TabChildFrame* child = NewDocument();
  ASSERT_NE(child, nullptr);
  child->UpdatePagesBar(2);
  ListPane extra;
  ASSERT_TRUE(extra.Create(L"Extra", main, CRect(0, 0, 150, 200), TRUE, 0xE9B0, WS_CHILD | CBRS_LEFT));
  extra.EnableDocking(CBRS_ALIGN_ANY);
  main->DockPane(&extra);
  ASSERT_FALSE(extra.IsVisible()) << "hidden before the preview";
  CView* view = child->GetActiveView();
  ASSERT_TRUE(view->DoPrintPreview());
  EXPECT_TRUE(child->preview);
  EXPECT_TRUE(child->IsInPrintPreview());
  EXPECT_FALSE(main->bar.IsVisible());
  EXPECT_FALSE(main->forms.IsVisible());
  EXPECT_TRUE(main->status.IsVisible()) << "a bar that stays in preview";
  EXPECT_FALSE(child->pages.IsVisible()) << "the document frame's own panes hide too";
  EXPECT_EQ(main->hiddenInPreview.size(), 2u) << "the program hid its own first";
  child->ClosePrintPreview();
  EXPECT_FALSE(child->preview);
  EXPECT_TRUE(main->bar.IsVisible());
  EXPECT_TRUE(main->forms.IsVisible());
  EXPECT_TRUE(child->pages.IsVisible());
  EXPECT_FALSE(extra.IsVisible()) << "hidden before, hidden after";
  EXPECT_TRUE(main->hiddenInPreview.empty());
  // Hidden only by the framework (the program's list hides nothing new): shown again as well.
  main->forms.ShowPane(FALSE, FALSE, FALSE);
  ASSERT_TRUE(view->DoPrintPreview());
  EXPECT_FALSE(main->forms.IsVisible());
  child->ClosePrintPreview();
  EXPECT_FALSE(main->forms.IsVisible());
  EXPECT_TRUE(main->bar.IsVisible());
}

}  // namespace

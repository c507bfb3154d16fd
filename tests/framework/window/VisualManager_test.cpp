// The application looks on a small sample frame: a tool bar, a docked pane with a caption and tabs,
// and a status bar, all painting through the visual manager, read back as pixels under each look.
// The look's id is kept in the profile the way the programs keep it ("ApplicationLook"), with the
// id-to-look table below as test data (the programs own their tables).
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "AppExTestSupport.h"
#include "TestSupport.h"

using appex_test::Between;
using appex_test::Describe;
using appex_test::Pixels;
using appex_test::TheApp;

namespace {

// ---- The looks as a program offers them ---------------------------------------------------------

const int kNoStyle = -1;
struct Look {
  UINT id;
  CRuntimeClass* cls;
  int style;        // the Office 2007 style, or kNoStyle
  BOOL themedTabs;  // CMFCVisualManagerWindows::m_b3DTabsXPTheme
  BOOL smartDocking;
};

const std::vector<Look>& LookTable() {
  static const std::vector<Look> looks = {
      {33288, RUNTIME_CLASS(CMFCVisualManager), kNoStyle, FALSE, FALSE},
      {33289, RUNTIME_CLASS(CMFCVisualManagerOfficeXP), kNoStyle, FALSE, FALSE},
      {33290, RUNTIME_CLASS(CMFCVisualManagerWindows), kNoStyle, TRUE, FALSE},
      {33291, RUNTIME_CLASS(CMFCVisualManagerOffice2003), kNoStyle, FALSE, TRUE},
      {33292, RUNTIME_CLASS(CMFCVisualManagerVS2005), kNoStyle, FALSE, TRUE},
      {33293, RUNTIME_CLASS(CMFCVisualManagerVS2008), kNoStyle, FALSE, TRUE},
      {33294, RUNTIME_CLASS(CMFCVisualManagerOffice2007), CMFCVisualManagerOffice2007::Office2007_LunaBlue, FALSE, TRUE},
      {33295, RUNTIME_CLASS(CMFCVisualManagerOffice2007), CMFCVisualManagerOffice2007::Office2007_ObsidianBlack, FALSE,
       TRUE},
      {33296, RUNTIME_CLASS(CMFCVisualManagerOffice2007), CMFCVisualManagerOffice2007::Office2007_Silver, FALSE, TRUE},
      {33297, RUNTIME_CLASS(CMFCVisualManagerOffice2007), CMFCVisualManagerOffice2007::Office2007_Aqua, FALSE, TRUE},
      {33298, RUNTIME_CLASS(CMFCVisualManagerWindows7), kNoStyle, FALSE, TRUE},
  };
  return looks;
}

const UINT kDefaultLook = 33293;

// Makes the look of `id` the framework's, as the program's look command does; an unknown id takes
// Office 2007 in its current style.
void ApplyLook(UINT id) {
  const Look* chosen = nullptr;
  for (const Look& look : LookTable())
    if (look.id == id) chosen = &look;
  CMFCVisualManagerWindows::m_b3DTabsXPTheme = chosen && chosen->themedTabs;
  if (chosen && chosen->style != kNoStyle)
    CMFCVisualManagerOffice2007::SetStyle(static_cast<CMFCVisualManagerOffice2007::Style>(chosen->style));
  CMFCVisualManager::SetDefaultManager(chosen ? chosen->cls : RUNTIME_CLASS(CMFCVisualManagerOffice2007));
  CDockingManager::SetDockingMode(!chosen || chosen->smartDocking ? DT_SMART : DT_STANDARD);
}

// ---- The sample frame ---------------------------------------------------------------------------

// Counts its paints, so a test sees that a look change redrew it at once.
class SamplePaneBase : public CPane {
 public:
  int paints = 0;
};

// A tool bar: the background comes from the pane itself; on it a gripper, a hot button and a
// separator.
class SampleBar : public SamplePaneBase {
 public:
  CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(300, 26); }
  static CRect HotButton() { return CRect(12, 2, 34, 24); }

 protected:
  afx_msg void OnPaint() {
    ++paints;
    CPaintDC dc(this);
    CMFCVisualManager* look = CMFCVisualManager::GetInstance();
    look->OnDrawBarGripper(&dc, CRect(2, 2, 8, 24), TRUE, this);
    look->OnFillButtonInterior(&dc, HotButton(), CMFCVisualManager::ButtonsIsHighlighted, FALSE);
    look->OnDrawButtonBorder(&dc, HotButton(), CMFCVisualManager::ButtonsIsHighlighted, FALSE);
    look->OnDrawSeparator(&dc, this, CRect(36, 2, 42, 24), TRUE);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(SampleBar, SamplePaneBase)
ON_WM_PAINT()
END_MESSAGE_MAP()

// A docked pane: an active caption on top, two tabs along the bottom (the first active).
class SamplePane : public SamplePaneBase {
 public:
  BOOL IsResizable() const override { return TRUE; }
  CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(160, 200); }
  CRect Caption() const { return CRect(0, 0, Client().right, 20); }
  CRect Tab(int i) const { return CRect(4 + i * 60, Client().bottom - 22, 4 + i * 60 + 60, Client().bottom - 2); }
  CRect TabsArea() const { return CRect(0, Client().bottom - 24, Client().right, Client().bottom); }
  COLORREF captionText = 0, activeTabText = 0;

 protected:
  CRect Client() const {
    CRect r;
    GetClientRect(&r);
    return r;
  }
  afx_msg void OnPaint() {
    ++paints;
    CPaintDC dc(this);
    CMFCVisualManager* look = CMFCVisualManager::GetInstance();
    captionText = look->OnFillCaption(&dc, Caption(), TRUE);
    look->OnEraseTabsArea(&dc, TabsArea());
    activeTabText = look->OnDrawTab(&dc, Tab(0), TRUE, TRUE, FALSE, CLR_DEFAULT);
    look->OnDrawTab(&dc, Tab(1), FALSE, TRUE, FALSE, CLR_DEFAULT);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(SamplePane, SamplePaneBase)
ON_WM_PAINT()
END_MESSAGE_MAP()

// The status bar: its background from the pane, one pane border.
class SampleStatus : public SamplePaneBase {
 public:
  CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(0, 22); }

 protected:
  afx_msg void OnPaint() {
    ++paints;
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CMFCVisualManager::GetInstance()->OnDrawStatusBarPaneBorder(&dc, CRect(client.right - 120, 3, client.right - 20, client.bottom - 2));
    CMFCVisualManager::GetInstance()->OnDrawStatusBarSizeBox(&dc, CRect(client.right - 16, client.bottom - 16, client.right, client.bottom));
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(SampleStatus, SamplePaneBase)
ON_WM_PAINT()
END_MESSAGE_MAP()

class LookSample : public CFrameWndEx {
 public:
  SampleBar bar;
  SamplePane pane;
  SampleStatus status;
  int lookChanges = 0;

  static LookSample* Make() {
    auto* frame = new LookSample;
    if (!frame->Create(nullptr, L"Looks", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 640, 400))) return nullptr;
    return frame;
  }

 protected:
  // The program's way: the stored look is applied as the frame is made.
  afx_msg int OnCreate(LPCREATESTRUCT cs) {
    if (CFrameWndEx::OnCreate(cs) == -1) return -1;
    ApplyLook(TheApp().GetProfileInt(L"Settings", L"ApplicationLook", kDefaultLook));
    EnableDocking(CBRS_ALIGN_ANY);
    const CRect none(0, 0, 160, 200);
    if (!bar.Create(nullptr, WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, none, this, AFX_IDW_CONTROLBAR_FIRST + 30)) return -1;
    if (!pane.Create(nullptr, WS_VISIBLE | CBRS_RIGHT, none, this, AFX_IDW_CONTROLBAR_FIRST + 31)) return -1;
    if (!status.Create(nullptr, WS_VISIBLE | CBRS_BOTTOM, none, this, AFX_IDW_STATUS_BAR)) return -1;
    bar.EnableDocking(CBRS_ALIGN_TOP);
    pane.EnableDocking(CBRS_ALIGN_ANY);
    DockPane(&bar);
    DockPane(&pane, AFX_IDW_DOCKBAR_RIGHT);
    return 0;
  }
  afx_msg LRESULT OnChangeLook(WPARAM, LPARAM) {
    ++lookChanges;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(LookSample, CFrameWndEx)
ON_WM_CREATE()
ON_REGISTERED_MESSAGE(AFX_WM_CHANGEVISUALMANAGER, OnChangeLook)
END_MESSAGE_MAP()

class Looks : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, appex_test::kProfilePath);
    frame = LookSample::Make();
    ASSERT_NE(frame, nullptr);
    frame->RecalcLayout();
  }
  void TearDown() override {
    if (frame) frame->DestroyWindow();
    CMFCVisualManager::DestroyInstance();
    CMFCVisualManagerWindows::m_b3DTabsXPTheme = FALSE;
    CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_LunaBlue);
    CDockingManager::SetDockingMode(DT_STANDARD);
    testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, appex_test::kProfilePath);
  }
  // The panes' pixels after the frame was redrawn.
  struct Shot {
    Pixels bar, pane, status;
  };
  Shot Take() {
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return {Pixels::OfClient(frame->bar.m_hWnd), Pixels::OfClient(frame->pane.m_hWnd),
            Pixels::OfClient(frame->status.m_hWnd)};
  }
  LookSample* frame = nullptr;
};

TEST_F(Looks, EachLookDrawsBarsCaptionsTabsAndTheStatusBarInItsPalette) {
  for (const Look& look : LookTable()) {
    SCOPED_TRACE(testing::Message() << "look " << look.id << " " << look.cls->m_lpszClassName);
    ApplyLook(look.id);
    const FwLookPalette& p = CMFCVisualManager::GetInstance()->Palette();
    const Shot shot = Take();

    // The bar: its background from the light end at the top to the dark end at the bottom.
    const int barRight = shot.bar.Width() - 4;
    EXPECT_TRUE(Between(shot.bar.At(barRight, 0), p.barFaceLight, p.barFaceLight)) << Describe(shot.bar.At(barRight, 0));
    EXPECT_TRUE(Between(shot.bar.At(barRight, 25), p.barFace, p.barFace, 8)) << Describe(shot.bar.At(barRight, 25));
    EXPECT_TRUE(Between(shot.bar.At(barRight, 13), p.barFaceLight, p.barFace));
    // The hot button is the look's: a flat or glossy box of the hot colours, or a raised edge.
    const CRect hot = SampleBar::HotButton();
    const COLORREF inside = shot.bar.At(hot.CenterPoint().x, hot.CenterPoint().y);
    if (p.buttonShape == FwButtonRaised3D) {
      EXPECT_EQ(shot.bar.At(hot.left, hot.CenterPoint().y), p.separatorLight);
      EXPECT_EQ(shot.bar.At(hot.right - 1, hot.CenterPoint().y), p.barBorder);
    } else {
      EXPECT_TRUE(Between(inside, p.buttonHotLight, p.buttonHot)) << Describe(inside);
      EXPECT_EQ(shot.bar.At(hot.CenterPoint().x, hot.top), p.buttonHotBorder);
    }

    // The caption: the active caption's gradient, sampled away from a border.
    const CRect caption = frame->pane.Caption();
    for (int x : {2, static_cast<int>(caption.CenterPoint().x), static_cast<int>(caption.right) - 3}) {
      const COLORREF c = shot.pane.At(x, caption.CenterPoint().y);
      EXPECT_TRUE(Between(c, p.captionActive, p.captionActiveLight)) << "caption at " << x << ": " << Describe(c);
    }
    const COLORREF captionStart = p.verticalCaptions ? shot.pane.At(caption.CenterPoint().x, 1) : shot.pane.At(1, 10);
    EXPECT_TRUE(Between(captionStart, p.captionActive, p.captionActive, 12)) << Describe(captionStart);
    EXPECT_EQ(frame->pane.captionText, p.captionText);

    // The tabs: the active one in the active colours, the other in the inactive ones (a flat look
    // leaves it on the strip), the strip itself beside them.
    const CRect active = frame->pane.Tab(0), inactive = frame->pane.Tab(1);
    const COLORREF a = shot.pane.At(active.CenterPoint().x, active.CenterPoint().y);
    const COLORREF b = shot.pane.At(inactive.CenterPoint().x, inactive.CenterPoint().y);
    EXPECT_TRUE(Between(a, p.tabActive, p.tabActiveLight)) << "active tab " << Describe(a);
    if (p.tabShape == FwTabFlat)
      EXPECT_EQ(b, p.tabArea) << Describe(b);
    else
      EXPECT_TRUE(Between(b, p.tabInactive, p.tabInactiveLight)) << "inactive tab " << Describe(b);
    EXPECT_EQ(shot.pane.At(shot.pane.Width() - 2, frame->pane.TabsArea().top + 1), p.tabArea);
    EXPECT_EQ(frame->pane.activeTabText, p.tabText);

    // The status bar.
    const COLORREF s = shot.status.At(40, shot.status.Height() / 2);
    EXPECT_TRUE(Between(s, p.statusBar, p.statusBarLight)) << "status bar " << Describe(s);
    EXPECT_EQ(CMFCVisualManager::GetInstance()->IsSmartDockingLook(), look.smartDocking);
  }
}

TEST_F(Looks, EveryTwoLooksLookDifferent) {
  std::vector<Shot> shots;
  for (const Look& look : LookTable()) {
    ApplyLook(look.id);
    shots.push_back(Take());
  }
  for (size_t i = 0; i < shots.size(); ++i) {
    for (size_t j = i + 1; j < shots.size(); ++j) {
      const int differing = shots[i].bar.Differences(shots[j].bar) + shots[i].pane.Differences(shots[j].pane) +
                            shots[i].status.Differences(shots[j].status);
      EXPECT_GT(differing, 1000) << "looks " << LookTable()[i].id << " and " << LookTable()[j].id;
    }
  }
}

TEST_F(Looks, ThemedTabsOfTheWindowsLookCarryTheirColouredLine) {
  ApplyLook(33290);
  const FwLookPalette& p = CMFCVisualManager::GetInstance()->Palette();
  const CRect active = frame->pane.Tab(0);
  Shot themed = Take();
  // Tabs along the bottom: the line runs along the tab's bottom edge.
  EXPECT_EQ(themed.pane.At(active.CenterPoint().x, active.bottom - 2), p.tabHotLine);
  CMFCVisualManagerWindows::m_b3DTabsXPTheme = FALSE;
  Shot raised = Take();
  EXPECT_NE(raised.pane.At(active.CenterPoint().x, active.bottom - 2), p.tabHotLine);
  EXPECT_GT(themed.pane.Differences(raised.pane), 50);
}

TEST_F(Looks, ChangingTheLookTellsTheFramesAndRedrawsThemAtOnce) {
  LookSample* second = LookSample::Make();
  ASSERT_NE(second, nullptr);
  const int changes = frame->lookChanges, secondChanges = second->lookChanges;
  const int barPaints = frame->bar.paints, panePaints = frame->pane.paints, statusPaints = frame->status.paints;
  CMFCVisualManager::SetDefaultManager(RUNTIME_CLASS(CMFCVisualManagerOffice2003));
  // No message loop ran: the redraw happened inside SetDefaultManager.
  EXPECT_EQ(frame->lookChanges, changes + 1);
  EXPECT_EQ(second->lookChanges, secondChanges + 1);
  EXPECT_GT(frame->bar.paints, barPaints);
  EXPECT_GT(frame->pane.paints, panePaints);
  EXPECT_GT(frame->status.paints, statusPaints);
  // What is on the window now is the new look.
  const FwLookPalette& p = CMFCVisualManager::GetInstance()->Palette();
  const Pixels bar = Pixels::OfClient(frame->bar.m_hWnd);
  EXPECT_TRUE(Between(bar.At(bar.Width() - 4, 0), p.barFaceLight, p.barFaceLight)) << Describe(bar.At(bar.Width() - 4, 0));

  // A class that is no visual manager changes nothing.
  CMFCVisualManager* current = CMFCVisualManager::GetInstance();
  CMFCVisualManager::SetDefaultManager(RUNTIME_CLASS(CWnd));
  EXPECT_EQ(CMFCVisualManager::GetInstance(), current);
  EXPECT_EQ(frame->lookChanges, changes + 1);
  second->DestroyWindow();
}

TEST_F(Looks, TheChosenLookComesBackFromTheProfileAtTheNextStart) {
  std::vector<UINT> ids;
  for (const Look& look : LookTable()) ids.push_back(look.id);
  for (UINT id : ids) {
    SCOPED_TRACE(testing::Message() << "look " << id);
    ASSERT_TRUE(TheApp().WriteProfileInt(L"Settings", L"ApplicationLook", static_cast<int>(id)));
    // The next start: a new frame, and no manager left from before.
    frame->DestroyWindow();
    CMFCVisualManager::DestroyInstance();
    CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_LunaBlue);
    frame = LookSample::Make();
    ASSERT_NE(frame, nullptr);
    const Look& look = *std::find_if(LookTable().begin(), LookTable().end(), [id](const Look& l) { return l.id == id; });
    CMFCVisualManager* manager = CMFCVisualManager::GetInstance();
    EXPECT_EQ(manager->GetRuntimeClass(), look.cls);
    if (look.style != kNoStyle) {
      EXPECT_EQ(static_cast<CMFCVisualManagerOffice2007*>(manager)->GetCurrentStyle(), look.style);
    }
    EXPECT_EQ(CDockingManager::GetDockingMode(), look.smartDocking ? DT_SMART : DT_STANDARD);
  }
  // Nothing stored: the default look; an id the table does not know: Office 2007.
  testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, appex_test::kProfilePath);
  frame->DestroyWindow();
  frame = LookSample::Make();
  EXPECT_EQ(CMFCVisualManager::GetInstance()->GetRuntimeClass(), RUNTIME_CLASS(CMFCVisualManagerVS2008));
  TheApp().WriteProfileInt(L"Settings", L"ApplicationLook", 12345);
  frame->DestroyWindow();
  frame = LookSample::Make();
  EXPECT_EQ(CMFCVisualManager::GetInstance()->GetRuntimeClass(), RUNTIME_CLASS(CMFCVisualManagerOffice2007));
}

// Menus, the menu bar and tool tips are drawn by the bars; here the look's part of them, into a
// bitmap.
TEST_F(Looks, MenusAndToolTipsFollowTheLook) {
  for (const Look& look : LookTable()) {
    SCOPED_TRACE(testing::Message() << "look " << look.id);
    ApplyLook(look.id);
    CMFCVisualManager* manager = CMFCVisualManager::GetInstance();
    const FwLookPalette& p = manager->Palette();
    COLORREF highlightText = 0, menuBarText = 0;
    const Pixels menu = Pixels::Drawn(200, 80, RGB(1, 2, 3), [&](CDC* dc) {
      manager->OnFillPopupMenuBackground(dc, CRect(0, 0, 200, 80), 24);
      manager->OnDrawPopupMenuBorder(dc, CRect(0, 0, 200, 80));
      highlightText = manager->OnHighlightMenuItem(dc, CRect(2, 30, 198, 50), FALSE);
    });
    EXPECT_TRUE(Between(menu.At(12, 10), p.menuGutterLight, p.menuGutter)) << Describe(menu.At(12, 10));
    EXPECT_EQ(menu.At(100, 10), p.menuFace);
    EXPECT_TRUE(Between(menu.At(100, 40), p.menuHighlightLight, p.menuHighlight)) << Describe(menu.At(100, 40));
    EXPECT_EQ(highlightText, p.menuTextHighlight);

    const Pixels bar = Pixels::Drawn(60, 24, RGB(1, 2, 3), [&](CDC* dc) {
      menuBarText = manager->OnFillMenuBarButton(dc, CRect(0, 0, 60, 24), CMFCVisualManager::ButtonsIsHighlighted, FALSE);
    });
    EXPECT_EQ(menuBarText, p.menuBarTextHot);
    if (p.buttonShape == FwButtonRaised3D)
      EXPECT_EQ(bar.At(0, 12), p.separatorLight) << "a raised edge";
    else
      EXPECT_TRUE(Between(bar.At(30, 12), p.menuBarHotLight, p.menuBarHot)) << Describe(bar.At(30, 12));

    CMFCToolTipInfo info;
    ASSERT_TRUE(manager->GetToolTipInfo(info));
    EXPECT_EQ(info.m_clrFill, p.toolTipFill);
    EXPECT_EQ(info.m_clrText, p.toolTipText);
    EXPECT_EQ(info.m_clrBorder, p.toolTipBorder);
  }
}

}  // namespace

// The menu bar in a real frame: it takes the frame's menu, a derived bar trims it, the keys that
// select and leave it, accelerators, prompts of menu items; and (run alone) the real pop-ups that
// clicks and keys open, fed with keys while they track.
#include <gtest/gtest.h>

#include "BarsTestFrame.h"
#include "TestSupport.h"

using namespace bars_test;

namespace {

class MenuBarTest : public BarsFrameTest {
 protected:
  // A key as the queue would bring it to the frame's window.
  void Key(UINT message, UINT vk, LPARAM flags = 1) {
    frame->PostMessage(message, vk, flags);
    Pump();
  }
  CString ItemText(int i) { return frame->menuBar->GetButton(i)->m_strText; }
};

using MenuBar = MenuBarTest;

TEST_F(MenuBar, TakesTheFramesMenuInPlaceOfTheSystemMenuBar) {
  CMFCMenuBar* bar = frame->menuBar;
  EXPECT_EQ(::GetMenu(frame->m_hWnd), nullptr);
  EXPECT_EQ(bar->GetHMenu(), frame->m_hMenuDefault);
  ASSERT_EQ(bar->GetCount(), 4);
  const wchar_t* texts[] = {L"&File", L"&Edit", L"&View", L"E&mpty"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(ItemText(i), CString(texts[i]));
    CMFCToolBarButton* button = bar->GetButton(i);
    ASSERT_TRUE(button->IsKindOf(RUNTIME_CLASS(CMFCToolBarMenuButton)));
    EXPECT_EQ(static_cast<CMFCToolBarMenuButton*>(button)->GetPopupSource(), ::GetSubMenu(bar->GetHMenu(), i));
  }
  // Docked along the top, above the tool bars, across the whole frame.
  CRect client;
  frame->GetClientRect(&client);
  const CRect rect = frame->RectOf(bar);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.Width(), client.Width());
  EXPECT_EQ(frame->RectOf(&frame->mainBar).top, rect.bottom);
  // The same menu again builds nothing new; a forced update does.
  CMFCToolBarButton* first = bar->GetButton(0);
  bar->CreateFromMenu(bar->GetHMenu());
  EXPECT_EQ(bar->GetButton(0), first);
  bar->CreateFromMenu(bar->GetHMenu(), FALSE, TRUE);
  EXPECT_EQ(bar->GetCount(), 4);
}

class TidyMenuBarTest : public MenuBarTest {
  BOOL Tidy() const override { return TRUE; }
};

TEST_F(TidyMenuBarTest, ADerivedBarDropsPopupsOfSeparatorsAfterBuilding) {
  CMFCMenuBar* bar = frame->menuBar;
  ASSERT_EQ(bar->GetCount(), 3);
  EXPECT_EQ(ItemText(2), CString(L"&View"));
  // Its layout follows: the last item ends where the three items end.
  EXPECT_LT(bar->GetButton(2)->Rect().right, 300);
}

TEST_F(MenuBar, F10AndALoneAltSelectTheFirstItemAndEscLeaves) {
  CMFCMenuBar* bar = frame->menuBar;
  struct Case {
    const char* name;
    std::vector<std::pair<UINT, UINT>> keys;
  } cases[] = {{"F10", {{WM_SYSKEYDOWN, VK_F10}, {WM_SYSKEYUP, VK_F10}}},
               {"Alt", {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYUP, VK_MENU}}}};
  for (const Case& c : cases) {
    for (const auto& key : c.keys) Key(key.first, key.second);
    ASSERT_TRUE(bar->IsKeyboardMode()) << c.name;
    EXPECT_EQ(bar->GetHighlightedButton(), 0) << c.name;
    EXPECT_EQ(::GetFocus(), bar->m_hWnd) << c.name;
    bar->SendMessage(WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_EQ(bar->GetHighlightedButton(), 1) << c.name;
    bar->SendMessage(WM_KEYDOWN, VK_LEFT, 1);
    bar->SendMessage(WM_KEYDOWN, VK_LEFT, 1);
    EXPECT_EQ(bar->GetHighlightedButton(), bar->GetCount() - 1) << c.name;
    bar->SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_FALSE(bar->IsKeyboardMode()) << c.name;
    EXPECT_EQ(bar->GetHighlightedButton(), -1) << c.name;
  }
  // Alt used with another key is no lone Alt.
  Key(WM_SYSKEYDOWN, VK_MENU);
  Key(WM_SYSKEYDOWN, 'Q', 0x20000001);
  Key(WM_SYSKEYUP, VK_MENU);
  EXPECT_FALSE(bar->IsKeyboardMode());
}

TEST_F(MenuBar, AcceleratorsStillReachTheFrame) {
  SetKeyState(VK_CONTROL, true, false);
  Key(WM_KEYDOWN, 'O');
  SetKeyState(VK_CONTROL, false, false);
  EXPECT_EQ(frame->commands[ID_T_OPEN], 1);
  EXPECT_FALSE(frame->menuBar->IsKeyboardMode());
}

// The entries of a menu: command ids, 0 for a separator, -1 for a sub-menu.
std::vector<int> Entries(HMENU menu) {
  std::vector<int> entries;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    if (::GetSubMenu(menu, i))
      entries.push_back(-1);
    else
      entries.push_back(static_cast<int>(::GetMenuItemID(menu, i)));
  }
  return entries;
}

// Basic commands of this process's bars, cleared again when the case ends.
struct BasicCommands {
  explicit BasicCommands(std::initializer_list<UINT> ids) {
    CList<UINT, UINT> list;
    for (UINT id : ids) list.AddTail(id);
    CMFCToolBar::SetBasicCommands(list);
  }
  ~BasicCommands() {
    CList<UINT, UINT> none;
    CMFCToolBar::SetBasicCommands(none);
    CMFCToolBar::ResetAllUsageData();
    CMFCMenuBar::SetShowAllCommands(FALSE);
  }
};

TEST_F(MenuBar, PersonalisedPopupsShowTheBasicAndTheUsedCommands) {
  const int full = ID_FW_SHOW_FULL_MENU;
  HMENU menu = frame->m_hMenuDefault;
  HMENU file = ::GetSubMenu(menu, 0), edit = ::GetSubMenu(menu, 1), view = ::GetSubMenu(menu, 2);
  EXPECT_EQ(CMFCMenuBar::CreatePersonalMenu(file), nullptr) << "without basic commands every command shows";
  BasicCommands basic{ID_T_OPEN, ID_T_UNDO, ID_T_OPEN};
  EXPECT_EQ(CMFCToolBar::GetBasicCommands().GetCount(), 2);
  EXPECT_TRUE(CMFCToolBar::IsBasicCommand(ID_T_UNDO));
  EXPECT_TRUE(CMFCToolBar::IsCommandRarelyUsed(ID_T_SAVE));
  struct {
    const char* name;
    HMENU source;
    std::vector<int> shown;
  } const cases[] = {
      {"file", file, {ID_T_OPEN, 0, full}},
      // Cut and Copy gone: no separator stays above Undo.
      {"edit", edit, {ID_T_UNDO, 0, full}},
      {"view", view, {full}},
  };
  for (const auto& c : cases) {
    HMENU personal = CMFCMenuBar::CreatePersonalMenu(c.source);
    ASSERT_NE(personal, nullptr) << c.name;
    EXPECT_EQ(Entries(personal), c.shown) << c.name;
    wchar_t text[64] = {};
    ::GetMenuStringW(personal, ID_FW_SHOW_FULL_MENU, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"Show &Full Menu") << c.name;
    ::DestroyMenu(personal);
  }
  // A menu of separators hides no command; a used command shows from then on.
  EXPECT_EQ(CMFCMenuBar::CreatePersonalMenu(::GetSubMenu(menu, 3)), nullptr);
  CMFCToolBar::AddCommandUsage(ID_T_COPY);
  HMENU personal = CMFCMenuBar::CreatePersonalMenu(edit);
  EXPECT_EQ(Entries(personal), (std::vector<int>{ID_T_COPY, 0, ID_T_UNDO, 0, full}));
  ::DestroyMenu(personal);
  // Sub-menus are trimmed alike; the user's choice of full menus shows everything.
  HMENU outer = ::CreatePopupMenu();
  ::AppendMenuW(outer, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  ::AppendMenuW(outer, MF_POPUP, reinterpret_cast<UINT_PTR>(view), L"&View");
  personal = CMFCMenuBar::CreatePersonalMenu(outer);
  ASSERT_EQ(Entries(personal), (std::vector<int>{-1, 0, full}));
  EXPECT_EQ(Entries(::GetSubMenu(personal, 0)), (std::vector<int>{ID_T_OPEN}));
  ::DestroyMenu(personal);
  ::RemoveMenu(outer, 1, MF_BYPOSITION);
  ::RemoveMenu(outer, 0, MF_BYPOSITION);
  ::DestroyMenu(outer);
  CMFCMenuBar::SetShowAllCommands(TRUE);
  EXPECT_EQ(CMFCMenuBar::CreatePersonalMenu(file), nullptr);
}

TEST_F(MenuBar, AMenuItemsPromptShowsWhileItIsSelectedAndTheIdleTextAfter) {
  HMENU file = ::GetSubMenu(frame->m_hMenuDefault, 0);
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_T_SAVE, MF_STRING), reinterpret_cast<LPARAM>(file));
  EXPECT_EQ(frame->statusBar.GetPaneText(0), CString(L"Save the document"));
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), reinterpret_cast<LPARAM>(frame->m_hMenuDefault));
  EXPECT_EQ(frame->statusBar.GetPaneText(0), CString());
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(frame->statusBar.GetPaneText(0), FrameworkString(AFX_IDS_IDLEMESSAGE));
  // A text of the program's own through WM_SETMESSAGESTRING.
  frame->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(L"Printing page 2"));
  EXPECT_EQ(frame->statusBar.GetPaneText(0), CString(L"Printing page 2"));
  frame->SendMessage(WM_SETMESSAGESTRING, ID_T_COPY, 0);
  EXPECT_EQ(frame->statusBar.GetPaneText(0), CString(L"Copy the selection"));
}

// A multiple-document frame with a menu bar: the MDI client keeps its list of documents in the
// Window menu of the menu the bar shows.
class MdiBarsFrame : public CMDIFrameWndEx {
 public:
  CMFCMenuBar menuBar;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    if (CMDIFrameWndEx::OnCreate(lpcs) == -1) return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    if (!menuBar.Create(this)) return -1;
    menuBar.EnableDocking(CBRS_ALIGN_ANY);
    DockPane(&menuBar);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MdiBarsFrame, CMDIFrameWndEx)
ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(MenuBarMdi, TheWindowMenuOfTheBarsMenuListsTheDocuments) {
  testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, kProfileKey);
  MdiBarsFrame* frame = new MdiBarsFrame;
  ASSERT_TRUE(frame->LoadFrame(IDR_BARS_MDI, WS_OVERLAPPEDWINDOW));
  frame->ShowWindow(SW_SHOW);
  EXPECT_EQ(::GetMenu(frame->m_hWnd), nullptr);
  ASSERT_EQ(frame->menuBar.GetCount(), 2);
  CMDIChildWndEx* child = new CMDIChildWndEx;
  ASSERT_TRUE(child->Create(nullptr, L"Letter", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, frame));
  Pump();
  child->ActivateFrame();  // a document window is listed once it is shown
  Pump();
  HMENU window = ::GetSubMenu(frame->menuBar.GetHMenu(), 1);
  EXPECT_EQ(static_cast<CMFCToolBarMenuButton*>(frame->menuBar.GetButton(1))->GetPopupSource(), window);
  bool listed = false;
  for (int i = 0; i < ::GetMenuItemCount(window); ++i) {
    wchar_t text[64] = {};
    ::GetMenuStringW(window, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
    if (::GetMenuItemID(window, i) == AFX_IDM_FIRST_MDICHILD && wcsstr(text, L"Letter")) listed = true;
  }
  EXPECT_TRUE(listed);
  frame->DestroyWindow();
  Pump();
  testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, kProfileKey);
}

// Pop-ups: a menu loop of their own, fed with keys by a timer while they track.
using MenuBarPopups = MenuBarTest;

TEST_F(MenuBarPopups, AClickOpensThePopupAndAChosenItemRunsItsHandler) {
  CMFCMenuBar* bar = frame->menuBar;
  frame->saveEnabled = TRUE;
  const int updatesBefore = frame->updateSaveCalls;
  FeedKeysWhileTracking(frame->m_hWnd, {VK_DOWN, VK_DOWN, VK_RETURN});
  ClickAt(bar, bar->GetButton(0)->Rect());
  Pump();
  EXPECT_EQ(frame->commands[ID_T_SAVE], 1);
  EXPECT_EQ(frame->commands[ID_T_OPEN], 0);
  // The pop-up was brought up to date through the frame's command route.
  EXPECT_GT(frame->updateSaveCalls, updatesBefore);
  EXPECT_EQ(bar->GetOpenItem(), -1);
  EXPECT_FALSE(static_cast<CMFCToolBarMenuButton*>(bar->GetButton(0))->IsDroppedDown());
}

TEST_F(MenuBarPopups, ADisabledItemRunsNothing) {
  CMFCMenuBar* bar = frame->menuBar;
  frame->saveEnabled = FALSE;
  FeedKeysWhileTracking(frame->m_hWnd, {VK_DOWN, VK_DOWN, VK_RETURN, VK_ESCAPE});
  ClickAt(bar, bar->GetButton(0)->Rect());
  Pump();
  EXPECT_EQ(frame->commands[ID_T_SAVE], 0);
}

TEST_F(MenuBarPopups, AltAndALetterOpenThatMenuWithItsFirstItemSelected) {
  // Alt+E: Edit opens with Cut selected; Down and Enter choose Copy.
  FeedKeysWhileTracking(frame->m_hWnd, {VK_DOWN, VK_RETURN});
  Key(WM_SYSCHAR, 'e', 0x20000001);
  Pump();
  EXPECT_EQ(frame->commands[ID_T_COPY], 1);
  EXPECT_EQ(frame->commands[ID_T_CUT], 0);
  EXPECT_FALSE(frame->menuBar->IsKeyboardMode());
}

TEST_F(MenuBarPopups, RightAndLeftAtThePopupsEdgeSwitchToTheNeighbouringMenu) {
  CMFCMenuBar* bar = frame->menuBar;
  // File, then Right to Edit, Right to View, Left back to Edit: its first item.
  FeedKeysWhileTracking(frame->m_hWnd, {VK_RIGHT, VK_RIGHT, VK_LEFT, VK_RETURN});
  ClickAt(bar, bar->GetButton(0)->Rect());
  Pump();
  EXPECT_EQ(frame->commands[ID_T_CUT], 1);
  EXPECT_EQ(frame->commands[ID_T_OPEN], 0);
  EXPECT_EQ(bar->GetOpenItem(), -1);
}

TEST_F(MenuBarPopups, TheMouseOnAnotherItemSwitchesToItsPopup) {
  CMFCMenuBar* bar = frame->menuBar;
  CPoint edit = bar->GetButton(1)->Rect().CenterPoint();
  bar->ClientToScreen(&edit);
  // File opens by the click; the mouse goes to Edit, whose first item is then chosen.
  FeedWhileTracking(frame->m_hWnd, {{0, {edit.x, edit.y}}, {VK_DOWN, {}}, {VK_RETURN, {}}});
  ClickAt(bar, bar->GetButton(0)->Rect());
  Pump();
  EXPECT_EQ(frame->commands[ID_T_CUT], 1);
  EXPECT_EQ(frame->commands[ID_T_OPEN], 0);
}

TEST_F(MenuBarPopups, ThePersonalisedPopupShowsTheWholeMenuOnRequestAndNotesTheCommandUsed) {
  CMFCMenuBar* bar = frame->menuBar;
  frame->saveEnabled = TRUE;
  BasicCommands basic{ID_T_OPEN};
  // File shows Open and the full-menu entry; that entry opens the whole menu, where Save is chosen.
  FeedKeysWhileTracking(frame->m_hWnd, {VK_DOWN, VK_DOWN, VK_RETURN, VK_DOWN, VK_DOWN, VK_RETURN});
  ClickAt(bar, bar->GetButton(0)->Rect());
  Pump();
  EXPECT_EQ(frame->commands[ID_T_SAVE], 1);
  EXPECT_EQ(frame->commands[ID_T_OPEN], 0);
  EXPECT_EQ(bar->GetOpenItem(), -1);
  EXPECT_FALSE(CMFCToolBar::IsCommandRarelyUsed(ID_T_SAVE));
  // Now the trimmed File menu holds Save as its second entry.
  FeedKeysWhileTracking(frame->m_hWnd, {VK_DOWN, VK_DOWN, VK_RETURN});
  ClickAt(bar, bar->GetButton(0)->Rect());
  Pump();
  EXPECT_EQ(frame->commands[ID_T_SAVE], 2);
}

TEST_F(MenuBarPopups, TheQuickCustomizeMenuShowsAndHidesButtons) {
  CMFCToolBar& tools = frame->toolsBar;
  tools.EnableCustomizeButton(TRUE, ID_T_CUSTOMIZE, L"Customize...", TRUE);
  ASSERT_TRUE(tools.GetButton(0)->IsVisible());
  // The sub-menu of buttons, then its first entry: the Line button.
  FeedKeysWhileTracking(frame->m_hWnd, {VK_DOWN, VK_RIGHT, VK_RETURN});
  ClickAt(&tools, tools.GetCustomizeButtonRect());
  Pump();
  EXPECT_FALSE(tools.GetButton(0)->IsVisible());
  EXPECT_TRUE(tools.GetButton(0)->Rect().IsRectEmpty());
  EXPECT_EQ(frame->commands[ID_T_CUSTOMIZE], 0);
  // The last entry of the menu is the customize command.
  FeedKeysWhileTracking(frame->m_hWnd, {VK_UP, VK_RETURN});
  ClickAt(&tools, tools.GetCustomizeButtonRect());
  Pump();
  EXPECT_EQ(frame->commands[ID_T_CUSTOMIZE], 1);
}

TEST_F(MenuBarPopups, EscInAPopupOpenedFromTheKeyboardLeavesTheBarSelected) {
  CMFCMenuBar* bar = frame->menuBar;
  Key(WM_SYSKEYDOWN, VK_F10);
  Key(WM_SYSKEYUP, VK_F10);
  ASSERT_TRUE(bar->IsKeyboardMode());
  bar->SendMessage(WM_KEYDOWN, VK_RIGHT, 1);
  FeedKeysWhileTracking(frame->m_hWnd, {VK_ESCAPE});
  bar->SendMessage(WM_KEYDOWN, VK_DOWN, 1);
  Pump();
  EXPECT_TRUE(bar->IsKeyboardMode());
  EXPECT_EQ(bar->GetHighlightedButton(), 1);
  bar->SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_FALSE(bar->IsKeyboardMode());
}

TEST_F(MenuBarPopups, AMenuButtonDropsItsMenuUnderItWhenTheFrameLetsIt) {
  CMFCToolBar& main = frame->mainBar;
  CRect spell;
  main.GetItemRect(main.CommandToIndex(ID_T_SPELL), &spell);
  FeedKeysWhileTracking(frame->m_hWnd, {VK_DOWN, VK_DOWN, VK_RETURN});
  ClickAt(&main, spell);
  Pump();
  // The frame was asked first; the chosen item's command then reached its handler.
  EXPECT_EQ(frame->dropDowns, 1);
  EXPECT_EQ(frame->commands[ID_T_SPELL_DE], 1);
  EXPECT_EQ(frame->commands[ID_T_SPELL_EN], 0);
  EXPECT_EQ(frame->commands[ID_T_SPELL], 0);
}

}  // namespace

// Tool bars in a real frame: buttons from TOOLBAR resources, the frame's reset handler putting
// controls in place, clicks and control notifications reaching the frame's handlers, command states
// at idle time, tool tips and prompts, moving buttons and bars.
#include <gtest/gtest.h>

#include "BarsTestFrame.h"
#include "TestSupport.h"

using namespace bars_test;

namespace {

class ToolBar : public BarsFrameTest {
 protected:
  CRect ButtonRect(CMFCToolBar& bar, UINT id) {
    CRect r;
    bar.GetItemRect(bar.CommandToIndex(id), &r);
    return r;
  }
};

TEST_F(ToolBar, LoadsTheResourceAndRegistersEveryCommandsImage) {
  // 12 entries, 3 of them separators; the reset replaced three placeholders in place.
  CMFCToolBar& bar = frame->mainBar;
  ASSERT_EQ(bar.GetCount(), 12);
  const UINT expected[] = {ID_T_OPEN, ID_T_SAVE, 0, ID_T_CUT, ID_T_COPY, 0,
                           ID_T_ZOOM, ID_T_SPELL, ID_T_SNAP, 0, ID_T_RECNUM, ID_T_NOHANDLER};
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(bar.GetItemID(i), expected[i]) << i;
    EXPECT_EQ(bar.GetButton(i)->IsSeparator() != FALSE, expected[i] == 0) << i;
  }
  // The main bar's images come first in the shared strip, the tools bar's after them; a command on
  // both keeps the first image it got.
  CCommandManager* commands = GetCmdMgr();
  EXPECT_EQ(commands->GetCmdImage(ID_T_OPEN), 0);
  EXPECT_EQ(commands->GetCmdImage(ID_T_NOHANDLER), 8);
  EXPECT_EQ(commands->GetCmdImage(ID_T_DRAW_LINE), 10);
  EXPECT_EQ(commands->GetCmdImage(ID_T_COPY), 3);
  EXPECT_EQ(commands->GetCmdImage(ID_T_UNDO), -1);
  EXPECT_EQ(CMFCToolBar::GetImages()->GetImageSize(), CSize(17, 16));
  // The main bitmap holds one image more than its bar uses: 10 + 3.
  EXPECT_EQ(CMFCToolBar::GetImages()->GetCount(), 13);
  EXPECT_EQ(frame->toolsBar.GetButton(0)->GetImage(), 10);
  // A missing or damaged resource changes nothing.
  for (UINT id : {IDR_MISSING_BAR, IDR_BROKEN_BAR}) {
    EXPECT_FALSE(frame->toolsBar.LoadToolBar(id)) << id;
    EXPECT_EQ(frame->toolsBar.GetCount(), 4) << id;
  }
  EXPECT_EQ(frame->resets.count(IDR_BROKEN_BAR), 0u);
}

TEST_F(ToolBar, TheStandardLayoutOfTheResourceLoadsToo) {
  ASSERT_TRUE(frame->toolsBar.LoadToolBar(IDR_WORD_BAR));
  ASSERT_EQ(frame->toolsBar.GetCount(), 3);
  EXPECT_EQ(frame->toolsBar.GetItemID(0), static_cast<UINT>(ID_T_OPEN));
  EXPECT_TRUE(frame->toolsBar.GetButton(1)->IsSeparator());
  EXPECT_EQ(frame->toolsBar.GetItemID(2), static_cast<UINT>(ID_T_SAVE));
  EXPECT_EQ(frame->toolsBar.GetResID(), static_cast<UINT>(IDR_WORD_BAR));
  EXPECT_EQ(frame->resets[IDR_WORD_BAR], 1);
  // It has no bitmap: its buttons have no images, and the commands keep the ones they had.
  EXPECT_EQ(frame->toolsBar.GetButton(0)->GetImage(), -1);
  EXPECT_EQ(GetCmdMgr()->GetCmdImage(ID_T_OPEN), 0);
}

TEST_F(ToolBar, TheResetHandlerPutsItsControlsInPlaceOfThePlaceholders) {
  CMFCToolBar& bar = frame->mainBar;
  EXPECT_EQ(frame->resets[IDR_MAIN_BAR], 1);
  EXPECT_EQ(frame->resets[IDR_TOOLS_BAR], 1);
  struct Kind {
    UINT id;
    CRuntimeClass* cls;
  } kinds[] = {{ID_T_ZOOM, RUNTIME_CLASS(TestComboButton)},
               {ID_T_SPELL, RUNTIME_CLASS(CMFCToolBarMenuButton)},
               {ID_T_RECNUM, RUNTIME_CLASS(TestEditButton)},
               {ID_T_OPEN, RUNTIME_CLASS(CMFCToolBarButton)}};
  for (const Kind& kind : kinds) {
    CMFCToolBarButton* button = bar.GetButton(bar.CommandToIndex(kind.id));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetRuntimeClass(), kind.cls) << kind.id;
  }
  // The controls are children of the bar, made by the derived buttons, where the buttons are.
  auto* zoom = static_cast<TestComboButton*>(bar.GetButton(bar.CommandToIndex(ID_T_ZOOM)));
  ASSERT_NE(zoom->GetComboBox(), nullptr);
  EXPECT_TRUE(zoom->GetComboBox()->IsKindOf(RUNTIME_CLASS(CComboBox)));
  EXPECT_NE(dynamic_cast<TestComboBox*>(zoom->GetComboBox()), nullptr);
  EXPECT_EQ(::GetParent(zoom->GetHwnd()), bar.m_hWnd);
  EXPECT_EQ(::GetDlgCtrlID(zoom->GetHwnd()), ID_T_ZOOM);
  EXPECT_EQ(zoom->GetComboBox()->GetCount(), 4);
  CRect control;
  ::GetWindowRect(zoom->GetHwnd(), &control);
  bar.ScreenToClient(&control);
  EXPECT_EQ(control.left, zoom->Rect().left);
  EXPECT_EQ(control.Width(), 75);
  auto* record = static_cast<TestEditButton*>(bar.GetButton(bar.CommandToIndex(ID_T_RECNUM)));
  ASSERT_NE(record->GetEditBox(), nullptr);
  EXPECT_NE(dynamic_cast<TestSubEdit*>(record->GetEditBox()), nullptr);
  // Flat edit boxes have no sunken edge.
  EXPECT_EQ(record->GetEditBox()->GetExStyle() & WS_EX_CLIENTEDGE, 0u);
}

TEST_F(ToolBar, AResetAddsTheFramesExtraButtonOnceAndRestoresTheResource) {
  CMFCToolBar& bar = frame->mainBar;
  bar.RemoveButton(bar.CommandToIndex(ID_T_CUT));
  frame->eraseShown = TRUE;
  for (int round = 1; round <= 2; ++round) {
    ASSERT_TRUE(bar.RestoreOriginalState());
    EXPECT_EQ(frame->resets[IDR_MAIN_BAR], 1 + round);
    CObList erasers;
    EXPECT_EQ(CMFCToolBar::GetCommandButtons(ID_T_ERASE, erasers), 1) << round;
    EXPECT_EQ(bar.GetCount(), 13) << round;
    EXPECT_GE(bar.CommandToIndex(ID_T_CUT), 0) << round;
  }
  // The frame's handler may be called by a posted reset as well: still one box.
  frame->PostMessage(AFX_WM_RESETTOOLBAR, IDR_MAIN_BAR, 0);
  Pump();
  EXPECT_EQ(bar.GetCount(), 13);
  auto* sizes = static_cast<TestComboButton*>(bar.GetButton(bar.CommandToIndex(ID_T_ERASE)));
  EXPECT_EQ(sizes->GetCurSel(), 2);
  EXPECT_STREQ(sizes->GetText(), L"4x4");
  frame->eraseShown = FALSE;
  frame->PostMessage(AFX_WM_RESETTOOLBAR, IDR_MAIN_BAR, 0);
  Pump();
  EXPECT_LT(bar.CommandToIndex(ID_T_ERASE), 0);
}

TEST_F(ToolBar, AClickOnAButtonRunsTheFramesHandler) {
  ClickAt(&frame->mainBar, ButtonRect(frame->mainBar, ID_T_OPEN));
  ClickAt(&frame->toolsBar, ButtonRect(frame->toolsBar, ID_T_DRAW_RECT));
  Pump();
  EXPECT_EQ(frame->commands[ID_T_OPEN], 1);
  EXPECT_EQ(frame->commands[ID_T_DRAW_RECT], 1);
  // A press released somewhere else is no click.
  const CRect open = ButtonRect(frame->mainBar, ID_T_OPEN);
  frame->mainBar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(open.CenterPoint().x, open.CenterPoint().y));
  frame->mainBar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(open.right + 40, open.CenterPoint().y));
  Pump();
  EXPECT_EQ(frame->commands[ID_T_OPEN], 1);
  EXPECT_EQ(frame->mainBar.GetButtonStyle(frame->mainBar.CommandToIndex(ID_T_OPEN)) & TBBS_PRESSED, 0u);
  // A check button turns over at each click, before its command goes out.
  const int snap = frame->mainBar.CommandToIndex(ID_T_SNAP);
  frame->mainBar.SetButtonStyle(snap, TBBS_CHECKBOX);
  for (int click = 1; click <= 2; ++click) {
    ClickAt(&frame->mainBar, ButtonRect(frame->mainBar, ID_T_SNAP));
    Pump();
    EXPECT_EQ((frame->mainBar.GetButtonStyle(snap) & TBBS_CHECKED) != 0, click == 1);
    EXPECT_EQ(frame->commands[ID_T_SNAP], click);
  }
}

TEST_F(ToolBar, IdleUpdatesEnableDisableAndCheckTheButtons) {
  CMFCToolBar& bar = frame->mainBar;
  struct Case {
    BOOL saveEnabled;
    int snapCheck;
  } cases[] = {{TRUE, 0}, {FALSE, 1}, {TRUE, 1}, {FALSE, 0}};
  for (const Case& c : cases) {
    frame->saveEnabled = c.saveEnabled;
    frame->snapCheck = c.snapCheck;
    IdleUpdate(frame);
    EXPECT_EQ((bar.GetButtonStyle(bar.CommandToIndex(ID_T_SAVE)) & TBBS_DISABLED) == 0, c.saveEnabled != FALSE);
    EXPECT_EQ((bar.GetButtonStyle(bar.CommandToIndex(ID_T_SNAP)) & TBBS_CHECKED) != 0, c.snapCheck == 1);
  }
  // Without a handler a command is disabled; a disabled button's click runs nothing.
  EXPECT_NE(bar.GetButtonStyle(bar.CommandToIndex(ID_T_NOHANDLER)) & TBBS_DISABLED, 0u);
  EXPECT_EQ(bar.GetButtonStyle(bar.CommandToIndex(ID_T_OPEN)) & TBBS_DISABLED, 0u);
  frame->saveEnabled = FALSE;
  IdleUpdate(frame);
  ClickAt(&bar, ButtonRect(bar, ID_T_SAVE));
  Pump();
  EXPECT_EQ(frame->commands[ID_T_SAVE], 0);
  // A disabled control button disables its control.
  auto* record = static_cast<TestEditButton*>(bar.GetButton(bar.CommandToIndex(ID_T_RECNUM)));
  EXPECT_TRUE(record->GetEditBox()->IsWindowEnabled());
  bar.SetButtonStyle(bar.CommandToIndex(ID_T_RECNUM), TBBS_DISABLED);
  EXPECT_FALSE(record->GetEditBox()->IsWindowEnabled());
}

TEST_F(ToolBar, APickInTheComboBoxReachesItsButtonAndTheFrame) {
  CMFCToolBar& bar = frame->mainBar;
  auto* zoom = static_cast<TestComboButton*>(bar.GetButton(bar.CommandToIndex(ID_T_ZOOM)));
  CComboBox* combo = zoom->GetComboBox();
  combo->SetCurSel(2);
  bar.SendMessage(WM_COMMAND, MAKEWPARAM(ID_T_ZOOM, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo->m_hWnd));
  Pump();
  ASSERT_FALSE(NotifyLog().empty());
  EXPECT_EQ(NotifyLog().back(), std::make_pair(static_cast<UINT>(ID_T_ZOOM), static_cast<int>(CBN_SELENDOK)));
  EXPECT_EQ(frame->commands[ID_T_ZOOM], 1);
  EXPECT_EQ(zoom->GetCurSel(), 2);
  EXPECT_STREQ(zoom->GetText(), kZoomItems[2]);
  // A selection change alone only follows the control.
  combo->SetCurSel(1);
  bar.SendMessage(WM_COMMAND, MAKEWPARAM(ID_T_ZOOM, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo->m_hWnd));
  Pump();
  EXPECT_EQ(NotifyLog().back().second, CBN_SELCHANGE);
  EXPECT_EQ(frame->commands[ID_T_ZOOM], 1);
  EXPECT_EQ(zoom->GetCurSel(), 1);
  // Selecting from the program with notification is a pick too.
  EXPECT_TRUE(zoom->SelectItem(3, TRUE));
  Pump();
  EXPECT_EQ(frame->commands[ID_T_ZOOM], 2);
  EXPECT_EQ(combo->GetCurSel(), 3);
  EXPECT_FALSE(zoom->SelectItem(4, TRUE));
}

TEST_F(ToolBar, TypedTextAndEnterInTheEditableComboSendTheCommand) {
  CMFCToolBar& bar = frame->mainBar;
  auto* zoom = static_cast<TestComboButton*>(bar.GetButton(bar.CommandToIndex(ID_T_ZOOM)));
  COMBOBOXINFO info = {sizeof(info)};
  ASSERT_TRUE(GetComboBoxInfo(zoom->GetHwnd(), &info));
  ASSERT_NE(info.hwndItem, nullptr);
  struct Case {
    const wchar_t* typed;
    int selection;
  } cases[] = {{L"130%", -1}, {L"75%", 2}};
  int sent = 0;
  for (const Case& c : cases) {
    SetWindowTextW(info.hwndItem, c.typed);
    SendMessageW(info.hwndItem, WM_KEYDOWN, VK_RETURN, 1);
    SendMessageW(info.hwndItem, WM_CHAR, VK_RETURN, 1);
    Pump();
    EXPECT_EQ(frame->commands[ID_T_ZOOM], ++sent) << c.typed;
    EXPECT_STREQ(zoom->GetText(), c.typed);
    EXPECT_EQ(zoom->GetCurSel(), c.selection) << c.typed;
  }
}

TEST_F(ToolBar, TheEditBoxTellsItsButtonOfFocusAndEnter) {
  CMFCToolBar& bar = frame->mainBar;
  auto* record = static_cast<TestEditButton*>(bar.GetButton(bar.CommandToIndex(ID_T_RECNUM)));
  CEdit* edit = record->GetEditBox();
  frame->SetActiveWindow();
  edit->SetFocus();
  frame->SetFocus();
  Pump();
  auto saw = [](int code) {
    for (const auto& entry : NotifyLog())
      if (entry.first == ID_T_RECNUM && entry.second == code) return true;
    return false;
  };
  EXPECT_TRUE(saw(EN_SETFOCUS));
  EXPECT_TRUE(saw(EN_KILLFOCUS));
  EXPECT_EQ(frame->commands[ID_T_RECNUM], 0);
  edit->SetWindowText(L"12");
  edit->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
  Pump();
  EXPECT_TRUE(saw(AFX_EN_RETURN));
  EXPECT_EQ(frame->commands[ID_T_RECNUM], 1);
  EXPECT_EQ(record->GetContents(), CString(L"12"));
}

TEST_F(ToolBar, TheFrameMayTakeAMenuButtonsClickBeforeItsMenu) {
  frame->dropDownAnswer = 1;
  CMFCToolBar& bar = frame->mainBar;
  ClickAt(&bar, ButtonRect(bar, ID_T_SPELL));
  Pump();
  EXPECT_EQ(frame->dropDowns, 1);
  EXPECT_EQ(frame->commands[ID_T_SPELL], 0);
  auto* spell = static_cast<CMFCToolBarMenuButton*>(bar.GetButton(bar.CommandToIndex(ID_T_SPELL)));
  EXPECT_FALSE(spell->IsDroppedDown());
  // The button keeps a copy of the menu it was given.
  ASSERT_EQ(spell->GetCommands().GetCount(), 2);
  EXPECT_EQ(static_cast<CMFCToolBarButton*>(spell->GetCommands().GetHead())->m_nID, static_cast<UINT>(ID_T_SPELL_EN));
}

TEST_F(ToolBar, GetCommandButtonsFindsACommandOnEveryBar) {
  CObList copies;
  ASSERT_EQ(CMFCToolBar::GetCommandButtons(ID_T_COPY, copies), 2);
  CWnd* first = static_cast<CMFCToolBarButton*>(copies.GetHead())->GetParentWnd();
  CWnd* second = static_cast<CMFCToolBarButton*>(copies.GetTail())->GetParentWnd();
  EXPECT_TRUE((first == &frame->mainBar && second == &frame->toolsBar) ||
              (first == &frame->toolsBar && second == &frame->mainBar));
  CObList none;
  EXPECT_EQ(CMFCToolBar::GetCommandButtons(ID_T_UNDO, none), 0);
  EXPECT_TRUE(none.IsEmpty());
}

// The tip is the second line of the command's string with its shortcut from the frame's
// accelerators; the first line, the prompt, is the tip's description.
TEST_F(ToolBar, TipsShowTheSecondLineOfTheCommandsStringWithItsShortcut) {
  CMFCToolBar& bar = frame->mainBar;
  HWND tip = bar.GetToolTipHwnd();
  ASSERT_NE(tip, nullptr);
  struct Case {
    UINT id;
    const wchar_t* text;
    const wchar_t* description;
  } cases[] = {{ID_T_OPEN, L"Open (Ctrl+O)", L"Open an existing document"},
               {ID_T_SNAP, L"Snap", nullptr},
               {ID_T_NOHANDLER, L"No handler", nullptr}};
  for (const Case& c : cases) {
    CString description;
    EXPECT_EQ(bar.GetButtonToolTip(bar.CommandToIndex(c.id), &description), CString(c.text));
    if (c.description) {
      EXPECT_EQ(description, CString(c.description));
    }
    wchar_t text[80] = {};
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = bar.m_hWnd;
    tool.uId = static_cast<UINT_PTR>(bar.CommandToIndex(c.id) + 1);
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, c.text);
  }
}

TEST_F(ToolBar, AHotButtonsPromptGoesToTheStatusBarAndTheIdleTextAfterIt) {
  CMFCToolBar& bar = frame->mainBar;
  const CPoint open = ButtonRect(bar, ID_T_OPEN).CenterPoint();
  bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(open.x, open.y));
  EXPECT_EQ(bar.GetHighlightedButton(), bar.CommandToIndex(ID_T_OPEN));
  EXPECT_EQ(frame->statusBar.GetPaneText(0), CString(L"Open an existing document"));
  bar.SendMessage(WM_MOUSELEAVE);
  EXPECT_EQ(bar.GetHighlightedButton(), -1);
  ASSERT_FALSE(FrameworkString(AFX_IDS_IDLEMESSAGE).IsEmpty());
  EXPECT_EQ(frame->statusBar.GetPaneText(0), FrameworkString(AFX_IDS_IDLEMESSAGE));
}

TEST_F(ToolBar, TheCustomizeChevronSendsItsCommand) {
  frame->toolsBar.EnableCustomizeButton(TRUE, ID_T_CUSTOMIZE, L"Customize...", FALSE);
  const CRect chevron = frame->toolsBar.GetCustomizeButtonRect();
  ASSERT_FALSE(chevron.IsRectEmpty());
  EXPECT_GE(chevron.left, frame->toolsBar.GetButton(3)->Rect().right);
  ClickAt(&frame->toolsBar, chevron);
  Pump();
  EXPECT_EQ(frame->commands[ID_T_CUSTOMIZE], 1);
}

TEST_F(ToolBar, ButtonsMoveWithinABarToAnotherAndOff) {
  CMFCToolBar& main = frame->mainBar;
  CMFCToolBar& tools = frame->toolsBar;
  ASSERT_TRUE(main.MoveButton(main.CommandToIndex(ID_T_OPEN), &main, 3));
  EXPECT_EQ(main.GetItemID(0), static_cast<UINT>(ID_T_SAVE));
  EXPECT_EQ(main.GetItemID(2), static_cast<UINT>(ID_T_OPEN));
  // To the other bar: a combo box arrives with its kind, items and a control of its own.
  ASSERT_TRUE(main.MoveButton(main.CommandToIndex(ID_T_ZOOM), &tools, 0));
  EXPECT_LT(main.CommandToIndex(ID_T_ZOOM), 0);
  auto* moved = tools.GetButton(0);
  ASSERT_EQ(moved->GetRuntimeClass(), RUNTIME_CLASS(TestComboButton));
  EXPECT_EQ(static_cast<TestComboButton*>(moved)->GetCount(), 4);
  EXPECT_EQ(::GetParent(moved->GetHwnd()), tools.m_hWnd);
  ASSERT_TRUE(tools.MoveButton(tools.CommandToIndex(ID_T_DRAW_LINE), nullptr, -1));
  EXPECT_LT(tools.CommandToIndex(ID_T_DRAW_LINE), 0);
}

TEST_F(ToolBar, AltDragMovesAButtonToAnotherBarWhenQuickCustomizationIsOn) {
  CMFCToolBar& main = frame->mainBar;
  CMFCToolBar& tools = frame->toolsBar;
  const CPoint from = ButtonRect(main, ID_T_CUT).CenterPoint();
  // The drop point: over the tools bar's first button, in the main bar's coordinates.
  CPoint to = ButtonRect(tools, ID_T_DRAW_LINE).CenterPoint();
  to.x -= 4;
  tools.ClientToScreen(&to);
  main.ScreenToClient(&to);
  auto drag = [&] {
    main.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    main.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    main.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    Pump();
  };
  SetKeyState(VK_MENU, true, false);
  CMFCToolBar::EnableQuickCustomization(FALSE);
  drag();
  EXPECT_GE(main.CommandToIndex(ID_T_CUT), 0);
  CMFCToolBar::EnableQuickCustomization(TRUE);
  drag();
  SetKeyState(VK_MENU, false, false);
  CMFCToolBar::EnableQuickCustomization(FALSE);
  EXPECT_LT(main.CommandToIndex(ID_T_CUT), 0);
  EXPECT_EQ(tools.GetItemID(0), static_cast<UINT>(ID_T_CUT));
  EXPECT_EQ(frame->commands[ID_T_CUT], 0);
}

TEST_F(ToolBar, TheGripperMovesTheBarWithinItsRowAndToSidesItMayTake) {
  CMFCToolBar& tools = frame->toolsBar;
  CMFCToolBar& main = frame->mainBar;
  auto drag = [](CMFCToolBar& bar, CPoint frameTarget, CFrameWnd* f) {
    const CPoint grip(3, 5);
    CPoint to = frameTarget;
    f->ClientToScreen(&to);
    bar.ScreenToClient(&to);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grip.x, grip.y));
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
  };
  // Along its row: the bar starts where the gripper was let go.
  const CRect before = frame->RectOf(&tools);
  drag(tools, CPoint(before.left + 60 + 3, before.top + 5), frame);
  EXPECT_EQ(frame->RectOf(&tools).left, before.left + 60);
  EXPECT_EQ(frame->RectOf(&tools).top, before.top);
  // To the bottom edge: the main bar may go there, the tools bar may not.
  CRect client;
  frame->GetClientRect(&client);
  const int statusTop = frame->RectOf(&frame->statusBar).top;
  drag(main, CPoint(100, statusTop - 3), frame);
  EXPECT_EQ(main.GetCurrentAlignment(), static_cast<DWORD>(CBRS_ALIGN_BOTTOM));
  EXPECT_EQ(frame->RectOf(&main).bottom, statusTop);
  drag(tools, CPoint(100, statusTop - 3), frame);
  EXPECT_EQ(tools.GetCurrentAlignment(), static_cast<DWORD>(CBRS_ALIGN_TOP));
  // To the left edge, which the tools bar may take: it stands upright there.
  drag(tools, CPoint(2, client.Height() / 2), frame);
  EXPECT_EQ(tools.GetCurrentAlignment(), static_cast<DWORD>(CBRS_ALIGN_LEFT));
  const CRect upright = frame->RectOf(&tools);
  EXPECT_GT(upright.Height(), upright.Width());
}

}  // namespace

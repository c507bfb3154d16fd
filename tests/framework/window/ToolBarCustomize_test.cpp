// The customize dialog over a real frame, modeless as programs show it: customize mode while it is
// open, the frame's menus as command categories, commands put on bars, bars shown and hidden through
// their check boxes, user tool bars made, renamed and deleted, a reset, the options the flags ask
// for, and its texts in the three languages.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "BarsTestFrame.h"
#include "DialogDriver.h"
#include "TestSupport.h"

using namespace bars_test;

namespace {

const UINT kAllFlags = AFX_CUSTOMIZE_MENU_SHADOWS | AFX_CUSTOMIZE_TEXT_LABELS | AFX_CUSTOMIZE_MENU_ANIMATIONS;

// Answers the tool-bar name prompt from another thread: types `name` and presses OK.
struct PromptAnswer {
  DWORD thread;
  std::wstring title;
  std::wstring name;
  bool answered = false;
};

BOOL CALLBACK FindPrompt(HWND window, LPARAM param) {
  PromptAnswer* answer = reinterpret_cast<PromptAnswer*>(param);
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  if (!IsWindowVisible(window) || answer->title != text) return TRUE;
  SetDlgItemTextW(window, IDC_FW_TOOLBAR_NAME, answer->name.c_str());
  SendMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
  answer->answered = true;
  return FALSE;
}

DWORD WINAPI AnswerPrompt(LPVOID param) {
  PromptAnswer* answer = static_cast<PromptAnswer*>(param);
  for (int i = 0; i < 1000 && !answer->answered; ++i) {
    EnumThreadWindows(answer->thread, FindPrompt, reinterpret_cast<LPARAM>(answer));
    if (!answer->answered) Sleep(10);
  }
  return 0;
}

// Presses `button` of `page`, whose handler asks for a tool bar's name; answers with `name`.
bool ClickAndName(HWND page, int button, const wchar_t* name) {
  PromptAnswer answer{GetCurrentThreadId(), FrameworkString(IDS_FW_TOOLBAR_NAME_TITLE).GetString(), name};
  HANDLE thread = CreateThread(nullptr, 0, AnswerPrompt, &answer, 0, nullptr);
  testing_support::Click(page, button);
  WaitForSingleObject(thread, 20000);
  CloseHandle(thread);
  return answer.answered;
}

std::vector<std::wstring> Rows(HWND page, int list) {
  std::vector<std::wstring> rows;
  for (const std::wstring& row : testing_support::ListRows(page, list)) rows.push_back(row.substr(0, row.find(L'|')));
  return rows;
}

class Customize : public BarsFrameTest {
 protected:
  void TearDown() override {
    if (dialog && IsWindow(sheet)) Close();
    AfxSetResourceLanguage(0);
    BarsFrameTest::TearDown();
  }
  void Open(UINT flags = kAllFlags, BOOL userToolbars = TRUE) {
    dialog = new CMFCToolBarsCustomizeDialog(frame, TRUE, flags);
    dialog->EnableUserDefinedToolbars(userToolbars);
    ASSERT_TRUE(dialog->Create());
    sheet = dialog->m_hWnd;
    Pump();
  }
  HWND Page(int index) {
    dialog->SetActivePage(index);
    Pump();
    return dialog->GetPage(index)->m_hWnd;
  }
  void Close() {
    SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    Pump();
    dialog = nullptr;
  }
  CMFCToolBarsCustomizeDialog* dialog = nullptr;
  HWND sheet = nullptr;
};

TEST_F(Customize, OpensInCustomizeModeWithTheFramesMenusAndClosesAgain) {
  Open();
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(frame->customizeMessages, std::vector<BOOL>{TRUE});
  EXPECT_TRUE(CMFCToolBar::IsCustomizeMode());
  EXPECT_EQ(testing_support::ControlText(sheet, IDCANCEL), std::wstring(FrameworkString(IDS_FW_CLOSE)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet, IDOK)));
  wchar_t title[64] = {};
  GetWindowTextW(sheet, title, 64);
  EXPECT_EQ(std::wstring(title), std::wstring(FrameworkString(IDS_FW_CUSTOMIZE_TITLE)));
  // The menus with commands are the categories (the pop-up of separators has none), then all.
  ASSERT_EQ(dialog->GetCategoryCount(), 4);
  const wchar_t* categories[] = {L"File", L"Edit", L"View"};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(dialog->GetCategoryName(i), CString(categories[i]));
  EXPECT_EQ(dialog->GetCategoryName(3), FrameworkString(IDS_FW_ALL_COMMANDS));
  EXPECT_EQ(dialog->GetCommandCount(1), 3);
  EXPECT_EQ(dialog->GetCommandID(1, 2), static_cast<UINT>(ID_T_UNDO));
  EXPECT_EQ(dialog->GetCommandText(0, 0), CString(L"Open"));
  EXPECT_EQ(dialog->GetCommandCount(3), 7);
  HWND commands = Page(0);
  EXPECT_EQ(SendDlgItemMessageW(commands, IDC_FW_CATEGORIES, LB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(Rows(commands, IDC_FW_COMMANDS), (std::vector<std::wstring>{L"Open", L"Save"}));
  EXPECT_EQ(testing_support::ControlText(commands, IDC_FW_DESCRIPTION), L"Open an existing document");
  EXPECT_EQ(Rows(Page(1), IDC_FW_TOOLBARS), (std::vector<std::wstring>{L"Main", L"Tools"}));
  // A click in customize mode runs no command.
  CRect open;
  frame->mainBar.GetItemRect(0, &open);
  ClickAt(&frame->mainBar, open);
  Pump();
  EXPECT_EQ(frame->commands[ID_T_OPEN], 0);
  // The user's way out: the Close button.
  testing_support::Click(sheet, IDCANCEL);
  Pump();
  dialog = nullptr;
  EXPECT_EQ(frame->customizeMessages, (std::vector<BOOL>{TRUE, FALSE}));
  EXPECT_FALSE(CMFCToolBar::IsCustomizeMode());
  EXPECT_FALSE(IsWindow(sheet));
  ClickAt(&frame->mainBar, open);
  Pump();
  EXPECT_EQ(frame->commands[ID_T_OPEN], 1);
}

TEST_F(Customize, RunsModallyOnAnObjectTheCallerKeeps) {
  CMFCToolBarsCustomizeDialog modal(frame, TRUE);
  std::vector<BOOL> seen;
  const INT_PTR result = testing_support::RunDialog(modal, [&](HWND shown) {
    seen = frame->customizeMessages;
    EXPECT_TRUE(CMFCToolBar::IsCustomizeMode());
    EXPECT_EQ(GetParent(shown), frame->m_hWnd);
    testing_support::Click(shown, IDCANCEL);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(seen, std::vector<BOOL>{TRUE});
  EXPECT_EQ(frame->customizeMessages, (std::vector<BOOL>{TRUE, FALSE}));
  EXPECT_FALSE(CMFCToolBar::IsCustomizeMode());
  EXPECT_EQ(modal.m_hWnd, nullptr);
}

TEST_F(Customize, ACheckBoxHidesAndShowsItsToolbar) {
  Open();
  HWND page = Page(1);
  HWND list = GetDlgItem(page, IDC_FW_TOOLBARS);
  EXPECT_TRUE(ListView_GetCheckState(list, 1));
  ListView_SetCheckState(list, 1, FALSE);
  EXPECT_FALSE(frame->toolsBar.IsVisible());
  EXPECT_TRUE(frame->mainBar.IsVisible());
  ListView_SetCheckState(list, 1, TRUE);
  EXPECT_TRUE(frame->toolsBar.IsVisible());
  frame->mainBar.ShowPane(FALSE, FALSE, FALSE);
  Close();
  Open();
  EXPECT_FALSE(ListView_GetCheckState(GetDlgItem(Page(1), IDC_FW_TOOLBARS), 0));
}

TEST_F(Customize, UserToolbarsAreMadeRenamedAndDeleted) {
  Open();
  HWND page = Page(1);
  EXPECT_TRUE(testing_support::Enabled(page, IDC_FW_NEW));
  EXPECT_FALSE(testing_support::Enabled(page, IDC_FW_RENAME));
  EXPECT_FALSE(testing_support::Enabled(page, IDC_FW_DELETE));
  ASSERT_TRUE(ClickAndName(page, IDC_FW_NEW, L"Mine"));
  Pump();
  CMFCToolBar* mine = frame->GetUserToolBarByIndex(0);
  ASSERT_NE(mine, nullptr);
  EXPECT_EQ(mine->GetDlgCtrlID(), AFX_IDW_USER_TOOLBAR_FIRST);
  EXPECT_EQ(Rows(page, IDC_FW_TOOLBARS), (std::vector<std::wstring>{L"Main", L"Tools", L"Mine"}));
  // The new bar is selected: it may be renamed and deleted.
  EXPECT_TRUE(testing_support::Enabled(page, IDC_FW_RENAME));
  ASSERT_TRUE(ClickAndName(page, IDC_FW_RENAME, L"Yours"));
  Pump();
  CString name;
  mine->GetWindowText(name);
  EXPECT_EQ(name, CString(L"Yours"));
  EXPECT_EQ(Rows(page, IDC_FW_TOOLBARS), (std::vector<std::wstring>{L"Main", L"Tools", L"Yours"}));
  testing_support::Click(page, IDC_FW_DELETE);
  Pump();
  EXPECT_EQ(frame->GetUserToolBarByIndex(0), nullptr);
  EXPECT_EQ(Rows(page, IDC_FW_TOOLBARS), (std::vector<std::wstring>{L"Main", L"Tools"}));
  Close();
  // Without user tool bars enabled, New is off.
  Open(kAllFlags, FALSE);
  EXPECT_FALSE(testing_support::Enabled(Page(1), IDC_FW_NEW));
}

TEST_F(Customize, ResetRestoresTheResourceAndTheFrameRebuildsItsControls) {
  frame->mainBar.RemoveButton(frame->mainBar.CommandToIndex(ID_T_CUT));
  Open();
  HWND page = Page(1);
  HWND list = GetDlgItem(page, IDC_FW_TOOLBARS);
  ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  testing_support::Click(page, IDC_FW_RESET);
  Pump();
  EXPECT_EQ(frame->resets[IDR_MAIN_BAR], 2);
  EXPECT_GE(frame->mainBar.CommandToIndex(ID_T_CUT), 0);
  EXPECT_EQ(frame->mainBar.GetButton(frame->mainBar.CommandToIndex(ID_T_ZOOM))->GetRuntimeClass(),
            RUNTIME_CLASS(TestComboButton));
}

TEST_F(Customize, CommandsGoOntoABarByTheAddButtonAndByDragging) {
  Open();
  HWND page = Page(0);
  // Edit's Undo onto the Tools bar through the button.
  SendDlgItemMessageW(page, IDC_FW_CATEGORIES, LB_SETCURSEL, 1, 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_FW_CATEGORIES, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_FW_CATEGORIES)));
  HWND list = GetDlgItem(page, IDC_FW_COMMANDS);
  ASSERT_EQ(Rows(page, IDC_FW_COMMANDS), (std::vector<std::wstring>{L"Cut", L"Copy", L"Undo"}));
  ListView_SetItemState(list, 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(testing_support::ControlText(page, IDC_FW_DESCRIPTION), L"Undo the last action");
  testing_support::SelectComboItem(page, IDC_FW_TARGET_TOOLBAR, 1);
  testing_support::Click(page, IDC_FW_ADD_TO_TOOLBAR);
  CMFCToolBar& tools = frame->toolsBar;
  ASSERT_EQ(tools.GetCount(), 5);
  EXPECT_EQ(tools.GetItemID(4), static_cast<UINT>(ID_T_UNDO));
  // No image: the button shows the command's name.
  EXPECT_EQ(tools.GetButton(4)->GetImage(), -1);
  EXPECT_EQ(tools.GetButtonText(4), CString(L"Undo"));
  // Cut dragged from the list and let go over the Main bar's first button: it goes before it.
  NMLISTVIEW drag = {};
  drag.hdr.hwndFrom = list;
  drag.hdr.idFrom = IDC_FW_COMMANDS;
  drag.hdr.code = LVN_BEGINDRAG;
  drag.iItem = 0;
  SendMessageW(page, WM_NOTIFY, IDC_FW_COMMANDS, reinterpret_cast<LPARAM>(&drag));
  CRect first;
  frame->mainBar.GetItemRect(0, &first);
  CPoint drop(first.left + 2, first.CenterPoint().y);
  frame->mainBar.ClientToScreen(&drop);
  ScreenToClient(page, &drop);
  SendMessageW(page, WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
  EXPECT_EQ(frame->mainBar.GetItemID(0), static_cast<UINT>(ID_T_CUT));
  EXPECT_EQ(frame->mainBar.GetItemID(1), static_cast<UINT>(ID_T_OPEN));
  EXPECT_EQ(frame->mainBar.GetButton(0)->GetImage(), GetCmdMgr()->GetCmdImage(ID_T_CUT));
}

TEST_F(Customize, WhileOpenButtonsAreDraggedAlongAndOffTheBars) {
  Open();
  CMFCToolBar& bar = frame->mainBar;
  auto drag = [&](UINT id, CPoint to) {
    CRect from;
    bar.GetItemRect(bar.CommandToIndex(id), &from);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.CenterPoint().x, from.CenterPoint().y));
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    Pump();
  };
  CRect copy;
  bar.GetItemRect(bar.CommandToIndex(ID_T_COPY), &copy);
  drag(ID_T_OPEN, CPoint(copy.right - 2, copy.CenterPoint().y));
  EXPECT_EQ(bar.GetItemID(0), static_cast<UINT>(ID_T_SAVE));
  EXPECT_EQ(bar.CommandToIndex(ID_T_OPEN), bar.CommandToIndex(ID_T_COPY) + 1);
  // Far below every bar: the button goes.
  drag(ID_T_SAVE, CPoint(40, 200));
  EXPECT_LT(bar.CommandToIndex(ID_T_SAVE), 0);
  EXPECT_EQ(frame->commands[ID_T_OPEN] + frame->commands[ID_T_SAVE], 0);
}

TEST_F(Customize, TheOptionsPageOffersWhatTheFlagsAsk) {
  Open(kAllFlags);
  HWND page = Page(2);
  ASSERT_NE(GetDlgItem(page, IDC_FW_MENU_SHADOWS), nullptr);
  ASSERT_NE(GetDlgItem(page, IDC_FW_MENU_ANIMATIONS), nullptr);
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet, IDHELP)));
  // Text labels on every bar of the frame, and off again.
  EXPECT_FALSE(testing_support::Checked(page, IDC_FW_TEXT_LABELS));
  for (bool labels : {true, false}) {
    testing_support::Click(page, IDC_FW_TEXT_LABELS);
    EXPECT_EQ(frame->mainBar.AreTextLabels() != FALSE, labels);
    EXPECT_EQ(frame->toolsBar.AreTextLabels() != FALSE, labels);
  }
  const BOOL shadows = CMFCMenuBar::IsMenuShadows();
  EXPECT_EQ(testing_support::Checked(page, IDC_FW_MENU_SHADOWS), shadows != FALSE);
  testing_support::Click(page, IDC_FW_MENU_SHADOWS);
  EXPECT_EQ(CMFCMenuBar::IsMenuShadows(), !shadows);
  testing_support::Click(page, IDC_FW_MENU_SHADOWS);
  EXPECT_EQ(testing_support::ComboItems(page, IDC_FW_MENU_ANIMATIONS).size(), 5u);
  testing_support::SelectComboItem(page, IDC_FW_MENU_ANIMATIONS, 4);
  EXPECT_EQ(CMFCMenuBar::GetMenuAnimation(), CMFCMenuBar::NO_ANIMATION);
  EXPECT_EQ(CMFCMenuBar::GetTrackFlags(), static_cast<UINT>(TPM_NOANIMATION));
  testing_support::SelectComboItem(page, IDC_FW_MENU_ANIMATIONS, 0);
  EXPECT_EQ(CMFCMenuBar::GetMenuAnimation(), CMFCMenuBar::SYSTEM_DEFAULT_ANIMATION);
  // Tips off: the bars drop their tool tips.
  ASSERT_NE(frame->mainBar.GetToolTipHwnd(), nullptr);
  testing_support::Click(page, IDC_FW_SHOW_TOOLTIPS);
  EXPECT_FALSE(CMFCToolBar::GetShowTooltips());
  EXPECT_EQ(frame->mainBar.GetToolTipHwnd(), nullptr);
  testing_support::Click(page, IDC_FW_SHOW_TOOLTIPS);
  EXPECT_NE(frame->mainBar.GetToolTipHwnd(), nullptr);
  Close();
  Open(AFX_CUSTOMIZE_NOHELP);
  page = Page(2);
  EXPECT_EQ(GetDlgItem(page, IDC_FW_MENU_SHADOWS), nullptr);
  EXPECT_EQ(GetDlgItem(page, IDC_FW_MENU_ANIMATIONS), nullptr);
  EXPECT_EQ(GetDlgItem(page, IDC_FW_TEXT_LABELS), nullptr);
  HWND help = GetDlgItem(sheet, IDHELP);
  EXPECT_TRUE(help == nullptr || !IsWindowVisible(help));
}

TEST_F(Customize, ItsTextsComeInTheResourceLanguage) {
  struct Language {
    int primary;
    const wchar_t* title;
    const wchar_t* close;
  } languages[] = {{LANG_GERMAN, L"Anpassen", L"Schließen"},
                   {LANG_RUSSIAN, L"Настройка", L"Закрыть"},
                   {LANG_ENGLISH, L"Customize", L"Close"}};
  for (const Language& language : languages) {
    AfxSetResourceLanguage(AfxLanguageFromPrimary(language.primary));
    Open();
    wchar_t title[64] = {};
    GetWindowTextW(sheet, title, 64);
    EXPECT_STREQ(title, language.title);
    EXPECT_EQ(testing_support::ControlText(sheet, IDCANCEL), language.close);
    Close();
  }
}

// Every language's script names the same strings.
TEST(CustomizeResources, TheThreeLanguagesDefineTheSameStrings) {
  auto ids = [](const wchar_t* file) {
    const std::string text =
        testing_support::ReadFileBytes(std::wstring(VANTRY_SOURCE_DIR) + L"/framework/resources/" + file);
    std::set<std::string> names;
    size_t at = text.find("BEGIN");
    while ((at = text.find('\n', at)) != std::string::npos) {
      const size_t start = text.find_first_not_of(" \t", at + 1);
      if (start == std::string::npos || text.compare(start, 3, "END") == 0) break;
      names.insert(text.substr(start, text.find_first_of(" \t", start) - start));
      at = start;
    }
    return names;
  };
  const std::set<std::string> english = ids(L"Bars_enu.rc");
  EXPECT_GT(english.size(), 30u);
  EXPECT_EQ(ids(L"Bars_deu.rc"), english);
  EXPECT_EQ(ids(L"Bars_rus.rc"), english);
}

}  // namespace

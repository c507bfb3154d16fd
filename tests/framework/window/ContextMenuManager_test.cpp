// The context-menu manager with real menus: menus registered by name in the UI language, pop-ups
// tracked for an owner whose update handlers set the items' states while the menu shows, commands
// sent to the owner or returned to the caller. Keys reach the tracked menu as messages in the
// thread's queue (the menu's own loop reads them); the cases named RealInput send keystrokes
// through the system's input instead and run alone.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "AppExTestIds.h"
#include "AppExTestSupport.h"

using appex_test::PumpMessages;
using appex_test::TheApp;

namespace {

// ---- An owner window with handlers, inside a frame with a handler of its own --------------------

class OwnerWnd : public CWnd {
 public:
  int options = 0, inner = 0, deleteUpdates = 0, innerUpdates = 0;
  BOOL deleteEnabled = FALSE;

 protected:
  afx_msg void OnOptions() { ++options; }
  afx_msg void OnInner() { ++inner; }
  afx_msg void OnCopy() {}
  afx_msg void OnUpdateDelete(CCmdUI* ui) {
    ++deleteUpdates;
    ui->Enable(deleteEnabled);
  }
  afx_msg void OnUpdateCopy(CCmdUI* ui) { ui->SetCheck(1); }
  afx_msg void OnUpdateInner(CCmdUI* ui) {
    ++innerUpdates;
    ui->Enable(TRUE);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OwnerWnd, CWnd)
ON_COMMAND(ID_TEST_OPTIONS, OnOptions)
ON_COMMAND(ID_TEST_INNER, OnInner)
ON_COMMAND(ID_TEST_COPY, OnCopy)
ON_UPDATE_COMMAND_UI(ID_TEST_DELETE, OnUpdateDelete)
ON_UPDATE_COMMAND_UI(ID_TEST_COPY, OnUpdateCopy)
ON_UPDATE_COMMAND_UI(ID_TEST_INNER, OnUpdateInner)
END_MESSAGE_MAP()

class OwnerFrame : public CFrameWnd {
 public:
  int frameCommands = 0;

 protected:
  afx_msg void OnFrameOnly() { ++frameCommands; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OwnerFrame, CFrameWnd)
ON_COMMAND(ID_TEST_FRAME_ONLY, OnFrameOnly)
END_MESSAGE_MAP()

// ---- Driving a tracked menu ---------------------------------------------------------------------

BOOL CALLBACK CollectMenu(HWND hwnd, LPARAM list) {
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  if (lstrcmpW(cls, L"#32768") == 0 && IsWindowVisible(hwnd)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

// The pop-up menu windows `thread` shows, the first opened first.
std::vector<HWND> VisibleMenus(DWORD thread = GetCurrentThreadId()) {
  std::vector<HWND> menus;
  EnumThreadWindows(thread, CollectMenu, reinterpret_cast<LPARAM>(&menus));
  return menus;
}

// A key as the menu loop reads it from the queue.
struct Key {
  UINT message;
  WPARAM wParam;
};
const Key kEscape = {WM_KEYDOWN, VK_ESCAPE};
Key Char(wchar_t c) { return {WM_CHAR, static_cast<WPARAM>(c)}; }

// Steps run from a thread timer while the menu tracks: round n runs once n + 1 menus are open; it
// records the states of every item shown and then posts its keys. A menu still open long after
// the last round is closed, so a failing case cannot hang.
class MenuDriver {
 public:
  explicit MenuDriver(std::vector<std::vector<Key>> rounds) : rounds_(std::move(rounds)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 20, &MenuDriver::Tick);
  }
  ~MenuDriver() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  MenuDriver(const MenuDriver&) = delete;
  MenuDriver& operator=(const MenuDriver&) = delete;

  // The state (MF_GRAYED, MF_CHECKED) each command had while shown; -1 when it never showed.
  int StateOf(UINT id) const {
    auto it = states_.find(id);
    return it == states_.end() ? -1 : static_cast<int>(it->second);
  }
  CString TextOf(UINT id) const {
    auto it = texts_.find(id);
    return it == texts_.end() ? CString() : it->second;
  }
  size_t RoundsRun() const { return done_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_) current_->Step();
  }
  void Step() {
    const std::vector<HWND> menus = VisibleMenus();
    if (menus.empty()) return;
    if (done_ < rounds_.size() && menus.size() == done_ + 1) {
      for (HWND window : menus) Record(reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0)));
      for (const Key& key : rounds_[done_]) PostMessageW(menus.front(), key.message, key.wParam, 0);
      ++done_;
      return;
    }
    if (++idle_ > 100)
      for (size_t i = 0; i < menus.size(); ++i) PostMessageW(menus.front(), WM_KEYDOWN, VK_ESCAPE, 0);
  }
  void Record(HMENU menu) {
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
      const UINT id = GetMenuItemID(menu, i);
      if (id == 0 || id == static_cast<UINT>(-1)) continue;
      states_[id] = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & (MF_GRAYED | MF_CHECKED);
      wchar_t text[64] = {};
      GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
      texts_[id] = text;
    }
  }
  static MenuDriver* current_;
  std::vector<std::vector<Key>> rounds_;
  size_t done_ = 0;
  int idle_ = 0;
  UINT_PTR timer_ = 0;
  std::map<UINT, UINT> states_;
  std::map<UINT, CString> texts_;
};
MenuDriver* MenuDriver::current_ = nullptr;

class ContextMenus : public ::testing::Test {
 protected:
  void SetUp() override {
    TheApp().InitContextMenuManager();
    manager = TheApp().GetContextMenuManager();
    frame = new OwnerFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 420, 320)));
    ASSERT_TRUE(owner.Create(AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), frame, 1));
    ASSERT_TRUE(manager->AddMenu(L"Edit", IDR_TEST_CONTEXT));
  }
  void TearDown() override {
    owner.DestroyWindow();
    if (frame) frame->DestroyWindow();
    PumpMessages();
  }
  // A fresh copy of the registered menu's pop-up, as a pane would load and pass its own.
  static HMENU OwnPopup(CMenu& holder) {
    holder.LoadMenu(IDR_TEST_CONTEXT);
    return GetSubMenu(holder.m_hMenu, 0);
  }
  CContextMenuManager* manager = nullptr;
  OwnerFrame* frame = nullptr;
  OwnerWnd owner;
};

TEST_F(ContextMenus, MenusAreKeptByNameInTheLanguageTheyWereRegisteredIn) {
  struct Case {
    LANGID language;
    const wchar_t* name;
    const wchar_t* cut;
    const wchar_t* deleteText;
  } cases[] = {
      {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), L"Edit", L"Cu&t", L"&Delete"},
      {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), L"Bearbeiten", L"&Ausschneiden", L"&L\u00f6schen"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "language " << c.language);
    appex_test::ScopedLanguage language(c.language);
    CContextMenuManager local;
    ASSERT_TRUE(local.AddMenu(IDS_TEST_CONTEXT_NAME, IDR_TEST_CONTEXT));
    UINT resId = 0;
    const HMENU menu = local.GetMenuByName(c.name, &resId);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(resId, static_cast<UINT>(IDR_TEST_CONTEXT));
    EXPECT_EQ(local.GetMenuById(IDR_TEST_CONTEXT), menu);
    const HMENU popup = GetSubMenu(menu, 0);
    wchar_t text[64] = {};
    GetMenuStringW(popup, ID_TEST_CUT, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, c.cut);
    GetMenuStringW(popup, ID_TEST_DELETE, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, c.deleteText);
    // A menu missing in the language comes in English.
    ASSERT_TRUE(local.AddMenu(L"Second", IDR_TEST_SECOND));
    GetMenuStringW(GetSubMenu(local.GetMenuByName(L"Second"), 0), ID_TEST_COPY, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"&Copy");
  }
}

TEST_F(ContextMenus, NamesAreListedInOrderAndAReusedNameReplacesItsMenu) {
  CContextMenuManager local;
  ASSERT_TRUE(local.AddMenu(L"Test menu", IDR_TEST_CONTEXT));
  ASSERT_TRUE(local.AddMenu(L"Second", IDR_TEST_SECOND));
  const HMENU first = local.GetMenuByName(L"Test menu");
  ASSERT_TRUE(local.AddMenu(L"Test menu", IDR_TEST_SECOND));
  EXPECT_FALSE(IsMenu(first)) << "the replaced menu is destroyed";
  UINT resId = 0;
  EXPECT_NE(local.GetMenuByName(L"Test menu", &resId), nullptr);
  EXPECT_EQ(resId, static_cast<UINT>(IDR_TEST_SECOND));

  CStringList names;
  local.GetMenuNames(names);
  ASSERT_EQ(names.GetCount(), 2);
  EXPECT_EQ(names.GetHead(), L"Test menu");
  EXPECT_EQ(names.GetTail(), L"Second");

  EXPECT_FALSE(local.AddMenu(L"Missing", 999)) << "no such menu resource";
  EXPECT_FALSE(local.AddMenu(L"", IDR_TEST_CONTEXT)) << "a menu needs a name";
  EXPECT_EQ(local.GetMenuByName(L"Missing"), nullptr);
  EXPECT_EQ(local.GetMenuById(999), nullptr);
}

TEST_F(ContextMenus, ShowPopupMenuUpdatesItemsThroughTheOwnerAndSendsItTheCommand) {
  MenuDriver driver({{Char(L'o')}});
  ASSERT_TRUE(manager->ShowPopupMenu(IDR_TEST_CONTEXT, 100, 100, &owner, TRUE));
  EXPECT_EQ(driver.RoundsRun(), 1u);
  // The owner's update handlers ran while the menu was up.
  EXPECT_GE(owner.deleteUpdates, 1);
  EXPECT_EQ(driver.StateOf(ID_TEST_DELETE), MF_GRAYED);
  EXPECT_EQ(driver.StateOf(ID_TEST_COPY), MF_CHECKED);
  EXPECT_EQ(driver.StateOf(ID_TEST_OPTIONS), 0);
  // Nobody on the owner's route handles Cut or the frame's command: with the owner keeping its
  // messages both are disabled.
  EXPECT_EQ(driver.StateOf(ID_TEST_CUT), MF_GRAYED);
  EXPECT_EQ(driver.StateOf(ID_TEST_FRAME_ONLY), MF_GRAYED);

  // "o" chose Options, which arrives as a command once the menu has closed.
  EXPECT_EQ(owner.options, 0);
  PumpMessages();
  EXPECT_EQ(owner.options, 1);
  // The registered menu keeps its own states.
  EXPECT_EQ(GetMenuState(GetSubMenu(manager->GetMenuByName(L"Edit"), 0), ID_TEST_DELETE, MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST_F(ContextMenus, WithoutOwnMessagesTheFramesRouteUpdatesAndReceivesTheCommand) {
  MenuDriver driver({{Char(L'f')}});
  ASSERT_TRUE(manager->ShowPopupMenu(IDR_TEST_CONTEXT, 100, 100, &owner, FALSE));
  EXPECT_EQ(driver.StateOf(ID_TEST_FRAME_ONLY), 0) << "the frame handles it";
  EXPECT_EQ(driver.StateOf(ID_TEST_CUT), MF_GRAYED) << "nobody handles it";
  EXPECT_EQ(driver.StateOf(ID_TEST_DELETE), MF_GRAYED) << "the owner's handler still decides";
  PumpMessages();
  EXPECT_EQ(frame->frameCommands, 1);
}

TEST_F(ContextMenus, CancellingShowPopupMenuSendsNothing) {
  MenuDriver driver({{kEscape}});
  ASSERT_TRUE(manager->ShowPopupMenu(IDR_TEST_CONTEXT, 100, 100, &owner, TRUE));
  PumpMessages();
  EXPECT_EQ(owner.options + owner.inner + frame->frameCommands, 0);
  EXPECT_FALSE(manager->ShowPopupMenu(IDR_TEST_SECOND, 100, 100, &owner, TRUE)) << "not registered";
}

TEST_F(ContextMenus, TrackPopupMenuReturnsTheCommandInsteadOfSendingIt) {
  CMenu holder;
  const HMENU popup = OwnPopup(holder);
  // The caller disables an item itself, as the forms pane does for one form.
  EnableMenuItem(popup, ID_TEST_OPTIONS, MF_BYCOMMAND | MF_GRAYED);
  {
    // Options is disabled: "o" chooses nothing (the menu may close or stay until Esc).
    MenuDriver driver({{Char(L'o'), kEscape}});
    EXPECT_EQ(manager->TrackPopupMenu(popup, 100, 100, &owner), 0u);
    EXPECT_EQ(driver.StateOf(ID_TEST_OPTIONS), MF_GRAYED);
    // Items nobody handles keep the state the caller gave them; update handlers still apply.
    EXPECT_EQ(driver.StateOf(ID_TEST_CUT), 0);
    EXPECT_EQ(driver.StateOf(ID_TEST_DELETE), MF_GRAYED);
    EXPECT_EQ(driver.StateOf(ID_TEST_COPY), MF_CHECKED);
  }
  owner.deleteEnabled = TRUE;
  {
    MenuDriver driver({{Char(L'd')}});
    EXPECT_EQ(manager->TrackPopupMenu(popup, 100, 100, &owner), static_cast<UINT>(ID_TEST_DELETE));
  }
  {
    // A command the owner handles is returned, not sent; the caller's menu is not destroyed.
    MenuDriver driver({{Char(L'c')}});
    EXPECT_EQ(manager->TrackPopupMenu(popup, 100, 100, &owner, TRUE), static_cast<UINT>(ID_TEST_COPY));
  }
  PumpMessages();
  EXPECT_EQ(owner.options, 0);
  EXPECT_TRUE(IsMenu(popup));
  EXPECT_EQ(manager->TrackPopupMenu(nullptr, 100, 100, &owner), 0u);
}

TEST_F(ContextMenus, ASubMenuIsUpdatedWhenItOpens) {
  CMenu holder;
  const HMENU popup = OwnPopup(holder);
  MenuDriver driver({{Char(L's')}, {Char(L'i')}});
  EXPECT_EQ(manager->TrackPopupMenu(popup, 100, 100, &owner), static_cast<UINT>(ID_TEST_INNER));
  EXPECT_EQ(driver.RoundsRun(), 2u);
  EXPECT_GE(owner.innerUpdates, 1);
  EXPECT_EQ(driver.StateOf(ID_TEST_INNER), 0);
}

// ---- Real keystrokes ----------------------------------------------------------------------------

// Types `keys` through the system's input once a menu of `thread` shows.
struct TypingThread {
  DWORD thread;
  std::vector<WORD> keys;
  static DWORD WINAPI Run(LPVOID self) {
    auto* t = static_cast<TypingThread*>(self);
    for (int i = 0; i < 250 && VisibleMenus(t->thread).empty(); ++i) Sleep(20);
    Sleep(100);
    for (WORD vk : t->keys) {
      INPUT input[2] = {};
      input[0].type = input[1].type = INPUT_KEYBOARD;
      input[0].ki.wVk = input[1].ki.wVk = vk;
      input[1].ki.dwFlags = KEYEVENTF_KEYUP;
      SendInput(2, input, sizeof(INPUT));
      Sleep(50);
    }
    return 0;
  }
};

UINT TrackWhileTyping(CContextMenuManager* manager, HMENU popup, CWnd* owner, std::vector<WORD> keys) {
  TypingThread typing{GetCurrentThreadId(), std::move(keys)};
  HANDLE thread = CreateThread(nullptr, 0, &TypingThread::Run, &typing, 0, nullptr);
  const UINT chosen = manager->TrackPopupMenu(popup, 100, 100, owner);
  WaitForSingleObject(thread, 10000);
  CloseHandle(thread);
  return chosen;
}

TEST_F(ContextMenus, RealInputChoosesByMnemonicAndEscapeCancels) {
  frame->SetForegroundWindow();
  owner.SetFocus();
  CMenu holder;
  const HMENU popup = OwnPopup(holder);
  EXPECT_EQ(TrackWhileTyping(manager, popup, &owner, {'O'}), static_cast<UINT>(ID_TEST_OPTIONS));
  EXPECT_EQ(TrackWhileTyping(manager, popup, &owner, {VK_DOWN, VK_DOWN, VK_RETURN}), static_cast<UINT>(ID_TEST_COPY));
  EXPECT_EQ(TrackWhileTyping(manager, popup, &owner, {VK_ESCAPE}), 0u);
  PumpMessages();
  EXPECT_EQ(owner.options, 0) << "the returned command is not sent";
}

}  // namespace

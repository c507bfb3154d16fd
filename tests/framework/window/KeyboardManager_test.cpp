// Shortcut texts from real accelerator tables of real frames, in English and German key names.
#include <gtest/gtest.h>

#include <vector>

#include "AppExTestIds.h"
#include "AppExTestSupport.h"

using appex_test::TheApp;

namespace {

const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const LANGID kGerman = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
const LANGID kRussian = MAKELANGID(LANG_RUSSIAN, SUBLANG_RUSSIAN_RUSSIA);

struct Shortcut {
  BYTE fVirt;
  WORD key;
  const wchar_t* english;
  const wchar_t* german;
};

// Command ids are 40000 plus the row's index.
const Shortcut kShortcuts[] = {
    {FVIRTKEY | FCONTROL, 'S', L"Ctrl+S", L"Strg+S"},
    {FVIRTKEY | FALT, VK_DELETE, L"Alt+Del", L"Alt+Entf"},
    {FVIRTKEY, VK_F3, L"F3", L"F3"},
    {FVIRTKEY | FCONTROL | FSHIFT, 'Z', L"Ctrl+Shift+Z", L"Strg+Umschalt+Z"},
    {FVIRTKEY | FSHIFT, VK_INSERT, L"Shift+Ins", L"Umschalt+Einfg"},
    {FVIRTKEY | FCONTROL | FALT, VK_HOME, L"Ctrl+Alt+Home", L"Strg+Alt+Pos1"},
    {FVIRTKEY | FCONTROL, VK_F12, L"Ctrl+F12", L"Strg+F12"},
    {FVIRTKEY, VK_NUMPAD5, L"Num 5", L"Num 5"},
    {FVIRTKEY | FCONTROL, VK_ADD, L"Ctrl+Num +", L"Strg+Num +"},
    {FVIRTKEY, VK_RETURN, L"Enter", L"Eingabe"},
    {FVIRTKEY | FSHIFT, VK_PRIOR, L"Shift+PgUp", L"Umschalt+Bild auf"},
    {FVIRTKEY | FCONTROL, '7', L"Ctrl+7", L"Strg+7"},
    {FVIRTKEY | FCONTROL, VK_OEM_COMMA, L"Ctrl+,", L"Strg+,"},
    // Character accelerators: a control character is typed with Ctrl; Alt may come with any.
    {0, 0x11, L"Ctrl+Q", L"Strg+Q"},
    {FALT, 'x', L"Alt+x", L"Alt+x"},
};
const UINT kFirstCommand = 40000;

HACCEL TableOf(const std::vector<ACCEL>& entries) {
  return CreateAcceleratorTableW(const_cast<ACCEL*>(entries.data()), static_cast<int>(entries.size()));
}

class Shortcuts : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<ACCEL> entries;
    for (size_t i = 0; i < sizeof(kShortcuts) / sizeof(kShortcuts[0]); ++i)
      entries.push_back({kShortcuts[i].fVirt, kShortcuts[i].key, static_cast<WORD>(kFirstCommand + i)});
    // A second shortcut for the first command comes later in the table and is not the one shown.
    entries.push_back({FVIRTKEY | FSHIFT, VK_F2, static_cast<WORD>(kFirstCommand)});
    main = new CFrameWnd;
    ASSERT_TRUE(main->Create(nullptr, L"Main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    main->m_hAccelTable = TableOf(entries);
    TheApp().m_pMainWnd = main;
  }
  void TearDown() override {
    TheApp().m_pMainWnd = nullptr;
    DestroyAcceleratorTable(main->m_hAccelTable);
    main->m_hAccelTable = nullptr;
    main->DestroyWindow();
  }
  CFrameWnd* main = nullptr;
};

TEST_F(Shortcuts, EachAcceleratorIsWrittenWithTheKeyNamesOfTheLanguage) {
  for (LANGID language : {kEnglish, kGerman, kRussian}) {
    appex_test::ScopedLanguage scoped(language);
    for (size_t i = 0; i < sizeof(kShortcuts) / sizeof(kShortcuts[0]); ++i) {
      const Shortcut& s = kShortcuts[i];
      SCOPED_TRACE(testing::Message() << "language " << language << ", row " << i);
      CString text(L"stale");
      ASSERT_TRUE(CKeyboardManager::FindDefaultAccelerator(static_cast<UINT>(kFirstCommand + i), text, main, TRUE));
      EXPECT_EQ(text, language == kGerman ? s.german : s.english);
    }
  }
}

TEST_F(Shortcuts, ACommandWithoutShortcutHasNoText) {
  CString text(L"stale");
  EXPECT_FALSE(CKeyboardManager::FindDefaultAccelerator(ID_TEST_OPEN, text, main, TRUE));
  EXPECT_TRUE(text.IsEmpty());
  // Without a frame the main window's table is used.
  EXPECT_TRUE(CKeyboardManager::FindDefaultAccelerator(kFirstCommand, text, nullptr, TRUE));
  EXPECT_EQ(text, L"Ctrl+S");
}

TEST_F(Shortcuts, AnotherFrameFallsBackToTheMainWindowsTableUnlessItIsTheDefault) {
  CFrameWnd* other = new CFrameWnd;
  ASSERT_TRUE(other->Create(nullptr, L"Other", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
  other->m_hAccelTable = TableOf({{FVIRTKEY | FCONTROL, 'P', static_cast<WORD>(kFirstCommand)}});
  CString text;
  EXPECT_TRUE(CKeyboardManager::FindDefaultAccelerator(kFirstCommand, text, other, FALSE));
  EXPECT_EQ(text, L"Ctrl+P") << "the frame's own table comes first";
  EXPECT_TRUE(CKeyboardManager::FindDefaultAccelerator(kFirstCommand + 2, text, other, FALSE));
  EXPECT_EQ(text, L"F3");
  EXPECT_FALSE(CKeyboardManager::FindDefaultAccelerator(kFirstCommand + 2, text, other, TRUE));
  DestroyAcceleratorTable(other->m_hAccelTable);
  other->m_hAccelTable = nullptr;
  other->DestroyWindow();
}

TEST_F(Shortcuts, AnMDIFrameUsesTheActiveDocumentsTable) {
  CMDIFrameWnd* mdi = new CMDIFrameWnd;
  ASSERT_TRUE(mdi->Create(nullptr, L"MDI", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
  ASSERT_NE(mdi->m_hWndMDIClient, nullptr);
  mdi->m_hAccelTable = TableOf({{FVIRTKEY | FCONTROL, 'N', static_cast<WORD>(kFirstCommand)}});
  CString text;
  EXPECT_TRUE(CKeyboardManager::FindDefaultAccelerator(kFirstCommand, text, mdi, TRUE));
  EXPECT_EQ(text, L"Ctrl+N");

  CMDIChildWnd* child = new CMDIChildWnd;
  ASSERT_TRUE(child->Create(nullptr, L"Document", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 150), mdi));
  child->m_hAccelTable = TableOf({{FVIRTKEY | FCONTROL, 'D', static_cast<WORD>(kFirstCommand)}});
  child->MDIActivate();
  ASSERT_EQ(mdi->MDIGetActive(), child);
  EXPECT_TRUE(CKeyboardManager::FindDefaultAccelerator(kFirstCommand, text, mdi, TRUE));
  EXPECT_EQ(text, L"Ctrl+D");
  DestroyAcceleratorTable(child->m_hAccelTable);
  child->m_hAccelTable = nullptr;
  child->MDIDestroy();
  DestroyAcceleratorTable(mdi->m_hAccelTable);
  mdi->m_hAccelTable = nullptr;
  mdi->DestroyWindow();
}

TEST_F(Shortcuts, AKeyIsHandledOnlyWithItsOwnModifiers) {
  EXPECT_TRUE(CKeyboardManager::IsKeyHandled('S', FVIRTKEY | FCONTROL, main, TRUE));
  EXPECT_FALSE(CKeyboardManager::IsKeyHandled('S', FVIRTKEY, main, TRUE));
  EXPECT_FALSE(CKeyboardManager::IsKeyHandled('S', FVIRTKEY | FCONTROL | FSHIFT, main, TRUE));
  EXPECT_TRUE(CKeyboardManager::IsKeyHandled(VK_F3, FVIRTKEY, main, TRUE));
  EXPECT_FALSE(CKeyboardManager::IsKeyHandled(VK_F4, FVIRTKEY, main, TRUE));
}

TEST(KeyboardManager, PrintableKeysTypeACharacter) {
  struct Case {
    UINT key;
    BOOL printable;
  } cases[] = {{'A', TRUE},        {'5', TRUE},       {VK_SPACE, TRUE},  {VK_NUMPAD3, TRUE}, {VK_MULTIPLY, TRUE},
               {VK_OEM_COMMA, TRUE}, {VK_F3, FALSE},   {VK_LEFT, FALSE},  {VK_DELETE, FALSE}, {VK_RETURN, FALSE},
               {VK_CONTROL, FALSE},  {VK_ESCAPE, FALSE}};
  for (const Case& c : cases) EXPECT_EQ(CKeyboardManager::IsKeyPrintable(c.key), c.printable) << "key " << c.key;
}

}  // namespace

// The feature-pack application object with the real registry: its managers and their lifetime, the
// recent-file list, values in sections and in the registry base, the application user-model id and
// cleaning the saved state.
#include <gtest/gtest.h>

#include <shobjidl.h>

#include <string>

#include "AppExTestIds.h"
#include "AppExTestSupport.h"
#include "TestSupport.h"

using appex_test::kProfilePath;
using appex_test::TheApp;

namespace {

// Reads a value straight from the registry: the test's independent view of where things landed.
bool RawValue(const std::wstring& subKey, const wchar_t* name, DWORD* type, std::wstring* text, DWORD* number) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, (std::wstring(kProfilePath) + L"\\" + subKey).c_str(), 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return false;
  BYTE data[1024] = {};
  DWORD size = sizeof(data);
  const bool found = RegQueryValueExW(key, name, nullptr, type, data, &size) == ERROR_SUCCESS;
  RegCloseKey(key);
  if (found && text && *type == REG_SZ) *text = reinterpret_cast<const wchar_t*>(data);
  if (found && number && *type == REG_DWORD) *number = *reinterpret_cast<const DWORD*>(data);
  return found;
}

bool KeyExists(const std::wstring& subKey) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, (std::wstring(kProfilePath) + L"\\" + subKey).c_str(), 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

class WinAppEx : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, kProfilePath);
    TheApp().SetRegistryBase(L"Settings");
  }
  void TearDown() override {
    TheApp().SetRegistryBase(nullptr);
    testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, kProfilePath);
  }
};

TEST_F(WinAppEx, EachManagerIsMadeOnceAndIsTheGlobalOne) {
  CWinAppEx& app = TheApp();
  ASSERT_TRUE(app.InitContextMenuManager());
  ASSERT_TRUE(app.InitKeyboardManager());
  ASSERT_TRUE(app.InitTooltipManager());
  CContextMenuManager* menus = app.GetContextMenuManager();
  CKeyboardManager* keys = app.GetKeyboardManager();
  CTooltipManager* tips = app.GetTooltipManager();
  ASSERT_NE(menus, nullptr);
  ASSERT_NE(keys, nullptr);
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(afxContextMenuManager, menus);
  EXPECT_EQ(afxKeyboardManager, keys);
  EXPECT_EQ(afxTooltipManager, tips);

  // A second round keeps the same objects, and what they hold.
  ASSERT_TRUE(menus->AddMenu(L"Kept", IDR_TEST_CONTEXT));
  EXPECT_TRUE(app.InitContextMenuManager());
  EXPECT_TRUE(app.InitKeyboardManager());
  EXPECT_TRUE(app.InitTooltipManager());
  EXPECT_EQ(app.GetContextMenuManager(), menus);
  EXPECT_EQ(app.GetKeyboardManager(), keys);
  EXPECT_EQ(app.GetTooltipManager(), tips);
  EXPECT_NE(app.GetContextMenuManager()->GetMenuByName(L"Kept"), nullptr);
}

TEST_F(WinAppEx, TheManagersGoWithTheApplicationObject) {
  TheApp().InitContextMenuManager();
  TheApp().InitTooltipManager();
  TheApp().InitKeyboardManager();
  ASSERT_TRUE(TheApp().GetContextMenuManager()->AddMenu(L"Edit", IDR_TEST_CONTEXT));
  const HMENU registered = TheApp().GetContextMenuManager()->GetMenuByName(L"Edit");
  ASSERT_TRUE(IsMenu(registered));

  appex_test::ReplaceApp();
  EXPECT_EQ(afxContextMenuManager, nullptr);
  EXPECT_EQ(afxKeyboardManager, nullptr);
  EXPECT_EQ(afxTooltipManager, nullptr);
  EXPECT_FALSE(IsMenu(registered)) << "the old manager's menus are destroyed with it";

  // Without a tool-tip manager a bar gets the plain control.
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"Parent", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
  CToolTipCtrl* tip = nullptr;
  ASSERT_TRUE(CTooltipManager::CreateToolTip(tip, &parent, AFX_TOOLTIP_TYPE_TOOLBAR));
  EXPECT_FALSE(tip->IsKindOf(RUNTIME_CLASS(CMFCToolTipCtrl)));
  CTooltipManager::DeleteToolTip(tip);

  // The new application object makes fresh managers that know nothing of the old menus.
  TheApp().SetRegistryBase(L"Settings");
  ASSERT_NE(TheApp().GetContextMenuManager(), nullptr);
  EXPECT_EQ(TheApp().GetContextMenuManager()->GetMenuByName(L"Edit"), nullptr);
  EXPECT_EQ(afxContextMenuManager, TheApp().GetContextMenuManager());
}

TEST_F(WinAppEx, AFeaturePackFrameRegistersTheContextMenusBeforeItsStateIsLoaded) {
  const int before = appex_test::TheApp().preLoads;
  CFrameWndEx* frame = new CFrameWndEx;
  ASSERT_TRUE(frame->LoadFrame(300, WS_OVERLAPPEDWINDOW));
  EXPECT_EQ(appex_test::TheApp().preLoads, before + 1);
  EXPECT_NE(TheApp().GetContextMenuManager()->GetMenuByName(L"Test menu"), nullptr);
  frame->DestroyWindow();
}

TEST_F(WinAppEx, TheRecentFileListKeepsTheSevenNewestFiles) {
  CWinAppEx& app = TheApp();
  app.LoadStdProfileSettings(7);
  ASSERT_NE(app.m_pRecentFileList, nullptr);
  for (int i = 1; i <= 9; ++i) {
    CString path;
    path.Format(L"C:\\forms\\form%d.qlm", i);
    app.AddToRecentFileList(path);
  }
  // Newest first, seven of them, in the profile's "Recent File List".
  for (int i = 1; i <= 7; ++i) {
    wchar_t entry[16], expected[64];
    wsprintfW(entry, L"File%d", i);
    wsprintfW(expected, L"C:\\forms\\form%d.qlm", 10 - i);
    DWORD type = 0;
    std::wstring text;
    ASSERT_TRUE(RawValue(L"Recent File List", entry, &type, &text, nullptr)) << i;
    EXPECT_EQ(text, expected);
  }
  DWORD type = 0;
  EXPECT_FALSE(RawValue(L"Recent File List", L"File8", &type, nullptr, nullptr));

  // The next start reads them back.
  app.LoadStdProfileSettings(7);
  ASSERT_NE(app.m_pRecentFileList, nullptr);
  EXPECT_EQ(app.m_pRecentFileList->GetSize(), 7);
  EXPECT_EQ(app.m_pRecentFileList->GetCount(), 7);
  EXPECT_EQ((*app.m_pRecentFileList)[0], L"C:\\forms\\form9.qlm");
  EXPECT_EQ((*app.m_pRecentFileList)[6], L"C:\\forms\\form3.qlm");
  app.LoadStdProfileSettings(0);
}

TEST_F(WinAppEx, BinaryValuesRoundTripInASectionAndInTheRegistryBase) {
  CWinAppEx& app = TheApp();
  BYTE block[16];
  for (int i = 0; i < 16; ++i) block[i] = static_cast<BYTE>(0xF0 - i);

  struct Case {
    const wchar_t* what;
    bool viaBase;
  } cases[] = {{L"WriteProfileBinary, read with GetBinary", false}, {L"WriteBinary, read with GetProfileBinary", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.what);
    ASSERT_TRUE(c.viaBase ? app.WriteBinary(L"PageMargin", block, sizeof(block))
                          : app.WriteProfileBinary(L"Settings", L"PageMargin", block, sizeof(block)));
    BYTE* data = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(c.viaBase ? app.GetProfileBinary(L"Settings", L"PageMargin", &data, &bytes)
                          : app.GetBinary(L"PageMargin", &data, &bytes));
    ASSERT_EQ(bytes, sizeof(block));
    EXPECT_EQ(memcmp(data, block, sizeof(block)), 0);
    delete[] data;
    DWORD type = 0;
    EXPECT_TRUE(RawValue(L"Settings", L"PageMargin", &type, nullptr, nullptr));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  }

  // A value of another type, or a missing one, is no binary value.
  ASSERT_TRUE(app.WriteString(L"PageMargin", L"not a rectangle"));
  BYTE* data = reinterpret_cast<BYTE*>(1);
  UINT bytes = 99;
  EXPECT_FALSE(app.GetBinary(L"PageMargin", &data, &bytes));
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(bytes, 0u);
  EXPECT_FALSE(app.GetProfileBinary(L"Settings", L"Missing", &data, &bytes));
}

TEST_F(WinAppEx, TheApplicationLookRoundTripsThroughEitherPairOfFunctions) {
  CWinAppEx& app = TheApp();
  // With the registry base "Settings" both pairs reach Settings\ApplicationLook.
  ASSERT_TRUE(app.WriteInt(L"ApplicationLook", 33293));
  EXPECT_EQ(app.GetProfileInt(L"Settings", L"ApplicationLook", 0), 33293u);
  ASSERT_TRUE(app.WriteProfileInt(L"Settings", L"ApplicationLook", 210));
  EXPECT_EQ(app.GetInt(L"ApplicationLook", 0), 210);
  DWORD type = 0, number = 0;
  ASSERT_TRUE(RawValue(L"Settings", L"ApplicationLook", &type, nullptr, &number));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(number, 210u);

  // With another base GetInt/WriteInt follow the base and the profile section stays apart.
  app.SetRegistryBase(L"Workspace");
  ASSERT_TRUE(app.WriteInt(L"ApplicationLook", 33298));
  EXPECT_EQ(app.GetInt(L"ApplicationLook", 0), 33298);
  EXPECT_EQ(app.GetProfileInt(L"Settings", L"ApplicationLook", 0), 210u);
  ASSERT_TRUE(RawValue(L"Workspace", L"ApplicationLook", &type, nullptr, &number));
  EXPECT_EQ(number, 33298u);
  // A missing value gives the default, and so does a damaged one (too short, or of another type).
  EXPECT_EQ(app.GetInt(L"NoSuchValue", 33293), 33293);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (std::wstring(kProfilePath) + L"\\Settings").c_str(), 0, KEY_SET_VALUE, &key),
            ERROR_SUCCESS);
  const BYTE shortValue[2] = {0x0D, 0x82};
  RegSetValueExW(key, L"ApplicationLook", 0, REG_BINARY, shortValue, sizeof(shortValue));
  EXPECT_EQ(app.GetProfileInt(L"Settings", L"ApplicationLook", 33293), 33293u);
  RegSetValueExW(key, L"ApplicationLook", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"33290"), 12);
  EXPECT_EQ(app.GetProfileInt(L"Settings", L"ApplicationLook", 33293), 33293u);
  RegCloseKey(key);
}

TEST_F(WinAppEx, SetAppIDGivesTheProcessItsApplicationUserModelID) {
  TheApp().SetAppID(L"Scrivel.AppID.NoVersion");
  EXPECT_EQ(TheApp().GetAppID(), L"Scrivel.AppID.NoVersion");
  PWSTR id = nullptr;
  const HRESULT asked = GetCurrentProcessExplicitAppUserModelID(&id);
  // Wine 8 keeps no such id: its shell answers every question about it with E_NOTIMPL.
  if (asked == E_NOTIMPL) GTEST_SKIP() << "this system does not report a process's application user-model id";
  ASSERT_EQ(asked, S_OK);
  ASSERT_NE(id, nullptr);
  EXPECT_STREQ(id, L"Scrivel.AppID.NoVersion");
  CoTaskMemFree(id);
}

TEST_F(WinAppEx, CleanStateRemovesEverythingBelowTheRegistryBaseAndNothingElse) {
  CWinAppEx& app = TheApp();
  ASSERT_TRUE(app.WriteInt(L"ApplicationLook", 33291));
  ASSERT_TRUE(app.WriteSectionInt(L"BarState", L"Version", 3));
  ASSERT_TRUE(app.WriteSectionInt(L"BarState\\Pane-59392", L"Visible", 1));
  ASSERT_TRUE(app.WriteProfileString(L"Printer", L"Device", L"Test printer"));
  ASSERT_TRUE(KeyExists(L"Settings\\BarState\\Pane-59392"));

  EXPECT_TRUE(app.CleanState());
  EXPECT_FALSE(KeyExists(L"Settings"));
  EXPECT_EQ(app.GetInt(L"ApplicationLook", -1), -1);
  DWORD type = 0;
  std::wstring text;
  ASSERT_TRUE(RawValue(L"Printer", L"Device", &type, &text, nullptr)) << "a section beside the base stays";
  EXPECT_EQ(text, L"Test printer");

  // Nothing left to clean is still a clean state; a named section goes the same way.
  EXPECT_TRUE(app.CleanState());
  EXPECT_TRUE(app.CleanState(L"Printer"));
  EXPECT_FALSE(KeyExists(L"Printer"));
}

}  // namespace

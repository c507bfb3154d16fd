// The application object as a host program has it: the registry profile (checked with the registry
// API itself) and an extension library that reaches the host's profile and keeps its own strings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Framework.h"
#include "StringResources.h"
#include "TestExtension.h"
#include "TestSupport.h"

namespace {

const wchar_t kRegistryKey[] = L"Quennick Framework Test";
const wchar_t kProfileName[] = L"Vantry";
const wchar_t kSectionPath[] = L"Software\\Quennick Framework Test\\Vantry\\Settings";

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp(L"Framework Test") {}
};
TestApp theApp;

class WinAppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, L"Software\\Quennick Framework Test");
    theApp.SetRegistryKey(kRegistryKey);
    free(const_cast<LPTSTR>(theApp.m_pszProfileName));
    theApp.m_pszProfileName = _wcsdup(kProfileName);
  }
  void TearDown() override {
    EXPECT_TRUE(testing_support::DeleteRegistryTree(HKEY_CURRENT_USER, L"Software\\Quennick Framework Test"));
  }
  // A value read straight from the registry: its type and bytes.
  static bool RawValue(const wchar_t* name, DWORD* type, std::vector<BYTE>* data) {
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kSectionPath, name, RRF_RT_ANY | RRF_NOEXPAND, type, nullptr, &size) !=
        ERROR_SUCCESS) {
      return false;
    }
    data->resize(size);
    return RegGetValueW(HKEY_CURRENT_USER, kSectionPath, name, RRF_RT_ANY | RRF_NOEXPAND, type,
                        size ? data->data() : nullptr, &size) == ERROR_SUCCESS;
  }
};

TEST_F(WinAppTest, NamesAndTheProcessWideObject) {
  EXPECT_EQ(AfxGetApp(), &theApp);
  EXPECT_STREQ(AfxGetAppName(), L"Framework Test");
  EXPECT_STREQ(theApp.m_pszExeName, L"WinApp_test");
  EXPECT_STREQ(theApp.m_pszRegistryKey, kRegistryKey);
  EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleW(nullptr));
}

TEST_F(WinAppTest, ValuesLandUnderKeyProfileAndSection) {
  ASSERT_TRUE(theApp.WriteProfileInt(L"Settings", L"Units", -3));
  ASSERT_TRUE(theApp.WriteProfileString(L"Settings", L"OpenFilePath", L"C:\\Forms\\\u0424\u043E\u0440\u043C\u044B"));
  const BYTE record[] = {0x10, 0x00, 0xFF, 0x7F, 0x01};
  ASSERT_TRUE(theApp.WriteProfileBinary(L"Settings", L"PageMargin", const_cast<BYTE*>(record), sizeof(record)));

  DWORD type = 0;
  std::vector<BYTE> data;
  ASSERT_TRUE(RawValue(L"Units", &type, &data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(data, (std::vector<BYTE>{0xFD, 0xFF, 0xFF, 0xFF}));
  ASSERT_TRUE(RawValue(L"OpenFilePath", &type, &data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_STREQ(reinterpret_cast<const wchar_t*>(data.data()), L"C:\\Forms\\\u0424\u043E\u0440\u043C\u044B");
  ASSERT_TRUE(RawValue(L"PageMargin", &type, &data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(data, std::vector<BYTE>(record, record + sizeof(record)));

  EXPECT_EQ(static_cast<int>(theApp.GetProfileInt(L"Settings", L"Units", 1)), -3);
  EXPECT_STREQ(theApp.GetProfileString(L"Settings", L"OpenFilePath"), L"C:\\Forms\\\u0424\u043E\u0440\u043C\u044B");
  BYTE* read = nullptr;
  UINT bytes = 0;
  ASSERT_TRUE(theApp.GetProfileBinary(L"Settings", L"PageMargin", &read, &bytes));
  EXPECT_EQ(std::vector<BYTE>(read, read + bytes), std::vector<BYTE>(record, record + sizeof(record)));
  delete[] read;
}

TEST_F(WinAppTest, MissingOrMistypedValuesGiveDefaults) {
  EXPECT_EQ(theApp.GetProfileInt(L"Settings", L"None", 7), 7u);
  EXPECT_STREQ(theApp.GetProfileString(L"Settings", L"None", L"dflt"), L"dflt");
  EXPECT_TRUE(theApp.GetProfileString(L"Settings", L"None").IsEmpty());
  BYTE* read = reinterpret_cast<BYTE*>(1);
  UINT bytes = 5;
  EXPECT_FALSE(theApp.GetProfileBinary(L"Settings", L"None", &read, &bytes));
  EXPECT_EQ(read, nullptr);
  EXPECT_EQ(bytes, 0u);
  // A string where a number is expected is not read as one.
  ASSERT_TRUE(theApp.WriteProfileString(L"Settings", L"Units", L"12"));
  EXPECT_EQ(theApp.GetProfileInt(L"Settings", L"Units", 1), 1u);
}

TEST_F(WinAppTest, NullValueRemovesEntryNullEntryRemovesSection) {
  ASSERT_TRUE(theApp.WriteProfileString(L"Settings", L"A", L"1"));
  ASSERT_TRUE(theApp.WriteProfileString(L"Settings", L"B", L"2"));
  ASSERT_TRUE(theApp.WriteProfileString(L"Settings", L"A", nullptr));
  DWORD type;
  std::vector<BYTE> data;
  EXPECT_FALSE(RawValue(L"A", &type, &data));
  EXPECT_TRUE(RawValue(L"B", &type, &data));
  ASSERT_TRUE(theApp.WriteProfileString(L"Settings", nullptr, nullptr));
  HKEY section = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kSectionPath, 0, KEY_READ, &section), ERROR_FILE_NOT_FOUND);
}

// The host loads the library, as Orvello loads the fill-form library.
class ExtensionTest : public WinAppTest {
 protected:
  void SetUp() override {
    WinAppTest::SetUp();
    library_ = LoadLibraryW((testing_support::ProgramFolder() + L"\\FrameworkTestExtension.dll").c_str());
    ASSERT_NE(library_, nullptr);
    readProfile_ = reinterpret_cast<ReadHostProfileFn>(GetProcAddress(library_, "ReadHostProfile"));
    loadString_ = reinterpret_cast<LoadLibraryStringFn>(GetProcAddress(library_, "LoadLibraryString"));
    ASSERT_NE(readProfile_, nullptr);
    ASSERT_NE(loadString_, nullptr);
  }
  void TearDown() override {
    if (library_) FreeLibrary(library_);
    WinAppTest::TearDown();
  }
  std::wstring LibraryString(UINT id) {
    wchar_t text[256] = L"";
    return loadString_(id, text, 256) ? text : L"<none>";
  }
  HMODULE library_ = nullptr;
  ReadHostProfileFn readProfile_ = nullptr;
  LoadLibraryStringFn loadString_ = nullptr;
};

TEST_F(ExtensionTest, LibraryReadsTheHostsProfile) {
  ASSERT_TRUE(theApp.WriteProfileString(L"Settings", L"Shared", L"from the host"));
  wchar_t text[64] = L"";
  ASSERT_TRUE(readProfile_(text, 64));
  EXPECT_STREQ(text, L"from the host");
}

TEST_F(ExtensionTest, EachModuleFindsItsOwnStringsFirst) {
  // Same id in both modules: each side gets its own text.
  EXPECT_EQ(LibraryString(IDS_TEST_SHARED), L"Library text");
  CString host;
  ASSERT_TRUE(host.LoadString(IDS_TEST_SHARED));
  EXPECT_STREQ(host, L"Host text");
  // Ids only one module has are found from the other side too.
  EXPECT_EQ(LibraryString(IDS_TEST_GREETING), L"Hello from the test program");
  ASSERT_TRUE(host.LoadString(IDS_TEST_LIBRARY_ONLY));
  EXPECT_STREQ(host, L"Only in the library");
}

TEST_F(ExtensionTest, LibrarySeesTheHostsResourceHandleAndItsOwnModule) {
  auto modules = reinterpret_cast<LibraryModulesFn>(GetProcAddress(library_, "LibraryModules"));
  ASSERT_NE(modules, nullptr);
  HINSTANCE resources = nullptr, own = nullptr;
  modules(&resources, &own);
  EXPECT_EQ(resources, GetModuleHandleW(nullptr));
  EXPECT_EQ(own, library_);
}

TEST_F(ExtensionTest, UnloadedLibraryIsNoLongerSearched) {
  FreeLibrary(library_);
  library_ = nullptr;
  CString host(L"unchanged");
  EXPECT_FALSE(host.LoadString(IDS_TEST_LIBRARY_ONLY));
  EXPECT_STREQ(host, L"unchanged");
}

}  // namespace

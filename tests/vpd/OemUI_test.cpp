// The plug-in as the print system meets it: Drovemark.dll loaded by path in a 64-bit host, its
// class factory, the plug-in object's slots, its private device-mode part and its sheet reasons.
#include <gtest/gtest.h>

#include <cstring>

#include "PluginHost.h"
#include "VpdTestSupport.h"

namespace {

const CLSID kPluginClass = {0xABCE80D7, 0x9F46, 0x11D1, {0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};

// A driver object that publishes IPrintOemDriverUI, or refuses to.
class FakeDriver : public IUnknown {
 public:
  explicit FakeDriver(bool publishes) : publishes_(publishes) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    ++queries;
    if (publishes_ && IsEqualIID(iid, IID_IPrintOemDriverUI)) {
      *object = this;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  ULONG references = 1;
  int queries = 0;

 private:
  bool publishes_;
};

class OemPlugin : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(sizeof(void*), 8u) << "the print system that loads the plug-in is 64-bit";
    ASSERT_TRUE(host.loaded());
  }
  vpd_test::VantryState state;
  vpd_test::PluginHost host;
};

TEST_F(OemPlugin, FactoryLivesOnlyThroughTheReferencesItHandsOut) {
  EXPECT_EQ(host.canUnloadNow(), S_OK);
  // An interface the factory does not have: nothing stays alive.
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(host.getClassObject(kPluginClass, IID_IPrintOemUI2, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(host.canUnloadNow(), S_OK);

  IClassFactory* factory = nullptr;
  ASSERT_EQ(host.getClassObject(kPluginClass, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  EXPECT_EQ(host.canUnloadNow(), S_FALSE);
  IUnknown* unknown = nullptr;
  EXPECT_EQ(factory->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  EXPECT_EQ(unknown->Release(), 1u);
  object = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->QueryInterface(IID_IPrintOemUI2, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);

  // The server lock alone keeps the module.
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  EXPECT_EQ(factory->Release(), 0u);
  EXPECT_EQ(host.canUnloadNow(), S_FALSE);
  ASSERT_EQ(host.getClassObject(kPluginClass, IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  unknown->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&factory));
  unknown->Release();
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  EXPECT_EQ(host.canUnloadNow(), S_FALSE);  // the factory is still held
  EXPECT_EQ(factory->Release(), 0u);
  EXPECT_EQ(host.canUnloadNow(), S_OK);
}

TEST_F(OemPlugin, CreateInstanceRefusesBeforeMakingAnything) {
  IClassFactory* factory = nullptr;
  ASSERT_EQ(host.getClassObject(kPluginClass, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  FakeDriver outer(false);  // any outer object at all
  struct Case {
    IUnknown* outer;
    const IID* iid;
    HRESULT expected;
  };
  const Case cases[] = {
      {reinterpret_cast<IUnknown*>(&outer), &IID_IUnknown, CLASS_E_NOAGGREGATION},
      {reinterpret_cast<IUnknown*>(&outer), &IID_IPrintOemUI2, CLASS_E_NOAGGREGATION},
      {nullptr, &IID_IPrintOemUI, E_NOINTERFACE},
      {nullptr, &IID_IClassFactory, E_NOINTERFACE},
  };
  for (const Case& c : cases) {
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(c.outer, *c.iid, &object), c.expected);
    EXPECT_EQ(object, nullptr);
  }
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);
  EXPECT_EQ(factory->Release(), 0u);
  EXPECT_EQ(host.canUnloadNow(), S_OK);  // no plug-in object was left behind
}

TEST_F(OemPlugin, ReferenceCountingDecidesTheObjectsLife) {
  IPrintOemUI2* plugin = host.create();
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(host.canUnloadNow(), S_FALSE);  // the factory is gone, the object lives
  EXPECT_EQ(plugin->AddRef(), 2u);
  IUnknown* unknown = nullptr;
  ASSERT_EQ(plugin->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  EXPECT_EQ(unknown->Release(), 2u);
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(plugin->QueryInterface(IID_IPrintOemUI, &object), E_NOINTERFACE);  // the base is not served
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(plugin->QueryInterface(IID_IClassFactory, &object), E_NOINTERFACE);
  EXPECT_EQ(plugin->Release(), 1u);
  EXPECT_EQ(host.canUnloadNow(), S_FALSE);
  EXPECT_EQ(plugin->Release(), 0u);
  EXPECT_EQ(host.canUnloadNow(), S_OK);
}

// Calls a slot of the object's vtable by its number, as the driver does, with up to eight
// arguments (surplus ones are ignored by the callee on x64).
HRESULT callSlot(IPrintOemUI2* plugin, int slot, ULONG_PTR a = 0, ULONG_PTR b = 0, ULONG_PTR c = 0,
                 ULONG_PTR d = 0) {
  typedef HRESULT(STDMETHODCALLTYPE * Slot)(void*, ULONG_PTR, ULONG_PTR, ULONG_PTR, ULONG_PTR, ULONG_PTR,
                                            ULONG_PTR, ULONG_PTR, ULONG_PTR);
  void** table = *reinterpret_cast<void***>(plugin);
  return reinterpret_cast<Slot>(table[slot])(plugin, a, b, c, d, 0, 0, 0, 0);
}

TEST_F(OemPlugin, EverySlotAnswersInItsPlace) {
  IPrintOemUI2* plugin = host.create();
  ASSERT_NE(plugin, nullptr);
  struct Case {
    int slot;
    ULONG_PTR argument;
    HRESULT expected;
  };
  const Case cases[] = {
      {6, 0, S_OK},        {8, 0, S_OK},        {9, 0, E_NOTIMPL},  {10, 0, E_NOTIMPL},
      {11, 0, E_NOTIMPL},  {12, 0, E_NOTIMPL},  {13, 0, E_NOTIMPL}, {14, 0, E_NOTIMPL},
      {15, 0, E_NOTIMPL},  {16, 0, E_NOTIMPL},  {17, 0, E_NOTIMPL}, {18, 1, S_OK},
      {18, 2, S_OK},       {18, 0, E_NOTIMPL},  {18, 3, E_NOTIMPL}, {19, 0, E_NOTIMPL},
  };
  for (const Case& c : cases)
    EXPECT_EQ(callSlot(plugin, c.slot, c.argument), c.expected) << "slot " << c.slot << " with " << c.argument;

  // Slot 3 is GetInfo, slot 4 DevMode.
  DWORD answer = 0, needed = 0;
  EXPECT_EQ(callSlot(plugin, 3, OEMGI_GETSIGNATURE, reinterpret_cast<ULONG_PTR>(&answer), sizeof(answer),
                     reinterpret_cast<ULONG_PTR>(&needed)),
            S_OK);
  EXPECT_EQ(answer, 0x55495250u);
  OEMDMPARAM param = {};
  param.cbSize = sizeof(param);
  EXPECT_EQ(callSlot(plugin, 4, OEMDM_SIZE, reinterpret_cast<ULONG_PTR>(&param)), S_OK);
  EXPECT_EQ(param.cbBufSize, 12u);
  EXPECT_EQ(plugin->Release(), 0u);
}

TEST_F(OemPlugin, GetInfoAnswersThreeModesInFourBytes) {
  IPrintOemUI2* plugin = host.create();
  ASSERT_NE(plugin, nullptr);
  struct Case {
    DWORD mode;
    HRESULT expected;
    DWORD answer;
    DWORD error;
  };
  const Case cases[] = {
      {OEMGI_GETSIGNATURE, S_OK, 0x55495250, 0},  // "PRIU"
      {OEMGI_GETVERSION, S_OK, 1, 0},
      {OEMGI_GETREQUESTEDHELPERINTERFACES, S_OK, OEMPUBLISH_IPRINTCOREHELPER, 0},
      {OEMGI_GETINTERFACEVERSION, E_FAIL, 0, ERROR_INVALID_PARAMETER},
      {OEMGI_GETPUBLISHERINFO, E_FAIL, 0, ERROR_INVALID_PARAMETER},
      {0, E_FAIL, 0, ERROR_INVALID_PARAMETER},
  };
  for (const Case& c : cases) {
    DWORD answer = 0, needed = 0;
    SetLastError(0);
    EXPECT_EQ(plugin->GetInfo(c.mode, &answer, sizeof(answer), &needed), c.expected) << c.mode;
    EXPECT_EQ(answer, c.answer) << c.mode;
    if (c.expected != S_OK) {
      EXPECT_EQ(GetLastError(), c.error) << c.mode;
    }
  }

  BYTE small[3] = {};
  DWORD needed = 0;
  SetLastError(0);
  EXPECT_EQ(plugin->GetInfo(OEMGI_GETSIGNATURE, small, sizeof(small), &needed), E_FAIL);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(needed, 4u);
  needed = 0;
  EXPECT_EQ(plugin->GetInfo(OEMGI_GETVERSION, nullptr, 4, &needed), E_FAIL);
  EXPECT_EQ(needed, 4u);
  DWORD answer = 0;
  SetLastError(0);
  EXPECT_EQ(plugin->GetInfo(OEMGI_GETVERSION, &answer, sizeof(answer), nullptr), E_FAIL);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  plugin->Release();
}

// The private part as the driver stores it, byte by byte:
//   00: 0C 00 00 00   dwSize 12
//   04: 50 52 49 55   dwSignature "PRIU"
//   08: 01 00 00 00   dwVersion 1
const BYTE kDefaultPart[12] = {0x0C, 0, 0, 0, 'P', 'R', 'I', 'U', 0x01, 0, 0, 0};

// A private part in a buffer with guard bytes behind it, to see any write past its 12 bytes.
struct GuardedPart {
  BYTE bytes[12];
  BYTE guard[52];
  GuardedPart() {
    std::memset(bytes, 0xEE, sizeof(bytes));
    std::memset(guard, 0xAB, sizeof(guard));
  }
  void set(DWORD size, const char* signature, DWORD version) {
    std::memcpy(bytes, &size, 4);
    std::memcpy(bytes + 4, signature, 4);
    std::memcpy(bytes + 8, &version, 4);
  }
  bool guardIntact() const {
    for (BYTE b : guard)
      if (b != 0xAB) return false;
    return true;
  }
};

TEST_F(OemPlugin, DevModeKeepsAPrivatePartOfOnlyItsHeader) {
  IPrintOemUI2* plugin = host.create();
  ASSERT_NE(plugin, nullptr);
  OEMDMPARAM param = {};
  param.cbSize = sizeof(param);
  ASSERT_EQ(plugin->DevMode(OEMDM_SIZE, &param), S_OK);
  EXPECT_EQ(param.cbBufSize, 12u);

  GuardedPart out;
  param.pOEMDMOut = out.bytes;
  ASSERT_EQ(plugin->DevMode(OEMDM_DEFAULT, &param), S_OK);
  EXPECT_EQ(0, std::memcmp(out.bytes, kDefaultPart, 12));
  EXPECT_TRUE(out.guardIntact());

  struct Case {
    const char* what;
    DWORD inSize;
    const char* inSignature;
    DWORD inVersion;
    const char* outSignature;
    DWORD mode;
    BYTE expected[12];
  };
  const Case cases[] = {
      // Same signature: the input is taken, then size and version are made current.
      {"same signature", 12, "ABCD", 7, "ABCD", OEMDM_CONVERT, {0x0C, 0, 0, 0, 'A', 'B', 'C', 'D', 1, 0, 0, 0}},
      // Another signature: the output becomes a part of this plug-in.
      {"other signature", 12, "ABCD", 7, "WXYZ", OEMDM_CONVERT, {0x0C, 0, 0, 0, 'P', 'R', 'I', 'U', 1, 0, 0, 0}},
      // A part from elsewhere claiming 64 KB is copied no further than the header.
      {"oversized input", 0x10000, "PRIU", 9, "PRIU", OEMDM_CONVERT, {0x0C, 0, 0, 0, 'P', 'R', 'I', 'U', 1, 0, 0, 0}},
      // A part claiming less than a header is not taken for one.
      {"undersized input", 4, "ABCD", 7, "ABCD", OEMDM_CONVERT, {0x0C, 0, 0, 0, 'P', 'R', 'I', 'U', 1, 0, 0, 0}},
      // Merging always ends with the default part.
      {"merge", 12, "ABCD", 7, "ABCD", OEMDM_MERGE, {0x0C, 0, 0, 0, 'P', 'R', 'I', 'U', 1, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    GuardedPart in, target;
    in.set(c.inSize, c.inSignature, c.inVersion);
    target.set(c.inSize, c.outSignature, 3);  // the driver sizes both alike
    param.pOEMDMIn = in.bytes;
    param.pOEMDMOut = target.bytes;
    ASSERT_EQ(plugin->DevMode(c.mode, &param), S_OK) << c.what;
    EXPECT_EQ(0, std::memcmp(target.bytes, c.expected, 12)) << c.what;
    EXPECT_TRUE(target.guardIntact()) << c.what;
  }

  // With one part missing a conversion does nothing.
  GuardedPart untouched;
  untouched.set(12, "ABCD", 7);
  const GuardedPart before = untouched;
  param.pOEMDMIn = nullptr;
  param.pOEMDMOut = untouched.bytes;
  ASSERT_EQ(plugin->DevMode(OEMDM_CONVERT, &param), S_OK);
  EXPECT_EQ(0, std::memcmp(untouched.bytes, before.bytes, 12));
  plugin->Release();
}

TEST_F(OemPlugin, DevModeRejectsWhatItCannotServe) {
  IPrintOemUI2* plugin = host.create();
  ASSERT_NE(plugin, nullptr);
  OEMDMPARAM param = {};
  param.cbSize = sizeof(param);
  for (DWORD mode : {0u, 5u}) {
    SetLastError(0);
    EXPECT_EQ(plugin->DevMode(mode, &param), E_FAIL) << mode;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  }
  SetLastError(0);
  EXPECT_EQ(plugin->DevMode(OEMDM_SIZE, nullptr), E_FAIL);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  // A default part needs somewhere to go.
  EXPECT_EQ(plugin->DevMode(OEMDM_DEFAULT, &param), E_FAIL);
  plugin->Release();
}

TEST_F(OemPlugin, TheFirstPublishedDriverInterfaceIsKeptUntilTheEnd) {
  IPrintOemUI2* plugin = host.create();
  ASSERT_NE(plugin, nullptr);
  FakeDriver refusing(false), first(true), second(true);
  EXPECT_EQ(plugin->PublishDriverInterface(&refusing), E_FAIL);
  EXPECT_EQ(refusing.references, 1u);
  EXPECT_EQ(plugin->PublishDriverInterface(&first), S_OK);
  EXPECT_EQ(first.references, 2u);
  EXPECT_EQ(plugin->PublishDriverInterface(&second), S_OK);
  EXPECT_EQ(second.queries, 0);
  EXPECT_EQ(second.references, 1u);
  EXPECT_EQ(plugin->Release(), 0u);
  EXPECT_EQ(first.references, 1u);  // released with the plug-in object
}

TEST_F(OemPlugin, DocumentPropertySheetsAnswersEveryReason) {
  IPrintOemUI2* plugin = host.create();
  ASSERT_NE(plugin, nullptr);
  PROPSHEETUI_INFO info = {};
  info.cbSize = sizeof(info);
  info.Version = PROPSHEETUI_INFO_VERSION;

  PROPSHEETUI_INFO_HEADER header = {};
  header.cbSize = sizeof(header);
  info.Reason = PROPSHEETUI_REASON_GET_INFO_HEADER;
  ASSERT_EQ(plugin->DocumentPropertySheets(&info, reinterpret_cast<LPARAM>(&header)), S_OK);
  EXPECT_EQ(info.Result, 1u);
  ASSERT_NE(header.pTitle, nullptr);
  EXPECT_STREQ(header.pTitle, L"Drovemark Page");

  SETRESULT_INFO result = {};
  result.cbSize = sizeof(result);
  result.Result = 42;
  info.Reason = PROPSHEETUI_REASON_SET_RESULT;
  ASSERT_EQ(plugin->DocumentPropertySheets(&info, reinterpret_cast<LPARAM>(&result)), S_OK);
  EXPECT_EQ(info.Result, 42u);

  struct Case {
    WORD reason;
    ULONG_PTR expected;
  };
  for (const Case& c : {Case{PROPSHEETUI_REASON_ERROR, 0}, Case{PROPSHEETUI_REASON_DESTROY, 1}, Case{9, 1}}) {
    info.Reason = c.reason;
    info.Result = 77;
    ASSERT_EQ(plugin->DocumentPropertySheets(&info, 0), S_OK);
    EXPECT_EQ(info.Result, c.expected) << "reason " << c.reason;
  }

  info.Version = 0x0200;
  SetLastError(0);
  EXPECT_EQ(plugin->DocumentPropertySheets(&info, 0), E_FAIL);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(plugin->DocumentPropertySheets(nullptr, 0), E_FAIL);
  plugin->Release();
}

}  // namespace

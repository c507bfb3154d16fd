// The plug-in DLL loads by path into a 64-bit host and answers both COM entry points.
#include <gtest/gtest.h>
#include <objbase.h>

#include "TestSupport.h"

namespace {

typedef HRESULT(STDAPICALLTYPE* GetClassObjectFn)(REFCLSID, REFIID, LPVOID*);
typedef HRESULT(STDAPICALLTYPE* CanUnloadNowFn)();

TEST(DrovemarkExports, LoadsByPathAndAnswersBothEntryPoints) {
  ASSERT_EQ(sizeof(void*), 8u) << "the plug-in is tested from a 64-bit host";
  HMODULE dll = LoadLibraryW((testing_support::ProgramFolder() + L"\\Drovemark.dll").c_str());
  ASSERT_NE(dll, nullptr);
  auto getClassObject =
      reinterpret_cast<GetClassObjectFn>(GetProcAddress(dll, "DllGetClassObject"));
  auto canUnloadNow = reinterpret_cast<CanUnloadNowFn>(GetProcAddress(dll, "DllCanUnloadNow"));
  ASSERT_NE(getClassObject, nullptr);
  ASSERT_NE(canUnloadNow, nullptr);

  // An unknown class is refused and the out pointer cleared.
  const CLSID unknown = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(getClassObject(unknown, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(getClassObject(unknown, IID_IClassFactory, nullptr), E_POINTER);
  EXPECT_EQ(canUnloadNow(), S_OK);
  FreeLibrary(dll);
}

}  // namespace

// Helpers of the document tests: a private user profile with recorded message boxes, documents
// loaded from and saved to real files, fixtures by name, and a small overlay-object kind of the
// tests' own that the document reads and writes through its object services.
#pragma once
#include "Framework.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ArchiveFixtures.h"
#include "DocObjects.h"
#include "FolimarDoc.h"
#include "MyProcs.h"
#include "TestSupport.h"

namespace doctest {

// Result of a load: kLoaded, or the cause of the archive exception, or kOtherException.
enum { kLoaded = -1, kOtherException = -2, kNoFile = -3 };

std::string Fixture(const std::wstring& name);  // bytes of data/document/<name>
int LoadFile(CFolimarDoc& doc, const std::wstring& path);
// Writes the bytes to `path` and loads them into a new document kept in `doc`.
int LoadBytes(CFolimarDoc& doc, const std::wstring& path, const std::string& bytes);

// A test object: file kinds 1 (a field object) and 3 (a shape). Its record: int32 length 8, then
// int32 page index and int32 value; the document reads the length itself.
struct TestObject {
  int kind = 0;
  int page = 0;
  int value = 0;
  CString name;
  BOOL deleted = FALSE;
  BOOL failStore = FALSE;
};
extern int g_liveTestObjects;

// A command that sets a test object's value and can take it back.
class SetValue : public Command {
 public:
  SetValue(TestObject* object, int value) : Command(nullptr, nullptr), object_(object), value_(value) {}
  bool Execute() override {
    old_ = object_->value;
    object_->value = value_;
    return true;
  }
  bool Unexecute() override {
    object_->value = old_;
    return true;
  }

 private:
  TestObject* object_;
  int value_, old_ = 0;
};
TestObject* AsTest(CTranspBaseClass* object);
CTranspBaseClass* AsObject(TestObject* object);
CTranspBaseClass* NewTestObject(int kind, int page, int value, LPCWSTR name);
// Record bytes as the test kind writes them behind the tag, and the name behind them.
std::string TestObjectRecord(int tag, int page, int value, const std::wstring& name, bool withName = true);
std::string Int32(int32_t value);

class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::wstring Path(const std::wstring& name) const { return folder_.File(name); }

  fixtures::PrivateUserProfile profile_;
  testing_support::TempFolder folder_;
  const DOC_OBJECT_SERVICES* previousServices_ = nullptr;
  MessageBoxPresenter previousBox_ = nullptr;
};

// A document test with the program's own object services and every kind the program registers,
// objects named "Generated" when the file gives them no name.
class ProgramKindsDocumentTest : public DocumentTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Saves the document under `name` in the test's folder and returns the file's bytes.
  std::string Save(CFolimarDoc& doc, const std::wstring& name);
};
// The page's objects in their list order.
std::vector<CTranspBaseClass*> PageObjects(CPageInfo* page);

// Texts of the message boxes shown since the test began.
std::vector<std::wstring>& ShownMessages();

}  // namespace doctest

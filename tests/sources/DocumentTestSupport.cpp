#include "DocumentTestSupport.h"

#include "ObjectKinds.h"

namespace doctest {

int g_liveTestObjects = 0;

namespace {

std::vector<std::wstring> g_messages;

int RecordBox(LPCTSTR text, UINT) {
  g_messages.push_back(text ? text : L"");
  return IDOK;
}

int g_nameCounter = 0;

CTranspBaseClass* Create(int kindTag, CFolimarDoc*) {
  if (kindTag != 1 && kindTag != 3) return nullptr;
  TestObject* object = new TestObject;
  object->kind = kindTag;
  ++g_liveTestObjects;
  return AsObject(object);
}
void Destroy(CTranspBaseClass* object) {
  --g_liveTestObjects;
  delete AsTest(object);
}
int KindTag(const CTranspBaseClass* object) { return AsTest(const_cast<CTranspBaseClass*>(object))->kind; }
void Serialize(CTranspBaseClass* object, CArchive& ar) {
  TestObject* test = AsTest(object);
  if (ar.IsStoring()) {
    if (test->failStore) AfxThrowArchiveException(CFolimarDoc::kSilentFailure);
    ar << int32_t(8) << int32_t(test->page) << int32_t(test->value);
  } else {
    int32_t page = 0, value = 0;
    ar >> page >> value;
    test->page = page;
    test->value = value;
  }
}
BOOL IsDeleted(const CTranspBaseClass* object) { return AsTest(const_cast<CTranspBaseClass*>(object))->deleted; }
CString GetName(const CTranspBaseClass* object) { return AsTest(const_cast<CTranspBaseClass*>(object))->name; }
void SetName(CTranspBaseClass* object, const CString& name) { AsTest(object)->name = name; }
int GetPageIndex(const CTranspBaseClass* object) { return AsTest(const_cast<CTranspBaseClass*>(object))->page; }
BOOL HasField(const CTranspBaseClass* object) { return AsTest(const_cast<CTranspBaseClass*>(object))->kind == 1; }
CTranspBaseClass* Copy(CTranspBaseClass* object, CFolimarDoc*, int pageIndex) {
  const TestObject* source = AsTest(object);
  if (source->failStore) return nullptr;  // a broken object copies as badly as it saves
  CTranspBaseClass* copy = NewTestObject(source->kind, pageIndex, source->value, L"Untitled");
  return copy;
}
CString UniqueName(CFolimarDoc*, const CTranspBaseClass*) {
  CString name;
  name.Format(L"Generated%d", ++g_nameCounter);
  return name;
}

// The test kind is no overlay object: the document keeps its columns but moves no values.
CTranspBaseClass* Overlay(CTranspBaseClass*) { return nullptr; }

const DOC_OBJECT_SERVICES kServices = {Create,  Destroy,      KindTag,  Serialize, IsDeleted,  GetName,
                                       SetName, GetPageIndex, HasField, Copy,      UniqueName, Overlay};

}  // namespace

std::vector<std::wstring>& ShownMessages() { return g_messages; }

TestObject* AsTest(CTranspBaseClass* object) { return reinterpret_cast<TestObject*>(object); }
CTranspBaseClass* AsObject(TestObject* object) { return reinterpret_cast<CTranspBaseClass*>(object); }

CTranspBaseClass* NewTestObject(int kind, int page, int value, LPCWSTR name) {
  CTranspBaseClass* object = Create(kind, nullptr);
  AsTest(object)->page = page;
  AsTest(object)->value = value;
  AsTest(object)->name = name;
  return object;
}

std::string Int32(int32_t value) { return std::string(reinterpret_cast<const char*>(&value), 4); }

std::string TestObjectRecord(int tag, int page, int value, const std::wstring& name, bool withName) {
  std::string bytes = Int32(tag) + Int32(8) + Int32(page) + Int32(value);
  if (withName) {
    bytes += Int32(static_cast<int32_t>(2 * (name.size() + 1)));
    bytes.append(reinterpret_cast<const char*>(name.c_str()), 2 * name.size());
    bytes.append(2, '\0');
  }
  return bytes;
}

std::string Fixture(const std::wstring& name) {
  return fixtures::ReadHexFixture(std::wstring(VANTRY_TEST_DATA_DIR) + L"/document/" + name);
}

int LoadFile(CFolimarDoc& doc, const std::wstring& path) {
  CFile file;
  if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite)) return kNoFile;
  try {
    CArchive ar(&file, CArchive::load);
    doc.Serialize(ar);
    ar.Close();
    return kLoaded;
  } catch (CArchiveException* e) {
    const int cause = e->m_cause;
    e->Delete();
    return cause;
  } catch (CException* e) {
    e->Delete();
    return kOtherException;
  }
}

int LoadBytes(CFolimarDoc& doc, const std::wstring& path, const std::string& bytes) {
  if (!testing_support::WriteFileBytes(path, bytes)) return kNoFile;
  return LoadFile(doc, path);
}

void DocumentTest::SetUp() {
  ASSERT_TRUE(profile_.Ready());
  g_messages.clear();
  previousBox_ = SetMessageBoxPresenter(RecordBox);
  previousServices_ = SetDocObjectServices(&kServices);
}

void DocumentTest::TearDown() {
  SetDocObjectServices(previousServices_);
  SetMessageBoxPresenter(previousBox_);
}

namespace {
CString GeneratedName(CFolimarDoc*, CTranspBaseClass*) { return L"Generated"; }
}  // namespace

void ProgramKindsDocumentTest::SetUp() {
  DocumentTest::SetUp();
  // The program's own object services, not the test kind of the other document tests.
  SetDocObjectServices(GetTranspObjectServices());
  RegisterOverlayObjectKinds();
  SetTranspObjectNamer(GeneratedName);
}

void ProgramKindsDocumentTest::TearDown() {
  UnregisterOverlayObjectKinds();
  SetTranspObjectNamer(nullptr);
  DocumentTest::TearDown();
}

std::string ProgramKindsDocumentTest::Save(CFolimarDoc& doc, const std::wstring& name) {
  const std::wstring path = Path(name);
  EXPECT_TRUE(doc.OnSaveDocument(path.c_str()));
  return testing_support::ReadFileBytes(path);
}

std::vector<CTranspBaseClass*> PageObjects(CPageInfo* page) {
  std::vector<CTranspBaseClass*> out;
  for (POSITION pos = page->m_objects.GetHeadPosition(); pos != nullptr;) out.push_back(page->m_objects.GetNext(pos));
  return out;
}

}  // namespace doctest

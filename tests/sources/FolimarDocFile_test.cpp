// The document file: fixtures written from the file layout load field by field, a new document
// survives save and load byte for byte, and damaged files end the load without a crash.
#include <cstring>
#include <functional>
#include <random>

#include "DocumentTestSupport.h"
#include "FolimarApp.h"
#include "resource.h"

using namespace doctest;

namespace {

class FolimarDocFileTest : public DocumentTest {
 protected:
  // The bytes a document saves through the framework's save (temporary file, then replace).
  std::string Save(CFolimarDoc& doc, const std::wstring& name) {
    const std::wstring path = Path(name);
    EXPECT_TRUE(doc.OnSaveDocument(path.c_str()));
    return testing_support::ReadFileBytes(path);
  }
  CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
  }
};

void PutInt(std::string& bytes, size_t offset, int32_t value) { memcpy(&bytes[offset], &value, 4); }

// Offsets in the version-28 fixture (see its rows).
const size_t kVersion = 4, kPageCount = 36, kTemplateFlag = 48, kOptions = 56;
const size_t kFixedPartEnd = kOptions + 5304;

size_t Find(const std::string& bytes, const std::string& what) {
  const size_t at = bytes.find(what);
  EXPECT_NE(std::string::npos, at);
  return at;
}

}  // namespace

TEST_F(FolimarDocFileTest, Version28FixtureLoadsFieldByField) {
  CFolimarDoc doc;
  ASSERT_EQ(kLoaded, LoadBytes(doc, Path(L"two.qlm"), Fixture(L"v28_two_pages.hex")));
  EXPECT_TRUE(ShownMessages().empty());
  EXPECT_EQ(100, doc.m_printOffsetX);
  EXPECT_EQ(200, doc.m_printOffsetY);
  EXPECT_EQ(1, doc.m_imageOrigin);
  EXPECT_EQ(1, doc.m_loadedFromFile);
  EXPECT_EQ(1, doc.m_currentRecord);
  ASSERT_EQ(2, doc.GetPageCount());
  ASSERT_EQ(2, doc.m_pages.GetCount());

  const _DOC_OPTIONS& o = doc.GetOptions();
  EXPECT_EQ(0x01000005u, o.formatTag);
  EXPECT_STREQ(L"Form A", o.formName);
  EXPECT_STREQ(L"Ann", o.author);
  EXPECT_STREQ(L"Subject", o.subject);
  EXPECT_STREQ(L"Key words", o.keywords);
  EXPECT_EQ(1, o.security[0]);
  EXPECT_EQ(0, o.security[1]);
  EXPECT_EQ(1, o.security[6]);
  EXPECT_STREQ(L"Vantry 2.0.0", o.creator);
  EXPECT_STREQ(L"A4 form", o.paperFormName);
  EXPECT_EQ(2, o.keyLengthIndex);
  EXPECT_EQ(7, o.paperIndex);
  EXPECT_EQ(600, o.printQuality);
  EXPECT_EQ(9, o.paperSizeCode);
  EXPECT_TRUE(doc.IsAppliedToPrinter());
  EXPECT_TRUE(doc.IsSavedPrintingPreferences());
  EXPECT_EQ(1, o.landscape);
  EXPECT_DOUBLE_EQ(8.27, o.paperWidth);
  EXPECT_DOUBLE_EQ(11.69, o.paperHeight);
  EXPECT_DOUBLE_EQ(1.5, doc.GetScale());

  EXPECT_EQ(CString(L"DSN=Sales"), doc.m_connectString);
  EXPECT_EQ(CString(L"Orders"), doc.m_tableName);
  ASSERT_EQ(2, doc.m_fieldLinks.GetSize());
  EXPECT_EQ(3, doc.m_fieldLinks[0].columnIndex);
  EXPECT_EQ(1, doc.m_fieldLinks[1].fieldIndex);
  EXPECT_EQ(5, doc.m_fieldLinks[1].columnIndex);

  CPageInfo* first = doc.GetPage(0);
  CPageInfo* second = doc.GetPage(1);
  EXPECT_DOUBLE_EQ(8.27, first->m_settings.width);
  EXPECT_EQ(7, first->m_settings.paperIndex);
  EXPECT_EQ(9, first->m_settings.paperSize);
  EXPECT_EQ(600, first->m_settings.printQuality);
  EXPECT_STREQ(L"A4", first->m_settings.formName);
  EXPECT_EQ(2, second->m_settings.orientation);
  EXPECT_STREQ(L"Letter", second->m_settings.formName);

  // Page images: page 0 keeps its PNG file bytes, page 1 has none.
  ASSERT_TRUE(first->HasBitmap());
  EXPECT_EQ(2, first->m_pBitmap->GetWidth());
  EXPECT_EQ(2, first->m_pBitmap->GetHeight());
  ASSERT_NE(nullptr, first->m_pImageFileBytes);
  EXPECT_EQ(0, memcmp(first->m_pImageFileBytes, "\x89PNG", 4));
  EXPECT_EQ(1000, first->m_imagePosition.x);
  EXPECT_EQ(2000, first->m_imagePosition.y);
  EXPECT_FALSE(second->HasBitmap());

  // Erase list, metafile with its position (the later record), and the tables after tag 15.
  ASSERT_EQ(1, second->m_eraseList.GetCount());
  EXPECT_EQ(110, second->m_eraseList.GetHead()->rect.right);
  EXPECT_EQ(0, first->m_eraseList.GetCount());
  ASSERT_NE(nullptr, second->m_hMetafile);
  EXPECT_EQ(300, second->m_imagePosition.x);
  EXPECT_EQ(400, second->m_imagePosition.y);
  EXPECT_EQ(2, first->m_table.GetRecordCount());
  EXPECT_EQ(2, second->m_table.GetRecordCount());
}

TEST_F(FolimarDocFileTest, Version12WithOldMagicConvertsAnsiOptionsAndTakesPageSettingsFromThem) {
  CFolimarDoc doc;
  ASSERT_EQ(kLoaded, LoadBytes(doc, Path(L"old.rud"), Fixture(L"v12_qlm_old_options.hex")));
  const _DOC_OPTIONS& o = doc.GetOptions();
  EXPECT_EQ(0x01000001u, o.formatTag);
  EXPECT_STREQ(L"Old form", o.formName);
  EXPECT_STREQ(L"M\u00fcller", o.author);
  EXPECT_STREQ(L"Keys", o.keywords);
  EXPECT_STREQ(L"Vantry 1.0", o.creator);
  EXPECT_STREQ(L"Letter form", o.paperFormName);
  EXPECT_EQ(1, o.security[0]);
  EXPECT_EQ(1, o.security[1]);
  EXPECT_EQ(1, o.keyLengthIndex);
  EXPECT_EQ(1, o.paperIndex);
  EXPECT_EQ(300, o.printQuality);
  EXPECT_EQ(200, o.yResolution);
  EXPECT_EQ(1, o.paperSizeCode);
  EXPECT_EQ(1, o.landscape);
  EXPECT_EQ(1, o.savedPrintingPreferences);
  EXPECT_EQ(0, o.applyToPrinter);
  EXPECT_EQ(0x3423000Du, *reinterpret_cast<const uint32_t*>(o.marker));
  EXPECT_EQ(77, o.carried5244);
  EXPECT_DOUBLE_EQ(2.0, o.viewScale);
  EXPECT_EQ(CString(L"DSN=Old"), doc.m_connectString);
  EXPECT_EQ(CString(L"People"), doc.m_tableName);
  ASSERT_EQ(1, doc.m_fieldLinks.GetSize());
  EXPECT_EQ(4, doc.m_fieldLinks[0].columnIndex);

  ASSERT_EQ(1, doc.GetPageCount());
  const _PAGE_SETTINGS& s = doc.GetPage(0)->m_settings;
  EXPECT_EQ(2, s.orientation);
  EXPECT_EQ(1, s.paperIndex);
  EXPECT_EQ(1, s.paperSize);
  EXPECT_EQ(300, s.printQuality);
  EXPECT_EQ(200, s.yResolution);
  EXPECT_DOUBLE_EQ(8.5, s.width);
  EXPECT_DOUBLE_EQ(11.0, s.height);
  EXPECT_STREQ(L"Letter form", s.formName);
  ASSERT_EQ(1, doc.GetPage(0)->m_eraseList.GetCount());
  EXPECT_EQ(1, doc.GetPage(0)->m_eraseList.GetHead()->flag);
}

TEST_F(FolimarDocFileTest, Version20ReadsTheOldPageSettingsWithAnAnsiFormName) {
  CFolimarDoc doc;
  ASSERT_EQ(kLoaded, LoadBytes(doc, Path(L"v20.qlm"), Fixture(L"v20_old_page_settings.hex")));
  EXPECT_STREQ(L"Twenty", doc.GetOptions().formName);
  const _PAGE_SETTINGS& s = doc.GetPage(0)->m_settings;
  EXPECT_DOUBLE_EQ(14.0, s.height);
  EXPECT_EQ(5, s.paperIndex);
  EXPECT_EQ(5, s.paperSize);
  EXPECT_EQ(300, s.printQuality);
  EXPECT_EQ(150, s.yResolution);
  // 36 bytes without a terminator, cut so the slot keeps its terminating NUL.
  EXPECT_STREQ(L"Legal paper form name longer th", s.formName);
}

TEST_F(FolimarDocFileTest, Version5HasNoFixedPartAndGetsDefaultPageSettings) {
  CFolimarDoc doc;
  ASSERT_EQ(kLoaded, LoadBytes(doc, Path(L"v5.qlm"), Fixture(L"v5_bare.hex")));
  ASSERT_EQ(3, doc.GetPageCount());
  EXPECT_STREQ(L"Untitled", doc.GetOptions().formName);  // the constructor's options stay
  for (int p = 0; p < 3; ++p) {
    SCOPED_TRACE(p);
    EXPECT_EQ(1, doc.GetPage(p)->m_settings.paperIndex);  // English without an application
    EXPECT_DOUBLE_EQ(11.0, doc.GetPage(p)->m_settings.height);
    EXPECT_EQ(1, doc.GetPage(p)->m_table.GetRecordCount());  // padded to the largest
  }
}

TEST_F(FolimarDocFileTest, TableFieldsWithoutFieldObjectsAreDropped) {
  CFolimarDoc doc;
  ASSERT_EQ(kLoaded, LoadBytes(doc, Path(L"f.qlm"), Fixture(L"v28_extra_fields.hex")));
  EXPECT_EQ(0, doc.GetPage(0)->m_table.GetFieldCount());
  EXPECT_EQ(1, doc.GetPage(0)->m_table.GetRecordCount());
}

TEST_F(FolimarDocFileTest, NewDocumentSavesAndLoadsToTheSameBytes) {
  CFolimarDoc doc;
  const std::string first = Save(doc, L"new.qlm");
  ASSERT_GT(first.size(), kFixedPartEnd);
  EXPECT_EQ(0, first.compare(0, 4, std::string("KTD\0", 4)));
  int32_t version = 0;
  memcpy(&version, &first[kVersion], 4);
  EXPECT_EQ(28, version);

  CFolimarDoc loaded;
  ASSERT_EQ(kLoaded, LoadFile(loaded, Path(L"new.qlm")));
  const std::string second = Save(loaded, L"again.qlm");
  EXPECT_EQ(fixtures::ToHex(first), fixtures::ToHex(second));
}

TEST_F(FolimarDocFileTest, FixtureSavesAsVersion28AndSurvivesARoundTrip) {
  CFolimarDoc doc;
  ASSERT_EQ(kLoaded, LoadBytes(doc, Path(L"two.qlm"), Fixture(L"v28_two_pages.hex")));
  const std::string first = Save(doc, L"saved.qlm");
  CFolimarDoc again;
  ASSERT_EQ(kLoaded, LoadFile(again, Path(L"saved.qlm")));
  EXPECT_STREQ(L"Form A", again.GetOptions().formName);
  // The creator text names the program that saved it.
  EXPECT_EQ(GetCreatorText(), CString(again.GetOptions().creator));
  ASSERT_EQ(2, again.GetPageCount());
  ASSERT_NE(nullptr, again.GetPage(0)->m_pImageFileBytes);
  EXPECT_EQ(doc.GetPage(0)->m_imageFileSize, again.GetPage(0)->m_imageFileSize);
  EXPECT_NE(nullptr, again.GetPage(1)->m_hMetafile);
  EXPECT_EQ(1, again.GetPage(1)->m_eraseList.GetCount());
  const std::string second = Save(again, L"saved2.qlm");
  EXPECT_EQ(fixtures::ToHex(first), fixtures::ToHex(second));
}

TEST_F(FolimarDocFileTest, AnEncodedPageImageIsStoredAsPng) {
  CFolimarDoc doc;
  LMyBitmap* bitmap = new LMyBitmap;
  ASSERT_EQ(SUCCESS, bitmap->Create(5, 4, 24));
  doc.GetPage(0)->SetBitmap(bitmap);
  doc.GetPage(0)->m_imageChanged = 1;
  const std::string bytes = Save(doc, L"image.qlm");
  EXPECT_EQ(0, doc.GetPage(0)->m_imageChanged);
  // Tag 8 follows the page settings; the page is kind 0 with a PNG file.
  const size_t tag = kFixedPartEnd + 6 + 6 + 4 + 96;  // two empty strings, link count, settings
  int32_t value = 0;
  memcpy(&value, &bytes[tag], 4);
  EXPECT_EQ(8, value);
  memcpy(&value, &bytes[tag + 8], 4);
  EXPECT_EQ(40, value);
  EXPECT_EQ(0, bytes.compare(tag + 8 + 4 + 40 + 16, 4, "\x89PNG"));
  CFolimarDoc loaded;
  ASSERT_EQ(kLoaded, LoadFile(loaded, Path(L"image.qlm")));
  ASSERT_TRUE(loaded.GetPage(0)->HasBitmap());
  EXPECT_EQ(5, loaded.GetPage(0)->m_pBitmap->GetWidth());
  EXPECT_EQ(nullptr, loaded.GetPage(0)->m_pImageFileBytes);
}

TEST_F(FolimarDocFileTest, VersionsAndMagicsThatEndTheLoad) {
  const std::string good = Fixture(L"v28_two_pages.hex");
  struct Case {
    const char* name;
    std::function<void(std::string&)> change;
    std::wstring file;
    UINT message;  // 0: silent
  } cases[] = {
      {"version 2", [](std::string& b) { PutInt(b, kVersion, 2); }, L"a.qlm", 0},
      {"version 1", [](std::string& b) { PutInt(b, kVersion, 1); }, L"a.qlm", IDS_WRONG_DOCUMENT_VERSION},
      {"version 0", [](std::string& b) { PutInt(b, kVersion, 0); }, L"a.qlm", IDS_WRONG_DOCUMENT_VERSION},
      {"magic ABC", [](std::string& b) { b.replace(0, 3, "ABC"); }, L"a.qlm", IDS_NOT_A_DOCUMENT},
      {"extension txt", [](std::string&) {}, L"a.txt", 0},
      {"not a template", [](std::string&) {}, L"a.vyt", IDS_NOT_A_TEMPLATE},
      {"14-tag length", [](std::string& b) {
         const size_t at = Find(b, Int32(14) + Int32(112));
         PutInt(b, at + 4, 111);
       }, L"a.qlm", IDS_WRONG_DOCUMENT_VERSION},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShownMessages().clear();
    std::string bytes = good;
    c.change(bytes);
    CFolimarDoc doc;
    EXPECT_EQ(CFolimarDoc::kSilentFailure, LoadBytes(doc, Path(c.file), bytes));
    if (c.message == 0) {
      EXPECT_TRUE(ShownMessages().empty());
    } else {
      ASSERT_EQ(1u, ShownMessages().size());
      EXPECT_EQ(std::wstring(LoadText(c.message)), ShownMessages()[0]);
    }
  }
}

TEST_F(FolimarDocFileTest, ANewerVersionNamesTheCreatorOfTheFile) {
  std::string bytes = Fixture(L"v28_two_pages.hex");
  PutInt(bytes, kVersion, 29);
  CFolimarDoc doc;
  EXPECT_EQ(CFolimarDoc::kSilentFailure, LoadBytes(doc, Path(L"new.qlm"), bytes));
  ASSERT_EQ(1u, ShownMessages().size());
  CString expected;
  expected.Format(LoadText(IDS_NEWER_VERSION), L"Vantry 2.0.0");
  EXPECT_EQ(std::wstring(expected), ShownMessages()[0]);
  EXPECT_EQ(1, doc.GetPageCount());  // no page made for the file
}

TEST_F(FolimarDocFileTest, TemplateHasNoRecordNoNamesAndGetsGeneratedFields) {
  std::string bytes = Fixture(L"v28_template.hex");
  bytes.resize(bytes.size() - 4);  // before the end tag
  bytes += TestObjectRecord(1, 0, 11, L"", false) + TestObjectRecord(3, 0, 12, L"", false) + Int32(0);
  CFolimarDoc doc;
  ASSERT_EQ(kLoaded, LoadBytes(doc, Path(L"form.vyt"), bytes));
  CTranspObjectList& objects = doc.GetPage(0)->m_objects;
  ASSERT_EQ(2, objects.GetCount());
  TestObject* field = AsTest(objects.GetHead());
  TestObject* shape = AsTest(objects.GetTail());
  EXPECT_EQ(11, field->value);
  EXPECT_EQ(12, shape->value);
  EXPECT_TRUE(field->name.Left(9) == L"Generated");
  EXPECT_TRUE(shape->name.Left(9) == L"Generated");
  EXPECT_NE(field->name, shape->name);
  // Only the field object has a column, named after it.
  ASSERT_EQ(1, doc.GetPage(0)->m_table.GetFieldCount());
  EXPECT_EQ(field->name, doc.GetPage(0)->m_table.GetFieldName(0));
  EXPECT_EQ(1, doc.GetPage(0)->m_table.GetRecordCount());

  // A page table in a template is damage.
  std::string withTable = Fixture(L"v28_template.hex");
  withTable.resize(withTable.size() - 4);
  withTable += Int32(13) + Int32(0) + Int32(0) + Int32(1) + Int32(0) + Int32(0) + Int32(0);
  CFolimarDoc bad;
  EXPECT_EQ(CFolimarDoc::kSilentFailure, LoadBytes(bad, Path(L"bad.vyt"), withTable));
  ASSERT_FALSE(ShownMessages().empty());
  EXPECT_EQ(std::wstring(LoadText(IDS_TEMPLATE_CORRUPTED)), ShownMessages().back());
}

TEST_F(FolimarDocFileTest, ObjectsKeepTheirStoredNamesAndRoundTrip) {
  std::string bytes = Fixture(L"v28_fixed_part.hex");
  bytes += TestObjectRecord(3, 0, 7, L"Frame") + TestObjectRecord(1, 0, 8, L"Name");
  bytes += Int32(13) + Int32(0) + Int32(0) + Int32(1) + Int32(1) + Int32(1);  // table: field "Name", 1 record
  bytes += Int32(12) + Int32(10) + std::string("N\0a\0m\0e\0\0\0", 10) + Int32(0) + Int32(0);
  CFolimarDoc doc;
  ASSERT_EQ(kLoaded, LoadBytes(doc, Path(L"objects.qlm"), bytes));
  CTranspObjectList& objects = doc.GetPage(0)->m_objects;
  ASSERT_EQ(2, objects.GetCount());
  EXPECT_EQ(CString(L"Frame"), AsTest(objects.GetHead())->name);
  EXPECT_EQ(CString(L"Name"), AsTest(objects.GetTail())->name);
  ASSERT_EQ(1, doc.GetPage(0)->m_table.GetFieldCount());
  EXPECT_EQ(CString(L"Name"), doc.GetPage(0)->m_table.GetFieldName(0));

  const std::string saved = Save(doc, L"objects2.qlm");
  CFolimarDoc again;
  ASSERT_EQ(kLoaded, LoadFile(again, Path(L"objects2.qlm")));
  EXPECT_EQ(fixtures::ToHex(saved), fixtures::ToHex(Save(again, L"objects3.qlm")));
  ASSERT_EQ(2, again.GetPage(0)->m_objects.GetCount());
  EXPECT_EQ(8, AsTest(again.GetPage(0)->m_objects.GetTail())->value);
}

TEST_F(FolimarDocFileTest, AFieldObjectOnAPageTheFileDoesNotHaveEndsTheLoad) {
  std::string bytes = Fixture(L"v28_fixed_part.hex") + TestObjectRecord(1, 5, 1, L"Far") + Int32(0);
  CFolimarDoc doc;
  EXPECT_EQ(CFolimarDoc::kSilentFailure, LoadBytes(doc, Path(L"far.qlm"), bytes));
  EXPECT_EQ(0, g_liveTestObjects - static_cast<int>(doc.GetPage(0)->m_objects.GetCount()));
}

TEST_F(FolimarDocFileTest, SavingDestroysDeletedObjectsAfterEmptyingTheHistory) {
  CFolimarDoc doc;
  CTranspBaseClass* kept = NewTestObject(3, 0, 1, L"Kept");
  CTranspBaseClass* gone = NewTestObject(3, 0, 2, L"Gone");
  AsTest(gone)->deleted = TRUE;
  doc.GetPage(0)->m_objects.AddTail(kept);
  doc.GetPage(0)->m_objects.AddTail(gone);
  // A command remembering the deleted object, as a delete command would.
  struct Remember : public Command {
    explicit Remember(TestObject* o) : Command(nullptr, nullptr), object(o) {}
    ~Remember() override { EXPECT_EQ(2, object->value); }  // still alive when the history goes
    bool Execute() override { return true; }
    bool Unexecute() override { return true; }
    TestObject* object;
  };
  doc.GetPage(0)->m_pUndoManager->DoCommand(new Remember(AsTest(gone)));
  Save(doc, L"deleted.qlm");
  EXPECT_EQ(0u, doc.GetPage(0)->m_pUndoManager->GetUndoCount());
  ASSERT_EQ(1, doc.GetPage(0)->m_objects.GetCount());
  EXPECT_EQ(kept, doc.GetPage(0)->m_objects.GetHead());
  EXPECT_EQ(1, g_liveTestObjects);
}

TEST_F(FolimarDocFileTest, AFailedSaveKeepsThePreviousFileAndAnEmptyHistory) {
  CFolimarDoc doc;
  const std::string previous = Save(doc, L"keep.qlm");
  ASSERT_FALSE(previous.empty());
  CTranspBaseClass* broken = NewTestObject(3, 0, 1, L"Broken");
  AsTest(broken)->failStore = TRUE;
  doc.GetPage(0)->m_objects.AddTail(broken);
  TestObject target;
  doc.GetPage(0)->m_pUndoManager->DoCommand(new SetValue(&target, 4));
  EXPECT_FALSE(doc.OnSaveDocument(Path(L"keep.qlm").c_str()));
  EXPECT_TRUE(ShownMessages().empty());
  EXPECT_EQ(fixtures::ToHex(previous), fixtures::ToHex(testing_support::ReadFileBytes(Path(L"keep.qlm"))));
  EXPECT_EQ(0u, doc.GetPage(0)->m_pUndoManager->GetUndoCount());
  // Nothing of the failed attempt is left beside the file.
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW(Path(L"*.tmp").c_str(), &found);
  EXPECT_EQ(INVALID_HANDLE_VALUE, find);
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
  // An extension the document is not saved under fails without a message and writes nothing.
  EXPECT_FALSE(doc.OnSaveDocument(Path(L"keep.txt").c_str()));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(Path(L"keep.txt").c_str()));
  EXPECT_TRUE(ShownMessages().empty());
}

namespace {

// What every load leaves behind, whether it ended or not: the page list and the count agree and
// (after a whole load) every table has the same number of records.
void ExpectConsistent(CFolimarDoc& doc, int result) {
  ASSERT_EQ(doc.GetPageCount(), static_cast<int>(doc.m_pages.GetCount()));
  if (result != kLoaded) return;
  ASSERT_GE(doc.GetPageCount(), 1);
  const int records = doc.GetPage(0)->m_table.GetRecordCount();
  for (int p = 0; p < doc.GetPageCount(); ++p) ASSERT_EQ(records, doc.GetPage(p)->m_table.GetRecordCount());
  ASSERT_TRUE(doc.m_currentRecord >= 0 && doc.m_currentRecord < std::max(records, 1));
}

struct NamedFixture {
  const wchar_t* fixture;
  const wchar_t* file;
};
const NamedFixture kValidFixtures[] = {
    {L"v28_two_pages.hex", L"m.qlm"},        {L"v12_qlm_old_options.hex", L"m.rud"},
    {L"v20_old_page_settings.hex", L"m.qlm"}, {L"v5_bare.hex", L"m.qlm"},
    {L"v28_template.hex", L"m.vyt"},          {L"v28_extra_fields.hex", L"m.qlm"},
};

TEST_F(FolimarDocFileTest, AnOldDocumentOpensEveryPageOfItsNamedImageFile) {
  const std::string tiff = testing_support::ReadFileBytes(std::wstring(VANTRY_TEST_DATA_DIR) + L"/images/pages_lzw.tif");
  ASSERT_FALSE(tiff.empty());
  ASSERT_TRUE(testing_support::WriteFileBytes(Path(L"scan.tif"), tiff));
  std::string bytes = Fixture(L"v5_bare.hex").substr(0, 48);
  PutInt(bytes, kPageCount, 1);
  const std::string stored = "C:\\elsewhere\\scan.tif";
  bytes += Int32(8) + Int32(56) + Int32(40) + Int32(40) + Int32(1) + std::string(8, '\0') + Int32(1) +
           std::string(20, '\0') + Int32(0) + Int32(0) + Int32(static_cast<int32_t>(stored.size())) + stored;
  bytes += TestObjectRecord(1, 0, 5, L"", false) + Int32(0);
  CFolimarDoc doc;
  ASSERT_EQ(kLoaded, LoadBytes(doc, Path(L"old.qlm"), bytes));
  ASSERT_EQ(3, doc.GetPageCount());
  EXPECT_EQ(3, doc.m_pages.GetCount());
  const int widths[3] = {34, 47, 34};
  for (int p = 0; p < 3; ++p) {
    ASSERT_TRUE(doc.GetPage(p)->HasBitmap()) << p;
    EXPECT_EQ(widths[p], doc.GetPage(p)->m_pBitmap->GetWidth()) << p;
    EXPECT_EQ(doc.GetPage(0)->m_table.GetRecordCount(), doc.GetPage(p)->m_table.GetRecordCount()) << p;
  }
  // The field stays on its page with its column; the added pages have none.
  EXPECT_EQ(1, doc.GetPage(0)->m_objects.GetCount());
  EXPECT_EQ(1, doc.GetPage(0)->m_table.GetFieldCount());
  EXPECT_EQ(0, doc.GetPage(2)->m_table.GetFieldCount());
}

}  // namespace

TEST_F(FolimarDocFileTest, DamagedFilesEndTheLoadWithAnError) {
  const std::string v28 = Fixture(L"v28_two_pages.hex");
  const std::string v12 = Fixture(L"v12_qlm_old_options.hex");
  const size_t links = Find(v28, Int32(2) + Int32(0) + Int32(3));
  const size_t images = Find(v28, Int32(8) + Int32(64) + Int32(40));
  const size_t pageImage = Find(v28, Int32(1000) + Int32(2000)) + 12;  // kind 1, then the size
  const size_t erase = Find(v28, Int32(12) + Int32(28));
  const size_t metafile = Find(v28, Int32(14) + Int32(112));
  const size_t unknown = Find(v28, Int32(15) + Int32(10));
  const size_t table = Find(v28, Int32(13) + Int32(0) + Int32(0));
  auto put = [](size_t at, int32_t value) { return [=](std::string& b) { PutInt(b, at, value); }; };
  struct Case {
    const char* name;
    const std::string* base;
    std::function<void(std::string&)> change;
  } cases[] = {
      {"short header", &v28, [](std::string& b) { b.resize(20); }},
      {"empty file", &v28, [](std::string& b) { b.clear(); }},
      {"huge page count", &v28, put(kPageCount, 0x7FFFFFFF)},
      {"negative page count", &v28, put(kPageCount, -3)},
      {"page count past the file", &v28, put(kPageCount, 9000)},
      {"huge old block", &v12, put(56, 0x7FFFFFF0)},
      {"negative old block", &v12, put(56, -4)},
      {"huge connect string", &v28, put(kFixedPartEnd, 0x7FFFFFFF)},
      {"huge link count", &v28, put(links, 0x10000000)},
      {"negative link count", &v28, put(links, -1)},
      {"huge ANSI string", &v12, put(56 + 8 + 2720, 0x7FFFFFFF)},
      {"image header smaller than itself", &v28, put(images + 8, 8)},
      {"negative image header", &v28, put(images + 8, -1)},
      {"huge image header", &v28, put(images + 8, 0x7FFFFFFF)},
      {"unknown image section version", &v28, put(images + 16, 9)},
      {"negative image section pages", &v28, put(images + 28, -2)},
      {"negative image size", &v28, put(pageImage, -100)},
      {"huge image size", &v28, put(pageImage, 0x7FFFFFFF)},
      {"image bytes that do not decode", &v28, [=](std::string& b) { b.replace(pageImage + 4, 8, "NOTAPNG!"); }},
      {"erase list length too small", &v28, put(erase + 4, 24)},
      {"erase list length too large", &v28, put(erase + 4, 48)},
      {"erase list page outside", &v28, put(erase + 8, 9)},
      {"huge erase count", &v28, put(erase + 12, 0x7FFFFFFF)},
      {"metafile length off by one", &v28, put(metafile + 4, 113)},
      {"huge metafile", &v28, [=](std::string& b) { PutInt(b, metafile + 4, 0x7FFFFFFF); PutInt(b, metafile + 8, 0x7FFFFFFB); }},
      {"negative metafile", &v28, [=](std::string& b) { PutInt(b, metafile + 4, 0); PutInt(b, metafile + 8, -4); }},
      {"metafile page outside", &v28, put(metafile + 12, 7)},
      {"metafile bits damaged", &v28, [=](std::string& b) { PutInt(b, metafile + 16, 0x12345678); PutInt(b, metafile + 56, 0); }},
      // The system made a metafile of these, then refused the bits it gave back for it.
      {"metafile bits without their header", &v28, [=](std::string& b) { b.replace(metafile + 16, 88, 88, '\0'); PutInt(b, metafile + 16, 14); PutInt(b, metafile + 20, 20); }},
      {"unknown tag of negative length", &v28, put(unknown + 4, -1)},
      {"unknown tag longer than the file", &v28, put(unknown + 4, 0x7FFFFFFF)},
      {"table page outside", &v28, put(table + 8, 9)},
      {"negative table fields", &v28, put(table + 16, -1)},
      {"huge table records", &v28, put(table + 20, 0x7FFFFFFF)},
      {"no end tag", &v28, [](std::string& b) { b.resize(b.size() - 4); }},
      {"object kind the program does not know", &v28, put(unknown, 2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string bytes = *c.base;
    c.change(bytes);
    CFolimarDoc doc;
    const int result = LoadBytes(doc, Path(c.base == &v12 ? L"d.rud" : L"d.qlm"), bytes);
    EXPECT_NE(kLoaded, result);
    EXPECT_NE(kNoFile, result);
    ExpectConsistent(doc, result);
  }
}

// Records of a table without fields take no bytes, and version 13 keeps no page settings: the two
// fixtures (8 KB and 3 KB) claim 2^20 records, which padding would give each of their 30 and 10000
// pages. A file that claims more than its size stands for ends the load as damaged (the cause the
// framework reports as an unexpected format) before any of it is made.
TEST_F(FolimarDocFileTest, RecordsAFileCannotHoldEndTheLoadAsDamaged) {
  const NamedFixture cases[] = {{L"v28_records_without_fields.hex", L"records.qlm"},
                                {L"v13_many_pages.hex", L"pages.qlm"}};
  for (const NamedFixture& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.fixture)));
    const std::string bytes = Fixture(c.fixture);
    ASSERT_LT(bytes.size(), 10u * 1024);
    CFolimarDoc doc;
    EXPECT_EQ(CArchiveException::badIndex, LoadBytes(doc, Path(c.file), bytes));
    ExpectConsistent(doc, kOtherException);
    for (int p = 0; p < doc.GetPageCount(); ++p) ASSERT_LE(doc.GetPage(p)->m_table.GetRecordCount(), 1) << "page " << p;
  }
}

// A document as the program writes it stores every cell: 5000 records of a field on one of 30 pages
// load, and every page is padded to them.
TEST_F(FolimarDocFileTest, ManyRecordsOnManyPagesStillLoad) {
  const int32_t kRecords = 5000;
  std::string bytes = Fixture(L"v28_records_without_fields.hex");
  const size_t table = Find(bytes, Int32(13) + Int32(0) + Int32(0) + Int32(1) + Int32(0) + Int32(1 << 20));
  bytes.resize(table);
  bytes += TestObjectRecord(1, 7, 0, L"Count");
  bytes += Int32(13) + Int32(0) + Int32(7) + Int32(1) + Int32(1) + Int32(kRecords);
  bytes += Int32(12) + Int32(12) + std::string("C\0o\0u\0n\0t\0\0\0", 12);
  for (int32_t r = 0; r < kRecords; ++r) bytes += Int32(7) + Int32(r);
  bytes += Int32(0);
  CFolimarDoc doc;
  ASSERT_EQ(kLoaded, LoadBytes(doc, Path(L"many.qlm"), bytes));
  ExpectConsistent(doc, kLoaded);
  ASSERT_EQ(30, doc.GetPageCount());
  EXPECT_EQ(kRecords, doc.GetPage(0)->m_table.GetRecordCount());
  EXPECT_EQ(4999, doc.GetPage(7)->m_table[kRecords - 1][0].GetInteger());
}

TEST_F(FolimarDocFileTest, EveryTruncationOfTheFixturesEndsTheLoad) {
  for (const NamedFixture& f : kValidFixtures) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(f.fixture)));
    const std::string bytes = Fixture(f.fixture);
    // Every cut in the header, the strings and the record stream; in the long fixed blocks every
    // cut behaves alike, so a sample of them will do.
    for (size_t length = 0; length < bytes.size(); length += (length < 160 || length + 1200 > bytes.size()) ? 1 : 37) {
      CFolimarDoc doc;
      const int result = LoadBytes(doc, Path(f.file), bytes.substr(0, length));
      ASSERT_NE(kLoaded, result) << "length " << length;
      ASSERT_NE(kNoFile, result);
      ExpectConsistent(doc, result);
    }
  }
}

TEST_F(FolimarDocFileTest, MutatedFixturesNeverCrashTheLoader) {
  std::mt19937 random(20261210);
  const int32_t kExtremes[] = {0, 1, -1, 2, 0x7FFFFFFF, INT32_MIN, 0x10000, 4, 40, 96};
  int loaded = 0, failed = 0;
  for (const NamedFixture& f : kValidFixtures) {
    const std::string original = Fixture(f.fixture);
    for (int round = 0; round < 600; ++round) {
      std::string bytes = original;
      const int changes = 1 + static_cast<int>(random() % 3);
      for (int c = 0; c < changes; ++c) {
        const size_t at = random() % bytes.size();
        if (random() % 2 == 0) {
          bytes[at] = static_cast<char>(random() & 0xFF);
        } else if (at + 4 <= bytes.size()) {
          PutInt(bytes, at & ~size_t(3), kExtremes[random() % (sizeof(kExtremes) / sizeof(kExtremes[0]))]);
        }
      }
      CFolimarDoc doc;
      const int result = LoadBytes(doc, Path(f.file), bytes);
      ASSERT_NE(kNoFile, result);
      ExpectConsistent(doc, result);
      (result == kLoaded ? loaded : failed) += 1;
    }
  }
  // Both outcomes occur: the mutations reach past the checks into the content.
  EXPECT_GT(loaded, 0);
  EXPECT_GT(failed, 0);
}

TEST_F(FolimarDocFileTest, Version7IsATemplateByItsExtensionAndReadsAnsiNames) {
  std::string bytes = Fixture(L"v5_bare.hex").substr(0, 48);
  PutInt(bytes, kVersion, 7);
  PutInt(bytes, kPageCount, 1);
  bytes += Int32(0) + Int32(0) + std::string(32, '\0');  // template flag, current record, old block
  bytes += TestObjectRecord(1, 0, 5, L"", false) + Int32(4) + "Name" + Int32(0);  // ANSI name
  struct Case {
    const wchar_t* file;
    bool generated;
  } cases[] = {{L"seven.qlm", false}, {L"seven.vyt", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.file)));
    CFolimarDoc doc;
    ASSERT_EQ(kLoaded, LoadBytes(doc, Path(c.file), bytes));
    ASSERT_EQ(1, doc.GetPage(0)->m_objects.GetCount());
    const CString name = AsTest(doc.GetPage(0)->m_objects.GetHead())->name;
    EXPECT_EQ(c.generated, name.Left(9) == L"Generated") << static_cast<LPCWSTR>(name);
    if (!c.generated) {
      EXPECT_EQ(CString(L"Name"), name);
    }
    // The generated name brings its own column; the ordinary file's table had none and grows by
    // one when the record is shown in the fields.
    EXPECT_EQ(1, doc.GetPage(0)->m_table.GetFieldCount());
  }
}

TEST_F(FolimarDocFileTest, MergingATemplateNeedsOnePageOrTheSamePageCount) {
  const std::string bytes = Fixture(L"v28_two_pages.hex");  // two pages
  CFolimarDoc three;
  three.AppendNewPage();
  three.AppendNewPage();
  three.m_merge = 1;
  EXPECT_EQ(CFolimarDoc::kSilentFailure, LoadBytes(three, Path(L"m.qlm"), bytes));
  ASSERT_EQ(1u, ShownMessages().size());
  EXPECT_EQ(std::wstring(LoadText(IDS_TEMPLATE_PAGES_DIFFER)), ShownMessages()[0]);
  EXPECT_EQ(3, three.GetPageCount());

  CFolimarDoc two;
  two.AppendNewPage();
  two.m_merge = 1;
  two.m_imagePath = L"kept.png";
  ASSERT_EQ(kLoaded, LoadBytes(two, Path(L"m.qlm"), bytes));
  EXPECT_EQ(1, two.m_mergePageByPage);
  EXPECT_EQ(2, two.GetPageCount());
  EXPECT_EQ(CString(L"kept.png"), two.m_imagePath);
  EXPECT_TRUE(two.GetPage(0)->HasBitmap());
}

TEST_F(FolimarDocFileTest, OldImageSectionsNameOrHoldThePageImage) {
  // A PNG file beside the document; the stored path names another folder, so the document's own
  // folder is searched for the file name.
  LMyBitmap picture;
  ASSERT_EQ(SUCCESS, picture.Create(3, 2, 24));
  std::vector<BYTE> png;
  ASSERT_TRUE(SaveBitmapAsPng(picture, png));
  ASSERT_TRUE(testing_support::WriteFileBytes(Path(L"page.png"), std::string(png.begin(), png.end())));
  auto section = [](int version) {
    return Int32(8) + Int32(56) + Int32(40) + Int32(40) + Int32(version) + std::string(8, '\0') + Int32(1) +
           std::string(20, '\0') + Int32(7) + Int32(9);  // tag, length, header, page 0 position
  };
  std::string header = Fixture(L"v5_bare.hex").substr(0, 48);
  PutInt(header, kPageCount, 1);

  std::string named = header + section(1);
  const std::string stored = "C:\\elsewhere\\page.png";
  named += Int32(static_cast<int32_t>(stored.size())) + stored + Int32(0);
  CFolimarDoc doc;
  ASSERT_EQ(kLoaded, LoadBytes(doc, Path(L"named.qlm"), named));
  EXPECT_EQ(7, doc.GetPage(0)->m_imagePosition.x);
  EXPECT_EQ(9, doc.GetPage(0)->m_imagePosition.y);
  EXPECT_EQ(0, doc.m_imagePath.Right(8).CompareNoCase(L"page.png"));
  EXPECT_EQ(0, doc.m_imagePath.Find(CString(Path(L"").c_str())));
  ASSERT_TRUE(doc.GetPage(0)->HasBitmap());
  EXPECT_EQ(3, doc.GetPage(0)->m_pBitmap->GetWidth());

  // Section version 2 holds the image file without a kind; its bytes are not kept.
  std::string held = header + section(2) + Int32(static_cast<int32_t>(png.size())) +
                     std::string(png.begin(), png.end()) + Int32(0);
  CFolimarDoc second;
  ASSERT_EQ(kLoaded, LoadBytes(second, Path(L"held.qlm"), held));
  ASSERT_TRUE(second.GetPage(0)->HasBitmap());
  EXPECT_EQ(2, second.GetPage(0)->m_pBitmap->GetHeight());
  EXPECT_EQ(nullptr, second.GetPage(0)->m_pImageFileBytes);

  // A named image that cannot be opened ends the load.
  ASSERT_TRUE(DeleteFileW(Path(L"page.png").c_str()));
  CFolimarDoc third;
  EXPECT_EQ(CFolimarDoc::kSilentFailure, LoadBytes(third, Path(L"named.qlm"), named));
}

// Opening document files and the File menu's saving commands, with real files and the real file
// dialog answered by typing into it.
#include "DocumentSaveSupport.h"
#include "resource.h"

using namespace doctest;
using namespace savetest;

namespace {

class DocumentSaveTest : public SaveTest {
 protected:
  // A saved document with one object of value `value` at `name` in the test's folder.
  std::wstring SavedDocument(const std::wstring& name, int value) {
    CFolimarDoc doc;
    doc.GetPage(0)->m_objects.AddTail(NewTestObject(3, 0, value, L"Frame"));
    const std::wstring path = Path(name);
    EXPECT_TRUE(doc.OnSaveDocument(path.c_str()));
    return path;
  }
  static int FirstValue(CFolimarDoc& doc) {
    if (doc.GetPage(0) == nullptr || doc.GetPage(0)->m_objects.IsEmpty()) return -1;
    return AsTest(doc.GetPage(0)->m_objects.GetHead())->value;
  }
  static bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
};

}  // namespace

TEST_F(DocumentSaveTest, OpeningADocumentFileSetsTitleAndPathByItsType) {
  const std::wstring saved = SavedDocument(L"source.rud", 7);
  const std::string bytes = testing_support::ReadFileBytes(saved);
  struct Case {
    const wchar_t* name;
    BOOL setPath;
    bool keepsPath;
    bool recent;
  };
  // The template is the fixture of the file layout; the others are the saved document's bytes.
  const Case cases[] = {{L"Report.2025.rud", TRUE, true, true},
                        {L"plain.rud", FALSE, false, false},
                        {L"form.qlm", TRUE, false, false},
                        {L"blank.vyt", TRUE, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::wstring path = Path(c.name);
    const bool isTemplate = std::wstring(c.name).find(L".vyt") != std::wstring::npos;
    ASSERT_TRUE(testing_support::WriteFileBytes(path, isTemplate ? Fixture(L"v28_template.hex") : bytes));
    const std::vector<std::wstring> before = RecentFiles();
    CFolimarDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path.c_str(), c.setPath));
    const std::wstring name(c.name);
    EXPECT_STREQ(name.substr(0, name.rfind(L'.')).c_str(), doc.GetTitle());
    EXPECT_FALSE(doc.IsModified());
    if (!isTemplate) {
      EXPECT_EQ(7, FirstValue(doc));
    }
    if (c.keepsPath) {
      EXPECT_EQ(0, lstrcmpiW(path.c_str(), doc.GetPathName()));
    } else {
      EXPECT_TRUE(doc.GetPathName().IsEmpty());
    }
    const std::vector<std::wstring> after = RecentFiles();
    if (c.recent) {
      ASSERT_FALSE(after.empty());
      EXPECT_EQ(0, lstrcmpiW(path.c_str(), after.front().c_str()));
    } else {
      EXPECT_EQ(before, after);
    }
  }
  EXPECT_TRUE(g_boxes.empty());
}

TEST_F(DocumentSaveTest, OpeningAnythingElseFailsWithoutTouchingTheDocument) {
  const std::wstring image = Path(L"page.png");
  ASSERT_TRUE(testing_support::WriteFileBytes(image, "\x89PNG\r\n\x1a\n"));
  CFolimarDoc doc;
  doc.SetTitle(L"Kept");
  EXPECT_FALSE(doc.OnOpenDocument(image.c_str(), TRUE));
  EXPECT_STREQ(L"Kept", doc.GetTitle());
  EXPECT_TRUE(doc.GetPathName().IsEmpty());

  // A document file that is not one fails with the reader's message.
  const std::wstring broken = Path(L"broken.rud");
  ASSERT_TRUE(testing_support::WriteFileBytes(broken, std::string(64, 'x')));
  EXPECT_FALSE(doc.OnOpenDocument(broken.c_str(), TRUE));
  ASSERT_EQ(1u, g_boxes.size());
  EXPECT_STREQ(LoadText(IDS_NOT_A_DOCUMENT), g_boxes[0].c_str());
  EXPECT_TRUE(doc.GetPathName().IsEmpty());
}

namespace {

BOOL CALLBACK AppendStaticText(HWND child, LPARAM param) {
  wchar_t name[16] = {};
  GetClassNameW(child, name, 16);
  if (lstrcmpiW(name, L"Static") == 0) {
    wchar_t part[1024] = {};
    GetWindowTextW(child, part, 1024);
    *reinterpret_cast<std::wstring*>(param) += part;
  }
  return TRUE;
}

// The texts of a message box's static controls, joined.
std::wstring MessageBoxText(HWND box) {
  std::wstring text;
  EnumChildWindows(box, AppendStaticText, reinterpret_cast<LPARAM>(&text));
  return text;
}

}  // namespace

// Files of a few kilobytes that claim a million records (on 30 pages, or on 10000 pages of a version
// that stores nothing per page) end the open with the message for a damaged file: the framework's
// box for a file of an unexpected format, shown for real and answered.
TEST_F(DocumentSaveTest, AFileClaimingMoreThanItsSizeEndsTheOpenAsDamaged) {
  for (const wchar_t* fixture : {L"v28_records_without_fields.hex", L"v13_many_pages.hex"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(fixture)));
    const std::wstring path = Path(L"claims.qlm");
    ASSERT_TRUE(testing_support::WriteFileBytes(path, Fixture(fixture)));
    CFolimarDoc doc;
    std::wstring shown;
    const INT_PTR opened = testing_support::RunDialog([&] { return INT_PTR(doc.OnOpenDocument(path.c_str(), TRUE)); },
                                                      [&](HWND box) {
                                                        shown = MessageBoxText(box);
                                                        PostMessageW(box, WM_COMMAND, IDOK, 0);
                                                      });
    EXPECT_EQ(FALSE, opened);
    EXPECT_NE(std::wstring::npos, shown.find(L"Failed to open document")) << shown;
    EXPECT_NE(std::wstring::npos, shown.find(L"\\claims.qlm has an unexpected format.")) << shown;
    EXPECT_TRUE(g_boxes.empty());
    EXPECT_TRUE(doc.GetPathName().IsEmpty());
  }
}

TEST_F(DocumentSaveTest, NewDocumentRequestsOpenTheFileWithOrWithoutItsPath) {
  const std::wstring saved = SavedDocument(L"requested.rud", 9);
  NEW_DOCUMENT_REQUEST& request = theApp.m_newDocument;
  request.documentPath = saved.c_str();

  request.kind = NEW_DOCUMENT_REQUEST::kOpenDocument;
  CFolimarDoc withoutPath;
  ASSERT_TRUE(withoutPath.OnNewDocument());
  EXPECT_EQ(9, FirstValue(withoutPath));
  EXPECT_TRUE(withoutPath.GetPathName().IsEmpty());
  EXPECT_STREQ(L"requested", withoutPath.GetTitle());

  request.kind = NEW_DOCUMENT_REQUEST::kMergeDocument;
  CFolimarDoc withPath;
  ASSERT_TRUE(withPath.OnNewDocument());
  EXPECT_EQ(9, FirstValue(withPath));
  EXPECT_EQ(0, lstrcmpiW(saved.c_str(), withPath.GetPathName()));

  // A file that cannot be opened is reported by the framework's own message box.
  const std::wstring absent = Path(L"missing.rud");
  request.documentPath = absent.c_str();
  CFolimarDoc missing;
  BOOL opened = TRUE;
  std::wstring shown;
  testing_support::RunDialog(
      [&] {
        opened = missing.OnNewDocument();
        return INT_PTR(0);
      },
      [&](HWND box) {
        wchar_t text[1024] = L"";
        GetDlgItemTextW(box, 0xFFFF, text, 1024);
        shown = text;
      });
  EXPECT_FALSE(opened);
  EXPECT_NE(std::wstring::npos, shown.find(absent)) << shown;
  request.kind = NEW_DOCUMENT_REQUEST::kEmpty;
  request.documentPath.Empty();
}

TEST_F(DocumentSaveTest, SaveWithAPathWritesThereWithoutAsking) {
  const std::wstring path = SavedDocument(L"kept.rud", 1);
  CFolimarDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(path.c_str(), TRUE));
  AsTest(doc.GetPage(0)->m_objects.GetHead())->value = 2;
  doc.SetModifiedFlag(TRUE);
  doc.OnFileSave();  // a dialog here would wait for ever: the test would time out
  EXPECT_FALSE(doc.IsModified());
  CFolimarDoc loaded;
  ASSERT_EQ(kLoaded, LoadFile(loaded, path));
  EXPECT_EQ(2, FirstValue(loaded));
}

TEST_F(DocumentSaveTest, AFormWithoutPathIsSavedThroughSaveAsAsADocument) {
  const std::wstring form = Path(L"Order form.qlm");
  ASSERT_TRUE(testing_support::WriteFileBytes(form, testing_support::ReadFileBytes(SavedDocument(L"x.rud", 5))));
  CFolimarDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(form.c_str(), TRUE));
  ASSERT_TRUE(doc.GetPathName().IsEmpty());
  SetSetting(L"InitialDir", folder_.Path());

  std::wstring shownFolder;
  const std::wstring offered = AnswerFileDialog([&] { doc.OnFileSave(); }, Path(L"Filled"), &shownFolder);
  EXPECT_EQ(L"Order form", offered);
  EXPECT_EQ(0, lstrcmpiW(folder_.Path().c_str(), shownFolder.c_str())) << shownFolder;

  // The dialog's default extension makes it a document of the program's own type.
  const std::wstring filled = Path(L"Filled.rud");
  ASSERT_TRUE(Exists(filled));
  EXPECT_EQ(0, lstrcmpiW(filled.c_str(), doc.GetPathName()));
  EXPECT_STREQ(L"Filled", doc.GetTitle());
  EXPECT_FALSE(doc.IsModified());
  ASSERT_FALSE(RecentFiles().empty());
  EXPECT_EQ(0, lstrcmpiW(filled.c_str(), RecentFiles().front().c_str()));
  CFolimarDoc loaded;
  ASSERT_EQ(kLoaded, LoadFile(loaded, filled));
  EXPECT_EQ(5, FirstValue(loaded));
}

TEST_F(DocumentSaveTest, SaveAsRemembersTheFolderAndStartsInIt) {
  const std::wstring sub = Path(L"Chosen");
  ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
  SetSetting(L"InitialDir", folder_.Path() + L"\\");  // a trailing backslash is not doubled
  CFolimarDoc doc;
  doc.SetTitle(L"Draft");
  std::wstring shownFolder;
  EXPECT_EQ(L"Draft", AnswerFileDialog([&] { doc.OnFileSaveAs(); }, sub + L"\\Final.qlm", &shownFolder));
  EXPECT_EQ(0, lstrcmpiW(folder_.Path().c_str(), shownFolder.c_str())) << shownFolder;
  EXPECT_TRUE(Exists(sub + L"\\Final.qlm"));
  EXPECT_EQ(0, lstrcmpiW((sub + L"\\Final.qlm").c_str(), doc.GetPathName()));
  EXPECT_EQ(0, lstrcmpiW(sub.c_str(), Setting(L"InitialDir").c_str())) << Setting(L"InitialDir");

  // The next Save As starts where the last one ended.
  AnswerFileDialog([&] { doc.OnFileSaveAs(); }, L"", &shownFolder);
  EXPECT_EQ(0, lstrcmpiW(sub.c_str(), shownFolder.c_str())) << shownFolder;
}

TEST_F(DocumentSaveTest, SaveAsCancelledOrToADataExchangeFileKeepsTheDocumentAsItWas) {
  SetSetting(L"InitialDir", folder_.Path());
  const std::wstring path = SavedDocument(L"mine.rud", 3);
  CFolimarDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(path.c_str(), TRUE));
  doc.SetModifiedFlag(TRUE);

  AnswerFileDialog([&] { doc.OnFileSaveAs(); }, L"");
  EXPECT_FALSE(Exists(Path(L"exchange.viz")));
  AnswerFileDialog([&] { doc.OnFileSaveAs(); }, Path(L"exchange.viz"));
  // The exchange file is written; the document stays what it was.
  EXPECT_EQ(0u, testing_support::ReadFileBytes(Path(L"exchange.viz")).find("VIZ\t1\nDOCUMENT\t"));
  EXPECT_EQ(0, lstrcmpiW(path.c_str(), doc.GetPathName()));
  EXPECT_STREQ(L"mine", doc.GetTitle());
  EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(g_boxes.empty());
}

TEST_F(DocumentSaveTest, AFailedSaveAsKeepsThePreviousPath) {
  const std::wstring path = SavedDocument(L"first.rud", 3);
  CFolimarDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(path.c_str(), TRUE));
  CTranspBaseClass* broken = NewTestObject(3, 0, 1, L"Broken");
  AsTest(broken)->failStore = TRUE;
  doc.GetPage(0)->m_objects.AddTail(broken);
  AnswerFileDialog([&] { doc.OnFileSaveAs(); }, Path(L"second.rud"));
  EXPECT_FALSE(Exists(Path(L"second.rud")));
  EXPECT_EQ(0, lstrcmpiW(path.c_str(), doc.GetPathName()));
}

TEST_F(DocumentSaveTest, ExportWritesACopyAndLeavesTitlePathAndChangesAlone) {
  const std::wstring path = SavedDocument(L"original.rud", 4);
  CFolimarDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(path.c_str(), TRUE));
  AsTest(doc.GetPage(0)->m_objects.GetHead())->value = 8;
  doc.SetModifiedFlag(TRUE);
  AnswerFileDialog([&] { doc.OnFileExportToVantry(); }, Path(L"copy.rud"));

  CFolimarDoc copy;
  ASSERT_EQ(kLoaded, LoadFile(copy, Path(L"copy.rud")));
  EXPECT_EQ(8, FirstValue(copy));
  EXPECT_STREQ(L"original", doc.GetTitle());
  EXPECT_EQ(0, lstrcmpiW(path.c_str(), doc.GetPathName()));
  EXPECT_TRUE(doc.IsModified()) << "the document's own file still holds the old value";
  CFolimarDoc original;
  ASSERT_EQ(kLoaded, LoadFile(original, path));
  EXPECT_EQ(4, FirstValue(original));
}

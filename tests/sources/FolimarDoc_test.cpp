// The document's page model: a new document, page list operations, the undo history of the pages.
#include "DocumentTestSupport.h"
#include "FolimarApp.h"

using namespace doctest;

namespace {

class FolimarDocTest : public DocumentTest {};

}  // namespace

TEST_F(FolimarDocTest, NewDocumentHasOnePageWithOneEmptyRecordAndDefaultOptions) {
  CFolimarDoc doc;
  ASSERT_EQ(1, doc.GetPageCount());
  EXPECT_FALSE(doc.IsMultipage());
  EXPECT_EQ(1, doc.m_pages.GetCount());
  CPageInfo* page = doc.GetPage(0);
  ASSERT_NE(nullptr, page);
  EXPECT_EQ(1, page->m_table.GetRecordCount());
  EXPECT_EQ(0, page->m_table.GetFieldCount());
  EXPECT_EQ(0, page->m_imagePosition.x);
  EXPECT_EQ(0, page->m_previousImagePosition.y);
  EXPECT_EQ(nullptr, page->m_pBitmap);
  EXPECT_EQ(nullptr, page->m_hMetafile);
  EXPECT_EQ(1000u, page->m_pUndoManager->GetLimit());
  EXPECT_EQ(&doc, page->m_pOwner);
  EXPECT_EQ(0, doc.m_currentRecord);
  EXPECT_DOUBLE_EQ(0.00001, doc.m_unit);
  EXPECT_DOUBLE_EQ(1.0, doc.GetScale());
  EXPECT_EQ(1, doc.m_findMatchCase);
  EXPECT_EQ(1, doc.m_findDirection);

  // The options block as bytes: the values sit at their stored offsets.
  const BYTE* raw = reinterpret_cast<const BYTE*>(&doc.GetOptions());
  EXPECT_EQ(0x01000005u, *reinterpret_cast<const uint32_t*>(raw));
  EXPECT_STREQ(L"Untitled", reinterpret_cast<const wchar_t*>(raw + 4));
  const CString creator = GetCreatorText();
  EXPECT_FALSE(GetAppVersionString().IsEmpty());
  EXPECT_EQ(CString(L"Vantry ") + GetAppVersionString(), creator);
  EXPECT_STREQ(creator, reinterpret_cast<const wchar_t*>(raw + 1534));
  EXPECT_STREQ(creator, reinterpret_cast<const wchar_t*>(raw + 2328));
  EXPECT_EQ(0x3423000Du, *reinterpret_cast<const uint32_t*>(raw + 5240));
  EXPECT_DOUBLE_EQ(1.0, *reinterpret_cast<const double*>(raw + 5280));
}

TEST_F(FolimarDocTest, DeletePageKeepsTheLastPageAndRefusesIndexesOutside) {
  CFolimarDoc doc;
  EXPECT_FALSE(doc.DeletePage(0));  // the only page stays
  EXPECT_EQ(1, doc.GetPageCount());
  doc.AppendNewPage();
  doc.AppendNewPage();
  ASSERT_EQ(3, doc.GetPageCount());
  CPageInfo* third = doc.GetPage(2);
  for (int index : {3, 7, -1}) {
    SCOPED_TRACE(index);
    EXPECT_FALSE(doc.DeletePage(index));
    EXPECT_EQ(3, doc.GetPageCount());
  }
  EXPECT_FALSE(doc.IsModified());
  EXPECT_TRUE(doc.DeletePage(1));
  EXPECT_EQ(2, doc.GetPageCount());
  EXPECT_EQ(2, doc.m_pages.GetCount());
  EXPECT_EQ(third, doc.GetPage(1));
  EXPECT_EQ(1, doc.GetPage(0)->m_imageChanged);
  EXPECT_EQ(1, doc.GetPage(1)->m_imageChanged);
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(FolimarDocTest, DeletingAPageDestroysItsObjectsAndEmptiesEveryHistory) {
  CFolimarDoc doc;
  doc.AppendNewPage();
  CTranspBaseClass* object = NewTestObject(3, 1, 5, L"Box");
  doc.GetPage(1)->m_objects.AddTail(object);
  doc.GetPage(0)->m_pUndoManager->DoCommand(new SetValue(AsTest(object), 9));
  ASSERT_EQ(1u, doc.GetPage(0)->m_pUndoManager->GetUndoCount());
  ASSERT_EQ(1, g_liveTestObjects);
  EXPECT_TRUE(doc.DeletePage(1));
  EXPECT_EQ(0, g_liveTestObjects);
  EXPECT_EQ(0u, doc.GetPage(0)->m_pUndoManager->GetUndoCount());
}

TEST_F(FolimarDocTest, DeleteAllObjectsAndPagesLeavesNoPage) {
  CFolimarDoc doc;
  doc.AppendNewPage();
  doc.GetPage(0)->m_objects.AddTail(NewTestObject(1, 0, 1, L"A"));
  doc.GetPage(1)->m_objects.AddTail(NewTestObject(3, 1, 2, L"B"));
  doc.DeleteAllObjectsAndPages();
  EXPECT_EQ(0, doc.GetPageCount());
  EXPECT_TRUE(doc.m_pages.IsEmpty());
  EXPECT_EQ(0, g_liveTestObjects);
}

TEST_F(FolimarDocTest, ClearUndoManagerEmptiesUndoAndRedoOfEveryPage) {
  CFolimarDoc doc;
  doc.AppendNewPage();
  TestObject target;
  for (int p = 0; p < 2; ++p) {
    CommandManagerT* manager = doc.GetPage(p)->m_pUndoManager;
    manager->DoCommand(new SetValue(&target, 1));
    manager->DoCommand(new SetValue(&target, 2));
    manager->Undo();
    ASSERT_EQ(1u, manager->GetUndoCount());
    ASSERT_EQ(1u, manager->GetRedoCount());
  }
  doc.ClearUndoManager();
  for (int p = 0; p < 2; ++p) {
    EXPECT_EQ(0u, doc.GetPage(p)->m_pUndoManager->GetUndoCount());
    EXPECT_EQ(0u, doc.GetPage(p)->m_pUndoManager->GetRedoCount());
  }
}

TEST_F(FolimarDocTest, AppendedPagesCarryImageSettingsEraseListAndRecords) {
  CFolimarDoc source;
  CPageInfo* from = source.GetPage(0);
  from->m_imagePosition = {12, 34};
  from->m_settings.paperIndex = 7;
  wcscpy(from->m_settings.formName, L"A4");
  from->m_eraseList.AddErased(RECT{0, 0, 10, 10});
  from->m_pBitmap = new LMyBitmap;
  ASSERT_EQ(SUCCESS, from->m_pBitmap->Create(4, 3, 24));
  from->m_imageChanged = 1;
  for (int r = 0; r < 3; ++r) from->m_table.InsertRecord(-1);  // 4 records in all

  CFolimarDoc target;
  CTypedPtrList<CPtrList, CPageInfo*> list;
  list.AddTail(from);
  ASSERT_TRUE(target.AppendPagesFromPagesList(list));
  ASSERT_EQ(2, target.GetPageCount());
  CPageInfo* copy = target.GetPage(1);
  EXPECT_EQ(12, copy->m_imagePosition.x);
  EXPECT_EQ(34, copy->m_imagePosition.y);
  EXPECT_EQ(7, copy->m_settings.paperIndex);
  EXPECT_STREQ(L"A4", copy->m_settings.formName);
  EXPECT_EQ(1, copy->m_eraseList.GetCount());
  ASSERT_TRUE(copy->HasBitmap());
  EXPECT_NE(from->m_pBitmap, copy->m_pBitmap);
  EXPECT_EQ(4, copy->m_pBitmap->GetWidth());
  EXPECT_EQ(0, copy->m_imageChanged);
  // Every page ends with the larger record count.
  EXPECT_EQ(4, copy->m_table.GetRecordCount());
  EXPECT_EQ(4, target.GetPage(0)->m_table.GetRecordCount());
  EXPECT_TRUE(target.IsModified());
}

TEST_F(FolimarDocTest, CopyingAPageWithAnUnreadableMetafileFails) {
  CFolimarDoc source;
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, dc);
  source.GetPage(0)->SetMetafile(CloseEnhMetaFile(dc));
  CFolimarDoc target;
  CPageInfo page(&target);
  EXPECT_TRUE(page.CopyPage(source.GetPage(0), &target, 1));
  EXPECT_NE(nullptr, page.m_hMetafile);
  EXPECT_NE(source.GetPage(0)->m_hMetafile, page.m_hMetafile);

  // A handle that is no metafile any more cannot be read.
  HENHMETAFILE gone = CloseEnhMetaFile(CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr));
  DeleteEnhMetaFile(gone);
  source.GetPage(0)->m_hMetafile = gone;
  CPageInfo failed(&target);
  EXPECT_FALSE(failed.CopyPage(source.GetPage(0), &target, 1));
  EXPECT_TRUE(failed.m_objects.IsEmpty());
  source.GetPage(0)->m_hMetafile = nullptr;
}

TEST_F(FolimarDocTest, CreateFromPagesListReplacesThePages) {
  CFolimarDoc source;
  source.AppendNewPage();
  source.GetPage(1)->m_settings.paperIndex = 3;
  CFolimarDoc target;
  CTypedPtrList<CPtrList, CPageInfo*> list;
  list.AddTail(source.GetPage(1));
  ASSERT_TRUE(target.CreateFromPagesList(list));
  ASSERT_EQ(1, target.GetPageCount());
  EXPECT_EQ(3, target.GetPage(0)->m_settings.paperIndex);
}

TEST_F(FolimarDocTest, OldFilesGetLetterForEnglishAndA4Otherwise) {
  struct Case {
    int language;
    int index;
    double width, height;
    int paperSize;
  } cases[] = {{9, 1, 8.5, 11.0, DMPAPER_LETTER}, {7, 7, 8.27, 11.69, DMPAPER_A4}, {25, 7, 8.27, 11.69, DMPAPER_A4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    _PAGE_SETTINGS settings;
    CFolimarDoc::DefaultPageSettings(settings, c.language);
    EXPECT_EQ(c.index, settings.paperIndex);
    EXPECT_EQ(1, settings.orientation);
    EXPECT_DOUBLE_EQ(c.width, settings.width);
    EXPECT_DOUBLE_EQ(c.height, settings.height);
    EXPECT_EQ(c.paperSize, settings.paperSize);
  }
}

TEST_F(FolimarDocTest, NewDocumentFollowsTheApplicationsRequest) {
  CFolimarApp app;
  ASSERT_EQ(&app, GetFolimarApp());
  NEW_DOCUMENT_REQUEST& request = app.m_newDocument;

  request.kind = NEW_DOCUMENT_REQUEST::kEmpty;
  request.autoCreated = 1;
  request.title = L"Pending";
  CFolimarDoc empty;
  EXPECT_TRUE(empty.OnNewDocument());
  EXPECT_EQ(1, empty.m_autoCreated);
  EXPECT_EQ(CString(L"Pending"), empty.GetTitle());
  EXPECT_EQ(1, empty.GetPageCount());

  CFolimarDoc source;
  source.AppendNewPage();
  source.GetPage(1)->m_settings.paperIndex = 5;
  request.kind = NEW_DOCUMENT_REQUEST::kFromPagesList;
  request.title.Empty();
  request.pages.AddTail(source.GetPage(0));
  request.pages.AddTail(source.GetPage(1));
  CFolimarDoc copied;
  EXPECT_TRUE(copied.OnNewDocument());
  ASSERT_EQ(2, copied.GetPageCount());
  EXPECT_EQ(5, copied.GetPage(1)->m_settings.paperIndex);
  request.pages.RemoveAll();

  request.kind = 9;  // no such request
  CFolimarDoc none;
  EXPECT_FALSE(none.OnNewDocument());
}

TEST_F(FolimarDocTest, CopiedPagesKeepFieldNamesRenameOtherObjectsAndSkipDeletedOnes) {
  CFolimarDoc source;
  CPageInfo* from = source.GetPage(0);
  from->m_objects.AddTail(NewTestObject(1, 0, 10, L"Total"));
  from->m_objects.AddTail(NewTestObject(3, 0, 20, L"Frame"));
  CTranspBaseClass* deleted = NewTestObject(3, 0, 30, L"Gone");
  AsTest(deleted)->deleted = TRUE;
  from->m_objects.AddTail(deleted);
  from->m_table.AddField(L"Total");

  CFolimarDoc target;
  CPageInfo page(&target);
  ASSERT_TRUE(page.CopyPage(from, &target, 1));
  ASSERT_EQ(2, page.m_objects.GetCount());
  TestObject* field = AsTest(page.m_objects.GetHead());
  TestObject* shape = AsTest(page.m_objects.GetTail());
  EXPECT_EQ(CString(L"Total"), field->name);
  EXPECT_EQ(1, field->page);
  EXPECT_EQ(20, shape->value);
  EXPECT_TRUE(shape->name.Left(9) == L"Generated");
  ASSERT_EQ(1, page.m_table.GetFieldCount());
  EXPECT_EQ(CString(L"Total"), page.m_table.GetFieldName(0));
  EXPECT_EQ(1, page.m_table.GetRecordCount());  // the same fields: the source's record came along
  while (!page.m_objects.IsEmpty()) GetDocObjectServices()->destroy(page.m_objects.RemoveHead());

  // An object that cannot be copied fails the whole page; the half-made page goes with its objects.
  AsTest(from->m_objects.GetTail())->deleted = FALSE;
  AsTest(from->m_objects.GetTail())->failStore = TRUE;
  CTypedPtrList<CPtrList, CPageInfo*> list;
  list.AddTail(from);
  const int alive = g_liveTestObjects;
  EXPECT_FALSE(target.AppendPagesFromPagesList(list));
  EXPECT_EQ(1, target.GetPageCount());
  EXPECT_EQ(alive, g_liveTestObjects);
}

TEST_F(FolimarDocTest, PageSettingsAreCopiedOutOnlyForAPageThatExists) {
  CFolimarDoc doc;
  doc.GetPage(0)->m_settings.width = 8.27;
  doc.GetPage(0)->m_settings.orientation = 2;
  _PAGE_SETTINGS settings = {};
  doc.GetPageSettings(settings, 0);
  EXPECT_DOUBLE_EQ(8.27, settings.width);
  EXPECT_EQ(2, settings.orientation);
  settings.width = 1.5;
  for (int missing : {1, -1}) {
    doc.GetPageSettings(settings, missing);
    EXPECT_DOUBLE_EQ(1.5, settings.width) << missing;
  }
}

namespace {

// A metafile on the screen as reference device with the frame given (0.01 mm) and one rectangle.
HENHMETAFILE MakeMetafile(const RECT& frame) {
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  Rectangle(dc, 10, 20, 110, 70);
  return CloseEnhMetaFile(dc);
}

ENHMETAHEADER HeaderOf(HENHMETAFILE metafile) {
  ENHMETAHEADER header = {};
  GetEnhMetaFileHeader(metafile, sizeof(header), &header);
  return header;
}

}  // namespace

// The image size: the bitmap's; else a printed page's metafile (its frame the reference device's
// size) gives the device's pixels, any other metafile the size of what it draws; else nothing.
TEST_F(FolimarDocTest, PageImageSizeComesFromTheBitmapOrTheMetafile) {
  CFolimarDoc doc;
  CPageInfo* page = doc.GetPage(0);
  EXPECT_EQ(0, doc.GetPageImageSize(0).cx);
  EXPECT_EQ(0, doc.GetPageImageSize(3).cy);

  HDC screen = GetDC(nullptr);
  const RECT wholeDevice = {0, 0, GetDeviceCaps(screen, HORZSIZE) * 100, GetDeviceCaps(screen, VERTSIZE) * 100};
  ReleaseDC(nullptr, screen);
  page->SetMetafile(MakeMetafile(wholeDevice));
  const ENHMETAHEADER printed = HeaderOf(page->m_hMetafile);
  SIZE size = doc.GetPageImageSize(0);
  EXPECT_EQ(printed.szlDevice.cx, size.cx);
  EXPECT_EQ(printed.szlDevice.cy, size.cy);

  page->SetMetafile(MakeMetafile({0, 0, 5000, 3000}));
  const ENHMETAHEADER drawing = HeaderOf(page->m_hMetafile);
  size = doc.GetPageImageSize(0);
  EXPECT_EQ(drawing.rclBounds.right - drawing.rclBounds.left, size.cx);
  EXPECT_EQ(drawing.rclBounds.bottom - drawing.rclBounds.top, size.cy);
  EXPECT_LT(size.cx, 120) << "what it draws, not the device";

  LMyBitmap* bitmap = new LMyBitmap;
  ASSERT_EQ(SUCCESS, bitmap->Create(300, 200, 24));
  page->SetBitmap(bitmap);
  size = doc.GetPageImageSize(0);
  EXPECT_EQ(300, size.cx);
  EXPECT_EQ(200, size.cy);
}

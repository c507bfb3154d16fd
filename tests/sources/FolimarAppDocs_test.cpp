// File > New and File > Open in the running frame, driven through their dialogs as a user does: each
// choice and each file type makes the right kind of document, the chosen folder and filter are
// remembered, and an untouched empty document the program made by itself is closed. Also the
// application's documents from bitmaps and metafiles.
#include <gtest/gtest.h>

#include <string>

#include "ChildFrm.h"
#include "DialogDriver.h"
#include "FrameTestSupport.h"
#include "ImageOptions.h"
#include "MyProcs.h"
#include "PaperTable.h"
#include "TranspText.h"
#include "resource.h"

namespace {

using testing_support::ChooseFileInOpenDialog;
using testing_support::Click;
using testing_support::RunDialog;

std::wstring ImagePath(const std::wstring& name) { return std::wstring(VANTRY_TEST_DATA_DIR) + L"/images/" + name; }

// The same path with the backslashes Windows gives it.
std::wstring WindowsPath(std::wstring path) {
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

class FileCommandsTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    ASSERT_NE(nullptr, OpenFrame());
  }
  std::vector<CFolimarDoc*> Documents() const {
    std::vector<CFolimarDoc*> documents;
    for (POSITION pos = s_template->GetFirstDocPosition(); pos;)
      documents.push_back(dynamic_cast<CFolimarDoc*>(s_template->GetNextDoc(pos)));
    return documents;
  }
  CFolimarDoc* Newest() const {
    const std::vector<CFolimarDoc*> documents = Documents();
    return documents.empty() ? nullptr : documents.back();
  }
  // File > New with the dialog's radio `choice`; a file dialog that follows gets `path`.
  void FileNew(int choice, const std::wstring& path = std::wstring()) {
    HWND owner = frame->m_hWnd;
    RunDialog(
        [&] {
          frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_NEW, 0), 0);
          return INT_PTR(0);
        },
        [&](HWND dialog) {
          Click(dialog, choice);
          Click(dialog, IDOK);
          if (!path.empty()) EXPECT_TRUE(ChooseFileInOpenDialog(owner, path.c_str()));
        });
    Pump();
  }
  // File > Open answered with `path`.
  void FileOpen(const std::wstring& path) { AnswerOpenDialog(ID_FILE_OPEN, path); }
  // The command's open-file dialog answered with `path`.
  void AnswerOpenDialog(UINT command, const std::wstring& path) {
    RunDialog(
        [&] {
          frame->SendMessage(WM_COMMAND, MAKEWPARAM(command, 0), 0);
          return INT_PTR(0);
        },
        [&](HWND dialog) {
          HWND box = GetDlgItem(dialog, 0x47C);
          if (box == nullptr) box = GetDlgItem(dialog, 0x480);
          ASSERT_NE(nullptr, box);
          SetWindowTextW(box, path.c_str());
          SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
          for (int i = 0; i < 3000 && IsWindow(dialog); ++i) Sleep(10);
        });
    Pump();
  }
  std::wstring Setting(const wchar_t* name) {
    return std::wstring(theApp.GetProfileString(L"Settings", name));
  }
  static int Tabs(CFolimarDoc* doc) {
    CChildFrame* child = dynamic_cast<CChildFrame*>(ViewOf(doc)->GetParentFrame());
    CPagesPane& pane = child->GetPagesPane();
    return pane.IsVisible() && pane.GetTabControl() != nullptr ? pane.GetTabControl()->GetTabsNum() : 0;
  }
};

TEST_F(FileCommandsTest, NewFromAnImageMakesADocumentOfEveryPageAndRemembersTheFolder) {
  const std::wstring image = WindowsPath(ImagePath(L"pages_lzw.tif"));
  FileNew(IDC_RADIO_NEW_FROM_IMAGE, image);
  CFolimarDoc* doc = Newest();
  ASSERT_NE(nullptr, doc);
  EXPECT_EQ(3, doc->GetPageCount());
  EXPECT_EQ(3, Tabs(doc));
  EXPECT_TRUE(doc->IsImageAvailable(2));
  EXPECT_EQ(DMORIENT_LANDSCAPE, doc->GetPage(1)->m_settings.orientation);
  EXPECT_EQ(image.substr(0, image.rfind(L'\\')), Setting(L"InitialDir"));
  EXPECT_TRUE(doc->GetPathName().IsEmpty());
}

TEST_F(FileCommandsTest, NewEmptyClosesTheUntouchedDocumentTheProgramMadeItself) {
  CDocument* automatic = theApp.CreateEmptyDoc(1);
  ASSERT_NE(nullptr, automatic);
  ASSERT_EQ(1u, Documents().size());
  FileNew(IDC_RADIO_NEW_EMPTY);
  const std::vector<CFolimarDoc*> documents = Documents();
  ASSERT_EQ(1u, documents.size());
  EXPECT_NE(automatic, documents[0]);
  EXPECT_EQ(0, documents[0]->m_autoCreated);
  EXPECT_EQ(1, documents[0]->GetPageCount());
}

TEST_F(FileCommandsTest, NewFromAFormCopiesItIntoAnUntitledDocument) {
  const CString forms = GetFormsPathName();
  ASSERT_TRUE(::CreateDirectoryW(forms, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  const std::wstring form = std::wstring(forms) + L"\\Invoice.qlm";
  {
    CFolimarDoc two;
    two.AppendNewPage();
    ASSERT_TRUE(two.OnSaveDocument(form.c_str()));
  }
  FileNew(IDC_RADIO_NEW_FROM_FORM, form);
  CFolimarDoc* doc = Newest();
  ASSERT_NE(nullptr, doc);
  EXPECT_EQ(2, doc->GetPageCount());
  EXPECT_TRUE(doc->GetPathName().IsEmpty());
  ::DeleteFileW(form.c_str());
}

TEST_F(FileCommandsTest, OpenChoosesTheKindOfDocumentByTheExtension) {
  // A metafile and a document file beside a GIF in one folder.
  std::wstring folder = WindowsPath(temp_.Path());
  folder.pop_back();  // the final backslash
  const std::wstring emf = folder + L"\\page.emf";
  HDC dc = ::CreateEnhMetaFileW(nullptr, emf.c_str(), nullptr, nullptr);
  ASSERT_NE(nullptr, dc);
  ::Rectangle(dc, 0, 0, 400, 300);
  ::DeleteEnhMetaFile(::CloseEnhMetaFile(dc));
  const std::wstring rud = folder + L"\\two pages.rud";
  {
    CFolimarDoc two;
    two.AppendNewPage();
    ASSERT_TRUE(two.OnSaveDocument(rud.c_str()));
  }

  FileOpen(WindowsPath(ImagePath(L"letter.gif")));
  CFolimarDoc* gif = Newest();
  ASSERT_NE(nullptr, gif);
  EXPECT_EQ(1, gif->GetPageCount());
  EXPECT_TRUE(gif->IsImageAvailable(0));
  EXPECT_EQ(34, gif->GetPageImageSize(0).cx);
  EXPECT_TRUE(gif->GetPathName().IsEmpty());

  FileOpen(emf);
  CFolimarDoc* metafile = Newest();
  ASSERT_NE(gif, metafile);
  EXPECT_TRUE(metafile->IsMetafileAvailable(0));
  EXPECT_FALSE(metafile->IsImageAvailable(0));
  EXPECT_EQ(CString(emf.c_str()), metafile->m_imagePath);
  EXPECT_EQ(folder, Setting(L"InitialDir"));

  FileOpen(rud);
  CFolimarDoc* document = Newest();
  ASSERT_NE(metafile, document);
  EXPECT_EQ(2, document->GetPageCount());
  EXPECT_EQ(2, Tabs(document));
  EXPECT_EQ(0, document->GetPathName().CompareNoCase(rud.c_str()));
}

TEST_F(FileCommandsTest, DocumentsFromBitmapsAndMetafilesTakeTheGivenName) {
  LMyBitmapList list;
  for (COLORREF colour : {RGB(255, 0, 0), RGB(0, 255, 0)}) {
    LMyBitmap bitmap;
    ASSERT_EQ(SUCCESS, bitmap.Create(34, 44, 24));
    bitmap.Fill(colour);
    bitmap.SetXResolution(4);
    bitmap.SetYResolution(4);
    ASSERT_EQ(SUCCESS, list.InsertItem(&bitmap));
  }
  CFolimarDoc* pages = dynamic_cast<CFolimarDoc*>(theApp.CreateDocFromBitmapList(&list, L"Printed report"));
  ASSERT_NE(nullptr, pages);
  EXPECT_EQ(2, pages->GetPageCount());
  EXPECT_EQ(2, Tabs(pages));
  EXPECT_EQ(CString(L"Printed report"), pages->GetTitle());
  EXPECT_EQ(kPaperLetter, pages->GetPage(1)->m_settings.paperIndex);
  EXPECT_TRUE(theApp.m_newDocument.title.IsEmpty());

  LMyBitmap scan;
  ASSERT_EQ(SUCCESS, scan.Create(10, 10, 24));
  CFolimarDoc* one = dynamic_cast<CFolimarDoc*>(theApp.CreateDocFromBitmap(&scan, 3, 4));
  ASSERT_NE(nullptr, one);
  EXPECT_EQ(3, one->GetPageImagePos(0).x);
  EXPECT_EQ(nullptr, theApp.m_newDocument.bitmap);

  theApp.AppendPageToDocuments(&scan);
  EXPECT_EQ(3, pages->GetPageCount());
  EXPECT_EQ(2, one->GetPageCount());

  const std::wstring emf = WindowsPath(temp_.Path()) + L"p.emf";
  HDC dc = ::CreateEnhMetaFileW(nullptr, emf.c_str(), nullptr, nullptr);
  ASSERT_NE(nullptr, dc);
  ::Rectangle(dc, 0, 0, 200, 100);
  ::DeleteEnhMetaFile(::CloseEnhMetaFile(dc));
  theApp.m_newDocument.metafiles.AddTail(emf.c_str());
  theApp.m_newDocument.metafiles.AddTail(emf.c_str());
  CFolimarDoc* printed = dynamic_cast<CFolimarDoc*>(theApp.CreateDocFromEmfList(L"Letter"));
  ASSERT_NE(nullptr, printed);
  EXPECT_EQ(2, printed->GetPageCount());
  EXPECT_TRUE(printed->IsMetafileAvailable(1));
  EXPECT_EQ(CString(L"Letter"), printed->GetTitle());
  EXPECT_TRUE(theApp.m_newDocument.metafiles.IsEmpty());
}


// ---- Records, page images and the page image saved from other document files ----

std::vector<std::wstring> g_boxes;
int RecordBox(LPCTSTR text, UINT) {
  g_boxes.push_back(text);
  return IDOK;
}

CTranspText* AddField(CFolimarDoc& doc, LPCWSTR name) {
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  _PROPERTIES properties;
  CTranspText* text = new CTranspText(nullptr, 10000, 10000, &style, &properties, nullptr, 0);
  text->SetName(name);
  doc.AddObjectToList(text);
  doc.AddDBField(text, 0);
  return text;
}

LMyBitmap* Solid(COLORREF colour) {
  LMyBitmap* bitmap = new LMyBitmap;
  bitmap->Create(34, 44, 24);
  bitmap->Fill(colour);
  return bitmap;
}

class OtherDocumentTest : public FileCommandsTest {
 protected:
  void SetUp() override {
    FileCommandsTest::SetUp();
    g_boxes.clear();
    previousBox_ = SetMessageBoxPresenter(RecordBox);
  }
  void TearDown() override {
    SetMessageBoxPresenter(previousBox_);
    FileCommandsTest::TearDown();
  }
  std::wstring Folder() const { return WindowsPath(temp_.Path()); }
  // A saved document of `pages` pages whose field "Name" holds `values`, one record each.
  std::wstring SaveRecords(const wchar_t* name, int pages, const std::vector<const wchar_t*>& values) {
    CFolimarDoc doc;
    while (doc.GetPageCount() < pages) doc.InitPageDBTable(doc.AppendNewPage());
    AddField(doc, L"Name");
    while (doc.GetRecordCount() < static_cast<int>(values.size())) doc.AddRecord();
    for (size_t r = 0; r < values.size(); ++r) doc.GetPage(0)->m_table[static_cast<int>(r)][0] = values[r];
    doc.DoFieldsExchange(0);
    const std::wstring path = Folder() + name;
    EXPECT_TRUE(doc.OnSaveDocument(path.c_str()));
    return path;
  }
  std::wstring SaveImages(const wchar_t* name, const std::vector<COLORREF>& colours, bool firstWithout = false) {
    CFolimarDoc doc;
    while (doc.GetPageCount() < static_cast<int>(colours.size())) doc.InitPageDBTable(doc.AppendNewPage());
    for (size_t p = 0; p < colours.size(); ++p)
      if (!(firstWithout && p == 0)) doc.GetPage(static_cast<int>(p))->SetBitmap(Solid(colours[p]));
    const std::wstring path = Folder() + name;
    EXPECT_TRUE(doc.OnSaveDocument(path.c_str()));
    return path;
  }

  MessageBoxPresenter previousBox_ = nullptr;
};

TEST_F(OtherDocumentTest, LoadDataAppendsTheRecordsOfADocumentWithTheSamePages) {
  const std::wstring same = SaveRecords(L"same.qlm", 1, {L"Ann", L"Bob", L"Cy"});
  const std::wstring longer = SaveRecords(L"longer.qlm", 2, {L"Dee"});
  CFolimarDoc* doc = dynamic_cast<CFolimarDoc*>(theApp.CreateEmptyDoc(0));
  ASSERT_NE(nullptr, doc);
  AddField(*doc, L"Name");
  const size_t documents = Documents().size();

  theApp.LoadData(longer.c_str());
  ASSERT_EQ(1u, g_boxes.size());
  CString incorrect;
  incorrect.LoadString(IDS_INCORRECT_DOCUMENT);
  EXPECT_EQ(std::wstring(incorrect), g_boxes[0]);
  EXPECT_EQ(1, doc->GetRecordCount());
  EXPECT_EQ(documents, Documents().size());

  theApp.LoadData(same.c_str());
  ASSERT_EQ(4, doc->GetRecordCount());
  EXPECT_EQ(documents, Documents().size());  // the copy read is closed again
  const wchar_t* expected[] = {L"Ann", L"Bob", L"Cy"};
  for (int r = 0; r < 3; ++r) EXPECT_EQ(CString(expected[r]), doc->GetPage(0)->m_table[r + 1][0].GetString()) << r;
  EXPECT_EQ(3, doc->GetCurrentRecord());
}

TEST_F(OtherDocumentTest, LoadImageFromRudGivesThePagesTheOtherDocumentsImages) {
  const std::wstring images = SaveImages(L"images.rud", {RGB(255, 0, 0), RGB(0, 0, 255)});
  const std::wstring without = SaveImages(L"without.rud", {RGB(0, 255, 0), RGB(0, 255, 0)}, true);
  CFolimarDoc* doc = NewDocument(3);
  ASSERT_NE(nullptr, doc);
  const size_t documents = Documents().size();

  theApp.LoadImageFromRUD(without.c_str());
  ASSERT_EQ(1u, g_boxes.size());
  CString noImage;
  noImage.LoadString(IDS_NO_MAIN_IMAGE);
  EXPECT_EQ(std::wstring(noImage), g_boxes[0]);
  EXPECT_FALSE(doc->IsImageAvailable());

  theApp.LoadImageFromRUD(images.c_str());
  EXPECT_EQ(documents, Documents().size());
  ASSERT_TRUE(doc->IsImageAvailable(1));
  EXPECT_EQ(RGB(255, 0, 0), doc->GetPage(0)->m_pBitmap->GetPixelColor(5, 5));
  EXPECT_EQ(RGB(0, 0, 255), doc->GetPage(1)->m_pBitmap->GetPixelColor(5, 5));
  EXPECT_FALSE(doc->IsImageAvailable(2));
  // Each new image can be taken back.
  doc->GetUndoManager(1)->Undo();
  EXPECT_FALSE(doc->IsImageAvailable(1));
}

TEST_F(OtherDocumentTest, SaveBackgroundReplacesAFileOnlyByACompleteOne) {
  SetImageSaveChoices(nullptr);  // no option dialog waits for a user
  CFolimarDoc* doc = NewDocument(1);
  ASSERT_NE(nullptr, doc);
  doc->GetPage(0)->SetBitmap(Solid(RGB(0, 128, 255)));
  doc->GetPage(0)->m_imageChanged = 1;
  const std::wstring target = Folder() + L"page.png";
  ASSERT_TRUE(testing_support::WriteFileBytes(target, "old"));

  // The new file cannot be written beside the old one: the old one stays.
  const std::wstring beside = target + L".saving";
  ASSERT_TRUE(::CreateDirectoryW(beside.c_str(), nullptr));
  EXPECT_EQ(0, doc->SaveImageAs(target.c_str(), CString()));
  EXPECT_EQ("old", testing_support::ReadFileBytes(target));
  EXPECT_EQ(1u, g_boxes.size());
  ASSERT_TRUE(::RemoveDirectoryW(beside.c_str()));

  EXPECT_EQ(1, doc->SaveImageAs(target.c_str(), CString()));
  const std::string png = testing_support::ReadFileBytes(target);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ("\x89PNG", png.substr(0, 4));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(beside.c_str()));
  EXPECT_EQ(CString(target.c_str()), doc->m_imagePath);
  EXPECT_EQ(0, doc->GetPage(0)->m_imageChanged);
  LMyBitmap reread;
  ASSERT_EQ(SUCCESS, reread.Load(target.c_str()));
  EXPECT_EQ(RGB(0, 128, 255), reread.GetPixelColor(3, 3));
  RegisterImageOptionDialogs();
}

TEST_F(OtherDocumentTest, ImportFromADocumentMergesItsFieldsThroughTheMenu) {
  const std::wstring form = SaveRecords(L"import.qlm", 1, {L"Ann"});
  CFolimarDoc* doc = dynamic_cast<CFolimarDoc*>(theApp.CreateEmptyDoc(0));
  ASSERT_NE(nullptr, doc);
  ASSERT_EQ(0, doc->GetPage(0)->m_objects.GetCount());
  AnswerOpenDialog(ID_FILE_IMPORT_FROM_VANTRY, form);
  ASSERT_EQ(1, doc->GetPage(0)->m_objects.GetCount());
  EXPECT_EQ(1, doc->GetPage(0)->m_table.GetFieldCount());
  EXPECT_EQ(0, doc->m_merge);
  EXPECT_TRUE(doc->IsModified());
  EXPECT_TRUE(g_boxes.empty());
}

}  // namespace

// File > New and File > Open in the running frame, driven through their dialogs as a user does: each
// choice and each file type makes the right kind of document, the chosen folder and filter are
// remembered, and an untouched empty document the program made by itself is closed. Also the
// application's documents from bitmaps and metafiles.
#include <gtest/gtest.h>

#include <string>

#include "ChildFrm.h"
#include "DialogDriver.h"
#include "FrameTestSupport.h"
#include "MyProcs.h"
#include "PaperTable.h"
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
  void FileOpen(const std::wstring& path) {
    RunDialog(
        [&] {
          frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_OPEN, 0), 0);
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

}  // namespace

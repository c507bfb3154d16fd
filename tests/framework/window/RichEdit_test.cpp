// The rich-edit document and view over the real RICHEDIT50W control: the document's content goes
// through an archive as Rich Text Format and comes back with its text, its formatting and its
// embedded objects; find and replace through the system's dialog; bullets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Framework.h"

#include <dlgs.h>

namespace {

// A view that notes each end of a search.
class NotingView : public CRichEditView {
 public:
  std::vector<std::wstring> notFound;
  void ToggleBullets() { OnBullet(); }
  void OnTextNotFound(LPCTSTR lpszFind) override {
    notFound.push_back(lpszFind);
    CRichEditView::OnTextNotFound(lpszFind);
  }
};

class RichEditDocView : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(AfxOleInit());
    library = LoadLibraryW(L"MSFTEDIT.DLL");
    ASSERT_NE(library, nullptr);
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"host", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
    view = new NotingView;
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &parent, AFX_IDW_PANE_FIRST));
    doc.AddView(view);
    // The control's own default is bold "System"; unformatted text must come out plain.
    CHARFORMAT2W plain = {};
    plain.cbSize = sizeof(plain);
    plain.dwMask = CFM_BOLD | CFM_FACE | CFM_SIZE;
    plain.yHeight = 200;
    lstrcpyW(plain.szFaceName, L"Arial");
    view->SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&plain));
  }
  void TearDown() override {
    if (view && view->m_hWnd) {
      doc.RemoveView(view);
      view->DestroyWindow();  // deletes the view
    }
    if (parent.m_hWnd) parent.DestroyWindow();
    if (library) FreeLibrary(library);
  }
  void Load(const std::string& bytes) {
    CMemFile file;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    doc.Serialize(ar);
    ar.Close();
  }
  std::string Store() {
    CMemFile file;
    {
      CArchive ar(&file, CArchive::store);
      doc.Serialize(ar);
      ar.Close();
    }
    const ULONGLONG length = file.GetLength();
    BYTE* data = file.Detach();
    std::string bytes(reinterpret_cast<const char*>(data), static_cast<size_t>(length));
    free(data);
    return bytes;
  }
  std::wstring Text() {
    wchar_t text[512] = L"";
    GetWindowTextW(view->m_hWnd, text, 512);
    return text;
  }
  BOOL BoldAt(LONG position) {
    CHARRANGE range = {position, position + 1};
    view->SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT2W format = {};
    format.cbSize = sizeof(format);
    view->SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return (format.dwEffects & CFE_BOLD) != 0;
  }

  void Select(LONG from, LONG to) {
    CHARRANGE range = {from, to};
    view->SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  }
  CHARRANGE Selection() {
    CHARRANGE range = {};
    view->SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
  }
  // The view's Find or Replace dialog, opened by its command.
  HWND OpenDialog(UINT command) {
    view->SendMessage(WM_COMMAND, command);
    CFindReplaceDialog* dialog = view->GetFindReplaceDialog();
    return dialog ? dialog->m_hWnd : nullptr;
  }

  HMODULE library = nullptr;
  CWnd parent;
  NotingView* view = nullptr;
  CRichEditDoc doc;
};

TEST_F(RichEditDocView, RichTextLoadsIntoTheControlWithItsFormatting) {
  Load("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Plain {\\b Bold} end.}");
  EXPECT_EQ(Text(), L"Plain Bold end.");
  EXPECT_FALSE(BoldAt(0));
  EXPECT_TRUE(BoldAt(6));
  EXPECT_FALSE(BoldAt(11));
}

TEST_F(RichEditDocView, StoredContentIsRichTextThatLoadsBackTheSame) {
  Load("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 One {\\b two}\\par three}");
  const std::string stored = Store();
  EXPECT_EQ(stored.compare(0, 6, "{\\rtf1"), 0) << stored;
  view->DeleteContents();
  EXPECT_EQ(Text(), L"");
  Load(stored);
  EXPECT_EQ(Text(), L"One two\r\nthree");
  EXPECT_TRUE(BoldAt(4));
  EXPECT_FALSE(BoldAt(0));
  EXPECT_EQ(Store(), stored);
}

TEST_F(RichEditDocView, PlainTextDocumentStoresTextAlone) {
  Load("{\\rtf1\\ansi Just text}");
  doc.m_bRTF = FALSE;
  EXPECT_EQ(Store(), "Just text");
}

TEST_F(RichEditDocView, DeletingContentsEmptiesTheControlAndClearsModified) {
  Load("{\\rtf1\\ansi Something}");
  view->SendMessage(EM_SETMODIFY, TRUE, 0);
  doc.DeleteContents();
  EXPECT_EQ(Text(), L"");
  EXPECT_EQ(view->SendMessage(EM_GETMODIFY, 0, 0), 0);
  EXPECT_EQ(view->SendMessage(EM_CANUNDO, 0, 0), 0);
}

TEST_F(RichEditDocView, ReplaceAllChangesEveryOccurrenceByTheDialogsRulesAndEndsTheSearch) {
  Load("{\\rtf1\\ansi [Name] meets [name]; [Name] again, [Name]s.}");
  HWND dialog = OpenDialog(ID_EDIT_REPLACE);
  ASSERT_NE(dialog, nullptr);
  ASSERT_NE(GetDlgItem(dialog, psh2), nullptr) << "the Replace dialog has Replace All";
  SetDlgItemTextW(dialog, edt1, L"[Name]");
  SetDlgItemTextW(dialog, edt2, L"Alice [Name]");
  SendDlgItemMessageW(dialog, chx2, BM_SETCHECK, BST_CHECKED, 0);  // match case
  SendDlgItemMessageW(dialog, psh2, BM_CLICK, 0, 0);
  // Case matters; the inserted text is not searched again.
  EXPECT_EQ(Text(), L"Alice [Name] meets [name]; Alice [Name] again, Alice [Name]s.");
  EXPECT_EQ(view->notFound, std::vector<std::wstring>{L"[Name]"});
  EXPECT_TRUE(view->SendMessage(EM_CANUNDO, 0, 0)) << "the user can take it back";
  // Closing the dialog leaves the view without one.
  SendDlgItemMessageW(dialog, IDCANCEL, BM_CLICK, 0, 0);
  EXPECT_EQ(view->GetFindReplaceDialog(), nullptr);
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(RichEditDocView, FindNextGoesRoundTheEndOnceAndThenReportsTheEnd) {
  Load("{\\rtf1\\ansi one two one three one}");
  Select(5, 5);  // in "two"
  HWND dialog = OpenDialog(ID_EDIT_FIND);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetDlgItem(dialog, psh2), nullptr) << "the Find dialog replaces nothing";
  SetDlgItemTextW(dialog, edt1, L"one");
  struct {
    LONG from;
    size_t ends;
  } const steps[] = {{8, 0}, {18, 0}, {0, 0}, {0, 1}};
  for (const auto& step : steps) {
    SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
    EXPECT_EQ(Selection().cpMin, step.from);
    EXPECT_EQ(view->notFound.size(), step.ends);
  }
  // After the end a new search begins: from the selection again, through Find Next as well.
  view->SendMessage(WM_COMMAND, ID_EDIT_REPEAT);
  EXPECT_EQ(Selection().cpMin, 8);
  EXPECT_EQ(view->notFound.size(), 1u);
  // Whole words only: "one" is no match inside "money".
  Load("{\\rtf1\\ansi money one}");
  Select(0, 0);
  SendDlgItemMessageW(dialog, chx1, BM_SETCHECK, BST_CHECKED, 0);
  SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
  EXPECT_EQ(Selection().cpMin, 6);
}

TEST_F(RichEditDocView, ReplaceChangesTheFoundTextAndMovesToTheNext) {
  Load("{\\rtf1\\ansi a-b a-b}");
  Select(0, 0);
  HWND dialog = OpenDialog(ID_EDIT_REPLACE);
  ASSERT_NE(dialog, nullptr);
  SetDlgItemTextW(dialog, edt1, L"a-b");
  SetDlgItemTextW(dialog, edt2, L"X");
  // The first press finds, each further one replaces what it found and finds the next.
  SendDlgItemMessageW(dialog, psh1, BM_CLICK, 0, 0);
  EXPECT_EQ(Text(), L"a-b a-b");
  EXPECT_EQ(Selection().cpMin, 0);
  SendDlgItemMessageW(dialog, psh1, BM_CLICK, 0, 0);
  EXPECT_EQ(Text(), L"X a-b");
  EXPECT_EQ(Selection().cpMin, 2);
  SendDlgItemMessageW(dialog, psh1, BM_CLICK, 0, 0);
  EXPECT_EQ(Text(), L"X X");
  EXPECT_EQ(view->notFound.size(), 1u);
}

TEST_F(RichEditDocView, TheSelectionIsOfferedAsTheTextToFind) {
  Load("{\\rtf1\\ansi find me here}");
  Select(5, 7);
  HWND dialog = OpenDialog(ID_EDIT_FIND);
  ASSERT_NE(dialog, nullptr);
  wchar_t text[64] = L"";
  GetDlgItemTextW(dialog, edt1, text, 64);
  EXPECT_STREQ(text, L"me");
  // The same command again keeps the one dialog.
  EXPECT_EQ(OpenDialog(ID_EDIT_FIND), dialog);
}

TEST_F(RichEditDocView, BulletsGoOnAndOffForTheSelectedParagraphs) {
  Load("{\\rtf1\\ansi One\\par Two\\par Three}");
  Select(0, 6);
  view->ToggleBullets();
  PARAFORMAT2 format = view->GetParaFormatSelection();
  EXPECT_TRUE(format.dwMask & PFM_NUMBERING);
  EXPECT_EQ(format.wNumbering, PFN_BULLET);
  Select(10, 10);
  EXPECT_EQ(view->GetParaFormatSelection().wNumbering, 0) << "the third paragraph keeps none";
  Select(0, 6);
  view->ToggleBullets();
  EXPECT_EQ(view->GetParaFormatSelection().wNumbering, 0);
}

// An enhanced metafile of a black frame, 2 by 1 centimetres.
HENHMETAFILE FramePicture() {
  const RECT frame = {0, 0, 2000, 1000};  // 0.01 mm
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Rectangle(dc, 0, 0, 75, 37);
  return CloseEnhMetaFile(dc);
}

TEST_F(RichEditDocView, AnEmbeddedPictureIsStoredWithTheTextAndComesBackAsAnItem) {
  Load("{\\rtf1\\ansi Before after}");
  Select(7, 7);
  HENHMETAFILE picture = FramePicture();
  CRichEditCntrItem* item = doc.CreateClientItem();
  ASSERT_TRUE(item->CreateStaticFromEnhMetaFile(picture));
  DeleteEnhMetaFile(picture);
  EXPECT_EQ(item->GetExtent(), CSize(2000, 1000));
  ASSERT_TRUE(view->InsertItem(item));
  EXPECT_EQ(view->GetRichEditOle()->GetObjectCount(), 1);
  ASSERT_EQ(doc.GetItemCount(), 1);
  POSITION pos = doc.GetStartPosition();
  EXPECT_EQ(doc.GetNextItem(pos), item);
  EXPECT_EQ(item->GetDocument(), &doc);
  // The object is the character after "Before ".
  Select(7, 8);
  EXPECT_EQ(view->GetSelectedItem(), item);
  const std::string stored = Store();
  EXPECT_NE(stored.find("\\pict"), std::string::npos) << stored.substr(0, 300);
  // Loaded again, the object is back with an item of its own and its size.
  doc.DeleteContents();
  EXPECT_EQ(doc.GetItemCount(), 0);
  EXPECT_EQ(view->GetRichEditOle()->GetObjectCount(), 0);
  Load(stored);
  EXPECT_EQ(view->GetRichEditOle()->GetObjectCount(), 1);
  ASSERT_EQ(doc.GetItemCount(), 1);
  pos = doc.GetStartPosition();
  CRichEditCntrItem* loaded = doc.GetNextItem(pos);
  EXPECT_NE(loaded->m_lpObject, nullptr);
  EXPECT_NEAR(loaded->GetExtent().cx, 2000, 30);
  EXPECT_NEAR(loaded->GetExtent().cy, 1000, 30);
  EXPECT_EQ(Text().substr(0, 7), L"Before ");
  // Deleting the object's character takes its item away at the next synchronisation.
  Select(7, 8);
  view->SendMessage(WM_CLEAR, 0, 0);
  doc.SyncItems();
  EXPECT_EQ(doc.GetItemCount(), 0);
}

TEST_F(RichEditDocView, APictureAloneOnTheClipboardIsPastedAsAnObject) {
  Load("{\\rtf1\\ansi Text}");
  Select(4, 4);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_ENHMETAFILE, FramePicture());
  CloseClipboard();
  view->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
  EXPECT_EQ(view->GetRichEditOle()->GetObjectCount(), 1);
  EXPECT_EQ(doc.GetItemCount(), 1);
}

}  // namespace

// The rich-edit document and view over the real RICHEDIT50W control: the document's content goes
// through an archive as Rich Text Format and comes back with its text and its formatting.
#include <gtest/gtest.h>

#include <string>

#include "Framework.h"

namespace {

class RichEditDocView : public ::testing::Test {
 protected:
  void SetUp() override {
    library = LoadLibraryW(L"MSFTEDIT.DLL");
    ASSERT_NE(library, nullptr);
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"host", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
    view = new CRichEditView;
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

  HMODULE library = nullptr;
  CWnd parent;
  CRichEditView* view = nullptr;
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

}  // namespace

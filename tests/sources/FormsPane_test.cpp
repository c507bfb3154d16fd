// The forms pane over the forms folder of a private profile: which files it lists and in what order,
// the path of the chosen form, and a click that fills in a new document from the form.
#include "FormsPane.h"

#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "MyProcs.h"

namespace {

class FormsPaneTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    forms_ = std::wstring(GetFormsPathName());
    ::CreateDirectoryW(forms_.c_str(), nullptr);
  }
  // A one-page form saved into the forms folder.
  void SaveForm(const wchar_t* name) {
    CFolimarDoc* doc = NewDocument(1);
    ASSERT_NE(nullptr, doc);
    ASSERT_TRUE(doc->OnSaveDocument((forms_ + L"\\" + name).c_str()));
    doc->SetModifiedFlag(FALSE);
    doc->OnCloseDocument();
    Pump();
  }
  void Click(CFormsPane& pane) {
    NMHDR header = {pane.GetList().m_hWnd, CFormsPane::kListId, static_cast<UINT>(NM_CLICK)};
    pane.SendMessage(WM_NOTIFY, CFormsPane::kListId, reinterpret_cast<LPARAM>(&header));
  }
  int OpenDocuments() {
    int count = 0;
    for (POSITION pos = s_template->GetFirstDocPosition(); pos; s_template->GetNextDoc(pos)) ++count;
    return count;
  }
  std::wstring forms_;
};

TEST_F(FormsPaneTest, RudFormsComeFirstThenQlmForms) {
  ASSERT_NE(nullptr, OpenFrame());
  SaveForm(L"second.qlm");
  SaveForm(L"alpha.rud");
  SaveForm(L"beta.rud");
  ASSERT_TRUE(testing_support::WriteFileBytes(forms_ + L"\\notes.txt", "x"));
  CFormsPane& pane = frame->GetFormsPane();
  ASSERT_TRUE(pane.LoadForms());
  CListCtrl& list = pane.GetList();
  ASSERT_EQ(3, list.GetItemCount());
  const CStringList& names = pane.GetFileNames();
  ASSERT_EQ(3, names.GetCount());
  EXPECT_TRUE(names.GetAt(names.FindIndex(0)).Right(4) == L".rud");
  EXPECT_TRUE(names.GetAt(names.FindIndex(1)).Right(4) == L".rud");
  EXPECT_STREQ(L"second.qlm", names.GetAt(names.FindIndex(2)));
  EXPECT_EQ(2u, list.GetItemData(2));
  EXPECT_STREQ(GetFormName(L"second.qlm"), list.GetItemText(2, 0)) << "the form's name as its document keeps it";
  EXPECT_FALSE(list.GetItemText(2, 0).IsEmpty());
}

TEST_F(FormsPaneTest, AClickFillsInANewDocumentFromTheChosenForm) {
  ASSERT_NE(nullptr, OpenFrame());
  SaveForm(L"order.qlm");
  CFormsPane& pane = frame->GetFormsPane();
  pane.LoadForms();
  EXPECT_TRUE(pane.GetSelectedItemPathName().IsEmpty());
  Click(pane);
  EXPECT_EQ(0, OpenDocuments()) << "nothing chosen, nothing made";

  frame->SetProgramMode(6, 1);
  pane.GetList().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(forms_ + L"\\order.qlm", std::wstring(pane.GetSelectedItemPathName()));
  Click(pane);
  Pump();
  ASSERT_EQ(1, OpenDocuments());
  EXPECT_EQ(23, frame->GetProgramMode()) << "form filling";
  POSITION pos = s_template->GetFirstDocPosition();
  CDocument* made = s_template->GetNextDoc(pos);
  EXPECT_TRUE(made->GetPathName().IsEmpty()) << "a new document, the form stays as it is";
}

TEST_F(FormsPaneTest, AMissingFormsFolderListsNothing) {
  ::RemoveDirectoryW(forms_.c_str());
  ASSERT_NE(nullptr, OpenFrame());
  EXPECT_EQ(0, frame->GetFormsPane().GetList().GetItemCount());
}

// Without a documents folder there is no forms folder: neither the drive's root is listed nor a
// folder made there.
TEST_F(FormsPaneTest, WithoutADocumentsFolderNothingIsListedOrMadeAtTheRoot) {
  profile_.SetDocumentsValue(L"");
  wchar_t saved[MAX_PATH] = L"";
  ::GetCurrentDirectoryW(MAX_PATH, saved);
  ASSERT_TRUE(::SetCurrentDirectoryW(temp_.Path().c_str()));
  const wchar_t rootForm[] = L"\\form at the root.qlm";
  ASSERT_TRUE(testing_support::WriteFileBytes(rootForm, "KTD"));
  const bool opened = OpenFrame() != nullptr;
  const int listed = opened ? frame->GetFormsPane().GetList().GetItemCount() : -1;
  const DWORD madeAtRoot = ::GetFileAttributesW(L"\\Vantry");
  ::DeleteFileW(rootForm);
  ::SetCurrentDirectoryW(saved);
  ASSERT_TRUE(opened);
  EXPECT_EQ(0, listed);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, madeAtRoot);
}

// Deleting removes a file, so the user is asked first; "No" keeps it.
int g_answer = IDNO;
std::vector<std::wstring> g_questions;
int AnswerBox(LPCTSTR text, UINT) {
  g_questions.push_back(text);
  return g_answer;
}

TEST_F(FormsPaneTest, DeletingAFormAsksFirstAndNoKeepsTheFile) {
  ASSERT_NE(nullptr, OpenFrame());
  SaveForm(L"keep.qlm");
  CFormsPane& pane = frame->GetFormsPane();
  pane.LoadForms();
  ASSERT_EQ(1, pane.GetList().GetItemCount());
  const std::wstring path = forms_ + L"\\keep.qlm";
  MessageBoxPresenter previous = SetMessageBoxPresenter(AnswerBox);
  g_questions.clear();
  g_answer = IDNO;
  EXPECT_FALSE(pane.DeleteForm(path.c_str()));
  EXPECT_EQ(1u, g_questions.size());
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(path.c_str()));
  EXPECT_EQ(1, pane.GetList().GetItemCount());
  g_answer = IDYES;
  EXPECT_TRUE(pane.DeleteForm(path.c_str()));
  SetMessageBoxPresenter(previous);
  EXPECT_EQ(2u, g_questions.size());
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(path.c_str()));
  EXPECT_EQ(0, pane.GetList().GetItemCount());
}

}  // namespace

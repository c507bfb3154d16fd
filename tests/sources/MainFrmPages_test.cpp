// The Page menu of the running frame: each command changes the document's page list and the window's
// page tabs together, clears the undo history, is enabled by the page count and the active page, and
// the delete question and the page dialog are answered as a user would. Also Image > View.
#include <gtest/gtest.h>

#include <vector>

#include "ChildFrm.h"
#include "DialogDriver.h"
#include "FrameTestSupport.h"
#include "MyProcs.h"
#include "commands.h"
#include "resource.h"

#include <commctrl.h>

namespace {

std::vector<std::wstring> g_questions;
int g_answer = IDYES;

int AnswerBox(LPCTSTR text, UINT) {
  g_questions.push_back(text);
  return g_answer;
}

// A command that changes nothing: it only fills a page's undo history.
class Mark : public Command {
 public:
  Mark() : Command(nullptr, nullptr) {}
  bool Execute() override { return true; }
  bool Unexecute() override { return true; }
};

class PageCommandsTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    ASSERT_NE(nullptr, OpenFrame());
    g_questions.clear();
    g_answer = IDYES;
    previousBox_ = SetMessageBoxPresenter(AnswerBox);
  }
  void TearDown() override {
    SetMessageBoxPresenter(previousBox_);
    FrameTest::TearDown();
  }
  // A document of `pages` pages, each marked by its image position x = 100 + its first index.
  CFolimarDoc* MarkedDocument(int pages) {
    CFolimarDoc* doc = NewDocument(pages);
    for (int i = 0; doc != nullptr && i < pages; ++i) doc->GetPage(i)->m_imagePosition.x = 100 + i;
    if (doc != nullptr) doc->SetModifiedFlag(FALSE);
    return doc;
  }
  static std::vector<int> Marks(CFolimarDoc* doc) {
    std::vector<int> marks;
    for (POSITION pos = doc->m_pages.GetHeadPosition(); pos;) marks.push_back(doc->m_pages.GetNext(pos)->m_imagePosition.x);
    return marks;
  }
  static CChildFrame* ChildOf(CDocument* doc) { return dynamic_cast<CChildFrame*>(ViewOf(doc)->GetParentFrame()); }
  static int Tabs(CFolimarDoc* doc) {
    CPagesPane& pane = ChildOf(doc)->GetPagesPane();
    return pane.IsVisible() && pane.GetTabControl() != nullptr ? pane.GetTabControl()->GetTabsNum() : 0;
  }
  static int ActiveTab(CFolimarDoc* doc) { return ChildOf(doc)->GetPagesPane().GetTabControl()->GetActiveTab(); }
  void Command(UINT id) {
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Pump();
  }
  static bool UndoEmpty(CFolimarDoc* doc) {
    for (int i = 0; i < doc->GetPageCount(); ++i)
      if (doc->GetUndoManager(i)->GetUndoCount() != 0) return false;
    return true;
  }
  static void FillUndo(CFolimarDoc* doc) {
    for (int i = 0; i < doc->GetPageCount(); ++i) doc->GetUndoManager(i)->AddUndo(new Mark);
  }
  int DocumentCount() const {
    int count = 0;
    for (POSITION pos = s_template->GetFirstDocPosition(); pos; ++count) s_template->GetNextDoc(pos);
    return count;
  }

  MessageBoxPresenter previousBox_ = nullptr;
};

TEST_F(PageCommandsTest, NextMoveAndPreviousChangeTheListAndTheTabsTogether) {
  CFolimarDoc* doc = MarkedDocument(3);
  ASSERT_NE(nullptr, doc);
  CFolimarView* view = ViewOf(doc);
  ASSERT_EQ(3, Tabs(doc));
  struct Step {
    UINT command;
    std::vector<int> marks;
    int activePage;
    bool enabled;  // a disabled command does nothing, not even clear the history
  } steps[] = {
      {ID_PAGE_NEXT, {100, 101, 102}, 1, true},
      {ID_PAGE_MOVE_RIGHT, {100, 102, 101}, 2, true},
      {ID_PAGE_NEXT, {100, 102, 101}, 2, false},  // the last page has no next one
      {ID_PAGE_PREVIOUS, {100, 102, 101}, 1, true},
      {ID_PAGE_MOVE_LEFT, {102, 100, 101}, 0, true},
      {ID_PAGE_MOVE_LEFT, {102, 100, 101}, 0, false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.command);
    FillUndo(doc);
    Command(step.command);
    EXPECT_EQ(step.marks, Marks(doc));
    EXPECT_EQ(3, doc->GetPageCount());
    EXPECT_EQ(step.activePage, view->GetActivePage());
    EXPECT_EQ(step.activePage, ActiveTab(doc));
    EXPECT_EQ(doc->GetPage(step.activePage)->m_pUndoManager, view->GetActiveUndoManager());
    EXPECT_EQ(step.enabled, UndoEmpty(doc));
    EXPECT_EQ(3, Tabs(doc));
  }
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(1, doc->GetPage(0)->m_imageChanged);
}

TEST_F(PageCommandsTest, DeletingAsksFirstAndShowsThePageBefore) {
  CFolimarDoc* doc = MarkedDocument(3);
  ASSERT_NE(nullptr, doc);
  CFolimarView* view = ViewOf(doc);
  ChildOf(doc)->GetPagesPane().ActivatePage(2);
  g_answer = IDNO;
  Command(ID_PAGE_DELETE);
  ASSERT_EQ(1u, g_questions.size());
  CString question;
  question.LoadString(IDS_DELETE_PAGE_QUESTION);
  EXPECT_EQ(std::wstring(question), g_questions[0]);
  EXPECT_EQ((std::vector<int>{100, 101, 102}), Marks(doc));
  EXPECT_FALSE(doc->IsModified());

  g_answer = IDYES;
  Command(ID_PAGE_DELETE);
  EXPECT_EQ((std::vector<int>{100, 101}), Marks(doc));
  EXPECT_EQ(2, doc->GetPageCount());
  EXPECT_EQ(2, Tabs(doc));
  EXPECT_EQ(1, view->GetActivePage());
  EXPECT_EQ(1, ActiveTab(doc));

  ChildOf(doc)->GetPagesPane().ActivatePage(0);
  Command(ID_PAGE_DELETE);
  EXPECT_EQ((std::vector<int>{101}), Marks(doc));
  EXPECT_EQ(1, doc->GetPageCount());
  EXPECT_EQ(0, Tabs(doc));  // one page shows no tabs
  EXPECT_EQ(0, view->GetActivePage());

  // The last page stays, and nobody is asked.
  g_questions.clear();
  Command(ID_PAGE_DELETE);
  EXPECT_TRUE(g_questions.empty());
  EXPECT_EQ(1, doc->GetPageCount());
}

TEST_F(PageCommandsTest, CommandsAreEnabledByThePageCountAndTheActivePage) {
  struct Expect {
    UINT id;
    bool onePage, firstOfThree, lastOfThree;
  } expects[] = {
      {ID_PAGE_ADD, true, true, true},          {ID_PAGE_TO_DOCUMENT, true, true, true},
      {ID_PAGE_DELETE, false, true, true},      {ID_PAGE_MOVE_LEFT, false, false, true},
      {ID_PAGE_PREVIOUS, false, false, true},   {ID_PAGE_MOVE_RIGHT, false, true, false},
      {ID_PAGE_NEXT, false, true, false},
  };
  for (const Expect& e : expects) EXPECT_FALSE(QueryCommand(frame, e.id).enabled) << e.id << " without a document";
  CFolimarDoc* one = MarkedDocument(1);
  ASSERT_NE(nullptr, one);
  for (const Expect& e : expects) EXPECT_EQ(e.onePage, !!QueryCommand(frame, e.id).enabled) << e.id;
  CFolimarDoc* three = MarkedDocument(3);
  ASSERT_NE(nullptr, three);
  for (const Expect& e : expects) EXPECT_EQ(e.firstOfThree, !!QueryCommand(frame, e.id).enabled) << e.id;
  ChildOf(three)->GetPagesPane().ActivatePage(2);
  for (const Expect& e : expects) EXPECT_EQ(e.lastOfThree, !!QueryCommand(frame, e.id).enabled) << e.id;
}

TEST_F(PageCommandsTest, AddedPagesComeFromTheDialogIntoTheListAndTheTabs) {
  CFolimarDoc* doc = MarkedDocument(1);
  ASSERT_NE(nullptr, doc);
  FillUndo(doc);
  testing_support::RunDialog(
      [&] {
        Command(ID_PAGE_ADD);
        return INT_PTR(0);
      },
      [](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_LIST_PAGES);
        const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        EXPECT_EQ(1, rows);
        LVITEMW item = {};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
        testing_support::Click(dialog, IDOK);
      });
  Pump();
  EXPECT_EQ((std::vector<int>{100, 100}), Marks(doc));
  EXPECT_EQ(2, doc->GetPageCount());
  EXPECT_EQ(2, Tabs(doc));
  EXPECT_TRUE(UndoEmpty(doc));

  // Cancel adds nothing.
  testing_support::RunDialog(
      [&] {
        Command(ID_PAGE_ADD);
        return INT_PTR(0);
      },
      [](HWND dialog) { testing_support::Click(dialog, IDCANCEL); });
  EXPECT_EQ(2, doc->GetPageCount());
}

TEST_F(PageCommandsTest, APageBecomesADocumentOfItsOwn) {
  CFolimarDoc* doc = MarkedDocument(3);
  ASSERT_NE(nullptr, doc);
  ChildOf(doc)->GetPagesPane().ActivatePage(1);
  const int before = DocumentCount();
  Command(ID_PAGE_TO_DOCUMENT);
  ASSERT_EQ(before + 1, DocumentCount());
  // The new document is the template's newest.
  CFolimarDoc* made = nullptr;
  for (POSITION pos = s_template->GetFirstDocPosition(); pos;) made = dynamic_cast<CFolimarDoc*>(s_template->GetNextDoc(pos));
  ASSERT_NE(nullptr, made);
  ASSERT_NE(doc, made);
  EXPECT_EQ((std::vector<int>{101}), Marks(made));
  EXPECT_EQ(0, Tabs(made));
  EXPECT_EQ(3, doc->GetPageCount());
}

TEST_F(PageCommandsTest, ImageViewHidesAndShowsThePageImage) {
  CFolimarDoc* doc = MarkedDocument(1);
  ASSERT_NE(nullptr, doc);
  LMyBitmap* image = new LMyBitmap;
  ASSERT_EQ(SUCCESS, image->Create(20, 20, 24));
  doc->GetPage(0)->SetBitmap(image);
  CFolimarView* view = ViewOf(doc);
  ASSERT_TRUE(view->IsShowPageImage());
  Command(ID_IMAGE_VIEW);
  EXPECT_FALSE(view->IsShowPageImage());
  Command(ID_IMAGE_VIEW);
  EXPECT_TRUE(view->IsShowPageImage());
}

}  // namespace

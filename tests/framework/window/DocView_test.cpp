// A multiple-document program in this test process: the application object, a main frame with its
// MDI client, and documents opened from real files, each in its own child frame and view.
#include <gtest/gtest.h>

#include "../HexFixture.h"
#include "TestDocView.h"
#include "TestSupport.h"

TestApp theApp;

namespace {

using testing_support::ReadFileBytes;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

class DocView : public ::testing::Test {
 protected:
  void SetUp() override {
    RoutedCommands().clear();
    theApp.prompts.clear();
    theApp.answer = IDNO;
    ASSERT_TRUE(theApp.StartUp());
    main = static_cast<CMDIFrameWnd*>(theApp.m_pMainWnd);
    alphaPath = folder.File(L"Alpha.tdoc");
    betaPath = folder.File(L"Beta.tdoc");
    ASSERT_TRUE(WriteFileBytes(alphaPath, ReadHexFixture(L"Alpha.tdoc.hex")));
    ASSERT_TRUE(WriteFileBytes(betaPath, ReadHexFixture(L"Beta.tdoc.hex")));
  }
  void TearDown() override {
    if (theApp.m_pMainWnd) {
      CWnd* frame = theApp.m_pMainWnd;
      theApp.m_pMainWnd = nullptr;  // no quit message for the next test
      theApp.CloseAllDocuments(FALSE);
      frame->DestroyWindow();
    }
  }
  TestDoc* Open(const std::wstring& path) {
    CDocument* doc = theApp.OpenDocumentFile(path.c_str());
    return doc && doc->IsKindOf(RUNTIME_CLASS(TestDoc)) ? static_cast<TestDoc*>(doc) : nullptr;
  }
  static TestView* ViewOf(CDocument* doc) {
    POSITION pos = doc->GetFirstViewPosition();
    return pos ? static_cast<TestView*>(doc->GetNextView(pos)) : nullptr;
  }
  void Command(UINT id) { main->SendMessage(WM_COMMAND, id, 0); }

  TempFolder folder;
  std::wstring alphaPath, betaPath;
  CMDIFrameWnd* main = nullptr;
};

TEST_F(DocView, TwoDocumentsOpenFromFilesEachWithItsOwnChildFrameAndView) {
  TestDoc* alpha = Open(alphaPath);
  TestDoc* beta = Open(betaPath);
  ASSERT_NE(alpha, nullptr);
  ASSERT_NE(beta, nullptr);
  EXPECT_EQ(alpha->m_value, 7);
  EXPECT_STREQ(alpha->m_text, L"Alpha");
  EXPECT_EQ(beta->m_value, 513);
  EXPECT_STREQ(beta->m_text, L"Beta");
  EXPECT_STREQ(alpha->GetTitle(), L"Alpha.tdoc");
  EXPECT_FALSE(alpha->IsModified());
  EXPECT_EQ(theApp.m_pDocManager->GetOpenDocumentCount(), 2);

  TestView* alphaView = ViewOf(alpha);
  TestView* betaView = ViewOf(beta);
  ASSERT_NE(alphaView, nullptr);
  ASSERT_NE(betaView, nullptr);
  CFrameWnd* alphaFrame = alphaView->GetParentFrame();
  CFrameWnd* betaFrame = betaView->GetParentFrame();
  ASSERT_NE(alphaFrame, nullptr);
  ASSERT_NE(alphaFrame, betaFrame);
  EXPECT_TRUE(alphaFrame->IsKindOf(RUNTIME_CLASS(TestChildFrame)));
  EXPECT_EQ(::GetParent(alphaFrame->m_hWnd), main->m_hWndMDIClient);
  EXPECT_EQ(alphaFrame->GetActiveView(), alphaView);
  EXPECT_EQ(alphaView->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
  EXPECT_EQ(main->MDIGetActive(), betaFrame) << "the document opened last is active";
  CString caption;
  betaFrame->GetWindowText(caption);
  EXPECT_STREQ(caption, L"Beta.tdoc");

  EXPECT_EQ(Open(alphaPath), alpha) << "opening an open file again brings its frame forward";
  EXPECT_EQ(theApp.m_pDocManager->GetOpenDocumentCount(), 2);
  EXPECT_EQ(main->MDIGetActive(), alphaFrame);
}

struct RouteCase {
  UINT command;
  const wchar_t* expected;
};

TEST_F(DocView, CommandsGoToTheViewThenTheDocumentThenTheFrameThenTheApplication) {
  TestDoc* alpha = Open(alphaPath);
  TestDoc* beta = Open(betaPath);
  ASSERT_TRUE(alpha && beta);
  const RouteCase cases[] = {
      {ID_TEST_VIEW_CMD, L"view Beta.tdoc"},
      {ID_TEST_DOC_CMD, L"doc Beta.tdoc"},
      {ID_TEST_FRAME_CMD, L"frame"},
      {ID_TEST_APP_CMD, L"app"},
      {ID_TEST_RANGE_FIRST + 1, L"range 32811"},
  };
  for (const RouteCase& c : cases) {
    SCOPED_TRACE(c.expected);
    RoutedCommands().clear();
    Command(c.command);
    ASSERT_EQ(RoutedCommands().size(), 1u);
    EXPECT_EQ(RoutedCommands()[0], c.expected);
  }
  // Activating the other child frame moves the route to its view and document.
  main->MDIActivate(ViewOf(alpha)->GetParentFrame());
  RoutedCommands().clear();
  Command(ID_TEST_VIEW_CMD);
  Command(ID_TEST_DOC_CMD);
  EXPECT_EQ(RoutedCommands(), (std::vector<std::wstring>{L"view Alpha.tdoc", L"doc Alpha.tdoc"}));
}

TEST_F(DocView, UpdateHandlersSetTheStateOfTheDocumentTypesMenu) {
  ASSERT_NE(Open(alphaPath), nullptr);
  CMenu* bar = main->GetMenu();
  ASSERT_NE(bar, nullptr);
  CMenu* test = bar->GetSubMenu(1);
  ASSERT_NE(test, nullptr) << "the active document type's menu is on the main frame";
  CString name;
  bar->GetMenuString(1, name, MF_BYPOSITION);
  EXPECT_STREQ(name, L"&Test");

  main->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(test->m_hMenu), MAKELPARAM(1, FALSE));
  const struct {
    UINT id;
    UINT state;
  } expected[] = {
      {ID_TEST_VIEW_CMD, MF_ENABLED | MF_CHECKED},
      {ID_TEST_DOC_CMD, MF_ENABLED},
      {ID_TEST_APP_CMD, MF_ENABLED},
      {ID_TEST_DISABLED_CMD, MF_GRAYED | MF_DISABLED},
      {32806, MF_GRAYED | MF_DISABLED},  // nobody handles it
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.id);
    EXPECT_EQ(test->GetMenuState(e.id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED | MF_CHECKED), e.state);
  }
  CString text;
  test->GetMenuString(ID_TEST_RANGE_LAST, text, MF_BYCOMMAND);
  EXPECT_STREQ(text, L"Item 3");

  // A command its update handler disables does not run, even when sent directly.
  RoutedCommands().clear();
  Command(ID_TEST_DISABLED_CMD);
  EXPECT_TRUE(RoutedCommands().empty());
}

TEST_F(DocView, SaveWritesTheDocumentThroughSerialize) {
  TestDoc* alpha = Open(alphaPath);
  ASSERT_NE(alpha, nullptr);
  alpha->m_value = 8;
  alpha->m_text = L"Alpha!";
  alpha->SetModifiedFlag();
  Command(ID_FILE_SAVE);
  EXPECT_FALSE(alpha->IsModified());
  EXPECT_EQ(ReadFileBytes(alphaPath), ReadHexFixture(L"AlphaEdited.tdoc.hex"));
  EXPECT_TRUE(theApp.prompts.empty());
}

TEST_F(DocView, AFailedLoadIsReportedAndLeavesNoWindowBehind) {
  const std::wstring path = folder.File(L"Truncated.tdoc");
  ASSERT_TRUE(WriteFileBytes(path, ReadHexFixture(L"Truncated.tdoc.hex")));
  EXPECT_EQ(Open(path), nullptr);
  ASSERT_EQ(theApp.prompts.size(), 1u);
  EXPECT_NE(theApp.prompts[0].find(L"Failed to open document"), std::wstring::npos) << theApp.prompts[0];
  EXPECT_EQ(theApp.m_pDocManager->GetOpenDocumentCount(), 0);
  EXPECT_EQ(main->MDIGetActive(), nullptr);
  EXPECT_EQ(::GetWindow(main->m_hWndMDIClient, GW_CHILD), nullptr);
}

TEST_F(DocView, AFailedSaveKeepsThePreviousFile) {
  TestDoc* alpha = Open(alphaPath);
  ASSERT_NE(alpha, nullptr);
  const std::string before = ReadFileBytes(alphaPath);
  alpha->m_value = 99;
  // Another program holds the file without sharing: replacing it must fail.
  HANDLE held = ::CreateFileW(alphaPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(alpha->OnSaveDocument(alphaPath.c_str()));
  ::CloseHandle(held);
  EXPECT_EQ(ReadFileBytes(alphaPath), before);
  ASSERT_EQ(theApp.prompts.size(), 1u);
  EXPECT_NE(theApp.prompts[0].find(L"Failed to save document"), std::wstring::npos);
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((folder.Path() + L"\\sav*.tmp").c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "the temporary file is removed";
  if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
}

TEST_F(DocView, ViewDrawsTheDocumentIntoAMemoryDC) {
  TestDoc* beta = Open(betaPath);
  ASSERT_NE(beta, nullptr);
  beta->m_value = 30;
  TestView* view = ViewOf(beta);
  CClientDC screen(view);
  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, TestView::kWidth, TestView::kHeight));
  CBitmap* old = memory.SelectObject(&bitmap);
  memory.FillSolidRect(0, 0, TestView::kWidth, TestView::kHeight, RGB(255, 255, 255));
  view->OnPrepareDC(&memory);
  view->OnDraw(&memory);
  EXPECT_EQ(memory.GetPixel(35, 35), RGB(0, 0, 0)) << "the mark at (value, value)";
  EXPECT_EQ(memory.GetPixel(29, 29), beta->Colour());
  EXPECT_EQ(memory.GetPixel(41, 41), beta->Colour());
  EXPECT_EQ(memory.GetPixel(399, 299), beta->Colour());
  memory.SelectObject(old);
}

TEST_F(DocView, ScrollingMovesTheDrawingOrigin) {
  TestDoc* beta = Open(betaPath);
  ASSERT_NE(beta, nullptr);
  TestView* view = ViewOf(beta);
  CFrameWnd* frame = view->GetParentFrame();
  frame->MoveWindow(0, 0, 200, 150);
  view->ScrollToPosition(CPoint(50, 20));
  EXPECT_EQ(view->GetScrollPosition(), CPoint(50, 20));
  CClientDC dc(view);
  view->OnPrepareDC(&dc);
  EXPECT_EQ(dc.GetViewportOrg(), CPoint(-50, -20));
  view->ScrollToPosition(CPoint(5000, 5000));
  const CPoint clamped = view->GetScrollPosition();
  CRect client;
  view->GetClientRect(&client);
  EXPECT_EQ(clamped, CPoint(TestView::kWidth - client.Width(), TestView::kHeight - client.Height()));
}

TEST_F(DocView, ClosingTheMainFrameAsksAboutChangesAndEndsTheMessageLoop) {
  TestDoc* alpha = Open(alphaPath);
  ASSERT_NE(alpha, nullptr);
  alpha->SetModifiedFlag();
  theApp.answer = IDNO;
  main->ShowWindow(SW_SHOW);
  main->PostMessage(WM_CLOSE);
  EXPECT_EQ(theApp.Run(), 0);
  EXPECT_EQ(theApp.m_pMainWnd, nullptr);
  ASSERT_EQ(theApp.prompts.size(), 1u);
  EXPECT_NE(theApp.prompts[0].find(L"Alpha.tdoc?"), std::wstring::npos) << theApp.prompts[0];
  EXPECT_EQ(theApp.m_pDocManager->GetOpenDocumentCount(), 0);
  EXPECT_EQ(ReadFileBytes(alphaPath), ReadHexFixture(L"Alpha.tdoc.hex")) << "No means the file stays as it was";
}

TEST_F(DocView, CancelInTheSavePromptKeepsEverythingOpen) {
  TestDoc* alpha = Open(alphaPath);
  ASSERT_NE(alpha, nullptr);
  alpha->SetModifiedFlag();
  theApp.answer = IDCANCEL;
  main->SendMessage(WM_CLOSE);
  EXPECT_EQ(theApp.m_pMainWnd, main);
  EXPECT_TRUE(::IsWindow(main->m_hWnd));
  EXPECT_EQ(theApp.m_pDocManager->GetOpenDocumentCount(), 1);
  alpha->SetModifiedFlag(FALSE);
}

}  // namespace

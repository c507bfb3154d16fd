#include "TestDocView.h"

std::vector<std::wstring>& RoutedCommands() {
  static std::vector<std::wstring> routed;
  return routed;
}

IMPLEMENT_DYNCREATE(TestDoc, CDocument)
IMPLEMENT_DYNCREATE(TestView, CScrollView)
IMPLEMENT_DYNCREATE(TestChildFrame, CMDIChildWnd)
IMPLEMENT_DYNCREATE(TestMainFrame, CMDIFrameWnd)

// Each command is also handled further along the route, so a test sees which target came first.
BEGIN_MESSAGE_MAP(TestDoc, CDocument)
ON_COMMAND(ID_TEST_DOC_CMD, OnDocCommand)
ON_COMMAND(ID_TEST_VIEW_CMD, OnViewCommandHere)
ON_COMMAND(ID_TEST_DISABLED_CMD, OnDisabledCommand)
ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED_CMD, OnUpdateDisabled)
END_MESSAGE_MAP()

void TestDoc::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.Write("TDOC", 4);
    ar << m_value << m_text.GetLength();
    ar.Write(static_cast<LPCWSTR>(m_text), static_cast<UINT>(m_text.GetLength() * sizeof(WCHAR)));
    return;
  }
  char magic[4] = {};
  if (ar.Read(magic, 4) != 4 || memcmp(magic, "TDOC", 4) != 0) AfxThrowArchiveException(CArchiveException::badSchema);
  int length = 0;
  ar >> m_value >> length;
  if (length < 0 || length > 1 << 20) AfxThrowArchiveException(CArchiveException::badIndex);
  const UINT bytes = static_cast<UINT>(length) * sizeof(WCHAR);
  if (ar.Read(m_text.GetBuffer(length), bytes) != bytes) {
    m_text.ReleaseBuffer(0);
    AfxThrowArchiveException(CArchiveException::endOfFile);
  }
  m_text.ReleaseBuffer(length);
}

void TestDoc::DeleteContents() {
  m_value = 0;
  m_text.Empty();
}

void TestDoc::OnDocCommand() { RoutedCommands().push_back(L"doc " + std::wstring(GetTitle())); }
void TestDoc::OnViewCommandHere() { RoutedCommands().push_back(L"doc took the view's command"); }
void TestDoc::OnDisabledCommand() { RoutedCommands().push_back(L"disabled command ran"); }
void TestDoc::OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

BEGIN_MESSAGE_MAP(TestView, CScrollView)
ON_COMMAND(ID_TEST_VIEW_CMD, OnViewCommand)
ON_UPDATE_COMMAND_UI(ID_TEST_VIEW_CMD, OnUpdateViewCommand)
END_MESSAGE_MAP()

void TestView::OnInitialUpdate() {
  SetScrollSizes(MM_TEXT, CSize(kWidth, kHeight));
  CScrollView::OnInitialUpdate();
}

// The document's area in its colour, with a black 10 x 10 mark at (value, value).
void TestView::OnDraw(CDC* pDC) {
  TestDoc* doc = GetDocument();
  if (!doc) return;
  pDC->FillSolidRect(0, 0, kWidth, kHeight, doc->Colour());
  pDC->FillSolidRect(doc->m_value, doc->m_value, 10, 10, RGB(0, 0, 0));
}

void TestView::OnViewCommand() { RoutedCommands().push_back(L"view " + std::wstring(GetDocument()->GetTitle())); }
void TestView::OnUpdateViewCommand(CCmdUI* pCmdUI) {
  pCmdUI->Enable(TRUE);
  pCmdUI->SetCheck(1);
}

BEGIN_MESSAGE_MAP(TestChildFrame, CMDIChildWnd)
ON_COMMAND(ID_TEST_FRAME_CMD, OnFrameCommand)
ON_COMMAND(ID_TEST_DOC_CMD, OnDocCommandHere)
ON_COMMAND_RANGE(ID_TEST_RANGE_FIRST, ID_TEST_RANGE_LAST, OnRange)
ON_UPDATE_COMMAND_UI_RANGE(ID_TEST_RANGE_FIRST, ID_TEST_RANGE_LAST, OnUpdateRange)
END_MESSAGE_MAP()

void TestChildFrame::OnFrameCommand() { RoutedCommands().push_back(L"frame"); }
void TestChildFrame::OnDocCommandHere() { RoutedCommands().push_back(L"frame took the document's command"); }
void TestChildFrame::OnRange(UINT nID) { RoutedCommands().push_back(L"range " + std::to_wstring(nID)); }
void TestChildFrame::OnUpdateRange(CCmdUI* pCmdUI) {
  CString text;
  text.Format(L"Item %u", pCmdUI->m_nID - ID_TEST_RANGE_FIRST + 1);
  pCmdUI->SetText(text);
}

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
ON_COMMAND(ID_TEST_APP_CMD, OnAppCommand)
ON_COMMAND(ID_TEST_FRAME_CMD, OnFrameCommandHere)
ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
END_MESSAGE_MAP()

int TestApp::DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) {
  prompts.push_back(lpszPrompt);
  return answer;
}

void TestApp::OnAppCommand() { RoutedCommands().push_back(L"app"); }
void TestApp::OnFrameCommandHere() { RoutedCommands().push_back(L"app took the frame's command"); }

bool TestApp::StartUp() {
  if (!m_pDocManager)
    AddDocTemplate(new CMultiDocTemplate(IDR_TESTDOC, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(TestChildFrame),
                                         RUNTIME_CLASS(TestView)));
  TestMainFrame* frame = new TestMainFrame;
  if (!frame->LoadFrame(IDR_MAINFRAME)) return false;
  m_pMainWnd = frame;
  return true;
}

#include "ViewFrameFixture.h"

#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "PageInfo.h"
#include "resource.h"

namespace fixtures {

CMultiDocTemplate* ViewFrame::s_template = nullptr;

namespace {

int g_answer = IDOK;
int AnswerBox(LPCTSTR, UINT) { return g_answer; }
BOOL NoInfoBox(LPCTSTR) { return FALSE; }

}  // namespace

bool ViewFrame::Start(int answer) {
  CFolimarApp* app = static_cast<CFolimarApp*>(AfxGetApp());
  if (s_template == nullptr) {
    // What the program installs at start-up: its object kinds, the view's links and dialogs, the
    // clipboard formats.
    CFolimarApp::RegisterProgramServices();
    CFolimarApp::RegisterClipboardFormats();
    s_template = new CMultiDocTemplate(IDR_FOLIMARTYPE, RUNTIME_CLASS(CFolimarDoc), RUNTIME_CLASS(CMDIChildWnd),
                                       RUNTIME_CLASS(CFolimarView));
    app->AddDocTemplate(s_template);
  }
  // No box waits for a user (set after the dialogs the services put in place).
  g_answer = answer;
  SetMessageBoxPresenter(AnswerBox);
  SetInfoBoxPresenter(NoInfoBox);
  frame = new CMainFrame;
  if (!frame->LoadFrame(IDR_MAINFRAME)) return false;
  app->m_pMainWnd = frame;
  frame->MoveWindow(0, 0, 1000, 760);
  frame->ShowWindow(SW_SHOW);
  frame->SetSnapToGrid(0);
  return true;
}

void ViewFrame::Stop() {
  CFolimarApp* app = static_cast<CFolimarApp*>(AfxGetApp());
  app->m_pMainWnd = nullptr;
  if (s_template != nullptr)
    for (POSITION pos = s_template->GetFirstDocPosition(); pos;) s_template->GetNextDoc(pos)->SetModifiedFlag(FALSE);
  app->CloseAllDocuments(FALSE);
  if (frame != nullptr) frame->DestroyWindow();
  frame = nullptr;
  SetMessageBoxPresenter(nullptr);
  SetInfoBoxPresenter(nullptr);
}

CFolimarView* ViewFrame::OpenFromPage(CPageInfo* page) {
  NEW_DOCUMENT_REQUEST& request = static_cast<CFolimarApp*>(AfxGetApp())->m_newDocument;
  request.pages.AddTail(page);
  request.kind = NEW_DOCUMENT_REQUEST::kFromPagesList;
  CDocument* doc = s_template->OpenDocumentFile(nullptr);
  request.kind = NEW_DOCUMENT_REQUEST::kEmpty;
  request.pages.RemoveAll();
  delete page;
  // Every page of a new document starts with one empty record.
  CFolimarDoc* folimar = dynamic_cast<CFolimarDoc*>(doc);
  if (folimar != nullptr) folimar->InitPageDBTable(folimar->GetPage(0));
  return ViewOf(doc);
}

CFolimarView* ViewFrame::ViewOf(CDocument* doc) {
  if (doc == nullptr) return nullptr;
  POSITION pos = doc->GetFirstViewPosition();
  CView* view = pos != nullptr ? doc->GetNextView(pos) : nullptr;
  if (view == nullptr || !view->IsKindOf(RUNTIME_CLASS(CFolimarView))) return nullptr;
  view->GetParentFrame()->MoveWindow(0, 0, 640, 460);
  view->GetParentFrame()->ActivateFrame();
  return static_cast<CFolimarView*>(view);
}

}  // namespace fixtures

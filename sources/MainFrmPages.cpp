// The Page menu of the main frame (add, delete, move, previous, next, page to document) and the image
// view switch: each acts on the active document window, keeping its pages pane and the document's
// page list together.
#include <algorithm>

#include "ChildFrm.h"
#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "NewDocMultipageDlg.h"
#include "resource.h"

namespace {

// The active document window with its document and view; all null without one.
struct ActiveWindow {
  CChildFrame* child = nullptr;
  CFolimarDoc* doc = nullptr;
  CFolimarView* view = nullptr;
  explicit operator bool() const { return child != nullptr && doc != nullptr && view != nullptr; }
};

ActiveWindow ActiveWindowOf(const CMainFrame& frame) {
  ActiveWindow active;
  active.child = dynamic_cast<CChildFrame*>(frame.MDIGetActive());
  active.view = frame.GetActiveFormView();
  if (active.view != nullptr) active.doc = dynamic_cast<CFolimarDoc*>(active.view->GetDocument());
  return active;
}

}  // namespace

int CMainFrame::ActivePageState(int& pageCount) {
  pageCount = 0;
  const ActiveWindow active = ActiveWindowOf(*this);
  if (!active || IsPrintPreviewMode()) return -1;
  pageCount = active.doc->GetPageCount();
  return active.view->GetActivePage();
}

void CMainFrame::OnMultipageToolsAdd() {
  DEF_TRY
  const ActiveWindow active = ActiveWindowOf(*this);
  CFolimarApp* app = GetFolimarApp();
  if (!active || app == nullptr) return;
  CFolimarDocList documents;
  app->GetDocumentsList(documents);
  CNewDocMultipageDlg dialog(this);
  dialog.m_title.LoadString(IDS_ADD_PAGES_TO_DOC);
  dialog.m_documents = &documents;
  if (dialog.DoModal() != IDOK) return;
  CWaitCursor wait;
  if (dialog.m_pages.IsEmpty()) return;
  if (active.doc->AppendPagesFromPagesList(dialog.m_pages))
    active.child->UpdatePagesBar(active.doc->GetPageCount());
  else
    ErrorBox(IDS_ADD_PAGE_FAILED);
  DEF_CATCH("CMainFrame::OnMultipageToolsAdd")
}

void CMainFrame::OnMultipageToolsDel() {
  DEF_TRY
  const ActiveWindow active = ActiveWindowOf(*this);
  if (!active || active.doc->GetPageCount() <= 1) return;
  if (YesNoBox(IDS_DELETE_PAGE_QUESTION) != IDYES) return;
  const int page = active.view->GetActivePage();
  if (!active.doc->DeletePage(page)) {
    ErrorBox(IDS_OPERATION_FAILED);
    return;
  }
  active.doc->UpdateObjectsPageIndex();
  active.child->UpdatePagesBar(active.doc->GetPageCount());
  active.child->GetPagesPane().ActivatePage(page > 0 ? page - 1 : 0);
  DEF_CATCH("CMainFrame::OnMultipageToolsDel")
}

void CMainFrame::ChangeActivePage(int step, BOOL move) {
  DEF_TRY
  const ActiveWindow active = ActiveWindowOf(*this);
  if (!active) return;
  active.doc->ClearUndoManager();
  const int count = active.doc->GetPageCount();
  const int page = active.view->GetActivePage();
  const int other = page + step;
  if (count <= 1 || other < 0 || other >= count) return;
  if (move) {
    // The earlier of the two pages goes in again after the later one.
    const int first = std::min(page, other);
    CPageList& pages = active.doc->m_pages;
    POSITION pos = pages.FindIndex(first);
    CPageInfo* moved = pages.GetAt(pos);
    pages.RemoveAt(pos);
    pages.InsertAfter(pages.FindIndex(first), moved);
    active.doc->GetPage(page)->m_imageChanged = 1;
    active.doc->GetPage(other)->m_imageChanged = 1;
    active.doc->SetModifiedFlag(TRUE);
    active.doc->UpdateObjectsPageIndex();
  }
  active.child->GetPagesPane().ActivatePage(other);
  DEF_CATCH("CMainFrame::ChangeActivePage")
}

void CMainFrame::OnMultipageToolsMoveleft() { ChangeActivePage(-1, TRUE); }
void CMainFrame::OnMultipageToolsMoveright() { ChangeActivePage(1, TRUE); }
void CMainFrame::OnMultipageToolsPrevious() { ChangeActivePage(-1, FALSE); }
void CMainFrame::OnMultipageToolsNext() { ChangeActivePage(1, FALSE); }

void CMainFrame::OnMultipageToolsConvertPageToDoc() {
  DEF_TRY
  const ActiveWindow active = ActiveWindowOf(*this);
  CFolimarApp* app = GetFolimarApp();
  if (!active || app == nullptr) return;
  active.doc->ClearUndoManager();
  CFolimarView* first = active.doc->GetFirstFolimarView();
  CPageInfo* page = active.doc->GetPage(first != nullptr ? first->GetActivePage() : 0);
  if (page == nullptr) return;
  CPageList pages;
  pages.AddTail(page);
  app->CreateDocFromPagesList(pages);
  DEF_CATCH("CMainFrame::OnMultipageToolsConvertPageToDoc")
}

void CMainFrame::OnImageView() {
  DEF_TRY
  CFolimarView* view = GetActiveFormView();
  if (view == nullptr) return;
  const BOOL show = !view->IsShowPageImage();
  view->SetShowPageImage(show);
  view->Invalidate(TRUE);
  if (m_imageToolBar.m_hWnd != nullptr) {
    const int index = m_imageToolBar.CommandToIndex(ID_IMAGE_VIEW);
    if (index >= 0) m_imageToolBar.SetButtonStyle(index, TBBS_CHECKGROUP | (show ? TBBS_CHECKED : 0));
  }
  DEF_CATCH("CMainFrame::OnImageView")
}

// ---- Enabling ----

void CMainFrame::OnUpdateMultipageToolsAdd(CCmdUI* pCmdUI) {
  int count = 0;
  pCmdUI->Enable(ActivePageState(count) >= 0);
}

void CMainFrame::OnUpdateMultipageToolsDel(CCmdUI* pCmdUI) {
  int count = 0;
  pCmdUI->Enable(ActivePageState(count) >= 0 && count > 1);
}

void CMainFrame::OnUpdateMultipageToolsMoveleft(CCmdUI* pCmdUI) {
  int count = 0;
  const int page = ActivePageState(count);
  pCmdUI->Enable(page > 0 && count >= 2);
}

void CMainFrame::OnUpdateMultipageToolsMoveright(CCmdUI* pCmdUI) {
  int count = 0;
  const int page = ActivePageState(count);
  pCmdUI->Enable(page >= 0 && count >= 2 && page < count - 1);
}

void CMainFrame::OnUpdateNotInPreview(CCmdUI* pCmdUI) { pCmdUI->Enable(!IsPrintPreviewMode()); }

void CMainFrame::OnUpdateFileImage(CCmdUI* pCmdUI) {
  const ActiveWindow active = ActiveWindowOf(*this);
  CFolimarView* first = active ? active.doc->GetFirstFolimarView() : nullptr;
  const int page = first != nullptr ? first->GetActivePage() : -1;
  pCmdUI->Enable(first != nullptr && !IsPrintPreviewMode() &&
                 (active.doc->IsImageAvailable(page) || active.doc->IsMetafileAvailable(page)));
}

// The links through which objects and undo commands reach the form view without knowing its class.
// The view fills the entries it can serve; the others stay null until the view parts that own them
// (repainting, mirrored fields, recalculation) exist, and every caller checks them.
#include "FolimarView.h"

#include "FolimarDoc.h"
#include "MainFrm.h"
#include "TranspCheckMark.h"
#include "TranspText.h"
#include "UndoCommands.h"

namespace {

CFolimarView* AsView(CWnd* window) {
  return window != nullptr && window->IsKindOf(RUNTIME_CLASS(CFolimarView)) ? static_cast<CFolimarView*>(window)
                                                                             : nullptr;
}

void SetDocumentModified(CWnd* window) {
  CFolimarView* view = AsView(window);
  CFolimarDoc* doc = view != nullptr ? view->GetDocument() : nullptr;
  if (doc != nullptr) doc->SetModifiedFlag(TRUE);
}

BOOL GetActivePageExtent(CWnd* window, SIZE* pagePixels) {
  CFolimarView* view = AsView(window);
  if (view == nullptr || pagePixels == nullptr) return FALSE;
  *pagePixels = view->GetGeometry().m_pageExtent;
  return pagePixels->cx > 0 && pagePixels->cy > 0;
}

// The main frame's program mode; 0 (no mode) without a frame of ours.
int ProgramModeOf(CWnd* window) {
  (void)window;
  CWnd* main = AfxGetMainWnd();
  return main != nullptr && main->IsKindOf(RUNTIME_CLASS(CMainFrame)) ? static_cast<CMainFrame*>(main)->GetProgramMode()
                                                                     : 0;
}

CWnd* WindowOfView(CFolimarView* view) { return view; }

CFolimarView* ViewOfWindow(CWnd* window) { return AsView(window); }

CommandManagerT* UndoManagerOf(CWnd* window) {
  CFolimarView* view = AsView(window);
  return view != nullptr ? view->GetActiveUndoManager() : nullptr;
}

// The radio rule on the view's active page, as one step of that page's undo history.
void InvertActivePageCheckMarks(CWnd* window, int group, CTranspBaseClass* checkMark) {
  CFolimarView* view = AsView(window);
  if (view == nullptr || view->GetActiveObjectList() == nullptr) return;
  InvertCheckMarkGroup(*view->GetActiveObjectList(), view->GetActiveUndoManager(), view, group, checkMark);
}

const TRANSP_VIEW_LINK kObjectLink = {
    ProgramModeOf,
    SetDocumentModified,
    nullptr,  // IsHighlightFields: the frame's "Highlight fields" switch
    nullptr,  // GetHighlightColor: the frame's options
    ViewOfWindow,
    UndoManagerOf,
    InvertActivePageCheckMarks,
};

const CTranspText::TEXT_VIEW_LINK kTextLink = {
    nullptr,  // GetTextViewState: the frame's highlight and paragraph-mark options
    nullptr,  // AreHeadersOn: the frame's text-field-headers option
    nullptr,  // CalculateAndRepaint
    nullptr,  // RepaintMirroredObjects
    GetActivePageExtent,
};

UNDO_VIEW_LINK MakeUndoLink() {
  UNDO_VIEW_LINK link = {};
  link.GetWindow = WindowOfView;
  link.IsLineBreakTyped = CTranspText::IsLineBreakTypedIn;
  link.ClearTextSelection = CTranspText::ClearSelectionOf;
  return link;
}
const UNDO_VIEW_LINK kUndoLink = MakeUndoLink();

}  // namespace

void CFolimarView::InstallViewLinks() {
  CTranspBaseClass::SetViewLink(&kObjectLink);
  CTranspText::SetTextViewLink(&kTextLink);
  SetUndoViewLink(&kUndoLink);
}

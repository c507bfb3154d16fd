// The links through which objects and undo commands reach the form view without knowing its class.
// The view fills the entries it serves: the main frame's options, recalculation, mirrored fields and tab
// order.
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
  CMainFrame* frame = GetMainFrame();
  return frame != nullptr ? frame->GetProgramMode() : 0;
}

// The frame's "Highlight fields" switch and colour; off without a frame.
BOOL IsHighlightFieldsOf(CWnd* window) {
  (void)window;
  CMainFrame* frame = GetMainFrame();
  return frame != nullptr && frame->IsHighlightFields();
}

COLORREF HighlightColorOf(CWnd* window) {
  (void)window;
  CMainFrame* frame = GetMainFrame();
  return frame != nullptr ? frame->GetHighlightColor() : 0;
}

void TextViewStateOf(CWnd* window, VIEW_TEXT_STATE& state) {
  CMainFrame* frame = GetMainFrame();
  if (frame == nullptr) return;
  state.highlightFields = IsHighlightFieldsOf(window);
  state.highlightColor = HighlightColorOf(window);
  state.paragraphMarksOff = frame->GetParagraphMarksOff() != 0;
}

// The frame's text-field headers; off without a frame.
BOOL AreHeadersOn() {
  CMainFrame* frame = GetMainFrame();
  return frame != nullptr && frame->AreTextFieldHeadersOn();
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
    IsHighlightFieldsOf,
    HighlightColorOf,
    ViewOfWindow,
    UndoManagerOf,
    InvertActivePageCheckMarks,
};

void CalculateAndRepaintOf(CWnd* window) {
  CFolimarView* view = AsView(window);
  if (view != nullptr) view->CalculateAndRepaint();
}

void RepaintMirroredObjectsOf(CWnd* window, CTranspBaseClass* object, LPCWSTR name) {
  CFolimarView* view = AsView(window);
  if (view != nullptr) view->RepaintMirroredObjects(object, name);
}

const CTranspText::TEXT_VIEW_LINK kTextLink = {
    TextViewStateOf,
    AreHeadersOn,
    CalculateAndRepaintOf,
    RepaintMirroredObjectsOf,
    GetActivePageExtent,
};

UNDO_VIEW_LINK MakeUndoLink() {
  UNDO_VIEW_LINK link = {};
  link.GetWindow = WindowOfView;
  link.RepaintObjects = [](CFolimarView* view) { view->RepaintObjects(); };
  link.DeactivateActiveObject = [](CFolimarView* view) { view->DeactivateActiveObject(); };
  link.SetTabOrderCommand = [](CFolimarView* view, CTranspBaseClass* object, int index) {
    view->SetTabOrderCommand(object, index);
  };
  link.RepaintMirroredObjects = [](CFolimarView* view, CTranspBaseClass* object, LPCWSTR name) {
    view->RepaintMirroredObjects(object, name);
  };
  link.RepaintMirroredCheckMarks = [](CFolimarView* view, CTranspBaseClass* object, LPCWSTR name) {
    view->RepaintMirroredCheckMarks(object, name);
  };
  link.HasMirroredObjects = [](CFolimarView* view) -> BOOL {
    CTranspObjectList* objects = view->GetActiveObjectList();
    for (POSITION pos = objects != nullptr ? objects->GetHeadPosition() : nullptr; pos;)
      if (objects->GetNext(pos)->IsMirrored()) return TRUE;
    return FALSE;
  };
  link.IsLineBreakTyped = CTranspText::IsLineBreakTypedIn;
  link.ClearTextSelection = CTranspText::ClearSelectionOf;
  link.ConvertTextBoxCommand = [](CFolimarView* view, CTranspBaseClass* field, CTranspBaseClass* label, int page) {
    view->ConvertTextBoxCommand(field, label, page);
  };
  link.RemoveTextBoxCommand = [](CFolimarView* view, CTranspBaseClass* field, CTranspBaseClass* label, int page) {
    view->RemoveTextBoxCommand(field, label, page);
  };
  link.ConvertTextFieldCommand = [](CFolimarView* view, CTranspBaseClass* label, CTranspBaseClass* field, int page) {
    view->ConvertTextFieldCommand(label, field, page);
  };
  link.RemoveTextFieldCommand = [](CFolimarView* view, CTranspBaseClass* label, CTranspBaseClass* field, int page) {
    view->RemoveTextFieldCommand(label, field, page);
  };
  return link;
}
const UNDO_VIEW_LINK kUndoLink = MakeUndoLink();

}  // namespace

void CFolimarView::InstallViewLinks() {
  CTranspBaseClass::SetViewLink(&kObjectLink);
  CTranspText::SetTextViewLink(&kTextLink);
  SetUndoViewLink(&kUndoLink);
}

// The program modes of the main frame: the table of modes with their tool commands and cursors,
// setting a mode, the toggles (select, form filling, tab order), snap to grid and the states of the
// tool commands.
#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "resource.h"

namespace {

enum {
  kModeTextField = 1, kModeFreehand = 11, kModeSelect = 12, kModeEraser = 14, kModeUneraser = 15,
  kModeMoveImage = 17, kModeTabOrder = 22, kModeForm = 23, kModeInsertPicture = 25
};

struct MODE_ROW {
  int mode;
  UINT command;  // 0: no tool command sets the mode
  UINT cursor;   // 0: the system arrow
};
const MODE_ROW kModes[] = {
    {1, ID_TOOL_TEXT_FIELD, IDC_CURSOR_TEXT_FIELD},
    {2, ID_TOOL_CHECK_MARK, IDC_CURSOR_CHECK_MARK},
    {3, ID_TOOL_CROP, IDC_CURSOR_CROP},
    {4, ID_TOOL_ROTATION, IDC_CURSOR_ROTATION},
    {5, ID_TOOL_BASE_POINT, IDC_CURSOR_BASE_POINT},
    {6, ID_TOOL_RECTANGLE, IDC_CURSOR_RECTANGLE},
    {7, ID_TOOL_CIRCLE, IDC_CURSOR_CIRCLE},
    {8, ID_TOOL_ELLIPSE, IDC_CURSOR_ELLIPSE},
    {9, ID_TOOL_POLYGON, IDC_CURSOR_PENCIL},
    {10, ID_TOOL_LINE, IDC_CURSOR_LINE},
    {11, ID_TOOL_FREEHAND, IDC_CURSOR_PENCIL},
    {12, ID_TOOL_SELECT, 0},
    {13, 0, IDC_CURSOR_BASE_POINT},
    {14, ID_TOOL_ERASER, IDC_CURSOR_ERASER},
    {15, ID_TOOL_UNERASER, IDC_CURSOR_UNERASER},
    {16, 0, 0},
    {17, ID_TOOL_MOVE_IMAGE, 0},
    {18, ID_TOOL_COPY_REGION, IDC_CURSOR_COPY_REGION},
    {19, ID_TOOL_WHITE_CORRECTION, IDC_CURSOR_WHITE_REFERENCE},
    {20, ID_TOOL_BLACK_CORRECTION, IDC_CURSOR_BLACK_REFERENCE},
    {21, 0, 0},
    {22, ID_TOOL_TAB_ORDER, 0},
    {23, ID_TOOL_FORM_MODE, 0},
    {24, ID_TOOL_LABEL, IDC_CURSOR_LABEL},
    {25, ID_INSERT_PICTURE, 0},
    {26, ID_TOOL_BARCODE, IDC_CURSOR_BARCODE},
};

// The image commands that stay available on a page whose image is a JPEG file or a metafile: they
// move or hide the image or erase over it, and never rewrite its pixels.
const UINT kImageCommandsForAnyImage[] = {ID_TOOL_ERASER,     ID_TOOL_UNERASER,    ID_IMAGE_VIEW,
                                          ID_IMAGE_MOVE_LEFT, ID_IMAGE_MOVE_RIGHT, ID_IMAGE_MOVE_UP,
                                          ID_IMAGE_MOVE_DOWN, ID_TOOL_MOVE_IMAGE};

BOOL IsEraserMode(int mode) { return mode == kModeEraser || mode == kModeUneraser; }

// Every open document of every template.
template <class F>
void ForEachDocument(F f) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return;
  for (POSITION t = app->GetFirstDocTemplatePosition(); t;) {
    CDocTemplate* docTemplate = app->GetNextDocTemplate(t);
    for (POSITION d = docTemplate->GetFirstDocPosition(); d;) f(docTemplate->GetNextDoc(d));
  }
}

HCURSOR LoadModeCursor(UINT id) {
  if (id == 0) return ::LoadCursorW(nullptr, IDC_ARROW);
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCEW(id), RT_GROUP_CURSOR);
  HCURSOR cursor = module != nullptr ? ::LoadCursorW(module, MAKEINTRESOURCEW(id)) : nullptr;
  return cursor != nullptr ? cursor : ::LoadCursorW(nullptr, IDC_ARROW);
}

}  // namespace

UINT CMainFrame::CursorOfMode(int mode) {
  for (const MODE_ROW& row : kModes)
    if (row.mode == mode) return row.cursor;
  return 0;
}

int CMainFrame::ModeOfCommand(UINT command) {
  for (const MODE_ROW& row : kModes)
    if (row.command != 0 && row.command == command) return row.mode;
  return 0;
}

void CMainFrame::SetProgramMode(int mode, int apply) {
  (void)apply;
  DEF_TRY
  CFolimarView* view = GetActiveFormView();
  if (view != nullptr) {
    if (mode != kModeFreehand) view->EndWorkingSignature();
    view->DeactivateActiveObject();
  }
  // The erase-size box belongs to the eraser modes: the main bar is rebuilt on entering and leaving.
  const BOOL wasEraser = IsEraserMode(m_programMode);
  m_eraseComboShown = IsEraserMode(mode) ? 1 : 0;
  if (wasEraser != IsEraserMode(mode) && m_hWnd != nullptr) PostMessage(AFX_WM_RESETTOOLBAR, IDR_MAINFRAME, 0);
  if (mode != kModeTabOrder && view != nullptr) view->RepaintObjects();
  // Tab-order mode draws the page image dimmed: leaving it brings the normal copies back.
  if (m_programMode == kModeTabOrder && view != nullptr) {
    view->ClearScaledPageCache();
    view->Invalidate(TRUE);
  }
  m_prevProgramMode = m_programMode;
  m_programMode = mode;

  HCURSOR cursor = LoadModeCursor(CursorOfMode(mode));
  if (mode == kModeMoveImage && view != nullptr) view->SetFocus();
  if (mode == kModeForm) {
    CFolimarDoc* doc = view != nullptr ? view->GetDocument() : nullptr;
    if (doc != nullptr) doc->ClearUndoManager();
  }
  // The cursors are the program's shared resource cursors: the one replaced is never destroyed.
  if (view != nullptr)
    view->SetViewCursor(cursor);
  else
    CFolimarView::SetToolCursor(cursor);
  ForEachDocument([](CDocument* doc) {
    CFolimarDoc* folimar = dynamic_cast<CFolimarDoc*>(doc);
    if (folimar != nullptr) folimar->ProgramModeChanged();
  });
  DEF_CATCH("CMainFrame::SetProgramMode")
}

void CMainFrame::OnToolCommand(UINT id) {
  const int mode = ModeOfCommand(id);
  if (mode != 0) SetProgramMode(mode, 1);
}

void CMainFrame::OnDrawingToolsFreehand() {
  DEF_TRY
  SetProgramMode(kModeFreehand, 1);
  CString hint;
  hint.LoadString(IDS_HINT_FREEHAND);
  ShowInfoBoxOnce(L"ShowBoxFreeHand", hint);
  DEF_CATCH("CMainFrame::OnDrawingToolsFreehand")
}

void CMainFrame::OnGroupbarSelect() {
  SetProgramMode(m_programMode == kModeSelect ? m_prevProgramMode : kModeSelect, 1);
}

void CMainFrame::OnFormMode() {
  DEF_TRY
  SetProgramMode(m_programMode == kModeForm ? m_prevProgramMode : kModeForm, 1);
  ForEachDocument([](CDocument* doc) { doc->UpdateAllViews(nullptr); });
  DEF_CATCH("CMainFrame::OnFormMode")
}

void CMainFrame::OnStylebarTabOrder() { StylebarTabOrder(TRUE); }

void CMainFrame::StylebarTabOrder(BOOL leave) {
  DEF_TRY
  if (m_programMode == kModeTabOrder && leave) {
    SetProgramMode(m_prevProgramMode == kModeTabOrder ? kModeTextField : m_prevProgramMode, 1);
  } else {
    SetProgramMode(kModeTabOrder, 1);
    RepaintObjects();
  }
  CFolimarView* view = GetActiveFormView();
  if (view == nullptr) return;
  view->ClearScaledPageCache();
  view->Invalidate(TRUE);
  view->ResetTabOrderCounter();
  int noKinds = 0;
  SetPropertyList(_PROPERTIES(), &m_textStyle, &noKinds);
  DEF_CATCH("CMainFrame::StylebarTabOrder")
}

void CMainFrame::OnGroupbarSnapToGrid() {
  DEF_TRY
  CFolimarView* view = GetActiveFormView();
  if (view != nullptr) view->EndWorkingSignature();
  m_mainBar.SetSnapToGrid(!m_options.snapToGrid);
  SetSnapToGrid(m_mainBar.GetSnapToGrid());
  DEF_CATCH("CMainFrame::OnGroupbarSnapToGrid")
}

void CMainFrame::OnHighlightFields() {
  DEF_TRY
  m_options.highlightFields = m_options.highlightFields ? 0 : 1;
  RepaintObjects();
  CFolimarView* view = GetActiveFormView();
  if (view != nullptr) view->Invalidate(FALSE);
  DEF_CATCH("CMainFrame::OnHighlightFields")
}

// ---- Command states ----

void CMainFrame::OnUpdateDrawingTools(CCmdUI* pCmdUI) {
  DEF_TRY
  const BOOL open = MDIGetActive() != nullptr && !IsPrintPreviewMode();
  pCmdUI->Enable(open);
  const int mode = ModeOfCommand(pCmdUI->m_nID);
  pCmdUI->SetRadio(GetActiveFormView() != nullptr && mode != 0 && mode == m_programMode);
  DEF_CATCH("CMainFrame::OnUpdateDrawingTools")
}

void CMainFrame::OnUpdateGroupbarSelect(CCmdUI* pCmdUI) {
  pCmdUI->Enable(MDIGetActive() != nullptr && !IsPrintPreviewMode());
  pCmdUI->SetRadio(m_programMode == kModeSelect);
}

void CMainFrame::OnUpdateTabOrderCtrls(CCmdUI* pCmdUI) {
  pCmdUI->Enable(MDIGetActive() != nullptr && !IsPrintPreviewMode());
  pCmdUI->SetCheck(m_programMode == kModeTabOrder);
}

void CMainFrame::OnUpdateToolbarTools(CCmdUI* pCmdUI) {
  DEF_TRY
  const BOOL open = MDIGetActive() != nullptr && !IsPrintPreviewMode();
  switch (pCmdUI->m_nID) {
    case ID_TOOL_FORM_MODE:
      pCmdUI->Enable(open);
      pCmdUI->SetRadio(m_programMode == kModeForm);
      break;
    case ID_VIEW_HIGHLIGHT_FIELDS:
      pCmdUI->Enable(open && m_programMode == kModeForm);
      pCmdUI->SetCheck(m_options.highlightFields != 0);
      break;
    default:
      pCmdUI->Enable(open);
      break;
  }
  DEF_CATCH("CMainFrame::OnUpdateToolbarTools")
}

void CMainFrame::OnUpdateImageTools(CCmdUI* pCmdUI) {
  DEF_TRY
  pCmdUI->SetCheck(0);
  CFolimarView* view = GetActiveFormView();
  const BOOL open = MDIGetActive() != nullptr && !IsPrintPreviewMode();
  const BOOL image = view != nullptr && (view->IsImageAvailableOnActivePage() || view->IsMetafileAvailableOnActivePage());
  if (!open || !image) {
    pCmdUI->Enable(FALSE);
    return;
  }
  // The tools check by their mode; the image view, moves, erase size and base point never do.
  const int mode = ModeOfCommand(pCmdUI->m_nID);
  if (mode != 0 && pCmdUI->m_nID != ID_TOOL_BASE_POINT) pCmdUI->SetRadio(mode == m_programMode);
  BOOL enable = TRUE;
  if (!view->IsImageAvailableNotJPGOnActivePage() || view->IsMetafileAvailableOnActivePage()) {
    enable = FALSE;
    for (UINT command : kImageCommandsForAnyImage)
      if (command == pCmdUI->m_nID) enable = TRUE;
  }
  pCmdUI->Enable(enable);
  DEF_CATCH("CMainFrame::OnUpdateImageTools")
}

void CMainFrame::OnUpdateGroupbarSnapToGrid(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_options.snapToGrid != 0);
  pCmdUI->Enable(MDIGetActive() != nullptr);
}

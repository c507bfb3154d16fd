// What the main frame asks of the view when the program mode changes: dropping the focus and the
// selection, the cursor of the mode, ending a freehand stroke, renumbering and repainting the active
// page's objects, and the tests of the active page's image.
#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MainFrm.h"
#include "TranspCheckMark.h"
#include "TranspText.h"

namespace {

// The cursor of the current tool; the cursors are the program's shared resource cursors.
HCURSOR g_toolCursor = nullptr;

enum { kModeSelect = 12 };

// Modes in which no object keeps the focus or the selection: the image tools and form filling.
BOOL DropsFocusAndSelection(int mode) {
  switch (mode) {
    case 3: case 4: case 5: case 13: case 19: case 20: case 23: return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void CFolimarView::SetToolCursor(HCURSOR cursor) { g_toolCursor = cursor; }

HCURSOR CFolimarView::GetToolCursor() { return g_toolCursor; }

HCURSOR CFolimarView::SetViewCursor(HCURSOR cursor) {
  DEF_TRY
  g_toolCursor = cursor;
  if (m_hWnd == nullptr) return nullptr;
  return reinterpret_cast<HCURSOR>(::SetClassLongPtrW(m_hWnd, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor)));
  DEF_CATCH("CFolimarView::SetViewCursor")
  return nullptr;
}

void CFolimarView::ProgramModeChanged() {
  DEF_TRY
  CMainFrame* frame = GetMainFrame();
  const int mode = frame != nullptr ? frame->GetProgramMode() : 0;
  if (DropsFocusAndSelection(mode)) {
    DeactivateActiveObject();
    DeselectObjects();
  } else if (mode == kModeSelect) {
    DeactivateActiveObject();
  } else {
    DeselectObjects();
  }
  DEF_CATCH("CFolimarView::ProgramModeChanged")
}

void CFolimarView::DeselectObjects() {
  DEF_TRY
  if (m_pObjects == nullptr) return;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (object->IsSelected()) object->SetSelected(0);
  }
  DEF_CATCH("CFolimarView::DeselectObjects")
}

void CFolimarView::RepaintObjects() {
  DEF_TRY
  if (m_pObjects == nullptr || m_pObjects->IsEmpty()) return;
  int counter = 1;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (object->IsField() && !object->IsDeleted()) object->SetTabOrderIndex(counter++);
    RECT before = {0, 0, 0, 0};
    object->GetRepaintRect(&before);
    CTranspText* text = dynamic_cast<CTranspText*>(object);
    if (text != nullptr) text->Wrap();
    object->Repaint(&before);
  }
  DEF_CATCH("CFolimarView::RepaintObjects")
}

int CFolimarView::GetNextCheckMarkGroup() const {
  DEF_TRY
  int next = 1;
  if (m_pObjects == nullptr) return next;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    const CTranspCheckMark* mark = dynamic_cast<const CTranspCheckMark*>(m_pObjects->GetNext(pos));
    if (mark == nullptr) continue;
    const int group = mark->GetGroup();
    if (group == next)
      ++next;
    else if (group > next)
      next = group + 1;
  }
  return next;
  DEF_CATCH("CFolimarView::GetNextCheckMarkGroup")
  return 0;
}

BOOL CFolimarView::IsImageAvailableNotJPGOnActivePage() const {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  return doc != nullptr && doc->IsImageAvailableNotJPG(m_activePage);
  DEF_CATCH("CFolimarView::IsImageAvailableNotJPGOnActivePage")
  return FALSE;
}

BOOL CFolimarView::IsMetafileAvailableOnActivePage() const {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  return doc != nullptr && doc->IsMetafileAvailable(m_activePage);
  DEF_CATCH("CFolimarView::IsMetafileAvailableOnActivePage")
  return FALSE;
}

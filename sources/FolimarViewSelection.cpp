// The commands of the form view on the active object or on the selection of select mode: delete,
// undo and redo, select all, align and space, grid snapping, layers, freezing, required, clear
// contents, radio groups, tab order, mirrored fields, the image nudges and the record repaints. Every
// change the user can take back is one step of the active page's history.
#include <algorithm>
#include <vector>

#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "PageCommands.h"
#include "TranspBlock.h"
#include "TranspCheckMark.h"
#include "TranspImage.h"
#include "TranspText.h"
#include "UndoCommands.h"
#include "resource.h"
#include "undo.h"

namespace {

enum { kModeSelect = 12, kModeMoveImage = 17, kModeForm = 23 };

CTranspText* AsText(CTranspBaseClass* object) { return dynamic_cast<CTranspText*>(object); }

}  // namespace

// ---- History ----

void CFolimarView::DoCommand(UNDO::CommandBase* command) {
  if (command == nullptr) return;
  if (m_pUndoManager != nullptr) {
    m_pUndoManager->DoCommand(command);
    return;
  }
  command->Execute();
  delete command;
}

void CFolimarView::BeginMacro() {
  if (m_pUndoManager != nullptr) m_pUndoManager->BeginMacro();
}

void CFolimarView::EndMacro() {
  if (m_pUndoManager != nullptr) m_pUndoManager->EndMacro();
}

void CFolimarView::RecordModify(const CUndoState& before, CTranspBaseClass* object) {
  DoCommand(new CModifyCommand(before, object, this));
  SetModified();
}

void CFolimarView::SetModified() {
  CFolimarDoc* doc = GetDocument();
  if (doc != nullptr) doc->SetModifiedFlag(TRUE);
}

void CFolimarView::OnEditUndo() {
  DEF_TRY
  DeactivateActiveObject();
  if (m_pUndoManager != nullptr) m_pUndoManager->Undo();
  UpdatePropertyList();
  CFolimarDoc* doc = GetDocument();
  if (doc != nullptr) doc->Calculate();
  RepaintObjects();
  DEF_CATCH("CFolimarView::OnEditUndo")
}

void CFolimarView::OnEditRedo() {
  DEF_TRY
  DeactivateActiveObject();
  if (m_pUndoManager != nullptr) m_pUndoManager->Redo();
  UpdatePropertyList();
  CFolimarDoc* doc = GetDocument();
  if (doc != nullptr) doc->Calculate();
  RepaintObjects();
  DEF_CATCH("CFolimarView::OnEditRedo")
}

// ---- Delete ----

void CFolimarView::DeleteActiveObject() {
  DEF_TRY
  CTranspBaseClass* active = GetActiveObject();
  if (active == nullptr || m_pObjects == nullptr || m_pObjects->Find(active) == nullptr) return;
  RECT area;
  active->GetRepaintRect(&area);
  DeactivateActiveObject();
  DoCommand(new CDeleteCommand(active, this));
  InvalidateRect(&area, FALSE);
  SetModified();
  CFolimarDoc* doc = GetDocument();
  if (doc != nullptr) doc->SetMirroredFields();
  UpdatePropertyList();
  DEF_CATCH("CFolimarView::DeleteActiveObject")
}

void CFolimarView::DeleteSelectedObjects() {
  DEF_TRY
  if (m_pObjects == nullptr) return;
  std::vector<CTranspBaseClass*> selected;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (object->IsSelected() && !object->IsDeleted()) selected.push_back(object);
  }
  if (selected.empty()) return;
  BeginMacro();
  for (CTranspBaseClass* object : selected) {
    DeactivateActiveObject();
    object->SetSelected(0);
    object->SetFocused(1);
    DeleteActiveObject();
  }
  EndMacro();
  DEF_CATCH("CFolimarView::DeleteSelectedObjects")
}

void CFolimarView::OnEditDelete() {
  if (GetProgramMode() == kModeSelect)
    DeleteSelectedObjects();
  else
    DeleteActiveObject();
}

// ---- Select all ----

void CFolimarView::OnEditSelectAll() {
  DEF_TRY
  CTranspBaseClass* active = GetActiveObject();
  if (GetProgramMode() != kModeSelect) {
    CTranspText* text = AsText(active);
    if (text != nullptr) {
      text->SetFullSelection();
      text->Repaint();
      return;
    }
    if (active == nullptr) return;
    CMainFrame* frame = GetMainFrame();
    if (frame != nullptr) frame->SetProgramMode(kModeSelect, 1);
  }
  if (m_pObjects == nullptr) return;
  // Selecting everything is the rubber band over the whole page.
  CRect page = GetPageRect();
  page.InflateRect(1, 1);
  SelectObjects(&page);
  Invalidate(FALSE);
  DEF_CATCH("CFolimarView::OnEditSelectAll")
}

// ---- Align, space, grid ----

void CFolimarView::AlignTo(int edge) {
  DEF_TRY
  if (m_pObjects == nullptr) return;
  const CRect frame = GetGroupFrameRect();
  BeginMacro();
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (!object->IsSelected() || object->IsDeleted()) continue;
    const CUndoState before = object->GetUndoState();
    switch (edge) {
      case ID_EDIT_ALIGN_LEFT: object->AlignLeftTo(frame.left); break;
      case ID_EDIT_ALIGN_RIGHT: object->AlignRightTo(frame.right); break;
      case ID_EDIT_ALIGN_TOP: object->AlignTopTo(frame.top); break;
      default: object->AlignBottomTo(frame.bottom); break;
    }
    RecordModify(before, object);
  }
  EndMacro();
  Invalidate(FALSE);
  DEF_CATCH("CFolimarView::AlignTo")
}

void CFolimarView::OnAlignCommand(UINT id) { AlignTo(static_cast<int>(id)); }

void CFolimarView::SpaceEvenly(BOOL across) {
  DEF_TRY
  if (m_pObjects == nullptr) return;
  struct ITEM {
    CTranspBaseClass* object;
    RECT rect;
  };
  std::vector<ITEM> items;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (!object->IsSelected() || object->IsDeleted()) continue;
    ITEM item = {object, {0, 0, 0, 0}};
    object->GetAlignRect(&item.rect);
    items.push_back(item);
  }
  if (items.size() < 3) return;
  std::stable_sort(items.begin(), items.end(), [across](const ITEM& a, const ITEM& b) {
    return across ? a.rect.left < b.rect.left : a.rect.top < b.rect.top;
  });
  auto extent = [across](const RECT& r) { return across ? abs(r.right - r.left) : abs(r.bottom - r.top); };
  int sum = 0;
  for (const ITEM& item : items) sum += extent(item.rect);
  const CRect frame = GetGroupFrameRect();
  const int count = static_cast<int>(items.size());
  const int gap = ((across ? frame.Width() : frame.Height()) - sum) / (count - 1);
  int next = (across ? items[0].rect.right : items[0].rect.bottom) + gap;
  BeginMacro();
  for (int i = 1; i < count - 1; ++i) {
    CTranspBaseClass* object = items[i].object;
    const CUndoState before = object->GetUndoState();
    if (across)
      object->AlignLeftTo(next);
    else
      object->AlignTopTo(next);
    next += extent(items[i].rect) + gap;
    RecordModify(before, object);
  }
  EndMacro();
  Invalidate(FALSE);
  DEF_CATCH("CFolimarView::SpaceEvenly")
}

void CFolimarView::OnGroupbarSpaceHorz() { SpaceEvenly(TRUE); }

void CFolimarView::OnGroupbarSpaceVert() { SpaceEvenly(FALSE); }

void CFolimarView::SnapObjectToGrid(CTranspBaseClass* object) {
  DEF_TRY
  CMainFrame* frame = GetMainFrame();
  if (object == nullptr || frame == nullptr) return;
  const int stepX = frame->GetGridStepX(), stepY = frame->GetGridStepY();
  if (stepX <= 0 || stepY <= 0) return;
  RECT r;
  object->GetAlignRect(&r);
  const CUndoState before = object->GetUndoState();
  if (r.left % stepX != 0) object->AlignLeftTo(stepX * (r.left / stepX));
  if (r.bottom % stepY != 0) object->AlignBottomTo(stepY * (r.bottom / stepY + 1));
  RecordModify(before, object);
  object->Repaint();
  DEF_CATCH("CFolimarView::SnapObjectToGrid")
}

void CFolimarView::SnapGroupToGrid() {
  DEF_TRY
  if (m_pObjects == nullptr) return;
  BeginMacro();
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (object->IsSelected() && !object->IsDeleted()) SnapObjectToGrid(object);
  }
  EndMacro();
  DEF_CATCH("CFolimarView::SnapGroupToGrid")
}

void CFolimarView::OnEditAlignToGrid() {
  if (GetSelectedObjectsCount() > 0)
    SnapGroupToGrid();
  else
    SnapObjectToGrid(GetActiveObject());
}

void CFolimarView::OnEditSnapToGrid() {
  CMainFrame* frame = GetMainFrame();
  if (frame != nullptr) frame->SetSnapToGrid(!frame->IsSnapToGrid());
}

// ---- Layers ----

void CFolimarView::MoveToListPosition(CTranspBaseClass* object, POSITION anchor, BOOL after) {
  POSITION own = m_pObjects->Find(object);
  if (own == nullptr || own == anchor) return;
  m_pObjects->RemoveAt(own);
  if (anchor == nullptr)
    after ? m_pObjects->AddTail(object) : m_pObjects->AddHead(object);
  else if (after)
    m_pObjects->InsertAfter(anchor, object);
  else
    m_pObjects->InsertBefore(anchor, object);
}

void CFolimarView::OnLayerCommand(UINT id) {
  DEF_TRY
  CTranspBaseClass* active = GetActiveObject();
  if (active == nullptr || m_pObjects == nullptr) return;
  // A change of drawing order cannot be taken back, and it ends every earlier step.
  if (m_pUndoManager != nullptr) {
    m_pUndoManager->ClearUndoList();
    m_pUndoManager->ClearRedoList();
  }
  POSITION own = m_pObjects->Find(active);
  switch (id) {
    case ID_LAYER_SEND_TO_BACK: MoveToListPosition(active, nullptr, FALSE); break;
    case ID_LAYER_BRING_TO_FRONT: MoveToListPosition(active, nullptr, TRUE); break;
    case ID_LAYER_SEND_BACKWARD:
    case ID_LAYER_BRING_FORWARD: {
      // Fields keep their places (they are the data columns): step over them to the first other one.
      const BOOL back = id == ID_LAYER_SEND_BACKWARD;
      POSITION pos = own;
      back ? m_pObjects->GetPrev(pos) : m_pObjects->GetNext(pos);
      while (pos != nullptr && m_pObjects->GetAt(pos)->IsField()) back ? m_pObjects->GetPrev(pos) : m_pObjects->GetNext(pos);
      if (pos == nullptr) break;
      MoveToListPosition(active, pos, !back);
      break;
    }
    default: break;
  }
  // The order is stored with the document: without the mark a close would lose it silently.
  SetModified();
  RepaintObjects();
  DEF_CATCH("CFolimarView::OnLayerCommand")
}

void CFolimarView::OnEditObjectUp() {
  DEF_TRY
  CTranspBaseClass* active = GetActiveObject();
  if (active == nullptr || m_pObjects == nullptr) return;
  MoveToListPosition(active, nullptr, TRUE);
  SetModified();
  RepaintObjects();
  DEF_CATCH("CFolimarView::OnEditObjectUp")
}

// ---- Freeze, required, clear contents ----

void CFolimarView::OnEditFreezeObject() {
  DEF_TRY
  if (m_pObjects == nullptr) return;
  if (GetProgramMode() == kModeSelect) {
    BeginMacro();
    for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
      CTranspBaseClass* object = m_pObjects->GetNext(pos);
      if (!object->IsSelected() || object->IsDeleted()) continue;
      const CUndoState before = object->GetUndoState();
      object->SetFrozen(1);
      RecordModify(before, object);
      object->SetSelected(0);
    }
    EndMacro();
  } else {
    CTranspBaseClass* active = GetActiveObject();
    if (active == nullptr) return;
    const CUndoState before = active->GetUndoState();
    active->SetFrozen(1);
    RecordModify(before, active);
    DeactivateActiveObject();
  }
  Invalidate(FALSE);
  DEF_CATCH("CFolimarView::OnEditFreezeObject")
}

void CFolimarView::OnEditUnfreezeAllObject() {
  DEF_TRY
  if (m_pObjects == nullptr) return;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    const CUndoState before = object->GetUndoState();
    object->SetFrozen(0);
    RecordModify(before, object);
    object->Repaint();
  }
  DEF_CATCH("CFolimarView::OnEditUnfreezeAllObject")
}

void CFolimarView::OnEditRequired() {
  DEF_TRY
  CTranspText* text = AsText(GetActiveObject());
  if (text == nullptr) return;
  const CUndoState before = text->GetUndoState();
  text->InvertRequired();
  RecordModify(before, text);
  text->Repaint();
  DEF_CATCH("CFolimarView::OnEditRequired")
}

int CFolimarView::ClearContents(CTranspBaseClass* object) {
  DEF_TRY
  CTranspText* text = AsText(object);
  if (text != nullptr) {
    const CUndoState before = text->GetUndoState();
    if (text->IsNumeric()) {
      if (text->HasFormula()) text->SetFormula(L"");
      text->ClearValue();
    } else {
      text->SetText(L"", TEXT_TYPED_BY_USER);
    }
    RecordModify(before, text);
    if (text->IsMirrored()) RepaintMirroredObjects(text, text->GetName());
    return 1;
  }
  CTranspCheckMark* mark = dynamic_cast<CTranspCheckMark*>(object);
  if (mark != nullptr) {
    const CUndoState before = mark->GetUndoState();
    mark->SetValue(CVariant());
    RecordModify(before, mark);
    if (mark->IsMirrored()) RepaintMirroredCheckMarks(mark, mark->GetName());
  }
  return 1;
  DEF_CATCH("CFolimarView::ClearContents")
  return 0;
}

void CFolimarView::OnEditClearContents() {
  DEF_TRY
  BeginMacro();
  BOOL done = FALSE;
  if (GetProgramMode() == kModeSelect && m_pObjects != nullptr) {
    for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
      CTranspBaseClass* object = m_pObjects->GetNext(pos);
      if (object->IsSelected() && !object->IsDeleted()) done |= ClearContents(object);
    }
  } else if (GetActiveObject() != nullptr) {
    done = ClearContents(GetActiveObject());
  }
  EndMacro();
  if (done) CalculateAndRepaint();
  DEF_CATCH("CFolimarView::OnEditClearContents")
}

void CFolimarView::InvertCheckMarks(int group, CTranspBaseClass* checkMark) {
  DEF_TRY
  if (m_pObjects == nullptr) return;
  InvertCheckMarkGroup(*m_pObjects, m_pUndoManager, this, group, checkMark);
  SetModified();
  DEF_CATCH("CFolimarView::InvertCheckMarks")
}

// ---- Tab order ----

void CFolimarView::SetTabOrder(int index) {
  DEF_TRY
  CTranspBaseClass* active = GetActiveObject();
  if (active == nullptr) {
    ErrorBox(L"Object doesn't activated!");
    return;
  }
  if (index == active->GetTabOrderIndex()) return;
  DoCommand(new CModifyTabOrderCommand(active, index, this));
  DEF_CATCH("CFolimarView::SetTabOrder")
}

void CFolimarView::SetTabOrderCommand(CTranspBaseClass* object, int index) {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  if (doc == nullptr || m_pObjects == nullptr || object == nullptr) return;
  doc->DoFieldsExchange(TRUE);
  const int count = static_cast<int>(m_pObjects->GetCount());
  if (index < 1 || index > count) {
    CString text;
    text.LoadString(IDS_WRONG_TAB_INDEX);
    ErrorBox(text);
    return;
  }
  // The target: the object that holds the index now, else the position of that number.
  int target = index;
  int c = 1;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos; ++c) {
    if (m_pObjects->GetNext(pos)->GetTabOrderIndex() == index) {
      target = c - 1;
      break;
    }
  }
  POSITION targetPos = target < count ? m_pObjects->FindIndex(target) : nullptr;
  POSITION own = m_pObjects->Find(object);
  if (own == nullptr) return;
  int k = 0;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos != own; m_pObjects->GetNext(pos)) ++k;
  const BOOL field = object->IsField() != 0;
  int oldField = 0, newField = 0;
  BOOL inserted = FALSE;
  if (field) {
    for (POSITION pos = m_pObjects->GetHeadPosition(); pos != own;) oldField += m_pObjects->GetNext(pos)->IsField() ? 1 : 0;
    for (POSITION pos = m_pObjects->GetHeadPosition(); pos != nullptr && pos != targetPos;)
      newField += m_pObjects->GetNext(pos)->IsField() ? 1 : 0;
    if (k >= index) {
      targetPos != nullptr ? m_pObjects->InsertBefore(targetPos, object) : m_pObjects->AddHead(object);
      inserted = TRUE;
    } else if (targetPos == nullptr || !m_pObjects->GetAt(targetPos)->IsField()) {
      --newField;
    }
  }
  if (!inserted) {
    if (k < index)
      targetPos != nullptr ? m_pObjects->InsertAfter(targetPos, object) : m_pObjects->AddTail(object);
    else
      targetPos != nullptr ? m_pObjects->InsertBefore(targetPos, object) : m_pObjects->AddHead(object);
  }
  m_pObjects->RemoveAt(own);
  if (field) doc->MoveField(m_activePage, oldField, newField);
  doc->DoFieldsExchange(FALSE);
  RepaintObjects();
  SetModified();
  DEF_CATCH("CFolimarView::SetTabOrderCommand")
}

// ---- Recalculation and mirrored objects ----

void CFolimarView::CalculateAndRepaint() {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  if (doc != nullptr) doc->Calculate();
  RepaintObjects();
  DEF_CATCH("CFolimarView::CalculateAndRepaint")
}

void CFolimarView::RepaintMirroredObjects(CTranspBaseClass* source, LPCWSTR name) {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  CTranspText* from = AsText(source);
  // Objects without a name share nothing.
  if (doc == nullptr || from == nullptr || name == nullptr || *name == L'\0') return;
  BOOL recalculate = FALSE;
  for (POSITION pagePos = doc->m_pages.GetHeadPosition(); pagePos;) {
    CPageInfo* page = doc->m_pages.GetNext(pagePos);
    for (POSITION pos = page->m_objects.GetHeadPosition(); pos;) {
      CTranspText* copy = AsText(page->m_objects.GetNext(pos));
      if (copy == nullptr || copy == from || !copy->IsMirrored() || copy->GetName() != name) continue;
      RECT old;
      copy->GetRepaintRect(&old);
      if (copy->IsNumeric()) {
        if (from->HasFormula()) {
          copy->SetFormula(from->GetFormula());
        } else {
          copy->SetFormula(L"");
          copy->SetValue(from->GetValue());
          if (from->IsValueBlank()) copy->ClearValue();
        }
        recalculate = TRUE;
      } else {
        copy->SetText(from->GetText());
        copy->Wrap();
      }
      copy->Repaint(&old);
    }
  }
  if (recalculate) doc->Calculate();
  DEF_CATCH("CFolimarView::RepaintMirroredObjects")
}

void CFolimarView::RepaintMirroredCheckMarks(CTranspBaseClass* source, LPCWSTR name) {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  if (doc == nullptr || dynamic_cast<CTranspCheckMark*>(source) == nullptr || name == nullptr || *name == L'\0')
    return;
  for (POSITION pagePos = doc->m_pages.GetHeadPosition(); pagePos;) {
    CPageInfo* page = doc->m_pages.GetNext(pagePos);
    for (POSITION pos = page->m_objects.GetHeadPosition(); pos;) {
      CTranspCheckMark* copy = dynamic_cast<CTranspCheckMark*>(page->m_objects.GetNext(pos));
      if (copy == nullptr || copy == source || !copy->IsMirrored() || copy->GetName() != name) continue;
      copy->SetValue(source->GetValue());
      copy->Repaint();
    }
  }
  DEF_CATCH("CFolimarView::RepaintMirroredCheckMarks")
}

// ---- Record repaints ----

void CFolimarView::SavePreviousRegions() {
  DEF_TRY
  if (m_pObjects == nullptr) return;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) m_pObjects->GetNext(pos)->SaveRegion();
  DEF_CATCH("CFolimarView::SavePreviousRegions")
}

void CFolimarView::RepaintObjectsWithSavedRegions() {
  DEF_TRY
  if (m_pObjects == nullptr) return;
  int counter = 1;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (object->IsField() && !object->IsDeleted()) object->SetTabOrderIndex(counter++);
    const RECT saved = object->GetSavedRegion();
    CTranspText* text = AsText(object);
    if (text != nullptr) text->Wrap();
    object->Repaint(&saved);
  }
  DEF_CATCH("CFolimarView::RepaintObjectsWithSavedRegions")
}

// ---- Page image nudges ----

void CFolimarView::MoveImage(int dx, int dy) {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  CPageInfo* page = doc != nullptr ? doc->GetPage(m_activePage) : nullptr;
  if (page == nullptr || (page->m_pBitmap == nullptr && page->m_hMetafile == nullptr) || !m_showPageImage) return;
  // A length in units: converted from the origin.
  POINT d = {dx, dy}, origin = {0, 0};
  PageToUnit(&d);
  PageToUnit(&origin);
  page->m_imagePosition.x += d.x - origin.x;
  page->m_imagePosition.y += d.y - origin.y;
  Invalidate(FALSE);
  SetModified();
  DEF_CATCH("CFolimarView::MoveImage")
}

void CFolimarView::RecordImageMove() {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  CPageInfo* page = doc != nullptr ? doc->GetPage(m_activePage) : nullptr;
  if (page != nullptr) DoCommand(new CModifyImagePositionCommand(page, this));
  DEF_CATCH("CFolimarView::RecordImageMove")
}

void CFolimarView::MoveImageUndo(int dx, int dy) {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  CPageInfo* page = doc != nullptr ? doc->GetPage(m_activePage) : nullptr;
  if (page == nullptr) return;
  page->m_previousImagePosition = page->m_imagePosition;
  MoveImage(dx, dy);
  RecordImageMove();
  DEF_CATCH("CFolimarView::MoveImageUndo")
}

void CFolimarView::OnImageMoveCommand(UINT id) {
  switch (id) {
    case ID_IMAGE_MOVE_LEFT: MoveImageUndo(-1, 0); break;
    case ID_IMAGE_MOVE_RIGHT: MoveImageUndo(1, 0); break;
    case ID_IMAGE_MOVE_UP: MoveImageUndo(0, -1); break;
    default: MoveImageUndo(0, 1); break;
  }
}

// ---- Update handlers ----

void CFolimarView::OnUpdateEditDelete(CCmdUI* pCmdUI) {
  const int mode = GetProgramMode();
  pCmdUI->Enable(mode != kModeForm &&
                 (mode == kModeSelect ? GetSelectedObjectsCount() > 0 : GetActiveObject() != nullptr));
}

void CFolimarView::OnUpdateEditUndo(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pUndoManager != nullptr && m_pUndoManager->GetUndoCount() > 0);
}

void CFolimarView::OnUpdateEditRedo(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pUndoManager != nullptr && m_pUndoManager->GetRedoCount() > 0);
}

void CFolimarView::OnUpdateEditSelectAll(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pObjects != nullptr && !m_pObjects->IsEmpty());
}

void CFolimarView::OnUpdateAlignCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(GetSelectedObjectsCount() > 1); }

void CFolimarView::OnUpdateSpaceCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(GetSelectedObjectsCount() > 2); }

void CFolimarView::OnUpdateEditAlignToGrid(CCmdUI* pCmdUI) {
  pCmdUI->Enable(GetProgramMode() != kModeForm && (GetActiveObject() != nullptr || GetSelectedObjectsCount() > 0));
}

void CFolimarView::OnUpdateEditSnapToGrid(CCmdUI* pCmdUI) {
  CMainFrame* frame = GetMainFrame();
  pCmdUI->Enable(TRUE);
  pCmdUI->SetCheck(frame != nullptr && frame->IsSnapToGrid() ? 1 : 0);
}

void CFolimarView::OnUpdateLayerCommand(CCmdUI* pCmdUI) {
  CTranspBaseClass* active = GetActiveObject();
  pCmdUI->Enable(active != nullptr && !active->IsField());
}

void CFolimarView::OnUpdateEditFreezeObject(CCmdUI* pCmdUI) {
  const int mode = GetProgramMode();
  pCmdUI->Enable(mode != kModeForm &&
                 (mode == kModeSelect ? GetSelectedObjectsCount() > 0 : GetActiveObject() != nullptr));
}

void CFolimarView::OnUpdateEditUnfreezeAllObject(CCmdUI* pCmdUI) {
  BOOL frozen = FALSE;
  for (POSITION pos = m_pObjects != nullptr ? m_pObjects->GetHeadPosition() : nullptr; pos && !frozen;)
    frozen = m_pObjects->GetNext(pos)->IsFrozen();
  pCmdUI->Enable(frozen);
}

void CFolimarView::OnUpdateEditRequired(CCmdUI* pCmdUI) {
  CTranspText* text = AsText(GetActiveObject());
  pCmdUI->Enable(text != nullptr);
  pCmdUI->SetCheck(text != nullptr && text->IsRequired() ? 1 : 0);
}

void CFolimarView::OnUpdateEditClearContents(CCmdUI* pCmdUI) {
  auto clearable = [](CTranspBaseClass* object) {
    return AsText(object) != nullptr || dynamic_cast<CTranspCheckMark*>(object) != nullptr;
  };
  BOOL enable = FALSE;
  if (GetProgramMode() == kModeSelect) {
    for (POSITION pos = m_pObjects != nullptr ? m_pObjects->GetHeadPosition() : nullptr; pos && !enable;) {
      CTranspBaseClass* object = m_pObjects->GetNext(pos);
      enable = object->IsSelected() && !object->IsDeleted() && clearable(object);
    }
  } else {
    enable = clearable(GetActiveObject());
  }
  pCmdUI->Enable(enable);
}

// ---- Text boxes, pictures, forms and the shelf ----

void CFolimarView::DecreaseTextBoxes(BOOL width) {
  DEF_TRY
  std::vector<CTranspText*> texts;
  if (GetProgramMode() == kModeSelect && m_pObjects != nullptr) {
    for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
      CTranspBaseClass* object = m_pObjects->GetNext(pos);
      if (object->IsSelected() && !object->IsDeleted() && AsText(object) != nullptr) texts.push_back(AsText(object));
    }
  } else if (AsText(GetActiveObject()) != nullptr) {
    texts.push_back(AsText(GetActiveObject()));
  }
  if (texts.empty()) return;
  BeginMacro();
  for (CTranspText* text : texts) {
    const CUndoState before = text->GetUndoState();
    RECT old;
    text->GetRepaintRect(&old);
    if (width)
      text->DecreaseWidth();
    else
      text->DecreaseHeight();
    RecordModify(before, text);
    text->Repaint(&old);
  }
  EndMacro();
  DEF_CATCH("CFolimarView::DecreaseTextBoxes")
}

void CFolimarView::OnEditDecreaseTextWidth() { DecreaseTextBoxes(TRUE); }

void CFolimarView::OnEditDecreaseTextHeight() { DecreaseTextBoxes(FALSE); }

void CFolimarView::OnContextmenuRestoreproportions() {
  DEF_TRY
  CTranspImage* image = dynamic_cast<CTranspImage*>(GetActiveObject());
  if (image == nullptr) return;
  const CUndoState before = image->GetUndoState();
  RECT old;
  image->GetRepaintRect(&old);
  image->RestoreProportions();
  RecordModify(before, image);
  image->Repaint(&old);
  DEF_CATCH("CFolimarView::OnContextmenuRestoreproportions")
}

void CFolimarView::OnRenumberForms() {
  DEF_TRY
  CTranspText* text = AsText(GetActiveObject());
  CFolimarDoc* doc = GetDocument();
  if (text == nullptr || doc == nullptr || text->IsLabel() || text->GetDataType() != TEXT_TYPE_INDEX) return;
  // Off and on again commits what was typed and opens the edit anew.
  text->SetFocused(0);
  text->SetFocused(1);
  doc->OnEditFormNumber(m_activePage, text);
  DEF_CATCH("CFolimarView::OnRenumberForms")
}

int CFolimarView::OnEditAddToCollection() {
  DEF_TRY
  CMainFrame* frame = GetMainFrame();
  if (frame == nullptr || m_pObjects == nullptr) return 0;
  HGLOBAL data = nullptr;
  if (IsGroupSelected()) {
    CTranspBlock block(this, m_activePage);
    FillBlockFromSelection(block, *m_pObjects);
    data = block.GetObData();
  } else {
    CTranspBaseClass* chosen = nullptr;
    for (POSITION pos = m_pObjects->GetHeadPosition(); pos && chosen == nullptr;) {
      CTranspBaseClass* object = m_pObjects->GetNext(pos);
      if (object->IsSelected() && !object->IsDeleted()) chosen = object;
    }
    if (chosen == nullptr) chosen = GetActiveObject();
    if (chosen != nullptr) data = chosen->GetObData();
  }
  return data != nullptr ? frame->AddObjectToCollection(data) : 0;
  DEF_CATCH("CFolimarView::OnEditAddToCollection")
  return 0;
}

void CFolimarView::OnCommandAddToCollection() { OnEditAddToCollection(); }

void CFolimarView::OnUpdateDecreaseText(CCmdUI* pCmdUI) {
  BOOL enable = FALSE;
  if (GetProgramMode() == kModeSelect) {
    for (POSITION pos = m_pObjects != nullptr ? m_pObjects->GetHeadPosition() : nullptr; pos && !enable;) {
      CTranspBaseClass* object = m_pObjects->GetNext(pos);
      enable = object->IsSelected() && !object->IsDeleted() && AsText(object) != nullptr;
    }
  } else {
    enable = AsText(GetActiveObject()) != nullptr;
  }
  pCmdUI->Enable(enable);
}

void CFolimarView::OnUpdateRestoreProportions(CCmdUI* pCmdUI) {
  pCmdUI->Enable(dynamic_cast<CTranspImage*>(GetActiveObject()) != nullptr);
}

void CFolimarView::OnUpdateAddToCollection(CCmdUI* pCmdUI) {
  pCmdUI->Enable(GetSelectedObjectsCount() > 0 || GetActiveObject() != nullptr);
}

void CFolimarView::OnUpdateObjectUp(CCmdUI* pCmdUI) { pCmdUI->Enable(GetActiveObject() != nullptr); }

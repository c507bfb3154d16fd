// What the properties pane changes in the view: one property of the active or selected objects, the
// active object's tab index, and the conversion between labels and text fields; each as one undo step.
#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "PageInfo.h"
#include "TranspText.h"
#include "UndoCommands.h"
#include "resource.h"

namespace {

constexpr int kModeSelect = 12;
constexpr int kPropertyName = 23;
constexpr int kPropertyFormat = 28;

int FrameMode() {
  CMainFrame* frame = GetMainFrame();
  return frame != nullptr ? frame->GetProgramMode() : 0;
}

// The objects an edit reaches: the active one alone, else every selected one (live objects only).
void CollectTargets(CTranspObjectList* objects, CTranspBaseClass* active, CPtrList& targets) {
  if (active != nullptr) {
    targets.AddTail(active);
    return;
  }
  if (objects == nullptr) return;
  for (POSITION pos = objects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = objects->GetNext(pos);
    if (object->IsSelected() && !object->IsDeleted()) targets.AddTail(object);
  }
}

CTranspText* TextFieldOf(CTranspBaseClass* object) {
  CTranspText* text = dynamic_cast<CTranspText*>(object);
  return text != nullptr && !text->IsLabel() ? text : nullptr;
}

}  // namespace

void CFolimarView::SetObjectStyle(const _PROPERTIES* properties, const _OBJECT_STYLE* style, int propertyId) {
  DEF_TRY
  if (properties == nullptr || style == nullptr || m_pUndoManager == nullptr) return;
  CPtrList targets;
  CollectTargets(m_pObjects, GetActiveObject(), targets);
  if (targets.IsEmpty()) return;
  CFolimarDoc* doc = GetDocument();
  m_pUndoManager->BeginMacro();
  for (POSITION pos = targets.GetHeadPosition(); pos;) {
    CTranspBaseClass* object = static_cast<CTranspBaseClass*>(targets.GetNext(pos));
    CTranspText* field = propertyId == kPropertyFormat ? TextFieldOf(object) : nullptr;
    _PROPERTIES before;
    if (field != nullptr) field->GetProperties(&before);
    const CUndoState state = object->GetUndoState();
    object->SetObjectStyle(properties, style, &propertyId, 1);
    m_pUndoManager->DoCommand(new CModifyCommand(state, object, this));
    if (field == nullptr || doc == nullptr) continue;
    _PROPERTIES after;
    field->GetProperties(&after);
    // Stored values of the field's column follow a change of its kind of number.
    if (after.formatCategory != before.formatCategory) doc->ConvertFormatForField(field, after.formatCategory != 0);
  }
  m_pUndoManager->EndMacro();
  if (propertyId == kPropertyName && doc != nullptr) {
    doc->RenameInAllFormulas(properties->firstText, properties->name);
    doc->SetMirroredFields();
    RepaintMirroredObjectsAfterRename(properties->name);
    RepaintObjects();
  }
  DEF_CATCH("CFolimarView::SetObjectStyle")
}

void CFolimarView::RepaintMirroredObjectsAfterRename(LPCWSTR name) {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  CTranspText* active = dynamic_cast<CTranspText*>(GetActiveObject());
  if (doc == nullptr || active == nullptr || m_pUndoManager == nullptr || name == nullptr || *name == L'\0') return;
  // The renamed field is mirrored now as well: the content comes from the first other field of the
  // name, wherever the renamed one stands in the document.
  CTranspText* found = nullptr;
  for (POSITION pagePos = doc->m_pages.GetHeadPosition(); pagePos != nullptr && found == nullptr;) {
    CPageInfo* page = doc->m_pages.GetNext(pagePos);
    for (POSITION pos = page->m_objects.GetHeadPosition(); pos != nullptr && found == nullptr;) {
      CTranspText* field = TextFieldOf(page->m_objects.GetNext(pos));
      if (field != nullptr && field != active && !field->IsDeleted() && field->IsMirrored() && field->GetName() == name)
        found = field;
    }
  }
  if (found == nullptr) return;
  const CUndoState state = active->GetUndoState();
  if (found->IsNumeric() && !active->IsNumeric()) {
    _PROPERTIES properties;
    found->GetProperties(&properties);
    active->SetProperties(properties);
  }
  BOOL recalculate = FALSE;
  if (active->IsNumeric()) {
    if (found->HasFormula()) {
      active->SetFormula(found->GetFormula());
      recalculate = TRUE;
    } else {
      active->SetValue(found->GetValue());
    }
  } else {
    active->SetText(found->GetText());
    active->Wrap();
  }
  m_pUndoManager->DoCommand(new CModifyCommand(state, active, this));
  if (recalculate) doc->Calculate();
  active->Repaint();
  DEF_CATCH("CFolimarView::RepaintMirroredObjectsAfterRename")
}

void CFolimarView::ConvertTextBox() {
  DEF_TRY
  if (m_pUndoManager == nullptr || m_pObjects == nullptr) return;
  CPtrList labels;
  CollectTargets(m_pObjects, FrameMode() == kModeSelect ? nullptr : GetActiveObject(), labels);
  m_pUndoManager->BeginMacro();
  BOOL converted = FALSE;
  for (POSITION pos = labels.GetHeadPosition(); pos;) {
    CTranspText* label = dynamic_cast<CTranspText*>(static_cast<CTranspBaseClass*>(labels.GetNext(pos)));
    if (label == nullptr || !label->IsLabel()) continue;
    m_pUndoManager->DoCommand(new CConvertToTextFieldCommand(label, m_activePage, this));
    converted = TRUE;
  }
  m_pUndoManager->EndMacro();
  CFolimarDoc* doc = GetDocument();
  if (converted && doc != nullptr) doc->SetModifiedFlag(TRUE);
  DEF_CATCH("CFolimarView::ConvertTextBox")
}

void CFolimarView::ConvertTextField() {
  DEF_TRY
  if (m_pUndoManager == nullptr || m_pObjects == nullptr) return;
  const BOOL selectMode = FrameMode() == kModeSelect;
  CFolimarDoc* doc = GetDocument();
  if (doc != nullptr && doc->GetRecordCount() > 1) {
    CString hint;
    hint.LoadString(selectMode ? IDS_HINT_CONVERT_FIELDS : IDS_HINT_CONVERT_FIELD);
    ShowInfoBoxOnce(selectMode ? L"ShowBoxConvertTextFieldM" : L"ShowBoxConvertTextField", hint);
  }
  CPtrList fields;
  CollectTargets(m_pObjects, selectMode ? nullptr : GetActiveObject(), fields);
  m_pUndoManager->BeginMacro();
  BOOL converted = FALSE;
  for (POSITION pos = fields.GetHeadPosition(); pos;) {
    CTranspText* field = TextFieldOf(static_cast<CTranspBaseClass*>(fields.GetNext(pos)));
    if (field == nullptr) continue;
    m_pUndoManager->DoCommand(new CConvertToTextBoxCommand(field, m_activePage, this));
    converted = TRUE;
  }
  m_pUndoManager->EndMacro();
  if (converted && doc != nullptr) doc->SetModifiedFlag(TRUE);
  DEF_CATCH("CFolimarView::ConvertTextField")
}

namespace {

CTranspObjectList* PageObjects(CFolimarView& view, int page) {
  CFolimarDoc* doc = view.GetDocument();
  CPageInfo* info = doc != nullptr ? doc->GetPage(page) : nullptr;
  return info != nullptr ? &info->m_objects : nullptr;
}

// The new object goes just before the old one in the page's list, and takes over its selection
// (unless an object is being edited, which is then closed); the old one is marked deleted. A new
// text field gets its data column.
void PutInPlaceOf(CFolimarView& view, CTranspBaseClass* made, CTranspBaseClass* old, int page, BOOL field) {
  CTranspObjectList* objects = PageObjects(view, page);
  POSITION at = objects != nullptr && made != nullptr && old != nullptr ? objects->Find(old) : nullptr;
  if (at == nullptr) return;
  objects->InsertBefore(at, made);
  if (view.GetActiveObject() != nullptr) {
    view.DeactivateActiveObject();
  } else if (old->IsSelected()) {
    old->SetSelected(0);
    made->SetSelected(1);
  }
  old->SetDeleted(1);
  if (field) view.GetDocument()->AddDBField(made, page);
  view.GetDocument()->SetModifiedFlag(TRUE);
  view.HideCaret();
  view.RepaintObjects();
}

// The old object comes back and takes the selection back from the new one, which leaves the list
// (a text field with its data column).
void TakeBack(CFolimarView& view, CTranspBaseClass* made, CTranspBaseClass* old, int page, BOOL field) {
  CTranspObjectList* objects = PageObjects(view, page);
  const POSITION at = objects != nullptr && made != nullptr && old != nullptr ? objects->Find(made) : nullptr;
  if (at == nullptr) return;
  if (field) view.GetDocument()->DeleteDBField(at, page);
  objects->RemoveAt(at);
  old->SetDeleted(0);
  if (made->IsSelected()) {
    made->SetSelected(0);
    old->SetSelected(1);
  }
  view.HideCaret();
  view.RepaintObjects();
}

}  // namespace

void CFolimarView::ConvertTextBoxCommand(CTranspBaseClass* field, CTranspBaseClass* label, int page) {
  DEF_TRY
  PutInPlaceOf(*this, field, label, page, TRUE);
  DEF_CATCH("CFolimarView::ConvertTextBoxCommand")
}

void CFolimarView::RemoveTextBoxCommand(CTranspBaseClass* field, CTranspBaseClass* label, int page) {
  DEF_TRY
  TakeBack(*this, field, label, page, TRUE);
  DEF_CATCH("CFolimarView::RemoveTextBoxCommand")
}

void CFolimarView::ConvertTextFieldCommand(CTranspBaseClass* label, CTranspBaseClass* field, int page) {
  DEF_TRY
  PutInPlaceOf(*this, label, field, page, FALSE);
  DEF_CATCH("CFolimarView::ConvertTextFieldCommand")
}

void CFolimarView::RemoveTextFieldCommand(CTranspBaseClass* label, CTranspBaseClass* field, int page) {
  DEF_TRY
  TakeBack(*this, label, field, page, FALSE);
  DEF_CATCH("CFolimarView::RemoveTextFieldCommand")
}

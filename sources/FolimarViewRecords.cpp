// What the document's record commands and text search ask of the view: the active object (the
// focused object of the active page) given up before a record change, where a search starts, and
// the found text shown selected in its field.
#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "TranspText.h"

CTranspBaseClass* CFolimarView::GetActiveObject() const {
  if (m_pObjects == nullptr) return nullptr;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (object->IsFocused() && !object->IsDeleted()) return object;
  }
  return nullptr;
}

void CFolimarView::DeactivateActiveObject() {
  DEF_TRY
  // Losing the focus commits what the user typed into the object's value.
  CTranspBaseClass* active = GetActiveObject();
  if (active != nullptr) active->SetFocused(0);
  DEF_CATCH("CFolimarView::DeactivateActiveObject")
}

void CFolimarView::GetCurrentCursorPosition(BOOL down, int textLength, int& field, int& position) const {
  DEF_TRY
  field = down ? 0 : -1;
  position = down ? 0 : -1;
  CTranspBaseClass* active = GetActiveObject();
  if (active == nullptr || m_pObjects == nullptr) return;
  int column = 0;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (object == active) break;
    if (object->IsField()) ++column;
  }
  field = column;
  CTranspText* text = dynamic_cast<CTranspText*>(active);
  position = text != nullptr ? text->GetCursorPos() : 0;
  // Searching up from a found match starts before it, not at its end.
  if (!down && text != nullptr && text->HasSelection()) position -= textLength;
  DEF_CATCH("CFolimarView::GetCurrentCursorPosition")
}

void CFolimarView::ViewFoundedText(int pageIndex, int field, int position, int length) {
  DEF_TRY
  if (pageIndex != m_activePage) SetActivePage(pageIndex);
  if (m_pObjects == nullptr) return;
  int column = 0;
  CTranspBaseClass* found = nullptr;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos && found == nullptr;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (!object->IsField()) continue;
    if (column++ == field) found = object;
  }
  CTranspBaseClass* active = GetActiveObject();
  if (active != nullptr && active != found) active->SetFocused(0);
  CTranspText* text = dynamic_cast<CTranspText*>(found);
  if (text == nullptr) return;
  text->SetFocused(1);
  text->FindAndSelect(nullptr, position, position + length);
  SetFocus();
  DEF_CATCH("CFolimarView::ViewFoundedText")
}
